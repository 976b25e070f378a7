#pragma once

// What the preferences file's lines are, read by other means than the
// program's own: shared by the fuzzer of the file and the one of the windows.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Comune.h"
#include "framework/Types.h"

namespace oracolo {

// The lines as the program reads them: split as a text stream splits them, each
// cut at 1,000 bytes between characters.
struct RighePref {
    explicit RighePref(const std::string& ingresso) : righe(fuzz::Righe(ingresso)) {
        for (std::string& r : righe) r = fuzz::TroncaUtf8(r, 1000);
        const auto cr = std::count(ingresso.begin(), ingresso.end(), '\r');
        contate = ingresso.empty() ? -1 : static_cast<fw::Integer>(std::min<long>(cr, 2));
    }
    // Line i (from 1); the last one for a line the file lacks, "" below 1.
    std::string operator()(fw::Integer i) const {
        if (i < 1 || righe.empty()) return std::string();
        return righe[std::min<std::size_t>(static_cast<std::size_t>(i), righe.size()) - 1];
    }
    std::vector<std::string> righe;
    // The lines the program counts: its CRs, up to the two it uses; -1 when empty.
    fw::Integer contate = 0;
};

// How the inputs went, told when the fuzzer ends.
struct ConteggiPref {
    explicit ConteggiPref(const char* programma) : programma(programma) {}
    ~ConteggiPref() {
        std::fprintf(stderr,
                     "%s: %lld inputs checked: %lld without a CR (left untouched), %lld rewritten "
                     "and compared line by line\n",
                     programma, intatti + riscritti, intatti, riscritti);
    }
    ConteggiPref(const ConteggiPref&) = delete;
    ConteggiPref& operator=(const ConteggiPref&) = delete;
    const char* programma;
    long long intatti = 0, riscritti = 0;
};

}  // namespace oracolo
