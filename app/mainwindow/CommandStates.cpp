#include "app/mainwindow/CommandStates.h"

#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/buttons/SkinSpeedButton.h"
#include "skin/forms/menu/Menus.h"

void TCommandState::SetEnabled(bool enabled) const {
    if (Hidden) Hidden->SetEnabled(enabled);
    if (ToolButton) {
        ToolButton->SetEnabled(enabled);
        TImage* picture = enabled ? EnabledPicture : DisabledPicture;
        if (auto* b = dynamic_cast<TqvSkinButton*>(ToolButton)) {
            if (picture) b->SetGlyph(picture->Picture());
            b->RefreshButton();
        } else if (auto* s = dynamic_cast<TqvSkinSpeedButton*>(ToolButton)) {
            if (picture) s->SetGlyph(picture->Picture());
            s->RefreshButton();
        }
    }
    for (TMenuItem* item : MenuItems) item->SetEnabled(enabled);
}

bool TCommandState::Enabled() const { return ToolButton ? ToolButton->Enabled() : Hidden && Hidden->Enabled(); }
