#include "skin/model/draw/LayerManager.h"

#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/TextEffects.h"

#include <QGuiApplication>
#include <QPainter>
#include <QtGui/qguiapplication_platform.h>

#include <dlfcn.h>
#include <xcb/xcb.h>

#include <optional>

namespace {

// UI thread only.
std::optional<bool> gLayeredOverride;

// Whether a compositing manager owns _NET_WM_CM_S0. libxcb is already loaded
// by the platform plugin; it is reached by name so the program does not
// link against it.
bool X11CompositorRunning() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return false;
    void* lib = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_NOLOAD);
    if (!lib) return false;
    auto intern = reinterpret_cast<decltype(&xcb_intern_atom)>(dlsym(lib, "xcb_intern_atom"));
    auto internReply = reinterpret_cast<decltype(&xcb_intern_atom_reply)>(dlsym(lib, "xcb_intern_atom_reply"));
    auto owner = reinterpret_cast<decltype(&xcb_get_selection_owner)>(dlsym(lib, "xcb_get_selection_owner"));
    auto ownerReply =
        reinterpret_cast<decltype(&xcb_get_selection_owner_reply)>(dlsym(lib, "xcb_get_selection_owner_reply"));
    bool running = false;
    if (intern && internReply && owner && ownerReply) {
        xcb_connection_t* c = x11->connection();
        static const char name[] = "_NET_WM_CM_S0";
        if (xcb_intern_atom_reply_t* a = internReply(c, intern(c, 1, sizeof(name) - 1, name), nullptr)) {
            if (a->atom != XCB_ATOM_NONE)
                if (xcb_get_selection_owner_reply_t* o = ownerReply(c, owner(c, a->atom), nullptr)) {
                    running = o->owner != XCB_WINDOW_NONE;
                    free(o);
                }
            free(a);
        }
    }
    dlclose(lib);
    return running;
}

}  // namespace

bool LayeredWindowsAvailable() {
    if (gLayeredOverride) return *gLayeredOverride;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("wayland")) return true;
    if (platform == QLatin1String("xcb")) return X11CompositorRunning();
    return false;
}

void SetLayeredWindowsAvailableForTests(bool Available, bool Reset) {
    if (Reset) gLayeredOverride.reset();
    else gLayeredOverride = Available;
}

// ---- the window

TqvLayerWindow::TqvLayerWindow(bool TopMost)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowTransparentForInput | (TopMost ? Qt::WindowStaysOnTopHint : Qt::Widget)) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void TqvLayerWindow::SetContent(const TqvBitmap& Bmp, int Alpha) {
    // Straight alpha in, premultiplied for the surface, so soft edges are not
    // drawn over-bright.
    FContent = Bmp.Image().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    SetAlpha(Alpha);
}

void TqvLayerWindow::SetAlpha(int Alpha) {
    FAlpha = std::clamp(Alpha, 0, 255);
    update();
}

void TqvLayerWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setOpacity(FAlpha / 255.0);
    p.drawImage(0, 0, FContent);
}

void UpdateLayeredImage(const TqvBitmap& Bmp, int Alpha, TqvLayerWindow* Window) {
    if (!Window || !LayeredWindowsAvailable()) return;
    Window->SetContent(Bmp, Alpha);
}

void SetWindowAlpha(QWidget* Wnd, int Alpha) {
    if (!Wnd || !LayeredWindowsAvailable()) return;
    Wnd->setWindowOpacity(std::clamp(Alpha, 0, 255) / 255.0);
}

// ---- the manager

TqvLayerManager::TqvLayerManager(QObject* AOwner) : TComponent(AOwner) {}

TqvLayerManager::~TqvLayerManager() {
    StopTimer();
    FLayerWindow.reset();
    FBmp.reset();
}

void TqvLayerManager::StartTimer() {
    FBeginAlphaBlendValue = 0;
    StopTimer();
    FTicks = TickSourcePtr();
    FTimerId = FTicks->StartTimer(FadeInterval, [this] { FadeStep(); });
}

void TqvLayerManager::StopTimer() {
    if (FTimerId == 0) return;
    FTicks->StopTimer(FTimerId);
    FTimerId = 0;
}

void TqvLayerManager::Show(int X, int Y, const QImage& AImage, const QImage& AImageMask, int AAlphaBlendValue) {
    if (!IsWindows2000OrLater()) return;
    if (FLayerWindow) Hide();
    FIsVisible = true;
    FLayerWindow = std::make_unique<TqvLayerWindow>(FTopMostMode);
    FLayerWindow->setGeometry(X, Y, AImage.width(), AImage.height());
    FBmp = std::make_unique<TqvBitmap>();
    FBmp->Assign(AImage);
    TqvBitmap mask;
    mask.Assign(AImageMask);
    MaskToAlpha(*FBmp, mask);
    // Without a compositor the window would show as an opaque box: it is
    // kept, unshown, and the fade runs on without effect.
    FLayered = LayeredWindowsAvailable();
    if (FLayered) {
        FLayerWindow->SetContent(*FBmp, 0);
        FLayerWindow->show();
    }
    FEndAlphaBlendValue = AAlphaBlendValue;
    FStepAlphaBlendValue = std::max(AAlphaBlendValue / 10, 1);
    StartTimer();
}

void TqvLayerManager::FadeStep() {
    if (!FBmp || !FLayerWindow) return;
    FBeginAlphaBlendValue = std::min(FBeginAlphaBlendValue + FStepAlphaBlendValue, FEndAlphaBlendValue);
    // The picture is the one Show gave; only the constant alpha moves.
    if (FLayered) FLayerWindow->SetAlpha(FBeginAlphaBlendValue);
    if (FBeginAlphaBlendValue >= FEndAlphaBlendValue) StopTimer();
}

void TqvLayerManager::Hide() {
    if (!IsWindows2000OrLater()) return;
    StopTimer();
    FBmp.reset();
    FIsVisible = false;
    if (FLayerWindow) {
        FLayerWindow->hide();
        FLayerWindow.reset();
    }
}
