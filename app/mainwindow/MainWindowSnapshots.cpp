// The preview's snapshot commands: the snapshot button, its settings menu
// (folder and picture type) and the hidden capture button. The rules live
// in app/snapshots; this file drives the menu, the dialogs and the player.
#include "app/mainwindow/MainWindow.h"

#include "app/snapshots/Snapshot.h"
#include "app/snapshots/SnapshotSettings.h"
#include "engine/FFBase.h"
#include "engine/Player.h"
#include "platform/Shell.h"
#include "platform/Sources.h"
#include "platform/StdCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/menu/SkinMenu.h"

#include <QDir>

using snapshots::TSnapshotType;

void TForm1::BindSnapshotHandlers() {
    qvSkinButton22->OnClick = [this](QObject* s) { qvSkinButton22Click(s); };
    qvSkinButton23->OnMouseDown = [this](QObject* s, Qt::MouseButton b, Qt::KeyboardModifiers k, int x, int y) {
        qvSkinButton23MouseDown(s, b, k, x, y);
    };
    qvSkinButton23->OnClick = [this](QObject* s) { qvSkinButton23Click(s); };
    BMP1->OnClick = [this](QObject* s) { BMP1Click(s); };
    JPG1->OnClick = [this](QObject* s) { JPG1Click(s); };
    GIF1->OnClick = [this](QObject* s) { GIF1Click(s); };
    PNG1->OnClick = [this](QObject* s) { PNG1Click(s); };
    MenuItem1->OnClick = [this](QObject* s) { MenuItem1Click(s); };
    MenuItem2->OnClick = [this](QObject* s) { MenuItem2Click(s); };
    btnCapture->OnClick = [this](QObject* s) { btnCaptureClick(s); };
}

void TForm1::CheckSnapshotType(TSnapshotType type) {
    switch (type) {
    case TSnapshotType::Bmp: BMP1->SetChecked(true); break;
    case TSnapshotType::Jpg: JPG1->SetChecked(true); break;
    case TSnapshotType::Gif: GIF1->SetChecked(true); break;
    case TSnapshotType::Png: PNG1->SetChecked(true); break;
    }
}

// Saves without asking; the preview goes on as it was. A failed save raises
// into the caller's error box.
void TForm1::qvSkinButton22Click(QObject*) {
    const snapshots::TSnapshotResult result =
        snapshots::TakeSnapshot(DUDuvuvu->CurrentFrame(), T_Movie_PLayer_FileName, GetApplicationPath(),
                                QDir::homePath());
    CheckSnapshotType(result.Type);
}

// The menu is also the button's context menu, so either button opens it
// where the pointer is.
void TForm1::qvSkinButton23MouseDown(QObject*, Qt::MouseButton Button, Qt::KeyboardModifiers, int, int) {
    if (Button != Qt::LeftButton && Button != Qt::RightButton) return;
    const QPoint at = PointerSource().CursorPos();
    qvSkinPopupMenu2->Popup(at.x(), at.y());
}

void TForm1::qvSkinButton23Click(QObject*) { CheckSnapshotType(snapshots::ResolveSnapshotType(GetApplicationPath())); }

void TForm1::ChooseSnapshotType(TSnapshotType type) {
    snapshots::StoreSnapshotType(GetApplicationPath(), type);
    CheckSnapshotType(type);
}

void TForm1::BMP1Click(QObject*) { ChooseSnapshotType(TSnapshotType::Bmp); }
void TForm1::JPG1Click(QObject*) { ChooseSnapshotType(TSnapshotType::Jpg); }
void TForm1::GIF1Click(QObject*) { ChooseSnapshotType(TSnapshotType::Gif); }
void TForm1::PNG1Click(QObject*) { ChooseSnapshotType(TSnapshotType::Png); }

void TForm1::MenuItem1Click(QObject*) {
    ShellActions().Open(snapshots::ResolveSnapshotFolder(GetApplicationPath(), QDir::homePath()));
}

// The folder chooser is shared with Browse: it opens where either command
// last confirmed. The new folder counts from the next snapshot on.
void TForm1::MenuItem2Click(QObject*) {
    const std::optional<QString> folder = Dialogs->SelectFolder(qvSkinSelectDirectoryDialog2);
    if (!folder) return;
    snapshots::StoreSnapshotFolder(GetApplicationPath(), *folder);
}

void TForm1::btnCaptureClick(QObject*) {
    const QImage frame = DUDuvuvu->CurrentFrame();
    if (!snapshots::HasPicture(frame)) return;
    const std::optional<QString> name = Dialogs->SavePicture(SavePictureDialog1);
    if (!name) return;
    snapshots::SaveCapture(frame, *name);
}
