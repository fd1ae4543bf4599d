#include "tools/skingen/SkinSlices.h"

#include "skin/model/draw/SkinCompose.h"

TqvSliceGeometry SliceGeometryOf(const TqvDataSkinCustomControl& r)
{
    TqvSliceGeometry g;
    g.LT = r.LTPoint;
    g.RT = r.RTPoint;
    g.LB = r.LBPoint;
    g.RB = r.RBPoint;
    g.ClRect = r.ClRect;
    g.LeftStretch = r.LeftStretch;
    g.TopStretch = r.TopStretch;
    g.RightStretch = r.RightStretch;
    g.BottomStretch = r.BottomStretch;
    g.StretchEffect = r.StretchEffect;
    g.StretchType = r.StretchType;
    return g;
}

int SliceResizeMode(const TqvSliceGeometry& g, TRect skinRect)
{
    if (skinRect.Width() <= 0 || skinRect.Height() <= 0)
        return -1;
    if (g.RB.X != 0 && g.RB.Y != 0)
        return 1;
    if (g.RT.X != 0 || g.RT.Y != 0)
        return 2;
    if (g.LB.X != 0 || g.LB.Y != 0)
        return 3;
    return 0;
}

QImage ComposeSlices(const TqvSliceGeometry& g, int mode, const QImage& picture, TRect rect, int w, int h)
{
    QImage dst;
    const int sw = rect.Width(), sh = rect.Height();
    switch (mode) {
    case 1: {
        const int dw = w - sw, dh = h - sh;
        const TRect cl = Rect(g.ClRect.Left, g.ClRect.Top, g.ClRect.Right + dw, g.ClRect.Bottom + dh);
        ComposeSkinImage(g.LT, g.RT, g.LB, g.RB, g.ClRect, g.LT, Point(g.RT.X + dw, g.RT.Y), Point(g.LB.X, g.LB.Y + dh),
                         Point(g.RB.X + dw, g.RB.Y + dh), cl, dst, picture, rect, w, h, true, g.LeftStretch,
                         g.TopStretch, g.RightStretch, g.BottomStretch, g.StretchEffect, g.StretchType);
        break;
    }
    case 2:
        MakeHorzSkinImage(g.LT.X, sw - g.RT.X, dst, picture, rect, w, sh, g.StretchEffect);
        break;
    case 3:
        MakeVertSkinImage(g.LT.Y, sh - g.LB.Y, dst, picture, rect, sw, h, g.StretchEffect);
        break;
    default:
        dst = picture.copy(rect.ToQRect());
        break;
    }
    return dst;
}
