// Writes a STEP file of N B-spline faces of tori (a grid of 100 per row),
// with Open CASCADE's own writer at its default settings, for the large-file
// measure of scripts in bench/cao_gros_fichier.sh (a program, not a
// benchmark).
//
//   generer_step_cao N FICHIER.step
#include "FacesOcct.h"

#include <Geom_ToroidalSurface.hxx>
#include <gp_Ax3.hxx>

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage : generer_step_cao N FICHIER.step\n";
        return 2;
    }
    const int n = std::atoi(argv[1]);
    std::vector<TopoDS_Face> faces;
    for (int k = 0; k < n; ++k) {
        const Handle(Geom_ToroidalSurface) t = new Geom_ToroidalSurface(
            gp_Ax3(gp_Pnt(20.0 * (k % 100), 20.0 * (k / 100), 0), gp_Dir(0, 0, 1)), 5, 2);
        faces.push_back(BRepBuilderAPI_MakeFace(t, 0.1, 1.2, -0.5, 1.0, 1e-7).Face());
    }
    return faces_occt::ecrire(faces, true, argv[2], false) ? 0 : 1;
}
