// Temporary: link-only stand-ins until the framework's controls are built.
#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Menus.h"
#include "framework/Resources.h"
#include "framework/Testing.h"
#include "framework/Window.h"

namespace fw {

PushButton::PushButton(Window& p, String n, Integer l, Integer t, Integer w, Integer h)
    : Control(p, std::move(n), l, t, w, h) {}
PushButton::~PushButton() = default;
String PushButton::Caption() const {
    return {};
}
void PushButton::SetCaption(const String&) {}
bool PushButton::Default() const {
    return false;
}
void PushButton::SetDefault(bool) {}
bool PushButton::Cancel() const {
    return false;
}
void PushButton::SetCancel(bool) {}
void PushButton::Push() {
    Action();
}

StaticText::StaticText(Window& p, String n, Integer l, Integer t, Integer w, Integer h)
    : Control(p, std::move(n), l, t, w, h) {}
StaticText::~StaticText() = default;
String StaticText::Text() const {
    return {};
}
void StaticText::SetText(const String&) {}
void StaticText::SetTextAlign(Integer) {}
void StaticText::SetMultiLine(bool) {}
void StaticText::SetTextColor(Color) {}

PopupMenu::PopupMenu(Window& p, String n, Integer l, Integer t, Integer w, Integer h, Integer i)
    : Control(p, std::move(n), l, t, w, h, i) {}
PopupMenu::~PopupMenu() = default;
void PopupMenu::AddRow(const String&) {}
void PopupMenu::DeleteAllRows() {}
Integer PopupMenu::ListCount() const {
    return 0;
}
String PopupMenu::List(Integer) const {
    return {};
}
Integer PopupMenu::ListIndex() const {
    return -1;
}
void PopupMenu::SetListIndex(Integer) {
    Change();
}

ListBox::ListBox(Window& p, String n, Integer l, Integer t, Integer w, Integer h, Integer i)
    : Control(p, std::move(n), l, t, w, h, i) {}
ListBox::~ListBox() = default;
void ListBox::AddRow(const String&) {}
Integer ListBox::ListCount() const {
    return 0;
}
String ListBox::List(Integer) const {
    return {};
}

RadioButton::RadioButton(Window& p, String n, Integer l, Integer t, Integer w, Integer h)
    : Control(p, std::move(n), l, t, w, h) {}
RadioButton::~RadioButton() = default;
String RadioButton::Caption() const {
    return {};
}
void RadioButton::SetCaption(const String&) {}
bool RadioButton::Value() const {
    return false;
}
void RadioButton::SetValue(bool) {}

GroupBox::GroupBox(Window& p, String n, Integer l, Integer t, Integer w, Integer h)
    : Control(p, std::move(n), l, t, w, h) {}
GroupBox::~GroupBox() = default;
String GroupBox::Caption() const {
    return {};
}
void GroupBox::SetCaption(const String&) {}

RectangleControl::RectangleControl(Window& p, String n, Integer l, Integer t, Integer w, Integer h)
    : Control(p, std::move(n), l, t, w, h) {}
RectangleControl::~RectangleControl() = default;
void RectangleControl::SetFillColor(Color) {}
void RectangleControl::SetBorderColor(Color) {}
void RectangleControl::SetBorderWidth(Integer) {}

ScrollBar::ScrollBar(Window& p, String n, Integer l, Integer t, Integer w, Integer h)
    : Control(p, std::move(n), l, t, w, h) {}
ScrollBar::~ScrollBar() = default;
Integer ScrollBar::Minimum() const {
    return 0;
}
void ScrollBar::SetMinimum(Integer) {}
Integer ScrollBar::Maximum() const {
    return 0;
}
void ScrollBar::SetMaximum(Integer) {}
Integer ScrollBar::Value() const {
    return 0;
}
void ScrollBar::SetValue(Integer) {}
Integer ScrollBar::LineStep() const {
    return 0;
}
void ScrollBar::SetLineStep(Integer) {}
Integer ScrollBar::PageStep() const {
    return 0;
}
void ScrollBar::SetPageStep(Integer) {}

BevelButton::BevelButton(Window& p, String n, Integer l, Integer t, Integer w, Integer h)
    : Control(p, std::move(n), l, t, w, h) {}
BevelButton::~BevelButton() = default;
String BevelButton::Caption() const {
    return {};
}
void BevelButton::SetCaption(const String&) {}
void BevelButton::SetCaptionStyle(bool, bool, bool) {}
void BevelButton::SetButtonType(Integer) {}
void BevelButton::SetHasMenu(bool) {}
void BevelButton::SetIcon(std::shared_ptr<Picture>) {}
void BevelButton::SetHelpTag(const String&) {}
bool BevelButton::Value() const {
    return false;
}
void BevelButton::SetValue(bool) {}
void BevelButton::AddRow(const String&) {}
Integer BevelButton::ListCount() const {
    return 0;
}
String BevelButton::List(Integer) const {
    return {};
}
Integer BevelButton::MenuValue() const {
    return -1;
}
void BevelButton::SetMenuValue(Integer) {}
void BevelButton::Click() {
    Action();
}
void BevelButton::ChooseRow(Integer) {
    Action();
}

void SetTextStyle(Control&, const String&, double, bool, bool, bool) {}

}  // namespace fw
