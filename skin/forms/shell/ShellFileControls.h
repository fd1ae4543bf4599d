// Skinned file-system controls on the skinned list box and combo box: a
// file list box (one folder's entries filtered by masks and attributes) and
// a filter combo box (description and mask pairs that drive a file list).
// They work on absolute paths and never change the process's current
// directory: a relative text is taken below the control's own folder.
#pragma once

#include "platform/StdCtrls.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/lists/SkinListBox.h"
#include "skin/forms/shell/ShellNamespace.h"

#include <QPointer>

#include <stdexcept>

// A folder that cannot be entered or read.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TqvFileAttr { qvftReadOnly, qvftHidden, qvftSystem, qvftVolumeID, qvftDirectory, qvftArchive, qvftNormal };
using TqvFileType = TqvSet<TqvFileAttr>;

// The attribute bits of an entry: read-only (not writable), hidden (a dot
// name), directory; the system, volume and archive bits have no meaning here.
unsigned FileAttributeBits(const QString& path);
// Whether a name is an existing folder.
bool DirectoryExists(const QString& Name);
// "The folder "%s" cannot be opened."
QString CannotOpenFolderText(const QString& path);

class TqvSkinDirectoryListBox;
class TqvSkinFilterComboBox;

class TqvSkinFileListBox : public TqvSkinListBox {
    Q_OBJECT
public:
    explicit TqvSkinFileListBox(QObject* AOwner = nullptr);
    ~TqvSkinFileListBox() override;

    QString Directory() const { return FDirectory; }
    void SetDirectory(const QString& v) { ApplyFilePath(v); }
    QString Mask() const { return FMask; }
    void SetMask(const QString& v);
    TqvFileType FileType() const { return FFileType; }
    void SetFileType(TqvFileType v);
    TEdit* FileEdit() const { return FFileEdit.data(); }
    void SetFileEdit(TEdit* v);
    // The volume that holds the folder; writing another volume's root moves there.
    QString Drive() const { return VolumeRootOf(FDirectory); }
    void SetDrive(const QString& v);
    // The folder joined with the selected name; empty without a selection.
    QString FileName() const { return GetFileName(); }
    void SetFileName(const QString& v) { ApplyFilePath(v); }
    TqvSkinDirectoryListBox* DirList() const { return FDirList.data(); }
    TqvSkinFilterComboBox* FilterCombo() const { return FFilterCombo.data(); }

    void Update() { ReadFileNames(); }
    // A folder, a file or a mask, absolute or below Directory: moves to the
    // folder, selects the file, or takes the last part as the mask.
    virtual void ApplyFilePath(const QString& EditText);
    // Moves to a folder; one that cannot be entered raises EInOutError.
    void ChangeDirectory(const QString& Dir);
    // Selects the entry of that name (any case); none when there is none.
    void SetSelectedName(const QString& Name);

    void ListBoxClick() override;

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    virtual void ReadFileNames();
    virtual QString GetFileName() const;

private:
    friend class TqvSkinDirectoryListBox;
    friend class TqvSkinFilterComboBox;
    QString SelectedName() const;

    QString FDirectory;
    QString FMask = QStringLiteral("*.*");
    TqvFileType FFileType{qvftNormal};
    QPointer<TEdit> FFileEdit;
    QPointer<TqvSkinDirectoryListBox> FDirList;
    QPointer<TqvSkinFilterComboBox> FFilterCombo;
    int FLastSel = -1;
};

class TqvSkinFilterComboBox : public TqvSkinComboBox {
    Q_OBJECT
public:
    explicit TqvSkinFilterComboBox(QObject* AOwner = nullptr);
    ~TqvSkinFilterComboBox() override;

    QString Filter() const { return FFilter; }
    void SetFilter(const QString& v);
    TqvSkinFileListBox* FileList() const { return FFileList.data(); }
    void SetFileList(TqvSkinFileListBox* v);
    const QStringList& MaskList() const { return FMaskList; }
    // The chosen item's mask; "*.*" without items.
    QString Mask();

    void Change() override;

private:
    friend class TqvSkinFileListBox;
    void BuildItems();

    QString FFilter;
    QStringList FMaskList;
    QPointer<TqvSkinFileListBox> FFileList;
};

// "All files (*.*)|*.*"
QString AllFilesFilterText();
