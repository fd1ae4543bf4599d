#include "skin/controls/scrollbox/SkinScrollBox.h"

#include "platform/Application.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/SkinTypes.h"
#include "skin/model/draw/SkinCompose.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

QImage ModelPicture(const TqvSkinData& model, int index) {
    if (index < 0 || index >= int(model.FActivePictures.size())) return {};
    return model.FActivePictures[std::size_t(index)];
}

}  // namespace

TqvScrollBoxClient::TqvScrollBoxClient(TqvSkinScrollBox* box) : QWidget(box), FBox(box) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TqvScrollBoxClient::paintEvent(QPaintEvent*) {
    QImage img;
    Application()->Guard([&] { img = FBox->BuildClientImage(); });
    if (img.isNull()) return;
    QPainter p(this);
    p.drawImage(0, 0, img);
}

TqvSkinScrollBox::TqvSkinScrollBox(QObject* AOwner)
    : TqvSkinCustomControl(AOwner), FClient(new TqvScrollBoxClient(this)) {
    SetSkinDataName(QStringLiteral("scrollbox"));
    SetBounds(0, 0, 150, 150);
    PlaceClient();
}

void TqvSkinScrollBox::GetSkinData() {
    TqvSkinCustomControl::GetSkinData();
    const auto* r = dynamic_cast<const TqvDataSkinScrollBoxControl*>(Record());
    FBGPictureIndex = r ? r->BGPictureIndex : -1;
}

TRect TqvSkinScrollBox::FrameSize() {
    GetSkinData();
    if (FIndex == -1) {
        const int w = FBorderStyle == bvNone ? 0 : 1;
        return Rect(w, w, w, w);
    }
    if (FBGPictureIndex != -1 || FBorderStyle == bvNone) return {};
    return Rect(G.ClRect.Left, G.ClRect.Top, G.SkinWidth() - G.ClRect.Right, G.SkinHeight() - G.ClRect.Bottom);
}

void TqvSkinScrollBox::PlaceClient() {
    const TRect m = FrameSize();
    const int w = std::max(0, Width() - m.Left - m.Right), h = std::max(0, Height() - m.Top - m.Bottom);
    FClient->setGeometry(m.Left, m.Top, w, h);
    FClient->update();
    update();
}

TRect TqvSkinScrollBox::ClientRect() const { return Rect(0, 0, FClient->width(), FClient->height()); }

void TqvSkinScrollBox::AdjustClientRect(TRect& rect) {
    // Aligned children lay out over the whole scrolled area.
    const int hp = FHScrollBar ? FHScrollBar->Position() : 0;
    const int vp = FVScrollBar ? FVScrollBar->Position() : 0;
    const TRect c = ClientRect();
    const int w = FHScrollBar && FHScrollBar->Visible() ? std::max(FHScrollBar->Max(), c.Width()) : c.Width();
    const int h = FVScrollBar && FVScrollBar->Visible() ? std::max(FVScrollBar->Max(), c.Height()) : c.Height();
    rect = Bounds(-hp, -vp, w, h);
}

void TqvSkinScrollBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const int oldW = Width(), oldH = Height();
    TqvSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!FClient) return;  // still constructing
    PlaceClient();
    // The base aligned the children before the client area took its new size.
    if (Width() != oldW || Height() != oldH) Realign();
    FHSizeOffset = oldW != 0 && Width() > oldW ? Width() - oldW : 0;
    GetHRange();
    FVSizeOffset = oldH != 0 && Height() > oldH ? Height() - oldH : 0;
    GetVRange();
}

void TqvSkinScrollBox::ChangeSkinData() {
    TqvSkinCustomControl::ChangeSkinData();
    PlaceClient();
    // The bars realign beside the box's new frame.
    for (TqvSkinScrollBar* bar : {FVScrollBar.data(), FHScrollBar.data()})
        if (bar && bar->Align() != alNone && bar->Parent()) bar->Parent()->Realign();
}

void TqvSkinScrollBox::SetBorderStyle(TqvSkinBorderStyle v) {
    FBorderStyle = v;
    PlaceClient();
    UpDateScrollRange();
}

void TqvSkinScrollBox::SetCanFocused(bool v) {
    FCanFocused = v;
    setFocusPolicy(v ? Qt::ClickFocus : Qt::NoFocus);
}

void TqvSkinScrollBox::mousePressEvent(QMouseEvent* e) {
    if (FCanFocused && e->button() == Qt::LeftButton && !hasFocus()) {
        setFocus(Qt::MouseFocusReason);
        // A press the focus did not follow is dropped.
        if (!hasFocus()) return;
    }
    TqvSkinCustomControl::mousePressEvent(e);
}

// ---- bars ----

void TqvSkinScrollBox::TakeOver(TqvSkinScrollBar* bar, bool vertical) {
    if (!bar) return;
    bar->SetCanFocused(false);
    bar->SetEnabled(true);
    bar->SetVisible(false);
    bar->OnChange = [this, vertical](QObject*) {
        if (vertical) {
            ScrollVertBy(FVScrollBar->Position() - FOldVScrollBarPos);
            FOldVScrollBarPos = FVScrollBar->Position();
        } else {
            ScrollHorzBy(FHScrollBar->Position() - FOldHScrollBarPos);
            FOldHScrollBarPos = FHScrollBar->Position();
        }
    };
    bar->OnLastChange = [this](QObject*) { FClient->update(); };
}

void TqvSkinScrollBox::SetVScrollBar(TqvSkinScrollBar* v) {
    FVScrollBar = v;
    TakeOver(v, true);
    GetVRange();
}

void TqvSkinScrollBox::SetHScrollBar(TqvSkinScrollBar* v) {
    FHScrollBar = v;
    TakeOver(v, false);
    GetHRange();
}

void TqvSkinScrollBox::VScroll(int APosition) {
    if (!FVScrollBar) return;
    if (FVScrollBar->PageSize() != 0) APosition = std::min(APosition, FVScrollBar->Max() - FVScrollBar->PageSize());
    FVScrollBar->SetPosition(APosition);
}

void TqvSkinScrollBox::HScroll(int APosition) {
    if (FHScrollBar) FHScrollBar->SetPosition(APosition);
}

void TqvSkinScrollBox::ScrollChildren(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    // Free children move through SetBounds so their anchors follow; aligned
    // ones are placed by the realign over the scrolled client area.
    DisableAlign();
    for (TControl* c : Controls())
        if (c->Align() == alNone) c->SetBounds(c->Left() - dx, c->Top() - dy, c->Width(), c->Height());
    EnableAlign();
    if (FIndex != -1 && G.StretchEffect) FClient->update();
}

void TqvSkinScrollBox::ScrollVertBy(int D) { ScrollChildren(0, D); }
void TqvSkinScrollBox::ScrollHorzBy(int D) { ScrollChildren(D, 0); }

void TqvSkinScrollBox::GetVRange() { GetRange(true); }
void TqvSkinScrollBox::GetHRange() { GetRange(false); }

void TqvSkinScrollBox::UpDateScrollRange() {
    GetHRange();
    GetVRange();
}

void TqvSkinScrollBox::ShowBar(TqvSkinScrollBar* bar, bool show) {
    FInCheckScrollBars = true;
    bar->SetVisible(show);
    if (Align() != alNone) {
        if (TWinControl* p = Parent()) p->Realign();
        Realign();
    }
    FInCheckScrollBars = false;
}

void TqvSkinScrollBox::GetRange(bool vertical) {
    TqvSkinScrollBar* bar = vertical ? FVScrollBar.data() : FHScrollBar.data();
    if (!bar || !Parent() || FInCheckScrollBars) return;
    int& sizeOffset = vertical ? FVSizeOffset : FHSizeOffset;
    int& oldPos = vertical ? FOldVScrollBarPos : FOldHScrollBarPos;
    const TRect cr = ClientRect();
    const int C = vertical ? cr.Height() : cr.Width();
    int B = 0;
    for (TControl* c : Controls())
        if (c->Visible()) B = std::max(B, vertical ? c->Top() + c->Height() : c->Left() + c->Width());
    const int P = bar->Position();
    // Moves the content back towards its start (down or right) by d.
    auto back = [&](int d) { vertical ? ScrollVertBy(-d) : ScrollHorzBy(-d); };
    bool show = bar->Visible();
    if (C < B + P) {
        show = true;
        const int M = P + B - 1;
        if (P > 0 && B < C && sizeOffset > 0) {
            // The box grew while scrolled: pull the content down by the growth.
            sizeOffset = std::min(sizeOffset, P);
            bar->SetRange(0, M, P - sizeOffset, C);
            back(sizeOffset);
        } else if (sizeOffset == 0 && M < bar->Max() && P > 0 && B < C) {
            const int d = std::min(P, C - B);
            bar->SetRange(0, M, P - d, C);
            back(d);
        } else {
            bar->SetRange(0, M, P, C);
        }
        sizeOffset = 0;
        oldPos = bar->Position();
    } else {
        bar->SetRange(0, 0, 0, 0);
        if (P > 0) back(P);
        sizeOffset = 0;
        oldPos = 0;
        show = false;
    }
    if (show != bar->Visible()) ShowBar(bar, show);
    if (FVScrollBar && FHScrollBar) FHScrollBar->SetBoth(FVScrollBar->Visible());
}

void TqvSkinScrollBox::VisibleChanged() {
    TqvSkinCustomControl::VisibleChanged();
    for (TqvSkinScrollBar* bar : {FVScrollBar.data(), FHScrollBar.data()})
        if (bar) bar->SetVisible(Visible());
}

// ---- pictures ----

void TqvSkinScrollBox::PaintImage(QImage& B) {
    GetSkinData();
    TCanvas C(&B);
    C.Brush().SetColor(Color());
    C.FillRect(Rect(0, 0, B.width(), B.height()));
    PaintFrame(B);
}

bool TqvSkinScrollBox::PaintFrameInto(WPARAM dc) {
    GetSkinData();
    if (!dc || FBGPictureIndex != -1 || FBorderStyle == bvNone) return false;
    PaintFrame(*reinterpret_cast<QImage*>(dc));
    return true;
}

void TqvSkinScrollBox::WndProc(TMessage& message) {
    if (message.Msg == WM_SKIN_PAINT_FRAME) {
        message.Result = PaintFrameInto(message.WParam) ? SKIN_ANSWER_FRAME_PAINTED : 0;
        return;
    }
    if (message.Msg == WM_SKIN_PAINT_FRAME_EX && message.LParam == SKIN_PAINT_FRAME_EX_KEY) {
        PaintFrameInto(message.WParam);
        message.Result = SKIN_PAINT_FRAME_EX_KEY;
        return;
    }
    TqvSkinCustomControl::WndProc(message);
}

void TqvSkinScrollBox::PaintFrame(QImage& B) {
    const int W = Width(), H = Height();
    if (FIndex == -1) {
        if (FBorderStyle == bvNone) return;
        TColor tl = clBtnShadow, br = clBtnShadow;
        if (FBorderStyle == bvRaised) br = clBtnHighlight;
        else if (FBorderStyle == bvLowered) tl = clBtnHighlight;
        TCanvas C(&B);
        C.Brush().SetColor(tl);
        C.FillRect(Rect(0, 0, W, 1));
        C.FillRect(Rect(0, 0, 1, H));
        C.Brush().SetColor(br);
        C.FillRect(Rect(0, H - 1, W, H));
        C.FillRect(Rect(W - 1, 0, W, H));
        return;
    }
    if (FBGPictureIndex != -1 || FBorderStyle == bvNone || G.Picture.isNull()) return;
    const int dW = W - G.SkinWidth(), dH = H - G.SkinHeight();
    TRect cl = G.ClRect;
    cl.Right += dW;
    cl.Bottom += dH;
    QImage left, top, right, bottom;
    ComposeSkinFrameImage(G.LTPt, G.RTPt, G.LBPt, G.RBPt, G.ClRect, G.LTPt, Point(G.RTPt.X + dW, G.RTPt.Y),
                          Point(G.LBPt.X, G.LBPt.Y + dH), Point(G.RBPt.X + dW, G.RBPt.Y + dH), cl, left, top, right,
                          bottom, G.Picture, G.SkinRect, W, H, G.LeftStretch, G.TopStretch, G.RightStretch,
                          G.BottomStretch);
    BitBlt(B, 0, 0, top.width(), top.height(), top, 0, 0);
    BitBlt(B, 0, top.height(), left.width(), left.height(), left, 0, 0);
    BitBlt(B, W - right.width(), top.height(), right.width(), right.height(), right, 0, 0);
    BitBlt(B, 0, H - bottom.height(), bottom.width(), bottom.height(), bottom, 0, 0);
}

QImage TqvSkinScrollBox::BuildClientImage() {
    const int cw = FClient->width(), ch = FClient->height();
    if (cw <= 0 || ch <= 0) return {};
    QImage B = NewSkinImage(cw, ch);
    TCanvas C(&B);
    C.Brush().SetColor(Color());
    C.FillRect(Rect(0, 0, cw, ch));
    GetSkinData();
    if (FIndex == -1) return B;
    QImage part;
    if (FBGPictureIndex != -1) {
        part = ModelPicture(*FSD, FBGPictureIndex);
    } else if (!G.Picture.isNull()) {
        TRect src = G.ClRect;
        OffsetRect(src, G.SkinRect.Left, G.SkinRect.Top);
        part = G.Picture.copy(src.ToQRect());
    }
    const int pw = part.width(), ph = part.height();
    // A part without pixels has nothing to stretch or repeat.
    if (part.isNull() || pw <= 0 || ph <= 0) return B;
    const TRect whole = Rect(0, 0, pw, ph);
    const int W = Width(), H = Height();
    if (G.StretchEffect) {
        switch (G.StretchType) {
        case qvstFull: StretchBlt(B, Rect(0, 0, W, H), part, whole); break;
        case qvstHorz:
            for (int i = 0; i <= W / pw; ++i) StretchBlt(B, Bounds(i * pw, 0, pw, H), part, whole);
            break;
        case qvstVert:
            for (int i = 0; i <= H / ph; ++i) StretchBlt(B, Bounds(0, i * ph, W, ph), part, whole);
            break;
        }
    } else {
        for (int x = 0; x <= cw / pw; ++x)
            for (int y = 0; y <= ch / ph; ++y) BitBlt(B, x * pw, y * ph, pw, ph, part, 0, 0);
    }
    return B;
}
