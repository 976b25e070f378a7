#include "framework/Drawing.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QRect>
#include <QRectF>
#include <QStaticText>
#include <QString>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "framework/DrawingPrivate.h"
#include "framework/QtConvert.h"

namespace fw {

namespace {

constexpr int kDefaultTextSize = 12;
constexpr double kLargestBorderWidth = 1000;

bool Finite(double v) {
    return std::isfinite(v);
}

// What the caches below are kept by: a font, a text and a wrap width (0 for
// none, -1 for an advance). Looked up by a view of the text, without copying it.
struct TextKey {
    int font;
    String text;
    int wrap;
};
struct TextView {
    int font;
    std::string_view text;
    int wrap;
};
TextView View(const TextKey& k) {
    return {k.font, k.text, k.wrap};
}
TextView View(const TextView& v) {
    return v;
}
struct TextKeyHash {
    using is_transparent = void;
    template <class K>
    std::size_t operator()(const K& k) const {
        TextView v = View(k);
        return std::hash<std::string_view>()(v.text) ^
               (static_cast<std::size_t>(v.font) * 0x9E3779B97F4A7C15ULL) ^
               static_cast<std::size_t>(v.wrap);
    }
};
struct TextKeyEqual {
    using is_transparent = void;
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
        TextView x = View(a), y = View(b);
        return x.font == y.font && x.wrap == y.wrap && x.text == y.text;
    }
};

// Measurements repeat a lot (every draw of a field measures its label), so they
// are kept by font and text. Cleared whole when it grows large.
std::unordered_map<TextKey, int, TextKeyHash, TextKeyEqual>& MeasureCache() {
    static std::unordered_map<TextKey, int, TextKeyHash, TextKeyEqual> cache;
    if (cache.size() > 20000) cache.clear();
    return cache;
}

// A label laid out once, drawn again at every repaint.
struct StaticEntry {
    QStaticText text;
    // The label drawn once on a transparent picture of its own, by density,
    // colour and the fraction of a device pixel it starts at; copied from then
    // on, which costs a fraction of laying out its glyphs again.
    struct Pixels {
        double dpr;
        QRgb colour;
        double phaseX, phaseY;  // the fraction of a device pixel
        QImage image;
        QPoint corner;  // of the image, from the device pixel the label starts in
    };
    std::vector<Pixels> pixels;
};

// The bytes the kept label pictures take; past the limit they are all dropped.
std::size_t labelBytes = 0;
constexpr std::size_t kLargestLabelBytes = 48u << 20;

// Labels are drawn again at every repaint: their layout is kept too, by font and
// text, and cleared whole when it grows large.
std::unordered_map<TextKey, std::shared_ptr<StaticEntry>, TextKeyHash, TextKeyEqual>&
StaticCache() {
    static std::unordered_map<TextKey, std::shared_ptr<StaticEntry>, TextKeyHash, TextKeyEqual>
        cache;
    if (cache.size() > 5000 || labelBytes > kLargestLabelBytes) {
        cache.clear();
        labelBytes = 0;
    }
    return cache;
}

// Where labels leave their pixels, by font and text; cleared whole when large.
std::unordered_map<TextKey, QRect, TextKeyHash, TextKeyEqual>& BoundsCache() {
    static std::unordered_map<TextKey, QRect, TextKeyHash, TextKeyEqual> cache;
    if (cache.size() > 20000) cache.clear();
    return cache;
}

// A text longer than this many bytes is measured and drawn in pieces of at
// most that length, each laid out on its own: the toolkit lays a text out
// whole, in memory many times its size, and a label read from a damaged file
// may run to megabytes. Only the pieces that reach the surface are drawn, so
// such a label costs one measuring, then no more than a short one.
constexpr std::size_t kTextPiece = 4096;

bool LongText(const String& text) {
    return text.size() > kTextPiece;
}

// The pieces of a long text (whole UTF-8 characters) and their advances.
struct TextPieces {
    std::vector<std::size_t> starts;  // byte offsets, with the text's end last
    std::vector<int> advances;
    long long width = 0;
};

const TextPieces& Pieces(int font, const QFontMetrics& fm, const String& text) {
    // Few and large: a key holds the whole text.
    static std::unordered_map<TextKey, TextPieces, TextKeyHash, TextKeyEqual> cache;
    TextKey key{font, text, 0};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    if (cache.size() >= 16) cache.clear();
    TextPieces pieces;
    for (std::size_t i = 0; i < text.size();) {
        pieces.starts.push_back(i);
        std::size_t end = std::min(text.size(), i + kTextPiece);
        // Back over continuation bytes, so no character is cut in two.
        while (end < text.size() && end > i + 1 &&
               (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            --end;
        }
        int w = fm.horizontalAdvance(Q(text.substr(i, end - i)));
        pieces.advances.push_back(w);
        pieces.width += w;
        i = end;
    }
    pieces.starts.push_back(text.size());
    return cache.emplace(std::move(key), std::move(pieces)).first->second;
}

int Saturated(long long v) {
    return static_cast<int>(std::clamp<long long>(v, 0, std::numeric_limits<int>::max()));
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
    // The exact ascent: a text drawn from its top lands its baseline where it
    // was asked for, at any pixel ratio, only from this far above it.
    double exactAscent;
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
    auto entry = std::make_shared<const FontEntry>(
        FontEntry{f, fm, ++lastId, fm.ascent(), fm.height(), QFontMetricsF(f).ascent()});
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
    labelBytes = 0;
    BoundsCache().clear();
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
    painterState = {};
    Changing();
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

// Where a drawing goes: the surface's pixels, through its open painter.
class Out {
  public:
    explicit Out(Surface& s) : surface_(s) {}

    // false when there are no pixels to draw on.
    bool Ready() {
        p_ = Painter(surface_);
        if (!p_) return false;
        dpr_ = p_->device() ? p_->device()->devicePixelRatio() : 1.0;
        return true;
    }
    double Ratio() const { return dpr_; }

    // Fills the device pixels of the page rectangle with the colour, over what
    // is there or, with source, in its place. A translucent fill is done in
    // bands of at most 64 device rows: the raster engine hands a blend of more
    // rows to its thread pool, whose start costs some tens of microseconds, far
    // more than blending a thin strip such as a side of the selection band.
    // Each pixel is blended once either way, so the pixels are the same.
    void Fill(const QRectF& r, const QColor& c, bool source = false) {
        QRect d = DeviceRect(r, dpr_);
        if (d.isEmpty()) return;
        InDevicePixels();
        if (source) p_->setCompositionMode(QPainter::CompositionMode_Source);
        if (c.alpha() == 255 || source) {
            p_->fillRect(d, c);
        } else {
            for (int y = d.top(); y <= d.bottom(); y += 64) {
                p_->fillRect(QRect(d.left(), y, d.width(), std::min(64, d.bottom() + 1 - y)), c);
            }
        }
        if (source) p_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    // Copies the image's device pixels from the source corner into the device
    // rectangle, one for one, over what is there.
    void Copy(const QRect& target, const QImage& image, const QPoint& source) {
        if (target.isEmpty()) return;
        InDevicePixels();
        // Rectangles on both sides: a corner alone would take the size from
        // the image's density.
        p_->drawImage(QRectF(target), image, QRectF(QRect(source, target.size())));
    }

    // Draws the source device rectangle of the image into the page rectangle,
    // scaled to fit.
    void Image(const QRectF& target, const QImage& image, const QRectF& source) {
        InPagePixels();
        p_->drawImage(target, image, source);
    }

    // A label with its top-left corner at the page point: its pixels drawn
    // once for its density, colour and the fraction of a device pixel it
    // starts at, then copied to the whole device pixel it starts in.
    void Label(const QPointF& at, StaticEntry& e, const FontEntry& f, const QColor& c) {
        double ox = at.x() * dpr_, oy = at.y() * dpr_;
        if (!Finite(ox) || !Finite(oy) || std::fabs(ox) > 1e8 || std::fabs(oy) > 1e8) return;
        // Page positions are whole and font metrics are 64ths of a pixel, so a
        // label starts at one of a few fractions, each exact.
        double ix = std::floor(ox), iy = std::floor(oy), fx = ox - ix, fy = oy - iy;
        const StaticEntry::Pixels* found = nullptr;
        for (const auto& k : e.pixels) {
            if (k.dpr == dpr_ && k.colour == c.rgba() && k.phaseX == fx && k.phaseY == fy) {
                found = &k;
                break;
            }
        }
        if (!found) found = Render(e, f, c, fx, fy);
        if (!found) {
            StaticText(at, e, f, c);
            return;
        }
        InDevicePixels();
        p_->drawImage(QPointF(ix + found->corner.x(), iy + found->corner.y()), found->image);
    }

    void StaticText(const QPointF& at, const StaticEntry& e, const FontEntry& f, const QColor& c) {
        InPagePixels();
        Set(f, c);
        p_->drawStaticText(at, e.text);
    }

    void Text(const QPointF& at, const QString& text, const FontEntry& f, const QColor& c) {
        InPagePixels();
        Set(f, c);
        p_->drawText(at, text);
    }

    void WrappedText(const QRectF& box, const QString& text, const FontEntry& f, const QColor& c) {
        InPagePixels();
        Set(f, c);
        p_->drawText(box, Qt::TextWordWrap, text);
    }

    void Line(const QPointF& from, const QPointF& to, const QPen& pen) {
        InPagePixels();
        p_->setPen(pen);
        surface_.painterState.penSet = false;
        p_->drawLine(from, to);
    }

  private:
    // The painter draws in page pixels, scaled to the density, or in device
    // pixels, for fills and copies that must land on whole device pixels; it
    // changes only when the kind of drawing does, which costs less than
    // changing it for every fill.
    void InDevicePixels() {
        if (surface_.painterState.inDevicePixels || dpr_ == 1) return;
        p_->setWorldTransform(QTransform::fromScale(1 / dpr_, 1 / dpr_));
        surface_.painterState.inDevicePixels = true;
    }
    void InPagePixels() {
        if (!surface_.painterState.inDevicePixels) return;
        p_->setWorldTransform(QTransform());
        surface_.painterState.inDevicePixels = false;
    }

    // Draws the label on a transparent picture with room for all its ink
    // (the glyphs' outlines and two page pixels more all round), starting at
    // the fraction (fx, fy) of a device pixel; nullptr when it cannot be had.
    const StaticEntry::Pixels* Render(StaticEntry& e, const FontEntry& f, const QColor& c,
                                      double fx, double fy) {
        QRect ink = f.metrics.boundingRect(e.text.text());
        if (ink.isEmpty()) return nullptr;
        const double m = 2;
        double top = f.exactAscent + ink.top() - m, bottom = f.exactAscent + ink.bottom() + 1 + m;
        int x0 = static_cast<int>(std::floor((ink.left() - m) * dpr_));
        int y0 = static_cast<int>(std::floor(top * dpr_));
        int x1 = static_cast<int>(std::ceil((ink.right() + 1 + m) * dpr_)) + 1;
        int y1 = static_cast<int>(std::ceil(bottom * dpr_)) + 1;
        if (static_cast<double>(x1 - x0) * (y1 - y0) > 4e6) return nullptr;
        QImage image(x1 - x0, y1 - y0, QImage::Format_ARGB32_Premultiplied);
        if (image.isNull()) return nullptr;
        image.fill(Qt::transparent);
        {
            QPainter q(&image);
            q.setTransform(QTransform(dpr_, 0, 0, dpr_, fx - x0, fy - y0));
            q.setFont(f.font);
            q.setPen(c);
            q.drawStaticText(QPointF(0, 0), e.text);
        }
        if (e.pixels.size() >= 8) e.pixels.clear();
        labelBytes += static_cast<std::size_t>(image.sizeInBytes());
        e.pixels.push_back({dpr_, c.rgba(), fx, fy, std::move(image), QPoint(x0, y0)});
        return &e.pixels.back();
    }

    void Set(const FontEntry& f, const QColor& c) {
        if (surface_.painterState.font != f.id) {
            p_->setFont(f.font);
            surface_.painterState.font = f.id;
        }
        if (!surface_.painterState.penSet || surface_.painterState.pen != c.rgba()) {
            p_->setPen(c);
            surface_.painterState.pen = c.rgba();
            surface_.painterState.penSet = true;
        }
    }

    Surface& surface_;
    QPainter* p_ = nullptr;
    double dpr_ = 1.0;
};

}  // namespace

struct Graphics::Impl {
    // The font last found for the text settings, looked up again when they change.
    String family;
    double size = -1;
    bool bold = false, italic = false, underline = false;
    std::shared_ptr<const FontEntry> entry;

    // The text measured or drawn last and what was found for it: a field
    // measures its label and then draws it, so the caches are asked once.
    struct Last {
        int font = 0;
        String text;
        int width = -1;
        int wrap = -1;
        int height = -1;
        std::shared_ptr<StaticEntry> drawn;
    } last;
    Last& For(int font, const String& text) {
        if (last.font != font || last.text != text) {
            last = Last{};
            last.font = font;
            last.text = text;
        }
        return last;
    }

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

void Graphics::ClearRect(double x, double y, double w, double h) {
    QRectF r(x, y, w, h);
    if (!ClipToSurface(surface_, r)) return;
    Out out(surface_);
    if (!out.Ready()) return;
    out.Fill(r, Qt::white, true);
    surface_.Damaged(r.x(), r.y(), r.width(), r.height());
}

void Graphics::FillRect(double x, double y, double w, double h) {
    QRectF r(x, y, w, h);
    if (!ClipToSurface(surface_, r)) return;
    Out out(surface_);
    if (!out.Ready()) return;
    out.Fill(r, ToQColor(ForeColor));
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
    Out out(surface_);
    if (!out.Ready()) return;
    double dpr = out.Ratio();
    if (scaleX == 1 && scaleY == 1) {
        // Page pixel for page pixel: the picture at this density, copied device
        // pixel for device pixel, so that copying a part of it gives the pixels
        // that copying it whole gives that part.
        const QImage& image = pic.ImageAt(dpr);
        QRect target = DeviceRect(clipped, dpr);
        QPoint shift(DeviceEdge(src.x(), dpr) - target.x(), DeviceEdge(src.y(), dpr) - target.y());
        QRect from = target.translated(shift).intersected(image.rect());
        out.Copy(from.translated(-shift), image, from.topLeft());
    } else {
        const QImage& image = pic.Image();
        double own = image.devicePixelRatio();
        out.Image(clipped, image,
                  QRectF(src.x() * own, src.y() * own, src.width() * own, src.height() * own));
    }
    surface_.Damaged(clipped.x(), clipped.y(), clipped.width(), clipped.height());
}

void Graphics::DrawString(const String& text, double x, double y, double wrapWidth) {
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
    Out out(surface_);
    if (!out.Ready()) return;
    QColor pen = ToQColor(ForeColor);
    if (wrap) {
        out.WrappedText(QRectF(x, y - entry.exactAscent, wrapAt, 1 << 20), Q(text), entry, pen);
    } else if (LongText(text)) {
        // The pieces that reach the surface, each where the ones before it end.
        const TextPieces& pieces = Pieces(entry.id, fm, text);
        double left = x, right = surface_.Width() + 8.0 + margin;
        for (std::size_t i = 0; i < pieces.advances.size() && left < right; ++i) {
            double w = pieces.advances[i];
            if (left + w > -8.0 - margin) {
                const std::size_t from = pieces.starts[i], to = pieces.starts[i + 1];
                out.Text(QPointF(left, y), Q(text.substr(from, to - from)), entry, pen);
            }
            left += w;
        }
    } else if (entry.font.underline()) {
        out.Text(QPointF(x, y), Q(text), entry, pen);
    } else {
        Impl::Last& last = impl_->For(entry.id, text);
        if (!last.drawn) {
            auto& cache = StaticCache();
            auto it = cache.find(TextView{entry.id, text, 0});
            if (it == cache.end()) {
                auto e = std::make_shared<StaticEntry>();
                e->text.setText(Q(text));
                e->text.setTextFormat(Qt::PlainText);
                e->text.setPerformanceHint(QStaticText::AggressiveCaching);
                it = cache.emplace(TextKey{entry.id, text, 0}, std::move(e)).first;
            }
            last.drawn = it->second;
        }
        out.Label(QPointF(x, y - entry.exactAscent), *last.drawn, entry, pen);
    }
    surface_.Damaged(visible.x(), visible.y(), visible.width(), visible.height());
}

Integer Graphics::StringWidth(const String& text) {
    const FontEntry& entry = impl_->Font(*this);
    Impl::Last& last = impl_->For(entry.id, text);
    if (last.width >= 0) return last.width;
    auto& cache = MeasureCache();
    auto it = cache.find(TextView{entry.id, text, -1});
    if (it != cache.end()) return last.width = it->second;
    int w = LongText(text) ? Saturated(Pieces(entry.id, entry.metrics, text).width)
                           : entry.metrics.horizontalAdvance(Q(text));
    cache.emplace(TextKey{entry.id, text, -1}, w);
    return last.width = w;
}

Integer Graphics::StringHeight(const String& text, double wrapWidth) {
    const FontEntry& entry = impl_->Font(*this);
    int wrap =
        (Finite(wrapWidth) && wrapWidth >= 1) ? static_cast<int>(std::min(wrapWidth, 100000.0)) : 0;
    Impl::Last& last = impl_->For(entry.id, text);
    if (last.wrap == wrap) return last.height;
    last.wrap = wrap;
    auto& cache = MeasureCache();
    auto it = cache.find(TextView{entry.id, text, wrap});
    if (it != cache.end()) return last.height = it->second;
    const QFontMetrics& fm = entry.metrics;
    int h = entry.height;
    if (wrap > 0 && LongText(text)) {
        // As many lines as its width fills: laying it out to wrap it would take
        // the memory the pieces save.
        long long lines = (Pieces(entry.id, fm, text).width + wrap - 1) / wrap;
        h = std::max(h, Saturated(std::max(1LL, lines) * fm.lineSpacing()));
    } else if (wrap > 0 && !text.empty()) {
        h = std::max(
            h, fm.boundingRect(QRect(0, 0, wrap, 1 << 20), Qt::TextWordWrap, Q(text)).height());
    }
    cache.emplace(TextKey{entry.id, text, wrap}, h);
    return last.height = h;
}

TextBounds Graphics::StringBounds(const String& text) {
    if (text.empty()) return {};
    const FontEntry& entry = impl_->Font(*this);
    auto& cache = BoundsCache();
    auto it = cache.find(TextView{entry.id, text, 0});
    if (it == cache.end()) {
        const QFontMetrics& fm = entry.metrics;
        // The glyphs' own outlines, which the advance and the line height need
        // not hold (italics lean out, accents and large descents stick out).
        QRect r;
        int advance = 0;
        if (LongText(text)) {
            // Laid out piece by piece: the first piece's outline, the last
            // one's where it is drawn, and the line between them.
            const TextPieces& p = Pieces(entry.id, fm, text);
            std::size_t n = p.advances.size();
            auto piece = [&](std::size_t i) {
                return fm.boundingRect(Q(text.substr(p.starts[i], p.starts[i + 1] - p.starts[i])));
            };
            advance = Saturated(p.width);
            r = piece(0) | piece(n - 1).translated(Saturated(p.width - p.advances[n - 1]), 0) |
                QRect(0, -fm.ascent(), advance, fm.height());
        } else {
            QString q = Q(text);
            r = fm.boundingRect(q);
            advance = fm.horizontalAdvance(q);
        }
        if (entry.font.underline()) {
            r |= QRect(0, fm.underlinePos(), std::max(1, advance), fm.lineWidth() + 1);
        }
        // A pixel more all round: the edges' anti-aliasing, and glyphs drawn at
        // another pixel ratio than the one measured.
        r.adjust(-1, -1, 1, 1);
        it = cache.emplace(TextKey{entry.id, text, 0}, r).first;
    }
    const QRect& r = it->second;
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
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
    Out out(surface);
    if (!out.Ready()) return;
    QColor border = ToQColor(s.BorderColor, s.Border);
    QColor inside = ToQColor(s.FillColor, s.Fill);
    if (2 * bw >= outer.width() || 2 * bw >= outer.height()) {
        // All border, no room inside.
        out.Fill(visible, border);
    } else if (bw > 0 && fill && border.alpha() == 255 && inside.alpha() == 255) {
        // Both opaque, as a field's frame is: the border's colour over the whole
        // frame and the fill over its inside leave the pixels that four border
        // strips around the fill would, in two fills instead of five.
        out.Fill(visible, border);
        QRectF r = outer.adjusted(bw, bw, -bw, -bw);
        if (ClipToSurface(surface, r)) out.Fill(r, inside);
    } else {
        if (fill) {
            QRectF r = outer.adjusted(bw, bw, -bw, -bw);
            if (ClipToSurface(surface, r)) out.Fill(r, inside);
        }
        if (bw > 0) {
            QRectF strips[] = {
                QRectF(outer.left(), outer.top(), outer.width(), bw),
                QRectF(outer.left(), outer.bottom() - bw, outer.width(), bw),
                QRectF(outer.left(), outer.top() + bw, bw, outer.height() - 2 * bw),
                QRectF(outer.right() - bw, outer.top() + bw, bw, outer.height() - 2 * bw),
            };
            for (QRectF r : strips) {
                if (ClipToSurface(surface, r)) out.Fill(r, border);
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
        Out out(surface);
        if (!out.Ready()) return;
        out.Fill(r, colour);
    } else {
        QRectF box(-bw - 8, -bw - 8, surface.Width() + 2 * bw + 16, surface.Height() + 2 * bw + 16);
        if (!ClipSegment(box, x1, y1, x2, y2)) return;
        r = QRectF(QPointF(std::min(x1, x2) - bw, std::min(y1, y2) - bw),
                   QPointF(std::max(x1, x2) + bw + 1, std::max(y1, y2) + bw + 1));
        if (!ClipToSurface(surface, r)) return;
        Out out(surface);
        if (!out.Ready()) return;
        out.Line(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5),
                 QPen(colour, bw, Qt::SolidLine, Qt::FlatCap));
    }
    surface.Damaged(r.x(), r.y(), r.width(), r.height());
}

void DrawStringShape(Surface& surface, const StringShape& s, double x, double y) {
    if (s.Text.empty() || s.Fill <= 0) return;
    auto entry = FindFont(s.TextFont, s.TextSize, s.Bold, s.Italic, s.Underline);
    const QFontMetrics& fm = entry->metrics;
    QString text = QString::fromStdString(s.Text);
    double cx = s.X + x, baseline = s.Y + y;
    if (!Finite(cx) || !Finite(baseline)) return;
    double w = fm.horizontalAdvance(text);
    QRectF extent(cx - w / 2 - 2, baseline - fm.ascent() - 2, w + 4, fm.height() + 4);
    QRectF visible = extent;
    if (!ClipToSurface(surface, visible)) return;
    Out out(surface);
    if (!out.Ready()) return;
    out.Text(QPointF(cx - w / 2, baseline), text, *entry, ToQColor(s.FillColor, s.Fill));
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
    // The first device pixel of the page pixel by the rule: the page pixel's
    // own, not one it shares with a neighbour.
    double dpr = image->devicePixelRatio();
    int px = DeviceEdge(x, dpr), py = DeviceEdge(y, dpr);
    if (px < 0 || py < 0 || px >= image->width() || py >= image->height()) return 0;
    QRgb v = image->pixel(px, py);
    return RGB(qRed(v), qGreen(v), qBlue(v));
}

// --- Picture ----------------------------------------------------------------

namespace {

// For each device pixel across n page pixels at density to, the device pixel
// at density from that stands at the same place in the same page pixel: a page
// pixel's pixels come from that page pixel only, in proportion, so that a
// picture made over at another density keeps its page pixels apart.
std::vector<int> Nearest(Integer n, double from, double to, int available) {
    std::vector<int> out;
    if (available <= 0) return out;
    out.reserve(static_cast<std::size_t>(std::max(0, DeviceEdge(n, to))));
    for (Integer x = 0; x < n; ++x) {
        int s0 = DeviceEdge(x, from), s1 = DeviceEdge(x + 1, from);
        int d0 = DeviceEdge(x, to), d1 = DeviceEdge(x + 1, to);
        long long ns = std::max(1, s1 - s0), nd = d1 - d0;
        for (long long j = 0; j < nd; ++j) {
            out.push_back(std::clamp(static_cast<int>(s0 + j * ns / nd), 0, available - 1));
        }
    }
    return out;
}

}  // namespace

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
        Changing();
    }
    bool HasPixels() { return !Pixels()->isNull(); }
    void Changing() override { scaled_ = QImage(); }

    // The pixels made over at another density, once until they change; the
    // pixels themselves when they are at that density already, or when a copy
    // at it cannot be had.
    const QImage& At(double dpr) {
        QImage* own = Image();
        if (own->isNull() || own->devicePixelRatio() == dpr) return *own;
        if (!scaled_.isNull() && scaled_.devicePixelRatio() == dpr) return scaled_;
        int w = DeviceEdge(w_, dpr), h = DeviceEdge(h_, dpr);
        if (w <= 0 || h <= 0 || static_cast<double>(w) * h * 4 > kLargestPictureBytes) return *own;
        double from = own->devicePixelRatio();
        std::vector<int> columns = Nearest(w_, from, dpr, own->width());
        std::vector<int> rows = Nearest(h_, from, dpr, own->height());
        QImage source = own->convertToFormat(QImage::Format_ARGB32_Premultiplied);
        scaled_ = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
        if (source.isNull() || scaled_.isNull() || static_cast<int>(columns.size()) != w ||
            static_cast<int>(rows.size()) != h) {
            scaled_ = QImage();
            return *own;
        }
        for (int y = 0; y < h; ++y) {
            auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(rows[y]));
            auto* out = reinterpret_cast<QRgb*>(scaled_.scanLine(y));
            for (int x = 0; x < w; ++x) out[x] = in[columns[x]];
        }
        scaled_.setDevicePixelRatio(dpr);
        return scaled_;
    }

  protected:
    QImage* Pixels() override {
        // Allocated on first use: a picture used only to measure text never
        // needs its pixels.
        if (image_.isNull() && w_ > 0 && h_ > 0) {
            image_ = QImage(DeviceEdge(w_, dpr_), DeviceEdge(h_, dpr_), QImage::Format_RGB32);
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
    QImage scaled_;
};

Picture::Picture(Integer width, Integer height, double dpr)
    : width_(std::max<Integer>(width, 0)),
      height_(std::max<Integer>(height, 0)),
      surface_(std::make_unique<PictureSurface>(width_, height_, dpr)),
      graphics_(std::make_unique<fw::Graphics>(*surface_)) {}

Picture::~Picture() = default;

QImage& Picture::Image() {
    // The caller may change the pixels.
    surface_->Changing();
    return *surface_->Image();
}
const QImage& Picture::ImageAt(double dpr) const {
    return surface_->At(dpr);
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
