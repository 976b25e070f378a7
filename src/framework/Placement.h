#pragma once

// For the layer's own use: where windows go on the desktop. A window manager
// places the main window itself, so the palette and the dialogs are placed from
// where it really is (its frame, as the window manager drew it).

#include <QDialog>
#include <QShowEvent>

class QWidget;

namespace fw::detail {

// The Qt window of the visible document window in front; nullptr when none.
QWidget* DocumentWindowWidget();

// Moves the window's frame so that its centre is the document window's,
// kept on that window's screen. Nothing happens without a document window.
void CentreOverDocumentWindow(QWidget* window);

// Moves the window's frame beside another's: gap pixels right of it and down
// pixels below its top; to its left when the screen has no room on the right;
// kept on screen.
void PlaceBeside(QWidget* window, const QWidget* other, int gap, int down);

// A dialog centred over the document window when it is first shown; shown
// again, it stays where the user left it.
template <class D>
class Centred : public D {
  public:
    using D::D;

  protected:
    void showEvent(QShowEvent* e) override {
        D::showEvent(e);
        if (centred_ || e->spontaneous()) return;
        centred_ = true;
        CentreOverDocumentWindow(this);
    }

  private:
    bool centred_ = false;
};

}  // namespace fw::detail
