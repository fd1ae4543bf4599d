// The drawing vocabulary skinned controls share where no skin covers a part:
// glyph and caption, marks, arrows, caption-button glyphs, the dotted focus
// rectangle, text measuring and shortening, and the copy of what lies under a
// control that draws itself transparently.
#pragma once

#include "platform/Canvas.h"
#include "platform/ImgList.h"
#include "skin/model/draw/DrawUtils.h"

#include <QString>

class QWidget;

// Image ImageIndex (when in range) beside the word-wrapped caption, laid out
// by Layout; everything one pixel right and down when Pressed; ShowMark draws
// a three-line mark in MarkColor under the glyph or the caption.
void DrawImageGlyphAndCaption(TCanvas& Canvas, TRect R, int Margin, int Spacing, TqvButtonLayout Layout,
                              const QString& Caption, int ImageIndex, const TCustomImageList* ImageList, bool Pressed,
                              bool Enabled, bool ShowMark, TColor MarkColor);
// The same with the caption lines left-aligned.
void DrawItemGlyphAndCaption(TCanvas& Canvas, TRect R, int Margin, int Spacing, TqvButtonLayout Layout,
                             const QString& Caption, int ImageIndex, const TCustomImageList* ImageList, bool Pressed,
                             bool Enabled, bool ShowMark, TColor MarkColor);
// The same with frame GlyphNum (1-based) of a strip of NumGlyphs frames.
void DrawBitmapGlyphAndCaption(TCanvas& Canvas, TRect R, int Margin, int Spacing, TqvButtonLayout Layout,
                               const QString& Caption, const TBitmap& Glyph, int NumGlyphs, int GlyphNum,
                               bool Pressed, bool ShowMark, TColor MarkColor);
// Frame GlyphNum (1-based) of the strip, its bottom-left colour left out.
void DrawGlyphFromStrip(TCanvas& Canvas, int X, int Y, const TBitmap& Strip, int NumGlyphs, int GlyphNum);

// Paints into Canvas what lies under Control: its parent's background and
// the windowless siblings below it that overlap it. Canvas's origin is the
// control's top-left corner (R's for the Rect form).
void CopyParentBackground(QWidget* Control, TCanvas& Canvas);
void CopyParentBackgroundRect(QWidget* Control, const TRect& R, TCanvas& Canvas);

// Every other pixel of R's edges in the canvas's font colour.
void DrawDottedFocusRect(TCanvas& Canvas, const TRect& R);

int DrawWideText(TCanvas& Canvas, const QString& S, TRect& R, unsigned Format);
int WideTextWidth(TCanvas& Canvas, const QString& S);
int WideTextHeight(TCanvas& Canvas, const QString& S);
// When S is wider than Width: drops its last characters until S + "..." fits
// (or S is empty), then appends "...".
void FitWideTextToWidth(TCanvas& Canvas, QString& S, int Width);
void FitTextToWidth(TCanvas& Canvas, QString& S, int Width);
void DrawTextVCentered(TCanvas& Canvas, const QString& S, const TRect& R);
void TextRectVCentered(TCanvas& Canvas, const QString& S, const TRect& R);
void TextRectVCenteredAt(TCanvas& Canvas, const QString& S, const TRect& R, int Offset);

void DrawSmallArrowMark(TCanvas& Canvas, const TRect& R, TColor Color);
// Kind 1 left, 2 right, 3 up, 4 down; any other draws nothing.
void DrawArrowImage(TCanvas& Canvas, const TRect& R, TColor Color, int Kind);
void DrawFilledSquareMark(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawCheckImage(TCanvas& Canvas, int X, int Y, TColor Color);

// Caption-button glyphs in a cell of about 10 x 10 at (X, Y).
void DrawCloseGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawSmallFrameGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMinimizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMaximizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRestoreGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawArrowDownGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawArrowUpGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawSquareGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
