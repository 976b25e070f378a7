#include "document/Menu.h"

#include <memory>

namespace vx {

namespace {

enum class Tipo { Voce, Separatore, Esci, Preferenze, Info };

struct Voce {
    const char* menu;  // Name of the title it goes under; nullptr for a title
    const char* nome;
    const char* testo;
    const char* scorciatoia;
    bool autoEnable;
    Tipo tipo;
};

// The four menus and their items, in the order they are shown.
constexpr Voce kVoci[] = {
    {nullptr, "UntitledMenu4", "Archivio", "", false, Tipo::Voce},
    {"UntitledMenu4", "ArchivioNuovo", "Nuovo", "", true, Tipo::Voce},
    {"UntitledMenu4", "ArchivioApri", "Apri...", "Cmd+O", true, Tipo::Voce},
    {"UntitledMenu4", "UntitledMenu7", "-", nullptr, true, Tipo::Separatore},
    {"UntitledMenu4", "ArchivioImportaModulo", "Importa modulo grafico...", "", true, Tipo::Voce},
    {"UntitledMenu4", "UntitledMenu6", "-", nullptr, true, Tipo::Separatore},
    {"UntitledMenu4", "ArchivioRegistra", "Registra", "Cmd+S", true, Tipo::Voce},
    {"UntitledMenu4", "UntitledMenu5", "-", nullptr, true, Tipo::Separatore},
    {"UntitledMenu4", "ArchivioEsci", "Esci", "Cmd+Q", true, Tipo::Esci},

    {nullptr, "UntitledMenu0", "Composizione", "", false, Tipo::Voce},
    {"UntitledMenu0", "EditUndo", "Annulla", "Cmd+Z", false, Tipo::Voce},
    {"UntitledMenu0", "UntitledMenu3", "-", nullptr, false, Tipo::Separatore},
    {"UntitledMenu0", "EditCut", "Taglia", "Cmd+X", false, Tipo::Voce},
    {"UntitledMenu0", "EditCopy", "Copia", "Cmd+C", false, Tipo::Voce},
    {"UntitledMenu0", "EditPaste", "Incolla", "Cmd+V", false, Tipo::Voce},
    {"UntitledMenu0", "EditClear", "Cancella", "", false, Tipo::Voce},
    {"UntitledMenu0", "EditSelezionaTutto", "Seleziona tutto", "Cmd+A", true, Tipo::Voce},
    {"UntitledMenu0", "UntitledMenu2", "-", nullptr, true, Tipo::Separatore},
    {"UntitledMenu0", "EditAggiungi", "Aggiungi", "Cmd+N", true, Tipo::Voce},
    {"UntitledMenu0", "EditDuplica", "Duplica", "Cmd+D", true, Tipo::Voce},
    {"UntitledMenu0", "EditElimina", "Elimina", "Cmd+E", true, Tipo::Voce},
    {"UntitledMenu0", "UntitledMenu1", "-", nullptr, true, Tipo::Separatore},
    {"UntitledMenu0", "AppPreferenze", "Preferenze...", "", true, Tipo::Preferenze},

    {nullptr, "AllineamentoMenu", "Allineamento", "", false, Tipo::Voce},
    {"AllineamentoMenu", "AllineamSinistra", "Sinistra", "Cmd+L", true, Tipo::Voce},
    {"AllineamentoMenu", "AllineamDestra", "Destra", "Cmd+R", true, Tipo::Voce},
    {"AllineamentoMenu", "AllineamSuper", "Superiore", "Cmd+T", true, Tipo::Voce},
    {"AllineamentoMenu", "AllineamInfer", "Inferiore", "Cmd+B", true, Tipo::Voce},

    {nullptr, "SpostamentoMenu", "Spostamento", "", true, Tipo::Voce},
    {"SpostamentoMenu", "Sposta1PxSu", "Un pixel in su", "Cmd+8", true, Tipo::Voce},
    {"SpostamentoMenu", "Sposta1PxGiu", "Un pixel in giù", "Cmd+2", true, Tipo::Voce},
    {"SpostamentoMenu", "Sposta1PxSx", "Un pixel a sinistra", "Cmd+4", true, Tipo::Voce},
    {"SpostamentoMenu", "Sposta1PxDx", "Un pixel a destra", "Cmd+6", true, Tipo::Voce},
    {"SpostamentoMenu", "AppleInfo", "Info su Velarix...", "", true, Tipo::Info},
};

std::shared_ptr<fw::MenuItem> NuovaVoce(Tipo tipo) {
    switch (tipo) {
        case Tipo::Esci:
            return std::make_shared<fw::QuitMenuItem>();
        case Tipo::Preferenze:
            return std::make_shared<fw::PrefsMenuItem>();
        case Tipo::Info:
            return std::make_shared<fw::AppleMenuItem>();
        default:
            return std::make_shared<fw::MenuItem>();
    }
}

}  // namespace

Menu::Menu() {
    for (const Voce& v : kVoci) {
        auto voce = NuovaVoce(v.tipo);
        voce->Name = v.nome;
        voce->AutoEnable = v.autoEnable;
        voce->Text = v.testo;
        if (v.scorciatoia) voce->KeyboardShortcut = v.scorciatoia;
        if (!v.menu) {
            Append(voce);
        } else if (fw::MenuItem* titolo = Child(v.menu)) {
            titolo->Append(voce);
        }
    }
}

}  // namespace vx

vx::Menu& Menu() {
    // Never deleted: windows alive at exit still point at it.
    static auto* barra = new vx::Menu;
    return *barra;
}
