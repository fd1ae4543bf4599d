// The images menu's grid window: a frameless tool window that never takes
// the activation or the focus. While it is open its own application event
// filter takes the keys (arrows, Enter, Space, Escape) and closes the grid
// on a click outside it, a right or middle press, an Alt chord, or its form
// moving, resizing or losing the activation; it removes that filter itself
// on every way out.
#pragma once

#include "platform/ExtCtrls.h"
#include "platform/Types.h"

#include <QPointer>
#include <QWidget>

class TqvSkinImagesMenu;
class TqvSkinHint;

class TqvSkinImagesMenuPopupWindow : public QWidget {
    Q_OBJECT
public:
    TqvSkinImagesMenuPopupWindow(QWidget* Form, TqvSkinImagesMenu* Menu);
    ~TqvSkinImagesMenuPopupWindow() override;

    void ShowGrid(const TRect& PopupRect, const TRect& WorkArea);
    // Hides at once and hands over to the menu (AProcessEvents: a choice was made).
    void HideGrid(bool AProcessEvents);
    void GridKeyDown(int Key);
    void TrackMouse(int X, int Y);

    int MouseInItem = -1;
    bool FDown = false;
    bool FItemDown = false;
    // The grid's alpha now (255: opaque) and whether its fade still runs.
    int Alpha() const { return FAlpha; }
    bool Fading() const { return FFadeTimer->Enabled(); }

protected:
    bool eventFilter(QObject* Watched, QEvent* E) override;
    void paintEvent(QPaintEvent* E) override;
    void mouseMoveEvent(QMouseEvent* E) override;
    void mousePressEvent(QMouseEvent* E) override;
    void mouseReleaseEvent(QMouseEvent* E) override;
    void leaveEvent(QEvent* E) override;

private:
    void Hook(bool On);
    void FadeStep();
    // The menu's hint component, when item hints are on.
    TqvSkinHint* ItemHints() const;
    void HideItemHint();

    QPointer<TqvSkinImagesMenu> FMenu;
    QPointer<QWidget> FForm;
    bool FHooked = false;
    bool FClosing = false;
    TTimer* FFadeTimer;
    int FAlpha = 255;
};
