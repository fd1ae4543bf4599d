// The pixel routines every loop of the skin library goes through: one table,
// filled once at start-up with one of two arithmetic sets. The "MMX" set is
// chosen wherever the processor probe says so (every x86-64); it is plain C++
// with that set's rounding and result alpha. Tests switch sets explicitly.
#pragma once

#include "platform/Types.h"

#include <cstdint>

// 0xAARRGGBB; in memory blue, green, red, alpha (QImage::Format_ARGB32).
using TqvColor = std::uint32_t;

// Holes of keyed drawing: red 127, green 0, blue 127, alpha 0.
constexpr TqvColor qvColorKey = 0x007F007F;

constexpr std::uint8_t qvAlpha(TqvColor c) { return c >> 24; }
constexpr std::uint8_t qvRed(TqvColor c) { return (c >> 16) & 0xFF; }
constexpr std::uint8_t qvGreen(TqvColor c) { return (c >> 8) & 0xFF; }
constexpr std::uint8_t qvBlue(TqvColor c) { return c & 0xFF; }
constexpr TqvColor qvARGB(int a, int r, int g, int b) {
    return (TqvColor(a & 0xFF) << 24) | (TqvColor(r & 0xFF) << 16) | (TqvColor(g & 0xFF) << 8) | TqvColor(b & 0xFF);
}
// A platform colour (red in the low byte) as an opaque pixel.
constexpr TqvColor ColorToQvColor(TColor c) { return qvARGB(255, GetRValue(c), GetGValue(c), GetBValue(c)); }

struct TqvPixelRoutines {
    TqvColor (*BlendPixel)(TqvColor A, TqvColor B);                    // A over B
    void (*BlendRow)(const TqvColor* Src, TqvColor* Dst, int Count);  // Src over Dst
    void (*KeyRow)(const TqvColor* Src, TqvColor* Dst, int Count);    // copy all but key pixels, opaque
    void (*MoveRow)(const TqvColor* Src, TqvColor* Dst, int Count);   // overlap allowed
    void (*FillRow)(TqvColor* Dst, int Count, TqvColor Color);
    void (*SetAlphaRow)(TqvColor* Dst, int Count, std::uint8_t Alpha);
};

// The table in use; set by SelectBlendRoutines before any drawing.
extern TqvPixelRoutines PixelRoutines;

const TqvPixelRoutines& PlainPixelRoutines();
const TqvPixelRoutines& MMXPixelRoutines();
// Chooses by the processor probe; the table is filled this way at start-up.
void SelectBlendRoutines();
// For tests: run with one set; restores the previous table when it goes.
class TqvPixelRoutinesScope {
public:
    explicit TqvPixelRoutinesScope(const TqvPixelRoutines& set) : FSaved(PixelRoutines) { PixelRoutines = set; }
    ~TqvPixelRoutinesScope() { PixelRoutines = FSaved; }
    TqvPixelRoutinesScope(const TqvPixelRoutinesScope&) = delete;
    TqvPixelRoutinesScope& operator=(const TqvPixelRoutinesScope&) = delete;

private:
    TqvPixelRoutines FSaved;
};

// A view of 32-bit pixel memory: a TqvBitmap's or a 32-bit QImage's.
struct TqvPixels {
    TqvColor* Bits = nullptr;
    int Width = 0, Height = 0;
    int Stride = 0;  // in pixels
    TqvColor* Row(int y) const { return Bits + static_cast<std::ptrdiff_t>(y) * Stride; }
    bool Empty() const { return !Bits || Width <= 0 || Height <= 0; }
};

// Rectangles below are already clipped and not empty.
void FillRectPixels(const TqvPixels& P, const TRect& R, TqvColor Color);
void SetAlphaRect(const TqvPixels& P, const TRect& R, std::uint8_t Alpha);

enum class TqvDrawKind { Copy, Alpha, Key };

// Same-size copy, blend or keyed copy of Clip's size from (SrcX, SrcY) of Src
// into Clip of Dst. Clip must lie inside Dst and the source area inside Src.
void DrawSameSize(TqvDrawKind Kind, const TqvPixels& Dst, const TRect& Clip, const TqvPixels& Src, int SrcX,
                  int SrcY);
// SrcRect of Src drawn into DstRect of Dst by nearest neighbour, only inside
// ClipRect (the platform's one stretch rule). Draws nothing unless SrcRect
// lies wholly inside Src.
void StretchDraw(TqvDrawKind Kind, const TqvPixels& Dst, const TRect& DstRect, const TRect& ClipRect,
                 const TqvPixels& Src, const TRect& SrcRect);
