// FacesCao: the rows of one face of a CAD file, from its Open CASCADE
// surface and parameter range: the rational biquadratic patches of a
// Bezier or B-spline surface of degree at most 2 x 2, the exact patches of
// a torus, a sphere or a surface of revolution of a circle (at most a
// quarter turn each way), the verdict of a plane, cylinder or cone, or the
// reason a face gives nothing.
#ifndef CYCLIDE_CAO_FACESCAO_H
#define CYCLIDE_CAO_FACESCAO_H

#include "fichiers/LecteurCao.h"

#include <Geom_Surface.hxx>

#include <vector>

namespace cyclide {

// The parameter range of a face on its surface.
struct DomaineFace {
    double u0 = 0, u1 = 0; // along u
    double v0 = 0, v1 = 0; // along v
    int chiffres = 17;     // the most significant digits of the file's numbers
};

// In: the face's rank and entity number, its surface, its parameter range.
// Out: its rows in order (patches u outer), at least one: a face without
// patch gets one row Ignoree or Limite. Never throws.
std::vector<ElementCao> elementsFace(int face, long entite, const Handle(Geom_Surface) & surface,
                                     const DomaineFace& domaine);

// In: the face's rank and entity number, the surface and range Open
// CASCADE made of it, and the torus or sphere the file defines it on (a
// spindle torus is read as a surface of revolution of a B-spline curve).
// Out: the exact patches of that torus or sphere over the face's range
// (the angles of the face's own points), or elementsFace's rows when
// defini is neither.
std::vector<ElementCao> elementsToreDefini(int face, long entite,
                                           const Handle(Geom_Surface) & surface,
                                           const DomaineFace& domaine,
                                           const Handle(Geom_Surface) & defini);

// In: a B-spline's degrees, knots with their multiplicities, weights, and
// whether every pole is finite, as the file gives them.
// Out: "" when they make a valid surface, otherwise why not, in French.
struct DonneesBSpline {
    int degreU = 0, degreV = 0;
    std::vector<double> noeudsU, noeudsV; // every knot, repeated as its multiplicity says
    std::vector<double> poids;            // empty for a polynomial surface
    int polesU = 0, polesV = 0;           // the poles' counts
    bool polesFinis = true;
};
std::string defautBSpline(const DonneesBSpline& d);

} // namespace cyclide

#endif
