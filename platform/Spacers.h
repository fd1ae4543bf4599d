// The class library's splitter and bevel: two windowless controls. A
// splitter resizes the control aligned to the same side just before it; a
// bevel draws a 3-D box, frame or line.
#pragma once

#include "platform/Control.h"

#include <QPointer>

#include <functional>

class TSplitter : public TGraphicControl {
    Q_OBJECT
public:
    explicit TSplitter(QObject* AOwner = nullptr);

    int MinSize() const { return FMinSize; }
    void SetMinSize(int v) { FMinSize = v < 1 ? 1 : v; }
    bool Beveled() const { return FBeveled; }
    void SetBeveled(bool v);
    // The control the next drag resizes (null when none touches the splitter).
    TControl* FindControl() const;

    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    // The plain look: Color, with a raised edge when Beveled.
    void PaintPlain(TCanvas& C);
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void UpdateCursor();
    // The largest size the neighbour may take: the rest of the parent's
    // client less the other aligned controls and MinSize for the far side.
    int MaxNeighbourSize() const;

    int FMinSize = 30;
    bool FBeveled = false;
    QPointer<TControl> FControl;
    int FDownPos = 0;  // parent coordinate along the drag axis at the press
    int FOldSize = 0;
};

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
    Q_OBJECT
public:
    explicit TBevel(QObject* AOwner = nullptr);

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape v);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle v);

protected:
    void Paint() override;

private:
    TBevelShape FShape = TBevelShape::bsBox;
    TBevelStyle FStyle = TBevelStyle::bsLowered;
};

// The bevel's drawing in two colours (Light and Dark as the style turns them).
void PaintBevelShape(TCanvas& C, int W, int H, TBevelShape Shape, TBevelStyle Style, TColor Light, TColor Dark);
