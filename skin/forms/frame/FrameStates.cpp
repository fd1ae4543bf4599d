#include "skin/forms/frame/FrameStates.h"

#include "skin/forms/frame/FrameGeometry.h"

#include <algorithm>
#include <cstdlib>

int GetMinWidth(const TqvSizeLimitInput& In) {
    if (!In.Skinned) return In.MinWidth > 0 ? In.MinWidth : 120;
    const int PW = In.Picture.width();
    if (PW < In.MinWidth && !In.Minimized) return In.MinWidth;
    if (In.FormMinWidth > 0) return In.FormMinWidth >= In.MinWidth || In.Minimized ? In.FormMinWidth : In.MinWidth;
    return PW;
}

int GetMinHeight(const TqvSizeLimitInput& In) {
    const int h = In.Skinned ? In.Picture.height() - In.ClRect.Height() : In.DefCaptionHeight + 6;
    return h >= In.MinHeight || In.RolledUp || In.Minimized ? h : In.MinHeight;
}

int GetMaxWidth(const TqvSizeLimitInput& In, const QRect& Area) { return In.MaxWidth != 0 ? In.MaxWidth : Area.width(); }
int GetMaxHeight(const TqvSizeLimitInput& In, const QRect& Area) {
    return In.MaxHeight != 0 ? In.MaxHeight : Area.height();
}

QRect MaximizedArea(const QRect& Screen, const QRect& WorkArea, const QRect& Primary, bool FullScreen) {
    QRect area = FullScreen ? Screen : WorkArea;
    if (WorkArea.size() == Screen.size() && Screen == Primary) area.adjust(1, 1, -1, -1);
    return area;
}

QPoint GetMinimizedPlace(const QRect& Area, int CellW, int CellH, const std::vector<QPoint>& Taken) {
    const int left = Area.left(), right = Area.left() + Area.width(), top = Area.top();
    const QPoint first(left, Area.top() + Area.height() - CellH);
    QPoint p = first;
    // Every pass takes a cell or moves on; there are at most as many taken cells as forms.
    for (std::size_t guard = 0; guard <= Taken.size(); ++guard) {
        if (std::find(Taken.begin(), Taken.end(), p) == Taken.end()) return p;
        p.rx() += CellW;
        if (p.x() + CellW > right) {
            p = QPoint(left, p.y() - CellH);
            if (p.y() < top) return first;
        }
    }
    return p;
}

QPoint GetPositionInMonitor(TqvPositionInMonitor Pos, const QRect& Screen, const QRect& WorkArea, int AX, int AY,
                            int AW, int AH) {
    if (Pos == qvpDefault) return {AX, AY};
    const QRect& r = Pos == qvpDesktopCenter ? WorkArea : Screen;
    return {r.left() + r.width() / 2 - AW / 2, r.top() + r.height() / 2 - AH / 2};
}

void MagneticMove(TqvMagnetState& S, int& Left, int& Top, int W, int H, const QRect& A, int M, QPoint Cursor) {
    const int rl = A.left(), rt = A.top(), rr = A.left() + A.width(), rb = A.top() + A.height();
    auto near = [M](int edge, int v) { return edge - M < v && v < edge + M; };
    // One edge pair: snaps v to target when near, keeps it there until the
    // cursor has left the snap point by more than M.
    auto snap = [&](bool nearEdge, bool& magnetized, int& v, int target, int cursor, int& downCoord) {
        if (nearEdge && !magnetized) {
            v = target;
            downCoord = cursor;
        } else if (magnetized) {
            v = std::abs(cursor - downCoord) > M ? cursor + target - downCoord : target;
        }
        magnetized = nearEdge;
    };
    int& dx = S.MouseDownCoord.rx();
    int& dy = S.MouseDownCoord.ry();
    snap(near(rl, Left), S.HMagnetized, Left, rl, Cursor.x(), dx);
    snap(near(rt, Top), S.VMagnetized, Top, rt, Cursor.y(), dy);
    snap(near(rr, Left + W), S.HMagnetized2, Left, rr - W, Cursor.x(), dx);
    snap(near(rb, Top + H), S.VMagnetized2, Top, rb - H, Cursor.y(), dy);
}

QRect ResizedBounds(const QRect& Start, QPoint Delta, int Code, QSize Min, QSize Max) {
    const bool left = Code == HTLEFT || Code == HTTOPLEFT || Code == HTBOTTOMLEFT;
    const bool right = Code == HTRIGHT || Code == HTTOPRIGHT || Code == HTBOTTOMRIGHT;
    const bool top = Code == HTTOP || Code == HTTOPLEFT || Code == HTTOPRIGHT;
    const bool bottom = Code == HTBOTTOM || Code == HTBOTTOMLEFT || Code == HTBOTTOMRIGHT;
    auto clampW = [&](int w) { return std::clamp(w, Min.width(), std::max(Min.width(), Max.width())); };
    auto clampH = [&](int h) { return std::clamp(h, Min.height(), std::max(Min.height(), Max.height())); };
    int x = Start.x(), y = Start.y(), w = Start.width(), h = Start.height();
    if (left) {
        w = clampW(Start.width() - Delta.x());
        x = Start.x() + Start.width() - w;
    } else if (right) {
        w = clampW(Start.width() + Delta.x());
    }
    if (top) {
        h = clampH(Start.height() - Delta.y());
        y = Start.y() + Start.height() - h;
    } else if (bottom) {
        h = clampH(Start.height() + Delta.y());
    }
    return {x, y, w, h};
}
