#include "app/DisplayCheck.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[]) {
    // The interface is drawn for X11 (also under XWayland) unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    if (const QString problem = DisplayProblem(); !problem.isEmpty()) {
        std::fprintf(stderr, "quorvelia: %s\n", problem.toLocal8Bit().constData());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvelia"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Quorvelia"));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
