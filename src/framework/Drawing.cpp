#include "framework/Drawing.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "framework/DrawingPrivate.h"

namespace fw {

namespace {

constexpr int kDefaultTextSize = 12;
constexpr int kLargestTextSize = 2000;
constexpr double kLargestBorderWidth = 1000;
constexpr long long kLargestPictureBytes = 1LL << 30;
constexpr int kLargestPictureSide = 32767;

QColor ToQColor(Color c, double opacity = 100) {
    double a = std::clamp(std::isnan(opacity) ? 0.0 : opacity, 0.0, 100.0);
    return QColor(Red(c), Green(c), Blue(c), static_cast<int>(std::lround(a * 2.55)));
}

bool Finite(double v) {
    return std::isfinite(v);
}

// Measurements repeat a lot (every draw of a field measures its label), so they
// are kept by font and text. Cleared whole when it grows large.
struct MeasureKey {
    QString font;
    QString text;
    int wrap;
    bool operator==(const MeasureKey&) const = default;
};
struct MeasureKeyHash {
    std::size_t operator()(const MeasureKey& k) const {
        return qHash(k.font) ^ (qHash(k.text) * 31) ^ static_cast<std::size_t>(k.wrap);
    }
};
std::unordered_map<MeasureKey, int, MeasureKeyHash>& MeasureCache() {
    static std::unordered_map<MeasureKey, int, MeasureKeyHash> cache;
    if (cache.size() > 20000) cache.clear();
    return cache;
}

}  // namespace

QFont MakeFont(const String& family, double size, bool bold, bool italic, bool underline) {
    QFont f;
    if (!family.empty()) f.setFamily(QString::fromStdString(family));
    int px = kDefaultTextSize;
    if (Finite(size) && size >= 1) px = static_cast<int>(std::min<double>(size, kLargestTextSize));
    f.setPixelSize(px);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    return f;
}

// --- Graphics ---------------------------------------------------------------

struct Graphics::Impl {
    // The font last built from the text settings, rebuilt when they change.
    String family;
    double size = -1;
    bool bold = false, italic = false, underline = false;
    bool valid = false;
    QFont font;
    QString fontKey;

    const QFont& Font(const Graphics& g) {
        if (!valid || family != g.TextFont || size != g.TextSize || bold != g.Bold ||
            italic != g.Italic || underline != g.Underline) {
            family = g.TextFont;
            size = g.TextSize;
            bold = g.Bold;
            italic = g.Italic;
            underline = g.Underline;
            font = MakeFont(family, size, bold, italic, underline);
            fontKey = font.key();
            valid = true;
        }
        return font;
    }
};

Graphics::Graphics(Surface& surface) : surface_(surface), impl_(std::make_unique<Impl>()) {}
Graphics::~Graphics() = default;

Integer Graphics::Width() const {
    return surface_.Width();
}
Integer Graphics::Height() const {
    return surface_.Height();
}

namespace {

// Keeps drawing rectangles within reach of the raster engine: anything far
// outside the surface is cut away before it reaches Qt.
bool ClipToSurface(const Surface& s, QRectF& r) {
    if (!Finite(r.x()) || !Finite(r.y()) || !Finite(r.width()) || !Finite(r.height())) return false;
    if (r.width() <= 0 || r.height() <= 0) return false;
    QRectF bounds(-8, -8, s.Width() + 16.0, s.Height() + 16.0);
    r = r.intersected(bounds);
    return !r.isEmpty();
}

class Painter {
  public:
    explicit Painter(Surface& s) : image_(s.Image()) {
        if (image_ && !image_->isNull()) painter_.begin(image_);
    }
    bool Active() const { return painter_.isActive(); }
    QPainter& operator*() { return painter_; }
    QPainter* operator->() { return &painter_; }

  private:
    QImage* image_;
    QPainter painter_;
};

}  // namespace

void Graphics::ClearRect(double x, double y, double w, double h) {
    QRectF r(x, y, w, h);
    if (!ClipToSurface(surface_, r)) return;
    Painter p(surface_);
    if (!p.Active()) return;
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->fillRect(r, Qt::white);
    surface_.Damaged(r.x(), r.y(), r.width(), r.height());
}

void Graphics::FillRect(double x, double y, double w, double h) {
    QRectF r(x, y, w, h);
    if (!ClipToSurface(surface_, r)) return;
    Painter p(surface_);
    if (!p.Active()) return;
    p->fillRect(r, ToQColor(ForeColor));
    surface_.Damaged(r.x(), r.y(), r.width(), r.height());
}

void Graphics::DrawRect(double x, double y, double w, double h) {
    RectShape s;
    s.Border = 100;
    s.BorderColor = ForeColor;
    s.Fill = 0;
    s.Width = w - 1;
    s.Height = h - 1;
    DrawObject(s, x + (w - 1) / 2, y + (h - 1) / 2);
}

void Graphics::DrawLine(double x1, double y1, double x2, double y2) {
    CurveShape c;
    c.BorderColor = ForeColor;
    c.X = x1;
    c.Y = y1;
    c.X2 = x2;
    c.Y2 = y2;
    DrawObject(c);
}

void Graphics::DrawPicture(const Picture& pic, double x, double y) {
    DrawPicture(pic, x, y, pic.Width(), pic.Height(), 0, 0, pic.Width(), pic.Height());
}

void Graphics::DrawPicture(const Picture& pic, double x, double y, double w, double h, double sx,
                           double sy, double sw, double sh) {
    for (double v : {x, y, w, h, sx, sy, sw, sh}) {
        if (!Finite(v)) return;
    }
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || !pic.Valid()) return;
    // Cut the source down to the picture and move the destination with it.
    double scaleX = w / sw, scaleY = h / sh;
    QRectF src = QRectF(sx, sy, sw, sh).intersected(QRectF(0, 0, pic.Width(), pic.Height()));
    if (src.isEmpty()) return;
    QRectF dst(x + (src.x() - sx) * scaleX, y + (src.y() - sy) * scaleY, src.width() * scaleX,
               src.height() * scaleY);
    // And the destination down to the surface, moving the source likewise.
    QRectF clipped = dst;
    if (!ClipToSurface(surface_, clipped)) return;
    src = QRectF(src.x() + (clipped.x() - dst.x()) / scaleX,
                 src.y() + (clipped.y() - dst.y()) / scaleY, clipped.width() / scaleX,
                 clipped.height() / scaleY);
    const QImage& image = pic.Image();
    double dpr = image.devicePixelRatio();
    QRectF srcDevice(src.x() * dpr, src.y() * dpr, src.width() * dpr, src.height() * dpr);
    Painter p(surface_);
    if (!p.Active()) return;
    p->drawImage(clipped, image, srcDevice);
    surface_.Damaged(clipped.x(), clipped.y(), clipped.width(), clipped.height());
}

void Graphics::DrawString(const String& text, double x, double y, double wrapWidth, bool) {
    if (!Finite(x) || !Finite(y) || text.empty()) return;
    const QFont& font = impl_->Font(*this);
    QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QFontMetrics fm(font);
    QRectF extent;
    bool wrap = Finite(wrapWidth) && wrapWidth >= 1;
    if (wrap) {
        int w = static_cast<int>(std::min(wrapWidth, 100000.0));
        QRect r = fm.boundingRect(QRect(0, 0, w, 1 << 20), Qt::TextWordWrap, qtext);
        extent = QRectF(x, y - fm.ascent(), r.width() + 2, r.height() + 2);
    } else {
        // The advance through the measurement cache: a label is drawn right after
        // it was measured, and shaping it a second time here cost as much as
        // drawing it.
        double advance = StringWidth(text);
        extent = QRectF(x - fm.height(), y - fm.ascent() - 2, advance + 2.0 * fm.height(),
                        fm.height() + 4.0);
    }
    QRectF visible = extent;
    if (!ClipToSurface(surface_, visible)) return;
    Painter p(surface_);
    if (!p.Active()) return;
    p->setFont(font);
    p->setPen(ToQColor(ForeColor));
    if (wrap) {
        p->drawText(QRectF(x, y - fm.ascent(), wrapWidth, 1 << 20), Qt::TextWordWrap, qtext);
    } else {
        p->drawText(QPointF(x, y), qtext);
    }
    surface_.Damaged(visible.x(), visible.y(), visible.width(), visible.height());
}

Integer Graphics::StringWidth(const String& text) {
    const QFont& font = impl_->Font(*this);
    MeasureKey key{impl_->fontKey,
                   QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), -1};
    auto& cache = MeasureCache();
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    int w = QFontMetrics(font).horizontalAdvance(key.text);
    cache.emplace(std::move(key), w);
    return w;
}

Integer Graphics::StringHeight(const String& text, double wrapWidth) {
    const QFont& font = impl_->Font(*this);
    int wrap =
        (Finite(wrapWidth) && wrapWidth >= 1) ? static_cast<int>(std::min(wrapWidth, 100000.0)) : 0;
    MeasureKey key{impl_->fontKey,
                   QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), wrap};
    auto& cache = MeasureCache();
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    QFontMetrics fm(font);
    int h = fm.height();
    if (wrap > 0 && !key.text.isEmpty()) {
        h = std::max(
            h, fm.boundingRect(QRect(0, 0, wrap, 1 << 20), Qt::TextWordWrap, key.text).height());
    }
    cache.emplace(std::move(key), h);
    return h;
}

namespace {

void DrawRectShape(Surface& surface, const RectShape& s, double x, double y) {
    double w = std::fabs(s.Width), h = std::fabs(s.Height);
    double cx = s.X + x, cy = s.Y + y;
    if (!Finite(w) || !Finite(h) || !Finite(cx) || !Finite(cy) || w <= 0 || h <= 0) return;
    // The frame covers the outline's far edge too: w + 1 by h + 1 pixels. Its
    // edges are put on whole page pixels, rounding halves up as a 1x raster
    // does, so that a shape with a half-pixel centre covers the same page pixels
    // at every pixel ratio.
    auto snap = [](double v) { return std::floor(v + 0.5); };
    QRectF outer(QPointF(snap(cx - w / 2), snap(cy - h / 2)),
                 QPointF(snap(cx + w / 2 + 1), snap(cy + h / 2 + 1)));
    if (outer.isEmpty()) return;
    QRectF visible = outer;
    if (!ClipToSurface(surface, visible)) return;
    Painter p(surface);
    if (!p.Active()) return;
    double bw = Finite(s.BorderWidth) ? std::clamp(s.BorderWidth, 0.0, kLargestBorderWidth) : 0;
    bool border = s.Border > 0 && bw > 0;
    bw = std::min({bw, outer.width() / 2, outer.height() / 2});
    QRectF inner = border ? outer.adjusted(bw, bw, -bw, -bw) : outer;
    if (s.Fill > 0) {
        QRectF r = inner;
        if (ClipToSurface(surface, r)) p->fillRect(r, ToQColor(s.FillColor, s.Fill));
    }
    if (border) {
        QColor c = ToQColor(s.BorderColor, s.Border);
        QRectF strips[] = {
            QRectF(outer.left(), outer.top(), outer.width(), bw),
            QRectF(outer.left(), outer.bottom() - bw, outer.width(), bw),
            QRectF(outer.left(), outer.top() + bw, bw, outer.height() - 2 * bw),
            QRectF(outer.right() - bw, outer.top() + bw, bw, outer.height() - 2 * bw),
        };
        for (QRectF r : strips) {
            if (ClipToSurface(surface, r)) p->fillRect(r, c);
        }
    }
    surface.Damaged(visible.x(), visible.y(), visible.width(), visible.height());
}

void DrawCurveShape(Surface& surface, const CurveShape& c, double x, double y) {
    double x1 = c.X + x, y1 = c.Y + y, x2 = c.X2 + x, y2 = c.Y2 + y;
    for (double v : {x1, y1, x2, y2}) {
        if (!Finite(v)) return;
    }
    double bw = Finite(c.BorderWidth) ? std::clamp(c.BorderWidth, 0.0, kLargestBorderWidth) : 0;
    if (c.Border <= 0 || bw <= 0) return;
    QColor colour = ToQColor(c.BorderColor, c.Border);
    QRectF r;
    if (y1 == y2 || x1 == x2) {
        // Straight across or down: the pixels from one end to the other, both ends
        // included, bw thick.
        r = y1 == y2 ? QRectF(std::min(x1, x2), y1, std::fabs(x2 - x1) + 1, bw)
                     : QRectF(x1, std::min(y1, y2), bw, std::fabs(y2 - y1) + 1);
        if (!ClipToSurface(surface, r)) return;
        Painter p(surface);
        if (!p.Active()) return;
        p->fillRect(r, colour);
    } else {
        r = QRectF(QPointF(std::min(x1, x2) - bw, std::min(y1, y2) - bw),
                   QPointF(std::max(x1, x2) + bw + 1, std::max(y1, y2) + bw + 1));
        QRectF visible = r;
        if (!ClipToSurface(surface, visible)) return;
        if (r.width() > 100000 || r.height() > 100000) return;
        Painter p(surface);
        if (!p.Active()) return;
        p->setPen(QPen(colour, bw, Qt::SolidLine, Qt::FlatCap));
        p->drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
        r = visible;
    }
    surface.Damaged(r.x(), r.y(), r.width(), r.height());
}

void DrawStringShape(Surface& surface, Graphics& g, const StringShape& s, double x, double y) {
    if (s.Text.empty() || s.Fill <= 0) return;
    QFont font = MakeFont(s.TextFont, s.TextSize, s.Bold, s.Italic, s.Underline);
    QFontMetrics fm(font);
    QString text = QString::fromStdString(s.Text);
    double cx = s.X + x, baseline = s.Y + y;
    if (!Finite(cx) || !Finite(baseline)) return;
    double w = fm.horizontalAdvance(text);
    QRectF extent(cx - w / 2 - 2, baseline - fm.ascent() - 2, w + 4, fm.height() + 4);
    QRectF visible = extent;
    if (!ClipToSurface(surface, visible)) return;
    Painter p(surface);
    if (!p.Active()) return;
    p->setFont(font);
    p->setPen(ToQColor(s.FillColor, s.Fill));
    p->drawText(QPointF(cx - w / 2, baseline), text);
    (void)g;
    surface.Damaged(visible.x(), visible.y(), visible.width(), visible.height());
}

}  // namespace

void Graphics::DrawObject(const Object2D& shape, double x, double y) {
    if (auto* r = dynamic_cast<const RectShape*>(&shape)) {
        DrawRectShape(surface_, *r, x, y);
    } else if (auto* c = dynamic_cast<const CurveShape*>(&shape)) {
        DrawCurveShape(surface_, *c, x, y);
    } else if (auto* s = dynamic_cast<const StringShape*>(&shape)) {
        DrawStringShape(surface_, *this, *s, x, y);
    }
}

Color Graphics::Pixel(Integer x, Integer y) const {
    QImage* image = surface_.Image();
    if (!image || image->isNull()) return 0;
    double dpr = image->devicePixelRatio();
    long long px = static_cast<long long>(std::floor(x * dpr));
    long long py = static_cast<long long>(std::floor(y * dpr));
    if (px < 0 || py < 0 || px >= image->width() || py >= image->height()) return 0;
    QRgb v = image->pixel(static_cast<int>(px), static_cast<int>(py));
    return RGB(qRed(v), qGreen(v), qBlue(v));
}

// --- Picture ----------------------------------------------------------------

class Picture::PictureSurface : public Surface {
  public:
    PictureSurface(Integer w, Integer h, double dpr) : w_(w), h_(h), dpr_(dpr) {}
    QImage* Image() override {
        // Allocated on first use: a picture used only to measure text never
        // needs its pixels.
        if (image_.isNull() && w_ > 0 && h_ > 0) {
            image_ = QImage(static_cast<int>(std::ceil(w_ * dpr_)),
                            static_cast<int>(std::ceil(h_ * dpr_)), QImage::Format_RGB32);
            if (!image_.isNull()) {
                image_.setDevicePixelRatio(dpr_);
                image_.fill(Qt::white);
            }
        }
        return &image_;
    }
    Integer Width() const override { return w_; }
    Integer Height() const override { return h_; }
    void Damaged(double, double, double, double) override {}
    void Adopt(const QImage& image) { image_ = image; }

  private:
    Integer w_, h_;
    double dpr_;
    QImage image_;
};

Picture::Picture(Integer width, Integer height, double dpr)
    : width_(std::max<Integer>(width, 0)),
      height_(std::max<Integer>(height, 0)),
      surface_(std::make_unique<PictureSurface>(width_, height_, dpr)),
      graphics_(std::make_unique<fw::Graphics>(*surface_)) {}

Picture::~Picture() = default;

QImage& Picture::Image() {
    return *surface_->Image();
}
const QImage& Picture::Image() const {
    return *surface_->Image();
}
bool Picture::Valid() const {
    return width_ > 0 && height_ > 0 && !Image().isNull();
}

std::shared_ptr<Picture> Picture::FromImage(const QImage& image) {
    if (image.isNull()) return nullptr;
    auto pic = New<Picture>(static_cast<Integer>(image.width() / image.devicePixelRatio()),
                            static_cast<Integer>(image.height() / image.devicePixelRatio()),
                            image.devicePixelRatio());
    if (!pic) return nullptr;
    pic->surface_->Adopt(image.format() == QImage::Format_ARGB32_Premultiplied
                             ? image
                             : image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    return pic;
}

double ScreenPixelRatio() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    return app ? app->devicePixelRatio() : 1.0;
}

std::shared_ptr<Picture> NewPicture(Integer width, Integer height, Integer) {
    double dpr = ScreenPixelRatio();
    double w = std::max<Integer>(width, 0) * dpr, h = std::max<Integer>(height, 0) * dpr;
    if (w > kLargestPictureSide || h > kLargestPictureSide || w * h * 4 > kLargestPictureBytes) {
        return nullptr;
    }
    return New<Picture>(width, height, dpr);
}

}  // namespace fw
