#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool Fail(QString* error, const QString& why) {
    if (error) *error = why;
    return false;
}

QString Errno() { return QString::fromLocal8Bit(std::strerror(errno)); }

bool Writable(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) return false;
    return (st.st_mode & 0222) != 0 && ::access(name.constData(), W_OK) == 0;
}
}  // namespace

bool ReplaceFileContent(const QString& path, const QByteArray& data, QString* error) {
    QFileInfo info(path);
    // Write through a link to the file it names.
    if (info.isSymLink()) info = QFileInfo(info.symLinkTarget());
    if (info.isDir()) return Fail(error, QStringLiteral("is a directory"));
    const QString target = info.absoluteFilePath();
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir()) return Fail(error, QStringLiteral("folder does not exist"));
    // The rename would replace a file its owner made read-only, and a
    // privileged process passes access() whatever the bits say: both the
    // file's and the folder's own write bits are honoured.
    if (!Writable(folder)) return Fail(error, QStringLiteral("folder is read-only"));
    if (info.exists() && !Writable(target)) return Fail(error, QStringLiteral("file is read-only"));

    QByteArray tmpl = QFile::encodeName(target + QStringLiteral(".XXXXXX"));
    const int fd = mkstemp(tmpl.data());
    if (fd < 0) return Fail(error, Errno());
    auto abandon = [&](const QString& why) {
        ::close(fd);
        ::unlink(tmpl.constData());
        return Fail(error, why);
    };
    // Keep the old file's permissions; a new file gets the usual ones.
    struct stat st {};
    mode_t mode = 0666;
    if (::stat(QFile::encodeName(target).constData(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::fchmod(fd, mode) != 0) return abandon(Errno());

    const char* p = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return abandon(n < 0 ? Errno() : QStringLiteral("nothing written"));
        p += n;
        left -= n;
    }
    if (::fsync(fd) != 0) return abandon(Errno());
    if (::close(fd) != 0) {
        ::unlink(tmpl.constData());
        return Fail(error, Errno());
    }
    if (::rename(tmpl.constData(), QFile::encodeName(target).constData()) != 0) {
        const QString why = Errno();
        ::unlink(tmpl.constData());
        return Fail(error, why);
    }
    return true;
}
