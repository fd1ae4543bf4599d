// The window's menu and toolbar commands: the skin chooser, the output
// folder's Browse and Open, help, web site and the about box's links, the
// about box and the options dialog shown modally, and Exit.
#include "tests/app/mainwindow/CommandsFixture.h"

#include "app/about/AboutForm.h"
#include "app/about/ProductLinks.h"
#include "app/options/OptionsForm.h"
#include "engine/Trevalon.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/labels/SkinLabels.h"
#include "skin/controls/lists/SkinListBox.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/shell/SelectSkinDialog.h"
#include "skin/model/SkinData.h"
#include "skin/model/StoredSkin.h"

#include <QApplication>
#include <QTimer>

namespace {

// The chooser as the window's skin list fills it, read while it is open.
class TListingSkinDialog : public TqvSelectSkinDialog {
public:
    QStringList Rows;
    int Highlighted = -2;

protected:
    TModalResult RunModal(TqvSelectSkinDlgForm* form) override {
        for (int i = 0; i < form->SkinsListBox->Items().Count(); ++i) Rows << form->SkinsListBox->Items()[i];
        Highlighted = form->SkinsListBox->ItemIndex();
        return mrCancel;
    }
};

// Runs check, then presses, once the modal loop of form is running.
void WhenModal(TForm* form, std::function<void()> check, std::function<void()> press) {
    QTimer::singleShot(0, form, [form, check, press] {
        EXPECT_TRUE(form->Modal());
        EXPECT_TRUE(form->Visible());
        check();
        press();
    });
}

}  // namespace

TEST_F(CommandsTest, TheChooserListsOurElevenSkinsInOrder) {
    Start();
    const QStringList names{"OFFICE2007蓝色", "金属光泽", "银色天地", "Mac风格", "条纹色调", "纹理风格",
                            "Sorvend效果", "绿色世界", "深蓝色彩", "OFFICE2007", "Vista皮肤"};
    W->qvSkinData1->SetSkinIndex(7);
    TListingSkinDialog chooser;
    chooser.SetSkinList(W->qvCompressedSkinList1);
    chooser.SetCtrlSkinData(W->qvSkinData1);
    EXPECT_FALSE(chooser.Execute(W->qvSkinData1->SkinIndex()));
    EXPECT_EQ(chooser.Rows, names);
    EXPECT_EQ(chooser.Highlighted, 7);
    EXPECT_EQ(W->qvSkinData1->SkinIndex(), 7);
}

// Confirmed: the skin changes at once, is stored, and the next start uses it.
// Both the toolbar button and the menu item choose it.
TEST_F(CommandsTest, AChosenSkinIsAppliedStoredAndKeptForTheNextStart) {
    Start();
    Scripted->Skins.push_back(10);
    W->qvSkinButton9->Click();
    EXPECT_EQ(W->qvSkinData1->SkinIndex(), 10);
    EXPECT_EQ(Stored("Skin", "SetSkin"), "10");
    DestroyApplication();
    Application()->SetPrompt(Prompt);
    Start();
    EXPECT_EQ(W->qvSkinData1->SkinIndex(), 10);

    Scripted->Skins.push_back(4);
    W->N23->Click();
    EXPECT_EQ(W->qvSkinData1->SkinIndex(), 4);
    EXPECT_EQ(Stored("Skin", "SetSkin"), "4");
}

TEST_F(CommandsTest, CancellingTheChooserRewritesTheSameIndex) {
    WriteIni("[Skin]\nSetSkin=3\n");
    Start();
    ASSERT_EQ(W->qvSkinData1->SkinIndex(), 3);
    TIniFile(IniFile()).WriteString("Skin", "SetSkin", "7");
    W->qvSkinButton9->Click();
    EXPECT_EQ(W->qvSkinData1->SkinIndex(), 3);
    EXPECT_EQ(Stored("Skin", "SetSkin"), "3");
}

TEST_F(CommandsTest, BrowseKeepsAConfirmedFolderAcrossARestart) {
    Start();
    W->Show();
    QApplication::setActiveWindow(W);
    const QString chosen = Home() + "/out";
    ASSERT_TRUE(QDir().mkpath(chosen));
    Scripted->Folders.push_back(chosen);
    W->qvSkinButton5->Click();
    EXPECT_EQ(W->Video_OutPut_Folder_Edit->Text(), chosen);
    EXPECT_EQ(W->FileOutPutPath, chosen);
    EXPECT_EQ(Stored("OutPath", "OutPath"), chosen);
    EXPECT_TRUE(W->lvFiles->Focused());
    // The next chooser opens there.
    W->qvSkinButton5->Click();
    EXPECT_EQ(Scripted->FolderStarts, (QStringList{"", chosen}));

    DestroyApplication();
    Application()->SetPrompt(Prompt);
    Start();
    EXPECT_EQ(W->Video_OutPut_Folder_Edit->Text(), chosen);
    EXPECT_EQ(W->FileOutPutPath, chosen);
}

// A place that is not an existing folder changes nothing, and neither does
// a cancel after the shared chooser was confirmed for the snapshots.
TEST_F(CommandsTest, BrowseChangesNothingUnlessAnExistingFolderIsConfirmed) {
    Start();
    const QString before = W->FileOutPutPath;
    const QString shots = Home() + "/shots";
    ASSERT_TRUE(QDir().mkpath(shots));
    Scripted->Folders.push_back(shots);
    W->MenuItem2->Click();
    ASSERT_EQ(Stored("SnapShot", "Dir"), shots);

    W->qvSkinButton5->Click();  // cancelled
    Scripted->Folders.push_back(Home() + "/missing");
    W->qvSkinButton5->Click();
    EXPECT_EQ(W->FileOutPutPath, before);
    EXPECT_EQ(W->Video_OutPut_Folder_Edit->Text(), before);
    EXPECT_EQ(Stored("OutPath", "OutPath"), before);
    EXPECT_EQ(Stored("SnapShot", "Dir"), shots);
    EXPECT_EQ(Scripted->FolderStarts, (QStringList{"", shots, shots}));
}

// Every request goes to the desktop with its target; none is checked.
TEST_F(CommandsTest, HelpWebMailAndFolderRequestsGoToTheDesktop) {
    Start();
    W->Show();
    QApplication::setActiveWindow(W);
    W->N15->Click();
    W->N19->Click();
    W->qvSkinLinkLabel1->Click();
    Form2->qvSkinLinkLabel1->Click();
    Form2->qvSkinLinkLabel2->Click();
    W->MenuItem1->Click();
    const QString web = QString::fromLatin1(about::kWebAddress);
    EXPECT_EQ(Shell->Opened, (QStringList{Program() + "help.chm", web, web, web,
                                          QStringLiteral("mailto:") + about::kSupportMail,
                                          Home() + QStringLiteral("/Quorvel视频软件/快照")}));
    EXPECT_TRUE(Prompt->Boxes.empty());

    // Open runs the after-run action's folder opening, then focuses the list.
    int opens = 0;
    W->Button20->OnClick = [&opens, inner = W->Button20->OnClick](QObject* s) {
        ++opens;
        if (inner) inner(s);
    };
    W->Video_OutPut_Folder_Edit->SetFocus();
    W->qvSkinButton6->Click();
    EXPECT_EQ(opens, 1);
    EXPECT_TRUE(W->lvFiles->Focused());
    W->Video_OutPut_Folder_Edit->SetFocus();
    W->Video_OutPut_Folder_Edit->Click();
    EXPECT_TRUE(W->lvFiles->Focused());
}

TEST_F(CommandsTest, AboutAndOptionsShowModallyUntilClosed) {
    Start();
    W->Show();
    bool aboutShown = false;
    WhenModal(Form2, [&] { aboutShown = true; }, [] { Form2->qvSkinButton1->Click(); });
    W->N5->Click();
    EXPECT_TRUE(aboutShown);
    EXPECT_FALSE(Form2->Visible());
    EXPECT_FALSE(Form2->Modal());

    // The toolbar button and the menu item show the same options dialog.
    int shown = 0;
    const std::function<void()> commands[] = {[&] { W->qvSkinButton19->Click(); }, [&] { W->N24->Click(); }};
    for (const auto& command : commands) {
        WhenModal(Form5, [&] { ++shown; }, [] { Form5->Close(); });
        command();
    }
    EXPECT_EQ(shown, 2);
    EXPECT_FALSE(Form5->Visible());
}

TEST_F(CommandsTest, ExitRunsTheClosePath) {
    Start();
    W->Show();
    W->N4->Click();
    EXPECT_TRUE(Application()->Terminated());
    EXPECT_FALSE(W->Trevalon->OnTerminate);
    EXPECT_FALSE(W->DUDuvuvu->OnState);
}
