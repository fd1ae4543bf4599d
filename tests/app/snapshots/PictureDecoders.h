// Reading snapshot pictures back with the library that reads each type:
// JPEG through libjpeg, GIF through giflib, the rest through Qt.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include <cstdio>
#include <gif_lib.h>
#include <jpeglib.h>

namespace snapshots_test {

struct TDecoded {
    int Width = 0, Height = 0;
    std::vector<QColor> Pixels;
    QColor At(QPoint p) const { return Pixels[static_cast<size_t>(p.y()) * Width + p.x()]; }
};

inline int Distance(const QColor& a, const QColor& b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

inline TDecoded FromQImage(const QImage& image) {
    TDecoded d{image.width(), image.height(), {}};
    for (int y = 0; y < d.Height; ++y)
        for (int x = 0; x < d.Width; ++x) d.Pixels.push_back(image.pixelColor(x, y));
    return d;
}

struct TJpegInfo {
    TDecoded Picture;
    bool Progressive = true;
    int Components = 0;
    int FirstLumaQuant = 0;
};

inline TJpegInfo DecodeJpeg(const QByteArray& data) {
    TJpegInfo info;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()), data.size());
    jpeg_read_header(&cinfo, TRUE);
    info.Progressive = cinfo.progressive_mode;
    info.Components = cinfo.num_components;
    info.FirstLumaQuant = cinfo.quant_tbl_ptrs[0] ? cinfo.quant_tbl_ptrs[0]->quantval[0] : 0;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    info.Picture.Width = static_cast<int>(cinfo.output_width);
    info.Picture.Height = static_cast<int>(cinfo.output_height);
    std::vector<unsigned char> row(cinfo.output_width * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW p = row.data();
        jpeg_read_scanlines(&cinfo, &p, 1);
        for (size_t x = 0; x < cinfo.output_width; ++x)
            info.Picture.Pixels.emplace_back(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return info;
}

struct TGifInfo {
    TDecoded Picture;
    int ImageCount = 0;
    int Colours = 0;
};

inline int ReadFromBuffer(GifFileType* gif, GifByteType* bytes, int length) {
    auto* source = static_cast<std::pair<const QByteArray*, int>*>(gif->UserData);
    const int n = std::min(length, static_cast<int>(source->first->size()) - source->second);
    std::memcpy(bytes, source->first->constData() + source->second, static_cast<size_t>(n));
    source->second += n;
    return n;
}

inline TGifInfo DecodeGif(const QByteArray& data) {
    TGifInfo info;
    std::pair<const QByteArray*, int> source{&data, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, ReadFromBuffer, &error);
    EXPECT_NE(gif, nullptr) << GifErrorString(error);
    if (!gif) return info;
    EXPECT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
    info.ImageCount = gif->ImageCount;
    if (gif->ImageCount > 0) {
        const SavedImage& image = gif->SavedImages[0];
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        info.Colours = map->ColorCount;
        info.Picture.Width = image.ImageDesc.Width;
        info.Picture.Height = image.ImageDesc.Height;
        for (int i = 0; i < info.Picture.Width * info.Picture.Height; ++i) {
            const GifColorType c = map->Colors[image.RasterBits[i]];
            info.Picture.Pixels.emplace_back(c.Red, c.Green, c.Blue);
        }
    }
    DGifCloseFile(gif, &error);
    return info;
}

} // namespace snapshots_test
