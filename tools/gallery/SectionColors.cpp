// The eight skin colours, each pair of text and background shown together.
#include "tools/gallery/GallerySheet.h"

void DrawColorsSection(TGallerySheet& sheet)
{
    const TqvSkinColors& c = sheet.Skin().SkinColors();
    struct TSwatch { const char* name; TColor bg, fg; };
    const TSwatch swatches[] = {
        {"cBtnFace / cBtnText", c.cBtnFace(), c.cBtnText()},
        {"cWindow / cWindowText", c.cWindow(), c.cWindowText()},
        {"cHighLight / cHighLightText", c.cHighLight(), c.cHighLightText()},
        {"cBtnHighLight", c.cBtnHighLight(), c.cBtnText()},
        {"cBtnShadow", c.cBtnShadow(), c.cBtnText()},
    };
    for (const TSwatch& s : swatches) {
        QImage img(150, 40, QImage::Format_RGB32);
        img.fill(ColorToQColor(s.bg));
        TGallerySheet::Text(img, Rect(0, 0, 150, 40), kGallerySample, TGallerySheet::SkinFont(QStringLiteral("Tahoma"), 14, 0),
                            s.fg, true);
        sheet.Place(img, QString::fromLatin1(s.name));
    }
}
