#include "framework/Drawing.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QRect>
#include <QRectF>
#include <QStaticText>
#include <QString>
#include <QTextLayout>
#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <variant>
#include <vector>

#include "framework/Coverage.h"
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

// With the layout, for a batch and found when one first needs them (at the
// density they were found for; inkDpr 0 before): the page pixels the text
// touches, and its glyphs one by one, each with the pixels it may touch, so
// that a batch can leave out the glyphs that later fills hide. No glyphs when
// they cannot be told apart safely; the text is then drawn whole or not at all.
struct StaticEntry {
    QStaticText text;
    double inkDpr = 0;
    bool inkKnown = false;
    PixelBox ink;
    QGlyphRun run;
    std::vector<PixelBox> glyphs;
    // Runs of some of the glyphs, by the bits of the glyphs they hold: a label
    // under the same neighbours shows the same glyphs at every repaint.
    std::vector<std::pair<std::uint64_t, QGlyphRun>> some;
    const QGlyphRun& Some(std::uint64_t glyphs);
};

const QGlyphRun& StaticEntry::Some(std::uint64_t chosen) {
    for (const auto& [bits, r] : some) {
        if (bits == chosen) return r;
    }
    if (some.size() >= 16) some.clear();
    QList<quint32> indexes = run.glyphIndexes(), kept;
    QList<QPointF> positions = run.positions(), places;
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        if (!(chosen >> i & 1)) continue;
        kept.append(indexes[i]);
        places.append(positions[i]);
    }
    QGlyphRun r;
    r.setRawFont(run.rawFont());
    r.setGlyphIndexes(kept);
    r.setPositions(places);
    some.emplace_back(chosen, std::move(r));
    return some.back().second;
}
// Labels are drawn again at every repaint: their layout is kept too, by font and
// text, and cleared whole when it grows large.
std::unordered_map<TextKey, std::shared_ptr<StaticEntry>, TextKeyHash, TextKeyEqual>&
StaticCache() {
    static std::unordered_map<TextKey, std::shared_ptr<StaticEntry>, TextKeyHash, TextKeyEqual>
        cache;
    if (cache.size() > 5000) cache.clear();
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
    OpenSurfaces().insert(this);
    if (!closingRegistered && QCoreApplication::instance()) {
        qAddPostRoutine(CloseAll);
        closingRegistered = true;
    }
    return painter_.get();
}

void Surface::Flush() {
    if (holding_) holding_->EndBatch();
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

// Fills r with the colour over what is there. A translucent fill is done in
// bands of at most 64 device rows: the raster engine hands a blend of more rows
// to its thread pool, whose start costs some tens of microseconds, far more
// than blending a thin strip such as a side of the selection band. Each pixel
// is blended once either way, so the pixels are the same.
void FillBanded(QPainter* p, const QRectF& r, const QColor& c) {
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

// --- Drawings held back by a batch ------------------------------------------

struct HeldFill {
    QRectF rect;
    QColor colour;
    bool source;  // replaces what is there instead of drawing over it
};
// Texts carry their font's id, so that a run of texts in one font sets it once.
struct HeldStaticText {
    QPointF at;
    std::shared_ptr<StaticEntry> entry;
    QFont font;
    int fontId;
    QColor colour;
};
struct HeldText {
    QPointF at;
    QString text;
    QFont font;
    int fontId;
    QColor colour;
};
struct HeldWrappedText {
    QRectF box;
    QString text;
    QFont font;
    int fontId;
    QColor colour;
};
struct HeldImage {
    QRectF target;
    QImage image;
    QRectF source;
};
struct HeldLine {
    QPointF from, to;
    QPen pen;
};

// One drawing held back, with the page pixels it may touch (reach; when not
// known exactly it is always done whole) and those it leaves in one opaque
// colour whatever was under them (cover).
struct Held {
    std::variant<HeldFill, HeldStaticText, HeldText, HeldWrappedText, HeldImage, HeldLine> what;
    bool reachKnown = false;
    PixelBox reach;
    PixelBox cover;
    // Set when the batch ends: what of the reach shows under what comes after.
    enum class Shows { Whole, Part, Nothing } shows = Shows::Whole;
    PixelBox part;
    // A text that shows in part: the glyphs to draw, one bit each.
    std::uint64_t glyphs = 0;
};

struct Batch {
    bool on = false;
    std::vector<Held> held;
    Coverage coverage;
};

// Above this many page pixels the coverage is not kept, and a batch simply
// draws everything in order.
constexpr long long kLargestCoverage = 1LL << 24;
constexpr double kLayersWorthSweeping = 12;

// The whole pixels a rectangle touches.
PixelBox Outer(const QRectF& r) {
    return PixelBox{static_cast<long long>(std::floor(r.left())),
                    static_cast<long long>(std::floor(r.top())),
                    static_cast<long long>(std::ceil(r.right())),
                    static_cast<long long>(std::ceil(r.bottom()))};
}

bool WholeRatio(double dpr) {
    return dpr == std::floor(dpr);
}

// The page pixels an aliased fill of the rectangle leaves wholly in its colour:
// those it covers entirely. At a fractional density the device pixels on the
// edges are shared with the neighbours, so one page pixel less on each side.
PixelBox Inner(const QRectF& r, double dpr) {
    long long shrink = WholeRatio(dpr) ? 0 : 1;
    PixelBox b{static_cast<long long>(std::ceil(r.left())) + shrink,
               static_cast<long long>(std::ceil(r.top())) + shrink,
               static_cast<long long>(std::floor(r.right())) - shrink,
               static_cast<long long>(std::floor(r.bottom())) - shrink};
    return b.Empty() ? PixelBox{} : b;
}

// A part of the page, as the rectangle to cut a fill to. At a fractional
// density one page pixel more on each side, so that no device pixel of the
// part is left out.
QRectF CutTo(const PixelBox& b, double dpr) {
    double grow = WholeRatio(dpr) ? 0 : 1;
    return QRectF(static_cast<double>(b.left) - grow, static_cast<double>(b.top) - grow,
                  static_cast<double>(b.Width()) + 2 * grow,
                  static_cast<double>(b.Height()) + 2 * grow);
}

// The glyphs of a static text as one glyph run laid out the same way (a run of
// them draws the very pixels the static text does), each with the box its
// outline reports widened by two pixels and a tenth of the size all round, for
// anti-aliasing, hinting at other densities and emboldening. Kept only when the
// text is one run of at most 64 glyphs whose boxes hold all of its ink.
void FindGlyphs(StaticEntry& e, const QFont& font) {
    QTextLayout layout(e.text.text(), font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return;
    line.setPosition(QPointF(0, 0));
    QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() != 1) return;
    const QGlyphRun& run = runs.front();
    QList<quint32> indexes = run.glyphIndexes();
    QList<QPointF> positions = run.positions();
    if (indexes.isEmpty() || indexes.size() > 64 || positions.size() != indexes.size()) return;
    QRawFont raw = run.rawFont();
    double grow = 2 + raw.pixelSize() / 10;
    std::vector<PixelBox> glyphs;
    PixelBox all;
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        QRectF b = raw.boundingRect(indexes[i]).translated(positions[i]);
        if (!Finite(b.x()) || !Finite(b.y()) || !Finite(b.width()) || !Finite(b.height())) return;
        PixelBox g = Outer(b.adjusted(-grow, -grow, grow, grow));
        glyphs.push_back(g);
        all = all.Empty() ? g
                          : PixelBox{std::min(all.left, g.left), std::min(all.top, g.top),
                                     std::max(all.right, g.right), std::max(all.bottom, g.bottom)};
    }
    // The boxes must hold every pixel the text was seen to touch.
    if (!(e.ink.Empty() || e.ink.Intersected(all) == e.ink)) return;
    e.run = run;
    e.glyphs = std::move(glyphs);
}

// The page pixels a static text touches when drawn with its top-left corner at
// (0, 0): found by drawing it once, black on white, on a scratch picture of the
// kind and density it is drawn on, with a margin of a line height all round;
// then widened by a page pixel for other sub-pixel positions and for the
// faintest edges. Unknown when the ink reaches the margin's edge.
void FindInk(StaticEntry& e, const QFont& font, int lineHeight, double dpr) {
    e.inkDpr = dpr;
    e.inkKnown = false;
    e.glyphs.clear();
    e.some.clear();
    int m = lineHeight + 2;
    QSizeF size = e.text.size();
    double w = std::ceil((size.width() + 2 * m) * dpr),
           h = std::ceil((size.height() + 2 * m) * dpr);
    if (!(w > 0 && h > 0 && w * h <= 4e6)) return;
    QImage scratch(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
    if (scratch.isNull()) return;
    scratch.setDevicePixelRatio(dpr);
    scratch.fill(Qt::white);
    {
        QPainter q(&scratch);
        q.setFont(font);
        q.setPen(Qt::black);
        q.drawStaticText(QPointF(m, m), e.text);
    }
    int x0 = scratch.width(), y0 = scratch.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < scratch.height(); ++y) {
        auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFFFFFF) continue;
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
        }
    }
    if (x1 < 0) {  // nothing drawn: blanks only
        e.ink = PixelBox{};
        e.inkKnown = true;
        return;
    }
    if (x0 == 0 || y0 == 0 || x1 == scratch.width() - 1 || y1 == scratch.height() - 1) return;
    e.ink = PixelBox{static_cast<long long>(std::floor(x0 / dpr)) - m - 1,
                     static_cast<long long>(std::floor(y0 / dpr)) - m - 1,
                     static_cast<long long>(std::ceil((x1 + 1) / dpr)) - m + 1,
                     static_cast<long long>(std::ceil((y1 + 1) / dpr)) - m + 1};
    e.inkKnown = true;
    FindGlyphs(e, font);
}

// Where a drawing goes: straight onto the surface's pixels, or into the batch
// that holds them back.
class Out {
  public:
    Out(Surface& s, Batch& b) : surface_(s), batch_(b.on ? &b : nullptr) {}

    // false when there are no pixels to draw on.
    bool Ready() {
        QPainter* p = Painter(surface_);
        if (!p) return false;
        dpr_ = p->device() ? p->device()->devicePixelRatio() : 1.0;
        return true;
    }

    void Fill(const QRectF& r, const QColor& c, bool source = false) {
        if (batch_) {
            bool opaque = source || c.alpha() == 255;
            Hold(HeldFill{r, c, source}, true, Outer(r), opaque ? Inner(r, dpr_) : PixelBox{});
            return;
        }
        QPainter* p = Painter(surface_);
        if (!p) return;
        if (source) p->setCompositionMode(QPainter::CompositionMode_Source);
        FillBanded(p, r, c);
        if (source) p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    void StaticText(const QPointF& at, const std::shared_ptr<StaticEntry>& entry,
                    const FontEntry& f, const QColor& c) {
        StaticEntry& e = *entry;
        if (batch_) {
            if (e.inkDpr != dpr_) FindInk(e, f.font, f.height, dpr_);
            PixelBox reach;
            if (e.inkKnown && !e.ink.Empty() && Finite(at.x()) && Finite(at.y())) {
                auto dx = static_cast<long long>(std::floor(at.x()));
                auto dy = static_cast<long long>(std::floor(at.y()));
                bool whole = dx == at.x() && dy == at.y();
                // Off a whole pixel, one more each way.
                reach = PixelBox{e.ink.left + dx - !whole, e.ink.top + dy - !whole,
                                 e.ink.right + dx + 1, e.ink.bottom + dy + 1};
            }
            Hold(HeldStaticText{at, entry, f.font, f.id, c}, e.inkKnown, reach, PixelBox{});
            return;
        }
        QPainter* p = Painter(surface_);
        if (!p) return;
        p->setFont(f.font);
        p->setPen(c);
        p->drawStaticText(at, e.text);
    }

    void Text(const QPointF& at, const QString& text, const FontEntry& f, const QColor& c) {
        if (batch_) {
            Hold(HeldText{at, text, f.font, f.id, c}, false, PixelBox{}, PixelBox{});
            return;
        }
        QPainter* p = Painter(surface_);
        if (!p) return;
        p->setFont(f.font);
        p->setPen(c);
        p->drawText(at, text);
    }

    void WrappedText(const QRectF& box, const QString& text, const FontEntry& f, const QColor& c) {
        if (batch_) {
            Hold(HeldWrappedText{box, text, f.font, f.id, c}, false, PixelBox{}, PixelBox{});
            return;
        }
        QPainter* p = Painter(surface_);
        if (!p) return;
        p->setFont(f.font);
        p->setPen(c);
        p->drawText(box, Qt::TextWordWrap, text);
    }

    void Image(const QRectF& target, const QImage& image, const QRectF& source) {
        if (batch_) {
            Hold(HeldImage{target, image, source}, false, PixelBox{}, PixelBox{});
            return;
        }
        QPainter* p = Painter(surface_);
        if (p) p->drawImage(target, image, source);
    }

    void Line(const QPointF& from, const QPointF& to, const QPen& pen) {
        if (batch_) {
            Hold(HeldLine{from, to, pen}, false, PixelBox{}, PixelBox{});
            return;
        }
        QPainter* p = Painter(surface_);
        if (!p) return;
        p->setPen(pen);
        p->drawLine(from, to);
    }

  private:
    template <class T>
    void Hold(T&& what, bool known, const PixelBox& reach, const PixelBox& cover) {
        Held& h = batch_->held.emplace_back();
        h.what = std::forward<T>(what);
        h.reachKnown = known;
        h.reach = reach;
        h.cover = cover;
    }

    Surface& surface_;
    Batch* batch_;
    double dpr_ = 1.0;
};

// For a text that shows in part, the glyphs that show: those with a pixel that
// nothing drawn later covers. A text without glyphs of its own is drawn whole.
void ChooseGlyphs(Held& h, const HeldStaticText& t, const Coverage& coverage) {
    const StaticEntry& e = *t.entry;
    if (e.glyphs.empty()) {
        h.shows = Held::Shows::Whole;
        return;
    }
    auto dx = static_cast<long long>(std::floor(t.at.x()));
    auto dy = static_cast<long long>(std::floor(t.at.y()));
    long long off = dx == t.at.x() && dy == t.at.y() ? 0 : 1;
    h.glyphs = 0;
    for (std::size_t i = 0; i < e.glyphs.size(); ++i) {
        const PixelBox& g = e.glyphs[i];
        PixelBox at{g.left + dx - off, g.top + dy - off, g.right + dx + 1, g.bottom + dy + 1};
        // Only a glyph that reaches the part that shows can show.
        if (at.Intersected(h.part).Empty()) continue;
        if (coverage.AnyUncovered(at)) h.glyphs |= std::uint64_t{1} << i;
    }
    if (h.glyphs == 0) {
        h.shows = Held::Shows::Nothing;
    } else if (h.glyphs == (e.glyphs.size() == 64 ? ~std::uint64_t{0}
                                                  : (std::uint64_t{1} << e.glyphs.size()) - 1)) {
        h.shows = Held::Shows::Whole;
    }
}

// Decides, from the last drawing back to the first, what of each shows under
// those after it.
void Sweep(Batch& b, const PixelBox& page) {
    PixelBox area;
    for (const Held& h : b.held) {
        if (!h.reachKnown) continue;
        PixelBox r = h.reach.Intersected(page);
        if (r.Empty()) continue;
        area = area.Empty()
                   ? r
                   : PixelBox{std::min(area.left, r.left), std::min(area.top, r.top),
                              std::max(area.right, r.right), std::max(area.bottom, r.bottom)};
    }
    if (area.Empty() || area.Width() * area.Height() > kLargestCoverage) return;
    // How many layers deep the drawings lie on average. The sweep costs about
    // a tenth of a repaint; on the pages measured it paid from about twelve
    // layers on, where whole labels lie under later fields.
    double reached = 0;
    for (const Held& h : b.held) {
        if (!h.reachKnown) continue;
        PixelBox r = h.reach.Intersected(area);
        reached += static_cast<double>(r.Width()) * static_cast<double>(r.Height());
    }
    double layers =
        reached / (static_cast<double>(area.Width()) * static_cast<double>(area.Height()));
    if (layers < kLayersWorthSweeping) return;
    b.coverage.Reset(area);
    for (auto h = b.held.rbegin(); h != b.held.rend(); ++h) {
        if (h->reachKnown) {
            PixelBox r = h->reach.Intersected(area);
            PixelBox open = r.Empty() ? PixelBox{} : b.coverage.Uncovered(r);
            if (open.Empty()) {
                h->shows = Held::Shows::Nothing;
            } else if (!(open == r)) {
                h->shows = Held::Shows::Part;
                h->part = open;
                if (auto* t = std::get_if<HeldStaticText>(&h->what)) {
                    ChooseGlyphs(*h, *t, b.coverage);
                }
            }
        }
        if (!h->cover.Empty()) b.coverage.Cover(h->cover);
    }
}

// Does a held drawing, or what shows of it.
// The font and pen last set while a batch is done: a page's labels mostly share
// them, and setting them again costs more than comparing.
struct PenAndFont {
    int fontId = -1;
    QColor colour;
    bool penSet = false;
    void Set(QPainter* p, const QFont& font, int id, const QColor& c) {
        if (id != fontId) {
            p->setFont(font);
            fontId = id;
        }
        if (!penSet || c != colour) {
            p->setPen(c);
            colour = c;
            penSet = true;
        }
    }
};

void Perform(QPainter* p, const Held& h, double dpr, PenAndFont& set) {
    if (h.shows == Held::Shows::Nothing) return;
    bool part = h.shows == Held::Shows::Part;
    if (auto* f = std::get_if<HeldFill>(&h.what)) {
        QRectF r = part ? f->rect.intersected(CutTo(h.part, dpr)) : f->rect;
        if (r.isEmpty()) return;
        p->setCompositionMode(f->source ? QPainter::CompositionMode_Source
                                        : QPainter::CompositionMode_SourceOver);
        FillBanded(p, r, f->colour);
        return;
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (auto* t = std::get_if<HeldStaticText>(&h.what)) {
        set.Set(p, t->font, t->fontId, t->colour);
        if (!part) {
            p->drawStaticText(t->at, t->entry->text);
            return;
        }
        // Only the glyphs that show, in their order and places.
        p->drawGlyphRun(t->at, t->entry->Some(h.glyphs));
    } else if (auto* t = std::get_if<HeldText>(&h.what)) {
        set.Set(p, t->font, t->fontId, t->colour);
        p->drawText(t->at, t->text);
    } else if (auto* t = std::get_if<HeldWrappedText>(&h.what)) {
        set.Set(p, t->font, t->fontId, t->colour);
        p->drawText(t->box, Qt::TextWordWrap, t->text);
    } else if (auto* i = std::get_if<HeldImage>(&h.what)) {
        p->drawImage(i->target, i->image, i->source);
    } else if (auto* l = std::get_if<HeldLine>(&h.what)) {
        p->setPen(l->pen);
        set.penSet = false;
        p->drawLine(l->from, l->to);
    }
}

}  // namespace

struct Graphics::Impl {
    // The font last found for the text settings, looked up again when they change.
    String family;
    double size = -1;
    bool bold = false, italic = false, underline = false;
    std::shared_ptr<const FontEntry> entry;
    Batch batch;

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

// What a batch still holds is dropped: no one can see these pixels any more.
Graphics::~Graphics() {
    if (surface_.Holding() == this) surface_.Holding(nullptr);
}

void Graphics::BeginBatch() {
    impl_->batch.on = true;
    surface_.Holding(this);
}

void Graphics::EndBatch() {
    Batch& b = impl_->batch;
    if (!b.on) return;
    b.on = false;
    if (surface_.Holding() == this) surface_.Holding(nullptr);
    QPainter* p = Painter(surface_);
    if (p && !b.held.empty()) {
        double dpr = p->device() ? p->device()->devicePixelRatio() : 1.0;
        Sweep(b, PixelBox{0, 0, surface_.Width(), surface_.Height()});
        PenAndFont set;
        for (const Held& h : b.held) Perform(p, h, dpr, set);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    b.held.clear();
}

Integer Graphics::Width() const {
    return surface_.Width();
}
Integer Graphics::Height() const {
    return surface_.Height();
}

void Graphics::ClearRect(double x, double y, double w, double h) {
    QRectF r(x, y, w, h);
    if (!ClipToSurface(surface_, r)) return;
    Out out(surface_, impl_->batch);
    if (!out.Ready()) return;
    out.Fill(r, Qt::white, true);
    surface_.Damaged(r.x(), r.y(), r.width(), r.height());
}

void Graphics::FillRect(double x, double y, double w, double h) {
    QRectF r(x, y, w, h);
    if (!ClipToSurface(surface_, r)) return;
    Out out(surface_, impl_->batch);
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
    const QImage& image = pic.Image();
    double dpr = image.devicePixelRatio();
    QRectF srcDevice(src.x() * dpr, src.y() * dpr, src.width() * dpr, src.height() * dpr);
    Out out(surface_, impl_->batch);
    if (!out.Ready()) return;
    out.Image(clipped, image, srcDevice);
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
    Out out(surface_, impl_->batch);
    if (!out.Ready()) return;
    QColor pen = ToQColor(ForeColor);
    if (wrap) {
        out.WrappedText(QRectF(x, y - entry.ascent, wrapAt, 1 << 20), Q(text), entry, pen);
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
        out.StaticText(QPointF(x, y - entry.ascent), last.drawn, entry, pen);
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

void DrawRectShape(Surface& surface, Batch& batch, const RectShape& s, double x, double y) {
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
    Out out(surface, batch);
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

void DrawCurveShape(Surface& surface, Batch& batch, const CurveShape& c, double x, double y) {
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
        Out out(surface, batch);
        if (!out.Ready()) return;
        out.Fill(r, colour);
    } else {
        QRectF box(-bw - 8, -bw - 8, surface.Width() + 2 * bw + 16, surface.Height() + 2 * bw + 16);
        if (!ClipSegment(box, x1, y1, x2, y2)) return;
        r = QRectF(QPointF(std::min(x1, x2) - bw, std::min(y1, y2) - bw),
                   QPointF(std::max(x1, x2) + bw + 1, std::max(y1, y2) + bw + 1));
        if (!ClipToSurface(surface, r)) return;
        Out out(surface, batch);
        if (!out.Ready()) return;
        out.Line(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5),
                 QPen(colour, bw, Qt::SolidLine, Qt::FlatCap));
    }
    surface.Damaged(r.x(), r.y(), r.width(), r.height());
}

void DrawStringShape(Surface& surface, Batch& batch, const StringShape& s, double x, double y) {
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
    Out out(surface, batch);
    if (!out.Ready()) return;
    out.Text(QPointF(cx - w / 2, baseline), text, *entry, ToQColor(s.FillColor, s.Fill));
    surface.Damaged(visible.x(), visible.y(), visible.width(), visible.height());
}

}  // namespace

void Graphics::DrawObject(const Object2D& shape, double x, double y) {
    if (auto* r = dynamic_cast<const RectShape*>(&shape)) {
        DrawRectShape(surface_, impl_->batch, *r, x, y);
    } else if (auto* c = dynamic_cast<const CurveShape*>(&shape)) {
        DrawCurveShape(surface_, impl_->batch, *c, x, y);
    } else if (auto* s = dynamic_cast<const StringShape*>(&shape)) {
        DrawStringShape(surface_, impl_->batch, *s, x, y);
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
