// The view's rendering, forwarded to the renderer: the context set-up, the
// resize, the paint, the polygon mode and the off-screen image, each with
// the camera made of the view's state.
#include "fenetre/glwidget.h"

#include "rendu/RenduScene.h"

#include <algorithm>

using namespace cyclide;

Camera GLWidget::camera() const {
    Camera c;
    std::copy(rotation, rotation + 3, c.rotation);
    c.zoom = Scal;
    c.panX = panX;
    c.panY = panY;
    c.centre = centre;
    c.ortho = ortho;
    for (int k = 0; k < NOMBRE_LISTES; ++k) {
        c.affiche[k] = affiche[k] != 0;
    }
    c.ombre = ombre;
    c.axes = axes;
    c.apercu = enApercu;
    c.carreauRefuse = carreauRefuse;
    return c;
}

// Sets up the context through the renderer, then rebuilds the scene (the
// lists are compiled in this context by the paints that show them).
void GLWidget::initializeGL() {
    rendu.initialiser();
    initProjet();
    // A view that was already sized and gets a new context (moved into
    // another window) is not necessarily resized again: its projection is
    // set here, or it would draw without one.
    if (rendu.largeur() > 0) {
        resizeGL(width(), height());
    }
}

// Widget pixels scaled to device pixels for the renderer's viewport.
void GLWidget::resizeGL(int width, int height) {
    const qreal echelle = devicePixelRatioF();
    rendu.redimensionner(qRound(width * echelle), qRound(height * echelle), camera());
}

void GLWidget::paintGL() {
    rendu.peindre(scene, camera());
}

// Polygon rasterisation of the view's context only (never of an image).
// Before the context exists there is nothing to set.
void GLWidget::setModePolygone(int mode) {
    if (isValid()) {
        makeCurrent();
        RenduScene::reglerModePolygone(mode);
    }
    update();
}

// The scene is rebuilt first when its inputs changed, as a new context of
// the view would.
QImage GLWidget::imageHorsEcran(int largeur, int hauteur) {
    initProjet();
    return cyclide::imageHorsEcran(scene, camera(), largeur, hauteur);
}
