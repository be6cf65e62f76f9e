#include "FenPrincipale.h"

#include "Messages.h"
#include "PanneauAffichage.h"
#include "PanneauCyclide.h"
#include "PanneauInformations.h"
#include "PanneauParametres.h"
#include "Scene.h"
#include "glwidget.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QSlider>
#include <QTranslator>
#include <QVBoxLayout>

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
// the panels, the information label, the actions and menus, the layout, and
// finally the table and message from the view's scene.
FenPrincipale::FenPrincipale() : QMainWindow(), originalPixmap() {
    setWindowTitle(tr("Cyclide de Dupin"));
    setWindowIcon(QIcon(QStringLiteral("icone.png")));
    setGeometry(50, 50, 700, 500);

    createOpenGL();
    createPanneaux();

    informations = new QLabel(tr("Cyclide de Dupin"));
    informations->setObjectName(QStringLiteral("informations"));
    informations->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    informations->setMaximumHeight(20);

    createActions();
    createMenus();
    disposer();
    pointMiseAJour();
}

// --- Dialog hooks -----------------------------------------------------------

QString FenPrincipale::nomFichierOuverture(const QString& titre, const QString& filtre) {
    return QFileDialog::getOpenFileName(this, titre, QString(), filtre);
}

QString FenPrincipale::nomFichierEnregistrement(const QString& titre, const QString& filtre) {
    return QFileDialog::getSaveFileName(this, titre, QString(), filtre);
}

void FenPrincipale::messageInformation(const QString& titre, const QString& texte) {
    QMessageBox::information(this, titre, texte);
}

void FenPrincipale::messageAvertissement(const QString& titre, const QString& texte) {
    QMessageBox::warning(this, titre, texte);
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
        connect(parametresGroupBox->curseur(k), &QSlider::valueChanged, this, echos[k]);
        connect(parametresGroupBox->champAngle(k), &QLineEdit::returnPressed, this, retours[k]);
    }
    for (int k = 0; k < 3; ++k) {
        connect(parametresGroupBox->champLongueur(k), &QLineEdit::returnPressed, this,
                longueurs[k]);
    }
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
    resultatsLayout->addWidget(cyclideGroupBox);
    infosLayout->addLayout(resultatsLayout);

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

// The commands, in menu order, with their shortcuts; "Plan Pz" starts
// checked and "Plan Py" unchecked.
void FenPrincipale::createActions() {
    actionOuvrir = nouvelleAction("actionOuvrir", tr("&Ouvrir"), &FenPrincipale::ouvrir);
    actionOuvrir->setShortcut(QKeySequence::Open);
    actionOuvrirCarreau = nouvelleAction("actionOuvrirCarreau", tr("Ouvrir un carreau..."),
                                         &FenPrincipale::ouvrirCarreau);
    actionSauverImage =
        nouvelleAction("actionSauverImage", tr("&Enregistrer Image"), &FenPrincipale::sauverImage);
    actionSauver =
        nouvelleAction("actionSauver", tr("Enregistrer &sous..."), &FenPrincipale::sauver);
    actionSauver->setShortcut(QKeySequence::Save);
    actionExporterStep = nouvelleAction("actionExporterStep", tr("Exporter STEP..."),
                                        &FenPrincipale::exporterStepCarreau);

    actionQuitter = new QAction(tr("&Quitter"), this);
    actionQuitter->setObjectName(QStringLiteral("actionQuitter"));
    actionQuitter->setShortcut(QKeySequence::Close);
    connect(actionQuitter, &QAction::triggered, qApp, &QCoreApplication::quit);

    actionChoixY = nouvelleAction("actionChoixY", tr("Plan Py"), &FenPrincipale::choixY);
    actionChoixY->setCheckable(true);
    actionChoixY->setChecked(false);
    actionChoixZ = nouvelleAction("actionChoixZ", tr("Plan Pz"), &FenPrincipale::choixZ);
    actionChoixZ->setCheckable(true);
    actionChoixZ->setChecked(true);

    actionModeAffichage =
        nouvelleAction("actionModeAffichage", tr("&Affichage"), &FenPrincipale::modeAffichage);
    actionModeAffichage->setShortcut(QKeySequence(tr("p")));
    actionResetProg =
        nouvelleAction("actionResetProg", tr("&Remise a zero"), &FenPrincipale::resetProg);
    actionResetProg->setShortcut(QKeySequence(tr("r")));

    actionExemple1 = nouvelleAction("actionExemple1", tr("Exemple1"), &FenPrincipale::exemple1);
    actionExemple2 = nouvelleAction("actionExemple2", tr("Exemple2"), &FenPrincipale::exemple2);
    actionExemple3 = nouvelleAction("actionExemple3", tr("Exemple3"), &FenPrincipale::exemple3);

    actionIndex = nouvelleAction("actionIndex", tr("&Index"), &FenPrincipale::index);
    actionIndex->setShortcut(QKeySequence::HelpContents);
    actionApropos = nouvelleAction("actionApropos", tr("&A propos..."), &FenPrincipale::aPropos);
    createVueActions();
}

// The view commands: shading (checkable, off), fitting and the three
// preset views, each with a key of its own.
void FenPrincipale::createVueActions() {
    actionOmbrage = new QAction(tr("&Ombrage"), this);
    actionOmbrage->setObjectName(QStringLiteral("actionOmbrage"));
    actionOmbrage->setCheckable(true);
    actionOmbrage->setShortcut(QKeySequence(tr("o")));
    connect(actionOmbrage, &QAction::toggled, this, &FenPrincipale::ombrage);

    actionRecadrer = nouvelleAction("actionRecadrer", tr("Re&cadrer"), &FenPrincipale::recadrer);
    actionRecadrer->setShortcut(QKeySequence(tr("c")));
    actionVueDessus =
        nouvelleAction("actionVueDessus", tr("Vue de &dessus"), &FenPrincipale::vueDessus);
    actionVueDessus->setShortcut(QKeySequence(tr("1")));
    actionVueFace = nouvelleAction("actionVueFace", tr("Vue de &face"), &FenPrincipale::vueFace);
    actionVueFace->setShortcut(QKeySequence(tr("2")));
    actionVueCote = nouvelleAction("actionVueCote", tr("Vue de c&ote"), &FenPrincipale::vueCote);
    actionVueCote->setShortcut(QKeySequence(tr("3")));
}

// The menus of the menu bar with their entries and separators.
void FenPrincipale::createMenus() {
    menuFichier = menuBar()->addMenu(tr("&Fichier"));
    menuFichier->addAction(actionOuvrir);
    menuFichier->addAction(actionOuvrirCarreau);
    menuFichier->addSeparator();
    menuFichier->addAction(actionSauverImage);
    menuFichier->addAction(actionSauver);
    menuFichier->addAction(actionExporterStep);
    menuFichier->addSeparator();
    menuFichier->addAction(actionQuitter);

    menuEdition = menuBar()->addMenu(tr("&Edition"));
    menuEdition->addAction(actionModeAffichage);
    menuEdition->addSeparator();
    menuEdition->addAction(actionChoixY);
    menuEdition->addAction(actionChoixZ);
    menuEdition->addSeparator();
    menuEdition->addAction(actionResetProg);

    menuVue = menuBar()->addMenu(tr("&Vue"));
    menuVue->addAction(actionOmbrage);
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

// --- Refresh --------------------------------------------------------------------

// The table from Bez, the label with the message of the cyclide type (and
// the reason of a refusal), the results panel from the scene.
void FenPrincipale::pointMiseAJour() {
    infoGroupBox->remplir(glWidget->getScene().Bez);
    QString message = tr(messageCyclide(glWidget->typeCyclide));
    const std::string& raison = glWidget->getScene().raison;
    if (glWidget->typeCyclide == 0 && !raison.empty()) {
        message += QStringLiteral(" : ") + QString::fromLatin1(raison.c_str());
    }
    informations->setText(message);
    cyclideGroupBox->remplir(glWidget->getScene());
}

// --- Parameter slots ----------------------------------------------------------

void FenPrincipale::setTheta00S(int t) {
    parametresGroupBox->echoCurseur(0, t);
}

void FenPrincipale::setTheta02S(int t) {
    parametresGroupBox->echoCurseur(1, t);
}

void FenPrincipale::setTheta20S(int t) {
    parametresGroupBox->echoCurseur(2, t);
}

void FenPrincipale::setTheta22S(int t) {
    parametresGroupBox->echoCurseur(3, t);
}

void FenPrincipale::setTheta00Sb() {
    parametresGroupBox->retourChampAngle(0);
}

void FenPrincipale::setTheta02Sb() {
    parametresGroupBox->retourChampAngle(1);
}

void FenPrincipale::setTheta20Sb() {
    parametresGroupBox->retourChampAngle(2);
}

void FenPrincipale::setTheta22Sb() {
    parametresGroupBox->retourChampAngle(3);
}

void FenPrincipale::setRayonb() {
    parametresGroupBox->retourChampLongueur(0);
}

void FenPrincipale::setZ11b() {
    parametresGroupBox->retourChampLongueur(1);
}

void FenPrincipale::setP10b() {
    parametresGroupBox->retourChampLongueur(2);
}

void FenPrincipale::reconstruireEtMontrer() {
    glWidget->initProjet();
    glWidget->update();
}

// --- Edit commands ----------------------------------------------------------------

// "&Affichage": cycles filled -> outlines -> points -> filled in the
// view's context and redraws.
void FenPrincipale::modeAffichage() {
    mode = (mode + 1) % 3;
    glWidget->setModePolygone(mode);
}

// The frame built on plane Py (0) or Pz (1): the two check marks, rebuild,
// refresh of the table, the message and the results, redraw.
void FenPrincipale::choisirPlan(int plan) {
    actionChoixY->setChecked(plan == 0);
    actionChoixZ->setChecked(plan == 1);
    glWidget->choix = plan;
    reconstruireEtMontrer();
    pointMiseAJour();
}

void FenPrincipale::choixY() {
    choisirPlan(0);
}

void FenPrincipale::choixZ() {
    choisirPlan(1);
}

// --- Examples and reset -------------------------------------------------------------

// Hides the parameter panel, loads the example into the view and refreshes
// the table and the message.
void FenPrincipale::afficherExemple(void (GLWidget::*ouvrirExemple)()) {
    parametresGroupBox->hide();
    (glWidget->*ouvrirExemple)();
    pointMiseAJour();
}

void FenPrincipale::exemple1() {
    afficherExemple(&GLWidget::ouvrirExemple1);
}

void FenPrincipale::exemple2() {
    afficherExemple(&GLWidget::ouvrirExemple2);
}

void FenPrincipale::exemple3() {
    afficherExemple(&GLWidget::ouvrirExemple3);
}

// "&Remise a zero": parameter panel shown, only the first switch on,
// "Plan Pz", the default texts, no example, rotations 0, zoom 1.5, the
// default parameters through the view's slots, filled polygons.
void FenPrincipale::resetProg() {
    parametresGroupBox->show();
    affichageGroupBox->etatDeDepart();
    actionChoixY->setChecked(false);
    actionChoixZ->setChecked(true);
    parametresGroupBox->textesDeDepart();

    glWidget->exemple = 0;
    glWidget->quitterCarreau();
    glWidget->choix = 1;
    glWidget->setXRotation(0);
    glWidget->setYRotation(0);
    glWidget->setZRotation(0);
    glWidget->Scal = 1.5;
    glWidget->annulerCadrage();

    glWidget->setAfficheCarreau(1);
    for (int liste = 2; liste <= 7; ++liste) {
        glWidget->setAfficheListe(liste, 0);
    }
    glWidget->setTheta00(0);
    glWidget->setTheta02(90);
    glWidget->setTheta20(-60);
    glWidget->setTheta22(180);
    glWidget->setRayon(4);
    glWidget->setZ11(8);
    glWidget->setP10(-7.982);

    mode = 2;
    modeAffichage();
}

// --- View commands ------------------------------------------------------------------

void FenPrincipale::ombrage(bool actif) {
    glWidget->setOmbrage(actif);
}

void FenPrincipale::recadrer() {
    glWidget->recadrer();
}

void FenPrincipale::vueDessus() {
    glWidget->vuePredefinie(0);
}

void FenPrincipale::vueFace() {
    glWidget->vuePredefinie(1);
}

void FenPrincipale::vueCote() {
    glWidget->vuePredefinie(2);
}
