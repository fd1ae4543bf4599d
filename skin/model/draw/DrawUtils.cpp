#include "skin/model/draw/DrawUtils.h"

#include <QGuiApplication>
#include <QIODevice>
#include <QScreen>
#include <QWidget>
#include <QtEndian>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace {
// Read-only after start-up, except where tests pretend (UI thread only).
TqvSystemVersion gVersionOverride{0, 0};
}  // namespace

TqvSystemVersion SystemVersion() {
    if (gVersionOverride.Major != 0) return gVersionOverride;
    return {6, 1};
}

void SetSystemVersionForTests(TqvSystemVersion v) { gVersionOverride = v; }

bool IsWindowsVistaOrLater() { return SystemVersion().Major > 5; }

bool IsWindowsXPOrLater() {
    auto v = SystemVersion();
    return v.Major > 5 || (v.Major == 5 && v.Minor == 1);
}

bool IsWindows2000OrLater() {
    auto v = SystemVersion();
    return v.Major > 5 || (v.Major == 5 && v.Minor >= 0 && v.Minor <= 2);
}

bool HasMMX() {
#if defined(__x86_64__) || defined(__i386__)
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    const unsigned family = (a >> 8) & 0xF;
    return family >= 5 && (d & (1u << 23)) != 0;
#else
    return false;
#endif
}

bool HasMultipleMonitors() { return QGuiApplication::screens().size() > 1; }

void GetScreenWorkArea(bool WorkArea, TRect& R) {
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return;
    if (WorkArea)
        R = TRect::FromQRect(s->availableGeometry());
    else
        R = {0, 0, s->geometry().width(), s->geometry().height()};
}

void GetMonitorWorkArea(const QWidget* Wnd, bool WorkArea, TRect& R) {
    if (!HasMultipleMonitors()) {
        GetScreenWorkArea(WorkArea, R);
        return;
    }
    QScreen* s = Wnd ? Wnd->screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    R = TRect::FromQRect(WorkArea ? s->availableGeometry() : s->geometry());
}

static void ReadExact(QIODevice& Stream, char* p, qint64 n) {
    if (n > 0 && Stream.read(p, n) != n) throw EqvStreamError();
}

void ReadStreamString(QIODevice& Stream, QString& S) {
    qint32 count = 0;
    ReadExact(Stream, reinterpret_cast<char*>(&count), 4);
    count = qFromLittleEndian(count);
    if (count <= 0) {
        S.clear();
        return;
    }
    // The count is untrusted: never allocate more than the stream can hold.
    if (!Stream.isSequential() && Stream.bytesAvailable() < qint64(count) * 2) throw EqvStreamError();
    QByteArray raw(qsizetype(count) * 2, Qt::Uninitialized);
    ReadExact(Stream, raw.data(), raw.size());
    S.resize(count);
    for (int i = 0; i < count; ++i)
        S[i] = QChar(qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(raw.constData()) + 2 * i));
}

void WriteExact(QIODevice& Stream, const char* p, qint64 n) {
    if (n <= 0) return;
    const qint64 done = Stream.write(p, n);
    if (done == n) return;
    throw EqvStreamError("Stream write error: " +
                         (done < 0 ? Stream.errorString().toStdString()
                                   : std::to_string(done) + " of " + std::to_string(n) + " bytes written"));
}

void WriteStreamString(QIODevice& Stream, const QString& S) {
    qint32 count = qToLittleEndian(qint32(S.size()));
    WriteExact(Stream, reinterpret_cast<const char*>(&count), 4);
    QByteArray raw(qsizetype(S.size()) * 2, Qt::Uninitialized);
    for (int i = 0; i < S.size(); ++i)
        qToLittleEndian<quint16>(S[i].unicode(), reinterpret_cast<uchar*>(raw.data()) + 2 * i);
    WriteExact(Stream, raw.constData(), raw.size());
}

void ParseRectText(const QString& S, TRect& R) {
    static const QString separators = QStringLiteral(" (),:;=");
    QString rest = S.left(255);
    int values[4];
    for (int& v : values) {
        int i = 0;
        while (i < rest.size() && !separators.contains(rest[i])) ++i;
        QString token = rest.left(i).trimmed();
        rest = rest.mid(i + 1).trimmed();
        bool ok = false;
        v = token.toInt(&ok);
        if (!ok) {
            R = {};
            return;
        }
    }
    R = {values[0], values[1], values[2], values[3]};
}

TqvGlyphCaptionLayout CalcGlyphAndCaptionLayout(TqvButtonLayout Layout, const TRect& R, int GW, int GH,
                                                int TW, int TH, int M, int S) {
    if (GW == 0) S = 0;
    const int cx = R.Left + RectWidth(R) / 2, cy = R.Top + RectHeight(R) / 2;
    const int gx = cx - GW / 2, gy = cy - GH / 2, tx = cx - TW / 2, ty = cy - TH / 2;
    const int m = (GW + TW + S) / 2, v = (TH + GH + S) / 2;
    TqvGlyphCaptionLayout L;
    switch (Layout) {
    case blGlyphLeft:
        if (M != -1) L = {{R.Left + M, gy}, {R.Left + M + GW + S, ty}};
        else L = {{cx - m, gy}, {cx + m - TW, ty}};
        break;
    case blGlyphRight:
        if (M != -1) {
            L.Glyph = {R.Right - GW - M, gy};
            L.Text = {L.Glyph.X - S - TW, ty};
        } else {
            L = {{cx + m - GW, gy}, {cx - m, ty}};
        }
        break;
    case blGlyphTop:
        if (M != -1) L = {{gx, R.Top + M}, {tx, R.Top + M + GH + S}};
        else L = {{gx, cy - v}, {tx, cy + v - TH}};
        break;
    case blGlyphBottom:
        if (M != -1) {
            L.Glyph = {gx, R.Bottom - GH - M};
            L.Text = {tx, L.Glyph.Y - S - TH};
        } else {
            L = {{gx, cy + v - GH}, {tx, cy - v}};
        }
        break;
    }
    return L;
}
