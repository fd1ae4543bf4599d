// The select-folder dialog: a folder tree with OK and Cancel (and, on
// request, a path edit and a new-folder button), built in code at every
// Execute and freed before it returns.
#pragma once

#include "platform/Form.h"
#include "skin/forms/shell/DialogSupport.h"

class TqvSkinButton;
class TqvSkinDirTreeView;
class TqvSkinEdit;
class TqvSkinPanel;
class TqvSkinScrollBar;
class TqvSkinSpeedButton;
class TqvVelmora;
class TTreeNode;

class TqvSelDirDlgForm : public TForm {
    Q_OBJECT
public:
    TqvSelDirDlgForm(QObject* AOwner, TqvSkinData* ACtrlSkinData, bool AShowToolBar, bool AToolButtonsTransparent);

    TqvSkinData* CtrlSD() const { return FCtrlSD; }
    bool ShowToolBar() const { return FShowToolBar; }
    // Where failures inside the dialog are shown.
    TqvDialogFrame Frame;

    TqvVelmora* QVF = nullptr;
    TqvSkinPanel* DirTreeViewPanel = nullptr;
    TqvSkinPanel* BottomPanel = nullptr;
    TqvSkinDirTreeView* DirTreeView = nullptr;
    TqvSkinScrollBar* VScrollBar = nullptr;
    TqvSkinScrollBar* HScrollBar = nullptr;
    TqvSkinButton* OkButton = nullptr;
    TqvSkinButton* CancelButton = nullptr;
    TqvSkinPanel* ToolPanel = nullptr;
    TqvSkinSpeedButton* NewFolderToolButton = nullptr;
    TqvSkinEdit* DirEdit = nullptr;

    // Only a folder with a place in the file system can be the answer.
    bool CanConfirm() const;

    void DirEditKeyPress(QObject* Sender, QChar& Key);
    void DirTreeViewChange(QObject* Sender, TTreeNode* Node);
    void CreateFolderClick(QObject* Sender);
    void OkButtonClick(QObject* Sender);

protected:
    void Layout() override;

private:
    QPointer<TqvSkinData> FCtrlSD;
    bool FShowToolBar;
    bool FToolButtonsTransparent;
};

class TqvSkinSelectDirectoryDialog : public TComponent {
    Q_OBJECT
public:
    explicit TqvSkinSelectDirectoryDialog(QObject* AOwner = nullptr);

    // True when the user confirmed a folder; Directory then holds its path.
    bool Execute();

    QString Title = QStringLiteral("Select folder");
    QString Directory;
    bool ShowToolBar = false;
    bool ToolButtonsTransparent = false;
    int DialogWidth = 0, DialogHeight = 0;
    int DialogMinWidth = 0, DialogMinHeight = 0;
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    int AlphaBlendValue = 200;
    TNotifyEvent OnShow, OnClose;

    TqvSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TqvSkinData* v) { FSkinData = v; }
    TqvSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TqvSkinData* v) { FCtrlSkinData = v; }
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& f) { FDefaultFont.Assign(f); }
    // The form while Execute runs.
    TqvSelDirDlgForm* Form() const { return FForm; }

protected:
    // The one place the form is shown.
    virtual TModalResult RunModal(TqvSelDirDlgForm* form) { return form->ShowModal(); }

private:
    QPointer<TqvSkinData> FSkinData, FCtrlSkinData;
    TFont FDefaultFont{QStringLiteral("Arial"), 14};
    QPointer<TqvSelDirDlgForm> FForm;
};
