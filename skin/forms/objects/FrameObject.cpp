#include "skin/forms/objects/FrameObject.h"

#include "skin/forms/Velmora.h"
#include "skin/forms/menu/Menus.h"
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/EffectBmp.h"
#include "skin/model/draw/LayerManager.h"

#include <QPainter>

#include <algorithm>

namespace {

const QImage* ActivePictureAt(const TqvSkinData* SD, int Index) {
    if (!SD || Index < 0 || Index >= int(SD->FActivePictures.size())) return nullptr;
    const QImage& img = SD->FActivePictures[std::size_t(Index)];
    return img.isNull() ? nullptr : &img;
}

// A rect of the picture at the object's size: copied, or stretched when the sizes differ.
QImage PieceOf(const QImage* Pic, const TRect& Src, QSize Size) {
    QImage out(Size, QImage::Format_RGB32);
    out.fill(Qt::black);
    if (!Pic || IsNullRect(Src) || Size.isEmpty()) return out;
    QPainter p(&out);
    p.drawImage(QRect(QPoint(0, 0), Size), *Pic, Src.ToQRect());
    return out;
}

}  // namespace

void MorphTowards(TqvEffectBmp& A, const TqvEffectBmp& B, double Kf, TqvMorphKind Kind) {
    switch (Kind) {
    case mkDefault: A.Morph(B, Kf); break;
    case mkGradient: A.MorphGrad(B, Kf); break;
    case mkLeftGradient: A.MorphLeftGrad(B, Kf); break;
    case mkRightGradient: A.MorphRightGrad(B, Kf); break;
    case mkLeftSlide: A.MorphLeftSlide(B, Kf); break;
    case mkRightSlide: A.MorphRightSlide(B, Kf); break;
    case mkPush: A.MorphPush(B, Kf); break;
    }
}

// ---- TqvActiveSkinObject

TqvActiveSkinObject::TqvActiveSkinObject(TqvVelmora* AParent, const TqvDataSkinObject* AData) : Parent(AParent) {
    const TqvSkinData* SD = AParent ? AParent->SkinData() : nullptr;
    if (AData) {
        IDName = AData->IDName;
        Hint = AData->Hint;
        SkinRectInAPicture = AData->SkinRectInAPicture;
        SkinRect = AData->SkinRect;
        ActiveSkinRect = AData->ActiveSkinRect;
        InActiveSkinRect = AData->InActiveSkinRect;
        Morphing = AData->Morphing;
        MorphKind = AData->MorphKind;
        ActivePicture = ActivePictureAt(SD, AData->ActivePictureIndex);
        // Without its picture the object has no hover image (the record stays as it is).
        if (!ActivePicture) ActiveSkinRect = TRect{};
        ActiveMaskPicture = ActivePictureAt(SD, AData->ActiveMaskPictureIndex);
        GlowLayerPictureIndex = AData->GlowLayerPictureIndex;
        GlowLayerMaskPictureIndex = AData->GlowLayerMaskPictureIndex;
        GlowLayerOffsetX = AData->GlowLayerOffsetX;
        GlowLayerOffsetY = AData->GlowLayerOffsetY;
        GlowLayerAlphaBlendValue = AData->GlowLayerAlphaBlendValue;
        if (Morphing && IsNullRect(ActiveSkinRect)) Morphing = false;
    }
    ObjectRect = SkinRect;
    if (SD && !SD->FPicture.isNull()) Picture = &SD->FPicture;
}

bool TqvActiveSkinObject::HasSkin() const {
    return Parent && Parent->SkinData() && !Parent->SkinData()->Empty;
}

bool TqvActiveSkinObject::FormActive() const { return !Parent || Parent->GetFormActive(); }

bool TqvActiveSkinObject::PtInMask(int X, int Y) const {
    if (!HasSkin() || !ActiveMaskPicture) return true;
    if (X < 0 || Y < 0 || X >= ActiveMaskPicture->width() || Y >= ActiveMaskPicture->height()) return false;
    return (ActiveMaskPicture->pixel(X, Y) & 0xFFFFFF) == 0;
}

TqvLayerManager* TqvActiveSkinObject::GlowManager() const { return Parent ? Parent->LayerManager() : nullptr; }

TRect TqvActiveSkinObject::ScreenRect() const {
    TRect r = ObjectRect;
    if (Parent) {
        const QPoint o = Parent->WindowOrigin();
        OffsetRect(r, o.x(), o.y());
    }
    return r;
}

void TqvActiveSkinObject::ShowLayer() {
    // Glow windows only show over a compositor; without one there is nothing to fade.
    if (!HasSkin() || GlowLayerPictureIndex == -1 || !IsWindows2000OrLater() || !LayeredWindowsAvailable()) return;
    const TqvSkinData* SD = Parent->SkinData();
    if (!SD->ShowCaptionButtonGlowFrames()) return;
    const QImage* image = ActivePictureAt(SD, GlowLayerPictureIndex);
    const QImage* mask = ActivePictureAt(SD, GlowLayerMaskPictureIndex);
    TqvLayerManager* m = GlowManager();
    if (!image || !m) return;
    const TRect r = ScreenRect();
    m->Show(r.Left - GlowLayerOffsetX, r.Top - GlowLayerOffsetY, *image, mask ? *mask : QImage(),
            GlowLayerAlphaBlendValue);
}

void TqvActiveSkinObject::HideLayer() {
    if (!HasSkin() || GlowLayerPictureIndex == -1 || !IsWindows2000OrLater() || !LayeredWindowsAvailable()) return;
    if (!Parent->SkinData()->ShowCaptionButtonGlowFrames()) return;
    if (TqvLayerManager* m = GlowManager()) m->Hide();
}

bool TqvActiveSkinObject::EnableMorphing() const {
    return Morphing && HasSkin() && Parent->SkinData()->EnableSkinEffects();
}

bool TqvActiveSkinObject::CanMorphing() const { return (Active && FMorphKf < 1) || (!Active && FMorphKf > 0); }

void TqvActiveSkinObject::SetMorphKf(double Value) { FMorphKf = std::clamp(Value, 0.0, 1.0); }

void TqvActiveSkinObject::DoMorphing() {
    SetMorphKf(FMorphKf + (Active ? 0.2 : -0.2));
    DrawSkinObject();
}

void TqvActiveSkinObject::ReDraw() {
    if (EnableMorphing()) {
        if (Parent) Parent->StartMorphTimer();
    } else {
        DrawSkinObject();
    }
}

void TqvActiveSkinObject::DrawSkinObject() {
    if (Parent) Parent->DrawSkinObject(*this);
}

void TqvActiveSkinObject::CopyInto(QPainter& p, const QImage* Pic, const TRect& Src) const {
    if (!Pic || IsNullRect(Src) || IsNullRect(ObjectRect)) return;
    p.drawImage(ObjectRect.ToQRect(), *Pic, Src.ToQRect());
}

void TqvActiveSkinObject::DrawMorph(QPainter& p, const QImage* PicA, const TRect& A, const QImage* PicB,
                                    const TRect& B) const {
    const QSize size(ObjectRect.Width(), ObjectRect.Height());
    if (size.isEmpty()) return;
    TqvEffectBmp a(PieceOf(PicA, A, size));
    const TqvEffectBmp b(PieceOf(PicB, B, size));
    MorphTowards(a, b, FMorphKf, MorphKind);
    a.Draw(p, ObjectRect.Left, ObjectRect.Top);
}

void TqvActiveSkinObject::Draw(QPainter& p, bool UpDate) {
    if (!HasSkin()) return;
    if (Enabled && !FormActive() && !IsNullRect(InActiveSkinRect)) {
        CopyInto(p, ActivePicture, InActiveSkinRect);
        return;
    }
    if (EnableMorphing() && ((Active && FMorphKf != 1) || (!Active && FMorphKf != 0))) {
        DrawMorph(p, NormalPicture(), SkinRect, ActivePicture, ActiveSkinRect);
        return;
    }
    if (!Active || IsNullRect(ActiveSkinRect)) {
        if (!UpDate && !SkinRectInAPicture) return;
        CopyInto(p, NormalPicture(), SkinRect);
        return;
    }
    CopyInto(p, ActivePicture, ActiveSkinRect);
}

void TqvActiveSkinObject::MouseEnter() {
    FMouseIn = true;
    Active = true;
    if (!IsNullRect(ActiveSkinRect)) ReDraw();
    if (Parent) Parent->DoObjectMouseEnter(IDName);
    ShowLayer();
}

void TqvActiveSkinObject::MouseLeave() {
    FMouseIn = false;
    Active = false;
    if (!IsNullRect(ActiveSkinRect)) ReDraw();
    if (Parent) Parent->DoObjectMouseLeave(IDName);
    HideLayer();
}

void TqvActiveSkinObject::MouseDown(int X, int Y, Qt::MouseButton Button) {
    if (Parent) Parent->DoObjectMouseDown(IDName, X, Y, ObjectRect, Button);
}

void TqvActiveSkinObject::MouseUp(int X, int Y, Qt::MouseButton Button) {
    if (FMouseIn && Parent) Parent->DoObjectMouseUp(IDName, X, Y, ObjectRect, Button);
}

void TqvActiveSkinObject::MouseMove(int X, int Y) {
    if (Parent) Parent->DoObjectMouseMove(IDName, X, Y, ObjectRect);
}

// ---- TqvUserObject

void TqvUserObject::Draw(QPainter& p, bool) {
    if (Parent) Parent->DoUserObjectPaint(IDName, p, ObjectRect);
}

// ---- TqvSkinButtonObject

TqvSkinButtonObject::TqvSkinButtonObject(TqvVelmora* AParent, const TqvDataSkinObject* AData)
    : TqvActiveSkinObject(AParent, AData) {
    if (const auto* b = dynamic_cast<const TqvDataSkinButton*>(AData)) {
        DownRect = b->DownRect;
        DisableSkinRect = b->DisableSkinRect;
    }
}

bool TqvSkinButtonObject::HasLinkedMenu() const { return MenuItem != nullptr; }

TqvLayerManager* TqvSkinButtonObject::GlowManager() const {
    if (!Parent) return nullptr;
    return MenuItem ? Parent->MenuLayerManager() : Parent->LayerManager();
}

bool TqvSkinButtonObject::CanMorphing() const {
    // A button holding its open menu keeps the full hover look.
    if (MenuItem && FDown) return false;
    return TqvActiveSkinObject::CanMorphing();
}

void TqvSkinButtonObject::Draw(QPainter& p, bool UpDate) {
    if (!HasSkin()) return;
    if (!Enabled && !IsNullRect(DisableSkinRect)) {
        CopyInto(p, ActivePicture, DisableSkinRect);
        return;
    }
    if (FDown && !IsNullRect(DownRect) && FMouseIn) {
        CopyInto(p, ActivePicture, DownRect);
        return;
    }
    TqvActiveSkinObject::Draw(p, UpDate);
}

void TqvSkinButtonObject::SetDown(bool Value) {
    FDown = Value;
    if (EnableMorphing() && Active) SetMorphKf(1);
    DrawSkinObject();
    // The release morphs back from the full hover image.
    if (EnableMorphing() && !FDown) ReDraw();
}

void TqvSkinButtonObject::MouseDown(int X, int Y, Qt::MouseButton Button) {
    if (!Enabled) return;
    if (Button == Qt::LeftButton && !FDown) {
        SetDown(true);
        PopupLinkedMenu();
    }
    TqvActiveSkinObject::MouseDown(X, Y, Button);
}

void TqvSkinButtonObject::MouseUp(int X, int Y, Qt::MouseButton Button) {
    if (!Enabled) return;
    if (Button == Qt::LeftButton && !MenuItem && FDown) SetDown(false);
    TqvActiveSkinObject::MouseUp(X, Y, Button);
}

void TqvSkinButtonObject::MouseEnter() {
    FMouseIn = true;
    Active = true;
    if (IsNullRect(DownRect) || !FDown) {
        if (!IsNullRect(ActiveSkinRect)) ReDraw();
        if (MenuItem) ShowLayer();
    } else {
        if (EnableMorphing()) SetMorphKf(1);
        DrawSkinObject();
    }
    if (Parent) Parent->DoObjectMouseEnter(IDName);
    if (!MenuItem) ShowLayer();
}

void TqvSkinButtonObject::MouseLeave() {
    FMouseIn = false;
    Active = false;
    if (!MenuItem || !FDown) {
        if (MenuItem) HideLayer();
        DrawSkinObject();
        ReDraw();
    }
    if (Parent) Parent->DoObjectMouseLeave(IDName);
    if (!MenuItem) HideLayer();
}

bool TqvSkinButtonObject::PopupLinkedMenu() {
    if (!MenuItem || MenuItem->Count() == 0 || !Parent) return false;
    if (TqvLayerManager* m = Parent->LayerManager(); m->IsVisible()) m->Hide();
    if (TqvLayerManager* m = Parent->MenuLayerManager(); m->IsVisible()) m->Hide();
    if (FMouseIn) ShowLayer();
    if (Parent->OpenLinkedMenu(MenuItem, ScreenRect(), FPopupUp)) return true;
    // Nothing opened, so no menu close will come to release the button.
    if (FDown) SetDown(false);
    return false;
}
