// The skinned hint: text preparation, sizes (plain, skinned, with title and
// image), placement at the screen edges, the timed hints on the manual clock,
// the settings source on the main form, the fade-in and the application's
// hint machinery for controls.
#include "skin/forms/hint/SkinHint.h"
#include "skin/forms/hint/SkinHintMachine.h"

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Sources.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/LayerManager.h"
#include "tests/skin/support/TestSkin.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct SkinHintTest : ::testing::Test {
    std::shared_ptr<TManualTickSource> Ticks = std::make_shared<TManualTickSource>();
    std::shared_ptr<TManualPointerSource> Pointer = std::make_shared<TManualPointerSource>();
    TForm* Main = nullptr;
    TqvSkinData* Model = nullptr;
    TqvSkinHint* Hint = nullptr;
    TImageList* Images = nullptr;

    void SetUp() override {
        SetTickSource(Ticks);
        SetPointerSource(Pointer);
        Main = new TForm;
        Main->SetBounds(0, 0, 400, 300);
        Application()->SetMainForm(Main);
        Model = new TqvSkinData(Main);
        Hint = new TqvSkinHint(Main);
        Images = new TImageList(Main);
        Images->SetSize(16, 16);
        QImage red(16, 16, QImage::Format_ARGB32);
        red.fill(qRgb(255, 0, 0));
        Images->Add(red);
        QImage green(16, 16, QImage::Format_ARGB32);
        green.fill(qRgb(0, 255, 0));
        Images->Add(green);
    }
    void TearDown() override {
        delete Main;
        Application()->SetMainForm(nullptr);
        SetLayeredWindowsAvailableForTests(false, true);
        SetPointerSource(nullptr);
        SetTickSource(nullptr);
    }
    void LoadSkin() {
        TTestSkin skin;
        skin.LoadInto(*Model);
        Hint->SetSkinData(Model);
    }
    TqvSkinHintWindow* W() const { return Hint->HintWindow(); }
    // Text sizes as the hint's canvas measures them.
    TSize Measure(const QString& text, bool bold = false, bool skinFont = false) const {
        TCanvas c;
        if (skinFont) {
            const TqvDataSkinHintWindow& r = Model->HintWindow;
            TFont f(r.FontName, r.FontHeight);
            f.SetStyle(r.FontStyle);
            c.SetFont(f);
        } else {
            c.SetFont(Hint->DefaultFont());
        }
        if (bold) c.Font().SetStyle(c.Font().Style() | fsBold);
        if (bold) return c.TextExtent(text);
        return MeasureHintText(c, text);
    }
    QImage HintPicture() const { return Model->FActivePictures.at(std::size_t(Model->HintWindow.WindowPictureIndex)); }
};

struct ShowCounter : QObject {
    int Shows = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) ++Shows;
        return false;
    }
};

TEST(HintText, SeparatorsBecomeLineBreaks) {
    struct Case { const char* hint; const char* sep; const char* want; };
    const Case cases[] = {
        {"Open@Save", "@", "Open\n\rSave"},
        {"@@", "@", "\n\r\n\r"},
        {"a||b||", "||", "a\n\rb\n\r"},
        {"no separator", "@", "no separator"},
        {"a@b", "", "a@b"},
        // The search goes on after the inserted characters: no endless loop.
        {"a\nb", "\n", "a\n\rb"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrepareHintText(QString::fromLatin1(c.hint), QString::fromLatin1(c.sep)), QString::fromLatin1(c.want))
            << c.hint;
}

TEST(HintText, LineFeedCarriageReturnIsOneBreak) {
    TCanvas c;
    const TSize one = MeasureHintText(c, QStringLiteral("Open"));
    const TSize two = MeasureHintText(c, PrepareHintText(QStringLiteral("Open@Save as"), QStringLiteral("@")));
    EXPECT_EQ(two.cy, 2 * one.cy);
    EXPECT_EQ(two.cx, c.TextWidth(QStringLiteral("Save as")));
}

TEST(HintGeometry, StretchedPointsAndCorrections) {
    TqvDataSkinHintWindow r;
    r.LTPoint = Point(10, 5);
    r.RTPoint = Point(50, 5);
    r.LBPoint = Point(10, 20);
    r.RBPoint = Point(50, 20);
    r.ClRect = Rect(4, 4, 56, 21);
    const int PW = 60, PH = 25;
    struct Case { int w, h; TqvHintGeometry want; };
    const Case cases[] = {
        // Large text: no correction, the borders are added.
        {100, 30, {108, 38, Rect(4, 4, 104, 34), Point(10, 5), Point(98, 5), Point(10, 33), Point(98, 33)}},
        // Narrow: the right corner would pass the left one, so the width grows by 2.
        {10, 20, {20, 28, Rect(4, 4, 16, 24), Point(10, 5), Point(10, 5), Point(10, 23), Point(10, 23)}},
        // Low: the bottom corners would pass the top ones, so the height grows by 2.
        {100, 0, {108, 10, Rect(4, 4, 104, 6), Point(10, 5), Point(98, 5), Point(10, 5), Point(98, 5)}},
    };
    for (const Case& c : cases) EXPECT_EQ(StretchHintGeometry(r, PW, PH, c.w, c.h), c.want) << c.w << "x" << c.h;
}

TEST(HintGeometry, EdgesMoveTheHintBack) {
    const TRect area = Rect(0, 0, 800, 600);
    struct Case { TRect in, want; };
    const Case cases[] = {
        {Bounds(100, 100, 50, 20), Bounds(100, 100, 50, 20)},
        {Bounds(780, 100, 50, 20), Bounds(728, 100, 50, 20)},
        {Bounds(100, 590, 50, 20), Bounds(100, 568, 50, 20)},
        {Bounds(780, 590, 50, 20), Bounds(728, 568, 50, 20)},
        {Bounds(750, 580, 50, 20), Bounds(750, 580, 50, 20)},  // touching the edge stays
    };
    for (const Case& c : cases) EXPECT_EQ(KeepHintOnScreen(c.in, area), c.want) << c.in.Left << "," << c.in.Top;
}

TEST_F(SkinHintTest, PlainSizeWithoutSkinTwoLinesAsWideAsTheWider) {
    Hint->ActivateHint(Point(10, 10), QStringLiteral("Add@Add video files to the list"));
    ASSERT_TRUE(W()->isVisible());
    const TSize wide = Measure(QStringLiteral("Add video files to the list"));
    EXPECT_EQ(W()->width(), wide.cx + 4);
    EXPECT_EQ(W()->height(), 2 * wide.cy + 4);
    EXPECT_EQ(W()->pos(), QPoint(10, 10));
    EXPECT_FALSE(W()->ExtendedStyle());
    // The default look: info background in a shadow frame.
    const QImage img = W()->BuildImage();
    EXPECT_EQ(img.pixel(0, 0) | 0xFF000000u, ColorToQColor(clBtnShadow).rgb());
    EXPECT_EQ(img.pixel(1, 1) | 0xFF000000u, ColorToQColor(clInfoBk).rgb());
}

TEST_F(SkinHintTest, SizesWithTitleAndImage) {
    const QString text = QStringLiteral("Converts the list");
    const TSize t = Measure(text);
    struct Case { const char* title; int index; int w, h; };
    const TSize title = Measure(QStringLiteral("Convert"), true);
    const TSize longTitle = Measure(QStringLiteral("Convert every file of the list now"), true);
    const Case cases[] = {
        {"Convert", 0, std::max(t.cx, title.cx) + 16 + 10 + 4, std::max(t.cy + title.cy + 10, 16 + title.cy + 5) + 4},
        {"Convert every file of the list now", -1, std::max(t.cx, longTitle.cx) + 4, t.cy + longTitle.cy + 10 + 4},
        {"", 1, t.cx + 16 + 10 + 4, std::max(t.cy, 16 + 5) + 4},
        {"", 7, t.cx + 4, t.cy + 4},  // an index past the list: no image space
    };
    for (const Case& c : cases) {
        Hint->ActivateHintEx(Point(5, 5), QString::fromLatin1(c.title), text, c.index, Images);
        EXPECT_TRUE(W()->ExtendedStyle());
        EXPECT_EQ(W()->width(), c.w) << c.title << " " << c.index;
        EXPECT_EQ(W()->height(), c.h) << c.title << " " << c.index;
    }
}

TEST_F(SkinHintTest, SkinnedSizes) {
    LoadSkin();
    const TqvDataSkinHintWindow& r = Model->HintWindow;
    const QImage pic = HintPicture();
    const QString text = QStringLiteral("Options@Output folder and profiles");
    const TSize t = Measure(PrepareHintText(text, QStringLiteral("@")), false, true);

    Hint->ActivateHint(Point(5, 5), text);
    ASSERT_EQ(W()->SkinData(), Model);
    const TqvHintGeometry plain = StretchHintGeometry(r, pic.width(), pic.height(), t.cx + 5, t.cy);
    EXPECT_EQ(W()->Geometry(), plain);
    EXPECT_EQ(W()->size(), QSize(plain.W, plain.H));
    // The picture's corner is composed into the corner of the window.
    EXPECT_EQ(W()->BuildImage().pixel(0, 0) | 0xFF000000u, pic.pixel(0, 0) | 0xFF000000u);

    const TSize title = Measure(QStringLiteral("Options"), true, true);
    Hint->ActivateHintEx(Point(5, 5), QStringLiteral("Options"), text, 0, Images);
    const int w = std::max(t.cx, title.cx) + 16 + 10, h = std::max(t.cy + title.cy + 10, 16 + title.cy + 5);
    EXPECT_EQ(W()->Geometry(), StretchHintGeometry(r, pic.width(), pic.height(), w + 10, h));

    // Without the skin font the default font measures.
    Hint->SetUseSkinFont(false);
    Hint->ActivateHint(Point(5, 5), QStringLiteral("Options"));
    const TSize d = Measure(QStringLiteral("Options"));
    EXPECT_EQ(W()->Geometry(), StretchHintGeometry(r, pic.width(), pic.height(), d.cx + 5, d.cy));
}

TEST_F(SkinHintTest, MaskPictureShapesTheWindow) {
    LoadSkin();
    // A mask the size of the hint picture: black shows, the white corner pixel does not.
    QImage mask(HintPicture().size(), QImage::Format_RGB32);
    mask.fill(qRgb(0, 0, 0));
    mask.setPixel(0, 0, qRgb(255, 255, 255));
    Model->FActivePictures.push_back(mask);
    Model->HintWindow.MaskPictureIndex = int(Model->FActivePictures.size()) - 1;
    Hint->ActivateHint(Point(5, 5), QStringLiteral("Shaped"));
    const QRegion shape = W()->mask();
    ASSERT_FALSE(shape.isEmpty());
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));
    EXPECT_TRUE(shape.contains(QPoint(W()->width() / 2, W()->height() / 2)));
    EXPECT_TRUE(shape.contains(QPoint(W()->width() - 1, W()->height() - 1)));
    // A skin without a mask takes the shape away again.
    Model->HintWindow.MaskPictureIndex = -1;
    Hint->ActivateHint(Point(5, 5), QStringLiteral("Square"));
    EXPECT_TRUE(W()->mask().isEmpty());
}

TEST_F(SkinHintTest, SkinWithoutHintPictureGivesTheDefaultLook) {
    TTestSkin skin;
    skin.Set(QStringLiteral("HINTWINDOW"), QStringLiteral("windowpictureindex"), QStringLiteral("-1"));
    skin.LoadInto(*Model);
    Hint->SetSkinData(Model);
    Hint->ActivateHint(Point(5, 5), QStringLiteral("Open"));
    EXPECT_EQ(W()->SkinData(), nullptr);
    EXPECT_EQ(W()->width(), Measure(QStringLiteral("Open")).cx + 4);
}

TEST_F(SkinHintTest, TitleAboveTextImageLeftOfIt) {
    for (bool skinned : {false, true}) {
        if (skinned) LoadSkin();
        Hint->ActivateHintEx(Point(5, 5), QStringLiteral("Files"), QStringLiteral("Adds video files"), 1, Images);
        const TqvHintExLayout l = W()->ExLayout();
        ASSERT_TRUE(l.HasImage);
        EXPECT_EQ(l.TitleRect.Left, l.ImagePos.X) << skinned;
        EXPECT_EQ(l.TextRect.Left, l.ImagePos.X + 16 + 5) << skinned;
        EXPECT_EQ(l.TextRect.Top, l.TitleRect.Bottom + 5) << skinned;
        EXPECT_EQ(l.ImagePos.Y, l.TextRect.Top) << skinned;
        // The image is drawn where the layout puts it.
        const QImage img = W()->BuildImage();
        EXPECT_EQ(img.pixel(l.ImagePos.X + 8, l.ImagePos.Y + 8) | 0xFF000000u, qRgb(0, 255, 0)) << skinned;
        EXPECT_LE(l.TextRect.Right, W()->width()) << skinned;
    }
}

TEST_F(SkinHintTest, HintNearTheEdgesMovesBack) {
    TRect area;
    GetScreenWorkArea(false, area);
    Hint->ActivateHint(Point(area.Right - 5, area.Bottom - 5), QStringLiteral("Near the corner"));
    const int w = W()->width(), h = W()->height();
    EXPECT_EQ(W()->pos(), QPoint(area.Right - 5 - (w + 2), area.Bottom - 5 - (h + 2)));
}

TEST_F(SkinHintTest, CentredAboveOrBelowARect) {
    const TRect r = Bounds(100, 100, 80, 20);
    Hint->ActivateHint3(r, QStringLiteral("Quick button"), true);
    Ticks->Advance(Application()->HintPause());
    ASSERT_TRUE(W()->isVisible());
    EXPECT_EQ(W()->x(), 140 - W()->width() / 2);
    EXPECT_EQ(W()->y(), 100 - W()->height());
    Hint->ActivateHint3(r, QStringLiteral("Quick button"), false);
    Ticks->Advance(Application()->HintPause());
    EXPECT_EQ(W()->y(), 120);
}

TEST_F(SkinHintTest, TimedHintTwiceShowsTheSecondTextOnce) {
    ShowCounter shows;
    W()->installEventFilter(&shows);
    Pointer->Pos = QPoint(200, 150);
    Hint->ActivateHint2(QStringLiteral("First"));
    Ticks->Advance(200);
    Hint->ActivateHint2(QStringLiteral("Second"));
    Ticks->Advance(Application()->HintPause() - 1);
    EXPECT_FALSE(W()->isVisible());
    Ticks->Advance(1);
    ASSERT_TRUE(W()->isVisible());
    EXPECT_EQ(W()->HintCaption(), QStringLiteral("Second"));
    // Just below the cursor shape.
    EXPECT_EQ(W()->pos(), QPoint(200, 150 + Hint->GetCursorHeightMargin()));
    Ticks->Advance(Application()->HintHidePause() - 1);
    EXPECT_TRUE(Hint->IsVisible());
    Ticks->Advance(1);
    EXPECT_FALSE(Hint->IsVisible());
    EXPECT_FALSE(Hint->TimerActive());
    Ticks->Advance(10000);
    EXPECT_EQ(shows.Shows, 1);
}

TEST_F(SkinHintTest, HideHintEndsAWaitingHint) {
    Hint->ActivateHintEx2(QStringLiteral("Title"), QStringLiteral("Text"), Images, 0);
    Hint->HideHint();
    Ticks->Advance(10000);
    EXPECT_FALSE(Hint->IsVisible());
    EXPECT_FALSE(Hint->TimerActive());
}

TEST_F(SkinHintTest, SettingsComeFromTheFirstActiveHintOfTheMainForm) {
    auto* second = new TqvSkinHint(Main);
    second->SetLineSeparator(QStringLiteral("#"));
    // Both start active; the first on the form rules.
    second->ActivateHint(Point(5, 5), QStringLiteral("a#b"));
    EXPECT_EQ(second->HintWindow()->SpHint(), Hint);
    EXPECT_EQ(second->HintWindow()->HintCaption(), QStringLiteral("a#b"));
    // Switching the second on switches the first off.
    second->SetActive(true);
    EXPECT_FALSE(Hint->Active());
    Hint->ActivateHint(Point(5, 5), QStringLiteral("a#b"));
    EXPECT_EQ(W()->SpHint(), second);
    EXPECT_EQ(W()->HintCaption(), QStringLiteral("a\n\rb"));
    // None active: nothing shows.
    second->SetActive(false);
    Hint->HideHint();
    Hint->ActivateHint(Point(5, 5), QStringLiteral("nothing"));
    EXPECT_FALSE(Hint->IsVisible());
}

TEST_F(SkinHintTest, FadeInStepsOnTheClock) {
    SetLayeredWindowsAvailableForTests(true);
    Hint->SetAlphaBlend(true);
    Hint->SetAlphaBlendAnimation(true);
    Hint->SetAlphaBlendValue(200);
    Hint->ActivateHint(Point(5, 5), QStringLiteral("Fading"));
    EXPECT_EQ(W()->Alpha(), 0);
    std::vector<int> seen;
    while (W()->Fading() && seen.size() < 100) {
        Ticks->Advance(4);
        seen.push_back(W()->Alpha());
    }
    ASSERT_EQ(seen.size(), 16u);
    EXPECT_EQ(seen.front(), 13);
    EXPECT_EQ(seen[14], 195);
    EXPECT_EQ(seen.back(), 200);
    // Without animation the value is applied at once.
    Hint->SetAlphaBlendAnimation(false);
    Hint->ActivateHint(Point(5, 5), QStringLiteral("At once"));
    EXPECT_EQ(W()->Alpha(), 200);
    EXPECT_FALSE(W()->Fading());
}

// ---- the application's hint machinery

struct HintMachineTest : SkinHintTest {
    TqvSkinButton* A = nullptr;
    TqvSkinButton* B = nullptr;
    void SetUp() override {
        SkinHintTest::SetUp();
        Main->SetShowHint(true);
        A = new TqvSkinButton(Main);
        A->SetParent(Main);
        A->SetBounds(10, 10, 80, 25);
        A->SetHint(QStringLiteral("Add|Adds files to the list"));
        A->SetHintTitle(QStringLiteral("Add files"));
        A->SetHintImageList(Images);
        A->SetHintImageIndex(1);
        B = new TqvSkinButton(Main);
        B->SetParent(Main);
        B->SetBounds(100, 10, 80, 25);
        B->SetHint(QStringLiteral("Remove"));
        Pointer->Pos = QPoint(30, 20);
    }
    TqvSkinHintWindow* AppWindow() const { return TqvHintMachine::Instance()->Window(); }
    void Enter(QWidget* w) {
        Pointer->Widget = w;
        QEnterEvent e(QPointF(1, 1), QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)));
        QCoreApplication::sendEvent(w, &e);
    }
};

TEST_F(HintMachineTest, ToolTipEventsAreTakenBeforeControls) {
    QHelpEvent e(QEvent::ToolTip, QPoint(2, 2), A->mapToGlobal(QPoint(2, 2)));
    EXPECT_TRUE(QCoreApplication::sendEvent(A, &e));
    EXPECT_FALSE(AppWindow()->isVisible());
}

TEST_F(HintMachineTest, ControlHintAfterOurDelaysWithTitleAndImage) {
    Enter(A);
    Ticks->Advance(Application()->HintPause() - 1);
    EXPECT_FALSE(AppWindow()->isVisible());
    Ticks->Advance(1);
    ASSERT_TRUE(AppWindow()->isVisible());
    EXPECT_TRUE(AppWindow()->ExtendedStyle());
    EXPECT_EQ(AppWindow()->HintCaption(), QStringLiteral("Add"));  // the short part
    EXPECT_EQ(Hint->HintTitle(), QStringLiteral("Add files"));
    EXPECT_TRUE(AppWindow()->ExLayout().HasImage);
    EXPECT_EQ(AppWindow()->pos(), QPoint(30, 20 + HintCursorHeightMargin()));
    // The next control follows after the short pause, without title.
    Enter(B);
    EXPECT_FALSE(AppWindow()->isVisible());
    Ticks->Advance(Application()->HintShortPause());
    ASSERT_TRUE(AppWindow()->isVisible());
    EXPECT_FALSE(AppWindow()->ExtendedStyle());
    EXPECT_EQ(AppWindow()->HintCaption(), QStringLiteral("Remove"));
    Ticks->Advance(Application()->HintHidePause());
    EXPECT_FALSE(AppWindow()->isVisible());
    // Not again while the pointer stays on it.
    Ticks->Advance(10000);
    EXPECT_FALSE(AppWindow()->isVisible());
}

TEST_F(HintMachineTest, PressAndLeavingCancel) {
    Enter(A);
    Ticks->Advance(Application()->HintPause());
    ASSERT_TRUE(AppWindow()->isVisible());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), A->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(A, &press);
    EXPECT_FALSE(AppWindow()->isVisible());
    // Leaving our windows while waiting: nothing comes.
    Enter(B);
    Pointer->Widget = nullptr;
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(B, &leave);
    Ticks->Advance(10000);
    EXPECT_FALSE(AppWindow()->isVisible());
}

TEST_F(HintMachineTest, NoHintsWhereSwitchedOff) {
    Application()->SetShowHint(false);
    Enter(A);
    Ticks->Advance(10000);
    EXPECT_FALSE(AppWindow()->isVisible());
    Application()->SetShowHint(true);
    // A control that does not show hints.
    B->SetShowHint(false);
    Enter(B);
    Ticks->Advance(10000);
    EXPECT_FALSE(AppWindow()->isVisible());
}

TEST_F(HintMachineTest, OnShowHintMayChangeOrRefuse) {
    Hint->OnShowHint = [](QString& s, bool& can, THintInfo& info) {
        if (s == QLatin1String("Remove")) can = false;
        info.HintPos += QPoint(7, 0);
        s += QStringLiteral("!");
    };
    Enter(A);
    Ticks->Advance(Application()->HintPause());
    ASSERT_TRUE(AppWindow()->isVisible());
    EXPECT_EQ(AppWindow()->HintCaption(), QStringLiteral("Add!"));
    EXPECT_EQ(AppWindow()->x(), 37);
    Enter(B);
    Ticks->Advance(10000);
    EXPECT_FALSE(AppWindow()->isVisible());
}

}  // namespace
