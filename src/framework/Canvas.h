#pragma once

// A drawing area with mouse events.

#include <functional>
#include <memory>

#include "framework/Control.h"
#include "framework/Drawing.h"

namespace fw {

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

    virtual void Paint(fw::Graphics& g) {
        if (onPaint) onPaint(g);
    }
    // true lets MouseDrag and MouseUp follow.
    virtual bool MouseDown(Integer x, Integer y) { return onMouseDown ? onMouseDown(x, y) : false; }
    virtual void MouseDrag(Integer, Integer) {}
    virtual void MouseUp(Integer, Integer) {}

    // Handlers a window attaches to a canvas it does not subclass.
    std::function<void(fw::Graphics&)> onPaint;
    std::function<bool(Integer, Integer)> onMouseDown;

    struct Impl;

  protected:
    void BoundsChanged() override;

  private:
    std::shared_ptr<Picture> backdrop_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace fw
