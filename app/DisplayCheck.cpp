#include "app/DisplayCheck.h"

#include <xcb/xcb.h>

#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// One connection attempt, shared by the caller and the thread that connects.
// The caller may give up and leave; the last owner frees it.
struct Attempt {
    std::mutex lock;  // guards done, abandoned and connection
    std::condition_variable finished;
    bool done = false;
    bool abandoned = false;                  // the caller stopped waiting; the thread disconnects
    xcb_connection_t* connection = nullptr;  // handed to the caller once done
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
    auto attempt = std::make_shared<Attempt>();
    std::thread([attempt, name = display] {
        xcb_connection_t* c = nullptr;
        {
            std::lock_guard one(ConnectLock());
            c = xcb_connect(name.constData(), nullptr);
        }
        std::lock_guard guard(attempt->lock);
        if (attempt->abandoned) {
            xcb_disconnect(c);
            return;
        }
        attempt->connection = c;
        attempt->done = true;
        attempt->finished.notify_all();
    }).detach();
    std::unique_lock guard(attempt->lock);
    if (attempt->finished.wait_for(guard, limit, [&] { return attempt->done; })) return attempt->connection;
    attempt->abandoned = true;
    return nullptr;
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
