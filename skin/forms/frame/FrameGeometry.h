// The skinned frame stretched to a form's size, as pure functions of the
// skin's form info, the frame picture's size and the form's size: the frame
// points and rectangles, frame-rectangle mapping, the caption-button row, the
// mask pieces and the hit test. The skinless frame's rectangles and hit test
// are here too, so the component only feeds them its state.
#pragma once

#include "platform/Types.h"
#include "skin/model/SkinData.h"

#include <QImage>
#include <QRegion>
#include <QSize>

#include <memory>
#include <optional>
#include <vector>

class TqvActiveSkinObject;

// The platform's hit-test answers.
constexpr int HTCLIENT = 1, HTCAPTION = 2, HTLEFT = 10, HTRIGHT = 11, HTTOP = 12, HTTOPLEFT = 13,
              HTTOPRIGHT = 14, HTBOTTOM = 15, HTBOTTOMLEFT = 16, HTBOTTOMRIGHT = 17, HTOBJECT = 19;
constexpr bool IsSizingCode(int code) { return code >= HTLEFT && code <= HTBOTTOMRIGHT; }

// The New* geometry, window coordinates, for one form size.
struct TqvFrameGeometry {
    int Width = 0, Height = 0;  // the form size it was computed for
    QSize Picture;              // the frame picture's size
    TPoint LTPoint{}, RTPoint{}, LBPoint{}, RBPoint{};  // the skin's own (picture coordinates)
    TPoint NewLTPoint{}, NewRTPoint{}, NewLBPoint{}, NewRBPoint{};
    TRect NewClRect{}, NewCaptionRect{}, NewButtonsRect{}, NewMaskRectArea{};
    bool NewButtonsInLeft = false;
    int NewButtonsOffset = 0;
    TPoint NewHitTestLTPoint{}, NewHitTestRTPoint{}, NewHitTestLBPoint{}, NewHitTestRBPoint{};
};

TqvFrameGeometry CalcFormRects(const TqvSkinFormInfo& Info, QSize Picture, int Width, int Height);
// A rectangle of the frame picture moved or stretched to the form's size.
TRect MapSkinRect(const TqvFrameGeometry& G, TRect SkinRect);

using TqvFrameObjects = std::vector<std::unique_ptr<TqvActiveSkinObject>>;
// Places every object: mapped from the picture, or laid out in the button row.
// SmallIcon is the system-menu button's size when the form shows its icon.
void CalcObjectRects(const TqvFrameGeometry& G, TqvFrameObjects& Objects, std::optional<QSize> SmallIcon);

// The mask's four edge pieces at the form's size (MaskRectArea is their inside).
struct TqvMaskPieces {
    QImage Top, Left, Right, Bottom;
    void Clear() { *this = {}; }
};
TqvMaskPieces ComposeMaskPieces(const TqvSkinFormInfo& Info, const QImage& Mask, const TqvFrameGeometry& G);
// The window shape: NewMaskRectArea united with the black pixels of the pieces.
QRegion MaskRegion(const TqvMaskPieces& Pieces, const TqvFrameGeometry& G);
bool PointInMask(const TqvMaskPieces& Pieces, const TqvFrameGeometry& G, TPoint P);

// What the hit test needs of the form besides its geometry.
struct TqvHitTestState {
    bool RolledUp = false, Minimized = false, Maximized = false;
    bool CanResize = true;
    bool SizeMove = false;       // a move or resize is running
    bool ObjectActive = false;   // a frame object is under the mouse
    bool HasMask = false;
    int BorderW = 0;
    int QuickStripWidth = 0;     // quick buttons at the caption object's left
    std::vector<TRect> CaptionRects;  // ObjectRect of every caption object, in list order
};
int HitTestSkin(const TqvFrameGeometry& G, const TqvMaskPieces& Pieces, const TqvHitTestState& S, TPoint P);
// The caption area holding P (first caption object), or an empty rect.
bool InCaptionArea(const TqvHitTestState& S, TPoint P);

// The skinless frame: 3-px border, caption of 19 (tool windows 15) pixels.
int DefCaptionHeight(bool ToolWindow);
int DefButtonSize(bool ToolWindow);
// Lays out the visible standard buttons from the right (the system-menu button
// at the left) and answers the caption text rectangle.
TRect CalcDefRects(int Width, bool ToolWindow, TqvFrameObjects& Objects, std::optional<QSize> SmallIcon);
int HitTestDefault(int Width, int Height, bool ToolWindow, const TRect& CaptionRect, const TqvHitTestState& S,
                   TPoint P);
