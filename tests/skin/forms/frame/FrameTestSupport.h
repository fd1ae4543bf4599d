// What the frame tests share: a frame description of round numbers, test
// frame objects, and mouse events with global positions.
#pragma once

#include "skin/forms/frame/FrameGeometry.h"
#include "skin/forms/objects/FrameObject.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <memory>

// A 100 x 80 frame picture: corners at 10/90 and 20/70, client (5, 25, 95, 75),
// caption (5, 0, 60, 20), buttons (62, 2, 95, 18) with 2 px between them.
inline TqvSkinFormInfo RoundInfo() {
    TqvSkinFormInfo i;
    i.LTPoint = {10, 20};
    i.RTPoint = {90, 20};
    i.LBPoint = {10, 70};
    i.RBPoint = {90, 70};
    i.ClRect = Rect(5, 25, 95, 75);
    i.CaptionRect = Rect(5, 0, 60, 20);
    i.ButtonsRect = Rect(62, 2, 95, 18);
    i.ButtonsOffset = 2;
    i.HitTestLTPoint = {8, 8};
    i.HitTestRTPoint = {92, 8};
    i.HitTestLBPoint = {8, 72};
    i.HitTestRBPoint = {92, 72};
    i.BorderW = 4;
    return i;
}
inline const QSize kRoundPicture(100, 80);

class TTestObject : public TqvActiveSkinObject {
public:
    TTestObject(TqvFrameObjectKind kind, TqvStdCommand cmd, TRect skinRect, bool inPicture = true,
                QRgb colour = qRgb(255, 0, 0))
        : TqvActiveSkinObject(nullptr), Colour(colour), FKind(kind) {
        Command = cmd;
        SkinRect = skinRect;
        ObjectRect = skinRect;
        SkinRectInAPicture = inPicture;
    }
    TqvFrameObjectKind Kind() const override { return FKind; }
    void Draw(QPainter& p, bool) override {
        ++Draws;
        p.fillRect(ObjectRect.ToQRect(), QColor(Colour));
    }
    void MouseDown(int, int, Qt::MouseButton) override { ++Downs; }
    void MouseUp(int, int, Qt::MouseButton) override { ++Ups; }
    void MouseEnter() override {
        TqvActiveSkinObject::MouseEnter();
        ++Enters;
    }
    void DblClick() override { ++DblClicks; }
    QRgb Colour;
    int Draws = 0, Downs = 0, Ups = 0, Enters = 0, DblClicks = 0;

private:
    TqvFrameObjectKind FKind;
};

inline std::unique_ptr<TTestObject> Button(TqvStdCommand cmd, int w = 16, int h = 14) {
    return std::make_unique<TTestObject>(TqvFrameObjectKind::StdButton, cmd, Rect(0, 0, w, h));
}
inline std::unique_ptr<TTestObject> Caption(TRect r) {
    return std::make_unique<TTestObject>(TqvFrameObjectKind::Caption, cmDefault, r, false, qRgb(0, 200, 0));
}

// Mouse events as the window system sends them to a top-level: local and global positions.
inline void Mouse(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButton button = Qt::LeftButton,
                  Qt::MouseButtons held = Qt::LeftButton) {
    const QPointF global = QPointF(w->geometry().topLeft() + local);
    QMouseEvent e(type, QPointF(local), global, type == QEvent::MouseMove ? Qt::NoButton : button, held,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}
// A move whose global position is given (the window moves under the pointer while dragging).
inline void MouseAt(QWidget* w, QEvent::Type type, QPoint global, Qt::MouseButton button = Qt::LeftButton,
                    Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent e(type, QPointF(global - w->geometry().topLeft()), QPointF(global),
                  type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}
