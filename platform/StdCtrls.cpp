#include "platform/StdCtrls.h"

#include "platform/Application.h"

#include <QApplication>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>

// ---- TButton ----

TButton::TButton(QObject* AOwner) : TWinControl(AOwner), FButton(new QPushButton(this)) {
    SetInner(FButton);
    FButton->setAutoDefault(false);
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
    connect(FButton, &QPushButton::clicked, this, [this] { Application()->Guard([this] { Click(); }); });
}

void TButton::TextChanged() { FButton->setText(Caption()); }

void TButton::Click() {
    if (TForm* f = ParentForm()) f->SetModalResult(FModalResult);
    TWinControl::Click();
}

bool TButton::DialogKey(int key, Qt::KeyboardModifiers shift) {
    if (shift != Qt::NoModifier || !CanFocus()) return false;
    bool press = false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // The focused button takes Enter; the default one only when no button has the focus.
        TControl* focused = FindControl(window()->focusWidget());
        const bool buttonFocused = focused && focused->IsButtonControl() && focused->window() == window();
        press = buttonFocused ? focused == this : FDefault;
    } else if (key == Qt::Key_Escape) {
        press = FCancel;
    }
    if (press) Click();
    return press;
}

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
constexpr int kObjectRole = Qt::UserRole + 1;

QVariant ObjectData(TObjectRef o) { return QVariant::fromValue(reinterpret_cast<quintptr>(o)); }
TObjectRef ObjectOf(const QVariant& v) { return reinterpret_cast<TObjectRef>(v.value<quintptr>()); }

// Where s goes in a list kept in case-insensitive order.
template <class Get> int SortedPosition(int count, Get get, const QString& s) {
    int lo = 0, hi = count;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (get(mid).compare(s, Qt::CaseInsensitive) <= 0) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}
}  // namespace

// ---- TEdit ----

TEdit::TEdit(QObject* AOwner) : TWinControl(AOwner), FEdit(new QLineEdit(this)) {
    SetInner(FEdit);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
    connect(FEdit, &QLineEdit::textChanged, this, [this](const QString& t) {
        StoreText(t);
        Application()->Guard([this] { Change(); });
    });
}

void TEdit::TextChanged() {
    if (FEdit->text() != Text()) FEdit->setText(Text());
}

void TEdit::Change() {
    if (OnChange) OnChange(this);
}

bool TEdit::ReadOnly() const { return FEdit->isReadOnly(); }
void TEdit::SetReadOnly(bool v) { FEdit->setReadOnly(v); }

void TEdit::SetMaxLength(int v) {
    FMaxLength = std::max(0, v);
    FEdit->setMaxLength(FMaxLength == 0 ? 32767 : FMaxLength);
}

void TEdit::SetPasswordChar(QChar c) {
    FPasswordChar = c;
    FEdit->setEchoMode(c.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

int TEdit::SelStart() const { return FEdit->hasSelectedText() ? FEdit->selectionStart() : FEdit->cursorPosition(); }
void TEdit::SetSelStart(int v) { FEdit->setCursorPosition(v); }
int TEdit::SelLength() const { return FEdit->selectedText().size(); }
void TEdit::SetSelLength(int v) { FEdit->setSelection(SelStart(), v); }
QString TEdit::SelText() const { return FEdit->selectedText(); }
void TEdit::SelectAll() { FEdit->selectAll(); }

// ---- TMemo ----

// The memo's lines over its document; an empty memo has no lines.
class TMemoStrings : public TStrings {
public:
    TMemoStrings(TMemo* owner, QPlainTextEdit* memo) : FOwner(owner), FMemo(memo) {}
    int Count() const override { return FMemo->document()->isEmpty() ? 0 : FMemo->document()->blockCount(); }
    QString Get(int index) const override {
        CheckIndex(index, Count());
        return FMemo->document()->findBlockByNumber(index).text();
    }
    void Put(int index, const QString& s) override {
        CheckIndex(index, Count());
        QTextCursor c(FMemo->document()->findBlockByNumber(index));
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        c.insertText(s);
    }
    void Insert(int index, const QString& s) override {
        const int n = Count();
        CheckIndex(index, n + 1);
        if (n == 0) {
            FMemo->setPlainText(s);
        } else if (index == n && FMemo->maximumBlockCount() == 0) {
            QTextCursor c(FMemo->document());
            c.movePosition(QTextCursor::End);
            {
                const QSignalBlocker quiet(FMemo);
                c.insertText(QStringLiteral("\n") + s);
            }
            FOwner->LineAppended(s);
        } else {
            QTextCursor c(FMemo->document()->findBlockByNumber(index));
            c.insertText(s + QStringLiteral("\n"));
        }
    }
    void Delete(int index) override {
        const int n = Count();
        CheckIndex(index, n);
        if (n == 1) {
            FMemo->clear();
            return;
        }
        QTextDocument* d = FMemo->document();
        QTextCursor c(d);
        if (index < n - 1) {
            c.setPosition(d->findBlockByNumber(index).position());
            c.setPosition(d->findBlockByNumber(index + 1).position(), QTextCursor::KeepAnchor);
        } else {
            const QTextBlock prev = d->findBlockByNumber(index - 1);
            c.setPosition(prev.position() + prev.length() - 1);
            c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        }
        c.removeSelectedText();
    }
    void Clear() override { FMemo->clear(); }

private:
    TMemo* FOwner;
    QPlainTextEdit* FMemo;
};

TMemo::TMemo(QObject* AOwner)
    : TWinControl(AOwner), FMemo(new QPlainTextEdit(this)), FLines(std::make_unique<TMemoStrings>(this, FMemo)) {
    SetInner(FMemo);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 185, 89);
    FMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(FMemo, &QPlainTextEdit::textChanged, this, [this] {
        StoreText(FMemo->toPlainText());
        Application()->Guard([this] { if (OnChange) OnChange(this); });
    });
}

TMemo::~TMemo() = default;

void TMemo::LineAppended(QString line) {
    // As the document's plain text reads it back.
    for (QChar& ch : line) {
        if (ch == u'\r' || ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator) ch = u'\n';
        else if (ch == QChar::Nbsp) ch = u' ';
    }
    QString text = Text();
    StoreText(QString());  // the text's one holder now, so it grows in place
    text += u'\n';
    text += line;
    StoreText(text);
    Application()->Guard([this] { if (OnChange) OnChange(this); });
}

void TMemo::TextChanged() {
    if (FMemo->toPlainText() != Text()) FMemo->setPlainText(Text());
}

bool TMemo::ReadOnly() const { return FMemo->isReadOnly(); }
void TMemo::SetReadOnly(bool v) { FMemo->setReadOnly(v); }

bool TMemo::WordWrap() const { return FMemo->lineWrapMode() == QPlainTextEdit::WidgetWidth; }

void TMemo::SetWordWrap(bool v) {
    FMemo->setLineWrapMode(v ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::SetScrollBars(TScrollStyle v) {
    FScrollBars = v;
    const bool h = v == ssHorizontal || v == ssBoth, vert = v == ssVertical || v == ssBoth;
    FMemo->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FMemo->setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

// ---- TCheckBox ----

TCheckBox::TCheckBox(QObject* AOwner) : TWinControl(AOwner), FBox(new QCheckBox(this)) {
    SetInner(FBox);
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
    connect(FBox, &QCheckBox::clicked, this, [this] {
        if (FSyncing) return;
        const Qt::CheckState s = FBox->checkState();
        FState = s == Qt::Checked ? cbChecked : s == Qt::PartiallyChecked ? cbGrayed : cbUnchecked;
        Application()->Guard([this] { Click(); });
    });
}

void TCheckBox::TextChanged() { FBox->setText(Caption()); }

bool TCheckBox::AllowGrayed() const { return FBox->isTristate(); }
void TCheckBox::SetAllowGrayed(bool v) { FBox->setTristate(v); }

void TCheckBox::SetState(TCheckBoxState v) {
    if (v == FState) return;
    FState = v;
    FSyncing = true;
    FBox->setCheckState(v == cbChecked ? Qt::Checked : v == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
    FSyncing = false;
    if (!Loading()) Click();
}

// ---- TComboBox ----

class TComboStrings : public TStrings {
public:
    explicit TComboStrings(TComboBox* owner) : FOwner(owner) {}
    QComboBox* Box() const { return FOwner->FCombo; }
    int Count() const override { return Box()->count(); }
    QString Get(int index) const override {
        CheckIndex(index, Count());
        return Box()->itemText(index);
    }
    void Put(int index, const QString& s) override {
        CheckIndex(index, Count());
        Box()->setItemText(index, s);
    }
    TObjectRef GetObject(int index) const override {
        CheckIndex(index, Count());
        return ObjectOf(Box()->itemData(index, kObjectRole));
    }
    void PutObject(int index, TObjectRef o) override {
        CheckIndex(index, Count());
        Box()->setItemData(index, ObjectData(o), kObjectRole);
    }
    int Add(const QString& s) override {
        if (!FOwner->FSorted) return TStrings::Add(s);
        const int i = SortedPosition(Count(), [this](int k) { return Box()->itemText(k); }, s);
        Insert(i, s);
        return i;
    }
    void Insert(int index, const QString& s) override {
        CheckIndex(index, Count() + 1);
        // Qt selects the first item added to an empty box; the class library selects nothing.
        const int current = Box()->currentIndex();
        Box()->insertItem(index, s);
        Box()->setCurrentIndex(current < 0 ? -1 : (index <= current ? current + 1 : current));
    }
    void Delete(int index) override {
        CheckIndex(index, Count());
        Box()->removeItem(index);
    }
    void Clear() override { Box()->clear(); }

private:
    TComboBox* FOwner;
};

TComboBox::TComboBox(QObject* AOwner)
    : TWinControl(AOwner), FCombo(new QComboBox(this)), FItems(std::make_unique<TComboStrings>(this)) {
    SetInner(FCombo);
    SetTabStop(true);
    SetColor(clWindow);
    SetStyle(csDropDown);
    SetBounds(0, 0, 145, 21);
    FCombo->setMaxVisibleItems(8);
    FCombo->setInsertPolicy(QComboBox::NoInsert);
    connect(FCombo, &QComboBox::currentTextChanged, this, [this](const QString& t) { StoreText(t); });
    connect(FCombo, &QComboBox::activated, this, [this](int) {
        StoreText(FCombo->currentText());
        Application()->Guard([this] {
            Click();
            if (OnSelect) OnSelect(this);
            else Change();
        });
    });
}

TComboBox::~TComboBox() = default;

void TComboBox::Change() {
    if (OnChange) OnChange(this);
}

int TComboBox::ItemIndex() const { return FCombo->currentIndex(); }

void TComboBox::SetItemIndex(int v) {
    if (v < -1 || v >= FCombo->count()) v = -1;
    FCombo->setCurrentIndex(v);
    StoreText(FCombo->currentText());
}

void TComboBox::TextChanged() {
    if (FCombo->isEditable()) {
        FCombo->setEditText(Text());
    } else {
        // A list-only box shows the item of that text, or nothing.
        SetItemIndex(FItems->IndexOf(Text()));
    }
}

void TComboBox::SetStyle(TComboBoxStyle v) {
    FStyle = v;
    const bool editable = v == csDropDown || v == csSimple;
    if (editable == FCombo->isEditable()) return;
    FCombo->setEditable(editable);
    if (editable)
        connect(FCombo->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) {
            StoreText(t);
            Application()->Guard([this] { Change(); });
        });
}

int TComboBox::DropDownCount() const { return FCombo->maxVisibleItems(); }
void TComboBox::SetDropDownCount(int v) { FCombo->setMaxVisibleItems(std::max(1, v)); }

void TComboBox::SetSorted(bool v) {
    if (v == FSorted) return;
    FSorted = v;
    if (!v) return;
    TStringList all;
    all.Assign(*FItems);
    const QString current = ItemIndex() >= 0 ? FItems->Get(ItemIndex()) : QString();
    all.SetSorted(true);
    all.SetDuplicates(dupAccept);
    FItems->Assign(all);
    if (!current.isNull()) SetItemIndex(FItems->IndexOf(current));
}

bool TComboBox::DroppedDown() const { return FCombo->view() && FCombo->view()->isVisible(); }

void TComboBox::SetDroppedDown(bool v) {
    if (v) {
        if (OnDropDown) OnDropDown(this);
        FCombo->showPopup();
    } else {
        FCombo->hidePopup();
        if (OnCloseUp) OnCloseUp(this);
    }
}

// ---- TListBox ----

class TListStrings : public TStrings {
public:
    explicit TListStrings(TListBox* owner) : FOwner(owner) {}
    QListWidget* List() const { return FOwner->FList; }
    int Count() const override { return List()->count(); }
    QString Get(int index) const override {
        CheckIndex(index, Count());
        return List()->item(index)->text();
    }
    void Put(int index, const QString& s) override {
        CheckIndex(index, Count());
        List()->item(index)->setText(s);
    }
    TObjectRef GetObject(int index) const override {
        CheckIndex(index, Count());
        return ObjectOf(List()->item(index)->data(kObjectRole));
    }
    void PutObject(int index, TObjectRef o) override {
        CheckIndex(index, Count());
        List()->item(index)->setData(kObjectRole, ObjectData(o));
    }
    int Add(const QString& s) override {
        if (!FOwner->FSorted) return TStrings::Add(s);
        const int i = SortedPosition(Count(), [this](int k) { return List()->item(k)->text(); }, s);
        Insert(i, s);
        return i;
    }
    void Insert(int index, const QString& s) override {
        CheckIndex(index, Count() + 1);
        const QScopedValueRollback syncing(FOwner->FSyncing, true);
        List()->insertItem(index, s);
    }
    void Delete(int index) override {
        CheckIndex(index, Count());
        const QScopedValueRollback syncing(FOwner->FSyncing, true);
        delete List()->takeItem(index);
    }
    void Clear() override {
        const QScopedValueRollback syncing(FOwner->FSyncing, true);
        List()->clear();
    }

private:
    TListBox* FOwner;
};

TListBox::TListBox(QObject* AOwner)
    : TWinControl(AOwner), FList(new QListWidget(this)), FItems(std::make_unique<TListStrings>(this)) {
    SetInner(FList);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
    FList->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(FList, &QListWidget::itemSelectionChanged, this, [this] {
        if (!FSyncing) Application()->Guard([this] { Click(); });
    });
    connect(FList, &QListWidget::itemDoubleClicked, this, [this] {
        Application()->Guard([this] { if (OnDblClick) OnDblClick(this); });
    });
}

TListBox::~TListBox() = default;

int TListBox::ItemIndex() const { return FList->currentRow(); }

void TListBox::SetItemIndex(int v) {
    if (v < -1 || v >= FList->count()) v = -1;
    const QScopedValueRollback syncing(FSyncing, true);
    if (v < 0) {
        FList->clearSelection();
        FList->setCurrentRow(-1);
    } else {
        FList->setCurrentRow(v, MultiSelect() ? QItemSelectionModel::Current : QItemSelectionModel::ClearAndSelect);
    }
}

bool TListBox::MultiSelect() const { return FList->selectionMode() == QAbstractItemView::ExtendedSelection; }

void TListBox::SetMultiSelect(bool v) {
    FList->setSelectionMode(v ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TListBox::Selected(int index) const {
    TStrings::CheckIndex(index, FList->count());
    return FList->item(index)->isSelected();
}

void TListBox::SetSelected(int index, bool v) {
    TStrings::CheckIndex(index, FList->count());
    const QScopedValueRollback syncing(FSyncing, true);
    if (!MultiSelect() && v) FList->setCurrentRow(index);
    else FList->item(index)->setSelected(v);
}

int TListBox::SelCount() const { return MultiSelect() ? int(FList->selectedItems().size()) : -1; }

void TListBox::SetSorted(bool v) {
    if (v == FSorted) return;
    FSorted = v;
    if (!v) return;
    TStringList all;
    all.Assign(*FItems);
    all.SetSorted(true);
    all.SetDuplicates(dupAccept);
    FItems->Assign(all);
}

int TListBox::TopIndex() const {
    QListWidgetItem* it = FList->itemAt(0, 0);
    return it ? FList->row(it) : 0;
}

void TListBox::SetTopIndex(int v) {
    if (QListWidgetItem* it = FList->item(v)) FList->scrollToItem(it, QAbstractItemView::PositionAtTop);
}

// ---- TCustomLabel ----

TCustomLabel::TCustomLabel(QObject* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 65, 17);
    AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment v) {
    if (FAlignment == v) return;
    FAlignment = v;
    update();
}

void TCustomLabel::SetLayout(TTextLayout v) {
    if (FLayout == v) return;
    FLayout = v;
    update();
}

void TCustomLabel::SetWordWrap(bool v) {
    if (FWordWrap == v) return;
    FWordWrap = v;
    AdjustBounds();
    update();
}

void TCustomLabel::SetAutoSize(bool v) {
    if (FAutoSize == v) return;
    FAutoSize = v;
    AdjustBounds();
}

void TCustomLabel::SetShowAccelChar(bool v) {
    if (FShowAccelChar == v) return;
    FShowAccelChar = v;
    AdjustBounds();
    update();
}

void TCustomLabel::SetTransparent(bool v) {
    FTransparent = v;
    update();
}

void TCustomLabel::TextChanged() {
    AdjustBounds();
    update();
}

void TCustomLabel::FontChanged() {
    AdjustBounds();
    update();
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::DrawTextRun(TCanvas& C, const QString& Text, TRect R, unsigned Flags) {
    if (!(Flags & DT_CALCRECT)) FRuns.push_back({Text, R, C.Font().Color(), Flags});
    C.DrawText(Text, R, Flags);
}

void TCustomLabel::DoDrawText(TCanvas& C, TRect& R, unsigned Flags) {
    QString text = GetLabelText();
    if ((Flags & DT_CALCRECT) && (text.isEmpty() || (FShowAccelChar && text == QLatin1String("&"))))
        text += QLatin1Char(' ');
    if (!FShowAccelChar) Flags |= DT_NOPREFIX;
    C.SetFont(Font());
    if (Flags & DT_CALCRECT) {
        C.DrawText(text, R, Flags);
        return;
    }
    C.Brush().SetStyle(bsClear);
    if (Enabled()) {
        DrawTextRun(C, text, R, Flags);
        return;
    }
    C.Font().SetColor(clBtnHighlight);
    DrawTextRun(C, text, Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1), Flags);
    C.Font().SetColor(clBtnShadow);
    DrawTextRun(C, text, R, Flags);
}

void TCustomLabel::Paint() {
    FRuns.clear();
    TCanvas& C = Canvas();
    TRect R = ClientRect();
    if (!FTransparent) {
        C.Brush().SetColor(Color());
        C.FillRect(R);
    }
    C.Brush().SetStyle(bsClear);
    unsigned flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u) |
                     (FAlignment == taRightJustify ? DT_RIGHT : FAlignment == taCenter ? DT_CENTER : DT_LEFT);
    if (FLayout != tlTop) {
        TRect m = R;
        DoDrawText(C, m, flags | DT_CALCRECT);
        const int dy = FLayout == tlBottom ? R.Height() - m.Height() : (R.Height() - m.Height()) / 2;
        R.Top += dy;
        R.Bottom += dy;
    }
    DoDrawText(C, R, flags);
}

QImage TCustomLabel::PaintToImage() {
    if (Width() <= 0 || Height() <= 0) return {};
    QImage img(size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QImage* own = Canvas().Image();
    Canvas().SetImage(&img);
    Canvas().SetFont(Font());
    Paint();
    Canvas().SetImage(own);
    return img;
}

void TCustomLabel::AdjustBounds() {
    if (!FAutoSize || Loading()) return;
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TCanvas c(&scratch);
    TRect R = ClientRect();
    DoDrawText(c, R, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0u));
    int x = Left();
    if (FAlignment == taRightJustify) x += Width() - R.Right;
    SetBounds(x, Top(), R.Right, R.Bottom);
}
