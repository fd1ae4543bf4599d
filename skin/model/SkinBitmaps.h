// Skin pictures as BMP files: reading any depth the BMP format allows into a
// Format_RGB32 image, and writing 24-bit BMPs with deterministic bytes.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Pictures above this many pixels are refused: no skin needs them, and a
// damaged header must not make the reader allocate gigabytes.
constexpr qint64 kMaxSkinPicturePixels = 4096LL * 4096LL;

// One BMP file image (file header first). Throws EqvSkinError naming `what`
// when the bytes are no BMP the reader can take.
QImage DecodeSkinBmp(const QByteArray& bytes, const QString& what);
// The length of the BMP file image at `offset`, from its file header, checked
// against the bytes that follow; throws EqvSkinError when it does not fit.
qint64 SkinBmpLength(const QByteArray& bytes, qint64 offset, const QString& what);
QImage LoadSkinBmpFile(const QString& fileName);
// 24 bits per pixel, bottom-up, rows padded to 4 bytes; a null image gives an empty array.
QByteArray EncodeSkinBmp(const QImage& image);
// Throws EqvSkinError when the file cannot be written whole; the old file then stays.
void SaveSkinBmpFile(const QImage& image, const QString& fileName);
