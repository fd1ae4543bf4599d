#include "skin/forms/shell/ShellContextMenu.h"

#include "platform/Form.h"
#include "platform/Shell.h"
#include "skin/controls/menus/SkinMenuServices.h"

#include <QPointer>

namespace {

bool RunVerb(TControl* Owner, const QString& path, const QString& Verb) {
    bool handled = false;
    auto* handler = dynamic_cast<IShellVerbHandler*>(Owner);
    if (handler) handler->ExecuteCommand(Verb, handled);
    bool ok = handled;
    if (!handled && Verb.compare(QLatin1String("open"), Qt::CaseInsensitive) == 0)
        ok = !path.isEmpty() && ShellActions().Open(path);
    if (handler) handler->CommandCompleted(Verb, ok);
    return ok;
}

}  // namespace

bool RunShellVerb(TControl* Owner, const TqvShellFolder* AFolder, const QString& Verb) {
    if (!AFolder) return false;
    return RunVerb(Owner, AFolder->PathName(), Verb);
}

void ShowShellContextMenu(TControl* Owner, const TqvShellFolder* AFolder, TPoint ScreenPoint,
                          std::function<void(const QString& Verb)> AfterCommand) {
    if (!AFolder || !Owner) return;
    TqvPopupMenuService* service = PopupMenuService();
    if (!service) return;
    // The menu outlives this call: it keeps the path, never the item, which
    // the view may have reloaded by the time a choice is made.
    QPointer<TControl> owner(Owner);
    const QString path = AFolder->PathName();
    auto item = [owner, path, AfterCommand](const QString& verb) {
        return [owner, path, AfterCommand, verb] {
            if (!owner) return;
            RunVerb(owner, path, verb);
            if (owner && AfterCommand) AfterCommand(verb);
        };
    };
    auto menu = std::make_shared<TqvMenuItemList>();
    *menu = {
        {QStringLiteral("Open"), !path.isEmpty(), item(QStringLiteral("open"))},
        {QStringLiteral("Rename"), AFolder->Capabilities().Contains(fcCanRename), item(QStringLiteral("rename"))},
    };
    service->Popup(Owner, Owner->ParentForm(), menu, ScreenPoint);
}
