// The form's tray operations over a fake notification area: minimize to the
// tray and back (the restore message brings the form forward), the icon's
// double click and menu, and no tray icon or no tray: nothing happens.
#include "skin/forms/tray/TrayIcon.h"
#include "tests/skin/forms/layered/LayerTestSupport.h"

#include <QApplication>

namespace {

struct FakeArea {
    bool Available = true;
    int Adds = 0, Deletes = 0;
    std::function<void(unsigned)>* Callback = nullptr;
};

class FakeBackend : public TqvTrayBackend {
public:
    explicit FakeBackend(FakeArea* A) : FArea(A) { A->Callback = &Callback; }
    ~FakeBackend() override { FArea->Callback = nullptr; }
    bool Available() override { return FArea->Available; }
    bool Notify(unsigned Message, const TqvNotifyIconData&) override {
        FArea->Adds += Message == NIM_ADD;
        FArea->Deletes += Message == NIM_DELETE;
        return true;
    }

private:
    FakeArea* FArea;
};

// Stands in for the skinned tray menu.
class FakeMenu : public QObject, public TqvTrayPopupMenu {
public:
    QObject* MenuObject() override { return this; }
    bool AutoPopup() const override { return true; }
    void SetPopupComponent(QObject*) override {}
    void Popup(int, int) override {}
    bool ClickDefaultItem() override { return false; }
};

struct FormTrayTest : LayerFormTest {
    FakeArea Area;
    TqvTrayIcon* Tray = nullptr;
    int ToTray = 0, FromTray = 0;
    void SetUp() override {
        LayerFormTest::SetUp();
        SetTrayBackendFactory([this] { return std::make_unique<FakeBackend>(&Area); });
        Application()->SetMainForm(Form);
        Tray = new TqvTrayIcon(Form);
        Comp->OnMinimizeToTray = [this](QObject*) { ++ToTray; };
        Comp->OnRestoreFromTray = [this](QObject*) { ++FromTray; };
    }
    void TearDown() override {
        Application()->SetMainForm(nullptr);
        LayerFormTest::TearDown();
        SetTrayBackendFactory(nullptr);
    }
};

}  // namespace

TEST_F(FormTrayTest, MinimizeToTrayAndBack) {
    FakeMenu menu;
    Comp->SetTrayMenu(&menu);
    Tray->SetIconVisible(true);
    Comp->SetTrayIcon(Tray);
    // Taking the icon: hidden until the form goes to the tray, the form's tray menu, restore on double click.
    EXPECT_FALSE(Tray->IconVisible());
    EXPECT_FALSE(Tray->MinimizeToTray());
    EXPECT_EQ(Tray->PopupMenu(), &menu);
    ASSERT_TRUE(bool(Tray->OnDblClick));

    Form->Show();
    Comp->MinimizeToTray();
    QCoreApplication::processEvents();
    EXPECT_EQ(ToTray, 1);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_TRUE(Tray->IconVisible());
    EXPECT_EQ(Form->Tag(), kTrayMainFormTag);

    // The icon's double click restores; the restore message clears the tag.
    Tray->OnDblClick(Tray);
    EXPECT_EQ(FromTray, 1);
    EXPECT_TRUE(Form->isVisible());
    EXPECT_FALSE(Form->isMinimized());
    EXPECT_FALSE(Tray->IconVisible());
    EXPECT_FALSE(Tray->MinimizeToTray());
    QCoreApplication::sendPostedEvents(Form);
    EXPECT_EQ(Form->Tag(), 0);

    // The minimize-to-tray button and the minimize button with AlwaysMinimizeToTray go the same way.
    Comp->MinToTrayItemClick();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Form->isVisible());
    Comp->TrayIconDblClick();
    QCoreApplication::sendPostedEvents(Form);
    Comp->AlwaysMinimizeToTray = true;
    Comp->MinItemClick();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(ToTray, 3);

    // With AlwaysShowInTray the icon stays after the restore.
    Comp->AlwaysShowInTray = true;
    Comp->RestoreFromTray();
    EXPECT_TRUE(Form->isVisible());
    EXPECT_TRUE(Tray->IconVisible());
}

TEST_F(FormTrayTest, AnIconsOwnMenuAndDoubleClickStay) {
    FakeMenu own, formMenu;
    int dbl = 0;
    Tray->SetPopupMenu(&own);
    Tray->OnDblClick = [&](QObject*) { ++dbl; };
    Comp->SetTrayMenu(&formMenu);
    Comp->SetTrayIcon(Tray);
    EXPECT_EQ(Tray->PopupMenu(), &own);
    Tray->OnDblClick(Tray);
    EXPECT_EQ(dbl, 1);
    EXPECT_EQ(FromTray, 0);
}

TEST_F(FormTrayTest, InertWithoutATrayIconOrATray) {
    Form->Show();
    // No icon given: the tray commands do nothing.
    Comp->MinimizeToTray();
    Comp->MinToTrayItemClick();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Form->isVisible());
    EXPECT_FALSE(Form->isMinimized());
    Comp->RestoreFromTray();
    EXPECT_EQ(ToTray + FromTray, 0);

    // A desktop without a notification area: the state moves, the area hears nothing.
    Area.Available = false;
    Area.Adds = 0;
    auto* bare = new TqvTrayIcon(Form);
    Comp->SetTrayIcon(bare);
    Comp->MinimizeToTray();
    QCoreApplication::processEvents();
    EXPECT_TRUE(bare->IconVisible());
    EXPECT_EQ(Area.Adds, 0);
    Comp->RestoreFromTray();
    EXPECT_TRUE(Form->isVisible());
    EXPECT_FALSE(bare->IconVisible());
    EXPECT_EQ(Area.Adds, 0);
}
