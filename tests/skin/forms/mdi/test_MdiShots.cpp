// Pictures to look at: a frame with its menu bar, tabs bar and cascaded
// children; one child maximized (its buttons on the menu bar, its menu merged);
// the hidden-tabs menu open; in two stored skins and without one; with a
// skin, the tabs as buttons and the tabs sized by the bar.
#include "platform/Application.h"
#include "platform/MdiClient.h"
#include "platform/StdCtrls.h"
#include "resources/skins/StoredSkins.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/mdi/MdiTabsBar.h"
#include "skin/forms/menu/SkinMenu.h"
#include "skin/forms/menubar/MainMenuBar.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

class TFrame : public TForm {
public:
    explicit TFrame(TqvSkinData* skin) : TForm(nullptr), FSkin(skin) { SetFormStyle(fsMDIForm); }
    TqvSkinMDITabsBar* Bar = nullptr;
    TqvSkinMainMenuBar* MenuBar = nullptr;
    TqvVelmora* QVF = nullptr;

protected:
    void Layout() override {
        SetCaption(QStringLiteral("Converter"));
        SetBounds(0, 0, 640, 420);
        auto* menu = new TMainMenu(this);
        for (const auto& [caption, group] : {std::pair{"&File", 0}, std::pair{"&Edit", 1}, std::pair{"&Window", 2}}) {
            auto* item = new TMenuItem;
            item->SetCaption(QString::fromLatin1(caption));
            item->SetGroupIndex(group);
            menu->Items()->Add(item);
        }
        MenuBar = new TqvSkinMainMenuBar(this);
        MenuBar->SetParent(this);
        MenuBar->SetSkinData(FSkin);
        Bar = new TqvSkinMDITabsBar(this);
        Bar->SetParent(this);
        Bar->SetAlign(alTop);
        Bar->SetShowCloseButtons(true);
        Bar->SetSkinData(FSkin);
        QVF = new TqvVelmora(this);
        QVF->SetSkinData(FSkin);
        QVF->SetMDITabsBar(Bar);
        Bar->SetVelmora(QVF);
        Bar->MinTabWidth = 150;
        MenuBar->SetVelmora(QVF);
        MenuBar->SetMainMenu(menu);
    }

private:
    TqvSkinData* FSkin;
};

class TChild : public TForm {
public:
    TChild(const QString& name, TqvSkinData* skin) : TForm(nullptr), FName(name), FSkin(skin) {
        SetFormStyle(fsMDIChild);
    }
    TqvVelmora* QVF = nullptr;

protected:
    void Layout() override {
        SetName(FName);
        SetCaption(FName + QStringLiteral(".mp4"));
        SetBounds(0, 0, 300, 200);
        // Its own menu item in the frame's group 1.
        auto* menu = new TMainMenu(this);
        auto* item = new TMenuItem;
        item->SetCaption(QStringLiteral("&Clip"));
        item->SetGroupIndex(1);
        menu->Items()->Add(item);
        auto* l = new TEdit(this);
        l->SetParent(this);
        l->SetBounds(10, 10, 200, 20);
        l->SetText(QStringLiteral("Settings of ") + FName);
        QVF = new TqvVelmora(this);
        QVF->SetSkinData(FSkin);
    }

private:
    QString FName;
    TqvSkinData* FSkin;
};

TEST(MdiShots, CascadedAndMaximized) {
    const QString dir = QStringLiteral(QV_SHOT_DIR);
    QDir().mkpath(dir);
    TqvCompressedSkinList list;
    LoadStoredSkins(list);
    for (int index : {1, 6, -1}) {
        TqvSkinData model;
        model.SetSkinIndex(-1);
        model.SetSkinList(&list);
        if (index >= 0) model.SetSkinIndex(index);
        TqvSkinData* skin = index >= 0 ? &model : nullptr;
        auto* frame = new TFrame(skin);
        Application()->SetMainForm(frame);
        frame->Build();
        frame->Show();
        std::vector<TChild*> children;
        for (const char* n : {"holiday", "interview", "concert", "lecture", "wedding", "recital"}) {
            auto* c = new TChild(QString::fromLatin1(n), skin);
            c->Build();
            c->Show();
            children.push_back(c);
        }
        frame->QVF->Cascade();
        QApplication::processEvents();
        const QString name = index >= 0 ? QStringLiteral("skin%1").arg(index) : QStringLiteral("noskin");
        EXPECT_TRUE(frame->grab().save(dir + QStringLiteral("/cascade_%1.png").arg(name)));
        children[1]->QVF->SetWindowState(wsMaximized);
        frame->MDIClient()->Activate(children[1]);
        QApplication::processEvents();
        EXPECT_TRUE(frame->grab().save(dir + QStringLiteral("/maximized_%1.png").arg(name)));
        EXPECT_EQ(frame->MenuBar->ButtonsCount, 4);
        // The hidden-tabs menu open over the frame.
        ASSERT_TRUE(frame->Bar->HideListButton());
        TqvSkinMenuSpeedButton* b = frame->Bar->HideListButton();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), b->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(b, &press);
        QApplication::processEvents();
        TqvSkinMenu* m = frame->QVF->SkinMenu();
        ASSERT_EQ(m->LevelCount(), 1);
        QRect all(QPoint(0, 0), frame->size());
        for (int i = 0; i < m->LevelCount(); ++i) all |= QRect(m->Level(i)->pos() - frame->pos(), m->Level(i)->size());
        QImage shot(all.size(), QImage::Format_RGB32);
        shot.fill(Qt::white);
        {
            QPainter p(&shot);
            p.drawImage(-all.topLeft(), frame->grab().toImage());
            for (int i = 0; i < m->LevelCount(); ++i)
                p.drawImage(m->Level(i)->pos() - frame->pos() - all.topLeft(), m->Level(i)->grab().toImage());
        }
        EXPECT_TRUE(shot.save(dir + QStringLiteral("/hiddentabs_%1.png").arg(name)));
        frame->QVF->SkinMenu()->Hide();
        if (skin) {
            // The bar's other two looks: tabs as buttons, and tabs sized by the bar (taller active tab).
            frame->Bar->SetTabKind(qvtkButton);
            QApplication::processEvents();
            EXPECT_TRUE(frame->grab().save(dir + QStringLiteral("/buttontabs_%1.png").arg(name)));
            frame->Bar->SetTabKind(qvtkTab);
            frame->Bar->UseSkinSize = false;
            frame->Bar->SetDefaultHeight(26);
            frame->Bar->ChangeSkinData();
            QApplication::processEvents();
            EXPECT_TRUE(frame->grab().save(dir + QStringLiteral("/resizedtabs_%1.png").arg(name)));
        }
        for (TChild* c : children) delete c;
        delete frame;
        Application()->SetMainForm(nullptr);
    }
}

}  // namespace
