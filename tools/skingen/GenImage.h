// The generator's own pixel primitives. Everything is integer arithmetic on
// Format_RGB32 images written through their scan lines, so one set of inputs
// gives the same pixels on every machine and Qt version (no QPainter, no
// anti-aliasing of Qt's, no floating point).
#pragma once

#include "platform/Types.h"

#include <QImage>

#include <cstdint>

// 0xRRGGBB.
using TGenRgb = std::uint32_t;

constexpr int GenRed(TGenRgb c) { return int((c >> 16) & 0xFF); }
constexpr int GenGreen(TGenRgb c) { return int((c >> 8) & 0xFF); }
constexpr int GenBlue(TGenRgb c) { return int(c & 0xFF); }
TGenRgb GenRgb(int r, int g, int b);
// a + (b - a) * num / den per channel, rounded to nearest.
TGenRgb GenMix(TGenRgb a, TGenRgb b, int num, int den);
// Every channel moved by delta, clamped.
TGenRgb GenShade(TGenRgb c, int delta);
// Whether a and b differ by at least num/den as a WCAG contrast ratio
// (relative luminance from a table in millionths: integers only).
bool GenContrastAtLeast(TGenRgb a, TGenRgb b, int num, int den);
// The platform colour (red in the low byte) of an 0xRRGGBB value.
TColor GenToColor(TGenRgb c);

// A fixed-seed linear congruential generator: the textures' only source of noise.
class TGenRandom {
public:
    explicit TGenRandom(std::uint32_t seed) : FState(seed) {}
    // 0 .. n - 1.
    int Next(int n);

private:
    std::uint32_t FState;
};

// Axis of a face: a horizontal face grows along x and shades along y.
enum class TGenAxis { Horizontal, Vertical };

// A writable image: Format_RGB32, every pixel opaque.
QImage GenNewImage(int w, int h, TGenRgb fill);
TGenRgb GenPixel(const QImage& img, int x, int y);
void GenSetPixel(QImage& img, int x, int y, TGenRgb c);
// c over the pixel with alpha/256 (0..256).
void GenBlendPixel(QImage& img, int x, int y, TGenRgb c, int alpha);
void GenFill(QImage& img, TRect r, TGenRgb c);
void GenFrame(QImage& img, TRect r, TGenRgb c);
void GenHLine(QImage& img, int x0, int x1, int y, TGenRgb c);  // x1 exclusive
void GenVLine(QImage& img, int x, int y0, int y1, TGenRgb c);  // y1 exclusive
// from at the first row (column) to to at the last, along the axis across the face.
void GenGradient(QImage& img, TRect r, TGenRgb from, TGenRgb to, TGenAxis axis);
// Copies a part of one image into another at (x, y).
void GenCopy(QImage& dst, int x, int y, const QImage& src, TRect from);

// Coverage in 1/16ths (0..16) of pixel (x, y) by a w x h rectangle with
// corners of radius r, sampled 4 x 4 inside the pixel.
int GenRoundCoverage(int x, int y, int w, int h, int r);
// Fills the rounded rectangle: edge pixels are blended by their coverage.
void GenFillRounded(QImage& img, TRect r, int radius, TGenRgb c);
// A one-pixel outline that follows the rounded corners.
void GenFrameRounded(QImage& img, TRect r, int radius, TGenRgb c);

// Glyphs from pixel tables: rows of '#' (ink) and '+' (half ink), others blank.
void GenGlyph(QImage& img, int x, int y, const char* const* rows, int rowCount, TGenRgb ink);
// A glyph table centred in r.
void GenGlyphCentred(QImage& img, TRect r, const char* const* rows, int rowCount, TGenRgb ink);
