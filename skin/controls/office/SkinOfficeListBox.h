// The office list: self-drawn rows of office items (a bold title, a
// word-wrapped caption, an image) and group headers that cannot be chosen,
// scrolled by pixels with a skinned scroll bar it creates while the rows do
// not fit. Rows are painted from the skin's "listbox" record, headers from
// "menuheader" (else "label"), or in system colours without a skin. The popup
// form is the office combo box's drop-down.
#pragma once

#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/base/SkinControl.h"
#include "skin/controls/dropdown/SkinDropDown.h"
#include "skin/controls/office/SkinOfficeItems.h"

#include <QPointer>

// Owner drawing of a row's content: the row's canvas and its text rectangle
// in that canvas's coordinates.
using TqvDrawSkinOfficeItemEvent = std::function<void(TCanvas& Cnvs, int Index, const TRect& TextRct)>;

class TqvSkinOfficeListBox : public TqvSkinCustomControl {
    Q_OBJECT
public:
    explicit TqvSkinOfficeListBox(QObject* AOwner = nullptr);
    ~TqvSkinOfficeListBox() override;

    TqvSkinOfficeItems& Items() { return *FItems; }
    void SetItems(const TqvSkinOfficeItems& Value);
    TCustomImageList* Images() const { return FImages.data(); }
    void SetImages(TCustomImageList* Value) { FImages = Value; }
    bool ShowItemTitles() const { return FShowItemTitles; }
    void SetShowItemTitles(bool Value);
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool Value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int Value);
    bool MouseMoveChangeIndex() const { return FMouseMoveChangeIndex; }
    void SetMouseMoveChangeIndex(bool Value) { FMouseMoveChangeIndex = Value; }
    int ItemIndex() const { return FItemIndex; }
    // Marks, scrolls to and announces the row (item OnClick, then
    // OnItemClick) on every write; an index past the rows raises the list
    // index error after clearing the marks. A negative index clears them.
    void SetItemIndex(int Value);

    void CalcItemRects();
    int CalcHeight(int AItemCount);
    void ScrollToItem(int Index);
    void Scroll(int AScrollOffset);
    void GetScrollInfo(int& AMin, int& AMax, int& APage, int& APosition);
    void UpdateScrollInfo();
    void ShowScrollbar();
    void HideScrollBar();
    void AdjustScrollBar();
    int ItemAtPos(int X, int Y);
    void FindUp();
    void FindDown();
    void FindPageUp();
    void FindPageDown();

    // The item area (rows are drawn and clipped there) and the scroll state.
    TRect ItemsRect() const { return FItemsRect; }
    int ScrollOffset() const { return FScrollOffset; }
    TqvSkinScrollBar* ScrollBar() const { return FScrollBar; }
    // The collection reports a change: repaint and re-measure.
    void ItemsChanged();

    TqvDrawSkinOfficeItemEvent OnDrawItem;
    TNotifyEvent OnItemClick;

protected:
    void CreateControlDefaultImage(QImage& B) override;
    void CreateControlSkinImage(QImage& B) override;
    void DrawItem(int Index, TCanvas& Cnvs);
    void SkinDrawItem(int Index, TCanvas& Cnvs);
    void DefaultDrawItem(int Index, TCanvas& Cnvs);
    void SkinDrawHeaderItem(int Index, TCanvas& Cnvs);
    // Title, image and caption into T of C.
    void DrawRowContent(TqvSkinOfficeItem* Item, TCanvas& C, TRect T, bool ExpandTabs);
    void SBChange(QObject* Sender);

    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Presses take the focus first (the popup form never does).
    virtual bool TakesFocusOnPress() const { return true; }

private:
    TRect ItemArea(bool ForBar);
    void MarkRow(int i);
    bool Eligible(int i) const;
    int TextCharset() const;
    void ItemPass(QImage& B);

    QPointer<TCustomImageList> FImages;
    std::unique_ptr<TqvSkinOfficeItems> FItems;
    bool FMouseMoveChangeIndex = false;
    TColor FDisabledFontColor = RGB(128, 128, 128);
    bool FShowLines = false;
    bool FMouseDown = false;
    int FMouseActive = -1;
    int FMax = 0, FRealMax = 0;
    TRect FItemsRect{};
    int FScrollOffset = 0;
    bool FShowItemTitles = true;
    int FItemHeight = 30, FHeaderHeight = 20;
    int FOldHeight = -1;
    TqvSkinScrollBar* FScrollBar = nullptr;
    int FItemIndex = -1;
};

// The office combo box's drop-down: the list in a drop-down window that
// never takes the activation; an optional fade-in.
class TqvPopupOfficeListBox : public TqvSkinOfficeListBox {
    Q_OBJECT
public:
    explicit TqvPopupOfficeListBox(QObject* AOwner = nullptr);
    ~TqvPopupOfficeListBox() override;

    TqvDropDownWindow* Window() const { return FWindow.data(); }
    // Shown at a screen point over Opener's window; alpha from the combo
    // box owner (AlphaBlend, AlphaBlendValue, AlphaBlendAnimation).
    void Show(QWidget* Opener, TPoint Origin, const TqvPopupAlpha* Alpha = nullptr);
    void Hide();
    bool IsShown() const { return FWindow && FWindow->IsOpen(); }

protected:
    bool TakesFocusOnPress() const override { return false; }

private:
    QPointer<TqvDropDownWindow> FWindow;
};
