#include "ImageVue.h"

#include "EcritureFichier.h"
#include "glwidget.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QString>

#include <cmath>
#include <cstdlib>
#include <memory>

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

// True when the variable is set to a non-empty value.
bool variableDefinie(const char* nom) {
    const char* valeur = std::getenv(nom);
    return valeur != nullptr && valeur[0] != '\0';
}

// Checks the request; an empty string when it is valid, else the reason.
std::string verifierDemande(const double parametres[7], int exemple, int choix,
                            const std::string& affiche, const std::string& fichier) {
    if (exemple < 0 || exemple > 3) {
        return "Numero d'exemple invalide : " + std::to_string(exemple) + " (0 a 3 attendu)";
    }
    if (exemple == 0 && parametres == nullptr) {
        return "Parametres du carreau manquants";
    }
    if (choix != 0 && choix != 1) {
        return "Choix du plan invalide : " + std::to_string(choix) + " (0 Plan Py, 1 Plan Pz)";
    }
    if (!listesValides(affiche)) {
        return "Liste d'affichage invalide : \"" + affiche + "\" (chiffres 1 a 7 attendus)";
    }
    if (fichier.empty()) {
        return "Nom de fichier image vide";
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

// Turns, zooms and, when asked, fits the view.
void orienter(GLWidget& vue, const OptionsVue& options) {
    vue.setXRotation(static_cast<int>(std::lround(std::fmod(options.x, 360.0) * 16)));
    vue.setYRotation(static_cast<int>(std::lround(std::fmod(options.y, 360.0) * 16)));
    vue.setZRotation(static_cast<int>(std::lround(std::fmod(options.z, 360.0) * 16)));
    vue.Scal = options.zoom;
    if (options.recadrer) {
        vue.recadrer();
    }
}

} // namespace

// Builds a view that is never shown, sets its inputs (the parameters or an
// example, the plane, the switches), turns, zooms or fits it, and writes the view's off-screen
// 800 x 800 rendering as PNG. The application object is created here when
// there is none yet (with the view's rendering format as default), which
// needs a display: without DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM it
// stops with a message instead of letting the toolkit abort. False, with
// the reason in erreur, on an invalid request, when no off-screen context
// can be made, or when the file cannot be written.
bool ecrireImageCarreau(int& argc, char** argv, const double parametres[7], int exemple, int choix,
                        const std::string& affiche, const std::string& fichier, std::string& erreur,
                        const OptionsVue& options) {
    erreur = verifierDemande(parametres, exemple, choix, affiche, fichier);
    if (erreur.empty()) {
        erreur = verifierVue(options);
    }
    if (!erreur.empty()) {
        return false;
    }

    std::unique_ptr<QApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        if (!variableDefinie("DISPLAY") && !variableDefinie("WAYLAND_DISPLAY") &&
            !variableDefinie("QT_QPA_PLATFORM")) {
            erreur = "Aucun affichage disponible (DISPLAY est vide) : lancer la commande sous "
                     "xvfb-run";
            return false;
        }
        installerFormatVue();
        application = std::make_unique<QApplication>(argc, argv);
    } else if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        erreur = "L'application en cours n'est pas une application graphique";
        return false;
    }

    QImage image;
    {
        GLWidget vue;
        vue.choix = choix;
        if (exemple == 0) {
            vue.setParametres(parametres);
            vue.initProjet();
        } else if (exemple == 1) {
            vue.ouvrirExemple1();
        } else if (exemple == 2) {
            vue.ouvrirExemple2();
        } else {
            vue.ouvrirExemple3();
        }
        for (int liste = 1; liste <= 7; ++liste) {
            const bool affichee = affiche.find(static_cast<char>('0' + liste)) != std::string::npos;
            vue.setAfficheListe(liste, affichee ? 1 : 0);
        }
        orienter(vue, options);
        image = vue.imageHorsEcran(800, 800);
    }
    if (image.isNull()) {
        erreur = "Impossible de creer un contexte OpenGL hors ecran";
        return false;
    }
    // Encoded in memory, then written so that a failure never damages an
    // existing file of that name.
    QByteArray png;
    QBuffer tampon(&png);
    if (!tampon.open(QIODevice::WriteOnly) || !image.save(&tampon, "png")) {
        erreur = "Impossible de coder l'image en PNG";
        return false;
    }
    std::string raison;
    if (ecrireFichier(fichier, png.toStdString(), raison) != ResultatEcriture::Reussie) {
        erreur = "Impossible d'ecrire l'image dans " + fichier + " : " + raison;
        return false;
    }
    return true;
}
