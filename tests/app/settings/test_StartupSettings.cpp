// Start-up reading of "option.ini": the output folder, the skin and the
// options, in the order the program reads them; the repairs of missing and
// unusable values; and a program folder where nothing can be written.
#include "app/settings/MainWindowSettings.h"
#include "app/settings/OptionsSettings.h"
#include "tests/app/settings/SettingsFixture.h"
#include "tests/platform/FileSizeLimit.h"

#include <QDir>
#include <QFileInfo>

using namespace settings;

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

// What the main window and then the options dialog read when they are created.
struct TStartup {
    TOutputFolderRead Output;
    TSkinIndexRead Skin;
    TOptionsRead Options;
    TSettingsErrors Errors;
};

TStartup RunStartup(const QString& program, const QString& home) {
    TStartup s;
    s.Output = ReadOutputFolder(program, home);
    s.Errors.Add(s.Output.Error);
    s.Skin = ReadSkinIndex(program);
    s.Errors.Add(s.Skin.Error);
    s.Options = LoadOptions(program);
    s.Errors.Add(s.Options.Error);
    return s;
}

// Everything a start-up gives, as one text a child process can hand back.
std::string Summary(const TStartup& s) {
    const TOptionsSettings& o = s.Options.Options;
    return QString("folder=%1 skin=%2 threads=%3 after=%4 priority=%5 overwrite=%6 preview=%7 errors=[%8]")
        .arg(s.Output.Folder)
        .arg(s.Skin.Index)
        .arg(o.ThreadCount)
        .arg(int(o.AfterRun))
        .arg(int(o.Priority))
        .arg(o.OverwriteExisting)
        .arg(o.ShowPreview)
        .arg(s.Errors.Messages().join(" | "))
        .toStdString();
}

const QStringList kFirstStartOptions{"Thread_Count=0", "After_Done=0", "Thread_Priority=3", "Overwrite_File=1",
                                     "Show_Preview=0"};

} // namespace

TEST_F(SettingsTest, FirstStartWritesEveryKeyInReadingOrderAndCreatesTheOutputFolder) {
    const TStartup s = RunStartup(Program(), Home());

    const QString folder = Home() + U("/Quorvel视频软件/输出");
    EXPECT_EQ(s.Output.Folder, folder);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_FALSE(QFileInfo::exists(Home() + U("/Quorvel视频软件/快照"))) << "the snapshot folder waits for a snapshot";
    EXPECT_EQ(s.Skin.Index, 0);
    EXPECT_EQ(s.Options.Options, TOptionsSettings{});
    EXPECT_TRUE(s.Errors.Empty()) << s.Errors.Text().toStdString();

    EXPECT_EQ(Sections(), QStringList({"OutPath", "Skin", "Options"}));
    EXPECT_EQ(Values("OutPath"), QStringList{"OutPath=" + folder});
    EXPECT_EQ(Values("Skin"), QStringList{"SetSkin=0"});
    EXPECT_EQ(Values("Options"), kFirstStartOptions);

    // A second start reads what the first one stored and writes nothing.
    const QByteArray before = IniBytes();
    const TStartup again = RunStartup(Program(), Home());
    EXPECT_EQ(Summary(again), Summary(s));
    EXPECT_EQ(IniBytes(), before);
}

TEST_F(SettingsTest, OutputFolderValues) {
    struct Case {
        const char* name;
        const char* file;      // option.ini as found
        QString expected;      // the folder the window uses
        QString storedAfter;
    };
    const QString fallback = DefaultOutputFolder(Home());
    const QString elsewhere = Home() + "/videos/converted";
    const QString withSlash = Home() + "//videos/";
    const Case cases[] = {
        {"no section", "[Skin]\nSetSkin=2\n", fallback, fallback},
        {"empty value", "[OutPath]\nOutPath=\n", fallback, fallback},
        {"the fallback text", "[OutPath]\nOutPath=Error\n", fallback, fallback},
        {"a folder not yet there", nullptr, elsewhere, elsewhere},
        {"text kept as stored", nullptr, withSlash, withSlash},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(Home()).removeRecursively();
        QDir().mkpath(Home());
        WriteIni(c.file ? QByteArray(c.file) : ("[OutPath]\nOutPath=" + c.expected.toUtf8() + "\n"));
        const TOutputFolderRead r = ReadOutputFolder(Program(), Home());
        EXPECT_EQ(r.Folder, c.expected);
        EXPECT_TRUE(r.Error.isEmpty());
        EXPECT_TRUE(QFileInfo(c.expected).isDir());
        EXPECT_EQ(Stored("OutPath", "OutPath"), c.storedAfter);
    }
    // Browse to a folder, then start again: the folder comes back.
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    EXPECT_TRUE(WriteOutputFolder(Program(), elsewhere));
    EXPECT_EQ(ReadOutputFolder(Program(), Home()).Folder, elsewhere);
    // A path that is no folder is not stored.
    const QByteArray before = IniBytes();
    EXPECT_FALSE(WriteOutputFolder(Program(), Home() + "/missing"));
    EXPECT_FALSE(WriteOutputFolder(Program(), IniFile()));
    EXPECT_FALSE(WriteOutputFolder(Program(), QString()));
    EXPECT_EQ(IniBytes(), before);
}

TEST_F(SettingsTest, SkinIndexValues) {
    struct Case {
        const char* stored;  // nullptr: no key
        int index;
        const char* storedAfter;
    };
    const Case cases[] = {
        {nullptr, 0, "0"}, {"", 0, "0"},     {"Error", 0, "0"}, {"x", 0, "0"},
        {"3.5", 0, "0"},   {"4", 4, "4"},    {"10", 10, "10"},  {"12", 12, "12"},  // outside the list: kept
        {"-1", -1, "-1"},  {"+7", 7, "+7"},  {"99999999999", 0, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "<no key>");
        WriteIni(c.stored ? QByteArray("[Skin]\nSetSkin=") + c.stored + "\n" : QByteArray("[Skin]\n"));
        const TSkinIndexRead r = ReadSkinIndex(Program());
        EXPECT_EQ(r.Index, c.index);
        EXPECT_TRUE(r.Error.isEmpty());
        EXPECT_EQ(Stored("Skin", "SetSkin"), c.storedAfter);
    }
    // The skin commands store the model's index; the next start reads it.
    WriteSkinIndex(Program(), 10);
    EXPECT_EQ(Stored("Skin", "SetSkin"), "10");
    EXPECT_EQ(ReadSkinIndex(Program()).Index, 10);
}

TEST_F(SettingsTest, OtherSectionsAndKeysStayAsTheyWere) {
    WriteIni("; kept\n[SnapShot]\nDir=/tmp/shots\nPicture=PNG\n\n[Skin]\nSetSkin=x\nMine=1\n");
    RunStartup(Program(), Home());
    EXPECT_EQ(Sections(), QStringList({"SnapShot", "Skin", "OutPath", "Options"}));
    EXPECT_EQ(Values("SnapShot"), QStringList({"Dir=/tmp/shots", "Picture=PNG"}));
    EXPECT_EQ(Values("Skin"), QStringList({"SetSkin=0", "Mine=1"}));
    EXPECT_TRUE(IniBytes().startsWith("; kept\n"));
}

// A program folder where option.ini cannot be written: every repair fails,
// the same error is reported once, and start-up goes on with the values it
// would have stored.
TEST_F(SettingsTest, AnUnwritableFileGivesOneErrorAndWorkingValues) {
    const std::string expected =
        ("folder=" + DefaultOutputFolder(Home()) +
         " skin=0 threads=1 after=0 priority=3 overwrite=0 preview=0 errors=[Unable to write to " + IniFile() + "]")
            .toStdString();

    // Files cannot grow in the child: as with a read-only folder.
    EXPECT_EQ(RunUnderFileSizeLimit(0, [&] { return Summary(RunStartup(Program(), Home())); }), expected);
    EXPECT_FALSE(QFileInfo::exists(IniFile()));
    EXPECT_EQ(QDir(Program()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{})
        << "no temporary file left behind";
    EXPECT_TRUE(QFileInfo(DefaultOutputFolder(Home())).isDir()) << "folders can still be made";

    // A folder in the file's place cannot be written either.
    ASSERT_TRUE(QDir().mkpath(IniFile()));
    EXPECT_EQ(Summary(RunStartup(Program(), Home())), expected);
}

TEST_F(SettingsTest, AnUnwritableFileWithGoodValuesGivesNoError) {
    const QString folder = Home() + "/out";
    WriteIni(("[OutPath]\nOutPath=" + folder + "\n[Skin]\nSetSkin=12\n[Options]\nThread_Count=7\nAfter_Done=2\n"
              "Thread_Priority=1\nOverwrite_File=0\nShow_Preview=1\n")
                 .toUtf8());
    const std::string said = RunUnderFileSizeLimit(0, [&] { return Summary(RunStartup(Program(), Home())); });
    EXPECT_EQ(said, ("folder=" + folder + " skin=12 threads=7 after=2 priority=1 overwrite=1 preview=1 errors=[]")
                        .toStdString());
}

TEST_F(SettingsTest, TheOptionsReadingGoesOnPastAFailedRepair) {
    // After_Done and Overwrite_File need repairs that fail; the keys between
    // and after them are still read.
    WriteIni("[Options]\nThread_Count=4\nAfter_Done=7\nThread_Priority=1\nOverwrite_File=Error\nShow_Preview=1\n");
    const QByteArray before = IniBytes();
    const std::string said = RunUnderFileSizeLimit(0, [&] {
        const TOptionsRead r = LoadOptions(Program());
        const TOptionsSettings& o = r.Options;
        return QString("%1 %2 %3 %4 %5 [%6]")
            .arg(o.ThreadCount)
            .arg(int(o.AfterRun))
            .arg(int(o.Priority))
            .arg(o.OverwriteExisting)
            .arg(o.ShowPreview)
            .arg(r.Error)
            .toStdString();
    });
    EXPECT_EQ(said, ("4 0 1 0 1 [Unable to write to " + IniFile() + "]").toStdString());
    EXPECT_EQ(IniBytes(), before);
}
