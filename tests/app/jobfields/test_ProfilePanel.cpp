// The profile panel's chains without widgets: fills, change handlers, the
// selection's restore, and the row a new job keeps.
#include "app/jobs/ProfilePanel.h"
#include "app/profiles/ProfileTables.h"
#include "tests/app/jobfields/JobPrinters.h"

#include <gtest/gtest.h>

#include <vector>

using namespace jobs;
using namespace profiles;

namespace {

const QString kFolder = QStringLiteral("/out");

TProfilePanel PanelOn(int categoryRow, int profileRow) {
    TProfilePanel panel(kFolder);
    panel.SetCategoryIndex(categoryRow);
    panel.SetProfileIndex(profileRow);
    return panel;
}

// The row an add would write for clip.avi with the panel as it stands.
TJobRow AddedRow(const TProfilePanel& panel, const QString& outputName = QStringLiteral("clip.avi")) {
    TOutputOptions record;
    InitOutputOptions(record);
    record.FileName = kFolder + QLatin1Char('/') + outputName;
    return AddedJobRow({QStringLiteral("/src/clip.avi"), 5'000'000, 1310720, 0}, record, panel.CategoryRow(),
                       panel.ProfileRow(), panel.Indexes());
}

std::vector<TOptionRole> CountChanges(TProfilePanel& panel, const std::function<void()>& action) {
    std::vector<TOptionRole> changed;
    panel.OptionChanged = [&](TOptionRole role) { changed.push_back(role); };
    action();
    panel.OptionChanged = nullptr;
    return changed;
}

TEST(ProfilePanel, StartUpShowsTheFirstMp3Profile) {
    TProfilePanel panel;
    EXPECT_EQ(panel.CategoryRow(), 0);
    EXPECT_EQ(panel.ProfileRow(), 0);
    EXPECT_EQ(panel.ProfileCode(), 3000);
    EXPECT_EQ(panel.Fields().All_Trant_Number, 3000);
    EXPECT_EQ(panel.Box(orFrameSize).Text, QStringLiteral("该格式无视频"));
    for (TOptionRole role : {orFrameSize, orVideoBitrate, orFrameRate, orAspectMode}) {
        EXPECT_FALSE(panel.Box(role).Enabled) << role;
        if (role != orFrameSize) {
            EXPECT_EQ(panel.Box(role).Text, QStringLiteral("无视频"));
        }
    }
    EXPECT_EQ(panel.Box(orAudioBitrate).Text, QStringLiteral("192 kbps"));
    EXPECT_EQ(panel.Box(orAudioBitrate).ItemIndex, 13);
    EXPECT_EQ(panel.Box(orSampleRate).Text, QStringLiteral("48000"));
    EXPECT_EQ(panel.Box(orSampleRate).ItemIndex, 5);
    EXPECT_TRUE(panel.Box(orAudioBitrate).Enabled);
}

TEST(ProfilePanel, ChangeHandlersRunOnlyForChangedTexts) {
    TProfilePanel panel = PanelOn(8, 0);  // 100
    EXPECT_EQ(CountChanges(panel, [&] { panel.SetProfileIndex(1); }), std::vector{orVideoBitrate});
    // The same profile again: every list keeps its text.
    EXPECT_TRUE(CountChanges(panel, [&] { panel.SetProfileIndex(1); }).empty());
    // Picking the shown item again runs nothing; another text does.
    EXPECT_TRUE(CountChanges(panel, [&] { panel.SetOptionIndex(orFrameSize, 0); }).empty());
    EXPECT_EQ(CountChanges(panel, [&] { panel.SetOptionIndex(orFrameSize, 11); }), std::vector{orFrameSize});
    // Audio-only to video: all lists come back enabled and change in fill order.
    TProfilePanel start;
    EXPECT_EQ(CountChanges(start, [&] { start.SetCategoryIndex(8); }),
              (std::vector{orFrameSize, orVideoBitrate, orFrameRate, orAudioBitrate, orSampleRate, orAspectMode}));
    EXPECT_TRUE(start.Box(orFrameSize).Enabled);
}

TEST(ProfilePanel, RechoosingTheCategorySwitchesTheRowToItsFirstProfile) {
    TProfilePanel panel = PanelOn(8, 0);
    panel.SetProfileIndex(2);  // 102
    TJobRow row = AddedRow(panel);
    ASSERT_TRUE(panel.SelectRow(&row));
    EXPECT_EQ(row[siCategoryCode], QStringLiteral("902"));
    panel.SetCategoryIndex(8);
    EXPECT_EQ(panel.ProfileRow(), 0);
    EXPECT_EQ(row[siCategoryCode], QStringLiteral("900"));
    EXPECT_EQ(row[siVideoTag], QStringLiteral("XVID"));  // 100's parameters
    // Category row 9, last profile: code 3215, category-row code 1015.
    panel.SetCategoryIndex(9);
    panel.SetProfileIndex(15);
    EXPECT_EQ(panel.Fields().All_Trant_Number, 3215);
    EXPECT_EQ(row[siCategoryCode], QStringLiteral("1015"));
    EXPECT_EQ(row[siOutputName], QStringLiteral("clip.mp3"));
    EXPECT_EQ(row[siDisableVideo], QStringLiteral("True"));
}

TEST(ProfilePanel, PairsFollowTheListsAfterAProfileSwitch) {
    // 1300 shows "128 kbps" at position 2 of its list, 1307 at position 10 of
    // another: the text does not change, yet the row's pair must.
    TProfilePanel panel = PanelOn(13, 0);
    ASSERT_EQ(panel.ProfileCode(), 1300);
    TJobRow row = AddedRow(panel);
    ASSERT_TRUE(panel.SelectRow(&row));
    EXPECT_EQ(row[siOptionDigits].mid(4, 2), QStringLiteral("02"));
    panel.SetProfileIndex(7);
    EXPECT_EQ(panel.Box(orAudioBitrate).ItemIndex, 10);
    EXPECT_EQ(row[siOptionDigits].mid(4, 2), QStringLiteral("10"));
    // Selecting the row again restores "128 kbps", not position 2 of the new list.
    TJobRow other = AddedRow(panel);
    panel.SelectRow(&other);
    ASSERT_TRUE(panel.SelectRow(&row));
    EXPECT_EQ(panel.Box(orAudioBitrate).Text, QStringLiteral("128 kbps"));
    EXPECT_EQ(row[siAudioBitrate], QStringLiteral("128000"));
}

TEST(ProfilePanel, OptionPickOnASelectedRow) {
    TProfilePanel panel = PanelOn(8, 0);  // 100: the 28-item frame-size list
    ASSERT_EQ(panel.Box(orFrameSize).Count(), 28);
    TJobRow row = AddedRow(panel);
    row[siOptionDigits] = QStringLiteral("000305010200");
    panel.SetSelected(&row);
    panel.SetOptionIndex(orFrameSize, 19);
    EXPECT_EQ(row[siOptionDigits], QStringLiteral("190305010200"));
    EXPECT_EQ(row[siFrameSize], QStringLiteral("1280*720"));
    EXPECT_EQ(panel.Fields().Video_FrameSize, QStringLiteral("1280*720"));
    // Without a selected row nothing is written, not even the field.
    panel.SetSelected(nullptr);
    panel.SetOptionIndex(orFrameSize, 11);
    EXPECT_EQ(panel.Fields().Video_FrameSize, QStringLiteral("1280*720"));
    EXPECT_EQ(row[siFrameSize], QStringLiteral("1280*720"));
    panel.ConfirmOptions();
    EXPECT_EQ(panel.Fields().Video_FrameSize, QStringLiteral("640*480"));
}

TEST(ProfilePanel, SelectionRestoresCategoryProfileAndOptions) {
    TProfilePanel panel;  // MP3, far from the row's profile
    TJobRow row = AddedRow(PanelOn(11, 3));
    ASSERT_EQ(row[siCategoryCode], QStringLiteral("1203"));
    ASSERT_TRUE(panel.SelectRow(&row));
    EXPECT_EQ(panel.CategoryRow(), 11);
    EXPECT_EQ(panel.ProfileRow(), 3);
    EXPECT_EQ(panel.ProfileCode(), 3403);
    EXPECT_EQ(row[siCategoryCode], QStringLiteral("1203"));
}

TEST(ProfilePanel, StoredItemOtherThanTheDefaultIsRestored) {
    TJobRow row = AddedRow(PanelOn(8, 0));  // 100 at its defaults
    const QString defaults = row[siOptionDigits];
    row[siOptionDigits] = ReplacePair(defaults, orFrameSize, 11);
    TProfilePanel panel;
    ASSERT_TRUE(panel.SelectRow(&row));
    EXPECT_EQ(panel.Box(orFrameSize).Text, QStringLiteral("640*480"));
    EXPECT_EQ(row[siFrameSize], QStringLiteral("640*480"));
    EXPECT_EQ(panel.Fields().Video_FrameSize, QStringLiteral("640*480"));
    EXPECT_EQ(row[siOptionDigits], ReplacePair(defaults, orFrameSize, 11));
    // Lists left on their defaults give what they show, not the profile's
    // own figures ("25" in its parameters).
    EXPECT_EQ(row[siFrameRate], QStringLiteral("25.00"));
    EXPECT_EQ(row[siVideoBitrate], QStringLiteral("816000"));
    EXPECT_EQ(row[siAudioBitrate], QStringLiteral("128000"));
    EXPECT_EQ(row[siVideoTag], QStringLiteral("XVID"));
    EXPECT_EQ(row[siDisableVideo], QStringLiteral("False"));
}

TEST(ProfilePanel, UnreadableRowChangesNothing) {
    for (const auto& [code, digits] : std::vector<std::pair<const char*, const char*>>{
             {"x", "000310000904"}, {"900", "0003"}, {"", "000310000904"}}) {
        SCOPED_TRACE(code);
        TProfilePanel panel;
        TJobRow row = AddedRow(PanelOn(8, 0));
        row[siCategoryCode] = QString::fromLatin1(code);
        row[siOptionDigits] = QString::fromLatin1(digits);
        const TJobRow before = row;
        EXPECT_FALSE(panel.SelectRow(&row));
        EXPECT_EQ(row, before);
        EXPECT_EQ(panel.ProfileCode(), 3000);
    }
    // A profile row past its category's end: the category's first profile stays.
    TProfilePanel panel;
    TJobRow row = AddedRow(PanelOn(8, 0));
    row[siCategoryCode] = QStringLiteral("120");
    EXPECT_FALSE(panel.SelectRow(&row));
    EXPECT_EQ(panel.CategoryRow(), 0);
    EXPECT_EQ(row[siCategoryCode], QStringLiteral("100"));
}

TEST(ProfilePanel, RenamesGoThroughTheRuleOnceWithTheFinalName) {
    struct TCall {
        QString wanted;
        const TJobRow* row;
    };
    std::vector<TCall> calls;
    TFreeOutputName rule = [&](const QString& wanted, const QString&, const TJobRow* row) {
        if (row) calls.push_back({wanted, row});
        return wanted;
    };
    // 3200 adds files as ".avi" but its title names ".mp4"; the first
    // profile of a category passed on the way is not checked.
    TJobRow row = AddedRow(PanelOn(9, 0), QStringLiteral("clip.avi"));
    TProfilePanel panel(kFolder, rule);
    panel.SetCategoryIndex(4);
    ASSERT_TRUE(panel.SelectRow(&row));
    EXPECT_EQ(row[siOutputName], QStringLiteral("clip.mp4"));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].wanted, QStringLiteral("/out/clip.mp4"));
    EXPECT_EQ(calls[0].row, &row);
    // Selected again, the name stays and nothing is checked.
    calls.clear();
    ASSERT_TRUE(panel.SelectRow(&row));
    EXPECT_TRUE(calls.empty());
    // A profile switch that changes the extension is checked at once.
    panel.SetProfileIndex(4);  // 3204, ".avi"
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].wanted, QStringLiteral("/out/clip.avi"));
}

TEST(ProfilePanel, NewJobRowIsTheRowTheSelectionLeaves) {
    struct Case {
        int categoryRow, profileRow;
    } cases[] = {{8, 11}, {0, 0}, {9, 0}, {13, 7}, {2, 12}, {8, 14}};
    for (const Case& c : cases) {
        TProfilePanel panel = PanelOn(c.categoryRow, c.profileRow);
        SCOPED_TRACE(panel.ProfileCode());
        TOutputOptions record;
        InitOutputOptions(record);
        record.FileName = kFolder + QStringLiteral("/clip.avi");
        const TAddedFile file{QStringLiteral("/src/clip.avi"), 5'000'000, 1310720, 4};
        const TJobRow added = AddedJobRow(file, record, c.categoryRow, c.profileRow, panel.Indexes());
        const TJobRow kept = NewJobRow(file, record, panel);
        EXPECT_EQ(panel.Selected(), nullptr);  // the panel itself did not move
        TJobRow selected = added;
        ASSERT_TRUE(panel.SelectRow(&selected));
        EXPECT_EQ(kept, selected);
        EXPECT_EQ(kept[siTaskNumber], QStringLiteral("5"));
        EXPECT_EQ(kept[siDuration], QStringLiteral("00:00:05"));
        EXPECT_EQ(kept[siInputSize], QStringLiteral("1.25MB"));
        EXPECT_NE(kept[siDisableVideo], QString());  // written, unlike the add's own row
    }
    // The disc profile keeps its target and norm; a picked item wins over the
    // profile's parameter.
    TProfilePanel disc = PanelOn(8, 11);
    const TJobRow dvd = NewJobRow({QStringLiteral("/src/clip.avi"), 1, 1, 0}, TOutputOptions{}, disc);
    EXPECT_EQ(dvd[siTargetType], QStringLiteral("dvd"));
    EXPECT_EQ(dvd[siNormType], QStringLiteral("PAL"));
    EXPECT_EQ(dvd[siVideoBitrate], QStringLiteral("1200000"));  // the list's "1200 kbps"
    // A VCD accepts only its standard's rate, the one its list shows.
    const TJobRow vcd = NewJobRow({QStringLiteral("/src/clip.avi"), 1, 1, 0}, TOutputOptions{}, PanelOn(8, 13));
    EXPECT_EQ(vcd[siTargetType], QStringLiteral("vcd"));
    EXPECT_EQ(vcd[siVideoBitrate], QStringLiteral("1150000"));
    EXPECT_EQ(vcd[siAudioBitrate], QStringLiteral("128000"));
    TProfilePanel mp3;
    mp3.SetOptionIndex(orAudioBitrate, 16);
    const TJobRow loud = NewJobRow({QStringLiteral("/src/a.wav"), 1, 1, 0}, TOutputOptions{}, mp3);
    EXPECT_EQ(loud[siAudioBitrate], QStringLiteral("320000"));
    EXPECT_EQ(loud[siOptionDigits].mid(4, 2), QStringLiteral("16"));
    const TJobRow plain = NewJobRow({QStringLiteral("/src/a.wav"), 1, 1, 0}, TOutputOptions{}, TProfilePanel());
    EXPECT_EQ(plain[siAudioBitrate], QStringLiteral("192000"));  // the default item as it reads
}

}  // namespace
