// The caption bar of a skinned and a skinless form with its buttons in their
// states: normal, hover and pressed close button, the maximize button of a
// maximized form (restore image, hovered) and a rolled-up form.
#include "tools/gallery/GallerySheet.h"

#include "skin/forms/Velmora.h"
#include "skin/forms/objects/CaptionButtons.h"

namespace {

TqvSkinStdButtonObject* Button(TqvVelmora* comp, TqvStdCommand cmd) {
    for (const auto& o : comp->ObjectList)
        if (auto* b = dynamic_cast<TqvSkinStdButtonObject*>(o.get()); b && b->Visible && b->Command == cmd) return b;
    return nullptr;
}

// The hover look at once, as the morph ends.
void Hover(TqvSkinStdButtonObject* b, bool down) {
    if (!b) return;
    b->MouseEnter();
    b->SetMorphKf(1);
    if (down) b->SetDown(true);
}

void Leave(TqvSkinStdButtonObject* b) {
    if (!b) return;
    if (b->Down()) b->SetDown(false);
    b->MouseLeave();
    b->SetMorphKf(0);
}

QImage CaptionBar(TForm& form, TqvVelmora* comp) {
    const int h = qMin(form.Height(), form.Client()->geometry().top() + 4);
    return comp->BuildFrameImage(true).copy(0, 0, form.Width(), h);
}

void Bars(TGallerySheet& sheet, TqvSkinData* model, const QString& label) {
    TForm form;
    form.SetCaption(QStringLiteral("Caption 标题"));
    form.SetBounds(0, 0, 300, 160);
    auto* comp = new TqvVelmora(&form);
    comp->SetScreenAreasForTests(QRect(0, 0, 420, 300), QRect(0, 0, 420, 300), QRect(0, 0, 800, 600));
    // Drawn as an active form: the sheet's forms are never shown.
    comp->PreviewMode = true;
    comp->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray);
    comp->SetSkinData(model);
    sheet.Place(CaptionBar(form, comp), label);
    TqvSkinStdButtonObject* close = Button(comp, cmClose);
    Hover(close, false);
    sheet.Place(CaptionBar(form, comp), label + QStringLiteral(" close hover"));
    Hover(close, true);
    sheet.Place(CaptionBar(form, comp), label + QStringLiteral(" close pressed"));
    Leave(close);
    sheet.NewRow();
    comp->SetWindowState(wsMaximized);
    sheet.Place(CaptionBar(form, comp), label + QStringLiteral(" maximized"));
    TqvSkinStdButtonObject* max = Button(comp, cmMaximize);
    Hover(max, false);
    sheet.Place(CaptionBar(form, comp), label + QStringLiteral(" maximized, restore hover"));
    Leave(max);
    comp->SetWindowState(wsNormal);
    comp->SetRollUpState(true);
    sheet.Place(comp->BuildFrameImage(true), label + QStringLiteral(" rolled up"));
    sheet.NewRow();
}

}  // namespace

void DrawCaptionButtonsSection(TGallerySheet& sheet) {
    // The form only reads the sheet's model.
    Bars(sheet, const_cast<TqvSkinData*>(&sheet.Skin()), QStringLiteral("skinned"));
    Bars(sheet, nullptr, QStringLiteral("skinless"));
}
