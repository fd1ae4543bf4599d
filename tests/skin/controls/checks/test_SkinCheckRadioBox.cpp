#include "tests/skin/controls/ControlTestSupport.h"

#include "platform/ActnList.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/model/SkinRecords.h"

namespace {

using Z = TTestSkin::TZone;

QString RectText(const TRect& r) { return QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom); }

// Glyph cells: 14 x 14 pieces of other records' flat cells, whose
// bottom-left pixel (a corner zone, the transparent colour) differs from
// their middle (the client zone).
struct CheckTest : SkinControlTest {
    static constexpr TColor kFrameFont = RGB(0, 90, 0), kDisabledFont = RGB(120, 0, 0);
    struct GlyphCell {
        const char* Key;
        const char* Record;
        const char* Cell;
    };
    static constexpr GlyphCell kGlyphs[] = {
        {"checkimagerect", "button", "skinrect"},
        {"uncheckimagerect", "button", "activeskinrect"},
        {"activecheckimagerect", "button", "downskinrect"},
        {"activeuncheckimagerect", "button", "disabledskinrect"},
        {"unenabledcheckimagerect", "button", "focusedskinrect"},
        {"unenableduncheckimagerect", "toolmenubutton", "skinrect"},
        {"grayedcheckimagerect", "toolmenubutton", "activeskinrect"},
        {"activegrayedcheckimagerect", "toolmenubutton", "downskinrect"},
    };
    QStringList Without;
    void Glyphs() {
        const QString cb = QStringLiteral("checkbox");
        for (const GlyphCell& g : kGlyphs) {
            if (Without.contains(QLatin1String(g.Key))) continue;
            const TRect c = Skin.FlatRect(QLatin1String(g.Record), QLatin1String(g.Cell));
            Skin.Set(cb, QLatin1String(g.Key), RectText(Rect(c.Left, c.Top + 50, c.Left + 14, c.Top + 64)));
        }
        Skin.Set(cb, QStringLiteral("framefontcolor"), QString::number(kFrameFont));
        Skin.Set(cb, QStringLiteral("unenabledfontcolor"), QString::number(kDisabledFont));
        Skin.Set(cb, QStringLiteral("checkimagearea"), QStringLiteral("4,8,24,60"));
        Skin.Set(cb, QStringLiteral("textarea"), QStringLiteral("26,8,60,60"));
    }
    // The middle colour of a glyph cell.
    QRgb GlyphColour(const char* key) const {
        for (const GlyphCell& g : kGlyphs)
            if (QLatin1String(g.Key) == QLatin1String(key)) return Flat(QLatin1String(g.Record), QLatin1String(g.Cell), Z::zC);
        return 0;
    }
    TqvSkinCheckRadioBox* Box(bool skinned, bool radio = false) {
        auto* b = Make<TqvSkinCheckRadioBox>();
        b->SetRadio(radio);
        if (skinned) {
            LoadSkin();
            b->SetSkinData(Model);
        }
        b->SetBounds(10, 10, 150, 25);
        return b;
    }
    static void Click(QWidget* w, QPoint at = {8, 12}) {
        SendMouse(w, QEvent::MouseButtonPress, at);
        SendMouse(w, QEvent::MouseButtonRelease, at);
    }
};

TEST_F(CheckTest, FlatSkinlessRadioOverTheParent) {
    Form->SetColor(RGB(10, 200, 10));
    auto* r = Box(false, true);
    r->SetCaption(QString());
    Form->Show();
    QImage img = r->BuildImage();
    EXPECT_EQ(Px(img, 1, 1), qRgb(10, 200, 10)) << "the parent shows through";
    EXPECT_EQ(Px(img, 3, 10), ColorToQColor(clBtnShadow).rgb()) << "square frame";
    EXPECT_EQ(Px(img, 10, 12), qRgb(10, 200, 10)) << "unchecked: nothing inside";
    r->SetChecked(true);
    img = r->BuildImage();
    EXPECT_EQ(Px(img, 10, 12), qRgb(0, 0, 0)) << "the filled square";
    SendEnter(r);
    EXPECT_EQ(Px(r->BuildImage(), 3, 10), ColorToQColor(clNavy).rgb());
    r->SetEnabled(false);
    EXPECT_EQ(Px(r->BuildImage(), 10, 12), ColorToQColor(clBtnShadow).rgb());
}

// A radio without a record on a skinned panel: the caption and the mark take
// the panel's text colour (the "stdlabel" font), which reads on a dark face;
// a colour of the box's own, or a panel without a record, leaves the font's.
TEST_F(CheckTest, FlatSkinlessLookTakesTheSkinnedPanelsTextColour) {
    constexpr TColor kLabel = RGB(230, 235, 240);
    Skin.Set(QStringLiteral("stdlabel"), QStringLiteral("fontcolor"), QString::number(kLabel));
    LoadSkin();
    auto* skinned = Make<TqvSkinPanel>();
    skinned->SetSkinData(Model);
    skinned->SetBounds(0, 0, 240, 120);
    auto* plain = Make<TqvSkinPanel>();
    plain->SetBounds(250, 0, 240, 120);
    Form->Show();
    struct Case {
        const char* name;
        TqvSkinPanel* parent;
        TColor own;  // the box's font colour
        TColor caption;
    };
    const Case cases[] = {
        {"skinned panel, system text colour", skinned, clWindowText, kLabel},
        {"skinned panel, button text colour", skinned, clBtnText, kLabel},
        {"skinned panel, a colour of its own", skinned, clRed, clRed},
        {"panel without a record", plain, clWindowText, clWindowText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* r = Make<TqvSkinCheckRadioBox>(c.parent);
        r->SetRadio(true);
        r->SetCaption(QStringLiteral("自动关闭计算机"));
        r->DefaultFont().SetColor(c.own);
        r->SetBounds(10, 10, 150, 25);
        r->SetChecked(true);
        const QImage img = r->BuildImage();
        EXPECT_EQ(r->LastCaptionColor(), c.caption);
        const QRgb mark = c.caption == clRed || c.parent == plain ? qRgb(0, 0, 0) : ColorToQColor(kLabel).rgb();
        EXPECT_EQ(Px(img, 10, 12), mark) << "the filled square";
        r->SetEnabled(false);
        r->BuildImage();
        EXPECT_EQ(r->LastCaptionColor(), clBtnShadow) << "disabled as before";
    }
}

TEST_F(CheckTest, FlatSkinnedGlyphTableWithFallbacks) {
    Glyphs();
    auto* b = Box(true);
    Form->Show();
    struct Row {
        const char* Case;
        bool Enabled, Hover;
        TCheckBoxState State;
        const char* Key;
    };
    const Row rows[] = {
        {"hover checked", true, true, cbChecked, "activecheckimagerect"},
        {"hover unchecked", true, true, cbUnchecked, "activeuncheckimagerect"},
        {"hover grayed", true, true, cbGrayed, "activegrayedcheckimagerect"},
        {"checked", true, false, cbChecked, "checkimagerect"},
        {"unchecked", true, false, cbUnchecked, "uncheckimagerect"},
        {"grayed", true, false, cbGrayed, "grayedcheckimagerect"},
        {"disabled checked", false, false, cbChecked, "unenabledcheckimagerect"},
        {"disabled unchecked", false, false, cbUnchecked, "unenableduncheckimagerect"},
    };
    // The glyph's middle: drawn at (3, H2 - 7), 14 x 14, middle 7 across and 5 down.
    const QPoint mid(3 + 7, 12 - 7 + 5);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Case);
        b->SetEnabled(row.Enabled);
        if (row.Hover) SendEnter(b);
        else SendLeave(b);
        b->SetState(row.State);
        const QImage img = b->BuildImage();
        EXPECT_EQ(Px(img, mid.x(), mid.y()), GlyphColour(row.Key));
        EXPECT_EQ(b->LastCaptionColor(), row.Enabled ? kFrameFont : kDisabledFont);
        EXPECT_EQ(b->LastCaptionRect().Left, 14 + 7);
    }
    // Without active, disabled and grayed glyphs: the normal ones, grayed lightened.
    Without = {QStringLiteral("activecheckimagerect"), QStringLiteral("unenabledcheckimagerect"),
               QStringLiteral("grayedcheckimagerect"), QStringLiteral("activegrayedcheckimagerect")};
    Skin = TTestSkin();
    Skin.FlatColours();
    Glyphs();
    LoadSkin();
    b->SetEnabled(true);
    SendEnter(b);
    b->SetState(cbChecked);
    EXPECT_EQ(Px(b->BuildImage(), mid.x(), mid.y()), GlyphColour("checkimagerect"));
    b->SetState(cbGrayed);
    const QRgb c = GlyphColour("checkimagerect");
    const QRgb half = qRgb((qRed(c) + 255 + 1) / 2, (qGreen(c) + 255 + 1) / 2, (qBlue(c) + 255 + 1) / 2);
    const QRgb got = Px(b->BuildImage(), mid.x(), mid.y());
    EXPECT_NEAR(qRed(got), qRed(half), 1);
    EXPECT_NEAR(qGreen(got), qGreen(half), 1);
    EXPECT_NEAR(qBlue(got), qBlue(half), 1);
    b->SetEnabled(false);
    b->SetState(cbChecked);
    EXPECT_EQ(Px(b->BuildImage(), mid.x(), mid.y()), GlyphColour("checkimagerect"));
}

TEST_F(CheckTest, CheckedWritesClickAndUncheckTheGroup) {
    auto* a = Box(false, true);
    auto* b = Box(false, true);
    auto* c = Box(false, true);
    auto* other = Box(false, true);
    for (auto* r : {a, b, c}) r->SetGroupIndex(1);
    other->SetGroupIndex(2);
    other->SetChecked(true);
    QStringList log;
    for (auto* r : {a, b, c}) r->OnClick = [&log, r, a, b](QObject*) { log << (r == a ? "a" : r == b ? "b" : "c"); };
    a->SetChecked(true);
    a->SetChecked(true);
    EXPECT_EQ(log, QStringList({"a", "a"})) << "every write clicks, also the same value";
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(other->Checked()) << "another group";
    // Unchecking a radio box fires nothing; b fired after unchecking a.
    EXPECT_EQ(log, QStringList({"a", "a", "b"}));
    c->SetState(cbChecked);
    EXPECT_TRUE(b->Checked()) << "State never touches the group";
    // Group index 0 unchecks nothing; a click on a checked radio changes nothing.
    auto* lone = Box(false, true);
    lone->SetChecked(true);
    EXPECT_TRUE(b->Checked());
    Form->Show();
    log.clear();
    Click(b);
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(CheckTest, OneClickPerClickAllowGrayedCycleAndSpace) {
    auto* b = Box(false);
    b->SetAllowGrayed(true);
    Form->Show();
    int clicks = 0;
    b->OnClick = [&](QObject*) { ++clicks; };
    const TCheckBoxState cycle[] = {cbGrayed, cbChecked, cbUnchecked, cbGrayed};
    for (int i = 0; i < 4; ++i) {
        Click(b);
        EXPECT_EQ(b->State(), cycle[i]) << i;
        EXPECT_EQ(clicks, i + 1);
    }
    // Released outside: no toggle.
    SendMouse(b, QEvent::MouseButtonPress, {8, 12});
    SendMouse(b, QEvent::MouseMove, {400, 12});
    SendMouse(b, QEvent::MouseButtonRelease, {400, 12});
    EXPECT_EQ(clicks, 4);
    b->SetAllowGrayed(false);
    b->SetFocus();
    ASSERT_TRUE(b->Focused());
    SendKey(b, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    SendKey(b, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    EXPECT_EQ(clicks, 5);
    EXPECT_TRUE(b->Checked()) << "grayed goes to checked";
    EXPECT_FALSE(b->TabStop());
}

TEST_F(CheckTest, ImageBesideTheCaptionOnlyWhenInRange) {
    auto* b = Box(false);
    b->SetCaption(QStringLiteral("caption"));
    TImageList images;
    images.SetSize(16, 16);
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    images.Add(red);
    b->SetImages(&images);
    b->SetImageIndex(0);
    QImage img = b->BuildImage();
    EXPECT_EQ(b->LastCaptionRect().Left, 22 + 16 + 5);
    EXPECT_EQ(Px(img, 30, 12), qRgb(255, 0, 0));
    b->SetImageIndex(3);
    b->BuildImage();
    EXPECT_EQ(b->LastCaptionRect().Left, 22);
}

TEST_F(CheckTest, FramedLookResizesMorphsAndPaintsTo) {
    Glyphs();
    const TRect active = Skin.FlatRect(QStringLiteral("button"), QStringLiteral("downskinrect"));
    Skin.Set(QStringLiteral("checkbox"), QStringLiteral("activeskinrect"), RectText(active));
    Skin.Set(QStringLiteral("checkbox"), QStringLiteral("morphing"), QStringLiteral("1"));
    auto* b = Box(true);
    b->SetFlat(false);
    b->SetBounds(10, 10, 150, 64);
    Form->Show();
    const QString cb = QStringLiteral("checkbox"), n = QStringLiteral("skinrect");
    QImage img = b->BuildImage();
    EXPECT_EQ(Px(img, 0, 0), Flat(cb, n, Z::zTL));
    EXPECT_EQ(Px(img, 100, 2), Flat(cb, n, Z::zT));
    // The glyph sits centred in the check area.
    const TRect ci = b->CheckImageRectNow();
    EXPECT_EQ(ci, Rect(4 + 10 - 7, 8 + 26 - 7, 4 + 10 + 7, 8 + 26 + 7));
    EXPECT_EQ(Px(img, ci.Left + 7, ci.Top + 5), GlyphColour("uncheckimagerect"));
    EXPECT_EQ(b->TextAreaNow().Right, 60 + 150 - 64);
    // Hover fades in fifths on the tick source.
    SendEnter(b);
    EXPECT_TRUE(b->MorphRunning());
    Ticks->Advance(20);
    EXPECT_EQ(b->MorphStep(), 1);
    const QRgb mid = Px(b->BuildImage(), 0, 0), from = Flat(cb, n, Z::zTL);
    const QRgb to = Flat(QStringLiteral("button"), QStringLiteral("downskinrect"), Z::zTL);
    EXPECT_NE(mid, from);
    EXPECT_NE(mid, to);
    for (int i = 0; i < 6; ++i) Ticks->Advance(20);
    EXPECT_EQ(b->MorphStep(), 5);
    EXPECT_FALSE(b->MorphRunning());
    EXPECT_EQ(Px(b->BuildImage(), 0, 0), to);
    // Skin effects off: at once, without a timer.
    Model->SetEnableSkinEffects(false);
    SendLeave(b);
    EXPECT_FALSE(b->MorphRunning());
    SendEnter(b);
    EXPECT_FALSE(b->MorphRunning());
    Model->SetEnableSkinEffects(true);
    SendLeave(b);
    // PaintSkinTo: the normal picture with the glyph of the asked state.
    QImage canvas(200, 100, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    TCanvas c(&canvas);
    b->PaintSkinTo(c, 10, 20, true);
    EXPECT_EQ(Px(canvas, 10, 20), Flat(cb, n, Z::zTL));
    EXPECT_EQ(Px(canvas, 10 + ci.Left + 7, 20 + ci.Top + 5), GlyphColour("checkimagerect"));
    // Framed without a record draws nothing.
    auto* plain = Box(false);
    plain->SetFlat(false);
    QImage blank(200, 100, QImage::Format_RGB32);
    blank.fill(Qt::white);
    TCanvas c2(&blank);
    plain->PaintSkinTo(c2, 0, 0, true);
    EXPECT_EQ(Px(blank, 5, 5), qRgb(255, 255, 255));
}

TEST_F(CheckTest, FlatKeepsAnySize) {
    Glyphs();
    auto* b = Box(true);
    b->SetBounds(10, 10, 90, 17);
    EXPECT_EQ(b->Width(), 90);
    EXPECT_EQ(b->Height(), 17);
}

TEST_F(CheckTest, CheckedFollowsTheLinkedAction) {
    // Linking to a loading action leaves a checked box checked; otherwise the
    // box takes the action's state, firing its OnClick as every write does.
    struct TCase {
        const char* Name;
        bool Loading, BoxChecked, ActionChecked, Want;
    };
    const TCase cases[] = {
        {"takes checked", false, false, true, true},
        {"takes unchecked", false, true, false, false},
        {"loading, unchecked box takes it", true, false, true, true},
        {"loading, checked box stays", true, true, false, true},
    };
    for (const TCase& t : cases) {
        auto* b = Box(false);
        b->SetChecked(t.BoxChecked);
        TCustomAction action;
        action.SetCaption(QStringLiteral("Loop"));
        action.SetChecked(t.ActionChecked);
        action.SetLoading(t.Loading);
        int clicks = 0;
        b->OnClick = [&](QObject*) { ++clicks; };
        b->SetAction(&action);
        EXPECT_EQ(b->Checked(), t.Want) << t.Name;
        EXPECT_EQ(clicks, t.Loading && t.BoxChecked ? 0 : 1) << t.Name;
        EXPECT_EQ(b->Caption(), QStringLiteral("Loop")) << t.Name;
        delete b;
    }
    // Later changes of the action reach the box; a click on the box is its own.
    auto* b = Box(false);
    TCustomAction action;
    b->SetAction(&action);
    action.SetChecked(true);
    EXPECT_TRUE(b->Checked());
    action.SetChecked(false);
    EXPECT_FALSE(b->Checked());
    Click(b);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(action.Checked());
}

}  // namespace
