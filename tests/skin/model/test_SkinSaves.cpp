// Every skin writer replaces a file whole or not at all: a write that fails
// part way (a file-size limit, a folder that takes no new files) raises the
// model's error and leaves the file that was there byte for byte.
#include "skin/model/SkinBitmaps.h"
#include "skin/model/SkinData.h"
#include "skin/model/StoredSkin.h"
#include "tests/platform/FileSizeLimit.h"
#include "tests/skin/support/TestSkin.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <sys/stat.h>

namespace {

// What the save said under a file-size limit: "EqvSkinError: <message>",
// "no error", or what else went wrong.
std::string SaveUnderFileSizeLimit(rlim_t limit, const std::function<void()>& save)
{
    return RunUnderFileSizeLimit(limit, [&]() -> std::string {
        try {
            save();
            return "no error";
        } catch (const EqvSkinError& e) {
            return std::string("EqvSkinError: ") + e.what();
        } catch (const std::exception& e) {
            return std::string("other error: ") + e.what();
        }
    });
}

// The old file, byte for byte; on a difference, how big it is now.
::testing::AssertionResult Kept(const QString& path, const QByteArray& old)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return ::testing::AssertionFailure() << "the old file is gone";
    const QByteArray now = f.readAll();
    if (now != old)
        return ::testing::AssertionFailure() << "the old file changed: " << now.size() << " bytes now, " << old.size()
                                             << " before";
    return ::testing::AssertionSuccess();
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QImage Picture()
{
    QImage image(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 6, y * 8, 99));
    return image;
}

struct SaveCase {
    const char* name;
    const char* file;
    std::function<void(const QString&)> save;
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

// Old content every writer reads without complaint (the skin ini save reads
// the file it replaces), and far shorter than anything the writers produce.
const QByteArray kOld = "[KEPT]\r\nold=content\r\n";
// Room for more than the old file but for none of the new ones.
constexpr rlim_t kLimit = 100;

const SaveCase kSaves[] = {
    {"skin_ini", "skin.ini",
     [](const QString& path) {
         TqvSkinData model;
         TTestSkin().LoadInto(model);
         model.SaveToFile(path);
     }},
    {"ini_text", "plain.ini",
     [](const QString& path) {
         TqvSkinIni ini;
         for (int i = 0; i < 20; ++i)
             ini.WriteString(QStringLiteral("SECTION"), QStringLiteral("key%1").arg(i), QStringLiteral("value %1").arg(i));
         ini.SaveToFile(path);
     }},
    {"bitmap", "frame.bmp", [](const QString& path) { SaveSkinBmpFile(Picture(), path); }},
    {"stored_skin", "skin.skn",
     [](const QString& path) {
         TqvCompressedStoredSkin stored;
         TTestSkin().StoreInto(stored);
         stored.SaveToCompressFile(path);
     }},
    {"stored_skin_of_a_model", "model.skn",
     [](const QString& path) {
         TqvSkinData model;
         TTestSkin().LoadInto(model);
         model.SaveToCompressedFile(path);
     }},
    {"skin_folder", "folder.ini",
     [](const QString& path) {
         TqvSkinData model;
         TTestSkin().LoadInto(model);
         model.StoreToDisk(path);
     }},
};

class SkinSaveTest : public ::testing::TestWithParam<SaveCase> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Path = Dir.filePath(QLatin1String(GetParam().file));
        WriteAll(Path, kOld);
    }
    QStringList Files() const { return QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir Dir;
    QString Path;
};

TEST_P(SkinSaveTest, UnderAFileSizeLimitRaisesAndKeepsTheOldFile)
{
    const std::string said = SaveUnderFileSizeLimit(kLimit, [&] { GetParam().save(Path); });
    EXPECT_EQ(said, "EqvSkinError: Cannot write file \"" + Path.toStdString() + "\": File too large");
    EXPECT_TRUE(Kept(Path, kOld));
    EXPECT_EQ(Files(), QStringList{QLatin1String(GetParam().file)});  // no temporary left

    // Without the limit the same save goes through and is longer than the limit.
    GetParam().save(Path);
    EXPECT_GT(QFileInfo(Path).size(), qint64(kLimit));
    EXPECT_NE(ReadAll(Path), kOld);
}

TEST_P(SkinSaveTest, InAReadOnlyFolderRaisesAndKeepsTheOldFile)
{
    ASSERT_EQ(::chmod(QFile::encodeName(Dir.path()).constData(), 0555), 0);
    struct Restore {
        QByteArray dir;
        ~Restore() { ::chmod(dir.constData(), 0755); }
    } restore{QFile::encodeName(Dir.path())};
    QFile probe(Dir.filePath(QStringLiteral("probe")));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        GTEST_SKIP() << "this user writes into read-only folders (root); the file-size limit and the missing "
                        "folder cases cover the failure instead";
    }
    try {
        GetParam().save(Path);
        ADD_FAILURE() << "no error";
    } catch (const EqvSkinError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + Path.toStdString() + "\": Permission denied");
    }
    EXPECT_TRUE(Kept(Path, kOld));
    EXPECT_EQ(Files(), QStringList{QLatin1String(GetParam().file)});
}

TEST_P(SkinSaveTest, IntoAMissingFolderRaisesAndCreatesNothing)
{
    const QString path = Dir.filePath(QStringLiteral("missing/") + QLatin1String(GetParam().file));
    try {
        GetParam().save(path);
        ADD_FAILURE() << "no error";
    } catch (const EqvSkinError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + path.toStdString() + "\": folder does not exist");
    }
    EXPECT_FALSE(QFileInfo::exists(Dir.filePath(QStringLiteral("missing"))));
    EXPECT_TRUE(Kept(Path, kOld));
}

INSTANTIATE_TEST_SUITE_P(Writers, SkinSaveTest, ::testing::ValuesIn(kSaves),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
