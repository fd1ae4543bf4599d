// The snapshot command end to end in a temporary program folder and home:
// the first snapshot of a fresh installation, numbering per base name and
// type, no picture, a repaired type and a deleted folder; then the capture
// command's extension rule.
#include "app/snapshots/Snapshot.h"
#include "tests/app/snapshots/ColourBars.h"

#include "platform/Classes.h"
#include "platform/IniFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace snapshots;

namespace {

class SnapshotCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        program = tmp.filePath("program");
        home = tmp.filePath("home");
        ASSERT_TRUE(QDir().mkpath(program));
        ASSERT_TRUE(QDir().mkpath(home));
    }
    TIniFile Ini() const { return TIniFile(program + "/option.ini"); }
    QString Read(const char* key) const {
        return Ini().ReadString(QStringLiteral("SnapShot"), QString::fromLatin1(key), QStringLiteral("<missing>"));
    }
    void Write(const char* key, const QString& value) {
        Ini().WriteString(QStringLiteral("SnapShot"), QString::fromLatin1(key), value);
    }
    static void Touch(const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    static QByteArray Head(const QString& path, int n) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
    }
    QTemporaryDir tmp;
    QString program, home;
};

TEST_F(SnapshotCommand, FirstSnapshotOfAFreshInstallation) {
    const TSnapshotResult r = TakeSnapshot(ColourBars(), QStringLiteral("/videos/clip.avi"), program, home);
    const QString folder = home + QStringLiteral("/Quorvel视频软件/快照");
    EXPECT_EQ(r.Folder, folder);
    EXPECT_EQ(r.Type, TSnapshotType::Bmp);
    EXPECT_EQ(r.SavedPath, folder + "/clip_1.bmp");
    EXPECT_EQ(Read("Dir"), folder);
    EXPECT_EQ(Read("Picture"), QStringLiteral("BMP"));
    const QImage back(r.SavedPath);
    EXPECT_EQ(back.size(), QSize(160, 120));
    EXPECT_EQ(back.pixelColor(BarCentre(1)), BarColours()[1]);
}

TEST_F(SnapshotCommand, FirstFreeNumberPerBaseNameAndType) {
    const QString shots = tmp.filePath("shots");
    ASSERT_TRUE(QDir().mkpath(shots));
    Write("Dir", shots);
    Write("Picture", QStringLiteral("PNG"));
    Touch(shots + "/clip_1.png");
    Touch(shots + "/clip_3.png");
    Touch(shots + "/clip_1.bmp");
    const QString movie = QStringLiteral("/videos/clip.avi");
    EXPECT_EQ(TakeSnapshot(ColourBars(), movie, program, home).SavedPath, shots + "/clip_2.png");
    EXPECT_EQ(TakeSnapshot(ColourBars(), movie, program, home).SavedPath, shots + "/clip_4.png");
    EXPECT_EQ(QImage(shots + "/clip_2.png").size(), QSize(160, 120));
    // Another base name starts at 1; only the last extension goes.
    EXPECT_EQ(TakeSnapshot(ColourBars(), QStringLiteral("/v/clip.part1.mp4"), program, home).SavedPath,
              shots + "/clip.part1_1.png");

    EXPECT_EQ(NextSnapshotPath(shots, QStringLiteral("clip"), TSnapshotType::Bmp), shots + "/clip_2.bmp");
    EXPECT_EQ(NextSnapshotPath(shots, QStringLiteral("clip"), TSnapshotType::Jpg), shots + "/clip_1.jpg");
    // A folder or a dangling link holds its name: nothing is written over or through them.
    ASSERT_TRUE(QDir().mkpath(shots + "/clip_1.gif"));
    ASSERT_TRUE(QFile::link(tmp.filePath("gone"), shots + "/clip_2.gif"));
    EXPECT_EQ(NextSnapshotPath(shots, QStringLiteral("clip"), TSnapshotType::Gif), shots + "/clip_3.gif");
}

TEST_F(SnapshotCommand, EachStoredTypeIsWritten) {
    const struct {
        const char* type;
        const char* file;
        QByteArray magic;
    } cases[] = {
        {"BMP", "clip_1.bmp", "BM"},
        {"JPG", "clip_1.jpg", "\xff\xd8\xff"},
        {"GIF", "clip_1.gif", "GIF8"},
        {"PNG", "clip_1.png", "\x89PNG"},
    };
    Write("Dir", tmp.filePath("shots"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        Write("Picture", QString::fromLatin1(c.type));
        const TSnapshotResult r = TakeSnapshot(ColourBars(), QStringLiteral("/v/clip.avi"), program, home);
        EXPECT_EQ(r.SavedPath, tmp.filePath("shots/") + c.file);
        EXPECT_EQ(Head(r.SavedPath, c.magic.size()), c.magic);
        EXPECT_EQ(QImage(r.SavedPath).size(), QSize(160, 120));
    }
}

TEST_F(SnapshotCommand, NoPictureSavesNothingButRepairsTheSettings) {
    for (const QImage& frame : {QImage(), QImage(0, 0, QImage::Format_BGR888)}) {
        QFile::remove(program + "/option.ini");
        const TSnapshotResult r = TakeSnapshot(frame, QStringLiteral("/v/song.mp3"), program, home);
        EXPECT_TRUE(r.SavedPath.isEmpty());
        EXPECT_TRUE(QFileInfo(r.Folder).isDir());
        EXPECT_EQ(Read("Dir"), r.Folder);
        EXPECT_EQ(Read("Picture"), QStringLiteral("BMP"));
        EXPECT_TRUE(QDir(r.Folder).entryList(QDir::Files).isEmpty());
    }
}

TEST_F(SnapshotCommand, LowerCaseTypeAndDeletedFolder) {
    const QString shots = tmp.filePath("gone/shots");
    Write("Dir", shots);
    Write("Picture", QStringLiteral("jpg"));
    const TSnapshotResult r = TakeSnapshot(ColourBars(), QStringLiteral("/v/clip.avi"), program, home);
    EXPECT_EQ(r.Type, TSnapshotType::Bmp);
    EXPECT_EQ(Read("Picture"), QStringLiteral("BMP"));
    EXPECT_EQ(r.SavedPath, shots + "/clip_1.bmp");
    EXPECT_TRUE(QFileInfo(r.SavedPath).isFile());
    EXPECT_EQ(Read("Dir"), shots);
}

TEST_F(SnapshotCommand, AnUnusableFolderFailsTheSave) {
    const QString plain = tmp.filePath("plain");
    Touch(plain);
    Write("Dir", plain);
    EXPECT_THROW(TakeSnapshot(ColourBars(), QStringLiteral("/v/clip.avi"), program, home), EFCreateError);
    // A missing picture never reaches the save.
    EXPECT_NO_THROW(TakeSnapshot(QImage(), QStringLiteral("/v/clip.avi"), program, home));
}

TEST_F(SnapshotCommand, CaptureWritesBmpOnlyForBmpNames) {
    const struct {
        const char* name;
        QByteArray magic;
    } cases[] = {
        {"shot.bmp", "BM"},
        {"shot.BMP", "BM"},
        {"shot.Bmp", "BM"},
        {"shot.PNG", "\xff\xd8\xff"},
        {"shot.jpg", "\xff\xd8\xff"},
        {"shot", "\xff\xd8\xff"},
        {"shot.bmp.gif", "\xff\xd8\xff"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = tmp.filePath(QString::fromLatin1(c.name));
        EXPECT_TRUE(SaveCapture(ColourBars(), path));
        EXPECT_EQ(Head(path, c.magic.size()), c.magic);
    }
    // The save dialog's overwrite prompt has already asked: a second capture replaces the file.
    EXPECT_TRUE(SaveCapture(ColourBars(64, 48), tmp.filePath("shot.bmp")));
    EXPECT_EQ(QImage(tmp.filePath("shot.bmp")).size(), QSize(64, 48));

    EXPECT_FALSE(SaveCapture(QImage(), tmp.filePath("none.bmp")));
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath("none.bmp")));
}

} // namespace
