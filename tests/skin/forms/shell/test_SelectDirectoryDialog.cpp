// The select-folder dialog in its modal loop over the temporary tree: where
// it opens, what OK may return, Escape, the size it remembers, the new-folder
// button and a failure that leaves the dialog open.
#include "skin/forms/shell/SelectDirectoryDialog.h"

#include "ShellFixture.h"
#include "DialogTestSupport.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/buttons/SkinSpeedButton.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/forms/shell/ShellTreeView.h"
#include "skin/model/ResourceStrings.h"

#include <QDir>

namespace {

class SelectDirectoryDialog : public ::testing::Test {
protected:
    ShellTree T;
    TqvSkinSelectDirectoryDialog D;

    // Runs the dialog with action inside its loop; action must end it.
    bool Run(std::function<void(TqvSelDirDlgForm*)> action) {
        Queue([this, action] {
            TqvSelDirDlgForm* f = D.Form();
            ASSERT_TRUE(f && f->isVisible());
            action(f);
        });
        return D.Execute();
    }
};

TEST_F(SelectDirectoryDialog, OpensAtTheDirectoryOrOnTheComputerExpanded) {
    const struct {
        QString Directory;
        bool OnComputer;
    } rows[] = {{T.Music, false}, {T.Deep, false}, {QString(), true}, {T.Home + "/gone", true}, {"Music", true}};
    for (const auto& r : rows) {
        D.Directory = r.Directory;
        QString path;
        bool computer = false, expanded = false, okEnabled = true;
        EXPECT_FALSE(Run([&](TqvSelDirDlgForm* f) {
            TqvShellFolder* sel = f->DirTreeView->SelectedFolder();
            path = f->DirTreeView->Path();
            computer = sel && sel->AbsoluteID() == TqvShellID::Computer();
            expanded = f->DirTreeView->Selected() && f->DirTreeView->Selected()->Expanded();
            okEnabled = f->OkButton->Enabled();
            f->SetModalResult(mrCancel);
        }));
        EXPECT_EQ(computer, r.OnComputer) << r.Directory.toStdString();
        if (r.OnComputer) {
            EXPECT_TRUE(expanded);
            EXPECT_FALSE(okEnabled) << "the Computer is no folder to write to";
        } else {
            EXPECT_EQ(path, r.Directory);
            EXPECT_TRUE(okEnabled);
        }
        EXPECT_EQ(D.Directory, r.Directory) << "a cancelled run keeps Directory";
    }
}

TEST_F(SelectDirectoryDialog, OkReturnsAnAbsoluteFolderAndNeverAVirtualOne) {
    D.Directory.clear();
    bool stayedOpen = false;
    EXPECT_TRUE(Run([&](TqvSelDirDlgForm* f) {
        // On the Computer (and on the Desktop) OK does nothing.
        ClickAt(f->OkButton);
        f->DirTreeView->SetSelected(f->DirTreeView->Items().Top(0));
        ClickAt(f->OkButton);
        stayedOpen = f->ModalResult() == mrNone;
        f->DirTreeView->SetPath(T.Deep);
        ClickAt(f->OkButton);
    }));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(D.Directory, T.Deep);
    EXPECT_TRUE(QDir::isAbsolutePath(D.Directory));
}

TEST_F(SelectDirectoryDialog, EscapeAndCancelKeepDirectory) {
    D.Directory = T.Music;
    EXPECT_FALSE(Run([&](TqvSelDirDlgForm* f) {
        f->DirTreeView->SetPath(T.Deep);
        QApplication::setActiveWindow(f);
        PressKey(QApplication::focusWidget() ? QApplication::focusWidget() : f, Qt::Key_Escape);
    }));
    EXPECT_EQ(D.Directory, T.Music);
    EXPECT_FALSE(Run([&](TqvSelDirDlgForm* f) {
        f->DirTreeView->SetPath(T.Deep);
        ClickAt(f->CancelButton);
    }));
    EXPECT_EQ(D.Directory, T.Music);
}

TEST_F(SelectDirectoryDialog, SizeIsWrittenBackAndUsedNextTime) {
    D.Directory = T.Music;
    QSize first, second;
    Run([&](TqvSelDirDlgForm* f) {
        first = QSize(f->ClientWidth(), f->ClientHeight());
        f->SetClientSize(360, 310);
        f->SetModalResult(mrCancel);
    });
    EXPECT_EQ(first, QSize(280, 280));
    EXPECT_EQ(D.DialogWidth, 360);
    EXPECT_EQ(D.DialogHeight, 310);
    Run([&](TqvSelDirDlgForm* f) {
        second = QSize(f->ClientWidth(), f->ClientHeight());
        f->SetModalResult(mrCancel);
    });
    EXPECT_EQ(second, QSize(360, 310));
}

TEST_F(SelectDirectoryDialog, ToolBarMakesANewFolderOnceAndFollowsTheEdit) {
    D.ShowToolBar = true;
    D.Directory = T.Music;
    QString editText;
    int children = -1;
    Run([&](TqvSelDirDlgForm* f) {
        ASSERT_TRUE(f->NewFolderToolButton && f->DirEdit);
        editText = f->DirEdit->Text();
        ClickAt(f->NewFolderToolButton);
        ClickAt(f->NewFolderToolButton);  // exists now: nothing more
        TTreeNode* n = f->DirTreeView->Selected();
        children = n ? n->Count() : -1;
        // Enter on an existing folder moves the tree; anything else is ignored.
        QChar enter('\r');
        f->DirEdit->SetText(T.Home + "/no such folder");
        f->DirEditKeyPress(f->DirEdit, enter);
        EXPECT_EQ(f->DirTreeView->Path(), T.Music);
        f->DirEdit->SetText(T.Deep);
        enter = QChar('\r');
        f->DirEditKeyPress(f->DirEdit, enter);
        EXPECT_EQ(f->DirTreeView->Path(), T.Deep);
        // The Computer has no place for a new folder.
        f->DirTreeView->ExpandMyComputer();
        ClickAt(f->NewFolderToolButton);
        f->SetModalResult(mrCancel);
    });
    EXPECT_EQ(editText, T.Music);
    EXPECT_TRUE(QFileInfo(T.Music + "/New Folder").isDir());
    EXPECT_EQ(children, 2) << "Live and the new folder";
    EXPECT_EQ(QDir(T.Music).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
}

TEST_F(SelectDirectoryDialog, AFolderThatCannotBeMadeShowsABoxAndTheDialogStaysOpen) {
    // The selected folder goes away behind the dialog's back.
    const QString gone = T.Home + "/vanishing";
    QDir().mkpath(gone);
    D.ShowToolBar = true;
    D.Directory = gone;
    QString message;
    bool open = false;
    EXPECT_TRUE(Run([&](TqvSelDirDlgForm* f) {
        QDir(gone).removeRecursively();
        AnswerNextBox(&message);
        ClickAt(f->NewFolderToolButton);
        open = f->isVisible() && f->ModalResult() == mrNone;
        f->DirTreeView->SetPath(T.Music);
        ClickAt(f->OkButton);
    }));
    EXPECT_TRUE(open);
    EXPECT_TRUE(message.contains(gone + "/New Folder")) << message.toStdString();
    EXPECT_EQ(D.Directory, T.Music);
}

TEST_F(SelectDirectoryDialog, TextsComeFromTheControlModelsStrings) {
    TqvSkinData model;
    TqvResourceStrData strings;
    strings.SetResStrings({"MSG_BTN_OK=Choose", "MSG_NEWFOLDER=Nouveau"});
    model.SetResourceStrData(&strings);
    D.SetCtrlSkinData(&model);
    D.ShowToolBar = true;
    D.Directory = T.Music;
    QString ok, cancel, hint;
    Run([&](TqvSelDirDlgForm* f) {
        ok = f->OkButton->Caption();
        cancel = f->CancelButton->Caption();
        hint = f->NewFolderToolButton->Hint();
        ClickAt(f->NewFolderToolButton);
        f->SetModalResult(mrCancel);
    });
    EXPECT_EQ(ok, "Choose");
    EXPECT_EQ(cancel, "Cancel") << "a key the strings lack keeps the built-in text";
    EXPECT_EQ(hint, "Create New Folder");
    EXPECT_TRUE(QFileInfo(T.Music + "/Nouveau").isDir());
}

}  // namespace
