// Closing the main window ends the preview's playback before the window goes.
#include "tests/app/mainwindow/MainWindowFixture.h"

#include "engine/Player.h"
#include "engine/Trevalon.h"
#include "platform/ExtCtrls.h"
#include "tests/support/TestMedia.h"

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
