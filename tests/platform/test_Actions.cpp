#include "platform/ActnList.h"
#include "platform/Control.h"

#include <gtest/gtest.h>

namespace {

struct TLinkedControl : TWinControl {
    using TWinControl::TWinControl;
    int Changes = 0;
    bool LastCheckDefaults = false;
    void ActionChange(TCustomAction* Sender, bool CheckDefaults) override {
        ++Changes;
        LastCheckDefaults = CheckDefaults;
        TWinControl::ActionChange(Sender, CheckDefaults);
    }
};

TEST(Actions, ALinkedControlShowsTheActionAndFollowsEveryChange) {
    TWinControl parent;
    TCustomAction action;
    action.SetCaption(QStringLiteral("&Start"));
    action.SetHint(QStringLiteral("Start|Starts the jobs"));
    action.SetEnabled(false);
    auto* c = new TLinkedControl;
    c->SetParent(&parent);
    c->SetCaption(QStringLiteral("old"));
    c->SetAction(&action);
    EXPECT_EQ(c->Action(), &action);
    EXPECT_FALSE(c->LastCheckDefaults);
    EXPECT_EQ(c->Caption(), QStringLiteral("&Start"));
    EXPECT_EQ(c->Hint(), QStringLiteral("Start|Starts the jobs"));
    EXPECT_FALSE(c->Enabled());

    const int before = c->Changes;
    action.SetEnabled(true);
    action.SetVisible(false);
    action.SetCaption(QStringLiteral("Go"));
    EXPECT_EQ(c->Changes, before + 3);
    EXPECT_TRUE(c->Enabled());
    EXPECT_FALSE(c->Visible());
    EXPECT_EQ(c->Caption(), QStringLiteral("Go"));
    action.SetCaption(QStringLiteral("Go"));
    action.SetChecked(false);
    EXPECT_EQ(c->Changes, before + 3) << "an unchanged value tells nobody";
    delete c;
    action.SetChecked(true);  // the freed control left the action's list
}

TEST(Actions, ALoadingActionFillsOnlyWhatTheControlLeftAtItsDefaults) {
    struct TCase {
        const char* Name;
        QString Caption, Hint;
        bool Enabled, Visible;     // the control's before linking
        bool ActionOn;             // the action's Enabled and Visible
        QString WantCaption, WantHint;
        bool WantOn;               // the control's Enabled and Visible after
    };
    const QString act = QStringLiteral("Action"), hint = QStringLiteral("from the action");
    const TCase cases[] = {
        {"all defaults", {}, {}, true, true, false, act, hint, false},
        {"caption is the name", QStringLiteral("Ctl1"), {}, true, true, false, act, hint, false},
        {"own values kept", QStringLiteral("Mine"), QStringLiteral("my hint"), false, false, true,
         QStringLiteral("Mine"), QStringLiteral("my hint"), false},
    };
    for (const TCase& t : cases) {
        TCustomAction action;
        action.SetCaption(act);
        action.SetHint(hint);
        action.SetEnabled(t.ActionOn);
        action.SetVisible(t.ActionOn);
        action.SetLoading(true);
        TWinControl parent;
        auto* c = new TLinkedControl;
        c->SetParent(&parent);
        c->SetName(QStringLiteral("Ctl1"));
        c->SetCaption(t.Caption);
        c->SetHint(t.Hint);
        c->SetEnabled(t.Enabled);
        c->SetVisible(t.Visible);
        c->SetAction(&action);
        EXPECT_TRUE(c->LastCheckDefaults) << t.Name;
        EXPECT_EQ(c->Caption(), t.WantCaption) << t.Name;
        EXPECT_EQ(c->Hint(), t.WantHint) << t.Name;
        EXPECT_EQ(c->Enabled(), t.WantOn) << t.Name;
        EXPECT_EQ(c->Visible(), t.WantOn) << t.Name;
        delete c;
    }
}

TEST(Actions, ExecuteRunsOnlyAnEnabledActionAndAFreedActionLeavesTheLinkEmpty) {
    TWinControl c;
    auto* action = new TCustomAction;
    QObject* sender = nullptr;
    int runs = 0;
    action->OnExecute = [&](QObject* s) {
        ++runs;
        sender = s;
    };
    c.SetAction(action);
    ASSERT_NE(c.ActionLink(), nullptr);
    EXPECT_TRUE(c.ActionLink()->Execute());
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(sender, action);
    action->SetEnabled(false);
    EXPECT_FALSE(c.ActionLink()->Execute());
    EXPECT_EQ(runs, 1);
    delete action;
    EXPECT_EQ(c.Action(), nullptr);
    EXPECT_FALSE(c.ActionLink()->Execute());
    c.SetAction(nullptr);
    EXPECT_EQ(c.ActionLink(), nullptr);
}

}  // namespace
