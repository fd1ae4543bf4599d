// The real program started for a gallery section: a program folder and home
// of its own, "option.ini" naming the sheet's skin, the main window shown and
// active; all of it undone when the section is done.
#pragma once

#include "tools/gallery/GallerySheet.h"

#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/Startup.h"
#include "engine/FFBase.h"
#include "platform/Application.h"
#include "skin/model/SkinData.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace gallery {

class TStartedProgram {
public:
    // `moreIni` is appended to "option.ini" (further sections and keys).
    explicit TStartedProgram(const TGallerySheet& sheet, const QString& moreIni = QString()) {
        QFile ini(FProgram.path() + QStringLiteral("/option.ini"));
        if (!ini.open(QIODevice::WriteOnly)) return;
        ini.write((QStringLiteral("[OutPath]\nOutPath=%1/输出\n[Skin]\nSetSkin=%2\n")
                       .arg(FHome.path())
                       .arg(sheet.Skin().SkinIndex()) +
                   moreIni)
                      .toUtf8());
        ini.close();
        qputenv("HOME", FHome.path().toUtf8());
        SetApplicationPathOverride(FProgram.path() + QLatin1Char('/'));
        Window = app::StartApplication();
        Window->Show();
        QApplication::setActiveWindow(Window);
        QCoreApplication::processEvents();
    }
    ~TStartedProgram() {
        if (!Window) return;
        DestroyApplication();
        SetApplicationPathOverride(QString());
        qputenv("HOME", FSavedHome);
    }
    TStartedProgram(const TStartedProgram&) = delete;
    TStartedProgram& operator=(const TStartedProgram&) = delete;

    QString Home() const { return FHome.path(); }

    TForm1* Window = nullptr;  // null when the program folder could not be prepared

private:
    QTemporaryDir FProgram, FHome;
    QByteArray FSavedHome = qgetenv("HOME");
};

}  // namespace gallery
