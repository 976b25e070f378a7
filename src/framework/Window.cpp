#include "framework/Window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QMainWindow>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "framework/Controls.h"

namespace fw {

namespace {

QString Q(const String& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Every kind of top-level window asks its Window before it closes.
template <class Base>
class TopLevel : public Base {
  public:
    TopLevel(Window* owner, Qt::WindowFlags flags) : Base(nullptr, flags), owner_(owner) {}

  protected:
    void closeEvent(QCloseEvent* e) override {
        if (owner_->CancelClose()) {
            e->ignore();
            return;
        }
        e->accept();
        if (owner_->onClosed) owner_->onClosed();
    }

  private:
    Window* owner_;
};

class DialogTop : public TopLevel<QDialog> {
  public:
    using TopLevel<QDialog>::TopLevel;
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

struct Window::Impl {
    QWidget* top = nullptr;
    ContentWidget* content = nullptr;
};

Window::Window(Integer frame) : frame_(frame), impl_(std::make_unique<Impl>()) {
    impl_->content = new ContentWidget(this);
    impl_->content->controls = &controls_;
    if (frame == 0) {
        auto* top = new TopLevel<QMainWindow>(this, Qt::Window);
        top->setCentralWidget(impl_->content);
        impl_->top = top;
    } else {
        QWidget* top = nullptr;
        if (frame == 3) {
            top = new TopLevel<QWidget>(this, Qt::Tool | Qt::WindowStaysOnTopHint);
            top->setAttribute(Qt::WA_ShowWithoutActivating);
        } else {
            auto* dialog = new DialogTop(this, frame == 8 ? Qt::Sheet : Qt::Dialog);
            dialog->setModal(true);
            top = dialog;
        }
        auto* layout = new QVBoxLayout(top);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(impl_->content);
        impl_->top = top;
    }
    impl_->content->laidOut = impl_->content->size();
}

Window::~Window() {
    onClosed = nullptr;
    impl_->content->controls = nullptr;
    delete impl_->top;
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
    RaiseOpen();
    impl_->top->show();
    if (frame_ != 3) {
        impl_->top->raise();
        impl_->top->activateWindow();
    }
}

void Window::Hide() {
    impl_->top->hide();
}

bool Window::Close() {
    if (!impl_->top->isVisible()) {
        if (CancelClose()) return false;
        if (onClosed) onClosed();
        return true;
    }
    return impl_->top->close();
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
    w->onClosed = nullptr;
    WindowReaper::PendingWindows().push_back(w);
    (new WindowReaper(w))->deleteLater();
}

}  // namespace detail

void Window::Register(Control* c) {
    controls_.push_back(c);
}
void Window::Unregister(Control* c) {
    std::erase(controls_, c);
}

}  // namespace fw
