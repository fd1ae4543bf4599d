// What the frame-object tests share: a form with the component and a test
// skin whose object records the test lays out, the manual clock and
// pointer, mouse events and a recording menu link.
#pragma once

#include "platform/Application.h"
#include "platform/Sources.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/objects/CaptionButtons.h"
#include "skin/forms/objects/CaptionObject.h"
#include "skin/model/draw/LayerManager.h"
#include "tests/skin/forms/frame/FrameTestSupport.h"
#include "tests/skin/support/TestSkin.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <vector>

inline QString R4(int l, int t, int r, int b) { return QStringLiteral("%1,%2,%3,%4").arg(l).arg(t).arg(r).arg(b); }

// The objects atlas has one 64 x 24 cell per record, each in its own colour.
constexpr int kCellH = 24;

class TRecordingMenuLink : public TqvFrameMenuLink {
public:
    struct TCall {
        TMenuItem* Item;
        TRect ScreenRect;
        bool PopupUp;
    };
    bool PopupLinkedMenu(TMenuItem* Item, const TRect& ScreenRect, bool PopupUp) override {
        Calls.push_back({Item, ScreenRect, PopupUp});
        return Opens;
    }
    TMenuItem* SystemMenuItems() override { return SystemMenu; }
    std::vector<TCall> Calls;
    TMenuItem* SystemMenu = nullptr;
    bool Opens = true;
};

struct ObjectsTest : ::testing::Test {
    std::shared_ptr<TManualTickSource> Ticks = std::make_shared<TManualTickSource>();
    std::shared_ptr<TManualPointerSource> Pointer = std::make_shared<TManualPointerSource>();
    TForm* Form = nullptr;
    TqvVelmora* Comp = nullptr;
    TqvSkinData* Model = nullptr;
    TTestSkin Skin{QStringList{}, QStringList{}};
    int Records = 0;

    void SetUp() override {
        SetTickSource(Ticks);
        SetPointerSource(Pointer);
        Form = new TForm;
        Form->SetBounds(50, 60, 400, 300);
        Comp = new TqvVelmora(Form);
        Comp->SetScreenAreasForTests(QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 738), QRect(0, 0, 1024, 768));
        Model = new TqvSkinData(Form);
    }
    void TearDown() override {
        delete Form;
        SetTickSource(nullptr);
        SetPointerSource(nullptr);
        SetLayeredWindowsAvailableForTests(false, true);
    }

    // A record of Kind in the next atlas cell: its normal image is the top-left
    // W x H of the cell, laid in the buttons row, command Command.
    QString Add(const QString& name, const QString& kind, const QString& command = QStringLiteral("cmclose"),
                int w = 16, int h = 14) {
        const int top = Records++ * kCellH;
        Skin.AddObject(name, kind);
        Skin.Set(name, "command", command);
        Skin.Set(name, "skinrect", R4(0, top, w, top + h));
        Skin.Set(name, "activeskinrect", R4(0, 0, 0, 0));
        Skin.Set(name, "hint", QString());
        return name;
    }
    // The rect of cell Cell's top-left W x H, for other state images.
    static QString CellRect(int cell, int w = 16, int h = 14, int dx = 0) {
        return R4(dx, cell * kCellH, dx + w, cell * kCellH + h);
    }
    QRgb CellColour(int cell) const { return Model->FActivePictures[1].pixel(5, cell * kCellH + 5); }
    void Load() {
        Skin.LoadInto(*Model);
        Comp->SetSkinData(Model);
    }
    void Activate() {
        Form->show();
        QApplication::setActiveWindow(Form);
    }
    template <class T = TqvActiveSkinObject>
    T* Object(const QString& name) const {
        const int i = Comp->GetIndex(name);
        return i < 0 ? nullptr : dynamic_cast<T*>(Comp->ObjectList[std::size_t(i)].get());
    }
    QPoint CentreOf(const QString& name) const { return Object(name)->ObjectRect.ToQRect().center(); }
    // The pointer moves to a window point of the frame (Widget: what lies under it).
    void MoveTo(QPoint local, QWidget* under = nullptr) {
        Pointer->Pos = Form->geometry().topLeft() + local;
        Pointer->Widget = under ? under : Form;
        Mouse(Form, QEvent::MouseMove, local, Qt::NoButton, Qt::NoButton);
    }
    void Press(QPoint local, Qt::MouseButton b = Qt::LeftButton) { Mouse(Form, QEvent::MouseButtonPress, local, b, b); }
    void DragTo(QPoint local) { Mouse(Form, QEvent::MouseMove, local, Qt::NoButton, Qt::LeftButton); }
    void Release(QPoint local, Qt::MouseButton b = Qt::LeftButton) {
        Mouse(Form, QEvent::MouseButtonRelease, local, b, Qt::NoButton);
    }
    void Click(QPoint local) {
        Press(local);
        Release(local);
    }
    void Tick(int n = 1) {
        for (int i = 0; i < n; ++i) Ticks->Advance(25);
    }
    QImage Frame(bool active = true) const { return Comp->BuildFrameImage(active); }
};
