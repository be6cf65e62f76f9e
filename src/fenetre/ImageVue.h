// Off-screen image of a patch's view, for programs without a window. The
// header is free of the GUI toolkit; the implementation uses the view's own
// off-screen rendering, the one behind the window's "&Enregistrer Image".
#ifndef CYCLIDE_FENETRE_IMAGEVUE_H
#define CYCLIDE_FENETRE_IMAGEVUE_H

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

// Renders the view of a patch off-screen at 800 x 800 and writes it as PNG to fichier.
// exemple 0: build from parametres[7]; 1..3: a built-in example. plan: the auxiliary plane.
// affiche: the display lists to show, digits 1..7 (e.g. "1", "1367"). Creates the QApplication
// itself when none exists (argc/argv for it). vue: rotation, zoom, fitting; a non-finite angle or
// a zoom that is not a positive finite number is refused.
// Out: success, or a French message.
Resultat<void> ecrireImageCarreau(int& argc, char** argv, const double parametres[7], int exemple,
                                  PlanConversion plan, const std::string& affiche,
                                  const std::string& fichier, const OptionsVue& vue = OptionsVue());

// The same rendering, encoded as PNG instead of written to a file.
// Out: the PNG bytes, or the reason; a platform that cannot start (no
// display, a display that does not answer, an unknown QT_QPA_PLATFORM)
// gives its reason, never an abort.
Resultat<std::string> imageCarreauPng(int& argc, char** argv, const double parametres[7],
                                      int exemple, PlanConversion plan, const std::string& affiche,
                                      const OptionsVue& vue = OptionsVue());

// The same rendering of the view of a scene's input: its seven parameters,
// its example or its net given directly (EntreeScene::reseauDonne, shown as
// the window's "Ouvrir un carreau..." shows it), with its plane.
Resultat<std::string> imageScenePng(int& argc, char** argv, const EntreeScene& entree,
                                    const std::string& affiche,
                                    const OptionsVue& vue = OptionsVue());

} // namespace cyclide

#endif
