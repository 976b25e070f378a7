#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "Aiuti.h"
#include "Principale.h"
#include "document/App.h"
#include "document/wMain.h"
#include "framework/Application.h"
#include "framework/Fonts.h"
#include "framework/Testing.h"
#include "framework/Text.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

namespace seam = fw::testing;
using namespace std::string_literals;
using fw::Integer;
using fw::String;

namespace {

const String kIntestazione = "<FCS><F><1.0.4><27-04-2017>";
const String kFont = "DejaVu Sans";
const String kAvvisoTestiFissi =
    "Attenzione: stai superando il limite massimo di 30 testi fissi per modulo.";
const String kEstraneo =
    "Il file FIp.txt non è un file di configurazione stampe. Ne creo uno nuovo.";
const String kEsisteGia =
    "Esiste già un file di configurazione FIp.txt. Vuoi aprire quello esistente o crearne uno "
    "nuovo?";

// The 17 columns of a field line, each followed by TAB, and the CR.
String Riga(const std::vector<String>& colonne) {
    String r;
    for (const auto& c : colonne) r += c + "\t";
    return r + "\r";
}

String Inizio(const String& sfondo = "", const String& larghezze = "", const String& t = "100",
              const String& d = "150", const String& p = "350") {
    return kIntestazione + "\r" + sfondo + "\r" + larghezze + "\r" + t + "\r" + d + "\r" + p + "\r";
}

// The main window as the program makes it, over a fresh program folder, with
// the identity strings that start-up gives the application object.
class FileConfigTest : public prova::Principale {
  public:
    void SetUp() override {
        Principale::SetUp();
        ASSERT_EQ(&::App(), &app);
        app.Identifica(2026);
        w = &Mostrata();
        w->nomeFileConfig = "FIp.txt";
        font = Modulo1::CercaFont(kFont);
        ASSERT_EQ(fw::Font(font), kFont);
    }

    DragCanvas& C() { return *w->DragCanvas1; }
    Campo& K(std::size_t i) { return *C().vCampi.at(i); }
    std::shared_ptr<Campo> Nuovo(Integer iCampo, Integer tx, Integer ty, const String& testo = "") {
        auto k = C().AggiungiCampo();
        k->iCampo = iCampo;
        k->tx = tx;
        k->ty = ty;
        k->testoFisso = testo;
        k->iFont = font;
        k->dimFont = 10;
        return k;
    }
    String Disco() const { return programma.Leggi("FIp.txt"); }
    void SulDisco(const String& byte) const { programma.Scrivi("FIp.txt", byte); }
    std::vector<String> Messaggi() const {
        std::vector<String> m;
        for (const auto& d : seam::Shown()) m.push_back(d.message);
        return m;
    }
    // Opens the file of these bytes, whose picture nome is not found: the one
    // message names it, and the page has no background.
    void ApriSenzaSfondo(const String& byte, const String& nome) {
        SulDisco(byte);
        seam::ClearShown();
        seam::AnswerMsgBox();
        w->ApriFile();
        EXPECT_EQ(Messaggi(), std::vector<String>{"Il file del modulo grafico di sfondo " + nome +
                                                  " non è stato trovato."});
        EXPECT_EQ(C().Backdrop(), nullptr);
    }
    QStringList Contenuto() const {
        return QDir(QString::fromStdString(programma.Percorso()))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    vx::App app;
    vx::wMain* w = nullptr;
    Integer font = 0;
};

}  // namespace

// The worked example and its neighbours: every column, the detail band's bounds,
// the codes that are never marked, negative positions.
TEST_F(FileConfigTest, RegistraScriveOgniColonnaByteAByte) {
    auto d2 = Nuovo(44, 40, 120);  // "D2"
    d2->riquadro->Width = 300;
    d2->riquadro->Height = 14;
    d2->stileG = true;
    d2->coloreEtich = 0x1F3A7C;
    d2->AllType = 1;
    auto sullaD = Nuovo(44, 40, 150);  // on the "D" line: outside the band
    sullaD->riquadro->Width = 300;
    auto sullaT = Nuovo(41, -5, 100);  // "D13" on the "T" line: inside
    Nuovo(0, 10, 120, "Totale");
    Nuovo(-1, 10, 120);
    Nuovo(1, 10, 120, "Non definito");  // "24": a numeric code is never marked
    auto negativo = Nuovo(0, -7, -30, "Pag.");
    negativo->riquadro->Width = 55;
    negativo->riquadro->Height = 12;
    negativo->stileC = negativo->stileS = true;
    negativo->coloreEtich = 0xFF0080;
    negativo->pagina = 2;
    negativo->AllType = 3;
    negativo->dimFont = 0;

    ASSERT_TRUE(w->RegistraFile());
    EXPECT_FALSE(C().modificato);
    EXPECT_TRUE(seam::Shown().empty());

    const String f = kFont;
    String atteso = Inizio("", d2->LarghezzeCaratteri()) +
                    Riga({"*", "D2", "", "40", "120", "300", "14", f, "10", "*", "", "", "31", "58",
                          "124", "0", "1"}) +
                    Riga({"", "D2", "", "40", "150", "300", "14", f, "10", "", "", "", "0", "0",
                          "0", "0", "0"}) +
                    Riga({"*", "D13", "", "-5", "100", "100", "14", f, "10", "", "", "", "0", "0",
                          "0", "0", "0"}) +
                    Riga({"", "", "Totale", "10", "120", "100", "14", f, "10", "", "", "", "0", "0",
                          "0", "0", "0"}) +
                    Riga({"", "-1", "", "10", "120", "100", "14", f, "10", "", "", "", "0", "0",
                          "0", "0", "0"}) +
                    Riga({"", "24", "Non definito", "10", "120", "100", "14", f, "10", "", "", "",
                          "0", "0", "0", "0", "0"}) +
                    Riga({"", "", "Pag.", "-7", "-30", "55", "12", f, "0", "", "*", "*", "255", "0",
                          "128", "2", "3"});
    EXPECT_EQ(Disco(), atteso);
    EXPECT_EQ(sullaT->ty, C().vSezioni[0]->posizY);

    // Read back, the layout is the same, field by field.
    C().vCampi.clear();
    w->ApriFile();
    ASSERT_EQ(C().vCampi.size(), 7u);
    EXPECT_EQ(K(0).iCampo, 44);
    EXPECT_EQ(K(0).etichetta, "dettaglio: descrizione prestazione");
    EXPECT_TRUE(K(0).stileG);
    EXPECT_EQ(K(0).coloreEtich, 0x1F3A7Cu);
    EXPECT_EQ(K(4).iCampo, -1);
    EXPECT_EQ(K(4).etichetta, "<sconosciuto>");
    EXPECT_EQ(K(6).etichetta, "Pag.");
    EXPECT_EQ(K(6).tx, -7);
    EXPECT_EQ(K(6).ty, -30);
    EXPECT_EQ(K(6).iFont, font);
    EXPECT_EQ(K(6).AllType, 3);
    EXPECT_EQ(K(6).pagina, 2);
    EXPECT_FALSE(C().modificato);
    EXPECT_EQ(w->Title(), "FIp.txt");
    w->RegistraFile();
    EXPECT_EQ(Disco(), atteso);
}

TEST_F(FileConfigTest, LayoutVuotoSeiRigheConLaTerzaVuota) {
    C().vSezioni[0]->posizY = 90;
    C().vSezioni[1]->posizY = -4;
    C().vSezioni[2]->posizY = 400;
    C().modificato = true;
    ASSERT_TRUE(w->RegistraFile());
    EXPECT_EQ(Disco(), kIntestazione + "\r\r\r90\r-4\r400\r");

    Nuovo(0, 1, 1, "via");
    for (auto& s : C().vSezioni) s->posizY = 7;
    w->ApriFile();
    EXPECT_TRUE(C().vCampi.empty());
    EXPECT_EQ(C().vSezioni[0]->posizY, 90);
    EXPECT_EQ(C().vSezioni[1]->posizY, -4);  // out of order, taken as it comes
    EXPECT_EQ(C().vSezioni[2]->posizY, 400);
    EXPECT_FALSE(C().modificato);
}

TEST_F(FileConfigTest, RigaTreDalPrimoD2InOrdineDiLista) {
    auto primo = Nuovo(44, 10, 500);
    primo->dimFont = 30;
    primo->stileG = true;
    auto secondo = Nuovo(44, 10, 600);
    secondo->dimFont = 8;
    ASSERT_NE(primo->LarghezzeCaratteri(), secondo->LarghezzeCaratteri());
    auto riga3 = [this] { return fw::NthField(Disco(), "\r", 3); };

    w->RegistraFile();
    EXPECT_EQ(riga3(), primo->LarghezzeCaratteri());
    // A click moves the field to the end of the list, so the other one is first now.
    C().SelezionaCampo(primo, true);
    w->RegistraFile();
    EXPECT_EQ(riga3(), secondo->LarghezzeCaratteri());
}

TEST_F(FileConfigTest, PiuDiTrentaTestiFissiNonSiRegistrano) {
    SulDisco("vecchio");
    Nuovo(5, 0, 0);  // data fields do not count
    for (int i = 0; i < 30; ++i) Nuovo(0, i, i, "t");
    ASSERT_TRUE(w->RegistraFile());
    EXPECT_EQ(fw::CountFields(Disco(), "\r"), 6 + 31 + 1);

    SulDisco("vecchio");
    seam::AnswerMsgBox();  // the limit warning of the 31st
    Nuovo(0, 0, 0, "t");
    seam::ClearShown();
    seam::AnswerMsgBox();
    EXPECT_FALSE(w->RegistraFile());
    EXPECT_EQ(Messaggi(),
              std::vector<String>{"Hai inserito 31 testi fissi ma il numero massimo consentito è "
                                  "30. Devi eliminarne 1 per poter registrare questo "
                                  "configuratore."});
    EXPECT_EQ(Disco(), "vecchio");
    EXPECT_TRUE(C().modificato);
}

TEST_F(FileConfigTest, TestoInMacRomanSulDiscoEDiRitorno) {
    Nuovo(0, 1, 2, "Città è € ☃");  // the snowman is not in MacRoman
    C().nomeFileSfondo = "modulo è.png";
    ASSERT_TRUE(w->RegistraFile());
    String disco = Disco();
    EXPECT_EQ(fw::NthField(disco, "\r", 2), "modulo \x8F.png");
    EXPECT_EQ(fw::NthField(fw::NthField(disco, "\r", 7), "\t", 3), "Citt\x88 \x8F \xDB ?");
    EXPECT_EQ(disco.find('\n'), String::npos);

    seam::AnswerMsgBox();  // the picture is not in the folder
    w->ApriFile();
    ASSERT_EQ(C().vCampi.size(), 1u);
    EXPECT_EQ(K(0).testoFisso, "Città è € ?");
    EXPECT_EQ(K(0).etichetta, "Città è € ?");
    EXPECT_EQ(Messaggi(),
              std::vector<String>{"Il file del modulo grafico di sfondo modulo è.png non "
                                  "è stato trovato."});
}

// TAB, CR or LF in a text would shift every column and line after it.
TEST_F(FileConfigTest, SeparatoriNeiTestiNonSpezzanoLeRighe) {
    Nuovo(0, 1, 2, "a\tb\rc\nd");
    C().nomeFileSfondo = "x\ty.png";
    ASSERT_TRUE(w->RegistraFile());
    EXPECT_EQ(Disco(), Inizio("x y.png") + Riga({"", "", "a b c d", "1", "2", "100", "14", kFont,
                                                 "10", "", "", "", "0", "0", "0", "0", "0"}));
}

TEST_F(FileConfigTest, GiroCompletoDaGliStessiByte) {
    for (int i = 0; i < 200; ++i) {
        auto k = Nuovo(i % 7 == 0 ? (i % 2 ? -1 : 0) : i % 86, i * 37 % 700 - 50, i * 53 % 900 - 20,
                       "testo " + std::to_string(i) + (i % 3 ? " àè€" : ""));
        if (k->iCampo == 0 && i > 150) k->iCampo = 3;  // stay within 30 fixed texts
        k->riquadro->Width = i % 5 == 0 ? 12.5 : i * 3 % 400;
        if (i % 50 == 1) k->riquadro->Width = 99999999992.5;  // more digits than seven
        if (i % 50 == 2) k->riquadro->Width = 0.1;
        if (i % 50 == 3) k->riquadro->Width = 1e20;
        k->riquadro->Height = i % 11;
        k->iFont = i % fw::FontCount();
        k->dimFont = i % 40;
        k->stileG = i % 2;
        k->stileC = i % 3 == 0;
        k->stileS = i % 5 == 0;
        k->coloreEtich = static_cast<fw::Color>(i * 0x010305 & 0xFFFFFF);
        k->pagina = i % 3;
        k->AllType = i % 4;
    }
    C().vSezioni[1]->posizY = 400;
    ASSERT_TRUE(w->RegistraFile());
    String prima = Disco();
    auto originali = C().vCampi;

    w->ApriFile();
    ASSERT_EQ(C().vCampi.size(), originali.size());
    for (std::size_t i = 0; i < originali.size(); ++i) {
        const Campo& a = *originali[i];
        const Campo& b = K(i);
        EXPECT_EQ(b.iCampo, a.iCampo) << i;
        EXPECT_EQ(b.tx, a.tx) << i;
        EXPECT_EQ(b.ty, a.ty) << i;
        EXPECT_EQ(b.riquadro->Width, a.riquadro->Width) << i;
        EXPECT_EQ(fw::Font(b.iFont), fw::Font(a.iFont)) << i;
        EXPECT_EQ(b.coloreEtich, a.coloreEtich) << i;
        EXPECT_EQ(b.AllType, a.AllType) << i;
        EXPECT_FALSE(b.selezionato);
    }
    ASSERT_TRUE(w->RegistraFile());
    EXPECT_EQ(Disco(), prima);
}

// The numbers of a file read and write the same on an Italian desktop, whose
// decimal point is a comma, as in the C locale: fractional sizes stay as they
// are, a number with an exponent is read whole, and a size beyond the range of
// a double becomes the largest one, which then reads back unchanged.
TEST_F(FileConfigTest, NumeriUgualiSuOgniDesktop) {
    const String massimo = "1.7976931348623157e+308";
    auto campo = [](const String& tx, const String& w, const String& h, const String& dim) {
        return Riga({"", "", "t", tx, "40", w, h, kFont, dim, "", "", "", "0", "0", "0", "0", "0"});
    };
    const String letto = Inizio("", "", "1.6e2") + campo("1.6e2", "12.5", "2.25", "1.2e1") +
                         campo("7", "1e999", "-1e999", "10") + campo("0", "1e-400", "0.1", "1");
    const String scritto = Inizio("", "", "160") + campo("160", "12.5", "2.25", "12") +
                           campo("7", massimo, "-" + massimo, "10") + campo("0", "0", "0.1", "1");
    for (const char* nome : prova::kLocaliProvati) {
        SCOPED_TRACE(nome);
        prova::LocaleDiProcesso locale(nome);
        ASSERT_TRUE(locale.Ok()) << "locale " << nome << " missing: run scripts/setup";
        SulDisco(letto);
        w->ApriFile();
        ASSERT_EQ(C().vCampi.size(), 3u);
        EXPECT_EQ(C().vSezioni[0]->posizY, 160);
        EXPECT_EQ(K(0).tx, 160);
        EXPECT_EQ(K(0).riquadro->Width, 12.5);
        EXPECT_EQ(K(0).riquadro->Height, 2.25);
        EXPECT_EQ(K(0).dimFont, 12);
        EXPECT_EQ(K(1).riquadro->Width, std::numeric_limits<double>::max());
        EXPECT_EQ(K(2).riquadro->Width, 0);
        C().modificato = true;
        ASSERT_TRUE(w->RegistraFile());
        EXPECT_EQ(Disco(), scritto);
        // What the program wrote it opens and saves back byte for byte.
        w->ApriFile();
        C().modificato = true;
        ASSERT_TRUE(w->RegistraFile());
        EXPECT_EQ(Disco(), scritto);
    }
}

TEST_F(FileConfigTest, RigaDueVuotaTieneLoSfondoPrecedente) {
    QImage figura(20, 20, QImage::Format_RGB32);
    figura.fill(Qt::red);
    ASSERT_TRUE(figura.save(QString::fromStdString(programma.File("modulo.png"))));
    SulDisco(Inizio("modulo.png"));
    w->ApriFile();
    EXPECT_EQ(C().nomeFileSfondo, "modulo.png");
    EXPECT_NE(C().Backdrop(), nullptr);
    EXPECT_FALSE(C().modificato);

    SulDisco(Inizio(""));
    w->ApriFile();
    EXPECT_EQ(C().nomeFileSfondo, "modulo.png");
    EXPECT_NE(C().Backdrop(), nullptr);
    w->RegistraFile();
    EXPECT_EQ(Disco(), Inizio("modulo.png"));
}

// Damaged and foreign files, one case a row: what is shown, and what is open after.
TEST_F(FileConfigTest, FileDanneggiatiOEstranei) {
    const String d = Inizio();
    String trentaFissi;
    for (int i = 0; i < 30; ++i) trentaFissi += "\t\tt\r";
    String milleFissi;
    for (int i = 0; i < 1000; ++i) milleFissi += "\t\tt" + std::to_string(i) + "\r";
    // 64 KB of bytes of every value, as a damaged disk leaves them: hundreds of
    // field lines, most of them fixed texts.
    String spazzatura;
    for (std::uint32_t x = 16, i = 0; i < (1u << 16); ++i) {
        x = x * 1664525u + 1013904223u;
        spazzatura += static_cast<char>(x >> 24);
    }
    std::size_t righeSpazzatura = 0;
    {
        fw::TextInputStream righe(spazzatura);
        while (!righe.EndOfFile()) {
            righe.ReadLine();
            ++righeSpazzatura;
        }
    }
    struct Caso {
        const char* nome;
        String byte;
        std::vector<String> messaggi;
        std::function<void(FileConfigTest&)> verifica;
    };
    // A foreign file is left for a new layout once the user answers "Nuovo";
    // the file itself stays until the next save.
    auto nuovo = [](FileConfigTest& t) {
        EXPECT_TRUE(t.C().vCampi.empty());
        EXPECT_FALSE(t.C().modificato);
        EXPECT_EQ(t.C().vSezioni[0]->posizY, 100);
    };
    auto unCampo = [](std::function<void(Campo&)> f) {
        return [f](FileConfigTest& t) {
            ASSERT_EQ(t.C().vCampi.size(), 1u);
            f(t.K(0));
            EXPECT_FALSE(t.C().modificato);
        };
    };
    const Caso casi[] = {
        {"vuoto", "", {kEstraneo, kEsisteGia}, nuovo},
        {"prima colonna vuota", "\t<FCS><F><1.0.4>\r\r\r1\r2\r3\r", {kEstraneo, kEsisteGia}, nuovo},
        {"minuscole", "<fcs><F>\r", {kEstraneo, kEsisteGia}, nuovo},
        {"intestazione corta, \"Apri\" e poi \"Nuovo\"",
         "<FC\r\r\r1\r2\r3\r",
         {kEstraneo, kEsisteGia, kEstraneo, kEsisteGia},
         nuovo},
        {"solo <FCS> e altro",
         "<FCS>qualunque\tcosa\r\r\r5\r6\r7\r",
         {},
         [](FileConfigTest& t) {
             EXPECT_TRUE(t.C().vCampi.empty());
             EXPECT_EQ(t.C().vSezioni[2]->posizY, 7);
         }},
        {"meno di sei righe",
         "<FCS>\r\r\r42",
         {},
         [](FileConfigTest& t) {
             EXPECT_TRUE(t.C().vCampi.empty());
             EXPECT_EQ(t.C().vSezioni[0]->posizY, 42);
             EXPECT_EQ(t.C().vSezioni[1]->posizY, 0);
             EXPECT_EQ(t.C().vSezioni[2]->posizY, 0);
             EXPECT_EQ(t.C().nomeFileSfondo, "");
         }},
        {"riga di campo corta", d + "*\tD2\t\t40\r", {}, unCampo([](Campo& k) {
             EXPECT_EQ(k.iCampo, 44);
             EXPECT_EQ(k.tx, 40);
             EXPECT_EQ(k.ty, 0);
             EXPECT_EQ(k.riquadro->Width, 0);
             EXPECT_EQ(k.riquadro->Height, 0);
             EXPECT_EQ(k.iFont, 0);
             EXPECT_FALSE(k.stileG || k.stileC || k.stileS);
             EXPECT_EQ(k.coloreEtich, 0u);
             EXPECT_EQ(k.pagina, 0);
             EXPECT_EQ(k.AllType, 0);
         })},
        {"solo la prima colonna", d + "*\r", {}, unCampo([](Campo& k) {
             EXPECT_EQ(k.iCampo, 0);
             EXPECT_EQ(k.etichetta, "");
         })},
        {"codice sconosciuto", d + "\t92\tx\r", {}, unCampo([](Campo& k) {
             EXPECT_EQ(k.iCampo, -1);
             EXPECT_EQ(k.etichetta, "<sconosciuto>");
         })},
        {"codice con uno spazio", d + "\t 24\r", {}, unCampo([](Campo& k) {
             EXPECT_EQ(k.iCampo, -1);
         })},
        {"codice minuscolo", d + "\td2\r", {}, unCampo([](Campo& k) { EXPECT_EQ(k.iCampo, -1); })},
        {"font non installato", d + "\t24\t\t1\t1\t1\t1\tNessunFont\r", {}, unCampo([](Campo& k) {
             EXPECT_EQ(k.iFont, 0);
             EXPECT_EQ(k.etichetta, "ABI");
         })},
        {"numeri frazionari",
         d + "\t\t\t12.7\t-12.7\t12.5\t0.25\t\t9.9\t\t\t\t1.5\t2.5\t3.5\t1.9\t2.9\r",
         {},
         unCampo([](Campo& k) {
             EXPECT_EQ(k.tx, 12);
             EXPECT_EQ(k.ty, -12);
             EXPECT_EQ(k.riquadro->Width, 12.5);
             EXPECT_EQ(k.riquadro->Height, 0.25);
             EXPECT_EQ(k.dimFont, 9);
             EXPECT_EQ(k.coloreEtich, 0x010203u);
             EXPECT_EQ(k.pagina, 1);
             EXPECT_EQ(k.AllType, 2);
         })},
        {"numeri enormi",
         d + "\t\t\t1e99\t-1e99\t1e400\t-1e400\t\t99999999999\t\t\t\t300\t-5\t1e9\r",
         {},
         unCampo([](Campo& k) {
             EXPECT_EQ(k.tx, INT_MAX);
             EXPECT_EQ(k.ty, INT_MIN);
             EXPECT_EQ(k.dimFont, INT_MAX);
             EXPECT_EQ(k.coloreEtich, 0xFF00FFu);
         })},
        {"non numeri",
         d + "\t\t\tabc\t12abc\t--3\t.\t\tx\t**\t+\t\tff\t\t\t-\t e\r",
         {},
         unCampo([](Campo& k) {
             EXPECT_EQ(k.tx, 0);
             EXPECT_EQ(k.ty, 12);
             EXPECT_EQ(k.riquadro->Width, 0);
             EXPECT_EQ(k.riquadro->Height, 0);
             EXPECT_FALSE(k.stileG);  // only "*" sets a style
             EXPECT_EQ(k.AllType, 0);
         })},
        {"fine riga LF", kIntestazione + "\n\n\n1\n2\n3\n\t24\t\t5\t6\n", {}, unCampo([](Campo& k) {
             EXPECT_EQ(k.iCampo, 1);
             EXPECT_EQ(k.ty, 6);
         })},
        {"fine riga CRLF",
         kIntestazione + "\r\n\r\n\r\n1\r\n2\r\n3\r\n\t24\t\t5\t6\r\n",
         {},
         unCampo([](Campo& k) {
             EXPECT_EQ(k.iCampo, 1);
             EXPECT_EQ(k.ty, 6);
         })},
        {"byte NUL e spazzatura",
         "<FCS>\0\xFF\r\xFF\xFE\r\0\r\x80\x81\t1\r2\r3\r\t\0\t\xFF\x01\t\xC3\x28\r"s,
         {"Il file del modulo grafico di sfondo ˇ˛ non è stato trovato."},
         [](FileConfigTest& t) {
             ASSERT_EQ(t.C().vCampi.size(), 1u);
             EXPECT_EQ(t.K(0).iCampo, -1);
             EXPECT_EQ(t.K(0).testoFisso, "ˇ\x01");
             EXPECT_EQ(t.C().vSezioni[0]->posizY, 0);
         }},
        // The limit warning is shown once for the file, and every line is read.
        {"31 testi fissi e oltre",
         d + trentaFissi + "\t24\r\t\tt\r",
         {kAvvisoTestiFissi},
         [](FileConfigTest& t) {
             ASSERT_EQ(t.C().vCampi.size(), 32u);
             EXPECT_EQ(t.K(30).iCampo, 1);
             EXPECT_EQ(t.C().CercaCampo(0), 31);
         }},
        {"mille testi fissi",
         d + milleFissi,
         {kAvvisoTestiFissi},
         [](FileConfigTest& t) {
             ASSERT_EQ(t.C().vCampi.size(), 1000u);
             EXPECT_EQ(t.C().CercaCampo(0), 1000);
             EXPECT_EQ(t.K(999).testoFisso, "t999");
         }},
        {"spazzatura dopo un'intestazione valida",
         d + spazzatura,
         {kAvvisoTestiFissi},
         [&righeSpazzatura](FileConfigTest& t) {
             EXPECT_EQ(t.C().vCampi.size(), righeSpazzatura);
             EXPECT_GT(t.C().CercaCampo(0), 30);
         }},
        // Neither may block the reading or run for ever.
        {"sfondo: una FIFO",
         Inizio("fifo"),
         {},
         [](FileConfigTest& t) {
             EXPECT_EQ(t.C().nomeFileSfondo, "fifo");
             EXPECT_EQ(t.C().Backdrop(), nullptr);
         }},
        // A name with a folder part is not looked for: it is not in the program's folder.
        {"sfondo: un dispositivo",
         Inizio("/dev/zero"),
         {"Il file del modulo grafico di sfondo /dev/zero non è stato trovato."},
         [](FileConfigTest& t) {
             EXPECT_EQ(t.C().nomeFileSfondo, "/dev/zero");
             EXPECT_EQ(t.C().Backdrop(), nullptr);
         }},
        // A name longer than a message can show keeps its two ends.
        {"sfondo: un nome di un megabyte",
         Inizio(String(1 << 20, 'A') + "fine.png"),
         {"Il file del modulo grafico di sfondo " + String(40, 'A') + "…" + String(31, 'A') +
          "fine.png non è stato trovato."},
         [](FileConfigTest& t) {
             EXPECT_EQ(t.C().nomeFileSfondo, "");
             EXPECT_EQ(t.C().Backdrop(), nullptr);
         }},
        {"sfondo assente",
         Inizio("manca.png") + "\t24\r",
         {"Il file del modulo grafico di sfondo manca.png non è stato trovato."},
         unCampo([](Campo& k) { EXPECT_EQ(k.iCampo, 1); })},
    };
    ASSERT_EQ(mkfifo(programma.File("fifo").c_str(), 0600), 0);
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        C().vCampi.clear();
        for (auto& s : C().vSezioni) s->posizY = 100;
        Nuovo(0, 3, 3, "prima");
        C().modificato = true;
        SulDisco(caso.byte);
        seam::ClearShown();
        // The question is answered "Apri" until its last turn, then "Nuovo".
        std::size_t domande = 0;
        for (const auto& m : caso.messaggi) domande += m == kEsisteGia;
        for (const auto& m : caso.messaggi) {
            if (m != kEsisteGia) {
                seam::AnswerMsgBox();
            } else {
                seam::AnswerMessageDialog(--domande > 0 ? seam::Answer::Button::Action
                                                        : seam::Answer::Button::Cancel);
            }
        }
        w->ApriFile();
        EXPECT_EQ(Disco(), caso.byte);
        EXPECT_EQ(Messaggi(), caso.messaggi);
        caso.verifica(*this);
    }
}

TEST_F(FileConfigTest, CodiceSconosciutoEFontAssenteRiscrittiComeMenoUnoEPrimoFont) {
    SulDisco(Inizio() + "*\tD99\t\t1\t120\t1\t1\tNessunFont\t9\t\t\t\t0\t0\t0\t0\t0\t\r");
    w->ApriFile();
    ASSERT_TRUE(w->RegistraFile());
    EXPECT_EQ(Disco(), Inizio() + Riga({"", "-1", "", "1", "120", "1", "1", fw::Font(0), "9", "",
                                        "", "", "0", "0", "0", "0", "0"}));
}

TEST_F(FileConfigTest, FileAssenteONonLeggibile) {
    seam::AnswerMsgBox();
    w->ApriFile();
    EXPECT_EQ(Messaggi(), std::vector<String>{"Il file di configurazione FIp.txt non è presente "
                                              "nella cartella del programma. Ne creo uno "
                                              "nuovo."});

    // A folder of that name: there, but no file to read; the layout stays.
    Nuovo(0, 3, 3, "prima");
    ASSERT_TRUE(QDir(QString::fromStdString(programma.Percorso())).mkdir("FIp.txt"));
    const String nonLeggibile = "Il file di configurazione " + programma.File("FIp.txt") +
                                " non può essere letto (permessi insufficienti o non è un file). "
                                "Il configuratore aperto resta invariato.";
    seam::ClearShown();
    seam::AnswerMsgBox();
    w->ApriFile();
    EXPECT_EQ(Messaggi(), std::vector<String>{nonLeggibile});
    EXPECT_EQ(C().vCampi.size(), 1u);
    EXPECT_TRUE(C().modificato);

    QDir(QString::fromStdString(programma.Percorso())).rmdir("FIp.txt");
    SulDisco(Inizio());
    ASSERT_EQ(chmod(programma.File("FIp.txt").c_str(), 0), 0);
    if (access(programma.File("FIp.txt").c_str(), R_OK) == 0) {
        GTEST_SKIP() << "running as root: permission bits do not stop reads";
    }
    seam::ClearShown();
    seam::AnswerMsgBox();
    w->ApriFile();
    EXPECT_EQ(Messaggi(), std::vector<String>{nonLeggibile});
    EXPECT_EQ(C().vCampi.size(), 1u);
}

// An unreadable file chosen in the new/open dialog leaves the layout on screen
// tied to its own file, so a later save cannot land in the unreadable one's place.
TEST_F(FileConfigTest, FileNonLeggibileLasciaIlConfiguratoreSulSuoFile) {
    w->nomeFileConfig = "NAp.txt";
    seam::AnswerMsgBox();  // not there yet: a new layout under that name
    w->ApriFile();
    Nuovo(0, 3, 3, "prima");
    ASSERT_TRUE(QDir(QString::fromStdString(programma.Percorso())).mkdir("FIp.txt"));

    w->nomeFileConfig = "FIp.txt";
    seam::AnswerMsgBox();
    w->ApriFile();
    EXPECT_EQ(w->nomeFileConfig, "NAp.txt");
    EXPECT_EQ(w->Title(), "NAp.txt");
    ASSERT_TRUE(w->RegistraFile());
    EXPECT_NE(programma.Leggi("NAp.txt"), "<assente>");
    EXPECT_TRUE(QFileInfo(QString::fromStdString(programma.File("FIp.txt"))).isDir());
}

// Whatever stops the save, the old file stays whole, nothing is left beside it,
// the layout stays modified and the user is told.
TEST_F(FileConfigTest, RegistrazioneFallitaLasciaIlVecchioFile) {
    Nuovo(0, 1, 1, "nuovo");
    const String file = programma.File("FIp.txt");
    auto nonScrivibile = [&file](const String& causa) {
        return "Non è possibile creare il file di configurazione " + file + ": " + causa +
               ". Le modifiche non sono state registrate.";
    };
    const String discoPieno = "La scrittura del file di configurazione " + file +
                              " non è riuscita: il disco è pieno. Il file precedente è rimasto "
                              "com'era e le modifiche non sono state registrate.";
    // A cause the system does not name: the message says only what happened.
    const String fallita = "La scrittura del file di configurazione " + file +
                           " non è riuscita. Il file precedente è rimasto com'era e le modifiche "
                           "non sono state registrate.";
    auto prova = [&](const char* nome, const String& messaggio, const std::function<bool()>& fai,
                     const QStringList& rimasti) {
        SCOPED_TRACE(nome);
        seam::ClearShown();
        seam::AnswerMsgBox();
        C().modificato = true;
        EXPECT_FALSE(fai());
        EXPECT_EQ(Messaggi(), std::vector<String>{messaggio});
        EXPECT_TRUE(C().modificato);
        EXPECT_EQ(Contenuto(), rimasti);
    };

    SulDisco("vecchio");
    prova("scrittura che fallisce", discoPieno,
          [&] {
              seam::FailNextWrite();
              return w->RegistraFile();
          },
          {"FIp.txt"});
    EXPECT_EQ(Disco(), "vecchio");

    // A file size limit makes the kernel refuse the write ("file too large").
    for (int i = 0; i < 200; ++i) Nuovo(5, i, i);
    prova("disco pieno", fallita,
          [&] {
              struct rlimit prima {};
              getrlimit(RLIMIT_FSIZE, &prima);
              auto segnale = std::signal(SIGXFSZ, SIG_IGN);
              struct rlimit piccolo = prima;
              piccolo.rlim_cur = 4096;
              setrlimit(RLIMIT_FSIZE, &piccolo);
              bool esito = w->RegistraFile();
              setrlimit(RLIMIT_FSIZE, &prima);
              std::signal(SIGXFSZ, segnale);
              return esito;
          },
          {"FIp.txt"});
    EXPECT_EQ(Disco(), "vecchio");

    QFile::remove(QString::fromStdString(programma.File("FIp.txt")));
    QDir(QString::fromStdString(programma.Percorso())).mkdir("FIp.txt");
    prova("una cartella al suo posto", nonScrivibile("al suo posto c'è una cartella"),
          [&] { return w->RegistraFile(); }, {"FIp.txt"});
    QDir(QString::fromStdString(programma.Percorso())).rmdir("FIp.txt");

    SulDisco("vecchio");
    ASSERT_EQ(chmod(programma.Percorso().c_str(), 0555), 0);
    bool root = access(programma.Percorso().c_str(), W_OK) == 0;
    if (!root) {
        prova("cartella in sola lettura",
              nonScrivibile("mancano i permessi per scrivere nella cartella"),
              [&] { return w->RegistraFile(); }, {"FIp.txt"});
    }
    chmod(programma.Percorso().c_str(), 0700);
    EXPECT_EQ(Disco(), "vecchio");
    if (root) GTEST_SKIP() << "running as root: a read-only folder does not stop writes";
}

// The cause the system gives for a failed save, in the message: when the file
// is created and when it is written. A full disk and one without free inodes
// both say ENOSPC; the file system's counts tell them apart (checked on a real
// disk by the end-to-end run).
TEST_F(FileConfigTest, LaCausaDiUnaRegistrazioneFallitaNelMessaggio) {
    Nuovo(0, 1, 1, "nuovo");
    SulDisco("vecchio");
    const String file = programma.File("FIp.txt");
    struct Caso {
        int codice;
        const char* causa;  // "" when the system's code says nothing we can name
    };
    const Caso casi[] = {
        {ENOSPC, "il disco è pieno"},
        {EDQUOT, "il disco è pieno"},
        {EACCES, "mancano i permessi per scrivere nella cartella"},
        {EPERM, "mancano i permessi per scrivere nella cartella"},
        {EROFS, "il disco è in sola lettura"},
        {EISDIR, "al suo posto c'è una cartella"},
        {ENOENT, "la cartella che lo contiene non esiste"},
        {ENOTDIR, "la cartella che lo contiene non esiste"},
        {EIO, ""},
        {EFBIG, ""},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.codice);
        const String causa = *c.causa ? String(": ") + c.causa : String();
        for (bool creazione : {true, false}) {
            seam::ClearShown();
            seam::AnswerMsgBox();
            if (creazione) {
                seam::FailNextCreate(c.codice);
            } else {
                seam::FailNextWrite(c.codice);
            }
            EXPECT_FALSE(w->RegistraFile());
            const String atteso =
                creazione ? "Non è possibile creare il file di configurazione " + file + causa +
                                ". Le modifiche non sono state registrate."
                          : "La scrittura del file di configurazione " + file + " non è riuscita" +
                                causa +
                                ". Il file precedente è rimasto com'era e le modifiche non sono "
                                "state registrate.";
            EXPECT_EQ(Messaggi(), std::vector<String>{atteso});
            EXPECT_EQ(Disco(), "vecchio");
            EXPECT_EQ(Contenuto(), QStringList{"FIp.txt"});
        }
    }
}

// At start-up no layout is open yet: when the file chosen cannot be read, the
// page on screen belongs to that file, and saves go there as soon as whatever
// stood in the way is gone.
TEST_F(FileConfigTest, FileNonLeggibileAllAvvioSiRegistraQuandoSiPuo) {
    const String file = programma.File("FIp.txt");
    struct Caso {
        const char* nome;
        std::function<void()> metti;
        String causa;
    };
    const Caso casi[] = {
        {"una cartella",
         [&] { ASSERT_TRUE(QDir(QString::fromStdString(programma.Percorso())).mkdir("FIp.txt")); },
         "al suo posto c'è una cartella"},
        {"una FIFO", [&] { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); },
         "al suo posto c'è un file speciale (un dispositivo o una coda), che non viene sostituito"},
        {"un collegamento a /dev/zero", [&] { ASSERT_EQ(symlink("/dev/zero", file.c_str()), 0); },
         "al suo posto c'è un file speciale (un dispositivo o una coda), che non viene sostituito"},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        // The program as it starts: no layout was open before.
        prova::Chiudi<vx::wMain>();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        w = &Mostrata();
        w->nomeFileConfig = "FIp.txt";
        caso.metti();
        seam::ClearShown();
        seam::AnswerMsgBox();
        w->ApriFile();
        EXPECT_EQ(Messaggi(), std::vector<String>{"Il file di configurazione " + file +
                                                  " non può essere letto (permessi insufficienti "
                                                  "o non è un file). Il configuratore aperto "
                                                  "resta invariato."});
        EXPECT_EQ(w->nomeFileConfig, "FIp.txt");
        EXPECT_EQ(w->Title(), "FIp.txt");

        Nuovo(0, 3, 4, "testo");
        seam::ClearShown();
        seam::AnswerMsgBox();
        EXPECT_FALSE(w->RegistraFile());
        EXPECT_EQ(Messaggi(), std::vector<String>{"Non è possibile creare il file di "
                                                  "configurazione " +
                                                  file + ": " + caso.causa +
                                                  ". Le modifiche non sono state registrate."});
        EXPECT_TRUE(C().modificato);

        // Once it is gone, the page is saved there.
        ASSERT_TRUE(QDir(QString::fromStdString(programma.Percorso())).rmdir("FIp.txt") ||
                    QFile::remove(QString::fromStdString(file)));
        seam::ClearShown();
        ASSERT_TRUE(w->RegistraFile());
        EXPECT_TRUE(seam::Shown().empty());
        EXPECT_EQ(Disco(), Inizio() + Riga({"", "", "testo", "3", "4", "100", "14", kFont, "10", "",
                                            "", "", "0", "0", "0", "0", "0"}));
        QFile::remove(QString::fromStdString(file));
    }
}

// A picture name with a folder part is reported as missing, whether or not a
// picture lies at that path, and the layout keeps the name as it was, so that
// a save writes back the same reference.
TEST_F(FileConfigTest, SfondoConUnaCartellaNelNomeNonVieneLetto) {
    prova::Cartella fuori;
    QImage figura(20, 20, QImage::Format_RGB32);
    figura.fill(Qt::red);
    ASSERT_TRUE(figura.save(QString::fromStdString(fuori.File("segreto.png"))));
    ASSERT_TRUE(QDir(QString::fromStdString(programma.Percorso())).mkdir("sotto"));
    ASSERT_TRUE(figura.save(QString::fromStdString(programma.File("sotto/figura.png"))));
    ASSERT_TRUE(figura.save(QString::fromStdString(programma.File("figura.png"))));
    // From the program's folder, up and into the other one.
    const String relativo = "../" +
                            QDir(QString::fromStdString(fuori.Percorso())).dirName().toStdString() +
                            "/segreto.png";
    ASSERT_TRUE(QFileInfo(QString::fromStdString(programma.File(relativo))).isFile());

    for (const String& nome :
         {fuori.File("segreto.png"), relativo, String("sotto/figura.png"), String("./figura.png"),
          String("/etc/shadow"), String(".."), String(".")}) {
        SCOPED_TRACE(nome);
        C().nomeFileSfondo = "prima.png";
        ApriSenzaSfondo(Inizio(nome) + "\t24\r", nome);
        EXPECT_EQ(C().nomeFileSfondo, nome);
        EXPECT_EQ(C().vCampi.size(), 1u);
        EXPECT_FALSE(C().modificato);
        C().modificato = true;
        ASSERT_TRUE(w->RegistraFile());
        EXPECT_EQ(fw::NthField(Disco(), "\r", 2), nome);
    }

    // The bare name is the program folder's own picture.
    SulDisco(Inizio("figura.png"));
    w->ApriFile();
    EXPECT_NE(C().Backdrop(), nullptr);
    EXPECT_EQ(C().nomeFileSfondo, "figura.png");
}

// A bare name that starts with ":" is a file of the program's folder, never one
// of the toolkit's built-in resources, which it would name for the toolkit: the
// program's pictures (":immagini") and the toolkit's own (":qt-project.org").
TEST_F(FileConfigTest, SfondoCheIniziaConDuePuntiECercatoNellaCartellaDelProgramma) {
    const String nomi[] = {":", "::", ":immagini", ":modulo.png", ":qt-project.org", ":qpdf"};
    ASSERT_TRUE(QFileInfo::exists(":immagini"));
    ASSERT_TRUE(QFileInfo::exists(":qt-project.org"));
    for (const String& nome : nomi) {
        SCOPED_TRACE("absent: " + nome);
        ApriSenzaSfondo(Inizio(nome), nome);
        EXPECT_EQ(C().nomeFileSfondo, "");
        C().modificato = true;
        ASSERT_TRUE(w->RegistraFile());
        EXPECT_EQ(Disco(), Inizio(""));
    }
    QImage figura(20, 10, QImage::Format_RGB32);
    figura.fill(Qt::red);
    for (const String& nome : nomi) {
        SCOPED_TRACE("present: " + nome);
        ASSERT_TRUE(figura.save(QString::fromStdString(programma.File(nome)), "PNG"));
        SulDisco(Inizio(nome));
        seam::ClearShown();
        w->ApriFile();
        EXPECT_EQ(Messaggi(), std::vector<String>{});
        ASSERT_NE(C().Backdrop(), nullptr);
        EXPECT_EQ(C().Backdrop()->Width(), 20);
        EXPECT_EQ(C().Backdrop()->Graphics().Pixel(5, 5), 0xFF0000u);
        EXPECT_EQ(C().nomeFileSfondo, nome);
        C().modificato = true;
        ASSERT_TRUE(w->RegistraFile());
        EXPECT_EQ(Disco(), Inizio(nome));
    }
}

// A file far larger than any layout is refused as no configuration file,
// before it is read: here 64 GB that take no room on the disk.
TEST_F(FileConfigTest, FileEnormeRifiutatoSenzaLeggerlo) {
    const String troppo =
        "Il file FIp.txt è troppo grande per essere un file di configurazione stampe. Ne creo uno "
        "nuovo.";
    struct Caso {
        const char* nome;
        std::function<void()> prepara;
    };
    const Caso casi[] = {
        {"64 GB di zeri",
         [this] {
             SulDisco(Inizio());
             ASSERT_EQ(truncate(programma.File("FIp.txt").c_str(), 1LL << 36), 0);
         }},
        {"cinquantamila righe di campo e una",
         [this] { SulDisco(Inizio() + String(50001, '\r')); }},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        caso.prepara();
        C().vCampi.clear();
        Nuovo(0, 3, 3, "prima");
        seam::ClearShown();
        seam::AnswerMsgBox();
        seam::AnswerMessageDialog(seam::Answer::Button::Cancel);  // "Nuovo"
        w->ApriFile();
        EXPECT_EQ(Messaggi(), (std::vector<String>{troppo, kEsisteGia}));
        EXPECT_TRUE(C().vCampi.empty());
        EXPECT_FALSE(C().modificato);
    }
    // One line fewer is a layout.
    SulDisco(Inizio() + String(50000, '\r'));
    seam::ClearShown();
    seam::AnswerMsgBox();  // the fixed-text limit, once
    w->ApriFile();
    EXPECT_EQ(C().vCampi.size(), 50000u);
    EXPECT_EQ(Messaggi(), std::vector<String>{kAvvisoTestiFissi});
}
