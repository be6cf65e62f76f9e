// OutilsFenetre: the small helpers the window's panels share: centred
// labels, fields that show the start of their text, number texts.
#ifndef OUTILS_FENETRE_H
#define OUTILS_FENETRE_H

#include <QString>

class QLabel;
class QLineEdit;

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

#endif
