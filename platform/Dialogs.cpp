#include "platform/Dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

QStringList QtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')');
    }
    return filters;
}

bool TSavePictureDialog::Execute() {
    QFileDialog box(nullptr, Title);
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setFileMode(QFileDialog::AnyFile);
    if (!(Options & ofOverwritePrompt)) box.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = QtNameFilters(Filter);
    box.setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size()) box.selectNameFilter(filters[FilterIndex - 1]);
    box.setDefaultSuffix(DefaultExt);
    if (!InitialDir.isEmpty()) box.setDirectory(InitialDir);
    if (!FileName.isEmpty()) box.selectFile(FileName);

    FDialog = &box;
    const int result = box.exec();
    FDialog = nullptr;
    if (const int chosen = int(filters.indexOf(box.selectedNameFilter())); chosen >= 0) FilterIndex = chosen + 1;
    if (result != QDialog::Accepted || box.selectedFiles().isEmpty()) return false;
    FileName = box.selectedFiles().front();
    const QString ext = QFileInfo(FileName).suffix();
    if (ext.compare(DefaultExt, Qt::CaseInsensitive) != 0)
        Options |= ofExtensionDifferent;
    else
        Options &= ~unsigned(ofExtensionDifferent);
    return true;
}
