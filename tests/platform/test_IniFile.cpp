#include "platform/IniFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

struct IniFileTest : ::testing::Test {
    QTemporaryDir Dir;
    QString Path() const { return Dir.filePath("option.ini"); }
};

TEST_F(IniFileTest, RoundTripOfCjkValuesWithoutTheFile) {
    TIniFile ini(Path());
    EXPECT_EQ(ini.ReadString("OutPath", "OutPath", "Error"), "Error");
    const QString folder = QString::fromUtf8("/home/用户/Quorvel视频软件/输出");
    ini.WriteString("OutPath", "OutPath", folder);
    ini.WriteInteger("Options", "Thread_Count", 4);
    ini.WriteBool("Options", "Overwrite_File", true);
    ini.WriteString(QString::fromUtf8("皮肤"), QString::fromUtf8("名字"), QString::fromUtf8("蓝色"));
    TIniFile again(Path());
    EXPECT_EQ(again.ReadString("outpath", "OUTPATH", "Error"), folder);
    EXPECT_EQ(again.ReadInteger("OPTIONS", "thread_count", 1), 4);
    EXPECT_TRUE(again.ReadBool("Options", "Overwrite_File", false));
    EXPECT_EQ(again.ReadString(QString::fromUtf8("皮肤"), QString::fromUtf8("名字"), ""), QString::fromUtf8("蓝色"));
    EXPECT_EQ(ReadAll(Path()), QString::fromUtf8("[OutPath]\nOutPath=/home/用户/Quorvel视频软件/输出\n\n[Options]\n"
                                                 "Thread_Count=4\nOverwrite_File=1\n\n[皮肤]\n名字=蓝色\n").toUtf8());
}

TEST_F(IniFileTest, WritingKeepsEverythingElseByteForByte) {
    const QByteArray before =
        "\xEF\xBB\xBF; kept comment\r\n[Options]\r\nThread_Count = 2\r\nunknown line\r\nAfter_Done=0\r\n\r\n"
        "[Skin]\r\nSetSkin=3\r\n[options]\r\nThread_Count=9\r\n";
    WriteAll(Path(), before);
    TIniFile ini(Path());
    EXPECT_EQ(ini.ReadInteger("Options", "Thread_Count", 0), 2);  // the first section and key win
    ini.WriteString("OPTIONS", "thread_count", "5");
    ini.WriteString("Options", "Show_Preview", "1");
    EXPECT_EQ(ReadAll(Path()),
              QByteArray("\xEF\xBB\xBF; kept comment\r\n[Options]\r\nthread_count=5\r\nunknown line\r\nAfter_Done=0\r\n"
                         "Show_Preview=1\r\n\r\n[Skin]\r\nSetSkin=3\r\n[options]\r\nThread_Count=9\r\n"));
}

TEST_F(IniFileTest, NumbersAndDefaults) {
    WriteAll(Path(), "[N]\na=12\nb=$1F\nc=0x10\nd=-7\ne=twelve\nf=\ng=99999999999\n");
    TIniFile ini(Path());
    const std::pair<const char*, int> cases[] = {{"a", 12}, {"b", 31}, {"c", 16}, {"d", -7}, {"e", 42}, {"f", 42}, {"g", 42}, {"missing", 42}};
    for (const auto& [key, expected] : cases) EXPECT_EQ(ini.ReadInteger("N", key, 42), expected) << key;
    EXPECT_EQ(ini.ReadString("N", "f", "x"), "");  // present but empty is not missing
}

TEST_F(IniFileTest, SectionsKeysAndErasing) {
    WriteAll(Path(), "[A]\nx=1\ny=2\n[B]\nz=3\n");
    TIniFile ini(Path());
    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(list.ToStringList(), QStringList({"A", "B"}));
    ini.ReadSection("a", list);
    EXPECT_EQ(list.ToStringList(), QStringList({"x", "y"}));
    ini.ReadSectionValues("A", list);
    EXPECT_EQ(list.ToStringList(), QStringList({"x=1", "y=2"}));
    EXPECT_TRUE(ini.ValueExists("b", "Z"));
    ini.DeleteKey("A", "x");
    ini.EraseSection("B");
    EXPECT_EQ(ReadAll(Path()), "[A]\ny=2\n");
    EXPECT_FALSE(ini.SectionExists("B"));
}

TEST_F(IniFileTest, UnwritableFileGivesTheWriteErrorAndLosesNothing) {
    const QByteArray before = "[Options]\nThread_Count=2\n";
    WriteAll(Path(), before);
    // Root ignores permissions, so limit the size of any file written instead.
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 8;
    setrlimit(RLIMIT_FSIZE, &tiny);
    TIniFile ini(Path());
    try {
        ini.WriteString("Options", "After_Done", "1");
        ADD_FAILURE() << "no write error";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + Path().toStdString());
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(ReadAll(Path()), before);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList({"option.ini"}));  // no temporary left

    TIniFile nowhere(Dir.filePath("missing/option.ini"));
    EXPECT_THROW(nowhere.WriteString("A", "b", "c"), EIniFileException);
    TIniFile folder(Dir.path());  // a directory is not a file
    EXPECT_THROW(folder.WriteString("A", "b", "c"), EIniFileException);
}

TEST_F(IniFileTest, LineBreaksAndBadKeysAreRefused) {
    TIniFile ini(Path());
    ini.WriteString("A", "b", "kept");
    EXPECT_THROW(ini.WriteString("A", "b", "two\nlines"), EIniFileException);
    EXPECT_THROW(ini.WriteString("A", "x=y", "v"), EIniFileException);
    EXPECT_THROW(ini.WriteString("A\n[B]", "b", "v"), EIniFileException);
    // Names the file could not give back: the section would end at "]", the
    // line would read as a section header or a comment.
    EXPECT_THROW(ini.WriteString("A]B", "b", "v"), EIniFileException);
    EXPECT_THROW(ini.WriteString("A", "[b", "v"), EIniFileException);
    EXPECT_THROW(ini.WriteString("A", ";b", "v"), EIniFileException);
    EXPECT_EQ(ini.ReadString("A", "b", ""), "kept");
    EXPECT_EQ(ReadAll(Path()), "[A]\nb=kept\n");
}

TEST_F(IniFileTest, BlanksAroundNamesDoNotMakeSecondEntries) {
    const struct {
        const char* section;
        const char* key;
    } cases[] = {{" A ", "b"}, {"A", " b "}, {"\tA", "b\t"}};
    for (const auto& c : cases) {
        QFile::remove(Path());
        TIniFile ini(Path());
        ini.WriteString(c.section, c.key, "old");
        ini.WriteString(c.section, c.key, "new");
        EXPECT_EQ(ini.ReadString(c.section, c.key, ""), "new") << c.section << "/" << c.key;
        EXPECT_EQ(ini.ReadString("A", "b", ""), "new") << c.section << "/" << c.key;
        EXPECT_EQ(ReadAll(Path()), "[A]\nb=new\n") << c.section << "/" << c.key;
    }
}

}  // namespace
