// The main window's own pictures: toolbar states, category and profile
// pictures, the logo. Drawn in code so nothing binary is stored.
#pragma once

#include <QImage>

namespace mainwindow {

// Image2 .. Image17: the toolbar buttons' pictures (even numbers up to 14
// are the disabled looks, odd the enabled ones; Image16 enabled and Image17
// disabled for rename). 32 × 32, or drawn at 32 and scaled to `size`.
QImage ToolPicture(int imageNumber, int size = 32);
// ImageList1: 55 category pictures, ImageList2: 7 profile pictures, 32 × 32.
QImage CategoryPicture(int index);
QImage ProfilePicture(int index);
// The preview panel's buttons, 18 × 18: play, pause, stop, sound, muted,
// snapshot, settings, full screen.
enum TPreviewPicture { ppPlay, ppPause, ppStop, ppSound, ppMuted, ppSnapshot, ppSettings, ppFullScreen };
QImage PreviewPicture(TPreviewPicture kind);
// A glyph that reads on any button face, light or dark: its ink's edge
// black and a white rim around it (one of the two stands out at 4.5:1 or
// more from any colour). Every picture above has been through it. ARGB32,
// not premultiplied: its clear pixels are clear magenta.
QImage OnAnyFace(const QImage& glyph);
// Image1: the logo over the empty job list, 619 × 260.
QImage LogoPicture();

}  // namespace mainwindow
