// ExportIges: the surfaces of the STEP export (the patch, the piece of
// cyclide, the whole cyclide) as exact rational B-spline surfaces in an IGES
// file, written by the program cyclide-cao (Open CASCADE's IGES writer) in
// a child process: this side never loads Open CASCADE.
#ifndef CYCLIDE_SORTIES_EXPORTIGES_H
#define CYCLIDE_SORTIES_EXPORTIGES_H

#include "noyau/Resultat.h"
#include "scene/Scene.h"
#include "sorties/ExportStep.h"

#include <string>
#include <vector>

namespace cyclide {

// In: the surfaces to write.
// Out: their text form for cyclide-cao --iges: per surface a line
// "surface NOM NU NV", then one line "x y z w" per control point, row by
// row (17 significant digits).
std::string texteSurfacesIges(const std::vector<SurfaceNommee>& surfaces);

// The IGES text of a scene: each surface of surfacesStep as one trimmed
// face (IGES entities 144 over 128), lengths in millimetres.
// Out: the text, or the reason in French when the patch itself cannot be
// written (RAISON_CARREAU_INEXACT) or the writer fails; the surfaces left
// out in notices.
Resultat<std::string> texteIgesScene(const Scene& s, std::vector<std::string>& notices);

} // namespace cyclide

#endif
