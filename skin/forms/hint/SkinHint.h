// Skinned hints: the hint window drawn from the skin's [HINTWINDOW] record
// (a bold title and an image beside the text for skinned controls that carry
// them), the hint component that places it on a form, and the application's
// hint machinery that shows it for every control after our own delays.
#pragma once

#include "platform/Application.h"
#include "platform/Canvas.h"
#include "platform/Component.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/ImgList.h"
#include "skin/model/SkinData.h"

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <algorithm>
#include <memory>

class TqvSkinHint;

// The hint window's geometry at its size: the picture's client rectangle and
// corner points stretched to W x H.
struct TqvHintGeometry {
    int W = 0, H = 0;
    TRect NewClRect{};
    TPoint NewLTPoint{}, NewRTPoint{}, NewLBPoint{}, NewRBPoint{};
    bool operator==(const TqvHintGeometry&) const = default;
};

// Where the parts of a hint with title and image go, in window coordinates.
struct TqvHintExLayout {
    TRect TitleRect{};      // empty without a title
    TPoint ImagePos{};      // meaningful with HasImage only
    bool HasImage = false;
    TRect TextRect{};
};

// Every Separator becomes a line feed and a carriage return, the search going
// on after them.
QString PrepareHintText(const QString& Hint, const QString& Separator);
// The line-feed-carriage-return pair counts as one line break.
QString HintDisplayText(const QString& Caption);
// The text's size as DrawText measures it (several lines).
TSize MeasureHintText(TCanvas& Canvas, const QString& Caption);
// The skinned size: border additions for the picture of PW x PH, then the
// corrections that keep the corner points in order, then the stretched points.
TqvHintGeometry StretchHintGeometry(const TqvDataSkinHintWindow& R, int PW, int PH, int W, int H);
// A plain box: only the size.
inline TqvHintGeometry PlainHintGeometry(int W, int H) { return {W, H, Rect(2, 2, W - 2, H - 2), {}, {}, {}, {}}; }
// Moves R left by its width + 2 or up by its height + 2 where it leaves Area.
TRect KeepHintOnScreen(TRect R, const TRect& Area);
// The cursor's height below its hot spot (X offers no cursor image to read).
int HintCursorHeightMargin();

class TqvSkinHintWindow : public QWidget {
public:
    TqvSkinHintWindow();
    ~TqvSkinHintWindow() override;

    // Only the left and top of Rect are used; the size is computed here.
    void ActivateHint(const TRect& Rect, const QString& AHint);
    void ActivateHintEx(const TRect& Rect, const QString& AHintTitle, const QString& AHint, int AImageIndex,
                        TCustomImageList* AImageList);
    void ActivateHintFromRect(const TRect& ARect, const QString& AHint, bool ATop);
    void HideHintWindow();

    // The picture at the current size (what paintEvent presents).
    QImage BuildImage() const;

    // The settings source found at the last activation (nullptr: none).
    TqvSkinHint* SpHint() const { return FspHint.data(); }
    // The skin used for the shown hint (nullptr: the default look).
    TqvSkinData* SkinData() const { return FSD.data(); }
    bool ExtendedStyle() const { return AExtendedStyle; }
    QString HintCaption() const { return FCaption; }
    const TqvHintGeometry& Geometry() const { return FGeometry; }
    // The hint with title and image as laid out for painting.
    TqvHintExLayout ExLayout() const;
    // The fade-in's current alpha and whether it still runs.
    int Alpha() const { return FAlpha; }
    bool Fading() const { return FFadeTimer.Enabled(); }

    // The first active hint component of the application's main form.
    static TqvSkinHint* FindSpHint();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    // Skin and canvas font of the shown hint.
    void Prepare();
    void Measure(const QString& AHint);
    void SetupCanvasFont(TCanvas& Canvas) const;
    TqvHintGeometry CalcHintSize(TCanvas& Canvas) const;
    TqvHintGeometry CalcHintSizeEx(TCanvas& Canvas) const;
    void ShowAt(int Left, int Top);
    void FadeStep();
    const QImage* SkinPicture() const;
    void PaintPlain(QImage& B) const;
    void PaintEx(QImage& B) const;
    void PaintBackground(QImage& B, TCanvas& C) const;

    TqvHintGeometry FGeometry;
    QPointer<TqvSkinHint> FspHint;
    QPointer<TqvSkinData> FSD;
    QString FCaption;
    // Title and image of the shown hint (a hint with title and image).
    QString FTitle;
    int FImageIndex = 0;
    QPointer<TCustomImageList> FImageList;
    bool FOldAlphaBlend = false;
    int FOldAlphaBlendValue = 255;
    bool AExtendedStyle = false;
    int FAlpha = 255;
    int FAlphaTarget = 255;
    TTimer FFadeTimer;
};

class TqvSkinHint : public TComponent {
    Q_OBJECT
public:
    explicit TqvSkinHint(QObject* AOwner = nullptr);
    ~TqvSkinHint() override;

    bool Active() const { return FActive; }
    // Switching one on switches every other active one on the main form off.
    void SetActive(bool Value);
    TqvSkinData* SkinData() const { return FSD.data(); }
    void SetSkinData(TqvSkinData* Value) { FSD = Value; }
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool v) { FAlphaBlend = v; }
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(int v) { FAlphaBlendValue = std::clamp(v, 0, 255); }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool v) { FAlphaBlendAnimation = v; }
    const TFont& DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(const TFont& v) { FDefaultFont.Assign(v); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool v) { FUseSkinFont = v; }
    QString LineSeparator() const { return FLineSeparator; }
    void SetLineSeparator(const QString& v) { FLineSeparator = v; }

    // Timed hints at the cursor (after the application's HintPause, hidden
    // after HintHidePause), or centred above or below a rectangle.
    void ActivateHint2(const QString& AHint);
    void ActivateHintEx2(const QString& AHintTitle, const QString& AHint, TCustomImageList* AImageList,
                         int AImageIndex);
    void ActivateHint3(const TRect& AFromRect, const QString& AHint, bool ATop);
    // At once, at a screen point.
    void ActivateHint(TPoint P, const QString& AHint);
    void ActivateHintEx(TPoint P, const QString& AHintTitle, const QString& AHint, int AImageIndex,
                        TCustomImageList* AImageList);
    void HideHint();
    bool IsVisible() const;
    int GetCursorHeightMargin() const { return HintCursorHeightMargin(); }

    // The application's OnShowHint while this component is the last one
    // activated: takes title and image of skinned controls.
    void ShowHintHook(QString& HintStr, bool& CanShow, THintInfo& HintInfo);

    // What the hint window reads of the hint being shown.
    QString HintTitle() const { return FHintTitle; }
    int HintImageIndex() const { return FHintImageIndex; }
    TCustomImageList* HintImageList() const { return FHintImageList.data(); }
    TqvSkinHintWindow* HintWindow() const { return HW.get(); }
    bool TimerActive() const { return HintTimer.Enabled(); }

    TShowHintEvent OnShowHint;

private:
    enum TTimedKind { tkPlain, tkEx, tkFromRect };
    void StartTimed(TTimedKind Kind);
    void HintTimerTick();
    void InstallShowHintHook();
    void ClearTitleAndImage();

    bool FActive = true;
    QPointer<TqvSkinData> FSD;
    std::unique_ptr<TqvSkinHintWindow> HW;
    bool FAlphaBlend = false;
    int FAlphaBlendValue = 255;
    bool FAlphaBlendAnimation = false;
    TFont FDefaultFont;
    bool FUseSkinFont = true;
    // One timer reused for every timed hint: freeing it inside its own tick
    // would pull the handler from under itself.
    TTimer HintTimer;
    bool FTimerShown = false;  // the timer waits to hide rather than to show
    TTimedKind FTimedKind = tkPlain;
    QString HintText;
    QString FLineSeparator = QStringLiteral("@");
    TRect FromRect{};
    bool Top = false;
    QString FHintTitle;
    int FHintImageIndex = 0;
    QPointer<TCustomImageList> FHintImageList;
};
