#pragma once

// Push buttons, radio buttons and bevel buttons.

#include <functional>
#include <memory>

#include "framework/Control.h"
#include "framework/Drawing.h"

namespace fw {

// A push button. Default takes Return in its window, Cancel takes Escape.
class PushButton : public Control {
  public:
    PushButton(Window& parent, String name, Integer left, Integer top, Integer width,
               Integer height);
    ~PushButton() override;

    String Caption() const;
    void SetCaption(const String& caption);
    bool Default() const;
    void SetDefault(bool v);
    bool Cancel() const;
    void SetCancel(bool v);
    // Presses the button as a click does.
    void Push();

    virtual void Action() {
        if (onAction) onAction();
    }
    std::function<void()> onAction;
};

// A radio button; the radio buttons of one window exclude each other.
class RadioButton : public Control {
  public:
    RadioButton(Window& parent, String name, Integer left, Integer top, Integer width,
                Integer height);
    ~RadioButton() override;

    String Caption() const;
    void SetCaption(const String& caption);
    bool Value() const;
    void SetValue(bool v);
};

// A bevel button: a plain button (ButtonType 0), a toggle (ButtonType 1) or, with
// HasMenu, a button that drops down a menu of rows. Action follows a user's click
// or choice of a row only: Value and MenuValue set in code raise nothing.
class BevelButton : public Control {
  public:
    BevelButton(Window& parent, String name, Integer left, Integer top, Integer width,
                Integer height);
    ~BevelButton() override;

    String Caption() const;
    void SetCaption(const String& caption);
    void SetCaptionStyle(bool bold, bool italic, bool underline);
    // 0 push button, 1 toggle.
    void SetButtonType(Integer type);
    void SetHasMenu(bool v);
    void SetIcon(std::shared_ptr<Picture> icon);
    void SetHelpTag(const String& text);

    // A toggle's state.
    bool Value() const;
    void SetValue(bool v);

    // The drop-down menu's rows; List gives "" for a row it lacks.
    void AddRow(const String& text);
    Integer ListCount() const;
    String List(Integer row) const;
    // The chosen row; -1 for none.
    Integer MenuValue() const;
    void SetMenuValue(Integer row);

    // Clicks the button, or with HasMenu chooses a row, as the user does.
    void Click();
    void ChooseRow(Integer row);

    virtual void Action() {
        if (onAction) onAction();
    }
    std::function<void()> onAction;
};

}  // namespace fw
