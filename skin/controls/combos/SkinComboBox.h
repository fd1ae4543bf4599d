// The skinned combo box: a face showing the chosen string, a drop-down
// button and a drop-down list (fixed style), or an inner edit over the text
// area with completion (edit style). OnChange runs only when the text
// changes; OnClick on every ItemIndex write outside loading.
#pragma once

#include "skin/controls/edits/CustomEdit.h"
#include "skin/controls/lists/SkinListBox.h"
#include "skin/controls/office/SkinComboFace.h"

enum TqvSkinCustomComboBoxStyle { qvcbEditStyle, qvcbFixedStyle };

class TqvSkinCustomComboBox : public TqvSkinComboFace {
    Q_OBJECT
public:
    explicit TqvSkinCustomComboBox(QObject* AOwner = nullptr);
    ~TqvSkinCustomComboBox() override;

    TStrings& Items() { return FListBox->Items(); }
    void SetItems(const TStrings& v) { FListBox->Items().Assign(v); }
    int ItemIndex() const { return FListBox->ItemIndex(); }
    void SetItemIndex(int Value);
    bool Sorted() const { return FListBox->Sorted(); }
    void SetSorted(bool v) { FListBox->SetSorted(v); }
    TCustomImageList* Images() const { return FListBox->Images(); }
    void SetImages(TCustomImageList* v);
    int ImageIndex() const { return FListBox->ImageIndex(); }
    void SetImageIndex(int v);
    TStringList& TabWidths() { return FListBox->TabWidths(); }
    void SetTabWidths(const TStrings& v) { FListBox->SetTabWidths(v); }
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v) {
        if (v >= 1) FDropDownCount = v;
    }
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool v) { FAutoComplete = v; }
    void SetToolButtonStyle(bool v);
    void SetDefaultColor(TColor v);
    void SetHideSelection(bool v);
    TqvSkinCustomComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TqvSkinCustomComboBoxStyle v);
    int SelStart() const { return FEdit ? FEdit->SelStart() : 0; }
    void SetSelStart(int v) {
        if (FEdit) FEdit->SetSelStart(v);
    }
    int SelLength() const { return FEdit ? FEdit->SelLength() : 0; }
    void SetSelLength(int v) {
        if (FEdit) FEdit->SetSelLength(v);
    }

    TqvPopupListBox* ListBox() const { return FListBox; }
    TqvCustomEdit* Edit() const { return FEdit; }
    int OldItemIndex() const { return FOldItemIndex; }
    int DragTimerMode() const { return TimerMode; }

    void ChangeSkinData() override;
    void CalcFaceLayout() override;
    virtual void Change() {}
    virtual void DropDown();
    void CloseUp(bool Value);

    TqvDrawSkinItemEvent OnComboBoxDrawItem;
    void SetOnListBoxDrawItem(TqvDrawSkinItemEvent e) { FListBox->OnDrawItem = std::move(e); }

protected:
    // The inner edit's events (true = not passed on to the edit).
    virtual bool EditWndProc(QEvent* e);
    virtual void CreateEditCtrl();

    bool OfficeFace() const override { return false; }
    int FaceItemCount() const override { return FListBox->Items().Count(); }
    bool FaceListVisible() const override { return FListBox->IsShown(); }
    int FaceListItemIndex() const override { return FListBox->ItemIndex(); }
    void DrawItemContent(TCanvas& C, QImage& B, TRect T, int Index, TFacePainter Painter) override;
    bool HasItemDrawEvent() const override { return bool(OnComboBoxDrawItem); }
    bool HasInnerEdit() const override { return FEdit != nullptr; }
    bool InnerEditFocused() const override;

    void TextChanged() override;
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
    void CancelMode(QObject* C);
    void Search(QChar Ch);
    void EditChange();
    void EditTextSearch();
    void StepEdit(int Delta, bool AChange);
    void OpenList() override { DropDown(); }
    void CloseList() override { CloseUp(false); }
    void MoveAt(QPoint p, QPoint global) override;
    void ReleaseAt(QPoint global) override;
    void DragTracking(QPoint global);
    void StartDragTimer(int mode);
    void StopDragTimer();
    void HotTrack(int X, int Y);
    void SetEditColour(TColor c);
    QWidget* InnerList() const;

    TqvPopupListBox* FListBox;
    TqvCustomEdit* FEdit = nullptr;
    TqvSkinCustomComboBoxStyle FStyle = qvcbFixedStyle;
    int FDropDownCount = 8;
    bool FAutoComplete = true;
    std::uint32_t FLastTime = 0;
    QString FFilter;
    bool FromEdit = false;
    bool FSendingToList = false;
};

class TqvSkinComboBox : public TqvSkinCustomComboBox {
    Q_OBJECT
public:
    using TqvSkinCustomComboBox::TqvSkinCustomComboBox;
};
