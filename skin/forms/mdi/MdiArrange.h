// Where tile and cascade put MDI children, as pure functions of the child
// count and the client rect, so the frame only applies the rectangles.
// Child index 0 is the active child; rectangles are relative to the client
// area (its left and top do not count).
#pragma once

#include "platform/Types.h"

#include <vector>

// Columns from the right, each filled from the bottom, the last child first.
std::vector<TRect> TileRects(int count, const TRect& client);

// A child with a fixed-size border keeps its own size when cascaded.
struct TqvCascadeChild {
    bool FixedSize = false;
    int Width = 0, Height = 0;
};

// Offsets 0, step, 2 step ... from the last child to the first, so the
// active child ends largest and on top; an offset that would push a child
// out of the client starts again at 0.
std::vector<TRect> CascadeRects(int count, const TRect& client, int step, int minWidth, int minHeight,
                                const std::vector<TqvCascadeChild>& children = {});
