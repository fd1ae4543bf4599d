#include "skin/forms/menu/MenuServices.h"

#include "platform/Application.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/menu/SkinMenu.h"

namespace {

class TPopupService : public TqvPopupMenuService {
public:
    bool Popup(TControl* PopupControl, TForm* ComponentForm, std::shared_ptr<const TqvMenuItemList> Items,
               TPoint ScreenPoint) override {
        // An MDI child's menus show through its frame.
        if (ComponentForm && ComponentForm->IsMDIChild() && Application()->MainForm())
            ComponentForm = Application()->MainForm();
        TqvVelmora* c = ComponentForm ? GetSkinFormComponent(ComponentForm) : nullptr;
        if (!c || !(c->MenusSkinData() || c->SkinData()) || !Items) return false;
        // One menu per call, gone once its menu has ended (after the chosen
        // command: deferred deletion waits for this handler to return).
        auto* menu = new TqvSkinPopupMenu(nullptr);
        menu->SetComponentForm(ComponentForm);
        for (const TqvMenuItemSpec& entry : *Items) {
            auto* item = new TMenuItem(menu);
            item->SetCaption(entry.Caption);
            item->SetEnabled(entry.Enabled);
            if (entry.OnClick) item->OnClick = [fn = entry.OnClick](QObject*) { fn(); };
            menu->Items()->Add(item);
        }
        QPointer<TqvSkinPopupMenu> guard(menu);
        menu->OnMenuClose = [guard](QObject*) {
            if (guard) guard->deleteLater();
        };
        menu->Popup2(PopupControl, ScreenPoint.X, ScreenPoint.Y);
        return true;
    }
};

class TSkinLookup : public TqvFormSkinLookup {
public:
    TqvSkinData* FormSkinData(TForm* Form) const override {
        TqvVelmora* c = Form ? GetSkinFormComponent(Form) : nullptr;
        return c ? c->SkinData() : nullptr;
    }
};

}  // namespace

void RegisterSkinMenuServices() {
    SetPopupMenuService(std::make_shared<TPopupService>());
    SetFormSkinLookup(std::make_shared<TSkinLookup>());
}
