// The settings dialog's own profile tables: its catalogue of 12 categories and
// 109 profiles, the items and defaults of its six option lists per profile, and
// the conversion parameters per profile. They are kept apart from the main
// window's tables on purpose: the two sets differ in places (codecs, bitrates,
// frame-rate texts, extensions), and each dialog must show its own.
//
// A profile code is (category row + 1) * 100 + profile row; the presets and the
// parameters are keyed by it. Texts are UTF-8.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <type_traits>

namespace legacy {

// ---- catalogue

struct Profile {
    const char* title;  // bold first line of the profile list's item
    int imageIndex;     // stored in the item; the profile list has no image list
    const char* description;
};

struct Category {
    const char* caption;
    int imageIndex;  // into the dialog's 12 category icons
    std::span<const Profile> profiles;
};

constexpr int ProfileCode(int categoryRow, int profileRow) { return (categoryRow + 1) * 100 + profileRow; }

// The 12 categories in category-list order.
std::span<const Category> Categories();
// nullptr outside rows 0..11.
const Category* FindCategory(int categoryRow);
// Empty outside rows 0..11, so filling the profile list for such a row leaves it empty.
std::span<const Profile> ProfilesOf(int categoryRow);
const Profile* FindProfile(int categoryRow, int profileRow);

// ---- option-list presets

// The six option lists in the order they are filled.
enum class Option { FrameSize, VideoBitrate, FrameRate, AudioBitrate, SampleRate, AspectMode };
constexpr int kOptionCount = 6;
constexpr std::array<Option, kOptionCount> kOptions{Option::FrameSize,    Option::VideoBitrate,
                                                    Option::FrameRate,    Option::AudioBitrate,
                                                    Option::SampleRate,   Option::AspectMode};

// An option list's items in the order they are appended (the lists are not sorted).
using Items = std::span<const char* const>;

struct OptionPreset {
    Items items;
    int defaultIndex;  // always inside items
};

struct Preset {
    int code;
    std::array<OptionPreset, kOptionCount> options;  // indexed by Option
    // The four video lists hold one placeholder item each and end disabled.
    bool audioOnly;

    const OptionPreset& operator[](Option option) const { return options[static_cast<int>(option)]; }
};

// 109 entries in code order.
std::span<const Preset> Presets();
// nullptr for a code without an entry (such as 99, from an unselected profile list).
const Preset* FindPreset(int code);
// The distinct item lists that the presets share, per option list.
std::span<const Items> ItemLists(Option option);

// ---- conversion parameters

// What a parameter row does to one field.
enum class CellState : std::uint8_t {
    Untouched,  // the field keeps what its last writer left there
    Empty,      // the field is written with the empty text
    Value,      // the field is written with the cell's value
};

struct UntouchedCell {};
struct EmptyCell {};

template <class T>
struct Cell {
    CellState state;
    T value;

    constexpr Cell(UntouchedCell) : state(CellState::Untouched), value{} {}
    // Only texts can be written empty.
    constexpr Cell(EmptyCell)
        requires(!std::is_arithmetic_v<T>)
        : state(CellState::Empty), value{} {}
    constexpr Cell(T v) : state(CellState::Value), value(v) {}
};

using TextCell = Cell<const char*>;
// Integer fields are never written empty: a cell holds a value or leaves the field.
using IntCell = Cell<std::int32_t>;

struct ParameterRow {
    int code;
    const char* nameExtension;  // given to the output file name; may differ from FileExt
    TextCell fileExt;
    TextCell videoCodec;
    TextCell videoTag;
    TextCell frameRate;
    TextCell frameAspectRatio;
    TextCell frameSize;
    IntCell videoBitrate;  // bit/s; -1000: none is passed
    TextCell audioCodec;
    TextCell audioChannels;
    TextCell audioSampleRate;
    IntCell audioBitrate;  // bit/s; -1000: none is passed
    TextCell normType;
    TextCell targetType;
    TextCell fileFormat;
    TextCell audioVolume;
    TextCell videoFilters;
    TextCell copyTimestamp;
    bool audioOnly;  // sets Video_DisableVideo
};

// 109 rows in code order.
std::span<const ParameterRow> ParameterRows();
// nullptr for a code without a row.
const ParameterRow* FindParameterRow(int code);

}  // namespace legacy
