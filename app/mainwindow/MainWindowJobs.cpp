// Job rows: the list's rows as data, the records kept per row, the job fields
// and the output-name rule the handlers share.
#include "app/mainwindow/MainWindow.h"

#include "app/jobs/JobFileNames.h"
#include "app/settings/SettingsFile.h"
#include "platform/ComCtrls.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/views/SkinListView.h"

#include "app/options/OptionsForm.h"

#include <QScopeGuard>

using namespace jobs;

TJobRow TForm1::RowOf(const TListItem* item) {
    TJobRow row;
    row.Caption = item->Caption();
    const TListSubItems& sub = item->SubItems();
    for (int i = 0; i < SubItemCount; ++i) row.SubItems[i] = i < sub.Count() ? sub[i] : QString();
    return row;
}

void TForm1::StoreRow(TListItem* item, const TJobRow& row) {
    if (item->Caption() != row.Caption) item->SetCaption(row.Caption);
    TListSubItems& sub = item->SubItems();
    while (sub.Count() < SubItemCount) sub.Add(QString());
    for (int i = 0; i < SubItemCount; ++i)
        if (sub[i] != row.SubItems[i]) sub.SetStrings(i, row.SubItems[i]);
}

TListItem* TForm1::AppendRow(const TJobRow& row) {
    TListItem* item = lvFiles->Items().Add();
    item->SetCaption(row.Caption);
    for (int i = 0; i < SubItemCount; ++i) item->SubItems().Add(row.SubItems[i]);
    return item;
}

// The records grow with the rows, so every job has its records and there is
// no slot to mark; clearing them is all a reset needs.
void TForm1::Button15Click(QObject*) { JobRecords.Clear(); }

void TForm1::Button6Click(QObject*) { ResetJobFields(VideoFields); }

bool TForm1::OverwriteOutput() const {
    // The options dialog's "直接覆盖输出文件".
    return Form5 && Form5->qvSkinCheckRadioBox3 && Form5->qvSkinCheckRadioBox3->Checked();
}

QString TForm1::FreeOutputPathOfRow(TListItem* item, const QString& folder, const QString& name) {
    const TJobRow row = RowOf(item);
    FNamingItem = item;
    const auto done = qScopeGuard([this] { FNamingItem = nullptr; });
    return OutputNameRule()(folder + QLatin1Char('/') + name, item->Caption(), &row);
}

TFreeOutputName TForm1::OutputNameRule() {
    TFreeOutputName listRule = ListOutputNameRule();
    return [this, listRule](const QString& wanted, const QString& inputPath, const TJobRow* row) {
        // A new job of an add: the list was indexed once for all its files.
        if (!FAddIndex || row) return listRule(wanted, inputPath, row);
        const QString name = FileNamePart(wanted);
        const QString folderText = wanted.left(wanted.size() - name.size() - 1);
        return ChooseIndexedOutputPath(folderText, FileBaseName(name), FileExtension(name), OverwriteOutput(),
                                       *FAddIndex, QString(), std::nullopt, inputPath);
    };
}

TFreeOutputName TForm1::ListOutputNameRule() {
    return jobs::OutputNameRule([this] { return OverwriteOutput(); },
                                [this](const TJobRow* row) {
                                    QStringList names;
                                    const int count = lvFiles->Items().Count();
                                    for (int i = 0; i < count; ++i) {
                                        TListItem* item = lvFiles->Items()[i];
                                        if (row && item == FNamingItem) continue;
                                        names << item->SubItems()[siOutputName];
                                    }
                                    return names;
                                },
                                [this] { return RowInputs(); });
}

QStringList TForm1::RowInputs() const {
    QStringList inputs;
    const int count = lvFiles->Items().Count();
    for (int i = 0; i < count; ++i) inputs << lvFiles->Items()[i]->Caption();
    return inputs;
}
