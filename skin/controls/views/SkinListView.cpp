#include "skin/controls/views/SkinListView.h"

#include "platform/Application.h"
#include "skin/controls/base/SkinControl.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>

namespace {

bool NonZero(TPoint p) { return p.X != 0 || p.Y != 0; }
bool Unset(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }

}  // namespace

// ---- TqvSkinListHeader ----

TqvSkinListHeader::TqvSkinListHeader(TqvSkinCustomListView* view) : QHeaderView(Qt::Horizontal), FView(view) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage TqvSkinListHeader::BuildImage() {
    const int w = viewport()->width(), h = viewport()->height();
    if (w <= 0 || h <= 0) return {};
    QImage img = NewSkinImage(w, h);
    TCanvas c(&img);
    int right = 0;
    for (int i = 0; i < count(); ++i) {
        if (isSectionHidden(i)) continue;
        const TRect r = Bounds(sectionViewportPosition(i), 0, sectionSize(i), h);
        if (r.Width() <= 0) continue;
        QImage sec = NewSkinImage(r.Width(), r.Height());
        TCanvas sc(&sec);
        TListColumn* col = i < FView->Columns().Count() ? FView->Columns()[i] : nullptr;
        FView->DrawHeaderSection(sc, col, Rect(0, 0, r.Width(), r.Height()), i == FActiveSection && FHeaderDown);
        c.Draw(r.Left, 0, sec);
        right = std::max(right, r.Right);
    }
    // The rest of the header looks like an unfinished section, open to the right.
    if (right < w + 1) {
        QImage rest = NewSkinImage(w + 1 - right, h);
        TCanvas rc(&rest);
        FView->DrawHeaderRest(rc, Rect(0, 0, rest.width(), h));
        c.Draw(right, 0, rest);
    }
    return img;
}

void TqvSkinListHeader::paintEvent(QPaintEvent*) {
    QImage img;
    Application()->Guard([&] { img = BuildImage(); });
    QPainter p(viewport());
    p.drawImage(0, 0, img);
}

// Near a boundary between sections, as the header decides where a resize starts.
bool TqvSkinListHeader::OnDivider(int x) const {
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    for (int i = 0; i < count(); ++i) {
        if (isSectionHidden(i)) continue;
        const int right = sectionViewportPosition(i) + sectionSize(i);
        if (std::abs(x - right) <= grip) return true;
    }
    return false;
}

void TqvSkinListHeader::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        const int x = int(e->position().x());
        FActiveSection = logicalIndexAt(x);
        FDevDown = OnDivider(x);
        FHeaderDown = !FDevDown;
        viewport()->update();
    }
    QHeaderView::mousePressEvent(e);
}

void TqvSkinListHeader::mouseMoveEvent(QMouseEvent* e) {
    QHeaderView::mouseMoveEvent(e);
    if (FDevDown) viewport()->update();
}

void TqvSkinListHeader::mouseReleaseEvent(QMouseEvent* e) {
    QHeaderView::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton) return;
    FHeaderDown = FDevDown = false;
    FActiveSection = -1;
    viewport()->update();
}

// ---- TqvSkinCustomListView ----

TqvSkinCustomListView::TqvSkinCustomListView(QObject* AOwner)
    : TCustomListView(AOwner), FHeader(new TqvSkinListHeader(this)) {
    SetHeaderView(FHeader);
    Font().Assign(FDefaultFont);
    WatchNativeBars();
}

TqvSkinCustomListView::~TqvSkinCustomListView() {
    // The views go in the base's destructor and report their last range changes.
    for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(ReportView()), static_cast<QAbstractItemView*>(IconView())})
        for (QScrollBar* b : {v->verticalScrollBar(), v->horizontalScrollBar()}) b->disconnect(this);
    // The bars belong to the form; they must not call back into a view that is going.
    for (TqvSkinScrollBar* b : {FVScrollBar.data(), FHScrollBar.data()})
        if (b) b->OnChange = nullptr;
}

// Any change of the inner view's hidden ranges or positions reaches the
// external bars: scrolling by keys, the wheel, selection, resizing, new rows.
void TqvSkinCustomListView::WatchNativeBars() {
    for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(ReportView()), static_cast<QAbstractItemView*>(IconView())})
        for (QScrollBar* b : {v->verticalScrollBar(), v->horizontalScrollBar()}) {
            connect(b, &QScrollBar::rangeChanged, this, [this] { SyncBars(); });
            connect(b, &QScrollBar::valueChanged, this, [this] { SyncBars(); });
        }
}

void TqvSkinCustomListView::SetSkinData(TqvSkinData* Value) {
    FSD = Value;
    if (FSD && !FSD->Empty) ChangeSkinData();
}

void TqvSkinCustomListView::SetDefaultFont(const TFont& v) {
    FDefaultFont.Assign(v);
    if (FIndex < 0) Font().Assign(v);
}

void TqvSkinCustomListView::SetDefaultColor(TColor v) {
    FDefaultColor = v;
    if (FIndex < 0) SetColor(v);
}

void TqvSkinCustomListView::SetHeaderSkinDataName(const QString& v) {
    FHeaderSkinDataName = v;
    FHeader->viewport()->update();
}

int TqvSkinCustomListView::GetSkinIndex() const {
    return (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
}

void TqvSkinCustomListView::ChangeSkinData() {
    FIndex = GetSkinIndex();
    if (FIndex < 0) {
        SetColor(FDefaultColor);
        Font().Assign(FDefaultFont);
    } else if (const auto* r = dynamic_cast<const TqvDataSkinListView*>(FSD->CtrlList[std::size_t(FIndex)].get())) {
        TFont f(FDefaultFont);
        if (FUseSkinFont) {
            f.SetName(r->FontName);
            f.SetStyle(r->FontStyle);
            f.SetHeight(r->FontHeight);
        }
        f.SetColor(r->FontColor);
        Font().Assign(f);
        SetColor(r->BGColor);
    }
    Font().SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet() : FDefaultFont.Charset());
    UpDateScrollBars();
    for (TqvSkinScrollBar* b : {FVScrollBar.data(), FHScrollBar.data()})
        if (b && b->Align() != alNone && b->Parent()) b->Parent()->Realign();
    FHeader->viewport()->update();
}

void TqvSkinCustomListView::Loaded() {
    FInCheckScrollBars = true;
    TCustomListView::Loaded();
    FInCheckScrollBars = false;
    ChangeSkinData();
}

void TqvSkinCustomListView::SetVScrollBar(TqvSkinScrollBar* v) {
    FVScrollBar = v;
    if (v) {
        v->SetEnabled(true);
        v->SetVisible(false);
        v->OnChange = [this](QObject*) { VScrollBarChange(); };
    }
    UpDateScrollBars();
}

void TqvSkinCustomListView::SetHScrollBar(TqvSkinScrollBar* v) {
    FHScrollBar = v;
    if (v) {
        v->SetEnabled(true);
        v->SetVisible(false);
        v->OnChange = [this](QObject*) { HScrollBarChange(); };
    }
    UpDateScrollBars();
}

void TqvSkinCustomListView::SetViewStyle(TViewStyle v) {
    TCustomListView::SetViewStyle(v);
    UpDateScrollBars();
}

void TqvSkinCustomListView::Change(TListItem* Item) {
    TCustomListView::Change(Item);
    if (!FInCheckScrollBars) SyncBars();
}

void TqvSkinCustomListView::VisibleChanged() {
    TCustomListView::VisibleChanged();
    for (TqvSkinScrollBar* b : {FVScrollBar.data(), FHScrollBar.data()})
        if (b) b->SetVisible(Visible());
    UpDateScrollBars();
}

void TqvSkinCustomListView::Resize() {
    TCustomListView::Resize();
    if (!FInCheckScrollBars && Items().Count() > 0) UpDateScrollBars();
}

void TqvSkinCustomListView::UpDateScrollBars() {
    if (FUpdating) return;
    FUpdating = true;
    // The views lay out late; ranges are read after a layout made now.
    LayOutViews();
    FUpdating = false;
    SyncBars();
}

// The native range of a hidden bar: Max counts the last page in, as the
// external bar's own page rule expects (Position <= Max - PageSize + 1).
void TqvSkinCustomListView::SyncBars() {
    if (FUpdating || FromSB || FInCheckScrollBars || Width() <= 5 || Height() <= 5) return;
    QAbstractItemView* view = ActiveView();
    QScrollBar* qv = view->verticalScrollBar();
    QScrollBar* qh = view->horizontalScrollBar();
    const TViewStyle style = ViewStyle();
    const bool shown = Visible();
    bool changed = false;
    auto show = [&](TqvSkinScrollBar* b, bool v) {
        if (b->Visible() == v) return;
        FInCheckScrollBars = true;
        b->SetVisible(v);
        FInCheckScrollBars = false;
        changed = true;
    };
    auto nativeMax = [](QScrollBar* b) { return b->maximum() + std::max(1, b->pageStep()) - 1; };
    auto halfItem = [&] {
        const QRect r = Items().Count() > 0 ? view->visualRect(Model()->index(0, 0)) : QRect();
        return std::max(1, r.height() / 2);
    };

    if (TqvSkinScrollBar* b = FVScrollBar) {
        const bool v = shown && style != vsList && qv->maximum() > qv->minimum();
        show(b, v);
        if (v) {
            if (style == vsReport) {
                b->SetSmallChange(1);
                b->SetLargeChange(std::max(1, qv->pageStep()));
            } else {
                b->SetSmallChange(halfItem());
                b->SetLargeChange(halfItem());
            }
            b->SetRange(qv->minimum(), nativeMax(qv), qv->value(), qv->pageStep());
        }
        FOldVScrollBarPos = qv->value();
    }
    if (TqvSkinScrollBar* b = FHScrollBar) {
        const bool v = shown && qh->maximum() > qh->minimum();
        show(b, v);
        if (v) {
            if (style == vsList) {
                b->SetSmallChange(1);
                b->SetLargeChange(1);
            } else if (style != vsReport) {
                b->SetSmallChange(halfItem());
                b->SetLargeChange(halfItem());
            }
            b->SetRange(qh->minimum(), nativeMax(qh), qh->value(), qh->pageStep());
        }
        FOldHScrollBarPos = qh->value();
    }
    if (FVScrollBar && FHScrollBar && FHScrollBar->Both() != FVScrollBar->Visible())
        FHScrollBar->SetBoth(FVScrollBar->Visible());
    if (changed && Align() != alNone && Parent()) {
        FInCheckScrollBars = true;
        Parent()->Realign();
        FInCheckScrollBars = false;
    }
}

// The bar's position is the hidden bar's value: a move of n steps scrolls n
// rows in the report and list styles and n pixels in the icon styles.
void TqvSkinCustomListView::VScrollBarChange() {
    if (!FVScrollBar) return;
    FromSB = true;
    ActiveView()->verticalScrollBar()->setValue(FVScrollBar->Position());
    FOldVScrollBarPos = FVScrollBar->Position();
    FromSB = false;
}

void TqvSkinCustomListView::HScrollBarChange() {
    if (!FHScrollBar) return;
    FromSB = true;
    ActiveView()->horizontalScrollBar()->setValue(FHScrollBar->Position());
    FOldHScrollBarPos = FHScrollBar->Position();
    FromSB = false;
}

// ---- the header's looks ----

void TqvSkinCustomListView::GetHeaderSkinData() {
    FHIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FHeaderSkinDataName);
    if (FHIndex < 0) return;
    const auto* r = dynamic_cast<const TqvDataSkinButtonControl*>(FSD->CtrlList[std::size_t(FHIndex)].get());
    if (!r) {
        H.Picture = QImage();
        return;
    }
    H.LTPt = r->LTPoint;
    H.RTPt = r->RTPoint;
    H.LBPt = r->LBPoint;
    H.RBPt = r->RBPoint;
    H.SkinRect = r->SkinRect;
    H.ClRect = r->ClRect;
    H.StretchEffect = r->StretchEffect;
    H.LeftStretch = r->LeftStretch;
    H.TopStretch = r->TopStretch;
    H.RightStretch = r->RightStretch;
    H.BottomStretch = r->BottomStretch;
    H.StretchType = r->StretchType;
    const int pi = r->PictureIndex;
    H.Picture = pi >= 0 && pi < int(FSD->FActivePictures.size()) ? FSD->FActivePictures[std::size_t(pi)] : QImage();
    H.FontColor = r->FontColor;
    H.ActiveFontColor = r->ActiveFontColor;
    H.DownFontColor = r->DownFontColor;
    H.ActiveSkinRect = Unset(r->ActiveSkinRect) ? H.SkinRect : r->ActiveSkinRect;
    H.DownSkinRect = Unset(r->DownSkinRect) ? H.ActiveSkinRect : r->DownSkinRect;
}

bool TqvSkinCustomListView::ComposeHeader(QImage& B, const TRect& Src, int W, int Hh, bool openRight) const {
    if (H.Picture.isNull() || Unset(Src)) return false;
    if (NonZero(H.LBPt)) {
        const int dw = W - H.SkinRect.Width(), dh = Hh - H.SkinRect.Height();
        const TPoint lt = H.LTPt, rt{H.RTPt.X + dw, H.RTPt.Y}, lb{H.LBPt.X, H.LBPt.Y + dh},
                     rb{H.RBPt.X + dw, H.RBPt.Y + dh};
        const TRect cl{H.ClRect.Left, H.ClRect.Top, H.ClRect.Right + dw, H.ClRect.Bottom + dh};
        auto compose = openRight ? ComposeSkinImageOpenRight : ComposeSkinImage;
        compose(H.LTPt, H.RTPt, H.LBPt, H.RBPt, H.ClRect, lt, rt, lb, rb, cl, B, H.Picture, Src, W, Hh, true,
                H.LeftStretch, H.TopStretch, H.RightStretch, H.BottomStretch, H.StretchEffect, H.StretchType);
        return true;
    }
    QImage strip;
    auto make = openRight ? MakeHorzSkinImageOpenRight : MakeHorzSkinImage;
    make(H.LTPt.X, Src.Width() - H.RTPt.X, strip, H.Picture, Src, W, Src.Height(), H.StretchEffect);
    B = NewSkinImage(W, Hh);
    StretchBlt(B, Rect(0, 0, W, Hh), strip, Rect(0, 0, strip.width(), strip.height()));
    return true;
}

void TqvSkinCustomListView::DrawHeaderSection(TCanvas& C, TListColumn* Column, const TRect& R, bool Pressed) {
    if (R.Width() <= 0 || R.Height() <= 0) return;
    GetHeaderSkinData();
    QImage B = NewSkinImage(R.Width(), R.Height());
    TFont f(Font());
    if (FHIndex >= 0 && ComposeHeader(B, Pressed ? H.DownSkinRect : H.SkinRect, R.Width(), R.Height(), false)) {
        f.SetColor(Pressed ? H.DownFontColor : H.FontColor);
    } else {
        TCanvas bc(&B);
        bc.Brush().SetColor(Pressed ? clNavy : clBtnShadow);
        bc.FrameRect(Rect(0, 0, R.Width(), R.Height()));
        bc.Brush().SetColor(Pressed ? TColor(0xB59385) : clBtnFace);
        bc.FillRect(Rect(1, 1, R.Width() - 1, R.Height() - 1));
        f.SetColor(clBtnText);
    }
    TCanvas bc(&B);
    bc.SetFont(f);
    const TRect br = Rect(0, 0, R.Width(), R.Height());
    if (OnDrawHeaderSection) {
        OnDrawHeaderSection(bc, Column, Pressed, br);
    } else if (Column) {
        const TqvHeaderSectionText t = LayoutHeaderSection(bc, Column, br);
        bc.Brush().SetStyle(bsClear);
        if (t.ImageX >= 0) SmallImages()->Draw(bc, t.ImageX, t.ImageY, Column->ImageIndex());
        bc.TextRect(Rect(5, 0, R.Width() - 5, R.Height()), t.TextX, t.TextY, t.Caption);
    }
    C.Draw(R.Left, R.Top, B);
}

TqvHeaderSectionText TqvSkinCustomListView::LayoutHeaderSection(TCanvas& C, TListColumn* Column, const TRect& R) const {
    TqvHeaderSectionText t;
    const TRect tr{R.Left + 5, R.Top, R.Right - 5, R.Bottom};
    QString s = Column->Caption();
    TCustomImageList* images = SmallImages();
    const int ii = Column->ImageIndex();
    if (images && ii >= 0 && ii < images->Count()) {
        const int iw = images->Width();
        FitTextToWidth(C, s, tr.Width() - iw - 10);
        const bool shortened = s != Column->Caption();
        const int cw = C.TextWidth(s);
        t.ImageX = tr.Left;
        if (!shortened && Column->Alignment() == taRightJustify) t.ImageX = tr.Right - cw - iw - 10;
        else if (!shortened && Column->Alignment() == taCenter)
            t.ImageX = tr.Left + tr.Width() / 2 - (cw + iw + 10) / 2;
        t.ImageY = tr.Top + tr.Height() / 2 - images->Height() / 2;
        t.TextX = t.ImageX + iw + 10;
    } else {
        FitTextToWidth(C, s, tr.Width());
        const int cw = C.TextWidth(s);
        t.TextX = Column->Alignment() == taRightJustify ? tr.Right - cw
                  : Column->Alignment() == taCenter     ? tr.Left + tr.Width() / 2 - cw / 2
                                                        : tr.Left;
    }
    t.Caption = s;
    t.TextY = tr.Top + tr.Height() / 2 - C.TextHeight(s) / 2;
    return t;
}

void TqvSkinCustomListView::DrawHeaderRest(TCanvas& C, const TRect& R) {
    if (R.Width() <= 0 || R.Height() <= 0) return;
    GetHeaderSkinData();
    QImage B;
    if (FHIndex < 0 || !ComposeHeader(B, H.SkinRect, R.Width(), R.Height(), true)) {
        B = NewSkinImage(R.Width(), R.Height());
        TCanvas bc(&B);
        bc.Brush().SetColor(clBtnShadow);
        bc.FrameRect(Rect(0, 0, R.Width(), R.Height()));
        bc.Brush().SetColor(clBtnFace);
        bc.FillRect(Rect(1, 1, R.Width() - 1, R.Height() - 1));
    }
    C.Draw(R.Left, R.Top, B);
}
