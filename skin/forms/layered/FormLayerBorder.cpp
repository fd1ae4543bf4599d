#include "skin/forms/layered/FormLayerBorder.h"

#include "platform/Application.h"
#include "platform/Form.h"
#include "skin/forms/Velmora.h"
#include "skin/model/SkinData.h"
#include "skin/model/draw/TextEffects.h"

#include <QMouseEvent>
#include <QWindow>

namespace {

constexpr std::array<TqvFormLayerBorderType, 4> kSides = {qvflLeft, qvflTop, qvflRight, qvflBottom};
// The fade-in takes a step whenever more than 5 ms have passed.
constexpr int kAnimationInterval = 6;

bool IsZone(TqvFormLayerBorderHit h) { return h != qvflhNone; }

Qt::CursorShape ZoneCursor(TqvFormLayerBorderHit h) {
    switch (h) {
    case qvflhLeft:
    case qvflhRight: return Qt::SizeHorCursor;
    case qvflhTop:
    case qvflhBottom: return Qt::SizeVerCursor;
    case qvflhTopLeft:
    case qvflhBottomRight: return Qt::SizeFDiagCursor;
    case qvflhTopRight:
    case qvflhBottomLeft: return Qt::SizeBDiagCursor;
    default: return Qt::ArrowCursor;
    }
}

// A picture of the skin's list by index, or a null image.
QImage SkinPicture(const TqvSkinData& sd, int index) {
    return index >= 0 && index < int(sd.FActivePictures.size()) ? sd.FActivePictures[std::size_t(index)] : QImage();
}

// The picture with its alpha from the mask's grey levels; a picture without a
// mask is opaque.
std::unique_ptr<TqvBitmap> PictureWithAlpha(const TqvSkinData& sd, int pictureIndex, int maskIndex) {
    const QImage pic = SkinPicture(sd, pictureIndex);
    if (pic.isNull()) return nullptr;
    auto b = std::make_unique<TqvBitmap>();
    b->Assign(pic.convertToFormat(QImage::Format_RGB32));
    const QImage maskPic = SkinPicture(sd, maskIndex);
    if (!maskPic.isNull()) {
        TqvBitmap mask;
        mask.Assign(maskPic.convertToFormat(QImage::Format_RGB32));
        MaskToAlpha(*b, mask);
    }
    b->CheckingAlphaBlend();
    return b;
}

}  // namespace

// ---- the side window

TqvFormLayerWindow::TqvFormLayerWindow(TqvFormLayerBorder* ALayerBorder, TForm* AForm,
                                       TqvFormLayerBorderType ABorderType)
    : TqvLayerWindow(false), BorderType(ABorderType), FForm(AForm), FLayerBorder(ALayerBorder) {
    const TqvDataSkinLayerFrame* d = ALayerBorder->Data();
    const bool passThrough = !d || IsNullRect(d->BorderRect);
    const bool onTop = AForm && AForm->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    // Qt keeps a window transparent for input while this attribute is set.
    setAttribute(Qt::WA_TransparentForMouseEvents, passThrough);
    // A tool window (no task-bar button) the window manager stacks with the form.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                   (passThrough ? Qt::WindowTransparentForInput : Qt::Widget) |
                   (onTop ? Qt::WindowStaysOnTopHint : Qt::Widget));
    setMouseTracking(!passThrough);
    if (AForm && AForm->windowHandle()) {
        create();
        if (windowHandle()) windowHandle()->setTransientParent(AForm->windowHandle());
    }
}

TqvFormLayerBorderHit TqvFormLayerWindow::GetHitMode(QPoint P) const {
    if (!FForm) return qvflhNone;
    return LayerHitMode(BorderType, P, FForm->geometry(), FLayerBorder->Bands());
}

bool TqvFormLayerWindow::CanSize() const {
    const TqvVelmora* q = FLayerBorder->QVF();
    return FForm && q->CanResizeForm() && !q->RollUpState() && q->WindowState() == wsNormal;
}

void TqvFormLayerWindow::mousePressEvent(QMouseEvent* e) {
    Application()->Guard([&] {
        const TqvDataSkinLayerFrame* d = FLayerBorder->Data();
        if (!d || !d->HitTestEnable || !FForm) return;
        const QPoint p = e->globalPosition().toPoint();
        FHitMode = GetHitMode(p);
        // A press on the band brings an inactive form forward; the shadow does not.
        if (IsZone(FHitMode) && !FLayerBorder->QVF()->GetFormActive()) {
            FForm->raise();
            FForm->activateWindow();
        }
        if (!CanSize()) return;
        FDown = IsZone(FHitMode);
        MousePos1 = MousePos2 = p;
    });
}

void TqvFormLayerWindow::mouseMoveEvent(QMouseEvent* e) {
    Application()->Guard([&] {
        const TqvDataSkinLayerFrame* d = FLayerBorder->Data();
        if (!d || !d->HitTestEnable || !FForm) return;
        TqvVelmora* q = FLayerBorder->QVF();
        if (!CanSize()) {
            unsetCursor();
            return;
        }
        MousePos2 = e->globalPosition().toPoint();
        const QPoint delta = MousePos2 - MousePos1;
        if (!FDown) {
            q->SetBorderLayerChangeSize(false);
            FHitMode = GetHitMode(MousePos2);
            setCursor(ZoneCursor(FHitMode));
        } else {
            q->SetBorderLayerChangeSize(true);
            const QSize lo(q->GetMinWidth(), q->GetMinHeight()), hi(q->GetMaxWidth(), q->GetMaxHeight());
            if (auto r = LayerBandResize(FHitMode, FForm->geometry(), delta.x(), delta.y(), lo, hi))
                FForm->SetBounds(r->x(), r->y(), r->width(), r->height());
        }
        MousePos1 = MousePos2;
    });
}

void TqvFormLayerWindow::mouseReleaseEvent(QMouseEvent*) {
    Application()->Guard([&] {
        FLayerBorder->QVF()->SetBorderLayerChangeSize(false);
        FDown = false;
    });
}

// ---- the border

TqvFormLayerBorder::TqvFormLayerBorder(TqvVelmora* AOwner) : TComponent(AOwner), FQVF(AOwner) {}

TqvFormLayerBorder::~TqvFormLayerBorder() {
    FAnimation.Stop();
    Hide();
}

void TqvFormLayerBorder::InitFrame(TqvSkinData* ASkinData, TForm* AForm) {
    FForm = AForm;
    FSD = ASkinData;
    FData.reset();
    FSourceBitmap.reset();
    FSourceInActiveBitMap.reset();
    FBands = {};
    if (!ASkinData || ASkinData->Empty || ASkinData->LayerFrame.PictureIndex == -1) return;
    const TqvDataSkinLayerFrame& d = ASkinData->LayerFrame;
    FSourceBitmap = PictureWithAlpha(*ASkinData, d.PictureIndex, d.MaskPictureIndex);
    // A record naming a picture the skin lacks counts as none.
    if (!FSourceBitmap) return;
    FData = d;
    FCurrentAlphaBlendValue = d.AlphaBlendValue;
    FCurrentInActiveAlphaBlendValue = d.InActiveAlphaBlendValue;
    if (d.InActivePictureIndex != -1)
        FSourceInActiveBitMap = PictureWithAlpha(*ASkinData, d.InActivePictureIndex, d.InActiveMaskPictureIndex);
    FBands = LayerBandSizes(d);
}

QRect TqvFormLayerBorder::FrameFor(const QRect& Form) const {
    return LayerFrameRect(*FData, QSize(FSourceBitmap->Width(), FSourceBitmap->Height()), Form);
}

void TqvFormLayerBorder::MakeBorderImages(int AWidth, int AHeight) {
    const TqvBitmap& s = !FActive && FSourceInActiveBitMap ? *FSourceInActiveBitMap : *FSourceBitmap;
    MakeLayerSideImages(s, *FData, AWidth, AHeight, FImages);
}

void TqvFormLayerBorder::PlaceWindows(int X, int Y) {
    const QRect frame(X, Y, FWidth, FHeight);
    const int th = FImages.Of(qvflTop).Height(), bh = FImages.Of(qvflBottom).Height(), rw = FImages.Of(qvflRight).Width();
    for (TqvFormLayerBorderType side : kSides)
        if (TqvFormLayerWindow* w = Window(side); w && !FImages.Of(side).Empty()) {
            w->move(LayerWindowPlace(side, frame, th, bh, rw));
            w->raise();
            // Without a compositor a translucent window shows as a black box.
            if (LayeredWindowsAvailable()) w->show();
        }
}

void TqvFormLayerBorder::Show(int X, int Y, int AWidth, int AHeight) {
    if (!FData) return;
    FWidth = AWidth;
    FHeight = AHeight;
    FVisible = true;
    MakeBorderImages(AWidth, AHeight);
    for (auto& w : FWindows) w.reset();
    for (TqvFormLayerBorderType side : kSides) {
        const TqvBitmap& img = FImages.Of(side);
        if (img.Empty()) continue;
        auto w = std::make_unique<TqvFormLayerWindow>(this, FForm, side);
        w->resize(img.Width(), img.Height());
        UpdateLayeredImage(img, CurrentAlpha(), w.get());
        FWindows[std::size_t(side)] = std::move(w);
    }
    PlaceWindows(X, Y);
}

void TqvFormLayerBorder::Hide() {
    FVisible = false;
    FAnimation.Stop();
    FImages.Clear();
    for (auto& w : FWindows) w.reset();
}

void TqvFormLayerBorder::SetBounds(int X, int Y, int AWidth, int AHeight) {
    if (!FData || !FVisible) return;
    FWidth = AWidth;
    FHeight = AHeight;
    MakeBorderImages(AWidth, AHeight);
    for (TqvFormLayerBorderType side : kSides)
        if (TqvFormLayerWindow* w = Window(side)) {
            const TqvBitmap& img = FImages.Of(side);
            // A side now too small for an image keeps its window, hidden.
            if (img.Empty()) {
                w->hide();
                continue;
            }
            w->resize(img.Width(), img.Height());
            UpdateLayeredImage(img, CurrentAlpha(), w);
        }
    PlaceWindows(X, Y);
}

void TqvFormLayerBorder::ShowWithForm() {
    if (!FData || !FForm) return;
    const QRect f = FrameFor(FForm->geometry());
    Show(f.x(), f.y(), f.width(), f.height());
}

void TqvFormLayerBorder::SetBoundsWithForm() {
    if (!FData || !FForm) return;
    const QRect f = FrameFor(FForm->geometry());
    SetBounds(f.x(), f.y(), f.width(), f.height());
}

void TqvFormLayerBorder::SetBoundsWithForm2(int AW, int AH) {
    if (!FData || !FForm) return;
    SetBoundsWithForm3(FForm->x(), FForm->y(), AW, AH);
}

void TqvFormLayerBorder::SetBoundsWithForm3(int ALeft, int ATop, int AW, int AH) {
    if (!FData) return;
    const QRect f = FrameFor(QRect(ALeft, ATop, AW, AH));
    SetBounds(f.x(), f.y(), f.width(), f.height());
}

void TqvFormLayerBorder::MoveWithForm() {
    if (FForm) MoveWithForm2(FForm->x(), FForm->y());
}

void TqvFormLayerBorder::MoveWithForm2(int ALeft, int ATop) {
    if (!FData || !FVisible || !FForm) return;
    const QRect f = FrameFor(QRect(ALeft, ATop, FForm->width(), FForm->height()));
    const QRect frame(f.topLeft(), QSize(FWidth, FHeight));
    const int th = FImages.Of(qvflTop).Height(), bh = FImages.Of(qvflBottom).Height(), rw = FImages.Of(qvflRight).Width();
    for (TqvFormLayerBorderType side : kSides)
        if (TqvFormLayerWindow* w = Window(side)) w->move(LayerWindowPlace(side, frame, th, bh, rw));
}

void TqvFormLayerBorder::ShowWithFormAnimation() {
    if (!FData) return;
    FAnimationTarget = FCurrentAlphaBlendValue;
    FCurrentAlphaBlendValue = 0;
    ShowWithForm();
    // A step of a fifteenth on a timer; the caller goes on at once.
    FAnimation.Start(kAnimationInterval, [this] { Application()->Guard([&] { AnimationStep(); }); });
}

void TqvFormLayerBorder::AnimationStep() {
    FCurrentAlphaBlendValue = std::min(FCurrentAlphaBlendValue + std::max(1, FAnimationTarget / 15), FAnimationTarget);
    SetAlphaBlend();
    if (FCurrentAlphaBlendValue >= FAnimationTarget) FAnimation.Stop();
}

void TqvFormLayerBorder::SetAlphaBlend() {
    if (!FData || !FVisible) return;
    for (TqvFormLayerBorderType side : kSides)
        if (TqvFormLayerWindow* w = Window(side); w && !FImages.Of(side).Empty())
            UpdateLayeredImage(FImages.Of(side), CurrentAlpha(), w);
}

void TqvFormLayerBorder::SetAlphaBlend2() {
    SetAlphaBlend();
    if (!FData || !FVisible || !FForm) return;
    const QRect f = FrameFor(FForm->geometry());
    PlaceWindows(f.x(), f.y());
}

void TqvFormLayerBorder::CheckFormAlpha(int AFormAlpha, bool AUpdate) {
    if (!FData) return;
    // A fade of the form overrides a fade of the border alone.
    FAnimation.Stop();
    FCurrentAlphaBlendValue = LayerAlphaForForm(FData->AlphaBlendValue, AFormAlpha);
    FCurrentInActiveAlphaBlendValue = LayerAlphaForForm(FData->InActiveAlphaBlendValue, AFormAlpha);
    if (AUpdate) SetAlphaBlend();
}

void TqvFormLayerBorder::SetActive(bool AValue, bool AUpdate) {
    FActive = AValue;
    if (FVisible && AUpdate) SetAlphaBlend2();
}

void TqvFormLayerBorder::Draw(QImage& C, int X, int Y, int AWidth, int AHeight) const {
    if (!FData) return;
    const QRect frame = FrameFor(QRect(X, Y, AWidth, AHeight));
    TqvLayerSideImages images;
    const TqvBitmap& s = !FActive && FSourceInActiveBitMap ? *FSourceInActiveBitMap : *FSourceBitmap;
    MakeLayerSideImages(s, *FData, frame.width(), frame.height(), images);
    const int th = images.Of(qvflTop).Height(), bh = images.Of(qvflBottom).Height(),
              rw = images.Of(qvflRight).Width();
    for (TqvFormLayerBorderType side : kSides)
        if (const TqvBitmap* img = images.Get(side)) {
            const QPoint p = LayerWindowPlace(side, frame, th, bh, rw);
            img->Draw(C, p.x(), p.y());
        }
}
