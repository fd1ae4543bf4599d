// Skin records: one object per skinned-control look ([SKINCONTROLS]) and per
// form skin object ([SKINOBJECTS]), each reading and writing the ini section
// named after it, plus the fixed colour, popup-window, layer-frame and
// hint-window records. Records carry data only; keys keep their stored
// spelling, misspellings included, because skins on disk use them.
#pragma once

#include "skin/model/SkinRecordFields.h"

#include <memory>

// Base of every control record.
class TqvDataSkinControl {
public:
    using TRoot = TqvDataSkinControl;
    explicit TqvDataSkinControl(const QString& idName) : IDName(idName) {}
    virtual ~TqvDataSkinControl() = default;
    TqvDataSkinControl(const TqvDataSkinControl&) = delete;
    TqvDataSkinControl& operator=(const TqvDataSkinControl&) = delete;

    // Every key is read, present or not, so nothing survives from before.
    virtual void LoadFromFile(const TqvSkinIni& ini);
    // Erases the section first: a written section holds exactly the class's keys.
    virtual void SaveToFile(TqvSkinIni& ini);
    // Same class, same name and every field equal.
    virtual bool SameFields(const TqvDataSkinControl& other) const;
    static std::span<const TqvField<TqvDataSkinControl>> Fields();

    QString IDName;
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    TRect SkinRect{};
};

// Geometry of a resizable image: corner points and client rectangle relative
// to SkinRect, and how edges and client part are stretched.
class TqvDataSkinCustomControl : public TqvSkinRecord<TqvDataSkinCustomControl, TqvDataSkinControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinCustomControl>> Fields();

    TPoint LTPoint{};
    TPoint RTPoint{};
    TPoint LBPoint{};
    TPoint RBPoint{};
    TRect ClRect{};
    bool StretchEffect = false;
    TqvStretchType StretchType = qvstFull;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
};

// Base of every form skin-object record; rectangles are in picture coordinates.
class TqvDataSkinObject {
public:
    using TRoot = TqvDataSkinObject;
    explicit TqvDataSkinObject(const QString& idName) : IDName(idName) {}
    virtual ~TqvDataSkinObject() = default;
    TqvDataSkinObject(const TqvDataSkinObject&) = delete;
    TqvDataSkinObject& operator=(const TqvDataSkinObject&) = delete;

    virtual void LoadFromFile(const TqvSkinIni& ini);
    virtual void SaveToFile(TqvSkinIni& ini);
    virtual bool SameFields(const TqvDataSkinObject& other) const;
    static std::span<const TqvField<TqvDataSkinObject>> Fields();

    QString IDName;
    QString Hint;
    bool SkinRectInAPicture = false;
    TRect SkinRect{};
    TRect ActiveSkinRect{};
    int ActivePictureIndex = -1;
    int ActiveMaskPictureIndex = -1;
    TRect InActiveSkinRect{};
    bool Morphing = false;
    TqvMorphKind MorphKind = mkDefault;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetX = 0;
    int GlowLayerOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;
};

// A free-drawn area of the frame: only its place ("skinrect") is stored.
class TqvDataUserObject : public TqvDataSkinObject {
public:
    using TqvDataSkinObject::TqvDataSkinObject;
    void LoadFromFile(const TqvSkinIni& ini) override;
    void SaveToFile(TqvSkinIni& ini) override;
    bool SameFields(const TqvDataSkinObject& other) const override;
};

class TqvDataSkinMainMenuBar : public TqvSkinRecord<TqvDataSkinMainMenuBar, TqvDataSkinControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinMainMenuBar>> Fields();

    TRect ItemsRect{};
    QString MenuBarItem{};
    QString CloseButton{};
    QString MaxButton{};
    QString MinButton{};
    QString SysMenuButton{};
    int TrackMarkColor = 0;
    int TrackMarkActiveColor = 0;
    bool StretchEffect = false;
    bool ItemTransparent = false;
};

class TqvDataSkinTabControl : public TqvSkinRecord<TqvDataSkinTabControl, TqvDataSkinControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinTabControl>> Fields();

    TRect TabRect{};
    TRect ActiveTabRect{};
    TRect FocusTabRect{};
    TRect MouseInTabRect{};
    TRect ClRect{};
    TRect TabsBGRect{};
    TPoint LTPoint{};
    TPoint RTPoint{};
    TPoint LBPoint{};
    TPoint RBPoint{};
    int TabLeftOffset = 0;
    int TabRightOffset = 0;
    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TColor MouseInFontColor = 0;
    QString UpDown{};
    int BGPictureIndex = -1;
    bool TabStretchEffect = false;
    bool ShowFocus = false;
    int FocusOffsetX = 0;
    int FocusOffsetY = 0;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TqvStretchType StretchType = qvstFull;
    TRect CloseButtonRect{};
    TRect CloseButtonActiveRect{};
    TRect CloseButtonDownRect{};
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
};

class TqvDataSkinGridControl : public TqvSkinRecord<TqvDataSkinGridControl, TqvDataSkinControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinGridControl>> Fields();

    TRect FixedCellRect{};
    TRect SelectCellRect{};
    TRect FocusCellRect{};
    int FixedCellLeftOffset = 0;
    int FixedCellRightOffset = 0;
    TRect FixedCellTextRect{};
    int CellLeftOffset = 0;
    int CellRightOffset = 0;
    TRect CellTextRect{};
    TColor LinesColor = 0;
    TColor BGColor = 0;
    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor SelectFontColor = 0;
    TColor FocusFontColor = 0;
    QString FixedFontName = QStringLiteral("Arial");
    TFontStyles FixedFontStyle = 0;
    int FixedFontHeight = 14;
    TColor FixedFontColor = 0;
    bool FixedCellStretchEffect = false;
    bool CellStretchEffect = false;
    bool ShowFocus = false;
    int BGPictureIndex = -1;
};

class TqvDataSkinSlider : public TqvSkinRecord<TqvDataSkinSlider, TqvDataSkinControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinSlider>> Fields();

    TRect HRulerRect{};
    TRect HThumbRect{};
    TRect VRulerRect{};
    TRect VThumbRect{};
    int EdgeSize = 0;
    TColor BGColor = 0;
    TColor PointsColor = 0;
};

class TqvDataSkinBevel : public TqvSkinRecord<TqvDataSkinBevel, TqvDataSkinControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinBevel>> Fields();

    TColor LightColor = 0;
    TColor DarkColor = 0;
};

class TqvDataSkinTreeView : public TqvSkinRecord<TqvDataSkinTreeView, TqvDataSkinControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinTreeView>> Fields();

    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor BGColor = 0;
};

class TqvDataSkinListView : public TqvSkinRecord<TqvDataSkinListView, TqvDataSkinControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinListView>> Fields();

    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor BGColor = 0;
};

class TqvDataSkinRichEdit : public TqvSkinRecord<TqvDataSkinRichEdit, TqvDataSkinControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinRichEdit>> Fields();

    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor BGColor = 0;
};

class TqvDataSkinStdLabelControl : public TqvSkinRecord<TqvDataSkinStdLabelControl, TqvDataSkinControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinStdLabelControl>> Fields();

    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor ActiveFontColor = 16711680;
};

// Its geometry is fixed: corner points and client rectangle are always zero.
class TqvDataSkinUpDownControl : public TqvSkinRecord<TqvDataSkinUpDownControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    void LoadFromFile(const TqvSkinIni& ini) override;
    void SaveToFile(TqvSkinIni& ini) override;
    static std::span<const TqvField<TqvDataSkinUpDownControl>> Fields();

    TRect UpButtonRect{};
    TRect ActiveUpButtonRect{};
    TRect DownUpButtonRect{};
    TRect DownButtonRect{};
    TRect ActiveDownButtonRect{};
    TRect DownDownButtonRect{};
};

class TqvDataSkinListBox : public TqvSkinRecord<TqvDataSkinListBox, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinListBox>> Fields();

    TRect SItemRect{};
    TRect ActiveItemRect{};
    TRect FocusItemRect{};
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect{};
    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TRect CaptionRect{};
    QString CaptionFontName = QStringLiteral("Arial");
    TFontStyles CaptionFontStyle = 0;
    int CaptionFontHeight = 14;
    TColor CaptionFontColor = 0;
    TRect UpButtonRect{};
    TRect ActiveUpButtonRect{};
    TRect DownUpButtonRect{};
    TRect DownButtonRect{};
    TRect ActiveDownButtonRect{};
    TRect DownDownButtonRect{};
    TRect CheckButtonRect{};
    TRect ActiveCheckButtonRect{};
    TRect DownCheckButtonRect{};
    QString HScrollBarName = QStringLiteral("hscrollbar");
    QString VScrollBarName = QStringLiteral("vscrollbar");
    QString BothScrollBarName = QStringLiteral("bothhscrollbar");
    bool ShowFocus = false;
    TRect DisabledButtonsRect{};
    TRect ButtonsArea{};
};

class TqvDataSkinCheckListBox : public TqvSkinRecord<TqvDataSkinCheckListBox, TqvDataSkinListBox> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinCheckListBox>> Fields();

    TRect UnCheckImageRect{};
    TRect CheckImageRect{};
    TRect ItemCheckRect{};
};

class TqvDataSkinComboBox : public TqvSkinRecord<TqvDataSkinComboBox, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinComboBox>> Fields();

    TRect SItemRect{};
    TRect ActiveItemRect{};
    TRect FocusItemRect{};
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect{};
    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor FocusFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect{};
    TRect ActiveButtonRect{};
    TRect DownButtonRect{};
    TRect UnEnabledButtonRect{};
    bool ItemStretchEffect = false;
    bool FocusItemStretchEffect = false;
    TRect ActiveSkinRect{};
    QString ListBoxName{};
    bool ShowFocus = false;
};

class TqvDataSkinControlBar : public TqvSkinRecord<TqvDataSkinControlBar, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinControlBar>> Fields();

    TRect ItemRect{};
    int BGPictureIndex = -1;
    TRect HGripRect{};
    TRect VGripRect{};
    int GripOffset1 = 0;
    int GripOffset2 = 0;
    bool ItemStretchEffect = false;
    int ItemOffset1 = 3;
    int ItemOffset2 = 3;
    bool ItemTransparent = false;
    TColor ItemTransparentColor = 0;
    bool GripTransparent = false;
    TColor GripTransparentColor = 0;
};

class TqvDataSkinScrollBarControl : public TqvSkinRecord<TqvDataSkinScrollBarControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinScrollBarControl>> Fields();

    TRect TrackArea{};
    TRect UpButtonRect{};
    TRect ActiveUpButtonRect{};
    TRect DownUpButtonRect{};
    TRect DownButtonRect{};
    TRect ActiveDownButtonRect{};
    TRect DownDownButtonRect{};
    TRect ThumbRect{};
    TRect ActiveThumbRect{};
    TRect DownThumbRect{};
    int ThumbOffset1 = 0;
    int ThumbOffset2 = 0;
    TRect GlyphRect{};
    TRect ActiveGlyphRect{};
    TRect DownGlyphRect{};
    bool GlyphTransparent = false;
    TColor GlyphTransparentColor = 0;
    bool ThumbTransparent = false;
    TColor ThumbTransparentColor = 0;
    bool ThumbStretchEffect = false;
    int ThumbMinSize = 0;
    int ThumbMinPageSize = 0;
};

class TqvDataSkinSpinEditControl : public TqvSkinRecord<TqvDataSkinSpinEditControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinSpinEditControl>> Fields();

    TRect ActiveSkinRect{};
    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DisabledFontColor = 0;
    TRect UpButtonRect{};
    TRect ActiveUpButtonRect{};
    TRect DownUpButtonRect{};
    TRect DownButtonRect{};
    TRect ActiveDownButtonRect{};
    TRect DownDownButtonRect{};
};

class TqvDataSkinEditControl : public TqvSkinRecord<TqvDataSkinEditControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinEditControl>> Fields();

    TRect ActiveSkinRect{};
    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor DisabledFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect{};
    TRect ActiveButtonRect{};
    TRect DownButtonRect{};
    TRect UnEnabledButtonRect{};
};

class TqvDataSkinMemoControl : public TqvSkinRecord<TqvDataSkinMemoControl, TqvDataSkinEditControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinMemoControl>> Fields();

    TColor BGColor = 0;
    TColor ActiveBGColor = 0;
};

class TqvDataSkinLabelControl : public TqvSkinRecord<TqvDataSkinLabelControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinLabelControl>> Fields();

    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
};

class TqvDataSkinSplitterControl : public TqvSkinRecord<TqvDataSkinSplitterControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinSplitterControl>> Fields();

    TRect GripperRect{};
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;
};

class TqvDataSkinGaugeControl : public TqvSkinRecord<TqvDataSkinGaugeControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinGaugeControl>> Fields();

    TRect ProgressArea{};
    TRect ProgressRect{};
    bool Vertical = false;
    int BeginOffset = 0;
    int EndOffset = 0;
    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    bool ProgressTransparent = false;
    TColor ProgressTransparentColor = 0;
    bool ProgressStretch = false;
    TRect AnimationSkinRect{};
    int AnimationCountFrames = 0;
    int AnimationTimerInterval = 0;
    TRect ProgressAnimationSkinRect{};
    int ProgressAnimationCountFrames = 0;
    int ProgressAnimationTimerInterval = 0;
    int AnimationBeginOffset = 0;
    int AnimationEndOffset = 0;
};

class TqvDataSkinTrackBarControl : public TqvSkinRecord<TqvDataSkinTrackBarControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinTrackBarControl>> Fields();

    TRect ActiveSkinRect{};
    TRect TrackArea{};
    TRect ButtonRect{};
    TRect ActiveButtonRect{};
    bool Vertical = false;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
};

class TqvDataSkinCheckRadioControl : public TqvSkinRecord<TqvDataSkinCheckRadioControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinCheckRadioControl>> Fields();

    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor UnEnabledFontColor = 0;
    TRect ActiveSkinRect{};
    TRect CheckImageArea{};
    TRect TextArea{};
    TRect CheckImageRect{};
    TRect UnCheckImageRect{};
    TRect ActiveCheckImageRect{};
    TRect ActiveUnCheckImageRect{};
    TRect UnEnabledCheckImageRect{};
    TRect UnEnabledUnCheckImageRect{};
    TRect GrayedCheckImageRect{};
    TRect ActiveGrayedCheckImageRect{};
    bool Morphing = false;
    TqvMorphKind MorphKind = mkDefault;
    TColor FrameFontColor = 0;
};

class TqvDataSkinScrollBoxControl : public TqvSkinRecord<TqvDataSkinScrollBoxControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinScrollBoxControl>> Fields();

    int BGPictureIndex = -1;
};

class TqvDataSkinPanelControl : public TqvSkinRecord<TqvDataSkinPanelControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinPanelControl>> Fields();

    TRect CaptionRect{};
    TAlignment Alignment = taCenter;
    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    int BGPictureIndex = -1;
    TRect CheckImageRect{};
    TRect UnCheckImageRect{};
    TRect MarkFrameRect{};
    TRect FrameRect{};
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect FrameTextRect{};
    TRect GripperRect{};
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;
};

class TqvDataSkinExPanelControl : public TqvSkinRecord<TqvDataSkinExPanelControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinExPanelControl>> Fields();

    TRect RollHSkinRect{};
    TRect RollVSkinRect{};
    int RollLeftOffset = 0;
    int RollRightOffset = 0;
    int RollTopOffset = 0;
    int RollBottomOffset = 0;
    TRect RollVCaptionRect{};
    TRect RollHCaptionRect{};
    TRect CloseButtonRect{};
    TRect CloseButtonActiveRect{};
    TRect CloseButtonDownRect{};
    TRect HRollButtonRect{};
    TRect HRollButtonActiveRect{};
    TRect HRollButtonDownRect{};
    TRect HRestoreButtonRect{};
    TRect HRestoreButtonActiveRect{};
    TRect HRestoreButtonDownRect{};
    TRect VRollButtonRect{};
    TRect VRollButtonActiveRect{};
    TRect VRollButtonDownRect{};
    TRect VRestoreButtonRect{};
    TRect VRestoreButtonActiveRect{};
    TRect VRestoreButtonDownRect{};
    TRect CaptionRect{};
    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    bool ButtonsTransparent = false;
    TColor ButtonsTransparentColor = 0;
};

class TqvDataSkinButtonControl : public TqvSkinRecord<TqvDataSkinButtonControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinButtonControl>> Fields();

    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor DisabledFontColor = 0;
    TRect ActiveSkinRect{};
    TRect DownSkinRect{};
    TRect DisabledSkinRect{};
    TRect FocusedSkinRect{};
    bool Morphing = false;
    TqvMorphKind MorphKind = mkDefault;
    TRect AnimateSkinRect{};
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool ShowFocus = false;
    TRect MenuMarkerFlatRect{};
    TRect MenuMarkerRect{};
    TRect MenuMarkerActiveRect{};
    TRect MenuMarkerDownRect{};
    TColor MenuMarkerTransparentColor = 0;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetLeft = 0;
    int GlowLayerOffsetRight = 0;
    int GlowLayerOffsetTop = 0;
    int GlowLayerOffsetBottom = 0;
    int GlowLayerShowOffsetX = 0;
    int GlowLayerShowOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;
};

class TqvDataSkinMenuButtonControl : public TqvSkinRecord<TqvDataSkinMenuButtonControl, TqvDataSkinButtonControl> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinMenuButtonControl>> Fields();

    TRect TrackButtonRect{};
};

class TqvDataSkinButton : public TqvSkinRecord<TqvDataSkinButton, TqvDataSkinObject> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinButton>> Fields();

    TRect DownRect{};
    TRect DisableSkinRect{};
};

// A Maximize/Minimize/Roll Up button without a restore hint gets "Restore".
class TqvDataSkinStdButton : public TqvSkinRecord<TqvDataSkinStdButton, TqvDataSkinButton> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    void LoadFromFile(const TqvSkinIni& ini) override;
    static std::span<const TqvField<TqvDataSkinStdButton>> Fields();

    TqvStdCommand Command = cmDefault;
    QString RestoreHint{};
    TRect RestoreRect{};
    TRect RestoreActiveRect{};
    TRect RestoreDownRect{};
    TRect RestoreInActiveRect{};
};

class TqvDataSkinMainMenuBarButton : public TqvSkinRecord<TqvDataSkinMainMenuBarButton, TqvDataSkinStdButton> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinMainMenuBarButton>> Fields();
};

// Animated objects never morph.
class TqvDataSkinAnimate : public TqvSkinRecord<TqvDataSkinAnimate, TqvDataSkinObject> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    void LoadFromFile(const TqvSkinIni& ini) override;
    static std::span<const TqvField<TqvDataSkinAnimate>> Fields();

    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    int TimerInterval = 50;
    TqvStdCommand Command = cmDefault;
    TRect DownSkinRect{};
    QString RestoreHint{};
    TRect RestoreRect{};
    TRect RestoreActiveRect{};
    TRect RestoreDownRect{};
    TRect RestoreInActiveRect{};
};

// An active check, radio or arrow image without area falls back on the plain one.
class TqvDataSkinMenuItem : public TqvSkinRecord<TqvDataSkinMenuItem, TqvDataSkinObject> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    void LoadFromFile(const TqvSkinIni& ini) override;
    static std::span<const TqvField<TqvDataSkinMenuItem>> Fields();

    TRect DividerRect{};
    int DividerLO = 0;
    int DividerRO = 0;
    int ItemLO = 0;
    int ItemRO = 0;
    QString FontName = QStringLiteral("Arial");
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor UnEnabledFontColor = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TRect TextRct{};
    TRect ImageRct{};
    bool UseImageColor = false;
    TColor ImageColor = 0;
    TColor ActiveImageColor = 0;
    bool StretchEffect = false;
    bool DividerStretchEffect = false;
    bool InActiveStretchEffect = false;
    TRect AnimateSkinRect{};
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InActiveAnimation = false;
    bool InActiveTransparent = false;
    TRect CheckImageRect{};
    TRect ActiveCheckImageRect{};
    TRect RadioImageRect{};
    TRect ActiveRadioImageRect{};
    TRect ArrowImageRect{};
    TRect ActiveArrowImageRect{};
};

class TqvDataSkinMainMenuItem : public TqvSkinRecord<TqvDataSkinMainMenuItem, TqvDataSkinObject> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinMainMenuItem>> Fields();

    TRect DownRect{};
    QString FontName = QStringLiteral("Arial");
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor UnEnabledFontColor = 0;
    TRect TextRct{};
    int ItemLO = 0;
    int ItemRO = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect{};
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InActiveAnimation = false;
};

class TqvDataSkinMainMenuBarItem : public TqvSkinRecord<TqvDataSkinMainMenuBarItem, TqvDataSkinMainMenuItem> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinMainMenuBarItem>> Fields();
};

class TqvDataSkinCaption : public TqvSkinRecord<TqvDataSkinCaption, TqvDataSkinObject> {
public:
    using TqvSkinRecord::TqvSkinRecord;
    static std::span<const TqvField<TqvDataSkinCaption>> Fields();

    QString FontName = QStringLiteral("Arial");
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    bool Shadow = false;
    TAlignment Alignment = taCenter;
    TRect TextRct{};
    TRect FrameRect{};
    TRect ActiveFrameRect{};
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect FrameTextRect{};
    bool Light = false;
    TColor LightColor = 0;
    TColor ActiveLightColor = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect{};
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InActiveAnimation = false;
    bool FullFrame = false;
    bool GlowEffect = false;
    bool VistaGlowEffect = false;
    bool VistaGlowInActiveEffect = false;
    bool GlowInActiveEffect = false;
    int GlowSize = 3;
    TColor GlowColor = 0;
    TColor GlowActiveColor = 0;
    int GlowOffset = 0;
    bool ReflectionEffect = false;
    TColor ReflectionColor = 0;
    TColor ReflectionActiveColor = 0;
    int ReflectionOffset = 0;
};

// Kind words of [SKINCONTROLS] and [SKINOBJECTS]. Creating takes the exact
// word (case counts) and answers null for an unknown one; the word of a record
// is that of the first kind, in the writer's order, whose class it is or
// descends from, or empty for the bare base classes.
std::unique_ptr<TqvDataSkinControl> CreateSkinControlRecord(const QString& kind, const QString& idName);
std::unique_ptr<TqvDataSkinObject> CreateSkinObjectRecord(const QString& kind, const QString& idName);
QString SkinControlKind(const TqvDataSkinControl& record);
QString SkinObjectKind(const TqvDataSkinObject& record);
const QStringList& SkinControlKinds();
const QStringList& SkinObjectKinds();

// [SKINCOLORS]: eight colours; a missing key gives a system-colour reference.
class TqvSkinColors {
public:
    static constexpr TColor SystemColorRef(int index) { return static_cast<TColor>(0xFF000000u | unsigned(index)); }

    void SetColorsToDefault();
    void LoadFromFile(const TqvSkinIni& ini);
    // The model erases [SKINCOLORS] before writing the colours.
    void SaveToFile(TqvSkinIni& ini) const;
    bool operator==(const TqvSkinColors&) const = default;
    static std::span<const TqvField<TqvSkinColors>> Fields();

    TColor cBtnFace() const { return FcBtnFace; }
    TColor cBtnText() const { return FcBtnText; }
    TColor cWindow() const { return FcWindow; }
    TColor cWindowText() const { return FcWindowText; }
    TColor cHighLight() const { return FcHighLight; }
    TColor cHighLightText() const { return FcHighLightText; }
    TColor cBtnHighLight() const { return FcBtnHighLight; }
    TColor cBtnShadow() const { return FcBtnShadow; }
    void SetcBtnFace(TColor v) { FcBtnFace = v; }
    void SetcBtnText(TColor v) { FcBtnText = v; }
    void SetcWindow(TColor v) { FcWindow = v; }
    void SetcWindowText(TColor v) { FcWindowText = v; }
    void SetcHighLight(TColor v) { FcHighLight = v; }
    void SetcHighLightText(TColor v) { FcHighLightText = v; }
    void SetcBtnHighLight(TColor v) { FcBtnHighLight = v; }
    void SetcBtnShadow(TColor v) { FcBtnShadow = v; }

    TColor FcBtnFace = 0;
    TColor FcBtnText = 0;
    TColor FcWindow = 0;
    TColor FcWindowText = 0;
    TColor FcHighLight = 0;
    TColor FcHighLightText = 0;
    TColor FcBtnHighLight = 0;
    TColor FcBtnShadow = 0;
};

// [POPUPWINDOW]: the frame of the skinned popup menus.
class TqvDataSkinPopupWindow {
public:
    void LoadFromFile(const TqvSkinIni& ini);
    void SaveToFile(TqvSkinIni& ini) const;
    bool operator==(const TqvDataSkinPopupWindow&) const = default;
    static std::span<const TqvField<TqvDataSkinPopupWindow>> Fields();

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LTPoint{};
    TPoint RTPoint{};
    TPoint LBPoint{};
    TPoint RBPoint{};
    TRect ItemsRect{};
    TColor ScrollMarkerColor = 0;
    TColor ScrollMarkerActiveColor = 0;
    bool TopStretch = false;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TqvStretchType StretchType = qvstFull;
};

// [LAYERFRAME]: the layered border around a skinned form; PictureIndex -1 = none.
class TqvDataSkinLayerFrame {
public:
    void LoadFromFile(const TqvSkinIni& ini);
    void SaveToFile(TqvSkinIni& ini) const;
    bool operator==(const TqvDataSkinLayerFrame&) const = default;
    static std::span<const TqvField<TqvDataSkinLayerFrame>> Fields();

    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    int InActivePictureIndex = -1;
    int InActiveMaskPictureIndex = -1;
    TPoint LTPoint{};
    TPoint RTPoint{};
    TPoint LBPoint{};
    TPoint RBPoint{};
    TRect ClRect{};
    int AlphaBlendValue = 255;
    int InActiveAlphaBlendValue = 255;
    TRect BorderRect{};
    bool HitTestEnable = false;
};

// [HINTWINDOW]: the skinned hint window. Font height 12 until the first load
// reads a skin (whose missing key means 14).
class TqvDataSkinHintWindow {
public:
    void LoadFromFile(const TqvSkinIni& ini);
    void SaveToFile(TqvSkinIni& ini) const;
    bool operator==(const TqvDataSkinHintWindow&) const = default;
    static std::span<const TqvField<TqvDataSkinHintWindow>> Fields();

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LTPoint{};
    TPoint RTPoint{};
    TPoint LBPoint{};
    TPoint RBPoint{};
    TRect ClRect{};
    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 12;
    TColor FontColor = 0;
    bool TopStretch = false;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TqvStretchType StretchType = qvstFull;
};
