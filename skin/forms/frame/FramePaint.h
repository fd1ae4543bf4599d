// Pictures of a skinned form: the skinned frame as four composed pieces with
// the frame objects drawn in, the skinless frame, and the client background.
// Pure builders; the component's paint events only present what they give.
#pragma once

#include "platform/Graphics.h"
#include "skin/forms/frame/FrameGeometry.h"

#include <QImage>
#include <QPainter>
#include <QString>

#include <functional>

// The border of the frame picture at the form's size: top and bottom full
// width, left and right between them.
struct TqvFramePieces {
    QImage Top, Left, Right, Bottom;
    bool IsNull() const { return Top.isNull() && Left.isNull() && Right.isNull() && Bottom.isNull(); }
};

// The source picture for the form's activity: the inactive picture when the
// form is inactive and the skin has one.
const QImage& FramePicture(const TqvSkinData& S, bool Active);
TqvFramePieces ComposeFramePieces(const TqvSkinData& S, bool Active, const TqvFrameGeometry& G);
// Copies of the pieces with every visible object drawn into its piece, then
// the skin's inactive effect when the inactive form asks for it.
TqvFramePieces FinishFramePieces(const TqvFramePieces& Raw, const TqvSkinData& S, bool Active,
                                 const TqvFrameGeometry& G, const TqvFrameObjects& Objects);
// The skin's inactive effect over a picture (kept RGB32).
void ApplyInActiveEffect(QImage& Picture, TqvInActiveEffect Effect);
void DrawFramePieces(QPainter& P, const TqvFramePieces& Pieces, int W, int H);
// The whole skinned frame as one picture (the client part left white).
QImage BuildSkinFrameImage(const TqvSkinData& S, bool Active, const TqvFrameGeometry& G,
                           const TqvFrameObjects& Objects);

// The skinless frame.
using TqvCaptionPaintEvent = std::function<void(QPainter& P, const TRect& R, bool Active)>;
struct TqvDefaultFrameInput {
    int Width = 0, Height = 0;
    bool ToolWindow = false;
    bool Active = true;
    QString Caption;
    TFont ActiveFont, InActiveFont;
    TRect CaptionRect{};  // the caption text area (CalcDefRects)
    const TqvFrameObjects* Objects = nullptr;
    TqvCaptionPaintEvent OnCaptionPaint;
};
QImage BuildDefaultFrameImage(const TqvDefaultFrameInput& In);

// The client background: the skin's client part (tiled or stretched) or its
// background picture, else the button face; then the logo centred.
struct TqvClientBackgroundInput {
    const TqvSkinData* Skin = nullptr;  // nullptr or empty: the skinless background
    QSize Client, Form;
    bool UseRibbon = false;
    QImage Logo;
    bool LogoTransparent = false;
};
QImage BuildClientBackground(const TqvClientBackgroundInput& In);
void DrawLogo(QImage& Client, const QImage& Logo, bool Transparent);
