#pragma once

// Popup menus and list boxes.

#include <functional>

#include "framework/Control.h"

namespace fw {

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

}  // namespace fw
