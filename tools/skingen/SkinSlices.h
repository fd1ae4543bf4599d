// A record's picture composed at another size the way its consumers compose
// it: nine-slice, horizontal or vertical three-slice, or fixed. Used by the
// gallery and by the stored skins' checks.
#pragma once

#include "skin/model/SkinRecords.h"

#include <QImage>

struct TqvSliceGeometry {
    TPoint LT, RT, LB, RB;
    TRect ClRect;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TqvStretchType StretchType = qvstFull;
};

TqvSliceGeometry SliceGeometryOf(const TqvDataSkinCustomControl& record);
// -1 no picture, 0 fixed, 1 nine-slice, 2 horizontal, 3 vertical three-slice.
int SliceResizeMode(const TqvSliceGeometry& g, TRect skinRect);
// rect of picture at w x h; a fixed or three-slice record keeps the sizes it cannot change.
QImage ComposeSlices(const TqvSliceGeometry& g, int mode, const QImage& picture, TRect rect, int w, int h);
