// The main window's profile panel without widgets: the category and profile
// lists, the six option lists and the selected job row, with the handlers that
// tie them together, each running the next synchronously by the lists' own
// rules. The category and profile lists run their change handler on every
// index write, also of the same index; an option list runs its change handler
// only when its text changes.
//
// This is the panel's one chain: the window runs it and shows its state in
// the widgets, a new job's row is computed with a copy of it, and the tests
// of the chains run on it. A window may run each step through a control of
// its own by overriding the step.
#pragma once

#include "app/jobs/JobFields.h"
#include "app/jobs/JobOptions.h"
#include "app/jobs/JobRecords.h"
#include "app/jobs/JobRow.h"
#include "app/jobs/ProfileParameters.h"
#include "app/profiles/ProfileTables.h"

#include <QString>

#include <array>
#include <functional>
#include <span>

namespace jobs {

class TProfilePanel {
public:
    // One option list: its items (none while List is null), the selected
    // position (-1 for none), the text it shows and whether it is enabled.
    struct TOptionBox {
        const profiles::TOptionList* List = nullptr;
        int ItemIndex = -1;
        QString Text;
        bool Enabled = true;
        int Count() const { return List ? static_cast<int>(List->Items.size()) : 0; }
    };

    // As start-up leaves it: category row 0 with its first profile and that
    // profile's option lists; no row selected.
    explicit TProfilePanel(QString folderText = QString(), TFreeOutputName freeName = nullptr);
    TProfilePanel(const TProfilePanel&) = default;
    TProfilePanel& operator=(const TProfilePanel&) = default;
    virtual ~TProfilePanel() = default;

    int CategoryRow() const { return FCategoryRow; }
    int ProfileRow() const { return FProfileRow; }
    std::span<const profiles::TProfile> ProfileItems() const { return FProfiles; }
    int ProfileCode() const { return profiles::ProfileCode(FCategoryRow, FProfileRow); }
    const TOptionBox& Box(TOptionRole role) const { return FBoxes[role]; }
    TOptionIndexes Indexes() const;
    TOptionTexts Texts() const;

    TJobFields& Fields() { return FFields; }
    const TJobFields& Fields() const { return FFields; }

    TJobRow* Selected() const { return FSelected; }
    // Changes the selection without running the selection's restore.
    void SetSelected(TJobRow* row) { FSelected = row; }

    const QString& FolderText() const { return FFolderText; }
    void SetFolderText(const QString& text) { FFolderText = text; }
    void SetFreeOutputName(TFreeOutputName rule) { FFreeName = std::move(rule); }

    // Called each time an option list's change handler runs.
    std::function<void(TOptionRole)> OptionChanged;

    // Index writes as the lists take them. A category or profile row past the
    // end is stored, then throws the list-index error before any handler runs.
    void SetCategoryIndex(int row);
    void SetProfileIndex(int row);
    void SetOptionIndex(TOptionRole role, int index);
    // A list moved to another item of the text it shows: no handler runs, the
    // position is only noted (the add writes the lists' positions).
    void NoteOptionIndex(TOptionRole role, int index);

    // How often each fill ran, so a view knows when to take new items.
    int ProfileFills() const { return FProfileFills; }
    int OptionFills() const { return FOptionFills; }

    // The handlers.
    virtual void FillProfileList();  // the category's profiles, then the first one chosen
    // Option lists, then with a selected row its parameters, the lists'
    // values in its value columns, its name and its category-row code.
    void ProfileChanged();
    virtual void FillOptionLists();    // the profile's items and defaults
    virtual void ComputeParameters();  // the profile's fields, and the selected row's parameter columns
    virtual void ConfirmOptions();     // the option lists' texts into the fields

    // Selecting a row: the category, the profile and the option lists restored
    // from the row, which the chains rewrite as they run. Errors end it
    // silently where they arise. True when every list was restored (the window
    // then opens the preview).
    bool SelectRow(TJobRow* row);

private:
    void OptionListChanged(TOptionRole role);
    void MirrorPairs();
    void RenameSelected(const QString& extension);

    int FCategoryRow = 0;
    int FProfileRow = -1;
    std::span<const profiles::TProfile> FProfiles;
    std::array<TOptionBox, profiles::OptionRoleCount> FBoxes;
    TJobFields FFields;
    TJobRow* FSelected = nullptr;
    QString FFolderText;
    TFreeOutputName FFreeName;
    bool FRestoring = false;  // inside a selection: renames wait for its end
    int FProfileFills = 0;
    int FOptionFills = 0;
};

// The row a newly added job keeps: the add's row selected on a copy of the
// panel, so it reads as the selection would leave it. The panel itself does
// not change.
TJobRow NewJobRow(const TAddedFile& file, const TOutputOptions& record, const TProfilePanel& panel);

}  // namespace jobs
