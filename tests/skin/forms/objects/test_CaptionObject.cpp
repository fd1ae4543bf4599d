// The caption object: text placement and elision, quick buttons, the
// activation animation and morph, the inactive effect, the application's
// caption painting and the caption drag.
#include "tests/skin/forms/objects/ObjectTestSupport.h"

#include "platform/Canvas.h"
#include "platform/ImgList.h"
#include "skin/model/draw/DrawHelpers.h"

#include <QPainter>

namespace {

const TColor kInactiveText = RGB(255, 0, 0), kActiveText = RGB(0, 255, 0);

bool Reddish(QRgb c) { return qRed(c) > 180 && qGreen(c) < 120 && qBlue(c) < 120; }
bool Greenish(QRgb c) { return qGreen(c) > 180 && qRed(c) < 120 && qBlue(c) < 120; }

// The box of the pixels in area that pass the test (null when none).
QRect Bounds(const QImage& img, const QRect& area, bool (*test)(QRgb)) {
    QRect r;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(img.pixel(x, y))) r |= QRect(x, y, 1, 1);
    return r;
}

struct CaptionTest : ObjectsTest {
    TqvSkinCaptionObject* Cap = nullptr;
    void SetUp() override {
        ObjectsTest::SetUp();
        Add("close", "stdbutton", "cmclose");
        Add("caption", "caption");
        // Cells 2.. are spare pictures: 2 the active background, 3-5 animation frames.
        for (const char* spare : {"s2", "s3", "s4", "s5"}) Add(spare, "menuitem");
        Skin.Set("caption", "skinrectinapicture", "0");
        Skin.Set("caption", "skinrect", R4(4, 0, 70, 22));
        Skin.Set("caption", "textrect", R4(4, 4, 60, 20));
        Skin.Set("caption", "fontcolor", QString::number(kInactiveText));
        Skin.Set("caption", "activefontcolor", QString::number(kActiveText));
        Skin.Set("caption", "fontstyle", "fsbold");
        Skin.Set("FORMINFO", "autorenderinginactiveimage", "0");
        Form->SetCaption("Caption");
    }
    void Start() {
        Load();
        Cap = Object<TqvSkinCaptionObject>("caption");
        ASSERT_NE(Cap, nullptr);
    }
    QRect Area() const { return Cap->ObjectRect.ToQRect(); }
    // The window x of a text-rect x.
    int X(int t) const { return Cap->ObjectRect.Left + t; }
};

TEST_F(CaptionTest, TheTextFollowsTheAlignmentAndKeepsTheRightMargin) {
    struct TRow {
        const char* Alignment;
        int Expected;  // the left edge, right edge or centre, by alignment
    };
    Start();
    const TRect T = Cap->TextRect();
    // The caption is wider than its skin rect; the text rect's right margin stays.
    EXPECT_EQ(T.Right, Cap->ObjectRect.Width() - (66 - 60));
    const TRow rows[] = {{"taleftjustify", X(T.Left)}, {"tarightjustify", X(T.Right) - 1},
                         {"tacenter", X((T.Left + T.Right) / 2)}};
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.Alignment);
        Skin.Set("caption", "alignment", r.Alignment);
        Start();
        const QRect b = Bounds(Frame(false), Area(), Reddish);
        ASSERT_FALSE(b.isNull());
        const int got = QString(r.Alignment) == "taleftjustify"    ? b.left()
                        : QString(r.Alignment) == "tarightjustify" ? b.right()
                                                                   : (b.left() + b.right()) / 2;
        EXPECT_NEAR(got, r.Expected, 2);
    }
}

TEST_F(CaptionTest, ALongCaptionEndsInDots) {
    Skin.Set("caption", "alignment", "taleftjustify");
    Form->SetCaption(QString(200, u'W'));
    Start();
    const TRect T = Cap->TextRect();
    QImage probe(10, 10, QImage::Format_RGB32);
    TCanvas c(&probe);
    TFont f(Cap->FontName, Cap->FontHeight);
    f.SetStyle(fsBold);
    c.SetFont(f);
    QString s = Form->Caption();
    FitWideTextToWidth(c, s, T.Width());
    ASSERT_TRUE(s.endsWith("..."));
    const QRect b = Bounds(Frame(false), Area(), Reddish);
    EXPECT_LE(b.right(), X(T.Right));
    EXPECT_NEAR(b.width(), WideTextWidth(c, s), 3);
}

TEST_F(CaptionTest, QuickButtonsMoveTheTextRightAndCentreIt) {
    Skin.Set("caption", "alignment", "taleftjustify");
    TImageList images;
    images.SetSize(16, 16);
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::blue);
    images.Add(icon);
    Comp->QuickImageList = &images;
    std::vector<TqvActiveSkinObject*> senders;
    for (int i = 0; i < 2; ++i) {
        TqvQuickButtonItem* item = Comp->QuickButtons.Add();
        item->SetImageIndex(0);
        item->OnClick = [&, i](TqvActiveSkinObject* sender) {
            senders.push_back(sender);
            EXPECT_EQ(i, 0);
        };
    }
    Start();
    const TRect T = Cap->TextRect();
    EXPECT_EQ(T.Left, 4 + 48);
    const QImage f = Frame(false);
    const QRect b = Bounds(f, Area(), Reddish);
    EXPECT_NEAR((b.left() + b.right()) / 2, X((T.Left + T.Right) / 2), 2);

    // The strip belongs to the caption object: no drag, and a click runs the item.
    Activate();
    Frame();
    TqvQuickButtonItem* first = Comp->QuickButtons.GetItem(0);
    TqvQuickButtonItem* second = Comp->QuickButtons.GetItem(1);
    EXPECT_EQ(first->ItemRect.Width(), 20);
    EXPECT_EQ(second->ItemRect.Left, first->ItemRect.Left + 24);
    const QPoint q = first->ItemRect.ToQRect().center();
    EXPECT_EQ(Comp->HitTest({q.x(), q.y()}), HTOBJECT);
    MoveTo(q);
    EXPECT_EQ(Cap->ActiveQuickButton, 0);
    Click(q);
    EXPECT_EQ(senders, std::vector<TqvActiveSkinObject*>{Cap});
    EXPECT_EQ(Form->pos(), QPoint(50, 60));
    // A disabled item is never under the mouse.
    second->SetEnabled(false);
    const QPoint q2 = second->ItemRect.ToQRect().center();
    MoveTo(q2);
    EXPECT_EQ(Cap->ActiveQuickButton, -1);
    Click(q2);
    EXPECT_EQ(senders.size(), 1u);
    Comp->QuickButtons.Clear();
}

TEST_F(CaptionTest, TheActivationAnimationKeepsTheInactiveColoursToTheLastFrame) {
    Skin.Set("caption", "activeskinrect", CellRect(2, 64, 22));
    // Three frames stacked in cells 3 to 5.
    Skin.Set("caption", "animateskinrect", R4(0, 3 * kCellH, 64, 3 * kCellH + 66));
    Skin.Set("caption", "framecount", "3");
    Skin.Set("caption", "animateinterval", "25");
    Start();
    EXPECT_EQ(Cap->AnimateFrameRect(2), Rect(0, 3 * kCellH + 22, 64, 3 * kCellH + 44));
    Activate();
    ASSERT_TRUE(Cap->Active);
    std::vector<int> frames;
    for (int i = 0; i < 4; ++i) {
        frames.push_back(Cap->CurrentFrame);
        const QImage f = Frame();
        const bool last = Cap->CurrentFrame > Cap->FrameCount;
        EXPECT_EQ(Bounds(f, Area(), Reddish).isNull(), last) << Cap->CurrentFrame;
        EXPECT_EQ(Bounds(f, Area(), Greenish).isNull(), !last) << Cap->CurrentFrame;
        Tick();
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_FALSE(Comp->AnimateTimer.Active());
}

TEST_F(CaptionTest, ActivationMorphsInFifths) {
    Skin.Set("caption", "activeskinrect", CellRect(2, 64, 22));
    Skin.Set("caption", "morphing", "1");
    Start();
    EXPECT_DOUBLE_EQ(Cap->MorphKf(), 0);
    Activate();
    for (int i = 1; i <= 5; ++i) {
        Tick();
        EXPECT_NEAR(Cap->MorphKf(), 0.2 * i, 1e-9);
    }
    Tick();
    EXPECT_FALSE(Comp->MorphTimer.Active());
}

TEST_F(CaptionTest, AnInactiveStretchedCaptionTakesTheGrayScaleEffect) {
    Skin.Set("caption", "activeskinrect", CellRect(2, 64, 22));
    Skin.Set("caption", "stretcheffect", "1");
    Skin.Set("FORMINFO", "autorenderinginactiveimage", "1");
    Skin.Set("FORMINFO", "inactiveeffect", "iegrayscale");
    Start();
    ASSERT_FALSE(Cap->Active);
    QImage alone(Form->width(), 30, QImage::Format_RGB32);
    alone.fill(Qt::white);
    {
        QPainter p(&alone);
        Cap->Draw(p, true);
    }
    for (const QImage& img : {alone, Frame(false)})
        for (int x = Cap->ObjectRect.Left; x < Cap->ObjectRect.Right; x += 3)
            for (int y = Cap->ObjectRect.Top; y < Cap->ObjectRect.Bottom; y += 3) {
                const QRgb c = img.pixel(x, y);
                ASSERT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << x << "," << y;
            }
}

TEST_F(CaptionTest, TheApplicationPaintsTheCaptionInsteadOfTheText) {
    std::vector<bool> states;
    Comp->OnCaptionPaint = [&](QPainter& p, const TRect& r, bool active) {
        states.push_back(active);
        p.fillRect(QRect(r.Left + 10, r.Top + 2, 5, 5), Qt::magenta);
    };
    Start();
    const QImage f = Frame(false);
    EXPECT_TRUE(Bounds(f, Area(), Reddish).isNull());
    EXPECT_EQ(f.pixel(Cap->ObjectRect.Left + 12, Cap->ObjectRect.Top + 4), qRgb(255, 0, 255));
    EXPECT_EQ(states, std::vector<bool>{false});
}

TEST_F(CaptionTest, DraggingTheCaptionMovesTheForm) {
    QStringList events;
    Comp->OnMouseDownEvent = [&](const QString& id, int, int, const TRect&, Qt::MouseButton) { events << id; };
    Start();
    Activate();
    const QPoint c = Area().center();
    ASSERT_EQ(Comp->HitTest({c.x(), c.y()}), HTCAPTION);
    MoveTo(c);
    Press(c);
    EXPECT_EQ(events, QStringList{"caption"});
    EXPECT_EQ(Comp->MouseCaptureObject, -1);
    const QPoint start = Form->geometry().topLeft() + c;
    MouseAt(Form, QEvent::MouseMove, start + QPoint(100, 50), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(Form->pos(), QPoint(150, 110));
    MouseAt(Form, QEvent::MouseButtonRelease, start + QPoint(100, 50), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Form->pos(), QPoint(150, 110));
}

TEST_F(CaptionTest, LightAndShadowCopiesSitOnePixelOff) {
    struct TRow {
        const char* Flag;
        const char* ColourKey;
        int Offset;
    };
    const TRow rows[] = {{"light", "lightcolor", -1}, {"shadow", "shadowcolor", 1}};
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.Flag);
        TTestSkin saved = Skin;
        Skin.Set("caption", r.Flag, "1");
        Skin.Set("caption", r.ColourKey, QString::number(RGB(0, 0, 255)));
        Start();
        const QImage f = Frame(false);
        const QRect text = Bounds(f, Area(), Reddish);
        const QRect copy = Bounds(f, Area(), [](QRgb c) { return qBlue(c) > 230 && qRed(c) < 40 && qGreen(c) < 40; });
        ASSERT_FALSE(copy.isNull());
        // The main text covers the copy's near side; its far side shows.
        if (r.Offset < 0) {
            EXPECT_EQ(copy.left(), text.left() - 1);
            EXPECT_EQ(copy.top(), text.top() - 1);
        } else {
            EXPECT_EQ(copy.right(), text.right() + 1);
            EXPECT_EQ(copy.bottom(), text.bottom() + 1);
        }
        Skin = saved;
    }
}

}  // namespace
