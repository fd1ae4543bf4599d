// TqvEffectBmp: the 24-bit working picture of transitions and colour effects
// (QImage::Format_BGR888: bytes blue, green, red; rows 4-byte aligned).
// A morphing object keeps its two looks in two of these and moves the first
// towards the second as its timer runs.
#pragma once

#include <QImage>

#include <cstdint>

class QPainter;
class TCanvas;

struct TqvBGR {
    std::uint8_t B = 0, G = 0, R = 0;
    constexpr bool operator==(const TqvBGR&) const = default;
};

class TqvEffectBmp {
public:
    // A blank (all zero) cx x cy picture.
    TqvEffectBmp(int cx, int cy);
    // A copy of a picture.
    explicit TqvEffectBmp(const QImage& Source);
    static TqvEffectBmp CreateFromhWnd(const QImage& Source) { return TqvEffectBmp(Source); }

    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    int Size() const { return static_cast<int>(FImage.sizeInBytes()); }
    int RowStride() const { return static_cast<int>(FImage.bytesPerLine()); }
    std::uint8_t* Bits() { return FImage.bits(); }
    const QImage& Image() const { return FImage; }

    void Draw(QPainter& Painter, int x, int y) const;
    void Draw(QImage& Target, int x, int y) const;
    void Draw(TCanvas& Canvas, int x, int y) const;

    // Transitions towards BMP by Kf in 0..1; nothing when BMP's size differs.
    void Morph(const TqvEffectBmp& BMP, double Kf);
    void MorphGrad(const TqvEffectBmp& BMP, double Kf);
    void MorphHGrad(const TqvEffectBmp& BMP, double Kf);
    void MorphVGrad(const TqvEffectBmp& BMP, double Kf);
    void MorphLeftGrad(const TqvEffectBmp& BMP, double Kf);
    void MorphRightGrad(const TqvEffectBmp& BMP, double Kf);
    void MorphLeftSlide(const TqvEffectBmp& BMP, double Kf);
    void MorphRightSlide(const TqvEffectBmp& BMP, double Kf);
    void MorphPush(const TqvEffectBmp& BMP, double Kf);

    void ChangeBrightness(double Kf);
    void ChangeDarkness(double Kf);
    void Invert();
    void GrayScale();
    void SplitBlur(int Amount);
    void AddMonoNoise(int Amount);

    // Into a second picture of the right size (Height x Width for the
    // rotations, the same size for the flip); nothing when it is not.
    void Rotate90_1(TqvEffectBmp& Dst) const;  // a quarter turn counter-clockwise
    void Rotate90_2(TqvEffectBmp& Dst) const;  // a quarter turn clockwise
    void FlipVert(TqvEffectBmp& Dst) const;

    void GetScanLine(int y, void* Line) const;
    void SetLine(int y, const void* Line);
    std::uint8_t* LineAddress(int y) { return FImage.scanLine(y); }
    TqvBGR ReadPixel(int x, int y) const;
    void WritePixel(int x, int y, TqvBGR Color);

private:
    bool SameSize(const TqvEffectBmp& o) const { return o.Width() == Width() && o.Height() == Height(); }
    QImage FImage;
};
