// The shell list and tree views over the fixture tree: masks, hidden entries,
// column sorts, keys and double clicks, renaming in place, selected files,
// refresh, the right-click verbs, and the two views following each other.
#include "tests/skin/controls/ControlTestSupport.h"
#include "tests/skin/controls/edits/MenuFakes.h"
#include "tests/skin/forms/shell/ShellFixture.h"

#include "skin/forms/shell/ShellIcons.h"
#include "skin/forms/shell/ShellLabelEdit.h"
#include "skin/forms/shell/ShellListView.h"
#include "skin/forms/shell/ShellTreeView.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QThread>
#include <QTreeView>

namespace {

struct ShellViewTest : SkinControlTest {
    ShellTree T;
    std::shared_ptr<TRecordingShell> Shell = std::make_shared<TRecordingShell>();
    std::shared_ptr<TFakeMenuService> Menus = std::make_shared<TFakeMenuService>();
    QStringList Errors;

    void SetUp() override {
        SkinControlTest::SetUp();
        SetShellActions(Shell);
        SetPopupMenuService(Menus);
        Application()->OnException = [this](QObject*, const std::exception& e) { Errors << QString(e.what()); };
        Form->Show();
    }
    void TearDown() override {
        SkinControlTest::TearDown();
        Application()->OnException = nullptr;
        SetPopupMenuService(nullptr);
        SetShellActions(nullptr);
    }
    TqvSkinFileListView* List(const QString& root = {}) {
        auto* l = Make<TqvSkinFileListView>();
        l->SetBounds(10, 10, 420, 300);
        if (!root.isEmpty()) l->SetRoot(root);
        return l;
    }
    TqvSkinDirTreeView* Tree(const QString& root = {}) {
        auto* t = Make<TqvSkinDirTreeView>();
        t->SetBounds(10, 10, 250, 300);
        if (!root.isEmpty()) t->SetRoot(root);
        return t;
    }
    static QStringList Rows(TqvCustomShellListView* l) {
        QStringList r;
        for (int i = 0; i < l->Items().Count(); ++i) r << l->Items().Item(i)->Caption();
        return r;
    }
    static int Row(TqvCustomShellListView* l, const QString& caption) { return int(Rows(l).indexOf(caption)); }
    static void Select(TqvCustomShellListView* l, const QString& caption) {
        const int i = Row(l, caption);
        ASSERT_GE(i, 0) << caption.toStdString();
        l->SetItemIndex(i);
    }
    static void Key(QWidget* w, int key, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = {}) {
        SendKey(w, QEvent::KeyPress, key, m, text);
        SendKey(w, QEvent::KeyRelease, key, m, text);
    }
    static QStringList Children(TTreeNode* n) {
        QStringList r;
        for (int i = 0; i < n->Count(); ++i) r << n->Item(i)->Text();
        return r;
    }
    static TTreeNode* Child(TTreeNode* n, const QString& text) {
        for (int i = 0; n && i < n->Count(); ++i)
            if (n->Item(i)->Text() == text) return n->Item(i);
        return nullptr;
    }
    static void Rename(QLineEdit* editor, const QString& text) {
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        Key(editor, Qt::Key_Return);
    }
};

const QStringList kHomeDirs = {"Desktop", "locked", "Music", "Videos", QString::fromUtf8("音乐")};

}  // namespace

// ---- List ----

TEST_F(ShellViewTest, ListStartsAtTheDesktop) {
    auto* l = List();
    EXPECT_EQ(l->Root(), "rfDesktop");
    EXPECT_EQ(l->Mask(), "*.*|*.*");
    EXPECT_EQ(Rows(l), QStringList({"Home", "Computer", "Projects", "readme.txt"}));
    EXPECT_EQ(l->Path(), T.Desktop);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the hourglass is put back";
    EXPECT_EQ(l->Items().Item(0)->ImageIndex(), TqvShellIcons::Instance().IndexOf("home"));
}

TEST_F(ShellViewTest, ListMasksAndHiddenEntries) {
    auto* l = List(T.Music);
    const QString ru = QString::fromUtf8("Пример.mp3");
    struct Row {
        QString mask;
        QStringList rows;
    };
    const std::vector<Row> rows = {
        {"*.mp3;*.wav", {"Live", "clip.wav", "Song1.MP3", "song2.mp3", "song10.mp3", ru}},
        {"*.mp3; *.wav", {"Live", "clip.wav", "Song1.MP3", "song2.mp3", "song10.mp3", ru}},
        {"*", {"Live", "Clip.AVI", "clip.wav", "notes", "Song1.MP3", "song2.mp3", "song10.mp3", "track.aiff",
               "video.avi", ru}},
        {"abc", {"Live"}},
        {"*.AVI", {"Live", "Clip.AVI", "video.avi"}},
        {"*.aif; *.aiff", {"Live", "track.aiff"}},
    };
    for (const Row& r : rows) {
        l->SetMask(r.mask);
        EXPECT_EQ(Rows(l), r.rows) << r.mask.toStdString();
    }
    EXPECT_FALSE(Rows(l).contains(".secret.mp3"));
    l->SetMask("*.mp3");
    l->SetObjectTypes({otFolders, otNonFolders, otHidden});
    EXPECT_EQ(Rows(l), QStringList({"Live", ".secret.mp3", "Song1.MP3", "song2.mp3", "song10.mp3", ru}));
    l->SetObjectTypes({otNonFolders});
    EXPECT_EQ(Rows(l).first(), "Song1.MP3");
    // What OnAddFolder refuses stays out.
    l->OnAddFolder = [](QObject*, TqvShellFolder* f, bool& can) { can = can && !f->DisplayName().startsWith("song"); };
    l->Refresh();
    EXPECT_EQ(Rows(l), QStringList({"Song1.MP3", ru}));
}

TEST_F(ShellViewTest, ListColumnSortsToggle) {
    auto* l = List(T.Home);
    l->SetMask("*");
    l->SetViewStyle(vsReport);
    ASSERT_EQ(l->Columns().Count(), 4);
    QStringList captions;
    for (int i = 0; i < 4; ++i) captions << l->Columns()[i]->Caption();
    EXPECT_EQ(captions, QStringList({"Name", "Size", "Type", "Modified"}));
    EXPECT_EQ(l->Columns()[1]->Alignment(), taRightJustify);
    EXPECT_EQ(l->Items().Item(Row(l, "big.bin"))->SubItems()[0], "4,882,813 KB");
    EXPECT_EQ(l->Items().Item(Row(l, "Music"))->SubItems()[0], "");

    int clicks = 0;
    l->OnColumnClick = [&](QObject*, TListColumn*) { ++clicks; };
    emit l->Header()->sectionClicked(1);
    EXPECT_EQ(Rows(l), kHomeDirs + QStringList({"a.txt", "big.bin"}));
    EXPECT_FALSE(l->SortDescending());
    emit l->Header()->sectionClicked(1);
    EXPECT_TRUE(l->SortDescending()) << "the same column again turns the order round";
    QStringList down = kHomeDirs;
    std::reverse(down.begin(), down.end());
    EXPECT_EQ(Rows(l), QStringList({"big.bin", "a.txt"}) + down);
    emit l->Header()->sectionClicked(0);
    EXPECT_FALSE(l->SortDescending()) << "another column sorts ascending";
    EXPECT_EQ(Rows(l), kHomeDirs + QStringList({"a.txt", "big.bin"}));
    EXPECT_EQ(clicks, 3);

    // With fewer than four columns a column other than the name only raises OnColumnClick.
    l->Columns().Delete(3);
    l->Columns().Delete(2);
    emit l->Header()->sectionClicked(1);
    EXPECT_EQ(clicks, 4);
    EXPECT_EQ(l->SortColumn(), 0);

    // The Computer's volumes have no time: a column sort keeps their order.
    auto* c = List("rfMyComputer");
    c->SetViewStyle(vsReport);
    emit c->Header()->sectionClicked(3);
    emit c->Header()->sectionClicked(3);
    EXPECT_EQ(Rows(c).first(), "Alpha (" + T.VolA + ")");
}

TEST_F(ShellViewTest, ListKeysAndDoubleClick) {
    auto* l = List(T.Home);
    int changes = 0, dbl = 0;
    l->OnPathChanged = [&](QObject*) { ++changes; };
    l->OnDblClick = [&](QObject*) { ++dbl; };
    QWidget* view = l->ActiveView();
    Select(l, "Music");
    Key(view, Qt::Key_Return);
    EXPECT_EQ(l->Path(), T.Music);
    EXPECT_EQ(changes, 1);
    Key(view, Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_EQ(l->Path(), T.Home);
    Select(l, "Music");
    Key(view, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(l->Path(), T.Home) << "Alt+Enter asks for properties: nothing here";
    Select(l, "a.txt");
    Key(view, Qt::Key_Return);
    EXPECT_EQ(l->Path(), T.Home) << "Enter opens folders only";

    // Typing finds the first name that begins with the text.
    Key(view, Qt::Key_V, Qt::NoModifier, "v");
    ASSERT_NE(l->Selected(), nullptr);
    EXPECT_EQ(l->Selected()->Caption(), "Videos");

    ShellTree::Touch(T.Home + "/zz.txt", 1);
    EXPECT_FALSE(Rows(l).contains("zz.txt"));
    Key(view, Qt::Key_F5);
    EXPECT_TRUE(Rows(l).contains("zz.txt"));

    // Double click: press, release, double click, release on the row.
    l->LayOutViews();
    const QPoint at = l->ActiveView()->visualRect(l->Model()->index(Row(l, "Videos"), 0)).center();
    QWidget* vp = l->ActiveView()->viewport();
    SendMouse(vp, QEvent::MouseButtonPress, at);
    SendMouse(vp, QEvent::MouseButtonRelease, at);
    SendMouse(vp, QEvent::MouseButtonDblClick, at);
    SendMouse(vp, QEvent::MouseButtonRelease, at);
    EXPECT_EQ(l->Path(), T.Videos);
    EXPECT_EQ(dbl, 1);

    // Up from a volume's root is the Computer; from the Desktop nothing.
    l->SetPath(T.VolA);
    Key(view, Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_EQ(l->RootFolder()->AbsoluteID(), TqvShellID::Computer());
    EXPECT_EQ(Rows(l), QStringList({"Alpha (" + T.VolA + ")", "Beta (" + T.VolB + ")"}));
    Key(view, Qt::Key_Backspace, Qt::NoModifier, "\b");
    Key(view, Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_TRUE(l->RootFolder()->AbsoluteID().IsDesktop());

    l->SetAutoNavigate(false);
    Select(l, "Projects");
    Key(view, Qt::Key_Return);
    EXPECT_TRUE(l->RootFolder()->AbsoluteID().IsDesktop());
}

TEST_F(ShellViewTest, ListRenameInPlace) {
    auto* l = List(T.Home);
    QWidget* view = l->ActiveView();
    Select(l, "a.txt");
    Key(view, Qt::Key_F2);
    ASSERT_TRUE(l->IsEditing());
    EXPECT_EQ(l->Editor()->text(), "a.txt");
    Key(view, Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_EQ(l->Path(), T.Home) << "Backspace while a name is edited stays in the folder";
    Rename(l->Editor(), "renamed.txt");
    EXPECT_FALSE(l->IsEditing());
    QCoreApplication::processEvents();
    EXPECT_TRUE(QFile::exists(T.Home + "/renamed.txt"));
    EXPECT_EQ(l->Items().Item(Row(l, "renamed.txt"))->Caption(), "renamed.txt");
    EXPECT_TRUE(Errors.isEmpty());

    ShellTree::Touch(T.Home + "/taken.txt", 4);
    l->Refresh();
    Select(l, "renamed.txt");
    Key(view, Qt::Key_F2);
    Rename(l->Editor(), "taken.txt");
    EXPECT_EQ(Errors, QStringList({"Rename to taken.txt failed"}));
    EXPECT_TRUE(Rows(l).contains("renamed.txt"));
    EXPECT_EQ(QFileInfo(T.Home + "/taken.txt").size(), 4);

    Key(view, Qt::Key_F2);
    l->Editor()->setText("dropped.txt");
    Key(l->Editor(), Qt::Key_Escape);
    EXPECT_FALSE(l->IsEditing());
    EXPECT_FALSE(QFile::exists(T.Home + "/dropped.txt"));

    l->SetReadOnly(true);
    Key(view, Qt::Key_F2);
    EXPECT_FALSE(l->IsEditing());
}

TEST_F(ShellViewTest, ListSelectedFilesAndRefresh) {
    auto* l = List(T.Home);
    l->SetMultiSelect(true);
    for (const char* c : {"big.bin", "Music", "a.txt"}) l->Items().Item(Row(l, c))->SetSelected(true);
    TStringList files;
    files.Add("stale");
    l->GetSelectedFiles(files);
    EXPECT_EQ(files.Text(), QString(T.Home + "/a.txt\n" + T.Home + "/big.bin\n"));
    l->SetMultiSelect(false);
    Select(l, "Music");
    EXPECT_EQ(l->GetSelectedFile(), "");
    EXPECT_EQ(l->SelectedFolder()->AbsoluteID(), Id(T.Music));
    Select(l, "a.txt");
    EXPECT_EQ(l->GetSelectedFile(), T.Home + "/a.txt");

    const int last = l->Items().Count() - 1;
    l->SetItemIndex(last);
    l->Refresh();
    EXPECT_EQ(l->ItemIndex(), last) << "the same row again";
    QFile::remove(T.Big);
    l->Refresh();
    EXPECT_EQ(l->ItemIndex(), -1) << "no such row any more";
}

TEST_F(ShellViewTest, ListBadPathsAndRootsKeepTheFolder) {
    auto* l = List(T.Home);
    l->SetPath("Music");
    EXPECT_EQ(l->Path(), T.Music) << "relative to the list's folder";
    const QStringList before = Rows(l);
    for (const QString& bad : {QString("nothing"), QString(), T.Music + "/clip.wav"}) {
        try {
            l->SetPath(bad);
            ADD_FAILURE() << "accepted " << bad.toStdString();
        } catch (const EInvalidPath& e) {
            EXPECT_EQ(QString(e.what()), "Error setting path: \"" + bad + "\"");
        }
        EXPECT_EQ(l->Path(), T.Music);
    }
    EXPECT_THROW(l->SetRoot("rfNetwork"), std::runtime_error);
    EXPECT_EQ(l->Root(), T.Home);
    EXPECT_EQ(Rows(l), before);
}

TEST_F(ShellViewTest, ListRightClickVerbs) {
    auto* l = List(T.Music);
    const QString cwd = QDir::currentPath();
    Select(l, "clip.wav");
    // A right click reaches the view's viewport first and goes up to the list.
    QWidget* vp = l->ActiveView()->viewport();
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(20, 20), vp->mapToGlobal(QPoint(20, 20)));
    QCoreApplication::sendEvent(vp, &e);
    ASSERT_EQ(Menus->Shown, 1);
    ASSERT_EQ(Menus->Items->size(), 2u);
    EXPECT_EQ((*Menus->Items)[0].Caption, "Open");
    EXPECT_EQ((*Menus->Items)[1].Caption, "Rename");
    EXPECT_EQ(Menus->Control, l);
    (*Menus->Items)[0].OnClick();
    EXPECT_EQ(Shell->Opened, QStringList({T.Music + "/clip.wav"}));
    EXPECT_EQ(QDir::currentPath(), cwd) << "no current-directory change";
    (*Menus->Items)[1].OnClick();
    EXPECT_TRUE(l->IsEditing());
    l->Editor()->Finish(false);

    l->SetAutoContextMenus(false);
    QContextMenuEvent again(QContextMenuEvent::Mouse, QPoint(20, 20), vp->mapToGlobal(QPoint(20, 20)));
    QCoreApplication::sendEvent(vp, &again);
    EXPECT_EQ(Menus->Shown, 1);

    // The tree's menu: a folder of the desktop's own cannot be renamed.
    auto* t = Tree();
    t->SetSelected(Child(t->Items().Top(0), "Home"));
    t->DoContextPopup({5, 5});
    ASSERT_EQ(Menus->Shown, 2);
    EXPECT_EQ(Menus->Control, t);
    EXPECT_FALSE((*Menus->Items)[1].Enabled);
    (*Menus->Items)[0].OnClick();
    EXPECT_EQ(Shell->Opened.last(), T.Home);
}

// ---- Tree ----

TEST_F(ShellViewTest, TreeStartsAtTheDesktop) {
    auto* t = Tree();
    ASSERT_EQ(t->Items().TopCount(), 1);
    TTreeNode* root = t->Items().Top(0);
    EXPECT_EQ(root->Text(), "Desktop");
    EXPECT_TRUE(root->Expanded());
    EXPECT_TRUE(root->Selected());
    EXPECT_FALSE(t->View()->rootIsDecorated()) << "no lines to a root";
    EXPECT_EQ(Children(root), QStringList({"Home", "Computer", "Projects"}));
    EXPECT_TRUE(Child(root, "Home")->HasChildren()) << "an expand button before its children are read";
    EXPECT_EQ(Child(root, "Home")->Count(), 0);
    EXPECT_EQ(root->ImageIndex(), TqvShellIcons::Instance().IndexOf("desktop"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    t->ExpandMyComputer();
    EXPECT_EQ(t->SelectedFolder()->AbsoluteID(), TqvShellID::Computer());
    EXPECT_EQ(Children(t->Selected()), QStringList({"Alpha (" + T.VolA + ")", "Beta (" + T.VolB + ")"}));

    // What OnAddFolder refuses stays out.
    t->OnAddFolder = [](QObject*, TqvShellFolder* f, bool& can) { can = f->DisplayName() != "Computer"; };
    t->SetObjectTypes({otFolders});
    EXPECT_EQ(Children(t->Items().Top(0)), QStringList({"Home", "Projects"}));

    auto* hidden = Tree(T.Home);
    EXPECT_FALSE(Children(hidden->Items().Top(0)).contains(".hidden"));
    hidden->SetObjectTypes({otFolders, otHidden});
    EXPECT_TRUE(Children(hidden->Items().Top(0)).contains(".hidden"));
}

TEST_F(ShellViewTest, TreePathThreeLevelsDeep) {
    auto* t = Tree();
    int changes = 0;
    t->OnChange = [&](QObject*, TTreeNode*) { ++changes; };
    t->SetPath(T.Deep);
    ASSERT_NE(t->SelectedFolder(), nullptr);
    EXPECT_EQ(t->SelectedFolder()->AbsoluteID(), Id(T.Deep));
    EXPECT_EQ(t->Path(), T.Deep);
    QStringList chain;
    for (TTreeNode* n = t->Selected(); n; n = n->Parent()) chain.prepend(n->Text());
    EXPECT_EQ(chain, QStringList({"Desktop", "Computer", "Alpha (" + T.VolA + ")", "home", "Videos", "2024",
                                  "January"}))
        << "the one chain, not the Desktop's Home entry";
    for (TTreeNode* n = t->Selected()->Parent(); n; n = n->Parent()) EXPECT_TRUE(n->Expanded());
    EXPECT_FALSE(Child(t->Items().Top(0), "Home")->Expanded());
    const int after = changes;
    t->SetPath(T.Deep);
    EXPECT_EQ(changes, after) << "the selected folder again changes nothing";
    EXPECT_THROW(t->SetPath(T.Home + "/nothing"), EInvalidPath);
    EXPECT_EQ(t->Path(), T.Deep);
    EXPECT_THROW(t->SetRoot("rfPrinters"), std::runtime_error);
    EXPECT_EQ(t->Path(), T.Deep) << "a refused root leaves the tree as it was";
    EXPECT_EQ(t->Root(), "rfDesktop");
}

TEST_F(ShellViewTest, TreeAndListFollowEachOther) {
    auto* t = Tree();
    auto* l = List();
    l->SetBounds(270, 10, 220, 300);
    t->SetShellListView(l);
    EXPECT_EQ(l->ShellTreeView(), t);
    int listChanges = 0;
    l->OnPathChanged = [&](QObject*) { ++listChanges; };
    t->SetSelected(Child(t->Items().Top(0), "Home"));
    EXPECT_EQ(l->Path(), T.Home);
    EXPECT_EQ(listChanges, 1);

    l->SetPath("Music");
    EXPECT_EQ(listChanges, 2) << "no echo from the tree";
    ASSERT_NE(t->SelectedFolder(), nullptr);
    EXPECT_EQ(t->SelectedFolder()->AbsoluteID(), Id(T.Music));
    EXPECT_EQ(t->Selected()->Parent()->Parent()->Text(), "Alpha (" + T.VolA + ")");
    l->Back();
    EXPECT_EQ(t->SelectedFolder()->AbsoluteID(), Id(T.Home));
    EXPECT_EQ(listChanges, 3);

    // Picking a volume in the tree moves the list there.
    t->ExpandMyComputer();
    t->SetSelected(Child(t->Selected(), "Beta (" + T.VolB + ")"));
    EXPECT_EQ(l->Path(), T.VolB);

    // A file's node shows its folder in the list.
    t->SetObjectTypes({otFolders, otNonFolders});
    EXPECT_EQ(l->Root(), "rfDesktop");
    t->SetPath(T.Music + "/clip.wav");
    EXPECT_EQ(t->SelectedFolder()->AbsoluteID(), Id(T.Music + "/clip.wav"));
    EXPECT_EQ(l->Path(), T.Music);

    // A new root on the list goes to the tree.
    l->SetRoot(T.Videos);
    EXPECT_EQ(t->Root(), T.Videos);
    EXPECT_EQ(t->Items().Top(0)->Text(), "Videos");
    t->SetShellListView(nullptr);
    EXPECT_EQ(l->ShellTreeView(), nullptr);
}

TEST_F(ShellViewTest, TreeRefreshKeepsExpansionSelectionAndTop) {
    auto* t = Tree(T.Home);
    t->SetBounds(10, 10, 200, 60);
    t->SetPath(T.Deep);
    TTreeNode* root = t->Items().Top(0);
    Child(root, "Music")->Expand();
    t->View()->doItemsLayout();
    t->SetTopItem(Child(root, "Music"));
    ASSERT_EQ(t->TopItem()->Text(), "Music");
    QDir().mkpath(T.Videos + "/2025");
    QDir().rmdir(T.Music + "/Live");
    t->Refresh(root);
    root = t->Items().Top(0);
    EXPECT_EQ(root->Text(), "home");
    EXPECT_EQ(t->SelectedFolder()->AbsoluteID(), Id(T.Deep));
    EXPECT_TRUE(Child(root, "Videos")->Expanded());
    EXPECT_EQ(Children(Child(root, "Videos")), QStringList({"2024", "2025"}));
    EXPECT_TRUE(Child(root, "Music")->Expanded() || Child(root, "Music")->Count() == 0);
    EXPECT_FALSE(Child(root, "Music")->HasChildren()) << "its only folder went";
    t->View()->doItemsLayout();
    EXPECT_EQ(t->TopItem()->Text(), "Music");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ShellViewTest, TreeRenameInPlace) {
    auto* t = Tree(T.Home);
    QStringList edited;
    t->OnEdited = [&](QObject*, TTreeNode*, QString& s) { edited << s; };
    t->SetPath(T.Music + "/Live");
    Key(t->View(), Qt::Key_F2);
    ASSERT_TRUE(t->IsEditing());
    Rename(t->Editor(), "Concerts");
    EXPECT_EQ(edited, QStringList({"Concerts"}));
    EXPECT_TRUE(QFileInfo(T.Music + "/Concerts").isDir());
    TTreeNode* music = Child(t->Items().Top(0), "Music");
    EXPECT_EQ(Children(music), QStringList({"Concerts"}));
    EXPECT_TRUE(Errors.isEmpty());

    QDir().mkpath(T.Music + "/Taken");
    t->Refresh(music);
    music = Child(t->Items().Top(0), "Music");
    t->SetSelected(Child(music, "Concerts"));
    Key(t->View(), Qt::Key_F2);
    Rename(t->Editor(), "Taken");
    EXPECT_EQ(Errors, QStringList({"Rename to Taken failed"}));
    EXPECT_EQ(t->Selected()->Text(), "Concerts");

    // The root node keeps its name (the Desktop has no rename capability;
    // a folder root is what Root names): the tree stays as it was.
    Errors.clear();
    t->SetSelected(t->Items().Top(0));
    Key(t->View(), Qt::Key_F2);
    Rename(t->Editor(), "elsewhere");
    EXPECT_EQ(t->Items().Top(0)->Text(), "home");
    EXPECT_TRUE(QFileInfo(T.Home).isDir());
    EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(ShellViewTest, TreeFolderGoneBeforeItOpensLosesItsButton) {
    auto* t = Tree(T.Home);
    TTreeNode* videos = Child(t->Items().Top(0), "Videos");
    ASSERT_TRUE(videos->HasChildren());
    QDir(T.Videos).removeRecursively();
    videos->Expand();
    EXPECT_EQ(videos->Count(), 0);
    EXPECT_FALSE(videos->HasChildren());
    EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(ShellViewTest, TreeUnreadableFolderHasNoButton) {
    if (ShellTree::Privileged()) GTEST_SKIP() << "permission bits do not stop the super-user";
    auto* t = Tree(T.Home);
    TTreeNode* locked = Child(t->Items().Top(0), "locked");
    EXPECT_FALSE(locked->HasChildren());
    locked->Expand();
    EXPECT_EQ(locked->Count(), 0);
}

namespace {

template <class F> bool Eventually(F&& done) {
    for (int i = 0; i < 400 && !done(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(5);
    }
    return done();
}

}  // namespace

TEST_F(ShellViewTest, AutoRefreshReadsTheFolderAgain) {
    auto* l = List(T.Music);
    l->SetAutoRefresh(true);
    ShellTree::Touch(T.Music + "/fresh.mp3", 1);
    EXPECT_TRUE(Eventually([&] { return Rows(l).contains("fresh.mp3"); }));
    l->SetPath(T.Home);
    EXPECT_TRUE(l->AutoRefresh()) << "kept across a folder change";
    ShellTree::Touch(T.Home + "/fresh.txt", 1);
    EXPECT_TRUE(Eventually([&] { return Rows(l).contains("fresh.txt"); })) << "the watch follows the folder";

    auto* t = Tree(T.Home);
    t->SetAutoRefresh(true);
    t->SetSelected(Child(t->Items().Top(0), "Music"));
    QDir().mkpath(T.Music + "/Fresh");
    EXPECT_TRUE(Eventually([&] { return Children(t->Selected()).contains("Fresh"); }))
        << "the selected node's folder is watched";
    EXPECT_EQ(t->SelectedFolder()->AbsoluteID(), Id(T.Music));
}
