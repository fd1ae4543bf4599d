// Inputs that are not regular files: a named pipe, a socket and character
// devices given to the probe, to AddTask and to the player. Opening a pipe
// waits for a writer and a device never ends, so each is refused before any
// open; without the refusal these tests hang until ctest's limit ends them.
#include "engine/AVProbe.h"
#include "engine/FFmpegLoader.h"
#include "engine/Player.h"
#include "engine/Trevalon.h"
#include "tests/support/TestMedia.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace {

struct Place {
    const char* name;
    // Opens the input; false with the component's message.
    std::function<bool(const QString& path, QString* error)> open;
};

bool ProbeOpens(const QString& path, QString* error) {
    TAVProbe probe;
    const bool ok = probe.LoadFile(path);
    *error = probe.LastErrMsg();
    return ok;
}

bool TaskOpens(const QString& path, QString* error) {
    TTrevalon queue;
    const bool ok = queue.AddTask(path) >= 0;
    *error = queue.LastErrMsg();
    return ok;
}

bool PlayerOpens(const QString& path, QString* error) {
    QWidget host;
    host.resize(160, 120);
    TDUDuvuvu player;
    const bool ok = player.Open(path, &host, true);
    *error = player.LastErrMsg();
    player.Stop(true);
    return ok;
}

const Place kPlaces[] = {{"probe", ProbeOpens}, {"task", TaskOpens}, {"player", PlayerOpens}};

class NotRegularInputTest : public ::testing::TestWithParam<Place> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(FFLoader().Load(PlayerLibraries)) << FFLoader().LastErrMsg().toStdString();
        ASSERT_TRUE(FFLoader().Load(ConverterLibraries)) << FFLoader().LastErrMsg().toStdString();
        fifo = dir.filePath(QStringLiteral("pipe.mp4"));
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0) << std::strerror(errno);
        // A socket file exists only while something is bound to it.
        socketPath = dir.filePath(QStringLiteral("socket.mp4"));
        sock = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ASSERT_GE(sock, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const QByteArray encoded = QFile::encodeName(socketPath);
        ASSERT_LT(static_cast<std::size_t>(encoded.size()), sizeof addr.sun_path);
        std::memcpy(addr.sun_path, encoded.constData(), static_cast<std::size_t>(encoded.size()));
        ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0) << std::strerror(errno);
        ASSERT_EQ(::listen(sock, 1), 0);
        linkToFifo = dir.filePath(QStringLiteral("link-to-pipe.mp4"));
        ASSERT_TRUE(QFile::link(fifo, linkToFifo));
    }
    void TearDown() override {
        if (sock >= 0) ::close(sock);
    }

    QTemporaryDir dir;
    QString fifo, socketPath, linkToFifo;
    int sock = -1;
};

TEST_P(NotRegularInputTest, RefusedAtOnceWithTheNameInTheMessage) {
    const Place& place = GetParam();
    struct Case {
        const char* label;
        QString path;
        const char* why;
    };
    const Case cases[] = {
        {"named pipe", fifo, "Not a regular file"},
        {"link to a named pipe", linkToFifo, "Not a regular file"},
        {"socket", socketPath, "Not a regular file"},
        {"/dev/null", QStringLiteral("/dev/null"), "Not a regular file"},
        {"/dev/zero", QStringLiteral("/dev/zero"), "Not a regular file"},
        {"pipe in the wide-name form", QStringLiteral("unicode:utf8:") + fifo, "Not a regular file"},
        {"folder", dir.path(), "Is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(place.name) + ", " + c.label);
        QString error;
        EXPECT_FALSE(place.open(c.path, &error));
        EXPECT_EQ(error, c.path + QStringLiteral(": ") + QLatin1String(c.why));
    }
}

TEST_P(NotRegularInputTest, ALinkToARegularFileStillOpens) {
    const Place& place = GetParam();
    const QString link = dir.filePath(QStringLiteral("link-to-clip.avi"));
    ASSERT_TRUE(QFile::link(TestMedia::Path(QStringLiteral("av.avi")), link));
    QString error;
    EXPECT_TRUE(place.open(link, &error)) << place.name << ": " << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Places, NotRegularInputTest, ::testing::ValuesIn(kPlaces),
                         [](const ::testing::TestParamInfo<Place>& info) { return std::string(info.param.name); });

}  // namespace
