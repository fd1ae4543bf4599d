// A small form with a skinned back panel that the control sections place
// their controls on, forced into a state and grabbed.
#pragma once

#include "tools/gallery/GallerySheet.h"

#include "platform/Form.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/menu/Menus.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

#include <memory>

namespace gallery {

// An item of the sample menus the sections draw.
inline TMenuItem* AddMenuItem(TMenuItem* parent, const QString& caption, TShortCut key = 0) {
    auto* i = new TMenuItem;
    i->SetCaption(caption);
    i->SetShortCut(key);
    parent->Add(i);
    return i;
}

// The sample menus' marked rows: Preview checked, Fast and Best a radio pair
// (Best chosen), and a disabled item.
inline void AddSampleChoices(TMenuItem* parent) {
    AddMenuItem(parent, QStringLiteral("&Preview"))->SetChecked(true);
    for (const char* c : {"&Fast", "&Best"}) {
        TMenuItem* r = AddMenuItem(parent, QString::fromLatin1(c));
        r->SetRadioItem(true);
        r->SetGroupIndex(1);
        r->SetChecked(true);
    }
    AddMenuItem(parent, QStringLiteral("Disabled item"))->SetEnabled(false);
}

inline const char* const kStates[] = {"normal", "hot", "pressed", "disabled", "focused"};

inline void SendEnter(QWidget* w) {
    const QPointF p(1, 1);
    QEnterEvent e(p, p, w->mapToGlobal(p));
    QCoreApplication::sendEvent(w, &e);
}

inline void SendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint pos) {
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

inline void Press(QWidget* w, QPoint pos) {
    SendMouse(w, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, pos);
}

inline void Move(QWidget* w, QPoint pos) { SendMouse(w, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, pos); }

// A skinned form as the screen shows it: its frame, the client, and the sheet
// showing outside the window's shape.
inline QImage FormPicture(TForm* form, TqvVelmora* comp, bool active) {
    QImage img = comp->BuildFrameImage(active).convertToFormat(QImage::Format_RGB32);
    {
        QPainter p(&img);
        p.drawPixmap(form->Client()->geometry().topLeft(), form->Client()->grab());
    }
    if (comp->HasRegion() && !form->mask().isEmpty())
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (!form->mask().contains(QPoint(x, y))) img.setPixel(x, y, 0xFFFAFAFA);
    return img;
}

struct TPanelHost {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>();
    TqvSkinData* Model;
    TqvSkinPanel* Back;
    TPanelHost(TGallerySheet& sheet, int w, int h, QPoint at = {0, 0})
        : Model(const_cast<TqvSkinData*>(&sheet.Skin())) {
        Form->SetBounds(at.x(), at.y(), w, h);
        Form->Show();
        QApplication::setActiveWindow(Form.get());
        Back = new TqvSkinPanel(Form.get());
        Back->SetParent(Form.get());
        Back->SetSkinData(Model);
        Back->SetBorderStyle(bvNone);
        Back->SetBounds(0, 0, w, h);
    }
    template <class T> T* Make(TWinControl* parent = nullptr) {
        auto* c = new T(Form.get());
        c->SetParent(parent ? parent : Back);
        c->SetSkinData(Model);
        return c;
    }
    // The form, with an open drop-down window drawn where it lies on the screen.
    QImage Shot(QWidget* dropDown = nullptr) {
        QCoreApplication::processEvents();
        QImage img = Form->grab().toImage();
        if (dropDown && dropDown->isVisible()) {
            const QPoint at = dropDown->geometry().topLeft() - Form->mapToGlobal(QPoint(0, 0));
            QPainter p(&img);
            p.drawImage(at, dropDown->grab().toImage());
        }
        return img;
    }
};

}  // namespace gallery
