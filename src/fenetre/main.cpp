// Entry of the desktop program: the application object, the main window,
// the event loop.
//   cyclide [FICHIER]     opens FICHIER as a dropped file would be opened
//   cyclide --version     prints the program's name and version
#include "fenetre/FenPrincipale.h"
#include "fenetre/glwidget.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

// The options a shell or a desktop entry may pass, answered before any
// window or display is needed: --version and --help print and end.
// Out: true when the program has answered and must stop.
bool repondreSansFenetre(int argc, char* argv[]) {
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--version") == 0) {
            std::fputs("cyclide " CYCLIDE_VERSION "\n", stdout);
            return true;
        }
        if (std::strcmp(argv[k], "--help") == 0 || std::strcmp(argv[k], "-h") == 0) {
            std::fputs("Usage : cyclide [FICHIER]\n"
                       "Ouvre la fenetre de conversion ; FICHIER (.car, .bez, carreau, STEP,\n"
                       "IGES) est ouvert comme un fichier depose sur la fenetre.\n"
                       "  --version  affiche la version\n"
                       "  --help     affiche cette aide\n",
                       stdout);
            return true;
        }
    }
    return false;
}

} // namespace

// Sets the view's rendering format (before the application object, so every
// context gets it), loads the toolkit's French catalogue, shows the main
// window where it stood last time, opens the file named on the command line
// and runs the event loop; its result is the exit code.
int main(int argc, char* argv[]) {
    if (repondreSansFenetre(argc, argv))
        return 0;
    installerFormatVue();
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(CYCLIDE_VERSION));
    installerTraductionQt();
    FenPrincipale fenetre;
    fenetre.restaurerGeometrie();
    fenetre.show();
    const QStringList arguments = QApplication::arguments().mid(1);
    if (!arguments.isEmpty())
        fenetre.ouvrirFichierDepose(arguments.first());
    return app.exec();
}
