// The window-state arithmetic of a skinned form as pure functions: size
// limits, minimized cells, the maximized area, centring in the monitor and
// magnetic moving. Work areas and the cursor come in as parameters.
#pragma once

#include "platform/Types.h"

#include <QPoint>
#include <QRect>

#include <vector>

struct TqvSizeLimitInput {
    bool Skinned = false;     // a non-empty skin is applied
    QRect Picture;            // the frame picture (skinned)
    TRect ClRect{};           // the skin's client rectangle (skinned)
    int FormMinWidth = 0;     // the skin's
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;  // the component's
    int DefCaptionHeight = 19;
    bool RolledUp = false, Minimized = false;
};
int GetMinWidth(const TqvSizeLimitInput& In);
int GetMinHeight(const TqvSizeLimitInput& In);
// MaxWidth / MaxHeight, else the given area's (work area, or the monitor with MaximizeOnFullScreen).
int GetMaxWidth(const TqvSizeLimitInput& In, const QRect& Area);
int GetMaxHeight(const TqvSizeLimitInput& In, const QRect& Area);

// Where a maximized form goes: the monitor (FullScreen) or its work area; a
// work area as large as the primary screen (no panel takes room) keeps 1 px
// from every edge.
QRect MaximizedArea(const QRect& Screen, const QRect& WorkArea, const QRect& Primary, bool FullScreen);

// The first free cell from the bottom-left of Area, rows going up; Taken are
// the top-left corners of the other minimized forms.
QPoint GetMinimizedPlace(const QRect& Area, int CellW, int CellH, const std::vector<QPoint>& Taken);

enum TqvPositionInMonitor { qvpDefault, qvpScreenCenter, qvpDesktopCenter };
QPoint GetPositionInMonitor(TqvPositionInMonitor Pos, const QRect& Screen, const QRect& WorkArea, int AX, int AY,
                            int AW, int AH);

// Snap state of one move; cleared on every size change.
struct TqvMagnetState {
    bool HMagnetized = false, VMagnetized = false, HMagnetized2 = false, VMagnetized2 = false;
    QPoint MouseDownCoord{-1, -1};
    void Clear() { HMagnetized = VMagnetized = HMagnetized2 = VMagnetized2 = false; }
};
// Snaps Left/Top of a W x H form to the edges of Area within M pixels.
void MagneticMove(TqvMagnetState& S, int& Left, int& Top, int W, int H, const QRect& Area, int M, QPoint Cursor);

// The bounds a resize from Start gives when the pointer moved by Delta on the
// edges of hit code Code, clamped to the limits with the opposite edges fixed.
QRect ResizedBounds(const QRect& Start, QPoint Delta, int Code, QSize Min, QSize Max);
