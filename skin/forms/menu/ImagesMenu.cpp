#include "skin/forms/menu/ImagesMenu.h"

#include "skin/forms/menu/ImagesMenuWindow.h"
#include "skin/model/draw/DrawUtils.h"

#include <QWidget>

void TqvImagesMenuItem::Assign(const TqvImagesMenuItem& Source) {
    ImageIndex = Source.ImageIndex;
    Caption = Source.Caption;
    Button = Source.Button;
    Hint = Source.Hint;
}

void LayoutImagesMenuItems(std::vector<TqvImagesMenuItem>& Items, const TqvImagesGridMetrics& M) {
    const int CW = M.ImageWidth + 10, CH = M.ImageHeight + 10;
    const int RW = M.ColumnsCount * CW;
    const int x0 = M.Origin.X;
    int x = x0, y = M.Origin.Y;
    for (TqvImagesMenuItem& item : Items) {
        if (item.Header || item.Button) {
            if (x != x0) y += CH + 1;
            const int h = item.Header && M.HeaderHeight > 0 ? M.HeaderHeight : CH;
            item.ItemRect = Rect(x0, y, x0 + RW, y + h);
            y += h + 1;
            x = x0;
            continue;
        }
        item.ItemRect = Rect(x, y, x + CW, y + CH);
        x += CW;
        if (x + CW > x0 + RW) {
            x = x0;
            y += CH + 1;
        }
    }
}

int ImagesMenuItemAt(const std::vector<TqvImagesMenuItem>& Items, TPoint P) {
    for (std::size_t i = 0; i < Items.size(); ++i) {
        const TRect& r = Items[i].ItemRect;
        if (!Items[i].Header && P.X >= r.Left && P.X <= r.Right && P.Y >= r.Top && P.Y <= r.Bottom) return int(i);
    }
    return -1;
}

TqvSkinImagesMenu::TqvSkinImagesMenu(QObject* AOwner) : TComponent(AOwner) {}

void TqvSkinImagesMenu::SetColumnsCount(int v) {
    if (v >= 1 && v <= 50) FColumnsCount = v;
}

TqvImagesMenuItem* TqvSkinImagesMenu::SelectedItem() {
    return FItemIndex >= 0 && FItemIndex < int(FItems.size()) ? &FItems[std::size_t(FItemIndex)] : nullptr;
}

bool TqvSkinImagesMenu::SkinSupport() const {
    const TqvSkinData* sd = FSkinData.data();
    return sd && !sd->Empty && sd->PopupWindow.WindowPictureIndex != -1;
}

TqvImagesGridMetrics TqvSkinImagesMenu::Metrics() const {
    TqvImagesGridMetrics m;
    if (FImages) {
        m.ImageWidth = FImages->Width();
        m.ImageHeight = FImages->Height();
    }
    m.ColumnsCount = FColumnsCount;
    const TqvSkinData* sd = FSkinData.data();
    if (SkinSupport()) m.Origin = sd->PopupWindow.ItemsRect.TopLeft();
    if (sd && !sd->Empty) {
        const int i = sd->GetControlIndex(QStringLiteral("label"));
        if (i >= 0)
            if (auto* l = dynamic_cast<const TqvDataSkinLabelControl*>(sd->CtrlList[std::size_t(i)].get()))
                m.HeaderHeight = l->SkinRect.Height();
    }
    return m;
}

TSize TqvSkinImagesMenu::CalcSize() {
    const TqvImagesGridMetrics m = Metrics();
    LayoutImagesMenuItems(FItems, m);
    if (FItems.empty()) return {};
    const int h = FItems.back().ItemRect.Bottom - FItems.front().ItemRect.Top;
    const int RW = m.ColumnsCount * (m.ImageWidth + 10);
    const TqvSkinData* sd = FSkinData.data();
    if (SkinSupport()) {
        const int pi = sd->PopupWindow.WindowPictureIndex;
        if (pi >= 0 && pi < int(sd->FActivePictures.size()) && !sd->FActivePictures[std::size_t(pi)].isNull()) {
            const QImage& wp = sd->FActivePictures[std::size_t(pi)];
            const TRect& ir = sd->PopupWindow.ItemsRect;
            return TSize{wp.width() + RW - ir.Width(), wp.height() + h - ir.Height()};
        }
    }
    return TSize{RW + 10, h + 10};
}

namespace {
bool Choosable(const std::vector<TqvImagesMenuItem>& items, int i) {
    return i >= 0 && i < int(items.size()) && !items[std::size_t(i)].Header;
}
}  // namespace

int ImagesMenuSelectNext(const std::vector<TqvImagesMenuItem>& Items, int Hot) {
    const int n = int(Items.size());
    if (n == 0) return Hot;
    if (Hot < 0 || Hot >= n - 1) return Items[0].Header ? (n > 1 ? 1 : Hot) : 0;
    for (int i = Hot + 1; i < n; ++i)
        if (Choosable(Items, i)) return i;
    return Hot;
}

int ImagesMenuSelectPrior(const std::vector<TqvImagesMenuItem>& Items, int Hot) {
    const int n = int(Items.size());
    if (n == 0) return Hot;
    if (Hot < 0 || Hot == 0 || (Hot == 1 && Items[0].Header && n >= 2)) return n - 1;
    for (int i = Hot - 1; i >= 0; --i)
        if (Choosable(Items, i)) return i;
    return Hot;
}

int ImagesMenuSelectDown(const std::vector<TqvImagesMenuItem>& Items, int Hot) {
    const int n = int(Items.size());
    if (n == 0) return Hot;
    if (Hot < 0 || Hot >= n) return Items[0].Header ? (n > 1 ? 1 : Hot) : 0;
    const TRect h = Items[std::size_t(Hot)].ItemRect;
    for (int i = Hot + 1; i < n; ++i) {
        const TqvImagesMenuItem& it = Items[std::size_t(i)];
        if (!it.Header && it.ItemRect.Top > h.Top && (it.Button || it.ItemRect.Left == h.Left)) return i;
    }
    return Hot;
}

int ImagesMenuSelectUp(const std::vector<TqvImagesMenuItem>& Items, int Hot) {
    const int n = int(Items.size());
    if (n == 0) return Hot;
    if (Hot < 0 || Hot >= n) return n - 1;
    const TRect h = Items[std::size_t(Hot)].ItemRect;
    for (int i = Hot - 1; i >= 0; --i) {
        const TqvImagesMenuItem& it = Items[std::size_t(i)];
        if (!it.Header && it.ItemRect.Top < h.Top && (it.Button || it.ItemRect.Left == h.Left)) return i;
    }
    return Hot;
}

TPoint ImagesMenuPosition(const TRect& R, TSize Size, const TRect& WA) {
    int X = R.Left, Y = R.Bottom;
    if (Y + Size.cy > WA.Bottom) Y = R.Top - Size.cy;
    if (X + Size.cx > WA.Right) X = WA.Right - Size.cx;
    if (X < WA.Left) X = WA.Left;
    if (Y < WA.Top) Y = WA.Top;
    return Point(X, Y);
}

void TqvSkinImagesMenu::PopupFromRect(const TRect& R) {
    if (FPopupWindow) FPopupWindow->HideGrid(false);
    if (OnMenuPopup) OnMenuPopup(this);
    // Nothing to lay out without images or items.
    if (!FImages || FImages->Count() == 0 || FItems.empty()) return;
    FOldItemIndex = FItemIndex;
    QWidget* form = nullptr;
    for (QObject* o = Owner(); o && !form; o = AsComponent(o) ? AsComponent(o)->Owner() : nullptr)
        if (auto* w = qobject_cast<QWidget*>(o)) form = w->window();
    TRect wa = WorkArea;
    if (wa.Width() <= 0 || wa.Height() <= 0) GetMonitorWorkArea(form, true, wa);
    FPopupWindow = new TqvSkinImagesMenuPopupWindow(form, this);
    FPopupWindow->ShowGrid(R, wa);
}

void TqvSkinImagesMenu::Hide() {
    if (FPopupWindow) FPopupWindow->HideGrid(false);
}

void TqvSkinImagesMenu::CloseNotify(bool AProcessEvents) {
    if (FPopupWindow) FPopupWindow->deleteLater();
    FPopupWindow = nullptr;
    if (OnInternalMenuClose) OnInternalMenuClose(this);
    if (OnMenuClose) OnMenuClose(this);
    if (!AProcessEvents || FItemIndex == -1) return;
    if (TqvImagesMenuItem* item = SelectedItem(); item && item->OnClick) item->OnClick(this);
    if (OnItemClick) OnItemClick(this);
    if (FItemIndex != FOldItemIndex) {
        if (OnInternalChange) OnInternalChange(this);
        if (OnChange) OnChange(this);
    }
}

void TqvSkinImagesMenu::SetCloseHook(std::function<void()> Hook) {
    OnInternalMenuClose = [Hook = std::move(Hook)](QObject*) {
        if (Hook) Hook();
    };
}

void TqvSkinImagesMenu::SetChangeHook(std::function<void()> Hook) {
    OnInternalChange = [Hook = std::move(Hook)](QObject*) {
        if (Hook) Hook();
    };
}

int TqvSkinImagesMenu::SelectedImageIndex() const {
    return FItemIndex >= 0 && FItemIndex < int(FItems.size()) ? FItems[std::size_t(FItemIndex)].ImageIndex : -1;
}

QString TqvSkinImagesMenu::SelectedCaption() const {
    return FItemIndex >= 0 && FItemIndex < int(FItems.size()) ? FItems[std::size_t(FItemIndex)].Caption : QString();
}
