#include "rendu/Plateforme.h"

#include "rendu/RenduScene.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace cyclide {

namespace {

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

} // namespace

// The application object is made here only when there is none: a platform
// that cannot start stops with a reason before the toolkit would abort.
Resultat<void> demarrerApplication(int& argc, char** argv,
                                   std::unique_ptr<QGuiApplication>& application) {
    if (QCoreApplication::instance() != nullptr) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
            return {"L'application en cours n'est pas une application graphique"};
        }
        return {};
    }
    if (!variableDefinie("DISPLAY") && !variableDefinie("WAYLAND_DISPLAY") &&
        !variableDefinie("QT_QPA_PLATFORM")) {
        return {"Aucun affichage disponible (DISPLAY est vide) : lancer la commande sous "
                "xvfb-run"};
    }
    std::unique_ptr<SondeX> sonde;
    Resultat<void> plateforme = choisirPlateforme(sonde);
    if (!plateforme.ok()) {
        return plateforme;
    }
    installerFormatVue();
    gestionnairePrecedent = qInstallMessageHandler(messageDemarrage);
    application = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(gestionnairePrecedent);
    return {};
}

} // namespace cyclide
