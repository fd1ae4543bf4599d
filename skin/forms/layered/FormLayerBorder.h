// The layered border: a skin's frame picture with per-pixel alpha shown round
// a skinned form, outside its window, as four side windows that follow the
// form's bounds and activation and, where the skin marks a band, resize it.
#pragma once

#include "platform/Component.h"
#include "skin/controls/base/SkinTimer.h"
#include "skin/forms/layered/LayerGeometry.h"
#include "skin/model/draw/LayerManager.h"

#include <QPointer>

#include <array>
#include <memory>

class TForm;
class TqvSkinData;
class TqvVelmora;
class TqvFormLayerBorder;

// One side: never activated, transient for the form, stay-on-top only when
// the form is; the mouse passes through it unless the skin gives a band.
class TqvFormLayerWindow : public TqvLayerWindow {
public:
    TqvFormLayerWindow(TqvFormLayerBorder* ALayerBorder, TForm* AForm, TqvFormLayerBorderType ABorderType);

    TqvFormLayerBorderType BorderType;
    TqvFormLayerBorderHit HitMode() const { return FHitMode; }
    bool Down() const { return FDown; }
    // The zone under a screen point.
    TqvFormLayerBorderHit GetHitMode(QPoint P) const;
    // The form may be resized from its bands now.
    bool CanSize() const;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool FDown = false;
    QPointer<TForm> FForm;
    TqvFormLayerBorder* FLayerBorder;
    QPoint MousePos1, MousePos2;
    TqvFormLayerBorderHit FHitMode = qvflhNone;
};

class TqvFormLayerBorder : public TComponent {
public:
    explicit TqvFormLayerBorder(TqvVelmora* AOwner);
    ~TqvFormLayerBorder() override;

    TqvVelmora* QVF() const { return FQVF; }
    TForm* Form() const { return FForm; }

    // Takes the skin's layered frame (at every skin change; the border is hidden before).
    void InitFrame(TqvSkinData* ASkinData, TForm* AForm);
    bool HasFrame() const { return FData.has_value(); }
    const TqvDataSkinLayerFrame* Data() const { return FData ? &*FData : nullptr; }

    // On a frame rect in screen coordinates.
    void Show(int X, int Y, int AWidth, int AHeight);
    void Hide();
    void SetBounds(int X, int Y, int AWidth, int AHeight);
    // On the frame rect of the form's bounds (or the given ones).
    void ShowWithForm();
    void ShowWithFormAnimation();
    void SetBoundsWithForm();
    void SetBoundsWithForm2(int AW, int AH);
    void SetBoundsWithForm3(int ALeft, int ATop, int AW, int AH);
    void MoveWithForm();
    void MoveWithForm2(int ALeft, int ATop);

    void SetAlphaBlend();
    void SetAlphaBlend2();
    // Scales both alphas by the form's own while the form fades.
    void CheckFormAlpha(int AFormAlpha, bool AUpdate);
    void SetActive(bool AValue, bool AUpdate);
    bool Active() const { return FActive; }
    // The alpha the windows are shown with now.
    int CurrentAlpha() const { return FActive ? FCurrentAlphaBlendValue : FCurrentInActiveAlphaBlendValue; }
    // The four side images at their places, for a form picture drawn at (X, Y).
    void Draw(QImage& C, int X, int Y, int AWidth, int AHeight) const;

    bool Visible() const { return FVisible; }
    const TqvLayerBandSizes& Bands() const { return FBands; }
    QSize FrameSize() const { return QSize(FWidth, FHeight); }
    TqvFormLayerWindow* Window(TqvFormLayerBorderType Side) const { return FWindows[std::size_t(Side)].get(); }
    const TqvLayerSideImages& Images() const { return FImages; }
    bool AnimationRunning() const { return FAnimation.Active(); }

private:
    QRect FrameFor(const QRect& Form) const;
    void MakeBorderImages(int AWidth, int AHeight);
    void PlaceWindows(int X, int Y);
    void AnimationStep();

    TqvVelmora* FQVF;
    QPointer<TForm> FForm;
    bool FVisible = false;
    QPointer<TqvSkinData> FSD;
    std::optional<TqvDataSkinLayerFrame> FData;
    std::unique_ptr<TqvBitmap> FSourceBitmap, FSourceInActiveBitMap;
    TqvLayerSideImages FImages;
    std::array<std::unique_ptr<TqvFormLayerWindow>, 4> FWindows;
    int FWidth = 0, FHeight = 0;
    TqvLayerBandSizes FBands;
    bool FActive = true;
    int FCurrentAlphaBlendValue = -1;
    int FCurrentInActiveAlphaBlendValue = 0;
    // The fade-in of ShowWithFormAnimation: target and timer.
    int FAnimationTarget = 0;
    TqvSkinTimer FAnimation;
};
