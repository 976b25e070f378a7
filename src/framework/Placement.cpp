#include "framework/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "framework/Window.h"
#include "framework/WindowPrivate.h"

namespace fw::detail {

namespace {

// What the window manager's frame adds around the window; none before the
// window has been mapped.
QMargins Frame(const QWidget* w) {
    QRect f = w->frameGeometry(), g = w->geometry();
    return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
}

// The window's frame; before it has one, as large as the frame around the
// other window (the same window manager draws both).
QMargins FrameOf(const QWidget* w, const QWidget* other) {
    QMargins m = Frame(w);
    return m.isNull() ? Frame(other) : m;
}

// Puts the window's frame at p. A native window made before its frame is known
// (a dialog, by the time it is shown) takes a position as its inside's.
void MoveFrame(QWidget* w, QPoint p, const QMargins& frame) {
    if (Frame(w).isNull() && w->testAttribute(Qt::WA_WState_Created)) {
        p += QPoint(frame.left(), frame.top());
    }
    w->move(p);
}

QRect Available(const QWidget* other) {
    QScreen* screen = other->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The top-left corner that keeps a frame of this size inside the screen; the
// top-left corner stays visible when the frame is larger than the screen.
QPoint OnScreen(QPoint p, QSize size, const QRect& screen) {
    if (screen.isEmpty()) return p;
    int x = std::max(screen.left(), std::min(p.x(), screen.right() + 1 - size.width()));
    int y = std::max(screen.top(), std::min(p.y(), screen.bottom() + 1 - size.height()));
    return {x, y};
}

}  // namespace

QWidget* DocumentWindowWidget() {
    Window* w = FrontDocumentWindow();
    return w ? w->Widget() : nullptr;
}

void CentreOverDocumentWindow(QWidget* window) {
    QWidget* main = DocumentWindowWidget();
    if (!main || main == window || !main->isVisible()) return;
    QRect over = main->frameGeometry();
    QMargins frame = FrameOf(window, main);
    QSize size = window->size().grownBy(frame);
    QPoint p(over.left() + (over.width() - size.width()) / 2,
             over.top() + (over.height() - size.height()) / 2);
    MoveFrame(window, OnScreen(p, size, Available(main)), frame);
}

void PlaceBeside(QWidget* window, const QWidget* other, int gap, int down) {
    QRect beside = other->frameGeometry();
    QMargins frame = FrameOf(window, other);
    QSize size = window->size().grownBy(frame);
    QRect screen = Available(other);
    QPoint p(beside.right() + 1 + gap, beside.top() + down);
    if (!screen.isEmpty() && p.x() + size.width() > screen.right() + 1) {
        int left = beside.left() - gap - size.width();
        if (left >= screen.left()) p.setX(left);
    }
    MoveFrame(window, OnScreen(p, size, screen), frame);
}

}  // namespace fw::detail
