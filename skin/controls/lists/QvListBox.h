// The list inside the skinned list box: the platform's list box without
// frame or native bars, every item drawn by its owner's painters (a skin
// item picture, or system colours), its mouse, key and focus events handed to
// the owner's hooks first, and a sideways pixel offset under the owner's
// horizontal bar.
#pragma once

#include "platform/StdCtrls.h"

#include <QPointer>

class QStyleOptionViewItem;
class QPainter;
class TqvSkinCustomListBox;
class TqvListBoxDelegate;

class TqvListBox : public TListBox {
    Q_OBJECT
public:
    explicit TqvListBox(QObject* AOwner = nullptr);
    ~TqvListBox() override;

    // Set once by the owner right after creation.
    TqvSkinCustomListBox* SkinListBox() const { return FSkinListBox; }
    void SetSkinListBox(TqvSkinCustomListBox* v) { FSkinListBox = v; }

    int HorizontalExtentValue() const { return FHorizontalExtentValue; }
    void SetHorizontalExtentValue(int v);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int v);
    int Columns() const { return FColumns; }
    void SetColumns(int v);

    // The native scroll state read from the hidden bars (rows for one
    // column, columns for several): Max = Qt's maximum + page step - 1.
    void GetVertRange(int& AMin, int& AMax, int& APos);
    void GetHorzRange(int& AMin, int& AMax, int& APos);
    // Scroll to a row (one column) or column (several); whole values, no
    // 16-bit limit.
    void ScrollVertTo(int Pos);
    void ScrollHorzTo(int Pos);
    // One line, as the native list's line-down/up.
    void ScrollLine(int Delta);

    // The first item whose string begins with S (case-insensitive) after
    // Start, wrapping to the top; -1 = none. Start -1 searches from the top.
    int FindString(const QString& S, int Start) const;
    int ItemAtPos(QPoint Pos, bool Existing) const;
    TRect ItemRect(int Item) const;
    bool ItemSelectedState(int Index) const;
    bool ItemFocusedState(int Index) const;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Click() override;

    // Paints one item for the delegate (also what the tests call).
    void PaintItem(QPainter& P, const QRect& R, int Index);
    // The background: the owner's tiled client picture or clWindow.
    void PaintBackground(QPainter& P, const QRect& R);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool HookEvent(QObject* watched, QEvent* e);

    TqvSkinCustomListBox* FSkinListBox = nullptr;
    TqvListBoxDelegate* FDelegate;
    int FHorizontalExtentValue = 0;
    int FItemHeight = 20;
    int FColumns = 0;
    bool FReentry = false;
};
