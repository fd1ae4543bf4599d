// The window's dialog components and the production dialogs that run them.
#include "app/mainwindow/MainWindow.h"

#include "platform/Dialogs.h"
#include "skin/forms/shell/OpenDialog.h"
#include "skin/forms/shell/OpenPictureDialog.h"
#include "skin/forms/shell/SelectDirectoryDialog.h"
#include "skin/forms/shell/SelectSkinDialog.h"
#include "skin/model/SkinData.h"

namespace {

template <class T> T* Named(TForm1* owner, const char* name) {
    auto* c = new T(owner);
    c->SetName(QString::fromLatin1(name));
    return c;
}

// Frame and controls of a skinned dialog follow the window's one model.
template <class T> T* Skinned(T* dialog, TqvSkinData* model) {
    dialog->SetSkinData(model);
    dialog->SetCtrlSkinData(model);
    return dialog;
}

}  // namespace

void TForm1::CreateDialogs() {
    OpenDialog1 = Skinned(Named<TqvSkinOpenDialog>(this, "OpenDialog1"), qvSkinData1);
    OpenDialog1->Title = QStringLiteral("打开文件");
    OpenDialog1->CheckFileExists = true;
    OpenDialog2 = Skinned(Named<TqvSkinOpenDialog>(this, "OpenDialog2"), qvSkinData1);
    OpenDialog2->Title = OpenDialog1->Title;
    OpenDialog2->CheckFileExists = true;
    OpenDialog2->MultiSelection = true;
    // The start-up replaces this filter with the input-file filter.
    OpenDialog1->Filter = OpenDialog2->Filter = QStringLiteral("All files|*.*");

    qvSkinSelectDirectoryDialog1 =
        Skinned(Named<TqvSkinSelectDirectoryDialog>(this, "qvSkinSelectDirectoryDialog1"), qvSkinData1);
    qvSkinSelectDirectoryDialog1->Title = QStringLiteral("选择目录");
    qvSkinSelectDirectoryDialog2 =
        Skinned(Named<TqvSkinSelectDirectoryDialog>(this, "qvSkinSelectDirectoryDialog2"), qvSkinData1);
    qvSkinSelectDirectoryDialog2->Title = QStringLiteral("选择输出目录");
    qvSkinSelectDirectoryDialog2->ShowToolBar = false;

    qvSelectSkinDialog1 = Skinned(Named<TqvSelectSkinDialog>(this, "qvSelectSkinDialog1"), qvSkinData1);
    qvSelectSkinDialog1->SetSkinList(qvCompressedSkinList1);
    qvSelectSkinDialog1->Title = QStringLiteral("Select skin");
    qvSelectSkinDialog1->SetDefaultFont(TFont(QStringLiteral("Arial"), 14));
    qvSelectSkinDialog1->AlphaBlend = false;

    // The capture's own dialog is the desktop's; the start-up sets it up.
    SavePictureDialog1 = Named<TSavePictureDialog>(this, "SavePictureDialog1");

    qvSkinOpenDialog1 = Skinned(Named<TqvSkinOpenDialog>(this, "qvSkinOpenDialog1"), qvSkinData1);
    qvSkinSavePictureDialog1 =
        Skinned(Named<TqvSkinSavePictureDialog>(this, "qvSkinSavePictureDialog1"), qvSkinData1);

    if (!Dialogs) Dialogs = std::make_shared<TSkinnedDialogs>(qvSelectSkinDialog1, qvSkinMessage1);
}
