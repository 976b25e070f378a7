#include "framework/Drawing.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QRectF>
#include <QStaticText>
#include <QString>
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

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

QString Q(const String& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Measurements repeat a lot (every draw of a field measures its label), so they
// are kept by font and text. Cleared whole when it grows large.
struct MeasureKey {
    int font;
    String text;
    int wrap;
    bool operator==(const MeasureKey&) const = default;
};
struct MeasureKeyHash {
    std::size_t operator()(const MeasureKey& k) const {
        return std::hash<String>()(k.text) ^
               (static_cast<std::size_t>(k.font) * 0x9E3779B97F4A7C15ULL) ^
               static_cast<std::size_t>(k.wrap);
    }
};
std::unordered_map<MeasureKey, int, MeasureKeyHash>& MeasureCache() {
    static std::unordered_map<MeasureKey, int, MeasureKeyHash> cache;
    if (cache.size() > 20000) cache.clear();
    return cache;
}

// Labels are drawn again at every repaint: their layout is kept too, by font and
// text, and cleared whole when it grows large.
struct StaticKey {
    int font;
    String text;
    bool operator==(const StaticKey&) const = default;
};
struct StaticKeyHash {
    std::size_t operator()(const StaticKey& k) const {
        return std::hash<String>()(k.text) ^
               (static_cast<std::size_t>(k.font) * 0x9E3779B97F4A7C15ULL);
    }
};
std::unordered_map<StaticKey, QStaticText, StaticKeyHash>& StaticCache() {
    static std::unordered_map<StaticKey, QStaticText, StaticKeyHash> cache;
    if (cache.size() > 5000) cache.clear();
    return cache;
}

int PixelSize(double size) {
    // 0, negative and NaN mean the default size; a fraction of a pixel is one pixel.
    int px = kDefaultTextSize;
    if (Finite(size) && size > 0) {
        px = std::max(1, static_cast<int>(std::min<double>(size, kLargestTextSize)));
    }
    return px;
}

// Fonts and their metrics, made once per set of text settings: a page switches
// between a handful of them from field to field. The id stands for the font in
// the caches above and is never given twice.
struct FontEntry {
    QFont font;
    QFontMetrics metrics;
    int id;
    // Asked for at every label; the metrics look them up anew each time.
    int ascent;
    int height;
};
struct FontSpec {
    String family;
    int px;
    bool bold, italic, underline;
    bool operator==(const FontSpec&) const = default;
};
struct FontSpecHash {
    std::size_t operator()(const FontSpec& k) const {
        return std::hash<String>()(k.family) ^ (static_cast<std::size_t>(k.px) << 3) ^
               (k.bold ? 1u : 0u) ^ (k.italic ? 2u : 0u) ^ (k.underline ? 4u : 0u);
    }
};
std::unordered_map<FontSpec, std::shared_ptr<const FontEntry>, FontSpecHash>& FontCache() {
    static std::unordered_map<FontSpec, std::shared_ptr<const FontEntry>, FontSpecHash> cache;
    return cache;
}

QFont MakeFontPx(const String& family, int px, bool bold, bool italic, bool underline) {
    QFont f;
    if (!family.empty()) f.setFamily(QString::fromStdString(family));
    f.setPixelSize(px);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    return f;
}

std::shared_ptr<const FontEntry> FindFont(const String& family, double size, bool bold, bool italic,
                                          bool underline) {
    static int lastId = 0;
    auto& cache = FontCache();
    FontSpec spec{family, PixelSize(size), bold, italic, underline};
    auto it = cache.find(spec);
    if (it != cache.end()) return it->second;
    if (cache.size() > 500) cache.clear();
    QFont f = MakeFontPx(family, spec.px, bold, italic, underline);
    QFontMetrics fm(f);
    auto entry =
        std::make_shared<const FontEntry>(FontEntry{f, fm, ++lastId, fm.ascent(), fm.height()});
    cache.emplace(std::move(spec), entry);
    return entry;
}

}  // namespace

QFont MakeFont(const String& family, double size, bool bold, bool italic, bool underline) {
    return MakeFontPx(family, PixelSize(size), bold, italic, underline);
}

// --- Surface ----------------------------------------------------------------

namespace {

// Surfaces with a painter open. Qt's font and paint machinery must not outlive
// the application, so its end closes them and drops the fonts kept above.
// Never freed, so that surfaces destroyed late at exit still find it.
std::unordered_set<Surface*>& OpenSurfaces() {
    static auto* open = new std::unordered_set<Surface*>;
    return *open;
}
bool closingRegistered = false;

void CloseAll() {
    auto open = OpenSurfaces();
    for (Surface* s : open) s->Flush();
    FontCache().clear();
    StaticCache().clear();
    closingRegistered = false;
}

}  // namespace

Surface::Surface() = default;

// Subclasses flush before their pixels go: a painter must not end on freed pixels.
Surface::~Surface() = default;

QImage* Surface::Image() {
    Flush();
    return Pixels();
}

QPainter* Surface::Painter() {
    if (painter_ && painter_->isActive()) return painter_.get();
    QImage* image = Pixels();
    if (!image || image->isNull()) return nullptr;
    if (!painter_) painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(image)) return nullptr;
    OpenSurfaces().insert(this);
    if (!closingRegistered && QCoreApplication::instance()) {
        qAddPostRoutine(CloseAll);
        closingRegistered = true;
    }
    return painter_.get();
}

void Surface::Flush() {
    if (painter_ && painter_->isActive()) {
        painter_->end();
        OpenSurfaces().erase(this);
    }
}

// --- Graphics ---------------------------------------------------------------

struct Graphics::Impl {
    // The font last found for the text settings, looked up again when they change.
    String family;
    double size = -1;
    bool bold = false, italic = false, underline = false;
    std::shared_ptr<const FontEntry> entry;

    const FontEntry& Font(const Graphics& g) {
        if (!entry || family != g.TextFont || size != g.TextSize || bold != g.Bold ||
            italic != g.Italic || underline != g.Underline) {
            family = g.TextFont;
            size = g.TextSize;
            bold = g.Bold;
            italic = g.Italic;
            underline = g.Underline;
            entry = FindFont(family, size, bold, italic, underline);
        }
        return *entry;
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

// The surface's open painter, set for plain drawing over what is there; nullptr
// when there is nothing to draw on. Each drawing sets the pen and font it uses.
QPainter* Painter(Surface& s) {
    QPainter* p = s.Painter();
    if (p) p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return p;
}

// Fills r with the colour over what is there. A translucent fill is done in
// bands of at most 64 device rows: the raster engine hands a blend of more rows
// to its thread pool, whose start costs some tens of microseconds, far more
// than blending a thin strip such as a side of the selection band. Each pixel
// is blended once either way, so the pixels are the same.
void Fill(QPainter* p, const QRectF& r, const QColor& c) {
    double dpr = p->device() ? p->device()->devicePixelRatio() : 1.0;
    double band = std::max(1.0, std::floor(64 / dpr));
    if (c.alpha() == 255 || r.height() <= band) {
        p->fillRect(r, c);
        return;
    }
    for (double y = r.top(); y < r.bottom(); y += band) {
        p->fillRect(QRectF(r.left(), y, r.width(), std::min(band, r.bottom() - y)), c);
    }
}

}  // namespace

void Graphics::ClearRect(double x, double y, double w, double h) {
    QRectF r(x, y, w, h);
    if (!ClipToSurface(surface_, r)) return;
    QPainter* p = Painter(surface_);
    if (!p) return;
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->fillRect(r, Qt::white);
    surface_.Damaged(r.x(), r.y(), r.width(), r.height());
}

void Graphics::FillRect(double x, double y, double w, double h) {
    QRectF r(x, y, w, h);
    if (!ClipToSurface(surface_, r)) return;
    QPainter* p = Painter(surface_);
    if (!p) return;
    Fill(p, r, ToQColor(ForeColor));
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
    QPainter* p = Painter(surface_);
    if (!p) return;
    p->drawImage(clipped, image, srcDevice);
    surface_.Damaged(clipped.x(), clipped.y(), clipped.width(), clipped.height());
}

void Graphics::DrawString(const String& text, double x, double y, double wrapWidth, bool) {
    if (!Finite(x) || !Finite(y) || text.empty()) return;
    const FontEntry& entry = impl_->Font(*this);
    const QFontMetrics& fm = entry.metrics;
    QRectF extent;
    bool wrap = Finite(wrapWidth) && wrapWidth >= 1;
    int wrapAt = wrap ? static_cast<int>(std::min(wrapWidth, 100000.0)) : 0;
    // The damaged area reaches a line height beyond the advance on either side,
    // for italic overhang and glyphs that stick out of their cell.
    int margin = entry.height;
    if (wrap) {
        QRect r = fm.boundingRect(QRect(0, 0, wrapAt, 1 << 20), Qt::TextWordWrap, Q(text));
        extent =
            QRectF(x - margin, y - entry.ascent - 2, r.width() + 2.0 * margin, r.height() + 4.0);
    } else {
        extent = QRectF(x - margin, y - entry.ascent - 2, StringWidth(text) + 2.0 * margin,
                        entry.height + 4.0);
    }
    QRectF visible = extent;
    if (!ClipToSurface(surface_, visible)) return;
    QPainter* p = Painter(surface_);
    if (!p) return;
    p->setFont(entry.font);
    p->setPen(ToQColor(ForeColor));
    if (wrap) {
        p->drawText(QRectF(x, y - entry.ascent, wrapAt, 1 << 20), Qt::TextWordWrap, Q(text));
    } else if (entry.font.underline()) {
        p->drawText(QPointF(x, y), Q(text));
    } else {
        auto& cache = StaticCache();
        StaticKey key{entry.id, text};
        auto it = cache.find(key);
        if (it == cache.end()) {
            QStaticText st(Q(text));
            st.setTextFormat(Qt::PlainText);
            st.setPerformanceHint(QStaticText::AggressiveCaching);
            it = cache.emplace(std::move(key), std::move(st)).first;
        }
        p->drawStaticText(QPointF(x, y - entry.ascent), it->second);
    }
    surface_.Damaged(visible.x(), visible.y(), visible.width(), visible.height());
}

Integer Graphics::StringWidth(const String& text) {
    const FontEntry& entry = impl_->Font(*this);
    MeasureKey key{entry.id, text, -1};
    auto& cache = MeasureCache();
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    int w = entry.metrics.horizontalAdvance(Q(text));
    cache.emplace(std::move(key), w);
    return w;
}

Integer Graphics::StringHeight(const String& text, double wrapWidth) {
    const FontEntry& entry = impl_->Font(*this);
    int wrap =
        (Finite(wrapWidth) && wrapWidth >= 1) ? static_cast<int>(std::min(wrapWidth, 100000.0)) : 0;
    MeasureKey key{entry.id, text, wrap};
    auto& cache = MeasureCache();
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    const QFontMetrics& fm = entry.metrics;
    int h = entry.height;
    if (wrap > 0 && !text.empty()) {
        h = std::max(
            h, fm.boundingRect(QRect(0, 0, wrap, 1 << 20), Qt::TextWordWrap, Q(text)).height());
    }
    cache.emplace(std::move(key), h);
    return h;
}

namespace {

// Shapes work in whole pixels, so frames and lines stay crisp at any pixel ratio.
// Coordinates are first brought within a range where sums stay finite.
constexpr double kFarAway = 1e7;
double Near(double v) {
    return std::clamp(v, -kFarAway, kFarAway);
}

// The nearest whole pixel; a tie goes the way the size points. A frame whose
// centre was found by truncating half an odd size toward its anchor lands back
// on that anchor: the far edge moves by the half pixel instead.
double Snap(double v, bool forward) {
    return forward ? std::floor(v + 0.5) : std::ceil(v - 0.5);
}

// Border widths in whole pixels; anything above 0 is at least one pixel.
double PixelWidth(double bw) {
    if (!Finite(bw) || bw <= 0) return 0;
    return std::max(1.0, std::round(std::min(bw, kLargestBorderWidth)));
}

void DrawRectShape(Surface& surface, const RectShape& s, double x, double y) {
    double w = std::fabs(s.Width), h = std::fabs(s.Height);
    double cx = s.X + x, cy = s.Y + y;
    if (!Finite(w) || !Finite(h) || !Finite(cx) || !Finite(cy)) return;
    // The frame covers the outline's far edge too: w + 1 by h + 1 pixels.
    double left = Near(Snap(cx - w / 2, !(s.Width < 0)));
    double right = Near(Snap(cx + w / 2, !(s.Width < 0)));
    double top = Near(Snap(cy - h / 2, !(s.Height < 0)));
    double bottom = Near(Snap(cy + h / 2, !(s.Height < 0)));
    QRectF outer(left, top, right - left + 1, bottom - top + 1);
    QRectF visible = outer;
    if (!ClipToSurface(surface, visible)) return;
    double bw = s.Border > 0 ? PixelWidth(s.BorderWidth) : 0;
    bool fill = s.Fill > 0;
    if (!fill && bw == 0) return;
    QPainter* p = Painter(surface);
    if (!p) return;
    QColor border = ToQColor(s.BorderColor, s.Border);
    QColor inside = ToQColor(s.FillColor, s.Fill);
    if (2 * bw >= outer.width() || 2 * bw >= outer.height()) {
        // All border, no room inside.
        Fill(p, visible, border);
    } else if (bw > 0 && fill && border.alpha() == 255 && inside.alpha() == 255) {
        // Both opaque, as a field's frame is: the border's colour over the whole
        // frame and the fill over its inside leave the pixels that four border
        // strips around the fill would, in two fills instead of five.
        p->fillRect(visible, border);
        QRectF r = outer.adjusted(bw, bw, -bw, -bw);
        if (ClipToSurface(surface, r)) p->fillRect(r, inside);
    } else {
        if (fill) {
            QRectF r = outer.adjusted(bw, bw, -bw, -bw);
            if (ClipToSurface(surface, r)) Fill(p, r, inside);
        }
        if (bw > 0) {
            QRectF strips[] = {
                QRectF(outer.left(), outer.top(), outer.width(), bw),
                QRectF(outer.left(), outer.bottom() - bw, outer.width(), bw),
                QRectF(outer.left(), outer.top() + bw, bw, outer.height() - 2 * bw),
                QRectF(outer.right() - bw, outer.top() + bw, bw, outer.height() - 2 * bw),
            };
            for (QRectF r : strips) {
                if (ClipToSurface(surface, r)) Fill(p, r, border);
            }
        }
    }
    surface.Damaged(visible.x(), visible.y(), visible.width(), visible.height());
}

// Cuts the segment to the rectangle (Liang-Barsky); false when nothing is left.
bool ClipSegment(const QRectF& box, double& x1, double& y1, double& x2, double& y2) {
    double t0 = 0, t1 = 1, dx = x2 - x1, dy = y2 - y1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {x1 - box.left(), box.right() - x1, y1 - box.top(), box.bottom() - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
    }
    double ox = x1, oy = y1;
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
    x2 = ox + t1 * dx;
    y2 = oy + t1 * dy;
    return true;
}

void DrawCurveShape(Surface& surface, const CurveShape& c, double x, double y) {
    double x1 = c.X + x, y1 = c.Y + y, x2 = c.X2 + x, y2 = c.Y2 + y;
    for (double v : {x1, y1, x2, y2}) {
        if (!Finite(v)) return;
    }
    x1 = Near(x1), y1 = Near(y1), x2 = Near(x2), y2 = Near(y2);
    double bw = c.Border > 0 ? PixelWidth(c.BorderWidth) : 0;
    if (bw == 0) return;
    QColor colour = ToQColor(c.BorderColor, c.Border);
    QRectF r;
    if (y1 == y2 || x1 == x2) {
        // Straight across or down: the pixels from one end to the other, both ends
        // included, bw thick below or right of the line.
        double ax = std::floor(std::min(x1, x2)), bx = std::floor(std::max(x1, x2));
        double ay = std::floor(std::min(y1, y2)), by = std::floor(std::max(y1, y2));
        r = y1 == y2 ? QRectF(ax, ay, bx - ax + 1, bw) : QRectF(ax, ay, bw, by - ay + 1);
        if (!ClipToSurface(surface, r)) return;
        QPainter* p = Painter(surface);
        if (!p) return;
        Fill(p, r, colour);
    } else {
        QRectF box(-bw - 8, -bw - 8, surface.Width() + 2 * bw + 16, surface.Height() + 2 * bw + 16);
        if (!ClipSegment(box, x1, y1, x2, y2)) return;
        r = QRectF(QPointF(std::min(x1, x2) - bw, std::min(y1, y2) - bw),
                   QPointF(std::max(x1, x2) + bw + 1, std::max(y1, y2) + bw + 1));
        if (!ClipToSurface(surface, r)) return;
        QPainter* p = Painter(surface);
        if (!p) return;
        p->setPen(QPen(colour, bw, Qt::SolidLine, Qt::FlatCap));
        p->drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
    }
    surface.Damaged(r.x(), r.y(), r.width(), r.height());
}

void DrawStringShape(Surface& surface, const StringShape& s, double x, double y) {
    if (s.Text.empty() || s.Fill <= 0) return;
    auto entry = FindFont(s.TextFont, s.TextSize, s.Bold, s.Italic, s.Underline);
    const QFont& font = entry->font;
    const QFontMetrics& fm = entry->metrics;
    QString text = QString::fromStdString(s.Text);
    double cx = s.X + x, baseline = s.Y + y;
    if (!Finite(cx) || !Finite(baseline)) return;
    double w = fm.horizontalAdvance(text);
    QRectF extent(cx - w / 2 - 2, baseline - fm.ascent() - 2, w + 4, fm.height() + 4);
    QRectF visible = extent;
    if (!ClipToSurface(surface, visible)) return;
    QPainter* p = Painter(surface);
    if (!p) return;
    p->setFont(font);
    p->setPen(ToQColor(s.FillColor, s.Fill));
    p->drawText(QPointF(cx - w / 2, baseline), text);
    surface.Damaged(visible.x(), visible.y(), visible.width(), visible.height());
}

}  // namespace

void Graphics::DrawObject(const Object2D& shape, double x, double y) {
    if (auto* r = dynamic_cast<const RectShape*>(&shape)) {
        DrawRectShape(surface_, *r, x, y);
    } else if (auto* c = dynamic_cast<const CurveShape*>(&shape)) {
        DrawCurveShape(surface_, *c, x, y);
    } else if (auto* s = dynamic_cast<const StringShape*>(&shape)) {
        DrawStringShape(surface_, *s, x, y);
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
    ~PictureSurface() override { Flush(); }
    Integer Width() const override { return w_; }
    Integer Height() const override { return h_; }
    void Damaged(double, double, double, double) override {}
    void Adopt(const QImage& image) {
        Flush();
        image_ = image;
    }
    bool HasPixels() { return !Pixels()->isNull(); }

  protected:
    QImage* Pixels() override {
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
    // Asks without closing the painter: drawing may go on.
    return width_ > 0 && height_ > 0 && surface_->HasPixels();
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
