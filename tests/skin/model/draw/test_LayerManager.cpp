// The fading glow window: its fade stepped by hand, its window kinds, and
// what happens where no compositing manager runs (as under these tests).
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/LayerManager.h"

#include <QApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

QImage Solid(QRgb c, int w = 6, int h = 4) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// Time moves only when the test advances it; a tick is one fade interval.
struct ManualTime : ::testing::Test {
    void SetUp() override { SetTickSource(ticks); }
    void TearDown() override { SetTickSource(nullptr); }
    // True when the fade was still running and took a step.
    bool Tick(TqvLayerManager& m) {
        if (!m.TimerActive()) return false;
        ticks->Advance(TqvLayerManager::FadeInterval);
        return true;
    }
    std::shared_ptr<TManualTickSource> ticks = std::make_shared<TManualTickSource>();
};

struct Fixture : ManualTime {
    void SetUp() override {
        ManualTime::SetUp();
        SetLayeredWindowsAvailableForTests(true);
    }
    void TearDown() override {
        SetLayeredWindowsAvailableForTests(false, true);
        ManualTime::TearDown();
    }
};

using LayerFade = Fixture;

TEST_F(LayerFade, StepsAreATenthOfTheTargetAtLeastOne) {
    struct Case {
        int target;
        std::vector<int> steps;
    };
    const Case cases[] = {
        {200, {20, 40, 60, 80, 100, 120, 140, 160, 180, 200}},
        {5, {1, 2, 3, 4, 5}},
        {0, {0}},
        {255, {25, 50, 75, 100, 125, 150, 175, 200, 225, 250, 255}},
    };
    for (const Case& c : cases) {
        TqvLayerManager m;
        m.Show(10, 20, Solid(0xFF336699), Solid(0xFFFFFFFF), c.target);
        ASSERT_TRUE(m.IsVisible());
        EXPECT_EQ(m.LayerWindow()->Alpha(), 0);  // shown fully transparent first
        ticks->Advance(TqvLayerManager::FadeInterval - 1);
        EXPECT_EQ(m.BeginAlphaBlendValue(), 0);  // every 25 ms, not sooner
        ticks->Advance(1);
        std::vector<int> seen{m.LayerWindow()->Alpha()};
        while (Tick(m)) seen.push_back(m.LayerWindow()->Alpha());
        EXPECT_EQ(seen, c.steps) << c.target;
        EXPECT_EQ(m.BeginAlphaBlendValue(), c.target);
    }
}

TEST_F(LayerFade, SecondShowReplacesTheWindowAndRestartsFromZero) {
    TqvLayerManager m;
    m.Show(0, 0, Solid(0xFF000000), Solid(0xFFFFFFFF), 100);
    Tick(m);
    Tick(m);
    EXPECT_EQ(m.BeginAlphaBlendValue(), 20);
    m.Show(5, 5, Solid(0xFF000000, 3, 3), Solid(0xFFFFFFFF, 3, 3), 100);
    EXPECT_EQ(m.BeginAlphaBlendValue(), 0);
    EXPECT_EQ(m.LayerWindow()->geometry(), QRect(5, 5, 3, 3));
    Tick(m);
    EXPECT_EQ(m.LayerWindow()->Alpha(), 10);
    m.Hide();
    EXPECT_FALSE(m.IsVisible());
    EXPECT_EQ(m.LayerWindow(), nullptr);
    EXPECT_EQ(m.Bmp(), nullptr);
    EXPECT_FALSE(m.TimerActive());
    EXPECT_EQ(ticks->ActiveTimers(), 0);
}

TEST_F(LayerFade, MaskGreyBecomesAlphaColoursStayStraight) {
    TqvLayerManager m;
    QImage mask = Solid(qRgb(30, 60, 90), 2, 1);
    mask.setPixel(1, 0, qRgb(255, 255, 255));
    m.Show(0, 0, Solid(qRgb(200, 100, 50), 2, 1), mask, 255);
    EXPECT_EQ(m.Bmp()->Pixel(0, 0), qvARGB(60, 200, 100, 50));
    EXPECT_EQ(m.Bmp()->Pixel(1, 0), qvARGB(255, 200, 100, 50));
}

TEST_F(LayerFade, WindowNeverTakesFocusOrTheMouse) {
    QWidget owner;
    owner.show();
    owner.activateWindow();
    for (bool topMost : {true, false}) {
        TqvLayerManager m;
        m.SetTopMostMode(topMost);
        m.Show(0, 0, Solid(0xFF000000), Solid(0xFFFFFFFF), 100);
        TqvLayerWindow* w = m.LayerWindow();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->windowType(), Qt::ToolTip);
        EXPECT_TRUE(w->windowFlags() & Qt::WindowDoesNotAcceptFocus);
        EXPECT_TRUE(w->windowFlags() & Qt::WindowTransparentForInput);
        EXPECT_EQ(bool(w->windowFlags() & Qt::WindowStaysOnTopHint), topMost);
        EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));
        EXPECT_TRUE(w->testAttribute(Qt::WA_TranslucentBackground));
        EXPECT_NE(QApplication::activeWindow(), w);
    }
}

using LayerWithoutCompositor = ManualTime;

TEST_F(LayerWithoutCompositor, ShowAndFadeRunButNothingIsShown) {
    ASSERT_FALSE(LayeredWindowsAvailable());  // offscreen: no compositing manager
    TqvLayerManager m;
    m.Show(0, 0, Solid(0xFF000000), Solid(0xFFFFFFFF), 50);
    EXPECT_TRUE(m.IsVisible());
    ASSERT_NE(m.LayerWindow(), nullptr);
    EXPECT_FALSE(m.LayerWindow()->isVisible());
    int steps = 0;
    while (Tick(m)) ++steps;
    EXPECT_EQ(steps, 10);
    EXPECT_EQ(m.BeginAlphaBlendValue(), 50);
    EXPECT_TRUE(m.LayerWindow()->Content().isNull());  // the alpha calls did nothing
    SetWindowAlpha(m.LayerWindow(), 10);
    EXPECT_EQ(m.LayerWindow()->windowOpacity(), 1.0);
    m.Hide();
}

TEST(LayerLifetime, DestroyedWhileFadingLeavesNoTimerBehind) {
    auto ticks = std::make_shared<TManualTickSource>();
    SetTickSource(ticks);
    {
        TqvLayerManager m;
        m.Show(0, 0, Solid(0xFF000000), Solid(0xFFFFFFFF), 100);
        EXPECT_EQ(ticks->ActiveTimers(), 1);
    }
    EXPECT_EQ(ticks->ActiveTimers(), 0);
    ticks->Advance(100);
    SetTickSource(nullptr);
}

TEST(LayerOnOldSystems, ShowAndHideDoNothing) {
    SetSystemVersionForTests({4, 0});
    TqvLayerManager m;
    m.Show(0, 0, Solid(0xFF000000), Solid(0xFFFFFFFF), 50);
    EXPECT_FALSE(m.IsVisible());
    EXPECT_EQ(m.LayerWindow(), nullptr);
    SetSystemVersionForTests({0, 0});
}

TEST(LayerRealTimer, FadeEndsOnTheEventLoopWithinAFewTicks) {
    TqvLayerManager m;
    m.Show(0, 0, Solid(0xFF000000), Solid(0xFFFFFFFF), 30);  // 10 ticks of 25 ms
    QElapsedTimer clock;
    clock.start();
    while (m.TimerActive() && clock.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_FALSE(m.TimerActive());
    EXPECT_EQ(m.BeginAlphaBlendValue(), 30);
    EXPECT_GE(clock.elapsed(), 9 * 25 - 25);
}

}  // namespace
