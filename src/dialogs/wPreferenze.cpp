#include "dialogs/wPreferenze.h"

#include "document/App.h"
#include "framework/Dialogs.h"
#include "framework/Fonts.h"
#include "layout/Modulo1.h"

namespace vx {

wPreferenze::wPreferenze() : fw::Window(fw::kMovableModal) {
    SetTitle("Preferenze");
    SetSize(420, 162);
    SetMinimumSize(64, 64);
    SetMaximumSize(32000, 32000);
    SetCloseButton(true);
    SetResizeable(true);
    SetMinimizeButton(true);
    SetMaximizeButton(true);
    _CreateControls0();
}

wPreferenze::~wPreferenze() = default;

void wPreferenze::_CreateControls0() {
    pbOK = std::make_unique<fw::PushButton>(*this, "pbOK", 320, 122, 80, 20);
    pbOK->SetCaption("OK");
    pbOK->SetDefault(true);
    fw::SetTextStyle(*pbOK, "System", 12);
    pbOK->onAction = [this] { pbOK_Action(); };

    pbAnnulla = std::make_unique<fw::PushButton>(*this, "pbAnnulla", 228, 122, 80, 20);
    pbAnnulla->SetCaption("Annulla");
    pbAnnulla->SetCancel(true);
    fw::SetTextStyle(*pbAnnulla, "System", 12);
    pbAnnulla->onAction = [this] { pbAnnulla_Action(); };

    auto etichetta = [this](const char* nome, fw::Integer top, const char* testo) {
        auto st = std::make_unique<fw::StaticText>(*this, nome, 36, top, 110, 20);
        st->SetText(testo);
        st->SetTextAlign(0);
        st->SetTextColor(0x000000);
        st->SetMultiLine(false);
        fw::SetTextStyle(*st, "System", 12);
        return st;
    };
    StaticText1 = etichetta("StaticText1", 44, "Font:");
    StaticText2 = etichetta("StaticText2", 69, "Dimensione font:");

    GroupBox1 = std::make_unique<fw::GroupBox>(*this, "GroupBox1", 20, 14, 380, 96);
    GroupBox1->SetCaption("Default");
    fw::SetTextStyle(*GroupBox1, "System", 12);

    efDimFont = std::make_unique<EditFieldNum>(*this, "efDimFont", 158, 68, 80, 22);
    efDimFont->SetText("");
    fw::SetTextStyle(*efDimFont, "System", 12);

    bbFont = std::make_unique<fw::BevelButton>(*this, "bbFont", 158, 45, 226, 18);
    bbFont->SetHasMenu(true);
    bbFont->SetCaption("");
    bbFont->SetButtonType(0);
    bbFont->SetMenuValue(0);
    fw::SetTextStyle(*bbFont, "Geneva", 10);
    bbFont->onOpen = [this] { bbFont_Open(); };
    bbFont->onAction = [this] { bbFont_Action(); };
}

void wPreferenze::bbFont_Open() {
    fw::Integer n = fw::FontCount();
    for (fw::Integer i = 0; i < n; ++i) bbFont->AddRow(fw::Font(i));
}

void wPreferenze::Open() {
    // ::App, the accessor: inside this namespace App names the class.
    Preferenze* pref = ::App().pref.get();
    if (!pref) return;
    bbFont->SetMenuValue(Modulo1::CercaFont(pref->Leggi(1)));
    // A name no installed font has shows the first font, the one "OK" then saves.
    bbFont->SetCaption(bbFont->List(bbFont->MenuValue()));
    // Shown as the file holds it, digits or not.
    efDimFont->SetText(pref->Leggi(2));
}

void wPreferenze::bbFont_Action() {
    bbFont->SetCaption(bbFont->List(bbFont->MenuValue()));
}

void wPreferenze::pbOK_Action() {
    bool fallito = true;
    if (Preferenze* pref = ::App().pref.get()) {
        fallito = pref->Scrivi(1, bbFont->Caption());
        if (!fallito) fallito = pref->Scrivi(2, efDimFont->Text());
    }
    if (fallito) fw::MsgBox("Errore durante la scrittura del file delle preferenze.");
    Close();
}

void wPreferenze::pbAnnulla_Action() {
    Close();
}

}  // namespace vx

vx::wPreferenze& wPreferenze() {
    return fw::Implicit<vx::wPreferenze>();
}
