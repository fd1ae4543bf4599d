#include "skin/forms/shell/SelectDirectoryDialog.h"

#include "platform/Application.h"
#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/buttons/SkinSpeedButton.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/controls/spacers/SkinSpacers.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/shell/ShellTreeView.h"
#include "skin/forms/shell/ShellDriveControls.h"
#include "skin/forms/shell/ShellFileControls.h"

#include <QDir>
#include <QFileInfo>

TqvSelDirDlgForm::TqvSelDirDlgForm(QObject* AOwner, TqvSkinData* ACtrlSkinData, bool AShowToolBar,
                                   bool AToolButtonsTransparent)
    : TForm(AOwner),
      FCtrlSD(ACtrlSkinData),
      FShowToolBar(AShowToolBar),
      FToolButtonsTransparent(AToolButtonsTransparent) {
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    QVF = new TqvVelmora(this);
}

void TqvSelDirDlgForm::Layout() {
    TqvSkinData* sd = FCtrlSD;
    if (FShowToolBar) {
        // Its height and record are set before the model, which sizes it.
        ToolPanel = new TqvSkinPanel(this);
        ToolPanel->SetName(QStringLiteral("ToolPanel"));
        ToolPanel->SetParent(this);
        ToolPanel->SetAlign(alTop);
        ToolPanel->SetBorderStyle(bvNone);
        ToolPanel->SetDefaultHeight(25);
        ToolPanel->SetSkinDataName(QStringLiteral("toolpanel"));
        ToolPanel->SetSkinData(sd);

        NewFolderToolButton = DialogToolButton(this, ToolPanel, "NewFolderToolButton", "QV_NEWFOLDER",
                                               DialogText(sd, "MSG_BTN_NEWFOLDER_HINT", "Create New Folder"),
                                               FToolButtonsTransparent, sd);
        NewFolderToolButton->OnClick = [this](QObject* s) { CreateFolderClick(s); };
        DialogSpacer(this, ToolPanel, alRight, 5);

        DirEdit = new TqvSkinEdit(this);
        DirEdit->SetName(QStringLiteral("DirEdit"));
        DirEdit->SetParent(ToolPanel);
        DirEdit->SetAlign(alClient);
        DirEdit->SetDefaultHeight(25);
        DirEdit->SetSkinDataName(QStringLiteral("edit"));
        DirEdit->SetSkinData(sd);
        DirEdit->OnKeyPress = [this](QObject* s, QChar& k) { DirEditKeyPress(s, k); };
    }

    DirTreeViewPanel = DialogPanel(this, this, "DirTreeViewPanel", alClient, bvFrame, sd);
    DirTreeViewPanel->SetHeight(200);
    VScrollBar = DialogScrollBar(this, DirTreeViewPanel, "VScrollBar", true, sd);
    HScrollBar = DialogScrollBar(this, DirTreeViewPanel, "HScrollBar", false, sd);

    DirTreeView = new TqvSkinDirTreeView(this);
    DirTreeView->SetName(QStringLiteral("DirTreeView"));
    DirTreeView->SetParent(DirTreeViewPanel);
    DirTreeView->SetAlign(alClient);
    DirTreeView->SetVScrollBar(VScrollBar);
    DirTreeView->SetHScrollBar(HScrollBar);
    DirTreeView->SetObjectTypes(TShellObjectTypes{otFolders, otHidden});
    DirTreeView->SetSkinData(sd);
    DirTreeView->OnChange = [this](QObject* s, TTreeNode* n) { DirTreeViewChange(s, n); };

    BottomPanel = DialogPanel(this, this, "BottomPanel", alBottom, bvNone, sd);
    BottomPanel->SetHeight(50);

    OkButton = new TqvSkinButton(this);
    OkButton->SetName(QStringLiteral("OkButton"));
    OkButton->SetParent(BottomPanel);
    OkButton->SetDefault(true);
    OkButton->SetCaption(DialogText(sd, "MSG_BTN_OK", "OK"));
    OkButton->SetCanFocused(true);
    OkButton->SetDefaultHeight(25);
    OkButton->SetBounds(20, 15, 70, OkButton->Height());
    OkButton->SetSkinData(sd);
    // The click decides: a virtual folder cannot be the answer.
    OkButton->OnClick = [this](QObject* s) { OkButtonClick(s); };

    CancelButton = new TqvSkinButton(this);
    CancelButton->SetName(QStringLiteral("CancelButton"));
    CancelButton->SetParent(BottomPanel);
    CancelButton->SetCaption(DialogText(sd, "MSG_BTN_CANCEL", "Cancel"));
    CancelButton->SetCanFocused(true);
    CancelButton->SetDefaultHeight(25);
    CancelButton->SetBounds(100, 15, 70, CancelButton->Height());
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);
    CancelButton->SetSkinData(sd);
}

bool TqvSelDirDlgForm::CanConfirm() const {
    TqvShellFolder* f = DirTreeView->SelectedFolder();
    return f && !f->AbsoluteID().IsVirtual() && f->IsFolder();
}

void TqvSelDirDlgForm::OkButtonClick(QObject*) {
    if (CanConfirm()) SetModalResult(mrOk);
}

void TqvSelDirDlgForm::DirTreeViewChange(QObject*, TTreeNode*) {
    if (DirEdit) DirEdit->SetText(DirTreeView->Path());
    OkButton->SetEnabled(CanConfirm());
}

void TqvSelDirDlgForm::DirEditKeyPress(QObject*, QChar& Key) {
    if (Key != QChar('\r')) return;
    const QString text = DirEdit->Text();
    if (text.isEmpty()) return;
    // Relative texts go below the selected folder, never the process's current one.
    const QString base = DirTreeView->Path();
    const QString path = QDir::isAbsolutePath(text) || base.isEmpty() ? text : QDir(base).filePath(text);
    if (!QDir::isAbsolutePath(path) || !QFileInfo(path).isDir()) return;
    Key = QChar();
    DialogGuard(Frame, [&] { DirTreeView->SetPath(QDir::cleanPath(path)); });
}

void TqvSelDirDlgForm::CreateFolderClick(QObject*) {
    TqvShellFolder* f = DirTreeView->SelectedFolder();
    if (!f || !DirTreeView->Selected() || f->AbsoluteID().IsVirtual()) return;
    const QString path = QDir(f->PathName()).filePath(DialogText(FCtrlSD, "MSG_NEWFOLDER", "New Folder"));
    if (QFileInfo(path).exists()) return;
    DialogGuard(Frame, [&] {
        if (!QDir().mkdir(path)) throw EInOutError(QStringLiteral("Cannot create the folder \"%1\"").arg(path).toStdString());
        DirTreeView->Refresh(DirTreeView->Selected());
    });
}

// ---------------------------------------------------------------------------

TqvSkinSelectDirectoryDialog::TqvSkinSelectDirectoryDialog(QObject* AOwner) : TComponent(AOwner) {}

bool TqvSkinSelectDirectoryDialog::Execute() {
    if (OnShow) OnShow(this);
    TqvSelDirDlgForm* form = nullptr;
    const TDialogRunEnd<TqvSkinSelectDirectoryDialog, TqvSelDirDlgForm> finally{this, form};

    form = new TqvSelDirDlgForm(Application(), FCtrlSkinData, ShowToolBar, ToolButtonsTransparent);
    form->Build();
    FForm = form;
    form->Frame = {FSkinData, FCtrlSkinData, DialogMinWidth, DialogMinHeight, AlphaBlend, AlphaBlendAnimation,
                   AlphaBlendValue};
    form->SetCaption(Title);
    ApplyDialogFrame(form->QVF, form->Frame);
    form->DirTreeView->SetDefaultFont(FDefaultFont);
    form->OkButton->SetDefaultFont(FDefaultFont);
    form->CancelButton->SetDefaultFont(FDefaultFont);

    if (!Directory.isEmpty() && QDir::isAbsolutePath(Directory) && QFileInfo(Directory).isDir())
        form->DirTreeView->SetPath(Directory);
    else
        form->DirTreeView->ExpandMyComputer();
    form->DirTreeViewChange(form->DirTreeView, form->DirTreeView->Selected());

    ApplyDialogClientSize(form, form->QVF, FSkinData, DialogWidth, DialogHeight, 280, 280);
    form->SetActiveControl(form->DirTreeView);
    const TModalResult r = RunModal(form);
    DialogWidth = form->ClientWidth();
    DialogHeight = form->ClientHeight();
    if (r != mrOk) return false;
    Directory = form->DirTreeView->Path();
    return true;
}
