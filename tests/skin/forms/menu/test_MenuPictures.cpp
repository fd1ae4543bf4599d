// Pictures of menu levels and their items, skinned and plain: frames,
// states, separators, headers, marks, owner draw, scroll markers, and a
// skin record that is read, never written.
#include "skin/forms/menu/ImagesMenu.h"
#include "skin/forms/menu/PopupLevel.h"
#include "skin/model/draw/DrawUtils.h"
#include "tests/skin/forms/menu/MenuTestSkin.h"

#include <gtest/gtest.h>

#include <optional>

using namespace menutest;

namespace {

const TRect kWA = Rect(0, 0, 1024, 768);

QRgb Sys(TColor c) { return ColorToQColor(c).rgb(); }
QRgb Px(const QImage& img, int x, int y) { return img.pixel(x, y) | 0xFF000000u; }

struct TMenuFixture : ::testing::Test {
    TPopupMenu Menu;
    TMenuItem* Add(const QString& caption, TMenuItem* parent = nullptr) {
        auto* i = new TMenuItem;
        i->SetCaption(caption);
        (parent ? parent : Menu.Items())->Add(i);
        return i;
    }
    std::unique_ptr<TqvPopupLevel> Level(TqvSkinData* sd, const TqvMenuSettings& s = {}) {
        auto level = std::make_unique<TqvPopupLevel>(sd, s);
        level->Build(Menu.Items(), 0, nullptr, kWA);
        return level;
    }
};

// The first row (from the top) of rect R in which a pixel of colour C lies.
std::optional<int> TopRowOf(const QImage& img, TRect r, QRgb c) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (Px(img, x, y) == c) return y;
    return std::nullopt;
}

bool HasColour(const QImage& img, TRect r, QRgb c) { return TopRowOf(img, r, c).has_value(); }

// Any pixel of R darker than the given grey level (text, glyphs).
bool HasInk(const QImage& img, TRect r, int below = 100) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (qGray(img.pixel(x, y)) < below) return true;
    return false;
}

using MenuPictures = TMenuFixture;

TEST_F(MenuPictures, PlainItemStates) {
    TMenuItem* open = Add(QStringLiteral("&Open"));
    open->SetShortCut(int(Qt::ControlModifier) | Qt::Key_O);
    Add(QStringLiteral("-"));
    Add(QStringLiteral("-Header-"))->SetEnabled(false);
    TMenuItem* sub = Add(QStringLiteral("Sub"));
    Add(QStringLiteral("Child"), sub);
    auto level = Level(nullptr);
    ASSERT_FALSE(level->Skinned());
    ASSERT_EQ(level->ItemCount(), 4);
    level->Item(0)->Active = true;
    const QImage pic = level->Picture();

    // The frame: shadow edge, window-coloured ring.
    EXPECT_EQ(Px(pic, 0, 0), Sys(clBtnShadow));
    EXPECT_EQ(Px(pic, 1, 1), Sys(clWindow));

    const TRect hot = level->Item(0)->ObjectRect;
    EXPECT_EQ(hot.Height(), 20);
    EXPECT_EQ(Px(pic, hot.Left, hot.Top), Sys(clNavy));
    EXPECT_EQ(Px(pic, hot.Left + 1, hot.Top + 1), qRgb(182, 189, 210));
    // The shortcut text sits at the right, the caption after the glyph column.
    EXPECT_TRUE(HasInk(pic, Rect(hot.Right - 60, hot.Top, hot.Right - 19, hot.Bottom)));
    EXPECT_TRUE(HasInk(pic, Rect(hot.Left + 21, hot.Top, hot.Left + 40, hot.Bottom)));

    const TRect line = level->Item(1)->ObjectRect;
    EXPECT_EQ(line.Height(), 4);
    EXPECT_EQ(Px(pic, line.Left + 19, line.Top + 2), Sys(clBtnShadow));
    EXPECT_EQ(Px(pic, line.Left + 18, line.Top + 2), Sys(clBtnFace));  // the line starts after the glyph column

    const TRect header = level->Item(2)->ObjectRect;
    EXPECT_EQ(Px(pic, header.Left + 1, header.Top + 1), Sys(clBtnShadow));
    EXPECT_EQ(Px(pic, header.Right - 2, header.Top + 1), Sys(clBtnShadow));

    const TRect rest = level->Item(3)->ObjectRect;
    EXPECT_EQ(Px(pic, rest.Left + 1, rest.Top + 1), Sys(clBtnFace));
    EXPECT_EQ(Px(pic, rest.Right - 20, rest.Top + 1), Sys(clWindow));
    // The submenu arrow: a triangle 7 pixels from the right of the inner rect.
    const int ax = rest.Right - 2 - 7, ay = rest.Top + 2 + (rest.Height() - 4) / 2 - 4;
    EXPECT_EQ(Px(pic, ax, ay + 3), Sys(clWindowText));
    EXPECT_EQ(Px(pic, ax + 3, ay + 3), Sys(clWindowText));
    EXPECT_EQ(Px(pic, ax + 4, ay + 3), Sys(clWindow));
}

// The top rows of a check mark and a radio dot drawn for two checked items.
std::pair<int, int> MarkTops(TqvSkinData* sd, QRgb ink) {
    TPopupMenu menu;
    for (bool radio : {false, true}) {
        auto* i = new TMenuItem;
        i->SetCaption(QStringLiteral("x"));
        i->SetRadioItem(radio);
        i->SetChecked(true);
        menu.Items()->Add(i);
    }
    TqvPopupLevel level(sd, {});
    level.Build(menu.Items(), 0, nullptr, kWA);
    const QImage pic = level.Picture();
    auto top = [&](int i) {
        const TRect r = level.Item(i)->ObjectRect;
        return TopRowOf(pic, Rect(r.Left, r.Top, r.Left + 16, r.Bottom), ink).value_or(-100) - r.Top;
    };
    return {top(0), top(1)};
}

TEST(MenuMarks, RadioDotOnePixelLowerOnlyInTheSkinnedLook) {
    TMenuSkin skin;
    const auto [plainCheck, plainRadio] = MarkTops(nullptr, Sys(clWindowText));
    const auto [skinCheck, skinRadio] = MarkTops(skin.Model.get(), ColorToQColor(kText).rgb());
    EXPECT_GE(plainCheck, 0);
    EXPECT_GE(skinCheck, 0);
    EXPECT_EQ(skinRadio - skinCheck, plainRadio - plainCheck + 1);
}

TEST_F(MenuPictures, CommandGlyphsByName) {
    const char* names[] = {"QVF_CLOSE", "TRAY_QVF_RESTORE", "QVF_MINTOTRAY", "Plain"};
    for (const char* n : names) {
        TMenuItem* i = Add(QStringLiteral("Item"));
        i->SetName(QLatin1String(n));
    }
    for (TqvSkinData* sd : {static_cast<TqvSkinData*>(nullptr), TMenuSkin().Model.release()}) {
        std::unique_ptr<TqvSkinData> owned(sd);
        auto level = Level(sd);
        const QImage pic = level->Picture();
        for (int i = 0; i < 4; ++i) {
            const TRect r = level->Item(i)->ObjectRect;
            EXPECT_EQ(HasInk(pic, Rect(r.Left + 2, r.Top, r.Left + 16, r.Bottom)), i < 3)
                << names[i] << (sd ? " skinned" : " plain");
        }
    }
}

TEST_F(MenuPictures, SkinnedItemStatesSeparatorAndHeader) {
    TMenuSkin skin;
    Add(QStringLiteral("Normal"));
    Add(QStringLiteral("Hot"));
    Add(QStringLiteral("-"));
    Add(QStringLiteral("-Group-"))->SetEnabled(false);
    Add(QStringLiteral("-Enabled-"));
    auto level = Level(skin.Model.get());
    ASSERT_TRUE(level->Skinned());
    level->Item(1)->Active = true;
    const QImage pic = level->Picture();

    EXPECT_EQ(Px(pic, 0, 0), kFrame);
    const TRect normal = level->Item(0)->ObjectRect, hot = level->Item(1)->ObjectRect;
    EXPECT_EQ(normal.Top, 3);
    EXPECT_EQ(normal.Height(), 20);
    EXPECT_EQ(Px(pic, normal.Left + 1, normal.Top + 1), kNormal);
    EXPECT_EQ(Px(pic, normal.Right - 2, normal.Bottom - 1), kNormal);
    EXPECT_EQ(Px(pic, hot.Left + 1, hot.Top + 1), kHot);
    const TRect line = level->Item(2)->ObjectRect;
    EXPECT_EQ(line.Height(), 6);
    EXPECT_EQ(Px(pic, line.Left + 10, line.Top + 3), kLine);
    EXPECT_EQ(Px(pic, line.Left + 10, line.Top + 2), kNormal);
    // A disabled word between hyphens is a header in the "menuheader" look;
    // enabled, it is an ordinary item.
    EXPECT_EQ(Px(pic, level->Item(3)->ObjectRect.Left + 1, level->Item(3)->ObjectRect.Top + 3), kHeader);
    EXPECT_EQ(Px(pic, level->Item(4)->ObjectRect.Left + 1, level->Item(4)->ObjectRect.Top + 1), kNormal);
    // The items fill the items area: the frame's right border follows.
    EXPECT_EQ(Px(pic, normal.Right, normal.Top + 1), kFrame);
}

TEST_F(MenuPictures, SkinCheckImageCentredInItsCell) {
    TMenuSkin skin;
    skin.MI->CheckImageRect = Rect(40, 0, 52, 12);
    TMenuItem* i = Add(QStringLiteral("Checked"));
    i->SetChecked(true);
    auto level = Level(skin.Model.get());
    const QImage pic = level->Picture();
    const TRect r = level->Item(0)->ObjectRect;
    // Cell (T.Left + 2, T.Top, T.Left + 16, T.Bottom) = 14 x 20; the 12 x 12 image at (+1, +4); its block at (+4, +2).
    const int x = r.Left + 4 + 2 + 1 + 4, y = r.Top + 4 + 2;
    EXPECT_EQ(Px(pic, x, y), kCheck);
    EXPECT_EQ(Px(pic, x - 1, y), kNormal);  // the key colour left out
    EXPECT_FALSE(HasColour(pic, r, kKey));
}

TEST_F(MenuPictures, OwnerDrawGetsTheTextRectOnly) {
    TMenuSkin skin;
    TMenuItem* i = Add(QStringLiteral("Owner"));
    TRect got{};
    bool selected = true;
    QObject* sender = nullptr;
    i->OnDrawItem = [&](QObject* s, TCanvas& c, const TRect& r, bool sel) {
        sender = s, got = r, selected = sel;
        c.Brush().SetColor(RGB(0, 200, 0));
        c.FillRect(Rect(r.Left, r.Top, r.Left + 3, r.Top + 3));
    };
    auto level = Level(skin.Model.get());
    const QImage pic = level->Picture();
    const TRect r = level->Item(0)->ObjectRect;
    EXPECT_EQ(sender, i);
    EXPECT_FALSE(selected);
    EXPECT_EQ(got, Rect(4, 0, r.Width() - 4, 20));
    EXPECT_EQ(Px(pic, r.Left + 4, r.Top), qRgb(0, 200, 0));
    EXPECT_FALSE(HasInk(pic, Rect(r.Left + 8, r.Top, r.Right - 4, r.Bottom)));  // no caption
}

TEST_F(MenuPictures, RecordWithoutPictureIsNeverWritten) {
    TMenuSkin skin;
    skin.MI->ActivePictureIndex = 9;  // past the picture list
    const TRect skinRect = skin.MI->SkinRect, activeRect = skin.MI->ActiveSkinRect;
    Add(QStringLiteral("First"));
    Add(QStringLiteral("Second"));
    for (int round = 0; round < 2; ++round) {
        auto level = Level(skin.Model.get());
        level->Item(0)->Active = true;
        EXPECT_TRUE(IsNullRect(level->Item(0)->SkinRect));
        EXPECT_TRUE(IsNullRect(level->Item(0)->ActiveSkinRect));
        EXPECT_EQ(level->Item(0)->ObjectRect.Height(), 20);  // heights still from the record
        const QImage pic = level->Picture();
        const TRect r = level->Item(1)->ObjectRect;
        EXPECT_EQ(Px(pic, r.Right - 2, r.Top + 1), kItems);  // the frame's items area shows
        EXPECT_TRUE(HasInk(pic, r));                          // and the caption on it
    }
    EXPECT_EQ(skin.MI->SkinRect, skinRect);
    EXPECT_EQ(skin.MI->ActiveSkinRect, activeRect);
}

TEST_F(MenuPictures, HiddenItemsStartIndexAndLineReduction) {
    Add(QStringLiteral("-"));
    Add(QStringLiteral("A"));
    Add(QStringLiteral("Hidden"))->SetVisible(false);
    Add(QStringLiteral("B"));
    auto captions = [](const TqvPopupLevel& l) {
        QStringList s;
        for (int i = 0; i < l.ItemCount(); ++i) s << l.Item(i)->MenuItem->Caption();
        return s.join(u' ');
    };
    EXPECT_EQ(captions(*Level(nullptr)), QStringLiteral("A B"));
    Menu.SetAutoLineReduction(maManual);
    Menu.Items()->Items(0)->SetVisible(true);
    // The reduction of the last automatic pass stays until the next one; a
    // new separator is shown as it is.
    Add(QStringLiteral("-"), nullptr);
    EXPECT_EQ(captions(*Level(nullptr)), QStringLiteral("A B -"));

    TqvPopupLevel from2(nullptr, {});
    from2.Build(Menu.Items(), 2, nullptr, kWA);
    EXPECT_EQ(captions(from2), QStringLiteral("B -"));

    TPopupMenu second;
    auto* c = new TMenuItem;
    c->SetCaption(QStringLiteral("C"));
    second.Items()->Add(c);
    TqvPopupLevel both(nullptr, {});
    both.Build(Menu.Items(), 4, second.Items(), kWA);
    EXPECT_EQ(captions(both), QStringLiteral("- C"));
    EXPECT_EQ(both.Height(), 4 + 20 + 6);  // two lists: a 6-pixel border
}

TEST_F(MenuPictures, ScrolledLevelMarkersAndEnds) {
    for (int i = 0; i < 6; ++i) Add(QStringLiteral("Item %1").arg(i));
    TMenuSkin skin;
    TqvMenuSettings s;
    s.MaxMenuItemsInWindow = 3;
    for (TqvSkinData* sd : {static_cast<TqvSkinData*>(nullptr), skin.Model.get()}) {
        auto level = Level(sd, s);
        ASSERT_TRUE(level->Scroll() && level->Scroll2());
        EXPECT_EQ(level->VisibleCount, 3);
        EXPECT_FALSE(level->CanScroll(1));
        EXPECT_TRUE(level->CanScroll(2));
        const QRgb idle = sd ? kMarker : Sys(clBtnShadow), busy = sd ? kMarkerActive : Sys(clBtnText);
        const TRect up = sd ? level->UpMarkerRect() : Rect(3, 3, level->Width() - 3, 13);
        const TRect down = sd ? level->DownMarkerRect() : Rect(3, level->Height() - 10, level->Width() - 3,
                                                               level->Height() - 3);
        QImage pic = level->Picture();
        EXPECT_TRUE(HasColour(pic, up, idle));
        EXPECT_TRUE(HasColour(pic, down, idle));
        level->ScrollCode = 2;
        pic = level->Picture();
        EXPECT_TRUE(HasColour(pic, down, busy));
        EXPECT_FALSE(HasColour(pic, up, busy));
        // The first shown item starts below the upper marker.
        EXPECT_EQ(level->Item(0)->ObjectRect.Top, level->NewItemsRect().Top + 10);

        for (int i = 0; i < 5; ++i) level->ScrollDown(false);
        EXPECT_EQ(level->VisibleStartIndex, 3);  // stops at the end
        EXPECT_FALSE(level->CanScroll(2));
        EXPECT_TRUE(level->Item(5)->FVisible);
        EXPECT_FALSE(level->Item(2)->FVisible);
        level->ScrollDown(true);
        EXPECT_EQ(level->VisibleStartIndex, 0);  // wraps with Cycle
        level->ScrollUp(false);
        EXPECT_EQ(level->VisibleStartIndex, 0);
        level->ScrollUp(true);
        EXPECT_EQ(level->VisibleStartIndex, level->GetLastStartIndex());
        EXPECT_EQ(level->VisibleStartIndex, 3);
    }
}

TEST_F(MenuPictures, MaskGivesTheWindowItsShape) {
    Add(QStringLiteral("Item"));
    TMenuSkin plain, masked(true);
    EXPECT_TRUE(Level(plain.Model.get())->Region().isEmpty());
    auto level = Level(masked.Model.get());
    const QRegion rgn = level->Region();
    ASSERT_FALSE(rgn.isEmpty());
    EXPECT_FALSE(rgn.contains(QPoint(0, 0)));
    EXPECT_TRUE(rgn.contains(QPoint(1, 0)));
    EXPECT_TRUE(rgn.contains(QPoint(level->Width() - 1, level->Height() - 1)));
}

TEST_F(MenuPictures, ImagesAndTheGlyphColumn) {
    TImageList images;
    images.SetSize(16, 16);
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(qRgb(220, 0, 0));
    images.Add(red);
    Menu.SetImages(&images);
    TMenuItem* withImage = Add(QStringLiteral("Image"));
    withImage->SetImageIndex(0);
    withImage->SetChecked(true);
    Add(QStringLiteral("None"))->SetImageIndex(5);
    auto level = Level(nullptr);
    EXPECT_EQ(level->GlyphWidth(), 21);
    const QImage pic = level->Picture();
    const TRect r = level->Item(0)->ObjectRect;
    // The image at (K.Left + 2, centred), framed one pixel outside because it is checked.
    EXPECT_EQ(Px(pic, r.Left + 4, r.Top + 2), qRgb(220, 0, 0));
    EXPECT_EQ(Px(pic, r.Left + 3, r.Top + 1), Sys(clWindowText));
    EXPECT_FALSE(HasColour(pic, level->Item(1)->ObjectRect, qRgb(220, 0, 0)));
    // The plain glyph column is the image list's width + 2.
    EXPECT_EQ(Px(pic, 22, level->Item(1)->ObjectRect.Top + 1), Sys(clBtnFace));
}

}  // namespace

namespace {

TEST(ImagesMenuPicture, HotAndChosenCells) {
    TImageList images;
    images.SetSize(16, 16);
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(qRgb(220, 0, 0));
    for (int i = 0; i < 4; ++i) images.Add(red);
    TqvSkinImagesMenu menu;
    menu.SetImages(&images);
    menu.SetColumnsCount(2);
    for (int i = 0; i < 4; ++i) {
        TqvImagesMenuItem item;
        item.ImageIndex = i;
        menu.ImagesItems().push_back(item);
    }
    menu.SetItemIndex(1);
    const TSize size = menu.CalcSize();
    const auto& items = menu.ImagesItems();
    const QRgb hot = qRgb(182, 189, 210), down = qRgb(133, 147, 181);
    struct TRow {
        bool ShowSelected;
        int Hot;
        bool ItemDown;
        QRgb Cell[4];  // colour inside each cell's frame (0: the window)
    } rows[] = {
        {true, -1, false, {0, down, 0, 0}},
        {true, 2, false, {0, down, hot, 0}},
        {true, 2, true, {0, 0, down, 0}},  // a press on a cell: only that cell is pressed
        {false, 3, false, {0, 0, 0, hot}},
    };
    for (const TRow& r : rows) {
        menu.SetShowSelectedItem(r.ShowSelected);
        const QImage pic = menu.GridPicture(size, r.Hot, r.ItemDown);
        EXPECT_EQ(Px(pic, 0, 0), Sys(clBtnShadow));
        for (int i = 0; i < 4; ++i) {
            const TRect c = items[std::size_t(i)].ItemRect;
            EXPECT_EQ(Px(pic, c.Left + 5, c.Top + 5), qRgb(220, 0, 0));
            const QRgb want = r.Cell[i] ? r.Cell[i] : Sys(clWindow);
            EXPECT_EQ(Px(pic, c.Left + 2, c.Top + 2), want) << r.Hot << " cell " << i;
            if (r.Cell[i]) {
                EXPECT_EQ(Px(pic, c.Left, c.Top), Sys(clNavy));
            }
        }
    }
}

TEST(ImagesMenuPicture, SkinnedFrameAndHeader) {
    TMenuSkin skin;
    TImageList images;
    images.SetSize(16, 16);
    TqvSkinImagesMenu menu;
    menu.SetImages(&images);
    menu.SetSkinData(skin.Model.get());
    menu.SetColumnsCount(3);
    TqvImagesMenuItem header;
    header.Header = true;
    header.Caption = QStringLiteral("Colours");
    menu.ImagesItems() = {header, {}, {}};
    const TSize size = menu.CalcSize();
    // The window picture's border around the items rectangle (3 pixels each side).
    EXPECT_EQ(size.cx, 30 + 78 - 24);
    const QImage pic = menu.GridPicture(size, -1, false);
    EXPECT_EQ(Px(pic, 0, 0), kFrame);
    EXPECT_EQ(Px(pic, 4, 4), kItems);  // no "label" record: the header is its caption alone
    EXPECT_EQ(menu.ImagesItems()[0].ItemRect.Top, 3);
}

}  // namespace
