// The started program for the snapshot and menu commands: dialogs that
// also answer the save-picture dialog and record where the folder chooser
// opened, and a clip opened paused in the preview.
#pragma once

#include "tests/app/mainwindow/MainWindowFixture.h"

#include "engine/Player.h"
#include "platform/ExtCtrls.h"
#include "platform/Sources.h"
#include "skin/controls/buttons/SkinButton.h"
#include "tests/support/TestMedia.h"

#include <QDir>
#include <QMouseEvent>

class TCommandDialogs : public TScriptedDialogs {
public:
    std::deque<QString> Pictures;  // save-picture answers; empty: cancelled
    int PictureDialogs = 0;
    QStringList FolderStarts;  // where each folder chooser opened
    std::optional<QString> SelectFolder(TqvSkinSelectDirectoryDialog* dialog) override {
        FolderStarts << dialog->Directory;
        return TScriptedDialogs::SelectFolder(dialog);
    }
    std::optional<QString> SavePicture(TSavePictureDialog* dialog) override {
        ++PictureDialogs;
        if (Pictures.empty()) return std::nullopt;
        QString name = Pictures.front();
        Pictures.pop_front();
        dialog->FileName = name;
        return name;
    }
};

class CommandsTest : public MainWindowTest {
protected:
    std::shared_ptr<TCommandDialogs> Scripted = std::make_shared<TCommandDialogs>();

    CommandsTest() { Dialogs = Scripted; }

    // The named test clip, copied under another name (the snapshot's base
    // name comes from it), opened paused in the preview as the selection
    // does; with video it returns once the first picture is on screen.
    bool OpenClip(const QString& clip, const QString& asName, bool video = true) {
        const QString source = TestMedia::Path(clip);
        if (source.isEmpty()) return false;
        const QString folder = Home() + "/media";
        QDir().mkpath(folder);
        const QString path = folder + "/" + asName;
        QFile::remove(path);
        if (!QFile::copy(source, path)) return false;
        W->T_Movie_PLayer_FileName = path;
        TDUDuvuvu* player = W->DUDuvuvu;
        if (!player->LoadAVLib(GetApplicationPath() + "LibAV")) return false;
        if (!player->Open(path, W->Panel6, true)) return false;
        if (!video) return true;
        return WaitUntil([&] {
            const QImage frame = player->CurrentFrame();
            for (int y = 0; y < frame.height(); y += 8)
                for (int x = 0; x < frame.width(); x += 8)
                    if (frame.pixel(x, y) != qRgb(0, 0, 0)) return true;
            return false;
        });
    }
};
