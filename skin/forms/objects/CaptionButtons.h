// Frame objects that carry a window command: the standard caption buttons
// (close, maximize, minimize, system menu, roll-up, minimize to tray), which
// also give the skinless frame its buttons, and the animation objects, which
// play a strip of frames and may act as caption buttons.
#pragma once

#include "skin/forms/objects/FrameObject.h"

class TqvSkinStdButtonObject : public TqvSkinButtonObject {
public:
    // AData nullptr gives a skinless button (FSkinSupport false).
    TqvSkinStdButtonObject(TqvVelmora* AParent, const TqvDataSkinObject* AData);
    TqvFrameObjectKind Kind() const override { return TqvFrameObjectKind::StdButton; }

    bool PtInMask(int X, int Y) const override;
    void ShowLayer() override;
    void HideLayer() override;
    bool CanMorphing() const override;
    void Draw(QPainter& p, bool UpDate) override;
    void DblClick() override;
    void MouseDown(int X, int Y, Qt::MouseButton Button) override;
    void MouseUp(int X, int Y, Qt::MouseButton Button) override;
    void MouseEnter() override;

    // The skinless look.
    void DefaultDraw(QPainter& p);
    void DoCommand();
    // Maximize while maximized, minimize while minimized, roll-up while rolled up.
    bool InRestoreState() const;

    bool FSkinSupport = false;
    TRect RestoreRect{}, RestoreActiveRect{}, RestoreInActiveRect{}, RestoreDownRect{};
    QString RestoreHint, FTempHint;

private:
    // A system-menu button that shows the form's icon.
    bool IconCase() const;
};

class TqvSkinAnimateObject : public TqvActiveSkinObject {
public:
    TqvSkinAnimateObject(TqvVelmora* AParent, const TqvDataSkinObject* AData);
    TqvFrameObjectKind Kind() const override { return TqvFrameObjectKind::Animate; }

    void Draw(QPainter& p, bool UpDate) override;
    void DblClick() override;
    void MouseDown(int X, int Y, Qt::MouseButton Button) override;
    void MouseUp(int X, int Y, Qt::MouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    int Frame() const { return FFrame; }
    void SetFrame(int Value);
    void Start();
    void Stop();
    // One 25 ms tick of the strip.
    void ChangeFrame();
    void DoCommand();
    bool PopupLinkedMenu();
    bool InRestoreState() const;
    // The strip's frame n (1-based) in ActivePicture.
    TRect FrameRect(int N) const;

    int FFrame = 1;
    int FInc = 25;
    int TimerInterval = 25;
    TMenuItem* MenuItem = nullptr;
    bool FPopupUp = false;
    bool FDown = false;
    bool FMenuTracking = false;
    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    bool Increment = true;
    TRect DownSkinRect{};
    TRect RestoreRect{}, RestoreActiveRect{}, RestoreInActiveRect{}, RestoreDownRect{};
    QString RestoreHint, FTempHint;

protected:
    TqvLayerManager* GlowManager() const override;

private:
    void HoverChanged();
};
