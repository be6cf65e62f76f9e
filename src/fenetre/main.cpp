// Entry of the desktop program: the application object, the main window,
// the event loop.
#include "fenetre/FenPrincipale.h"
#include "fenetre/glwidget.h"

#include <QApplication>

// Sets the view's rendering format (before the application object, so every
// context gets it), loads the toolkit's French catalogue, shows the main
// window where it stood last time and runs the event loop; its result is the exit code.
int main(int argc, char* argv[]) {
    installerFormatVue();
    QApplication app(argc, argv);
    installerTraductionQt();
    FenPrincipale fenetre;
    fenetre.restaurerGeometrie();
    fenetre.show();
    return app.exec();
}
