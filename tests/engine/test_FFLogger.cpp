#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"

#include <QObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct Line {
    QObject* sender;
    TThreadID tid;
    TLogLevel level;
    QString msg;
    bool onMain;
};

void LibraryWrites(void* ctx, int level, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
void LibraryWrites(void* ctx, int level, const char* fmt, ...) {
    va_list vl;
    va_start(vl, fmt);
    AVLogCallback(ctx, level, fmt, vl);
    va_end(vl);
}

// A library object as the callback sees it: its first field points at its class.
const char* FakeItemName(void*) { return "fake"; }
const AVClass kFakeClass = [] {
    AVClass c{};
    c.class_name = "Fake";
    c.item_name = FakeItemName;
    c.version = LIBAVUTIL_VERSION_INT;
    return c;
}();
struct FakeContext {
    const AVClass* cls = &kFakeClass;
} gCtx;

class LoggerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFLoader().Load(ProbeLibraries)) << FFLoader().LastErrMsg().toStdString();
        logger = GetLogger();
        logger->SetLogLevel(llInfo);
        logger->OnLog = [this](QObject* s, TThreadID t, TLogLevel l, const QString& m) {
            lines.push_back({s, t, l, m, IsMainThread()});
        };
    }
    void TearDown() override {
        CheckSynchronize();
        logger->OnLog = nullptr;
        logger->SetLogLevel(llInfo);
    }
    QString Prefix() const { return QString::asprintf("[fake @ %p]", static_cast<void*>(&gCtx)); }
    QStringList Texts() const {
        QStringList t;
        for (const Line& l : lines) t << l.msg;
        return t;
    }

    TFFLogger* logger = nullptr;
    std::vector<Line> lines;
};

TEST_F(LoggerTest, LinesAreAssembledPerCallAndPerThread) {
    // The prefix belongs to the start of a line only.
    LibraryWrites(&gCtx, 32, "abc");
    LibraryWrites(nullptr, 32, "def\n");
    LibraryWrites(nullptr, 32, "abc");
    LibraryWrites(&gCtx, 32, "def\n");
    // Two line feeds in one call; the rest waits for the thread's next call.
    LibraryWrites(nullptr, 32, "one\ntwo\nthr");
    EXPECT_EQ(Texts(), (QStringList{Prefix() + "abcdef", "abcdef", "one", "two"}));
    LibraryWrites(nullptr, 24, "ee\n");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[4].msg, QStringLiteral("three"));
    EXPECT_EQ(lines[4].level, llWarning);  // the level of the call that completed it
    EXPECT_EQ(lines[4].sender, logger);

    // Another thread's line in between never mixes with this thread's half line.
    lines.clear();
    LibraryWrites(nullptr, 32, "a1");
    TThreadID workerId = 0;
    std::thread([&] {
        workerId = CurrentThreadID();
        LibraryWrites(&gCtx, 32, "b1\n");
    }).join();
    LibraryWrites(nullptr, 32, "a2\n");
    CheckSynchronize();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].msg, QStringLiteral("a1a2"));
    EXPECT_EQ(lines[0].tid, CurrentThreadID());
    EXPECT_EQ(lines[1].msg, Prefix() + "b1");
    EXPECT_EQ(lines[1].tid, workerId);
}

TEST_F(LoggerTest, WorkerLinesReachTheUiThreadWithoutTheWorkerWaiting) {
    std::thread([] {
        LibraryWrites(nullptr, 16, "from a codec thread\n");
        GetLogger()->Log(nullptr, llError, QStringLiteral("from a worker"));
    }).join();  // would never end if the worker waited for the UI thread
    EXPECT_TRUE(lines.empty());
    CheckSynchronize();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].msg, QStringLiteral("from a codec thread"));
    EXPECT_EQ(lines[1].msg, QStringLiteral("from a worker"));
    EXPECT_TRUE(lines[0].onMain && lines[1].onMain);
}

// The handler runs outside the logger's lock: one that logs again, or that
// waits for a thread that logs, goes on (it deadlocked while the lock was held).
TEST_F(LoggerTest, AHandlerMayLogAndWaitOnAThreadThatLogs) {
    logger->SetTriggerEventInMainThread(false);
    std::mutex lock;
    QStringList got;
    logger->OnLog = [&](QObject*, TThreadID, TLogLevel, const QString& m) {
        {
            std::lock_guard guard(lock);
            got << m;
        }
        if (m == QLatin1String("outer")) {
            LibraryWrites(nullptr, 16, "again\n");
            std::thread([] { LibraryWrites(nullptr, 16, "from a thread\n"); }).join();
        }
    };
    LibraryWrites(nullptr, 16, "outer\nlast\n");
    logger->SetTriggerEventInMainThread(true);
    EXPECT_EQ(got, (QStringList{"outer", "again", "from a thread", "last"}));
}

TEST_F(LoggerTest, LevelsFilterLibraryLinesAndEngineMessages) {
    QObject component;
    struct Case {
        TLogLevel loggerLevel;
        int libraryLevel;
        bool libraryPasses;
        TLogLevel engineLevel;
        bool enginePasses;
    };
    const Case cases[] = {
        {llInfo, 40, false, llVerbose, true},
        {llInfo, 32, true, llDebug, false},
        {llInfo, 32, true, llInfo, true},
        {llQuiet, -8, true, llQuiet, true},
        {llQuiet, 0, false, llPanic, false},
        {llQuiet, 0, false, llVerbose, false},
        {llDebug, 48, true, llDebug, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.loggerLevel << " library " << c.libraryLevel
                                        << " engine " << c.engineLevel);
        logger->SetLogLevel(c.loggerLevel);
        EXPECT_EQ(LibraryLogFilter(), LogLevelToAVLevel(c.loggerLevel));
        lines.clear();
        LibraryWrites(nullptr, c.libraryLevel, "library\n");
        EXPECT_EQ(!lines.empty(), c.libraryPasses);
        lines.clear();
        logger->Log(&component, c.engineLevel, "engine %d", 7);
        ASSERT_EQ(lines.size(), c.enginePasses ? 1u : 0u);
        if (c.enginePasses) {
            EXPECT_EQ(lines[0].msg, QStringLiteral("engine 7"));
            EXPECT_EQ(lines[0].sender, &component);
            EXPECT_EQ(lines[0].level, c.engineLevel);
        }
    }
}

TEST(LogLevels, MappingsAndTheLogLevelOption) {
    const struct { int av; TLogLevel level; } fromAv[] = {
        {-100, llQuiet}, {-8, llQuiet}, {-7, llPanic}, {0, llPanic}, {7, llPanic}, {8, llFatal},
        {16, llError}, {23, llError}, {24, llWarning}, {32, llInfo}, {40, llVerbose}, {47, llVerbose},
        {48, llDebug}, {1000, llDebug},
    };
    for (const auto& r : fromAv) EXPECT_EQ(AVLevelToLogLevel(r.av), r.level) << r.av;
    for (int l = llQuiet; l <= llDebug; ++l) EXPECT_EQ(AVLevelToLogLevel(LogLevelToAVLevel(TLogLevel(l))), l);

    TFFLogger* logger = GetLogger();
    const struct { const char* arg; TLogLevel level; } opts[] = {
        {"Warning", llWarning}, {"20", llError}, {"-100", llQuiet}, {"DEBUG", llDebug}, {"info", llInfo},
    };
    for (const auto& o : opts) {
        logger->OptLogLevel(QString::fromLatin1(o.arg));
        EXPECT_EQ(logger->LogLevel(), o.level) << o.arg;
    }
    EXPECT_THROW(logger->OptLogLevel(QStringLiteral("abc")), EEngineError);
    logger->SetLogLevel(llInfo);
}

TEST_F(LoggerTest, RealLibraryLineAndUtf8Text) {
    const AVCodec* codec = ff::avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    ASSERT_NE(codec, nullptr);
    AVCodecContext* ctx = ff::avcodec_alloc_context3(codec);
    EXPECT_LT(ff::av_opt_set(ctx, "g", "not-a-number", 0), 0);
    ff::avcodec_free_context(&ctx);
    const QRegularExpression prefixed(QStringLiteral("^\\[mpeg4 @ 0x[0-9a-f]+\\]Unable to parse option value"));
    const auto hit = std::find_if(lines.begin(), lines.end(), [&](const Line& l) { return prefixed.match(l.msg).hasMatch(); });
    ASSERT_NE(hit, lines.end()) << Texts().join(u'|').toStdString();
    EXPECT_EQ(hit->sender, logger);

    // A file name in a library line, also when one call ends inside a character.
    lines.clear();
    const QString name = QStringLiteral("/tmp/视频 ä.avi");
    LibraryWrites(nullptr, 16, "%s: No such file or directory\n", name.toUtf8().constData());
    LibraryWrites(nullptr, 16, "\xe8\xa7");
    LibraryWrites(nullptr, 16, "\x86\n");
    EXPECT_EQ(Texts(), (QStringList{name + ": No such file or directory", QStringLiteral("视")}));

    // An overlong line is cut between characters and still ends its line,
    // whether the line feed is in the format or in the text it inserts.
    const std::string longText(3000, 'x');
    for (bool feedInArgument : {false, true}) {
        SCOPED_TRACE(feedInArgument);
        lines.clear();
        if (feedInArgument) LibraryWrites(nullptr, 16, "\xc3\xa4%s", (longText + '\n').c_str());
        else LibraryWrites(nullptr, 16, "\xc3\xa4%s\n", longText.c_str());
        LibraryWrites(nullptr, 16, "next\n");
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].msg.toUtf8().size(), 2046);
        EXPECT_TRUE(lines[0].msg.startsWith(QStringLiteral("ä")));
        EXPECT_EQ(lines[1].msg, QStringLiteral("next"));
    }
    const std::string wide = "\xe8\xa7\x86";  // three bytes a character
    std::string many;
    for (int i = 0; i < 800; ++i) many += wide;
    lines.clear();
    LibraryWrites(nullptr, 16, "%s", many.c_str());
    LibraryWrites(nullptr, 16, "\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FALSE(lines[0].msg.contains(QChar::ReplacementCharacter));
    EXPECT_EQ(lines[0].msg.size(), 2047 / 3);
}

TEST(Logger, OnlyOneInstance) {
    GetLogger();
    try {
        TFFLogger second;
        ADD_FAILURE() << "a second logger was made";
    } catch (const EEngineError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Allow creating only one instance of TFFLogger."));
    }
    EXPECT_NE(GetLogger(), nullptr);
}

}  // namespace
