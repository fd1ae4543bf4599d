// What the converter offers as output: 16 category rows, 140 profiles, each
// profile's conversion parameters and the items and defaults of its six option
// lists. Constant tables keyed by the profile code, with the lookups the main
// window and the tests use. Free of widgets, so tests of the engine can read
// the same tables the program runs on.
//
// Two codes name a profile. The profile code is (internal category + 1) * 100
// + profile row and keys every table here; the category-row code is
// (category row + 1) * 100 + profile row and is what a job row keeps, because
// it restores both lists directly. Category row 9, profile row 15: profile code
// 3215, category-row code 1015.
#pragma once

#include <QString>

#include <initializer_list>
#include <span>

namespace profiles {

constexpr int CategoryRowCount = 16;
constexpr int ProfileCount = 140;

// One row of the category list.
struct TCategoryRow {
    const char* Caption;   // UTF-8, as the list shows it
    int ImageIndex;        // picture of the category list's image list
    int InternalCategory;  // the profile group the row stands for
};

// One entry of a profile list. Texts are UTF-8.
struct TProfile {
    int Code;
    const char* Title;    // the item's first line; ends in "(*." extension ")"
    const char* Caption;  // the description under the title
};

// A profile's fixed conversion parameters, named after the job fields they
// fill. Every profile leaves the file format, video filters and copy-timestamp
// empty and the audio volume at "256": those stay at the job fields' reset and
// have no column. Bit rates are bits per second; -1 is the reset ("not given")
// and -1000 the disc targets' own rate.
struct TProfileParams {
    int Code;
    const char* NameExt;  // extension of the output name built for an added file
    const char* FileExt;  // the file-extension field; differs from NameExt for a few profiles
    const char* VideoCodec;
    const char* VideoTag;
    const char* FrameSize;
    int VideoBitrate;
    const char* FrameRate;
    const char* FrameAspectRatio;
    const char* AudioCodec;
    const char* AudioChannels;
    int AudioBitrate;
    const char* AudioSampleRate;
    bool DisableVideo;  // audio-only profile
    const char* TargetType;
    const char* NormType;
};

// The six option lists, in the order the lists are filled.
enum TOptionRole { orFrameSize, orVideoBitrate, orFrameRate, orAudioBitrate, orSampleRate, orAspectMode };
constexpr int OptionRoleCount = 6;

// The shared item lists. FS0, VB0, FR0 and AM0 are the placeholders that an
// audio-only profile shows in its video lists.
enum class TOptionListId : unsigned char {
    FS0, FS1, FS2, FS3, FS4, FS5, FS6, FS7, FS8, FS9, FS10, FS11, FS12, FS13, FS14,
    VB0, VB1, VB2, VB3, VB4, VB5, VB6, VB7, VB8, VB9, VB10, VB11, VB12, VB13, VB14, VB15, VB16, VB17, VB18,
    VB19, VB20, VB21, VB22, VB23,
    FR0, FR1, FR2, FR3, FR4, FR5,
    AB1, AB2, AB3, AB4, AB5,
    SR1, SR2, SR3, SR4, SR5, SR6,
    AM0, AM1, AM2,
};
constexpr int OptionListCount = 59;

struct TOptionList {
    TOptionListId Id;
    const char* Name;  // "FS7"
    TOptionRole Role;
    std::initializer_list<const char*> Items;  // UTF-8, position 0 first
};

struct TOptionCell {
    TOptionListId List;
    int Default;  // position selected when the list is filled
};

// The option lists one profile offers.
struct TOptionPreset {
    int Code;
    TOptionCell Cells[OptionRoleCount];  // indexed by TOptionRole
    bool VideoListsEnabled;              // false exactly for the audio-only profiles
};

// The whole tables.
std::span<const TCategoryRow> CategoryRows();           // in list order
std::span<const TProfile> Profiles();                   // by category row, then profile row
std::span<const TProfileParams> ProfileParamsTable();   // by category row, then profile row
std::span<const TOptionList> OptionLists();             // in TOptionListId order
std::span<const TOptionPreset> OptionPresets();         // by code

// The internal category of a category row; -1 for a row outside 0..15.
int InternalCategory(int categoryRow);
// The profile code of a list position; -1 when the category row has no
// internal category. A profile row of -1 (no selection) gives a code no table
// holds, as every other row past the category's end does.
int ProfileCode(int categoryRow, int profileRow);
int CategoryRowCode(int categoryRow, int profileRow);

// A category-row code split back into its rows, the hundreds truncated.
struct TListPosition {
    int CategoryRow;
    int ProfileRow;
};
TListPosition SplitCategoryRowCode(int categoryRowCode);

// The profiles a category row lists, in list order; empty outside 0..15.
std::span<const TProfile> ProfilesOfCategoryRow(int categoryRow);
// The picture of a profile-list item: the list alternates two pictures.
int ProfileImageIndex(int profileRow);

// Lookups by profile code; nullptr for a code without an entry.
const TProfile* FindProfile(int code);
const TProfileParams* FindProfileParams(int code);
const TOptionPreset* FindOptionPreset(int code);

const TOptionList& OptionList(TOptionListId id);
QString OptionItem(const TOptionList& list, int position);
// The item a preset's cell selects when the list is filled.
QString DefaultItem(const TOptionCell& cell);

// The output extension a profile's title names: the four characters before
// the closing bracket, with "flac", "aiff", "mpeg", "*.rm" and "*.ra" given
// their dot. A job row that already exists takes its extension from here.
QString ExtensionFromTitle(const QString& title);

} // namespace profiles
