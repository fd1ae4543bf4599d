// What the main window asks the user through dialogs: open files, a folder,
// a skin, a picture name and its message boxes. One interface, so tests
// script the answers; the program uses the desktop's dialogs and the skinned
// message box.
#pragma once

#include "skin/forms/dialogs/SkinMessage.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class TqvSkinData;

// The settings of a file dialog the window keeps between uses.
struct TFileDialogSettings {
    QString Title;
    QString Filter;        // "description|patterns|…"
    int FilterIndex = 1;   // 1-based, as the filter's pairs are counted
    bool MultiSelect = false;
    bool CheckFileExists = true;
    QString DefaultExt;
};

class TAppDialogs {
public:
    virtual ~TAppDialogs() = default;
    // The chosen files (one unless MultiSelect); none when cancelled. The
    // dialog may update FilterIndex to the user's last choice.
    virtual std::optional<QStringList> OpenFiles(TFileDialogSettings& dialog) = 0;
    virtual std::optional<QString> SelectFolder(const QString& title, const QString& start) = 0;
    // The chosen index into the model's skin list; none when cancelled.
    virtual std::optional<int> SelectSkin(TqvSkinData* model) = 0;
    virtual std::optional<QString> SavePicture(TFileDialogSettings& dialog) = 0;
    virtual int MessageDlg2(const QString& text, const QString& caption, TMsgDlgType type,
                            TMsgDlgButtons buttons) = 0;
};

// The desktop's file and folder dialogs and the skinned message box of
// `messages`; the skin choice is not offered (none).
class TDesktopDialogs : public TAppDialogs {
public:
    explicit TDesktopDialogs(TqvSkinMessage* messages) : FMessages(messages) {}
    std::optional<QStringList> OpenFiles(TFileDialogSettings& dialog) override;
    std::optional<QString> SelectFolder(const QString& title, const QString& start) override;
    std::optional<int> SelectSkin(TqvSkinData* model) override;
    std::optional<QString> SavePicture(TFileDialogSettings& dialog) override;
    int MessageDlg2(const QString& text, const QString& caption, TMsgDlgType type,
                    TMsgDlgButtons buttons) override;

private:
    TqvSkinMessage* FMessages;
};

// The "a|b|c|d|" filter text as Qt's name filters ("a (b)"), in order.
QStringList QtNameFilters(const QString& filter);
