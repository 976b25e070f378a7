#pragma once

#include "framework/Types.h"

namespace fw {

// Asks the application to end with this exit code once the current event is
// handled (at once when no event loop runs yet: the loop then does not start).
void Quit(int code = 0);
// Ends the program now, for the paths that cannot go on (memory exhausted).
[[noreturn]] void QuitNow(int code);
// The exit code asked for before the event loop started, if any.
bool QuitRequested();
int RequestedExitCode();

struct KeyboardState {
    bool ShiftKey() const;
};
inline constexpr KeyboardState Keyboard{};

struct DateValue {
    Integer Year() const;
};
// Today, read from the system clock.
DateValue Today();

}  // namespace fw
