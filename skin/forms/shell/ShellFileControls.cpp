#include "skin/forms/shell/ShellFileControls.h"

#include "skin/forms/shell/ShellDriveControls.h"
#include "skin/forms/shell/ShellWaitCursor.h"

#include <QDir>
#include <QFileInfo>

QString AllFilesFilterText() { return QStringLiteral("All files (*.*)|*.*"); }

QString CannotOpenFolderText(const QString& path) {
    return QStringLiteral("The folder \"%1\" cannot be opened.").arg(path);
}

bool DirectoryExists(const QString& Name) { return !Name.isEmpty() && QFileInfo(Name).isDir(); }

unsigned FileAttributeBits(const QString& path) {
    const QFileInfo fi(path);
    const QString name = fi.fileName();
    unsigned bits = 0;
    if (!fi.isWritable()) bits |= 0x01;
    if (name.startsWith('.') && name != "." && name != "..") bits |= 0x02;
    if (fi.isDir()) bits |= 0x10;
    return bits;
}

namespace {

// The attribute word of a set: the bits of its values, qvftNormal adding none.
unsigned AttributeWord(TqvFileType t) {
    static const unsigned bits[] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0};
    unsigned w = 0;
    for (int a = qvftReadOnly; a <= qvftNormal; ++a)
        if (t.Contains(TqvFileAttr(a))) w |= bits[a];
    return w;
}

// A text resolved below base, cleaned.
QString Resolve(const QString& base, const QString& text) {
    return QDir::cleanPath(QDir::isAbsolutePath(text) ? text : base + "/" + text);
}

bool HasWildcard(const QString& s) { return s.contains('*') || s.contains('?'); }

}  // namespace

// ---- file list box

TqvSkinFileListBox::TqvSkinFileListBox(QObject* AOwner) : TqvSkinListBox(AOwner) {
    FDirectory = ShellEnvironment().HomePath();
    SetWidth(145);
    SetMultiSelect(false);
    SetSorted(true);
    ReadFileNames();
}

TqvSkinFileListBox::~TqvSkinFileListBox() {
    if (FDirList) FDirList->FFileList = nullptr;
    if (FFilterCombo) FFilterCombo->FFileList = nullptr;
}

void TqvSkinFileListBox::SetMask(const QString& v) {
    if (v == FMask) return;
    FMask = v;
    ReadFileNames();
}

void TqvSkinFileListBox::SetFileType(TqvFileType v) {
    if (v == FFileType) return;
    FFileType = v;
    ReadFileNames();
}

void TqvSkinFileListBox::SetFileEdit(TEdit* v) {
    FFileEdit = v;
    Change();
}

void TqvSkinFileListBox::SetDrive(const QString& v) {
    if (v != Drive()) ApplyFilePath(v);
}

void TqvSkinFileListBox::ReadFileNames() {
    if (Loading()) return;
    const QDir dir(FDirectory);
    // Read before clearing: a folder that cannot be read keeps the old items.
    if (!dir.exists() || !QFileInfo(FDirectory).isReadable())
        throw EInOutError(CannotOpenFolderText(FDirectory).toStdString());
    const QStringList names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Unsorted);
    const unsigned word = AttributeWord(FFileType);
    const bool normal = FFileType.Contains(qvftNormal);
    std::optional<TqvShellWaitCursor> wait;
    Items().BeginUpdate();
    Clear();
    // Every piece is searched on its own: a name two pieces find is listed twice.
    for (const QString& raw : FMask.split(';')) {
        const QString piece = raw.trimmed();
        if (piece.isEmpty()) continue;
        for (const QString& name : names) {
            const unsigned bits = FileAttributeBits(dir.filePath(name));
            // The search skips hidden entries and folders unless asked for.
            if ((bits & 0x12 & ~word) != 0) continue;
            if (!MatchesMaskPiece(name, piece)) continue;
            if (!normal && (bits & word) == 0) continue;
            if (Items().Count() == 100 && !wait) wait.emplace();
            Items().Add(bits & 0x10 ? "[" + name + "]" : name);
        }
    }
    Items().EndUpdate();
    UpDateScrollBar();
    Change();
}

QString TqvSkinFileListBox::SelectedName() const {
    const int i = ItemIndex();
    return i >= 0 && i < const_cast<TqvSkinFileListBox*>(this)->Items().Count() ? const_cast<TqvSkinFileListBox*>(this)->Items()[i] : QString();
}

QString TqvSkinFileListBox::GetFileName() const {
    const QString n = SelectedName();
    return n.isEmpty() ? QString() : QDir(FDirectory).filePath(n);
}

void TqvSkinFileListBox::ChangeDirectory(const QString& Dir) {
    const QString d = Resolve(FDirectory, Dir);
    if (d == FDirectory) return;
    if (!DirectoryExists(d) || !QFileInfo(d).isReadable()) throw EInOutError(CannotOpenFolderText(d).toStdString());
    FDirectory = d;
    ReadFileNames();
}

void TqvSkinFileListBox::SetSelectedName(const QString& Name) {
    if (Name.compare(SelectedName(), Qt::CaseInsensitive) == 0 && !Name.isEmpty()) return;
    int found = -1;
    for (int i = 0; i < Items().Count() && found < 0; ++i)
        if (Items()[i].compare(Name, Qt::CaseInsensitive) == 0) found = i;
    SetItemIndex(found);
    Change();
}

void TqvSkinFileListBox::ApplyFilePath(const QString& EditText) {
    if (EditText.isEmpty() || EditText == FileName()) return;
    const QString full = Resolve(FDirectory, EditText);
    QString dirPart = full, filePart;
    if (!DirectoryExists(full)) {
        const QFileInfo fi(full);
        dirPart = fi.path();
        filePart = fi.fileName();
        // A last part that is neither a mask nor a file is taken as a folder.
        if (!HasWildcard(filePart) && !fi.exists()) {
            dirPart = full;
            filePart.clear();
        }
    }
    if (FDirList) FDirList->SetDirectory(dirPart);
    else ChangeDirectory(dirPart);
    if (HasWildcard(filePart)) {
        SetMask(filePart);
    } else if (!filePart.isEmpty()) {
        SetSelectedName(filePart);
        if (ItemIndex() < 0 && QFileInfo(QDir(FDirectory).filePath(filePart)).isFile()) {
            SetMask(filePart);
            SetSelectedName(filePart);
        }
    }
}

void TqvSkinFileListBox::ListBoxClick() {
    TqvSkinListBox::ListBoxClick();
    if (FLastSel != ItemIndex()) Change();
}

void TqvSkinFileListBox::Change() {
    FLastSel = ItemIndex();
    if (FFileEdit) {
        const QString n = SelectedName();
        FFileEdit->SetText(n.isEmpty() ? FMask : n);
        FFileEdit->SelectAll();
    }
    if (OnChange) OnChange(this);
}

// ---- filter combo box

TqvSkinFilterComboBox::TqvSkinFilterComboBox(QObject* AOwner) : TqvSkinComboBox(AOwner) {
    FFilter = AllFilesFilterText();
    BuildItems();
}

TqvSkinFilterComboBox::~TqvSkinFilterComboBox() {
    if (FFileList) FFileList->FFilterCombo = nullptr;
}

void TqvSkinFilterComboBox::SetFilter(const QString& v) {
    if (v == FFilter) return;
    FFilter = v;
    BuildItems();
    Change();
}

void TqvSkinFilterComboBox::SetFileList(TqvSkinFileListBox* v) {
    if (FFileList) FFileList->FFilterCombo = nullptr;
    FFileList = v;
    if (v) v->FFilterCombo = this;
}

void TqvSkinFilterComboBox::BuildItems() {
    Items().Clear();
    FMaskList.clear();
    const QStringList parts = FFilter.split('|');
    // Pairs of description and mask; a description without a mask is dropped.
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        Items().Add(parts[i]);
        FMaskList << parts[i + 1];
    }
    SetItemIndex(0);
}

QString TqvSkinFilterComboBox::Mask() {
    if (ItemIndex() < 0 && Items().Count() > 0) SetItemIndex(Items().Count() - 1);
    const int i = ItemIndex();
    return i < 0 || i >= FMaskList.size() ? QStringLiteral("*.*") : FMaskList[i];
}

void TqvSkinFilterComboBox::Change() {
    if (FFileList) FFileList->SetMask(Mask());
    TqvSkinComboBox::Change();
}
