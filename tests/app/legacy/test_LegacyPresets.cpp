// The settings dialog's option-list presets: 50 item lists, one entry per catalogue profile.
#include "app/legacy/LegacyTables.h"
#include "tests/app/legacy/LegacyPrinters.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <set>
#include <vector>

using namespace legacy;

namespace {

QString U8(const char* s) { return QString::fromUtf8(s); }

QString DefaultText(const OptionPreset& o) { return U8(o.items[o.defaultIndex]); }

std::vector<int> CatalogueCodes() {
    std::vector<int> codes;
    for (int row = 0; row < static_cast<int>(Categories().size()); ++row)
        for (int p = 0; p < static_cast<int>(ProfilesOf(row).size()); ++p) codes.push_back(ProfileCode(row, p));
    return codes;
}

const std::set<int> kAudioOnly = {200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 212, 708, 1202, 1203};

bool IsVideoList(Option o) { return o != Option::AudioBitrate && o != Option::SampleRate; }

const char* const kPlaceholder[] = {"该格式无视频", "无视频", "无视频", nullptr, nullptr, "无视频"};

}  // namespace

TEST(LegacyPresets, OneEntryForEachCatalogueCodeAndNoOther) {
    std::vector<int> codes;
    for (const Preset& p : Presets()) codes.push_back(p.code);
    EXPECT_EQ(codes, CatalogueCodes());
    for (int code : {0, 99, 115, 199, 213, 1204, 1300}) EXPECT_EQ(FindPreset(code), nullptr) << code;
    for (int code : CatalogueCodes()) {
        ASSERT_NE(FindPreset(code), nullptr) << code;
        EXPECT_EQ(FindPreset(code)->code, code);
    }
}

TEST(LegacyPresets, EveryDefaultLiesInsideItsList) {
    for (const Preset& p : Presets())
        for (Option o : kOptions) {
            const OptionPreset& cell = p[o];
            EXPECT_FALSE(cell.items.empty()) << p.code;
            EXPECT_GE(cell.defaultIndex, 0) << p.code;
            EXPECT_LT(cell.defaultIndex, static_cast<int>(cell.items.size())) << p.code << " option "
                                                                              << static_cast<int>(o);
        }
}

TEST(LegacyPresets, SixteenAudioOnlyEntriesAndOnlyThemUseThePlaceholders) {
    std::set<int> audioOnly;
    for (const Preset& p : Presets()) {
        SCOPED_TRACE(p.code);
        if (p.audioOnly) audioOnly.insert(p.code);
        for (Option o : kOptions) {
            const int i = static_cast<int>(o);
            if (!IsVideoList(o)) {
                // The audio lists are real lists in every entry.
                EXPECT_GT(p[o].items.size(), 0u);
                continue;
            }
            const bool placeholder = p[o].items.size() == 1 && U8(p[o].items[0]) == U8(kPlaceholder[i]);
            EXPECT_EQ(placeholder, p.audioOnly) << "option " << i;
        }
    }
    EXPECT_EQ(audioOnly, kAudioOnly);
}

TEST(LegacyPresets, Code100FillsTheListsTheDialogStartsWith) {
    struct Case {
        Option option;
        const char* text;
        int items;
    };
    const Case cases[] = {
        {Option::FrameSize, "保持原分辨率", 28}, {Option::VideoBitrate, "816 kbps", 8},
        {Option::FrameRate, "25.00", 12},        {Option::AudioBitrate, "128 kbps", 17},
        {Option::SampleRate, "44100", 6},        {Option::AspectMode, "保持原视频模式", 5},
    };
    const Preset* p = FindPreset(100);
    ASSERT_NE(p, nullptr);
    EXPECT_FALSE(p->audioOnly);
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.option));
        EXPECT_EQ(DefaultText((*p)[c.option]), U8(c.text));
        EXPECT_EQ(static_cast<int>((*p)[c.option].items.size()), c.items);
    }
}

TEST(LegacyPresets, AudioOnly200HasPlaceholdersAndRealAudioLists) {
    const Preset* p = FindPreset(200);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->audioOnly);
    EXPECT_EQ(DefaultText((*p)[Option::FrameSize]), QStringLiteral("该格式无视频"));
    EXPECT_EQ(DefaultText((*p)[Option::VideoBitrate]), QStringLiteral("无视频"));
    EXPECT_EQ(DefaultText((*p)[Option::FrameRate]), QStringLiteral("无视频"));
    EXPECT_EQ(DefaultText((*p)[Option::AspectMode]), QStringLiteral("无视频"));
    EXPECT_EQ(DefaultText((*p)[Option::AudioBitrate]), QStringLiteral("128 kbps"));
    EXPECT_EQ((*p)[Option::AudioBitrate].items.size(), 17u);
    EXPECT_EQ(DefaultText((*p)[Option::SampleRate]), QStringLiteral("44100"));
}

TEST(LegacyPresets, Code109OffersTwoAspectModesAndOneSampleRate) {
    const Preset* p = FindPreset(109);
    ASSERT_NE(p, nullptr);
    const Items aspect = (*p)[Option::AspectMode].items;
    ASSERT_EQ(aspect.size(), 2u);
    EXPECT_EQ(U8(aspect[0]), QStringLiteral("保持原视频模式"));
    EXPECT_EQ(U8(aspect[1]), QStringLiteral("普通视频4:3模式"));
    const Items rates = (*p)[Option::SampleRate].items;
    ASSERT_EQ(rates.size(), 1u);
    EXPECT_EQ(U8(rates[0]), QStringLiteral("8000"));
    EXPECT_EQ(DefaultText((*p)[Option::FrameSize]), QStringLiteral("176*144"));
    EXPECT_EQ(DefaultText((*p)[Option::FrameRate]), QStringLiteral("12"));
}

// Defaults where the lists hold a surprise: unsorted sizes, lists that differ by one item.
TEST(LegacyPresets, DefaultsThatDependOnOddListOrders) {
    struct Case {
        int code;
        Option option;
        const char* text;
    };
    const Case cases[] = {
        {101, Option::VideoBitrate, "768 kbps"},  {102, Option::VideoBitrate, "1000 kbps"},
        {110, Option::VideoBitrate, "600 kbps"},  {111, Option::FrameSize, "704*480"},
        {212, Option::AudioBitrate, "7.4 kbps"},  {212, Option::SampleRate, "8000"},
        {300, Option::FrameSize, "1280*720"},     {303, Option::FrameSize, "1280*1024"},
        {400, Option::VideoBitrate, "1000 kbps"}, {402, Option::FrameSize, "320*240"},
        {408, Option::VideoBitrate, "768 kbps"},  {411, Option::AspectMode, "宽屏视频16:9模式"},
        {502, Option::FrameSize, "720*406"},      {600, Option::FrameRate, "29.97"},
        {601, Option::VideoBitrate, "1000 kbps"}, {707, Option::FrameRate, "15"},
        {709, Option::AudioBitrate, "32 kbps"},   {708, Option::AudioBitrate, "7.4 kbps"},
        {907, Option::FrameSize, "1280*720"},     {908, Option::FrameSize, "1280*720"},
        {1100, Option::FrameSize, "320*240"},     {1200, Option::SampleRate, "22050"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const Preset* p = FindPreset(c.code);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(DefaultText((*p)[c.option]), U8(c.text)) << "option " << static_cast<int>(c.option);
    }
    // "176*144" before "160*120" in the small-screen lists.
    const Items fs = (*FindPreset(400))[Option::FrameSize].items;
    EXPECT_EQ(U8(fs[1]), QStringLiteral("176*144"));
    EXPECT_EQ(U8(fs[2]), QStringLiteral("160*120"));
}

TEST(LegacyPresets, FiftyDistinctItemListsAllInUse) {
    const int expected[] = {19, 10, 7, 6, 5, 3};
    int total = 0;
    for (Option o : kOptions) {
        const auto lists = ItemLists(o);
        EXPECT_EQ(static_cast<int>(lists.size()), expected[static_cast<int>(o)]);
        total += static_cast<int>(lists.size());
        for (size_t i = 0; i < lists.size(); ++i) {
            for (size_t j = i + 1; j < lists.size(); ++j)
                EXPECT_FALSE(std::equal(lists[i].begin(), lists[i].end(), lists[j].begin(), lists[j].end(),
                                        [](const char* a, const char* b) { return U8(a) == U8(b); }))
                    << "option " << static_cast<int>(o) << " lists " << i << ", " << j;
            const bool used = std::any_of(Presets().begin(), Presets().end(), [&](const Preset& p) {
                return p[o].items.data() == lists[i].data();
            });
            EXPECT_TRUE(used) << "option " << static_cast<int>(o) << " list " << i;
        }
        for (const Preset& p : Presets()) {
            const bool known = std::any_of(lists.begin(), lists.end(),
                                           [&](const Items& l) { return l.data() == p[o].items.data(); });
            EXPECT_TRUE(known) << p.code;
        }
    }
    EXPECT_EQ(total, 50);
}

// Each text has the form the read-back expects of its list.
TEST(LegacyPresets, ItemTextsHaveTheirListsForm) {
    const QRegularExpression forms[] = {
        QRegularExpression(QStringLiteral("^(\\d+\\*\\d+|保持原分辨率|该格式无视频)$")),
        QRegularExpression(QStringLiteral("^(\\d+ kbps|无视频)$")),
        QRegularExpression(QStringLiteral("^(\\d+\\.\\d\\d|\\d+|保持原帧速率|无视频)$")),
        QRegularExpression(QStringLiteral("^\\d+(\\.\\d+)? kbps$")),
        QRegularExpression(QStringLiteral("^\\d+$")),
        QRegularExpression(QStringLiteral("^(保持原视频模式|普通视频4:3模式|宽屏视频(16:9|37:20|47:20)模式|无视频)$")),
    };
    for (Option o : kOptions)
        for (const Items& list : ItemLists(o))
            for (const char* item : list)
                EXPECT_TRUE(forms[static_cast<int>(o)].match(U8(item)).hasMatch())
                    << "option " << static_cast<int>(o) << ": " << item;
}
