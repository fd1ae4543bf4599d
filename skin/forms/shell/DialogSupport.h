// What the code-built file, folder, picture and skin dialogs share: their
// interface texts, their tool-button glyphs, the skinned frame each one
// carries, its client size, and the guard that turns a failure inside a
// dialog into a skinned message box over it.
#pragma once

#include "platform/Form.h"
#include "platform/Graphics.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/model/SkinData.h"

#include <QPointer>

#include <exception>

class TqvVelmora;
class TqvSkinBevel;
class TqvSkinScrollBar;
class TqvSkinSpeedButton;
class TqvSkinStdLabel;

// Runs the dialog's OnClose and frees its form however the run ends.
template <class Dialog, class Form> struct TDialogRunEnd {
    Dialog* D;
    Form*& F;
    ~TDialogRunEnd() {
        if (D->OnClose) D->OnClose(D);
        delete F;
    }
};

// Pieces the dialogs' layouts share, owned by form and named for lookups.
TqvSkinSpeedButton* DialogToolButton(TForm* form, TWinControl* parent, const char* name, const char* glyph,
                                     const QString& hint, bool flat, TqvSkinData* sd);
TqvSkinBevel* DialogSpacer(TForm* form, TWinControl* parent, TAlign align, int width);
// A disabled bar the view it serves turns on: vertical on the right, else at the bottom.
TqvSkinScrollBar* DialogScrollBar(TForm* form, TWinControl* parent, const char* name, bool vertical, TqvSkinData* sd);
TqvSkinStdLabel* DialogLabel(TForm* form, TWinControl* parent, const char* name, const QString& text, TqvSkinData* sd);
TqvSkinPanel* DialogPanel(TForm* form, TWinControl* parent, const char* name, TAlign align,
                          TqvSkinBorderStyle border, TqvSkinData* sd);

// The model's interface text of that name when it has one, else Text.
QString DialogText(const TqvSkinData* model, const char* key, const char* text);

// "QV_BACK", "QV_UP", "QV_NEWFOLDER", "QV_LVSTYLE", "QV_STRETCH": 16 x 16
// pictures on a magenta background, which the buttons leave out.
TBitmap DialogGlyph(const char* name);

// What every dialog component hands its form's skinned frame.
struct TqvDialogFrame {
    QPointer<TqvSkinData> SkinData, CtrlSkinData;
    int MinWidth = 0, MinHeight = 0;
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    int AlphaBlendValue = 200;
};

// Frame, menus' model, limits and fade; no caption buttons.
void ApplyDialogFrame(TqvVelmora* comp, const TqvDialogFrame& frame);

// Width or Height below 1 takes the default; a loaded frame skin raises the
// size to the frame's minimum.
void ApplyDialogClientSize(TForm* form, TqvVelmora* comp, const TqvSkinData* skin, int Width, int Height,
                           int DefWidth, int DefHeight);

// Shows what went wrong in a skinned error box over the dialog; the dialog
// stays open and unchanged.
void ShowDialogError(const TqvDialogFrame& frame, std::exception_ptr e);

// Runs f inside a dialog's handler: a failure is shown and goes no further.
template <class F> bool DialogGuard(const TqvDialogFrame& frame, F&& f) {
    try {
        f();
        return true;
    } catch (...) {
        ShowDialogError(frame, std::current_exception());
        return false;
    }
}
