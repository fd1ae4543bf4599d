#include "tests/skin/controls/ControlTestSupport.h"
#include "tests/skin/controls/edits/MenuFakes.h"

#include "platform/StdCtrls.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/model/ResourceStrings.h"
#include "skin/model/SkinTypes.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>

namespace {

using Z = TTestSkin::TZone;

struct EditTest : SkinControlTest {
    std::shared_ptr<TFakeMenuService> Menus = std::make_shared<TFakeMenuService>();
    std::shared_ptr<TFakeSkinLookup> Lookup = std::make_shared<TFakeSkinLookup>();
    void SetUp() override {
        SkinControlTest::SetUp();
        SetPopupMenuService(Menus);
        SetFormSkinLookup(Lookup);
    }
    void TearDown() override {
        SetPopupMenuService(nullptr);
        SetFormSkinLookup(nullptr);
        SkinControlTest::TearDown();
    }
    template <class T = TqvCustomEdit> T* Edit(const QString& text = QStringLiteral("hello world")) {
        auto* e = Make<T>();
        e->SetBounds(10, 10, 150, 24);
        e->SetText(text);
        return e;
    }
    static void Key(TqvCustomEdit* e, int key, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = {}) {
        SendKey(e->Widget(), QEvent::KeyPress, key, m, text);
        SendKey(e->Widget(), QEvent::KeyRelease, key, m, text);
    }
    static void Context(TqvCustomEdit* e, QContextMenuEvent::Reason reason, QPoint global) {
        QContextMenuEvent ev(reason, e->Widget()->mapFromGlobal(global), global);
        QCoreApplication::sendEvent(e->Widget(), &ev);
    }
    std::vector<std::pair<QString, bool>> Shown() const {
        std::vector<std::pair<QString, bool>> r;
        for (const auto& i : *Menus->Items) r.push_back({i.Caption, i.Enabled});
        return r;
    }
};

// ---- custom edit ----

struct ReadOnlyRow {
    const char* Case;
    std::function<void(TqvCustomEdit*)> Act;
    const char* Writable;  // the text afterwards when editable
};

TEST_F(EditTest, ReadOnlyBlocksEveryChangeButKeepsSelectAndCopy) {
    const ReadOnlyRow rows[] = {
        {"typing", [](TqvCustomEdit* e) { Key(e, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")); }, "abcx"},
        {"Delete", [](TqvCustomEdit* e) { e->Widget()->setCursorPosition(0); Key(e, Qt::Key_Delete); }, "bc"},
        {"Backspace", [](TqvCustomEdit* e) { Key(e, Qt::Key_Backspace); }, "ab"},
        {"cut", [](TqvCustomEdit* e) { e->SelectAll(); Key(e, Qt::Key_X, Qt::ControlModifier); }, ""},
        {"paste", [](TqvCustomEdit* e) { Key(e, Qt::Key_V, Qt::ControlModifier); }, "abcZ"},
        {"undo", [](TqvCustomEdit* e) { Key(e, Qt::Key_Z, Qt::ControlModifier); }, "ab"},
        {"menu cut", [](TqvCustomEdit* e) { e->SelectAll(); e->CutToClipboard(); }, ""},
        {"menu delete", [](TqvCustomEdit* e) { e->SelectAll(); e->ClearSelection(); }, ""},
        {"menu paste", [](TqvCustomEdit* e) { e->PasteFromClipboard(); }, "abcZ"},
        {"menu undo", [](TqvCustomEdit* e) { e->Undo(); }, "ab"},
    };
    for (const ReadOnlyRow& row : rows) {
        for (bool ro : {false, true}) {
            SCOPED_TRACE(std::string(row.Case) + (ro ? " read-only" : " editable"));
            QGuiApplication::clipboard()->setText(QStringLiteral("Z"));
            auto* e = Edit(QStringLiteral("ab"));
            e->Widget()->setCursorPosition(2);
            Key(e, Qt::Key_C, Qt::NoModifier, QStringLiteral("c"));  // something to undo
            ASSERT_EQ(e->Text(), QStringLiteral("abc"));
            e->Widget()->setCursorPosition(3);
            e->SetReadOnly(ro);
            row.Act(e);
            EXPECT_EQ(e->Text(), ro ? QStringLiteral("abc") : QString::fromLatin1(row.Writable));
            delete e;
        }
    }
    auto* e = Edit(QStringLiteral("keep me"));
    e->SetReadOnly(true);
    Key(e, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(e->SelText(), QStringLiteral("keep me"));
    Key(e, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("keep me"));
}

TEST_F(EditTest, EnterAndEscapeReachKeyPressThenTheDefaultAndCancelButtons) {
    for (bool ro : {false, true}) {
        SCOPED_TRACE(ro ? "read-only" : "editable");
        auto* e = Edit();
        e->SetReadOnly(ro);
        auto* ok = Make<TButton>();
        ok->SetDefault(true);
        auto* cancel = Make<TButton>();
        cancel->SetCancel(true);
        Form->Show();
        e->SetFocus();
        QString log;
        e->OnKeyPress = [&](QObject*, QChar& k) {
            log += QStringLiteral("key%1 ").arg(k.unicode());
            k = QChar();  // a copy: the key goes on anyway
        };
        ok->OnClick = [&](QObject*) { log += QStringLiteral("ok "); };
        cancel->OnClick = [&](QObject*) { log += QStringLiteral("cancel "); };
        Key(e, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        Key(e, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
        EXPECT_EQ(log, QStringLiteral("key13 ok key27 cancel "));
        EXPECT_EQ(e->Text(), QStringLiteral("hello world"));
        delete e;
        delete ok;
        delete cancel;
    }
}

TEST_F(EditTest, MenuItemsFollowSelectionClipboardAndReadOnly) {
    using Items = std::vector<std::pair<QString, bool>>;
    const QString u = QStringLiteral("Undo"), s = QStringLiteral("-"), x = QStringLiteral("Cut"),
                  c = QStringLiteral("Copy"), p = QStringLiteral("Paste"), d = QStringLiteral("Delete"),
                  a = QStringLiteral("Select All");
    struct Row {
        const char* Case;
        QString Text, Clip;
        bool Select, ReadOnly;
        Items Expected;
    };
    const Row rows[] = {
        {"empty edit", {}, QStringLiteral("clip"), false, false,
         {{u, false}, {s, true}, {x, false}, {c, false}, {p, true}, {d, false}, {s, true}, {a, false}}},
        {"empty read-only", {}, QStringLiteral("clip"), false, true,
         {{u, false}, {s, true}, {x, false}, {c, false}, {p, false}, {d, false}, {s, true}, {a, false}}},
        {"text, nothing selected, empty clipboard", QStringLiteral("abc"), {}, false, false,
         {{u, false}, {s, true}, {x, false}, {c, false}, {p, false}, {d, false}, {s, true}, {a, true}}},
        {"all selected", QStringLiteral("abc"), QStringLiteral("clip"), true, false,
         {{u, false}, {s, true}, {x, true}, {c, true}, {p, true}, {d, true}, {s, true}, {a, false}}},
        {"all selected, read-only", QStringLiteral("abc"), QStringLiteral("clip"), true, true,
         {{u, false}, {s, true}, {x, false}, {c, true}, {p, false}, {d, false}, {s, true}, {a, false}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Case);
        QGuiApplication::clipboard()->setText(row.Clip);
        auto* e = Edit(row.Text);
        e->SetReadOnly(row.ReadOnly);
        if (row.Select) e->SelectAll();
        else e->Widget()->deselect();
        Context(e, QContextMenuEvent::Mouse, e->mapToGlobal(QPoint(5, 5)));
        ASSERT_TRUE(Menus->Items);
        EXPECT_EQ(Shown(), row.Expected);
        EXPECT_EQ(Menus->Control, e);
        EXPECT_EQ(Menus->Form, Form);
        delete e;
    }
}

TEST_F(EditTest, MenuIsRebuiltEachTimeRunsItsCommandsAndIsFreedByTheCommandMessage) {
    QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
    auto* e = Edit(QStringLiteral("abc"));
    e->Widget()->deselect();
    Context(e, QContextMenuEvent::Mouse, e->mapToGlobal(QPoint(5, 5)));
    auto first = Menus->Items;
    ASSERT_TRUE(e->SysPopupMenu());
    // Select All, then the command message frees the menu.
    (*first)[7].OnClick();
    SendMessage(e, WM_SKIN_MENU_COMMAND);
    EXPECT_EQ(e->SelText(), QStringLiteral("abc"));
    EXPECT_EQ(e->SysPopupMenu(), nullptr);
    Context(e, QContextMenuEvent::Mouse, e->mapToGlobal(QPoint(5, 5)));
    EXPECT_NE(Menus->Items, first);
    EXPECT_TRUE((*Menus->Items)[2].Enabled) << "Cut follows the new selection";
    EXPECT_FALSE((*Menus->Items)[7].Enabled) << "everything is selected now";
    // A command after the edit is gone does nothing.
    auto items = Menus->Items;
    delete e;
    (*items)[2].OnClick();
}

TEST_F(EditTest, CaptionsComeFromTheFormSkinStringsElseTheFallbacks) {
    LoadSkin();
    auto* strings = new TqvResourceStrData(Model);
    strings->SetResStrings({QStringLiteral("EDIT_UNDO=U!"), QStringLiteral("EDIT_CUT=X!"), QStringLiteral("EDIT_COPY=C!"),
                            QStringLiteral("EDIT_PASTE=P!"), QStringLiteral("EDIT_SELECTALL=A!")});
    Model->SetResourceStrData(strings);
    Lookup->Model = Model;
    auto* e = Edit();
    Context(e, QContextMenuEvent::Mouse, e->mapToGlobal(QPoint(5, 5)));
    QStringList captions;
    for (const auto& i : *Menus->Items) captions << i.Caption;
    // A name the strings lack gives an empty caption.
    EXPECT_EQ(captions.join(u'|'), QStringLiteral("U!|-|X!|C!|P!||-|A!"));
    Model->SetResourceStrData(nullptr);
    Context(e, QContextMenuEvent::Mouse, e->mapToGlobal(QPoint(5, 5)));
    captions.clear();
    for (const auto& i : *Menus->Items) captions << i.Caption;
    EXPECT_EQ(captions.join(u'|'), QStringLiteral("Undo|-|Cut|Copy|Paste|Delete|-|Select All"));
}

TEST_F(EditTest, MenuPlaceComesFromTheReasonNotTheSignOfThePoint) {
    auto* e = Edit();
    Form->SetBounds(0, 0, 500, 400);
    Context(e, QContextMenuEvent::Keyboard, QPoint(-1, -1));
    EXPECT_EQ(Menus->At, e->ClientToScreen({e->Width() / 2, e->Height() / 2}));
    // A click on a screen left of and above the primary one.
    Context(e, QContextMenuEvent::Mouse, QPoint(-300, -20));
    EXPECT_EQ(Menus->At, (TPoint{-300, -20}));
}

TEST_F(EditTest, OwnPopupMenuOrNoServiceMeansNoSkinnedMenu) {
    auto* e = Edit();
    TFakePopupMenu own;
    e->SetPopupMenu(&own);
    Context(e, QContextMenuEvent::Mouse, QPoint(40, 50));
    EXPECT_EQ(own.Popups, 1);
    EXPECT_EQ(own.At, (TPoint{40, 50}));
    EXPECT_EQ(Menus->Shown, 0);
    e->SetPopupMenu(nullptr);
    SetPopupMenuService(nullptr);
    Context(e, QContextMenuEvent::Mouse, QPoint(40, 50));
    EXPECT_EQ(Menus->Shown, 0);
}

TEST_F(EditTest, CancelModeRaisesTheEvent) {
    auto* e = Edit();
    TControl* got = nullptr;
    e->OnEditCancelMode = [&](TControl* c) { got = c; };
    SendMessage(e, CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(static_cast<TControl*>(Form)));
    EXPECT_EQ(got, Form);
}

// ---- skinned edit ----

struct SkinEditTest : EditTest {
    TqvSkinEdit* SkinEdit(bool skinned = true, bool useSkinFont = true) {
        auto* e = Make<TqvSkinEdit>();
        e->SetUseSkinFont(useSkinFont);
        if (skinned) {
            LoadSkin();
            e->SetSkinData(Model);
        }
        e->SetBounds(10, 10, 150, 24);
        return e;
    }
    // A hot and focused look of its own for the edit record.
    void ActiveCell() {
        const TRect r = Skin.FlatRect(QStringLiteral("button"), QStringLiteral("activeskinrect"));
        Skin.Set(QStringLiteral("edit"), QStringLiteral("activeskinrect"),
                 QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom));
    }
};

TEST_F(SkinEditTest, FramePainterAFollowsHoverAndFocus) {
    ActiveCell();
    auto* e = SkinEdit();
    Form->Show();
    ASSERT_EQ(e->Height(), 64);
    const QString ed = QStringLiteral("edit"), n = QStringLiteral("skinrect");
    QImage img = e->BuildImage();
    EXPECT_EQ(Px(img, 1, 30), Flat(ed, n, Z::zL));
    EXPECT_EQ(Px(img, e->Width() - 2, 30), Flat(ed, n, Z::zR));
    EXPECT_EQ(Px(img, 75, 2), Flat(ed, n, Z::zT));
    EXPECT_EQ(Px(img, 75, 62), Flat(ed, n, Z::zB));
    EXPECT_EQ(Px(img, 75, 30), Flat(ed, n, Z::zC));
    EXPECT_EQ(e->TextColor(), RGB(0, 0, 0));
    const QString b = QStringLiteral("button"), a = QStringLiteral("activeskinrect");
    SendEnter(e->Widget());
    img = e->BuildImage();
    EXPECT_EQ(Px(img, 1, 30), Flat(b, a, Z::zL));
    EXPECT_EQ(Px(img, 75, 30), Flat(b, a, Z::zC));
    EXPECT_EQ(e->TextColor(), RGB(0, 0, 160));
    SendLeave(e->Widget());
    EXPECT_EQ(Px(e->BuildImage(), 1, 30), Flat(ed, n, Z::zL));
    e->SetFocus();
    EXPECT_EQ(Px(e->BuildImage(), 1, 30), Flat(b, a, Z::zL));
    EXPECT_EQ(e->TextColor(), RGB(0, 0, 160));
}

TEST_F(SkinEditTest, FramePainterBStretchesTheFrameAroundTheFontHeight) {
    auto* e = SkinEdit(true, false);
    TFont f(QStringLiteral("Arial"), -20);
    e->SetDefaultFont(f);
    e->ChangeSkinData();
    const int expected = QFontMetrics(e->Font().ToQFont()).height() + 64 - 52;
    EXPECT_EQ(e->Height(), expected);
    const QString ed = QStringLiteral("edit"), n = QStringLiteral("skinrect");
    const QImage img = e->BuildImage();
    EXPECT_EQ(Px(img, 1, 1), Flat(ed, n, Z::zTL));
    EXPECT_EQ(Px(img, 1, e->Height() / 2), Flat(ed, n, Z::zL));
    EXPECT_EQ(Px(img, e->Width() - 1, e->Height() - 1), Flat(ed, n, Z::zBR));
    EXPECT_EQ(Px(img, 75, e->Height() / 2), Flat(ed, n, Z::zC));
}

TEST_F(SkinEditTest, AnswersRequestsToPaintItsFrameIntoAPicture) {
    // 45513 paints the whole frame; 48203 with its key leaves the text area as it was.
    struct Row {
        const char* Case;
        bool Skinned, UseSkinFont;
        QPoint Edge;
        QRgb EdgeColour, Inside;  // on the frame; in the text area (45513)
    };
    const QString ed = QStringLiteral("edit"), n = QStringLiteral("skinrect");
    const Row rows[] = {
        {"skinless", false, true, {0, 0}, ColorToQColor(clBtnShadow).rgb(), ColorToQColor(clWindow).rgb()},
        {"painter A", true, true, {1, 30}, Flat(ed, n, Z::zL), Flat(ed, n, Z::zC)},
        {"painter B", true, false, {1, 1}, Flat(ed, n, Z::zTL), Flat(ed, n, Z::zC)},
    };
    const QRgb black = qRgb(0, 0, 0);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Case);
        auto* e = SkinEdit(r.Skinned, r.UseSkinFont);
        e->SetText(QStringLiteral("text"));
        const TRect t = e->EditRect();
        const QPoint inside(t.Left + t.Width() / 2, t.Top + t.Height() / 2);
        QImage dc(e->Width(), e->Height(), QImage::Format_RGB32);
        dc.fill(Qt::black);
        EXPECT_EQ(SendMessage(e, WM_SKIN_PAINT_FRAME, WPARAM(&dc)), SKIN_ANSWER_FRAME_PAINTED);
        EXPECT_EQ(Px(dc, r.Edge.x(), r.Edge.y()), r.EdgeColour);
        EXPECT_EQ(Px(dc, inside.x(), inside.y()), r.Inside);
        dc.fill(Qt::black);
        EXPECT_EQ(SendMessage(e, WM_SKIN_PAINT_FRAME_EX, WPARAM(&dc), SKIN_PAINT_FRAME_EX_KEY), SKIN_PAINT_FRAME_EX_KEY);
        EXPECT_EQ(Px(dc, r.Edge.x(), r.Edge.y()), r.EdgeColour);
        EXPECT_EQ(Px(dc, inside.x(), inside.y()), black);
        EXPECT_EQ(Px(dc, t.Left, t.Top), black);
        EXPECT_EQ(Px(dc, t.Right - 1, t.Bottom - 1), black);
        dc.fill(Qt::black);
        EXPECT_EQ(SendMessage(e, WM_SKIN_PAINT_FRAME_EX, WPARAM(&dc), 1), 0);
        EXPECT_EQ(Px(dc, r.Edge.x(), r.Edge.y()), black);
        EXPECT_EQ(SendMessage(e, WM_SKIN_PAINT_FRAME, 0), 0);
        EXPECT_EQ(SendMessage(e, WM_SKIN_PAINT_FRAME_EX, 0, SKIN_PAINT_FRAME_EX_KEY), SKIN_PAINT_FRAME_EX_KEY);
        delete e;
    }
}

TEST_F(SkinEditTest, HeightRule) {
    struct Row {
        const char* Case;
        bool Skinned, UseSkinFont;
        int Requested, Expected;
    };
    const int fontH = [] {
        TFont f;
        return QFontMetrics(f.ToQFont()).height();
    }();
    const Row rows[] = {
        {"skinned, skin font: the skin's height", true, true, 30, 64},
        {"skinless, skin font: the request stands", false, true, 30, 30},
        {"skinless, own font: font height plus 4", false, false, 30, fontH + 4},
        {"skinned, own font: font plus the frame", true, false, 30, fontH + 12},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Case);
        auto* e = SkinEdit(row.Skinned, row.UseSkinFont);
        e->SetDefaultFont(TFont());
        e->ChangeSkinData();
        e->SetBounds(10, 10, 120, row.Requested);
        EXPECT_EQ(e->Height(), row.Expected);
        // A call that changes neither width nor height keeps what it is given.
        const int h = e->Height();
        e->SetBounds(20, 20, 120, h);
        EXPECT_EQ(e->Height(), h);
        delete e;
    }
    auto* e = SkinEdit(false, true);
    e->SetDefaultHeight(40);
    EXPECT_EQ(e->Height(), 40);
}

TEST_F(SkinEditTest, SkinlessButtonModeLooksAndClicks) {
    auto* e = SkinEdit(false);
    e->SetBounds(10, 10, 150, 24);
    e->SetButtonMode(true);
    int clicks = 0;
    e->OnButtonClick = [&](QObject*) { ++clicks; };
    Form->Show();
    EXPECT_EQ(e->ButtonRect(), Rect(126, 0, 150, 24));
    EXPECT_EQ(e->EditRect().Right, 124);
    EXPECT_EQ(Px(e->BuildImage(), 138, 12), qRgb(0xF0, 0xF0, 0xF0) | 0xFF000000u) << "clBtnFace";
    QLineEdit* w = e->Widget();
    SendEnter(w, {130, 5});
    SendMoveNoButton(w, {130, 5});
    EXPECT_EQ(Px(e->BuildImage(), 138, 12), qRgb(0xB6, 0xBD, 0xD2));
    SendMouse(w, QEvent::MouseButtonPress, {130, 5});
    EXPECT_EQ(Px(e->BuildImage(), 138, 12), qRgb(0x85, 0x92, 0xB5));
    SendMouse(w, QEvent::MouseButtonRelease, {130, 5});
    EXPECT_EQ(clicks, 1);
    // Released over the text: no click, still down until the pointer leaves.
    SendMouse(w, QEvent::MouseButtonPress, {130, 5});
    SendMouse(w, QEvent::MouseButtonRelease, {40, 5});
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(e->ButtonDown());
    SendLeave(w);
    EXPECT_FALSE(e->ButtonDown());
    EXPECT_EQ(e->Text(), QString());
}

TEST_F(SkinEditTest, ImageButtonsClickOnlyForPressAndReleaseOnThem) {
    auto* e = SkinEdit(false);
    TImageList images;
    images.SetSize(16, 16);
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    images.Add(red);
    e->SetImages(&images);
    e->SetRightImageIndex(0);
    Form->Show();
    const TRect r = e->RightButton().R;
    EXPECT_EQ(r, Rect(e->EditRect().Right - 16, 2, e->EditRect().Right, e->Height() - 2));
    // The text stops before the image.
    EXPECT_EQ(e->Widget()->textMargins().right(), e->Width() - r.Left + 2);
    int clicks = 0;
    e->OnRightButtonClick = [&](QObject*) { ++clicks; };
    QLineEdit* w = e->Widget();
    const QPoint on(r.Left + 4, 8), off(10, 8);
    struct Step {
        QPoint Press, Release;
        int Clicks;
    };
    for (const Step& s : {Step{on, on, 1}, Step{on, off, 1}, Step{off, on, 1}, Step{on, on, 2}}) {
        SendMouse(w, QEvent::MouseButtonPress, s.Press);
        SendMouse(w, QEvent::MouseButtonRelease, s.Release);
        EXPECT_EQ(clicks, s.Clicks);
    }
    EXPECT_EQ(Px(e->BuildImage(), r.Left + 8, e->Height() / 2), qRgb(255, 0, 0));
}

TEST_F(SkinEditTest, DisabledTextColour) {
    auto* skinned = SkinEdit();
    skinned->SetEnabled(false);
    EXPECT_EQ(skinned->TextColor(), RGB(96, 96, 96));
    auto* plain = SkinEdit(false);
    plain->SetEnabled(false);
    EXPECT_EQ(plain->TextColor(), clGrayText);
    plain->SetEnabled(true);
    EXPECT_EQ(plain->TextColor(), plain->DefaultFont().Color());
}

TEST_F(SkinEditTest, RecordOfAnotherKindDropsTheOldPicture) {
    auto* e = SkinEdit();
    const QRgb skinned = Px(e->BuildImage(), 1, 30);
    ASSERT_EQ(skinned, Flat(QStringLiteral("edit"), QStringLiteral("skinrect"), Z::zL));
    TTestSkin other(QStringList{}, QStringList{});
    other.AddControl(QStringLiteral("edit"), QStringLiteral("label"));
    other.LoadInto(*Model);
    e->ChangeSkinData();
    EXPECT_NE(e->SkinIndex(), -1);
    const QImage img = e->BuildImage();
    EXPECT_EQ(Px(img, 0, 0), ColorToQColor(clBtnShadow).rgb());
    EXPECT_EQ(Px(img, 1, 1), ColorToQColor(clBtnFace).rgb());
}

struct TCentringPanel : TqvSkinPanel {
    using TqvSkinPanel::TqvSkinPanel;
    bool AdjustsControls() const override { return true; }
};

TEST_F(SkinEditTest, CentredOnAToolBar) {
    auto* bar = Make<TCentringPanel>();
    bar->SetBounds(0, 0, 400, 60);
    auto* e = new TqvSkinEdit(Form);
    e->SetParent(bar);
    e->SetBounds(10, 0, 100, 24);
    const TRect R = bar->GetSkinClientRect();
    EXPECT_EQ(e->Top(), R.Top + R.Height() / 2 - 12);
}

}  // namespace
