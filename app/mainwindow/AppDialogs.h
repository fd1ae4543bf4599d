// What the main window asks the user through dialogs: open files, a folder,
// a skin, a picture name and its message boxes. One interface, so tests
// script the answers; the program runs the window's own dialog components.
#pragma once

#include "platform/Application.h"
#include "skin/forms/dialogs/SkinMessage.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class TSavePictureDialog;
class TqvSelectSkinDialog;
class TqvSkinData;
class TqvSkinOpenDialog;
class TqvSkinSelectDirectoryDialog;

class TAppDialogs {
public:
    virtual ~TAppDialogs() = default;
    // Runs an open dialog: its FileName, or with MultiSelection its Files
    // (the FileName when a typed name left Files empty); never an empty list.
    // None when cancelled. FilterIndex keeps the user's last choice either way.
    virtual std::optional<QStringList> OpenFiles(TqvSkinOpenDialog* dialog) = 0;
    // Runs a folder chooser: the chosen folder, also left in its Directory;
    // none when cancelled (Directory unchanged).
    virtual std::optional<QString> SelectFolder(TqvSkinSelectDirectoryDialog* dialog) = 0;
    // The chosen index into the model's skin list, offered starting at the
    // model's own skin; none when cancelled. The model is not changed.
    virtual std::optional<int> SelectSkin(TqvSkinData* model) = 0;
    // Runs a save-picture dialog: the chosen name, also left in its FileName.
    virtual std::optional<QString> SavePicture(TSavePictureDialog* dialog) = 0;
    virtual int MessageDlg2(const QString& text, const QString& caption, TMsgDlgType type,
                            TMsgDlgButtons buttons) = 0;
};

// The window's own components: each dialog shows itself (skinned by its
// SkinData), the skin chooser is `skins` and the boxes come from `messages`.
class TSkinnedDialogs : public TAppDialogs {
public:
    TSkinnedDialogs(TqvSelectSkinDialog* skins, TqvSkinMessage* messages);
    std::optional<QStringList> OpenFiles(TqvSkinOpenDialog* dialog) override;
    std::optional<QString> SelectFolder(TqvSkinSelectDirectoryDialog* dialog) override;
    std::optional<int> SelectSkin(TqvSkinData* model) override;
    std::optional<QString> SavePicture(TSavePictureDialog* dialog) override;
    int MessageDlg2(const QString& text, const QString& caption, TMsgDlgType type,
                    TMsgDlgButtons buttons) override;

private:
    QPointer<TqvSelectSkinDialog> FSkins;
    QPointer<TqvSkinMessage> FMessages;
};

// The application's message boxes (failures, errors) drawn by a skinned
// message component in its current skin; the plain box once it is gone.
class TSkinnedPrompt : public TPrompt {
public:
    explicit TSkinnedPrompt(TqvSkinMessage* messages) : FMessages(messages) {}
    int MessageBox(const QString& text, const QString& caption, unsigned flags) override;

private:
    QPointer<TqvSkinMessage> FMessages;
};
