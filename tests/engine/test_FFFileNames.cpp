#include "engine/FFFileNames.h"

#include <gtest/gtest.h>

TEST(FileNames, LibraryNamesOfEngineNames) {
    const QString lone = QStringLiteral("/tmp/a") + QChar(0xD800) + QStringLiteral(".avi");  // no 8-bit form
    // backAgain: the library name gives the engine name back.
    const struct { QString name; bool needs; bool backAgain; } cases[] = {
        {QStringLiteral("/tmp/a.avi"), false, true},
        {QStringLiteral("/tmp/视频 ä.avi"), false, true},  // the system's 8-bit text is UTF-8
        {QStringLiteral("C:\\a.avi"), false, true},
        {lone, true, false},
        {QStringLiteral("http://host/") + QChar(0xD800), false, false},  // a URL is never rewritten
        {QStringLiteral("udp://host:1234"), false, true},
        {QStringLiteral("HTTP://host/") + QChar(0xD800), true, false},  // letter case counts
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(NeedsUnicodeName(c.name), c.needs);
        const QByteArray lib = ToLibraryFileName(c.name);
        EXPECT_EQ(IsUnicodeName(lib), c.needs);
        if (c.backAgain) {
            EXPECT_EQ(FromLibraryFileName(lib), c.name);
        }
    }
    EXPECT_TRUE(ToLibraryFileName(lone).startsWith("unicode:utf8:/tmp/a"));

    EXPECT_FALSE(IsUnicodeName("unicode:utf8:"));
    EXPECT_TRUE(IsUnicodeName("unicode:utf8:a"));
    EXPECT_FALSE(IsUnicodeName("Unicode:utf8:a"));
    const QString name = QStringLiteral("/tmp/视频 ä:b.avi");
    EXPECT_EQ(ToUnicodeName(name), QByteArray("unicode:utf8:") + name.toUtf8());
    EXPECT_EQ(FromLibraryFileName(ToUnicodeName(name)), name);

    // Nothing is cut, however long the name.
    QString longName = QStringLiteral("/tmp/");
    for (int i = 0; i < 1000; ++i) longName += QStringLiteral("视");
    EXPECT_EQ(ToLibraryFileName(longName).size(), 5 + 3000);
    EXPECT_EQ(FromLibraryFileName(ToUnicodeName(longName)), longName);
}
