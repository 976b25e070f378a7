#pragma once

#include "framework/Types.h"

// The field catalogue: what a field can stand for. Fields hold a row, files hold
// its code, the palette shows its name; rows never change during a run.
namespace Catalogo {

using fw::Integer;
using fw::String;

// Row 0 is the fixed text (empty code); rows 1 on are the data fields.
inline constexpr Integer NUM_RIGHE = 86;

// The code of a row, as the hidden code list holds it; "" for a row it lacks.
String Codice(Integer riga);
// The name of a row, as the catalogue popup shows it; "" for a row it lacks.
String Nome(Integer riga);
// The first row whose code equals codice (the framework's string equality, on
// the whole text), -1 when none; "" is row 0, the fixed text.
Integer CercaCampo(const String& codice);

}  // namespace Catalogo
