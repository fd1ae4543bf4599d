// The profile panel's chains on the real controls: which handlers run, what
// they write into the selected row, and the option lists each profile gets.
#include "tests/app/mainwindow/MainWindowFixture.h"

#include "app/jobs/JobOptions.h"
#include "app/profiles/ProfileTables.h"

#include <map>
#include <set>

using namespace jobs;

namespace {

struct TChangeCounts {
    std::map<QString, int> Runs;
    int Total() const {
        int n = 0;
        for (const auto& [name, runs] : Runs) n += runs;
        return n;
    }
};

void CountChanges(TForm1* w, TChangeCounts& counts) {
    for (TqvSkinComboBox* list : {w->qvSkinComboBox1, w->qvSkinComboBox2, w->qvSkinComboBox3, w->qvSkinComboBox4,
                                  w->qvSkinComboBox9, w->qvSkinComboBox10}) {
        auto inner = list->OnChange;
        list->OnChange = [inner, &counts, name = list->Name()](QObject* s) {
            ++counts.Runs[name];
            inner(s);
        };
    }
}

bool VideoListsDisabled(TForm1* w) {
    return !w->qvSkinComboBox1->Enabled() && !w->qvSkinComboBox2->Enabled() && !w->qvSkinComboBox4->Enabled() &&
           !w->qvSkinComboBox9->Enabled();
}

}  // namespace

TEST_F(MainWindowTest, ReChoosingTheShownCategoryRunsTheWholeChainOnTheSelectedRow) {
    Start();
    TListItem* row = AddSelectedRow("/in/song.wav", "song_1.wav");
    int fills = 0, profileLists = 0, parameters = 0, options = 0;
    CountClicks(W->Button2, profileLists);
    CountClicks(W->Button18, fills);
    CountClicks(W->Button5, parameters);
    CountClicks(W->Button13, options);

    W->qvSkinOfficeComboBox2->SetItemIndex(0);  // already shown

    EXPECT_EQ(profileLists, 1);
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(parameters, 1);
    EXPECT_EQ(options, 1);
    EXPECT_EQ(W->qvSkinOfficeComboBox1->ItemIndex(), 0);
    EXPECT_EQ(Sub(row, siOutputName), "song_1.mp3");
    EXPECT_EQ(Sub(row, siCategoryCode), "100");
    EXPECT_EQ(Sub(row, siDisableVideo), "True");
    EXPECT_EQ(Sub(row, siVideoBitrate), "-1000");  // what "无视频" reads
    // The pairs follow the lists: 3000's defaults.
    for (TOptionRole role : DigitOrder)
        EXPECT_EQ(Sub(row, siOptionDigits).mid(2 * PairPosition(role), 2),
                  OptionPair(profiles::FindOptionPreset(3000)->Cells[role].Default));
}

TEST_F(MainWindowTest, WithoutASelectedRowAProfileChoiceOnlyFillsTheLists) {
    Start();
    int parameters = 0, options = 0;
    CountClicks(W->Button5, parameters);
    CountClicks(W->Button13, options);
    Choose(8, 3);
    EXPECT_EQ(parameters, 0);
    EXPECT_EQ(options, 0);
    EXPECT_EQ(W->VideoFields.All_Trant_Number, 103);
    EXPECT_FALSE(W->VideoFields.Video_DisableVideo);
}

TEST_F(MainWindowTest, OnlyAListWhoseTextChangesRunsItsHandler) {
    Start();
    Choose(8, 0);  // 100
    TChangeCounts counts;
    CountChanges(W, counts);
    W->qvSkinOfficeComboBox1->SetItemIndex(1);  // 101
    EXPECT_EQ(counts.Total(), 1);
    EXPECT_EQ(counts.Runs["qvSkinComboBox2"], 1);
    EXPECT_EQ(W->qvSkinComboBox2->Text(), "768 kbps");

    // Choosing the shown profile again refills every list with unchanged texts: nothing runs.
    counts.Runs.clear();
    W->qvSkinOfficeComboBox1->SetItemIndex(1);
    EXPECT_EQ(counts.Total(), 0);
}

TEST_F(MainWindowTest, PairsFollowTheListsWhenADefaultKeepsItsTextAtAnotherPosition) {
    Start();
    Choose(13, 0);  // 1300: "128 kbps" at position 2
    TListItem* row = AddSelectedRow("/in/clip.avi", "clip.mp4");
    W->qvSkinOfficeComboBox1->SetItemIndex(0);
    ASSERT_EQ(Sub(row, siOptionDigits).mid(4, 2), "02");
    TChangeCounts counts;
    CountChanges(W, counts);
    W->qvSkinOfficeComboBox1->SetItemIndex(7);  // 1307: "128 kbps" at position 10
    EXPECT_EQ(counts.Runs["qvSkinComboBox3"], 0);
    EXPECT_EQ(W->qvSkinComboBox3->Text(), "128 kbps");
    EXPECT_EQ(Sub(row, siOptionDigits).mid(4, 2), "10");
}

TEST_F(MainWindowTest, AnOptionListRewritesOnlyItsOwnPairAndColumn) {
    Start();
    // A profile whose frame-size list reaches position 19 with a text of its own.
    int category = -1, profile = -1;
    for (int c = 0; c < profiles::CategoryRowCount && category < 0; ++c) {
        const auto list = profiles::ProfilesOfCategoryRow(c);
        for (int p = 0; p < int(list.size()); ++p) {
            const profiles::TOptionPreset* preset = profiles::FindOptionPreset(profiles::ProfileCode(c, p));
            const profiles::TOptionList& sizes = profiles::OptionList(preset->Cells[profiles::orFrameSize].List);
            if (preset->VideoListsEnabled && sizes.Items.size() > 19 &&
                profiles::OptionItem(sizes, 19) != profiles::DefaultItem(preset->Cells[profiles::orFrameSize])) {
                category = c;
                profile = p;
                break;
            }
        }
    }
    ASSERT_GE(category, 0);
    Choose(category, profile);
    TListItem* row = AddSelectedRow("/in/clip.avi", "clip.avi", "000305010200");
    W->qvSkinComboBox1->SetItemIndex(19);
    EXPECT_EQ(Sub(row, siOptionDigits), "190305010200");
    EXPECT_EQ(Sub(row, siFrameSize), W->qvSkinComboBox1->Text());
    EXPECT_EQ(W->VideoFields.Video_FrameSize, W->qvSkinComboBox1->Text());
}

TEST_F(MainWindowTest, TheLastSmartphoneProfileKeepsItsTwoCodes) {
    Start();
    TListItem* row = AddSelectedRow("/in/clip.avi", "clip.avi");
    Choose(9, 15);
    EXPECT_EQ(W->VideoFields.All_Trant_Number, 3215);
    EXPECT_EQ(Sub(row, siCategoryCode), "1015");
    EXPECT_TRUE(VideoListsDisabled(W));
}

TEST_F(MainWindowTest, EachCategoryOffersItsProfiles) {
    Start();
    const int counts[profiles::CategoryRowCount] = {4, 5, 13, 4, 4, 7, 7, 7, 15, 16, 13, 12, 4, 11, 11, 7};
    int total = 0;
    for (int row = 0; row < profiles::CategoryRowCount; ++row) {
        W->qvSkinOfficeComboBox2->SetItemIndex(row);
        EXPECT_EQ(W->qvSkinOfficeComboBox1->Items().Count(), counts[row]) << "category row " << row;
        EXPECT_EQ(W->qvSkinOfficeComboBox1->ItemIndex(), 0);
        for (int p = 0; p < W->qvSkinOfficeComboBox1->Items().Count(); ++p)
            EXPECT_EQ(W->qvSkinOfficeComboBox1->Items()[p]->ImageIndex(), p % 2);
        total += counts[row];
    }
    EXPECT_EQ(total, 140);
}

// Every profile: its lists hold a selection, the audio-only ones (and only
// they) show their placeholders disabled, and the aspect default.
TEST_F(MainWindowTest, EveryProfileFillsItsOptionLists) {
    Start();
    std::set<int> audioOnly;
    for (int code = 200; code <= 212; ++code) audioOnly.insert(code);
    for (int code : {1202, 1203, 1505, 1506, 3000, 3001, 3002, 3003, 3100, 3101, 3102, 3103, 3215, 3312})
        audioOnly.insert(code);
    ASSERT_EQ(audioOnly.size(), 27u);
    int seen = 0;
    for (int c = 0; c < profiles::CategoryRowCount; ++c) {
        W->qvSkinOfficeComboBox2->SetItemIndex(c);
        for (int p = 0; p < W->qvSkinOfficeComboBox1->Items().Count(); ++p) {
            W->qvSkinOfficeComboBox1->SetItemIndex(p);
            const int code = W->VideoFields.All_Trant_Number;
            SCOPED_TRACE(code);
            ++seen;
            EXPECT_EQ(VideoListsDisabled(W), audioOnly.count(code) == 1);
            EXPECT_TRUE(W->qvSkinComboBox3->Enabled() && W->qvSkinComboBox10->Enabled());
            for (TOptionRole role : DigitOrder) {
                TqvSkinComboBox* box = role == profiles::orFrameSize      ? W->qvSkinComboBox1
                                       : role == profiles::orVideoBitrate ? W->qvSkinComboBox2
                                       : role == profiles::orAudioBitrate ? W->qvSkinComboBox3
                                       : role == profiles::orAspectMode   ? W->qvSkinComboBox4
                                       : role == profiles::orFrameRate    ? W->qvSkinComboBox9
                                                                          : W->qvSkinComboBox10;
                EXPECT_GE(box->ItemIndex(), 0);
                EXPECT_LT(box->ItemIndex(), box->Items().Count());
            }
            if (!audioOnly.count(code)) {
                EXPECT_EQ(W->qvSkinComboBox4->Text(),
                          code == 3302 || code == 3307 ? QStringLiteral("宽屏视频16:9模式")
                                                       : QStringLiteral("保持原视频模式"));
            }
        }
    }
    EXPECT_EQ(seen, 140);
}

TEST_F(MainWindowTest, SpotRowsSelectTheirItems) {
    Start();
    struct TCase {
        int Category, Profile;
        const char* FrameSize;
        const char* FrameRate;
        const char* AudioBitrate;
        const char* SampleRate;
    };
    const TCase cases[] = {
        {8, 9, "176*144", "12", "12 kbps", "8000"},        // 109
        {2, 12, nullptr, nullptr, "7.4 kbps", "8000"},     // 212
        {11, 1, "3840*2160", nullptr, nullptr, nullptr},   // 3401, the last item of its list
    };
    for (const TCase& c : cases) {
        Choose(c.Category, c.Profile);
        SCOPED_TRACE(W->VideoFields.All_Trant_Number);
        if (c.FrameSize) {
            EXPECT_EQ(W->qvSkinComboBox1->Text(), c.FrameSize);
        }
        if (c.FrameRate) {
            EXPECT_EQ(W->qvSkinComboBox9->Text(), c.FrameRate);
        }
        if (c.AudioBitrate) {
            EXPECT_EQ(W->qvSkinComboBox3->Text(), c.AudioBitrate);
        }
        if (c.SampleRate) {
            EXPECT_EQ(W->qvSkinComboBox10->Text(), c.SampleRate);
        }
    }
    EXPECT_EQ(W->qvSkinComboBox1->ItemIndex(), W->qvSkinComboBox1->Items().Count() - 1);
}

// The title gives the extension; only the part after the last dot changes.
TEST_F(MainWindowTest, AProfileSwitchRenamesTheSelectedRowByTheTitle) {
    Start();
    const struct {
        const char* Before;
        const char* After;
    } names[] = {{"song_1.wav", "song_1.mp3"}, {"a.b.avi", "a.b.mp3"}, {"clip", "clip.mp3"}};
    for (const auto& n : names) {
        TListItem* row = AddSelectedRow(QStringLiteral("/in/") + n.Before, n.Before);
        W->qvSkinOfficeComboBox2->SetItemIndex(0);
        EXPECT_EQ(Sub(row, siOutputName), n.After);
    }
    const struct {
        const char* Title;
        const char* Extension;
    } titles[] = {{"RA - RealAudio音频格式(*.ra)", ".ra"}, {"RM - REAL视频格式(*.rm)", ".rm"},
                  {"FLAC-音频格式(*.flac)", ".flac"}, {"AIFF - 音频交换文件格式(*.aiff)", ".aiff"},
                  {"MP4-MP4音频格式(*.m4a)", ".m4a"}, {"iPad MPEG-4视频格式 XviD编码 (*.mp4)", ".mp4"}};
    for (const auto& t : titles) EXPECT_EQ(profiles::ExtensionFromTitle(QString::fromUtf8(t.Title)), t.Extension);
}
