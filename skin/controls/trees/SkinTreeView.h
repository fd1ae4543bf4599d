// The skinned tree view: font and colours from the "treeview" record, no
// frame and no native bars; two external skinned bars follow the hidden Qt
// bars and scroll the view, as the skinned list view does.
#pragma once

#include "platform/TreeView.h"
#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/base/SkinClient.h"
#include "skin/model/SkinData.h"

#include <QPointer>

class TqvSkinCustomTreeView : public TCustomTreeView, public TqvSkinClient {
    Q_OBJECT
public:
    explicit TqvSkinCustomTreeView(QObject* AOwner = nullptr);

    TqvSkinData* SkinData() const override { return FSD.data(); }
    void SetSkinData(TqvSkinData* Value);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& v) { FSkinDataName = v; }
    void ChangeSkinData() override;
    int SkinIndex() const { return FIndex; }

    const TFont& DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(const TFont& v);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor v);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool v) { FUseSkinFont = v; }

    TqvSkinScrollBar* VScrollBar() const { return FVScrollBar.data(); }
    void SetVScrollBar(TqvSkinScrollBar* v);
    TqvSkinScrollBar* HScrollBar() const { return FHScrollBar.data(); }
    void SetHScrollBar(TqvSkinScrollBar* v);
    void UpDateScrollBars();

protected:
    void Change(TTreeNode* Node) override;
    void VisibleChanged() override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void VScrollBarChange();
    void HScrollBarChange();

    QPointer<TqvSkinData> FSD;
    QString FSkinDataName = QStringLiteral("treeview");
    int FIndex = -1;
    TFont FDefaultFont{QStringLiteral("Arial"), 14};
    TColor FDefaultColor = clWindow;
    bool FUseSkinFont = true;
    QPointer<TqvSkinScrollBar> FVScrollBar, FHScrollBar;
    bool FInCheckScrollBars = false;
    bool FFromBar = false;
};
