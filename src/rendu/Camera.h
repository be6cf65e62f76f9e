// Camera: how a scene is looked at, the value the renderer paints with:
// the rotation, the zoom, the pan, the point put at the centre, the
// projection and which drawings are shown. Free of Qt and of OpenGL, so
// that the converter can set one up without loading either.
#ifndef CYCLIDE_RENDU_CAMERA_H
#define CYCLIDE_RENDU_CAMERA_H

#include "scene/DessinScene.h"

namespace cyclide {

// The view's half width at the scene's distance: the frustum [-1, 1] at 5,
// the scene at 40; the orthographic box has this half width.
const double DEMI_LARGEUR_SCENE = 8.0;
// The share of that half width a fitted drawing takes.
const double PART_CADRAGE = 0.9;
// The zoom of a new view.
const double ZOOM_DEMARRAGE = 1.5;

struct Camera {
    int rotation[3] = {0, 0, 0};  // about x, then y, then z; sixteenths of a degree
    double zoom = ZOOM_DEMARRAGE; // scale applied to the scene
    double panX = 0;              // pan in the plane of the screen, eye units
    double panY = 0;
    Cadrage centre;     // the scene point put at the centre
    bool ortho = false; // orthographic, else perspective
    bool affiche[NOMBRE_LISTES] = {true, false, false, false, false, false, false}; // lists 1..7
    bool ombre = false;         // lists 1 and 3 shaded (normals from the derivatives)
    bool axes = false;          // the axes indicator in the lower left corner
    bool apercu = false;        // lists compiled coarser, while a slider is dragged
    bool carreauRefuse = false; // a patch that is not converted still shows lists 1 and 2
};

// An angle in sixteenths of a degree folded into [0, 5760] (5760 stays),
// by whole turns, as the view stores its rotations.
int angleNormalise(int angle);

// Fits the shown drawings of scene into the view: centres the box of
// those drawings, no pan, and a zoom that puts their bounding sphere at
// PART_CADRAGE of the half width.
// In: the scene and the camera whose affiche says what is shown.
// Out: true and camera fitted; false, camera unchanged, when nothing shown
// has a finite positive size.
bool cadrer(const Scene& scene, Camera& camera);

} // namespace cyclide

#endif
