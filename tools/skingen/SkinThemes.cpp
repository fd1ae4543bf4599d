#include "tools/skingen/SkinThemes.h"

namespace {

TqvSkinTheme Theme(const char* name, const char* description, TGenFaceStyle style, int radius,
                   TGenTexture texture)
{
    TqvSkinTheme t{};
    t.Name = QString::fromUtf8(name);
    t.Description = QString::fromUtf8(description);
    t.Style = style;
    t.Radius = radius;
    t.Texture = texture;
    t.FontName = QStringLiteral("Tahoma");
    t.FontHeight = 14;
    t.CaptionFontName = QStringLiteral("Arial");
    t.CaptionFontHeight = 15;
    return t;
}

std::vector<TqvSkinTheme> MakeThemes()
{
    std::vector<TqvSkinTheme> v;
    // Colours: face, border, accent, text, disabled text, window, window text,
    // text on the accent, caption top and bottom, caption text, client.
    auto colours = [](TqvSkinTheme& t, TGenRgb face, TGenRgb border, TGenRgb accent, TGenRgb text,
                      TGenRgb disabled, TGenRgb window, TGenRgb windowText, TGenRgb selectText, TGenRgb capTop,
                      TGenRgb capBottom, TGenRgb capText, TGenRgb client) {
        t.Face = face;
        t.Border = border;
        t.Accent = accent;
        t.Text = text;
        t.DisabledText = disabled;
        t.Window = window;
        t.WindowText = windowText;
        t.SelectText = selectText;
        t.CaptionTop = capTop;
        t.CaptionBottom = capBottom;
        t.CaptionText = capText;
        t.Client = client;
    };

    auto t = Theme("OFFICE2007蓝色", "Light cool blue, soft gradients", TGenFaceStyle::Soft, 2, TGenTexture::None);
    colours(t, 0xD5E3F4, 0x7C9CC4, 0x2A68B4, 0x142A45, 0x7A8DA6, 0xFFFFFF, 0x172331, 0xFFFFFF, 0xD3E3F7,
            0xA8C5EA, 0x13335A, 0xDDE8F5);
    v.push_back(t);

    t = Theme("金属光泽", "Brushed steel with bevelled edges", TGenFaceStyle::Metal, 3, TGenTexture::None);
    colours(t, 0xBFC3C8, 0x4E535A, 0x245F9E, 0x111417, 0x646A72, 0xF5F6F7, 0x111417, 0xFFFFFF, 0x7E848B,
            0x4C5259, 0xFFFFFF, 0xC9CCD0);
    v.push_back(t);

    t = Theme("银色天地", "Flat silver-white with thin cool lines", TGenFaceStyle::Flat, 0, TGenTexture::None);
    colours(t, 0xF1F3F6, 0x98A6B8, 0x2D6CB5, 0x1B232D, 0x8C96A2, 0xFFFFFF, 0x1B232D, 0xFFFFFF, 0xFBFCFD,
            0xE4E9F0, 0x1B232D, 0xF6F7F9);
    v.push_back(t);

    t = Theme("Mac风格", "Airy light grey, round corners, muted blue", TGenFaceStyle::Soft, 6, TGenTexture::None);
    colours(t, 0xE7E7E9, 0xA0A3A8, 0x3F6690, 0x1F2125, 0x8E9196, 0xFFFFFF, 0x1F2125, 0xFFFFFF, 0xF0F0F2,
            0xD0D1D5, 0x2B2D31, 0xECECEE);
    t.FontName = QStringLiteral("Arial");
    v.push_back(t);

    t = Theme("条纹色调", "Warm sand with pinstripes", TGenFaceStyle::Soft, 3, TGenTexture::Stripes);
    colours(t, 0xE5D5B6, 0x957C57, 0x9A4F1C, 0x2B2116, 0x8A7A60, 0xFFFBF2, 0x2B2116, 0xFFFFFF, 0xD8C29B,
            0xBFA577, 0x2B2116, 0xE9DBBF);
    v.push_back(t);

    t = Theme("纹理风格", "Paper texture, earthy brown and green", TGenFaceStyle::Flat, 2, TGenTexture::Noise);
    colours(t, 0xE2DAC5, 0x76644A, 0x4B6D2E, 0x2A2317, 0x86796A, 0xFBF8EF, 0x2A2317, 0xFFFFFF, 0x8A7352,
            0x6A563B, 0xFFF8E8, 0xE7E0CB);
    v.push_back(t);

    t = Theme("Sorvend效果", "Charcoal with a bright teal accent", TGenFaceStyle::Gloss, 2, TGenTexture::None);
    colours(t, 0x3A3D42, 0x15171A, 0x19C3B4, 0xF3F5F6, 0x8B9097, 0x26282C, 0xEEF0F2, 0x07201D, 0x34373C,
            0x1E2023, 0xF3F5F6, 0x303337);
    v.push_back(t);

    t = Theme("绿色世界", "Fresh greens on light faces", TGenFaceStyle::Gloss, 3, TGenTexture::None);
    colours(t, 0xE1F0D9, 0x67A052, 0x2F7F2C, 0x17300F, 0x7E9A76, 0xFFFFFF, 0x17300F, 0xFFFFFF, 0xA5D592,
            0x6CB156, 0x0C2608, 0xE8F4E2);
    v.push_back(t);

    t = Theme("深蓝色彩", "Dark navy with light text", TGenFaceStyle::Soft, 3, TGenTexture::None);
    colours(t, 0x21314F, 0x0B1324, 0x4A8DF0, 0xE9EEF7, 0x8391AC, 0x172238, 0xE4EAF5, 0x06152E, 0x273C63,
            0x142039, 0xF1F4FA, 0x1C2A45);
    v.push_back(t);

    t = Theme("OFFICE2007", "Neutral grey with graphite accents", TGenFaceStyle::Soft, 2, TGenTexture::None);
    colours(t, 0xE3E4E6, 0x878A90, 0x3F444C, 0x1C1E21, 0x8A8D93, 0xFFFFFF, 0x1C1E21, 0xFFFFFF, 0xDCDDDF,
            0xBBBDC1, 0x1C1E21, 0xEAEBEC);
    v.push_back(t);

    t = Theme("Vista皮肤", "Deep dark gradients with a light sheen", TGenFaceStyle::Sheen, 4, TGenTexture::None);
    colours(t, 0x2C3541, 0x0A0E13, 0x3FA9F5, 0xF5F8FB, 0x8994A2, 0x1D242D, 0xEAEFF4, 0x04182A, 0x3E4B5D,
            0x0F141A, 0xFFFFFF, 0x242C36);
    v.push_back(t);
    return v;
}

}  // namespace

const std::vector<TqvSkinTheme>& SkinThemes()
{
    static const std::vector<TqvSkinTheme> themes = MakeThemes();
    return themes;
}
