#include "FenPrincipale.h"

#include "OutilsFenetre.h"
#include "PanneauAffichage.h"
#include "PanneauCyclide.h"
#include "PanneauInformations.h"
#include "PanneauParametres.h"
#include "glwidget.h"

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
    setWindowIcon(QIcon(QStringLiteral("icone.png")));
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
    void (FenPrincipale::*echos[4])(int) = {
        &FenPrincipale::setTheta00S, &FenPrincipale::setTheta02S, &FenPrincipale::setTheta20S,
        &FenPrincipale::setTheta22S};
    void (FenPrincipale::*retours[4])() = {
        &FenPrincipale::setTheta00Sb, &FenPrincipale::setTheta02Sb, &FenPrincipale::setTheta20Sb,
        &FenPrincipale::setTheta22Sb};
    void (FenPrincipale::*longueurs[3])() = {&FenPrincipale::setRayonb, &FenPrincipale::setZ11b,
                                             &FenPrincipale::setP10b};
    for (int k = 0; k < 4; ++k) {
        QSlider* curseur = parametresGroupBox->curseur(k);
        connect(curseur, &QSlider::valueChanged, this, echos[k]);
        connect(parametresGroupBox->champAngle(k), &QLineEdit::returnPressed, this, retours[k]);
        connect(curseur, &QSlider::sliderPressed, glWidget, [this] { glWidget->setApercu(true); });
        connect(curseur, &QSlider::sliderReleased, this, [this] {
            glWidget->setApercu(false);
            noter(tr("Deplacer un angle"));
        });
    }
    for (int k = 0; k < 3; ++k) {
        connect(parametresGroupBox->champLongueur(k), &QLineEdit::returnPressed, this,
                longueurs[k]);
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
    actionOuvrir = nouvelleAction("actionOuvrir", tr("&Ouvrir"), &FenPrincipale::ouvrir);
    actionOuvrir->setShortcut(QKeySequence::Open);
    actionOuvrir->setStatusTip(tr("Ouvrir un fichier de parametres (.car, .bez)"));
    actionOuvrirCarreau = nouvelleAction("actionOuvrirCarreau", tr("Ouvrir un carreau..."),
                                         &FenPrincipale::ouvrirCarreau);
    actionOuvrirCarreau->setStatusTip(tr("Ouvrir un carreau donne par ses neuf points et poids"));
    actionSauverImage =
        nouvelleAction("actionSauverImage", tr("&Enregistrer Image"), &FenPrincipale::sauverImage);
    actionSauverImage->setStatusTip(tr("Enregistrer la vue en image PNG a la taille choisie"));
    actionEnregistrer =
        nouvelleAction("actionEnregistrer", tr("Enregi&strer"), &FenPrincipale::enregistrer);
    actionEnregistrer->setShortcut(QKeySequence::Save);
    actionEnregistrer->setStatusTip(tr("Enregistrer les parametres dans le fichier courant"));
    actionSauver =
        nouvelleAction("actionSauver", tr("Enregistrer &sous..."), &FenPrincipale::sauver);
    actionSauver->setShortcut(QKeySequence::SaveAs);
    actionSauver->setStatusTip(tr("Enregistrer les parametres dans un nouveau fichier"));
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
    actionCopier = nouvelleAction("actionCopier", tr("&Copier les resultats"),
                                  &FenPrincipale::copierResultats);
    actionCopier->setShortcut(QKeySequence(tr("Ctrl+Shift+C")));
    actionCopier->setStatusTip(tr("Copier le panneau Cyclide en texte"));
    actionCopierJson = nouvelleAction("actionCopierJson", tr("Copier les resultats en &JSON"),
                                      &FenPrincipale::copierJson);
    actionCopierJson->setShortcut(QKeySequence(tr("Ctrl+Shift+J")));
    actionCopierJson->setStatusTip(tr("Copier l'objet JSON de cyclide-conv --json"));

    actionChoixY = nouvelleAction("actionChoixY", tr("Plan Py"), &FenPrincipale::choixY);
    actionChoixY->setCheckable(true);
    actionChoixY->setChecked(false);
    actionChoixY->setStatusTip(tr("Construire le repere de la cyclide sur le plan Py"));
    actionChoixZ = nouvelleAction("actionChoixZ", tr("Plan Pz"), &FenPrincipale::choixZ);
    actionChoixZ->setCheckable(true);
    actionChoixZ->setChecked(true);
    actionChoixZ->setStatusTip(tr("Construire le repere de la cyclide sur le plan Pz"));

    actionModeAffichage =
        nouvelleAction("actionModeAffichage", tr("&Affichage"), &FenPrincipale::modeAffichage);
    actionModeAffichage->setShortcut(QKeySequence(tr("p")));
    actionModeAffichage->setStatusTip(tr("Faces pleines, aretes, points"));
    actionResetProg =
        nouvelleAction("actionResetProg", tr("&Remise a zero"), &FenPrincipale::resetProg);
    actionResetProg->setShortcut(QKeySequence(tr("Ctrl+R")));
    actionResetProg->setStatusTip(tr("Revenir a l'etat de depart (annulable)"));
}

// Examples and help.
void FenPrincipale::createAutresActions() {
    actionExemple1 = nouvelleAction("actionExemple1", tr("Exemple1"), &FenPrincipale::exemple1);
    actionExemple1->setStatusTip(tr("Un morceau de tore"));
    actionExemple2 = nouvelleAction("actionExemple2", tr("Exemple2"), &FenPrincipale::exemple2);
    actionExemple2->setStatusTip(tr("Un carreau d'une cyclide generale"));
    actionExemple3 = nouvelleAction("actionExemple3", tr("Exemple3"), &FenPrincipale::exemple3);
    actionExemple3->setStatusTip(tr("Un autre carreau d'une cyclide generale"));
    actionIndex = nouvelleAction("actionIndex", tr("&Index"), &FenPrincipale::index);
    actionIndex->setShortcut(QKeySequence::HelpContents);
    actionIndex->setStatusTip(tr("Les commandes, les raccourcis et le format des fichiers"));
    actionApropos = nouvelleAction("actionApropos", tr("&A propos..."), &FenPrincipale::aPropos);
    actionApropos->setStatusTip(tr("L'origine du programme"));
}

// The view commands: shading (checkable, off), projection, fitting and the
// three preset views, each with a key of its own.
void FenPrincipale::createVueActions() {
    actionOmbrage = new QAction(tr("&Ombrage"), this);
    actionOmbrage->setObjectName(QStringLiteral("actionOmbrage"));
    actionOmbrage->setCheckable(true);
    actionOmbrage->setShortcut(QKeySequence(tr("o")));
    actionOmbrage->setStatusTip(tr("Carreaux ombres ou a plat"));
    connect(actionOmbrage, &QAction::toggled, this, &FenPrincipale::ombrage);
    actionOrthographique = new QAction(tr("Vue ortho&graphique"), this);
    actionOrthographique->setObjectName(QStringLiteral("actionOrthographique"));
    actionOrthographique->setCheckable(true);
    actionOrthographique->setShortcut(QKeySequence(tr("5")));
    actionOrthographique->setStatusTip(tr("Projection orthographique ou en perspective"));
    connect(actionOrthographique, &QAction::toggled, this, &FenPrincipale::orthographique);
    actionAxes = new QAction(tr("A&xes"), this);
    actionAxes->setObjectName(QStringLiteral("actionAxes"));
    actionAxes->setCheckable(true);
    actionAxes->setShortcut(QKeySequence(tr("a")));
    actionAxes->setStatusTip(tr("Les axes x, y, z du monde dans le coin de la vue"));
    connect(actionAxes, &QAction::toggled, glWidget, &GLWidget::setAxes);
    actionAxes->setChecked(true);

    actionRecadrer = nouvelleAction("actionRecadrer", tr("Re&cadrer"), &FenPrincipale::recadrer);
    actionRecadrer->setShortcut(QKeySequence(tr("c")));
    actionRecadrer->setStatusTip(tr("Faire tenir les dessins montres dans la vue"));
    actionVueDessus =
        nouvelleAction("actionVueDessus", tr("Vue de &dessus"), &FenPrincipale::vueDessus);
    actionVueDessus->setShortcut(QKeySequence(tr("1")));
    actionVueDessus->setStatusTip(tr("Regarder le long de l'axe z"));
    actionVueFace = nouvelleAction("actionVueFace", tr("Vue de &face"), &FenPrincipale::vueFace);
    actionVueFace->setShortcut(QKeySequence(tr("2")));
    actionVueFace->setStatusTip(tr("L'axe z vers le haut"));
    actionVueCote = nouvelleAction("actionVueCote", tr("Vue de c&ote"), &FenPrincipale::vueCote);
    actionVueCote->setShortcut(QKeySequence(tr("3")));
    actionVueCote->setStatusTip(tr("L'axe x vers l'observateur"));
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
