#include "platform/EndSignals.h"

#include "platform/Application.h"
#include "platform/Form.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int gSignalPipe[2] = {-1, -1};  // [0] written by the handler, [1] read by the interface thread

void OnEndSignal(int signo) {
    const int saved = errno;
    const char byte = static_cast<char>(signo);
    [[maybe_unused]] const ssize_t n = write(gSignalPipe[0], &byte, 1);
    errno = saved;
}

void EndNow() {
    static bool closing = false;
    // A signal that comes while the close waits for the runs to end adds nothing.
    if (closing || Application()->Terminated()) return;
    closing = true;
    Application()->Guard([] {
        if (TForm* main = Application()->MainForm()) main->Close();
    });
    // Closing is never refused; should it fail, the program still ends.
    if (!Application()->Terminated()) Application()->Terminate();
    closing = false;
}

}  // namespace

void EndOnSignals() {
    static QPointer<QSocketNotifier> notifier;
    if (notifier || !QCoreApplication::instance()) return;
    if (gSignalPipe[0] < 0 && socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, gSignalPipe) != 0) {
        gSignalPipe[0] = gSignalPipe[1] = -1;
        return;
    }
    notifier = new QSocketNotifier(gSignalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char buf[16];
        while (read(gSignalPipe[1], buf, sizeof buf) > 0) {}
        EndNow();
    });
    struct sigaction sa {};
    sa.sa_handler = OnEndSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int signo : {SIGTERM, SIGINT, SIGHUP}) sigaction(signo, &sa, nullptr);
}
