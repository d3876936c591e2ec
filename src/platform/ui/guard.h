#pragma once

#include <functional>
#include <utility>

// Every entry point from Qt into our code (slot, event handler) runs its work through
// runGuarded, so that no exception crosses a Qt frame:
// - AppError and any other exception: its text is shown in a message box (stop icon);
// - SilentAbort: the operation ends without a message.
// Returns true when work ran to its end.
bool runGuarded(const std::function<void()>& work);

// A slot that runs f guarded:  connect(button, &QPushButton::clicked, this, guarded([this] { SaveButtonClick(); }));
template <class F>
auto guarded(F f)
{
    return [f = std::move(f)]() mutable { runGuarded(f); };
}
