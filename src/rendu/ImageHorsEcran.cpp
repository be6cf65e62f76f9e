// The off-screen image: the renderer in a new context on an off-screen
// surface, into a framebuffer with depth.
#include "rendu/RenduScene.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <GL/gl.h>

namespace cyclide {

namespace {

// The framebuffer keeps GL's alpha (0 where only the background is): the
// colour bytes are kept and every pixel made opaque.
QImage opaque(QImage image) {
    if (image.format() == QImage::Format_RGBA8888_Premultiplied ||
        image.format() == QImage::Format_RGBA8888) {
        image.reinterpretAsFormat(QImage::Format_RGBX8888);
    } else {
        image.reinterpretAsFormat(QImage::Format_RGB32);
    }
    return image.convertToFormat(QImage::Format_RGB888).convertToFormat(QImage::Format_RGB32);
}

// Paints scene into a new framebuffer of the current context.
QImage peindreDansTampon(const Scene& scene, const Camera& camera, int largeur, int hauteur) {
    QImage image;
    QOpenGLFramebufferObject tampon(largeur, hauteur, QOpenGLFramebufferObject::Depth);
    if (tampon.isValid() && tampon.bind()) {
        Camera horsEcran = camera;
        horsEcran.axes = false;
        horsEcran.apercu = false;
        RenduScene rendu;
        rendu.initialiser();
        rendu.redimensionner(largeur, hauteur, horsEcran);
        rendu.peindre(scene, horsEcran);
        glFinish();
        image = tampon.toImage();
        tampon.release();
    }
    return image;
}

} // namespace

// The context shares nothing with any other: the lists are compiled there
// and die with it.
QImage imageHorsEcran(const Scene& scene, const Camera& camera, int largeur, int hauteur) {
    QOpenGLContext* precedent = QOpenGLContext::currentContext();
    QSurface* surfacePrecedente = precedent != nullptr ? precedent->surface() : nullptr;
    QImage image;
    {
        QOpenGLContext contexte;
        contexte.setFormat(formatVue());
        QOffscreenSurface surface;
        surface.setFormat(formatVue());
        surface.create();
        if (contexte.create() && surface.isValid() && contexte.makeCurrent(&surface)) {
            image = peindreDansTampon(scene, camera, largeur, hauteur);
            contexte.doneCurrent();
        }
    }
    if (precedent != nullptr && surfacePrecedente != nullptr) {
        precedent->makeCurrent(surfacePrecedente);
    }
    return image.isNull() ? image : opaque(image);
}

} // namespace cyclide
