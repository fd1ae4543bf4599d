// Timers of the drawing layer behind a small tick source, so tests can step
// a fade by hand instead of waiting for real time.
#pragma once

#include <functional>
#include <memory>

class TqvTickSource {
public:
    virtual ~TqvTickSource() = default;
    // OnTick runs on the user-interface thread every IntervalMs until Stop.
    virtual void Start(int IntervalMs) = 0;
    virtual void Stop() = 0;
    virtual bool Active() const = 0;
    std::function<void()> OnTick;
};

// A real timer of the user-interface thread; exceptions of OnTick go to the
// application's handler, never into the event loop.
std::unique_ptr<TqvTickSource> NewTimerTickSource();

// Ticks only when Tick is called, and only while started.
class TqvManualTickSource : public TqvTickSource {
public:
    void Start(int IntervalMs) override {
        FInterval = IntervalMs;
        FActive = true;
    }
    void Stop() override { FActive = false; }
    bool Active() const override { return FActive; }
    int Interval() const { return FInterval; }
    // True when a tick was delivered.
    bool Tick() {
        if (!FActive || !OnTick) return false;
        OnTick();
        return true;
    }

private:
    bool FActive = false;
    int FInterval = 0;
};
