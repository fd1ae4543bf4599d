// The look-in box over the fixture tree: its entries and indents, the chain
// built down to the current folder, and the linked list and tree following
// it without echoing back.
#include "tests/skin/controls/ControlTestSupport.h"
#include "tests/skin/forms/shell/ShellFixture.h"

#include "skin/forms/shell/ShellComboBox.h"
#include "skin/forms/shell/ShellListView.h"
#include "skin/forms/shell/ShellTreeView.h"

namespace {

struct ShellComboTest : SkinControlTest {
    ShellTree T;
    void SetUp() override {
        SkinControlTest::SetUp();
        Form->Show();
    }
    TqvSkinShellComboBox* Combo() {
        auto* c = Make<TqvSkinShellComboBox>();
        c->SetBounds(10, 10, 300, 22);
        return c;
    }
    // "indent:caption" per entry.
    static QStringList Entries(const TqvCustomShellComboBox* c) {
        QStringList r;
        for (int i = 0; i < c->ItemsEx().Count(); ++i)
            r << QString::number(c->ItemsEx()[i].Indent) + ":" + c->ItemsEx()[i].Caption;
        return r;
    }
    static QString Current(const TqvCustomShellComboBox* c) {
        return c->ItemIndex() < 0 ? QString() : Entries(c)[c->ItemIndex()];
    }
};

}  // namespace

TEST_F(ShellComboTest, DefaultRootListsDesktopItsFoldersAndTheVolumes) {
    auto* c = Combo();
    EXPECT_EQ(c->Root(), "rfDesktop");
    EXPECT_EQ(Entries(c), QStringList({"0:Desktop", "1:Home", "1:Computer", "2:Alpha (" + T.VolA + ")",
                                       "2:Beta (" + T.VolB + ")", "1:Projects"}));
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(c->Items().Count(), c->ItemsEx().Count());
    EXPECT_EQ(c->Path(), T.Desktop);
}

TEST_F(ShellComboTest, ChainRunsThroughTheVolumeWithIndents) {
    auto* c = Combo();
    c->SetPath(T.Deep);
    // Home's folder is reached through its volume, not the Desktop's "Home" shortcut.
    EXPECT_EQ(Entries(c), QStringList({"0:Desktop", "1:Home", "1:Computer", "2:Alpha (" + T.VolA + ")", "3:home",
                                       "4:Videos", "5:2024", "6:January", "2:Beta (" + T.VolB + ")", "1:Projects"}));
    EXPECT_EQ(Current(c), "6:January");
    EXPECT_EQ(c->Path(), T.Deep);
    EXPECT_EQ(c->Text(), "January");
    // A relative text goes below the current folder; a bad one raises and keeps it.
    c->SetPath("../..");
    EXPECT_EQ(c->Path(), T.Videos);
    EXPECT_THROW(c->SetPath(T.Home + "/nothing"), EInvalidPath);
    EXPECT_EQ(c->Path(), T.Videos);
}

TEST_F(ShellComboTest, OtherRootsGetNoVolumesAndRefuseBadRoots) {
    auto* c = Combo();
    c->SetRoot(T.Home);
    EXPECT_EQ(Entries(c), QStringList({"0:home", "1:Desktop", "1:locked", "1:Music", "1:Videos",
                                       QString::fromUtf8("1:音乐")}));
    c->SetPath(T.Music + "/Live");
    EXPECT_EQ(Current(c), "2:Live");
    // A folder outside the root leaves the root current.
    c->SetPath(T.VolB + "/disc");
    EXPECT_EQ(Current(c), "0:home");
    EXPECT_THROW(c->SetRoot("rfPrinters"), std::runtime_error);
    EXPECT_EQ(c->Root(), T.Home);
    EXPECT_EQ(Entries(c).size(), 6) << "the entries stay";
    c->SetRoot("rfMyComputer");
    EXPECT_EQ(Entries(c), QStringList({"0:Computer", "1:Alpha (" + T.VolA + ")", "1:Beta (" + T.VolB + ")"}));
}

TEST_F(ShellComboTest, LinkedViewsFollowTheBoxAndTheBoxFollowsThem) {
    auto* c = Combo();
    auto* l = Make<TqvSkinFileListView>();
    l->SetBounds(10, 40, 400, 200);
    auto* t = Make<TqvSkinDirTreeView>();
    t->SetBounds(420, 40, 200, 200);
    c->SetShellListView(l);
    c->SetShellTreeView(t);
    t->SetShellListView(l);
    // The list moves three levels below a volume: the box adds the levels between.
    l->SetPath(T.Deep);
    EXPECT_EQ(Current(c), "6:January");
    EXPECT_EQ(t->Path(), T.Deep);
    // Picking a volume in the box moves the list and the tree.
    const int beta = int(Entries(c).indexOf("2:Beta (" + T.VolB + ")"));
    ASSERT_GE(beta, 0);
    c->SetItemIndex(beta);
    EXPECT_EQ(l->Path(), T.VolB);
    EXPECT_EQ(t->Path(), T.VolB);
    EXPECT_EQ(Current(c), "2:Beta (" + T.VolB + ")");
    // The tree moving the list moves the box too.
    t->SetPath(T.Music);
    EXPECT_EQ(l->Path(), T.Music);
    EXPECT_EQ(Current(c), "4:Music");
    // Choices made while the list is open do not move the views.
    c->DropDown();
    ASSERT_TRUE(c->ListBox()->IsShown());
    c->SetItemIndex(int(Entries(c).indexOf("1:Projects")));
    EXPECT_EQ(l->Path(), T.Music);
    EXPECT_EQ(t->Path(), T.Music);
    c->CloseUp(false);
    EXPECT_FALSE(c->ListBox()->IsShown());
    EXPECT_EQ(Current(c), "5:Projects") << "the chain around the choice is built all the same";
    // A view that goes is forgotten.
    delete l;
    EXPECT_EQ(c->ShellListView(), nullptr);
    c->SetItemIndex(int(Entries(c).indexOf("3:home")));
    EXPECT_EQ(t->Path(), T.Home);
}
