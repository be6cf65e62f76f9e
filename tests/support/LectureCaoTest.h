// A CAD file read whole through cyclide-cao (fichiers/LecteurCao.h), each
// patch converted as the converter converts it, for the CAD tests.
#ifndef LECTURE_CAO_TEST_H
#define LECTURE_CAO_TEST_H

#include "fichiers/LecteurCao.h"
#include "scene/Scene.h"

#include <string>
#include <vector>

// One row and its conversion (Carreau rows only).
struct LigneCaoTest {
    cyclide::ElementCao element;
    cyclide::Scene scene;
};

// Every row of a file, and how the reading ended.
struct LectureCaoTest {
    cyclide::Resultat<cyclide::BilanCao> bilan;
    std::vector<LigneCaoTest> lignes;
};

inline LectureCaoTest lireCaoTest(const std::string& chemin, double tolerance = 1e-6) {
    LectureCaoTest l;
    l.bilan = cyclide::lireFichierCao(chemin, [&](const cyclide::ElementCao& e,
                                                  const cyclide::PrecisionCao& p) {
        LigneCaoTest ligne{e, {}};
        if (e.sorte == cyclide::SorteElementCao::Carreau)
            ligne.scene = cyclide::sceneElementCao(e, cyclide::PlanConversion::Pz, tolerance, p);
        l.lignes.push_back(ligne);
    });
    return l;
}

#endif
