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
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTranslator>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>

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

QList<QKeySequence> touches(QKeySequence::StandardKey standard,
                            std::initializer_list<QKeySequence> autres) {
    QList<QKeySequence> liste = QKeySequence::keyBindings(standard);
    for (const QKeySequence& touche : autres) {
        if (!liste.contains(touche)) {
            liste.append(touche);
        }
    }
    return liste;
}

QString nomExemple(int numero) {
    return QObject::tr("Exemple%1").arg(numero);
}

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
    statusBar()->showMessage(tr("Prêt"));
    pointMiseAJour();
    etatNote = etatActuel();
    retenirReference();
    --suspendu;
}

FenPrincipale::~FenPrincipale() {
    for (QLineEdit* champ : parametresGroupBox->findChildren<QLineEdit*>()) {
        disconnect(champ, nullptr, this, nullptr);
    }
    disconnect(parametresGroupBox, nullptr, this, nullptr);
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

// A dialog that never exceeds the screen: the text in a browser that
// scrolls, an OK button always in sight.
void FenPrincipale::messageAide(const QString& titre, const QString& texte) {
    QDialog dialogue(this);
    dialogue.setWindowTitle(titre);
    QTextBrowser* lecteur = new QTextBrowser;
    lecteur->setHtml(texte);
    QDialogButtonBox* boutons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(boutons, &QDialogButtonBox::accepted, &dialogue, &QDialog::accept);
    QVBoxLayout* colonne = new QVBoxLayout(&dialogue);
    colonne->addWidget(lecteur);
    colonne->addWidget(boutons);
    const QRect ecran = screen() != nullptr ? screen()->availableGeometry() : QRect(0, 0, 800, 600);
    dialogue.resize(std::min(720, ecran.width() * 9 / 10), std::min(640, ecran.height() * 8 / 10));
    dialogue.exec();
}

bool FenPrincipale::confirmer(const QString& titre, const QString& question) {
    return QMessageBox::question(this, titre, question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

QMessageBox::StandardButton FenPrincipale::demanderEnregistrement() {
    return QMessageBox::question(
        this, tr("Paramètres modifiés"),
        tr("Les paramètres ont été modifiés depuis leur dernier enregistrement.\nLes "
           "enregistrer ?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
}

// Three buttons: the parameters, the net shown, nothing.
int FenPrincipale::choisirEnregistrement(const QString& source) {
    QMessageBox boite(
        QMessageBox::Question, tr("Enregistrer"),
        tr("%1 est montré, les paramètres sont grisés. Que faut-il enregistrer ?").arg(source),
        QMessageBox::NoButton, this);
    QPushButton* parametres = boite.addButton(tr("Les &paramètres"), QMessageBox::AcceptRole);
    QPushButton* carreau = boite.addButton(tr("Le &carreau montré"), QMessageBox::AcceptRole);
    boite.addButton(QMessageBox::Cancel);
    boite.setDefaultButton(carreau);
    boite.exec();
    if (boite.clickedButton() == parametres) {
        return 0;
    }
    return boite.clickedButton() == carreau ? 1 : -1;
}

// A small dialog with the width and the height in pixels.
QSize FenPrincipale::tailleImage(const QSize& defaut) {
    QDialog dialogue(this);
    dialogue.setWindowTitle(tr("Taille de l'image"));
    // Wide enough for its title beside the window manager's buttons.
    dialogue.setMinimumWidth(fontMetrics().horizontalAdvance(dialogue.windowTitle()) + 160);
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
                            "bouton du milieu : déplacement ; molette : zoom autour du "
                            "pointeur ; flèches : rotation ; + et − : zoom"));
    // A click in the view ends the edit of a field (which is then applied)
    // and gives the view the keys.
    glWidget->setFocusPolicy(Qt::StrongFocus);
    // A patch that is not convertible is shown all the same.
    glWidget->setCarreauRefuse(true);
    glWidget->initProjet();

    glWidgetArea = new QScrollArea;
    glWidgetArea->setWidget(glWidget);
    glWidgetArea->setWidgetResizable(true);
    glWidgetArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    glWidgetArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    glWidgetArea->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    glWidgetArea->setMinimumSize(320, 320);
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
        connect(panneau->champAngle(k), &QLineEdit::editingFinished, this,
                [panneau, k] { panneau->retourChampAngle(k); });
        connect(curseur, &QSlider::sliderPressed, glWidget, [this] { glWidget->setApercu(true); });
        connect(curseur, &QSlider::sliderReleased, this, [this] {
            glWidget->setApercu(false);
            noter(tr("Déplacer un angle"));
        });
    }
    for (int k = 0; k < 3; ++k) {
        connect(panneau->champLongueur(k), &QLineEdit::editingFinished, this,
                [panneau, k] { panneau->retourChampLongueur(k); });
    }
    connect(parametresGroupBox, &PanneauParametres::refus, this,
            [this](const QString& message) { dire(message); });
    connect(parametresGroupBox, &PanneauParametres::reprendre, this,
            &FenPrincipale::reprendreParametres);
}

// The view on the left (stretch 2); on the right (stretch 1) the
// parameters, the display switches, the table and the results, in a column
// that scrolls when the screen is too low for it (room is left under them
// for more panels); the message of the cyclide's kind under both, across
// the whole window.
void FenPrincipale::disposer() {
    QWidget* colonne = new QWidget;
    colonne->setObjectName(QStringLiteral("colonnePanneaux"));
    QVBoxLayout* infosLayout = new QVBoxLayout(colonne);
    infosLayout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* panneau : std::initializer_list<QWidget*>{parametresGroupBox, affichageGroupBox,
                                                            infoGroupBox, cyclideGroupBox}) {
        infosLayout->addWidget(panneau);
    }
    infosLayout->addStretch(1);

    QScrollArea* defilement = new QScrollArea;
    defilement->setObjectName(QStringLiteral("defilementPanneaux"));
    defilement->setWidget(colonne);
    defilement->setWidgetResizable(true);
    defilement->setFrameShape(QFrame::NoFrame);
    defilement->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    defilement->setMinimumWidth(colonne->minimumSizeHint().width() +
                                defilement->verticalScrollBar()->sizeHint().width());

    QHBoxLayout* centralLayout = new QHBoxLayout;
    centralLayout->addWidget(glWidgetArea, 2);
    centralLayout->addWidget(defilement, 1);
    QVBoxLayout* fenetre = new QVBoxLayout;
    fenetre->addLayout(centralLayout, 1);
    fenetre->addWidget(informations);
    centralWidget->setLayout(fenetre);
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
                           QKeySequence::Open, tr("Ouvrir un fichier de paramètres (.car, .bez)"));
    actionOuvrirCarreau = nouvelleAction("actionOuvrirCarreau", tr("Ouvrir un carreau..."),
                                         &FenPrincipale::ouvrirCarreau);
    actionOuvrirCarreau->setStatusTip(
        tr("Ouvrir un carreau donné par ses neuf points et poids, en JSON, STEP ou IGES"));
    actionCarreauCaoSuivant =
        decrire(nouvelleAction("actionCarreauCaoSuivant", tr("Carreau CAO suivant"),
                               &FenPrincipale::carreauCaoSuivant),
                QKeySequence(tr("Ctrl+Alt+Right")),
                tr("Montrer le carreau suivant du fichier STEP ou IGES"));
    actionCarreauCaoPrecedent =
        decrire(nouvelleAction("actionCarreauCaoPrecedent", tr("Carreau CAO précédent"),
                               &FenPrincipale::carreauCaoPrecedent),
                QKeySequence(tr("Ctrl+Alt+Left")),
                tr("Montrer le carreau précédent du fichier STEP ou IGES"));
    actionCarreauCaoSuivant->setEnabled(false);
    actionCarreauCaoPrecedent->setEnabled(false);
    actionSauverImage =
        nouvelleAction("actionSauverImage", tr("&Enregistrer Image"), &FenPrincipale::sauverImage);
    actionSauverImage->setStatusTip(tr("Enregistrer la vue en image PNG à la taille choisie"));
    actionEnregistrer = new QAction(tr("Enregi&strer"), this);
    actionEnregistrer->setObjectName(QStringLiteral("actionEnregistrer"));
    connect(actionEnregistrer, &QAction::triggered, this, [this] { enregistrer(); });
    decrire(actionEnregistrer, QKeySequence::Save,
            tr("Enregistrer les paramètres dans le fichier ouvert ou enregistré"));
    actionSauver = new QAction(tr("Enregistrer &sous..."), this);
    actionSauver->setObjectName(QStringLiteral("actionSauver"));
    connect(actionSauver, &QAction::triggered, this, [this] { sauver(); });
    actionSauver->setShortcuts(touches(QKeySequence::SaveAs, {QKeySequence(tr("Ctrl+Shift+S"))}));
    actionSauver->setStatusTip(tr("Enregistrer les paramètres (ou le carreau montré) sous un nom"));
    actionExporterStep = nouvelleAction("actionExporterStep", tr("Exporter STEP..."),
                                        &FenPrincipale::exporterStepCarreau);
    actionExporterStep->setStatusTip(tr("Exporter le carreau et sa cyclide en STEP (CAO)"));
    actionExporterObj = nouvelleAction("actionExporterObj", tr("Exporter OBJ..."),
                                       &FenPrincipale::exporterObjCarreau);
    actionExporterObj->setStatusTip(
        tr("Exporter les maillages du carreau et de sa cyclide en OBJ"));

    actionQuitter = new QAction(tr("&Quitter"), this);
    actionQuitter->setObjectName(QStringLiteral("actionQuitter"));
    actionQuitter->setShortcuts(touches(QKeySequence::Quit, {QKeySequence(tr("Ctrl+Q"))}));
    actionQuitter->setStatusTip(tr("Quitter le programme (les paramètres modifiés sont proposés "
                                   "à l'enregistrement)"));
    connect(actionQuitter, &QAction::triggered, this, &QWidget::close);
}

// The edit commands: undo, redo, copies, display mode, planes, reset.
void FenPrincipale::createEditionActions() {
    actionAnnuler = pile->createUndoAction(this, tr("&Annuler"));
    actionAnnuler->setObjectName(QStringLiteral("actionAnnuler"));
    actionAnnuler->setProperty("nomAide", tr("Annuler"));
    decrire(actionAnnuler, QKeySequence::Undo, tr("Annuler la dernière modification"));
    actionRefaire = pile->createRedoAction(this, tr("Re&faire"));
    actionRefaire->setObjectName(QStringLiteral("actionRefaire"));
    actionRefaire->setProperty("nomAide", tr("Refaire"));
    actionRefaire->setShortcuts(touches(
        QKeySequence::Redo, {QKeySequence(tr("Ctrl+Y")), QKeySequence(tr("Ctrl+Shift+Z"))}));
    actionRefaire->setStatusTip(tr("Refaire la modification annulée"));
    actionCopier = decrire(nouvelleAction("actionCopier", tr("&Copier les résultats"),
                                          &FenPrincipale::copierResultats),
                           QKeySequence(tr("Ctrl+Shift+C")),
                           tr("Copier le panneau Cyclide en texte, valeurs complètes"));
    actionCopierJson =
        decrire(nouvelleAction("actionCopierJson", tr("Copier les résultats en &JSON"),
                               &FenPrincipale::copierJson),
                QKeySequence(tr("Ctrl+Shift+J")), tr("Copier l'objet JSON de cyclide-conv --json"));

    actionChoixY = nouvelleAction("actionChoixY", tr("Plan Py"), &FenPrincipale::choixY);
    actionChoixY->setCheckable(true);
    actionChoixY->setChecked(false);
    actionChoixY->setStatusTip(tr("Construire le repère de la cyclide sur le plan Py"));
    actionChoixZ = nouvelleAction("actionChoixZ", tr("Plan Pz"), &FenPrincipale::choixZ);
    actionChoixZ->setCheckable(true);
    actionChoixZ->setChecked(true);
    actionChoixZ->setStatusTip(tr("Construire le repère de la cyclide sur le plan Pz"));

    actionModeAffichage = decrire(
        nouvelleAction("actionModeAffichage", tr("&Affichage"), &FenPrincipale::modeAffichage),
        QKeySequence(tr("p")), tr("Faces pleines, arêtes, points"));
    actionResetProg =
        decrire(nouvelleAction("actionResetProg", tr("&Remise a zero"), &FenPrincipale::resetProg),
                QKeySequence(tr("Ctrl+R")), tr("Revenir à l'état de départ (annulable)"));
}

// Examples and help.
void FenPrincipale::createAutresActions() {
    QAction** exemples[3] = {&actionExemple1, &actionExemple2, &actionExemple3};
    const QString bulles[3] = {tr("Un morceau de tore"), tr("Un carreau d'une cyclide générale"),
                               tr("Un autre carreau d'une cyclide générale")};
    for (int n = 1; n <= 3; ++n) {
        QAction* action = new QAction(nomExemple(n), this);
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
                                   tr("Carreaux ombrés ou à plat"));
    connect(actionOmbrage, &QAction::toggled, this, &FenPrincipale::ombrage);
    // Shaded from the start: the patch shows its shape, not a flat
    // silhouette.
    actionOmbrage->setChecked(true);
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
                QKeySequence(tr("c")), tr("Faire tenir les dessins montrés dans la vue"));
    // The three preset views, on the keys 1, 2 and 3.
    QAction** vues[3] = {&actionVueDessus, &actionVueFace, &actionVueCote};
    const char* noms[3] = {"actionVueDessus", "actionVueFace", "actionVueCote"};
    const QString textes[3] = {tr("Vue de &dessus"), tr("Vue de &face"), tr("Vue de c&ôté")};
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
    menuFichier->addAction(actionCarreauCaoPrecedent);
    menuFichier->addAction(actionCarreauCaoSuivant);
    menuRecents = menuFichier->addMenu(tr("Fichiers &récents"));
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
