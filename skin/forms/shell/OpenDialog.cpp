#include "skin/forms/shell/OpenDialog.h"

#include "platform/Application.h"
#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/bars/SkinToolBar.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/buttons/SkinMenuSpeedButton.h"
#include "skin/controls/buttons/SkinSpeedButton.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/labels/SkinLabels.h"
#include "skin/controls/menus/SkinMenuServices.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/controls/spacers/SkinSpacers.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/dialogs/SkinMessage.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/shell/ShellComboBox.h"
#include "skin/forms/shell/ShellDriveControls.h"
#include "skin/forms/shell/ShellFileControls.h"
#include "skin/forms/shell/ShellListView.h"
#include "skin/forms/shell/ShellTreeView.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QItemSelectionModel>

#include <algorithm>
#include <QDir>
#include <QFileInfo>

namespace OpenDialogNames {

QString ExtractFileExt(const QString& name) {
    const int slash = name.lastIndexOf(QLatin1Char('/'));
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? name.mid(dot) : QString();
}

QString MaskExtension(const QString& mask) {
    if (mask.contains(QLatin1String(".*"))) return {};
    return ExtractFileExt(mask.section(QLatin1Char(';'), 0, 0).trimmed());
}

QString Join(const QString& folder, const QString& name) {
    if (QDir::isAbsolutePath(name)) return name;
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

}  // namespace OpenDialogNames

using namespace OpenDialogNames;

namespace {

// The keyboard starts at the first row without choosing it: a chosen row
// would replace the name the caller gave.
void FocusFirstItem(TqvSkinFileListView* list) {
    QAbstractItemView* view = list->ActiveView();
    if (!view || !view->model() || view->model()->rowCount() == 0) return;
    view->selectionModel()->setCurrentIndex(view->model()->index(0, 0), QItemSelectionModel::NoUpdate);
}

}  // namespace

// The view-style menu shown through the skinned popup-menu service: the
// radio items of the form's menu, the chosen one marked.
class TqvStyleMenuRef : public TqvPopupMenuRef {
public:
    explicit TqvStyleMenuRef(TqvOpenDlgForm* form) : FForm(form) {}
    QObject* MenuObject() override { return FForm->StylePopupMenu; }
    void Popup2(TControl* PopupControl, int X, int Y) override { Show(PopupControl, TPoint{X, Y}); }
    void PopupFromRect2(TControl* PopupControl, const TRect& R, bool PopupUp) override {
        Show(PopupControl, TPoint{R.Left, PopupUp ? R.Top : R.Bottom});
    }

private:
    void Show(TControl* PopupControl, TPoint P) {
        TqvPopupMenuService* service = PopupMenuService();
        if (!service) return;
        auto items = std::make_shared<TqvMenuItemList>();
        TMenuItem* root = FForm->StylePopupMenu->Items();
        for (int i = 0; i < root->Count(); ++i) {
            TMenuItem* it = root->Items(i);
            QPointer<TMenuItem> guard(it);
            // No check marks through the service: the chosen style leads with a bullet.
            items->push_back({(it->Checked() ? QStringLiteral("\u2022 ") : QStringLiteral("   ")) + it->Caption(),
                              it->Enabled(), [guard] {
                                  if (guard) guard->Click();
                              }});
        }
        service->Popup(PopupControl, FForm, items, P);
    }
    TqvOpenDlgForm* FForm;
};

TqvOpenDlgForm::TqvOpenDlgForm(QObject* AOwner, bool ASaveMode, TqvSkinData* ACtrlSkinData,
                               bool AToolButtonsTransparent)
    : TForm(AOwner), SaveMode(ASaveMode), FCtrlSD(ACtrlSkinData), FToolButtonsTransparent(AToolButtonsTransparent) {
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    QVF = new TqvVelmora(this);
}

TqvOpenDlgForm::~TqvOpenDlgForm() = default;

void TqvOpenDlgForm::Layout() {
    TqvSkinData* sd = FCtrlSD;
    // The anchored bottom row is placed for the default size and follows the form.
    SetClientSize(450, 290);
    LayoutBeforeToolBar();

    ToolPanel = new TqvSkinToolBar(this);
    ToolPanel->SetName(QStringLiteral("ToolPanel"));
    ToolPanel->SetParent(this);
    ToolPanel->SetAlign(alTop);
    ToolPanel->SetBorderStyle(bvNone);
    ToolPanel->SetDefaultHeight(25);
    ToolPanel->SetSkinDataName(QStringLiteral("toolpanel"));
    ToolPanel->SetSkinData(sd);

    DialogSpacer(this, ToolPanel, alLeft, 10);
    Drivelabel = DialogLabel(this, ToolPanel, "Drivelabel", DialogText(sd, "FLV_LOOKIN", "Look in: "), sd);
    Drivelabel->SetAlign(alLeft);
    Drivelabel->SetLayout(tlCenter);

    // Right-aligned controls line up from the right edge in creation order.
    LayoutToolBarEnd();
    StylePopupMenu = new TPopupMenu(this);
    const struct {
        TMenuItem** Item;
        const char* Key;
        const char* Text;
        void (TqvOpenDlgForm::*Click)(QObject*);
    } styles[] = {{&IconMenuItem, "MSG_LV_ICON", "Large icons", &TqvOpenDlgForm::IconItemClick},
                  {&SmallIconMenuItem, "MSG_LV_SMALLICON", "Small icons", &TqvOpenDlgForm::SmallIconItemClick},
                  {&ListMenuItem, "MSG_LV_LIST", "List", &TqvOpenDlgForm::ListItemClick},
                  {&ReportMenuItem, "MSG_LV_DETAILS", "Details", &TqvOpenDlgForm::ReportItemClick}};
    for (const auto& s : styles) {
        auto* item = new TMenuItem(StylePopupMenu);
        item->SetCaption(DialogText(sd, s.Key, s.Text));
        item->SetRadioItem(true);
        auto click = s.Click;
        item->OnClick = [this, click](QObject* sender) { (this->*click)(sender); };
        StylePopupMenu->Items()->Add(item);
        *s.Item = item;
    }
    FStyleMenuRef = std::make_unique<TqvStyleMenuRef>(this);
    StyleToolButton = new TqvSkinMenuSpeedButton(this);
    StyleToolButton->SetName(QStringLiteral("StyleToolButton"));
    StyleToolButton->SetParent(ToolPanel);
    StyleToolButton->SetAlign(alRight);
    StyleToolButton->SetDefaultWidth(37);
    StyleToolButton->SetDefaultHeight(25);
    StyleToolButton->SetSkinDataName(QStringLiteral("toolmenubutton"));
    StyleToolButton->SetGlyph(DialogGlyph("QV_LVSTYLE"));
    StyleToolButton->SetSkinPopupMenu(FStyleMenuRef.get());
    StyleToolButton->SetHint(DialogText(sd, "MSG_BTN_VIEWMENU_HINT", "View Menu"));
    StyleToolButton->SetShowHint(true);
    StyleToolButton->SetFlat(FToolButtonsTransparent);
    StyleToolButton->SetSkinData(sd);
    DialogSpacer(this, ToolPanel, alRight, 10);
    NewFolderToolButton = DialogToolButton(this, ToolPanel, "NewFolderToolButton", "QV_NEWFOLDER",
                                     DialogText(sd, "MSG_BTN_NEWFOLDER_HINT", "Create New Folder"),
                                     FToolButtonsTransparent, sd);
    NewFolderToolButton->OnClick = [this](QObject* s) { NewFolderToolButtonClick(s); };
    UpToolButton = DialogToolButton(this, ToolPanel, "UpToolButton", "QV_UP", DialogText(sd, "MSG_BTN_UP_HINT", "Up One Level"),
                              FToolButtonsTransparent, sd);
    UpToolButton->OnClick = [this](QObject* s) { UpToolButtonClick(s); };
    BackToolButton = DialogToolButton(this, ToolPanel, "BackToolButton", "QV_BACK",
                                DialogText(sd, "MSG_BTN_BACK_HINT", "Go To Last Folder Visited"),
                                FToolButtonsTransparent, sd);
    BackToolButton->OnClick = [this](QObject* s) { BackToolButtonClick(s); };

    ShellBox = new TqvSkinShellComboBox(this);
    ShellBox->SetName(QStringLiteral("ShellBox"));
    ShellBox->SetParent(ToolPanel);
    ShellBox->SetAlign(alClient);
    ShellBox->SetWidth(190);
    ShellBox->SetDropDownCount(10);
    ShellBox->SetSkinDataName(QStringLiteral("combobox"));
    ShellBox->SetSkinData(sd);

    BottomPanel = DialogPanel(this, this, "BottomPanel", alBottom, bvNone, sd);
    BottomPanel->SetHeight(80);

    FileListViewPanel = DialogPanel(this, this, "FileListViewPanel", alClient, bvFrame, sd);
    FLVHScrollBar = DialogScrollBar(this, FileListViewPanel, "FLVHScrollBar", false, sd);
    FLVVScrollBar = DialogScrollBar(this, FileListViewPanel, "FLVVScrollBar", true, sd);

    FileListView = new TqvSkinFileListView(this);
    FileListView->SetName(QStringLiteral("FileListView"));
    FileListView->SetParent(FileListViewPanel);
    FileListView->SetAlign(alClient);
    FileListView->SetViewStyle(vsList);
    FileListView->SetShowColumnHeaders(true);
    FileListView->SetVScrollBar(FLVVScrollBar);
    FileListView->SetHScrollBar(FLVHScrollBar);
    FileListView->SetSkinData(sd);
    ShellBox->SetShellListView(FileListView);
    FileListView->OnSelectItem = [this](QObject* s, TListItem*, bool) { FLVChange(s); };
    FileListView->OnPathChanged = [this](QObject* s) { FLVPathChange(s); };
    FileListView->OnDblClick = [this](QObject* s) { FLVDBLClick(s); };
    FileListView->OnKeyPress = [this](QObject* s, QChar& k) { FLVKeyPress(s, k); };

    LayoutBottom();
    SetActiveControl(FileNameEdit);
}

void TqvOpenDlgForm::LayoutBottom() {
    TqvSkinData* sd = FCtrlSD;
    // Aligning waits for the end of loading; the anchored row needs the panel's width now.
    BottomPanel->SetBounds(0, ClientHeight() - BottomPanel->Height(), ClientWidth(), BottomPanel->Height());
    const int W = BottomPanel->Width();
    FileNameEdit = new TqvSkinEdit(this);
    FileNameEdit->SetName(QStringLiteral("FileNameEdit"));
    FileNameEdit->SetParent(BottomPanel);
    FileNameEdit->SetDefaultHeight(21);
    FileNameEdit->SetBounds(70, 10, W - 90 - 70, FileNameEdit->Height());
    FileNameEdit->SetAnchors(akLeft | akTop | akRight);
    FileNameEdit->SetSkinData(sd);
    FileNameEdit->OnKeyPress = [this](QObject* s, QChar& k) { EditKeyPress(s, k); };

    FilterComboBox = new TqvSkinFilterComboBox(this);
    FilterComboBox->SetName(QStringLiteral("FilterComboBox"));
    FilterComboBox->SetParent(BottomPanel);
    FilterComboBox->SetDefaultHeight(21);
    FilterComboBox->SetBounds(70, 45, W - 90 - 70, FilterComboBox->Height());
    FilterComboBox->SetAnchors(akLeft | akTop | akRight);
    FilterComboBox->SetSkinData(sd);
    FilterComboBox->OnChange = [this](QObject* s) { FCBChange(s); };

    OpenButton = new TqvSkinButton(this);
    OpenButton->SetName(QStringLiteral("OpenButton"));
    OpenButton->SetParent(BottomPanel);
    OpenButton->SetCaption(SaveMode ? DialogText(sd, "MSG_BTN_SAVE", "&Save") : DialogText(sd, "MSG_BTN_OPEN", "&Open"));
    OpenButton->SetCanFocused(true);
    OpenButton->SetDefaultHeight(25);
    OpenButton->SetBounds(W - 80, 10, 70, OpenButton->Height());
    OpenButton->SetAnchors(akTop | akRight);
    OpenButton->SetSkinData(sd);
    OpenButton->OnClick = [this](QObject* s) { OpenButtonClick(s); };

    CancelButton = new TqvSkinButton(this);
    CancelButton->SetName(QStringLiteral("CancelButton"));
    CancelButton->SetParent(BottomPanel);
    CancelButton->SetCaption(DialogText(sd, "MSG_BTN_CANCEL", "Cancel"));
    CancelButton->SetCanFocused(true);
    CancelButton->SetDefaultHeight(25);
    CancelButton->SetBounds(W - 80, 45, 70, CancelButton->Height());
    CancelButton->SetAnchors(akTop | akRight);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);
    CancelButton->SetSkinData(sd);

    OpenFileLabel = DialogLabel(this, BottomPanel, "OpenFileLabel", DialogText(sd, "MSG_FILENAME", "File name:"), sd);
    OpenFileLabel->SetBounds(10, 10, OpenFileLabel->Width(), OpenFileLabel->Height());
    FileTypeLabel = DialogLabel(this, BottomPanel, "FileTypeLabel", DialogText(sd, "MSG_FILETYPE", "File type:"), sd);
    FileTypeLabel->SetBounds(10, 45, FileTypeLabel->Width(), FileTypeLabel->Height());
    // A wider font than the row was drawn for must not run the labels into the boxes.
    const int left = std::max(70, 10 + std::max(OpenFileLabel->Width(), FileTypeLabel->Width()) + 6);
    for (TControl* c : {static_cast<TControl*>(FileNameEdit), static_cast<TControl*>(FilterComboBox)}) {
        c->SetBounds(left, c->Top(), c->Left() + c->Width() - left, c->Height());
        c->SetAnchors(c->Anchors());
    }
}

// ---- names

QString TqvOpenDlgForm::FilterExtension() const { return MaskExtension(FilterComboBox->Mask()); }

QString TqvOpenDlgForm::DefaultExtension() const {
    return DefaultExt.isEmpty() ? FilterExtension() : QLatin1Char('.') + DefaultExt;
}

QString TqvOpenDlgForm::Candidate(const QString& N) const {
    QString c = Join(FileListView->Path(), N);
    if (ExtractFileExt(c).isEmpty()) c += DefaultExtension();
    return c;
}

QString TqvOpenDlgForm::FinalSaveName(const QString& Name) const {
    QString n = Name;
    if (ExtractFileExt(n).isEmpty()) n += FilterExtension();
    if (ExtractFileExt(n).isEmpty() && !DefaultExt.isEmpty()) n += QLatin1Char('.') + DefaultExt;
    return n;
}

bool TqvOpenDlgForm::ConfirmOverwrite(const QString& Name) {
    if (!OverwritePromt || !QFileInfo(Name).exists()) return true;
    TqvSkinMessage box;
    box.SetSkinData(QVF->SkinData());
    box.SetCtrlSkinData(FCtrlSD);
    return box.MessageDlg(DialogText(FCtrlSD, "MSG_OVERWRITE", "Do you want to overwrite old file?"), mtWarning,
                          MsgBtn(mbOK) | MsgBtn(mbCancel), 0) == mrOk;
}

void TqvOpenDlgForm::Accept(const QString& Name) {
    FileName = Name;
    SetModalResult(mrOk);
}

// ---- buttons and keys

void TqvOpenDlgForm::OpenButtonClick(QObject*) {
    const QString S = FileListView->GetSelectedFile();
    const QString N = FileNameEdit->Text();
    if (!SaveMode && CheckFileExists && S.isEmpty() && !N.isEmpty() && !QFileInfo(Candidate(N)).isFile()) return;
    if (N.isEmpty()) return;
    if (SaveMode) {
        if (Join(FileListView->Path(), N).contains(QLatin1Char('*'))) return;
        // The question names the file the caller will write.
        const QString name = FinalSaveName(Join(FileListView->Path(), N));
        if (ConfirmOverwrite(name)) Accept(name);
        return;
    }
    if (CheckFileExists) {
        const QString name = S.isEmpty() ? Candidate(N) : S;
        if (QFileInfo(name).isFile()) Accept(name);
        else FileName.clear();
        return;
    }
    if (!S.isEmpty()) {
        Accept(S);
        return;
    }
    QString name = Join(FileListView->Path(), N);
    if (ExtractFileExt(name).isEmpty()) name += DefaultExtension();
    Accept(name);
}

void TqvOpenDlgForm::EditKeyPress(QObject*, QChar& Key) {
    if (Key != QChar('\r')) return;
    Key = QChar();
    const QString text = FileNameEdit->Text();
    DialogGuard(Frame, [&] {
        if (text.contains(QLatin1Char('*'))) {
            FileListView->SetMask(text);
        } else if (text.contains(QLatin1Char('/'))) {
            const QString dir = Join(FileListView->Path(), text);
            if (QFileInfo(dir).isDir()) FileListView->SetPath(QDir::cleanPath(dir));
        } else {
            OpenButtonClick(OpenButton);
        }
    });
}

void TqvOpenDlgForm::FLVKeyPress(QObject*, QChar& Key) {
    if (Key == QChar('\r') && !FileListView->GetSelectedFile().isEmpty()) OpenButtonClick(OpenButton);
}

void TqvOpenDlgForm::FLVChange(QObject*) {
    const QString s = FileListView->GetSelectedFile();
    // The view reports every row it selects or leaves; the edit follows the choice once.
    if (s == FLastSelected) return;
    FLastSelected = s;
    if (!s.isEmpty()) FileNameEdit->SetText(QFileInfo(s).fileName());
    if (OnFolderChange) OnFolderChange(this);
}

void TqvOpenDlgForm::FLVDBLClick(QObject*) {
    const QString s = FileListView->GetSelectedFile();
    if (s.isEmpty()) return;
    if (SaveMode && !ConfirmOverwrite(s)) return;
    Accept(s);
}

void TqvOpenDlgForm::FLVPathChange(QObject*) {
    if (!StopAddToHistory && FileListView->RootFolder()) {
        const TqvShellID id = FileListView->RootFolder()->AbsoluteID();
        if (FolderHistory.empty() || !(FolderHistory.back() == id)) FolderHistory.push_back(id);
    }
    FLastSelected.clear();
    FocusFirstItem(FileListView);
    if (OnFolderChange) OnFolderChange(this);
}

void TqvOpenDlgForm::FCBChange(QObject*) {
    FileListView->SetMask(FilterComboBox->Mask());
    const QString ext = FilterExtension();
    if (!SaveMode || ext.isEmpty() || FileNameEdit->Text().isEmpty()) return;
    QString name = FileNameEdit->Text();
    const QString old = ExtractFileExt(name);
    if (!old.isEmpty()) name.remove(name.indexOf(old), old.size());
    FileNameEdit->SetText(name + ext);
}

void TqvOpenDlgForm::InitHistory() {
    FolderHistory.clear();
    if (FileListView->RootFolder()) FolderHistory.push_back(FileListView->RootFolder()->AbsoluteID());
}

void TqvOpenDlgForm::UpToolButtonClick(QObject*) {
    DialogGuard(Frame, [&] { FileListView->Back(); });
}

void TqvOpenDlgForm::BackToolButtonClick(QObject*) {
    if (FolderHistory.size() < 2) return;
    StopAddToHistory = true;
    const TqvShellID id = FolderHistory[FolderHistory.size() - 2];
    FolderHistory.erase(FolderHistory.end() - 2);
    DialogGuard(Frame, [&] { FileListView->SyncToID(id); });
    StopAddToHistory = false;
}

void TqvOpenDlgForm::SetViewStyle(TViewStyle v) {
    FileListView->SetViewStyle(v);
    IconMenuItem->SetChecked(v == vsIcon);
    SmallIconMenuItem->SetChecked(v == vsSmallIcon);
    ListMenuItem->SetChecked(v == vsList);
    ReportMenuItem->SetChecked(v == vsReport);
}

void TqvOpenDlgForm::IconItemClick(QObject*) { SetViewStyle(vsIcon); }
void TqvOpenDlgForm::SmallIconItemClick(QObject*) { SetViewStyle(vsSmallIcon); }
void TqvOpenDlgForm::ListItemClick(QObject*) { SetViewStyle(vsList); }
void TqvOpenDlgForm::ReportItemClick(QObject*) { SetViewStyle(vsReport); }

void TqvOpenDlgForm::NewFolderToolButtonClick(QObject*) {
    TqvShellFolder* root = FileListView->RootFolder();
    if (!root || root->AbsoluteID().IsVirtual()) return;
    ++NewFolderCount;
    QString name = DialogText(FCtrlSD, "MSG_NEWFOLDER", "New Folder");
    if (NewFolderCount > 1) name += QStringLiteral("(%1)").arg(NewFolderCount);
    const QString path = Join(FileListView->Path(), name);
    if (QFileInfo(path).exists()) return;
    DialogGuard(Frame, [&] {
        if (!QDir().mkdir(path)) throw EInOutError(QStringLiteral("Cannot create the folder \"%1\"").arg(path).toStdString());
        FileListView->Refresh();
        QCoreApplication::processEvents();
        for (int i = 0; i < FileListView->FolderCount(); ++i)
            if (FileListView->Folders(i)->DisplayName() == name) {
                FileListView->SetItemIndex(i);
                FileListView->EditSelected();
                break;
            }
    });
}

// ---------------------------------------------------------------------------

TqvCustomOpenDialog::TqvCustomOpenDialog(QObject* AOwner) : TComponent(AOwner) {}

QString TqvCustomOpenDialog::GetSelectedFile() const {
    return FForm ? FForm->FileListView->GetSelectedFile() : QString();
}

void TqvCustomOpenDialog::SetFileName(const QString& v) {
    FileName = v;
    if (FForm) FForm->FileNameEdit->SetText(QFileInfo(v).fileName());
}

QString TqvCustomOpenDialog::ResultName(TqvOpenDlgForm* form) {
    return FSaveMode ? form->FinalSaveName(form->FileName) : form->FileName;
}

bool TqvCustomOpenDialog::Execute() {
    if (OnShow) OnShow(this);
    TqvOpenDlgForm* form = nullptr;
    const TDialogRunEnd<TqvCustomOpenDialog, TqvOpenDlgForm> finally{this, form};

    form = CreateForm();
    form->Build();
    FForm = form;
    form->OverwritePromt = OverwritePromt;
    form->CheckFileExists = CheckFileExists;
    form->Frame = {FSkinData, FCtrlSkinData, DialogMinWidth, DialogMinHeight, AlphaBlend, AlphaBlendAnimation,
                   AlphaBlendValue};
    PrepareForm(form);
    form->SetCaption(Title);
    ApplyDialogFrame(form->QVF, form->Frame);
    form->OpenButton->SetDefaultFont(FDefaultFont);
    form->CancelButton->SetDefaultFont(FDefaultFont);
    form->ShellBox->SetDefaultFont(FDefaultFont);
    form->FileListView->SetDefaultFont(FDefaultFont);
    form->SetViewStyle(FListViewStyle);

    // A remembered folder that has gone away must not stop every later run.
    const QString dir = QFileInfo(FileName).path();
    QString start;
    if (QDir::isAbsolutePath(FileName) && QFileInfo(dir).isDir()) start = dir;
    else if (QDir::isAbsolutePath(InitialDir) && QFileInfo(InitialDir).isDir()) start = InitialDir;
    else start = QCoreApplication::applicationDirPath();
    form->FileListView->SetRoot(QDir::cleanPath(start));
    form->ShellBox->NavigateToID(form->FileListView->RootFolder()->AbsoluteID());

    form->FileListView->SetHeaderSkinDataName(LVHeaderSkinDataName);
    form->FileListView->SetMultiSelect(MultiSelection);
    TShellObjectTypes types{otFolders, otNonFolders};
    if (ShowHiddenFiles) types.Include(otHidden);
    form->FileListView->SetObjectTypes(types);
    form->FilterComboBox->SetFilter(Filter);
    form->FilterComboBox->SetItemIndex(FilterIndex - 1);
    form->FCBChange(form->FilterComboBox);

    ApplyDialogClientSize(form, form->QVF, FSkinData, DialogWidth, DialogHeight, DefaultWidth(), 290);
    FocusFirstItem(form->FileListView);
    form->FileNameEdit->SetText(QFileInfo(FileName).fileName());
    form->InitHistory();
    form->SetActiveControl(form->FileNameEdit);
    const TModalResult r = RunModal(form);

    FilterIndex = form->FilterComboBox->ItemIndex() + 1;
    DialogWidth = form->ClientWidth();
    DialogHeight = form->ClientHeight();
    FListViewStyle = form->FileListView->ViewStyle();
    FormClosed(form);
    if (r != mrOk) return false;
    FileName = ResultName(form);
    form->FileListView->GetSelectedFiles(FFiles);
    return true;
}

TqvOpenDlgForm* TqvSkinOpenDialog::CreateForm() {
    return new TqvOpenDlgForm(Application(), FSaveMode, CtrlSkinData(), ToolButtonsTransparent);
}

void TqvSkinOpenDialog::PrepareForm(TqvOpenDlgForm* form) {
    form->DefaultExt = DefaultExt;
    form->OnFolderChange = OnFolderChange;
}
