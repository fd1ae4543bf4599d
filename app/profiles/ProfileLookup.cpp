// Lookups over the profile tables. The tables are small (140 rows), so a scan
// is all a lookup needs.
#include "app/profiles/ProfileTables.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace profiles {

namespace {

template <typename Row>
const Row* FindByCode(std::span<const Row> rows, int code) {
    const auto it = std::find_if(rows.begin(), rows.end(), [code](const Row& r) { return r.Code == code; });
    return it == rows.end() ? nullptr : &*it;
}

} // namespace

int InternalCategory(int categoryRow) {
    if (categoryRow < 0 || categoryRow >= CategoryRowCount) return -1;
    return CategoryRows()[categoryRow].InternalCategory;
}

int ProfileCode(int categoryRow, int profileRow) {
    const int category = InternalCategory(categoryRow);
    return category < 0 ? -1 : (category + 1) * 100 + profileRow;
}

int CategoryRowCode(int categoryRow, int profileRow) { return (categoryRow + 1) * 100 + profileRow; }

TListPosition SplitCategoryRowCode(int categoryRowCode) {
    const int k = categoryRowCode / 100;
    return {k - 1, categoryRowCode - 100 * k};
}

std::span<const TProfile> ProfilesOfCategoryRow(int categoryRow) {
    const int category = InternalCategory(categoryRow);
    if (category < 0) return {};
    const int hundreds = category + 1;
    const auto all = Profiles();
    const auto first =
        std::find_if(all.begin(), all.end(), [hundreds](const TProfile& p) { return p.Code / 100 == hundreds; });
    const auto last =
        std::find_if(first, all.end(), [hundreds](const TProfile& p) { return p.Code / 100 != hundreds; });
    return {first, last};
}

int ProfileImageIndex(int profileRow) { return profileRow % 2; }

const TProfile* FindProfile(int code) { return FindByCode(Profiles(), code); }

const TProfileParams* FindProfileParams(int code) { return FindByCode(ProfileParamsTable(), code); }

const TOptionPreset* FindOptionPreset(int code) { return FindByCode(OptionPresets(), code); }

const TOptionList& OptionList(TOptionListId id) { return OptionLists()[static_cast<int>(id)]; }

QString OptionItem(const TOptionList& list, int position) {
    if (position < 0 || position >= static_cast<int>(list.Items.size()))
        throw std::out_of_range("no item " + std::to_string(position) + " in option list " + list.Name);
    return QString::fromUtf8(list.Items.begin()[position]);
}

QString DefaultItem(const TOptionCell& cell) { return OptionItem(OptionList(cell.List), cell.Default); }

QString ExtensionFromTitle(const QString& title) {
    // The title ends in "(*.ext)": the four characters before the bracket are
    // the extension for three-letter ones and lack the dot for longer ones.
    const QString four = title.left(title.size() - 1).right(4);
    static const char* const kKeys[][2] = {
        {"flac", ".flac"}, {"aiff", ".aiff"}, {"mpeg", ".mpeg"}, {"*.rm", ".rm"}, {"*.ra", ".ra"},
    };
    for (const auto& key : kKeys)
        if (four == QLatin1String(key[0])) return QString::fromLatin1(key[1]);
    return four;
}

} // namespace profiles
