#include "rendu/Camera.h"

#include <cmath>

namespace cyclide {

int angleNormalise(int angle) {
    while (angle < 0) {
        angle += 360 * 16;
    }
    while (angle > 360 * 16) {
        angle -= 360 * 16;
    }
    return angle;
}

// Centres the box of the shown drawings and scales its sphere to nine
// tenths of the view's half width.
bool cadrer(const Scene& scene, Camera& camera) {
    const Cadrage cadrage = cadrageScene(scene, camera.affiche);
    if (!(cadrage.rayon > 0) || !std::isfinite(cadrage.rayon)) {
        return false;
    }
    camera.centre = cadrage;
    camera.panX = 0;
    camera.panY = 0;
    camera.zoom = PART_CADRAGE * DEMI_LARGEUR_SCENE / cadrage.rayon;
    return true;
}

} // namespace cyclide
