// Soft light around text: the shared blur, alpha from a mask, and text with
// halo, shadow, glow and reflection. The light is made by drawing the text
// in red on an opaque black buffer (so the red byte is the glyph coverage),
// blurring it and turning red into alpha under the wanted colour.
#pragma once

#include "skin/model/draw/QvBitmap.h"

// Stack blur of the colour channels over 2 * Radius + 1 pixels, rows then
// columns; every pixel ends opaque. Nothing for Radius <= 0.
void BlurBitmap(TqvBitmap& Bmp, int Radius);
// Alpha of each pixel := mean of the mask pixel's red, green and blue,
// truncated; pixels the mask does not cover become transparent.
void MaskToAlpha(TqvBitmap& Bmp, const TqvBitmap& Mask);
