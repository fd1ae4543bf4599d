// Track bars and progress bars.
#pragma once

#include "platform/Control.h"

class QProgressBar;
class QSlider;

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
    Q_OBJECT
public:
    explicit TTrackBar(QObject* AOwner = nullptr);

    int Min() const;
    void SetMin(int v);
    int Max() const;
    void SetMax(int v);
    int Position() const;
    // Clamped to Min..Max; OnChange runs on every change, from code or the user.
    void SetPosition(int v);
    TTrackBarOrientation Orientation() const;
    void SetOrientation(TTrackBarOrientation v);
    int Frequency() const;
    void SetFrequency(int v);
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle v);
    int PageSize() const;
    void SetPageSize(int v);
    int LineSize() const;
    void SetLineSize(int v);
    QSlider* Widget() const { return FSlider; }

    TNotifyEvent OnChange;

private:
    QSlider* FSlider;
    TTickStyle FTickStyle = tsAuto;
};

enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
    Q_OBJECT
public:
    explicit TProgressBar(QObject* AOwner = nullptr);

    int Min() const;
    void SetMin(int v);
    int Max() const;
    void SetMax(int v);
    int Position() const;
    // Clamped to Min..Max.
    void SetPosition(int v);
    int Step() const { return FStep; }
    void SetStep(int v) { FStep = v; }
    // Position advances by Step (by delta); past Max it starts again at Min, as the system bar does.
    void StepIt() { StepBy(FStep); }
    void StepBy(int delta);
    TProgressBarOrientation Orientation() const;
    void SetOrientation(TProgressBarOrientation v);
    QProgressBar* Widget() const { return FBar; }

private:
    QProgressBar* FBar;
    int FStep = 10;
};
