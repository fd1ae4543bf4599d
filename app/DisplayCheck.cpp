#include "app/DisplayCheck.h"

#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

// One connection attempt, shared by the caller and the thread that connects.
// The caller may give up and leave; the last owner frees it. The thread
// wakes the caller through a pipe, and the caller reads the state under the
// lock: a timed wait of a condition variable or a future is a clock wait that
// ThreadSanitizer cannot see into, and it then reports the hand-over.
struct Attempt {
    std::mutex lock;  // guards owners, abandoned and connection
    int owners = 2;
    bool abandoned = false;                  // the caller stopped waiting; the thread disconnects
    xcb_connection_t* connection = nullptr;  // handed to the caller once connected
    int wake[2] = {-1, -1};                  // written once the connect returned

    static void Release(Attempt* a) {
        bool last = false;
        {
            std::lock_guard guard(a->lock);
            last = --a->owners == 0;
        }
        if (!last) return;
        ::close(a->wake[0]);
        ::close(a->wake[1]);
        delete a;
    }
};

// xcb_connect reads the X authority file through libXau, which keeps the
// file's name in one buffer for the whole process: attempts never overlap,
// also when an abandoned one is still connecting. Never destroyed, as an
// abandoned thread may hold it at exit.
std::mutex& ConnectLock() {
    static auto* lock = new std::mutex;
    return *lock;
}

// xcb_connect has no time limit of its own (a host that drops packets keeps
// it in connect() for minutes), so a thread runs it and is abandoned when it
// takes too long. Null when the server did not answer in time.
xcb_connection_t* ConnectWithin(const QByteArray& display, std::chrono::milliseconds limit) {
    auto* attempt = new Attempt;
    if (::pipe2(attempt->wake, O_CLOEXEC) != 0) {
        delete attempt;
        return nullptr;
    }
    std::thread([attempt, name = display] {
        xcb_connection_t* c = nullptr;
        {
            std::lock_guard one(ConnectLock());
            c = xcb_connect(name.constData(), nullptr);
        }
        {
            std::lock_guard guard(attempt->lock);
            if (!attempt->abandoned) {
                attempt->connection = c;
                c = nullptr;
            }
        }
        if (c) xcb_disconnect(c);
        const char done = 1;
        (void)!::write(attempt->wake[1], &done, 1);
        Attempt::Release(attempt);
    }).detach();
    const auto until = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        pollfd p{attempt->wake[0], POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) >= 0) break;
        if (errno != EINTR) break;
    }
    xcb_connection_t* c = nullptr;
    {
        std::lock_guard guard(attempt->lock);
        c = attempt->connection;
        if (!c) attempt->abandoned = true;
    }
    Attempt::Release(attempt);
    return c;
}

}  // namespace

DisplayCheck::DisplayCheck(std::chrono::milliseconds limit) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb")) return;  // offscreen, wayland, ...
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        problem_ = QStringLiteral("no display: DISPLAY is not set");
        return;
    }
    const QString name = QString::fromLocal8Bit(display);
    char* host = nullptr;
    int number = 0;
    int screen = 0;
    const bool parsed = xcb_parse_display(display.constData(), &host, &number, &screen) != 0;
    std::free(host);
    if (!parsed) {
        problem_ = QStringLiteral("no display: DISPLAY \"%1\" is not valid").arg(name);
        return;
    }
    connection_ = ConnectWithin(display, limit);
    if (!connection_) {
        problem_ = QStringLiteral("no display: X server %1 did not answer within %2 s")
                       .arg(name)
                       .arg(static_cast<double>(limit.count()) / 1000.0);
    } else if (xcb_connection_has_error(connection_)) {
        problem_ = QStringLiteral("no display: cannot connect to X server %1").arg(name);
    }
}

DisplayCheck::~DisplayCheck() {
    if (connection_) xcb_disconnect(connection_);
}
