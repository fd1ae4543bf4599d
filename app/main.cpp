#include "app/DisplayCheck.h"
#include "app/mainwindow/Startup.h"
#include "engine/MainThread.h"
#include "platform/Application.h"
#include "platform/EndSignals.h"
#include "skin/forms/menu/MenuServices.h"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    app::RaiseOpenFileLimit();
    // The interface is drawn for X11 (also under XWayland) unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    auto displayCheck = std::make_unique<DisplayCheck>();
    if (!displayCheck->Problem().isEmpty()) {
        std::fprintf(stderr, "quorvelia: %s\n", displayCheck->Problem().toLocal8Bit().constData());
        return 1;
    }
    QApplication qtApp(argc, argv);
    displayCheck.reset();  // Qt is connected now; see ~DisplayCheck
    // kill and Ctrl+C close the window as its close command does.
    EndOnSignals();
    QApplication::setApplicationName(QStringLiteral("Quorvelia"));
    // Exceptions of calls the engine posts to this thread have no caller: the error box shows them.
    SetMainThreadExceptionHandler([](std::exception_ptr e) { Application()->HandleException(e); });
    // The controls' context menus and menu buttons open through the skinned forms.
    RegisterSkinMenuServices();
    app::StartApplication();
    Application()->Run();
    SetMainThreadExceptionHandler(nullptr);
    DestroyApplication();
    return 0;
}
