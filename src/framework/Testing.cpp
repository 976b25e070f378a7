#include "framework/Testing.h"

#include <deque>
#include <utility>

namespace fw::testing {

namespace {

struct State {
    bool enabled = false;
    std::function<void(const String&)> onUnexpected;
    std::deque<Answer> answers;
    std::deque<std::function<void(fw::Window&)>> modals;
    std::vector<ShownDialog> shown;
    String programFolder;
    String preferencesFolder;
    std::optional<bool> shift;
    std::optional<int> quit;
    int failNextWrite = 0;
    int failNextCreate = 0;
};

State& S() {
    static State s;
    return s;
}

const char* KindName(DialogKind k) {
    switch (k) {
        case DialogKind::MsgBox:
            return "MsgBox";
        case DialogKind::MessageDialog:
            return "MessageDialog";
        case DialogKind::OpenFile:
            return "open-file dialog";
        case DialogKind::SelectColor:
            return "colour chooser";
    }
    return "dialog";
}

}  // namespace

void Enable(std::function<void(const String&)> onUnexpected) {
    S().enabled = true;
    S().onUnexpected = std::move(onUnexpected);
}

bool Enabled() {
    return S().enabled;
}

void Reset() {
    auto keepEnabled = S().enabled;
    auto keepHandler = S().onUnexpected;
    S() = State{};
    S().enabled = keepEnabled;
    S().onUnexpected = std::move(keepHandler);
}

void QueueAnswer(const Answer& a) {
    S().answers.push_back(a);
}
std::size_t PendingAnswers() {
    return S().answers.size();
}
const std::vector<ShownDialog>& Shown() {
    return S().shown;
}
void ClearShown() {
    S().shown.clear();
}
void SetProgramFolder(const String& path) {
    S().programFolder = path;
}
void SetPreferencesFolder(const String& path) {
    S().preferencesFolder = path;
}
void HoldShift(std::optional<bool> held) {
    S().shift = held;
}
void QueueModal(std::function<void(fw::Window&)> act) {
    S().modals.push_back(std::move(act));
}
std::optional<int> QuitCode() {
    return S().quit;
}
void FailNextWrite(int errorCode) {
    S().failNextWrite = errorCode;
}
void FailNextCreate(int errorCode) {
    S().failNextCreate = errorCode;
}

namespace Detail {

std::optional<Answer> TakeAnswer(const ShownDialog& shown) {
    State& s = S();
    s.shown.push_back(shown);
    if (!s.answers.empty() && s.answers.front().kind == shown.kind) {
        Answer a = s.answers.front();
        s.answers.pop_front();
        return a;
    }
    if (s.onUnexpected) {
        String what = String("unexpected ") + KindName(shown.kind) + ": \"" + shown.message + "\"";
        if (!s.answers.empty())
            what += String(" (the next answer is for a ") + KindName(s.answers.front().kind) + ")";
        s.onUnexpected(what);
    }
    return std::nullopt;
}

String ProgramFolder() {
    return S().programFolder;
}
String PreferencesFolder() {
    return S().preferencesFolder;
}
std::optional<bool> ShiftHeld() {
    return S().shift;
}
void RecordQuit(int code) {
    S().quit = code;
}
std::optional<std::function<void(fw::Window&)>> TakeModal() {
    if (S().modals.empty()) return std::nullopt;
    auto act = std::move(S().modals.front());
    S().modals.pop_front();
    return act;
}
void Unexpected(const String& what) {
    if (S().onUnexpected) S().onUnexpected(what);
}
int FailNextWrite() {
    return std::exchange(S().failNextWrite, 0);
}
int FailNextCreate() {
    return std::exchange(S().failNextCreate, 0);
}

}  // namespace Detail

}  // namespace fw::testing
