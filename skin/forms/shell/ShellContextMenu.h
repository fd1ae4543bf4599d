// The small menu the shell views show on a right click: "Open" and "Rename".
// The control it opens on takes a verb first through IShellVerbHandler;
// "open" it leaves to the desktop (ShellActions), "rename" it does itself.
#pragma once

#include "platform/Control.h"
#include "skin/forms/shell/ShellNamespace.h"

class IShellVerbHandler {
public:
    virtual ~IShellVerbHandler() = default;
    // Before the verb runs; Handled = true keeps it from running.
    virtual void ExecuteCommand(const QString& Verb, bool& Handled) = 0;
    virtual void CommandCompleted(const QString& Verb, bool Succeeded) = 0;
};

// Runs a verb chosen for AFolder on Owner: the owner's ExecuteCommand first,
// then, unless it handled the verb, "open" through ShellActions (other verbs
// do nothing), then the owner's CommandCompleted. Answers whether it succeeded.
bool RunShellVerb(TControl* Owner, const TqvShellFolder* AFolder, const QString& Verb);

// Shows the menu for AFolder at ScreenPoint through the skinned popup-menu
// service; nothing without a folder or a service. Runs AfterCommand (when
// set) after a chosen verb.
void ShowShellContextMenu(TControl* Owner, const TqvShellFolder* AFolder, TPoint ScreenPoint,
                          std::function<void(const QString& Verb)> AfterCommand = {});
