#pragma once

// A scroll bar.

#include <functional>

#include "framework/Control.h"

namespace fw {

// A scroll bar, horizontal when wider than high. ValueChanged follows every change
// of Value, by the user or in code; setting the same value again raises nothing.
class ScrollBar : public Control {
  public:
    ScrollBar(Window& parent, String name, Integer left, Integer top, Integer width,
              Integer height);
    ~ScrollBar() override;

    Integer Minimum() const;
    void SetMinimum(Integer v);
    Integer Maximum() const;
    void SetMaximum(Integer v);
    Integer Value() const;
    void SetValue(Integer v);
    Integer LineStep() const;
    void SetLineStep(Integer v);
    Integer PageStep() const;
    void SetPageStep(Integer v);

    virtual void ValueChanged() {
        if (onValueChanged) onValueChanged();
    }
    std::function<void()> onValueChanged;
};

}  // namespace fw
