#include "tests/skin/controls/ControlTestSupport.h"
#include "tests/skin/controls/edits/MenuFakes.h"

#include "platform/ActnList.h"
#include "skin/controls/buttons/SkinMenuSpeedButton.h"
#include "skin/controls/panels/SkinPanel.h"

namespace {

using Z = TTestSkin::TZone;

struct TListsPanel : TqvSkinPanel, TqvToolBarLists {
    using TqvSkinPanel::TqvSkinPanel;
    TCustomImageList *Images = nullptr, *Hot = nullptr, *Disabled = nullptr;
    TCustomImageList* BarImages() const override { return Images; }
    TCustomImageList* BarHotImages() const override { return Hot; }
    TCustomImageList* BarDisabledImages() const override { return Disabled; }
};

struct SpeedTest : SkinControlTest {
    SpeedTest() { Skin.AddControl(QStringLiteral("toolbutton"), QStringLiteral("button")); }
    template <class T = TqvSkinSpeedButton> T* Button(bool skinned, TWinControl* parent = nullptr) {
        auto* b = Make<T>(parent);
        if (skinned) {
            LoadSkin();
            b->SetSkinData(Model);
        }
        b->SetBounds(10, 10, 64, 64);
        return b;
    }
    static void Press(QWidget* w, QPoint at = {20, 20}) { SendMouse(w, QEvent::MouseButtonPress, at); }
    static void Release(QWidget* w, QPoint at = {20, 20}) { SendMouse(w, QEvent::MouseButtonRelease, at); }
    static void Click(QWidget* w, QPoint at = {20, 20}) {
        Press(w, at);
        Release(w, at);
    }
};

TEST_F(SpeedTest, StatePicturesInTheSkin) {
    auto* b = Button(true);
    const QString n = QStringLiteral("toolbutton");
    auto centre = [&] { return Px(b->BuildImage(), 32, 32); };
    EXPECT_EQ(centre(), Flat(n, QStringLiteral("skinrect")));
    SendEnter(b);
    EXPECT_EQ(centre(), Flat(n, QStringLiteral("activeskinrect")));
    Press(b);
    EXPECT_EQ(centre(), Flat(n, QStringLiteral("downskinrect")));
    Release(b);
    SendLeave(b);
    b->SetEnabled(false);
    EXPECT_EQ(centre(), Flat(n, QStringLiteral("disabledskinrect")));
    EXPECT_EQ(b->LastState(), 3);
}

TEST_F(SpeedTest, PlainButtonClicksOnceAtTheReleaseInside) {
    auto* b = Button(false);
    int clicks = 0;
    b->OnClick = [&](QObject*) { ++clicks; };
    SendEnter(b);
    Press(b);
    EXPECT_EQ(clicks, 0);
    Release(b);
    EXPECT_EQ(clicks, 1);
    // Out while held: no click, idle look.
    Press(b);
    SendMouse(b, QEvent::MouseMove, {200, 20});
    Release(b, {200, 20});
    SendLeave(b);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b->Down());
    b->BuildImage();
    EXPECT_EQ(b->LastState(), 0);
}

TEST_F(SpeedTest, GroupsClickAtThePressAndRaiseTheirSiblings) {
    auto* a = Button(false);
    auto* b = Button(false);
    auto* otherGroup = Button(false);
    auto* panel = Make<TqvSkinPanel>();
    auto* elsewhere = Button(false, panel);
    for (auto* x : {a, b, elsewhere}) x->SetGroupIndex(1);
    otherGroup->SetGroupIndex(2);
    otherGroup->SetDown(true);
    elsewhere->SetDown(true);
    int clicks = 0;
    a->OnClick = [&](QObject*) { ++clicks; };
    Press(a);
    EXPECT_EQ(clicks, 1) << "at the press";
    Release(a);
    EXPECT_TRUE(a->Down());
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(otherGroup->Down());
    EXPECT_TRUE(elsewhere->Down()) << "another parent";
    // A down button with AllowAllUp off: neither raised nor clicked.
    Click(b);
    EXPECT_TRUE(b->Down());
    a->SetDown(true);
    a->SetAllowAllUp(true);
    clicks = 0;
    Click(a);
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(clicks, 1) << "raised and clicked at the release";
}

TEST_F(SpeedTest, RepeatClicksAfterTheDelayPausesOutsideAndClicksAtTheRelease) {
    auto* b = Button(false);
    b->SetRepeatMode(true);
    b->SetRepeatInterval(100);
    int clicks = 0;
    b->OnClick = [&](QObject*) { ++clicks; };
    SendEnter(b);
    Press(b);
    Ticks->Advance(500);
    EXPECT_EQ(clicks, 0);
    Ticks->Advance(100);
    EXPECT_EQ(clicks, 1);
    Ticks->Advance(100);
    EXPECT_EQ(clicks, 2);
    SendMouse(b, QEvent::MouseMove, {200, 20});
    Ticks->Advance(1000);
    EXPECT_EQ(clicks, 2);
    SendMouse(b, QEvent::MouseMove, {20, 20});
    Ticks->Advance(500);
    EXPECT_EQ(clicks, 2);
    Ticks->Advance(100);
    EXPECT_EQ(clicks, 3);
    Release(b);
    EXPECT_EQ(clicks, 4);
    EXPECT_FALSE(b->RepeatRunning());
}

TEST_F(SpeedTest, EdgeCasesOfTheProperties) {
    Skin.Set(QStringLiteral("toolbutton"), QStringLiteral("morphing"), QStringLiteral("1"));
    Skin.Set(QStringLiteral("toolbutton"), QStringLiteral("disabledfontcolor"), QString::number(RGB(0, 0, 0)));
    auto* b = Button(true);
    b->SetCaption(QStringLiteral("x"));
    SendEnter(b);
    EXPECT_TRUE(b->MorphRunning()) << "opaque buttons fade";
    SendLeave(b);
    for (int i = 0; i < 6; ++i) Ticks->Advance(20);
    b->SetFlat(true);
    EXPECT_TRUE(b->Transparent());
    SendEnter(b);
    EXPECT_FALSE(b->MorphRunning()) << "a transparent button never fades";
    SendLeave(b);
    b->SetFlat(false);
    b->SetEnabled(false);
    b->BuildImage();
    EXPECT_EQ(b->LastFontColor(), RGB(128, 128, 128)) << "disabled colour equal to the normal one: gray";
    b->SetMargin(-2);
    EXPECT_EQ(b->Margin(), -1);
    b->SetWidthWithCaption(80);
    b->SetWidthWithoutCaption(30);
    auto* plain = Button(false);
    plain->SetWidthWithCaption(80);
    plain->SetWidthWithoutCaption(30);
    plain->SetShowCaption(false);
    EXPECT_EQ(plain->Width(), 30);
}

TEST_F(SpeedTest, ImageOrder) {
    auto* bar = Make<TListsPanel>();
    bar->SetBounds(0, 0, 300, 80);
    TImageList barList, hot, disabled, own, menuList;
    for (TImageList* l : {&barList, &hot, &disabled, &own, &menuList}) {
        l->SetSize(8, 8);
        QImage i(8, 8, QImage::Format_ARGB32);
        i.fill(Qt::blue);
        l->Add(i);
    }
    auto* b = Button<TqvSkinMenuSpeedButton>(false, bar);
    b->SetImageIndex(0);
    b->SetImageList(&own);
    TBitmap glyph(8, 8);
    auto content = [&] {
        b->BuildImage();
        return b->LastContent();
    };
    EXPECT_EQ(content(), QStringLiteral("image list")) << "a bar without lists";
    bar->Images = &barList;
    EXPECT_EQ(content(), QStringLiteral("bar"));
    bar->Hot = &hot;
    SendEnter(b);
    EXPECT_EQ(content(), QStringLiteral("bar hot"));
    SendLeave(b);
    bar->Disabled = &disabled;
    b->SetEnabled(false);
    EXPECT_EQ(content(), QStringLiteral("bar disabled"));
    b->SetEnabled(true);
    TFakeImagesMenu menu;
    menu.List = &menuList;
    menu.Selected = 0;
    b->SetSkinImagesMenu(&menu);
    b->SetUseImagesMenuImage(true);
    EXPECT_EQ(content(), QStringLiteral("images menu"));
    menu.Selected = -1;
    EXPECT_EQ(content(), QStringLiteral("bar"));
    b->SetGlyph(glyph);
    EXPECT_EQ(content(), QStringLiteral("glyph 1")) << "a glyph wins over the bar";
    auto* alone = Button(false);
    alone->SetImageList(&own);
    alone->SetImageIndex(5);
    alone->BuildImage();
    EXPECT_EQ(alone->LastContent(), QStringLiteral("glyph 1")) << "an index out of range falls through";
}

TEST_F(SpeedTest, ALinkedActionGivesCaptionGlyphAndTheClick) {
    TImageList list;
    list.SetSize(8, 8);
    QImage pic(8, 8, QImage::Format_ARGB32);
    pic.fill(Qt::transparent);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) pic.setPixel(x, y, qRgb(0, 160, 0));
    list.Add(pic);
    TCustomAction action;
    action.SetCaption(QStringLiteral("Add"));
    action.SetImages(&list);
    action.SetImageIndex(0);
    int runs = 0;
    action.OnExecute = [&](QObject*) { ++runs; };

    auto* b = Button(false);
    b->SetAction(&action);
    EXPECT_EQ(b->Caption(), QStringLiteral("Add"));
    ASSERT_EQ(b->Glyph().Width(), 8);
    EXPECT_EQ(Px(b->Glyph().Image(), 2, 1), qRgb(0, 160, 0));
    EXPECT_EQ(Px(b->Glyph().Image(), 2, 6), qRgb(255, 0, 255)) << "the image drawn on fuchsia";
    const QImage face = b->BuildImage();
    EXPECT_EQ(b->LastContent(), QStringLiteral("glyph 1"));
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x) ASSERT_NE(Px(face, x, y), qRgb(255, 0, 255)) << "fuchsia is left out";

    // No OnClick of its own: the click runs the action; with one, only OnClick.
    SendEnter(b);
    Click(b);
    EXPECT_EQ(runs, 1);
    int clicks = 0;
    b->OnClick = [&](QObject*) { ++clicks; };
    Click(b);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(runs, 1);
    action.SetEnabled(false);
    EXPECT_FALSE(b->Enabled());

    // A glyph of its own, or an image index outside the list, gives no new glyph.
    auto* own = Button(false);
    own->SetGlyph(TBitmap(4, 4));
    own->SetAction(&action);
    EXPECT_EQ(own->Glyph().Width(), 4);
    TCustomAction outside;
    outside.SetImages(&list);
    outside.SetImageIndex(1);
    auto* none = Button(false);
    none->SetAction(&outside);
    EXPECT_TRUE(none->Glyph().Empty());
}

struct MenuButtonTest : SpeedTest {
    TFakePopupMenu Popup;
    TFakeImagesMenu Images;
};

TEST_F(MenuButtonTest, APressOpensTheMenuAndTheButtonStaysDownUntilItCloses) {
    auto* b = Button<TqvSkinMenuSpeedButton>(false);
    b->SetSkinPopupMenu(&Popup);
    int clicks = 0, shows = 0, hides = 0;
    b->OnClick = [&](QObject*) { ++clicks; };
    b->OnShowTrackMenu = [&](QObject*) { ++shows; };
    b->OnHideTrackMenu = [&](QObject*) { ++hides; };
    SendEnter(b);
    Press(b);
    EXPECT_EQ(Popup.Popups, 1);
    EXPECT_EQ(Popup.Control, b);
    const TPoint o = b->ClientToScreen({0, 0});
    EXPECT_EQ(Popup.FromRect, Rect(o.X, o.Y, o.X + 64, o.Y + 64));
    Release(b);
    EXPECT_TRUE(b->Down());
    EXPECT_TRUE(b->MenuTracked());
    SendLeave(b);
    SendEnter(b);
    EXPECT_TRUE(b->Down());
    SendMessage(b, WM_SKIN_MENU_CLOSED);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(b->MouseIn()) << "reset even with the pointer over it";
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(hides, 1);
}

TEST_F(MenuButtonTest, TrackButtonModeOpensOnlyFromTheDropDownPart) {
    auto* b = Button<TqvSkinMenuSpeedButton>(false);
    b->SetSkinPopupMenu(&Popup);
    b->SetTrackButtonMode(true);
    int clicks = 0;
    b->OnClick = [&](QObject*) { ++clicks; };
    SendEnter(b);
    EXPECT_EQ(b->TrackRect(), Rect(49, 0, 64, 64));
    Click(b, {10, 10});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Popup.Popups, 0);
    Click(b, {55, 10});
    EXPECT_EQ(Popup.Popups, 1);
    EXPECT_EQ(clicks, 1);
    SendMessage(b, WM_SKIN_MENU_CLOSED);
    // Bottom only in the new style; the new style renames the skin object.
    b->SetTrackPosition(qvtpBottom);
    EXPECT_EQ(b->TrackRect(), Rect(49, 0, 64, 64));
    b->SetNewStyle(true);
    EXPECT_EQ(b->SkinDataName(), QStringLiteral("resizetoolbutton"));
    EXPECT_EQ(b->TrackRect(), Rect(0, 49, 64, 64));
    b->SetNewStyle(false);
    EXPECT_EQ(b->SkinDataName(), QStringLiteral("resizetoolbutton"));
}

TEST_F(MenuButtonTest, BothMenusOpenInOrderAndNoMenuIsAPlainButton) {
    auto* b = Button<TqvSkinMenuSpeedButton>(false);
    QStringList log;
    b->SetSkinPopupMenu(&Popup);
    b->SetSkinImagesMenu(&Images);
    b->OnShowTrackMenu = [&](QObject*) { log << QStringLiteral("show %1 %2").arg(Popup.Popups).arg(Images.Popups); };
    b->OnHideTrackMenu = [&](QObject*) { log << QStringLiteral("hide"); };
    Press(b);
    EXPECT_EQ(log, QStringList({QStringLiteral("show 0 0"), QStringLiteral("show 1 0")}));
    EXPECT_EQ(Images.Popups, 1);
    ASSERT_TRUE(Images.Close);
    Images.Close();
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(log.last(), QStringLiteral("hide"));
    // Freed menus are forgotten: the button clicks like a speed button.
    b->SetSkinPopupMenu(nullptr);
    b->SetSkinImagesMenu(nullptr);
    int clicks = 0;
    b->OnClick = [&](QObject*) { ++clicks; };
    SendEnter(b);
    Click(b);
    EXPECT_EQ(clicks, 1);
    {
        TFakePopupMenu gone;
        b->SetSkinPopupMenu(&gone);
    }
    EXPECT_EQ(b->SkinPopupMenu(), nullptr);
}

TEST_F(MenuButtonTest, SkinlessLooksOfTheTwoParts) {
    auto* b = Button<TqvSkinMenuSpeedButton>(false);
    b->SetSkinPopupMenu(&Popup);
    b->SetTrackButtonMode(true);
    SendEnter(b);
    Press(b, {55, 10});
    const QImage img = b->BuildImage();
    EXPECT_EQ(Px(img, 20, 32), qRgb(182, 189, 210)) << "body hot";
    EXPECT_EQ(Px(img, 51, 5), qRgb(133, 147, 181)) << "drop-down part pressed";
}

// The new style: body from "resizetoolbutton", the drop-down part (only in
// track-button mode under the pointer) from "vtracktoolbutton" (right) or
// "htracktoolbutton" (bottom) when the skin has it, and the arrow moved 1 pixel.
TEST_F(MenuButtonTest, NewStyleDrawsItsPartsFromTheSharedRecords) {
    const QString body = QStringLiteral("resizetoolbutton"), v = QStringLiteral("vtracktoolbutton"),
                  h = QStringLiteral("htracktoolbutton");
    const QString normal = QStringLiteral("skinrect"), hot = QStringLiteral("activeskinrect"),
                  down = QStringLiteral("downskinrect");
    enum TAct { Idle, Hover, PressBody, PressPart };
    struct TSpot {
        QPoint At;
        QString Record, Key;
        Z Zone = Z::zC;
    };
    struct TCase {
        const char* Name;
        bool Track, Bottom, OwnPart;
        TAct Act;
        std::vector<TSpot> Spots;
        TRect Arrow;
    };
    const TRect right = Rect(49, 0, 64, 64), bottom = Rect(0, 49, 64, 64);
    const TCase cases[] = {
        {"idle", false, false, true, Idle, {{{20, 32}, body, normal}, {{56, 20}, body, normal}}, right},
        {"hot", false, false, true, Hover, {{{20, 32}, body, hot}, {{56, 20}, body, hot}}, right},
        {"pressed, menu open", false, false, true, PressBody, {{{20, 32}, body, down}, {{56, 20}, body, down}},
         Rect(50, 1, 64, 64)},
        {"track mode, idle: one body", true, false, true, Idle, {{{46, 32}, body, normal}}, right},
        {"track mode, hot", true, false, true, Hover,
         {{{20, 32}, body, hot}, {{46, 32}, body, hot}, {{56, 20}, v, hot}}, right},
        {"track mode, body pressed", true, false, true, PressBody, {{{20, 32}, body, down}, {{56, 20}, v, hot}},
         right},
        {"track mode, menu open", true, false, true, PressPart, {{{20, 32}, body, hot}, {{56, 20}, v, down}},
         Rect(50, 1, 64, 64)},
        {"track mode, hot, no part record", true, false, false, Hover,
         {{{20, 32}, body, hot}, {{46, 32}, body, hot, Z::zR}, {{56, 20}, body, hot}}, right},
        {"track mode, menu open, no part record", true, false, false, PressPart,
         {{{20, 32}, body, hot}, {{56, 20}, body, down}}, Rect(50, 1, 64, 64)},
        {"bottom, hot", true, true, true, Hover, {{{32, 20}, body, hot}, {{10, 58}, h, hot}}, bottom},
        {"bottom, menu open", true, true, true, PressPart, {{{32, 20}, body, hot}, {{10, 58}, h, down}},
         Rect(1, 50, 64, 64)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTestSkin skin;
        skin.FlatColours().AddControl(body, QStringLiteral("button"));
        if (c.OwnPart) skin.AddControl(v, QStringLiteral("button")).AddControl(h, QStringLiteral("button"));
        skin.LoadInto(*Model);
        auto* b = Make<TqvSkinMenuSpeedButton>();
        b->SetNewStyle(true);
        b->SetUseSkinSize(false);
        b->SetSkinData(Model);
        b->SetBounds(10, 10, 64, 64);
        b->SetSkinPopupMenu(&Popup);
        b->SetTrackButtonMode(c.Track);
        b->SetTrackPosition(c.Bottom ? qvtpBottom : qvtpRight);
        if (c.Act != Idle) SendEnter(b);
        if (c.Act == PressBody) Press(b, {10, 10});
        if (c.Act == PressPart) Press(b, c.Bottom ? QPoint(10, 55) : QPoint(55, 10));
        const QImage img = b->BuildImage();
        for (const TSpot& p : c.Spots)
            EXPECT_EQ(Px(img, p.At.x(), p.At.y()), skin.FlatColour(p.Record, p.Key, p.Zone))
                << p.At.x() << "," << p.At.y() << " from " << p.Record.toStdString() << " " << p.Key.toStdString();
        EXPECT_EQ(b->LastArrowRect(), c.Arrow);
        delete b;
    }
}

// Skinless, the new style splits off its drop-down part only under the
// pointer and, in track-button mode, moves the arrow only while a menu is open.
TEST_F(MenuButtonTest, SkinlessNewStyleSplitsOnlyUnderThePointer) {
    auto* b = Button<TqvSkinMenuSpeedButton>(false);
    b->SetNewStyle(true);
    b->SetSkinPopupMenu(&Popup);
    b->SetTrackButtonMode(true);
    EXPECT_EQ(Px(b->BuildImage(), 49, 32), ColorToQColor(clBtnFace).rgb()) << "idle: one body, no frame at the part";
    SendEnter(b);
    EXPECT_EQ(Px(b->BuildImage(), 49, 32), qRgb(0, 0, 128)) << "hot: the part has its own frame";
    Press(b, {10, 10});
    b->BuildImage();
    EXPECT_EQ(b->LastArrowRect(), Rect(49, 0, 64, 64)) << "body pressed, no menu: the arrow stays";
    Release(b, {10, 10});
    Press(b, {55, 10});
    b->BuildImage();
    EXPECT_EQ(b->LastArrowRect(), Rect(51, 2, 64, 64));
}

}  // namespace
