// The windowed bases of the skinned controls. TqvSkinControl binds a control
// to a skin model and a record name and builds its picture off-screen on
// every paint (BuildImage; paintEvent only presents it). TqvSkinCustomControl
// adds the resizable geometry, the window region from the record's mask, the
// piecewise paint of containers and the skinless defaults.
#pragma once

#include "skin/controls/base/SkinGeometry.h"
#include "skin/controls/base/SkinPart.h"

class TqvSkinControl : public TCustomControl, public TqvSkinPart {
    Q_OBJECT
public:
    explicit TqvSkinControl(QObject* AOwner = nullptr);

    bool TakesBeforeChangeSkinData() const override { return true; }
    // Run on WM_SKIN_PARENT_CHANGED.
    virtual void CheckParentBackground() {}

protected:
    void paintEvent(QPaintEvent*) override { PresentImage(); }
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void WndProc(TMessage& message) override;
};

class TqvSkinCustomControl : public TqvSkinControl {
    Q_OBJECT
public:
    explicit TqvSkinCustomControl(QObject* AOwner = nullptr);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    virtual void AdjustSkinSize(int& AWidth, int& AHeight);
    virtual void UpdateSkinRegion();

    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int v);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int v);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& f) { FDefaultFont.Assign(f); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool v) { FUseSkinFont = v; }
    bool ForcebackGround() const { return FForceBackground; }
    void SetForcebackGround(bool v) { FForceBackground = v; update(); }
    bool DrawbackGround() const { return FDrawBackground; }
    void SetDrawbackGround(bool v) { FDrawBackground = v; update(); }

    const TqvSkinGeometry& Geometry() const { return G; }
    int ResizeMode() const { return G.ResizeMode; }
    TRect RealClientRect() const { return G.NewClRect; }
    int RealClientWidth() const { return G.NewClRect.Width(); }
    int RealClientHeight() const { return G.NewClRect.Height(); }
    int RealClientLeft() const { return G.NewClRect.Left; }
    int RealClientTop() const { return G.NewClRect.Top; }
    TRect MapSkinRect(const TRect& R) const { return G.MapSkinRect(R, Width(), Height()); }
    // The window region is set (a mask from the record's mask picture).
    bool HasSkinRegion() const { return FHasRegion; }

protected:
    virtual void DefaultFontChanged() {}
    void PaintImage(QImage& B) override;
    void CreateControlDefaultImage(QImage& B) override;
    void CreateControlSkinImage(QImage& B) override;
    void CreateSkinImage(QImage& B, const QImage& APicture, const TRect& ARect);
    // Children that show this control through themselves repaint.
    void NotifyChildrenParentBackground();
    // The client fill of the piecewise paint (ClRect of the skin over NewClRect).
    void FillClientArea(QImage& B);

    TqvSkinGeometry G;
    bool FForceBackground = false;
    bool FDrawBackground = true;

private:
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    TFont FDefaultFont{QStringLiteral("Arial"), 14};
    bool FUseSkinFont = true;
    bool FHasRegion = false;
};

// A panel-like parent that centres its children vertically (the skinned tool
// bar); SetBounds of the skinned bases asks it for the rectangle.
class TqvCentringParent {
public:
    virtual ~TqvCentringParent() = default;
    // True when children are to be centred; R is the area to centre them in.
    virtual bool CentreChildren(TRect& R) const = 0;
};
// The top that centres a control of AHeight in its parent, or ATop unchanged.
int CentredTop(const TControl* Control, int ATop, int AHeight);
// A blank picture of a control's size, white as a fresh bitmap.
