// Real skinned splitters, bevels, up-downs, a scroll box with its bars, a
// group box, a paint panel, status bars, page controls with their tabs on
// every side and a tree view with its bars, grabbed from small forms.
#include "tools/gallery/GallerySheet.h"

#include "platform/Application.h"
#include "platform/Form.h"
#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/pages/SkinPageControl.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/controls/scrollbox/SkinScrollBox.h"
#include "skin/controls/spacers/SkinSpacers.h"
#include "skin/controls/statusbar/SkinStatusBar.h"
#include "skin/controls/trees/SkinTreeView.h"
#include "skin/controls/updown/SkinUpDown.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>

#include <memory>

namespace {

void SendEnter(QWidget* w, QPoint at) {
    const QPointF p(at);
    QEnterEvent e(p, p, w->mapToGlobal(p));
    QCoreApplication::sendEvent(w, &e);
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, bool held) {
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held ? Qt::LeftButton : Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

struct THost {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>();
    TqvSkinData* Model;
    THost(TGallerySheet& sheet, int w, int h) : Model(const_cast<TqvSkinData*>(&sheet.Skin())) {
        Form->SetBounds(0, 0, w, h);
        Form->Show();
    }
    template <class T> T* Make(TWinControl* parent) {
        auto* c = new T(Form.get());
        c->SetParent(parent ? parent : Form.get());
        return c;
    }
    QImage Shot() {
        QCoreApplication::processEvents();
        return Form->grab().toImage();
    }
};

TqvSkinPanel* Back(THost& host, int w, int h) {
    auto* panel = host.Make<TqvSkinPanel>(nullptr);
    panel->SetSkinData(host.Model);
    panel->SetBounds(0, 0, w, h);
    return panel;
}

void Spacers(TGallerySheet& sheet) {
    THost host(sheet, 360, 170);
    auto* panel = Back(host, 360, 170);
    auto* left = host.Make<TqvSkinPanel>(panel);
    left->SetSkinData(host.Model);
    left->SetAlign(alLeft);
    left->SetWidth(90);
    auto* v = host.Make<TqvSkinSplitter>(panel);
    v->SetAlign(alLeft);
    v->SetLeft(100);
    v->SetSkinData(host.Model);
    auto* top = host.Make<TqvSkinPanel>(panel);
    top->SetSkinData(host.Model);
    top->SetAlign(alTop);
    top->SetHeight(50);
    auto* h = host.Make<TqvSkinSplitter>(panel);
    h->SetAlign(alTop);
    h->SetTop(60);
    h->SetSkinDataName(QStringLiteral("hsplitter"));
    h->SetSkinData(host.Model);
    auto* rest = host.Make<TqvSkinPanel>(panel);
    rest->SetSkinData(host.Model);
    rest->SetAlign(alClient);
    int x = 10;
    for (TBevelShape s : {TBevelShape::bsBox, TBevelShape::bsFrame, TBevelShape::bsTopLine}) {
        auto* b = host.Make<TqvSkinBevel>(rest);
        b->SetSkinData(host.Model);
        b->SetShape(s);
        b->SetBounds(x, 10, 50, 40);
        x += 60;
    }
    auto* divider = host.Make<TqvSkinBevel>(rest);
    divider->SetSkinData(host.Model);
    divider->SetDividerMode(true);
    divider->SetBounds(x, 10, 12, 40);
    sheet.Place(host.Shot(), QStringLiteral("splitters (vsplitter, hsplitter), bevels: box, frame, line, divider"));
}

void UpDowns(TGallerySheet& sheet) {
    THost host(sheet, 420, 60);
    auto* panel = Back(host, 420, 60);
    const char* names[] = {"normal", "up hot", "down pressed", "disabled", "free 60 x 30"};
    QList<TqvSkinUpDown*> uds;
    for (int i = 0; i < 5; ++i) {
        auto* u = host.Make<TqvSkinUpDown>(panel);
        u->SetSkinData(host.Model);
        if (i == 4) u->SetUseSkinSize(false);
        u->SetBounds(10 + i * 80, 12, i == 4 ? 60 : 50, i == 4 ? 30 : 25);
        uds << u;
    }
    auto centre = [](const TRect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); };
    SendEnter(uds[1], centre(uds[1]->Button(0).R));
    SendMouse(uds[1], QEvent::MouseMove, centre(uds[1]->Button(0).R), false);
    SendEnter(uds[2], centre(uds[2]->Button(1).R));
    SendMouse(uds[2], QEvent::MouseButtonPress, centre(uds[2]->Button(1).R), true);
    uds[3]->SetEnabled(false);
    SendEnter(uds[4], centre(uds[4]->Button(0).R));
    SendMouse(uds[4], QEvent::MouseMove, centre(uds[4]->Button(0).R), false);
    const QImage shot = host.Shot();
    for (int i = 0; i < 5; ++i)
        sheet.Place(shot.copy(uds[i]->geometry().adjusted(-6, -6, 6, 6)), QString::fromLatin1(names[i]));
}

void ScrollBox(TGallerySheet& sheet) {
    THost host(sheet, 260, 190);
    auto* panel = Back(host, 260, 190);
    auto* box = host.Make<TqvSkinScrollBox>(panel);
    box->SetSkinData(host.Model);
    box->SetBounds(10, 10, 200, 150);
    auto* vbar = host.Make<TqvSkinScrollBar>(panel);
    vbar->SetKind(sbVertical);
    vbar->SetSkinDataName(QStringLiteral("vscrollbar"));
    vbar->SetSkinData(host.Model);
    vbar->SetBounds(210, 10, 19, 150);
    auto* hbar = host.Make<TqvSkinScrollBar>(panel);
    hbar->SetSkinData(host.Model);
    hbar->SetBounds(10, 160, 219, 19);
    for (int i = 0; i < 6; ++i) {
        auto* p = host.Make<TqvSkinPanel>(box);
        p->SetSkinData(host.Model);
        p->SetCaption(QStringLiteral("项 %1").arg(i + 1));
        p->SetBounds(10 + (i % 2) * 130, 10 + (i / 2) * 70, 120, 60);
    }
    box->SetVScrollBar(vbar);
    box->SetHScrollBar(hbar);
    box->VScroll(30);
    box->HScroll(20);
    sheet.Place(host.Shot(), QStringLiteral("scroll box scrolled by both bars"));
}

void Panels(TGallerySheet& sheet) {
    THost host(sheet, 460, 150);
    auto* panel = Back(host, 460, 150);
    auto* group = host.Make<TqvSkinGroupBox>(panel);
    group->SetSkinData(host.Model);
    group->SetCaption(QStringLiteral("分组 Group box"));
    group->SetBounds(10, 10, 200, 90);
    auto* paint = host.Make<TqvSkinPaintPanel>(panel);
    paint->SetSkinData(host.Model);
    paint->OnPanelPaint = [](TCanvas& C, TRect R) {
        C.Pen().SetColor(clRed);
        C.MoveTo(R.Left, R.Top);
        C.LineTo(R.Right, R.Bottom);
        C.MoveTo(R.Right - 1, R.Top);
        C.LineTo(R.Left - 1, R.Bottom);
    };
    paint->SetBounds(230, 10, 200, 90);
    auto* status = host.Make<TqvSkinStatusBar>(panel);
    status->SetSkinData(host.Model);
    status->SetCaption(QStringLiteral("就绪 Ready"));
    status->SetSizeGrip(true);
    sheet.Place(host.Shot(), QStringLiteral("group box, paint panel (red cross on its client), status bar with grip"));
}

void Pages(TGallerySheet& sheet) {
    const TTabPosition positions[] = {tpTop, tpBottom, tpLeft, tpRight};
    const char* names[] = {"top, tab 2 hot, close buttons", "bottom", "left", "right, focused"};
    for (int k = 0; k < 4; ++k) {
        THost host(sheet, 260, 170);
        auto* panel = Back(host, 260, 170);
        auto* pc = host.Make<TqvSkinPageControl>(panel);
        pc->SetSkinData(host.Model);
        pc->SetBounds(5, 5, 250, 160);
        for (int i = 0; i < 3; ++i) {
            auto* s = new TqvSkinTabSheet(host.Form.get());
            s->SetCaption(i == 0 ? QStringLiteral("常规") : QStringLiteral("Page %1").arg(i + 1));
            s->SetPageControl(pc);
        }
        pc->SetTabWidth(k < 2 ? 75 : 55);
        pc->SetTabHeight(k < 2 ? 0 : 22);
        pc->SetTabPosition(positions[k]);
        if (k == 0) {
            pc->SetShowCloseButtons(true);
            const TRect t = pc->TabRect(2);
            const QPoint at((t.Left + t.Right) / 2 - 10, (t.Top + t.Bottom) / 2);
            SendEnter(pc, at);
            SendMouse(pc, QEvent::MouseMove, at, false);
        }
        if (k == 3) {
            QApplication::setActiveWindow(host.Form.get());
            pc->setFocus();
        }
        sheet.Place(host.Shot(), QStringLiteral("page control: %1").arg(QString::fromLatin1(names[k])));
    }
}

void Tree(TGallerySheet& sheet) {
    THost host(sheet, 260, 190);
    auto* panel = Back(host, 260, 190);
    auto* tree = host.Make<TqvSkinCustomTreeView>(panel);
    tree->SetBounds(10, 10, 200, 150);
    auto* vbar = host.Make<TqvSkinScrollBar>(panel);
    vbar->SetKind(sbVertical);
    vbar->SetSkinDataName(QStringLiteral("vscrollbar"));
    vbar->SetSkinData(host.Model);
    vbar->SetBounds(210, 10, 19, 150);
    auto* hbar = host.Make<TqvSkinScrollBar>(panel);
    hbar->SetSkinData(host.Model);
    hbar->SetBounds(10, 160, 219, 19);
    for (int i = 0; i < 4; ++i) {
        TTreeNode* top = tree->Items().Add(QStringLiteral("文件夹 Folder %1").arg(i + 1));
        for (int k = 0; k < 6; ++k)
            tree->Items().AddChild(top, QStringLiteral("clip_%1_%2 with a long name.mp4").arg(i + 1).arg(k + 1));
    }
    tree->Items().Top(0)->Expand();
    tree->Items().Top(1)->Expand();
    tree->SetVScrollBar(vbar);
    tree->SetHScrollBar(hbar);
    tree->SetSkinData(host.Model);
    tree->SetSelected(tree->Items().Top(1)->Item(2));
    QCoreApplication::processEvents();
    tree->UpDateScrollBars();
    sheet.Place(host.Shot(), QStringLiteral("tree view with both bars, a node selected"));
}

}  // namespace

void DrawControls4Section(TGallerySheet& sheet) {
    Spacers(sheet);
    ScrollBox(sheet);
    sheet.NewRow();
    UpDowns(sheet);
    sheet.NewRow();
    Panels(sheet);
    sheet.NewRow();
    Pages(sheet);
    sheet.NewRow();
    Tree(sheet);
}
