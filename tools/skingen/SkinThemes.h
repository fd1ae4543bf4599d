// The eleven stored skins as themes: a handful of colours, a face style, a
// corner radius, a texture and fonts. Every picture of a skin is drawn from
// its theme, so each skin is one design.
#pragma once

#include "tools/skingen/GenImage.h"

#include <QString>

#include <vector>

enum class TGenFaceStyle {
    Flat,   // one colour
    Soft,   // a gentle top-to-bottom gradient
    Gloss,  // lighter upper half, a break in the middle
    Metal,  // a gradient with fine horizontal grain
    Sheen   // a dark gradient with a light band across the upper part
};

enum class TGenTexture { None, Stripes, Noise };

struct TqvSkinTheme {
    QString Name;         // the name the skin list shows
    QString Description;  // what the skin looks like, in a few words
    TGenRgb Face;         // buttons, panels, tool bars
    TGenRgb Border;       // outer lines
    TGenRgb Accent;       // hot and focused marks, selection
    TGenRgb Text;         // text on faces
    TGenRgb DisabledText;
    TGenRgb Window;       // edits, lists, menus
    TGenRgb WindowText;
    TGenRgb SelectText;   // text on the accent
    TGenRgb CaptionTop, CaptionBottom;  // the frame's caption band
    TGenRgb CaptionText;
    TGenRgb Client;       // the form's client area
    TGenFaceStyle Style;
    int Radius;           // corners of faces and of the frame (0..6)
    TGenTexture Texture;  // on panels and the form's client area
    QString FontName;
    int FontHeight;       // cell height in pixels
    QString CaptionFontName;
    int CaptionFontHeight;
};

const std::vector<TqvSkinTheme>& SkinThemes();
