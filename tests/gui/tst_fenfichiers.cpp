// The window never shows one number and uses another: a field's edit is
// applied whenever the field loses the focus, a refused text stays marked
// with the value in use; a parameter file is read whole (a net is offered
// as a net); saves and exports add their extension; a save while a net or
// an example is shown asks what to save and writes only where the user
// chose in this session; the title marks unsaved parameters, which closing
// asks about.
#include "FenetreTest.h"
#include "fenetre/OutilsFenetre.h"
#include "fenetre/PanneauParametres.h"

#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace cyclide;

namespace {

GLWidget* vue(FenPrincipale& f) {
    return enfant<GLWidget>(f, QStringLiteral("glWidget"));
}
void declencher(FenPrincipale& f, const char* nom) {
    enfant<QAction>(f, QString::fromLatin1(nom))->trigger();
}
// Example 1's net, nine "x y z w" lines.
const QByteArray RESEAU = "4 0 0 1\n2 2 2 0.8164965\n0 4 0 1\n3 -3 2 0.7559289\n0 0 5 0.6172134\n"
                          "-3 3 2 0.7559289\n0 -4 0 1\n-2 -2 2 0.81649658\n-4 0 0 1\n";

// Types texte into the field, then ends the edit as fin says: Return, Tab,
// Escape, a click in the view ("clic"), or not at all ("").
void saisir(FenPrincipale& f, QLineEdit* ligne, const QString& texte, const QString& fin) {
    ligne->setFocus();
    ligne->selectAll();
    QTest::keyClicks(ligne, texte);
    const Qt::Key touche = fin == "Entree" ? Qt::Key_Return
                           : fin == "Tab"  ? Qt::Key_Tab
                                           : Qt::Key_Escape;
    if (fin == "clic")
        QTest::mouseClick(vue(f), Qt::LeftButton, {}, vue(f)->rect().center());
    else if (!fin.isEmpty())
        QTest::keyClick(ligne, touche);
}

void saisie(const char* nom, const char* champ, const char* texte, const char* fin, double enUsage,
            const char* montre, bool refuse) {
    QTest::newRow(nom) << QString(champ) << QString(texte) << QString(fin) << QString(montre)
                       << enUsage << refuse;
}

} // namespace

class TestFenFichiers : public QObject {
    Q_OBJECT

  private slots:
    void champMontreLaValeurEnUsage_data();
    void champMontreLaValeurEnUsage();
    void reseauOuvertCommeParametres_data();
    void reseauOuvertCommeParametres();
    void extensionsAjoutees_data();
    void extensionsAjoutees();
    void enregistrerPendantUnCarreau_data();
    void enregistrerPendantUnCarreau();
    void fermerAvecDesModifications_data();
    void fermerAvecDesModifications();
};

void TestFenFichiers::champMontreLaValeurEnUsage_data() {
    for (const char* c : {"champ", "texte", "fin", "montre"})
        QTest::addColumn<QString>(c);
    QTest::addColumn<double>("enUsage");
    QTest::addColumn<bool>("refuse");
    saisie("6 dans Rayon, Tab", "rayonValeur", "6", "Tab", 6, "6", false);
    saisie("-5 dans P10, clic dans la vue", "P10Valeur", "-5", "clic", -5, "-5", false);
    saisie("0,5 dans t02, Entree", "theta02Valeur", "0,5", "Entree", 0.5, "0,5", false);
    saisie("6 dans Rayon, Echap", "rayonValeur", "6", "Echap", 4, "4", false);
    saisie("abc dans Rayon, Tab", "rayonValeur", "abc", "Tab", 4, "abc", true);
    saisie("1e400 dans P10, clic", "P10Valeur", "1e400", "clic", -7.982, "1e400", true);
}

// However the edit ends, the field and the view agree, or the text is
// marked refused with the value in use in its tooltip, and stays so after
// an edit elsewhere and a save (which it stops); Escape takes it back.
void TestFenFichiers::champMontreLaValeurEnUsage() {
    QFETCH(QString, champ);
    QFETCH(QString, texte);
    QFETCH(QString, fin);
    QFETCH(QString, montre);
    QFETCH(double, enUsage);
    QFETCH(bool, refuse);
    QTemporaryDir ici;
    FenetreTest f;
    QVERIFY(afficherFenetre(f));
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QLineEdit* ligne = enfant<QLineEdit>(f, champ);
    saisir(f, ligne, texte, fin);
    saisir(f, enfant<QLineEdit>(f, "z11Valeur"), "9", "Tab");
    const double valeurs[3] = {vue(f)->getRayon(), vue(f)->getP10(), vue(f)->getTheta02()};
    QCOMPARE(valeurs[champ == "rayonValeur" ? 0 : champ == "P10Valeur" ? 1 : 2], enUsage);
    QCOMPARE(ligne->text(), montre);
    QCOMPARE(PanneauParametres::refuse(ligne), refuse);
    QCOMPARE(ligne->toolTip().contains("valeur en usage est " + texteExact(enUsage)), refuse);
    // Ctrl+S with z11 still being typed: applied and saved, unless a
    // refused text stops the save.
    saisir(f, enfant<QLineEdit>(f, "z11Valeur"), "7", "");
    f.nomsAFournir << ici.filePath("saisie");
    QTest::keySequence(&f, QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(vue(f)->getZ11(), 7.0);
    QCOMPARE(lireOctets(ici.filePath("saisie.car")).contains(" 7 "), !refuse);
    QCOMPARE(f.avertissements.size(), refuse ? 1 : 0);
    saisir(f, ligne, texte, "Echap");
    QCOMPARE(ligne->text(), texteExact(enUsage));
    QVERIFY(!PanneauParametres::refuse(ligne));
}

void TestFenFichiers::reseauOuvertCommeParametres_data() {
    QTest::addColumn<bool>("accepter");
    QTest::newRow("ouvert comme carreau") << true;
    QTest::newRow("laisse") << false;
}

// "Ouvrir" on a net file takes no parameters from it but asks; yes shows
// the net, no changes nothing.
void TestFenFichiers::reseauOuvertCommeParametres() {
    QFETCH(bool, accepter);
    QTemporaryDir ici;
    QVERIFY(ecrireOctets(ici.filePath("reseau.txt"), RESEAU));
    FenetreTest f;
    f.nomsAFournir << ici.filePath("reseau.txt");
    f.confirmations << accepter;
    declencher(f, "actionOuvrir");
    QCOMPARE(f.questions.size(), 1);
    QVERIFY(f.questions.at(0).contains("carreau donn\u00E9 directement"));
    QCOMPARE(vue(f)->carreauDonne(), accepter);
    QCOMPARE(vue(f)->getRayon(), 4.0);
    QVERIFY(f.avertissements.isEmpty() && !f.isWindowModified());
}

void TestFenFichiers::extensionsAjoutees_data() {
    for (const char* c : {"action", "nom", "ecrit"})
        QTest::addColumn<QString>(c);
    QTest::newRow("parametres") << "actionSauver"
                                << "noext"
                                << "noext.car";
    QTest::newRow(".bez garde") << "actionSauver"
                                << "p.bez"
                                << "p.bez";
    QTest::newRow("OBJ") << "actionExporterObj"
                         << "m"
                         << "m.obj";
    QTest::newRow("STEP") << "actionExporterStep"
                          << "cao"
                          << "cao.step";
    QTest::newRow(".stp garde") << "actionExporterStep"
                                << "cao.stp"
                                << "cao.stp";
    QTest::newRow("image") << "actionSauverImage"
                           << "vue"
                           << "vue.png";
}

// A name chosen without extension gets the command's.
void TestFenFichiers::extensionsAjoutees() {
    QFETCH(QString, action);
    QFETCH(QString, nom);
    QFETCH(QString, ecrit);
    QTemporaryDir ici;
    FenetreTest f;
    QVERIFY(afficherFenetre(f));
    f.tailleDemandee = QSize(64, 64);
    f.nomsAFournir << ici.filePath(nom);
    enfant<QAction>(f, action)->trigger();
    QCOMPARE(QDir(ici.path()).entryList(QDir::Files), QStringList{ecrit});
    QVERIFY(f.avertissements.isEmpty());
}

void TestFenFichiers::enregistrerPendantUnCarreau_data() {
    QTest::addColumn<bool>("exemple"); // else a net file
    QTest::addColumn<int>("choix");    // 0 the parameters, 1 the net, -1 nothing
    QTest::addColumn<QString>("ecrit");
    QTest::newRow("exemple, les parametres") << true << 0 << "p.car";
    QTest::newRow("exemple, le carreau") << true << 1 << "p.txt";
    QTest::newRow("carreau, rien") << false << -1 << "";
    QTest::newRow("carreau, le carreau") << false << 1 << "p.txt";
}

// Ctrl+S with an example or a net shown, after a parameter file was opened
// and then deleted: the user says what to save, and only a name chosen now
// is written.
void TestFenFichiers::enregistrerPendantUnCarreau() {
    QFETCH(bool, exemple);
    QFETCH(int, choix);
    QFETCH(QString, ecrit);
    QTemporaryDir ici;
    const QString parametres = ici.filePath("ouvert.car");
    QVERIFY(ecrireOctets(parametres, "0 1.5 -1 3\n\n4 8 -7.982\n"));
    FenetreTest f;
    f.nomsAFournir << parametres;
    declencher(f, "actionOuvrir");
    QVERIFY(QFile::remove(parametres));
    if (exemple) {
        declencher(f, "actionExemple1");
    } else {
        QVERIFY(ecrireOctets(ici.filePath("r.txt"), RESEAU));
        f.nomsAFournir << ici.filePath("r.txt");
        declencher(f, "actionOuvrirCarreau");
        QVERIFY(QFile::remove(ici.filePath("r.txt")));
    }
    f.choixEnregistrement << choix;
    f.nomsAFournir << ici.filePath("p");
    declencher(f, "actionEnregistrer");
    QCOMPARE(f.questions.size(), 1);
    QVERIFY(f.questions.at(0).startsWith("quoi|" + (exemple ? nomExemple(1) : "Carreau : r.txt")));
    QCOMPARE(QDir(ici.path()).entryList(QDir::Files),
             ecrit.isEmpty() ? QStringList() : QStringList{ecrit});
    if (choix == 1)
        QVERIFY(lireOctets(ici.filePath(ecrit)).endsWith("\n-4 0 0 1\n"));
}

void TestFenFichiers::fermerAvecDesModifications_data() {
    QTest::addColumn<QMessageBox::StandardButton>("reponse");
    QTest::newRow("annuler") << QMessageBox::Cancel;
    QTest::newRow("ne pas enregistrer") << QMessageBox::Discard;
    QTest::newRow("enregistrer") << QMessageBox::Save;
}

// The title names the file and marks a change; closing over it asks, and
// does what the answer says.
void TestFenFichiers::fermerAvecDesModifications() {
    QFETCH(QMessageBox::StandardButton, reponse);
    QTemporaryDir ici;
    FenetreTest f;
    f.nomsAFournir << ici.filePath("titre");
    declencher(f, "actionSauver");
    QCOMPARE(f.windowTitle(), QStringLiteral("titre.car[*] \u2014 Cyclide de Dupin"));
    QVERIFY(!f.isWindowModified());
    vue(f)->setRayon(6);
    QVERIFY(f.isWindowModified());
    f.reponsesEnregistrement << reponse;
    QCloseEvent fermeture;
    QApplication::sendEvent(&f, &fermeture);
    QCOMPARE(f.questions, QStringList{"modifies"});
    QCOMPARE(fermeture.isAccepted(), reponse != QMessageBox::Cancel);
    const bool enregistre = reponse == QMessageBox::Save;
    QCOMPARE(lireOctets(ici.filePath("titre.car")).contains("\n6 8 -7.982\n"), enregistre);
    QCOMPARE(f.isWindowModified(), !enregistre);
}

QTEST_MAIN(TestFenFichiers)
#include "tst_fenfichiers.moc"
