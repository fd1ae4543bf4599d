// The office combo box: a face showing the chosen office item (title, image,
// caption) and a drop-down office list with headers and a scroll bar. Every
// ItemIndex write raises OnClick and then OnChange, also for the same index;
// a choice from the drop-down does the same, a cancelled one nothing.
#pragma once

#include "skin/controls/office/SkinComboFace.h"
#include "skin/controls/office/SkinOfficeListBox.h"

class TqvSkinCustomOfficeComboBox : public TqvSkinComboFace {
    Q_OBJECT
public:
    explicit TqvSkinCustomOfficeComboBox(QObject* AOwner = nullptr);
    ~TqvSkinCustomOfficeComboBox() override;

    TqvSkinOfficeItems& Items() { return FListBox->Items(); }
    void SetItems(const TqvSkinOfficeItems& v) { FListBox->SetItems(v); }
    int ItemIndex() const { return FListBox->ItemIndex(); }
    // The drop-down's row events, then OnClick and Change (not while loading).
    void SetItemIndex(int Value);
    TCustomImageList* Images() const { return FListBox->Images(); }
    void SetImages(TCustomImageList* v);

    bool ShowItemTitle() const { return FShowItemTitle; }
    void SetShowItemTitle(bool v);
    bool ShowItemImage() const { return FShowItemImage; }
    void SetShowItemImage(bool v);
    bool ShowItemText() const { return FShowItemText; }
    void SetShowItemText(bool v);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v) {
        if (v >= 0) FDropDownCount = v;
    }
    int ListBoxHeight() const { return FListBoxHeight; }
    void SetListBoxHeight(int v) { FListBoxHeight = v; }
    void SetToolButtonStyle(bool v);
    void SetDefaultColor(TColor v);
    void SetHideSelection(bool v) { FHideSelection = v; }

    TFont& ListBoxDefaultFont() { return FListBox->DefaultFont(); }
    bool ListBoxUseSkinFont() const { return FListBox->UseSkinFont(); }
    void SetListBoxUseSkinFont(bool v) { FListBox->SetUseSkinFont(v); }
    bool ListBoxShowItemTitles() const { return FListBox->ShowItemTitles(); }
    void SetListBoxShowItemTitles(bool v) { FListBox->SetShowItemTitles(v); }
    QString ListBoxSkinDataName() const { return FListBox->SkinDataName(); }
    void SetListBoxSkinDataName(const QString& v) { FListBox->SetSkinDataName(v); }
    bool ListBoxShowLines() const { return FListBox->ShowLines(); }
    void SetListBoxShowLines(bool v) { FListBox->SetShowLines(v); }
    int ListBoxItemHeight() const { return FListBox->ItemHeight(); }
    void SetListBoxItemHeight(int v) { FListBox->SetItemHeight(v); }
    int ListBoxHeaderHeight() const { return FListBox->HeaderHeight(); }
    void SetListBoxHeaderHeight(int v) { FListBox->SetHeaderHeight(v); }

    TqvPopupOfficeListBox* ListBox() const { return FListBox; }
    int OldItemIndex() const { return FOldItemIndex; }
    int DragTimerMode() const { return TimerMode; }

    void ChangeSkinData() override;
    virtual void Change();
    virtual void DropDown();
    void CloseUp(bool Value);

    TqvDrawSkinOfficeItemEvent OnDrawItem;

protected:
    bool OfficeFace() const override { return true; }
    int FaceItemCount() const override { return FListBox->Items().Count(); }
    bool FaceListVisible() const override { return FListBox->IsShown(); }
    int FaceListItemIndex() const override { return FListBox->ItemIndex(); }
    void DrawItemContent(TCanvas& C, QImage& B, TRect T, int Index, TFacePainter Painter) override;
    bool HasItemDrawEvent() const override { return bool(OnDrawItem); }

    void WndProc(TMessage& message) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void OpenList() override { DropDown(); }
    void CloseList() override { CloseUp(false); }
    void MoveAt(QPoint p, QPoint global) override;
    void ReleaseAt(QPoint global) override;
    void DragTracking(QPoint global);
    void StartDragTimer(int mode);
    void StopDragTimer();
    bool OverList(QPoint global) const;

    TqvPopupOfficeListBox* FListBox;
    bool FShowItemTitle = true, FShowItemImage = true, FShowItemText = true;
    int FDropDownCount = 7;
    int FListBoxHeight = 0;
    bool FSendingToList = false;
};

class TqvSkinOfficeComboBox : public TqvSkinCustomOfficeComboBox {
    Q_OBJECT
public:
    using TqvSkinCustomOfficeComboBox::TqvSkinCustomOfficeComboBox;
};
