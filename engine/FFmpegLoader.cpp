#include "engine/FFmpegLoader.h"

#include "engine/FFLogger.h"

extern "C" {
#include <libavcodec/version.h>
#include <libavdevice/version.h>
#include <libavfilter/version.h>
#include <libavformat/version.h>
#include <libavutil/version.h>
#include <libswresample/version.h>
#include <libswscale/version.h>
}

#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>

#include <algorithm>

#define QV_DEFINE_SLOT(name) decltype(&::name) name = nullptr;
namespace ff {
QV_AVCODEC_ENTRIES(QV_DEFINE_SLOT)
QV_AVDEVICE_ENTRIES(QV_DEFINE_SLOT)
QV_AVFILTER_ENTRIES(QV_DEFINE_SLOT)
QV_AVFORMAT_ENTRIES(QV_DEFINE_SLOT)
QV_AVUTIL_ENTRIES(QV_DEFINE_SLOT)
QV_SWSCALE_ENTRIES(QV_DEFINE_SLOT)
QV_SWRESAMPLE_ENTRIES(QV_DEFINE_SLOT)
QV_LIBC_ENTRIES(QV_DEFINE_SLOT)
QV_SDL_ENTRIES(QV_DEFINE_SLOT)
}  // namespace ff
#undef QV_DEFINE_SLOT

std::recursive_mutex CodecLock;

namespace {

#define QV_BIND(name) ResolveFunction(fileName, handle, #name, false, ff::name);
#define QV_CLEAR(name) ff::name = nullptr;
#define QV_LIBRARY_FUNCS(Tag, LIST)                                                            \
    void Fixup##Tag([[maybe_unused]] const QString& fileName, [[maybe_unused]] TLibHandle handle) { \
        LIST(QV_BIND)                                                                           \
    }                                                                                           \
    void Unfix##Tag() { LIST(QV_CLEAR) }

QV_LIBRARY_FUNCS(AvCodec, QV_AVCODEC_ENTRIES)
QV_LIBRARY_FUNCS(AvDevice, QV_AVDEVICE_ENTRIES)
QV_LIBRARY_FUNCS(AvFilter, QV_AVFILTER_ENTRIES)
QV_LIBRARY_FUNCS(AvFormat, QV_AVFORMAT_ENTRIES)
QV_LIBRARY_FUNCS(AvUtil, QV_AVUTIL_ENTRIES)
QV_LIBRARY_FUNCS(SwScale, QV_SWSCALE_ENTRIES)
QV_LIBRARY_FUNCS(SwResample, QV_SWRESAMPLE_ENTRIES)
QV_LIBRARY_FUNCS(LibC, QV_LIBC_ENTRIES)
QV_LIBRARY_FUNCS(SDL, QV_SDL_ENTRIES)

#undef QV_LIBRARY_FUNCS
#undef QV_CLEAR
#undef QV_BIND

int MajorAvCodec() { return static_cast<int>(AV_VERSION_MAJOR(ff::avcodec_version())); }
int MajorAvDevice() { return static_cast<int>(AV_VERSION_MAJOR(ff::avdevice_version())); }
int MajorAvFilter() { return static_cast<int>(AV_VERSION_MAJOR(ff::avfilter_version())); }
int MajorAvFormat() { return static_cast<int>(AV_VERSION_MAJOR(ff::avformat_version())); }
int MajorAvUtil() { return static_cast<int>(AV_VERSION_MAJOR(ff::avutil_version())); }
int MajorSwScale() { return static_cast<int>(AV_VERSION_MAJOR(ff::swscale_version())); }
int MajorSwResample() { return static_cast<int>(AV_VERSION_MAJOR(ff::swresample_version())); }
int MajorSDL() {
    SDL_version v{};
    ff::SDL_GetVersion(&v);
    return v.major;
}

void AfterAvUtil(TFFmpegLoader& loader) {
    if (loader.InstallLogger()) GetLogger()->InstallAVLogCallback();
}

// SDL's own SIGINT and SIGTERM handlers would only queue a quit event that no
// one reads: the program ends on those signals itself.
void AfterSDL(TFFmpegLoader&) { ff::SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1"); }

constexpr TLibraryItem kLibraries[LibraryCount] = {
    {avCodec, "avcodec", LIBAVCODEC_VERSION_MAJOR, FixupAvCodec, UnfixAvCodec, MajorAvCodec, LIBAVCODEC_VERSION_MAJOR, nullptr, false},
    {avDevice, "avdevice", LIBAVDEVICE_VERSION_MAJOR, FixupAvDevice, UnfixAvDevice, MajorAvDevice, LIBAVDEVICE_VERSION_MAJOR, nullptr, false},
    {avFilter, "avfilter", LIBAVFILTER_VERSION_MAJOR, FixupAvFilter, UnfixAvFilter, MajorAvFilter, LIBAVFILTER_VERSION_MAJOR, nullptr, false},
    {avFormat, "avformat", LIBAVFORMAT_VERSION_MAJOR, FixupAvFormat, UnfixAvFormat, MajorAvFormat, LIBAVFORMAT_VERSION_MAJOR, nullptr, false},
    {avUtil, "avutil", LIBAVUTIL_VERSION_MAJOR, FixupAvUtil, UnfixAvUtil, MajorAvUtil, LIBAVUTIL_VERSION_MAJOR, AfterAvUtil, false},
    {swScale, "swscale", LIBSWSCALE_VERSION_MAJOR, FixupSwScale, UnfixSwScale, MajorSwScale, LIBSWSCALE_VERSION_MAJOR, nullptr, false},
    {swResample, "swresample", LIBSWRESAMPLE_VERSION_MAJOR, FixupSwResample, UnfixSwResample, MajorSwResample, LIBSWRESAMPLE_VERSION_MAJOR, nullptr, false},
    {myUtil, "c", 6, FixupLibC, UnfixLibC, nullptr, 0, nullptr, false},
    {lbSDL, "SDL2-2.0", 0, FixupSDL, UnfixSDL, MajorSDL, SDL_MAJOR_VERSION, AfterSDL, false},
};

}  // namespace

std::span<const TLibraryItem> DefaultLibraryTable() { return kLibraries; }

TFFmpegLoader& FFLoader() {
    static TFFmpegLoader loader;
    return loader;
}

TFFmpegLoader::TFFmpegLoader(std::span<const TLibraryItem> table) : FTable(table) {
    if (FTable.size() != LibraryCount) throw EEngineError(QStringLiteral("library table needs one row per library"));
    for (int i = 0; i < LibraryCount; ++i)
        if (FTable[i].Lib != i) throw EEngineError(QStringLiteral("library table out of order"));
}

// Libraries stay mapped until the process ends (see TLibraryItem::Closeable);
// a test loader closes its stubs.
TFFmpegLoader::~TFFmpegLoader() {
    for (int i = 0; i < LibraryCount; ++i)
        if (FTable[i].Closeable) UnloadOne(static_cast<TLibrary>(i));
}

QString TFFmpegLoader::GetLibraryFileName(TLibrary ALibrary) const {
    const TLibraryItem& item = FTable[ALibrary];
    QString name = QStringLiteral("lib") + QLatin1String(item.Name) + QStringLiteral(".so");
    if (item.Version >= 0) name += u'.' + QString::number(item.Version);
    return name;
}

bool TFFmpegLoader::LoadOne(TLibrary lib, bool& newlyLoaded) {
    const TLibraryItem& item = FTable[lib];
    TLibraryStatus& st = FStatus[lib];
    newlyLoaded = false;
    const QString fileName = GetLibraryFileName(lib);
    QString shownName = fileName;
    if (!st.Handle) {
        // A folder that exists is the whole set: mixing its libraries with the
        // system's would pair builds that were never meant to meet.
        QString path = fileName;
        if (!FLibraryPath.isEmpty() && QFileInfo(FLibraryPath).isDir()) {
            QString folder = FLibraryPath;
            if (!folder.endsWith(u'/')) folder += u'/';
            path = folder + fileName;
        }
        shownName = path;
        QString err;
        TLibHandle h = LoadLibraryInFolder(QString(), path, err);
        if (!h) {
            FLastErrMsg = QStringLiteral("Load library %1 error: %2").arg(path, err);
            return false;
        }
        st.Handle = h;
        newlyLoaded = true;
    }
    if (!st.Fixuped) {
        newlyLoaded = true;
        try {
            item.Fixup(fileName, st.Handle);
            st.Fixuped = true;
        } catch (const EEngineError& e) {
            FLastErrMsg = e.Message();
        }
        if (st.Fixuped && item.BoundMajor) {
            const int major = item.BoundMajor();
            if (major != item.HeaderMajor) {
                FLastErrMsg = QStringLiteral("Load library %1 error: major version %2 found, %3 expected")
                                  .arg(shownName).arg(major).arg(item.HeaderMajor);
                st.Fixuped = false;
            }
        }
        if (!st.Fixuped) {
            UnloadOne(lib);
            return false;
        }
    }
    if (item.AfterBind) item.AfterBind(*this);
    return true;
}

void TFFmpegLoader::UnloadOne(TLibrary lib) {
    const TLibraryItem& item = FTable[lib];
    TLibraryStatus& st = FStatus[lib];
    // Unfix also clears slots a failed binding filled before it stopped.
    if (st.Handle || st.Fixuped) item.Unfix();
    st.Fixuped = false;
    if (st.Handle && item.Closeable) dlclose(st.Handle);
    st.Handle = nullptr;
}

void TFFmpegLoader::CheckNotEmpty(TLibraries set) {
    if (set.Empty()) throw EEngineError(QStringLiteral("empty library set"));
}

bool TFFmpegLoader::Load(TLibrary ALibrary) { return Load(TLibraries(ALibrary)); }

bool TFFmpegLoader::Load(TLibraries ALibraries) {
    CheckNotEmpty(ALibraries);
    std::lock_guard lock(FLock);
    TLibraries loadedNow;
    for (int i = 0; i < LibraryCount; ++i) {
        const auto lib = static_cast<TLibrary>(i);
        if (!ALibraries.Contains(lib)) continue;
        bool newly = false;
        const bool ok = LoadOne(lib, newly);
        if (newly && ok) loadedNow.Include(lib);
        if (!ok) {
            // Only what this call brought in goes: other sets may be running on the rest.
            for (int j = 0; j < LibraryCount; ++j)
                if (loadedNow.Contains(static_cast<TLibrary>(j))) UnloadOne(static_cast<TLibrary>(j));
            return false;
        }
    }
    FLoadedSets.push_back(ALibraries);
    return true;
}

bool TFFmpegLoader::Loaded(TLibrary ALibrary) const { return Loaded(TLibraries(ALibrary)); }

bool TFFmpegLoader::Loaded(TLibraries ALibraries) const {
    CheckNotEmpty(ALibraries);
    std::lock_guard lock(FLock);
    for (int i = 0; i < LibraryCount; ++i)
        if (ALibraries.Contains(static_cast<TLibrary>(i)) && !(FStatus[i].Handle && FStatus[i].Fixuped)) return false;
    return true;
}

void TFFmpegLoader::Unload(TLibrary ALibrary) { Unload(TLibraries(ALibrary)); }

void TFFmpegLoader::Unload(TLibraries ALibraries) {
    CheckNotEmpty(ALibraries);
    std::lock_guard lock(FLock);
    auto it = std::find(FLoadedSets.begin(), FLoadedSets.end(), ALibraries);
    if (it != FLoadedSets.end()) FLoadedSets.erase(it);
    for (int i = 0; i < LibraryCount; ++i) {
        const auto lib = static_cast<TLibrary>(i);
        if (!ALibraries.Contains(lib)) continue;
        const bool stillUsed = std::any_of(FLoadedSets.begin(), FLoadedSets.end(),
                                           [lib](TLibraries s) { return s.Contains(lib); });
        if (!stillUsed) UnloadOne(lib);
    }
}

QString TFFmpegLoader::LastErrMsg() const {
    std::lock_guard lock(FLock);
    return FLastErrMsg;
}

QString TFFmpegLoader::LibraryPath() const {
    std::lock_guard lock(FLock);
    return FLibraryPath;
}

void TFFmpegLoader::SetLibraryPath(const QString& value) {
    std::lock_guard lock(FLock);
    FLibraryPath = value;
}

bool TFFmpegLoader::InstallLogger() const {
    std::lock_guard lock(FLock);
    return FInstallLogger;
}

void TFFmpegLoader::SetInstallLogger(bool value) {
    std::lock_guard lock(FLock);
    FInstallLogger = value;
}

bool LoadComponentLibraries(TLibraries ASet, const TPathFileName& APath, QString& ALastErrMsg) {
    FFLoader().SetLibraryPath(APath);
    if (FFLoader().Load(ASet)) return true;
    ALastErrMsg = FFLoader().LastErrMsg();
    return false;
}
