#include "skin/forms/shell/SelectSkinDialog.h"

#include "platform/Application.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/lists/SkinListBox.h"
#include "skin/forms/Velmora.h"

#include <algorithm>

TqvSelectSkinDlgForm::TqvSelectSkinDlgForm(QObject* AOwner, TqvCompressedSkinList* ASkinList, int ASkinIndex,
                                           TqvSkinData* ACtrlSkinData)
    : TForm(AOwner), FCSkinList(ASkinList), FCSkinIndex(ASkinIndex), FOwnerMode(false), FCtrlSD(ACtrlSkinData) {
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    QVF = new TqvVelmora(this);
}

TqvSelectSkinDlgForm::TqvSelectSkinDlgForm(QObject* AOwner, QObject* AForm, TqvCompressedStoredSkin* ADefaultSkin,
                                           TqvSkinData* ACtrlSkinData)
    : TForm(AOwner), FOwnerMode(true), FForm(AForm), FDefaultSkin(ADefaultSkin), FCtrlSD(ACtrlSkinData) {
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    QVF = new TqvVelmora(this);
}

void TqvSelectSkinDlgForm::Layout() {
    TqvSkinData* sd = FCtrlSD;
    PreviewSkinData = new TqvSkinData(this);
    if (sd && sd->ResourceStrData()) PreviewSkinData->SetResourceStrData(sd->ResourceStrData());

    PreviewForm = new TForm(this);
    PreviewForm->SetName(QStringLiteral("PreviewForm"));
    PreviewForm->Build();
    PreviewForm->SetParent(this);
    PreviewForm->SetCaption(DialogText(sd, "MSG_PREVIEWSKIN", "Preview"));
    PreviewForm->SetBounds(190, 10, 220, 170);
    PreviewForm->SetEnabled(false);
    PreviewBSF = new TqvVelmora(PreviewForm);
    PreviewBSF->PreviewMode = true;
    PreviewBSF->SetSkinData(PreviewSkinData);

    PreviewButton = new TqvSkinButton(PreviewForm);
    PreviewButton->SetName(QStringLiteral("PreviewButton"));
    PreviewButton->SetParent(PreviewForm);
    PreviewButton->SetCaption(DialogText(sd, "MSG_PREVIEWBUTTON", "Button"));
    PreviewButton->SetBounds(20, 20, 100, PreviewButton->Height());
    PreviewButton->SetSkinData(PreviewSkinData);

    OpenButton = new TqvSkinButton(this);
    OpenButton->SetName(QStringLiteral("OpenButton"));
    OpenButton->SetParent(this);
    OpenButton->SetCaption(DialogText(sd, "MSG_BTN_OK", "OK"));
    OpenButton->SetDefault(true);
    OpenButton->SetCanFocused(true);
    OpenButton->SetDefaultHeight(25);
    OpenButton->SetBounds(260, 200, 70, OpenButton->Height());
    OpenButton->SetModalResult(mrOk);

    CancelButton = new TqvSkinButton(this);
    CancelButton->SetName(QStringLiteral("CancelButton"));
    CancelButton->SetParent(this);
    CancelButton->SetCaption(DialogText(sd, "MSG_BTN_CANCEL", "Cancel"));
    CancelButton->SetCanFocused(true);
    CancelButton->SetDefaultHeight(25);
    CancelButton->SetBounds(340, 200, 70, CancelButton->Height());
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);

    SkinsListBox = new TqvSkinListBox(this);
    SkinsListBox->SetName(QStringLiteral("SkinsListBox"));
    SkinsListBox->SetParent(this);
    SkinsListBox->SetBounds(10, 10, 170, 170);
    SkinsListBox->OnListBoxClick = [this](QObject* s) { SLBOnChange(s); };
    SkinsListBox->OnListBoxDblClick = [this](QObject* s) { SLBOnDblClick(s); };

    if (!FOwnerMode) {
        if (FCSkinList) {
            const TqvSkinListItems& skins = FCSkinList->Skins();
            for (int i = 0; i < skins.Count(); ++i) {
                const TqvSkinListItem* item = skins.GetItem(i);
                SkinsListBox->Items().Add(item->Description().isEmpty() ? item->Name() : item->Description());
            }
        }
        SkinsListBox->SetItemIndex(FCSkinIndex);
        PreviewSkinData->SetSkinIndex(FCSkinIndex);
        PreviewSkinData->SetSkinList(FCSkinList);
    } else {
        int row = 0;
        if (TComponentBase* owner = FForm ? AsComponent(FForm) : nullptr)
            for (QObject* c : owner->Components())
                if (auto* s = qobject_cast<TqvCompressedStoredSkin*>(c)) {
                    if (s == FDefaultSkin) row = int(SkinList.size());
                    SkinList.append(s);
                    SkinsListBox->Items().Add(s->Description().isEmpty() ? s->Name() : s->Description());
                }
        if (!SkinList.isEmpty()) {
            SkinsListBox->SetItemIndex(row);
            PreviewSkinData->SetCompressedStoredSkin(SkinList[row]);
        }
    }
    // The inner list takes the keys: the arrows move through the skins at once.
    SetActiveControl(SkinsListBox->ListBox());
    PreviewForm->Show();
}

void TqvSelectSkinDlgForm::SLBOnChange(QObject*) {
    const int row = SkinsListBox->ItemIndex();
    if (row < 0) return;
    if (!FOwnerMode) PreviewSkinData->SetSkinIndex(row);
    else if (row < SkinList.size() && SkinList[row]) PreviewSkinData->SetCompressedStoredSkin(SkinList[row]);
}

void TqvSelectSkinDlgForm::SLBOnDblClick(QObject*) { SetModalResult(mrOk); }

// ---------------------------------------------------------------------------

TqvSelectSkinDialog::TqvSelectSkinDialog(QObject* AOwner) : TComponent(AOwner) {}

TModalResult TqvSelectSkinDialog::Run(TqvSelectSkinDlgForm* form) {
    FForm = form;
    form->SetCaption(Title);
    ApplyDialogFrame(form->QVF, {FSkinData, FCtrlSkinData, 0, 0, AlphaBlend, AlphaBlendAnimation, AlphaBlendValue});
    for (TqvSkinButton* b : {form->OpenButton, form->CancelButton}) {
        b->SetDefaultFont(FDefaultFont);
        b->SetSkinData(FCtrlSkinData);
    }
    form->SkinsListBox->SetDefaultFont(FDefaultFont);
    form->SkinsListBox->SetSkinData(FCtrlSkinData);
    ApplyDialogClientSize(form, form->QVF, FSkinData, 420, 240, 420, 240);
    FSelectedSkin = nullptr;
    FSelectedSkinIndex = -1;
    return RunModal(form);
}

bool TqvSelectSkinDialog::Execute(int SkinIndex) {
    if (!FSkinList) return false;
    std::unique_ptr<TqvSelectSkinDlgForm> form(
        new TqvSelectSkinDlgForm(Application(), FSkinList, SkinIndex, FCtrlSkinData));
    form->Build();
    if (Run(form.get()) != mrOk) return false;
    FSelectedSkinIndex = form->PreviewSkinData->SkinIndex();
    return true;
}

bool TqvSelectSkinDialog::Execute(TqvCompressedStoredSkin* DefaultCompressedSkin) {
    std::unique_ptr<TqvSelectSkinDlgForm> form(
        new TqvSelectSkinDlgForm(Application(), Owner(), DefaultCompressedSkin, FCtrlSkinData));
    form->Build();
    if (Run(form.get()) != mrOk) return false;
    FSelectedSkin = form->SelectedSkin();
    // An owner without stored skins offers nothing to choose.
    return FSelectedSkin != nullptr;
}
