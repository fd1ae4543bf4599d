// The process-wide library loader: the library table, the three library sets
// the components ask for, binding every entry point by name into the slots of
// namespace ff, and CodecLock.
//
// Engine code never links the media libraries; it calls them through the
// slots, e.g. ff::avcodec_open2(ctx, codec, &opts). A call that bypasses the
// slots does not link, which keeps FFmpegEntries.h complete. Macros of the
// headers that expand to exported calls (av_opt_set_int_list, avio_tell, ...)
// cannot be used outside namespace ff: call their pieces through ff:: instead.
#pragma once

#include "engine/FFBase.h"
#include "engine/FFmpegEntries.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavcodec/avfft.h>
#include <libavcodec/bsf.h>
#include <libavdevice/avdevice.h>
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavformat/avformat.h>
#include <libavformat/avio.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/avstring.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dict.h>
#include <libavutil/fifo.h>
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libavutil/mathematics.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
#include <libavutil/parseutils.h>
#include <libavutil/pixdesc.h>
#include <libavutil/samplefmt.h>
#include <libavutil/time.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
#include <SDL.h>
}

#include <QString>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <span>
#include <vector>

// One slot per entry point, named after it, with the header's type; null
// while its library is not bound.
#define QV_DECLARE_SLOT(name) extern decltype(&::name) name;
namespace ff {
QV_AVCODEC_ENTRIES(QV_DECLARE_SLOT)
QV_AVDEVICE_ENTRIES(QV_DECLARE_SLOT)
QV_AVFILTER_ENTRIES(QV_DECLARE_SLOT)
QV_AVFORMAT_ENTRIES(QV_DECLARE_SLOT)
QV_AVUTIL_ENTRIES(QV_DECLARE_SLOT)
QV_SWSCALE_ENTRIES(QV_DECLARE_SLOT)
QV_SWRESAMPLE_ENTRIES(QV_DECLARE_SLOT)
QV_LIBC_ENTRIES(QV_DECLARE_SLOT)
QV_SDL_ENTRIES(QV_DECLARE_SLOT)
}  // namespace ff
#undef QV_DECLARE_SLOT

enum TLibrary : std::uint8_t { avCodec, avDevice, avFilter, avFormat, avUtil, swScale, swResample, myUtil, lbSDL };
constexpr int LibraryCount = lbSDL + 1;

// A set of TLibrary, bit n for the library of ordinal n.
class TLibraries {
public:
    constexpr TLibraries() = default;
    constexpr TLibraries(TLibrary lib) : FBits(Bit(lib)) {}
    constexpr TLibraries(std::initializer_list<TLibrary> libs) {
        for (TLibrary l : libs) FBits |= Bit(l);
    }
    constexpr bool Contains(TLibrary l) const { return (FBits & Bit(l)) != 0; }
    constexpr void Include(TLibrary l) { FBits |= Bit(l); }
    constexpr void Exclude(TLibrary l) { FBits &= static_cast<std::uint16_t>(~Bit(l)); }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr std::uint16_t Bits() const { return FBits; }
    constexpr bool operator==(const TLibraries&) const = default;

private:
    static constexpr std::uint16_t Bit(TLibrary l) { return static_cast<std::uint16_t>(1u << l); }
    std::uint16_t FBits = 0;
};

// avdevice is in no set, so nothing loads it.
constexpr TLibraries ConverterLibraries{avCodec, avFilter, avFormat, avUtil, swScale, swResample, myUtil};
constexpr TLibraries ProbeLibraries{avCodec, avFormat, avUtil, swScale, myUtil};
constexpr TLibraries PlayerLibraries{avCodec, avFilter, avFormat, avUtil, swScale, swResample, myUtil, lbSDL};

class TFFmpegLoader;

// One row of a library table; a table has one row per TLibrary, in ordinal order.
struct TLibraryItem {
    TLibrary Lib;
    const char* Name;  // base name: file "lib" + Name + ".so." + Version
    int Version;       // major version of the file name; -1 = none
    // Binds every entry (throws EEngineError naming the first missing one).
    void (*Fixup)(const QString& fileName, TLibHandle handle);
    void (*Unfix)();  // clears every slot Fixup fills
    // Major version of the bound library, which must equal HeaderMajor (the
    // headers the engine was compiled against); null = no check.
    int (*BoundMajor)();
    int HeaderMajor;
    // Runs after every successful Load that covers the library, bound now or before.
    void (*AfterBind)(TFFmpegLoader& loader);
    // Real media libraries start threads and keep thread-local state: they are
    // never unmapped. Only test stubs are closed.
    bool Closeable;
};

// The table of the system's libraries.
std::span<const TLibraryItem> DefaultLibraryTable();

// Loading, binding and unloading. Load and Unload run on the UI thread; Loaded
// and the texts may be read from any thread.
class TFFmpegLoader {
public:
    explicit TFFmpegLoader(std::span<const TLibraryItem> table = DefaultLibraryTable());
    ~TFFmpegLoader();
    TFFmpegLoader(const TFFmpegLoader&) = delete;
    TFFmpegLoader& operator=(const TFFmpegLoader&) = delete;

    // Loading a set makes it a user of each member until it is unloaded; a
    // failed set load rolls back only the libraries that call loaded.
    bool Load(TLibrary ALibrary);
    bool Load(TLibraries ALibraries);
    bool Loaded(TLibrary ALibrary) const;
    bool Loaded(TLibraries ALibraries) const;
    // Ends the set's use; a member stays bound while another loaded set has it.
    void Unload(TLibrary ALibrary);
    void Unload(TLibraries ALibraries);

    QString GetLibraryFileName(TLibrary ALibrary) const;
    // The last load failure; a later success leaves it as it is.
    QString LastErrMsg() const;
    QString LibraryPath() const;
    void SetLibraryPath(const QString& value);
    bool InstallLogger() const;
    void SetInstallLogger(bool value);

private:
    struct TLibraryStatus {
        TLibHandle Handle = nullptr;
        bool Fixuped = false;
    };
    bool LoadOne(TLibrary lib, bool& newlyLoaded);
    void UnloadOne(TLibrary lib);
    static void CheckNotEmpty(TLibraries set);

    std::span<const TLibraryItem> FTable;
    mutable std::recursive_mutex FLock;  // guards everything below
    TLibraryStatus FStatus[LibraryCount];
    std::vector<TLibraries> FLoadedSets;  // one entry per successful Load not yet unloaded
    QString FLastErrMsg;
    QString FLibraryPath;
    bool FInstallLogger = true;
};

// The process's loader over DefaultLibraryTable().
TFFmpegLoader& FFLoader();

// A component's LoadAVLib: loads its set from APath; on failure the loader's
// message goes to ALastErrMsg.
bool LoadComponentLibraries(TLibraries ASet, const TPathFileName& APath, QString& ALastErrMsg);

// Held around every codec open and close by every engine thread; never held
// across a blocking call into the UI thread.
extern std::recursive_mutex CodecLock;
