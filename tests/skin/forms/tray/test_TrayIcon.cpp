// The tray icon over a fake notification area: clicks told apart from double
// clicks on the manual clock, the menu, icon index and cycling, tip and
// balloon limits, minimize to tray and back, and a desktop without a tray.
#include "skin/forms/tray/TrayIcon.h"

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Sources.h"
#include "skin/model/SkinTypes.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct FakeArea {
    bool Available = true;
    struct Call { unsigned Message; TqvNotifyIconData Data; };
    std::vector<Call> Calls;
    std::function<void(unsigned)>* Callback = nullptr;
    void Send(unsigned code) {
        if (Callback && *Callback) (*Callback)(code);
    }
    int Count(unsigned msg) const {
        int n = 0;
        for (const Call& c : Calls) n += c.Message == msg;
        return n;
    }
};

class FakeBackend : public TqvTrayBackend {
public:
    explicit FakeBackend(FakeArea* A) : FArea(A) { A->Callback = &Callback; }
    ~FakeBackend() override { FArea->Callback = nullptr; }
    bool Available() override { return FArea->Available; }
    bool Notify(unsigned Message, const TqvNotifyIconData& Data) override {
        FArea->Calls.push_back({Message, Data});
        return true;
    }

private:
    FakeArea* FArea;
};

class FakeMenu : public QObject, public TqvTrayPopupMenu {
public:
    bool Auto = true;
    bool HasDefault = true;
    std::vector<QPoint> Popups;
    QObject* PopupComponent = nullptr;
    int DefaultClicks = 0;
    QObject* MenuObject() override { return this; }
    bool AutoPopup() const override { return Auto; }
    void SetPopupComponent(QObject* c) override { PopupComponent = c; }
    void Popup(int X, int Y) override { Popups.emplace_back(X, Y); }
    bool ClickDefaultItem() override {
        if (!HasDefault) return false;
        ++DefaultClicks;
        return true;
    }
};

struct TrayTest : ::testing::Test {
    std::shared_ptr<TManualTickSource> Ticks = std::make_shared<TManualTickSource>();
    std::shared_ptr<TManualPointerSource> Pointer = std::make_shared<TManualPointerSource>();
    FakeArea Area;
    TForm* Main = nullptr;
    TqvTrayIcon* Tray = nullptr;
    int Clicks = 0, DblClicks = 0;
    std::vector<Qt::MouseButton> Downs, Ups;
    const int Dbl = QApplication::doubleClickInterval();

    void SetUp() override {
        SetTickSource(Ticks);
        SetPointerSource(Pointer);
        Pointer->Pos = QPoint(700, 580);
        SetTrayBackendFactory([this] { return std::make_unique<FakeBackend>(&Area); });
        Main = new TForm;
        Main->SetBounds(0, 0, 300, 200);
        Application()->SetMainForm(Main);
        Tray = new TqvTrayIcon(Main);
        Tray->OnClick = [this](QObject*) { ++Clicks; };
        Tray->OnDblClick = [this](QObject*) { ++DblClicks; };
        Tray->OnMouseDown = [this](QObject*, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) { Downs.push_back(b); };
        Tray->OnMouseUp = [this](QObject*, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) { Ups.push_back(b); };
    }
    void TearDown() override {
        delete Main;
        Application()->SetMainForm(nullptr);
        Application()->SetShowMainForm(true);
        SetTrayBackendFactory(nullptr);
        SetPointerSource(nullptr);
        SetTickSource(nullptr);
    }
    void Send(std::initializer_list<unsigned> codes) {
        for (unsigned c : codes) Area.Send(c);
    }
    TImageList* ThreeIcons() {
        auto* list = new TImageList(Main);
        list->SetSize(16, 16);
        for (QRgb c : {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}) {
            QImage img(16, 16, QImage::Format_ARGB32);
            img.fill(c);
            list->Add(img);
        }
        return list;
    }
    static QRgb IconColour(const QIcon& icon) { return icon.pixmap(16, 16).toImage().pixel(8, 8) | 0xFF000000u; }
};

TEST_F(TrayTest, ClickFiresOnceAfterTheDoubleClickTime) {
    Send({TRAY_LBUTTONDOWN, TRAY_LBUTTONUP});
    Ticks->Advance(Dbl - 1);
    EXPECT_EQ(Clicks, 0);
    Ticks->Advance(1);
    EXPECT_EQ(Clicks, 1);
    Ticks->Advance(5 * Dbl);
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(Tray->ClickTimerActive());
    EXPECT_EQ(Downs, std::vector<Qt::MouseButton>{Qt::LeftButton});
    EXPECT_EQ(Ups, std::vector<Qt::MouseButton>{Qt::LeftButton});
}

TEST_F(TrayTest, ClickHeldLongerFiresAtTheRelease) {
    Send({TRAY_LBUTTONDOWN});
    Ticks->Advance(Dbl + 50);
    EXPECT_EQ(Clicks, 0);
    Send({TRAY_LBUTTONUP});
    EXPECT_EQ(Clicks, 1);
    Ticks->Advance(5 * Dbl);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(TrayTest, DoubleClickFiresOnlyDblClickAndTheDefaultItem) {
    FakeMenu menu;
    Tray->SetPopupMenu(&menu);
    Send({TRAY_LBUTTONDOWN, TRAY_LBUTTONUP, TRAY_LBUTTONDBLCLK, TRAY_LBUTTONUP});
    Ticks->Advance(5 * Dbl);
    EXPECT_EQ(Clicks, 0);
    EXPECT_EQ(DblClicks, 1);
    EXPECT_EQ(menu.DefaultClicks, 1);
    EXPECT_TRUE(menu.Popups.empty());
    // A later single click is a click again.
    Send({TRAY_LBUTTONDOWN, TRAY_LBUTTONUP});
    Ticks->Advance(Dbl);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(TrayTest, DefaultItemOnlyForAnAutoPopupRightButtonMenu) {
    FakeMenu menu;
    Tray->SetPopupMenu(&menu);
    Tray->SetPopupByLeftButton(true);
    Send({TRAY_LBUTTONDOWN});
    ASSERT_EQ(menu.Popups.size(), 1u);  // the left button opens it
    Send({TRAY_LBUTTONUP, TRAY_LBUTTONDBLCLK, TRAY_LBUTTONUP});
    EXPECT_EQ(DblClicks, 1);
    EXPECT_EQ(menu.DefaultClicks, 0);
    Tray->SetPopupByLeftButton(false);
    menu.Auto = false;
    Send({TRAY_LBUTTONDBLCLK});
    EXPECT_EQ(menu.DefaultClicks, 0);
}

TEST_F(TrayTest, RightButtonOpensTheMenuAtTheCursor) {
    auto* menu = new FakeMenu;
    Tray->SetPopupMenu(menu);
    Send({TRAY_RBUTTONDOWN, TRAY_RBUTTONUP, TRAY_MBUTTONDOWN, TRAY_MBUTTONUP});
    ASSERT_EQ(menu->Popups.size(), 1u);
    EXPECT_EQ(menu->Popups[0], QPoint(700, 580));
    EXPECT_EQ(menu->PopupComponent, Tray);
    EXPECT_EQ(Downs, (std::vector<Qt::MouseButton>{Qt::RightButton, Qt::MiddleButton}));
    EXPECT_EQ(Ups, (std::vector<Qt::MouseButton>{Qt::RightButton, Qt::MiddleButton}));
    // A menu that is gone is forgotten: the right button opens nothing.
    delete menu;
    EXPECT_EQ(Tray->PopupMenu(), nullptr);
    Send({TRAY_RBUTTONDOWN, TRAY_RBUTTONUP});
    EXPECT_EQ(Clicks + DblClicks, 0);
}

TEST_F(TrayTest, IconIndexClampedToTheList) {
    EXPECT_EQ(Tray->IconIndex(), 0);
    Tray->SetIconIndex(2);  // no list: 0
    EXPECT_EQ(Tray->IconIndex(), 0);
    Tray->SetIconList(ThreeIcons());
    struct Case { int set, want; QRgb colour; };
    const Case cases[] = {{1, 1, qRgb(0, 255, 0)}, {5, 2, qRgb(0, 0, 255)}, {3, 2, qRgb(0, 0, 255)}, {-3, 0, qRgb(255, 0, 0)}};
    for (const Case& c : cases) {
        Tray->SetIconIndex(c.set);
        EXPECT_EQ(Tray->IconIndex(), c.want) << c.set;
        EXPECT_EQ(IconColour(Tray->Icon()), c.colour) << c.set;
    }
}

TEST_F(TrayTest, CyclingWrapsAndReportsZeroOnTheLastIcon) {
    Tray->SetIconList(ThreeIcons());
    std::vector<int> next;
    std::vector<QRgb> shown;
    Tray->OnCycle = [&](QObject*, int n) {
        next.push_back(n);
        shown.push_back(IconColour(Tray->Icon()));
    };
    Tray->SetAnimateTimerInterval(100);
    Tray->SetCycleIcons(true);
    Ticks->Advance(400);
    EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(shown, (std::vector<QRgb>{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 0, 0)}));
    Tray->SetCycleIcons(false);
    Ticks->Advance(400);
    EXPECT_EQ(next.size(), 4u);
}

TEST_F(TrayTest, TipAndBalloonLimits) {
    Tray->SetIconVisible(true);
    Tray->SetHint(QString(200, QLatin1Char('t')));
    EXPECT_EQ(Area.Calls.back().Message, NIM_MODIFY);
    EXPECT_EQ(Area.Calls.back().Data.Tip.size(), 127);
    Tray->SetShowHint(false);
    EXPECT_TRUE(Area.Calls.back().Data.Tip.isEmpty());

    Area.Calls.clear();
    EXPECT_TRUE(Tray->ShowBalloonHint(QString(100, QLatin1Char('T')), QString(300, QLatin1Char('x')), qvbitWarning));
    ASSERT_EQ(Area.Calls.size(), 2u);
    // The old balloon is taken away first.
    EXPECT_TRUE(Area.Calls[0].Data.Flags & NIF_INFO);
    EXPECT_TRUE(Area.Calls[0].Data.Info.isEmpty());
    const TqvNotifyIconData& d = Area.Calls[1].Data;
    EXPECT_EQ(d.Flags, NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO);
    EXPECT_EQ(d.Info.size(), 255);
    EXPECT_EQ(d.InfoTitle.size(), 63);
    EXPECT_EQ(d.InfoFlags, NIIF_WARNING);
    EXPECT_EQ(Tray->IconData().Flags, NIF_MESSAGE | NIF_ICON | NIF_TIP);

    int balloonClicks = 0;
    Tray->OnBalloonHintClick = [&](QObject* s) { balloonClicks += s == Tray; };
    Send({TRAY_BALLOONUSERCLICK});
    EXPECT_EQ(balloonClicks, 1);
}

TEST_F(TrayTest, MinimizeToTrayAndBack) {
    Main->Show();
    Tray->SetIconVisible(false);
    Tray->SetMinimizeToTray(true);
    Area.Calls.clear();
    Application()->Minimize();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Main->isVisible());
    EXPECT_TRUE(Tray->IconVisible());
    EXPECT_EQ(Area.Count(NIM_ADD), 1);
    EXPECT_EQ(Main->Tag(), kTrayMainFormTag);

    int restores = 0;
    TWindowHook hook(Main, [&](QObject*, QEvent* e) {
        if (TMessage* m = AsMessage(e); m && m->Msg == WM_SKIN_RESTORE_MAIN_FORM) ++restores;
        return false;
    });
    Tray->ShowMainForm();
    EXPECT_TRUE(Main->isVisible());
    EXPECT_EQ(Main->WindowState(), wsNormal);
    EXPECT_EQ(Main->Tag(), kTrayMainFormTag);
    QCoreApplication::sendPostedEvents(Main);
    EXPECT_EQ(restores, 1);

    // Without MinimizeToTray a minimize stays a minimize.
    Tray->SetMinimizeToTray(false);
    Application()->Minimize();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Main->isVisible());
}

TEST_F(TrayTest, MinimizedOnStart) {
    Tray->SetIconVisible(false);
    Tray->SetMinimizedOnStart(true);
    Tray->SetMinimizeToTray(false);
    Area.Calls.clear();
    Tray->Loaded();
    EXPECT_FALSE(Application()->ShowMainForm());
    EXPECT_TRUE(Tray->MinimizeToTray());
    EXPECT_TRUE(Tray->IconVisible());
    EXPECT_EQ(Area.Count(NIM_ADD), 1);
}

TEST_F(TrayTest, InertWithoutATrayOrWhenDisabled) {
    Area.Available = false;
    Area.Calls.clear();
    EXPECT_FALSE(Tray->ShowIcon());
    EXPECT_TRUE(Tray->IconVisible());  // the state is kept
    Tray->SetHint(QStringLiteral("tip"));
    EXPECT_FALSE(Tray->ShowBalloonHint(QStringLiteral("t"), QStringLiteral("x"), qvbitInfo));
    EXPECT_TRUE(Area.Calls.empty());
    Send({TRAY_LBUTTONDOWN, TRAY_LBUTTONUP, TRAY_RBUTTONDOWN});
    Ticks->Advance(5 * Dbl);
    EXPECT_EQ(Clicks, 0);
    EXPECT_TRUE(Downs.empty());

    Area.Available = true;
    Tray->SetEnabled(false);
    Send({TRAY_LBUTTONDOWN, TRAY_LBUTTONUP});
    Ticks->Advance(5 * Dbl);
    EXPECT_EQ(Clicks, 0);
    EXPECT_TRUE(Downs.empty());
}

TEST_F(TrayTest, IconGoesWithTheComponent) {
    Tray->SetIconVisible(true);
    Area.Calls.clear();
    delete Tray;
    EXPECT_EQ(Area.Count(NIM_DELETE), 1);
}

TEST_F(TrayTest, BitmapToIconKeysOutTheMaskColour) {
    TBitmap bmp(16, 16);
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(qRgb(255, 0, 255));
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x) img.setPixel(x, y, qRgb(0, 128, 0));
    bmp.Assign(img);
    QIcon icon;
    ASSERT_TRUE(Tray->BitmapToIcon(bmp, icon, RGB(255, 0, 255)));
    const QImage out = icon.pixmap(16, 16).toImage();
    EXPECT_EQ(qAlpha(out.pixel(0, 0)), 0);
    EXPECT_EQ(out.pixel(8, 8) | 0xFF000000u, qRgb(0, 128, 0));
    EXPECT_FALSE(Tray->BitmapToIcon(TBitmap(), icon, RGB(255, 0, 255)));
}

}  // namespace
