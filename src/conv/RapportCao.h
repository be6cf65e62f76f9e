// The converter's CAD files: every face of a STEP or IGES file, read by
// cyclide-cao in a child process, one row per patch (or per face without
// patch) written as soon as it is converted.
#ifndef CYCLIDE_CONV_RAPPORTCAO_H
#define CYCLIDE_CONV_RAPPORTCAO_H

#include "conv/Options.h"
#include "fichiers/LecteurCao.h"
#include "scene/Scene.h"

#include <ostream>
#include <string>

namespace cyclide {

// One row of a CAD file with its conversion.
struct LigneCao {
    ElementCao element; // the row as read
    Scene scene;        // Carreau: the conversion of its net
};

// In: a row, the plane, the tolerance asked for, the file's precision.
// Out: the row with its scene (a Carreau converted by sceneElementCao).
LigneCao convertirLigneCao(const ElementCao& e, PlanConversion plan, double tolerance,
                           const PrecisionCao& precision);

// In: a converted row, the file's name.
// Out: its JSON object, no line end. A patch: the converter's object for a
// net, whose input also names the face, its entity, the patch and the
// surface's kind: {"source":"cad","file":NAME,"face":F,"entity":E,
// "patch":[I,J],"surface":KIND}. A face without patch: the same input
// ("patch":null), then "face_status":"skipped" or "limit" and "reason".
std::string jsonLigneCao(const LigneCao& l, const std::string& fichier);

// In: a converted row. Out: its plain report: "face F carreau I J (SURFACE)"
// then the converter's report of the net; or one line
// "face F ignoree : RAISON" / "face F : VERDICT".
std::string rapportLigneCao(const LigneCao& l);

// Every patch of a CAD file: one report (or JSON line) per row on sortie,
// written as it comes. Gives back 0 when every face was read,
// SORTIE_FACES_IGNOREES when some gave no patch; throws ErreurConv, with
// nothing written, when the file cannot be read whole.
int lancerCao(const OptionsRapport& o, const OptionsExports& exports, std::ostream& sortie);

} // namespace cyclide

#endif
