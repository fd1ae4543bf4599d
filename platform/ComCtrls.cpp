#include "platform/ComCtrls.h"

#include "platform/Application.h"

#include <QProgressBar>
#include <QSlider>

// ---- TTrackBar ----

TTrackBar::TTrackBar(QObject* AOwner) : TWinControl(AOwner), FSlider(new QSlider(Qt::Horizontal, this)) {
    SetInner(FSlider);
    SetTabStop(true);
    SetBounds(0, 0, 150, 45);
    FSlider->setRange(0, 10);
    FSlider->setPageStep(2);
    FSlider->setSingleStep(1);
    FSlider->setTickInterval(1);
    FSlider->setTickPosition(QSlider::TicksBelow);
    connect(FSlider, &QSlider::valueChanged, this, [this] {
        Application()->Guard([this] { if (OnChange) OnChange(this); });
    });
}

int TTrackBar::Min() const { return FSlider->minimum(); }
void TTrackBar::SetMin(int v) { FSlider->setMinimum(v); }
int TTrackBar::Max() const { return FSlider->maximum(); }
void TTrackBar::SetMax(int v) { FSlider->setMaximum(v); }
int TTrackBar::Position() const { return FSlider->value(); }
void TTrackBar::SetPosition(int v) { FSlider->setValue(v); }

TTrackBarOrientation TTrackBar::Orientation() const {
    return FSlider->orientation() == Qt::Vertical ? trVertical : trHorizontal;
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
    FSlider->setOrientation(v == trVertical ? Qt::Vertical : Qt::Horizontal);
    // The system's vertical bar has its minimum at the top.
    FSlider->setInvertedAppearance(v == trVertical);
}

int TTrackBar::Frequency() const { return FSlider->tickInterval(); }
void TTrackBar::SetFrequency(int v) { FSlider->setTickInterval(v); }

void TTrackBar::SetTickStyle(TTickStyle v) {
    FTickStyle = v;
    FSlider->setTickPosition(v == tsNone ? QSlider::NoTicks : QSlider::TicksBelow);
}

int TTrackBar::PageSize() const { return FSlider->pageStep(); }
void TTrackBar::SetPageSize(int v) { FSlider->setPageStep(v); }
int TTrackBar::LineSize() const { return FSlider->singleStep(); }
void TTrackBar::SetLineSize(int v) { FSlider->setSingleStep(v); }

// ---- TProgressBar ----

TProgressBar::TProgressBar(QObject* AOwner) : TWinControl(AOwner), FBar(new QProgressBar(this)) {
    SetInner(FBar);
    SetBounds(0, 0, 150, 17);
    FBar->setRange(0, 100);
    FBar->setValue(0);
    FBar->setTextVisible(false);
}

int TProgressBar::Min() const { return FBar->minimum(); }
void TProgressBar::SetMin(int v) { FBar->setMinimum(v); }
int TProgressBar::Max() const { return FBar->maximum(); }
void TProgressBar::SetMax(int v) { FBar->setMaximum(v); }
int TProgressBar::Position() const { return FBar->value(); }
void TProgressBar::SetPosition(int v) { FBar->setValue(std::clamp(v, Min(), Max())); }

void TProgressBar::StepBy(int delta) {
    int p = Position() + delta;
    if (p > Max()) p = Min() + (p - Max());
    SetPosition(p);
}

TProgressBarOrientation TProgressBar::Orientation() const {
    return FBar->orientation() == Qt::Vertical ? pbVertical : pbHorizontal;
}

void TProgressBar::SetOrientation(TProgressBarOrientation v) {
    FBar->setOrientation(v == pbVertical ? Qt::Vertical : Qt::Horizontal);
}
