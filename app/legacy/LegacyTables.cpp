#include "app/legacy/LegacyTables.h"

#include "app/legacy/data/LegacyData.h"

#include <algorithm>

namespace legacy {

namespace {

// Both keyed tables are in code order.
template <class Row>
const Row* FindByCode(std::span<const Row> rows, int code) {
    auto it = std::lower_bound(rows.begin(), rows.end(), code,
                               [](const Row& row, int key) { return row.code < key; });
    return it != rows.end() && it->code == code ? &*it : nullptr;
}

}  // namespace

std::span<const Category> Categories() { return data::CategoryTable(); }

const Category* FindCategory(int categoryRow) {
    const auto categories = Categories();
    if (categoryRow < 0 || categoryRow >= static_cast<int>(categories.size())) return nullptr;
    return &categories[categoryRow];
}

std::span<const Profile> ProfilesOf(int categoryRow) {
    const Category* category = FindCategory(categoryRow);
    return category ? category->profiles : std::span<const Profile>{};
}

const Profile* FindProfile(int categoryRow, int profileRow) {
    const auto profiles = ProfilesOf(categoryRow);
    if (profileRow < 0 || profileRow >= static_cast<int>(profiles.size())) return nullptr;
    return &profiles[profileRow];
}

std::span<const Preset> Presets() { return data::PresetTable(); }

const Preset* FindPreset(int code) { return FindByCode(Presets(), code); }

std::span<const Items> ItemLists(Option option) { return data::ItemListTable(option); }

std::span<const ParameterRow> ParameterRows() { return data::ParameterTable(); }

const ParameterRow* FindParameterRow(int code) { return FindByCode(ParameterRows(), code); }

}  // namespace legacy
