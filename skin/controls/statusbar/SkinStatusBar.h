// Three small skinned panels: a panel whose owner paints its client area, a
// group box, and the status bar with a size grip that answers the form's
// hit test (the form does the resizing).
#pragma once

#include "skin/controls/panels/SkinPanel.h"

#include <functional>

using TqvPaintPanelEvent = std::function<void(TCanvas& Cnvs, TRect R)>;

class TqvSkinPaintPanel : public TqvSkinPanel {
    Q_OBJECT
public:
    explicit TqvSkinPaintPanel(QObject* AOwner = nullptr);

    // Gets the finished panel picture's canvas and the skin client rectangle.
    TqvPaintPanelEvent OnPanelPaint;

protected:
    void PaintImage(QImage& B) override;
    void DoPanelPaint(TCanvas& C) override;

private:
    bool FPainted = false;
};

class TqvSkinGroupBox : public TqvSkinPanel {
    Q_OBJECT
public:
    explicit TqvSkinGroupBox(QObject* AOwner = nullptr);
    void GetSkinData() override;
};

class TqvSkinStatusBar : public TqvSkinPanel {
    Q_OBJECT
public:
    explicit TqvSkinStatusBar(QObject* AOwner = nullptr);

    // The hit-test answers (the window system's numbers).
    static constexpr int HTCLIENT = 1;
    static constexpr int HTBOTTOMRIGHT = 17;

    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool v);
    // Cleared by the skinned form while it is maximized.
    bool ShowGrip() const { return FShowGrip; }
    void SetShowGrip(bool v);
    bool GripShown() const { return FSizeGrip && FShowGrip; }

    void GetSkinData() override;
    // Also hands the model to every skinned windowed child.
    void SetSkinData(TqvSkinData* Value) override;
    void AdjustClientRect(TRect& rect) override;
    // The grip in control coordinates (meaningful while it is shown).
    TRect GripRect();
    // HTBOTTOMRIGHT inside the shown grip (right and bottom edges too), else HTCLIENT.
    int HitTest(int X, int Y);

protected:
    void PaintImage(QImage& B) override;

private:
    bool HasGripperPicture() const;
    void Changed();

    bool FSizeGrip = false;
    bool FShowGrip = true;
    TRect FGripperRect{};
    bool FGripperTransparent = false;
    TColor FGripperTransparentColor = 0;
};

// Diagonal grip lines 3 pixels apart in Rect's bottom-right triangle.
void DrawGripLines(const TRect& Rect, TCanvas& Canvas, TColor Light, TColor Shadow);
