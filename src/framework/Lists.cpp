#include "framework/Lists.h"

#include <QComboBox>
#include <QListWidget>

#include "framework/QtConvert.h"

namespace fw {

namespace {

class PopupMenuWidget : public QComboBox {
  public:
    explicit PopupMenuWidget(PopupMenu* owner) : owner_(owner) {
        setEditable(false);
        // The user's change of row (mouse, keys, wheel) raises Change once; choosing
        // the row already shown changes nothing.
        connect(this, &QComboBox::currentIndexChanged, this, [this] {
            if (quiet_ == 0) owner_->Change();
        });
    }

    // Changes the row without raising Change.
    template <class F>
    void Quietly(F f) {
        ++quiet_;
        f();
        --quiet_;
    }

  private:
    PopupMenu* owner_;
    int quiet_ = 0;
};

PopupMenuWidget* Popup(const Control* c) {
    return static_cast<PopupMenuWidget*>(c->Widget());
}

}  // namespace

// --- PopupMenu --------------------------------------------------------------

PopupMenu::PopupMenu(Window& parent, String name, Integer left, Integer top, Integer width,
                     Integer height, Integer index)
    : Control(parent, std::move(name), left, top, width, height, index) {
    Attach(new PopupMenuWidget(this));
}

PopupMenu::~PopupMenu() = default;

// Adding rows leaves the chosen row alone: Qt would choose the first row of an
// empty list by itself.
void PopupMenu::AddRow(const String& text) {
    PopupMenuWidget* p = Popup(this);
    p->Quietly([&] {
        int before = p->currentIndex();
        p->addItem(Q(text));
        if (p->currentIndex() != before) p->setCurrentIndex(before);
    });
}

void PopupMenu::DeleteAllRows() {
    PopupMenuWidget* p = Popup(this);
    p->Quietly([&] { p->clear(); });
}

Integer PopupMenu::ListCount() const {
    return Popup(this)->count();
}

String PopupMenu::List(Integer row) const {
    PopupMenuWidget* p = Popup(this);
    if (row < 0 || row >= p->count()) return {};
    return p->itemText(row).toStdString();
}

Integer PopupMenu::ListIndex() const {
    return Popup(this)->currentIndex();
}

// Change follows exactly once, also for the row already shown; a row the menu
// lacks shows no row.
void PopupMenu::SetListIndex(Integer row) {
    PopupMenuWidget* p = Popup(this);
    if (row < 0 || row >= p->count()) row = -1;
    p->Quietly([&] { p->setCurrentIndex(row); });
    Change();
}

// --- ListBox ----------------------------------------------------------------

ListBox::ListBox(Window& parent, String name, Integer left, Integer top, Integer width,
                 Integer height, Integer index)
    : Control(parent, std::move(name), left, top, width, height, index) {
    Attach(new QListWidget);
}

ListBox::~ListBox() = default;

void ListBox::AddRow(const String& text) {
    static_cast<QListWidget*>(Widget())->addItem(Q(text));
}

Integer ListBox::ListCount() const {
    return static_cast<QListWidget*>(Widget())->count();
}

String ListBox::List(Integer row) const {
    auto* l = static_cast<QListWidget*>(Widget());
    if (row < 0 || row >= l->count()) return {};
    return l->item(row)->text().toStdString();
}

}  // namespace fw
