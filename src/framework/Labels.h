#pragma once

// Static texts, group boxes and rectangles: controls that only show.

#include "framework/Control.h"

namespace fw {

// A label. Text holds CR or LF line breaks when MultiLine is set.
class StaticText : public Control {
  public:
    StaticText(Window& parent, String name, Integer left, Integer top, Integer width,
               Integer height);
    ~StaticText() override;

    String Text() const;
    void SetText(const String& text);
    // 0 left, 1 centre, 2 right.
    void SetTextAlign(Integer align);
    void SetMultiLine(bool v);
    void SetTextColor(Color c);
};

// A titled frame drawn behind the controls placed over it.
class GroupBox : public Control {
  public:
    GroupBox(Window& parent, String name, Integer left, Integer top, Integer width, Integer height);
    ~GroupBox() override;

    String Caption() const;
    void SetCaption(const String& caption);
};

// A plain painted rectangle: fill, and a border in one colour of BorderWidth pixels.
class RectangleControl : public Control {
  public:
    RectangleControl(Window& parent, String name, Integer left, Integer top, Integer width,
                     Integer height);
    ~RectangleControl() override;

    void SetFillColor(Color c);
    void SetBorderColor(Color c);
    void SetBorderWidth(Integer w);
};

}  // namespace fw
