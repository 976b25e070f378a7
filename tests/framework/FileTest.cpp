#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <csignal>

#include "Aiuti.h"
#include "framework/Drawing.h"
#include "framework/Files.h"
#include "framework/Testing.h"

using namespace fw;
namespace seam = fw::testing;

namespace {

// Names in a folder, to see that a failed save leaves no stray file beside the old one.
QStringList Contenuto(const prova::Cartella& c) {
    return QDir(QString::fromStdString(c.Percorso()))
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

}  // namespace

TEST(FolderItem, NomePercorsoEsistenza) {
    prova::Cartella c;
    c.Scrivi("uno.txt", "x");
    QDir(QString::fromStdString(c.Percorso())).mkdir("sotto");

    FolderItem file(c.File("uno.txt"));
    EXPECT_TRUE(file.Exists());
    EXPECT_FALSE(file.Directory());
    EXPECT_EQ(file.Name(), "uno.txt");
    EXPECT_EQ(file.AbsolutePath(), c.File("uno.txt"));
    EXPECT_FALSE(file.Locked());

    FolderItem cartella(c.File("sotto"));
    EXPECT_TRUE(cartella.Directory());
    EXPECT_EQ(cartella.Name(), "sotto");
    EXPECT_EQ(cartella.AbsolutePath(), c.File("sotto/"));  // a name appended names a file inside

    FolderItem assente(c.File("manca"));
    EXPECT_FALSE(assente.Exists());
    EXPECT_FALSE(assente.Locked());
    EXPECT_EQ(assente.Name(), "manca");
    EXPECT_FALSE(FolderItem("").Exists());
}

TEST(FolderItem, FileInSolaLetturaEBloccato) {
    prova::Cartella c;
    c.Scrivi("ro.txt", "vecchio");
    ASSERT_EQ(chmod(c.File("ro.txt").c_str(), 0444), 0);
    if (access(c.File("ro.txt").c_str(), W_OK) == 0) {
        GTEST_SKIP() << "running as root: permission bits do not stop writes";
    }
    FolderItem f(c.File("ro.txt"));
    EXPECT_TRUE(f.Locked());
    EXPECT_EQ(f.CreateTextFile(), nullptr);
    EXPECT_EQ(f.LastError(), FileError::Locked);
    EXPECT_EQ(c.Leggi("ro.txt"), "vecchio");
}

TEST(GetFolderItem, NomeNudoNellaCartellaDelProgrammaPercorsoAssolutoComEe) {
    prova::Cartella programma, altrove;
    seam::SetProgramFolder(programma.Percorso());
    EXPECT_EQ(GetFolderItem("FIp.txt", 0)->AbsolutePath(), programma.File("FIp.txt"));
    EXPECT_EQ(GetFolderItem(altrove.File("x.png"), 0)->AbsolutePath(), altrove.File("x.png"));

    // Without the seam a bare name lands beside the executable.
    seam::SetProgramFolder("");
    auto f = GetFolderItem("FIp.txt", 0);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(QDir::cleanPath(QString::fromStdString(f->AbsolutePath())),
              QDir::cleanPath(QCoreApplication::applicationDirPath() + "/FIp.txt"));
}

// The toolkit reads a path that starts with ":" as one of its built-in
// resources, the program's pictures and its own. Every name from a file or a
// user is a file of the file system: a bare one is in the program's folder.
TEST(GetFolderItem, UnNomeCheIniziaConDuePuntiEUnFileDellaCartellaDelProgramma) {
    prova::Cartella programma;
    seam::SetProgramFolder(programma.Percorso());
    ASSERT_TRUE(QFileInfo::exists(":/immagini/170.png"));
    ASSERT_TRUE(QFileInfo::exists(":qt-project.org"));
    for (const char* nome :
         {":", "::", ":immagini", ":immagini/170.png", ":qt-project.org", ":modulo.png"}) {
        SCOPED_TRACE(nome);
        auto f = GetFolderItem(nome, 0);
        EXPECT_EQ(f->AbsolutePath(), programma.File(nome));
        EXPECT_FALSE(f->Exists());
        EXPECT_EQ(f->OpenAsPicture(), nullptr);
        EXPECT_EQ(f->OpenAsTextFile(), nullptr);
    }
    QImage figura(3, 2, QImage::Format_RGB32);
    figura.fill(Qt::red);
    ASSERT_TRUE(figura.save(QString::fromStdString(programma.File(":modulo.png")), "PNG"));
    auto f = GetFolderItem(":modulo.png", 0);
    EXPECT_TRUE(f->Exists());
    EXPECT_EQ(f->Name(), ":modulo.png");
    auto p = f->OpenAsPicture();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Width(), 3);

    auto scritto = GetFolderItem(":immagini", 0);
    auto s = scritto->CreateTextFile();
    ASSERT_NE(s, nullptr);
    s->WriteLine("uno");
    ASSERT_TRUE(s->Close());
    EXPECT_EQ(programma.Leggi(":immagini"), "uno\r");
    EXPECT_EQ(scritto->OpenAsTextFile()->ReadAll(), "uno\r");
}

// A file item of a path that starts with ":", as a dialog or the environment
// may give one, is that file relative to the working folder, as any relative
// path is; so is a preferences folder of such a path.
TEST(FolderItem, UnPercorsoCheIniziaConDuePuntiNonEUnaRisorsa) {
    prova::Cartella lavoro;
    struct Ritorno {
        QString prima = QDir::currentPath();
        ~Ritorno() { QDir::setCurrent(prima); }
    } ritorno;
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(lavoro.Percorso())));
    const String qui = QDir::currentPath().toStdString() + "/";

    FolderItem risorsa(":/immagini/170.png");
    EXPECT_FALSE(risorsa.Exists());
    EXPECT_EQ(risorsa.Length(), 0);
    EXPECT_EQ(risorsa.OpenAsPicture(), nullptr);
    EXPECT_EQ(risorsa.OpenAsTextFile(), nullptr);
    EXPECT_EQ(risorsa.AbsolutePath(), qui + ":/immagini/170.png");
    FolderItem cartella(":qt-project.org");
    EXPECT_FALSE(cartella.Directory());

    FolderItem file(":nota.txt");
    auto s = file.CreateTextFile();
    ASSERT_NE(s, nullptr);
    s->Write("vero");
    ASSERT_TRUE(s->Close());
    EXPECT_EQ(lavoro.Leggi(":nota.txt"), "vero");
    EXPECT_TRUE(file.Exists());
    EXPECT_EQ(file.Length(), 4);
    EXPECT_EQ(file.Name(), ":nota.txt");
    EXPECT_EQ(file.AbsolutePath(), qui + ":nota.txt");

    seam::SetPreferencesFolder(":pref");
    auto pref = PreferencesFolder();
    ASSERT_NE(pref, nullptr);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(lavoro.File(":pref"))).isDir());
    EXPECT_EQ(pref->AbsolutePath(), qui + ":pref/");
}

TEST(PreferencesFolder, CartellaCreataConSeparatoreFinale) {
    prova::Cartella c;
    seam::SetPreferencesFolder(c.File("pref/nuova"));
    auto p = PreferencesFolder();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->Directory());
    EXPECT_EQ(p->AbsolutePath(), c.File("pref/nuova/"));

    seam::SetPreferencesFolder("");
    auto sistema = PreferencesFolder();
    ASSERT_NE(sistema, nullptr);
    EXPECT_TRUE(sistema->Directory());
    EXPECT_EQ(sistema->AbsolutePath().back(), '/');
}

TEST(TextInputStream, ReadLineAccettaCRLFeCRLF) {
    struct Caso {
        const char* byte;
        std::vector<String> righe;
    };
    const Caso casi[] = {
        {"Arial\r10\r", {"Arial", "10"}},
        {"Arial\n10\n", {"Arial", "10"}},
        {"Arial\r\n10\r\n", {"Arial", "10"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR are two line ends
        {"\r", {""}},
        {"solo", {"solo"}},
        {"", {}},
    };
    for (const auto& c : casi) {
        TextInputStream s(c.byte);
        std::vector<String> lette;
        while (!s.EndOfFile()) lette.push_back(s.ReadLine());
        EXPECT_EQ(lette, c.righe) << ::testing::PrintToString(String(c.byte));
        EXPECT_EQ(s.ReadLine(), "");  // "" at the end
    }
}

// A file is read in pieces as its lines are asked for; the lines are the same
// wherever a piece ends, a CR and its LF split between two pieces included.
TEST(TextInputStream, DaFileAPezziLeStesseRighe) {
    prova::Cartella c;
    const String mega(1 << 20, 'a');
    struct Caso {
        const char* nome;
        String byte;
        std::vector<String> righe;
    };
    const Caso casi[] = {
        {"corto", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"CR LF a cavallo",
         String((1 << 20) - 1, 'a') + "\r\nb",
         {String((1 << 20) - 1, 'a'), "b"}},
        {"CR a cavallo",
         String((1 << 20) - 1, 'a') + "\r\rb",
         {String((1 << 20) - 1, 'a'), "", "b"}},
        {"riga di tre mega", "x\r" + mega + mega + mega + "\ry", {"x", mega + mega + mega, "y"}},
        {"vuoto", "", {}},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        c.Scrivi("f", caso.byte);
        auto s = FolderItem(c.File("f")).OpenAsTextFile();
        ASSERT_NE(s, nullptr);
        std::vector<String> lette;
        while (!s->EndOfFile()) lette.push_back(s->ReadLine());
        EXPECT_TRUE(lette == caso.righe);
        EXPECT_FALSE(s->ReadError());
    }

    // At most so many bytes of a line are kept, cut between characters; the
    // rest of it is passed over, and the next line follows.
    c.Scrivi("f", "abc\r" + mega + "é" + mega + "\rfine\r");
    auto s = FolderItem(c.File("f")).OpenAsTextFile();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->ReadLine(2), "ab");
    EXPECT_EQ(s->ReadLine((1 << 20) + 1), mega);  // half of "é" is no character
    EXPECT_EQ(s->ReadLine(10), "fine");
    EXPECT_TRUE(s->EndOfFile());
    TextInputStream m("\x88\x88\x88\r");
    m.Encoding = TextEncoding::MacRoman;
    EXPECT_EQ(m.ReadLine(2), "àà");  // a byte a character

    // Read takes so many bytes, across pieces.
    c.Scrivi("f", "12" + mega + "345");
    auto r = FolderItem(c.File("f")).OpenAsTextFile();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Read(2), "12");
    EXPECT_EQ(r->Read(1 << 20), mega);
    EXPECT_EQ(r->Read(10), "345");
    EXPECT_EQ(r->Read(10), "");
    EXPECT_TRUE(r->EndOfFile());
}

TEST(TextInputStream, ReadAllDaLetturaInCorsoECodificaMacRoman) {
    TextInputStream s("uno\rdue\rtre");
    EXPECT_EQ(s.ReadLine(), "uno");
    EXPECT_EQ(s.ReadAll(), "due\rtre");
    EXPECT_TRUE(s.EndOfFile());
    EXPECT_EQ(s.ReadAll(), "");

    TextInputStream m("citt\x88\r\xDB 5");
    m.Encoding = TextEncoding::MacRoman;
    EXPECT_EQ(m.ReadLine(), "città");
    EXPECT_EQ(m.ReadAll(), "€ 5");

    TextInputStream grezzo("citt\x88");  // the default reads the bytes as they are
    EXPECT_EQ(grezzo.ReadAll(), "citt\x88");
}

TEST(FolderItem, OpenAsTextFileSoloSuFileRegolariLeggibili) {
    prova::Cartella c;
    c.Scrivi("dati", String("a\0b\r", 4));
    auto s = FolderItem(c.File("dati")).OpenAsTextFile();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->ReadAll(), String("a\0b\r", 4));

    EXPECT_EQ(FolderItem(c.File("manca")).OpenAsTextFile(), nullptr);
    EXPECT_EQ(FolderItem(c.Percorso()).OpenAsTextFile(), nullptr);
    EXPECT_EQ(FolderItem("").OpenAsTextFile(), nullptr);
    // A FIFO would block the open for ever.
    ASSERT_EQ(mkfifo(c.File("fifo").c_str(), 0600), 0);
    EXPECT_EQ(FolderItem(c.File("fifo")).OpenAsTextFile(), nullptr);
}

TEST(TextOutputStream, ScriveRigheConDelimitatoreCRESostituisceAllaChiusura) {
    prova::Cartella c;
    c.Scrivi("f.txt", "vecchio contenuto");
    auto s = FolderItem(c.File("f.txt")).CreateTextFile();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Delimiter, "\r");
    s->WriteLine("1");
    s->Write("a\tb");
    s->WriteLine("");
    s->Delimiter = "\n";
    s->WriteLine("€");
    // Until the stream is closed the old file is still whole.
    EXPECT_EQ(c.Leggi("f.txt"), "vecchio contenuto");
    EXPECT_TRUE(s->Close());
    EXPECT_EQ(c.Leggi("f.txt"), "1\ra\tb\r€\n");
    EXPECT_EQ(Contenuto(c), QStringList{"f.txt"});
    EXPECT_TRUE(s->Close());  // a second Close repeats the outcome
}

TEST(TextOutputStream, FlussoAbbandonatoSenzaCloseLasciaIlVecchioFile) {
    prova::Cartella c;
    c.Scrivi("f.txt", "vecchio");
    {
        auto s = FolderItem(c.File("f.txt")).CreateTextFile();
        ASSERT_NE(s, nullptr);
        s->Write("mezzo lavoro");
    }
    EXPECT_EQ(c.Leggi("f.txt"), "vecchio");
    EXPECT_EQ(Contenuto(c), QStringList{"f.txt"});
}

TEST(TextOutputStream, ScritturaFallitaLasciaIlVecchioFileIntero) {
    prova::Cartella c;
    c.Scrivi("f.txt", "vecchio");
    seam::FailNextWrite();
    auto s = FolderItem(c.File("f.txt")).CreateTextFile();
    ASSERT_NE(s, nullptr);
    s->WriteLine("nuovo");
    EXPECT_FALSE(s->Close());
    EXPECT_FALSE(s->Close());
    EXPECT_EQ(c.Leggi("f.txt"), "vecchio");
    EXPECT_EQ(Contenuto(c), QStringList{"f.txt"});

    // The seam fails one Close only.
    auto poi = FolderItem(c.File("f.txt")).CreateTextFile();
    ASSERT_NE(poi, nullptr);
    poi->Write("nuovo");
    EXPECT_TRUE(poi->Close());
    EXPECT_EQ(c.Leggi("f.txt"), "nuovo");
}

TEST(TextOutputStream, DiscoPienoVeroLasciaIlVecchioFileIntero) {
    // A file size limit makes the kernel refuse the write as a full disk does,
    // and it holds for root too.
    prova::Cartella c;
    c.Scrivi("f.txt", "vecchio");
    struct rlimit prima {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &prima), 0);
    auto vecchioSegnale = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit piccolo = prima;
    piccolo.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &piccolo), 0);

    // One large write, and many short lines that only reach the limit when the
    // stream is closed.
    bool chiuso[2] = {true, true};
    bool creati[2] = {false, false};
    for (int modo = 0; modo < 2; ++modo) {
        auto s = FolderItem(c.File("f.txt")).CreateTextFile();
        creati[modo] = s != nullptr;
        if (!s) continue;
        if (modo == 0) {
            s->Write(String(100000, 'x'));
        } else {
            for (int i = 0; i < 500; ++i) s->WriteLine("una riga di testo");
        }
        chiuso[modo] = s->Close();
        // "File too large" is no full disk: the cause is not named.
        EXPECT_EQ(s->LastError(), FileError::Other) << modo;
    }
    setrlimit(RLIMIT_FSIZE, &prima);
    std::signal(SIGXFSZ, vecchioSegnale);

    for (int modo = 0; modo < 2; ++modo) {
        EXPECT_TRUE(creati[modo]) << modo;
        EXPECT_FALSE(chiuso[modo]) << modo;
    }
    EXPECT_EQ(c.Leggi("f.txt"), "vecchio");
    EXPECT_EQ(Contenuto(c), QStringList{"f.txt"});
}

TEST(TextOutputStream, NessunFlussoDoveIlFileNonPuoNascere) {
    prova::Cartella c;
    c.Scrivi("file", "x");
    QDir(QString::fromStdString(c.Percorso())).mkdir("cartella");
    EXPECT_EQ(FolderItem(c.File("file/dentro.txt")).CreateTextFile(), nullptr);  // parent is a file
    EXPECT_EQ(FolderItem(c.File("manca/dentro.txt")).CreateTextFile(), nullptr);
    EXPECT_EQ(FolderItem(c.File("cartella")).CreateTextFile(), nullptr);
    EXPECT_EQ(FolderItem("").CreateTextFile(), nullptr);
    // A read-only file system stops root as well.
    EXPECT_EQ(FolderItem("/proc/velarix-prova.txt").CreateTextFile(), nullptr);
    EXPECT_EQ(c.Leggi("file"), "x");
    EXPECT_TRUE(QDir(QString::fromStdString(c.File("cartella"))).exists());
}

// Why a file could not be created, as the system tells it; what stands in its
// place is left as it is.
TEST(TextOutputStream, PercheIlFileNonPuoNascere) {
    prova::Cartella c;
    c.Scrivi("file", "x");
    QDir(QString::fromStdString(c.Percorso())).mkdir("cartella");
    ASSERT_EQ(mkfifo(c.File("fifo").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/null", c.File("nulla").c_str()), 0);
    struct Caso {
        String percorso;
        FileError errore;
    };
    const Caso casi[] = {
        {c.File("cartella"), FileError::FolderInTheWay},
        {c.File("fifo"), FileError::NotAFile},
        {c.File("nulla"), FileError::NotAFile},
        {c.File("manca/dentro.txt"), FileError::NoFolder},
        {c.File("file/dentro.txt"), FileError::NoFolder},
        {"", FileError::NoFolder},
    };
    for (const auto& caso : casi) {
        FolderItem f(caso.percorso);
        EXPECT_EQ(f.CreateTextFile(), nullptr) << caso.percorso;
        EXPECT_EQ(f.LastError(), caso.errore) << caso.percorso;
    }
    struct stat st {};
    ASSERT_EQ(stat(c.File("fifo").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(lstat(c.File("nulla").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));

    // The system's code for a create or a write that fails, through the seams.
    FolderItem f(c.File("nuovo.txt"));
    seam::FailNextCreate(EROFS);
    EXPECT_EQ(f.CreateTextFile(), nullptr);
    EXPECT_EQ(f.LastError(), FileError::ReadOnlyDisk);
    auto s = f.CreateTextFile();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(f.LastError(), FileError::None);
    seam::FailNextWrite(EDQUOT);
    EXPECT_FALSE(s->Close());
    EXPECT_EQ(s->LastError(), FileError::NoSpace);
    EXPECT_EQ(c.Leggi("nuovo.txt"), "<assente>");
}

TEST(TextOutputStream, CartellaInSolaLetturaLasciaIlVecchioFile) {
    prova::Cartella c;
    c.Scrivi("f.txt", "vecchio");
    ASSERT_EQ(chmod(c.Percorso().c_str(), 0555), 0);
    if (access(c.Percorso().c_str(), W_OK) == 0) {
        chmod(c.Percorso().c_str(), 0700);
        GTEST_SKIP() << "running as root: permission bits do not stop writes";
    }
    FolderItem f(c.File("f.txt"));
    auto s = f.CreateTextFile();
    if (s) {
        s->Write("nuovo");
        EXPECT_FALSE(s->Close());
        EXPECT_EQ(s->LastError(), FileError::NoPermission);
    } else {
        EXPECT_EQ(f.LastError(), FileError::NoPermission);
    }
    chmod(c.Percorso().c_str(), 0700);
    EXPECT_EQ(c.Leggi("f.txt"), "vecchio");
}

TEST(FolderItem, OpenAsPicture) {
    prova::Cartella c;
    QImage img(7, 5, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(QString::fromStdString(c.File("modulo.png"))));
    c.Scrivi("finto.png", "non sono un'immagine");

    auto p = FolderItem(c.File("modulo.png")).OpenAsPicture();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Width(), 7);
    EXPECT_EQ(p->Height(), 5);
    EXPECT_EQ(FolderItem(c.File("finto.png")).OpenAsPicture(), nullptr);
    EXPECT_EQ(FolderItem(c.File("manca.png")).OpenAsPicture(), nullptr);
    EXPECT_EQ(FolderItem(c.Percorso()).OpenAsPicture(), nullptr);
}

TEST(MacRoman, IlConvertitoreEsisteEFaAndataERitorno) {
    ASSERT_TRUE(QStringEncoder("macintosh").isValid());
    ASSERT_TRUE(QStringDecoder("macintosh").isValid());

    EXPECT_EQ(ToMacRoman("à"), "\x88");
    EXPECT_EQ(ToMacRoman("€"), "\xDB");
    EXPECT_EQ(FromMacRoman("\x88\xDB"), "à€");

    const String italiano = "Perché la città è più bella: 12,50 € «così» — ok\r";
    EXPECT_EQ(FromMacRoman(ToMacRoman(italiano)), italiano);
    // Every byte reads back as itself.
    String tutti;
    for (int i = 0; i < 256; ++i) tutti += static_cast<char>(i);
    EXPECT_EQ(ToMacRoman(FromMacRoman(tutti)), tutti);
}

TEST(MacRoman, CaratteriMancantiDiventanoPuntoInterrogativo) {
    EXPECT_EQ(ToMacRoman("a中b"), "a?b");
    EXPECT_EQ(ToMacRoman("x😀y"), "x?y");  // one mark for a character outside the BMP
    EXPECT_EQ(ToMacRoman("\xEF\xBF\xBD"), "?");
    EXPECT_EQ(ToMacRoman(""), "");
}
