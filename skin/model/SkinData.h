// The skin model: one loaded skin (frame pictures, the other pictures, the
// [FORMINFO] geometry, the record lists and four fixed records) and the
// skin-change broadcast to every form. UI thread only.
#pragma once

#include "platform/Component.h"
#include "skin/model/ResourceStrings.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/StoredSkin.h"

#include <QImage>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <vector>

// [FORMINFO]: the frame picture's geometry, in frame-picture coordinates.
struct TqvSkinFormInfo {
    TPoint LTPoint{}, RTPoint{}, LBPoint{}, RBPoint{};
    TRect ClRect{};
    int BGPictureIndex = -1;
    int MDIBGPictureIndex = -1;
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TqvStretchType StretchType = qvstFull;
    bool MDIBGStretchEffect = false;
    TqvStretchType MDIBGStretchType = qvstFull;
    TRect MaskRectArea{};
    TPoint HitTestLTPoint{}, HitTestRTPoint{}, HitTestLBPoint{}, HitTestRBPoint{};
    TRect ButtonsRect{};
    TRect CaptionRect{};
    int ButtonsOffset = 0;
    bool CapButtonsInLeft = false;
    bool MainMenuPopupUp = false;
    int BorderW = 0;
    bool AutoRenderingInActiveImage = false;
    TqvInActiveEffect InActiveEffect = ieBrightness;
    int FormMinWidth = 0;
    bool MDITabsTransparent = false;
    bool MainMenuBarTransparent = false;

    // In writing order.
    static std::span<const TqvField<TqvSkinFormInfo>> Fields();
};

class TqvSkinData : public TComponent, public TqvSkinFormInfo {
    Q_OBJECT
public:
    explicit TqvSkinData(QObject* AOwner = nullptr);
    ~TqvSkinData() override;

    // Loading. A file that is no skin ini throws and changes nothing. Any
    // other failure leaves a clean empty model, still sends WM_SKIN_CHANGED
    // and WM_SKIN_CHANGE_DONE so forms repaint their skinless look, and
    // then throws (EqvSkinError, EZlibError) with the reason.
    void LoadFromFile(const QString& fileName);
    // An empty stored skin changes nothing.
    void LoadCompressedStoredSkin(const TqvCompressedStoredSkin& storedSkin);
    void LoadFromCompressedFile(const QString& fileName);

    void SaveToCompressedFile(const QString& fileName) const;
    // Sections the skin does not write stay as they are in an existing file.
    void SaveToFile(const QString& fileName) const;
    // A skin folder: the ini, then every picture under its name beside it.
    void StoreToDisk(const QString& fileName) const;
    // Every section is erased before it is written.
    void WriteSkinIni(TqvSkinIni& ini) const;

    void ClearSkin();
    void ClearAll();
    void ClearObjects();

    // First record with exactly this name (case counts), or -1.
    int GetControlIndex(const QString& idName) const;
    int GetIndex(const QString& idName) const;

    void SendSkinDataMessage(unsigned msg);

    void AddBitMap(const QString& fileName);
    void DeleteBitMap(int index);

    TqvCompressedSkinList* SkinList() const { return FCompressedSkinList; }
    void SetSkinList(TqvCompressedSkinList* value);
    int SkinIndex() const { return FCompressedSkinIndex; }
    void SetSkinIndex(int value);
    TqvCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
    void SetCompressedStoredSkin(TqvCompressedStoredSkin* value);
    TqvResourceStrData* ResourceStrData() const { return FResourceStrData; }
    void SetResourceStrData(TqvResourceStrData* value);
    bool SkinnableForm() const { return FSkinnableForm; }
    void SetSkinnableForm(bool value);
    bool ShowLayeredBorders() const { return FShowLayeredBorders; }
    void SetShowLayeredBorders(bool value);
    bool AnimationForAllWindows() const { return FAnimationForAllWindows; }
    void SetAnimationForAllWindows(bool value) { FAnimationForAllWindows = value; }
    bool EnableSkinEffects() const { return FEnableSkinEffects; }
    void SetEnableSkinEffects(bool value) { FEnableSkinEffects = value; }
    bool ShowButtonGlowFrames() const { return FShowButtonGlowFrames; }
    void SetShowButtonGlowFrames(bool value) { FShowButtonGlowFrames = value; }
    bool ShowCaptionButtonGlowFrames() const { return FShowCaptionButtonGlowFrames; }
    void SetShowCaptionButtonGlowFrames(bool value) { FShowCaptionButtonGlowFrames = value; }
    const TqvSkinColors& SkinColors() const { return FSkinColors; }
    TqvSkinColors& SkinColors() { return FSkinColors; }

    // Read directly by the skinned forms and controls; owned by the model and
    // replaced at every skin change, so users keep only indexes.
    TqvDataSkinPopupWindow PopupWindow;
    TqvDataSkinLayerFrame LayerFrame;
    TqvDataSkinHintWindow HintWindow;
    bool Empty = true;
    // From the start of a load until just before WM_SKIN_CHANGE_DONE.
    bool ChangeSkinDataProcess = false;
    QImage FPicture, FInActivePicture, FMask;  // Format_RGB32; null = none
    std::vector<QImage> FActivePictures;       // in step with FActivePicturesNames
    QString FPictureName, FInActivePictureName, FMaskName;
    QStringList FActivePicturesNames;
    std::vector<std::unique_ptr<TqvDataSkinObject>> ObjectList;
    std::vector<std::unique_ptr<TqvDataSkinControl>> CtrlList;
    QString SkinName, SkinAuthor, AuthorURL, AuthorEmail, SkinComments;

private:
    void BeginChange();
    // The clean-up of a failed load: an empty model and a closed change.
    void AbortChange() noexcept;
    void EndChange();
    void ReadSkin(const TqvSkinIni& ini);
    void ReadFormInfo(const TqvSkinIni& ini);
    void ReadRecordLists(const TqvSkinIni& ini);
    void LoadListItem(int index);

    QPointer<TqvCompressedSkinList> FCompressedSkinList;
    int FCompressedSkinIndex = 0;
    bool FSkinnableForm = true;
    bool FEnableSkinEffects = true;
    QPointer<TqvCompressedStoredSkin> FCompressedStoredSkin;
    QPointer<TqvResourceStrData> FResourceStrData;
    TqvSkinColors FSkinColors;
    bool FShowButtonGlowFrames = true;
    bool FShowCaptionButtonGlowFrames = true;
    bool FShowLayeredBorders = true;
    bool FAnimationForAllWindows = false;
};
