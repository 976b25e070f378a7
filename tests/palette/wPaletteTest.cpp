// The palette window: its controls as the user sees them, the catalogue lookup,
// and what it shows of the selection on the main window's canvas, driven by real
// mouse events.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFontInfo>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "Aiuti.h"
#include "Pixel.h"
#include "document/wMain.h"
#include "framework/Fonts.h"
#include "framework/Testing.h"
#include "layout/Campo.h"
#include "layout/DragCanvas.h"
#include "layout/Modulo1.h"
#include "palette/Catalogo.h"
#include "palette/wPalette.h"

using fw::Color;
using fw::Integer;
using fw::String;

namespace {

using prova::Aggiorna;

// A field's properties, as a test writes them and as it reads them back.
struct Dati {
    Integer tx = 100, ty = 100;
    double w = 100, h = 14;
    Integer iCampo = 0;
    String testoFisso = "Non definito";
    Integer iFont = 0, dimFont = 10;
    bool g = false, c = false, s = false;
    Color colore = 0x000000;
    Integer pagina = 0, allineamento = 0;
    bool selezionato = true;

    bool operator==(const Dati&) const = default;
};

Dati Leggi(const Campo& k) {
    return {k.tx,         k.ty,          k.riquadro->Width, k.riquadro->Height, k.iCampo,
            k.testoFisso, k.iFont,       k.dimFont,         k.stileG,           k.stileC,
            k.stileS,     k.coloreEtich, k.pagina,          k.AllType,          k.selezionato};
}

void PrintTo(const Dati& d, std::ostream* os) {
    *os << "(" << d.tx << "," << d.ty << " " << d.w << "x" << d.h << ") riga " << d.iCampo << " \""
        << d.testoFisso << "\" font " << d.iFont << " dim " << d.dimFont << " stili " << d.g << d.c
        << d.s << " colore " << std::hex << d.colore << std::dec << " pagina " << d.pagina
        << " allin " << d.allineamento << (d.selezionato ? " sel" : "");
}

// What the palette shows.
struct Mostrato {
    String x, y, w, h;
    Integer riga = 0;
    String testo;
    bool testoAttivo = true;
    Integer font = 0;
    String carattere;  // the font button's caption
    String dim;
    bool g = false, c = false, s = false, sx = false, ce = false, dx = false;
    Color colore = 0;
    Integer pagina = 0;

    bool operator==(const Mostrato&) const = default;
};

void PrintTo(const Mostrato& m, std::ostream* os) {
    *os << "pos [" << m.x << "," << m.y << "," << m.w << "," << m.h << "] riga " << m.riga
        << " testo \"" << m.testo << "\"" << (m.testoAttivo ? " attivo" : " spento") << " font "
        << m.font << " \"" << m.carattere << "\" dim \"" << m.dim << "\" stili " << m.g << m.c
        << m.s << " allin " << m.sx << m.ce << m.dx << " colore " << std::hex << m.colore
        << std::dec << " pagina " << m.pagina;
}

class Palette : public ::testing::Test {
  protected:
    void SetUp() override {
        fw::testing::HoldShift(false);
        c.vCampi.clear();
        ASSERT_NE(c.palette, nullptr);  // the main window tells the palette
        p.Init();
        p.Reset();
        // What Reset leaves alone.
        p.bbSinistra->SetValue(false);
        p.bbCentro->SetValue(false);
        p.bbDestra->SetValue(false);
        p.efTestoFisso->SetEnabled(true);
        c.modificato = false;
    }
    void TearDown() override {
        for (auto& ripristina : ripristini) ripristina();
        c.vCampi.clear();
        fw::testing::HoldShift(std::nullopt);
    }

    std::shared_ptr<Campo> Aggiungi(const Dati& d) {
        auto k = std::make_shared<Campo>();
        k->tx = d.tx;
        k->ty = d.ty;
        k->riquadro->Width = d.w;
        k->riquadro->Height = d.h;
        k->iCampo = d.iCampo;
        k->testoFisso = d.testoFisso;
        k->etichetta = d.iCampo == 0 ? d.testoFisso : Catalogo::Nome(d.iCampo);
        k->iFont = d.iFont;
        k->dimFont = d.dimFont;
        k->stileG = d.g;
        k->stileC = d.c;
        k->stileS = d.s;
        k->coloreEtich = d.colore;
        k->pagina = d.pagina;
        k->AllType = d.allineamento;
        k->selezionato = d.selezionato;
        k->DimensEtichetta();
        c.vCampi.push_back(k);
        return k;
    }

    Mostrato Letto() {
        Mostrato m;
        m.x = p.efX->Text();
        m.y = p.efY->Text();
        m.w = p.efLargh->Text();
        m.h = p.efAlt->Text();
        m.riga = p.pmCampi[0]->ListIndex();
        m.testo = p.efTestoFisso->Text();
        m.testoAttivo = p.efTestoFisso->Enabled();
        m.font = p.bbFont->MenuValue();
        m.carattere = p.bbFont->Caption();
        m.dim = p.efDimFont->Text();
        m.g = p.bbGrassetto->Value();
        m.c = p.bbCorsivo->Value();
        m.s = p.bbSottolineato->Value();
        m.sx = p.bbSinistra->Value();
        m.ce = p.bbCentro->Value();
        m.dx = p.bbDestra->Value();
        // Inside the swatch's 1-pixel border.
        m.colore = p.canColore->Graphics().Pixel(28, 9);
        m.pagina = p.pmPagina->ListIndex();
        return m;
    }

    // Counts the calls of a handler the palette bound, which still runs.
    template <class F>
    void Conta(F& evento, int& n) {
        F originale = evento;
        evento = [originale, &n](auto... a) {
            ++n;
            return originale(a...);
        };
        ripristini.push_back([&evento, originale] { evento = originale; });
    }

    vx::wPalette& p = ::wPalette();
    DragCanvas& c = *::wMain().DragCanvas1;
    std::vector<std::function<void()>> ripristini;
};

}  // namespace

TEST_F(Palette, UnaSolaFinestraAperta) {
    EXPECT_EQ(&::wPalette(), &p);
    EXPECT_TRUE(p.editato);
    EXPECT_EQ(p.Frame(), 3);
    EXPECT_EQ(p.Title(), "");
    EXPECT_EQ(p.Width(), 320);
    EXPECT_EQ(p.Height(), 264);
    // Open ran once: moved by the user, the window stays there.
    p.SetLeft(610);
    p.SetTop(55);
    EXPECT_EQ(::wPalette().Left(), 610);
    EXPECT_EQ(::wPalette().Top(), 55);
    p.SetLeft(600);
    p.SetTop(40);
}

// Every control, in creation order, where it stands and what it says.
TEST_F(Palette, ControlliInOrdineDiCreazione) {
    enum Carattere { Nessuno, Geneva10, System12 };
    struct Riga {
        const char* nome;
        Integer left, top, width, height;
        const char* testo;
        Carattere carattere;
    };
    const Riga righe[] = {
        {"pbAggiungi", 20, 224, 83, 20, "Aggiungi", System12},
        {"StaticText1", 20, 15, 74, 18, "Campo:", Geneva10},
        {"StaticText2", 20, 37, 74, 18, "Testo fisso:", Geneva10},
        {"StaticText3", 20, 59, 74, 18, "Sinistra:", Geneva10},
        {"StaticText4", 20, 81, 74, 18, "Superiore:", Geneva10},
        {"StaticText5", 164, 59, 74, 18, "Larghezza:", Geneva10},
        {"StaticText6", 164, 81, 74, 18, "Altezza:", Geneva10},
        {"StaticText7", 20, 103, 74, 18, "Font:", Geneva10},
        {"StaticText8", 20, 125, 74, 18, "Dimensione:", Geneva10},
        {"StaticText9", 20, 147, 74, 18, "Stile:", Geneva10},
        {"StaticText10", 20, 169, 74, 18, "Colore testo:", Geneva10},
        {"StaticText12", 20, 191, 74, 18, "Pagina:", Geneva10},
        {"efTestoFisso", 106, 36, 194, 18, "", Geneva10},
        {"efX", 106, 58, 50, 18, "", Geneva10},
        {"efY", 106, 80, 50, 18, "", Geneva10},
        {"efLargh", 250, 58, 50, 18, "", Geneva10},
        {"efAlt", 250, 80, 50, 18, "", Geneva10},
        {"pmCampi", 106, 13, 194, 20, "<Testo fisso> ", Geneva10},
        {"pmPagina", 106, 190, 194, 19, "Su tutte|Su tutte tranne l'ultima|Solo sull'ultima",
         Geneva10},
        {"bbGrassetto", 106, 146, 18, 18, "G", System12},
        {"bbCorsivo", 136, 146, 18, 18, "C", System12},
        {"bbSottolineato", 166, 146, 18, 18, "S", System12},
        {"canColore", 106, 168, 57, 18, "", Nessuno},
        {"bbFont", 106, 102, 194, 18, "", Geneva10},
        {"stStatus", 20, 324, 180, 12, "", Geneva10},
        {"pbElimina", 215, 224, 85, 20, "Elimina", System12},
        {"lbCodCampi", 307, 13, 70, 18, "", System12},
        {"efDimFont", 106, 124, 50, 18, "", Geneva10},
        {"pbDuplica", 117, 224, 85, 20, "Duplica", System12},
        {"Rectangle1", 271, 143, 24, 24, "", Nessuno},
        {"bbDestra", 274, 146, 18, 18, "", System12},
        {"Rectangle2", 241, 143, 24, 24, "", Nessuno},
        {"bbCentro", 244, 146, 18, 18, "", System12},
        {"Rectangle3", 211, 143, 24, 24, "", Nessuno},
        {"bbSinistra", 214, 146, 18, 18, "", System12},
    };
    // The controls' widgets are the content's children, in the order they were made.
    std::vector<QWidget*> figli;
    for (QObject* o : p.Content()->children()) {
        if (auto* w = qobject_cast<QWidget*>(o)) figli.push_back(w);
    }
    ASSERT_EQ(figli.size(), std::size(righe));
    for (std::size_t i = 0; i < std::size(righe); ++i) {
        const Riga& r = righe[i];
        SCOPED_TRACE(r.nome);
        bool schiera = String(r.nome) == "pmCampi" || String(r.nome) == "lbCodCampi";
        fw::Control* k = p.ControlNamed(r.nome, schiera ? 0 : -1);
        ASSERT_NE(k, nullptr);
        EXPECT_EQ(k->Index(), schiera ? 0 : -1);
        EXPECT_EQ(k->Widget(), figli[i]);
        EXPECT_EQ(k->Left(), r.left);
        EXPECT_EQ(k->Top(), r.top);
        EXPECT_EQ(k->Width(), r.width);
        EXPECT_EQ(k->Height(), r.height);
        EXPECT_EQ(figli[i]->geometry(), QRect(r.left, r.top, r.width, r.height));
        EXPECT_EQ(figli[i]->isVisibleTo(p.Content()), String(r.nome) != "lbCodCampi");
        EXPECT_TRUE(k->Enabled());

        String testo;
        if (auto* pb = dynamic_cast<fw::PushButton*>(k)) testo = pb->Caption();
        if (auto* st = dynamic_cast<fw::StaticText*>(k)) testo = st->Text();
        if (auto* ef = dynamic_cast<fw::EditField*>(k)) testo = ef->Text();
        if (auto* bb = dynamic_cast<fw::BevelButton*>(k)) testo = bb->Caption();
        if (auto* pm = dynamic_cast<fw::PopupMenu*>(k)) {
            EXPECT_EQ(pm->ListIndex(), 0);
            if (pm == p.pmPagina.get()) {
                for (Integer j = 0; j < pm->ListCount(); ++j) testo += (j ? "|" : "") + pm->List(j);
            } else {
                testo = pm->List(0);
            }
        }
        EXPECT_EQ(testo, r.testo);

        if (r.carattere != Nessuno) {
            QFont f = figli[i]->font();
            EXPECT_EQ(QFontInfo(f).pixelSize(), r.carattere == Geneva10 ? 10 : 12);
            EXPECT_EQ(f.bold(), String(r.nome) == "bbGrassetto");
            EXPECT_EQ(f.italic(), String(r.nome) == "bbCorsivo");
            EXPECT_EQ(f.underline(), String(r.nome) == "bbSottolineato");
        }
    }

    // The six toggles flip at a click; the font button drops down a menu.
    for (auto* bb : {p.bbGrassetto.get(), p.bbCorsivo.get(), p.bbSottolineato.get(),
                     p.bbDestra.get(), p.bbCentro.get(), p.bbSinistra.get()}) {
        SCOPED_TRACE(bb->Name());
        auto* b = qobject_cast<QAbstractButton*>(bb->Widget());
        ASSERT_NE(b, nullptr);
        EXPECT_TRUE(b->isCheckable());
        EXPECT_FALSE(bb->Value());
    }
    auto* font = qobject_cast<QToolButton*>(p.bbFont->Widget());
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(font->isCheckable());
    EXPECT_NE(font->menu(), nullptr);

    // The alignment toggles: help texts, icons (centre shares the right one),
    // and the colour of the square around each.
    struct Allineamento {
        fw::BevelButton* bb;
        fw::RectangleControl* quadrato;
        const char* aiuto;
        std::shared_ptr<fw::Picture> icona;
        QRgb colore;
    };
    const Allineamento allineamenti[] = {
        {p.bbDestra.get(), p.Rectangle1.get(), "Allineamento destra", text_align_right(),
         qRgb(0xF8, 0x04, 0x04)},
        {p.bbCentro.get(), p.Rectangle2.get(), "Allineamento centrale", text_align_right(),
         qRgb(0x60, 0xC8, 0x65)},
        {p.bbSinistra.get(), p.Rectangle3.get(), "Allineamento sinistra", text_align_left(),
         qRgb(0x13, 0x09, 0xD6)},
    };
    for (const Allineamento& a : allineamenti) {
        SCOPED_TRACE(a.aiuto);
        EXPECT_EQ(a.bb->Widget()->toolTip().toStdString(), a.aiuto);
        ASSERT_NE(a.icona, nullptr);
        EXPECT_FALSE(qobject_cast<QToolButton*>(a.bb->Widget())->icon().isNull());
        QImage quadrato = a.quadrato->Widget()->grab().toImage();
        for (QPoint punto : {QPoint(0, 0), QPoint(1, 12), QPoint(12, 12), QPoint(23, 23)}) {
            EXPECT_EQ(prova::Colore(quadrato, punto.x(), punto.y()), a.colore & 0xFFFFFF)
                << punto.x();
        }
    }
}

TEST_F(Palette, IconeDiAllineamentoCaricateUnaVolta) {
    auto sinistra = text_align_left(), destra = text_align_right();
    ASSERT_NE(sinistra, nullptr);
    ASSERT_NE(destra, nullptr);
    EXPECT_EQ(text_align_left(), sinistra);
    EXPECT_EQ(text_align_right(), destra);
    auto figura = [](const fw::BevelButton& bb) {
        return qobject_cast<QToolButton*>(bb.Widget())->icon().pixmap(QSize(16, 16)).toImage();
    };
    // No picture of its own for the centre: it shows the right one.
    EXPECT_EQ(figura(*p.bbCentro), figura(*p.bbDestra));
    EXPECT_NE(figura(*p.bbSinistra), figura(*p.bbDestra));
}

TEST_F(Palette, IlCatalogoNeiDueControlli) {
    ASSERT_EQ(p.pmCampi.size(), 1u);
    ASSERT_EQ(p.lbCodCampi.size(), 1u);
    fw::PopupMenu& nomi = *p.pmCampi[0];
    fw::ListBox& codici = *p.lbCodCampi[0];
    ASSERT_EQ(nomi.ListCount(), 86);
    ASSERT_EQ(codici.ListCount(), 86);
    for (Integer r = 0; r < 86; ++r) {
        EXPECT_EQ(nomi.List(r), Catalogo::Nome(r)) << r;
        EXPECT_EQ(codici.List(r), Catalogo::Codice(r)) << r;
        // Code, row and name map one to one.
        EXPECT_EQ(p.CercaCampo(codici.List(r)), r);
    }
    const std::pair<const char*, Integer> casi[] = {
        {"", 0},    {"24", 1},  {"D13", 41}, {"D2", 44},  {"59", 85},  {"3", -1},
        {"92", -1}, {"-1", -1}, {"24 ", -1}, {" 24", -1}, {"024", -1}, {"d2", -1},
    };
    for (auto [codice, riga] : casi) EXPECT_EQ(p.CercaCampo(codice), riga) << '"' << codice << '"';
}

TEST_F(Palette, InitMostraIlCatalogoAlSuoPosto) {
    for (int volta = 0; volta < 2; ++volta) {
        p.pmCampi[0]->SetBounds(0, 0, 194, 20);
        p.Init();
        EXPECT_TRUE(p.pmCampi[0]->Visible());
        EXPECT_EQ(p.pmCampi[0]->Left(), 106);
        EXPECT_EQ(p.pmCampi[0]->Top(), 13);
    }
}

// What the palette shows for a selection, case by case; fields are listed in
// list order.
TEST_F(Palette, PopolaMostraLaSelezione) {
    const Integer f = 2, altro = 3;
    const String nomeF = fw::Font(f);
    Dati base;
    base.iFont = f;
    struct Caso {
        const char* nome;
        std::vector<Dati> campi;
        Mostrato atteso;
    };
    auto con = [&](std::function<void(Dati&)> cambia) {
        Dati d = base;
        cambia(d);
        return d;
    };
    const Caso casi[] = {
        {"un testo fisso",
         {base},
         {"100", "100", "100", "14", 0, "Non definito", true, f, nomeF, "10"}},
        {"un campo dati, ogni stile, a destra, in rosso, sull'ultima pagina",
         {con([](Dati& d) {
             d.iCampo = 44;
             d.testoFisso = "";
             d.g = d.c = d.s = true;
             d.allineamento = 3;
             d.colore = 0xF80404;
             d.pagina = 2;
         })},
         {"100", "100", "100", "14", 44, "", false, f, nomeF, "10", true, true, true, false, false,
          true, 0xF80404, 2}},
        {"uno a x 0 e y negativa, largo 100.7",
         {con([](Dati& d) {
             d.tx = 0;
             d.ty = -5;
             d.w = 100.7;
         })},
         {"", "-5", "100", "14", 0, "Non definito", true, f, nomeF, "10"}},
        {"un campo a riga -1 tiene il suo testo",
         {con([](Dati& d) {
             d.iCampo = -1;
             d.testoFisso = "xyz";
         })},
         {"100", "100", "100", "14", -1, "xyz", true, f, nomeF, "10"}},
        {"tre uguali, uno diverso non selezionato in mezzo",
         {con([](Dati& d) { d.allineamento = 1; }), con([](Dati& d) {
              d.selezionato = false;
              d.tx = 5;
              d.iCampo = 7;
              d.allineamento = 2;
          }),
          con([](Dati& d) { d.allineamento = 1; }), con([](Dati& d) { d.allineamento = 1; })},
         {"100", "100", "100", "14", 0, "Non definito", true, f, nomeF, "10", false, false, false,
          true, false, false}},
        {"due grassetti a centro, stessa x, y diverse",
         {con([](Dati& d) {
              d.g = true;
              d.allineamento = 2;
          }),
          con([](Dati& d) {
              d.g = true;
              d.allineamento = 2;
              d.ty = 200;
          })},
         {"100", "", "100", "14", 0, "Non definito", true, f, nomeF, "10", true, false, false,
          false, true, false}},
        {"tutto diverso: il colore e' del primo",
         {con([](Dati& d) {
              d.iCampo = 5;
              d.testoFisso = "";
              d.g = true;
              d.allineamento = 1;
              d.colore = 0x00FF00;
              d.pagina = 1;
          }),
          con([](Dati& d) {
              d.tx = 101;
              d.ty = 99;
              d.w = 100.5;  // compared as a real with the whole 100
              d.h = 15;
              d.iFont = altro;
              d.dimFont = 12;
              d.allineamento = 2;
              d.colore = 0x0000FF;
          }),
          con([](Dati& d) {
              d.allineamento = 1;
              d.pagina = 1;
          })},
         {"", "", "", "", -1, "", true, -1, "", "", false, false, false, false, false, false,
          0x00FF00, -1}},
        {"un dato e un testo fisso: nessuna riga, casella vuota e attiva",
         {con([](Dati& d) {
              d.iCampo = 9;
              d.testoFisso = "";
          }),
          con([](Dati& d) { d.testoFisso = "Ciao"; })},
         {"100", "100", "100", "14", -1, "", true, f, nomeF, "10"}},
        {"campi sulla pagina ma nessuno selezionato",
         {con([](Dati& d) {
             d.selezionato = false;
             d.iCampo = 5;
             d.dimFont = 30;
             d.g = true;
             d.colore = 0xFF0000;
             d.pagina = 2;
             d.allineamento = 3;
         })},
         {"", "", "", "", 0, "", true, 0, fw::Font(0), ""}},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        c.vCampi.clear();
        p.Reset();
        for (const Dati& d : k.campi) Aggiungi(d);
        p.Popola();
        EXPECT_EQ(Letto(), k.atteso);
        EXPECT_TRUE(p.editato);
    }
}

TEST_F(Palette, PaginaVuotaNonScriveNiente) {
    Aggiungi(Dati{});
    p.Popola();
    Mostrato prima = Letto();
    c.vCampi.clear();
    int eventi = 0;
    Conta(p.efX->onTextChange, eventi);
    Conta(p.pmCampi[0]->onChange, eventi);
    Conta(p.pmPagina->onChange, eventi);
    p.Popola();
    p.PopolaDim();
    EXPECT_EQ(eventi, 0);
    EXPECT_EQ(Letto(), prima);
}

TEST_F(Palette, ResetSvuotaMaLasciaAllineamentoEStatoDelTesto) {
    Dati d;
    d.iCampo = 12;
    d.testoFisso = "";
    d.iFont = 1;
    d.g = d.c = d.s = true;
    d.colore = 0x123456;
    d.pagina = 2;
    d.allineamento = 2;
    Aggiungi(d);
    p.Popola();
    ASSERT_FALSE(p.efTestoFisso->Enabled());
    ASSERT_TRUE(p.bbCentro->Value());
    p.Reset();
    Mostrato atteso{"", "",    "",    "",    0,     "",   false, -1,       "",
                    "", false, false, false, false, true, false, 0xFFFFFF, 0};
    EXPECT_EQ(Letto(), atteso);
    EXPECT_TRUE(p.editato);
}

// Texts and rows set in code raise TextChange and Change once each, the
// catalogue popup's while editato is off; values set on bevel buttons raise no
// Action; and none of it reaches the fields.
TEST_F(Palette, GliEventiDiPopolaEResetNonToccanoICampi) {
    Dati a, b;
    a.iCampo = 5;
    a.testoFisso = "";
    a.iFont = 1;
    a.g = true;
    a.allineamento = 3;
    a.pagina = 1;
    b.tx = 140;
    b.w = 60;
    b.iFont = 2;
    b.dimFont = 14;
    b.g = true;
    b.allineamento = 1;
    b.pagina = 2;
    auto k1 = Aggiungi(a), k2 = Aggiungi(b);
    const Dati prima1 = Leggi(*k1), prima2 = Leggi(*k2);

    std::map<String, int> n;
    std::vector<bool> editatoNelCambio;
    for (auto* ef :
         {p.efTestoFisso.get(), static_cast<fw::EditField*>(p.efX.get()),
          static_cast<fw::EditField*>(p.efY.get()), static_cast<fw::EditField*>(p.efLargh.get()),
          static_cast<fw::EditField*>(p.efAlt.get()),
          static_cast<fw::EditField*>(p.efDimFont.get())}) {
        Conta(ef->onTextChange, n[ef->Name()]);
    }
    Conta(p.pmPagina->onChange, n["pmPagina"]);
    Conta(p.pmCampi[0]->onChange, n["pmCampi"]);
    auto cambio = p.pmCampi[0]->onChange;
    p.pmCampi[0]->onChange = [&, cambio] {
        editatoNelCambio.push_back(p.editato);
        cambio();
    };
    for (auto* bb : {p.bbGrassetto.get(), p.bbCorsivo.get(), p.bbSottolineato.get(),
                     p.bbSinistra.get(), p.bbCentro.get(), p.bbDestra.get(), p.bbFont.get()}) {
        Conta(bb->onAction, n["Action"]);
    }

    struct Passo {
        const char* nome;
        std::function<void()> esegui;
        std::map<String, int> attesi;
    };
    const std::map<String, int> tutti = {
        {"efTestoFisso", 1}, {"efX", 1},       {"efY", 1},      {"efLargh", 1},
        {"efAlt", 1},        {"efDimFont", 1}, {"pmPagina", 1}, {"pmCampi", 1},
    };
    const Passo passi[] = {
        {"Popola", [&] { p.Popola(); }, tutti},
        {"PopolaDim",
         [&] { p.PopolaDim(); },
         {{"efX", 1}, {"efY", 1}, {"efLargh", 1}, {"efAlt", 1}}},
        {"Popola di nuovo, stessi valori", [&] { p.Popola(); }, tutti},
        // Every caller empties the selection first.
        {"Reset",
         [&] {
             k1->selezionato = k2->selezionato = false;
             p.Reset();
         },
         tutti},
    };
    for (const Passo& passo : passi) {
        SCOPED_TRACE(passo.nome);
        for (auto& [nome, conta] : n) conta = 0;
        editatoNelCambio.clear();
        c.modificato = false;
        passo.esegui();
        for (auto& [nome, conta] : n) {
            auto it = passo.attesi.find(nome);
            EXPECT_EQ(conta, it == passo.attesi.end() ? 0 : it->second) << nome;
        }
        for (bool e : editatoNelCambio) EXPECT_FALSE(e);
        EXPECT_TRUE(p.editato);
        Dati ora1 = Leggi(*k1), ora2 = Leggi(*k2);
        ora1.selezionato = ora2.selezionato = true;
        EXPECT_EQ(ora1, prima1);
        EXPECT_EQ(ora2, prima2);
        // The boxes' TextChange marks the layout modified: the align commands rely on it.
        EXPECT_TRUE(c.modificato);
    }
}

// Real mouse events on the main window's canvas: the position and size boxes
// follow every step of a move and of a resize.
TEST_F(Palette, IlTrascinamentoAggiornaPosizioneEDimensioni) {
    ::wMain().Show();
    Aggiorna();
    Dati d;
    d.selezionato = false;
    auto k = Aggiungi(d);
    Dati d2;
    d2.tx = 300;
    d2.ty = 300;
    d2.selezionato = false;
    auto altro = Aggiungi(d2);
    c.RidisegnaArea(0, 0, c.Width(), c.Height());

    QWidget* w = c.Widget();
    auto invia = [w](QEvent::Type tipo, int x, int y) {
        QPointF punto(x, y);
        Qt::MouseButton pulsante = tipo == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        Qt::MouseButtons tenuti =
            tipo == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(tipo, punto, w->mapToGlobal(punto), pulsante, tenuti, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    auto caselle = [&] {
        return std::vector<String>{p.efX->Text(), p.efY->Text(), p.efLargh->Text(),
                                   p.efAlt->Text()};
    };

    // A click on the field selects it and shows it whole.
    invia(QEvent::MouseButtonPress, 150, 107);
    ASSERT_TRUE(k->selezionato);
    EXPECT_EQ(caselle(), (std::vector<String>{"100", "100", "100", "14"}));
    EXPECT_EQ(p.efTestoFisso->Text(), "Non definito");
    const std::pair<int, int> passiSposta[] = {{160, 112}, {175, 130}, {90, 60}, {56, 11}};
    for (auto [x, y] : passiSposta) {
        invia(QEvent::MouseMove, x, y);
        EXPECT_EQ(caselle(), (std::vector<String>{Modulo1::StrZeroVuoto(x - 50),
                                                  Modulo1::StrZeroVuoto(y - 7), "100", "14"}))
            << x << "," << y;
    }
    invia(QEvent::MouseButtonRelease, 56, 11);
    EXPECT_EQ(k->tx, 6);
    EXPECT_EQ(k->ty, 4);

    // Shift-click adds the other field: the common values are none.
    fw::testing::HoldShift(true);
    invia(QEvent::MouseButtonPress, 350, 307);
    invia(QEvent::MouseButtonRelease, 350, 307);
    fw::testing::HoldShift(false);
    ASSERT_TRUE(altro->selezionato);
    EXPECT_EQ(caselle(), (std::vector<String>{"", "", "100", "14"}));

    // Resizing by the other field's handle: its size shows while the first keeps
    // the common width until they differ.
    invia(QEvent::MouseButtonPress, 397, 311);
    ASSERT_TRUE(altro->ridimensiona);
    const std::pair<int, int> passiRidim[] = {{400, 320}, {420, 330}, {310, 302}};
    for (auto [x, y] : passiRidim) {
        invia(QEvent::MouseMove, x, y);
        int larg = std::max(x - 300, 6), alt = std::max(y - 300, 6);
        EXPECT_EQ(caselle(),
                  (std::vector<String>{"", "", larg == 100 ? "100" : "", alt == 14 ? "14" : ""}))
            << x << "," << y;
    }
    invia(QEvent::MouseButtonRelease, 310, 302);
    EXPECT_EQ(altro->riquadro->Width, 10);
    EXPECT_EQ(altro->riquadro->Height, 6);

    // Alone again, the resized field shows its own size at every step.
    invia(QEvent::MouseButtonPress, 450, 500);  // empty page: Reset
    invia(QEvent::MouseButtonRelease, 450, 500);
    EXPECT_EQ(caselle(), (std::vector<String>{"", "", "", ""}));
    invia(QEvent::MouseButtonPress, 307, 303);  // the 10 x 6 field's handle
    ASSERT_TRUE(altro->selezionato);
    ASSERT_TRUE(altro->ridimensiona);
    EXPECT_EQ(caselle(), (std::vector<String>{"300", "300", "10", "6"}));
    invia(QEvent::MouseMove, 380, 333);
    EXPECT_EQ(caselle(), (std::vector<String>{"300", "300", "80", "33"}));
    invia(QEvent::MouseButtonRelease, 380, 333);
}
