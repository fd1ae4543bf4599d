#include "skin/forms/shell/OpenPictureDialog.h"

#include "platform/Application.h"
#include "platform/ExtCtrls.h"
#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/bars/SkinToolBar.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/buttons/SkinSpeedButton.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/controls/scrollbox/SkinScrollBox.h"
#include "skin/controls/spacers/SkinSpacers.h"
#include "skin/forms/shell/ShellDriveControls.h"
#include "skin/forms/shell/ShellFileControls.h"
#include "skin/forms/shell/ShellListView.h"
#include "skin/forms/shell/ShellTreeView.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

void TqvOpenPictureDlgForm::LayoutBeforeToolBar() {
    TqvSkinData* sd = CtrlSD();
    ImagePanel = new TqvSkinPanel(this);
    ImagePanel->SetName(QStringLiteral("ImagePanel"));
    ImagePanel->SetParent(this);
    ImagePanel->SetAlign(alRight);
    ImagePanel->SetWidth(200);
    ImagePanel->SetBorderStyle(bvFrame);
    ImagePanel->SetSkinData(sd);

    Splitter = new TqvSkinSplitter(this);
    Splitter->SetName(QStringLiteral("Splitter"));
    Splitter->SetParent(this);
    Splitter->SetAlign(alRight);
    Splitter->SetWidth(10);
    Splitter->SetDefaultSize(10);
    Splitter->SetBeveled(false);
    Splitter->SetSkinData(sd);

    SBVScrollBar = new TqvSkinScrollBar(this);
    SBVScrollBar->SetName(QStringLiteral("SBVScrollBar"));
    SBVScrollBar->SetParent(ImagePanel);
    SBVScrollBar->SetKind(sbVertical);
    SBVScrollBar->SetAlign(alRight);
    SBVScrollBar->SetDefaultWidth(19);
    SBVScrollBar->SetEnabled(false);
    SBVScrollBar->SetSkinDataName(QStringLiteral("vscrollbar"));
    SBVScrollBar->SetSkinData(sd);

    SBHScrollBar = new TqvSkinScrollBar(this);
    SBHScrollBar->SetName(QStringLiteral("SBHScrollBar"));
    SBHScrollBar->SetParent(ImagePanel);
    SBHScrollBar->SetAlign(alBottom);
    SBHScrollBar->SetDefaultHeight(19);
    SBHScrollBar->SetBothMarkerWidth(19);
    SBHScrollBar->SetEnabled(false);
    SBHScrollBar->SetSkinDataName(QStringLiteral("hscrollbar"));
    SBHScrollBar->SetSkinData(sd);

    ScrollBox = new TqvSkinScrollBox(this);
    ScrollBox->SetName(QStringLiteral("ScrollBox"));
    ScrollBox->SetParent(ImagePanel);
    ScrollBox->SetAlign(alClient);
    ScrollBox->SetBorderStyle(bvNone);
    ScrollBox->SetVScrollBar(SBVScrollBar);
    ScrollBox->SetHScrollBar(SBHScrollBar);
    ScrollBox->SetSkinData(sd);

    Image = new TImage(this);
    Image->SetName(QStringLiteral("Image"));
    Image->SetParent(ScrollBox);
    Image->SetBounds(0, 0, 0, 0);
}

void TqvOpenPictureDlgForm::LayoutToolBarEnd() {
    StretchButton = new TqvSkinSpeedButton(this);
    StretchButton->SetName(QStringLiteral("StretchButton"));
    StretchButton->SetParent(ToolPanel);
    StretchButton->SetDefaultWidth(27);
    StretchButton->SetDefaultHeight(25);
    // Right-aligned controls keep their order by right edge: this one stands last.
    StretchButton->SetBounds(10000, 0, 27, 25);
    StretchButton->SetAlign(alRight);
    StretchButton->SetGroupIndex(2);
    StretchButton->SetAllowAllUp(true);
    StretchButton->SetSkinDataName(QStringLiteral("toolbutton"));
    StretchButton->SetGlyph(DialogGlyph("QV_STRETCH"));
    StretchButton->SetHint(DialogText(CtrlSD(), "MSG_BTN_STRETCH_HINT", "Stretch Picture"));
    StretchButton->SetShowHint(true);
    StretchButton->SetSkinData(CtrlSD());
    StretchButton->OnClick = [this](QObject* s) { StretchButtonClick(s); };
}

void TqvOpenPictureDlgForm::LayoutBottom() {
    TqvOpenDlgForm::LayoutBottom();
    // A fixed row: the preview takes what the form grows by.
    for (TControl* c : {static_cast<TControl*>(FileNameEdit), static_cast<TControl*>(FilterComboBox)}) {
        c->SetAnchors(akLeft | akTop);
        c->SetBounds(c->Left(), c->Top(), 350 - c->Left(), c->Height());
    }
    for (TControl* c : {static_cast<TControl*>(OpenButton), static_cast<TControl*>(CancelButton)}) {
        c->SetAnchors(akLeft | akTop);
        c->SetBounds(370, c->Top(), c->Width(), c->Height());
    }
}

void TqvOpenPictureDlgForm::FitImage() {
    if (!StretchButton->Down())
        Image->SetBounds(0, 0, Image->Picture().Width(), Image->Picture().Height());
    ScrollBox->UpDateScrollRange();
}

void TqvOpenPictureDlgForm::LoadPicture(const QString& FileName) {
    struct TFit {
        TqvOpenPictureDlgForm* F;
        ~TFit() { F->FitImage(); }
    } fit{this};
    const QString ext = QFileInfo(FileName).suffix().toLower();
    // Metafiles have no reader here: an empty preview, not an error.
    if (ext == QLatin1String("emf") || ext == QLatin1String("wmf")) {
        Image->SetPicture(QImage());
        return;
    }
    QImageReader reader(FileName);
    QImage img = reader.read();
    if (img.isNull()) {
        Image->SetPicture(QImage());
        throw EInvalidGraphic(
            QStringLiteral("The picture \"%1\" cannot be read: %2").arg(FileName, reader.errorString()).toStdString());
    }
    Image->SetPicture(img);
}

void TqvOpenPictureDlgForm::FLVChange(QObject*) {
    const QString file = FileListView->GetSelectedFile();
    const QString name = QFileInfo(file).fileName();
    // The view reports leaving one row and entering the next; one load per choice.
    if (FPreviewed && file == FPreviewFile) return;
    FPreviewed = true;
    FPreviewFile = file;
    FileNameEdit->SetText(name);
    if (name.isEmpty()) {
        Image->SetPicture(QImage());
        Image->SetBounds(0, 0, 0, 0);
        ScrollBox->UpDateScrollRange();
        return;
    }
    DialogGuard(Frame, [&] { LoadPicture(file); });
}

void TqvOpenPictureDlgForm::FLVPathChange(QObject* Sender) {
    // The picture form tells nobody of folder changes.
    OnFolderChange = nullptr;
    FPreviewed = false;
    TqvOpenDlgForm::FLVPathChange(Sender);
}

void TqvOpenPictureDlgForm::SetStretched(bool Down) {
    Image->Hide();
    if (Down) {
        // Out of the way first: while the bars show, aligned children span the scrolled area.
        Image->SetBounds(0, 0, 0, 0);
        ScrollBox->UpDateScrollRange();
        Image->SetStretch(true);
        Image->SetAlign(alClient);
    } else {
        Image->SetAlign(alNone);
        Image->SetBounds(0, 0, Image->Picture().Width(), Image->Picture().Height());
        Image->SetStretch(false);
    }
    Image->Show();
    ScrollBox->UpDateScrollRange();
}

void TqvOpenPictureDlgForm::StretchButtonClick(QObject*) { SetStretched(StretchButton->Down()); }

// ---------------------------------------------------------------------------

TqvSkinOpenPictureDialog::TqvSkinOpenPictureDialog(QObject* AOwner) : TqvCustomOpenDialog(AOwner) {
    Title = QStringLiteral("Open picture");
    AlphaBlendValue = 200;
    Filter = QStringLiteral(
        "All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
        "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
}

TqvOpenDlgForm* TqvSkinOpenPictureDialog::CreateForm() {
    return new TqvOpenPictureDlgForm(Application(), FSaveMode, CtrlSkinData(), ToolButtonsTransparent);
}

void TqvSkinOpenPictureDialog::PrepareForm(TqvOpenDlgForm* form) {
    auto* f = static_cast<TqvOpenPictureDlgForm*>(form);
    f->ImagePanel->SetWidth(FImagePanelWidth);
    f->StretchButton->SetFlat(ToolButtonsTransparent);
    f->StretchButton->SetDown(StretchPicture || FDialogStretch);
    if (f->StretchButton->Down()) f->SetStretched(true);
    if (QDir::isAbsolutePath(FileName) && QFileInfo(FileName).isFile()) f->LoadPicture(FileName);
}

void TqvSkinOpenPictureDialog::FormClosed(TqvOpenDlgForm* form) {
    auto* f = static_cast<TqvOpenPictureDlgForm*>(form);
    FDialogStretch = f->StretchButton->Down();
    FImagePanelWidth = f->ImagePanel->Width();
}
