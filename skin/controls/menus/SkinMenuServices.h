// What the controls need of the skinned menus and forms, which live in the
// layer above: a popup-menu service, the form's skin lookup and references to
// the skinned menu components. skin/forms implements and registers them;
// until something is registered the controls show no menus.
#pragma once

#include "platform/Control.h"
#include "platform/Form.h"
#include "platform/ImgList.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class TqvSkinData;

// Sent to a control when something takes the pointer away from it (a press
// outside its drop-down, the window deactivated, a menu opened).
constexpr unsigned CM_CANCELMODE = 45060;

// One item of a menu a control builds for itself. A caption of "-" is a separator.
struct TqvMenuItemSpec {
    QString Caption;
    bool Enabled = true;
    std::function<void()> OnClick;
    bool IsSeparator() const { return Caption == QLatin1String("-"); }
};
using TqvMenuItemList = std::vector<TqvMenuItemSpec>;

// Shows a control's own menu as a skinned popup menu.
class TqvPopupMenuService {
public:
    virtual ~TqvPopupMenuService() = default;
    // Shows Items at ScreenPoint with PopupControl as the popup control, through
    // the skinned-form component of ComponentForm; returns at once. After the
    // user chose an item, its OnClick runs and then WM_SKIN_MENU_COMMAND (1229)
    // is sent to PopupControl. False, and nothing shown, when that form has no
    // skinned-form component with a skin model.
    virtual bool Popup(TControl* PopupControl, TForm* ComponentForm, std::shared_ptr<const TqvMenuItemList> Items,
                       TPoint ScreenPoint) = 0;
};

// The skin model of a form's skinned-form component (nullptr when the form has none).
class TqvFormSkinLookup {
public:
    virtual ~TqvFormSkinLookup() = default;
    virtual TqvSkinData* FormSkinData(TForm* Form) const = 0;
};

// A skinned popup menu component a control refers to (a control's PopupMenu,
// a menu button's SkinPopupMenu).
class TqvPopupMenuRef {
public:
    virtual ~TqvPopupMenuRef() = default;
    // The component itself: references are QPointers to it, so a freed menu
    // is forgotten.
    virtual QObject* MenuObject() = 0;
    // At a screen point (a control's context menu).
    virtual void Popup2(TControl* PopupControl, int X, int Y) = 0;
    // Below (or, with PopupUp, above) a screen rectangle. The menu manager
    // sends WM_SKIN_MENU_CLOSED (1228) to PopupControl when its menus close.
    virtual void PopupFromRect2(TControl* PopupControl, const TRect& ScreenRect, bool PopupUp) = 0;
};

// A skinned images menu: a grid of pictures with a selected item.
class TqvImagesMenuRef {
public:
    virtual ~TqvImagesMenuRef() = default;
    virtual QObject* MenuObject() = 0;
    virtual void PopupFromRect(const TRect& ScreenRect) = 0;
    // Run once when the menu closes (set before each popup).
    virtual void SetCloseHook(std::function<void()> Hook) = 0;
    // Run when the selection changes.
    virtual void SetChangeHook(std::function<void()> Hook) = 0;
    virtual TCustomImageList* Images() const = 0;
    // -1 = nothing selected.
    virtual int SelectedImageIndex() const = 0;
    virtual QString SelectedCaption() const = 0;
};

// A guarded reference: the interface while its component lives.
template <class T> class TqvMenuPointer {
public:
    TqvMenuPointer() = default;
    void Set(T* Ref) {
        FRef = Ref;
        FObject = Ref ? Ref->MenuObject() : nullptr;
    }
    T* Get() const { return FObject ? FRef : nullptr; }
    explicit operator bool() const { return Get() != nullptr; }

private:
    T* FRef = nullptr;
    QPointer<QObject> FObject;
};

// Registered by the skinned forms at start-up; nullptr = none (no menus).
TqvPopupMenuService* PopupMenuService();
void SetPopupMenuService(std::shared_ptr<TqvPopupMenuService> Service);
TqvFormSkinLookup* FormSkinLookup();
void SetFormSkinLookup(std::shared_ptr<TqvFormSkinLookup> Lookup);
