// Fake menu services for the control tests: they record what the controls
// ask for and show nothing.
#pragma once

#include "skin/controls/menus/SkinMenuServices.h"
#include "skin/model/SkinData.h"

#include <QPointer>

struct TFakeMenuService : TqvPopupMenuService {
    int Shown = 0;
    QPointer<TControl> Control;
    QPointer<TForm> Form;
    std::shared_ptr<const TqvMenuItemList> Items;
    TPoint At{};
    bool Popup(TControl* c, TForm* f, std::shared_ptr<const TqvMenuItemList> items, TPoint p) override {
        ++Shown;
        Control = c;
        Form = f;
        Items = std::move(items);
        At = p;
        return true;
    }
};

struct TFakeSkinLookup : TqvFormSkinLookup {
    QPointer<TqvSkinData> Model;
    TqvSkinData* FormSkinData(TForm*) const override { return Model.data(); }
};

struct TFakePopupMenu : QObject, TqvPopupMenuRef {
    int Popups = 0;
    QPointer<TControl> Control;
    TPoint At{};
    TRect FromRect{};
    QObject* MenuObject() override { return this; }
    void Popup2(TControl* c, int X, int Y) override {
        ++Popups;
        Control = c;
        At = {X, Y};
    }
    void PopupFromRect2(TControl* c, const TRect& r, bool) override {
        ++Popups;
        Control = c;
        FromRect = r;
    }
};

struct TFakeImagesMenu : QObject, TqvImagesMenuRef {
    int Popups = 0;
    TRect FromRect{};
    std::function<void()> Close, Change;
    TCustomImageList* List = nullptr;
    int Selected = -1;
    QString Caption;
    QObject* MenuObject() override { return this; }
    void PopupFromRect(const TRect& r) override {
        ++Popups;
        FromRect = r;
    }
    void SetCloseHook(std::function<void()> h) override { Close = std::move(h); }
    void SetChangeHook(std::function<void()> h) override { Change = std::move(h); }
    TCustomImageList* Images() const override { return List; }
    int SelectedImageIndex() const override { return Selected; }
    QString SelectedCaption() const override { return Caption; }
};
