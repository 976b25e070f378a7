#pragma once

#include <array>
#include <memory>
#include <vector>

#include "framework/Controls.h"
#include "layout/Campo.h"
#include "layout/InterfacciaPalette.h"
#include "layout/Sezione.h"
#include "layout/StrumSelez.h"

// The page canvas: owns the open layout (fields, section lines, background
// picture, selection band, unsaved-changes flag), draws it through an
// off-screen buffer and edits it with the mouse.
class DragCanvas : public fw::Canvas {
  public:
    using Integer = fw::Integer;
    using String = fw::String;

    DragCanvas(fw::Window& parent, String name, Integer left, Integer top, Integer width,
               Integer height);

    // List order is drawing order, file order and reverse hit-test order.
    std::vector<std::shared_ptr<Campo>> vCampi;
    std::shared_ptr<Campo> campoCliccato;
    std::shared_ptr<fw::Picture> buffer;
    Integer ultimoX = 0;
    Integer ultimoY = 0;
    // "T", "D", "P".
    std::vector<std::shared_ptr<Sezione>> vSezioni;
    // Where the canvas's Open puts them, from the top of the page.
    static constexpr std::array<Integer, 3> kPosizioniSezioni{100, 150, 350};
    std::shared_ptr<Sezione> sezioneTrascinata;
    String nomeFileSfondo;
    bool modificato = false;
    std::shared_ptr<StrumSelez> rettSelez;

    // The palette told about selection changes; none until it exists.
    InterfacciaPalette* palette = nullptr;

    void MouseUp(Integer x, Integer y) override;
    void Open() override;
    void MouseDrag(Integer x, Integer y) override;
    bool MouseDown(Integer x, Integer y) override;
    void Paint(fw::Graphics& g) override;

    // Renders that rectangle of the page into the buffer.
    void RidisegnaOggetti(Integer x, Integer y, Integer width, Integer height);
    // Makes sure the buffer exists at the canvas's size.
    void PreparaBuffer();
    // Takes the field by value: the caller may pass an element of vCampi, which
    // this reorders.
    void SelezionaCampo(std::shared_ptr<Campo> campo, bool selezionato);
    std::shared_ptr<Campo> AggiungiCampo();
    // The same, for a caller that already knows how many fixed texts the list
    // holds (a file read line by line), so the list is not counted again.
    std::shared_ptr<Campo> AggiungiCampo(Integer testiFissi);
    void EliminaCampi();
    void ApriFileSfondo(const String& nome);
    void SelezionaTutti(bool selezionato);
    // Renders the rectangle into the buffer and copies it to the screen.
    void RidisegnaArea(Integer x, Integer y, Integer width, Integer height);
    void DuplicaCampi();
    void ResetSfondo();
    // How many fields have this catalogue row.
    Integer CercaCampo(Integer riga) const;

    // Positions and sizes summed without overflow.
    using Wide = long long;

  private:
    // The most that fields have drawn beyond their extents, on each side, since
    // the page was last painted whole. Repaints reach that much further, and
    // take in fields that near, so that those pixels are drawn again or cleared
    // when the field moves, changes or goes.
    Campo::Sbordo sbordo_;
    // The same over the fields the last RidisegnaOggetti drew.
    Campo::Sbordo sbordoDisegnato_;
    void PalettePopola();
    void PalettePopolaDim();
    void PaletteReset();
};
