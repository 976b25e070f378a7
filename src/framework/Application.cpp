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
    // Under the seams the request lives with the seams, so that it ends with the
    // test that made it.
    if (testing::Enabled()) {
        testing::Detail::RecordQuit(code);
        return;
    }
    gQuitRequested = true;
    gExitCode = code;
    if (QCoreApplication::instance()) QCoreApplication::exit(code);
}

void QuitNow(int code) {
    Quit(code);
    if (testing::Enabled()) throw testing::ProgramEnded(code);
    std::fflush(nullptr);
    std::_Exit(code);
}

bool QuitRequested() {
    if (testing::Enabled()) return testing::QuitCode().has_value();
    return gQuitRequested;
}

int RequestedExitCode() {
    if (testing::Enabled()) return testing::QuitCode().value_or(0);
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
