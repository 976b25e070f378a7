#pragma once

// Test seams. Production code runs the same paths; a seam only replaces where an
// answer comes from (a dialog, a folder, the Shift key, the end of the program).

#include <cerrno>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

#include "framework/Types.h"

namespace fw {
class Window;
}

namespace fw::testing {

enum class DialogKind { MsgBox, MessageDialog, OpenFile, SelectColor };

// One modal dialog that was shown.
struct ShownDialog {
    DialogKind kind;
    String message;      // the text of a MsgBox or a MessageDialog's Message
    String explanation;  // a MessageDialog's Explanation
    String title;
    Integer icon = 0;
    std::vector<String> buttons;  // captions of the visible buttons, action first
    String folder{};              // OpenFile: the folder it starts in
};

// The answer a test gives to the next dialog.
struct Answer {
    enum class Button { Action, Alternate, Cancel, None };
    DialogKind kind = DialogKind::MsgBox;
    Button button = Button::Action;
    String path;           // OpenFile: the chosen file, "" to cancel
    Color colour = 0;      // SelectColor: the chosen colour
    bool accepted = true;  // SelectColor: OK or Cancel
};

// The program asked to end (Quit) from where it cannot go on; thrown only while
// the seams are on.
struct ProgramEnded : std::runtime_error {
    explicit ProgramEnded(int c) : std::runtime_error("program ended"), code(c) {}
    int code;
};

// Turns the seams on. A dialog with no answer queued calls onUnexpected (a test
// fails there) and is answered with Cancel, so nothing ever waits for a person.
void Enable(std::function<void(const String&)> onUnexpected);
bool Enabled();
// Forgets answers, shown dialogs and every setting below.
void Reset();

void QueueAnswer(const Answer& a);
inline void AnswerMsgBox() {
    Answer a;
    a.kind = DialogKind::MsgBox;
    QueueAnswer(a);
}
inline void AnswerMessageDialog(Answer::Button b) {
    Answer a;
    a.kind = DialogKind::MessageDialog;
    a.button = b;
    QueueAnswer(a);
}
inline void AnswerOpenFile(const String& path) {
    Answer a;
    a.kind = DialogKind::OpenFile;
    a.path = path;
    QueueAnswer(a);
}
inline void AnswerSelectColor(bool accepted, Color colour) {
    Answer a;
    a.kind = DialogKind::SelectColor;
    a.accepted = accepted;
    a.colour = colour;
    QueueAnswer(a);
}
std::size_t PendingAnswers();
const std::vector<ShownDialog>& Shown();
void ClearShown();

void SetProgramFolder(const String& path);
void SetPreferencesFolder(const String& path);
void HoldShift(std::optional<bool> held);
// The next modal window (ShowModal, ShowModalWithin) runs this once its modal loop
// is up, so a test can work its controls; it must close the window. A modal window
// with nothing queued calls onUnexpected and is closed.
void QueueModal(std::function<void(fw::Window&)> act);
// The code of the last Quit, if any.
std::optional<int> QuitCode();
// The next TextOutputStream::Close fails with this system error code, a full
// disk (ENOSPC) unless told otherwise.
void FailNextWrite(int errorCode = ENOSPC);
// The next FolderItem::CreateTextFile that finds nothing in the way fails with
// this system error code.
void FailNextCreate(int errorCode);

namespace Detail {
// For the layer's own use.
std::optional<Answer> TakeAnswer(const ShownDialog& shown);
String ProgramFolder();
String PreferencesFolder();
std::optional<bool> ShiftHeld();
void RecordQuit(int code);
// The error code queued for the next Close or create, 0 for none; it is used once.
int FailNextWrite();
int FailNextCreate();
// The act queued for the next modal window, if any.
std::optional<std::function<void(fw::Window&)>> TakeModal();
// Tells the test about something it did not arrange for.
void Unexpected(const String& what);
}  // namespace Detail

}  // namespace fw::testing
