#include "framework/Control.h"

#include <QApplication>
#include <QFontDatabase>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "framework/QtConvert.h"
#include "framework/Window.h"

namespace fw {

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

// --- Text style -------------------------------------------------------------

namespace {

bool IsDefaultFamily(const String& font) {
    return font.empty() || font == "System" || font == "system" || font == "Geneva";
}

}  // namespace

void SetTextStyle(Control& c, const String& font, double size, bool bold, bool italic,
                  bool underline) {
    QWidget* w = c.Widget();
    if (!w) return;
    QFont f = QApplication::font();
    if (!IsDefaultFamily(font)) {
        QString family = Q(font);
        // A font that is not installed leaves the default family.
        if (QFontDatabase::families().contains(family, Qt::CaseInsensitive)) f.setFamily(family);
    }
    // 0, negative and NaN keep the platform's size; a fraction of a pixel is one.
    if (std::isfinite(size) && size > 0) {
        f.setPixelSize(std::max(1, static_cast<int>(std::min<double>(size, kLargestTextSize))));
    }
    // A bevel button's caption style stays on whatever the font.
    f.setBold(bold || w->property("fwCaptionBold").toBool());
    f.setItalic(italic || w->property("fwCaptionItalic").toBool());
    f.setUnderline(underline || w->property("fwCaptionUnderline").toBool());
    w->setFont(f);
}

}  // namespace fw
