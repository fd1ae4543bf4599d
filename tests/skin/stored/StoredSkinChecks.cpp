#include "tests/skin/stored/StoredSkinChecks.h"

#include "platform/Graphics.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace {

const QImage* PictureAt(const TqvSkinData& s, int index)
{
    return index >= 0 && index < int(s.FActivePictures.size()) ? &s.FActivePictures[std::size_t(index)] : nullptr;
}

TRect At(TRect rel, TRect origin)
{
    return Rect(origin.Left + rel.Left, origin.Top + rel.Top, origin.Left + rel.Right, origin.Top + rel.Bottom);
}

class TViewBuilder {
public:
    TViewBuilder(TRecordView& v) : V(v) {}
    void State(const char* f, TRect r) { V.Rects.push_back({QString::fromLatin1(f), r, TRectUse::State}); }
    void Pic(const char* f, TRect r) { V.Rects.push_back({QString::fromLatin1(f), r, TRectUse::Picture}); }
    void Rel(const char* f, TRect r) { V.Rects.push_back({QString::fromLatin1(f), r, TRectUse::Relative}); }
    void Text(const char* what, TRect area, TColor c, TTextState st, const QString& font, int height)
    {
        V.Texts.push_back({QString::fromLatin1(what), V.Picture, area, c, st, font, height});
    }
    void Set(const char* what, std::vector<TRect> rects) { V.States.push_back({QString::fromLatin1(what), V.Picture, std::move(rects)}); }
    TRecordView& V;
};

void ControlView(const TqvSkinData& s, const TqvDataSkinControl& r, TRecordView& v)
{
    TViewBuilder b(v);
    v.Picture = PictureAt(s, r.PictureIndex);
    v.SkinRect = r.SkinRect;
    if (auto* c = dynamic_cast<const TqvDataSkinCustomControl*>(&r))
        b.Rel("clientrect", c->ClRect);
    if (auto* m = dynamic_cast<const TqvDataSkinMenuButtonControl*>(&r))
        b.Rel("trackbuttonrect", m->TrackButtonRect);
    if (auto* x = dynamic_cast<const TqvDataSkinButtonControl*>(&r)) {
        b.State("activeskinrect", x->ActiveSkinRect);
        b.State("downskinrect", x->DownSkinRect);
        b.State("disabledskinrect", x->DisabledSkinRect);
        b.State("focusedskinrect", x->FocusedSkinRect);
        const TRect cl = x->ClRect;
        b.Text("normal", At(cl, x->SkinRect), x->FontColor, TTextState::Normal, x->FontName, x->FontHeight);
        b.Text("hot", At(cl, x->ActiveSkinRect), x->ActiveFontColor, TTextState::Hot, x->FontName, x->FontHeight);
        b.Text("pressed", At(cl, x->DownSkinRect), x->DownFontColor, TTextState::Pressed, x->FontName, x->FontHeight);
        b.Text("disabled", At(cl, x->DisabledSkinRect), x->DisabledFontColor, TTextState::Disabled, x->FontName, x->FontHeight);
        b.Set("faces", {x->SkinRect, x->ActiveSkinRect, x->DownSkinRect, x->DisabledSkinRect, x->FocusedSkinRect});
    } else if (auto* x = dynamic_cast<const TqvDataSkinEditControl*>(&r)) {
        b.State("activeskinrect", x->ActiveSkinRect);
        b.Text("normal", At(x->ClRect, x->SkinRect), x->FontColor, TTextState::Normal, x->FontName, x->FontHeight);
        b.Text("focused", At(x->ClRect, x->ActiveSkinRect), x->ActiveFontColor, TTextState::Hot, x->FontName, x->FontHeight);
        b.Set("frames", {x->SkinRect, x->ActiveSkinRect});
    } else if (auto* x = dynamic_cast<const TqvDataSkinComboBox*>(&r)) {
        b.State("activeskinrect", x->ActiveSkinRect);
        b.Rel("buttonrect", x->ButtonRect);
        for (TRect br : {x->ActiveButtonRect, x->DownButtonRect, x->UnEnabledButtonRect}) {
            b.Pic("button state", br);
            EXPECT_EQ(br.Width(), x->ButtonRect.Width()) << "combobox button state";
            EXPECT_EQ(br.Height(), x->ButtonRect.Height()) << "combobox button state";
        }
        for (TRect ir : {x->SItemRect, x->ActiveItemRect, x->FocusItemRect})
            b.Pic("item", ir);
        b.Text("item", At(x->ItemTextRect, x->SItemRect), x->FontColor, TTextState::Normal, x->FontName, x->FontHeight);
        b.Text("hot item", At(x->ItemTextRect, x->ActiveItemRect), x->ActiveFontColor, TTextState::Hot, x->FontName, x->FontHeight);
        b.Text("focused item", At(x->ItemTextRect, x->FocusItemRect), x->FocusFontColor, TTextState::Pressed, x->FontName, x->FontHeight);
        b.Text("box", At(x->ClRect, x->SkinRect), x->FontColor, TTextState::Normal, x->FontName, x->FontHeight);
        b.Set("frames", {x->SkinRect, x->ActiveSkinRect});
        b.Set("buttons", {x->ActiveButtonRect, x->DownButtonRect, x->UnEnabledButtonRect});
        b.Set("items", {x->SItemRect, x->ActiveItemRect, x->FocusItemRect});
    } else if (auto* x = dynamic_cast<const TqvDataSkinListBox*>(&r)) {
        for (TRect ir : {x->SItemRect, x->ActiveItemRect, x->FocusItemRect})
            b.Pic("item", ir);
        b.Text("item", At(x->ItemTextRect, x->SItemRect), x->FontColor, TTextState::Normal, x->FontName, x->FontHeight);
        b.Text("selected", At(x->ItemTextRect, x->ActiveItemRect), x->ActiveFontColor, TTextState::Hot, x->FontName, x->FontHeight);
        b.Text("focused", At(x->ItemTextRect, x->FocusItemRect), x->FocusFontColor, TTextState::Pressed, x->FontName, x->FontHeight);
        b.Set("items", {x->SItemRect, x->ActiveItemRect, x->FocusItemRect});
    } else if (auto* x = dynamic_cast<const TqvDataSkinScrollBarControl*>(&r)) {
        b.Rel("trackarea", x->TrackArea);
        b.Rel("upbuttonrect", x->UpButtonRect);
        b.Rel("downbuttonrect", x->DownButtonRect);
        for (TRect br : {x->ActiveUpButtonRect, x->DownUpButtonRect}) {
            b.Pic("up state", br);
            EXPECT_EQ(br.Width(), x->UpButtonRect.Width());
            EXPECT_EQ(br.Height(), x->UpButtonRect.Height());
        }
        for (TRect br : {x->ActiveDownButtonRect, x->DownDownButtonRect}) {
            b.Pic("down state", br);
            EXPECT_EQ(br.Width(), x->DownButtonRect.Width());
            EXPECT_EQ(br.Height(), x->DownButtonRect.Height());
        }
        for (TRect tr : {x->ThumbRect, x->ActiveThumbRect, x->DownThumbRect, x->GlyphRect, x->ActiveGlyphRect, x->DownGlyphRect})
            b.Pic("thumb", tr);
        b.Set("thumbs", {x->ThumbRect, x->ActiveThumbRect, x->DownThumbRect});
        b.Set("up button", {x->ActiveUpButtonRect, x->DownUpButtonRect});
        b.Set("down button", {x->ActiveDownButtonRect, x->DownDownButtonRect});
        b.Set("grips", {x->GlyphRect, x->ActiveGlyphRect, x->DownGlyphRect});
    } else if (auto* x = dynamic_cast<const TqvDataSkinCheckRadioControl*>(&r)) {
        b.State("activeskinrect", x->ActiveSkinRect);
        b.Rel("checkimagearea", x->CheckImageArea);
        b.Rel("textarea", x->TextArea);
        const TRect glyphs[] = {x->CheckImageRect, x->UnCheckImageRect, x->ActiveCheckImageRect, x->ActiveUnCheckImageRect,
                                x->UnEnabledCheckImageRect, x->UnEnabledUnCheckImageRect, x->GrayedCheckImageRect,
                                x->ActiveGrayedCheckImageRect};
        for (TRect g : glyphs) {
            b.Pic("glyph", g);
            EXPECT_LE(g.Width(), x->CheckImageArea.Width()) << "glyph wider than its area";
            EXPECT_LE(g.Height(), x->CheckImageArea.Height()) << "glyph taller than its area";
        }
        b.Text("normal", At(x->TextArea, x->SkinRect), x->FontColor, TTextState::Normal, x->FontName, x->FontHeight);
        b.Text("hot", At(x->TextArea, x->ActiveSkinRect), x->ActiveFontColor, TTextState::Hot, x->FontName, x->FontHeight);
        b.Text("disabled", At(x->TextArea, x->SkinRect), x->UnEnabledFontColor, TTextState::Disabled, x->FontName, x->FontHeight);
        b.Set("lines", {x->SkinRect, x->ActiveSkinRect});
        b.Set("glyphs", std::vector<TRect>(std::begin(glyphs), std::end(glyphs)));
    } else if (auto* x = dynamic_cast<const TqvDataSkinPanelControl*>(&r)) {
        b.Rel("captionrect", x->CaptionRect);
        if (x->CaptionRect.Width() > 0)
            b.Text("caption", At(x->CaptionRect, x->SkinRect), x->FontColor, TTextState::Normal, x->FontName, x->FontHeight);
    } else if (auto* x = dynamic_cast<const TqvDataSkinLabelControl*>(&r)) {
        b.Text("label", At(x->ClRect, x->SkinRect), x->FontColor, TTextState::Normal, x->FontName, x->FontHeight);
    } else if (auto* x = dynamic_cast<const TqvDataSkinUpDownControl*>(&r)) {
        b.Rel("upbuttonrect", x->UpButtonRect);
        b.Rel("downbuttonrect", x->DownButtonRect);
        for (TRect br : {x->ActiveUpButtonRect, x->DownUpButtonRect}) {
            b.Pic("up state", br);
            EXPECT_EQ(br.Width(), x->UpButtonRect.Width());
        }
        for (TRect br : {x->ActiveDownButtonRect, x->DownDownButtonRect}) {
            b.Pic("down state", br);
            EXPECT_EQ(br.Width(), x->DownButtonRect.Width());
        }
        b.Set("up button", {At(x->UpButtonRect, x->SkinRect), x->ActiveUpButtonRect, x->DownUpButtonRect});
        b.Set("down button", {At(x->DownButtonRect, x->SkinRect), x->ActiveDownButtonRect, x->DownDownButtonRect});
    } else if (auto* x = dynamic_cast<const TqvDataSkinSplitterControl*>(&r)) {
        b.Pic("gripperrect", x->GripperRect);
    } else if (auto* x = dynamic_cast<const TqvDataSkinSlider*>(&r)) {
        for (TRect sr : {x->HRulerRect, x->HThumbRect, x->VRulerRect, x->VThumbRect})
            b.Pic("slider", sr);
        const int tw = x->HThumbRect.Width() / 2, th = x->VThumbRect.Width() / 2;
        b.Set("h thumb", {Bounds(x->HThumbRect.Left, x->HThumbRect.Top, tw, x->HThumbRect.Height()),
                          Bounds(x->HThumbRect.Left + tw, x->HThumbRect.Top, tw, x->HThumbRect.Height())});
        b.Set("v thumb", {Bounds(x->VThumbRect.Left, x->VThumbRect.Top, th, x->VThumbRect.Height()),
                          Bounds(x->VThumbRect.Left + th, x->VThumbRect.Top, th, x->VThumbRect.Height())});
    } else if (auto* x = dynamic_cast<const TqvDataSkinTabControl*>(&r)) {
        b.Rel("clientrect", x->ClRect);
        for (TRect tr : {x->TabRect, x->ActiveTabRect, x->FocusTabRect, x->MouseInTabRect})
            b.Pic("tab", tr);
        b.Text("tab", x->TabRect, x->FontColor, TTextState::Normal, x->FontName, x->FontHeight);
        b.Text("selected tab", x->ActiveTabRect, x->ActiveFontColor, TTextState::Pressed, x->FontName, x->FontHeight);
        b.Text("hot tab", x->MouseInTabRect, x->MouseInFontColor, TTextState::Hot, x->FontName, x->FontHeight);
        b.Set("tabs", {x->TabRect, x->MouseInTabRect});
    } else if (auto* x = dynamic_cast<const TqvDataSkinMainMenuBar*>(&r)) {
        b.Rel("itemsrect", x->ItemsRect);
    }
}

void ObjectView(const TqvSkinData& s, const TqvDataSkinObject& o, TRecordView& v)
{
    TViewBuilder b(v);
    v.Picture = PictureAt(s, o.ActivePictureIndex);
    v.SkinRect = o.SkinRect;
    if (auto* x = dynamic_cast<const TqvDataSkinStdButton*>(&o)) {
        for (TRect sr : {x->ActiveSkinRect, x->DownRect, x->InActiveSkinRect, x->DisableSkinRect, x->RestoreRect,
                         x->RestoreActiveRect, x->RestoreDownRect, x->RestoreInActiveRect})
            if (sr.Width() > 0 || sr != TRect{})
                b.State("button state", sr);
        b.Set("states", {x->SkinRect, x->ActiveSkinRect, x->DownRect, x->InActiveSkinRect, x->DisableSkinRect});
        if (x->RestoreRect.Width() > 0)
            b.Set("restore states", {x->RestoreRect, x->RestoreActiveRect, x->RestoreDownRect, x->RestoreInActiveRect});
    } else if (auto* x = dynamic_cast<const TqvDataSkinMenuItem*>(&o)) {
        b.State("activeskinrect", x->ActiveSkinRect);
        for (TRect mr : {x->DividerRect, x->CheckImageRect, x->ActiveCheckImageRect, x->RadioImageRect,
                         x->ActiveRadioImageRect, x->ArrowImageRect, x->ActiveArrowImageRect})
            b.Pic("menu picture", mr);
        b.Rel("textrect", x->TextRct);
        b.Text("item", At(x->TextRct, x->SkinRect), x->FontColor, TTextState::Normal, x->FontName, x->FontHeight);
        b.Text("hot item", At(x->TextRct, x->ActiveSkinRect), x->ActiveFontColor, TTextState::Hot, x->FontName, x->FontHeight);
        b.Text("disabled item", At(x->TextRct, x->SkinRect), x->UnEnabledFontColor, TTextState::Disabled, x->FontName, x->FontHeight);
        b.Set("items", {x->SkinRect, x->ActiveSkinRect});
        b.Set("checks", {x->CheckImageRect, x->ActiveCheckImageRect});
        b.Set("radios", {x->RadioImageRect, x->ActiveRadioImageRect});
        b.Set("arrows", {x->ArrowImageRect, x->ActiveArrowImageRect});
    } else if (auto* x = dynamic_cast<const TqvDataSkinMainMenuItem*>(&o)) {
        b.State("activeskinrect", x->ActiveSkinRect);
        b.State("downrect", x->DownRect);
        b.Rel("textrect", x->TextRct);
        b.Text("item", At(x->TextRct, x->SkinRect), x->FontColor, TTextState::Normal, x->FontName, x->FontHeight);
        b.Text("hot item", At(x->TextRct, x->ActiveSkinRect), x->ActiveFontColor, TTextState::Hot, x->FontName, x->FontHeight);
        b.Text("pressed item", At(x->TextRct, x->DownRect), x->DownFontColor, TTextState::Pressed, x->FontName, x->FontHeight);
        b.Text("disabled item", At(x->TextRct, x->SkinRect), x->UnEnabledFontColor, TTextState::Disabled, x->FontName, x->FontHeight);
        b.Set("items", {x->SkinRect, x->ActiveSkinRect, x->DownRect});
    } else if (auto* x = dynamic_cast<const TqvDataSkinCaption*>(&o)) {
        // The caption lies on the frame pictures.
        v.Picture = &s.FPicture;
        b.Rel("textrect", x->TextRct);
        b.Text("active caption", At(x->TextRct, x->SkinRect), x->ActiveFontColor, TTextState::Normal, x->FontName, x->FontHeight);
        // An inactive form's caption steps back like disabled text does.
        if (!s.FInActivePicture.isNull())
            v.Texts.push_back({QStringLiteral("inactive caption"), &s.FInActivePicture, At(x->TextRct, x->SkinRect),
                               x->FontColor, TTextState::Disabled, x->FontName, x->FontHeight});
    }
}

}  // namespace

std::vector<TRecordView> RecordViews(const TqvSkinData& s)
{
    std::vector<TRecordView> views;
    for (const auto& r : s.CtrlList) {
        TRecordView v;
        v.Name = r->IDName;
        ControlView(s, *r, v);
        views.push_back(std::move(v));
    }
    for (const auto& o : s.ObjectList) {
        TRecordView v;
        v.Name = o->IDName;
        ObjectView(s, *o, v);
        views.push_back(std::move(v));
    }
    if (const QImage* pic = PictureAt(s, s.HintWindow.WindowPictureIndex)) {
        TRecordView v;
        v.Name = QStringLiteral("[HINTWINDOW]");
        v.Picture = pic;
        v.SkinRect = Rect(0, 0, pic->width(), pic->height());
        v.Rects.push_back({QStringLiteral("clientrect"), s.HintWindow.ClRect, TRectUse::Relative});
        v.Texts.push_back({QStringLiteral("hint"), pic, s.HintWindow.ClRect, s.HintWindow.FontColor, TTextState::Normal,
                           s.HintWindow.FontName, s.HintWindow.FontHeight});
        views.push_back(std::move(v));
    }
    if (const QImage* pic = PictureAt(s, s.PopupWindow.WindowPictureIndex)) {
        TRecordView v;
        v.Name = QStringLiteral("[POPUPWINDOW]");
        v.Picture = pic;
        v.SkinRect = Rect(0, 0, pic->width(), pic->height());
        v.Rects.push_back({QStringLiteral("itemsrect"), s.PopupWindow.ItemsRect, TRectUse::Relative});
        views.push_back(std::move(v));
    }
    return views;
}

double ContrastRatio(TColor a, TColor b)
{
    auto lum = [](TColor c) {
        auto ch = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * ch(GetRValue(c)) + 0.7152 * ch(GetGValue(c)) + 0.0722 * ch(GetBValue(c));
    };
    const double la = lum(a), lb = lum(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TColor MeanColor(const QImage& picture, TRect area)
{
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            const QRgb p = picture.pixel(x, y);
            r += qRed(p), g += qGreen(p), b += qBlue(p), ++n;
        }
    return n ? RGB(int(r / n), int(g / n), int(b / n)) : 0;
}

int LineHeight(const QString& fontName, int fontHeight)
{
    const QString family = SubstituteFontName(fontName);
    QFont f(family);
    f.setPixelSize(std::max(1, FontPixelSize(family, fontHeight)));
    return QFontMetrics(f).height();
}

QString FindSeam(const QImage& source, const QImage& composed, int tolerance)
{
    // Pairs are keyed by both colours; the exact ones are found in a set, the
    // rest compared against every distinct pair within the tolerance.
    auto key = [](QRgb a, QRgb b) { return (quint64(a & 0xFFFFFF) << 24) | quint64(b & 0xFFFFFF); };
    std::unordered_set<quint64> pairs[2];
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            if (x + 1 < source.width())
                pairs[0].insert(key(source.pixel(x, y), source.pixel(x + 1, y)));
            if (y + 1 < source.height())
                pairs[1].insert(key(source.pixel(x, y), source.pixel(x, y + 1)));
        }
    auto near = [&](int dir, QRgb a, QRgb b) {
        if (a == b || pairs[dir].count(key(a, b)))
            return true;
        for (quint64 k : pairs[dir]) {
            const QRgb pa = QRgb(k >> 24), pb = QRgb(k & 0xFFFFFF);
            if (std::abs(qRed(pa) - qRed(a)) <= tolerance && std::abs(qGreen(pa) - qGreen(a)) <= tolerance &&
                std::abs(qBlue(pa) - qBlue(a)) <= tolerance && std::abs(qRed(pb) - qRed(b)) <= tolerance &&
                std::abs(qGreen(pb) - qGreen(b)) <= tolerance && std::abs(qBlue(pb) - qBlue(b)) <= tolerance)
                return true;
        }
        return false;
    };
    for (int y = 0; y < composed.height(); ++y)
        for (int x = 0; x < composed.width(); ++x) {
            if (x + 1 < composed.width() && !near(0, composed.pixel(x, y), composed.pixel(x + 1, y)))
                return QStringLiteral("between (%1,%2) and (%3,%2)").arg(x).arg(y).arg(x + 1);
            if (y + 1 < composed.height() && !near(1, composed.pixel(x, y), composed.pixel(x, y + 1)))
                return QStringLiteral("between (%1,%2) and (%1,%3)").arg(x).arg(y).arg(y + 1);
        }
    return {};
}
