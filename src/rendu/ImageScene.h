// The view of a scene as an 800 x 800 PNG image, for programs without a
// window: the renderer of the window on an off-screen surface. The header
// is free of Qt and OpenGL; the converter reaches the implementation
// through the module libcyclide_image.so, loaded only when an image is
// asked for (imageScenePngC below).
#ifndef CYCLIDE_RENDU_IMAGESCENE_H
#define CYCLIDE_RENDU_IMAGESCENE_H

#include "noyau/Resultat.h"
#include "scene/Scene.h"

#include <string>

namespace cyclide {

// How the view is turned and zoomed for the image: rotations about x, y, z
// in degrees (applied in that order, as the mouse does), the zoom factor
// (the window's start-up zoom by default) and whether the shown drawings
// are fitted into the view first (which sets the zoom and the centre).
struct OptionsVue {
    double x = 0;
    double y = 0;
    double z = 0;
    double zoom = 1.5;
    bool recadrer = false;
};

// The side of the image, in pixels.
const int COTE_IMAGE = 800;

// Renders the view of a computed scene off-screen at 800 x 800 and encodes
// it as PNG. Creates the application object of Qt Gui when none exists
// (argc/argv for it), which needs a display.
// In: scene from construireScene; affiche, the lists to show as digits
// 1..7 (e.g. "1367"); vue, rotation, zoom, fitting.
// Out: the PNG bytes, or the French reason: a list, an example number or a
// plane out of range, a non-finite angle, a zoom that is not a positive
// finite number, a platform that cannot start (no display, a display that
// does not answer, an unknown QT_QPA_PLATFORM; never an abort), no
// off-screen context.
Resultat<std::string> imageScenePng(int& argc, char** argv, const Scene& scene,
                                    const std::string& affiche,
                                    const OptionsVue& vue = OptionsVue());

// The same image of the patch of parametres[7] (exemple 0) or of built-in
// example 1..3, with the auxiliary plane plan.
// Out: the PNG bytes, or the reason (also for missing parameters).
Resultat<std::string> imageCarreauPng(int& argc, char** argv, const double parametres[7],
                                      int exemple, PlanConversion plan, const std::string& affiche,
                                      const OptionsVue& vue = OptionsVue());

// The same image written to fichier so that a failure never damages an
// existing file of that name.
// Out: success, or the French reason (an empty file name included).
Resultat<void> ecrireImageCarreau(int& argc, char** argv, const double parametres[7], int exemple,
                                  PlanConversion plan, const std::string& affiche,
                                  const std::string& fichier, const OptionsVue& vue = OptionsVue());

} // namespace cyclide

// The entry point of the module libcyclide_image.so, looked up by name
// (SYMBOLE_IMAGE_PNG) after dlopen: imageScenePng with C linkage. The
// module is built from the same sources as its caller, so the C++ objects
// pass as they are.
// Out: 0 and the PNG bytes in png; 1 and the reason in raison.
extern "C" __attribute__((visibility("default"))) int
cyclide_image_png(int* argc, char** argv, const cyclide::Scene* scene, const std::string* affiche,
                  const cyclide::OptionsVue* vue, std::string* png, std::string* raison);

namespace cyclide {
using FonctionImagePng = decltype(&cyclide_image_png);
const char* const SYMBOLE_IMAGE_PNG = "cyclide_image_png";
} // namespace cyclide

#endif
