// The window for real work, through the real window on an X server: a
// stable layout, rounded cells, all-or-nothing files, undo, dropped files,
// copies to the clipboard, Unicode messages, the best residual, the
// preview lists of a slider drag.
#include "CasScene.h"
#include "FenetreTest.h"
#include "fenetre/OutilsFenetre.h"
#include "fenetre/glwidget.h"
#include "noyau/Constantes.h"
#include "sorties/ExportStep.h"
#include "sorties/ResultatJson.h"

#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QUrl>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace cyclide;

namespace {

GLWidget* vue(FenPrincipale& f) {
    return enfant<GLWidget>(f, QStringLiteral("glWidget"));
}

bool afficher(FenPrincipale& f) {
    f.show();
    if (!QTest::qWaitForWindowExposed(&f)) {
        return false;
    }
    vue(f)->grabFramebuffer();
    return vue(f)->isValid();
}

void taper(FenPrincipale& f, const char* nom, const QString& texte) {
    QLineEdit* ligne = enfant<QLineEdit>(f, QString::fromLatin1(nom));
    ligne->selectAll();
    ligne->del();
    QTest::keyClicks(ligne, texte);
    QTest::keyClick(ligne, Qt::Key_Return);
}

// The seven parameters of the view, in file order.
QList<double> parametres(FenPrincipale& f) {
    GLWidget* v = vue(f);
    return {v->getTheta00(), v->getTheta02(), v->getTheta20(), v->getTheta22(),
            v->getRayon(),   v->getZ11(),     v->getP10()};
}

// Example 2's own net, with a UTF-8 comment.
const QByteArray RESEAU_EXEMPLE2 = "# carré de l'exemple 2\n"
                                   "7.7623 1.9353 0 1\n4.9306 6.3109 -8.949 0.475\n0 8 0 1\n"
                                   "-7.982 2.6707 5.3414 0.2582\n0 0 8 0.3654\n"
                                   "5.213 -9.404 6.1572 0.207\n5.0345 -6.217 0 1\n"
                                   "-10.54 -11.91 -28.47 0.2451\n-6.784 4.2393 0 1.0486\n";

} // namespace

class TestTravail : public QObject {
    Q_OBJECT

  private slots:
    void largeurStable_data();
    void largeurStable();
    void celluleArrondie_data();
    void celluleArrondie();
    void annulerJusquAuDemarrage();
    void fichierDepose_data();
    void fichierDepose();
    void copies();
    void messageUnicode();
    void curseurTenuEnApercu();

  private:
    QTemporaryDir dossier;
};

void TestTravail::largeurStable_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("t00 non convertible") << "t00";
    QTest::newRow("carreau de l'exemple 2") << "carreau";
    QTest::newRow("texte refuse") << "refus";
    QTest::newRow("exemple 3") << "exemple";
}

// No content change resizes the window: long reasons and messages are cut
// with a tooltip.
void TestTravail::largeurStable() {
    QFETCH(QString, action);
    FenetreTest f;
    QVERIFY(afficher(f));
    const QSize avant = f.size();
    if (action == "t00") {
        taper(f, "theta00Valeur", "3.14159");
        QCOMPARE(codeGenre(vue(f)->typeCyclide), 0);
        // The best residual is shown whenever a reading was tried.
        QCOMPARE(enfant<QLabel>(f, "resultat_11")->text() == QStringLiteral("\u2014"),
                 vue(f)->getType() == 0);
    } else if (action == "carreau") {
        const QString chemin = dossier.filePath("exemple2.txt");
        QVERIFY(ecrireOctets(chemin, RESEAU_EXEMPLE2));
        f.chargerCarreau(chemin);
    } else if (action == "refus") {
        taper(f, "P10Valeur", QString(300, QLatin1Char('x')));
    } else {
        enfant<QAction>(f, "actionExemple3")->trigger();
    }
    QCoreApplication::processEvents();
    QCOMPARE(f.size(), avant);
    const QLabel* message = enfant<QLabel>(f, "informations");
    QVERIFY(message->width() <= f.width());
}

void TestTravail::celluleArrondie_data() {
    QTest::addColumn<double>("valeur");
    QTest::addColumn<QString>("texte");
    QTest::newRow("2.19998") << 2.19998 << "2.2000";
    QTest::newRow("-3.44004") << -3.44004 << "-3.4400";
    QTest::newRow("-28.47") << -28.47 << "-28.470";
    QTest::newRow("poids immense") << 3.1388e31 << "3.14e+31";
    QTest::newRow("presque zero negatif") << -1e-17 << "0.0000";
    QTest::newRow("nan") << std::nan("") << QString(QChar(0x2014));
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << QString(QChar(0x2014));
}

// A cell rounds to its digits, turns scientific when needed and shows a
// missing value as a dash with the reason in its tooltip; the window's
// table shows the rounded text of a net's point.
void TestTravail::celluleArrondie() {
    QFETCH(double, valeur);
    QFETCH(QString, texte);
    QString bulle;
    QCOMPARE(texteCellule(valeur, &bulle), texte);
    QVERIFY(!bulle.isEmpty());
    if (std::isfinite(valeur)) {
        QCOMPARE(bulle.toDouble(), valeur);
    }
    FenetreTest f;
    QByteArray reseau = RESEAU_EXEMPLE2;
    reseau.replace("7.7623 1.9353", "2.19998 -3.44004");
    const QString chemin = dossier.filePath("arrondi.txt");
    QVERIFY(ecrireOctets(chemin, reseau));
    f.chargerCarreau(chemin);
    QCOMPARE(enfant<QLineEdit>(f, "pointValeur_0_0")->text(), QStringLiteral("2.2000"));
    QCOMPARE(enfant<QLineEdit>(f, "pointValeur_0_1")->text(), QStringLiteral("-3.4400"));
}

// Undo takes back every change, the reset included, down to the start-up
// values; redo brings them again.
void TestTravail::annulerJusquAuDemarrage() {
    FenetreTest f;
    QVERIFY(afficher(f));
    const QList<double> depart = parametres(f);
    QUndoStack* pile = f.historique();
    QCOMPARE(pile->count(), 0);
    enfant<QSlider>(f, "theta02Slider")->setValue(45);
    taper(f, "rayonValeur", "2,5");
    enfant<QAction>(f, "actionChoixY")->trigger();
    enfant<QAction>(f, "actionExemple2")->trigger();
    const QList<double> avantRemise = parametres(f);
    enfant<QAction>(f, "actionResetProg")->trigger();
    QCOMPARE(pile->count(), 5);
    pile->undo();
    QCOMPARE(vue(f)->exemple, 1);
    QVERIFY(vue(f)->choix == PlanConversion::Py);
    QCOMPARE(parametres(f), avantRemise);
    QVERIFY(!enfant<QSlider>(f, "theta00Slider")->isEnabled());
    while (pile->canUndo()) {
        pile->undo();
    }
    QCOMPARE(parametres(f), depart);
    QVERIFY(vue(f)->choix == PlanConversion::Pz);
    QCOMPARE(vue(f)->exemple, 0);
    QCOMPARE(enfant<QSlider>(f, "theta02Slider")->value(), 90);
    QCOMPARE(enfant<QLineEdit>(f, "rayonValeur")->text(), QStringLiteral("4"));
    QCOMPARE(enfant<QLabel>(f, "informations")->text(),
             QStringLiteral("La cyclide est de type ring"));
    pile->redo();
    pile->redo();
    QCOMPARE(vue(f)->getRayon(), 2.5);
    QCOMPARE(vue(f)->getTheta02(), 45 * DEUX_PI / 360);
}

void TestTravail::fichierDepose_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<bool>("reseau");
    QTest::addColumn<int>("code");
    QTest::newRow("parametres .car")
        << "depose.car" << QByteArray("0.5 1 -1 3\n\n4 8 -7.5\n") << false << 1;
    // The net the tool wrote for example 2 (rounded numbers): converted at
    // the residual the examples admit, as the panel says.
    QTest::newRow("carreau donne") << "depose.txt" << RESEAU_EXEMPLE2 << true << 1;
#ifdef CYCLIDE_AVEC_CAO
    // The STEP file the tool writes for the start-up ring: its first surface
    // is the patch.
    std::vector<std::string> notices;
    const Resultat<std::string> step =
        texteStepScene(construireScene(entreeDemarrage()), "depose.step", notices);
    if (step.ok())
        QTest::newRow("STEP") << "depose.step" << QByteArray::fromStdString(step.valeur) << true
                              << 1;
#endif
}

// A file dropped on the window is opened as its extension says, and goes
// into the recent files.
void TestTravail::fichierDepose() {
    QFETCH(QString, nom);
    QFETCH(QByteArray, contenu);
    QFETCH(bool, reseau);
    QFETCH(int, code);
    const QString chemin = dossier.filePath(nom);
    QVERIFY(ecrireOctets(chemin, contenu));
    FenetreTest f;
    QVERIFY(afficher(f));
    QMimeData donnees;
    donnees.setUrls({QUrl::fromLocalFile(chemin)});
    QDragEnterEvent entree(QPoint(10, 10), Qt::CopyAction, &donnees, Qt::LeftButton,
                           Qt::NoModifier);
    QCoreApplication::sendEvent(&f, &entree);
    QVERIFY(entree.isAccepted());
    QDropEvent depot(QPointF(10, 10), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&f, &depot);
    QVERIFY(f.avertissements.isEmpty());
    QCOMPARE(vue(f)->carreauDonne(), reseau);
    if (reseau) {
        QVERIFY(enfant<QLabel>(f, "sourceCarreau")->text().contains(nom));
        QVERIFY(enfant<QPushButton>(f, "boutonReprendre")->isEnabled());
        QCOMPARE(codeGenre(vue(f)->typeCyclide), code);
        QCOMPARE(
            enfant<QLabel>(f, "sourceCarreau")->text().contains(QStringLiteral("tol\u00E9rance")),
            nom.endsWith(QStringLiteral(".txt")));
    } else {
        QCOMPARE(vue(f)->getP10(), -7.5);
        QCOMPARE(vue(f)->getTheta00(), 0.5);
    }
    const QList<QAction*> recents = enfant<QMenu>(f, "menuRecents")->actions();
    QVERIFY(!recents.isEmpty());
    QCOMPARE(recents.first()->text(), nom);
}

// The two copies: the results as text, and the very JSON object the
// converter writes.
void TestTravail::copies() {
    FenetreTest f;
    QVERIFY(afficher(f));
    enfant<QAction>(f, "actionCopierJson")->trigger();
    const QString json = QGuiApplication::clipboard()->text();
    QCOMPARE(json.toStdString(), resultatJson(vue(f)->getScene(), OrigineEntree()));
    QVERIFY(json.contains(QStringLiteral("\"kind\":\"ring\"")));
    enfant<QAction>(f, "actionCopier")->trigger();
    const QString texte = QGuiApplication::clipboard()->text();
    QVERIFY(texte.startsWith(QStringLiteral("La cyclide est de type ring\nType\tring\n")));
    QVERIFY(texte.contains(QStringLiteral("R\u00E9sidu R\t")));
    // Every value in full, as the converter prints it.
    const double a = vue(f)->getScene().converti.a;
    QVERIFY(texte.contains(QStringLiteral("\na\t") + texteComplet(a) + QLatin1Char('\n')));
    QVERIFY(texteComplet(a).size() > 8);
    // Exemple1's centre: a rounded -0 shows as 0, the tooltip the value.
    enfant<QAction>(f, "actionExemple1")->trigger();
    const QLabel* centre = enfant<QLabel>(f, "resultat_5");
    QVERIFY2(centre->text().startsWith("(0.0000, 0.0000, -4.0000"), qPrintable(centre->text()));
    const Point o = vue(f)->getScene().converti.omega;
    const QStringList complets{texteComplet(o.getX0()), texteComplet(o.getY0()),
                               texteComplet(o.getZ0())};
    QCOMPARE(centre->toolTip(), "(" + complets.join(", ") + ")");
}

// A net-file error quoting a UTF-8 line is shown in Unicode.
void TestTravail::messageUnicode() {
    FenetreTest f;
    const QString chemin = dossier.filePath("accent.txt");
    QVERIFY(ecrireOctets(chemin, "1 2 3 1\n4 5 é 1\n"));
    f.chargerCarreau(chemin);
    QCOMPARE(f.avertissements.size(), 1);
    QVERIFY2(f.avertissements.at(0).texte.contains(QStringLiteral("'é'")),
             qPrintable(f.avertissements.at(0).texte));
    QVERIFY(!f.avertissements.at(0).texte.contains(QStringLiteral("Ã")));
}

// While a slider is held the view compiles coarse previews; at its release
// the full lists come back, drawn as a view that never previewed draws them.
void TestTravail::curseurTenuEnApercu() {
    FenetreTest f;
    QVERIFY(afficher(f));
    GLWidget* v = vue(f);
    v->setAfficheListe(6, 1);
    QSlider* curseur = enfant<QSlider>(f, "theta00Slider");
    const QImage depart = v->grabFramebuffer();
    curseur->setSliderDown(true);
    emit curseur->sliderPressed();
    curseur->setValue(10);
    QVERIFY(v->apercu());
    const QImage apercu = v->grabFramebuffer();
    QCOMPARE(f.historique()->count(), 0);
    curseur->setSliderDown(false);
    emit curseur->sliderReleased();
    QVERIFY(!v->apercu());
    QCOMPARE(f.historique()->count(), 1);
    const QImage complete = v->grabFramebuffer();
    FenetreTest temoin;
    temoin.resize(f.size());
    QVERIFY(afficher(temoin));
    vue(temoin)->setAfficheListe(6, 1);
    enfant<QSlider>(temoin, "theta00Slider")->setValue(10);
    QCOMPARE(complete, vue(temoin)->grabFramebuffer());
    QVERIFY(apercu != complete);
    QVERIFY(depart != complete);
}

QTEST_MAIN(TestTravail)
#include "tst_travail.moc"
