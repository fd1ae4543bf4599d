// Two more skinned file-system controls: a drive combo box listing the
// volumes with a picture per kind and their labels, and a folder list box
// showing the current folder as an indented chain of open folders from its
// volume's root, followed by its subfolders. Linked together and to a file
// list box they make a volume, folder and file browser; the folder list can
// keep a label showing its path shortened to the label's width.
#pragma once

#include "skin/controls/labels/SkinLabels.h"
#include "skin/forms/shell/ShellFileControls.h"

#include <functional>

class TFont;

enum TTextCase { tcLowerCase, tcUpperCase };
enum TqvDriveType { dtRemovable, dtFixed, dtRemote, dtCDROM, dtRAMDisk };

// The kind of a volume: by its file-system type, and for a local disk by
// whether the kernel calls its device removable.
TqvDriveType DriveTypeOf(const TqvShellVolume& v);
// Whether a device is removable (/sys/class/block); tests install their own.
void SetRemovableProbe(std::function<bool(const QString& device)> probe);
// A path shortened to fit MaxWidth in Font: the leading folders go first,
// replaced by ".../", then the root.
QString MinimizeName(const QString& FileName, const TFont& Font, int MaxWidth);

class TqvSkinDriveComboBox : public TqvSkinComboBox {
    Q_OBJECT
public:
    explicit TqvSkinDriveComboBox(QObject* AOwner = nullptr);
    ~TqvSkinDriveComboBox() override;

    // The chosen volume's root path; empty when none is chosen.
    QString Drive() const { return FDrive; }
    void SetDrive(const QString& Root);
    TTextCase TextCase() const { return FTextCase; }
    void SetTextCase(TTextCase v);
    TqvSkinDirectoryListBox* DirList() const { return FDirList.data(); }
    void SetDirList(TqvSkinDirectoryListBox* v);
    // The root path of item i.
    QString ItemRoot(int i) const { return i >= 0 && i < int(FRoots.size()) ? FRoots[size_t(i)] : QString(); }
    TqvDriveType ItemType(int i) const { return FTypes[size_t(i)]; }

    virtual void BuildList();
    void Change() override;

private:
    friend class TqvSkinDirectoryListBox;
    void DrawItem(TCanvas& C, int Index, const TRect& R);

    QString FDrive;
    TTextCase FTextCase = tcLowerCase;
    QPointer<TqvSkinDirectoryListBox> FDirList;
    std::vector<QString> FRoots;
    std::vector<TqvDriveType> FTypes;
    bool FSetting = false;
};

class TqvSkinDirectoryListBox : public TqvSkinListBox {
    Q_OBJECT
public:
    enum TItemKind { ikOpen, ikCurrent, ikClosed };

    explicit TqvSkinDirectoryListBox(QObject* AOwner = nullptr);
    ~TqvSkinDirectoryListBox() override;

    QString Directory() const { return FDirectory; }
    // Absolute, or below the shown folder; one that cannot be entered raises EInOutError.
    virtual void SetDirectory(const QString& NewDirectory);
    // The root of the volume holding the folder; writing another moves to that root.
    QString Drive() const { return VolumeRootOf(FDirectory); }
    void SetDrive(const QString& Root);
    TqvSkinFileListBox* FileList() const { return FFileList.data(); }
    void SetFileList(TqvSkinFileListBox* v);
    TqvSkinDriveComboBox* DriveCombo() const { return FDriveCombo.data(); }
    TqvSkinStdLabel* DirLabel() const { return FDirLabel.data(); }
    void SetDirLabel(TqvSkinStdLabel* v);
    // Names keep their case and compare case-sensitively on these file systems.
    bool PreserveCase() const { return true; }
    bool CaseSensitive() const { return true; }
    QString DisplayCase(const QString& S) const { return S; }
    int FileCompareText(const QString& A, const QString& B) const { return A.compare(B, Qt::CaseSensitive); }

    QString GetItemPath(int Index) const;
    TItemKind ItemKind(int Index) const { return FKinds[size_t(Index)]; }
    void OpenCurrent();
    void Update();

    int GetItemTextWidth(int Index, TCanvas& Canvas) override;
    void ListBoxDblClick() override;
    // Enter opens the chosen item.
    void ListBoxKeyDown(int& Key, Qt::KeyboardModifiers Shift) override;

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    virtual void BuildList();

private:
    friend class TqvSkinDriveComboBox;
    friend class TqvSkinFileListBox;
    void ChangeTo(const QString& Dir);
    void DriveChange(const QString& Root);
    void UpdateLabel();
    int Indent(int Index) const;
    void DrawItem(TCanvas& C, int Index, const TRect& R);

    QString FDirectory;
    QPointer<TqvSkinFileListBox> FFileList;
    QPointer<TqvSkinDriveComboBox> FDriveCombo;
    QPointer<TqvSkinStdLabel> FDirLabel;
    std::vector<TItemKind> FKinds;
    int FCurrent = 0;
    bool FInSetDir = false;
};
