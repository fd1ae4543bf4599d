#include "platform/Application.h"
#include "platform/Control.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

constexpr unsigned WM_TEST = 1225, WM_TEST_POSTED = 1424;

class TRecorder : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<unsigned> Seen;
    void WndProc(TMessage& m) override {
        Seen.push_back(m.Msg);
        if (m.Msg == WM_TEST) {
            m.Result = static_cast<LRESULT>(m.WParam + m.LParam);
            PostMessage(this, WM_TEST_POSTED);
            Seen.push_back(0);  // the handler's end: the posted message must come after it
        }
        if (m.Msg == 2048) throw std::runtime_error("handler failed");
    }
};

class TRecordingPrompt : public TPrompt {
public:
    std::vector<std::pair<QString, QString>> Boxes;
    int MessageBox(const QString& text, const QString& caption, unsigned) override {
        Boxes.emplace_back(text, caption);
        return IDOK;
    }
};

TEST(Messages, SendReturnsTheHandlersResultAndPostedArrivesAfterTheHandler) {
    TRecorder r;
    EXPECT_EQ(SendMessage(&r, WM_TEST, 40, 2), 42);
    EXPECT_EQ(r.Seen, (std::vector<unsigned>{WM_TEST, 0}));
    QCoreApplication::sendPostedEvents(&r);
    EXPECT_EQ(r.Seen, (std::vector<unsigned>{WM_TEST, 0, WM_TEST_POSTED}));
    EXPECT_EQ(SendMessage(nullptr, WM_TEST), 0);
}

TEST(Messages, NumbersOutsideTheUserRangeAreRefused) {
    EXPECT_THROW(TMessage(15, 0, 0), std::invalid_argument);
    EXPECT_NO_THROW(TMessage(48203, 0, 0));
}

TEST(Messages, HookSeesMessagesFirstAndCanSwallowThem) {
    TRecorder r;
    std::vector<unsigned> hooked;
    {
        TWindowHook hook(&r, [&](QObject*, QEvent* e) {
            if (TMessage* m = AsMessage(e)) {
                hooked.push_back(m->Msg);
                if (m->Msg == 1229) { m->Result = 7; return true; }
            }
            return false;
        });
        EXPECT_EQ(SendMessage(&r, 1229), 7);
        SendMessage(&r, 1228);
    }
    SendMessage(&r, 1227);  // the hook is gone
    EXPECT_EQ(hooked, (std::vector<unsigned>{1229, 1228}));
    EXPECT_EQ(r.Seen, (std::vector<unsigned>{1228, 1227}));
}

TEST(Messages, ExceptionInAHandlerBecomesTheErrorBox) {
    auto prompt = std::make_shared<TRecordingPrompt>();
    Application()->SetPrompt(prompt);
    Application()->SetTitle("Title");
    TRecorder r;
    EXPECT_EQ(SendMessage(&r, 2048), 0);
    ASSERT_EQ(prompt->Boxes.size(), 1u);
    EXPECT_EQ(prompt->Boxes[0].first, "handler failed.");
    EXPECT_EQ(prompt->Boxes[0].second, "Title");
    Application()->SetPrompt(nullptr);
}

// The class library's rule: a full stop after any last character that sorts above ".",
// so "?" and ":" get one too, while "!" and ")" do not.
TEST(Messages, ErrorBoxAddsAFullStopAfterCharactersAboveTheFullStop) {
    auto prompt = std::make_shared<TRecordingPrompt>();
    Application()->SetPrompt(prompt);
    const std::pair<QString, QString> cases[] = {
        {"Disk full", "Disk full."}, {"Done.", "Done."}, {"Stop!", "Stop!"}, {"", ""},
        {QString::fromUtf8("无法写入"), QString::fromUtf8("无法写入.")},
        {"Overwrite?", "Overwrite?."}, {"Cannot open:", "Cannot open:."}, {"(see log)", "(see log)"},
    };
    for (const auto& [in, out] : cases) Application()->ShowException(in);
    ASSERT_EQ(prompt->Boxes.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(prompt->Boxes[i].first, cases[i].second) << i;
    Application()->SetPrompt(nullptr);
}

}  // namespace

namespace {
// A descendant's own event handler that throws: the control's event() catches it.
class TThrowingControl : public TWinControl {
public:
    using TWinControl::TWinControl;
protected:
    void mousePressEvent(QMouseEvent*) override { throw std::runtime_error("pressed badly"); }
};

TEST(Messages, ExceptionFromADescendantsHandlerIsCaughtAtTheControl) {
    auto prompt = std::make_shared<TRecordingPrompt>();
    Application()->SetPrompt(prompt);
    TThrowingControl c;
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&c, &e);
    ASSERT_EQ(prompt->Boxes.size(), 1u);
    EXPECT_EQ(prompt->Boxes[0].first, "pressed badly.");
    Application()->SetPrompt(nullptr);
}
}  // namespace
