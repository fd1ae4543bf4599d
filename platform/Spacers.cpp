#include "platform/Spacers.h"

#include "platform/Application.h"
#include "platform/ExtCtrls.h"

#include <QMouseEvent>

#include <algorithm>

namespace {

bool Horizontal(TAlign a) { return a == alTop || a == alBottom; }

}  // namespace

// ---- TSplitter ----

TSplitter::TSplitter(QObject* AOwner) : TGraphicControl(AOwner) {
    SetAlign(alLeft);
    SetBounds(0, 0, 3, 100);
    UpdateCursor();
}

void TSplitter::SetBeveled(bool v) {
    FBeveled = v;
    update();
}

void TSplitter::UpdateCursor() { setCursor(Horizontal(Align()) ? Qt::SplitVCursor : Qt::SplitHCursor); }

void TSplitter::resizeEvent(QResizeEvent* e) {
    TGraphicControl::resizeEvent(e);
    UpdateCursor();  // the alignment may have changed with the size
}

TControl* TSplitter::FindControl() const {
    TWinControl* p = Parent();
    const TAlign a = Align();
    if (!p || (a != alLeft && a != alRight && a != alTop && a != alBottom)) return nullptr;
    for (TControl* c : p->Controls()) {
        if (c == this || !c->Visible() || c->Align() != a) continue;
        const bool touches = (a == alLeft && c->Left() + c->Width() == Left()) ||
                             (a == alRight && c->Left() == Left() + Width()) ||
                             (a == alTop && c->Top() + c->Height() == Top()) ||
                             (a == alBottom && c->Top() == Top() + Height());
        if (touches) return c;
    }
    return nullptr;
}

int TSplitter::MaxNeighbourSize() const {
    TWinControl* p = Parent();
    TRect r = p->ClientRect();
    p->AdjustClientRect(r);
    const bool horz = Horizontal(Align());
    int room = horz ? r.Height() : r.Width();
    for (TControl* c : p->Controls()) {
        if (c == FControl || !c->Visible()) continue;
        const TAlign a = c->Align();
        if (horz && (a == alTop || a == alBottom)) room -= c->Height();
        if (!horz && (a == alLeft || a == alRight)) room -= c->Width();
    }
    return room - FMinSize;
}

void TSplitter::mousePressEvent(QMouseEvent* e) {
    TGraphicControl::mousePressEvent(e);
    if (e->button() != Qt::LeftButton) return;
    FControl = FindControl();
    if (!FControl) return;
    const QPoint at = e->position().toPoint() + pos();
    FDownPos = Horizontal(Align()) ? at.y() : at.x();
    FOldSize = Horizontal(Align()) ? FControl->Height() : FControl->Width();
}

void TSplitter::mouseMoveEvent(QMouseEvent* e) {
    TGraphicControl::mouseMoveEvent(e);
    if (!FControl || !(e->buttons() & Qt::LeftButton)) return;
    const QPoint at = e->position().toPoint() + pos();
    const bool horz = Horizontal(Align());
    const int delta = (horz ? at.y() : at.x()) - FDownPos;
    const bool leading = Align() == alLeft || Align() == alTop;
    int size = FOldSize + (leading ? delta : -delta);
    const int most = MaxNeighbourSize();
    // A parent too small for both minimums leaves the neighbour as it is.
    if (most < FMinSize) return;
    size = std::clamp(size, FMinSize, most);
    if (size == (horz ? FControl->Height() : FControl->Width())) return;
    Application()->Guard([&] {
        if (horz) FControl->SetHeight(size);
        else FControl->SetWidth(size);
    });
}

void TSplitter::mouseReleaseEvent(QMouseEvent* e) {
    TGraphicControl::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton || !FControl) return;
    FControl = nullptr;
    Application()->Guard([&] {
        if (OnMoved) OnMoved(this);
    });
}

void TSplitter::Paint() { PaintPlain(Canvas()); }

void TSplitter::PaintPlain(TCanvas& C) {
    TRect r = ClientRect();
    C.Brush().SetColor(Color());
    C.FillRect(r);
    if (!FBeveled) return;
    // A raised ridge along the bar's length, one pixel in from its sides.
    if (Horizontal(Align())) InflateRect(r, 0, -1);
    else InflateRect(r, -1, 0);
    Frame3D(C, r, clBtnHighlight, clBtnShadow, 1);
}

// ---- TBevel ----

TBevel::TBevel(QObject* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape v) {
    FShape = v;
    update();
}

void TBevel::SetStyle(TBevelStyle v) {
    FStyle = v;
    update();
}

void TBevel::Paint() { PaintBevelShape(Canvas(), Width(), Height(), FShape, FStyle, clBtnHighlight, clBtnShadow); }

void PaintBevelShape(TCanvas& C, int W, int H, TBevelShape Shape, TBevelStyle Style, TColor Light, TColor Dark) {
    const TColor C1 = Style == TBevelStyle::bsLowered ? Dark : Light;
    const TColor C2 = Style == TBevelStyle::bsLowered ? Light : Dark;
    C.Pen().SetWidth(1);
    C.Pen().SetStyle(psSolid);
    C.Pen().SetMode(pmCopy);
    auto frame = [&](TRect R, TColor a, TColor b) {
        C.Pen().SetColor(a);
        C.Polyline({{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}});
        C.Pen().SetColor(b);
        C.Polyline({{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}});
    };
    auto line = [&](TColor c, int x0, int y0, int x1, int y1) {
        C.Pen().SetColor(c);
        C.MoveTo(x0, y0);
        C.LineTo(x1, y1);
    };
    switch (Shape) {
    case TBevelShape::bsBox: frame(Rect(0, 0, W - 1, H - 1), C1, C2); break;
    case TBevelShape::bsFrame:
        frame(Rect(1, 1, W - 1, H - 1), C2, C2);
        frame(Rect(0, 0, W - 2, H - 2), C1, C1);
        break;
    case TBevelShape::bsTopLine:
        line(C1, 0, 0, W, 0);
        line(C2, 0, 1, W, 1);
        break;
    case TBevelShape::bsBottomLine:
        line(C1, 0, H - 2, W, H - 2);
        line(C2, 0, H - 1, W, H - 1);
        break;
    case TBevelShape::bsLeftLine:
        line(C1, 0, 0, 0, H);
        line(C2, 1, 0, 1, H);
        break;
    case TBevelShape::bsRightLine:
        line(C1, W - 2, 0, W - 2, H);
        line(C2, W - 1, 0, W - 1, H);
        break;
    case TBevelShape::bsSpacer: break;
    }
}
