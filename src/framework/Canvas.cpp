#include "framework/Canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTransform>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "framework/DrawingPrivate.h"
#include "framework/QtConvert.h"
#include "framework/Window.h"

namespace fw {

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
        // The surface's device pixels go to the window's one for one, from
        // where the rule puts the canvas's corner in the window: the toolkit
        // places a control at a fractional device position below the menu bar
        // or when scrolled, and copying there would blend or shift the page.
        QTransform device = p.deviceTransform();
        QPoint corner(DeviceEdge(device.dx(), 1), DeviceEdge(device.dy(), 1));
        p.setWorldTransform(
            QTransform::fromTranslate(corner.x() - device.dx(), corner.y() - device.dy()) *
            QTransform::fromScale(1 / dpr, 1 / dpr));
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& r : e->region()) {
            // The window's device pixels of the rectangle, as the toolkit's own
            // clip finds them, and the surface's pixels that show there.
            QRect screen = DeviceRect(device.mapRect(QRectF(r)), 1);
            QRect from = screen.translated(-corner).intersected(d.backing.rect());
            p.drawImage(QRectF(from), d.backing, QRectF(from));
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
    // A page pixel more all round: at a fractional ratio the surface's device
    // pixels of the rectangle may reach one device pixel past where the
    // window's rounding of the same rectangle ends, and the toolkit sends no
    // pixel to the screen outside what was asked for. The surface holds the
    // whole page, so copying a little more shows nothing but the page.
    QRect r = QRectF(x, y, w, h).toAlignedRect();
    if (widget->devicePixelRatioF() != std::floor(widget->devicePixelRatioF())) {
        r.adjust(-1, -1, 1, 1);
    }
    r = r.intersected(QRect(0, 0, Width(), Height()));
    if (!r.isEmpty()) widget->update(r);
}

void Canvas::Impl::MakeBacking() {
    Flush();
    double dpr = widget ? widget->devicePixelRatioF() : ScreenPixelRatio();
    // As many device pixels as the rule gives the page's far edges.
    double dw = DeviceEdge(Width(), dpr), dh = DeviceEdge(Height(), dpr);
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

}  // namespace fw
