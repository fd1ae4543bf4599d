// The file list box, filter combo box, drive combo box and folder list box
// over the fixture tree and its fake volumes.
#include "tests/skin/controls/ControlTestSupport.h"
#include "tests/skin/forms/shell/ShellFixture.h"

#include "skin/forms/shell/ShellDriveControls.h"
#include "skin/forms/shell/ShellFileControls.h"

#include <QFontMetrics>
#include <QListWidget>

namespace {

struct FileControlsTest : SkinControlTest {
    ShellTree T;
    void SetUp() override {
        SkinControlTest::SetUp();
        Form->Show();
    }
    void TearDown() override {
        SetRemovableProbe(nullptr);
        SkinControlTest::TearDown();
    }
    TqvSkinFileListBox* Files(const QString& dir) {
        auto* f = Make<TqvSkinFileListBox>();
        f->SetBounds(10, 10, 200, 200);
        f->SetDirectory(dir);
        return f;
    }
    static QStringList Rows(TStrings& s) {
        QStringList r;
        for (int i = 0; i < s.Count(); ++i) r << s[i];
        return r;
    }
};

const QString kRu = QString::fromUtf8("Пример.mp3");

}  // namespace

// ---- file list box

TEST_F(FileControlsTest, FileListMasksAndAttributes) {
    auto* f = Files(T.Music);
    EXPECT_EQ(f->Directory(), T.Music);
    EXPECT_EQ(f->Mask(), "*.*");
    // Plain files only: the hidden file and the folder are skipped; "*.*" takes "notes" too.
    EXPECT_EQ(Rows(f->Items()), QStringList({"Clip.AVI", "clip.wav", "notes", "Song1.MP3", "song10.mp3", "song2.mp3",
                                             "track.aiff", "video.avi", kRu}));
    struct Case {
        QString mask;
        QStringList rows;
    };
    const std::vector<Case> cases = {
        // A file two masks find is listed twice.
        {"*.mp3;song*", {"Song1.MP3", "Song1.MP3", "song10.mp3", "song10.mp3", "song2.mp3", "song2.mp3", kRu}},
        {"*.aif; *.aiff", {"track.aiff"}},
        {"*.AVI", {"Clip.AVI", "video.avi"}},
        {"*.none", {}},
    };
    for (const Case& c : cases) {
        f->SetMask(c.mask);
        EXPECT_EQ(Rows(f->Items()), c.rows) << c.mask.toStdString();
    }
    f->SetMask("*.mp3");
    f->SetFileType({qvftNormal, qvftHidden});
    EXPECT_TRUE(Rows(f->Items()).contains(".secret.mp3"));
    // Folders only, in brackets, with the entries for the folder and its parent.
    f->SetMask("*.*");
    f->SetFileType({qvftDirectory});
    EXPECT_EQ(Rows(f->Items()), QStringList({"[..]", "[.]", "[Live]"}));
}

TEST_F(FileControlsTest, FileListPathsSelectionAndEdit) {
    auto* f = Files(T.Music);
    auto* edit = Make<TEdit>();
    f->SetFileEdit(edit);
    EXPECT_EQ(edit->Text(), "*.*") << "the mask without a selection";
    // A last part with a wildcard is the mask; a file is selected; a folder is entered.
    f->ApplyFilePath(T.Music + "/*.wav");
    EXPECT_EQ(f->Mask(), "*.wav");
    EXPECT_EQ(Rows(f->Items()), QStringList({"clip.wav"}));
    f->ApplyFilePath("Live");
    EXPECT_EQ(f->Directory(), T.Music + "/Live");
    f->SetMask("*.*");
    f->ApplyFilePath("../song2.mp3");
    EXPECT_EQ(f->Directory(), T.Music);
    EXPECT_EQ(f->FileName(), T.Music + "/song2.mp3");
    f->SetSelectedName("");
    EXPECT_EQ(edit->Text(), "*.*");
    // Selecting by name ignores case.
    f->SetSelectedName("SONG2.MP3");
    EXPECT_EQ(f->FileName(), T.Music + "/song2.mp3");
    EXPECT_EQ(edit->Text(), "song2.mp3");
    // A file the mask hides becomes the mask and is selected.
    f->SetMask("*.mp3");
    f->ApplyFilePath("notes");
    EXPECT_EQ(f->Mask(), "notes");
    EXPECT_EQ(f->FileName(), T.Music + "/notes");
    // A folder that cannot be entered raises and keeps the list.
    const QStringList before = Rows(f->Items());
    EXPECT_THROW(f->ApplyFilePath(T.Home + "/missing"), EInOutError);
    if (!ShellTree::Privileged()) {
        EXPECT_THROW(f->SetDirectory(T.Locked), EInOutError);
    }
    EXPECT_EQ(f->Directory(), T.Music);
    EXPECT_EQ(Rows(f->Items()), before);
    EXPECT_EQ(f->Drive(), T.VolA);
    f->SetDrive(T.VolB);
    EXPECT_EQ(f->Directory(), T.VolB);
}

// ---- filter combo box

TEST_F(FileControlsTest, FilterComboDrivesTheFileList) {
    auto* c = Make<TqvSkinFilterComboBox>();
    EXPECT_EQ(c->Filter(), "All files (*.*)|*.*");
    EXPECT_EQ(Rows(c->Items()), QStringList({"All files (*.*)"}));
    auto* f = Files(T.Music);
    c->SetFileList(f);
    c->SetFilter("Songs|*.mp3|Films|*.avi;*.AVI|Dangling");
    EXPECT_EQ(Rows(c->Items()), QStringList({"Songs", "Films"})) << "a description without a mask is dropped";
    EXPECT_EQ(c->MaskList(), QStringList({"*.mp3", "*.avi;*.AVI"}));
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(f->Mask(), "*.mp3");
    c->SetItemIndex(1);
    EXPECT_EQ(f->Mask(), "*.avi;*.AVI");
    EXPECT_EQ(Rows(f->Items()), QStringList({"Clip.AVI", "Clip.AVI", "video.avi", "video.avi"}));
    c->SetFilter("no bars at all");
    EXPECT_EQ(c->Items().Count(), 0);
    EXPECT_EQ(c->Mask(), "*.*");
    EXPECT_EQ(f->Mask(), "*.*");
    // A list that goes is forgotten.
    delete f;
    EXPECT_EQ(c->FileList(), nullptr);
    c->SetFilter("Songs|*.mp3");
}

// ---- drive combo box

TEST_F(FileControlsTest, DriveComboListsTheVolumesByKind) {
    T.Env->Vols.push_back({T.Home + "/Music", "Cd", "iso9660", "/dev/sr0"});
    T.Env->Vols.push_back({T.Home + "/Videos", "", "nfs", "Server:/Share"});
    T.Env->Vols.push_back({T.Desktop, "Scratch", "tmpfs", "tmpfs"});
    T.Env->Vols.push_back({T.Locked, "", "ext4", "/dev/fake3"});
    SetRemovableProbe([](const QString& dev) { return dev == "/dev/fake2"; });
    auto* d = Make<TqvSkinDriveComboBox>();
    d->SetBounds(10, 10, 300, 22);
    const QStringList lower = {T.VolA + " [alpha]", T.VolB, T.Home + "/Music [cd]", T.Home + "/Videos server:/share",
                               T.Desktop + " [scratch]", T.Locked + " []"};
    EXPECT_EQ(Rows(d->Items()), lower);
    EXPECT_EQ(d->ItemType(0), dtFixed);
    EXPECT_EQ(d->ItemType(1), dtRemovable);
    EXPECT_EQ(d->ItemType(2), dtCDROM);
    EXPECT_EQ(d->ItemType(3), dtRemote);
    EXPECT_EQ(d->ItemType(4), dtRAMDisk);
    EXPECT_EQ(d->Drive(), T.VolA) << "the home folder's volume";
    d->SetDrive(T.VolB);
    EXPECT_EQ(d->ItemIndex(), 1);
    // Upper case: the labels change, the mount paths and the chosen drive stay.
    d->SetTextCase(tcUpperCase);
    EXPECT_EQ(d->Items()[0], T.VolA + " [ALPHA]");
    EXPECT_EQ(d->Items()[3], T.Home + "/Videos SERVER:/SHARE");
    EXPECT_EQ(d->Drive(), T.VolB);
    EXPECT_EQ(d->ItemIndex(), 1);
    d->SetDrive("/not/a/volume");
    EXPECT_EQ(d->Drive(), "");
    EXPECT_EQ(d->ItemIndex(), -1);
}

// ---- folder list box

TEST_F(FileControlsTest, FolderListShowsTheChainAndSubfolders) {
    QDir().mkpath(T.Deep + "/b");
    QDir().mkpath(T.Deep + "/A");
    auto* l = Make<TqvSkinDirectoryListBox>();
    l->SetBounds(10, 10, 200, 200);
    l->SetDirectory(T.Deep);
    using K = TqvSkinDirectoryListBox;
    EXPECT_EQ(Rows(l->Items()), QStringList({T.VolA, "home", "Videos", "2024", "January", "A", "b"}));
    const std::vector<K::TItemKind> kinds = {K::ikOpen, K::ikOpen, K::ikOpen, K::ikOpen, K::ikCurrent, K::ikClosed,
                                             K::ikClosed};
    const QStringList paths = {T.VolA, T.Home, T.Videos, T.Videos + "/2024", T.Deep, T.Deep + "/A", T.Deep + "/b"};
    for (int i = 0; i < l->Items().Count(); ++i) {
        EXPECT_EQ(l->ItemKind(i), kinds[size_t(i)]) << i;
        EXPECT_EQ(l->GetItemPath(i), paths[i]) << i;
    }
    EXPECT_EQ(l->ItemIndex(), 4);
    EXPECT_EQ(l->GetItemPath(7), "");
    // A volume's root is one current item and its subfolders.
    l->SetDirectory(T.VolB);
    EXPECT_EQ(Rows(l->Items()), QStringList({T.VolB, "disc"}));
    EXPECT_EQ(l->ItemKind(0), K::ikCurrent);
    EXPECT_THROW(l->SetDirectory("nothing"), EInOutError);
    EXPECT_EQ(l->Directory(), T.VolB);
}

TEST_F(FileControlsTest, DriveFolderAndFileListsMoveTogether) {
    auto* d = Make<TqvSkinDriveComboBox>();
    auto* l = Make<TqvSkinDirectoryListBox>();
    auto* f = Make<TqvSkinFileListBox>();
    auto* label = Make<TqvSkinStdLabel>();
    d->SetDirList(l);
    l->SetFileList(f);
    l->SetDirLabel(label);
    l->SetDirectory(T.Music);
    EXPECT_EQ(f->Directory(), T.Music);
    EXPECT_EQ(label->Caption(), MinimizeName(T.Music, label->Font(), l->Width()));
    // Another volume through the folder list moves the drive box.
    l->SetDirectory(T.VolB + "/disc");
    EXPECT_EQ(d->Drive(), T.VolB);
    EXPECT_EQ(f->Directory(), T.VolB + "/disc");
    // The drive box moves the folder list to the volume's root, and the files with it.
    d->SetItemIndex(0);
    EXPECT_EQ(l->Directory(), T.VolA);
    EXPECT_EQ(f->Directory(), T.VolA);
    // Opening an item: Enter and double click.
    l->SetItemIndex(int(Rows(l->Items()).indexOf("home")));
    SendKey(l->ListBox()->Widget(), QEvent::KeyPress, Qt::Key_Return);
    EXPECT_EQ(l->Directory(), T.Home);
    l->SetItemIndex(0);
    l->ListBoxDblClick();
    EXPECT_EQ(l->Directory(), T.VolA);
    // The file list's paths go through the folder list.
    f->ApplyFilePath(T.Music + "/*.wav");
    EXPECT_EQ(l->Directory(), T.Music);
    EXPECT_EQ(Rows(f->Items()), QStringList({"clip.wav"}));
}

TEST_F(FileControlsTest, ShortenedPathLosesLeadingFoldersFirst) {
    TFont font;
    const QFontMetrics fm(font.ToQFont());
    const QString name = "/alpha/beta/gamma/file.txt";
    for (const QString& expect :
         {QString("/alpha/beta/gamma/file.txt"), QString("/.../beta/gamma/file.txt"), QString("/.../gamma/file.txt"),
          QString("/.../file.txt"), QString(".../file.txt"), QString("file.txt")})
        EXPECT_EQ(MinimizeName(name, font, fm.horizontalAdvance(expect)), expect);
    EXPECT_EQ(MinimizeName(name, font, 1), "file.txt") << "the name itself is never cut";
}
