// Selecting, moving and resizing fields and dragging the section lines with real
// mouse events on a shown canvas; after every step the screen must show the
// page as it now stands.

#include <QImage>
#include <array>

#include "Aiuti.h"
#include "layout/PaginaProva.h"

using fw::Integer;
using ::testing::_;

namespace {

class DragCanvasMouse : public prova::PaginaTest {
  protected:
    int Indice(const std::shared_ptr<Campo>& k) const {
        for (std::size_t i = 0; i < c.vCampi.size(); ++i) {
            if (c.vCampi[i] == k) return static_cast<int>(i);
        }
        return -1;
    }
    // A picture the page's size, every pixel unlike its neighbours, opened as
    // the background from the folder given.
    void ApriSfondo(const prova::Cartella& cartella) {
        QImage figura(600, 850, QImage::Format_RGB32);
        for (int y = 0; y < 850; ++y) {
            for (int x = 0; x < 600; ++x) figura.setPixel(x, y, qRgb(x % 256, y % 256, 128));
        }
        ASSERT_TRUE(figura.save(QString::fromStdString(cartella.File("sfondo.png"))));
        fw::testing::SetProgramFolder(cartella.Percorso());
        c.ApriFileSfondo("sfondo.png");
    }
};

TEST_F(DragCanvasMouse, ClicSelezionaSoloQuelCampoELoPortaInCima) {
    auto a = Campo_(100, 100), b = Campo_(100, 200), d = Campo_(300, 200);
    b->selezionato = d->selezionato = true;
    c.RidisegnaArea(0, 0, 600, 850);
    c.modificato = false;
    {
        ::testing::InSequence ordine;
        EXPECT_CALL(palette, Reset()).Times(1);  // the old selection is cleared first
        EXPECT_CALL(palette, Popola()).Times(1);
    }
    EXPECT_CALL(palette, PopolaDim()).Times(0);
    Premi(150, 107);
    EXPECT_TRUE(a->selezionato);
    EXPECT_FALSE(b->selezionato);
    EXPECT_FALSE(d->selezionato);
    EXPECT_EQ(Indice(a), 2);  // drawn last, found first
    EXPECT_EQ(c.campoCliccato, a);
    EXPECT_FALSE(a->ridimensiona);
    EXPECT_TRUE(SchermoAggiornato());
    Rilascia(150, 107);
    EXPECT_FALSE(c.modificato);  // selecting is no change to the layout
    EXPECT_EQ(a->tx, 100);
}

TEST_F(DragCanvasMouse, PressioneConOSenzaShift) {
    // A at (100, 100) 100 x 14, B at (300, 300); the press lands on A.
    const std::pair<int, int> dentro{150, 107}, maniglia{197, 111};
    struct Caso {
        const char* nome;
        bool aSel, bSel, shift;
        std::pair<int, int> punto;
        bool aDopo, bDopo, aInFondo;
        enum { Sposta, Ridimensiona, Niente } trascina;
        int reset, popola;
    };
    const Caso casi[] = {
        {"shift su selezionato: esce", true, true, true, dentro, false, true, false, Caso::Niente,
         0, 1},
        {"shift su selezionato nella maniglia", true, true, true, maniglia, true, true, false,
         Caso::Ridimensiona, 0, 0},
        {"shift su non selezionato: si aggiunge", false, true, true, dentro, true, true, true,
         Caso::Sposta, 0, 1},
        {"shift su non selezionato nella maniglia", false, true, true, maniglia, true, false, true,
         Caso::Ridimensiona, 1, 1},
        {"senza shift nella maniglia", false, true, false, maniglia, true, false, true,
         Caso::Ridimensiona, 1, 1},
        {"senza shift su selezionato", true, true, false, dentro, true, true, false, Caso::Sposta,
         0, 0},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        c.vCampi.clear();
        auto a = Campo_(100, 100), b = Campo_(300, 300);
        a->selezionato = k.aSel;
        b->selezionato = k.bSel;
        c.RidisegnaArea(0, 0, 600, 850);
        c.modificato = false;
        ::testing::Mock::VerifyAndClearExpectations(&palette);
        EXPECT_CALL(palette, Reset()).Times(k.reset);
        EXPECT_CALL(palette, Popola()).Times(k.popola);
        Premi(k.punto.first, k.punto.second, k.shift);
        EXPECT_EQ(a->selezionato, k.aDopo);
        EXPECT_EQ(b->selezionato, k.bDopo);
        EXPECT_EQ(Indice(a), k.aInFondo ? 1 : 0);
        ::testing::Mock::VerifyAndClearExpectations(&palette);
        EXPECT_TRUE(SchermoAggiornato());

        EXPECT_CALL(palette, PopolaDim()).Times(k.trascina == Caso::Niente ? 0 : 1);
        Trascina(k.punto.first + 20, k.punto.second + 10, k.shift);
        Rilascia(k.punto.first + 20, k.punto.second + 10, k.shift);
        switch (k.trascina) {
            case Caso::Sposta:
                EXPECT_EQ(a->tx, 120);
                EXPECT_EQ(a->ty, 110);
                EXPECT_EQ(b->tx, k.bDopo ? 320 : 300);
                EXPECT_EQ(a->riquadro->Width, 100);
                break;
            case Caso::Ridimensiona:
                EXPECT_EQ(a->tx, 100);
                EXPECT_EQ(a->riquadro->Width, 117);
                EXPECT_EQ(a->riquadro->Height, 21);
                EXPECT_EQ(b->tx, 300);  // only the clicked field
                EXPECT_EQ(b->riquadro->Width, 100);
                break;
            case Caso::Niente:  // the press returned false: no drag, no release
                EXPECT_EQ(a->tx, 100);
                EXPECT_EQ(a->riquadro->Width, 100);
                EXPECT_EQ(b->tx, 300);
                break;
        }
        EXPECT_EQ(c.modificato, k.trascina != Caso::Niente);
        c.modificato = false;
        EXPECT_TRUE(SchermoAggiornato());
        ::testing::Mock::VerifyAndClearExpectations(&palette);
    }
}

TEST_F(DragCanvasMouse, SpostaTuttaLaSelezioneSopraLoSfondo) {
    prova::Cartella cartella;
    ASSERT_NO_FATAL_FAILURE(ApriSfondo(cartella));
    auto a = Campo_(100, 100), b = Campo_(200, 300, 60, 30), d = Campo_(400, 500);
    Premi(150, 107);
    Rilascia(150, 107);
    Premi(230, 315, true);
    Rilascia(230, 315, true);
    ASSERT_TRUE(a->selezionato && b->selezionato && !d->selezionato);
    c.modificato = false;

    EXPECT_CALL(palette, PopolaDim()).Times(4);
    Premi(230, 315);
    const std::pair<int, int> passi[] = {{240, 330}, {190, 290}, {-150, 40}, {230, 315}};
    auto sotto = [](const std::shared_ptr<Campo>& k, int ox, int oy) {
        return std::array<long, 4>{std::min(ox, k->tx), std::min(oy, k->ty),
                                   std::max(ox, k->tx) + k->Larghezza(),
                                   std::max(oy, k->ty) + k->Altezza()};
    };
    for (auto [x, y] : passi) {
        QImage prima = Schermo();
        int ax = a->tx, ay = a->ty, bx = b->tx, by = b->ty, ux = c.ultimoX, uy = c.ultimoY;
        Trascina(x, y);
        EXPECT_EQ(a->tx, ax + x - ux);
        EXPECT_EQ(a->ty, ay + y - uy);
        EXPECT_EQ(b->tx, bx + x - ux);
        EXPECT_EQ(b->ty, by + y - uy);
        EXPECT_EQ(d->tx, 400);
        EXPECT_TRUE(c.modificato);
        // The step repaints the union of old and new places and nothing else.
        auto ra = sotto(a, ax, ay), rb = sotto(b, bx, by);
        long l = std::min(ra[0], rb[0]), t = std::min(ra[1], rb[1]);
        long r = std::max(ra[2], rb[2]), bo = std::max(ra[3], rb[3]);
        prova::Differenza diff = prova::Confronta(prima, Schermo());
        EXPECT_TRUE(diff.Dentro(int(l), int(t), int(r - l), int(bo - t))) << diff.Testo();
        EXPECT_TRUE(SchermoAggiornato()) << x << "," << y;
    }
    // A step to where the last one acted does nothing at all.
    c.modificato = false;
    QImage prima = Schermo();
    Trascina(230, 315);
    EXPECT_FALSE(c.modificato);
    EXPECT_TRUE(prova::Confronta(prima, Schermo()).Vuota());
    Rilascia(230, 315);
    EXPECT_EQ(a->tx, 100);
    EXPECT_TRUE(SchermoAggiornato());
}

// A label can be drawn beyond its field's extent: a size of 0 draws the
// default size with its baseline on the frame's top, so above the frame; a
// large italic label leans out past its measured width. Moved, resized,
// selected and deselected, the field takes those pixels with it.
TEST_F(DragCanvasMouse, UnEtichettaFuoriDalCampoNonLasciaTracce) {
    auto sopra = Campo_(100, 200, 100, 14, "Sopra il riquadro");
    sopra->dimFont = 0;
    auto pendente = Campo_(300, 300, 20, 14, "ff");
    pendente->dimFont = 90;
    pendente->stileC = true;
    for (auto& k : {sopra, pendente}) k->DimensEtichetta();
    c.RidisegnaArea(0, 0, 600, 850);
    ASSERT_TRUE(SchermoAggiornato());
    struct Caso {
        std::shared_ptr<Campo> campo;
        int dx, dy;  // the press, from the frame's corner
    };
    for (const Caso& k : {Caso{sopra, 5, 5}, Caso{pendente, 5, 5}, Caso{pendente, 17, 11}}) {
        int x = k.campo->tx + k.dx, y = k.campo->ty + k.dy;
        Premi(x, y);
        EXPECT_TRUE(SchermoAggiornato());
        for (auto [px, py] : {std::pair{x + 37, y + 23}, {x - 50, y + 11}, {x + 3, y - 60}}) {
            Trascina(px, py);
            EXPECT_TRUE(SchermoAggiornato()) << px << ", " << py;
        }
        Rilascia(x + 3, y - 60);
        Premi(590, 840);
        Rilascia(590, 840);
        EXPECT_TRUE(SchermoAggiornato());
    }
}

TEST_F(DragCanvasMouse, RidimensionaConMinimoSeiPerSei) {
    auto a = Campo_(100, 100), b = Campo_(100, 300);
    b->selezionato = true;
    c.RidisegnaArea(0, 0, 600, 850);
    EXPECT_CALL(palette, PopolaDim()).Times(5);
    Premi(198, 112);  // resize zone: a becomes the only selected field
    ASSERT_TRUE(a->ridimensiona);
    EXPECT_FALSE(b->selezionato);
    const struct {
        int x, y;
        double w, h;
    } passi[] = {{260, 160, 160, 60},
                 {150, 103, 50, 6},
                 {20, 20, 6, 6},
                 {107, 107, 7, 7},
                 {401, 133, 301, 33}};
    for (const auto& p : passi) {
        Trascina(p.x, p.y);
        EXPECT_EQ(a->riquadro->Width, p.w) << p.x;
        EXPECT_EQ(a->riquadro->Height, p.h) << p.y;
        EXPECT_EQ(a->tx, 100);
        EXPECT_EQ(a->ty, 100);
        EXPECT_TRUE(SchermoAggiornato()) << p.x << "," << p.y;
    }
    Rilascia(401, 133);
    EXPECT_TRUE(c.modificato);
    EXPECT_EQ(b->riquadro->Width, 100);
}

TEST_F(DragCanvasMouse, RidimensionaUnCampoOltreIlBordoSinistroEAlto) {
    // The rectangle of a resize step starts at the field and spans the larger of
    // the old frame and the new extent, also when the field starts left of or
    // above the page.
    for (auto [x, y] : {std::pair{-20, 50}, {0, 0}, {-300, -100}}) {
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
        c.vCampi.clear();
        c.RidisegnaArea(0, 0, 600, 850);
        auto a = Campo_(x, y, 400, 200, "Ampio");
        Premi(x + 397, y + 197);
        ASSERT_TRUE(a->ridimensiona);
        Trascina(x + 360, y + 150);  // shrink
        EXPECT_TRUE(SchermoAggiornato());
        Trascina(x + 30, y + 40);
        EXPECT_TRUE(SchermoAggiornato());
        Trascina(x + 500, y + 260);  // grow
        EXPECT_TRUE(SchermoAggiornato());
        Rilascia(x + 500, y + 260);
        EXPECT_EQ(a->riquadro->Width, 500);
    }
}

TEST_F(DragCanvasMouse, BandaNelleQuattroDirezioni) {
    // The frame of "dentro" ends at x 100 and y 100, exactly where the bands below
    // reach; "fuori" starts on the anchor's edge.
    auto dentro = Campo_(60, 60, 40, 40), fuori = Campo_(150, 50, 30, 20);
    struct Caso {
        int x0, y0, x1, y1;
        bool selDentro, selFuori;
    };
    const Caso casi[] = {
        {100, 100, 50, 50, true, false},   // up and left: one pixel larger
        {50, 50, 100, 100, false, false},  // down and right
        {50, 101, 101, 49, true, false},   // up and right
        {101, 49, 50, 101, true, false},   // down and left
        {40, 40, 200, 120, true, true},   {150, 50, 190, 80, false, false},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(std::to_string(k.x0) + "," + std::to_string(k.y0) + " -> " +
                     std::to_string(k.x1) + "," + std::to_string(k.y1));
        dentro->selezionato = fuori->selezionato = true;
        c.RidisegnaArea(0, 0, 600, 850);
        ::testing::Mock::VerifyAndClearExpectations(&palette);
        EXPECT_CALL(palette, Reset()).Times(2);
        EXPECT_CALL(palette, PopolaDim()).Times(0);
        EXPECT_CALL(palette, Popola()).Times(0);
        c.modificato = false;
        Premi(k.x0, k.y0);
        EXPECT_FALSE(dentro->selezionato);
        EXPECT_EQ(c.rettSelez->tx, k.x0);
        // Out past the end, then back over the anchor's row and column, which
        // must leave no trace of the band's far edge.
        const std::pair<int, int> passi[] = {{k.x1 + (k.x1 - k.x0) / 2, k.y1 + (k.y1 - k.y0) / 2},
                                             {k.x0, k.y1},
                                             {k.x1, k.y0},
                                             {k.x0, k.y0},
                                             {k.x1, k.y1}};
        for (auto [x, y] : passi) {
            Trascina(x, y);
            EXPECT_EQ(c.rettSelez->Width, x - k.x0);
            EXPECT_EQ(c.rettSelez->Height, y - k.y0);
            EXPECT_TRUE(SchermoAggiornato()) << x << "," << y;
        }
        ::testing::Mock::VerifyAndClearExpectations(&palette);
        EXPECT_CALL(palette, Popola()).Times(1);
        Rilascia(k.x1, k.y1);
        EXPECT_EQ(dentro->selezionato, k.selDentro);
        EXPECT_EQ(fuori->selezionato, k.selFuori);
        EXPECT_EQ(c.rettSelez->tx, -1);
        EXPECT_EQ(c.rettSelez->Width, 0);
        EXPECT_FALSE(c.modificato);
        EXPECT_EQ(c.vCampi[0], dentro);  // the band keeps the order
        EXPECT_TRUE(SchermoAggiornato());
    }
}

// A band step paints again only the old and the new outline. Over a busy page
// (a picture, section lines, overlapping fields whose labels spill out of their
// frames), the screen after every step must still be the page drawn afresh:
// short and long moves, across the anchor's row and column, flat and thin
// bands, out past the canvas's edges and back onto the anchor.
TEST_F(DragCanvasMouse, BandaSopraUnaPaginaPienaLasciaLoSchermoComeLaPagina) {
    // Off the window's corner, as below a menu bar: at a fractional ratio the
    // canvas then starts inside a device pixel of the window.
    c.SetBounds(3, 7, 600, 850);
    prova::Cartella cartella;
    ASSERT_NO_FATAL_FAILURE(ApriSfondo(cartella));
    const char* etichette[] = {"Ragione sociale del cliente", "IVA", "Totale documento"};
    for (int i = 0; i < 120; ++i) {
        auto k = c.AggiungiCampo();
        k->iCampo = 1 + i % 85;  // data fields: no fixed-text limit on the way
        k->tx = 30 + (i % 8) * 70;
        k->ty = 40 + (i / 8) * 20;
        k->riquadro->Width = 55;
        k->iFont = font;
        k->dimFont = 10 + i % 3;
        k->etichetta = etichette[i % 3];
        k->DimensEtichetta();
    }
    c.RidisegnaArea(0, 0, 600, 850);
    ASSERT_TRUE(SchermoAggiornato());

    const int ax = 20, ay = 146;  // empty page, left of the first column
    Premi(ax, ay);
    ASSERT_EQ(c.rettSelez->tx, ax);
    ASSERT_EQ(c.campoCliccato, nullptr);
    c.RidisegnaArea(0, 0, 600, 850);  // what the press drew straight is not ours to judge here
    const std::pair<int, int> passi[] = {
        {21, 147},  {22, 148},  {200, 300},  {201, 300}, {201, 301}, {199, 299},    {260, 120},
        {5, 310},   {-30, 60},  {ax, 200},   {ax, ay},   {300, ay},  {300, ay + 1}, {310, 400},
        {700, 900}, {650, -40}, {-50, 1000}, {100, 90},  {101, 91},  {ax, ay},      {150, 250},
    };
    for (auto [x, y] : passi) {
        Trascina(x, y);
        ASSERT_TRUE(SchermoAggiornato()) << x << "," << y;
    }
    Rilascia(150, 250);
    EXPECT_TRUE(SchermoAggiornato());
}

TEST_F(DragCanvasMouse, ClicSuPaginaVuotaSvuotaLaSelezione) {
    auto a = Campo_(100, 100);
    a->selezionato = true;
    c.RidisegnaArea(0, 0, 600, 850);
    c.modificato = false;
    QImage prima = Schermo();
    {
        ::testing::InSequence ordine;
        EXPECT_CALL(palette, Reset()).Times(2);
        EXPECT_CALL(palette, Popola()).Times(1);  // at the release, on the empty selection
    }
    Premi(300, 500);
    Rilascia(300, 500);
    EXPECT_FALSE(a->selezionato);
    EXPECT_FALSE(c.modificato);
    prova::Differenza d = prova::Confronta(prima, Schermo());
    EXPECT_TRUE(d.Dentro(100, 100, 101, 15)) << d.Testo();  // only the handle went
    EXPECT_TRUE(SchermoAggiornato());
}

TEST_F(DragCanvasMouse, PressioniSuiBordiENeiSovrapposti) {
    auto sotto = Campo_(100, 100, 100, 40), sopra = Campo_(150, 120, 100, 40);
    // In the overlap the field drawn on top is grabbed.
    Premi(170, 130);
    Rilascia(170, 130);
    EXPECT_TRUE(sopra->selezionato);
    EXPECT_FALSE(sotto->selezionato);
    EXPECT_EQ(c.vCampi.back(), sopra);
    // Right of the top field's left edge, inside only the lower one.
    Premi(149, 130);
    Rilascia(149, 130);
    EXPECT_TRUE(sotto->selezionato);
    EXPECT_FALSE(sopra->selezionato);
    EXPECT_EQ(c.vCampi.back(), sotto);
    // On an edge: no field there, so the press starts a band and clears the
    // selection.
    for (auto [x, y] : {std::pair{100, 110}, {120, 100}, {200, 110}, {120, 140}, {250, 150}}) {
        sotto->selezionato = true;
        Premi(x, y);
        EXPECT_FALSE(sotto->selezionato) << x << "," << y;
        EXPECT_EQ(c.campoCliccato, nullptr);
        EXPECT_EQ(c.rettSelez->tx, x);
        Rilascia(x, y);
        EXPECT_TRUE(SchermoAggiornato());
    }
}

TEST_F(DragCanvasMouse, LineaDiSezioneSopraUnCampoPrendeLaLinea) {
    auto a = Campo_(-10, 80, 100, 30);
    a->selezionato = true;
    c.RidisegnaArea(0, 0, 600, 850);
    EXPECT_CALL(palette, Reset()).Times(0);
    EXPECT_CALL(palette, Popola()).Times(0);
    EXPECT_CALL(palette, PopolaDim()).Times(0);
    Premi(5, 95);
    EXPECT_EQ(c.sezioneTrascinata, c.vSezioni[0]);
    Trascina(5, 105);
    Rilascia(5, 105);
    EXPECT_EQ(c.vSezioni[0]->posizY, 110);
    EXPECT_TRUE(a->selezionato);
    EXPECT_EQ(a->ty, 80);
    EXPECT_TRUE(SchermoAggiornato());
}

TEST_F(DragCanvasMouse, LineeDiSezioneTraILoroLimiti) {
    c.SetHeight(596);
    Schermo();
    struct Caso {
        const char* nome;
        int linea, presa;
        std::vector<std::pair<int, int>> passi;  // pointer y, then the line's y
    };
    const Caso casi[] = {
        // "T" stops at 6 and then follows the pointer's movement, 61 pixels below it.
        {"T", 0, 95, {{-55, 6}, {-5, 56}}},
        // "P" sits on the canvas's height - 1 and comes back by the movement only.
        {"P", 2, 345, {{700, 595}, {650, 595}, {500, 445}}},
        // "D" between "T" + 6 and "P" - 6 as they stood at the press.
        {"D", 1, 148, {{90, 106}, {80, 106}, {2000, 344}, {1990, 344}, {340, 106}, {343, 109}}},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        c.vSezioni[0]->posizY = 100;
        c.vSezioni[1]->posizY = 150;
        c.vSezioni[2]->posizY = 350;
        c.RidisegnaArea(0, 0, 600, 850);
        Premi(5, k.presa);
        ASSERT_EQ(c.sezioneTrascinata, c.vSezioni[k.linea]);
        for (auto [y, atteso] : k.passi) {
            c.modificato = false;
            Trascina(5, y);
            EXPECT_EQ(c.vSezioni[k.linea]->posizY, atteso) << y;
            EXPECT_TRUE(c.modificato);  // also when a limit holds the line
            EXPECT_TRUE(SchermoAggiornato()) << y;
        }
        Rilascia(5, k.passi.back().first);
    }
    EXPECT_EQ(c.vSezioni[0]->limiteSup, 6);
    EXPECT_EQ(c.vSezioni[0]->limiteInf, 144);
    EXPECT_EQ(c.vSezioni[1]->limiteSup, 106);
    EXPECT_EQ(c.vSezioni[2]->limiteInf, 595);
}

}  // namespace
