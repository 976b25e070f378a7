#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "Pixel.h"
#include "framework/Window.h"
#include "layout/DragCanvas.h"

namespace {

class Pagina : public fw::Window {
  public:
    Pagina() : fw::Window(0) { SetSize(600, 850); }
    DragCanvas DragCanvas1{*this, "DragCanvas1", 0, 0, 600, 850};
};

TEST(DragCanvasFumo, UnaPaginaNuovaMostraLeTreLineeDiSezione) {
    Pagina p;
    p.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(p.Widget()));
    DragCanvas& c = p.DragCanvas1;
    ASSERT_EQ(c.vSezioni.size(), 3u);
    EXPECT_EQ(c.vSezioni[0]->posizY, 100);
    EXPECT_EQ(c.vSezioni[1]->posizY, 150);
    EXPECT_EQ(c.vSezioni[2]->posizY, 350);
    EXPECT_FALSE(c.modificato);
    QImage schermo = c.Widget()->grab().toImage();
    EXPECT_EQ(prova::Colore(schermo, 300, 150), 0xFF443Eu);
    EXPECT_EQ(prova::Colore(schermo, 300, 200), 0xFFFFFFu);
}

}  // namespace
