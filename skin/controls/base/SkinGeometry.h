// The resizable skin geometry both custom bases share: the record's corner
// points, client rectangle and stretch flags, their values at the current
// size, and the composition of a picture at that size.
#pragma once

#include "platform/Types.h"
#include "skin/model/SkinTypes.h"

#include <QImage>
#include <QRegion>

class TqvSkinData;
class TqvDataSkinControl;

struct TqvSkinGeometry {
    TPoint LTPt{}, RTPt{}, LBPt{}, RBPt{};
    TRect SkinRect{}, ClRect{};
    TPoint NewLTPoint{}, NewRTPoint{}, NewLBPoint{}, NewRBPoint{};
    TRect NewClRect{};
    // Shared copies of the model's active pictures; null = none. The model
    // replaces its pictures at a skin change, so these are refreshed by every
    // lookup and never outlive a record's meaning.
    QImage Picture, MaskPicture;
    // -1 no skin rectangle, 0 fixed size, 1 nine-slice, 2 horizontal and
    // 3 vertical three-slice.
    int ResizeMode = 0;
    bool StretchEffect = false;
    TqvStretchType StretchType = qvstFull;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;

    int SkinWidth() const { return SkinRect.Width(); }
    int SkinHeight() const { return SkinRect.Height(); }

    // Takes the record's values: a resizable-control record gives its whole
    // geometry, any other record ResizeMode 0 and no pictures.
    void Load(const TqvSkinData& model, const TqvDataSkinControl& record);
    int GetResizeMode() const;
    // Fits a requested size to the skin and moves the corner points and the
    // client rectangle to it (HasRecord: a record was found).
    void AdjustSkinSize(int& AWidth, int& AHeight, bool HasRecord);
    // A rectangle relative to the skin rectangle, in control coordinates at W x H.
    TRect MapSkinRect(const TRect& R, int W, int H) const;
    // Part ARect of APicture composed at W x H into B (B may change size for
    // a fixed-size skin). ForceBackground leaves nine-slice images to the
    // piecewise paint.
    void CreateSkinImage(QImage& B, const QImage& APicture, const TRect& ARect, int W, int H,
                         bool ForceBackground = false) const;
    // The window region from the mask at W x H; false = no region.
    bool BuildSkinRegion(QRegion& Rgn, int W, int H);
};

// The model's active picture at index (a shared copy); null outside the list.
QImage SkinActivePicture(const TqvSkinData& model, int index);
