#pragma once

#include <memory>

#include "framework/Drawing.h"
#include "framework/Types.h"

// One field of the layout: a data field or a fixed text, with its frame on the
// page, its label and its print settings.
class Campo {
  public:
    using Integer = fw::Integer;
    using String = fw::String;

    // AllType: how the invoicing program aligns the text in the frame.
    enum Allineamento : Integer { kNessuno = 0, kSinistra = 1, kCentro = 2, kDestra = 3 };
    // The frame's border colour for each alignment; the palette's toggles sit
    // in squares of the same colours.
    static constexpr fw::Color kBordoNessuno = 0x000000;
    static constexpr fw::Color kBordoSinistra = 0x1309D6;
    static constexpr fw::Color kBordoCentro = 0x60C865;
    static constexpr fw::Color kBordoDestra = 0xF80404;

    Campo();

    bool ridimensiona = false;
    Integer tx = 100;
    Integer ty = 100;
    Integer iCampo = 0;
    String testoFisso;
    Integer iFont = 0;
    Integer dimFont = 0;
    bool stileG = false;
    bool stileC = false;
    bool stileS = false;
    Integer pagina = 0;
    bool selezionato = false;
    // The frame: its Width and Height are the field's size.
    std::shared_ptr<fw::RectShape> riquadro;
    std::shared_ptr<fw::RectShape> maniglia;
    String etichetta;
    Integer hEtich = 0;
    Integer wEtich = 0;
    fw::Color coloreEtich = 0x000000;
    Integer AllType = 0;

    // Sets ridimensiona: whether (x, y) lies strictly inside the resize zone.
    void ClicManiglia(Integer x, Integer y);
    // Whether (x, y) lies strictly inside the frame.
    bool ClicCampo(Integer x, Integer y) const;
    // Draws frame, label and (when selected) the handle; measures the label.
    void Disegna(fw::Graphics& g);
    // Advance widths of the character codes 1 to 255, each followed by "/".
    String LarghezzeCaratteri() const;
    // Width and height of the area a draw of the field may touch.
    Integer Larghezza() const;
    Integer Altezza() const;
    // Measures the label again without drawing.
    void DimensEtichetta();

    // How far a draw of the field may reach beyond its extent on each side, in
    // pixels: a label drawn above its frame (a size of 0 or less draws the
    // default size with its baseline on the frame's top), one leaning out past
    // its width or hanging below, the handle of a frame smaller than it (from a
    // hand-edited file). Taken from the label as last measured.
    struct Sbordo {
        Integer sinistra = 0, sopra = 0, destra = 0, sotto = 0;
    };
    Sbordo Sbordi() const;

  private:
    void ImpostaTesto(fw::Graphics& g, bool conSottolineato) const;
    // Sets wEtich and hEtich, and where the label's pixels lie, from g's text settings.
    void MisuraEtichetta(fw::Graphics& g);
    // How far the label's pixels reach beyond the wEtich x hEtich from (tx, ty)
    // that the extent always holds.
    Sbordo sbordoEtichetta_;
};
