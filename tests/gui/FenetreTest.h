// What the window's test suites share: the window with its file dialogs and
// message boxes replaced, a child finder, file bytes and image pixels.
#ifndef FENETRE_TEST_H
#define FENETRE_TEST_H

#include "fenetre/FenPrincipale.h"
#include "fenetre/glwidget.h"

#include <QAction>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QtTest>

// One message box the window would have shown.
struct Message {
    QString titre;
    QString texte;
};

// The window with its dialogs replaced: the file dialogs return the names
// queued by the test (empty, as when cancelled, once the queue is empty)
// and are listed as "titre|filtre"; the message boxes are recorded.
class FenetreTest : public FenPrincipale {
  public:
    // The axes indicator off, so that a view shows only the scene, and the
    // flat drawing the view's pixel checks are written for (the window
    // starts shaded).
    FenetreTest() {
        findChild<QAction*>(QStringLiteral("actionAxes"))->setChecked(false);
        findChild<QAction*>(QStringLiteral("actionOmbrage"))->setChecked(false);
    }

    QStringList nomsAFournir;
    QStringList dialogues;
    QList<Message> informations;
    QList<Message> avertissements;
    // The size the image dialog answers (empty: cancelled).
    QSize tailleDemandee = QSize(800, 800);
    // The answers to the questions, in order (then: no, Cancel, nothing);
    // the questions asked.
    QList<bool> confirmations;
    QList<QMessageBox::StandardButton> reponsesEnregistrement;
    QList<int> choixEnregistrement;
    QStringList questions;

  protected:
    QString nomFichierOuverture(const QString& titre, const QString& filtre) override {
        return fournirNom(titre, filtre);
    }
    QString nomFichierEnregistrement(const QString& titre, const QString& filtre) override {
        return fournirNom(titre, filtre);
    }
    void messageInformation(const QString& titre, const QString& texte) override {
        informations.append({titre, texte});
    }
    void messageAvertissement(const QString& titre, const QString& texte) override {
        avertissements.append({titre, texte});
    }

    QSize tailleImage(const QSize& /*defaut*/) override { return tailleDemandee; }
    void messageAide(const QString& titre, const QString& texte) override {
        informations.append({titre, texte});
    }
    bool confirmer(const QString& titre, const QString& question) override {
        questions.append(titre + "|" + question);
        return !confirmations.isEmpty() && confirmations.takeFirst();
    }
    QMessageBox::StandardButton demanderEnregistrement() override {
        questions.append(QStringLiteral("modifies"));
        return reponsesEnregistrement.isEmpty() ? QMessageBox::Cancel
                                                : reponsesEnregistrement.takeFirst();
    }
    int choisirEnregistrement(const QString& source) override {
        questions.append(QStringLiteral("quoi|") + source);
        return choixEnregistrement.isEmpty() ? -1 : choixEnregistrement.takeFirst();
    }

  private:
    QString fournirNom(const QString& titre, const QString& filtre) {
        dialogues.append(titre + "|" + filtre);
        return nomsAFournir.isEmpty() ? QString() : nomsAFournir.takeFirst();
    }
};

// The child of that object name and type; stops the test run when missing.
template <typename T> T* enfant(QObject& parent, const QString& nom) {
    T* objet = parent.findChild<T*>(nom);
    if (objet == nullptr) {
        qFatal("no child %s", qPrintable(nom));
    }
    return objet;
}

// The whole content of a file ("<illisible>" when it cannot be read).
inline QByteArray lireOctets(const QString& chemin) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        return QByteArray("<illisible>");
    }
    return fichier.readAll();
}

// Writes the whole file; false when it cannot.
inline bool ecrireOctets(const QString& chemin, const QByteArray& octets) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::WriteOnly) && fichier.write(octets) == octets.size();
}

inline bool blanc(QRgb pixel) {
    return qRed(pixel) == 255 && qGreen(pixel) == 255 && qBlue(pixel) == 255;
}

// Shows the window and waits until its view has a context.
inline bool afficherFenetre(FenPrincipale& f) {
    f.show();
    if (!QTest::qWaitForWindowExposed(&f)) {
        return false;
    }
    GLWidget* vue = enfant<GLWidget>(f, QStringLiteral("glWidget"));
    vue->grabFramebuffer();
    return vue->isValid();
}

// Number of pixels that are not pure white.
inline int pixelsColores(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += blanc(image.pixel(x, y)) ? 0 : 1;
        }
    }
    return n;
}

#endif
