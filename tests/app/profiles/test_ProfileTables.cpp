// The profile tables checked against the figures they must meet: sizes and
// counts, the codes the three tables share, the audio-only profiles seen from
// every table, the title rule over the whole catalogue, spot rows and the
// irregular entries that must stay as they are.
#include "app/profiles/OptionValues.h"
#include "app/profiles/ProfileTables.h"

#include <gtest/gtest.h>

#include <QSet>

#include <algorithm>
#include <set>
#include <vector>

using namespace profiles;

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

template <typename Rows>
std::set<int> CodesOf(const Rows& rows) {
    std::set<int> codes;
    for (const auto& r : rows) codes.insert(r.Code);
    return codes;
}

const std::set<int> kAudioOnly = {200,  201,  202,  203,  204,  205,  206,  207,  208,  209,  210,  211,  212, 1202,
                                  1203, 1505, 1506, 3000, 3001, 3002, 3003, 3100, 3101, 3102, 3103, 3215, 3312};

bool IsPlaceholderList(TOptionListId id) {
    return id == TOptionListId::FS0 || id == TOptionListId::VB0 || id == TOptionListId::FR0 ||
           id == TOptionListId::AM0;
}

} // namespace

TEST(ProfileTables, SizesAndSharedCodes) {
    EXPECT_EQ(CategoryRows().size(), 16u);
    EXPECT_EQ(Profiles().size(), 140u);
    EXPECT_EQ(ProfileParamsTable().size(), 140u);
    EXPECT_EQ(OptionPresets().size(), 140u);
    EXPECT_EQ(OptionLists().size(), 59u);

    // No code twice, and the three tables keyed by code hold the same codes.
    const auto codes = CodesOf(Profiles());
    EXPECT_EQ(codes.size(), 140u);
    EXPECT_EQ(CodesOf(ProfileParamsTable()), codes);
    EXPECT_EQ(CodesOf(OptionPresets()), codes);
}

TEST(ProfileTables, CategoryRows) {
    struct Row {
        const char* caption;
        int image, category, count;
    };
    const Row kRows[] = {
        {"MP3音频", 52, 29, 4},  {"MP4视频", 10, 10, 5},  {"通用音频", 1, 1, 13},  {"WAV音频", 50, 30, 4},
        {"H264视频", 45, 26, 4}, {"AVI视频", 13, 15, 7},  {"WMV视频", 30, 17, 7},  {"MKV视频", 14, 16, 7},
        {"经典视频", 40, 0, 15}, {"智能手机", 41, 31, 16}, {"平板电脑", 42, 32, 13}, {"智能电视", 43, 33, 12},
        {"Flash视频", 11, 11, 4}, {"iPad视频", 15, 12, 11}, {"MPG视频", 18, 13, 11}, {"SWF视频", 19, 14, 7},
    };
    int total = 0;
    for (int row = 0; row < 16; ++row) {
        SCOPED_TRACE(row);
        const Row& want = kRows[row];
        const TCategoryRow& got = CategoryRows()[row];
        EXPECT_EQ(U(got.Caption), U(want.caption));
        EXPECT_EQ(got.ImageIndex, want.image);
        EXPECT_EQ(InternalCategory(row), want.category);

        // A category's profiles run from (category + 1) * 100 without gaps; the
        // list position gives both codes.
        const auto list = ProfilesOfCategoryRow(row);
        ASSERT_EQ(static_cast<int>(list.size()), want.count);
        for (int i = 0; i < want.count; ++i) {
            EXPECT_EQ(list[i].Code, (want.category + 1) * 100 + i);
            EXPECT_EQ(ProfileCode(row, i), list[i].Code);
            EXPECT_EQ(CategoryRowCode(row, i), (row + 1) * 100 + i);
            const TListPosition back = SplitCategoryRowCode(CategoryRowCode(row, i));
            EXPECT_EQ(back.CategoryRow, row);
            EXPECT_EQ(back.ProfileRow, i);
            EXPECT_EQ(FindProfile(list[i].Code), &list[i]);
        }
        total += want.count;
    }
    EXPECT_EQ(total, 140);
    // The catalogue lists the categories in category-row order.
    EXPECT_EQ(ProfilesOfCategoryRow(0).data(), Profiles().data());
}

TEST(ProfileTables, ProfileCodeAgainstCategoryRowCode) {
    EXPECT_EQ(ProfileCode(9, 15), 3215);
    EXPECT_EQ(CategoryRowCode(9, 15), 1015);
    const TListPosition pos = SplitCategoryRowCode(1015);
    EXPECT_EQ(pos.CategoryRow, 9);
    EXPECT_EQ(pos.ProfileRow, 15);
    EXPECT_EQ(U(FindProfile(3215)->Title), U("手机MP3格式音频(*.mp3)"));
    EXPECT_EQ(ProfileCode(0, 0), 3000);
    EXPECT_EQ(CategoryRowCode(0, 0), 100);
}

TEST(ProfileTables, PositionsWithoutProfile) {
    // No selected profile: a code below the category's first, in no table.
    EXPECT_EQ(ProfileCode(0, -1), 2999);
    EXPECT_EQ(FindProfile(2999), nullptr);
    EXPECT_EQ(FindProfileParams(2999), nullptr);
    EXPECT_EQ(FindOptionPreset(2999), nullptr);
    // Past the end of a category.
    EXPECT_EQ(FindOptionPreset(ProfileCode(0, 4)), nullptr);
    // A category row outside the list maps to nothing.
    for (int row : {-1, 16, 100}) {
        EXPECT_EQ(InternalCategory(row), -1);
        EXPECT_EQ(ProfileCode(row, 0), -1);
        EXPECT_TRUE(ProfilesOfCategoryRow(row).empty());
    }
    EXPECT_EQ(FindProfileParams(-1), nullptr);
}

TEST(ProfileTables, ProfileItemPictures) {
    for (int row = 0; row < 16; ++row) EXPECT_EQ(ProfileImageIndex(row), row % 2) << row;
}

TEST(ProfileTables, CatalogueSpotEntries) {
    struct Entry {
        int code;
        const char* title;
        const char* caption;
    };
    // First and last of the catalogue, and entries whose texts break the pattern
    // of their neighbours (blanks, full stops, full-width commas).
    const Entry kEntries[] = {
        {3000, "高清晰MP3音频格式(*.mp3)", "MP3音频格式，可以转换高清晰的MP3音频格式"},
        {3001, "高压缩MP3音频格式(*.mp3)", "MP3 音频格式，可以转换高压缩的MP3音频格式"},
        {105, "MKV - Matroska视频格式(*.mkv)", "Matroska是一种新的多媒体封装格式 ，有超清晰的画面，和完美的音质"},
        {113, "VCD - 视频格式(*.mpg)", "可以在VCD机上直接播放,也可以在配置了光驱的电脑中播放。"},
        {1302, "iPad MPEG-4视频格式 XviD编码 (*.mp4)", "为iPad优化的MPEG-4视频预置方案.(XviD视频编码)"},
        {210, "FLAC-音频格式(*.flac)", "FLAC是一套著名的无损压缩编码,所以还原CD音乐光盘音质"},
        {1506, "FLV在线网络音频格式(*.flv)", "在线视频网站常用的视频预置方案如(优酷、酷六、土豆网)(音频格式)"},
    };
    for (const Entry& e : kEntries) {
        const TProfile* p = FindProfile(e.code);
        ASSERT_NE(p, nullptr) << e.code;
        EXPECT_EQ(U(p->Title), U(e.title)) << e.code;
        EXPECT_EQ(U(p->Caption), U(e.caption)) << e.code;
    }
    EXPECT_EQ(Profiles().back().Code, 1506);

    // Titles repeat across categories; codes tell the profiles apart.
    for (auto [a, b] : {std::pair{3203, 3403}, {3206, 3308}, {1200, 1504}, {1202, 1506}, {1203, 1505}})
        EXPECT_STREQ(FindProfile(a)->Title, FindProfile(b)->Title) << a << " " << b;
    std::set<QString> titles;
    for (const TProfile& p : Profiles()) titles.insert(U(p.Title));
    EXPECT_EQ(titles.size(), 135u);
}

TEST(ProfileTables, ExtensionFromTitle) {
    const std::pair<const char*, const char*> kCases[] = {
        {"RA - RealAudio音频格式(*.ra)", ".ra"},
        {"RM - REAL视频格式(*.rm)", ".rm"},
        {"FLAC-音频格式(*.flac)", ".flac"},
        {"AIFF - 音频交换文件格式(*.aiff)", ".aiff"},
        {"MP4-MP4音频格式(*.m4a)", ".m4a"},
        {"iPad MPEG-4视频格式 XviD编码 (*.mp4)", ".mp4"},
        {"高清晰MP3音频格式(*.mp3)", ".mp3"},
        {"some clip(*.mpeg)", ".mpeg"},
        {"x", ""},
        {"", ""},
    };
    for (auto [title, ext] : kCases) EXPECT_EQ(ExtensionFromTitle(U(title)), U(ext)) << title;

    // Over the catalogue the rule yields these 23 extensions.
    std::set<QString> seen;
    for (const TProfile& p : Profiles()) seen.insert(ExtensionFromTitle(U(p.Title)));
    const std::set<QString> kExts = {".mp3", ".wma", ".wav", ".aac", ".m4a", ".ogg", ".ra",  ".ac3",
                                     ".aiff", ".mp2", ".flac", ".amr", ".mp4", ".avi", ".mov", ".mkv",
                                     ".mpg", ".asf", ".3gp", ".wmv", ".rm",  ".flv", ".swf"};
    EXPECT_EQ(seen, kExts);
}

TEST(ProfileTables, TitleExtensionMatchesOutputName) {
    // The title names the same extension as the parameters' output name, except
    // 3200 and 3400, whose added files are named ".avi" under ".mp4" titles.
    for (const TProfile& p : Profiles()) {
        const TProfileParams* params = FindProfileParams(p.Code);
        ASSERT_NE(params, nullptr) << p.Code;
        const QString fromTitle = ExtensionFromTitle(U(p.Title));
        if (p.Code == 3200 || p.Code == 3400) {
            EXPECT_EQ(fromTitle, ".mp4");
            EXPECT_STREQ(params->NameExt, ".avi");
            EXPECT_STREQ(params->FileExt, ".avi");
        } else {
            EXPECT_EQ(fromTitle, U(params->NameExt)) << p.Code;
        }
    }
}

TEST(ProfileTables, AudioOnlyProfilesAgree) {
    // Seen from the parameters, from the option lists' enabled state and from
    // the placeholder lists, the same 27 profiles carry no video.
    std::set<int> byParams, byEnabled, byPlaceholders, usingAnyPlaceholder;
    for (const TProfileParams& p : ProfileParamsTable())
        if (p.DisableVideo) byParams.insert(p.Code);
    for (const TOptionPreset& row : OptionPresets()) {
        if (!row.VideoListsEnabled) byEnabled.insert(row.Code);
        const TOptionRole video[] = {orFrameSize, orVideoBitrate, orFrameRate, orAspectMode};
        bool all = true;
        for (TOptionRole r : video) all = all && IsPlaceholderList(row.Cells[r].List) && row.Cells[r].Default == 0;
        if (all) byPlaceholders.insert(row.Code);
        for (const TOptionCell& c : row.Cells)
            if (IsPlaceholderList(c.List)) usingAnyPlaceholder.insert(row.Code);
        // The audio lists of an audio-only row are ordinary lists.
        EXPECT_FALSE(IsPlaceholderList(row.Cells[orAudioBitrate].List));
        EXPECT_FALSE(IsPlaceholderList(row.Cells[orSampleRate].List));
    }
    EXPECT_EQ(byParams, kAudioOnly);
    EXPECT_EQ(byEnabled, kAudioOnly);
    EXPECT_EQ(byPlaceholders, kAudioOnly);
    EXPECT_EQ(usingAnyPlaceholder, kAudioOnly);
}

TEST(ProfileTables, ParameterSpotRows) {
    for (int code : kAudioOnly) {
        SCOPED_TRACE(code);
        const TProfileParams& p = *FindProfileParams(code);
        EXPECT_EQ(p.VideoBitrate, -1);
        for (const char* s : {p.VideoCodec, p.VideoTag, p.FrameSize, p.FrameRate, p.FrameAspectRatio})
            EXPECT_STREQ(s, "");
    }

    // The disc targets: their own rates, PAL, nothing else.
    const std::pair<int, const char*> kDiscs[] = {{111, "dvd"},  {1408, "dvd"}, {112, "svcd"},
                                                   {1409, "svcd"}, {113, "vcd"},  {1410, "vcd"}};
    std::set<int> targets;
    for (const TProfileParams& p : ProfileParamsTable())
        if (*p.TargetType || *p.NormType) targets.insert(p.Code);
    EXPECT_EQ(targets, (std::set<int>{111, 112, 113, 1408, 1409, 1410}));
    for (auto [code, target] : kDiscs) {
        SCOPED_TRACE(code);
        const TProfileParams& p = *FindProfileParams(code);
        EXPECT_STREQ(p.TargetType, target);
        EXPECT_STREQ(p.NormType, "PAL");
        EXPECT_EQ(p.VideoBitrate, -1000);
        EXPECT_EQ(p.AudioBitrate, -1000);
        EXPECT_FALSE(p.DisableVideo);
        EXPECT_STREQ(p.NameExt, ".mpg");
        for (const char* s : {p.FileExt, p.VideoCodec, p.VideoTag, p.FrameSize, p.FrameRate, p.FrameAspectRatio,
                              p.AudioCodec, p.AudioChannels, p.AudioSampleRate})
            EXPECT_STREQ(s, "");
    }

    const TProfileParams& rm = *FindProfileParams(114);
    EXPECT_STREQ(rm.VideoCodec, "rv20");
    EXPECT_STREQ(rm.FrameSize, "320*240");
    EXPECT_EQ(rm.VideoBitrate, -1);
    EXPECT_EQ(rm.AudioBitrate, -1);
    EXPECT_STREQ(rm.NameExt, ".rm");
    for (const char* s : {rm.FileExt, rm.AudioCodec, rm.AudioChannels, rm.AudioSampleRate, rm.FrameRate})
        EXPECT_STREQ(s, "");

    const TProfileParams& ra = *FindProfileParams(206);
    EXPECT_STREQ(ra.NameExt, ".ra");
    EXPECT_STREQ(ra.FileExt, ".rm");

    // Where the file-extension field differs from the output name's extension.
    std::set<int> differ;
    for (const TProfileParams& p : ProfileParamsTable())
        if (QByteArray(p.FileExt) != QByteArray(p.NameExt)) differ.insert(p.Code);
    EXPECT_EQ(differ, (std::set<int>{206, 111, 112, 113, 114, 1202, 1203, 1408, 1409, 1410, 1505, 1506}));

    const TProfileParams& mobile = *FindProfileParams(109);
    EXPECT_STREQ(mobile.VideoCodec, "mpeg4");
    EXPECT_STREQ(mobile.FrameSize, "176*144");
    EXPECT_EQ(mobile.VideoBitrate, 128000);
    EXPECT_STREQ(mobile.FrameRate, "12");
    EXPECT_STREQ(mobile.FrameAspectRatio, "4:3");
    EXPECT_STREQ(mobile.AudioCodec, "libfaac");
    EXPECT_STREQ(mobile.AudioChannels, "1");
    EXPECT_EQ(mobile.AudioBitrate, 12000);
    EXPECT_STREQ(mobile.AudioSampleRate, "8000");

    const TProfileParams& amr = *FindProfileParams(212);
    EXPECT_STREQ(amr.AudioCodec, "libopencore_amrnb");
    EXPECT_EQ(amr.AudioBitrate, 7400);
    EXPECT_STREQ(amr.AudioSampleRate, "8000");
}

TEST(OptionTables, ListsMatchTheirIdsAndSizes) {
    // Item counts per role, lists in id order.
    const std::vector<std::pair<TOptionRole, std::vector<int>>> kCounts = {
        {orFrameSize, {1, 28, 11, 19, 14, 17, 11, 28, 27, 27, 25, 15, 18, 28, 10}},
        {orVideoBitrate, {1, 8, 9, 9, 15, 9, 12, 12, 13, 12, 12, 8, 16, 11, 9, 9, 11, 10, 11, 11, 9, 10, 11, 1}},
        {orFrameRate, {1, 12, 7, 6, 4, 10}},
        {orAudioBitrate, {17, 6, 8, 5, 8}},
        {orSampleRate, {6, 1, 3, 5, 4, 7}},
        {orAspectMode, {1, 5, 2}},
    };
    const char* kPrefix[] = {"FS", "VB", "FR", "AB", "SR", "AM"};
    const int kFirst[] = {0, 0, 0, 1, 1, 0};
    int index = 0;
    for (const auto& [role, counts] : kCounts) {
        for (size_t n = 0; n < counts.size(); ++n, ++index) {
            const TOptionList& list = OptionLists()[index];
            const QString name = QStringLiteral("%1%2").arg(kPrefix[role]).arg(kFirst[role] + int(n));
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(static_cast<int>(list.Id), index);
            EXPECT_EQ(&OptionList(list.Id), &list);
            EXPECT_EQ(QString::fromLatin1(list.Name), name);
            EXPECT_EQ(list.Role, role);
            EXPECT_EQ(static_cast<int>(list.Items.size()), counts[n]);
        }
    }
    EXPECT_EQ(index, 59);
}

// A disc's video bit rate: a VCD shows its standard's fixed rate, the only
// one its encoder takes; the other discs show a rate of their list.
TEST(OptionTables, DiscProfilesShowTheVideoBitRateTheyRunWith) {
    const std::pair<int, const char*> kDiscs[] = {{111, "1200 kbps"}, {112, "528 kbps"}, {113, "1150 kbps"},
                                                 {1408, "1200 kbps"}, {1409, "528 kbps"}, {1410, "1150 kbps"}};
    for (const auto& [code, shown] : kDiscs) {
        SCOPED_TRACE(code);
        const TOptionCell& cell = FindOptionPreset(code)->Cells[orVideoBitrate];
        EXPECT_EQ(DefaultItem(cell), QString::fromUtf8(shown));
        if (QLatin1String(FindProfileParams(code)->TargetType) == QLatin1String("vcd")) {
            EXPECT_EQ(OptionList(cell.List).Items.size(), 1u) << "no other rate to pick";
        }
    }
}

TEST(OptionTables, EveryRowSelectsInsideItsLists) {
    for (const TOptionPreset& row : OptionPresets()) {
        for (int r = 0; r < OptionRoleCount; ++r) {
            SCOPED_TRACE(testing::Message() << row.Code << " role " << r);
            const TOptionCell& cell = row.Cells[r];
            const TOptionList& list = OptionList(cell.List);
            EXPECT_EQ(list.Role, r);  // a list serves only its own role
            EXPECT_GE(cell.Default, 0);
            EXPECT_LT(cell.Default, static_cast<int>(list.Items.size()));
            EXPECT_GE(list.Items.size(), 1u);
            EXPECT_LE(list.Items.size(), 28u);  // a position fits two digits
        }
    }
    EXPECT_THROW(OptionItem(OptionList(TOptionListId::SR2), 1), std::out_of_range);
    EXPECT_THROW(OptionItem(OptionList(TOptionListId::SR2), -1), std::out_of_range);
}

TEST(OptionTables, EveryItemHasAValue) {
    // The texts the lists offer are all texts the value rules read.
    for (const TOptionList& list : OptionLists()) {
        for (int i = 0; i < static_cast<int>(list.Items.size()); ++i) {
            const QString text = OptionItem(list, i);
            SCOPED_TRACE(text.toStdString());
            switch (list.Role) {
            case orVideoBitrate:
                EXPECT_NO_THROW(VideoBitrateValue(text));
                break;
            case orAudioBitrate:
                EXPECT_GT(AudioBitrateValue(text), 0);
                break;
            case orAspectMode:
                EXPECT_TRUE(AspectModeValue(text).has_value());
                break;
            case orSampleRate:
                EXPECT_GT(text.toInt(), 0);
                break;
            case orFrameSize:
                EXPECT_TRUE(FrameSizeValue(text).isEmpty() || text.contains('*'));
                break;
            case orFrameRate:
                EXPECT_TRUE(FrameRateValue(text).isEmpty() || text.toDouble() > 0);
                break;
            }
        }
    }
}

TEST(OptionTables, DefaultsOfSpotRows) {
    struct Spot {
        int code;
        const char* texts[OptionRoleCount];  // frame size, video bitrate, frame rate, audio bitrate, sample rate, aspect
        bool enabled;
    };
    const Spot kSpots[] = {
        {3000, {"该格式无视频", "无视频", "无视频", "192 kbps", "48000", "无视频"}, false},
        {109, {"176*144", "128 kbps", "12", "12 kbps", "8000", "保持原视频模式"}, true},
        {212, {"该格式无视频", "无视频", "无视频", "7.4 kbps", "8000", "无视频"}, false},
        {3401, {"3840*2160", "1200 kbps", "30.00", "128 kbps", "48000", "保持原视频模式"}, true},
        {3302, {"保持原分辨率", "1200 kbps", "保持原帧速率", "128 kbps", "48000", "宽屏视频16:9模式"}, true},
        {3307, {"保持原分辨率", "1200 kbps", "29.97", "128 kbps", "48000", "宽屏视频16:9模式"}, true},
        {100, {"保持原分辨率", "816 kbps", "25.00", "128 kbps", "44100", "保持原视频模式"}, true},
        {101, {"保持原分辨率", "768 kbps", "25.00", "128 kbps", "44100", "保持原视频模式"}, true},
        {1300, {"保持原分辨率", "1200 kbps", "30.00", "128 kbps", "32000", "保持原视频模式"}, true},
        {1307, {"保持原分辨率", "768 kbps", "25.00", "128 kbps", "48000", "保持原视频模式"}, true},
    };
    for (const Spot& s : kSpots) {
        const TOptionPreset* row = FindOptionPreset(s.code);
        ASSERT_NE(row, nullptr) << s.code;
        for (int r = 0; r < OptionRoleCount; ++r)
            EXPECT_EQ(DefaultItem(row->Cells[r]), U(s.texts[r])) << s.code << " role " << r;
        EXPECT_EQ(row->VideoListsEnabled, s.enabled) << s.code;
    }

    // Start-up shows "192 kbps" and "48000" at their positions.
    const TOptionPreset& start = *FindOptionPreset(3000);
    EXPECT_EQ(start.Cells[orAudioBitrate].List, TOptionListId::AB1);
    EXPECT_EQ(start.Cells[orAudioBitrate].Default, 13);
    EXPECT_EQ(start.Cells[orSampleRate].Default, 5);
    // 3401 selects the last item of its frame-size list.
    const TOptionPreset& tv = *FindOptionPreset(3401);
    EXPECT_EQ(tv.Cells[orFrameSize].Default, 17);
    EXPECT_EQ(OptionList(tv.Cells[orFrameSize].List).Items.size(), 18u);
    // 1300 and 1307 show the same audio bitrate at different positions.
    EXPECT_EQ(FindOptionPreset(1300)->Cells[orAudioBitrate].Default, 2);
    EXPECT_EQ(FindOptionPreset(1307)->Cells[orAudioBitrate].Default, 10);

    // Only 3302 and 3307 open on a wide aspect; every other row with video
    // keeps the source's.
    for (const TOptionPreset& row : OptionPresets()) {
        if (!row.VideoListsEnabled) continue;
        const bool wide = row.Code == 3302 || row.Code == 3307;
        EXPECT_EQ(DefaultItem(row.Cells[orAspectMode]), wide ? U("宽屏视频16:9模式") : U("保持原视频模式"))
            << row.Code;
    }
}

TEST(OptionTables, IrregularItemsStayAsTheyAre) {
    const auto item = [](TOptionListId id, int i) { return OptionItem(OptionList(id), i); };
    using enum TOptionListId;
    // FS7 is FS1 with "1920*1200" twice where FS1 has "1920*1440".
    EXPECT_EQ(item(FS7, 24), "1920*1200");
    EXPECT_EQ(item(FS7, 25), "1920*1200");
    EXPECT_EQ(item(FS1, 25), "1920*1440");
    for (int i = 0; i < 28; ++i) {
        if (i != 25) {
            EXPECT_EQ(item(FS7, i), item(FS1, i)) << i;
        }
    }
    for (TOptionListId id : {FS8, FS10, FS13}) {
        const TOptionList& list = OptionList(id);
        EXPECT_EQ(item(id, 2), "176*144") << list.Name;
        EXPECT_EQ(item(id, 3), "160*120") << list.Name;
        EXPECT_EQ(item(id, 11), "640*353") << list.Name;
    }
    EXPECT_EQ(item(FS11, 0), "640*480");
    EXPECT_EQ(item(FR1, 7), "23.97");
    EXPECT_EQ(item(FR3, 1), "23.98");
    EXPECT_EQ(item(FR5, 5), "23.98");
    EXPECT_EQ(item(AB5, 5), "112 kbps");
    EXPECT_EQ(item(AB5, 6), "116 kbps");
    EXPECT_EQ(item(AB5, 7), "128 kbps");
    EXPECT_EQ(OptionList(SR2).Items.size(), 1u);
    EXPECT_EQ(item(SR2, 0), "8000");
    EXPECT_EQ(item(FS0, 0), U("该格式无视频"));
    for (TOptionListId id : {VB0, FR0, AM0}) {
        EXPECT_EQ(OptionList(id).Items.size(), 1u);
        EXPECT_EQ(item(id, 0), U("无视频"));
    }
}
