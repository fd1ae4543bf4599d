// The open and save dialogs in their modal loop over the temporary tree: the
// program's filter, the rules for typed names, the overwrite question, new
// folders, history, start folders and sizes.
#include "skin/forms/shell/OpenDialog.h"

#include "ShellFixture.h"
#include "DialogTestSupport.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/buttons/SkinSpeedButton.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/shell/ShellComboBox.h"
#include "skin/forms/shell/ShellDriveControls.h"
#include "skin/forms/shell/ShellFileControls.h"
#include "skin/forms/shell/ShellListView.h"
#include "skin/forms/shell/ShellTreeView.h"
#include "tests/skin/support/TestSkin.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// The program's input filter, as its main window sets it.
const char* const kProgramFilter =
    "所有文件格式 (*.*)|*.*|"
    "支持的视频/音频文件格式|*.AVI;*.ASF;*.asx;*.WMV;*.AVS;*.FLV;*.MKV;*.MOV;*.3GP;*.MP4;*.MPG;*.MPEG;*.DAT;*.OGM;"
    "*.VOB;*.RM;*.RMVB;*.TS;*.TP;*.IFO;*.NSV;*.MP3;*.AAC;*.WAV;*.WMA;*.CDA;*.SWF;"
    "*.FLAC;*.M4A;*.MID;*.MKA;*.MP2;*.MPA;*.MPC;*.APE;*.OFR;*.OGG;*.RA;*.WV;*.TTA;*.AC3;*.DTS;*.DV;*.m4v;*.3g2;"
    "*.mkv;*.dv;*.yuv;*.h261;*.h264;*.mjpeg;*.dif;*.m4v;*.3gpp;*.3gp2;*.qt|"
    "支持的视频文件格式|*.AVI;*.ASF;*.asx;*.WMV;*.AVS;*.FLV;*.MKV;*.MOV;*.3GP;*.MP4;*.MPG;*.MPEG;*.DAT;*.OGM;*.VOB;"
    "*.RM;*.RMVB;*.TS;*.TP;*.IFO;*.NSV;*.SWF;*.WV;*.TTA;*.AC3;*.DTS;*.DV;*.m4v;*.3g2;*.mkv;*.dv;*.yuv;*.h261;*.h264;"
    "*.mjpeg;*.dif;*.m4v;*.3gpp;*.3gp2;*.qt|"
    "支持的音频文件格式|*.MP3;*.AAC;*.WAV;*.WMA;*.CDA;*.FLAC;*.M4A;*.MID;*.MKA;*.MP2;*.MPA;*.MPC;*.APE;*.OFR;*.OGG;"
    "*.RA;*.WV;*.TTA;*.AC3|"
    "AVI文件 (*.avi)|*.avi|Real视频文件格式 (*.rm;*.rmvb)|*.rm;*.rmvb|MP4视频格式 (*.mp4;*.m4v)|*.mp4;*.m4v|"
    "MPEG视频格式 (*.mpg;*.mpeg)|*.mpg;*.mpeg|DVD视频格式 (*.vob)|*.vob|VCD/SVCD视频格式 (*.dat;*.mpg)|*.dat;*.mpg|"
    "ASF微软视频格式 (*.asf)|*.asf|WMV微软视频格式 (*.wmv)|*.wmv|手机3GPP文件格式 (*.3gp;*.3gpp)|*.3gp;*.3gpp|"
    "手机3GPP2文件格式 (*.3g2;*.3gp2)|*.3g2;*.3gp2|Flash动画格式 (*.swf)|*.swf|Flash视频格式 (*.flv)|*.flv|"
    "MKV视频媒体格式 (*.mkv)|*.mkv|Quick Time视频文件格式 (*.mov;*.qt)|*.mov;*.qt|"
    "DV数字视频文件格式 (*.dv;*.dif)|*.dv;*.dif|Raw h261类型文件 (*.h261)|*.h261|Raw h264类型文件 (*.h264)|*.h264|"
    "YUV类型文件 (*.yuv)|*.yuv|GIF图片动画格式 (*.gif)|*.gif|MJPEG视频格式(*.mjpg;*.mjpeg)|*.mjpg;*.mjpeg|"
    "TS视频格式 (*.ts)|*.ts|WMV高清HD视频格式 (*.xwmv)|*.xwmv|微软数字视频格式( *.dvr-ms)|*.dvr-ms|"
    "iTunes视频格式 (*.m4v)|*.m4v|MP3音频格式 (*.mp3)|*.mp3|CD音频格式 (*.cda)|*.cda|WMA微软音频格式 (*.wma)|*.wma|"
    "WAVE音频格式 (*.wav)|*.wav|REAL音频格式 (*.ra;*.ram)|*.ra;*.ram|MP4音频格式 (*.m4a;*.mp4)|*.m4a;*.mp4|"
    "AAC高级音频格式 (*.aac)|*.aac|AC3音频格式 (*.ac3)|*.ac3|Monkey音频格式 (*.ape;*.cue)|*.ape;*.cue|"
    "Flac无损压缩音频格式\u3000(*.flac)|*.flac|MPEG音频编码格式(*.mpa)|*.mpa|MPEG 2音频编码格式(*.mp2)|*.mp2|"
    "OGG音频编码格式(*.ogg)|*.ogg|AIFF音频编码格式(*.aif; *.aiff)|*.aif; *.aiff|";

QStringList Names(TqvSkinFileListView* list) {
    QStringList n;
    for (int i = 0; i < list->FolderCount(); ++i) n << list->Folders(i)->DisplayName();
    return n;
}

class OpenDialog : public ::testing::Test {
protected:
    ShellTree T;

    // Runs d with action inside its modal loop; action must end it.
    static bool Run(TqvCustomOpenDialog& d, std::function<void(TqvOpenDlgForm*)> action) {
        Queue([&d, action] {
            TqvOpenDlgForm* f = d.Form();
            ASSERT_TRUE(f && f->isVisible());
            action(f);
            if (f->ModalResult() == mrNone) f->SetModalResult(mrCancel);
        });
        return d.Execute();
    }
    // Types a name and presses Open; true when that closed the dialog.
    static bool TypeAndOpen(TqvOpenDlgForm* f, const QString& name) {
        f->FileNameEdit->SetText(name);
        ClickAt(f->OpenButton);
        return f->ModalResult() == mrOk;
    }
};

TEST_F(OpenDialog, TheProgramFilterGivesFortyTwoChoicesAndItsAiffPatternShowsAiffFiles) {
    TqvSkinOpenDialog d;
    d.Filter = QString::fromUtf8(kProgramFilter);
    d.FileName = T.Music + "/";
    int count = 0;
    QString first;
    QStringList aiff, all;
    Run(d, [&](TqvOpenDlgForm* f) {
        count = f->FilterComboBox->Items().Count();
        first = f->FilterComboBox->Items()[0];
        all = Names(f->FileListView);
        f->FilterComboBox->SetItemIndex(41);
        f->FCBChange(f->FilterComboBox);
        aiff = Names(f->FileListView);
    });
    EXPECT_EQ(count, 42);
    EXPECT_EQ(first, QString::fromUtf8("所有文件格式 (*.*)"));
    EXPECT_TRUE(all.contains("notes")) << "*.* shows names without a dot";
    EXPECT_EQ(aiff, (QStringList{"Live", "track.aiff"}));
    EXPECT_EQ(d.FilterIndex, 42) << "the choice is kept for the next run";
}

TEST_F(OpenDialog, TypedNamesInOpenMode) {
    const struct Row {
        const char* What;
        QString Filter;
        bool CheckFileExists;
        QString Typed;
        bool Closes;
        QString Result;
    } rows[] = {
        {"candidate takes the filter's extension", "MP3|*.mp3", true, "song2", true, T.Music + "/song2.mp3"},
        {"a missing candidate keeps the dialog open", "MP3|*.mp3", true, "song3", false, {}},
        {"an empty name does nothing", "MP3|*.mp3", true, "", false, {}},
        {"unchecked, *.* adds nothing", "All files|*.*", false, "newname", true, T.Music + "/newname"},
        {"unchecked, a pattern adds its extension", "Clips|*.avi;*.mp4", false, "new", true, T.Music + "/new.avi"},
        {"an absolute name stands as typed", "All files|*.*", true, T.Desktop + "/readme.txt", true,
         T.Desktop + "/readme.txt"},
        {"a relative path goes below the folder", "All files|*.*", true, "Live/../clip.wav", true,
         T.Music + "/Live/../clip.wav"},
    };
    for (const Row& r : rows) {
        TqvSkinOpenDialog d;
        d.Filter = r.Filter;
        d.CheckFileExists = r.CheckFileExists;
        d.FileName = T.Music + "/";
        bool closed = false;
        const bool ok = Run(d, [&](TqvOpenDlgForm* f) { closed = TypeAndOpen(f, r.Typed); });
        EXPECT_EQ(ok, r.Closes) << r.What;
        EXPECT_EQ(closed, r.Closes) << r.What;
        if (r.Closes) {
            EXPECT_EQ(d.FileName, r.Result) << r.What;
            EXPECT_EQ(d.Files().Count(), 0) << r.What << ": nothing was selected";
        }
    }
}

TEST_F(OpenDialog, ASelectedFileIsTheAnswerAndFilesListsTheSelection) {
    TqvSkinOpenDialog d;
    d.MultiSelection = true;
    d.FileName = T.Music + "/";
    QString edit;
    EXPECT_TRUE(Run(d, [&](TqvOpenDlgForm* f) {
        const QStringList names = Names(f->FileListView);
        const int i = int(names.indexOf("clip.wav"));
        ASSERT_GE(i, 0);
        f->FileListView->SetItemIndex(i);
        edit = f->FileNameEdit->Text();
        ClickAt(f->OpenButton);
    }));
    EXPECT_EQ(edit, "clip.wav");
    EXPECT_EQ(d.FileName, T.Music + "/clip.wav");
    ASSERT_EQ(d.Files().Count(), 1);
    EXPECT_EQ(d.Files()[0], T.Music + "/clip.wav");
}

TEST_F(OpenDialog, DoubleClickEnterAndEscape) {
    TqvSkinOpenDialog d;
    d.FileName = T.Music + "/";
    auto select = [](TqvOpenDlgForm* f, const QString& name) {
        f->FileListView->SetItemIndex(int(Names(f->FileListView).indexOf(name)));
    };
    EXPECT_TRUE(Run(d, [&](TqvOpenDlgForm* f) {
        select(f, "video.avi");
        f->FileListView->OnDblClick(f->FileListView);
    }));
    EXPECT_EQ(d.FileName, T.Music + "/video.avi");
    EXPECT_TRUE(Run(d, [&](TqvOpenDlgForm* f) {
        select(f, "Live");
        QChar enter('\r');
        f->FileListView->OnKeyPress(f->FileListView, enter);  // a folder: the list opens it itself
        EXPECT_EQ(f->ModalResult(), mrNone);
        select(f, "clip.wav");
        enter = QChar('\r');
        f->FileListView->OnKeyPress(f->FileListView, enter);
    }));
    EXPECT_EQ(d.FileName, T.Music + "/clip.wav");
    EXPECT_FALSE(Run(d, [&](TqvOpenDlgForm* f) {
        select(f, "song2.mp3");
        QApplication::setActiveWindow(f);
        PressKey(QApplication::focusWidget() ? QApplication::focusWidget() : f, Qt::Key_Escape);
    }));
    EXPECT_EQ(d.FileName, T.Music + "/clip.wav");
}

TEST_F(OpenDialog, SaveModeNamesAndTheOverwriteQuestion) {
    ShellTree::Touch(T.Music + "/old.log", 1);
    ShellTree::Touch(T.Music + "/other.txt", 1);
    const struct Row {
        const char* What;
        QString Filter, DefaultExt, Typed;
        bool Asked;
        TModalResult Answer;
        bool Closes;
        QString Result;
    } rows[] = {
        {"DefaultExt under *.*", "All files|*.*", "txt", "notes2", false, mrOk, true, T.Music + "/notes2.txt"},
        {"a star does nothing", "All files|*.*", "txt", "a*", false, mrOk, false, {}},
        {"the filter's extension comes first", "Logs|*.log", "txt", "fresh", false, mrOk, true, T.Music + "/fresh.log"},
        // The question is about the file that would be written: old.log, not old.txt.
        {"asks about the returned name", "Logs|*.log", "txt", "old", true, mrOk, true, T.Music + "/old.log"},
        {"Cancel keeps the dialog open", "Logs|*.log", "txt", "old", true, mrCancel, false, {}},
        {"no question when only the other extension exists", "Logs|*.log", "txt", "other", false, mrOk, true,
         T.Music + "/other.log"},
    };
    for (const Row& r : rows) {
        TqvSkinSaveDialog d;
        d.Filter = r.Filter;
        d.DefaultExt = r.DefaultExt;
        d.OverwritePromt = true;
        d.FileName = T.Music + "/";
        QString question;
        const bool ok = Run(d, [&](TqvOpenDlgForm* f) {
            EXPECT_EQ(f->OpenButton->Caption(), "&Save");
            if (r.Asked) AnswerNextBox(&question, r.Answer);
            TypeAndOpen(f, r.Typed);
        });
        EXPECT_EQ(ok, r.Closes) << r.What;
        EXPECT_EQ(!question.isEmpty(), r.Asked) << r.What;
        if (r.Asked) {
            EXPECT_EQ(question, "Do you want to overwrite old file?");
        }
        if (r.Closes) {
            EXPECT_EQ(d.FileName, r.Result) << r.What;
        }
    }
    EXPECT_FALSE(QFileInfo(T.Music + "/old.txt").exists());
}

TEST_F(OpenDialog, SaveModeFilterChangeSwapsTheTypedExtension) {
    TqvSkinSaveDialog d;
    d.Filter = "Logs|*.log|Text|*.txt|All|*.*";
    d.FileName = T.Music + "/";
    QStringList seen;
    Run(d, [&](TqvOpenDlgForm* f) {
        f->FileNameEdit->SetText("report.log");
        for (int i : {1, 2, 0}) {
            f->FilterComboBox->SetItemIndex(i);
            f->FCBChange(f->FilterComboBox);
            seen << f->FileNameEdit->Text();
        }
    });
    EXPECT_EQ(seen, (QStringList{"report.txt", "report.txt", "report.log"}));
}

TEST_F(OpenDialog, NewFoldersAreNumberedFromTheSecondAndTheLastIsRenamedInPlace) {
    TqvSkinOpenDialog d;
    d.FileName = T.Music + "/";
    bool editing = false;
    QString selected;
    Run(d, [&](TqvOpenDlgForm* f) {
        for (int i = 0; i < 3; ++i) ClickAt(f->NewFolderToolButton);
        editing = f->FileListView->IsEditing();
        selected = f->FileListView->SelectedFolder() ? f->FileListView->SelectedFolder()->DisplayName() : QString();
    });
    for (const char* n : {"New Folder", "New Folder(2)", "New Folder(3)"})
        EXPECT_TRUE(QFileInfo(T.Music + "/" + n).isDir()) << n;
    EXPECT_TRUE(editing);
    EXPECT_EQ(selected, "New Folder(3)");
}

TEST_F(OpenDialog, BackWalksTheHistoryAndUpLeavesAVolumeForTheComputer) {
    TqvSkinOpenDialog d;
    d.FileName = T.Music + "/";
    QStringList path;
    bool onComputer = false;
    Run(d, [&](TqvOpenDlgForm* f) {
        f->FileListView->SetPath(T.Videos);
        f->FileListView->SetPath(T.Deep);
        ClickAt(f->BackToolButton);
        path << f->FileListView->Path();
        ClickAt(f->BackToolButton);
        path << f->FileListView->Path();
        ClickAt(f->BackToolButton);  // one entry left: stays
        path << f->FileListView->Path();
        f->FileListView->SetPath(T.VolB);
        ClickAt(f->UpToolButton);
        onComputer = f->FileListView->RootFolder()->AbsoluteID() == TqvShellID::Computer();
        path << f->ShellBox->Text();
    });
    EXPECT_EQ(path.mid(0, 3), (QStringList{T.Videos, T.Music, T.Music}));
    EXPECT_TRUE(onComputer);
}

TEST_F(OpenDialog, StartFolderSkipsOneThatWentAway) {
    const QString gone = T.Home + "/gone";
    const struct Row {
        QString FileName, InitialDir, Start;
    } rows[] = {
        {T.Music + "/song2.mp3", T.Videos, T.Music},
        {gone + "/clip.avi", T.Videos, T.Videos},
        {gone + "/clip.avi", gone, QCoreApplication::applicationDirPath()},
        {"clip.avi", T.Deep, T.Deep},
    };
    for (const Row& r : rows) {
        TqvSkinOpenDialog d;
        d.FileName = r.FileName;
        d.InitialDir = r.InitialDir;
        QString start, edit;
        EXPECT_FALSE(Run(d, [&](TqvOpenDlgForm* f) {
            start = f->FileListView->Path();
            edit = f->FileNameEdit->Text();
        }));
        EXPECT_EQ(start, r.Start) << r.FileName.toStdString();
        EXPECT_EQ(edit, QFileInfo(r.FileName).fileName());
    }
}

TEST_F(OpenDialog, EnterInTheNameEditSetsAMaskOpensAFolderOrOpens) {
    TqvSkinOpenDialog d;
    d.FileName = T.Music + "/";
    QStringList masked;
    QString moved;
    EXPECT_TRUE(Run(d, [&](TqvOpenDlgForm* f) {
        QChar enter('\r');
        f->FileNameEdit->SetText("*.wav");
        f->EditKeyPress(f->FileNameEdit, enter);
        masked = Names(f->FileListView);
        f->FileNameEdit->SetText(T.Deep + "/");
        enter = QChar('\r');
        f->EditKeyPress(f->FileNameEdit, enter);
        moved = f->FileListView->Path();
        f->FileNameEdit->SetText(T.Home + "/a.txt");
        enter = QChar('\r');
        f->EditKeyPress(f->FileNameEdit, enter);  // a file path that is no folder: nothing
        EXPECT_EQ(f->ModalResult(), mrNone);
        f->FileListView->SetPath(T.Home);
        f->FileNameEdit->SetText("a.txt");
        enter = QChar('\r');
        f->EditKeyPress(f->FileNameEdit, enter);
    }));
    EXPECT_EQ(masked, (QStringList{"Live", "clip.wav"}));
    EXPECT_EQ(moved, T.Deep);
    EXPECT_EQ(d.FileName, T.Home + "/a.txt");
}

TEST_F(OpenDialog, SizeUnderASkinMinimumAndTheViewStyleAreRemembered) {
    TTestSkin skin;
    skin.Set("FORMINFO", "formminwidth", "400");
    TqvSkinData model;
    skin.LoadInto(model);
    TqvSkinOpenDialog d;
    d.SetSkinData(&model);
    d.DialogWidth = 300;
    d.FileName = T.Music + "/";
    int width = 0;
    Run(d, [&](TqvOpenDlgForm* f) {
        width = f->ClientWidth();
        f->ReportItemClick(f->ReportMenuItem);
    });
    EXPECT_EQ(width, 400);
    EXPECT_EQ(d.DialogWidth, 400);
    EXPECT_EQ(d.ListViewStyle(), vsReport);
    bool checked = false;
    TViewStyle style = vsIcon;
    Run(d, [&](TqvOpenDlgForm* f) {
        style = f->FileListView->ViewStyle();
        checked = f->ReportMenuItem->Checked() && !f->ListMenuItem->Checked();
    });
    EXPECT_EQ(style, vsReport);
    EXPECT_TRUE(checked);
}

}  // namespace
