#include "app/mainwindow/AppDialogs.h"

#include <QFileDialog>

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

std::optional<QStringList> TDesktopDialogs::OpenFiles(TFileDialogSettings& dialog) {
    QFileDialog box(nullptr, dialog.Title);
    box.setFileMode(dialog.MultiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    const QStringList filters = QtNameFilters(dialog.Filter);
    box.setNameFilters(filters);
    if (dialog.FilterIndex >= 1 && dialog.FilterIndex <= filters.size())
        box.selectNameFilter(filters[dialog.FilterIndex - 1]);
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    dialog.FilterIndex = int(filters.indexOf(box.selectedNameFilter())) + 1;
    return box.selectedFiles();
}

std::optional<QString> TDesktopDialogs::SelectFolder(const QString& title, const QString& start) {
    const QString folder = QFileDialog::getExistingDirectory(nullptr, title, start);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
}

std::optional<int> TDesktopDialogs::SelectSkin(TqvSkinData*) { return std::nullopt; }

std::optional<QString> TDesktopDialogs::SavePicture(TFileDialogSettings& dialog) {
    QFileDialog box(nullptr, dialog.Title);
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setNameFilters(QtNameFilters(dialog.Filter));
    box.setDefaultSuffix(dialog.DefaultExt);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return std::nullopt;
    return box.selectedFiles().front();
}

int TDesktopDialogs::MessageDlg2(const QString& text, const QString& caption, TMsgDlgType type,
                                 TMsgDlgButtons buttons) {
    return FMessages->MessageDlg2(text, caption, type, buttons, 0);
}
