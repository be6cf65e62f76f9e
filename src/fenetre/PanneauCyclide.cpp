#include "fenetre/PanneauCyclide.h"

#include "fenetre/OutilsFenetre.h"
#include "scene/Scene.h"

#include <QGridLayout>
#include <QLabel>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace cyclide {

namespace {

// The rows, top to bottom.
const char* const LIGNES_RESULTATS[PanneauCyclide::NOMBRE_LIGNES] = {
    "Type",  "a",     "b",   "c",        "mu",   "Centre",      "Axe 1",       "Axe 2",
    "Axe 3", "Theta", "Psi", "Résidu R", "Plan", "Incertitude", "Genres admis"};

// A row's text as shown (rounded) and in full (tooltip, copies).
struct Ligne {
    QString montre;  // rounded to 4 decimals, or 3 significant digits
    QString complet; // every digit, as the converter prints it
};

// The same text shown and in full.
Ligne texte(const QString& t) {
    return {t, t};
}

// A result rounded to 4 decimals (a rounded zero without its sign), in
// full in the tooltip; "non défini" for a non-number or an infinity.
Ligne valeurResultat(double valeur) {
    if (!std::isfinite(valeur)) {
        return texte(QObject::tr("non défini"));
    }
    return {texteArrondi(valeur, 4), texteComplet(valeur)};
}

// A residual with 3 significant digits; "non défini" when not finite.
Ligne texteResidu(double residu) {
    return std::isfinite(residu) ? Ligne{QString::number(residu, 'e', 2), texteComplet(residu)}
                                 : valeurResultat(residu);
}

// Several values joined between debut and fin.
Ligne groupe(std::initializer_list<double> valeurs, const char* debut, const char* separation,
             const char* fin) {
    QStringList montres;
    QStringList complets;
    for (double v : valeurs) {
        const Ligne l = valeurResultat(v);
        montres << l.montre;
        complets << l.complet;
    }
    const QString d = QString::fromLatin1(debut);
    const QString f = QString::fromLatin1(fin);
    const QString sep = QString::fromLatin1(separation);
    return {d + montres.join(sep) + f, d + complets.join(sep) + f};
}

// A point or an axis as (x, y, z).
Ligne triplet(double x, double y, double z) {
    return groupe({x, y, z}, "(", ", ", ")");
}

// An angle range as [debut ; fin].
Ligne intervalle(double debut, double fin) {
    return groupe({debut, fin}, "[", " ; ", "]");
}

// The reason a patch is not converted, in the first row.
QString raisonRefus(const Scene& s) {
    if (!s.raison.empty()) {
        return QObject::tr("Non convertible : %1").arg(texteCoeur(s.raison));
    }
    if (s.type == 0) {
        return QObject::tr("Non convertible : le poids central ou les plans des bords opposés ne "
                           "conviennent pas à une cyclide de Dupin");
    }
    return QObject::tr("Non convertible : la cyclide trouvée n'est pas finie");
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
    Ligne valeurs[NOMBRE_LIGNES];
    if (!estCyclide(s.typeCyclide)) {
        valeurs[0] = texte(raisonRefus(s));
        if (s.type != 0) {
            // The best reading's residual, the one the refusal is measured by.
            valeurs[11] = texteResidu(s.residu);
        }
    } else {
        const RBBPd& c = s.converti;
        valeurs[0] = texte(tr(description(s.typeCyclide).libelle));
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
        valeurs[12] = texte(
            s.type == 2 ? tr("sans objet (tore ou sphère)")
                        : (s.entree.plan == PlanConversion::Pz ? tr("Plan Pz") : tr("Plan Py")));
        // What the net's numbers determine of a, c, mu, relative to the size.
        valeurs[13] = texteResidu(s.incertitude);
        // Every kind of shape within that uncertainty, the reported one first.
        QStringList admis;
        for (const GenreCyclide g : codesAdmis(s.genresAdmis, s.typeCyclide))
            admis << tr(description(g).libelle);
        valeurs[14] = texte(admis.join(QStringLiteral(", ")));
    }
    for (int k = 0; k < NOMBRE_LIGNES; ++k) {
        // A value that does not exist for this patch shows a dash.
        const bool manque = valeurs[k].montre.isEmpty();
        resultats[k]->setTexte(manque ? QStringLiteral("\u2014") : valeurs[k].montre,
                               manque ? tr("Sans objet pour ce carreau") : valeurs[k].complet);
    }
}

QString PanneauCyclide::texteResultats() const {
    QStringList lignes;
    for (int k = 0; k < NOMBRE_LIGNES; ++k) {
        const QString complet =
            resultats[k]->text() == QStringLiteral("\u2014") ? QString() : resultats[k]->toolTip();
        lignes << tr(LIGNES_RESULTATS[k]) + QLatin1Char('\t') + complet;
    }
    return lignes.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace cyclide
