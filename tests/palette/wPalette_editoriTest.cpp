// The palette's editors driven by real key and mouse events on its controls,
// checked on every field and on the page's pixels against the page drawn afresh.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "Pixel.h"
#include "document/App.h"
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

    // Three fields that differ in everything an editor writes; a fourth, over
    // the second, stays out of every selection.
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
        fuori = Campo_(250, 130, "Fuori");  // over b, and drawn after it
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

// An edit on several fields undone by hand gives back every field as it was.
TEST_F(EditoriTabella, UnaModificaAnnullataAManoLasciaTuttoComEra) {
    struct Andata {
        const char* nome;
        std::function<void()> fai, disfai;
    };
    c->vCampi.clear();
    Pagina3();
    // What the three selected fields share, so that typing it back undoes.
    for (auto& k : {a, b, d}) {
        k->tx = 40;
        k->ty = 120;
        k->riquadro->Width = 90;
        k->riquadro->Height = 20;
        k->dimFont = 12;
        k->stileG = k->stileC = k->stileS = false;
        k->AllType = 0;
        k->pagina = 0;
        k->coloreEtich = 0x000000;
        k->iFont = font;
        k->iCampo = 0;
        k->testoFisso = k->etichetta = "Non definito";
        k->DimensEtichetta();
    }
    const std::vector<Andata> andate = {
        {"x", [&] { Scrivi(*p->efX, "77"); }, [&] { Scrivi(*p->efX, "40"); }},
        {"y", [&] { Scrivi(*p->efY, "7"); }, [&] { Scrivi(*p->efY, "120"); }},
        {"larghezza", [&] { Scrivi(*p->efLargh, "300"); }, [&] { Scrivi(*p->efLargh, "90"); }},
        {"altezza", [&] { Scrivi(*p->efAlt, "2"); }, [&] { Scrivi(*p->efAlt, "20"); }},
        {"dimensione", [&] { Scrivi(*p->efDimFont, "30"); }, [&] { Scrivi(*p->efDimFont, "12"); }},
        {"testo", [&] { Scrivi(*p->efTestoFisso, "Altro"); },
         [&] { Scrivi(*p->efTestoFisso, "Non definito"); }},
        {"grassetto", [&] { Clic(*p->bbGrassetto); }, [&] { Clic(*p->bbGrassetto); }},
        {"corsivo", [&] { Clic(*p->bbCorsivo); }, [&] { Clic(*p->bbCorsivo); }},
        {"sottolineato", [&] { Clic(*p->bbSottolineato); }, [&] { Clic(*p->bbSottolineato); }},
        {"destra", [&] { Clic(*p->bbDestra); }, [&] { Clic(*p->bbDestra); }},
        {"font", [&] { p->bbFont->ChooseRow(altroFont); }, [&] { p->bbFont->ChooseRow(font); }},
        {"pagina", [&] { QTest::keyClick(p->pmPagina->Widget(), Qt::Key_End); },
         [&] { QTest::keyClick(p->pmPagina->Widget(), Qt::Key_Home); }},
        {"colore",
         [&] {
             fw::testing::AnswerSelectColor(true, 0x00FF00);
             Clic(*p->canColore);
         },
         [&] {
             fw::testing::AnswerSelectColor(true, 0x000000);
             Clic(*p->canColore);
         }},
        {"campo del catalogo",
         [&] {
             fw::testing::AnswerMsgBox();
             fw::testing::AnswerMsgBox();
             QTest::keyClick(p->pmCampi[0]->Widget(), Qt::Key_Down);
         },
         [&] { QTest::keyClick(p->pmCampi[0]->Widget(), Qt::Key_Home); }},
    };
    for (const Andata& x : andate) {
        SCOPED_TRACE(x.nome);
        Sfoca();
        Seleziona({a, b, d});
        const std::vector<Stato> prima = Stati();
        x.fai();
        EXPECT_NE(Stati(), prima);
        Sfoca();
        Seleziona({a, b, d});
        x.disfai();
        Sfoca();
        EXPECT_EQ(Stati(), prima);
        EXPECT_TRUE(c->modificato);
        EXPECT_TRUE(SchermoAggiornato());
        EXPECT_EQ(fw::testing::PendingAnswers(), 0u);
    }
}

// Empty, huge, negative and non-numeric texts in the numeric boxes.
TEST_F(EditoriTest, NumeriVuotiEnormiNegativiONonNumerici) {
    auto k = Campo_(100, 100);
    Seleziona({k});
    const Stato prima(*k);

    // An emptied box changes no field; its TextChange has marked the layout.
    for (fw::EditField* box : std::initializer_list<fw::EditField*>{
             p->efX.get(), p->efY.get(), p->efLargh.get(), p->efAlt.get(), p->efDimFont.get(),
             p->efTestoFisso.get()}) {
        c->modificato = false;
        Scrivi(*box, "");
        EXPECT_EQ(Stato(*k), prima) << box->Name();
        EXPECT_TRUE(c->modificato) << box->Name();
    }

    struct Caso {
        fw::EditField* box;
        const char* testo;  // put there in code: the keyboard only gives digits
        std::function<void(Stato&)> atteso;
        const char* mostrato;
    };
    const fw::Integer massimo = 2147483647;
    const std::vector<Caso> casi = {
        {p->efX.get(), "99999999999", [&](Stato& s) { s.tx = massimo; }, "99999999999"},
        {p->efX.get(), "-40", [](Stato& s) { s.tx = -40; }, "-40"},
        {p->efY.get(), "-99999999999", [](Stato& s) { s.ty = -2147483647 - 1; }, "-99999999999"},
        {p->efY.get(), "abc", [](Stato& s) { s.ty = 0; }, "abc"},
        {p->efLargh.get(), "99999999999", [&](Stato& s) { s.w = massimo; }, "99999999999"},
        {p->efLargh.get(), "-5", [](Stato& s) { s.w = 6; }, "6"},
        {p->efAlt.get(), "12abc", [](Stato& s) { s.h = 12; }, "12abc"},
        {p->efAlt.get(), "x", [](Stato& s) { s.h = 6; }, "6"},
        {p->efDimFont.get(), "99999999999", [&](Stato& s) { s.dimFont = massimo; }, "99999999999"},
        {p->efDimFont.get(), "-8", [](Stato& s) { s.dimFont = -8; }, "-8"},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.box->Name() + " " + caso.testo);
        Stato atteso(*k);
        caso.atteso(atteso);
        QApplication::setActiveWindow(p->Widget());
        caso.box->SetFocus();
        caso.box->SetText(caso.testo);
        Sfoca();
        EXPECT_EQ(Stato(*k), atteso);
        EXPECT_EQ(caso.box->Text(), caso.mostrato);
        EXPECT_TRUE(SchermoAggiornato());
        // Back to a field in sight for the next case.
        k->tx = k->ty = 100;
        k->riquadro->Width = 100;
        k->riquadro->Height = 14;
        k->dimFont = 10;
        k->DimensEtichetta();
        c->RidisegnaArea(0, 0, c->Width(), c->Height());
    }
}

// A fixed text is one column of a line of the configuration file: Tab leaves
// the box, and a TAB or line break pasted into it becomes a space.
TEST_F(EditoriTest, IlTestoFissoStaSuUnaRiga) {
    auto k = Campo_(100, 100);
    Seleziona({k});
    auto* box = static_cast<QLineEdit*>(p->efTestoFisso->Widget());
    QApplication::setActiveWindow(p->Widget());
    p->efTestoFisso->SetFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, "Uno");
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_FALSE(box->hasFocus());
    EXPECT_EQ(k->testoFisso, "Uno");

    for (const char* incollato : {"Via Roma\t12", "Riga uno\nRiga due", "A\r\nB\rC"}) {
        SCOPED_TRACE(incollato);
        p->efTestoFisso->SetFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QApplication::clipboard()->setText(QString::fromUtf8(incollato));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Tab);
        EXPECT_EQ(k->testoFisso.find_first_of("\t\r\n"), std::string::npos) << k->testoFisso;
        EXPECT_EQ(k->etichetta, k->testoFisso);
        EXPECT_FALSE(k->testoFisso.empty());
    }
    // Text put into the box another way is cleaned as well, and the box shows it.
    p->efTestoFisso->SetFocus();
    p->efTestoFisso->SetText("Sede\tlegale\r\n");
    Sfoca();
    EXPECT_EQ(k->testoFisso, "Sede legale  ");
    EXPECT_EQ(p->efTestoFisso->Text(), "Sede legale  ");
    EXPECT_TRUE(SchermoAggiornato());
}

// A fixed text longer than a line edit holds by default (a file may carry one)
// is shown whole, and entering and leaving the box leaves it whole.
TEST_F(EditoriTest, UnTestoFissoLunghissimoPassaDallaCasellaIntero) {
    const std::string lungo = "Inizio " + std::string(100000, 'x') + " fine";
    auto k = Campo_(100, 100, lungo);
    Seleziona({k});
    EXPECT_EQ(p->efTestoFisso->Text(), lungo);
    QApplication::setActiveWindow(p->Widget());
    p->efTestoFisso->SetFocus();
    Sfoca();
    EXPECT_EQ(k->testoFisso, lungo);
}

// The catalogue popup warns once per selected field after the first that finds
// its row taken, or while 30 fixed texts or more are on the page; each field is
// changed all the same.
TEST_F(EditoriTest, AvvisiDelCatalogo) {
    const std::string giaInserito = "Attenzione: hai già inserito questo campo nel modulo.";
    const std::string limite =
        "Attenzione: stai superando il limite massimo di 30 testi fissi per modulo.";
    auto messaggi = [] {
        std::vector<std::string> v;
        for (auto& d : fw::testing::Shown()) v.push_back(d.message);
        return v;
    };
    auto x = Campo_(50, 50), y = Campo_(50, 100);
    Seleziona({x, y});
    fw::testing::AnswerMsgBox();
    QTest::keyClick(p->pmCampi[0]->Widget(), Qt::Key_Down);  // row 1
    EXPECT_EQ(messaggi(), std::vector<std::string>{giaInserito});
    for (auto& k : {x, y}) {
        EXPECT_EQ(k->iCampo, 1);
        EXPECT_EQ(k->testoFisso, "");
        EXPECT_EQ(k->etichetta, Catalogo::Nome(1));
    }
    EXPECT_FALSE(p->efTestoFisso->Enabled());
    EXPECT_EQ(p->efTestoFisso->Text(), "");

    // 29 fixed texts besides the two data fields: the second of the walk finds
    // them and the first, now a fixed text too.
    for (int i = 0; i < 29; ++i) Campo_(300, 20 * i);
    fw::testing::ClearShown();
    Seleziona({x, y});
    fw::testing::AnswerMsgBox();
    QTest::keyClick(p->pmCampi[0]->Widget(), Qt::Key_Home);
    EXPECT_EQ(messaggi(), std::vector<std::string>{limite});
    for (auto& k : {x, y}) {
        EXPECT_EQ(k->iCampo, 0);
        EXPECT_EQ(k->testoFisso, "Non definito");
        EXPECT_EQ(k->etichetta, "Non definito");
    }
    EXPECT_TRUE(p->efTestoFisso->Enabled());
    EXPECT_EQ(p->efTestoFisso->Text(), "Non definito");
    EXPECT_TRUE(SchermoAggiornato());
    EXPECT_EQ(fw::testing::PendingAnswers(), 0u);

    // While the palette shows a row itself, the popup's handler stays out.
    Seleziona({x});
    c->modificato = false;
    p->efTestoFisso->SetEnabled(false);
    p->editato = false;
    p->pmCampi[0]->SetListIndex(5);
    p->editato = true;
    EXPECT_EQ(x->iCampo, 0);
    EXPECT_FALSE(p->efTestoFisso->Enabled());
    EXPECT_FALSE(c->modificato);
}

// An alignment toggle releases its siblings only when it changed a field.
TEST_F(EditoriTest, GliAllineamentiSiEscludonoSoloSuiCampiScelti) {
    auto k = Campo_(100, 100);
    Seleziona({});
    p->bbSinistra->SetValue(true);
    p->bbCentro->SetValue(true);
    Clic(*p->bbDestra);
    EXPECT_TRUE(p->bbSinistra->Value());
    EXPECT_TRUE(p->bbCentro->Value());
    EXPECT_TRUE(p->bbDestra->Value());
    EXPECT_EQ(k->AllType, 0);

    Seleziona({k});
    p->bbSinistra->SetValue(true);
    p->bbCentro->SetValue(true);
    Clic(*p->bbDestra);
    EXPECT_EQ(k->AllType, 3);
    EXPECT_FALSE(p->bbSinistra->Value());
    EXPECT_FALSE(p->bbCentro->Value());
    Clic(*p->bbDestra);
    EXPECT_EQ(k->AllType, 0);
    EXPECT_TRUE(SchermoAggiornato());
}

// The swatch: the chooser opens with its prompt; a cancel changes nothing; a
// choice fills the swatch's inside; every Paint shows it black.
TEST_F(EditoriTest, IlRiquadroDelColore) {
    auto k = Campo_(100, 100);
    Seleziona({k});
    fw::Graphics& g = p->canColore->Graphics();
    fw::testing::AnswerSelectColor(false, 0xFF0000);
    Clic(*p->canColore);
    ASSERT_EQ(fw::testing::Shown().size(), 1u);
    EXPECT_EQ(fw::testing::Shown()[0].message, "Seleziona un colore");
    EXPECT_EQ(k->coloreEtich, 0x000000u);
    EXPECT_FALSE(c->modificato);

    fw::testing::AnswerSelectColor(true, 0x3366CC);
    EXPECT_FALSE(p->canColore_MouseDown(1, 1));
    EXPECT_EQ(k->coloreEtich, 0x3366CCu);
    EXPECT_TRUE(c->modificato);
    EXPECT_EQ(g.Pixel(1, 1), 0x3366CCu);
    EXPECT_EQ(g.Pixel(55, 16), 0x3366CCu);
    EXPECT_NE(g.Pixel(0, 0), 0x3366CCu);

    p->canColore_Paint(g);
    for (auto [x, y] : {std::pair{0, 0}, {1, 1}, {55, 16}, {55, 0}, {0, 16}}) {
        EXPECT_EQ(g.Pixel(x, y), 0x000000u) << x << "," << y;
    }
}

// The font menu lists the installed fonts; a choice with nothing selected still
// names the font on the button.
TEST_F(EditoriTest, IlMenuDeiFont) {
    ASSERT_EQ(p->bbFont->ListCount(), fw::FontCount());
    for (fw::Integer i = 0; i < fw::FontCount(); ++i) EXPECT_EQ(p->bbFont->List(i), fw::Font(i));
    auto k = Campo_(100, 100);
    Seleziona({});
    p->bbFont->ChooseRow(altroFont);
    EXPECT_EQ(p->bbFont->Caption(), "Liberation Serif");
    EXPECT_EQ(k->iFont, font);
    EXPECT_TRUE(c->modificato);
}

// The three buttons run the main window's commands.
TEST_F(EditoriTest, AggiungiDuplicaElimina) {
    auto k = Campo_(100, 100);
    Seleziona({k});
    Clic(*p->pbDuplica);
    ASSERT_EQ(c->vCampi.size(), 2u);
    EXPECT_EQ(c->vCampi[1]->tx, 114);
    EXPECT_TRUE(c->vCampi[1]->selezionato);
    EXPECT_FALSE(k->selezionato);
    EXPECT_TRUE(c->modificato);

    fw::testing::AnswerMessageDialog(fw::testing::Answer::Button::Action);
    Clic(*p->pbElimina);
    ASSERT_EQ(c->vCampi.size(), 1u);
    EXPECT_EQ(c->vCampi[0], k);
    EXPECT_TRUE(SchermoAggiornato());

    vx::App app;  // the add command reads the default font from its preferences
    ASSERT_EQ(fw::Application::Instance(), &app);
    c->modificato = false;
    Clic(*p->pbAggiungi);
    ASSERT_EQ(c->vCampi.size(), 2u);
    EXPECT_EQ(c->vCampi[1]->testoFisso, "Non definito");
    EXPECT_TRUE(c->modificato);
    EXPECT_EQ(fw::testing::PendingAnswers(), 0u);
}

// Showing the selection marks the layout modified only through the boxes it
// rewrites: with no field on the page nothing is written, and a mixed page
// placement shown by the palette reaches no field.
TEST_F(EditoriTest, MostrareLaSelezioneNonModificaICampi) {
    c->modificato = false;
    p->Popola();
    p->PopolaDim();
    EXPECT_FALSE(c->modificato);

    auto x = Campo_(50, 50), y = Campo_(50, 100);
    y->pagina = 2;
    Seleziona({x, y});
    EXPECT_EQ(p->pmPagina->ListIndex(), -1);
    EXPECT_EQ(x->pagina, 0);
    EXPECT_EQ(y->pagina, 2);
    p->bbGrassetto->SetValue(true);
    p->bbFont->SetMenuValue(altroFont);
    EXPECT_FALSE(c->modificato);
    EXPECT_FALSE(x->stileG);
    EXPECT_EQ(x->iFont, font);
}

}  // namespace
