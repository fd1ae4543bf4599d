// Picture files of a video frame: BMP (24 bits per pixel) and PNG through
// Qt, JPEG through libjpeg (quality 90, baseline, colour), GIF through giflib
// (one picture on an adaptive palette of up to 256 colours). Each encoder
// gives the whole file in memory; SavePicture writes it so that a failed
// write never leaves a cut-off picture.
#pragma once

#include "app/snapshots/SnapshotSettings.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <stdexcept>

namespace snapshots {

// An encoder's failure; its text says what went wrong.
class EPictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

QByteArray EncodeBmp(const QImage& image);
QByteArray EncodePng(const QImage& image);
QByteArray EncodeJpeg(const QImage& image, int quality = 90);
QByteArray EncodeGif(const QImage& image);

QByteArray EncodePicture(const QImage& image, TSnapshotType type);

// Writes the picture under path. Raises EFCreateError
// ("Cannot create file "<path>". <reason>") when the picture cannot be
// encoded or the file cannot be written.
void SavePicture(const QImage& image, const QString& path, TSnapshotType type);

} // namespace snapshots
