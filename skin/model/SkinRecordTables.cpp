// Key tables of the record classes, in each class's reading and writing order.
#include "skin/model/SkinRecords.h"

std::span<const TqvField<TqvDataSkinControl>> TqvDataSkinControl::Fields()
{
    using C = TqvDataSkinControl;
    static const TqvField<C> fields[] = {
        {"pictureindex", &C::PictureIndex},
        {"maskpictureindex", &C::MaskPictureIndex},
        {"skinrect", &C::SkinRect},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinCustomControl>> TqvDataSkinCustomControl::Fields()
{
    using C = TqvDataSkinCustomControl;
    static const TqvField<C> fields[] = {
        {"lefttoppoint", &C::LTPoint},
        {"righttoppoint", &C::RTPoint},
        {"leftbottompoint", &C::LBPoint},
        {"rightbottompoint", &C::RBPoint},
        {"clientrect", &C::ClRect},
        {"leftstretch", &C::LeftStretch},
        {"topstretch", &C::TopStretch},
        {"rightstretch", &C::RightStretch},
        {"bottomstretch", &C::BottomStretch},
        {"stretcheffect", &C::StretchEffect},
        {"stretchtype", &C::StretchType},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinObject>> TqvDataSkinObject::Fields()
{
    using C = TqvDataSkinObject;
    static const TqvField<C> fields[] = {
        {"hint", &C::Hint},
        {"skinrectinapicture", &C::SkinRectInAPicture},
        {"skinrect", &C::SkinRect},
        {"activeskinrect", &C::ActiveSkinRect},
        {"activepictureindex", &C::ActivePictureIndex},
        {"activemaskpictureindex", &C::ActiveMaskPictureIndex},
        {"inactiveskinrect", &C::InActiveSkinRect},
        {"morphing", &C::Morphing},
        {"morphkind", &C::MorphKind},
        {"glowlayerpictureindex", &C::GlowLayerPictureIndex},
        {"glowlayermaskpictureindex", &C::GlowLayerMaskPictureIndex},
        {"glowlayeroffsetx", &C::GlowLayerOffsetX},
        {"glowlayeroffsety", &C::GlowLayerOffsetY},
        {"glowlayeralphablendvalue", &C::GlowLayerAlphaBlendValue},
    };
    return fields;
}

std::span<const TqvField<TqvSkinColors>> TqvSkinColors::Fields()
{
    using C = TqvSkinColors;
    static const TqvField<C> fields[] = {
        {"cbtnface", &C::FcBtnFace},
        {"cbtntext", &C::FcBtnText},
        {"cwindow", &C::FcWindow},
        {"cwindowtext", &C::FcWindowText},
        {"chighlight", &C::FcHighLight},
        {"chighlighttext", &C::FcHighLightText},
        {"cbtnhighlight", &C::FcBtnHighLight},
        {"cbtnshadow", &C::FcBtnShadow},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinPopupWindow>> TqvDataSkinPopupWindow::Fields()
{
    using C = TqvDataSkinPopupWindow;
    static const TqvField<C> fields[] = {
        {"windowpictureindex", &C::WindowPictureIndex},
        {"maskpictureindex", &C::MaskPictureIndex},
        {"lefttoppoint", &C::LTPoint},
        {"righttoppoint", &C::RTPoint},
        {"leftbottompoint", &C::LBPoint},
        {"rightbottompoint", &C::RBPoint},
        {"itemsrect", &C::ItemsRect},
        {"scrollmarkercolor", &C::ScrollMarkerColor},
        {"scrollmarkeractivecolor", &C::ScrollMarkerActiveColor},
        {"topstretch", &C::TopStretch},
        {"leftstretch", &C::LeftStretch},
        {"rightstretch", &C::RightStretch},
        {"bottomstretch", &C::BottomStretch},
        {"stretcheffect", &C::StretchEffect},
        {"stretchtype", &C::StretchType},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinLayerFrame>> TqvDataSkinLayerFrame::Fields()
{
    using C = TqvDataSkinLayerFrame;
    static const TqvField<C> fields[] = {
        {"pictureindex", &C::PictureIndex},
        {"maskpictureindex", &C::MaskPictureIndex},
        {"inactivepictureindex", &C::InActivePictureIndex},
        {"inactivemaskpictureindex", &C::InActiveMaskPictureIndex},
        {"lefttoppoint", &C::LTPoint},
        {"righttoppoint", &C::RTPoint},
        {"leftbottompoint", &C::LBPoint},
        {"rightbottompoint", &C::RBPoint},
        {"clientrect", &C::ClRect},
        {"alphablendvalue", &C::AlphaBlendValue},
        {"inactivealphablendvalue", &C::InActiveAlphaBlendValue},
        {"borderrect", &C::BorderRect},
        {"hittestenable", &C::HitTestEnable},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinHintWindow>> TqvDataSkinHintWindow::Fields()
{
    using C = TqvDataSkinHintWindow;
    static const TqvField<C> fields[] = {
        {"windowpictureindex", &C::WindowPictureIndex},
        {"maskpictureindex", &C::MaskPictureIndex},
        {"lefttoppoint", &C::LTPoint},
        {"righttoppoint", &C::RTPoint},
        {"leftbottompoint", &C::LBPoint},
        {"rightbottompoint", &C::RBPoint},
        {"clientrect", &C::ClRect},
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"topstretch", &C::TopStretch},
        {"leftstretch", &C::LeftStretch},
        {"rightstretch", &C::RightStretch},
        {"bottomstretch", &C::BottomStretch},
        {"stretcheffect", &C::StretchEffect},
        {"stretchtype", &C::StretchType},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinMainMenuBar>> TqvDataSkinMainMenuBar::Fields()
{
    using C = TqvDataSkinMainMenuBar;
    static const TqvField<C> fields[] = {
        {"itemsrect", &C::ItemsRect},
        {"menubaritem", &C::MenuBarItem},
        {"closebutton", &C::CloseButton},
        {"maxbutton", &C::MaxButton},
        {"minbutton", &C::MinButton},
        {"sysmenubutton", &C::SysMenuButton},
        {"trackmarkcolor", &C::TrackMarkColor},
        {"trackmarkactivecolor", &C::TrackMarkActiveColor},
        {"stretcheffect", &C::StretchEffect},
        {"itemtransparent", &C::ItemTransparent},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinTabControl>> TqvDataSkinTabControl::Fields()
{
    using C = TqvDataSkinTabControl;
    static const TqvField<C> fields[] = {
        {"tabrect", &C::TabRect},
        {"activetabrect", &C::ActiveTabRect},
        {"focustabrect", &C::FocusTabRect},
        {"mouseintabrect", &C::MouseInTabRect},
        {"clientrect", &C::ClRect},
        {"tabsbgrect", &C::TabsBGRect},
        {"lefttoppoint", &C::LTPoint},
        {"righttoppoint", &C::RTPoint},
        {"leftbottompoint", &C::LBPoint},
        {"rightbottompoint", &C::RBPoint},
        {"tableftoffset", &C::TabLeftOffset},
        {"tabrightoffset", &C::TabRightOffset},
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"activefontcolor", &C::ActiveFontColor},
        {"focusfontcolor", &C::FocusFontColor},
        {"mouseinfontcolor", &C::MouseInFontColor},
        {"updown", &C::UpDown},
        {"bgpictureindex", &C::BGPictureIndex},
        {"tabstretcheffect", &C::TabStretchEffect},
        {"showfocus", &C::ShowFocus},
        {"focusoffsetx", &C::FocusOffsetX},
        {"focusoffsety", &C::FocusOffsetY},
        {"leftstretch", &C::LeftStretch},
        {"topstretch", &C::TopStretch},
        {"rightstretch", &C::RightStretch},
        {"bottomstretch", &C::BottomStretch},
        {"stretcheffect", &C::StretchEffect},
        {"stretchtype", &C::StretchType},
        {"closebuttonrect", &C::CloseButtonRect},
        {"closebuttonactiverect", &C::CloseButtonActiveRect},
        {"closebuttondownrect", &C::CloseButtonDownRect},
        {"buttontransparent", &C::ButtonTransparent},
        {"buttontransparentcolor", &C::ButtonTransparentColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinGridControl>> TqvDataSkinGridControl::Fields()
{
    using C = TqvDataSkinGridControl;
    static const TqvField<C> fields[] = {
        {"fixedcellrect", &C::FixedCellRect},
        {"selectcellrect", &C::SelectCellRect},
        {"focuscellrect", &C::FocusCellRect},
        {"fixedcellleftoffset", &C::FixedCellLeftOffset},
        {"fixedcellrightoffset", &C::FixedCellRightOffset},
        {"fixedcelltextrect", &C::FixedCellTextRect},
        {"cellleftoffset", &C::CellLeftOffset},
        {"cellrightoffset", &C::CellRightOffset},
        {"celltextrect", &C::CellTextRect},
        {"linescolor", &C::LinesColor},
        {"bgcolor", &C::BGColor},
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"selectfontcolor", &C::SelectFontColor},
        {"focusfontcolor", &C::FocusFontColor},
        {"fixedfontname", &C::FixedFontName},
        {"fixedfontstyle", &C::FixedFontStyle},
        {"fixedfontheight", &C::FixedFontHeight},
        {"fixedfontcolor", &C::FixedFontColor},
        {"fixedcellstretcheffect", &C::FixedCellStretchEffect},
        {"cellstretcheffect", &C::CellStretchEffect},
        {"showfocus", &C::ShowFocus},
        {"bgpictureindex", &C::BGPictureIndex},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinSlider>> TqvDataSkinSlider::Fields()
{
    using C = TqvDataSkinSlider;
    static const TqvField<C> fields[] = {
        {"hrulerrect", &C::HRulerRect},
        {"hthumbrect", &C::HThumbRect},
        {"vrulerrect", &C::VRulerRect},
        {"vthumbrect", &C::VThumbRect},
        {"edgesize", &C::EdgeSize},
        {"bgcolor", &C::BGColor},
        {"pointscolor", &C::PointsColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinBevel>> TqvDataSkinBevel::Fields()
{
    using C = TqvDataSkinBevel;
    static const TqvField<C> fields[] = {
        {"lightcolor", &C::LightColor},
        {"darkcolor", &C::DarkColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinTreeView>> TqvDataSkinTreeView::Fields()
{
    using C = TqvDataSkinTreeView;
    static const TqvField<C> fields[] = {
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"bgcolor", &C::BGColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinListView>> TqvDataSkinListView::Fields()
{
    using C = TqvDataSkinListView;
    static const TqvField<C> fields[] = {
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"bgcolor", &C::BGColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinRichEdit>> TqvDataSkinRichEdit::Fields()
{
    using C = TqvDataSkinRichEdit;
    static const TqvField<C> fields[] = {
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"bgcolor", &C::BGColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinStdLabelControl>> TqvDataSkinStdLabelControl::Fields()
{
    using C = TqvDataSkinStdLabelControl;
    static const TqvField<C> fields[] = {
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"activefontcolor", &C::ActiveFontColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinUpDownControl>> TqvDataSkinUpDownControl::Fields()
{
    using C = TqvDataSkinUpDownControl;
    static const TqvField<C> fields[] = {
        {"upbuttonrect", &C::UpButtonRect},
        {"activeupbuttonrect", &C::ActiveUpButtonRect},
        {"downupbuttonrect", &C::DownUpButtonRect},
        {"downbuttonrect", &C::DownButtonRect},
        {"activedownbuttonrect", &C::ActiveDownButtonRect},
        {"downdownbuttonrect", &C::DownDownButtonRect},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinListBox>> TqvDataSkinListBox::Fields()
{
    using C = TqvDataSkinListBox;
    static const TqvField<C> fields[] = {
        {"itemrect", &C::SItemRect},
        {"activeitemrect", &C::ActiveItemRect},
        {"focusitemrect", &C::FocusItemRect},
        {"itemleftoffset", &C::ItemLeftOffset},
        {"itemrightoffset", &C::ItemRightOffset},
        {"itemtextrect", &C::ItemTextRect},
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"activefontcolor", &C::ActiveFontColor},
        {"focusfontcolor", &C::FocusFontColor},
        {"captionrect", &C::CaptionRect},
        {"captionfontname", &C::CaptionFontName},
        {"captionfontstyle", &C::CaptionFontStyle},
        {"captionfontheight", &C::CaptionFontHeight},
        {"captionfontcolor", &C::CaptionFontColor},
        {"upbuttonrect", &C::UpButtonRect},
        {"activeupbuttonrect", &C::ActiveUpButtonRect},
        {"downupbuttonrect", &C::DownUpButtonRect},
        {"downbuttonrect", &C::DownButtonRect},
        {"activedownbuttonrect", &C::ActiveDownButtonRect},
        {"downdownbuttonrect", &C::DownDownButtonRect},
        {"checkbuttonrect", &C::CheckButtonRect},
        {"activecheckbuttonrect", &C::ActiveCheckButtonRect},
        {"downcheckbuttonrect", &C::DownCheckButtonRect},
        {"hscrollbarname", &C::HScrollBarName},
        {"vscrollbarname", &C::VScrollBarName},
        {"bothhscrollbarname", &C::BothScrollBarName},
        {"showfocus", &C::ShowFocus},
        {"disabledbuttonsrect", &C::DisabledButtonsRect},
        {"buttonsarea", &C::ButtonsArea},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinCheckListBox>> TqvDataSkinCheckListBox::Fields()
{
    using C = TqvDataSkinCheckListBox;
    static const TqvField<C> fields[] = {
        {"uncheckimagerect", &C::UnCheckImageRect},
        {"checkimagerect", &C::CheckImageRect},
        {"itemcheckrect", &C::ItemCheckRect},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinComboBox>> TqvDataSkinComboBox::Fields()
{
    using C = TqvDataSkinComboBox;
    static const TqvField<C> fields[] = {
        {"itemrect", &C::SItemRect},
        {"activeitemrect", &C::ActiveItemRect},
        {"focusitemrect", &C::FocusItemRect},
        {"itemleftoffset", &C::ItemLeftOffset},
        {"itemrightoffset", &C::ItemRightOffset},
        {"itemtextrect", &C::ItemTextRect},
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"focusfontcolor", &C::FocusFontColor},
        {"activefontcolor", &C::ActiveFontColor},
        {"buttonrect", &C::ButtonRect},
        {"activebuttonrect", &C::ActiveButtonRect},
        {"downbuttonrect", &C::DownButtonRect},
        {"unenabledbuttonrect", &C::UnEnabledButtonRect},
        {"itemstretcheffect", &C::ItemStretchEffect},
        {"focusitemstretcheffect", &C::FocusItemStretchEffect},
        {"activeskinrect", &C::ActiveSkinRect},
        {"listboxname", &C::ListBoxName},
        {"showfocus", &C::ShowFocus},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinControlBar>> TqvDataSkinControlBar::Fields()
{
    using C = TqvDataSkinControlBar;
    static const TqvField<C> fields[] = {
        {"itemrect", &C::ItemRect},
        {"bgpictureindex", &C::BGPictureIndex},
        {"hgriprect", &C::HGripRect},
        {"vgriprect", &C::VGripRect},
        {"gripoffset1", &C::GripOffset1},
        {"gripoffset2", &C::GripOffset2},
        {"itemstretcheffect", &C::ItemStretchEffect},
        {"itemoffset1", &C::ItemOffset1},
        {"itemoffset2", &C::ItemOffset2},
        {"itemtransparent", &C::ItemTransparent},
        {"itemtransparentcolor", &C::ItemTransparentColor},
        {"griptransparent", &C::GripTransparent},
        {"griptransparentcolor", &C::GripTransparentColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinScrollBarControl>> TqvDataSkinScrollBarControl::Fields()
{
    using C = TqvDataSkinScrollBarControl;
    static const TqvField<C> fields[] = {
        {"trackarea", &C::TrackArea},
        {"upbuttonrect", &C::UpButtonRect},
        {"activeupbuttonrect", &C::ActiveUpButtonRect},
        {"downupbuttonrect", &C::DownUpButtonRect},
        {"downbuttonrect", &C::DownButtonRect},
        {"activedownbuttonrect", &C::ActiveDownButtonRect},
        {"downdownbuttonrect", &C::DownDownButtonRect},
        {"thumbrect", &C::ThumbRect},
        {"activethumbrect", &C::ActiveThumbRect},
        {"downthumbrect", &C::DownThumbRect},
        {"thumboffset1", &C::ThumbOffset1},
        {"thumboffset2", &C::ThumbOffset2},
        {"glyphrect", &C::GlyphRect},
        {"activeglyphrect", &C::ActiveGlyphRect},
        {"downglyphrect", &C::DownGlyphRect},
        {"glyphtransparent", &C::GlyphTransparent},
        {"glyphtransparentcolor", &C::GlyphTransparentColor},
        {"thumbtransparent", &C::ThumbTransparent},
        {"thumbtransparentcolor", &C::ThumbTransparentColor},
        {"thumbstretcheffect", &C::ThumbStretchEffect},
        {"thumbminsize", &C::ThumbMinSize},
        {"thumbminpagesize", &C::ThumbMinPageSize},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinSpinEditControl>> TqvDataSkinSpinEditControl::Fields()
{
    using C = TqvDataSkinSpinEditControl;
    static const TqvField<C> fields[] = {
        {"activeskinrect", &C::ActiveSkinRect},
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"activefontcolor", &C::ActiveFontColor},
        {"disabledfontcolor", &C::DisabledFontColor},
        {"upbuttonrect", &C::UpButtonRect},
        {"activeupbuttonrect", &C::ActiveUpButtonRect},
        {"downupbuttonrect", &C::DownUpButtonRect},
        {"downbuttonrect", &C::DownButtonRect},
        {"activedownbuttonrect", &C::ActiveDownButtonRect},
        {"downdownbuttonrect", &C::DownDownButtonRect},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinEditControl>> TqvDataSkinEditControl::Fields()
{
    using C = TqvDataSkinEditControl;
    static const TqvField<C> fields[] = {
        {"activeskinrect", &C::ActiveSkinRect},
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"disabledfontcolor", &C::DisabledFontColor},
        {"activefontcolor", &C::ActiveFontColor},
        {"buttonrect", &C::ButtonRect},
        {"activebuttonrect", &C::ActiveButtonRect},
        {"downbuttonrect", &C::DownButtonRect},
        {"unenabledbuttonrect", &C::UnEnabledButtonRect},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinMemoControl>> TqvDataSkinMemoControl::Fields()
{
    using C = TqvDataSkinMemoControl;
    static const TqvField<C> fields[] = {
        {"bgcolor", &C::BGColor},
        {"activebgcolor", &C::ActiveBGColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinLabelControl>> TqvDataSkinLabelControl::Fields()
{
    using C = TqvDataSkinLabelControl;
    static const TqvField<C> fields[] = {
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinSplitterControl>> TqvDataSkinSplitterControl::Fields()
{
    using C = TqvDataSkinSplitterControl;
    static const TqvField<C> fields[] = {
        {"gripperrect", &C::GripperRect},
        {"grippertransparent", &C::GripperTransparent},
        {"grippertransparentcolor", &C::GripperTransparentColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinGaugeControl>> TqvDataSkinGaugeControl::Fields()
{
    using C = TqvDataSkinGaugeControl;
    static const TqvField<C> fields[] = {
        {"progressarea", &C::ProgressArea},
        {"progressrect", &C::ProgressRect},
        {"vertical", &C::Vertical},
        {"beginoffset", &C::BeginOffset},
        {"endoffset", &C::EndOffset},
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"progresstransparent", &C::ProgressTransparent},
        {"progresstransparentcolor", &C::ProgressTransparentColor},
        {"progressstretch", &C::ProgressStretch},
        {"animationskinrect", &C::AnimationSkinRect},
        {"animationcountframes", &C::AnimationCountFrames},
        {"animationtimerinterval", &C::AnimationTimerInterval},
        {"progressanimationskinrect", &C::ProgressAnimationSkinRect},
        {"progressanimationcountframes", &C::ProgressAnimationCountFrames},
        {"progressanimationtimerinterval", &C::ProgressAnimationTimerInterval},
        {"animationbeginoffset", &C::AnimationBeginOffset},
        {"animationendoffset", &C::AnimationEndOffset},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinTrackBarControl>> TqvDataSkinTrackBarControl::Fields()
{
    using C = TqvDataSkinTrackBarControl;
    static const TqvField<C> fields[] = {
        {"activeskinrect", &C::ActiveSkinRect},
        {"trackarea", &C::TrackArea},
        {"buttonrect", &C::ButtonRect},
        {"activebuttonrect", &C::ActiveButtonRect},
        {"vertical", &C::Vertical},
        {"buttontransparent", &C::ButtonTransparent},
        {"buttontransparentcolor", &C::ButtonTransparentColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinCheckRadioControl>> TqvDataSkinCheckRadioControl::Fields()
{
    using C = TqvDataSkinCheckRadioControl;
    static const TqvField<C> fields[] = {
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"activefontcolor", &C::ActiveFontColor},
        {"unenabledfontcolor", &C::UnEnabledFontColor},
        {"activeskinrect", &C::ActiveSkinRect},
        {"checkimagearea", &C::CheckImageArea},
        {"textarea", &C::TextArea},
        {"checkimagerect", &C::CheckImageRect},
        {"uncheckimagerect", &C::UnCheckImageRect},
        {"activecheckimagerect", &C::ActiveCheckImageRect},
        {"activeuncheckimagerect", &C::ActiveUnCheckImageRect},
        {"unenabledcheckimagerect", &C::UnEnabledCheckImageRect},
        {"unenableduncheckimagerect", &C::UnEnabledUnCheckImageRect},
        {"grayedcheckimagerect", &C::GrayedCheckImageRect},
        {"activegrayedcheckimagerect", &C::ActiveGrayedCheckImageRect},
        {"morphing", &C::Morphing},
        {"morphkind", &C::MorphKind},
        {"framefontcolor", &C::FrameFontColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinScrollBoxControl>> TqvDataSkinScrollBoxControl::Fields()
{
    using C = TqvDataSkinScrollBoxControl;
    static const TqvField<C> fields[] = {
        {"bgpictureindex", &C::BGPictureIndex},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinPanelControl>> TqvDataSkinPanelControl::Fields()
{
    using C = TqvDataSkinPanelControl;
    static const TqvField<C> fields[] = {
        {"captionrect", &C::CaptionRect},
        {"alignment", &C::Alignment},
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"bgpictureindex", &C::BGPictureIndex},
        {"checkimagerect", &C::CheckImageRect},
        {"uncheckimagerect", &C::UnCheckImageRect},
        {"markframerect", &C::MarkFrameRect},
        {"framerect", &C::FrameRect},
        {"frameleftoffset", &C::FrameLeftOffset},
        {"framerightoffset", &C::FrameRightOffset},
        {"frametextrect", &C::FrameTextRect},
        {"gripperrect", &C::GripperRect},
        {"grippertransparent", &C::GripperTransparent},
        {"grippertransparentcolor", &C::GripperTransparentColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinExPanelControl>> TqvDataSkinExPanelControl::Fields()
{
    using C = TqvDataSkinExPanelControl;
    static const TqvField<C> fields[] = {
        {"rollhskinrect", &C::RollHSkinRect},
        {"rollvskinrect", &C::RollVSkinRect},
        {"rollleftoffset", &C::RollLeftOffset},
        {"rollrightoffset", &C::RollRightOffset},
        {"rolltopoffset", &C::RollTopOffset},
        {"rollbottomoffset", &C::RollBottomOffset},
        {"rollvcaptionrect", &C::RollVCaptionRect},
        {"rollhcaptionrect", &C::RollHCaptionRect},
        {"closebuttonrect", &C::CloseButtonRect},
        {"closebuttonactiverect", &C::CloseButtonActiveRect},
        {"closebuttondownrect", &C::CloseButtonDownRect},
        {"hrollbuttonrect", &C::HRollButtonRect},
        {"hrollbuttonactiverect", &C::HRollButtonActiveRect},
        {"hrollbuttondownrect", &C::HRollButtonDownRect},
        {"hrestorebuttonrect", &C::HRestoreButtonRect},
        {"hrestorebuttonactiverect", &C::HRestoreButtonActiveRect},
        {"hrestorebuttondownrect", &C::HRestoreButtonDownRect},
        {"vrollbuttonrect", &C::VRollButtonRect},
        {"vrollbuttonactiverect", &C::VRollButtonActiveRect},
        {"vrollbuttondownrect", &C::VRollButtonDownRect},
        {"vrestorebuttonrect", &C::VRestoreButtonRect},
        {"vrestorebuttonactiverect", &C::VRestoreButtonActiveRect},
        {"vrestorebuttondownrect", &C::VRestoreButtonDownRect},
        {"captionrect", &C::CaptionRect},
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"buttonstransparent", &C::ButtonsTransparent},
        {"buttonstransparentcolor", &C::ButtonsTransparentColor},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinButtonControl>> TqvDataSkinButtonControl::Fields()
{
    using C = TqvDataSkinButtonControl;
    static const TqvField<C> fields[] = {
        {"fontname", &C::FontName},
        {"fontstyle", &C::FontStyle},
        {"fontheight", &C::FontHeight},
        {"fontcolor", &C::FontColor},
        {"activefontcolor", &C::ActiveFontColor},
        {"downfontcolor", &C::DownFontColor},
        {"disabledfontcolor", &C::DisabledFontColor},
        {"activeskinrect", &C::ActiveSkinRect},
        {"downskinrect", &C::DownSkinRect},
        {"disabledskinrect", &C::DisabledSkinRect},
        {"focusedskinrect", &C::FocusedSkinRect},
        {"morphing", &C::Morphing},
        {"morphkind", &C::MorphKind},
        {"animateskinrect", &C::AnimateSkinRect},
        {"framecount", &C::FrameCount},
        {"animateinterval", &C::AnimateInterval},
        {"showfocus", &C::ShowFocus},
        {"menumarkerflatrect", &C::MenuMarkerFlatRect},
        {"menumarkerrect", &C::MenuMarkerRect},
        {"menumarkeractiverect", &C::MenuMarkerActiveRect},
        {"menumarkerdownrect", &C::MenuMarkerDownRect},
        {"menumarkertransparentcolor", &C::MenuMarkerTransparentColor},
        {"glowlayerpictureindex", &C::GlowLayerPictureIndex},
        {"glowlayermaskpictureindex", &C::GlowLayerMaskPictureIndex},
        {"glowlayeroffsetleft", &C::GlowLayerOffsetLeft},
        {"glowlayeroffsetright", &C::GlowLayerOffsetRight},
        {"glowlayeroffsettop", &C::GlowLayerOffsetTop},
        {"glowlayeroffsetbottom", &C::GlowLayerOffsetBottom},
        {"glowlayershowoffsetx", &C::GlowLayerShowOffsetX},
        {"glowlayershowoffsety", &C::GlowLayerShowOffsetY},
        {"glowlayeralphablendvalue", &C::GlowLayerAlphaBlendValue},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinMenuButtonControl>> TqvDataSkinMenuButtonControl::Fields()
{
    using C = TqvDataSkinMenuButtonControl;
    static const TqvField<C> fields[] = {
        {"trackbuttonrect", &C::TrackButtonRect},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinButton>> TqvDataSkinButton::Fields()
{
    using C = TqvDataSkinButton;
    static const TqvField<C> fields[] = {
        {"downrect", &C::DownRect},
        {"disableskinrsect", &C::DisableSkinRect},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinStdButton>> TqvDataSkinStdButton::Fields()
{
    using C = TqvDataSkinStdButton;
    static const TqvField<C> fields[] = {
        {"command", &C::Command},
        {"restorehint", &C::RestoreHint},
        {"restorerect", &C::RestoreRect},
        {"restoreactiverect", &C::RestoreActiveRect},
        {"restoredownrect", &C::RestoreDownRect},
        {"restoreinactiverect", &C::RestoreInActiveRect},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinMainMenuBarButton>> TqvDataSkinMainMenuBarButton::Fields()
{
    return {};
}

std::span<const TqvField<TqvDataSkinAnimate>> TqvDataSkinAnimate::Fields()
{
    using C = TqvDataSkinAnimate;
    static const TqvField<C> fields[] = {
        {"countframes", &C::CountFrames},
        {"cycle", &C::Cycle},
        {"buttonstyle", &C::ButtonStyle},
        {"timerinterval", &C::TimerInterval},
        {"command", &C::Command},
        {"downskinrect", &C::DownSkinRect},
        {"restorehint", &C::RestoreHint},
        {"restorerect", &C::RestoreRect},
        {"restoreactiverect", &C::RestoreActiveRect},
        {"restoredownrect", &C::RestoreDownRect},
        {"restoreinactiverect", &C::RestoreInActiveRect},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinMenuItem>> TqvDataSkinMenuItem::Fields()
{
    using C = TqvDataSkinMenuItem;
    static const TqvField<C> fields[] = {
        {"dividerrect", &C::DividerRect},
        {"dividerleftoffset", &C::DividerLO},
        {"dividerrightoffset", &C::DividerRO},
        {"itemleftoffset", &C::ItemLO},
        {"itemrightoffset", &C::ItemRO},
        {"fontname", &C::FontName},
        {"fontheight", &C::FontHeight},
        {"fontstyle", &C::FontStyle},
        {"unenabledfontcolor", &C::UnEnabledFontColor},
        {"fontcolor", &C::FontColor},
        {"activefontcolor", &C::ActiveFontColor},
        {"textrect", &C::TextRct},
        {"imagerect", &C::ImageRct},
        {"useimagecolor", &C::UseImageColor},
        {"imagecolor", &C::ImageColor},
        {"activeimagecolor", &C::ActiveImageColor},
        {"stretcheffect", &C::StretchEffect},
        {"dividerstretcheffect", &C::DividerStretchEffect},
        {"inactivestretcheffect", &C::InActiveStretchEffect},
        {"animateskinrect", &C::AnimateSkinRect},
        {"framecount", &C::FrameCount},
        {"animateinterval", &C::AnimateInterval},
        {"inactiveanimation", &C::InActiveAnimation},
        {"inactivetransparent", &C::InActiveTransparent},
        {"checkimagerect", &C::CheckImageRect},
        {"activecheckimagerect", &C::ActiveCheckImageRect},
        {"radioimagerect", &C::RadioImageRect},
        {"activeradioimagerect", &C::ActiveRadioImageRect},
        {"arrowimagerect", &C::ArrowImageRect},
        {"activearrowimagerect", &C::ActiveArrowImageRect},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinMainMenuItem>> TqvDataSkinMainMenuItem::Fields()
{
    using C = TqvDataSkinMainMenuItem;
    static const TqvField<C> fields[] = {
        {"downrect", &C::DownRect},
        {"fontname", &C::FontName},
        {"fontheight", &C::FontHeight},
        {"fontstyle", &C::FontStyle},
        {"fontcolor", &C::FontColor},
        {"activefontcolor", &C::ActiveFontColor},
        {"downfontcolor", &C::DownFontColor},
        {"unenabledfontColor", &C::UnEnabledFontColor},
        {"textrect", &C::TextRct},
        {"itemleftoffset", &C::ItemLO},
        {"itemrightoffset", &C::ItemRO},
        {"stretcheffect", &C::StretchEffect},
        {"animateskinrect", &C::AnimateSkinRect},
        {"framecount", &C::FrameCount},
        {"animateinterval", &C::AnimateInterval},
        {"inactiveanimation", &C::InActiveAnimation},
    };
    return fields;
}

std::span<const TqvField<TqvDataSkinMainMenuBarItem>> TqvDataSkinMainMenuBarItem::Fields()
{
    return {};
}

std::span<const TqvField<TqvDataSkinCaption>> TqvDataSkinCaption::Fields()
{
    using C = TqvDataSkinCaption;
    static const TqvField<C> fields[] = {
        {"fontname", &C::FontName},
        {"fontheight", &C::FontHeight},
        {"fontstyle", &C::FontStyle},
        {"fontcolor", &C::FontColor},
        {"activefontcolor", &C::ActiveFontColor},
        {"shadowcolor", &C::ShadowColor},
        {"activeshadowcolor", &C::ActiveShadowColor},
        {"shadow", &C::Shadow},
        {"alignment", &C::Alignment},
        {"textrect", &C::TextRct},
        {"framerect", &C::FrameRect},
        {"activeframerect", &C::ActiveFrameRect},
        {"frameleftoffset", &C::FrameLeftOffset},
        {"framerightoffset", &C::FrameRightOffset},
        {"frametextrect", &C::FrameTextRect},
        {"light", &C::Light},
        {"lightcolor", &C::LightColor},
        {"activelightcolor", &C::ActiveLightColor},
        {"stretcheffect", &C::StretchEffect},
        {"animateskinrect", &C::AnimateSkinRect},
        {"framecount", &C::FrameCount},
        {"animateinterval", &C::AnimateInterval},
        {"inactiveanimation", &C::InActiveAnimation},
        {"fullframe", &C::FullFrame},
        {"gloweffect", &C::GlowEffect},
        {"vistagloweffect", &C::VistaGlowEffect},
        {"vistaglowinactiveeffect", &C::VistaGlowInActiveEffect},
        {"glowinactiveeffect", &C::GlowInActiveEffect},
        {"glowsize", &C::GlowSize},
        {"glowcolor", &C::GlowColor},
        {"glowactivecolor", &C::GlowActiveColor},
        {"glowoffset", &C::GlowOffset},
        {"reflectioneffect", &C::ReflectionEffect},
        {"reflactioncolor", &C::ReflectionColor},
        {"reflactionactivecolor", &C::ReflectionActiveColor},
        {"reflectionoffset", &C::ReflectionOffset},
    };
    return fields;
}
