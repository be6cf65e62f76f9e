// Fuzz target: the parameter-file reader on arbitrary bytes.
//
// Checks, besides the sanitizers: the count read is 0..7; the entries not
// reached keep their previous values; every value read is finite; the values
// written back in the file layout read back as the same seven doubles, bit
// for bit.
#include "SortieMuette.h"
#include "fichiers/FichierParametres.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

using namespace cyclide;

namespace {

// A value no reader produces, to see which entries were left untouched.
const double TEMOIN = -123456.75;

bool memeBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    rendreSortieMuette();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream entree(std::string(reinterpret_cast<const char*>(data), size));
    double valeurs[NOMBRE_PARAMETRES];
    for (double& v : valeurs)
        v = TEMOIN;
    int lus = lireParametres(entree, valeurs);
    if (lus < 0 || lus > NOMBRE_PARAMETRES)
        std::abort();
    for (int k = 0; k < lus; ++k)
        if (!std::isfinite(valeurs[k]))
            std::abort();
    for (int k = lus; k < NOMBRE_PARAMETRES; ++k)
        if (!memeBits(valeurs[k], TEMOIN))
            std::abort();

    std::ostringstream fichier;
    ecrireParametres(fichier, valeurs);
    std::istringstream relecture(fichier.str());
    double relues[NOMBRE_PARAMETRES] = {0, 0, 0, 0, 0, 0, 0};
    if (lireParametres(relecture, relues) != NOMBRE_PARAMETRES)
        std::abort();
    for (int k = 0; k < NOMBRE_PARAMETRES; ++k)
        if (!memeBits(valeurs[k], relues[k]))
            std::abort();
    return 0;
}
