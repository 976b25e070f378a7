#pragma once

#include "framework/Files.h"
#include "framework/Types.h"

// Helpers shared by every part of the program; no state of their own.
namespace Modulo1 {

using fw::Integer;
using fw::String;

// Strictly inside: points on the rectangle's edges are outside.
bool PuntoNelRettangolo(Integer x, Integer y, Integer left, Integer top, Integer width,
                        Integer height);
// Index of the first installed font with this name; 0 when none has it.
Integer CercaFont(const String& nome);
// n as decimal text, with 0 shown as the empty text.
String StrZeroVuoto(Integer n);
double Min3(double a, double b, double c);
double Max3(double a, double b, double c);
// Shows "Memoria esaurita." and ends the program.
[[noreturn]] void MemoriaEsaurita();
// s with each TAB, CR and LF turned into a blank: a text that goes into one
// column of a configuration-file line can split neither the line nor the file.
String SuUnaRiga(String s);
// A name or text as a message shows it: one longer than massimo characters
// keeps its beginning and its end around "…", whole characters only, so that a
// name read from a damaged file cannot fill the screen.
String Abbrevia(const String& s, std::size_t massimo = 80);
// Why a file could not be written, as the end of a sentence: "il disco è
// pieno"; "" when the cause is unknown.
String CausaErrore(fw::FileError errore);
// How many fixed texts a layout may hold: one with more cannot be saved.
inline constexpr Integer kMassimoTestiFissi = 30;
// Warns that one more fixed text goes past the limit, when the layout already
// holds presenti of them and so reaches it.
void AvvisaLimiteTestiFissi(Integer presenti);
// A two-button question with the caution icon; true for the action button.
bool Conferma(const String& messaggio, const String& azione, const String& annulla);

}  // namespace Modulo1
