// OutilsFenetre: the small helpers the window's panels share: centred
// labels, fields that show the start of their text, number texts.
#ifndef CYCLIDE_FENETRE_OUTILSFENETRE_H
#define CYCLIDE_FENETRE_OUTILSFENETRE_H

#include <QLabel>
#include <QString>

#include <string>

class QLineEdit;

namespace cyclide {

// A label with texte centred both ways.
// Out: a new label without parent (a layout adopts it).
QLabel* etiquetteCentree(const QString& texte);

// A number with 6 decimals, as the fields and the table write it.
QString texteDecimal(double valeur);

// Makes the field show the start of the texts the program writes into it
// (the sign of a negative number first): after every change of text that
// was not typed the cursor goes back to the first character.
void montrerDebut(QLineEdit* champ);

// Writes texte (cut to the field's maximum length) into the field and shows
// its start; a field that already shows that text is left alone, so that a
// refresh repaints only the fields whose value changed.
void ecrireChamp(QLineEdit* champ, const QString& texte);

// The width in pixels a field needs to show modele whole: the text, the
// frame and the field's own margins.
int largeurChamp(const QLineEdit& champ, const QString& modele);

// Reads a typed value: one finite decimal number by the rule of the files
// (lireNombreDecimal), or the same written with a decimal comma instead of
// the point (French users type commas; files stay with the point).
// Out: true with the value; false, valeur unchanged, for anything else
// (empty, letters, "3,5,1", "1e400", "nan").
bool lireSaisie(const QString& texte, double& valeur);

// True when texte (trimmed, a decimal comma allowed as in lireSaisie) has
// the form of a number beyond the range of a double, such as 1e400.
bool saisieHorsLimites(const QString& texte);

// valeur with decimales decimals, a value that rounds to zero without its
// sign ("0.0000", never "-0.0000").
QString texteArrondi(double valeur, int decimales);

// The full value as the converter prints it: the shortest text that reads
// back as exactly valeur (at most 17 significant digits), -0 as "0"; a
// NaN or an infinity is "non défini".
QString texteComplet(double valeur);

// The shortest text that reads back as exactly valeur ("0.123456789",
// "-7.982", "1e+20").
QString texteExact(double valeur);

// A control-point table cell: valeur rounded to the digits shown, 4
// decimals at most and at most 7 characters for |valeur| < 100000 (a value
// that rounds to zero without its sign), otherwise scientific with 3
// significant digits. A NaN or an
// infinity gives an em dash, and bulle (when given) gets why; otherwise
// bulle gets the full value.
QString texteCellule(double valeur, QString* bulle = nullptr);

// Text taken from a file: UTF-8 when it is valid UTF-8, else ISO 8859-1.
QString texteFichier(const std::string& octets);

// A message of the core for the window: its own words are ISO 8859-1 (the
// console's bytes), the text it quotes between single quotes comes from a
// file and is read as UTF-8 when it is valid UTF-8.
QString texteCoeur(const std::string& message);

// A one-line label that never asks for more width than it is given: a text
// too long is drawn cut with an ellipsis, and the whole text is the
// label's tooltip. text() gives the whole text.
class EtiquetteElidee : public QLabel {
  public:
    explicit EtiquetteElidee(QWidget* parent = nullptr);
    // Shows texte (cut when too long) with bulle as tooltip (texte itself
    // when bulle is empty).
    void setTexte(const QString& texte, const QString& bulle = QString());
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* evenement) override;
};

} // namespace cyclide

#endif
