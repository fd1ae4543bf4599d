// The program started into its main window: the window's state after
// start-up, and the output folder and skin carried in "option.ini".
#include "tests/app/mainwindow/MainWindowFixture.h"

#include "app/options/OptionsForm.h"
#include "platform/ExtCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/buttons/SkinMenuSpeedButton.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/menu/SkinMenu.h"
#include "platform/Messages.h"
#include "skin/model/SkinData.h"
#include "skin/model/SkinTypes.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QFileInfo>
#include <QTest>

TEST_F(MainWindowTest, StartsIntoItsMainWindow) {
    Start();
    EXPECT_EQ(Application()->MainForm(), W);
    EXPECT_EQ(W->Caption(), "Quorvelia");
    EXPECT_EQ(Application()->Title(), "Quorvelia");
    EXPECT_EQ(Application()->HelpFile(), "help.chm");
    // The frame around it may not fit a narrow test screen, which then limits the width.
    const int frameWidth = W->ClientMargins().left() + W->ClientMargins().right();
    if (QGuiApplication::primaryScreen()->availableGeometry().width() >= 800 + frameWidth) {
        EXPECT_EQ(W->ClientRect().Width(), 800) << "frame " << frameWidth;
    }
    EXPECT_EQ(W->ClientRect().Height(), 541);
    EXPECT_TRUE(Prompt->Boxes.empty());
    EXPECT_NE(Form5, nullptr);

    // Commands: add, options and skin enabled, the rest disabled with their menu items.
    EXPECT_TRUE(W->CmdAdd.Enabled());
    EXPECT_TRUE(W->qvSkinButton19->Enabled());
    EXPECT_TRUE(W->qvSkinButton9->Enabled());
    for (const TCommandState* c : {&W->CmdRemove, &W->CmdClear, &W->CmdStart, &W->CmdStop, &W->CmdPause,
                                   &W->CmdResume, &W->CmdRename})
        EXPECT_FALSE(c->Enabled()) << c->ToolButton->Name().toStdString();
    for (TMenuItem* item : {W->N7, W->N8, W->N10, W->N11, W->N13, W->N14, W->N26})
        EXPECT_FALSE(item->Enabled()) << item->Name().toStdString();
    EXPECT_TRUE(W->Item111->Enabled());

    // The logo over the empty job list.
    EXPECT_TRUE(W->qvSkinPanel5->Visible());
    EXPECT_EQ(W->lvFiles->Items().Count(), 0);
    EXPECT_EQ(W->JobRecords.Count(), 0);
    EXPECT_EQ(W->lvFiles->Columns().Count(), 25);

    // MP3 and its first profile, the video lists on their placeholders and disabled.
    EXPECT_EQ(W->qvSkinOfficeComboBox2->ItemIndex(), 0);
    EXPECT_EQ(W->qvSkinOfficeComboBox2->Items()[0]->Caption(), "MP3音频");
    EXPECT_EQ(W->qvSkinOfficeComboBox1->Items().Count(), 4);
    EXPECT_EQ(W->qvSkinOfficeComboBox1->Items()[W->qvSkinOfficeComboBox1->ItemIndex()]->Title(),
              "高清晰MP3音频格式(*.mp3)");
    // The settings dialog, created last, fills its own lists into the window's fields.
    EXPECT_EQ(W->VideoFields.All_Trant_Number, 100);
    EXPECT_EQ(W->qvSkinComboBox1->Text(), "该格式无视频");
    for (TqvSkinComboBox* video : {W->qvSkinComboBox2, W->qvSkinComboBox4, W->qvSkinComboBox9})
        EXPECT_EQ(video->Text(), "无视频");
    for (TqvSkinComboBox* video : {W->qvSkinComboBox1, W->qvSkinComboBox2, W->qvSkinComboBox4, W->qvSkinComboBox9})
        EXPECT_FALSE(video->Enabled());
    EXPECT_EQ(W->qvSkinComboBox3->Text(), "192 kbps");
    EXPECT_EQ(W->qvSkinComboBox10->Text(), "48000");
    EXPECT_TRUE(W->qvSkinComboBox3->Enabled() && W->qvSkinComboBox10->Enabled());

    // The open dialogs' filter: 42 choices, the first selected, pieces 2 and 3 one pair.
    const QStringList parts = W->OpenDialog1->Filter.split('|');
    ASSERT_EQ(parts.size(), 85);
    EXPECT_TRUE(parts.last().isEmpty());
    EXPECT_EQ(parts[0], "所有文件格式 (*.*)");
    EXPECT_EQ(parts[2], "支持的视频/音频文件格式");
    EXPECT_TRUE(parts[3].contains("*.SWF;*.FLAC;"));
    EXPECT_TRUE(parts[3].endsWith("*.qt"));
    EXPECT_EQ(parts[74], QString::fromUtf8("Flac无损压缩音频格式\u3000(*.flac)"));
    EXPECT_EQ(parts[52], "微软数字视频格式( *.dvr-ms)");
    EXPECT_EQ(parts[83], "*.aif; *.aiff");
    EXPECT_EQ(W->OpenDialog1->FilterIndex, 1);
    EXPECT_EQ(W->OpenDialog2->Filter, W->OpenDialog1->Filter);
    EXPECT_TRUE(W->OpenDialog2->MultiSelection);
    EXPECT_FALSE(W->OpenDialog1->MultiSelection);

    // The preview's screens: Panel6, then the window's children by tab position.
    QStringList screens;
    for (int i = 0; i < W->cboScreens->Items().Count(); ++i) screens << W->cboScreens->Items()[i];
    EXPECT_EQ(screens, QStringList({"Panel6", "qvSkinMainMenuBar1", "qvSkinToolBar2", "Panel1", "qvSkinPanel1",
                                    "qvSkinPanel2", "qvSkinPanel3", "Panel3", "qvSkinPanel5", "qvSkinPanel4",
                                    "Button19", "Button27", "edt", "Panel4", "Panel5", "Panel6"}));
    EXPECT_EQ(W->cboScreens->ItemIndex(), 0);
    EXPECT_EQ(W->qvSkinSlider1_down_UP, "UP");
    EXPECT_EQ(W->SavePictureDialog1->DefaultExt, "bmp");

    // A first start stores the defaults and makes the output folder under home.
    const QString output = Home() + "/Quorvel视频软件/输出";
    EXPECT_EQ(W->FileOutPutPath, output);
    EXPECT_EQ(W->Video_OutPut_Folder_Edit->Text(), output);
    EXPECT_TRUE(QFileInfo(output).isDir());
    EXPECT_EQ(Stored("OutPath", "OutPath"), output);
    EXPECT_EQ(Stored("Skin", "SetSkin"), "0");
    TStringList sections;
    TIniFile(IniFile()).ReadSections(sections);
    ASSERT_EQ(sections.Count(), 3);
    EXPECT_EQ(sections[0], "OutPath");
    EXPECT_EQ(sections[1], "Skin");
    EXPECT_EQ(sections[2], "Options");
    TStringList options;
    TIniFile(IniFile()).ReadSectionValues("Options", options);
    QStringList optionLines;
    for (int i = 0; i < options.Count(); ++i) optionLines << options[i];
    EXPECT_EQ(optionLines, QStringList({"Thread_Count=0", "After_Done=0", "Thread_Priority=3", "Overwrite_File=1",
                                        "Show_Preview=0"}));
    EXPECT_EQ(W->qvSkinData1->SkinIndex(), 0);
}

// The hidden buttons are the operations: they run hidden and disabled.
TEST_F(MainWindowTest, TheFixedWindowOffersNoMaximize) {
    Start();
    TqvVelmora* frame = W->qvVelmora1;
    EXPECT_EQ(frame->BorderIcons(), TqvBorderIcons(biMinimize));
    for (const auto& o : frame->ObjectList)
        EXPECT_FALSE(o->Command == cmMaximize && o->Enabled) << o->IDName.toStdString();
    TRect caption{};
    for (const auto& o : frame->ObjectList)
        if (o->IsCaption()) caption = o->ObjectRect;
    ASSERT_GT(caption.Width(), 0);
    const QPoint at(caption.Left + 20, (caption.Top + caption.Bottom) / 2);
    W->show();
    QApplication::setActiveWindow(W);
    // The system menu from the caption: minimize and close only.
    QTest::mousePress(W->windowHandle(), Qt::RightButton, {}, at);
    ASSERT_TRUE(frame->SkinMenu()->Visible());
    const TqvPopupLevel& level = frame->SkinMenu()->LastLevel()->Level();
    QStringList items;
    for (int i = 0; i < level.ItemCount(); ++i)
        items << (level.Item(i)->IsSeparator() ? QStringLiteral("-") : level.Item(i)->MenuItem->Name());
    EXPECT_EQ(items, QStringList({"QVF_MINITEM", "-", "QVF_CLOSE"}));
    QTest::mouseRelease(W->windowHandle(), Qt::RightButton, {}, at);
    frame->SkinMenu()->Hide();
    // A double click on the caption leaves the window as it was; the button kept off the client stays off it.
    const QRect before = W->geometry();
    QTest::mouseDClick(W->windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(frame->WindowState(), wsNormal);
    EXPECT_EQ(W->geometry(), before);
    EXPECT_FALSE(W->Button27->parentWidget()->rect().intersects(W->Button27->geometry()));
}

TEST_F(MainWindowTest, HiddenButtonsRunTheirOperations) {
    Start();
    EXPECT_FALSE(W->Button2->Visible() && W->Panel1->Left() < 800);
    EXPECT_GE(W->Panel1->Left(), 1273);
    EXPECT_GE(W->Panel5->Left(), 1273);
    W->Button2->SetEnabled(false);
    W->qvSkinOfficeComboBox2->SetItemIndex(5);  // AVI
    EXPECT_EQ(W->qvSkinOfficeComboBox1->Items().Count(), 7);
    EXPECT_EQ(W->VideoFields.All_Trant_Number, 1600);

    W->VideoFields.Video_VideoCodec = "x";
    W->VideoFields.Video_AddFileName = "/in/a.avi";
    W->Button6->Click();
    EXPECT_TRUE(W->VideoFields.Video_VideoCodec.isEmpty());
    EXPECT_EQ(W->VideoFields.Video_AudioVolume, "256");
    EXPECT_EQ(W->VideoFields.Video_AddFileName, "/in/a.avi");
    EXPECT_EQ(W->VideoFields.Video_VideoBitrate, -1);
}

struct TSettingsCase {
    const char* Name;
    QByteArray Ini;
    int SkinIndex;          // the skin model's index after start-up
    const char* StoredSkin;  // what the file holds afterwards
    bool DefaultFolder;
};

class MainWindowSettingsTest : public MainWindowTest, public ::testing::WithParamInterface<TSettingsCase> {};

TEST_P(MainWindowSettingsTest, ReadsAndRepairsItsKeys) {
    const TSettingsCase& c = GetParam();
    WriteIni(c.Ini);
    Start();
    EXPECT_TRUE(Prompt->Boxes.empty());
    EXPECT_EQ(W->qvSkinData1->SkinIndex(), c.SkinIndex);
    EXPECT_EQ(Stored("Skin", "SetSkin"), c.StoredSkin);
    if (c.DefaultFolder) {
        EXPECT_EQ(W->FileOutPutPath, Home() + "/Quorvel视频软件/输出");
        EXPECT_EQ(Stored("OutPath", "OutPath"), W->FileOutPutPath);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MainWindowSettingsTest,
    ::testing::Values(
        // Out of the skin list: ignored by the model (the form's skin 1 stays) and kept in the file.
        TSettingsCase{"SkinOutOfRange", "[Skin]\nSetSkin=12\n", 1, "12", true},
        // Not an integer: counts as missing.
        TSettingsCase{"SkinNotANumber", "[Skin]\nSetSkin=x\n", 0, "0", true},
        TSettingsCase{"StoredSkin", "[Skin]\nSetSkin=4\n", 4, "4", true},
        TSettingsCase{"ErrorValues", "[OutPath]\nOutPath=Error\n[Skin]\nSetSkin=Error\n", 0, "0", true},
        TSettingsCase{"EmptyValues", "[OutPath]\nOutPath=\n[Skin]\nSetSkin=\n", 0, "0", true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MainWindowTest, AStoredFolderIsUsedAsItStandsAndCreated) {
    const QString folder = Home() + "/a/b//c";
    WriteIni("[OutPath]\nOutPath=" + folder.toUtf8() + "\n");
    Start();
    EXPECT_EQ(W->FileOutPutPath, folder);
    EXPECT_EQ(W->Video_OutPut_Folder_Edit->Text(), folder);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

// A settings file that cannot be written (a folder in its place, which no
// user may write over): one error box, and a window that works.
TEST_F(MainWindowTest, AnUnwritableSettingsFileGivesOneBoxAndAWorkingWindow) {
    ASSERT_TRUE(QDir().mkpath(IniFile()));
    Start();
    ASSERT_EQ(Prompt->Boxes.size(), 1u);
    EXPECT_TRUE(Prompt->Boxes[0].Text.contains("option.ini"));
    EXPECT_EQ(Prompt->Boxes[0].Caption, "Quorvelia");
    EXPECT_EQ(W->FileOutPutPath, Home() + "/Quorvel视频软件/输出");
    EXPECT_EQ(W->qvSkinData1->SkinIndex(), 0);
    EXPECT_EQ(W->qvSkinOfficeComboBox1->Items().Count(), 4);
    EXPECT_EQ(W->cboScreens->Items().Count(), 16);
    EXPECT_EQ(W->OpenDialog1->Filter, TForm1::InputFileFilter());
    Choose(8, 1);
    EXPECT_EQ(W->VideoFields.All_Trant_Number, 101);

    // A command's write failure shows its own box.
    W->qvSkinData1->SetSkinIndex(3);
    EXPECT_ANY_THROW(W->Button4->Click());
}

TEST_F(MainWindowTest, TheCommandsStoreTheFolderAndTheSkin) {
    Start();
    QTemporaryDir chosen;
    Dialogs->Folders.push_back(chosen.path());
    W->qvSkinButton5->Click();
    EXPECT_EQ(W->FileOutPutPath, chosen.path());
    EXPECT_EQ(W->Video_OutPut_Folder_Edit->Text(), chosen.path());
    EXPECT_EQ(Stored("OutPath", "OutPath"), chosen.path());
    W->qvSkinButton5->Click();  // cancelled: nothing changes
    EXPECT_EQ(W->FileOutPutPath, chosen.path());

    Dialogs->Skins.push_back(6);
    W->qvSkinButton9->Click();
    EXPECT_EQ(W->qvSkinData1->SkinIndex(), 6);
    EXPECT_EQ(Stored("Skin", "SetSkin"), "6");
}

// Creating the window loads one skin, the stored one (or the one the
// start-up falls back on): no skin is parsed and announced only to be replaced.
TEST_F(MainWindowTest, StartUpLoadsOnlyTheSkinItApplies) {
    struct TSkinAnnouncements : QObject {
        int count = 0;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (const TMessage* m = AsMessage(e); m && m->Msg == WM_SKIN_CHANGED && dynamic_cast<TForm1*>(o)) ++count;
            return false;
        }
    };
    const struct {
        const char* ini;  // empty: no file
        int index;
    } rows[] = {{"[Skin]\nSetSkin=3\n", 3}, {"", 0}, {"[Skin]\nSetSkin=99\n", 1}, {"[Skin]\nSetSkin=1\n", 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ini);
        QFile::remove(IniFile());
        if (*row.ini) WriteIni(row.ini);
        TSkinAnnouncements announced;
        qApp->installEventFilter(&announced);
        Start();
        qApp->removeEventFilter(&announced);
        EXPECT_EQ(W->qvSkinData1->SkinIndex(), row.index);
        EXPECT_EQ(announced.count, 1);
        DestroyApplication();
        Application()->SetPrompt(Prompt);
    }
}

TEST_F(MainWindowTest, TheProgramStartsAgainInOneProcess) {
    for (int run = 0; run < 2; ++run) {
        Start();
        EXPECT_EQ(W->qvSkinOfficeComboBox1->Items().Count(), 4);
        DestroyApplication();
        EXPECT_EQ(Form1, nullptr);
        Application()->SetPrompt(Prompt);
    }
}
