// Temporary: link-only stand-ins until the framework branch implements these.
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

void Window::ShowModal() {
    Show();
}
void Window::ShowModalWithin(Window&) {
    Show();
}
void Window::SetMinimumSize(Integer, Integer) {}
void Window::SetMaximumSize(Integer, Integer) {}
void Window::SetResizeable(bool) {}
void Window::SetCloseButton(bool) {}
void Window::SetMinimizeButton(bool) {}
void Window::SetMaximizeButton(bool) {}
void Window::SetMenuBar(MenuBar*) {}
MenuBar* Window::GetMenuBar() const {
    return nullptr;
}
void Window::AddMenuHandler(const String&, std::function<bool()>) {}
std::function<bool()> Window::MenuHandler(const String&) const {
    return {};
}

MenuItem::MenuItem(Kind kind) : kind_(kind) {}
MenuItem::~MenuItem() = default;
void MenuItem::Append(std::shared_ptr<MenuItem> item) {
    children_.push_back(std::move(item));
}
MenuItem* MenuItem::Child(const String&) const {
    return nullptr;
}
Integer MenuItem::Count() const {
    return 0;
}
MenuItem* MenuItem::Item(Integer) const {
    return nullptr;
}
bool MenuItem::Enabled() const {
    return false;
}
bool MenuItem::Choose() {
    return false;
}
MenuItem* FindMenuItem(const MenuBar&, const String&) {
    return nullptr;
}

Application::Application() = default;
Application::~Application() = default;
Application* Application::Instance() {
    return nullptr;
}
void Application::SetMenuBar(MenuBar* bar) {
    menuBar_ = bar;
}
MenuBar* Application::GetMenuBar() const {
    return menuBar_;
}
void Application::AddMenuHandler(const String&, std::function<bool()>) {}
std::function<bool()> Application::MenuHandler(const String&) const {
    return {};
}
int Application::Run() {
    return 0;
}
void QuitApplication() {}

std::shared_ptr<Picture> GetPicture(Integer) {
    return nullptr;
}

namespace testing {
void QueueModal(std::function<void(fw::Window&)>) {}
}  // namespace testing

}  // namespace fw
