// What both skinned combo boxes share: the copies of their "combobox" record,
// the face layout (a drop-down button at the right, a text area at the
// left), the sizing without the skin's size, and the four looks of the face
// (skinless, skinned at the skin's size, skinned at any size, the tool-button
// look). The boxes differ in what the text area shows (DrawItemContent).
#pragma once

#include "skin/controls/base/SkinControl.h"
#include "skin/controls/base/SkinTimer.h"
#include "skin/controls/edits/SkinEdit.h"  // TqvCBButtonX

#include <QPointer>

struct TqvCBItem {
    TRect R{};
    bool Focused = false;  // the draw state: odFocused
};

class TqvSkinComboFace : public TqvSkinCustomControl {
    Q_OBJECT
public:
    explicit TqvSkinComboFace(QObject* AOwner = nullptr);

    void GetSkinData() override;
    void AdjustSkinSize(int& AWidth, int& AHeight) override;
    void UpdateSkinRegion() override;

    bool ToolButtonStyle() const { return FToolButtonStyle; }
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool v);
    TColor DefaultColor() const { return FDefaultColor; }
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool v) { FAlphaBlend = v; }
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(int v) { FAlphaBlendValue = std::clamp(v, 0, 255); }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool v) { FAlphaBlendAnimation = v; }
    int ListBoxWidth() const { return FListBoxWidth; }
    void SetListBoxWidth(int v) { FListBoxWidth = v; }
    bool HideSelection() const { return FHideSelection; }
    bool DroppedDown() const { return FDropDown; }

    // After the last layout.
    const TqvCBButtonX& FaceButton() const { return Button; }
    const TqvCBItem& FaceItem() const { return CBItem; }
    // The face layout (also run by every paint, size change and skin change).
    virtual void CalcFaceLayout();
    // The text area the last picture gave the item's content.
    TRect LastTextRect() const { return FLastTextRect; }

    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDropDown;

protected:
    // Which painter asks for the content.
    enum TFacePainter { fpSkinless, fpNineSlice, fpThreeSlice, fpToolButton };
    virtual bool OfficeFace() const = 0;
    virtual int FaceItemCount() const = 0;
    virtual bool FaceListVisible() const = 0;
    virtual int FaceListItemIndex() const = 0;
    // The shown item's content into T of C (B is C's picture).
    virtual void DrawItemContent(TCanvas& C, QImage& B, TRect T, int Index, TFacePainter Painter) = 0;
    // An owner-draw event takes the content.
    virtual bool HasItemDrawEvent() const = 0;
    virtual bool HasInnerEdit() const { return false; }
    virtual bool InnerEditFocused() const { return false; }

    void CreateControlDefaultImage(QImage& B) override;
    void CreateControlSkinImage(QImage& B) override;
    void resizeEvent(QResizeEvent* e) override;

    // The shown item: the index kept at the opening while the list is open.
    int ShownIndex() const;
    bool ActiveState() const;
    int TextCharset();
    TColor DisabledColor() const;
    const TqvDataSkinButtonControl* NamedButtonRecord(std::initializer_list<const char*> Names) const;

    void DrawContent(TCanvas& C, QImage& B, TRect T, int Index, TFacePainter Painter);
    void DrawSkinlessButton(QImage& B);
    void DrawSkinButton(QImage& B);
    void DrawComposedButton(QImage& B);
    void DrawSkinlessItem(QImage& B);
    void DrawNineSliceItem(QImage& B);
    void DrawThreeSliceItem(QImage& B);
    void DrawSkinlessToolButton(QImage& B);
    void DrawSkinToolButton(QImage& B);
    // The drop-down list's press, moves and release belong to the box while it
    // is open (its capture): a press starts a press-drag-release that the box
    // follows, and the release commits. True when the event was the box's.
    bool ListCaptureEvent(QEvent* e);
    virtual void MoveAt(QPoint p, QPoint global) = 0;
    virtual void ReleaseAt(QPoint global) = 0;
    // The list the face opens and closes.
    virtual void OpenList() = 0;
    virtual void CloseList() = 0;
    // A left press on the button (or on the item, where ItemOpens) opens or
    // closes the list and starts the drag capture; elsewhere it closes the list.
    void PressAt(QPoint p, Qt::MouseButton b, bool ItemOpens);

    // A marker piece of the box's own picture, transparent, centred in R.
    void DrawMarker(QImage& B, const TRect& Piece, TColor Transparent, TRect R, int Down);

    TqvCBItem CBItem;
    TqvCBButtonX Button;
    bool FDropDown = false;
    bool FToolButtonStyle = false;
    TColor FDefaultColor = clWindow;
    bool FUseSkinSize = true;
    bool WasInLB = false;
    int TimerMode = 0;
    int FListBoxWidth = 0;
    bool FHideSelection = true;
    bool FAlphaBlend = false, FAlphaBlendAnimation = false;
    int FAlphaBlendValue = 0;
    bool FMouseIn = false;
    int FOldItemIndex = -1;
    bool FLBDown = false;
    TqvSkinTimer FDragTimer;
    TRect FLastTextRect{};

    // Copies of the "combobox" record.
    TRect ActiveSkinRect{};
    TColor ActiveFontColor = 0;
    QString FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TRect SItemRect{}, FocusItemRect{}, ActiveItemRect{};
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect{};
    TColor FontColor = 0, FocusFontColor = 0;
    TRect ButtonRect{}, ActiveButtonRect{}, DownButtonRect{}, UnEnabledButtonRect{};
    QString ListBoxName;
    bool ItemStretchEffect = false, FocusItemStretchEffect = false;
    bool ShowFocus = false;
};
