#pragma once

#include <QString>

namespace table {

// What keystroke forwarding needs from the desktop: start the receiving program, bring its window to
// the front, type into it. The program uses X11KeySender; tests put their own in its place.
class KeySender
{
public:
    virtual ~KeySender() = default;

    // False when there is no display to type into (no X server, a Wayland-only session).
    virtual bool hasDisplay() const = 0;

    // Starts the program without giving it the focus. Its process id, or 0 with error saying why.
    virtual qint64 startProgram(const QString& path, QString& error) = 0;

    // Brings the window of the process to the front and gives it the keyboard focus. False when the
    // process or its window is gone.
    virtual bool activate(qint64 pid) = 0;

    // Types the text literally into the window that has the focus; false when nothing could be typed.
    virtual bool typeText(const QString& text) = 0;
    virtual bool pressEnter() = 0;
};

} // namespace table
