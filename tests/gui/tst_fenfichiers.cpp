// The window's file commands: a parameter file is read whole and a net
// opened as parameters is called so and opened as a net when the user
// says so; saves and exports add their extension; a save while a net or an
// example is shown asks what to save and writes only where the user chose
// in this session; the title names the file and marks unsaved changes,
// which closing and opening ask about.
#include "FenetreTest.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace cyclide;

namespace {

GLWidget* vue(FenPrincipale& f) {
    return enfant<GLWidget>(f, QStringLiteral("glWidget"));
}

void declencher(FenPrincipale& f, const QString& nom) {
    enfant<QAction>(f, nom)->trigger();
}

// A net of nine "x y z w" lines (example 1's points).
const QByteArray RESEAU = "4 0 0 1\n2 2 2 0.8164965\n0 4 0 1\n3 -3 2 0.7559289\n0 0 5 0.6172134\n"
                          "-3 3 2 0.7559289\n0 -4 0 1\n-2 -2 2 0.81649658\n-4 0 0 1\n";

} // namespace

class TestFenFichiers : public QObject {
    Q_OBJECT

  private slots:
    void init() { QVERIFY(dossier.isValid()); }
    void reseauOuvertCommeParametres_data();
    void reseauOuvertCommeParametres();
    void extensionsAjoutees_data();
    void extensionsAjoutees();
    void enregistrerPendantUnCarreau_data();
    void enregistrerPendantUnCarreau();
    void titreEtModifications_data();
    void titreEtModifications();

  private:
    QTemporaryDir dossier;
};

void TestFenFichiers::reseauOuvertCommeParametres_data() {
    QTest::addColumn<bool>("accepter");
    QTest::newRow("ouvert comme carreau") << true;
    QTest::newRow("laisse") << false;
}

// "Ouvrir" on a net file: not seven parameters taken from it, but the
// question; yes shows the net, no changes nothing.
void TestFenFichiers::reseauOuvertCommeParametres() {
    QFETCH(bool, accepter);
    const QString chemin = dossier.filePath("reseau.txt");
    QVERIFY(ecrireOctets(chemin, RESEAU));
    FenetreTest f;
    f.nomsAFournir << chemin;
    f.confirmations << accepter;
    declencher(f, "actionOuvrir");
    QCOMPARE(f.questions.size(), 1);
    QVERIFY(f.questions.at(0).contains("carreau donn\u00E9 directement"));
    QVERIFY(f.avertissements.isEmpty());
    QCOMPARE(vue(f)->carreauDonne(), accepter);
    QCOMPARE(vue(f)->getRayon(), 4.0);
    QCOMPARE(vue(f)->getTheta00(), 0.0);
    QCOMPARE(vue(f)->getP10(), -7.982);
    QCOMPARE(f.isWindowModified(), false);
}

void TestFenFichiers::extensionsAjoutees_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("ecrit");
    QTest::newRow("parametres sans extension") << "actionSauver"
                                               << "noext"
                                               << "noext.car";
    QTest::newRow("parametres .bez garde") << "actionSauver"
                                           << "p.bez"
                                           << "p.bez";
    QTest::newRow("OBJ") << "actionExporterObj"
                         << "maillage"
                         << "maillage.obj";
    QTest::newRow("STEP") << "actionExporterStep"
                          << "cao"
                          << "cao.step";
    QTest::newRow("STEP .stp garde") << "actionExporterStep"
                                     << "cao.stp"
                                     << "cao.stp";
    QTest::newRow("image") << "actionSauverImage"
                           << "vue"
                           << "vue.png";
}

// A name chosen without extension gets the command's; the file written
// under it is one the open dialog's own filter shows.
void TestFenFichiers::extensionsAjoutees() {
    QFETCH(QString, action);
    QFETCH(QString, nom);
    QFETCH(QString, ecrit);
    QTemporaryDir ici;
    FenetreTest f;
    QVERIFY(afficherFenetre(f));
    f.tailleDemandee = QSize(64, 64);
    f.nomsAFournir << ici.filePath(nom);
    declencher(f, action);
    QCOMPARE(QDir(ici.path()).entryList(QDir::Files), QStringList{ecrit});
    QVERIFY(f.avertissements.isEmpty());
    if (action == "actionSauver") {
        f.nomsAFournir << ici.filePath(ecrit);
        declencher(f, "actionOuvrir");
        QVERIFY(f.dialogues.last().endsWith(";;Tous les fichiers (*)"));
        QVERIFY(f.avertissements.isEmpty());
    }
}

void TestFenFichiers::enregistrerPendantUnCarreau_data() {
    QTest::addColumn<QString>("montre"); // "exemple" or "carreau"
    QTest::addColumn<int>("choix");      // 0 parameters, 1 the net, -1 nothing
    QTest::addColumn<QString>("ecrit");  // the file written, or empty
    QTest::addColumn<QByteArray>("debut");
    QTest::newRow("exemple, les parametres") << "exemple" << 0 << "p.car" << QByteArray("0 1.57");
    QTest::newRow("exemple, le carreau") << "exemple" << 1 << "c.txt" << QByteArray("# x y z w");
    QTest::newRow("carreau, rien") << "carreau" << -1 << "" << QByteArray();
    QTest::newRow("carreau, le carreau") << "carreau" << 1 << "c.txt" << QByteArray("# x y z w");
}

// Ctrl+S with an example or a net shown, after a parameter file was opened
// and then deleted: the user says what to save; nothing is written to the
// deleted file, only under a name chosen now.
void TestFenFichiers::enregistrerPendantUnCarreau() {
    QFETCH(QString, montre);
    QFETCH(int, choix);
    QFETCH(QString, ecrit);
    QFETCH(QByteArray, debut);
    QTemporaryDir ici;
    const QString parametres = ici.filePath("ouvert.car");
    QVERIFY(ecrireOctets(parametres, "0 1.5707963267948966 -1 3\n\n4 8 -7.982\n"));
    const QString reseau = ici.filePath("reseau.txt");
    FenetreTest f;
    f.nomsAFournir << parametres;
    declencher(f, "actionOuvrir");
    QVERIFY(QFile::remove(parametres));
    if (montre == "exemple") {
        declencher(f, "actionExemple1");
    } else {
        QVERIFY(ecrireOctets(reseau, RESEAU));
        f.nomsAFournir << reseau;
        declencher(f, "actionOuvrirCarreau");
        QVERIFY(QFile::remove(reseau));
    }
    f.choixEnregistrement << choix;
    f.nomsAFournir << (ecrit.isEmpty() ? QString() : ici.filePath(QFileInfo(ecrit).baseName()));
    declencher(f, "actionEnregistrer");
    QCOMPARE(f.questions.size(), 1);
    QVERIFY(f.questions.at(0).startsWith("quoi|"));
    const QStringList fichiers = QDir(ici.path()).entryList(QDir::Files);
    QCOMPARE(fichiers, ecrit.isEmpty() ? QStringList() : QStringList{ecrit});
    if (!ecrit.isEmpty()) {
        QVERIFY(lireOctets(ici.filePath(ecrit)).startsWith(debut));
    }
}

void TestFenFichiers::titreEtModifications_data() {
    QTest::addColumn<QMessageBox::StandardButton>("reponse");
    QTest::addColumn<bool>("fermee");
    QTest::addColumn<bool>("enregistre");
    QTest::newRow("annuler") << QMessageBox::Cancel << false << false;
    QTest::newRow("ne pas enregistrer") << QMessageBox::Discard << true << false;
    QTest::newRow("enregistrer") << QMessageBox::Save << true << true;
}

// The title names the file and marks a change of the parameters; closing
// over it asks, and does what the answer says.
void TestFenFichiers::titreEtModifications() {
    QFETCH(QMessageBox::StandardButton, reponse);
    QFETCH(bool, fermee);
    QFETCH(bool, enregistre);
    QTemporaryDir ici;
    const QString chemin = ici.filePath("titre.car");
    FenetreTest f;
    f.nomsAFournir << chemin;
    declencher(f, "actionSauver");
    QCOMPARE(f.windowTitle(), QStringLiteral("titre.car[*] \u2014 Cyclide de Dupin"));
    QVERIFY(!f.isWindowModified());
    vue(f)->setRayon(6);
    QVERIFY(f.isWindowModified());
    f.reponsesEnregistrement << reponse;
    QCloseEvent fermeture;
    QApplication::sendEvent(&f, &fermeture);
    QCOMPARE(f.questions, QStringList{"modifies"});
    QCOMPARE(fermeture.isAccepted(), fermee);
    QCOMPARE(lireOctets(chemin).contains("\n6 8 -7.982\n"), enregistre);
    QCOMPARE(f.isWindowModified(), !enregistre);
    // Back to the saved value: nothing to ask.
    vue(f)->setRayon(enregistre ? 6 : 4);
    QVERIFY(!f.isWindowModified());
}

QTEST_MAIN(TestFenFichiers)
#include "tst_fenfichiers.moc"
