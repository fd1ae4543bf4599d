// The gallery draws a contact sheet of one stored skin offscreen.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

TEST(SkinGallery, DrawsTheContactSheetOfOneSkin)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess gallery;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    gallery.setProcessEnvironment(env);
    gallery.start(QStringLiteral(QV_SKIN_GALLERY), {QStringLiteral("--out"), dir.path(), QStringLiteral("--skin"), QStringLiteral("1")});
    ASSERT_TRUE(gallery.waitForFinished(60000));
    EXPECT_EQ(gallery.exitCode(), 0) << gallery.readAllStandardError().toStdString();
    const QImage sheet(dir.filePath(QStringLiteral("01.png")));
    ASSERT_FALSE(sheet.isNull());
    EXPECT_GT(sheet.height(), 1000) << "every section on it";
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("00.png")))) << "only the skin asked for";

    QProcess wrong;
    wrong.setProcessEnvironment(env);
    wrong.start(QStringLiteral(QV_SKIN_GALLERY), {QStringLiteral("--out"), dir.path(), QStringLiteral("--skin"), QStringLiteral("11")});
    ASSERT_TRUE(wrong.waitForFinished(60000));
    EXPECT_NE(wrong.exitCode(), 0);
}
