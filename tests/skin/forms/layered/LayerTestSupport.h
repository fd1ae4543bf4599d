// A skinned form whose skin carries a layered frame: a 60 x 60 picture with
// the form under its middle (15, 15, 45, 45), a 10 px band round the form,
// alpha from a grey mask; the compositor pretended on or off.
#pragma once

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Sources.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/layered/FormLayerBorder.h"
#include "skin/model/draw/LayerManager.h"
#include "tests/skin/support/TestSkin.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>

struct LayerFormTest : ::testing::Test {
    std::shared_ptr<TManualTickSource> Ticks = std::make_shared<TManualTickSource>();
    TForm* Form = nullptr;
    TqvVelmora* Comp = nullptr;
    TqvSkinData* Model = nullptr;

    void SetUp() override {
        SetTickSource(Ticks);
        SetLayeredWindowsAvailableForTests(true);
        Form = new TForm;
        Form->SetBounds(100, 100, 400, 300);
        Comp = new TqvVelmora(Form);
        Model = new TqvSkinData(Form);
        TTestSkin().LoadInto(*Model);
    }
    void TearDown() override {
        delete Form;
        SetLayeredWindowsAvailableForTests(false, true);
        SetTickSource(nullptr);
    }
    // The layered frame joins the loaded skin; the component takes it up.
    void AddLayerFrame(bool Band = true, bool HitTest = true) {
        QImage pic(60, 60, QImage::Format_RGB32), mask(60, 60, QImage::Format_RGB32);
        pic.fill(qRgb(40, 90, 200));
        mask.fill(qRgb(128, 128, 128));
        Model->FActivePictures.push_back(pic);
        Model->FActivePictures.push_back(mask);
        TqvDataSkinLayerFrame& d = Model->LayerFrame;
        d = TqvDataSkinLayerFrame{};
        d.PictureIndex = int(Model->FActivePictures.size()) - 2;
        d.MaskPictureIndex = d.PictureIndex + 1;
        d.LTPoint = {20, 20};
        d.RTPoint = {40, 20};
        d.LBPoint = {20, 40};
        d.RBPoint = {40, 40};
        d.ClRect = Rect(15, 15, 45, 45);
        d.BorderRect = Band ? Rect(5, 5, 55, 55) : TRect{};
        d.AlphaBlendValue = 200;
        d.InActiveAlphaBlendValue = 120;
        d.HitTestEnable = HitTest;
        Comp->SetSkinData(Model);
    }
    TqvFormLayerBorder* Border() const { return Comp->BorderLayer(); }
    TqvFormLayerWindow* Side(TqvFormLayerBorderType s) const { return Border()->Window(s); }
};

// A mouse event at a screen point, as the window system gives it to W.
inline void MouseAt(QWidget* W, QEvent::Type Type, QPoint Global, Qt::MouseButtons Held = Qt::LeftButton) {
    const QPointF local = QPointF(Global - W->geometry().topLeft());
    QMouseEvent e(Type, local, QPointF(Global), Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Held,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(W, &e);
}
