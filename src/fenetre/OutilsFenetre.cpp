#include "OutilsFenetre.h"

#include <QLabel>
#include <QLineEdit>
#include <QObject>

QLabel* etiquetteCentree(const QString& texte) {
    QLabel* etiquette = new QLabel(texte);
    etiquette->setAlignment(Qt::AlignCenter);
    return etiquette;
}

QString texteDecimal(double valeur) {
    return QString::number(valeur, 'f', 6);
}

void montrerDebut(QLineEdit* champ) {
    QObject::connect(champ, &QLineEdit::textChanged, champ, [champ] {
        if (!champ->isModified()) {
            champ->setCursorPosition(0);
        }
    });
    champ->setCursorPosition(0);
}

void ecrireChamp(QLineEdit* champ, const QString& texte) {
    if (champ->text() != texte.left(champ->maxLength())) {
        champ->setText(texte);
    }
    champ->setCursorPosition(0);
}

int largeurChamp(const QLineEdit& champ, const QString& modele) {
    const QMargins marges = champ.textMargins();
    return champ.fontMetrics().horizontalAdvance(modele) + marges.left() + marges.right() + 12;
}
