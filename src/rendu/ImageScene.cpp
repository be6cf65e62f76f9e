#include "rendu/ImageScene.h"

#include "fichiers/EcritureFichier.h"
#include "rendu/Camera.h"
#include "rendu/Plateforme.h"
#include "rendu/RenduScene.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cmath>
#include <memory>

namespace cyclide {

namespace {

// True when the string names display lists only: one or more digits 1..7.
bool listesValides(const std::string& affiche) {
    if (affiche.empty()) {
        return false;
    }
    for (char chiffre : affiche) {
        if (chiffre < '1' || chiffre > '7') {
            return false;
        }
    }
    return true;
}

// Checks the request; an empty string when it is valid, else the reason.
// sansParametres: the patch of the parameters is asked for without them.
std::string verifierDemande(int exemple, PlanConversion plan, const std::string& affiche,
                            bool sansParametres = false) {
    if (exemple < 0 || exemple > 3) {
        return "Numero d'exemple invalide : " + std::to_string(exemple) + " (0 a 3 attendu)";
    }
    if (exemple == 0 && sansParametres) {
        return "Parametres du carreau manquants";
    }
    if (plan != PlanConversion::Py && plan != PlanConversion::Pz) {
        return "Choix du plan invalide : " + std::to_string(static_cast<int>(plan)) +
               " (0 Plan Py, 1 Plan Pz)";
    }
    if (!listesValides(affiche)) {
        return "Liste d'affichage invalide : \"" + affiche + "\" (chiffres 1 a 7 attendus)";
    }
    return std::string();
}

// Checks the view options; an empty string when they are valid.
std::string verifierVue(const OptionsVue& vue) {
    if (!std::isfinite(vue.x) || !std::isfinite(vue.y) || !std::isfinite(vue.z) ||
        std::fabs(vue.x) > 1e6 || std::fabs(vue.y) > 1e6 || std::fabs(vue.z) > 1e6) {
        return "Angles de vue invalides (nombres finis en degres attendus)";
    }
    if (!std::isfinite(vue.zoom) || !(vue.zoom > 0)) {
        return "Zoom invalide : " + std::to_string(vue.zoom) + " (nombre positif attendu)";
    }
    return std::string();
}

// The camera of the image: the lists of affiche, the rotations folded as
// the view folds them, the zoom, then the fitting when asked.
Camera cameraImage(const Scene& scene, const std::string& affiche, const OptionsVue& options) {
    Camera camera;
    for (int liste = 1; liste <= NOMBRE_LISTES; ++liste) {
        camera.affiche[liste - 1] =
            affiche.find(static_cast<char>('0' + liste)) != std::string::npos;
    }
    const double angles[3] = {options.x, options.y, options.z};
    for (int k = 0; k < 3; ++k) {
        camera.rotation[k] =
            angleNormalise(static_cast<int>(std::lround(std::fmod(angles[k], 360.0) * 16)));
    }
    camera.zoom = options.zoom;
    if (options.recadrer) {
        cadrer(scene, camera);
    }
    return camera;
}

// The image encoded as PNG; empty when it cannot be.
std::string png(const QImage& image) {
    QByteArray octets;
    QBuffer tampon(&octets);
    if (!tampon.open(QIODevice::WriteOnly) || !image.save(&tampon, "png")) {
        return std::string();
    }
    return octets.toStdString();
}

} // namespace

Resultat<std::string> imageScenePng(int& argc, char** argv, const Scene& scene,
                                    const std::string& affiche, const OptionsVue& options) {
    const int exemple = scene.entree.reseauDonne ? 0 : scene.entree.exemple;
    std::string erreur = verifierDemande(exemple, scene.entree.plan, affiche);
    if (erreur.empty()) {
        erreur = verifierVue(options);
    }
    if (!erreur.empty()) {
        return {std::string(), erreur};
    }
    std::unique_ptr<QGuiApplication> application;
    const Resultat<void> demarree = demarrerApplication(argc, argv, application);
    if (!demarree.ok()) {
        return {std::string(), demarree.raison};
    }
    const QImage rendu =
        imageHorsEcran(scene, cameraImage(scene, affiche, options), COTE_IMAGE, COTE_IMAGE);
    if (rendu.isNull()) {
        return {std::string(), "Impossible de creer un contexte OpenGL hors ecran"};
    }
    Resultat<std::string> image{png(rendu), ""};
    if (image.valeur.empty()) {
        image.raison = "Impossible de coder l'image en PNG";
    }
    return image;
}

// The request is checked before the scene is built, so that an example
// number out of range never reaches the conversion.
Resultat<std::string> imageCarreauPng(int& argc, char** argv, const double parametres[7],
                                      int exemple, PlanConversion plan, const std::string& affiche,
                                      const OptionsVue& options) {
    const std::string refus = verifierDemande(exemple, plan, affiche, parametres == nullptr);
    if (!refus.empty()) {
        return {std::string(), refus};
    }
    const double zeros[7] = {0, 0, 0, 0, 0, 0, 0};
    EntreeScene entree = entreeParametres(parametres != nullptr ? parametres : zeros, plan);
    entree.exemple = exemple;
    return imageScenePng(argc, argv, construireScene(entree), affiche, options);
}

Resultat<void> ecrireImageCarreau(int& argc, char** argv, const double parametres[7], int exemple,
                                  PlanConversion plan, const std::string& affiche,
                                  const std::string& fichier, const OptionsVue& options) {
    std::string refus = verifierDemande(exemple, plan, affiche, parametres == nullptr);
    if (refus.empty() && fichier.empty()) {
        refus = "Nom de fichier image vide";
    }
    if (!refus.empty()) {
        return {refus};
    }
    const Resultat<std::string> image =
        imageCarreauPng(argc, argv, parametres, exemple, plan, affiche, options);
    if (!image.ok()) {
        return {image.raison};
    }
    const Resultat<ResultatEcriture> ecrit = ecrireFichier(fichier, image.valeur);
    if (!ecrit.ok()) {
        return {"Impossible d'ecrire l'image dans " + fichier + " : " + ecrit.raison};
    }
    return {};
}

} // namespace cyclide
