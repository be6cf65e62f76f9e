// PanneauCyclide: the results panel "Cyclide": one selectable value per row
// (kind, a, b, c, mu, centre, the three axes of the frame, the piece's
// angle ranges, the residual, the plane, the uncertainty, the kinds the
// numbers admit) of the view's scene.
#ifndef CYCLIDE_FENETRE_PANNEAUCYCLIDE_H
#define CYCLIDE_FENETRE_PANNEAUCYCLIDE_H

#include <QGroupBox>

namespace cyclide {

class EtiquetteElidee;
struct Scene;

class PanneauCyclide : public QGroupBox {
    Q_OBJECT

  public:
    // Number of rows.
    static const int NOMBRE_LIGNES = 15;

    explicit PanneauCyclide(QWidget* parent = nullptr);

    // Fills the rows from the scene. A patch that is not converted says why
    // in the first row and leaves the others empty.
    // Frame: centre and axes in world coordinates.
    void remplir(const Scene& scene);
    // The rows as text, one "name<TAB>value" line each, for the clipboard.
    QString texteResultats() const;

  private:
    EtiquetteElidee* resultats[NOMBRE_LIGNES];
};

} // namespace cyclide

#endif
