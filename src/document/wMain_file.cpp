// The configuration file: the layout as the invoicing program reads it.

#include "document/App.h"
#include "document/FileConfig.h"
#include "document/wMain.h"
#include "framework/Dialogs.h"
#include "framework/Files.h"
#include "framework/Text.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

using fw::Integer;
using fw::String;

namespace {

// The layout on the canvas as the file stores it.
vx::Configuratore DalCanvas(const DragCanvas& canvas) {
    vx::Configuratore c;
    c.nomeFileSfondo = canvas.nomeFileSfondo;
    for (std::size_t i = 0; i < c.posizSezioni.size() && i < canvas.vSezioni.size(); ++i) {
        c.posizSezioni[i] = canvas.vSezioni[i]->posizY;
    }
    c.campi.reserve(canvas.vCampi.size());
    for (const auto& k : canvas.vCampi) {
        vx::DatiCampo& d = c.campi.emplace_back();
        d.iCampo = k->iCampo;
        d.testoFisso = k->testoFisso;
        d.tx = k->tx;
        d.ty = k->ty;
        d.larghezza = k->riquadro->Width;
        d.altezza = k->riquadro->Height;
        d.iFont = k->iFont;
        d.dimFont = k->dimFont;
        d.stileG = k->stileG;
        d.stileC = k->stileC;
        d.stileS = k->stileS;
        d.coloreEtich = k->coloreEtich;
        d.pagina = k->pagina;
        d.AllType = k->AllType;
    }
    return c;
}

// A field read from the file, on a field just added to the canvas; its texts
// are moved there.
void SulCampo(vx::DatiCampo& d, Campo& k) {
    k.iCampo = d.iCampo;
    k.testoFisso = std::move(d.testoFisso);
    k.tx = d.tx;
    k.ty = d.ty;
    k.riquadro->Width = d.larghezza;
    k.riquadro->Height = d.altezza;
    k.iFont = d.iFont;
    k.dimFont = d.dimFont;
    k.stileG = d.stileG;
    k.stileC = d.stileC;
    k.stileS = d.stileS;
    k.coloreEtich = d.coloreEtich;
    k.pagina = d.pagina;
    k.AllType = d.AllType;
    k.etichetta = std::move(d.etichetta);
}

// The file's full path, so the user knows which folder to look at; a folder in
// the file's place is named without its trailing separator.
String Percorso(const fw::FolderItem& f) {
    String p = f.AbsolutePath();
    if (p.size() > 1 && p.back() == '/') p.pop_back();
    return Modulo1::Abbrevia(p);
}

// " because ...": the cause as the end of a sentence; "" when it is not known.
String Perche(fw::FileError errore) {
    String causa = Modulo1::CausaErrore(errore);
    return causa.empty() ? String() : ": " + causa;
}

String NonScrivibile(const fw::FolderItem* f, const String& nome) {
    return "Non è possibile creare il file di configurazione " +
           (f ? Percorso(*f) + Perche(f->LastError()) : nome) +
           ". Le modifiche non sono state registrate.";
}

String ScritturaFallita(const fw::FolderItem& f, fw::FileError errore) {
    return "La scrittura del file di configurazione " + Percorso(f) + " non è riuscita" +
           Perche(errore) +
           ". Il file precedente è rimasto com'era e le modifiche non sono state registrate.";
}

String NonLeggibile(const fw::FolderItem& f) {
    return "Il file di configurazione " + Percorso(f) +
           " non può essere letto (permessi insufficienti o non è un file). Il configuratore "
           "aperto resta invariato.";
}

}  // namespace

namespace vx {

bool wMain::RegistraFile() {
    DragCanvas& canvas = *DragCanvas1;

    const ScritturaConfig scrittura =
        ScriviConfigurazione(DalCanvas(canvas), ::App().VXVer, ::App().VXHead);
    if (scrittura.rifiutata) {
        const Integer n = scrittura.testiFissi;
        fw::MsgBox("Hai inserito " + fw::Str(n) +
                   " testi fissi ma il numero massimo consentito è " +
                   fw::Str(Modulo1::kMassimoTestiFissi) + ". Devi eliminarne " +
                   fw::Str(n - Modulo1::kMassimoTestiFissi) +
                   " per poter registrare questo configuratore.");
        return false;
    }

    auto f = fw::GetFolderItem(nomeFileConfig, 0);
    // The stream writes beside the old file and replaces it only once all of it
    // was written, so a failure anywhere leaves the old file whole.
    auto s = f ? f->CreateTextFile() : nullptr;
    if (!s) {
        fw::MsgBox(NonScrivibile(f.get(), nomeFileConfig));
        return false;
    }
    s->Write(scrittura.byte);
    if (!s->Close()) {
        fw::MsgBox(ScritturaFallita(*f, s->LastError()));
        return false;
    }
    canvas.modificato = false;
    return true;
}

void wMain::ApriFile() {
    DragCanvas& canvas = *DragCanvas1;

    auto f = fw::GetFolderItem(nomeFileConfig, 0);
    if (!f || !f->Exists()) {
        fw::MsgBox("Il file di configurazione " + nomeFileConfig +
                   " non è presente nella cartella del programma. Ne creo uno nuovo.");
        NuovoConfig();
        return;
    }

    // A file too large to be a layout is refused before it is read.
    auto troppoGrande = [this] {
        fw::MsgBox("Il file " + nomeFileConfig +
                   " è troppo grande per essere un file di configurazione stampe. Ne creo uno "
                   "nuovo.");
        NuovoConfig();
    };
    if (f->Length() > kByteMassimiConfig) {
        troppoGrande();
        return;
    }

    // The whole file is read here, before anything of the open layout changes.
    auto file = f->OpenAsTextFile();
    String byte;
    if (file) byte = file->ReadAll();
    if (!file || file->ReadError()) {
        fw::MsgBox(NonLeggibile(*f));
        // The layout on screen stays, and so does the file it is saved to. At
        // start-up, before any layout was open, that is the file just chosen:
        // once it can be written, the page is saved there.
        if (nomeFileAperto.empty()) {
            SetTitle(nomeFileConfig);
            nomeFileAperto = nomeFileConfig;
        } else {
            nomeFileConfig = nomeFileAperto;
        }
        return;
    }
    file->Close();
    LetturaConfig lettura = LeggiConfigurazione(byte);
    if (lettura.esito == LetturaConfig::kEstraneo) {
        fw::MsgBox("Il file " + nomeFileConfig +
                   " non è un file di configurazione stampe. Ne creo uno nuovo.");
        NuovoConfig();
        return;
    }
    if (lettura.esito == LetturaConfig::kTroppoGrande) {
        troppoGrande();
        return;
    }
    Configuratore& letto = lettura.configuratore;

    SetTitle(nomeFileConfig);
    nomeFileAperto = nomeFileConfig;

    if (!letto.nomeFileSfondo.empty()) canvas.ApriFileSfondo(letto.nomeFileSfondo);
    for (std::size_t i = 0; i < letto.posizSezioni.size() && i < canvas.vSezioni.size(); ++i) {
        canvas.vSezioni[i]->posizY = letto.posizSezioni[i];
    }

    canvas.vCampi.clear();
    // Counted as the fields are added, for the fixed-text limit warning. It is
    // shown once for the file, at the first field line past the limit: a file
    // with a thousand fixed texts would otherwise ask for a thousand answers.
    Integer testiFissi = 0;
    bool avvisato = false;
    for (DatiCampo& d : letto.campi) {
        std::shared_ptr<Campo> c = canvas.AggiungiCampo(avvisato ? 0 : testiFissi);
        avvisato = avvisato || testiFissi >= Modulo1::kMassimoTestiFissi;
        SulCampo(d, *c);
        if (c->iCampo == 0) ++testiFissi;
    }

    canvas.RidisegnaArea(0, 0, canvas.Width(), canvas.Height());
    ImpostaBarreScorrim();
    ::wPalette().Init();
    ::wPalette().Reset();
    canvas.modificato = false;
}

}  // namespace vx
