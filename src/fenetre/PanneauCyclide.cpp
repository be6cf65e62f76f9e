#include "fenetre/PanneauCyclide.h"

#include "fenetre/OutilsFenetre.h"
#include "scene/Scene.h"

#include <QGridLayout>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace cyclide {

namespace {

// The rows, top to bottom.
const char* const LIGNES_RESULTATS[PanneauCyclide::NOMBRE_LIGNES] = {
    "Type",  "a",     "b",   "c",        "mu",   "Centre",      "Axe 1",       "Axe 2",
    "Axe 3", "Theta", "Psi", "Residu R", "Plan", "Incertitude", "Genres admis"};

// A result rounded to 4 decimals, its sign shown; "non defini" for a
// non-number or an infinity.
QString valeurResultat(double valeur) {
    if (!std::isfinite(valeur)) {
        return QObject::tr("non defini");
    }
    return QString::number(valeur, 'f', 4);
}

// A residual with 3 significant digits; "non defini" when not finite.
QString texteResidu(double residu) {
    return std::isfinite(residu) ? QString::number(residu, 'e', 2) : valeurResultat(residu);
}

// A point or an axis as (x, y, z).
QString triplet(double x, double y, double z) {
    return QStringLiteral("(%1, %2, %3)")
        .arg(valeurResultat(x), valeurResultat(y), valeurResultat(z));
}

// An angle range as [debut ; fin].
QString intervalle(double debut, double fin) {
    return QStringLiteral("[%1 ; %2]").arg(valeurResultat(debut), valeurResultat(fin));
}

} // namespace

PanneauCyclide::PanneauCyclide(QWidget* parent) : QGroupBox(tr("Cyclide"), parent) {
    setObjectName(QStringLiteral("cyclideGroupBox"));
    QGridLayout* grille = new QGridLayout;
    for (int k = 0; k < NOMBRE_LIGNES; ++k) {
        grille->addWidget(new QLabel(tr(LIGNES_RESULTATS[k])), k, 0);
        resultats[k] = new EtiquetteElidee;
        resultats[k]->setObjectName(QStringLiteral("resultat_%1").arg(k));
        grille->addWidget(resultats[k], k, 1);
    }
    grille->setColumnStretch(1, 1);
    grille->setColumnMinimumWidth(
        1, fontMetrics().horizontalAdvance(QStringLiteral("(-0.0000, -0.0000, -0.0000)")));
    setLayout(grille);
}

void PanneauCyclide::remplir(const Scene& s) {
    QString valeurs[NOMBRE_LIGNES];
    if (s.type != 0 && !estCyclide(s.typeCyclide)) {
        // The best reading's residual, the one the refusal is measured by.
        valeurs[11] = texteResidu(s.residu);
    }
    if (!estCyclide(s.typeCyclide) && !s.raison.empty()) {
        valeurs[0] = tr("Non convertible : %1").arg(texteCoeur(s.raison));
    } else if (s.type == 0) {
        valeurs[0] = tr("Non convertible : le poids central ou les plans des bords opposes ne "
                        "conviennent pas a une cyclide de Dupin");
    } else if (!estCyclide(s.typeCyclide)) {
        valeurs[0] = tr("Non convertible : la cyclide trouvee n'est pas finie");
    } else {
        const RBBPd& c = s.converti;
        valeurs[0] = tr(description(s.typeCyclide).libelle);
        valeurs[1] = valeurResultat(c.a);
        valeurs[2] = valeurResultat(std::sqrt(c.a * c.a - c.c * c.c));
        valeurs[3] = valeurResultat(c.c);
        valeurs[4] = valeurResultat(c.mu);
        valeurs[5] = triplet(c.omega.getX0(), c.omega.getY0(), c.omega.getZ0());
        for (int k = 0; k < 3; ++k) {
            valeurs[6 + k] = triplet(c.Base[0][k], c.Base[1][k], c.Base[2][k]);
        }
        valeurs[9] = intervalle(s.morceau.u0, s.morceau.u1);
        valeurs[10] = intervalle(s.morceau.v0, s.morceau.v1);
        valeurs[11] = texteResidu(s.residu);
        valeurs[12] = s.type == 2
                          ? tr("sans objet (tore ou sphere)")
                          : (s.entree.plan == PlanConversion::Pz ? tr("Plan Pz") : tr("Plan Py"));
        // What the net's numbers determine of a, c, mu, relative to the size.
        valeurs[13] = texteResidu(s.incertitude);
        // Every kind of shape within that uncertainty, the reported one first.
        QStringList admis;
        for (const GenreCyclide g : codesAdmis(s.genresAdmis, s.typeCyclide))
            admis << tr(description(g).libelle);
        valeurs[14] = admis.join(QStringLiteral(", "));
    }
    for (int k = 0; k < NOMBRE_LIGNES; ++k) {
        resultats[k]->setTexte(valeurs[k]);
    }
}

QString PanneauCyclide::texteResultats() const {
    QStringList lignes;
    for (int k = 0; k < NOMBRE_LIGNES; ++k) {
        lignes << tr(LIGNES_RESULTATS[k]) + QLatin1Char('\t') + resultats[k]->text();
    }
    return lignes.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace cyclide
