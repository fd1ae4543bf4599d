// The skinned list view: the platform's list view with the font and colours
// of the skin's "listview" record, a column header painted from a button
// record ("resizetoolbutton"), and two skinned scroll bars placed by the form
// that follow the hidden bars of the inner view and scroll it.
#pragma once

#include "platform/ComCtrls.h"
#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/base/SkinClient.h"
#include "skin/model/SkinData.h"

#include <QHeaderView>
#include <QPointer>

class TqvSkinCustomListView;

using TqvDrawHeaderSectionEvent = std::function<void(TCanvas& Cnvs, TListColumn* Column, bool Pressed, TRect R)>;

// Where a section's caption and image go (what the tests look at instead of glyphs).
struct TqvHeaderSectionText {
    QString Caption;  // shortened with "..." when it does not fit
    int TextX = 0;
    int TextY = 0;
    int ImageX = -1;  // -1: no image
    int ImageY = 0;
};

class TqvSkinListHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TqvSkinListHeader(TqvSkinCustomListView* view);

    // The header's picture at its current size: sections, then the area after the last.
    QImage BuildImage();
    int ActiveSection() const { return FActiveSection; }
    bool HeaderDown() const { return FHeaderDown; }
    bool DividerDown() const { return FDevDown; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool OnDivider(int x) const;

    TqvSkinCustomListView* FView;
    int FActiveSection = -1;
    bool FHeaderDown = false;
    bool FDevDown = false;
};

class TqvSkinCustomListView : public TCustomListView, public TqvSkinClient {
    Q_OBJECT
public:
    explicit TqvSkinCustomListView(QObject* AOwner = nullptr);
    ~TqvSkinCustomListView() override;

    TqvSkinData* SkinData() const override { return FSD.data(); }
    void SetSkinData(TqvSkinData* Value);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& v) { FSkinDataName = v; }
    const TFont& DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(const TFont& v);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor v);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool v) { FUseSkinFont = v; }
    QString HeaderSkinDataName() const { return FHeaderSkinDataName; }
    void SetHeaderSkinDataName(const QString& v);
    TqvSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TqvSkinScrollBar* v);
    TqvSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TqvSkinScrollBar* v);

    void ChangeSkinData() override;
    // Brings the external bars in step with the inner view.
    void UpDateScrollBars();
    void SetViewStyle(TViewStyle v) override;
    void Loaded() override;

    TqvSkinListHeader* SkinHeader() const { return FHeader; }
    int OldVScrollBarPos() const { return FOldVScrollBarPos; }
    int OldHScrollBarPos() const { return FOldHScrollBarPos; }

    // Draws section Column (its rect R in C) as the header does.
    void DrawHeaderSection(TCanvas& C, TListColumn* Column, const TRect& R, bool Pressed);
    // Fills the header's area after the last section.
    void DrawHeaderRest(TCanvas& C, const TRect& R);
    // The caption and image places of a section whose picture is R-sized (from 0, 0).
    TqvHeaderSectionText LayoutHeaderSection(TCanvas& C, TListColumn* Column, const TRect& R) const;

    TqvDrawHeaderSectionEvent OnDrawHeaderSection;

protected:
    void Change(TListItem* Item) override;
    void VisibleChanged() override;
    void Resize() override;

private:
    struct THeaderSkin {
        TRect SkinRect{}, ClRect{}, ActiveSkinRect{}, DownSkinRect{};
        TPoint LTPt{}, RTPt{}, LBPt{}, RBPt{};
        QImage Picture;
        TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0;
        bool StretchEffect = false, LeftStretch = false, TopStretch = false, RightStretch = false,
             BottomStretch = false;
        TqvStretchType StretchType = qvstFull;
    };
    int GetSkinIndex() const;
    void GetHeaderSkinData();
    void SyncBars();
    void VScrollBarChange();
    void HScrollBarChange();
    void WatchNativeBars();
    // Composes the header record's rect Src at W x H; false without a picture.
    bool ComposeHeader(QImage& B, const TRect& Src, int W, int H, bool openRight) const;

    QPointer<TqvSkinData> FSD;
    QString FSkinDataName = QStringLiteral("listview");
    QString FHeaderSkinDataName = QStringLiteral("resizetoolbutton");
    TFont FDefaultFont{QStringLiteral("Arial"), 14};
    TColor FDefaultColor = clWindow;
    bool FUseSkinFont = true;
    int FIndex = -1;
    int FHIndex = -1;
    THeaderSkin H;
    QPointer<TqvSkinScrollBar> FVScrollBar, FHScrollBar;
    int FOldVScrollBarPos = 0, FOldHScrollBarPos = 0;
    bool FInCheckScrollBars = false;  // bars change visibility or the parent realigns
    bool FromSB = false;              // a bar scrolls the view
    bool FUpdating = false;
    TqvSkinListHeader* FHeader;
};

class TqvSkinListView : public TqvSkinCustomListView {
    Q_OBJECT
public:
    using TqvSkinCustomListView::TqvSkinCustomListView;
};
