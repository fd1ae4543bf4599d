// The frame objects a skinned form carries in its frame (caption, caption
// buttons, user objects, animations): each is built from one object record
// of the skin, draws its state image from the skin pictures into the frame,
// reacts to the mouse the component hands it and morphs between its normal
// and hover looks on the component's timer. The component places them
// (ObjectRect), finds the one under the mouse and owns them.
#pragma once

#include "platform/Types.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/SkinTypes.h"

#include <QImage>
#include <QString>

class QPainter;
class TqvVelmora;
class TqvLayerManager;
class TMenuItem;
class TqvEffectBmp;

// A moves towards B by Kf (0..1) with the transition Kind.
void MorphTowards(TqvEffectBmp& A, const TqvEffectBmp& B, double Kf, TqvMorphKind Kind);

// What the component needs to tell the kinds apart: the row layout places
// standard buttons and animations, the hit test asks the caption.
enum class TqvFrameObjectKind { User, Button, StdButton, Animate, Caption };

class TqvActiveSkinObject {
public:
    // AData may be nullptr (the skinless caption buttons, test objects).
    explicit TqvActiveSkinObject(TqvVelmora* AParent, const TqvDataSkinObject* AData = nullptr);
    virtual ~TqvActiveSkinObject() = default;
    TqvActiveSkinObject(const TqvActiveSkinObject&) = delete;
    TqvActiveSkinObject& operator=(const TqvActiveSkinObject&) = delete;

    virtual TqvFrameObjectKind Kind() const { return TqvFrameObjectKind::User; }
    bool IsCaption() const { return Kind() == TqvFrameObjectKind::Caption; }

    // X, Y relative to the object's top-left corner: a black pixel of the
    // active mask, or anywhere without a mask.
    virtual bool PtInMask(int X, int Y) const;
    virtual void ShowLayer();
    virtual void HideLayer();
    // The morph factor is still short of its target.
    virtual bool CanMorphing() const;
    // Draws the state image at ObjectRect (window coordinates) into p. UpDate
    // is false inside a frame paint, where the frame picture is already there.
    virtual void Draw(QPainter& p, bool UpDate);
    virtual void DblClick() {}
    virtual void MouseDown(int X, int Y, Qt::MouseButton Button);
    virtual void MouseUp(int X, int Y, Qt::MouseButton Button);
    virtual void MouseMove(int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual bool EnableMorphing() const;
    virtual bool EnableAnimation() const { return false; }

    void DoMorphing();
    // Morphs towards the new state on the timer, or redraws at once.
    void ReDraw();
    double MorphKf() const { return FMorphKf; }
    void SetMorphKf(double Value);
    bool MouseIn() const { return FMouseIn; }

    TqvVelmora* Parent;
    const QImage* Picture = nullptr;           // the skin's frame picture
    const QImage* ActivePicture = nullptr;     // active picture ActivePictureIndex
    const QImage* ActiveMaskPicture = nullptr; // active picture ActiveMaskPictureIndex
    QString IDName;
    QString Hint;
    // Normal image: in ActivePicture when SkinRectInAPicture, else in Picture.
    TRect SkinRect{};
    TRect ActiveSkinRect{};
    TRect InActiveSkinRect{};
    // Where the object is drawn, window coordinates (SkinRect until the form places it).
    TRect ObjectRect{};
    bool Active = false;
    bool Morphing = false;
    TqvMorphKind MorphKind = mkDefault;
    bool Enabled = true;
    bool Visible = true;
    bool SkinRectInAPicture = false;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetX = 0, GlowLayerOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;
    // Caption buttons and animations act on the form; cmDefault for the rest.
    TqvStdCommand Command = cmDefault;

    // Fields the component resets between states.
    double FMorphKf = 0;
    bool FMouseIn = false;

protected:
    bool HasSkin() const;
    bool FormActive() const;
    const QImage* NormalPicture() const { return SkinRectInAPicture ? ActivePicture : Picture; }
    // The glow window's manager: the caption buttons' one unless overridden.
    virtual TqvLayerManager* GlowManager() const;
    // The object's rectangle on the screen.
    TRect ScreenRect() const;
    void DrawSkinObject();
    void CopyInto(QPainter& p, const QImage* Pic, const TRect& Src) const;
    // From (PicA, A) towards (PicB, B) by MorphKf with MorphKind, at ObjectRect.
    void DrawMorph(QPainter& p, const QImage* PicA, const TRect& A, const QImage* PicB, const TRect& B) const;
};

// Drawn by the application through the component's OnPaintEvent.
class TqvUserObject : public TqvActiveSkinObject {
public:
    using TqvActiveSkinObject::TqvActiveSkinObject;
    void Draw(QPainter& p, bool UpDate) override;
};

class TqvSkinButtonObject : public TqvActiveSkinObject {
public:
    TqvSkinButtonObject(TqvVelmora* AParent, const TqvDataSkinObject* AData);
    TqvFrameObjectKind Kind() const override { return TqvFrameObjectKind::Button; }

    bool CanMorphing() const override;
    void Draw(QPainter& p, bool UpDate) override;
    void MouseDown(int X, int Y, Qt::MouseButton Button) override;
    void MouseUp(int X, int Y, Qt::MouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    bool Down() const { return FDown; }
    void SetDown(bool Value);
    // Opens the linked menu beside the button; false when nothing opened.
    bool PopupLinkedMenu();
    bool HasLinkedMenu() const;

    TRect DownRect{};
    TRect DisableSkinRect{};
    TMenuItem* MenuItem = nullptr;
    bool FPopupUp = false;
    bool FDown = false;

protected:
    TqvLayerManager* GlowManager() const override;
};
