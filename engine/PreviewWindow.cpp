#include "engine/PreviewWindow.h"
#include "engine/FFUtils.h"
#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <string>

// ---------------------------------------------------------------------------
// TPreviewer

class TPreviewer::TPreviewForm : public QWidget {
public:
    explicit TPreviewForm(std::atomic<bool>& AClosed)
        : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint), FClosed(AClosed) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    QImage Picture;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, Picture);
    }
    // Dragging anywhere on the picture moves the window.
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && windowHandle()) windowHandle()->startSystemMove();
    }
    void closeEvent(QCloseEvent* e) override {
        FClosed = true;
        hide();
        e->ignore();
    }

private:
    std::atomic<bool>& FClosed;
};

TPreviewer::TPreviewer() = default;

TPreviewer::~TPreviewer() {
    CallInMainThread([this] { DestroyForm(); });
}

QWidget* TPreviewer::Window() const { return FForm; }

bool TPreviewer::PaintFrame(const QImage& ABitmap, int AFrameNumber, int64_t APTS) {
    if (FClosed) return false;
    FBitmap = &ABitmap;
    FFrameNumber = AFrameNumber;
    FPTS = APTS;
    CallInMainThread([this] { ShowFrame(); });
    FBitmap = nullptr;
    return !FClosed;
}

void TPreviewer::ShowFrame() {
    if (FClosed || !FBitmap) return;
    if (!FForm) {
        FForm = new TPreviewForm(FClosed);
        // The window keeps the size of the first frame.
        FForm->setFixedSize(FBitmap->size());
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect r = screen->availableGeometry();
            FForm->move(r.center() - QPoint(FBitmap->width() / 2, FBitmap->height() / 2));
        }
        FForm->show();
    }
    FForm->setWindowTitle(DurationToText(FPTS));
    // Our own copy in the window's pixel format: the worker reuses its bitmap,
    // and a picture in the screen's format is drawn without a conversion.
    FForm->Picture = FBitmap->convertToFormat(QImage::Format_RGB32);
    FForm->update();
}

void TPreviewer::DestroyForm() {
    delete FForm;
    FForm = nullptr;
}

// ---------------------------------------------------------------------------
// Frame hooks

namespace {

// Loaded once per process, never unloaded: a hook's code may still be on a
// stack of another conversion.
std::mutex gHookLibLock;
std::map<std::string, void*>& HookLibraries() {
    static std::map<std::string, void*> libs;  // gHookLibLock
    return libs;
}

void HookLog(const char* fmt, const char* arg) {
    if (ff::av_log) ff::av_log(nullptr, AV_LOG_ERROR, fmt, arg);
}

}  // namespace

int FrameHookAdd(TFrameHookEntry*& AFirst, int argc, char* argv[]) {
    if (argc < 1 || !argv || !argv[0]) return -2;
    const std::string name = argv[0];
    void* module = nullptr;
    {
        std::lock_guard lock(gHookLibLock);
        auto& libs = HookLibraries();
        const auto it = libs.find(name);
        if (it != libs.end()) {
            module = it->second;
        } else {
            // By its own path only: no change of folder or search path.
            module = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!module) {
                const char* err = dlerror();
                HookLog("%s\n", err ? err : name.c_str());
                return -1;
            }
            libs.emplace(name, module);
        }
    }
    auto* entry = new (std::nothrow) TFrameHookEntry;
    if (!entry) return -12;
    entry->Configure = reinterpret_cast<TFrameHookConfigureFn>(dlsym(module, "Configure"));
    entry->Process = reinterpret_cast<TFrameHookProcessFn>(dlsym(module, "Process"));
    entry->Release = reinterpret_cast<TFrameHookReleaseFn>(dlsym(module, "Release"));
    if (!entry->Process) {
        HookLog("Failed to find Process entrypoint in %s\n", name.c_str());
        delete entry;
        return -2;
    }
    if (!entry->Configure && argc > 1) {
        HookLog("Failed to find Configure entrypoint in %s\n", name.c_str());
        delete entry;
        return -2;
    }
    if (entry->Configure && entry->Configure(&entry->ctx, argc, argv) != 0) {
        HookLog("Failed to Configure %s\n", name.c_str());
        delete entry;
        return -22;
    }
    TFrameHookEntry** tail = &AFirst;
    while (*tail) tail = &(*tail)->next;
    *tail = entry;
    return 0;
}

void FrameHookProcess(TFrameHookEntry* AFirst, uint8_t* const data[], const int linesize[], int pix_fmt, int width,
                      int height, int64_t pts) {
    THookPicture pic{};
    for (int i = 0; i < 4; ++i) {
        pic.data[i] = data[i];
        pic.linesize[i] = linesize[i];
    }
    for (TFrameHookEntry* e = AFirst; e; e = e->next) e->Process(e->ctx, &pic, pix_fmt, width, height, pts);
}

void FrameHookRelease(TFrameHookEntry*& AFirst) {
    while (AFirst) {
        TFrameHookEntry* e = AFirst;
        AFirst = e->next;
        if (e->Release) e->Release(e->ctx);
        delete e;
    }
}
