#include "skin/model/SkinData.h"

#include "platform/Application.h"
#include "platform/Form.h"
#include "skin/model/SkinBitmaps.h"

#include <QBuffer>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kVersion = QStringLiteral("VERSION");
const QString kPictures = QStringLiteral("PICTURES");
const QString kFormInfo = QStringLiteral("FORMINFO");
const QString kSkinObjects = QStringLiteral("SKINOBJECTS");
const QString kSkinControls = QStringLiteral("SKINCONTROLS");
const QString kSkinColors = QStringLiteral("SKINCOLORS");
const QString kActivePictures = QStringLiteral("activepictures");

QString FolderOf(const QString& fileName)
{
    return QFileInfo(fileName).absolutePath() + u'/';
}

// Picture names come from the skin; writing one that climbs out of the target
// folder would overwrite files the user never chose.
void CheckPlainFileName(const QString& name)
{
    if (name.contains(u'/') || name.contains(u'\\') || name == QLatin1String(".") || name == QLatin1String(".."))
        throw EqvSkinError(
            QStringLiteral("The picture name \"%1\" is not a plain file name; nothing was written").arg(name).toStdString());
}

QImage LoadNamedPicture(const QString& folder, const QString& name)
{
    return name.isEmpty() ? QImage() : LoadSkinBmpFile(folder + name);
}

// "IDName:kind" split at its first colon; without a colon both are empty.
std::pair<QString, QString> SplitIDNameAndType(const QString& entry)
{
    const qsizetype colon = entry.indexOf(u':');
    if (colon < 0)
        return {};
    return {entry.left(colon), entry.mid(colon + 1)};
}

// [VERSION] texts and the frame picture names; both loaders read them alike.
void ReadTextsAndPictureNames(const TqvSkinIni& ini, TqvSkinData& skin)
{
    auto read = [&ini](const QString& section, const char* key) {
        return ini.ReadString(section, QLatin1String(key), QString());
    };
    skin.SkinName = read(kVersion, "skinname");
    skin.SkinAuthor = read(kVersion, "skinauthor");
    skin.AuthorEmail = read(kVersion, "authoremail");
    skin.AuthorURL = read(kVersion, "authorurl");
    skin.SkinComments = read(kVersion, "skincomments");
    skin.FPictureName = read(kPictures, "picture");
    skin.FInActivePictureName = read(kPictures, "inactivepicture");
    skin.FMaskName = read(kPictures, "mask");
}

template <class Record>
void WriteRecordList(TqvSkinIni& ini, const QString& section, const std::vector<std::unique_ptr<Record>>& list,
                     QString (*kindOf)(const Record&))
{
    ini.EraseSection(section);
    ini.WriteInteger(section, QStringLiteral("count"), static_cast<int>(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i) {
        ini.WriteString(section, QString::number(i), list[i]->IDName + u':' + kindOf(*list[i]));
        list[i]->SaveToFile(ini);
    }
}

}  // namespace

std::span<const TqvField<TqvSkinFormInfo>> TqvSkinFormInfo::Fields()
{
    using C = TqvSkinFormInfo;
    static const TqvField<C> fields[] = {
        {"lefttoppoint", &C::LTPoint},
        {"righttoppoint", &C::RTPoint},
        {"leftbottompoint", &C::LBPoint},
        {"rightbottompoint", &C::RBPoint},
        {"clientrect", &C::ClRect},
        {"bgpictureindex", &C::BGPictureIndex},
        {"mdibgpictureindex", &C::MDIBGPictureIndex},
        {"leftstretch", &C::LeftStretch},
        {"rightstretch", &C::RightStretch},
        {"topstretch", &C::TopStretch},
        {"bottomstretch", &C::BottomStretch},
        {"stretcheffect", &C::StretchEffect},
        {"stretchtype", &C::StretchType},
        {"mdibgstretcheffect", &C::MDIBGStretchEffect},
        {"mdibgstretchtype", &C::MDIBGStretchType},
        {"maskrectarea", &C::MaskRectArea},
        {"hittestlefttoppoint", &C::HitTestLTPoint},
        {"hittestrighttoppoint", &C::HitTestRTPoint},
        {"hittestleftbottompoint", &C::HitTestLBPoint},
        {"hittestrightbottompoint", &C::HitTestRBPoint},
        {"buttonsrect", &C::ButtonsRect},
        {"captionrect", &C::CaptionRect},
        {"buttonsoffset", &C::ButtonsOffset},
        {"buttonsinleft", &C::CapButtonsInLeft},
        {"mainmenupopupup", &C::MainMenuPopupUp},
        {"borderwidth", &C::BorderW},
        {"autorenderinginactiveimage", &C::AutoRenderingInActiveImage},
        {"inactiveeffect", &C::InActiveEffect},
        {"formminwidth", &C::FormMinWidth},
        {"mditabstransparent", &C::MDITabsTransparent},
        {"mainmenubartransparent", &C::MainMenuBarTransparent},
    };
    return fields;
}

TqvSkinData::TqvSkinData(QObject* AOwner) : TComponent(AOwner) {}

TqvSkinData::~TqvSkinData()
{
    Empty = true;
    ClearObjects();
}

// --- loading -------------------------------------------------------------

void TqvSkinData::BeginChange()
{
    Empty = true;
    ChangeSkinDataProcess = true;
    SendSkinDataMessage(WM_SKIN_CHANGING);
    ClearAll();
}

void TqvSkinData::EndChange()
{
    Empty = false;
    SendSkinDataMessage(WM_SKIN_CHANGED);
    ChangeSkinDataProcess = false;
    SendSkinDataMessage(WM_SKIN_CHANGE_DONE);
}

void TqvSkinData::AbortChange() noexcept
{
    ClearAll();
    // Half-read form info must not outlive the skin it came from.
    static_cast<TqvSkinFormInfo&>(*this) = TqvSkinFormInfo{};
    Empty = true;
    // The forms were told a change began; they must hear it ended, or they
    // would wait for a skin forever instead of painting their plain look.
    Application()->Guard([this] { SendSkinDataMessage(WM_SKIN_CHANGED); });
    ChangeSkinDataProcess = false;
    Application()->Guard([this] { SendSkinDataMessage(WM_SKIN_CHANGE_DONE); });
}

void TqvSkinData::LoadFromFile(const QString& fileName)
{
    TqvSkinIni ini;
    ini.LoadFromFile(fileName);
    if (!IsSkinIniFile(ini))
        throw EqvSkinError(QStringLiteral("\"%1\" is not a skin file: it lacks one of the sections "
                                          "[VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS], [SKINCONTROLS]")
                               .arg(fileName)
                               .toStdString());
    BeginChange();
    try {
        const QString folder = FolderOf(fileName);
        ReadTextsAndPictureNames(ini, *this);
        FPicture = LoadNamedPicture(folder, FPictureName);
        FInActivePicture = LoadNamedPicture(folder, FInActivePictureName);
        FMask = LoadNamedPicture(folder, FMaskName);
        QStringList names;
        ReadSkinStrings(ini, kPictures, kActivePictures, names);
        for (const QString& name : names) {
            FActivePictures.push_back(LoadSkinBmpFile(folder + name));
            FActivePicturesNames << name;
        }
        ReadSkin(ini);
    } catch (...) {
        AbortChange();
        throw;
    }
    EndChange();
}

void TqvSkinData::LoadCompressedStoredSkin(const TqvCompressedStoredSkin& storedSkin)
{
    if (storedSkin.Empty())
        return;
    BeginChange();
    try {
        QByteArray inflated;
        {
            QBuffer out(&inflated);
            out.open(QIODevice::WriteOnly);
            storedSkin.DeCompressToStream(&out);
        }
        TqvStoredSkinPayload payload = ParseStoredSkinPayload(inflated);
        if (payload.Version >= 4)
            throw EqvSkinError(QStringLiteral("The stored skin has format version %1, which this program cannot read")
                                   .arg(payload.Version)
                                   .toStdString());
        FPicture = payload.Picture;
        FInActivePicture = payload.InActivePicture;
        FMask = payload.Mask;
        FActivePictures = std::move(payload.ActivePictures);
        TqvSkinIni ini;
        ini.LoadFromText(payload.IniText);
        ReadTextsAndPictureNames(ini, *this);
        ReadSkinStrings(ini, kPictures, kActivePictures, FActivePicturesNames);
        // Names and pictures travel apart; the lists must stay in step.
        const auto pictures = static_cast<qsizetype>(FActivePictures.size());
        while (FActivePicturesNames.size() < pictures)
            FActivePicturesNames << QString();
        FActivePicturesNames.resize(pictures);
        ReadSkin(ini);
    } catch (...) {
        AbortChange();
        throw;
    }
    EndChange();
}

void TqvSkinData::LoadFromCompressedFile(const QString& fileName)
{
    TqvCompressedStoredSkin stored(this);
    stored.LoadFromCompressFile(fileName);
    LoadCompressedStoredSkin(stored);
}

void TqvSkinData::ReadSkin(const TqvSkinIni& ini)
{
    ReadFormInfo(ini);
    PopupWindow.LoadFromFile(ini);
    LayerFrame.LoadFromFile(ini);
    HintWindow.LoadFromFile(ini);
    FSkinColors.LoadFromFile(ini);
    ReadRecordLists(ini);
}

void TqvSkinData::ReadFormInfo(const TqvSkinIni& ini)
{
    static const TqvSkinFormInfo defaults;
    ReadSkinFields<TqvSkinFormInfo>(ini, kFormInfo, *this, defaults, TqvSkinFormInfo::Fields());
    if (!FMaskName.isEmpty()) {
        if (MaskRectArea.Width() <= 0 || MaskRectArea.Height() <= 0) {
            MaskRectArea = ClRect;
        } else {
            MaskRectArea.Left = std::min(MaskRectArea.Left, ClRect.Left);
            MaskRectArea.Top = std::min(MaskRectArea.Top, ClRect.Top);
            MaskRectArea.Right = std::max(MaskRectArea.Right, ClRect.Right);
            MaskRectArea.Bottom = std::max(MaskRectArea.Bottom, ClRect.Bottom);
        }
        auto take = [](TPoint& hit, TPoint corner) {
            if (hit.X == 0 || hit.Y == 0)
                hit = corner;
        };
        take(HitTestLTPoint, LTPoint);
        take(HitTestRTPoint, RTPoint);
        take(HitTestLBPoint, LBPoint);
        take(HitTestRBPoint, RBPoint);
    }
    // A frame without a stretchable middle keeps its points where they are.
    if (RBPoint.X != LTPoint.X && RBPoint.Y != LTPoint.Y) {
        LTPoint.X = std::max(LTPoint.X, ClRect.Left);
        LBPoint.X = std::max(LBPoint.X, ClRect.Left);
        LTPoint.Y = std::max(LTPoint.Y, ClRect.Top);
        RTPoint.Y = std::max(RTPoint.Y, ClRect.Top);
        RTPoint.X = std::min(RTPoint.X, ClRect.Right);
        RBPoint.X = std::min(RBPoint.X, ClRect.Right);
        LBPoint.Y = std::min(LBPoint.Y, ClRect.Bottom);
        RBPoint.Y = std::min(RBPoint.Y, ClRect.Bottom);
    }
}

void TqvSkinData::ReadRecordLists(const TqvSkinIni& ini)
{
    // An entry names a section of its own, and every section takes at least
    // one line: a count beyond the sections present is damage, not a skin.
    auto count = [&](const QString& section) {
        const int n = ini.ReadInteger(section, QStringLiteral("count"), 0);
        if (n > static_cast<int>(ini.Keys(section).size()))
            throw EqvSkinError(QStringLiteral("Section [%1] says it has %2 entries but holds fewer")
                                   .arg(section)
                                   .arg(n)
                                   .toStdString());
        return n;
    };
    const int objects = count(kSkinObjects);
    for (int i = 0; i < objects; ++i) {
        const auto [id, kind] = SplitIDNameAndType(ini.ReadString(kSkinObjects, QString::number(i), QString()));
        if (auto record = CreateSkinObjectRecord(kind, id)) {
            record->LoadFromFile(ini);
            ObjectList.push_back(std::move(record));
        }
    }
    const int controls = count(kSkinControls);
    for (int i = 0; i < controls; ++i) {
        const auto [id, kind] = SplitIDNameAndType(ini.ReadString(kSkinControls, QString::number(i), QString()));
        if (auto record = CreateSkinControlRecord(kind, id)) {
            record->LoadFromFile(ini);
            CtrlList.push_back(std::move(record));
        }
    }
}

// --- writing -------------------------------------------------------------

void TqvSkinData::WriteSkinIni(TqvSkinIni& ini) const
{
    ini.EraseSection(kVersion);
    ini.WriteInteger(kVersion, QStringLiteral("ver"), 1);
    ini.WriteString(kVersion, QStringLiteral("skinname"), SkinName);
    ini.WriteString(kVersion, QStringLiteral("skinauthor"), SkinAuthor);
    ini.WriteString(kVersion, QStringLiteral("authoremail"), AuthorEmail);
    ini.WriteString(kVersion, QStringLiteral("authorurl"), AuthorURL);
    ini.WriteString(kVersion, QStringLiteral("skincomments"), SkinComments);
    ini.EraseSection(kPictures);
    ini.WriteString(kPictures, QStringLiteral("picture"), FPictureName);
    ini.WriteString(kPictures, QStringLiteral("inactivepicture"), FInActivePictureName);
    ini.WriteString(kPictures, QStringLiteral("mask"), FMaskName);
    WriteSkinStrings(ini, kPictures, kActivePictures, FActivePicturesNames);
    ini.EraseSection(kFormInfo);
    WriteSkinFields<TqvSkinFormInfo>(ini, kFormInfo, *this, TqvSkinFormInfo::Fields());
    PopupWindow.SaveToFile(ini);
    LayerFrame.SaveToFile(ini);
    HintWindow.SaveToFile(ini);
    ini.EraseSection(kSkinColors);
    FSkinColors.SaveToFile(ini);
    WriteRecordList(ini, kSkinObjects, ObjectList, &SkinObjectKind);
    WriteRecordList(ini, kSkinControls, CtrlList, &SkinControlKind);
}

void TqvSkinData::SaveToFile(const QString& fileName) const
{
    TqvSkinIni ini;
    if (QFileInfo::exists(fileName))
        ini.LoadFromFile(fileName);
    WriteSkinIni(ini);
    ini.SaveToFile(fileName);
}

void TqvSkinData::SaveToCompressedFile(const QString& fileName) const
{
    TqvCompressedStoredSkin stored;
    stored.LoadFromSkinData(*this);
    stored.SaveToCompressFile(fileName);
}

void TqvSkinData::StoreToDisk(const QString& fileName) const
{
    for (const QString* name : {&FPictureName, &FInActivePictureName, &FMaskName})
        CheckPlainFileName(*name);
    for (const QString& name : FActivePicturesNames)
        CheckPlainFileName(name);
    SaveToFile(fileName);
    const QString folder = FolderOf(fileName);
    const std::pair<const QImage*, const QString*> frames[] = {
        {&FPicture, &FPictureName}, {&FInActivePicture, &FInActivePictureName}, {&FMask, &FMaskName}};
    for (const auto& [image, name] : frames)
        if (!image->isNull() && !name->isEmpty())
            SaveSkinBmpFile(*image, folder + *name);
    for (qsizetype i = 0; i < FActivePicturesNames.size() && i < qsizetype(FActivePictures.size()); ++i)
        if (!FActivePicturesNames[i].isEmpty())
            SaveSkinBmpFile(FActivePictures[std::size_t(i)], folder + FActivePicturesNames[i]);
}

// --- clearing and lookups ------------------------------------------------

void TqvSkinData::ClearSkin()
{
    ClearAll();
    SendSkinDataMessage(WM_SKIN_CHANGING);
    SendSkinDataMessage(WM_SKIN_CHANGED);
    SendSkinDataMessage(WM_SKIN_CHANGE_DONE);
}

void TqvSkinData::ClearAll()
{
    ClearObjects();
    FPicture = QImage();
    FMask = QImage();
    FInActivePicture = QImage();
    FPictureName.clear();
    FInActivePictureName.clear();
    FMaskName.clear();
    Empty = true;
}

void TqvSkinData::ClearObjects()
{
    ObjectList.clear();
    CtrlList.clear();
    FActivePictures.clear();
    FActivePicturesNames.clear();
    LayerFrame.PictureIndex = -1;
    PopupWindow.WindowPictureIndex = -1;
    HintWindow.WindowPictureIndex = -1;
    FSkinColors.SetColorsToDefault();
}

int TqvSkinData::GetControlIndex(const QString& idName) const
{
    for (std::size_t i = 0; i < CtrlList.size(); ++i)
        if (CtrlList[i]->IDName == idName)
            return static_cast<int>(i);
    return -1;
}

int TqvSkinData::GetIndex(const QString& idName) const
{
    for (std::size_t i = 0; i < ObjectList.size(); ++i)
        if (ObjectList[i]->IDName == idName)
            return static_cast<int>(i);
    return -1;
}

void TqvSkinData::AddBitMap(const QString& fileName)
{
    QImage image = LoadSkinBmpFile(fileName);
    FActivePicturesNames << QFileInfo(fileName).fileName();
    FActivePictures.push_back(std::move(image));
}

void TqvSkinData::DeleteBitMap(int index)
{
    if (index < 0 || index >= static_cast<int>(FActivePictures.size()))
        throw EqvSkinError(QStringLiteral("Picture index %1 is out of range").arg(index).toStdString());
    FActivePicturesNames.removeAt(index);
    FActivePictures.erase(FActivePictures.begin() + index);
}

// --- broadcast -----------------------------------------------------------

void TqvSkinData::SendSkinDataMessage(unsigned msg)
{
    const auto w = reinterpret_cast<WPARAM>(this);
    TForm* ownerForm = dynamic_cast<TForm*>(Owner());
    const bool ownerFirst = ownerForm && !FShowLayeredBorders;
    if (ownerFirst)
        SendMessage(ownerForm, msg, w, SKIN_MESSAGE_LPARAM);
    // Taken once, before the others hear anything; a form destroyed by a
    // handler on the way is skipped.
    QList<QPointer<TForm>> forms;
    for (TForm* form : Application()->Forms()) {
        if (ownerFirst && form == ownerForm)
            continue;
        if (qstrcmp(form->metaObject()->className(), "TqvFormLayerWindow") == 0)
            continue;
        forms << form;
    }
    if (FShowLayeredBorders && LayerFrame.PictureIndex != -1)
        std::reverse(forms.begin(), forms.end());
    for (const QPointer<TForm>& form : forms)
        if (form)
            SendMessage(form, msg, w, SKIN_MESSAGE_LPARAM);
}

// --- properties ----------------------------------------------------------

void TqvSkinData::LoadListItem(int index)
{
    LoadCompressedStoredSkin(*FCompressedSkinList->Skins().GetItem(index)->Skin());
}

void TqvSkinData::SetSkinList(TqvCompressedSkinList* value)
{
    FCompressedSkinList = value;
    if (value && FCompressedSkinIndex >= 0 && FCompressedSkinIndex < value->Skins().Count())
        LoadListItem(FCompressedSkinIndex);
}

void TqvSkinData::SetSkinIndex(int value)
{
    if (value == FCompressedSkinIndex)
        return;
    if (!FCompressedSkinList) {
        FCompressedSkinIndex = value;
        return;
    }
    if (value < 0 || value >= FCompressedSkinList->Skins().Count())
        return;
    FCompressedSkinIndex = value;
    LoadListItem(value);
}

void TqvSkinData::SetCompressedStoredSkin(TqvCompressedStoredSkin* value)
{
    FCompressedStoredSkin = value;
    if (value)
        LoadCompressedStoredSkin(*value);
}

void TqvSkinData::SetResourceStrData(TqvResourceStrData* value)
{
    FResourceStrData = value;
    SendSkinDataMessage(WM_SKIN_STRINGS_CHANGED);
}

void TqvSkinData::SetSkinnableForm(bool value)
{
    if (value == FSkinnableForm)
        return;
    FSkinnableForm = value;
    if (!Loading())
        SendSkinDataMessage(WM_SKIN_FORM_SKINNABLE_CHANGED);
}

void TqvSkinData::SetShowLayeredBorders(bool value)
{
    if (value == FShowLayeredBorders)
        return;
    FShowLayeredBorders = value;
    if (!Loading())
        SendSkinDataMessage(WM_SKIN_LAYERED_BORDERS_CHANGED);
}
