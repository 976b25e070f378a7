#include "framework/Controls.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/DrawingPrivate.h"
#include "framework/QtConvert.h"
#include "framework/Text.h"
#include "framework/Window.h"
#include "framework/WindowPrivate.h"

namespace fw {

// --- Control ----------------------------------------------------------------

Control::Control(Window& parent, String name, Integer left, Integer top, Integer width,
                 Integer height, Integer index)
    : parent_(parent),
      name_(std::move(name)),
      index_(index),
      left_(left),
      top_(top),
      width_(std::max<Integer>(width, 0)),
      height_(std::max<Integer>(height, 0)) {
    parent_.Register(this);
}

Control::~Control() {
    parent_.Unregister(this);
    delete widget_;
}

void Control::Attach(QWidget* widget) {
    widget_ = widget;
    widget_->setParent(parent_.Content());
    widget_->setGeometry(left_, top_, width_, height_);
    widget_->setVisible(visible_);
    widget_->setEnabled(enabled_);
}

void Control::SetBounds(Integer left, Integer top, Integer width, Integer height) {
    width = std::max<Integer>(width, 0);
    height = std::max<Integer>(height, 0);
    bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (widget_) widget_->setGeometry(left_, top_, width_, height_);
    if (resized) BoundsChanged();
}

void Control::SetVisible(bool v) {
    visible_ = v;
    if (widget_) widget_->setVisible(v);
}

void Control::SetEnabled(bool v) {
    enabled_ = v;
    if (widget_) widget_->setEnabled(v);
}

// --- Canvas -----------------------------------------------------------------

namespace {

Integer ToPagePixel(double v) {
    return ToInteger(std::floor(v));
}

}  // namespace

class CanvasWidget;

// The canvas's own surface: an image the size of the control, at the screen's
// pixel density, that application code draws into at any time. The widget shows
// it, copying only the damaged rectangles.
struct Canvas::Impl : public Surface {
    Canvas* owner = nullptr;
    CanvasWidget* widget = nullptr;
    QImage backing;
    bool needsPaint = true;
    bool painting = false;
    std::unique_ptr<fw::Graphics> graphics;

    ~Impl() override { Flush(); }
    QImage* Pixels() override { return &backing; }
    Integer Width() const override { return owner->Width(); }
    Integer Height() const override { return owner->Height(); }
    void Damaged(double x, double y, double w, double h) override;
    void MakeBacking();
};

class CanvasWidget : public QWidget {
  public:
    explicit CanvasWidget(Canvas::Impl* impl) : impl_(impl) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::ClickFocus);
    }

  protected:
    void paintEvent(QPaintEvent* e) override {
        Canvas::Impl& d = *impl_;
        double dpr = devicePixelRatioF();
        // Moved to a screen of another density: a new surface, painted whole.
        if (!d.backing.isNull() && d.backing.devicePixelRatio() != dpr) d.MakeBacking();
        if (d.needsPaint) {
            d.needsPaint = false;
            d.painting = true;
            fw::Graphics& g = *d.graphics;
            g.ClearRect(0, 0, d.Width(), d.Height());
            if (auto pic = d.owner->Backdrop()) g.DrawPicture(*pic, 0, 0);
            d.owner->Paint(g);
            d.painting = false;
        }
        d.Flush();
        QPainter p(this);
        if (d.backing.isNull()) {
            // No surface (empty or too large to hold): opaque painting must still cover.
            p.fillRect(e->rect(), Qt::white);
            return;
        }
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& r : e->region()) {
            p.drawImage(QRectF(r), d.backing,
                        QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr));
        }
    }

    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        QPointF p = e->position();
        tracking_ = impl_->owner->MouseDown(ToPagePixel(p.x()), ToPagePixel(p.y()));
    }

    void mouseMoveEvent(QMouseEvent* e) override {
        // A drag is a move with the button held; without it the release was lost.
        if (!tracking_ || !(e->buttons() & Qt::LeftButton)) return;
        QPointF p = e->position();
        impl_->owner->MouseDrag(ToPagePixel(p.x()), ToPagePixel(p.y()));
    }

    void mouseReleaseEvent(QMouseEvent* e) override {
        if (!tracking_ || e->button() != Qt::LeftButton) return;
        tracking_ = false;
        QPointF p = e->position();
        impl_->owner->MouseUp(ToPagePixel(p.x()), ToPagePixel(p.y()));
    }

  private:
    Canvas::Impl* impl_;
    bool tracking_ = false;
};

void Canvas::Impl::Damaged(double x, double y, double w, double h) {
    if (painting || !widget) return;
    QRect r = QRectF(x, y, w, h).toAlignedRect().intersected(QRect(0, 0, Width(), Height()));
    if (!r.isEmpty()) widget->update(r);
}

void Canvas::Impl::MakeBacking() {
    Flush();
    double dpr = widget ? widget->devicePixelRatioF() : ScreenPixelRatio();
    double dw = std::ceil(Width() * dpr), dh = std::ceil(Height() * dpr);
    double side = kLargestPictureSide;
    int w = static_cast<int>(std::min(dw, side)), h = static_cast<int>(std::min(dh, side));
    // A control larger than any screen gets no surface rather than gigabytes.
    if (w <= 0 || h <= 0 || dw * dh * 4 > kLargestPictureBytes) {
        backing = QImage();
    } else {
        backing = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
        if (!backing.isNull()) {
            backing.setDevicePixelRatio(dpr);
            backing.fill(Qt::white);
        }
    }
    needsPaint = true;
    if (widget) widget->update();
}

Canvas::Canvas(Window& parent, String name, Integer left, Integer top, Integer width,
               Integer height)
    : Control(parent, std::move(name), left, top, width, height), impl_(std::make_unique<Impl>()) {
    impl_->owner = this;
    impl_->graphics = std::make_unique<fw::Graphics>(*impl_);
    impl_->widget = new CanvasWidget(impl_.get());
    Attach(impl_->widget);
    impl_->MakeBacking();
}

Canvas::~Canvas() = default;

void Canvas::SetBackdrop(std::shared_ptr<Picture> picture) {
    backdrop_ = std::move(picture);
    Refresh();
}

fw::Graphics& Canvas::Graphics() {
    return *impl_->graphics;
}

void Canvas::Refresh() {
    impl_->needsPaint = true;
    if (impl_->widget) impl_->widget->update();
}

void Canvas::BoundsChanged() {
    impl_->MakeBacking();
}

// --- EditField --------------------------------------------------------------

namespace {

// The key as the application sees it; "" for keys it is not told about
// (modifiers alone, function keys).
String KeyText(const QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Left:
            return Chr(28);
        case Qt::Key_Right:
            return Chr(29);
        case Qt::Key_Up:
            return Chr(30);
        case Qt::Key_Down:
            return Chr(31);
        case Qt::Key_Backspace:
            return Chr(8);
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return Chr(9);
        case Qt::Key_Return:
            return Chr(13);
        case Qt::Key_Enter:
            return Chr(3);
        case Qt::Key_Escape:
            return Chr(27);
        case Qt::Key_Delete:
            return Chr(127);
        case Qt::Key_Home:
            return Chr(1);
        case Qt::Key_End:
            return Chr(4);
        case Qt::Key_PageUp:
            return Chr(11);
        case Qt::Key_PageDown:
            return Chr(12);
        default:
            break;
    }
    QString t = e->text();
    if (t.isEmpty() || (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) return String();
    return t.left(t.at(0).isHighSurrogate() ? 2 : 1).toStdString();
}

// What the user types into a box reaches the program through its LostFocus. A
// press elsewhere, a menu command or a close can come before the box loses the
// keyboard (a press in another window may arrive before the window manager
// gives that window the keyboard; a shortcut or a press on a toggle leaves it
// in the box), so each of them first hands on the box's pending edit: the box
// that has a user's edit not yet told by a LostFocus hears its LostFocus then,
// once.
class EditFieldWidget;
EditFieldWidget* gPendingEdit = nullptr;

class EditFieldWidget : public QLineEdit {
  public:
    explicit EditFieldWidget(EditField* owner) : owner_(owner) {
        // No length limit: the toolkit's default would cut a longer text set in
        // code, and the box would then write the cut text back.
        setMaxLength(std::numeric_limits<int>::max());
        connect(this, &QLineEdit::textChanged, this, [this] { owner_->TextChange(); });
        // Only the user's edits: a text set in code is no news to the program.
        connect(this, &QLineEdit::textEdited, this, [this] {
            told_ = false;
            gPendingEdit = this;
        });
        WatchPresses();
    }
    ~EditFieldWidget() override {
        if (gPendingEdit == this) gPendingEdit = nullptr;
    }

    // LostFocus for the edit, while the box keeps the keyboard. The box losing
    // it afterwards, with nothing typed since, does not raise it again: by then
    // the press or command may have put another selection's values in the box,
    // which are not the user's to write back.
    void DeliverPending() {
        if (gPendingEdit == this) gPendingEdit = nullptr;
        told_ = true;
        owner_->LostFocus();
    }

  protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            String key = KeyText(k);
            if (!key.empty() && owner_->KeyDown(key)) {
                k->accept();
                return true;
            }
        }
        return QLineEdit::event(e);
    }

    void focusInEvent(QFocusEvent* e) override {
        QLineEdit::focusInEvent(e);
        told_ = false;
    }

    void focusOutEvent(QFocusEvent* e) override {
        QLineEdit::focusOutEvent(e);
        bool told = told_;
        told_ = false;
        if (gPendingEdit == this) gPendingEdit = nullptr;
        if (!told) owner_->LostFocus();
    }

  private:
    // Presses anywhere in the program, watched once for all boxes.
    static void WatchPresses() {
        static QPointer<QObject> watcher;
        if (watcher || !QCoreApplication::instance()) return;
        class PressWatcher : public QObject {
          public:
            using QObject::QObject;
            bool eventFilter(QObject* o, QEvent* e) override {
                auto t = e->type();
                if (gPendingEdit && o->isWidgetType() &&
                    (t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick)) {
                    auto* w = static_cast<QWidget*>(o);
                    EditFieldWidget* box = gPendingEdit;
                    if (w != box && !box->isAncestorOf(w)) box->DeliverPending();
                }
                return false;
            }
        };
        watcher = new PressWatcher(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(watcher);
    }

    EditField* owner_;
    // LostFocus was raised for this stay of the keyboard in the box.
    bool told_ = false;
};

}  // namespace

namespace detail {
void DeliverPendingEdit() {
    if (gPendingEdit) gPendingEdit->DeliverPending();
}
}  // namespace detail

EditField::EditField(Window& parent, String name, Integer left, Integer top, Integer width,
                     Integer height)
    : Control(parent, std::move(name), left, top, width, height) {
    Attach(new EditFieldWidget(this));
}

EditField::~EditField() = default;

String EditField::Text() const {
    return static_cast<QLineEdit*>(Widget())->text().toStdString();
}

// TextChange follows every Text set in code, also when the text stays the same:
// the palette's boxes count on it to mark the layout modified.
void EditField::SetText(const String& text) {
    auto* edit = static_cast<QLineEdit*>(Widget());
    QString t = Q(text);
    if (edit->text() == t) {
        TextChange();
    } else {
        edit->setText(t);
    }
}

void EditField::SetFocus() {
    Widget()->setFocus(Qt::OtherFocusReason);
}

}  // namespace fw
