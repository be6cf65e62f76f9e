// EcritureIges: surfaces written as exact rational B-spline surfaces in an
// IGES file by Open CASCADE's writer (the program cyclide-cao --iges).
#ifndef CYCLIDE_CAO_ECRITUREIGES_H
#define CYCLIDE_CAO_ECRITUREIGES_H

#include "noyau/Resultat.h"
#include "sorties/ExportStep.h"

#include <istream>
#include <string>
#include <vector>

namespace cyclide {

// In: the text form of texteSurfacesIges (sorties/ExportIges.h).
// Out: the surfaces, or false for a malformed text.
bool lireSurfacesIges(std::istream& texte, std::vector<SurfaceNommee>& surfaces);

// In: the surfaces, in file order.
// Out: the IGES text, each surface as one trimmed face (entities 144 over
// 128), lengths in millimetres, numbers with 17 significant digits; or the
// reason in French when the writer fails. omises gets the names of the
// surfaces the writer refused.
Resultat<std::string> texteIgesSurfaces(const std::vector<SurfaceNommee>& surfaces,
                                        std::vector<std::string>& omises);

} // namespace cyclide

#endif
