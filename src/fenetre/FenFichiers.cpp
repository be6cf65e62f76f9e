// The window's file commands: parameter files (all or nothing), nets given
// directly, saving, the image, STEP and OBJ exports.
#include "fenetre/FenPrincipale.h"
#include "fenetre/OutilsFenetre.h"
#include "fenetre/PanneauParametres.h"
#include "fenetre/glwidget.h"
#include "fichiers/EcritureFichier.h"
#include "fichiers/FichierParametres.h"
#include "fichiers/LectureCarreau.h"
#include "lot/LotParametres.h"
#include "scene/Scene.h"
#include "sorties/ExportObj.h"
#include "sorties/ExportStep.h"
#ifdef CYCLIDE_AVEC_CAO
#include "cao/LectureCao.h"
#endif

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <iostream>
#include <sstream>
#include <string>

using namespace cyclide;

namespace {

// Writes octets as the whole file nom, through a temporary file and a rename
// (a device in place), so that a failure never damages an existing file; how
// it ended, with the system's reason of a failure.
Resultat<ResultatEcriture> ecrireOctets(const QString& nom, const QByteArray& octets) {
    return ecrireFichier(QFile::encodeName(nom).toStdString(), octets.toStdString());
}

// The name with ".png" added when it has no extension and names nothing
// yet (an existing file, device or pipe chosen in the dialog is kept).
QString nomPng(const QString& nom) {
    const QFileInfo fichier(nom);
    return fichier.suffix().isEmpty() && !fichier.exists() ? nom + QStringLiteral(".png") : nom;
}

// The file's bytes (a regular file only, opened without waiting, at most
// 64 Ko), or the reason in French (the core's text).
Resultat<std::string> lireTexte(const QString& nom) {
    const Resultat<TexteLu> lu = lireFichierParametres(QFile::encodeName(nom).toStdString(), true);
    if (lu.valeur.fin == ResultatLecture::Lu)
        return {lu.valeur.texte, ""};
    std::cout << "Probleme d'ouverture" << std::endl;
    return {std::string(), lu.raison};
}

} // namespace

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
    const QString nom = nomFichierOuverture(
        tr("Ouvrir un carreau"),
        tr("Carreau donne (*.txt *.carreau *.json);;CAO (*.step *.stp *.iges *.igs);;Tous (*)"));
    if (nom.isEmpty()) {
        return;
    }
    chargerCarreau(nom);
}

// Reads the net of the file nom, then the nine "x y z w" lines; the view
// shows it with the plane chosen, fitted, the file named in the parameter
// panel, whose parameters are greyed. Anything unreadable is told to the
// user in a warning, and the view is left as it was.
void FenPrincipale::chargerCarreau(const QString& nom) {
    const QString titre = tr("Ouvrir un carreau");
#ifdef CYCLIDE_AVEC_CAO
    if (estFichierCao(nom.toStdString())) {
        chargerCarreauCao(nom);
        return;
    }
#endif
    const Resultat<std::string> texte = lireTexte(nom);
    if (!texte.ok()) {
        messageAvertissement(
            titre, tr("Impossible de lire le fichier %1.\n%2").arg(nom, texteCoeur(texte.raison)));
        return;
    }
    std::istringstream entree(texte.valeur);
    const Resultat<RBBP> lu = lireCarreau(entree);
    if (!lu.ok()) {
        messageAvertissement(
            titre,
            tr("Le fichier %1 ne contient pas un carreau.\n%2").arg(nom, texteCoeur(lu.raison)));
        return;
    }
    montrerCarreau(nom, lu.valeur, tr("Carreau : %1").arg(QFileInfo(nom).fileName()));
    dire(tr("Carreau %1 ouvert").arg(nom));
}

// Shows the net read from the file nom, named in the parameter panel as
// source, fitted; one step of the history. A net that no cyclide carries
// within the nets' tolerance but one does within the residual the seven
// parameters and the examples admit (a net the tool wrote from them, whose
// numbers were rounded) is shown converted at that tolerance, and the
// panel says so.
void FenPrincipale::montrerCarreau(const QString& nom, const RBBP& net, const QString& source) {
    const Regroupement etape(this, tr("Ouvrir %1").arg(QFileInfo(nom).fileName()));
    cheminCarreau = nom;
    const PlanConversion plan = glWidget->choix;
    double tolerance = TOLERANCE_CARREAU;
    if (!estCyclide(construireSceneReseau(net, plan, TOLERANCE_CARREAU).typeCyclide) &&
        estCyclide(construireSceneReseau(net, plan, RESIDU_ADMIS).typeCyclide))
        tolerance = RESIDU_ADMIS;
    glWidget->ouvrirCarreau(net, tolerance);
    montrerSource(tolerance == TOLERANCE_CARREAU
                      ? source
                      : tr("%1 (tolerance %2 des parametres)").arg(source).arg(tolerance));
    glWidget->recadrer();
    pointMiseAJour();
    retenirFichier(nom);
}

#ifdef CYCLIDE_AVEC_CAO
// A STEP or IGES file: its first Bezier patch of degree at most 2 x 2 is
// shown (the converter lists them all: cyclide-conv --carreau); the status
// bar says which one and how many there are, and the faces left out.
void FenPrincipale::chargerCarreauCao(const QString& nom) {
    const Resultat<LectureCao> lu = lireCarreauxCao(nom.toStdString());
    const LectureCao& lecture = lu.valeur;
    if (!lu.ok() || lecture.carreaux.empty()) {
        const std::string raison = lu.ok() ? "aucune face de degre au plus 2 x 2" : lu.raison;
        messageAvertissement(tr("Ouvrir un carreau"),
                             tr("Le fichier %1 ne contient pas un carreau.\n%2")
                                 .arg(nom, QString::fromLatin1(raison.c_str())));
        return;
    }
    const CarreauCao& c = lecture.carreaux.front();
    montrerCarreau(nom, c.reseau,
                   tr("Carreau : %1, face %2, carreau (%3, %4)")
                       .arg(QFileInfo(nom).fileName())
                       .arg(c.face)
                       .arg(c.carreauU)
                       .arg(c.carreauV));
    dire(tr("Carreau 1 sur %1 de %2 ouvert (%3 face(s) ignoree(s))")
             .arg(lecture.carreaux.size())
             .arg(nom)
             .arg(lecture.ignorees.size()));
}
#endif

// Loads the seven parameters of the file nom, all or nothing: a file that
// cannot be read, ends early or holds a word that is not a number is told
// to the user and changes nothing. Read whole, the values are applied
// exactly (the sliders show their nearest degree), the example or net shown
// is left, the view is fitted.
void FenPrincipale::chargerFichier(const QString& nom) {
    const QString titre = tr("Ouvrir un fichier");
    const Resultat<std::string> texte = lireTexte(nom);
    if (!texte.ok()) {
        std::cout << std::endl;
        messageAvertissement(
            titre, tr("Impossible de lire le fichier %1.\n%2").arg(nom, texteCoeur(texte.raison)));
        return;
    }
    double valeurs[NOMBRE_PARAMETRES] = {};
    std::istringstream flux(texte.valeur);
    const LectureParametres lecture = analyserParametres(flux, valeurs);
    std::cout << std::endl;
    if (lecture.lus < NOMBRE_PARAMETRES) {
        QString message = tr("Le fichier %1 est incomplet : %2 valeur(s) lue(s) sur 7. Le fichier "
                             "n'a pas ete ouvert, aucun parametre n'a ete modifie.")
                              .arg(nom)
                              .arg(lecture.lus);
        if (!lecture.refuse.empty()) {
            message += tr("\n'%1' n'est pas un nombre.").arg(texteFichier(lecture.refuse));
        }
        messageAvertissement(titre, message);
        return;
    }
    appliquerParametres(valeurs, NOMBRE_PARAMETRES);
    fichierCourant = nom;
    retenirFichier(nom);
    dire(tr("Parametres de %1 ouverts").arg(nom));
}

// Makes the seven values (file order, angles in radians) the view's,
// exactly, leaving any example or net; the fields and sliders follow; the
// view is fitted. One step of the history.
void FenPrincipale::appliquerParametres(const double valeurs[7], int nombre) {
    if (nombre < NOMBRE_PARAMETRES) {
        return;
    }
    const Regroupement etape(this, tr("Ouvrir des parametres"));
    glWidget->appliquerEntree(entreeParametres(valeurs, glWidget->entree().plan));
    montrerSource(QString());
    parametresGroupBox->accorderChamps();
    glWidget->recadrer();
}

// Writes the seven parameters as stored in the view, in the parameter-file
// layout, under the name nom (no extension added), through a temporary file
// and a rename (a device is written in place), so a failed save never
// damages an existing file. Failures are told to the user.
void FenPrincipale::ecrireParametresDans(const QString& nom, const QString& titre) {
    const double valeurs[NOMBRE_PARAMETRES] = {glWidget->getTheta00(), glWidget->getTheta02(),
                                               glWidget->getTheta20(), glWidget->getTheta22(),
                                               glWidget->getRayon(),   glWidget->getZ11(),
                                               glWidget->getP10()};
    std::ostringstream texte;
    ecrireParametres(texte, valeurs);
    const std::string octets = texte.str();
    const Resultat<ResultatEcriture> ecrit =
        ecrireOctets(nom, QByteArray(octets.data(), static_cast<qsizetype>(octets.size())));
    const ResultatEcriture fin = ecrit.valeur;
    const QString raison = texteCoeur(ecrit.raison);
    if (fin == ResultatEcriture::OuvertureImpossible) {
        std::cout << "Probleme d'ouverture" << std::endl;
        messageAvertissement(
            titre, tr("Impossible d'ouvrir le fichier %1 en ecriture.\n%2").arg(nom, raison));
    } else if (fin == ResultatEcriture::ErreurEcriture) {
        messageAvertissement(titre, tr("Erreur d'ecriture : le fichier %1 n'a pas ete "
                                       "enregistre.\n%2")
                                        .arg(nom, raison));
    } else {
        fichierCourant = nom;
        retenirFichier(nom);
        dire(tr("Parametres enregistres dans %1").arg(nom));
    }
}

// "Enregistrer &sous..." (Ctrl+Shift+S): asks for a name, then writes.
void FenPrincipale::sauver() {
    const QString titre = tr("Enregistrer un fichier");
    const QString nom = nomFichierEnregistrement(titre, tr("Carreau (*.car *.bez)"));
    if (nom.isEmpty()) {
        return;
    }
    ecrireParametresDans(nom, titre);
}

// "Enregistrer" (Ctrl+S): into the parameter file last opened or saved, or
// as "Enregistrer &sous..." when there is none.
void FenPrincipale::enregistrer() {
    if (fichierCourant.isEmpty()) {
        sauver();
        return;
    }
    ecrireParametresDans(fichierCourant, tr("Enregistrer un fichier"));
}

// "&Enregistrer Image": renders the view off screen at the size chosen
// (800 x 800 proposed) in a new context, keeps it in originalPixmap and
// writes it as PNG, ".png" added to a name without extension, the same way
// as a parameter file. A failure is told to the user.
void FenPrincipale::sauverImage() {
    const char* format = "png";
    const QString titre = tr("Enregistrer une image");
    QString nom = nomFichierEnregistrement(titre, tr("Images (*.png)"));
    if (nom.isEmpty()) {
        return;
    }
    const QSize taille = tailleImage(QSize(800, 800));
    if (taille.isEmpty()) {
        return;
    }
    nom = nomPng(nom);
    const QImage image = glWidget->imageHorsEcran(taille.width(), taille.height());
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
    } else {
        const Resultat<ResultatEcriture> ecrit = ecrireOctets(nom, png);
        if (ecrit.ok()) {
            dire(tr("Image enregistree dans %1").arg(nom));
            return;
        }
        raison = texteCoeur(ecrit.raison);
    }
    messageAvertissement(titre,
                         tr("L'image n'a pas pu etre enregistree dans %1.\n%2").arg(nom, raison));
}

// "Exporter STEP...": the patch of the view, and when it is convertible the
// piece of cyclide and the whole cyclide, as exact rational B-spline
// surfaces in a STEP file (AP214) under the name as chosen. A failure, or a
// surface left out, is told to the user.
void FenPrincipale::exporterStepCarreau() {
    const QString titre = tr("Exporter STEP");
    const QString nom = nomFichierEnregistrement(titre, tr("STEP (*.step *.stp)"));
    if (nom.isEmpty()) {
        return;
    }
    const Scene& scene = glWidget->getScene();
    std::vector<std::string> notices;
    const Resultat<void> ecrit = exporterStep(QFile::encodeName(nom).toStdString(), scene, notices);
    if (!ecrit.ok()) {
        messageAvertissement(
            titre,
            tr("Le fichier %1 n'a pas ete enregistre.\n%2").arg(nom, texteCoeur(ecrit.raison)));
    } else if (!notices.empty()) {
        messageInformation(titre, texteCoeur(notices.front()));
    } else {
        dire(tr("STEP enregistre dans %1").arg(nom));
    }
}

// "Exporter OBJ...": the meshes of the patch and, when it is convertible,
// of the patch in the cyclide's frame, the piece, the whole cyclide and the
// control polyhedron, in an OBJ file under the name as chosen.
void FenPrincipale::exporterObjCarreau() {
    const QString titre = tr("Exporter OBJ");
    const QString nom = nomFichierEnregistrement(titre, tr("OBJ (*.obj)"));
    if (nom.isEmpty()) {
        return;
    }
    const Scene& scene = glWidget->getScene();
    std::vector<std::string> notices;
    const std::vector<std::string> entete = {"Cyclide de Dupin"};
    if (!exporterObj(QFile::encodeName(nom).toStdString(), scene.converti, scene.typeCyclide,
                     scene.morceau, entete, notices)) {
        messageAvertissement(titre, tr("Le fichier %1 n'a pas ete enregistre.").arg(nom));
    } else if (!notices.empty()) {
        messageInformation(titre, texteCoeur(notices.front()));
    } else {
        dire(tr("OBJ enregistre dans %1").arg(nom));
    }
}
