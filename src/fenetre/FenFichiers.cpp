// The window's file commands: parameter files (all or nothing), nets given
// directly, saving, the image, STEP and OBJ exports.
#include "fenetre/FenPrincipale.h"
#include "fenetre/OutilsFenetre.h"
#include "fenetre/PanneauParametres.h"
#include "fenetre/glwidget.h"
#include "fichiers/EcritureFichier.h"
#include "fichiers/FichierParametres.h"
#include "fichiers/LectureCarreau.h"
#include "scene/Scene.h"
#include "sorties/ExportObj.h"
#include "sorties/ExportStep.h"
#ifdef CYCLIDE_AVEC_CAO
#include "fichiers/LecteurCao.h"
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

} // namespace

QString nomAvecExtension(const QString& nom, const QString& extension) {
    const QFileInfo fichier(nom);
    return fichier.suffix().isEmpty() && !fichier.exists() ? nom + QLatin1Char('.') + extension
                                                           : nom;
}

namespace {

// The net's nine lines "x y z w", P00 to P22, each number in the shortest
// form that reads back as the same double, after a comment line.
QByteArray texteReseau(const RBBPd& net) {
    QString texte = QStringLiteral("# x y z w : P00 P01 P02 P10 P11 P12 P20 P21 P22\n");
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const Point p = net.getP(i, j);
            texte += QStringList{texteExact(p.abs()), texteExact(p.ord()), texteExact(p.cote()),
                                 texteExact(net.getW(i, j))}
                         .join(QLatin1Char(' ')) +
                     QLatin1Char('\n');
        }
    }
    return texte.toUtf8();
}

// The file's bytes (a regular file only, opened without waiting, at most
// 64 Ko), or the reason in French (the core's text); a file of a known
// other kind (an image, an archive) is called what it is.
Resultat<std::string> lireTexte(const QString& nom) {
    const Resultat<TexteLu> lu = lireFichierParametres(QFile::encodeName(nom).toStdString(), true);
    if (lu.valeur.fin == ResultatLecture::Lu)
        return {lu.valeur.texte, ""};
    std::cout << "Probleme d'ouverture" << std::endl;
    const std::string nature = natureFichier(lu.valeur.texte);
    return {std::string(), nature.empty() ? lu.raison : "c'est " + nature};
}

} // namespace

// "&Ouvrir": asks what to do with unsaved parameters, then for a .car or
// .bez file (or any file), and loads it.
void FenPrincipale::ouvrir() {
    if (!garderModifications()) {
        return;
    }
    const QString nom = nomFichierOuverture(
        tr("Ouvrir un fichier"), tr("Carreau (*.car *.bez)") + tr(";;Tous les fichiers (*)"));
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
        tr("Carreau donné (*.txt *.carreau *.json);;CAO (*.step *.stp *.iges *.igs);;Tous les "
           "fichiers (*)"));
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
        // A file of another kind (an image, an archive) is called what it is.
        const std::string nature = natureFichier(texte.valeur);
        messageAvertissement(titre, tr("Le fichier %1 ne contient pas un carreau.\n%2")
                                        .arg(nom, nature.empty()
                                                      ? texteCoeur(lu.raison)
                                                      : tr("C'est %1.").arg(texteCoeur(nature))));
        return;
    }
    rangCarreauCao = -1;
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
                      : tr("%1 (tolérance %2 des paramètres)").arg(source).arg(tolerance));
    glWidget->recadrer();
    pointMiseAJour();
    retenirFichier(nom);
}

#ifdef CYCLIDE_AVEC_CAO
// A STEP or IGES file, read by cyclide-cao in a child process (a file that
// crashes the reader only gives a message, the view unchanged): its first
// patch is shown, the others one step away (Carreau CAO suivant,
// précédent); the status bar says which one, how many there are and the
// faces without patch.
void FenPrincipale::chargerCarreauCao(const QString& nom) {
    std::vector<ElementCao> carreaux;
    const Resultat<BilanCao> lu =
        lireFichierCao(nom.toStdString(), [&carreaux](const ElementCao& e, const PrecisionCao&) {
            if (e.sorte == SorteElementCao::Carreau)
                carreaux.push_back(e);
        });
    if (!lu.ok() || carreaux.empty()) {
        const std::string raison = lu.ok() ? "aucune face de degr\xE9 au plus 2 x 2" : lu.raison;
        messageAvertissement(tr("Ouvrir un carreau"),
                             tr("Le fichier %1 ne contient pas un carreau.\n%2")
                                 .arg(nom, QString::fromLatin1(raison.c_str())));
        return;
    }
    carreauxCao = std::move(carreaux);
    fichierCao = nom;
    ignoreesCao = lu.valeur.ignorees;
    montrerCarreauCao(0);
}

void FenPrincipale::montrerCarreauCao(int rang) {
    const int n = static_cast<int>(carreauxCao.size());
    if (n == 0)
        return;
    rangCarreauCao = (rang % n + n) % n;
    const ElementCao& c = carreauxCao[static_cast<std::size_t>(rangCarreauCao)];
    montrerCarreau(fichierCao, c.reseau,
                   tr("Carreau : %1, face %2, carreau (%3, %4)")
                       .arg(QFileInfo(fichierCao).fileName())
                       .arg(c.face)
                       .arg(c.carreauU)
                       .arg(c.carreauV));
    actionCarreauCaoSuivant->setEnabled(n > 1);
    actionCarreauCaoPrecedent->setEnabled(n > 1);
    dire(tr("Carreau %1 sur %2 de %3 ouvert (%4 face(s) ignorée(s))")
             .arg(rangCarreauCao + 1)
             .arg(n)
             .arg(fichierCao)
             .arg(ignoreesCao));
}

void FenPrincipale::carreauCaoSuivant() {
    montrerCarreauCao(rangCarreauCao + 1);
}

void FenPrincipale::carreauCaoPrecedent() {
    montrerCarreauCao(rangCarreauCao - 1);
}
#endif

// Loads the seven parameters of the file nom, all or nothing: a file that
// cannot be read or is not exactly seven numbers is told to the user with
// its reason and changes nothing; a net given directly is called so and
// offered to be opened as one. Read whole, the values are applied exactly
// (the sliders show their nearest degree), the example or net shown is
// left, the view is fitted.
void FenPrincipale::chargerFichier(const QString& nom) {
    const QString titre = tr("Ouvrir un fichier");
    const Resultat<std::string> texte = lireTexte(nom);
    std::cout << std::endl;
    if (!texte.ok()) {
        messageAvertissement(
            titre, tr("Impossible de lire le fichier %1 : %2.").arg(nom, texteCoeur(texte.raison)));
        return;
    }
    const Resultat<ParametresFichier> lu = lireParametresEntiers(texte.valeur);
    if (lu.valeur.verdict == VerdictParametres::Carreau) {
        if (confirmer(titre, tr("Le fichier %1 contient un carreau donné directement (neuf points "
                                "et poids), pas sept paramètres.\nL'ouvrir comme carreau ?")
                                 .arg(nom))) {
            chargerCarreau(nom);
        }
        return;
    }
    if (!lu.ok()) {
        messageAvertissement(titre, tr("Le fichier %1 n'a pas été ouvert : %2.\nAucun paramètre "
                                       "n'a été modifié.")
                                        .arg(nom, texteCoeur(lu.raison)));
        return;
    }
    appliquerParametres(lu.valeur.valeurs, NOMBRE_PARAMETRES);
    fichierCourant = nom;
    retenirReference();
    retenirFichier(nom);
    dire(tr("Paramètres de %1 ouverts").arg(nom));
}

// Makes the seven values (file order, angles in radians) the view's,
// exactly, leaving any example or net; the fields and sliders follow; the
// view is fitted. One step of the history.
void FenPrincipale::appliquerParametres(const double valeurs[7], int nombre) {
    if (nombre < NOMBRE_PARAMETRES) {
        return;
    }
    const Regroupement etape(this, tr("Ouvrir des paramètres"));
    glWidget->appliquerEntree(entreeParametres(valeurs, glWidget->entree().plan));
    montrerSource(QString());
    parametresGroupBox->accorderChamps();
    glWidget->recadrer();
}

// Writes the seven parameters as stored in the view, in the parameter-file
// layout, under the name nom, through a temporary file and a rename (a
// device is written in place), so a failed save never damages an existing
// file. Failures are told to the user. Out: true when written.
bool FenPrincipale::ecrireParametresDans(const QString& nom, const QString& titre) {
    const double valeurs[NOMBRE_PARAMETRES] = {glWidget->getTheta00(), glWidget->getTheta02(),
                                               glWidget->getTheta20(), glWidget->getTheta22(),
                                               glWidget->getRayon(),   glWidget->getZ11(),
                                               glWidget->getP10()};
    std::ostringstream texte;
    ecrireParametres(texte, valeurs);
    const std::string octets = texte.str();
    if (!ecrireOuDire(nom, QByteArray(octets.data(), static_cast<qsizetype>(octets.size())),
                      titre)) {
        return false;
    }
    fichierCourant = nom;
    retenirReference();
    retenirFichier(nom);
    dire(tr("Paramètres enregistrés dans %1").arg(nom));
    return true;
}

// Writes octets as the file nom; a failure is told to the user under titre.
bool FenPrincipale::ecrireOuDire(const QString& nom, const QByteArray& octets,
                                 const QString& titre) {
    const Resultat<ResultatEcriture> ecrit = ecrireOctets(nom, octets);
    const QString raison = texteCoeur(ecrit.raison);
    if (ecrit.valeur == ResultatEcriture::OuvertureImpossible) {
        std::cout << "Probleme d'ouverture" << std::endl;
        messageAvertissement(
            titre, tr("Impossible d'ouvrir le fichier %1 en écriture.\n%2").arg(nom, raison));
    } else if (ecrit.valeur == ResultatEcriture::ErreurEcriture) {
        messageAvertissement(titre, tr("Erreur d'écriture : le fichier %1 n'a pas été "
                                       "enregistré.\n%2")
                                        .arg(nom, raison));
    }
    return ecrit.ok();
}

// Before a save: the fields' pending edits applied; a field that still
// holds a refused text stops the save, and the user is told which value
// it would be.
bool FenPrincipale::saisiesAppliquees(const QString& titre) {
    const QString refus = parametresGroupBox->appliquerSaisies();
    if (refus.isEmpty()) {
        return true;
    }
    messageAvertissement(titre, tr("%1\nCorrigez le champ ou reprenez sa valeur (Échap) avant "
                                   "d'enregistrer.")
                                    .arg(refus));
    return false;
}

// While a net or an example is shown the user says what to save: the
// parameters (greyed, but kept), the net shown, or nothing.
// Out: 0 the parameters, 1 the net, -1 nothing.
int FenPrincipale::objetAEnregistrer() {
    return sourceMontree.isEmpty() ? 0 : choisirEnregistrement(sourceMontree);
}

// "Enregistrer &sous..." (Ctrl+Shift+S): asks what to save when a net or
// an example is shown, then for a name (".car" added to a new name
// without extension), then writes. Out: true when written.
bool FenPrincipale::sauver() {
    const QString titre = tr("Enregistrer un fichier");
    if (!saisiesAppliquees(titre)) {
        return false;
    }
    const int objet = objetAEnregistrer();
    if (objet != 0) {
        return objet == 1 && sauverReseau();
    }
    const QString nom = nomFichierEnregistrement(titre, tr("Carreau (*.car *.bez)") +
                                                            tr(";;Tous les fichiers (*)"));
    return !nom.isEmpty() &&
           ecrireParametresDans(nomAvecExtension(nom, QStringLiteral("car")), titre);
}

// "Enregistrer" (Ctrl+S): into the parameter file opened or saved in this
// session, while it still exists; otherwise as "Enregistrer &sous...".
bool FenPrincipale::enregistrer() {
    const QString titre = tr("Enregistrer un fichier");
    if (fichierCourant.isEmpty() || !QFileInfo::exists(fichierCourant) ||
        !sourceMontree.isEmpty()) {
        return sauver();
    }
    return saisiesAppliquees(titre) && ecrireParametresDans(fichierCourant, titre);
}

// The net shown (a net file's or an example's) as nine lines "x y z w",
// under a name chosen now (".txt" added to a new name without extension).
bool FenPrincipale::sauverReseau() {
    const QString titre = tr("Enregistrer le carreau");
    const QString nom = nomFichierEnregistrement(titre, tr("Carreau donné (*.txt)") +
                                                            tr(";;Tous les fichiers (*)"));
    if (nom.isEmpty()) {
        return false;
    }
    const QString cible = nomAvecExtension(nom, QStringLiteral("txt"));
    if (!ecrireOuDire(cible, texteReseau(glWidget->getScene().Bez), titre)) {
        return false;
    }
    retenirFichier(cible);
    dire(tr("Carreau enregistré dans %1").arg(cible));
    return true;
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
    nom = nomAvecExtension(nom, QStringLiteral("png"));
    const QImage image = glWidget->imageHorsEcran(taille.width(), taille.height());
    originalPixmap = QPixmap::fromImage(image);
    if (image.isNull()) {
        messageAvertissement(titre, tr("L'image n'a pas pu être calculée (contexte OpenGL "
                                       "hors écran indisponible)."));
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
            dire(tr("Image enregistrée dans %1").arg(nom));
            return;
        }
        raison = texteCoeur(ecrit.raison);
    }
    messageAvertissement(titre,
                         tr("L'image n'a pas pu être enregistrée dans %1.\n%2").arg(nom, raison));
}

// "Exporter STEP...": the patch of the view, and when it is convertible the
// piece of cyclide and the whole cyclide, as exact rational B-spline
// surfaces in a STEP file (AP214) under the name as chosen. A failure, or a
// surface left out, is told to the user.
void FenPrincipale::exporterStepCarreau() {
    const QString titre = tr("Exporter STEP");
    QString nom = nomFichierEnregistrement(titre, tr("STEP (*.step *.stp)"));
    if (nom.isEmpty()) {
        return;
    }
    nom = nomAvecExtension(nom, QStringLiteral("step"));
    const Scene& scene = glWidget->getScene();
    std::vector<std::string> notices;
    const Resultat<void> ecrit = exporterStep(QFile::encodeName(nom).toStdString(), scene, notices);
    if (!ecrit.ok()) {
        messageAvertissement(
            titre,
            tr("Le fichier %1 n'a pas été enregistré.\n%2").arg(nom, texteCoeur(ecrit.raison)));
    } else if (!notices.empty()) {
        messageInformation(titre, texteCoeur(notices.front()));
    } else {
        dire(tr("STEP enregistré dans %1").arg(nom));
    }
}

// "Exporter OBJ...": the meshes of the patch and, when it is convertible,
// of the patch in the cyclide's frame, the piece, the whole cyclide and the
// control polyhedron, in an OBJ file under the name as chosen.
void FenPrincipale::exporterObjCarreau() {
    const QString titre = tr("Exporter OBJ");
    QString nom = nomFichierEnregistrement(titre, tr("OBJ (*.obj)"));
    if (nom.isEmpty()) {
        return;
    }
    nom = nomAvecExtension(nom, QStringLiteral("obj"));
    const Scene& scene = glWidget->getScene();
    std::vector<std::string> notices;
    const std::vector<std::string> entete = {"Cyclide de Dupin"};
    if (!exporterObj(QFile::encodeName(nom).toStdString(), scene.converti, scene.typeCyclide,
                     scene.morceau, entete, notices)) {
        messageAvertissement(titre, tr("Le fichier %1 n'a pas été enregistré.").arg(nom));
    } else if (!notices.empty()) {
        messageInformation(titre, texteCoeur(notices.front()));
    } else {
        dire(tr("OBJ enregistré dans %1").arg(nom));
    }
}
