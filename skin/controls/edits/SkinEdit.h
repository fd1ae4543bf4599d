// The skinned single-line edit: a frame from the skin's "edit" record (or
// "buttonedit" with an edit button at the right), two optional image buttons
// inside the text area, and the text on the skin's client picture. The line
// edit fills the control; the frame is its text margins, painted by the
// control under the transparent line edit. Without a record: a plain
// two-pixel frame and a flat button in system colours.
#pragma once

#include "platform/ExtCtrls.h"
#include "platform/ImgList.h"
#include "skin/controls/base/SkinClient.h"
#include "skin/controls/edits/CustomEdit.h"
#include "skin/model/SkinData.h"

#include <QPointer>

struct TqvCBButtonX {
    TRect R{};
    bool MouseIn = false;
    bool Down = false;
};

class TqvSkinCustomEdit : public TqvCustomEdit, public TqvSkinClient {
    Q_OBJECT
public:
    explicit TqvSkinCustomEdit(QObject* AOwner = nullptr);

    TqvSkinData* SkinData() const override { return FSD.data(); }
    void SetSkinData(TqvSkinData* Value);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& v) { FSkinDataName = v; }
    int SkinIndex() const { return FIndex; }
    void GetSkinData();
    void ChangeSkinData() override;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor v);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& f);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool v) { FUseSkinFont = v; }
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int v);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool ButtonMode() const { return FButtonMode; }
    void SetButtonMode(bool v);
    TCustomImageList* Images() const { return FImages.data(); }
    void SetImages(TCustomImageList* v);
    int LeftImageIndex() const { return FLeftImageIndex; }
    void SetLeftImageIndex(int v);
    int LeftImageHotIndex() const { return FLeftImageHotIndex; }
    void SetLeftImageHotIndex(int v) { FLeftImageHotIndex = v; }
    int LeftImageDownIndex() const { return FLeftImageDownIndex; }
    void SetLeftImageDownIndex(int v) { FLeftImageDownIndex = v; }
    int RightImageIndex() const { return FRightImageIndex; }
    void SetRightImageIndex(int v);
    int RightImageHotIndex() const { return FRightImageHotIndex; }
    void SetRightImageHotIndex(int v) { FRightImageHotIndex = v; }
    int RightImageDownIndex() const { return FRightImageDownIndex; }
    void SetRightImageDownIndex(int v) { FRightImageDownIndex = v; }

    // Computed geometry (control coordinates).
    TRect EditRect() const { return FEditRect; }
    TRect ButtonRect() const { return FButtonRect; }
    const TqvCBButtonX& LeftButton() const { return FLeft; }
    const TqvCBButtonX& RightButton() const { return FRight; }
    bool ButtonDown() const { return FButtonDown; }
    bool ButtonActive() const { return FButtonActive; }
    bool MouseIn() const { return FMouseIn; }
    // The colour the text is drawn in now (the line edit's while enabled,
    // the control's own disabled colour otherwise).
    TColor TextColor() const { return FTextColor; }
    // The character height of the font plus the frame: the height without UseSkinFont.
    int FontHeightWithFrame();

    // Everything the control paints under the line edit (frame, client
    // background, image buttons, the disabled text).
    QImage BuildImage();

    TNotifyEvent OnButtonClick;
    TNotifyEvent OnLeftButtonClick;
    TNotifyEvent OnRightButtonClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void WndProc(TMessage& message) override;
    void EnabledChanged() override;
    void FontChanged() override;
    void resizeEvent(QResizeEvent* e) override;
    void EditChanged() override { update(); }

private:
    bool Skinned() const { return FIndex != -1; }
    bool HasPicture() const { return Skinned() && !Picture.isNull(); }
    bool HotLook() const;
    void CalcRects();
    void UpdateMargins();
    void UpdateTextColour();
    void ApplyFont();
    void PaintFrameA(QImage& B);
    void PaintFrameB(QImage& B);
    // The frame painters' picture at the control's size (no client, no text).
    QImage BuildFrameImage();
    // The frame into the picture in wParam; with ClipText the text area is left as it was.
    void PaintFrameInto(WPARAM dc, bool ClipText);
    void PaintClient(QImage& B);
    void PaintImageButtons(TCanvas& C);
    void PaintDisabledText(QImage& B);
    void MouseEnter();
    void MouseLeave();
    bool MousePress(QPoint p);
    bool MouseRelease(QPoint p);
    void MouseMove(QPoint p);

    QPointer<TqvSkinData> FSD;
    QString FSkinDataName = QStringLiteral("edit");
    int FIndex = -1;
    QImage Picture;
    TColor FDefaultColor = clWindow;
    TFont FDefaultFont;
    bool FUseSkinFont = true;
    int FDefaultWidth = 0, FDefaultHeight = 0;
    TAlignment FAlignment = taLeftJustify;
    bool FButtonMode = false;
    bool FButtonDown = false, FButtonActive = false;
    bool FMouseIn = false;
    TRect FEditRect{}, FButtonRect{};
    TqvCBButtonX FLeft, FRight;
    QPointer<TCustomImageList> FImages;
    int FLeftImageIndex = -1, FLeftImageHotIndex = -1, FLeftImageDownIndex = -1;
    int FRightImageIndex = -1, FRightImageHotIndex = -1, FRightImageDownIndex = -1;
    TColor FTextColor = clWindowText;
    bool FInSkinChange = false;

    // From the record.
    TRect SkinRect{}, ActiveSkinRect{}, ClRect{};
    TPoint LTPt{}, RTPt{}, LBPt{}, RBPt{};
    int LOffset = 0, ROffset = 0;
    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, DisabledFontColor = 0, ActiveFontColor = 0;
    TRect SkinButtonRect{}, ActiveButtonRect{}, DownButtonRect{}, UnEnabledButtonRect{};
    bool StretchEffect = false;
};

class TqvSkinEdit : public TqvSkinCustomEdit {
    Q_OBJECT
public:
    using TqvSkinCustomEdit::TqvSkinCustomEdit;
};
