// The looks every picture of a skin is made of, drawn from its theme: faces
// in their states, the caption band, textures and glyphs.
#pragma once

#include "tools/skingen/SkinThemes.h"

enum class TGenState { Normal, Hot, Down, Disabled, Focused, Inactive };

class TSkinPainter {
public:
    explicit TSkinPainter(const TqvSkinTheme& theme);
    const TqvSkinTheme& Theme() const { return FTheme; }

    bool Dark() const;
    // The face colour of a state at step i of n across the face.
    TGenRgb FaceColor(TGenState state, int i, int n) const;
    TGenRgb FaceMean(TGenState state) const { return FaceColor(state, 1, 2); }
    TGenRgb BorderColor(TGenState state) const;
    // The resting outline of operable controls: the theme's border moved
    // towards its text until it stands 3:1 from every ground a control sits on.
    TGenRgb Outline() const { return FOutline; }
    // The same for the accent's outline (hot, pressed, focused, default).
    TGenRgb AccentOutline() const { return FAccentOutline; }
    // The light tint behind hot menu items and selected list rows.
    TGenRgb SelectTint() const;

    // A face of the state over bg: rounded body, outline, inner light line.
    void Face(QImage& img, TRect r, TGenState state, TGenAxis axis, TGenRgb bg, int radius) const;
    void Face(QImage& img, TRect r, TGenState state, TGenAxis axis, TGenRgb bg) const {
        Face(img, r, state, axis, bg, FTheme.Radius);
    }
    // A sunken window (edit, list) of the state over bg.
    void Well(QImage& img, TRect r, TGenState state, TGenRgb bg) const;
    // The caption band's colour at row y of the frame picture.
    TGenRgb CaptionRow(int y, bool active) const;
    // The client texture at (x, y): periodic with TexturePeriod() in both directions.
    TGenRgb ClientTexel(int x, int y) const;
    int TexturePeriod() const { return 16; }
    void Client(QImage& img, TRect r) const;

private:
    int Grain(int i) const;
    TqvSkinTheme FTheme;
    int FGrain[64];
    TGenRgb FNoise[16][16];
    TGenRgb FOutline, FAccentOutline;
};

// Glyph tables.
namespace gly {
extern const char* const Close[8];
extern const char* const Minimize[8];
extern const char* const Maximize[8];
extern const char* const Restore[9];
extern const char* const RollUp[8];
extern const char* const RollDown[8];
extern const char* const SysMenu[8];
extern const char* const ArrowDown[4];
extern const char* const ArrowUp[4];
extern const char* const ArrowLeft[7];
extern const char* const ArrowRight[7];
extern const char* const Check[7];
extern const char* const Radio[5];
extern const char* const GripV[7];
extern const char* const GripH[5];
extern const char* const Dots[3];
extern const char* const DotsV[9];
}  // namespace gly
