// An inactive form under its client veil, dimmed and blurred.
#include "tools/gallery/GallerySheet.h"

#include "platform/StdCtrls.h"
#include "skin/forms/Velmora.h"

#include <QCoreApplication>
#include <QPainter>

namespace {

QImage Inactive(TForm* form, TqvVelmora* comp) {
    QImage img = comp->BuildFrameImage(false).convertToFormat(QImage::Format_RGB32);
    QPainter p(&img);
    p.drawPixmap(form->Client()->geometry().topLeft(), form->Client()->grab());
    return img;
}

}  // namespace

void DrawVeilSection(TGallerySheet& sheet) {
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
    ok->SetBounds(200, 120, 90, 28);
    // The form only reads the sheet's model.
    comp->SetSkinData(const_cast<TqvSkinData*>(&sheet.Skin()));
    // The veil is a snapshot of what shows, so the form must be on screen.
    form.Show();
    QCoreApplication::processEvents();
    for (auto [effect, label] : {std::pair{qvieSemiTransparent, "dimmed"}, std::pair{qvieBlur, "blurred"}}) {
        comp->ClientInActiveEffectType = effect;
        comp->ShowClientInActiveEffect();
        sheet.Place(Inactive(&form, comp), QStringLiteral("inactive, %1").arg(QLatin1String(label)));
        comp->HideClientInActiveEffect();
    }
    form.Hide();
}
