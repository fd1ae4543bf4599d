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

// The program's texts (message boxes included) at 4.5:1, and the outlines of
// its controls and its pictures at 3:1 against what they sit on: on a skin
// with square corners, a dark one and a dark gradient one; with
// QV_GALLERY_ALL_SKINS=1 on all eleven (a minute, too long for every run).
TEST(SkinGallery, TheProgramsTextsAndControlsStandOut)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QList<int> skins{2, 6, 8};
    if (qEnvironmentVariableIntValue("QV_GALLERY_ALL_SKINS") == 1) skins = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (int skin : skins) {
        QProcess gallery;
        gallery.setProcessEnvironment(env);
        gallery.start(QStringLiteral(QV_SKIN_GALLERY), {QStringLiteral("--out"), dir.path(), QStringLiteral("--skin"), QString::number(skin)});
        ASSERT_TRUE(gallery.waitForFinished(60000));
        ASSERT_EQ(gallery.exitCode(), 0) << gallery.readAllStandardError().toStdString();
    }
    QProcess contrast;
    contrast.start(QStringLiteral(QV_SKIN_CONTRAST), {QStringLiteral("--sheets"), dir.path(), QStringLiteral("--below"), QStringLiteral("4.5")});
    ASSERT_TRUE(contrast.waitForFinished(60000));
    ASSERT_EQ(contrast.exitCode(), 0) << contrast.readAllStandardError().toStdString();
    const QString table = QString::fromUtf8(contrast.readAllStandardOutput());
    // skin, text pieces, lowest text figure, outlines and pictures, lowest of those.
    QList<int> seen;
    for (const QString& line : table.split(QLatin1Char('\n'))) {
        const QStringList f = line.simplified().split(QLatin1Char(' '));
        bool number = false;
        const int skin = f.value(0).toInt(&number);
        if (f.size() < 5 || !number || line.startsWith(QLatin1String("        "))) continue;
        seen << skin;
        EXPECT_GT(f[1].toInt(), 300) << "text pieces measured on skin " << skin;
        EXPECT_GE(f[2].toDouble(), 4.5) << table.toStdString();
        EXPECT_GT(f[3].toInt(), 130) << "outlines measured on skin " << skin;
        EXPECT_GE(f[4].toDouble(), 3.0) << table.toStdString();
    }
    EXPECT_EQ(seen, skins) << table.toStdString();
}
