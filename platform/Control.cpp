#include "platform/Control.h"

#include "platform/ActnList.h"
#include "platform/Application.h"
#include "platform/Form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

TControl* FindControl(QWidget* w) {
    for (; w; w = w->parentWidget())
        if (auto* c = dynamic_cast<TControl*>(w)) return c;
    return nullptr;
}

QString GetShortHint(const QString& hint) {
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString GetLongHint(const QString& hint) {
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

// ---- TControl ----

TControl::TControl(QObject* AOwner) : QWidget(nullptr), TComponentBase(this, AOwner), FColor(clBtnFace) {
    setFont(FFont.ToQFont());
    FFont.OnChange = [this] {
        setFont(FFont.ToQFont());
        FontChanged();
        update();
    };
}

TControl::~TControl() {
    if (auto* p = dynamic_cast<TWinControl*>(Parent()))
        if (auto* self = dynamic_cast<TWinControl*>(this)) p->RemoveTabControl(self);
    DestroyComponents();
}

TWinControl* TControl::Parent() const {
    QWidget* p = parentWidget();
    if (!p) return nullptr;
    if (auto* wc = dynamic_cast<TWinControl*>(p)) return wc;
    if (auto* wc = dynamic_cast<TWinControl*>(p->parentWidget()); wc && wc->ClientWidget() == p) return wc;
    return nullptr;
}

TForm* TControl::ParentForm() const {
    for (TWinControl* p = Parent(); p; p = p->Parent())
        if (auto* f = dynamic_cast<TForm*>(p)) return f;
    return nullptr;
}

void TControl::SetParent(TWinControl* parent) {
    TWinControl* old = Parent();
    if (old == parent && (parent || !parentWidget())) return;
    auto* self = dynamic_cast<TWinControl*>(this);
    if (old && self) old->RemoveTabControl(self);
    const QRect g = geometry();
    Reparenting([&] { QWidget::setParent(parent ? parent->ClientWidget() : nullptr); });
    setGeometry(g);
    if (parent || IsTopLevelControl()) QWidget::setVisible(FVisible);
    if (parent) {
        if (self) parent->AddTabControl(self);
        UpdateAnchorRules();
        RequestAlign();
    }
    if (old && old->Parent() != nullptr) old->Realign();
}

void TControl::setVisible(bool visible) {
    if (!FReparenting) FVisible = visible;
    if (visible && !parentWidget() && !IsTopLevelControl()) return;
    QWidget::setVisible(visible);
}

void TControl::SetVisible(bool v) {
    if (v == FVisible && (parentWidget() == nullptr || isVisibleTo(parentWidget()) == v)) return;
    setVisible(v);
    VisibleChanged();
    if (FAlign != alNone)
        if (auto* p = Parent()) p->Realign();
}

void TControl::SetEnabled(bool v) {
    if (v == Enabled()) return;
    setEnabled(v);
    EnabledChanged();
}

void TControl::SetText(const QString& s) {
    if (s == FText) return;
    FText = s;
    TextChanged();
}

void TControl::SetColor(TColor c) {
    if (c == FColor) return;
    FColor = c;
    ColorChanged();
    update();
}

void TControl::SetConstraints(const TSizeConstraints& c) {
    if (c == FConstraints) return;
    FConstraints = c;
    SetBounds(Left(), Top(), Width(), Height());
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const TSizeConstraints& c = FConstraints;
    if (c.MaxWidth > 0) AWidth = std::min(AWidth, c.MaxWidth);
    if (c.MinWidth > 0) AWidth = std::max(AWidth, c.MinWidth);
    if (c.MaxHeight > 0) AHeight = std::min(AHeight, c.MaxHeight);
    if (c.MinHeight > 0) AHeight = std::max(AHeight, c.MinHeight);
    const QRect r(ALeft, ATop, std::max(0, AWidth), std::max(0, AHeight));
    const QRect old = geometry();
    if (r != old) setGeometry(r);
    if (auto* wc = dynamic_cast<TWinControl*>(this); wc && wc->FInner) wc->FInner->setGeometry(0, 0, r.width(), r.height());
    if (!FAnchoring) UpdateAnchorRules();
    if (r.size() != FLastSize) {
        FLastSize = r.size();
        if (auto* wc = dynamic_cast<TWinControl*>(this)) wc->Realign();
        Resize();
    }
    if (r != old) RequestAlign();
}

void TControl::SetClientSize(int w, int h) {
    const TRect c = ClientRect();
    SetBounds(Left(), Top(), Width() - c.Width() + w, Height() - c.Height() + h);
}

void TControl::SetAlign(TAlign align) {
    if (align == FAlign) return;
    FAlign = align;
    // Also when leaving an alignment: the siblings get the room back.
    if (auto* p = Parent()) p->Realign();
    if (align == alNone) UpdateAnchorRules();
}

void TControl::SetAnchors(TAnchors anchors) {
    FAnchors = anchors;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
    TWinControl* p = Parent();
    if (!p) {
        FAnchorParent = {-1, -1};
        return;
    }
    const TRect pc = p->ClientRect();
    FAnchorParent = {pc.Width(), pc.Height()};
    FAnchorBounds = BoundsRect();
}

void TControl::ApplyAnchors(int parentW, int parentH) {
    if (FAlign != alNone || FAnchorParent.cx < 0) return;
    const int dx = parentW - FAnchorParent.cx, dy = parentH - FAnchorParent.cy;
    int l = FAnchorBounds.Left, t = FAnchorBounds.Top;
    int w = FAnchorBounds.Width(), h = FAnchorBounds.Height();
    if (FAnchors & akRight) {
        if (FAnchors & akLeft) w += dx; else l += dx;
    } else if (!(FAnchors & akLeft)) {
        l += dx / 2;
    }
    if (FAnchors & akBottom) {
        if (FAnchors & akTop) h += dy; else t += dy;
    } else if (!(FAnchors & akTop)) {
        t += dy / 2;
    }
    FAnchoring = true;
    SetBounds(l, t, w, h);
    FAnchoring = false;
}

void TControl::RequestAlign() {
    if (FAlign == alNone) return;
    if (auto* p = Parent()) p->Realign();
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) FPressed = true;
    Application()->Guard([&] {
        if (OnMouseDown) OnMouseDown(this, e->button(), e->modifiers(), int(e->position().x()), int(e->position().y()));
    });
    QWidget::mousePressEvent(e);
}

void TControl::mouseReleaseEvent(QMouseEvent* e) {
    const bool click = e->button() == Qt::LeftButton && FPressed && rect().contains(e->position().toPoint());
    if (e->button() == Qt::LeftButton) FPressed = false;
    Application()->Guard([&] {
        if (OnMouseUp) OnMouseUp(this, e->button(), e->modifiers(), int(e->position().x()), int(e->position().y()));
        if (click) Click();
    });
}

void TControl::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) FPressed = true;
    Application()->Guard([&] {
        if (OnMouseDown) OnMouseDown(this, e->button(), e->modifiers(), int(e->position().x()), int(e->position().y()));
        if (e->button() == Qt::LeftButton && OnDblClick) OnDblClick(this);
    });
}

void TControl::mouseMoveEvent(QMouseEvent* e) {
    Application()->Guard([&] {
        if (OnMouseMove) OnMouseMove(this, e->modifiers(), int(e->position().x()), int(e->position().y()));
    });
    QWidget::mouseMoveEvent(e);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

TCustomAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TCustomAction* a) {
    if (!a) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) FActionLink = std::make_unique<TControlActionLink>(this);
    FActionLink->SetAction(a);
    ActionChange(a, a->Loading());
}

void TControl::ActionChange(TCustomAction* Sender, bool CheckDefaults) {
    if (!CheckDefaults || Caption().isEmpty() || Caption() == Name()) SetCaption(Sender->Caption());
    if (!CheckDefaults || Enabled()) SetEnabled(Sender->Enabled());
    if (!CheckDefaults || Hint().isEmpty()) SetHint(Sender->Hint());
    if (!CheckDefaults || Visible()) SetVisible(Sender->Visible());
}

bool TControl::DialogKey(int, Qt::KeyboardModifiers) { return false; }

bool TControl::ShowHint() const {
    if (!FParentShowHint) return FShowHint;
    TWinControl* p = Parent();
    return p ? p->ShowHint() : FShowHint;
}

bool TControl::event(QEvent* e) {
    if (DispatchMessageEvent(e)) return true;
    // The plain hint; a skinned hint takes these events before they get here.
    if (e->type() == QEvent::ToolTip) {
        const QString text = GetShortHint(FHint);
        if (text.isEmpty() || !ShowHint() || !Application()->ShowHint()) {
            e->ignore();
            return false;
        }
        QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), text, this);
        return true;
    }
    bool handled = false;
    Application()->Guard([&] { handled = QWidget::event(e); });
    return handled;
}

void TControl::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (auto* wc = dynamic_cast<TWinControl*>(this); wc && wc->FInner) wc->FInner->setGeometry(rect());
    // A size Qt set (window manager, layout of a Qt parent) rather than SetBounds.
    if (size() == FLastSize) return;
    FLastSize = size();
    Application()->Guard([&] {
        if (auto* wc = dynamic_cast<TWinControl*>(this)) wc->Realign();
        Resize();
    });
}

// ---- TWinControl ----

TWinControl::TWinControl(QObject* AOwner) : TControl(AOwner) { setFocusPolicy(Qt::NoFocus); }

TWinControl::~TWinControl() {
    // ~TControl no longer knows this was a windowed control: leave the
    // parent's tab list here, or the parent keeps a dangling entry.
    if (auto* p = Parent()) p->RemoveTabControl(this);
    DestroyComponents();
    DestroyControls();
}

void TWinControl::DestroyControls() {
    QList<QPointer<TControl>> children;
    for (TControl* c : Controls()) children.append(c);
    for (const auto& c : children) delete c.data();
}

QList<TControl*> TWinControl::Controls() const {
    QList<TControl*> r;
    QWidget* host = const_cast<TWinControl*>(this)->ClientWidget();
    for (QObject* o : host->children())
        if (auto* c = dynamic_cast<TControl*>(o)) r.append(c);
    return r;
}

void TWinControl::AlignControls(TControl*, TRect& rect) {
    if (FAligning) return;
    FAligning = true;
    const QList<TControl*> all = Controls();
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
        QList<TControl*> list;
        for (TControl* c : all)
            if (c->FAlign == a && c->FVisible) list.append(c);
        auto key = [a](TControl* c) {
            switch (a) {
            case alTop: return c->Top();
            case alBottom: return -(c->Top() + c->Height());
            case alLeft: return c->Left();
            case alRight: return -(c->Left() + c->Width());
            default: return 0;
            }
        };
        std::stable_sort(list.begin(), list.end(), [&](TControl* x, TControl* y) { return key(x) < key(y); });
        for (TControl* c : list) {
            c->FAnchoring = true;
            switch (a) {
            case alTop:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), c->Height());
                rect.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
                rect.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(rect.Left, rect.Top, c->Width(), rect.Height());
                rect.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height());
                rect.Right -= c->Width();
                break;
            default:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
                break;
            }
            c->FAnchoring = false;
        }
    }
    const TRect client = ClientRect();
    for (TControl* c : all)
        if (c->FAlign == alNone && !c->Loading()) c->ApplyAnchors(client.Width(), client.Height());
    FAligning = false;
}

void TWinControl::Realign() {
    if (FAlignLock > 0 || Loading() || FAligning) return;
    TRect r = ClientRect();
    AdjustClientRect(r);
    AlignControls(nullptr, r);
}

void TWinControl::EnableAlign() {
    if (FAlignLock > 0 && --FAlignLock == 0) Realign();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
    for (TControl* c : Controls()) c->UpdateAnchorRules();
}

void TWinControl::SetTabStop(bool v) {
    FTabStop = v;
    QWidget* t = FocusTarget();
    if (v) t->setFocusPolicy(Qt::StrongFocus);
    else if (t->focusPolicy() == Qt::StrongFocus) t->setFocusPolicy(Qt::ClickFocus);
}

int TWinControl::TabOrder() const {
    TWinControl* p = Parent();
    return p ? p->FTabList.indexOf(const_cast<TWinControl*>(this)) : -1;
}

void TWinControl::SetTabOrder(int order) {
    TWinControl* p = Parent();
    if (!p) return;
    const int from = p->FTabList.indexOf(this);
    if (from < 0) return;
    order = std::clamp(order, 0, int(p->FTabList.size()) - 1);
    p->FTabList.move(from, order);
    p->ApplyTabOrder();
}

void TWinControl::GetTabOrderList(QList<TWinControl*>& list) const {
    for (TWinControl* c : FTabList) {
        if (c->FTabStop) list.append(c);
        c->GetTabOrderList(list);
    }
}

void TWinControl::AddTabControl(TWinControl* c) {
    if (!FTabList.contains(c)) FTabList.append(c);
    ApplyTabOrder();
}

void TWinControl::RemoveTabControl(TWinControl* c) { FTabList.removeAll(c); }

void TWinControl::ApplyTabOrder() {
    for (int i = 1; i < FTabList.size(); ++i) {
        QWidget* a = FTabList[i - 1]->FocusTarget();
        QWidget* b = FTabList[i]->FocusTarget();
        if (a->window() == b->window()) QWidget::setTabOrder(a, b);
    }
}

bool TWinControl::CanFocus() const {
    auto* self = const_cast<TWinControl*>(this);
    return self->FocusTarget()->focusPolicy() != Qt::NoFocus && isVisible() && isEnabled();
}

bool TWinControl::Focused() const {
    QWidget* f = window()->focusWidget();
    return f && (f == this || f == const_cast<TWinControl*>(this)->FocusTarget());
}

void TWinControl::SetFocus() { FocusTarget()->setFocus(Qt::OtherFocusReason); }

void TWinControl::Broadcast(TMessage& message) {
    for (TControl* c : Controls()) {
        QCoreApplication::sendEvent(c, &message);
        if (message.Result != 0) break;
    }
}

bool TWinControl::DoKeyDown(int& key, Qt::KeyboardModifiers shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
    return key == 0;
}

bool TWinControl::DoKeyPress(QChar& ch) {
    if (OnKeyPress) OnKeyPress(this, ch);
    return ch.isNull();
}

// A key that bubbled up from a child has been offered to that child's
// handlers; only the control that had the focus runs its own.
static bool OwnKey(QWidget* w) {
    QWidget* f = w->window()->focusWidget();
    return !f || f == w;
}

bool TWinControl::RunKeyEvents(const QKeyEvent* e) {
    bool consumed = false;
    Application()->Guard([&] {
        int key = e->key();
        if (e->type() == QEvent::KeyRelease) {
            if (OnKeyUp) OnKeyUp(this, key, e->modifiers());
            consumed = key == 0;
            return;
        }
        consumed = DoKeyDown(key, e->modifiers());
        if (!consumed && !e->text().isEmpty()) {
            QChar ch = e->text().at(0);
            consumed = DoKeyPress(ch);
        }
    });
    return consumed;
}

void TWinControl::keyPressEvent(QKeyEvent* e) {
    if (OwnKey(this) && RunKeyEvents(e)) e->accept();
    else QWidget::keyPressEvent(e);
}

void TWinControl::keyReleaseEvent(QKeyEvent* e) {
    if (OwnKey(this) && RunKeyEvents(e)) e->accept();
    else QWidget::keyReleaseEvent(e);
}

void TWinControl::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    Application()->Guard([&] { if (OnEnter) OnEnter(this); });
}

void TWinControl::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    Application()->Guard([&] { if (OnExit) OnExit(this); });
}

void TWinControl::SetInner(QWidget* inner) {
    FInner = inner;
    inner->setParent(this);
    inner->setGeometry(rect());
    setFocusProxy(inner);
    inner->installEventFilter(this);
}

bool TWinControl::eventFilter(QObject* watched, QEvent* e) {
    if (watched != FInner) return TControl::eventFilter(watched, e);
    bool consumed = false;
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: consumed = RunKeyEvents(static_cast<QKeyEvent*>(e)); break;
    case QEvent::FocusIn: Application()->Guard([&] { if (OnEnter) OnEnter(this); }); break;
    case QEvent::FocusOut: Application()->Guard([&] { if (OnExit) OnExit(this); }); break;
    default: break;
    }
    return consumed;
}

// ---- TGraphicControl ----

TGraphicControl::TGraphicControl(QObject* AOwner) : TControl(AOwner) { setFocusPolicy(Qt::NoFocus); }

void TGraphicControl::paintEvent(QPaintEvent*) {
    if (width() <= 0 || height() <= 0) return;
    if (FImage.size() != size()) FImage = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    FImage.fill(Qt::transparent);
    FCanvas.SetFont(Font());
    Application()->Guard([&] { Paint(); });
    QPainter p(this);
    p.drawImage(0, 0, FImage);
}

// ---- TCustomControl ----

TCustomControl::TCustomControl(QObject* AOwner) : TWinControl(AOwner) { setAttribute(Qt::WA_OpaquePaintEvent); }

QImage TCustomControl::PaintToImage() {
    if (FImage.size() != size()) FImage = QImage(size(), QImage::Format_RGB32);
    FImage.fill(ColorToQColor(Color()));
    FCanvas.SetFont(Font());
    FCanvas.Brush().SetColor(Color());
    Paint();
    return FImage;
}

void TCustomControl::paintEvent(QPaintEvent*) {
    if (width() <= 0 || height() <= 0) return;
    Application()->Guard([&] { PaintToImage(); });
    QPainter p(this);
    p.drawImage(0, 0, FImage);
}
