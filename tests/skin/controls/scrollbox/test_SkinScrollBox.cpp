// Scroll box: bar ranges from the children's bounds, growth and fit, Both,
// scrolling through the bars exactly once, the frame as a margin and the
// background pictures.
#include "skin/controls/scrollbox/SkinScrollBox.h"
#include "tests/skin/controls/ControlTestSupport.h"

#include "platform/ExtCtrls.h"
#include "skin/model/SkinTypes.h"

using Z = TTestSkin::TZone;

namespace {

QRgb Rgb(TColor c) { return ColorToQColor(c).rgb() | 0xFF000000u; }

struct ScrollBoxTest : SkinControlTest {
    TqvSkinScrollBox* Box = nullptr;
    TqvSkinScrollBar *V = nullptr, *H = nullptr;
    TPanel* Child = nullptr;

    // A 200 x 150 box (skinless: a 1-pixel frame, client 198 x 148) with both bars.
    void Build(bool skinned = false) {
        if (skinned) LoadSkin();
        Box = Make<TqvSkinScrollBox>();
        if (skinned) Box->SetSkinData(Model);
        Box->SetBounds(10, 10, 200, 150);
        Child = Make<TPanel>(Box);
        Child->SetBounds(0, 0, 50, 50);
        V = Make<TqvSkinScrollBar>();
        V->SetKind(sbVertical);
        H = Make<TqvSkinScrollBar>();
        Box->SetVScrollBar(V);
        Box->SetHScrollBar(H);
    }
    // A 200 x 150 box alone, under the flat skin with or without a background picture.
    TqvSkinScrollBox* FramedBox(bool skinned, TqvSkinBorderStyle style, bool background) {
        TTestSkin skin;
        skin.FlatColours();
        if (background) skin.Set("scrollbox", "bgpictureindex", "1");
        skin.LoadInto(*Model);
        auto* b = Make<TqvSkinScrollBox>();
        if (skinned) b->SetSkinData(Model);
        b->SetBorderStyle(style);
        b->SetBounds(0, 0, 200, 150);
        return b;
    }
};

}  // namespace

TEST_F(ScrollBoxTest, ContentPastTheBottomShowsTheBarWithContentHeightAndClientPage) {
    Build();
    EXPECT_FALSE(V->Visible());
    EXPECT_FALSE(H->Both());
    EXPECT_EQ(Box->ClientRect(), Rect(0, 0, 198, 148));
    Child->SetBounds(0, 0, 50, 198);  // 50 px below the client area
    Box->UpDateScrollRange();
    EXPECT_TRUE(V->Visible());
    EXPECT_EQ(V->Max(), 197);
    EXPECT_EQ(V->PageSize(), 148);
    EXPECT_EQ(V->Position(), 0);
    EXPECT_FALSE(H->Visible());
    EXPECT_TRUE(H->Both()) << "the horizontal bar leaves room while the vertical one shows";
}

TEST_F(ScrollBoxTest, ScrollingMovesTheChildrenExactlyOnceByWhatTheBarMoved) {
    Build();
    Child->SetBounds(0, 0, 300, 400);
    Box->UpDateScrollRange();
    ASSERT_EQ(V->Max(), 399);
    ASSERT_EQ(H->Max(), 299);
    struct Row {
        const char* Case;
        bool Vertical;
        int Asked, Position;
    };
    const Row rows[] = {
        {"down 20", true, 20, 20},
        {"back to 5", true, 5, 5},
        {"past the end stops at Max - PageSize", true, 1000, 399 - 148},
        {"right 30", false, 30, 30},
        {"right past the end: the bar's own limit", false, 1000, 299 - 198 + 1},
        {"left of the start", false, -50, 0},
    };
    for (const Row& r : rows) {
        if (r.Vertical) Box->VScroll(r.Asked);
        else Box->HScroll(r.Asked);
        TqvSkinScrollBar* bar = r.Vertical ? V : H;
        EXPECT_EQ(bar->Position(), r.Position) << r.Case;
        EXPECT_EQ(r.Vertical ? Child->Top() : Child->Left(), -r.Position) << r.Case;
    }
    // The user moving a bar does the same, and aligned children lay out over
    // the scrolled area.
    auto* top = Make<TPanel>(Box);
    top->SetAlign(alTop);
    V->SetPosition(7);
    EXPECT_EQ(Child->Top(), -7);
    EXPECT_EQ(top->Top(), -7);
    EXPECT_EQ(top->Left(), -H->Position());
}

TEST_F(ScrollBoxTest, GrowingWhileScrolledToTheEndPullsTheContentDown) {
    Build();
    Child->SetBounds(0, 0, 50, 198);
    Box->UpDateScrollRange();
    Box->VScroll(1000);
    ASSERT_EQ(V->Position(), 49);
    ASSERT_EQ(Child->Top(), -49);
    Box->SetBounds(10, 10, 200, 180);  // 30 taller: client 178
    EXPECT_EQ(V->Position(), 19);
    EXPECT_EQ(Child->Top(), -19);
    EXPECT_EQ(V->Max(), 197);
    EXPECT_EQ(V->PageSize(), 178);
    // Growing by more than the position pulls down only that far.
    Box->SetBounds(10, 10, 200, 260);
    EXPECT_FALSE(V->Visible());
    EXPECT_EQ(Child->Top(), 0);
}

TEST_F(ScrollBoxTest, ContentThatFitsResetsTheBarAndScrollsBack) {
    Build();
    Child->SetBounds(0, 0, 300, 198);
    Box->UpDateScrollRange();
    Box->VScroll(30);
    Box->HScroll(40);
    ASSERT_TRUE(V->Visible() && H->Visible() && H->Both());
    Child->SetBounds(Child->Left(), Child->Top(), 100, 100);
    Box->UpDateScrollRange();
    for (TqvSkinScrollBar* bar : {V, H}) {
        EXPECT_FALSE(bar->Visible());
        EXPECT_EQ(bar->Min(), 0);
        EXPECT_EQ(bar->Max(), 0);
        EXPECT_EQ(bar->Position(), 0);
        EXPECT_EQ(bar->PageSize(), 0);
    }
    EXPECT_EQ(Child->Left(), 0);
    EXPECT_EQ(Child->Top(), 0);
    EXPECT_FALSE(H->Both());
}

TEST_F(ScrollBoxTest, TheFrameIsAMarginOnlyWhereItIsDrawn) {
    struct Row {
        const char* Case;
        bool Skinned;
        TqvSkinBorderStyle Style;
        bool Background;
        TRect Client;  // in box coordinates
    };
    const Row rows[] = {
        {"skinless frame", false, bvFrame, false, Rect(1, 1, 199, 149)},
        {"skinless none", false, bvNone, false, Rect(0, 0, 200, 150)},
        {"skin border", true, bvFrame, false, Rect(4, 8, 196, 146)},
        {"skin with bvNone", true, bvNone, false, Rect(0, 0, 200, 150)},
        {"skin with a background picture", true, bvFrame, true, Rect(0, 0, 200, 150)},
    };
    for (const Row& r : rows) {
        auto* b = FramedBox(r.Skinned, r.Style, r.Background);
        EXPECT_EQ(TRect::FromQRect(b->ClientWidget()->geometry()), r.Client) << r.Case;
        EXPECT_EQ(b->ClientRect(), Rect(0, 0, r.Client.Width(), r.Client.Height())) << r.Case;
        delete b;
    }
}

TEST_F(ScrollBoxTest, FrameAndBackgroundPictures) {
    Build(true);
    QImage frame = Box->BuildImage();
    EXPECT_EQ(Px(frame, 0, 0), Flat("scrollbox", "skinrect", Z::zTL));
    EXPECT_EQ(Px(frame, 100, 2), Flat("scrollbox", "skinrect", Z::zT));
    EXPECT_EQ(Px(frame, 1, 75), Flat("scrollbox", "skinrect", Z::zL));
    EXPECT_EQ(Px(frame, 198, 148), Flat("scrollbox", "skinrect", Z::zBR));
    const QImage client = Box->BuildClientImage();
    ASSERT_EQ(client.size(), QSize(192, 138));
    for (QPoint p : {QPoint(0, 0), QPoint(100, 60), QPoint(191, 137)})
        EXPECT_EQ(Px(client, p.x(), p.y()), Flat("scrollbox", "skinrect")) << p.x() << "," << p.y();

    auto* plain = Make<TqvSkinScrollBox>();
    plain->SetBorderStyle(bvLowered);
    frame = plain->BuildImage();
    EXPECT_EQ(Px(frame, 0, 0), Rgb(clBtnHighlight));
    EXPECT_EQ(Px(frame, 149, 149), Rgb(clBtnShadow));
    plain->SetColor(RGB(10, 200, 30));
    EXPECT_EQ(Px(plain->BuildClientImage(), 5, 5), Rgb(RGB(10, 200, 30)));
}

TEST_F(ScrollBoxTest, AnswersRequestsToPaintItsFrameIntoAPicture) {
    struct Row {
        const char* Case;
        bool Skinned;
        TqvSkinBorderStyle Style;
        bool Background;
        bool Frame;    // a frame is painted and 45513 answers 12851
        QRgb Corner;   // then at (0, 0)
    };
    const Row rows[] = {
        {"skinless frame", false, bvFrame, false, true, Rgb(clBtnShadow)},
        {"skinless raised", false, bvRaised, false, true, Rgb(clBtnShadow)},
        {"skinless none", false, bvNone, false, false, 0},
        {"skin border", true, bvFrame, false, true, Flat("scrollbox", "skinrect", Z::zTL)},
        {"skin with bvNone", true, bvNone, false, false, 0},
        {"skin with a background picture", true, bvFrame, true, false, 0},
    };
    const QRgb black = qRgb(0, 0, 0);
    for (const Row& r : rows) {
        auto* b = FramedBox(r.Skinned, r.Style, r.Background);
        QImage dc(200, 150, QImage::Format_RGB32);
        for (unsigned msg : {WM_SKIN_PAINT_FRAME, WM_SKIN_PAINT_FRAME_EX}) {
            SCOPED_TRACE(std::string(r.Case) + (msg == WM_SKIN_PAINT_FRAME ? " 45513" : " 48203"));
            dc.fill(Qt::black);
            const LRESULT frameAnswer = msg == WM_SKIN_PAINT_FRAME ? (r.Frame ? SKIN_ANSWER_FRAME_PAINTED : 0)
                                                                    : SKIN_PAINT_FRAME_EX_KEY;
            EXPECT_EQ(SendMessage(b, msg, WPARAM(&dc), SKIN_PAINT_FRAME_EX_KEY), frameAnswer);
            EXPECT_EQ(Px(dc, 0, 0), r.Frame ? r.Corner : black);
            EXPECT_EQ(Px(dc, 100, 75), black) << "the client is not painted";
            EXPECT_EQ(SendMessage(b, msg, 0, SKIN_PAINT_FRAME_EX_KEY), msg == WM_SKIN_PAINT_FRAME ? 0 : frameAnswer);
        }
        dc.fill(Qt::black);
        EXPECT_EQ(SendMessage(b, WM_SKIN_PAINT_FRAME_EX, WPARAM(&dc), 1), 0) << r.Case << ": only with its key";
        EXPECT_EQ(Px(dc, 0, 0), black) << r.Case;
        delete b;
    }
}

TEST_F(ScrollBoxTest, ZeroSizedBackgroundPartsDrawNothing) {
    for (const char* stretch : {"0", "1"}) {
        TTestSkin skin;
        skin.FlatColours().Set("scrollbox", "clientrect", "4,8,4,60").Set("scrollbox", "stretcheffect", stretch);
        skin.LoadInto(*Model);
        auto* b = Make<TqvSkinScrollBox>();
        b->SetColor(RGB(10, 200, 30));
        b->SetSkinData(Model);
        const QImage img = b->BuildClientImage();
        ASSERT_FALSE(img.isNull()) << stretch;
        EXPECT_EQ(Px(img, 2, 2), Rgb(RGB(10, 200, 30))) << stretch;
        delete b;
    }
}

TEST_F(ScrollBoxTest, AClientAlignedChildFollowsTheBoxAsItResizes) {
    Build();
    Child->SetAlign(alClient);
    EXPECT_EQ(Child->BoundsRect(), Rect(0, 0, 198, 148));
    for (QSize s : {QSize(260, 150), QSize(120, 90)}) {
        Box->SetBounds(10, 10, s.width(), s.height());
        EXPECT_EQ(Child->BoundsRect(), Rect(0, 0, s.width() - 2, s.height() - 2)) << s.width();
    }
}
