// Small vocabulary every skinned object shares: rectangle and point tests,
// the system-version answers, the processor probe that picks the pixel
// routines, monitor work areas, glyph-and-caption layout and the two small
// text codecs of the bitmap stream forms.
#pragma once

#include "platform/Types.h"

#include <QString>

#include <stdexcept>
#include <string>

class QIODevice;
class QWidget;

// Short or failed reads and writes of a stream form.
class EqvStreamError : public std::runtime_error {
public:
    explicit EqvStreamError(const char* msg = "Stream read error") : std::runtime_error(msg) {}
    explicit EqvStreamError(const std::string& msg) : std::runtime_error(msg) {}
};

// Writes all n bytes or throws EqvStreamError saying how far it got or why not.
void WriteExact(QIODevice& Stream, const char* p, qint64 n);

// ---- rectangles and points
constexpr int RectWidth(const TRect& R) { return R.Right - R.Left; }
constexpr int RectHeight(const TRect& R) { return R.Bottom - R.Top; }
constexpr void SetNullRect(TRect& R) { R = {}; }
// An unset skin rectangle has no positive width or height.
constexpr bool IsNullRect(const TRect& R) { return RectWidth(R) <= 0 || RectHeight(R) <= 0; }
// An unset skin point has a zero coordinate.
constexpr bool IsNullPoint(const TPoint& P) { return P.X == 0 || P.Y == 0; }
constexpr bool RectsEqual(const TRect& A, const TRect& B) { return A == B; }
// Right and bottom edges count as inside here, unlike PtInRect.
constexpr bool RectContainsPoint(const TRect& R, const TPoint& P) {
    return P.X >= R.Left && P.X <= R.Right && P.Y >= R.Top && P.Y <= R.Bottom;
}
constexpr bool RectInsideRect(const TRect& A, const TRect& B) {
    return PtInRect(B, A.TopLeft()) && PtInRect(B, A.BottomRight());
}
// Finds list items that are at least partly visible.
constexpr bool RectTopOrBottomInRect(const TRect& A, const TRect& B) {
    return PtInRect(B, {B.Left + 1, A.Top}) || PtInRect(B, {B.Right - 1, A.Bottom});
}
constexpr int IntMax(int A, int B) { return A > B ? A : B; }
constexpr int IntMin(int A, int B) { return A < B ? A : B; }

// ---- system version: the layer and Vista paths ask these. The answers are
// fixed (a modern system: 6.1); tests may pretend another version.
struct TqvSystemVersion {
    int Major = 6, Minor = 1;
};
TqvSystemVersion SystemVersion();
void SetSystemVersionForTests(TqvSystemVersion v);  // {0,0} restores the real answer
bool IsWindowsVistaOrLater();
bool IsWindowsXPOrLater();
bool IsWindows2000OrLater();

// ---- processor probe
bool HasMMX();
// No MMX instructions are emitted anywhere, so there is no state to end.
inline void EndMMXState() {}

// ---- monitors
bool HasMultipleMonitors();
void GetScreenWorkArea(bool WorkArea, TRect& R);
void GetMonitorWorkArea(const QWidget* Wnd, bool WorkArea, TRect& R);

// ---- text codecs of the stream forms (count of UTF-16 units, then the units);
// a short read or write throws EqvStreamError
void ReadStreamString(QIODevice& Stream, QString& S);
void WriteStreamString(QIODevice& Stream, const QString& S);
// Four integers split by one of " (),:;=" each; (0,0,0,0) when any fails.
void ParseRectText(const QString& S, TRect& R);

// ---- glyph beside a caption
enum TqvButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TqvGlyphCaptionLayout {
    TPoint Glyph, Text;
};
// Margin -1 centres glyph and caption together; otherwise it is the distance
// from the edge on the glyph's side. Spacing is ignored without a glyph.
TqvGlyphCaptionLayout CalcGlyphAndCaptionLayout(TqvButtonLayout Layout, const TRect& R, int GlyphW,
                                                int GlyphH, int TextW, int TextH, int Margin,
                                                int Spacing);
