// The main road as a user takes it: several files added, a profile chosen,
// two files at a time converted, one of them failing in its row.
#include "tests/app/mainwindow/RunFixture.h"

#include "platform/StdCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/forms/menu/Menus.h"
#include "skin/model/SkinData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

using namespace jobs;

namespace {

struct TProbed {
    QString Container, Video, Audio;
    double Duration = 0;
};

TProbed Probe(const QString& file) {
    QByteArray out;
    EXPECT_TRUE(TestMedia::RunTool("ffprobe", {"-v", "error", "-show_entries",
                                               "format=format_name,duration:stream=codec_type,codec_name", "-of",
                                               "json", file},
                                   &out));
    const QJsonObject root = QJsonDocument::fromJson(out).object();
    TProbed p;
    p.Container = root["format"]["format_name"].toString();
    p.Duration = root["format"]["duration"].toString().toDouble();
    for (const QJsonValue& v : root["streams"].toArray()) {
        const QString type = v["codec_type"].toString(), name = v["codec_name"].toString();
        if (type == "video" && p.Video.isEmpty()) p.Video = name;
        if (type == "audio" && p.Audio.isEmpty()) p.Audio = name;
    }
    return p;
}

bool Matches(const QString& pattern, const QString& text) {
    return QRegularExpression(pattern).match(text).hasMatch();
}

}  // namespace

void ExpectRunEndedStates(TForm1* W);

TEST_F(RunTest, SeveralFilesConvertedTwoAtATimeWithOneFailingInItsRow) {
    Start();
    Watch();
    const QString a = Input("a.avi", "av.avi");
    const QString b = Input("b.mp4", "av.mp4");
    // Probes, but the encoder refuses a picture of odd sides; one pixel has no
    // even size below it to fall back on.
    const QString odd = Inputs.path() + "/odd.avi";
    ASSERT_TRUE(TestMedia::RunFFmpeg({"-f", "lavfi", "-i", "testsrc=size=1x1:rate=25", "-f", "lavfi", "-i",
                                      "sine=f=440:r=44100", "-t", "2", "-c:v", "rawvideo", "-pix_fmt", "yuv420p",
                                      "-c:a", "pcm_s16le", odd}));
    const auto [categoryRow, profileRow] = PositionOf(1104);
    Choose(categoryRow, profileRow);
    ASSERT_EQ(W->VideoFields.All_Trant_Number, 1104);
    SetThreads(2);
    ASSERT_EQ(Form5->qvSkinComboBox2->Text(), "2");
    Dialogs->Files.push_back({a, odd, b});
    W->Item121->Click();

    ASSERT_EQ(W->lvFiles->Items().Count(), 3) << W->mmoLog->Lines().Text().toStdString();
    const QStringList order{b, odd, a};
    for (int i = 0; i < 3; ++i) {
        TListItem* row = W->lvFiles->Items()[i];
        EXPECT_EQ(row->Caption(), order[i]);
        EXPECT_TRUE(Matches("^\\d\\d:\\d\\d:\\d\\d$", Sub(row, siDuration))) << Sub(row, siDuration).toStdString();
        EXPECT_TRUE(Matches("^[\\d.]+MB$", Sub(row, siInputSize))) << Sub(row, siInputSize).toStdString();
        for (int s = siOptionDigits; s < SubItemCount; ++s)
            EXPECT_EQ(row->SubItems()[s], W->lvFiles->Items()[0]->SubItems()[s]) << "row " << i << " sub-item " << s;
    }

    W->qvSkinButton2->Click();
    ASSERT_TRUE(WaitForRunEnd());

    for (int i : {0, 2}) {
        TListItem* row = W->lvFiles->Items()[i];
        SCOPED_TRACE(row->Caption().toStdString());
        EXPECT_EQ(Sub(row, siProgress), "100%");
        EXPECT_TRUE(Matches("^\\d\\d:\\d\\d:\\d\\d$", Sub(row, siElapsed)));
        EXPECT_TRUE(Matches("^[\\d.]+MB$", Sub(row, siOutputSize)));
        const TProbed p = Probe(Out() + "/" + Sub(row, siOutputName));
        EXPECT_TRUE(p.Container.contains("mp4")) << p.Container.toStdString();
        EXPECT_EQ(p.Video, "h264");
        EXPECT_EQ(p.Audio, "mp3");
        EXPECT_NEAR(p.Duration, 2.0, 0.25);
    }
    const QString failed = Sub(W->lvFiles->Items()[1], siProgress);
    EXPECT_TRUE(failed.startsWith(QStringLiteral("失败："))) << failed.toStdString();
    EXPECT_TRUE(failed.contains("divisible by 2")) << failed.toStdString();
    ASSERT_EQ(Prompt->Boxes.size(), 1u);
    // The box names the job's input, then says what the row says.
    EXPECT_EQ(QStringLiteral("失败：") + Prompt->Boxes[0].Text,
              QStringLiteral("失败：") + W->lvFiles->Items()[1]->Caption() + ": " + failed.mid(3));

    // Two at a time: the third task waits for one of the first two to end.
    auto firstOf = [&](bool end, std::function<bool(int)> task) {
        for (size_t i = 0; i < Events.size(); ++i)
            if (Events[i].End == end && task(Events[i].Task)) return int(i);
        return -1;
    };
    const int thirdReport = firstOf(false, [](int t) { return t == 2; });
    const int firstEnd = firstOf(true, [](int t) { return t == 0 || t == 1; });
    ASSERT_GE(thirdReport, 0);
    ASSERT_GE(firstEnd, 0);
    EXPECT_LT(firstEnd, thirdReport);

    ExpectRunEndedStates(W);
    EXPECT_EQ(Shell->Opened, QStringList{Out()});

#ifdef QV_SHOT_DIR
    QDir().mkpath(QV_SHOT_DIR);
    W->Show();
    for (int skin : {1, 6}) {
        W->qvSkinData1->SetSkinIndex(skin);
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
        W->grab().save(QStringLiteral(QV_SHOT_DIR "/run_end_skin%1.png").arg(skin));
    }
#endif
}
