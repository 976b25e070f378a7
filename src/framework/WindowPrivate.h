#pragma once

// For the layer's own use: what the menus and the application need to know of
// the windows alive.

#include <vector>

#include "framework/Types.h"

namespace fw {

class Window;
class MenuItem;

namespace detail {

// Every window alive, in the order they were made.
const std::vector<Window*>& LiveWindows();
bool IsLive(const Window* w);
// Closed (or let go of) and not shown again since.
bool IsClosed(const Window& w);
// When the window was last made active; 0 when never.
unsigned long long ActivationStamp(const Window& w);
// The program's window that is active now; nullptr when none of ours is.
Window* ActiveWindow();
// The visible document window (frame 0) that was active last.
Window* FrontDocumentWindow();
// Sets the enabled state of every menu bar's actions from the handlers that
// are reachable now.
void RefreshMenus();
// A menu item is going away: the actions made from it stop referring to it.
void ForgetMenuItem(const MenuItem* item);
// The edit box with a user's edit not yet told hears its LostFocus now; see
// EditField. Run before a menu command and before a close or quit.
void DeliverPendingEdit();

}  // namespace detail
}  // namespace fw
