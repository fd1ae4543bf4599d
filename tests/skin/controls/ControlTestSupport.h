// What the control tests share: a form that runs the skin-change walk on the
// model's messages (as the skinned-form component will), a manual clock, a
// flat-colour skin, and mouse and key events sent in Qt's order.
#pragma once

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Sources.h"
#include "skin/controls/base/SkinClient.h"
#include "skin/model/SkinData.h"
#include "tests/skin/support/TestSkin.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class TSkinWalkForm : public TForm {
public:
    std::function<void(unsigned msg)> AfterWalk;
    void WndProc(TMessage& m) override {
        TForm::WndProc(m);
        auto* model = reinterpret_cast<TqvSkinData*>(m.WParam);
        if (m.Msg == WM_SKIN_CHANGING) BroadcastBeforeChangeSkinData(model, this);
        else if (m.Msg == WM_SKIN_CHANGED) BroadcastChangeSkinData(model, this);
        else return;
        if (AfterWalk) AfterWalk(m.Msg);
    }
};

struct SkinControlTest : ::testing::Test {
    TSkinWalkForm* Form = nullptr;
    TqvSkinData* Model = nullptr;
    std::shared_ptr<TManualTickSource> Ticks = std::make_shared<TManualTickSource>();
    TTestSkin Skin;

    SkinControlTest() { Skin.FlatColours(); }
    void SetUp() override {
        SetTickSource(Ticks);
        Form = new TSkinWalkForm;
        Form->SetBounds(0, 0, 500, 400);
        Model = new TqvSkinData(Form);
    }
    void TearDown() override {
        delete Form;
        SetTickSource(nullptr);
    }
    void LoadSkin() { Skin.LoadInto(*Model); }
    template <class T> T* Make(TWinControl* parent = nullptr) {
        auto* c = new T(Form);
        c->SetParent(parent ? parent : Form);
        return c;
    }
    QRgb Flat(const QString& name, const QString& key, TTestSkin::TZone z = TTestSkin::zC) const {
        return Skin.FlatColour(name, key, z);
    }
};

inline QRgb Px(const QImage& img, int x, int y) { return img.pixel(x, y) | 0xFF000000u; }

// Mouse events as Qt delivers them (local positions; the window position does not matter here).
inline void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
    // Moves are sent with the button held; SendMoveNoButton is the hover move.
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), type == QEvent::MouseMove ? Qt::NoButton : button,
                  held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}
inline void SendMoveNoButton(QWidget* w, QPoint pos) {
    QMouseEvent e(QEvent::MouseMove, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}
inline void SendEnter(QWidget* w, QPoint at = {1, 1}) {
    const QPointF p(at);
    QEnterEvent e(p, p, w->mapToGlobal(p));
    QCoreApplication::sendEvent(w, &e);
}
inline void SendLeave(QWidget* w) {
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}
inline void SendKey(QWidget* w, QEvent::Type type, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                    const QString& text = {}) {
    QKeyEvent e(type, key, mods, text);
    QCoreApplication::sendEvent(w, &e);
}
