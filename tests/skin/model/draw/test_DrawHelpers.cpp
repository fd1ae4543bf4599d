// Rectangle helpers, probes, text codecs, layout and the line-drawn marks and
// glyphs (compared as pixel pictures), text fitting and parent backgrounds.
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/DrawUtils.h"

#include "platform/Control.h"
#include "platform/ImgList.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// ---- rectangles, versions, probes

TEST(RectHelpers, EdgesAndNullValues) {
    EXPECT_TRUE(IsNullRect({5, 5, 5, 9}));
    EXPECT_TRUE(IsNullRect({5, 5, 9, 4}));
    EXPECT_FALSE(IsNullRect({0, 0, 1, 1}));
    EXPECT_TRUE(IsNullPoint({0, 3}));
    EXPECT_FALSE(IsNullPoint({-1, 3}));
    TRect r{1, 2, 3, 4};
    SetNullRect(r);
    EXPECT_EQ(r, TRect{});
    EXPECT_TRUE(RectContainsPoint({0, 0, 10, 10}, {10, 10}));
    EXPECT_FALSE(RectContainsPoint({0, 0, 10, 10}, {11, 10}));
    EXPECT_TRUE(RectInsideRect({1, 1, 9, 9}, {0, 0, 10, 10}));
    EXPECT_FALSE(RectInsideRect({1, 1, 10, 9}, {0, 0, 10, 10}));  // right edge is outside
    EXPECT_TRUE(RectTopOrBottomInRect({0, -5, 10, 3}, {0, 0, 10, 10}));
    EXPECT_FALSE(RectTopOrBottomInRect({0, -5, 10, -1}, {0, 0, 10, 10}));
}

TEST(VersionProbes, AnswerByMajorAndMinor) {
    struct Case {
        TqvSystemVersion v;
        bool vista, xp, w2000;
    };
    const Case cases[] = {{{6, 1}, true, true, true}, {{5, 2}, false, false, true}, {{5, 1}, false, true, true},
                          {{5, 0}, false, false, true}, {{5, 3}, false, false, false}, {{4, 0}, false, false, false}};
    for (const Case& c : cases) {
        SetSystemVersionForTests(c.v);
        EXPECT_EQ(IsWindowsVistaOrLater(), c.vista) << c.v.Major << "." << c.v.Minor;
        EXPECT_EQ(IsWindowsXPOrLater(), c.xp) << c.v.Major << "." << c.v.Minor;
        EXPECT_EQ(IsWindows2000OrLater(), c.w2000) << c.v.Major << "." << c.v.Minor;
    }
    SetSystemVersionForTests({0, 0});
    EXPECT_TRUE(IsWindowsVistaOrLater());
#if defined(__x86_64__)
    EXPECT_TRUE(HasMMX());
#endif
}

TEST(MonitorWorkArea, OneScreenGivesTheWholeScreenOrItsWorkArea) {
    QScreen* s = QGuiApplication::primaryScreen();
    ASSERT_NE(s, nullptr);
    TRect r{1, 1, 1, 1};
    GetMonitorWorkArea(nullptr, false, r);
    EXPECT_EQ(r, (TRect{0, 0, s->geometry().width(), s->geometry().height()}));
    GetMonitorWorkArea(nullptr, true, r);
    EXPECT_EQ(r, TRect::FromQRect(s->availableGeometry()));
}

TEST(ParseRectText, SeparatorsAndFailures) {
    struct Case {
        const char* text;
        TRect want;
    };
    const Case cases[] = {
        {"1,2,3,4", {1, 2, 3, 4}},       {"1 2 3 4", {1, 2, 3, 4}},       {"10, 20, 110, 45", {10, 20, 110, 45}},
        {"1:2;3=4", {1, 2, 3, 4}},       {"(1,2,3,4", {}},                {"1,2,3", {}},
        {"1 ,2,3,4", {}},                {"a,2,3,4", {}},                 {"-5,2,3,4", {-5, 2, 3, 4}},
        {"99999999999,1,1,1", {}},       {"", {}},
    };
    for (const Case& c : cases) {
        TRect r{7, 7, 7, 7};
        ParseRectText(QString::fromLatin1(c.text), r);
        EXPECT_EQ(r, c.want) << c.text;
    }
}

TEST(StreamString, RoundTripCountAndShortData) {
    QBuffer buf;
    buf.open(QIODevice::ReadWrite);
    const QString s = QStringLiteral("Grün 文字");
    WriteStreamString(buf, s);
    WriteStreamString(buf, QString());
    EXPECT_EQ(buf.size(), 4 + 2 * s.size() + 4);
    buf.seek(0);
    QString a, b = QStringLiteral("x");
    ReadStreamString(buf, a);
    ReadStreamString(buf, b);
    EXPECT_EQ(a, s);
    EXPECT_TRUE(b.isEmpty());
    EXPECT_THROW(ReadStreamString(buf, a), EqvStreamError);
}

struct LayoutCase {
    const char* name;
    TqvButtonLayout layout;
    int gw, gh, tw, th, margin, spacing;
    TPoint glyph, text;
};

TEST(CalcGlyphAndCaptionLayout, TableOfLayouts) {
    const TRect R{0, 0, 100, 30};
    const LayoutCase cases[] = {
        {"left_centred", blGlyphLeft, 16, 16, 40, 13, -1, 4, {20, 7}, {40, 9}},
        {"left_margin", blGlyphLeft, 16, 16, 40, 13, 5, 4, {5, 7}, {25, 9}},
        {"right_margin", blGlyphRight, 16, 16, 40, 13, 5, 4, {79, 7}, {35, 9}},
        {"right_centred", blGlyphRight, 16, 16, 40, 13, -1, 4, {64, 7}, {20, 9}},
        {"no_glyph_ignores_spacing", blGlyphLeft, 0, 0, 40, 13, -1, 4, {30, 15}, {30, 9}},
        {"top_centred", blGlyphTop, 16, 16, 40, 13, -1, 4, {42, -1}, {30, 18}},
        {"top_margin", blGlyphTop, 16, 16, 40, 13, 2, 4, {42, 2}, {30, 22}},
        {"bottom_margin", blGlyphBottom, 16, 16, 40, 13, 2, 4, {42, 12}, {30, -5}},
        {"bottom_centred", blGlyphBottom, 16, 16, 40, 13, -1, 4, {42, 15}, {30, -1}},
    };
    for (const LayoutCase& c : cases) {
        const auto L = CalcGlyphAndCaptionLayout(c.layout, R, c.gw, c.gh, c.tw, c.th, c.margin, c.spacing);
        EXPECT_EQ(L.Glyph, c.glyph) << c.name;
        EXPECT_EQ(L.Text, c.text) << c.name;
    }
}

// ---- pixel pictures

QImage White(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(0xFFFFFFFF);
    return img;
}

std::vector<std::string> Art(const QImage& img) {
    std::vector<std::string> rows;
    for (int y = 0; y < img.height(); ++y) {
        std::string row;
        for (int x = 0; x < img.width(); ++x) row += img.pixel(x, y) == 0xFFFFFFFF ? '.' : '#';
        rows.push_back(row);
    }
    return rows;
}

struct GlyphCase {
    const char* name;
    int w, h;
    std::function<void(TCanvas&)> draw;
    std::vector<std::string> art;
};

TEST(MarksAndGlyphs, PixelPictures) {
    const GlyphCase cases[] = {
        {"small_arrow", 9, 7, [](TCanvas& c) { DrawSmallArrowMark(c, {0, 0, 9, 7}, clBlack); },
         {".........", ".........", ".........", "..#####..", "...###...", "....#....", "........."}},
        {"arrow_left", 9, 9, [](TCanvas& c) { DrawArrowImage(c, {0, 0, 9, 9}, clBlack, 1); },
         {".........", ".....#...", "....##...", "...###...", "..####...", "...###...", "....##...", ".....#...",
          "........."}},
        {"arrow_right", 9, 9, [](TCanvas& c) { DrawArrowImage(c, {0, 0, 9, 9}, clBlack, 2); },
         {".........", "...#.....", "...##....", "...###...", "...####..", "...###...", "...##....", "...#.....",
          "........."}},
        {"arrow_up", 9, 9, [](TCanvas& c) { DrawArrowImage(c, {0, 0, 9, 9}, clBlack, 3); },
         {".........", ".........", "....#....", "...###...", "..#####..", ".#######.", ".........", ".........",
          "........."}},
        {"arrow_down", 9, 9, [](TCanvas& c) { DrawArrowImage(c, {0, 0, 9, 9}, clBlack, 4); },
         {".........", ".........", ".........", ".#######.", "..#####..", "...###...", "....#....", ".........",
          "........."}},
        {"arrow_kind_0", 5, 5, [](TCanvas& c) { DrawArrowImage(c, {0, 0, 5, 5}, clBlack, 0); },
         {".....", ".....", ".....", ".....", "....."}},
        {"arrow_kind_5", 5, 5, [](TCanvas& c) { DrawArrowImage(c, {0, 0, 5, 5}, clBlack, 5); },
         {".....", ".....", ".....", ".....", "....."}},
        {"check", 8, 8, [](TCanvas& c) { DrawCheckImage(c, 0, 0, clBlack); },
         {"........", "......#.", ".....##.", "#...###.", "##.###..", "#####...", ".###....", "..#....."}},
        {"filled_square", 8, 8, [](TCanvas& c) { DrawFilledSquareMark(c, 1, 1, clBlack); },
         {"........", ".######.", ".######.", ".######.", ".######.", ".######.", ".######.", "........"}},
        {"arrow_down_glyph", 10, 7, [](TCanvas& c) { DrawArrowDownGlyph(c, 0, 0, clBlack); },
         {"..........", "..........", ".########.", "..######..", "...####...", "....##....", ".........."}},
        {"minimize_glyph", 10, 10, [](TCanvas& c) { DrawMinimizeGlyph(c, 0, 0, clBlack); },
         {"..........", "..........", "..........", "..........", "..........", "..........", "..........",
          "..........", ".########.", ".########."}},
        {"maximize_glyph", 11, 10, [](TCanvas& c) { DrawMaximizeGlyph(c, 0, 0, clBlack); },
         {"###########", "###########", "#.........#", "#.........#", "#.........#", "#.........#", "#.........#",
          "#.........#", "#.........#", "###########"}},
        {"square_glyph", 8, 8, [](TCanvas& c) { DrawSquareGlyph(c, 0, 0, clBlack); },
         {"........", "........", "..#####.", "..#####.", "..#####.", "..#####.", "..#####.", "........"}},
        {"focus_even", 5, 5, [](TCanvas& c) { DrawDottedFocusRect(c, {0, 0, 5, 5}); },
         {".#.#.", "#...#", ".....", "#...#", ".#.#."}},
        {"focus_odd", 4, 3, [](TCanvas& c) { DrawDottedFocusRect(c, {0, 0, 4, 3}); }, {"#.#.", "...#", "#.#."}},
    };
    for (const GlyphCase& g : cases) {
        QImage img = White(g.w, g.h);
        TCanvas c(&img);
        c.Font().SetColor(clBlack);
        g.draw(c);
        EXPECT_EQ(Art(img), g.art) << g.name;
    }
}

// ---- text fitting

TEST(FitWideTextToWidth, KeepsWhatFitsShortensWithDotsNeverSplitsCharacters) {
    QImage img = White(10, 10);
    TCanvas c(&img);
    c.Font().SetName("Arial");
    c.Font().SetHeight(-12);
    QString fits = QStringLiteral("Open");
    FitWideTextToWidth(c, fits, 1000);
    EXPECT_EQ(fits, "Open");

    QString none = QStringLiteral("Open file");
    FitWideTextToWidth(c, none, 1);
    EXPECT_EQ(none, "...");

    QString longer = QStringLiteral("Open the selected file");
    const int w = WideTextWidth(c, QStringLiteral("Open the..."));
    FitWideTextToWidth(c, longer, w);
    EXPECT_TRUE(longer.endsWith("..."));
    EXPECT_LE(WideTextWidth(c, longer), w);
    EXPECT_TRUE(QStringLiteral("Open the selected file").startsWith(longer.chopped(3)));

    QString pairs = QString::fromUcs4(U"\U00020000\U00020001\U00020002\U00020003");
    FitTextToWidth(c, pairs, c.TextWidth(QString::fromUcs4(U"\U00020000...")));
    for (int i = 0; i < pairs.size(); ++i)
        if (pairs[i].isHighSurrogate()) {
            ASSERT_LT(i + 1, pairs.size());
            EXPECT_TRUE(pairs[i + 1].isLowSurrogate());
        }
    EXPECT_TRUE(pairs.endsWith("..."));
}

// ---- glyph and caption

TEST(DrawImageGlyphAndCaption, GlyphPositionPressedOffsetAndMarks) {
    TImageList list;
    QImage blue(16, 16, QImage::Format_ARGB32);
    blue.fill(qRgb(0, 0, 255));
    list.Add(blue);
    list.Add(blue);
    auto draw = [&](int index, bool pressed, bool enabled, bool mark) {
        QImage img = White(100, 30);
        TCanvas c(&img);
        DrawImageGlyphAndCaption(c, {0, 0, 100, 30}, 5, 4, blGlyphLeft, QString(), index, &list, pressed, enabled,
                                 mark, clRed);
        return img;
    };
    const QImage plain = draw(1, false, true, false);
    EXPECT_EQ(plain.pixel(5, 7), qRgb(0, 0, 255));  // glyph at (5, 7)
    EXPECT_EQ(plain.pixel(20, 22), qRgb(0, 0, 255));
    EXPECT_EQ(plain.pixel(4, 7), 0xFFFFFFFFu);
    const QImage pressed = draw(1, true, true, false);
    EXPECT_EQ(pressed.pixel(5, 7), 0xFFFFFFFFu);  // one right and down
    EXPECT_EQ(pressed.pixel(6, 8), qRgb(0, 0, 255));
    EXPECT_NE(draw(1, false, false, false).pixel(10, 12), qRgb(0, 0, 255));  // disabled look
    EXPECT_EQ(Art(draw(2, false, true, false)), Art(White(100, 30)));      // out of range: no glyph

    // The mark: three rows at glyph Y + 14, 15 and 16 across the glyph.
    const QImage marked = draw(0, false, true, true);
    for (int y : {21, 22, 23}) {
        EXPECT_EQ(marked.pixel(5, y), 0xFFFF0000u) << y;
        EXPECT_EQ(marked.pixel(20, y), 0xFFFF0000u) << y;
        EXPECT_EQ(marked.pixel(21, y), 0xFFFFFFFFu) << y;
    }
    EXPECT_EQ(marked.pixel(5, 20), qRgb(0, 0, 255));

    QImage bare = White(20, 20);
    TCanvas b(&bare);
    DrawImageGlyphAndCaption(b, {0, 0, 20, 20}, -1, 4, blGlyphLeft, QString(), -1, nullptr, false, true, true, clRed);
    EXPECT_EQ(Art(bare)[3], "....................");
    EXPECT_EQ(Art(bare)[4], "....##############..");
    EXPECT_EQ(Art(bare)[15], "....##############..");
    EXPECT_EQ(Art(bare)[16], "....................");
}

TEST(DrawBitmapGlyphAndCaption, DrawsTheChosenFrameWithoutItsKeyColour) {
    TBitmap strip(12, 4, pf24bit);
    strip.Image().fill(QColor(0, 0, 255));
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x) strip.Image().setPixelColor(x, y, QColor(0, 255, 0));
    strip.Image().setPixelColor(4, 3, QColor(9, 9, 9));   // frame 2's key (bottom-left)
    strip.Image().setPixelColor(6, 1, QColor(9, 9, 9));   // keyed out too
    QImage img = White(20, 10);
    TCanvas c(&img);
    DrawBitmapGlyphAndCaption(c, {0, 0, 20, 10}, 2, 0, blGlyphLeft, QString(), strip, 3, 2, false, false, clRed);
    // Glyph 4 x 4 at (2, 3).
    EXPECT_EQ(img.pixel(2, 3), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(5, 5), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(4, 4), 0xFFFFFFFFu);
    EXPECT_EQ(img.pixel(2, 6), 0xFFFFFFFFu);
    EXPECT_EQ(img.pixel(6, 3), 0xFFFFFFFFu);
}

// ---- parent background

class Filler : public TGraphicControl {
public:
    Filler(TColor c) : FFill(c) {}

protected:
    void Paint() override {
        Canvas().Brush().SetColor(FFill);
        Canvas().FillRect({0, 0, Width(), Height()});
    }

private:
    TColor FFill;
};

// A windowless control that draws nothing of its own: it shows what lies
// under it, through the copy being tested.
class Glass : public TGraphicControl {
protected:
    void Paint() override {
        ++paints;
        CopyParentBackground(this, Canvas());
    }

public:
    int paints = 0;
};

TEST(CopyParentBackground, TransparentSiblingsCopyTheirOwnBackgroundOnce) {
    TCustomControl parent;
    parent.SetColor(clRed);
    parent.SetBounds(0, 0, 40, 30);
    Glass glass;
    glass.SetParent(&parent);
    glass.SetBounds(0, 0, 20, 20);
    TCustomControl control;
    control.SetParent(&parent);
    control.SetBounds(10, 10, 20, 10);
    QImage img = White(20, 10);
    TCanvas c(&img);
    CopyParentBackground(&control, c);
    EXPECT_EQ(glass.paints, 1);
    EXPECT_EQ(img.pixel(2, 2), qRgb(255, 0, 0));  // the parent, seen through the glass
}

TEST(CopyParentBackground, ParentAndLowerSiblingsOnlyNoRecursion) {
    TCustomControl parent;
    parent.SetColor(clRed);
    parent.SetBounds(0, 0, 40, 30);
    Filler below(clBlue), above(clLime);
    below.SetParent(&parent);
    below.SetBounds(0, 0, 15, 15);
    TCustomControl control;
    control.SetParent(&parent);
    control.SetBounds(10, 10, 20, 10);
    above.SetParent(&parent);
    above.SetBounds(20, 10, 10, 10);
    below.Show();
    above.Show();

    QImage img = White(20, 10);
    TCanvas c(&img);
    CopyParentBackground(&control, c);
    EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 255));   // the sibling below
    EXPECT_EQ(img.pixel(4, 4), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(5, 5), qRgb(255, 0, 0));   // the parent
    EXPECT_EQ(img.pixel(15, 5), qRgb(255, 0, 0));  // not the sibling above

    QImage part = White(5, 5);
    TCanvas p(&part);
    CopyParentBackgroundRect(&control, {3, 3, 8, 8}, p);
    EXPECT_EQ(part.pixel(1, 1), qRgb(0, 0, 255));  // control (4, 4)
    EXPECT_EQ(part.pixel(2, 2), qRgb(255, 0, 0));  // control (5, 5)

    QImage none = White(2, 2);
    TCanvas n(&none);
    CopyParentBackground(&parent, n);  // no parent: nothing
    CopyParentBackground(nullptr, n);
    EXPECT_EQ(none.pixel(0, 0), 0xFFFFFFFFu);
}

}  // namespace
