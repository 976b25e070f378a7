#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/Types.h"

namespace fw {

// A menu title or a menu item; a title's children are its items, in the order
// they were appended. The caption "-" makes a separator. KeyboardShortcut has the
// form "Cmd+O": Cmd is the platform's command key (Ctrl on Linux and Windows).
class MenuItem {
  public:
    // The quit, preferences and about kinds go where the platform puts them.
    enum class Kind { Normal, Quit, Preferences, About };

    explicit MenuItem(Kind kind = Kind::Normal);
    virtual ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    String Name;
    bool AutoEnable = true;
    String Text;
    String KeyboardShortcut;

    Kind ItemKind() const { return kind_; }
    void Append(std::shared_ptr<MenuItem> item);
    // The child whose Name is name; nullptr when none.
    MenuItem* Child(const String& name) const;
    Integer Count() const;
    MenuItem* Item(Integer i) const;

    // Whether choosing the item does something now: a handler is bound to its name
    // on the front window or on the application (the quit item always is).
    bool Enabled() const;
    // Chooses the item as the user does; false when it was disabled.
    bool Choose();

  private:
    Kind kind_;
    std::vector<std::shared_ptr<MenuItem>> children_;
};

class QuitMenuItem : public MenuItem {
  public:
    QuitMenuItem() : MenuItem(Kind::Quit) {}
};
class PrefsMenuItem : public MenuItem {
  public:
    PrefsMenuItem() : MenuItem(Kind::Preferences) {}
};
class AppleMenuItem : public MenuItem {
  public:
    AppleMenuItem() : MenuItem(Kind::About) {}
};

// The bar: its children are the menu titles.
class MenuBar : public MenuItem {};

// The menu item named name anywhere under bar; nullptr when none.
MenuItem* FindMenuItem(const MenuBar& bar, const String& name);

}  // namespace fw
