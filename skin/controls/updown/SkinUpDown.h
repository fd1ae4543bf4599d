// A pair of skinned arrow buttons stepping an integer Position between Min
// and Max, repeating while a button is held. Drawn from "hupdown"/"vupdown"
// (the whole picture plus hot and pressed looks per button), or, freely
// sized, each button from "resizebutton".
#pragma once

#include "skin/controls/base/SkinControl.h"
#include "skin/controls/base/SkinTimer.h"

enum TqvUpDownOrientation { udHorizontal, udVertical };

class TqvSkinUpDown : public TqvSkinCustomControl {
    Q_OBJECT
public:
    explicit TqvSkinUpDown(QObject* AOwner = nullptr);

    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool v);
    TqvUpDownOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TqvUpDownOrientation v);
    int Increment() const { return FIncrement; }
    void SetIncrement(int v) { FIncrement = v; }
    int Position() const { return FPosition; }
    // Ignores values outside Min..Max; raises OnChange even for the same value.
    void SetPosition(int v);
    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);

    void GetSkinData() override;
    void AdjustSkinSize(int& AWidth, int& AHeight) override;
    void UpdateSkinRegion() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // Index 0 the up button, 1 the down button.
    struct TButton {
        TRect R{};
        bool MouseIn = false;
        bool Down = false;
    };
    const TButton& Button(int i) const { return Buttons[i]; }
    int ActiveButton() const { return FActiveButton; }
    int CaptureButton() const { return FCaptureButton; }

    TNotifyEvent OnChange;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;

protected:
    void CreateControlDefaultImage(QImage& B) override;
    void CreateControlSkinImage(QImage& B) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void CalcButtonRects();
    void DrawButton(QImage& B, int i);
    void DrawResizeButton(QImage& B, int i);
    int ArrowKind(int i) const;
    void TestActive(int X, int Y);
    void ButtonEnter(int i);
    void ButtonLeave(int i);
    void ButtonDown(int i);
    void ButtonUp(int i, bool pointerOn);
    void TimerTick();

    bool FUseSkinSize = true;
    TqvUpDownOrientation FOrientation = udHorizontal;
    TButton Buttons[2];
    int FOldActiveButton = -1;
    int FActiveButton = -1;
    int FCaptureButton = -1;
    int FTimerMode = 0;  // 1 stepping down, 2 stepping up
    bool FWaitMode = false;
    int FIncrement = 1;
    int FPosition = 0;
    int FMin = 0;
    int FMax = 100;
    bool FHasRecord = false;
    TRect FUpButtonRect{}, FActiveUpButtonRect{}, FDownUpButtonRect{};
    TRect FDownButtonRect{}, FActiveDownButtonRect{}, FDownDownButtonRect{};
    TqvSkinTimer FTimer;
};
