#include "skin/controls/menus/SkinMenuServices.h"

namespace {
// UI thread only, like every control that asks for them.
std::shared_ptr<TqvPopupMenuService>& MenuService() {
    static std::shared_ptr<TqvPopupMenuService> s;
    return s;
}
std::shared_ptr<TqvFormSkinLookup>& SkinLookup() {
    static std::shared_ptr<TqvFormSkinLookup> s;
    return s;
}
}  // namespace

TqvPopupMenuService* PopupMenuService() { return MenuService().get(); }
void SetPopupMenuService(std::shared_ptr<TqvPopupMenuService> Service) { MenuService() = std::move(Service); }
TqvFormSkinLookup* FormSkinLookup() { return SkinLookup().get(); }
void SetFormSkinLookup(std::shared_ptr<TqvFormSkinLookup> Lookup) { SkinLookup() = std::move(Lookup); }
