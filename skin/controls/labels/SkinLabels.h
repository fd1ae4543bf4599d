// Labels whose font and colours come from the skin's "stdlabel" record:
// the standard label (ellipses, skinned disabled look), the link label
// (hover colour, glow, opens its URL) and the multi-line text label. None
// is built on the skinned-control bases; each holds its own skin link and
// joins the skin-change walk through TqvSkinClient.
#pragma once

#include "platform/Classes.h"
#include "platform/StdCtrls.h"
#include "skin/controls/base/SkinClient.h"
#include "skin/model/SkinData.h"

#include <QPointer>

enum TqvEllipsType { qvetNone, qvetEndEllips, qvetPathEllips };

// The record values the labels copy.
struct TqvStdLabelLook {
    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor ActiveFontColor = RGB(0, 0, 255);
    // -1 without a model, an empty one or the record; a record of another
    // kind keeps its index and leaves the copied values as they were.
    int Lookup(TqvSkinData* SD, const QString& Name);
};

class TqvSkinStdLabel : public TCustomLabel, public TqvSkinClient {
    Q_OBJECT
public:
    explicit TqvSkinStdLabel(QObject* AOwner = nullptr);

    TqvSkinData* SkinData() const override { return FSD.data(); }
    void SetSkinData(TqvSkinData* v);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& v) { FSkinDataName = v; }
    void GetSkinData() { FIndex = FLook.Lookup(FSD, FSkinDataName); }
    void ChangeSkinData() override;
    int SkinIndex() const { return FIndex; }

    TqvEllipsType EllipsType() const { return FEllipsType; }
    void SetEllipsType(TqvEllipsType v);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool v) { FUseSkinFont = v; }
    bool UseSkinColor() const { return FUseSkinColor; }
    void SetUseSkinColor(bool v) { FUseSkinColor = v; }
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& f) { FDefaultFont.Assign(f); }

    // AText drawn as the label would draw it, offset by (X, Y).
    void PaintSkinTo(TCanvas& C, int X, int Y, const QString& AText);

protected:
    void DoDrawText(TCanvas& C, TRect& R, unsigned Flags) override;
    QString GetLabelText() const override { return FPaintText ? *FPaintText : TCustomLabel::GetLabelText(); }

private:
    QPointer<TqvSkinData> FSD;
    QString FSkinDataName = QStringLiteral("stdlabel");
    int FIndex = -1;
    TqvStdLabelLook FLook;
    TFont FDefaultFont;
    bool FUseSkinFont = true, FUseSkinColor = true;
    TqvEllipsType FEllipsType = qvetNone;
    const QString* FPaintText = nullptr;
};

class TqvSkinLinkLabel : public TCustomLabel, public TqvSkinClient {
    Q_OBJECT
public:
    explicit TqvSkinLinkLabel(QObject* AOwner = nullptr);

    TqvSkinData* SkinData() const override { return FSD.data(); }
    void SetSkinData(TqvSkinData* v);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& v) { FSkinDataName = v; }
    void GetSkinData() { FIndex = FLook.Lookup(FSD, FSkinDataName); }
    void ChangeSkinData() override;
    int SkinIndex() const { return FIndex; }

    bool GlowEffect() const { return FGlowEffect; }
    void SetGlowEffect(bool v);
    int GlowSize() const { return FGlowSize; }
    void SetGlowSize(int v);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& f) { FDefaultFont.Assign(f); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool v) { FUseSkinFont = v; }
    TColor DefaultActiveFontColor() const { return FDefaultActiveFontColor; }
    void SetDefaultActiveFontColor(TColor v) { FDefaultActiveFontColor = v; }
    QString URL() const { return FURL; }
    void SetURL(const QString& v) { FURL = v; }
    bool UseUnderLine() const { return FUseUnderLine; }
    void SetUseUnderLine(bool v);
    bool MouseIn() const { return FMouseIn; }
    // The halo colour of the last paint; -1 when it drew none.
    TColor LastHaloColor() const { return FHaloColor; }
    bool LastUnderline() const { return FUnderline; }

    // OnClick, then the URL opened through the shell (nothing for an empty one).
    void Click() override;

protected:
    void DoDrawText(TCanvas& C, TRect& R, unsigned Flags) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    QPointer<TqvSkinData> FSD;
    QString FSkinDataName = QStringLiteral("stdlabel");
    int FIndex = -1;
    TqvStdLabelLook FLook;
    bool FGlowEffect = false;
    int FGlowSize = 7;
    bool FMouseIn = false;
    TFont FDefaultFont{QStringLiteral("Arial"), 14};
    bool FUseSkinFont = true;
    TColor FDefaultActiveFontColor = RGB(0, 0, 255);
    QString FURL;
    bool FUseUnderLine = true;
    TColor FHaloColor = TColor(-1);
    bool FUnderline = false;
};

class TqvSkinTextLabel : public TGraphicControl, public TqvSkinClient {
    Q_OBJECT
public:
    explicit TqvSkinTextLabel(QObject* AOwner = nullptr);

    TqvSkinData* SkinData() const override { return FSD.data(); }
    void SetSkinData(TqvSkinData* v);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& v) { FSkinDataName = v; }
    void GetSkinData() { FIndex = FLook.Lookup(FSD, FSkinDataName); }
    void ChangeSkinData() override;
    int SkinIndex() const { return FIndex; }

    // The text, one entry a line; changes resize (AutoSize) and repaint.
    TStringList& Lines() { return FLines; }
    void SetLines(const TStrings& v);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& f) { FDefaultFont.Assign(f); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool v) { FUseSkinFont = v; }
    bool UseSkinColor() const { return FUseSkinColor; }
    void SetUseSkinColor(bool v) { FUseSkinColor = v; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);

    void AdjustBounds();
    QImage PaintToImage();
    const std::vector<TLabelTextRun>& LastTextRuns() const { return FRuns; }

protected:
    virtual QString GetLabelText() const;
    void Paint() override;
    void FontChanged() override;
    void Loaded() override;

private:
    void DoDrawText(TCanvas& C, TRect& R, unsigned Flags);

    QPointer<TqvSkinData> FSD;
    QString FSkinDataName = QStringLiteral("stdlabel");
    int FIndex = -1;
    TqvStdLabelLook FLook;
    TStringList FLines;
    TFont FDefaultFont;
    bool FUseSkinFont = true, FUseSkinColor = true;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FAutoSize = true;
    std::vector<TLabelTextRun> FRuns;
};
