// The plain (unskinned) controls the program's forms use, each a control
// wrapping one Qt widget, and TStrings.
#pragma once

#include "platform/Classes.h"
#include "platform/Control.h"
#include "platform/ExtCtrls.h"
#include "platform/Form.h"

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class TButton : public TWinControl {
    Q_OBJECT
public:
    explicit TButton(QObject* AOwner = nullptr);

    bool Default() const { return FDefault; }
    void SetDefault(bool v) { FDefault = v; }
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }

    // Sets the parent form's ModalResult to the button's, then runs OnClick.
    void Click() override;
    bool DialogKey(int key, Qt::KeyboardModifiers shift) override;
    bool IsButtonControl() const override { return true; }
    QPushButton* Widget() const { return FButton; }

protected:
    void TextChanged() override;

private:
    QPushButton* FButton;
    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};

class TEdit : public TWinControl {
    Q_OBJECT
public:
    explicit TEdit(QObject* AOwner = nullptr);

    bool ReadOnly() const;
    void SetReadOnly(bool v);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    // A non-null character hides the text behind it.
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar c);
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    QString SelText() const;
    void SelectAll();
    void Clear() { SetText(QString()); }
    QLineEdit* Widget() const { return FEdit; }

    // Runs on every change of the text, typed or set from code.
    TNotifyEvent OnChange;

protected:
    void TextChanged() override;
    virtual void Change();

private:
    QLineEdit* FEdit;
    int FMaxLength = 0;
    QChar FPasswordChar;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TWinControl {
    Q_OBJECT
public:
    explicit TMemo(QObject* AOwner = nullptr);
    ~TMemo() override;

    // The lines, live: changing them changes the memo.
    TStrings& Lines() { return *FLines; }
    bool ReadOnly() const;
    void SetReadOnly(bool v);
    bool WordWrap() const;
    void SetWordWrap(bool v);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    void Clear() { SetText(QString()); }
    QPlainTextEdit* Widget() const { return FMemo; }

    TNotifyEvent OnChange;

protected:
    void TextChanged() override;

private:
    friend class TMemoStrings;
    // A line added at the end: the text grows by it instead of being read
    // back whole, so a long log costs what its lines cost.
    void LineAppended(QString line);
    QPlainTextEdit* FMemo;
    std::unique_ptr<TStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
    Q_OBJECT
public:
    explicit TCheckBox(QObject* AOwner = nullptr);

    bool Checked() const { return FState == cbChecked; }
    // A change from code runs OnClick too (not while loading), as a click would.
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool AllowGrayed() const;
    void SetAllowGrayed(bool v);
    QCheckBox* Widget() const { return FBox; }

protected:
    void TextChanged() override;

private:
    QCheckBox* FBox;
    TCheckBoxState FState = cbUnchecked;
    bool FSyncing = false;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public TWinControl {
    Q_OBJECT
public:
    explicit TComboBox(QObject* AOwner = nullptr);
    ~TComboBox() override;

    TStrings& Items() { return *FItems; }
    // Selecting from code runs no events; a user's choice runs OnClick, then
    // OnSelect (or OnChange when OnSelect is unbound).
    int ItemIndex() const;
    void SetItemIndex(int v);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);
    int DropDownCount() const;
    void SetDropDownCount(int v);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    QComboBox* Widget() const { return FCombo; }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void TextChanged() override;
    virtual void Change();

private:
    friend class TComboStrings;
    QComboBox* FCombo;
    std::unique_ptr<TStrings> FItems;
    TComboBoxStyle FStyle = csDropDown;
    bool FSorted = false;
};

class TListBox : public TWinControl {
    Q_OBJECT
public:
    explicit TListBox(QObject* AOwner = nullptr);
    ~TListBox() override;

    TStrings& Items() { return *FItems; }
    int Count() const { return FItems->Count(); }
    // Selecting from code runs no events; a user's selection runs OnClick.
    int ItemIndex() const;
    void SetItemIndex(int v);
    bool MultiSelect() const;
    void SetMultiSelect(bool v);
    bool Selected(int index) const;
    void SetSelected(int index, bool v);
    int SelCount() const;
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    int TopIndex() const;
    void SetTopIndex(int v);
    void Clear() { FItems->Clear(); }
    QListWidget* Widget() const { return FList; }

private:
    friend class TListStrings;
    QListWidget* FList;
    std::unique_ptr<TStrings> FItems;
    bool FSorted = false;
    bool FSyncing = false;  // selection changes from code, not the user's
};

enum TTextLayout { tlTop, tlCenter, tlBottom };

// One text drawn by a label: where, in which colour, with which flags (what
// a label's tests look at instead of glyph pixels).
struct TLabelTextRun {
    QString Text;
    TRect R{};
    TColor Color = clBlack;
    unsigned Flags = 0;
};

// A windowless, transparent caption: alignment, vertical layout, word wrap,
// auto-size and "&" accelerators. Descendants draw and measure the text in
// DoDrawText; auto-size measures through it with DT_CALCRECT.
class TCustomLabel : public TGraphicControl {
    Q_OBJECT
public:
    explicit TCustomLabel(QObject* AOwner = nullptr);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);

    // Fits the size to the text (AutoSize on); a right-aligned label keeps its right edge.
    void AdjustBounds();
    // The label's picture, transparent where nothing is drawn.
    QImage PaintToImage();
    // The texts the last paint drew, in order.
    const std::vector<TLabelTextRun>& LastTextRuns() const { return FRuns; }

protected:
    virtual QString GetLabelText() const { return Caption(); }
    // Draws (or with DT_CALCRECT measures into R) the label text.
    virtual void DoDrawText(TCanvas& C, TRect& R, unsigned Flags);
    // Draws one text and records it.
    void DrawTextRun(TCanvas& C, const QString& Text, TRect R, unsigned Flags);
    // Records a text a descendant drew by other means (a halo, a shadow).
    void RecordTextRun(const TLabelTextRun& Run) { FRuns.push_back(Run); }
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;

private:
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FAutoSize = true;
    bool FShowAccelChar = true;
    bool FTransparent = true;
    std::vector<TLabelTextRun> FRuns;
};
