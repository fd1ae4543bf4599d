#include "tests/platform/Printers.h"
#include "platform/Canvas.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Renders an image as rows of characters: '.' for white, the legend's letter otherwise.
std::vector<std::string> Picture(const QImage& img, const std::vector<std::pair<TColor, char>>& legend) {
    std::vector<std::string> rows;
    TCanvas reader(const_cast<QImage*>(&img));
    for (int y = 0; y < img.height(); ++y) {
        std::string row;
        for (int x = 0; x < img.width(); ++x) {
            const TColor c = reader.Pixel(x, y);
            char ch = c == clWhite ? '.' : '?';
            for (const auto& [color, letter] : legend)
                if (c == color) ch = letter;
            row += ch;
        }
        rows.push_back(row);
    }
    return rows;
}

QImage White(int w, int h, QImage::Format f = QImage::Format_RGB32) {
    QImage img(w, h, f);
    img.fill(Qt::white);
    return img;
}

const std::vector<std::pair<TColor, char>> kLegend = {{clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}, {clLime, 'g'}};

TEST(Canvas, RectanglesKeepRightAndBottomEdgesOut) {
    for (QImage::Format f : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_BGR888}) {
        QImage img = White(8, 6, f);
        TCanvas c(&img);
        c.Brush().SetColor(clRed);
        c.FillRect(Rect(1, 1, 3, 3));
        c.Brush().SetColor(clBlue);
        c.FrameRect(Rect(4, 0, 8, 4));
        c.Pen().SetColor(clBlack);
        c.Brush().SetColor(clLime);
        c.Rectangle(0, 3, 4, 6);
        EXPECT_EQ(Picture(img, kLegend), (std::vector<std::string>{
                                             "....bbbb",
                                             ".rr.b..b",
                                             ".rr.b..b",
                                             "####bbbb",
                                             "#gg#....",
                                             "####....",
                                         })) << f;
        EXPECT_EQ(qAlpha(img.pixel(1, 1)), 255);
    }
}

TEST(Canvas, ClearPenRectangleFillsOnePixelLessAndClearBrushFillsNothing) {
    QImage img = White(5, 4);
    TCanvas c(&img);
    c.Pen().SetStyle(psClear);
    c.Brush().SetColor(clRed);
    c.Rectangle(0, 0, 4, 3);
    c.Brush().SetStyle(bsClear);
    c.FillRect(Rect(0, 0, 5, 4));
    EXPECT_EQ(Picture(img, kLegend), (std::vector<std::string>{"rrr..", "rrr..", ".....", "....."}));
}

TEST(Canvas, LinesLeaveTheEndPointOutAndMoveThePen) {
    QImage img = White(6, 6);
    TCanvas c(&img);
    c.Pen().SetColor(clBlack);
    c.MoveTo(0, 0);
    c.LineTo(5, 0);   // horizontal: x 0..4
    c.LineTo(5, 5);   // vertical from the pen position: y 0..4 at x 5
    c.MoveTo(0, 1);
    c.LineTo(4, 5);   // diagonal: (0,1)..(3,4)
    EXPECT_EQ(c.PenPos(), Point(4, 5));
    EXPECT_EQ(Picture(img, kLegend), (std::vector<std::string>{
                                         "######",
                                         "#....#",
                                         ".#...#",
                                         "..#..#",
                                         "...#.#",
                                         "......",
                                     }));
}

TEST(Canvas, XorPenAndFocusRectUndoThemselves) {
    QImage img = White(6, 4);
    TCanvas c(&img);
    c.Brush().SetColor(clRed);
    c.FillRect(Rect(0, 0, 3, 4));
    const QImage before = img.copy();
    c.DrawFocusRect(Rect(0, 0, 6, 4));
    EXPECT_NE(img, before);
    EXPECT_EQ(c.Pixel(0, 0), RGB(0, 255, 255));  // red inverted
    EXPECT_EQ(c.Pixel(1, 0), clRed);             // dotted: every other pixel
    c.DrawFocusRect(Rect(0, 0, 6, 4));
    EXPECT_EQ(img, before);
    c.Pen().SetMode(pmXor);
    c.Pen().SetColor(clWhite);
    c.MoveTo(0, 2);
    c.LineTo(6, 2);
    c.MoveTo(0, 2);
    c.LineTo(6, 2);
    EXPECT_EQ(img, before);
}

TEST(Canvas, StretchRuleSpreadsSourceIndicesEvenly) {
    const struct { int dstLen, srcStart, srcLen; std::vector<int> expected; } cases[] = {
        {4, 0, 2, {0, 0, 1, 1}},          // 1/3 -> 0, 2/3 -> 1
        {5, 0, 3, {0, 0, 1, 2, 2}},       // halves go to the even index: 0.5 -> 0, 1.5 -> 2
        {3, 10, 6, {10, 12, 15}},         // shrink keeps both ends
        {1, 0, 5, {2}},                   // one pixel takes the middle
        {2, 3, 1, {3, 3}},
    };
    for (const auto& c : cases) {
        std::vector<int> got;
        for (int i = 0; i < c.dstLen; ++i) got.push_back(StretchSourceIndex(i, c.dstLen, c.srcStart, c.srcLen));
        EXPECT_EQ(got, c.expected) << c.dstLen << "/" << c.srcLen;
    }
}

TEST(Canvas, StretchAndKeyedCopiesUseTheRuleAndSkipTheKey) {
    QImage src = White(2, 2, QImage::Format_BGR888);
    TCanvas s(&src);
    s.SetPixel(0, 0, clRed);
    s.SetPixel(1, 1, clBlue);
    QImage dst = White(5, 4);
    TCanvas d(&dst);
    d.Brush().SetColor(clLime);
    d.FillRect(Rect(0, 0, 5, 4));
    StretchBlt(dst, Rect(0, 0, 4, 4), src, Rect(0, 0, 2, 2));
    EXPECT_EQ(Picture(dst, kLegend), (std::vector<std::string>{"rr..g", "rr..g", "..bbg", "..bbg"}));
    d.FillRect(Rect(0, 0, 5, 4));
    TransparentBlt(dst, Rect(1, 0, 5, 4), src, Rect(0, 0, 2, 2), clWhite);
    EXPECT_EQ(Picture(dst, kLegend), (std::vector<std::string>{"grrgg", "grrgg", "gggbb", "gggbb"}));
    // Clipped at the destination's edges, nothing written outside.
    d.FillRect(Rect(0, 0, 5, 4));
    BitBlt(dst, -1, -1, 2, 2, src, 0, 0);
    BitBlt(dst, 4, 3, 2, 2, src, 0, 0);
    EXPECT_EQ(Picture(dst, kLegend), (std::vector<std::string>{"bgggg", "ggggg", "ggggg", "ggggr"}));
}

TEST(Canvas, CopiesWithinOneImageReadThePixelsAsTheyWereBefore) {
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_BGR888}) {
        QImage img = White(5, 2, format);
        TCanvas c(&img);
        c.SetPixel(0, 0, clRed);
        c.SetPixel(1, 0, clLime);
        c.SetPixel(2, 0, clBlue);
        // Overlapping, towards the end of the row: a forward copy would read what it just wrote.
        BitBlt(img, 1, 0, 3, 1, img, 0, 0);
        EXPECT_EQ(Picture(img, kLegend), (std::vector<std::string>{"rrgb.", "....."})) << format;
        c.Draw(0, 1, img);
        EXPECT_EQ(Picture(img, kLegend), (std::vector<std::string>{"rrgb.", "rrgb."})) << format;
        c.CopyRect(Rect(2, 0, 5, 2), img, Rect(1, 0, 4, 2));
        EXPECT_EQ(Picture(img, kLegend), (std::vector<std::string>{"rrrgb", "rrrgb"})) << format;
    }
}

TEST(Canvas, ThirtyTwoBitCopiesKeepAlpha) {
    QImage src(1, 1, QImage::Format_ARGB32);
    src.setPixel(0, 0, qRgba(10, 20, 30, 40));
    QImage argb(1, 1, QImage::Format_ARGB32), rgb(1, 1, QImage::Format_RGB32), bgr(1, 1, QImage::Format_BGR888);
    BitBlt(argb, 0, 0, 1, 1, src, 0, 0);
    BitBlt(rgb, 0, 0, 1, 1, src, 0, 0);
    BitBlt(bgr, 0, 0, 1, 1, src, 0, 0);
    EXPECT_EQ(argb.pixel(0, 0), qRgba(10, 20, 30, 40));
    EXPECT_EQ(rgb.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(bgr.constScanLine(0)[0], 30);  // blue first, as a 24-bit BMP file holds it
}

TEST(Canvas, DrawTextMeasuresAndPlaces) {
    QImage img = White(200, 40);
    TCanvas c(&img);
    c.Font().SetName("Arial");
    c.Font().SetHeight(-12);
    TRect r = Rect(10, 5, 10, 5);
    const int h = c.DrawText("Hello", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Width(), c.TextWidth("Hello"));
    EXPECT_EQ(h, c.TextHeight("Hello"));
    EXPECT_EQ(r.Height(), h);
    // "&" marks the mnemonic and takes no room unless DT_NOPREFIX.
    TRect m = Rect(0, 0, 0, 0), n = Rect(0, 0, 0, 0);
    c.DrawText("&Open", m, DT_CALCRECT | DT_SINGLELINE);
    c.DrawText("&Open", n, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(m.Width(), c.TextWidth("Open"));
    EXPECT_GT(n.Width(), m.Width());
    // Word wrapping grows the height at the given width.
    TRect w = Rect(0, 0, c.TextWidth("Hello") + 2, 0);
    c.DrawText("Hello Hello Hello", w, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(w.Height(), 3 * h);
    // Right-aligned text ends at the right edge; the brush fills behind it.
    c.Brush().SetColor(clLime);
    TRect box = Rect(0, 0, 200, 40);
    c.DrawText("Hi", box, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(c.Pixel(200 - c.TextWidth("Hi"), (40 - h) / 2), clLime);
    EXPECT_EQ(c.Pixel(0, 20), clWhite);
    // A path keeps its last part when it is too long.
    const QString path = "/home/user/videos/holiday/clip.avi";
    TRect narrow = Rect(0, 0, c.TextWidth("/home/...clip.avi") + 1, 20);
    QImage scratch = White(200, 20);
    TCanvas sc(&scratch);
    sc.SetFont(c.Font());
    sc.Brush().SetStyle(bsClear);
    sc.DrawText(path, narrow, DT_PATH_ELLIPSIS | DT_SINGLELINE | DT_CALCRECT);
    EXPECT_LE(narrow.Width(), c.TextWidth("/home/...clip.avi") + 1);
    EXPECT_GE(narrow.Width(), c.TextWidth(".../clip.avi"));
}

TEST(Fonts, HeightRuleAndSubstitutes) {
    const std::pair<QString, QString> names[] = {
        {"Arial", "Liberation Sans"}, {"arial", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"},
        {"Tahoma", "DejaVu Sans"}, {"MS Sans Serif", "DejaVu Sans"},
        {QString::fromUtf8("宋体"), "WenQuanYi Micro Hei"}, {QString::fromUtf8("黑体"), "WenQuanYi Micro Hei"},
        {"SimSun", "WenQuanYi Micro Hei"}, {"DejaVu Serif", "DejaVu Serif"},
    };
    for (const auto& [from, to] : names) EXPECT_EQ(SubstituteFontName(from), to) << from.toStdString();

    TFont f("Arial", -14);
    EXPECT_EQ(f.ToQFont().pixelSize(), 14);      // negative: character height in pixels
    EXPECT_EQ(f.Size(), 11);                     // 14 * 72 / 96 = 10.5, rounded away from zero
    for (int cell : {14, 16, 20, 32}) {
        f.SetHeight(cell);                       // positive: the whole cell
        const QFontMetrics fm(f.ToQFont());
        EXPECT_NEAR(fm.ascent() + fm.descent(), cell, 1) << cell;
        EXPECT_LT(f.ToQFont().pixelSize(), cell);
    }
    f.SetSize(9);
    EXPECT_EQ(f.Height(), -12);
    EXPECT_EQ(f.ToQFont().families().value(0), "Liberation Sans");
}

TEST(Colors, SystemColoursComeFromTheFixedTable) {
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(0x33, 0x99, 0xFF));
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToQColor(clBtnShadow), QColor(0xA0, 0xA0, 0xA0));
}

TEST(Bitmap, TransparentDrawLeavesOutTheBottomLeftColour) {
    TBitmap glyph(3, 2);
    glyph.Canvas().Brush().SetColor(clFuchsia);
    glyph.Canvas().FillRect(Rect(0, 0, 3, 2));
    glyph.Canvas().SetPixel(1, 0, clRed);
    glyph.SetTransparent(true);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
    QImage img = White(3, 2);
    TCanvas c(&img);
    c.Draw(0, 0, glyph);
    EXPECT_EQ(Picture(img, kLegend), (std::vector<std::string>{".r.", "..."}));
    glyph.SetSize(4, 2);  // growing keeps the picture
    EXPECT_EQ(glyph.Canvas().Pixel(1, 0), clRed);
    EXPECT_EQ(glyph.Image().format(), QImage::Format_BGR888);
}

}  // namespace
