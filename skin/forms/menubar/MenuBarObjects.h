// The light objects a skinned menu bar lays out, hit-tests and draws: one
// per top-level menu item. They are not widgets: the bar hands them its
// canvas and its mouse calls, and they call back the bar for redraws,
// timers and the drop-downs.
#pragma once

#include "platform/Canvas.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/SkinTypes.h"

#include <QImage>
#include <QPointer>

class TqvSkinMainMenuBar;
class TMenuItem;

class TqvMenuBarObject {
public:
    // AData: the skin object of the item (nullptr: the built-in look). The
    // record is only read.
    TqvMenuBarObject(TqvSkinMainMenuBar* AParent, const TqvDataSkinObject* AData);
    virtual ~TqvMenuBarObject() = default;
    TqvMenuBarObject(const TqvMenuBarObject&) = delete;
    TqvMenuBarObject& operator=(const TqvMenuBarObject&) = delete;

    virtual void ReDraw();
    virtual void Draw(TCanvas& Cnvs) { (void)Cnvs; }
    virtual void MouseDown(int X, int Y, Qt::MouseButton Button) { (void)X, (void)Y, (void)Button; }
    virtual void MouseUp(int X, int Y, Qt::MouseButton Button) { (void)X, (void)Y, (void)Button; }
    virtual void DblClick() {}
    virtual void MouseEnter();
    virtual void MouseLeave();
    // A morph step would change the picture.
    virtual bool CanMorphing() const;

    bool EnableMorphing() const;
    void DoMorphing();
    double MorphKf() const { return FMorphKf; }
    // Kept on whole steps: five steps of 0.2 must land on 0 and 1 exactly.
    void SetMorphKf(double v);

    TqvSkinMainMenuBar* Parent;
    bool FMouseIn = false;
    QImage Picture;  // null: the built-in look
    bool FDown = false;
    QString IDName;
    TRect SkinRect{}, ActiveSkinRect{}, DownRect{}, ObjectRect{};
    bool Active = false;
    bool Enabled = true;
    bool Visible = true;
    bool Morphing = false;
    TqvMorphKind MorphKind = mkDefault;

protected:
    double FMorphKf = 0;
};

// One of the four buttons of a maximized MDI child on the bar: its system
// menu, close, restore (cmMaximize) and minimize. They act on the main
// form's first maximized child.
class TqvSkinMainMenuBarButton : public TqvMenuBarObject {
public:
    // AData: the skin's button object (nullptr: the built-in look, and the
    // bar's Command).
    TqvSkinMainMenuBarButton(TqvSkinMainMenuBar* AParent, const TqvDataSkinObject* AData, TqvStdCommand ACommand);

    void Draw(TCanvas& Cnvs) override;
    void MouseDown(int X, int Y, Qt::MouseButton Button) override;
    void MouseUp(int X, int Y, Qt::MouseButton Button) override;
    void DblClick() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DefaultDraw(TCanvas& Cnvs);
    // Runs the command on the maximized child; may free this button (the
    // bar drops its buttons when no child stays maximized).
    void DoCommand();

    bool FSkinSupport = false;
    TqvStdCommand Command = cmClose;
};

class TqvSkinMainMenuBarItem : public TqvMenuBarObject {
public:
    TqvSkinMainMenuBarItem(TqvSkinMainMenuBar* AParent, const TqvDataSkinObject* AData);

    void ReDraw() override;
    void Draw(TCanvas& Cnvs) override;
    void MouseDown(int X, int Y, Qt::MouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    bool EnableAnimation() const;
    // Lays the item out after the one before it and notes whether it fits.
    void Fit(TCanvas& Cnvs);
    void DefaultDraw(TCanvas& Cnvs);
    void LeaveOtherActiveItem();
    // Releases another pressed item; true when there was one.
    bool CloseOtherDownItem();
    void SetDown(bool Value);
    void PopupSubMenu();
    // The caption's font on Cnvs (skin record or the bar's DefItemFont).
    void SetItemFont(TCanvas& Cnvs) const;

    bool FSkinSupport = false;
    bool OldEnabled = true;
    QPointer<TMenuItem> MenuItem;
    QString FontName = QStringLiteral("Arial");
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor UnEnabledFontColor = 0, FontColor = 0, ActiveFontColor = 0, DownFontColor = 0;
    TRect TextRct{};
    int LO = 0, RO = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect{};
    int FrameCount = 0;
    int AnimateInterval = 25;
    int CurrentFrame = 0;
    bool InActiveAnimation = false;

private:
    // The item picture cut from Source in the hot or normal style, caption drawn.
    QImage ItemImage(TCanvas& Bar, const TRect& Source, bool Hot);
    TRect FrameRect(int Frame) const;
};
