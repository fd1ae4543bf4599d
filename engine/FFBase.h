// Small services every engine unit shares: the component base, seek and
// picture types, program folder, token and size texts, time conversion, and
// loading a library and binding its entry points.
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <stdexcept>
#include <string>

using TPathFileName = QString;

// Base of the engine's components: owned by its owner (the QObject parent),
// adds nothing of its own.
class TFFBaseComponent : public QObject {
public:
    explicit TFFBaseComponent(QObject* AOwner = nullptr) : QObject(AOwner) {}
    QString Name() const { return objectName(); }
    void SetName(const QString& value) { setObjectName(value); }
};

enum TSeekFlag : std::uint8_t { sfBackward, sfByte, sfAny, sfFrame };

// A set of TSeekFlag in one byte, bit n for the flag of ordinal n.
class TSeekFlags {
public:
    constexpr TSeekFlags() = default;
    constexpr TSeekFlags(std::initializer_list<TSeekFlag> flags) {
        for (TSeekFlag f : flags) FBits |= static_cast<std::uint8_t>(1u << f);
    }
    static constexpr TSeekFlags FromByte(std::uint8_t bits) { TSeekFlags s; s.FBits = bits; return s; }
    constexpr bool Contains(TSeekFlag f) const { return (FBits >> f) & 1u; }
    constexpr void Include(TSeekFlag f) { FBits |= static_cast<std::uint8_t>(1u << f); }
    constexpr void Exclude(TSeekFlag f) { FBits &= static_cast<std::uint8_t>(~(1u << f)); }
    constexpr std::uint8_t Byte() const { return FBits; }
    constexpr bool operator==(const TSeekFlags&) const = default;

private:
    std::uint8_t FBits = 0;
};

// Ordinals equal the libraries' picture-type codes.
enum TPictureType { ptUnknown, ptI, ptP, ptB, ptS, ptSI, ptSP, ptBI };

// The libraries' AVSEEK_FLAG_* value of a flag set.
int SeekFlagsToInt(TSeekFlags flags);

// Size of an existing regular file, -1 when it is missing or not a file.
std::int64_t FileSizeByName(const QString& fileName);

// Full path of the running program, and its folder with a trailing "/".
// Tests may replace the folder (everything "beside the executable" follows it).
QString GetApplicationFileName();
QString GetApplicationPath();
void SetApplicationPathOverride(const QString& folder);  // empty = the real one

// Head is the text before the first Separator in S (all of S without one).
// With Remove, S keeps only what follows that Separator (empty without one).
void FetchToken(QString& S, const QString& Separator, bool Remove, QString& Head);

// "1024 Byte", "1.00 KB", "1.50 MB", "2.00 GB": each bound belongs to the smaller unit.
QString FormatFileSize(std::int64_t Size);

// Days since 1899-12-30, the class library's date-time value.
using TDateTime = double;

// Offset of local standard time from UTC in days (daylight saving ignored).
double LocalTimeZoneOffset();
TDateTime UnixTimeToDateTime(std::int64_t seconds);
// Formats with the class library's pattern letters (yyyy, mm, dd, hh, nn, ss, zzz, ...).
QString DateTimeText(const QString& format, TDateTime value);

// Library handle of dlopen; nullptr on failure.
using TLibHandle = void*;

// Loads Folder/FileName when that file exists, else FileName through the
// system's search path. Neither the current directory nor PATH is touched:
// other threads may be running. ErrorText is written only on failure.
TLibHandle LoadLibraryInFolder(const QString& Folder, const QString& FileName, QString& ErrorText);

// Binds one entry point. A missing one raises "Load function %s@%s error: %s"
// (or "Load variable ...") unless Optional, which leaves the slot null.
void* ResolveSymbol(const QString& LibraryFileName, TLibHandle Handle, const char* EntryName,
                    bool Optional, bool Variable);

template <typename Slot>
void ResolveFunction(const QString& LibraryFileName, TLibHandle Handle, const char* EntryName,
                     bool Optional, Slot& slot) {
    slot = reinterpret_cast<Slot>(ResolveSymbol(LibraryFileName, Handle, EntryName, Optional, false));
}

template <typename Slot>
void ResolveVariable(const QString& LibraryFileName, TLibHandle Handle, const char* EntryName,
                     bool Optional, Slot& slot) {
    slot = reinterpret_cast<Slot>(ResolveSymbol(LibraryFileName, Handle, EntryName, Optional, true));
}

// The engine's general exception: a message and nothing else.
class EEngineError : public std::runtime_error {
public:
    explicit EEngineError(const QString& message) : std::runtime_error(message.toStdString()) {}
    explicit EEngineError(const std::string& message) : std::runtime_error(message) {}
    QString Message() const { return QString::fromUtf8(what()); }
};
