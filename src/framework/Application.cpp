#include "framework/Application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QPointer>
#include <QTimer>
#include <QTranslator>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include "framework/Dialogs.h"
#include "framework/Testing.h"
#include "framework/Window.h"
#include "framework/WindowPrivate.h"

namespace fw {

namespace {

bool gQuitRequested = false;
int gExitCode = 0;
// Application::Run's event loop is running.
bool gRunning = false;
Application* gInstance = nullptr;

// An exception that leaves an event handler: told to the user, then the program
// ends with a failure code rather than being torn down mid-way.
void ReportUnhandled(const char* what) {
    static bool reporting = false;
    std::fprintf(stderr, "Velarix: unhandled exception: %s\n", what);
    std::fflush(stderr);
    if (!reporting) {
        reporting = true;
        try {
            MsgBox(String("Errore imprevisto: ") + what + ". Il programma verrà chiuso.");
        } catch (...) {
        }
    }
    QuitNow(1);
}

// The program speaks Italian whatever the user's locale, and so do the
// toolkit's own dialogs and buttons (the colour and file choosers, "Annulla").
void LoadToolkitTranslations() {
    static QPointer<QTranslator> loaded;
    if (loaded) return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_it"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    loaded = translator;
}

class ProgramApplication : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* e) override {
        try {
            return QApplication::notify(receiver, e);
        } catch (const std::exception& ex) {
            ReportUnhandled(ex.what());
        } catch (...) {
            ReportUnhandled("unknown exception");
        }
        return false;
    }
};

}  // namespace

Application::Application() {
    if (!gInstance) gInstance = this;
    if (!QCoreApplication::instance()) {
        // Qt keeps argc and argv for the life of the application object.
        static int argc = 1;
        static char name[] = "Velarix";
        static char* argv[] = {name, nullptr};
        new ProgramApplication(argc, argv);
        madeQApplication_ = true;
        QCoreApplication::setApplicationName(QStringLiteral("Velarix"));
    }
    LoadToolkitTranslations();
    // Every window shows the program's icon (its finer drawing is found by name).
    const QString icon = QStringLiteral(":/immagini/170.png");
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) && QFile::exists(icon)) {
        QApplication::setWindowIcon(QIcon(icon));
    }
}

Application::~Application() {
    if (gInstance == this) gInstance = nullptr;
    if (madeQApplication_) delete QCoreApplication::instance();
}

Application* Application::Instance() {
    return gInstance;
}

void Application::SetMenuBar(MenuBar* bar) {
    menuBar_ = bar;
}

MenuBar* Application::GetMenuBar() const {
    return menuBar_;
}

void Application::AddMenuHandler(const String& name, std::function<bool()> handler) {
    if (handler) {
        handlers_[name] = std::move(handler);
    } else {
        handlers_.erase(name);
    }
    detail::RefreshMenus();
}

std::function<bool()> Application::MenuHandler(const String& name) const {
    auto it = handlers_.find(name);
    return it == handlers_.end() ? std::function<bool()>() : it->second;
}

int Application::Run() {
    if (QuitRequested()) return RequestedExitCode();
    auto* app = QCoreApplication::instance();
    if (!app) return 0;
    // The program ends through Quit; a message box shown before the main window,
    // or any last window closing, does not end it.
    if (auto* gui = qobject_cast<QGuiApplication*>(app)) gui->setQuitOnLastWindowClosed(false);
    QTimer::singleShot(0, app, [this] {
        if (opened_) return;
        opened_ = true;
        Open();
    });
    gRunning = true;
    int code = QCoreApplication::exec();
    gRunning = false;
    return QuitRequested() ? RequestedExitCode() : code;
}

void QuitApplication() {
    detail::DeliverPendingEdit();
    // The document windows first, the front one first: a refusal there leaves
    // every other window as it was.
    std::vector<Window*> documents, others;
    const auto& live = detail::LiveWindows();
    for (auto it = live.rbegin(); it != live.rend(); ++it) {
        if (detail::IsClosed(**it)) continue;
        ((*it)->Frame() == kDocumentWindow ? documents : others).push_back(*it);
    }
    std::stable_sort(documents.begin(), documents.end(), [](Window* a, Window* b) {
        return detail::ActivationStamp(*a) > detail::ActivationStamp(*b);
    });
    documents.insert(documents.end(), others.begin(), others.end());
    for (Window* w : documents) {
        // A window closed by another's handler is not asked again.
        if (!detail::IsLive(w) || detail::IsClosed(*w)) continue;
        if (!w->Close()) return;
    }
    Quit(0);
}

void Quit(int code) {
    // Under the seams the request lives with the seams, so that it ends with the
    // test that made it; only a running Application::Run is ended by it.
    if (testing::Enabled()) {
        testing::Detail::RecordQuit(code);
        if (gRunning) QCoreApplication::exit(code);
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
