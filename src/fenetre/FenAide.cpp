// The help boxes: "&Index" lists every command of the menus with its
// shortcut, the mouse, the three examples and the file formats;
// "&A propos..." tells the origin of the program.
#include "fenetre/FenPrincipale.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

// Every entry of every menu (submenus left out), with its key and tip.
QString FenPrincipale::texteAide() const {
    QString liste;
    for (QAction* titre : menuBar()->actions()) {
        QMenu* menu = titre->menu();
        if (menu == nullptr) {
            continue;
        }
        liste += QStringLiteral("<b>%1</b><br />").arg(QString(menu->title()).remove('&'));
        for (QAction* entree : menu->actions()) {
            if (entree->isSeparator() || entree->menu() != nullptr) {
                continue;
            }
            QStringList touches;
            for (const QKeySequence& t : entree->shortcuts()) {
                touches << t.toString(QKeySequence::NativeText);
            }
            QString nom = entree->property("nomAide").toString();
            liste += QStringLiteral("&nbsp;&nbsp;%1%2 : %3<br />")
                         .arg((nom.isEmpty() ? entree->text() : nom).remove(QLatin1Char('&')),
                              touches.isEmpty()
                                  ? QString()
                                  : QStringLiteral(" (%1)").arg(touches.join(QStringLiteral(", "))),
                              entree->statusTip());
        }
    }
    return liste;
}

// "&Index": what the program does, then every command and shortcut, the
// mouse, the examples and the formats of the files it reads.
void FenPrincipale::index() {
    messageAide(
        tr("Index"),
        tr("Ce programme permet de convertir des carreaux de Bezier en cyclide de Dupin. "
           "L'utilisateur a la possibilite de changer les parametres theta00, theta02, "
           "theta20, theta22, le rayon de depart, la valeur de la cote du point P11, et puis "
           "une valeur pour P10.<br />Il a aussi la possibilite d'afficher le carreau dans la "
           "base canonique ou dans la base de la cyclide, d'afficher la cyclide apres "
           "conversion...<br /><br />L'application propose aussi l'ouverture d'un fichier "
           "contenant un carreau a convertir, mais aussi l'enregistrement de celui-ci. Il y a "
           "aussi la possibilite d'enregistrer une image (800x800) de la fenetre openGL.") +
            tr("<br /><br /><b>Commandes</b><br />") + texteAide() +
            tr("<br /><b>Souris et clavier</b> : bouton gauche, rotation autour des axes x et y "
               "; bouton droit, rotation autour des axes x et z ; bouton du milieu, "
               "déplacement ; molette, zoom autour du pointeur. Dans la vue, les flèches "
               "tournent la vue et + et − zooment. Un fichier déposé sur la fenêtre est "
               "ouvert.<br /><br /><b>Saisie</b> : un nombre décimal avec un point ou une "
               "virgule (1.25, 1,25, -3e-2), appliqué par Entrée, Tab ou un clic ailleurs ; un "
               "texte refusé reste marqué, son info-bulle donne la valeur en usage, Échap la "
               "reprend.<br /><br /><b>Exemples</b> : %1, un morceau de tore ; %2 et %3, deux "
               "carreaux de cyclides générales.<br /><br /><b>Fichiers de paramètres</b> "
               "(.car, .bez) : exactement sept nombres, theta00 theta02 theta20 theta22 en "
               "radians sur la première ligne, une ligne vide, puis rayon z11 P10 ; tout autre "
               "contenu est refusé avec sa raison. Un carreau ouvert comme paramètres est "
               "reconnu et peut être ouvert comme carreau.<br /><br /><b>Carreau donné</b> "
               "(« Ouvrir un carreau... ») : neuf lignes « x y z w » (point de contrôle et "
               "poids) dans l'ordre P00 P01 P02 P10 P11 P12 P20 P21 P22, « # » commençant un "
               "commentaire ; ou les mêmes 36 nombres sur une ligne ; ou un objet JSON "
               "{\"net\": [[x, y, z, w], ...]} de neuf points. Les fichiers STEP (.step, "
               ".stp) et IGES (.iges, .igs) donnent leur premier carreau de Bézier de degré au "
               "plus 2 × 2 ; cyclide-conv --carreau les liste tous.<br /><br />"
               "<b>Enregistrement</b> : « .car » est ajouté à un nom sans extension (« .png », "
               "« .step », « .obj » pour les exports). Quand un carreau ou un exemple est "
               "montré, Enregistrer demande quoi enregistrer : les paramètres ou le carreau "
               "(neuf lignes « x y z w »).")
                .arg(nomExemple(1), nomExemple(2), nomExemple(3)));
}

// "&A propos...": origin, purpose and credits.
void FenPrincipale::aPropos() {
    messageInformation(tr("A propos..."),
                       tr("Ce programme est issu d'un projet de modélisation géométrique.<br>"
                          "Il permet la convertion d'un carreau de Bezier en cyclide de Dupin.<br>"
                          "<br>"
                          "Remerciements :<br>"
                          "à tous les contributeurs du projet."));
}
