// Replacing a file's content: whole or not at all, wherever the write stops.
#include "platform/SafeFile.h"
#include "tests/platform/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QByteArray NewContent() {
    QByteArray b;
    for (int i = 0; i < 10000; ++i) b.append(char('a' + i % 26));
    return b;
}

TEST(SafeFile, AWriteCutAnywhereKeepsTheOldFileAndLeavesNoTemporary) {
    QTemporaryDir dir;
    const QString path = dir.filePath("data.bin");
    const QByteArray old = "old content\n", data = NewContent();
    // Nothing written, one byte, the first write cut short, the last byte missing.
    for (rlim_t limit : {rlim_t(0), rlim_t(1), rlim_t(4096), rlim_t(data.size() - 1)}) {
        SCOPED_TRACE(limit);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(old), old.size());
        f.close();
        const std::string said = RunUnderFileSizeLimit(limit, [&]() -> std::string {
            QString why;
            return ReplaceFileContent(path, data, &why) ? "written" : "failed: " + why.toStdString();
        });
        EXPECT_EQ(said, "failed: File too large");
        EXPECT_EQ(ReadAll(path), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"data.bin"});
    }
    const std::string said = RunUnderFileSizeLimit(rlim_t(data.size()), [&]() -> std::string {
        return ReplaceFileContent(path, data) ? "written" : "failed";
    });
    EXPECT_EQ(said, "written");
    EXPECT_EQ(ReadAll(path), data);
}

TEST(SafeFile, ALinkStaysALinkAndTheFileKeepsItsPermissions) {
    QTemporaryDir dir;
    const QString target = dir.filePath("target.txt"), link = dir.filePath("link.txt");
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(target, link));

    QString why;
    ASSERT_TRUE(ReplaceFileContent(link, "new", &why)) << why.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadAll(target), "new");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    EXPECT_FALSE(ReplaceFileContent(dir.path(), "x", &why));
    EXPECT_EQ(why, "is a directory");
    EXPECT_FALSE(ReplaceFileContent(dir.filePath("missing/x.txt"), "x", &why));
    EXPECT_EQ(why, "folder does not exist");
}

// Tests run as root, which may write anything: the refusal must come from the
// bits themselves, and the file must come through byte for byte.
TEST(SafeFile, AReadOnlyFileOrFolderIsLeftAlone) {
    struct TCase {
        const char* Name;
        mode_t FileMode, FolderMode;
        const char* Said;
    } cases[] = {
        {"read-only file", 0444, 0755, "failed: file is read-only"},
        {"no bits at all", 0000, 0755, "failed: file is read-only"},
        {"read-only folder", 0644, 0555, "failed: folder is read-only"},
        {"writable", 0644, 0755, "written"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QTemporaryDir dir;
        const QString path = dir.filePath("option.ini");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Skin]\nSetSkin=3\n");
        f.close();
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), c.FileMode), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), c.FolderMode), 0);
        QString why;
        const std::string said = ReplaceFileContent(path, "new", &why) ? "written" : "failed: " + why.toStdString();
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
        ::chmod(QFile::encodeName(path).constData(), 0644);
        EXPECT_EQ(said, c.Said);
        EXPECT_EQ(ReadAll(path), said == "written" ? QByteArray("new") : QByteArray("[Skin]\nSetSkin=3\n"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"option.ini"});
    }
}

}  // namespace
