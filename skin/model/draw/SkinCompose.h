// Composition of skin pictures at any size: nine-slice images, three-slice
// bars, border pieces, mask pieces and window regions from masks. Pictures
// and results are QImages (results Format_RGB32); pixels not drawn are white.
// Every scaled piece goes through the one nearest-neighbour rule.
#pragma once

#include "platform/Types.h"
#include "skin/model/SkinTypes.h"

#include <QImage>
#include <QRegion>

#include <vector>

// Dst becomes the W x H image of the skin object SkinRect of Picture.
// Corner points and ClRect are relative to SkinRect; the New* values are the
// geometry at the new size (callers keep the left and top border widths).
void ComposeSkinImage(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                      TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect, QImage& Dst,
                      const QImage& Picture, TRect SkinRect, int W, int H, bool DrawClient, bool LeftStretch,
                      bool TopStretch, bool RightStretch, bool BottomStretch, bool StretchEffect,
                      TqvStretchType StretchType);
// The same composition; some callers know it by this name.
void ComposeSkinImageEx(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                        TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect, QImage& Dst,
                        const QImage& Picture, TRect SkinRect, int W, int H, bool DrawClient, bool LeftStretch,
                        bool TopStretch, bool RightStretch, bool BottomStretch, bool StretchEffect,
                        TqvStretchType StretchType);
// Without the right strip: top, bottom and client run to the right edge.
void ComposeSkinImageOpenRight(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect,
                               TPoint NewLTPoint, TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint,
                               TRect NewClRect, QImage& Dst, const QImage& Picture, TRect SkinRect, int W, int H,
                               bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
                               bool BottomStretch, bool StretchEffect, TqvStretchType StretchType);
// Dst (sized by the caller): corners of ClRect as corner points, every border
// and the client stretched.
void ResizeSkinImage(QImage& Dst, const QImage& Picture, TRect SkinRect, TRect ClRect, bool DrawClient);

// Three-slice bars: W x height of SkinRect (H unused), and the vertical twin
// width of SkinRect x H (W unused).
void MakeHorzSkinImage(int LeftW, int RightW, QImage& Dst, const QImage& Picture, TRect SkinRect, int W, int H,
                       bool Stretch);
void MakeHorzSkinImageOpenRight(int LeftW, int RightW, QImage& Dst, const QImage& Picture, TRect SkinRect, int W,
                                int H, bool Stretch);
void MakeHorzSkinImageMiddle(int LeftW, int RightW, QImage& Dst, const QImage& Picture, TRect SkinRect, int W,
                             int H, bool Stretch);
void MakeVertSkinImage(int TopH, int BottomH, QImage& Dst, const QImage& Picture, TRect SkinRect, int W, int H,
                       bool Stretch);

// Only the border, as four pieces: top and bottom full width, left and right
// between them. A piece that is not built keeps what it came with.
void ComposeSkinFrameImage(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                           TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect,
                           QImage& LeftPiece, QImage& TopPiece, QImage& RightPiece, QImage& BottomPiece,
                           const QImage& Picture, TRect SkinRect, int W, int H, bool LeftStretch, bool TopStretch,
                           bool RightStretch, bool BottomStretch);
// The border pieces of a mask picture (the object's size, from 0) at the new size.
void ComposeSkinMaskParts(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                          TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect,
                          const QImage& Mask, QImage& TopPiece, QImage& LeftPiece, QImage& RightPiece,
                          QImage& BottomPiece, int W, int H);

// Rectangles of the black runs of a mask (red + green + blue = 0), one per
// horizontal run, rows top to bottom, moved by (DX, DY).
struct TqvRegionData {
    TRect Bound;
    std::vector<TRect> Rects;
};
// Byte size of the region data (32 + 16 per rectangle); 0 for an empty mask.
int BuildMaskRegionData(const QImage& Mask, int DX, int DY, TqvRegionData& Data);
// False (no region) for an empty mask.
bool CreateRegionFromMask(QRegion& Rgn, const QImage& Mask);
// The window region at the new size: the client rectangle and the mask's
// border pieces. False means no region (the whole window shows).
bool CreateSkinRegion(QRegion& Rgn, TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect,
                      TPoint NewLTPoint, TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect,
                      const QImage& Mask, int W, int H);
