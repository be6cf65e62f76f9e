// PanneauInformations: the control-point panel "Informations": a table of
// the nine control points of the shown patch, x, y, z and weight per row,
// rows "00" to "22" (the digit of u then the digit of v).
#ifndef CYCLIDE_FENETRE_PANNEAUINFORMATIONS_H
#define CYCLIDE_FENETRE_PANNEAUINFORMATIONS_H

#include <QGroupBox>
#include <QLineEdit>

class RBBPd;

namespace cyclide {

class PanneauInformations : public QGroupBox {
    Q_OBJECT

  public:
    explicit PanneauInformations(QWidget* parent = nullptr);

    // Fills row 3i + j with x, y, z and the weight of control point P[i][j].
    // In: the patch in world coordinates.
    void remplir(const RBBPd& carreau);

  private:
    QLineEdit pointValeur[9][4];
};

} // namespace cyclide

#endif
