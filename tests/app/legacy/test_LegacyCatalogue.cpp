// The settings dialog's catalogue: 12 categories, 109 profiles, texts exactly as shown.
#include "app/legacy/LegacyTables.h"
#include "tests/app/legacy/LegacyPrinters.h"

#include <gtest/gtest.h>

#include <QString>

#include <set>
#include <vector>

using namespace legacy;

namespace {

QString U8(const char* s) { return QString::fromUtf8(s); }

struct CategoryCase {
    int row;
    const char* caption;
    int profiles;
};

const CategoryCase kCategoryCases[] = {
    {0, "常用视频", 15},   {1, "常用音频", 13},  {2, "HD视频", 10},    {3, "iPod视频", 14},
    {4, "iPhone视频", 6},  {5, "PSP视频", 5},    {6, "3GP视频", 14},   {7, "APPLE视频", 5},
    {8, "XboX视频", 10},   {9, "PMP视频", 8},    {10, "MP4视频", 5},   {11, "Flash视频", 4},
};

}  // namespace

TEST(LegacyCatalogue, CategoriesHaveTheirCaptionIconAndProfileCount) {
    ASSERT_EQ(Categories().size(), std::size(kCategoryCases));
    int total = 0;
    for (const CategoryCase& c : kCategoryCases) {
        SCOPED_TRACE(c.row);
        const Category* category = FindCategory(c.row);
        ASSERT_NE(category, nullptr);
        EXPECT_EQ(U8(category->caption), U8(c.caption));
        EXPECT_EQ(category->imageIndex, c.row);  // one icon per category, in category order
        EXPECT_EQ(static_cast<int>(ProfilesOf(c.row).size()), c.profiles);
        total += c.profiles;
    }
    EXPECT_EQ(total, 109);
}

TEST(LegacyCatalogue, RowsOutsideTheCatalogueHaveNoProfiles) {
    for (int row : {-1, 12, 99}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(FindCategory(row), nullptr);
        EXPECT_TRUE(ProfilesOf(row).empty());
        EXPECT_EQ(FindProfile(row, 0), nullptr);
    }
    EXPECT_EQ(FindProfile(0, -1), nullptr);
    EXPECT_EQ(FindProfile(0, 15), nullptr);
    EXPECT_NE(FindProfile(0, 14), nullptr);
    EXPECT_EQ(FindProfile(11, 4), nullptr);
}

TEST(LegacyCatalogue, CodesComeFromTheRowsAlone) {
    EXPECT_EQ(ProfileCode(0, 0), 100);
    EXPECT_EQ(ProfileCode(0, 14), 114);
    EXPECT_EQ(ProfileCode(9, 7), 1007);
    EXPECT_EQ(ProfileCode(11, 3), 1203);
    EXPECT_EQ(ProfileCode(0, -1), 99);  // an unselected profile list
    EXPECT_EQ(ProfileCode(-1, 0), 0);
}

TEST(LegacyCatalogue, ImageIndexesOfTheFirstAndLastCategories) {
    std::vector<int> first, second, last;
    for (const Profile& p : ProfilesOf(0)) first.push_back(p.imageIndex);
    for (const Profile& p : ProfilesOf(1)) second.push_back(p.imageIndex);
    for (const Profile& p : ProfilesOf(11)) last.push_back(p.imageIndex);
    EXPECT_EQ(first, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(second, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(last, (std::vector<int>{22, 23, 24, 25}));
    for (int row = 2; row < 12; ++row)
        for (const Profile& p : ProfilesOf(row)) {
            EXPECT_GE(p.imageIndex, 20) << row;
            EXPECT_LE(p.imageIndex, 26) << row;
        }
}

TEST(LegacyCatalogue, OddlySpacedTitlesAreKept) {
    struct Case {
        int category, row;
        const char* title;
    };
    const Case cases[] = {
        {1, 2, "WAV - 波形音频格式(*.wav) "},
        {1, 11, "ALAC-Apple Lossless无损音频格式(*.alac) "},
        {6, 0, "3GPP -  第三代合作项目-3GP视频+AMR音频(*.3gp)"},
        {6, 1, "3GPP -  第三代合作项目-3GP视频+AAC音频(*.3gp)"},
        {6, 2, "3GPP2 -  第三代合作项目2-3G2视频+AMR音频(*.3g2))"},
        {6, 3, "3GPP2 -  第三代合作项目2-3G2视频+AAC音频(*.3g2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ProfileCode(c.category, c.row));
        const Profile* p = FindProfile(c.category, c.row);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(U8(p->title), U8(c.title));
    }
    // Every other title is tidy, so a stray blank from the transcription would show.
    for (int category = 0; category < 12; ++category)
        for (int row = 0; row < static_cast<int>(ProfilesOf(category).size()); ++row) {
            const int code = ProfileCode(category, row);
            const QString title = U8(FindProfile(category, row)->title);
            if (code == 202 || code == 211 || (code >= 700 && code <= 703)) continue;
            EXPECT_EQ(title, title.trimmed()) << code;
            EXPECT_FALSE(title.contains(QStringLiteral("  "))) << code;
        }
}

TEST(LegacyCatalogue, SomeTitlesAndDescriptionsStandExactly) {
    struct Case {
        int code;
        const char* title;
        const char* description;
    };
    const Case cases[] = {
        {100, "AVI - 音频视频交错格式(*.avi)", "AVI最常用的视频格式,语音和影像同步组合在一起的文件格式"},
        {105, "MKV - Matroska视频格式(*.mkv)", "Matroska是一种新的多媒体封装格式 ，有超清晰的画面，和完美的音质"},
        {212, "AMR-手机音频格式(*.amr)", "AMR是流行的手机数字音乐文件格式之一"},
        {303, "高清MPEG-4视频格式(*.mp4)", "高清MPEG-4视频格式)"},
        {907, "Xbox360 MCE 高清晰AVI视频(*.avi)", "为Xbox360优化的AVI视频预置方案.(高清晰)."},
        {1203, "SWF动画视频FLASH动画音频格式(*.swf)", "最常用的FLASH动画视频预置方案，动画格式为SWF文件(音频格式)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const Profile* p = FindProfile(c.code / 100 - 1, c.code % 100);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(U8(p->title), U8(c.title));
        EXPECT_EQ(U8(p->description), U8(c.description));
    }
}

TEST(LegacyCatalogue, DuplicateProfilesStayTwoRows) {
    auto profile = [](int code) { return FindProfile(code / 100 - 1, code % 100); };
    // Identical texts, told apart only by their row.
    for (auto [a, b] : {std::pair{901, 902}, std::pair{1003, 1004}}) {
        SCOPED_TRACE(a);
        EXPECT_NE(profile(a), profile(b));
        EXPECT_EQ(U8(profile(a)->title), U8(profile(b)->title));
        EXPECT_EQ(U8(profile(a)->description), U8(profile(b)->description));
    }
    // The same title with different descriptions.
    for (auto [a, b] : {std::pair{300, 301}, std::pair{710, 713}, std::pair{907, 908}, std::pair{908, 909}}) {
        SCOPED_TRACE(a);
        EXPECT_EQ(U8(profile(a)->title), U8(profile(b)->title));
        EXPECT_NE(U8(profile(a)->description), U8(profile(b)->description));
    }
    // Nothing else repeats a title.
    std::multiset<QString> titles;
    for (const Category& c : Categories())
        for (const Profile& p : c.profiles) titles.insert(U8(p.title));
    int repeats = 0;
    for (auto it = titles.begin(); it != titles.end(); it = titles.upper_bound(*it))
        repeats += static_cast<int>(titles.count(*it)) - 1;
    EXPECT_EQ(repeats, 6);  // 902, 1004, 301, 713, 908, 909
}

TEST(LegacyCatalogue, EveryTextIsValidUtf8AndNonEmpty) {
    for (const Category& c : Categories())
        for (const Profile& p : c.profiles) {
            for (const char* text : {p.title, p.description}) {
                const QString s = U8(text);
                EXPECT_FALSE(s.isEmpty());
                EXPECT_FALSE(s.contains(QChar::ReplacementCharacter)) << text;
                EXPECT_EQ(s.toUtf8(), QByteArray(text));
            }
        }
}
