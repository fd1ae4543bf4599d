// The application's hint machinery while a hint component exists: one
// application event filter takes tooltip events before controls see them,
// follows the pointer from control to control, and shows the application's
// skinned hint window after HintPause (HintShortPause while a hint was just
// up), hiding it after HintHidePause. Delays run on the platform's tick source.
#pragma once

#include "platform/Control.h"
#include "platform/ExtCtrls.h"

#include <QObject>
#include <QPointer>

#include <memory>

class TqvSkinHintWindow;

class TqvHintMachine : public QObject {
public:
    TqvHintMachine();
    ~TqvHintMachine() override;

    // The machine while at least one hint component lives (nullptr otherwise).
    static TqvHintMachine* Instance();
    // Hint components join and leave; the last one out ends the machine.
    static void Join();
    static void Leave();

    TqvSkinHintWindow* Window() const { return FWindow.get(); }
    TControl* HintControl() const { return FHintControl.data(); }
    bool TimerActive() const { return FTimer.Enabled(); }
    // Hides the hint and forgets the control (a press, a key, the pointer left our windows).
    void CancelHint();

    // The control whose hint shows for a widget under the pointer: the first
    // control up the parents that shows hints (nullptr: none).
    static TControl* HintControlOf(QWidget* W);

protected:
    bool eventFilter(QObject* Watched, QEvent* E) override;

private:
    void MouseOver(QWidget* W);
    void TimerTick();
    void ShowNow();

    std::unique_ptr<TqvSkinHintWindow> FWindow;
    QPointer<TControl> FHintControl;
    TTimer FTimer;
    bool FWaitingToHide = false;
    // A hint was shown recently: the next control waits HintShortPause only.
    bool FHintActive = false;
    // The hint of this control was shown and timed out: not again until the
    // pointer leaves it.
    bool FDoneForControl = false;
};
