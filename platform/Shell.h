// What the program asks of the desktop: open a folder, a file or an address,
// play a sound, power the computer off. Behind one interface so tests record
// the requests instead of starting programs or switching anything off.
#pragma once

#include <QString>

#include <memory>

class TShellActions {
public:
    virtual ~TShellActions() = default;
    // Opens a folder or file with the desktop's default program, or a web or
    // mailto address. False when nothing could be started.
    virtual bool Open(const QString& pathOrAddress) = 0;
    // Plays a WAV file without waiting. False for a missing or unreadable
    // file or when there is no audio output.
    virtual bool PlaySound(const QString& wavFile) = 0;
    // Asks the session manager to power off; never forced, so programs that
    // hold it off win. False when the request could not be sent.
    virtual bool PowerOff() = 0;
};

// Desktop services, SDL2 audio (loaded when first needed) and logind.
class TSystemShellActions : public TShellActions {
public:
    bool Open(const QString& pathOrAddress) override;
    bool PlaySound(const QString& wavFile) override;
    bool PowerOff() override;
};

TShellActions& ShellActions();
// nullptr restores the system's actions.
void SetShellActions(std::shared_ptr<TShellActions> actions);
// A path or an address as a URL: "http:", "https:", "mailto:", "file:" stay
// addresses, anything else is a local path made absolute.
QString ShellUrl(const QString& pathOrAddress);
