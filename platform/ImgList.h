// Image lists: equal-sized pictures kept as 32-bit images with straight
// alpha, drawn blended, or greyed in the class library's embossed style.
#pragma once

#include "platform/Canvas.h"
#include "platform/Component.h"

#include <QList>

class TCustomImageList : public TComponent {
    Q_OBJECT
public:
    explicit TCustomImageList(QObject* AOwner = nullptr);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the size empties the list, as the system list does.
    void SetSize(int width, int height);
    void SetWidth(int w) { SetSize(w, FHeight); }
    void SetHeight(int h) { SetSize(FWidth, h); }
    int Count() const { return int(FImages.size()); }

    // A picture wider than Width adds one image per Width-wide strip; pixels
    // where the mask is white become transparent. Answers the first index.
    int Add(const QImage& image, const QImage& mask = QImage());
    // Pixels of maskColor become transparent (clDefault: the bottom-left pixel's colour).
    int AddMasked(const QImage& image, TColor maskColor);
    void Insert(int index, const QImage& image);
    void Replace(int index, const QImage& image);
    void Delete(int index);
    void Clear();

    // The image at index (Format_ARGB32); a null image when out of range.
    QImage Image(int index) const;
    // False when index is out of range.
    bool GetBitmap(int index, TBitmap& bitmap) const;
    // Blended onto the canvas; disabled draws the shape in clBtnHighlight one
    // pixel down-right, then in clBtnShadow. Out-of-range indexes draw nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

    TNotifyEvent OnChange;

private:
    QImage Fit(const QImage& image) const;
    void Changed();

    int FWidth = 16;
    int FHeight = 16;
    QList<QImage> FImages;
};

class TImageList : public TCustomImageList {
    Q_OBJECT
public:
    using TCustomImageList::TCustomImageList;
};
