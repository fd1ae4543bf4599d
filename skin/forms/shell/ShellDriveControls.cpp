#include "skin/forms/shell/ShellDriveControls.h"

#include "skin/controls/labels/SkinLabels.h"
#include "skin/forms/shell/ShellIcons.h"
#include "skin/model/draw/DrawHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>

#include <algorithm>

namespace {

bool SystemRemovable(const QString& device) {
    if (!device.startsWith("/dev/")) return false;
    const QString dev = QFileInfo("/sys/class/block/" + QFileInfo(device).fileName()).canonicalFilePath();
    if (dev.isEmpty()) return false;
    // A partition's flag is its disk's.
    for (const QString& f : {dev + "/removable", QFileInfo(dev).path() + "/removable"}) {
        QFile file(f);
        if (file.open(QIODevice::ReadOnly)) return file.readAll().trimmed() == "1";
    }
    return false;
}

std::function<bool(const QString&)>& RemovableProbe() {
    static std::function<bool(const QString&)> probe = SystemRemovable;
    return probe;
}

// The picture of a drive kind: the theme's where it has one, else ours.
const QImage& DrivePicture(TqvDriveType t) {
    static QImage pictures[5];
    static const char* names[] = {"drive-removable-media", "drive-harddisk", "network-server", "drive-optical",
                                  "media-flash"};
    QImage& p = pictures[t];
    if (p.isNull()) {
        const QIcon icon = QIcon::fromTheme(names[t]);
        p = icon.isNull() ? TqvShellIcons::BuiltInImage("drive", 16) : icon.pixmap(16, 16).toImage();
    }
    return p;
}

const QImage& FolderPicture(TqvSkinDirectoryListBox::TItemKind k) {
    static QImage closed = TqvShellIcons::BuiltInImage("folder", 16);
    static QImage open = TqvShellIcons::BuiltInImage("folder-open", 16);
    return k == TqvSkinDirectoryListBox::ikClosed ? closed : open;
}

void DrawPicture(TCanvas& C, const QImage& img, int x, const TRect& R) {
    if (!C.Image()) return;
    QPainter p(C.Image());
    p.drawImage(x, (R.Top + R.Bottom - img.height()) / 2, img);
}

int TextWidth(const TFont& f, const QString& s) { return QFontMetrics(f.ToQFont()).horizontalAdvance(s); }

// The folder part with its first folder cut: "/a/b/" gives "/.../b/".
QString CutFirstFolder(QString dir) {
    if (dir == "/") return {};
    const bool lead = dir.startsWith('/');
    if (lead) dir.remove(0, 1);
    if (dir.startsWith(".../")) dir.remove(0, 4);
    const int slash = dir.indexOf('/');
    dir = slash < 0 ? QString() : ".../" + dir.mid(slash + 1);
    return lead ? "/" + dir : dir;
}

}  // namespace

void SetRemovableProbe(std::function<bool(const QString&)> probe) {
    RemovableProbe() = probe ? std::move(probe) : SystemRemovable;
}

TqvDriveType DriveTypeOf(const TqvShellVolume& v) {
    const QString t = v.FileSystemType.toLower();
    static const QStringList remote = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "sshfs", "fuse.sshfs", "9p", "afs"};
    if (remote.contains(t)) return dtRemote;
    if (t == "iso9660" || t == "udf") return dtCDROM;
    if (t == "tmpfs" || t == "ramfs") return dtRAMDisk;
    return RemovableProbe()(v.Device) ? dtRemovable : dtFixed;
}

QString MinimizeName(const QString& FileName, const TFont& Font, int MaxWidth) {
    QString result = FileName;
    const int slash = FileName.lastIndexOf('/');
    QString dir = FileName.left(slash + 1), name = FileName.mid(slash + 1);
    while (!dir.isEmpty() && TextWidth(Font, result) > MaxWidth) {
        dir = dir == "/.../" ? QStringLiteral(".../") : dir == ".../" ? QString() : CutFirstFolder(dir);
        result = dir + name;
    }
    return result;
}

// ---- drive combo box

TqvSkinDriveComboBox::TqvSkinDriveComboBox(QObject* AOwner) : TqvSkinComboBox(AOwner) {
    OnComboBoxDrawItem = [this](TCanvas& C, int Index, int, int, const TRect& R, TqvOwnerDrawState) {
        DrawItem(C, Index, R);
    };
    SetOnListBoxDrawItem(
        [this](TCanvas& C, int Index, int, int, const TRect& R, TqvOwnerDrawState) { DrawItem(C, Index, R); });
    BuildList();
    SetDrive(VolumeRootOf(ShellEnvironment().HomePath()));
}

TqvSkinDriveComboBox::~TqvSkinDriveComboBox() {
    if (FDirList) FDirList->FDriveCombo = nullptr;
}

void TqvSkinDriveComboBox::BuildList() {
    FRoots.clear();
    FTypes.clear();
    Items().Clear();
    const auto cased = [this](const QString& s) { return FTextCase == tcUpperCase ? s.toUpper() : s.toLower(); };
    for (const TqvShellVolume& v : ShellEnvironment().Volumes()) {
        const TqvDriveType t = DriveTypeOf(v);
        // Mount points are paths: only the label and share name take the case.
        QString text = v.RootPath;
        if (t == dtRemote) text += " " + cased(v.Device.isEmpty() ? "[" + v.Name + "]" : v.Device);
        else if (t != dtRemovable) text += " [" + cased(v.Name) + "]";
        FRoots.push_back(v.RootPath);
        FTypes.push_back(t);
        Items().Add(text);
    }
}

void TqvSkinDriveComboBox::SetDrive(const QString& Root) {
    if (FSetting) return;
    if (ItemIndex() >= 0 && Root == FDrive) return;
    const auto at = std::find(FRoots.begin(), FRoots.end(), Root);
    FDrive = at == FRoots.end() ? QString() : Root;
    {
        FSetting = true;
        struct TEnd {
            bool& f;
            ~TEnd() { f = false; }
        } end{FSetting};
        SetItemIndex(at == FRoots.end() ? -1 : int(at - FRoots.begin()));
    }
    if (FDirList && !FDrive.isEmpty()) FDirList->DriveChange(FDrive);
}

void TqvSkinDriveComboBox::SetTextCase(TTextCase v) {
    if (v == FTextCase) return;
    FTextCase = v;
    const QString keep = FDrive;
    BuildList();
    FDrive.clear();
    SetDrive(keep);
}

void TqvSkinDriveComboBox::SetDirList(TqvSkinDirectoryListBox* v) {
    if (FDirList) FDirList->FDriveCombo = nullptr;
    FDirList = v;
    if (v) v->FDriveCombo = this;
}

void TqvSkinDriveComboBox::Change() {
    TqvSkinComboBox::Change();
    if (!FSetting && ItemIndex() >= 0) SetDrive(ItemRoot(ItemIndex()));
}

void TqvSkinDriveComboBox::DrawItem(TCanvas& C, int Index, const TRect& R) {
    if (Index < 0 || Index >= int(FTypes.size())) return;
    const QImage& img = DrivePicture(FTypes[size_t(Index)]);
    DrawPicture(C, img, R.Left, R);
    TRect T = R;
    T.Left += img.width() + 6;
    TextRectVCentered(C, Items()[Index], T);
}

// ---- folder list box

TqvSkinDirectoryListBox::TqvSkinDirectoryListBox(QObject* AOwner) : TqvSkinListBox(AOwner) {
    FDirectory = ShellEnvironment().HomePath();
    SetWidth(145);
    SetSorted(false);
    OnDrawItem = [this](TCanvas& C, int Index, int, int, const TRect& R, TqvOwnerDrawState) { DrawItem(C, Index, R); };
    BuildList();
}

TqvSkinDirectoryListBox::~TqvSkinDirectoryListBox() {
    if (FFileList) FFileList->FDirList = nullptr;
    if (FDriveCombo) FDriveCombo->FDirList = nullptr;
}

void TqvSkinDirectoryListBox::BuildList() {
    FKinds.clear();
    Items().BeginUpdate();
    Items().Clear();
    const QString root = VolumeRootOf(FDirectory);
    const QString rest = FDirectory.mid(root.size());
    const QStringList parts = rest.split('/', Qt::SkipEmptyParts);
    Items().Add(root);
    FKinds.push_back(parts.isEmpty() ? ikCurrent : ikOpen);
    for (int i = 0; i < parts.size(); ++i) {
        Items().Add(parts[i]);
        FKinds.push_back(i + 1 == parts.size() ? ikCurrent : ikOpen);
    }
    FCurrent = Items().Count() - 1;
    const QStringList subs =
        QDir(FDirectory).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (const QString& s : subs) {
        Items().Add(s);
        FKinds.push_back(ikClosed);
    }
    Items().EndUpdate();
    SetItemIndex(FCurrent);
    UpDateScrollBar();
}

QString TqvSkinDirectoryListBox::GetItemPath(int Index) const {
    if (Index < 0 || Index >= int(FKinds.size())) return {};
    const QString root = VolumeRootOf(FDirectory);
    if (Index == 0) return root;
    switch (FKinds[size_t(Index)]) {
    case ikClosed: return QDir(FDirectory).filePath(const_cast<TqvSkinDirectoryListBox*>(this)->Items()[Index]);
    case ikCurrent: return FDirectory;
    case ikOpen: break;
    }
    const QStringList parts = FDirectory.mid(root.size()).split('/', Qt::SkipEmptyParts).mid(0, Index);
    return QDir::cleanPath(root + "/" + parts.join('/'));
}

void TqvSkinDirectoryListBox::SetDirectory(const QString& NewDirectory) {
    if (NewDirectory.isEmpty()) return;
    const QString d = QDir::cleanPath(QDir::isAbsolutePath(NewDirectory) ? NewDirectory : FDirectory + "/" + NewDirectory);
    if (FileCompareText(d, FDirectory) == 0) return;
    if (!DirectoryExists(d) || !QFileInfo(d).isReadable()) throw EInOutError(CannotOpenFolderText(d).toStdString());
    const QString drive = VolumeRootOf(d);
    if (drive != Drive()) {
        FInSetDir = true;
        struct TEnd {
            bool& f;
            ~TEnd() { f = false; }
        } end{FInSetDir};
        if (FDriveCombo) FDriveCombo->SetDrive(drive);
        else DriveChange(drive);
    }
    ChangeTo(d);
}

void TqvSkinDirectoryListBox::ChangeTo(const QString& Dir) {
    if (!DirectoryExists(Dir) || !QFileInfo(Dir).isReadable())
        throw EInOutError(CannotOpenFolderText(Dir).toStdString());
    FDirectory = QDir::cleanPath(Dir);
    BuildList();
    Change();
}

void TqvSkinDirectoryListBox::DriveChange(const QString& Root) {
    if (Root.isEmpty() || Root == Drive()) return;
    // A volume that cannot be entered leaves the folder as it was.
    if (!DirectoryExists(Root) || !QFileInfo(Root).isReadable()) return;
    FDirectory = Root;
    if (FInSetDir) return;
    BuildList();
    Change();
}

void TqvSkinDirectoryListBox::SetDrive(const QString& Root) {
    if (Root != Drive()) SetDirectory(Root);
}

void TqvSkinDirectoryListBox::Change() {
    if (FFileList) FFileList->ChangeDirectory(FDirectory);
    UpdateLabel();
    if (OnChange) OnChange(this);
}

void TqvSkinDirectoryListBox::Update() {
    BuildList();
    Change();
}

void TqvSkinDirectoryListBox::OpenCurrent() { SetDirectory(GetItemPath(ItemIndex())); }

void TqvSkinDirectoryListBox::ListBoxDblClick() {
    TqvSkinListBox::ListBoxDblClick();
    OpenCurrent();
}

void TqvSkinDirectoryListBox::ListBoxKeyDown(int& Key, Qt::KeyboardModifiers Shift) {
    TqvSkinListBox::ListBoxKeyDown(Key, Shift);
    if (Key != Qt::Key_Return && Key != Qt::Key_Enter) return;
    Key = 0;
    OpenCurrent();
}

void TqvSkinDirectoryListBox::SetFileList(TqvSkinFileListBox* v) {
    if (FFileList) FFileList->FDirList = nullptr;
    FFileList = v;
    if (!v) return;
    v->FDirList = this;
    v->ChangeDirectory(FDirectory);
}

void TqvSkinDirectoryListBox::SetDirLabel(TqvSkinStdLabel* v) {
    FDirLabel = v;
    UpdateLabel();
}

void TqvSkinDirectoryListBox::UpdateLabel() {
    if (!FDirLabel) return;
    const int width = FDirLabel->AutoSize() ? Width() : FDirLabel->Width();
    FDirLabel->SetCaption(MinimizeName(FDirectory, FDirLabel->Font(), width));
}

int TqvSkinDirectoryListBox::Indent(int Index) const {
    return FKinds[size_t(Index)] == ikClosed ? 4 * FCurrent + 6 : 4 * Index + 2;
}

int TqvSkinDirectoryListBox::GetItemTextWidth(int Index, TCanvas& Canvas) {
    if (Index < 0 || Index >= int(FKinds.size())) return TqvSkinListBox::GetItemTextWidth(Index, Canvas);
    return TqvSkinListBox::GetItemTextWidth(Index, Canvas) + Indent(Index) + FolderPicture(FKinds[size_t(Index)]).width() + 4;
}

void TqvSkinDirectoryListBox::DrawItem(TCanvas& C, int Index, const TRect& R) {
    if (Index < 0 || Index >= int(FKinds.size())) return;
    const QImage& img = FolderPicture(FKinds[size_t(Index)]);
    const int scroll = ListBox()->HorizontalExtentValue();
    DrawPicture(C, img, R.Left + Indent(Index) - scroll, R);
    TRect T = R;
    T.Left += img.width() + Indent(Index) - scroll + 4;
    TextRectVCentered(C, Items()[Index], T);
}
