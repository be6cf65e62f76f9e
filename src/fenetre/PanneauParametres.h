// PanneauParametres: the parameter panel "Parametres": four angle sliders
// (whole degrees) with their radian fields, then the fields of the start
// radius, of the height z11 and of P10. Each slider is tied both ways to
// its angle in the view; the window connects the sliders' and fields'
// signals to its own slots, which call the operations below.
#ifndef CYCLIDE_FENETRE_PANNEAUPARAMETRES_H
#define CYCLIDE_FENETRE_PANNEAUPARAMETRES_H

#include <QGroupBox>

class GLWidget;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QSlider;

namespace cyclide {

class EtiquetteElidee;

class PanneauParametres : public QGroupBox {
    Q_OBJECT

  public:
    // In: vue, the view whose parameters the panel shows and changes (it
    // outlives the panel). The sliders and fields start at the view's values.
    explicit PanneauParametres(GLWidget* vue, QWidget* parent = nullptr);

    // The slider (k 0..3: theta00, theta02, theta20, theta22).
    QSlider* curseur(int k) const { return curseurs[k]; }
    // The radian field of angle k (0..3).
    QLineEdit* champAngle(int k) const { return champsAngles[k]; }
    // The field of length k (0 rayon, 1 z11, 2 P10).
    QLineEdit* champLongueur(int k) const { return champsLongueurs[k]; }

    // Slider echo: field k shows t degrees in radians with 6 decimals; the
    // scene is rebuilt (nothing is computed again for the same inputs) and
    // redrawn once more.
    // Units: t in whole degrees.
    void echoCurseur(int k, int t);
    // The end of an edit of angle field k (Return, Tab, a click elsewhere):
    // the text read as radians (lireSaisie) goes to the view exactly and
    // the slider shows its nearest degree without feeding back. A text
    // that is not a number is refused: the field is marked, its tooltip
    // gives the value in use, refus() tells why, the angle is kept. A field
    // the user did not edit changes nothing.
    void retourChampAngle(int k);
    // The end of an edit of length field k: the value read the same way
    // goes to the view, then the scene is rebuilt and redrawn once more;
    // the text stays.
    void retourChampLongueur(int k);
    // Applies every field's pending edit, as if each had lost the focus.
    // Out: empty when every field shows the value in use; otherwise what
    // the first field still holding a refused text holds, and the value
    // in use.
    QString appliquerSaisies();
    // Escape in a field: the text of the value in use comes back, the mark
    // goes.
    void reprendreChamp(QLineEdit* champ);
    // Brings the seven fields and the four sliders to the view's values: a
    // field whose text does not show the value to 6 significant digits gets
    // its exact text, each slider its nearest degree, without signals.
    void accorderChamps();
    // Names the source of the patch shown (a net file, an example) and
    // greys the seven parameters while it is shown; an empty source: the
    // patch of the parameters, which are enabled again.
    void montrerSource(const QString& source);
    // True when the field is marked as holding a refused text.
    static bool refuse(const QLineEdit* champ);
    // The seven fields written as at start-up (6 significant digits: 0,
    // 1.5708, -1.0472, 3.14159, 4, 8, -7.982 for the start-up values),
    // unmarked, the sliders at their nearest degree.
    void textesDemarrage();

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

  signals:
    // A typed text was refused; message says which and why.
    void refus(const QString& message);
    // "Reprendre les parametres" was pressed while a net or an example is shown.
    void reprendre();

  private:
    QSlider* nouveauCurseur(int k, double radians);
    QLineEdit* nouveauChamp(const QString& nom, double valeur);
    bool lireChamp(QLineEdit* champ, const QString& nom, double& valeur);
    void placerCurseur(int k, double radians);
    void marquer(QLineEdit* champ, bool refuse);
    double valeurEnUsage(const QLineEdit* champ) const;
    int rang(const QLineEdit* champ) const;
    void creerSource(QGridLayout* grille);

    GLWidget* vue;
    QSlider* curseurs[4];
    QLineEdit* champsAngles[4];
    QLineEdit* champsLongueurs[3];
    EtiquetteElidee* source = nullptr;
    QPushButton* boutonReprendre = nullptr;
};

} // namespace cyclide

#endif
