// Fuzz target: the reader of a net given directly, then its conversion
// (construireSceneReseau), on arbitrary bytes.
//
// Checks, besides the sanitizers: a refused text leaves the net as it was
// and says why; a net read has finite numbers that its text form at 17
// digits reads back bit for bit; the scene keeps the net, its verdict is a
// code 0..6, a kind only for a conversion type 1 or 2 and with a residual
// within the tolerance, and a reason exactly when the code is 0.
#include "SortieMuette.h"
#include "fichiers/LectureCarreau.h"
#include "scene/Scene.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

using namespace cyclide;

// The core's diagnostic lines are not the fuzzer's report.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    rendreSortieMuette();
    return 0;
}

namespace {

// The 36 numbers of a net, row by row.
void nombres(const RBBP& net, double v[36]) {
    for (int k = 0; k < 9; ++k) {
        const Point p = net.getP(k / 3, k % 3);
        v[4 * k] = p.getX0();
        v[4 * k + 1] = p.getY0();
        v[4 * k + 2] = p.getZ0();
        v[4 * k + 3] = net.getW(k / 3, k % 3);
    }
}

bool memesNombres(const RBBP& a, const RBBP& b) {
    double na[36], nb[36];
    nombres(a, na);
    nombres(b, nb);
    return std::memcmp(na, nb, sizeof na) == 0;
}

std::string texteReseau(const RBBP& net) {
    double v[36];
    nombres(net, v);
    std::ostringstream texte;
    texte.precision(17);
    for (int k = 0; k < 36; ++k)
        texte << v[k] << (k % 4 == 3 ? "\n" : " ");
    return texte.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream entree(std::string(reinterpret_cast<const char*>(data), size));
    const RBBP temoin;
    const Resultat<RBBP> lu = lireCarreau(entree);
    const RBBP& net = lu.valeur;
    if (!lu.ok()) {
        if (!memesNombres(net, temoin))
            std::abort();
        return 0;
    }
    double v[36];
    nombres(net, v);
    for (double x : v)
        if (!std::isfinite(x))
            std::abort();
    std::istringstream relecture(texteReseau(net));
    const Resultat<RBBP> relu = lireCarreau(relecture);
    if (!relu.ok() || !memesNombres(net, relu.valeur))
        std::abort();

    const PlanConversion plan = size % 2 == 0 ? PlanConversion::Pz : PlanConversion::Py;
    const Scene s = construireSceneReseau(net, plan);
    if (!memesNombres(s.Bez, net) || codeGenre(s.typeCyclide) < 0 || codeGenre(s.typeCyclide) > 6)
        std::abort();
    if (s.raison.empty() != (codeGenre(s.typeCyclide) != 0))
        std::abort();
    if (codeGenre(s.typeCyclide) != 0 &&
        (s.type < 1 || s.type > 2 || !(s.residu <= TOLERANCE_CARREAU)))
        std::abort();
    return 0;
}
