// cyclide-apercu: a picture of the main window at start-up, for the README
// and for machines without a screen of their own (it needs an X server;
// Xvfb will do). The view alone is rendered by cyclide-conv --png.
//   cyclide-apercu IMAGE.png
#include "FenPrincipale.h"
#include "glwidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QWindow>

#include <iostream>
#include <string>

// Shows the main window, lets it paint, and saves what it shows.
int main(int argc, char* argv[]) {
    if (argc != 2 || argv[1][0] == '-') {
        std::cerr << "usage : cyclide-apercu IMAGE.png\n";
        return 2;
    }
    const std::string fichier = argv[1];
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
