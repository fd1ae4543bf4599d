#include "skin/model/SkinBitmaps.h"

#include "skin/model/SkinIni.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <cstdlib>

namespace {

quint32 U32(const QByteArray& b, qint64 at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 U16(const QByteArray& b, qint64 at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

void Put32(QByteArray& b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

void Put16(QByteArray& b, quint16 v)
{
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}

[[noreturn]] void Fail(const QString& what, const QString& why)
{
    throw EqvSkinError(QStringLiteral("%1 is not a valid BMP picture: %2").arg(what, why).toStdString());
}

}  // namespace

qint64 SkinBmpLength(const QByteArray& bytes, qint64 offset, const QString& what)
{
    const qint64 left = bytes.size() - offset;
    if (left < 14 || bytes.at(offset) != 'B' || bytes.at(offset + 1) != 'M')
        Fail(what, QStringLiteral("no BMP file header"));
    const qint64 size = U32(bytes, offset + 2);
    if (size < 14 + 12)
        Fail(what, QStringLiteral("its size field is too small"));
    if (size > left)
        Fail(what, QStringLiteral("it is %1 bytes long but only %2 bytes remain").arg(size).arg(left));
    return size;
}

QImage DecodeSkinBmp(const QByteArray& bytes, const QString& what)
{
    if (bytes.size() < 14 + 12 || !bytes.startsWith("BM"))
        Fail(what, QStringLiteral("no BMP file header"));
    // The pixel count is checked before the decoder allocates anything.
    const quint32 headerSize = U32(bytes, 14);
    qint64 width = 0, height = 0;
    if (headerSize == 12) {
        width = U16(bytes, 18);
        height = U16(bytes, 20);
    } else if (headerSize >= 40 && bytes.size() >= 14 + 40) {
        width = std::llabs(qint64(qint32(U32(bytes, 18))));
        height = std::llabs(qint64(qint32(U32(bytes, 22))));
        if (width > 0 && height > 0 && width * height <= kMaxSkinPicturePixels) {
            const quint16 bits = U16(bytes, 28);
            const quint32 compression = U32(bytes, 30);
            const qint64 data = bytes.size() - qint64(U32(bytes, 10));
            if (compression == 0 && bits > 0 && bits <= 32) {
                const qint64 rowBytes = ((width * bits + 31) / 32) * 4;
                if (rowBytes * height > data)
                    Fail(what, QStringLiteral("its pixels are cut short"));
            } else if (width * height > 256 * qMax<qint64>(data, 0)) {
                Fail(what, QStringLiteral("its size does not match its data"));
            }
        }
    } else {
        Fail(what, QStringLiteral("unknown header"));
    }
    if (width <= 0 || height <= 0)
        Fail(what, QStringLiteral("it has no pixels"));
    if (width * height > kMaxSkinPicturePixels)
        Fail(what, QStringLiteral("%1 x %2 pixels is too large").arg(width).arg(height));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    QImage image;
    if (!reader.read(&image) || image.isNull())
        Fail(what, reader.errorString());
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage LoadSkinBmpFile(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        throw EqvSkinError(QStringLiteral("Cannot open file \"%1\": %2").arg(fileName, f.errorString()).toStdString());
    return DecodeSkinBmp(f.readAll(), QStringLiteral("\"%1\"").arg(fileName));
}

QByteArray EncodeSkinBmp(const QImage& source)
{
    if (source.isNull())
        return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const quint32 rowBytes = quint32((w * 3 + 3) & ~3);
    const quint32 pixelBytes = rowBytes * quint32(h);
    QByteArray b;
    b.reserve(int(54 + pixelBytes));
    b.append("BM");
    Put32(b, 54 + pixelBytes);
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, quint32(w));
    Put32(b, quint32(h));
    Put16(b, 1);
    Put16(b, 24);
    Put32(b, 0);
    Put32(b, pixelBytes);
    Put32(b, 2835);  // 72 dpi
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            b.append(char(qBlue(line[x])));
            b.append(char(qGreen(line[x])));
            b.append(char(qRed(line[x])));
        }
        for (quint32 pad = quint32(w) * 3; pad < rowBytes; ++pad)
            b.append('\0');
    }
    return b;
}

void SaveSkinBmpFile(const QImage& image, const QString& fileName)
{
    WriteSkinFile(fileName, EncodeSkinBmp(image));
}
