// The base of the frame objects a skinned form carries in its frame (caption,
// caption buttons, user objects, animations). The form component places them
// (ObjectRect), draws them into its frame pieces, finds the one under the
// mouse and hands it the mouse; the concrete kinds fill in the rest.
#pragma once

#include "platform/Types.h"
#include "skin/model/SkinTypes.h"

#include <QString>

class QPainter;
class TqvVelmora;

// What the component needs to tell the kinds apart: the row layout places
// standard buttons and animations, the hit test asks the caption.
enum class TqvFrameObjectKind { User, Button, StdButton, Animate, Caption };

class TqvActiveSkinObject {
public:
    explicit TqvActiveSkinObject(TqvVelmora* AParent) : Parent(AParent) {}
    virtual ~TqvActiveSkinObject() = default;
    TqvActiveSkinObject(const TqvActiveSkinObject&) = delete;
    TqvActiveSkinObject& operator=(const TqvActiveSkinObject&) = delete;

    virtual TqvFrameObjectKind Kind() const { return TqvFrameObjectKind::User; }
    bool IsCaption() const { return Kind() == TqvFrameObjectKind::Caption; }

    // Point in window coordinates; the base answers the whole ObjectRect.
    virtual bool PtInMask(int X, int Y) const { return PtInRect(ObjectRect, Point(X, Y)); }
    // Draws the state image at ObjectRect (moved by the caller's origin) into p.
    virtual void Draw(QPainter& p, bool UpDate) { (void)p; (void)UpDate; }
    virtual bool CanMorphing() const { return false; }
    virtual void DblClick() {}
    virtual void MouseDown(int X, int Y, Qt::MouseButton Button) { (void)X; (void)Y; (void)Button; }
    virtual void MouseUp(int X, int Y, Qt::MouseButton Button) { (void)X; (void)Y; (void)Button; }
    virtual void MouseMove(int X, int Y) { (void)X; (void)Y; }
    virtual void MouseEnter() { FMouseIn = true; }
    virtual void MouseLeave() { FMouseIn = false; }
    bool MouseIn() const { return FMouseIn; }

    TqvVelmora* Parent;
    QString IDName;
    QString Hint;
    // Normal image: in the active picture when SkinRectInAPicture, else in the frame picture.
    TRect SkinRect{};
    // Where the object is drawn, window coordinates (SkinRect until the form places it).
    TRect ObjectRect{};
    bool SkinRectInAPicture = false;
    bool Enabled = true;
    bool Visible = true;
    TqvStdCommand Command = cmDefault;

protected:
    bool FMouseIn = false;
};
