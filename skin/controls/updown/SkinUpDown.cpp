#include "skin/controls/updown/SkinUpDown.h"

#include "platform/Application.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <QMouseEvent>

namespace {

constexpr int kFirstWait = 500;  // the first step comes one repeat later
constexpr int kRepeat = 100;
constexpr int kReentered = 50;

bool Empty(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }

QImage ModelPicture(const TqvSkinData& model, int index) {
    if (index < 0 || index >= int(model.FActivePictures.size())) return {};
    return model.FActivePictures[std::size_t(index)];
}

}  // namespace

TqvSkinUpDown::TqvSkinUpDown(QObject* AOwner) : TqvSkinCustomControl(AOwner) {
    SetSkinDataName(QStringLiteral("hupdown"));
    setMouseTracking(true);
    SetBounds(0, 0, 50, 25);
}

void TqvSkinUpDown::SetUseSkinSize(bool v) {
    if (v == FUseSkinSize) return;
    FUseSkinSize = v;
    ChangeSkinData();
}

void TqvSkinUpDown::SetOrientation(TqvUpDownOrientation v) {
    FOrientation = v;
    CalcButtonRects();
    update();
}

void TqvSkinUpDown::SetPosition(int v) {
    if (v < FMin || v > FMax) return;
    FPosition = v;
    if (OnChange) OnChange(this);
}

void TqvSkinUpDown::SetMin(int v) {
    FMin = v;
    if (FPosition < v) FPosition = v;
}

void TqvSkinUpDown::SetMax(int v) {
    FMax = v;
    if (FPosition > v) FPosition = v;
}

void TqvSkinUpDown::GetSkinData() {
    TqvSkinCustomControl::GetSkinData();
    const auto* r = dynamic_cast<const TqvDataSkinUpDownControl*>(Record());
    FHasRecord = r != nullptr;
    if (r) {
        FUpButtonRect = r->UpButtonRect;
        FActiveUpButtonRect = r->ActiveUpButtonRect;
        FDownUpButtonRect = Empty(r->DownUpButtonRect) ? r->ActiveUpButtonRect : r->DownUpButtonRect;
        FDownButtonRect = r->DownButtonRect;
        FActiveDownButtonRect = r->ActiveDownButtonRect;
        FDownDownButtonRect = Empty(r->DownDownButtonRect) ? r->ActiveDownButtonRect : r->DownDownButtonRect;
    }
    CalcButtonRects();
}

void TqvSkinUpDown::AdjustSkinSize(int& AWidth, int& AHeight) {
    if (FUseSkinSize) TqvSkinCustomControl::AdjustSkinSize(AWidth, AHeight);
}

void TqvSkinUpDown::UpdateSkinRegion() {
    if (FUseSkinSize) {
        TqvSkinCustomControl::UpdateSkinRegion();
        return;
    }
    if (HasSkinRegion()) clearMask();
}

void TqvSkinUpDown::CalcButtonRects() {
    const int W = Width(), H = Height();
    if (FIndex != -1 && FHasRecord && FUseSkinSize) {
        Buttons[0].R = FUpButtonRect;
        Buttons[1].R = FDownButtonRect;
    } else if (FOrientation == udVertical) {
        Buttons[0].R = Rect(0, 0, W, H / 2);
        Buttons[1].R = Rect(0, H / 2, W, H);
    } else {
        Buttons[1].R = Rect(0, 0, W / 2, H);
        Buttons[0].R = Rect(W / 2, 0, W, H);
    }
}

void TqvSkinUpDown::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TqvSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    CalcButtonRects();
}

int TqvSkinUpDown::ArrowKind(int i) const {
    if (FOrientation == udVertical) return i == 0 ? 3 : 4;
    return i == 0 ? 2 : 1;
}

// ---- pictures ----

void TqvSkinUpDown::CreateControlSkinImage(QImage& B) {
    if (!FUseSkinSize || !FHasRecord) {
        for (int i = 0; i < 2; ++i) DrawResizeButton(B, i);
        return;
    }
    TqvSkinCustomControl::CreateControlSkinImage(B);
    for (int i = 0; i < 2; ++i) DrawButton(B, i);
}

void TqvSkinUpDown::CreateControlDefaultImage(QImage& B) {
    CalcButtonRects();
    for (int i = 0; i < 2; ++i) DrawButton(B, i);
}

void TqvSkinUpDown::DrawButton(QImage& B, int i) {
    const TButton& b = Buttons[i];
    TCanvas C(&B);
    if (FIndex == -1 || !FHasRecord) {
        TColor frame = clBtnShadow, fill = clBtnFace;
        if (b.Down && b.MouseIn) frame = RGB(0, 0, 128), fill = RGB(133, 147, 181);
        else if (b.MouseIn) frame = RGB(0, 0, 128), fill = RGB(182, 189, 210);
        C.Brush().SetColor(frame);
        C.FillRect(b.R);
        TRect inner = b.R;
        InflateRect(inner, -1, -1);
        C.Brush().SetColor(fill);
        C.FillRect(inner);
        DrawArrowImage(C, b.R, clBlack, ArrowKind(i));
        return;
    }
    TRect src{};
    if (b.Down && b.MouseIn) src = i == 0 ? FDownUpButtonRect : FDownDownButtonRect;
    else if (b.MouseIn) src = i == 0 ? FActiveUpButtonRect : FActiveDownButtonRect;
    // The normal look is already in the record's picture.
    if (Empty(src) || G.Picture.isNull()) return;
    C.CopyRect(b.R, G.Picture, src);
}

void TqvSkinUpDown::DrawResizeButton(QImage& B, int i) {
    const TButton& b = Buttons[i];
    const int bw = b.R.Width(), bh = b.R.Height();
    if (bw <= 0 || bh <= 0) return;
    QImage part(bw, bh, QImage::Format_RGB32);
    part.fill(ColorToQColor(clBtnFace));
    const int index = FSD ? FSD->GetControlIndex(QStringLiteral("resizebutton")) : -1;
    const auto* r = index < 0 ? nullptr
                              : dynamic_cast<const TqvDataSkinButtonControl*>(FSD->CtrlList[std::size_t(index)].get());
    const QImage picture = r ? ModelPicture(*FSD, r->PictureIndex) : QImage();
    if (!r || picture.isNull()) {
        BitBlt(B, b.R.Left, b.R.Top, bw, bh, part, 0, 0);
        return;
    }
    const bool pressed = b.Down && b.MouseIn;
    const TRect hot = Empty(r->ActiveSkinRect) ? r->SkinRect : r->ActiveSkinRect;
    const TRect down = Empty(r->DownSkinRect) ? hot : r->DownSkinRect;
    const TRect src = pressed ? down : b.MouseIn ? hot : r->SkinRect;
    const int dW = bw - r->SkinRect.Width(), dH = bh - r->SkinRect.Height();
    TRect cl = r->ClRect;
    cl.Right += dW;
    cl.Bottom += dH;
    ComposeSkinImage(r->LTPoint, r->RTPoint, r->LBPoint, r->RBPoint, r->ClRect, r->LTPoint,
                     Point(r->RTPoint.X + dW, r->RTPoint.Y), Point(r->LBPoint.X, r->LBPoint.Y + dH),
                     Point(r->RBPoint.X + dW, r->RBPoint.Y + dH), cl, part, picture, src, bw, bh, true,
                     r->LeftStretch, r->TopStretch, r->RightStretch, r->BottomStretch, r->StretchEffect,
                     r->StretchType);
    if (part.size() != QSize(bw, bh)) part = part.copy(0, 0, bw, bh);
    BitBlt(B, b.R.Left, b.R.Top, bw, bh, part, 0, 0);
    TCanvas C(&B);
    TRect ar = b.R;
    if (pressed) ar.Left += 2, ar.Top += 2;
    DrawArrowImage(C, ar, pressed ? r->DownFontColor : b.MouseIn ? r->ActiveFontColor : r->FontColor, ArrowKind(i));
}

// ---- pointer ----

void TqvSkinUpDown::TestActive(int X, int Y) {
    FOldActiveButton = FActiveButton;
    FActiveButton = -1;
    for (int i = 0; i < 2; ++i)
        if (Buttons[i].R.Contains(Point(X, Y))) {
            FActiveButton = i;
            break;
        }
    // While one button is held the other never lights.
    if (FCaptureButton != -1 && FActiveButton != FCaptureButton) FActiveButton = -1;
    if (FActiveButton == FOldActiveButton) return;
    if (FOldActiveButton != -1) ButtonLeave(FOldActiveButton);
    if (FActiveButton != -1) ButtonEnter(FActiveButton);
}

void TqvSkinUpDown::ButtonLeave(int i) {
    Buttons[i].MouseIn = false;
    update();
    if (FIncrement != 0 && Buttons[i].Down) FTimer.Stop();
}

void TqvSkinUpDown::ButtonEnter(int i) {
    Buttons[1 - i].MouseIn = false;
    Buttons[i].MouseIn = true;
    update();
    if (FIncrement != 0 && Buttons[i].Down) FTimer.Start(kReentered, [this] { TimerTick(); });
}

void TqvSkinUpDown::ButtonDown(int i) {
    Buttons[i].MouseIn = true;
    Buttons[i].Down = true;
    update();
    if (FIncrement == 0) return;
    FTimerMode = i == 0 ? 2 : 1;
    FWaitMode = true;
    FTimer.Start(kFirstWait, [this] { TimerTick(); });
}

void TqvSkinUpDown::ButtonUp(int i, bool pointerOn) {
    if (FIncrement != 0) {
        FTimer.Stop();
        FTimerMode = 0;
    }
    Buttons[i].Down = false;
    if (!pointerOn) Buttons[i].MouseIn = false;
    update();
    if (!pointerOn) return;
    if (i == 0) {
        if (FIncrement != 0) SetPosition(FPosition + FIncrement);
        if (OnUpButtonClick) OnUpButtonClick(this);
    } else {
        if (FIncrement != 0) SetPosition(FPosition - FIncrement);
        if (OnDownButtonClick) OnDownButtonClick(this);
    }
}

void TqvSkinUpDown::TimerTick() {
    if (FWaitMode) {
        FWaitMode = false;
        FTimer.Start(kRepeat, [this] { TimerTick(); });
        return;
    }
    Application()->Guard([&] {
        if (FTimerMode == 1) SetPosition(FPosition - FIncrement);
        else if (FTimerMode == 2) SetPosition(FPosition + FIncrement);
    });
}

void TqvSkinUpDown::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    Application()->Guard([&] {
        TestActive(p.x(), p.y());
        Buttons[FActiveButton == 0 ? 1 : 0].MouseIn = false;
        if (FActiveButton != -1) {
            FCaptureButton = FActiveButton;
            ButtonDown(FActiveButton);
        }
    });
    TqvSkinCustomControl::mousePressEvent(e);
}

void TqvSkinUpDown::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    Application()->Guard([&] { TestActive(p.x(), p.y()); });
    TqvSkinCustomControl::mouseMoveEvent(e);
}

void TqvSkinUpDown::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    Application()->Guard([&] {
        if (FCaptureButton != -1) {
            const int held = FCaptureButton;
            FCaptureButton = -1;
            ButtonUp(held, Buttons[held].R.Contains(Point(p.x(), p.y())));
        }
    });
    TqvSkinCustomControl::mouseReleaseEvent(e);
}

void TqvSkinUpDown::MouseEnter() {
    FActiveButton = FOldActiveButton = -1;
    TqvSkinCustomControl::MouseEnter();
}

void TqvSkinUpDown::MouseLeave() {
    FActiveButton = FOldActiveButton = -1;
    TqvSkinCustomControl::MouseLeave();
    for (TButton& b : Buttons) b.MouseIn = false;
    update();
}
