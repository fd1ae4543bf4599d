// The form frame at 480 x 320, active and inactive, with caption and buttons
// laid out the way the skinned form lays them out.
#include "tools/gallery/GallerySheet.h"
#include "tools/skingen/SkinSlices.h"

#include "skin/model/draw/SkinCompose.h"

namespace {

constexpr int kW = 480, kH = 320;

QImage Frame(const TqvSkinData& s, bool active, int hotCommand)
{
    TqvSliceGeometry g;
    g.LT = s.LTPoint;
    g.RT = s.RTPoint;
    g.LB = s.LBPoint;
    g.RB = s.RBPoint;
    g.ClRect = s.ClRect;
    g.LeftStretch = s.LeftStretch;
    g.TopStretch = s.TopStretch;
    g.RightStretch = s.RightStretch;
    g.BottomStretch = s.BottomStretch;
    g.StretchEffect = s.StretchEffect;
    g.StretchType = s.StretchType;
    const QImage& pic = active || s.FInActivePicture.isNull() ? s.FPicture : s.FInActivePicture;
    const TRect whole = Rect(0, 0, pic.width(), pic.height());
    QImage img = ComposeSlices(g, 1, pic, whole, kW, kH);
    if (!s.FMask.isNull()) {
        // Outside the window's shape the sheet shows through.
        const QImage mask = ComposeSlices(g, 1, s.FMask, whole, kW, kH);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                if ((mask.pixel(x, y) & 0xFFFFFF) != 0)
                    img.setPixel(x, y, 0xFFFAFAFA);
    }
    const int dW = kW - pic.width();
    // Buttons: from the right end of the buttons rectangle, close first.
    TRect buttons = s.ButtonsRect;
    if (buttons.Left > pic.width() / 2) {
        buttons.Left += dW;
        buttons.Right += dW;
    }
    int x = buttons.Right;
    const TqvDataSkinCaption* caption = nullptr;
    const TqvDataSkinStdButton* sysmenu = nullptr;
    for (TqvStdCommand cmd : {cmClose, cmMaximize, cmMinimize, cmRollUp}) {
        for (const auto& o : s.ObjectList) {
            auto* b = dynamic_cast<const TqvDataSkinStdButton*>(o.get());
            if (!b || b->Command != cmd || !b->SkinRectInAPicture)
                continue;
            const QImage& atlas = s.FActivePictures.at(std::size_t(b->ActivePictureIndex));
            TRect src = active ? b->SkinRect : b->InActiveSkinRect;
            if (active && cmd == hotCommand)
                src = b->ActiveSkinRect;
            QPainter(&img).drawImage(x - src.Width(), buttons.Top, atlas, src.Left, src.Top, src.Width(), src.Height());
            x -= src.Width() + s.ButtonsOffset;
            break;
        }
    }
    for (const auto& o : s.ObjectList) {
        if (auto* c = dynamic_cast<const TqvDataSkinCaption*>(o.get()); c && !caption)
            caption = c;
        if (auto* b = dynamic_cast<const TqvDataSkinStdButton*>(o.get()); b && b->Command == cmSysMenu)
            sysmenu = b;
    }
    if (caption) {
        TRect obj = caption->SkinRect;
        obj.Right += dW;
        if (sysmenu) {
            const QImage& atlas = s.FActivePictures.at(std::size_t(sysmenu->ActivePictureIndex));
            const TRect src = active ? sysmenu->SkinRect : sysmenu->InActiveSkinRect;
            const int top = s.CaptionRect.Top + s.CaptionRect.Height() / 2 - src.Height() / 2;
            QPainter(&img).drawImage(s.CaptionRect.Left, top, atlas, src.Left, src.Top, src.Width(), src.Height());
            obj.Left = s.CaptionRect.Left + src.Width();
        }
        TRect t = caption->TextRct;
        t.Right = obj.Width() + caption->TextRct.Right - caption->SkinRect.Width();
        OffsetRect(t, obj.Left, obj.Top);
        const QFont font = TGallerySheet::SkinFont(caption->FontName, caption->FontHeight, caption->FontStyle);
        const QString text = QStringLiteral("Quorvelia 视频转换专家");
        if (caption->Shadow) {
            TRect sh = t;
            OffsetRect(sh, 1, 1);
            TGallerySheet::Text(img, sh, text, font, active ? caption->ActiveShadowColor : caption->ShadowColor,
                                caption->Alignment == taCenter);
        }
        TGallerySheet::Text(img, t, text, font, active ? caption->ActiveFontColor : caption->FontColor,
                            caption->Alignment == taCenter);
    }
    return img;
}

}  // namespace

void DrawFrameSection(TGallerySheet& sheet)
{
    const TqvSkinData& s = sheet.Skin();
    if (s.FPicture.isNull())
        return;
    sheet.Place(Frame(s, true, cmMinimize), QStringLiteral("active, minimize hot"));
    sheet.Place(Frame(s, false, -1), QStringLiteral("inactive"));
}
