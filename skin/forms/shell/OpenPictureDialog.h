// The picture open and save dialogs: the file dialog with a preview of the
// selected picture beside the list, at its own size (scrolled) or stretched
// to the panel, and a splitter between them.
#pragma once

#include "skin/forms/shell/OpenDialog.h"

#include <stdexcept>

class TImage;
class TqvSkinScrollBox;
class TqvSkinSplitter;

// A file the picture readers cannot make a picture of.
class EInvalidGraphic : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TqvOpenPictureDlgForm : public TqvOpenDlgForm {
    Q_OBJECT
public:
    using TqvOpenDlgForm::TqvOpenDlgForm;

    TqvSkinPanel* ImagePanel = nullptr;
    TImage* Image = nullptr;
    TqvSkinScrollBox* ScrollBox = nullptr;
    TqvSkinScrollBar* SBVScrollBar = nullptr;
    TqvSkinScrollBar* SBHScrollBar = nullptr;
    TqvSkinSpeedButton* StretchButton = nullptr;
    TqvSkinSplitter* Splitter = nullptr;

    // Loads a picture into the preview; metafiles give an empty preview.
    // Raises EInvalidGraphic for anything else unreadable, with the preview emptied.
    void LoadPicture(const QString& FileName);
    void SetStretched(bool Down);

    void FLVChange(QObject* Sender) override;
    void FLVPathChange(QObject* Sender) override;
    void StretchButtonClick(QObject* Sender);

protected:
    void LayoutBeforeToolBar() override;
    void LayoutToolBarEnd() override;
    void LayoutBottom() override;

private:
    void FitImage();
    QString FPreviewFile;
    bool FPreviewed = false;
};

class TqvSkinOpenPictureDialog : public TqvCustomOpenDialog {
    Q_OBJECT
public:
    explicit TqvSkinOpenPictureDialog(QObject* AOwner = nullptr);

    bool StretchPicture = false;
    int ImagePanelWidth() const { return FImagePanelWidth; }
    bool DialogStretch() const { return FDialogStretch; }

protected:
    TqvOpenDlgForm* CreateForm() override;
    void PrepareForm(TqvOpenDlgForm* form) override;
    void FormClosed(TqvOpenDlgForm* form) override;
    int DefaultWidth() const override { return 550; }

private:
    int FImagePanelWidth = 190;
    bool FDialogStretch = false;
};

class TqvSkinSavePictureDialog : public TqvSkinOpenPictureDialog {
    Q_OBJECT
public:
    explicit TqvSkinSavePictureDialog(QObject* AOwner = nullptr) : TqvSkinOpenPictureDialog(AOwner) {
        Title = QStringLiteral("Save file");
        FSaveMode = true;
    }
};
