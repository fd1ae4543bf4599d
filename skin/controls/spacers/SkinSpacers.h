// The skinned splitter and bevel: windowless platform controls that hold
// their own skin link and join the skin-change walk as skin clients.
#pragma once

#include "platform/Spacers.h"
#include "skin/controls/base/SkinClient.h"
#include "skin/model/SkinData.h"

#include <QImage>
#include <QPointer>

// Drawn from "hsplitter" (top or bottom aligned) or "vsplitter" with the
// record's gripper in its centre; its thickness follows the skin.
class TqvSkinSplitter : public TSplitter, public TqvSkinClient {
    Q_OBJECT
public:
    explicit TqvSkinSplitter(QObject* AOwner = nullptr);

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    // The thickness without a record or when transparent.
    int DefaultSize() const { return FDefaultSize; }
    void SetDefaultSize(int v) { FDefaultSize = v; }
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& v) { FSkinDataName = v; }
    TqvSkinData* SkinData() const override { return FSD.data(); }
    // Runs ChangeSkinData, also for none.
    void SetSkinData(TqvSkinData* Value);

    void GetSkinData();
    void ChangeSkinData() override;
    int SkinIndex() const { return FIndex; }

    // The picture Paint shows (transparent where nothing is drawn).
    QImage BuildImage();

protected:
    void Paint() override;
    void PaintTo(TCanvas& C);

private:
    bool FTransparent = false;
    int FDefaultSize = 10;
    QString FSkinDataName = QStringLiteral("vsplitter");
    QPointer<TqvSkinData> FSD;
    int FIndex = -1;
    // Copies of the record; the picture is shared with the model.
    bool FHasRecord = false;
    TRect FSkinRect{}, FGripperRect{};
    TPoint FLTPt{}, FRTPt{}, FLBPt{};
    bool FStretchEffect = false;
    bool FGripperTransparent = false;
    TColor FGripperTransparentColor = 0;
    QImage FPicture;
};

// The platform bevel in the light and dark colours of the skin's "bevel"
// record, with a divider mode; centred on a tool bar, whose model it uses
// when it has none of its own.
class TqvSkinBevel : public TBevel, public TqvSkinClient {
    Q_OBJECT
public:
    explicit TqvSkinBevel(QObject* AOwner = nullptr);

    bool DividerMode() const { return FDividerMode; }
    void SetDividerMode(bool v);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& v) { FSkinDataName = v; }
    TqvSkinData* SkinData() const override;
    void SetSkinData(TqvSkinData* Value);
    void ChangeSkinData() override;

    TColor LightColor() const { return FLightColor; }
    TColor DarkColor() const { return FDarkColor; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    QImage BuildImage();

protected:
    void Paint() override;
    void PaintTo(TCanvas& C);

private:
    bool FDividerMode = false;
    QString FSkinDataName = QStringLiteral("bevel");
    QPointer<TqvSkinData> FSD;
    TColor FLightColor = clBtnHighlight;
    TColor FDarkColor = clBtnShadow;
};
