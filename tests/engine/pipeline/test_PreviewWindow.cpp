// The preview window fed from a worker thread.
#include "engine/PreviewWindow.h"
#include "engine/FFUtils.h"
#include "engine/MainThread.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

bool FromWorker(TPreviewer& p, const QImage& img, int64_t pts) {
    std::atomic<bool> done{false};
    bool result = false;
    std::thread t([&] {
        result = p.PaintFrame(img, 1, pts);
        done = true;
        WakeMainThreadWaits();
    });
    WaitInMainThread([&] { return done.load(); }, 5000);
    t.join();
    return result;
}

TEST(PreviewWindow, ShowsFramesUntilClosed) {
    TPreviewer p;
    QImage red(64, 48, QImage::Format_BGR888);
    red.fill(Qt::red);
    ASSERT_TRUE(FromWorker(p, red, 1500000));
    QWidget* w = p.Window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), DurationToText(1500000));
    EXPECT_EQ(w->size(), QSize(64, 48));
    EXPECT_EQ(w->grab().toImage().pixelColor(10, 10), QColor(Qt::red));

    // A larger frame keeps the first size.
    QImage big(128, 96, QImage::Format_BGR888);
    big.fill(Qt::blue);
    ASSERT_TRUE(FromWorker(p, big, 2000000));
    EXPECT_EQ(w->size(), QSize(64, 48));
    EXPECT_EQ(w->windowTitle(), DurationToText(2000000));

    w->close();
    EXPECT_TRUE(p.Closed());
    EXPECT_FALSE(FromWorker(p, red, 2500000));
    EXPECT_EQ(w->windowTitle(), DurationToText(2000000));
}

TEST(FrameHooks, LibraryThatCannotLoadAndMissingArguments) {
    TFrameHookEntry* first = nullptr;
    EXPECT_EQ(FrameHookAdd(first, 0, nullptr), -2);
    char name[] = "/nonexistent/hook.so";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(FrameHookAdd(first, 1, argv), -1);
    EXPECT_EQ(first, nullptr);
}

}  // namespace
