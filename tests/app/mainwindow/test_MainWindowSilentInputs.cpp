// A file whose output could hold no stream (a video without sound into an
// audio format, subtitles alone into a video format): its row says so as it
// is added and whenever the user switches its profile, and the run fails it
// with a box that names the file, leaving no output and the input as it was.
#include "tests/app/mainwindow/RunFixture.h"

#include "app/jobs/JobState.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/office/SkinOfficeListBox.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QTableView>
#include <QTest>

using namespace jobs;

namespace {

const QString kNoAudio = QStringLiteral("文件没有音频流，不能转换为音频格式");
const QString kNoStreams = QStringLiteral("文件没有音频流和视频流，没有可转换的内容");

QByteArray Digest(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex()
                                       : QByteArray("<unreadable>");
}

QPoint Middle(QWidget* w) { return {w->width() / 2, w->height() / 2}; }

}  // namespace

class SilentInputTest : public RunTest {
protected:
    // Opens the drop-down and clicks one of its rows.
    void Pick(TqvSkinOfficeComboBox* box, int index) {
        QTest::mouseClick(box, Qt::LeftButton, {}, Middle(box));
        TqvPopupOfficeListBox* list = box->ListBox();
        ASSERT_TRUE(list->isVisible());
        const TRect r = list->Items().Items(index)->ItemRect;
        const QPoint at(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
        QTest::mouseMove(list, at);
        QTest::mouseClick(list, Qt::LeftButton, {}, at);
        ASSERT_FALSE(list->isVisible());
    }
    void ClickRow(int row) {
        W->lvFiles->LayOutViews();
        auto* view = W->lvFiles->ReportView();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(W->lvFiles->Model()->index(row, 0)).center());
    }
};

TEST_F(SilentInputTest, TheRowSaysSoAtTheAddAndTheRunNamesTheFile) {
    struct Case {
        const char* Clip;
        int Code;
        QString Reason;
    };
    const Case cases[] = {
        {"gop10.mp4", 3000, kNoAudio},       // a video without sound, MP3
        {"gop10.mp4", 202, kNoAudio},        // and WAV
        {"subs_only.mkv", 1104, kNoStreams},  // subtitles alone, MP4 video
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Clip << " as " << c.Code);
        StartLoaded();
        W->Show();
        const QString input = Input(QStringLiteral("input_") + c.Clip, c.Clip);
        const QByteArray before = Digest(input);
        TListItem* good = AddJob(Input("sound.avi"), c.Code);
        TListItem* job = AddJob(input, c.Code);
        ASSERT_NE(job, nullptr);
        EXPECT_EQ(Sub(job, siProgress), FailedText(c.Reason)) << "said at the add";
        EXPECT_EQ(Sub(good, siProgress), QString());

        QTest::mouseClick(W->qvSkinButton2, Qt::LeftButton, {}, Middle(W->qvSkinButton2));
        ASSERT_TRUE(WaitForRunEnd());
        EXPECT_EQ(Sub(good, siProgress), "100%");
        EXPECT_EQ(Sub(job, siProgress), FailedText(c.Reason));
        ASSERT_EQ(Prompt->Boxes.size(), 1u);
        EXPECT_EQ(Prompt->Boxes[0].Text, input + ": " + c.Reason);
        EXPECT_FALSE(QFileInfo::exists(Out() + "/" + Sub(job, siOutputName))) << "no output of nothing";
        EXPECT_EQ(QDir(Out()).entryList({"input_*"}, QDir::Files), QStringList{}) << "nor one under another name";
        EXPECT_TRUE(QFileInfo(Out() + "/" + Sub(good, siOutputName)).size() > 0);
        EXPECT_EQ(Digest(input), before);
        DestroyApplication();
        Application()->SetPrompt(Prompt);  // the next program's boxes are recorded too
        Ends.clear();
        Events.clear();
        Reports.clear();
        Prompt->Boxes.clear();
    }
}

// The user picks the silent video's row and switches its profile with the
// pointer: a video format takes it, an audio format refuses it again.
TEST_F(SilentInputTest, AProfileSwitchOnTheRowSaysSo) {
    StartLoaded();
    W->Show();
    QApplication::setActiveWindow(W);
    ASSERT_TRUE(QTest::qWaitForWindowActive(W));
    const QString input = Input("silent.mp4", "gop10.mp4");
    AddJob(Input("sound.avi"), 3000);
    TListItem* job = AddJob(input, 3000);
    ASSERT_EQ(Sub(job, siProgress), FailedText(kNoAudio));

    struct Step {
        int Category, Profile;
        QString Progress;
    };
    const Step steps[] = {
        {1, 0, {}},                       // MP4视频: the picture converts
        {0, 0, FailedText(kNoAudio)},     // MP3音频
        {1, 2, {}},
        {3, 1, FailedText(kNoAudio)},     // WAV音频, its second profile
        {3, 1, FailedText(kNoAudio)},     // chosen again
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "category " << s.Category << ", profile " << s.Profile);
        ClickRow(1);
        ASSERT_EQ(W->lvFiles->Selected(), job);
        Pick(W->qvSkinOfficeComboBox2, s.Category);
        Pick(W->qvSkinOfficeComboBox1, s.Profile);
        EXPECT_EQ(Sub(job, siProgress), s.Progress);
        EXPECT_EQ(Sub(Row(0), siProgress), QString()) << "the other job keeps its row";
    }
    // Selected again, the row stays as its profile leaves it.
    ClickRow(0);
    ClickRow(1);
    EXPECT_EQ(Sub(job, siProgress), FailedText(kNoAudio));
}
