// Fuzz target: the record's text form. Arbitrary bytes are read into a
// record with operator>>, which is written back with operator<<.
//
// Checks, besides the sanitizers: the text written always has its 23 lines;
// a written text read into a fresh record and written again settles after
// one round (the 6-digit form of a value reads back as a value that writes
// the same 6 digits; only a denormal may move once more to its nearest
// representable value); reading never changes the colours.
#include "SortieMuette.h"
#include "conversion/RBBPd.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

using namespace cyclide;

namespace {

// The text form of the record read from texte into a default record.
std::string relireEtEcrire(const std::string& texte) {
    RBBPd record;
    std::istringstream entree(texte);
    entree >> record;
    std::ostringstream sortie;
    sortie << record;
    return sortie.str();
}

// The colours the reader must leave alone: the record's nine and its points'.
bool couleursParDefaut(const RBBPd& lu, const RBBPd& neuf) {
    if (lu.R != neuf.R || lu.G != neuf.G || lu.B != neuf.B || lu.Rd != neuf.Rd ||
        lu.Gd != neuf.Gd || lu.Bd != neuf.Bd || lu.Rs != neuf.Rs || lu.Gs != neuf.Gs ||
        lu.Bs != neuf.Bs)
        return false;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (lu.P[i][j].getR() != neuf.P[i][j].getR() ||
                lu.P[i][j].getG() != neuf.P[i][j].getG() ||
                lu.P[i][j].getB() != neuf.P[i][j].getB())
                return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    rendreSortieMuette();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RBBPd record;
    std::istringstream entree(std::string(reinterpret_cast<const char*>(data), size));
    entree >> record;
    if (!couleursParDefaut(record, RBBPd()))
        std::abort();

    std::ostringstream sortie;
    sortie << record;
    const std::string texte = sortie.str();
    if (std::count(texte.begin(), texte.end(), '\n') != 23)
        std::abort();

    const std::string deuxieme = relireEtEcrire(texte);
    const std::string troisieme = relireEtEcrire(deuxieme);
    if (deuxieme != troisieme)
        std::abort();
    return 0;
}
