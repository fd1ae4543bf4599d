#include "platform/Sources.h"

#include "platform/Application.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QTimer>

namespace {
std::shared_ptr<TPointerSource> gPointer;  // UI thread only
std::shared_ptr<TTickSource> gTicks;       // UI thread only
}  // namespace

QWidget* TPointerSource::WidgetAt(const QPoint& global) { return QApplication::widgetAt(global); }

QPoint TRealPointerSource::CursorPos() { return QCursor::pos(); }

QWidget* TManualPointerSource::WidgetAt(const QPoint& global) {
    if (Widget) return Widget;
    return TPointerSource::WidgetAt(global);
}

TPointerSource& PointerSource() {
    if (!gPointer) gPointer = std::make_shared<TRealPointerSource>();
    return *gPointer;
}

void SetPointerSource(std::shared_ptr<TPointerSource> source) { gPointer = std::move(source); }

QPoint GetCursorPos() { return PointerSource().CursorPos(); }

struct TRealTickSource::TImpl {
    QElapsedTimer Clock;
    int NextId = 1;
    std::map<int, QTimer*> Timers;
};

TRealTickSource::TRealTickSource() : FImpl(std::make_unique<TImpl>()) { FImpl->Clock.start(); }

TRealTickSource::~TRealTickSource() {
    for (auto& [id, t] : FImpl->Timers) delete t;
}

std::uint32_t TRealTickSource::TickCount() { return static_cast<std::uint32_t>(FImpl->Clock.elapsed()); }

int TRealTickSource::StartTimer(int intervalMs, std::function<void()> fn) {
    const int id = FImpl->NextId++;
    auto* t = new QTimer;
    t->setInterval(std::max(0, intervalMs));
    // Coarse timers may fire late by 5%; the class library's timers are not precise either.
    QObject::connect(t, &QTimer::timeout, t, [f = std::move(fn)] { Application()->Guard(f); });
    FImpl->Timers[id] = t;
    t->start();
    return id;
}

void TRealTickSource::StopTimer(int id) {
    auto it = FImpl->Timers.find(id);
    if (it == FImpl->Timers.end()) return;
    // A timer may stop itself from its own handler.
    it->second->stop();
    it->second->deleteLater();
    FImpl->Timers.erase(it);
}

int TManualTickSource::StartTimer(int intervalMs, std::function<void()> fn) {
    const int id = FNextId++;
    const int interval = std::max(1, intervalMs);
    FTimers[id] = {interval, FNow + std::uint32_t(interval), std::make_shared<std::function<void()>>(std::move(fn))};
    return id;
}

void TManualTickSource::StopTimer(int id) { FTimers.erase(id); }

void TManualTickSource::Advance(int ms) {
    const std::uint32_t end = FNow + std::uint32_t(std::max(0, ms));
    for (;;) {
        // The earliest due timer (lowest id on a tie) at or before the end.
        int next = 0;
        std::uint32_t due = 0;
        for (const auto& [id, t] : FTimers)
            if (std::int32_t(t.Due - end) <= 0 && (next == 0 || std::int32_t(t.Due - due) < 0)) {
                next = id;
                due = t.Due;
            }
        if (next == 0) break;
        FNow = due;
        auto it = FTimers.find(next);
        it->second.Due += std::uint32_t(it->second.Interval);
        const auto fn = it->second.Fn;  // the handler may stop its own timer
        Application()->Guard(*fn);
    }
    FNow = end;
}

std::shared_ptr<TTickSource> TickSourcePtr() {
    if (!gTicks) gTicks = std::make_shared<TRealTickSource>();
    return gTicks;
}

TTickSource& TickSource() { return *TickSourcePtr(); }

void SetTickSource(std::shared_ptr<TTickSource> source) { gTicks = std::move(source); }

std::uint32_t GetTickCount() { return TickSource().TickCount(); }
