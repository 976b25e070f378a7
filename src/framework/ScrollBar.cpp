#include "framework/ScrollBar.h"

#include <QScrollBar>

namespace fw {

namespace {

QScrollBar* Bar(const Control* c) {
    return static_cast<QScrollBar*>(c->Widget());
}

}  // namespace

// Vertical when higher than wide. Live: ValueChanged follows the thumb while it is
// dragged, and every arrow or page click; Qt reports no change for the same value,
// and clamps a value outside the range.
ScrollBar::ScrollBar(Window& parent, String name, Integer left, Integer top, Integer width,
                     Integer height)
    : Control(parent, std::move(name), left, top, width, height) {
    auto* bar = new QScrollBar(height > width ? Qt::Vertical : Qt::Horizontal);
    bar->setTracking(true);
    QObject::connect(bar, &QScrollBar::valueChanged, bar, [this] { ValueChanged(); });
    Attach(bar);
}

ScrollBar::~ScrollBar() = default;

Integer ScrollBar::Minimum() const {
    return Bar(this)->minimum();
}
void ScrollBar::SetMinimum(Integer v) {
    Bar(this)->setMinimum(v);
}
Integer ScrollBar::Maximum() const {
    return Bar(this)->maximum();
}
void ScrollBar::SetMaximum(Integer v) {
    Bar(this)->setMaximum(v);
}
Integer ScrollBar::Value() const {
    return Bar(this)->value();
}
void ScrollBar::SetValue(Integer v) {
    Bar(this)->setValue(v);
}
Integer ScrollBar::LineStep() const {
    return Bar(this)->singleStep();
}
void ScrollBar::SetLineStep(Integer v) {
    Bar(this)->setSingleStep(v);
}
Integer ScrollBar::PageStep() const {
    return Bar(this)->pageStep();
}
void ScrollBar::SetPageStep(Integer v) {
    Bar(this)->setPageStep(v);
}

}  // namespace fw
