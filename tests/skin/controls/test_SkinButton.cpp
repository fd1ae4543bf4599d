#include "tests/skin/controls/ControlTestSupport.h"

#include "skin/controls/buttons/SkinButton.h"

#include <QApplication>
#include <QTimer>

namespace {

using Z = TTestSkin::TZone;

struct ButtonTest : SkinControlTest {
    TqvSkinButton* B = nullptr;
    int Clicks = 0;
    TqvSkinButton* Button(bool skinned = true) {
        auto* b = Make<TqvSkinButton>();
        b->SetCaption(QString());
        if (skinned) {
            LoadSkin();
            b->SetSkinData(Model);
        }
        b->SetBounds(20, 20, 80, 30);
        b->OnClick = [this](QObject*) { ++Clicks; };
        return b;
    }
    QRgb Centre(TqvSkinButton* b) { return Px(b->BuildImage(), b->Width() / 2, b->Height() / 2); }
    void Click(TqvSkinButton* b, QPoint at = {10, 10}) {
        SendMouse(b, QEvent::MouseButtonPress, at);
        SendMouse(b, QEvent::MouseButtonRelease, at);
    }
};

struct StateRow {
    const char* Case;
    std::function<void(TqvSkinButton*)> Setup;
    const char* Full;  // the state picture with every rectangle in the record
    const char* Bare;  // and with only the normal one
};

TEST_F(ButtonTest, StatePicturesAndTheirFallbacks) {
    const StateRow rows[] = {
        {"normal", [](TqvSkinButton*) {}, "skinrect", "skinrect"},
        {"hot", [](TqvSkinButton* b) { SendEnter(b); }, "activeskinrect", "skinrect"},
        {"pressed", [](TqvSkinButton* b) { SendEnter(b); SendMouse(b, QEvent::MouseButtonPress, {5, 5}); },
         "downskinrect", "skinrect"},
        {"disabled", [](TqvSkinButton* b) { b->SetEnabled(false); }, "disabledskinrect", "skinrect"},
        {"focused", [](TqvSkinButton* b) { b->SetFocus(); }, "focusedskinrect", "skinrect"},
    };
    Form->Show();
    for (bool bare : {false, true}) {
        TTestSkin s = Skin;
        if (bare)
            for (const char* k : {"activeskinrect", "downskinrect", "disabledskinrect", "focusedskinrect"})
                s.Set("button", k, "0,0,0,0");
        for (const StateRow& r : rows) {
            s.LoadInto(*Model);
            auto* b = Make<TqvSkinButton>();
            b->SetSkinData(Model);
            b->SetBounds(20, 20, 80, 30);
            r.Setup(b);
            EXPECT_EQ(Centre(b), Skin.FlatColour("button", bare ? r.Bare : r.Full)) << r.Case << (bare ? " bare" : "");
            delete b;
        }
    }
}

TEST_F(ButtonTest, TextColourPerStateAndGreyWhenDisabledMatchesNormal) {
    Skin.Set("button", "disabledfontcolor", QString::number(RGB(0, 0, 0)));  // as the normal colour
    B = Button();
    TColor seen = -1;
    B->OnPaint = [&](QObject*, TCanvas& c, TRect, bool, bool, bool& drawDefault) {
        seen = c.Font().Color();
        drawDefault = false;
    };
    B->BuildImage();
    EXPECT_EQ(seen, RGB(0, 0, 0));
    SendEnter(B);
    B->BuildImage();
    EXPECT_EQ(seen, RGB(0, 0, 160));
    SendMouse(B, QEvent::MouseButtonPress, {5, 5});
    B->BuildImage();
    EXPECT_EQ(seen, RGB(160, 0, 0));
    B->SetEnabled(false);
    B->BuildImage();
    EXPECT_EQ(seen, RGB(128, 128, 128));
}

TEST_F(ButtonTest, RepeatClicksAfterTheDelayThenEveryIntervalAndOnceOnRelease) {
    B = Button();
    B->SetCanFocused(false);
    B->SetRepeatMode(true);
    B->SetRepeatInterval(100);
    SendEnter(B);
    SendMouse(B, QEvent::MouseButtonPress, {5, 5});
    Ticks->Advance(599);
    EXPECT_EQ(Clicks, 0);
    Ticks->Advance(1);
    EXPECT_EQ(Clicks, 1);  // 500 + 100
    Ticks->Advance(200);
    EXPECT_EQ(Clicks, 3);
    SendMouse(B, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(Clicks, 4);
    Ticks->Advance(1000);
    EXPECT_EQ(Clicks, 4);
    EXPECT_EQ(Ticks->ActiveTimers(), 0);

    // Released outside: no click, and the repeat stops when the pointer leaves.
    Clicks = 0;
    SendMouse(B, QEvent::MouseButtonPress, {5, 5});
    SendMouse(B, QEvent::MouseMove, {200, 5});
    Ticks->Advance(1000);
    SendMouse(B, QEvent::MouseButtonRelease, {200, 5});
    SendLeave(B);
    EXPECT_EQ(Clicks, 0);
    EXPECT_FALSE(B->Down());
}

TEST_F(ButtonTest, GroupedButtonsClickOnPressAndRaiseEachOther) {
    LoadSkin();
    TqvSkinButton* g[3];
    int clicks[3] = {};
    for (int i = 0; i < 3; ++i) {
        g[i] = Make<TqvSkinButton>();
        g[i]->SetSkinData(Model);
        g[i]->SetGroupIndex(1);
        g[i]->OnClick = [&clicks, i](QObject*) { ++clicks[i]; };
        EXPECT_FALSE(g[i]->CanFocused());
    }
    SendMouse(g[0], QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(clicks[0], 1);  // at once, before the release
    SendMouse(g[0], QEvent::MouseButtonRelease, {5, 5});
    EXPECT_TRUE(g[0]->Down());
    Click(g[1]);
    EXPECT_TRUE(g[1]->Down());
    EXPECT_FALSE(g[0]->Down());
    Click(g[1]);  // pressing a down button again: stays down without AllowAllUp
    EXPECT_TRUE(g[1]->Down());
    EXPECT_EQ(clicks[1], 1);
    for (auto* b : g) b->SetAllowAllUp(true);
    Click(g[1]);
    EXPECT_FALSE(g[1]->Down());
    EXPECT_EQ(clicks[1], 2);
    EXPECT_EQ(Centre(g[1]), Flat("button", "activeskinrect"));  // up, pointer still in
}

TEST_F(ButtonTest, LeavingWhileHeldShowsTheFocusedLookAndReleasingOutsideClicksNothing) {
    Form->Show();
    B = Button();
    SendEnter(B);
    SendMouse(B, QEvent::MouseButtonPress, {5, 5});
    ASSERT_TRUE(B->Focused());
    EXPECT_EQ(Centre(B), Flat("button", "downskinrect"));
    SendMouse(B, QEvent::MouseMove, {-10, 5});
    EXPECT_EQ(Centre(B), Flat("button", "focusedskinrect"));
    SendMouse(B, QEvent::MouseMove, {6, 6});
    EXPECT_EQ(Centre(B), Flat("button", "downskinrect"));
    SendMouse(B, QEvent::MouseMove, {6, 60});
    SendMouse(B, QEvent::MouseButtonRelease, {6, 60});
    SendLeave(B);
    EXPECT_EQ(Clicks, 0);
    EXPECT_FALSE(B->Down());

    int leaves = 0;
    B->OnMouseLeave = [&](QObject*) { ++leaves; };
    SendEnter(B);
    Click(B, {5, 5});
    EXPECT_EQ(Clicks, 1);  // one OnClick per click
    SendMouse(B, QEvent::MouseButtonPress, {5, 5});
    SendMouse(B, QEvent::MouseMove, {500, 5});
    SendMouse(B, QEvent::MouseButtonRelease, {500, 5});
    SendLeave(B);
    EXPECT_EQ(leaves, 1);  // the move reported it; Qt's late Leave is not a second one
}

TEST_F(ButtonTest, DialogKeysReachDefaultAndCancelButtons) {
    auto* ok = Button();
    auto* cancel = Button();
    auto* other = Make<TqvSkinCustomControl>();
    other->SetTabStop(true);
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](QObject*) { ++okClicks; };
    cancel->OnClick = [&](QObject*) { ++cancelClicks; };
    ok->SetDefault(true);
    cancel->SetCancel(true);
    Form->Show();
    QApplication::setActiveWindow(Form);  // focus changes are reported for the active window only
    other->SetFocus();
    EXPECT_TRUE(ok->Active());
    EXPECT_TRUE(ok->MouseIn());  // the default button looks active while a non-button has the focus

    struct Row {
        int Key;
        Qt::KeyboardModifiers Mods;
        int Ok, Cancel;
    };
    for (Row r : {Row{Qt::Key_Return, Qt::NoModifier, 1, 0}, Row{Qt::Key_Return, Qt::ShiftModifier, 1, 0},
                  Row{Qt::Key_Escape, Qt::NoModifier, 0, 1}, Row{Qt::Key_Escape, Qt::ShiftModifier, 0, 0}}) {
        okClicks = cancelClicks = 0;
        Form->DispatchDialogKey(r.Key, r.Mods);
        EXPECT_EQ(okClicks, r.Ok) << r.Key << " " << r.Mods;
        EXPECT_EQ(cancelClicks, r.Cancel) << r.Key << " " << r.Mods;
    }
    cancel->SetFocus();  // another button takes the focus: the default one is no longer active
    EXPECT_FALSE(ok->Active());
    EXPECT_FALSE(ok->MouseIn());
    okClicks = 0;
    Form->DispatchDialogKey(Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(okClicks, 0);
}

TEST_F(ButtonTest, MorphRunsInFifthsEveryTwentyMillisecondsAndNeverBlendsWhenDisabled) {
    Skin.Set("button", "morphing", "1");
    B = Button();
    B->SetCanFocused(false);
    SendEnter(B);
    std::vector<int> steps;
    for (int i = 0; i < 6; ++i) {
        Ticks->Advance(20);
        steps.push_back(B->MorphStep());
        if (B->MorphStep() > 0 && B->MorphStep() < 5) {
            B->BuildImage();
            EXPECT_EQ(B->LastState(), 5);
        }
    }
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4, 5, 5}));
    EXPECT_FALSE(B->MorphRunning());
    EXPECT_EQ(Centre(B), Flat("button", "activeskinrect"));
    SendLeave(B);
    steps.clear();
    for (int i = 0; i < 5; ++i) {
        Ticks->Advance(20);
        steps.push_back(B->MorphStep());
    }
    EXPECT_EQ(steps, (std::vector<int>{4, 3, 2, 1, 0}));

    SendEnter(B);
    Ticks->Advance(40);
    B->SetEnabled(false);
    EXPECT_EQ(B->MorphStep(), 0);
    Ticks->Advance(100);
    B->BuildImage();
    EXPECT_NE(B->LastState(), 5);
}

TEST_F(ButtonTest, FreeSizeStretchesAFixedRecordAndDropsTheRegion) {
    const TRect cell = Skin.FlatRect("button", "activeskinrect");  // its top as a 64 x 25 fixed record
    Skin.Set("button", "skinrect", QStringLiteral("0,%1,64,%2").arg(cell.Top).arg(cell.Top + 25));
    for (const char* k : {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"})
        Skin.Set("button", k, "0,0");
    Skin.Set("button", "clientrect", "4,8,60,21").Set("button", "maskpictureindex", "1");
    B = Button();
    EXPECT_EQ(B->size(), QSize(64, 25));
    EXPECT_TRUE(B->HasSkinRegion());
    B->SetUseSkinSize(false);
    B->ChangeSkinData();
    B->SetBounds(0, 0, 200, 60);
    EXPECT_EQ(B->size(), QSize(200, 60));
    EXPECT_FALSE(B->HasSkinRegion());
    const QImage img = B->BuildImage();
    // The 4-pixel left border of the cell is about 12 pixels wide at 200.
    EXPECT_EQ(Px(img, 8, 30), Flat("button", "activeskinrect", Z::zL));
    EXPECT_EQ(Px(img, 100, 30), Flat("button", "activeskinrect", Z::zC));
    EXPECT_EQ(B->RealClientRect(), Rect(4, 8, 196, 56));
}

TEST_F(ButtonTest, FourGlyphFramesFollowTheState) {
    B = Button(false);
    TBitmap strip(32, 8, pf24bit);
    const TColor frames[] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 200, 0)};
    for (int f = 0; f < 4; ++f)
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y) strip.Canvas().SetPixel(f * 8 + x, y, frames[f]);
    for (int f = 0; f < 4; ++f) strip.Canvas().SetPixel(f * 8, 7, RGB(255, 0, 255));  // each frame's transparent colour
    B->SetGlyph(strip);
    B->SetNumGlyphs(4);
    auto glyph = [&] { return Px(B->BuildImage(), 40, 15); };
    EXPECT_EQ(glyph(), ColorToQColor(frames[0]).rgb());
    SendEnter(B);
    EXPECT_EQ(glyph(), ColorToQColor(frames[3]).rgb());
    B->SetCanFocused(false);
    SendMouse(B, QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(Px(B->BuildImage(), 41, 16), ColorToQColor(frames[2]).rgb());  // pressed: one pixel right and down
    SendMouse(B, QEvent::MouseButtonRelease, {5, 5});
    SendLeave(B);
    B->SetEnabled(false);
    EXPECT_EQ(glyph(), ColorToQColor(frames[1]).rgb());
}

TEST_F(ButtonTest, ModalResultEndsShowModal) {
    auto* dialog = new TForm;
    auto* ok = new TqvSkinButton(dialog);
    ok->SetParent(dialog);
    ok->SetModalResult(mrOk);
    dialog->SetBounds(0, 0, 200, 100);
    QTimer::singleShot(0, [&] {
        SendMouse(ok, QEvent::MouseButtonPress, {5, 5});
        SendMouse(ok, QEvent::MouseButtonRelease, {5, 5});
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    delete dialog;
}

}  // namespace

namespace {

// Records the glow messages it is sent, then handles them as a button does.
struct TGlowLogButton : TqvSkinButton {
    using TqvSkinButton::TqvSkinButton;
    std::vector<unsigned> Glow;
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_SKIN_GLOW_SHOW || m.Msg == WM_SKIN_GLOW_HIDE) Glow.push_back(m.Msg);
        TqvSkinButton::WndProc(m);
    }
};

TEST_F(ButtonTest, EnteringAndLeavingPostTheGlowMessagesWhichShowNothingWithoutAGlowPicture) {
    LoadSkin();
    auto* b = Make<TGlowLogButton>();
    b->SetSkinData(Model);
    b->SetBounds(20, 20, 80, 30);
    SendEnter(b);
    EXPECT_TRUE(b->Glow.empty()) << "posted, not sent";
    QCoreApplication::processEvents();
    EXPECT_EQ(b->Glow, std::vector<unsigned>({WM_SKIN_GLOW_SHOW}));
    SendLeave(b);
    QCoreApplication::processEvents();
    EXPECT_EQ(b->Glow, std::vector<unsigned>({WM_SKIN_GLOW_SHOW, WM_SKIN_GLOW_HIDE}));
    EXPECT_EQ(WM_SKIN_GLOW_SHOW, 1424u);
    EXPECT_EQ(WM_SKIN_GLOW_HIDE, 1425u);
    EXPECT_FALSE(b->LayerManager()->IsVisible());
}

}  // namespace
