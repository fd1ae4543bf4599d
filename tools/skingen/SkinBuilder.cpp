// One layout for every skin: where each record's pictures lie in the few
// atlases, which rectangles and keys it gets. The theme only decides how the
// pictures look.
#include "tools/skingen/SkinGen.h"
#include "tools/skingen/SkinPaint.h"

#include <QDir>

#include <algorithm>

namespace {

// Frame picture geometry shared by every skin. The client area is a whole
// number of texture periods, so a tiled client shows no seam.
constexpr int kFrameW = 232, kFrameH = 178, kCaptionH = 30, kBorder = 4;
constexpr TRect kFrameClient{kBorder, kCaptionH, kFrameW - kBorder, kFrameH - kBorder};
constexpr TRect kButtonsRect{130, 6, kFrameW - kBorder - 2, 23};
constexpr int kCapButtonW = 21, kCapButtonH = 17;

// Pictures of the active list, in this order.
enum { kPicControls, kPicObjects, kPicPopup, kPicHint };

// Shelf packing into a fixed-width atlas: rows of pictures, two pixels apart.
class TAtlas {
public:
    TAtlas(int width, TGenRgb bg) : FImage(GenNewImage(width, 1024, bg)), FWidth(width) {}
    TRect Take(int w, int h)
    {
        if (FX + w > FWidth) {
            FX = 0;
            FY += FShelf + 2;
            FShelf = 0;
        }
        const TRect r = Bounds(FX, FY, w, h);
        FX += w + 2;
        FShelf = std::max(FShelf, h);
        return r;
    }
    QImage& Image() { return FImage; }
    QImage Finish() const { return FImage.copy(0, 0, FWidth, FY + FShelf); }

private:
    QImage FImage;
    int FWidth;
    int FX = 0, FY = 0, FShelf = 0;
};

class TSkinBuilder {
public:
    explicit TSkinBuilder(const TqvSkinTheme& theme)
        : P(theme), T(theme), FControls(256, theme.Client), FObjects(256, theme.Client)
    {
    }
    std::unique_ptr<TqvSkinData> Build();

private:
    template <class R>
    R& Control(const QString& name)
    {
        auto rec = std::make_unique<R>(name);
        R& ref = *rec;
        FSkin->CtrlList.push_back(std::move(rec));
        return ref;
    }
    template <class R>
    R& Object(const QString& name)
    {
        auto rec = std::make_unique<R>(name);
        R& ref = *rec;
        FSkin->ObjectList.push_back(std::move(rec));
        return ref;
    }
    // Nine-slice geometry for a w x h picture: corners big enough for the
    // radius, every edge and the client stretched (faces shade across).
    static void NineSlice(TqvDataSkinCustomControl& r, int w, int h, int border, int corner);
    template <class R>
    void Fonts(R& r) const
    {
        r.FontName = T.FontName;
        r.FontHeight = T.FontHeight;
        r.FontStyle = 0;
    }
    QImage& C() { return FControls.Image(); }
    QImage& O() { return FObjects.Image(); }

    void Frame();
    void CaptionButtons();
    void Menus();
    void Buttons();
    void Panels();
    void Lists();
    void ScrollBars();
    void Edits();
    void CheckRadios();
    void Labels();
    void Slider();
    void Tabs();
    void Misc();
    void Windows();
    void Colors();

    TSkinPainter P;
    const TqvSkinTheme& T;
    TAtlas FControls, FObjects;
    std::unique_ptr<TqvSkinData> FSkin;
};

void TSkinBuilder::NineSlice(TqvDataSkinCustomControl& r, int w, int h, int border, int corner)
{
    // The side edges grow over exactly the client's rows, so edge and client
    // stretch row for row alike and a face shaded downwards stays aligned.
    r.LTPoint = Point(corner, border);
    r.RTPoint = Point(w - corner, border);
    r.LBPoint = Point(corner, h - border);
    r.RBPoint = Point(w - corner, h - border);
    r.ClRect = Rect(border, border, w - border, h - border);
    r.LeftStretch = r.TopStretch = r.RightStretch = r.BottomStretch = true;
    r.StretchEffect = true;
    r.StretchType = qvstFull;
}

std::unique_ptr<TqvSkinData> TSkinBuilder::Build()
{
    FSkin = std::make_unique<TqvSkinData>();
    FSkin->SkinName = T.Name;
    FSkin->SkinAuthor = QStringLiteral("Quorvelia");
    FSkin->SkinComments = T.Description;
    FSkin->FActivePictures.resize(4);
    FSkin->FActivePicturesNames = {QStringLiteral("controls.bmp"), QStringLiteral("objects.bmp"),
                                   QStringLiteral("popup.bmp"), QStringLiteral("hint.bmp")};
    Frame();
    CaptionButtons();
    Menus();
    Buttons();
    Panels();
    Lists();
    ScrollBars();
    Edits();
    CheckRadios();
    Labels();
    Slider();
    Tabs();
    Misc();
    Windows();
    Colors();
    FSkin->FActivePictures[kPicControls] = FControls.Finish();
    FSkin->FActivePictures[kPicObjects] = FObjects.Finish();
    FSkin->Empty = false;
    return std::move(FSkin);
}

void TSkinBuilder::Frame()
{
    TqvSkinData& s = *FSkin;
    const int radius = T.Radius > 0 ? std::max(3, T.Radius) : 0;
    const int bottomRadius = std::min(radius, 3);
    for (bool active : {true, false}) {
        QImage img = GenNewImage(kFrameW, kFrameH, T.Border);
        for (int y = 0; y < kCaptionH; ++y)
            GenHLine(img, 0, kFrameW, y, P.CaptionRow(y, active));
        // Side and bottom borders: the caption's last colour, framed.
        const TGenRgb side = P.CaptionRow(kCaptionH - 1, active);
        GenFill(img, Rect(0, kCaptionH, kFrameW, kFrameH), side);
        P.Client(img, kFrameClient);
        const TGenRgb outline = active ? T.Border : GenMix(T.Border, T.Client, 1, 3);
        GenFrame(img, Rect(kBorder - 1, kCaptionH - 1, kFrameW - kBorder + 1, kFrameH - kBorder + 1),
                 GenMix(side, outline, 1, 2));
        // The outline, round where the mask cuts the corners: the top corners
        // take the theme's radius, the bottom ones a smaller one.
        for (int y = 0; y < kFrameH; ++y)
            for (int x = 0; x < kFrameW; ++x) {
                const int r = y < kFrameH / 2 ? radius : bottomRadius;
                const int outer = GenRoundCoverage(x, y, kFrameW, kFrameH, r);
                const int inner = GenRoundCoverage(x - 1, y - 1, kFrameW - 2, kFrameH - 2, std::max(0, r - 1));
                if (outer - inner > 0)
                    GenBlendPixel(img, x, y, outline, (outer - inner) * 16);
            }
        // A light line under the outline gives the caption its bevel.
        GenHLine(img, radius + 1, kFrameW - radius - 1, 1, GenMix(P.CaptionRow(1, active), 0xFFFFFF, 1, 4));
        (active ? s.FPicture : s.FInActivePicture) = img;
    }
    s.FPictureName = QStringLiteral("frame.bmp");
    s.FInActivePictureName = QStringLiteral("frame_inactive.bmp");
    if (radius > 0) {
        QImage mask = GenNewImage(kFrameW, kFrameH, 0xFFFFFF);
        for (int y = 0; y < kFrameH; ++y)
            for (int x = 0; x < kFrameW; ++x) {
                const int r = y < kFrameH / 2 ? radius : bottomRadius;
                // A pixel belongs to the window when at least half of it is inside the shape.
                if (GenRoundCoverage(x, y, kFrameW, kFrameH, r) >= 8)
                    GenSetPixel(mask, x, y, 0);
            }
        s.FMask = mask;
        s.FMaskName = QStringLiteral("frame_mask.bmp");
        // Kept a border in from the sides, so the sides keep their resize zones.
        s.MaskRectArea = Rect(kBorder, radius, kFrameW - kBorder, kFrameH - bottomRadius);
    }
    s.LTPoint = Point(40, 40);
    s.RTPoint = Point(120, 40);
    s.LBPoint = Point(40, kFrameH - 14);
    s.RBPoint = Point(120, kFrameH - 14);
    s.ClRect = kFrameClient;
    s.LeftStretch = s.RightStretch = s.TopStretch = s.BottomStretch = true;
    s.StretchEffect = false;  // the client is tiled: textures keep their grain
    s.HitTestLTPoint = Point(10, 10);
    s.HitTestRTPoint = Point(kFrameW - 10, 10);
    s.HitTestLBPoint = Point(10, kFrameH - 10);
    s.HitTestRBPoint = Point(kFrameW - 10, kFrameH - 10);
    s.ButtonsRect = kButtonsRect;
    s.CaptionRect = Rect(6, 2, 126, kCaptionH - 2);
    s.ButtonsOffset = 2;
    s.BorderW = 4;
    s.FormMinWidth = 160;
    s.AutoRenderingInActiveImage = false;
    s.InActiveEffect = ieBrightness;

    auto& cap = Object<TqvDataSkinCaption>(QStringLiteral("caption"));
    cap.SkinRect = s.CaptionRect;
    cap.TextRct = Rect(4, 0, s.CaptionRect.Width() - 4, s.CaptionRect.Height());
    cap.Alignment = taLeftJustify;
    cap.FontName = T.CaptionFontName;
    cap.FontHeight = T.CaptionFontHeight;
    cap.FontStyle = fsBold;
    cap.ActiveFontColor = GenToColor(T.CaptionText);
    // The inactive caption steps back: half way from its band towards black or white.
    const TGenRgb idle = P.CaptionRow(kCaptionH / 2, false);
    const int idleLuma = (GenRed(idle) * 299 + GenGreen(idle) * 587 + GenBlue(idle) * 114) / 1000;
    cap.FontColor = GenToColor(GenMix(idle, idleLuma > 128 ? 0x000000 : 0xFFFFFF, 1, 2));
    if (P.Dark() || T.Style == TGenFaceStyle::Metal) {
        // Light text on a mid-tone band reads better with a soft shadow under it.
        cap.Shadow = true;
        cap.ActiveShadowColor = GenToColor(GenShade(T.CaptionBottom, -40));
        cap.ShadowColor = GenToColor(GenShade(P.CaptionRow(kCaptionH / 2, false), -20));
    }
}

void TSkinBuilder::CaptionButtons()
{
    struct TButton {
        const char* name;
        TqvStdCommand command;
        const char* hint;
        const char* const* glyph;
        int rows;
        const char* const* restore;
        int restoreRows;
    };
    const TButton buttons[] = {
        {"closebutton", cmClose, "Close", gly::Close, 8, nullptr, 0},
        {"maxbutton", cmMaximize, "Maximize", gly::Maximize, 8, gly::Restore, 9},
        {"minbutton", cmMinimize, "Minimize", gly::Minimize, 8, nullptr, 0},
        {"rollupbutton", cmRollUp, "Roll Up", gly::RollUp, 8, gly::RollDown, 8},
        {"sysmenubutton", cmSysMenu, "System menu", gly::SysMenu, 8, nullptr, 0},
    };
    const int radius = std::min(T.Radius, 3);
    for (const TButton& b : buttons) {
        const bool close = b.command == cmClose;
        auto draw = [&](TGenState state, const char* const* glyph, int rows) {
            const TRect r = FObjects.Take(kCapButtonW, kCapButtonH);
            const bool active = state != TGenState::Inactive;
            // The caption band under the button, so its corners blend in.
            for (int y = 0; y < kCapButtonH; ++y)
                GenHLine(O(), r.Left, r.Right, r.Top + y, P.CaptionRow(kButtonsRect.Top + y, active));
            TGenRgb ink = active ? T.CaptionText : GenMix(T.CaptionText, P.CaptionRow(kCaptionH / 2, false), 1, 2);
            if (state == TGenState::Hot || state == TGenState::Down) {
                TSkinPainter hot(T);
                if (close) {
                    // Closing is the one red button in every skin.
                    TqvSkinTheme red = T;
                    red.Face = state == TGenState::Hot ? 0xD8463B : 0xA82C23;
                    red.Border = 0x7A1A14;
                    red.Accent = 0x7A1A14;
                    red.Client = red.Face;
                    red.Style = TGenFaceStyle::Soft;
                    TSkinPainter(red).Face(O(), r, TGenState::Normal, TGenAxis::Horizontal,
                                           P.CaptionRow(kButtonsRect.Top + kCapButtonH / 2, true), radius);
                    ink = 0xFFFFFF;
                } else {
                    P.Face(O(), r, state, TGenAxis::Horizontal,
                           P.CaptionRow(kButtonsRect.Top + kCapButtonH / 2, true), radius);
                    ink = T.Text;
                }
                // Put the band's own rows back in the corners the face left open.
                for (int y = 0; y < kCapButtonH; ++y)
                    for (int x = 0; x < kCapButtonW; ++x) {
                        const int cover = GenRoundCoverage(x, y, kCapButtonW, kCapButtonH, radius);
                        if (cover < 16) {
                            const TGenRgb face = GenPixel(O(), r.Left + x, r.Top + y);
                            GenSetPixel(O(), r.Left + x, r.Top + y, P.CaptionRow(kButtonsRect.Top + y, true));
                            GenBlendPixel(O(), r.Left + x, r.Top + y, face, cover * 16);
                        }
                    }
            } else if (state == TGenState::Disabled) {
                ink = GenMix(T.CaptionText, P.CaptionRow(kButtonsRect.Top + kCapButtonH / 2, true), 3, 5);
            }
            GenGlyphCentred(O(), Rect(r.Left, r.Top, r.Right, r.Bottom + (state == TGenState::Down ? 2 : 0)),
                            glyph, rows, ink);
            return r;
        };
        auto& rec = Object<TqvDataSkinStdButton>(QString::fromLatin1(b.name));
        rec.Command = b.command;
        rec.Hint = QString::fromLatin1(b.hint);
        rec.SkinRectInAPicture = true;
        rec.ActivePictureIndex = kPicObjects;
        rec.SkinRect = draw(TGenState::Normal, b.glyph, b.rows);
        rec.ActiveSkinRect = draw(TGenState::Hot, b.glyph, b.rows);
        rec.DownRect = draw(TGenState::Down, b.glyph, b.rows);
        rec.InActiveSkinRect = draw(TGenState::Inactive, b.glyph, b.rows);
        rec.DisableSkinRect = draw(TGenState::Disabled, b.glyph, b.rows);
        if (b.restore) {
            rec.RestoreHint = QStringLiteral("Restore");
            rec.RestoreRect = draw(TGenState::Normal, b.restore, b.restoreRows);
            rec.RestoreActiveRect = draw(TGenState::Hot, b.restore, b.restoreRows);
            rec.RestoreDownRect = draw(TGenState::Down, b.restore, b.restoreRows);
            rec.RestoreInActiveRect = draw(TGenState::Inactive, b.restore, b.restoreRows);
        }
    }
}

void TSkinBuilder::Menus()
{
    // The popup window: its own picture, a frame around the items' colour.
    {
        constexpr int w = 48, h = 48;
        QImage img = GenNewImage(w, h, T.Window);
        GenFrame(img, Rect(0, 0, w, h), GenMix(T.Border, T.Window, 1, 4));
        GenFrame(img, Rect(1, 1, w - 1, h - 1), GenMix(T.Window, P.Dark() ? 0xFFFFFF : T.Face, 1, 2));
        GenFrame(img, Rect(2, 2, w - 2, h - 2), T.Window);
        FSkin->FActivePictures[kPicPopup] = img;
        TqvDataSkinPopupWindow& pw = FSkin->PopupWindow;
        pw.WindowPictureIndex = kPicPopup;
        pw.LTPoint = Point(4, 4);
        pw.RTPoint = Point(w - 4, 4);
        pw.LBPoint = Point(4, h - 4);
        pw.RBPoint = Point(w - 4, h - 4);
        pw.ItemsRect = Rect(3, 3, w - 3, h - 3);
        pw.ScrollMarkerColor = GenToColor(GenMix(T.WindowText, T.Window, 1, 2));
        pw.ScrollMarkerActiveColor = GenToColor(T.Accent);
        pw.TopStretch = pw.LeftStretch = pw.RightStretch = pw.BottomStretch = true;
        pw.StretchEffect = true;
    }
    // Menu items: three-slice rows of the window colour; the hot row a tinted, outlined bar.
    {
        constexpr int w = 48, h = 22;
        auto& mi = Object<TqvDataSkinMenuItem>(QStringLiteral("menuitem"));
        mi.ActivePictureIndex = kPicObjects;
        mi.SkinRect = FObjects.Take(w, h);
        GenFill(O(), mi.SkinRect, T.Window);
        mi.ActiveSkinRect = FObjects.Take(w, h);
        GenFill(O(), mi.ActiveSkinRect, T.Window);
        const TRect bar = Rect(mi.ActiveSkinRect.Left + 1, mi.ActiveSkinRect.Top + 1, mi.ActiveSkinRect.Right - 1,
                               mi.ActiveSkinRect.Bottom - 1);
        GenFillRounded(O(), bar, std::min(T.Radius, 3), P.SelectTint());
        GenFrameRounded(O(), bar, std::min(T.Radius, 3), GenMix(T.Accent, T.Window, 1, 3));
        mi.DividerRect = FObjects.Take(w, 7);
        GenFill(O(), mi.DividerRect, T.Window);
        GenHLine(O(), mi.DividerRect.Left, mi.DividerRect.Right, mi.DividerRect.Top + 3,
                 GenMix(T.Border, T.Window, 1, 2));
        mi.DividerLO = mi.DividerRO = 4;
        mi.ItemLO = mi.ItemRO = 4;
        mi.StretchEffect = false;
        mi.TextRct = Rect(4, 0, w - 4, h);
        Fonts(mi);
        mi.FontColor = GenToColor(T.WindowText);
        mi.ActiveFontColor = GenToColor(T.WindowText);
        mi.UnEnabledFontColor = GenToColor(GenMix(T.WindowText, T.Window, 11, 20));
        auto mark = [&](const char* const* glyph, int rows, bool active) {
            const TRect r = FObjects.Take(12, 12);
            GenFill(O(), r, active ? P.SelectTint() : T.Window);
            GenGlyphCentred(O(), r, glyph, rows, active ? T.WindowText : T.WindowText);
            return r;
        };
        mi.CheckImageRect = mark(gly::Check, 7, false);
        mi.ActiveCheckImageRect = mark(gly::Check, 7, true);
        mi.RadioImageRect = mark(gly::Radio, 5, false);
        mi.ActiveRadioImageRect = mark(gly::Radio, 5, true);
        mi.ArrowImageRect = mark(gly::ArrowRight, 7, false);
        mi.ActiveArrowImageRect = mark(gly::ArrowRight, 7, true);
    }
    // The main-menu bar and its items.
    {
        constexpr int w = 64, h = 22, iw = 40, ih = 20;
        auto& bar = Control<TqvDataSkinMainMenuBar>(QStringLiteral("mainmenubar"));
        bar.PictureIndex = kPicObjects;
        bar.SkinRect = FObjects.Take(w, h);
        const TGenRgb barFace = GenMix(T.Face, T.Client, 1, 2);
        GenFill(O(), bar.SkinRect, barFace);
        GenHLine(O(), bar.SkinRect.Left, bar.SkinRect.Right, bar.SkinRect.Bottom - 1, GenMix(T.Border, barFace, 1, 2));
        bar.ItemsRect = Rect(2, 1, w - 2, h - 1);
        bar.MenuBarItem = QStringLiteral("mainmenubaritem");
        bar.TrackMarkColor = GenToColor(T.Text);
        bar.TrackMarkActiveColor = GenToColor(T.Accent);
        bar.StretchEffect = true;

        auto& item = Object<TqvDataSkinMainMenuBarItem>(QStringLiteral("mainmenubaritem"));
        item.SkinRectInAPicture = true;
        item.ActivePictureIndex = kPicObjects;
        item.SkinRect = FObjects.Take(iw, ih);
        GenFill(O(), item.SkinRect, barFace);
        item.ActiveSkinRect = FObjects.Take(iw, ih);
        GenFill(O(), item.ActiveSkinRect, barFace);
        GenFillRounded(O(), item.ActiveSkinRect, std::min(T.Radius, 3), P.SelectTint());
        GenFrameRounded(O(), item.ActiveSkinRect, std::min(T.Radius, 3), GenMix(T.Accent, T.Window, 1, 3));
        item.DownRect = FObjects.Take(iw, ih);
        GenFill(O(), item.DownRect, barFace);
        GenFill(O(), Rect(item.DownRect.Left, item.DownRect.Top, item.DownRect.Right, item.DownRect.Bottom), T.Window);
        GenFrame(O(), Rect(item.DownRect.Left, item.DownRect.Top, item.DownRect.Right, item.DownRect.Bottom + 1),
                 GenMix(T.Border, T.Window, 1, 4));
        item.ItemLO = item.ItemRO = 4;
        item.TextRct = Rect(4, 0, iw - 4, ih);
        Fonts(item);
        item.FontColor = GenToColor(T.Text);
        item.ActiveFontColor = GenToColor(T.WindowText);
        item.DownFontColor = GenToColor(T.WindowText);
        item.UnEnabledFontColor = GenToColor(T.DisabledText);
    }
}

void TSkinBuilder::Buttons()
{
    constexpr int w = 72, h = 24;
    const int corner = std::max(T.Radius, 3) + 2;
    TRect states[5];
    const TGenState look[5] = {TGenState::Normal, TGenState::Hot, TGenState::Down, TGenState::Disabled,
                               TGenState::Focused};
    for (int i = 0; i < 5; ++i) {
        states[i] = FControls.Take(w, h);
        P.Face(C(), states[i], look[i], TGenAxis::Horizontal, T.Client);
    }
    for (const char* name : {"button", "resizebutton"}) {
        auto& b = Control<TqvDataSkinButtonControl>(QString::fromLatin1(name));
        b.PictureIndex = kPicControls;
        b.SkinRect = states[0];
        b.ActiveSkinRect = states[1];
        b.DownSkinRect = states[2];
        b.DisabledSkinRect = states[3];
        b.FocusedSkinRect = states[4];
        NineSlice(b, w, h, 3, corner);
        Fonts(b);
        b.FontColor = b.ActiveFontColor = b.DownFontColor = GenToColor(T.Text);
        b.DisabledFontColor = GenToColor(T.DisabledText);
        b.ShowFocus = false;
        b.Morphing = T.Style == TGenFaceStyle::Sheen || T.Style == TGenFaceStyle::Gloss;
        b.MorphKind = mkDefault;
    }

    // Tool buttons sit flat on the tool bar until the pointer finds them.
    constexpr int tw = 40, th = 32;
    const TGenRgb bar = P.FaceColor(TGenState::Normal, 1, 2);
    TRect tool[4];
    for (int i = 0; i < 4; ++i) {
        tool[i] = FControls.Take(tw, th);
        if (i == 0) {
            GenFill(C(), tool[i], bar);
            // A resting outline: the button's bounds show before the pointer finds it.
            GenFrameRounded(C(), tool[i], std::min(T.Radius, 3), P.Outline());
        } else if (i == 3)
            GenFill(C(), tool[i], bar);
        else
            P.Face(C(), tool[i], look[i], TGenAxis::Horizontal, bar);
    }
    // The disabled tool button keeps a faint outline, so it differs from the resting one.
    GenFrameRounded(C(), tool[3], std::min(T.Radius, 3), GenMix(bar, T.Border, 1, 5));
    for (const char* name : {"resizetoolbutton", "toolbutton"}) {
        auto& b = Control<TqvDataSkinButtonControl>(QString::fromLatin1(name));
        b.PictureIndex = kPicControls;
        b.SkinRect = tool[0];
        b.ActiveSkinRect = tool[1];
        b.DownSkinRect = tool[2];
        b.DisabledSkinRect = tool[3];
        NineSlice(b, tw, th, 3, corner);
        Fonts(b);
        b.FontColor = b.ActiveFontColor = b.DownFontColor = GenToColor(T.Text);
        b.DisabledFontColor = GenToColor(T.DisabledText);
    }

    // The menu tool button: a body and a drop-down part with its arrow.
    constexpr int mw = 52, mh = 22, part = 13;
    auto& m = Control<TqvDataSkinMenuButtonControl>(QStringLiteral("toolmenubutton"));
    m.PictureIndex = kPicControls;
    TRect mr[4];
    for (int i = 0; i < 4; ++i) {
        mr[i] = FControls.Take(mw, mh);
        if (i == 0 || i == 3) {
            GenFill(C(), mr[i], bar);
            if (i == 0)
                GenFrameRounded(C(), mr[i], std::min(T.Radius, 3), P.Outline());
            if (i == 3)
                GenFrameRounded(C(), mr[i], std::min(T.Radius, 3), GenMix(bar, T.Border, 1, 5));
        } else {
            P.Face(C(), mr[i], look[i], TGenAxis::Horizontal, bar);
            GenVLine(C(), mr[i].Right - part, mr[i].Top + 3, mr[i].Bottom - 3, GenMix(T.Border, bar, 1, 2));
        }
        GenGlyphCentred(C(), Rect(mr[i].Right - part, mr[i].Top, mr[i].Right, mr[i].Bottom), gly::ArrowDown, 4,
                        i == 3 ? T.DisabledText : T.Text);
    }
    m.SkinRect = mr[0];
    m.ActiveSkinRect = mr[1];
    m.DownSkinRect = mr[2];
    m.DisabledSkinRect = mr[3];
    // A horizontal three-slice: the drop-down part keeps its width at the right.
    m.LTPoint = Point(corner, 0);
    m.RTPoint = Point(mw - part - 2, 0);
    m.ClRect = Rect(3, 3, mw - part - 2, mh - 3);
    m.StretchEffect = true;
    m.TrackButtonRect = Rect(mw - part, 0, mw, mh);
    Fonts(m);
    m.FontColor = m.ActiveFontColor = m.DownFontColor = GenToColor(T.Text);
    m.DisabledFontColor = GenToColor(T.DisabledText);
}

void TSkinBuilder::Panels()
{
    const int corner = std::max(T.Radius, 3) + 2;
    const bool tiled = T.Texture != TGenTexture::None;
    const int period = P.TexturePeriod();
    // A panel's client is two texture periods each way, so tiling repeats cleanly.
    {
        const int cw = 2 * period, b = 4;
        const int w = cw + 2 * b, h = cw + 2 * b;
        auto& p = Control<TqvDataSkinPanelControl>(QStringLiteral("panel"));
        p.PictureIndex = kPicControls;
        p.SkinRect = FControls.Take(w, h);
        GenFill(C(), p.SkinRect, T.Client);
        const int r = std::min(T.Radius, 4);
        GenFillRounded(C(), p.SkinRect, r, GenMix(T.Border, T.Client, 1, 2));
        const TRect in = Rect(p.SkinRect.Left + 1, p.SkinRect.Top + 1, p.SkinRect.Right - 1, p.SkinRect.Bottom - 1);
        GenFillRounded(C(), in, std::max(0, r - 1), P.Dark() ? GenShade(T.Client, 10) : GenShade(T.Client, 14));
        const TRect body = Rect(in.Left + 1, in.Top + 1, in.Right - 1, in.Bottom - 1);
        GenFill(C(), body, T.Client);
        P.Client(C(), Rect(p.SkinRect.Left + b, p.SkinRect.Top + b, p.SkinRect.Right - b, p.SkinRect.Bottom - b));
        NineSlice(p, w, h, b, std::max(corner, b + 1));
        p.StretchEffect = !tiled;
        Fonts(p);
        p.FontColor = GenToColor(T.Text);
        p.Alignment = taLeftJustify;
    }
    // The group box: a caption band over a framed body.
    {
        constexpr int w = 72, h = 60, band = 20, b = 3;
        auto& g = Control<TqvDataSkinPanelControl>(QStringLiteral("groupbox"));
        g.PictureIndex = kPicControls;
        g.SkinRect = FControls.Take(w, h);
        const TRect s = g.SkinRect;
        GenFill(C(), s, T.Client);
        const int r = std::min(T.Radius, 4);
        GenFillRounded(C(), s, r, GenMix(T.Border, T.Client, 1, 2));
        GenFillRounded(C(), Rect(s.Left + 1, s.Top + 1, s.Right - 1, s.Bottom - 1), std::max(0, r - 1), T.Client);
        for (int y = 1; y < band; ++y)
            for (int x = 1; x < w - 1; ++x)
                if (GenRoundCoverage(x - 1, y - 1, w - 2, h - 2, std::max(0, r - 1)) == 16)
                    GenSetPixel(C(), s.Left + x, s.Top + y, P.FaceColor(TGenState::Normal, y - 1, band - 1));
        GenHLine(C(), s.Left + 1, s.Right - 1, s.Top + band, GenMix(T.Border, T.Client, 1, 2));
        P.Client(C(), Rect(s.Left + b, s.Top + band + 1, s.Right - b, s.Bottom - b));
        g.LTPoint = Point(corner, band + 2);
        g.RTPoint = Point(w - corner, band + 2);
        g.LBPoint = Point(corner, h - corner);
        g.RBPoint = Point(w - corner, h - corner);
        g.ClRect = Rect(b, band + 1, w - b, h - b);
        g.LeftStretch = g.TopStretch = g.RightStretch = g.BottomStretch = true;
        g.StretchEffect = !tiled;
        // The band starts and ends in the corner zones, so it stretches with the box.
        const int inset = std::min(6, corner);
        g.CaptionRect = Rect(inset, 2, w - inset, band);
        g.Alignment = taLeftJustify;
        Fonts(g);
        g.FontStyle = fsBold;
        g.FontColor = GenToColor(T.Text);
    }
    // Tool bars: a face that shades from top to bottom.
    {
        constexpr int w = 64, h = 44;
        TRect s = FControls.Take(w, h);
        for (int y = 0; y < h; ++y)
            GenHLine(C(), s.Left, s.Right, s.Top + y, P.FaceColor(TGenState::Normal, y, h));
        GenHLine(C(), s.Left, s.Right, s.Top, GenShade(P.FaceColor(TGenState::Normal, 0, h), P.Dark() ? 12 : 24));
        GenHLine(C(), s.Left, s.Right, s.Bottom - 1, GenMix(T.Border, T.Face, 1, 2));
        for (const char* name : {"resizetoolpanel", "toolpanel"}) {
            auto& p = Control<TqvDataSkinPanelControl>(QString::fromLatin1(name));
            p.PictureIndex = kPicControls;
            p.SkinRect = s;
            NineSlice(p, w, h, 2, 4);
            Fonts(p);
            p.FontColor = GenToColor(T.Text);
        }
    }
    // The scroll box: the client colour in a thin frame.
    {
        const int cw = 2 * period, b = 1;
        auto& sb = Control<TqvDataSkinScrollBoxControl>(QStringLiteral("scrollbox"));
        sb.PictureIndex = kPicControls;
        sb.SkinRect = FControls.Take(cw + 2 * b, cw + 2 * b);
        GenFrame(C(), sb.SkinRect, GenMix(T.Border, T.Client, 1, 2));
        P.Client(C(), Rect(sb.SkinRect.Left + b, sb.SkinRect.Top + b, sb.SkinRect.Right - b, sb.SkinRect.Bottom - b));
        NineSlice(sb, cw + 2 * b, cw + 2 * b, b, 2);
        sb.StretchEffect = !tiled;
    }
}

void TSkinBuilder::Lists()
{
    const TGenRgb win = T.Window;
    auto views = [&](auto& r) {
        Fonts(r);
        r.FontColor = GenToColor(T.WindowText);
        r.BGColor = GenToColor(win);
    };
    views(Control<TqvDataSkinListView>(QStringLiteral("listview")));
    views(Control<TqvDataSkinTreeView>(QStringLiteral("treeview")));

    // The list box: a sunken window with item pictures.
    constexpr int w = 48, h = 48, iw = 40, ih = 18;
    auto& lb = Control<TqvDataSkinListBox>(QStringLiteral("listbox"));
    lb.PictureIndex = kPicControls;
    lb.SkinRect = FControls.Take(w, h);
    P.Well(C(), lb.SkinRect, TGenState::Normal, T.Client);
    NineSlice(lb, w, h, 2, 5);
    lb.SItemRect = FControls.Take(iw, ih);
    GenFill(C(), lb.SItemRect, win);
    auto selected = [&](TRect r, bool focus) {
        GenFill(C(), r, win);
        GenFillRounded(C(), r, std::min(T.Radius, 2), P.SelectTint());
        if (focus)
            GenFrameRounded(C(), r, std::min(T.Radius, 2), T.Accent);
    };
    lb.ActiveItemRect = FControls.Take(iw, ih);
    selected(lb.ActiveItemRect, false);
    lb.FocusItemRect = FControls.Take(iw, ih);
    selected(lb.FocusItemRect, true);
    lb.ItemLeftOffset = lb.ItemRightOffset = 3;
    lb.ItemTextRect = Rect(3, 1, iw - 3, ih - 1);
    Fonts(lb);
    lb.FontColor = GenToColor(T.WindowText);
    lb.ActiveFontColor = GenToColor(T.WindowText);
    lb.FocusFontColor = GenToColor(T.WindowText);
    lb.CaptionFontName = T.FontName;
    lb.CaptionFontHeight = T.FontHeight;
    lb.CaptionFontColor = GenToColor(T.Text);
    lb.ShowFocus = true;

    // The combo box: a one-line well with its drop-down button at the right.
    constexpr int cw = 96, ch = 22, bw = 17;
    auto& cb = Control<TqvDataSkinComboBox>(QStringLiteral("combobox"));
    cb.PictureIndex = kPicControls;
    const TRect button = Rect(cw - bw - 2, 2, cw - 2, ch - 2);
    auto combo = [&](TGenState state) {
        const TRect r = FControls.Take(cw, ch);
        P.Well(C(), r, state, T.Client);
        P.Face(C(), Rect(r.Left + button.Left, r.Top + button.Top, r.Left + button.Right, r.Top + button.Bottom),
               TGenState::Normal, TGenAxis::Horizontal, state == TGenState::Disabled ? GenMix(win, T.Face, 1, 2) : win,
               std::min(T.Radius, 2));
        GenGlyphCentred(C(), Rect(r.Left + button.Left, r.Top + button.Top, r.Left + button.Right, r.Top + button.Bottom),
                        gly::ArrowDown, 4, T.Text);
        return r;
    };
    cb.SkinRect = combo(TGenState::Normal);
    cb.ActiveSkinRect = combo(TGenState::Hot);
    auto buttonState = [&](TGenState state) {
        const TRect r = FControls.Take(button.Width(), button.Height());
        P.Face(C(), r, state, TGenAxis::Horizontal, state == TGenState::Disabled ? GenMix(win, T.Face, 1, 2) : win,
               std::min(T.Radius, 2));
        GenGlyphCentred(C(), Rect(r.Left, r.Top + (state == TGenState::Down ? 1 : 0), r.Right, r.Bottom), gly::ArrowDown,
                        4, state == TGenState::Disabled ? T.DisabledText : T.Text);
        return r;
    };
    cb.ActiveButtonRect = buttonState(TGenState::Hot);
    cb.DownButtonRect = buttonState(TGenState::Down);
    cb.UnEnabledButtonRect = buttonState(TGenState::Disabled);
    cb.ButtonRect = button;
    cb.LTPoint = Point(5, 0);
    cb.RTPoint = Point(cw - bw - 6, 0);
    cb.ClRect = Rect(3, 2, cw - bw - 3, ch - 2);
    cb.StretchEffect = true;
    cb.SItemRect = FControls.Take(iw, ih);
    GenFill(C(), cb.SItemRect, win);
    cb.ActiveItemRect = FControls.Take(iw, ih);
    selected(cb.ActiveItemRect, false);
    cb.FocusItemRect = FControls.Take(iw, ih);
    selected(cb.FocusItemRect, true);
    cb.ItemLeftOffset = cb.ItemRightOffset = 3;
    cb.ItemTextRect = Rect(3, 1, iw - 3, ih - 1);
    Fonts(cb);
    cb.FontColor = cb.ActiveFontColor = cb.FocusFontColor = GenToColor(T.WindowText);
    cb.ListBoxName = QStringLiteral("listbox");
    cb.ShowFocus = true;
}

void TSkinBuilder::ScrollBars()
{
    // One layout turned for both directions: [down button][track][up button].
    constexpr int len = 96, thick = 17, btn = 17, thumb = 26;
    const TGenRgb track = GenMix(T.Face, T.Client, 1, 2);
    for (bool horz : {true, false}) {
        auto box = [&](int along, int across) { return horz ? FControls.Take(along, across) : FControls.Take(across, along); };
        auto sub = [&](TRect r, int a0, int a1) {
            return horz ? Rect(r.Left + a0, r.Top, r.Left + a1, r.Bottom) : Rect(r.Left, r.Top + a0, r.Right, r.Top + a1);
        };
        const TGenAxis axis = horz ? TGenAxis::Horizontal : TGenAxis::Vertical;
        const char* const* lower = horz ? gly::ArrowLeft : gly::ArrowUp;
        const char* const* upper = horz ? gly::ArrowRight : gly::ArrowDown;
        const int rows = horz ? 7 : 4;
        auto arrowButton = [&](TRect r, TGenState state, bool up) {
            P.Face(C(), Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), state, axis, track, std::min(T.Radius, 2));
            GenFrame(C(), r, track);
            GenGlyphCentred(C(), r, up ? upper : lower, rows, state == TGenState::Disabled ? T.DisabledText : T.Text);
        };
        const TRect whole = box(len, thick);
        GenFill(C(), whole, track);
        // The groove: a darker line along both long edges.
        for (int a = 0; a < len; ++a) {
            const TRect edge = sub(whole, a, a + 1);
            if (horz) {
                GenSetPixel(C(), edge.Left, edge.Top, GenMix(track, T.Border, 1, 4));
                GenSetPixel(C(), edge.Left, edge.Bottom - 1, GenMix(track, T.Border, 1, 4));
            } else {
                GenSetPixel(C(), edge.Left, edge.Top, GenMix(track, T.Border, 1, 4));
                GenSetPixel(C(), edge.Right - 1, edge.Top, GenMix(track, T.Border, 1, 4));
            }
        }
        arrowButton(sub(whole, 0, btn), TGenState::Normal, false);
        arrowButton(sub(whole, len - btn, len), TGenState::Normal, true);
        auto state = [&](TGenState s, bool up) {
            const TRect r = box(btn, thick);
            GenFill(C(), r, track);
            arrowButton(r, s, up);
            return r;
        };
        auto thumbState = [&](TGenState s) {
            const TRect r = box(thumb, thick);
            GenFill(C(), r, track);
            P.Face(C(), horz ? Rect(r.Left, r.Top + 1, r.Right, r.Bottom - 1) : Rect(r.Left + 1, r.Top, r.Right - 1, r.Bottom),
                   s, axis, track, std::min(T.Radius, 3));
            return r;
        };
        auto grip = [&](TGenState s) {
            const TRect r = horz ? FControls.Take(5, 7) : FControls.Take(7, 5);
            GenFill(C(), r, 0xFF00FF);
            GenGlyph(C(), r.Left, r.Top, horz ? gly::GripV : gly::GripH, horz ? 7 : 5,
                     s == TGenState::Normal ? GenMix(T.Border, T.Face, 1, 3) : s == TGenState::Hot ? T.Accent : T.Text);
            return r;
        };
        const QStringList names = horz ? QStringList{QStringLiteral("hscrollbar"), QStringLiteral("bothhscrollbar")}
                                       : QStringList{QStringLiteral("vscrollbar")};
        const TRect upHot = state(TGenState::Hot, true), upDown = state(TGenState::Down, true);
        const TRect dnHot = state(TGenState::Hot, false), dnDown = state(TGenState::Down, false);
        const TRect th0 = thumbState(TGenState::Normal), th1 = thumbState(TGenState::Hot), th2 = thumbState(TGenState::Down);
        const TRect g0 = grip(TGenState::Normal), g1 = grip(TGenState::Hot), g2 = grip(TGenState::Down);
        for (const QString& name : names) {
            auto& s = Control<TqvDataSkinScrollBarControl>(name);
            s.PictureIndex = kPicControls;
            s.SkinRect = whole;
            // The fixed ends reach one pixel into the track, so the buttons lie beyond the growing middle.
            if (horz) {
                s.LTPoint = Point(btn, 0);
                s.RTPoint = Point(len - btn - 1, 0);
                s.ClRect = Rect(btn, 0, len - btn, thick);
                s.TrackArea = Rect(btn, 0, len - btn, thick);
                s.DownButtonRect = Rect(0, 0, btn, thick);
                s.UpButtonRect = Rect(len - btn, 0, len, thick);
            } else {
                s.LTPoint = Point(0, btn);
                s.LBPoint = Point(0, len - btn - 1);
                s.ClRect = Rect(0, btn, thick, len - btn);
                s.TrackArea = Rect(0, btn, thick, len - btn);
                s.DownButtonRect = Rect(0, 0, thick, btn);
                s.UpButtonRect = Rect(0, len - btn, thick, len);
            }
            s.ActiveUpButtonRect = upHot;
            s.DownUpButtonRect = upDown;
            s.ActiveDownButtonRect = dnHot;
            s.DownDownButtonRect = dnDown;
            s.ThumbRect = th0;
            s.ActiveThumbRect = th1;
            s.DownThumbRect = th2;
            s.ThumbOffset1 = s.ThumbOffset2 = 5;
            s.ThumbStretchEffect = true;
            s.GlyphRect = g0;
            s.ActiveGlyphRect = g1;
            s.DownGlyphRect = g2;
            s.GlyphTransparent = true;
            s.GlyphTransparentColor = GenToColor(0xFF00FF);
            s.StretchEffect = true;
        }
    }
}

void TSkinBuilder::Edits()
{
    constexpr int w = 64, h = 22;
    auto& e = Control<TqvDataSkinEditControl>(QStringLiteral("edit"));
    e.PictureIndex = kPicControls;
    e.SkinRect = FControls.Take(w, h);
    P.Well(C(), e.SkinRect, TGenState::Normal, T.Client);
    e.ActiveSkinRect = FControls.Take(w, h);
    P.Well(C(), e.ActiveSkinRect, TGenState::Focused, T.Client);
    NineSlice(e, w, h, 3, 5);
    Fonts(e);
    e.FontColor = e.ActiveFontColor = GenToColor(T.WindowText);
    e.DisabledFontColor = GenToColor(GenMix(T.WindowText, T.Window, 11, 20));
}

void TSkinBuilder::CheckRadios()
{
    constexpr int w = 96, h = 20, g = 13;
    for (bool radio : {false, true}) {
        auto& c = Control<TqvDataSkinCheckRadioControl>(radio ? QStringLiteral("radiobox") : QStringLiteral("checkbox"));
        c.PictureIndex = kPicControls;
        c.SkinRect = FControls.Take(w, h);
        GenFill(C(), c.SkinRect, T.Client);
        c.ActiveSkinRect = FControls.Take(w, h);
        GenFill(C(), c.ActiveSkinRect, T.Client);
        // Hot: a faint tint behind the whole line.
        GenFillRounded(C(), c.ActiveSkinRect, std::min(T.Radius, 3), GenMix(T.Client, T.Accent, 1, P.Dark() ? 6 : 10));
        c.LTPoint = Point(22, 0);
        c.RTPoint = Point(w - 4, 0);
        c.ClRect = Rect(22, 0, w - 4, h);
        c.StretchEffect = true;
        c.CheckImageArea = Rect(2, 1, 20, 19);
        c.TextArea = Rect(23, 1, w - 3, h - 1);
        auto glyph = [&](TGenState state, int mark) {  // 0 none, 1 check, 2 grayed
            const TRect r = FControls.Take(g, g);
            const TGenRgb bg = state == TGenState::Hot ? GenMix(T.Client, T.Accent, 1, P.Dark() ? 6 : 10) : T.Client;
            GenFill(C(), r, bg);
            const TGenRgb box = state == TGenState::Disabled ? GenMix(T.Window, T.Face, 1, 2) : T.Window;
            const TGenRgb line = state == TGenState::Hot ? P.AccentOutline()
                                 : state == TGenState::Disabled ? GenMix(T.Border, T.Face, 1, 2)
                                                                : P.Outline();
            const TGenRgb ink = state == TGenState::Disabled ? T.DisabledText : radio ? T.Accent : T.WindowText;
            // Round at least by a pixel: the control keys its picture on the
            // corner pixel, and a square corner would key the outline away.
            const int rad = radio ? g / 2 : std::clamp(T.Radius, 1, 2);
            GenFillRounded(C(), r, rad, box);
            GenFrameRounded(C(), r, rad, line);
            if (mark == 1)
                GenGlyphCentred(C(), radio ? r : Rect(r.Left, r.Top, r.Right, r.Bottom + 1), radio ? gly::Radio : gly::Check,
                                radio ? 5 : 7, ink);
            else if (mark == 2)
                GenFill(C(), Rect(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3), GenMix(ink, box, 1, 2));
            return r;
        };
        c.CheckImageRect = glyph(TGenState::Normal, 1);
        c.UnCheckImageRect = glyph(TGenState::Normal, 0);
        c.ActiveCheckImageRect = glyph(TGenState::Hot, 1);
        c.ActiveUnCheckImageRect = glyph(TGenState::Hot, 0);
        c.UnEnabledCheckImageRect = glyph(TGenState::Disabled, 1);
        c.UnEnabledUnCheckImageRect = glyph(TGenState::Disabled, 0);
        c.GrayedCheckImageRect = glyph(TGenState::Normal, 2);
        c.ActiveGrayedCheckImageRect = glyph(TGenState::Hot, 2);
        Fonts(c);
        c.FontColor = c.ActiveFontColor = GenToColor(T.Text);
        c.UnEnabledFontColor = GenToColor(T.DisabledText);
        c.FrameFontColor = GenToColor(T.Text);
    }
}

void TSkinBuilder::Labels()
{
    auto& sl = Control<TqvDataSkinStdLabelControl>(QStringLiteral("stdlabel"));
    Fonts(sl);
    sl.FontColor = GenToColor(T.Text);
    sl.ActiveFontColor = GenToColor(T.Accent);

    constexpr int w = 64, h = 20;
    const TRect s = FControls.Take(w, h);
    const TGenRgb band = GenMix(T.Client, T.Accent, 1, P.Dark() ? 4 : 7);
    GenFill(C(), s, band);
    GenHLine(C(), s.Left, s.Right, s.Bottom - 1, GenMix(T.Accent, band, 1, 2));
    for (const char* name : {"label", "menuheader"}) {
        auto& l = Control<TqvDataSkinLabelControl>(QString::fromLatin1(name));
        l.PictureIndex = kPicControls;
        l.SkinRect = s;
        l.LTPoint = Point(4, 0);
        l.RTPoint = Point(w - 4, 0);
        l.ClRect = Rect(4, 1, w - 4, h - 1);
        l.StretchEffect = true;
        Fonts(l);
        l.FontStyle = fsBold;
        l.FontColor = GenToColor(T.Text);
    }
}

void TSkinBuilder::Slider()
{
    auto& s = Control<TqvDataSkinSlider>(QStringLiteral("slider"));
    s.PictureIndex = kPicControls;
    constexpr int len = 48, groove = 6, tw = 11, th = 19;
    auto grooveAt = [&](TRect r) {
        GenFill(C(), r, T.Client);
        GenFillRounded(C(), r, 2, GenMix(T.Border, T.Client, 1, 3));
        GenFillRounded(C(), Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), 1, P.Dark() ? GenShade(T.Client, -14) : T.Window);
    };
    s.HRulerRect = FControls.Take(len, groove);
    grooveAt(s.HRulerRect);
    s.VRulerRect = FControls.Take(groove, len);
    grooveAt(s.VRulerRect);
    // Two thumb states side by side: resting and hot.
    s.HThumbRect = FControls.Take(2 * tw, th);
    s.VThumbRect = FControls.Take(2 * th, tw);
    for (int i = 0; i < 2; ++i) {
        const TGenState st = i ? TGenState::Hot : TGenState::Normal;
        P.Face(C(), Rect(s.HThumbRect.Left + i * tw, s.HThumbRect.Top, s.HThumbRect.Left + (i + 1) * tw, s.HThumbRect.Bottom),
               st, TGenAxis::Vertical, T.Client, std::clamp(T.Radius, 1, 3));
        P.Face(C(), Rect(s.VThumbRect.Left + i * th, s.VThumbRect.Top, s.VThumbRect.Left + (i + 1) * th, s.VThumbRect.Bottom),
               st, TGenAxis::Horizontal, T.Client, std::clamp(T.Radius, 1, 3));
    }
    s.EdgeSize = 3;
    s.BGColor = GenToColor(T.Client);
    s.PointsColor = GenToColor(GenMix(T.Text, T.Client, 1, 3));
}

void TSkinBuilder::Tabs()
{
    auto& t = Control<TqvDataSkinTabControl>(QStringLiteral("tab"));
    t.PictureIndex = kPicControls;
    constexpr int w = 64, h = 48, tw = 48, th = 22;
    t.SkinRect = FControls.Take(w, h);
    GenFill(C(), t.SkinRect, GenMix(T.Border, T.Client, 1, 2));
    P.Client(C(), Rect(t.SkinRect.Left + 1, t.SkinRect.Top + 1, t.SkinRect.Right - 1, t.SkinRect.Bottom - 1));
    GenHLine(C(), t.SkinRect.Left + 1, t.SkinRect.Right - 1, t.SkinRect.Top + 1, GenShade(T.Client, P.Dark() ? 10 : 16));
    t.ClRect = Rect(2, 2, w - 2, h - 2);
    t.LTPoint = Point(4, 4);
    t.RTPoint = Point(w - 4, 4);
    t.LBPoint = Point(4, h - 4);
    t.RBPoint = Point(w - 4, h - 4);
    t.LeftStretch = t.TopStretch = t.RightStretch = t.BottomStretch = true;
    auto tab = [&](TGenState state, int height) {
        const TRect r = FControls.Take(tw, height);
        // Tabs are round only at the top: the lower corners meet the page.
        P.Face(C(), Rect(r.Left, r.Top, r.Right, r.Bottom + std::min(T.Radius, 3) + 1), state, TGenAxis::Horizontal, T.Client,
               std::min(T.Radius, 3));
        if (state == TGenState::Normal || state == TGenState::Hot)
            GenHLine(C(), r.Left, r.Right, r.Bottom - 1, GenMix(T.Border, T.Client, 1, 2));
        return r;
    };
    t.TabRect = tab(TGenState::Normal, th);
    t.ActiveTabRect = tab(TGenState::Focused, th + 2);
    t.FocusTabRect = t.ActiveTabRect;
    t.MouseInTabRect = tab(TGenState::Hot, th);
    // Keep the page edge below the tab picture clean.
    for (TRect r : {t.TabRect, t.ActiveTabRect, t.MouseInTabRect})
        GenFill(C(), Rect(r.Left, r.Bottom, r.Right, r.Bottom + std::min(T.Radius, 3) + 1), T.Client);
    t.TabLeftOffset = t.TabRightOffset = std::max(T.Radius, 3) + 1;
    t.TabStretchEffect = true;
    Fonts(t);
    t.FontColor = t.ActiveFontColor = t.FocusFontColor = t.MouseInFontColor = GenToColor(T.Text);
    t.UpDown = QStringLiteral("hupdown");
}

void TSkinBuilder::Misc()
{
    // Up-down buttons: fixed-size pairs, each button with its hot and pressed pictures.
    constexpr int b = 16;
    for (bool horz : {true, false}) {
        auto& u = Control<TqvDataSkinUpDownControl>(horz ? QStringLiteral("hupdown") : QStringLiteral("vupdown"));
        u.PictureIndex = kPicControls;
        u.SkinRect = horz ? FControls.Take(2 * b, b) : FControls.Take(b, 2 * b);
        const TRect down = horz ? Rect(0, 0, b, b) : Rect(0, b, b, 2 * b);
        const TRect up = horz ? Rect(b, 0, 2 * b, b) : Rect(0, 0, b, b);
        auto button = [&](TRect r, TGenState s, bool isUp) {
            P.Face(C(), r, s, TGenAxis::Horizontal, T.Client, std::min(T.Radius, 2));
            GenGlyphCentred(C(), r, horz ? (isUp ? gly::ArrowRight : gly::ArrowLeft) : (isUp ? gly::ArrowUp : gly::ArrowDown),
                            horz ? 7 : 4, T.Text);
        };
        button(Rect(u.SkinRect.Left + down.Left, u.SkinRect.Top + down.Top, u.SkinRect.Left + down.Right, u.SkinRect.Top + down.Bottom),
               TGenState::Normal, false);
        button(Rect(u.SkinRect.Left + up.Left, u.SkinRect.Top + up.Top, u.SkinRect.Left + up.Right, u.SkinRect.Top + up.Bottom),
               TGenState::Normal, true);
        u.UpButtonRect = up;
        u.DownButtonRect = down;
        auto state = [&](TGenState s, bool isUp) {
            const TRect r = FControls.Take(b, b);
            button(r, s, isUp);
            return r;
        };
        u.ActiveUpButtonRect = state(TGenState::Hot, true);
        u.DownUpButtonRect = state(TGenState::Down, true);
        u.ActiveDownButtonRect = state(TGenState::Hot, false);
        u.DownDownButtonRect = state(TGenState::Down, false);
    }
    // Splitters: the client colour with a dotted gripper.
    for (bool horz : {true, false}) {
        auto& s = Control<TqvDataSkinSplitterControl>(horz ? QStringLiteral("hsplitter") : QStringLiteral("vsplitter"));
        s.PictureIndex = kPicControls;
        s.SkinRect = horz ? FControls.Take(32, 6) : FControls.Take(6, 32);
        GenFill(C(), s.SkinRect, GenMix(T.Client, T.Face, 1, 2));
        if (horz) {
            s.LTPoint = Point(2, 0);
            s.RTPoint = Point(30, 0);
            s.ClRect = Rect(2, 0, 30, 6);
        } else {
            s.LTPoint = Point(0, 2);
            s.LBPoint = Point(0, 30);
            s.ClRect = Rect(0, 2, 6, 30);
        }
        s.StretchEffect = true;
        s.GripperRect = horz ? FControls.Take(13, 3) : FControls.Take(2, 9);
        GenFill(C(), s.GripperRect, 0xFF00FF);
        if (horz)
            GenGlyph(C(), s.GripperRect.Left, s.GripperRect.Top, gly::Dots, 3, GenMix(T.Border, T.Client, 2, 3));
        else
            GenGlyph(C(), s.GripperRect.Left, s.GripperRect.Top, gly::DotsV, 9, GenMix(T.Border, T.Client, 2, 3));
        s.GripperTransparent = true;
        s.GripperTransparentColor = GenToColor(0xFF00FF);
    }
    auto& bevel = Control<TqvDataSkinBevel>(QStringLiteral("bevel"));
    bevel.LightColor = GenToColor(GenShade(T.Client, P.Dark() ? 18 : 30));
    bevel.DarkColor = GenToColor(GenMix(T.Border, T.Client, 1, 2));
}

void TSkinBuilder::Windows()
{
    // The hint window: its own small picture.
    constexpr int w = 40, h = 28;
    const TGenRgb bg = P.Dark() ? GenShade(T.Window, 10) : GenMix(T.Window, T.Face, 1, 3);
    QImage img = GenNewImage(w, h, T.Client);
    GenFillRounded(img, Rect(0, 0, w, h), std::min(T.Radius, 3), GenMix(T.Border, bg, 1, 3));
    GenFillRounded(img, Rect(1, 1, w - 1, h - 1), std::max(0, std::min(T.Radius, 3) - 1), bg);
    FSkin->FActivePictures[kPicHint] = img;
    TqvDataSkinHintWindow& hw = FSkin->HintWindow;
    hw.WindowPictureIndex = kPicHint;
    hw.LTPoint = Point(5, 5);
    hw.RTPoint = Point(w - 5, 5);
    hw.LBPoint = Point(5, h - 5);
    hw.RBPoint = Point(w - 5, h - 5);
    hw.ClRect = Rect(4, 4, w - 4, h - 4);
    hw.FontName = T.FontName;
    hw.FontHeight = T.FontHeight;
    hw.FontColor = GenToColor(T.WindowText);
    hw.TopStretch = hw.LeftStretch = hw.RightStretch = hw.BottomStretch = true;
    hw.StretchEffect = true;
}

void TSkinBuilder::Colors()
{
    TqvSkinColors& c = FSkin->SkinColors();
    c.SetcBtnFace(GenToColor(T.Face));
    c.SetcBtnText(GenToColor(T.Text));
    c.SetcWindow(GenToColor(T.Window));
    c.SetcWindowText(GenToColor(T.WindowText));
    c.SetcHighLight(GenToColor(T.Accent));
    c.SetcHighLightText(GenToColor(T.SelectText));
    c.SetcBtnHighLight(GenToColor(GenShade(T.Face, P.Dark() ? 24 : 40)));
    c.SetcBtnShadow(GenToColor(GenMix(T.Face, T.Border, 2, 3)));
}

}  // namespace

std::unique_ptr<TqvSkinData> BuildSkin(const TqvSkinTheme& theme)
{
    return TSkinBuilder(theme).Build();
}

std::unique_ptr<TqvSkinData> BuildStoredSkin(int index)
{
    return BuildSkin(SkinThemes().at(std::size_t(index)));
}

QString StoredSkinFileName(int index)
{
    return QStringLiteral("%1.skn").arg(index, 2, 10, QLatin1Char('0'));
}

QString StoredSkinFolderName(int index)
{
    return QStringLiteral("%1").arg(index, 2, 10, QLatin1Char('0'));
}

void WriteStoredSkins(const QString& dir, bool folders)
{
    QDir().mkpath(dir);
    for (int i = 0; i < kStoredSkinCount; ++i) {
        const auto skin = BuildStoredSkin(i);
        skin->SaveToCompressedFile(dir + QLatin1Char('/') + StoredSkinFileName(i));
        if (folders) {
            const QString folder = dir + QLatin1Char('/') + StoredSkinFolderName(i);
            QDir().mkpath(folder);
            skin->StoreToDisk(folder + QStringLiteral("/skin.ini"));
        }
    }
}
