// The hourglass while a folder is read, put back however the reading ends.
#pragma once

#include <QCursor>
#include <QGuiApplication>

class TqvShellWaitCursor {
public:
    TqvShellWaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~TqvShellWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    TqvShellWaitCursor(const TqvShellWaitCursor&) = delete;
    TqvShellWaitCursor& operator=(const TqvShellWaitCursor&) = delete;
};
