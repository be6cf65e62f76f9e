// ExportStep: the patch, the piece of cyclide that carries it and the whole
// cyclide as exact rational B-spline surfaces in an ISO 10303-21 file of the
// AP214 schema (AUTOMOTIVE_DESIGN), which CAD packages import.
#ifndef EXPORT_STEP_H
#define EXPORT_STEP_H

#include "Scene.h"
#include "SurfaceBSpline.h"

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

// The whole file text of a scene for a file named chemin (its last path
// component goes into the header), stamped with the current time. Gives
// back false, with raison in French, when the patch itself cannot be
// written with finite numbers and positive weights.
bool texteStepScene(const Scene& s, const std::string& chemin, std::string& texte,
                    std::vector<std::string>& notices, std::string& raison);

// The whole export of a scene to chemin, written through the safe file
// writer. Gives back false, with raison in French and chemin left as it
// was, when the patch itself cannot be written or the file cannot be.
bool exporterStep(const std::string& chemin, const Scene& s, std::vector<std::string>& notices,
                  std::string& raison);

} // namespace cyclide

#endif
