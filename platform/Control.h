// Controls: widgets with the class library's bounds, alignment, anchors,
// visibility, caption and tab order. Every size change goes through the
// virtual SetBounds, so descendants can snap or refuse sizes in one place.
#pragma once

#include "platform/Canvas.h"
#include "platform/Component.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

#include <QWidget>

#include <functional>
#include <memory>

class TWinControl;
class TForm;
class TCustomAction;
class TControlActionLink;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

// Size limits every SetBounds applies; 0 = no limit.
struct TSizeConstraints {
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
    constexpr bool operator==(const TSizeConstraints&) const = default;
};

// Key codes are Qt::Key values; a handler that sets Key to 0 consumes the key.
using TKeyEvent = std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)>;
using TKeyPressEvent = std::function<void(QObject* Sender, QChar& Key)>;
using TMouseEvent = std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;

class TControl : public QWidget, public TComponentBase {
    Q_OBJECT
public:
    explicit TControl(QObject* AOwner = nullptr);
    ~TControl() override;

    // The visual parent; a form's children sit in its client widget but their
    // Parent() is the form.
    TWinControl* Parent() const;
    virtual void SetParent(TWinControl* parent);
    // The form this control sits on (nullptr when it has none).
    TForm* ParentForm() const;

    int Left() const { return geometry().x(); }
    int Top() const { return geometry().y(); }
    int Width() const { return geometry().width(); }
    int Height() const { return geometry().height(); }
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // The one way sizes change (the align and anchor engine uses it too).
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    virtual TRect ClientRect() const { return Rect(0, 0, Width(), Height()); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientSize(int w, int h);
    void SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
    void SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }

    const TSizeConstraints& Constraints() const { return FConstraints; }
    // Applies the new limits to the current size at once.
    void SetConstraints(const TSizeConstraints& c);

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors anchors);

    // The control's own flags, whatever its parent's state.
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void SetEnabled(bool v);

    // Caption and Text are the same string, as in the class library.
    QString Caption() const { return FText; }
    void SetCaption(const QString& s) { SetText(s); }
    QString Text() const { return FText; }
    void SetText(const QString& s);

    // "short|long": the part before "|" is what a hint window shows.
    QString Hint() const { return FHint; }
    void SetHint(const QString& s) { FHint = s; }
    // Follows the parent's until set (ParentShowHint); forms start without hints.
    bool ShowHint() const;
    void SetShowHint(bool v) {
        FShowHint = v;
        FParentShowHint = false;
    }
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool v) { FParentShowHint = v; }

    TColor Color() const { return FColor; }
    void SetColor(TColor c);
    // The control's font; changing it reaches the widget and FontChanged().
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& f) { FFont.Assign(f); }

    // Runs OnClick; also when called from code on a hidden or disabled control.
    virtual void Click();
    // The action whose caption, enabled state, hint and visibility the control
    // takes (nullptr: none). The link never touches OnClick.
    TCustomAction* Action() const;
    void SetAction(TCustomAction* a);
    TControlActionLink* ActionLink() const { return FActionLink.get(); }
    // Enter, Escape and other keys no focused control took, offered to every
    // control of the form in turn; true = handled.
    virtual bool DialogKey(int key, Qt::KeyboardModifiers shift);
    // Buttons answer true: Enter on a focused button presses that button, not
    // the form's default one.
    virtual bool IsButtonControl() const { return false; }

    void Invalidate() { update(); }
    void Repaint() { repaint(); }
    void BringToFront() { raise(); }
    void SendToBack() { lower(); }
    TPoint ClientToScreen(TPoint p) const { return TPoint::FromQPoint(mapToGlobal(p.ToQPoint())); }
    TPoint ScreenToClient(TPoint p) const { return TPoint::FromQPoint(mapFromGlobal(p.ToQPoint())); }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // Kept by the align engine: the bounds before anchoring and the parent's
    // client size they were set against.
    void UpdateAnchorRules();

    void setVisible(bool visible) override;

protected:
    // Runs f (new window flags, a new parent) without Qt's hiding of the
    // widget touching Visible().
    template <class F> void Reparenting(F&& f) {
        const bool was = FReparenting;
        FReparenting = true;
        f();
        FReparenting = was;
    }
    // Keeps Text in step with an inner widget the user edits, without the hook.
    void StoreText(const QString& s) { FText = s; }
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Only forms may become windows of their own; a control without a parent stays hidden.
    virtual bool IsTopLevelControl() const { return false; }
    // Hooks after a change (the class library's CM_TEXTCHANGED and friends).
    virtual void TextChanged() {}
    virtual void EnabledChanged() {}
    virtual void VisibleChanged() {}
    virtual void ColorChanged() {}
    virtual void FontChanged() {}
    virtual void Resize();
    // The linked action changed, or was just linked (CheckDefaults while the
    // action is still loading: only values the control still has at their
    // defaults are taken). Takes caption, enabled state, hint and visibility.
    virtual void ActionChange(TCustomAction* Sender, bool CheckDefaults);
    // A press and release of the left button inside the control is a click.
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void RequestAlign();

private:
    friend class TWinControl;
    friend class TCustomAction;
    void ApplyAnchors(int parentW, int parentH);

    std::unique_ptr<TControlActionLink> FActionLink;

    QString FText;
    QString FHint;
    TColor FColor;
    TFont FFont;
    bool FPressed = false;
    TAlign FAlign = alNone;
    TAnchors FAnchors = akLeft | akTop;
    TSizeConstraints FConstraints;
    bool FVisible = true;
    bool FShowHint = false;
    bool FParentShowHint = true;
    bool FAnchoring = false;
    bool FReparenting = false;
    QSize FLastSize{0, 0};
    TRect FAnchorBounds;
    TSize FAnchorParent{-1, -1};
};

class TWinControl : public TControl {
    Q_OBJECT
public:
    explicit TWinControl(QObject* AOwner = nullptr);
    ~TWinControl() override;

    // Where child controls live: the control itself, or a form's client widget.
    virtual QWidget* ClientWidget() { return this; }
    // The child controls, bottom first (creation order unless re-stacked).
    QList<TControl*> Controls() const;
    int ControlCount() const { return Controls().size(); }

    // The rectangle aligned children share; descendants with borders shrink it.
    virtual void AdjustClientRect(TRect& rect) { (void)rect; }
    // Places aligned children (top, bottom, left, right, then client) and
    // applies the anchors of the others.
    virtual void AlignControls(TControl* AControl, TRect& rect);
    void Realign();
    void DisableAlign() { ++FAlignLock; }
    void EnableAlign();

    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v);
    int TabOrder() const;
    void SetTabOrder(int order);
    // The direct windowed children in tab order.
    QList<TWinControl*> TabList() const { return FTabList; }
    // Every tab stop below this control, depth-first in tab order.
    void GetTabOrderList(QList<TWinControl*>& list) const;
    // The widget that takes the keyboard focus (an inner Qt widget for wrappers).
    virtual QWidget* FocusTarget() { return FInner ? FInner : this; }
    bool CanFocus() const;
    bool Focused() const;
    void SetFocus();

    // Sends the message to every child control.
    void Broadcast(TMessage& message);

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    void Loaded() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void ApplyTabOrder();
    // Frees the child controls. Destructors call it while the object is still
    // of their class, so the children's destructors can still reach their parent.
    void DestroyControls();
    // Wrappers around a Qt widget: the inner widget fills the control, takes
    // its focus and reports its keys and focus changes as the control's.
    void SetInner(QWidget* inner);
    QWidget* Inner() const { return FInner; }
    bool eventFilter(QObject* watched, QEvent* e) override;
    // The class library's key handling: KeyDown (OnKeyDown) then KeyPress
    // (OnKeyPress) for a character; both may consume the key.
    bool DoKeyDown(int& key, Qt::KeyboardModifiers shift);
    bool DoKeyPress(QChar& ch);
    // A key press or release through those handlers (or OnKeyUp), under the
    // exception guard; true when a handler consumed it.
    bool RunKeyEvents(const QKeyEvent* e);

private:
    friend class TControl;
    void AddTabControl(TWinControl* c);
    void RemoveTabControl(TWinControl* c);

    QList<TWinControl*> FTabList;  // children, UI thread only
    QWidget* FInner = nullptr;
    int FAlignLock = 0;
    bool FAligning = false;
    bool FTabStop = false;
};

// A control without focus, painted on its parent's surface; it draws in
// Paint() through Canvas() and is transparent where it draws nothing.
class TGraphicControl : public TControl {
    Q_OBJECT
public:
    explicit TGraphicControl(QObject* AOwner = nullptr);
    TCanvas& Canvas() { return FCanvas; }

protected:
    virtual void Paint() {}
    void paintEvent(QPaintEvent* e) override;

private:
    QImage FImage;
    TCanvas FCanvas{&FImage};
};

// A windowed control that paints itself: the background in Color, then Paint()
// through Canvas(), composed off-screen and put on screen at once.
class TCustomControl : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomControl(QObject* AOwner = nullptr);
    TCanvas& Canvas() { return FCanvas; }
    // The picture Paint() makes at the current size (also for tests).
    QImage PaintToImage();

protected:
    virtual void Paint() {}
    void paintEvent(QPaintEvent* e) override;

private:
    QImage FImage;
    TCanvas FCanvas{&FImage};
};

// The control (or its outer wrapper) that a widget belongs to.
TControl* FindControl(QWidget* w);
// The parts of a hint "short|long" (no "|": both are the whole text).
QString GetShortHint(const QString& hint);
QString GetLongHint(const QString& hint);
