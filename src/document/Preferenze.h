#pragma once

#include <memory>

#include "framework/Types.h"

namespace fw {
class FolderItem;
}

// The preferences file: CR-ended lines in the user's preferences folder, line 1
// the default font name of new fields, line 2 their default size. Every method
// finds the file anew and closes what it opens before returning.
class Preferenze {
  public:
    using Integer = fw::Integer;
    using String = fw::String;

    // The file's name inside the preferences folder.
    String NOME = "Velarix pref";
    // How many lines Scrivi rebuilds; Esiste recounts it from the file.
    Integer NUM_CAMPI = 2;

    // Writes the file anew: text as it is, or with numerato the lines "1" to
    // NUM_CAMPI. The old file is replaced only once the new one is whole.
    void Crea(bool numerato, const String& testo);
    // Whether the file is there; if so NUM_CAMPI becomes its count of CRs.
    bool Esiste();
    // Line n (from 1); the last line when the file has fewer, "" below 1.
    String Leggi(Integer n);
    // Replaces line n, keeping the other NUM_CAMPI - 1 lines. Always false: the
    // preferences dialog saves the second line only after a false from the first.
    bool Scrivi(Integer n, const String& valore);
    String PrefPath() const;

  private:
    std::shared_ptr<fw::FolderItem> File() const;
};
