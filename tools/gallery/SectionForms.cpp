// A resizable form with the skin's frame, active, inactive and rolled up, and
// the skinless frame beside it; outside the window's shape the sheet shows.
#include "tools/gallery/GalleryHost.h"

#include "platform/StdCtrls.h"
#include "skin/forms/Velmora.h"


namespace {

void Forms(TGallerySheet& sheet, TqvSkinData* model, const QString& label) {
    TForm form;
    form.SetCaption(QStringLiteral("Form 窗体"));
    form.SetBounds(0, 0, 320, 200);
    auto* comp = new TqvVelmora(&form);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(12, 12, 160, 24);
    edit->SetText(kGallerySample);
    auto* ok = new TButton(&form);
    ok->SetParent(&form);
    ok->SetCaption(QStringLiteral("&OK"));
    ok->SetAnchors(akRight | akBottom);
    ok->SetBounds(200, 120, 90, 28);
    comp->SetSkinData(model);
    sheet.Place(gallery::FormPicture(&form, comp, true), label + QStringLiteral(" active"));
    sheet.Place(gallery::FormPicture(&form, comp, false), label + QStringLiteral(" inactive"));
    comp->SetRollUpState(true);
    sheet.Place(gallery::FormPicture(&form, comp, true), label + QStringLiteral(" rolled up"));
}

}  // namespace

void DrawFormsSection(TGallerySheet& sheet) {
    // The form only reads the sheet's model.
    Forms(sheet, const_cast<TqvSkinData*>(&sheet.Skin()), QStringLiteral("skinned"));
    sheet.NewRow();
    Forms(sheet, nullptr, QStringLiteral("skinless"));
}
