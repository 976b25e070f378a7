#pragma once

// A one-line text box.

#include <functional>

#include "framework/Control.h"

namespace fw {

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
