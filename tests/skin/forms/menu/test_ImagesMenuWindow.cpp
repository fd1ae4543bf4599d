// The images menu's grid window: what opens it, the close and choice events
// in their order, keys through its own application filter, and clicks.
#include "skin/forms/menu/ImagesMenu.h"

#include "platform/Form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <memory>

namespace {

struct ImagesMenuWindowTest : ::testing::Test {
    std::unique_ptr<QWidget> Form = std::make_unique<QWidget>();
    QWidget* Other = nullptr;
    TImageList Images;
    TqvSkinImagesMenu& Menu = *new TqvSkinImagesMenu(Form.get());  // owned by the form
    QStringList Events;

    void SetUp() override {
        Form->setGeometry(50, 50, 300, 200);
        Other = new QWidget(Form.get());
        Other->setGeometry(0, 0, 50, 50);
        Form->show();
        Images.SetSize(16, 16);
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(qRgb(0, 120, 0));
        for (int i = 0; i < 4; ++i) Images.Add(img);
        Menu.SetImages(&Images);
        Menu.SetColumnsCount(2);
        Menu.WorkArea = Rect(0, 0, 1024, 768);
        for (int i = 0; i < 4; ++i) {
            TqvImagesMenuItem item;
            item.ImageIndex = i;
            item.OnClick = [this, i](QObject*) { Events << QStringLiteral("click %1").arg(i); };
            Menu.ImagesItems().push_back(item);
        }
        Menu.OnMenuPopup = [this](QObject*) { Events << "popup"; };
        Menu.OnInternalMenuClose = [this](QObject*) { Events << "internal close"; };
        Menu.OnMenuClose = [this](QObject*) { Events << "close"; };
        Menu.OnItemClick = [this](QObject*) { Events << "item click"; };
        Menu.OnInternalChange = [this](QObject*) { Events << "internal change"; };
        Menu.OnChange = [this](QObject*) { Events << "change"; };
    }
    TqvSkinImagesMenuPopupWindow* Open() {
        Menu.PopupFromRect(Rect(100, 100, 140, 120));
        Events.clear();
        return Menu.PopupWindow();
    }
    void Key(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent e(QEvent::KeyPress, key, mods);
        QCoreApplication::sendEvent(target, &e);
    }
    void Click(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), w->mapToGlobal(QPointF(p)), b, b, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(p), w->mapToGlobal(QPointF(p)), b, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(w, &release);
    }
    QPoint CellCentre(int i) {
        const TRect r = Menu.ImagesItems()[std::size_t(i)].ItemRect;
        return QPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    }
};

TEST_F(ImagesMenuWindowTest, OpensBelowTheRectAsANonActivatingToolWindow) {
    TqvSkinImagesMenuPopupWindow* w = Open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowType(), Qt::ToolTip);
    EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(w->parentWidget(), Form.get());
    EXPECT_EQ(w->geometry().topLeft(), QPoint(100, 120));
    EXPECT_TRUE(w->isVisible());
    // A second popup closes the first grid first.
    Menu.PopupFromRect(Rect(10, 10, 20, 20));
    EXPECT_EQ(Events, (QStringList{"internal close", "close", "popup"}));
    EXPECT_NE(Menu.PopupWindow(), w);
}

TEST_F(ImagesMenuWindowTest, NothingToShowFiresOnlyThePopupEvent) {
    for (int round = 0; round < 2; ++round) {
        if (round == 0) Menu.ImagesItems().clear();
        else Images.Clear();
        Events.clear();
        Menu.PopupFromRect(Rect(100, 100, 140, 120));
        EXPECT_EQ(Events, QStringList{"popup"});
        EXPECT_EQ(Menu.PopupWindow(), nullptr);
    }
}

TEST_F(ImagesMenuWindowTest, ChoicesAndTheirEvents) {
    TqvSkinImagesMenuPopupWindow* w = Open();
    Click(w, CellCentre(2));
    EXPECT_EQ(Menu.ItemIndex(), 2);
    EXPECT_EQ(Events, (QStringList{"internal close", "close", "click 2", "item click", "internal change", "change"}));
    EXPECT_EQ(Menu.PopupWindow(), nullptr);

    // The same cell again: clicked, not changed.
    w = Open();
    const TRect c = Menu.ImagesItems()[2].ItemRect;
    Click(w, QPoint(c.Right, c.Bottom));  // the right-bottom edge still hits it
    EXPECT_EQ(Events, (QStringList{"internal close", "close", "click 2", "item click"}));
}

TEST_F(ImagesMenuWindowTest, KeysGoToTheGridAndAreSwallowed) {
    int formKeys = 0;
    struct TCounter : QObject {
        int* N;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::KeyPress) ++*N;
            return false;
        }
    } counter;
    counter.N = &formKeys;
    Other->installEventFilter(&counter);
    TqvSkinImagesMenuPopupWindow* w = Open();
    Key(Other, Qt::Key_Right);
    Key(Other, Qt::Key_Right);
    Key(Other, Qt::Key_Down);
    EXPECT_EQ(w->MouseInItem, 3);
    EXPECT_EQ(formKeys, 0);
    Key(Other, Qt::Key_Space);
    EXPECT_EQ(Menu.ItemIndex(), 3);
    EXPECT_EQ(Events.last(), QStringLiteral("change"));
    // Closed: keys reach the form again.
    Key(Other, Qt::Key_Right);
    EXPECT_EQ(formKeys, 1);
}

TEST_F(ImagesMenuWindowTest, EscapeOutsideClicksAndRightPressesCloseOnly) {
    const struct {
        const char* Case;
        int Way;
    } rows[] = {{"escape", 0}, {"click outside", 1}, {"right press inside", 2}, {"alt chord", 3}, {"form moved", 4}};
    for (const auto& r : rows) {
        Menu.SetItemIndex(1);
        TqvSkinImagesMenuPopupWindow* w = Open();
        Key(Other, Qt::Key_Right);  // a hot cell that is not chosen
        switch (r.Way) {
        case 0: Key(Other, Qt::Key_Escape); break;
        case 1: Click(Other, QPoint(5, 5)); break;
        case 2: Click(w, CellCentre(0), Qt::RightButton); break;
        case 3: Key(Other, Qt::Key_F, Qt::AltModifier); break;
        case 4: Form->move(Form->pos() + QPoint(10, 0)); QCoreApplication::processEvents(); break;
        }
        EXPECT_EQ(Events, (QStringList{"internal close", "close"})) << r.Case;
        EXPECT_EQ(Menu.ItemIndex(), 1) << r.Case;
        EXPECT_EQ(Menu.PopupWindow(), nullptr) << r.Case;
    }
}

TEST_F(ImagesMenuWindowTest, ReleaseOffTheCellsKeepsTheGridOpen) {
    TqvSkinImagesMenuPopupWindow* w = Open();
    Click(w, QPoint(1, 1));  // on the frame
    EXPECT_TRUE(Events.isEmpty());
    EXPECT_EQ(Menu.PopupWindow(), w);
    Menu.Hide();
    EXPECT_EQ(Events, (QStringList{"internal close", "close"}));
}

}  // namespace

#include "skin/controls/buttons/SkinMenuSpeedButton.h"

namespace {

// A menu speed button with this images menu: down while the grid is open,
// and the chosen image and caption show on it.
TEST_F(ImagesMenuWindowTest, MenuSpeedButtonShowsTheChoice) {
    auto* form = new TForm;
    std::unique_ptr<TForm> owner(form);
    form->SetBounds(0, 0, 200, 100);
    auto* button = new TqvSkinMenuSpeedButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 60, 30);
    button->SetUseImagesMenuImage(true);
    button->SetUseImagesMenuCaption(true);
    Menu.ImagesItems()[2].Caption = QStringLiteral("Green");
    button->SetSkinImagesMenu(&Menu);
    form->Show();
    int hidden = 0;
    button->OnHideTrackMenu = [&](QObject*) { ++hidden; };

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(button, &press);
    ASSERT_NE(Menu.PopupWindow(), nullptr);
    EXPECT_TRUE(button->Down());
    Click(Menu.PopupWindow(), CellCentre(2));
    EXPECT_EQ(Menu.PopupWindow(), nullptr);
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(button->SkinImagesMenu()->SelectedImageIndex(), 2);
    EXPECT_EQ(button->SkinImagesMenu()->SelectedCaption(), QStringLiteral("Green"));
    const QImage shot = button->grab().toImage();
    bool green = false;
    for (int y = 0; y < shot.height() && !green; ++y)
        for (int x = 0; x < shot.width() && !green; ++x) green = (shot.pixel(x, y) | 0xFF000000u) == qRgb(0, 120, 0);
    EXPECT_TRUE(green) << "the chosen image on the button";
}

}  // namespace
