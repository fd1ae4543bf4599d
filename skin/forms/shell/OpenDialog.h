// The open and save dialogs: a look-in box, a shell file list, a tool bar
// (back, up, new folder, view style), a file-name edit, a filter box and
// Open (or Save) and Cancel, built in code at every Execute and freed before
// it returns. The picture dialogs build on the same form and component.
#pragma once

#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/Form.h"
#include "skin/forms/shell/DialogSupport.h"

#include <functional>
#include <memory>
#include <vector>

class TMenuItem;
class TPopupMenu;
class TListItem;
class TqvSkinButton;
class TqvSkinEdit;
class TqvSkinFileListView;
class TqvSkinFilterComboBox;
class TqvSkinMenuSpeedButton;
class TqvSkinPanel;
class TqvSkinScrollBar;
class TqvSkinShellComboBox;
class TqvSkinSpeedButton;
class TqvSkinStdLabel;
class TqvSkinToolBar;
class TqvShellID;
class TqvVelmora;
class TqvStyleMenuRef;

// The parts of a typed or chosen name the dialogs reason about.
namespace OpenDialogNames {
// The extension of a name's last part, with its dot; empty without one.
QString ExtractFileExt(const QString& name);
// The extension of a mask's first pattern; empty when the mask holds ".*".
QString MaskExtension(const QString& mask);
// A typed name against the folder shown: an absolute name stands as it is.
QString Join(const QString& folder, const QString& name);
}  // namespace OpenDialogNames

class TqvOpenDlgForm : public TForm {
    Q_OBJECT
public:
    TqvOpenDlgForm(QObject* AOwner, bool ASaveMode, TqvSkinData* ACtrlSkinData, bool AToolButtonsTransparent);
    ~TqvOpenDlgForm() override;

    bool SaveMode;
    std::vector<TqvShellID> FolderHistory;
    bool StopAddToHistory = false;
    int NewFolderCount = 0;
    QString DefaultExt;
    bool OverwritePromt = false;
    bool CheckFileExists = true;
    // The result.
    QString FileName;
    TNotifyEvent OnFolderChange;
    TqvDialogFrame Frame;
    TqvSkinData* CtrlSD() const { return FCtrlSD; }

    TqvVelmora* QVF = nullptr;
    TqvSkinPanel* FileListViewPanel = nullptr;
    TqvSkinPanel* BottomPanel = nullptr;
    TqvSkinScrollBar* FLVHScrollBar = nullptr;
    TqvSkinScrollBar* FLVVScrollBar = nullptr;
    TqvSkinFileListView* FileListView = nullptr;
    TqvSkinEdit* FileNameEdit = nullptr;
    TqvSkinFilterComboBox* FilterComboBox = nullptr;
    TqvSkinShellComboBox* ShellBox = nullptr;
    TqvSkinButton* OpenButton = nullptr;
    TqvSkinButton* CancelButton = nullptr;
    TqvSkinStdLabel* Drivelabel = nullptr;
    TqvSkinStdLabel* OpenFileLabel = nullptr;
    TqvSkinStdLabel* FileTypeLabel = nullptr;
    TqvSkinToolBar* ToolPanel = nullptr;
    TqvSkinSpeedButton* NewFolderToolButton = nullptr;
    TqvSkinSpeedButton* UpToolButton = nullptr;
    TqvSkinSpeedButton* BackToolButton = nullptr;
    TqvSkinMenuSpeedButton* StyleToolButton = nullptr;
    TPopupMenu* StylePopupMenu = nullptr;
    TMenuItem* IconMenuItem = nullptr;
    TMenuItem* SmallIconMenuItem = nullptr;
    TMenuItem* ListMenuItem = nullptr;
    TMenuItem* ReportMenuItem = nullptr;

    // The current filter's extension ("" when its mask holds ".*").
    QString FilterExtension() const;
    // "." + DefaultExt when set, else the filter's.
    virtual QString DefaultExtension() const;
    // The folder shown joined with a typed name, with DefaultExtension when bare.
    QString Candidate(const QString& N) const;
    // The name a save returns for Name: the filter's extension, else DefaultExt, when bare.
    QString FinalSaveName(const QString& Name) const;
    void SetViewStyle(TViewStyle v);

    void BackToolButtonClick(QObject* Sender);
    void UpToolButtonClick(QObject* Sender);
    void NewFolderToolButtonClick(QObject* Sender);
    void IconItemClick(QObject* Sender);
    void SmallIconItemClick(QObject* Sender);
    void ListItemClick(QObject* Sender);
    void ReportItemClick(QObject* Sender);
    virtual void FLVChange(QObject* Sender);
    virtual void FLVPathChange(QObject* Sender);
    void FLVDBLClick(QObject* Sender);
    void FLVKeyPress(QObject* Sender, QChar& Key);
    void EditKeyPress(QObject* Sender, QChar& Key);
    void FCBChange(QObject* Sender);
    void OpenButtonClick(QObject* Sender);
    void InitHistory();

protected:
    void Layout() override;
    // The picture form adds its preview before the tool bar.
    virtual void LayoutBeforeToolBar() {}
    virtual void LayoutToolBarEnd() {}
    virtual void LayoutBottom();

private:
    // Asks before a save replaces Name; true to go on.
    bool ConfirmOverwrite(const QString& Name);
    void Accept(const QString& Name);

    QPointer<TqvSkinData> FCtrlSD;
    bool FToolButtonsTransparent;
    std::unique_ptr<TqvStyleMenuRef> FStyleMenuRef;
    QString FLastSelected;
};

// The properties and the run both file dialog components share.
class TqvCustomOpenDialog : public TComponent {
    Q_OBJECT
public:
    explicit TqvCustomOpenDialog(QObject* AOwner = nullptr);

    bool Execute();

    QString Title = QStringLiteral("Open file");
    QString Filter = QStringLiteral("All files|*.*");
    int FilterIndex = 1;
    QString FileName;
    QString InitialDir;
    bool CheckFileExists = true;
    bool OverwritePromt = false;
    bool MultiSelection = false;
    bool ShowHiddenFiles = false;
    bool ToolButtonsTransparent = false;
    int DialogWidth = 0, DialogHeight = 0;
    int DialogMinWidth = 0, DialogMinHeight = 0;
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    int AlphaBlendValue = 225;
    bool CtrlAlphaBlend = false, CtrlAlphaBlendAnimation = false;
    int CtrlAlphaBlendValue = 225;
    QString LVHeaderSkinDataName = QStringLiteral("resizebutton");
    TNotifyEvent OnShow, OnClose;

    TStringList& Files() { return FFiles; }
    // The list's selected file while the dialog is open, else empty.
    QString GetSelectedFile() const;
    void SetFileName(const QString& v);
    TqvSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TqvSkinData* v) { FSkinData = v; }
    TqvSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TqvSkinData* v) { FCtrlSkinData = v; }
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& f) { FDefaultFont.Assign(f); }
    bool SaveMode() const { return FSaveMode; }
    TViewStyle ListViewStyle() const { return FListViewStyle; }
    // The form while Execute runs.
    TqvOpenDlgForm* Form() const { return FForm; }

protected:
    virtual TqvOpenDlgForm* CreateForm() = 0;
    // Copies the component's own settings into the built form.
    virtual void PrepareForm(TqvOpenDlgForm* form) { (void)form; }
    // Reads what the form leaves for the next run.
    virtual void FormClosed(TqvOpenDlgForm* form) { (void)form; }
    // The name a confirmed run returns.
    virtual QString ResultName(TqvOpenDlgForm* form);
    virtual int DefaultWidth() const { return 450; }
    // The one place the form is shown.
    virtual TModalResult RunModal(TqvOpenDlgForm* form) { return form->ShowModal(); }

    bool FSaveMode = false;

private:
    QPointer<TqvSkinData> FSkinData, FCtrlSkinData;
    TFont FDefaultFont{QStringLiteral("Arial"), 14};
    TStringList FFiles;
    TViewStyle FListViewStyle = vsList;
    QPointer<TqvOpenDlgForm> FForm;
};

class TqvSkinOpenDialog : public TqvCustomOpenDialog {
    Q_OBJECT
public:
    explicit TqvSkinOpenDialog(QObject* AOwner = nullptr) : TqvCustomOpenDialog(AOwner) {}
    QString DefaultExt;
    TNotifyEvent OnFolderChange;

protected:
    TqvOpenDlgForm* CreateForm() override;
    void PrepareForm(TqvOpenDlgForm* form) override;
};

class TqvSkinSaveDialog : public TqvSkinOpenDialog {
    Q_OBJECT
public:
    explicit TqvSkinSaveDialog(QObject* AOwner = nullptr) : TqvSkinOpenDialog(AOwner) {
        Title = QStringLiteral("Save file");
        FSaveMode = true;
    }
};
