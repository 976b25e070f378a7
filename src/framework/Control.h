#pragma once

// The base of every control placed in a window.

#include <functional>

#include "framework/Types.h"

class QWidget;

namespace fw {

class Window;

// A control placed in a window's content area. The locks keep an edge's distance
// to the window's matching edge when the window is resized.
class Control {
  public:
    Control(Window& parent, String name, Integer left, Integer top, Integer width, Integer height,
            Integer index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const String& Name() const { return name_; }
    Integer Index() const { return index_; }
    Window& Parent() const { return parent_; }

    Integer Left() const { return left_; }
    Integer Top() const { return top_; }
    Integer Width() const { return width_; }
    Integer Height() const { return height_; }
    void SetLeft(Integer v) { SetBounds(v, top_, width_, height_); }
    void SetTop(Integer v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(Integer v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(Integer v) { SetBounds(left_, top_, width_, v); }
    void SetBounds(Integer left, Integer top, Integer width, Integer height);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);

    bool LockLeft = true;
    bool LockTop = true;
    bool LockRight = false;
    bool LockBottom = false;

    // Raised once with the window's Open, before it, in creation order.
    virtual void Open() {
        if (onOpen) onOpen();
    }
    std::function<void()> onOpen;

    QWidget* Widget() const { return widget_; }

  protected:
    // The derived control hands over its widget once made; the window owns it.
    void Attach(QWidget* widget);
    // Size changed; the canvas makes its surface again.
    virtual void BoundsChanged() {}

  private:
    Window& parent_;
    String name_;
    Integer index_;
    Integer left_, top_, width_, height_;
    bool visible_ = true;
    bool enabled_ = true;
    QWidget* widget_ = nullptr;
};

// Applies to every control: the font of its text ("System", "Geneva" and "" are
// the platform's default family), its size in pixels (0 the default size).
void SetTextStyle(Control& c, const String& font, double size, bool bold = false,
                  bool italic = false, bool underline = false);

}  // namespace fw
