#include "app/snapshots/PictureWriters.h"

#include "app/snapshots/ColourReduction.h"
#include "platform/Classes.h"
#include "platform/SafeFile.h"

#include <QBuffer>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <gif_lib.h>
#include <jpeglib.h>

namespace snapshots {

namespace {

QImage Frame24(const QImage& image) {
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        throw EPictureError("the picture is empty");
    return image.convertToFormat(QImage::Format_BGR888);
}

QByteArray EncodeWithQt(const QImage& image, const char* format) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format)) throw EPictureError(std::string("the ") + format + " encoder failed");
    return data;
}

// libjpeg reports errors through a callback that must not return; the jump
// brings it back to EncodeJpeg, which then owns no C++ object that needs
// unwinding between the setjmp and the jump.
struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<TJpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->Message);
    std::longjmp(err->Jump, 1);
}

void JpegNoOutput(j_common_ptr) {}

// Runs the compression of rows; returns false with the library's message.
bool CompressJpeg(const QImage& rgb, int quality, unsigned char** out, unsigned long* size, char* message) {
    jpeg_compress_struct cinfo;
    TJpegError err;
    cinfo.err = jpeg_std_error(&err.Manager);
    err.Manager.error_exit = JpegErrorExit;
    err.Manager.output_message = JpegNoOutput;
    if (setjmp(err.Jump)) {
        std::strncpy(message, err.Message, JMSG_LENGTH_MAX);
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, size);
    cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
    cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

int GifWrite(GifFileType* gif, const GifByteType* bytes, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
    return length;
}

[[noreturn]] void GifFailed(int code) {
    const char* text = GifErrorString(code);
    throw EPictureError(std::string("GIF: ") + (text ? text : "unknown error"));
}

} // namespace

QByteArray EncodeBmp(const QImage& image) { return EncodeWithQt(Frame24(image), "BMP"); }

QByteArray EncodePng(const QImage& image) { return EncodeWithQt(Frame24(image), "PNG"); }

QByteArray EncodeJpeg(const QImage& image, int quality) {
    const QImage rgb = Frame24(image).convertToFormat(QImage::Format_RGB888);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = CompressJpeg(rgb, quality, &out, &size, message);
    QByteArray data;
    if (ok) data = QByteArray(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    std::free(out);
    if (!ok) throw EPictureError(std::string("JPEG: ") + message);
    return data;
}

QByteArray EncodeGif(const QImage& image) {
    const QImage frame = Frame24(image);
    if (frame.width() > 65535 || frame.height() > 65535) throw EPictureError("GIF: the picture is too large");
    const TIndexedPicture picture = ReduceColours(frame, 256);

    // The colour table's size must be a power of two (at least 2).
    int tableSize = 2;
    while (tableSize < static_cast<int>(picture.Palette.size())) tableSize *= 2;
    std::vector<GifColorType> colours(tableSize, GifColorType{0, 0, 0});
    for (size_t k = 0; k < picture.Palette.size(); ++k)
        colours[k] = {picture.Palette[k].R, picture.Palette[k].G, picture.Palette[k].B};

    QByteArray data;
    int error = 0;
    GifFileType* gif = EGifOpen(&data, GifWrite, &error);
    if (!gif) GifFailed(error);
    ColorMapObject* map = GifMakeMapObject(tableSize, colours.data());
    auto fail = [&](int code) {
        GifFreeMapObject(map);
        int ignored = 0;
        EGifCloseFile(gif, &ignored);
        GifFailed(code);
    };
    if (!map) fail(E_GIF_ERR_NOT_ENOUGH_MEM);
    if (EGifPutScreenDesc(gif, picture.Width, picture.Height, 8, 0, map) == GIF_ERROR) fail(gif->Error);
    if (EGifPutImageDesc(gif, 0, 0, picture.Width, picture.Height, false, nullptr) == GIF_ERROR) fail(gif->Error);
    std::vector<GifPixelType> line(picture.Width);
    for (int y = 0; y < picture.Height; ++y) {
        std::copy_n(picture.Indexes.begin() + static_cast<std::ptrdiff_t>(y) * picture.Width, picture.Width,
                    line.begin());
        if (EGifPutLine(gif, line.data(), picture.Width) == GIF_ERROR) fail(gif->Error);
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) == GIF_ERROR) GifFailed(error);
    return data;
}

QByteArray EncodePicture(const QImage& image, TSnapshotType type) {
    switch (type) {
    case TSnapshotType::Bmp: return EncodeBmp(image);
    case TSnapshotType::Jpg: return EncodeJpeg(image);
    case TSnapshotType::Gif: return EncodeGif(image);
    case TSnapshotType::Png: return EncodePng(image);
    }
    return EncodeBmp(image);
}

void SavePicture(const QImage& image, const QString& path, TSnapshotType type) {
    auto fail = [&](const QString& why) {
        throw EFCreateError("Cannot create file \"" + path.toStdString() + "\". " + why.toStdString());
    };
    QByteArray data;
    try {
        data = EncodePicture(image, type);
    } catch (const EPictureError& e) {
        fail(QString::fromStdString(e.what()));
    }
    QString why;
    if (!ReplaceFileContent(path, data, &why)) fail(why);
}

} // namespace snapshots
