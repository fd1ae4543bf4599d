#include "engine/FFFileNames.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

constexpr char kUnicodePrefix[] = "unicode:utf8:";
constexpr QByteArray::size_type kUnicodePrefixLength = sizeof kUnicodePrefix - 1;
// Letter case matters: "HTTP:" is tested like any other name.
constexpr char kProtocols[] = ":unicode:stream:gopher:http:pipe:rtp:tcp:udp:";
constexpr int kBufferSize = 32768;

// The opaque of an engine I/O context; the magic tells ours from others'.
struct TUnicodeFile {
    static constexpr std::uint32_t kMagic = 0x51564643;
    std::uint32_t magic = kMagic;
    int fd = -1;
};

int UnicodeRead(void* opaque, std::uint8_t* buf, int size) {
    const int fd = static_cast<TUnicodeFile*>(opaque)->fd;
    for (;;) {
        const ssize_t n = ::read(fd, buf, static_cast<std::size_t>(size));
        if (n > 0) return static_cast<int>(n);
        // The current libraries need end of file said as such, not as 0.
        if (n == 0) return AVERROR_EOF;
        if (errno != EINTR) return AVERROR(errno);
    }
}

int UnicodeWrite(void* opaque, std::uint8_t* buf, int size) {
    const int fd = static_cast<TUnicodeFile*>(opaque)->fd;
    int done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, buf + done, static_cast<std::size_t>(size - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return AVERROR(errno);
        }
        done += static_cast<int>(n);
    }
    return done;
}

std::int64_t UnicodeSeek(void* opaque, std::int64_t pos, int whence) {
    const int fd = static_cast<TUnicodeFile*>(opaque)->fd;
    if (whence & AVSEEK_SIZE) {
        struct stat st {};
        return ::fstat(fd, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : AVERROR(errno);
    }
    const off_t r = ::lseek(fd, static_cast<off_t>(pos), whence & ~AVSEEK_FORCE);
    return r < 0 ? AVERROR(errno) : static_cast<std::int64_t>(r);
}

int OpenFileHandle(const QString& name, int flags, bool exclusive = false) {
    int mode = O_RDONLY;
    if ((flags & AVIO_FLAG_READ_WRITE) == AVIO_FLAG_READ_WRITE) mode = O_RDWR | O_CREAT;
    else if (flags & AVIO_FLAG_WRITE) mode = exclusive ? O_WRONLY | O_CREAT | O_EXCL : O_WRONLY | O_CREAT | O_TRUNC;
    return ::open(QFile::encodeName(name).constData(), mode | O_CLOEXEC, 0666);
}

int OpenFileIO(AVIOContext** pb, const QString& fileName, int flags, bool exclusive) {
    *pb = nullptr;
    const int fd = OpenFileHandle(fileName, flags, exclusive);
    if (fd < 0) return AVERROR(errno);
    auto* file = new TUnicodeFile;
    file->fd = fd;
    // The libraries may replace the buffer, so it must be theirs.
    auto* buffer = static_cast<unsigned char*>(ff::av_malloc(kBufferSize));
    const bool writing = (flags & AVIO_FLAG_WRITE) != 0;
    if (buffer)
        *pb = ff::avio_alloc_context(buffer, kBufferSize, writing ? 1 : 0, file, (flags & AVIO_FLAG_READ) ? UnicodeRead : nullptr,
                                     writing ? UnicodeWrite : nullptr, UnicodeSeek);
    if (!*pb) {
        ff::av_free(buffer);
        ::close(fd);
        delete file;
        // The file this call created is not left behind empty.
        if (exclusive) ::unlink(QFile::encodeName(fileName).constData());
        return AVERROR(ENOMEM);
    }
    return 0;
}

}  // namespace

bool NeedsUnicodeName(const QString& name) {
    const qsizetype colon = name.indexOf(u':');
    if (colon >= 0) {
        const QString probe = u':' + name.left(colon) + u':';
        if (QString::fromLatin1(kProtocols).contains(probe, Qt::CaseSensitive)) return false;
    }
    return QFile::decodeName(QFile::encodeName(name)) != name;
}

QByteArray ToUnicodeName(const QString& name) { return QByteArray(kUnicodePrefix) + name.toUtf8(); }

bool IsUnicodeName(const QByteArray& name) {
    return name.size() > kUnicodePrefixLength && name.startsWith(kUnicodePrefix);
}

QString FromUnicodeName(const QByteArray& name) {
    QString s = QString::fromUtf8(name);
    for (int i = 0; i < 2; ++i) {
        const qsizetype colon = s.indexOf(u':');
        s = colon < 0 ? QString() : s.mid(colon + 1);
    }
    return s;
}

QByteArray ToLibraryFileName(const QString& name) {
    return NeedsUnicodeName(name) ? ToUnicodeName(name) : QFile::encodeName(name);
}

QString FromLibraryFileName(const QByteArray& name) {
    return IsUnicodeName(name) ? FromUnicodeName(name) : QFile::decodeName(name);
}

QString InputFileRefusal(const QString& name) {
    QString path = name;
    const QByteArray bytes = name.toUtf8();
    if (IsUnicodeName(bytes)) path = FromUnicodeName(bytes);
    else if (path.startsWith(QLatin1String("file:"))) path = path.mid(5);
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0) return QString();
    if (S_ISREG(st.st_mode)) return QString();
    return name + (S_ISDIR(st.st_mode) ? QStringLiteral(": Is a directory") : QStringLiteral(": Not a regular file"));
}

int OpenUnicodeIO(AVIOContext** pb, const QByteArray& name, int flags) {
    return OpenFileIO(pb, FromUnicodeName(name), flags, false);
}

bool IsUnicodeIO(const AVIOContext* pb) {
    return pb && (pb->read_packet == UnicodeRead || pb->write_packet == UnicodeWrite);
}

void CloseUnicodeIO(AVIOContext** pb) {
    if (!*pb) return;
    auto* file = static_cast<TUnicodeFile*>((*pb)->opaque);
    if ((*pb)->write_flag) ff::avio_flush(*pb);
    ff::av_freep(&(*pb)->buffer);
    ff::avio_context_free(pb);
    if (file && file->magic == TUnicodeFile::kMagic) {
        ::close(file->fd);
        delete file;
    }
}

int OpenInputFile(AVFormatContext** ic, const QByteArray& name, const AVInputFormat* fmt, AVDictionary** options) {
    *ic = nullptr;
    if (!IsUnicodeName(name)) return ff::avformat_open_input(ic, name.constData(), fmt, options);
    AVIOContext* pb = nullptr;
    int ret = OpenUnicodeIO(&pb, name, AVIO_FLAG_READ);
    if (ret < 0) return ret;
    AVFormatContext* ctx = ff::avformat_alloc_context();
    if (!ctx) {
        CloseUnicodeIO(&pb);
        return AVERROR(ENOMEM);
    }
    ctx->pb = pb;
    ctx->flags |= AVFMT_FLAG_CUSTOM_IO;
    // On failure the library frees ctx but leaves a custom context to us.
    ret = ff::avformat_open_input(&ctx, name.constData(), fmt, options);
    if (ret < 0) {
        CloseUnicodeIO(&pb);
        return ret;
    }
    *ic = ctx;
    return 0;
}

namespace {

// Parked inputs and their positions; tasks are parked on the interface thread
// and resumed or closed on their workers.
std::mutex gParkedLock;
std::unordered_map<const AVFormatContext*, std::int64_t> gParked;

bool IsLocalFile(const char* url) {
    QByteArray path(url ? url : "");
    if (path.startsWith("file:")) path = path.mid(5);
    struct stat st {};
    return !path.isEmpty() && ::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

void ParkInputIO(AVFormatContext* ic) {
    if (!ic || !ic->pb || !ic->iformat || (ic->iformat->flags & AVFMT_NOFILE)) return;
    // The MP4/QuickTime demuxer keeps its own copies of the I/O context per
    // stream, which a new one would leave dangling.
    if (std::strncmp(ic->iformat->name, "mov,", 4) == 0) return;
    const bool own = (ic->flags & AVFMT_FLAG_CUSTOM_IO) != 0;
    if (own ? !IsUnicodeIO(ic->pb) : !IsLocalFile(ic->url)) return;
    const std::int64_t position = ff::avio_seek(ic->pb, 0, SEEK_CUR);
    if (position < 0) return;
    if (own) CloseUnicodeIO(&ic->pb);
    else ff::avio_closep(&ic->pb);
    std::lock_guard lock(gParkedLock);
    gParked[ic] = position;
}

int ResumeInputIO(AVFormatContext* ic) {
    std::int64_t position;
    {
        std::lock_guard lock(gParkedLock);
        const auto it = gParked.find(ic);
        if (it == gParked.end()) return 0;
        position = it->second;
    }
    const bool own = (ic->flags & AVFMT_FLAG_CUSTOM_IO) != 0;
    int ret = own ? OpenUnicodeIO(&ic->pb, QByteArray(ic->url), AVIO_FLAG_READ)
                  : ff::avio_open2(&ic->pb, ic->url, AVIO_FLAG_READ, &ic->interrupt_callback, nullptr);
    if (ret < 0) return ret;
    const std::int64_t at = ff::avio_seek(ic->pb, position, SEEK_SET);
    if (at < 0) {
        if (own) CloseUnicodeIO(&ic->pb);
        else ff::avio_closep(&ic->pb);
        return static_cast<int>(at);
    }
    std::lock_guard lock(gParkedLock);
    gParked.erase(ic);
    return 0;
}

void CloseInputFile(AVFormatContext** ic) {
    if (!*ic) return;
    {
        std::lock_guard lock(gParkedLock);
        gParked.erase(*ic);
    }
    AVIOContext* pb = ((*ic)->flags & AVFMT_FLAG_CUSTOM_IO) && IsUnicodeIO((*ic)->pb) ? (*ic)->pb : nullptr;
    ff::avformat_close_input(ic);
    CloseUnicodeIO(&pb);
}

int OpenOutputIO(AVFormatContext* oc, const QByteArray& name) {
    if (IsUnicodeName(name)) return OpenUnicodeIO(&oc->pb, name, AVIO_FLAG_WRITE);
    return ff::avio_open2(&oc->pb, name.constData(), AVIO_FLAG_WRITE, &oc->interrupt_callback, nullptr);
}

int OpenNewOutputIO(AVFormatContext* oc, const QString& fileName) {
    return OpenFileIO(&oc->pb, fileName, AVIO_FLAG_WRITE, true);
}

void CloseOutputIO(AVFormatContext* oc) {
    if (IsUnicodeIO(oc->pb)) CloseUnicodeIO(&oc->pb);
    else ff::avio_closep(&oc->pb);
}
