// The namespace over the fixture tree: one chain per folder, the virtual
// Desktop and Computer, names, attributes, order, details, masks, renaming,
// roots and the volume list.
#include "tests/skin/forms/shell/ShellFixture.h"

#include "skin/forms/shell/ShellIcons.h"

#include <QDateTime>
#include <QFileInfo>

#include <sys/time.h>

namespace {

struct NamespaceTest : ::testing::Test {
    ShellTree T;
    static QStringList Names(TqvShellFolder& f, TShellObjectTypes types) {
        std::vector<std::unique_ptr<TqvShellFolder>> items;
        EXPECT_TRUE(f.Enumerate(types, items));
        QStringList n;
        for (auto& i : items) n << i->DisplayName();
        return n;
    }
    std::unique_ptr<TqvShellFolder> Child(TqvShellFolder& parent, const QString& name,
                                          TShellObjectTypes types = {otFolders, otNonFolders, otHidden}) {
        std::vector<std::unique_ptr<TqvShellFolder>> items;
        parent.Enumerate(types, items);
        for (auto& i : items)
            if (i->DisplayName() == name) return std::move(i);
        ADD_FAILURE() << "no " << name.toStdString();
        return nullptr;
    }
};

QStringList Chain(const TqvShellID& id) {
    QStringList out;
    for (const TqvShellID& p : SplitItemIDList(id))
        out << (p.IsDesktop() ? QStringLiteral("Desktop") : p.IsVirtual() ? QStringLiteral("Computer") : p.Path());
    return out;
}

}  // namespace

TEST_F(NamespaceTest, ChainsAndParents) {
    const QString D = "Desktop", C = "Computer";
    struct Row {
        TqvShellID id;
        QStringList chain;
    };
    const std::vector<Row> rows = {
        {TqvShellID::Desktop(), {}},
        {TqvShellID::Computer(), {D}},
        {Id(T.VolA), {D, C}},
        {Id(T.VolA + "/"), {D, C}},
        {Id(T.Home), {D, C, T.VolA}},
        {Id(T.Music + "/./Live/.."), {D, C, T.VolA, T.Home}},
        {Id(T.Deep), {D, C, T.VolA, T.Home, T.Videos, T.Videos + "/2024"}},
        // The inner volume is its own drive: its chain skips the folders it is mounted in.
        {Id(T.VolB), {D, C}},
        {Id(T.VolB + "/disc"), {D, C, T.VolB}},
        {Id(T.VolA + "/mnt"), {D, C, T.VolA}},
        // Outside every volume: "/" stands for the drive.
        {Id("/"), {D, C}},
    };
    for (const Row& r : rows) EXPECT_EQ(Chain(r.id), r.chain) << r.id.Path().toStdString();

    TqvShellID up;
    EXPECT_FALSE(ParentID(TqvShellID::Desktop(), up));
    ASSERT_TRUE(ParentID(Id(T.VolA), up));
    EXPECT_EQ(up, TqvShellID::Computer()) << "Up from a volume root is the Computer";
    ASSERT_TRUE(ParentID(TqvShellID::Computer(), up));
    EXPECT_TRUE(up.IsDesktop());
    EXPECT_EQ(VolumeRootOf(T.VolB + "/disc"), T.VolB) << "the longest mount point holds it";
    EXPECT_EQ(VolumeRootOf(T.VolA + "/mnt/betamax"), T.VolA) << "a name that only begins like a mount point";
}

TEST_F(NamespaceTest, DesktopAndComputerListTheVirtualEntriesFirst) {
    TqvShellFolder* desk = DesktopShellFolder();
    EXPECT_EQ(Names(*desk, {otFolders, otNonFolders}),
              QStringList({"Home", "Computer", "Projects", "readme.txt"}));
    EXPECT_EQ(Names(*desk, {otFolders}), QStringList({"Home", "Computer", "Projects"}));
    auto home = Child(*desk, "Home");
    EXPECT_EQ(home->AbsoluteID(), Id(T.Home)) << "the Home entry resolves to the home folder's one id";
    EXPECT_FALSE(home->Capabilities().Contains(fcCanRename)) << "an entry the namespace names keeps its name";
    auto projects = Child(*desk, "Projects");
    EXPECT_EQ(Chain(projects->AbsoluteID()), QStringList({"Desktop", "Computer", T.VolA, T.Home, T.Desktop}));

    auto computer = Child(*desk, "Computer");
    EXPECT_EQ(computer->AbsoluteID(), TqvShellID::Computer());
    EXPECT_EQ(Names(*computer, {otFolders, otNonFolders}),
              QStringList({"Alpha (" + T.VolA + ")", "Beta (" + T.VolB + ")"}));
    EXPECT_TRUE(Names(*computer, {otNonFolders}).isEmpty());
}

TEST_F(NamespaceTest, NamesPathsAndAttributes) {
    TqvShellFolder* desk = DesktopShellFolder();
    EXPECT_EQ(desk->Level(), 0);
    EXPECT_EQ(desk->Parent(), nullptr);
    auto music = std::make_unique<TqvShellFolder>(desk, Id(T.Music));
    EXPECT_EQ(music->Level(), 0);
    EXPECT_EQ(music->Parent(), desk);
    auto song = Child(*music, "Song1.MP3");
    EXPECT_EQ(song->Level(), 1);
    EXPECT_EQ(FolderFromItemID(Id(T.Music))->Parent(), desk);

    struct Row {
        std::unique_ptr<TqvShellFolder> f;
        QString name, path, object;
        bool folder, hidden, fileSystem, canRename;
    };
    std::vector<Row> rows;
    rows.push_back({FolderFromItemID(TqvShellID::Desktop()), "Desktop", T.Desktop, "", true, false, false, false});
    rows.push_back({FolderFromItemID(TqvShellID::Computer()), "Computer", "", "", true, false, false, false});
    rows.push_back({FolderFromItemID(Id(T.VolA)), "Alpha (" + T.VolA + ")", T.VolA, T.VolA, true, false, true, false});
    rows.push_back({FolderFromItemID(Id(T.Music)), "Music", T.Music, T.Music, true, false, true, true});
    rows.push_back({Child(*music, ".secret.mp3"), ".secret.mp3", T.Music + "/.secret.mp3", T.Music + "/.secret.mp3",
                    false, true, true, true});
    rows.push_back({Child(*music, QString::fromUtf8("Пример.mp3")), QString::fromUtf8("Пример.mp3"),
                    T.Music + QString::fromUtf8("/Пример.mp3"), T.Music + QString::fromUtf8("/Пример.mp3"), false,
                    false, true, true});
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name.toStdString());
        EXPECT_EQ(r.f->DisplayName(), r.name);
        EXPECT_EQ(r.f->PathName(), r.path);
        EXPECT_EQ(r.f->FullObjectName(), r.object);
        EXPECT_EQ(r.f->IsFolder(), r.folder);
        EXPECT_EQ(r.f->Hidden(), r.hidden);
        EXPECT_EQ(r.f->Properties().Contains(fpFileSystem), r.fileSystem);
        EXPECT_EQ(r.f->Capabilities().Contains(fcCanRename), r.canRename);
    }
    QFile::link(T.Music + "/clip.wav", T.Home + "/link.wav");
    EXPECT_TRUE(FolderFromItemID(Id(T.Home + "/link.wav"))->Properties().Contains(fpIsLink));
    EXPECT_FALSE(FolderFromItemID(Id(T.Music + "/clip.wav"))->Properties().Contains(fpIsLink));
}

TEST_F(NamespaceTest, FoldersFirstInNaturalCaseInsensitiveOrder) {
    auto music = FolderFromItemID(Id(T.Music));
    EXPECT_EQ(Names(*music, {otFolders, otNonFolders}),
              QStringList({"Live", "Clip.AVI", "clip.wav", "notes", "Song1.MP3", "song2.mp3", "song10.mp3",
                           "track.aiff", "video.avi", QString::fromUtf8("Пример.mp3")}));
    EXPECT_EQ(Names(*music, {otNonFolders, otHidden}).first(), ".secret.mp3");
    EXPECT_EQ(Names(*music, {otFolders}), QStringList({"Live"}));

    struct Row {
        const char *a, *b;
        int r;
    };
    for (const Row& c : std::vector<Row>{{"file2", "File10", -1},
                                         {"a10", "a9", 1},
                                         {"a007", "a7", -1},  // equal numbers: the tie goes by text
                                         {"abc", "ABC", 1},
                                         {"abc", "abd", -1},
                                         {"x", "x1", -1},
                                         {"same", "same", 0}})
        EXPECT_EQ(NaturalCompare(c.a, c.b), c.r) << c.a << " vs " << c.b;
}

TEST_F(NamespaceTest, DetailsAndFindData) {
    auto home = FolderFromItemID(Id(T.Home));
    auto big = Child(*home, "big.bin");
    EXPECT_THROW(big->DetailText(1), std::runtime_error) << "before any LoadColumnDetails";
    try {
        big->DetailText(1);
    } catch (const std::exception& e) {
        EXPECT_EQ(QString(e.what()), "big.bin: Missing call to LoadColumnDetails");
    }
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 30));
    struct timeval tv[2] = {{when.toSecsSinceEpoch(), 0}, {when.toSecsSinceEpoch(), 0}};
    ::utimes(QFile::encodeName(T.Big).constData(), tv);
    big->LoadColumnDetails(4);
    EXPECT_EQ(big->DetailText(1), "4,882,813 KB") << "5 000 000 000 bytes, the high word counts";
    EXPECT_EQ(big->DetailText(3), QLocale().toString(when, QLocale::ShortFormat));
    EXPECT_EQ(big->GetFindData().Size, 5000000000LL);

    auto music = FolderFromItemID(Id(T.Music));
    auto notes = Child(*music, "notes");
    notes->LoadColumnDetails(4);
    EXPECT_EQ(notes->DetailText(1), "3 KB");
    EXPECT_EQ(notes->DetailText(2), "File");
    auto secret = Child(*music, ".secret.mp3");
    secret->LoadColumnDetails(4);
    EXPECT_EQ(secret->DetailText(4), "H");
    ShellTree::Touch(T.Music + "/odd.qvzz", 0);
    auto odd = Child(*music, "odd.qvzz");
    odd->LoadColumnDetails(2);
    EXPECT_EQ(odd->DetailText(1), "0 KB");
    EXPECT_EQ(odd->DetailText(2), "QVZZ File");

    auto live = Child(*music, "Live");
    live->LoadColumnDetails(4);
    EXPECT_EQ(live->DetailText(1), "") << "folders show no size";
    EXPECT_FALSE(live->DetailText(3).isEmpty());
    EXPECT_EQ(live->GetFindData().Size, -1);
    auto computer = FolderFromItemID(TqvShellID::Computer());
    computer->LoadColumnDetails(4);
    EXPECT_EQ(computer->DetailText(1), "");
    EXPECT_EQ(computer->DetailText(3), "");

    QFile::remove(T.Music + "/notes");
    try {
        notes->GetFindData();
        ADD_FAILURE() << "no error for a vanished item";
    } catch (const EInvalidPath& e) {
        EXPECT_EQ(QString(e.what()), "Unable to retrieve folder details for \"notes\". Error code $2");
    }
}

TEST_F(NamespaceTest, MaskMatcher) {
    struct Row {
        const char *name, *mask;
        bool match;
    };
    const std::vector<Row> rows = {
        {"clip.avi", "*.AVI", true},
        {"CLIP.AVI", "*.avi", true},
        {"notes", "*.*", true},  // "*.*" is every name, dot or not
        {"notes", "*", true},
        {"notes", "*.mp3;*", true},
        {"notes", "notes", false},  // a piece without a dot is no file mask
        {"a.wav", "*.mp3; *.wav", true},  // pieces are trimmed
        {"t.aiff", "*.aif; *.aiff", true},
        {"t.aif", "*.aif; *.aiff", true},
        {"t.aiffx", "*.aif; *.aiff", false},
        {"a.wav", "*.mp3|*.wav", true},
        {"a.ogg", "*.mp3|*.wav", false},
        {"a.ogg", ";;|", false},  // empty pieces match nothing
        {"song1.mp3", "song?.mp3", true},
        {"song10.mp3", "song?.mp3", false},
        {"b.mp3", "[abc].mp3", true},
        {"B.MP3", "[a-c].mp3", true},
        {"d.mp3", "[a-c].mp3", false},
        {"d.mp3", "[!a-c].mp3", true},
        {"x[1.mp3", "x[1.mp3", true},  // an unclosed bracket is a plain character
        {"a.b.c", "*.c", true},
        {"abc.txt", "a*c.txt", true},
        {"abd.txt", "a*c.txt", false},
        {"Пример.MP3", "п*.mp3", true},
    };
    for (const Row& r : rows)
        EXPECT_EQ(MatchesFileMask(QString::fromUtf8(r.name), QString::fromUtf8(r.mask)), r.match)
            << r.name << " / " << r.mask;
}

TEST_F(NamespaceTest, RenameDoneAndRefused) {
    auto home = FolderFromItemID(Id(T.Home));
    auto a = Child(*home, "a.txt");
    EXPECT_TRUE(a->Rename("b.txt"));
    EXPECT_EQ(a->AbsoluteID(), Id(T.Home + "/b.txt")) << "the parent's id joined with the new name";
    EXPECT_EQ(a->DisplayName(), "b.txt");
    EXPECT_TRUE(QFile::exists(T.Home + "/b.txt"));
    EXPECT_FALSE(QFile::exists(T.Home + "/a.txt"));

    auto deep = FolderFromItemID(Id(T.Videos + "/2024"));
    auto jan = Child(*deep, "January");
    EXPECT_TRUE(jan->Rename("Février"));
    EXPECT_EQ(jan->AbsoluteID(), Id(T.Videos + "/2024/Février"));

    // Refused: the text names the new item and the item keeps its name and content.
    ShellTree::Touch(T.Home + "/keep.txt", 7);
    for (const QString& bad : {QString("keep.txt"), QString("x/y"), QString(".."), QString()}) {
        try {
            a->Rename(bad);
            ADD_FAILURE() << "accepted " << bad.toStdString();
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(QString(e.what()), "Rename to " + bad + " failed");
        }
        EXPECT_EQ(a->AbsoluteID(), Id(T.Home + "/b.txt"));
    }
    EXPECT_EQ(QFileInfo(T.Home + "/keep.txt").size(), 7) << "never renamed over another file";
    EXPECT_FALSE(FolderFromItemID(TqvShellID::Computer())->Rename("x")) << "no rename capability: false, no error";
    EXPECT_FALSE(FolderFromItemID(Id(T.VolB))->Rename("x")) << "a mount point keeps its name";
}

TEST_F(NamespaceTest, RootsAcceptedAndRefused) {
    QDir().mkpath(T.Home + "/Documents");
    struct Ok {
        QString root;
        TqvShellID id;
    };
    for (const Ok& r : std::vector<Ok>{{"rfDesktop", TqvShellID::Desktop()},
                                       {"RFMYCOMPUTER", TqvShellID::Computer()},
                                       {"rfPersonal", Id(T.Home + "/Documents")},
                                       {"rfDesktopDirectory", Id(T.Desktop)},
                                       {T.Music + "/", Id(T.Music)},
                                       {T.VolB, Id(T.VolB)}}) {
        TRoot root = r.root;
        EXPECT_EQ(FolderFromRoot("old", root)->AbsoluteID(), r.id) << r.root.toStdString();
        EXPECT_EQ(root, r.root);
    }
    auto music = FolderFromItemID(Id(T.Music));
    TRoot relative = "Live";
    EXPECT_EQ(FolderFromRoot("old", relative, music.get())->AbsoluteID(), Id(T.Music + "/Live"))
        << "relative to the control's folder";
    for (const QString& bad : {QString(), QString("rfNetwork"), QString("rfPrinters"), QString("rfControlPanel"),
                               QString("rfTemplates"), T.Home + "/nothing", QString("Live"), T.Big,
                               QString("rfNoSuchFolder")}) {
        TRoot root = bad;
        try {
            FolderFromRoot("rfDesktop", root);
            ADD_FAILURE() << "accepted " << bad.toStdString();
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(QString(e.what()), "Error setting path: \"" + bad + "\"");
        }
        EXPECT_EQ(root, "rfDesktop") << "the old root text comes back";
    }
    EXPECT_EQ(ParseDisplayName("Live/..", music.get()), Id(T.Music));
    EXPECT_EQ(ParseDisplayName(T.Music + "/clip.wav"), Id(T.Music + "/clip.wav"));
    EXPECT_THROW(ParseDisplayName("clip.wav"), EInvalidPath) << "no folder to be relative to";
    EXPECT_EQ(RootFolderOf("rfTemplates"), int(rfTemplates));
    EXPECT_EQ(RootFolderOf("Templates"), -1);
    EXPECT_EQ(ObjectTypeFlags({otFolders, otNonFolders, otHidden}), 32u + 64u + 128u);
}

TEST_F(NamespaceTest, VanishedFolderListsNothing) {
    std::vector<std::unique_ptr<TqvShellFolder>> items;
    auto gone = FolderFromItemID(Id(T.Home + "/gone"));
    EXPECT_FALSE(gone->Enumerate({otFolders, otNonFolders}, items));
    EXPECT_TRUE(items.empty());
    EXPECT_FALSE(gone->SubFolders());
}

TEST_F(NamespaceTest, UnreadableFolderListsNothing) {
    if (ShellTree::Privileged()) GTEST_SKIP() << "permission bits do not stop the super-user";
    std::vector<std::unique_ptr<TqvShellFolder>> items;
    auto locked = FolderFromItemID(Id(T.Locked));
    EXPECT_FALSE(locked->SubFolders());
    EXPECT_FALSE(locked->Enumerate({otFolders, otNonFolders}, items));
    EXPECT_TRUE(items.empty());
}

TEST(ShellVolumes, PseudoFileSystemsOutRootFirst) {
    const std::vector<TqvShellVolume> all = {
        {"/proc", "", "proc", "proc"},     {"/media/usb", "USB", "vfat", "/dev/sdb1"},
        {"/sys", "", "sysfs", "sysfs"},    {"/", "", "overlay", "overlay"},
        {"/run", "", "tmpfs", "tmpfs"},    {"/home", "", "ext4", "/dev/sda2"},
        {"/media/usb", "USB", "vfat", "/dev/sdb1"}, {"/sys/fs/cgroup", "", "cgroup2", "cgroup2"},
    };
    QStringList roots;
    for (const TqvShellVolume& v : UsableVolumes(all)) roots << v.RootPath;
    EXPECT_EQ(roots, QStringList({"/", "/media/usb", "/home"})) << "\"/\" stays whatever a container mounts there";
    EXPECT_EQ(UsableVolumes({}).front().RootPath, "/");
}

TEST(ShellIcons, OneCacheIndexedByPosition) {
    TqvShellIcons& icons = TqvShellIcons::Instance();
    const int folder = icons.IndexOf("folder");
    EXPECT_EQ(icons.IndexOf("folder"), folder);
    EXPECT_NE(icons.IndexOf("folder-open"), folder);
    EXPECT_EQ(icons.IndexOf("application/x-no-such-type"), icons.IndexOf("file")) << "no picture: the file's";
    const int n = icons.Count();
    EXPECT_LT(icons.IndexOfFile("x.mp3"), n + 1);
    EXPECT_EQ(icons.Small()->Count(), icons.Large()->Count());
    EXPECT_EQ(icons.Small()->Width(), 16);
    EXPECT_EQ(icons.Large()->Width(), 32);
    for (const char* k : {"folder", "file", "computer", "drive", "home", "desktop"}) {
        const QImage img = TqvShellIcons::BuiltInImage(k, 16);
        EXPECT_EQ(img.size(), QSize(16, 16));
        EXPECT_NE(img.pixel(8, 8) >> 24, 0u) << k << ": our own picture is drawn";
    }
}
