// The window's dialog components and the program's own dialogs object,
// which runs them: driven by queued clicks and keys inside their modal loops.
#include "tests/app/mainwindow/MainWindowFixture.h"

#include "platform/Dialogs.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/lists/SkinListBox.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/shell/ShellDriveControls.h"
#include "skin/forms/shell/ShellFileControls.h"
#include "skin/forms/shell/OpenDialog.h"
#include "skin/forms/shell/OpenPictureDialog.h"
#include "skin/forms/shell/SelectDirectoryDialog.h"
#include "skin/forms/shell/SelectSkinDialog.h"
#include "skin/forms/shell/ShellListView.h"
#include "skin/forms/shell/ShellNamespace.h"
#include "skin/forms/shell/ShellTreeView.h"
#include "skin/model/SkinData.h"
#include "tests/skin/forms/shell/DialogTestSupport.h"

#include <QDir>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QTableView>

namespace {

// The machine the dialogs see: the test's home on one volume.
struct THomeOnly : TqvShellEnvironment {
    QString Home;
    QString HomePath() const override { return Home; }
    QString DesktopPath() const override { return Home + "/Desktop"; }
    std::vector<TqvShellVolume> Volumes() const override { return {{Home, "Home", "ext4", "/dev/fake"}}; }
};

class MainWindowDialogs : public MainWindowTest {
protected:
    std::shared_ptr<THomeOnly> Env = std::make_shared<THomeOnly>();
    QString Videos;

    void SetUp() override {
        MainWindowTest::SetUp();
        Env->Home = QDir(Home()).canonicalPath();
        Videos = Env->Home + "/Videos";
        QDir().mkpath(Videos + "/Holiday");
        QDir().mkpath(Env->Home + "/Desktop");
        for (const char* name : {"clip.avi", "song.MP3", "notes.txt"}) {
            QFile f(Videos + "/" + name);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("x");
        }
        SetShellEnvironment(Env);
        // The program's own dialogs, as main starts it.
        W = app::StartApplication();
        ASSERT_NE(W, nullptr);
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        SetShellEnvironment(nullptr);
    }

    // Queues an action for the open dialog's form once it shows.
    static void OnOpenForm(TqvSkinOpenDialog* d, std::function<void(TqvOpenDlgForm*)> action) {
        Queue([d, action] {
            TqvOpenDlgForm* f = d->Form();
            ASSERT_TRUE(f && f->isVisible());
            action(f);
        });
    }
    static QStringList Rows(TqvSkinFileListView* list) {
        QStringList rows;
        for (int i = 0; i < list->FolderCount(); ++i) rows << list->Folders(i)->DisplayName();
        return rows;
    }
};

TEST_F(MainWindowDialogs, TheComponentsCarryTheirNamesAndProperties) {
    const struct {
        const char* Name;
        QObject* Member;
    } named[] = {
        {"OpenDialog1", W->OpenDialog1},
        {"OpenDialog2", W->OpenDialog2},
        {"qvSkinSelectDirectoryDialog1", W->qvSkinSelectDirectoryDialog1},
        {"qvSkinSelectDirectoryDialog2", W->qvSkinSelectDirectoryDialog2},
        {"qvSelectSkinDialog1", W->qvSelectSkinDialog1},
        {"SavePictureDialog1", W->SavePictureDialog1},
        {"qvSkinOpenDialog1", W->qvSkinOpenDialog1},
        {"qvSkinSavePictureDialog1", W->qvSkinSavePictureDialog1},
    };
    for (const auto& n : named) {
        ASSERT_NE(n.Member, nullptr) << n.Name;
        EXPECT_EQ(W->FindComponent(n.Name), n.Member) << n.Name;
    }
    ASSERT_TRUE(dynamic_cast<TSkinnedDialogs*>(W->Dialogs.get())) << "the program runs its own components";

    for (TqvSkinOpenDialog* d : {W->OpenDialog1, W->OpenDialog2}) {
        EXPECT_EQ(d->Title, "打开文件");
        EXPECT_TRUE(d->CheckFileExists);
        EXPECT_EQ(d->Filter, TForm1::InputFileFilter());
        EXPECT_EQ(d->FilterIndex, 1);
        EXPECT_EQ(d->SkinData(), W->qvSkinData1);
        EXPECT_EQ(d->CtrlSkinData(), W->qvSkinData1);
    }
    EXPECT_FALSE(W->OpenDialog1->MultiSelection);
    EXPECT_TRUE(W->OpenDialog2->MultiSelection);

    EXPECT_EQ(W->qvSkinSelectDirectoryDialog1->Title, "选择目录");
    EXPECT_EQ(W->qvSkinSelectDirectoryDialog2->Title, "选择输出目录");
    for (TqvSkinSelectDirectoryDialog* d : {W->qvSkinSelectDirectoryDialog1, W->qvSkinSelectDirectoryDialog2}) {
        EXPECT_FALSE(d->ShowToolBar);
        EXPECT_TRUE(d->Directory.isEmpty());
        EXPECT_EQ(d->SkinData(), W->qvSkinData1);
    }

    TqvSelectSkinDialog* skins = W->qvSelectSkinDialog1;
    EXPECT_EQ(skins->Title, "Select skin");
    EXPECT_EQ(skins->SkinList(), W->qvCompressedSkinList1);
    EXPECT_EQ(skins->SkinData(), W->qvSkinData1);
    EXPECT_EQ(skins->CtrlSkinData(), W->qvSkinData1);
    EXPECT_EQ(skins->DefaultFont().Name(), "Arial");
    EXPECT_EQ(skins->DefaultFont().Height(), 14);
    EXPECT_FALSE(skins->AlphaBlend);

    TSavePictureDialog* save = W->SavePictureDialog1;
    EXPECT_EQ(save->Options,
              TOpenOptions(ofOverwritePrompt | ofHideReadOnly | ofExtensionDifferent | ofPathMustExist | ofEnableSizing));
    EXPECT_EQ(save->Filter, "Bitmaps (*.bmp)|*.bmp|JPEG Image File |*.jpg;*.jpeg");
    EXPECT_EQ(save->DefaultExt, "bmp");
}

TEST_F(MainWindowDialogs, TheOpenDialogsAnswerWithTheChosenFiles) {
    TqvSkinOpenDialog* one = W->OpenDialog1;
    one->FileName = Videos + "/";
    QString caption;
    int filters = 0;
    TqvSkinData* frameSkin = nullptr;
    OnOpenForm(one, [&](TqvOpenDlgForm* f) {
        caption = f->Caption();
        filters = f->FilterComboBox->Items().Count();
        frameSkin = f->QVF->SkinData();
        f->FileNameEdit->SetText("clip.avi");
        ClickAt(f->OpenButton);
    });
    EXPECT_EQ(W->Dialogs->OpenFiles(one), QStringList{Videos + "/clip.avi"});
    EXPECT_EQ(caption, "打开文件");
    EXPECT_EQ(filters, 42);
    EXPECT_EQ(frameSkin, W->qvSkinData1);
    EXPECT_EQ(one->FileName, Videos + "/clip.avi");

    // Several files come in the list's order; a typed name alone is the answer too.
    TqvSkinOpenDialog* several = W->OpenDialog2;
    several->FileName = Videos + "/";
    several->FilterIndex = 1;  // all files
    QStringList rows;
    OnOpenForm(several, [&](TqvOpenDlgForm* f) {
        rows = Rows(f->FileListView);
        for (const char* name : {"song.MP3", "clip.avi"}) {
            const int row = int(rows.indexOf(name));
            ASSERT_GE(row, 0) << name;
            QTableView* view = f->FileListView->ReportView();
            view->selectionModel()->select(view->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        f->FileNameEdit->SetText("clip.avi");
        ClickAt(f->OpenButton);
    });
    EXPECT_EQ(W->Dialogs->OpenFiles(several), QStringList({Videos + "/clip.avi", Videos + "/song.MP3"}));
    EXPECT_EQ(several->Files().Count(), 2);

    OnOpenForm(several, [](TqvOpenDlgForm* f) {
        f->FileNameEdit->SetText("notes.txt");
        ClickAt(f->OpenButton);
    });
    EXPECT_EQ(W->Dialogs->OpenFiles(several), QStringList{Videos + "/notes.txt"});

    // Cancel answers none; the user's filter choice stays for the next run.
    OnOpenForm(one, [](TqvOpenDlgForm* f) {
        f->FilterComboBox->SetItemIndex(5);
        f->FCBChange(f->FilterComboBox);
        ClickAt(f->CancelButton);
    });
    EXPECT_FALSE(W->Dialogs->OpenFiles(one));
    EXPECT_EQ(one->FilterIndex, 6);
}

TEST_F(MainWindowDialogs, TheFolderChooserAnswersAndBrowseKeepsItsFolder) {
    TqvSkinSelectDirectoryDialog* d = W->qvSkinSelectDirectoryDialog2;
    const QString holiday = Videos + "/Holiday";
    d->Directory = holiday;
    QString caption;
    Queue([&] {
        TqvSelDirDlgForm* f = d->Form();
        ASSERT_TRUE(f && f->isVisible());
        caption = f->Caption();
        ClickAt(f->OkButton);
    });
    EXPECT_EQ(W->Dialogs->SelectFolder(d), holiday);
    EXPECT_EQ(caption, "选择输出目录");

    Queue([&] {
        TqvSelDirDlgForm* f = d->Form();
        ASSERT_TRUE(f);
        PressKey(QApplication::focusWidget() ? QApplication::focusWidget() : f, Qt::Key_Escape);
    });
    EXPECT_FALSE(W->Dialogs->SelectFolder(d));
    EXPECT_EQ(d->Directory, holiday);

    // Browse runs the same component: it opens where it was last confirmed.
    d->Directory = Videos;
    Queue([&] {
        ASSERT_TRUE(d->Form());
        ClickAt(d->Form()->OkButton);
    });
    W->qvSkinButton5->Click();
    EXPECT_EQ(W->FileOutPutPath, Videos);
    EXPECT_EQ(W->Video_OutPut_Folder_Edit->Text(), Videos);
}

TEST_F(MainWindowDialogs, TheSkinChooserAnswersAnIndexAndTheSkinCommandAppliesIt) {
    W->qvSkinData1->SetSkinIndex(2);
    int start = -1;
    QString caption;
    Queue([&] {
        TqvSelectSkinDlgForm* f = W->qvSelectSkinDialog1->Form();
        ASSERT_TRUE(f && f->isVisible());
        caption = f->Caption();
        start = f->SkinsListBox->ItemIndex();
        f->SkinsListBox->SetItemIndex(5);
        f->SkinsListBox->OnListBoxClick(f->SkinsListBox);
        ClickAt(f->OpenButton);
    });
    EXPECT_EQ(W->Dialogs->SelectSkin(W->qvSkinData1), 5);
    EXPECT_EQ(start, 2) << "the chooser starts at the window's skin";
    EXPECT_EQ(caption, "Select skin");
    EXPECT_EQ(W->qvSkinData1->SkinIndex(), 2) << "choosing alone changes nothing";

    Queue([&] {
        TqvSelectSkinDlgForm* f = W->qvSelectSkinDialog1->Form();
        ASSERT_TRUE(f);
        ClickAt(f->CancelButton);
    });
    EXPECT_FALSE(W->Dialogs->SelectSkin(W->qvSkinData1));

    Queue([&] {
        TqvSelectSkinDlgForm* f = W->qvSelectSkinDialog1->Form();
        ASSERT_TRUE(f);
        f->SkinsListBox->SetItemIndex(7);
        f->SkinsListBox->OnListBoxClick(f->SkinsListBox);
        f->SkinsListBox->OnListBoxDblClick(f->SkinsListBox);
    });
    W->qvSkinButton9->Click();
    EXPECT_EQ(W->qvSkinData1->SkinIndex(), 7);
    EXPECT_EQ(Stored("Skin", "SetSkin"), "7");
}

TEST_F(MainWindowDialogs, TheCapturesSaveDialogAnswersANameWithItsExtension) {
    TSavePictureDialog* d = W->SavePictureDialog1;
    d->InitialDir = Videos;
    const struct {
        const char* Typed;
        const char* Returned;
        bool ExtensionDifferent;
    } cases[] = {
        {"shot", "shot.bmp", false},
        {"shot.jpg", "shot.jpg", true},
    };
    for (const auto& c : cases) {
        Queue([&] {
            QFileDialog* box = d->Dialog();
            ASSERT_TRUE(box && box->isVisible());
            box->selectFile(Videos + "/" + c.Typed);
            static_cast<QDialog*>(box)->accept();
        });
        EXPECT_EQ(W->Dialogs->SavePicture(d), Videos + "/" + c.Returned) << c.Typed;
        EXPECT_EQ(bool(d->Options & ofExtensionDifferent), c.ExtensionDifferent) << c.Typed;
    }
    Queue([&] {
        ASSERT_TRUE(d->Dialog());
        d->Dialog()->reject();
    });
    EXPECT_FALSE(W->Dialogs->SavePicture(d));
}

}  // namespace
