// An MDI frame with its tabs bar: three cascaded children, then one maximized.
#include "tools/gallery/GallerySheet.h"

#include "platform/Application.h"
#include "platform/MdiClient.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/mdi/MdiTabsBar.h"

#include <QApplication>

namespace {

class TGalleryFrame : public TForm {
public:
    explicit TGalleryFrame(TqvSkinData* skin) : TForm(nullptr), FSkin(skin) { SetFormStyle(fsMDIForm); }
    TqvVelmora* QVF = nullptr;

protected:
    void Layout() override {
        SetCaption(QStringLiteral("Converter"));
        SetBounds(0, 0, 480, 300);
        auto* bar = new TqvSkinMDITabsBar(this);
        bar->SetParent(this);
        bar->SetAlign(alTop);
        bar->SetShowCloseButtons(true);
        bar->SetSkinData(FSkin);
        QVF = new TqvVelmora(this);
        QVF->SetSkinData(FSkin);
        QVF->SetMDITabsBar(bar);
        bar->SetVelmora(QVF);
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
    for (const char* c : {"holiday.mp4", "interview.mp4", "concert.mp4"}) {
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
    sheet.Place(frame->grab().toImage(), QStringLiteral("one child maximized"));
    delete frame;
    Application()->SetMainForm(oldMain);
}
