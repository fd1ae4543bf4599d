// The skinned list box: a skinned frame around the inner list, an optional
// caption bar with stepping buttons, and skinned scroll bars created while
// the items do not fit, kept in step with the inner list's hidden native
// bars. The list-box hooks are virtual: descendants see the inner list's
// mouse, keys, focus and events first.
#pragma once

#include "platform/Classes.h"
#include "platform/ExtCtrls.h"
#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/base/SkinControl.h"
#include "skin/controls/base/SkinTimer.h"
#include "skin/controls/dropdown/SkinDropDown.h"
#include "skin/controls/lists/QvListBox.h"

#include <QPointer>

struct TqvOwnerDrawState {
    bool Selected = false;
    bool Focused = false;
};
using TqvDrawSkinItemEvent = std::function<void(TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight,
                                                const TRect& TxtRect, TqvOwnerDrawState State)>;

class TqvSkinCustomListBox : public TqvSkinCustomControl {
    Q_OBJECT
public:
    explicit TqvSkinCustomListBox(QObject* AOwner = nullptr);
    ~TqvSkinCustomListBox() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TqvListBox* ListBox() const { return FListBox; }
    TStrings& Items() { return FListBox->Items(); }
    void SetItems(const TStrings& v);
    int ItemIndex() const { return FListBox->ItemIndex(); }
    void SetItemIndex(int v) { FListBox->SetItemIndex(v); }
    bool MultiSelect() const { return FListBox->MultiSelect(); }
    void SetMultiSelect(bool v) { FListBox->SetMultiSelect(v); }
    bool Sorted() const { return FListBox->Sorted(); }
    // An overflowing list keeps its bar: the bars are worked out again after.
    void SetSorted(bool v);
    int Columns() const { return FListBox->Columns(); }
    void SetColumns(int v);
    int TopIndex() const { return FListBox->TopIndex(); }
    void SetTopIndex(int v);
    int SelCount() const { return FListBox->SelCount(); }
    bool Selected(int Index) const { return FListBox->Selected(Index); }

    int RowCount() const { return FRowCount; }
    void SetRowCount(int v);
    bool HorizontalExtent() const { return FHorizontalExtent; }
    void SetHorizontalExtent(bool v);
    TStringList& TabWidths() { return FTabWidths; }
    void SetTabWidths(const TStrings& v);
    // The tab stops of the first ten lines (a line of digits only, else 0).
    std::vector<int> TabStops() const;
    bool UseSkinItemHeight() const { return FUseSkinItemHeight; }
    void SetUseSkinItemHeight(bool v);
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int v);
    TCustomImageList* Images() const { return FImages.data(); }
    void SetImages(TCustomImageList* v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    bool CaptionMode() const { return FCaptionMode; }
    void SetCaptionMode(bool v);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) {
        FAlignment = v;
        if (FCaptionMode) update();
    }
    bool ShowCaptionButtons() const { return FShowCaptionButtons; }
    void SetShowCaptionButtons(bool v);

    int CalcHeight(int AItemsCount);
    void Clear();
    int ItemAtPos(QPoint Pos, bool Existing) const { return FListBox->ItemAtPos(Pos, Existing); }
    TRect ItemRect(int Item) const { return FListBox->ItemRect(Item); }
    void UpDateScrollBar();
    void UpdateListBoxLayout();
    TqvSkinScrollBar* ScrollBar() const { return FScrollBar; }
    TqvSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    TRect ListRect() const { return FListRect; }
    // The caption buttons after the last layout: 0 up, 1 down, 2 check.
    TRect CaptionButtonRect(int i) const { return Buttons[i].R; }

    // The list-box hooks, in the inner list's order.
    virtual int GetItemTextWidth(int Index, TCanvas& Canvas);
    virtual void ListBoxMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void ListBoxMouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void ListBoxMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void ListBoxClick();
    virtual void ListBoxDblClick();
    virtual void ListBoxKeyDown(int& Key, Qt::KeyboardModifiers Shift);
    virtual void ListBoxKeyUp(int& Key, Qt::KeyboardModifiers Shift);
    virtual void ListBoxKeyPress(QChar& Key);
    virtual void ListBoxEnter() {}
    virtual void ListBoxExit() {}
    virtual void ListBoxWndProc(QEvent* Message, bool& CallDefault) {
        (void)Message;
        CallDefault = true;
    }
    virtual void ListBoxCreateWnd() {}

    // What the painters read.
    bool SkinnedItems() const { return SkinIndex() != -1; }
    TRect SItemRect{}, ActiveItemRect{}, FocusItemRect{}, ItemTextRect{};
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    QString FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0;
    bool ShowFocus = false;
    TRect CaptionRect{};
    QString VScrollBarName, HScrollBarName, BothScrollBarName;
    TRect UpButtonRect{}, ActiveUpButtonRect{}, DownUpButtonRect{};
    TRect DownButtonRect{}, ActiveDownButtonRect{}, DownDownButtonRect{};
    TRect CheckButtonRect{}, ActiveCheckButtonRect{}, DownCheckButtonRect{};
    int TextCharset();

    TqvDrawSkinItemEvent OnDrawItem;
    TNotifyEvent OnListBoxClick, OnListBoxDblClick;
    TMouseEvent OnListBoxMouseDown, OnListBoxMouseUp;
    TMouseMoveEvent OnListBoxMouseMove;
    TKeyEvent OnListBoxKeyDown, OnListBoxKeyUp;
    TKeyPressEvent OnListBoxKeyPress;
    TNotifyEvent OnUpButtonClick, OnDownButtonClick, OnCheckButtonClick;

protected:
    void CreateControlDefaultImage(QImage& B) override;
    void CreateControlSkinImage(QImage& B) override;
    void DefaultFontChanged() override;
    void resizeEvent(QResizeEvent* e) override;
    void MouseLeave() override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    struct TButton {
        TRect R{};
        bool MouseIn = false, Down = false;
    };
    void CreateVScrollBar();
    void CreateHScrollBar();
    void RemoveVScrollBar();
    void RemoveHScrollBar();
    void SetVBarNames();
    void SetHBarNames();
    void VBarChange();
    void HBarChange();
    void DrawCaptionButton(QImage& B, int i);
    bool CaptionButtonsActive() const;
    void TestActive(int X, int Y);
    void StartRepeat(int mode);
    void RepeatTick();
    void StepUp();
    void StepDown();

    TqvListBox* FListBox;
    TqvSkinScrollBar* FScrollBar = nullptr;
    TqvSkinScrollBar* FHScrollBar = nullptr;
    TStringList FTabWidths;
    QPointer<TCustomImageList> FImages;
    int FImageIndex = -1;
    bool FShowCaptionButtons = true;
    bool FUseSkinItemHeight = true;
    bool FHorizontalExtent = false;
    bool FStopUpDateHScrollBar = false;
    int FRowCount = 0;
    int FDefaultItemHeight = 20;
    int FDefaultCaptionHeight = 20;
    bool FCaptionMode = false;
    TAlignment FAlignment = taLeftJustify;
    TRect NewClRect{}, FListRect{};
    TButton Buttons[3];
    int ActiveButton = -1, CaptureButton = -1;
    int TimerMode = 0;
    bool WaitMode = false;
    TqvSkinTimer FTimer;
};

class TqvSkinListBox : public TqvSkinCustomListBox {
    Q_OBJECT
public:
    using TqvSkinCustomListBox::TqvSkinCustomListBox;
};

// The skinned combo box's drop-down list: a skinned list box in a drop-down
// window that never takes the activation.
class TqvPopupListBox : public TqvSkinCustomListBox {
    Q_OBJECT
public:
    explicit TqvPopupListBox(QObject* AOwner = nullptr);
    ~TqvPopupListBox() override;

    TqvDropDownWindow* Window() const { return FWindow.data(); }
    void Show(QWidget* Opener, TPoint Origin, const TqvPopupAlpha* Alpha = nullptr);
    void Hide();
    bool IsShown() const { return FWindow && FWindow->IsOpen(); }

private:
    QPointer<TqvDropDownWindow> FWindow;
};
