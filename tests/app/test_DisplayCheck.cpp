// The display check against what Qt's xcb plugin would meet: nothing set,
// garbage, a local display nobody serves, a host that does not resolve, a
// server that accepts and then says nothing, and a real server (Xvfb).
// Every address is on this machine, except the name lookup of a reserved
// ".invalid" host, which no resolver can answer.
#include "app/DisplayCheck.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <ostream>
#include <string>

extern char** environ;

namespace {

using namespace std::chrono_literals;

// Whether anything listens where xcb looks for local display n: the socket
// file, Linux's abstract namespace (a name starting with a NUL), and the
// display's TCP port on this machine, which xcb tries when both fail.
bool LocalDisplayServed(int n) {
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(n);
    if (QFile::exists(QString::fromStdString(path))) return true;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return true;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path + 1, path.data(), path.size());
    const auto len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + path.size());
    bool served = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0;
    ::close(fd);
    for (int family : {AF_INET, AF_INET6}) {
        const int tcp = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (tcp < 0) continue;
        sockaddr_storage any{};
        socklen_t size = 0;
        if (family == AF_INET) {
            auto* in = reinterpret_cast<sockaddr_in*>(&any);
            in->sin_family = AF_INET;
            in->sin_port = htons(static_cast<uint16_t>(6000 + n));
            in->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            size = sizeof *in;
        } else {
            auto* in6 = reinterpret_cast<sockaddr_in6*>(&any);
            in6->sin6_family = AF_INET6;
            in6->sin6_port = htons(static_cast<uint16_t>(6000 + n));
            in6->sin6_addr = in6addr_loopback;
            size = sizeof *in6;
        }
        served = served || ::connect(tcp, reinterpret_cast<sockaddr*>(&any), size) == 0;
        ::close(tcp);
    }
    return served;
}

int UnservedLocalDisplay() {
    for (int n = 200; n < 400; ++n)
        if (!LocalDisplayServed(n)) return n;
    return -1;
}

// A TCP listener on 127.0.0.1 at an X display's port that never accepts:
// the kernel completes the connection and the client waits for a setup
// reply that never comes, like a server behind a link that drops replies.
class SilentServer {
public:
    SilentServer() {
        for (int n = 200; n < 400 && display_ < 0; ++n) {
            fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_in addr{};
            addr.sin_family = AF_INET;
            addr.sin_port = htons(static_cast<uint16_t>(6000 + n));
            addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            if (::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 && ::listen(fd_, 4) == 0)
                display_ = n;
            else
                ::close(fd_);
        }
    }
    ~SilentServer() {
        if (display_ >= 0) ::close(fd_);
    }
    int Display() const { return display_; }

private:
    int fd_ = -1;
    int display_ = -1;
};

// Xvfb on a display it picks itself; it writes the number once it serves.
class Xvfb {
public:
    Xvfb() {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const char* args[] = {"Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "320x240x24", nullptr};
        const bool started = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(args), environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        readyFd_ = fds[0];
        if (!started) {
            pid_ = -1;
            return;
        }
        // The number comes with its line end, possibly in a later write, and
        // the server quits if it cannot write: read both, keep the pipe open.
        // The poll limit guards against a server that never comes up; no test checks the time.
        std::string number;
        pollfd p{readyFd_, POLLIN, 0};
        char c = 0;
        while (::poll(&p, 1, 30000) == 1 && ::read(readyFd_, &c, 1) == 1 && c != '\n') number += c;
        if (c == '\n' && !number.empty()) display_ = std::atoi(number.c_str());
    }
    ~Xvfb() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        if (readyFd_ >= 0) ::close(readyFd_);
    }
    bool Started() const { return pid_ > 0; }
    int Display() const { return display_; }

private:
    pid_t pid_ = -1;
    int readyFd_ = -1;
    int display_ = -1;
};

// Restores the environment the check reads.
class DisplayCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto& [name, value] : saved_)
            if (qEnvironmentVariableIsSet(name)) value = qgetenv(name);
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    void TearDown() override {
        for (auto& [name, value] : saved_)
            value ? qputenv(name, *value) : qunsetenv(name);
    }
    static void SetDisplay(const std::optional<QByteArray>& display) {
        display ? qputenv("DISPLAY", *display) : qunsetenv("DISPLAY");
    }

private:
    std::pair<const char*, std::optional<QByteArray>> saved_[2] = {{"DISPLAY", {}}, {"QT_QPA_PLATFORM", {}}};
};

enum class Setup { Literal, Unset, Unserved, Silent };

struct Row {
    const char* name;
    Setup setup;
    const char* display;   // for Literal
    const char* expected;  // the whole line; %1 stands for DISPLAY
};

const Row kRows[] = {
    {"Unset", Setup::Unset, nullptr, "no display: DISPLAY is not set"},
    {"Empty", Setup::Literal, "", "no display: DISPLAY is not set"},
    {"LocalWithoutServer", Setup::Unserved, nullptr, "no display: cannot connect to X server %1"},
    {"HostThatDoesNotResolve", Setup::Literal, "nohost.invalid:0", "no display: cannot connect to X server %1"},
    {"ServerThatNeverAnswers", Setup::Silent, nullptr, "no display: X server %1 did not answer within 0.3 s"},
    {"NoColon", Setup::Literal, "garbage", "no display: DISPLAY \"%1\" is not valid"},
    {"LettersForNumber", Setup::Literal, ":zero", "no display: DISPLAY \"%1\" is not valid"},
    {"ScreenWithoutNumber", Setup::Literal, ":0.", "no display: DISPLAY \"%1\" is not valid"},
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class DisplayCheckRows : public DisplayCheckTest, public ::testing::WithParamInterface<Row> {};

TEST_P(DisplayCheckRows, GivesTheOneLineReason) {
    const Row& row = GetParam();
    std::optional<SilentServer> silent;
    std::optional<QByteArray> display;
    switch (row.setup) {
    case Setup::Literal: display = row.display; break;
    case Setup::Unset: break;
    case Setup::Unserved: {
        const int n = UnservedLocalDisplay();
        ASSERT_GE(n, 0) << "every local display number is served";
        display = ":" + QByteArray::number(n);
        break;
    }
    case Setup::Silent:
        silent.emplace();
        ASSERT_GE(silent->Display(), 0) << "no free local port for a silent server";
        display = "127.0.0.1:" + QByteArray::number(silent->Display());
        break;
    }
    SetDisplay(display);
    const std::string expected = QString::fromUtf8(row.expected).replace("%1", display.value_or("")).toStdString();
    EXPECT_EQ(DisplayCheck(300ms).Problem().toStdString(), expected);
}

INSTANTIATE_TEST_SUITE_P(Displays, DisplayCheckRows, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

TEST_F(DisplayCheckTest, RunningServerPasses) {
    Xvfb server;
    if (!server.Started()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_GE(server.Display(), 0) << "Xvfb did not report its display";
    const QByteArray number = QByteArray::number(server.Display());
    SetDisplay(":" + number);
    DisplayCheck first;
    EXPECT_EQ(first.Problem().toStdString(), "");
    // Made while the first still holds the server, which would otherwise reset.
    SetDisplay("unix:" + number + ".0");
    EXPECT_EQ(DisplayCheck().Problem().toStdString(), "");
}

// A server whose last client leaves resets and refuses connections for a
// moment; while the check lives, the connections after it (Qt's) get through.
TEST_F(DisplayCheckTest, ServerTakesConnectionsWhileTheCheckLives) {
    Xvfb server;
    if (!server.Started()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_GE(server.Display(), 0) << "Xvfb did not report its display";
    const QByteArray display = ":" + QByteArray::number(server.Display());
    SetDisplay(display);
    DisplayCheck check;
    ASSERT_EQ(check.Problem().toStdString(), "");
    int refused = 0;
    for (int i = 0; i < 50; ++i) {
        xcb_connection_t* c = xcb_connect(display.constData(), nullptr);
        refused += xcb_connection_has_error(c) != 0;
        xcb_disconnect(c);
    }
    EXPECT_EQ(refused, 0);
}

TEST_F(DisplayCheckTest, PlatformWithoutXNeedsNoDisplay) {
    qunsetenv("DISPLAY");
    for (const char* platform : {"offscreen", "wayland", "minimal"}) {
        qputenv("QT_QPA_PLATFORM", platform);
        EXPECT_EQ(DisplayCheck().Problem().toStdString(), "") << platform;
    }
    qputenv("QT_QPA_PLATFORM", "xcb:nograb");
    EXPECT_EQ(DisplayCheck().Problem().toStdString(), "no display: DISPLAY is not set");
}

// The program itself: before any window it prints the one line and ends
// with status 1, instead of aborting inside Qt's X plugin.
TEST_F(DisplayCheckTest, ProgramEndsWithStatusOneAndOneLine) {
    const int n = UnservedLocalDisplay();
    ASSERT_GE(n, 0) << "every local display number is served";
    const QString unserved = QStringLiteral(":%1").arg(n);
    const std::pair<QString, QString> rows[] = {
        {unserved, QStringLiteral("quorvelia: no display: cannot connect to X server %1\n").arg(unserved)},
        {QStringLiteral("garbage"), QStringLiteral("quorvelia: no display: DISPLAY \"garbage\" is not valid\n")},
    };
    for (const auto& [display, line] : rows) {
        SCOPED_TRACE(display.toStdString());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the tests' offscreen platform needs no display
        env.insert(QStringLiteral("DISPLAY"), display);
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(QV_PROGRAM), {});
        ASSERT_TRUE(program.waitForStarted(30000));
        if (!program.waitForFinished(30000)) {
            program.kill();
            program.waitForFinished();
            FAIL() << "the program kept running";
        }
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 1);
        EXPECT_EQ(QString::fromUtf8(program.readAllStandardError()).toStdString(), line.toStdString());
        EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
    }
}

}  // namespace
