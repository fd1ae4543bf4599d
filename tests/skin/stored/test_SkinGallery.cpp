// The gallery draws a contact sheet of one stored skin offscreen; the
// program's texts and glyphs on it reach 4.5:1 on a light and a dark skin.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

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

TEST(SkinGallery, TheProgramsTextsReadOnALightAndADarkSkin)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const char* skin : {"1", "8"}) {
        QProcess gallery;
        gallery.setProcessEnvironment(env);
        gallery.start(QStringLiteral(QV_SKIN_GALLERY), {QStringLiteral("--out"), dir.path(), QStringLiteral("--skin"), QString::fromLatin1(skin)});
        ASSERT_TRUE(gallery.waitForFinished(60000));
        ASSERT_EQ(gallery.exitCode(), 0) << gallery.readAllStandardError().toStdString();
    }
    QProcess contrast;
    contrast.start(QStringLiteral(QV_SKIN_CONTRAST), {QStringLiteral("--sheets"), dir.path(), QStringLiteral("--below"), QStringLiteral("4.5")});
    ASSERT_TRUE(contrast.waitForFinished(60000));
    ASSERT_EQ(contrast.exitCode(), 0) << contrast.readAllStandardError().toStdString();
    const QString table = QString::fromUtf8(contrast.readAllStandardOutput());
    int skins = 0;
    for (const QString& line : table.split(QLatin1Char('\n'))) {
        const QStringList f = line.simplified().split(QLatin1Char(' '));
        if (f.size() < 3 || (f[0] != QLatin1String("1") && f[0] != QLatin1String("8"))) continue;
        ++skins;
        EXPECT_GT(f[1].toInt(), 300) << "lines measured on skin " << f[0].toStdString();
        EXPECT_GE(f[2].toDouble(), 4.5) << table.toStdString();
    }
    EXPECT_EQ(skins, 2) << table.toStdString();
}
