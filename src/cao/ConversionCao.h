// ConversionCao: every patch of a CAD file converted as a net given
// directly, with its face and patch in the results.
#ifndef CYCLIDE_CAO_CONVERSIONCAO_H
#define CYCLIDE_CAO_CONVERSIONCAO_H

#include "cao/LectureCao.h"
#include "scene/Scene.h"

#include <string>
#include <vector>

namespace cyclide {

// One patch of the file and its scene.
struct ResultatCao {
    CarreauCao carreau;
    Scene scene; // construireSceneReseau of its net
};

// In: the patches read from a file, the plane choice, the relative
// tolerance of the nets.
// Out: one scene per patch, in the order of the patches.
std::vector<ResultatCao> convertirCarreauxCao(const LectureCao& lecture, PlanConversion plan,
                                              double tolerance);

// In: one result, the file's name.
// Out: the JSON object of the converter's --json for a net, whose input
// also names the face and the patch:
// {"source":"net","file":NAME,"face":F,"patch":[I,J]}. No line end.
std::string jsonResultatCao(const ResultatCao& r, const std::string& fichier);

// In: one result.
// Out: its report, as the converter's for a net, after a first line
// "face F carreau I J".
std::string rapportResultatCao(const ResultatCao& r);

// In: a skipped face.
// Out: its French line "face F ignoree : SORTE" (no line end).
std::string ligneFaceIgnoree(const FaceIgnoree& f);

// In: a CAD file, the plane choice, the tolerance, JSON or text.
// Out: the results (one JSON line or one report per patch) and one line
// per skipped face in notices; or the reason in French when the file
// cannot be read.
Resultat<std::string> convertirFichierCao(const std::string& chemin, PlanConversion plan,
                                          double tolerance, bool json,
                                          std::vector<std::string>& notices);

} // namespace cyclide

#endif
