// Soft light around text: the shared blur, alpha from a mask, and text with
// halo, shadow, glow and reflection. The light is made by drawing the text
// in red on an opaque black buffer (so the red byte is the glyph coverage),
// blurring it and turning red into alpha under the wanted colour.
#pragma once

#include "skin/model/draw/QvBitmap.h"

// Stack blur of the colour channels over 2 * Radius + 1 pixels, rows then
// columns; every pixel ends opaque. Nothing for Radius <= 0.
void BlurBitmap(TqvBitmap& Bmp, int Radius);
// Text with a blurred halo of Size pixels in Color, moved by Offset.
void DrawTextWithHalo(TCanvas& Canvas, const TRect& R, const QString& Text, int Size, TColor Color, int Offset,
                      unsigned Format);
// Text over one blurred copy of itself (a shadow or glow) in Color.
void DrawTextWithShadow(TCanvas& Canvas, const TRect& R, const QString& Text, int Size, TColor Color, int Offset,
                        unsigned Format);
// Text over a filled soft glow in Color (translucent captions).
void DrawTextWithGlow(TCanvas& Canvas, const TRect& R, const QString& Text, TColor Color, unsigned Format);
// Text with a mirror image fading upwards, Offset pixels below it.
void DrawTextWithReflection(TCanvas& Canvas, const TRect& R, const QString& Text, TColor Color, int Offset,
                            unsigned Format);
// Alpha of each pixel := mean of the mask pixel's red, green and blue,
// truncated; pixels the mask does not cover become transparent.
void MaskToAlpha(TqvBitmap& Bmp, const TqvBitmap& Mask);
