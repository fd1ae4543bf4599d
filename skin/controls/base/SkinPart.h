// What the windowed and the windowless skinned bases share: the binding to a
// skin model and a record name, the hint stores, and the off-screen picture
// protocol. A mixin beside the widget base, so each base keeps its own Qt class.
#pragma once

#include "platform/Control.h"
#include "platform/ImgList.h"
#include "skin/controls/base/SkinClient.h"
#include "skin/model/SkinData.h"

#include <QPointer>

class TqvSkinPart : public TqvSkinClient {
public:
    // Self is the control this part belongs to; it outlives the part's use.
    explicit TqvSkinPart(TControl* Self) : FSelf(Self) {}

    // Not owned; cleared (without a repaint) when the model is freed.
    TqvSkinData* SkinData() const override { return FSD.data(); }
    // Runs ChangeSkinData when the model is loaded.
    virtual void SetSkinData(TqvSkinData* Value);
    QString SkinDataName() const { return FSkinDataName; }
    // Only stores: the next paint or skin change looks the name up.
    virtual void SetSkinDataName(const QString& Value) { FSkinDataName = Value; }

    // Plain stores the skinned hint reads.
    QString HintTitle() const { return FHintTitle; }
    void SetHintTitle(const QString& v) { FHintTitle = v; }
    int HintImageIndex() const { return FHintImageIndex; }
    void SetHintImageIndex(int v) { FHintImageIndex = v; }
    TCustomImageList* HintImageList() const { return FHintImageList.data(); }
    void SetHintImageList(TCustomImageList* v) { FHintImageList = v; }

    // The record's index in the model's control list, -1 = skinless look.
    int SkinIndex() const { return FIndex; }
    virtual void GetSkinData();
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override { FIndex = -1; }

    // The picture at the current size (null at zero width or height).
    QImage BuildImage();

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    // The picture protocol: look the record up, then one of the builders.
    virtual void PaintImage(QImage& B);
    virtual void CreateControlDefaultImage(QImage& B) { (void)B; }
    virtual void CreateControlSkinImage(QImage& B) { (void)B; }
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The record at SkinIndex(), or nullptr.
    const TqvDataSkinControl* Record() const;

    // The widget events' shared bodies.
    void PresentImage();
    void GuardedMouseEnter();
    void GuardedMouseLeave();

    QPointer<TqvSkinData> FSD;
    QString FSkinDataName;
    int FIndex = -1;

private:
    TControl* FSelf;
    QString FHintTitle;
    int FHintImageIndex = 0;
    QPointer<TCustomImageList> FHintImageList;
};

// A white picture of the given size, the canvas every builder starts from.
QImage NewSkinImage(int W, int H);

// Releases the shortcut OldId and grabs the caption's Alt mnemonic on W;
// returns the new id, 0 without a mnemonic.
int RegrabMnemonic(QWidget* W, int OldId, const QString& Caption);
