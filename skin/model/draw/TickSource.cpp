#include "skin/model/draw/TickSource.h"

#include "platform/Application.h"

#include <QTimer>

namespace {
class TTimerTickSource : public TqvTickSource {
public:
    TTimerTickSource() {
        // Fades step every 25 ms; a coarse timer would make them uneven.
        FTimer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            if (OnTick) Application()->Guard([this] { OnTick(); });
        });
    }
    void Start(int IntervalMs) override { FTimer.start(IntervalMs); }
    void Stop() override { FTimer.stop(); }
    bool Active() const override { return FTimer.isActive(); }

private:
    QTimer FTimer;
};
}  // namespace

std::unique_ptr<TqvTickSource> NewTimerTickSource() { return std::make_unique<TTimerTickSource>(); }
