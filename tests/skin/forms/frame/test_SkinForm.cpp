// The skinned-form component on a form with the test skin: skin application,
// the frame switch, the answers to outside senders, painting against the
// composers, the fade, window states and the hand-made move and resize.
#include "platform/Application.h"
#include "platform/Sources.h"
#include "skin/controls/base/SkinClient.h"
#include "skin/controls/statusbar/SkinStatusBar.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/menu/SkinMenu.h"
#include "skin/model/draw/EffectBmp.h"
#include "skin/model/draw/LayerManager.h"
#include "skin/model/draw/SkinCompose.h"
#include "tests/skin/forms/frame/FrameTestSupport.h"
#include "tests/skin/support/TestSkin.h"

#include "platform/Canvas.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A windowed control that counts the skin-change walk's visits.
class TCountingClient : public TWinControl, public TqvSkinClient {
public:
    TCountingClient(TForm* form, TqvSkinData* model) : TWinControl(form), Model(model) { SetParent(form); }
    TqvSkinData* SkinData() const override { return Model; }
    void ChangeSkinData() override { ++Changes; }
    TqvSkinData* Model;
    int Changes = 0;
};

const QRect kMonitor(0, 0, 1024, 768), kWork(0, 0, 1024, 738);

struct SkinForm : ::testing::Test {
    std::shared_ptr<TManualTickSource> Ticks = std::make_shared<TManualTickSource>();
    TForm* Form = nullptr;
    TqvVelmora* Comp = nullptr;
    TqvSkinData* Model = nullptr;
    TTestSkin Skin;

    void SetUp() override {
        SetTickSource(Ticks);
        Form = new TForm;
        Form->SetBounds(50, 60, 400, 300);
        Comp = new TqvVelmora(Form);
        Comp->SetScreenAreasForTests(kMonitor, kWork, kMonitor);
        Model = new TqvSkinData(Form);
        Comp->SetSkinData(Model);
    }
    void TearDown() override {
        delete Form;
        if (Application()->MainForm() == nullptr) Application()->SetMainForm(nullptr);
        SetTickSource(nullptr);
        SetLayeredWindowsAvailableForTests(false, true);
    }
    void Load() { Skin.LoadInto(*Model); }
    QRect ClientGeometry() const { return Form->Client()->geometry(); }
};

TEST_F(SkinForm, AFreedComponentLeavesAPlainForm) {
    Skin.WithMask();
    Load();
    delete Comp;
    EXPECT_EQ(Form->FrameHost(), nullptr);
    EXPECT_TRUE(Form->mask().isEmpty());
    EXPECT_EQ(ClientGeometry(), QRect(0, 0, 400, 300));
    EXPECT_EQ(Form->minimumSize(), QSize(0, 0));
    Comp = nullptr;
}

TEST_F(SkinForm, OnlyAFormOwnsTheComponent) {
    TComponent plain;
    EXPECT_THROW(TqvVelmora{&plain}, EInvalidCast);
    EXPECT_EQ(GetSkinFormComponent(Form), Comp);
    EXPECT_EQ(TqvVelmora::GetProductVersion(), QStringLiteral("7.81"));
}

TEST_F(SkinForm, CaptionIconIsTheFormsElseTheApplicationsElseBuiltIn) {
    QPixmap red(16, 16), blue(16, 16);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    const QIcon before = Application()->Icon();
    Application()->SetIcon(QIcon(blue));
    auto colour = [&] {
        QImage img(16, 16, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        Comp->DrawCaptionIcon(p, 0, 0);
        p.end();
        return img.pixel(8, 8);
    };
    EXPECT_EQ(colour(), qRgb(0, 0, 255));
    Form->SetIcon(QIcon(red));
    EXPECT_EQ(colour(), qRgb(255, 0, 0));
    Form->SetIcon(QIcon());
    Application()->SetIcon(QIcon());
    EXPECT_FALSE(Comp->CaptionIcon().isNull());
    Application()->SetIcon(before);
}

TEST_F(SkinForm, ClientSitsInTheFrameAndFollowsTheSkin) {
    // Skinless: 3 px and a 19 px caption.
    EXPECT_EQ(ClientGeometry(), QRect(3, 22, 394, 275));
    Load();
    EXPECT_TRUE(Comp->SkinSupport());
    EXPECT_EQ(Comp->Geometry().NewClRect, Rect(4, 22, 396, 296));
    EXPECT_EQ(ClientGeometry(), QRect(4, 22, 392, 274));
    Skin.Set("FORMINFO", "clientrect", "6,30,90,66");
    Load();
    EXPECT_EQ(ClientGeometry(), QRect(6, 30, 388, 264));
    // A tool window has the 15 px caption.
    Model->ClearSkin();
    Model->SendSkinDataMessage(WM_SKIN_CHANGED);
    Comp->SetFormBorderStyle(bsToolWindow);
    EXPECT_EQ(ClientGeometry(), QRect(3, 18, 394, 279));
    Comp->SetFormBorderStyle(bsNone);
    EXPECT_EQ(ClientGeometry(), QRect(0, 0, 400, 300));
}

TEST_F(SkinForm, ClientSizeIsKeptAcrossChangesButNotWhileRolledUp) {
    Comp->ClientWidth = 300;
    Comp->ClientHeight = 200;
    Load();
    EXPECT_EQ(ClientGeometry().size(), QSize(300, 200));
    Skin.Set("FORMINFO", "clientrect", "6,30,90,66");
    Load();
    EXPECT_EQ(ClientGeometry().size(), QSize(300, 200));
    EXPECT_EQ(Form->Width(), 312);
    Comp->SetRollUpState(true);
    EXPECT_EQ(Form->Height(), Comp->GetMinHeight());
    Load();
    EXPECT_EQ(Form->Height(), Comp->GetMinHeight());
    Comp->SetRollUpState(false);
    EXPECT_EQ(ClientGeometry().size(), QSize(300, 200));
}

TEST_F(SkinForm, ASmallFormGrowsOnBothSidesAtOnce) {
    Form->SetBounds(50, 60, 50, 10);
    Load();
    EXPECT_EQ(Form->Width(), 120);  // the skin's minimum width
    EXPECT_EQ(Form->Height(), 72 - 46);
    EXPECT_EQ(Form->minimumSize(), QSize(120, 26));
    EXPECT_EQ(Form->maximumSize(), kWork.size());
}

TEST_F(SkinForm, SkinnableFormOffLeavesTheSystemFrameAndItsIcons) {
    auto* client = new TCountingClient(Form, Model);
    Load();
    const int before = client->Changes;
    Model->SetSkinnableForm(false);
    EXPECT_TRUE(Form->SystemFrame());
    EXPECT_EQ(ClientGeometry(), QRect(0, 0, 400, 300));
    EXPECT_EQ(Form->BorderIcons(), TBorderIcons(biSystemMenu | biMinimize | biMaximize));
    EXPECT_GT(client->Changes, before);
    EXPECT_EQ(SendMessage(Form, WM_SKIN_QUERY_OWN_FRAME), SKIN_ANSWER_SYSTEM_FRAME);
    Comp->HideCaptionButtons = true;
    Comp->SetBorderIcons(biMinimize);
    EXPECT_EQ(Form->BorderIcons(), TBorderIcons(biMinimize));
    Model->SetSkinnableForm(true);
    EXPECT_FALSE(Form->SystemFrame());
    EXPECT_EQ(Form->BorderIcons(), 0u);
    EXPECT_EQ(ClientGeometry(), QRect(4, 22, 392, 274));
}

TEST_F(SkinForm, UseRibbonKeepsTheFrameOff) {
    Load();
    Comp->SetUseRibbon(true);
    EXPECT_TRUE(Form->SystemFrame());
    Comp->SetSkinnableForm(true);
    EXPECT_FALSE(Comp->GetSkinnableForm());
    EXPECT_TRUE(Form->SystemFrame());
    Load();
    EXPECT_TRUE(Form->SystemFrame());
}

TEST_F(SkinForm, AMaximizedStateSurvivesTheFrameSwitch) {
    Load();
    Comp->SetWindowState(wsMaximized);
    Comp->SetSkinnableForm(false);
    EXPECT_EQ(Comp->WindowState(), wsNormal);
    EXPECT_EQ(Form->WindowState(), wsMaximized);
    Comp->SetSkinnableForm(true);
    EXPECT_EQ(Form->WindowState(), wsNormal);
    EXPECT_EQ(Comp->WindowState(), wsMaximized);
    EXPECT_EQ(Form->geometry(), kWork);
}

TEST_F(SkinForm, FormStyleChangesReSkinTheControls) {
    auto* client = new TCountingClient(Form, Model);
    Comp->SetFormStyle(fsStayOnTop);
    EXPECT_EQ(Form->FormStyle(), fsStayOnTop);
    EXPECT_EQ(client->Changes, 1);
    Comp->SetFormStyle(static_cast<TFormStyle>(7));
    EXPECT_EQ(Form->FormStyle(), fsStayOnTop);
    EXPECT_EQ(client->Changes, 1);
}

TEST_F(SkinForm, AControlOfAnotherModelIsUntouched) {
    TqvSkinData other;
    auto* mine = new TCountingClient(Form, Model);
    auto* theirs = new TCountingClient(Form, &other);
    Load();
    EXPECT_EQ(mine->Changes, 1);
    EXPECT_EQ(theirs->Changes, 0);
}

TEST_F(SkinForm, AnswersToOutsideSenders) {
    Comp->PreviewMode = true;  // always active
    Load();
    EXPECT_EQ(SendMessage(Form, WM_SKIN_QUERY_OWN_FRAME), SKIN_ANSWER_OWN_FRAME);
    QImage dc(400, 300, QImage::Format_RGB32);
    dc.fill(Qt::black);
    EXPECT_EQ(SendMessage(Form, WM_SKIN_PAINT_FRAME, WPARAM(&dc)), SKIN_ANSWER_FRAME_PAINTED);
    EXPECT_EQ(dc.pixel(0, 0), Model->FPicture.pixel(0, 0));
    EXPECT_EQ(SendMessage(Form, WM_SKIN_PAINT_FRAME, 0), 0);
    EXPECT_EQ(SendMessage(Form, WM_SKIN_PAINT_FRAME_EX, 0, SKIN_PAINT_FRAME_EX_KEY), SKIN_PAINT_FRAME_EX_KEY);
    dc.fill(Qt::black);
    EXPECT_EQ(SendMessage(Form, WM_SKIN_PAINT_FRAME_EX, WPARAM(&dc), SKIN_PAINT_FRAME_EX_KEY), SKIN_PAINT_FRAME_EX_KEY);
    EXPECT_EQ(dc.pixel(0, 0), Model->FPicture.pixel(0, 0));
    EXPECT_EQ(SendMessage(Form, WM_SKIN_PAINT_FRAME_EX, WPARAM(&dc), 1), 0);
}

TEST_F(SkinForm, AMaskShapesTheWindowAtEverySize) {
    Skin.WithMask();
    Load();
    ASSERT_TRUE(Comp->HasRegion());
    const QRegion r = Form->mask();
    EXPECT_FALSE(r.contains(QPoint(0, 0)));
    EXPECT_TRUE(r.contains(QPoint(3, 0)));
    EXPECT_TRUE(r.contains(QPoint(200, 150)));
    EXPECT_FALSE(r.contains(QPoint(399, 299)));
    EXPECT_TRUE(r.contains(QPoint(396, 299)));
    Form->SetBounds(50, 60, 500, 350);
    EXPECT_FALSE(Form->mask().contains(QPoint(499, 349)));
    EXPECT_TRUE(Form->mask().contains(QPoint(496, 349)));
    // Unmasked skins and the skinless frame: the whole window.
    Skin.WithMask(false);
    Load();
    EXPECT_TRUE(Form->mask().isEmpty());
}

// ---- painting

struct Pieces {
    QImage Top, Left, Right, Bottom;
};
Pieces Compose(const TqvSkinData& s, const QImage& pic, const TqvFrameGeometry& g) {
    Pieces p;
    ComposeSkinFrameImage(s.LTPoint, s.RTPoint, s.LBPoint, s.RBPoint, s.ClRect, g.NewLTPoint, g.NewRTPoint,
                          g.NewLBPoint, g.NewRBPoint, g.NewClRect, p.Left, p.Top, p.Right, p.Bottom, pic,
                          Rect(0, 0, pic.width(), pic.height()), g.Width, g.Height, s.LeftStretch, s.TopStretch,
                          s.RightStretch, s.BottomStretch);
    return p;
}
::testing::AssertionResult SameAt(const QImage& frame, const QImage& piece, int x0, int y0) {
    for (int y = 0; y < piece.height(); ++y)
        for (int x = 0; x < piece.width(); ++x)
            if ((frame.pixel(x0 + x, y0 + y) | 0xFF000000u) != (piece.pixel(x, y) | 0xFF000000u))
                return ::testing::AssertionFailure() << "differs at " << x0 + x << "," << y0 + y;
    return ::testing::AssertionSuccess();
}

TEST_F(SkinForm, TheFrameIsTheComposersOutput) {
    Load();
    const Pieces p = Compose(*Model, Model->FPicture, Comp->Geometry());
    const QImage f = Comp->BuildFrameImage(true);
    EXPECT_TRUE(SameAt(f, p.Top, 0, 0));
    EXPECT_TRUE(SameAt(f, p.Left, 0, p.Top.height()));
    EXPECT_TRUE(SameAt(f, p.Right, 400 - p.Right.width(), p.Top.height()));
    EXPECT_TRUE(SameAt(f, p.Bottom, 0, 300 - p.Bottom.height()));
}

TEST_F(SkinForm, AnInactiveFormPaintsTheInactivePicture) {
    Skin.WithInActivePicture();
    Load();
    const Pieces p = Compose(*Model, Model->FInActivePicture, Comp->Geometry());
    const QImage f = Comp->BuildFrameImage(false);
    EXPECT_TRUE(SameAt(f, p.Top, 0, 0));
    EXPECT_TRUE(SameAt(f, p.Bottom, 0, 300 - p.Bottom.height()));
    EXPECT_NE(f.pixel(0, 0), Comp->BuildFrameImage(true).pixel(0, 0));
}

TEST_F(SkinForm, WithoutAnInactivePictureTheEffectRenders) {
    Load();
    ASSERT_TRUE(Model->AutoRenderingInActiveImage);
    ASSERT_EQ(Model->InActiveEffect, ieBrightness);
    Pieces p = Compose(*Model, Model->FPicture, Comp->Geometry());
    TqvEffectBmp e(p.Top);
    e.ChangeBrightness(0.5);
    EXPECT_TRUE(SameAt(Comp->BuildFrameImage(false), e.Image().convertToFormat(QImage::Format_RGB32), 0, 0));
}

TEST_F(SkinForm, ObjectsDrawIntoTheirPieces) {
    Load();
    auto top = std::make_unique<TTestObject>(TqvFrameObjectKind::User, cmDefault, Rect(30, 4, 40, 14), true,
                                             qRgb(255, 0, 0));
    // Below the caption on the left edge: drawn into the bottom piece, moved up by the client's bottom.
    auto side = std::make_unique<TTestObject>(TqvFrameObjectKind::User, cmDefault, Rect(0, 100, 4, 110), true,
                                              qRgb(0, 0, 255));
    Comp->ObjectList.push_back(std::move(top));
    Comp->ObjectList.push_back(std::move(side));
    const QImage f = Comp->BuildFrameImage(true);
    EXPECT_EQ(f.pixel(35, 8) | 0xFF000000u, qRgb(255, 0, 0));
    EXPECT_NE(f.pixel(1, 105) | 0xFF000000u, qRgb(0, 0, 255));
}

TEST_F(SkinForm, ClientBackgroundTilesTheClientPart) {
    Load();
    const QImage c = Comp->BuildClientImage();
    ASSERT_EQ(c.size(), QSize(392, 274));
    // The test skin stretches its client part over the form's size.
    const QRgb client = Model->FPicture.pixel(10, 30);
    EXPECT_EQ(c.pixel(100, 100), client);
}

TEST_F(SkinForm, NothingIsDrawnInTheMiddleOfAChange) {
    Comp->PreviewMode = true;
    Load();
    auto render = [&] {
        QImage img(400, 300, QImage::Format_RGB32);
        img.fill(qRgb(1, 2, 3));
        Form->render(&img, QPoint(), QRegion(0, 0, 400, 300), QWidget::RenderFlags());
        return img;
    };
    SendMessage(Form, WM_SKIN_CHANGING, WPARAM(static_cast<TqvSkinData*>(Model)), SKIN_MESSAGE_LPARAM);
    EXPECT_EQ(render().pixel(1, 1), qRgb(1, 2, 3));
    SendMessage(Form, WM_SKIN_CHANGED, WPARAM(static_cast<TqvSkinData*>(Model)), SKIN_MESSAGE_LPARAM);
    EXPECT_EQ(render().pixel(1, 1), Model->FPicture.pixel(1, 1));
}

TEST_F(SkinForm, SkinlessFrameRingsStripesAndCaption) {
    Form->SetCaption(QString());
    const QImage f = Comp->BuildFrameImage(true);
    EXPECT_EQ(f.pixel(0, 0), ColorToQColor(cl3DLight).rgb());
    EXPECT_EQ(f.pixel(399, 299), ColorToQColor(cl3DDkShadow).rgb());
    EXPECT_EQ(f.pixel(1, 1), ColorToQColor(clBtnHighlight).rgb());
    EXPECT_EQ(f.pixel(398, 298), ColorToQColor(clBtnShadow).rgb());
    EXPECT_EQ(f.pixel(2, 150), ColorToQColor(clBtnFace).rgb());
    // Stripes from caption row 2: highlight, shadow, ... up to 6 px before the buttons' room.
    EXPECT_EQ(f.pixel(100, 3 + 2), ColorToQColor(clBtnHighlight).rgb());
    EXPECT_EQ(f.pixel(100, 3 + 3), ColorToQColor(clBtnShadow).rgb());
    EXPECT_EQ(f.pixel(100, 3 + 14), ColorToQColor(clBtnHighlight).rgb());
    EXPECT_EQ(f.pixel(100, 3 + 15), ColorToQColor(clBtnShadow).rgb());
    EXPECT_EQ(f.pixel(100, 3 + 16), ColorToQColor(clBtnFace).rgb());
    // The stripes end 3 px before the buttons' room.
    const TRect cr = Comp->DefCaptionRect();
    EXPECT_EQ(f.pixel(cr.Right - 4, 3 + 2), ColorToQColor(clBtnHighlight).rgb());
    EXPECT_EQ(f.pixel(cr.Right - 3, 3 + 2), ColorToQColor(clBtnFace).rgb());
    // A caption text puts a plain patch over the stripes, 2 px round the text.
    Form->SetCaption(QStringLiteral("Caption"));
    QImage probe(10, 10, QImage::Format_RGB32);
    TCanvas cv(&probe);
    cv.SetFont(Comp->DefCaptionFont);
    const int L = cr.Left - 3, Rt = 394 - cr.Right;
    const int textLeft = 3 + L + (394 - L - Rt) / 2 - (cv.TextWidth(QStringLiteral("Caption")) + 5) / 2;
    const QImage g = Comp->BuildFrameImage(true);
    EXPECT_EQ(g.pixel(textLeft - 2, 3 + 2), ColorToQColor(clBtnFace).rgb());
    EXPECT_EQ(g.pixel(textLeft - 3, 3 + 2), ColorToQColor(clBtnHighlight).rgb());
}

TEST_F(SkinForm, TheFadeStepsOnTheTickSource) {
    SetLayeredWindowsAvailableForTests(true);
    Comp->AlphaBlendAnimation = true;
    Comp->SetAlphaBlendValue(100);  // the animation fades to 255 all the same
    Form->Show();
    EXPECT_EQ(Comp->FadeAlpha(), 0);
    Ticks->Advance(1);
    std::vector<int> steps;
    for (int i = 0; i < 16; ++i) {
        Ticks->Advance(6);
        steps.push_back(Comp->FadeAlpha());
    }
    EXPECT_EQ(steps.front(), 17);
    EXPECT_EQ(steps[13], 238);
    EXPECT_EQ(steps[14], 255);
    EXPECT_EQ(steps.back(), 255);
    EXPECT_EQ(Ticks->ActiveTimers(), 0);
}

TEST_F(SkinForm, NoFadeWithoutLayeredWindows) {
    SetLayeredWindowsAvailableForTests(false);
    Comp->AlphaBlendAnimation = true;
    Form->Show();
    EXPECT_EQ(Comp->FadeAlpha(), 255);
    EXPECT_EQ(Ticks->ActiveTimers(), 0);
}

TEST_F(SkinForm, AlphaBlendFadesToItsValue) {
    SetLayeredWindowsAvailableForTests(true);
    Comp->SetAlphaBlend(true);
    Comp->AlphaBlendAnimation = true;
    Comp->SetAlphaBlendValue(150);
    Form->Show();
    Ticks->Advance(1 + 6 * 20);
    EXPECT_EQ(Comp->FadeAlpha(), 150);
    EXPECT_NEAR(Form->windowOpacity(), 150 / 255.0, 0.01);
}

// ---- window states

TEST_F(SkinForm, MaximizeAndBackToTheKeptBounds) {
    Load();
    Comp->SetWindowState(wsMaximized);
    EXPECT_EQ(Form->geometry(), kWork);
    EXPECT_EQ(Comp->OldBoundsRect(), QRect(50, 60, 400, 300));
    Comp->SetWindowState(wsNormal);
    EXPECT_EQ(Form->geometry(), QRect(50, 60, 400, 300));
    EXPECT_TRUE(Comp->OldBoundsRect().isEmpty());
    // A work area as large as the primary screen: 1 px inside every edge.
    Comp->SetScreenAreasForTests(kMonitor, kMonitor, kMonitor);
    Comp->SetWindowState(wsMaximized);
    EXPECT_EQ(Form->geometry(), QRect(1, 1, 1022, 766));
    Comp->SetWindowState(wsNormal);
    Comp->MaximizeOnFullScreen = true;
    Comp->SetScreenAreasForTests(kMonitor, kWork, kMonitor);
    Comp->SetWindowState(wsMaximized);
    EXPECT_EQ(Form->geometry(), kMonitor);
}

TEST_F(SkinForm, RollUpAndMaximizeCombinations) {
    Load();
    const int rolled = Comp->GetMinHeight();
    // Rolled up, maximized, restored: rolled up again.
    Comp->SetRollUpState(true);
    EXPECT_EQ(Form->Height(), rolled);
    EXPECT_EQ(Comp->GetRealHeight(), 300);
    Comp->SetWindowState(wsMaximized);
    EXPECT_EQ(Form->geometry(), kWork);
    Comp->RestoreItemClick();
    EXPECT_EQ(Comp->WindowState(), wsNormal);
    EXPECT_TRUE(Comp->RollUpState());
    EXPECT_EQ(Form->Height(), rolled);
    Comp->RestoreItemClick();  // unrolls
    EXPECT_FALSE(Comp->RollUpState());
    EXPECT_EQ(Form->geometry(), QRect(50, 60, 400, 300));
    // Rolled up while maximized, restored: unrolled at the normal bounds.
    Comp->SetWindowState(wsMaximized);
    Comp->SetRollUpState(true);
    EXPECT_TRUE(Comp->MaxRollUpState());
    EXPECT_EQ(Form->Height(), rolled);
    Comp->SetWindowState(wsNormal);
    EXPECT_FALSE(Comp->RollUpState());
    EXPECT_EQ(Form->geometry(), QRect(50, 60, 400, 300));
    // Without the roll-up icon nothing rolls.
    Comp->SetBorderIcons(biSystemMenu);
    Comp->SetRollUpState(true);
    EXPECT_FALSE(Comp->RollUpState());
}

TEST_F(SkinForm, AFormRolledUpWhileMaximizedUnrollsToItsMaximizedHeight) {
    Load();
    // With and without a client height of its own: the normal height is for the normal state.
    for (int clientHeight : {0, 250}) {
        Comp->ClientHeight = clientHeight;
        Comp->SetWindowState(wsMaximized);
        Comp->SetRollUpState(true);
        ASSERT_EQ(Form->Height(), Comp->GetMinHeight()) << clientHeight;
        Comp->SetRollUpState(false);
        EXPECT_EQ(Comp->WindowState(), wsMaximized) << clientHeight;
        EXPECT_EQ(Form->geometry(), kWork) << clientHeight;
        Comp->SetWindowState(wsNormal);
        EXPECT_EQ(Form->Left(), 50) << clientHeight;
    }
    // The normal state still takes the client height when it unrolls.
    Comp->SetRollUpState(true);
    Comp->SetRollUpState(false);
    EXPECT_EQ(Form->ClientRect().Height(), 250);
}

TEST_F(SkinForm, TheMainFormMinimizesThroughTheApplication) {
    Application()->SetMainForm(Form);
    Comp->SetWindowState(wsMinimized);
    EXPECT_EQ(Comp->WindowState(), wsNormal);
    EXPECT_TRUE(Form->isMinimized());
    int restored = 0;
    Comp->OnRestore = [&](QObject*) { ++restored; };
    Form->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(restored, 1);
    Application()->SetMainForm(nullptr);
}

TEST_F(SkinForm, SecondaryFormsMinimizeIntoCells) {
    Load();
    const QRect work(0, 0, 300, 400);
    std::vector<TForm*> forms{Form};
    std::vector<TqvVelmora*> comps{Comp};
    for (int i = 0; i < 2; ++i) {
        auto* f = new TForm;
        f->SetBounds(100, 100, 300, 200);
        auto* c = new TqvVelmora(f);
        c->SetSkinData(Model);
        forms.push_back(f);
        comps.push_back(c);
    }
    for (std::size_t i = 0; i < forms.size(); ++i) {
        comps[i]->SetScreenAreasForTests(work, work, kMonitor);
        forms[i]->Show();
    }
    for (TqvVelmora* c : comps) c->SetWindowState(wsMinimized);
    // Cells of 120 x 26: two fit in a row of 300, the third goes one row up.
    EXPECT_EQ(forms[0]->geometry(), QRect(0, 374, 120, 26));
    EXPECT_EQ(forms[1]->geometry(), QRect(120, 374, 120, 26));
    EXPECT_EQ(forms[2]->geometry(), QRect(0, 348, 120, 26));
    comps[1]->SetWindowState(wsNormal);
    EXPECT_EQ(forms[1]->geometry(), QRect(100, 100, 300, 200));
    delete forms[1];
    delete forms[2];
}

TEST_F(SkinForm, FirstShowCentresInTheMonitor) {
    Comp->PositionInMonitor = qvpDesktopCenter;
    Form->Show();
    EXPECT_EQ(Form->pos(), QPoint(312, 219));
}

// ---- the frame mouse (skinless caption at (3, 3, 397, 19))

TEST_F(SkinForm, CaptionDoubleClickRule) {
    struct Case {
        const char* What;
        TBorderStyle Style;
        TqvBorderIcons Icons;
        TWindowState Before, After;
        bool RolledAfter;
    } cases[] = {
        {"sizeable with maximize", bsSizeable, biMaximize | biRollUp, wsNormal, wsMaximized, false},
        {"sizeable, maximized", bsSizeable, biMaximize | biRollUp, wsMaximized, wsNormal, false},
        {"without maximize", bsSizeable, biRollUp, wsNormal, wsNormal, true},
        {"fixed size", bsSingle, biMaximize | biRollUp, wsNormal, wsNormal, true},
    };
    for (const Case& c : cases) {
        Comp->SetFormBorderStyle(c.Style);
        Comp->SetBorderIcons(c.Icons);
        Comp->SetWindowState(c.Before);
        Mouse(Form, QEvent::MouseButtonDblClick, QPoint(50, 10));
        EXPECT_EQ(Comp->WindowState(), c.After) << c.What;
        EXPECT_EQ(Comp->RollUpState(), c.RolledAfter) << c.What;
        if (c.RolledAfter) {
            Mouse(Form, QEvent::MouseButtonDblClick, QPoint(50, 10));
            EXPECT_FALSE(Comp->RollUpState()) << c.What << ": a second double click unrolls";
        }
        Comp->SetWindowState(wsNormal);
    }
}

TEST_F(SkinForm, RightPressOnTheCaptionOpensTheSystemMenuThere) {
    Mouse(Form, QEvent::MouseButtonPress, QPoint(50, 10), Qt::RightButton, Qt::RightButton);
    ASSERT_TRUE(Comp->SkinMenu()->Visible());
    EXPECT_EQ(Comp->SkinMenu()->LastLevel()->pos(), QPoint(100, 70));
    // A second press closes the open menu before it opens the next one.
    Mouse(Form, QEvent::MouseButtonPress, QPoint(50, 10), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(Comp->SkinMenu()->LevelCount(), 1);
    Comp->SkinMenu()->Hide();
    Comp->DisableSystemMenu = true;
    Mouse(Form, QEvent::MouseButtonPress, QPoint(50, 10), Qt::RightButton, Qt::RightButton);
    EXPECT_FALSE(Comp->SkinMenu()->Visible());
}

TEST_F(SkinForm, AFixedFormWithMinimizeOnlyOffersNoMaximize) {
    // The program's main window: a single fixed border, the minimize icon only.
    Comp->SetFormBorderStyle(bsSingle);
    Comp->SetBorderIcons(biMinimize);
    Form->show();
    QApplication::setActiveWindow(Form);
    QStringList buttons;
    for (const auto& o : Comp->ObjectList)
        if (o->Visible && o->Enabled && o->Kind() == TqvFrameObjectKind::StdButton) buttons << o->IDName;
    EXPECT_EQ(buttons, QStringList({"closebutton", "minbutton"}));
    // The system menu from the caption.
    QTest::mousePress(Form->windowHandle(), Qt::RightButton, {}, QPoint(50, 10));
    ASSERT_TRUE(Comp->SkinMenu()->Visible());
    const TqvPopupLevel& level = Comp->SkinMenu()->LastLevel()->Level();
    QStringList items;
    for (int i = 0; i < level.ItemCount(); ++i)
        items << (level.Item(i)->IsSeparator() ? QStringLiteral("-") : level.Item(i)->MenuItem->Name());
    EXPECT_EQ(items, QStringList({"QVF_MINITEM", "-", "QVF_CLOSE"}));
    QTest::mouseRelease(Form->windowHandle(), Qt::RightButton, {}, QPoint(50, 10));
    Comp->SkinMenu()->Hide();
    // A double click on the caption neither maximizes nor moves it.
    const QRect before = Form->geometry();
    QTest::mouseDClick(Form->windowHandle(), Qt::LeftButton, {}, QPoint(50, 10));
    EXPECT_EQ(Comp->WindowState(), wsNormal);
    EXPECT_EQ(Form->geometry(), before);
    // No sizing zones on the fixed border.
    EXPECT_EQ(Comp->HitTest({0, 150}), HTOBJECT);
}

TEST_F(SkinForm, DraggingTheCaptionMovesTheForm) {
    Mouse(Form, QEvent::MouseButtonPress, QPoint(50, 10));
    // Within the drag distance nothing moves.
    MouseAt(Form, QEvent::MouseMove, QPoint(101, 70));
    EXPECT_EQ(Form->pos(), QPoint(50, 60));
    MouseAt(Form, QEvent::MouseMove, QPoint(200, 120));
    EXPECT_EQ(Form->pos(), QPoint(150, 110));
    MouseAt(Form, QEvent::MouseMove, QPoint(180, 150));
    EXPECT_EQ(Form->pos(), QPoint(130, 140));
    MouseAt(Form, QEvent::MouseButtonRelease, QPoint(180, 150), Qt::LeftButton, Qt::NoButton);
    MouseAt(Form, QEvent::MouseMove, QPoint(300, 300), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(Form->pos(), QPoint(130, 140));
}

TEST_F(SkinForm, AMaximizedFormStays) {
    Comp->SetWindowState(wsMaximized);
    Mouse(Form, QEvent::MouseButtonPress, QPoint(50, 10));
    MouseAt(Form, QEvent::MouseMove, QPoint(300, 300));
    EXPECT_EQ(Form->geometry(), kWork);
}

TEST_F(SkinForm, MagneticMoveSnapsToTheWorkArea) {
    Comp->Magnetic = true;
    Mouse(Form, QEvent::MouseButtonPress, QPoint(50, 10));  // global (100, 70)
    MouseAt(Form, QEvent::MouseMove, QPoint(60, 70));
    EXPECT_EQ(Form->pos(), QPoint(10, 60));
    MouseAt(Form, QEvent::MouseMove, QPoint(53, 70));
    EXPECT_EQ(Form->pos(), QPoint(0, 60));
    MouseAt(Form, QEvent::MouseMove, QPoint(51, 70));
    EXPECT_EQ(Form->pos(), QPoint(0, 60));
    // Leaving the band: once more relative to where it snapped, then free.
    MouseAt(Form, QEvent::MouseMove, QPoint(80, 70));
    EXPECT_EQ(Form->pos(), QPoint(27, 60));
    MouseAt(Form, QEvent::MouseMove, QPoint(90, 70));
    EXPECT_EQ(Form->pos(), QPoint(40, 60));
}

TEST_F(SkinForm, EdgesResizeWithinTheLimits) {
    Mouse(Form, QEvent::MouseButtonPress, QPoint(399, 150));  // right edge, global (449, 210)
    MouseAt(Form, QEvent::MouseMove, QPoint(499, 230));
    EXPECT_EQ(Form->geometry(), QRect(50, 60, 450, 300));
    MouseAt(Form, QEvent::MouseMove, QPoint(0, 210));
    EXPECT_EQ(Form->geometry(), QRect(50, 60, 120, 300));
    MouseAt(Form, QEvent::MouseButtonRelease, QPoint(0, 210), Qt::LeftButton, Qt::NoButton);
    // The top-left corner keeps the bottom-right one.
    Mouse(Form, QEvent::MouseButtonPress, QPoint(1, 1));  // global (51, 61)
    MouseAt(Form, QEvent::MouseMove, QPoint(41, 31));
    EXPECT_EQ(Form->geometry(), QRect(40, 30, 130, 330));
    MouseAt(Form, QEvent::MouseButtonRelease, QPoint(41, 31), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(ClientGeometry(), QRect(3, 22, 124, 305));
}

TEST_F(SkinForm, TheStatusBarGripResizesTheForm) {
    auto* bar = new TqvSkinStatusBar(Form);
    bar->SetParent(Form);
    bar->SetAlign(alBottom);
    bar->SetSizeGrip(true);
    Comp->SetStatusBar(bar);
    ASSERT_TRUE(bar->GripShown());
    const QPoint grip(bar->width() - 3, bar->height() - 3);
    ASSERT_EQ(bar->HitTest(grip.x(), grip.y()), HTBOTTOMRIGHT);
    const QPoint global = Form->geometry().topLeft() + bar->mapTo(Form, grip);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(grip), QPointF(global), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(40, 30)), QPointF(global + QPoint(40, 30)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &move);
    EXPECT_EQ(Form->geometry(), QRect(50, 60, 440, 330));
    // Maximized, the grip hides.
    Comp->SetWindowState(wsMaximized);
    EXPECT_FALSE(bar->GripShown());
    Comp->SetWindowState(wsNormal);
    EXPECT_TRUE(bar->GripShown());
}

TEST_F(SkinForm, CursorsFollowTheZones) {
    struct Case {
        QPoint P;
        Qt::CursorShape Shape;
    } cases[] = {
        {{0, 150}, Qt::SizeHorCursor},  {{399, 150}, Qt::SizeHorCursor}, {{200, 0}, Qt::SizeVerCursor},
        {{1, 1}, Qt::SizeFDiagCursor},  {{398, 1}, Qt::SizeBDiagCursor}, {{50, 10}, Qt::ArrowCursor},
    };
    for (const Case& c : cases) {
        Mouse(Form, QEvent::MouseMove, c.P, Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(Form->cursor().shape(), c.Shape) << c.P.x() << "," << c.P.y();
    }
    EXPECT_EQ(Form->Client()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(SkinForm, TheFormsOwnCursorOverTheFrameOnlyWhenAskedFor) {
    // A form with a cursor of its own; the caption at (50, 10), the left edge at (0, 150).
    struct Case {
        bool UseFormCursor;
        QPoint P;
        Qt::CursorShape Shape;
    } cases[] = {
        {false, {40, 10}, Qt::ArrowCursor}, {false, {0, 150}, Qt::SizeHorCursor},
        {false, {60, 10}, Qt::ArrowCursor}, {true, {70, 10}, Qt::WaitCursor},
        {true, {0, 160}, Qt::SizeHorCursor}, {true, {80, 10}, Qt::WaitCursor},
    };
    Form->show();
    Form->setCursor(Qt::WaitCursor);
    for (const Case& c : cases) {
        Comp->UseFormCursorInNCArea = c.UseFormCursor;
        QTest::mouseMove(Form->windowHandle(), c.P);
        EXPECT_EQ(Form->cursor().shape(), c.Shape) << c.UseFormCursor << " " << c.P.x() << "," << c.P.y();
    }
    // Leaving the window gives the form its own cursor back.
    Comp->UseFormCursorInNCArea = false;
    QTest::mouseMove(Form->windowHandle(), QPoint(90, 10));
    ASSERT_EQ(Form->cursor().shape(), Qt::ArrowCursor);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(Form, &leave);
    EXPECT_EQ(Form->cursor().shape(), Qt::WaitCursor);
    // A cursor set while the frame showed its own is the one kept.
    QTest::mouseMove(Form->windowHandle(), QPoint(0, 150));
    Form->setCursor(Qt::CrossCursor);
    QTest::mouseMove(Form->windowHandle(), QPoint(100, 10));
    QCoreApplication::sendEvent(Form, &leave);
    EXPECT_EQ(Form->cursor().shape(), Qt::CrossCursor);
}

TEST_F(SkinForm, FrameObjectsGetTheMouse) {
    Load();
    auto obj = std::make_unique<TTestObject>(TqvFrameObjectKind::User, cmDefault, Rect(380, 4, 392, 16), true);
    TTestObject* o = obj.get();
    // The test skin's own objects would take the point first.
    Comp->ClearObjects();
    Comp->ObjectList.push_back(std::move(obj));
    // Only an active form tracks its objects.
    Form->show();
    QApplication::setActiveWindow(Form);
    Mouse(Form, QEvent::MouseMove, QPoint(385, 10), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(Comp->ActiveObject, 0);
    EXPECT_EQ(o->Enters, 1);
    EXPECT_EQ(Comp->HitTest({385, 10}), HTOBJECT);
    Mouse(Form, QEvent::MouseButtonPress, QPoint(385, 10));
    Mouse(Form, QEvent::MouseButtonRelease, QPoint(385, 10), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(o->Downs, 1);
    EXPECT_EQ(o->Ups, 1);
    o->Enabled = false;
    Mouse(Form, QEvent::MouseMove, QPoint(386, 10), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(Comp->ActiveObject, -1);
}

}  // namespace
