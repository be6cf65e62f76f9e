#include "fenetre/PanneauAffichage.h"

#include "fenetre/glwidget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

namespace cyclide {

namespace {

// Where the box of a list sits, its name, its label, its tooltip and the
// view's slot.
struct Case {
    const char* nom;
    const char* etiquette;
    const char* bulle;
    int ligne;
    int colonne;
    void (GLWidget::*slot)(int);
};

// Lists 1..7 in order.
const Case CASES[7] = {
    {"afficheCarreauBox", "Afficher carreau", "Le carreau donne, dans le repere du monde", 0, 0,
     &GLWidget::setAfficheCarreau},
    {"afficheBordBox", "Afficher Bord", "Les quatre bords du carreau donne", 0, 2,
     &GLWidget::setAfficheBord},
    {"afficheCarreauBoxNew", "Nouveau Carreau", "Le carreau dans le repere de sa cyclide", 1, 0,
     &GLWidget::setAfficheCarreauNew},
    {"afficheBordBoxNew", "Nouveau Bord", "Les bords du carreau dans le repere de sa cyclide", 1, 2,
     &GLWidget::setAfficheBordNew},
    {"affichePolyBoxNew", "Nouveau Polyedre",
     "Le polyedre de controle du carreau dans le repere de sa cyclide", 2, 0,
     &GLWidget::setAffichePolyNew},
    {"afficheCyclideBox", "Afficher cyclide", "La cyclide entiere qui porte le carreau", 3, 0,
     &GLWidget::setAfficheCyclide},
    {"afficheCarreauCyclideBox", "Carreau cyclide", "Le morceau de cyclide que couvre le carreau",
     3, 2, &GLWidget::setAfficheCarreauCyclide},
};

} // namespace

PanneauAffichage::PanneauAffichage(GLWidget* vue, QWidget* parent)
    : QGroupBox(tr("Affichage"), parent) {
    setObjectName(QStringLiteral("affichageGroupBox"));
    QGridLayout* grille = new QGridLayout;
    grille->setColumnStretch(1, 1);
    grille->setColumnStretch(3, 1);
    for (int k = 0; k < 7; ++k) {
        boites[k] = new QCheckBox;
        boites[k]->setObjectName(QString::fromLatin1(CASES[k].nom));
        boites[k]->setChecked(k == 0);
        boites[k]->setToolTip(tr(CASES[k].bulle));
        grille->addWidget(boites[k], CASES[k].ligne, CASES[k].colonne, Qt::AlignLeft);
        grille->addWidget(new QLabel(tr(CASES[k].etiquette)), CASES[k].ligne, CASES[k].colonne + 1,
                          Qt::AlignLeft);
    }
    for (int k = 0; k < 7; ++k) {
        connect(boites[k], &QCheckBox::stateChanged, vue, CASES[k].slot);
    }
    setLayout(grille);
}

// In the reset's order: list 1, 2, 3, 5, 4, 6, 7.
void PanneauAffichage::etatDeDepart() {
    const int ordre[7] = {1, 2, 3, 5, 4, 6, 7};
    for (int liste : ordre) {
        boites[liste - 1]->setChecked(liste == 1);
    }
}

} // namespace cyclide
