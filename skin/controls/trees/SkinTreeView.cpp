#include "skin/controls/trees/SkinTreeView.h"

#include "skin/model/SkinRecords.h"

#include <QScrollBar>
#include <QTreeView>

TqvSkinCustomTreeView::TqvSkinCustomTreeView(QObject* AOwner) : TCustomTreeView(AOwner) {
    View()->setFrameShape(QFrame::NoFrame);
    View()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    View()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Whatever moves the hidden bars (keys, expanding, the wheel) moves ours.
    for (QScrollBar* b : {View()->verticalScrollBar(), View()->horizontalScrollBar()}) {
        connect(b, &QScrollBar::rangeChanged, this, [this] { UpDateScrollBars(); });
        connect(b, &QScrollBar::valueChanged, this, [this] { UpDateScrollBars(); });
    }
}

void TqvSkinCustomTreeView::SetSkinData(TqvSkinData* Value) {
    FSD = Value;
    if (Value && !Value->Empty) ChangeSkinData();
}

void TqvSkinCustomTreeView::SetDefaultFont(const TFont& v) {
    FDefaultFont.Assign(v);
    if (FIndex < 0) SetFont(v);
}

void TqvSkinCustomTreeView::SetDefaultColor(TColor v) {
    FDefaultColor = v;
    if (FIndex < 0) SetColor(v);
}

void TqvSkinCustomTreeView::ChangeSkinData() {
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex < 0) {
        SetColor(FDefaultColor);
        SetFont(FDefaultFont);
    } else if (const auto* r = dynamic_cast<const TqvDataSkinTreeView*>(FSD->CtrlList[std::size_t(FIndex)].get())) {
        TFont f = FDefaultFont;
        if (FUseSkinFont) {
            f = TFont(r->FontName, r->FontHeight);
            f.SetStyle(r->FontStyle);
        }
        f.SetColor(r->FontColor);
        SetFont(f);
        SetColor(r->BGColor);
    }
    UpDateScrollBars();
    for (TqvSkinScrollBar* b : {FVScrollBar.data(), FHScrollBar.data()})
        if (b && b->Align() != alNone && b->Parent()) b->Parent()->Realign();
}

void TqvSkinCustomTreeView::SetVScrollBar(TqvSkinScrollBar* v) {
    FVScrollBar = v;
    if (v) {
        v->SetEnabled(true);
        v->SetVisible(false);
        v->OnChange = [this](QObject*) { VScrollBarChange(); };
    }
    UpDateScrollBars();
}

void TqvSkinCustomTreeView::SetHScrollBar(TqvSkinScrollBar* v) {
    FHScrollBar = v;
    if (v) {
        v->SetEnabled(true);
        v->SetVisible(false);
        v->OnChange = [this](QObject*) { HScrollBarChange(); };
    }
    UpDateScrollBars();
}

void TqvSkinCustomTreeView::Change(TTreeNode* Node) {
    TCustomTreeView::Change(Node);
    UpDateScrollBars();
}

void TqvSkinCustomTreeView::VisibleChanged() {
    TCustomTreeView::VisibleChanged();
    for (TqvSkinScrollBar* b : {FVScrollBar.data(), FHScrollBar.data()})
        if (b) b->SetVisible(Visible());
}

void TqvSkinCustomTreeView::resizeEvent(QResizeEvent* e) {
    TCustomTreeView::resizeEvent(e);
    if (!FInCheckScrollBars) UpDateScrollBars();
}

// The native range of a hidden Qt bar: Max counts the last page in, as the
// external bar's page rule expects (Position <= Max - PageSize + 1).
void TqvSkinCustomTreeView::UpDateScrollBars() {
    if (FInCheckScrollBars || FFromBar) return;
    bool changed = false;
    auto show = [&](TqvSkinScrollBar* b, bool v) {
        if (b->Visible() == v) return;
        FInCheckScrollBars = true;
        b->SetVisible(v);
        FInCheckScrollBars = false;
        changed = true;
    };
    const bool shown = Visible();
    if (TqvSkinScrollBar* b = FVScrollBar) {
        QScrollBar* q = View()->verticalScrollBar();
        const int page = VisibleCount();
        const int max = q->maximum() > q->minimum() ? q->maximum() + std::max(1, q->pageStep()) - 1 : 0;
        const bool v = shown && max > 0 && page <= max && max < Items().Count();
        show(b, v);
        if (v) b->SetRange(q->minimum(), max, q->value(), page);
    }
    if (TqvSkinScrollBar* b = FHScrollBar) {
        QScrollBar* q = View()->horizontalScrollBar();
        const int width = View()->viewport()->width();
        const int max = q->maximum() > q->minimum() ? q->maximum() + q->pageStep() : 0;
        const bool v = shown && max > width;
        show(b, v);
        if (v) b->SetRange(q->minimum(), max, q->value(), width);
    }
    if (FVScrollBar && FHScrollBar && FHScrollBar->Both() != FVScrollBar->Visible())
        FHScrollBar->SetBoth(FVScrollBar->Visible());
    if (changed && Align() != alNone && Parent()) {
        FInCheckScrollBars = true;
        Parent()->Realign();
        FInCheckScrollBars = false;
    }
}

// The bar's position goes to the view in full (no 16-bit message).
void TqvSkinCustomTreeView::VScrollBarChange() {
    if (!FVScrollBar) return;
    FFromBar = true;
    View()->verticalScrollBar()->setValue(FVScrollBar->Position());
    FFromBar = false;
}

void TqvSkinCustomTreeView::HScrollBarChange() {
    if (!FHScrollBar) return;
    FFromBar = true;
    View()->horizontalScrollBar()->setValue(FHScrollBar->Position());
    FFromBar = false;
}
