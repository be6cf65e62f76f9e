// The parameter panel's fields always show the value in use: an edit is
// applied when the field loses the focus however it loses it, a refused
// text stays marked with the value in use in its tooltip until it is fixed
// or taken back, and a save applies the pending edits first.
#include "FenetreTest.h"
#include "fenetre/OutilsFenetre.h"
#include "fenetre/PanneauParametres.h"

#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>

using namespace cyclide;

namespace {

QLineEdit* champ(FenPrincipale& f, const QString& nom) {
    return enfant<QLineEdit>(f, nom);
}

// The view's value behind a field.
double valeurVue(FenPrincipale& f, const QString& nom) {
    GLWidget* vue = enfant<GLWidget>(f, QStringLiteral("glWidget"));
    if (nom == "rayonValeur")
        return vue->getRayon();
    if (nom == "P10Valeur")
        return vue->getP10();
    return vue->getTheta02();
}

// Types texte into the field (focused first), then ends the edit as fin
// says: Return, Tab, a click in the view, Escape.
void saisir(FenPrincipale& f, QLineEdit* ligne, const QString& texte, const QString& fin) {
    ligne->setFocus();
    QTRY_VERIFY(ligne->hasFocus());
    ligne->selectAll();
    QTest::keyClicks(ligne, texte);
    if (fin == "Entree") {
        QTest::keyClick(ligne, Qt::Key_Return);
    } else if (fin == "Tab") {
        QTest::keyClick(ligne, Qt::Key_Tab);
    } else if (fin == "Echap") {
        QTest::keyClick(ligne, Qt::Key_Escape);
    } else {
        GLWidget* vue = enfant<GLWidget>(f, QStringLiteral("glWidget"));
        QTest::mouseClick(vue, Qt::LeftButton, {}, vue->rect().center());
    }
}

} // namespace

class TestPanneauParametres : public QObject {
    Q_OBJECT

  private slots:
    void champMontreLaValeurEnUsage_data();
    void champMontreLaValeurEnUsage();
    void enregistrerAppliqueLaSaisie_data();
    void enregistrerAppliqueLaSaisie();
};

void TestPanneauParametres::champMontreLaValeurEnUsage_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("fin");
    QTest::addColumn<double>("enUsage");
    QTest::addColumn<QString>("montre");
    QTest::addColumn<bool>("refuse");
    QTest::newRow("6 dans Rayon, Tab") << "rayonValeur"
                                       << "6"
                                       << "Tab" << 6.0 << "6" << false;
    QTest::newRow("-5 dans P10, clic dans la vue") << "P10Valeur"
                                                   << "-5"
                                                   << "clic" << -5.0 << "-5" << false;
    QTest::newRow("0,5 dans t02, Entree") << "theta02Valeur"
                                          << "0,5"
                                          << "Entree" << 0.5 << "0,5" << false;
    QTest::newRow("6 dans Rayon, Echap") << "rayonValeur"
                                         << "6"
                                         << "Echap" << 4.0 << "4" << false;
    QTest::newRow("abc dans Rayon, Tab") << "rayonValeur"
                                         << "abc"
                                         << "Tab" << 4.0 << "abc" << true;
    QTest::newRow("1e400 dans P10, clic") << "P10Valeur"
                                          << "1e400"
                                          << "clic" << -7.982 << "1e400" << true;
}

// However the edit ends, the field and the view agree: the text typed is
// the value in use, or it is marked refused with that value in its
// tooltip, and stays so after an edit elsewhere; Escape takes it back.
void TestPanneauParametres::champMontreLaValeurEnUsage() {
    QFETCH(QString, nom);
    QFETCH(QString, texte);
    QFETCH(QString, fin);
    QFETCH(double, enUsage);
    QFETCH(QString, montre);
    QFETCH(bool, refuse);
    FenetreTest f;
    QVERIFY(afficherFenetre(f));
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QLineEdit* ligne = champ(f, nom);
    saisir(f, ligne, texte, fin);
    QCOMPARE(valeurVue(f, nom), enUsage);
    QCOMPARE(ligne->text(), montre);
    QCOMPARE(PanneauParametres::refuse(ligne), refuse);
    QCOMPARE(ligne->toolTip().contains(
                 QStringLiteral("valeur en usage est %1").arg(texteExact(enUsage))),
             refuse);
    // An edit of another field keeps the mark and the value in use.
    saisir(f, champ(f, "z11Valeur"), "9", "Tab");
    QCOMPARE(PanneauParametres::refuse(ligne), refuse);
    QCOMPARE(valeurVue(f, nom), enUsage);
    if (refuse) {
        saisir(f, ligne, texte, "Echap");
        QCOMPARE(ligne->text(), texteExact(enUsage));
        QVERIFY(!PanneauParametres::refuse(ligne));
    }
}

void TestPanneauParametres::enregistrerAppliqueLaSaisie_data() {
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QByteArray>("ecrit");
    QTest::addColumn<bool>("avertir");
    QTest::newRow("6 encore en saisie") << "6" << QByteArray("6 8 -7.982\n") << false;
    QTest::newRow("abc refuse, rien d'ecrit") << "abc" << QByteArray() << true;
}

// Ctrl+S while the radius is still being typed: the typed value is applied
// and saved; a refused text stops the save with its reason.
void TestPanneauParametres::enregistrerAppliqueLaSaisie() {
    QFETCH(QString, texte);
    QFETCH(QByteArray, ecrit);
    QFETCH(bool, avertir);
    QTemporaryDir dossier;
    FenetreTest f;
    QVERIFY(afficherFenetre(f));
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QLineEdit* rayon = champ(f, "rayonValeur");
    rayon->setFocus();
    QTRY_VERIFY(rayon->hasFocus());
    rayon->selectAll();
    QTest::keyClicks(rayon, texte);
    f.nomsAFournir << dossier.filePath("saisie");
    QTest::keySequence(&f, QKeySequence(Qt::CTRL | Qt::Key_S));
    const QByteArray octets = lireOctets(dossier.filePath("saisie.car"));
    QCOMPARE(octets.endsWith(ecrit) && !ecrit.isEmpty(), !avertir);
    QCOMPARE(f.avertissements.size(), avertir ? 1 : 0);
    if (avertir) {
        QVERIFY(f.avertissements.at(0).texte.contains("'abc' est refus\u00E9"));
        QCOMPARE(octets, QByteArray("<illisible>"));
    }
}

QTEST_MAIN(TestPanneauParametres)
#include "tst_panneauparametres.moc"
