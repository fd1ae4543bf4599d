// Pictures of the main window with a paused preview in two stored skins,
// written into the build tree for a person to look at.
#include "tests/app/mainwindow/MainWindowFixture.h"

#include "engine/Player.h"
#include "platform/ExtCtrls.h"
#include "skin/forms/Velmora.h"
#include "tests/support/TestMedia.h"

#include <QDir>
#include <QPainter>
#include <QSet>
#include <QTest>

namespace {

class PreviewShotTest : public MainWindowTest, public ::testing::WithParamInterface<int> {
protected:
    // The playback ends before the window goes, as closing the window does.
    void TearDown() override {
        if (W) W->DUDuvuvu->Stop(true);
        MainWindowTest::TearDown();
    }
};

QImage WindowPicture(TForm1* w) {
    QImage img = w->qvVelmora1->BuildFrameImage(true).convertToFormat(QImage::Format_RGB32);
    QPainter p(&img);
    p.drawPixmap(w->Client()->geometry().topLeft(), w->Client()->grab());
    return img;
}

TEST_P(PreviewShotTest, MainWindowWithAPausedPreview) {
    WriteIni(QStringLiteral("[Skin]\nSetSkin=%1\n").arg(GetParam()).toUtf8());
    Start();
    W->Show();
    const QString clip = TestMedia::Path(QStringLiteral("av.avi"));
    ASSERT_FALSE(clip.isEmpty());
    W->T_Movie_PLayer_FileName = clip;
    W->Button31->Click();
    TDUDuvuvu* player = W->DUDuvuvu;
    ASSERT_TRUE(QTest::qWaitFor([&] { return player->Paused() && !player->CurrentFrame().isNull(); }, 60000));

    const QRect screen(W->Panel6->mapTo(W->Client(), QPoint(0, 0)), W->Panel6->size());
    const auto colours = [&](const QImage& shot) {
        const QImage part = shot.copy(screen.translated(W->Client()->geometry().topLeft()));
        QSet<QRgb> seen;
        for (int y = 0; y < part.height(); y += 3)
            for (int x = 0; x < part.width(); x += 3) seen.insert(part.pixel(x, y));
        return seen.size();
    };
    QImage shot;
    ASSERT_TRUE(QTest::qWaitFor([&] { return colours(shot = WindowPicture(W)) > 8; }, 60000));
    QDir().mkpath(QStringLiteral(QV_SHOT_DIR));
    EXPECT_TRUE(shot.save(QStringLiteral(QV_SHOT_DIR "/main_preview_skin%1.png").arg(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(TwoSkins, PreviewShotTest, ::testing::Values(0, 10));

}  // namespace
