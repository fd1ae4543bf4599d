#include "app/mainwindow/AppDialogs.h"

#include "platform/Dialogs.h"
#include "skin/forms/shell/OpenDialog.h"
#include "skin/forms/shell/SelectDirectoryDialog.h"
#include "skin/forms/shell/SelectSkinDialog.h"
#include "skin/model/SkinData.h"

TSkinnedDialogs::TSkinnedDialogs(TqvSelectSkinDialog* skins, TqvSkinMessage* messages)
    : FSkins(skins), FMessages(messages) {}

std::optional<QStringList> TSkinnedDialogs::OpenFiles(TqvSkinOpenDialog* dialog) {
    if (!dialog->Execute()) return std::nullopt;
    if (!dialog->MultiSelection) return QStringList{dialog->FileName};
    QStringList files;
    for (int i = 0; i < dialog->Files().Count(); ++i) files << dialog->Files()[i];
    // A typed name selects no row of the list: the name itself is the answer.
    if (files.isEmpty()) files << dialog->FileName;
    return files;
}

std::optional<QString> TSkinnedDialogs::SelectFolder(TqvSkinSelectDirectoryDialog* dialog) {
    if (!dialog->Execute()) return std::nullopt;
    return dialog->Directory;
}

std::optional<int> TSkinnedDialogs::SelectSkin(TqvSkinData* model) {
    if (!FSkins || !FSkins->Execute(model ? model->SkinIndex() : 0)) return std::nullopt;
    return FSkins->SelectedSkinIndex();
}

std::optional<QString> TSkinnedDialogs::SavePicture(TSavePictureDialog* dialog) {
    if (!dialog->Execute()) return std::nullopt;
    return dialog->FileName;
}

int TSkinnedDialogs::MessageDlg2(const QString& text, const QString& caption, TMsgDlgType type,
                                 TMsgDlgButtons buttons) {
    return FMessages ? FMessages->MessageDlg2(text, caption, type, buttons, 0) : mrCancel;
}

int TSkinnedPrompt::MessageBox(const QString& text, const QString& caption, unsigned flags) {
    if (!FMessages) return TQtPrompt().MessageBox(text, caption, flags);
    TMsgDlgType type = mtCustom;
    switch (flags & 0xF0) {
    case MB_ICONERROR: type = mtError; break;
    case MB_ICONQUESTION: type = mtConfirmation; break;
    case MB_ICONWARNING: type = mtWarning; break;
    case MB_ICONINFORMATION: type = mtInformation; break;
    default: break;
    }
    TMsgDlgButtons buttons = MsgBtn(mbOK);
    switch (flags & 0x0F) {
    case MB_OKCANCEL: buttons = mbOKCancel; break;
    case MB_ABORTRETRYIGNORE: buttons = mbAbortRetryIgnore; break;
    case MB_YESNOCANCEL: buttons = mbYesNoCancel; break;
    case MB_YESNO: buttons = MsgBtn(mbYes) | MsgBtn(mbNo); break;
    case MB_RETRYCANCEL: buttons = MsgBtn(mbRetry) | MsgBtn(mbCancel); break;
    default: break;
    }
    // The boxes' results are the desktop's answers by number (OK 1 ... No 7).
    const int result = FMessages->MessageDlg2(text, caption, type, buttons, 0);
    if (result != mrNone) return result;
    return buttons == MsgBtn(mbOK) ? IDOK : IDCANCEL;
}
