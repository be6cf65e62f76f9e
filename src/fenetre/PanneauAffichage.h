// PanneauAffichage: the display panel "Affichage": seven text-less check
// boxes, each followed by its label, one per display list of the view; a
// box's state reaches the view's switch of the same list.
#ifndef CYCLIDE_FENETRE_PANNEAUAFFICHAGE_H
#define CYCLIDE_FENETRE_PANNEAUAFFICHAGE_H

#include <QGroupBox>

class GLWidget;
class QCheckBox;

namespace cyclide {

class PanneauAffichage : public QGroupBox {
    Q_OBJECT

  public:
    // In: vue, the view whose switches the boxes set (it outlives the
    // panel). The first box starts checked, the six others unchecked; the
    // states are set before the boxes are connected, so building the panel
    // changes nothing in the view.
    explicit PanneauAffichage(GLWidget* vue, QWidget* parent = nullptr);

    // The box of display list liste (1..7).
    QCheckBox* boite(int liste) const { return boites[liste - 1]; }
    // Checks the box of list 1 and unchecks the six others (the reset).
    void etatDeDepart();

  private:
    QCheckBox* boites[7];
};

} // namespace cyclide

#endif
