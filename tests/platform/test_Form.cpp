#include "tests/platform/Printers.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/StdCtrls.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class TRecordingPrompt : public TPrompt {
public:
    QStringList Texts;
    int MessageBox(const QString& text, const QString&, unsigned) override {
        Texts << text;
        return IDOK;
    }
};

// Records the order of Loaded calls and OnCreate.
QStringList gLog;

class TLoggedPanel : public TWinControl {
public:
    using TWinControl::TWinControl;
    void Loaded() override {
        TWinControl::Loaded();
        gLog << Name();
    }
};

class TSampleForm : public TForm {
public:
    using TForm::TForm;
    TLoggedPanel* Header = nullptr;
    TLoggedPanel* Footer = nullptr;
    TLoggedPanel* Side = nullptr;
    TLoggedPanel* Body = nullptr;
    TButton* Ok = nullptr;
    TButton* Cancel = nullptr;
    TButton* Pin = nullptr;
    int Created = 0;

protected:
    void Layout() override {
        SetName("SampleForm");
        SetBounds(0, 0, 400, 300);
        Header = Make("Header", alTop, 0, 0, 10, 30);
        Footer = Make("Footer", alBottom, 0, 0, 10, 40);
        Side = Make("Side", alLeft, 0, 0, 50, 10);
        Body = Make("Body", alClient, 0, 0, 10, 10);
        Ok = new TButton(this);
        Ok->SetName("Ok");
        Ok->SetParent(Footer);
        Ok->SetBounds(230, 8, 75, 25);
        Ok->SetAnchors(akTop | akRight);
        Ok->SetDefault(true);
        Ok->SetModalResult(mrOk);
        Cancel = new TButton(this);
        Cancel->SetName("Cancel");
        Cancel->SetParent(Footer);
        Cancel->SetBounds(315, 8, 75, 25);
        Cancel->SetAnchors(akTop | akRight);
        Cancel->SetCancel(true);
        Cancel->SetModalResult(mrCancel);
        Pin = new TButton(this);
        Pin->SetName("Pin");
        Pin->SetParent(Body);
        Pin->SetBounds(10, 10, 330, 200);
        Pin->SetAnchors(akLeft | akTop | akRight | akBottom);
        OnCreate = [this](QObject*) {
            gLog << "OnCreate";
            ++Created;
        };
    }

private:
    TLoggedPanel* Make(const char* name, TAlign a, int l, int t, int w, int h) {
        auto* p = new TLoggedPanel(this);
        p->SetName(name);
        p->SetParent(this);
        p->SetBounds(l, t, w, h);
        p->SetAlign(a);
        gLog << QString(name) + (p->Loading() ? ":loading" : "");
        return p;
    }
};

struct FormTest : ::testing::Test {
    std::shared_ptr<TRecordingPrompt> Prompt = std::make_shared<TRecordingPrompt>();
    void SetUp() override {
        gLog.clear();
        Application()->SetPrompt(Prompt);
    }
    void TearDown() override { DestroyApplication(); }
};

TEST_F(FormTest, LayoutBuildsNamedComponentsLoadedDepthFirstBeforeOnCreate) {
    auto* f = NewForm<TSampleForm>(nullptr);
    EXPECT_EQ(gLog, QStringList({"Header:loading", "Footer:loading", "Side:loading", "Body:loading",
                                 "Header", "Footer", "Side", "Body", "OnCreate"}));
    EXPECT_EQ(f->FindComponent("ok"), f->Ok);
    EXPECT_EQ(f->Ok->Parent(), f->Footer);
    EXPECT_EQ(f->Header->Parent(), f);
    EXPECT_EQ(f->Ok->ParentForm(), f);
    EXPECT_FALSE(f->Ok->Loading());
    EXPECT_EQ(f->Header->BoundsRect(), Bounds(0, 0, 400, 30));
    EXPECT_EQ(f->Footer->BoundsRect(), Bounds(0, 260, 400, 40));
    EXPECT_EQ(f->Side->BoundsRect(), Bounds(0, 30, 50, 230));
    EXPECT_EQ(f->Body->BoundsRect(), Bounds(50, 30, 350, 230));
    EXPECT_EQ(f->Ok->BoundsRect(), Bounds(230, 8, 75, 25));
    EXPECT_EQ(Application()->Forms(), QList<TForm*>({f}));
    delete f;
    EXPECT_TRUE(Application()->Forms().isEmpty());
}

TEST_F(FormTest, AlignedAndAnchoredChildrenFollowAResize) {
    auto* f = NewForm<TSampleForm>(nullptr);
    f->SetBounds(0, 0, 500, 400);
    EXPECT_EQ(f->Footer->BoundsRect(), Bounds(0, 360, 500, 40));
    EXPECT_EQ(f->Body->BoundsRect(), Bounds(50, 30, 450, 330));
    EXPECT_EQ(f->Ok->BoundsRect(), Bounds(330, 8, 75, 25));         // kept its distance to the right
    EXPECT_EQ(f->Pin->BoundsRect(), Bounds(10, 10, 430, 300));       // stretched both ways
    f->SetBounds(0, 0, 60, 100);
    EXPECT_EQ(f->Pin->Width(), 0);                                   // no negative sizes
    f->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(f->Pin->BoundsRect(), Bounds(10, 10, 330, 200));       // and back without drift
    f->Header->SetVisible(false);
    EXPECT_EQ(f->Side->Top(), 0);
    // Frame margins move the client, not the controls' client coordinates.
    f->SetClientMargins(QMargins(3, 20, 3, 3));
    EXPECT_EQ(f->ClientWidth(), 394);
    EXPECT_EQ(f->Footer->BoundsRect(), Bounds(0, 237, 394, 40));
    EXPECT_EQ(f->Client()->geometry(), QRect(3, 20, 394, 277));
    f->SetClientWidth(500);
    EXPECT_EQ(f->Width(), 506);
    f->Side->SetAlign(alNone);  // the room goes back to the client-aligned body
    EXPECT_EQ(f->Body->Left(), 0);
    delete f;
}

TEST_F(FormTest, ShowModalReturnsTheModalResultOfTheClickedButton) {
    auto* f = NewForm<TSampleForm>(nullptr);
    QTimer::singleShot(0, f, [f] { f->Cancel->Widget()->click(); });
    EXPECT_EQ(f->ShowModal(), mrCancel);
    EXPECT_FALSE(f->isVisible());
    QTimer::singleShot(0, f, [f] { f->Ok->Click(); });
    EXPECT_EQ(f->ShowModal(), mrOk);
    delete f;
}

TEST_F(FormTest, EnterAndEscapeReachTheDefaultAndCancelButtons) {
    auto* f = NewForm<TSampleForm>(nullptr);
    const struct { Qt::Key key; QString focus; TModalResult expected; } cases[] = {
        {Qt::Key_Return, "", mrOk},
        {Qt::Key_Enter, "", mrOk},
        {Qt::Key_Escape, "", mrCancel},
        {Qt::Key_Return, "Cancel", mrCancel},  // a focused button takes Enter itself
        {Qt::Key_Escape, "Ok", mrCancel},
    };
    for (const auto& c : cases) {
        QTimer::singleShot(0, f, [&] {
            QWidget* target = f;
            if (!c.focus.isEmpty()) {
                auto* b = f->FindComponent<TButton>(c.focus);
                b->SetFocus();
                target = b->Widget();
            }
            QTest::keyClick(target, c.key);
        });
        EXPECT_EQ(f->ShowModal(), c.expected) << c.key << " " << c.focus.toStdString();
    }
    delete f;
}

TEST_F(FormTest, CloseAsksOnCloseQueryAndOnCloseCanKeepOrFreeTheForm) {
    auto* f = NewForm<TSampleForm>(nullptr);
    QPointer<TForm> guard(f);
    bool allow = false;
    TCloseAction action = caHide;
    f->OnCloseQuery = [&](QObject*, bool& can) { can = allow; };
    f->OnClose = [&](QObject*, TCloseAction& a) { a = action; };
    f->Show();
    f->Close();
    EXPECT_TRUE(f->isVisible());
    allow = true;
    action = caNone;
    f->Close();
    EXPECT_TRUE(f->isVisible());
    action = caHide;
    f->Close();
    EXPECT_FALSE(f->isVisible());
    f->Show();
    action = caFree;
    f->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

TEST_F(FormTest, ModalCloseRefusedByOnCloseQueryKeepsTheLoopRunning) {
    auto* f = NewForm<TSampleForm>(nullptr);
    int asked = 0;
    f->OnCloseQuery = [&](QObject*, bool& can) { can = ++asked > 1; };
    QTimer::singleShot(0, f, [f] {
        f->Close();  // refused once
        QTimer::singleShot(0, f, [f] { f->Close(); });
    });
    EXPECT_EQ(f->ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
    delete f;
}

TEST_F(FormTest, TerminatingEndsAModalLoopWithoutAskingTheForm) {
    auto* f = NewForm<TSampleForm>(nullptr);
    int asked = 0;
    // Gives in at last, so a loop that keeps asking ends instead of hanging the test.
    f->OnCloseQuery = [&](QObject*, bool& can) { can = ++asked > 3; };
    QTimer::singleShot(0, f, [] { Application()->Terminate(); });
    EXPECT_EQ(f->ShowModal(), mrCancel);
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(f->isVisible());
    delete f;
}

TEST_F(FormTest, ClosingTheMainFormEndsTheApplication) {
    TSampleForm* f = nullptr;
    Application()->CreateForm(f);
    EXPECT_EQ(Application()->MainForm(), f);
    f->Close();
    EXPECT_TRUE(Application()->Terminated());
}

TEST_F(FormTest, ExceptionInAClickHandlerShowsTheErrorBoxAndTheLoopGoesOn) {
    auto* f = NewForm<TSampleForm>(nullptr);
    f->Pin->OnClick = [](QObject*) { throw std::runtime_error("Cannot open the file"); };
    f->Ok->OnClick = [](QObject*) { throw 42; };
    QTimer::singleShot(0, f, [f] {
        f->Pin->Widget()->click();   // through Qt's signal, as a user's click
        f->Ok->Widget()->click();    // not a std::exception, still caught; ModalResult was set first
    });
    EXPECT_EQ(f->ShowModal(), mrOk);
    EXPECT_EQ(Prompt->Texts, QStringList({"Cannot open the file.", "Unknown exception."}));
    // An error in OnCreate is reported and the form is still made.
    struct TBadForm : TForm {
        using TForm::TForm;
        void Layout() override { OnCreate = [](QObject*) { throw std::runtime_error("bad create"); }; }
    };
    std::unique_ptr<TBadForm> bad(NewForm<TBadForm>(nullptr));
    EXPECT_EQ(Prompt->Texts.last(), "bad create.");
    delete f;
}

TEST_F(FormTest, KeyPreviewLetsTheFormSeeKeysFirst) {
    auto* f = NewForm<TSampleForm>(nullptr);
    QStringList seen;
    f->Pin->OnKeyDown = [&](QObject*, int&, Qt::KeyboardModifiers) { seen << "Pin"; };
    f->OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers) {
        seen << "Form";
        if (key == Qt::Key_F2) key = 0;
    };
    f->Show();
    f->Pin->SetFocus();
    QTest::keyClick(f->Pin->Widget(), Qt::Key_F1);
    EXPECT_EQ(seen, QStringList({"Pin"}));
    f->SetKeyPreview(true);
    seen.clear();
    QTest::keyClick(f->Pin->Widget(), Qt::Key_F1);
    QTest::keyClick(f->Pin->Widget(), Qt::Key_F2);
    EXPECT_EQ(seen, QStringList({"Form", "Pin", "Form"}));
    delete f;
}

TEST_F(FormTest, TabOrderFollowsSetTabOrder) {
    auto* f = NewForm<TSampleForm>(nullptr);
    EXPECT_EQ(f->Footer->TabList(), QList<TWinControl*>({f->Ok, f->Cancel}));
    f->Cancel->SetTabOrder(0);
    EXPECT_EQ(f->Ok->TabOrder(), 1);
    QList<TWinControl*> all;
    f->GetTabOrderList(all);
    EXPECT_EQ(all, QList<TWinControl*>({f->Cancel, f->Ok, f->Pin}));
    f->Show();
    f->Cancel->SetFocus();
    EXPECT_EQ(f->ActiveControl(), f->Cancel);
    QTest::keyClick(f->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(f->ActiveControl(), f->Ok);
    delete f;
}

// A freed windowed control leaves its parent's tab list; the next SetParent
// walks that list to rebuild the focus chain.
TEST_F(FormTest, FreedControlLeavesItsParentsTabList) {
    auto* f = NewForm<TSampleForm>(nullptr);
    delete f->Ok;
    EXPECT_EQ(f->Footer->TabList(), QList<TWinControl*>({f->Cancel}));
    auto* again = new TButton(f);
    again->SetParent(f->Footer);
    EXPECT_EQ(f->Footer->TabList(), QList<TWinControl*>({f->Cancel, again}));
    again->SetTabOrder(0);
    QList<TWinControl*> all;
    f->GetTabOrderList(all);
    EXPECT_EQ(all, QList<TWinControl*>({again, f->Cancel, f->Pin}));
    delete f;
}

}  // namespace

namespace {

TEST_F(FormTest, VisibleIsTheControlsOwnFlagAndOnlyFormsBecomeWindows) {
    auto* f = NewForm<TSampleForm>(nullptr);
    EXPECT_FALSE(f->Visible());
    EXPECT_TRUE(f->Ok->Visible());      // own flag, though its form is hidden
    EXPECT_FALSE(f->Ok->isVisible());
    auto* loose = new TButton(f);       // owned, no parent yet
    loose->SetVisible(true);
    EXPECT_FALSE(loose->isVisible());   // never a window of its own
    loose->SetParent(f->Body);
    f->Show();
    EXPECT_TRUE(loose->isVisible());
    f->SetFormStyle(fsStayOnTop);       // new window flags keep the form shown
    EXPECT_TRUE(f->Visible());
    EXPECT_TRUE(f->isVisible());
    EXPECT_TRUE(f->windowFlags() & Qt::FramelessWindowHint);
    f->Body->SetVisible(false);
    EXPECT_TRUE(f->Pin->Visible());
    EXPECT_FALSE(f->Pin->isVisible());
    delete f;
}

TEST_F(FormTest, PositionCentresAtTheFirstShow) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const struct { TPosition pos; QPoint expected; } cases[] = {
        {poScreenCenter, {screen.x() + (screen.width() - 400) / 2, screen.y() + (screen.height() - 300) / 2}},
        {poDesktopCenter, {screen.x() + (screen.width() - 400) / 2, screen.y() + (screen.height() - 300) / 2}},
        {poDesigned, {0, 0}},
    };
    for (const auto& c : cases) {
        auto* f = NewForm<TSampleForm>(nullptr);
        f->SetPosition(c.pos);
        f->Show();
        EXPECT_EQ(QPoint(f->Left(), f->Top()), c.expected) << c.pos;
        f->SetBounds(5, 5, 400, 300);
        f->Hide();
        f->Show();  // only the first show places the form
        EXPECT_EQ(QPoint(f->Left(), f->Top()), QPoint(5, 5));
        delete f;
    }
}

TEST_F(FormTest, AFormCanSitInsideAnotherAndComeOutAgain) {
    auto* host = NewForm<TSampleForm>(nullptr);
    auto* guest = NewForm<TSampleForm>(nullptr);
    guest->SetBounds(10, 10, 100, 80);
    guest->SetParent(host->Body);
    guest->Show();
    EXPECT_FALSE(guest->isWindow());
    EXPECT_EQ(guest->ParentForm(), host);
    EXPECT_EQ(guest->Footer->Top(), 40);  // its own aligned children follow its size
    guest->SetParent(nullptr);
    EXPECT_TRUE(guest->isWindow());
    EXPECT_TRUE(guest->isVisible());
    delete guest;
    delete host;
}

TEST_F(FormTest, FontChangesReachTheWidget) {
    auto* f = NewForm<TSampleForm>(nullptr);
    f->Ok->Font().SetName("Arial");
    f->Ok->Font().SetHeight(-17);
    EXPECT_EQ(f->Ok->font().pixelSize(), 17);
    EXPECT_EQ(f->Ok->Widget()->font().pixelSize(), 17);  // inherited by the inner widget
    EXPECT_EQ(f->Ok->font().families().value(0), "Liberation Sans");
    delete f;
}

}  // namespace
