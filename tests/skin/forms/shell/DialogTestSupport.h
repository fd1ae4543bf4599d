// Driving the code-built dialogs: an action queued before Execute runs
// inside the dialog's modal loop and ends it (a click, a key, a result),
// and skinned message boxes raised meanwhile are answered by queued actions
// too. Nothing waits for time.
#pragma once

#include "platform/Application.h"
#include "skin/forms/dialogs/SkinMessage.h"
#include "skin/controls/labels/SkinLabels.h"
#include "tests/skin/controls/ControlTestSupport.h"

#include <QApplication>
#include <QTimer>

#include <functional>

template <class F> F* OpenForm() {
    for (TForm* f : Application()->Forms())
        if (auto* m = qobject_cast<F*>(f)) return m;
    return nullptr;
}

inline void ClickAt(QWidget* w, QPoint p = {5, 5}) {
    SendMouse(w, QEvent::MouseButtonPress, p);
    SendMouse(w, QEvent::MouseButtonRelease, p);
}

inline void PressKey(QWidget* w, int key) {
    SendKey(w, QEvent::KeyPress, key);
    SendKey(w, QEvent::KeyRelease, key);
}

// Runs action in the next turn of the event loop.
inline void Queue(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

// Answers the next skinned message box with OK and keeps its text.
inline void AnswerNextBox(QString* text, TModalResult answer = mrOk) {
    Queue([text, answer] {
        auto* box = OpenForm<TqvMessageForm>();
        ASSERT_TRUE(box) << "a message box is open";
        if (text) *text = box->Message()->Caption();
        box->SetModalResult(answer);
    });
}
