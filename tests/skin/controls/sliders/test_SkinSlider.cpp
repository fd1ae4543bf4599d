#include "tests/skin/controls/ControlTestSupport.h"

#include "skin/controls/bars/SkinSlider.h"

namespace {

QString RectText(const TRect& r) { return QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom); }

struct SliderTest : SkinControlTest {
    int Changes = 0, Changed = 0;
    TqvSkinSlider* Slider(TqvSliderOrientation o = soHorizontal, int w = 150, int h = 40) {
        auto* s = Make<TqvSkinSlider>();
        if (o == soVertical) s->SetOrientation(soVertical);
        s->SetBounds(10, 10, w, h);
        s->OnChange = [this](QObject*) { ++Changes; };
        s->OnChanged = [this](QObject*) { ++Changed; };
        return s;
    }
    // A thumb of two 8 x 12 states and a 64 x 8 ruler cut from other records' cells.
    void SkinParts() {
        const TRect t = Skin.FlatRect(QStringLiteral("button"), QStringLiteral("skinrect"));
        const TRect r = Skin.FlatRect(QStringLiteral("panel"), QStringLiteral("skinrect"));
        Skin.Set(QStringLiteral("slider"), QStringLiteral("hthumbrect"), RectText(Rect(t.Left, t.Top + 52, t.Left + 16, t.Top + 64)));
        Skin.Set(QStringLiteral("slider"), QStringLiteral("hrulerrect"), RectText(Rect(r.Left, r.Top + 20, r.Left + 64, r.Top + 28)));
        Skin.Set(QStringLiteral("slider"), QStringLiteral("edgesize"), QStringLiteral("4"));
    }
};

// Built-in pictures: horizontal thumb 9 x 17 a state, ruler 8 high; on a
// 150-pixel slider the ruler is 138 long and the thumb travels 129.
TEST_F(SliderTest, OffsetsAndValuesBothWays) {
    struct Row {
        const char* Case;
        TqvSliderOrientation Orientation;
        bool Smooth;
        int Value, Offset;   // OffsetFromValue(Value) == Offset
        int Probe, Expected;  // ValueFromOffset(Probe) == Expected
    };
    const Row rows[] = {
        {"horizontal minimum", soHorizontal, true, 0, 6, 6, 0},
        {"horizontal maximum", soHorizontal, true, 100, 135, 135, 100},
        {"horizontal half, even rounding", soHorizontal, true, 50, 70, 70, 50},
        {"horizontal snapped", soHorizontal, false, 20, 32, 27, 20},
        {"horizontal past the end", soHorizontal, true, 100, 135, 400, 100},
        {"horizontal before the start", soHorizontal, true, 0, 6, -40, 0},
        {"vertical minimum at the bottom", soVertical, true, 0, 135, 135, 0},
        {"vertical maximum at the top", soVertical, true, 100, 6, 6, 100},
        {"vertical snapped", soVertical, false, 30, 96, 100, 30},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Case);
        auto* s = row.Orientation == soHorizontal ? Slider() : Slider(soVertical, 40, 150);
        if (!row.Smooth) s->SetOptions(s->Options() & ~unsigned(soSmooth));
        ASSERT_EQ(s->RulerLength(), 129);
        EXPECT_EQ(s->OffsetFromValue(row.Value), row.Offset);
        EXPECT_EQ(s->ValueFromOffset(row.Probe), row.Expected);
        s->SetValue(row.Value);
        EXPECT_EQ(row.Orientation == soHorizontal ? s->ThumbRect().Left : s->ThumbRect().Top, row.Offset);
        delete s;
    }
}

TEST_F(SliderTest, HeldRulerJumpsEvery400MsUntilTheThumbReachesThePointer) {
    auto* s = Slider();
    const int y = s->RulerOrigin().Y + 2;
    SendMouse(s, QEvent::MouseButtonPress, {120, y});
    EXPECT_EQ(s->Value(), 10) << "the first jump at once";
    for (int v = 20; v <= 90; v += 10) {
        Ticks->Advance(399);
        EXPECT_EQ(s->Value(), v - 10);
        Ticks->Advance(1);
        EXPECT_EQ(s->Value(), v);
    }
    Ticks->Advance(2000);
    EXPECT_EQ(s->Value(), 90) << "the thumb covers the pointer now";
    EXPECT_EQ(Changes, 9);
    EXPECT_EQ(Changed, 0);
    SendMouse(s, QEvent::MouseButtonRelease, {120, y});
    EXPECT_EQ(Changed, 1);
    EXPECT_FALSE(s->Tracking());
}

TEST_F(SliderTest, KeysJumpAndReportTheEnd) {
    struct Row {
        TqvSliderOrientation Orientation;
        int Key, From, To;
    };
    const Row rows[] = {
        {soHorizontal, Qt::Key_Right, 40, 50}, {soHorizontal, Qt::Key_Left, 40, 30},
        {soHorizontal, Qt::Key_Home, 40, 0},   {soHorizontal, Qt::Key_End, 40, 100},
        {soVertical, Qt::Key_Up, 40, 50},      {soVertical, Qt::Key_Down, 40, 30},
        {soHorizontal, Qt::Key_Up, 40, 40},
    };
    for (const Row& row : rows) {
        auto* s = row.Orientation == soHorizontal ? Slider() : Slider(soVertical, 40, 150);
        s->SetValue(row.From);
        Changed = 0;
        SendKey(s, QEvent::KeyPress, row.Key);
        EXPECT_EQ(s->Value(), row.To) << row.Key;
        EXPECT_EQ(Changed, row.To == row.From ? 0 : 1) << row.Key;
        delete s;
    }
}

TEST_F(SliderTest, NextAndPriorGoToTheNeighbouringMultiples) {
    struct Row {
        int From, Next, Prior;
    };
    // From 16 by 10: 20 and 10 (not 30, which rounding first would give).
    for (const Row& row : {Row{16, 20, 10}, Row{15, 20, 10}, Row{20, 30, 10}, Row{0, 10, 0}, Row{100, 100, 90},
                           Row{95, 100, 90}}) {
        auto* s = Slider();
        s->SetValue(row.From);
        s->Jump(jmNext);
        EXPECT_EQ(s->Value(), row.Next) << row.From;
        s->SetValue(row.From);
        s->Jump(jmPrior);
        EXPECT_EQ(s->Value(), row.Prior) << row.From;
        delete s;
    }
}

TEST_F(SliderTest, RangeRefusalsAndZeroDivisors) {
    auto* s = Slider();
    s->SetValue(150);
    EXPECT_EQ(s->Value(), 100);
    s->SetMaxValue(0);
    EXPECT_EQ(s->MaxValue(), 100);
    s->SetMaxValue(-5);
    EXPECT_EQ(s->MaxValue(), 100);
    s->SetRange(10, 15);
    EXPECT_EQ(s->Increment(), 5) << "a range narrower than the increment shrinks it";
    EXPECT_EQ(s->Value(), 15);
    s->SetIncrement(0);
    EXPECT_EQ(s->Increment(), 5);
    // A form being read may set an empty range: everything sits at the start.
    s->SetLoading(true);
    s->SetRange(7, 7);
    s->SetLoading(false);
    EXPECT_EQ(s->OffsetFromValue(7), 6);
    // A ruler exactly as long as the thumb.
    auto* tiny = Slider(soHorizontal, 21, 40);
    EXPECT_EQ(tiny->RulerLength(), 0);
    EXPECT_EQ(tiny->ValueFromOffset(50), 0);
    tiny->SetValue(60);
    EXPECT_EQ(tiny->ThumbRect().Left, 6);
}

TEST_F(SliderTest, TicksStayAtLeastFourPixelsApart) {
    auto* s = Slider(soHorizontal, 121, 40);
    ASSERT_EQ(s->RulerLength(), 100);
    s->SetRange(0, 1000);
    s->SetIncrement(1);
    s->BuildImage();
    const auto& t = s->LastTickOffsets();
    ASSERT_EQ(t.size(), 26u);
    for (std::size_t i = 1; i < t.size(); ++i) EXPECT_GE(t[i] - t[i - 1], 4) << i;
    EXPECT_EQ(t.back(), s->OffsetFromValue(1000) + 4);
    // A short image with a wide edge: the ruler is built without dividing by zero.
    QImage shortRuler(4, 8, QImage::Format_RGB32);
    shortRuler.fill(Qt::gray);
    s->SetImage(siHRuler, shortRuler);
    s->BuildImage();
    s->SetImage(siHRuler, QImage());
    EXPECT_EQ(s->Image(siHRuler).width(), 10) << "the built-in one again";
}

TEST_F(SliderTest, TransparentSmoothSkinnedSliderDragged) {
    SkinParts();
    LoadSkin();
    Form->SetColor(RGB(20, 120, 220));
    auto* s = Slider(soHorizontal, 200, 31);
    s->SetSkinData(Model);
    s->SetTransparent(true);
    s->SetOptions(soSmooth);
    s->SetMaxValue(1000);
    Form->Show();
    ASSERT_EQ(s->ThumbRect().Width(), 8);
    ASSERT_EQ(s->RulerLength(), 188 - 8);
    const QImage before = s->BuildImage();
    EXPECT_EQ(Px(before, 1, 1), qRgb(20, 120, 220)) << "the parent shows through";
    const QPoint grip(s->ThumbRect().Left + 3, s->ThumbRect().Top + 3);
    SendMouse(s, QEvent::MouseButtonPress, grip);
    EXPECT_TRUE(s->Sliding());
    SendMouse(s, QEvent::MouseMove, grip + QPoint(90, 0));
    EXPECT_EQ(s->Value(), 500);
    EXPECT_EQ(s->ThumbRect().Left, 96);
    SendMouse(s, QEvent::MouseMove, grip + QPoint(500, 0));
    EXPECT_EQ(s->Value(), 1000);
    SendMouse(s, QEvent::MouseButtonRelease, grip + QPoint(500, 0));
    EXPECT_EQ(Changed, 1);
    EXPECT_EQ(Changes, 2);
    // Released: the first half of the skin thumb, its bottom-left colour left out.
    const QRgb thumbMid = Px(s->BuildImage(), s->ThumbRect().Left + 4, s->ThumbRect().Top + 6);
    EXPECT_EQ(thumbMid, Flat(QStringLiteral("button"), QStringLiteral("skinrect")));
}

TEST_F(SliderTest, RecordWithoutAPictureUsesTheBuiltInImages) {
    SkinParts();
    Skin.Set(QStringLiteral("slider"), QStringLiteral("pictureindex"), QStringLiteral("9"));
    LoadSkin();
    auto* s = Slider();
    s->SetSkinData(Model);
    EXPECT_EQ(s->ThumbRect().Width(), 9);
    EXPECT_EQ(s->RulerSize().cy, 8);
    EXPECT_FALSE(s->BuildImage().isNull());
}

}  // namespace
