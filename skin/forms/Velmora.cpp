#include "skin/forms/Velmora.h"

#include "platform/Application.h"
#include "platform/ImgList.h"
#include "platform/MdiClient.h"
#include "platform/Messages.h"
#include "skin/controls/base/SkinClient.h"
#include "skin/controls/statusbar/SkinStatusBar.h"
#include "skin/forms/menu/SkinMenu.h"
#include "skin/forms/layered/FormLayerBorder.h"
#include "skin/forms/tray/TrayIcon.h"
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/LayerManager.h"
#include "skin/model/draw/SkinCompose.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QWindowStateChangeEvent>
#include <QScreen>
#include <QStyle>
#include <QWindow>

namespace {

QObject* FormOwner(QObject* owner) {
    if (!qobject_cast<TForm*>(owner)) throw EInvalidCast();
    return owner;
}

TFont CaptionFont(TColor color) {
    TFont f(QStringLiteral("Arial"), 14);
    f.SetStyle(fsBold);
    f.SetColor(color);
    return f;
}

Qt::Edges EdgesOf(int code) {
    switch (code) {
    case HTLEFT: return Qt::LeftEdge;
    case HTRIGHT: return Qt::RightEdge;
    case HTTOP: return Qt::TopEdge;
    case HTBOTTOM: return Qt::BottomEdge;
    case HTTOPLEFT: return Qt::TopEdge | Qt::LeftEdge;
    case HTTOPRIGHT: return Qt::TopEdge | Qt::RightEdge;
    case HTBOTTOMLEFT: return Qt::BottomEdge | Qt::LeftEdge;
    case HTBOTTOMRIGHT: return Qt::BottomEdge | Qt::RightEdge;
    default: return {};
    }
}

// The messages on which open skinned menus close.
}  // namespace

TqvVelmora* GetSkinFormComponent(const QObject* Form) {
    const TComponentBase* c = AsComponent(const_cast<QObject*>(Form));
    if (!c) return nullptr;
    for (QObject* o : c->Components())
        if (auto* v = qobject_cast<TqvVelmora*>(o)) return v;
    return nullptr;
}

TqvVelmora::TqvVelmora(QObject* AOwner)
    : TComponent(FormOwner(AOwner)), DefCaptionFont(CaptionFont(clBtnText)),
      DefInActiveCaptionFont(CaptionFont(clBtnShadow)) {
    FForm = static_cast<TForm*>(AOwner);
    // The frame draws its own buttons.
    FForm->SetBorderIcons(0);
    FForm->setMouseTracking(true);
    // The client keeps the arrow whatever the frame shows at its edges.
    FForm->Client()->setCursor(Qt::ArrowCursor);
    FForm->SetFrameHost(this);
    CreateMenus();
    FBorderLayer = std::make_unique<TqvFormLayerBorder>(this);
    for (QScreen* s : QGuiApplication::screens())
        connect(s, &QScreen::availableGeometryChanged, this, [this] { Application()->Guard([&] { ApplySizeLimits(); }); });
    ChangeSkinData();
    HookMDIClient();
}

TqvVelmora::~TqvVelmora() {
    UnHookApp();
    delete FMDIClientHook.data();
    if (IsMDIChild()) {
        DeleteChildFromBar(FForm);
        // The frame's caption, menu bar and its child menu let go of this child.
        const bool maximized = FWindowState == wsMaximized;
        FWindowState = wsNormal;
        if (maximized) TellMainMaximized(false);
        UpdateMainMenuBarItems();
        InvalidateMainCaption();
    }
    FFadeTimer.Stop();
    MouseTimer.Stop();
    MorphTimer.Stop();
    AnimateTimer.Stop();
    FBorderLayer.reset();
    HideClientInActiveEffect();
    ClearObjects();
    if (FForm && FForm->FrameHost() == this) {
        // The form goes back to a plain frameless window.
        FForm->SetFrameHost(nullptr);
        FForm->OnShortCut = nullptr;
        FForm->OnKeyMenu = nullptr;
        FForm->clearMask();
        FForm->SetClientMargins(QMargins());
        FForm->setMinimumSize(0, 0);
        FForm->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        RestoreFormCursor();
    }
}

// ---- skin

void TqvVelmora::SetSkinData(TqvSkinData* Value) {
    FSD = Value;
    if (Value) FSkinnableForm = Value->SkinnableForm();
    ChangeSkinData();
}

void TqvVelmora::SetUseRibbon(bool Value) {
    FUseRibbon = Value;
    if (Value) SetSkinnableForm(false);
}

void TqvVelmora::ChangeSkinData() {
    if (FUseRibbon) FSkinnableForm = false;
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    FSkinSupport = FSD && !FSD->Empty;
    ++FSkinGeneration;
    if (FSkinSupport && FSkinnableForm) {
        CreateObjects();
        CheckObjects();
    } else if (FSkinnableForm) {
        CreateDefaultButtons();
    } else {
        ClearObjects();
    }
    // In the order that changes the window's flags once.
    if (FSkinnableForm) {
        if (FForm->SystemFrame()) FForm->SetSystemFrame(false);
        if (FForm->BorderIcons() != 0) FForm->SetBorderIcons(0);
    } else {
        ApplyFormBorderIcons();
        if (!FForm->SystemFrame()) FForm->SetSystemFrame(true);
    }
    FInChangeSkinData = true;
    // Limits first: the platform clamps every later size to them.
    ApplySizeLimits();
    if (FSkinnableForm) {
        const int mw = GetMinWidth(), mh = GetMinHeight();
        const int w = FForm->Width(), h = FForm->Height();
        if (mw > w && mh > h) FForm->SetBounds(FForm->Left(), FForm->Top(), mw, mh);
        else if (mh > h) FForm->SetHeight(mh);
        else if (mw > w) FForm->SetWidth(mw);
        if ((FRollUpState || FWindowState == wsMinimized) && FForm->Height() != mh) FForm->SetHeight(mh);
        if (FWindowState == wsMinimized && FForm->Width() != mw) FForm->SetWidth(mw);
    }
    UpdateFrame(true);
    UpdateActiveState(false);
    if (!ObjectList.empty() && FSkinSupport) StartMouseTimer();
    FForm->update();
    FForm->Client()->update();
    FBorderLayer->Hide();
    FBorderLayer->InitFrame(FSD, FForm);
    if (CanShowLayeredBorder() && FForm->isVisible()) ShowLayeredBorder(FBorderLayer->Active());
    if (OnChangeSkinData) OnChangeSkinData(this);
    FInChangeSkinData = false;
    if (!FRollUpState && (ClientWidth > 0 || ClientHeight > 0)) {
        const TRect c = FForm->ClientRect();
        FForm->SetClientSize(ClientWidth > 0 ? ClientWidth : c.Width(), ClientHeight > 0 ? ClientHeight : c.Height());
    }
    if (IsMDIForm()) {
        UpdateMDIChildren();
        FForm->MDIClient()->update();
    }
}

void TqvVelmora::SetSkinnableForm(bool Value) {
    if (FUseRibbon) Value = false;
    const bool wasVisible = FForm->isVisible();
    bool maximized = false;
    if (FWindowState == wsMaximized && FSkinnableForm) {
        FForm->Hide();
        SetWindowState(wsNormal);
        maximized = true;
    } else if (FForm->WindowState() == wsMaximized && !FSkinnableForm) {
        FForm->SetWindowState(wsNormal);
        FForm->Hide();
        maximized = true;
    }
    FSkinnableForm = Value;
    ChangeSkinData();
    BroadcastChangeSkinData(nullptr, FForm);
    if (maximized) {
        if (FSkinnableForm) SetWindowState(wsMaximized);
        else FForm->SetWindowState(wsMaximized);
    }
    if (maximized && wasVisible) FForm->Show();
}

void TqvVelmora::ApplyFormBorderIcons() {
    TBorderIcons icons = HideCaptionButtons ? 0u : unsigned(biSystemMenu);
    icons |= FBorderIcons & (biMinimize | biMaximize);
    FForm->SetBorderIcons(icons);
}

void TqvVelmora::SetFormStyle(TFormStyle Value) {
    if (Value != fsNormal && Value != fsStayOnTop) return;
    FForm->SetFormStyle(Value);
    BroadcastChangeSkinData(nullptr, FForm);
}

void TqvVelmora::SetFormBorderStyle(TBorderStyle Value) {
    FForm->SetBorderStyle(Value);
    ApplySizeLimits();
    UpdateFrame(true);
    BroadcastChangeSkinData(nullptr, FForm);
}

// ---- frame

bool TqvVelmora::FrameVisible() const {
    // A maximized MDI child fills its frame's client without a frame of its own.
    if (FWindowState == wsMaximized && IsMDIChild()) return false;
    return FForm->BorderStyle() != bsNone;
}

bool TqvVelmora::ToolWindow() const {
    return FForm->BorderStyle() == bsToolWindow || FForm->BorderStyle() == bsSizeToolWin;
}

bool TqvVelmora::CanResizeForm() const {
    return AlwaysResize || FForm->BorderStyle() == bsSizeable || FForm->BorderStyle() == bsSizeToolWin;
}

bool TqvVelmora::GetFormActive() const {
    if (IsMDIChild()) return PreviewMode || FMDIChildActive;
    return PreviewMode || FForm->parentWidget() || FForm->isActiveWindow();
}

std::optional<QSize> TqvVelmora::SmallIconSize() const {
    if (!ShowIcon) return std::nullopt;
    return GetSmallIconSize();
}

QIcon TqvVelmora::CaptionIcon() const {
    if (!FForm->Icon().isNull()) return FForm->Icon();
    if (!Application()->Icon().isNull()) return Application()->Icon();
    return QApplication::style() ? QApplication::style()->standardIcon(QStyle::SP_TitleBarMenuButton) : QIcon();
}

void TqvVelmora::DrawCaptionIcon(QPainter& p, int X, int Y) const {
    const QSize s = GetSmallIconSize();
    p.drawPixmap(X, Y, CaptionIcon().pixmap(s));
}

void TqvVelmora::UpdateFrame(bool UpdateObjects) {
    const int W = FForm->Width(), H = FForm->Height();
    if (FSkinSupport && FSkinnableForm) {
        FGeometry = CalcFormRects(*FSD, FSD->FPicture.size(), W, H);
        if (UpdateObjects) CalcObjectRects();
    } else {
        FGeometry = TqvFrameGeometry{};
        FGeometry.Width = W;
        FGeometry.Height = H;
        if (FSkinnableForm) FDefCaptionRect = CalcDefRects(W, ToolWindow(), ObjectList, SmallIconSize());
    }
    UpdateFormRegion(UpdateObjects);
    UpdateClientMargins();
    InvalidateFrame();
    if (FSkinSupport && FSD->StretchEffect) {
        FForm->Client()->update();
        for (TControl* c : FForm->Controls())
            if (dynamic_cast<TWinControl*>(c)) SendMessage(c, WM_SKIN_PARENT_CHANGED);
    }
}

void TqvVelmora::UpdateClientMargins() {
    QMargins m;
    if (FSkinnableForm && FrameVisible()) {
        if (FSkinSupport) {
            const TRect& cl = FSD->ClRect;
            m = QMargins(cl.Left, cl.Top, FSD->FPicture.width() - cl.Right, FSD->FPicture.height() - cl.Bottom);
        } else {
            m = QMargins(3, DefCaptionHeight(ToolWindow()) + 3, 3, 3);
        }
    }
    FForm->SetClientMargins(m);
}

void TqvVelmora::UpdateFormRegion(bool AllParts) {
    const int W = FForm->Width(), H = FForm->Height();
    auto none = [&] {
        FHasRegion = false;
        FRegion = QRegion();
        FMaskPieces.Clear();
        if (!FForm->mask().isEmpty()) FForm->clearMask();
    };
    if (!FSkinnableForm || !FrameVisible()) return none();
    if (!FSkinSupport || FSD->FMask.isNull()) {
        // A plain rectangle: the whole window shows, so no shape is handed to the window system.
        none();
        FHasRegion = true;
        FRegion = QRegion(0, 0, W, H);
        return;
    }
    QRegion r;
    if (AllParts) {
        FMaskPieces = ComposeMaskPieces(*FSD, FSD->FMask, FGeometry);
        r = MaskRegion(FMaskPieces, FGeometry);
    } else if (!CreateRegionFromMask(r, FSD->FMask)) {
        return;
    }
    FRegion = r;
    FHasRegion = true;
    FForm->setMask(r);
}

int TqvVelmora::HitTest(TPoint P) const {
    if (!FSkinnableForm || !FrameVisible()) return HTCLIENT;
    if (FSkinSupport) return HitTestSkin(FGeometry, FMaskPieces, HitState(), P);
    return HitTestDefault(FForm->Width(), FForm->Height(), ToolWindow(), FDefCaptionRect, HitState(), P);
}

TqvHitTestState TqvVelmora::HitState() const {
    TqvHitTestState s;
    s.RolledUp = FRollUpState;
    s.Minimized = FWindowState == wsMinimized;
    s.Maximized = FWindowState == wsMaximized;
    s.CanResize = CanResizeForm();
    s.SizeMove = FSizeMove;
    s.ObjectActive = ActiveObject != -1;
    if (FSkinSupport) {
        s.HasMask = !FSD->FMask.isNull();
        s.BorderW = FSD->BorderW;
    }
    for (const auto& o : ObjectList)
        if (o->IsCaption()) s.CaptionRects.push_back(o->ObjectRect);
    // The quick buttons at the caption's left are the caption object's, not the move's.
    if (QuickButtons.Count() > 0 && QuickImageList) s.QuickStripWidth = QuickButtons.Count() * (QuickImageList->Width() + 8);
    return s;
}

void TqvVelmora::InvalidateFrame() {
    // The client widget covers the client; what shows of the form is frame.
    FForm->update();
}

QImage TqvVelmora::BuildFrameImage(bool Active) const {
    if (FSkinSupport) return BuildSkinFrameImage(*FSD, Active, FGeometry, ObjectList);
    TqvDefaultFrameInput in;
    in.Width = FForm->Width();
    in.Height = FForm->Height();
    in.ToolWindow = ToolWindow();
    in.Active = Active;
    in.Caption = FormCaptionText();
    in.ActiveFont = DefCaptionFont;
    in.InActiveFont = DefInActiveCaptionFont;
    in.CaptionRect = FDefCaptionRect;
    in.Objects = &ObjectList;
    in.OnCaptionPaint = OnCaptionPaint;
    return BuildDefaultFrameImage(in);
}

void TqvVelmora::PaintFrame(QPainter& p) {
    if (FStopPainting) return;
    const int W = FForm->Width(), H = FForm->Height();
    if (FSkinSupport) {
        if (W < GetMinWidth() || H < GetMinHeight()) return;
        const bool active = GetFormActive();
        TPieceCache& c = FPieceCache;
        if (c.Size != QSize(W, H) || c.Generation != FSkinGeneration || c.Active != active || c.Raw.IsNull()) {
            c.Raw = ComposeFramePieces(*FSD, active, FGeometry);
            c.Size = QSize(W, H);
            c.Generation = FSkinGeneration;
            c.Active = active;
        }
        DrawFramePieces(p, FinishFramePieces(c.Raw, *FSD, active, FGeometry, ObjectList), W, H);
        return;
    }
    if (FSD && FSD->ChangeSkinDataProcess) return;
    if (ObjectList.empty()) CreateDefaultButtons();
    FDefCaptionRect = CalcDefRects(W, ToolWindow(), ObjectList, SmallIconSize());
    p.drawImage(0, 0, BuildFrameImage(GetFormActive()));
}

void TqvVelmora::PaintFrameInto(QImage& target) {
    QPainter p(&target);
    PaintFrame(p);
}

QImage TqvVelmora::BuildClientImage() const {
    const TRect c = FForm->ClientRect();
    TClientCache& k = FClientCache;
    const QSize client(c.Width(), c.Height()), form(FForm->Width(), FForm->Height());
    if (k.Client != client || k.Form != form || k.Generation != FSkinGeneration || k.Logo != LogoBitMap.cacheKey() ||
        k.Image.isNull()) {
        TqvClientBackgroundInput in;
        in.Skin = FSkinSupport ? FSD.data() : nullptr;
        in.Client = client;
        in.Form = form;
        in.UseRibbon = FUseRibbon;
        in.Logo = LogoBitMap;
        in.LogoTransparent = LogoBitMapTransparent;
        k.Image = BuildClientBackground(in);
        k.Client = client;
        k.Form = form;
        k.Generation = FSkinGeneration;
        k.Logo = LogoBitMap.cacheKey();
    }
    return k.Image;
}

bool TqvVelmora::PaintClientBackground(QPainter& p, const QRect& r) {
    const QImage img = BuildClientImage();
    if (img.isNull()) return false;
    p.drawImage(r, img, r);
    return true;
}

void TqvVelmora::SetLogoBitMap(const QImage& Logo) {
    LogoBitMap = Logo.convertToFormat(QImage::Format_RGB32);
    FForm->Client()->update();
}

void TqvVelmora::SetShowIcon(bool v) {
    ShowIcon = v;
    UpdateFrame(true);
}

void TqvVelmora::SetBorderIcons(TqvBorderIcons v) {
    FBorderIcons = v;
    CheckObjects();
    if (!FSkinnableForm) ApplyFormBorderIcons();
    UpdateFrame(true);
}

void TqvVelmora::SetSizeLimits(int AMinWidth, int AMinHeight, int AMaxWidth, int AMaxHeight) {
    MinWidth = AMinWidth;
    MinHeight = AMinHeight;
    MaxWidth = AMaxWidth;
    MaxHeight = AMaxHeight;
    ApplySizeLimits();
}

// ---- frame objects (the rest in objects/ObjectList.cpp)

void TqvVelmora::CalcObjectRects() { ::CalcObjectRects(FGeometry, ObjectList, SmallIconSize()); }

// ---- window states

QRect TqvVelmora::WorkArea() const {
    if (IsMDIChild()) {
        // The frame's client, in the child's own coordinates.
        TRect r{};
        GetMDIClientRect(r);
        return QRect(0, 0, r.Width(), r.Height());
    }
    if (FAreasForTests) return FTestWork;
    QScreen* s = FForm->screen() ? FForm->screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

QRect TqvVelmora::MonitorRect() const {
    if (IsMDIChild()) return WorkArea();
    if (FAreasForTests) return FTestMonitor;
    QScreen* s = FForm->screen() ? FForm->screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

void TqvVelmora::SetScreenAreasForTests(const QRect& Monitor, const QRect& Work, const QRect& Primary) {
    FAreasForTests = true;
    FTestMonitor = Monitor;
    FTestWork = Work;
    FTestPrimary = Primary;
    ApplySizeLimits();
}

TqvSizeLimitInput TqvVelmora::LimitInput() const {
    TqvSizeLimitInput in;
    in.Skinned = FSkinSupport;
    if (FSkinSupport) {
        in.Picture = QRect(QPoint(0, 0), FSD->FPicture.size());
        in.ClRect = FSD->ClRect;
        in.FormMinWidth = FSD->FormMinWidth;
    }
    in.MinWidth = MinWidth;
    in.MinHeight = MinHeight;
    in.MaxWidth = MaxWidth;
    in.MaxHeight = MaxHeight;
    in.DefCaptionHeight = DefCaptionHeight(ToolWindow());
    in.RolledUp = FRollUpState;
    in.Minimized = FWindowState == wsMinimized;
    return in;
}

int TqvVelmora::GetMinWidth() const { return ::GetMinWidth(LimitInput()); }
int TqvVelmora::GetMinHeight() const { return ::GetMinHeight(LimitInput()); }
int TqvVelmora::GetMaxWidth() const {
    return ::GetMaxWidth(LimitInput(), MaximizeOnFullScreen ? MonitorRect() : WorkArea());
}
int TqvVelmora::GetMaxHeight() const {
    return ::GetMaxHeight(LimitInput(), MaximizeOnFullScreen ? MonitorRect() : WorkArea());
}

int TqvVelmora::GetRealHeight() const { return FRollUpState ? OldHeight : FForm->Height(); }

void TqvVelmora::ApplySizeLimits() {
    if (!FSkinnableForm) {
        FForm->setMinimumSize(0, 0);
        FForm->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        return;
    }
    const int mw = GetMinWidth(), mh = GetMinHeight();
    FForm->setMinimumSize(mw, mh);
    FForm->setMaximumSize(qMax(mw, GetMaxWidth()), qMax(mh, GetMaxHeight()));
}

void TqvVelmora::SetFormBounds(const QRect& r) { FForm->SetBounds(r.x(), r.y(), r.width(), r.height()); }

QPoint TqvVelmora::GetPositionInMonitor(int AX, int AY, int AW, int AH) const {
    return ::GetPositionInMonitor(PositionInMonitor, MonitorRect(), WorkArea(), AX, AY, AW, AH);
}

void TqvVelmora::ApplyPositionInMonitor() {
    if (PositionInMonitor == qvpDefault) return;
    const QPoint p = GetPositionInMonitor(FForm->Left(), FForm->Top(), FForm->Width(), FForm->Height());
    FForm->SetBounds(p.x(), p.y(), FForm->Width(), FForm->Height());
}

void TqvVelmora::SetWindowState(TWindowState Value) {
    if (!FSkinnableForm) {
        FForm->SetWindowState(Value);
        return;
    }
    if (Value == FWindowState) return;
    const TWindowState old = FWindowState;
    const bool platformMinimize = Value == wsMinimized && (Application()->MainForm() == FForm || FMinimizeDefault);
    if (!platformMinimize) FWindowState = Value;
    switch (Value) {
    case wsNormal:
        if (old == wsMaximized && FRollUpState && !FRollUpBeforeMaximize) SetRollUpState(false);
        FRollUpBeforeMaximize = false;
        DoNormal();
        break;
    case wsMinimized: DoMinimize(); break;
    case wsMaximized:
        FRollUpBeforeMaximize = FRollUpState;
        DoMaximize();
        break;
    }
    if (IsMDIChild()) {
        // The frame comes and goes with the maximized state, whatever the size did.
        UpdateFrame(true);
        if (FForm->Visible()) TellMainMaximized(FWindowState == wsMaximized);
        InvalidateMainCaption();
    }
}

void TqvVelmora::DoMinimize() {
    if (Application()->MainForm() == FForm) {
        Application()->Minimize();
    } else if (FMinimizeDefault) {
        FForm->SetWindowState(wsMinimized);
    } else {
        if (FOldBoundsRect.isEmpty()) FOldBoundsRect = FForm->geometry();
        std::vector<QPoint> taken;
        for (TForm* f : Application()->Forms()) {
            if (f == FForm || f == Application()->MainForm() || !f->isVisible()) continue;
            // Children of one frame share its cells; other windows do not count.
            if (f->IsMDIChild() != IsMDIChild() || f->parentWidget() != FForm->parentWidget()) continue;
            if (TqvVelmora* v = GetSkinFormComponent(f); v && v->WindowState() == wsMinimized) taken.push_back(f->pos());
        }
        ApplySizeLimits();
        const int w = GetMinWidth(), h = GetMinHeight();
        const QPoint p = GetMinimizedPlace(WorkArea(), w, h, taken);
        FForm->SetBounds(p.x(), p.y(), w, h);
    }
    if (OnMinimize) OnMinimize(this);
}

void TqvVelmora::DoMaximize() {
    if (FOldBoundsRect.isEmpty()) FOldBoundsRect = FForm->geometry();
    const QRect primary = IsMDIChild()      ? QRect()
                          : FAreasForTests ? FTestPrimary
                          : QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                             : QRect();
    const QRect area = MaximizedArea(MonitorRect(), WorkArea(), primary, MaximizeOnFullScreen);
    ApplySizeLimits();
    SetFormBounds(area);
    if (FStatusBar && FStatusBar->SizeGrip()) FStatusBar->SetShowGrip(false);
    if (OnMaximize) OnMaximize(this);
}

void TqvVelmora::DoNormal() {
    FMaxRollUpState = false;
    ApplySizeLimits();
    if (!FOldBoundsRect.isEmpty()) {
        QRect r = FOldBoundsRect;
        if (FStartShow) {
            FStartShow = false;
            r.moveTopLeft(GetPositionInMonitor(r.x(), r.y(), r.width(), r.height()));
        }
        SetFormBounds(r);
    }
    FForm->update();
    FOldBoundsRect = QRect();
    if (FStatusBar && FStatusBar->SizeGrip()) FStatusBar->SetShowGrip(true);
    if (OnRestore) OnRestore(this);
}

void TqvVelmora::SetRollUpState(bool Value) {
    if (!(FBorderIcons & biRollUp) || FWindowState == wsMinimized) return;
    if (FWindowState == wsMaximized && FRollUpState && !FMaxRollUpState) return;
    // Rolling up twice would keep the caption height as the height to come back to.
    if (Value == FRollUpState) return;
    if (FWindowState == wsMaximized) FMaxRollUpState = Value;
    FRollUpState = Value;
    ApplySizeLimits();
    if (Value) {
        OldHeight = FForm->Height();
        FForm->SetHeight(GetMinHeight());
    } else if (ClientHeight != 0 && FWindowState != wsMaximized) {
        // A maximized form unrolls to the maximized height it had, not to the normal client height.
        FForm->SetClientSize(FForm->ClientRect().Width(), ClientHeight);
    } else {
        FForm->SetHeight(OldHeight);
    }
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TqvVelmora::MaxItemClick() { SetWindowState(wsMaximized); }
void TqvVelmora::MinItemClick() {
    if (AlwaysMinimizeToTray) MinToTrayItemClick();
    else SetWindowState(wsMinimized);
}
void TqvVelmora::RestoreItemClick() {
    if ((FWindowState == wsMaximized && FMaxRollUpState) || (FWindowState == wsNormal && FRollUpState))
        SetRollUpState(false);
    else
        SetWindowState(wsNormal);
}
void TqvVelmora::RollUpItemClick() { SetRollUpState(true); }
void TqvVelmora::CloseItemClick() { FForm->Close(); }
void TqvVelmora::MinToTrayItemClick() { MinimizeToTray(); }

void TqvVelmora::CaptionDblClick() {
    const bool resizable = CanResizeForm();
    if (resizable && FWindowState == wsMinimized) SetWindowState(wsNormal);
    else if (resizable && FWindowState == wsNormal && !FRollUpState && (FBorderIcons & biMaximize))
        SetWindowState(wsMaximized);
    else if (resizable && FWindowState == wsMaximized && !FMaxRollUpState) SetWindowState(wsNormal);
    else SetRollUpState(!FRollUpState);
}

TqvSkinStatusBar* TqvVelmora::StatusBar() const { return FStatusBar; }

void TqvVelmora::SetStatusBar(TqvSkinStatusBar* Value) {
    if (FStatusBar) FStatusBar->removeEventFilter(this);
    FStatusBar = Value;
    if (Value) Value->installEventFilter(this);
}

// ---- alpha

void TqvVelmora::SetAlphaBlend(bool v) {
    if (v == FAlphaBlend) return;
    FAlphaBlend = v;
    if (FForm->isVisible()) SetWindowAlpha(FForm, v ? FAlphaBlendValue : 255);
}

void TqvVelmora::SetAlphaBlendValue(int v) {
    v = qBound(0, v, 255);
    if (v == FAlphaBlendValue) return;
    FAlphaBlendValue = v;
    if (FAlphaBlend && FForm->isVisible()) SetWindowAlpha(FForm, v);
}

void TqvVelmora::StartFade() {
    const bool allWindows = FSD && FSD->AnimationForAllWindows();
    if (allWindows && FAlphaBlendValue == 0) FAlphaBlendValue = 255;
    if (!LayeredWindowsAvailable() || !(FAlphaBlend || AlphaBlendAnimation || allWindows)) return;
    FFadeAlpha = 0;
    SetWindowAlpha(FForm, 0);
    // The first tick decides the target; then one step every 6 ms, never a busy wait.
    FFadeTimer.Start(1, [this] {
        Application()->Guard([&] {
            const bool animate = AlphaBlendAnimation || (FSD && FSD->AnimationForAllWindows());
            FFadeTarget = animate && !FAlphaBlend ? 255 : FAlphaBlendValue;
            if (!animate) {
                FFadeTimer.Stop();
                FFadeAlpha = FFadeTarget;
                SetWindowAlpha(FForm, FFadeAlpha);
                if (CanShowLayeredBorder()) FBorderLayer->CheckFormAlpha(FFadeAlpha, true);
                return;
            }
            FFadeStep = qMax(1, FFadeTarget / 15);
            FFadeTimer.Start(6, [this] { Application()->Guard([&] { FadeStep(); }); });
        });
    });
}

void TqvVelmora::FadeStep() {
    FFadeAlpha = qMin(FFadeAlpha + FFadeStep, FFadeTarget);
    SetWindowAlpha(FForm, FFadeAlpha);
    // The border fades with the form.
    if (CanShowLayeredBorder()) FBorderLayer->CheckFormAlpha(FFadeAlpha, true);
    if (FFadeAlpha >= FFadeTarget) FFadeTimer.Stop();
}

// ---- events

bool TqvVelmora::FrameEventBefore(QEvent* e) {
    if (IsMenuCloseMessage(e)) CheckMenuCloseMessage(e);
    if (TMessage* m = AsMessage(e)) return MessageBefore(*m);
    switch (e->type()) {
    case QEvent::Paint:
        if (!FSkinnableForm || !FrameVisible()) return false;
        {
            QPainter p(FForm);
            p.setClipRegion(static_cast<QPaintEvent*>(e)->region());
            PaintFrame(p);
        }
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (!FSkinnableForm) return false;
        return FrameMouse(static_cast<QMouseEvent*>(e), true);
    case QEvent::Leave:
        if (!FDrag.Code) {
            TestActive(-1, -1, false);
            RestoreFormCursor();
        }
        return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (e->type() == QEvent::WindowDeactivate) TestActive(-1, -1, false);
        else ResetObjectStates();
        UpdateActiveState(true);
        InvalidateFrame();
        return false;
    case QEvent::WindowTitleChange:
        InvalidateFrame();
        if (IsMDIChild()) MDIChildCaptionChanged();
        return false;
    default:
        return false;
    }
}

void TqvVelmora::FrameResized() {
    FMagnet.Clear();
    if (CanShowLayeredBorder()) FBorderLayer->SetBoundsWithForm();
    UpdateFrame(true);
    if (!LogoBitMap.isNull()) FForm->Client()->update();
}

void TqvVelmora::FrameEventAfter(QEvent* e) {
    LayeredBorderEvent(e);
    switch (e->type()) {
    case QEvent::Show:
        if (e->spontaneous()) break;
        // After the form's own Position placement.
        if (FStartShow && PositionInMonitor == qvpDefault) FStartShow = false;
        if (FStartShow && FWindowState == wsNormal) {
            FStartShow = false;
            ApplyPositionInMonitor();
        }
        StartFade();
        if (CanShowLayeredBorder()) ShowLayeredBorder(true);
        if (IsMDIChild()) MDIShowChanged(true);
        break;
    case QEvent::Hide:
        if (!e->spontaneous() && IsMDIChild() && !FForm->Visible()) MDIShowChanged(false);
        break;
    case QEvent::WindowStateChange:
        // Back from a minimize the platform did (the main form, MinimizeDefault).
        if ((static_cast<QWindowStateChangeEvent*>(e)->oldState() & Qt::WindowMinimized) && !FForm->isMinimized() &&
            OnRestore)
            OnRestore(this);
        break;
    default:
        break;
    }
}

bool TqvVelmora::MessageBefore(TMessage& m) {
    auto* model = reinterpret_cast<TqvSkinData*>(m.WParam);
    switch (m.Msg) {
    case WM_SKIN_CHANGING:
        if (model && model == FSD) {
            FStopPainting = true;
            FSkinSupport = false;
            FFadeTimer.Stop();
            FBorderLayer->Hide();
            ClearObjects();
            BroadcastBeforeChangeSkinData(model, FForm);
            if (OnBeforeChangeSkinData) OnBeforeChangeSkinData(this);
        }
        return false;
    case WM_SKIN_CHANGED:
        FStopPainting = false;
        if (model && model == FSD) ChangeSkinData();
        BroadcastChangeSkinData(model, FForm);
        return false;
    case WM_SKIN_MENU_CLOSED:
        SkinMenuClose();
        return false;
    case WM_SKIN_CHANGE_DONE:
        if (model && model == FSD) UpdateMDIChildren();
        if (OnAfterChangeSkinData) OnAfterChangeSkinData(this);
        return false;
    case WM_SKIN_STRINGS_CHANGED:
        // The caption buttons' hints take the model's new texts.
        SetObjectHints();
        return false;
    case WM_SKIN_FORM_SKINNABLE_CHANGED:
        if (!FUseRibbon && FSD && model == FSD) SetSkinnableForm(FSD->SkinnableForm());
        return false;
    case WM_SKIN_RESTORE_MAIN_FORM:
        if (FForm->Tag() == kTrayMainFormTag) {
            // Back from the tray: in front, under a visible stay-on-top form.
            FForm->raise();
            FForm->activateWindow();
            for (TForm* f : Application()->Forms())
                if (f != FForm && f->isVisible() && f->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
                    f->raise();
                    break;
                }
            FForm->SetTag(0);
        }
        return false;
    case WM_SKIN_LAYERED_BORDERS_CHANGED:
        if (CanShowLayeredBorder()) {
            if (FForm->isVisible() && !FBorderLayer->Visible()) ShowLayeredBorder(GetFormActive());
        } else if (FBorderLayer->Visible()) {
            FBorderLayer->Hide();
        }
        return false;
    case WM_SKIN_QUERY_OWN_FRAME:
        m.Result = FSkinnableForm ? SKIN_ANSWER_OWN_FRAME : SKIN_ANSWER_SYSTEM_FRAME;
        return true;
    case WM_SKIN_SMART_EFFECTS_BEGIN:
        FSmartEffectsShow = true;
        return false;
    case WM_SKIN_SMART_EFFECTS_END:
        if (!FSmartEffectsShow) return false;
        FSmartEffectsShow = false;
        // The outside effect is over: the border fades back in.
        if ((FForm->isVisible() || FForm->Tag() == kTrayMainFormTag) && CanShowLayeredBorder()) {
            FBorderLayer->SetActive(true, false);
            FBorderLayer->ShowWithFormAnimation();
        }
        return false;
    case WM_SKIN_PAINT_FRAME:
        if (!FSkinnableForm) return false;
        if (m.WParam && FrameVisible()) {
            PaintFrameInto(*reinterpret_cast<QImage*>(m.WParam));
            m.Result = SKIN_ANSWER_FRAME_PAINTED;
        }
        return true;
    case WM_SKIN_PAINT_FRAME_EX:
        if (!FSkinnableForm || m.LParam != SKIN_PAINT_FRAME_EX_KEY) return false;
        if (m.WParam && FrameVisible()) PaintFrameInto(*reinterpret_cast<QImage*>(m.WParam));
        m.Result = SKIN_PAINT_FRAME_EX_KEY;
        return true;
    default:
        return MDIMessage(m);
    }
}

// ---- frame mouse

bool TqvVelmora::FrameMouse(QMouseEvent* e, bool fromForm) {
    const QPoint global = e->globalPosition().toPoint();
    const QPoint local = e->position().toPoint();
    const TPoint P = fromForm ? TPoint{local.x(), local.y()} : PointToWindow(Point(global.x(), global.y()));
    const int code = HitTest(P);
    switch (e->type()) {
    case QEvent::MouseMove:
        if (FDrag.Code) {
            if (e->buttons() & Qt::LeftButton) DragTo(global);
            else EndDrag();
            return true;
        }
        if (e->buttons() == Qt::NoButton) UpdateCursor(code);
        // No enter or leave comes while a button is held: the moves track the hover.
        TestActive(P.X, P.Y, code != HTCLIENT);
        ObjectMouseMove(P.X, P.Y);
        return code != HTCLIENT;
    case QEvent::MouseButtonPress: {
        if (code == HTCLIENT) return false;
        TestActive(P.X, P.Y, true);
        const bool onCaption = ActiveObject >= 0 && ObjectList[std::size_t(ActiveObject)]->IsCaption();
        if (code == HTOBJECT || (code == HTCAPTION && onCaption)) ObjectMouseDown(e->button(), P.X, P.Y);
        // A caption press is the form's move, never the object's.
        if (code == HTCAPTION) MouseCaptureObject = -1;
        if (e->button() == Qt::LeftButton && (code == HTCAPTION || IsSizingCode(code))) StartDrag(code, global, fromForm);
        if (e->button() == Qt::RightButton && code == HTCAPTION && !DisableSystemMenu) PopupSystemMenuAt(global);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const bool dragging = FDrag.Code != 0;
        if (dragging && e->button() == Qt::LeftButton) EndDrag();
        if (MouseCaptureObject != -1) {
            // Off the object the release lets go without a click.
            TestActive(P.X, P.Y, code != HTCLIENT);
            ObjectMouseUp(e->button(), P.X, P.Y);
        }
        return dragging || code != HTCLIENT;
    }
    case QEvent::MouseButtonDblClick:
        if (code == HTCLIENT) return false;
        TestActive(P.X, P.Y, true);
        if (code == HTOBJECT && ActiveObject >= 0) {
            ObjectMouseDown(e->button(), P.X, P.Y);
            ObjectDblClick();
        }
        if (code == HTCAPTION && e->button() == Qt::LeftButton) {
            CaptionDblClick();
            MouseCaptureObject = -1;
        }
        return true;
    default:
        return false;
    }
}

void TqvVelmora::StartDrag(int code, QPoint global, bool fromForm) {
    // An embedded form stays where its parent puts it; an MDI child moves inside its frame.
    if (FForm->parentWidget() && !IsMDIChild()) return;
    FDrag = TDrag{code, false, global, FForm->geometry()};
    if (code == HTCAPTION) return;  // a move starts past the drag distance
    (void)fromForm;
    if (!PreviewMode && FForm->windowHandle() && FForm->windowHandle()->startSystemResize(EdgesOf(code))) {
        FDrag = TDrag{};
        return;
    }
    FDrag.Started = true;
    FSizeMove = true;
    TestActive(-1, -1, false);
}

void TqvVelmora::DragTo(QPoint global) {
    const QPoint d = global - FDrag.PressGlobal;
    if (!FDrag.Started) {
        if (d.manhattanLength() < QApplication::startDragDistance()) return;
        // A maximized form cannot be dragged.
        if (FWindowState == wsMaximized) {
            FDrag = TDrag{};
            return;
        }
        if (!PreviewMode && FForm->windowHandle() && FForm->windowHandle()->startSystemMove()) {
            FDrag = TDrag{};
            return;
        }
        FDrag.Started = true;
        FSizeMove = true;
        FMagnet.MouseDownCoord = global;
        TestActive(-1, -1, false);
    }
    const QRect& s = FDrag.StartBounds;
    if (FDrag.Code == HTCAPTION) {
        int l = s.x() + d.x(), t = s.y() + d.y();
        if (Magnetic) {
            // A shown layered border's bands snap with the form.
            TqvLayerBandSizes b;
            if (CanShowLayeredBorder() && FBorderLayer->Visible()) b = FBorderLayer->Bands();
            l -= b.Left;
            t -= b.Top;
            MagneticMove(FMagnet, l, t, s.width() + b.Right, s.height() + b.Bottom, WorkArea(), MagneticSize, global);
            if (!FMagnet.HMagnetized2) l += b.Left;
            if (!FMagnet.VMagnetized2) t += b.Top;
        }
        FForm->SetBounds(l, t, FForm->Width(), FForm->Height());
        return;
    }
    SetFormBounds(ResizedBounds(s, d, FDrag.Code, FForm->minimumSize(), FForm->maximumSize()));
}

void TqvVelmora::EndDrag() {
    const bool started = FDrag.Started;
    FDrag = TDrag{};
    FSizeMove = false;
    if (started) {
        ActiveObject = OldActiveObject = MouseCaptureObject = -1;
        UpdateFrame(true);
    }
}

void TqvVelmora::UpdateCursor(int code) {
    std::optional<Qt::CursorShape> shape;
    switch (code) {
    case HTLEFT:
    case HTRIGHT: shape = Qt::SizeHorCursor; break;
    case HTTOP:
    case HTBOTTOM: shape = Qt::SizeVerCursor; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: shape = Qt::SizeFDiagCursor; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: shape = Qt::SizeBDiagCursor; break;
    case HTCLIENT: break;
    default:
        // The rest of the frame shows the arrow, as a window frame does, unless
        // the form's own cursor is asked for there.
        if (!UseFormCursorInNCArea) shape = Qt::ArrowCursor;
        break;
    }
    // A cursor the form set for itself meanwhile is its own again.
    if (FCursorOverridden && (!FForm->testAttribute(Qt::WA_SetCursor) || FForm->cursor().shape() != FOverrideShape))
        FCursorOverridden = false;
    if (!shape) return RestoreFormCursor();
    if (!FCursorOverridden) {
        FFormCursor = FForm->testAttribute(Qt::WA_SetCursor) ? std::optional<QCursor>(FForm->cursor()) : std::nullopt;
        FCursorOverridden = true;
    }
    FOverrideShape = *shape;
    FForm->setCursor(*shape);
}

void TqvVelmora::RestoreFormCursor() {
    if (!FCursorOverridden) return;
    if (FFormCursor) FForm->setCursor(*FFormCursor);
    else FForm->unsetCursor();
    FCursorOverridden = false;
}

bool TqvVelmora::eventFilter(QObject* watched, QEvent* e) {
    // The type first: a status bar being destroyed still sends events, and is no status bar any more.
    const auto t = e->type();
    if (t != QEvent::MouseButtonPress && t != QEvent::MouseMove && t != QEvent::MouseButtonRelease) return false;
    if (watched != FStatusBar.data()) return false;
    bool handled = false;
    Application()->Guard([&] {
        auto* me = static_cast<QMouseEvent*>(e);
        if (t == QEvent::MouseButtonPress) {
            if (me->button() != Qt::LeftButton || !FSkinnableForm || FWindowState == wsMaximized) return;
            const QPoint p = me->position().toPoint();
            const int code = FStatusBar->HitTest(p.x(), p.y());
            if (!IsSizingCode(code)) return;
            StartDrag(code, me->globalPosition().toPoint(), false);
            handled = FDrag.Code != 0;
        } else if (FDrag.Code) {
            if (t == QEvent::MouseMove) DragTo(me->globalPosition().toPoint());
            else EndDrag();
            handled = true;
        }
    });
    return handled;
}

// ---- layered border and the inactive-client veil

bool TqvVelmora::CanShowLayeredBorder() const {
    return FSD && !FSD->Empty && FSD->ShowLayeredBorders() && FBorderLayer && FBorderLayer->HasFrame() &&
           LayeredWindowsAvailable() && FSkinnableForm && !AlwaysDisableLayeredFrames && !PreviewMode &&
           FrameVisible() && !FForm->parentWidget() && !FSmartEffectsShow;
}

void TqvVelmora::ShowLayeredBorder(bool Active) {
    FBorderLayer->SetActive(Active, false);
    // A form fading in takes its border along from the alpha it has now.
    FBorderLayer->CheckFormAlpha(FFadeTimer.Active() ? FFadeAlpha : 255, false);
    FBorderLayer->ShowWithForm();
}

void TqvVelmora::LayeredBorderEvent(QEvent* e) {
    switch (e->type()) {
    case QEvent::Move:
        if (CanShowLayeredBorder()) FBorderLayer->MoveWithForm();
        break;
    case QEvent::Hide:
        if (!e->spontaneous()) FBorderLayer->Hide();
        break;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
        const bool active = e->type() == QEvent::WindowActivate;
        FBorderLayerChangeSize = false;
        if (!FForm->isVisible()) break;
        if (ClientInActiveEffect) {
            if (active) HideClientInActiveEffect();
            else ShowClientInActiveEffect();
        }
        if (CanShowLayeredBorder()) FBorderLayer->SetActive(active, true);
        break;
    }
    default:
        break;
    }
}

void TqvVelmora::ShowClientInActiveEffect() {
    HideClientInActiveEffect();
    auto* panel = new TqvClientInActivePanel(this);
    FClientInActivePanel = panel;
    panel->ShowPanel(FForm, ClientInActiveEffectType);
}

void TqvVelmora::HideClientInActiveEffect() {
    if (!FClientInActivePanel) return;
    FClientInActivePanel->HidePanel();
    delete FClientInActivePanel.data();
}

// ---- tray

TqvTrayIcon* TqvVelmora::TrayIcon() const { return static_cast<TqvTrayIcon*>(FTrayIcon.data()); }

TqvTrayPopupMenu* TqvVelmora::TrayMenu() const {
    if (TqvTrayPopupMenu* m = FTrayMenu.Get()) return m;
    return FSysTrayMenu;
}
void TqvVelmora::SetTrayMenu(TqvTrayPopupMenu* Value) { FTrayMenu.Set(Value); }

void TqvVelmora::SetTrayIcon(TqvTrayIcon* Value) {
    FTrayIcon = Value;
    if (!Value) return;
    if (!AlwaysShowInTray) Value->SetIconVisible(false);
    Value->SetMinimizeToTray(false);
    if (!Value->PopupMenu() && TrayMenu()) Value->SetPopupMenu(TrayMenu());
    if (!Value->OnDblClick)
        Value->OnDblClick = [self = QPointer<TqvVelmora>(this)](QObject*) {
            if (self) self->RestoreFromTray();
        };
}

void TqvVelmora::MinimizeToTray() {
    TqvTrayIcon* tray = TrayIcon();
    if (!tray) return;
    tray->SetMinimizeToTray(true);
    Application()->Minimize();
    if (OnMinimizeToTray) OnMinimizeToTray(this);
}

void TqvVelmora::RestoreFromTray() {
    TqvTrayIcon* tray = TrayIcon();
    if (!tray) return;
    tray->SetMinimizeToTray(false);
    tray->ShowMainForm();
    Application()->Restore();
    if (!AlwaysShowInTray) tray->SetIconVisible(false);
    if (OnRestoreFromTray) OnRestoreFromTray(this);
}
