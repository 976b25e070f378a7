#include "framework/Application.h"

#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "framework/Testing.h"

namespace fw {

namespace {
bool gQuitRequested = false;
int gExitCode = 0;
}  // namespace

void Quit(int code) {
    gQuitRequested = true;
    gExitCode = code;
    if (testing::Enabled()) {
        testing::Detail::RecordQuit(code);
        return;
    }
    if (QCoreApplication::instance()) QCoreApplication::exit(code);
}

void QuitNow(int code) {
    Quit(code);
    if (testing::Enabled()) throw testing::ProgramEnded(code);
    std::fflush(nullptr);
    std::_Exit(code);
}

bool QuitRequested() {
    return gQuitRequested;
}
int RequestedExitCode() {
    return gExitCode;
}

bool KeyboardState::ShiftKey() const {
    if (auto held = testing::Detail::ShiftHeld()) return *held;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

Integer DateValue::Year() const {
    return QDate::currentDate().year();
}

DateValue Today() {
    return {};
}

}  // namespace fw
