// skin_contrast --sheets DIR [--below X] [--skin N]: the WCAG contrast of the
// program's texts, glyphs and controls on the gallery's contact sheets. The
// gallery marks where each control of the program's own windows lies
// (NN.regions beside NN.png).
// Text regions are cut into lines of ink (runs of rows where some pixel
// stands out from the row's commonest colour), and each line into pieces
// (runs of inky columns), so a faint title is not carried by a strong glyph
// beside it. Each piece gives one pair: the commonest colour at its line's
// two ends (the background) and the pixel that stands out most from it (the
// core of the text or glyph). A line thinner than a letter is a rule or an
// edge and is passed over. A region that must hold text and shows no ink is
// looked at again for the faintest, so an all but invisible text scores low
// instead of not at all.
// Control regions give the outline: the commonest colour of each of the
// control's three outermost rings against the commonest of the ring round it
// (what it sits on); the best of the three counts.
// Prints the lowest figure of each skin for text and for controls and where
// it is; with --below, every text piece under X and every control under 3.
#include "tools/contrast/WcagContrast.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

// The sections of the sheet that show the program's own windows and boxes.
const char* const kSections[] = {"Main window", "Dialogs: options", "select-skin dialogs", "Message boxes"};
// Pictures of those sections the program never shows (the dialogs' variants).
const char* const kNotShown[] = {"select-folder dialog with its tool bar", "open-picture dialog"};
constexpr double kInk = 1.25;      // a pixel this far from its row's colour is ink
constexpr double kFaint = 1.02;    // ... when a text must be there and none stood out
constexpr int kMinLineHeight = 5;  // thinner runs of ink rows are rules and edges
constexpr int kPieceGap = 4;       // columns without ink that part a text from a glyph
constexpr int kEdgeHeight = 15;
constexpr int kPictureInk = 85;    // percent of a piece's box inked: a picture    // a line this tall is a band, not a line of text
constexpr double kControlLow = 3;  // an outline under this is listed with --below

QRgb Commonest(const QImage& img, const QRect& r) {
    QHash<QRgb, int> count;
    QRgb best = 0;
    int most = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb c = img.pixel(x, y) | 0xFF000000;
            if (const int n = ++count[c]; n > most) most = n, best = c;
        }
    return best;
}

struct TLine {
    QString Where;
    QRect R;
    QRgb Background, Ink;
    double Figure;
    bool Picture = false;  // measured with the outlines, at 3:1
};

// The pieces of ink of one region, each with its pair and figure.
std::vector<TLine> Lines(const QImage& img, const QRect& region, const QString& where, double inkAt) {
    std::vector<TLine> out;
    const QRect r = region.intersected(img.rect());
    if (r.isEmpty()) return out;
    std::vector<QRgb> rowColour(r.height());
    for (int y = r.top(); y <= r.bottom(); ++y) rowColour[y - r.top()] = Commonest(img, QRect(r.left(), y, r.width(), 1));
    auto inkAtPixel = [&](int x, int y) { return WcagContrast(img.pixel(x, y), rowColour[y - r.top()]) >= inkAt; };
    auto inky = [&](int y) {
        for (int x = r.left(); x <= r.right(); ++x)
            if (inkAtPixel(x, y)) return true;
        return false;
    };
    for (int y = r.top(); y <= r.bottom();) {
        if (!inky(y)) {
            ++y;
            continue;
        }
        int end = y;
        while (end + 1 <= r.bottom() && inky(end + 1)) ++end;
        const QRect band(r.left(), y, r.width(), end - y + 1);
        y = end + 1;
        if (band.height() < kMinLineHeight) continue;
        // The background is what lies at the line's two ends: a glyph may
        // cover most of its line, a text never its ends.
        QHash<QRgb, int> ends;
        QRgb bg = 0;
        for (int by = band.top(); by <= band.bottom(); ++by)
            for (int x : {band.left(), band.left() + 1, band.right() - 1, band.right()})
                if (const int n = ++ends[img.pixel(x, by) | 0xFF000000]; n > ends.value(bg)) bg = img.pixel(x, by) | 0xFF000000;
        auto inkyColumn = [&](int x) {
            for (int by = band.top(); by <= band.bottom(); ++by)
                if (inkAtPixel(x, by)) return true;
            return false;
        };
        for (int x = band.left(); x <= band.right();) {
            if (!inkyColumn(x)) {
                ++x;
                continue;
            }
            // A piece ends at the first run of kPieceGap clear columns.
            int last = x, gap = 0;
            for (int cx = x + 1; cx <= band.right() && gap < kPieceGap; ++cx) {
                if (inkyColumn(cx)) last = cx, gap = 0;
                else ++gap;
            }
            const QRect piece(x, band.top(), last - x + 1, band.height());
            x = last + 1;
            // A narrow piece taller than a line of text is the side of a
            // band or frame (a highlight, a focus mark), not a letter.
            if (piece.width() <= 3 && piece.height() >= kEdgeHeight) continue;
            // The clear columns beside the piece are its background; a piece
            // reaching both ends of the region keeps the line's.
            QRgb ground = bg;
            {
                QHash<QRgb, int> beside;
                int most = 0;
                for (int cx : {piece.left() - 1, piece.right() + 1}) {
                    if (cx < band.left() || cx > band.right()) continue;
                    for (int by = band.top(); by <= band.bottom(); ++by)
                        if (const int n = ++beside[img.pixel(cx, by) | 0xFF000000]; n > most)
                            most = n, ground = img.pixel(cx, by) | 0xFF000000;
                }
            }
            QRgb ink = ground;
            double best = 1;
            for (int by = piece.top(); by <= piece.bottom(); ++by)
                for (int px = piece.left(); px <= piece.right(); ++px)
                    if (const double c = WcagContrast(img.pixel(px, by), ground); c > best) best = c, ink = img.pixel(px, by);
            if (best < inkAt) continue;
            // A piece mostly ink is a picture (an icon, an arrow), not strokes
            // of text: it needs 3:1, as a control's outline does.
            int inked = 0;
            for (int by = piece.top(); by <= piece.bottom(); ++by)
                for (int px = piece.left(); px <= piece.right(); ++px)
                    inked += WcagContrast(img.pixel(px, by), ground) >= kInk;
            const bool picture = 100 * inked >= kPictureInk * piece.width() * piece.height();
            out.push_back({where + (picture ? QStringLiteral(" (picture)") : QString()), piece, ground, ink | 0xFF000000,
                           best, picture});
        }
    }
    return out;
}

// A text that must be there: its pieces, or the faintest ink found, or the
// whole region at 1:1 when nothing at all stands out.
std::vector<TLine> CaptionLines(const QImage& img, const QRect& region, const QString& where) {
    std::vector<TLine> lines = Lines(img, region, where, kInk);
    if (!lines.empty()) return lines;
    lines = Lines(img, region, where, kFaint);
    if (!lines.empty()) return lines;
    const QRgb bg = Commonest(img, region.intersected(img.rect()));
    return {{where + QStringLiteral(" (no text seen)"), region, bg, bg, 1.0}};
}

QRgb RingColour(const QImage& img, const QRect& ring) {
    QHash<QRgb, int> count;
    QRgb best = 0;
    int most = 0;
    auto add = [&](int x, int y) {
        if (!img.rect().contains(x, y)) return;
        const QRgb c = img.pixel(x, y) | 0xFF000000;
        if (const int n = ++count[c]; n > most) most = n, best = c;
    };
    for (int x = ring.left(); x <= ring.right(); ++x) add(x, ring.top()), add(x, ring.bottom());
    for (int y = ring.top() + 1; y < ring.bottom(); ++y) add(ring.left(), y), add(ring.right(), y);
    return best;
}

// The outline of one control against what lies round it: the commonest
// colour of the three rings outside it (a neighbour's line along one side
// does not count as the ground).
TLine Outline(const QImage& img, const QRect& r, const QString& where) {
    QHash<QRgb, int> round;
    QRgb bg = 0;
    for (int d = 1; d <= 3; ++d) {
        const QRect ring = r.adjusted(-d, -d, d, d);
        auto add = [&](int x, int y) {
            if (!img.rect().contains(x, y)) return;
            const QRgb c = img.pixel(x, y) | 0xFF000000;
            if (const int n = ++round[c]; n > round.value(bg)) bg = c;
        };
        for (int x = ring.left(); x <= ring.right(); ++x) add(x, ring.top()), add(x, ring.bottom());
        for (int y = ring.top() + 1; y < ring.bottom(); ++y) add(ring.left(), y), add(ring.right(), y);
    }
    TLine best{where, r, bg, bg, 1.0};
    for (int d = 0; d < 3 && 2 * d < std::min(r.width(), r.height()); ++d) {
        const QRgb c = RingColour(img, r.adjusted(d, d, -d, -d));
        if (const double f = WcagContrast(c, bg); f > best.Figure) best.Ink = c, best.Figure = f;
    }
    return best;
}

QString Hex(QRgb c) { return QStringLiteral("#%1").arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0')); }

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString dir;
    double below = 0;
    int only = -1;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--sheets") && i + 1 < args.size()) dir = args[++i];
        else if (args[i] == QLatin1String("--below") && i + 1 < args.size()) below = args[++i].toDouble();
        else if (args[i] == QLatin1String("--skin") && i + 1 < args.size()) only = args[++i].toInt();
        else {
            std::fprintf(stderr, "usage: skin_contrast --sheets DIR [--below X] [--skin N]\n");
            return 2;
        }
    }
    if (dir.isEmpty()) {
        std::fprintf(stderr, "usage: skin_contrast --sheets DIR [--below X] [--skin N]\n");
        return 2;
    }
    QTextStream out(stdout);
    out << "skin  lines   text  controls  outline  lowest text; lowest outline\n";
    int sheets = 0;
    for (int skin = 0; skin < 100; ++skin) {
        if (only >= 0 && skin != only) continue;
        const QString base = QStringLiteral("%1/%2").arg(dir).arg(skin, 2, 10, QLatin1Char('0'));
        QFile regions(base + QStringLiteral(".regions"));
        if (!regions.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
        const QImage sheet = QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
        if (sheet.isNull()) {
            std::fprintf(stderr, "skin_contrast: cannot read %s.png\n", qPrintable(base));
            return 1;
        }
        ++sheets;
        std::vector<TLine> lines, outlines;
        QTextStream in(&regions);
        while (!in.atEnd()) {
            const QStringList f = in.readLine().split(QLatin1Char('\t'));
            if (f.size() < 4) continue;
            bool wanted = false;
            for (const char* s : kSections) wanted = wanted || f[0].contains(QLatin1String(s));
            for (const char* p : kNotShown) wanted = wanted && !f[1].contains(QLatin1String(p));
            if (!wanted) continue;
            const QStringList n = f[3].split(QLatin1Char(' '));
            if (n.size() != 4) continue;
            const QRect r(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt());
            const QString where = f[1] + QStringLiteral(" / ") + f[2];
            const QString kind = f.value(4, QStringLiteral("text"));
            if (kind == QLatin1String("control")) {
                outlines.push_back(Outline(sheet, r, where));
                continue;
            }
            for (TLine& l : kind == QLatin1String("caption") ? CaptionLines(sheet, r, where) : Lines(sheet, r, where, kInk))
                (l.Picture ? outlines : lines).push_back(std::move(l));
        }
        auto lowest = [](const std::vector<TLine>& v) {
            const TLine* low = nullptr;
            for (const TLine& l : v)
                if (!low || l.Figure < low->Figure) low = &l;
            return low;
        };
        auto place = [](const TLine* l) {
            return l ? QStringLiteral("%1 at %2,%3").arg(l->Where).arg(l->R.x()).arg(l->R.y()) : QString();
        };
        const TLine* text = lowest(lines);
        const TLine* control = lowest(outlines);
        out << QString::number(skin).rightJustified(4) << "  " << QString::number(lines.size()).rightJustified(5) << "  "
            << (text ? QString::number(text->Figure, 'f', 2) : QStringLiteral("-")).rightJustified(5) << "  "
            << QString::number(outlines.size()).rightJustified(8) << "  "
            << (control ? QString::number(control->Figure, 'f', 2) : QStringLiteral("-")).rightJustified(7) << "  "
            << place(text) << "; " << place(control) << "\n";
        auto list = [&](const std::vector<TLine>& v, double under, const char* what) {
            for (const TLine& l : v)
                if (l.Figure < under)
                    out << "        " << what << " " << QString::number(l.Figure, 'f', 2) << "  " << Hex(l.Background)
                        << " " << Hex(l.Ink) << "  " << l.Where << " at " << l.R.x() << "," << l.R.y() << " "
                        << l.R.width() << "x" << l.R.height() << "\n";
        };
        list(lines, below, "text");
        if (below > 0) list(outlines, kControlLow, "control");
    }
    if (sheets == 0) {
        std::fprintf(stderr, "skin_contrast: no sheets with regions in %s\n", qPrintable(dir));
        return 1;
    }
    return 0;
}
