// The main window's glyphs read on any button face: drawn over light, mid
// and dark faces, as the buttons draw them (the bottom-left pixel's colour
// keyed out, the rest blended by its alpha), some pixel of each stands out
// from the face at 4.5:1 or more.
#include "app/mainwindow/MainWindowPictures.h"
#include "tools/contrast/WcagContrast.h"

#include <QColor>

#include <gtest/gtest.h>


namespace {

// The best contrast of the glyph drawn over a face.
double BestOn(const QImage& glyph, QRgb face) {
    const QImage g = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = g.pixel(0, g.height() - 1);
    double best = 1;
    for (int y = 0; y < g.height(); ++y)
        for (int x = 0; x < g.width(); ++x) {
            const QRgb p = g.pixel(x, y);
            if (p == key) continue;
            const int a = qAlpha(p);
            const auto mix = [&](int c, int f) { return (c * a + f * (255 - a)) / 255; };
            best = std::max(best, WcagContrast(qRgb(mix(qRed(p), qRed(face)), mix(qGreen(p), qGreen(face)),
                                                mix(qBlue(p), qBlue(face))),
                                           face));
        }
    return best;
}

}  // namespace

TEST(MainWindowPictures, GlyphsReadOnAnyFace) {
    using namespace mainwindow;
    std::vector<std::pair<std::string, QImage>> glyphs;
    for (TPreviewPicture p : {ppPlay, ppPause, ppStop, ppSound, ppMuted, ppSnapshot, ppSettings, ppFullScreen})
        glyphs.emplace_back("preview " + std::to_string(p), PreviewPicture(p));
    for (int n : {3, 5, 7, 9, 11, 13, 15, 16})
        for (int size : {32, 16}) glyphs.emplace_back("tool " + std::to_string(n) + " at " + std::to_string(size), ToolPicture(n, size));
    glyphs.emplace_back("category 20", OnAnyFace(CategoryPicture(20)));
    const QRgb faces[] = {qRgb(255, 255, 255), qRgb(0xDB, 0xCB, 0xAC), qRgb(0xB1, 0xB5, 0xBA), qRgb(0x77, 0x77, 0x77),
                          qRgb(0x45, 0x48, 0x4D), qRgb(0x1C, 0x2A, 0x45), qRgb(0, 0, 0)};
    for (const auto& [name, glyph] : glyphs)
        for (QRgb face : faces)
            EXPECT_GE(BestOn(glyph, face), 4.5) << name << " on " << QColor(face).name().toStdString();
}
