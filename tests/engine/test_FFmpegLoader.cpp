#include "engine/FFmpegLoader.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Slots of the stand-in avcodec, so stub loads never touch the engine's own.
#define QV_TEST_SLOT(name) decltype(&::name) name = nullptr;
namespace stub {
QV_AVCODEC_ENTRIES(QV_TEST_SLOT)
}
#undef QV_TEST_SLOT

int gFixupCalls = 0;

void FixupStub(const QString& fileName, TLibHandle handle) {
    ++gFixupCalls;
#define QV_TEST_BIND(name) ResolveFunction(fileName, handle, #name, false, stub::name);
    QV_AVCODEC_ENTRIES(QV_TEST_BIND)
#undef QV_TEST_BIND
}
void UnfixStub() {
#define QV_TEST_CLEAR(name) stub::name = nullptr;
    QV_AVCODEC_ENTRIES(QV_TEST_CLEAR)
#undef QV_TEST_CLEAR
}
int StubMajor() { return static_cast<int>(AV_VERSION_MAJOR(stub::avcodec_version())); }
int CountBoundStubSlots() {
    int n = 0;
#define QV_TEST_COUNT(name) n += stub::name != nullptr;
    QV_AVCODEC_ENTRIES(QV_TEST_COUNT)
#undef QV_TEST_COUNT
    return n;
}
void FixupNothing(const QString&, TLibHandle) {}
void UnfixNothing() {}

// The system's file names, with avcodec bound into the stub slots.
std::vector<TLibraryItem> StubTable() {
    std::vector<TLibraryItem> rows(DefaultLibraryTable().begin(), DefaultLibraryTable().end());
    for (TLibraryItem& r : rows) {
        r.Fixup = FixupNothing;
        r.Unfix = UnfixNothing;
        r.BoundMajor = nullptr;
        r.AfterBind = nullptr;
        r.Closeable = true;
    }
    rows[avCodec].Fixup = FixupStub;
    rows[avCodec].Unfix = UnfixStub;
    rows[avCodec].BoundMajor = StubMajor;
    return rows;
}

QString StubFolder(const char* kind) { return QStringLiteral(QV_STUB_DIR "/%1").arg(QLatin1String(kind)); }

int CountUnboundEngineSlots() {
    int n = 0;
#define QV_TEST_NULL(name) n += ff::name == nullptr;
    QV_AVCODEC_ENTRIES(QV_TEST_NULL)
    QV_AVFILTER_ENTRIES(QV_TEST_NULL)
    QV_AVFORMAT_ENTRIES(QV_TEST_NULL)
    QV_AVUTIL_ENTRIES(QV_TEST_NULL)
    QV_SWSCALE_ENTRIES(QV_TEST_NULL)
    QV_SWRESAMPLE_ENTRIES(QV_TEST_NULL)
    QV_SDL_ENTRIES(QV_TEST_NULL)
#undef QV_TEST_NULL
    return n;
}

}  // namespace

TEST(FFmpegLoader, FileNamesFollowTheSystemsSonames) {
    const struct { TLibrary lib; const char* file; } rows[] = {
        {avCodec, "libavcodec.so.59"}, {avDevice, "libavdevice.so.59"}, {avFilter, "libavfilter.so.8"},
        {avFormat, "libavformat.so.59"}, {avUtil, "libavutil.so.57"}, {swScale, "libswscale.so.6"},
        {swResample, "libswresample.so.4"}, {myUtil, "libc.so.6"}, {lbSDL, "libSDL2-2.0.so.0"},
    };
    for (const auto& r : rows) EXPECT_EQ(FFLoader().GetLibraryFileName(r.lib).toStdString(), r.file);
    EXPECT_FALSE(ConverterLibraries.Contains(avDevice));
    EXPECT_FALSE(PlayerLibraries.Contains(avDevice));
    EXPECT_FALSE(ProbeLibraries.Contains(avFilter));
    EXPECT_TRUE(ConverterLibraries.Contains(swResample));
    EXPECT_TRUE(PlayerLibraries.Contains(lbSDL));
}

TEST(FFmpegLoader, SystemSetsLoadWithEverySlotBound) {
    TFFmpegLoader& loader = FFLoader();
    // A missing private folder means the system's libraries.
    loader.SetLibraryPath(QStringLiteral("/nonexistent-qv/LibAV"));
    const QByteArray pathBefore = qgetenv("PATH");
    const QString cwdBefore = QDir::currentPath();
    for (TLibraries set : {ProbeLibraries, ConverterLibraries, PlayerLibraries}) {
        ASSERT_TRUE(loader.Load(set)) << loader.LastErrMsg().toStdString();
        EXPECT_TRUE(loader.Loaded(set));
    }
    EXPECT_EQ(CountUnboundEngineSlots(), 0);
    EXPECT_FALSE(loader.Loaded(avDevice));
    EXPECT_EQ(qgetenv("PATH"), pathBefore);
    EXPECT_EQ(QDir::currentPath(), cwdBefore);

    // Loading again binds nothing new and succeeds.
    const auto openBefore = ff::avcodec_open2;
    EXPECT_TRUE(loader.Load(ConverterLibraries));
    EXPECT_EQ(ff::avcodec_open2, openBefore);

    // Ending the probe's use leaves what the converter and player still use.
    loader.Unload(ProbeLibraries);
    EXPECT_TRUE(loader.Loaded(ConverterLibraries));
    EXPECT_NE(ff::avcodec_open2, nullptr);
    loader.SetLibraryPath(QString());
}

TEST(FFmpegLoader, FolderWithoutAvFilterFailsAndRollsBackOnlyItsOwnLoads) {
    const std::vector<TLibraryItem> table = StubTable();
    const QString folder = StubFolder("full");

    {
        TFFmpegLoader loader(table);
        loader.SetLibraryPath(folder);
        EXPECT_FALSE(loader.Load(ConverterLibraries));
        EXPECT_EQ(loader.LastErrMsg().left(loader.LastErrMsg().indexOf(QStringLiteral(" error: "))).toStdString(),
                  ("Load library " + folder + "/libavfilter.so.8").toStdString());
        EXPECT_FALSE(loader.Loaded(avCodec));
        EXPECT_EQ(CountBoundStubSlots(), 0);
    }
    {
        // avcodec loaded by an earlier call belongs to that call's user.
        TFFmpegLoader loader(table);
        loader.SetLibraryPath(folder);
        ASSERT_TRUE(loader.Load(avCodec)) << loader.LastErrMsg().toStdString();
        EXPECT_EQ(stub::avcodec_version(), 59u << 16);
        EXPECT_FALSE(loader.Load(ConverterLibraries));
        EXPECT_TRUE(loader.Loaded(avCodec));
        EXPECT_NE(stub::avcodec_open2, nullptr);
    }
    EXPECT_EQ(CountBoundStubSlots(), 0);
}

TEST(FFmpegLoader, BindingFailuresLeaveTheLibraryNotLoaded) {
    const std::vector<TLibraryItem> table = StubTable();
    const struct { const char* kind; std::string text; } cases[] = {
        {"partial", "Load function avcodec_send_packet@libavcodec.so.59 error: "},
        {"old", "Load library " + StubFolder("old").toStdString() +
                    "/libavcodec.so.59 error: major version 58 found, 59 expected"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        TFFmpegLoader loader(table);
        loader.SetLibraryPath(StubFolder(c.kind));
        EXPECT_FALSE(loader.Load(avCodec));
        EXPECT_EQ(loader.LastErrMsg().toStdString().substr(0, c.text.size()), c.text);
        EXPECT_FALSE(loader.Loaded(avCodec));
        // Entries bound before the missing one count as unbound too.
        EXPECT_EQ(CountBoundStubSlots(), 0);
    }
}

TEST(FFmpegLoader, LastErrorSurvivesSuccessAndLoadedSetsBindOnce) {
    const std::vector<TLibraryItem> table = StubTable();
    TFFmpegLoader loader(table);
    loader.SetLibraryPath(StubFolder("partial"));
    ASSERT_FALSE(loader.Load(avCodec));
    const QString failure = loader.LastErrMsg();

    loader.SetLibraryPath(StubFolder("full"));
    gFixupCalls = 0;
    ASSERT_TRUE(loader.Load(avCodec));
    EXPECT_TRUE(loader.Load(avCodec));
    EXPECT_EQ(gFixupCalls, 1);
    EXPECT_EQ(loader.LastErrMsg(), failure);

    // Two uses, two unloads.
    loader.Unload(avCodec);
    EXPECT_TRUE(loader.Loaded(avCodec));
    loader.Unload(avCodec);
    EXPECT_FALSE(loader.Loaded(avCodec));
    EXPECT_EQ(CountBoundStubSlots(), 0);
    EXPECT_THROW(loader.Load(TLibraries()), EEngineError);
}
