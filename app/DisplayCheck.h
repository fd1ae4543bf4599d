// Tells, before Qt starts, whether the program can reach its display at all:
// Qt's xcb platform plugin aborts the process when it cannot, and a user
// should get a sentence instead.
#pragma once

#include <QString>

#include <chrono>

struct xcb_connection_t;

class DisplayCheck {
public:
    // Connects to the display named by DISPLAY the way the xcb plugin will,
    // unless QT_QPA_PLATFORM picks a platform that needs none. A server
    // that has not answered within `limit` counts as unreachable.
    explicit DisplayCheck(std::chrono::milliseconds limit = std::chrono::seconds(5));
    // Keep the check until Qt has its own connection: an X server whose last
    // client leaves resets and refuses connections meanwhile.
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck&) = delete;
    DisplayCheck& operator=(const DisplayCheck&) = delete;

    // Empty when the display answered (or none is needed), else a one-line reason.
    const QString& Problem() const { return problem_; }

private:
    QString problem_;
    xcb_connection_t* connection_ = nullptr;
};
