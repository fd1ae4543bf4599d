#include "skin/model/draw/DrawHelpers.h"

#include "platform/Control.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <vector>

// ---- glyph and caption

namespace {

struct TGlyphDraw {
    int W = 0, H = 0;
    std::function<void(int x, int y)> Draw;  // empty without a glyph
};

void DrawGlyphAndCaption(TCanvas& Canvas, TRect R, int Margin, int Spacing, TqvButtonLayout Layout,
                         const QString& Caption, const TGlyphDraw& Glyph, bool Pressed, bool ShowMark,
                         TColor MarkColor, bool Centre, bool BitmapForm) {
    int tw = 0, th = 0;
    if (!Caption.isEmpty()) {
        TRect m{0, 0, RectWidth(R), RectHeight(R)};
        if (Layout == blGlyphLeft || Layout == blGlyphRight) m.Right -= Glyph.W;
        else m.Top += Glyph.H;
        Canvas.DrawText(Caption, m, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
        tw = RectWidth(m);
        th = RectHeight(m);
    }
    if (!BitmapForm || !Caption.isEmpty()) Canvas.Brush().SetStyle(bsClear);
    TqvGlyphCaptionLayout L = CalcGlyphAndCaptionLayout(Layout, R, Glyph.W, Glyph.H, tw, th, Margin, Spacing);
    if (Pressed) {
        L.Glyph = {L.Glyph.X + 1, L.Glyph.Y + 1};
        L.Text = {L.Text.X + 1, L.Text.Y + 1};
    }
    TRect text{L.Text.X, L.Text.Y, L.Text.X + tw + 2, L.Text.Y + th};
    if (!Caption.isEmpty())
        Canvas.DrawText(Caption, text, DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | (Centre ? DT_CENTER : 0u));
    if (Glyph.Draw) Glyph.Draw(L.Glyph.X, L.Glyph.Y);
    if (!ShowMark) return;
    Canvas.Pen().SetColor(MarkColor);
    auto hline = [&](int x0, int x1, int y) {
        Canvas.MoveTo(x0, y);
        Canvas.LineTo(x1, y);
    };
    if (Glyph.Draw) {
        for (int d : {2, 1, 0}) hline(L.Glyph.X, L.Glyph.X + Glyph.W, L.Glyph.Y + Glyph.H - d);
    } else if (!Caption.isEmpty()) {
        for (int d : {-1, 0, 1}) hline(text.Left, text.Right, text.Bottom + d);
    } else {
        Canvas.Brush().SetColor(MarkColor);
        const bool low = BitmapForm && Pressed;
        Canvas.FillRect({R.Left + 4, R.Top + (low ? 5 : 4), R.Right - 2, R.Bottom - (low ? 3 : 4)});
    }
}

TGlyphDraw ImageGlyph(TCanvas& Canvas, int ImageIndex, const TCustomImageList* ImageList, bool Enabled) {
    TGlyphDraw g;
    if (ImageList && ImageIndex >= 0 && ImageIndex < ImageList->Count()) {
        g.W = ImageList->Width();
        g.H = ImageList->Height();
        g.Draw = [&Canvas, ImageList, ImageIndex, Enabled](int x, int y) {
            ImageList->Draw(Canvas, x, y, ImageIndex, Enabled);
        };
    }
    return g;
}

}  // namespace

void DrawImageGlyphAndCaption(TCanvas& Canvas, TRect R, int Margin, int Spacing, TqvButtonLayout Layout,
                              const QString& Caption, int ImageIndex, const TCustomImageList* ImageList, bool Pressed,
                              bool Enabled, bool ShowMark, TColor MarkColor) {
    DrawGlyphAndCaption(Canvas, R, Margin, Spacing, Layout, Caption, ImageGlyph(Canvas, ImageIndex, ImageList, Enabled),
                        Pressed, ShowMark, MarkColor, true, false);
}

void DrawItemGlyphAndCaption(TCanvas& Canvas, TRect R, int Margin, int Spacing, TqvButtonLayout Layout,
                             const QString& Caption, int ImageIndex, const TCustomImageList* ImageList, bool Pressed,
                             bool Enabled, bool ShowMark, TColor MarkColor) {
    DrawGlyphAndCaption(Canvas, R, Margin, Spacing, Layout, Caption, ImageGlyph(Canvas, ImageIndex, ImageList, Enabled),
                        Pressed, ShowMark, MarkColor, false, false);
}

void DrawBitmapGlyphAndCaption(TCanvas& Canvas, TRect R, int Margin, int Spacing, TqvButtonLayout Layout,
                               const QString& Caption, const TBitmap& Glyph, int NumGlyphs, int GlyphNum,
                               bool Pressed, bool ShowMark, TColor MarkColor) {
    TGlyphDraw g;
    if (!Glyph.Empty() && NumGlyphs > 0) {
        g.W = Glyph.Width() / NumGlyphs;
        g.H = Glyph.Height();
        g.Draw = [&](int x, int y) { DrawGlyphFromStrip(Canvas, x, y, Glyph, NumGlyphs, GlyphNum); };
    }
    DrawGlyphAndCaption(Canvas, R, Margin, Spacing, Layout, Caption, g, Pressed, ShowMark, MarkColor, true, true);
}

void DrawGlyphFromStrip(TCanvas& Canvas, int X, int Y, const TBitmap& Strip, int NumGlyphs, int GlyphNum) {
    if (Strip.Empty() || NumGlyphs <= 0) return;
    const int fw = Strip.Width() / NumGlyphs;
    if (fw <= 0) return;
    TBitmap frame(fw, Strip.Height(), pf32bit);
    BitBlt(frame.Image(), 0, 0, fw, Strip.Height(), Strip.Image(), fw * (GlyphNum - 1), 0);
    frame.SetTransparent(true);
    Canvas.Draw(X, Y, frame);
}

// ---- background of transparent controls

namespace {
// Controls whose background is being copied right now: a control reached
// again while its own copy runs gets nothing rather than recursing. UI
// thread only.
std::vector<const QWidget*>& CopyingFor() {
    static std::vector<const QWidget*> list;
    return list;
}

void RenderUnder(QWidget* Control, QPoint CanvasOrigin, TCanvas& Canvas) {
    QWidget* parent = Control ? Control->parentWidget() : nullptr;
    if (!parent || !Canvas.Image() || Canvas.Image()->isNull()) return;
    auto& copying = CopyingFor();
    if (std::find(copying.begin(), copying.end(), Control) != copying.end()) return;
    copying.push_back(Control);
    struct Pop {
        ~Pop() { CopyingFor().pop_back(); }
    } pop;

    QPainter p(Canvas.Image());
    const QPoint origin = -Control->pos() - CanvasOrigin;
    p.setClipRect(QRect(origin, parent->size()));
    parent->render(&p, origin, QRegion(parent->rect()), QWidget::DrawWindowBackground);
    for (QObject* o : parent->children()) {
        if (o == Control) break;
        auto* sibling = qobject_cast<TGraphicControl*>(o);
        if (!sibling || !sibling->Visible() || !sibling->geometry().intersects(Control->geometry())) continue;
        const QPoint at = sibling->pos() - Control->pos() - CanvasOrigin;
        p.setClipRect(QRect(at, sibling->size()));
        sibling->render(&p, at, QRegion(), QWidget::DrawChildren);
    }
}
}  // namespace

void CopyParentBackground(QWidget* Control, TCanvas& Canvas) { RenderUnder(Control, {}, Canvas); }

void CopyParentBackgroundRect(QWidget* Control, const TRect& R, TCanvas& Canvas) {
    RenderUnder(Control, {R.Left, R.Top}, Canvas);
}

// ---- focus rectangle

void DrawDottedFocusRect(TCanvas& Canvas, const TRect& R) {
    const int w = RectWidth(R), h = RectHeight(R);
    if (w <= 0 || h <= 0) return;
    const TColor c = Canvas.Font().Color();
    // Clockwise from the top-left corner; a corner keeps the decision the
    // edge before it made.
    bool on = !((w - 1) % 2 == 0 && (h - 1) % 2 == 0);
    auto edge = [&](int x, int y, int dx, int dy, int n) {
        for (int i = 0; i < n; ++i, x += dx, y += dy) {
            if (i > 0) on = !on;
            if (on) Canvas.SetPixel(x, y, c);
        }
    };
    edge(R.Left, R.Top, 1, 0, w);
    edge(R.Right - 1, R.Top, 0, 1, h);
    edge(R.Right - 1, R.Bottom - 1, -1, 0, w);
    edge(R.Left, R.Bottom - 1, 0, -1, h);
}

// ---- text

int DrawWideText(TCanvas& Canvas, const QString& S, TRect& R, unsigned Format) { return Canvas.DrawText(S, R, Format); }

int WideTextWidth(TCanvas& Canvas, const QString& S) {
    TRect r;
    DrawWideText(Canvas, S, r, DT_CALCRECT);
    return RectWidth(r);
}

int WideTextHeight(TCanvas& Canvas, const QString& S) {
    TRect r;
    DrawWideText(Canvas, S, r, DT_CALCRECT);
    return RectHeight(r);
}

namespace {
template <class Measure>
void Fit(QString& S, int Width, Measure width) {
    if (width(S) <= Width) return;
    const QString dots = QStringLiteral("...");
    while (!S.isEmpty() && width(S + dots) > Width) {
        // Whole characters: never half of a surrogate pair.
        int cut = 1;
        if (S.size() >= 2 && S.back().isLowSurrogate() && S[S.size() - 2].isHighSurrogate()) cut = 2;
        S.chop(cut);
    }
    S += dots;
}
}  // namespace

void FitWideTextToWidth(TCanvas& Canvas, QString& S, int Width) {
    Fit(S, Width, [&](const QString& t) { return WideTextWidth(Canvas, t); });
}

void FitTextToWidth(TCanvas& Canvas, QString& S, int Width) {
    Fit(S, Width, [&](const QString& t) { return Canvas.TextWidth(t); });
}

void DrawTextVCentered(TCanvas& Canvas, const QString& S, const TRect& R) {
    if (S.isEmpty()) return;
    TRect r = R;
    Canvas.DrawText(S, r, DT_SINGLELINE | DT_VCENTER);
}

void TextRectVCenteredAt(TCanvas& Canvas, const QString& S, const TRect& R, int Offset) {
    if (S.isEmpty()) return;
    Canvas.TextRect(R, R.Left + Offset + 2, R.Top + RectHeight(R) / 2 - Canvas.TextHeight(S) / 2, S);
}

void TextRectVCentered(TCanvas& Canvas, const QString& S, const TRect& R) { TextRectVCenteredAt(Canvas, S, R, 0); }

// ---- marks, arrows and glyphs (lines leave their end point out)

namespace {
void Line(TCanvas& c, int x0, int y0, int x1, int y1) {
    c.MoveTo(x0, y0);
    c.LineTo(x1, y1);
}
// Inclusive runs, as the marks are described by the pixels they cover.
void Row(TCanvas& c, int y, int x0, int x1) { Line(c, x0, y, x1 + 1, y); }
void Column(TCanvas& c, int x, int y0, int y1) { Line(c, x, y0, x, y1 + 1); }
void Frame(TCanvas& c, int l, int t, int r, int b) {
    c.Brush().SetStyle(bsClear);
    c.Rectangle(l, t, r, b);
}
}  // namespace

void DrawSmallArrowMark(TCanvas& Canvas, const TRect& R, TColor Color) {
    Canvas.Pen().SetColor(Color);
    const int cx = R.Left + RectWidth(R) / 2, cy = R.Top + RectHeight(R) / 2;
    for (int n = 2; n >= 0; --n) Row(Canvas, cy - n + 2, cx - n, cx + n);
}

void DrawArrowImage(TCanvas& Canvas, const TRect& R, TColor Color, int Kind) {
    if (Kind < 1 || Kind > 4) return;
    Canvas.Pen().SetColor(Color);
    const int cx = R.Left + RectWidth(R) / 2, cy = R.Top + RectHeight(R) / 2;
    for (int i = 0; i <= 3; ++i) {
        const int n = 3 - i;
        switch (Kind) {
        case 1: Column(Canvas, cx + i - 2, cy - i, cy + i); break;
        case 2: Column(Canvas, cx - n + 2, cy - n, cy + n); break;
        case 3: Row(Canvas, cy + i - 2, cx - i, cx + i); break;
        case 4: Row(Canvas, cy - n + 2, cx - n, cx + n); break;
        }
    }
}

void DrawFilledSquareMark(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Canvas.Brush().SetColor(Color);
    Canvas.Rectangle(X, Y, X + 6, Y + 6);
}

void DrawCheckImage(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    for (int i = 0; i <= 2; ++i) {
        Canvas.MoveTo(X, Y - i + 5);
        Canvas.LineTo(X + 2, Y - i + 7);
        Canvas.LineTo(X + 7, Y - i + 2);
    }
}

void DrawCloseGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Line(Canvas, X + 1, Y + 1, X + 9, Y + 9);
    Line(Canvas, X + 9, Y + 1, X + 1, Y + 9);
    Line(Canvas, X + 2, Y + 1, X + 10, Y + 9);
    Line(Canvas, X + 8, Y + 1, X, Y + 9);
}

void DrawSmallFrameGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Frame(Canvas, X + 1, Y + 3, X + 9, Y + 6);
}

void DrawMinimizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Line(Canvas, X + 1, Y + 8, X + 9, Y + 8);
    Line(Canvas, X + 1, Y + 9, X + 9, Y + 9);
}

void DrawMaximizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Frame(Canvas, X, Y, X + 11, Y + 10);
    Frame(Canvas, X, Y, X + 11, Y + 2);
}

void DrawRestoreGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Frame(Canvas, X + 2, Y, X + 10, Y + 6);
    Frame(Canvas, X + 2, Y, X + 10, Y + 2);
    Frame(Canvas, X, Y + 4, X + 7, Y + 10);
    Frame(Canvas, X, Y + 4, X + 7, Y + 6);
}

void DrawArrowDownGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    for (int i = 0; i < 5; ++i) Line(Canvas, X + 1 + i, Y + 2 + i, X + 9 - i, Y + 2 + i);
}

void DrawArrowUpGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    for (int i = 0; i < 5; ++i) Line(Canvas, X + 1 + i, Y + 6 - i, X + 9 - i, Y + 6 - i);
}

void DrawSquareGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Canvas.Brush().SetColor(Color);
    Canvas.Rectangle(X + 2, Y + 2, X + 7, Y + 7);
}
