// The window's file commands and help boxes: parameter files, nets given
// directly, the image and STEP exports, "&Index" and "&A propos...".
#include "EcritureFichier.h"
#include "ExportStep.h"
#include "FenPrincipale.h"
#include "FichierParametres.h"
#include "LectureCarreau.h"
#include "PanneauParametres.h"
#include "Scene.h"
#include "glwidget.h"

#include <QBuffer>
#include <QFile>
#include <QImage>

#include <iostream>
#include <sstream>
#include <string>

namespace {

// Writes octets as the whole file nom, through a temporary file and a rename
// (a device in place), so that a failure never damages an existing file; the
// system's reason of a failure goes to raison.
ResultatEcriture enregistrer(const QString& nom, const QByteArray& octets, QString& raison) {
    std::string pourquoi;
    const ResultatEcriture fin =
        ecrireFichier(QFile::encodeName(nom).toStdString(), octets.toStdString(), pourquoi);
    raison = QString::fromLocal8Bit(pourquoi.c_str());
    return fin;
}

} // namespace

// Applies the first nombre values of a parameter file, in file order:
// the angles (radians, turned into whole degrees) through the view's angle
// slots, then rayon, z11 and P10 through the view's slots with their
// fields rewritten with 6 decimals.
void FenPrincipale::appliquerParametres(const double valeurs[7], int nombre) {
    void (GLWidget::*angles[4])(int) = {&GLWidget::setTheta00, &GLWidget::setTheta02,
                                        &GLWidget::setTheta20, &GLWidget::setTheta22};
    void (GLWidget::*longueurs[3])(double) = {&GLWidget::setRayon, &GLWidget::setZ11,
                                              &GLWidget::setP10};
    for (int n = 0; n < nombre && n < 7; ++n) {
        if (n < 4) {
            (glWidget->*angles[n])(radiansEnDegres(valeurs[n]));
        } else {
            (glWidget->*longueurs[n - 4])(valeurs[n]);
            parametresGroupBox->ecrireLongueur(n - 4, valeurs[n]);
        }
    }
}

// "&Ouvrir": asks for a .car or .bez file and loads it.
void FenPrincipale::ouvrir() {
    const QString nom = nomFichierOuverture(tr("Ouvrir un fichier"), tr("Carreau (*.car *.bez)"));
    if (nom.isEmpty()) {
        return;
    }
    chargerFichier(nom);
}

// "Ouvrir un carreau...": asks for a file holding a net given directly and
// shows it.
void FenPrincipale::ouvrirCarreau() {
    const QString nom = nomFichierOuverture(tr("Ouvrir un carreau"),
                                            tr("Carreau donne (*.txt *.carreau);;Tous (*)"));
    if (nom.isEmpty()) {
        return;
    }
    chargerCarreau(nom);
}

// Reads the net of the file nom with the checks of a parameter file (a
// regular file only, opened without waiting, at most 64 Ko), then the nine
// "x y z w" lines; the view shows it with the plane chosen and the
// parameter panel stays, its sliders leaving the net. Anything unreadable
// is told to the user in a warning, and the view is left as it was.
void FenPrincipale::chargerCarreau(const QString& nom) {
    const QString titre = tr("Ouvrir un carreau");
    std::string texte;
    std::string raison;
    RBBP net;
    if (lireFichierParametres(QFile::encodeName(nom).toStdString(), true, texte, raison) !=
        ResultatLecture::Lu) {
        std::cout << "Probleme d'ouverture" << std::endl;
        messageAvertissement(titre, tr("Impossible de lire le fichier %1.\n%2")
                                        .arg(nom, QString::fromLocal8Bit(raison.c_str())));
        return;
    }
    std::istringstream entree(texte);
    if (!lireCarreau(entree, net, raison)) {
        messageAvertissement(titre, tr("Le fichier %1 ne contient pas un carreau.\n%2")
                                        .arg(nom, QString::fromLatin1(raison.c_str())));
        return;
    }
    parametresGroupBox->show();
    glWidget->ouvrirCarreau(net);
    pointMiseAJour();
}

// Loads the seven parameters of the file nom and applies them one by one.
// The parameter panel comes back and the example is left first, whatever
// follows. Only a regular file is read, opened without ever waiting (a
// named pipe or a device is refused at once), and at most 64 Ko of it. A
// file that cannot be read prints "Probleme d'ouverture" and is told to
// the user; a file that ends early or holds something that is not a
// number is applied up to there, the rest stays as it was, and the user is
// told which word stopped the reading.
void FenPrincipale::chargerFichier(const QString& nom) {
    const QString titre = tr("Ouvrir un fichier");
    parametresGroupBox->show();
    glWidget->exemple = 0;
    glWidget->quitterCarreau();

    std::string texte;
    std::string raison;
    if (lireFichierParametres(QFile::encodeName(nom).toStdString(), true, texte, raison) !=
        ResultatLecture::Lu) {
        std::cout << "Probleme d'ouverture" << std::endl << std::endl;
        messageAvertissement(titre, tr("Impossible de lire le fichier %1.\n%2")
                                        .arg(nom, QString::fromLocal8Bit(raison.c_str())));
        return;
    }
    double valeurs[NOMBRE_PARAMETRES] = {glWidget->getTheta00(), glWidget->getTheta02(),
                                         glWidget->getTheta20(), glWidget->getTheta22(),
                                         glWidget->getRayon(),   glWidget->getZ11(),
                                         glWidget->getP10()};
    std::istringstream entree(texte);
    const LectureParametres lecture = analyserParametres(entree, valeurs);
    appliquerParametres(valeurs, lecture.lus);
    std::cout << std::endl;

    if (lecture.lus < NOMBRE_PARAMETRES) {
        QString message = tr("Le fichier %1 est incomplet : %2 valeur(s) lue(s) sur 7. Les "
                             "parametres suivants n'ont pas ete modifies.")
                              .arg(nom)
                              .arg(lecture.lus);
        if (!lecture.refuse.empty()) {
            message +=
                tr("\n'%1' n'est pas un nombre.").arg(QString::fromStdString(lecture.refuse));
        }
        messageAvertissement(titre, message);
    }
}

// "Enregistrer &sous...": writes the seven parameters as stored in the
// view, in the parameter-file layout, under the name as chosen (no
// extension added). The file is written to a temporary file and renamed
// (a device is written in place), so a failed save never damages an
// existing file. A file that cannot be created prints "Probleme
// d'ouverture"; that and a write error are both told to the user.
void FenPrincipale::sauver() {
    const QString titre = tr("Enregistrer un fichier");
    const QString nom = nomFichierEnregistrement(titre, tr("Carreau (*.car *.bez)"));
    if (nom.isEmpty()) {
        return;
    }
    const double valeurs[NOMBRE_PARAMETRES] = {glWidget->getTheta00(), glWidget->getTheta02(),
                                               glWidget->getTheta20(), glWidget->getTheta22(),
                                               glWidget->getRayon(),   glWidget->getZ11(),
                                               glWidget->getP10()};
    std::ostringstream texte;
    ecrireParametres(texte, valeurs);
    const std::string octets = texte.str();
    QString raison;
    const ResultatEcriture fin =
        enregistrer(nom, QByteArray(octets.data(), static_cast<qsizetype>(octets.size())), raison);
    if (fin == ResultatEcriture::OuvertureImpossible) {
        std::cout << "Probleme d'ouverture" << std::endl;
        messageAvertissement(
            titre, tr("Impossible d'ouvrir le fichier %1 en ecriture.\n%2").arg(nom, raison));
    } else if (fin == ResultatEcriture::ErreurEcriture) {
        messageAvertissement(titre, tr("Erreur d'ecriture : le fichier %1 n'a pas ete "
                                       "enregistre.\n%2")
                                        .arg(nom, raison));
    }
}

// "&Enregistrer Image": renders the view off screen at 800 x 800 in a new
// context, keeps it in originalPixmap and writes it as PNG under the name
// as chosen (no extension added), the same way as a parameter file, so a
// failed save never damages an existing file. A failure is told to the user.
void FenPrincipale::sauverImage() {
    const char* format = "png";
    const QString titre = tr("Enregistrer une image");
    const QString nom = nomFichierEnregistrement(titre, tr("Images (*.png)"));
    if (nom.isEmpty()) {
        return;
    }
    const QImage image = glWidget->imageHorsEcran(800, 800);
    originalPixmap = QPixmap::fromImage(image);
    if (image.isNull()) {
        messageAvertissement(titre, tr("L'image n'a pas pu etre calculee (contexte OpenGL "
                                       "hors ecran indisponible)."));
        return;
    }
    QByteArray png;
    QBuffer tampon(&png);
    QString raison;
    if (!tampon.open(QIODevice::WriteOnly) || !image.save(&tampon, format)) {
        raison = tr("Codage PNG impossible.");
    } else if (enregistrer(nom, png, raison) == ResultatEcriture::Reussie) {
        return;
    }
    messageAvertissement(titre,
                         tr("L'image n'a pas pu etre enregistree dans %1.\n%2").arg(nom, raison));
}

// "Exporter STEP...": the patch of the view, and when it is convertible the
// piece of cyclide and the whole cyclide, as exact rational B-spline
// surfaces in a STEP file (AP214) under the name as chosen, written the
// same way as a parameter file. A failure, or a surface left out, is told
// to the user.
void FenPrincipale::exporterStepCarreau() {
    const QString titre = tr("Exporter STEP");
    const QString nom = nomFichierEnregistrement(titre, tr("STEP (*.step *.stp)"));
    if (nom.isEmpty()) {
        return;
    }
    // The view's own scene: the one shown, also for a net given directly
    // (converted with its own tolerance).
    const Scene& scene = glWidget->getScene();
    std::vector<std::string> notices;
    std::string raison;
    if (!exporterStep(QFile::encodeName(nom).toStdString(), scene, notices, raison)) {
        messageAvertissement(titre, tr("Le fichier %1 n'a pas ete enregistre.\n%2")
                                        .arg(nom, QString::fromLocal8Bit(raison.c_str())));
    } else if (!notices.empty()) {
        messageInformation(titre, QString::fromLocal8Bit(notices.front().c_str()));
    }
}

// "&Index": what the program does.
void FenPrincipale::index() {
    messageInformation(
        tr("Index"),
        tr("Ce programme permet de convertir des carreaux de Bezier en cyclide de Dupin. "
           "L'utilisateur a la possibilite de changer les parametres theta00, theta02, "
           "theta20, theta22, le rayon de depart, la valeur de la cote du point P11, et puis "
           "une valeur pour P10.<br />Il a aussi la possibilite d'afficher le carreau dans la "
           "base canonique ou dans la base de la cyclide, d'afficher la cyclide apres "
           "conversion...<br /><br />L'application propose aussi l'ouverture d'un fichier "
           "contenant un carreau a convertir, mais aussi l'enregistrement de celui-ci. Il y a "
           "aussi la possibilite d'enregistrer une image (800x800) de la fenetre openGL."
           "<br /><br />Souris : bouton gauche, rotation autour des axes x et y ; bouton "
           "droit, rotation autour des axes x et z ; bouton du milieu, deplacement ; molette, "
           "zoom.<br />Clavier : P mode d'affichage, R remise a zero, O ombrage, C recadrer, "
           "1 vue de dessus, 2 vue de face, 3 vue de cote, F1 cette aide."));
}

// "&A propos...": origin, purpose and credits.
void FenPrincipale::aPropos() {
    messageInformation(tr("A propos..."),
                       tr("Ce programme est issu d'un projet de modelisation geometrique.<br>"
                          "Il permet la convertion d'un carreau de Bezier en cyclide de Dupin.<br>"
                          "<br>"
                          "Remerciements :<br>"
                          "a tous les contributeurs du projet."));
}
