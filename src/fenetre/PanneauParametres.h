// PanneauParametres: the parameter panel "Parametres": four angle sliders
// (whole degrees) with their radian fields, then the fields of the start
// radius, of the height z11 and of P10. Each slider is tied both ways to
// its angle in the view; the window connects the sliders' and fields'
// signals to its own slots, which call the operations below.
#ifndef PANNEAU_PARAMETRES_H
#define PANNEAU_PARAMETRES_H

#include <QGroupBox>

class GLWidget;
class QLineEdit;
class QSlider;

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
    // Return in angle field k: the text read as radians (a non-number reads
    // as 0), turned into whole degrees and given to the view.
    void retourChampAngle(int k);
    // Return in length field k: the value (0 for a non-number) goes to the
    // view, then the scene is rebuilt and redrawn once more; the text stays.
    void retourChampLongueur(int k);
    // Writes the value of length k with 6 decimals into its field.
    void ecrireLongueur(int k, double valeur);
    // The reset's texts of the length fields: "-7.982", "8.0", "4.0" for
    // P10, z11 and rayon, in that order.
    void textesDeDepart();

  private:
    QSlider* nouveauCurseur(int k, double radians);
    QLineEdit* nouveauChamp(const QString& nom, double valeur);

    GLWidget* vue;
    QSlider* curseurs[4];
    QLineEdit* champsAngles[4];
    QLineEdit* champsLongueurs[3];
};

#endif
