#include "PanneauParametres.h"

#include "Constantes.h"
#include "FichierParametres.h"
#include "OutilsFenetre.h"
#include "glwidget.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include <algorithm>

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
    setLayout(grille);
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
    return champ;
}

void PanneauParametres::echoCurseur(int k, int t) {
    ecrireChamp(champsAngles[k], texteDecimal(t * DEUX_PI / 360));
    vue->initProjet();
    vue->update();
}

void PanneauParametres::retourChampAngle(int k) {
    (vue->*SLOTS_ANGLES[k])(radiansEnDegres(champsAngles[k]->text().toDouble()));
}

void PanneauParametres::retourChampLongueur(int k) {
    (vue->*SLOTS_LONGUEURS[k])(champsLongueurs[k]->text().toDouble());
    vue->initProjet();
    vue->update();
}

void PanneauParametres::ecrireLongueur(int k, double valeur) {
    champsLongueurs[k]->setText(texteDecimal(valeur));
}

void PanneauParametres::textesDeDepart() {
    ecrireChamp(champsLongueurs[2], tr("-7.982"));
    ecrireChamp(champsLongueurs[1], tr("8.0"));
    ecrireChamp(champsLongueurs[0], tr("4.0"));
}
