// The arithmetic of the layered border around a skinned form: where the frame
// picture lies for a form's bounds, how it is cut into four side images, where
// the side windows go, which resize zone a point of a side window is in, and
// what a band drag does to the form's bounds. Pure functions, no windows.
#pragma once

#include "skin/model/SkinRecords.h"
#include "skin/model/draw/QvBitmap.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <memory>
#include <optional>

enum TqvFormLayerBorderType { qvflLeft, qvflTop, qvflRight, qvflBottom };
enum TqvFormLayerBorderHit {
    qvflhNone,
    qvflhLeft,
    qvflhTop,
    qvflhRight,
    qvflhBottom,
    qvflhTopLeft,
    qvflhTopRight,
    qvflhBottomLeft,
    qvflhBottomRight
};

// Widths of the mouse-sensitive band on each side; all 0 without a BorderRect.
struct TqvLayerBandSizes {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TqvLayerBandSizes&) const = default;
};
TqvLayerBandSizes LayerBandSizes(const TqvDataSkinLayerFrame& D);

// The whole layered frame for a form at Form (screen coordinates): the picture
// with its ClRect laid over the form.
QRect LayerFrameRect(const TqvDataSkinLayerFrame& D, QSize Picture, const QRect& Form);

// The four side images of a frame rect of Width x Height, cut from S. An
// image that would be empty stays empty (its side gets no window).
struct TqvLayerSideImages {
    // An empty bitmap for a side without an image.
    const TqvBitmap& Of(TqvFormLayerBorderType Side) const;
    TqvBitmap* Get(TqvFormLayerBorderType Side) { return FImages[std::size_t(Side)].get(); }
    // A fresh image of W x H for a side; none when either is not positive.
    TqvBitmap* Make(TqvFormLayerBorderType Side, int W, int H);
    void Clear();

private:
    std::array<std::unique_ptr<TqvBitmap>, 4> FImages;
};
void MakeLayerSideImages(const TqvBitmap& S, const TqvDataSkinLayerFrame& D, int Width, int Height,
                         TqvLayerSideImages& Out);
// Heights of the top and bottom images for a picture of height PictureHeight.
int LayerTopHeight(const TqvDataSkinLayerFrame& D);
int LayerBottomHeight(const TqvDataSkinLayerFrame& D, int PictureHeight);

// Top-left corner of a side window for the frame rect; RightWidth is the
// right image's width.
QPoint LayerWindowPlace(TqvFormLayerBorderType Side, const QRect& Frame, int TopHeight, int BottomHeight,
                        int RightWidth);

// The resize zone under P (screen) of a side window around a form at Form.
TqvFormLayerBorderHit LayerHitMode(TqvFormLayerBorderType Side, QPoint P, const QRect& Form,
                                   const TqvLayerBandSizes& Bands);

// The form's new bounds after the pointer moved by (Dx, Dy) in zone Hit, its
// sizes kept within Min and Max; nothing when the step changes nothing or
// would move an edge that must stay (a left or top drag past a limit).
std::optional<QRect> LayerBandResize(TqvFormLayerBorderHit Hit, const QRect& Form, int Dx, int Dy, QSize Min,
                                     QSize Max);

// A border alpha scaled by the form's own alpha (both 0..255), rounded.
int LayerAlphaForForm(int Value, int FormAlpha);
