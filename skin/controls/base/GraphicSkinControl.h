// The windowless twins of the skinned bases: alien child widgets that never
// take the focus and paint opaquely. They share the windowed bases' geometry
// type; they have no window region, no piecewise paint, and the skin-change
// walk runs only their ChangeSkinData.
#pragma once

#include "skin/controls/base/SkinGeometry.h"
#include "skin/controls/base/SkinPart.h"

class TqvGraphicSkinControl : public TGraphicControl, public TqvSkinPart {
    Q_OBJECT
public:
    explicit TqvGraphicSkinControl(QObject* AOwner = nullptr);

protected:
    void paintEvent(QPaintEvent*) override { PresentImage(); }
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
};

class TqvGraphicSkinCustomControl : public TqvGraphicSkinControl {
    Q_OBJECT
public:
    explicit TqvGraphicSkinCustomControl(QObject* AOwner = nullptr);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    virtual void AdjustSkinSize(int& AWidth, int& AHeight);

    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int v);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int v);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& f) { FDefaultFont.Assign(f); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool v) { FUseSkinFont = v; }

    const TqvSkinGeometry& Geometry() const { return G; }
    int ResizeMode() const { return G.ResizeMode; }
    TRect RealClientRect() const { return G.NewClRect; }
    int RealClientWidth() const { return G.NewClRect.Width(); }
    int RealClientHeight() const { return G.NewClRect.Height(); }
    int RealClientLeft() const { return G.NewClRect.Left; }
    int RealClientTop() const { return G.NewClRect.Top; }

protected:
    virtual void DefaultFontChanged() {}
    void CreateControlDefaultImage(QImage& B) override;
    void CreateControlSkinImage(QImage& B) override;
    void CreateSkinImage(QImage& B, const QImage& APicture, const TRect& ARect);

    TqvSkinGeometry G;

private:
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    TFont FDefaultFont{QStringLiteral("Arial"), 14};
    bool FUseSkinFont = true;
};
