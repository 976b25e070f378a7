#include "layout/EditFieldNum.h"

#include "framework/Text.h"

bool EditFieldNum::KeyDown(const fw::String& tasto) {
    fw::Integer codice = fw::Asc(tasto);
    bool ammesso = (codice >= 48 && codice <= 57) || codice == 8 || codice == 9 || codice == 127 ||
                   (codice >= 28 && codice <= 31);
    return !ammesso;
}
