// RenduScene: paints a scene seen through a camera in the current OpenGL
// context (2.1, compatibility profile): the lights, the projection, the
// display lists compiled from the scene, the materials and the axes
// indicator. The window's view and the off-screen image both paint through
// it, so the two cannot differ. Built on Qt Gui and OpenGL, never Widgets.
#ifndef CYCLIDE_RENDU_RENDUSCENE_H
#define CYCLIDE_RENDU_RENDUSCENE_H

#include "rendu/Camera.h"
#include "scene/Scene.h"

#include <QImage>
#include <QSurfaceFormat>

#include <cstdint>

namespace cyclide {

// The rendering format of every view context: OpenGL 2.1 in the
// compatibility profile (display lists and the fixed pipeline), double
// buffered, with a 24-bit depth buffer.
QSurfaceFormat formatVue();
// Makes formatVue() the application's default; call it before the
// application object is created.
void installerFormatVue();

// One renderer per GL context: it keeps the display lists it compiled in
// that context and the scene version each was compiled from. Every member
// but the counters needs that context current.
class RenduScene {
  public:
    // The reduction of the preview lists.
    static const int REDUCTION_APERCU = 3;

    // Sets up a new context: lights, light model, material shininess,
    // white clear colour. The context holds no lists yet.
    void initialiser();
    // The viewport over largeur x hauteur device pixels (kept for peindre),
    // camera's projection, and the scene moved 40 units away.
    void redimensionner(int largeur, int hauteur, const Camera& camera);
    // The projection of the viewport for camera (orthographic or
    // perspective); the model-view matrix is left current.
    void projeter(const Camera& camera);
    // Draws the lists camera shows, in the order 1 to 7, after the pan, the
    // rotation, the zoom and the centring, then the axes when asked;
    // nothing but the background when scene's type is 0. A shown list out
    // of date is compiled just before it is drawn.
    void peindre(const Scene& scene, const Camera& camera);
    // Compiles every list 1..7 that does not show scene (as a preview
    // when apercu).
    void compilerListesEnAttente(const Scene& scene, bool apercu);
    // Polygon rasterisation of the current context for front and back
    // faces: 0 filled, 1 outlines, 2 points (other numbers modulo 3).
    static void reglerModePolygone(int mode);
    // Deletes the lists of the context.
    void liberer();
    // How many times list liste (1..7) was compiled; 0 for any other number.
    int nombreCompilations(int liste) const;
    // The viewport set by redimensionner: width and height in device pixels.
    int largeur() const { return vueLargeur; }
    int hauteur() const { return vueHauteur; }

  private:
    void compilerSiPerimee(const Scene& scene, int id, bool apercu);

    int vueLargeur = 0;
    int vueHauteur = 0;
    // Lists 1..7, then 8 and 9: the shaded patch and converted patch. The
    // scene version each list was compiled from (0: none), and whether it
    // was compiled as a preview.
    static const int NOMBRE_IDENTIFIANTS = NOMBRE_LISTES + 2;
    std::uint64_t versionListe[NOMBRE_IDENTIFIANTS] = {};
    bool listeApercu[NOMBRE_IDENTIFIANTS] = {};
    int compilations[NOMBRE_LISTES] = {0, 0, 0, 0, 0, 0, 0};
};

// Renders scene through camera at largeur x hauteur pixels in a new,
// unshared context on an off-screen surface with a framebuffer with depth,
// by a renderer of its own (no axes, no preview); the context that was
// current is made current again.
// In: an application object of Qt Gui exists.
// Out: an opaque RGB32 image; a null image when no context, surface or
// framebuffer can be made.
QImage imageHorsEcran(const Scene& scene, const Camera& camera, int largeur, int hauteur);

} // namespace cyclide

#endif
