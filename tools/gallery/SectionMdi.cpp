// An MDI frame with its menu bar and tabs bar: cascaded children, then one
// maximized (its buttons on the menu bar, its menu merged in), then the
// hidden-tabs menu open.
#include "tools/gallery/GallerySheet.h"

#include "platform/Application.h"
#include "platform/MdiClient.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/mdi/MdiTabsBar.h"
#include "skin/forms/menu/SkinMenu.h"
#include "skin/forms/menubar/MainMenuBar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {

class TGalleryFrame : public TForm {
public:
    explicit TGalleryFrame(TqvSkinData* skin) : TForm(nullptr), FSkin(skin) { SetFormStyle(fsMDIForm); }
    TqvVelmora* QVF = nullptr;
    TqvSkinMDITabsBar* Tabs = nullptr;

protected:
    void Layout() override {
        SetCaption(QStringLiteral("Converter"));
        SetBounds(0, 0, 480, 300);
        auto* menu = new TMainMenu(this);
        for (const auto& [caption, group] : {std::pair{"&File", 0}, std::pair{"&Edit", 1}, std::pair{"&Window", 2}}) {
            auto* item = new TMenuItem;
            item->SetCaption(QString::fromLatin1(caption));
            item->SetGroupIndex(group);
            menu->Items()->Add(item);
        }
        auto* menuBar = new TqvSkinMainMenuBar(this);
        menuBar->SetParent(this);
        menuBar->SetSkinData(FSkin);
        auto* bar = new TqvSkinMDITabsBar(this);
        Tabs = bar;
        bar->MinTabWidth = 110;
        bar->SetParent(this);
        bar->SetAlign(alTop);
        bar->SetShowCloseButtons(true);
        bar->SetSkinData(FSkin);
        QVF = new TqvVelmora(this);
        QVF->SetSkinData(FSkin);
        QVF->SetMDITabsBar(bar);
        bar->SetVelmora(QVF);
        menuBar->SetVelmora(QVF);
        menuBar->SetMainMenu(menu);
    }

private:
    TqvSkinData* FSkin;
};

class TGalleryChild : public TForm {
public:
    TGalleryChild(const QString& caption, TqvSkinData* skin) : TForm(nullptr), FCaption(caption), FSkin(skin) {
        SetFormStyle(fsMDIChild);
    }
    TqvVelmora* QVF = nullptr;

protected:
    void Layout() override {
        SetCaption(FCaption);
        SetBounds(0, 0, 240, 160);
        // Its own menu, merged into the frame's group 1.
        auto* menu = new TMainMenu(this);
        auto* item = new TMenuItem;
        item->SetCaption(QStringLiteral("&Clip"));
        item->SetGroupIndex(1);
        menu->Items()->Add(item);
        QVF = new TqvVelmora(this);
        QVF->SetSkinData(FSkin);
    }

private:
    QString FCaption;
    TqvSkinData* FSkin;
};

}  // namespace

void DrawMdiSection(TGallerySheet& sheet)
{
    auto* skin = const_cast<TqvSkinData*>(&sheet.Skin());
    TForm* oldMain = Application()->MainForm();
    auto* frame = new TGalleryFrame(skin);
    Application()->SetMainForm(frame);
    frame->Build();
    frame->Show();
    std::vector<TGalleryChild*> children;
    for (const char* c : {"holiday.mp4", "interview.mp4", "concert.mp4", "lecture.mp4", "wedding.mp4"}) {
        auto* child = new TGalleryChild(QString::fromLatin1(c), skin);
        child->Build();
        child->Show();
        children.push_back(child);
    }
    frame->QVF->Cascade();
    QApplication::processEvents();
    sheet.Place(frame->grab().toImage(), QStringLiteral("cascaded, tabs with close buttons"));
    children[1]->QVF->SetWindowState(wsMaximized);
    frame->MDIClient()->Activate(children[1]);
    QApplication::processEvents();
    sheet.Place(frame->grab().toImage(), QStringLiteral("one child maximized: its buttons and menu on the bar"));
    if (TqvSkinMenuSpeedButton* b = frame->Tabs->HideListButton()) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), b->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(b, &press);
        QApplication::processEvents();
        TqvSkinMenu* m = frame->QVF->SkinMenu();
        QRect all(QPoint(0, 0), frame->size());
        for (int i = 0; i < m->LevelCount(); ++i) all |= QRect(m->Level(i)->pos() - frame->pos(), m->Level(i)->size());
        QImage shot(all.size(), QImage::Format_RGB32);
        shot.fill(Qt::white);
        QPainter p(&shot);
        p.drawImage(-all.topLeft(), frame->grab().toImage());
        for (int i = 0; i < m->LevelCount(); ++i)
            p.drawImage(m->Level(i)->pos() - frame->pos() - all.topLeft(), m->Level(i)->grab().toImage());
        p.end();
        m->Hide();
        sheet.Place(shot, QStringLiteral("the hidden-tabs menu"));
    }
    if (skin->GetControlIndex(QStringLiteral("tab")) != -1) {
        // The bar's other looks, the bar alone: tabs as buttons, and tabs sized by a 26-pixel bar.
        TqvSkinMDITabsBar* bar = frame->Tabs;
        bar->SetTabKind(qvtkButton);
        QApplication::processEvents();
        sheet.Place(bar->grab().toImage(), QStringLiteral("tabs as buttons"));
        bar->SetTabKind(qvtkTab);
        bar->UseSkinSize = false;
        bar->SetDefaultHeight(26);
        bar->ChangeSkinData();
        QApplication::processEvents();
        sheet.Place(bar->grab().toImage(), QStringLiteral("tabs sized by the bar"));
    }
    delete frame;
    Application()->SetMainForm(oldMain);
}
