#include "fenetre/ImageVue.h"

#include "fenetre/glwidget.h"
#include "fichiers/EcritureFichier.h"
#include "scene/Scene.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLibraryInfo>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
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

// True when the variable is set to a non-empty value.
bool variableDefinie(const char* nom) {
    const char* valeur = std::getenv(nom);
    return valeur != nullptr && valeur[0] != '\0';
}

struct xcb_connection_t;

// A connection to the X server of a display, made through the X library
// the toolkit itself loads, and kept open until the toolkit has made its
// own: an X server started without -noreset (as xvfb-run starts it) resets
// when its last client leaves, and a connection made during the reset
// fails, so a probe closed first would make the toolkit's connection fail
// now and then.
class SondeX {
  public:
    explicit SondeX(const QByteArray& affichage)
        : bibliotheque(::dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL)) {
        if (bibliotheque == nullptr) {
            return;
        }
        using Connexion = xcb_connection_t* (*)(const char*, int*);
        using Question = int (*)(xcb_connection_t*);
        auto connecter = reinterpret_cast<Connexion>(::dlsym(bibliotheque, "xcb_connect"));
        auto enErreur =
            reinterpret_cast<Question>(::dlsym(bibliotheque, "xcb_connection_has_error"));
        deconnecter = reinterpret_cast<Fin>(::dlsym(bibliotheque, "xcb_disconnect"));
        if (connecter == nullptr || enErreur == nullptr || deconnecter == nullptr) {
            return;
        }
        connexion = connecter(affichage.constData(), nullptr);
        reponse = connexion != nullptr && enErreur(connexion) == 0;
    }
    ~SondeX() {
        if (connexion != nullptr) {
            deconnecter(connexion);
        }
        if (bibliotheque != nullptr) {
            ::dlclose(bibliotheque);
        }
    }
    SondeX(const SondeX&) = delete;
    SondeX& operator=(const SondeX&) = delete;

    // True when the server accepted the connection; false when it cannot
    // be reached, refuses the client or the library is missing.
    bool repond() const { return reponse; }

  private:
    using Fin = void (*)(xcb_connection_t*);
    void* bibliotheque;
    xcb_connection_t* connexion = nullptr;
    Fin deconnecter = nullptr;
    bool reponse = false;
};

// True when the toolkit has a plugin for the platform (in the directories
// it searches: QT_QPA_PLATFORM_PLUGIN_PATH, QT_PLUGIN_PATH, its own).
bool pluginPlateforme(const QString& nom) {
    QStringList dossiers;
    dossiers << qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    for (const QString& chemin :
         qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        dossiers << chemin + QStringLiteral("/platforms");
    }
    dossiers << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
    for (const QString& dossier : dossiers) {
        if (!dossier.isEmpty() &&
            QFileInfo::exists(dossier + QStringLiteral("/libq") + nom + QStringLiteral(".so"))) {
            return true;
        }
    }
    return false;
}

// Why the platform (a name with optional ":arguments") cannot start; empty
// when it can. X needs a server that answers on DISPLAY: the connection
// that asked is left in sonde, to be closed once the toolkit is connected.
QString obstaclePlateforme(const QString& plateforme, std::unique_ptr<SondeX>& sonde) {
    const QString nom = plateforme.section(QLatin1Char(':'), 0, 0);
    if (!pluginPlateforme(nom)) {
        return QStringLiteral("plateforme graphique '%1' introuvable").arg(nom);
    }
    if (nom == QLatin1String("xcb")) {
        const QByteArray affichage = qgetenv("DISPLAY");
        if (affichage.isEmpty()) {
            return QStringLiteral("DISPLAY est vide");
        }
        sonde = std::make_unique<SondeX>(affichage);
        if (!sonde->repond()) {
            return QStringLiteral("l'affichage X '%1' ne repond pas")
                .arg(QString::fromLocal8Bit(affichage));
        }
    }
    return QString();
}

// The message handler in place before messageDemarrage.
QtMessageHandler gestionnairePrecedent = nullptr;

// While the application object starts: a fatal message of the toolkit (its
// platform could not start after all) ends the program with status 2 and
// one French line instead of the toolkit's abort; the other messages go
// where they went before.
void messageDemarrage(QtMsgType type, const QMessageLogContext& contexte, const QString& message) {
    if (type != QtFatalMsg) {
        if (gestionnairePrecedent != nullptr) {
            gestionnairePrecedent(type, contexte, message);
        } else {
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, contexte, message)));
        }
        return;
    }
    std::fprintf(stderr,
                 "%s : Aucun affichage disponible (la plateforme graphique n'a pas pu "
                 "demarrer) : lancer la commande sous xvfb-run\n",
                 program_invocation_short_name);
    std::fflush(stderr);
    std::_Exit(2);
}

// Chooses, before the application object exists, the first platform that
// can start (QT_QPA_PLATFORM may list several, separated by ';'; by default
// X) and names it alone in QT_QPA_PLATFORM, so that the toolkit never
// aborts on a platform it cannot open. The French reason when none can.
// sonde keeps the X connection of the probe open (see SondeX).
Resultat<void> choisirPlateforme(std::unique_ptr<SondeX>& sonde) {
    QString demandees = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (demandees.isEmpty()) {
        demandees = QStringLiteral("xcb");
    }
    QStringList obstacles;
    for (const QString& plateforme : demandees.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString obstacle = obstaclePlateforme(plateforme, sonde);
        if (obstacle.isEmpty()) {
            qputenv("QT_QPA_PLATFORM", plateforme.toLocal8Bit());
            return {};
        }
        obstacles << obstacle;
    }
    return {"Aucun affichage disponible (" + obstacles.join(QStringLiteral(" ; ")).toStdString() +
            ") : lancer la commande sous xvfb-run"};
}

// Checks the request; an empty string when it is valid, else the reason.
std::string verifierDemande(const double parametres[7], int exemple, PlanConversion plan,
                            const std::string& affiche, const std::string& fichier) {
    if (exemple < 0 || exemple > 3) {
        return "Numero d'exemple invalide : " + std::to_string(exemple) + " (0 a 3 attendu)";
    }
    if (exemple == 0 && parametres == nullptr) {
        return "Parametres du carreau manquants";
    }
    if (plan != PlanConversion::Py && plan != PlanConversion::Pz) {
        return "Choix du plan invalide : " + std::to_string(static_cast<int>(plan)) +
               " (0 Plan Py, 1 Plan Pz)";
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

// Builds a view that is never shown, sets its inputs (the parameters, an
// example or a net given directly, the plane, the switches), turns, zooms or
// fits it, and encodes the view's off-screen 800 x 800 rendering as PNG. The
// application object is created here when there is none yet (with the
// view's rendering format as default), which needs a display: a platform
// that cannot start (no display, a display that does not answer, an unknown
// platform) stops with a message instead of letting the toolkit abort.
// False, with the reason in erreur, on an invalid request or when no
// off-screen context can be made.
Resultat<std::string> imageScenePng(int& argc, char** argv, const EntreeScene& entree,
                                    const std::string& affiche, const OptionsVue& options) {
    Resultat<std::string> image;
    std::string& erreur = image.raison;
    const double parametres[7] = {entree.theta00, entree.theta02, entree.theta20, entree.theta22,
                                  entree.rayon,   entree.z11,     entree.P10};
    const int exemple = entree.reseauDonne ? 0 : entree.exemple;
    const PlanConversion plan = entree.plan;
    erreur = verifierDemande(parametres, exemple, plan, affiche, "-");
    if (erreur.empty()) {
        erreur = verifierVue(options);
    }
    if (!erreur.empty()) {
        return image;
    }

    std::unique_ptr<QApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        if (!variableDefinie("DISPLAY") && !variableDefinie("WAYLAND_DISPLAY") &&
            !variableDefinie("QT_QPA_PLATFORM")) {
            erreur = "Aucun affichage disponible (DISPLAY est vide) : lancer la commande sous "
                     "xvfb-run";
            return image;
        }
        std::unique_ptr<SondeX> sonde;
        const Resultat<void> plateforme = choisirPlateforme(sonde);
        if (!plateforme.ok()) {
            erreur = plateforme.raison;
            return image;
        }
        installerFormatVue();
        gestionnairePrecedent = qInstallMessageHandler(messageDemarrage);
        application = std::make_unique<QApplication>(argc, argv);
        qInstallMessageHandler(gestionnairePrecedent);
    } else if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        erreur = "L'application en cours n'est pas une application graphique";
        return image;
    }

    QImage rendu;
    {
        GLWidget vue;
        vue.choix = plan;
        if (entree.reseauDonne) {
            vue.ouvrirCarreau(entree.reseau, entree.tolerance);
        } else if (exemple == 0) {
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
        rendu = vue.imageHorsEcran(800, 800);
    }
    if (rendu.isNull()) {
        erreur = "Impossible de creer un contexte OpenGL hors ecran";
        return image;
    }
    QByteArray octets;
    QBuffer tampon(&octets);
    if (!tampon.open(QIODevice::WriteOnly) || !rendu.save(&tampon, "png")) {
        erreur = "Impossible de coder l'image en PNG";
        return image;
    }
    image.valeur = octets.toStdString();
    return image;
}

// The view of the seven parameters or of an example.
Resultat<std::string> imageCarreauPng(int& argc, char** argv, const double parametres[7],
                                      int exemple, PlanConversion plan, const std::string& affiche,
                                      const OptionsVue& options) {
    const std::string refus = verifierDemande(parametres, exemple, plan, affiche, "-");
    if (!refus.empty()) {
        return {std::string(), refus};
    }
    const double zeros[7] = {0, 0, 0, 0, 0, 0, 0};
    EntreeScene entree = entreeParametres(parametres != nullptr ? parametres : zeros, plan);
    entree.exemple = exemple;
    return imageScenePng(argc, argv, entree, affiche, options);
}

// The same image written to fichier so that a failure never damages an
// existing file of that name.
Resultat<void> ecrireImageCarreau(int& argc, char** argv, const double parametres[7], int exemple,
                                  PlanConversion plan, const std::string& affiche,
                                  const std::string& fichier, const OptionsVue& options) {
    const std::string refus = verifierDemande(parametres, exemple, plan, affiche, fichier);
    if (!refus.empty()) {
        return {refus};
    }
    const Resultat<std::string> png =
        imageCarreauPng(argc, argv, parametres, exemple, plan, affiche, options);
    if (!png.ok()) {
        return {png.raison};
    }
    const Resultat<ResultatEcriture> ecrit = ecrireFichier(fichier, png.valeur);
    if (!ecrit.ok()) {
        return {"Impossible d'ecrire l'image dans " + fichier + " : " + ecrit.raison};
    }
    return {};
}

} // namespace cyclide
