#include "framework/Window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QHideEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QResizeEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <map>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Menus.h"
#include "framework/MenusPrivate.h"
#include "framework/Placement.h"
#include "framework/QtConvert.h"
#include "framework/Testing.h"
#include "framework/WindowPrivate.h"

namespace fw {

class ContentWidget;

struct Window::Impl {
    QWidget* top = nullptr;
    ContentWidget* content = nullptr;
    Qt::WindowFlags baseFlags;
    // Limits of the content area; a window that is not resizeable keeps its size.
    QSize minSize{0, 0};
    QSize maxSize{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    bool resizeable = true;
    bool closeButton = true;
    bool minimizeButton = true;
    bool maximizeButton = true;
    MenuBar* menuBar = nullptr;
    detail::MenuActions actions;
    std::map<String, std::function<bool()>> handlers;
    QEventLoop* modalLoop = nullptr;
    unsigned long long activated = 0;
    bool closed = false;
    // A close asked of a window without a close box is on its way to the quit command.
    bool quitPending = false;
};

struct WindowAccess {
    static Window::Impl& Of(Window& w) { return *w.impl_; }
    static const Window::Impl& Of(const Window& w) { return *w.impl_; }
};

namespace {

std::vector<Window*>& Live() {
    // Never freed, like the windows waiting for deletion: read until the end.
    static auto* live = new std::vector<Window*>;
    return *live;
}

unsigned long long gActivations = 0;

MenuItem* FindQuitItem(const MenuItem& parent) {
    for (Integer i = 0; i < parent.Count(); ++i) {
        MenuItem* item = parent.Item(i);
        if (item->ItemKind() == MenuItem::Kind::Quit) return item;
        if (MenuItem* found = FindQuitItem(*item)) return found;
    }
    return nullptr;
}

// The quit command, as if chosen from the window's menu: its action, when the
// window shows one, so whatever a menu command does first is done here too.
void RunQuitCommand(Window& w) {
    MenuBar* bar = w.GetMenuBar();
    if (!bar && Application::Instance()) bar = Application::Instance()->GetMenuBar();
    MenuItem* quit = bar ? FindQuitItem(*bar) : nullptr;
    if (!quit) {
        QuitApplication();
        return;
    }
    for (auto& [action, item] : WindowAccess::Of(w).actions) {
        if (item == quit && action) {
            action->trigger();
            return;
        }
    }
    quit->Choose();
}

// Holds until the window manager has mapped a new window where it chose to put
// it, so that what is placed from its position (the palette, the dialogs) sees
// the real one. A window manager that never answers costs a second.
void WaitUntilPlaced(QWidget* top) {
    QWindow* window = top->windowHandle();
    if (!window || window->isExposed()) return;
    class ExposeWatch : public QObject {
      public:
        explicit ExposeWatch(QEventLoop* loop) : loop_(loop) {}
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::Expose && static_cast<QWindow*>(o)->isExposed()) {
                QTimer::singleShot(0, loop_, &QEventLoop::quit);
            }
            return false;
        }

      private:
        QEventLoop* loop_;
    };
    QEventLoop loop;
    ExposeWatch watch(&loop);
    window->installEventFilter(&watch);
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    window->removeEventFilter(&watch);
}

// Every kind of top-level window asks its Window before it closes.
template <class Base>
class TopLevel : public Base {
  public:
    TopLevel(Window* owner, Qt::WindowFlags flags) : Base(nullptr, flags), owner_(owner) {}

  protected:
    void closeEvent(QCloseEvent* e) override {
        // What was typed counts for the save-changes question too.
        detail::DeliverPendingEdit();
        // A window without a close box closes only when the program closes it.
        // A window manager may still offer a close (a button of its own, Alt+F4):
        // on a document window that is the quit command, with its save-changes
        // question, run once this event is over.
        auto& impl = WindowAccess::Of(*owner_);
        if (e->spontaneous() && !impl.closeButton) {
            e->ignore();
            if (owner_->Frame() == kDocumentWindow && !impl.quitPending) {
                impl.quitPending = true;
                Window* owner = owner_;
                QTimer::singleShot(0, this, [owner] {
                    WindowAccess::Of(*owner).quitPending = false;
                    RunQuitCommand(*owner);
                });
            }
            return;
        }
        if (owner_->CancelClose()) {
            e->ignore();
            return;
        }
        e->accept();
        WindowAccess::Of(*owner_).closed = true;
        if (owner_->onClosed) owner_->onClosed();
    }
    // A modal window that goes away, closed or hidden, lets its caller go on.
    void hideEvent(QHideEvent* e) override {
        Base::hideEvent(e);
        if (e->spontaneous()) return;
        if (QEventLoop* loop = WindowAccess::Of(*owner_).modalLoop) loop->quit();
    }
    void changeEvent(QEvent* e) override {
        Base::changeEvent(e);
        if (e->type() == QEvent::ActivationChange && this->isActiveWindow()) {
            WindowAccess::Of(*owner_).activated = ++gActivations;
            detail::RefreshMenus();
        }
    }

  private:
    Window* owner_;
};

class DialogTop : public TopLevel<detail::Centred<QDialog>> {
  public:
    using TopLevel<detail::Centred<QDialog>>::TopLevel;
    // Escape closes through closeEvent, so CancelClose is asked as for any close.
    void reject() override { close(); }
};

}  // namespace

// The content area: controls live here, and a change of its size moves the
// locked controls before the window hears of it.
class ContentWidget : public QWidget {
  public:
    explicit ContentWidget(Window* owner) : owner_(owner) {}
    std::vector<Control*>* controls = nullptr;
    // The size the controls were last laid out for. Kept here rather than taken
    // from the resize event, which knows no old size for a window not yet shown.
    QSize laidOut;

    // Moves the locked controls for the new size, then raises Resized.
    void Relayout(QSize now) {
        if (now == laidOut) return;
        int dx = now.width() - laidOut.width();
        int dy = now.height() - laidOut.height();
        laidOut = now;
        if (controls) {
            auto snapshot = *controls;
            for (Control* c : snapshot) {
                Integer l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
                if (c->LockRight) (c->LockLeft ? w : l) += dx;
                if (c->LockBottom) (c->LockTop ? h : t) += dy;
                if (l != c->Left() || t != c->Top() || w != c->Width() || h != c->Height()) {
                    c->SetBounds(l, t, std::max<Integer>(w, 0), std::max<Integer>(h, 0));
                }
            }
        }
        // Sizes set while the window is being built, before its Open, are no
        // resize its handlers could act on yet.
        if (owner_->Opened()) owner_->Resized();
    }

  protected:
    void resizeEvent(QResizeEvent* e) override { Relayout(e->size()); }

  private:
    Window* owner_;
};

Window::Window(Integer frame) : frame_(frame), impl_(std::make_unique<Impl>()) {
    impl_->content = new ContentWidget(this);
    impl_->content->controls = &controls_;
    if (frame == kDocumentWindow) {
        auto* top = new TopLevel<QMainWindow>(this, Qt::Window);
        top->setCentralWidget(impl_->content);
        impl_->top = top;
    } else {
        QWidget* top = nullptr;
        if (frame == kFloatingWindow) {
            // Transient for the main window when shown (see Show): above it only.
            top = new TopLevel<QWidget>(this, Qt::Tool);
            top->setAttribute(Qt::WA_ShowWithoutActivating);
        } else {
            auto* dialog = new DialogTop(this, frame == kSheetWindow ? Qt::Sheet : Qt::Dialog);
            dialog->setModal(true);
            top = dialog;
        }
        auto* layout = new QVBoxLayout(top);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(impl_->content);
        impl_->top = top;
    }
    impl_->content->laidOut = impl_->content->size();
    impl_->baseFlags = impl_->top->windowFlags();
    Live().push_back(this);
}

Window::~Window() {
    onClosed = nullptr;
    if (impl_->modalLoop) impl_->modalLoop->quit();
    std::erase(Live(), this);
    impl_->content->controls = nullptr;
    delete impl_->top;
    detail::RefreshMenus();
}

String Window::Title() const {
    return impl_->top->windowTitle().toStdString();
}
void Window::SetTitle(const String& title) {
    impl_->top->setWindowTitle(Q(title));
}
Integer Window::Left() const {
    return impl_->top->x();
}
Integer Window::Top() const {
    return impl_->top->y();
}
Integer Window::Width() const {
    return impl_->content->width();
}
Integer Window::Height() const {
    return impl_->content->height();
}
void Window::SetLeft(Integer v) {
    impl_->top->move(v, impl_->top->y());
}
void Window::SetTop(Integer v) {
    impl_->top->move(impl_->top->x(), v);
}
void Window::SetWidth(Integer v) {
    SetSize(v, Height());
}
void Window::SetHeight(Integer v) {
    SetSize(Width(), v);
}

void Window::SetSize(Integer width, Integer height) {
    width = std::max<Integer>(width, 0);
    height = std::max<Integer>(height, 0);
    if (impl_->resizeable) {
        width = std::max(impl_->minSize.width(), std::min(width, impl_->maxSize.width()));
        height = std::max(impl_->minSize.height(), std::min(height, impl_->maxSize.height()));
    } else {
        impl_->content->setFixedSize(width, height);
    }
    // What the frame adds around the content: once shown, the difference of the
    // two sizes; before, the menu bar of a document window.
    QSize extra = impl_->top->size() - impl_->content->size();
    if (!impl_->top->isVisible()) {
        extra = QSize(0, 0);
        if (auto* main = qobject_cast<QMainWindow*>(impl_->top)) {
            if (QWidget* bar = main->menuWidget()) extra.setHeight(bar->sizeHint().height());
        }
    }
    impl_->top->resize(width + extra.width(), height + extra.height());
    impl_->content->resize(width, height);
    // A hidden window hears of its resize only when shown; the controls follow now.
    impl_->content->Relayout(QSize(width, height));
}

bool Window::Visible() const {
    return impl_->top->isVisible();
}

void Window::Show() {
    impl_->closed = false;
    RaiseOpen();
    QWidget* top = impl_->top;
    bool wasVisible = top->isVisible();
    if (frame_ != kDocumentWindow && !top->parentWidget()) {
        // Kept above the main window and with it, not above every application;
        // set at each showing, as a change of flags makes a new native window.
        QWidget* main = detail::DocumentWindowWidget();
        if (main && main != top && main->windowHandle()) {
            top->winId();
            if (QWindow* w = top->windowHandle()) w->setTransientParent(main->windowHandle());
        }
    }
    top->show();
    if (frame_ == kDocumentWindow && !wasVisible) WaitUntilPlaced(top);
    if (frame_ != kFloatingWindow) {
        impl_->top->raise();
        impl_->top->activateWindow();
    }
}

void Window::PlaceBeside(const Window& other, Integer gap, Integer down) {
    if (&other == this) return;
    detail::PlaceBeside(impl_->top, other.impl_->top, gap, down);
}

void Window::Hide() {
    impl_->top->hide();
}

bool Window::Close() {
    detail::DeliverPendingEdit();
    if (!impl_->top->isVisible()) {
        if (CancelClose()) return false;
        impl_->closed = true;
        if (onClosed) onClosed();
        return true;
    }
    return impl_->top->close();
}

void Window::ShowModal() {
    impl_->top->setWindowModality(Qt::ApplicationModal);
    RunModal();
}

void Window::ShowModalWithin(Window& parent) {
    QWidget* top = impl_->top;
    if (&parent == this || top->isVisible()) {
        ShowModal();
        return;
    }
    // Window-modal needs the parent as the widget's own parent (a sheet on macOS);
    // it is let go of afterwards, so the parent never deletes this window.
    QPointer<QWidget> guard = top;
    top->setParent(parent.Widget(), top->windowFlags());
    top->setWindowModality(Qt::WindowModal);
    RunModal();
    if (guard) guard->setParent(nullptr, guard->windowFlags());
}

void Window::RunModal() {
    QPointer<QWidget> top = impl_->top;
    Show();
    if (!top || !top->isVisible()) return;
    QEventLoop loop;
    impl_->modalLoop = &loop;
    if (testing::Enabled()) {
        // Nothing waits for a person under test: the queued act runs once the loop
        // is up; whatever it leaves open is reported and closed.
        auto act = testing::Detail::TakeModal();
        QTimer::singleShot(0, &loop, [this, act, &loop, top] {
            if (act) {
                (*act)(*this);
            } else {
                testing::Detail::Unexpected("unexpected modal window \"" + Title() + "\"");
            }
            if (!top || impl_->modalLoop != &loop || !top->isVisible()) return;
            if (act) {
                testing::Detail::Unexpected("modal window \"" + Title() +
                                            "\" left open by the test");
            }
            if (!Close()) Hide();
        });
    }
    loop.exec();
    if (top) impl_->modalLoop = nullptr;
}

void Window::SetMinimumSize(Integer width, Integer height) {
    impl_->minSize = QSize(std::max<Integer>(width, 0), std::max<Integer>(height, 0));
    ApplyLimits();
}

void Window::SetMaximumSize(Integer width, Integer height) {
    impl_->maxSize = QSize(std::clamp<Integer>(width, 0, QWIDGETSIZE_MAX),
                           std::clamp<Integer>(height, 0, QWIDGETSIZE_MAX));
    ApplyLimits();
}

void Window::SetResizeable(bool v) {
    impl_->resizeable = v;
    ApplyLimits();
}

void Window::ApplyLimits() {
    ContentWidget* content = impl_->content;
    if (impl_->resizeable) {
        content->setMinimumSize(impl_->minSize);
        content->setMaximumSize(impl_->maxSize);
    } else {
        content->setFixedSize(content->size());
    }
    // The frame takes its limits from the content's, plus the menu bar. A main
    // window's layout sets only its minimum; its maximum is set here.
    if (auto* main = qobject_cast<QMainWindow*>(impl_->top)) {
        QWidget* bar = main->menuWidget();
        qint64 height = qint64(content->maximumHeight()) + (bar ? bar->sizeHint().height() : 0);
        main->setMaximumSize(content->maximumWidth(),
                             static_cast<int>(std::min<qint64>(height, QWIDGETSIZE_MAX)));
    } else if (QLayout* layout = impl_->top->layout()) {
        layout->setSizeConstraint(QLayout::SetMinAndMaxSize);
    }
    content->Relayout(content->size());
}

void Window::SetCloseButton(bool v) {
    impl_->closeButton = v;
    ApplyFlags();
}
void Window::SetMinimizeButton(bool v) {
    impl_->minimizeButton = v;
    ApplyFlags();
}
void Window::SetMaximizeButton(bool v) {
    impl_->maximizeButton = v;
    ApplyFlags();
}

void Window::ApplyFlags() {
    Qt::WindowFlags flags = impl_->baseFlags;
    if (!(impl_->closeButton && impl_->minimizeButton && impl_->maximizeButton)) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        flags &=
            ~(Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
        if (impl_->closeButton) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (impl_->minimizeButton) flags |= Qt::WindowMinimizeButtonHint;
        if (impl_->maximizeButton) flags |= Qt::WindowMaximizeButtonHint;
    }
    if (flags == impl_->top->windowFlags()) return;
    bool visible = impl_->top->isVisible();
    impl_->top->setWindowFlags(flags);
    if (visible) impl_->top->show();
}

void Window::SetMenuBar(MenuBar* bar) {
    impl_->menuBar = bar;
    auto* main = qobject_cast<QMainWindow*>(impl_->top);
    if (!main) return;
    QSize keep = impl_->content->size();
    impl_->actions.clear();
    QMenuBar* qbar = bar ? detail::MakeMenuBar(*bar, impl_->actions) : nullptr;
    if (QWidget* old = main->menuWidget()) {
        main->setMenuWidget(nullptr);
        delete old;
    }
    if (qbar) main->setMenuBar(qbar);
    if (main->maximumSize() != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)) ApplyLimits();
    // The content keeps its size: the frame grows by the bar.
    if (!impl_->top->isVisible()) SetSize(keep.width(), keep.height());
    detail::RefreshMenus();
}

MenuBar* Window::GetMenuBar() const {
    return impl_->menuBar;
}

void Window::AddMenuHandler(const String& name, std::function<bool()> handler) {
    if (handler) {
        impl_->handlers[name] = std::move(handler);
    } else {
        impl_->handlers.erase(name);
    }
    detail::RefreshMenus();
}

std::function<bool()> Window::MenuHandler(const String& name) const {
    auto it = impl_->handlers.find(name);
    return it == impl_->handlers.end() ? std::function<bool()>() : it->second;
}

void Window::RaiseOpen() {
    if (opened_) return;
    opened_ = true;
    auto snapshot = controls_;
    for (Control* c : snapshot) c->Open();
    Open();
}

Control* Window::ControlNamed(const String& name, Integer index) const {
    for (Control* c : controls_) {
        if (c->Name() == name && (index < 0 || c->Index() == index)) return c;
    }
    return nullptr;
}

QWidget* Window::Widget() const {
    return impl_->top;
}
QWidget* Window::Content() const {
    return impl_->content;
}

namespace detail {

namespace {

// Deletes its window with it. Qt's deferred deletion waits until control is back
// in the event loop that asked for it, so a window closed from its own handler,
// or from inside its own modal loop, outlives the code still running in it.
class WindowReaper : public QObject {
  public:
    explicit WindowReaper(Window* w) : window_(w) {}
    ~WindowReaper() override {
        std::erase(PendingWindows(), window_);
        delete window_;
    }
    // Never freed: windows still waiting at exit stay reachable, not leaked, and
    // are not deleted after the application object is gone.
    static std::vector<Window*>& PendingWindows() {
        static auto* pending = new std::vector<Window*>;
        return *pending;
    }

  private:
    Window* window_;
};

}  // namespace

void DeleteLater(Window* w) {
    if (!w) return;
    WindowAccess::Of(*w).closed = true;
    w->onClosed = nullptr;
    WindowReaper::PendingWindows().push_back(w);
    (new WindowReaper(w))->deleteLater();
}

const std::vector<Window*>& LiveWindows() {
    return Live();
}

bool IsLive(const Window* w) {
    return std::find(Live().begin(), Live().end(), w) != Live().end();
}

bool IsClosed(const Window& w) {
    return WindowAccess::Of(w).closed;
}

unsigned long long ActivationStamp(const Window& w) {
    return WindowAccess::Of(w).activated;
}

Window* ActiveWindow() {
    QWidget* active = QApplication::activeWindow();
    if (!active) return nullptr;
    for (Window* w : Live()) {
        if (w->Widget() == active) return w;
    }
    return nullptr;
}

Window* FrontDocumentWindow() {
    Window* front = nullptr;
    for (Window* w : Live()) {
        if (w->Frame() != kDocumentWindow || !w->Visible() || IsClosed(*w)) continue;
        // Among windows never activated, the newest is in front.
        if (!front || ActivationStamp(*w) >= ActivationStamp(*front)) front = w;
    }
    return front;
}

void RefreshMenus() {
    if (!QCoreApplication::instance()) return;
    for (Window* w : Live()) {
        EnableActions(WindowAccess::Of(*w).actions);
    }
}

void ForgetMenuItem(const MenuItem* item) {
    if (!QCoreApplication::instance()) return;
    for (Window* w : Live()) {
        ForgetItem(WindowAccess::Of(*w).actions, item);
    }
}

}  // namespace detail

void Window::Register(Control* c) {
    controls_.push_back(c);
}
void Window::Unregister(Control* c) {
    std::erase(controls_, c);
}

}  // namespace fw
