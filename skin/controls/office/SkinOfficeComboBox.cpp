#include "skin/controls/office/SkinOfficeComboBox.h"

#include "platform/Application.h"
#include "skin/controls/menus/SkinMenuServices.h"
#include "skin/model/draw/DrawHelpers.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {

constexpr int kDragInterval = 25;

}  // namespace

TqvSkinCustomOfficeComboBox::TqvSkinCustomOfficeComboBox(QObject* AOwner)
    : TqvSkinComboFace(AOwner), FListBox(new TqvPopupOfficeListBox(this)) {
    FUseSkinSize = false;
    FListBox->SetMouseMoveChangeIndex(true);
    FListBox->installEventFilter(this);
    FListBox->Window()->OnCancelMode = [this] { CloseUp(false); };
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    SetTabStop(true);
    Font().SetName(QStringLiteral("Arial"));
    Font().SetColor(clWindowText);
    Font().SetStyle(0);
    Font().SetHeight(14);
    SetBounds(Left(), Top(), 120, 41);
    CalcFaceLayout();
    SetSkinDataName(QStringLiteral("combobox"));
}

TqvSkinCustomOfficeComboBox::~TqvSkinCustomOfficeComboBox() {
    FDragTimer.Stop();
    FListBox->removeEventFilter(this);
    delete FListBox;
}

// ---- properties

void TqvSkinCustomOfficeComboBox::SetItemIndex(int Value) {
    FListBox->SetItemIndex(Value);
    FOldItemIndex = FListBox->ItemIndex();
    update();
    if (Loading()) return;
    if (OnClick) OnClick(this);
    Change();
}

void TqvSkinCustomOfficeComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TqvSkinCustomOfficeComboBox::SetImages(TCustomImageList* v) {
    FListBox->SetImages(v);
    update();
}

void TqvSkinCustomOfficeComboBox::SetShowItemTitle(bool v) {
    if (v == FShowItemTitle) return;
    FShowItemTitle = v;
    update();
}

void TqvSkinCustomOfficeComboBox::SetShowItemImage(bool v) {
    if (v == FShowItemImage) return;
    FShowItemImage = v;
    update();
}

void TqvSkinCustomOfficeComboBox::SetShowItemText(bool v) {
    if (v == FShowItemText) return;
    FShowItemText = v;
    update();
}

void TqvSkinCustomOfficeComboBox::SetToolButtonStyle(bool v) {
    if (v == FToolButtonStyle) return;
    FToolButtonStyle = v;
    if (v) FUseSkinSize = false;
    update();
}

void TqvSkinCustomOfficeComboBox::SetDefaultColor(TColor v) {
    FDefaultColor = v;
    GetSkinData();
    if (SkinIndex() == -1) update();
}

// ---- opening and closing

void TqvSkinCustomOfficeComboBox::CloseUp(bool Value) {
    StopDragTimer();
    if (!FListBox->IsShown()) return;
    FListBox->Hide();
    const int i = FListBox->ItemIndex();
    if (Value && i >= 0 && i < FListBox->Items().Count()) {
        update();
        if (OnClick) OnClick(this);
        Change();
    } else {
        FListBox->SetItemIndex(FOldItemIndex);
    }
    FDropDown = false;
    update();
    if (Value && OnCloseUp) OnCloseUp(this);
}

void TqvSkinCustomOfficeComboBox::DropDown() {
    if (FListBox->Items().Count() == 0) return;
    WasInLB = false;
    StopDragTimer();
    if (OnDropDown) OnDropDown(this);
    FListBox->SetWidth(FListBoxWidth > 0 ? FListBoxWidth : Width());
    FListBox->OnDrawItem = OnDrawItem;
    FOldItemIndex = FListBox->ItemIndex();
    if (FOldItemIndex == 0 && FListBox->Items().Count() > 1) {
        FListBox->SetItemIndex(1);
        FListBox->SetItemIndex(0);
    }
    FDropDown = true;
    if (FToolButtonStyle) update();
    FListBox->SetSkinData(SkinData());
    if (FListBoxHeight > 0) FListBox->SetHeight(FListBoxHeight);
    else if (FDropDownCount > 0) FListBox->SetHeight(FListBox->CalcHeight(FDropDownCount));
    TPoint P = ClientToScreen({Width() - FListBox->Width(), Height()});
    TRect work;
    GetMonitorWorkArea(this, true, work);
    if (P.Y + FListBox->Height() > work.Bottom) P.Y -= Height() + FListBox->Height();
    const TqvPopupAlpha alpha{FAlphaBlend, FAlphaBlendValue, FAlphaBlendAnimation};
    FListBox->Show(this, P, &alpha);
    if (FAlphaBlend && FAlphaBlendAnimation) FLBDown = false;
}

// ---- skin

void TqvSkinCustomOfficeComboBox::ChangeSkinData() {
    TqvSkinComboFace::ChangeSkinData();
    CalcFaceLayout();
    update();
    if (SkinIndex() == -1) FListBox->SetSkinDataName(QString());
    FListBox->SetSkinData(SkinData());
    CalcFaceLayout();
}

// ---- the face's content

void TqvSkinCustomOfficeComboBox::DrawItemContent(TCanvas& C, QImage& B, TRect T, int Index, TFacePainter Painter) {
    (void)B;
    if (OnDrawItem && Painter != fpToolButton) {
        C.Brush().SetStyle(bsClear);
        OnDrawItem(C, Index, T);
        return;
    }
    TqvSkinOfficeItem* it = FListBox->Items().Items(Index);
    C.Brush().SetStyle(bsClear);
    if (FShowItemText && FShowItemTitle && !it->Title().isEmpty() && Painter != fpThreeSlice) {
        const TFontStyles st = C.Font().Style();
        C.Font().SetStyle(st | fsBold);
        TRect tr = T;
        tr.Bottom = tr.Top + C.TextHeight(it->Title());
        C.DrawText(it->Title(), tr, 0);
        C.Font().SetStyle(st);
        T.Top = tr.Bottom - 2;
    }
    if (FShowItemText && !FShowItemImage) {
        TextRectVCentered(C, it->Caption(), T);
    } else if (FShowItemImage) {
        DrawItemGlyphAndCaption(C, T, 0, 2, blGlyphLeft, FShowItemText ? it->Caption() : QString(), it->ImageIndex(),
                                Images(), false, Enabled(), false, 0);
    }
}

// ---- messages, focus, hover

void TqvSkinCustomOfficeComboBox::WndProc(TMessage& message) {
    TqvSkinComboFace::WndProc(message);
    if (message.Msg == CM_CANCELMODE) {
        auto* c = reinterpret_cast<QObject*>(message.LParam);
        if (!c || (c != this && c != FListBox && c != FListBox->ScrollBar())) CloseUp(false);
    }
}

void TqvSkinCustomOfficeComboBox::MouseEnter() {
    TqvSkinComboFace::MouseEnter();
    FMouseIn = true;
    if ((SkinIndex() != -1 && !IsNullRect(ActiveSkinRect)) || FToolButtonStyle) update();
}

void TqvSkinCustomOfficeComboBox::MouseLeave() {
    TqvSkinComboFace::MouseLeave();
    FMouseIn = false;
    if (Button.MouseIn) {
        Button.MouseIn = false;
        update();
    }
    if ((SkinIndex() != -1 && !IsNullRect(ActiveSkinRect)) || FToolButtonStyle) update();
}

void TqvSkinCustomOfficeComboBox::EnabledChanged() {
    TqvSkinComboFace::EnabledChanged();
    update();
}

void TqvSkinCustomOfficeComboBox::focusInEvent(QFocusEvent* e) {
    TqvSkinComboFace::focusInEvent(e);
    update();
}

void TqvSkinCustomOfficeComboBox::focusOutEvent(QFocusEvent* e) {
    TqvSkinComboFace::focusOutEvent(e);
    Application()->Guard([this] {
        if (FListBox->IsShown()) CloseUp(false);
    });
    update();
}

// ---- keys and wheel

void TqvSkinCustomOfficeComboBox::keyPressEvent(QKeyEvent* e) {
    if (RunKeyEvents(e)) return;
    Application()->Guard([&] {
        const bool alt = e->modifiers() & Qt::AltModifier;
        const bool open = FListBox->IsShown();
        switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            // A closed list leaves them to the form's default and cancel buttons.
            if (!open) e->ignore();
            else CloseUp(e->key() != Qt::Key_Escape);
            break;
        case Qt::Key_PageUp:
            FListBox->FindPageUp();
            SetItemIndex(FListBox->ItemIndex());
            break;
        case Qt::Key_PageDown:
            FListBox->FindPageDown();
            SetItemIndex(FListBox->ItemIndex());
            break;
        case Qt::Key_Left:
        case Qt::Key_Up:
            if (alt) {
                if (open) CloseUp(false);
            } else {
                FListBox->FindUp();
                SetItemIndex(FListBox->ItemIndex());
            }
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            if (alt) {
                if (!open) DropDown();
            } else {
                FListBox->FindDown();
                SetItemIndex(FListBox->ItemIndex());
            }
            break;
        default: break;
        }
    });
}

void TqvSkinCustomOfficeComboBox::wheelEvent(QWheelEvent* e) {
    const int d = e->angleDelta().y();
    e->accept();
    if (d == 0) return;
    Application()->Guard([&] {
        if (d > 0) FListBox->FindUp();
        else FListBox->FindDown();
        if (!FListBox->IsShown()) SetItemIndex(FListBox->ItemIndex());
    });
}

// ---- mouse

bool TqvSkinCustomOfficeComboBox::OverList(QPoint global) const {
    return FListBox->IsShown() && FListBox->rect().contains(FListBox->mapFromGlobal(global));
}

void TqvSkinCustomOfficeComboBox::mousePressEvent(QMouseEvent* e) {
    TqvSkinComboFace::mousePressEvent(e);
    Application()->Guard([&] {
        if (!hasFocus()) setFocus(Qt::MouseFocusReason);
        PressAt(e->position().toPoint(), e->button(), true);
    });
    // Taken here: a press passed on to the form would count as outside.
    e->accept();
}

void TqvSkinCustomOfficeComboBox::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void TqvSkinCustomOfficeComboBox::mouseMoveEvent(QMouseEvent* e) {
    TqvSkinComboFace::mouseMoveEvent(e);
    Application()->Guard([&] { MoveAt(e->position().toPoint(), e->globalPosition().toPoint()); });
}

void TqvSkinCustomOfficeComboBox::MoveAt(QPoint p, QPoint global) {
    if (FListBox->IsShown()) DragTracking(global);
    const bool in = PtInRect(Button.R, {p.x(), p.y()});
    if (in != Button.MouseIn) {
        Button.MouseIn = in;
        update();
    }
}

void TqvSkinCustomOfficeComboBox::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint global = e->globalPosition().toPoint();
    Application()->Guard([&] { ReleaseAt(global); });
    TqvSkinComboFace::mouseReleaseEvent(e);
    if (Button.Down) {
        Button.Down = false;
        update();
    }
}

void TqvSkinCustomOfficeComboBox::ReleaseAt(QPoint global) {
    if (FLBDown && WasInLB) {
        FLBDown = false;
        CloseUp(OverList(global));
    } else {
        FLBDown = false;
    }
}

void TqvSkinCustomOfficeComboBox::DragTracking(QPoint global) {
    const QPoint p = FListBox->mapFromGlobal(global);
    const bool bar = FListBox->ScrollBar() != nullptr;
    if (p.y() < 0) {
        if (bar && WasInLB) StartDragTimer(1);
    } else if (p.y() > FListBox->Height()) {
        if (bar && WasInLB) StartDragTimer(2);
    } else {
        StopDragTimer();
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(global), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        FSendingToList = true;
        QCoreApplication::sendEvent(FListBox, &move);
        FSendingToList = false;
        WasInLB = true;
        if (!FLBDown) {
            FLBDown = true;
            WasInLB = false;
        }
    }
}

void TqvSkinCustomOfficeComboBox::StartDragTimer(int mode) {
    if (mode == TimerMode) return;
    TimerMode = mode;
    FDragTimer.Start(kDragInterval, [this] {
        Application()->Guard([this] {
            if (TimerMode == 1) FListBox->FindUp();
            else if (TimerMode == 2) FListBox->FindDown();
        });
    });
}

void TqvSkinCustomOfficeComboBox::StopDragTimer() {
    FDragTimer.Stop();
    TimerMode = 0;
}

// The drop-down's presses belong to the box: a press there starts a
// press-drag-release that the box follows, and its release commits.
bool TqvSkinCustomOfficeComboBox::eventFilter(QObject* watched, QEvent* e) {
    if (watched != FListBox || FSendingToList) return TqvSkinComboFace::eventFilter(watched, e);
    return ListCaptureEvent(e);
}
