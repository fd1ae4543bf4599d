// The layered border on a skinned form with a pretended compositor: the side
// windows round the form, the alpha that follows the form's fade and its
// activation, resizing from the bands, activation by the band but not the
// shadow; and nothing at all without a compositor.
#include "tests/skin/forms/layered/LayerTestSupport.h"

#include <QApplication>
#include <QTest>

#include "platform/Messages.h"

TEST_F(LayerFormTest, SideWindowsSurroundTheForm) {
    AddLayerFrame();
    ASSERT_TRUE(Comp->CanShowLayeredBorder());
    EXPECT_FALSE(Border()->Visible());  // not before the form shows
    Form->Show();
    ASSERT_TRUE(Border()->Visible());
    EXPECT_EQ(Border()->FrameSize(), QSize(430, 330));
    EXPECT_EQ(Side(qvflTop)->geometry(), QRect(85, 85, 430, 20));
    EXPECT_EQ(Side(qvflLeft)->geometry(), QRect(85, 105, 15, 290));
    EXPECT_EQ(Side(qvflRight)->geometry(), QRect(500, 105, 15, 290));
    EXPECT_EQ(Side(qvflBottom)->geometry(), QRect(85, 395, 430, 20));
    for (auto s : {qvflLeft, qvflTop, qvflRight, qvflBottom}) {
        TqvFormLayerWindow* w = Side(s);
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
        EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));
        EXPECT_FALSE(w->windowFlags().testFlag(Qt::WindowTransparentForInput));  // the band takes the mouse
        EXPECT_FALSE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // The picture's alpha is the mask's grey.
        EXPECT_EQ(qAlpha(w->Content().pixel(0, 0)), 128);
    }

    // The windows follow the form's moves and sizes.
    Form->SetBounds(150, 120, 400, 300);
    EXPECT_EQ(Side(qvflTop)->pos(), QPoint(135, 105));
    Form->SetBounds(150, 120, 500, 200);
    EXPECT_EQ(Side(qvflTop)->geometry(), QRect(135, 105, 530, 20));
    EXPECT_EQ(Side(qvflLeft)->geometry(), QRect(135, 125, 15, 190));
    EXPECT_EQ(Side(qvflRight)->pos(), QPoint(650, 125));

    Form->Hide();
    EXPECT_FALSE(Border()->Visible());
    EXPECT_EQ(Side(qvflTop), nullptr);
}

TEST_F(LayerFormTest, AlphaFollowsTheFadeAndTheActivation) {
    AddLayerFrame();
    Comp->AlphaBlendAnimation = true;
    Form->Show();
    EXPECT_EQ(Border()->CurrentAlpha(), 0);
    // Fading in from 0 to 255 by 17 every 6 ms: the frame's 200 scaled by the form's alpha.
    int last = -1;
    for (int i = 0; i < 40 && Comp->FadeAlpha() < 255; ++i) {
        Ticks->Advance(6);
        const int form = Comp->FadeAlpha();
        EXPECT_EQ(Border()->CurrentAlpha(), LayerAlphaForForm(200, form));
        EXPECT_GE(Border()->CurrentAlpha(), last);
        last = Border()->CurrentAlpha();
    }
    EXPECT_EQ(Comp->FadeAlpha(), 255);
    EXPECT_EQ(Border()->CurrentAlpha(), 200);
    EXPECT_EQ(Side(qvflTop)->Alpha(), 200);
    // At form alpha 128 the frame shows at 100.
    Border()->CheckFormAlpha(128, true);
    EXPECT_EQ(Side(qvflLeft)->Alpha(), 100);
    Border()->CheckFormAlpha(255, true);

    // Inactive: the inactive alpha; active again: back.
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(Form, &deactivate);
    EXPECT_FALSE(Border()->Active());
    EXPECT_EQ(Side(qvflTop)->Alpha(), 120);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(Form, &activate);
    EXPECT_EQ(Side(qvflTop)->Alpha(), 200);
}

TEST_F(LayerFormTest, ShowWithAnimationStepsOnTheClock) {
    AddLayerFrame();
    Form->Show();
    Border()->Hide();
    Border()->ShowWithFormAnimation();
    EXPECT_EQ(Border()->CurrentAlpha(), 0);
    EXPECT_TRUE(Border()->AnimationRunning());
    Ticks->Advance(6);
    EXPECT_EQ(Border()->CurrentAlpha(), 200 / 15);
    Ticks->Advance(6 * 20);
    EXPECT_EQ(Border()->CurrentAlpha(), 200);
    EXPECT_FALSE(Border()->AnimationRunning());
}

TEST_F(LayerFormTest, BandDragsResizeTheForm) {
    AddLayerFrame();
    Comp->SetSizeLimits(300, 200, 0, 0);
    Form->SetBounds(100, 100, 300, 300);
    Form->Show();
    TqvFormLayerWindow* left = Side(qvflLeft);
    // At its minimum width a drag to the right changes nothing...
    MouseAt(left, QEvent::MouseMove, {95, 200}, Qt::NoButton);
    EXPECT_EQ(left->HitMode(), qvflhLeft);
    EXPECT_EQ(left->cursor().shape(), Qt::SizeHorCursor);
    MouseAt(left, QEvent::MouseButtonPress, {95, 200});
    EXPECT_TRUE(left->Down());
    MouseAt(left, QEvent::MouseMove, {115, 200});
    EXPECT_EQ(Form->geometry(), QRect(100, 100, 300, 300));
    EXPECT_TRUE(Comp->BorderLayerChangeSize());
    // ... and to the left widens the form and moves its left edge; the border follows.
    MouseAt(left, QEvent::MouseMove, {90, 200});
    EXPECT_EQ(Form->geometry(), QRect(75, 100, 325, 300));
    EXPECT_EQ(Side(qvflLeft)->pos(), QPoint(60, 105));
    MouseAt(left, QEvent::MouseButtonRelease, {90, 200}, Qt::NoButton);
    EXPECT_FALSE(left->Down());
    EXPECT_FALSE(Comp->BorderLayerChangeSize());

    // The bottom-right corner of the bottom window grows both ways.
    TqvFormLayerWindow* bottom = Side(qvflBottom);
    MouseAt(bottom, QEvent::MouseButtonPress, {403, 403});
    EXPECT_EQ(bottom->HitMode(), qvflhBottomRight);
    MouseAt(bottom, QEvent::MouseMove, {413, 423});
    MouseAt(bottom, QEvent::MouseButtonRelease, {413, 423}, Qt::NoButton);
    EXPECT_EQ(Form->geometry(), QRect(75, 100, 335, 320));

    // A maximized form is not resized from its bands.
    Comp->SetWindowState(wsMaximized);
    const QRect maxed = Form->geometry();
    TqvFormLayerWindow* right = Side(qvflRight);
    if (right) {
        EXPECT_FALSE(right->CanSize());
        MouseAt(right, QEvent::MouseButtonPress, maxed.topRight() + QPoint(5, 50));
        MouseAt(right, QEvent::MouseMove, maxed.topRight() + QPoint(25, 50));
        EXPECT_EQ(Form->geometry(), maxed);
    }
}

TEST_F(LayerFormTest, TheBandActivatesTheFormTheShadowDoesNot) {
    AddLayerFrame();
    TForm other;
    other.SetBounds(700, 100, 200, 200);
    Form->Show();
    other.Show();
    QApplication::setActiveWindow(&other);
    ASSERT_FALSE(Comp->GetFormActive());
    TqvFormLayerWindow* top = Side(qvflTop);
    // (87, 87) lies in the picture's shadow, outside the band.
    MouseAt(top, QEvent::MouseButtonPress, {87, 87});
    MouseAt(top, QEvent::MouseButtonRelease, {87, 87}, Qt::NoButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(Comp->GetFormActive());
    MouseAt(top, QEvent::MouseButtonPress, {300, 95});
    MouseAt(top, QEvent::MouseButtonRelease, {300, 95}, Qt::NoButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Comp->GetFormActive());
    EXPECT_EQ(Form->geometry(), QRect(100, 100, 400, 300));  // a click is no drag
}

TEST_F(LayerFormTest, WithoutABandTheMousePassesThrough) {
    AddLayerFrame(false);
    Form->Show();
    for (auto s : {qvflLeft, qvflTop, qvflRight, qvflBottom}) {
        EXPECT_TRUE(Side(s)->windowFlags().testFlag(Qt::WindowTransparentForInput));
        EXPECT_TRUE(Side(s)->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
    EXPECT_EQ(Border()->Bands(), TqvLayerBandSizes{});
}

TEST_F(LayerFormTest, HitTestOffNeverResizes) {
    AddLayerFrame(true, false);
    Form->Show();
    TqvFormLayerWindow* left = Side(qvflLeft);
    MouseAt(left, QEvent::MouseButtonPress, {95, 200});
    MouseAt(left, QEvent::MouseMove, {60, 200});
    EXPECT_FALSE(left->Down());
    EXPECT_EQ(Form->geometry(), QRect(100, 100, 400, 300));
}

TEST_F(LayerFormTest, NothingWithoutACompositorOrAFrame) {
    // No compositor: no border may show, no window exists.
    SetLayeredWindowsAvailableForTests(false);
    AddLayerFrame();
    Form->Show();
    EXPECT_FALSE(Comp->CanShowLayeredBorder());
    EXPECT_FALSE(Border()->Visible());
    for (auto s : {qvflLeft, qvflTop, qvflRight, qvflBottom}) EXPECT_EQ(Side(s), nullptr);
    Form->SetBounds(120, 120, 420, 320);
    EXPECT_EQ(Side(qvflTop), nullptr);

    // A compositor but the record names no picture, or the form turns the border off.
    SetLayeredWindowsAvailableForTests(true);
    Model->LayerFrame.PictureIndex = -1;
    Comp->ChangeSkinData();
    EXPECT_FALSE(Comp->CanShowLayeredBorder());
    EXPECT_FALSE(Border()->Visible());
    Model->LayerFrame.PictureIndex = int(Model->FActivePictures.size()) - 2;
    Comp->ChangeSkinData();
    EXPECT_TRUE(Border()->Visible());
    Comp->AlwaysDisableLayeredFrames = true;
    EXPECT_FALSE(Comp->CanShowLayeredBorder());
    Comp->AlwaysDisableLayeredFrames = false;
    // The model's switch takes the border away and brings it back.
    Model->SetShowLayeredBorders(false);
    EXPECT_FALSE(Border()->Visible());
    Model->SetShowLayeredBorders(true);
    EXPECT_TRUE(Border()->Visible());
}

TEST_F(LayerFormTest, StayOnTopFormsGetStayOnTopSides) {
    AddLayerFrame();
    Comp->SetFormStyle(fsStayOnTop);
    Form->Show();
    EXPECT_TRUE(Side(qvflTop)->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(LayerFormTest, MagneticMovingSnapsTheBandsToTheWorkArea) {
    AddLayerFrame();
    Comp->SetScreenAreasForTests(QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 738), QRect(0, 0, 1024, 768));
    Comp->Magnetic = true;
    Form->Show();
    // Find a caption point to drag by.
    QPoint grip(-1, -1);
    for (int y = 0; y < 40 && grip.x() < 0; ++y)
        for (int x = 20; x < 200; ++x)
            if (Comp->HitTest({x, y}) == HTCAPTION) {
                grip = QPoint(x, y);
                break;
            }
    if (grip.x() < 0) GTEST_SKIP() << "the skin gives no caption to drag";
    MouseAt(Form, QEvent::MouseButtonPress, Form->pos() + grip);
    // Form left 100, band 10: moving the form to left 12 puts the band 2 px off the edge.
    MouseAt(Form, QEvent::MouseMove, Form->pos() + grip + QPoint(-40, 0));
    MouseAt(Form, QEvent::MouseMove, QPoint(12, 100) + grip);
    EXPECT_EQ(Form->x(), 10);  // the band's outer edge on the work area's edge
    MouseAt(Form, QEvent::MouseButtonRelease, Form->pos() + grip, Qt::NoButton);
}

TEST_F(LayerFormTest, OutsideEffectsKeepTheBorderAwayThenFadeItBackIn) {
    AddLayerFrame();
    Form->Show();
    SendMessage(Form, WM_SKIN_SMART_EFFECTS_BEGIN, 0, 0);
    EXPECT_FALSE(Comp->CanShowLayeredBorder());
    Form->Hide();
    Form->Show();
    EXPECT_FALSE(Border()->Visible());
    SendMessage(Form, WM_SKIN_SMART_EFFECTS_END, 0, 0);
    ASSERT_TRUE(Border()->Visible());
    EXPECT_EQ(Border()->CurrentAlpha(), 0);
    // Steps of 200 / 15 = 13: the sixteenth reaches 200.
    Ticks->Advance(6 * 15);
    EXPECT_EQ(Side(qvflTop)->Alpha(), 195);
    Ticks->Advance(6);
    EXPECT_EQ(Side(qvflTop)->Alpha(), 200);
    // A second end without a beginning changes nothing.
    Border()->Hide();
    SendMessage(Form, WM_SKIN_SMART_EFFECTS_END, 0, 0);
    EXPECT_FALSE(Border()->Visible());
}
