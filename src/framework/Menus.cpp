#include "framework/Menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

#include "framework/Application.h"
#include "framework/MenusPrivate.h"
#include "framework/QtConvert.h"
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

namespace {

// "Cmd+O": Cmd is the command key, which Qt calls Ctrl (and puts on Command on macOS).
QKeySequence Shortcut(const String& s) {
    if (s.empty()) return {};
    QStringList keys = Q(s).split(QLatin1Char('+'));
    for (QString& k : keys) {
        if (k.trimmed().compare(QLatin1String("Cmd"), Qt::CaseInsensitive) == 0) k = "Ctrl";
    }
    return QKeySequence(keys.join(QLatin1Char('+')), QKeySequence::PortableText);
}

QAction::MenuRole Role(MenuItem::Kind kind) {
    switch (kind) {
        case MenuItem::Kind::Quit:
            return QAction::QuitRole;
        case MenuItem::Kind::Preferences:
            return QAction::PreferencesRole;
        case MenuItem::Kind::About:
            return QAction::AboutRole;
        case MenuItem::Kind::Normal:
            break;
    }
    // Nothing else moves into the application menu on macOS.
    return QAction::NoRole;
}

}  // namespace

namespace detail {

QMenuBar* MakeMenuBar(const MenuBar& bar, MenuActions& actions) {
    auto* qbar = new QMenuBar;
    for (Integer i = 0; i < bar.Count(); ++i) {
        MenuItem* title = bar.Item(i);
        QMenu* menu = qbar->addMenu(Shown(title->Text));
        QObject::connect(menu, &QMenu::aboutToShow, menu, [] { RefreshMenus(); });
        for (Integer j = 0; j < title->Count(); ++j) {
            MenuItem* item = title->Item(j);
            if (item->Text == "-") {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(Shown(item->Text));
            action->setShortcut(Shortcut(item->KeyboardShortcut));
            // Commands work from every window of the program, the palette too.
            action->setShortcutContext(Qt::ApplicationShortcut);
            action->setMenuRole(Role(item->ItemKind()));
            QObject::connect(action, &QAction::triggered, action, [&actions, action] {
                for (auto& [a, it] : actions) {
                    if (a == action) {
                        if (it) it->Choose();
                        return;
                    }
                }
            });
            actions.emplace_back(action, item);
        }
    }
    return qbar;
}

void EnableActions(MenuActions& actions) {
    for (auto& [action, item] : actions) {
        if (action) action->setEnabled(item && item->Enabled());
    }
}

void ForgetItem(MenuActions& actions, const MenuItem* item) {
    for (auto& [action, it] : actions) {
        if (it != item) continue;
        it = nullptr;
        if (action) action->setEnabled(false);
    }
}

}  // namespace detail

}  // namespace fw
