// cyclide-apercu: a picture of the main window at start-up, for the README
// and for machines without a screen of their own (it needs an X server;
// Xvfb will do). The view alone is rendered by cyclide-conv --png.
// With --cyclide the window shows the converted patch shaded, with its
// border, on its whole cyclide, turned and fitted into the view.
//   cyclide-apercu IMAGE.png [--cyclide]
//   cyclide-apercu --version
#include "fenetre/FenPrincipale.h"
#include "fenetre/glwidget.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPainter>
#include <QPixmap>
#include <QWindow>

#include <iostream>
#include <string>

using namespace cyclide;

// The converted patch (shaded) with its border on its cyclide, the view
// turned and fitted, as a user would set it with the panel and the menus.
void montrerCyclide(FenPrincipale& fenetre) {
    const char* const cases[4] = {"afficheCarreauBox", "afficheCarreauBoxNew", "afficheBordBoxNew",
                                  "afficheCyclideBox"};
    for (const char* nom : cases) {
        QCheckBox* boite = fenetre.findChild<QCheckBox*>(QString::fromLatin1(nom));
        if (boite != nullptr) {
            boite->toggle();
        }
    }
    GLWidget* vue = fenetre.findChild<GLWidget*>(QStringLiteral("glWidget"));
    if (vue != nullptr) {
        vue->setXRotation(60 * 16);
    }
    QAction* ombrage = fenetre.findChild<QAction*>(QStringLiteral("actionOmbrage"));
    if (ombrage != nullptr) {
        ombrage->setChecked(true);
    }
    QAction* recadrer = fenetre.findChild<QAction*>(QStringLiteral("actionRecadrer"));
    if (recadrer != nullptr) {
        recadrer->trigger();
    }
}

// Shows the main window, lets it paint, and saves what it shows.
int main(int argc, char* argv[]) {
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::cout << "cyclide-apercu " CYCLIDE_VERSION "\n";
        return 0;
    }
    const bool cyclide = argc == 3 && std::string(argv[2]) == "--cyclide";
    if ((argc != 2 && !cyclide) || argv[1][0] == '-') {
        std::cerr << "usage : cyclide-apercu IMAGE.png [--cyclide]\n";
        return 2;
    }
    const std::string fichier = argv[1];
    installerFormatVue();
    QApplication application(argc, argv);
    FenPrincipale fenetre;
    // Where the program itself puts the window (the remembered geometry, or
    // most of the screen the first time).
    fenetre.restaurerGeometrie();
    fenetre.show();
    QElapsedTimer chrono;
    chrono.start();
    while (chrono.elapsed() < 3000 &&
           (fenetre.windowHandle() == nullptr || !fenetre.windowHandle()->isExposed())) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    if (cyclide) {
        montrerCyclide(fenetre);
    }
    while (chrono.elapsed() < 3500) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QPixmap capture = fenetre.grab();
    // The view's frame keeps GL's alpha (0.5 on the cyclides): the screen
    // shows its colour bytes as they are, a grab would take them as
    // premultiplied. The view is painted over the grab as the screen shows it.
    GLWidget* vue = fenetre.findChild<GLWidget*>(QStringLiteral("glWidget"));
    if (vue != nullptr) {
        QImage image = vue->grabFramebuffer();
        const bool rgba = image.format() == QImage::Format_RGBA8888_Premultiplied ||
                          image.format() == QImage::Format_RGBA8888;
        image.reinterpretAsFormat(rgba ? QImage::Format_RGBX8888 : QImage::Format_RGB32);
        QPainter peintre(&capture);
        peintre.drawImage(QRect(vue->mapTo(&fenetre, QPoint(0, 0)), vue->size()), image);
    }
    if (capture.isNull() || !capture.save(QString::fromStdString(fichier), "png")) {
        std::cerr << "cyclide-apercu : impossible d'enregistrer " << fichier << "\n";
        return 1;
    }
    std::cout << fichier << " (" << capture.width() << " x " << capture.height() << ")\n";
    return 0;
}
