// The images menu's grid on the manual clock: item hints through the menu's
// hint component as the pointer moves over the cells, and the grid's
// translucency and fade-in where a compositor runs.
#include "skin/forms/hint/SkinHint.h"
#include "skin/forms/menu/ImagesMenu.h"

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Sources.h"
#include "skin/model/draw/LayerManager.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <memory>

namespace {

struct ImagesMenuHintTest : ::testing::Test {
    std::shared_ptr<TManualTickSource> Ticks = std::make_shared<TManualTickSource>();
    std::unique_ptr<TForm> Main;
    TImageList* Images = nullptr;
    TqvSkinImagesMenu* Menu = nullptr;
    TqvSkinHint* Hint = nullptr;

    void SetUp() override {
        SetTickSource(Ticks);
        Main = std::make_unique<TForm>();
        Main->SetBounds(50, 50, 300, 200);
        Application()->SetMainForm(Main.get());
        Images = new TImageList(Main.get());
        Images->SetSize(16, 16);
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(qRgb(0, 120, 0));
        for (int i = 0; i < 3; ++i) Images->Add(img);
        Menu = new TqvSkinImagesMenu(Main.get());
        Menu->SetImages(Images);
        Menu->SetColumnsCount(3);
        Menu->WorkArea = Rect(0, 0, 1024, 768);
        const char* hints[] = {"Red", "", "Blue"};
        for (int i = 0; i < 3; ++i) {
            TqvImagesMenuItem item;
            item.ImageIndex = i;
            item.Hint = QString::fromLatin1(hints[i]);
            Menu->ImagesItems().push_back(item);
        }
        Hint = new TqvSkinHint(Main.get());
        Menu->SetSkinHint(Hint);
        Main->Show();
    }
    void TearDown() override {
        Menu->Hide();
        Main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Application()->SetMainForm(nullptr);
        SetTickSource(nullptr);
        SetLayeredWindowsAvailableForTests(false, true);
    }
    TqvSkinImagesMenuPopupWindow* Open() {
        Menu->PopupFromRect(Rect(100, 100, 140, 120));
        return Menu->PopupWindow();
    }
    QPoint CellCentre(int i) const {
        const TRect r = Menu->ImagesItems()[std::size_t(i)].ItemRect;
        return QPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    }
    // The pointer comes to a cell; the hint pause passes.
    void RestOn(QWidget* Grid, QPoint P) {
        QTest::mouseMove(Grid->windowHandle(), P);
        Ticks->Advance(Application()->HintPause());
    }
    QString ShownHint() const { return Hint->IsVisible() ? Hint->HintWindow()->HintCaption() : QString(); }
};

TEST_F(ImagesMenuHintTest, ACellsHintShowsAfterThePauseWhileHintsAreOn) {
    struct Case {
        const char* What;
        bool ShowHints, WithHintComponent;
        int Cell;
        const char* Shown;
    } cases[] = {
        {"a cell with a hint", true, true, 0, "Red"},
        {"a cell without one", true, true, 1, ""},
        {"hints off", false, true, 2, ""},
        {"no hint component", true, false, 2, ""},
    };
    for (const Case& c : cases) {
        Menu->SetShowHints(c.ShowHints);
        Menu->SetSkinHint(c.WithHintComponent ? Hint : nullptr);
        TqvSkinImagesMenuPopupWindow* grid = Open();
        ASSERT_NE(grid, nullptr) << c.What;
        // From off the cells, so every case is a move.
        QTest::mouseMove(grid->windowHandle(), QPoint(1, 1));
        RestOn(grid, CellCentre(c.Cell));
        EXPECT_EQ(grid->MouseInItem, c.Cell) << c.What;
        EXPECT_EQ(ShownHint(), QString::fromLatin1(c.Shown)) << c.What;
        Menu->Hide();
        EXPECT_FALSE(Hint->IsVisible()) << c.What << ": closing the grid takes the hint away";
    }
}

TEST_F(ImagesMenuHintTest, TheHintFollowsTheCellsAndGoesOnAPressOrLeave) {
    TqvSkinImagesMenuPopupWindow* grid = Open();
    RestOn(grid, CellCentre(0));
    EXPECT_EQ(ShownHint(), "Red");
    // Another cell: the old hint goes at once, the new one after the pause.
    QTest::mouseMove(grid->windowHandle(), CellCentre(2));
    EXPECT_FALSE(Hint->IsVisible());
    Ticks->Advance(Application()->HintPause());
    EXPECT_EQ(ShownHint(), "Blue");
    // Off the cells (the frame): no hint.
    QTest::mouseMove(grid->windowHandle(), QPoint(1, 1));
    EXPECT_FALSE(Hint->IsVisible());
    RestOn(grid, CellCentre(0));
    EXPECT_EQ(ShownHint(), "Red");
    QTest::mousePress(grid->windowHandle(), Qt::LeftButton, {}, CellCentre(0));
    EXPECT_FALSE(Hint->IsVisible());
    QTest::mouseRelease(grid->windowHandle(), Qt::LeftButton, {}, CellCentre(0));
    EXPECT_EQ(Menu->ItemIndex(), 0);
    // Leaving the grid.
    grid = Open();
    RestOn(grid, CellCentre(2));
    ASSERT_EQ(ShownHint(), "Blue");
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(grid, &leave);
    EXPECT_FALSE(Hint->IsVisible());
}

TEST_F(ImagesMenuHintTest, TheGridFadesInByTensOnlyWhereACompositorRuns) {
    struct Case {
        const char* What;
        bool Compositor, Blend, Animation;
        int AtOpen, AfterOneStep, AtEnd;
    } cases[] = {
        {"fading", true, true, true, 0, 10, 150},
        {"constant alpha", true, true, false, 150, 150, 150},
        {"animation alone", true, false, true, 255, 255, 255},
        {"no compositor", false, true, true, 255, 255, 255},
    };
    Menu->SetAlphaBlendValue(150);
    for (const Case& c : cases) {
        SetLayeredWindowsAvailableForTests(c.Compositor);
        Menu->SetAlphaBlend(c.Blend);
        Menu->SetAlphaBlendAnimation(c.Animation);
        TqvSkinImagesMenuPopupWindow* grid = Open();
        EXPECT_EQ(grid->Alpha(), c.AtOpen) << c.What;
        Ticks->Advance(6);
        EXPECT_EQ(grid->Alpha(), c.AfterOneStep) << c.What;
        Ticks->Advance(6 * 15);
        EXPECT_EQ(grid->Alpha(), c.AtEnd) << c.What;
        EXPECT_FALSE(grid->Fading()) << c.What;
        if (c.Compositor && c.Blend) {
            EXPECT_NEAR(grid->windowOpacity(), 150 / 255.0, 0.01) << c.What;
        }
        Menu->Hide();
    }
    // A grid closed in the middle of its fade stops it.
    SetLayeredWindowsAvailableForTests(true);
    Menu->SetAlphaBlend(true);
    Menu->SetAlphaBlendAnimation(true);
    Open();
    Ticks->Advance(6);
    Menu->Hide();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Ticks->ActiveTimers(), 0);
}

}  // namespace
