#pragma once

#include <functional>
#include <map>

#include "framework/Types.h"

namespace fw {

class MenuBar;

// The application object: one per program, made before the event loop runs.
class Application {
  public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The registered application object; nullptr before one is made.
    static Application* Instance();

    // Raised once when the event loop starts.
    virtual void Open() {}

    // The menu bar; the application does not own it.
    void SetMenuBar(MenuBar* bar);
    MenuBar* GetMenuBar() const;
    // Makes handler the command of the item named name whichever window is in front
    // (a handler of the front window comes first).
    void AddMenuHandler(const String& name, std::function<bool()> handler);
    std::function<bool()> MenuHandler(const String& name) const;

    // Raises Open, then runs the event loop until the program quits; the exit code.
    int Run();

  private:
    bool opened_ = false;
    bool madeQApplication_ = false;
    MenuBar* menuBar_ = nullptr;
    std::map<String, std::function<bool()>> handlers_;
};

// The framework's quit, as the quit menu item does it: every window is asked to
// close (its CancelClose may refuse, and then nothing more is closed and the
// program goes on); once all have closed the program ends with code 0.
void QuitApplication();

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
