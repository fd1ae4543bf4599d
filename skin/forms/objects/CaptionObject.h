// The caption object: the form's caption text in the skinned caption bar
// over its background, with text effects, an activation animation, a morph
// between the inactive and active looks, and the quick buttons the
// application puts at the caption's left.
#pragma once

#include "platform/Component.h"
#include "skin/forms/objects/FrameObject.h"

#include <functional>
#include <memory>
#include <vector>

class TCanvas;
class TqvSkinCaptionObject;

using TqvQuickButtonClickEvent = std::function<void(TqvActiveSkinObject* Sender)>;

class TqvQuickButtonItems;

class TqvQuickButtonItem {
public:
    explicit TqvQuickButtonItem(TqvQuickButtonItems* Collection) : FCollection(Collection) {}
    // Copies image, hint, enabled and visible; the click handler stays.
    void Assign(const TqvQuickButtonItem& Source);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    QString Hint;
    TqvQuickButtonClickEvent OnClick;
    TRect ItemRect{};  // set at each draw
    bool Active = false, Down = false;

private:
    TqvQuickButtonItems* FCollection;
    int FImageIndex = -1;
    bool FEnabled = true, FVisible = true;
};

class TqvQuickButtonItems {
public:
    // Update repaints the frame of the owner's form (none: nothing).
    explicit TqvQuickButtonItems(std::function<void()> AUpdate = {}) : FUpdate(std::move(AUpdate)) {}
    TqvQuickButtonItem* Add();
    TqvQuickButtonItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    int Count() const { return int(FItems.size()); }
    TqvQuickButtonItem* GetItem(int Index) const { return FItems[std::size_t(Index)].get(); }
    void Update() const {
        if (FUpdate) FUpdate();
    }

private:
    std::vector<std::unique_ptr<TqvQuickButtonItem>> FItems;
    std::function<void()> FUpdate;
};

class TqvSkinCaptionObject : public TqvActiveSkinObject {
public:
    TqvSkinCaptionObject(TqvVelmora* AParent, const TqvDataSkinObject* AData);
    TqvFrameObjectKind Kind() const override { return TqvFrameObjectKind::Caption; }

    void Draw(QPainter& p, bool UpDate) override;
    bool EnableAnimation() const override;
    void MouseDown(int X, int Y, Qt::MouseButton Button) override;
    void MouseUp(int X, int Y, Qt::MouseButton Button) override;
    void MouseMove(int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void TrackQuickButtons(int X, int Y);
    // The text rectangle, relative to the object.
    TRect TextRect() const;
    // The text as drawn for state A: the form's caption (with a maximized MDI child's).
    QString CaptionText() const;
    // The background of S in P at the object's size, fixed ends kept.
    QImage BackgroundImage(const QImage* P, const TRect& S) const;
    TRect AnimateFrameRect(int N) const;

    int ActiveQuickButton = -1, OldActiveQuickButton = -1;
    QString FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0;
    TColor ShadowColor = 0, ActiveShadowColor = 0;
    bool Shadow = false;
    TColor LightColor = 0, ActiveLightColor = 0;
    bool Light = false;
    TAlignment Alignment = taCenter;
    TRect TextRct{};
    TRect FrameRect{}, ActiveFrameRect{};
    int FrameLeftOffset = 0, FrameRightOffset = 0;
    TRect FrameTextRect{};
    bool StretchEffect = false;
    bool FullFrame = false;
    int FIncTime = 0;
    TRect AnimateSkinRect{};
    int FrameCount = 0;
    int AnimateInterval = 25;
    int CurrentFrame = 0;
    bool InActiveAnimation = false;
    bool VistaGlowEffect = false, VistaGlowInActiveEffect = false;
    bool GlowEffect = false, GlowInActiveEffect = false;
    int GlowSize = 3, GlowOffset = 0;
    TColor GlowColor = 0, GlowActiveColor = 0;
    bool ReflectionEffect = false;
    TColor ReflectionColor = 0, ReflectionActiveColor = 0;
    int ReflectionOffset = 0;

private:
    bool HasQuickButtons() const;
    void SetCaptionFont(TCanvas& C, bool A) const;
    // The caption text for state A onto C, origin (X0, Y0), inside T (relative).
    void DrawCaptionText(TCanvas& C, int X0, int Y0, bool A, const TRect& T) const;
    void DrawQuickButtons(QPainter& p);
    void RepaintFrame() const;
};
