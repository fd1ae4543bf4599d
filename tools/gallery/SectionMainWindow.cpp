// The program's main window as it starts, in the sheet's skin: started for
// real from a temporary program folder whose settings name the skin.
#include "tools/gallery/GalleryHost.h"

#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/Startup.h"
#include "engine/FFBase.h"
#include "platform/Application.h"
#include "skin/model/SkinData.h"

#include <QFile>
#include <QTemporaryDir>

void DrawMainWindowSection(TGallerySheet& sheet) {
    QTemporaryDir program, home;
    {
        QFile ini(program.path() + QStringLiteral("/option.ini"));
        if (!ini.open(QIODevice::WriteOnly)) return;
        ini.write(QStringLiteral("[OutPath]\nOutPath=%1/输出\n[Skin]\nSetSkin=%2\n")
                      .arg(home.path())
                      .arg(sheet.Skin().SkinIndex())
                      .toUtf8());
    }
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    SetApplicationPathOverride(program.path() + QLatin1Char('/'));
    TForm1* window = app::StartApplication();
    window->Show();
    QApplication::setActiveWindow(window);
    QCoreApplication::processEvents();
    sheet.Place(gallery::FormPicture(window, window->qvVelmora1, true), QStringLiteral("main window at start"));
    DestroyApplication();
    SetApplicationPathOverride(QString());
    qputenv("HOME", savedHome);
}
