#include "skin/forms/menu/PopupMenuItem.h"

#include "skin/controls/base/SkinMorph.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr unsigned kTextFlags = DT_CENTER | DT_VCENTER;

const QImage* SkinPicture(const TqvSkinData* sd, int index) {
    if (!sd || index < 0 || index >= int(sd->FActivePictures.size())) return nullptr;
    const QImage& img = sd->FActivePictures[std::size_t(index)];
    return img.isNull() ? nullptr : &img;
}

QImage NewImage(int w, int h) {
    QImage img(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

const TqvDataSkinLabelControl* HeaderRecord(const TqvSkinData* sd) {
    if (!sd) return nullptr;
    for (const char* name : {"menuheader", "label"}) {
        const int i = sd->GetControlIndex(QLatin1String(name));
        if (i < 0) continue;
        if (auto* r = dynamic_cast<const TqvDataSkinLabelControl*>(sd->CtrlList[std::size_t(i)].get())) return r;
    }
    return nullptr;
}

// The caption rect measured in Box's width, centred vertically in Box, 2 wider.
TRect CaptionRect(TCanvas& C, const QString& caption, int left, int right, const TRect& box) {
    TRect r = Rect(left, 0, right, 0);
    DrawWideText(C, caption, r, DT_CALCRECT);
    const int h = r.Height();
    r.Top = box.Top + box.Height() / 2 - h / 2;
    r.Bottom = r.Top + h;
    r.Right += 2;
    return r;
}

void DrawShortCut(TCanvas& C, const TMenuItem& item, const TRect& caption, int right) {
    const QString s = ShortCutToText(item.ShortCut());
    if (s.isEmpty()) return;
    TRect m;
    DrawWideText(C, s, m, DT_CALCRECT);
    TRect r = Rect(right - m.Width(), caption.Top, right, caption.Bottom);
    DrawWideText(C, s, r, kTextFlags);
}

// The window-command glyph an item of that name shows; false for other names.
bool DrawCommandGlyph(TCanvas& C, const QString& name, TPoint p, TColor color) {
    using TGlyph = void (*)(TCanvas&, int, int, TColor);
    struct TRow {
        const char* Name;
        TGlyph Draw;
    };
    static const TRow rows[] = {
        {"QVF_CLOSE", DrawCloseGlyph},         {"TRAY_QVF_CLOSE", DrawCloseGlyph},
        {"QVF_MINITEM", DrawMinimizeGlyph},    {"QVF_MAXITEM", DrawMaximizeGlyph},
        {"QVF_RESTORE", DrawRestoreGlyph},     {"TRAY_QVF_RESTORE", DrawRestoreGlyph},
        {"QVF_ROLLUP", DrawArrowUpGlyph},      {"QVF_MINTOTRAY", DrawSquareGlyph},
    };
    for (const TRow& r : rows)
        if (name == QLatin1String(r.Name)) {
            r.Draw(C, p.X, p.Y, color);
            return true;
        }
    return false;
}

// The item's own picture or its image-list image; null when it has neither.
QImage ItemImage(const TMenuItem& item, const TCustomImageList* list, bool& fromList) {
    fromList = false;
    if (!item.Bitmap().Empty()) return item.Bitmap().Image();
    if (list && item.ImageIndex() >= 0 && item.ImageIndex() < list->Count()) {
        fromList = true;
        return list->Image(item.ImageIndex());
    }
    return {};
}

void DrawItemImage(TCanvas& C, const TMenuItem& item, const TCustomImageList* list, const QImage& img, bool fromList,
                   TPoint at, TColor frameColor) {
    if (fromList) list->Draw(C, at.X, at.Y, item.ImageIndex(), item.Enabled());
    else {
        TBitmap b = item.Bitmap();
        C.Draw(at.X, at.Y, b);
    }
    if (item.Checked()) {
        C.Brush().SetStyle(bsClear);
        C.Pen().SetColor(frameColor);
        C.Rectangle(at.X - 1, at.Y - 1, at.X + img.width() + 1, at.Y + img.height() + 1);
    }
}

}  // namespace

void DrawMenuCheckMark(TCanvas& Canvas, int X, int Y, TColor Color) { DrawCheckImage(Canvas, X, Y, Color); }

void DrawMenuArrowMark(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    for (int i = 0; i <= 3; ++i) {
        Canvas.MoveTo(X + i, Y + i);
        Canvas.LineTo(X + i, Y + 7 - i);
    }
}

void DrawMenuRadioMark(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Canvas.Brush().SetColor(Color);
    Canvas.Ellipse(X, Y, X + 6, Y + 6);
}

bool IsMenuSeparator(const TMenuItem& Item) { return Item.IsLine(); }

bool IsMenuHeader(const TMenuItem& Item) {
    const QString c = Item.Caption();
    return c.size() > 1 && c.startsWith(u'-') && c.endsWith(u'-') && !Item.Enabled();
}

// ---------------------------------------------------------------------------

TqvSkinMenuItem::TqvSkinMenuItem(const TqvMenuLook* Look, TMenuItem* AMenuItem, const TqvDataSkinMenuItem* AData)
    : MenuItem(AMenuItem), MI(AData), FLook(Look) {
    if (!MI) return;
    if (const QImage* p = SkinPicture(FLook->SD, MI->ActivePictureIndex)) {
        ActivePicture = *p;
        SkinRect = MI->SkinRect;
        ActiveSkinRect = MI->ActiveSkinRect;
    }
}

bool TqvSkinMenuItem::EnableMorphing() const {
    const TqvSkinData* sd = FLook->SD;
    return MI && MI->Morphing && sd && !sd->Empty && sd->EnableSkinEffects();
}

bool TqvSkinMenuItem::EnableAnimation() const {
    const TqvSkinData* sd = FLook->SD;
    return MI && !IsNullRect(MI->AnimateSkinRect) && MI->FrameCount > 0 && sd && !sd->Empty &&
           sd->EnableSkinEffects();
}

bool TqvSkinMenuItem::CanMorphing() {
    if (!FVisible) {
        if (FMorphKf != 0) {
            Active = Down = false;
            FMorphKf = 0;
        }
        return false;
    }
    return ((Active || Down) && FMorphKf < 1) || (!Active && !Down && FMorphKf > 0);
}

void TqvSkinMenuItem::Draw(QImage& Target) const {
    if (!FVisible || !MenuItem) return;
    const QImage pic = Picture();
    BitBlt(Target, ObjectRect.Left, ObjectRect.Top, pic.width(), pic.height(), pic, 0, 0);
}

QImage TqvSkinMenuItem::Picture() const { return MI ? SkinnedPicture() : DefaultPicture(); }

QImage TqvSkinMenuItem::UnderItem() const {
    QImage b = NewImage(ObjectRect.Width(), ObjectRect.Height());
    if (FLook->Background) BitBlt(b, 0, 0, b.width(), b.height(), *FLook->Background, ObjectRect.Left, ObjectRect.Top);
    return b;
}

TRect TqvSkinMenuItem::AnimationFrameRect() const {
    const TRect F = MI->AnimateSkinRect;
    const int n = std::max(MI->FrameCount, 1);
    if (F.Height() > MI->SkinRect.Height()) {
        const int h = F.Height() / n;
        return Rect(F.Left, F.Top + h * (CurrentFrame - 1), F.Right, F.Top + h * CurrentFrame);
    }
    const int w = F.Width() / n;
    return Rect(F.Left + w * (CurrentFrame - 1), F.Top, F.Left + w * CurrentFrame, F.Bottom);
}

QImage TqvSkinMenuItem::SkinnedPicture() const {
    const int W = ObjectRect.Width();
    if (IsSeparator()) {
        if (ActivePicture.isNull() || IsNullRect(MI->DividerRect)) return UnderItem();
        QImage b;
        MakeHorzSkinImage(MI->DividerLO, MI->DividerRO, b, ActivePicture, MI->DividerRect, W, 0,
                          MI->DividerStretchEffect);
        return b;
    }
    const bool A = Active || Down;
    if (EnableAnimation() && CurrentFrame >= 1 && CurrentFrame <= MI->FrameCount) return StatePicture(A, true);
    if (EnableMorphing() && !((A && FMorphKf >= 1) || (!A && FMorphKf <= 0))) {
        const QImage normal = StatePicture(false, false), active = StatePicture(true, false);
        if (normal.size() == active.size())
            return MorphFrame(normal, active, int(std::lround(FMorphKf * kMorphSteps)), MI->MorphKind);
    }
    return StatePicture(A, false);
}

void TqvSkinMenuItem::SetItemFont(TCanvas& C) const {
    if (MI && FLook->UseSkinFont) {
        TFont f(MI->FontName, MI->FontHeight);
        f.SetStyle(MI->FontStyle);
        C.SetFont(f);
    } else C.SetFont(FLook->DefaultMenuItemFont);
    if (FLook->SD && FLook->SD->ResourceStrData())
        C.Font().SetCharset(FLook->SD->ResourceStrData()->CharSet());
}

QImage TqvSkinMenuItem::StatePicture(bool A, bool AnimationFrame) const {
    const TMenuItem& item = *MenuItem;
    TRect src = A ? ActiveSkinRect : SkinRect;
    bool stretch = A ? MI->StretchEffect : (MI->InActiveStretchEffect || (AnimationFrame && MI->StretchEffect));
    if (AnimationFrame) src = AnimationFrameRect();

    // Background: what lies under the item when it is transparent or has no
    // picture to cut from, else the three-slice state picture.
    QImage B;
    if ((!A && MI->InActiveTransparent) || ActivePicture.isNull() || IsNullRect(src)) B = UnderItem();
    else MakeHorzSkinImage(MI->ItemLO, MI->ItemRO, B, ActivePicture, src, ObjectRect.Width(), 0, stretch);
    TCanvas C(&B);

    int g = FLook->ImgL ? FLook->GlyphWidth : 16;
    const bool imageRct = !IsNullRect(MI->ImageRct);
    if (imageRct) g = 0;
    TRect T = MI->TextRct;
    T.Right = B.width() - (MI->SkinRect.Width() - MI->TextRct.Right);

    SetItemFont(C);
    C.Brush().SetStyle(bsClear);
    TColor color = A ? MI->ActiveFontColor : item.Enabled() ? MI->FontColor : MI->UnEnabledFontColor;
    C.Font().SetColor(color);

    if (item.OnDrawItem) {
        item.OnDrawItem(MenuItem.data(), C, T, A);
        return B;
    }
    if (IsMenuHeader(item)) {
        DrawSkinHeader(C, Rect(0, 0, B.width(), B.height()), item.Caption());
        return B;
    }

    const TRect cap = CaptionRect(C, item.Caption(), T.Left + g, T.Right - 16, T);
    TRect r = cap;
    DrawWideText(C, item.Caption(), r, kTextFlags);
    DrawShortCut(C, item, cap, T.Right - 16);

    if (item.Count() > 0) {
        if (IsNullRect(MI->ArrowImageRect))
            DrawMenuArrowMark(C, T.Right - 7, T.Top + T.Height() / 2 - 4, color);
        else
            DrawSkinMark(C, Rect(T.Right - MI->ArrowImageRect.Width() - 5, T.Top, T.Right, T.Bottom),
                         A ? MI->ActiveArrowImageRect : MI->ArrowImageRect);
    }

    if (MI->UseImageColor) color = A ? MI->ActiveImageColor : MI->ImageColor;

    bool fromList = false;
    const QImage img = ItemImage(item, FLook->ImgL, fromList);
    if (!img.isNull()) {
        TPoint at = Point(T.Left + 2, T.Top + T.Height() / 2 - img.height() / 2);
        if (imageRct)
            at = Point(MI->ImageRct.Left + MI->ImageRct.Width() / 2 - img.width() / 2,
                       MI->ImageRct.Top + MI->ImageRct.Height() / 2 - img.height() / 2);
        DrawItemImage(C, item, FLook->ImgL, img, fromList, at, color);
        return B;
    }
    TPoint P = Point(T.Left + 2, T.Top + T.Height() / 2 - 4);
    if (imageRct)
        P = Point(MI->ImageRct.Left + MI->ImageRct.Width() / 2 - 4, MI->ImageRct.Top + MI->ImageRct.Height() / 2 - 4);
    if (DrawCommandGlyph(C, item.Name(), P, color) || !item.Checked()) return B;
    const TRect cell = imageRct ? MI->ImageRct : Rect(T.Left + 2, T.Top, T.Left + 16, T.Bottom);
    if (item.RadioItem()) {
        if (IsNullRect(MI->RadioImageRect)) DrawMenuRadioMark(C, P.X, P.Y + 1, color);
        else DrawSkinMark(C, cell, A ? MI->ActiveRadioImageRect : MI->RadioImageRect);
    } else if (IsNullRect(MI->CheckImageRect)) DrawMenuCheckMark(C, P.X, P.Y, color);
    else DrawSkinMark(C, cell, A ? MI->ActiveCheckImageRect : MI->CheckImageRect);
    return B;
}

void TqvSkinMenuItem::DrawSkinMark(TCanvas& C, const TRect& R, const TRect& Src) const {
    if (ActivePicture.isNull() || IsNullRect(Src)) return;
    TBitmap b(ActivePicture.copy(Src.ToQRect()));
    b.SetTransparent(true);
    const int x = std::max(R.Left, R.Left + R.Width() / 2 - b.Width() / 2);
    const int y = std::max(R.Top, R.Top + R.Height() / 2 - b.Height() / 2);
    C.Draw(x, y, b);
}

void TqvSkinMenuItem::DrawSkinHeader(TCanvas& C, const TRect& R, const QString& Caption) const {
    const TqvDataSkinLabelControl* rec = HeaderRecord(FLook->SD);
    const QImage* pic = rec ? SkinPicture(FLook->SD, rec->PictureIndex) : nullptr;
    if (!rec || !pic || IsNullRect(rec->SkinRect)) return;
    QImage hp;
    MakeHorzSkinImage(rec->LTPoint.X, rec->SkinRect.Width() - rec->RTPoint.X, hp, *pic, rec->SkinRect, R.Width(), 0,
                      rec->StretchEffect);
    TCanvas hc(&hp);
    TFont f(rec->FontName, rec->FontHeight);
    f.SetStyle(rec->FontStyle);
    f.SetColor(rec->FontColor);
    f.SetCharset(C.Font().Charset());
    hc.SetFont(f);
    hc.Brush().SetStyle(bsClear);
    TRect t = Rect(rec->ClRect.Left, rec->ClRect.Top, hp.width() - (rec->SkinRect.Width() - rec->ClRect.Right),
                   hp.height());
    // One line, centred both ways in the record's client part.
    DrawWideText(hc, Caption.mid(1, Caption.size() - 2), t, kTextFlags | DT_SINGLELINE);
    C.Draw(R.Left, R.Top + R.Height() / 2 - hp.height() / 2, hp);
}

QImage TqvSkinMenuItem::DefaultPicture() const {
    const TMenuItem& item = *MenuItem;
    const int W = ObjectRect.Width(), H = ObjectRect.Height();
    QImage B = NewImage(W, H);
    TCanvas C(&B);
    const int g = FLook->ImgL ? FLook->GlyphWidth : 19;
    C.SetFont(FLook->DefaultMenuItemFont);
    if (FLook->SD && FLook->SD->ResourceStrData()) C.Font().SetCharset(FLook->SD->ResourceStrData()->CharSet());
    const bool separator = IsSeparator();
    const bool A = (Active || Down) && !separator;
    TColor color = clWindowText;
    if (A) {
        C.Brush().SetColor(clNavy);
        C.FillRect(Rect(0, 0, W, H));
        C.Brush().SetColor(RGB(182, 189, 210));
        C.FillRect(Rect(1, 1, W - 1, H - 1));
    } else {
        C.Brush().SetColor(clBtnFace);
        C.FillRect(Rect(0, 0, g, H));
        C.Brush().SetColor(clWindow);
        C.FillRect(Rect(g, 0, W, H));
        if (!item.Enabled()) color = clBtnShadow;
    }
    if (separator) {
        C.Pen().SetColor(clBtnShadow);
        C.MoveTo(g, H / 2);
        C.LineTo(W, H / 2);
        return B;
    }
    const TRect K = Rect(2, 2, W - 2, H - 2);
    C.Brush().SetStyle(bsClear);
    if (item.OnDrawItem) {
        C.Font().SetColor(color);
        item.OnDrawItem(MenuItem.data(), C, K, A);
        return B;
    }
    if (IsMenuHeader(item)) {
        C.Brush().SetColor(clBtnShadow);
        C.FillRect(Rect(0, 0, W, H));
        C.Brush().SetStyle(bsClear);
        C.Font().SetColor(clBtnHighlight);
        const QString text = item.Caption().mid(1, item.Caption().size() - 2);
        TRect r = CaptionRect(C, text, K.Left, K.Right, K);
        // Centred across the item, as the skinned header is.
        const int w = r.Width();
        r.Left = K.Left + K.Width() / 2 - w / 2;
        r.Right = r.Left + w;
        DrawWideText(C, text, r, kTextFlags);
        return B;
    }
    C.Font().SetColor(color);
    const TRect cap = CaptionRect(C, item.Caption(), K.Left + g, K.Right - 19, K);
    TRect r = cap;
    DrawWideText(C, item.Caption(), r, kTextFlags);
    DrawShortCut(C, item, cap, K.Right - 19);
    if (item.Count() > 0) DrawMenuArrowMark(C, K.Right - 7, K.Top + K.Height() / 2 - 4, color);

    bool fromList = false;
    const QImage img = ItemImage(item, FLook->ImgL, fromList);
    if (!img.isNull()) {
        DrawItemImage(C, item, FLook->ImgL, img, fromList, Point(K.Left + 2, K.Top + K.Height() / 2 - img.height() / 2),
                      color);
        return B;
    }
    const TPoint P = Point(K.Left + 2, K.Top + K.Height() / 2 - 4);
    if (DrawCommandGlyph(C, item.Name(), P, color) || !item.Checked()) return B;
    if (item.RadioItem()) DrawMenuRadioMark(C, K.Left + 3, P.Y, color);
    else DrawMenuCheckMark(C, K.Left + 3, P.Y, color);
    return B;
}
