// Temporary: link-only stand-ins until the framework's windows, menus and application are built.
#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Menus.h"
#include "framework/Resources.h"
#include "framework/Testing.h"
#include "framework/Window.h"

namespace fw {
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
