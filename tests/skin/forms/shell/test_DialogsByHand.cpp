// The open, save and picture dialogs driven as a person drives them: real
// mouse and key events on the dialog's own widgets over the fixture tree,
// and after every move the list and the look-in box name the same folder.
#include "skin/forms/shell/OpenDialog.h"
#include "skin/forms/shell/OpenPictureDialog.h"
#include "skin/forms/shell/SelectDirectoryDialog.h"

#include "DialogTestSupport.h"
#include "ShellFixture.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/buttons/SkinSpeedButton.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/lists/SkinListBox.h"
#include "skin/forms/shell/ShellComboBox.h"
#include "skin/forms/shell/ShellListView.h"
#include "skin/forms/shell/ShellTreeView.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeView>
#include <QTest>

namespace {

// Where the dialog stands after a move: the list's folder and what the
// look-in box shows and holds.
struct TWhere {
    QString Path, LookIn;
    TqvShellID Box;
    bool operator==(const TWhere&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TWhere& w) {
    return os << "{list " << w.Path.toStdString() << ", look-in \"" << w.LookIn.toStdString() << "\" "
              << w.Box.Path().toStdString() << "}";
}

class DialogsByHand : public ::testing::Test {
protected:
    ShellTree T;

    static void Run(TqvCustomOpenDialog& d, std::function<void(TqvOpenDlgForm*)> action) {
        Queue([&d, action] {
            TqvOpenDlgForm* f = d.Form();
            ASSERT_TRUE(f && f->isVisible());
            QApplication::setActiveWindow(f);
            action(f);
            if (f->ModalResult() == mrNone) f->SetModalResult(mrCancel);
        });
        d.Execute();
    }
    static TWhere Where(TqvOpenDlgForm* f) {
        TqvShellFolder* box = f->ShellBox->CurrentFolder();
        return {f->FileListView->Path(), f->ShellBox->Text(), box ? box->AbsoluteID() : TqvShellID()};
    }
    // The list standing in folder path, with the look-in box naming it.
    static TWhere At(const QString& path, const QString& name) { return {path, name, Id(path)}; }

    static QPoint RowPoint(TqvSkinFileListView* list, const QString& name) {
        list->LayOutViews();
        for (int i = 0; i < list->FolderCount(); ++i)
            if (list->Folders(i)->DisplayName() == name) {
                QAbstractItemView* view = list->ActiveView();
                view->scrollTo(list->Model()->index(i, 0));
                return view->visualRect(list->Model()->index(i, 0)).center();
            }
        ADD_FAILURE() << "no row " << name.toStdString();
        return {};
    }
    static QWidget* ListViewport(TqvOpenDlgForm* f) { return f->FileListView->ActiveView()->viewport(); }
    // As the window system delivers one: press, release, double click, release.
    static void DoubleClickRow(TqvOpenDlgForm* f, const QString& name) {
        const QPoint p = RowPoint(f->FileListView, name);
        QTest::mouseClick(ListViewport(f), Qt::LeftButton, {}, p);
        QTest::mouseDClick(ListViewport(f), Qt::LeftButton, {}, p);
        QTest::mouseRelease(ListViewport(f), Qt::LeftButton, {}, p);
    }
    static void ClickRow(TqvOpenDlgForm* f, const QString& name) {
        QTest::mouseClick(ListViewport(f), Qt::LeftButton, {}, RowPoint(f->FileListView, name));
    }
    // Opens the look-in list with a click, moves over the entry and clicks it.
    static void ChooseLookIn(TqvOpenDlgForm* f, const QString& caption) {
        TqvSkinShellComboBox* box = f->ShellBox;
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
        ASSERT_TRUE(box->ListBox()->IsShown()) << "a click opens the look-in list";
        QListWidget* list = box->ListBox()->ListBox()->Widget();
        const int row = box->Items().IndexOf(caption);
        ASSERT_GE(row, 0) << caption.toStdString();
        list->scrollToItem(list->item(row));
        const QPoint p = list->visualItemRect(list->item(row)).center();
        ASSERT_TRUE(list->viewport()->rect().contains(p));
        SendMoveNoButton(list->viewport(), p);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, p);
        EXPECT_FALSE(box->ListBox()->IsShown());
    }
};

// Going into a folder frees the rows of the one left, the row clicked
// among them: the look-in box must still be told the folder's own name.
TEST_F(DialogsByHand, DoubleClickIntoAFolderNamesItInTheLookInBox) {
    const struct Kind {
        const char* What;
        std::function<std::unique_ptr<TqvCustomOpenDialog>()> Make;
    } kinds[] = {
        {"open", [] { return std::make_unique<TqvSkinOpenDialog>(); }},
        {"save", [] { return std::make_unique<TqvSkinSaveDialog>(); }},
        {"open picture", [] { return std::make_unique<TqvSkinOpenPictureDialog>(); }},
        {"save picture", [] { return std::make_unique<TqvSkinSavePictureDialog>(); }},
    };
    for (const Kind& k : kinds) {
        auto d = k.Make();
        d->FileName = T.Home + "/";
        std::vector<TWhere> seen;
        Run(*d, [&](TqvOpenDlgForm* f) {
            seen.push_back(Where(f));
            for (const char* folder : {"Music", "Live"}) {
                DoubleClickRow(f, folder);
                seen.push_back(Where(f));
            }
            EXPECT_EQ(f->ModalResult(), mrNone) << k.What << ": opening a folder answers nothing";
        });
        EXPECT_EQ(seen, (std::vector<TWhere>{At(T.Home, "home"), At(T.Music, "Music"), At(T.Music + "/Live", "Live")}))
            << k.What;
    }
}

TEST_F(DialogsByHand, EnterToolButtonsLookInListAndATypedFolder) {
    TqvSkinOpenDialog d;
    d.FileName = T.Home + "/";
    std::vector<TWhere> seen;
    QString chosen;
    Run(d, [&](TqvOpenDlgForm* f) {
        QWidget* view = f->FileListView->ActiveView();
        for (const char* folder : {"Videos", "2024"}) {
            ClickRow(f, folder);
            QTest::keyClick(view, Qt::Key_Return);
            seen.push_back(Where(f));
        }
        QTest::mouseClick(f->BackToolButton, Qt::LeftButton);
        seen.push_back(Where(f));
        QTest::mouseClick(f->UpToolButton, Qt::LeftButton);
        seen.push_back(Where(f));
        ChooseLookIn(f, "Beta (" + T.VolB + ")");
        seen.push_back(Where(f));

        QLineEdit* edit = f->FileNameEdit->Widget();
        auto type = [&](const QString& text) {
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, text);
            QTest::keyClick(edit, Qt::Key_Return);
        };
        type(T.Deep + "/");
        seen.push_back(Where(f));
        type(T.Music + "/");
        seen.push_back(Where(f));

        // Enter on a file is the answer.
        ClickRow(f, "clip.wav");
        QTest::keyClick(view, Qt::Key_Return);
        chosen = f->ModalResult() == mrOk ? f->FileName : QString();
    });
    EXPECT_EQ(seen, (std::vector<TWhere>{At(T.Videos, "Videos"), At(T.Videos + "/2024", "2024"), At(T.Videos, "Videos"),
                                         At(T.Home, "home"), At(T.VolB, "Beta (" + T.VolB + ")"),
                                         At(T.Deep, "January"), At(T.Music, "Music")}));
    EXPECT_EQ(chosen, T.Music + "/clip.wav");
}

// The folder dialog has no look-in box: a click in the tree, a path typed
// below the chosen folder, a new folder (which reads the tree again) and OK.
TEST_F(DialogsByHand, SelectFolderByClickTypedPathAndNewFolder) {
    TqvSkinSelectDirectoryDialog d;
    d.Directory = T.Home;
    d.ShowToolBar = true;
    QString afterClick, afterTyping;
    Queue([&] {
        TqvSelDirDlgForm* f = d.Form();
        ASSERT_TRUE(f && f->isVisible());
        QApplication::setActiveWindow(f);
        QTreeView* view = f->DirTreeView->View();
        TTreeNode* home = f->DirTreeView->Selected();
        TTreeNode* music = nullptr;
        for (int i = 0; home && i < home->Count(); ++i)
            if (home->Item(i)->Text() == "Music") music = home->Item(i);
        if (!music) {
            ADD_FAILURE() << "no Music node under the selected folder";
            f->SetModalResult(mrCancel);
            return;
        }
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(music->ModelIndex()).center());
        afterClick = f->DirEdit->Text();

        QLineEdit* edit = f->DirEdit->Widget();
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, "Live");
        QTest::keyClick(edit, Qt::Key_Return);
        afterTyping = f->DirTreeView->Path();

        QTest::mouseClick(f->NewFolderToolButton, Qt::LeftButton);
        QTest::mouseClick(f->OkButton, Qt::LeftButton);
        if (f->ModalResult() == mrNone) f->SetModalResult(mrCancel);
    });
    EXPECT_TRUE(d.Execute());
    EXPECT_EQ(afterClick, T.Music);
    EXPECT_EQ(afterTyping, T.Music + "/Live");
    EXPECT_TRUE(QFileInfo(T.Music + "/Live/New Folder").isDir());
    EXPECT_EQ(d.Directory, T.Music + "/Live");
}

}  // namespace
