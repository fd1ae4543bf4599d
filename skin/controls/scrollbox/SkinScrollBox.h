// A scrolling container moved by two external skinned scroll bars. The skin
// frame is a margin around an inner client widget that holds the children
// and draws the background; the bars show only while the content overflows.
#pragma once

#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/base/SkinControl.h"
#include "skin/controls/panels/SkinPanel.h"

#include <QPointer>

class TqvSkinScrollBox;

// The client area: children live here; it paints the box's background.
class TqvScrollBoxClient : public QWidget {
    Q_OBJECT
public:
    explicit TqvScrollBoxClient(TqvSkinScrollBox* box);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    TqvSkinScrollBox* FBox;
};

class TqvSkinScrollBox : public TqvSkinCustomControl {
    Q_OBJECT
public:
    explicit TqvSkinScrollBox(QObject* AOwner = nullptr);

    QWidget* ClientWidget() override { return FClient; }
    TRect ClientRect() const override;
    void AdjustClientRect(TRect& rect) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void GetSkinData() override;
    void ChangeSkinData() override;

    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool v);
    TqvSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TqvSkinBorderStyle v);
    // Not owned; cleared when freed. Attaching one takes over its OnChange
    // and OnLastChange and hides it until the content overflows.
    TqvSkinScrollBar* VScrollBar() const { return FVScrollBar.data(); }
    void SetVScrollBar(TqvSkinScrollBar* v);
    TqvSkinScrollBar* HScrollBar() const { return FHScrollBar.data(); }
    void SetHScrollBar(TqvSkinScrollBar* v);

    // Scroll to a position through the bar, whose change moves the children.
    void VScroll(int APosition);
    void HScroll(int APosition);
    void GetVRange();
    void GetHRange();
    void UpDateScrollRange();

    // The frame margins (left, top, right, bottom).
    TRect FrameSize();
    // The client background as the client widget shows it.
    QImage BuildClientImage();

protected:
    void PaintImage(QImage& B) override;
    void VisibleChanged() override;
    void mousePressEvent(QMouseEvent* e) override;
    // Answers the outside requests to paint the frame into a picture.
    void WndProc(TMessage& message) override;

private:
    // The frame at the box's size, drawn from (0, 0) of B.
    void PaintFrame(QImage& B);
    // PaintFrame into the picture in wParam when the box has a frame there; false otherwise.
    bool PaintFrameInto(WPARAM dc);
    void PlaceClient();
    void TakeOver(TqvSkinScrollBar* bar, bool vertical);
    void ScrollVertBy(int D);
    void ScrollHorzBy(int D);
    void ScrollChildren(int dx, int dy);
    void GetRange(bool vertical);
    void ShowBar(TqvSkinScrollBar* bar, bool show);

    TqvScrollBoxClient* FClient;
    bool FCanFocused = false;
    bool FInCheckScrollBars = false;
    QPointer<TqvSkinScrollBar> FVScrollBar, FHScrollBar;
    int FOldVScrollBarPos = 0, FOldHScrollBarPos = 0;
    int FVSizeOffset = 0, FHSizeOffset = 0;
    TqvSkinBorderStyle FBorderStyle = bvFrame;
    int FBGPictureIndex = -1;
};
