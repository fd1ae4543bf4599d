// What the dialogs use of the main window, without knowing its class: its
// skin model, its job fields, its output-folder text and its converter. The
// main window installs its link before the dialogs are created (their skinned
// controls take the skin model at creation); tests install their own. Without
// one the dialogs work on a detached link: no skin, fields of their own.
#pragma once

#include "app/jobs/JobFields.h"

#include <QString>

class TqvSkinData;
class TCustomTrevalon;

class TMainWindowLink {
public:
    virtual ~TMainWindowLink() = default;
    // The program's one skin model (qvSkinData1); null: skinless.
    virtual TqvSkinData* SkinData() = 0;
    // All_Trant_Number and the Video_ fields, written in place.
    virtual jobs::TJobFields& JobFields() = 0;
    // The output-folder edit's text, as shown.
    virtual QString OutputFolderText() = 0;
    // The conversion component whose Preview the options dialog switches; null: none.
    virtual TCustomTrevalon* Converter() = 0;
};

// Null puts the detached link back.
void SetMainWindowLink(TMainWindowLink* link);
// Never null.
TMainWindowLink& MainWindowLink();
