#include "fenetre/PanneauParametres.h"

#include "fenetre/OutilsFenetre.h"
#include "fenetre/glwidget.h"
#include "fichiers/FichierParametres.h"
#include "noyau/Constantes.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

namespace cyclide {

namespace {

using SignalAngle = void (GLWidget::*)(int);
using SlotAngle = void (GLWidget::*)(int);
using SlotLongueur = void (GLWidget::*)(double);

const SignalAngle SIGNAUX_ANGLES[4] = {&GLWidget::theta00Changed, &GLWidget::theta02Changed,
                                       &GLWidget::theta20Changed, &GLWidget::theta22Changed};
const SlotAngle SLOTS_ANGLES[4] = {&GLWidget::setTheta00, &GLWidget::setTheta02,
                                   &GLWidget::setTheta20, &GLWidget::setTheta22};
const SlotLongueur SLOTS_LONGUEURS[3] = {&GLWidget::setRayon, &GLWidget::setZ11, &GLWidget::setP10};

// The angle k (0..3) of the view, in radians.
double angleVue(const GLWidget& vue, int k) {
    const double angles[4] = {vue.getTheta00(), vue.getTheta02(), vue.getTheta20(),
                              vue.getTheta22()};
    return angles[k];
}

// The names of the seven parameters in messages.
const char* const NOMS[7] = {"t00", "t02", "t20", "t22", "Rayon", "z11", "P10"};

// The length k (0 rayon, 1 z11, 2 P10) of the view.
double longueurVue(const GLWidget& vue, int k) {
    const double longueurs[3] = {vue.getRayon(), vue.getZ11(), vue.getP10()};
    return longueurs[k];
}

} // namespace

PanneauParametres::PanneauParametres(GLWidget* vueModele, QWidget* parent)
    : QGroupBox(tr("Parametres"), parent), vue(vueModele) {
    setObjectName(QStringLiteral("parametresGroupBox"));
    QGridLayout* grille = new QGridLayout;

    const char* nomsAngles[4] = {"theta00", "theta02", "theta20", "theta22"};
    const char* etiquettes[4] = {"t00", "t02", "t20", "t22"};
    for (int k = 0; k < 4; ++k) {
        curseurs[k] = nouveauCurseur(k, angleVue(*vue, k));
        curseurs[k]->setObjectName(QString::fromLatin1(nomsAngles[k]) + "Slider");
        champsAngles[k] =
            nouveauChamp(QString::fromLatin1(nomsAngles[k]) + "Valeur", angleVue(*vue, k));
        grille->addWidget(etiquetteCentree(tr(etiquettes[k])), k, 0);
        grille->addWidget(curseurs[k], k, 1, 1, 2);
        grille->addWidget(champsAngles[k], k, 3);
    }

    const char* nomsLongueurs[3] = {"rayonValeur", "z11Valeur", "P10Valeur"};
    for (int k = 0; k < 3; ++k) {
        champsLongueurs[k] =
            nouveauChamp(QString::fromLatin1(nomsLongueurs[k]), longueurVue(*vue, k));
    }
    grille->addWidget(etiquetteCentree(tr("Rayon")), 4, 0);
    grille->addWidget(champsLongueurs[0], 4, 1);
    grille->addWidget(etiquetteCentree(tr("z11")), 4, 2);
    grille->addWidget(champsLongueurs[1], 4, 3);
    grille->addWidget(etiquetteCentree(tr("P10")), 5, 0);
    grille->addWidget(champsLongueurs[2], 5, 1);
    creerSource(grille);
    setLayout(grille);

    const char* bullesAngles[4] = {"Angle du coin P00 sur le cercle de départ", "Angle du coin P02",
                                   "Angle du coin P20", "Angle du coin P22"};
    const QString application = tr(" ; appliqué par Entrée, Tab ou un clic ailleurs, Échap "
                                   "reprend la valeur en usage");
    for (int k = 0; k < 4; ++k) {
        curseurs[k]->setToolTip(tr(bullesAngles[k]) + tr(" (degrés entiers)"));
        champsAngles[k]->setProperty("bulle",
                                     tr(bullesAngles[k]) + tr(" en radians") + application);
    }
    champsLongueurs[0]->setProperty("bulle", tr("Rayon du cercle de départ") + application);
    champsLongueurs[1]->setProperty("bulle",
                                    tr("Cote du point de contrôle central P11") + application);
    champsLongueurs[2]->setProperty("bulle",
                                    tr("Coordonnée libre du point de contrôle P10") + application);
    for (QLineEdit* champ : champsAngles) {
        marquer(champ, false);
    }
    for (QLineEdit* champ : champsLongueurs) {
        marquer(champ, false);
    }
}

// Row 6: the source of the patch shown and the button that goes back to
// the patch of the parameters.
void PanneauParametres::creerSource(QGridLayout* grille) {
    source = new EtiquetteElidee;
    source->setObjectName(QStringLiteral("sourceCarreau"));
    boutonReprendre = new QPushButton(tr("Reprendre les paramètres"));
    boutonReprendre->setObjectName(QStringLiteral("boutonReprendre"));
    boutonReprendre->setToolTip(
        tr("Quitter le carreau ou l'exemple montré et revenir au carreau des paramètres"));
    grille->addWidget(source, 6, 0, 1, 2);
    grille->addWidget(boutonReprendre, 6, 2, 1, 2);
    connect(boutonReprendre, &QPushButton::clicked, this, &PanneauParametres::reprendre);
    montrerSource(QString());
}

// One angle slider from -180 to 180 at t (radians) in whole degrees, ticks
// every 30 below; its value is set before it is connected both ways to the
// view, so building it changes nothing in the view.
QSlider* PanneauParametres::nouveauCurseur(int k, double radians) {
    QSlider* slider = new QSlider(Qt::Horizontal);
    slider->setRange(-180, 180);
    slider->setValue(radiansEnDegres(radians));
    slider->setTickInterval(30);
    slider->setTickPosition(QSlider::TicksBelow);
    connect(slider, &QSlider::valueChanged, vue, SLOTS_ANGLES[k]);
    connect(vue, SIGNAUX_ANGLES[k], slider, &QSlider::setValue);
    return slider;
}

// A parameter field showing valeur with 6 significant digits, wide enough
// for a value written with 6 decimals and its sign, showing the start of
// its text.
QLineEdit* PanneauParametres::nouveauChamp(const QString& nom, double valeur) {
    QLineEdit* champ = new QLineEdit(QString::number(valeur, 'g', 6));
    champ->setObjectName(nom);
    const int largeur = largeurChamp(*champ, QStringLiteral("-0.0000000"));
    champ->setMinimumWidth(largeur);
    champ->setMaximumWidth(std::max(55, largeur));
    montrerDebut(champ);
    champ->installEventFilter(this);
    return champ;
}

// Escape in a field takes back the value in use.
bool PanneauParametres::eventFilter(QObject* objet, QEvent* evenement) {
    QLineEdit* champ = qobject_cast<QLineEdit*>(objet);
    if (champ != nullptr && evenement->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(evenement)->key() == Qt::Key_Escape && rang(champ) >= 0) {
        reprendreChamp(champ);
        return true;
    }
    return QGroupBox::eventFilter(objet, evenement);
}

// The field's number 0..6 (four angles, then rayon, z11, P10); -1 for
// another widget.
int PanneauParametres::rang(const QLineEdit* champ) const {
    for (int k = 0; k < 4; ++k) {
        if (champ == champsAngles[k]) {
            return k;
        }
    }
    for (int k = 0; k < 3; ++k) {
        if (champ == champsLongueurs[k]) {
            return 4 + k;
        }
    }
    return -1;
}

double PanneauParametres::valeurEnUsage(const QLineEdit* champ) const {
    const int k = rang(champ);
    return k < 4 ? angleVue(*vue, k) : longueurVue(*vue, k - 4);
}

// A refused text is marked (pink) and its tooltip gives the value in use;
// an accepted one gets the field's own tooltip back.
void PanneauParametres::marquer(QLineEdit* champ, bool refuse) {
    champ->setProperty("refuse", refuse);
    champ->setStyleSheet(refuse ? QStringLiteral("QLineEdit { background: #ffd6d6; }") : QString());
    const QString bulle = champ->property("bulle").toString();
    champ->setToolTip(refuse ? tr("Texte refusé : la valeur en usage est %1 (Échap la "
                                  "reprend).\n%2")
                                   .arg(texteExact(valeurEnUsage(champ)), bulle)
                             : bulle);
}

void PanneauParametres::reprendreChamp(QLineEdit* champ) {
    ecrireChamp(champ, texteExact(valeurEnUsage(champ)));
    champ->setModified(false);
    marquer(champ, false);
}

QString PanneauParametres::appliquerSaisies() {
    for (int k = 0; k < 4; ++k) {
        retourChampAngle(k);
    }
    for (int k = 0; k < 3; ++k) {
        retourChampLongueur(k);
    }
    for (int k = 0; k < 7; ++k) {
        const QLineEdit* champ = k < 4 ? champsAngles[k] : champsLongueurs[k - 4];
        if (refuse(champ)) {
            return tr("%1 : le texte '%2' est refusé, la valeur en usage est %3.")
                .arg(tr(NOMS[k]), champ->text(), texteExact(valeurEnUsage(champ)));
        }
    }
    return QString();
}

void PanneauParametres::echoCurseur(int k, int t) {
    ecrireChamp(champsAngles[k], texteDecimal(t * DEUX_PI / 360));
    vue->initProjet();
    vue->update();
}

// Reads the typed text of champ; a refused text marks the field and tells
// why through refus().
bool PanneauParametres::lireChamp(QLineEdit* champ, const QString& nom, double& valeur) {
    if (lireSaisie(champ->text(), valeur)) {
        marquer(champ, false);
        return true;
    }
    marquer(champ, true);
    const QString texte = champ->text().trimmed();
    const QString pourquoi = saisieHorsLimites(texte) ? tr("est hors des limites des nombres")
                                                      : tr("n'est pas un nombre");
    emit refus(tr("%1 : '%2' %3 (exemples : 1.25, 1,25, -3e-2) ; la valeur en usage reste %4.")
                   .arg(nom, texte.left(40), pourquoi, texteExact(valeurEnUsage(champ))));
    return false;
}

// The slider of angle k at the nearest degree of radians, without a signal.
void PanneauParametres::placerCurseur(int k, double radians) {
    const QSignalBlocker bloque(curseurs[k]);
    curseurs[k]->setValue(radiansEnDegres(radians));
}

void PanneauParametres::retourChampAngle(int k) {
    double valeur = 0;
    if (!champsAngles[k]->isModified() || !lireChamp(champsAngles[k], tr(NOMS[k]), valeur)) {
        return;
    }
    champsAngles[k]->setModified(false);
    vue->setAngleRadians(k, valeur);
    placerCurseur(k, valeur);
}

void PanneauParametres::retourChampLongueur(int k) {
    double valeur = 0;
    if (!champsLongueurs[k]->isModified() ||
        !lireChamp(champsLongueurs[k], tr(NOMS[4 + k]), valeur)) {
        return;
    }
    champsLongueurs[k]->setModified(false);
    (vue->*SLOTS_LONGUEURS[k])(valeur);
    vue->initProjet();
    vue->update();
}

bool PanneauParametres::refuse(const QLineEdit* champ) {
    return champ->property("refuse").toBool();
}

void PanneauParametres::accorderChamps() {
    QLineEdit* champs[7] = {champsAngles[0],   champsAngles[1],    champsAngles[2],
                            champsAngles[3],   champsLongueurs[0], champsLongueurs[1],
                            champsLongueurs[2]};
    for (int k = 0; k < 7; ++k) {
        const double modele = k < 4 ? angleVue(*vue, k) : longueurVue(*vue, k - 4);
        double montre = 0;
        const bool lu = lireSaisie(champs[k]->text(), montre);
        if (!lu || QString::number(montre, 'g', 6) != QString::number(modele, 'g', 6)) {
            ecrireChamp(champs[k], texteExact(modele));
        }
        champs[k]->setModified(false);
        marquer(champs[k], false);
    }
    for (int k = 0; k < 4; ++k) {
        placerCurseur(k, angleVue(*vue, k));
    }
}

void PanneauParametres::montrerSource(const QString& nom) {
    const bool parametres = nom.isEmpty();
    for (int k = 0; k < 4; ++k) {
        curseurs[k]->setEnabled(parametres);
        champsAngles[k]->setEnabled(parametres);
    }
    for (QLineEdit* champ : champsLongueurs) {
        champ->setEnabled(parametres);
    }
    boutonReprendre->setEnabled(!parametres);
    source->setTexte(parametres ? tr("Carreau des paramètres") : nom);
}

void PanneauParametres::textesDemarrage() {
    for (int k = 0; k < 4; ++k) {
        ecrireChamp(champsAngles[k], QString::number(angleVue(*vue, k), 'g', 6));
        placerCurseur(k, angleVue(*vue, k));
    }
    for (int k = 0; k < 3; ++k) {
        ecrireChamp(champsLongueurs[k], QString::number(longueurVue(*vue, k), 'g', 6));
    }
    for (QLineEdit* champ : champsAngles) {
        champ->setModified(false);
        marquer(champ, false);
    }
    for (QLineEdit* champ : champsLongueurs) {
        champ->setModified(false);
        marquer(champ, false);
    }
}

} // namespace cyclide
