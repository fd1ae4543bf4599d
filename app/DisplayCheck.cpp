#include "app/DisplayCheck.h"

#include <QList>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace {

// Connects to the local X server socket of display number n.
bool LocalXServerAnswers(int n) {
    const QByteArray path = "/tmp/.X11-unix/X" + QByteArray::number(n);
    for (bool abstract : {true, false}) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const size_t off = abstract ? 1 : 0;  // Linux's abstract namespace starts with a NUL
        std::memcpy(addr.sun_path + off, path.constData(), static_cast<size_t>(path.size()));
        const auto len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + off + static_cast<size_t>(path.size()));
        const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0;
        ::close(fd);
        if (ok) return true;
    }
    return false;
}

}  // namespace

QString DisplayProblem() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb")) return {};  // offscreen, wayland, ...
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) return QStringLiteral("no display: DISPLAY is not set");
    // Local displays (":N" or "unix:N") can be checked cheaply; remote ones are left to Qt.
    QByteArray rest = display;
    if (rest.startsWith("unix:")) rest = rest.mid(4);
    if (!rest.startsWith(':')) return {};
    bool ok = false;
    const int n = rest.mid(1).split('.').value(0).toInt(&ok);
    if (!ok) return QStringLiteral("no display: DISPLAY \"%1\" is not valid").arg(QString::fromLocal8Bit(display));
    if (!LocalXServerAnswers(n))
        return QStringLiteral("no display: cannot connect to X server %1").arg(QString::fromLocal8Bit(display));
    return {};
}
