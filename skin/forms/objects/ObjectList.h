// What the skinned-form component shares with its frame objects beyond the
// objects themselves: the events it raises for them and the link to the
// skinned menus that buttons with linked menus (and the system-menu button)
// open. The component's object-list operations live in ObjectList.cpp.
#pragma once

#include "platform/Types.h"

#include <QString>

#include <functional>

class QPainter;
class TMenuItem;

using TqvPaintEvent = std::function<void(const QString& IDName, QPainter& Canvas, const TRect& ObjectRect)>;
using TqvMouseDownEvent =
    std::function<void(const QString& IDName, int X, int Y, const TRect& ObjectRect, Qt::MouseButton Button)>;
using TqvMouseUpEvent = TqvMouseDownEvent;
using TqvMouseMoveEvent = std::function<void(const QString& IDName, int X, int Y, const TRect& ObjectRect)>;
using TqvMouseEnterEvent = std::function<void(const QString& IDName)>;
using TqvMouseLeaveEvent = TqvMouseEnterEvent;
// ObjectVisible starts false; the handler says whether the object shows.
using TqvActivateCustomObjectEvent = std::function<void(const QString& IDName, bool& ObjectVisible)>;

// The skinned menus as the frame objects see them. The component holds one
// (TqvVelmora::SetMenuLink); without one no menu opens and a pressed button
// is released at once.
class TqvFrameMenuLink {
public:
    virtual ~TqvFrameMenuLink() = default;
    // Opens Item's children beside ScreenRect (above it when PopupUp). The
    // menu mode of the form starts first; when the menus close, the menus
    // call TqvVelmora::SkinMenuClose. False when nothing opened.
    virtual bool PopupLinkedMenu(TMenuItem* Item, const TRect& ScreenRect, bool PopupUp) = 0;
    // The items the system menu shows; nullptr when there is none.
    virtual TMenuItem* SystemMenuItems() = 0;
};
