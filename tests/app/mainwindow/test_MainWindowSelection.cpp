// Selecting a job row restores the lists from the row, whose own change
// handlers rewrite it; errors end the selection silently.
#include "tests/app/mainwindow/AddsFixture.h"

#include "app/jobs/JobOptions.h"
#include "engine/Player.h"

using namespace jobs;

TEST_F(AddsTest, SelectionRestoresTheRowsCategoryAndProfile) {
    Start();
    TListItem* item = AppendJob("/in/a.avi", "a.avi", "1203");
    W->lvFiles->SetSelected(item);
    EXPECT_EQ(W->qvSkinOfficeComboBox2->ItemIndex(), 11);
    EXPECT_EQ(W->qvSkinOfficeComboBox1->ItemIndex(), 3);
    EXPECT_EQ(Sub(item, siCategoryCode), "1203");
    EXPECT_EQ(W->T_Movie_PLayer_FileName, "/in/a.avi");
    EXPECT_EQ(W->VideoFields.All_Trant_Number, profiles::ProfileCode(11, 3));
}

TEST_F(AddsTest, SelectionRestoresAStoredOptionOverTheDefault) {
    Start();
    // A video profile whose frame-size list offers "640*480" but shows "保持原分辨率".
    int category = -1, profile = -1, at = -1;
    for (int c = 0; c < profiles::CategoryRowCount && at < 0; ++c)
        for (int p = 0; p < int(profiles::ProfilesOfCategoryRow(c).size()) && at < 0; ++p) {
            const profiles::TOptionPreset* preset = profiles::FindOptionPreset(profiles::ProfileCode(c, p));
            if (!preset || !preset->VideoListsEnabled) continue;
            const profiles::TOptionCell& cell = preset->Cells[profiles::orFrameSize];
            if (profiles::DefaultItem(cell) != "保持原分辨率") continue;
            const profiles::TOptionList& sizes = profiles::OptionList(cell.List);
            for (int i = 0; i < int(sizes.Items.size()); ++i)
                if (profiles::OptionItem(sizes, i) == "640*480") category = c, profile = p, at = i;
        }
    ASSERT_GE(at, 0);

    const QString code = QString::number(profiles::CategoryRowCode(category, profile));
    TListItem* item = AppendJob("/in/a.avi", "a.mp4", code, OptionPair(at) + "0000000000");
    W->lvFiles->SetSelected(item);
    EXPECT_EQ(W->qvSkinOfficeComboBox2->ItemIndex(), category);
    EXPECT_EQ(W->qvSkinOfficeComboBox1->ItemIndex(), profile);
    EXPECT_EQ(W->qvSkinComboBox1->Text(), "640*480");
    EXPECT_EQ(Sub(item, siFrameSize), "640*480");
    EXPECT_EQ(W->VideoFields.Video_FrameSize, "640*480");
    EXPECT_EQ(Sub(item, siOptionDigits).left(2), OptionPair(at));
}

TEST_F(AddsTest, UnreadableCodesChangeNothing) {
    Start();
    Choose(2, 1);
    const struct { const char* Code; const char* Digits; } cases[] = {
        {"abc", "000000000000"},  // code not a number
        {"100", "0000000000"},    // digits too short: the last pair is empty
        {"100", "00x000000000"},  // a pair not a number
    };
    for (const auto& c : cases) {
        TListItem* item = AppendJob("/in/a.avi", "a.avi", c.Code, c.Digits);
        W->lvFiles->ClearSelection();
        const QStringList before = item->SubItems().ToStringList();
        W->lvFiles->SetSelected(item);
        EXPECT_EQ(item->SubItems().ToStringList(), before) << c.Code << " " << c.Digits;
        EXPECT_EQ(W->qvSkinOfficeComboBox2->ItemIndex(), 2) << c.Code << " " << c.Digits;
        EXPECT_EQ(W->qvSkinOfficeComboBox1->ItemIndex(), 1) << c.Code << " " << c.Digits;
    }
    EXPECT_TRUE(Prompt->Boxes.empty());
}

TEST_F(AddsTest, AProfileRowPastTheEndLeavesTheCategorysFirstProfile) {
    Start();
    TListItem* item = AppendJob("/in/a.avi", "a.avi", "399");
    W->lvFiles->SetSelected(item);
    EXPECT_EQ(W->qvSkinOfficeComboBox2->ItemIndex(), 2);
    EXPECT_EQ(Sub(item, siCategoryCode), "300");
    EXPECT_TRUE(Prompt->Boxes.empty());
    EXPECT_EQ(W->T_Movie_PLayer_FileName, "");
}

TEST_F(AddsTest, ClickingBesideTheRowsStopsThePreview) {
    Start();
    TDUDuvuvu* player = W->DUDuvuvu;
    ASSERT_TRUE(player->LoadAVLib(QStringLiteral("/nonexistent/LibAV")));
    W->Show();
    TListItem* item = AddSelectedRow("/in/a.avi", "a.avi");
    const QString clip = TestMedia::Path(QStringLiteral("av.mp4"));
    int states = 0;
    player->OnState = [&](QObject*, TPlayState) { ++states; };
    ASSERT_TRUE(player->Open(clip, W->Panel6, false));
    ASSERT_TRUE(WaitUntil([&] { return states > 0; }));
    W->lvFiles->Click();  // a row still selected: nothing
    EXPECT_NE(player->PlayState(), psStop);
    W->lvFiles->ClearSelection();
    W->lvFiles->Click();
    EXPECT_EQ(player->PlayState(), psStop);
    EXPECT_EQ(Sub(item, siCategoryCode), "100");
}

// On its way to its own profile the row passes its category's first one; a
// name another row holds with that profile's extension does not number it.
TEST_F(AddsTest, TheDetourThroughTheFirstProfileNumbersNoName) {
    Start();
    int category = -1, profile = -1;
    QString firstExt, ownExt;
    for (int c = 0; c < profiles::CategoryRowCount && category < 0; ++c) {
        const auto list = profiles::ProfilesOfCategoryRow(c);
        for (int p = 1; p < int(list.size()); ++p) {
            const QString first = profiles::ExtensionFromTitle(QString::fromUtf8(list[0].Title));
            const QString own = profiles::ExtensionFromTitle(QString::fromUtf8(list[p].Title));
            if (first != own) {
                category = c, profile = p, firstExt = first, ownExt = own;
                break;
            }
        }
    }
    ASSERT_GE(category, 0);
    const QString code = QString::number(profiles::CategoryRowCode(category, profile));
    AppendJob("/in/other.avi", "movie" + firstExt, code);
    TListItem* item = AppendJob("/in/movie.avi", "movie" + ownExt, code);
    W->lvFiles->SetSelected(item);
    EXPECT_EQ(W->qvSkinOfficeComboBox1->ItemIndex(), profile);
    EXPECT_EQ(Sub(item, siOutputName), "movie" + ownExt);
}
