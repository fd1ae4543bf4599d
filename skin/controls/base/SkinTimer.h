// A timer on the platform's tick source: it stays on the source it was
// started on, so tests that install a manual source drive it tick by tick.
#pragma once

#include "platform/Sources.h"

#include <functional>
#include <memory>

class TqvSkinTimer {
public:
    TqvSkinTimer() = default;
    ~TqvSkinTimer() { Stop(); }
    TqvSkinTimer(const TqvSkinTimer&) = delete;
    TqvSkinTimer& operator=(const TqvSkinTimer&) = delete;

    // (Re)starts with a new interval.
    void Start(int intervalMs, std::function<void()> fn);
    void Stop();
    bool Active() const { return FId != 0; }
    int Interval() const { return FInterval; }

private:
    std::shared_ptr<TTickSource> FSource;
    int FId = 0;
    int FInterval = 0;
};
