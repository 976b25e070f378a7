#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "Aiuti.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/DialogsPrivate.h"
#include "framework/Files.h"
#include "framework/Testing.h"

using namespace fw;
namespace seam = fw::testing;

namespace {

// Swaps the suite's handler for unanswered dialogs, to watch it being called.
class GestoreInatteso {
  public:
    GestoreInatteso() {
        seam::Enable([this](const String& what) { chiamate.push_back(what); });
    }
    ~GestoreInatteso() {
        seam::Enable([](const String& what) { ADD_FAILURE() << what; });
    }
    std::vector<String> chiamate;
};

}  // namespace

TEST(Dialoghi, MsgBoxRegistraIlTesto) {
    seam::AnswerMsgBox();
    MsgBox("Memoria esaurita.");
    ASSERT_EQ(seam::Shown().size(), 1u);
    EXPECT_EQ(seam::Shown()[0].kind, seam::DialogKind::MsgBox);
    EXPECT_EQ(seam::Shown()[0].message, "Memoria esaurita.");
    EXPECT_EQ(seam::PendingAnswers(), 0u);
}

TEST(Dialoghi, MessageDialogRestituisceIlPulsanteRisposto) {
    using B = seam::Answer::Button;
    struct Caso {
        B risposta;
        int atteso;  // 0 action, 1 alternate, 2 cancel, -1 none
    };
    const Caso casi[] = {{B::Action, 0}, {B::Alternate, 1}, {B::Cancel, 2}, {B::None, -1}};
    for (const auto& c : casi) {
        seam::ClearShown();
        MessageDialog d;
        d.Icon = 1;
        d.Message = "Vuoi registrare le modifiche?";
        d.Explanation = "Altrimenti andranno perse.";
        d.ActionButton.Caption = "Registra";
        d.AlternateActionButton.Caption = "Non registrare";
        d.AlternateActionButton.Visible = true;
        d.CancelButton.Caption = "Annulla";
        d.CancelButton.Visible = true;
        seam::AnswerMessageDialog(c.risposta);
        MessageDialogButton* premuto = d.ShowModal();
        MessageDialogButton* attesi[] = {&d.ActionButton, &d.AlternateActionButton,
                                         &d.CancelButton};
        EXPECT_EQ(premuto, c.atteso < 0 ? nullptr : attesi[c.atteso]);
        ASSERT_EQ(seam::Shown().size(), 1u);
        const auto& s = seam::Shown()[0];
        EXPECT_EQ(s.message, "Vuoi registrare le modifiche?");
        EXPECT_EQ(s.explanation, "Altrimenti andranno perse.");
        EXPECT_EQ(s.icon, 1);
        EXPECT_EQ(s.buttons, (std::vector<String>{"Registra", "Non registrare", "Annulla"}));
    }
}

TEST(Dialoghi, PulsantiNascostiNonSiPossonoPremere) {
    MessageDialog d;
    d.Message = "Solo OK";
    seam::AnswerMessageDialog(seam::Answer::Button::Cancel);
    EXPECT_EQ(d.ShowModal(), nullptr);
    EXPECT_EQ(seam::Shown()[0].buttons, std::vector<String>{"OK"});
}

TEST(Dialoghi, DialogoSenzaRispostaFallisceERispondeAnnulla) {
    GestoreInatteso gestore;
    MsgBox("nessuno risponde");
    MessageDialog d;
    d.CancelButton.Visible = true;
    EXPECT_EQ(d.ShowModal(), &d.CancelButton);
    Color c = 0x123456;
    EXPECT_FALSE(SelectColor(c, "Colore"));
    EXPECT_EQ(c, 0x123456u);
    EXPECT_EQ(GetOpenFolderItem(""), nullptr);
    ASSERT_EQ(gestore.chiamate.size(), 4u);
    EXPECT_NE(gestore.chiamate[0].find("nessuno risponde"), String::npos);

    // An answer of the wrong kind is not taken by another dialog.
    gestore.chiamate.clear();
    seam::AnswerOpenFile("/tmp/x");
    MsgBox("prima");
    EXPECT_EQ(gestore.chiamate.size(), 1u);
    EXPECT_EQ(seam::PendingAnswers(), 1u);
}

TEST(Dialoghi, GetOpenFolderItemESelectColor) {
    seam::AnswerOpenFile("/tmp/sfondo.png");
    auto f = GetOpenFolderItem("");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->AbsolutePath(), "/tmp/sfondo.png");
    seam::AnswerOpenFile("");
    EXPECT_EQ(GetOpenFolderItem(""), nullptr);

    Color c = 0x000000;
    seam::AnswerSelectColor(true, 0x1309D6);
    EXPECT_TRUE(SelectColor(c, "Scegli il colore"));
    EXPECT_EQ(c, 0x1309D6u);
    EXPECT_EQ(seam::Shown().back().message, "Scegli il colore");
    seam::AnswerSelectColor(false, 0xFFFFFF);
    EXPECT_FALSE(SelectColor(c, "Scegli il colore"));
    EXPECT_EQ(c, 0x1309D6u);  // cancel leaves the colour alone
}

TEST(Applicazione, QuitRegistraIlCodiceEFinisceConIlTest) {
    EXPECT_FALSE(QuitRequested());
    Quit(3);
    EXPECT_TRUE(QuitRequested());
    EXPECT_EQ(RequestedExitCode(), 3);
    EXPECT_EQ(seam::QuitCode(), 3);
    seam::Reset();
    EXPECT_FALSE(QuitRequested());
    EXPECT_EQ(seam::QuitCode(), std::nullopt);
}

TEST(Applicazione, QuitNowLanciaProgramEnded) {
    try {
        QuitNow(7);
        FAIL() << "QuitNow returned";
    } catch (const seam::ProgramEnded& e) {
        EXPECT_EQ(e.code, 7);
    }
    EXPECT_EQ(seam::QuitCode(), 7);
}

TEST(Applicazione, ShiftKeyDalSeam) {
    EXPECT_FALSE(Keyboard.ShiftKey());  // nobody holds it on the offscreen platform
    seam::HoldShift(true);
    EXPECT_TRUE(Keyboard.ShiftKey());
    seam::HoldShift(false);
    EXPECT_FALSE(Keyboard.ShiftKey());
    seam::HoldShift(true);
    seam::Reset();
    EXPECT_FALSE(Keyboard.ShiftKey());
}

// The open-file dialog starts in the program's folder, where a picture it picks
// is looked up again when the layout that names it is opened.
TEST(Dialoghi, LaSceltaDelFileParteDallaCartellaDelProgramma) {
    seam::SetProgramFolder("/percorso/del/programma");
    seam::AnswerOpenFile("");
    EXPECT_EQ(GetOpenFolderItem(""), nullptr);
    ASSERT_EQ(seam::Shown().size(), 1u);
    EXPECT_EQ(seam::Shown()[0].folder, "/percorso/del/programma/");
}

// Paths as text in a failure's report.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

// The toolkit's open-file dialog over a folder, with the message boxes it
// shows answered at once and their texts kept.
class SceltaFile {
  public:
    explicit SceltaFile(const prova::Cartella& c)
        : dialogo(nullptr, QString(), QString::fromStdString(c.Percorso())) {
        dialogo.setOption(QFileDialog::DontUseNativeDialog);
        dialogo.setFileMode(QFileDialog::ExistingFile);
        dialogo.show();
        QObject::connect(&risponditore, &QTimer::timeout, [this] {
            if (auto* b = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                avvisi << b->text();
                formatiPiani = formatiPiani && b->textFormat() == Qt::PlainText;
                b->accept();
            }
        });
        risponditore.start(5);
    }
    // The name typed as a user types it; whether "Open" can then be pressed.
    bool Digita(const QString& nome) {
        auto* campo = dialogo.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* pulsanti = dialogo.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        if (!campo || !pulsanti) return false;
        campo->clear();
        QTest::keyClicks(campo, nome);
        return pulsanti->button(QDialogButtonBox::Open)->isEnabled();
    }
    // The name typed, then Return; whether the dialog took it.
    bool Scrivi(const QString& nome) {
        Digita(nome);
        QTest::keyClick(dialogo.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")),
                        Qt::Key_Return);
        return dialogo.result() == QDialog::Accepted;
    }
    String Cartella() const { return dialogo.directory().absolutePath().toStdString() + "/"; }

    detail::FileChooser dialogo;
    QStringList avvisi;
    bool formatiPiani = true;

  private:
    QTimer risponditore;
};

}  // namespace

// A name that starts with ":" is a file of the folder shown, as any other name:
// picked when it is there, said to be missing when not, even where the toolkit
// has a resource of that name, the program's pictures or its own.
TEST(Dialoghi, LaSceltaDelFileNonDaMaiUnaRisorsa) {
    prova::Cartella c;
    c.Scrivi(":modulo.png", "x");
    c.Scrivi("normale.png", "x");
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(c.File(":cartella"))));
    const QString risorse[] = {":/immagini/170.png", ":immagini/170.png",
                               ":qt-project.org/qmessagebox/images/qtlogo-64.png"};
    for (const QString& r : risorse) ASSERT_TRUE(QFileInfo(r).isFile()) << r.toStdString();

    struct Caso {
        const char* scritto;
        const char* scelto;  // "" when nothing is chosen
    };
    const Caso casi[] = {{":modulo.png", ":modulo.png"}, {"normale.png", "normale.png"}};
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.scritto);
        EXPECT_TRUE(SceltaFile(c).Digita(k.scritto));  // "Open" can be clicked
        SceltaFile s(c);
        EXPECT_TRUE(s.Scrivi(k.scritto));
        EXPECT_EQ(s.dialogo.Chosen(), QStringList{QString::fromStdString(c.File(k.scelto))});
        EXPECT_TRUE(s.avvisi.isEmpty());
    }
    {
        // Clicked in the list: the same name in the field.
        SceltaFile s(c);
        s.dialogo.selectFile(QString::fromStdString(c.File(":modulo.png")));
        s.dialogo.accept();
        EXPECT_EQ(s.dialogo.result(), QDialog::Accepted);
        EXPECT_EQ(s.dialogo.Chosen(), QStringList{QString::fromStdString(c.File(":modulo.png"))});
    }
    {
        // A folder of the disk is opened, the name is cleared.
        SceltaFile s(c);
        EXPECT_FALSE(s.Scrivi(":cartella"));
        EXPECT_EQ(s.Cartella(), c.File(":cartella/"));
        EXPECT_TRUE(
            s.dialogo.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text().isEmpty());
    }
    // The toolkit's own words for a missing file, with the name in its place.
    QString mancante;
    {
        SceltaFile s(c);
        EXPECT_FALSE(s.Scrivi("manca.png"));
        ASSERT_EQ(s.avvisi.size(), 1);
        mancante = s.avvisi[0];
        ASSERT_TRUE(mancante.startsWith("manca.png\n"));
    }
    for (const QString& nome : {risorse[0], risorse[1], risorse[2], QString(":qt-project.org"),
                                QString(":immagini"), QString(":manca.png")}) {
        SCOPED_TRACE(nome.toStdString());
        EXPECT_FALSE(SceltaFile(c).Digita(nome));
        SceltaFile s(c);
        EXPECT_FALSE(s.Scrivi(nome));
        EXPECT_EQ(s.Cartella(), c.Percorso());
        QString atteso = mancante;
        atteso.replace(0, 9, QFileInfo(nome).fileName());
        EXPECT_EQ(s.avvisi, QStringList{atteso});
        EXPECT_TRUE(s.formatiPiani);
    }
}

// Names from files are shown in messages as they are: markup in them is text,
// and a picture it names is not loaded.
TEST(Dialoghi, IMessaggiMostranoIlTestoComE) {
    detail::MessageBox box(nullptr);
    const QString testo =
        "Il file del modulo grafico di sfondo <b>x</b><img "
        "src=\":qt-project.org/qmessagebox/images/qtlogo-64.png\"> non è stato "
        "trovato.";
    box.setText(testo);
    box.SetExplanation("<i>spiegazione</i>");
    int etichette = 0;
    for (auto* l : box.findChildren<QLabel*>()) {
        if (l->text() != testo && l->text() != "<i>spiegazione</i>") continue;
        ++etichette;
        EXPECT_EQ(l->textFormat(), Qt::PlainText) << l->text().toStdString();
    }
    EXPECT_EQ(etichette, 2);
}
