// The preview: what the selected job's file shows in Panel6, the log lines,
// the stream lists, the slider, the buttons and the end of the file.
#include "tests/app/mainwindow/MainWindowFixture.h"

#include "app/mainwindow/PreviewSlider.h"
#include "engine/FFmpegLoader.h"
#include "engine/FFLogger.h"
#include "engine/Player.h"
#include "platform/ExtCtrls.h"
#include "skin/controls/bars/SkinSlider.h"
#include "skin/controls/buttons/SkinButton.h"
#include "tests/support/TestMedia.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <QTest>

#include <limits>

namespace {

class PreviewTest : public MainWindowTest {
protected:
    std::vector<TPlayState> States;
    std::vector<std::int64_t> Positions;

    // The playback ends before the window goes, as closing the window does.
    void TearDown() override {
        if (W) W->DUDuvuvu->Stop(true);
        MainWindowTest::TearDown();
    }

    // Starts the program shown, recording the player's states and positions
    // behind the window's own handlers.
    void StartShown() {
        Start();
        W->Show();
        auto state = W->DUDuvuvu->OnState;
        W->DUDuvuvu->OnState = [this, state](QObject* s, TPlayState st) {
            States.push_back(st);
            state(s, st);
        };
        auto position = W->DUDuvuvu->OnPosition;
        W->DUDuvuvu->OnPosition = [this, position](QObject* s, std::int64_t pts) {
            Positions.push_back(pts);
            position(s, pts);
        };
    }

    // Opens a clip the way the row selection does.
    void Preview(const QString& clip) {
        const QString path = TestMedia::Path(clip);
        ASSERT_FALSE(path.isEmpty());
        W->T_Movie_PLayer_FileName = path;
        W->Button31->Click();
    }

    QStringList Log() const { return W->mmoLog->Lines().Text().split('\n', Qt::SkipEmptyParts); }
    bool Logged(const QString& line) const { return Log().contains(line); }
    static QStringList Entries(TComboBox* list) {
        QStringList r;
        for (int i = 0; i < list->Items().Count(); ++i) r << list->Items()[i];
        return r;
    }
    // Lets the player's threads report until the condition holds; the bound
    // only ends a test that went wrong.
    static bool WaitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, 60000); }
    bool Reached(TPlayState s, size_t from = 0) {
        return WaitFor([&] { return std::find(States.begin() + from, States.end(), s) != States.end(); });
    }
    // Waits until the player has settled paused with its picture shown.
    bool SettledPaused() {
        return WaitFor([&] { return W->DUDuvuvu->Paused() && !W->DUDuvuvu->CurrentFrame().isNull(); });
    }
    int Colours(const QImage& image) {
        QSet<QRgb> seen;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3) seen.insert(image.pixel(x, y));
        return int(seen.size());
    }
};

TEST_F(PreviewTest, ASelectedClipOpensPausedOnItsFirstPicture) {
    StartShown();
    Preview("av.avi");
    // OnFileOpen runs inside Open: the lines are there once the click returns.
    const QStringList log = Log();
    const int duration = int(log.indexOf("duration: 2.00, frame size: 160x120"));
    ASSERT_GT(duration, 0) << log.join('\n').toStdString();  // the file's description comes first
    EXPECT_EQ(W->FScreenControl, W->Panel6);
    EXPECT_EQ(W->FDuration, 2000000);
    EXPECT_EQ(W->Label2->Caption(), "2.00");
    EXPECT_EQ(W->qvSkinSlider1->MaxValue(), 200);
    EXPECT_EQ(W->qvSkinSlider1->Increment(), 5);
    EXPECT_EQ(W->qvSkinSlider1->Value(), 0);
    EXPECT_EQ(Entries(W->cboVideo), QStringList{"Video#0"});
    EXPECT_EQ(Entries(W->cboAudio), QStringList{"Audio#1"});
    EXPECT_FALSE(W->cboVideo->Enabled());
    EXPECT_FALSE(W->cboAudio->Enabled());
    EXPECT_FALSE(W->cboSubtitle->Enabled());

    ASSERT_TRUE(SettledPaused());
    QWidget* surface = W->DUDuvuvu->Surface();
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->parentWidget(), W->Panel6);
    EXPECT_EQ(surface->size(), QSize(200, 124));
    // The test picture has many colours; an empty black panel has one.
    EXPECT_TRUE(WaitFor([&] { return Colours(W->Panel6->grab().toImage()) > 8; }));
    EXPECT_TRUE(Prompt->Boxes.empty());
}

struct TStreamCase {
    const char* Clip;
    const char* SizeLine;
    QStringList Video, Audio, Subtitle;
    bool VideoOn, AudioOn, SubtitleOn;
};

TEST_F(PreviewTest, StreamListsFollowTheFile) {
    const TStreamCase cases[] = {
        {"two_audio.mkv", "duration: 1.00, frame size: 160x120", {"Video#0"}, {"Audio#1", "Audio#2"}, {},
         false, true, false},
        {"a44.wav", "duration: 2.00, frame size: -1x-1", {}, {"Audio#0"}, {}, false, false, false},
        // Subtitles without video: listed, never offered, no "none" entry.
        {"audio_subs.mkv", "duration: 1.00, frame size: -1x-1", {}, {"Audio#0"}, {"Subtitle#1"}, false, false,
         false},
        {"subs_text.mkv", nullptr, {"Video#0"}, {}, {"Subtitle#-1", "Subtitle#1"}, false, false, true},
    };
    StartShown();
    for (const TStreamCase& c : cases) {
        SCOPED_TRACE(c.Clip);
        W->mmoLog->Lines().Clear();
        Preview(c.Clip);
        ASSERT_FALSE(Log().isEmpty());
        ASSERT_FALSE(Log().last().contains("could not")) << Log().last().toStdString();
        if (c.SizeLine) {
            EXPECT_TRUE(Logged(c.SizeLine)) << Log().join(QChar(10)).toStdString();
        }
        EXPECT_EQ(Entries(W->cboVideo), c.Video);
        EXPECT_EQ(Entries(W->cboAudio), c.Audio);
        EXPECT_EQ(Entries(W->cboSubtitle), c.Subtitle);
        EXPECT_EQ(W->cboVideo->Enabled(), c.VideoOn);
        EXPECT_EQ(W->cboAudio->Enabled(), c.AudioOn);
        EXPECT_EQ(W->cboSubtitle->Enabled(), c.SubtitleOn);
    }
    // The chosen audio stream is the selected entry.
    Preview("two_audio.mkv");
    EXPECT_EQ(W->cboAudio->Items()[W->cboAudio->ItemIndex()],
              QStringLiteral("Audio#%1").arg(W->DUDuvuvu->AudioStreamIndex()));
}

TEST_F(PreviewTest, AFileThatDoesNotOpenOnlyLogs) {
    StartShown();
    Preview("av.avi");
    ASSERT_TRUE(SettledPaused());
    W->qvSkinSlider1->SetValue(40);
    struct {
        QString File;
        const char* Says;
    } const cases[] = {
        {ProgramDir.filePath("missing.avi"), "missing.avi"},
        {TestMedia::Path("subs_only.mkv"), "could not open codecs, no stream to play."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Says);
        W->mmoLog->Lines().Clear();
        W->T_Movie_PLayer_FileName = c.File;
        W->Button31->Click();
        ASSERT_FALSE(Log().isEmpty());
        EXPECT_TRUE(Log().last().contains(c.Says)) << Log().join(QChar(10)).toStdString();
        EXPECT_TRUE(Prompt->Boxes.empty());
        // The earlier playback is gone; the slider and the lists keep what they showed.
        EXPECT_EQ(W->DUDuvuvu->PlayState(), psStop);
        EXPECT_EQ(W->qvSkinSlider1->Value(), 40);
        EXPECT_EQ(Entries(W->cboVideo), QStringList{"Video#0"});
    }
}

TEST_F(PreviewTest, AMissingPlayerLibraryOnlyLogs) {
    if (FFLoader().Loaded(avCodec)) GTEST_SKIP() << "the media libraries are already bound in this process";
    // A LibAV folder beside the program is the whole library set, here an empty one.
    ASSERT_TRUE(QDir(Program()).mkdir("LibAV"));
    StartShown();
    Preview("av.avi");
    ASSERT_EQ(Log().size(), 1);
    EXPECT_TRUE(Log()[0].contains("LibAV/")) << Log()[0].toStdString();
    EXPECT_FALSE(W->DUDuvuvu->AVLibLoaded());
    EXPECT_TRUE(States.empty());
    EXPECT_TRUE(Prompt->Boxes.empty());
    // The next selection tries again.
    QDir(Program()).rmdir("LibAV");
    Preview("av.avi");
    EXPECT_TRUE(Logged("duration: 2.00, frame size: 160x120"));
}

TEST(PreviewSlider, ValueOfAPosition) {
    constexpr std::int64_t big = std::numeric_limits<std::int64_t>::max();
    struct {
        int Max;
        std::int64_t PTS, Duration;
        int Value;
    } const cases[] = {
        {200, 0, 2000000, 0},        {200, 1000000, 2000000, 100}, {200, 1999999, 2000000, 199},
        {200, 2000000, 2000000, 200}, {200, 5000000, 2000000, 200},  // a later position stops at the end
        {200, big, 2000000, 200},    {200, big / 2, big, 99},          // no overflow either way
        {200, 1000000, 0, 0},        {200, 1000000, -1, 0},            // no duration: the thumb stays
    };
    for (const auto& c : cases)
        EXPECT_EQ(mainwindow::SliderValueAt(c.Max, c.PTS, c.Duration), c.Value) << c.PTS << " of " << c.Duration;
}

TEST(PreviewSlider, SeekTargetOfTheThumb) {
    constexpr std::int64_t big = std::numeric_limits<std::int64_t>::max();
    struct {
        std::int64_t Duration;
        int Value, Max;
        std::int64_t Target;
    } const cases[] = {
        {2000000, 200, 200, 2000000}, {2000000, 0, 200, 0},   {2000000, 1, 200, 10000},
        {2000001, 1, 3, 666667},      {-1, 200, 200, -1},     {-1, 199, 200, 0},  // truncated toward zero
        {0, 200, 200, 0},             {0, 17, 200, 0},        {big, 200, 200, big},
        {big, 199, 200, big / 200 * 199 + (big % 200) * 199 / 200},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mainwindow::SeekTargetAt(c.Duration, c.Value, c.Max), c.Target) << c.Duration << " at " << c.Value;
}

TEST_F(PreviewTest, PositionsMoveTheSliderOnlyWhileItIsNotHeld) {
    Start();
    W->FDuration = 2000000;
    W->qvSkinSlider1->SetMaxValue(200);
    W->DUDuvuvuPosition(W->DUDuvuvu, 1000000);
    EXPECT_EQ(W->qvSkinSlider1->Value(), 100);
    EXPECT_EQ(W->Label3->Caption(), "1.00");

    QTest::mousePress(W->qvSkinSlider1, Qt::LeftButton, {}, QPoint(3, 15));
    EXPECT_EQ(W->qvSkinSlider1_down_UP, "Down");
    const int held = W->qvSkinSlider1->Value();
    W->DUDuvuvuPosition(W->DUDuvuvu, 1500000);
    EXPECT_EQ(W->qvSkinSlider1->Value(), held);
    EXPECT_EQ(W->Label3->Caption(), "1.00");  // the label waits too
    QTest::mouseRelease(W->qvSkinSlider1, Qt::LeftButton, {}, QPoint(3, 15));
    EXPECT_EQ(W->qvSkinSlider1_down_UP, "UP");

    W->DUDuvuvuPosition(W->DUDuvuvu, 7000000);
    EXPECT_EQ(W->qvSkinSlider1->Value(), 200);
    W->FDuration = -1;
    W->qvSkinSlider1->SetValue(50);
    W->DUDuvuvuPosition(W->DUDuvuvu, 1000000);
    EXPECT_EQ(W->qvSkinSlider1->Value(), 50);  // a file of unknown length leaves the thumb alone
}

TEST_F(PreviewTest, ReleasingAtTheEndPlaysToTheEndAndComesBackPaused) {
    StartShown();
    Preview("av.avi");
    ASSERT_TRUE(SettledPaused());
    const size_t before = States.size();
    W->qvSkinSlider1MouseDown(W->qvSkinSlider1, Qt::LeftButton, {}, 0, 0);
    W->qvSkinSlider1->SetValue(W->qvSkinSlider1->MaxValue());
    W->qvSkinSlider1MouseUp(W->qvSkinSlider1, Qt::LeftButton, {}, 0, 0);
    EXPECT_EQ(W->qvSkinSlider1_down_UP, "UP");
    ASSERT_TRUE(Reached(psEnd, before)) << Log().join('\n').toStdString();
    EXPECT_TRUE(Logged("End"));
    ASSERT_TRUE(WaitFor([&] { return W->DUDuvuvu->Paused(); }));
}

// A click on the track right of the thumb moves it one step on; the seek
// lands on the key frame before its target, which here lies behind the
// picture shown. Playback must still go forward from there.
TEST_F(PreviewTest, AClickRightOfTheThumbNeverMovesPlaybackBack) {
    StartShown();
    Preview("h264_g25.ts");  // 3 s, a key frame every second
    ASSERT_TRUE(SettledPaused());
    const auto shown = [&] {
        std::int64_t pts = -1;
        W->DUDuvuvu->CurrentFrame(pts);
        return pts;
    };
    // Played a little past the key frame at 1 s, then paused.
    W->DUDuvuvu->Seek(std::int64_t{1000000}, {}, true);
    ASSERT_TRUE(WaitFor([&] { return shown() == 1000000; }));
    QTest::mouseClick(W->qvSkinButton13, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !Positions.empty() && Positions.back() >= 1080000; }));
    QTest::mouseClick(W->qvSkinButton14, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return W->DUDuvuvu->Paused(); }));
    QTest::qWait(100);  // the last positions arrive
    const std::int64_t start = W->DUDuvuvu->CurrentPTS();
    ASSERT_GT(start, 1000000);
    ASSERT_LT(start, 1800000) << "paused before the next key frame";

    TqvSkinSlider* slider = W->qvSkinSlider1;
    const int value = slider->Value();
    const size_t from = Positions.size();
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->Width() - 8, slider->Height() / 2));
    ASSERT_EQ(slider->Value(), (value / 5 + 1) * 5) << "one step on";
    ASSERT_TRUE(WaitFor([&] { return Positions.size() > from; }));
    EXPECT_GE(Positions[from], start) << "went back to " << Positions[from];
    EXPECT_FALSE(W->DUDuvuvu->Paused()) << "plays after the click";
}

TEST_F(PreviewTest, TheEndOfTheFileRewindsAndPausesAndPlayStartsAgain) {
    StartShown();
    W->chkOpenPaused->SetChecked(false);
    QStringList engineLog;
    W->FFLogger->OnLog = [&](QObject*, TThreadID, TLogLevel, const QString& m) { engineLog << m; };
    Preview("av1s.avi");
    ASSERT_TRUE(Reached(psEnd)) << Log().join('\n').toStdString();
    EXPECT_TRUE(Logged("End"));
    ASSERT_TRUE(WaitFor([&] { return W->DUDuvuvu->Paused(); }));

    // Positions of the end may still be on their way; the start must follow.
    const size_t from = Positions.size();
    W->qvSkinButton13->Click();
    EXPECT_TRUE(WaitFor([&] {
        return std::any_of(Positions.begin() + from, Positions.end(), [](std::int64_t p) { return p < 500000; });
    })) << [&] {
        QStringList r{QStringLiteral("states:")};
        for (TPlayState st : States) r << QString::number(int(st));
        r << QStringLiteral("positions after Play:");
        for (size_t i = from; i < Positions.size(); ++i) r << QString::number(Positions[i]);
        return (r.join(' ') + "\nengine: " + engineLog.join(" | ")).toStdString();
    }();
}

TEST_F(PreviewTest, StopReopensTheSelectedJobPausedAndDoesNothingWithoutOne) {
    StartShown();
    W->chkOpenPaused->SetChecked(false);
    Preview("av.avi");
    ASSERT_TRUE(WaitFor([&] { return !Positions.empty(); }));
    size_t from = States.size();
    W->qvSkinButton15->Click();  // no row is selected
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(std::count(States.begin() + from, States.end(), psStop), 0);
    EXPECT_NE(W->DUDuvuvu->PlayState(), psStop);

    AddSelectedRow(W->T_Movie_PLayer_FileName, "clip.mp3");
    W->chkOpenPaused->SetChecked(true);
    from = States.size();
    W->qvSkinButton15->Click();
    EXPECT_NE(std::find(States.begin() + from, States.end(), psStop), States.end());
    EXPECT_TRUE(SettledPaused());
    std::int64_t shown = -1;
    W->DUDuvuvu->CurrentFrame(shown);
    EXPECT_LT(shown, 200000);  // one of the first pictures
}

// The Stop button's wait runs the window's pending work: another selection
// that opens a file inside it must not leave that file showing.
TEST_F(PreviewTest, ASelectionInsideTheStopButtonsWaitEndsOnTheSelectedJob) {
    StartShown();
    W->chkOpenPaused->SetChecked(false);
    Preview("av.avi");
    ASSERT_TRUE(SettledPaused());
    const QString job = W->T_Movie_PLayer_FileName;
    AddSelectedRow(job, "clip.mp3");
    W->chkOpenPaused->SetChecked(true);
    int inside = 0;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            ++inside;
            W->T_Movie_PLayer_FileName = TestMedia::Path("two_audio.mkv");
            W->Button31->Click();
            W->T_Movie_PLayer_FileName = job;
        },
        Qt::QueuedConnection);
    W->qvSkinButton15->Click();
    EXPECT_EQ(inside, 1);
    EXPECT_EQ(W->DUDuvuvu->FileName(), job);
    EXPECT_TRUE(SettledPaused());
    EXPECT_EQ(Entries(W->cboAudio), QStringList{"Audio#1"});
    EXPECT_EQ(W->FDuration, 2000000);
    EXPECT_TRUE(Prompt->Boxes.empty());
}

TEST_F(PreviewTest, MuteCarriesToTheNextFile) {
    StartShown();
    Preview("av.avi");
    W->qvSkinButton16->Click();
    EXPECT_TRUE(W->DUDuvuvu->Mute());
    EXPECT_TRUE(W->qvSkinButton20->Visible());
    EXPECT_FALSE(W->qvSkinButton16->Visible());

    Preview("two_audio.mkv");
    EXPECT_EQ(W->FDuration, 1000000);  // the next file is open
    EXPECT_TRUE(W->DUDuvuvu->Mute());
    EXPECT_TRUE(W->qvSkinButton20->Visible());

    W->qvSkinButton20->Click();
    EXPECT_FALSE(W->DUDuvuvu->Mute());
    EXPECT_FALSE(W->qvSkinButton20->Visible());
    EXPECT_TRUE(W->qvSkinButton16->Visible());
    W->TrackBar2->SetPosition(64);
    EXPECT_EQ(W->DUDuvuvu->AudioVolume(), 64);
}

TEST_F(PreviewTest, StatesAreLoggedByNameAndKeepTheWindowOnTopOnlyWhenAsked) {
    Start();
    struct {
        TPlayState State;
        const char* Name;
        TFormStyle Style;
    } const steps[] = {
        {psPlay, "Play", fsStayOnTop}, {psPause, "Pause", fsNormal}, {psResume, "Resume", fsStayOnTop},
        {psStep, "Step", fsNormal},    {psStop, "Stop", fsNormal},
    };
    W->chkStayOnTop->SetChecked(true);
    for (const auto& s : steps) {
        W->DUDuvuvuState(W->DUDuvuvu, s.State);
        EXPECT_EQ(Log().last(), s.Name);
        EXPECT_EQ(W->FormStyle(), s.Style) << s.Name;
    }
    W->chkStayOnTop->SetChecked(false);
    W->DUDuvuvuState(W->DUDuvuvu, psPlay);
    EXPECT_EQ(W->FormStyle(), fsNormal);
}

TEST_F(PreviewTest, TheScreenIsFoundByItsExactName) {
    Start();
    EXPECT_EQ(W->FindChildControl("Panel6"), W->Panel6);
    EXPECT_EQ(W->FindChildControl("Panel1"), W->Panel1);
    EXPECT_EQ(W->FindChildControl("panel6"), nullptr);
    EXPECT_EQ(W->FindChildControl("mmoLog"), nullptr);  // not a direct child
    EXPECT_EQ(W->FindChildControl(""), nullptr);
    EXPECT_EQ(W->cboScreens->Items()[W->cboScreens->ItemIndex()], "Panel6");
}

}  // namespace
