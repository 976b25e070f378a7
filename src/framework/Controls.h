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

// A drop-down list of rows. ListIndex -1 shows no row. Setting ListIndex in code
// raises Change as a user's choice does, also when the row stays the same.
class PopupMenu : public Control {
  public:
    PopupMenu(Window& parent, String name, Integer left, Integer top, Integer width, Integer height,
              Integer index = -1);
    ~PopupMenu() override;

    void AddRow(const String& text);
    void DeleteAllRows();
    Integer ListCount() const;
    // "" for a row it lacks.
    String List(Integer row) const;
    Integer ListIndex() const;
    void SetListIndex(Integer row);

    virtual void Change() {
        if (onChange) onChange();
    }
    std::function<void()> onChange;
};

// A list of rows that may stay hidden.
class ListBox : public Control {
  public:
    ListBox(Window& parent, String name, Integer left, Integer top, Integer width, Integer height,
            Integer index = -1);
    ~ListBox() override;

    void AddRow(const String& text);
    Integer ListCount() const;
    // "" for a row it lacks.
    String List(Integer row) const;
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

// Applies to every control: the font of its text ("System", "Geneva" and "" are
// the platform's default family), its size in pixels (0 the default size).
void SetTextStyle(Control& c, const String& font, double size, bool bold = false,
                  bool italic = false, bool underline = false);

}  // namespace fw
