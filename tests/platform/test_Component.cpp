#include "platform/Component.h"

#include <gtest/gtest.h>

namespace {

TEST(Component, OwnerFindsByNameIgnoringCaseAndFreesWhatItOwns) {
    QPointer<TComponent> child;
    {
        TComponent owner;
        auto* a = new TComponent(&owner);
        a->SetName("qvSkinData1");
        child = new TComponent(&owner);
        child->SetName("Timer1");
        EXPECT_EQ(owner.FindComponent("QVSKINDATA1"), a);
        EXPECT_EQ(owner.FindComponent<TComponent>("timer1"), child.data());
        EXPECT_EQ(owner.FindComponent("nothing"), nullptr);
        EXPECT_EQ(owner.ComponentCount(), 2);
        EXPECT_EQ(owner.FindComponent(""), nullptr);
        EXPECT_THROW(child->SetName("QvSkinData1"), EComponentError);
        EXPECT_EQ(child->Name(), "Timer1");
        for (const char* bad : {"1st", "has space", "a-b"}) EXPECT_THROW(child->SetName(bad), EComponentError) << bad;
        child->SetName("");  // unnamed is allowed
        delete a;
        EXPECT_EQ(owner.ComponentCount(), 1);
    }
    EXPECT_TRUE(child.isNull());
}

TEST(Component, ComponentsCreatedInALoadingOwnerLoadParentFirst) {
    std::vector<QString> order;
    struct TLogged : TComponent {
        std::vector<QString>* Log;
        TLogged(QObject* o, std::vector<QString>* log, const char* name) : TComponent(o), Log(log) { SetName(name); }
        void Loaded() override { Log->push_back(Name() + (Loading() ? "+" : "")); }
    };
    TLogged root(nullptr, &order, "root");
    root.SetLoading(true);
    auto* a = new TLogged(&root, &order, "a");
    new TLogged(a, &order, "a1");
    new TLogged(&root, &order, "b");
    EXPECT_TRUE(a->Loading());
    LoadedTree(&root);
    EXPECT_EQ(order, (std::vector<QString>{"root", "a", "a1", "b"}));
    EXPECT_FALSE(a->Loading());
}

}  // namespace
