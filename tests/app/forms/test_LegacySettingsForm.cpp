// The settings dialog driven through its lists and buttons: the creation
// chain, the catalogue, the presets, the parameters with the output-exists
// rule, and the reading of the option lists back into the job fields.
#include "app/legacy/LegacySettingsForm.h"
#include "app/legacy/LegacyTables.h"
#include "app/options/OptionsForm.h"
#include "tests/app/forms/FormsFixture.h"

#include "platform/StdCtrls.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/pages/SkinPageControl.h"
#include "skin/forms/Velmora.h"

#include <QDir>
#include <QTimer>

namespace {

// Counts the chain's handlers as the form binds them.
class TCountedForm6 : public TForm6 {
public:
    using TForm6::TForm6;
    int Button2Runs = 0, Button18Runs = 0, ProfileClicks = 0, CategoryChanges = 0;

protected:
    void Layout() override {
        TForm6::Layout();
        Count(Button2->OnClick, Button2Runs);
        Count(Button18->OnClick, Button18Runs);
        Count(qvSkinOfficeComboBox1->OnClick, ProfileClicks);
        Count(qvSkinOfficeComboBox2->OnChange, CategoryChanges);
    }

private:
    static void Count(TNotifyEvent& event, int& counter) {
        event = [inner = event, &counter](QObject* s) {
            ++counter;
            if (inner) inner(s);
        };
    }
};

struct ListState {
    QString text;
    int count;
    bool enabled;
    bool operator==(const ListState&) const = default;
};

std::ostream& operator<<(std::ostream& os, const ListState& s) {
    return os << '"' << s.text.toStdString() << "\" of " << s.count << (s.enabled ? "" : " disabled");
}

ListState State(TqvSkinComboBox* list) { return {list->Text(), list->Items().Count(), list->Enabled()}; }

class LegacyFormTest : public FormsTest {
protected:
    TCountedForm6* Form = nullptr;

    TCountedForm6* Create() {
        Application()->CreateForm(Form);
        return Form;
    }
    // As the user's choices: the category first (its chain selects profile
    // row 0), then the profile.
    void Select(int categoryRow, int profileRow) {
        Form->qvSkinOfficeComboBox2->SetItemIndex(categoryRow);
        if (profileRow != 0) Form->qvSkinOfficeComboBox1->SetItemIndex(profileRow);
    }
    void SelectCode(int code) { Select(code / 100 - 1, code % 100); }
    // Lists in filling order: frame size, video bitrate, frame rate, audio
    // bitrate, sample rate, aspect mode.
    std::vector<TqvSkinComboBox*> Lists() const {
        return {Form->qvSkinComboBox1, Form->qvSkinComboBox2,  Form->qvSkinComboBox9,
                Form->qvSkinComboBox3, Form->qvSkinComboBox10, Form->qvSkinComboBox4};
    }
    static void Choose(TqvSkinComboBox* list, const QString& text) {
        const int at = list->Items().IndexOf(text);
        ASSERT_GE(at, 0) << text.toStdString();
        list->SetItemIndex(at);
    }
};

}  // namespace

TEST_F(LegacyFormTest, CreationRunsTheChainOnceForCode100) {
    Link.Fields.All_Trant_Number = 7;
    Link.Fields.Video_DisableVideo = true;
    Create();
    EXPECT_EQ(Form->Button2Runs, 1);
    EXPECT_EQ(Form->ProfileClicks, 1);
    EXPECT_EQ(Form->Button18Runs, 1);
    EXPECT_EQ(Form->CategoryChanges, 0);
    EXPECT_EQ(Link.Fields.All_Trant_Number, 100);
    EXPECT_FALSE(Link.Fields.Video_DisableVideo);

    const std::vector<ListState> expected = {
        {"保持原分辨率", 28, true}, {"816 kbps", 8, true}, {"25.00", 12, true},
        {"128 kbps", 17, true},     {"44100", 6, true},    {"保持原视频模式", 5, true}};
    std::vector<ListState> shown;
    for (auto* list : Lists()) shown.push_back(State(list));
    EXPECT_EQ(shown, expected);

    EXPECT_EQ(Form->qvSkinOfficeComboBox2->ItemIndex(), 0);
    EXPECT_EQ(Form->qvSkinOfficeComboBox1->Items().Count(), 15);
    EXPECT_EQ(Form->qvSkinOfficeComboBox1->ItemIndex(), 0);
    EXPECT_FALSE(Form->Visible());
    // The design size; a screen narrower than the form clamps the window itself.
    EXPECT_EQ(Form->qvVelmora1->ClientWidth, 958);
    EXPECT_EQ(Form->qvVelmora1->ClientHeight, 474);
    EXPECT_EQ(Form->Panel1->Left() + Form->Panel1->Width(), 958 + 37);
    EXPECT_EQ(Form->FindComponent(QStringLiteral("滤镜设置")), Form->FilterSheet);
    EXPECT_EQ(Form->qvSkinPageControl1->PageCount(), 4);
    EXPECT_EQ(Form->qvSkinPageControl1->ActivePage(), Form->qvSkinTabSheet1);
    // Its conversion component is created with it and never used.
    EXPECT_FALSE(Form->Trevalon->AVLibLoaded());
    EXPECT_FALSE(Form->Trevalon->Working());
    EXPECT_TRUE(Prompt->Texts.isEmpty());

    // The buttons without a handler do nothing; the reset runs only from its own button.
    const jobs::TJobFields before = Link.Fields;
    Form->Button7->Click();
    Form->Button11->Click();
    EXPECT_EQ(Link.Fields.Video_AudioVolume, before.Video_AudioVolume);
    Link.Fields.Video_FrameSize = "176*144";
    Form->Button6->Click();
    EXPECT_EQ(Link.Fields.Video_FrameSize, "");
    EXPECT_EQ(Link.Fields.All_Trant_Number, 100);
}

TEST_F(LegacyFormTest, CategoriesFillTheProfileListAndSelectRowZero) {
    Create();
    const int counts[] = {15, 13, 10, 14, 6, 5, 14, 5, 10, 8, 5, 4};
    ASSERT_EQ(Form->qvSkinOfficeComboBox2->Items().Count(), 12);
    for (int row = 0; row < 12; ++row) {
        SCOPED_TRACE(row);
        const int runs = Form->Button18Runs;
        Select(row, 0);
        TqvSkinOfficeItems& items = Form->qvSkinOfficeComboBox1->Items();
        EXPECT_EQ(items.Count(), counts[row]);
        EXPECT_EQ(Form->qvSkinOfficeComboBox1->ItemIndex(), 0);
        EXPECT_EQ(Form->Button18Runs, runs + 1);
        EXPECT_EQ(Link.Fields.All_Trant_Number, (row + 1) * 100);
        EXPECT_EQ(Form->qvSkinOfficeComboBox2->Items()[row]->ImageIndex(), row);
        for (int k = 0; k < items.Count(); ++k) {
            EXPECT_EQ(items[k]->Title(), QString::fromUtf8(legacy::ProfilesOf(row)[k].title));
            EXPECT_EQ(items[k]->Caption(), QString::fromUtf8(legacy::ProfilesOf(row)[k].description));
        }
    }
    auto imageIndexes = [&](int row) {
        Select(row, 0);
        QList<int> out;
        for (int k = 0; k < Form->qvSkinOfficeComboBox1->Items().Count(); ++k)
            out << Form->qvSkinOfficeComboBox1->Items()[k]->ImageIndex();
        return out;
    };
    EXPECT_EQ(imageIndexes(0), QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(imageIndexes(11), QList<int>({22, 23, 24, 25}));

    // Titles kept as they stand: a trailing blank, a doubled blank.
    Select(1, 0);
    EXPECT_TRUE(Form->qvSkinOfficeComboBox1->Items()[2]->Title().endsWith(' '));
    EXPECT_TRUE(Form->qvSkinOfficeComboBox1->Items()[11]->Title().endsWith(' '));
    Select(6, 0);
    for (int k = 0; k <= 3; ++k) EXPECT_TRUE(Form->qvSkinOfficeComboBox1->Items()[k]->Title().contains("-  ")) << k;

    // Choosing the category already shown refills it and selects row 0 again.
    Select(2, 4);
    const int changes = Form->CategoryChanges;
    Form->qvSkinOfficeComboBox2->SetItemIndex(2);
    EXPECT_EQ(Form->CategoryChanges, changes + 1);
    EXPECT_EQ(Form->qvSkinOfficeComboBox1->Items().Count(), 10);
    EXPECT_EQ(Form->qvSkinOfficeComboBox1->ItemIndex(), 0);
    EXPECT_EQ(Link.Fields.All_Trant_Number, 300);
}

TEST_F(LegacyFormTest, ACategoryOutsideTheCatalogueEndsWithTheListIndexError) {
    Create();
    SelectCode(405);
    std::vector<ListState> before;
    for (auto* list : Lists()) before.push_back(State(list));
    const int clicks = Form->ProfileClicks;
    try {
        Form->qvSkinOfficeComboBox2->SetItemIndex(-1);
        ADD_FAILURE() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (0)");
    }
    EXPECT_EQ(Form->ProfileClicks, clicks);
    EXPECT_EQ(Form->qvSkinOfficeComboBox1->Items().Count(), 0);
    std::vector<ListState> after;
    for (auto* list : Lists()) after.push_back(State(list));
    EXPECT_EQ(after, before);
    EXPECT_EQ(Link.Fields.All_Trant_Number, 405);
}

TEST_F(LegacyFormTest, EveryProfileFillsItsPresetIntoTheSixLists) {
    Create();
    for (const legacy::Preset& preset : legacy::Presets()) {
        SCOPED_TRACE(preset.code);
        Link.Fields.Video_DisableVideo = true;
        SelectCode(preset.code);
        EXPECT_EQ(Link.Fields.All_Trant_Number, preset.code);
        EXPECT_FALSE(Link.Fields.Video_DisableVideo);
        const auto lists = Lists();
        for (legacy::Option option : legacy::kOptions) {
            TqvSkinComboBox* list = lists[int(option)];
            const legacy::OptionPreset& entry = preset[option];
            const bool video = option != legacy::Option::AudioBitrate && option != legacy::Option::SampleRate;
            EXPECT_EQ(State(list), (ListState{QString::fromUtf8(entry.items[entry.defaultIndex]),
                                              int(entry.items.size()), !(preset.audioOnly && video)}))
                << int(option);
        }
    }

    SelectCode(200);
    EXPECT_EQ(State(Form->qvSkinComboBox1), (ListState{"该格式无视频", 1, false}));
    EXPECT_EQ(State(Form->qvSkinComboBox9), (ListState{"无视频", 1, false}));
    EXPECT_TRUE(Form->qvSkinComboBox3->Enabled());
    SelectCode(109);
    EXPECT_EQ(Form->qvSkinComboBox4->Items().Count(), 2);
    EXPECT_EQ(State(Form->qvSkinComboBox10), (ListState{"8000", 1, true}));

    // No profile selected: code 99 has no preset; the lists end empty and
    // enabled, keeping their texts.
    Form->qvSkinOfficeComboBox2->SetItemIndex(0);
    std::vector<QString> texts;
    for (auto* list : Lists()) texts.push_back(list->Text());
    Form->qvSkinOfficeComboBox1->SetItemIndex(-1);
    EXPECT_EQ(Link.Fields.All_Trant_Number, 99);
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(State(Lists()[i]), (ListState{texts[i], 0, true})) << i;
}

TEST_F(LegacyFormTest, ParametersWriteTheSelectedRowWithoutAReset) {
    Create();
    Link.Folder = "/out";
    Link.Fields.Video_AddFileName = "/in/clip.mkv";
    auto run = [&](int code) {
        SelectCode(code);
        Form->Button5->Click();
    };
    run(100);
    const jobs::TJobFields& f = Link.Fields;
    EXPECT_EQ(f.All_Trant_Number, 100);
    EXPECT_EQ(f.Video_OutPutFileName, "/out/clip.avi");
    EXPECT_EQ(f.Video_VideoCodec, "mpeg4");
    EXPECT_EQ(f.Video_VideoTag, "XVID");
    EXPECT_EQ(f.Video_FrameRate, "25");
    EXPECT_EQ(f.Video_VideoBitrate, 816000);
    EXPECT_EQ(f.Video_AudioBitrate, 128000);
    EXPECT_FALSE(f.Video_DisableVideo);

    // An audio-only row leaves every video field to its last writer.
    run(200);
    EXPECT_TRUE(f.Video_DisableVideo);
    EXPECT_EQ(f.Video_VideoCodec, "mpeg4");
    EXPECT_EQ(f.Video_VideoBitrate, 816000);
    EXPECT_EQ(f.Video_FrameRate, "25");

    run(111);
    run(403);
    EXPECT_EQ(f.Video_TargetType, "dvd");
    EXPECT_EQ(f.Video_NormType, "");

    run(100);
    run(114);
    EXPECT_EQ(f.Video_FileExt, ".avi");
    EXPECT_EQ(f.Video_VideoBitrate, 816000);
    EXPECT_EQ(f.Video_AudioBitrate, 128000);
    EXPECT_EQ(f.Video_VideoCodec, "rv20");
    EXPECT_EQ(f.Video_OutPutFileName, "/out/clip.rm");

    struct Spot {
        int code;
        const char* codec;
        const char* size;
        int bitrate;
    };
    for (const Spot& s : {Spot{409, "libx264", "640*480", 1200000}, Spot{413, "libxvid", "480*320", 1000000},
                          Spot{408, nullptr, nullptr, 7680000}}) {
        SCOPED_TRACE(s.code);
        run(s.code);
        if (s.codec) {
            EXPECT_EQ(f.Video_VideoCodec, s.codec);
            EXPECT_EQ(f.Video_FrameSize, s.size);
        }
        EXPECT_EQ(f.Video_VideoBitrate, s.bitrate);
    }
}

TEST_F(LegacyFormTest, OutputNamesFollowTheOptionsDialogsOverwriteChoice) {
    QTemporaryDir out;
    const QString dir = out.path();
    Application()->CreateForm(Form5);
    Create();
    SelectCode(100);
    auto touch = [&](const QString& name) {
        QFile file(dir + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    };
    auto nameFor = [&](const QString& folder, const QString& input, bool overwrite) {
        (overwrite ? Form5->qvSkinCheckRadioBox3 : Form5->qvSkinCheckRadioBox6)->SetChecked(true);
        Link.Folder = folder;
        Link.Fields.Video_AddFileName = input;
        Form->Button5->Click();
        return Link.Fields.Video_OutPutFileName;
    };
    EXPECT_EQ(nameFor(dir, "/in/clip.mkv", false), dir + "/clip.avi");
    touch("clip.avi");
    EXPECT_EQ(nameFor(dir, "/in/clip.mkv", false), dir + "/clip_1.avi");
    EXPECT_EQ(nameFor(dir, "/in/clip.mkv", true), dir + "/clip.avi");
    touch("clip_1.avi");
    EXPECT_EQ(nameFor(dir, "/in/clip.mkv", false), dir + "/clip_2.avi");
    // A folder text ending in "/" keeps its doubled separator, which names the same file.
    EXPECT_EQ(nameFor(dir + "/", "/in/clip.mkv", false), dir + "//clip_2.avi");
    EXPECT_EQ(nameFor(dir, "", false), dir + "/.avi");
    QDir(dir).mkdir("other.avi");
    EXPECT_EQ(nameFor(dir, "/in/other.mp4", false), dir + "/other.avi");
}

TEST_F(LegacyFormTest, ReadBackWritesTheListsChoicesOverTheParameters) {
    Create();
    Link.Folder = "/out";
    Link.Fields.Video_AddFileName = "/in/clip.mkv";
    SelectCode(100);
    Form->Button5->Click();
    Link.Fields.Video_FrameAspectRatio = "16:9";
    Form->Button13->Click();
    const jobs::TJobFields& f = Link.Fields;
    EXPECT_EQ(f.Video_FrameSize, "");
    EXPECT_EQ(f.Video_FrameRate, "25.00");
    EXPECT_EQ(f.Video_VideoBitrate, 816000);
    EXPECT_EQ(f.Video_AudioSampleRate, "44100");
    EXPECT_EQ(f.Video_AudioBitrate, 128000);
    EXPECT_EQ(f.Video_FrameAspectRatio, "");

    SelectCode(708);
    Form->Button13->Click();
    EXPECT_EQ(f.Video_FrameSize, "");
    EXPECT_EQ(f.Video_FrameRate, "");
    EXPECT_EQ(f.Video_VideoBitrate, -1000);
    EXPECT_EQ(f.Video_AudioSampleRate, "8000");
    EXPECT_EQ(f.Video_AudioBitrate, 7400);

    for (const auto& [text, bits] : {std::pair{"12.2 kbps", 12200}, std::pair{"4.75 kbps", 4750}}) {
        Choose(Form->qvSkinComboBox3, text);
        Form->Button13->Click();
        EXPECT_EQ(f.Video_AudioBitrate, bits) << text;
    }

    SelectCode(100);
    Choose(Form->qvSkinComboBox4, "宽屏视频37:20模式");
    Form->Button13->Click();
    EXPECT_EQ(f.Video_FrameAspectRatio, "37:20");
    Form->qvSkinComboBox4->SetText("拉伸");
    Form->Button13->Click();
    EXPECT_EQ(f.Video_FrameAspectRatio, "37:20");
}

TEST_F(LegacyFormTest, OkStopsAtAListTextThatDoesNotConvertAndStaysOpen) {
    Create();
    Link.Folder = "/out";
    Link.Fields.Video_AddFileName = "/in/clip.mkv";
    SelectCode(100);
    Choose(Form->qvSkinComboBox1, "176*144");
    Form->qvSkinComboBox2->SetText("8.5 kbps");
    // Choices after the failing list, unlike what the profile's row writes.
    Choose(Form->qvSkinComboBox10, "22050");
    Choose(Form->qvSkinComboBox3, "64 kbps");
    bool openAfterOk = false;
    QTimer::singleShot(0, Form, [&] {
        ClickOn(Form->qvSkinButton2);
        openAfterOk = Form->Visible() && Form->Modal();
        ClickOn(Form->qvSkinButton3);
    });
    Form->ShowModal();
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(Prompt->Texts, QStringList({"'8.5' is not a valid integer value."}));
    const jobs::TJobFields& f = Link.Fields;
    EXPECT_EQ(f.Video_OutPutFileName, "/out/clip.avi");
    EXPECT_EQ(f.Video_FrameSize, "176*144");
    EXPECT_EQ(f.Video_FrameRate, "25.00");
    EXPECT_EQ(f.Video_AudioSampleRate, "44100");
    EXPECT_EQ(f.Video_AudioBitrate, 128000);

    // With good texts OK writes both steps and hides the dialog, which keeps its lists.
    SelectCode(101);
    QTimer::singleShot(0, Form, [&] { ClickOn(Form->qvSkinButton2); });
    Form->ShowModal();
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(f.Video_OutPutFileName, "/out/clip.mp4");
    EXPECT_EQ(f.Video_FrameRate, Form->qvSkinComboBox9->Text());
    EXPECT_EQ(Form->qvSkinOfficeComboBox1->ItemIndex(), 1);
}

// Without the main window's link (or an options dialog) the dialog still builds
// and runs its chain, on fields of its own: it can never stop the start-up.
TEST_F(LegacyFormTest, WorksWithoutTheMainWindow) {
    SetMainWindowLink(nullptr);
    Create();
    EXPECT_TRUE(Prompt->Texts.isEmpty());
    EXPECT_EQ(MainWindowLink().JobFields().All_Trant_Number, 100);
    EXPECT_EQ(Link.Fields.All_Trant_Number, 0);
    SelectCode(1203);
    QTimer::singleShot(0, Form, [&] { ClickOn(Form->qvSkinButton2); });
    Form->ShowModal();
    EXPECT_TRUE(Prompt->Texts.isEmpty());
    EXPECT_FALSE(Form->Visible());
    EXPECT_TRUE(MainWindowLink().JobFields().Video_DisableVideo);
    EXPECT_EQ(MainWindowLink().JobFields().Video_OutPutFileName, "/.swf");
}
