// Splitter and bevel: thickness and pictures from the skin, the plain looks,
// dragging the aligned neighbour, bevel shapes and dividers, the bevel on a
// tool bar.
#include "skin/controls/panels/SkinPanel.h"
#include "skin/controls/spacers/SkinSpacers.h"
#include "tests/skin/controls/ControlTestSupport.h"

#include "platform/ExtCtrls.h"

using Z = TTestSkin::TZone;

namespace {

QRgb Rgb(TColor c) { return ColorToQColor(c).rgb() | 0xFF000000u; }
bool Clear(const QImage& img, int x, int y) { return qAlpha(img.pixel(x, y)) == 0; }

struct SpacerTest : SkinControlTest {
    SpacerTest() {
        Skin.AddControl("vsplitter", "splitter");
        Skin.Set("bevel", "lightcolor", QString::number(RGB(250, 240, 10)));
        Skin.Set("bevel", "darkcolor", QString::number(RGB(20, 30, 140)));
    }
    TqvSkinSplitter* Splitter(TAlign a, const QString& name) {
        auto* s = Make<TqvSkinSplitter>();
        s->SetAlign(a);
        s->SetSkinDataName(name);
        s->SetSkinData(Model);
        return s;
    }
};

}  // namespace

TEST_F(SpacerTest, SplitterThicknessFollowsTheSkinUnlessTransparentOrWithoutRecord) {
    LoadSkin();
    struct Row {
        const char* Case;
        TAlign Align;
        const char* Name;
        bool Transparent;
        int Thickness;
    };
    const Row rows[] = {
        {"top from hsplitter", alTop, "hsplitter", false, 64},
        {"bottom from hsplitter", alBottom, "hsplitter", false, 64},
        {"left from vsplitter", alLeft, "vsplitter", false, 64},
        {"right from vsplitter", alRight, "vsplitter", false, 64},
        {"transparent keeps DefaultSize", alTop, "hsplitter", true, 10},
        {"no record: DefaultSize", alLeft, "nosuch", false, 10},
        {"a record of another kind: DefaultSize", alLeft, "bevel", false, 10},
    };
    for (const Row& r : rows) {
        auto* s = Make<TqvSkinSplitter>();
        s->SetAlign(r.Align);
        s->SetSkinDataName(r.Name);
        s->SetTransparent(r.Transparent);
        s->SetSkinData(Model);
        const bool horz = r.Align == alTop || r.Align == alBottom;
        EXPECT_EQ(horz ? s->Height() : s->Width(), r.Thickness) << r.Case;
        delete s;
    }
    auto* s = Splitter(alTop, "hsplitter");
    s->SetSkinData(nullptr);
    EXPECT_EQ(s->Height(), 10) << "without a model";
}

TEST_F(SpacerTest, SplitterDrawsThreeSlicesPlainOrNothing) {
    Skin.Set("hsplitter", "stretcheffect", "1");
    LoadSkin();
    auto* top = Splitter(alTop, "hsplitter");
    ASSERT_EQ(top->Width(), 500);
    QImage img = top->BuildImage();
    EXPECT_EQ(Px(img, 1, 30), Flat("hsplitter", "skinrect", Z::zL));
    EXPECT_EQ(Px(img, 250, 30), Flat("hsplitter", "skinrect", Z::zC));
    EXPECT_EQ(Px(img, 498, 30), Flat("hsplitter", "skinrect", Z::zR));
    EXPECT_EQ(Px(img, 250, 2), Flat("hsplitter", "skinrect", Z::zT));

    auto* left = Splitter(alLeft, "vsplitter");
    img = left->BuildImage();
    ASSERT_EQ(img.height(), left->Height());
    EXPECT_EQ(Px(img, 30, 2), Flat("vsplitter", "skinrect", Z::zT));
    EXPECT_EQ(Px(img, 30, left->Height() / 2), Flat("vsplitter", "skinrect", Z::zC));
    EXPECT_EQ(Px(img, 30, left->Height() - 1), Flat("vsplitter", "skinrect", Z::zB));
    EXPECT_EQ(Px(img, 1, left->Height() / 2), Flat("vsplitter", "skinrect", Z::zL));

    // Aligned to the client or to nothing, the platform's plain bar in Color.
    for (TAlign a : {alClient, alNone}) {
        left->SetAlign(a);
        left->SetBounds(0, 0, 40, 40);
        img = left->BuildImage();
        EXPECT_EQ(Px(img, 20, 20), Rgb(left->Color())) << a;
    }
    top->SetTransparent(true);
    img = top->BuildImage();
    EXPECT_TRUE(Clear(img, 1, 1) && Clear(img, 250, 5));
}

TEST_F(SpacerTest, SplitterGripperIsCentredAndMayBeTransparent) {
    const TRect cell = Skin.FlatRect("bevel", "skinrect");
    const TRect grip = Rect(cell.Left + 10, cell.Top + 10, cell.Left + 20, cell.Top + 16);  // 10 x 6 of zC
    Skin.Set("hsplitter", "gripperrect",
             QStringLiteral("%1,%2,%3,%4").arg(grip.Left).arg(grip.Top).arg(grip.Right).arg(grip.Bottom));
    LoadSkin();
    auto* s = Splitter(alTop, "hsplitter");
    s->SetWidth(200);
    s->SetAlign(alNone);
    s->SetAlign(alTop);
    ASSERT_EQ(s->Width(), 500);
    QImage img = s->BuildImage();
    const QRgb g = Flat("bevel", "skinrect", Z::zC), bar = Flat("hsplitter", "skinrect", Z::zC);
    // 500 x 64: the gripper spans x 245..254 and y 29..34.
    EXPECT_EQ(Px(img, 245, 29), g);
    EXPECT_EQ(Px(img, 254, 34), g);
    EXPECT_EQ(Px(img, 244, 29), bar);
    EXPECT_EQ(Px(img, 255, 34), bar);
    EXPECT_EQ(Px(img, 250, 28), bar);
    EXPECT_EQ(Px(img, 250, 35), bar);

    Skin.Set("hsplitter", "grippertransparent", "1");
    QColor key = QColor::fromRgb(g);
    Skin.Set("hsplitter", "grippertransparentcolor", QString::number(RGB(key.red(), key.green(), key.blue())));
    LoadSkin();
    img = s->BuildImage();
    EXPECT_EQ(Px(img, 250, 31), bar);
}

namespace {

struct DragRow {
    const char* Case;
    TAlign Align;
    int Move;      // pointer travel along the drag axis
    int Expected;  // neighbour's size after the move
};

}  // namespace

TEST_F(SpacerTest, DraggingTheSplitterResizesTheAlignedNeighbourWithinItsLimits) {
    // The form's client is 500 x 400; the neighbour starts at 100, the splitter is 3.
    const DragRow rows[] = {
        {"left grows", alLeft, 50, 150},        {"left shrinks", alLeft, -40, 60},
        {"left stops at MinSize", alLeft, -90, 30}, {"left leaves MinSize beyond", alLeft, 900, 500 - 3 - 30},
        {"right grows leftwards", alRight, -50, 150}, {"right shrinks", alRight, 20, 80},
        {"top grows", alTop, 25, 125},          {"bottom grows upwards", alBottom, -60, 160},
        {"bottom leaves MinSize beyond", alBottom, -900, 400 - 3 - 30},
    };
    for (const DragRow& r : rows) {
        auto* host = Make<TPanel>();
        host->SetBevelOuter(TBevelCut::bvNone);
        host->SetAlign(alClient);
        auto* n = Make<TPanel>(host);
        const bool horz = r.Align == alTop || r.Align == alBottom;
        n->SetBounds(0, 0, 100, 100);
        n->SetAlign(r.Align);
        auto* s = new TSplitter(Form);
        s->SetAlign(r.Align);
        s->SetBounds(0, 0, 3, 3);
        s->SetParent(host);
        auto* filler = Make<TPanel>(host);
        filler->SetAlign(alClient);
        ASSERT_EQ(s->FindControl(), n) << r.Case;
        int moved = 0;
        s->OnMoved = [&](QObject*) { ++moved; };
        const QPoint press(1, 1);
        SendMouse(s, QEvent::MouseButtonPress, press);
        // Local positions shift as the splitter moves: aim at the parent point.
        const QPoint target = s->pos() + press + (horz ? QPoint(0, r.Move) : QPoint(r.Move, 0));
        SendMouse(s, QEvent::MouseMove, target - s->pos());
        EXPECT_EQ(horz ? n->Height() : n->Width(), r.Expected) << r.Case;
        EXPECT_EQ(moved, 0) << r.Case;
        SendMouse(s, QEvent::MouseButtonRelease, target - s->pos());
        EXPECT_EQ(moved, 1) << r.Case;
        // The splitter follows the neighbour's edge.
        EXPECT_EQ(s->FindControl(), n) << r.Case;
        delete host;
    }
}

TEST_F(SpacerTest, SplitterWithoutANeighbourDoesNothing) {
    auto* s = Make<TSplitter>();
    s->SetAlign(alLeft);
    int moved = 0;
    s->OnMoved = [&](QObject*) { ++moved; };
    SendMouse(s, QEvent::MouseButtonPress, {1, 1});
    SendMouse(s, QEvent::MouseMove, {40, 1});
    SendMouse(s, QEvent::MouseButtonRelease, {40, 1});
    EXPECT_EQ(s->Left(), 0);
    EXPECT_EQ(moved, 0);
}

namespace {

enum Ink { None, Light, Dark };
struct BevelRow {
    const char* Case;
    TBevelShape Shape;
    TBevelStyle Style;
    bool Divider;
    std::vector<std::pair<QPoint, Ink>> Pixels;  // on a 20 x 10 bevel
};

}  // namespace

TEST_F(SpacerTest, BevelShapesAndDividersDrawTheirLinesInTheTwoColours) {
    using S = TBevelShape;
    const auto L = TBevelStyle::bsLowered, R = TBevelStyle::bsRaised;
    const BevelRow rows[] = {
        {"box lowered", S::bsBox, L, false, {{{0, 5}, Dark}, {{5, 0}, Dark}, {{19, 5}, Light}, {{5, 9}, Light}, {{10, 5}, None}}},
        {"box raised", S::bsBox, R, false, {{{0, 5}, Light}, {{19, 5}, Dark}}},
        {"frame", S::bsFrame, L, false, {{{0, 5}, Dark}, {{1, 5}, Light}, {{18, 5}, Dark}, {{19, 5}, Light}, {{10, 5}, None}}},
        {"top line", S::bsTopLine, L, false, {{{5, 0}, Dark}, {{5, 1}, Light}, {{5, 5}, None}}},
        {"bottom line", S::bsBottomLine, L, false, {{{5, 8}, Dark}, {{5, 9}, Light}, {{5, 5}, None}}},
        {"left line", S::bsLeftLine, L, false, {{{0, 5}, Dark}, {{1, 5}, Light}, {{5, 5}, None}}},
        {"right line raised", S::bsRightLine, R, false, {{{18, 5}, Light}, {{19, 5}, Dark}, {{5, 5}, None}}},
        {"spacer", S::bsSpacer, L, false, {{{0, 0}, None}, {{10, 5}, None}, {{19, 9}, None}}},
        {"divider across", S::bsTopLine, L, true, {{{10, 4}, Dark}, {{10, 5}, Light}, {{10, 3}, None}, {{1, 4}, None}, {{5, 0}, None}}},
        {"divider across raised", S::bsBottomLine, R, true, {{{10, 4}, Light}, {{10, 5}, Dark}}},
        {"divider upright", S::bsBox, L, true, {{{9, 5}, Dark}, {{10, 5}, Light}, {{11, 5}, None}, {{0, 5}, None}, {{9, 0}, None}}},
        {"divider upright from a frame", S::bsFrame, L, true, {{{9, 5}, Dark}, {{10, 5}, Light}, {{1, 5}, None}}},
        {"divider of a spacer", S::bsSpacer, L, true, {{{9, 5}, None}, {{10, 4}, None}, {{10, 5}, None}}},
    };
    LoadSkin();
    auto* b = Make<TqvSkinBevel>();
    b->SetSkinData(Model);
    b->SetBounds(0, 0, 20, 10);
    const QRgb light = Rgb(RGB(250, 240, 10)), dark = Rgb(RGB(20, 30, 140));
    for (const BevelRow& r : rows) {
        b->SetShape(r.Shape);
        b->SetStyle(r.Style);
        b->SetDividerMode(r.Divider);
        const QImage img = b->BuildImage();
        for (const auto& [p, ink] : r.Pixels) {
            if (ink == None) EXPECT_TRUE(Clear(img, p.x(), p.y())) << r.Case << " at " << p.x() << "," << p.y();
            else EXPECT_EQ(Px(img, p.x(), p.y()), ink == Light ? light : dark) << r.Case << " at " << p.x() << "," << p.y();
        }
    }
}

TEST_F(SpacerTest, BevelColoursComeFromTheBevelRecordAndReturnWithoutOne) {
    auto* b = Make<TqvSkinBevel>();
    b->SetSkinData(Model);
    EXPECT_EQ(b->LightColor(), clBtnHighlight);
    LoadSkin();  // the walk re-skins it
    EXPECT_EQ(b->LightColor(), RGB(250, 240, 10));
    EXPECT_EQ(b->DarkColor(), RGB(20, 30, 140));
    b->SetSkinDataName("button");  // a record of another kind leaves the colours
    b->ChangeSkinData();
    EXPECT_EQ(b->LightColor(), RGB(250, 240, 10));
    b->SetSkinDataName("bevel");
    TTestSkin bare({"button"}, {});
    bare.FlatColours().LoadInto(*Model);
    EXPECT_EQ(b->LightColor(), clBtnHighlight);
    EXPECT_EQ(b->DarkColor(), clBtnShadow);
    const QImage img = b->BuildImage();
    EXPECT_EQ(Px(img, 0, 5), Rgb(clBtnShadow));
}

class TToolBarLike : public TqvSkinPanel {
public:
    using TqvSkinPanel::TqvSkinPanel;
    bool AdjustsControls() const override { return true; }
};

TEST_F(SpacerTest, BevelOnAToolBarIsCentredAndReskinnedWithTheBar) {
    auto* bar = Make<TToolBarLike>();
    bar->SetSkinData(Model);
    bar->SetBounds(0, 0, 300, 41);
    auto* b = Make<TqvSkinBevel>(bar);
    EXPECT_EQ(b->SkinData(), Model) << "the bar's model";
    LoadSkin();
    EXPECT_EQ(b->LightColor(), RGB(250, 240, 10)) << "the walk reached it through the bar";
    b->SetBounds(5, 0, 8, 10);  // the bar's skin client rectangle is 8..37
    EXPECT_EQ(b->Top(), 17);
    b->SetBounds(5, 0, 8, 11);
    EXPECT_EQ(b->Top(), 17);
    // Its own model wins over the bar's.
    auto* other = new TqvSkinData(Form);
    b->SetSkinData(other);
    EXPECT_EQ(b->SkinData(), other);
    EXPECT_EQ(b->LightColor(), clBtnHighlight);
}
