// Shared by the STEP and IGES fuzz targets: the bytes written to a file of
// the format's extension and read by the reader cyclide-cao runs
// (lireFacesCao, in process here), with Open CASCADE's messages silenced.
//
// Checks, besides the sanitizers: a refusal says why; faces are numbered
// 1, 2, ... in order, each with at least one row; a patch's numbers are
// finite and its rank is from 1; a row without patch says why.
#ifndef FUZZ_CAO_H
#define FUZZ_CAO_H

#include "SortieMuette.h"
#include "cao/LectureCao.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

inline void lireOctetsCao(const std::uint8_t* data, std::size_t size, const char* extension) {
    using namespace cyclide;
    static const std::string chemin = "/tmp/fuzz_cao_" + std::to_string(::getpid()) + extension;
    if (std::FILE* f = std::fopen(chemin.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    int derniere = 0;
    bool precision = false;
    const Resultat<BilanCao> lu = lireFacesCao(
        chemin, 1, [&](const PrecisionCao&) { precision = true; },
        [&](const ElementCao& e) {
            if (e.face != derniere && e.face != derniere + 1)
                std::abort();
            derniere = e.face;
            if (e.sorte != SorteElementCao::Carreau) {
                if (e.raison.empty())
                    std::abort();
                return;
            }
            if (e.carreauU < 1 || e.carreauV < 1)
                std::abort();
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) {
                    const Point p = e.reseau.getP(i, j);
                    for (double v : {p.getX0(), p.getY0(), p.getZ0(), e.reseau.getW(i, j)})
                        if (!std::isfinite(v))
                            std::abort();
                }
        });
    if (lu.ok() ? (!precision || lu.valeur.faces != derniere) : lu.raison.empty())
        std::abort();
}

inline void initialiserFuzzCao() {
    rendreSortieMuette();
    cyclide::faireTaireOcct();
}

#endif
