// The windowless twins of the skinned bases: alien child widgets that never
// take the focus and paint opaquely. They share the windowed bases' geometry
// type; they have no window region, no piecewise paint, and the skin-change
// walk runs only their ChangeSkinData.
#pragma once

#include "platform/Control.h"
#include "platform/ImgList.h"
#include "skin/controls/base/SkinClient.h"
#include "skin/controls/base/SkinGeometry.h"
#include "skin/model/SkinData.h"

#include <QPointer>

class TqvGraphicSkinControl : public TGraphicControl, public TqvSkinClient {
    Q_OBJECT
public:
    explicit TqvGraphicSkinControl(QObject* AOwner = nullptr);

    TqvSkinData* SkinData() const override { return FSD.data(); }
    virtual void SetSkinData(TqvSkinData* Value);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& Value) { FSkinDataName = Value; }

    QString HintTitle() const { return FHintTitle; }
    void SetHintTitle(const QString& v) { FHintTitle = v; }
    int HintImageIndex() const { return FHintImageIndex; }
    void SetHintImageIndex(int v) { FHintImageIndex = v; }
    TCustomImageList* HintImageList() const { return FHintImageList.data(); }
    void SetHintImageList(TCustomImageList* v) { FHintImageList = v; }

    int SkinIndex() const { return FIndex; }
    virtual void GetSkinData();
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override { FIndex = -1; }

    QImage BuildImage();

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    virtual void PaintImage(QImage& B);
    virtual void CreateControlDefaultImage(QImage& B) { (void)B; }
    virtual void CreateControlSkinImage(QImage& B) { (void)B; }
    virtual void MouseEnter();
    virtual void MouseLeave();
    const TqvDataSkinControl* Record() const;

    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

    QPointer<TqvSkinData> FSD;
    QString FSkinDataName;
    int FIndex = -1;

private:
    QString FHintTitle;
    int FHintImageIndex = 0;
    QPointer<TCustomImageList> FHintImageList;
};

class TqvGraphicSkinCustomControl : public TqvGraphicSkinControl {
    Q_OBJECT
public:
    explicit TqvGraphicSkinCustomControl(QObject* AOwner = nullptr);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    virtual void AdjustSkinSize(int& AWidth, int& AHeight);

    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int v);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int v);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& f) { FDefaultFont.Assign(f); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool v) { FUseSkinFont = v; }

    const TqvSkinGeometry& Geometry() const { return G; }
    int ResizeMode() const { return G.ResizeMode; }
    TRect RealClientRect() const { return G.NewClRect; }
    int RealClientWidth() const { return G.NewClRect.Width(); }
    int RealClientHeight() const { return G.NewClRect.Height(); }
    int RealClientLeft() const { return G.NewClRect.Left; }
    int RealClientTop() const { return G.NewClRect.Top; }

protected:
    virtual void DefaultFontChanged() {}
    void CreateControlDefaultImage(QImage& B) override;
    void CreateControlSkinImage(QImage& B) override;
    void CreateSkinImage(QImage& B, const QImage& APicture, const TRect& ARect);

    TqvSkinGeometry G;

private:
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    TFont FDefaultFont{QStringLiteral("Arial"), 14};
    bool FUseSkinFont = true;
};
