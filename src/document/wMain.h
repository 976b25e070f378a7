#pragma once

#include <memory>

#include "framework/Controls.h"
#include "framework/Window.h"
#include "layout/DragCanvas.h"

namespace vx {

// The main window: the page canvas with its two scroll bars, the menu bar, and
// the life of the open layout (new, open, save, background picture).
class wMain : public fw::Window {
  public:
    using Integer = fw::Integer;
    using String = fw::String;

    wMain();
    ~wMain() override;

    // Bare name of the open configuration file, in the program's folder.
    String nomeFileConfig;
    // What the new/open dialog is asked (oper): at start-up, for a new layout,
    // for an open.
    enum Operazione : Integer { kAvvio = 0, kNuovo = 1, kApri = 2 };
    // The answers to the save-changes question.
    enum Risposta : Integer { kNonRegistrare = 0, kAnnulla = 1, kRegistra = 2 };

    Integer oper = kAvvio;
    // Member of the palette's catalogue control arrays; always 0.
    Integer modulo = 0;

    std::unique_ptr<DragCanvas> DragCanvas1;
    std::unique_ptr<fw::ScrollBar> sbVert;
    std::unique_ptr<fw::ScrollBar> sbOrizz;

    void sbVert_ValueChanged();
    void sbOrizz_ValueChanged();
    void AddMenuHandlers();
    bool CancelClose() override;
    void Resized() override;
    bool _ArchivioApri_Action();
    bool _ArchivioImportaModulo_Action();
    bool _ArchivioRegistra_Action();
    bool _ArchivioNuovo_Action();
    bool _EditSelezionaTutto_Action();
    bool _AllineamSinistra_Action();
    bool _AllineamSuper_Action();
    bool _AllineamDestra_Action();
    bool _AllineamInfer_Action();
    bool _Sposta1PxSu_Action();
    bool _Sposta1PxGiu_Action();
    bool _Sposta1PxSx_Action();
    bool _Sposta1PxDx_Action();
    bool _EditAggiungi_Action();
    bool _EditDuplica_Action();
    bool _EditElimina_Action();
    // Writes the layout to nomeFileConfig; false when nothing was saved.
    bool RegistraFile();
    // Replaces the layout with the content of nomeFileConfig.
    void ApriFile();
    void NuovoConfig();
    void ScorrimOrizz();
    void ScorrimVert();
    void ImpostaBarreScorrim();
    void AggiungiCampo();
    void DuplicaCampi();
    void EliminaCampi();

  private:
    void _CreateControls0();
    // 2 "Registra", 1 "Annulla", 0 "Non registrare".
    Integer DialogoRegistraModifiche();
    // The save-changes question when the layout has unsaved changes; true when
    // the operation that asked may go on.
    bool ProseguiDopoDomandaRegistra();
    // The "Nuovo" (1) and "Apri..." (2) commands.
    void NuovoOApri(Integer operazione);
    // The file of the layout on screen ("" before the first one): where a save
    // goes back to when the file chosen in the new/open dialog cannot be read.
    String nomeFileAperto;
};

}  // namespace vx

// The main window, made on first use.
vx::wMain& wMain();
