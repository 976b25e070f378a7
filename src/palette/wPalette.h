#pragma once

#include <memory>
#include <vector>

#include "framework/Controls.h"
#include "framework/Window.h"
#include "layout/EditFieldNum.h"
#include "layout/InterfacciaPalette.h"

namespace vx {

// The floating palette: shows the selected fields and edits them, holds the
// field catalogue.
class wPalette : public fw::Window, public InterfacciaPalette {
  public:
    using Integer = fw::Integer;
    using String = fw::String;

    wPalette();
    ~wPalette() override;

    // false only while Popola or Reset set the catalogue popup's row.
    bool editato = false;

    // In creation order.
    std::unique_ptr<fw::PushButton> pbAggiungi;
    std::unique_ptr<fw::StaticText> StaticText1, StaticText2, StaticText3, StaticText4, StaticText5,
        StaticText6, StaticText7, StaticText8, StaticText9, StaticText10, StaticText12;
    std::unique_ptr<fw::EditField> efTestoFisso;
    std::unique_ptr<EditFieldNum> efX, efY, efLargh, efAlt;
    // Control arrays: member wMain().modulo holds the catalogue.
    std::vector<std::unique_ptr<fw::PopupMenu>> pmCampi;
    std::unique_ptr<fw::PopupMenu> pmPagina;
    std::unique_ptr<fw::BevelButton> bbGrassetto, bbCorsivo, bbSottolineato;
    std::unique_ptr<fw::Canvas> canColore;
    std::unique_ptr<fw::BevelButton> bbFont;
    std::unique_ptr<fw::StaticText> stStatus;
    std::unique_ptr<fw::PushButton> pbElimina;
    std::vector<std::unique_ptr<fw::ListBox>> lbCodCampi;
    std::unique_ptr<EditFieldNum> efDimFont;
    std::unique_ptr<fw::PushButton> pbDuplica;
    std::unique_ptr<fw::RectangleControl> Rectangle1;
    std::unique_ptr<fw::BevelButton> bbDestra;
    std::unique_ptr<fw::RectangleControl> Rectangle2;
    std::unique_ptr<fw::BevelButton> bbCentro;
    std::unique_ptr<fw::RectangleControl> Rectangle3;
    std::unique_ptr<fw::BevelButton> bbSinistra;

    void pbAggiungi_Action();
    void efTestoFisso_LostFocus();
    void efTestoFisso_TextChange();
    void efX_TextChange();
    void efX_LostFocus();
    void efY_TextChange();
    void efY_LostFocus();
    void efLargh_TextChange();
    void efLargh_LostFocus();
    void efAlt_TextChange();
    void efAlt_LostFocus();
    void pmCampi_Change(Integer index);
    void pmPagina_Change();
    void bbGrassetto_Action();
    void bbCorsivo_Action();
    void bbSottolineato_Action();
    bool canColore_MouseDown(Integer x, Integer y);
    void canColore_Paint(fw::Graphics& g);
    void bbFont_Action();
    void bbFont_Open();
    void pbElimina_Action();
    void efDimFont_TextChange();
    void efDimFont_LostFocus();
    void pbDuplica_Action();
    void bbDestra_Action();
    void bbCentro_Action();
    void bbSinistra_Action();
    void Open() override;
    void PopolaDim() override;
    void Reset() override;
    void Popola() override;
    // The first catalogue row whose code is codice; "" is row 0, -1 when none.
    Integer CercaCampo(const String& codice);
    // Shows the catalogue popup of the current document type.
    void Init();

  private:
    void _CreateControls0();
};

}  // namespace vx

// The palette, made on first use.
vx::wPalette& wPalette();

// The alignment toggles' icons (resources 172 and 173), loaded once.
std::shared_ptr<fw::Picture> text_align_left();
std::shared_ptr<fw::Picture> text_align_right();
