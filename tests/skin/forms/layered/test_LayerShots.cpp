// A form in a stored skin, active and then inactive under the veil (dimmed and
// blurred), and the same form with a layered border drawn round it, saved as
// pictures in the build tree for people to look at.
#include "platform/Application.h"
#include "platform/StdCtrls.h"
#include "resources/skins/StoredSkins.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/layered/FormLayerBorder.h"
#include "skin/model/draw/LayerManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// What the form shows: its frame with the client and everything on it.
QImage Shot(TForm* form, TqvVelmora* comp, bool active) {
    QImage img = comp->BuildFrameImage(active).convertToFormat(QImage::Format_ARGB32);
    QPainter p(&img);
    p.drawPixmap(form->Client()->geometry().topLeft(), form->Client()->grab());
    return img;
}

void Activation(QWidget* w, bool active) {
    QEvent e(active ? QEvent::WindowActivate : QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(w, &e);
}

}  // namespace

TEST(LayerShots, VeiledFormAndLayeredBorder) {
    const QString dir = QStringLiteral(QV_SHOT_DIR);
    QDir().mkpath(dir);
    TqvCompressedSkinList list;
    LoadStoredSkins(list);
    auto* form = new TForm;
    form->SetCaption(QStringLiteral("Veiled form 遮罩窗体"));
    form->SetBounds(80, 80, 480, 320);
    auto* comp = new TqvVelmora(form);
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 20, 200, 24);
    edit->SetText(QStringLiteral("Text 文字"));
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(20, 56, 300, 150);
    memo->Lines().SetText(QStringLiteral("The client under the veil\nshows through it, dimmed.\n客户区"));
    auto* ok = new TButton(form);
    ok->SetParent(form);
    ok->SetCaption(QStringLiteral("&OK"));
    ok->SetBounds(360, 230, 90, 28);
    auto* model = new TqvSkinData(form);
    model->SetSkinIndex(-1);
    model->SetSkinList(&list);
    model->SetSkinIndex(1);
    comp->SetSkinData(model);
    comp->ClientInActiveEffect = true;
    form->Show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Shot(form, comp, true).save(dir + "/veil-active.png"));

    for (auto [effect, name] : {std::pair{qvieSemiTransparent, "veil-dimmed"}, std::pair{qvieBlur, "veil-blurred"}}) {
        comp->ClientInActiveEffectType = effect;
        Activation(form, false);
        ASSERT_NE(comp->ClientInActivePanel(), nullptr);
        const QImage img = Shot(form, comp, false);
        EXPECT_TRUE(img.save(dir + "/" + name + ".png"));
        Activation(form, true);
        EXPECT_EQ(comp->ClientInActivePanel(), nullptr);
    }

    // A soft shadow frame round the form, drawn as the side windows would show it.
    QImage pic(60, 60, QImage::Format_RGB32), mask(60, 60, QImage::Format_RGB32);
    pic.fill(qRgb(10, 20, 40));
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) {
            const int d = std::min({x, y, 59 - x, 59 - y});
            const int g = std::clamp(d * 255 / 15, 0, 255);
            mask.setPixel(x, y, qRgb(g, g, g));
        }
    model->FActivePictures.push_back(pic);
    model->FActivePictures.push_back(mask);
    model->LayerFrame.PictureIndex = int(model->FActivePictures.size()) - 2;
    model->LayerFrame.MaskPictureIndex = model->LayerFrame.PictureIndex + 1;
    model->LayerFrame.LTPoint = {20, 20};
    model->LayerFrame.RTPoint = {40, 20};
    model->LayerFrame.LBPoint = {20, 40};
    model->LayerFrame.RBPoint = {40, 40};
    model->LayerFrame.ClRect = Rect(15, 15, 45, 45);
    comp->ChangeSkinData();
    ASSERT_TRUE(comp->BorderLayer()->HasFrame());
    QImage framed(480 + 30, 320 + 30, QImage::Format_ARGB32);
    framed.fill(qRgb(235, 235, 235));
    comp->BorderLayer()->Draw(framed, 15, 15, 480, 320);
    {
        QPainter p(&framed);
        p.drawImage(15, 15, Shot(form, comp, true));
    }
    EXPECT_TRUE(framed.save(dir + "/layered-border.png"));
    delete form;
}
