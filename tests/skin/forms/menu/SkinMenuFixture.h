// A shown form with its skinned-form component on the manual clock and
// pointer, menus skinned by the small menu test skin, and a log of the menu
// messages that its controls and the form receive.
#pragma once

#include "platform/Application.h"
#include "platform/Messages.h"
#include "platform/Sources.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/menu/MenuServices.h"
#include "skin/forms/menu/SkinMenu.h"
#include "tests/skin/forms/menu/MenuTestSkin.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <memory>
#include <vector>

namespace menutest {

inline const QRect kMonitor(0, 0, 1280, 1024), kWork(0, 0, 1280, 984);

// Counts the keys and wheel turns that reach it.
struct TKeySink : QWidget {
    using QWidget::QWidget;
    int Keys = 0, Wheels = 0;
    void keyPressEvent(QKeyEvent*) override { ++Keys; }
    void wheelEvent(QWheelEvent*) override { ++Wheels; }
};

struct TSkinMenuFixture : ::testing::Test {
    std::shared_ptr<TManualTickSource> Ticks = std::make_shared<TManualTickSource>();
    std::shared_ptr<TManualPointerSource> Pointer = std::make_shared<TManualPointerSource>();
    TMenuSkin Menus;
    TForm* Form = nullptr;
    TqvVelmora* Comp = nullptr;
    QStringList Log, Errors;

    void SetUp() override {
        SetTickSource(Ticks);
        SetPointerSource(Pointer);
        RegisterSkinMenuServices();
        QGuiApplication::clipboard()->clear();
        Application()->OnException = [this](QObject*, const std::exception& e) { Errors << e.what(); };
        Form = new TForm;
        Form->SetBounds(50, 60, 400, 300);
        Comp = new TqvVelmora(Form);
        Comp->SetScreenAreasForTests(kMonitor, kWork, kMonitor);
        Comp->SetMenusSkinData(Menus.Model.get());
        Form->Show();
        Watch(Form, "form");
    }
    void TearDown() override {
        delete Form;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Application()->OnException = nullptr;
        SetPointerSource(nullptr);
        SetTickSource(nullptr);
    }

    // Logs "<name> 1228" and "<name> 1229" as Target receives them.
    void Watch(QObject* Target, const char* Name) {
        const QString name = QString::fromLatin1(Name);
        new TWindowHook(Target, [this, name](QObject*, QEvent* e) {
            if (TMessage* m = AsMessage(e); m && (m->Msg == WM_SKIN_MENU_CLOSED || m->Msg == WM_SKIN_MENU_COMMAND))
                Log << QStringLiteral("%1 %2").arg(name).arg(m->Msg);
            return false;
        });
    }
    TControl* NewRecorder(const char* Name = "ctrl") {
        auto* c = new TControl(Form);
        c->SetParent(Form);
        Watch(c, Name);
        return c;
    }
    static TMenuItem* Add(TMenuItem* Parent, const char* Caption) {
        auto* i = new TMenuItem;
        i->SetCaption(QString::fromLatin1(Caption));
        Parent->Add(i);
        return i;
    }
    TqvSkinPopupMenu* NewPopup(const std::vector<const char*>& Captions) {
        auto* m = new TqvSkinPopupMenu(Form);
        for (const char* c : Captions) Add(m->Items(), c);
        return m;
    }
    // A key stroke on the form, as the keyboard delivers it.
    void Key(int K, Qt::KeyboardModifiers M = Qt::NoModifier) {
        QKeyEvent p(QEvent::KeyPress, K, M);
        QCoreApplication::sendEvent(Form, &p);
        QKeyEvent r(QEvent::KeyRelease, K, M);
        QCoreApplication::sendEvent(Form, &r);
    }
    static void Mouse(QWidget* W, QEvent::Type T, QPoint P, Qt::MouseButton B = Qt::LeftButton) {
        QMouseEvent e(T, QPointF(P), QPointF(W->mapToGlobal(P)), B, T == QEvent::MouseButtonRelease ? Qt::NoButton : B,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(W, &e);
    }
    static void Press(QWidget* W, QPoint P) {
        Mouse(W, QEvent::MouseButtonPress, P);
        Mouse(W, QEvent::MouseButtonRelease, P);
    }
    static QPoint ItemCentre(const TqvSkinPopupWindow* W, int Index) {
        const TRect r = W->Level().Item(Index)->ObjectRect;
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    // The pointer rests on an item of a level; the next poll sees it.
    void PointAt(TqvSkinPopupWindow* W, int Index) {
        Pointer->Pos = W->mapToGlobal(ItemCentre(W, Index));
        Pointer->Widget = W;
        Ticks->Advance(50);
    }
};

}  // namespace menutest
