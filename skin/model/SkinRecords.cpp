#include "skin/model/SkinRecords.h"

namespace {

const QString kSkinColors = QStringLiteral("SKINCOLORS");
const QString kPopupWindow = QStringLiteral("POPUPWINDOW");
const QString kLayerFrame = QStringLiteral("LAYERFRAME");
const QString kHintWindow = QStringLiteral("HINTWINDOW");

template <class Root>
struct TKind {
    const char* Word;
    std::unique_ptr<Root> (*Create)(const QString&);
    bool (*IsA)(const Root&);
};

template <class Root, class T>
constexpr TKind<Root> Kind(const char* word)
{
    return {word, [](const QString& id) -> std::unique_ptr<Root> { return std::make_unique<T>(id); },
            [](const Root& r) { return dynamic_cast<const T*>(&r) != nullptr; }};
}

// Writer's order: a subclass comes before its base ("menubutton" before "button").
const TKind<TqvDataSkinControl> kControlKinds[] = {
    Kind<TqvDataSkinControl, TqvDataSkinPanelControl>("panel"),
    Kind<TqvDataSkinControl, TqvDataSkinExPanelControl>("expanel"),
    Kind<TqvDataSkinControl, TqvDataSkinMenuButtonControl>("menubutton"),
    Kind<TqvDataSkinControl, TqvDataSkinButtonControl>("button"),
    Kind<TqvDataSkinControl, TqvDataSkinCheckRadioControl>("checkradio"),
    Kind<TqvDataSkinControl, TqvDataSkinGaugeControl>("gauge"),
    Kind<TqvDataSkinControl, TqvDataSkinSplitterControl>("splitter"),
    Kind<TqvDataSkinControl, TqvDataSkinTrackBarControl>("trackbar"),
    Kind<TqvDataSkinControl, TqvDataSkinLabelControl>("label"),
    Kind<TqvDataSkinControl, TqvDataSkinStdLabelControl>("stdlabel"),
    Kind<TqvDataSkinControl, TqvDataSkinUpDownControl>("updown"),
    Kind<TqvDataSkinControl, TqvDataSkinGridControl>("grid"),
    Kind<TqvDataSkinControl, TqvDataSkinTabControl>("tab"),
    Kind<TqvDataSkinControl, TqvDataSkinMainMenuBar>("mainmenubar"),
    Kind<TqvDataSkinControl, TqvDataSkinControlBar>("controlbar"),
    Kind<TqvDataSkinControl, TqvDataSkinMemoControl>("memo"),
    Kind<TqvDataSkinControl, TqvDataSkinEditControl>("edit"),
    Kind<TqvDataSkinControl, TqvDataSkinCheckListBox>("checklistbox"),
    Kind<TqvDataSkinControl, TqvDataSkinListBox>("listbox"),
    Kind<TqvDataSkinControl, TqvDataSkinComboBox>("combobox"),
    Kind<TqvDataSkinControl, TqvDataSkinScrollBarControl>("scrollbar"),
    Kind<TqvDataSkinControl, TqvDataSkinSpinEditControl>("spinedit"),
    Kind<TqvDataSkinControl, TqvDataSkinScrollBoxControl>("scrollbox"),
    Kind<TqvDataSkinControl, TqvDataSkinTreeView>("treeview"),
    Kind<TqvDataSkinControl, TqvDataSkinBevel>("bevel"),
    Kind<TqvDataSkinControl, TqvDataSkinSlider>("slider"),
    Kind<TqvDataSkinControl, TqvDataSkinListView>("listview"),
    Kind<TqvDataSkinControl, TqvDataSkinRichEdit>("richedit"),
};

const TKind<TqvDataSkinObject> kObjectKinds[] = {
    Kind<TqvDataSkinObject, TqvDataSkinMenuItem>("menuitem"),
    Kind<TqvDataSkinObject, TqvDataSkinMainMenuBarItem>("mainmenubaritem"),
    Kind<TqvDataSkinObject, TqvDataSkinMainMenuBarButton>("mainmenubarbutton"),
    Kind<TqvDataSkinObject, TqvDataSkinStdButton>("stdbutton"),
    Kind<TqvDataSkinObject, TqvDataSkinButton>("button"),
    Kind<TqvDataSkinObject, TqvDataSkinCaption>("caption"),
    Kind<TqvDataSkinObject, TqvDataUserObject>("userobject"),
    Kind<TqvDataSkinObject, TqvDataSkinAnimate>("animate"),
};

template <class Root, std::size_t N>
std::unique_ptr<Root> CreateByKind(const TKind<Root> (&kinds)[N], const QString& kind, const QString& id)
{
    for (const auto& k : kinds)
        if (kind == QLatin1String(k.Word))
            return k.Create(id);
    return nullptr;
}

template <class Root, std::size_t N>
QString KindOf(const TKind<Root> (&kinds)[N], const Root& record)
{
    for (const auto& k : kinds)
        if (k.IsA(record))
            return QLatin1String(k.Word);
    return QString();
}

template <class Root, std::size_t N>
QStringList KindWords(const TKind<Root> (&kinds)[N])
{
    QStringList words;
    for (const auto& k : kinds)
        words << QLatin1String(k.Word);
    return words;
}

// The caption buttons whose restore state needs a hint of its own.
QString RestoreHintFor(const QString& hint, TqvStdCommand command, const QString& restoreHint)
{
    if (!restoreHint.isEmpty())
        return restoreHint;
    if ((hint == QLatin1String("Maximize") && command == cmMaximize) ||
        (hint == QLatin1String("Minimize") && command == cmMinimize) ||
        ((hint == QLatin1String("RollUp") || hint == QLatin1String("Roll Up")) && command == cmRollUp))
        return QStringLiteral("Restore");
    return restoreHint;
}

}  // namespace

void TqvDataSkinControl::LoadFromFile(const TqvSkinIni& ini)
{
    static const TqvDataSkinControl defaults{QString()};
    ReadSkinFields<TqvDataSkinControl>(ini, IDName, *this, defaults, Fields());
}

void TqvDataSkinControl::SaveToFile(TqvSkinIni& ini)
{
    ini.EraseSection(IDName);
    WriteSkinFields<TqvDataSkinControl>(ini, IDName, *this, Fields());
}

bool TqvDataSkinControl::SameFields(const TqvDataSkinControl& other) const
{
    return typeid(other) == typeid(*this) && IDName == other.IDName &&
           SkinFieldsEqual<TqvDataSkinControl>(*this, other, Fields());
}

void TqvDataSkinObject::LoadFromFile(const TqvSkinIni& ini)
{
    static const TqvDataSkinObject defaults{QString()};
    ReadSkinFields<TqvDataSkinObject>(ini, IDName, *this, defaults, Fields());
}

void TqvDataSkinObject::SaveToFile(TqvSkinIni& ini)
{
    ini.EraseSection(IDName);
    WriteSkinFields<TqvDataSkinObject>(ini, IDName, *this, Fields());
}

bool TqvDataSkinObject::SameFields(const TqvDataSkinObject& other) const
{
    return typeid(other) == typeid(*this) && IDName == other.IDName &&
           SkinFieldsEqual<TqvDataSkinObject>(*this, other, Fields());
}

void TqvDataUserObject::LoadFromFile(const TqvSkinIni& ini)
{
    SkinRect = ReadSkinRect(ini, IDName, QStringLiteral("skinrect"));
}

void TqvDataUserObject::SaveToFile(TqvSkinIni& ini)
{
    ini.EraseSection(IDName);
    WriteSkinRect(ini, IDName, QStringLiteral("skinrect"), SkinRect);
}

bool TqvDataUserObject::SameFields(const TqvDataSkinObject& other) const
{
    return typeid(other) == typeid(*this) && TqvDataSkinObject::SameFields(other);
}

void TqvDataSkinUpDownControl::LoadFromFile(const TqvSkinIni& ini)
{
    TqvSkinRecord::LoadFromFile(ini);
    LTPoint = RTPoint = LBPoint = RBPoint = TPoint{};
    ClRect = TRect{};
}

void TqvDataSkinUpDownControl::SaveToFile(TqvSkinIni& ini)
{
    LTPoint = RTPoint = LBPoint = RBPoint = TPoint{};
    ClRect = TRect{};
    TqvSkinRecord::SaveToFile(ini);
}

void TqvDataSkinStdButton::LoadFromFile(const TqvSkinIni& ini)
{
    TqvSkinRecord::LoadFromFile(ini);
    RestoreHint = RestoreHintFor(Hint, Command, RestoreHint);
}

void TqvDataSkinAnimate::LoadFromFile(const TqvSkinIni& ini)
{
    TqvSkinRecord::LoadFromFile(ini);
    Morphing = false;
    RestoreHint = RestoreHintFor(Hint, Command, RestoreHint);
}

void TqvDataSkinMenuItem::LoadFromFile(const TqvSkinIni& ini)
{
    TqvSkinRecord::LoadFromFile(ini);
    auto fallBack = [](TRect& active, const TRect& plain) {
        if (active.Width() <= 0 || active.Height() <= 0)
            active = plain;
    };
    fallBack(ActiveCheckImageRect, CheckImageRect);
    fallBack(ActiveRadioImageRect, RadioImageRect);
    fallBack(ActiveArrowImageRect, ArrowImageRect);
}

std::unique_ptr<TqvDataSkinControl> CreateSkinControlRecord(const QString& kind, const QString& idName)
{
    return CreateByKind(kControlKinds, kind, idName);
}

std::unique_ptr<TqvDataSkinObject> CreateSkinObjectRecord(const QString& kind, const QString& idName)
{
    return CreateByKind(kObjectKinds, kind, idName);
}

QString SkinControlKind(const TqvDataSkinControl& record)
{
    return KindOf(kControlKinds, record);
}

QString SkinObjectKind(const TqvDataSkinObject& record)
{
    return KindOf(kObjectKinds, record);
}

const QStringList& SkinControlKinds()
{
    static const QStringList words = KindWords(kControlKinds);
    return words;
}

const QStringList& SkinObjectKinds()
{
    static const QStringList words = KindWords(kObjectKinds);
    return words;
}

void TqvSkinColors::SetColorsToDefault()
{
    FcBtnFace = SystemColorRef(15);
    FcBtnText = SystemColorRef(18);
    FcWindow = SystemColorRef(5);
    FcWindowText = SystemColorRef(8);
    FcHighLight = SystemColorRef(13);
    FcHighLightText = SystemColorRef(14);
    FcBtnHighLight = SystemColorRef(20);
    FcBtnShadow = SystemColorRef(16);
}

void TqvSkinColors::LoadFromFile(const TqvSkinIni& ini)
{
    static const TqvSkinColors defaults = [] {
        TqvSkinColors c;
        c.SetColorsToDefault();
        return c;
    }();
    ReadSkinFields<TqvSkinColors>(ini, kSkinColors, *this, defaults, Fields());
}

void TqvSkinColors::SaveToFile(TqvSkinIni& ini) const
{
    WriteSkinFields<TqvSkinColors>(ini, kSkinColors, *this, Fields());
}

void TqvDataSkinPopupWindow::LoadFromFile(const TqvSkinIni& ini)
{
    static const TqvDataSkinPopupWindow defaults;
    ReadSkinFields<TqvDataSkinPopupWindow>(ini, kPopupWindow, *this, defaults, Fields());
}

void TqvDataSkinPopupWindow::SaveToFile(TqvSkinIni& ini) const
{
    ini.EraseSection(kPopupWindow);
    WriteSkinFields<TqvDataSkinPopupWindow>(ini, kPopupWindow, *this, Fields());
}

void TqvDataSkinLayerFrame::LoadFromFile(const TqvSkinIni& ini)
{
    static const TqvDataSkinLayerFrame defaults;
    ReadSkinFields<TqvDataSkinLayerFrame>(ini, kLayerFrame, *this, defaults, Fields());
}

void TqvDataSkinLayerFrame::SaveToFile(TqvSkinIni& ini) const
{
    ini.EraseSection(kLayerFrame);
    WriteSkinFields<TqvDataSkinLayerFrame>(ini, kLayerFrame, *this, Fields());
}

void TqvDataSkinHintWindow::LoadFromFile(const TqvSkinIni& ini)
{
    static const TqvDataSkinHintWindow defaults = [] {
        TqvDataSkinHintWindow d;
        d.FontHeight = 14;
        return d;
    }();
    ReadSkinFields<TqvDataSkinHintWindow>(ini, kHintWindow, *this, defaults, Fields());
}

void TqvDataSkinHintWindow::SaveToFile(TqvSkinIni& ini) const
{
    ini.EraseSection(kHintWindow);
    WriteSkinFields<TqvDataSkinHintWindow>(ini, kHintWindow, *this, Fields());
}
