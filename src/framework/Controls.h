#pragma once

#include <functional>
#include <memory>

#include "framework/Drawing.h"
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

    virtual void Open() {}

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

// A drawing area with mouse events. Graphics draws on its surface at any time;
// what is drawn shows at the next repaint of the screen, rectangle by rectangle.
class Canvas : public Control {
  public:
    Canvas(Window& parent, String name, Integer left, Integer top, Integer width, Integer height);
    ~Canvas() override;

    std::shared_ptr<Picture> Backdrop() const { return backdrop_; }
    // The backdrop is drawn under Paint; changing it paints the canvas again.
    void SetBackdrop(std::shared_ptr<Picture> picture);
    fw::Graphics& Graphics();
    // Paints the whole canvas again (Paint) at the next repaint.
    void Refresh();

    virtual void Paint(fw::Graphics&) {}
    // true lets MouseDrag and MouseUp follow.
    virtual bool MouseDown(Integer, Integer) { return false; }
    virtual void MouseDrag(Integer, Integer) {}
    virtual void MouseUp(Integer, Integer) {}

    struct Impl;

  protected:
    void BoundsChanged() override;

  private:
    std::shared_ptr<Picture> backdrop_;
    std::unique_ptr<Impl> impl_;
};

// A one-line text box. Setting Text in code raises TextChange as typing does.
class EditField : public Control {
  public:
    EditField(Window& parent, String name, Integer left, Integer top, Integer width,
              Integer height);
    ~EditField() override;

    String Text() const;
    void SetText(const String& text);
    void SetFocus();

    // The key as a one-character text (arrows 28 to 31, Backspace 8, Tab 9,
    // Return 13, Enter 3, Escape 27, Delete 127); true swallows it.
    virtual bool KeyDown(const String& key) { return onKeyDown ? onKeyDown(key) : false; }
    virtual void TextChange() {
        if (onTextChange) onTextChange();
    }
    virtual void LostFocus() {
        if (onLostFocus) onLostFocus();
    }

    // Handlers the window attaches.
    std::function<bool(const String&)> onKeyDown;
    std::function<void()> onTextChange;
    std::function<void()> onLostFocus;
};

}  // namespace fw
