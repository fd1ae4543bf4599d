#include "skin/forms/objects/CaptionObject.h"

#include "platform/Canvas.h"
#include "platform/ImgList.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/frame/FramePaint.h"
#include "skin/forms/hint/SkinHint.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/EffectBmp.h"
#include "skin/model/draw/SkinCompose.h"
#include "skin/model/draw/TextEffects.h"

#include <QPainter>

namespace {

constexpr unsigned kTextFlags = DT_SINGLELINE;

// The pixels the painter's target holds under R (window coordinates), to
// draw on with a canvas and put back; black where the target is no image.
QImage Under(QPainter& p, const TRect& R) {
    const QRect r = R.ToQRect();
    QImage out(r.size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    if (const auto* img = dynamic_cast<const QImage*>(p.device())) {
        const QRect src = p.worldTransform().mapRect(r);
        QPainter q(&out);
        q.drawImage(QPoint(0, 0), *img, src);
    }
    return out;
}

}  // namespace

// ---- quick buttons

void TqvQuickButtonItem::Assign(const TqvQuickButtonItem& Source) {
    FImageIndex = Source.FImageIndex;
    Hint = Source.Hint;
    FEnabled = Source.FEnabled;
    FVisible = Source.FVisible;
    if (FCollection) FCollection->Update();
}

void TqvQuickButtonItem::SetImageIndex(int Value) {
    FImageIndex = Value;
    if (FCollection) FCollection->Update();
}

void TqvQuickButtonItem::SetEnabled(bool Value) {
    FEnabled = Value;
    if (FCollection) FCollection->Update();
}

void TqvQuickButtonItem::SetVisible(bool Value) {
    FVisible = Value;
    if (FCollection) FCollection->Update();
}

TqvQuickButtonItem* TqvQuickButtonItems::Add() { return Insert(Count()); }

TqvQuickButtonItem* TqvQuickButtonItems::Insert(int Index) {
    Index = qBound(0, Index, Count());
    auto it = FItems.insert(FItems.begin() + Index, std::make_unique<TqvQuickButtonItem>(this));
    Update();
    return it->get();
}

void TqvQuickButtonItems::Delete(int Index) {
    if (Index < 0 || Index >= Count()) return;
    FItems.erase(FItems.begin() + Index);
    Update();
}

void TqvQuickButtonItems::Clear() {
    FItems.clear();
    Update();
}

// ---- TqvSkinCaptionObject

TqvSkinCaptionObject::TqvSkinCaptionObject(TqvVelmora* AParent, const TqvDataSkinObject* AData)
    : TqvActiveSkinObject(AParent, AData) {
    const auto* d = dynamic_cast<const TqvDataSkinCaption*>(AData);
    if (!d) return;
    FontName = d->FontName;
    FontStyle = d->FontStyle;
    FontHeight = d->FontHeight;
    FontColor = d->FontColor;
    ActiveFontColor = d->ActiveFontColor;
    ShadowColor = d->ShadowColor;
    ActiveShadowColor = d->ActiveShadowColor;
    Shadow = d->Shadow;
    LightColor = d->LightColor;
    ActiveLightColor = d->ActiveLightColor;
    Light = d->Light;
    Alignment = d->Alignment;
    TextRct = d->TextRct;
    FrameRect = d->FrameRect;
    ActiveFrameRect = d->ActiveFrameRect;
    FrameLeftOffset = d->FrameLeftOffset;
    FrameRightOffset = d->FrameRightOffset;
    FrameTextRect = d->FrameTextRect;
    StretchEffect = d->StretchEffect;
    FullFrame = d->FullFrame;
    AnimateSkinRect = d->AnimateSkinRect;
    FrameCount = d->FrameCount;
    AnimateInterval = d->AnimateInterval;
    InActiveAnimation = d->InActiveAnimation;
    VistaGlowEffect = d->VistaGlowEffect;
    VistaGlowInActiveEffect = d->VistaGlowInActiveEffect;
    GlowEffect = d->GlowEffect;
    GlowInActiveEffect = d->GlowInActiveEffect;
    GlowSize = d->GlowSize;
    GlowOffset = d->GlowOffset;
    GlowColor = d->GlowColor;
    GlowActiveColor = d->GlowActiveColor;
    ReflectionEffect = d->ReflectionEffect;
    ReflectionColor = d->ReflectionColor;
    ReflectionActiveColor = d->ReflectionActiveColor;
    ReflectionOffset = d->ReflectionOffset;
}

bool TqvSkinCaptionObject::EnableAnimation() const {
    return HasSkin() && Parent->SkinData()->EnableSkinEffects() && !IsNullRect(AnimateSkinRect) && ActivePicture;
}

bool TqvSkinCaptionObject::HasQuickButtons() const {
    return Parent && Parent->QuickButtons.Count() > 0 && Parent->QuickImageList;
}

// An MDI frame with a maximized child names the child too.
QString TqvSkinCaptionObject::CaptionText() const { return Parent ? Parent->FormCaptionText() : QString(); }

TRect TqvSkinCaptionObject::TextRect() const {
    TRect T = TextRct;
    if (IsNullRect(TextRct)) return T;
    if (HasQuickButtons()) T.Left += Parent->QuickButtons.Count() * (Parent->QuickImageList->Width() + 8);
    // A caption wider than its skin rect keeps the text's right margin.
    T.Right = ObjectRect.Width() + TextRct.Right - SkinRect.Width();
    if (!IsNullRect(FrameRect)) {
        T.Top += FrameTextRect.Top;
        T.Left += FrameTextRect.Left;
        T.Right -= FrameRect.Width() - FrameTextRect.Right;
    }
    return T;
}

QImage TqvSkinCaptionObject::BackgroundImage(const QImage* P, const TRect& S) const {
    const int W = ObjectRect.Width(), H = ObjectRect.Height();
    QImage out(qMax(W, 1), qMax(H, 1), QImage::Format_RGB32);
    out.fill(Qt::black);
    if (!P || IsNullRect(S) || W <= 0 || H <= 0 || !HasSkin()) return out;
    const TqvSkinData* SD = Parent->SkinData();
    const int L = qMax(0, SD->LTPoint.X - SkinRect.Left), R = qMax(0, SkinRect.Right - SD->RTPoint.X);
    QPainter q(&out);
    if (L > 0 || R > 0) {
        QImage bar;
        MakeHorzSkinImage(L, R, bar, *P, S, W, H, StretchEffect);
        q.drawImage(0, 0, bar);
    } else {
        q.drawImage(QRect(0, 0, W, H), *P, S.ToQRect());
    }
    return out;
}

TRect TqvSkinCaptionObject::AnimateFrameRect(int N) const {
    const TRect& A = AnimateSkinRect;
    if (FrameCount <= 0) return A;
    if (A.Height() > SkinRect.Height()) {
        const int h = A.Height() / FrameCount;
        return Rect(A.Left, A.Top + (N - 1) * h, A.Right, A.Top + N * h);
    }
    const int w = A.Width() / FrameCount;
    return Rect(A.Left + (N - 1) * w, A.Top, A.Left + N * w, A.Bottom);
}

void TqvSkinCaptionObject::SetCaptionFont(TCanvas& C, bool A) const {
    TFont f(FontName, FontHeight);
    f.SetStyle(FontStyle);
    f.SetColor(A ? ActiveFontColor : FontColor);
    C.SetFont(f);
}

void TqvSkinCaptionObject::DrawCaptionText(TCanvas& C, int X0, int Y0, bool A, const TRect& T) const {
    // The application's caption painting replaces the text.
    if (!Parent || Parent->OnCaptionPaint) return;
    QString s = CaptionText();
    if (s.isEmpty() || IsNullRect(TextRct)) return;
    SetCaptionFont(C, A);
    FitWideTextToWidth(C, s, T.Width());
    const int w = WideTextWidth(C, s), h = WideTextHeight(C, s);
    int y = T.Top + T.Height() / 2 - h / 2;
    int x = T.Left + T.Width() / 2 - w / 2;
    if (!HasQuickButtons()) {
        if (Alignment == taLeftJustify) x = T.Left;
        else if (Alignment == taRightJustify) x = T.Right - w;
    }
    x += X0;
    y += Y0;
    C.Brush().SetStyle(bsClear);
    if (!IsNullRect(FrameRect) && ActivePicture) {
        const TRect src = A && !IsNullRect(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
        const int offset = Parent->SkinData()->ButtonsOffset;
        const int fw = FullFrame ? ObjectRect.Width() - 2 * offset : FrameRect.Width() + w - FrameTextRect.Width();
        if (fw > 0) {
            QImage frame;
            MakeHorzSkinImage(FrameLeftOffset, FrameRightOffset, frame, *ActivePicture, src, fw, FrameRect.Height(),
                              false);
            const int fx = FullFrame ? X0 + offset : x - FrameTextRect.Left;
            C.Draw(fx, y - FrameTextRect.Top, frame);
        }
    }
    const TColor main = A ? ActiveFontColor : FontColor;
    auto plain = [&](int tx, int ty, TColor colour) {
        C.Font().SetColor(colour);
        TRect r = Rect(tx, ty, tx, ty);
        DrawWideText(C, s, r, DT_CALCRECT | kTextFlags);
        DrawWideText(C, s, r, DT_VCENTER | kTextFlags);
        C.Font().SetColor(main);
    };
    if (Light) plain(x - 1, y - 1, A ? ActiveLightColor : LightColor);
    if (Shadow) plain(x + 1, y + 1, A ? ActiveShadowColor : ShadowColor);
    TRect r = Rect(x, y, x, y);
    DrawWideText(C, s, r, DT_CALCRECT | kTextFlags);
    if (ReflectionEffect) {
        DrawTextWithReflection(C, r, s, A ? ReflectionActiveColor : ReflectionColor, ReflectionOffset,
                               DT_VCENTER | kTextFlags);
    } else if (VistaGlowEffect && (A || VistaGlowInActiveEffect)) {
        DrawTextWithGlow(C, r, s, A ? GlowActiveColor : GlowColor, DT_VCENTER | kTextFlags);
    } else if (GlowEffect && (A || GlowInActiveEffect)) {
        DrawTextWithShadow(C, r, s, GlowSize, A ? GlowActiveColor : GlowColor, GlowOffset, DT_VCENTER | kTextFlags);
    } else {
        plain(x, y, main);
    }
}

void TqvSkinCaptionObject::Draw(QPainter& p, bool UpDate) {
    if (!HasSkin() || IsNullRect(ObjectRect)) return;
    const TRect T = TextRect();
    const TqvSkinData* SD = Parent->SkinData();
    auto image = [&](const QImage* P, const TRect& S, bool A) {
        QImage img = BackgroundImage(P, S);
        TCanvas c(&img);
        DrawCaptionText(c, 0, 0, A, T);
        return img;
    };
    const bool between = (!Active && FMorphKf > 0) || (Active && FMorphKf < 1);
    if (EnableAnimation() && CurrentFrame >= 1 && CurrentFrame <= FrameCount) {
        // The text keeps the old state's look until the last frame has passed.
        p.drawImage(ObjectRect.Left, ObjectRect.Top, image(ActivePicture, AnimateFrameRect(CurrentFrame), !Active));
    } else if (EnableMorphing() && between) {
        TqvEffectBmp a(image(Picture, SkinRect, false));
        MorphTowards(a, TqvEffectBmp(image(ActivePicture, ActiveSkinRect, true)), FMorphKf, MorphKind);
        QImage img = a.Image().convertToFormat(QImage::Format_RGB32);
        // A frame paint puts the inactive effect over the whole frame itself.
        if (UpDate && !Active && Parent->UseInActiveImageEffect()) ApplyInActiveEffect(img, SD->InActiveEffect);
        p.drawImage(ObjectRect.Left, ObjectRect.Top, img);
    } else if (IsNullRect(ActiveSkinRect) || (!Active && !EnableMorphing() && !StretchEffect && !EnableAnimation())) {
        QImage img = Under(p, ObjectRect);
        TCanvas c(&img);
        DrawCaptionText(c, 0, 0, Active, T);
        p.drawImage(ObjectRect.Left, ObjectRect.Top, img);
    } else if (!Active) {
        QImage img = image(Picture, SkinRect, false);
        if (UpDate && Parent->UseInActiveImageEffect()) ApplyInActiveEffect(img, SD->InActiveEffect);
        p.drawImage(ObjectRect.Left, ObjectRect.Top, img);
    } else {
        p.drawImage(ObjectRect.Left, ObjectRect.Top, image(ActivePicture, ActiveSkinRect, true));
    }
    // The application's caption painting goes over the caption's own background.
    if (Parent->OnCaptionPaint) Parent->OnCaptionPaint(p, ObjectRect, Active);
    DrawQuickButtons(p);
}

void TqvSkinCaptionObject::DrawQuickButtons(QPainter& p) {
    if (!HasQuickButtons()) return;
    const TImageList& il = *Parent->QuickImageList;
    const int iw = il.Width(), ih = il.Height();
    const TqvSkinData* SD = Parent->SkinData();
    const TqvDataSkinButtonControl* rec = nullptr;
    for (const char* name : {"officequickbutton", "resizetoolbutton"}) {
        const int i = SD->GetControlIndex(QLatin1String(name));
        if (i < 0) continue;
        rec = dynamic_cast<const TqvDataSkinButtonControl*>(SD->CtrlList[std::size_t(i)].get());
        if (rec) break;
    }
    const QImage* recPicture = rec && rec->PictureIndex >= 0 && rec->PictureIndex < int(SD->FActivePictures.size())
                                   ? &SD->FActivePictures[std::size_t(rec->PictureIndex)]
                                   : nullptr;
    int x = ObjectRect.Left;
    const int y = ObjectRect.Top + ObjectRect.Height() / 2 - ih / 2 - 2;
    for (int i = 0; i < Parent->QuickButtons.Count(); ++i) {
        TqvQuickButtonItem& item = *Parent->QuickButtons.GetItem(i);
        if (!item.Visible()) continue;
        item.ItemRect = Rect(x, y, x + iw + 4, y + ih + 4);
        QImage img = Under(p, item.ItemRect);
        if (item.Active && recPicture) {
            const TRect src = item.Down && !IsNullRect(rec->DownSkinRect) ? rec->DownSkinRect : rec->ActiveSkinRect;
            if (!IsNullRect(src)) {
                QImage bg(img.size(), QImage::Format_RGB32);
                ResizeSkinImage(bg, *recPicture, src, rec->ClRect, true);
                QPainter(&img).drawImage(0, 0, bg);
            }
        }
        TCanvas c(&img);
        il.Draw(c, img.width() / 2 - iw / 2, img.height() / 2 - ih / 2, item.ImageIndex(), item.Enabled());
        p.drawImage(item.ItemRect.Left, item.ItemRect.Top, img);
        x += iw + 8;
    }
}

void TqvSkinCaptionObject::RepaintFrame() const {
    if (Parent) Parent->DrawSkinObject(*this);
}

void TqvSkinCaptionObject::TrackQuickButtons(int X, int Y) {
    if (!Parent || Parent->QuickButtons.Count() == 0) return;
    TqvQuickButtonItems& items = Parent->QuickButtons;
    OldActiveQuickButton = ActiveQuickButton;
    ActiveQuickButton = -1;
    for (int i = 0; i < items.Count(); ++i) {
        const TqvQuickButtonItem& it = *items.GetItem(i);
        if (it.Enabled() && it.Visible() && PtInRect(it.ItemRect, Point(X, Y))) {
            ActiveQuickButton = i;
            break;
        }
    }
    bool changed = false;
    for (int i = 0; i < items.Count(); ++i) {
        TqvQuickButtonItem& it = *items.GetItem(i);
        const bool a = i == ActiveQuickButton;
        changed = changed || it.Active != a;
        it.Active = a;
    }
    if (ActiveQuickButton != OldActiveQuickButton || changed) RepaintFrame();
    TqvSkinHint* hint = Parent->SkinHint.data();
    if (ActiveQuickButton != OldActiveQuickButton && ActiveQuickButton != -1 && hint && Parent->QuickButtonsShowHint) {
        const QString& h = items.GetItem(ActiveQuickButton)->Hint;
        if (!h.isEmpty()) hint->ActivateHint2(h);
    }
    if (changed && Parent->QuickButtonsShowHint && ActiveQuickButton == -1 && hint) hint->HideHint();
}

void TqvSkinCaptionObject::MouseEnter() {
    FMouseIn = true;
    if (Parent) Parent->DoObjectMouseEnter(IDName);
}

void TqvSkinCaptionObject::MouseLeave() {
    FMouseIn = false;
    if (!Parent) return;
    Parent->DoObjectMouseLeave(IDName);
    if (Parent->QuickButtons.Count() > 0) {
        ActiveQuickButton = OldActiveQuickButton = -1;
        TrackQuickButtons(-1, -1);
    }
}

void TqvSkinCaptionObject::MouseMove(int X, int Y) {
    if (!Parent) return;
    Parent->DoObjectMouseMove(IDName, X, Y, ObjectRect);
    if (Parent->QuickButtons.Count() > 0) TrackQuickButtons(X, Y);
}

void TqvSkinCaptionObject::MouseDown(int X, int Y, Qt::MouseButton Button) {
    if (!Parent) return;
    Parent->DoObjectMouseDown(IDName, X, Y, ObjectRect, Button);
    TqvQuickButtonItems& items = Parent->QuickButtons;
    if (items.Count() == 0) return;
    TrackQuickButtons(X, Y);
    if (ActiveQuickButton != -1) {
        for (int i = 0; i < items.Count(); ++i) {
            TqvQuickButtonItem& it = *items.GetItem(i);
            it.Down = i == ActiveQuickButton;
            if (!it.Down) it.Active = false;
        }
        RepaintFrame();
    }
    if (Parent->QuickButtonsShowHint && Parent->SkinHint) Parent->SkinHint->HideHint();
}

void TqvSkinCaptionObject::MouseUp(int X, int Y, Qt::MouseButton Button) {
    if (!Parent) return;
    Parent->DoObjectMouseUp(IDName, X, Y, ObjectRect, Button);
    TqvQuickButtonItems& items = Parent->QuickButtons;
    if (items.Count() == 0) return;
    TrackQuickButtons(X, Y);
    if (ActiveQuickButton == -1) return;
    for (int i = 0; i < items.Count(); ++i) items.GetItem(i)->Down = false;
    RepaintFrame();
    if (const TqvQuickButtonClickEvent click = items.GetItem(ActiveQuickButton)->OnClick) click(this);
}
