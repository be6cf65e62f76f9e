// LectureCao: the patches of a CAD file (STEP or IGES) whose faces carry
// Bezier or B-spline surfaces, polynomial or rational, of degree at most
// 2 x 2: each B-spline split into its Bezier patches, each direction of
// degree 1 raised to 2, so that every patch is a rational biquadratic net.
#ifndef CYCLIDE_CAO_LECTURECAO_H
#define CYCLIDE_CAO_LECTURECAO_H

#include "noyau/Resultat.h"
#include "surfaces/RBBP.h"

#include <string>
#include <vector>

namespace cyclide {

// One biquadratic patch of a face.
struct CarreauCao {
    int face = 0;     // the face's rank in the file's shape, from 1
    int carreauU = 0; // the Bezier patch's rank along u in its face, from 1
    int carreauV = 0; // and along v
    RBBP reseau;      // its net in world coordinates (file units), i along u
};

// A face whose surface is not a biquadratic patch.
struct FaceIgnoree {
    int face = 0;      // its rank, from 1
    std::string sorte; // its surface's kind, in French ("plan", "B-spline de degre 3 x 3", ...)
};

// What a CAD file holds, face by face.
struct LectureCao {
    std::vector<CarreauCao> carreaux; // faces in file order, patches u outer
    std::vector<FaceIgnoree> ignorees;
};

// In: a file name.
// Out: true when its extension is .step, .stp, .iges or .igs (any case).
bool estFichierCao(const std::string& chemin);

// In: a STEP or IGES file (told apart by its extension).
// Out: the patches and the skipped faces; or the reason in French when the
// file cannot be read or holds no face.
// Frame: world coordinates of the file (each face's placement applied).
// Degenerate: a face whose patch cannot be made (no poles) is skipped.
Resultat<LectureCao> lireCarreauxCao(const std::string& chemin);

} // namespace cyclide

#endif
