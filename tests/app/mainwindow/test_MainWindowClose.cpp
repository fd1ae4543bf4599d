// Closing the main window ends the preview's playback before the window goes.
#include "tests/app/mainwindow/MainWindowFixture.h"

#include "engine/Player.h"
#include "engine/Trevalon.h"
#include "platform/ExtCtrls.h"
#include "tests/support/TestMedia.h"

#include <QPointer>

TEST_F(MainWindowTest, ClosingWhileIdleStopsThePlayer) {
    Start();
    TDUDuvuvu* player = W->DUDuvuvu;
    ASSERT_TRUE(player->LoadAVLib(QStringLiteral("/nonexistent/LibAV")));
    int states = 0;
    player->OnState = [&](QObject*, TPlayState) { ++states; };
    W->Show();
    const QString clip = TestMedia::Path(QStringLiteral("av.mp4"));
    ASSERT_FALSE(clip.isEmpty());
    ASSERT_TRUE(player->Open(clip, W->Panel6, false));
    ASSERT_TRUE(WaitUntil([&] { return states > 0; }));

    W->Close();
    EXPECT_EQ(player->PlayState(), psStop);
    EXPECT_FALSE(player->OnState);
    EXPECT_FALSE(W->Trevalon->OnTerminate);
}

TEST_F(MainWindowTest, ClosingWithJobsThatNeverStartedClosesWithoutConverting) {
    Start();
    jobs::TJobRow row;
    row.Caption = "/in/clip.avi";
    row[jobs::siOutputName] = "clip.mp3";
    W->AppendRow(row);
    W->Show();
    W->Close();
    EXPECT_TRUE(Application()->Terminated());
    EXPECT_EQ(W->lvFiles->Items()[0]->SubItems()[jobs::siProgress], "");
}

// The application may end without the window being closed (the session ends):
// the preview's playback still ends before any of the window's controls goes,
// since its stop pumps events that must not reach half-freed controls.
TEST_F(MainWindowTest, AWindowFreedWithoutClosingStopsThePlayerBeforeItsControlsGo) {
    Start();
    QPointer<TDUDuvuvu> player = W->DUDuvuvu;
    ASSERT_TRUE(player->LoadAVLib(QStringLiteral("/nonexistent/LibAV")));
    int states = 0;
    player->OnState = [&](QObject*, TPlayState) { ++states; };
    W->Show();
    ASSERT_TRUE(player->Open(TestMedia::Path(QStringLiteral("av.mp4")), W->Panel6, false));
    ASSERT_TRUE(WaitUntil([&] { return states > 0; }));

    int checked = 0;
    QObject::connect(W->Panel6, &QObject::destroyed, [&] {
        ++checked;
        ASSERT_TRUE(player);
        EXPECT_EQ(player->PlayState(), psStop);
    });
    DestroyApplication();
    W = nullptr;
    EXPECT_EQ(checked, 1);
}
