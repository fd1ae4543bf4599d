// The raw tables behind app/legacy/LegacyTables.h; only the lookup code uses these.
#pragma once

#include "app/legacy/LegacyTables.h"

namespace legacy::data {

std::span<const Category> CategoryTable();
std::span<const Preset> PresetTable();
std::span<const Items> ItemListTable(Option option);
std::span<const ParameterRow> ParameterTable();

}  // namespace legacy::data
