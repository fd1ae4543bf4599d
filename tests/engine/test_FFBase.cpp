#include "engine/FFBase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

TEST(FFBase, FormatFileSize) {
    const struct { std::int64_t size; const char* text; } cases[] = {
        {0, "0 Byte"},
        {-5, "-5 Byte"},
        {1024, "1024 Byte"},
        {1025, "1.00 KB"},
        {1536, "1.50 KB"},
        {1048576, "1024.00 KB"},
        {1048577, "1.00 MB"},
        {5 * 1048576LL + 524288, "5.50 MB"},
        {1073741824LL, "1024.00 MB"},
        {1073741825LL, "1.00 GB"},
        {3LL * 1073741824LL, "3.00 GB"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatFileSize(c.size), QString::fromLatin1(c.text)) << c.size;
}

TEST(FFBase, FetchToken) {
    const struct {
        const char* s; const char* sep; bool remove; const char* head; const char* rest;
    } cases[] = {
        {"a=b=c", "=", true, "a", "b=c"},
        {"a=b=c", "=", false, "a", "a=b=c"},
        {"abc", "=", true, "abc", ""},
        {"abc", "=", false, "abc", "abc"},
        {"=x", "=", true, "", "x"},
        {"s=320*240<CRLF>r=25", "<CRLF>", true, "s=320*240", "r=25"},
        {"", "=", true, "", ""},
    };
    for (const auto& c : cases) {
        QString s = QString::fromLatin1(c.s), head;
        FetchToken(s, QString::fromLatin1(c.sep), c.remove, head);
        EXPECT_EQ(head, QString::fromLatin1(c.head)) << c.s;
        EXPECT_EQ(s, QString::fromLatin1(c.rest)) << c.s;
    }
}

TEST(FFBase, SeekFlagsToInt) {
    const struct { TSeekFlags flags; int value; } cases[] = {
        {{}, 0},
        {{sfBackward}, 1},
        {{sfByte}, 2},
        {{sfAny}, 4},
        {{sfFrame}, 8},
        {{sfBackward, sfAny}, 5},
        {{sfBackward, sfByte, sfAny, sfFrame}, 15},
        {TSeekFlags::FromByte(0xF3), 3},  // bits above the four flags are dropped
    };
    for (const auto& c : cases) EXPECT_EQ(SeekFlagsToInt(c.flags), c.value) << int(c.flags.Byte());
}

TEST(FFBase, FileSizeByName) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("名前 ä.bin"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(1234, 'x'));
    f.close();
    EXPECT_EQ(FileSizeByName(path), 1234);
    EXPECT_EQ(FileSizeByName(dir.filePath(QStringLiteral("missing"))), -1);
    EXPECT_EQ(FileSizeByName(QString()), -1);
    EXPECT_EQ(FileSizeByName(dir.path()), -1);
}

TEST(FFBase, ApplicationPathEndsWithDelimiterAndCanBeReplaced) {
    EXPECT_TRUE(GetApplicationPath().endsWith(u'/'));
    EXPECT_TRUE(GetApplicationFileName().startsWith(GetApplicationPath()));
    SetApplicationPathOverride(QStringLiteral("/tmp/qv-app"));
    EXPECT_EQ(GetApplicationPath(), QStringLiteral("/tmp/qv-app/"));
    SetApplicationPathOverride(QString());
    EXPECT_NE(GetApplicationPath(), QStringLiteral("/tmp/qv-app/"));
}

namespace {
// Sets TZ for one test and puts the old value back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* tz) {
        if (const char* old = std::getenv("TZ")) FOld = old, FHad = true;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (FHad) setenv("TZ", FOld.c_str(), 1); else unsetenv("TZ");
        tzset();
    }
private:
    std::string FOld;
    bool FHad = false;
};
}  // namespace

TEST(FFBase, UnixTimeToDateTimeUnderFixedZones) {
    const struct { const char* tz; std::int64_t secs; const char* text; } cases[] = {
        {"UTC0", 0, "1970-01-01 00:00:00"},
        {"UTC0", 1234567890, "2009-02-13 23:31:30"},
        // Standard time only: a zone with summer time keeps its winter offset.
        {"CET-1CEST,M3.5.0,M10.5.0/3", 1234567890, "2009-02-14 00:31:30"},
        {"CET-1CEST,M3.5.0,M10.5.0/3", 1246406400, "2009-07-01 01:00:00"},
        {"EST5", 0, "1969-12-31 19:00:00"},
        {"IST-5:30", 0, "1970-01-01 05:30:00"},
    };
    for (const auto& c : cases) {
        ScopedTimeZone zone(c.tz);
        EXPECT_EQ(DateTimeText(QStringLiteral("yyyy-mm-dd hh:nn:ss"), UnixTimeToDateTime(c.secs)),
                  QString::fromLatin1(c.text)) << c.tz << " " << c.secs;
    }
    ScopedTimeZone zone("UTC0");
    EXPECT_DOUBLE_EQ(UnixTimeToDateTime(0), 25569.0);
    EXPECT_DOUBLE_EQ(LocalTimeZoneOffset(), 0.0);
}

TEST(FFBase, DateTimeTextPatterns) {
    const TDateTime t = 25569.0 + (3600.0 * 13 + 60 * 5 + 9) / 86400.0;  // 1970-01-01 13:05:09
    const struct { const char* fmt; const char* text; } cases[] = {
        {"yyyy-mm-dd hh:nn:ss", "1970-01-01 13:05:09"},
        {"hh:mm", "13:05"},  // "mm" after an hour is minutes
        {"d/m/yy", "1/1/70"},
        {"'at' h", "at 13"},
    };
    for (const auto& c : cases) EXPECT_EQ(DateTimeText(QString::fromLatin1(c.fmt), t), QString::fromLatin1(c.text)) << c.fmt;
}

TEST(FFBase, LoadLibraryInFolderAndResolve) {
    const QString stubDir = QStringLiteral(QV_STUB_DIR);
    const QString name = QStringLiteral("libqvstub.so.1");
    const QByteArray pathBefore = qgetenv("PATH");
    const QString cwdBefore = QDir::currentPath();

    QString err;
    TLibHandle h = LoadLibraryInFolder(stubDir, name, err);
    ASSERT_NE(h, nullptr) << err.toStdString();
    EXPECT_TRUE(err.isEmpty());
    // Loading must not disturb other threads' view of the process.
    EXPECT_EQ(qgetenv("PATH"), pathBefore);
    EXPECT_EQ(QDir::currentPath(), cwdBefore);

    int (*answer)() = nullptr;
    ResolveFunction(name, h, "qv_stub_answer", false, answer);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    int* counter = nullptr;
    ResolveVariable(name, h, "qv_stub_counter", false, counter);
    ASSERT_NE(counter, nullptr);
    EXPECT_EQ(*counter, 7);

    int (*missing)() = reinterpret_cast<int (*)()>(1);
    ResolveFunction(name, h, "qv_no_such_entry", true, missing);
    EXPECT_EQ(missing, nullptr);

    const struct { bool variable; const char* prefix; } misses[] = {
        {false, "Load function qv_no_such_entry@libqvstub.so.1 error: "},
        {true, "Load variable qv_no_such_entry@libqvstub.so.1 error: "},
    };
    for (const auto& m : misses) {
        try {
            if (m.variable) ResolveVariable(name, h, "qv_no_such_entry", false, counter);
            else ResolveFunction(name, h, "qv_no_such_entry", false, answer);
            ADD_FAILURE() << "no exception for " << m.prefix;
        } catch (const EEngineError& e) {
            const std::string what = e.what();
            EXPECT_EQ(what.rfind(m.prefix, 0), 0u) << what;
            EXPECT_GT(what.size(), std::string(m.prefix).size()) << "the system's reason is missing";
        }
    }
}

TEST(FFBase, LoadLibraryFallsBackToSearchPathAndReportsFailure) {
    QTemporaryDir empty;
    QString err;
    // A folder without the file, or no folder, searches the system's path.
    for (const QString& folder : {empty.path(), QString()}) {
        TLibHandle h = LoadLibraryInFolder(folder, QStringLiteral("libc.so.6"), err);
        EXPECT_NE(h, nullptr) << folder.toStdString();
    }
    EXPECT_TRUE(err.isEmpty());
    EXPECT_EQ(LoadLibraryInFolder(empty.path(), QStringLiteral("libqv-not-there.so.9"), err), nullptr);
    EXPECT_TRUE(err.contains(QStringLiteral("libqv-not-there.so.9"))) << err.toStdString();
}
