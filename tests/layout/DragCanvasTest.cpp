// The page canvas's drawing, list operations and background picture, and what it
// does with input that makes no sense.

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <limits>

#include "Aiuti.h"
#include "Pixel.h"
#include "layout/PaginaProva.h"

using fw::Integer;
using fw::testing::Answer;
using fw::testing::DialogKind;

namespace {

constexpr fw::Color kGrigio = 0xCED1D1;
const char* const kLimite =
    "Attenzione: stai superando il limite massimo di 30 testi fissi per modulo.";

class DragCanvasTest : public prova::PaginaTest {
  protected:
    fw::Color SulBuffer(int x, int y) { return c.buffer->Graphics().Pixel(x, y); }
    static fw::Color In(const QImage& i, int x, int y) { return prova::Colore(i, x, y); }
};

TEST_F(DragCanvasTest, UnaTelaNuova) {
    ASSERT_EQ(c.vSezioni.size(), 3u);
    const char* lettere[] = {"T", "D", "P"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(c.vSezioni[i]->etichetta->Text, lettere[i]);
    EXPECT_TRUE(c.vCampi.empty());
    EXPECT_EQ(c.rettSelez->tx, -1);
    EXPECT_EQ(c.rettSelez->ty, -1);
    EXPECT_EQ(c.rettSelez->Width, 0);
    EXPECT_FALSE(c.Backdrop());
    EXPECT_EQ(c.nomeFileSfondo, "");
    EXPECT_FALSE(c.modificato);
    EXPECT_EQ(c.campoCliccato, nullptr);
    EXPECT_EQ(c.sezioneTrascinata, nullptr);
}

TEST_F(DragCanvasTest, RidisegnaOggettiDisegnaInteroCioCheToccaIlRettangolo) {
    auto k = Campo_(200, 300, 100, 20);  // extent 101 x 21: x 200 to 301, y 300 to 321
    ASSERT_EQ(k->Larghezza(), 101);
    ASSERT_EQ(k->Altezza(), 21);
    struct Caso {
        int x, y, w, h;
        bool campo;
    };
    const Caso casi[] = {
        {301, 0, 10, 850, true},  {302, 0, 10, 850, false}, {190, 0, 10, 850, true},
        {189, 0, 10, 850, false}, {0, 321, 600, 5, true},   {0, 322, 600, 5, false},
        {0, 290, 600, 10, true},  {0, 289, 600, 10, false},
    };
    for (const Caso& p : casi) {
        c.buffer->Graphics().ClearRect(0, 0, 600, 850);
        c.RidisegnaOggetti(p.x, p.y, p.w, p.h);
        // Drawn whole, also far outside the rectangle.
        EXPECT_EQ(SulBuffer(250, 307) == kGrigio, p.campo) << p.x << "," << p.y;
    }
    // A section line is drawn when the rectangle meets the rows from 14 above it
    // down to the line itself.
    const int y = c.vSezioni[2]->posizY;  // 350
    const Caso linee[] = {
        {0, y, 600, 1, true},        {0, y - 30, 600, 16, true}, {0, y + 1, 600, 5, false},
        {0, y - 30, 600, 15, false}, {590, y, 10, 1, true},
    };
    for (const Caso& p : linee) {
        c.buffer->Graphics().ClearRect(0, 0, 600, 850);
        c.RidisegnaOggetti(p.x, p.y, p.w, p.h);
        EXPECT_EQ(SulBuffer(300, y) == 0xFF443Eu, p.campo) << p.y << "+" << p.h;
    }
}

TEST_F(DragCanvasTest, RidisegnaAreaCambiaSoloIlSuoRettangolo) {
    auto k = Campo_(100, 400);
    // The field is moved without a repaint, then one rectangle is repainted.
    struct Caso {
        int tx, x, y, w, h;
    };
    const Caso casi[] = {{300, 90, 390, 60, 40},
                         {300, 280, 395, 100, 30},
                         {500, 350, 380, 500, 600},  // reaches beyond the canvas
                         {20, -50, -50, 700, 1000}};
    for (const Caso& r : casi) {
        k->tx = r.tx;
        QImage prima = Schermo();
        c.RidisegnaArea(r.x, r.y, r.w, r.h);
        QImage dopo = Schermo();
        prova::Differenza d = prova::Confronta(prima, dopo);
        EXPECT_FALSE(d.Vuota()) << r.x;
        EXPECT_TRUE(d.Dentro(r.x, r.y, r.w, r.h)) << r.x << ": " << d.Testo();
        // Inside the rectangle the screen now shows the page.
        QImage pagina = Pagina();
        QRect dentro = QRect(r.x, r.y, r.w, r.h).intersected(QRect(0, 0, 600, 850));
        QRect dev = prova::Dispositivo(dentro, dopo.devicePixelRatio());
        EXPECT_EQ(dopo.copy(dev), pagina.copy(dev)) << r.x;
    }
    // A rectangle of negative size changes nothing on the screen.
    QImage prima = Schermo();
    c.RidisegnaArea(100000, 100000, -200000, -200000);
    c.RidisegnaArea(0, 0, -1, 850);
    EXPECT_TRUE(prova::Confronta(prima, Schermo()).Vuota());
}

TEST_F(DragCanvasTest, IlBufferRestaFinoAUnCambioDiMisura) {
    std::shared_ptr<fw::Picture> primo = c.buffer;
    ASSERT_TRUE(primo);
    EXPECT_EQ(primo->Width(), 600);
    c.RidisegnaArea(0, 0, 50, 50);
    c.Widget()->repaint();
    EXPECT_EQ(c.buffer, primo);
    for (auto [w, h] : {std::pair{700, 900}, {300, 200}, {300, 201}}) {
        std::shared_ptr<fw::Picture> vecchio = c.buffer;
        c.SetBounds(0, 0, w, h);
        c.RidisegnaArea(0, 0, 10, 10);
        ASSERT_TRUE(c.buffer);
        EXPECT_NE(c.buffer, vecchio);
        EXPECT_EQ(c.buffer->Width(), w);
        EXPECT_EQ(c.buffer->Height(), h);
        EXPECT_TRUE(SchermoAggiornato());
    }
}

TEST_F(DragCanvasTest, SelezionaCampoPortaInFondoSoloSelezionando) {
    auto a = Campo_(100, 100), b = Campo_(100, 200), d = Campo_(100, 300);
    EXPECT_CALL(palette, Popola()).Times(3);
    c.modificato = false;
    c.SelezionaCampo(c.vCampi[0], true);  // an element of the very list it reorders
    EXPECT_EQ(c.vCampi, (std::vector<std::shared_ptr<Campo>>{b, d, a}));
    EXPECT_TRUE(a->selezionato);
    EXPECT_TRUE(SchermoAggiornato());
    c.SelezionaCampo(b, true);
    EXPECT_EQ(c.vCampi, (std::vector<std::shared_ptr<Campo>>{d, a, b}));
    c.SelezionaCampo(a, false);
    EXPECT_EQ(c.vCampi, (std::vector<std::shared_ptr<Campo>>{d, a, b}));
    EXPECT_FALSE(a->selezionato);
    EXPECT_TRUE(SchermoAggiornato());
    EXPECT_FALSE(c.modificato);
}

TEST_F(DragCanvasTest, AggiungiCampoAvvisaDalTrentesimoTestoFisso) {
    EXPECT_EQ(c.CercaCampo(0), 0);
    for (int i = 0; i < 29; ++i) c.AggiungiCampo();
    auto dato = c.AggiungiCampo();
    dato->iCampo = 5;  // data fields do not count
    c.modificato = false;
    QImage prima = Schermo();
    auto k = c.AggiungiCampo();  // 29 fixed texts before it
    EXPECT_TRUE(fw::testing::Shown().empty());
    EXPECT_TRUE(c.modificato);
    EXPECT_EQ(c.vCampi.back(), k);
    EXPECT_FALSE(k->selezionato);
    EXPECT_EQ(k->testoFisso, "Non definito");
    EXPECT_EQ(k->tx, 100);
    EXPECT_TRUE(prova::Confronta(prima, Schermo()).Vuota());  // not drawn
    EXPECT_EQ(c.CercaCampo(0), 30);
    EXPECT_EQ(c.CercaCampo(5), 1);
    k->selezionato = true;
    EXPECT_EQ(c.CercaCampo(0), 30);  // selected or not

    fw::testing::AnswerMsgBox();
    c.AggiungiCampo();
    ASSERT_EQ(fw::testing::Shown().size(), 1u);
    EXPECT_EQ(fw::testing::Shown()[0].kind, DialogKind::MsgBox);
    EXPECT_EQ(fw::testing::Shown()[0].message, kLimite);
    EXPECT_EQ(c.CercaCampo(0), 31);
    EXPECT_EQ(c.vCampi.size(), 32u);
}

TEST_F(DragCanvasTest, SelezionaTuttiMostraLeManiglieEAvvisaLaTavolozza) {
    auto a = Campo_(100, 100), b = Campo_(150, 105), d = Campo_(400, 600);
    c.modificato = false;
    {
        ::testing::InSequence ordine;
        EXPECT_CALL(palette, Popola()).Times(1);
        EXPECT_CALL(palette, Reset()).Times(1);
    }
    c.SelezionaTutti(true);
    EXPECT_TRUE(a->selezionato && b->selezionato && d->selezionato);
    EXPECT_EQ(c.vCampi, (std::vector<std::shared_ptr<Campo>>{a, b, d}));
    EXPECT_EQ(In(Schermo(), 197, 111), kGrigio);  // b's frame covers a's handle
    EXPECT_EQ(In(Schermo(), 247, 116), 0x000000u);
    EXPECT_TRUE(SchermoAggiornato());
    c.SelezionaTutti(false);
    EXPECT_FALSE(a->selezionato || b->selezionato || d->selezionato);
    EXPECT_EQ(In(Schermo(), 247, 116), kGrigio);
    EXPECT_TRUE(SchermoAggiornato());
    EXPECT_FALSE(c.modificato);
}

// Selection changes leave on the screen what a repaint leaves. A label wider
// than its frame is anti-aliased text outside the frame's fill: drawn again
// over itself at every change, it would darken click by click; a field drawn
// again over a later one would come over it. Neither may happen, however many
// times the selection changes.
TEST_F(DragCanvasTest, ICambiDiSelezioneNonScurisconoLeEtichette) {
    auto lunga = Campo_(100, 100, 30, 14, "Un'etichetta più larga del riquadro");
    auto sopra = Campo_(150, 104, 60, 14, "Sopra");
    auto sotto = Campo_(100, 400, 40, 14, "Etichetta sotto il riquadro");
    sotto->dimFont = 0;  // the default size, its baseline on the frame's top
    sotto->DimensEtichetta();
    Campo_(300, 500, 2, 3, "");  // from a file: its handle is larger than the frame
    c.RidisegnaArea(0, 0, 600, 850);
    auto giro = [&] {
        Premi(110, 107);  // selects the long label's field
        Rilascia(110, 107);
        EXPECT_TRUE(SchermoAggiornato());
        Premi(400, 600);  // empty page: everything deselected
        Rilascia(400, 600);
        EXPECT_TRUE(SchermoAggiornato());
        Premi(170, 112);  // the later field: the other one deselected first
        Rilascia(170, 112);
        EXPECT_TRUE(SchermoAggiornato());
        Premi(301, 501);  // the small frame, whose handle goes when it is deselected
        Rilascia(301, 501);
        EXPECT_TRUE(SchermoAggiornato());
        Premi(400, 600);
        Rilascia(400, 600);
        EXPECT_TRUE(SchermoAggiornato());
        c.SelezionaTutti(true);
        EXPECT_TRUE(SchermoAggiornato());
        c.SelezionaTutti(false);
        EXPECT_TRUE(SchermoAggiornato());
    };
    giro();
    QImage dopoUnGiro = Schermo();
    for (int i = 0; i < 4; ++i) giro();
    prova::Differenza d = prova::Confronta(dopoUnGiro, Schermo());
    EXPECT_TRUE(d.Vuota()) << d.Testo();
}

TEST_F(DragCanvasTest, DuplicaCampiCopiaLaSelezioneInAvanti) {
    auto f0 = Campo_(100, 100), f1 = Campo_(100, 200, 80, 40), f2 = Campo_(300, 100),
         f3 = Campo_(110, 210, 60, 30, "Tre");
    for (auto& k : {f1, f3}) {
        k->selezionato = true;
        k->AllType = 2;
        k->iCampo = 7;
        k->pagina = 2;
        k->stileG = true;
        k->coloreEtich = 0x102030;
        k->ridimensiona = true;
    }
    c.RidisegnaArea(0, 0, 600, 850);
    c.modificato = false;
    EXPECT_CALL(palette, Popola()).Times(1);
    c.DuplicaCampi();
    ASSERT_EQ(c.vCampi.size(), 6u);
    EXPECT_EQ(c.vCampi[0], f0);
    EXPECT_EQ(c.vCampi[3], f3);
    const std::pair<int, std::shared_ptr<Campo>> copie[] = {{4, f3}, {5, f1}};
    for (const auto& [i, s] : copie) {
        const Campo& k = *c.vCampi[i];
        EXPECT_EQ(k.tx, s->tx + 14);
        EXPECT_EQ(k.ty, s->ty + 14);
        EXPECT_EQ(k.riquadro->Width, s->riquadro->Width);
        EXPECT_EQ(k.riquadro->Height, s->riquadro->Height);
        EXPECT_EQ(k.etichetta, s->etichetta);
        EXPECT_EQ(k.testoFisso, s->testoFisso);
        EXPECT_EQ(k.iFont, s->iFont);
        EXPECT_EQ(k.dimFont, 10);
        EXPECT_EQ(k.iCampo, 7);
        EXPECT_EQ(k.pagina, 2);
        EXPECT_TRUE(k.stileG);
        EXPECT_EQ(k.coloreEtich, 0x102030u);
        EXPECT_EQ(k.AllType, 0);  // the alignment is not copied
        EXPECT_FALSE(k.ridimensiona);
        EXPECT_TRUE(k.selezionato);
        EXPECT_FALSE(s->selezionato);
        EXPECT_GT(k.wEtich, 0);  // measured by its drawing
    }
    EXPECT_TRUE(c.modificato);
    // f1 is drawn after the copy of f3, which lies above it in the list; the
    // screen still shows the list's order.
    EXPECT_TRUE(SchermoAggiornato());

    // Nothing selected: nothing added, no change, the palette told all the same.
    for (auto& k : c.vCampi) k->selezionato = false;
    c.modificato = false;
    EXPECT_CALL(palette, Popola()).Times(1);
    c.DuplicaCampi();
    EXPECT_EQ(c.vCampi.size(), 6u);
    EXPECT_FALSE(c.modificato);
}

TEST_F(DragCanvasTest, DuplicaCampiPassaPerIlLimiteDeiTestiFissi) {
    for (int i = 0; i < 30; ++i) c.AggiungiCampo()->selezionato = i < 2;
    fw::testing::AnswerMsgBox();
    fw::testing::AnswerMsgBox();
    c.DuplicaCampi();
    ASSERT_EQ(fw::testing::Shown().size(), 2u);
    EXPECT_EQ(fw::testing::Shown()[1].message, kLimite);
    EXPECT_EQ(c.vCampi.size(), 32u);
}

TEST_F(DragCanvasTest, EliminaCampiChiedePrima) {
    auto a = Campo_(100, 100), b = Campo_(300, 300), d = Campo_(100, 500);
    a->selezionato = d->selezionato = true;
    c.RidisegnaArea(0, 0, 600, 850);
    c.modificato = false;

    // "No": nothing at all.
    EXPECT_CALL(palette, Reset()).Times(0);
    fw::testing::AnswerMessageDialog(Answer::Button::Cancel);
    QImage prima = Schermo();
    c.EliminaCampi();
    ASSERT_EQ(fw::testing::Shown().size(), 1u);
    const auto& domanda = fw::testing::Shown()[0];
    EXPECT_EQ(domanda.kind, DialogKind::MessageDialog);
    EXPECT_EQ(domanda.message, "Vuoi eliminare gli oggetti selezionati?");
    EXPECT_EQ(domanda.buttons, (std::vector<fw::String>{"Si", "No"}));
    EXPECT_EQ(c.vCampi.size(), 3u);
    EXPECT_FALSE(c.modificato);
    EXPECT_TRUE(prova::Confronta(prima, Schermo()).Vuota());
    ::testing::Mock::VerifyAndClearExpectations(&palette);

    // "Si": the selected fields go, their area is repainted.
    EXPECT_CALL(palette, Reset()).Times(1);
    fw::testing::AnswerMessageDialog(Answer::Button::Action);
    c.EliminaCampi();
    EXPECT_EQ(c.vCampi, (std::vector<std::shared_ptr<Campo>>{b}));
    EXPECT_TRUE(c.modificato);
    EXPECT_TRUE(SchermoAggiornato());
    EXPECT_EQ(In(Schermo(), 150, 507), 0xFFFFFFu);
    ::testing::Mock::VerifyAndClearExpectations(&palette);

    // "Si" with nothing selected: no change, no repaint, the palette emptied.
    c.modificato = false;
    EXPECT_CALL(palette, Reset()).Times(1);
    fw::testing::AnswerMessageDialog(Answer::Button::Action);
    prima = Schermo();
    c.EliminaCampi();
    EXPECT_EQ(c.vCampi.size(), 1u);
    EXPECT_FALSE(c.modificato);
    EXPECT_TRUE(prova::Confronta(prima, Schermo()).Vuota());
}

// A 1 x 1 GIF holding one red pixel: the toolkit reads GIF but cannot write it.
const unsigned char kGifRosso[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01,
                                   0x00, 0x80, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00,
                                   0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01,
                                   0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};

TEST_F(DragCanvasTest, SfondoInOgniFormatoDallOrigineUnoAUno) {
    prova::Cartella cartella;
    fw::testing::SetProgramFolder(cartella.Percorso());
    // Red in the top-left 20 x 20, blue elsewhere, 200 x 80: clear of the
    // section lines and the fields.
    QImage figura(200, 80, QImage::Format_RGB32);
    figura.fill(qRgb(0, 0, 255));
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) figura.setPixel(x, y, qRgb(255, 0, 0));
    }
    for (const char* formato : {"png", "jpg", "bmp"}) {
        std::string nome = std::string("modulo.") + formato;
        ASSERT_TRUE(figura.save(QString::fromStdString(cartella.File(nome)), nullptr, 100));
        c.modificato = false;
        c.ApriFileSfondo(nome);
        SCOPED_TRACE(nome);
        EXPECT_EQ(c.nomeFileSfondo, nome);
        EXPECT_TRUE(c.modificato);
        ASSERT_TRUE(c.Backdrop());
        EXPECT_EQ(c.Width(), 600);  // the canvas does not take the picture's size
        QImage s = Schermo();
        auto vicino = [](fw::Color a, fw::Color b) {
            return std::abs(fw::Red(a) - fw::Red(b)) < 12 &&
                   std::abs(fw::Green(a) - fw::Green(b)) < 12 &&
                   std::abs(fw::Blue(a) - fw::Blue(b)) < 12;
        };
        EXPECT_TRUE(vicino(In(s, 2, 2), 0xFF0000)) << prova::Esadecimale(In(s, 2, 2));
        EXPECT_TRUE(vicino(In(s, 15, 15), 0xFF0000));
        EXPECT_TRUE(vicino(In(s, 25, 25), 0x0000FF));
        EXPECT_TRUE(vicino(In(s, 197, 77), 0x0000FF));
        EXPECT_EQ(In(s, 201, 40), 0xFFFFFFu);
        EXPECT_EQ(In(s, 100, 81), 0xFFFFFFu);
        EXPECT_TRUE(SchermoAggiornato());
    }
    ASSERT_TRUE(QImageReader::supportedImageFormats().contains("gif"));
    cartella.Scrivi("modulo.gif",
                    std::string(reinterpret_cast<const char*>(kGifRosso), sizeof kGifRosso));
    c.ApriFileSfondo("modulo.gif");
    ASSERT_TRUE(c.Backdrop());
    EXPECT_EQ(c.nomeFileSfondo, "modulo.gif");
    QImage s = Schermo();
    EXPECT_EQ(In(s, 0, 0), 0xFF0000u);
    EXPECT_EQ(In(s, 1, 0), 0xFFFFFFu);
    EXPECT_EQ(In(s, 0, 1), 0xFFFFFFu);
    EXPECT_TRUE(SchermoAggiornato());
}

TEST_F(DragCanvasTest, SfondoMancanteNonImmagineODialogoAnnullato) {
    prova::Cartella cartella;
    fw::testing::SetProgramFolder(cartella.Percorso());
    QImage rosso(50, 50, QImage::Format_RGB32);
    rosso.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(rosso.save(QString::fromStdString(cartella.File("rosso.png"))));
    cartella.Scrivi("note.txt", "non sono una figura\r");

    // Chosen in the dialog: the name without its folder.
    fw::testing::AnswerOpenFile(cartella.File("rosso.png"));
    c.modificato = false;
    c.ApriFileSfondo("");
    EXPECT_EQ(c.nomeFileSfondo, "rosso.png");
    EXPECT_TRUE(c.modificato);
    EXPECT_EQ(In(Schermo(), 10, 10), 0xFF0000u);

    // The dialog cancelled: nothing changes.
    fw::testing::AnswerOpenFile("");
    c.modificato = false;
    c.ApriFileSfondo("");
    EXPECT_EQ(c.nomeFileSfondo, "rosso.png");
    EXPECT_TRUE(c.Backdrop());
    EXPECT_FALSE(c.modificato);

    // A file that is no picture: no background, but its name and a change.
    c.ApriFileSfondo("note.txt");
    EXPECT_FALSE(c.Backdrop());
    EXPECT_EQ(c.nomeFileSfondo, "note.txt");
    EXPECT_TRUE(c.modificato);
    EXPECT_EQ(In(Schermo(), 10, 10), 0xFFFFFFu);
    EXPECT_TRUE(fw::testing::Shown().size() == 2u);  // the two open-file dialogs

    // A missing file: the old background goes, the message names it as passed.
    c.ApriFileSfondo("rosso.png");
    ASSERT_TRUE(c.Backdrop());
    c.modificato = false;
    fw::testing::AnswerMsgBox();
    c.ApriFileSfondo("Modulo FI.png");
    ASSERT_EQ(fw::testing::Shown().size(), 3u);
    EXPECT_EQ(fw::testing::Shown()[2].kind, DialogKind::MsgBox);
    EXPECT_EQ(fw::testing::Shown()[2].message,
              "Il file del modulo grafico di sfondo Modulo FI.png non è stato trovato.");
    EXPECT_FALSE(c.Backdrop());
    EXPECT_EQ(c.nomeFileSfondo, "");
    EXPECT_FALSE(c.modificato);
    EXPECT_EQ(In(Schermo(), 10, 10), 0xFFFFFFu);
    EXPECT_TRUE(SchermoAggiornato());

    // ResetSfondo leaves the flag alone.
    c.ApriFileSfondo("rosso.png");
    c.modificato = false;
    c.ResetSfondo();
    EXPECT_FALSE(c.Backdrop());
    EXPECT_EQ(c.nomeFileSfondo, "");
    EXPECT_FALSE(c.modificato);
    EXPECT_TRUE(SchermoAggiornato());
}

TEST_F(DragCanvasTest, SenzaMemoriaPerIlBufferSvuotaETermina) {
    Campo_(100, 100);
    c.SetBounds(0, 0, 40000, 1);  // wider than any picture can be
    fw::testing::AnswerMsgBox();
    EXPECT_THROW(c.RidisegnaArea(0, 0, 10, 10), fw::testing::ProgramEnded);
    EXPECT_TRUE(c.vCampi.empty());
    ASSERT_EQ(fw::testing::Shown().size(), 1u);
    EXPECT_EQ(fw::testing::Shown()[0].message, "Memoria esaurita.");
    EXPECT_EQ(fw::testing::QuitCode(), 0);
    c.SetBounds(0, 0, 600, 850);
}

TEST_F(DragCanvasTest, ValoriAssurdiNonRomponoNulla) {
    constexpr Integer kMax = std::numeric_limits<Integer>::max();
    constexpr Integer kMin = std::numeric_limits<Integer>::min();
    // Fields far outside the page, of negative, huge or undefined size.
    struct Caso {
        Integer x, y;
        double w, h;
    };
    const Caso casi[] = {
        {kMax - 3, kMax - 3, 100, 14}, {kMin, kMin, 100, 14},  {kMin + 5, 10, 1e12, 1e12},
        {10, kMax, -50, -1e300},       {300, 300, 1e300, 14},  {200, 200, std::nan(""), 20},
        {-1000000, 500, 2e9, 5},       {kMax, kMin, -1e12, 0},
    };
    for (const Caso& k : casi) {
        auto f = c.AggiungiCampo();
        f->tx = k.x;
        f->ty = k.y;
        f->riquadro->Width = k.w;
        f->riquadro->Height = k.h;
        f->selezionato = true;
    }
    c.RidisegnaArea(0, 0, 600, 850);
    c.RidisegnaArea(kMin, kMin, kMax, kMax);
    c.RidisegnaArea(kMax, kMax, kMax, kMax);
    // Moving them all, resizing one, a band and the three lines, with steps
    // far out.
    Premi(350, 307);  // on the huge one
    Trascina(400, 900);
    EXPECT_EQ(c.vCampi[4]->tx, 350);
    c.MouseDrag(kMax, kMax);
    EXPECT_EQ(c.vCampi[0]->tx, kMax);  // moves saturate at the bounds
    c.MouseDrag(kMin, kMin);
    for (const auto& f : c.vCampi) EXPECT_EQ(f->ty, kMin);
    c.MouseDrag(kMax, kMin);
    Rilascia(0, 0);
    // Resizing a field far off, to points far off.
    c.campoCliccato = c.vCampi[1];
    c.campoCliccato->ridimensiona = true;
    for (auto [x, y] : {std::pair{kMax, kMax}, {kMin, kMin}, {0, kMax}}) {
        c.MouseDrag(x, y);
        EXPECT_GE(c.campoCliccato->riquadro->Width, 6);
        EXPECT_GE(c.campoCliccato->riquadro->Height, 6);
    }
    // A band from one far corner to the other.
    c.MouseDown(kMax - 1, kMax - 1);
    c.MouseDrag(kMin, kMin);
    c.MouseUp(0, 0);
    c.MouseDown(1, 1);
    c.MouseDrag(kMax, kMax);
    c.MouseDrag(kMin, kMin);
    c.MouseUp(kMin, kMin);
    EXPECT_EQ(c.rettSelez->tx, -1);
    // Section lines at the bounds, dragged to the bounds.
    for (int i = 0; i < 3; ++i) {
        c.vSezioni[i]->posizY = i == 0 ? kMin + 1 : kMax - 1;
        c.MouseDown(5, c.vSezioni[i]->posizY);
        c.MouseDrag(5, kMax);
        c.MouseDrag(5, kMin);
        c.MouseUp(5, 0);
    }
    for (auto& f : c.vCampi) f->selezionato = true;
    c.DuplicaCampi();
    fw::testing::AnswerMessageDialog(Answer::Button::Action);
    EXPECT_EQ(c.vCampi.size(), 16u);
    c.EliminaCampi();  // the copies, selected in place of their sources
    EXPECT_EQ(c.vCampi.size(), 8u);
    c.SelezionaTutti(true);
    fw::testing::AnswerMessageDialog(Answer::Button::Action);
    c.EliminaCampi();
    EXPECT_TRUE(c.vCampi.empty());
    // With nothing odd left, the screen shows the page again.
    for (auto* s : {&c.vSezioni[0], &c.vSezioni[1], &c.vSezioni[2]}) (*s)->posizY = 300;
    c.RidisegnaArea(0, 0, 600, 850);
    EXPECT_TRUE(SchermoAggiornato());
}

TEST_F(DragCanvasTest, TelaDiZeroEDiDuemilaPixel) {
    auto a = Campo_(100, 100);
    for (auto [w, h] : {std::pair{0, 0}, {2000, 2000}, {0, 850}, {600, 850}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        c.SetBounds(0, 0, w, h);
        c.RidisegnaArea(0, 0, 600, 850);
        EXPECT_EQ(c.buffer->Width(), w);
        EXPECT_EQ(c.buffer->Height(), h);
        c.MouseDown(150, 107);
        c.MouseDrag(1500, 1500);
        c.MouseDrag(150, 107);
        c.MouseUp(150, 107);
        c.MouseDown(5, 95);  // "T", whose lower limit follows the canvas's height
        c.MouseDrag(5, 3000);
        c.MouseDrag(5, 95);
        c.MouseUp(5, 95);
        c.MouseDown(500, 500);
        c.MouseDrag(1900, 1900);
        c.MouseUp(1900, 1900);
        c.Widget()->repaint();
        if (w > 0 && h > 0) {
            EXPECT_TRUE(SchermoAggiornato());
        }
    }
    EXPECT_EQ(a->tx, 100);
}

// A layout of thousands of fields piled ten deep on the same spots, as a large
// configuration file gives: the page rendered into the buffer, which leaves out
// what later frames hide, must be pixel for pixel the page drawn object by
// object straight onto a picture, over the whole canvas and over a part.
TEST_F(DragCanvasTest, CampiImpilatiGliStessiPixelDelDisegnoOggettoPerOggetto) {
    prova::Cartella cartella;
    QImage figura(600, 850, QImage::Format_RGB32);
    for (int y = 0; y < 850; ++y) {
        for (int x = 0; x < 600; ++x) figura.setPixel(x, y, qRgb(x % 256, y % 256, 90));
    }
    ASSERT_TRUE(figura.save(QString::fromStdString(cartella.File("sfondo.png"))));
    fw::testing::SetProgramFolder(cartella.Percorso());
    c.ApriFileSfondo("sfondo.png");
    fw::Integer serif = Modulo1::CercaFont("Liberation Serif");
    const char* etichette[] = {"Ragione sociale",  "Codice fiscale",           "IVA",
                               "Totale documento", "Destinazione della merce", "Data"};
    for (int i = 0; i < 6000; ++i) {
        auto k = c.AggiungiCampo();
        k->iCampo = i % 7 == 0 ? -1 : 1 + i % 85;  // some grey, the rest yellow
        k->tx = (i % 10) * 59;
        k->ty = (i / 10) % 60 * 8 + 40;
        k->riquadro->Width = 55;
        k->riquadro->Height = 8;
        k->iFont = i % 3 == 0 ? serif : font;
        k->dimFont = 8 + i % 5;
        k->stileG = i % 2;
        k->stileC = i % 11 == 0;
        k->stileS = i % 13 == 0;
        k->coloreEtich = (static_cast<fw::Color>(i) * 0x0A0B0Cu) & 0xFFFFFFu;
        k->AllType = i % 4;
        k->selezionato = i % 17 == 0;
        k->etichetta = etichette[i % 6];
    }
    auto ADisegno = [&](int x, int y, int w, int h) {
        c.RidisegnaOggetti(x, y, w, h);  // measures the labels too
        auto pic = fw::NewPicture(c.Width(), c.Height(), 32);
        fw::Graphics& g = pic->Graphics();
        g.ClearRect(x, y, w, h);
        g.DrawPicture(*c.Backdrop(), x, y, w, h, x, y, w, h);
        for (const auto& s : c.vSezioni) {
            if (y <= s->posizY && y + h >= s->posizY - 14) s->Disegna(g);
        }
        for (const auto& k : c.vCampi) {
            if (x <= k->tx + k->Larghezza() && x + w >= k->tx && y <= k->ty + k->Altezza() &&
                y + h >= k->ty) {
                k->Disegna(g);
            }
        }
        c.rettSelez->Disegna(g);
        QImage atteso = pic->Image().convertToFormat(QImage::Format_RGB32);
        c.RidisegnaOggetti(x, y, w, h);
        QImage buffer = c.buffer->Image().convertToFormat(QImage::Format_RGB32);
        QRect dentro = prova::Dispositivo(QRect(x, y, w, h), buffer.devicePixelRatio());
        prova::Differenza d = prova::Confronta(atteso.copy(dentro), buffer.copy(dentro));
        return d.Vuota() ? ::testing::AssertionSuccess()
                         : ::testing::AssertionFailure() << "diverso " << d.Testo();
    };
    c.PreparaBuffer();
    EXPECT_TRUE(ADisegno(0, 0, c.Width(), c.Height()));
    EXPECT_TRUE(ADisegno(100, 90, 170, 130));
    c.rettSelez->tx = 30;  // a band over the pile
    c.rettSelez->ty = 60;
    c.rettSelez->Width = 300;
    c.rettSelez->Height = 200;
    EXPECT_TRUE(ADisegno(0, 0, c.Width(), c.Height()));
}

TEST_F(DragCanvasTest, DecineDiMigliaiaDiCampi) {
    // Most lie off the page, as after a long scroll; a few hundred on it.
    for (int i = 0; i < 30000; ++i) {
        auto k = c.AggiungiCampo();
        k->iCampo = 1 + i % 85;  // data fields: no fixed-text warning
        k->iFont = font;
        k->dimFont = 10;
        k->etichetta = "Campo";
        k->tx = i % 100 < 1 ? (i * 7) % 550 : 1000 + i;
        k->ty = i % 100 < 1 ? (i * 13) % 800 : 2000 + i;
        k->selezionato = i % 2 == 0;
    }
    c.Widget()->repaint();
    Premi(10, 700);
    Trascina(400, 820);
    Rilascia(400, 820);
    Premi(c.vCampi[0]->tx + 50, c.vCampi[0]->ty + 7);
    Trascina(c.vCampi[0]->tx + 60, c.vCampi[0]->ty + 20);
    Rilascia(0, 0);
    EXPECT_EQ(c.vCampi.size(), 30000u);
    EXPECT_TRUE(SchermoAggiornato());
}

}  // namespace
