#pragma once

// The hourglass for a long operation, restored on every way out of the scope.
//   { WaitCursor wait; ...long loop...; letWindowsRepaint(); }
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Processes pending paint and timer events without taking user input, so windows repaint
// during a long loop on the user-interface thread.
void letWindowsRepaint();
