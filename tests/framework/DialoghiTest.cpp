#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Dialogs.h"
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
