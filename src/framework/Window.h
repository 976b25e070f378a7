#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/Types.h"

class QWidget;

namespace fw {

class Control;
class MenuBar;
struct WindowAccess;

// The kinds of window, by the number a window is made with.
enum WindowFrame : Integer {
    kDocumentWindow = 0,
    kMovableModal = 1,
    kFloatingWindow = 3,
    kSheetWindow = 8,
};

// A window. Width and Height are its content area; controls are placed in it by
// absolute content coordinates.
class Window {
  public:
    explicit Window(Integer frame = kDocumentWindow);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Integer Frame() const { return frame_; }
    String Title() const;
    void SetTitle(const String& title);
    Integer Left() const;
    Integer Top() const;
    Integer Width() const;
    Integer Height() const;
    void SetLeft(Integer v);
    void SetTop(Integer v);
    void SetWidth(Integer v);
    void SetHeight(Integer v);
    void SetSize(Integer width, Integer height);
    bool Visible() const;

    // A document window shown for the first time returns once the window
    // manager has placed it.
    void Show();
    void Hide();
    // Moves the window beside other, as the window manager placed other: gap
    // pixels right of its frame and down pixels below its top; on its left when
    // the screen has no room on the right, and always on screen.
    void PlaceBeside(const Window& other, Integer gap, Integer down);
    // Asks CancelClose first; true when the window closed.
    bool Close();
    // Shows the window modal to the whole application (ShowModal) or as a sheet
    // over parent (ShowModalWithin); both return once the window has closed.
    void ShowModal();
    void ShowModalWithin(Window& parent);

    // Size limits and the title bar's buttons.
    void SetMinimumSize(Integer width, Integer height);
    void SetMaximumSize(Integer width, Integer height);
    void SetResizeable(bool v);
    void SetCloseButton(bool v);
    void SetMinimizeButton(bool v);
    void SetMaximizeButton(bool v);

    // The menu bar shown by a document window (frame 0); the window does not own it.
    void SetMenuBar(MenuBar* bar);
    MenuBar* GetMenuBar() const;
    // Makes handler the command of the menu item named name while this window is
    // the front window. An item with a handler is enabled.
    void AddMenuHandler(const String& name, std::function<bool()> handler);
    // The handler bound to name here; empty when none is.
    std::function<bool()> MenuHandler(const String& name) const;

    // Events.
    virtual void Open() {}
    virtual void Resized() {}
    virtual bool CancelClose() { return false; }

    // Raises the Open events once: every control's, in creation order, then the
    // window's. Show does it too when it has not happened yet.
    void RaiseOpen();
    bool Opened() const { return opened_; }

    // A control by its layout name; index picks a member of a control array.
    Control* ControlNamed(const String& name, Integer index = -1) const;

    // Called after the window has closed (the implicit instance lets go of it).
    std::function<void()> onClosed;

    // For the layer and the tests: the Qt widgets underneath.
    QWidget* Widget() const;
    QWidget* Content() const;

  private:
    friend class Control;
    friend struct WindowAccess;
    struct Impl;
    void RunModal();
    void ApplyLimits();
    void ApplyFlags();
    void Register(Control* c);
    void Unregister(Control* c);
    Integer frame_;
    bool opened_ = false;
    std::vector<Control*> controls_;
    std::unique_ptr<Impl> impl_;
};

namespace detail {
// Deletes the window once control is back in the event loop.
void DeleteLater(Window* w);

template <class T>
T*& ImplicitSlot() {
    // A plain pointer: an instance alive at exit is not deleted after the
    // application object, which its widgets need.
    static T* instance = nullptr;
    return instance;
}
}  // namespace detail

// The implicit instance of a window class: made on first use, let go of when it
// closes (and deleted later, never inside its own handlers), so the next use
// makes a fresh one.
template <class T>
T& Implicit() {
    T*& slot = detail::ImplicitSlot<T>();
    if (!slot) {
        slot = new T();
        T* made = slot;
        made->onClosed = [made] {
            T*& current = detail::ImplicitSlot<T>();
            if (current == made) current = nullptr;
            detail::DeleteLater(made);
        };
    }
    return *slot;
}

// Whether the implicit instance exists now, without making it.
template <class T>
bool ImplicitExists() {
    return detail::ImplicitSlot<T>() != nullptr;
}

}  // namespace fw
