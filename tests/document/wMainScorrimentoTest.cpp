#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

#include "Principale.h"
#include "layout/PaginaProva.h"

namespace {

using prova::Principale;

struct Caso {
    int larghezza, altezza;
    int valoreOrizz, valoreVert;  // set on the bars after the resize; -1 leaves it
    bool orizzVisibile, vertVisibile;
    int passoOrizz, passoVert;  // -1: not checked (bar hidden)
    int left, top, width, height;
};

// Window sizes at the edges of the overflow, and the canvas's place for a value.
const Caso kCasi[] = {
    {584, 612, -1, -1, true, true, 100, 100, 0, 0, 568, 596},
    {584, 612, 50, -1, true, true, 100, 100, -16, 0, 584, 596},
    {584, 612, 100, 100, true, true, 100, 100, -32, -254, 600, 850},
    {615, 612, 100, -1, true, true, 100, 100, -1, 0, 600, 596},
    {616, 612, -1, -1, false, true, -1, 100, 0, 0, 600, 596},
    {1000, 612, -1, -1, false, true, -1, 100, 0, 0, 984, 596},
    {584, 865, -1, 100, true, true, 100, 100, 0, -1, 568, 850},
    {584, 866, -1, -1, true, false, 100, -1, 0, 0, 568, 850},
    {216, 612, 100, -1, true, true, 50, 100, -400, 0, 600, 596},
    {584, 186, -1, 100, true, true, 100, 25, 0, -680, 568, 850},
};

TEST_F(Principale, LeBarreSeguonoLaFinestra) {
    vx::wMain& w = Mostrata();
    for (const Caso& c : kCasi) {
        SCOPED_TRACE(std::to_string(c.larghezza) + " x " + std::to_string(c.altezza));
        w.sbOrizz->SetValue(0);
        w.sbVert->SetValue(0);
        // From another size, so that the window hears of the resize.
        w.SetSize(c.larghezza + 1, c.altezza + 1);
        w.SetSize(c.larghezza, c.altezza);
        ASSERT_EQ(w.Width(), c.larghezza);
        ASSERT_EQ(w.Height(), c.altezza);
        if (c.valoreOrizz >= 0) w.sbOrizz->SetValue(c.valoreOrizz);
        if (c.valoreVert >= 0) w.sbVert->SetValue(c.valoreVert);
        EXPECT_EQ(w.sbOrizz->Visible(), c.orizzVisibile);
        EXPECT_EQ(w.sbVert->Visible(), c.vertVisibile);
        if (c.passoOrizz >= 0) {
            EXPECT_EQ(w.sbOrizz->PageStep(), c.passoOrizz);
        }
        if (c.passoVert >= 0) {
            EXPECT_EQ(w.sbVert->PageStep(), c.passoVert);
        }
        if (!c.orizzVisibile) {
            EXPECT_EQ(w.sbOrizz->Value(), 0);
        }
        if (!c.vertVisibile) {
            EXPECT_EQ(w.sbVert->Value(), 0);
        }
        const auto& k = *w.DragCanvas1;
        EXPECT_EQ(k.Left(), c.left);
        EXPECT_EQ(k.Top(), c.top);
        EXPECT_EQ(k.Width(), c.width);
        EXPECT_EQ(k.Height(), c.height);
    }
}

TEST_F(Principale, IlValoreSopravviveAlRidimensionamento) {
    vx::wMain& w = Mostrata();
    w.sbOrizz->SetValue(50);
    w.sbVert->SetValue(40);
    w.SetSize(400, 500);  // overflows 216 and 366
    EXPECT_EQ(w.sbOrizz->Value(), 50);
    EXPECT_EQ(w.sbVert->Value(), 40);
    EXPECT_EQ(w.DragCanvas1->Left(), -108);
    EXPECT_EQ(w.DragCanvas1->Top(), -146);
    EXPECT_EQ(w.DragCanvas1->Width(), 384 + 108);
    EXPECT_EQ(w.DragCanvas1->Height(), 484 + 146);

    // Once an axis stops overflowing its bar goes back to 0 and stays inert.
    w.SetSize(700, 500);
    EXPECT_EQ(w.sbOrizz->Value(), 0);
    w.sbOrizz->SetValue(70);
    EXPECT_EQ(w.DragCanvas1->Left(), 0);
    EXPECT_EQ(w.DragCanvas1->Width(), 684);
}

// Drags the thumb of a bar with the mouse, from its middle by (dx, dy).
void TrascinaCursore(fw::ScrollBar& sb, int dx, int dy) {
    auto* bar = static_cast<QScrollBar*>(sb.Widget());
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.subControls = QStyle::SC_All;
    QRect cursore =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar);
    QPoint da = cursore.center(), a = da + QPoint(dx, dy);
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, da);
    QTest::mouseMove(bar, (da + a) / 2);
    QTest::mouseMove(bar, a);
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, a);
}

TEST_F(Principale, TrascinareLeBarreMostraLaPaginaSpostata) {
    vx::wMain& w = Mostrata();
    w.SetSize(300, 400);
    // A few fields and the section lines spread over the page, so that every
    // offset shows something different.
    for (int i = 0; i < 6; ++i) {
        auto k = w.DragCanvas1->AggiungiCampo();
        k->tx = 40 + 90 * i;
        k->ty = 60 + 130 * i;
        k->DimensEtichetta();
    }
    w.DragCanvas1->RidisegnaArea(0, 0, w.DragCanvas1->Width(), w.DragCanvas1->Height());

    TrascinaCursore(*w.sbOrizz, 60, 0);
    TrascinaCursore(*w.sbVert, 0, 90);
    ASSERT_GT(w.sbOrizz->Value(), 0);
    ASSERT_GT(w.sbVert->Value(), 0);
    int sinistra = w.DragCanvas1->Left(), alto = w.DragCanvas1->Top();
    EXPECT_EQ(sinistra, fw::ToInteger(-316.0 * (w.sbOrizz->Value() / 100.0)));
    EXPECT_EQ(alto, fw::ToInteger(-466.0 * (w.sbVert->Value() / 100.0)));
    QApplication::processEvents();

    // What the window shows of the page, against the page drawn afresh and cut
    // at the scroll offset.
    QImage schermo = w.Content()->grab(QRect(0, 0, 284, 384)).toImage();
    schermo = schermo.convertToFormat(QImage::Format_RGB32);
    auto& k = *w.DragCanvas1;
    k.PreparaBuffer();
    k.RidisegnaOggetti(0, 0, k.Width(), k.Height());
    QImage pagina = k.buffer->Image().convertToFormat(QImage::Format_RGB32);
    // The canvas's corner lies where the rule puts it in the window, and its
    // device pixels follow one for one from there.
    double dpr = pagina.devicePixelRatio();
    QPoint angolo(prova::Dispositivo(sinistra, dpr), prova::Dispositivo(alto, dpr));
    QImage ritaglio = pagina.copy(QRect(-angolo, schermo.size()));
    ritaglio.setDevicePixelRatio(dpr);
    prova::Differenza d = prova::Confronta(schermo, ritaglio);
    EXPECT_TRUE(d.Vuota()) << d.Testo();
}

}  // namespace
