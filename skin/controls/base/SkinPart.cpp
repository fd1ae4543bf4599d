#include "skin/controls/base/SkinPart.h"

#include "platform/Application.h"
#include "skin/model/draw/SkinCompose.h"

#include <QKeySequence>
#include <QPainter>

QImage NewSkinImage(int W, int H) {
    QImage B(W, H, QImage::Format_RGB32);
    B.fill(Qt::white);
    return B;
}

void TqvSkinPart::SetSkinData(TqvSkinData* Value) {
    FSD = Value;
    if (Value && !Value->Empty) ChangeSkinData();
}

void TqvSkinPart::GetSkinData() {
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
}

const TqvDataSkinControl* TqvSkinPart::Record() const {
    if (!FSD || FIndex < 0 || FIndex >= int(FSD->CtrlList.size())) return nullptr;
    return FSD->CtrlList[std::size_t(FIndex)].get();
}

void TqvSkinPart::ChangeSkinData() {
    GetSkinData();
    FSelf->update();
}

QImage TqvSkinPart::BuildImage() {
    const int W = FSelf->Width(), H = FSelf->Height();
    if (W <= 0 || H <= 0) return {};
    QImage B = NewSkinImage(W, H);
    PaintImage(B);
    if (B.size() != QSize(W, H)) {
        // A fixed-size skin part smaller than the control: the rest stays white.
        QImage full = NewSkinImage(W, H);
        BitBlt(full, 0, 0, B.width(), B.height(), B, 0, 0);
        return full;
    }
    return B;
}

void TqvSkinPart::PaintImage(QImage& B) {
    GetSkinData();
    if (FIndex == -1) CreateControlDefaultImage(B);
    else CreateControlSkinImage(B);
}

void TqvSkinPart::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(FSelf);
}

void TqvSkinPart::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(FSelf);
}

void TqvSkinPart::PresentImage() {
    if (FSelf->Width() <= 0 || FSelf->Height() <= 0) return;
    QImage img;
    Application()->Guard([&] { img = BuildImage(); });
    QPainter p(FSelf);
    p.drawImage(0, 0, img);
}

void TqvSkinPart::GuardedMouseEnter() {
    Application()->Guard([&] { MouseEnter(); });
}

void TqvSkinPart::GuardedMouseLeave() {
    Application()->Guard([&] { MouseLeave(); });
}

int RegrabMnemonic(QWidget* W, int OldId, const QString& Caption) {
    if (OldId) W->releaseShortcut(OldId);
    const QKeySequence k = QKeySequence::mnemonic(Caption);
    return k.isEmpty() ? 0 : W->grabShortcut(k);
}
