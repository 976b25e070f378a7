#pragma once

// For the layer's own use: the toolkit's menu bar made from a MenuBar.

#include <QAction>
#include <QPointer>
#include <utility>
#include <vector>

#include "framework/Menus.h"

class QMenuBar;

namespace fw::detail {

// The actions made from a bar, each with the item it stands for (nullptr once
// the item is gone).
using MenuActions = std::vector<std::pair<QPointer<QAction>, MenuItem*>>;

// The toolkit's bar for bar: each action chooses its item, by click or by its
// shortcut from every window of the program. actions collects them and must
// outlive the bar.
QMenuBar* MakeMenuBar(const MenuBar& bar, MenuActions& actions);
// Enables each action as its item is enabled now.
void EnableActions(MenuActions& actions);
// The item is going away: its actions stop referring to it.
void ForgetItem(MenuActions& actions, const MenuItem* item);

}  // namespace fw::detail
