#include "skin/model/SkinRecords.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {

// Every record class with the keys it stores, as the format documents them
// (type letters: R rect, P point, I integer, C colour, B boolean, T text,
// F font styles, M morph kind, S stretch type, A alignment, X command).
// Written out apart from the code's own key tables, so a misspelt or missing
// key in those tables fails here.
struct TRecordCase {
    bool IsObject;
    const char* Kind;
    const char* ClassName;
    const char* Keys;
};

const TRecordCase kRecordCases[] = {
    {false, "mainmenubar", "TqvDataSkinMainMenuBar",
     "pictureindex:I maskpictureindex:I skinrect:R itemsrect:R menubaritem:T closebutton:T maxbutton:T minbutton:T sysmenubutton:T trackmarkcolor:I trackmarkactivecolor:I stretcheffect:B itemtransparent:B"},
    {false, "tab", "TqvDataSkinTabControl",
     "pictureindex:I maskpictureindex:I skinrect:R tabrect:R activetabrect:R focustabrect:R mouseintabrect:R clientrect:R tabsbgrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P tableftoffset:I tabrightoffset:I fontname:T fontstyle:F fontheight:I fontcolor:C activefontcolor:C focusfontcolor:C mouseinfontcolor:C updown:T bgpictureindex:I tabstretcheffect:B showfocus:B focusoffsetx:I focusoffsety:I leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S closebuttonrect:R closebuttonactiverect:R closebuttondownrect:R buttontransparent:B buttontransparentcolor:C"},
    {false, "grid", "TqvDataSkinGridControl",
     "pictureindex:I maskpictureindex:I skinrect:R fixedcellrect:R selectcellrect:R focuscellrect:R fixedcellleftoffset:I fixedcellrightoffset:I fixedcelltextrect:R cellleftoffset:I cellrightoffset:I celltextrect:R linescolor:C bgcolor:C fontname:T fontstyle:F fontheight:I fontcolor:C selectfontcolor:C focusfontcolor:C fixedfontname:T fixedfontstyle:F fixedfontheight:I fixedfontcolor:C fixedcellstretcheffect:B cellstretcheffect:B showfocus:B bgpictureindex:I"},
    {false, "slider", "TqvDataSkinSlider",
     "pictureindex:I maskpictureindex:I skinrect:R hrulerrect:R hthumbrect:R vrulerrect:R vthumbrect:R edgesize:I bgcolor:C pointscolor:C"},
    {false, "bevel", "TqvDataSkinBevel",
     "pictureindex:I maskpictureindex:I skinrect:R lightcolor:C darkcolor:C"},
    {false, "treeview", "TqvDataSkinTreeView",
     "pictureindex:I maskpictureindex:I skinrect:R fontname:T fontstyle:F fontheight:I fontcolor:C bgcolor:C"},
    {false, "listview", "TqvDataSkinListView",
     "pictureindex:I maskpictureindex:I skinrect:R fontname:T fontstyle:F fontheight:I fontcolor:C bgcolor:C"},
    {false, "richedit", "TqvDataSkinRichEdit",
     "pictureindex:I maskpictureindex:I skinrect:R fontname:T fontstyle:F fontheight:I fontcolor:C bgcolor:C"},
    {false, "stdlabel", "TqvDataSkinStdLabelControl",
     "pictureindex:I maskpictureindex:I skinrect:R fontname:T fontstyle:F fontheight:I fontcolor:C activefontcolor:C"},
    {false, "updown", "TqvDataSkinUpDownControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S upbuttonrect:R activeupbuttonrect:R downupbuttonrect:R downbuttonrect:R activedownbuttonrect:R downdownbuttonrect:R"},
    {false, "listbox", "TqvDataSkinListBox",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S itemrect:R activeitemrect:R focusitemrect:R itemleftoffset:I itemrightoffset:I itemtextrect:R fontname:T fontstyle:F fontheight:I fontcolor:C activefontcolor:C focusfontcolor:C captionrect:R captionfontname:T captionfontstyle:F captionfontheight:I captionfontcolor:C upbuttonrect:R activeupbuttonrect:R downupbuttonrect:R downbuttonrect:R activedownbuttonrect:R downdownbuttonrect:R checkbuttonrect:R activecheckbuttonrect:R downcheckbuttonrect:R hscrollbarname:T vscrollbarname:T bothhscrollbarname:T showfocus:B disabledbuttonsrect:R buttonsarea:R"},
    {false, "checklistbox", "TqvDataSkinCheckListBox",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S itemrect:R activeitemrect:R focusitemrect:R itemleftoffset:I itemrightoffset:I itemtextrect:R fontname:T fontstyle:F fontheight:I fontcolor:C activefontcolor:C focusfontcolor:C captionrect:R captionfontname:T captionfontstyle:F captionfontheight:I captionfontcolor:C upbuttonrect:R activeupbuttonrect:R downupbuttonrect:R downbuttonrect:R activedownbuttonrect:R downdownbuttonrect:R checkbuttonrect:R activecheckbuttonrect:R downcheckbuttonrect:R hscrollbarname:T vscrollbarname:T bothhscrollbarname:T showfocus:B disabledbuttonsrect:R buttonsarea:R uncheckimagerect:R checkimagerect:R itemcheckrect:R"},
    {false, "combobox", "TqvDataSkinComboBox",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S itemrect:R activeitemrect:R focusitemrect:R itemleftoffset:I itemrightoffset:I itemtextrect:R fontname:T fontstyle:F fontheight:I fontcolor:C focusfontcolor:C activefontcolor:C buttonrect:R activebuttonrect:R downbuttonrect:R unenabledbuttonrect:R itemstretcheffect:B focusitemstretcheffect:B activeskinrect:R listboxname:T showfocus:B"},
    {false, "controlbar", "TqvDataSkinControlBar",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S itemrect:R bgpictureindex:I hgriprect:R vgriprect:R gripoffset1:I gripoffset2:I itemstretcheffect:B itemoffset1:I itemoffset2:I itemtransparent:B itemtransparentcolor:C griptransparent:B griptransparentcolor:C"},
    {false, "scrollbar", "TqvDataSkinScrollBarControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S trackarea:R upbuttonrect:R activeupbuttonrect:R downupbuttonrect:R downbuttonrect:R activedownbuttonrect:R downdownbuttonrect:R thumbrect:R activethumbrect:R downthumbrect:R thumboffset1:I thumboffset2:I glyphrect:R activeglyphrect:R downglyphrect:R glyphtransparent:B glyphtransparentcolor:C thumbtransparent:B thumbtransparentcolor:C thumbstretcheffect:B thumbminsize:I thumbminpagesize:I"},
    {false, "spinedit", "TqvDataSkinSpinEditControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S activeskinrect:R fontname:T fontstyle:F fontheight:I fontcolor:C activefontcolor:C disabledfontcolor:C upbuttonrect:R activeupbuttonrect:R downupbuttonrect:R downbuttonrect:R activedownbuttonrect:R downdownbuttonrect:R"},
    {false, "edit", "TqvDataSkinEditControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S activeskinrect:R fontname:T fontstyle:F fontheight:I fontcolor:C disabledfontcolor:C activefontcolor:C buttonrect:R activebuttonrect:R downbuttonrect:R unenabledbuttonrect:R"},
    {false, "memo", "TqvDataSkinMemoControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S activeskinrect:R fontname:T fontstyle:F fontheight:I fontcolor:C disabledfontcolor:C activefontcolor:C buttonrect:R activebuttonrect:R downbuttonrect:R unenabledbuttonrect:R bgcolor:C activebgcolor:C"},
    {false, "label", "TqvDataSkinLabelControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S fontname:T fontstyle:F fontheight:I fontcolor:C"},
    {false, "splitter", "TqvDataSkinSplitterControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S gripperrect:R grippertransparent:B grippertransparentcolor:C"},
    {false, "gauge", "TqvDataSkinGaugeControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S progressarea:R progressrect:R vertical:B beginoffset:I endoffset:I fontname:T fontstyle:F fontheight:I fontcolor:C progresstransparent:B progresstransparentcolor:C progressstretch:B animationskinrect:R animationcountframes:I animationtimerinterval:I progressanimationskinrect:R progressanimationcountframes:I progressanimationtimerinterval:I animationbeginoffset:I animationendoffset:I"},
    {false, "trackbar", "TqvDataSkinTrackBarControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S activeskinrect:R trackarea:R buttonrect:R activebuttonrect:R vertical:B buttontransparent:B buttontransparentcolor:C"},
    {false, "checkradio", "TqvDataSkinCheckRadioControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S fontname:T fontstyle:F fontheight:I fontcolor:C activefontcolor:C unenabledfontcolor:C activeskinrect:R checkimagearea:R textarea:R checkimagerect:R uncheckimagerect:R activecheckimagerect:R activeuncheckimagerect:R unenabledcheckimagerect:R unenableduncheckimagerect:R grayedcheckimagerect:R activegrayedcheckimagerect:R morphing:B morphkind:M framefontcolor:C"},
    {false, "scrollbox", "TqvDataSkinScrollBoxControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S bgpictureindex:I"},
    {false, "panel", "TqvDataSkinPanelControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S captionrect:R alignment:A fontname:T fontstyle:F fontheight:I fontcolor:C bgpictureindex:I checkimagerect:R uncheckimagerect:R markframerect:R framerect:R frameleftoffset:I framerightoffset:I frametextrect:R gripperrect:R grippertransparent:B grippertransparentcolor:C"},
    {false, "expanel", "TqvDataSkinExPanelControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S rollhskinrect:R rollvskinrect:R rollleftoffset:I rollrightoffset:I rolltopoffset:I rollbottomoffset:I rollvcaptionrect:R rollhcaptionrect:R closebuttonrect:R closebuttonactiverect:R closebuttondownrect:R hrollbuttonrect:R hrollbuttonactiverect:R hrollbuttondownrect:R hrestorebuttonrect:R hrestorebuttonactiverect:R hrestorebuttondownrect:R vrollbuttonrect:R vrollbuttonactiverect:R vrollbuttondownrect:R vrestorebuttonrect:R vrestorebuttonactiverect:R vrestorebuttondownrect:R captionrect:R fontname:T fontstyle:F fontheight:I fontcolor:C buttonstransparent:B buttonstransparentcolor:C"},
    {false, "button", "TqvDataSkinButtonControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S fontname:T fontstyle:F fontheight:I fontcolor:C activefontcolor:C downfontcolor:C disabledfontcolor:C activeskinrect:R downskinrect:R disabledskinrect:R focusedskinrect:R morphing:B morphkind:M animateskinrect:R framecount:I animateinterval:I showfocus:B menumarkerflatrect:R menumarkerrect:R menumarkeractiverect:R menumarkerdownrect:R menumarkertransparentcolor:C glowlayerpictureindex:I glowlayermaskpictureindex:I glowlayeroffsetleft:I glowlayeroffsetright:I glowlayeroffsettop:I glowlayeroffsetbottom:I glowlayershowoffsetx:I glowlayershowoffsety:I glowlayeralphablendvalue:I"},
    {false, "menubutton", "TqvDataSkinMenuButtonControl",
     "pictureindex:I maskpictureindex:I skinrect:R lefttoppoint:P righttoppoint:P leftbottompoint:P rightbottompoint:P clientrect:R leftstretch:B topstretch:B rightstretch:B bottomstretch:B stretcheffect:B stretchtype:S fontname:T fontstyle:F fontheight:I fontcolor:C activefontcolor:C downfontcolor:C disabledfontcolor:C activeskinrect:R downskinrect:R disabledskinrect:R focusedskinrect:R morphing:B morphkind:M animateskinrect:R framecount:I animateinterval:I showfocus:B menumarkerflatrect:R menumarkerrect:R menumarkeractiverect:R menumarkerdownrect:R menumarkertransparentcolor:C glowlayerpictureindex:I glowlayermaskpictureindex:I glowlayeroffsetleft:I glowlayeroffsetright:I glowlayeroffsettop:I glowlayeroffsetbottom:I glowlayershowoffsetx:I glowlayershowoffsety:I glowlayeralphablendvalue:I trackbuttonrect:R"},
    {true, "userobject", "TqvDataUserObject",
     "skinrect:R"},
    {true, "button", "TqvDataSkinButton",
     "hint:T skinrectinapicture:B skinrect:R activeskinrect:R activepictureindex:I activemaskpictureindex:I inactiveskinrect:R morphing:B morphkind:M glowlayerpictureindex:I glowlayermaskpictureindex:I glowlayeroffsetx:I glowlayeroffsety:I glowlayeralphablendvalue:I downrect:R disableskinrsect:R"},
    {true, "stdbutton", "TqvDataSkinStdButton",
     "hint:T skinrectinapicture:B skinrect:R activeskinrect:R activepictureindex:I activemaskpictureindex:I inactiveskinrect:R morphing:B morphkind:M glowlayerpictureindex:I glowlayermaskpictureindex:I glowlayeroffsetx:I glowlayeroffsety:I glowlayeralphablendvalue:I downrect:R disableskinrsect:R command:X restorehint:T restorerect:R restoreactiverect:R restoredownrect:R restoreinactiverect:R"},
    {true, "mainmenubarbutton", "TqvDataSkinMainMenuBarButton",
     "hint:T skinrectinapicture:B skinrect:R activeskinrect:R activepictureindex:I activemaskpictureindex:I inactiveskinrect:R morphing:B morphkind:M glowlayerpictureindex:I glowlayermaskpictureindex:I glowlayeroffsetx:I glowlayeroffsety:I glowlayeralphablendvalue:I downrect:R disableskinrsect:R command:X restorehint:T restorerect:R restoreactiverect:R restoredownrect:R restoreinactiverect:R"},
    {true, "animate", "TqvDataSkinAnimate",
     "hint:T skinrectinapicture:B skinrect:R activeskinrect:R activepictureindex:I activemaskpictureindex:I inactiveskinrect:R morphing:B morphkind:M glowlayerpictureindex:I glowlayermaskpictureindex:I glowlayeroffsetx:I glowlayeroffsety:I glowlayeralphablendvalue:I countframes:I cycle:B buttonstyle:B timerinterval:I command:X downskinrect:R restorehint:T restorerect:R restoreactiverect:R restoredownrect:R restoreinactiverect:R"},
    {true, "menuitem", "TqvDataSkinMenuItem",
     "hint:T skinrectinapicture:B skinrect:R activeskinrect:R activepictureindex:I activemaskpictureindex:I inactiveskinrect:R morphing:B morphkind:M glowlayerpictureindex:I glowlayermaskpictureindex:I glowlayeroffsetx:I glowlayeroffsety:I glowlayeralphablendvalue:I dividerrect:R dividerleftoffset:I dividerrightoffset:I itemleftoffset:I itemrightoffset:I fontname:T fontheight:I fontstyle:F unenabledfontcolor:C fontcolor:C activefontcolor:C textrect:R imagerect:R useimagecolor:B imagecolor:C activeimagecolor:C stretcheffect:B dividerstretcheffect:B inactivestretcheffect:B animateskinrect:R framecount:I animateinterval:I inactiveanimation:B inactivetransparent:B checkimagerect:R activecheckimagerect:R radioimagerect:R activeradioimagerect:R arrowimagerect:R activearrowimagerect:R"},
    {true, "mainmenubaritem", "TqvDataSkinMainMenuBarItem",
     "hint:T skinrectinapicture:B skinrect:R activeskinrect:R activepictureindex:I activemaskpictureindex:I inactiveskinrect:R morphing:B morphkind:M glowlayerpictureindex:I glowlayermaskpictureindex:I glowlayeroffsetx:I glowlayeroffsety:I glowlayeralphablendvalue:I downrect:R fontname:T fontheight:I fontstyle:F fontcolor:C activefontcolor:C downfontcolor:C unenabledfontColor:C textrect:R itemleftoffset:I itemrightoffset:I stretcheffect:B animateskinrect:R framecount:I animateinterval:I inactiveanimation:B"},
    {true, "caption", "TqvDataSkinCaption",
     "hint:T skinrectinapicture:B skinrect:R activeskinrect:R activepictureindex:I activemaskpictureindex:I inactiveskinrect:R morphing:B morphkind:M glowlayerpictureindex:I glowlayermaskpictureindex:I glowlayeroffsetx:I glowlayeroffsety:I glowlayeralphablendvalue:I fontname:T fontheight:I fontstyle:F fontcolor:C activefontcolor:C shadowcolor:C activeshadowcolor:C shadow:B alignment:A textrect:R framerect:R activeframerect:R frameleftoffset:I framerightoffset:I frametextrect:R light:B lightcolor:C activelightcolor:C stretcheffect:B animateskinrect:R framecount:I animateinterval:I inactiveanimation:B fullframe:B gloweffect:B vistagloweffect:B vistaglowinactiveeffect:B glowinactiveeffect:B glowsize:I glowcolor:C glowactivecolor:C glowoffset:I reflectioneffect:B reflactioncolor:C reflactionactivecolor:C reflectionoffset:I"},};

// A value for every key that differs from its default.
QString ValueFor(char type, int i)
{
    switch (type) {
    case 'R': return QStringLiteral("%1,%2,%3,%4").arg(i).arg(i + 1).arg(i + 20).arg(i + 30);
    case 'P': return QStringLiteral("%1,%2").arg(i + 1).arg(i + 2);
    case 'I':
    case 'C': return QString::number(1000 + i);
    case 'B': return QStringLiteral("1");
    case 'T': return QStringLiteral("text%1").arg(i);
    case 'F': return QStringLiteral("fsbold,fsunderline");
    case 'M': return QStringLiteral("mkpush");
    case 'S': return QStringLiteral("stvert");
    case 'A': return QStringLiteral("taleftjustify");
    case 'X': return QStringLiteral("cmrollup");
    }
    return {};
}

// What the writer writes back where the class changes what it read.
QString Expected(const TRecordCase& c, const QString& key, const QString& given)
{
    const QString kind = QLatin1String(c.Kind);
    if (kind == QLatin1String("updown")) {
        if (key.endsWith(QLatin1String("point")))
            return QStringLiteral("0,0");
        if (key == QLatin1String("clientrect"))
            return QStringLiteral("0,0,0,0");
    }
    if (kind == QLatin1String("animate") && key == QLatin1String("morphing"))
        return QStringLiteral("0");
    return given;
}

std::unique_ptr<TqvDataSkinControl> Control(const TRecordCase& c, const QString& id)
{
    return c.IsObject ? nullptr : CreateSkinControlRecord(QLatin1String(c.Kind), id);
}

std::unique_ptr<TqvDataSkinObject> Object(const TRecordCase& c, const QString& id)
{
    return c.IsObject ? CreateSkinObjectRecord(QLatin1String(c.Kind), id) : nullptr;
}

class RecordRoundTrip : public ::testing::TestWithParam<TRecordCase> {};

TEST_P(RecordRoundTrip, WritesExactlyItsKeysAndReadsThemBack)
{
    const TRecordCase& c = GetParam();
    const QString id = QStringLiteral("rec");
    TqvSkinIni in;
    QStringList keys;
    const QStringList parts = QString::fromLatin1(c.Keys).split(u' ', Qt::SkipEmptyParts);
    for (int i = 0; i < parts.size(); ++i) {
        const QString key = parts[i].section(u':', 0, 0);
        keys << key;
        in.WriteString(id, key, ValueFor(parts[i].section(u':', 1).at(0).toLatin1(), i * 10));
    }
    in.WriteString(id, QStringLiteral("unknownkey"), QStringLiteral("7"));

    auto control = Control(c, id);
    auto object = Object(c, id);
    ASSERT_TRUE(control || object) << "no record for kind " << c.Kind;
    TqvSkinIni out;
    out.WriteString(id, QStringLiteral("stale"), QStringLiteral("from an older skin"));
    if (control) {
        EXPECT_EQ(SkinControlKind(*control), QLatin1String(c.Kind));
        control->LoadFromFile(in);
        control->SaveToFile(out);
    } else {
        EXPECT_EQ(SkinObjectKind(*object), QLatin1String(c.Kind));
        object->LoadFromFile(in);
        object->SaveToFile(out);
    }

    // Keys compare with case: the written spelling is the stored format.
    EXPECT_EQ(out.Keys(id), keys);
    for (const QString& key : keys)
        EXPECT_EQ(out.ReadString(id, key, QStringLiteral("<missing>")),
                  Expected(c, key, in.ReadString(id, key, QString())))
            << key.toStdString();

    if (control) {
        auto again = Control(c, id);
        again->LoadFromFile(out);
        EXPECT_TRUE(again->SameFields(*control));
        EXPECT_FALSE(Control(c, id)->SameFields(*control)) << "every field was set away from its default";
    } else {
        auto again = Object(c, id);
        again->LoadFromFile(out);
        EXPECT_TRUE(again->SameFields(*object));
        EXPECT_FALSE(Object(c, id)->SameFields(*object)) << "every field was set away from its default";
    }
}

void PrintTo(const TRecordCase& c, std::ostream* os)
{
    *os << (c.IsObject ? "object " : "control ") << c.Kind << " (" << c.ClassName << ")";
}

std::string CaseName(const ::testing::TestParamInfo<TRecordCase>& info)
{
    return std::string(info.param.IsObject ? "object_" : "control_") + info.param.Kind;
}

INSTANTIATE_TEST_SUITE_P(EveryClass, RecordRoundTrip, ::testing::ValuesIn(kRecordCases), CaseName);

TEST(SkinRecords, EveryKindWordHasACase)
{
    QStringList controls, objects;
    for (const TRecordCase& c : kRecordCases)
        (c.IsObject ? objects : controls) << QLatin1String(c.Kind);
    EXPECT_EQ(controls.size(), 28);
    EXPECT_EQ(objects.size(), 8);
    for (const QString& kind : SkinControlKinds())
        EXPECT_TRUE(controls.contains(kind)) << kind.toStdString();
    for (const QString& kind : SkinObjectKinds())
        EXPECT_TRUE(objects.contains(kind)) << kind.toStdString();
}

TEST(SkinRecords, KindWordsAreExactAndBaseClassesHaveNone)
{
    EXPECT_EQ(CreateSkinControlRecord(QStringLiteral("Button"), QStringLiteral("b")), nullptr);
    EXPECT_EQ(CreateSkinControlRecord(QString(), QStringLiteral("b")), nullptr);
    EXPECT_EQ(CreateSkinObjectRecord(QStringLiteral("checkradio"), QStringLiteral("b")), nullptr);
    EXPECT_EQ(SkinControlKind(TqvDataSkinControl(QStringLiteral("x"))), QString());
    EXPECT_EQ(SkinControlKind(TqvDataSkinCustomControl(QStringLiteral("x"))), QString());
    EXPECT_EQ(SkinObjectKind(TqvDataSkinObject(QStringLiteral("x"))), QString());
    EXPECT_EQ(SkinObjectKind(TqvDataSkinMainMenuItem(QStringLiteral("x"))), QString());
    // Subclasses take their own word, not their base's.
    EXPECT_EQ(SkinControlKind(TqvDataSkinMenuButtonControl(QStringLiteral("x"))), QStringLiteral("menubutton"));
    EXPECT_EQ(SkinControlKind(TqvDataSkinMemoControl(QStringLiteral("x"))), QStringLiteral("memo"));
    EXPECT_EQ(SkinObjectKind(TqvDataSkinMainMenuBarButton(QStringLiteral("x"))), QStringLiteral("mainmenubarbutton"));
}

TqvSkinIni Ini(const char* text)
{
    TqvSkinIni ini;
    ini.LoadFromText(QByteArray(text));
    return ini;
}

TEST(SkinRecords, MissingKeysTakeTheDocumentedDefaults)
{
    const TqvSkinIni empty;
    TqvDataSkinButtonControl button(QStringLiteral("b"));
    button.PictureIndex = 5;
    button.LoadFromFile(empty);
    EXPECT_EQ(button.PictureIndex, -1) << "nothing survives from before the load";
    EXPECT_EQ(button.GlowLayerPictureIndex, -1);
    EXPECT_EQ(button.GlowLayerAlphaBlendValue, 255);
    EXPECT_EQ(button.AnimateInterval, 25);
    EXPECT_EQ(button.FontName, QStringLiteral("Arial"));
    EXPECT_EQ(button.FontHeight, 14);

    TqvDataSkinListBox list(QStringLiteral("l"));
    list.LoadFromFile(Ini("[l]\nitemrect=1,2,3,4\nbothscrollbarname=wrong\n"));
    EXPECT_EQ(list.SItemRect, Rect(1, 2, 3, 4));
    EXPECT_EQ(list.VScrollBarName, QStringLiteral("vscrollbar"));
    EXPECT_EQ(list.HScrollBarName, QStringLiteral("hscrollbar"));
    EXPECT_EQ(list.BothScrollBarName, QStringLiteral("bothhscrollbar"));
    EXPECT_EQ(list.CaptionFontHeight, 14);

    TqvDataSkinStdLabelControl stdLabel(QStringLiteral("s"));
    stdLabel.LoadFromFile(empty);
    EXPECT_EQ(stdLabel.ActiveFontColor, 16711680);
    TqvDataSkinControlBar bar(QStringLiteral("c"));
    bar.LoadFromFile(empty);
    EXPECT_EQ(bar.ItemOffset1, 3);
    EXPECT_EQ(bar.ItemOffset2, 3);

    TqvDataSkinAnimate animate(QStringLiteral("a"));
    animate.LoadFromFile(Ini("[a]\nmorphing=1\n"));
    EXPECT_FALSE(animate.Morphing);
    EXPECT_EQ(animate.CountFrames, 1);
    EXPECT_EQ(animate.TimerInterval, 50);
    EXPECT_EQ(animate.Command, cmDefault);

    TqvDataSkinCaption caption(QStringLiteral("c"));
    caption.LoadFromFile(Ini("[c]\nreflectioncolor=255\nReflActionActiveColor=7\n"));
    EXPECT_EQ(caption.ReflectionColor, 0) << "only the stored spelling counts";
    EXPECT_EQ(caption.ReflectionActiveColor, 7) << "key names ignore case";
    EXPECT_EQ(caption.GlowSize, 3);
    EXPECT_EQ(caption.Alignment, taCenter);
}

TEST(SkinRecords, UpDownGeometryIsAlwaysZero)
{
    TqvDataSkinUpDownControl upDown(QStringLiteral("u"));
    upDown.LoadFromFile(Ini("[u]\nlefttoppoint=2,3\nclientrect=1,1,5,5\nleftstretch=1\nstretchtype=stvert\n"));
    EXPECT_EQ(upDown.LTPoint, TPoint{});
    EXPECT_EQ(upDown.ClRect, TRect{});
    EXPECT_TRUE(upDown.LeftStretch);
    EXPECT_EQ(upDown.StretchType, qvstVert);
    upDown.RBPoint = Point(9, 9);
    TqvSkinIni out;
    upDown.SaveToFile(out);
    EXPECT_EQ(out.ReadString(QStringLiteral("u"), QStringLiteral("rightbottompoint"), QString()), QStringLiteral("0,0"));
}

TEST(SkinRecords, RestoreHintOfCaptionButtons)
{
    struct {
        const char* Hint;
        const char* Command;
        const char* RestoreHint;
        const char* Expected;
    } cases[] = {
        {"Maximize", "cmmaximize", nullptr, "Restore"}, {"maximize", "cmmaximize", nullptr, ""},
        {"Minimize", "cmminimize", nullptr, "Restore"}, {"Roll Up", "cmrollup", nullptr, "Restore"},
        {"RollUp", "cmrollup", nullptr, "Restore"},     {"Maximize", "cmminimize", nullptr, ""},
        {"Maximize", "cmmaximize", "Back", "Back"},     {"Close", "cmclose", nullptr, ""},
    };
    for (const auto& c : cases) {
        TqvSkinIni ini;
        ini.WriteString(QStringLiteral("b"), QStringLiteral("hint"), QLatin1String(c.Hint));
        ini.WriteString(QStringLiteral("b"), QStringLiteral("command"), QLatin1String(c.Command));
        if (c.RestoreHint)
            ini.WriteString(QStringLiteral("b"), QStringLiteral("restorehint"), QLatin1String(c.RestoreHint));
        TqvDataSkinStdButton button(QStringLiteral("b"));
        button.LoadFromFile(ini);
        EXPECT_EQ(button.RestoreHint, QLatin1String(c.Expected)) << c.Hint << " " << c.Command;
        TqvDataSkinAnimate animate(QStringLiteral("b"));
        animate.LoadFromFile(ini);
        EXPECT_EQ(animate.RestoreHint, QLatin1String(c.Expected)) << c.Hint << " " << c.Command;
    }
}

TEST(SkinRecords, MenuItemActiveImagesFallBackOnThePlainOnes)
{
    TqvDataSkinMenuItem item(QStringLiteral("m"));
    item.LoadFromFile(Ini("[m]\ncheckimagerect=1,2,11,12\nradioimagerect=3,4,13,14\nactiveradioimagerect=5,5,5,9\n"
                          "arrowimagerect=0,0,4,4\nactivearrowimagerect=20,20,30,30\n"));
    EXPECT_EQ(item.ActiveCheckImageRect, Rect(1, 2, 11, 12));
    EXPECT_EQ(item.ActiveRadioImageRect, Rect(3, 4, 13, 14));
    EXPECT_EQ(item.ActiveArrowImageRect, Rect(20, 20, 30, 30));
}

TEST(SkinRecords, UserObjectKeepsOnlyItsPlace)
{
    TqvDataUserObject user(QStringLiteral("u"));
    user.LoadFromFile(Ini("[u]\nhint=Hello\nactiveskinrect=1,1,5,5\nskinrect=2,3,4,5\n"));
    EXPECT_EQ(user.Hint, QString());
    EXPECT_EQ(user.ActiveSkinRect, TRect{});
    EXPECT_EQ(user.SkinRect, Rect(2, 3, 4, 5));
    TqvSkinIni out;
    user.SaveToFile(out);
    EXPECT_EQ(out.Keys(QStringLiteral("u")), QStringList{"skinrect"});
}

TEST(SkinRecords, FixedRecordsReadTheirSectionsWithDefaults)
{
    const TqvSkinIni empty;
    TqvSkinColors colors;
    EXPECT_EQ(colors.cBtnFace(), 0) << "a new colour record holds zeros";
    colors.LoadFromFile(empty);
    EXPECT_EQ(colors.cBtnFace(), TqvSkinColors::SystemColorRef(15));
    EXPECT_EQ(colors.cBtnShadow(), TqvSkinColors::SystemColorRef(16));
    EXPECT_EQ(static_cast<unsigned>(colors.cHighLight()), 0xFF00000Du);

    TqvDataSkinHintWindow hint;
    EXPECT_EQ(hint.FontHeight, 12);
    hint.LoadFromFile(empty);
    EXPECT_EQ(hint.FontHeight, 14);
    EXPECT_EQ(hint.WindowPictureIndex, -1);

    TqvDataSkinLayerFrame layer;
    layer.LoadFromFile(Ini("[LAYERFRAME]\nPictureIndex=2\nborderrect=1,2,3,4\n"));
    EXPECT_EQ(layer.PictureIndex, 2);
    EXPECT_EQ(layer.AlphaBlendValue, 255);
    TqvSkinIni out;
    layer.SaveToFile(out);
    TqvDataSkinLayerFrame again;
    again.LoadFromFile(out);
    EXPECT_EQ(again, layer);

    TqvDataSkinPopupWindow popup;
    popup.LoadFromFile(Ini("[popupwindow]\nitemsrect=1,2,3,4\nstretchtype=sthorz\n"));
    EXPECT_EQ(popup.ItemsRect, Rect(1, 2, 3, 4));
    EXPECT_EQ(popup.StretchType, qvstHorz);
    EXPECT_EQ(popup.MaskPictureIndex, -1);
}

}  // namespace
