// Edits, labels, check and radio boxes, speed buttons, the slider and the
// tool bar, each in its normal, hot, pressed, disabled and focused states,
// grabbed from a small form.
#include "tools/gallery/GalleryHost.h"

#include "platform/Application.h"
#include "platform/Form.h"
#include "skin/controls/bars/SkinSlider.h"
#include "skin/controls/bars/SkinToolBar.h"
#include "skin/controls/buttons/SkinMenuSpeedButton.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/labels/SkinLabels.h"
#include "skin/controls/panels/SkinPanel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <memory>

namespace {

using namespace gallery;

// The state of column i: 1 hot, 2 pressed, 3 disabled, 4 focused.
template <class T> void SetState(T* c, QWidget* target, int i, QPoint at) {
    if (i == 1 || i == 2) SendEnter(target);
    if (i == 2) Press(target, at);
    if (i == 3) c->SetEnabled(false);
    if (i == 4) c->setFocus();
}

void Edits(TGallerySheet& sheet) {
    for (int i = 0; i < 5; ++i) {
        TPanelHost host(sheet, 170, 40);
        auto* e = host.Make<TqvSkinEdit>();
        e->SetBounds(8, 8, 154, 22);
        e->SetButtonMode(i == 2);
        e->SetText(QStringLiteral("输出 Output"));
        if (i == 2) {
            SendEnter(e->Widget());
            Press(e->Widget(), QPoint(e->ButtonRect().Left + 3, 5));
        } else {
            SetState(e, e->Widget(), i, {20, 5});
        }
        sheet.Place(host.Shot(), QStringLiteral("edit %1").arg(QLatin1String(kStates[i])));
    }
}

void Labels(TGallerySheet& sheet) {
    TPanelHost host(sheet, 470, 60);
    auto* l = host.Make<TqvSkinStdLabel>();
    l->SetCaption(QStringLiteral("标签 Label"));
    l->SetBounds(8, 8, 80, 20);
    auto* d = host.Make<TqvSkinStdLabel>();
    d->SetCaption(QStringLiteral("禁用 Disabled"));
    d->SetEnabled(false);
    d->SetBounds(110, 8, 80, 20);
    auto* link = host.Make<TqvSkinLinkLabel>();
    link->SetCaption(QStringLiteral("链接 Link"));
    link->SetBounds(220, 8, 80, 20);
    auto* hot = host.Make<TqvSkinLinkLabel>();
    hot->SetCaption(QStringLiteral("悬停 Hover"));
    hot->SetBounds(320, 8, 80, 20);
    SendEnter(hot);
    auto* text = host.Make<TqvSkinTextLabel>();
    text->SetBounds(8, 32, 100, 20);
    text->Lines().SetText(QStringLiteral("文本标签 Text label"));
    sheet.Place(host.Shot(), QStringLiteral("standard, disabled, link, link hot, text label"));
}

void Checks(TGallerySheet& sheet) {
    for (int look = 0; look < 2; ++look) {
        for (int i = 0; i < 5; ++i) {
            TPanelHost host(sheet, 150, 60);
            auto* c = host.Make<TqvSkinCheckRadioBox>();
            c->SetFlat(look == 0);
            c->SetCaption(QStringLiteral("选项 Check"));
            c->SetBounds(4, 4, 140, 25);
            c->SetChecked(true);
            auto* r = host.Make<TqvSkinCheckRadioBox>();
            r->SetSkinDataName(QStringLiteral("radiobox"));
            r->SetRadio(true);
            r->SetFlat(look == 0);
            r->SetSkinData(host.Model);
            r->SetCaption(QStringLiteral("单选 Radio"));
            r->SetBounds(4, 32, 140, 25);
            r->SetChecked(i % 2 == 0);
            SetState(c, c, i, {8, 12});
            SetState(r, r, i == 4 ? 0 : i, {8, 12});
            sheet.Place(host.Shot(), QStringLiteral("%1 %2").arg(look ? "framed" : "flat", kStates[i]));
        }
        sheet.NewRow();
    }
}

void SpeedButtons(TGallerySheet& sheet) {
    for (int i = 0; i < 5; ++i) {
        TPanelHost host(sheet, 120, 46);
        auto* b = host.Make<TqvSkinSpeedButton>();
        b->SetCaption(QStringLiteral("工具"));
        b->SetBounds(4, 4, 50, 38);
        auto* m = host.Make<TqvSkinMenuSpeedButton>();
        m->SetCaption(QStringLiteral("菜单"));
        m->SetTrackButtonMode(true);
        m->SetBounds(60, 4, 56, 38);
        SetState(b, b, i == 4 ? 0 : i, {10, 10});
        SetState(m, m, i == 4 ? 0 : i, {10, 10});
        // Tool buttons never take the focus: the last column is a grouped button left down.
        if (i == 4) {
            b->SetGroupIndex(1);
            b->SetDown(true);
            m->SetGroupIndex(2);
            m->SetDown(true);
        }
        sheet.Place(host.Shot(), QStringLiteral("speed, menu %1").arg(QLatin1String(i == 4 ? "down" : kStates[i])));
    }
}

// A menu that opens nothing: the button shows its menu-open look.
struct TShownMenu : QObject, TqvPopupMenuRef {
    QObject* MenuObject() override { return this; }
    void Popup2(TControl*, int, int) override {}
    void PopupFromRect2(TControl*, const TRect&, bool) override {}
};

// The new-style menu button in track-button mode, its drop-down part at the
// right and at the bottom. The form stands away from the top-left corner,
// where the pointer of the earlier sections would make every button hot.
void NewStyleMenuButtons(TGallerySheet& sheet) {
    static const char* const states[] = {"normal", "hot", "pressed", "menu open", "disabled"};
    TShownMenu menu;
    for (int bottom = 0; bottom < 2; ++bottom) {
        for (int i = 0; i < 5; ++i) {
            TPanelHost host(sheet, 86, 62, {300, 300});
            auto* m = host.Make<TqvSkinMenuSpeedButton>();
            m->SetNewStyle(true);
            m->SetUseSkinSize(false);
            m->SetTrackButtonMode(true);
            m->SetTrackPosition(bottom ? qvtpBottom : qvtpRight);
            m->SetSkinPopupMenu(&menu);
            m->SetCaption(QStringLiteral("添加"));
            m->SetBounds(6, 6, 74, 50);
            if (i >= 1 && i <= 3) SendEnter(m);
            if (i == 2) Press(m, {10, 10});
            if (i == 3) Press(m, bottom ? QPoint(37, 45) : QPoint(66, 25));
            if (i == 4) m->SetEnabled(false);
            sheet.Place(host.Shot(), QStringLiteral("new style, %1, %2").arg(bottom ? "bottom" : "right", states[i]));
        }
        sheet.NewRow();
    }
}

void Sliders(TGallerySheet& sheet) {
    for (int i = 0; i < 5; ++i) {
        TPanelHost host(sheet, 210, 40);
        auto* s = host.Make<TqvSkinSlider>();
        s->SetBounds(4, 4, 200, 31);
        s->SetTransparent(true);
        s->SetValue(40);
        const TRect t = s->ThumbRect();
        SetState(s, s, i, {t.Left + 2, t.Top + 2});
        sheet.Place(host.Shot(), QStringLiteral("slider %1").arg(QLatin1String(kStates[i])));
    }
}

void ToolBars(TGallerySheet& sheet) {
    TPanelHost host(sheet, 470, 70);
    auto* bar = host.Make<TqvSkinToolBar>();
    bar->SetSkinDataName(QStringLiteral("resizetoolpanel"));
    bar->SetSkinData(host.Model);
    bar->SetCanScroll(true);
    bar->SetBounds(0, 0, 470, 59);
    for (int i = 0; i < 7; ++i) {
        auto* b = new TqvSkinMenuSpeedButton(host.Form.get());
        b->SetParent(bar);
        b->SetSkinDataName(QStringLiteral("resizetoolbutton"));
        b->SetNewStyle(true);
        b->SetUseSkinSize(false);
        b->SetSkinData(host.Model);
        b->SetCaption(QStringLiteral("按钮 %1").arg(i + 1));
        b->SetBounds(4 + i * 76, 0, 74, 46);
        if (i == 1) SendEnter(b);
    }
    bar->UpdateScrolling();
    sheet.Place(host.Shot(), QStringLiteral("resizetoolpanel, scrolling"));
}

}  // namespace

void DrawControls3Section(TGallerySheet& sheet) {
    Edits(sheet);
    sheet.NewRow();
    Labels(sheet);
    sheet.NewRow();
    Checks(sheet);
    SpeedButtons(sheet);
    sheet.NewRow();
    NewStyleMenuButtons(sheet);
    Sliders(sheet);
    sheet.NewRow();
    ToolBars(sheet);
}
