// The skinned list box: bars created and removed with the items, the row
// count, sorting, the painters, the sideways offset, tab stops, the hooks'
// order and the sideways keys.
#include "tests/skin/controls/ControlTestSupport.h"

#include "skin/controls/lists/SkinListBox.h"

#include <QApplication>
#include <QListWidget>
#include <QWheelEvent>
#include <QPainter>

namespace {

struct ListBox : SkinControlTest {
    TqvSkinListBox* List = nullptr;
    void SetUp() override {
        SkinControlTest::SetUp();
        List = Make<TqvSkinListBox>();
        List->SetBounds(10, 10, 120, 104);  // 100 inside: five rows of 20
    }
    void Add(int n) {
        for (int i = 0; i < n; ++i) List->Items().Add(QStringLiteral("item %1").arg(List->Items().Count()));
    }
};

TEST_F(ListBox, TheBarComesExactlyWhenItemsOverflowAndGoesOnClear) {
    for (int i = 0; i < 5; ++i) {
        Add(1);
        EXPECT_EQ(List->ScrollBar(), nullptr) << i;
    }
    Add(1);
    ASSERT_NE(List->ScrollBar(), nullptr);
    EXPECT_EQ(List->ScrollBar()->Max(), 5);
    EXPECT_EQ(List->ScrollBar()->PageSize(), 5);
    EXPECT_EQ(List->ListRect().Right, List->ScrollBar()->Left());
    List->ScrollBar()->SetPosition(1);
    EXPECT_EQ(List->TopIndex(), 1);
    List->Clear();
    EXPECT_EQ(List->ScrollBar(), nullptr);
}

TEST_F(ListBox, RowCountFitsTheHeightAndNeedsNoBarForThatMany) {
    Add(5);
    List->SetRowCount(5);
    EXPECT_EQ(List->Height(), 5 * 20 + 4);
    EXPECT_EQ(List->ScrollBar(), nullptr);
    Add(1);
    EXPECT_NE(List->ScrollBar(), nullptr);
}

TEST_F(ListBox, SortingAnOverflowingListKeepsItsBar) {
    Add(8);
    ASSERT_NE(List->ScrollBar(), nullptr);
    List->SetSorted(true);
    EXPECT_NE(List->ScrollBar(), nullptr);
}

TEST_F(ListBox, TheWheelScrollsOneLineMoreThanTheNativeList) {
    Add(30);
    const int lines = QApplication::wheelScrollLines();
    QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(List->ListBox()->Widget()->viewport(), &e);
    EXPECT_EQ(List->TopIndex(), lines + 1);
    EXPECT_EQ(List->ScrollBar()->Position(), lines + 1);
}

TEST_F(ListBox, TabStopsAreDigitLinesElseZero) {
    TStringList tabs{QStringLiteral("40"), QStringLiteral("abc"), QStringLiteral("80"), QString()};
    List->SetTabWidths(tabs);
    EXPECT_EQ(List->TabStops(), (std::vector<int>{40, 0, 80, 0}));
}

// The item picture as the delegate draws it.
QImage PaintItem(TqvListBox* L, int index, int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    L->PaintItem(p, QRect(0, 0, w, h), index);
    return img;
}

TEST_F(ListBox, PaintersAndTheOwnerDrawHeight) {
    Add(2);
    List->SetItemIndex(1);
    // Skinless: clWindow, and clHighlight for the selected item.
    EXPECT_EQ(Px(PaintItem(List->ListBox(), 0, 100, 20), 1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(Px(PaintItem(List->ListBox(), 1, 100, 20), 1, 1), ColorToQColor(clHighlight).rgb());
    TTestSkin skin(QStringList{"listbox"}, QStringList{});
    skin.FlatColours().Set(QStringLiteral("listbox"), QStringLiteral("itemrect"), QStringLiteral("0,0,64,16"))
        .Set(QStringLiteral("listbox"), QStringLiteral("itemtextrect"), QStringLiteral("4,2,60,14"));
    skin.LoadInto(*Model);
    List->SetSkinData(Model);
    EXPECT_EQ(List->ListBox()->ItemHeight(), 16);  // the skin's item height
    int seenH = -1;
    List->OnDrawItem = [&](TCanvas&, int, int, int h, const TRect&, TqvOwnerDrawState) { seenH = h; };
    List->SetUseSkinItemHeight(false);
    List->SetDefaultItemHeight(30);
    PaintItem(List->ListBox(), 0, 100, 30);
    EXPECT_EQ(seenH, 16);
    List->SetUseSkinItemHeight(true);
    PaintItem(List->ListBox(), 0, 100, 16);
    EXPECT_EQ(seenH, 16);
}

TEST_F(ListBox, HorizontalExtentMovesImagesAndPlainTextButNotTabbedText) {
    Add(1);
    auto images = std::make_unique<TCustomImageList>();
    images->SetSize(16, 16);
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    images->Add(red);
    List->SetImages(images.get());
    EXPECT_EQ(Px(PaintItem(List->ListBox(), 0, 100, 20), 6, 10), qRgb(255, 0, 0));
    List->ListBox()->SetHorizontalExtentValue(30);
    EXPECT_NE(Px(PaintItem(List->ListBox(), 0, 100, 20), 6, 10), qRgb(255, 0, 0));
    List->SetImages(nullptr);
}

TEST_F(ListBox, LeftAndRightScrollSidewaysOnlyWithTheHorizontalBar) {
    List->Items().Add(QStringLiteral("a very very long line of text that does not fit in the list at all"));
    QWidget* w = List->ListBox()->Widget();
    SendKey(w, QEvent::KeyPress, Qt::Key_Right);
    EXPECT_EQ(List->ListBox()->HorizontalExtentValue(), 0);
    List->SetHorizontalExtent(true);
    ASSERT_NE(List->HScrollBar(), nullptr);
    EXPECT_EQ(List->ScrollBar(), nullptr);
    EXPECT_EQ(List->ListRect().Bottom, List->HScrollBar()->Top());
    SendKey(w, QEvent::KeyPress, Qt::Key_Right);
    EXPECT_EQ(List->ListBox()->HorizontalExtentValue(), List->HScrollBar()->SmallChange());
    SendKey(w, QEvent::KeyPress, Qt::Key_Left);
    EXPECT_EQ(List->ListBox()->HorizontalExtentValue(), 0);
    List->SetHorizontalExtent(false);
    EXPECT_EQ(List->HScrollBar(), nullptr);
}

class TRecordingListBox : public TqvSkinListBox {
public:
    using TqvSkinListBox::TqvSkinListBox;
    std::vector<std::string>* Log = nullptr;
    void ListBoxMouseDown(Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) override {
        Log->push_back("hook down");
        TqvSkinListBox::ListBoxMouseDown(b, s, x, y);
    }
    void ListBoxMouseUp(Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) override {
        Log->push_back("hook up");
        TqvSkinListBox::ListBoxMouseUp(b, s, x, y);
    }
    void ListBoxClick() override { Log->push_back("hook click"); }
    void ListBoxDblClick() override { Log->push_back("hook dblclick"); }
    void ListBoxKeyDown(int& Key, Qt::KeyboardModifiers) override {
        Log->push_back("hook key");
        if (Key == Qt::Key_X) Key = 0;
    }
    void ListBoxWndProc(QEvent* e, bool& callDefault) override {
        callDefault = !(e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Z);
    }
};

TEST_F(ListBox, HooksRunBeforeTheInnerListsOwnHandling) {
    std::vector<std::string> log;
    auto* r = Make<TRecordingListBox>();
    r->Log = &log;
    r->SetBounds(150, 10, 120, 104);
    for (int i = 0; i < 3; ++i) r->Items().Add(QStringLiteral("row"));
    TqvListBox* inner = r->ListBox();
    inner->OnMouseDown = [&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { log.push_back("down"); };
    inner->OnMouseUp = [&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { log.push_back("up"); };
    inner->OnClick = [&](QObject*) { log.push_back("click"); };
    inner->OnDblClick = [&](QObject*) { log.push_back("dblclick"); };
    inner->OnKeyDown = [&](QObject*, int&, Qt::KeyboardModifiers) { log.push_back("key"); };
    QWidget* vp = inner->Widget()->viewport();
    SendMouse(vp, QEvent::MouseButtonPress, {10, 25});
    SendMouse(vp, QEvent::MouseButtonRelease, {10, 25});
    EXPECT_EQ(log, (std::vector<std::string>{"hook down", "down", "hook click", "click", "hook up", "up"}));
    log.clear();
    SendMouse(vp, QEvent::MouseButtonDblClick, {10, 25});
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "hook dblclick");
    log.clear();
    SendKey(inner->Widget(), QEvent::KeyPress, Qt::Key_Down);
    SendKey(inner->Widget(), QEvent::KeyPress, Qt::Key_X);
    SendKey(inner->Widget(), QEvent::KeyPress, Qt::Key_Z);
    // Down selects (a click), X is eaten by the hook, Z never reaches it.
    EXPECT_EQ(log, (std::vector<std::string>{"hook key", "key", "hook click", "click", "hook key"}));
}

TEST_F(ListBox, AnEmptySkinnedListTilesItsClientPicture) {
    LoadSkin();
    List->SetSkinData(Model);
    QImage img(50, 50, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    List->ListBox()->PaintBackground(p, QRect(0, 0, 50, 50));
    p.end();
    EXPECT_EQ(Px(img, 0, 0), Flat(QStringLiteral("listbox"), QStringLiteral("skinrect"), TTestSkin::zC));
    EXPECT_EQ(Px(img, 49, 49), Flat(QStringLiteral("listbox"), QStringLiteral("skinrect"), TTestSkin::zC));
}

TEST_F(ListBox, HoldingTheDownCaptionButtonRepeatsAfterTheWait) {
    Add(10);
    List->SetItemIndex(0);
    List->SetCaptionMode(true);
    List->BuildImage();  // lays the caption buttons out
    const QPoint down = List->CaptionButtonRect(1).ToQRect().center();
    SendMoveNoButton(List, down);
    SendMouse(List, QEvent::MouseButtonPress, down);
    Ticks->Advance(500);
    EXPECT_EQ(List->ItemIndex(), 0);
    Ticks->Advance(100);
    EXPECT_EQ(List->ItemIndex(), 1);
    Ticks->Advance(100);
    EXPECT_EQ(List->ItemIndex(), 2);
    SendMouse(List, QEvent::MouseButtonRelease, down);
    EXPECT_EQ(List->ItemIndex(), 3);
    Ticks->Advance(1000);
    EXPECT_EQ(List->ItemIndex(), 3);

    int clicks = 0;
    List->OnDownButtonClick = [&](QObject*) { ++clicks; };
    SendMouse(List, QEvent::MouseButtonPress, down);
    SendMouse(List, QEvent::MouseButtonRelease, down);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(List->ItemIndex(), 3);
    SendMouse(List, QEvent::MouseButtonPress, down);
    SendMouse(List, QEvent::MouseMove, {5, 60});
    SendMouse(List, QEvent::MouseButtonRelease, {5, 60});  // released away: the plain step
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(List->ItemIndex(), 4);
}

}  // namespace
