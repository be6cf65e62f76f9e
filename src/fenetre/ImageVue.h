// Off-screen image of a patch's view, for programs without a window. The
// header is free of the GUI toolkit; the implementation uses the view's own
// off-screen rendering, the one behind the window's "&Enregistrer Image".
#ifndef IMAGEVUE_H
#define IMAGEVUE_H

#include "Scene.h"

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
// a zoom that is not a positive finite number is refused. Returns true on success, else false
// with a French message in erreur.
bool ecrireImageCarreau(int& argc, char** argv, const double parametres[7], int exemple,
                        PlanConversion plan, const std::string& affiche, const std::string& fichier,
                        std::string& erreur, const OptionsVue& vue = OptionsVue());

// The same rendering, encoded as PNG into png instead of written to a file.
// A platform that cannot start (no display, a display that does not answer,
// an unknown QT_QPA_PLATFORM) gives false with the reason, never an abort.
bool imageCarreauPng(int& argc, char** argv, const double parametres[7], int exemple,
                     PlanConversion plan, const std::string& affiche, std::string& png,
                     std::string& erreur, const OptionsVue& vue = OptionsVue());

// The same rendering of the view of a scene's input: its seven parameters,
// its example or its net given directly (EntreeScene::reseauDonne, shown as
// the window's "Ouvrir un carreau..." shows it), with its plane.
bool imageScenePng(int& argc, char** argv, const EntreeScene& entree, const std::string& affiche,
                   std::string& png, std::string& erreur, const OptionsVue& vue = OptionsVue());

} // namespace cyclide

#endif
