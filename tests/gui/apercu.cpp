// cyclide-apercu: pictures of the program without a screen of its own.
//   cyclide-apercu [--affiche LISTES] IMAGE.png  the start-up view, 800 x 800
//   cyclide-apercu --fenetre IMAGE.png           the main window at start-up
// Both need an X server (Xvfb will do).
#include "FenPrincipale.h"
#include "ImageVue.h"
#include "glwidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QWindow>

#include <iostream>
#include <string>

namespace {

// The start-up parameters of the window.
const double PARAMETRES_DEMARRAGE[7] = {
    0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982};

int usage() {
    std::cerr << "usage : cyclide-apercu [--affiche LISTES] IMAGE.png\n"
                 "        cyclide-apercu --fenetre IMAGE.png\n";
    return 2;
}

// Shows the main window, lets it paint, and saves what it shows.
int capturerFenetre(int& argc, char** argv, const std::string& fichier) {
    installerFormatVue();
    QApplication application(argc, argv);
    FenPrincipale fenetre;
    fenetre.show();
    QElapsedTimer chrono;
    chrono.start();
    while (chrono.elapsed() < 3000 &&
           (fenetre.windowHandle() == nullptr || !fenetre.windowHandle()->isExposed())) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    while (chrono.elapsed() < 3500) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    const QPixmap capture = fenetre.grab();
    if (capture.isNull() || !capture.save(QString::fromStdString(fichier), "png")) {
        std::cerr << "cyclide-apercu : impossible d'enregistrer " << fichier << "\n";
        return 1;
    }
    std::cout << fichier << " (" << capture.width() << " x " << capture.height() << ")\n";
    return 0;
}

} // namespace

// Reads the options, then writes the requested picture.
int main(int argc, char* argv[]) {
    std::string affiche = "1";
    std::string fichier;
    bool fenetre = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--affiche" && i + 1 < argc) {
            affiche = argv[++i];
        } else if (argument == "--fenetre") {
            fenetre = true;
        } else if (!argument.empty() && argument[0] == '-') {
            return usage();
        } else if (fichier.empty()) {
            fichier = argument;
        } else {
            return usage();
        }
    }
    if (fichier.empty()) {
        return usage();
    }
    if (fenetre) {
        return capturerFenetre(argc, argv, fichier);
    }
    std::string erreur;
    if (!ecrireImageCarreau(argc, argv, PARAMETRES_DEMARRAGE, 0, 1, affiche, fichier, erreur)) {
        std::cerr << "cyclide-apercu : " << erreur << "\n";
        return 1;
    }
    std::cout << fichier << " (800 x 800)\n";
    return 0;
}
