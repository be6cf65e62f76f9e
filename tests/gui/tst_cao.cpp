// STEP and IGES files through the window's "Ouvrir un carreau...": read by
// cyclide-cao in its own process, a damaged file, a named pipe or a device
// gives one warning naming why and leaves the view as it was; a file of
// several patches shows each in turn (Carreau CAO suivant, précédent), and
// the copies name the face and the patch shown.
#include "FenetreTest.h"
#include "scene/Exemples.h"
#include "sorties/ExportStep.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <sys/stat.h>

using namespace cyclide;

namespace {

GLWidget* vue(FenPrincipale& f) {
    return enfant<GLWidget>(f, QStringLiteral("glWidget"));
}

void declencher(FenPrincipale& f, const char* nom) {
    enfant<QAction>(f, QString::fromLatin1(nom))->trigger();
}

// The tool's STEP file of example 1: its patch, the piece of its cyclide
// and the whole cyclide, 1 + 1 + 16 patches.
QByteArray stepExemple() {
    std::vector<std::string> notices;
    EntreeScene e;
    e.exemple = 1;
    const Resultat<std::string> t = texteStepScene(construireScene(e), "exemple.step", notices);
    return QByteArray::fromStdString(t.valeur);
}

} // namespace

class TestCao : public QObject {
    Q_OBJECT

  private slots:
    void fichierRefuseRienNeChange_data();
    void fichierRefuseRienNeChange();
    void chaqueCarreauSeMontreEtSeCopie();
};

void TestCao::fichierRefuseRienNeChange_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("raison");
    QTest::newRow("tronque") << "tronque.step"
                             << "n'est pas un fichier STEP lisible";
    QTest::newRow("autre contenu") << "texte.igs"
                                   << "son contenu est d'un autre genre";
    QTest::newRow("tube") << "tube.step"
                          << "est un tube nomme";
    QTest::newRow("/dev/zero") << "zero.igs"
                               << "est un peripherique";
    QTest::newRow("dossier") << "dossier.stp"
                             << "est un repertoire";
}

void TestCao::fichierRefuseRienNeChange() {
    QFETCH(QString, nom);
    QFETCH(QString, raison);
    QTemporaryDir ici;
    const QByteArray step = stepExemple();
    QVERIFY(ecrireOctets(ici.filePath("tronque.step"), step.left(step.size() / 2)));
    QVERIFY(ecrireOctets(ici.filePath("texte.igs"), "pas de l'IGES\n"));
    QVERIFY(::mkfifo(ici.filePath("tube.step").toLocal8Bit().constData(), 0600) == 0);
    QVERIFY(QFile::link("/dev/zero", ici.filePath("zero.igs")));
    QVERIFY(QDir(ici.path()).mkdir("dossier.stp"));
    FenetreTest f;
    const double rayon = vue(f)->getRayon();
    f.nomsAFournir << ici.filePath(nom);
    declencher(f, "actionOuvrirCarreau");
    QCOMPARE(f.avertissements.size(), 1);
    QVERIFY2(f.avertissements.at(0).texte.contains(raison),
             qPrintable(f.avertissements.at(0).texte));
    QVERIFY(!vue(f)->carreauDonne());
    QCOMPARE(vue(f)->getRayon(), rayon);
}

void TestCao::chaqueCarreauSeMontreEtSeCopie() {
    QTemporaryDir ici;
    QVERIFY(ecrireOctets(ici.filePath("exemple.step"), stepExemple()));
    FenetreTest f;
    f.nomsAFournir << ici.filePath("exemple.step");
    declencher(f, "actionOuvrirCarreau");
    QVERIFY(f.avertissements.isEmpty());
    QVERIFY(vue(f)->carreauDonne());
    QAction* suivant = enfant<QAction>(f, QStringLiteral("actionCarreauCaoSuivant"));
    QVERIFY(suivant->isEnabled());
    // Face 1 is the patch, face 2 the piece of its cyclide, then the 16
    // patches of the whole cyclide, face 3: each on the cyclide.
    QVERIFY(estCyclide(vue(f)->typeCyclide));
    const RBBP premier = vue(f)->getScene().entree.reseau;
    suivant->trigger();
    suivant->trigger();
    declencher(f, "actionCopier");
    QVERIFY2(QGuiApplication::clipboard()->text().startsWith("Fichier exemple.step, face 3, "
                                                             "carreau (1, 1)"),
             qPrintable(QGuiApplication::clipboard()->text()));
    declencher(f, "actionCopierJson");
    QVERIFY(QGuiApplication::clipboard()->text().contains("\"face\":3,"));
    QVERIFY(QGuiApplication::clipboard()->text().contains("\"patch\":[1,1]"));
    // Back past the first patch: the last one, then the first again.
    declencher(f, "actionCarreauCaoPrecedent");
    declencher(f, "actionCarreauCaoPrecedent");
    declencher(f, "actionCarreauCaoPrecedent");
    QVERIFY(QGuiApplication::clipboard()->text().contains("\"face\":3,"));
    declencher(f, "actionCarreauCaoSuivant");
    const RBBP retour = vue(f)->getScene().entree.reseau;
    QCOMPARE(retour.getP(1, 1).getX0(), premier.getP(1, 1).getX0());
    QCOMPARE(retour.getW(1, 1), premier.getW(1, 1));
}

QTEST_MAIN(TestCao)
#include "tst_cao.moc"
