#include "framework/EditField.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <limits>

#include "framework/QtConvert.h"
#include "framework/Text.h"
#include "framework/Window.h"
#include "framework/WindowPrivate.h"

namespace fw {

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
