// The snapshot folder and picture type as "option.ini" stores them: a fresh
// installation, the repair of missing and invalid values (compared with
// case), a deleted folder made again, and what the menu commands write.
#include "app/snapshots/SnapshotSettings.h"

#include "platform/IniFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace snapshots;

namespace {

class SnapshotSettings : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        program = tmp.filePath("program");
        home = tmp.filePath("home");
        ASSERT_TRUE(QDir().mkpath(program));
        ASSERT_TRUE(QDir().mkpath(home));
    }
    QString Ini() const { return program + "/option.ini"; }
    QString Read(const char* key) const {
        return TIniFile(Ini()).ReadString(QStringLiteral("SnapShot"), QString::fromLatin1(key),
                                          QStringLiteral("<missing>"));
    }
    void Write(const char* key, const QString& value) {
        TIniFile(Ini()).WriteString(QStringLiteral("SnapShot"), QString::fromLatin1(key), value);
    }
    QTemporaryDir tmp;
    QString program, home;
};

TEST_F(SnapshotSettings, FreshInstallation) {
    const QString expected = home + QStringLiteral("/Quorvel视频软件/快照");
    EXPECT_EQ(DefaultSnapshotFolder(home), expected);
    EXPECT_EQ(ResolveSnapshotFolder(program, home), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
    EXPECT_EQ(Read("Dir"), expected);

    QFile::remove(Ini());
    EXPECT_EQ(ResolveSnapshotType(program), TSnapshotType::Bmp);
    EXPECT_EQ(Read("Picture"), QStringLiteral("BMP"));
}

TEST_F(SnapshotSettings, PictureType) {
    const struct {
        const char* stored;  // nullptr: key missing
        TSnapshotType type;
        const char* after;
    } cases[] = {
        {"BMP", TSnapshotType::Bmp, "BMP"},   {"JPG", TSnapshotType::Jpg, "JPG"},
        {"GIF", TSnapshotType::Gif, "GIF"},   {"PNG", TSnapshotType::Png, "PNG"},
        {"jpg", TSnapshotType::Bmp, "BMP"},   {"Png", TSnapshotType::Bmp, "BMP"},
        {"JPEG", TSnapshotType::Bmp, "BMP"},  {"", TSnapshotType::Bmp, "BMP"},
        {"Error", TSnapshotType::Bmp, "BMP"}, {nullptr, TSnapshotType::Bmp, "BMP"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(missing)");
        QFile::remove(Ini());
        Write("Dir", tmp.path());
        if (c.stored) Write("Picture", QString::fromLatin1(c.stored));
        EXPECT_EQ(ResolveSnapshotType(program), c.type);
        EXPECT_EQ(Read("Picture"), QString::fromLatin1(c.after));
        EXPECT_EQ(Read("Dir"), tmp.path());
    }
    EXPECT_EQ(SnapshotTypeExtension(TSnapshotType::Jpg), QStringLiteral(".jpg"));
    EXPECT_EQ(SnapshotTypeName(TSnapshotType::Gif), QStringLiteral("GIF"));
}

TEST_F(SnapshotSettings, Folder) {
    const QString fallback = DefaultSnapshotFolder(home);
    // Missing, empty or "Error": the default folder, created and written.
    for (const char* stored : {"", "Error"}) {
        SCOPED_TRACE(stored);
        QFile::remove(Ini());
        QDir(fallback).removeRecursively();
        Write("Dir", QString::fromLatin1(stored));
        EXPECT_EQ(ResolveSnapshotFolder(program, home), fallback);
        EXPECT_TRUE(QFileInfo(fallback).isDir());
        EXPECT_EQ(Read("Dir"), fallback);
    }
    QFile::remove(Ini());
    Write("Picture", QStringLiteral("PNG"));
    EXPECT_EQ(ResolveSnapshotFolder(program, home), fallback);
    EXPECT_EQ(Read("Dir"), fallback);

    // A stored folder that was deleted is made again, parents too, and the
    // key is left as it was.
    const QString chosen = tmp.filePath("shots/deep/er");
    Write("Dir", chosen);
    EXPECT_EQ(ResolveSnapshotFolder(program, home), chosen);
    EXPECT_TRUE(QFileInfo(chosen).isDir());
    QDir(tmp.filePath("shots")).removeRecursively();
    EXPECT_EQ(ResolveSnapshotFolder(program, home), chosen);
    EXPECT_TRUE(QFileInfo(chosen).isDir());
    EXPECT_EQ(Read("Dir"), chosen);
    EXPECT_EQ(Read("Picture"), QStringLiteral("PNG"));
}

TEST_F(SnapshotSettings, MenuCommandsWrite) {
    StoreSnapshotType(program, TSnapshotType::Gif);
    EXPECT_EQ(Read("Picture"), QStringLiteral("GIF"));
    EXPECT_EQ(ResolveSnapshotType(program), TSnapshotType::Gif);

    // The folder chooser writes only a folder that exists.
    EXPECT_FALSE(StoreSnapshotFolder(program, tmp.filePath("nowhere")));
    EXPECT_EQ(Read("Dir"), QStringLiteral("<missing>"));
    EXPECT_FALSE(StoreSnapshotFolder(program, QString()));
    EXPECT_TRUE(StoreSnapshotFolder(program, home));
    EXPECT_EQ(Read("Dir"), home);
}

TEST_F(SnapshotSettings, UnwritableSettingsRaise) {
    // A program "folder" that is a file: option.ini cannot be written.
    const QString notAFolder = tmp.filePath("plain");
    QFile f(notAFolder);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_THROW(ResolveSnapshotType(notAFolder), EIniFileException);
    EXPECT_THROW(ResolveSnapshotFolder(notAFolder, home), EIniFileException);
    // The folder itself was made before the write failed.
    EXPECT_TRUE(QFileInfo(DefaultSnapshotFolder(home)).isDir());
}

} // namespace
