#include "fenetre/FenPrincipale.h"

#include "fenetre/OutilsFenetre.h"
#include "fenetre/PanneauAffichage.h"
#include "fenetre/PanneauCyclide.h"
#include "fenetre/PanneauInformations.h"
#include "fenetre/PanneauParametres.h"
#include "fenetre/glwidget.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTranslator>
#include <QUndoStack>
#include <QVBoxLayout>

using namespace cyclide;

namespace {

// Gives action its key, then its status tip; gives it back.
QAction* decrire(QAction* action, const QKeySequence& touche, const QString& bulle) {
    action->setShortcut(touche);
    action->setStatusTip(bulle);
    return action;
}

// An unchecked checkable action of parent, its object name (which the tests
// find it by), text, key and status tip.
QAction* actionCochable(QObject* parent, const char* nom, const QString& texte,
                        const QString& touche, const QString& bulle) {
    QAction* action = new QAction(texte, parent);
    action->setObjectName(QString::fromLatin1(nom));
    action->setCheckable(true);
    return decrire(action, QKeySequence(touche), bulle);
}

} // namespace

// The toolkit's French catalogue from the toolkit's translation directory;
// the translator lives as long as the application.
bool installerTraductionQt() {
    QTranslator* traduction = new QTranslator(qApp);
    if (!traduction->load(QStringLiteral("qtbase_fr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduction;
        return false;
    }
    return QCoreApplication::installTranslator(traduction);
}

// Builds the window: title, icon, geometry, the view (with a first rebuild),
// the panels, the information label, the actions and menus, the layout, the
// status bar, and finally the table and message from the view's scene; the
// history starts from that state.
FenPrincipale::FenPrincipale() : QMainWindow(), originalPixmap() {
    setWindowTitle(tr("Cyclide de Dupin"));
    setWindowIcon(QIcon(QStringLiteral(":/icone.png")));
    setGeometry(50, 50, 700, 500);
    setAcceptDrops(true);
    pile = new QUndoStack(this);
    ++suspendu; // the history starts once the window is built

    createOpenGL();
    createPanneaux();

    informations = new EtiquetteElidee;
    informations->setObjectName(QStringLiteral("informations"));
    informations->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    informations->setTexte(tr("Cyclide de Dupin"));

    createActions();
    createMenus();
    disposer();
    relierHistorique();
    statusBar()->showMessage(tr("Pret"));
    pointMiseAJour();
    etatNote = etatActuel();
    --suspendu;
}

// --- Dialog hooks -----------------------------------------------------------

QString FenPrincipale::nomFichierOuverture(const QString& titre, const QString& filtre) {
    return QFileDialog::getOpenFileName(this, titre, dossierDepart(), filtre);
}

QString FenPrincipale::nomFichierEnregistrement(const QString& titre, const QString& filtre) {
    return QFileDialog::getSaveFileName(this, titre, dossierDepart(), filtre);
}

void FenPrincipale::messageInformation(const QString& titre, const QString& texte) {
    QMessageBox::information(this, titre, texte);
}

void FenPrincipale::messageAvertissement(const QString& titre, const QString& texte) {
    QMessageBox::warning(this, titre, texte);
}

// A small dialog with the width and the height in pixels.
QSize FenPrincipale::tailleImage(const QSize& defaut) {
    QDialog dialogue(this);
    dialogue.setWindowTitle(tr("Taille de l'image"));
    QSpinBox* largeur = new QSpinBox;
    QSpinBox* hauteur = new QSpinBox;
    for (QSpinBox* boite : {largeur, hauteur}) {
        boite->setRange(16, 8192);
        boite->setSuffix(tr(" px"));
    }
    largeur->setValue(defaut.width());
    hauteur->setValue(defaut.height());
    QDialogButtonBox* boutons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(boutons, &QDialogButtonBox::accepted, &dialogue, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, &dialogue, &QDialog::reject);
    QFormLayout* forme = new QFormLayout(&dialogue);
    forme->addRow(tr("Largeur"), largeur);
    forme->addRow(tr("Hauteur"), hauteur);
    forme->addRow(boutons);
    if (dialogue.exec() != QDialog::Accepted) {
        return QSize();
    }
    return QSize(largeur->value(), hauteur->value());
}

// --- Construction -------------------------------------------------------------

// The central widget, the view with its first rebuild (so that the patches
// and the conversion exist before a panel reads them) and the scroll area
// that the view always fills.
void FenPrincipale::createOpenGL() {
    centralWidget = new QWidget;
    setCentralWidget(centralWidget);

    glWidget = new GLWidget;
    glWidget->setObjectName(QStringLiteral("glWidget"));
    glWidget->setToolTip(tr("Bouton gauche : rotation x, y ; bouton droit : rotation x, z ; "
                            "bouton du milieu : deplacement ; molette : zoom"));
    glWidget->initProjet();

    glWidgetArea = new QScrollArea;
    glWidgetArea->setWidget(glWidget);
    glWidgetArea->setWidgetResizable(true);
    glWidgetArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    glWidgetArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    glWidgetArea->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    glWidgetArea->setMinimumSize(400, 400);
}

// The four panels, each wired to the view: the table and the results are
// refreshed by the view's miseAJour(), the parameters go both ways.
void FenPrincipale::createPanneaux() {
    infoGroupBox = new PanneauInformations;
    connect(glWidget, &GLWidget::miseAJour, this, &FenPrincipale::pointMiseAJour);
    parametresGroupBox = new PanneauParametres(glWidget);
    relierParametres();
    affichageGroupBox = new PanneauAffichage(glWidget);
    cyclideGroupBox = new PanneauCyclide;
}

// Each slider's valueChanged reaches the view first (connected by the
// panel), then the window's echo; each field's Return the window's slot.
// While a slider is held the view draws coarser previews; its release
// draws the full lists and records the move.
void FenPrincipale::relierParametres() {
    PanneauParametres* panneau = parametresGroupBox;
    for (int k = 0; k < 4; ++k) {
        QSlider* curseur = panneau->curseur(k);
        connect(curseur, &QSlider::valueChanged, this,
                [panneau, k](int t) { panneau->echoCurseur(k, t); });
        connect(panneau->champAngle(k), &QLineEdit::returnPressed, this,
                [panneau, k] { panneau->retourChampAngle(k); });
        connect(curseur, &QSlider::sliderPressed, glWidget, [this] { glWidget->setApercu(true); });
        connect(curseur, &QSlider::sliderReleased, this, [this] {
            glWidget->setApercu(false);
            noter(tr("Deplacer un angle"));
        });
    }
    for (int k = 0; k < 3; ++k) {
        connect(panneau->champLongueur(k), &QLineEdit::returnPressed, this,
                [panneau, k] { panneau->retourChampLongueur(k); });
    }
    connect(parametresGroupBox, &PanneauParametres::refus, this,
            [this](const QString& message) { dire(message); });
    connect(parametresGroupBox, &PanneauParametres::reprendre, this,
            &FenPrincipale::reprendreParametres);
}

// The view above the information label on the left (stretch 2); on the
// right (stretch 1) the parameters, the display switches, then the table
// beside the results.
void FenPrincipale::disposer() {
    QVBoxLayout* infosLayout = new QVBoxLayout;
    infosLayout->addWidget(parametresGroupBox);
    infosLayout->addWidget(affichageGroupBox);
    QHBoxLayout* resultatsLayout = new QHBoxLayout;
    resultatsLayout->addWidget(infoGroupBox);
    resultatsLayout->addWidget(cyclideGroupBox, 1);
    infosLayout->addLayout(resultatsLayout);
    infosLayout->addStretch(1);

    QHBoxLayout* centralLayout = new QHBoxLayout;
    QVBoxLayout* gauche = new QVBoxLayout;
    gauche->addWidget(glWidgetArea);
    gauche->addWidget(informations);
    centralLayout->addLayout(gauche, 2);
    centralLayout->addLayout(infosLayout, 1);
    centralWidget->setLayout(centralLayout);
}

// One action with the window as parent, its object name, its text
// (already through tr), its triggered() going to slot.
QAction* FenPrincipale::nouvelleAction(const char* nom, const QString& texte,
                                       void (FenPrincipale::*slot)()) {
    QAction* action = new QAction(texte, this);
    action->setObjectName(QString::fromLatin1(nom));
    connect(action, &QAction::triggered, this, slot);
    return action;
}

// The commands, in menu order, with their shortcuts and tips.
void FenPrincipale::createActions() {
    createFichierActions();
    createEditionActions();
    createVueActions();
    createAutresActions();
}

// The file commands: open, save (Ctrl+S), save as (Ctrl+Shift+S), exports,
// quit (Ctrl+Q).
void FenPrincipale::createFichierActions() {
    actionOuvrir = decrire(nouvelleAction("actionOuvrir", tr("&Ouvrir"), &FenPrincipale::ouvrir),
                           QKeySequence::Open, tr("Ouvrir un fichier de parametres (.car, .bez)"));
    actionOuvrirCarreau = nouvelleAction("actionOuvrirCarreau", tr("Ouvrir un carreau..."),
                                         &FenPrincipale::ouvrirCarreau);
    actionOuvrirCarreau->setStatusTip(tr("Ouvrir un carreau donne par ses neuf points et poids"));
    actionSauverImage =
        nouvelleAction("actionSauverImage", tr("&Enregistrer Image"), &FenPrincipale::sauverImage);
    actionSauverImage->setStatusTip(tr("Enregistrer la vue en image PNG a la taille choisie"));
    actionEnregistrer = decrire(
        nouvelleAction("actionEnregistrer", tr("Enregi&strer"), &FenPrincipale::enregistrer),
        QKeySequence::Save, tr("Enregistrer les parametres dans le fichier courant"));
    actionSauver =
        decrire(nouvelleAction("actionSauver", tr("Enregistrer &sous..."), &FenPrincipale::sauver),
                QKeySequence::SaveAs, tr("Enregistrer les parametres dans un nouveau fichier"));
    actionExporterStep = nouvelleAction("actionExporterStep", tr("Exporter STEP..."),
                                        &FenPrincipale::exporterStepCarreau);
    actionExporterStep->setStatusTip(tr("Exporter le carreau et sa cyclide en STEP (CAO)"));
    actionExporterObj = nouvelleAction("actionExporterObj", tr("Exporter OBJ..."),
                                       &FenPrincipale::exporterObjCarreau);
    actionExporterObj->setStatusTip(
        tr("Exporter les maillages du carreau et de sa cyclide en OBJ"));

    actionQuitter = new QAction(tr("&Quitter"), this);
    actionQuitter->setObjectName(QStringLiteral("actionQuitter"));
    actionQuitter->setShortcut(QKeySequence::Quit);
    actionQuitter->setStatusTip(tr("Quitter le programme"));
    connect(actionQuitter, &QAction::triggered, this, &QWidget::close);
}

// The edit commands: undo, redo, copies, display mode, planes, reset.
void FenPrincipale::createEditionActions() {
    actionAnnuler = pile->createUndoAction(this, tr("&Annuler"));
    actionAnnuler->setObjectName(QStringLiteral("actionAnnuler"));
    actionAnnuler->setShortcut(QKeySequence::Undo);
    actionRefaire = pile->createRedoAction(this, tr("Re&faire"));
    actionRefaire->setObjectName(QStringLiteral("actionRefaire"));
    actionRefaire->setShortcut(QKeySequence(tr("Ctrl+Shift+Z")));
    actionCopier =
        decrire(nouvelleAction("actionCopier", tr("&Copier les resultats"),
                               &FenPrincipale::copierResultats),
                QKeySequence(tr("Ctrl+Shift+C")), tr("Copier le panneau Cyclide en texte"));
    actionCopierJson =
        decrire(nouvelleAction("actionCopierJson", tr("Copier les resultats en &JSON"),
                               &FenPrincipale::copierJson),
                QKeySequence(tr("Ctrl+Shift+J")), tr("Copier l'objet JSON de cyclide-conv --json"));

    actionChoixY = nouvelleAction("actionChoixY", tr("Plan Py"), &FenPrincipale::choixY);
    actionChoixY->setCheckable(true);
    actionChoixY->setChecked(false);
    actionChoixY->setStatusTip(tr("Construire le repere de la cyclide sur le plan Py"));
    actionChoixZ = nouvelleAction("actionChoixZ", tr("Plan Pz"), &FenPrincipale::choixZ);
    actionChoixZ->setCheckable(true);
    actionChoixZ->setChecked(true);
    actionChoixZ->setStatusTip(tr("Construire le repere de la cyclide sur le plan Pz"));

    actionModeAffichage = decrire(
        nouvelleAction("actionModeAffichage", tr("&Affichage"), &FenPrincipale::modeAffichage),
        QKeySequence(tr("p")), tr("Faces pleines, aretes, points"));
    actionResetProg =
        decrire(nouvelleAction("actionResetProg", tr("&Remise a zero"), &FenPrincipale::resetProg),
                QKeySequence(tr("Ctrl+R")), tr("Revenir a l'etat de depart (annulable)"));
}

// Examples and help.
void FenPrincipale::createAutresActions() {
    QAction** exemples[3] = {&actionExemple1, &actionExemple2, &actionExemple3};
    const QString bulles[3] = {tr("Un morceau de tore"), tr("Un carreau d'une cyclide generale"),
                               tr("Un autre carreau d'une cyclide generale")};
    for (int n = 1; n <= 3; ++n) {
        QAction* action = new QAction(tr("Exemple%1").arg(n), this);
        action->setObjectName(QStringLiteral("actionExemple%1").arg(n));
        action->setStatusTip(bulles[n - 1]);
        connect(action, &QAction::triggered, this, [this, n] { afficherExemple(n); });
        *exemples[n - 1] = action;
    }
    actionIndex = decrire(nouvelleAction("actionIndex", tr("&Index"), &FenPrincipale::index),
                          QKeySequence::HelpContents,
                          tr("Les commandes, les raccourcis et le format des fichiers"));
    actionApropos = nouvelleAction("actionApropos", tr("&A propos..."), &FenPrincipale::aPropos);
    actionApropos->setStatusTip(tr("L'origine du programme"));
}

// The view commands: shading (checkable, off), projection, fitting and the
// three preset views, each with a key of its own.
void FenPrincipale::createVueActions() {
    actionOmbrage = actionCochable(this, "actionOmbrage", tr("&Ombrage"), tr("o"),
                                   tr("Carreaux ombres ou a plat"));
    connect(actionOmbrage, &QAction::toggled, this, &FenPrincipale::ombrage);
    actionOrthographique =
        actionCochable(this, "actionOrthographique", tr("Vue ortho&graphique"), tr("5"),
                       tr("Projection orthographique ou en perspective"));
    connect(actionOrthographique, &QAction::toggled, this, &FenPrincipale::orthographique);
    actionAxes = actionCochable(this, "actionAxes", tr("A&xes"), tr("a"),
                                tr("Les axes x, y, z du monde dans le coin de la vue"));
    connect(actionAxes, &QAction::toggled, glWidget, &GLWidget::setAxes);
    actionAxes->setChecked(true);

    actionRecadrer =
        decrire(nouvelleAction("actionRecadrer", tr("Re&cadrer"), &FenPrincipale::recadrer),
                QKeySequence(tr("c")), tr("Faire tenir les dessins montres dans la vue"));
    // The three preset views, on the keys 1, 2 and 3.
    QAction** vues[3] = {&actionVueDessus, &actionVueFace, &actionVueCote};
    const char* noms[3] = {"actionVueDessus", "actionVueFace", "actionVueCote"};
    const QString textes[3] = {tr("Vue de &dessus"), tr("Vue de &face"), tr("Vue de c&ote")};
    void (FenPrincipale::*regards[3])() = {&FenPrincipale::vueDessus, &FenPrincipale::vueFace,
                                           &FenPrincipale::vueCote};
    const QString bulles[3] = {tr("Regarder le long de l'axe z"), tr("L'axe z vers le haut"),
                               tr("L'axe x vers l'observateur")};
    for (int k = 0; k < 3; ++k)
        *vues[k] = decrire(nouvelleAction(noms[k], textes[k], regards[k]),
                           QKeySequence(QString::number(k + 1)), bulles[k]);
}

// The menus of the menu bar with their entries and separators.
void FenPrincipale::createMenus() {
    createMenuFichier();
    menuEdition = menuBar()->addMenu(tr("&Edition"));
    menuEdition->addAction(actionAnnuler);
    menuEdition->addAction(actionRefaire);
    menuEdition->addSeparator();
    menuEdition->addAction(actionCopier);
    menuEdition->addAction(actionCopierJson);
    menuEdition->addSeparator();
    menuEdition->addAction(actionModeAffichage);
    menuEdition->addSeparator();
    menuEdition->addAction(actionChoixY);
    menuEdition->addAction(actionChoixZ);
    menuEdition->addSeparator();
    menuEdition->addAction(actionResetProg);

    menuVue = menuBar()->addMenu(tr("&Vue"));
    menuVue->addAction(actionOmbrage);
    menuVue->addAction(actionOrthographique);
    menuVue->addAction(actionAxes);
    menuVue->addSeparator();
    menuVue->addAction(actionRecadrer);
    menuVue->addSeparator();
    menuVue->addAction(actionVueDessus);
    menuVue->addAction(actionVueFace);
    menuVue->addAction(actionVueCote);

    menuExemples = menuBar()->addMenu(tr("E&xemples"));
    menuExemples->addAction(actionExemple1);
    menuExemples->addAction(actionExemple2);
    menuExemples->addAction(actionExemple3);

    menuAide = menuBar()->addMenu(tr("&Aide"));
    menuAide->addAction(actionIndex);
    menuAide->addSeparator();
    menuAide->addAction(actionApropos);
}

void FenPrincipale::createMenuFichier() {
    menuFichier = menuBar()->addMenu(tr("&Fichier"));
    menuFichier->addAction(actionOuvrir);
    menuFichier->addAction(actionOuvrirCarreau);
    menuRecents = menuFichier->addMenu(tr("Fichiers &recents"));
    menuRecents->setObjectName(QStringLiteral("menuRecents"));
    createMenuRecents();
    menuFichier->addSeparator();
    menuFichier->addAction(actionSauverImage);
    menuFichier->addAction(actionEnregistrer);
    menuFichier->addAction(actionSauver);
    menuFichier->addAction(actionExporterStep);
    menuFichier->addAction(actionExporterObj);
    menuFichier->addSeparator();
    menuFichier->addAction(actionQuitter);
}
