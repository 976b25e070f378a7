#include "framework/Buttons.h"

#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QToolButton>
#include <algorithm>
#include <vector>

#include "framework/QtConvert.h"
#include "framework/Window.h"

namespace fw {

namespace {

bool IsReturn(const QKeyEvent* k) {
    return (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
           (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool IsEscape(const QKeyEvent* k) {
    return k->key() == Qt::Key_Escape && k->modifiers() == Qt::NoModifier;
}

class PushButtonWidget : public QPushButton {
  public:
    String caption;
    bool cancel = false;
};

// Watches the button's top-level window: Return and Escape that no control inside
// took press the Default or the Cancel button, in every kind of window. A dialog
// would close itself on Escape; the watcher sees the key first.
class KeyWatcher : public QObject {
  public:
    explicit KeyWatcher(PushButtonWidget* b) : QObject(b), button_(b) {}

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return QObject::eventFilter(o, e);
        auto* k = static_cast<QKeyEvent*>(e);
        bool mine = (IsReturn(k) && button_->isDefault()) || (IsEscape(k) && button_->cancel);
        if (!mine || !button_->isVisible() || !button_->isEnabled()) return false;
        k->accept();
        button_->click();
        return true;
    }

  private:
    PushButtonWidget* button_;
};

}  // namespace

// --- PushButton -------------------------------------------------------------

PushButton::PushButton(Window& parent, String name, Integer left, Integer top, Integer width,
                       Integer height)
    : Control(parent, std::move(name), left, top, width, height) {
    auto* b = new PushButtonWidget;
    // Return goes to the Default button only, not to whichever button has focus.
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, b, [this] { Action(); });
    Attach(b);
    parent.Widget()->installEventFilter(new KeyWatcher(b));
}

PushButton::~PushButton() = default;

String PushButton::Caption() const {
    return static_cast<PushButtonWidget*>(Widget())->caption;
}

void PushButton::SetCaption(const String& caption) {
    auto* b = static_cast<PushButtonWidget*>(Widget());
    b->caption = caption;
    b->setText(Shown(caption));
}

bool PushButton::Default() const {
    return static_cast<QPushButton*>(Widget())->isDefault();
}

void PushButton::SetDefault(bool v) {
    static_cast<QPushButton*>(Widget())->setDefault(v);
}

bool PushButton::Cancel() const {
    return static_cast<PushButtonWidget*>(Widget())->cancel;
}

void PushButton::SetCancel(bool v) {
    static_cast<PushButtonWidget*>(Widget())->cancel = v;
}

// A disabled button ignores the press, as it ignores a click.
void PushButton::Push() {
    static_cast<QPushButton*>(Widget())->click();
}

// --- RadioButton ------------------------------------------------------------

namespace {

class RadioButtonWidget : public QRadioButton {
  public:
    String caption;
};

}  // namespace

// Siblings in the window's content area, the radio buttons of a window exclude
// each other.
RadioButton::RadioButton(Window& parent, String name, Integer left, Integer top, Integer width,
                         Integer height)
    : Control(parent, std::move(name), left, top, width, height) {
    Attach(new RadioButtonWidget);
}

RadioButton::~RadioButton() = default;

String RadioButton::Caption() const {
    return static_cast<RadioButtonWidget*>(Widget())->caption;
}

void RadioButton::SetCaption(const String& caption) {
    auto* r = static_cast<RadioButtonWidget*>(Widget());
    r->caption = caption;
    r->setText(Shown(caption));
}

bool RadioButton::Value() const {
    return static_cast<QRadioButton*>(Widget())->isChecked();
}

void RadioButton::SetValue(bool v) {
    auto* r = static_cast<QRadioButton*>(Widget());
    if (v) {
        r->setChecked(true);
        return;
    }
    // Qt keeps the one checked button of an exclusive set checked; code may clear it.
    r->setAutoExclusive(false);
    r->setChecked(false);
    r->setAutoExclusive(true);
}

// --- BevelButton ------------------------------------------------------------

namespace {

class BevelButtonWidget : public QToolButton {
  public:
    explicit BevelButtonWidget(BevelButton* owner) : owner_(owner) {
        setFocusPolicy(Qt::NoFocus);
        connect(this, &QToolButton::clicked, this, [this] {
            // With a menu, only the choice of a row is an action.
            if (!menu) owner_->Action();
        });
    }

    String caption;
    bool hasIcon = false;
    QMenu* menu = nullptr;
    std::vector<String> rows;
    Integer menuValue = -1;

    void ShowCaption() {
        setText(Shown(caption));
        if (!hasIcon) {
            setToolButtonStyle(Qt::ToolButtonTextOnly);
        } else {
            setToolButtonStyle(caption.empty() ? Qt::ToolButtonIconOnly
                                               : Qt::ToolButtonTextBesideIcon);
        }
    }

    void Choose(Integer row) {
        menuValue = row;
        owner_->Action();
    }

  protected:
    // A pressed toggle shows sunken, plainly told from a released one at any
    // pixel ratio: a darker face, a dark rim, a shadow inside along its top and
    // left edges, and its caption or picture one pixel down and right. The
    // style's own pressed face is barely darker than its released one.
    void paintEvent(QPaintEvent* e) override {
        if (!isCheckable() || !(isChecked() || isDown())) {
            QToolButton::paintEvent(e);
            return;
        }
        const QColor face = isEnabled() ? QColor(0x9D, 0xAA, 0xBB) : QColor(0xC4, 0xCA, 0xD2);
        const QColor rim(0x3F, 0x48, 0x54), shadow(0x6B, 0x77, 0x87);
        QStylePainter p(this);
        QRect r = rect();
        p.fillRect(r, face);
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), rim);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), rim);
        p.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), rim);
        p.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), rim);
        p.fillRect(QRect(r.left() + 1, r.top() + 1, r.width() - 2, 1), shadow);
        p.fillRect(QRect(r.left() + 1, r.top() + 2, 1, r.height() - 3), shadow);
        QStyleOptionToolButton opt;
        initStyleOption(&opt);
        // The shift is ours; the style would add its own for these states.
        opt.state &= ~(QStyle::State_Sunken | QStyle::State_On | QStyle::State_MouseOver);
        opt.rect = r.translated(1, 1);
        p.drawControl(QStyle::CE_ToolButtonLabel, opt);
    }

  private:
    BevelButton* owner_;
};

BevelButtonWidget* Bevel(const Control* c) {
    return static_cast<BevelButtonWidget*>(c->Widget());
}

}  // namespace

BevelButton::BevelButton(Window& parent, String name, Integer left, Integer top, Integer width,
                         Integer height)
    : Control(parent, std::move(name), left, top, width, height) {
    auto* b = new BevelButtonWidget(this);
    b->ShowCaption();
    Attach(b);
}

BevelButton::~BevelButton() = default;

String BevelButton::Caption() const {
    return Bevel(this)->caption;
}

void BevelButton::SetCaption(const String& caption) {
    Bevel(this)->caption = caption;
    Bevel(this)->ShowCaption();
}

// Kept on the widget, so that a font set later for the control keeps the style.
void BevelButton::SetCaptionStyle(bool bold, bool italic, bool underline) {
    QWidget* w = Widget();
    w->setProperty("fwCaptionBold", bold);
    w->setProperty("fwCaptionItalic", italic);
    w->setProperty("fwCaptionUnderline", underline);
    QFont f = w->font();
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    w->setFont(f);
}

void BevelButton::SetButtonType(Integer type) {
    Bevel(this)->setCheckable(type == 1);
}

void BevelButton::SetHasMenu(bool v) {
    BevelButtonWidget* b = Bevel(this);
    if (v == (b->menu != nullptr)) return;
    if (!v) {
        b->setMenu(nullptr);
        delete b->menu;
        b->menu = nullptr;
        b->setPopupMode(QToolButton::DelayedPopup);
        return;
    }
    b->menu = new QMenu(b);
    for (std::size_t i = 0; i < b->rows.size(); ++i) {
        Integer row = static_cast<Integer>(i);
        b->menu->addAction(Shown(b->rows[i]), b, [b, row] { b->Choose(row); });
    }
    b->setMenu(b->menu);
    b->setPopupMode(QToolButton::InstantPopup);
}

void BevelButton::SetIcon(std::shared_ptr<Picture> icon) {
    BevelButtonWidget* b = Bevel(this);
    b->hasIcon = icon && icon->Valid() && !icon->Image().isNull();
    if (!b->hasIcon) {
        b->setIcon(QIcon());
    } else {
        const QImage& image = icon->Image();
        QIcon qi;
        QPixmap pm = QPixmap::fromImage(image);
        qi.addPixmap(pm);
        // A picture of fewer device pixels than a dense screen needs is doubled
        // pixel by pixel, so it stays sharp instead of blurred.
        if (image.devicePixelRatio() < 2) {
            QImage big = image.scaled(icon->Width() * 2, icon->Height() * 2, Qt::IgnoreAspectRatio,
                                      Qt::FastTransformation);
            big.setDevicePixelRatio(2);
            qi.addPixmap(QPixmap::fromImage(big));
        }
        b->setIcon(qi);
        b->setIconSize(QSize(icon->Width(), icon->Height()));
    }
    b->ShowCaption();
}

void BevelButton::SetHelpTag(const String& text) {
    Widget()->setToolTip(Q(text));
}

bool BevelButton::Value() const {
    return Bevel(this)->isChecked();
}

// Set in code, Value raises nothing: only a user's click is an action.
void BevelButton::SetValue(bool v) {
    Bevel(this)->setChecked(v);
}

void BevelButton::AddRow(const String& text) {
    BevelButtonWidget* b = Bevel(this);
    Integer row = static_cast<Integer>(b->rows.size());
    b->rows.push_back(text);
    if (b->menu) b->menu->addAction(Shown(text), b, [b, row] { b->Choose(row); });
}

Integer BevelButton::ListCount() const {
    return static_cast<Integer>(Bevel(this)->rows.size());
}

String BevelButton::List(Integer row) const {
    const auto& rows = Bevel(this)->rows;
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return {};
    return rows[static_cast<std::size_t>(row)];
}

Integer BevelButton::MenuValue() const {
    return Bevel(this)->menuValue;
}

// Any row, or -1, may be set: List answers "" for a row the menu lacks.
void BevelButton::SetMenuValue(Integer row) {
    Bevel(this)->menuValue = row;
}

// With a menu a click only opens the menu, which waits for the user: no action.
void BevelButton::Click() {
    if (!Bevel(this)->menu) Bevel(this)->click();
}

// A row the menu lacks is no choice.
void BevelButton::ChooseRow(Integer row) {
    BevelButtonWidget* b = Bevel(this);
    if (!b->menu || !b->isEnabled() || row < 0 || row >= ListCount()) return;
    b->menu->actions().at(row)->trigger();
}

}  // namespace fw
