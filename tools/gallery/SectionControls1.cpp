// Real skinned controls in forced states: panels, buttons, scroll bars and
// the list view with its header and bars, each grabbed from a small form.
#include "tools/gallery/GallerySheet.h"

#include "platform/Application.h"
#include "platform/Form.h"
#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/controls/views/SkinListView.h"

#include <QApplication>
#include <QEnterEvent>
#include <QHeaderView>
#include <QMouseEvent>

#include <memory>

namespace {

void SendEnter(QWidget* w) {
    const QPointF p(1, 1);
    QEnterEvent e(p, p, w->mapToGlobal(p));
    QCoreApplication::sendEvent(w, &e);
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos) {
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

struct THost {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>();
    TqvSkinData* Model;
    explicit THost(TGallerySheet& sheet, int w, int h) : Model(const_cast<TqvSkinData*>(&sheet.Skin())) {
        Form->SetBounds(0, 0, w, h);
        Form->Show();
        QApplication::setActiveWindow(Form.get());
    }
    template <class T> T* Make(TWinControl* parent = nullptr) {
        auto* c = new T(Form.get());
        c->SetParent(parent ? parent : Form.get());
        c->SetSkinData(Model);
        return c;
    }
    QImage Shot() {
        QCoreApplication::processEvents();
        return Form->grab().toImage();
    }
};

void Panels(TGallerySheet& sheet) {
    THost host(sheet, 470, 150);
    auto* panel = host.Make<TqvSkinPanel>();
    panel->SetBounds(0, 0, 470, 150);
    auto* group = host.Make<TqvSkinPanel>(panel);
    group->SetCaption(QStringLiteral("分组 Group"));
    group->SetCaptionMode(true);
    group->SetTransparentMode(true);
    group->SetBounds(15, 15, 210, 120);
    // The skins give caption bands to "groupbox"; a plain "panel" has none.
    auto* caption = host.Make<TqvSkinPanel>(panel);
    caption->SetSkinDataName(QStringLiteral("groupbox"));
    caption->SetSkinData(host.Model);
    caption->SetCaption(QStringLiteral("标题 Caption"));
    caption->SetCaptionMode(true);
    caption->SetCheckedMode(true);
    caption->SetChecked(true);
    caption->SetBounds(245, 15, 210, 120);
    sheet.Place(host.Shot(), QStringLiteral("panel, group frame, checked caption panel"));
}

void Buttons(TGallerySheet& sheet) {
    THost host(sheet, 520, 50);
    auto* panel = host.Make<TqvSkinPanel>();
    panel->SetBounds(0, 0, 520, 50);
    const char* names[] = {"normal", "hot", "pressed", "disabled", "focused"};
    QList<TqvSkinButton*> buttons;
    for (int i = 0; i < 5; ++i) {
        auto* b = host.Make<TqvSkinButton>(panel);
        b->SetCaption(i == 0 ? QStringLiteral("确定") : QString::fromLatin1(names[i]));
        b->SetBounds(10 + i * 100, 12, 90, 26);
        buttons << b;
    }
    SendEnter(buttons[1]);
    buttons[2]->SetCanFocused(false);
    SendEnter(buttons[2]);
    SendMouse(buttons[2], QEvent::MouseButtonPress, {5, 5});
    buttons[3]->SetEnabled(false);
    buttons[4]->SetFocus();
    const QImage shot = host.Shot();
    for (int i = 0; i < 5; ++i)
        sheet.Place(shot.copy(buttons[i]->geometry().adjusted(-6, -6, 6, 6)), QString::fromLatin1(names[i]));
}

void Bars(TGallerySheet& sheet) {
    THost host(sheet, 300, 150);
    auto* panel = host.Make<TqvSkinPanel>();
    panel->SetBounds(0, 0, 300, 150);
    auto* plain = host.Make<TqvSkinScrollBar>(panel);
    plain->SetBounds(10, 10, 240, 19);
    plain->SetRange(0, 99, 30, 20);
    auto* hot = host.Make<TqvSkinScrollBar>(panel);
    hot->SetBounds(10, 40, 240, 19);
    hot->SetRange(0, 99, 0, 0);
    auto* both = host.Make<TqvSkinScrollBar>(panel);
    both->SetBounds(10, 120, 259, 19);
    both->SetRange(0, 99, 60, 40);
    both->SetBoth(true);
    auto* vert = host.Make<TqvSkinScrollBar>(panel);
    vert->SetKind(sbVertical);
    vert->SetSkinDataName(QStringLiteral("vscrollbar"));
    vert->SetSkinData(host.Model);
    vert->SetBounds(250, 10, 19, 110);
    vert->SetRange(0, 49, 10, 10);
    // The hot bar: pointer over its thumb; the vertical one: its down arrow held.
    hot->CalcRects();
    const TRect t = hot->PartRect(0);
    SendEnter(hot);
    SendMouse(hot, QEvent::MouseMove, {(t.Left + t.Right) / 2, 9});
    vert->CalcRects();
    const TRect d = vert->PartRect(2);
    SendEnter(vert);
    SendMouse(vert, QEvent::MouseButtonPress, {(d.Left + d.Right) / 2, (d.Top + d.Bottom) / 2});
    sheet.Place(host.Shot(), QStringLiteral("bars: paged, thumb hot, arrow pressed, with the corner"));
}

void ListView(TGallerySheet& sheet, bool pressedHeader) {
    THost host(sheet, 430, 230);
    auto* panel = host.Make<TqvSkinPanel>();
    panel->SetBounds(0, 0, 430, 230);
    auto* view = host.Make<TqvSkinListView>(panel);
    view->SetViewStyle(vsReport);
    view->SetRowSelect(true);
    view->SetGridLines(true);
    view->SetReadOnly(true);
    view->SetBounds(10, 10, 380, 180);
    auto* vbar = host.Make<TqvSkinScrollBar>(panel);
    vbar->SetKind(sbVertical);
    vbar->SetSkinDataName(QStringLiteral("vscrollbar"));
    vbar->SetSkinData(host.Model);
    vbar->SetBounds(390, 10, 19, 180);
    auto* hbar = host.Make<TqvSkinScrollBar>(panel);
    hbar->SetBounds(10, 190, 399, 19);
    view->SetVScrollBar(vbar);
    view->SetHScrollBar(hbar);
    struct TCol { const char* Caption; int Width; TAlignment Align; };
    const TCol cols[] = {{"输入文件 Input", 150, taLeftJustify}, {"时长", 70, taCenter},   {"大小", 70, taRightJustify},
                         {"hidden", 0, taLeftJustify},           {"输出文件", 120, taLeftJustify}, {"进度 Progress", 90, taRightJustify}};
    for (const TCol& c : cols) {
        TListColumn* col = view->Columns().Add();
        col->SetCaption(QString::fromUtf8(c.Caption));
        // The second picture hides the output column, so the header's rest shows.
        col->SetWidth(pressedHeader && col->Index() == 4 ? 0 : pressedHeader && col->Index() == 5 ? 60 : c.Width);
        col->SetAlignment(c.Align);
    }
    for (int r = 0; r < 30; ++r) {
        TListItem* it = view->Items().Add();
        it->SetCaption(QStringLiteral("/home/user/视频/clip_%1.mp4").arg(r + 1, 2, 10, QLatin1Char('0')));
        it->SubItems().Add(QStringLiteral("00:0%1:2%2").arg(r % 10).arg(r % 6));
        it->SubItems().Add(QStringLiteral("%1 MB").arg(12 + 7 * r));
        it->SubItems().Add(QStringLiteral("x"));
        it->SubItems().Add(QStringLiteral("clip_%1.avi").arg(r + 1));
        it->SubItems().Add(QStringLiteral("%1%").arg((r * 37) % 101));
    }
    view->SetItemIndex(2);
    view->UpDateScrollBars();
    if (pressedHeader) {
        QWidget* vp = view->Header()->viewport();
        SendMouse(vp, QEvent::MouseButtonPress, {view->Header()->sectionViewportPosition(1) + 20, 8});
    }
    sheet.Place(host.Shot(), pressedHeader ? QStringLiteral("list view: header section pressed, a column hidden, the rest")
                                           : QStringLiteral("list view: report, row selected, both bars"));
}

}  // namespace

void DrawControls1Section(TGallerySheet& sheet) {
    Panels(sheet);
    Bars(sheet);
    sheet.NewRow();
    Buttons(sheet);
    sheet.NewRow();
    ListView(sheet, false);
    ListView(sheet, true);
}
