#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <chrono>

#include "Aiuti.h"
#include "document/Preferenze.h"
#include "framework/Testing.h"

namespace seam = fw::testing;
using fw::String;

namespace {

const String kErroreCreazione = "Errore nella creazione del file delle preferenze.";
const String kFileAssente = "Il file delle preferenze non esiste.";
const String kNome = "Velarix pref";

// A fresh preferences folder per test and the object as start-up sets it.
class PreferenzeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        seam::SetPreferencesFolder(cartella.Percorso());
        pref.NOME = kNome;
        pref.NUM_CAMPI = 2;
    }
    void Metti(const String& byte) { cartella.Scrivi(kNome, byte); }
    String Contenuto() const { return cartella.Leggi(kNome); }
    std::vector<String> Messaggi() const {
        std::vector<String> m;
        for (const auto& d : seam::Shown()) m.push_back(d.message);
        return m;
    }

    prova::Cartella cartella;
    Preferenze pref;
};

}  // namespace

TEST_F(PreferenzeTest, PercorsoNellaCartellaDellePreferenze) {
    EXPECT_EQ(pref.PrefPath(), cartella.Percorso() + "Velarix pref");
}

TEST_F(PreferenzeTest, PrimoAvvioCreaIlContenutoPredefinito) {
    EXPECT_FALSE(pref.Esiste());
    EXPECT_EQ(pref.NUM_CAMPI, 2);
    pref.Crea(false, "Arial\r10\r");
    EXPECT_EQ(Contenuto(), "Arial\r10\r");

    // The next start finds it and counts its two lines.
    Preferenze dopo;
    dopo.NOME = kNome;
    dopo.NUM_CAMPI = 2;
    EXPECT_TRUE(dopo.Esiste());
    EXPECT_EQ(dopo.NUM_CAMPI, 2);
    EXPECT_TRUE(seam::Shown().empty());
}

TEST_F(PreferenzeTest, CreaNumerataScriveUnaRigaPerCampo) {
    pref.NUM_CAMPI = 3;
    pref.Crea(true, "ignorato");
    EXPECT_EQ(Contenuto(), "1\r2\r3\r");
    EXPECT_EQ(pref.NUM_CAMPI, 3);
}

TEST_F(PreferenzeTest, LeggiRestituisceLaRigaOLUltima) {
    Metti("Arial\r10\r");
    struct Caso {
        fw::Integer n;
        String riga;
    };
    const Caso casi[] = {{1, "Arial"}, {2, "10"}, {3, "10"}, {1000, "10"}, {0, ""}, {-1, ""}};
    for (const auto& c : casi) EXPECT_EQ(pref.Leggi(c.n), c.riga) << c.n;
    EXPECT_TRUE(seam::Shown().empty());
}

TEST_F(PreferenzeTest, ScriviSostituisceUnaRigaETieneLeAltre) {
    Metti("Arial\r10\r");
    ASSERT_TRUE(pref.Esiste());
    EXPECT_FALSE(pref.Scrivi(1, "DejaVu Sans"));
    EXPECT_EQ(Contenuto(), "DejaVu Sans\r10\r");
    EXPECT_FALSE(pref.Scrivi(2, "12"));
    EXPECT_EQ(Contenuto(), "DejaVu Sans\r12\r");
    EXPECT_EQ(pref.Leggi(1), "DejaVu Sans");

    // Beyond NUM_CAMPI, or below line 1, nothing is touched.
    for (fw::Integer n : {3, 0, -1}) {
        EXPECT_FALSE(pref.Scrivi(n, "x")) << n;
        EXPECT_EQ(Contenuto(), "DejaVu Sans\r12\r") << n;
    }
    EXPECT_EQ(pref.NUM_CAMPI, 2);
    EXPECT_TRUE(seam::Shown().empty());
}

// Only the two lines the program uses are read, counted and written back: what
// a longer file holds after them is not the program's.
TEST_F(PreferenzeTest, SoloLeRigheInUsoSonoLetteERiscritte) {
    Metti("Arial\r10\rterza\rquarta\r");
    ASSERT_TRUE(pref.Esiste());
    EXPECT_EQ(pref.NUM_CAMPI, 2);
    EXPECT_EQ(pref.Leggi(3), "terza");  // a caller asking for line 3 still gets it
    pref.Scrivi(2, "14");
    EXPECT_EQ(Contenuto(), "Arial\r14\r");
}

// A file of 64 GB that takes no room on the disk: were it read past its first
// two lines, none of this would end.
TEST_F(PreferenzeTest, NienteVieneLettoOltreLeRigheInUso) {
    Metti("Courier\r12\r");
    ASSERT_EQ(truncate(cartella.File(kNome).c_str(), 1LL << 36), 0);
    ASSERT_TRUE(pref.Esiste());
    EXPECT_EQ(pref.NUM_CAMPI, 2);
    EXPECT_EQ(pref.Leggi(1), "Courier");
    EXPECT_EQ(pref.Leggi(2), "12");
    EXPECT_FALSE(pref.Scrivi(1, "Arial"));
    EXPECT_EQ(Contenuto(), "Arial\r12\r");
    EXPECT_TRUE(seam::Shown().empty());
}

// Files the program did not write itself. The count is the number of CRs; Scrivi
// rebuilds that many lines, each ended by CR, and writes nothing below one.
TEST_F(PreferenzeTest, FileConFiniRigaEContenutiInattesi) {
    struct Caso {
        const char* nome;
        String byte;
        fw::Integer numCampi;
        String riga1, riga2;
        String dopoScrivi1;  // the file after Scrivi(1, "Z")
    };
    const Caso casi[] = {
        {"vuoto", "", -1, "", "", ""},
        {"senza CR", "Arial", 0, "Arial", "Arial", "Arial"},
        {"fine riga LF", "Arial\n10\n", 0, "Arial", "10", "Arial\n10\n"},
        {"fine riga CRLF", "Arial\r\n10\r\n", 2, "Arial", "10", "Z\r10\r"},
        {"ultima senza CR", "Arial\r10", 1, "Arial", "10", "Z\r"},
        {"solo CR", "\r\r", 2, "", "", "Z\r\r"},
        {"binario", String("\0\xFF\xFE\r\x01\x80\r", 7), 2, String("\0\xFF\xFE", 3), "\x01\x80",
         "Z\r\x01\x80\r"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        Metti(c.byte);
        pref.NUM_CAMPI = 2;
        ASSERT_TRUE(pref.Esiste());
        EXPECT_EQ(pref.NUM_CAMPI, c.numCampi);
        EXPECT_EQ(pref.Leggi(1), c.riga1);
        EXPECT_EQ(pref.Leggi(2), c.riga2);
        EXPECT_FALSE(pref.Scrivi(1, "Z"));
        EXPECT_EQ(Contenuto(), c.dopoScrivi1);
    }
    EXPECT_TRUE(seam::Shown().empty());
}

TEST_F(PreferenzeTest, TestoScrittoSenzaConversione) {
    // A font name goes to the file as the program holds it and reads back equal.
    Metti("Arial\r10\r");
    pref.Scrivi(1, "Fonte è €");
    EXPECT_EQ(Contenuto(), "Fonte \xC3\xA8 \xE2\x82\xAC\r10\r");
    EXPECT_EQ(pref.Leggi(1), "Fonte è €");
}

TEST_F(PreferenzeTest, FileAssente) {
    EXPECT_FALSE(pref.Esiste());  // no message
    EXPECT_TRUE(seam::Shown().empty());

    // Every reading says so again, line 0 too.
    for (int i = 0; i < 3; ++i) seam::AnswerMsgBox();
    EXPECT_EQ(pref.Leggi(1), "");
    EXPECT_EQ(pref.Leggi(2), "");
    EXPECT_EQ(pref.Leggi(0), "");
    EXPECT_EQ(Messaggi(), std::vector<String>(3, kFileAssente));

    // Scrivi reads the other line (one message) and writes the file anew.
    seam::ClearShown();
    seam::AnswerMsgBox();
    EXPECT_FALSE(pref.Scrivi(2, "12"));
    EXPECT_EQ(Messaggi(), std::vector<String>{kFileAssente});
    EXPECT_EQ(Contenuto(), "\r12\r");
}

TEST_F(PreferenzeTest, UnaCartellaAlPostoDelFile) {
    ASSERT_TRUE(QDir(QString::fromStdString(cartella.Percorso())).mkdir("Velarix pref"));
    EXPECT_FALSE(pref.Esiste());
    EXPECT_TRUE(seam::Shown().empty());

    seam::AnswerMsgBox();
    pref.Crea(false, "Arial\r10\r");
    seam::AnswerMsgBox();
    EXPECT_EQ(pref.Leggi(1), "");
    seam::AnswerMsgBox();
    seam::AnswerMsgBox();
    EXPECT_FALSE(pref.Scrivi(1, "Arial"));
    const String cartellaAlPosto =
        "Errore nella creazione del file delle preferenze: al suo posto c'è una cartella.";
    EXPECT_EQ(Messaggi(),
              (std::vector<String>{cartellaAlPosto, kFileAssente, kFileAssente, cartellaAlPosto}));
    EXPECT_TRUE(QDir(QString::fromStdString(cartella.File(kNome))).exists());
}

TEST_F(PreferenzeTest, ScritturaFallitaLasciaIlVecchioFileEAvvisa) {
    Metti("Arial\r10\r");
    ASSERT_TRUE(pref.Esiste());
    seam::FailNextWrite();
    seam::AnswerMsgBox();
    EXPECT_FALSE(pref.Scrivi(1, "DejaVu Sans"));
    EXPECT_EQ(Messaggi(), std::vector<String>{"Errore nella creazione del file delle "
                                              "preferenze: il disco è pieno."});
    EXPECT_EQ(Contenuto(), "Arial\r10\r");
    EXPECT_EQ(
        QDir(QString::fromStdString(cartella.Percorso())).entryList(QDir::Files | QDir::Hidden),
        QStringList{"Velarix pref"});
}

TEST_F(PreferenzeTest, CartellaDellePreferenzeImpossibile) {
    // The folder's place is taken by a regular file: nothing can be created there.
    cartella.Scrivi("occupato", "x");
    seam::SetPreferencesFolder(cartella.File("occupato"));
    EXPECT_FALSE(pref.Esiste());
    seam::AnswerMsgBox();
    pref.Crea(false, "Arial\r10\r");
    EXPECT_EQ(Messaggi(), std::vector<String>{"Errore nella creazione del file delle preferenze: "
                                              "la cartella che lo contiene non esiste."});
    EXPECT_EQ(cartella.Leggi("occupato"), "x");
}

TEST_F(PreferenzeTest, FileCheNonSiPuoLeggere) {
    // A FIFO is there but gives no text; root is stopped by it too.
    ASSERT_EQ(mkfifo(cartella.File(kNome).c_str(), 0600), 0);
    pref.NUM_CAMPI = 2;
    EXPECT_TRUE(pref.Esiste());  // there: start-up does not overwrite it
    EXPECT_EQ(pref.NUM_CAMPI, 2);
    EXPECT_EQ(pref.Leggi(1), "");
    EXPECT_TRUE(seam::Shown().empty());

    // Rewriting would lose the lines it could not read.
    seam::AnswerMsgBox();
    EXPECT_FALSE(pref.Scrivi(1, "Arial"));
    EXPECT_EQ(Messaggi(), std::vector<String>{kErroreCreazione});
    struct stat st {};
    ASSERT_EQ(stat(cartella.File(kNome).c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(PreferenzeTest, FileSenzaPermessoDiLettura) {
    Metti("Arial\r10\r");
    ASSERT_EQ(chmod(cartella.File(kNome).c_str(), 0200), 0);
    if (access(cartella.File(kNome).c_str(), R_OK) == 0) {
        GTEST_SKIP() << "running as root: permission bits do not stop reads";
    }
    EXPECT_TRUE(pref.Esiste());
    EXPECT_EQ(pref.Leggi(1), "");
    seam::AnswerMsgBox();
    pref.Scrivi(1, "DejaVu Sans");
    EXPECT_EQ(Messaggi(), std::vector<String>{kErroreCreazione});
    chmod(cartella.File(kNome).c_str(), 0600);
    EXPECT_EQ(Contenuto(), "Arial\r10\r");
}

TEST_F(PreferenzeTest, FileEnormeNonBloccaIlProgramma) {
    // A million lines: Scrivi reads and rewrites the two in use.
    String grande;
    for (int i = 0; i < 1000000; ++i) grande += "x\r";
    Metti(grande);
    ASSERT_TRUE(pref.Esiste());
    EXPECT_EQ(pref.NUM_CAMPI, 2);
    auto inizio = std::chrono::steady_clock::now();
    pref.Scrivi(1, "Arial");
    auto durata = std::chrono::steady_clock::now() - inizio;
    EXPECT_LT(durata, std::chrono::seconds(20));
    EXPECT_EQ(Contenuto(), "Arial\rx\r");

    // One line of 20 MB with no CR: never written over, and only its first
    // thousand bytes are kept when it is read, cut between characters.
    Metti(String(20 << 20, 'a'));
    ASSERT_TRUE(pref.Esiste());
    EXPECT_EQ(pref.NUM_CAMPI, 0);
    EXPECT_EQ(pref.Leggi(2), String(1000, 'a'));
    Metti("x" + std::string(2000, 'a') + "\r" + String(999, 'b') + "€€\r");
    EXPECT_EQ(pref.Leggi(1), "x" + String(999, 'a'));
    EXPECT_EQ(pref.Leggi(2), String(999, 'b'));  // "€" is three bytes: none of it fits
}
