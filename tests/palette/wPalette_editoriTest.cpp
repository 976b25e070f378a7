// The palette's editors driven by real key and mouse events on its controls,
// checked on every field and on the page's pixels against the page drawn afresh.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "Pixel.h"
#include "document/wMain.h"
#include "framework/Fonts.h"
#include "framework/Testing.h"
#include "layout/Modulo1.h"
#include "layout/PaginaProva.h"
#include "palette/Catalogo.h"
#include "palette/wPalette.h"

namespace {

// Everything a field stores, to compare before and after an edit.
struct Stato {
    int tx, ty;
    double w, h;
    int iCampo;
    std::string testoFisso, etichetta;
    int iFont, dimFont;
    bool g, c, s;
    int pagina;
    fw::Color colore;
    int allType;
    bool selezionato;

    explicit Stato(const Campo& k)
        : tx(k.tx),
          ty(k.ty),
          w(k.riquadro->Width),
          h(k.riquadro->Height),
          iCampo(k.iCampo),
          testoFisso(k.testoFisso),
          etichetta(k.etichetta),
          iFont(k.iFont),
          dimFont(k.dimFont),
          g(k.stileG),
          c(k.stileC),
          s(k.stileS),
          pagina(k.pagina),
          colore(k.coloreEtich),
          allType(k.AllType),
          selezionato(k.selezionato) {}
    bool operator==(const Stato&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Stato& s) {
    return o << "(" << s.tx << "," << s.ty << " " << s.w << "x" << s.h << " riga " << s.iCampo
             << " '" << s.testoFisso << "'/'" << s.etichetta << "' font " << s.iFont << "/"
             << s.dimFont << " " << s.g << s.c << s.s << " pag " << s.pagina << " col "
             << prova::Esadecimale(s.colore) << " all " << s.allType << " sel " << s.selezionato
             << ")";
}

class EditoriTest : public ::testing::Test {
  public:
    void SetUp() override {
        m = &::wMain();
        p = &::wPalette();
        c = m->DragCanvas1.get();
        c->palette = p;
        if (!m->Visible()) m->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m->Widget()));
        if (!p->Visible()) p->Show();
        c->vCampi.clear();
        p->Reset();
        c->RidisegnaArea(0, 0, c->Width(), c->Height());
        font = Modulo1::CercaFont("DejaVu Sans");
        altroFont = Modulo1::CercaFont("Liberation Serif");
        ASSERT_EQ(fw::Font(font), "DejaVu Sans");
        ASSERT_EQ(fw::Font(altroFont), "Liberation Serif");
    }

    // A fixed text drawn on the page.
    std::shared_ptr<Campo> Campo_(int x, int y, const std::string& testo = "Prova") {
        auto k = c->AggiungiCampo();
        k->tx = x;
        k->ty = y;
        k->iFont = font;
        k->dimFont = 10;
        k->testoFisso = k->etichetta = testo;
        k->DimensEtichetta();
        c->RidisegnaArea(k->tx, k->ty, k->Larghezza(), k->Altezza());
        return k;
    }

    // Selects the fields as a click would and lets the palette show them; the
    // layout then counts as saved.
    void Seleziona(std::initializer_list<std::shared_ptr<Campo>> scelti) {
        for (auto& k : c->vCampi) k->selezionato = false;
        for (auto& k : scelti) k->selezionato = true;
        c->RidisegnaArea(0, 0, c->Width(), c->Height());
        if (scelti.size() == 0) {
            p->Reset();
        } else {
            p->Popola();
        }
        c->modificato = false;
    }

    std::vector<Stato> Stati() const {
        std::vector<Stato> v;
        for (auto& k : c->vCampi) v.emplace_back(*k);
        return v;
    }

    QImage Schermo() { return c->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QImage Pagina() {
        c->PreparaBuffer();
        c->RidisegnaOggetti(0, 0, c->Width(), c->Height());
        return c->buffer->Image().convertToFormat(QImage::Format_RGB32);
    }
    ::testing::AssertionResult SchermoAggiornato() {
        prova::Differenza d = prova::Confronta(Schermo(), Pagina());
        if (d.Vuota()) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "schermo diverso dalla pagina " << d.Testo();
    }

    // Types into a box and leaves it with Tab, as the user does; "" empties it.
    void Scrivi(fw::EditField& box, const std::string& testo) {
        QApplication::setActiveWindow(p->Widget());
        box.SetFocus();
        auto* w = static_cast<QLineEdit*>(box.Widget());
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_Backspace);
        QTest::keyClicks(w, QString::fromStdString(testo));
        QTest::keyClick(w, Qt::Key_Tab);
    }
    std::size_t Selezionati() const {
        std::size_t n = 0;
        for (auto& k : c->vCampi) n += k->selezionato;
        return n;
    }

    // No box keeps the focus, so no LostFocus reaches the next case.
    void Sfoca() {
        if (QWidget* w = QApplication::focusWidget()) w->clearFocus();
    }
    void Clic(fw::Control& ctl) {
        QTest::mouseClick(ctl.Widget(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(ctl.Width() / 2, ctl.Height() / 2));
    }

    vx::wMain* m = nullptr;
    vx::wPalette* p = nullptr;
    DragCanvas* c = nullptr;
    fw::Integer font = 0, altroFont = 0;
};

// One edit through the palette: what the user does, and what every selected
// field must hold afterwards.
struct Modifica {
    const char* nome;
    std::function<void(EditoriTest&, vx::wPalette&)> agisci;
    // Run before the edit, with the palette showing the selection.
    std::function<void(Stato&, vx::wPalette&)> atteso;
};

class EditoriTabella : public EditoriTest {
  protected:
    // Runs the edit on the selection and checks every field, the flag and the
    // screen. Unselected fields must not change at all.
    void Prova(const Modifica& mod, int quanti) {
        SCOPED_TRACE(std::string(mod.nome) + ", selezionati: " + std::to_string(quanti));
        std::vector<Stato> attesi = Stati();
        for (std::size_t i = 0; i < c->vCampi.size(); ++i) {
            if (c->vCampi[i]->selezionato) mod.atteso(attesi[i], *p);
        }
        mod.agisci(*this, *p);
        EXPECT_EQ(Stati(), attesi);
        EXPECT_TRUE(c->modificato);
        EXPECT_TRUE(SchermoAggiornato());
        EXPECT_EQ(fw::testing::PendingAnswers(), 0u);
    }

    // Three fields that differ in everything an editor writes; a fourth stays
    // out of every selection.
    void Pagina3() {
        a = Campo_(40, 40, "Alfa");
        b = Campo_(200, 120, "Beta lunga");
        b->dimFont = 14;
        b->stileG = b->stileC = b->stileS = true;
        b->AllType = 2;
        b->pagina = 1;
        b->coloreEtich = 0x0000FF;
        b->riquadro->Width = 150;
        b->riquadro->Height = 30;
        b->iFont = altroFont;
        b->DimensEtichetta();
        d = Campo_(60, 300, "Delta");
        d->iCampo = 7;
        d->testoFisso = "";
        d->etichetta = Catalogo::Nome(7);
        d->DimensEtichetta();
        fuori = Campo_(300, 400, "Fuori");
        c->RidisegnaArea(0, 0, c->Width(), c->Height());
    }

    std::shared_ptr<Campo> a, b, d, fuori;
};

std::vector<Modifica> Modifiche() {
    auto scrivi = [](auto box, std::string testo) {
        return [box, testo](EditoriTest& t, vx::wPalette& p) { t.Scrivi(*(p.*box), testo); };
    };
    return {
        {"x", scrivi(&vx::wPalette::efX, "250"), [](Stato& s, vx::wPalette&) { s.tx = 250; }},
        {"x 0", scrivi(&vx::wPalette::efX, "0"), [](Stato& s, vx::wPalette&) { s.tx = 0; }},
        {"y", scrivi(&vx::wPalette::efY, "333"), [](Stato& s, vx::wPalette&) { s.ty = 333; }},
        {"larghezza", scrivi(&vx::wPalette::efLargh, "180"),
         [](Stato& s, vx::wPalette&) { s.w = 180; }},
        {"larghezza 3 diventa 6", scrivi(&vx::wPalette::efLargh, "3"),
         [](Stato& s, vx::wPalette&) { s.w = 6; }},
        {"altezza", scrivi(&vx::wPalette::efAlt, "45"), [](Stato& s, vx::wPalette&) { s.h = 45; }},
        {"altezza 0 diventa 6", scrivi(&vx::wPalette::efAlt, "0"),
         [](Stato& s, vx::wPalette&) { s.h = 6; }},
        {"dimensione", scrivi(&vx::wPalette::efDimFont, "24"),
         [](Stato& s, vx::wPalette&) { s.dimFont = 24; }},
        {"dimensione 0", scrivi(&vx::wPalette::efDimFont, "0"),
         [](Stato& s, vx::wPalette&) { s.dimFont = 0; }},
        {"testo fisso", scrivi(&vx::wPalette::efTestoFisso, "Intestazione"),
         [](Stato& s, vx::wPalette&) {
             s.iCampo = 0;
             s.testoFisso = s.etichetta = "Intestazione";
         }},
        {"colore",
         [](EditoriTest& t, vx::wPalette& p) {
             fw::testing::AnswerSelectColor(true, 0xD01020);
             t.Clic(*p.canColore);
         },
         [](Stato& s, vx::wPalette&) { s.colore = 0xD01020; }},
        {"grassetto", [](EditoriTest& t, vx::wPalette& p) { t.Clic(*p.bbGrassetto); },
         [](Stato& s, vx::wPalette& p) { s.g = !p.bbGrassetto->Value(); }},
        {"corsivo", [](EditoriTest& t, vx::wPalette& p) { t.Clic(*p.bbCorsivo); },
         [](Stato& s, vx::wPalette& p) { s.c = !p.bbCorsivo->Value(); }},
        {"sottolineato", [](EditoriTest& t, vx::wPalette& p) { t.Clic(*p.bbSottolineato); },
         [](Stato& s, vx::wPalette& p) { s.s = !p.bbSottolineato->Value(); }},
        {"sinistra", [](EditoriTest& t, vx::wPalette& p) { t.Clic(*p.bbSinistra); },
         [](Stato& s, vx::wPalette& p) { s.allType = p.bbSinistra->Value() ? 0 : 1; }},
        {"centro", [](EditoriTest& t, vx::wPalette& p) { t.Clic(*p.bbCentro); },
         [](Stato& s, vx::wPalette& p) { s.allType = p.bbCentro->Value() ? 0 : 2; }},
        {"destra", [](EditoriTest& t, vx::wPalette& p) { t.Clic(*p.bbDestra); },
         [](Stato& s, vx::wPalette& p) { s.allType = p.bbDestra->Value() ? 0 : 3; }},
        {"font",
         [](EditoriTest&, vx::wPalette& p) {
             p.bbFont->ChooseRow(Modulo1::CercaFont("Liberation Sans"));
         },
         [](Stato& s, vx::wPalette&) { s.iFont = Modulo1::CercaFont("Liberation Sans"); }},
        {"pagina",
         [](EditoriTest&, vx::wPalette& p) { QTest::keyClick(p.pmPagina->Widget(), Qt::Key_End); },
         [](Stato& s, vx::wPalette&) { s.pagina = 2; }},
        {"campo del catalogo",
         [](EditoriTest& t, vx::wPalette& p) {
             // The first field of the walk takes the row; each later one is told
             // that the row is already on the page.
             for (std::size_t i = 1; i < t.Selezionati(); ++i) fw::testing::AnswerMsgBox();
             QTest::keyClick(p.pmCampi[0]->Widget(), Qt::Key_End);
         },
         [](Stato& s, vx::wPalette&) {
             s.iCampo = Catalogo::NUM_RIGHE - 1;
             s.testoFisso = "";
             s.etichetta = Catalogo::Nome(Catalogo::NUM_RIGHE - 1);
         }},
    };
}

TEST_F(EditoriTabella, OgniModificaSuUnoSuPiuESuNessunCampo) {
    for (const Modifica& mod : Modifiche()) {
        for (int quanti : {1, 3, 0}) {
            Sfoca();
            c->vCampi.clear();
            Pagina3();
            if (quanti == 1) Seleziona({b});
            if (quanti == 3) Seleziona({a, b, d});
            if (quanti == 0) Seleziona({});
            Prova(mod, quanti);
        }
    }
}

}  // namespace
