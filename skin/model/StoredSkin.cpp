#include "skin/model/StoredSkin.h"

#include "skin/model/SkinBitmaps.h"
#include "skin/model/SkinCodecs.h"
#include "skin/model/SkinData.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cstring>

namespace {

const char* const kInvalidOperation = "Invalid stream operation";
constexpr int kContainerVersion = 3;

[[noreturn]] void Damaged(const QString& why)
{
    throw EqvSkinError(QStringLiteral("The stored skin is damaged: %1").arg(why).toStdString());
}

void PutInt32(QByteArray& b, qint32 v)
{
    const auto u = static_cast<quint32>(v);
    for (int i = 0; i < 4; ++i)
        b.append(char((u >> (8 * i)) & 0xFF));
}

qint32 GetInt32(const QByteArray& b, qint64 at)
{
    return qFromLittleEndian<qint32>(b.constData() + at);
}

QString FolderOf(const QString& fileName)
{
    return QFileInfo(fileName).absolutePath() + u'/';
}

}  // namespace

TCustomZlibStream::TCustomZlibStream(QIODevice* strm) : FStrm(strm), FStrmPos(strm->pos()) {}

void TCustomZlibStream::Progress()
{
    if (OnProgress)
        OnProgress(this);
}

// --- compression ---------------------------------------------------------

TCompressionStream::TCompressionStream(TCompressionLevel level, QIODevice* dest) : TCustomZlibStream(dest)
{
    static const int levels[] = {0, 1, Z_DEFAULT_COMPRESSION, 9};
    FZRec.next_out = reinterpret_cast<Bytef*>(FBuffer);
    FZRec.avail_out = sizeof(FBuffer);
    if (deflateInit(&FZRec, levels[static_cast<int>(level)]) != Z_OK)
        throw ECompressionError("error");
}

TCompressionStream::~TCompressionStream()
{
    try {
        Finish();
    } catch (...) {
        // A destructor cannot report; callers that need the result call Finish.
    }
    deflateEnd(&FZRec);
}

void TCompressionStream::WriteBuffer(qint64 count)
{
    FStrm->seek(FStrmPos);
    if (FStrm->write(FBuffer, count) != count)
        throw ECompressionError("error");
    FStrmPos += count;
    FZRec.next_out = reinterpret_cast<Bytef*>(FBuffer);
    FZRec.avail_out = sizeof(FBuffer);
}

qint64 TCompressionStream::Read(void*, qint64)
{
    throw ECompressionError(kInvalidOperation);
}

qint64 TCompressionStream::Write(const void* buffer, qint64 count)
{
    if (FFinished)
        throw ECompressionError(kInvalidOperation);
    const auto* p = static_cast<const Bytef*>(buffer);
    qint64 left = count;
    while (left > 0) {
        const uInt chunk = static_cast<uInt>(qMin<qint64>(left, 1 << 30));
        FZRec.next_in = const_cast<Bytef*>(p);
        FZRec.avail_in = chunk;
        while (FZRec.avail_in > 0) {
            if (deflate(&FZRec, Z_NO_FLUSH) < 0)
                throw ECompressionError("error");
            if (FZRec.avail_out == 0) {
                WriteBuffer(sizeof(FBuffer));
                Progress();
            }
        }
        p += chunk;
        left -= chunk;
    }
    return count;
}

qint64 TCompressionStream::Seek(qint64 offset, TSeekOrigin origin)
{
    if (offset == 0 && origin == soFromCurrent)
        return static_cast<qint64>(FZRec.total_in);
    throw ECompressionError(kInvalidOperation);
}

double TCompressionStream::CompressionRate() const
{
    if (FZRec.total_in == 0)
        return 0;
    return (1.0 - double(FZRec.total_out) / double(FZRec.total_in)) * 100.0;
}

void TCompressionStream::Finish()
{
    if (FFinished)
        return;
    FFinished = true;
    FZRec.next_in = nullptr;
    FZRec.avail_in = 0;
    for (;;) {
        const int r = deflate(&FZRec, Z_FINISH);
        if (r < 0 && r != Z_BUF_ERROR)
            throw ECompressionError("error");
        if (r == Z_STREAM_END)
            break;
        if (FZRec.avail_out == 0)
            WriteBuffer(sizeof(FBuffer));
    }
    const qint64 rest = qint64(sizeof(FBuffer)) - FZRec.avail_out;
    if (rest > 0)
        WriteBuffer(rest);
}

// --- decompression -------------------------------------------------------

TDecompressionStream::TDecompressionStream(QIODevice* source) : TCustomZlibStream(source), FStartPos(FStrmPos)
{
    if (inflateInit(&FZRec) != Z_OK)
        throw EDecompressionError("compression error");
}

TDecompressionStream::~TDecompressionStream()
{
    inflateEnd(&FZRec);
}

qint64 TDecompressionStream::Read(void* buffer, qint64 count)
{
    if (FStreamEnded || count <= 0)
        return 0;
    qint64 produced = 0;
    auto* out = static_cast<Bytef*>(buffer);
    while (produced < count) {
        if (FZRec.avail_in == 0) {
            FStrm->seek(FStrmPos);
            const qint64 n = FStrm->read(FBuffer, sizeof(FBuffer));
            if (n <= 0)
                break;
            FStrmPos += n;
            FZRec.next_in = reinterpret_cast<Bytef*>(FBuffer);
            FZRec.avail_in = static_cast<uInt>(n);
            Progress();
        }
        const uInt want = static_cast<uInt>(qMin<qint64>(count - produced, 1 << 30));
        FZRec.next_out = out + produced;
        FZRec.avail_out = want;
        const int r = inflate(&FZRec, Z_NO_FLUSH);
        produced += want - FZRec.avail_out;
        if (r == Z_STREAM_END) {
            FStreamEnded = true;
            break;
        }
        if (r != Z_OK)
            throw EDecompressionError("compression error");
    }
    return produced;
}

qint64 TDecompressionStream::Write(const void*, qint64)
{
    throw EDecompressionError(kInvalidOperation);
}

qint64 TDecompressionStream::Seek(qint64 offset, TSeekOrigin origin)
{
    const qint64 position = static_cast<qint64>(FZRec.total_out);
    if (offset == 0 && origin == soFromBeginning) {
        if (inflateReset(&FZRec) != Z_OK)
            throw EDecompressionError("compression error");
        FZRec.next_in = nullptr;
        FZRec.avail_in = 0;
        FStrmPos = FStartPos;
        FStreamEnded = false;
        return 0;
    }
    if (offset == 0 && origin == soFromCurrent)
        return position;
    qint64 skip = -1;
    if (origin == soFromCurrent && offset > 0)
        skip = offset;
    else if (origin == soFromBeginning && offset > position)
        skip = offset - position;
    if (skip < 0)
        throw EDecompressionError(kInvalidOperation);
    char scratch[8192];
    while (skip > 0) {
        const qint64 n = Read(scratch, qMin<qint64>(skip, sizeof(scratch)));
        if (n <= 0)
            break;
        skip -= n;
    }
    return static_cast<qint64>(FZRec.total_out);
}

void CompressStream(QIODevice* source, QIODevice* dest)
{
    source->seek(0);
    TCompressionStream z(TCompressionLevel::clMax, dest);
    char buffer[8192];
    for (;;) {
        const qint64 n = source->read(buffer, sizeof(buffer));
        if (n <= 0)
            break;
        z.Write(buffer, n);
    }
    z.Finish();
}

QByteArray CompressBytes(const QByteArray& data)
{
    QBuffer in;
    in.setData(data);
    in.open(QIODevice::ReadOnly);
    QByteArray out;
    QBuffer dest(&out);
    dest.open(QIODevice::WriteOnly);
    CompressStream(&in, &dest);
    return out;
}

void DecompressStream(QIODevice* dest, QIODevice* source, qint64 maxBytes)
{
    source->seek(0);
    TDecompressionStream z(source);
    char buffer[4096];
    qint64 total = 0;
    for (;;) {
        const qint64 n = z.Read(buffer, sizeof(buffer));
        if (n <= 0)
            break;
        total += n;
        if (total > maxBytes)
            throw EDecompressionError(
                QStringLiteral("compression error: the data inflates to more than %1 bytes").arg(maxBytes).toStdString());
        if (dest->write(buffer, n) != n)
            throw EDecompressionError("compression error: cannot write the inflated data");
    }
    if (!z.StreamEnded())
        throw EDecompressionError("compression error: the compressed data is cut short");
}

// --- payload -------------------------------------------------------------

TqvStoredSkinPayload ParseStoredSkinPayload(const QByteArray& data)
{
    TqvStoredSkinPayload p;
    qint64 at = 0;
    auto need = [&](qint64 n, const char* what) {
        if (data.size() - at < n)
            Damaged(QStringLiteral("%1 is missing (%2 bytes left)").arg(QLatin1String(what)).arg(data.size() - at));
    };
    auto picture = [&](const QString& what) {
        const qint64 length = SkinBmpLength(data, at, what);
        QImage image = DecodeSkinBmp(data.mid(at, length), what);
        at += length;
        return image;
    };
    auto flagged = [&](const QString& what) {
        need(1, "a picture flag");
        const char flag = data.at(at++);
        return flag != 0 ? QImage() : picture(what);
    };
    need(4, "the version");
    p.Version = GetInt32(data, at);
    at += 4;
    if (p.Version >= 4)
        return p;
    p.Picture = flagged(QStringLiteral("the frame picture"));
    p.InActivePicture = flagged(QStringLiteral("the inactive frame picture"));
    p.Mask = flagged(QStringLiteral("the frame mask"));
    if (p.Version == 2) {
        flagged(QStringLiteral("an extra picture"));
        flagged(QStringLiteral("an extra picture"));
    }
    need(4, "the picture count");
    const qint32 count = GetInt32(data, at);
    at += 4;
    // Each picture needs at least a file header, so the count cannot exceed that.
    if (count > (data.size() - at) / 14)
        Damaged(QStringLiteral("it names %1 pictures but holds only %2 bytes").arg(count).arg(data.size() - at));
    for (qint32 i = 0; i < count; ++i)
        p.ActivePictures.push_back(picture(QStringLiteral("picture %1").arg(i)));
    p.IniText = data.mid(at);
    return p;
}

QByteArray BuildStoredSkinPayload(const TqvStoredSkinPayload& p)
{
    QByteArray b;
    PutInt32(b, p.Version);
    for (const QImage* image : {&p.Picture, &p.InActivePicture, &p.Mask}) {
        b.append(char(image->isNull() ? 1 : 0));
        b.append(EncodeSkinBmp(*image));
    }
    PutInt32(b, static_cast<qint32>(p.ActivePictures.size()));
    for (const QImage& image : p.ActivePictures)
        b.append(EncodeSkinBmp(image));
    b.append(p.IniText);
    return b;
}

// --- stored skin ---------------------------------------------------------

TqvCompressedStoredSkin::TqvCompressedStoredSkin(QObject* AOwner) : TComponent(AOwner) {}

void TqvCompressedStoredSkin::LoadFromIniFile(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        throw EqvSkinError(QStringLiteral("Cannot open file \"%1\": %2").arg(fileName, f.errorString()).toStdString());
    const QByteArray text = f.readAll();
    TqvSkinIni ini;
    ini.LoadFromText(text);
    if (!IsSkinIniFile(ini))
        return;
    FCompressedStream.clear();
    const QString folder = FolderOf(fileName);
    const QString section = QStringLiteral("PICTURES");
    auto load = [&](const QString& name) { return name.isEmpty() ? QImage() : LoadSkinBmpFile(folder + name); };
    TqvStoredSkinPayload p;
    p.Picture = load(ini.ReadString(section, QStringLiteral("picture"), QString()));
    p.InActivePicture = load(ini.ReadString(section, QStringLiteral("inactivepicture"), QString()));
    p.Mask = load(ini.ReadString(section, QStringLiteral("mask"), QString()));
    QStringList names;
    ReadSkinStrings(ini, section, QStringLiteral("activepictures"), names);
    for (const QString& name : names)
        p.ActivePictures.push_back(LoadSkinBmpFile(folder + name));
    p.IniText = text;
    FCompressedStream = CompressBytes(BuildStoredSkinPayload(p));
}

void TqvCompressedStoredSkin::LoadFromSkinData(const TqvSkinData& skinData)
{
    FCompressedStream.clear();
    TqvStoredSkinPayload p;
    p.Picture = skinData.FPicture;
    p.InActivePicture = skinData.FInActivePicture;
    p.Mask = skinData.FMask;
    p.ActivePictures = skinData.FActivePictures;
    TqvSkinIni ini;
    skinData.WriteSkinIni(ini);
    p.IniText = ini.ToText();
    FCompressedStream = CompressBytes(BuildStoredSkinPayload(p));
}

void TqvCompressedStoredSkin::LoadFromCompressFile(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        FCompressedStream.clear();
        throw EqvSkinError(QStringLiteral("Cannot open file \"%1\": %2").arg(fileName, f.errorString()).toStdString());
    }
    LoadFromCompressStream(&f);
}

void TqvCompressedStoredSkin::SaveToCompressFile(const QString& fileName) const
{
    if (Empty())
        return;
    WriteSkinFile(fileName, ContainerBytes());
}

void TqvCompressedStoredSkin::LoadFromCompressStream(QIODevice* stream)
{
    FCompressedStream.clear();
    stream->seek(0);
    const QByteArray header = stream->read(8);
    if (header.size() < 4)
        Damaged(QStringLiteral("the container header is missing"));
    if (GetInt32(header, 0) > kContainerVersion)
        return;
    if (header.size() < 8)
        Damaged(QStringLiteral("the container header is cut short"));
    const qint32 length = GetInt32(header, 4);
    const qint64 left = stream->size() - stream->pos();
    if (length < 0 || (!stream->isSequential() && length > left))
        Damaged(QStringLiteral("its length field says %1 bytes but %2 follow").arg(length).arg(left));
    const QByteArray data = stream->read(length);
    if (data.size() != length)
        Damaged(QStringLiteral("its length field says %1 bytes but %2 follow").arg(length).arg(data.size()));
    FCompressedStream = data;
}

QByteArray TqvCompressedStoredSkin::ContainerBytes() const
{
    QByteArray b;
    PutInt32(b, kContainerVersion);
    PutInt32(b, static_cast<qint32>(FCompressedStream.size()));
    b.append(FCompressedStream);
    return b;
}

void TqvCompressedStoredSkin::SaveToCompressStream(QIODevice* stream) const
{
    const QByteArray b = ContainerBytes();
    if (stream->write(b) != b.size())
        throw EqvSkinError(QStringLiteral("Cannot write the stored skin: %1").arg(stream->errorString()).toStdString());
}

void TqvCompressedStoredSkin::DeCompressToStream(QIODevice* s, qint64 maxBytes) const
{
    QByteArray source = FCompressedStream;
    QBuffer in(&source);
    in.open(QIODevice::ReadOnly);
    DecompressStream(s, &in, maxBytes);
}

// --- skin list -----------------------------------------------------------

TqvSkinListItem* TqvSkinListItems::Add()
{
    auto item = std::make_unique<TqvSkinListItem>();
    item->SetName(QStringLiteral("qvSkin%1").arg(Count()));
    FItems.push_back(std::move(item));
    return FItems.back().get();
}

void TqvSkinListItems::Assign(const TqvSkinListItems& source)
{
    if (&source == this)
        return;
    FItems.clear();
    for (int i = 0; i < source.Count(); ++i) {
        const TqvSkinListItem* from = source.GetItem(i);
        TqvSkinListItem* to = Add();
        to->SetName(from->Name());
        to->SetDescription(from->Description());
        to->SetFileName(from->FileName());
        to->SetCompressedFileName(from->CompressedFileName());
        to->Skin()->SetDescription(from->Skin()->Description());
        to->Skin()->SetCompressedData(from->Skin()->CompressedData());
    }
}
