#include "FenPrincipale.h"

#include "EcritureFichier.h"
#include "ExportStep.h"
#include "FichierParametres.h"
#include "LectureCarreau.h"
#include "Messages.h"
#include "Scene.h"
#include "glwidget.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QSlider>
#include <QTranslator>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// The double nearest 2 pi, as in the view.
const double DEUX_PI = 6.283185307179586;

// A label with a text centred both ways.
QLabel* etiquetteCentree(const QString& texte) {
    QLabel* etiquette = new QLabel(texte);
    etiquette->setAlignment(Qt::AlignCenter);
    return etiquette;
}

// A table or field text with 6 decimals.
QString texteDecimal(double valeur) {
    return QString::number(valeur, 'f', 6);
}

// A field shows the start of the texts the program writes into it (the
// sign of a negative number first): after every change of text that was
// not typed (typing leaves the field modified) the cursor goes back to the
// first character.
void montrerDebut(QLineEdit* champ) {
    QObject::connect(champ, &QLineEdit::textChanged, champ, [champ] {
        if (!champ->isModified()) {
            champ->setCursorPosition(0);
        }
    });
    champ->setCursorPosition(0);
}

// Writes texte (cut to the field's maximum length) into the field and shows
// its start; a field that already shows that text is left alone, so that a
// refresh repaints only the fields whose value changed.
void ecrireChamp(QLineEdit* champ, const QString& texte) {
    if (champ->text() != texte.left(champ->maxLength())) {
        champ->setText(texte);
    }
    champ->setCursorPosition(0);
}

// The width a field needs to show modele whole: the text, the frame and
// the field's own margins.
int largeurChamp(const QLineEdit& champ, const QString& modele) {
    const QMargins marges = champ.textMargins();
    return champ.fontMetrics().horizontalAdvance(modele) + marges.left() + marges.right() + 12;
}

// A result rounded to 4 decimals, its sign shown; "non defini" for a
// non-number or an infinity.
QString valeurResultat(double valeur) {
    if (!std::isfinite(valeur)) {
        return QObject::tr("non defini");
    }
    return QString::number(valeur, 'f', 4);
}

// A point or an axis as (x, y, z).
QString triplet(double x, double y, double z) {
    return QStringLiteral("(%1, %2, %3)")
        .arg(valeurResultat(x), valeurResultat(y), valeurResultat(z));
}

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
// the three panels, the information label, the actions and menus, the
// layout, and finally the table and message from the view's scene.
FenPrincipale::FenPrincipale() : QMainWindow(), originalPixmap() {
    mode = 0;
    setWindowTitle(tr("Cyclide de Dupin"));
    setWindowIcon(QIcon(QStringLiteral("icone.png")));
    setGeometry(50, 50, 700, 500);

    createOpenGL();
    createInfoGroupBox();
    createParametresGroupBox();
    createAffichageGroupBox();
    createCyclideGroupBox();

    informations = new QLabel(tr("Cyclide de Dupin"));
    informations->setObjectName(QStringLiteral("informations"));
    informations->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    informations->setMaximumHeight(20);

    infosLayout = new QVBoxLayout;
    infosLayout->addWidget(parametresGroupBox);
    infosLayout->addWidget(affichageGroupBox);
    QHBoxLayout* resultatsLayout = new QHBoxLayout;
    resultatsLayout->addWidget(infoGroupBox);
    resultatsLayout->addWidget(cyclideGroupBox);
    infosLayout->addLayout(resultatsLayout);

    createActions();
    createMenus();

    QHBoxLayout* centralLayout = new QHBoxLayout;
    QVBoxLayout* gauche = new QVBoxLayout;
    gauche->addWidget(glWidgetArea);
    gauche->addWidget(informations);
    centralLayout->addLayout(gauche, 2);
    centralLayout->addLayout(infosLayout, 1);
    centralWidget->setLayout(centralLayout);

    pointMiseAJour();
}

// --- Dialog hooks -----------------------------------------------------------

// The name chosen in the open-file dialog; empty when cancelled.
QString FenPrincipale::nomFichierOuverture(const QString& titre, const QString& filtre) {
    return QFileDialog::getOpenFileName(this, titre, QString(), filtre);
}

// The name chosen in the save-file dialog; empty when cancelled.
QString FenPrincipale::nomFichierEnregistrement(const QString& titre, const QString& filtre) {
    return QFileDialog::getSaveFileName(this, titre, QString(), filtre);
}

// An information box with a single OK button.
void FenPrincipale::messageInformation(const QString& titre, const QString& texte) {
    QMessageBox::information(this, titre, texte);
}

// A warning box with a single OK button.
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

// One action with the window as parent, its object name, its text
// (already through tr), its triggered() going to slot.
QAction* FenPrincipale::nouvelleAction(const char* nom, const QString& texte,
                                       void (FenPrincipale::*slot)()) {
    QAction* action = new QAction(texte, this);
    action->setObjectName(QString::fromLatin1(nom));
    connect(action, &QAction::triggered, this, slot);
    return action;
}

// The commands, in menu order, with their shortcuts; "Plan Pz"
// starts checked and "Plan Py" unchecked.
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

// The four menus of the menu bar with their entries and separators.
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

// The control-point table: headers "Px" "Py" "Pz" "Poids" and "00".."22",
// 36 read-only fields of at most 6 characters, wide enough for the six
// (a sign and five digits); the view's miseAJour() refreshes it.
void FenPrincipale::createInfoGroupBox() {
    infoGroupBox = new QGroupBox(tr("Informations"));
    infoGroupBox->setObjectName(QStringLiteral("infoGroupBox"));
    QGridLayout* infoLayout = new QGridLayout;

    infoLayout->addWidget(etiquetteCentree(tr("Px")), 0, 1);
    infoLayout->addWidget(etiquetteCentree(tr("Py")), 0, 2);
    infoLayout->addWidget(etiquetteCentree(tr("Pz")), 0, 3);
    infoLayout->addWidget(etiquetteCentree(tr("Poids")), 0, 4);
    const char* lignes[9] = {"00", "01", "02", "10", "11", "12", "20", "21", "22"};
    for (int k = 0; k < 9; ++k) {
        infoLayout->addWidget(etiquetteCentree(tr(lignes[k])), k + 1, 0);
    }

    for (int k = 0; k < 9; ++k) {
        for (int c = 0; c < 4; ++c) {
            QLineEdit& champ = pointValeur[k][c];
            champ.setObjectName(QStringLiteral("pointValeur_%1_%2").arg(k).arg(c));
            const int largeur = largeurChamp(champ, QStringLiteral("-00.000"));
            champ.setMinimumWidth(largeur);
            champ.setMaximumWidth(std::max(45, largeur));
            champ.setMaxLength(6);
            montrerDebut(&champ);
            champ.setReadOnly(true);
            infoLayout->addWidget(&champ, k + 1, c + 1);
        }
    }

    connect(glWidget, &GLWidget::miseAJour, this, &FenPrincipale::pointMiseAJour);
    infoGroupBox->setLayout(infoLayout);
}

// One angle slider from -180 to 180 at t (radians) in whole degrees, ticks
// every 30 below; its value is set before it is connected both ways to the
// view, so building it changes nothing in the view.
QSlider* FenPrincipale::createSlider(SignalAngle changedSignal, SlotAngle setterSlot, double t) {
    const int degres = radiansEnDegres(t);
    QSlider* slider = new QSlider(Qt::Horizontal);
    slider->setRange(-180, 180);
    slider->setValue(degres);
    slider->setTickInterval(30);
    slider->setTickPosition(QSlider::TicksBelow);
    connect(slider, &QSlider::valueChanged, glWidget, setterSlot);
    connect(glWidget, changedSignal, slider, &QSlider::setValue);
    return slider;
}

// A parameter text field showing valeur with 6 significant digits, wide
// enough for a value written with 6 decimals and its sign, showing the
// start of its text; its Return runs slot when one is given.
QLineEdit* FenPrincipale::champParametre(const QString& nom, double valeur,
                                         void (FenPrincipale::*slot)()) {
    QLineEdit* champ = new QLineEdit(QString::number(valeur, 'g', 6));
    champ->setObjectName(nom);
    const int largeur = largeurChamp(*champ, QStringLiteral("-0.0000000"));
    champ->setMinimumWidth(largeur);
    champ->setMaximumWidth(std::max(55, largeur));
    montrerDebut(champ);
    if (slot != nullptr) {
        connect(champ, &QLineEdit::returnPressed, this, slot);
    }
    return champ;
}

// The parameter panel: four angle sliders with their radian fields, then
// the radius, height and P10 fields.
void FenPrincipale::createParametresGroupBox() {
    parametresGroupBox = new QGroupBox(tr("Parametres"));
    parametresGroupBox->setObjectName(QStringLiteral("parametresGroupBox"));

    theta00Slider =
        createSlider(&GLWidget::theta00Changed, &GLWidget::setTheta00, glWidget->getTheta00());
    theta02Slider =
        createSlider(&GLWidget::theta02Changed, &GLWidget::setTheta02, glWidget->getTheta02());
    theta20Slider =
        createSlider(&GLWidget::theta20Changed, &GLWidget::setTheta20, glWidget->getTheta20());
    theta22Slider =
        createSlider(&GLWidget::theta22Changed, &GLWidget::setTheta22, glWidget->getTheta22());
    theta00Slider->setObjectName(QStringLiteral("theta00Slider"));
    theta02Slider->setObjectName(QStringLiteral("theta02Slider"));
    theta20Slider->setObjectName(QStringLiteral("theta20Slider"));
    theta22Slider->setObjectName(QStringLiteral("theta22Slider"));

    QGridLayout* parametresLayout = new QGridLayout;
    theta00Valeur =
        champParametre(QStringLiteral("theta00Valeur"), glWidget->getTheta00(), nullptr);
    theta02Valeur =
        champParametre(QStringLiteral("theta02Valeur"), glWidget->getTheta02(), nullptr);
    theta20Valeur =
        champParametre(QStringLiteral("theta20Valeur"), glWidget->getTheta20(), nullptr);
    theta22Valeur =
        champParametre(QStringLiteral("theta22Valeur"), glWidget->getTheta22(), nullptr);

    const char* etiquettes[4] = {"t00", "t02", "t20", "t22"};
    QSlider* sliders[4] = {theta00Slider, theta02Slider, theta20Slider, theta22Slider};
    QLineEdit* champs[4] = {theta00Valeur, theta02Valeur, theta20Valeur, theta22Valeur};
    for (int ligne = 0; ligne < 4; ++ligne) {
        parametresLayout->addWidget(etiquetteCentree(tr(etiquettes[ligne])), ligne, 0);
        parametresLayout->addWidget(sliders[ligne], ligne, 1, 1, 2);
        parametresLayout->addWidget(champs[ligne], ligne, 3);
    }

    connect(theta00Slider, &QSlider::valueChanged, this, &FenPrincipale::setTheta00S);
    connect(theta00Valeur, &QLineEdit::returnPressed, this, &FenPrincipale::setTheta00Sb);
    connect(theta02Slider, &QSlider::valueChanged, this, &FenPrincipale::setTheta02S);
    connect(theta02Valeur, &QLineEdit::returnPressed, this, &FenPrincipale::setTheta02Sb);
    connect(theta20Slider, &QSlider::valueChanged, this, &FenPrincipale::setTheta20S);
    connect(theta20Valeur, &QLineEdit::returnPressed, this, &FenPrincipale::setTheta20Sb);
    connect(theta22Slider, &QSlider::valueChanged, this, &FenPrincipale::setTheta22S);
    connect(theta22Valeur, &QLineEdit::returnPressed, this, &FenPrincipale::setTheta22Sb);

    parametresLayout->addWidget(etiquetteCentree(tr("Rayon")), 4, 0);
    rayonValeur = champParametre(QStringLiteral("rayonValeur"), glWidget->getRayon(),
                                 &FenPrincipale::setRayonb);
    parametresLayout->addWidget(rayonValeur, 4, 1);
    parametresLayout->addWidget(etiquetteCentree(tr("z11")), 4, 2);
    z11Valeur =
        champParametre(QStringLiteral("z11Valeur"), glWidget->getZ11(), &FenPrincipale::setZ11b);
    parametresLayout->addWidget(z11Valeur, 4, 3);
    parametresLayout->addWidget(etiquetteCentree(tr("P10")), 5, 0);
    P10Valeur =
        champParametre(QStringLiteral("P10Valeur"), glWidget->getP10(), &FenPrincipale::setP10b);
    parametresLayout->addWidget(P10Valeur, 5, 1);

    parametresGroupBox->setLayout(parametresLayout);
}

// The display panel: seven text-less check boxes, each followed by its
// label; the first starts checked. States are set before the boxes are
// connected to the view's switches, so construction emits nothing.
void FenPrincipale::createAffichageGroupBox() {
    affichageGroupBox = new QGroupBox(tr("Affichage"));
    affichageGroupBox->setObjectName(QStringLiteral("affichageGroupBox"));
    QGridLayout* affichageLayout = new QGridLayout;
    affichageLayout->setColumnStretch(1, 1);
    affichageLayout->setColumnStretch(3, 1);

    afficheCarreauBox = new QCheckBox;
    afficheBordBox = new QCheckBox;
    afficheCarreauBoxNew = new QCheckBox;
    afficheBordBoxNew = new QCheckBox;
    affichePolyBoxNew = new QCheckBox;
    afficheCyclideBox = new QCheckBox;
    afficheCarreauCyclideBox = new QCheckBox;
    afficheCarreauBox->setChecked(true);

    struct Case {
        QCheckBox* boite;
        const char* nom;
        const char* etiquette;
        int ligne;
        int colonne;
        void (GLWidget::*slot)(int);
    };
    const Case cases[7] = {
        {afficheCarreauBox, "afficheCarreauBox", "Afficher carreau", 0, 0,
         &GLWidget::setAfficheCarreau},
        {afficheBordBox, "afficheBordBox", "Afficher Bord", 0, 2, &GLWidget::setAfficheBord},
        {afficheCarreauBoxNew, "afficheCarreauBoxNew", "Nouveau Carreau", 1, 0,
         &GLWidget::setAfficheCarreauNew},
        {afficheBordBoxNew, "afficheBordBoxNew", "Nouveau Bord", 1, 2,
         &GLWidget::setAfficheBordNew},
        {affichePolyBoxNew, "affichePolyBoxNew", "Nouveau Polyedre", 2, 0,
         &GLWidget::setAffichePolyNew},
        {afficheCyclideBox, "afficheCyclideBox", "Afficher cyclide", 3, 0,
         &GLWidget::setAfficheCyclide},
        {afficheCarreauCyclideBox, "afficheCarreauCyclideBox", "Carreau cyclide", 3, 2,
         &GLWidget::setAfficheCarreauCyclide},
    };
    for (const Case& c : cases) {
        c.boite->setObjectName(QString::fromLatin1(c.nom));
        affichageLayout->addWidget(c.boite, c.ligne, c.colonne, Qt::AlignLeft);
        affichageLayout->addWidget(new QLabel(tr(c.etiquette)), c.ligne, c.colonne + 1,
                                   Qt::AlignLeft);
    }
    for (const Case& c : cases) {
        connect(c.boite, &QCheckBox::stateChanged, glWidget, c.slot);
    }

    affichageGroupBox->setLayout(affichageLayout);
}

// --- Table refresh --------------------------------------------------------------

// Fills row 3i + j of the table with x, y, z and the weight of control
// point P[i][j] of Bez (6 decimals, cut to the field's 6 characters) and
// the label with the message of the cyclide type.
void FenPrincipale::pointMiseAJour() {
    const RBBPd bez = glWidget->getBez();
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const int k = 3 * i + j;
            const Point p = bez.getP(i, j);
            ecrireChamp(&pointValeur[k][0], texteDecimal(p.abs()));
            ecrireChamp(&pointValeur[k][1], texteDecimal(p.ord()));
            ecrireChamp(&pointValeur[k][2], texteDecimal(p.cote()));
            ecrireChamp(&pointValeur[k][3], texteDecimal(bez.getW(i, j)));
        }
    }
    QString message = tr(messageCyclide(glWidget->typeCyclide));
    const std::string& raison = glWidget->getScene().raison;
    if (glWidget->typeCyclide == 0 && !raison.empty()) {
        message += QStringLiteral(" : ") + QString::fromLatin1(raison.c_str());
    }
    informations->setText(message);
    resultatsMiseAJour();
}

// --- Results panel ---------------------------------------------------------------

namespace {

// The rows of the results panel, top to bottom.
const char* const LIGNES_RESULTATS[13] = {"Type",   "a",        "b",     "c",     "mu",
                                          "Centre", "Axe 1",    "Axe 2", "Axe 3", "Theta",
                                          "Psi",    "Residu R", "Plan"};

} // namespace

// The results panel "Cyclide": a name and a value per row, the values
// selectable for copying.
void FenPrincipale::createCyclideGroupBox() {
    cyclideGroupBox = new QGroupBox(tr("Cyclide"));
    cyclideGroupBox->setObjectName(QStringLiteral("cyclideGroupBox"));
    QGridLayout* grille = new QGridLayout;
    for (int k = 0; k < 13; ++k) {
        grille->addWidget(new QLabel(tr(LIGNES_RESULTATS[k])), k, 0);
        resultats[k] = new QLabel;
        resultats[k]->setObjectName(QStringLiteral("resultat_%1").arg(k));
        resultats[k]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grille->addWidget(resultats[k], k, 1);
    }
    grille->setColumnStretch(1, 1);
    cyclideGroupBox->setLayout(grille);
}

// Fills the results panel from the view's scene: the kind, a, b, c, mu, the
// centre and the three axes of the frame (world coordinates), the piece's
// angle limits, the residual and the plane. A patch that is not converted
// says why in the first row and leaves the others empty.
void FenPrincipale::resultatsMiseAJour() {
    const Scene& s = glWidget->getScene();
    QString valeurs[13];
    if (s.typeCyclide == 0 && !s.raison.empty()) {
        valeurs[0] = tr("Non convertible : %1").arg(QString::fromLatin1(s.raison.c_str()));
    } else if (s.type == 0) {
        valeurs[0] = tr("Non convertible : le poids central ou les plans des bords opposes ne "
                        "conviennent pas a une cyclide de Dupin");
    } else if (s.typeCyclide == 0) {
        valeurs[0] = tr("Non convertible : la cyclide trouvee n'est pas finie");
    } else {
        const RBBPd& c = s.converti;
        static const char* const genres[7] = {
            "", "ring", "spindle", "horned", "sphere double", "tore croise", "tore a collier"};
        valeurs[0] = tr(genres[std::clamp(s.typeCyclide, 1, 6)]);
        valeurs[1] = valeurResultat(c.a);
        valeurs[2] = valeurResultat(std::sqrt(c.a * c.a - c.c * c.c));
        valeurs[3] = valeurResultat(c.c);
        valeurs[4] = valeurResultat(c.mu);
        valeurs[5] = triplet(c.omega.getX0(), c.omega.getY0(), c.omega.getZ0());
        for (int k = 0; k < 3; ++k) {
            valeurs[6 + k] = triplet(c.Base[0][k], c.Base[1][k], c.Base[2][k]);
        }
        valeurs[9] = QStringLiteral("[%1 ; %2]")
                         .arg(valeurResultat(s.morceau.u0), valeurResultat(s.morceau.u1));
        valeurs[10] = QStringLiteral("[%1 ; %2]")
                          .arg(valeurResultat(s.morceau.v0), valeurResultat(s.morceau.v1));
        valeurs[11] = QString::number(s.residu, 'e', 2);
        valeurs[12] = s.type == 2 ? tr("sans objet (tore ou sphere)")
                                  : (s.entree.choix == 1 ? tr("Plan Pz") : tr("Plan Py"));
    }
    for (int k = 0; k < 13; ++k) {
        resultats[k]->setText(valeurs[k]);
    }
}

// --- Parameter slots ----------------------------------------------------------

// Slider echo: the field shows t degrees in radians with 6 decimals; the
// scene is rebuilt (nothing is computed again for the same inputs) and
// redrawn once more.
void FenPrincipale::echoCurseur(int k, int t) {
    QLineEdit* champs[4] = {theta00Valeur, theta02Valeur, theta20Valeur, theta22Valeur};
    ecrireChamp(champs[k], texteDecimal(t * DEUX_PI / 360));
    reconstruireEtMontrer();
}

void FenPrincipale::setTheta00S(int t) {
    echoCurseur(0, t);
}

void FenPrincipale::setTheta02S(int t) {
    echoCurseur(1, t);
}

void FenPrincipale::setTheta20S(int t) {
    echoCurseur(2, t);
}

void FenPrincipale::setTheta22S(int t) {
    echoCurseur(3, t);
}

// Return in angle field k: the text read as radians (a non-number reads
// as 0), turned into whole degrees (clamped into the range of int, NaN
// giving 0) and given to the view.
void FenPrincipale::retourChampAngle(int k) {
    QLineEdit* champs[4] = {theta00Valeur, theta02Valeur, theta20Valeur, theta22Valeur};
    SlotAngle setters[4] = {&GLWidget::setTheta00, &GLWidget::setTheta02, &GLWidget::setTheta20,
                            &GLWidget::setTheta22};
    (glWidget->*setters[k])(radiansEnDegres(champs[k]->text().toDouble()));
}

void FenPrincipale::setTheta00Sb() {
    retourChampAngle(0);
}

void FenPrincipale::setTheta02Sb() {
    retourChampAngle(1);
}

void FenPrincipale::setTheta20Sb() {
    retourChampAngle(2);
}

void FenPrincipale::setTheta22Sb() {
    retourChampAngle(3);
}

// Return in the radius (0), height (1) or P10 (2) field: the value (0 for
// a non-number) goes to the view, then the scene is rebuilt and redrawn
// once more; the text stays as typed.
void FenPrincipale::retourChampLongueur(int k) {
    QLineEdit* champs[3] = {rayonValeur, z11Valeur, P10Valeur};
    void (GLWidget::*setters[3])(double) = {&GLWidget::setRayon, &GLWidget::setZ11,
                                            &GLWidget::setP10};
    (glWidget->*setters[k])(champs[k]->text().toDouble());
    reconstruireEtMontrer();
}

void FenPrincipale::setRayonb() {
    retourChampLongueur(0);
}

void FenPrincipale::setZ11b() {
    retourChampLongueur(1);
}

void FenPrincipale::setP10b() {
    retourChampLongueur(2);
}

void FenPrincipale::reconstruireEtMontrer() {
    glWidget->initProjet();
    glWidget->update();
}

// --- File commands ------------------------------------------------------------

// Applies the first nombre values of a parameter file, in file order:
// the angles (radians, turned into whole degrees) through the view's angle
// slots, then rayon, z11 and P10 through the view's slots with their
// fields rewritten with 6 decimals.
void FenPrincipale::appliquerParametres(const double valeurs[7], int nombre) {
    void (GLWidget::*angles[4])(int) = {&GLWidget::setTheta00, &GLWidget::setTheta02,
                                        &GLWidget::setTheta20, &GLWidget::setTheta22};
    void (GLWidget::*longueurs[3])(double) = {&GLWidget::setRayon, &GLWidget::setZ11,
                                              &GLWidget::setP10};
    QLineEdit* champs[3] = {rayonValeur, z11Valeur, P10Valeur};
    for (int n = 0; n < nombre && n < 7; ++n) {
        if (n < 4) {
            (glWidget->*angles[n])(radiansEnDegres(valeurs[n]));
        } else {
            (glWidget->*longueurs[n - 4])(valeurs[n]);
            champs[n - 4]->setText(texteDecimal(valeurs[n]));
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

// --- Help boxes -------------------------------------------------------------------

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

// --- Edit commands ----------------------------------------------------------------

// "&Affichage": cycles filled -> outlines -> points -> filled in the
// view's context and redraws.
void FenPrincipale::modeAffichage() {
    mode = (mode + 1) % 3;
    glWidget->setModePolygone(mode);
}

// "Plan Py": frame built on the plane Py; rebuild, refresh the table, the
// message and the results, redraw.
void FenPrincipale::choixY() {
    actionChoixY->setChecked(true);
    actionChoixZ->setChecked(false);
    glWidget->choix = 0;
    reconstruireEtMontrer();
    pointMiseAJour();
}

// "Plan Pz": the same on the plane Pz.
void FenPrincipale::choixZ() {
    actionChoixY->setChecked(false);
    actionChoixZ->setChecked(true);
    glWidget->choix = 1;
    reconstruireEtMontrer();
    pointMiseAJour();
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

    afficheCarreauBox->setChecked(true);
    afficheBordBox->setChecked(false);
    afficheCarreauBoxNew->setChecked(false);
    affichePolyBoxNew->setChecked(false);
    afficheBordBoxNew->setChecked(false);
    afficheCyclideBox->setChecked(false);
    afficheCarreauCyclideBox->setChecked(false);

    actionChoixY->setChecked(false);
    actionChoixZ->setChecked(true);

    ecrireChamp(P10Valeur, tr("-7.982"));
    ecrireChamp(z11Valeur, tr("8.0"));
    ecrireChamp(rayonValeur, tr("4.0"));

    glWidget->exemple = 0;
    glWidget->quitterCarreau();
    glWidget->choix = 1;

    glWidget->setXRotation(0);
    glWidget->setYRotation(0);
    glWidget->setZRotation(0);
    glWidget->Scal = 1.5;
    glWidget->annulerCadrage();

    glWidget->setAfficheCarreau(1);
    glWidget->setAfficheBord(0);
    glWidget->setAfficheCarreauNew(0);
    glWidget->setAfficheBordNew(0);
    glWidget->setAffichePolyNew(0);
    glWidget->setAfficheCyclide(0);
    glWidget->setAfficheCarreauCyclide(0);

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

// "&Ombrage": the patch and the converted patch shaded or flat.
void FenPrincipale::ombrage(bool actif) {
    glWidget->setOmbrage(actif);
}

// "Re&cadrer": the shown drawings fitted into the view.
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
