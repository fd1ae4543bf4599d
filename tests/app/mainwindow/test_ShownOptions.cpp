// What the window shows is what runs: every profile's option lists, a new
// job's value columns and the options a start hands the engine agree; the
// options dialog's Cancel leaves the run with the values in force before it.
#include "tests/app/mainwindow/RunFixture.h"

#include "app/jobs/JobOptions.h"
#include "app/profiles/OptionValues.h"
#include "platform/StdCtrls.h"
#include "skin/controls/buttons/SkinButton.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTimer>

using namespace jobs;
using namespace profiles;

namespace {

// The options the engine keeps for a task's output.
const TOutputOptions* TaskOutput(const TCustomTrevalon* engine, int task) {
    struct TPeek : TCustomTrevalon {
        static TFFmpeg* Of(const TCustomTrevalon* e, int i) { return (e->*(&TPeek::Task))(i); }
    };
    return TPeek::Of(engine, task)->OutputOptions(0);
}

QByteArray Sha256(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                       : QByteArray();
}

int AudioBitRate(const QString& file) {
    QByteArray out;
    EXPECT_TRUE(TestMedia::RunTool(
        "ffprobe", {"-v", "error", "-select_streams", "a:0", "-show_entries", "stream=bit_rate", "-of", "json", file},
        &out));
    const QJsonArray streams = QJsonDocument::fromJson(out).object()["streams"].toArray();
    return streams.isEmpty() ? -1 : streams[0].toObject()["bit_rate"].toString().toInt();
}

}  // namespace

class ShownOptionsTest : public RunTest {
protected:
    QString Shown(TOptionRole role) const {
        switch (role) {
        case orFrameSize: return W->qvSkinComboBox1->Text();
        case orVideoBitrate: return W->qvSkinComboBox2->Text();
        case orAudioBitrate: return W->qvSkinComboBox3->Text();
        case orAspectMode: return W->qvSkinComboBox4->Text();
        case orFrameRate: return W->qvSkinComboBox9->Text();
        case orSampleRate: return W->qvSkinComboBox10->Text();
        }
        return {};
    }
};

// All 140 profiles, each added as the user adds a file: the six value
// columns are the shown texts' values, and the start's records carry them.
TEST_F(ShownOptionsTest, EveryProfileRunsWithWhatItsListsShow) {
    StartLoaded();
    const QString clip = TestMedia::Path(QStringLiteral("av1s.avi"));
    struct TShown {
        int Code;
        QString FrameSize, FrameRate, Aspect, SampleRate;
        int VideoBitrate, AudioBitrate;
    };
    std::vector<TShown> shown;
    for (const TProfile& profile : Profiles()) {
        TListItem* row = AddJob(clip, profile.Code);
        ASSERT_NE(row, nullptr);
        ASSERT_EQ(W->lvFiles->Selected(), row);
        SCOPED_TRACE(profile.Code);
        TShown s{profile.Code,
                 FrameSizeValue(Shown(orFrameSize)),
                 FrameRateValue(Shown(orFrameRate)),
                 AspectModeValue(Shown(orAspectMode)).value_or(QStringLiteral("<none>")),
                 SampleRateValue(Shown(orSampleRate), false),
                 VideoBitrateValue(Shown(orVideoBitrate)),
                 AudioBitrateValue(Shown(orAudioBitrate))};
        EXPECT_EQ(Sub(row, siFrameSize), s.FrameSize);
        EXPECT_EQ(Sub(row, siFrameRate), s.FrameRate);
        EXPECT_EQ(Sub(row, siAspect), s.Aspect);
        EXPECT_EQ(Sub(row, siSampleRate), s.SampleRate);
        if (Sub(row, siTargetType) == "vcd") {
            EXPECT_EQ(s.VideoBitrate, 1150000) << "the VCD standard's rate";
        }
        EXPECT_EQ(Sub(row, siVideoBitrate), QString::number(s.VideoBitrate));
        EXPECT_EQ(Sub(row, siAudioBitrate), QString::number(s.AudioBitrate));
        shown.push_back(s);
    }
    ASSERT_EQ(shown.size(), 140u);

    W->button28->Click();  // Start's rebuild, without the run
    ASSERT_EQ(W->Trevalon->TasksCount(), 140);
    int refused = 0;
    for (int i = 0; i < 140; ++i) {
        const TShown& s = shown[i];
        SCOPED_TRACE(s.Code);
        // An output the engine refuses (an encoder this build lacks) keeps no
        // options: its job fails in its row with the reason.
        if (!W->JobRecords.At(i).Refusal.isEmpty()) {
            ++refused;
            continue;
        }
        const TOutputOptions* o = TaskOutput(W->Trevalon, i);
        ASSERT_NE(o, nullptr);
        EXPECT_EQ(o->FrameSize, s.FrameSize);
        EXPECT_EQ(o->FrameRate, s.FrameRate);
        EXPECT_EQ(o->FrameAspectRatio, s.Aspect);
        EXPECT_EQ(o->AudioSampleRate, s.SampleRate.isEmpty() ? -1 : s.SampleRate.toInt());
        EXPECT_EQ(o->VideoBitrate, s.VideoBitrate);
        EXPECT_EQ(o->AudioBitrate, s.AudioBitrate == -1000 ? -1 : s.AudioBitrate);
    }
    EXPECT_LE(refused, 1);  // the AMR profile where the libraries have no AMR encoder
}

// The MP3 profile shows "192 kbps", and its output has that bit rate.
TEST_F(ShownOptionsTest, TheMp3OutputHasTheShownBitRate) {
    StartLoaded();
    TListItem* row = AddJob(TestMedia::Path(QStringLiteral("av1s.avi")), 3000);
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(W->qvSkinComboBox3->Text(), "192 kbps");
    W->qvSkinButton2->Click();
    ASSERT_TRUE(WaitForRunEnd());
    ASSERT_EQ(Sub(row, siProgress), "100%");
    EXPECT_EQ(AudioBitRate(Out() + "/" + Sub(row, siOutputName)), 192000);
}

static int VideoBitRate(const QString& file) {
    QByteArray out;
    EXPECT_TRUE(TestMedia::RunTool(
        "ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries", "stream=bit_rate", "-of", "json", file},
        &out));
    const QJsonArray streams = QJsonDocument::fromJson(out).object()["streams"].toArray();
    return streams.isEmpty() ? -1 : streams[0].toObject()["bit_rate"].toString().toInt();
}

// The VCD profiles show their standard's rate and convert at it; a job given
// another rate still fails in its row with the encoder's reason.
TEST_F(ShownOptionsTest, AVcdConvertsAtTheRateItShowsAndRefusesAnother) {
    StartLoaded();
    struct Case {
        int Code;
        QString Rate;  // written over the row's column; empty: as shown
        bool Converts;
    };
    const Case cases[] = {{113, {}, true}, {1410, {}, true}, {113, "528000", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Code << " " << c.Rate.toStdString());
        W->qvSkinButton8->Click();  // Clear: a finished list takes no new rows
        TListItem* row = AddJob(TestMedia::Path(QStringLiteral("av1s.avi")), c.Code);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(W->qvSkinComboBox2->Text(), "1150 kbps");
        EXPECT_EQ(Sub(row, siVideoBitrate), "1150000");
        if (!c.Rate.isEmpty()) row->SubItems().SetStrings(siVideoBitrate, c.Rate);
        Ends.clear();
        Prompt->Boxes.clear();
        W->qvSkinButton2->Click();
        ASSERT_TRUE(WaitForRunEnd());
        if (c.Converts) {
            ASSERT_EQ(Sub(row, siProgress), "100%");
            EXPECT_EQ(VideoBitRate(Out() + "/" + Sub(row, siOutputName)), 1150000);
        } else {
            EXPECT_TRUE(Sub(row, siProgress).startsWith(QStringLiteral("失败："))) << Sub(row, siProgress).toStdString();
            EXPECT_EQ(Prompt->Boxes.size(), 1u);
        }
    }
}

// Overwrite ticked and more threads chosen in the options dialog, then
// Cancel: the run numbers its output beside the user's file, which stays as
// it was, and starts with the thread count in force before.
TEST_F(ShownOptionsTest, ARunAfterCancelUsesTheOldOptions) {
    StartLoaded();
    W->Show();
    QApplication::setActiveWindow(W);
    const QString clip = Input("song.avi");
    const QString users = Out() + "/song.mp3";
    {
        QFile f(users);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("the user's own song");
    }
    const QByteArray before = Sha256(users);
    ASSERT_FALSE(Form5->qvSkinCheckRadioBox3->Checked());

    bool changed = false;
    QTimer::singleShot(0, Form5, [&] {
        QTest::mouseClick(Form5->qvSkinCheckRadioBox3, Qt::LeftButton);
        QTest::mouseClick(Form5->qvSkinCheckRadioBox2, Qt::LeftButton);  // power off after the run
        Form5->qvSkinComboBox2->SetFocus();
        for (int i = 0; i < 18; ++i) QTest::keyClick(Form5->qvSkinComboBox2, Qt::Key_Down);
        changed = Form5->qvSkinCheckRadioBox3->Checked() && Form5->qvSkinCheckRadioBox2->Checked() &&
                  Form5->qvSkinComboBox2->Text() == "19";
        QTest::mouseClick(Form5->qvSkinButton1, Qt::LeftButton);
    });
    QTest::mouseClick(W->qvSkinButton19, Qt::LeftButton);  // 选项
    ASSERT_TRUE(changed);
    EXPECT_FALSE(Form5->Visible());

    TListItem* row = AddJob(clip, 3000);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(Sub(row, siOutputName), "song_1.mp3");
    W->qvSkinButton2->Click();
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(Sub(row, siProgress), "100%");
    EXPECT_EQ(Sha256(users), before);
    EXPECT_TRUE(QFileInfo(Out() + "/song_1.mp3").size() > 0);
    EXPECT_EQ(Shell->PowerOffs, 0);
    EXPECT_EQ(Form5->qvSkinComboBox2->Text(), "1");
}
