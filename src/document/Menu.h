#pragma once

#include "framework/Menus.h"

namespace vx {

// The program's one menu bar: Archivio, Composizione, Allineamento, Spostamento.
class Menu : public fw::MenuBar {
  public:
    Menu();
};

}  // namespace vx

// The single menu bar, made on first use.
vx::Menu& Menu();
