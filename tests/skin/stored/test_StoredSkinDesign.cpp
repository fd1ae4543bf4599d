// Design checks of the stored skins: readable text, states that show,
// pictures that grow without seams, eleven palettes that differ.
#include "tests/skin/stored/StoredSkinChecks.h"
#include "tools/skingen/SkinGen.h"
#include "tools/skingen/SkinSlices.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Thresholds of the checks.
constexpr double kTextContrast = 4.5;      // normal, hot and pressed text against what lies under it
constexpr double kDisabledContrast = 2.0;  // disabled text: still readable, and dimmer than the normal text
constexpr int kSeamTolerance = 10;         // per channel, for a neighbouring pair to count as seen before
constexpr int kGrowth = 37;                // pixels a sliced picture is grown by

const TqvSkinData& Skin(int index)
{
    static std::map<int, std::unique_ptr<TqvSkinData>> skins;
    auto& s = skins[index];
    if (!s)
        s = BuildStoredSkin(index);
    return *s;
}

class StoredSkinDesign : public ::testing::TestWithParam<int> {};

std::string SkinName(const ::testing::TestParamInfo<int>& info)
{
    return "Skin" + std::to_string(info.param);
}

TEST_P(StoredSkinDesign, TextIsReadableInEveryState)
{
    for (const TRecordView& v : RecordViews(Skin(GetParam()))) {
        double normal = 0;
        for (const TTextArea& t : v.Texts) {
            const double ratio = ContrastRatio(t.Color, MeanColor(*t.Picture, t.Area));
            SCOPED_TRACE(v.Name.toStdString() + " " + t.What.toStdString() + " contrast " + std::to_string(ratio));
            if (t.State == TTextState::Disabled) {
                EXPECT_GE(ratio, kDisabledContrast);
                EXPECT_LT(ratio, normal) << "disabled text as strong as the normal text";
            } else {
                EXPECT_GE(ratio, kTextContrast);
                if (t.State == TTextState::Normal && normal == 0)
                    normal = ratio;
            }
        }
    }
    const TqvSkinColors& c = Skin(GetParam()).SkinColors();
    EXPECT_GE(ContrastRatio(c.cBtnText(), c.cBtnFace()), kTextContrast);
    EXPECT_GE(ContrastRatio(c.cWindowText(), c.cWindow()), kTextContrast);
    EXPECT_GE(ContrastRatio(c.cHighLightText(), c.cHighLight()), kTextContrast);
}

TEST_P(StoredSkinDesign, StatePicturesDifferPairwise)
{
    for (const TRecordView& v : RecordViews(Skin(GetParam())))
        for (const TStateSet& set : v.States) {
            SCOPED_TRACE(v.Name.toStdString() + " " + set.What.toStdString());
            for (std::size_t i = 0; i < set.Rects.size(); ++i)
                for (std::size_t j = i + 1; j < set.Rects.size(); ++j)
                    EXPECT_NE(set.Picture->copy(set.Rects[i].ToQRect()), set.Picture->copy(set.Rects[j].ToQRect()))
                        << "states " << i << " and " << j << " look the same";
        }
}

TEST_P(StoredSkinDesign, SlicedPicturesGrowWithoutSeams)
{
    const TqvSkinData& s = Skin(GetParam());
    auto check = [](const QString& what, const TqvSliceGeometry& g, const QImage& pic, TRect rect) {
        const int mode = SliceResizeMode(g, rect);
        if (mode < 1)
            return;
        const QImage source = pic.copy(rect.ToQRect());
        EXPECT_EQ(ComposeSlices(g, mode, pic, rect, rect.Width(), rect.Height()), source)
            << what.toStdString() << ": composed at its own size it differs from its picture";
        const QImage grown = ComposeSlices(g, mode, pic, rect, rect.Width() + kGrowth, rect.Height() + kGrowth);
        const QString seam = FindSeam(source, grown, kSeamTolerance);
        EXPECT_TRUE(seam.isEmpty()) << what.toStdString() << ": seam " << seam.toStdString();
    };
    for (const auto& rec : s.CtrlList) {
        auto* c = dynamic_cast<const TqvDataSkinCustomControl*>(rec.get());
        if (!c || c->PictureIndex < 0)
            continue;
        const QImage& pic = s.FActivePictures[std::size_t(c->PictureIndex)];
        std::vector<TRect> states = {c->SkinRect};
        if (auto* b = dynamic_cast<const TqvDataSkinButtonControl*>(c))
            states.insert(states.end(), {b->ActiveSkinRect, b->DownSkinRect, b->DisabledSkinRect, b->FocusedSkinRect});
        if (auto* e = dynamic_cast<const TqvDataSkinEditControl*>(c))
            states.push_back(e->ActiveSkinRect);
        if (auto* cb = dynamic_cast<const TqvDataSkinComboBox*>(c))
            states.push_back(cb->ActiveSkinRect);
        for (TRect r : states)
            if (r.Width() > 0)
                check(c->IDName, SliceGeometryOf(*c), pic, r);
    }
    TqvSliceGeometry frame;
    frame.LT = s.LTPoint, frame.RT = s.RTPoint, frame.LB = s.LBPoint, frame.RB = s.RBPoint, frame.ClRect = s.ClRect;
    frame.LeftStretch = s.LeftStretch, frame.TopStretch = s.TopStretch, frame.RightStretch = s.RightStretch;
    frame.BottomStretch = s.BottomStretch, frame.StretchEffect = s.StretchEffect, frame.StretchType = s.StretchType;
    check(QStringLiteral("frame"), frame, s.FPicture, Rect(0, 0, s.FPicture.width(), s.FPicture.height()));
    check(QStringLiteral("inactive frame"), frame, s.FInActivePicture, Rect(0, 0, s.FPicture.width(), s.FPicture.height()));
    auto window = [&](const QString& what, const auto& w, TRect client) {
        const QImage& pic = s.FActivePictures.at(std::size_t(w.WindowPictureIndex));
        TqvSliceGeometry g;
        g.LT = w.LTPoint, g.RT = w.RTPoint, g.LB = w.LBPoint, g.RB = w.RBPoint, g.ClRect = client;
        g.LeftStretch = w.LeftStretch, g.TopStretch = w.TopStretch, g.RightStretch = w.RightStretch;
        g.BottomStretch = w.BottomStretch, g.StretchEffect = w.StretchEffect, g.StretchType = w.StretchType;
        check(what, g, pic, Rect(0, 0, pic.width(), pic.height()));
    };
    window(QStringLiteral("popup"), s.PopupWindow, s.PopupWindow.ItemsRect);
    window(QStringLiteral("hint"), s.HintWindow, s.HintWindow.ClRect);
}

INSTANTIATE_TEST_SUITE_P(All, StoredSkinDesign, ::testing::Range(0, kStoredSkinCount), SkinName);

TEST(StoredSkinDesignChecks, FindsTheSeamOfATiledGradient)
{
    // A face shaded from top to bottom, its left edge tiled downwards: every
    // tile starts light again under a dark row.
    QImage pic(20, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            pic.setPixel(x, y, qRgb(200 - 6 * y, 200 - 6 * y, 200 - 6 * y));
    TqvSliceGeometry g;
    g.LT = Point(5, 5), g.RT = Point(15, 5), g.LB = Point(5, 15), g.RB = Point(15, 15), g.ClRect = Rect(3, 3, 17, 17);
    const QImage grown = ComposeSlices(g, 1, pic, Rect(0, 0, 20, 20), 20 + kGrowth, 20 + kGrowth);
    EXPECT_FALSE(FindSeam(pic, grown, kSeamTolerance).isEmpty());
    g.LeftStretch = g.TopStretch = g.RightStretch = g.BottomStretch = g.StretchEffect = true;
    EXPECT_TRUE(FindSeam(pic, ComposeSlices(g, 1, pic, Rect(0, 0, 20, 20), 20 + kGrowth, 20 + kGrowth), kSeamTolerance).isEmpty());
}

TEST(StoredSkinDesignChecks, ElevenPalettesDifferPairwise)
{
    auto palette = [](int i) {
        const TqvSkinColors& c = Skin(i).SkinColors();
        return std::vector<TColor>{c.cBtnFace(), c.cBtnText(), c.cWindow(), c.cWindowText(),
                                   c.cHighLight(), c.cHighLightText(), c.cBtnHighLight(), c.cBtnShadow()};
    };
    // Distance: the sum over the eight colours of the largest channel difference.
    constexpr int kMinDistance = 60;
    for (int i = 0; i < kStoredSkinCount; ++i)
        for (int j = i + 1; j < kStoredSkinCount; ++j) {
            const auto a = palette(i), b = palette(j);
            int d = 0;
            for (std::size_t k = 0; k < a.size(); ++k)
                d += std::max({std::abs(GetRValue(a[k]) - GetRValue(b[k])), std::abs(GetGValue(a[k]) - GetGValue(b[k])),
                               std::abs(GetBValue(a[k]) - GetBValue(b[k]))});
            EXPECT_GE(d, kMinDistance) << "skins " << i << " and " << j;
        }
}

}  // namespace
