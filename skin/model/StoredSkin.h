// Stored skins: one skin as a zlib stream (pictures and ini text), its
// container (".skn" files, skin-list items), the skin list, and the zlib
// stream classes under them.
#pragma once

#include "platform/Component.h"
#include "skin/model/SkinIni.h"

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QString>

#include <zlib.h>

#include <functional>
#include <memory>
#include <vector>

class TqvSkinData;

class EZlibError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class ECompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};
class EDecompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};

// Scoped: the colour constants clNone and clDefault share these names.
enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };
enum TSeekOrigin { soFromBeginning, soFromCurrent, soFromEnd };

// A zlib stream over another device. The position in that device where the
// zlib data continues is kept here and restored before every access, so other
// code may move the device in between.
class TCustomZlibStream {
public:
    virtual ~TCustomZlibStream() = default;
    TCustomZlibStream(const TCustomZlibStream&) = delete;
    TCustomZlibStream& operator=(const TCustomZlibStream&) = delete;

    std::function<void(TCustomZlibStream* Sender)> OnProgress;

protected:
    explicit TCustomZlibStream(QIODevice* strm);
    virtual void Progress();

    QIODevice* FStrm;  // not owned
    qint64 FStrmPos;
    z_stream FZRec{};
    char FBuffer[8192];
};

class TCompressionStream : public TCustomZlibStream {
public:
    TCompressionStream(TCompressionLevel level, QIODevice* dest);
    // Finishes the stream when Finish was not called; errors are swallowed
    // here, so callers that care call Finish.
    ~TCompressionStream() override;

    qint64 Read(void* buffer, qint64 count);
    qint64 Write(const void* buffer, qint64 count);
    // Only (0, soFromCurrent), the number of bytes fed so far.
    qint64 Seek(qint64 offset, TSeekOrigin origin);
    double CompressionRate() const;
    // Flushes the rest of the zlib stream to the destination; throws ECompressionError.
    void Finish();

private:
    void WriteBuffer(qint64 count);
    bool FFinished = false;
};

class TDecompressionStream : public TCustomZlibStream {
public:
    explicit TDecompressionStream(QIODevice* source);
    ~TDecompressionStream() override;

    // Fewer bytes than asked when the source runs out or the stream ended.
    qint64 Read(void* buffer, qint64 count);
    qint64 Write(const void* buffer, qint64 count);
    // (0, soFromBeginning) restarts; forward seeks read and discard; (0,
    // soFromCurrent) answers the position; anything else throws.
    qint64 Seek(qint64 offset, TSeekOrigin origin);
    // True once zlib reported the end of the stream: a reader that stopped
    // short of it has a truncated stream.
    bool StreamEnded() const { return FStreamEnded; }

private:
    qint64 FStartPos;
    bool FStreamEnded = false;
};

// No skin inflates to more; a stream that claims more is refused.
inline constexpr qint64 kMaxInflatedSkin = 64LL * 1024 * 1024;

// Rewinds source and deflates all of it at level 9 into dest.
void CompressStream(QIODevice* source, QIODevice* dest);
// CompressStream over bytes in memory.
QByteArray CompressBytes(const QByteArray& data);
// Rewinds source and inflates it into dest in reads of 4096 bytes. A stream
// that ends before zlib's end mark, or grows beyond maxBytes, is an
// EDecompressionError rather than a silently shorter result.
void DecompressStream(QIODevice* dest, QIODevice* source, qint64 maxBytes = kMaxInflatedSkin);

// The inflated payload of a stored skin, taken apart.
struct TqvStoredSkinPayload {
    int Version = 3;
    QImage Picture, InActivePicture, Mask;  // null = none
    std::vector<QImage> ActivePictures;
    QByteArray IniText;
};
// Every length and count is checked against the bytes that remain; throws
// EqvSkinError naming what is wrong. A version of 4 or more is returned with
// nothing else read.
TqvStoredSkinPayload ParseStoredSkinPayload(const QByteArray& payload);
QByteArray BuildStoredSkinPayload(const TqvStoredSkinPayload& payload);

class TqvCompressedStoredSkin : public TComponent {
    Q_OBJECT
public:
    explicit TqvCompressedStoredSkin(QObject* AOwner = nullptr);

    bool Empty() const { return FCompressedStream.isEmpty(); }
    const QByteArray& CompressedData() const { return FCompressedStream; }
    void SetCompressedData(const QByteArray& data) { FCompressedStream = data; }

    QString Description() const { return FDescription; }
    void SetDescription(const QString& v) { FDescription = v; }
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& v) { FFileName = v; }
    QString CompressedFileName() const { return FCompressedFileName; }
    void SetCompressedFileName(const QString& v) { FCompressedFileName = v; }

    // From a skin folder: a file that is no skin ini changes nothing; a picture
    // that cannot be read throws and leaves the stored skin empty.
    void LoadFromIniFile(const QString& fileName);
    void LoadFromSkinData(const TqvSkinData& skinData);
    void LoadFromCompressFile(const QString& fileName);
    // Writes nothing at all for an empty stored skin. A failed write throws
    // EqvSkinError and leaves the old file as it was.
    void SaveToCompressFile(const QString& fileName) const;
    // Reads from position 0 of the stream.
    void LoadFromCompressStream(QIODevice* stream);
    void SaveToCompressStream(QIODevice* stream) const;
    void DeCompressToStream(QIODevice* s, qint64 maxBytes = kMaxInflatedSkin) const;

private:
    // The ".skn" bytes: version, length, compressed payload.
    QByteArray ContainerBytes() const;

    QString FFileName;
    QString FCompressedFileName;
    QByteArray FCompressedStream;
    QString FDescription;
};

class TqvCompressedSkinList;

class TqvSkinListItem {
public:
    TqvSkinListItem() : FSkin(std::make_unique<TqvCompressedStoredSkin>()) {}
    TqvCompressedStoredSkin* Skin() const { return FSkin.get(); }
    QString Name() const { return FName; }
    void SetName(const QString& v) { FName = v; }
    QString Description() const { return FDescription; }
    void SetDescription(const QString& v) { FDescription = v; }
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& v) { FFileName = v; }
    QString CompressedFileName() const { return FCompressedFileName; }
    void SetCompressedFileName(const QString& v) { FCompressedFileName = v; }
    QString DisplayName() const { return FName; }

private:
    std::unique_ptr<TqvCompressedStoredSkin> FSkin;
    QString FDescription, FFileName, FCompressedFileName, FName;
};

class TqvSkinListItems {
public:
    explicit TqvSkinListItems(TqvCompressedSkinList* owner) : FSkinList(owner) {}
    TqvCompressedSkinList* Owner() const { return FSkinList; }
    // A new item is named "qvSkin<index>".
    TqvSkinListItem* Add();
    int Count() const { return static_cast<int>(FItems.size()); }
    TqvSkinListItem* GetItem(int index) const { return FItems.at(static_cast<std::size_t>(index)).get(); }
    void Clear() { FItems.clear(); }
    // Copies every item: names, texts and the stored skin's bytes.
    void Assign(const TqvSkinListItems& source);

private:
    TqvCompressedSkinList* FSkinList;
    std::vector<std::unique_ptr<TqvSkinListItem>> FItems;
};

class TqvCompressedSkinList : public TComponent {
    Q_OBJECT
public:
    explicit TqvCompressedSkinList(QObject* AOwner = nullptr) : TComponent(AOwner), FSkins(this) {}
    TqvSkinListItems& Skins() { return FSkins; }
    const TqvSkinListItems& Skins() const { return FSkins; }
    void SetSkins(const TqvSkinListItems& value) { FSkins.Assign(value); }

private:
    TqvSkinListItems FSkins;
};
