#include "skin/forms/hint/SkinHint.h"

#include "platform/Form.h"
#include "platform/Sources.h"
#include "skin/controls/base/SkinPart.h"
#include "skin/forms/hint/SkinHintMachine.h"
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/LayerManager.h"
#include "skin/model/draw/SkinCompose.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

// Steps of the fade-in: the spin waited for more than 3 ms between steps.
constexpr int kFadeInterval = 4;

TFont BoldOf(const TFont& F) {
    TFont b(F);
    b.SetStyle(F.Style() | fsBold);
    return b;
}

bool ValidImage(TCustomImageList* List, int Index) { return List && Index >= 0 && Index < List->Count(); }

}  // namespace

// ---- pure parts

QString PrepareHintText(const QString& Hint, const QString& Separator) {
    QString s = Hint;
    if (Separator.isEmpty()) return s;
    static const QString kBreak = QStringLiteral("\n\r");
    for (qsizetype i = s.indexOf(Separator); i >= 0; i = s.indexOf(Separator, i + kBreak.size()))
        s.replace(i, Separator.size(), kBreak);
    return s;
}

QString HintDisplayText(const QString& Caption) {
    QString s = Caption;
    s.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    return s;
}

TSize MeasureHintText(TCanvas& Canvas, const QString& Caption) {
    TRect r = Rect(0, 0, 0, 0);
    Canvas.DrawText(HintDisplayText(Caption), r, DT_CALCRECT);
    return {r.Width(), r.Height()};
}

TqvHintGeometry StretchHintGeometry(const TqvDataSkinHintWindow& R, int PW, int PH, int W, int H) {
    TqvHintGeometry g;
    W += R.ClRect.Left + PW - R.ClRect.Right;
    H += R.ClRect.Top + PH - R.ClRect.Bottom;
    int dx = W - PW, dy = H - PH;
    if (R.RTPoint.X + dx < R.LTPoint.X) {
        W += R.LTPoint.X - (R.RTPoint.X + dx);
        dx = W - PW;
    }
    if (R.RBPoint.X + dx < R.LBPoint.X) {
        W += R.LBPoint.X - (R.RBPoint.X + dx);
        dx = W - PW;
    }
    if (R.LBPoint.Y + dy < R.LTPoint.Y) {
        H += R.LTPoint.Y - (R.LBPoint.Y + dy);
        dy = H - PH;
    }
    if (R.RBPoint.Y + dy < R.RTPoint.Y) {
        H += R.RTPoint.Y - (R.RBPoint.Y + dy);
        dy = H - PH;
    }
    g.W = W;
    g.H = H;
    g.NewClRect = Rect(R.ClRect.Left, R.ClRect.Top, R.ClRect.Right + dx, R.ClRect.Bottom + dy);
    g.NewLTPoint = R.LTPoint;
    g.NewRTPoint = Point(R.RTPoint.X + dx, R.RTPoint.Y);
    g.NewLBPoint = Point(R.LBPoint.X, R.LBPoint.Y + dy);
    g.NewRBPoint = Point(R.RBPoint.X + dx, R.RBPoint.Y + dy);
    return g;
}

TRect KeepHintOnScreen(TRect R, const TRect& Area) {
    const int w = R.Width(), h = R.Height();
    if (R.Right > Area.Right) OffsetRect(R, -(w + 2), 0);
    if (R.Bottom > Area.Bottom) OffsetRect(R, 0, -(h + 2));
    return R;
}

int HintCursorHeightMargin() { return 20; }

// ---- the window

TqvSkinHintWindow::TqvSkinHintWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    FFadeTimer.SetEnabled(false);
    FFadeTimer.SetInterval(kFadeInterval);
    FFadeTimer.OnTimer = [this](QObject*) { FadeStep(); };
}

TqvSkinHintWindow::~TqvSkinHintWindow() { FFadeTimer.SetEnabled(false); }

TqvSkinHint* TqvSkinHintWindow::FindSpHint() {
    TApplication* app = ApplicationInstance();
    TForm* main = app ? app->MainForm() : nullptr;
    if (!main) return nullptr;
    for (QObject* o : main->Components())
        if (auto* h = dynamic_cast<TqvSkinHint*>(o); h && h->Active()) return h;
    return nullptr;
}

const QImage* TqvSkinHintWindow::SkinPicture() const {
    if (!FSD) return nullptr;
    const int i = FSD->HintWindow.WindowPictureIndex;
    if (i < 0 || std::size_t(i) >= FSD->FActivePictures.size() || FSD->FActivePictures[std::size_t(i)].isNull())
        return nullptr;
    return &FSD->FActivePictures[std::size_t(i)];
}

void TqvSkinHintWindow::Prepare() {
    FSD = nullptr;
    if (!FspHint) return;
    TqvSkinData* sd = FspHint->SkinData();
    if (sd && !sd->Empty && sd->HintWindow.WindowPictureIndex != -1) {
        FSD = sd;
        if (!SkinPicture()) FSD = nullptr;  // an index past the pictures: the default look
    }
}

void TqvSkinHintWindow::SetupCanvasFont(TCanvas& Canvas) const {
    if (FSD && FspHint && FspHint->UseSkinFont()) {
        const TqvDataSkinHintWindow& r = FSD->HintWindow;
        TFont f(r.FontName, r.FontHeight);
        f.SetStyle(r.FontStyle);
        f.SetColor(r.FontColor);
        Canvas.SetFont(f);
    } else if (FspHint) {
        Canvas.SetFont(FspHint->DefaultFont());
    }
}

TqvHintGeometry TqvSkinHintWindow::CalcHintSize(TCanvas& Canvas) const {
    const TSize t = MeasureHintText(Canvas, FCaption);
    if (const QImage* pic = SkinPicture())
        return StretchHintGeometry(FSD->HintWindow, pic->width(), pic->height(), t.cx + 5, t.cy);
    return PlainHintGeometry(t.cx + 4, t.cy + 4);
}

TqvHintGeometry TqvSkinHintWindow::CalcHintSizeEx(TCanvas& Canvas) const {
    const TSize t = MeasureHintText(Canvas, FCaption);
    int w = t.cx, h = t.cy, titleH = 0;
    if (!FTitle.isEmpty()) {
        // Measured as drawn (bold), so a long title is never cut.
        TCanvas c;
        c.SetFont(BoldOf(Canvas.Font()));
        const TSize ts = c.TextExtent(FTitle);
        titleH = ts.cy;
        h += titleH + 10;
        w = std::max(w, ts.cx);
    }
    if (ValidImage(FImageList, FImageIndex)) {
        w += FImageList->Width() + 10;
        h = std::max(h, FImageList->Height() + titleH + 5);
    }
    if (const QImage* pic = SkinPicture())
        return StretchHintGeometry(FSD->HintWindow, pic->width(), pic->height(), w + 10, h);
    return PlainHintGeometry(w + 4, h + 4);
}

void TqvSkinHintWindow::ActivateHint(const TRect& R, const QString& AHint) {
    AExtendedStyle = false;
    FspHint = FindSpHint();
    if (!FspHint) return;
    // A skinned control's title and image, taken by the application's hook.
    if (!FspHint->HintTitle().isEmpty() || FspHint->HintImageList()) {
        ActivateHintEx(R, FspHint->HintTitle(), AHint, FspHint->HintImageIndex(), FspHint->HintImageList());
        return;
    }
    FTitle.clear();
    FImageList = nullptr;
    Measure(AHint);
    ShowAt(R.Left, R.Top);
}

// The text, fonts and size for AHint; the title and image, when set, count.
void TqvSkinHintWindow::Measure(const QString& AHint) {
    Prepare();
    FCaption = PrepareHintText(AHint, FspHint->LineSeparator());
    QImage probe(1, 1, QImage::Format_RGB32);
    TCanvas c(&probe);
    SetupCanvasFont(c);
    FGeometry = AExtendedStyle ? CalcHintSizeEx(c) : CalcHintSize(c);
}

void TqvSkinHintWindow::ActivateHintEx(const TRect& R, const QString& AHintTitle, const QString& AHint,
                                       int AImageIndex, TCustomImageList* AImageList) {
    AExtendedStyle = true;
    FspHint = FindSpHint();
    if (!FspHint) return;
    FTitle = AHintTitle;
    FImageIndex = AImageIndex;
    FImageList = AImageList;
    Measure(AHint);
    ShowAt(R.Left, R.Top);
}

void TqvSkinHintWindow::ActivateHintFromRect(const TRect& ARect, const QString& AHint, bool ATop) {
    AExtendedStyle = false;
    FspHint = FindSpHint();
    if (!FspHint) return;
    FTitle.clear();
    FImageList = nullptr;
    Measure(AHint);
    const int left = ARect.Left + ARect.Width() / 2 - FGeometry.W / 2;
    const int top = ATop ? ARect.Top - FGeometry.H : ARect.Bottom;
    ShowAt(left, top);
}

void TqvSkinHintWindow::ShowAt(int Left, int Top) {
    TRect r = Bounds(Left, Top, FGeometry.W, FGeometry.H);
    TRect area;
    TApplication* app = Application();
    if (TForm* active = app->ActiveForm())
        GetMonitorWorkArea(active, true, area);
    else if (app->MainForm() && app->MainForm()->isVisible())
        GetMonitorWorkArea(app->MainForm(), true, area);
    else
        GetScreenWorkArea(false, area);
    r = KeepHintOnScreen(r, area);
    setGeometry(r.ToQRect());

    // Translucency: the window keeps its last settings between hints.
    FFadeTimer.SetEnabled(false);
    const bool blend = FspHint->AlphaBlend();
    if (blend != FOldAlphaBlend) {
        if (!blend) SetWindowAlpha(this, 255);
        FOldAlphaBlend = blend;
    }
    FAlphaTarget = blend ? FspHint->AlphaBlendValue() : 255;
    const bool animate = blend && FspHint->AlphaBlendAnimation();
    if (animate) {
        FAlpha = 0;
        SetWindowAlpha(this, 0);
    } else if (blend) {
        FAlpha = FAlphaTarget;
        if (FAlphaTarget != FOldAlphaBlendValue) SetWindowAlpha(this, FAlphaTarget);
    } else {
        FAlpha = 255;
    }
    if (blend) FOldAlphaBlendValue = FAlphaTarget;

    QRegion rgn;
    bool shaped = false;
    if (FSD) {
        const TqvDataSkinHintWindow& hw = FSD->HintWindow;
        const int m = hw.MaskPictureIndex;
        if (m >= 0 && std::size_t(m) < FSD->FActivePictures.size() && !FSD->FActivePictures[std::size_t(m)].isNull())
            shaped = CreateSkinRegion(rgn, hw.LTPoint, hw.RTPoint, hw.LBPoint, hw.RBPoint, hw.ClRect,
                                      FGeometry.NewLTPoint, FGeometry.NewRTPoint, FGeometry.NewLBPoint,
                                      FGeometry.NewRBPoint, FGeometry.NewClRect,
                                      FSD->FActivePictures[std::size_t(m)], FGeometry.W, FGeometry.H);
    }
    if (shaped) setMask(rgn);
    else clearMask();

    show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) raise();
    update();
    if (animate) FFadeTimer.SetEnabled(true);
}

void TqvSkinHintWindow::FadeStep() {
    const int step = std::max(1, FAlphaTarget / 15);
    FAlpha = std::min(FAlphaTarget, FAlpha + step);
    SetWindowAlpha(this, FAlpha);
    update();
    if (FAlpha >= FAlphaTarget) FFadeTimer.SetEnabled(false);
}

void TqvSkinHintWindow::HideHintWindow() {
    FFadeTimer.SetEnabled(false);
    hide();
}

// ---- painting

void TqvSkinHintWindow::PaintBackground(QImage& B, TCanvas& C) const {
    if (const QImage* pic = SkinPicture()) {
        const TqvDataSkinHintWindow& r = FSD->HintWindow;
        ComposeSkinImageEx(r.LTPoint, r.RTPoint, r.LBPoint, r.RBPoint, r.ClRect, FGeometry.NewLTPoint,
                           FGeometry.NewRTPoint, FGeometry.NewLBPoint, FGeometry.NewRBPoint, FGeometry.NewClRect,
                           B, *pic, Rect(0, 0, pic->width(), pic->height()), B.width(), B.height(), true,
                           r.LeftStretch, r.TopStretch, r.RightStretch, r.BottomStretch, r.StretchEffect,
                           r.StretchType);
    } else {
        C.Brush().SetColor(clInfoBk);
        C.FillRect(Rect(0, 0, B.width(), B.height()));
        C.Brush().SetColor(clBtnShadow);
        C.FrameRect(Rect(0, 0, B.width(), B.height()));
    }
}

void TqvSkinHintWindow::PaintPlain(QImage& B) const {
    TCanvas c(&B);
    PaintBackground(B, c);
    SetupCanvasFont(c);
    c.Brush().SetStyle(bsClear);
    const QString text = HintDisplayText(FCaption);
    if (SkinPicture()) {
        const TSize t = MeasureHintText(c, FCaption);
        const TRect& cl = FGeometry.NewClRect;
        TRect r = Bounds(cl.Left + cl.Width() / 2 - t.cx / 2, cl.Top + cl.Height() / 2 - t.cy / 2, t.cx, t.cy);
        c.DrawText(text, r, 0);
    } else {
        c.Font().SetColor(clInfoText);
        TRect r = Rect(2, 2, B.width() - 2, B.height() - 2);
        c.DrawText(text, r, 0);
    }
}

TqvHintExLayout TqvSkinHintWindow::ExLayout() const {
    TqvHintExLayout l;
    QImage probe(1, 1, QImage::Format_RGB32);
    TCanvas c(&probe);
    SetupCanvasFont(c);
    const TSize t = MeasureHintText(c, FCaption);
    TSize title{};
    if (!FTitle.isEmpty()) {
        TCanvas b;
        b.SetFont(BoldOf(c.Font()));
        title = b.TextExtent(FTitle);
    }
    const int offset = FTitle.isEmpty() ? 0 : title.cy + 5;
    l.HasImage = ValidImage(FImageList, FImageIndex);
    const int iw = l.HasImage ? FImageList->Width() : 0, ih = l.HasImage ? FImageList->Height() : 0;
    if (SkinPicture()) {
        const TRect& cl = FGeometry.NewClRect;
        if (!FTitle.isEmpty()) l.TitleRect = Bounds(cl.Left + 5, cl.Top, title.cx, title.cy);
        int x = cl.Left + 5;
        if (l.HasImage) {
            l.ImagePos = Point(x, FTitle.isEmpty() ? cl.Top + (cl.Height() - ih) / 2 : cl.Top + offset);
            x += iw + 5;
        }
        const int y = FTitle.isEmpty() ? cl.Top + (cl.Height() - t.cy) / 2 : cl.Top + offset;
        l.TextRect = Bounds(x, y, t.cx, t.cy);
    } else {
        const TRect in = Rect(2, 2, FGeometry.W - 2, FGeometry.H - 2);
        if (!FTitle.isEmpty()) l.TitleRect = Bounds(in.Left, in.Top, title.cx, title.cy);
        TRect tr = in;
        tr.Top += offset;
        if (l.HasImage) {
            l.ImagePos = Point(in.Left, FTitle.isEmpty() ? in.Top + (in.Height() - ih) / 2 : in.Top + offset);
            tr.Left = l.ImagePos.X + iw + 5;
        }
        l.TextRect = tr;
    }
    return l;
}

void TqvSkinHintWindow::PaintEx(QImage& B) const {
    TCanvas c(&B);
    PaintBackground(B, c);
    SetupCanvasFont(c);
    if (!SkinPicture()) c.Font().SetColor(clInfoText);
    c.Brush().SetStyle(bsClear);
    const TqvHintExLayout l = ExLayout();
    if (!FTitle.isEmpty()) {
        TCanvas b(&B);
        b.SetFont(BoldOf(c.Font()));
        b.Brush().SetStyle(bsClear);
        b.TextOut(l.TitleRect.Left, l.TitleRect.Top, FTitle);
    }
    if (l.HasImage) FImageList->Draw(c, l.ImagePos.X, l.ImagePos.Y, FImageIndex);
    TRect r = l.TextRect;
    c.DrawText(HintDisplayText(FCaption), r, 0);
}

QImage TqvSkinHintWindow::BuildImage() const {
    if (!FspHint || FGeometry.W <= 0 || FGeometry.H <= 0) return {};
    QImage b(FGeometry.W, FGeometry.H, QImage::Format_RGB32);
    b.fill(Qt::white);
    if (AExtendedStyle) PaintEx(b);
    else PaintPlain(b);
    return b;
}

void TqvSkinHintWindow::paintEvent(QPaintEvent*) {
    QImage img;
    Application()->Guard([&] { img = BuildImage(); });
    QPainter p(this);
    if (img.isNull()) p.fillRect(rect(), Qt::white);
    else p.drawImage(0, 0, img);
}

// ---- the component

TqvSkinHint::TqvSkinHint(QObject* AOwner) : TComponent(AOwner), HW(std::make_unique<TqvSkinHintWindow>()) {
    HintTimer.SetEnabled(false);
    HintTimer.OnTimer = [this](QObject*) { HintTimerTick(); };
    // This component's window class becomes the application's hint window.
    TqvHintMachine::Join();
    InstallShowHintHook();
    Application()->SetHintShortPause(100);
}

TqvSkinHint::~TqvSkinHint() {
    HintTimer.SetEnabled(false);
    HW.reset();
    TqvHintMachine::Leave();
}

void TqvSkinHint::InstallShowHintHook() {
    QPointer<TqvSkinHint> self(this);
    Application()->OnShowHint = [self](QString& HintStr, bool& CanShow, THintInfo& HintInfo) {
        if (self) self->ShowHintHook(HintStr, CanShow, HintInfo);
    };
}

void TqvSkinHint::SetActive(bool Value) {
    FActive = Value;
    if (!Value) return;
    if (TForm* main = Application()->MainForm())
        for (QObject* o : main->Components())
            if (auto* h = dynamic_cast<TqvSkinHint*>(o); h && h != this && h->Active()) h->FActive = false;
    InstallShowHintHook();
}

void TqvSkinHint::ShowHintHook(QString& HintStr, bool& CanShow, THintInfo& HintInfo) {
    ClearTitleAndImage();
    if (auto* part = dynamic_cast<TqvSkinPart*>(HintInfo.HintControl)) {
        FHintTitle = part->HintTitle();
        FHintImageIndex = part->HintImageIndex();
        FHintImageList = part->HintImageList();
    }
    if (OnShowHint) OnShowHint(HintStr, CanShow, HintInfo);
}

void TqvSkinHint::ClearTitleAndImage() {
    FHintTitle.clear();
    FHintImageIndex = 0;
    FHintImageList = nullptr;
}

void TqvSkinHint::StartTimed(TTimedKind Kind) {
    HintTimer.SetEnabled(false);
    FTimedKind = Kind;
    FTimerShown = false;
    HintTimer.SetInterval(Application()->HintPause());
    HintTimer.SetEnabled(true);
}

void TqvSkinHint::ActivateHint2(const QString& AHint) {
    HintText = AHint;
    ClearTitleAndImage();
    StartTimed(tkPlain);
}

void TqvSkinHint::ActivateHintEx2(const QString& AHintTitle, const QString& AHint, TCustomImageList* AImageList,
                                  int AImageIndex) {
    HintTimer.SetEnabled(false);
    FHintTitle = AHintTitle;
    FHintImageIndex = AImageIndex;
    FHintImageList = AImageList;
    HintText = AHint;
    StartTimed(tkEx);
}

void TqvSkinHint::ActivateHint3(const TRect& AFromRect, const QString& AHint, bool ATop) {
    FromRect = AFromRect;
    Top = ATop;
    ClearTitleAndImage();
    HintText = AHint;
    StartTimed(tkFromRect);
}

void TqvSkinHint::HintTimerTick() {
    if (FTimerShown) {
        HideHint();
        return;
    }
    // Just below the cursor shape.
    const QPoint c = PointerSource().CursorPos();
    const TPoint p = Point(c.x(), c.y() + GetCursorHeightMargin());
    const TRect at = Rect(p.X, p.Y, p.X, p.Y);
    switch (FTimedKind) {
    case tkPlain: HW->ActivateHint(at, HintText); break;
    case tkEx: HW->ActivateHintEx(at, FHintTitle, HintText, FHintImageIndex, FHintImageList); break;
    case tkFromRect: HW->ActivateHintFromRect(FromRect, HintText, Top); break;
    }
    FTimerShown = true;
    HintTimer.SetEnabled(false);
    HintTimer.SetInterval(Application()->HintHidePause());
    HintTimer.SetEnabled(true);
}

void TqvSkinHint::ActivateHint(TPoint P, const QString& AHint) {
    ClearTitleAndImage();
    HW->ActivateHint(Rect(P.X, P.Y, P.X, P.Y), AHint);
}

void TqvSkinHint::ActivateHintEx(TPoint P, const QString& AHintTitle, const QString& AHint, int AImageIndex,
                                 TCustomImageList* AImageList) {
    FHintTitle = AHintTitle;
    FHintImageIndex = AImageIndex;
    FHintImageList = AImageList;
    HW->ActivateHintEx(Rect(P.X, P.Y, P.X, P.Y), AHintTitle, AHint, AImageIndex, AImageList);
}

void TqvSkinHint::HideHint() {
    HintTimer.SetEnabled(false);
    FTimerShown = false;
    if (HW && HW->isVisible()) {
        HW->HideHintWindow();
        ClearTitleAndImage();
    }
}

bool TqvSkinHint::IsVisible() const { return HW && HW->isVisible(); }
