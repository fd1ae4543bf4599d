// A list or run command exists as a hidden button, a toolbar button and menu
// items; they are enabled and disabled together, and the toolbar button shows
// the picture of its state.
#pragma once

#include <vector>

class TButton;
class TControl;
class TImage;
class TMenuItem;

struct TCommandState {
    TButton* Hidden = nullptr;
    TControl* ToolButton = nullptr;  // a skinned button or speed button
    TImage* EnabledPicture = nullptr;
    TImage* DisabledPicture = nullptr;
    std::vector<TMenuItem*> MenuItems;

    void SetEnabled(bool enabled) const;
    // Enabled as the toolbar button shows it.
    bool Enabled() const;
};
