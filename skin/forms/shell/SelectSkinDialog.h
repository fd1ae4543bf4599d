// The select-skin dialog: the stored skins of a skin list (or of the
// owner form) in a list box beside a small sample window that shows the
// highlighted skin live. The sample runs on a private skin model, so the
// application's own skin stays as it is until the caller applies the choice.
#pragma once

#include "platform/Form.h"
#include "skin/forms/shell/DialogSupport.h"
#include "skin/model/StoredSkin.h"

#include <QList>

class TqvSkinButton;
class TqvSkinListBox;
class TqvVelmora;

class TqvSelectSkinDlgForm : public TForm {
    Q_OBJECT
public:
    // List mode: the skins of ASkinList, ASkinIndex highlighted.
    TqvSelectSkinDlgForm(QObject* AOwner, TqvCompressedSkinList* ASkinList, int ASkinIndex,
                         TqvSkinData* ACtrlSkinData);
    // Owner mode: the stored skins among AForm's components, ADefaultSkin highlighted.
    TqvSelectSkinDlgForm(QObject* AOwner, QObject* AForm, TqvCompressedStoredSkin* ADefaultSkin,
                         TqvSkinData* ACtrlSkinData);

    // The stored skin last loaded into the preview.
    TqvCompressedStoredSkin* SelectedSkin() const { return PreviewSkinData->CompressedStoredSkin(); }

    QPointer<TqvCompressedSkinList> FCSkinList;
    int FCSkinIndex = -1;
    TqvVelmora* QVF = nullptr;
    TqvSkinButton* OpenButton = nullptr;
    TqvSkinButton* CancelButton = nullptr;
    TForm* PreviewForm = nullptr;
    TqvVelmora* PreviewBSF = nullptr;
    TqvSkinData* PreviewSkinData = nullptr;
    TqvSkinButton* PreviewButton = nullptr;
    TqvSkinListBox* SkinsListBox = nullptr;
    // Owner mode: the stored skins shown, row by row.
    QList<QPointer<TqvCompressedStoredSkin>> SkinList;

    void SLBOnChange(QObject* Sender);
    void SLBOnDblClick(QObject* Sender);

protected:
    void Layout() override;

private:
    bool FOwnerMode;
    QPointer<QObject> FForm;
    QPointer<TqvCompressedStoredSkin> FDefaultSkin;
    QPointer<TqvSkinData> FCtrlSD;
};

class TqvSelectSkinDialog : public TComponent {
    Q_OBJECT
public:
    explicit TqvSelectSkinDialog(QObject* AOwner = nullptr);

    // False at once without a SkinList; true when the user confirmed, with
    // SelectedSkinIndex the row last previewed.
    bool Execute(int SkinIndex);
    // Chooses among the stored skins on the owner form; SelectedSkin on success.
    bool Execute(TqvCompressedStoredSkin* DefaultCompressedSkin);

    QString Title = QStringLiteral("Select skin");
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    int AlphaBlendValue = 200;

    TqvCompressedSkinList* SkinList() const { return FSkinList; }
    void SetSkinList(TqvCompressedSkinList* v) { FSkinList = v; }
    TqvSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TqvSkinData* v) { FSkinData = v; }
    TqvSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TqvSkinData* v) { FCtrlSkinData = v; }
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& f) { FDefaultFont.Assign(f); }
    int SelectedSkinIndex() const { return FSelectedSkinIndex; }
    TqvCompressedStoredSkin* SelectedSkin() const { return FSelectedSkin; }
    // The window while Execute runs.
    TqvSelectSkinDlgForm* Form() const { return FForm; }

protected:
    virtual TModalResult RunModal(TqvSelectSkinDlgForm* form) { return form->ShowModal(); }

private:
    TModalResult Run(TqvSelectSkinDlgForm* form);

    QPointer<TqvCompressedSkinList> FSkinList;
    QPointer<TqvSkinData> FSkinData, FCtrlSkinData;
    TFont FDefaultFont{QStringLiteral("Arial"), 14};
    int FSelectedSkinIndex = -1;
    QPointer<TqvCompressedStoredSkin> FSelectedSkin;
    QPointer<TqvSelectSkinDlgForm> FForm;
};
