#include "engine/FFBase.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QMutex>

#include <dlfcn.h>
#include <sys/stat.h>

#include <cmath>
#include <ctime>

int SeekFlagsToInt(TSeekFlags flags) { return flags.Byte() & 15; }

std::int64_t FileSizeByName(const QString& fileName) {
    struct stat st {};
    if (fileName.isEmpty() || ::stat(QFile::encodeName(fileName).constData(), &st) != 0) return -1;
    // A directory has no size of its own; callers treat -1 as "no file".
    if (!S_ISREG(st.st_mode)) return -1;
    return st.st_size;
}

namespace {
QMutex gAppPathMutex;
QString gAppPathOverride;  // guarded by gAppPathMutex
}  // namespace

QString GetApplicationFileName() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString GetApplicationPath() {
    {
        QMutexLocker lock(&gAppPathMutex);
        if (!gAppPathOverride.isEmpty()) return gAppPathOverride;
    }
    QString dir = QFileInfo(GetApplicationFileName()).absolutePath();
    if (!dir.endsWith(u'/')) dir += u'/';
    return dir;
}

void SetApplicationPathOverride(const QString& folder) {
    QMutexLocker lock(&gAppPathMutex);
    gAppPathOverride = folder;
    if (!gAppPathOverride.isEmpty() && !gAppPathOverride.endsWith(u'/')) gAppPathOverride += u'/';
}

void FetchToken(QString& S, const QString& Separator, bool Remove, QString& Head) {
    const qsizetype p = Separator.isEmpty() ? -1 : S.indexOf(Separator);
    if (p < 0) {
        Head = S;
        if (Remove) S.clear();
        return;
    }
    Head = S.left(p);
    if (Remove) S = S.mid(p + Separator.size());
}

QString FormatFileSize(std::int64_t Size) {
    constexpr std::int64_t KB = 1024, MB = 1024 * KB, GB = 1024 * MB;
    if (Size <= KB) return QStringLiteral("%1 Byte").arg(Size);
    const double d = static_cast<double>(Size);
    if (Size <= MB) return QString::asprintf("%.2f KB", d / KB);
    if (Size <= GB) return QString::asprintf("%.2f MB", d / MB);
    return QString::asprintf("%.2f GB", d / GB);
}

double LocalTimeZoneOffset() {
    tzset();
    // `timezone` is the standard-time offset in seconds west of UTC.
    return -static_cast<double>(timezone) / 86400.0;
}

TDateTime UnixTimeToDateTime(std::int64_t seconds) {
    return static_cast<double>(seconds) / 86400.0 + 25569.0 + LocalTimeZoneOffset();
}

namespace {

struct DateParts {
    int year, month, day, hour, minute, second, msec, dayOfWeek;
};

DateParts SplitDateTime(TDateTime value) {
    const double days = std::floor(value);
    // Round to milliseconds first so 23:59:59.9996 does not print as 60 seconds.
    std::int64_t ms = std::llround((value - days) * 86400000.0);
    std::int64_t dayCount = static_cast<std::int64_t>(days);
    if (ms >= 86400000) { ms -= 86400000; ++dayCount; }
    const QDate date = QDate(1899, 12, 30).addDays(dayCount);
    return {date.year(), date.month(), date.day(),
            static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60),
            static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000), date.dayOfWeek()};
}

int CountRun(const QString& f, qsizetype i, QChar c) {
    int n = 0;
    while (i + n < f.size() && f[i + n].toLower() == c) ++n;
    return n;
}

}  // namespace

QString DateTimeText(const QString& format, TDateTime value) {
    const DateParts p = SplitDateTime(value);
    const QLocale c = QLocale::c();
    QString out;
    bool afterHour = false;  // "m" right after an hour means minutes
    for (qsizetype i = 0; i < format.size();) {
        const QChar ch = format[i].toLower();
        if (format[i] == u'"' || format[i] == u'\'') {
            const QChar quote = format[i];
            qsizetype j = format.indexOf(quote, i + 1);
            if (j < 0) j = format.size();
            out += format.mid(i + 1, j - i - 1);
            i = j + 1;
            continue;
        }
        const int n = CountRun(format, i, ch);
        auto num = [&](int v, int width) { out += QStringLiteral("%1").arg(v, width, 10, QLatin1Char('0')); };
        switch (ch.unicode()) {
        case 'y':
            if (n <= 2) num(p.year % 100, 2); else num(p.year, 4);
            afterHour = false;
            break;
        case 'm':
            if (afterHour && n <= 2) num(p.minute, n);
            else if (n <= 2) num(p.month, n);
            else if (n == 3) out += c.monthName(p.month, QLocale::ShortFormat);
            else out += c.monthName(p.month, QLocale::LongFormat);
            afterHour = false;
            break;
        case 'd':
            if (n <= 2) num(p.day, n);
            else if (n == 3) out += c.dayName(p.dayOfWeek, QLocale::ShortFormat);
            else out += c.dayName(p.dayOfWeek, QLocale::LongFormat);
            afterHour = false;
            break;
        case 'h': num(p.hour, std::min(n, 2)); afterHour = true; break;
        case 'n': num(p.minute, std::min(n, 2)); afterHour = false; break;
        case 's': num(p.second, std::min(n, 2)); afterHour = false; break;
        case 'z': num(p.msec, n >= 3 ? 3 : 1); afterHour = false; break;
        default: out += format.mid(i, n); break;
        }
        i += n;
    }
    return out;
}

TLibHandle LoadLibraryInFolder(const QString& Folder, const QString& FileName, QString& ErrorText) {
    QString path = FileName;
    if (!Folder.isEmpty()) {
        QString inFolder = Folder;
        if (!inFolder.endsWith(u'/')) inFolder += u'/';
        inFolder += FileName;
        if (QFileInfo::exists(inFolder)) path = inFolder;
    }
    dlerror();
    TLibHandle h = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!h) {
        const char* e = dlerror();
        ErrorText = e ? QString::fromLocal8Bit(e) : QStringLiteral("unknown error");
    }
    return h;
}

void* ResolveSymbol(const QString& LibraryFileName, TLibHandle Handle, const char* EntryName,
                    bool Optional, bool Variable) {
    dlerror();
    void* p = Handle ? dlsym(Handle, EntryName) : nullptr;
    if (!p && !Optional) {
        const char* e = Handle ? dlerror() : nullptr;
        const QString reason = e ? QString::fromLocal8Bit(e) : QStringLiteral("undefined symbol: %1").arg(QLatin1String(EntryName));
        const char* fmt = Variable ? "Load variable %1@%2 error: %3" : "Load function %1@%2 error: %3";
        throw EEngineError(QString::fromLatin1(fmt).arg(QLatin1String(EntryName), LibraryFileName, reason));
    }
    return p;
}
