#include "framework/Labels.h"

#include <QGroupBox>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "framework/QtConvert.h"

namespace fw {

namespace {

class StaticTextWidget : public QLabel {
  public:
    StaticTextWidget() {
        setTextFormat(Qt::PlainText);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setWordWrap(false);
        // A label takes no clicks: a press on it reaches what lies beneath, such as
        // a canvas the label is written over.
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    String text;
};

StaticTextWidget* Label(const Control* c) {
    return static_cast<StaticTextWidget*>(c->Widget());
}

}  // namespace

// --- StaticText -------------------------------------------------------------

StaticText::StaticText(Window& parent, String name, Integer left, Integer top, Integer width,
                       Integer height)
    : Control(parent, std::move(name), left, top, width, height) {
    Attach(new StaticTextWidget);
}

StaticText::~StaticText() = default;

String StaticText::Text() const {
    return Label(this)->text;
}

// CR, LF and CRLF all end a line.
void StaticText::SetText(const String& text) {
    StaticTextWidget* l = Label(this);
    l->text = text;
    QString shown = Q(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    l->setText(shown);
}

void StaticText::SetTextAlign(Integer align) {
    Qt::Alignment h = align == 1 ? Qt::AlignHCenter : (align == 2 ? Qt::AlignRight : Qt::AlignLeft);
    Label(this)->setAlignment(h | Qt::AlignTop);
}

// A multi-line text also wraps its long lines; a single line is cut at the edge.
void StaticText::SetMultiLine(bool v) {
    Label(this)->setWordWrap(v);
}

void StaticText::SetTextColor(Color c) {
    QWidget* w = Widget();
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, ToQColor(c));
    w->setPalette(p);
}

// --- GroupBox ---------------------------------------------------------------

namespace {

class GroupBoxWidget : public QGroupBox {
  public:
    GroupBoxWidget() {
        setFocusPolicy(Qt::NoFocus);
        // Only a frame: the controls drawn over it take the clicks.
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    String caption;
};

}  // namespace

GroupBox::GroupBox(Window& parent, String name, Integer left, Integer top, Integer width,
                   Integer height)
    : Control(parent, std::move(name), left, top, width, height) {
    Attach(new GroupBoxWidget);
    // Behind every control of the window, also those made before it: the controls
    // it frames are not its children.
    Widget()->lower();
}

GroupBox::~GroupBox() = default;

String GroupBox::Caption() const {
    return static_cast<GroupBoxWidget*>(Widget())->caption;
}

void GroupBox::SetCaption(const String& caption) {
    auto* g = static_cast<GroupBoxWidget*>(Widget());
    g->caption = caption;
    g->setTitle(Shown(caption));
}

// --- RectangleControl -------------------------------------------------------

namespace {

class RectangleWidget : public QWidget {
  public:
    QColor fill = Qt::white;
    QColor border = Qt::black;
    int borderWidth = 1;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        int w = width(), h = height();
        p.fillRect(0, 0, w, h, fill);
        int b = std::min({borderWidth, (w + 1) / 2, (h + 1) / 2});
        if (b <= 0) return;
        p.fillRect(0, 0, w, b, border);
        p.fillRect(0, h - b, w, b, border);
        p.fillRect(0, 0, b, h, border);
        p.fillRect(w - b, 0, b, h, border);
    }
};

RectangleWidget* Rect(const Control* c) {
    return static_cast<RectangleWidget*>(c->Widget());
}

}  // namespace

// Stacked in creation order, under the controls made after it.
RectangleControl::RectangleControl(Window& parent, String name, Integer left, Integer top,
                                   Integer width, Integer height)
    : Control(parent, std::move(name), left, top, width, height) {
    Attach(new RectangleWidget);
}

RectangleControl::~RectangleControl() = default;

void RectangleControl::SetFillColor(Color c) {
    Rect(this)->fill = ToQColor(c);
    Widget()->update();
}

void RectangleControl::SetBorderColor(Color c) {
    Rect(this)->border = ToQColor(c);
    Widget()->update();
}

void RectangleControl::SetBorderWidth(Integer w) {
    Rect(this)->borderWidth = std::max<Integer>(w, 0);
    Widget()->update();
}

}  // namespace fw
