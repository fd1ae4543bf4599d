#include "skin/controls/combos/SkinComboBox.h"

#include "platform/Application.h"
#include "platform/Sources.h"
#include "skin/controls/menus/SkinMenuServices.h"
#include "skin/model/draw/DrawHelpers.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QTextOption>
#include <QWheelEvent>

namespace {

constexpr int kDragInterval = 25;
constexpr std::uint32_t kSearchPause = 499, kCompletionPause = 200;

// Character sets whose input methods compose text in the edit (Shift-JIS,
// GB 2312, Big5).
bool ComposingCharset(int cs) { return cs == 128 || cs == 134 || cs == 136; }

}  // namespace

TqvSkinCustomComboBox::TqvSkinCustomComboBox(QObject* AOwner)
    : TqvSkinComboFace(AOwner), FListBox(new TqvPopupListBox(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    SetTabStop(true);
    Font().SetName(QStringLiteral("Arial"));
    Font().SetColor(clWindowText);
    Font().SetStyle(0);
    Font().SetHeight(14);
    SetBounds(Left(), Top(), 120, 20);
    TqvListBox* inner = FListBox->ListBox();
    inner->SetTabStop(false);
    inner->Widget()->setFocusPolicy(Qt::NoFocus);
    inner->OnMouseMove = [this](QObject*, Qt::KeyboardModifiers, int X, int Y) { HotTrack(X, Y); };
    inner->Widget()->viewport()->installEventFilter(this);
    FListBox->OnCheckButtonClick = [this](QObject*) { CloseUp(true); };
    FListBox->Window()->OnCancelMode = [this] { CloseUp(false); };
    CalcFaceLayout();
    SetSkinDataName(QStringLiteral("combobox"));
}

TqvSkinCustomComboBox::~TqvSkinCustomComboBox() {
    FDragTimer.Stop();
    if (TqvCustomEdit* e = std::exchange(FEdit, nullptr)) {
        // A focused edit reports its focus loss while it goes.
        e->Widget()->removeEventFilter(this);
        delete e;
    }
    FListBox->ListBox()->Widget()->viewport()->removeEventFilter(this);
    delete FListBox;
}

QWidget* TqvSkinCustomComboBox::InnerList() const { return FListBox->ListBox()->Widget()->viewport(); }

// ---- index and text

void TqvSkinCustomComboBox::SetItemIndex(int Value) {
    FListBox->SetItemIndex(Value);
    const int i = FListBox->ItemIndex();
    if (FListBox->Items().Count() > 0 && i != -1) SetText(FListBox->Items()[i]);
    FOldItemIndex = i;
    if (!FEdit) update();
    if (Loading()) return;
    if (OnClick) OnClick(this);
    Change();
}

void TqvSkinCustomComboBox::TextChanged() {
    TqvSkinComboFace::TextChanged();
    if (FEdit && !FromEdit && FEdit->Text() != Text()) FEdit->SetText(Text());
    if (OnChange) OnChange(this);
    if (FromEdit) Change();
}

void TqvSkinCustomComboBox::SetImages(TCustomImageList* v) {
    FListBox->SetImages(v);
    update();
}

void TqvSkinCustomComboBox::SetImageIndex(int v) {
    FListBox->SetImageIndex(v);
    update();
}

void TqvSkinCustomComboBox::SetToolButtonStyle(bool v) {
    if (v == FToolButtonStyle) return;
    FToolButtonStyle = v;
    if (v) {
        SetStyle(qvcbFixedStyle);
        FUseSkinSize = false;
    }
    update();
}

void TqvSkinCustomComboBox::SetDefaultColor(TColor v) {
    FDefaultColor = v;
    GetSkinData();
    if (SkinIndex() == -1) {
        update();
        if (FEdit) FEdit->SetColor(v);
    }
}

void TqvSkinCustomComboBox::SetHideSelection(bool v) { FHideSelection = v; }

// ---- opening and closing

void TqvSkinCustomComboBox::CloseUp(bool Value) {
    StopDragTimer();
    if (!FListBox->IsShown()) return;
    FListBox->Hide();
    const int i = FListBox->ItemIndex();
    if (i < 0) {
        FListBox->SetItemIndex(FOldItemIndex);
    } else if (i < FListBox->Items().Count() && Value) {
        if (FEdit) {
            FEdit->SetText(FListBox->Items()[i]);
            FEdit->SelectAll();
        } else {
            SetText(FListBox->Items()[i]);
            update();
        }
        if (OnClick) OnClick(this);
        Change();
    } else {
        FListBox->SetItemIndex(FOldItemIndex);
    }
    FDropDown = false;
    update();
    if (Value && OnCloseUp) OnCloseUp(this);
}

void TqvSkinCustomComboBox::DropDown() {
    const int count = FListBox->Items().Count();
    if (count == 0) return;
    WasInLB = false;
    StopDragTimer();
    if (OnDropDown) OnDropDown(this);
    FListBox->SetWidth(FListBoxWidth > 0 ? FListBoxWidth : Width());
    FListBox->SetRowCount(std::min(count, FDropDownCount));
    TPoint P = ClientToScreen({0, Height()});
    TRect work;
    GetMonitorWorkArea(this, true, work);
    if (P.Y + FListBox->Height() > work.Bottom) P.Y -= Height() + FListBox->Height();
    if (FEdit) FEdit->SetFocus();
    FOldItemIndex = FListBox->ItemIndex();
    if (FOldItemIndex == 0 && count > 1) {
        FListBox->SetItemIndex(1);
        FListBox->SetItemIndex(0);
    }
    FDropDown = true;
    if (FToolButtonStyle) update();
    FListBox->SetTopIndex(FListBox->ItemIndex());
    FListBox->SetSkinData(SkinData());
    const TqvPopupAlpha alpha{FAlphaBlend, FAlphaBlendValue, FAlphaBlendAnimation};
    FListBox->Show(this, P, &alpha);
}

// ---- skin and layout

void TqvSkinCustomComboBox::ChangeSkinData() {
    TqvSkinComboFace::ChangeSkinData();
    CalcFaceLayout();
    if (FEdit) {
        if (SkinIndex() != -1 && UseSkinFont()) {
            FEdit->Font().SetStyle(FontStyle);
            FEdit->Font().SetHeight(FontHeight);
            FEdit->Font().SetName(FontName);
            FEdit->Font().SetColor(FontColor);
        } else {
            FEdit->Font().Assign(DefaultFont());
            if (SkinIndex() != -1) FEdit->Font().SetColor(FontColor);
        }
        if (!IsNullRect(ActiveSkinRect) && (FEdit->Focused() || FMouseIn)) FEdit->Font().SetColor(ActiveFontColor);
        FEdit->Font().SetCharset(TextCharset());
        FEdit->SetEditTransparent(SkinIndex() != -1);
        if (!Enabled()) FEdit->Font().SetColor(DisabledColor());
    }
    update();
    FListBox->SetSkinDataName(SkinIndex() != -1 ? ListBoxName : QString());
    FListBox->SetSkinData(SkinData());
    FListBox->UpDateScrollBar();
    CalcFaceLayout();
    if (FEdit && SkinIndex() != -1) {
        int w = Width(), h = Height();
        AdjustSkinSize(w, h);
        if (w != Width()) SetWidth(w);
        if (h != Height()) SetHeight(h);
    }
}

void TqvSkinCustomComboBox::CalcFaceLayout() {
    TqvSkinComboFace::CalcFaceLayout();
    if (!FEdit) return;
    const int h = QFontMetrics(FEdit->Font().ToQFont()).height();
    FEdit->SetBounds(CBItem.R.Left, CBItem.R.Top + CBItem.R.Height() / 2 - h / 2, std::max(0, CBItem.R.Width()), h);
}

bool TqvSkinCustomComboBox::InnerEditFocused() const { return FEdit && FEdit->Widget()->hasFocus(); }

void TqvSkinCustomComboBox::SetEditColour(TColor c) {
    if (!FEdit) return;
    FEdit->Font().SetColor(c);
    update();
}

// ---- the face's content

void TqvSkinCustomComboBox::DrawItemContent(TCanvas& C, QImage& B, TRect T, int Index, TFacePainter Painter) {
    (void)Painter;
    if (OnComboBoxDrawItem) {
        OnComboBoxDrawItem(C, Index, B.width(), B.height(), T, {false, CBItem.Focused});
        return;
    }
    if (TCustomImageList* images = Images()) {
        const int ii = ImageIndex() >= 0 ? ImageIndex() : Index;
        if (ii < images->Count()) images->Draw(C, T.Left, T.Top + T.Height() / 2 - images->Height() / 2, ii, Enabled());
        T.Left += images->Width() + 2;
    }
    const QString text = FListBox->Items()[Index];
    const std::vector<int> stops = FListBox->TabStops();
    if (stops.empty()) {
        TextRectVCentered(C, text, T);
        return;
    }
    QPainter p(&B);
    p.setFont(C.Font().ToQFont());
    p.setPen(ColorToQColor(C.Font().Color()));
    QTextOption opt;
    QList<QTextOption::Tab> tabs;
    for (int s : stops)
        if (s > 0) tabs.append(QTextOption::Tab(s - (T.Left + 2), QTextOption::LeftTab));
    opt.setTabs(tabs);
    opt.setWrapMode(QTextOption::NoWrap);
    const int th = C.TextHeight(text);
    p.drawText(QRectF(T.Left + 2, T.Top + T.Height() / 2 - th / 2, B.width(), th), text, opt);
}

// ---- messages, focus, hover

void TqvSkinCustomComboBox::CancelMode(QObject* C) {
    TqvListBox* inner = FListBox->ListBox();
    if (!C || (C != this && C != FListBox && C != FListBox->ScrollBar() && C != FListBox->HScrollBar() && C != inner))
        CloseUp(false);
}

void TqvSkinCustomComboBox::WndProc(TMessage& message) {
    TqvSkinComboFace::WndProc(message);
    if (message.Msg == CM_CANCELMODE) CancelMode(reinterpret_cast<QObject*>(message.LParam));
}

void TqvSkinCustomComboBox::MouseEnter() {
    TqvSkinComboFace::MouseEnter();
    FMouseIn = true;
    const bool active = SkinIndex() != -1 && !IsNullRect(ActiveSkinRect);
    if (active && FEdit && !FEdit->Widget()->hasFocus()) SetEditColour(ActiveFontColor);
    if (active || FToolButtonStyle) update();
}

void TqvSkinCustomComboBox::MouseLeave() {
    TqvSkinComboFace::MouseLeave();
    FMouseIn = false;
    if (Button.MouseIn) {
        Button.MouseIn = false;
        update();
    }
    const bool active = SkinIndex() != -1 && !IsNullRect(ActiveSkinRect);
    if (active && FEdit && !FEdit->Widget()->hasFocus()) SetEditColour(FontColor);
    if (active || FToolButtonStyle) update();
}

void TqvSkinCustomComboBox::EnabledChanged() {
    TqvSkinComboFace::EnabledChanged();
    if (FEdit) SetEditColour(!Enabled() ? DisabledColor() : SkinIndex() == -1 ? DefaultFont().Color() : FontColor);
    update();
}

void TqvSkinCustomComboBox::focusInEvent(QFocusEvent* e) {
    TqvSkinComboFace::focusInEvent(e);
    Application()->Guard([this] {
        if (FEdit) {
            FEdit->SetFocus();
            if (SkinIndex() != -1 && !IsNullRect(ActiveSkinRect)) SetEditColour(ActiveFontColor);
        }
    });
    update();
}

void TqvSkinCustomComboBox::focusOutEvent(QFocusEvent* e) {
    TqvSkinComboFace::focusOutEvent(e);
    Application()->Guard([this] {
        if (!FEdit && FListBox->IsShown()) CloseUp(false);
    });
    update();
}

// ---- keys, search and wheel

void TqvSkinCustomComboBox::keyPressEvent(QKeyEvent* e) {
    // In edit style the edit's keys went through EditWndProc and raised the
    // box's key events already; what the edit leaves must not act twice.
    if (FEdit) {
        e->accept();
        return;
    }
    if (RunKeyEvents(e)) return;
    Application()->Guard([&] {
        const bool alt = e->modifiers() & Qt::AltModifier;
        const bool open = FListBox->IsShown();
        const int i = ItemIndex(), n = FListBox->Items().Count();
        switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            // A closed list leaves them to the form's default and cancel buttons.
            if (!open) e->ignore();
            else CloseUp(e->key() != Qt::Key_Escape);
            break;
        case Qt::Key_PageUp: SetItemIndex(std::max(0, i - FDropDownCount - 1)); break;
        case Qt::Key_PageDown: SetItemIndex(std::min(n - 1, i + FDropDownCount - 1)); break;
        case Qt::Key_Left:
        case Qt::Key_Up:
            if (alt) {
                if (open) CloseUp(false);
            } else if (i > 0) {
                SetItemIndex(i - 1);
            }
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            if (alt) {
                if (!open) DropDown();
            } else if (i < n - 1) {
                SetItemIndex(i + 1);
            }
            break;
        default:
            if (!e->text().isEmpty() && e->text()[0].isPrint()) Search(e->text()[0]);
            break;
        }
    });
}

void TqvSkinCustomComboBox::Search(QChar Ch) {
    QString s;
    if (FAutoComplete) {
        const std::uint32_t now = GetTickCount();
        if (now - FLastTime > kSearchPause) FFilter.clear();
        FLastTime = now;
        FFilter += Ch;
        s = FFilter;
    } else {
        s = Ch;
    }
    if (s.isEmpty()) return;
    const int found = FListBox->ListBox()->FindString(s, s.size() == 1 ? ItemIndex() : -1);
    if (found >= 0) SetItemIndex(found);
}

void TqvSkinCustomComboBox::wheelEvent(QWheelEvent* e) {
    e->accept();
    const int d = e->angleDelta().y();
    if (FEdit || d == 0) return;
    Application()->Guard([&] {
        const int i = FListBox->ItemIndex(), n = FListBox->Items().Count();
        const int to = d > 0 ? (i > 0 ? i - 1 : -2) : (i < n - 1 ? i + 1 : -2);
        if (to == -2) return;
        if (FListBox->IsShown()) FListBox->SetItemIndex(to);
        else SetItemIndex(to);
    });
}

// ---- mouse

void TqvSkinCustomComboBox::mousePressEvent(QMouseEvent* e) {
    TqvSkinComboFace::mousePressEvent(e);
    Application()->Guard([&] {
        if (!FEdit && !hasFocus()) setFocus(Qt::MouseFocusReason);
        PressAt(e->position().toPoint(), e->button(), !FEdit);
    });
    e->accept();
}

void TqvSkinCustomComboBox::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void TqvSkinCustomComboBox::mouseMoveEvent(QMouseEvent* e) {
    TqvSkinComboFace::mouseMoveEvent(e);
    Application()->Guard([&] { MoveAt(e->position().toPoint(), e->globalPosition().toPoint()); });
}

void TqvSkinCustomComboBox::MoveAt(QPoint p, QPoint global) {
    if (FLBDown) {
        DragTracking(global);
        return;
    }
    const bool in = PtInRect(Button.R, {p.x(), p.y()});
    if (in != Button.MouseIn) {
        Button.MouseIn = in;
        update();
    }
}

void TqvSkinCustomComboBox::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint global = e->globalPosition().toPoint();
    Application()->Guard([&] { ReleaseAt(global); });
    TqvSkinComboFace::mouseReleaseEvent(e);
    if (Button.Down) {
        Button.Down = false;
        update();
    }
}

void TqvSkinCustomComboBox::ReleaseAt(QPoint global) {
    if (FLBDown && WasInLB) {
        FLBDown = false;
        QWidget* inner = InnerList();
        CloseUp(FListBox->IsShown() && inner->rect().contains(inner->mapFromGlobal(global)));
    } else {
        FLBDown = false;
    }
}

void TqvSkinCustomComboBox::DragTracking(QPoint global) {
    QWidget* inner = InnerList();
    const QPoint p = inner->mapFromGlobal(global);
    const bool bar = FListBox->ScrollBar() != nullptr;
    if (p.y() < 0) {
        if (bar && WasInLB) StartDragTimer(1);
    } else if (p.y() > inner->height()) {
        if (bar && WasInLB) StartDragTimer(2);
    } else {
        StopDragTimer();
        QMouseEvent move(QEvent::MouseMove, QPointF(1, p.y()), inner->mapToGlobal(QPointF(1, p.y())), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        FSendingToList = true;
        QCoreApplication::sendEvent(inner, &move);
        FSendingToList = false;
        WasInLB = true;
    }
}

void TqvSkinCustomComboBox::HotTrack(int X, int Y) {
    const int i = FListBox->ListBox()->ItemAtPos({X, Y}, true);
    if (i >= 0 && i < FListBox->Items().Count()) FListBox->SetItemIndex(i);
}

void TqvSkinCustomComboBox::StartDragTimer(int mode) {
    if (mode == TimerMode) return;
    TimerMode = mode;
    FDragTimer.Start(kDragInterval, [this] {
        Application()->Guard([this] {
            const int i = FListBox->ItemIndex();
            if (TimerMode == 1 && i > 0) FListBox->SetItemIndex(i - 1);
            else if (TimerMode == 2 && i < FListBox->Items().Count() - 1) FListBox->SetItemIndex(i + 1);
        });
    });
}

void TqvSkinCustomComboBox::StopDragTimer() {
    FDragTimer.Stop();
    TimerMode = 0;
}

// The list's presses belong to the box (its press-drag-release); the edit's
// events go through EditWndProc.
bool TqvSkinCustomComboBox::eventFilter(QObject* watched, QEvent* e) {
    if (FEdit && watched == FEdit->Widget()) {
        bool swallow = false;
        Application()->Guard([&] { swallow = EditWndProc(e); });
        return swallow;
    }
    if (watched != InnerList() || FSendingToList) return TqvSkinComboFace::eventFilter(watched, e);
    return ListCaptureEvent(e);
}

// ---- edit style

void TqvSkinCustomComboBox::SetStyle(TqvSkinCustomComboBoxStyle v) {
    if (v == FStyle && FEdit == nullptr && v == qvcbFixedStyle) return;
    FStyle = v;
    if (v == qvcbEditStyle) {
        if (!FEdit) CreateEditCtrl();
        if (TabStop()) {
            SetTabStop(false);
            FEdit->SetTabStop(true);
        } else {
            FEdit->SetTabStop(false);
        }
        FEdit->SetText(Text());
        if (hasFocus()) FEdit->SetFocus();
    } else if (FEdit) {
        TqvCustomEdit* e = std::exchange(FEdit, nullptr);
        e->Widget()->removeEventFilter(this);
        e->SetVisible(false);
        e->deleteLater();
        SetTabStop(true);
    }
    CalcFaceLayout();
    update();
}

void TqvSkinCustomComboBox::CreateEditCtrl() {
    FEdit = new TqvCustomEdit(nullptr);
    FEdit->SetParent(this);
    FEdit->SetColor(FDefaultColor);
    FEdit->SetVisible(true);
    FEdit->SetEditTransparent(false);
    FEdit->OnChange = [this](QObject*) { Application()->Guard([this] { EditChange(); }); };
    FEdit->Widget()->installEventFilter(this);
    FEdit->OnEditCancelMode = [this](TControl* C) { CancelMode(C); };
    FEdit->OnKeyDown = [this](QObject*, int& Key, Qt::KeyboardModifiers Shift) {
        if (OnKeyDown) OnKeyDown(this, Key, Shift);
    };
    FEdit->OnKeyPress = [this](QObject*, QChar& Key) {
        if (OnKeyPress) OnKeyPress(this, Key);
    };
    FEdit->OnKeyUp = [this](QObject*, int& Key, Qt::KeyboardModifiers Shift) {
        if (OnKeyUp) OnKeyUp(this, Key, Shift);
    };
    GetSkinData();
    if (SkinIndex() == -1) {
        FEdit->Font().SetName(Font().Name());
        FEdit->Font().SetStyle(Font().Style());
        FEdit->Font().SetColor(Font().Color());
        FEdit->Font().SetHeight(Font().Height());
    } else {
        FEdit->Font().SetStyle(FontStyle);
        FEdit->Font().SetColor(FontColor);
        FEdit->Font().SetHeight(FontHeight);
        FEdit->Font().SetName(FontName);
    }
    FEdit->SetEditTransparent(SkinIndex() != -1);
    CalcFaceLayout();
}

void TqvSkinCustomComboBox::EditChange() {
    FromEdit = true;
    const QString t = FEdit->Text();
    if (!t.isEmpty()) {
        const int i = FListBox->ListBox()->FindString(t, -1);
        if (i >= 0) {
            if (FAutoComplete) FListBox->SetItemIndex(i);
            else FListBox->SetTopIndex(i);
        }
    }
    SetText(t);
    FromEdit = false;
}

void TqvSkinCustomComboBox::StepEdit(int Delta, bool AChange) {
    const int i = FListBox->ItemIndex(), n = FListBox->Items().Count();
    const int to = i + Delta;
    if (Delta < 0 ? i <= 0 : i >= n - 1) return;
    FListBox->SetItemIndex(to);
    if (!AChange) return;
    SetText(FListBox->Items()[to]);
    FEdit->SelectAll();
    if (OnClick) OnClick(this);
}

void TqvSkinCustomComboBox::EditTextSearch() {
    const std::uint32_t now = GetTickCount();
    if (now - FLastTime <= kCompletionPause) return;
    FLastTime = now;
    const QString typed = Text();
    if (typed.isEmpty()) return;
    const int found = FListBox->ListBox()->FindString(typed, typed.size() == 1 ? ItemIndex() : -1);
    if (found < 0) return;
    SetItemIndex(found);
    const QString now_text = FEdit->Text();
    FEdit->SetSelStart(int(typed.size()));
    FEdit->SetSelLength(int(now_text.size() - typed.size()));
}

bool TqvSkinCustomComboBox::EditWndProc(QEvent* e) {
    const bool open = FListBox->IsShown();
    const bool active = SkinIndex() != -1 && !IsNullRect(ActiveSkinRect);
    QLineEdit* le = FEdit->Widget();
    auto passOn = [&] {
        FEdit->Widget()->removeEventFilter(this);
        QCoreApplication::sendEvent(le, e);
        if (FEdit) FEdit->Widget()->installEventFilter(this);
    };
    switch (e->type()) {
    case QEvent::FocusIn:
        if (active) SetEditColour(ActiveFontColor);
        return false;
    case QEvent::FocusOut:
        if (open) CloseUp(false);
        if (active) SetEditColour(FontColor);
        return false;
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        const int i = FListBox->ItemIndex(), n = FListBox->Items().Count();
        switch (k->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (open) CloseUp(true);
            return false;
        case Qt::Key_Escape:
            if (open) CloseUp(false);
            return false;
        case Qt::Key_PageUp:
            if (open) FListBox->SetItemIndex(std::max(0, i - FDropDownCount - 1));
            return false;
        case Qt::Key_PageDown:
            if (open) FListBox->SetItemIndex(std::min(n - 1, i + FDropDownCount - 1));
            return false;
        case Qt::Key_Up: StepEdit(-1, true); return true;
        case Qt::Key_Down: StepEdit(1, true); return true;
        default: return false;
        }
    }
    case QEvent::KeyRelease: {
        auto* k = static_cast<QKeyEvent*>(e);
        const int key = k->key();
        const bool alt = k->modifiers() & Qt::AltModifier;
        const bool composing = ComposingCharset(TextCharset());
        if (alt && !composing) return false;
        if (composing) {
            if (key == Qt::Key_Delete || key == Qt::Key_Backspace) return false;
            if (le->hasSelectedText()) le->del();
            passOn();
            if (FAutoComplete && FEdit) EditTextSearch();
            return true;
        }
        // Keys below the digits (and every non-character key) only pass.
        const int vk = key < 0x01000000 ? key : 0;
        if (vk <= 47) return false;
        passOn();
        if (FAutoComplete && FEdit) EditTextSearch();
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(e);
        if ((m->button() == Qt::LeftButton || m->button() == Qt::RightButton) && open) CloseUp(false);
        return false;
    }
    case QEvent::Wheel: {
        const int d = static_cast<QWheelEvent*>(e)->angleDelta().y();
        StepEdit(d > 0 ? -1 : 1, !open);
        return false;
    }
    default: return false;
    }
}
