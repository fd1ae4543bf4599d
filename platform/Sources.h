// Where the pointer position and the passing of time come from. Production
// reads the real cursor and clock; tests install manual sources and drive
// timer-based behaviour tick by tick.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

class TPointerSource {
public:
    virtual ~TPointerSource() = default;
    // The pointer in global (screen) coordinates.
    virtual QPoint CursorPos() = 0;
    // The widget under a global point (nullptr over no window of ours).
    virtual QWidget* WidgetAt(const QPoint& global);
};

class TRealPointerSource : public TPointerSource {
public:
    QPoint CursorPos() override;
};

// A pointer that is where a test puts it; WidgetAt answers Widget when set.
class TManualPointerSource : public TPointerSource {
public:
    QPoint Pos;
    QPointer<QWidget> Widget;
    QPoint CursorPos() override { return Pos; }
    QWidget* WidgetAt(const QPoint& global) override;
};

TPointerSource& PointerSource();
// nullptr restores the real pointer.
void SetPointerSource(std::shared_ptr<TPointerSource> source);
QPoint GetCursorPos();

class TTickSource {
public:
    virtual ~TTickSource() = default;
    // Milliseconds since some start, wrapping as GetTickCount does.
    virtual std::uint32_t TickCount() = 0;
    // Runs fn every intervalMs on the UI thread until StopTimer; answers an id > 0.
    virtual int StartTimer(int intervalMs, std::function<void()> fn) = 0;
    virtual void StopTimer(int id) = 0;
};

class TRealTickSource : public TTickSource {
public:
    TRealTickSource();
    ~TRealTickSource() override;
    std::uint32_t TickCount() override;
    int StartTimer(int intervalMs, std::function<void()> fn) override;
    void StopTimer(int id) override;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};

// Time stands still until Advance; due timers then fire in time order (a
// timer due several times fires several times).
class TManualTickSource : public TTickSource {
public:
    std::uint32_t TickCount() override { return FNow; }
    int StartTimer(int intervalMs, std::function<void()> fn) override;
    void StopTimer(int id) override;
    void Advance(int ms);
    int ActiveTimers() const { return int(FTimers.size()); }

private:
    struct TTimer {
        int Interval;
        std::uint32_t Due;
        std::shared_ptr<std::function<void()>> Fn;
    };
    std::uint32_t FNow = 0;
    int FNextId = 1;
    std::map<int, TTimer> FTimers;  // UI thread only
};

// The current source (shared so a running timer keeps the one it started on).
std::shared_ptr<TTickSource> TickSourcePtr();
TTickSource& TickSource();
// nullptr restores the real clock.
void SetTickSource(std::shared_ptr<TTickSource> source);
std::uint32_t GetTickCount();
