// ExportStep: the patch, the piece of cyclide that carries it and the whole
// cyclide as exact rational B-spline surfaces in an ISO 10303-21 file of the
// AP214 schema (AUTOMOTIVE_DESIGN), which CAD packages import.
#ifndef CYCLIDE_SORTIES_EXPORTSTEP_H
#define CYCLIDE_SORTIES_EXPORTSTEP_H

#include "fichiers/EcritureFichier.h"
#include "noyau/Resultat.h"
#include "scene/Scene.h"
#include "sorties/SurfaceBSpline.h"

#include <string>
#include <vector>

namespace cyclide {

// One surface of the file, with the name of its geometric set.
struct SurfaceNommee {
    std::string nom;
    SurfaceBSpline surface;
    bool autoIntersection = false; // the surface crosses itself
};

// The surfaces of a scene, in file order: "carreau" (the patch's own net in
// world coordinates); when the cyclide code is not 0 also
// "morceau_cyclide" (the piece, at least 1 segment per direction) and
// "cyclide" (theta, psi over [0, 2 pi], at least 4 segments per direction),
// both placed in world coordinates through the cyclide's frame and centre.
// A surface that cannot be written with finite numbers and positive weights
// is left out, with one French line in notices.
std::vector<SurfaceNommee> surfacesStep(const Scene& s, std::vector<std::string>& notices);

// The whole file text: header (FILE_DESCRIPTION, FILE_NAME with nomFichier
// and horodatage, an ISO 8601 time, FILE_SCHEMA), the product structure and
// one GEOMETRIC_SET per surface in a
// GEOMETRICALLY_BOUNDED_SURFACE_SHAPE_REPRESENTATION, lengths in
// millimetres. Reals have 17 significant digits and always a point.
std::string texteStep(const std::vector<SurfaceNommee>& surfaces, const std::string& nomFichier,
                      const std::string& horodatage);

// The STEP real of v: 17 significant digits, always a decimal point
// ("1.", "-0.5", "1.2345678901234567E-07"). v must be finite.
std::string reelStep(double v);

// Why a scene has no exact export: its patch cannot be written with finite
// numbers and positive weights.
const char* const RAISON_CARREAU_INEXACT =
    "le carreau n'a pas de forme exacte (coordonnees non finies ou point a l'infini)";

// Whether the surfaces of surfacesStep begin with the patch itself (the
// patch has an exact form: the export can be written).
bool carreauExact(const std::vector<SurfaceNommee>& surfaces);

// The whole file text of a scene for a file named chemin (its last path
// component goes into the header), stamped with the current time.
// Out: the text, or RAISON_CARREAU_INEXACT; the surfaces left out in
// notices.
Resultat<std::string> texteStepScene(const Scene& s, const std::string& chemin,
                                     std::vector<std::string>& notices);

// Writes the text of an export to chemin through the safe file writer;
// liens says how a hard-linked file is written.
// Out: success, or the reason in French (texte's own when it is one),
// chemin then left as it was.
Resultat<void> ecrireExport(const std::string& chemin, const Resultat<std::string>& texte,
                            LiensDurs liens = LiensDurs::Remplaces);

// The whole export of a scene to chemin (texteStepScene, ecrireExport).
// Out: success, or the reason in French, chemin then left as it was.
Resultat<void> exporterStep(const std::string& chemin, const Scene& s,
                            std::vector<std::string>& notices);

} // namespace cyclide

#endif
