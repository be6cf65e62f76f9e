// Fuzz target: one batch line on arbitrary bytes (a parameter set, a net
// of 36 numbers or a JSON object, or anything else), read and converted as
// the batch does, into a JSON row and a CSV row.
//
// Checks, besides the sanitizers: a line gives exactly one row in each form
// or none (a blank line, in both), each row is one line ending with its
// line end, the CSV row is 34 fields when read with its quotes, and no row
// carries a byte outside printable ASCII except what a JSON string escapes.
#include "SortieMuette.h"
#include "lot/LotParametres.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace cyclide;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    rendreSortieMuette();
    return 0;
}

namespace {

// The fields of a CSV row, quotes taken into account.
int champsCsv(const std::string& rang) {
    int n = 1;
    bool guillemets = false;
    for (char ch : rang) {
        guillemets = ch == '"' ? !guillemets : guillemets;
        n += ch == ',' && !guillemets ? 1 : 0;
    }
    return n;
}

// One row: a single line, ended by its line end, without control bytes.
bool uneLigne(const std::string& rang) {
    if (rang.empty() || rang.back() != '\n')
        return false;
    for (std::size_t k = 0; k + 1 < rang.size(); ++k)
        if (static_cast<unsigned char>(rang[k]) < 0x20)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view ligne(reinterpret_cast<const char*>(data), size);
    ligne = ligne.substr(0, std::min(ligne.find('\n'), ligne.size()));
    if (ligne.size() > LONGUEUR_LIGNE_LOT_MAX)
        return 0;
    OptionsLot options;
    std::string json, csv;
    const SorteLigne sorte = ajouterLigneLot(json, ligne, 1, options);
    options.csv = true;
    if (ajouterLigneLot(csv, ligne, 1, options) != sorte)
        std::abort();
    if (sorte == SorteLigne::Vide) {
        if (!json.empty() || !csv.empty())
            std::abort();
        return 0;
    }
    if (!uneLigne(json) || !uneLigne(csv) || champsCsv(csv.substr(0, csv.size() - 1)) != 34)
        std::abort();
    return 0;
}
