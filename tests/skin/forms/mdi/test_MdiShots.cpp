// Pictures to look at: a frame with its tabs bar and three cascaded
// children, then one child maximized, in two stored skins and without one.
#include "platform/Application.h"
#include "platform/MdiClient.h"
#include "platform/StdCtrls.h"
#include "resources/skins/StoredSkins.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/mdi/MdiTabsBar.h"

#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace {

class TFrame : public TForm {
public:
    explicit TFrame(TqvSkinData* skin) : TForm(nullptr), FSkin(skin) { SetFormStyle(fsMDIForm); }
    TqvSkinMDITabsBar* Bar = nullptr;
    TqvVelmora* QVF = nullptr;

protected:
    void Layout() override {
        SetCaption(QStringLiteral("Converter"));
        SetBounds(0, 0, 640, 420);
        Bar = new TqvSkinMDITabsBar(this);
        Bar->SetParent(this);
        Bar->SetAlign(alTop);
        Bar->SetShowCloseButtons(true);
        Bar->SetSkinData(FSkin);
        QVF = new TqvVelmora(this);
        QVF->SetSkinData(FSkin);
        QVF->SetMDITabsBar(Bar);
        Bar->SetVelmora(QVF);
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
        for (const char* n : {"holiday", "interview", "concert"}) {
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
        for (TChild* c : children) delete c;
        delete frame;
        Application()->SetMainForm(nullptr);
    }
}

}  // namespace
