// The window's remaining commands: the output folder's Open button, the
// options dialog, help, the web site, the about box and exit. The skin and
// Browse commands sit with the settings they write (MainWindowSettings.cpp).
#include "app/mainwindow/MainWindow.h"

#include "app/about/AboutForm.h"
#include "app/about/ProductLinks.h"
#include "app/options/OptionsForm.h"
#include "engine/FFBase.h"
#include "platform/Shell.h"
#include "platform/StdCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/views/SkinListView.h"
#include "skin/forms/menu/Menus.h"

void TForm1::BindCommandHandlers() {
    qvSkinButton6->OnClick = [this](QObject* s) { qvSkinButton6Click(s); };
    qvSkinButton19->OnClick = N24->OnClick = [this](QObject* s) { qvSkinButton19Click(s); };
    N15->OnClick = [this](QObject* s) { N15Click(s); };
    N19->OnClick = [this](QObject* s) { N19Click(s); };
    N5->OnClick = [this](QObject* s) { N5Click(s); };
    N4->OnClick = [this](QObject* s) { N4Click(s); };
}

void TForm1::qvSkinButton6Click(QObject*) {
    Button20->Click();
    lvFiles->SetFocus();
}

void TForm1::qvSkinButton19Click(QObject*) {
    if (Form5) Form5->ShowModal();
}

// A missing help file or address handler is not reported: the desktop
// shows nothing, and neither does the program.
void TForm1::N15Click(QObject*) { ShellActions().Open(GetApplicationPath() + QStringLiteral("help.chm")); }

void TForm1::N19Click(QObject*) { ShellActions().Open(QString::fromLatin1(about::kWebAddress)); }

void TForm1::N5Click(QObject*) {
    if (Form2) Form2->ShowModal();
}

void TForm1::N4Click(QObject*) { Close(); }
