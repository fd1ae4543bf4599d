#include "skin/controls/base/SkinTimer.h"

#include "platform/Application.h"

void TqvSkinTimer::Start(int intervalMs, std::function<void()> fn) {
    Stop();
    FSource = TickSourcePtr();
    FInterval = intervalMs;
    FId = FSource->StartTimer(intervalMs, [fn = std::move(fn)] { Application()->Guard(fn); });
}

void TqvSkinTimer::Stop() {
    if (FId != 0 && FSource) FSource->StopTimer(FId);
    FId = 0;
    FSource.reset();
}
