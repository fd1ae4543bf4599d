#include "skin/forms/layered/ClientInActivePanel.h"

#include "platform/Form.h"
#include "skin/model/draw/TextEffects.h"

#include <QPainter>

TqvClientInActivePanel::TqvClientInActivePanel(QObject* AOwner) : TqvSkinPaintPanel(AOwner) { SetVisible(false); }

TqvClientInActivePanel::~TqvClientInActivePanel() = default;

void TqvClientInActivePanel::ShowPanel(TForm* AForm, TqvClientInActiveEffect AEffect) {
    if (!AForm || !AForm->isVisible()) return;
    QWidget* client = AForm->Client();
    const int w = client->width(), h = client->height();
    if (w <= 0 || h <= 0) return;
    SetVisible(false);
    SetParent(AForm);
    SetBounds(0, 0, w, h);
    // The client as it shows now, controls and all (the panel is hidden).
    FBuffer = std::make_unique<TqvBitmap>(w, h);
    {
        QImage shot = client->grab(QRect(0, 0, w, h)).toImage().convertToFormat(QImage::Format_RGB32);
        FBuffer->Assign(shot);
    }
    if (AEffect == qvieBlur) {
        BlurBitmap(*FBuffer, 3);
    } else {
        // The form's own background, without its controls, laid over the snapshot.
        QImage back(w, h, QImage::Format_RGB32);
        back.fill(Qt::white);
        client->render(&back, QPoint(), QRegion(0, 0, w, h), QWidget::DrawWindowBackground);
        TqvBitmap veil;
        veil.Assign(back);
        veil.SetAlpha(170);
        veil.SetAlphaBlend(true);
        veil.Draw(*FBuffer, 0, 0);
    }
    FBuffer->SetAlphaBlend(false);
    SetVisible(true);
    raise();
    update();
}

void TqvClientInActivePanel::HidePanel() {
    SetVisible(false);
    FBuffer.reset();
}

void TqvClientInActivePanel::PaintImage(QImage& B) {
    if (!FBuffer) {
        TqvSkinPaintPanel::PaintImage(B);
        return;
    }
    FBuffer->Draw(B, 0, 0);
}
