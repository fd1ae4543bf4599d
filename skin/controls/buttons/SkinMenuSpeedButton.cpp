#include "skin/controls/buttons/SkinMenuSpeedButton.h"

#include "platform/Application.h"
#include "skin/controls/base/SkinControl.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/SkinTypes.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

namespace {
bool Empty(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }
constexpr int kTrack = 15;
}  // namespace

TqvSkinMenuSpeedButton::TqvSkinMenuSpeedButton(QObject* AOwner) : TqvSkinSpeedButton(AOwner) {
    FSkinDataName = QStringLiteral("toolmenubutton");
}

void TqvSkinMenuSpeedButton::GetSkinData() {
    TqvSkinSpeedButton::GetSkinData();
    if (const auto* r = dynamic_cast<const TqvDataSkinMenuButtonControl*>(Record())) TrackButtonRect = r->TrackButtonRect;
}

void TqvSkinMenuSpeedButton::SetSkinImagesMenu(TqvImagesMenuRef* v) {
    FImagesMenu.Set(v);
    if (v) {
        QPointer<TqvSkinMenuSpeedButton> self(this);
        v->SetChangeHook([self] {
            if (self) self->update();
        });
    }
    update();
}

void TqvSkinMenuSpeedButton::SetTrackButtonMode(bool v) {
    FTrackButtonMode = v;
    GetSkinData();
    if (FIndex == -1) update();
}

void TqvSkinMenuSpeedButton::SetTrackPosition(TqvTrackPosition v) {
    FTrackPosition = v;
    update();
}

void TqvSkinMenuSpeedButton::SetNewStyle(bool v) {
    FNewStyle = v;
    if (v) FSkinDataName = QStringLiteral("resizetoolbutton");
}

TqvSkinMenuSpeedButton::TStyle TqvSkinMenuSpeedButton::Style() const {
    const QString& n = FSkinDataName;
    if (FNewStyle && n == QLatin1String("resizetoolbutton")) return stNew;
    if (n == QLatin1String("toolbutton") || n == QLatin1String("bigtoolbutton")) return stTool;
    if (n == QLatin1String("resizebutton") || n == QLatin1String("resizetoolbutton")) return stResize;
    return stOwn;
}

TRect TqvSkinMenuSpeedButton::TrackRect() const {
    if (Style() == stOwn && FIndex != -1) {
        TRect r = TrackButtonRect;
        if (G.ResizeMode == 2) r = Rect(r.Left + Width() - G.SkinRect.Width(), r.Top, r.Right + Width() - G.SkinRect.Width(), r.Bottom);
        else if (G.ResizeMode == 3) r = Rect(r.Left, r.Top + Height() - G.SkinRect.Height(), r.Right, r.Bottom + Height() - G.SkinRect.Height());
        return r;
    }
    if (Style() == stNew && FTrackPosition == qvtpBottom) return Rect(0, Height() - kTrack, Width(), Height());
    return Rect(Width() - kTrack, 0, Width(), Height());
}

bool TqvSkinMenuSpeedButton::IsMenuPress(QPoint P) const {
    if (!FPopupMenu && !FImagesMenu) return false;
    if (!FTrackButtonMode) return true;
    const TRect r = TrackRect();
    return P.x() >= r.Left && P.x() < r.Right && P.y() >= r.Top && P.y() < r.Bottom;
}

// ---- menus ----

void TqvSkinMenuSpeedButton::OpenMenus() {
    const TPoint o = ClientToScreen({0, 0});
    const TRect screen = Rect(o.X, o.Y, o.X + Width(), o.Y + Height());
    QPointer<TqvSkinMenuSpeedButton> self(this);
    if (TqvPopupMenuRef* m = FPopupMenu.Get()) {
        if (OnShowTrackMenu) OnShowTrackMenu(this);
        if (!self) return;
        m->PopupFromRect2(this, screen, false);
    }
    if (!self) return;
    if (TqvImagesMenuRef* im = FImagesMenu.Get()) {
        if (OnShowTrackMenu) OnShowTrackMenu(this);
        if (!self) return;
        im->SetCloseHook([self] {
            if (!self) return;
            Application()->Guard([&] {
                self->FMenuTracked = false;
                self->SetDown(false);
                if (self->OnHideTrackMenu) self->OnHideTrackMenu(self.data());
                if (!self) return;
                self->FMouseIn = self->FHover = false;
                self->update();
            });
        });
        im->PopupFromRect(screen);
    }
}

void TqvSkinMenuSpeedButton::MenusClosed() {
    FMenuTracked = false;
    SetDown(false);
    FMouseIn = FHover = false;
    if (OnHideTrackMenu) OnHideTrackMenu(this);
    update();
}

void TqvSkinMenuSpeedButton::WndProc(TMessage& message) {
    if (message.Msg == WM_SKIN_MENU_CLOSED) {
        MenusClosed();
        return;
    }
    TqvSkinSpeedButton::WndProc(message);
}

void TqvSkinMenuSpeedButton::MouseDownLeft(QPoint p) {
    FMenuTracked = IsMenuPress(p);
    FMouseIn = true;
    if (!FMenuTracked) {
        TqvSkinSpeedButton::MouseDownLeft(p);
        return;
    }
    // A menu press: down until the menus close, and no click.
    if (!FDown) SetDown(true);
    OpenMenus();
}

void TqvSkinMenuSpeedButton::MouseUpLeft(QPoint p) {
    if (FMenuTracked) return;
    TqvSkinSpeedButton::MouseUpLeft(p);
}

void TqvSkinMenuSpeedButton::PointerEnters() {
    if (FMenuTracked) {
        FMouseIn = true;
        return;
    }
    TqvSkinSpeedButton::PointerEnters();
}

void TqvSkinMenuSpeedButton::PointerLeaves() {
    if (FMenuTracked) {
        FMouseIn = false;
        return;
    }
    TqvSkinSpeedButton::PointerLeaves();
}

// ---- painting ----

bool ComposeButtonRecord(QImage& Dst, const TqvSkinData* SD, const QString& Name, int Which, int W, int H) {
    if (!SD || W <= 0 || H <= 0) return false;
    const int i = SD->GetControlIndex(Name);
    if (i == -1) return false;
    const auto* b = dynamic_cast<const TqvDataSkinButtonControl*>(SD->CtrlList[std::size_t(i)].get());
    if (!b || b->PictureIndex < 0 || b->PictureIndex >= int(SD->FActivePictures.size())) return false;
    const QImage& pic = SD->FActivePictures[std::size_t(b->PictureIndex)];
    const TRect hot = Empty(b->ActiveSkinRect) ? b->SkinRect : b->ActiveSkinRect;
    const TRect down = Empty(b->DownSkinRect) ? hot : b->DownSkinRect;
    const TRect r = Which == 2 ? down : Which == 1 ? hot : b->SkinRect;
    const int dx = W - b->SkinRect.Width(), dy = H - b->SkinRect.Height();
    auto mv = [](TPoint p, int x, int y) { return TPoint{p.X + x, p.Y + y}; };
    TRect ncl = b->ClRect;
    ncl.Right += dx;
    ncl.Bottom += dy;
    ComposeSkinImage(b->LTPoint, b->RTPoint, b->LBPoint, b->RBPoint, b->ClRect, b->LTPoint, mv(b->RTPoint, dx, 0),
                     mv(b->LBPoint, 0, dy), mv(b->RBPoint, dx, dy), ncl, Dst, pic, r, W, H, true, b->LeftStretch,
                     b->TopStretch, b->RightStretch, b->BottomStretch, b->StretchEffect, b->StretchType);
    return true;
}

void TqvSkinMenuSpeedButton::DrawMarker(TCanvas& C, const TRect& R, const TRect& Marker) {
    if (Empty(Marker) || G.Picture.isNull()) return;
    const int x = R.Left + R.Width() / 2 - Marker.Width() / 2, y = R.Top + R.Height() / 2 - Marker.Height() / 2;
    TransparentBlt(*C.Image(), Rect(x, y, x + Marker.Width(), y + Marker.Height()), G.Picture, Marker,
                   MenuMarkerTransparentColor);
}

void TqvSkinMenuSpeedButton::DrawArrow(TCanvas& C, TRect R, int Shift, TColor colour, bool active, bool down) {
    R.Left += Shift;
    R.Top += Shift;
    FLastArrowRect = R;
    if (FDrawStandardArrow) {
        DrawArrowImage(C, R, colour, FArrowType);
    } else if (FIndex != -1 && !Empty(MenuMarkerRect)) {
        const TRect m = down && !Empty(MenuMarkerDownRect) ? MenuMarkerDownRect
                        : active && !Empty(MenuMarkerActiveRect) ? MenuMarkerActiveRect
                                                                 : MenuMarkerRect;
        DrawMarker(C, R, m);
    } else {
        DrawSmallArrowMark(C, R, FMenuTracked ? DownFontColor : colour);
    }
}

bool TqvSkinMenuSpeedButton::DrawNewStyleParts(QImage& B, bool BodyDown, bool AMouseIn) {
    if (!FSD) return false;
    QString body = QStringLiteral("resizetoolbutton");
    if (FSD->GetControlIndex(body) == -1) body = QStringLiteral("resizebutton");
    if (FSD->GetControlIndex(body) == -1) return false;
    auto which = [](bool down, bool hot) { return down && hot ? 2 : hot ? 1 : 0; };
    auto drawPart = [&](const QString& name, int state, const TRect& dst) {
        if (dst.Width() <= 0 || dst.Height() <= 0) return;
        QImage img(dst.Width(), dst.Height(), QImage::Format_RGB32);
        if (ComposeButtonRecord(img, FSD, name, state, dst.Width(), dst.Height()))
            BitBlt(B, dst.Left, dst.Top, img.width(), img.height(), img, 0, 0);
    };
    const int W = B.width(), H = B.height();
    if (!FTrackButtonMode || !AMouseIn) {
        drawPart(body, which(BodyDown, AMouseIn), Rect(0, 0, W, H));
        return true;
    }
    // Hot in track-button mode: the drop-down part has a look of its own,
    // from its own record when the skin has one (the body then lies under it whole).
    const bool bottom = FTrackPosition == qvtpBottom;
    const QString track = bottom ? QStringLiteral("htracktoolbutton") : QStringLiteral("vtracktoolbutton");
    const bool own = FSD->GetControlIndex(track) != -1;
    const TRect bodyRect = own ? Rect(0, 0, W, H) : bottom ? Rect(0, 0, W, H - kTrack) : Rect(0, 0, W - kTrack, H);
    drawPart(body, which(BodyDown, true), bodyRect);
    drawPart(own ? track : body, which(FMenuTracked, true), TrackRect());
    return true;
}

void TqvSkinMenuSpeedButton::CreateStateImage(QImage& B, const TRect& R, bool ADown, bool AMouseIn) {
    const TStyle st = Style();
    if (st == stOwn) {
        if (FMenuTracked && FTrackButtonMode && !Empty(TrackButtonRect) && !Empty(DownSkinRect)) {
            TqvSkinSpeedButton::CreateStateImage(B, ActiveSkinRect, false, true);
            const TRect src = Rect(TrackButtonRect.Left + DownSkinRect.Left, TrackButtonRect.Top + DownSkinRect.Top,
                                   TrackButtonRect.Right + DownSkinRect.Left, TrackButtonRect.Bottom + DownSkinRect.Top);
            StretchBlt(B, TrackRect(), G.Picture, src);
        } else {
            TqvSkinSpeedButton::CreateStateImage(B, R, ADown, AMouseIn);
        }
        return;
    }
    const int W = B.width(), H = B.height();
    bool pressed = false;
    int shift = 0;
    if (st == stNew) {
        // The body is not shown pressed while its drop-down part holds the menu.
        pressed = ADown && AMouseIn && !(FTrackButtonMode && FMenuTracked);
        if (!DrawNewStyleParts(B, pressed, AMouseIn)) return;
        shift = ADown && AMouseIn && (!FTrackButtonMode || FMenuTracked) ? 1 : 0;
    } else {
        // 0 normal, 1 hot, 2 down, -1 nothing.
        int body, part;
        if (FMenuTracked && FTrackButtonMode) body = 1, part = 2;
        else if (ADown && AMouseIn) body = part = 2, pressed = true;
        else if (AMouseIn) body = part = 1;
        else if (!FFlat) body = part = 0;
        else body = part = -1;
        if (FTransparent && body == -1) {
            TCanvas c(&B);
            CopyParentBackground(this, c);
        }
        auto rectOf = [&](int which) { return which == 2 ? DownSkinRect : which == 1 ? ActiveSkinRect : G.SkinRect; };
        auto drawPart = [&](int which, const TRect& dst) {
            if (which < 0 || dst.Width() <= 0) return;
            QImage img(dst.Width(), dst.Height(), QImage::Format_RGB32);
            if (st == stTool) {
                ResizeSkinImage(img, G.Picture, rectOf(which), G.ClRect, true);
            } else {
                const TRect src = rectOf(which);
                const int dx = dst.Width() - G.SkinRect.Width(), dy = dst.Height() - G.SkinRect.Height();
                auto mv = [](TPoint p, int x, int y) { return TPoint{p.X + x, p.Y + y}; };
                TRect ncl = G.ClRect;
                ncl.Right += dx;
                ncl.Bottom += dy;
                ComposeSkinImage(G.LTPt, G.RTPt, G.LBPt, G.RBPt, G.ClRect, G.LTPt, mv(G.RTPt, dx, 0), mv(G.LBPt, 0, dy),
                                 mv(G.RBPt, dx, dy), ncl, img, G.Picture, src, dst.Width(), dst.Height(), true,
                                 G.LeftStretch, G.TopStretch, G.RightStretch, G.BottomStretch, G.StretchEffect,
                                 G.StretchType);
            }
            BitBlt(B, dst.Left, dst.Top, img.width(), img.height(), img, 0, 0);
        };
        if (FTrackButtonMode) {
            drawPart(body, Rect(0, 0, W - kTrack, H));
            drawPart(part, TrackRect());
        } else {
            drawPart(body, Rect(0, 0, W, H));
        }
        shift = (ADown && AMouseIn) || FMenuTracked ? 2 : 0;
    }
    TCanvas C(&B);
    SetCaptionFont(C);
    TColor colour = FontColor;
    if (Enabled() && !UseSkinFontColor()) colour = DefaultFont().Color();
    else if (!Enabled()) colour = DisabledFontColor;
    else if (pressed) colour = DownFontColor;
    else if (AMouseIn) colour = ActiveFontColor;
    C.Font().SetColor(colour);
    TRect content = G.NewClRect.Width() > 0 ? G.NewClRect : Rect(0, 0, W, H);
    if (st == stNew && FTrackPosition == qvtpBottom) content.Bottom = std::min(content.Bottom, H - kTrack);
    else content.Right = std::min(content.Right, W - kTrack);
    DrawContent(C, content, ADown, AMouseIn, pressed && !(FTrackButtonMode && FMenuTracked));
    DrawArrow(C, TrackRect(), shift, colour, AMouseIn, (ADown && AMouseIn) || FMenuTracked);
}

void TqvSkinMenuSpeedButton::CreateControlDefaultImage(QImage& B) {
    TCanvas C(&B);
    const int W = B.width(), H = B.height();
    const TRect tr = TrackRect();
    auto look = [&](const TRect& r, int which) {
        // 2 pressed, 1 hot, 0 normal with frame, -1 face only.
        if (which == 2 || which == 1) {
            C.Brush().SetColor(which == 2 ? RGB(133, 147, 181) : RGB(182, 189, 210));
            C.FillRect(r);
            C.Brush().SetColor(RGB(0, 0, 128));
            C.FrameRect(r);
        } else if (which == 0) {
            C.Brush().SetColor(clBtnFace);
            C.FillRect(r);
            C.Brush().SetColor(clBtnShadow);
            C.FrameRect(r);
        } else if (!FTransparent) {
            C.Brush().SetColor(clBtnFace);
            C.FillRect(r);
        } else {
            CopyParentBackground(this, C);
        }
    };
    const bool pressed = FDown && FMouseIn;
    const int normal = FFlat ? -1 : 0;
    const bool newStyle = Style() == stNew;
    // The new style splits off its drop-down part only under the pointer.
    if (FTrackButtonMode && (!newStyle || FMouseIn)) {
        int body = normal, part = normal;
        if (FMenuTracked) body = 1, part = 2;
        else if (pressed) body = part = 2;
        else if (FMouseIn) body = part = 1;
        look(Rect(0, 0, W, H), body);
        look(tr, part);
    } else {
        look(Rect(0, 0, W, H), FMenuTracked || pressed ? 2 : FMouseIn ? 1 : normal);
    }
    SetCaptionFont(C);
    C.Font().SetColor(Enabled() ? DefaultFont().Color() : clBtnShadow);
    TRect content = Rect(0, 0, W, H);
    if (newStyle && FTrackPosition == qvtpBottom) content.Bottom -= kTrack;
    else content.Right -= kTrack;
    DrawContent(C, content, FDown, FMouseIn, pressed && !(FTrackButtonMode && FMenuTracked));
    const bool shifted = newStyle ? pressed && (!FTrackButtonMode || FMenuTracked) : pressed || FMenuTracked;
    TRect a = tr;
    if (shifted) {
        a.Left += 2;
        a.Top += 2;
    }
    FLastArrowRect = a;
    DrawSmallArrowMark(C, a, clBtnText);
}

void TqvSkinMenuSpeedButton::PaintImage(QImage& B) {
    GetSkinData();
    if (FIndex == -1) {
        FLastState = FMenuTracked || (FDown && FMouseIn) ? 2 : FMouseIn ? 1 : 0;
        CreateControlDefaultImage(B);
        return;
    }
    if (FMouseIn || FDown || FMenuTracked || !FTransparent) {
        TqvSkinSpeedButton::PaintImage(B);
        return;
    }
    // Idle and transparent: the content and the flat marker over the parent.
    FLastState = 4;
    TCanvas C(&B);
    CopyParentBackground(this, C);
    SetCaptionFont(C);
    C.Font().SetColor(!Enabled() ? FSD->SkinColors().cBtnShadow()
                                 : UseSkinFontColor() ? FSD->SkinColors().cBtnText() : DefaultFont().Color());
    const bool own = Style() == stOwn;
    TRect content = own ? G.NewClRect : Rect(0, 0, Width() - kTrack, Height());
    if (!own && Style() == stNew && FTrackPosition == qvtpBottom) content = Rect(0, 0, Width(), Height() - kTrack);
    DrawContent(C, content, false, false, false);
    TRect a = own ? Rect(content.Right, content.Top, Width(), content.Bottom) : TrackRect();
    if (G.ResizeMode != 1) a.Left -= 2;
    FLastArrowRect = a;
    if (!Empty(MenuMarkerFlatRect)) DrawMarker(C, a, MenuMarkerFlatRect);
    else DrawSmallArrowMark(C, a, FSD->SkinColors().cBtnText());
}
