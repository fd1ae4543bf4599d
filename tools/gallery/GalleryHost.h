// A small form with a skinned back panel that the control sections place
// their controls on, forced into a state and grabbed.
#pragma once

#include "tools/gallery/GallerySheet.h"

#include "platform/ExtCtrls.h"
#include "platform/Form.h"
#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/bars/SkinSlider.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/menu/Menus.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QEnterEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QPainter>

#include <functional>
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

inline QString RegionName(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// Each visible row's cells of an item view (a header's sections), the grid
// lines left out.
inline void MarkCells(QAbstractItemView* view, QWidget* root, QPoint at) {
    QWidget* port = view->viewport();
    const QPoint off = at + port->mapTo(root, QPoint(0, 0));
    const QString name = RegionName(view);
    if (auto* header = qobject_cast<QHeaderView*>(view)) {
        for (int i = 0; i < header->count(); ++i) {
            if (header->isSectionHidden(i)) continue;
            const int pos = header->sectionViewportPosition(i), size = header->sectionSize(i);
            const QRect r = header->orientation() == Qt::Horizontal ? QRect(pos, 0, size, port->height())
                                                                     : QRect(0, pos, port->width(), size);
            TGallerySheet::MarkTextRegion(r.intersected(port->rect()).adjusted(3, 2, -3, -2).translated(off),
                                          name + QStringLiteral(" section %1").arg(i));
        }
        return;
    }
    QAbstractItemModel* model = view->model();
    if (!model) return;
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row)
        for (int col = 0; col < model->columnCount(view->rootIndex()); ++col) {
            const QRect r = view->visualRect(model->index(row, col, view->rootIndex())).intersected(port->rect());
            if (r.isEmpty()) continue;
            TGallerySheet::MarkTextRegion(r.adjusted(1, 1, -2, -2).translated(off),
                                          name + QStringLiteral(" %1,%2").arg(row).arg(col));
        }
}

// Where the outline of an operable control lies in root's picture (root's
// top-left at `at`): a check or radio box's box, a slider's thumb, the whole
// of a push button, an edit or a combo box; empty for other widgets.
inline QRect ControlOutline(QWidget* c, QWidget* root, QPoint at) {
    const QPoint off = at + c->mapTo(root, QPoint(0, 0));
    if (auto* box = qobject_cast<TqvSkinCheckRadioBox*>(c)) {
        // The skin's box where the record placed it; the flat look puts the
        // skin's box, or else the built-in 14-pixel square, 3 from the left.
        if (!box->Flat() && !box->CheckImageRectNow().ToQRect().isEmpty())
            return box->CheckImageRectNow().ToQRect().translated(off);
        QSize glyph(14, 14);
        if (TqvSkinData* model = box->SkinData(); model && !model->Empty)
            if (const int i = model->GetControlIndex(box->SkinDataName()); i >= 0)
                if (auto* r = dynamic_cast<TqvDataSkinCheckRadioControl*>(model->CtrlList[i].get()))
                    glyph = r->CheckImageRect.ToQRect().size();
        return QRect(QPoint(3, c->height() / 2 - glyph.height() / 2), glyph).translated(off);
    }
    if (auto* slider = qobject_cast<TqvSkinSlider*>(c)) return slider->ThumbRect().ToQRect().translated(off);
    if (qobject_cast<TqvSkinButton*>(c) || qobject_cast<TqvSkinEdit*>(c) || qobject_cast<TqvSkinComboBox*>(c) ||
        qobject_cast<TqvSkinOfficeComboBox*>(c))
        return QRect(off, c->size());
    return {};
}

// The texts and glyphs of root's controls, marked for the next placed picture
// in which root's top-left lies at `at`: every visible and enabled control
// without visible children (its edge left out; a captioned one must show its
// text), the cells of item views and the caption strips of captioned panels;
// and the outlines of the operable controls. Disabled controls are left out.
inline void MarkTexts(QWidget* root, QPoint at) {
    const std::function<void(QWidget*)> walk = [&](QWidget* w) {
        for (QObject* o : w->children()) {
            auto* c = qobject_cast<QWidget*>(o);
            if (!c || c->isWindow() || !c->isVisibleTo(root) || !c->isEnabled()) continue;
            // A control under another (the job panel's buttons under the logo) is not seen.
            const QPoint centre = c->mapTo(root, c->rect().center());
            QWidget* top = root->childAt(centre);
            const bool seen = top && (top == c || c->isAncestorOf(top));
            if (const QRect outline = ControlOutline(c, root, at); seen && !outline.isEmpty())
                TGallerySheet::MarkControlRegion(outline, RegionName(c) + QStringLiteral(" outline"));
            // A check or radio box's text is its caption; its box is a control.
            if (auto* box = qobject_cast<TqvSkinCheckRadioBox*>(c)) {
                const QRect caption = box->LastCaptionRect().ToQRect();
                if (!box->Caption().isEmpty() && !caption.isEmpty())
                    TGallerySheet::MarkTextRegion(caption.translated(at + c->mapTo(root, QPoint(0, 0))),
                                                  RegionName(c), TGallerySheet::TRegionKind::Caption);
                continue;
            }
            // Tracks and thumbs carry no text; a picture shown is the user's.
            if (qobject_cast<TqvSkinScrollBar*>(c) || qobject_cast<TqvSkinSlider*>(c) || qobject_cast<QScrollBar*>(c) ||
                qobject_cast<TImage*>(c))
                continue;
            if (auto* view = qobject_cast<QAbstractItemView*>(c)) {
                MarkCells(view, root, at);
                continue;
            }
            const QRect r(at + c->mapTo(root, QPoint(0, 0)), c->size());
            bool leaf = true;
            for (QObject* k : c->children())
                if (auto* kw = qobject_cast<QWidget*>(k); kw && !kw->isWindow() && kw->isVisibleTo(root)) leaf = false;
            if (leaf) {
                auto* control = qobject_cast<TControl*>(c);
                TGallerySheet::MarkTextRegion(r.adjusted(2, 2, -2, -2), RegionName(c),
                                              control && !control->Caption().isEmpty()
                                                  ? TGallerySheet::TRegionKind::Caption
                                                  : TGallerySheet::TRegionKind::Text);
                continue;
            }
            if (auto* panel = qobject_cast<TqvSkinPanel*>(c); panel && !panel->Caption().isEmpty())
                TGallerySheet::MarkTextRegion(QRect(r.topLeft(), QSize(r.width(), 22)).adjusted(4, 1, -4, 0),
                                              RegionName(c) + QStringLiteral(" caption"));
            walk(c);
        }
    };
    walk(root);
}

// A skinned form as the screen shows it: its frame, the client, and the sheet
// showing outside the window's shape. Its texts are marked, the picture's
// top-left at `markAt` of the picture placed next.
inline QImage FormPicture(TForm* form, TqvVelmora* comp, bool active, QPoint markAt = {}) {
    QImage img = comp->BuildFrameImage(active).convertToFormat(QImage::Format_RGB32);
    {
        QPainter p(&img);
        p.drawPixmap(form->Client()->geometry().topLeft(), form->Client()->grab());
    }
    const QPoint client = form->Client()->geometry().topLeft();
    TGallerySheet::MarkTextRegion(QRect(markAt, QSize(img.width(), client.y())).adjusted(4, 4, -4, -2),
                                  QStringLiteral("frame caption"));
    MarkTexts(form->Client(), markAt + client);
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
