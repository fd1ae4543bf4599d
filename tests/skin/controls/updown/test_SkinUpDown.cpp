// Up-down: the repeat schedule on the manual clock, leaving and re-entering
// the held button, release steps, range limits, the other button staying
// dark, and the looks from the record, from "resizebutton" and without skin.
#include "skin/controls/updown/SkinUpDown.h"
#include "tests/skin/controls/ControlTestSupport.h"

using Z = TTestSkin::TZone;

namespace {

QRgb Rgb(TColor c) { return ColorToQColor(c).rgb() | 0xFF000000u; }

QString R4(const TRect& r) { return QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom); }

struct UpDownTest : SkinControlTest {
    // Inside the 64 x 64 "hupdown" cell: down button left, up button right.
    const QPoint UpAt{46, 25}, DownAt{18, 25}, Outside{62, 62};
    int Changes = 0, UpClicks = 0, DownClicks = 0;

    UpDownTest() {
        Skin.AddControl("resizebutton", "button");
        Skin.Set("hupdown", "upbuttonrect", "34,10,58,40");
        Skin.Set("hupdown", "downbuttonrect", "6,10,30,40");
        Skin.Set("hupdown", "activeupbuttonrect", Part("activeskinrect"));
        Skin.Set("hupdown", "downupbuttonrect", Part("downskinrect"));
        Skin.Set("hupdown", "activedownbuttonrect", Part("focusedskinrect"));
        Skin.Set("hupdown", "downdownbuttonrect", Part("disabledskinrect"));
    }
    // A 24 x 30 piece of one flat zone of a "button" state cell.
    QString Part(const char* key) const {
        const TRect c = Skin.FlatRect("button", key);
        return R4(Rect(c.Left + 10, c.Top + 10, c.Left + 34, c.Top + 40));
    }
    TqvSkinUpDown* UpDown(bool skinned = true) {
        if (skinned) LoadSkin();
        auto* u = Make<TqvSkinUpDown>();
        u->OnChange = [this](QObject*) { ++Changes; };
        u->OnUpButtonClick = [this](QObject*) { ++UpClicks; };
        u->OnDownButtonClick = [this](QObject*) { ++DownClicks; };
        u->SetSkinData(Model);
        return u;
    }
};

}  // namespace

TEST_F(UpDownTest, HeldButtonStepsAfter600MsThenEvery100AndTheReleaseAddsOne) {
    auto* u = UpDown();
    ASSERT_EQ(u->Width(), 64);
    SendEnter(u, UpAt);
    SendMouse(u, QEvent::MouseButtonPress, UpAt);
    struct Row {
        int Advance, Position;
    };
    for (Row r : {Row{499, 0}, Row{1, 0}, Row{99, 0}, Row{1, 1}, Row{99, 1}, Row{1, 2}, Row{300, 5}}) {
        Ticks->Advance(r.Advance);
        EXPECT_EQ(u->Position(), r.Position) << "after " << Ticks->TickCount() << " ms";
    }
    EXPECT_EQ(Changes, 5);
    EXPECT_EQ(UpClicks, 0) << "repeats raise no click";
    SendMouse(u, QEvent::MouseButtonRelease, UpAt);
    EXPECT_EQ(u->Position(), 6);
    EXPECT_EQ(UpClicks, 1);
    EXPECT_EQ(Ticks->ActiveTimers(), 0);
    // The down button the same way down.
    SendMouse(u, QEvent::MouseMove, DownAt);
    SendMouse(u, QEvent::MouseButtonPress, DownAt);
    Ticks->Advance(700);
    SendMouse(u, QEvent::MouseButtonRelease, DownAt);
    EXPECT_EQ(u->Position(), 6 - 2 - 1);
    EXPECT_EQ(DownClicks, 1);
}

TEST_F(UpDownTest, LeavingTheHeldButtonPausesAndComingBackResumesAt50Ms) {
    auto* u = UpDown();
    SendEnter(u, UpAt);
    SendMouse(u, QEvent::MouseButtonPress, UpAt);
    Ticks->Advance(600);
    ASSERT_EQ(u->Position(), 1);
    SendMouse(u, QEvent::MouseMove, Outside);  // Qt sends no Leave while held
    EXPECT_FALSE(u->Button(0).MouseIn);
    Ticks->Advance(1000);
    EXPECT_EQ(u->Position(), 1);
    SendMouse(u, QEvent::MouseMove, UpAt);
    EXPECT_TRUE(u->Button(0).MouseIn);
    Ticks->Advance(49);
    EXPECT_EQ(u->Position(), 1);
    Ticks->Advance(1);
    EXPECT_EQ(u->Position(), 2);
    Ticks->Advance(50);
    EXPECT_EQ(u->Position(), 3);
    // Released outside: no step, no click.
    SendMouse(u, QEvent::MouseMove, Outside);
    SendMouse(u, QEvent::MouseButtonRelease, Outside);
    SendLeave(u);
    EXPECT_EQ(u->Position(), 3);
    EXPECT_EQ(UpClicks, 0);
    EXPECT_FALSE(u->Button(0).Down || u->Button(0).MouseIn);
}

TEST_F(UpDownTest, SlidingOntoTheOtherButtonLightsAndStepsNothing) {
    auto* u = UpDown();
    SendEnter(u, UpAt);
    SendMouse(u, QEvent::MouseButtonPress, UpAt);
    SendMouse(u, QEvent::MouseMove, DownAt);
    EXPECT_FALSE(u->Button(1).MouseIn);
    EXPECT_EQ(u->ActiveButton(), -1);
    const QImage img = u->BuildImage();
    EXPECT_EQ(Px(img, DownAt.x(), DownAt.y()), Flat("hupdown", "skinrect")) << "the down button stays normal";
    SendMouse(u, QEvent::MouseButtonRelease, DownAt);
    EXPECT_EQ(u->Position(), 0);
    EXPECT_EQ(UpClicks + DownClicks, 0);
    EXPECT_EQ(Changes, 0);
    // Back to normal hovering: the down button lights now.
    SendMoveNoButton(u, DownAt + QPoint(1, 0));
    EXPECT_TRUE(u->Button(1).MouseIn);
}

TEST_F(UpDownTest, IncrementZeroOnlyClicks) {
    auto* u = UpDown();
    u->SetIncrement(0);
    SendEnter(u, UpAt);
    SendMouse(u, QEvent::MouseButtonPress, UpAt);
    EXPECT_EQ(Ticks->ActiveTimers(), 0);
    Ticks->Advance(2000);
    SendMouse(u, QEvent::MouseButtonRelease, UpAt);
    EXPECT_EQ(u->Position(), 0);
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(UpClicks, 1);
}

TEST_F(UpDownTest, RangeLimitsIgnoreStepsAndMoveThePositionSilently) {
    auto* u = UpDown(false);
    u->SetPosition(100);
    ASSERT_EQ(Changes, 1);
    u->SetPosition(100);
    EXPECT_EQ(Changes, 2) << "an unchanged position still reports";
    SendEnter(u, {40, 10});
    SendMouse(u, QEvent::MouseButtonPress, {40, 10});  // skinless: the up button is the right half
    Ticks->Advance(1000);
    SendMouse(u, QEvent::MouseButtonRelease, {40, 10});
    EXPECT_EQ(u->Position(), 100);
    EXPECT_EQ(Changes, 2) << "steps past Max raise nothing";
    EXPECT_EQ(UpClicks, 1);
    u->SetMax(50);
    EXPECT_EQ(u->Position(), 50);
    u->SetMin(60);
    EXPECT_EQ(u->Position(), 60);
    u->SetPosition(-3);
    EXPECT_EQ(u->Position(), 60);
    EXPECT_EQ(Changes, 2);
}

TEST_F(UpDownTest, SkinnedLooksByState) {
    Skin.Set("hupdown", "downdownbuttonrect", "0,0,0,0");
    auto* u = UpDown();
    auto at = [&](QPoint p) { return Px(u->BuildImage(), p.x(), p.y()); };
    EXPECT_EQ(at(UpAt), Flat("hupdown", "skinrect"));
    SendEnter(u, UpAt);
    SendMoveNoButton(u, UpAt);
    EXPECT_EQ(at(UpAt), Flat("button", "activeskinrect"));
    EXPECT_EQ(at(DownAt), Flat("hupdown", "skinrect"));
    SendMouse(u, QEvent::MouseButtonPress, UpAt);
    EXPECT_EQ(at(UpAt), Flat("button", "downskinrect"));
    SendMouse(u, QEvent::MouseButtonRelease, UpAt);
    SendMoveNoButton(u, DownAt);
    EXPECT_EQ(at(UpAt), Flat("hupdown", "skinrect"));
    EXPECT_EQ(at(DownAt), Flat("button", "focusedskinrect"));
    SendMouse(u, QEvent::MouseButtonPress, DownAt);
    EXPECT_EQ(at(DownAt), Flat("button", "focusedskinrect")) << "an empty pressed look takes the hot one";
    SendMouse(u, QEvent::MouseButtonRelease, DownAt);
    SendLeave(u);
    EXPECT_EQ(at(DownAt), Flat("hupdown", "skinrect"));
}

TEST_F(UpDownTest, EmptyHotRectangleShowsNoHotLook) {
    Skin.Set("hupdown", "activeupbuttonrect", "0,0,0,0");
    Skin.Set("hupdown", "downupbuttonrect", "0,0,0,0");
    auto* u = UpDown();
    SendEnter(u, UpAt);
    SendMoveNoButton(u, UpAt);
    SendMouse(u, QEvent::MouseButtonPress, UpAt);
    EXPECT_EQ(Px(u->BuildImage(), UpAt.x(), UpAt.y()), Flat("hupdown", "skinrect"));
}

TEST_F(UpDownTest, FreeSizeSplitsInHalvesDrawnFromResizeButton) {
    auto* u = UpDown();
    u->SetUseSkinSize(false);
    u->SetBounds(0, 0, 80, 30);
    EXPECT_EQ(u->Width(), 80);
    EXPECT_EQ(u->Button(0).R, Rect(40, 0, 80, 30));
    EXPECT_EQ(u->Button(1).R, Rect(0, 0, 40, 30));
    // Away from the arrow, inside the client zone of the shrunk 40 x 30 piece.
    const QPoint down(8, 12), up(48, 12);
    auto at = [&](QPoint p) { return Px(u->BuildImage(), p.x(), p.y()); };
    EXPECT_EQ(at(down), Flat("resizebutton", "skinrect"));
    EXPECT_EQ(at(up), Flat("resizebutton", "skinrect"));
    EXPECT_EQ(at({1, 1}), Flat("resizebutton", "skinrect", Z::zTL));
    SendEnter(u, up);
    SendMoveNoButton(u, up);
    EXPECT_EQ(at(up), Flat("resizebutton", "activeskinrect"));
    SendMouse(u, QEvent::MouseButtonPress, up);
    EXPECT_EQ(at(up), Flat("resizebutton", "downskinrect"));
    EXPECT_EQ(at(down), Flat("resizebutton", "skinrect"));
    SendMouse(u, QEvent::MouseButtonRelease, up);
    u->SetOrientation(udVertical);
    EXPECT_EQ(u->Button(0).R, Rect(0, 0, 80, 15));
    EXPECT_EQ(u->Button(1).R, Rect(0, 15, 80, 30));
}

TEST_F(UpDownTest, FreeSizeWithoutAUsableResizeButtonDrawsBlankButtons) {
    for (bool outOfRange : {false, true}) {
        TTestSkin skin;
        skin.FlatColours();
        skin.Set("hupdown", "upbuttonrect", "34,10,58,40");
        if (outOfRange) skin.AddControl("resizebutton", "button").Set("resizebutton", "pictureindex", "7");
        skin.LoadInto(*Model);
        auto* u = Make<TqvSkinUpDown>();
        u->SetSkinData(Model);
        u->SetUseSkinSize(false);
        u->SetBounds(0, 0, 80, 30);
        EXPECT_EQ(Px(u->BuildImage(), 8, 12), Rgb(clBtnFace)) << outOfRange;
        delete u;
    }
}

TEST_F(UpDownTest, SkinlessButtonsByState) {
    auto* u = UpDown(false);
    ASSERT_EQ(u->Width(), 50);
    auto at = [&](int x, int y) { return Px(u->BuildImage(), x, y); };
    EXPECT_EQ(at(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(at(3, 3), Rgb(clBtnFace));
    SendEnter(u, {28, 3});
    SendMoveNoButton(u, {28, 3});
    EXPECT_EQ(at(25, 0), Rgb(RGB(0, 0, 128)));
    EXPECT_EQ(at(28, 3), Rgb(RGB(182, 189, 210)));
    EXPECT_EQ(at(3, 3), Rgb(clBtnFace));
    SendMouse(u, QEvent::MouseButtonPress, {28, 3});
    EXPECT_EQ(at(28, 3), Rgb(RGB(133, 147, 181)));
}
