// Tree view: the platform's nodes, expansion and OnChange; the skinned view's
// external bars following the hidden Qt bars (shown only past the visible
// count, page = visible count), keys moving them, bars scrolling the view,
// Both, and the skin's font and colours.
#include "skin/controls/trees/SkinTreeView.h"
#include "tests/skin/controls/ControlTestSupport.h"

#include <QApplication>
#include <QScrollBar>
#include <QTreeView>

namespace {

struct TreeTest : SkinControlTest {
    TqvSkinCustomTreeView* Tree = nullptr;
    TqvSkinScrollBar *V = nullptr, *H = nullptr;

    void Build() {
        Form->Show();
        Tree = Make<TqvSkinCustomTreeView>();
        Tree->SetBounds(10, 10, 200, 100);
        for (int i = 0; i < 3; ++i) {
            TTreeNode* top = Tree->Items().Add(QStringLiteral("Folder %1").arg(i));
            for (int k = 0; k < 10; ++k) Tree->Items().AddChild(top, QStringLiteral("Item %1.%2").arg(i).arg(k));
        }
        V = Make<TqvSkinScrollBar>();
        V->SetKind(sbVertical);
        H = Make<TqvSkinScrollBar>();
        Tree->SetVScrollBar(V);
        Tree->SetHScrollBar(H);
        Settle();
    }
    void Settle() {
        Tree->View()->doItemsLayout();
        QCoreApplication::processEvents();
        Tree->UpDateScrollBars();
    }
};

QRgb Rgb(TColor c) { return ColorToQColor(c).rgb(); }

}  // namespace

TEST_F(TreeTest, NodesChildrenExpansionAndOnChange) {
    Build();
    EXPECT_EQ(Tree->Items().Count(), 33);
    EXPECT_EQ(Tree->Items().TopCount(), 3);
    TTreeNode* f1 = Tree->Items().Top(1);
    EXPECT_EQ(f1->Count(), 10);
    EXPECT_EQ(f1->Item(3)->Text(), QStringLiteral("Item 1.3"));
    EXPECT_EQ(f1->Item(3)->Parent(), f1);
    EXPECT_EQ(Tree->ExpandedCount(), 3);
    f1->Expand();
    EXPECT_TRUE(f1->Expanded());
    EXPECT_EQ(Tree->ExpandedCount(), 13);
    std::vector<TTreeNode*> changes;
    Tree->OnChange = [&](QObject*, TTreeNode* n) { changes.push_back(n); };
    f1->Item(2)->SetSelected(true);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], f1->Item(2));
    EXPECT_EQ(Tree->Selected(), f1->Item(2));
    EXPECT_TRUE(f1->Item(2)->Selected());
}

TEST_F(TreeTest, BarHiddenWhileAllFitsAndShownPastTheVisibleCount) {
    Build();
    EXPECT_FALSE(V->Visible());
    EXPECT_FALSE(H->Both());
    Tree->Items().Top(0)->Expand();
    Settle();
    ASSERT_TRUE(V->Visible());
    EXPECT_EQ(V->PageSize(), Tree->VisibleCount());
    EXPECT_EQ(V->Max(), Tree->ExpandedCount() - 1);
    EXPECT_EQ(V->Position(), 0);
    EXPECT_TRUE(H->Both()) << "Both follows the vertical bar";
    Tree->Items().Top(0)->Collapse();
    Settle();
    EXPECT_FALSE(V->Visible());
    EXPECT_FALSE(H->Both());
    EXPECT_FALSE(H->Visible());
    Tree->Items().Add(QStringLiteral("A name far longer than the two hundred pixels of the view"));
    Settle();
    EXPECT_TRUE(H->Visible());
    EXPECT_EQ(H->PageSize(), Tree->View()->viewport()->width());
}

TEST_F(TreeTest, KeysMoveTheBarAndTheBarScrollsTheView) {
    Build();
    for (int i = 0; i < 3; ++i) Tree->Items().Top(i)->Expand();
    Settle();
    ASSERT_TRUE(V->Visible());
    Tree->SetSelected(Tree->Items().Top(0));
    QWidget* view = Tree->View();
    for (int i = 0; i < 15; ++i) SendKey(view, QEvent::KeyPress, Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_GT(V->Position(), 0);
    EXPECT_EQ(V->Position(), Tree->View()->verticalScrollBar()->value());
    V->SetPosition(20);
    EXPECT_EQ(Tree->View()->verticalScrollBar()->value(), 20);
    EXPECT_EQ(V->Position(), 20);
}

TEST_F(TreeTest, SkinFontAndColoursAndBackWithoutARecord) {
    Build();
    EXPECT_EQ(Tree->Color(), clWindow);
    LoadSkin();
    Tree->SetSkinData(Model);
    EXPECT_EQ(Tree->Color(), RGB(250, 250, 240));
    EXPECT_EQ(Tree->Font().Color(), RGB(0, 0, 0));
    EXPECT_EQ(Tree->Font().Name(), QStringLiteral("Arial"));
    EXPECT_EQ(Tree->View()->palette().color(QPalette::Base).rgb(), Rgb(RGB(250, 250, 240)));
    TFont def(QStringLiteral("DejaVu Sans"), 12);
    def.SetColor(RGB(10, 20, 30));
    Tree->SetDefaultFont(def);
    EXPECT_EQ(Tree->Font().Name(), QStringLiteral("Arial")) << "skinned: the default waits";
    TTestSkin bare({"button"}, {});
    bare.FlatColours().LoadInto(*Model);  // the walk re-skins it
    EXPECT_EQ(Tree->SkinIndex(), -1);
    EXPECT_EQ(Tree->Color(), clWindow);
    EXPECT_EQ(Tree->Font().Name(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(Tree->Font().Color(), RGB(10, 20, 30));
}
