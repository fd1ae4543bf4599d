// Every record in each of its state pictures, at its own size and at a
// larger one, with sample text in its fonts and colours.
#include "tools/gallery/GallerySheet.h"
#include "tools/skingen/SkinSlices.h"

namespace {

struct TStatePic {
    QString Label;
    TRect Rect;
    TColor TextColor;
    bool HasText;
};

// The state pictures of a record and the colour its text takes in each.
std::vector<TStatePic> States(const TqvDataSkinControl& r)
{
    std::vector<TStatePic> v;
    auto add = [&](const char* label, TRect rect, TColor color = 0, bool text = false) {
        if (rect.Width() > 0 && rect.Height() > 0)
            v.push_back({QString::fromLatin1(label), rect, color, text});
    };
    if (auto* b = dynamic_cast<const TqvDataSkinButtonControl*>(&r)) {
        add("normal", b->SkinRect, b->FontColor, true);
        add("hot", b->ActiveSkinRect, b->ActiveFontColor, true);
        add("pressed", b->DownSkinRect, b->DownFontColor, true);
        add("disabled", b->DisabledSkinRect, b->DisabledFontColor, true);
        add("focused", b->FocusedSkinRect, b->FontColor, true);
    } else if (auto* e = dynamic_cast<const TqvDataSkinEditControl*>(&r)) {
        add("normal", e->SkinRect, e->FontColor, true);
        add("focused", e->ActiveSkinRect, e->ActiveFontColor, true);
    } else if (auto* c = dynamic_cast<const TqvDataSkinComboBox*>(&r)) {
        add("normal", c->SkinRect, c->FontColor, true);
        add("hot", c->ActiveSkinRect, c->ActiveFontColor, true);
    } else if (auto* k = dynamic_cast<const TqvDataSkinCheckRadioControl*>(&r)) {
        add("normal", k->SkinRect, k->FontColor, true);
        add("hot", k->ActiveSkinRect, k->ActiveFontColor, true);
    } else if (auto* p = dynamic_cast<const TqvDataSkinPanelControl*>(&r)) {
        add("normal", p->SkinRect, p->FontColor, p->CaptionRect.Width() > 0);
    } else if (auto* l = dynamic_cast<const TqvDataSkinLabelControl*>(&r)) {
        add("normal", l->SkinRect, l->FontColor, true);
    } else if (auto* t = dynamic_cast<const TqvDataSkinTabControl*>(&r)) {
        add("page", t->SkinRect);
    } else {
        add("normal", r.SkinRect);
    }
    return v;
}

// Small pictures of a record: glyphs, buttons and thumbs in their states.
std::vector<std::pair<QString, TRect>> Parts(const TqvDataSkinControl& r)
{
    std::vector<std::pair<QString, TRect>> v;
    auto add = [&](const char* label, TRect rect) {
        if (rect.Width() > 0 && rect.Height() > 0)
            v.emplace_back(QString::fromLatin1(label), rect);
    };
    if (auto* s = dynamic_cast<const TqvDataSkinScrollBarControl*>(&r)) {
        add("up hot", s->ActiveUpButtonRect);
        add("up pressed", s->DownUpButtonRect);
        add("down hot", s->ActiveDownButtonRect);
        add("down pressed", s->DownDownButtonRect);
        add("thumb", s->ThumbRect);
        add("hot", s->ActiveThumbRect);
        add("pressed", s->DownThumbRect);
    } else if (auto* c = dynamic_cast<const TqvDataSkinComboBox*>(&r)) {
        add("button hot", c->ActiveButtonRect);
        add("pressed", c->DownButtonRect);
        add("disabled", c->UnEnabledButtonRect);
        add("item", c->SItemRect);
        add("hot item", c->ActiveItemRect);
        add("focused item", c->FocusItemRect);
    } else if (auto* l = dynamic_cast<const TqvDataSkinListBox*>(&r)) {
        add("item", l->SItemRect);
        add("selected", l->ActiveItemRect);
        add("focused", l->FocusItemRect);
    } else if (auto* k = dynamic_cast<const TqvDataSkinCheckRadioControl*>(&r)) {
        add("on", k->CheckImageRect);
        add("off", k->UnCheckImageRect);
        add("hot on", k->ActiveCheckImageRect);
        add("hot off", k->ActiveUnCheckImageRect);
        add("dis. on", k->UnEnabledCheckImageRect);
        add("dis. off", k->UnEnabledUnCheckImageRect);
        add("grey", k->GrayedCheckImageRect);
        add("hot grey", k->ActiveGrayedCheckImageRect);
    } else if (auto* u = dynamic_cast<const TqvDataSkinUpDownControl*>(&r)) {
        add("up hot", u->ActiveUpButtonRect);
        add("up pressed", u->DownUpButtonRect);
        add("down hot", u->ActiveDownButtonRect);
        add("down pressed", u->DownDownButtonRect);
    } else if (auto* t = dynamic_cast<const TqvDataSkinTabControl*>(&r)) {
        add("tab", t->TabRect);
        add("selected", t->ActiveTabRect);
        add("hot", t->MouseInTabRect);
    } else if (auto* sl = dynamic_cast<const TqvDataSkinSlider*>(&r)) {
        add("h ruler", sl->HRulerRect);
        add("h thumbs", sl->HThumbRect);
        add("v ruler", sl->VRulerRect);
        add("v thumbs", sl->VThumbRect);
    } else if (auto* sp = dynamic_cast<const TqvDataSkinSplitterControl*>(&r)) {
        add("gripper", sp->GripperRect);
    }
    return v;
}

// Every pixel of the key colour becomes the given one.
void KeyOut(QImage& img, QRgb key, QRgb under)
{
    img = img.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF))
                img.setPixel(x, y, under);
}

QImage Scaled(const QImage& img, int factor)
{
    return img.scaled(img.width() * factor, img.height() * factor);
}

void TextOn(QImage& img, const TqvDataSkinControl& r, const TqvSliceGeometry& g, int mode, const TStatePic& st)
{
    if (!st.HasText)
        return;
    const int dw = img.width() - r.SkinRect.Width();
    int dh = img.height() - r.SkinRect.Height();
    QString name;
    int height = 14;
    unsigned style = 0;
    TRect t = g.ClRect;
    bool centred = true;
    if (auto* b = dynamic_cast<const TqvDataSkinButtonControl*>(&r)) {
        name = b->FontName, height = b->FontHeight, style = b->FontStyle;
    } else if (auto* e = dynamic_cast<const TqvDataSkinEditControl*>(&r)) {
        name = e->FontName, height = e->FontHeight, style = e->FontStyle, centred = false;
    } else if (auto* c = dynamic_cast<const TqvDataSkinComboBox*>(&r)) {
        name = c->FontName, height = c->FontHeight, style = c->FontStyle, centred = false;
    } else if (auto* k = dynamic_cast<const TqvDataSkinCheckRadioControl*>(&r)) {
        name = k->FontName, height = k->FontHeight, style = k->FontStyle, centred = false;
        t = k->TextArea;
    } else if (auto* p = dynamic_cast<const TqvDataSkinPanelControl*>(&r)) {
        name = p->FontName, height = p->FontHeight, style = p->FontStyle, centred = p->Alignment == taCenter;
        t = p->CaptionRect;
        t.Right += dw;
        dh = 0;
    } else if (auto* l = dynamic_cast<const TqvDataSkinLabelControl*>(&r)) {
        name = l->FontName, height = l->FontHeight, style = l->FontStyle;
    }
    if (mode == 1 || mode == 2)
        t.Right += dw;
    if (mode == 1 || mode == 3)
        t.Bottom += dh;
    const QFont font = TGallerySheet::SkinFont(name, height, style);
    // Pictures too narrow for the whole sample show its short form.
    const QFontMetrics fm(font);
    QString text = kGallerySample;
    for (const QString& shorter : {QStringLiteral("确定 OK"), QStringLiteral("确定")})
        if (fm.horizontalAdvance(text) > t.Width())
            text = shorter;
    TGallerySheet::Text(img, t, text, font, st.TextColor, centred);
}

}  // namespace

void DrawRecordsSection(TGallerySheet& sheet)
{
    const TqvSkinData& s = sheet.Skin();
    for (const auto& rec : s.CtrlList) {
        const TqvDataSkinControl& r = *rec;
        if (r.PictureIndex < 0 || r.PictureIndex >= int(s.FActivePictures.size())) {
            // A record of fonts and colours: its text on its background.
            QImage img(220, 24, QImage::Format_RGB32);
            TColor bg = s.SkinColors().cBtnFace(), fg = s.SkinColors().cBtnText();
            QString font = QStringLiteral("Arial");
            int height = 14;
            if (auto* v = dynamic_cast<const TqvDataSkinListView*>(&r))
                bg = v->BGColor, fg = v->FontColor, font = v->FontName, height = v->FontHeight;
            else if (auto* t = dynamic_cast<const TqvDataSkinTreeView*>(&r))
                bg = t->BGColor, fg = t->FontColor, font = t->FontName, height = t->FontHeight;
            else if (auto* l = dynamic_cast<const TqvDataSkinStdLabelControl*>(&r))
                fg = l->FontColor, font = l->FontName, height = l->FontHeight;
            else if (auto* b = dynamic_cast<const TqvDataSkinBevel*>(&r)) {
                img.fill(ColorToQColor(s.SkinColors().cBtnFace()));
                QPainter p(&img);
                p.fillRect(10, 10, 200, 1, ColorToQColor(b->DarkColor));
                p.fillRect(10, 11, 200, 1, ColorToQColor(b->LightColor));
                sheet.Place(img, r.IDName);
                continue;
            }
            img.fill(ColorToQColor(bg));
            TGallerySheet::Text(img, Rect(4, 0, 216, 24), kGallerySample, TGallerySheet::SkinFont(font, height, 0), fg, false);
            sheet.Place(img, r.IDName);
            continue;
        }
        const QImage& pic = s.FActivePictures[std::size_t(r.PictureIndex)];
        sheet.NewRow();
        auto* custom = dynamic_cast<const TqvDataSkinCustomControl*>(&r);
        const TqvSliceGeometry g = custom ? SliceGeometryOf(*custom) : TqvSliceGeometry{};
        const int mode = custom ? SliceResizeMode(g, r.SkinRect) : 0;
        for (const TStatePic& st : States(r)) {
            QImage own = ComposeSlices(g, mode, pic, st.Rect, st.Rect.Width(), st.Rect.Height());
            TextOn(own, r, g, mode, st);
            sheet.Place(own, r.IDName + QLatin1Char(' ') + st.Label);
            if (mode >= 1) {
                const int w = st.Rect.Width() + (mode == 3 ? 0 : 90), h = st.Rect.Height() + (mode == 2 ? 0 : 40);
                QImage big = ComposeSlices(g, mode, pic, st.Rect, w, h);
                TextOn(big, r, g, mode, st);
                sheet.Place(big, QStringLiteral("at %1 x %2").arg(w).arg(h));
            }
        }
        for (const auto& [label, rect] : Parts(r)) {
            QImage part = pic.copy(rect.ToQRect());
            // A gripper's key colour shows the splitter under it, as the control draws it.
            if (auto* sp = dynamic_cast<const TqvDataSkinSplitterControl*>(&r); sp && sp->GripperTransparent)
                KeyOut(part, ColorToQColor(sp->GripperTransparentColor).rgb(),
                       pic.pixel(r.SkinRect.Left + r.SkinRect.Width() / 2, r.SkinRect.Top + r.SkinRect.Height() / 2));
            sheet.Place(Scaled(part, 2), label + QStringLiteral(" (x2)"));
        }
    }
    // Caption buttons, each state.
    sheet.NewRow();
    for (const auto& o : s.ObjectList) {
        auto* b = dynamic_cast<const TqvDataSkinStdButton*>(o.get());
        if (!b || b->ActivePictureIndex < 0)
            continue;
        const QImage& atlas = s.FActivePictures.at(std::size_t(b->ActivePictureIndex));
        const TRect rects[] = {b->SkinRect, b->ActiveSkinRect, b->DownRect, b->InActiveSkinRect, b->DisableSkinRect,
                               b->RestoreRect, b->RestoreActiveRect, b->RestoreDownRect, b->RestoreInActiveRect};
        int w = 0, h = 0;
        for (const TRect& rc : rects)
            if (rc.Width() > 0)
                w += rc.Width() * 2 + 2, h = std::max(h, rc.Height() * 2);
        QImage strip(w, h, QImage::Format_RGB32);
        strip.fill(0xFFFAFAFA);
        QPainter p(&strip);
        int x = 0;
        for (const TRect& rc : rects)
            if (rc.Width() > 0) {
                p.drawImage(QRect(x, 0, rc.Width() * 2, rc.Height() * 2), atlas, rc.ToQRect());
                x += rc.Width() * 2 + 2;
            }
        p.end();
        sheet.Place(strip, b->IDName + QStringLiteral(" (x2): normal hot pressed inactive disabled [restore]"));
    }
}
