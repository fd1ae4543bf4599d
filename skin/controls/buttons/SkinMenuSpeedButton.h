// A speed button with a drop-down part: a press (on the whole button, or in
// track-button mode on the 15-pixel drop-down part only) opens a skinned
// popup menu and/or an images menu beside the button; the button stays down
// until the menu manager reports that the menus closed.
#pragma once

#include "skin/controls/buttons/SkinSpeedButton.h"

enum TqvTrackPosition { qvtpRight, qvtpBottom };

// The button record Name of SD composed to W x H from its normal (Which 0),
// hot (1) or pressed (2) rectangle; an empty hot rectangle takes the normal
// one, an empty pressed one the hot one. False without the record or its picture.
bool ComposeButtonRecord(QImage& Dst, const TqvSkinData* SD, const QString& Name, int Which, int W, int H);

class TqvSkinMenuSpeedButton : public TqvSkinSpeedButton {
    Q_OBJECT
public:
    explicit TqvSkinMenuSpeedButton(QObject* AOwner = nullptr);

    void GetSkinData() override;

    TqvPopupMenuRef* SkinPopupMenu() const { return FPopupMenu.Get(); }
    void SetSkinPopupMenu(TqvPopupMenuRef* v) { FPopupMenu.Set(v); }
    TqvImagesMenuRef* SkinImagesMenu() const { return FImagesMenu.Get(); }
    void SetSkinImagesMenu(TqvImagesMenuRef* v);
    bool UseImagesMenuImage() const { return FUseImagesMenuImage; }
    void SetUseImagesMenuImage(bool v) { FUseImagesMenuImage = v; update(); }
    bool UseImagesMenuCaption() const { return FUseImagesMenuCaption; }
    void SetUseImagesMenuCaption(bool v) { FUseImagesMenuCaption = v; update(); }
    bool TrackButtonMode() const { return FTrackButtonMode; }
    void SetTrackButtonMode(bool v);
    TqvTrackPosition TrackPosition() const { return FTrackPosition; }
    void SetTrackPosition(TqvTrackPosition v);
    bool NewStyle() const { return FNewStyle; }
    void SetNewStyle(bool v);

    bool MenuTracked() const { return FMenuTracked; }
    // The drop-down part in control coordinates.
    TRect TrackRect() const;
    // A press at P opens the menus.
    bool IsMenuPress(QPoint P) const;
    // Where the last picture put its arrow or menu marker (the drop-down
    // part with its left and top edges moved in while pressed).
    TRect LastArrowRect() const { return FLastArrowRect; }

    bool FDrawStandardArrow = false;
    int FArrowType = 4;

    TNotifyEvent OnShowTrackMenu;
    TNotifyEvent OnHideTrackMenu;

protected:
    void CreateStateImage(QImage& B, const TRect& R, bool ADown, bool AMouseIn) override;
    void PaintImage(QImage& B) override;
    void CreateControlDefaultImage(QImage& B) override;
    void MouseDownLeft(QPoint p) override;
    void MouseUpLeft(QPoint p) override;
    void PointerEnters() override;
    void PointerLeaves() override;
    void WndProc(TMessage& message) override;

private:
    enum TStyle { stNew, stTool, stResize, stOwn };
    TStyle Style() const;
    void OpenMenus();
    void MenusClosed();
    // The arrow in R, its left and top edges moved in by Shift.
    void DrawArrow(TCanvas& C, TRect R, int Shift, TColor colour, bool active, bool down);
    // The new style's body and drop-down part from the shared records; false
    // when the skin has neither body record (nothing is drawn then).
    bool DrawNewStyleParts(QImage& B, bool BodyDown, bool AMouseIn);
    void DrawMarker(TCanvas& C, const TRect& R, const TRect& Marker);

    TqvMenuPointer<TqvPopupMenuRef> FPopupMenu;
    bool FTrackButtonMode = false;
    TqvTrackPosition FTrackPosition = qvtpRight;
    bool FNewStyle = false;
    bool FMenuTracked = false;
    TRect TrackButtonRect{};
    TRect FLastArrowRect{};
};
