// The window never shows one number and uses another: a field's edit is
// applied whenever the field loses the focus, a refused text stays marked
// with the value in use; a net opened as parameters is offered as a net;
// saves and exports add their extension; a save while a net or an example
// is shown asks what to save and writes only where the user chose in this
// session; the title marks unsaved parameters, which closing asks about.
#include "FenetreTest.h"
#include "fenetre/OutilsFenetre.h"
#include "fenetre/PanneauParametres.h"

#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace cyclide;

namespace {

GLWidget* vue(FenPrincipale& f) {
    return enfant<GLWidget>(f, QStringLiteral("glWidget"));
}
void declencher(FenPrincipale& f, const QString& nom) {
    enfant<QAction>(f, nom)->trigger();
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
    if (fin == "clic")
        QTest::mouseClick(vue(f), Qt::LeftButton, {}, vue(f)->rect().center());
    else if (!fin.isEmpty())
        QTest::keyClick(ligne, fin == "Entree" ? Qt::Key_Return
                               : fin == "Tab"  ? Qt::Key_Tab
                                               : Qt::Key_Escape);
}

// One edit: the field (0 rayon, 1 P10, 2 t02), the text, how it ends, the
// value in use after it, the text shown, refused or not.
struct Saisie {
    int champ;
    const char *texte, *fin;
    double enUsage;
    const char* montre;
    bool refuse;
};
const Saisie SAISIES[] = {
    {0, "6", "Tab", 6, "6", false},          {1, "-5", "clic", -5, "-5", false},
    {2, "0,5", "Entree", 0.5, "0,5", false}, {0, "6", "Echap", 4, "4", false},
    {0, "abc", "Tab", 4, "abc", true},       {1, "1e400", "clic", -7.982, "1e400", true}};

// Ctrl+S with an example or a net shown: what to save (0 the parameters, 1
// the net, -1 nothing) and the file written then.
struct Enregistrement {
    bool exemple;
    int choix;
    const char* ecrit;
};
const Enregistrement ENREGISTREMENTS[] = {
    {true, 0, "p.car"}, {true, 1, "p.txt"}, {false, -1, ""}, {false, 1, "p.txt"}};

// The rows k = 0 .. n - 1 of a table of n entries.
void lignes(int n) {
    QTest::addColumn<int>("k");
    for (int k = 0; k < n; ++k)
        QTest::addRow("%d", k) << k;
}

} // namespace

class TestFenFichiers : public QObject {
    Q_OBJECT

  private slots:
    void champMontreLaValeurEnUsage_data() { lignes(std::size(SAISIES)); }
    void champMontreLaValeurEnUsage();
    void fichiers_data() { lignes(7); }
    void fichiers();
    void enregistrerPendantUnCarreau_data() { lignes(std::size(ENREGISTREMENTS)); }
    void enregistrerPendantUnCarreau();
    void fermerAvecDesModifications_data() { lignes(3); }
    void fermerAvecDesModifications();
};

// However the edit ends, the field and the view agree, or the text is
// marked refused with the value in use in its tooltip, and stays so after
// an edit elsewhere and a save, which it stops; Escape takes it back. A
// save applies the field being typed.
void TestFenFichiers::champMontreLaValeurEnUsage() {
    QFETCH(int, k);
    const Saisie& s = SAISIES[k];
    QTemporaryDir ici;
    FenetreTest f;
    QVERIFY(afficherFenetre(f));
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    const char* noms[3] = {"rayonValeur", "P10Valeur", "theta02Valeur"};
    QLineEdit* ligne = enfant<QLineEdit>(f, noms[s.champ]);
    saisir(f, ligne, s.texte, s.fin);
    saisir(f, enfant<QLineEdit>(f, "z11Valeur"), "9", "Tab");
    const double valeurs[3] = {vue(f)->getRayon(), vue(f)->getP10(), vue(f)->getTheta02()};
    QCOMPARE(valeurs[s.champ], s.enUsage);
    QCOMPARE(ligne->text(), QString(s.montre));
    QCOMPARE(PanneauParametres::refuse(ligne), s.refuse);
    QCOMPARE(ligne->toolTip().contains("valeur en usage est " + texteExact(s.enUsage)), s.refuse);
    saisir(f, enfant<QLineEdit>(f, "z11Valeur"), "7", "");
    f.nomsAFournir << ici.filePath("saisie");
    QTest::keySequence(&f, QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(vue(f)->getZ11(), 7.0);
    QCOMPARE(lireOctets(ici.filePath("saisie.car")).contains(" 7 "), !s.refuse);
    QCOMPARE(f.avertissements.size(), s.refuse ? 1 : 0);
    saisir(f, ligne, s.texte, "Echap");
    QCOMPARE(ligne->text(), texteExact(s.enUsage));
    QVERIFY(!PanneauParametres::refuse(ligne));
}

// A name chosen without extension gets the command's; "Ouvrir" on a net
// file asks, and only a yes shows the net; a PNG dropped is called one.
void TestFenFichiers::fichiers() {
    QFETCH(int, k);
    const char* actions[7] = {"actionSauver",       "actionSauver",      "actionExporterObj",
                              "actionExporterStep", "actionSauverImage", "actionOuvrir",
                              "actionAxes"};
    const char* noms[7] = {"noext", "p.bez", "m", "cao", "vue", "r.txt", "i.png"};
    const char* ecrits[7] = {"noext.car", "p.bez", "m.obj", "cao.step",
                             "vue.png",   "r.txt", "i.png"};
    QTemporaryDir ici;
    FenetreTest f;
    QVERIFY(afficherFenetre(f));
    f.tailleDemandee = QSize(64, 64);
    f.nomsAFournir << ici.filePath(noms[k]) << ici.filePath(noms[k]);
    if (k >= 5)
        QVERIFY(ecrireOctets(ici.filePath(noms[k]), k == 5 ? RESEAU : "\x89PNG\r\n\x1A\n\0\0"));
    f.confirmations << true;
    declencher(f, actions[k]);
    if (k == 6)
        f.ouvrirFichierDepose(ici.filePath(noms[k]));
    QCOMPARE(QDir(ici.path()).entryList(QDir::Files), QStringList{ecrits[k]});
    QCOMPARE(f.avertissements.size(), k == 6 ? 1 : 0);
    QVERIFY(k != 6 || f.avertissements.at(0).texte.endsWith("C'est une image PNG."));
    QCOMPARE(vue(f)->carreauDonne(), k == 5);
    QCOMPARE(f.questions.size() == 1 && f.questions.at(0).contains("carreau donn\u00E9"), k == 5);
    QCOMPARE(vue(f)->getRayon(), 4.0);
}

// Ctrl+S with an example or a net shown, after a parameter file was opened
// and then deleted: the user says what to save, and only a name chosen now
// is written.
void TestFenFichiers::enregistrerPendantUnCarreau() {
    QFETCH(int, k);
    const Enregistrement& e = ENREGISTREMENTS[k];
    QTemporaryDir ici;
    const QString parametres = ici.filePath("ouvert.car");
    QVERIFY(ecrireOctets(parametres, "0 1.5 -1 3\n\n4 8 -7.982\n"));
    QVERIFY(e.exemple || ecrireOctets(ici.filePath("r.txt"), RESEAU));
    FenetreTest f;
    f.nomsAFournir << parametres << ici.filePath("r.txt") << ici.filePath("p");
    declencher(f, "actionOuvrir");
    declencher(f, e.exemple ? "actionExemple1" : "actionOuvrirCarreau");
    QVERIFY(QFile::remove(parametres) && (e.exemple || QFile::remove(ici.filePath("r.txt"))));
    f.nomsAFournir.removeAll(ici.filePath("r.txt"));
    f.choixEnregistrement << e.choix;
    declencher(f, "actionEnregistrer");
    QCOMPARE(f.questions.size(), 1);
    QVERIFY(
        f.questions.at(0).startsWith("quoi|" + (e.exemple ? nomExemple(1) : "Carreau : r.txt")));
    const QStringList ecrit = QString(e.ecrit).isEmpty() ? QStringList() : QStringList{e.ecrit};
    QCOMPARE(QDir(ici.path()).entryList(QDir::Files), ecrit);
    QVERIFY(e.choix != 1 || lireOctets(ici.filePath(e.ecrit)).endsWith("\n-4 0 0 1\n"));
    // Back to the parameters: the zoom and centre of start-up, not the
    // fitting of the net or example.
    QVERIFY(vue(f)->Scal != 1.5);
    enfant<QPushButton>(f, "boutonReprendre")->click();
    QVERIFY(vue(f)->Scal == 1.5 && vue(f)->centrage().rayon == 0 && !vue(f)->carreauDonne());
}

// The title names the file and marks a change; closing over it asks, and
// does what the answer says (0 Cancel, 1 Discard, 2 Save).
void TestFenFichiers::fermerAvecDesModifications() {
    QFETCH(int, k);
    const QMessageBox::StandardButton reponses[3] = {QMessageBox::Cancel, QMessageBox::Discard,
                                                     QMessageBox::Save};
    QTemporaryDir ici;
    FenetreTest f;
    f.nomsAFournir << ici.filePath("titre");
    declencher(f, "actionSauver");
    QCOMPARE(f.windowTitle(), QStringLiteral("titre.car[*] \u2014 Cyclide de Dupin"));
    QVERIFY(!f.isWindowModified());
    vue(f)->setRayon(6);
    QVERIFY(f.isWindowModified());
    f.reponsesEnregistrement << reponses[k];
    QCloseEvent fermeture;
    QApplication::sendEvent(&f, &fermeture);
    QCOMPARE(f.questions, QStringList{"modifies"});
    QCOMPARE(fermeture.isAccepted(), k != 0);
    QCOMPARE(lireOctets(ici.filePath("titre.car")).contains("\n6 8 -7.982\n"), k == 2);
    QCOMPARE(f.isWindowModified(), k != 2);
}

QTEST_MAIN(TestFenFichiers)
#include "tst_fenfichiers.moc"
