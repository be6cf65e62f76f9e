// DessinScene: the seven drawings of a scene (the view's display lists), the
// shaded forms of the patch, and the box that holds the shown drawings. The
// scene is computed once (construireScene); nothing here converts again.
#ifndef CYCLIDE_SCENE_DESSINSCENE_H
#define CYCLIDE_SCENE_DESSINSCENE_H

#include "scene/Scene.h"

namespace cyclide {

// Number of drawings: 1 patch, 2 its border, 3 converted patch, 4 its
// border, 5 its control polyhedron, 6 whole cyclide, 7 piece of cyclide.
const int NOMBRE_LISTES = 7;

// Issues the GL calls of drawing liste (1..7) of the scene, the very calls
// the rebuild records: 1 Bez.openGL(30, 30); 2 Bez.openGLBord(30, 30); 3 the
// converted patch in the cyclide's frame, 30 x 30; 4 its border; 5 its
// control polyhedron; 6 the whole cyclide (a, c, mu over [0, 2 pi]^2); 7 the
// piece of cyclide over the scene's ranges (nothing when the cyclide code
// is 0). Any other number draws nothing. A reduction above 1 draws a
// coarser preview: the patches with 30 / reduction steps per side and the
// cyclides with 80 / reduction (at least 2); 1, the default, issues exactly
// the calls above.
void dessinerListe(const Scene& scene, int liste, int reduction = 1);

// The patch drawn as nbu x nbv quadrilaterals like RBBP::openGL, each vertex
// preceded by its unit normal (normaleCarreau); no colour or material.
void dessinerCarreauOmbre(const RBBP& carreau, int nbu, int nbv);

// A sphere that holds the shown drawings: centre and radius, in the
// coordinates the lists are drawn in.
struct Cadrage {
    double x = 0;
    double y = 0;
    double z = 0;
    double rayon = 0;
};

// The sphere about the centre of the box of the points of the drawings
// whose affiche[k - 1] is true (the patches sampled 10 x 10 with their
// control points for list 5, the cyclides 24 x 24) through the farthest of
// them. Non-number points are left out; radius 0 at the origin when nothing
// is shown or every point is a non-number.
Cadrage cadrageScene(const Scene& scene, const bool affiche[NOMBRE_LISTES]);

} // namespace cyclide

#endif
