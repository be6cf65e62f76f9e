// "Ouvrir un carreau..." in the real window: a net given directly is shown
// with its conversion and its results, survives a plane switch, and is left
// by a slider or an example; a file that holds no net is refused without
// blocking and changes nothing.
#include "CaptureStdout.h"
#include "FenetreTest.h"
#include "conversion/ReseauCyclide.h"
#include "fenetre/FenPrincipale.h"
#include "fenetre/glwidget.h"
#include "fichiers/LectureCarreau.h"
#include "scene/Exemples.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <sys/stat.h>

using namespace cyclide;

namespace {

// The net's nine "x y z w" lines at 17 significant digits.
QByteArray texteReseau(const RBBP& net) {
    QByteArray texte("# P00 P01 P02 P10 P11 P12 P20 P21 P22\n");
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const Point p = net.getP(i, j);
            char ligne[128];
            std::snprintf(ligne, sizeof ligne, "%.17g %.17g %.17g %.17g\n", p.getX0(), p.getY0(),
                          p.getZ0(), net.getW(i, j));
            texte += ligne;
        }
    }
    return texte;
}

// True when the view's net is the given one, point and weight for point
// and weight.
bool memeReseau(const RBBP& a, const RBBP& b) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const Point p = a.getP(i, j);
            const Point q = b.getP(i, j);
            if (p.getX0() != q.getX0() || p.getY0() != q.getY0() || p.getZ0() != q.getZ0() ||
                a.getW(i, j) != b.getW(i, j)) {
                return false;
            }
        }
    }
    return true;
}

QString texte(FenetreTest& f, const char* nom) {
    return enfant<QLabel>(f, QString::fromLatin1(nom))->text();
}

} // namespace

class TestCarreau : public QObject {
    Q_OBJECT

  private slots:
    void ouvrir_data();
    void ouvrir();
    void refuse_data();
    void refuse();
};

void TestCarreau::ouvrir_data() {
    QTest::addColumn<QByteArray>("fichier");
    QTest::addColumn<QString>("genre");
    QTest::addColumn<bool>("convertible");
    // A ring piece placed in the world: exact data.
    const double Base[3][3] = {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}};
    MorceauCyclide m;
    m.u0 = 0.3;
    m.u1 = 1.4;
    m.v0 = 0.2;
    m.v1 = 1.1;
    RBBP ring;
    QVERIFY(reseauMorceauMonde(cyclidePlacee(5, 3, 4, Point(1, 2, 3), Base), m, ring));
    QTest::newRow("morceau de ring") << texteReseau(ring) << "ring" << true;
    // The second example's rounded data are not exact enough for the nets'
    // tolerance (its boundaries are arcs within about 1e-4), but are within
    // the residual the examples admit: converted at that tolerance.
    RBBPd exemple;
    QVERIFY(chargerExemple(2, exemple) > 0);
    QTest::newRow("exemple 2") << texteReseau(exemple) << "ring" << true;
    // A boundary that is no arc even at that tolerance: the panel and the
    // message line say why.
    exemple.setW(0, 1, 2 * exemple.getW(0, 1));
    QTest::newRow("bord plie") << texteReseau(exemple) << "Non convertible : le bord" << false;
}

void TestCarreau::ouvrir() {
    QFETCH(QByteArray, fichier);
    QFETCH(QString, genre);
    QFETCH(bool, convertible);
    QTemporaryDir dossier;
    const QString nom = dossier.filePath("reseau.txt");
    QVERIFY(ecrireOctets(nom, fichier));
    const Resultat<RBBP> lu = lireFichierCarreau(QFile::encodeName(nom).toStdString());
    QVERIFY(lu.ok());
    const RBBP& attendu = lu.valeur;
    FenetreTest f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    GLWidget* vue = f.findChild<GLWidget*>();
    QVERIFY(vue != nullptr);

    QAction* commande = f.findChild<QAction*>("actionOuvrirCarreau");
    QVERIFY(commande != nullptr);
    f.nomsAFournir << nom;
    commande->trigger();
    QCOMPARE(f.avertissements.size(), 0);
    QVERIFY(vue->carreauDonne());
    QVERIFY(memeReseau(vue->getScene().Bez, attendu));
    QVERIFY2(texte(f, "resultat_0").startsWith(genre), qPrintable(texte(f, "resultat_0")));
    QCOMPARE(codeGenre(vue->typeCyclide) != 0, convertible);
    if (!convertible) {
        QVERIFY(!vue->getScene().raison.empty());
        QVERIFY2(
            texte(f, "informations").endsWith(QString::fromLatin1(vue->getScene().raison.c_str())),
            qPrintable(texte(f, "informations")));
    }

    // The other plane rebuilds the same net.
    f.choixY();
    QVERIFY(vue->carreauDonne());
    QVERIFY(vue->getScene().entree.plan == PlanConversion::Py);
    QVERIFY(memeReseau(vue->getScene().Bez, attendu));
    QCOMPARE(codeGenre(vue->typeCyclide) != 0, convertible);

    // A slider that moves leaves the net for the parameters' patch.
    QSlider* curseur = enfant<QSlider>(f, "theta00Slider");
    curseur->setValue(curseur->value() + 5);
    QVERIFY(!vue->carreauDonne());
    QVERIFY(!memeReseau(vue->getScene().Bez, attendu));

    // So does an example.
    f.chargerCarreau(nom);
    QVERIFY(vue->carreauDonne());
    enfant<QAction>(f, "actionExemple1")->trigger();
    QVERIFY(!vue->carreauDonne());
}

void TestCarreau::refuse_data() {
    QTest::addColumn<QString>("genre");
    QTest::addColumn<QString>("mots");
    QTest::newRow("huit lignes") << "huit"
                                 << "n'a que 8 point(s) sur neuf";
    QTest::newRow("pas un nombre") << "mot"
                                   << "ligne 2 : 'abc' n'est pas un nombre";
    QTest::newRow("tube sans ecrivain") << "tube"
                                        << "tube";
    QTest::newRow("repertoire") << "repertoire"
                                << "Impossible de lire";
}

void TestCarreau::refuse() {
    QFETCH(QString, genre);
    QFETCH(QString, mots);
    QTemporaryDir dossier;
    QString nom = dossier.filePath(genre);
    const QByteArray huit = "1 0 0 1\n1 1 0 0.7\n0 1 0 1\n2 0 0 1\n2 2 1 1\n0 2 0 1\n"
                            "3 0 0 1\n3 3 0 1\n";
    if (genre == "huit") {
        QVERIFY(ecrireOctets(nom, huit));
    } else if (genre == "mot") {
        QVERIFY(ecrireOctets(nom, "1 0 0 1\nabc 1 0 0.7\n"));
    } else if (genre == "tube") {
        QCOMPARE(::mkfifo(QFile::encodeName(nom).constData(), 0600), 0);
    } else {
        nom = dossier.path();
    }
    FenetreTest f;
    GLWidget* vue = f.findChild<GLWidget*>();
    const std::uint64_t version = vue->getScene().version;
    const QString resultat = texte(f, "resultat_0");
    QElapsedTimer chrono;
    chrono.start();
    CaptureStdout sortie;
    f.chargerCarreau(nom);
    QVERIFY2(chrono.elapsed() < 2000, qPrintable(QString::number(chrono.elapsed())));
    QCOMPARE(f.avertissements.size(), 1);
    QCOMPARE(f.avertissements.at(0).titre, QStringLiteral("Ouvrir un carreau"));
    QVERIFY2(f.avertissements.at(0).texte.contains(nom) &&
                 f.avertissements.at(0).texte.contains(mots),
             qPrintable(f.avertissements.at(0).texte));
    QVERIFY(!vue->carreauDonne());
    QCOMPARE(vue->getScene().version, version);
    QCOMPARE(texte(f, "resultat_0"), resultat);
}

QTEST_MAIN(TestCarreau)
#include "tst_carreau.moc"
