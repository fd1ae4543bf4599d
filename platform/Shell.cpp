#include "platform/Shell.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include <SDL.h>

#include <dlfcn.h>

namespace {
std::shared_ptr<TShellActions> gShell;  // UI thread only

// SDL2's audio calls, bound at run time like the rest of the media libraries.
struct TSdlAudio {
    decltype(&SDL_SetHint) SetHint = nullptr;
    decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&SDL_RWFromFile) RWFromFile = nullptr;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW = nullptr;
    decltype(&SDL_FreeWAV) FreeWAV = nullptr;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice = nullptr;
    decltype(&SDL_QueueAudio) QueueAudio = nullptr;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice = nullptr;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice = nullptr;
    bool Ready = false;
    SDL_AudioDeviceID Device = 0;  // the sound playing now, UI thread only
    int Generation = 0;

    static TSdlAudio& Get() {
        static TSdlAudio a = Load();
        return a;
    }

    static TSdlAudio Load() {
        TSdlAudio a;
        // Never unloaded: other components may bind the same library.
        void* h = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_GLOBAL);
        if (!h) return a;
        auto bind = [h](auto& slot, const char* name) {
            slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(dlsym(h, name));
            return slot != nullptr;
        };
        // Without this hint SDL catches SIGINT and SIGTERM and the program would not end on them.
        if (!bind(a.SetHint, "SDL_SetHint")) return a;
        a.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        a.Ready = bind(a.InitSubSystem, "SDL_InitSubSystem") && bind(a.RWFromFile, "SDL_RWFromFile") &&
                  bind(a.LoadWAV_RW, "SDL_LoadWAV_RW") && bind(a.FreeWAV, "SDL_FreeWAV") &&
                  bind(a.OpenAudioDevice, "SDL_OpenAudioDevice") && bind(a.QueueAudio, "SDL_QueueAudio") &&
                  bind(a.PauseAudioDevice, "SDL_PauseAudioDevice") && bind(a.CloseAudioDevice, "SDL_CloseAudioDevice") &&
                  a.InitSubSystem(SDL_INIT_AUDIO) == 0;
        return a;
    }

    void Stop() {
        if (Device) CloseAudioDevice(Device);
        Device = 0;
        ++Generation;
    }
};
}  // namespace

QString ShellUrl(const QString& pathOrAddress) {
    const QUrl url(pathOrAddress);
    static const char* const kSchemes[] = {"http", "https", "mailto", "file", "ftp"};
    for (const char* s : kSchemes)
        if (url.scheme().compare(QLatin1String(s), Qt::CaseInsensitive) == 0) return pathOrAddress;
    return QUrl::fromLocalFile(QFileInfo(pathOrAddress).absoluteFilePath()).toString();
}

bool TSystemShellActions::Open(const QString& pathOrAddress) {
    if (pathOrAddress.isEmpty()) return false;
    return QDesktopServices::openUrl(QUrl(ShellUrl(pathOrAddress)));
}

bool TSystemShellActions::PlaySound(const QString& wavFile) {
    if (!QFileInfo(wavFile).isFile()) return false;
    TSdlAudio& sdl = TSdlAudio::Get();
    if (!sdl.Ready) return false;
    // A new sound ends the one still playing.
    sdl.Stop();
    SDL_AudioSpec spec{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    SDL_RWops* rw = sdl.RWFromFile(QFile::encodeName(wavFile).constData(), "rb");
    if (!rw || !sdl.LoadWAV_RW(rw, 1, &spec, &buffer, &length)) return false;
    // Small buffers: closing the device waits for the one being played.
    spec.samples = 512;
    const SDL_AudioDeviceID dev = sdl.OpenAudioDevice(nullptr, 0, &spec, nullptr, 0);
    if (dev == 0) {
        sdl.FreeWAV(buffer);
        return false;
    }
    const bool queued = sdl.QueueAudio(dev, buffer, length) == 0;
    sdl.FreeWAV(buffer);
    if (!queued) {
        sdl.CloseAudioDevice(dev);
        return false;
    }
    sdl.PauseAudioDevice(dev, 0);
    sdl.Device = dev;
    const int generation = sdl.Generation;
    const int bytesPerSecond = std::max(1, spec.freq * spec.channels * int(SDL_AUDIO_BITSIZE(spec.format) / 8));
    const int ms = int(qint64(length) * 1000 / bytesPerSecond) + 500;
    // Closed once it has played, unless a newer sound took its place.
    QTimer::singleShot(ms, [generation] {
        TSdlAudio& s = TSdlAudio::Get();
        if (s.Generation == generation) s.Stop();
    });
    return true;
}

bool TSystemShellActions::PowerOff() {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
                                                       QStringLiteral("/org/freedesktop/login1"),
                                                       QStringLiteral("org.freedesktop.login1.Manager"),
                                                       QStringLiteral("PowerOff"));
    call << false;  // not interactive: no prompt; inhibitors are respected
    return bus.send(call);
}

TShellActions& ShellActions() {
    if (!gShell) gShell = std::make_shared<TSystemShellActions>();
    return *gShell;
}

void SetShellActions(std::shared_ptr<TShellActions> actions) { gShell = std::move(actions); }
