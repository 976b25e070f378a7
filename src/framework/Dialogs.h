#pragma once

#include <memory>

#include "framework/Types.h"

namespace fw {

class FolderItem;

// A modal message with one button.
void MsgBox(const String& text);

class MessageDialogButton {
  public:
    String Caption;
    bool Visible = false;
    bool Default = false;
    bool Cancel = false;
};

// A modal question. Only the action button shows unless the others are made
// visible. Icon: 0 note, 1 caution, 2 stop, 3 question.
class MessageDialog {
  public:
    MessageDialog();
    Integer Icon = 0;
    String Title;
    String Message;
    String Explanation;
    MessageDialogButton ActionButton;
    MessageDialogButton AlternateActionButton;
    MessageDialogButton CancelButton;
    // The button that closed the dialog; nullptr when it ended another way.
    MessageDialogButton* ShowModal();
};

// The platform's open-file dialog; filter "" offers files of any type.
// nullptr when cancelled.
std::shared_ptr<FolderItem> GetOpenFolderItem(const String& filter);

// The platform's colour chooser, starting from colour. true on OK, and then
// colour holds the choice.
bool SelectColor(Color& colour, const String& prompt);

}  // namespace fw
