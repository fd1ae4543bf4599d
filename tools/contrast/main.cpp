// skin_contrast --sheets DIR [--below X] [--skin N]: the WCAG contrast of the
// program's texts and glyphs on the gallery's contact sheets. The gallery
// marks where each control of the program's own windows lies (NN.regions
// beside NN.png); here each marked region is cut into its lines of ink (runs
// of rows where some pixel stands out from the row's commonest colour), and
// each line gives one pair: the commonest colour at its two ends (the
// background) and the pixel that stands out most from it (the core of the
// text or glyph). A line
// thinner than a letter is a rule or an edge, not text, and is passed over.
// Prints the lowest figure of each skin and where it is; with --below, every
// line under X.
#include "tools/contrast/WcagContrast.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QTextStream>

#include <cstdio>
#include <limits>
#include <vector>

namespace {

// The sections of the sheet that show the program's own windows.
const char* const kSections[] = {"Main window", "Dialogs: options", "select-skin dialogs"};
constexpr double kInk = 1.25;    // a pixel this far from its row's colour is ink
constexpr int kMinLineHeight = 5;  // thinner runs of ink rows are rules and edges

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
};

// The lines of ink of one region, each with its pair and figure.
std::vector<TLine> Lines(const QImage& img, const QRect& region, const QString& where) {
    std::vector<TLine> out;
    const QRect r = region.intersected(img.rect());
    auto inky = [&](int y) {
        const QRgb bg = Commonest(img, QRect(r.left(), y, r.width(), 1));
        for (int x = r.left(); x <= r.right(); ++x)
            if (WcagContrast(img.pixel(x, y), bg) >= kInk) return true;
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
        QRgb ink = bg;
        double best = 1;
        for (int by = band.top(); by <= band.bottom(); ++by)
            for (int x = band.left(); x <= band.right(); ++x)
                if (const double c = WcagContrast(img.pixel(x, by), bg); c > best) best = c, ink = img.pixel(x, by);
        if (best >= kInk) out.push_back({where, band, bg, ink | 0xFF000000, best});
    }
    return out;
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
    out << "skin  lines  lowest  background  ink      where\n";
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
        std::vector<TLine> lines;
        QTextStream in(&regions);
        while (!in.atEnd()) {
            const QStringList f = in.readLine().split(QLatin1Char('\t'));
            if (f.size() != 4) continue;
            bool wanted = false;
            for (const char* s : kSections) wanted = wanted || f[0].contains(QLatin1String(s));
            if (!wanted) continue;
            const QStringList n = f[3].split(QLatin1Char(' '));
            if (n.size() != 4) continue;
            const QRect r(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt());
            for (TLine& l : Lines(sheet, r, f[1] + QStringLiteral(" / ") + f[2])) lines.push_back(std::move(l));
        }
        const TLine* low = nullptr;
        for (const TLine& l : lines)
            if (!low || l.Figure < low->Figure) low = &l;
        out << QString::number(skin).rightJustified(4) << "  " << QString::number(lines.size()).rightJustified(5)
            << "  ";
        if (low)
            out << QString::number(low->Figure, 'f', 2).rightJustified(6) << "  " << Hex(low->Background) << "     "
                << Hex(low->Ink) << "  " << low->Where << " at " << low->R.x() << "," << low->R.y() << "\n";
        else
            out << "     -\n";
        for (const TLine& l : lines)
            if (l.Figure < below)
                out << "        " << QString::number(l.Figure, 'f', 2) << "  " << Hex(l.Background) << " "
                    << Hex(l.Ink) << "  " << l.Where << " at " << l.R.x() << "," << l.R.y() << " " << l.R.width()
                    << "x" << l.R.height() << "\n";
    }
    if (sheets == 0) {
        std::fprintf(stderr, "skin_contrast: no sheets with regions in %s\n", qPrintable(dir));
        return 1;
    }
    return 0;
}
