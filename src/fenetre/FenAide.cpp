// The help boxes: "&Index" lists every command of the menus with its
// shortcut, the mouse, the three examples and the file formats;
// "&A propos..." tells the origin of the program.
#include "fenetre/FenPrincipale.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

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
            const QString touche = entree->shortcut().toString(QKeySequence::NativeText);
            liste += QStringLiteral("&nbsp;&nbsp;%1%2 : %3<br />")
                         .arg(QString(entree->text()).remove('&'),
                              touche.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(touche),
                              entree->statusTip());
        }
    }
    return liste;
}

// "&Index": what the program does, then every command and shortcut, the
// mouse, the examples and the formats of the files it reads.
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
           "aussi la possibilite d'enregistrer une image (800x800) de la fenetre openGL.") +
            tr("<br /><br /><b>Commandes</b><br />") + texteAide() +
            tr("<br /><b>Souris</b> : bouton gauche, rotation autour des axes x et y ; bouton "
               "droit, rotation autour des axes x et z ; bouton du milieu, deplacement ; "
               "molette, zoom. Un fichier depose sur la fenetre est ouvert.<br /><br />"
               "<b>Saisie</b> : un nombre decimal avec un point ou une virgule (1.25, 1,25, "
               "-3e-2), puis Entree ; un texte refuse est marque et la valeur precedente "
               "gardee.<br /><br /><b>Exemples</b> : Exemple1, un morceau de tore ; Exemple2 "
               "et Exemple3, deux carreaux de cyclides generales.<br /><br />"
               "<b>Fichiers de parametres</b> (.car, .bez) : theta00 theta02 theta20 theta22 "
               "en radians sur la premiere ligne, une ligne vide, puis rayon z11 P10.<br />"
               "<b>Carreau donne</b> : neuf lignes \"x y z w\" (point de controle et poids), "
               "dans l'ordre P00 P01 P02 P10 P11 P12 P20 P21 P22 ; '#' commence un "
               "commentaire."));
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
