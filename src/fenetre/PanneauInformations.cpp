#include "PanneauInformations.h"

#include "OutilsFenetre.h"
#include "RBBPd.h"

#include <QGridLayout>
#include <QLabel>

#include <algorithm>

// Headers "Px" "Py" "Pz" "Poids" and "00".."22"; 36 read-only fields of at
// most 6 characters, wide enough for the six (a sign and five digits).
PanneauInformations::PanneauInformations(QWidget* parent) : QGroupBox(tr("Informations"), parent) {
    setObjectName(QStringLiteral("infoGroupBox"));
    QGridLayout* grille = new QGridLayout;
    grille->addWidget(etiquetteCentree(tr("Px")), 0, 1);
    grille->addWidget(etiquetteCentree(tr("Py")), 0, 2);
    grille->addWidget(etiquetteCentree(tr("Pz")), 0, 3);
    grille->addWidget(etiquetteCentree(tr("Poids")), 0, 4);
    const char* lignes[9] = {"00", "01", "02", "10", "11", "12", "20", "21", "22"};
    for (int k = 0; k < 9; ++k) {
        grille->addWidget(etiquetteCentree(tr(lignes[k])), k + 1, 0);
        for (int c = 0; c < 4; ++c) {
            QLineEdit& champ = pointValeur[k][c];
            champ.setObjectName(QStringLiteral("pointValeur_%1_%2").arg(k).arg(c));
            const int largeur = largeurChamp(champ, QStringLiteral("-00.000"));
            champ.setMinimumWidth(largeur);
            champ.setMaximumWidth(std::max(45, largeur));
            champ.setMaxLength(6);
            montrerDebut(&champ);
            champ.setReadOnly(true);
            grille->addWidget(&champ, k + 1, c + 1);
        }
    }
    setLayout(grille);
}

// Each value with 6 decimals, cut to the field's 6 characters.
void PanneauInformations::remplir(const RBBPd& bez) {
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
}
