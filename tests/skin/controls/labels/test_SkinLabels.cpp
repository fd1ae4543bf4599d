#include "tests/skin/controls/ControlTestSupport.h"

#include "platform/Shell.h"
#include "skin/controls/labels/SkinLabels.h"

#include <QFontMetrics>

namespace {

struct TRecordingShell : TShellActions {
    QStringList Opened;
    QStringList* Log = nullptr;
    bool Open(const QString& s) override {
        Opened << s;
        if (Log) *Log << QStringLiteral("open ") + s;
        return true;
    }
    bool PlaySound(const QString&) override { return true; }
    bool PowerOff() override { return false; }
};

struct LabelTest : SkinControlTest {
    static constexpr TColor kFont = RGB(10, 20, 30), kActive = RGB(200, 30, 40);
    LabelTest() {
        Skin.Set(QStringLiteral("stdlabel"), QStringLiteral("fontcolor"), QString::number(kFont));
        Skin.Set(QStringLiteral("stdlabel"), QStringLiteral("activefontcolor"), QString::number(kActive));
        Skin.Set(QStringLiteral("stdlabel"), QStringLiteral("fontheight"), QStringLiteral("-20"));
    }
    static int LineHeight(int height) { return QFontMetrics(TFont(QStringLiteral("Arial"), height).ToQFont()).height(); }
    static int LineHeight(const TFont& f) { return QFontMetrics(f.ToQFont()).height(); }
    template <class T> T* Label(const QString& caption, bool skinned) {
        auto* l = Make<T>();
        if (skinned) {
            LoadSkin();
            l->SetSkinData(Model);
        }
        l->SetBounds(100, 10, 40, 20);
        l->SetCaption(caption);
        l->AdjustBounds();
        return l;
    }
};

TEST_F(LabelTest, StdLabelTakesTheRecordsFontAndColour) {
    auto* plain = Label<TqvSkinStdLabel>(QStringLiteral("Text"), false);
    TFont f(QStringLiteral("Arial"), -11);
    f.SetColor(RGB(1, 2, 3));
    plain->SetDefaultFont(f);
    plain->AdjustBounds();
    plain->PaintToImage();
    ASSERT_EQ(plain->LastTextRuns().size(), 1u);
    EXPECT_EQ(plain->LastTextRuns()[0].Color, RGB(1, 2, 3));
    EXPECT_EQ(plain->Height(), LineHeight(-11));
    auto* skinned = Label<TqvSkinStdLabel>(QStringLiteral("Text"), true);
    skinned->PaintToImage();
    EXPECT_EQ(skinned->LastTextRuns()[0].Color, kFont);
    EXPECT_EQ(skinned->Height(), LineHeight(-20));
    skinned->SetUseSkinColor(false);
    skinned->Font().SetColor(RGB(5, 5, 5));
    skinned->PaintToImage();
    EXPECT_EQ(skinned->LastTextRuns()[0].Color, RGB(5, 5, 5));
}

TEST_F(LabelTest, RightAlignedAutoSizeKeepsItsRightEdge) {
    auto* std = Label<TqvSkinStdLabel>(QStringLiteral("ab"), true);
    std->SetAlignment(taRightJustify);
    auto* text = Make<TqvSkinTextLabel>();
    text->SetAlignment(taRightJustify);
    text->SetBounds(100, 50, 40, 20);
    text->Lines().SetText(QStringLiteral("ab"));
    const int stdRight = std->Left() + std->Width(), textRight = text->Left() + text->Width();
    std->SetCaption(QStringLiteral("a much longer caption"));
    text->Lines().Add(QStringLiteral("a much longer second line"));
    EXPECT_EQ(std->Left() + std->Width(), stdRight);
    EXPECT_EQ(text->Left() + text->Width(), textRight);
    EXPECT_LT(std->Left(), 100);
    EXPECT_LT(text->Left(), 100);
    EXPECT_EQ(text->Height(), 2 * LineHeight(text->DefaultFont()));
}

TEST_F(LabelTest, LayoutsPlaceTheTextBlock) {
    struct Row {
        TTextLayout Layout;
        int Top;  // for a one-line text of height h in a 60-pixel label
    };
    for (const Row& row : {Row{tlTop, 0}, Row{tlCenter, 1}, Row{tlBottom, 2}}) {
        auto* std = Label<TqvSkinStdLabel>(QStringLiteral("one"), false);
        std->SetAutoSize(false);
        std->SetBounds(0, 0, 80, 60);
        std->SetLayout(row.Layout);
        auto* text = Make<TqvSkinTextLabel>();
        text->SetAutoSize(false);
        text->SetBounds(0, 0, 80, 60);
        text->Lines().SetText(QStringLiteral("one"));
        text->SetLayout(row.Layout);
        const int h = LineHeight(std->DefaultFont());
        const int expected = row.Top == 0 ? 0 : row.Top == 1 ? (60 - h) / 2 : 60 - h;
        std->PaintToImage();
        text->PaintToImage();
        EXPECT_EQ(std->LastTextRuns()[0].R.Top, expected) << row.Layout;
        EXPECT_EQ(text->LastTextRuns()[0].R.Top, (60 - LineHeight(text->DefaultFont())) * row.Top / 2)
            << row.Layout;
        delete std;
        delete text;
    }
}

TEST_F(LabelTest, EllipsesDisabledEmbossAndAmpersand) {
    auto* l = Label<TqvSkinStdLabel>(QStringLiteral("/a/very/long/path/file.txt"), false);
    l->SetAutoSize(false);
    l->SetBounds(0, 0, 30, 20);
    for (auto [type, flag] : {std::pair{qvetNone, 0u}, std::pair{qvetEndEllips, DT_END_ELLIPSIS},
                              std::pair{qvetPathEllips, DT_PATH_ELLIPSIS}}) {
        l->SetEllipsType(type);
        l->PaintToImage();
        EXPECT_EQ(l->LastTextRuns()[0].Flags & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS), flag);
    }
    // Disabled: highlight one pixel down-right, then shadow in place; the
    // skin's colours when skinned.
    for (bool skinned : {false, true}) {
        auto* d = Label<TqvSkinStdLabel>(QStringLiteral("off"), skinned);
        d->SetEnabled(false);
        d->PaintToImage();
        const auto& runs = d->LastTextRuns();
        ASSERT_EQ(runs.size(), 2u);
        const TColor hi = skinned ? Model->SkinColors().cBtnHighLight() : clBtnHighlight;
        const TColor sh = skinned ? Model->SkinColors().cBtnShadow() : clBtnShadow;
        EXPECT_EQ(runs[0].Color, hi);
        EXPECT_EQ(runs[1].Color, sh);
        EXPECT_EQ(runs[0].R.Left, runs[1].R.Left + 1);
        EXPECT_EQ(runs[0].R.Top, runs[1].R.Top + 1);
    }
    // "&" alone and an empty caption measure as a blank: never a zero size.
    auto* amp = Label<TqvSkinStdLabel>(QStringLiteral("&"), false);
    auto* empty = Label<TqvSkinStdLabel>(QString(), false);
    EXPECT_GT(amp->Width(), 0);
    EXPECT_EQ(amp->Width(), empty->Width());
    EXPECT_EQ(amp->Height(), LineHeight(amp->DefaultFont()));
    auto* link = Label<TqvSkinLinkLabel>(QStringLiteral("&"), false);
    EXPECT_GT(link->Width(), 0);
}

TEST_F(LabelTest, LinkHoverUnderlineAndGlow) {
    auto* plain = Label<TqvSkinLinkLabel>(QStringLiteral("link"), false);
    plain->PaintToImage();
    EXPECT_TRUE(plain->LastUnderline());
    SendEnter(plain);
    plain->PaintToImage();
    EXPECT_EQ(plain->LastTextRuns()[0].Color, RGB(0, 0, 255));
    plain->SetUseUnderLine(false);
    plain->PaintToImage();
    EXPECT_FALSE(plain->LastUnderline());

    auto* l = Label<TqvSkinLinkLabel>(QStringLiteral("link"), true);
    l->PaintToImage();
    EXPECT_EQ(l->LastTextRuns()[0].Color, kFont);
    EXPECT_EQ(l->LastTextRuns()[0].R.Top, 0);
    SendEnter(l);
    l->PaintToImage();
    EXPECT_EQ(l->LastTextRuns()[0].Color, kActive);
    EXPECT_EQ(l->LastHaloColor(), TColor(-1));
    SendLeave(l);
    l->SetGlowEffect(true);
    l->PaintToImage();
    EXPECT_EQ(l->LastTextRuns()[0].R.Top, 7) << "the glow moves the text down at all times";
    EXPECT_EQ(l->LastHaloColor(), TColor(-1)) << "no halo away from the pointer";
    SendEnter(l);
    l->PaintToImage();
    EXPECT_EQ(l->LastTextRuns()[0].R.Top, 7);
    EXPECT_EQ(l->LastTextRuns()[0].Color, kFont) << "the text keeps its colour under the glow";
    EXPECT_EQ(l->LastHaloColor(), kActive);
}

TEST_F(LabelTest, LinkClickRunsOnClickThenOpensTheUrl) {
    auto shell = std::make_shared<TRecordingShell>();
    SetShellActions(shell);
    QStringList log;
    shell->Log = &log;
    auto* l = Label<TqvSkinLinkLabel>(QStringLiteral("site"), false);
    l->OnClick = [&](QObject*) { log << QStringLiteral("click"); };
    l->SetURL(QStringLiteral("https://example.org/"));
    SendMouse(l, QEvent::MouseButtonPress, {3, 3});
    SendMouse(l, QEvent::MouseButtonRelease, {3, 3});
    EXPECT_EQ(log, QStringList({QStringLiteral("click"), QStringLiteral("open https://example.org/")}));
    log.clear();
    l->SetURL(QString());
    SendMouse(l, QEvent::MouseButtonPress, {3, 3});
    SendMouse(l, QEvent::MouseButtonRelease, {3, 3});
    EXPECT_EQ(log, QStringList({QStringLiteral("click")}));
    SetShellActions(nullptr);
}

TEST_F(LabelTest, TextLabelSkinColourAndEmboss) {
    LoadSkin();
    auto* l = Make<TqvSkinTextLabel>();
    l->SetSkinData(Model);
    l->Lines().SetText(QStringLiteral("first\nsecond"));
    EXPECT_EQ(l->Height(), 2 * LineHeight(-20));
    l->PaintToImage();
    EXPECT_EQ(l->LastTextRuns()[0].Color, kFont);
    l->SetEnabled(false);
    l->PaintToImage();
    ASSERT_EQ(l->LastTextRuns().size(), 2u);
    EXPECT_EQ(l->LastTextRuns()[0].Color, Model->SkinColors().cBtnHighLight());
}

TEST_F(LabelTest, SkinChangeWalkReachesTheLabels) {
    auto* std = Label<TqvSkinStdLabel>(QStringLiteral("walk"), true);
    Skin.Set(QStringLiteral("stdlabel"), QStringLiteral("fontcolor"), QString::number(RGB(7, 8, 9)));
    LoadSkin();
    std->PaintToImage();
    EXPECT_EQ(std->LastTextRuns()[0].Color, RGB(7, 8, 9));
}

}  // namespace
