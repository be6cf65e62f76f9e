#include "fenetre/PanneauInformations.h"

#include "conversion/RBBPd.h"
#include "fenetre/OutilsFenetre.h"

#include <QGridLayout>
#include <QLabel>

namespace cyclide {

// Headers "Px" "Py" "Pz" "Poids" and "00".."22"; 36 read-only fields of a
// fixed width, enough for the longest text a cell shows ("-1.23e-05").
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
            champ.setFixedWidth(largeurChamp(champ, QStringLiteral("-0.00e-00")));
            montrerDebut(&champ);
            champ.setReadOnly(true);
            grille->addWidget(&champ, k + 1, c + 1);
        }
    }
    setLayout(grille);
}

// Each value rounded to the digits shown (texteCellule), its full value or
// why it is missing in the cell's tooltip.
void PanneauInformations::remplir(const RBBPd& bez) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const int k = 3 * i + j;
            const Point p = bez.getP(i, j);
            const double valeurs[4] = {p.abs(), p.ord(), p.cote(), bez.getW(i, j)};
            for (int c = 0; c < 4; ++c) {
                QString bulle;
                ecrireChamp(&pointValeur[k][c], texteCellule(valeurs[c], &bulle));
                pointValeur[k][c].setToolTip(bulle);
            }
        }
    }
}

} // namespace cyclide
