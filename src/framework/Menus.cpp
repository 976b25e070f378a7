#include "framework/Menus.h"

#include "framework/Application.h"
#include "framework/Window.h"
#include "framework/WindowPrivate.h"

namespace fw {

namespace {

// The command of the item named name: the active window's, else the front
// document window's, else the application's.
std::function<bool()> HandlerFor(const String& name) {
    if (name.empty()) return {};
    Window* active = detail::ActiveWindow();
    if (active) {
        if (auto h = active->MenuHandler(name)) return h;
    }
    Window* document = detail::FrontDocumentWindow();
    if (document && document != active) {
        if (auto h = document->MenuHandler(name)) return h;
    }
    if (Application* app = Application::Instance()) return app->MenuHandler(name);
    return {};
}

}  // namespace

MenuItem::MenuItem(Kind kind) : kind_(kind) {}

MenuItem::~MenuItem() {
    detail::ForgetMenuItem(this);
}

void MenuItem::Append(std::shared_ptr<MenuItem> item) {
    if (item) children_.push_back(std::move(item));
}

MenuItem* MenuItem::Child(const String& name) const {
    for (const auto& c : children_) {
        if (c->Name == name) return c.get();
    }
    return nullptr;
}

Integer MenuItem::Count() const {
    return static_cast<Integer>(children_.size());
}

MenuItem* MenuItem::Item(Integer i) const {
    if (i < 0 || i >= Count()) return nullptr;
    return children_[static_cast<std::size_t>(i)].get();
}

bool MenuItem::Enabled() const {
    return kind_ == Kind::Quit || static_cast<bool>(HandlerFor(Name));
}

bool MenuItem::Choose() {
    // A command acts on what the user typed, also when typing has not ended.
    detail::DeliverPendingEdit();
    if (auto h = HandlerFor(Name)) {
        h();
        return true;
    }
    if (kind_ == Kind::Quit) {
        QuitApplication();
        return true;
    }
    return false;
}

namespace {
MenuItem* FindUnder(const MenuItem& parent, const String& name) {
    for (Integer i = 0; i < parent.Count(); ++i) {
        MenuItem* item = parent.Item(i);
        if (item->Name == name) return item;
        if (MenuItem* found = FindUnder(*item, name)) return found;
    }
    return nullptr;
}
}  // namespace

MenuItem* FindMenuItem(const MenuBar& bar, const String& name) {
    return FindUnder(bar, name);
}

}  // namespace fw
