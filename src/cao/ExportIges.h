// ExportIges: the surfaces of the STEP export (the patch, the piece of
// cyclide, the whole cyclide) as exact rational B-spline surfaces in an IGES
// file written by Open CASCADE.
#ifndef CYCLIDE_CAO_EXPORTIGES_H
#define CYCLIDE_CAO_EXPORTIGES_H

#include "fichiers/EcritureFichier.h"
#include "noyau/Resultat.h"
#include "scene/Scene.h"
#include "sorties/SurfaceBSpline.h"

#include <string>
#include <vector>

namespace cyclide {

// The IGES text of a scene: each surface of surfacesStep as one trimmed
// face (IGES entities 144 over 128), lengths in millimetres.
// Out: the text, or the reason in French when the patch itself cannot be
// written (RAISON_CARREAU_INEXACT) or Open CASCADE's writer fails; the
// surfaces left out in notices.
Resultat<std::string> texteIgesScene(const Scene& s, std::vector<std::string>& notices);

// The whole IGES export of a scene to chemin, written through the safe
// file writer (ecrireExport); liens says how a hard-linked file is written.
// Out: success, or the reason in French, chemin then left as it was.
Resultat<void> exporterIges(const std::string& chemin, const Scene& s,
                            std::vector<std::string>& notices,
                            LiensDurs liens = LiensDurs::Remplaces);

} // namespace cyclide

#endif
