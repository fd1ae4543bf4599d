// The profile's parameters into the job fields and the selected row, and the
// name its output takes in the output folder.
#include "tests/app/mainwindow/MainWindowFixture.h"

#include "app/options/OptionsForm.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/edits/SkinEdit.h"

#include <QDir>

using namespace jobs;

namespace {

// The options dialog's "overwrite existing output" radio box.
void SetOverwrite(bool on) { (on ? Form5->qvSkinCheckRadioBox3 : Form5->qvSkinCheckRadioBox6)->SetChecked(true); }

void Touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

}  // namespace

TEST_F(MainWindowTest, ProfileParametersGoIntoTheSelectedRow) {
    Start();
    struct TCase {
        int Category, Profile;
        std::map<TJobSubItem, QString> Expected;
    };
    const TCase cases[] = {
        // Audio-only (200).
        {2, 0, {{siVideoBitrate, "-1"}, {siDisableVideo, "True"}, {siVideoCodec, ""}, {siVideoTag, ""},
                {siFrameSize, ""}, {siFrameRate, ""}, {siAspect, ""}}},
        // A disc target (111).
        {8, 11, {{siVideoBitrate, "-1000"}, {siAudioBitrate, "-1000"}, {siTargetType, "dvd"}, {siNormType, "PAL"},
                 {siDisableVideo, "False"}, {siVideoCodec, ""}, {siAudioCodec, ""}, {siAudioChannels, ""},
                 {siVideoTag, ""}, {siFileExt, ""}, {siFrameSize, ""}, {siFrameRate, ""}, {siSampleRate, ""},
                 {siAspect, ""}}},
        // 114.
        {8, 14, {{siVideoCodec, "rv20"}, {siFrameSize, "320*240"}, {siVideoBitrate, "-1"}, {siAudioBitrate, "-1"},
                 {siDisableVideo, "False"}, {siAudioCodec, ""}, {siAudioChannels, ""}, {siVideoTag, ""},
                 {siFileExt, ""}, {siFrameRate, ""}, {siSampleRate, ""}, {siAspect, ""}, {siTargetType, ""},
                 {siNormType, ""}}},
    };
    for (const TCase& c : cases) {
        Choose(c.Category, c.Profile);  // lists first, no row selected
        TListItem* row = AddSelectedRow("/in/clip.avi", "clip.avi");
        W->Button5->Click();
        SCOPED_TRACE(W->VideoFields.All_Trant_Number);
        for (const auto& [column, text] : c.Expected) EXPECT_EQ(Sub(row, column), text) << "sub-item " << column;
        EXPECT_EQ(Sub(row, siOutputName), "clip.avi") << "the name is not Button5's";
        W->lvFiles->SetSelected(nullptr);
    }
}

TEST_F(MainWindowTest, WithoutARowTheFieldsStillGetTheirParameters) {
    Start();
    Choose(8, 14);
    W->VideoFields.Video_AddFileName = "/in/clip.avi";
    W->Button5->Click();
    EXPECT_EQ(W->VideoFields.Video_VideoCodec, "rv20");
    EXPECT_EQ(W->VideoFields.Video_OutPutFileName, W->FileOutPutPath + "/clip.rm");
}

struct TNameCase {
    const char* Name;
    QStringList Files, Folders;
    bool Overwrite;
    const char* Input;  // relative to the output folder when it starts without "/"
    int Profile;        // of category row 8 (100..114)
    QString OtherRow;
    const char* Expected;
};

class OutputNameTest : public MainWindowTest, public ::testing::WithParamInterface<TNameCase> {};

TEST_P(OutputNameTest, TakesTheFirstFreeName) {
    const TNameCase& c = GetParam();
    Start();
    QTemporaryDir out;
    for (const QString& f : c.Files) Touch(out.path() + "/" + f);
    for (const QString& d : c.Folders) ASSERT_TRUE(QDir().mkpath(out.path() + "/" + d));
    SetOverwrite(c.Overwrite);
    W->Video_OutPut_Folder_Edit->SetText(out.path());
    if (!c.OtherRow.isEmpty()) {
        jobs::TJobRow other;
        other.Caption = "/in/other.avi";
        other[siOutputName] = c.OtherRow;
        W->AppendRow(other);
    }
    Choose(8, c.Profile);
    const QString input = QString::fromUtf8(c.Input);
    W->VideoFields.Video_AddFileName = input.startsWith('/') ? input : out.path() + "/" + input;
    W->Button5->Click();
    EXPECT_EQ(W->VideoFields.Video_OutPutFileName, out.path() + "/" + c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputNameTest,
    ::testing::Values(
        TNameCase{"Free", {}, {}, false, "/in/clip.avi", 0, {}, "clip.avi"},
        TNameCase{"Taken", {"clip.avi"}, {}, false, "/in/clip.avi", 0, {}, "clip_1.avi"},
        TNameCase{"TwoTaken", {"clip.avi", "clip_1.avi"}, {}, false, "/in/clip.avi", 0, {}, "clip_2.avi"},
        TNameCase{"FolderDoesNotCount", {}, {"clip.avi"}, false, "/in/clip.avi", 0, {}, "clip.avi"},
        TNameCase{"LookAlikeDoesNotCount", {"clip.avi", "clip_01.avi", "clip_1.mp4"}, {}, false, "/in/clip.avi", 0,
                  {}, "clip_1.avi"},
        TNameCase{"Overwrite", {"clip.avi"}, {}, true, "/in/clip.avi", 0, {}, "clip.avi"},
        TNameCase{"SeveralDots", {}, {}, false, "/in/movie.part1.avi", 1, {}, "movie.part1.mp4"},
        TNameCase{"NoExtension", {}, {}, false, "/in/clip", 0, {}, "clip.avi"},
        // The job's own input is never its output, not even when overwriting.
        TNameCase{"OwnInput", {"clip.avi"}, {}, true, "clip.avi", 0, {}, "clip_1.avi"},
        // Another row's output is taken, also when overwriting.
        TNameCase{"AnotherRowsName", {}, {}, true, "/in/clip.avi", 0, "clip.avi", "clip_1.avi"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MainWindowTest, TheFolderTextIsUsedAsItStands) {
    Start();
    Choose(8, 0);
    W->VideoFields.Video_AddFileName = "/in/clip.avi";
    const struct {
        const char* Folder;
        const char* Expected;
    } cases[] = {{"/nowhere/out/", "/nowhere/out//clip.avi"}, {"", "/clip.avi"}, {"/a:b", "/a:b/clip.avi"}};
    for (const auto& c : cases) {
        W->Video_OutPut_Folder_Edit->SetText(c.Folder);
        W->Button5->Click();
        EXPECT_EQ(W->VideoFields.Video_OutPutFileName, c.Expected);
    }
}

// A profile switch that renames the selected row checks the new name too.
TEST_F(MainWindowTest, AProfileSwitchDoesNotTakeAnotherRowsName) {
    Start();
    QTemporaryDir out;
    W->Video_OutPut_Folder_Edit->SetText(out.path());
    jobs::TJobRow other;
    other.Caption = "/in/x.avi";
    other[siOutputName] = "clip.mp3";
    W->AppendRow(other);
    TListItem* row = AddSelectedRow("/in/clip.avi", "clip.avi");
    W->qvSkinOfficeComboBox2->SetItemIndex(0);  // MP3
    EXPECT_EQ(Sub(row, siOutputName), "clip_1.mp3");
}
