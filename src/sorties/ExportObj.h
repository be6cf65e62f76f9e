// Wavefront OBJ export of a conversion: the patch, the converted patch, the
// piece of cyclide and the whole cyclide as quadrilateral meshes sampled as
// the drawings sample them, and the converted control net as segments.
#ifndef CYCLIDE_SORTIES_EXPORTOBJ_H
#define CYCLIDE_SORTIES_EXPORTOBJ_H

#include "conversion/RBBPd.h"
#include "scene/Scene.h"
#include "surfaces/RBBP.h"

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

namespace cyclide {

// One named group of the file. Indices are 0-based inside the group; the
// vertices are shared by the faces (one vertex per grid point).
struct GroupeObj {
    std::string nom;
    std::vector<std::array<double, 3>> sommets;
    std::vector<std::array<double, 3>> normales; // empty, or one per vertex
    std::vector<std::array<int, 4>> faces;
    std::vector<std::array<int, 2>> segments;
};

// Samples of the patch drawing: (nbu + 1) x (nbv + 1) points at
// u = i / nbu, v = j / nbv and nbu x nbv quadrilaterals (i, j), (i + 1, j),
// (i + 1, j + 1), (i, j + 1); no normals. Counts below 1 give an empty group.
GroupeObj grilleCarreau(const std::string& nom, const RBBP& carreau, int nbu, int nbv);

// The tessellation of the cyclide (a, c, mu) over theta in [u0, u1], psi in
// [v0, v1]: the 81 x 81 grid points with their normals, 80 x 80
// quadrilaterals wound so that they face the way the normals point.
GroupeObj grilleCyclide(const std::string& nom, double u0, double u1, double v0, double v1,
                        double a, double c, double mu);

// The control net: the nine control points and the twelve segments of the
// net drawing (along v, then along u, for each of the two strips).
GroupeObj polyedreCarreau(const std::string& nom, const RBBP& carreau);

// True when every coordinate of the vertices is a finite number.
bool sommetsFinis(const GroupeObj& groupe);
// True when every normal component is a finite number.
bool normalesFinies(const GroupeObj& groupe);

// The groups of a conversion, in file order: "carreau" (world coordinates,
// 30 x 30); when code is not Aucune also "carreau_cyclide" (the patch in the
// cyclide's frame, 30 x 30), "morceau_cyclide" (the piece, 80 x 80),
// "cyclide" (theta, psi in [0, 2pi], 80 x 80) and "polyedre" (the net in the
// cyclide's frame). converti is the record after the conversion, before the
// change of frame.
std::vector<GroupeObj> groupesConversion(const RBBPd& converti, GenreCyclide code,
                                         const MorceauCyclide& morceau);

// Writes the groups as OBJ text (numbers with 17 significant digits, global
// 1-based indices), the comment lines of entete first. Groups whose vertices
// are not all finite are left out, and normals that are not all finite are
// left out of their group; each omission adds one French line to notices.
void ecrireObj(std::ostream& out, const std::vector<GroupeObj>& groupes,
               const std::vector<std::string>& entete, std::vector<std::string>& notices);

// The whole export: the groups of the conversion written to chemin through a
// temporary file and a rename. Returns false, with an existing chemin left
// as it was, when the file cannot be written.
bool exporterObj(const std::string& chemin, const RBBPd& converti, GenreCyclide code,
                 const MorceauCyclide& morceau, const std::vector<std::string>& entete,
                 std::vector<std::string>& notices);

// The converter's OBJ file of a scene: its two comment lines (the program,
// then the type, the cyclide code and its message) and the groups of
// groupesConversion (the patch alone for code 0).
// Out: the text; the groups left out in notices.
std::string texteObjScene(const Scene& s, std::vector<std::string>& notices);

} // namespace cyclide

#endif
