#pragma once

// The configuration file's format, apart from any window: bytes to a layout and
// a layout to bytes. Codes and names come from the field catalogue, font names
// from the installed fonts. Choosing, reading and replacing the file, and every
// message, belong to the main window.

#include <array>
#include <cstddef>
#include <vector>

#include "framework/Types.h"

namespace vx {

// A layout holds a few hundred fields (85 data fields, 30 fixed texts), a file
// of some kilobytes. A file far beyond these bounds is no layout, and reading
// it would take the program's memory and time for nothing.
inline constexpr long long kByteMassimiConfig = 4LL << 20;
inline constexpr std::size_t kRigheCampoMassime = 50000;

// One field as the file stores it.
struct DatiCampo {
    fw::Integer iCampo = 0;
    fw::String testoFisso;
    fw::Integer tx = 0;
    fw::Integer ty = 0;
    double larghezza = 0;
    double altezza = 0;
    fw::Integer iFont = 0;
    fw::Integer dimFont = 0;
    bool stileG = false;
    bool stileC = false;
    bool stileS = false;
    fw::Color coloreEtich = 0;
    fw::Integer pagina = 0;
    fw::Integer AllType = 0;
    // Not stored: what the reader gives the field to show, from its row.
    fw::String etichetta;
};

// A layout as the file stores it: the background picture's name ("" for none),
// the "T", "D" and "P" section lines, the fields in list order.
struct Configuratore {
    fw::String nomeFileSfondo;
    std::array<fw::Integer, 3> posizSezioni{};
    std::vector<DatiCampo> campi;
};

struct LetturaConfig {
    enum Esito { kLetto, kEstraneo, kTroppoGrande };
    // kEstraneo: no "<FCS>" header. kTroppoGrande: a configuration file beyond
    // the bounds above. Only kLetto fills configuratore.
    Esito esito = kEstraneo;
    Configuratore configuratore;
};

// The layout that the bytes of a configuration file (MacRoman, lines ended by
// CR, LF or CRLF) hold.
LetturaConfig LeggiConfigurazione(const fw::String& byte);

struct ScritturaConfig {
    // The layout's fixed texts; more than the limit refuse the save, and then
    // byte stays empty.
    fw::Integer testiFissi = 0;
    bool rifiutata = false;
    fw::String byte;
};

// The bytes of the configuration file of a layout, with version and date in the
// header line.
ScritturaConfig ScriviConfigurazione(const Configuratore& c, const fw::String& versione,
                                     const fw::String& data);

}  // namespace vx
