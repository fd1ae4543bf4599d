#include "skin/controls/lists/QvListBox.h"

#include "platform/Application.h"
#include "skin/controls/lists/SkinListBox.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <QWheelEvent>

class TqvListBoxDelegate : public QStyledItemDelegate {
public:
    explicit TqvListBoxDelegate(TqvListBox* owner) : QStyledItemDelegate(owner), FOwner(owner) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        Application()->Guard([&] { FOwner->PaintItem(*painter, option.rect, index.row()); });
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        const int vw = FOwner->Widget()->viewport()->width();
        const int w = FOwner->Columns() > 0 ? std::max(1, vw / FOwner->Columns()) : vw;
        return QSize(w, FOwner->ItemHeight());
    }

private:
    TqvListBox* FOwner;
};

TqvListBox::TqvListBox(QObject* AOwner) : TListBox(AOwner), FDelegate(new TqvListBoxDelegate(this)) {
    QListWidget* w = Widget();
    w->setFrameShape(QFrame::NoFrame);
    w->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w->setUniformItemSizes(true);
    w->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    w->setItemDelegate(FDelegate);
    w->setMouseTracking(true);
    w->viewport()->setMouseTracking(true);
    w->viewport()->installEventFilter(this);
    SetTabStop(true);
    auto changed = [this] {
        if (FSkinListBox && !FReentry) Application()->Guard([this] { FSkinListBox->UpDateScrollBar(); });
    };
    connect(w->model(), &QAbstractItemModel::rowsInserted, this, changed);
    connect(w->model(), &QAbstractItemModel::rowsRemoved, this, changed);
    connect(w->model(), &QAbstractItemModel::modelReset, this, changed);
    connect(w->verticalScrollBar(), &QScrollBar::valueChanged, this, changed);
    connect(w->horizontalScrollBar(), &QScrollBar::valueChanged, this, changed);
}

// The inner list widget is freed with this control's widget part, after this
// class is gone: its last model signals must not reach this object.
TqvListBox::~TqvListBox() {
    QListWidget* w = Widget();
    disconnect(w->model(), nullptr, this, nullptr);
    disconnect(w->verticalScrollBar(), nullptr, this, nullptr);
    disconnect(w->horizontalScrollBar(), nullptr, this, nullptr);
}

void TqvListBox::SetHorizontalExtentValue(int v) {
    FHorizontalExtentValue = std::max(0, v);
    Widget()->viewport()->update();
}

void TqvListBox::SetItemHeight(int v) {
    if (v <= 0 || v == FItemHeight) return;
    FItemHeight = v;
    const QScopedValueRollback reentry(FReentry, true);
    Widget()->doItemsLayout();
}

void TqvListBox::SetColumns(int v) {
    FColumns = std::max(0, v);
    QListWidget* w = Widget();
    const QScopedValueRollback reentry(FReentry, true);
    w->setFlow(FColumns > 0 ? QListView::TopToBottom : QListView::LeftToRight);
    w->setWrapping(FColumns > 0);
    w->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    w->doItemsLayout();
}

void TqvListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const int oldW = Width();
    TListBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (AWidth != oldW && FHorizontalExtentValue > 0)
        SetHorizontalExtentValue(FHorizontalExtentValue + (oldW - AWidth));
}

void TqvListBox::Click() {
    if (FSkinListBox) FSkinListBox->ListBoxClick();
    TListBox::Click();
}

// ---- the native state

void TqvListBox::GetVertRange(int& AMin, int& AMax, int& APos) {
    const QScopedValueRollback reentry(FReentry, true);
    QListWidget* w = Widget();
    w->doItemsLayout();
    const QScrollBar* b = w->verticalScrollBar();
    AMin = b->minimum();
    AMax = b->maximum() + b->pageStep() - 1;
    APos = b->value();
}

void TqvListBox::GetHorzRange(int& AMin, int& AMax, int& APos) {
    const QScopedValueRollback reentry(FReentry, true);
    QListWidget* w = Widget();
    w->doItemsLayout();
    const QScrollBar* b = w->horizontalScrollBar();
    AMin = b->minimum();
    AMax = b->maximum() + b->pageStep() - 1;
    APos = b->value();
}

void TqvListBox::ScrollVertTo(int Pos) { Widget()->verticalScrollBar()->setValue(Pos); }

void TqvListBox::ScrollHorzTo(int Pos) { Widget()->horizontalScrollBar()->setValue(Pos); }

void TqvListBox::ScrollLine(int Delta) {
    QScrollBar* b = Widget()->verticalScrollBar();
    b->setValue(b->value() + Delta);
}

int TqvListBox::FindString(const QString& S, int Start) const {
    const int n = Widget()->count();
    if (S.isEmpty() || n == 0) return -1;
    const int from = (Start < 0 || Start >= n) ? 0 : Start + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (from + k) % n;
        if (Widget()->item(i)->text().startsWith(S, Qt::CaseInsensitive)) return i;
    }
    return -1;
}

int TqvListBox::ItemAtPos(QPoint Pos, bool Existing) const {
    const QModelIndex i = Widget()->indexAt(Pos);
    if (i.isValid()) return i.row();
    return Existing ? -1 : Widget()->count();
}

TRect TqvListBox::ItemRect(int Item) const {
    QListWidgetItem* it = Widget()->item(Item);
    return it ? TRect::FromQRect(Widget()->visualItemRect(it)) : TRect{};
}

bool TqvListBox::ItemSelectedState(int Index) const {
    if (Index == ItemIndex()) return true;
    QListWidgetItem* it = Widget()->item(Index);
    return MultiSelect() && SelCount() >= 1 && it && it->isSelected();
}

bool TqvListBox::ItemFocusedState(int Index) const { return Index == ItemIndex() && Widget()->hasFocus(); }

// ---- painting

void TqvListBox::PaintBackground(QPainter& P, const QRect& R) {
    if (R.width() <= 0 || R.height() <= 0 || !FSkinListBox) return;
    TqvSkinCustomListBox* o = FSkinListBox;
    o->GetSkinData();
    const TqvSkinGeometry& G = o->Geometry();
    if (!o->SkinnedItems() || G.Picture.isNull()) {
        P.fillRect(R, ColorToQColor(clWindow));
        return;
    }
    TRect src = G.ClRect;
    OffsetRect(src, G.SkinRect.Left, G.SkinRect.Top);
    // A client part without pixels has nothing to tile.
    if (src.Width() <= 0 || src.Height() <= 0) return;
    const QImage part = G.Picture.copy(src.ToQRect());
    P.save();
    P.setClipRect(R);
    for (int y = R.top(); y <= R.bottom(); y += part.height())
        for (int x = R.left(); x <= R.right(); x += part.width()) P.drawImage(x, y, part);
    P.restore();
}

void TqvListBox::PaintItem(QPainter& P, const QRect& QR, int Index) {
    TqvSkinCustomListBox* o = FSkinListBox;
    if (!o || Index < 0 || Index >= Widget()->count() || QR.width() <= 0 || QR.height() <= 0) return;
    o->GetSkinData();
    const TqvSkinGeometry& G = o->Geometry();
    const bool selected = ItemSelectedState(Index), focused = ItemFocusedState(Index);
    const bool skinned = o->SkinnedItems();
    if (skinned && G.Picture.isNull()) return;
    const bool fixed = skinned && o->UseSkinItemHeight();
    const int W = QR.width(), H = fixed ? o->SItemRect.Height() : QR.height();
    if (W <= 0 || H <= 0) return;
    QImage bmp = NewSkinImage(W, H);
    TCanvas c(&bmp);
    TRect T;
    int eventH = H;
    if (!skinned) {
        c.Brush().SetColor(selected ? clHighlight : clWindow);
        c.FillRect(Rect(0, 0, W, H));
        T = Rect(2, 0, W - 2, H);
        c.Font().SetName(o->Font().Name());
        c.Font().SetStyle(o->Font().Style());
        c.Font().SetHeight(o->Font().Height());
        c.Font().SetColor(selected ? clHighlightText : o->Font().Color());
    } else {
        const int sw = o->SItemRect.Width(), sh = o->SItemRect.Height();
        const int L = o->ItemLeftOffset, Rt = o->ItemRightOffset;
        if (fixed) {
            const bool st = G.StretchEffect;
            if (focused && selected) MakeHorzSkinImage(L, Rt, bmp, G.Picture, o->FocusItemRect, W, H, st);
            else if (focused) MakeHorzSkinImage(L, Rt, bmp, G.Picture, o->SItemRect, W, H, st);
            else if (selected) MakeHorzSkinImage(L, Rt, bmp, G.Picture, o->ActiveItemRect, W, H, st);
            else MakeHorzSkinImage(L, Rt, bmp, G.Picture, o->SItemRect, W, H, false);
            T = o->ItemTextRect;
            T.Right += W - sw;
        } else {
            TRect cl = o->ItemTextRect;
            InflateRect(cl, -1, -1);
            ResizeSkinImage(bmp, G.Picture, focused ? o->FocusItemRect : selected ? o->ActiveItemRect : o->SItemRect,
                            cl, true);
            T = o->ItemTextRect;
            T.Right += W - sw;
            T.Bottom += H - sh;
            // The owner-draw event is told the skin item's height.
            eventH = sh;
        }
        if (o->UseSkinFont()) {
            c.Font().SetName(o->FontName);
            c.Font().SetStyle(o->FontStyle);
            c.Font().SetHeight(o->FontHeight);
        } else {
            c.SetFont(o->DefaultFont());
        }
        const TColor text = fixed ? (focused && selected ? o->FocusFontColor : selected ? o->ActiveFontColor : o->FontColor)
                                  : (focused ? o->FocusFontColor : selected ? o->ActiveFontColor : o->FontColor);
        if (focused && o->ShowFocus && !o->OnDrawItem) {
            c.Font().SetColor(o->SkinData() ? o->SkinData()->SkinColors().cBtnFace() : clBtnFace);
            DrawDottedFocusRect(c, Rect(0, 0, W, H));
        } else if (fixed && focused && !selected) {
            c.Font().SetColor(text);
            DrawDottedFocusRect(c, Rect(0, 0, W, H));
        }
        c.Font().SetColor(text);
    }
    c.Font().SetCharset(o->TextCharset());
    // A disabled list greys its text, as a plain list does.
    if (!o->Enabled()) c.Font().SetColor(clGrayText);
    c.Brush().SetStyle(bsClear);
    if (o->OnDrawItem) {
        o->OnDrawItem(c, Index, W, eventH, T, {selected, focused});
    } else {
        int offset = 0;
        if (TCustomImageList* images = o->Images()) {
            const int ii = o->ImageIndex() >= 0 ? o->ImageIndex() : Index;
            if (ii < images->Count())
                images->Draw(c, T.Left - FHorizontalExtentValue, T.Top + T.Height() / 2 - images->Height() / 2, ii, true);
            offset = images->Width() + 2;
        }
        const QString text = Widget()->item(Index)->text();
        const std::vector<int> stops = o->TabStops();
        if (!stops.empty() && FColumns == 0) {
            QPainter tp(&bmp);
            tp.setFont(c.Font().ToQFont());
            tp.setPen(ColorToQColor(c.Font().Color()));
            QTextOption opt;
            QList<QTextOption::Tab> tabs;
            for (int s : stops)
                if (s > 0) tabs.append(QTextOption::Tab(s, QTextOption::LeftTab));
            opt.setTabs(tabs);
            opt.setWrapMode(QTextOption::NoWrap);
            const int th = c.TextHeight(text);
            const int x = T.Left + offset + 2, y = T.Top + T.Height() / 2 - th / 2;
            tp.drawText(QRectF(x, y, W * 4, th), text, opt);
        } else {
            TextRectVCenteredAt(c, text, T, offset - FHorizontalExtentValue);
        }
    }
    if (!skinned && focused) c.DrawFocusRect(Rect(0, 0, W, H));
    P.drawImage(QR.topLeft(), bmp);
}

// ---- hooks

bool TqvListBox::eventFilter(QObject* watched, QEvent* e) {
    if (FReentry || !FSkinListBox || (watched != Widget() && watched != Widget()->viewport()))
        return TListBox::eventFilter(watched, e);
    bool swallow = false;
    Application()->Guard([&] { swallow = HookEvent(watched, e); });
    return swallow;
}

bool TqvListBox::HookEvent(QObject* watched, QEvent* e) {
    TqvSkinCustomListBox* o = FSkinListBox;
    bool callDefault = true;
    o->ListBoxWndProc(e, callDefault);
    if (!callDefault) return true;
    QListWidget* w = Widget();
    auto runDefault = [&] {
        const QScopedValueRollback reentry(FReentry, true);
        QCoreApplication::sendEvent(watched, e);
    };
    if (watched == w->viewport()) {
        switch (e->type()) {
        case QEvent::Paint: {
            // The rest of the list below the last item, before the items.
            if (FColumns > 0) return false;
            int bottom = 0;
            if (w->count() > 0) bottom = std::max(0, ItemRect(w->count() - 1).Bottom);
            if (bottom < w->viewport()->height()) {
                QPainter p(w->viewport());
                PaintBackground(p, QRect(0, bottom, w->viewport()->width(), w->viewport()->height() - bottom));
            }
            return false;
        }
        case QEvent::MouseButtonPress: {
            auto* m = static_cast<QMouseEvent*>(e);
            const QPoint p = m->position().toPoint();
            o->ListBoxMouseDown(m->button(), m->modifiers(), p.x(), p.y());
            if (OnMouseDown) OnMouseDown(this, m->button(), m->modifiers(), p.x(), p.y());
            return false;
        }
        case QEvent::MouseMove: {
            auto* m = static_cast<QMouseEvent*>(e);
            const QPoint p = m->position().toPoint();
            o->ListBoxMouseMove(m->modifiers(), p.x(), p.y());
            if (OnMouseMove) OnMouseMove(this, m->modifiers(), p.x(), p.y());
            return false;
        }
        case QEvent::MouseButtonRelease: {
            auto* m = static_cast<QMouseEvent*>(e);
            const QPoint p = m->position().toPoint();
            o->ListBoxMouseUp(m->button(), m->modifiers(), p.x(), p.y());
            if (OnMouseUp) OnMouseUp(this, m->button(), m->modifiers(), p.x(), p.y());
            return false;
        }
        case QEvent::MouseButtonDblClick:
            runDefault();
            o->ListBoxDblClick();
            return true;
        case QEvent::Wheel: {
            const int d = static_cast<QWheelEvent*>(e)->angleDelta().y();
            runDefault();
            if (o->ScrollBar()) {
                // One more line in the wheel's direction than the native list scrolls.
                ScrollLine(d < 0 ? 1 : -1);
                o->UpDateScrollBar();
            } else if (TqvSkinScrollBar* h = o->HScrollBar()) {
                h->SetPosition(h->Position() + (d < 0 ? h->SmallChange() : -h->SmallChange()));
            }
            return true;
        }
        default: return false;
        }
    }
    switch (e->type()) {
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        int key = k->key();
        o->ListBoxKeyDown(key, k->modifiers());
        if (key == 0) return true;
        if ((key == Qt::Key_Left || key == Qt::Key_Right) && o->HScrollBar()) {
            TqvSkinScrollBar* h = o->HScrollBar();
            h->SetPosition(h->Position() + (key == Qt::Key_Left ? -h->SmallChange() : h->SmallChange()));
            return true;
        }
        if (!k->text().isEmpty() && k->text()[0].isPrint()) {
            QChar ch = k->text()[0];
            o->ListBoxKeyPress(ch);
            if (ch.isNull()) return true;
        }
        return TListBox::eventFilter(watched, e);
    }
    case QEvent::KeyRelease: {
        auto* k = static_cast<QKeyEvent*>(e);
        int key = k->key();
        o->ListBoxKeyUp(key, k->modifiers());
        if (key == 0) return true;
        return TListBox::eventFilter(watched, e);
    }
    case QEvent::FocusIn:
        o->ListBoxEnter();
        w->viewport()->update();
        return TListBox::eventFilter(watched, e);
    case QEvent::FocusOut:
        o->ListBoxExit();
        w->viewport()->update();
        return TListBox::eventFilter(watched, e);
    default: return TListBox::eventFilter(watched, e);
    }
}
