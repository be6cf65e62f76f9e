// The main window on a real X server: start-up state, sliders and fields,
// parameter files, examples, reset, polygon modes, plane commands, image
// export and help boxes. File dialogs and message boxes are replaced by a
// subclass that supplies names and collects what would be shown.
#include "CaptureStdout.h"
#include "FenetreTest.h"
#include "fenetre/FenPrincipale.h"
#include "fenetre/glwidget.h"
#include "noyau/Constantes.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QWheelEvent>
#include <QtTest>

#include <climits>
#include <cmath>

using namespace cyclide;

namespace {

QSlider* curseur(FenPrincipale& f, const char* nom) {
    return enfant<QSlider>(f, QString::fromLatin1(nom));
}
QLineEdit* champ(FenPrincipale& f, const char* nom) {
    return enfant<QLineEdit>(f, QString::fromLatin1(nom));
}
QAction* action(FenPrincipale& f, const char* nom) {
    return enfant<QAction>(f, QString::fromLatin1(nom));
}
GLWidget* vue(FenPrincipale& f) {
    return enfant<GLWidget>(f, QStringLiteral("glWidget"));
}
QString cellule(FenPrincipale& f, int k, int c) {
    return enfant<QLineEdit>(f, QStringLiteral("pointValeur_%1_%2").arg(k).arg(c))->text();
}
QString ligneTable(FenPrincipale& f, int k) {
    QStringList textes;
    for (int c = 0; c < 4; ++c) {
        textes << cellule(f, k, c);
    }
    return textes.join(' ');
}
QStringList table(FenPrincipale& f) {
    QStringList lignes;
    for (int k = 0; k < 9; ++k) {
        lignes << ligneTable(f, k);
    }
    return lignes;
}
QString message(FenPrincipale& f) {
    return enfant<QLabel>(f, QStringLiteral("informations"))->text();
}
// The parameters can be changed: no net or example is shown (the panel
// always stays in place, greyed while one is shown).
bool panneauParametresVisible(FenPrincipale& f) {
    return !enfant<QGroupBox>(f, QStringLiteral("parametresGroupBox"))->isHidden() &&
           enfant<QSlider>(f, QStringLiteral("theta00Slider"))->isEnabled();
}

// Replaces the text of a field and presses Return in it.
void taper(QLineEdit* ligne, const QString& texte) {
    ligne->selectAll();
    ligne->del();
    QTest::keyClicks(ligne, texte);
    QTest::keyClick(ligne, Qt::Key_Return);
}

double degres(int d) {
    return d * DEUX_PI / 360;
}

const QByteArray FICHIER_DEMARRAGE = "0 1.5708 -1.0472 3.14159\n\n4 8 -7.982\n";
// What saving the start-up state writes: each value in its exact form.
const QByteArray FICHIER_DEMARRAGE_EXACT =
    "0 1.5707963267948966 -1.0471975511965976 3.141592653589793\n\n4 8 -7.982\n";

const char* const TABLE_DEMARRAGE_LIGNE_00 = "4.0000 0.0000 0.0000 1.0000";

} // namespace

class TestFenPrincipale : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void etatDeDemarrage();
    void actions_data();
    void actions();
    void menus_data();
    void menus();
    void curseurDeplace_data();
    void curseurDeplace();
    void retourDansUnChampAngle_data();
    void retourDansUnChampAngle();
    void dixDeuxFois();
    void champsLongueurs_data();
    void champsLongueurs();
    void lettresDansLeRayon();
    void interrupteursDuPanneau();
    void enregistrerDemarrage();
    void enregistrementImpossible();
    void ouvrirFichierEnregistre();
    void dispositionsDuFichier_data();
    void dispositionsDuFichier();
    void fichierIncomplet_data();
    void fichierIncomplet();
    void fichierIllisible();
    void fichierAnglesHorsBornes();
    void dialoguesAnnules();
    void exemples_data();
    void exemples();
    void remiseAZeroApresExemple();
    void remiseAZeroAuDemarrage_data();
    void remiseAZeroAuDemarrage();
    void toucheP();
    void touchesDeLaVue_data();
    void touchesDeLaVue();
    void choixDuPlan();
    void enregistrerImage();
    void imageImpossible();
    void carreauNonConvertible();
    void boitesDAide();

  private:
    QTemporaryDir dossier;
};

void TestFenPrincipale::init() {
    QVERIFY(dossier.isValid());
}

// Shows a window and waits until its view has a context.
static bool afficher(FenPrincipale& f) {
    f.show();
    if (!QTest::qWaitForWindowExposed(&f)) {
        return false;
    }
    vue(f)->grabFramebuffer();
    return vue(f)->isValid();
}

void TestFenPrincipale::etatDeDemarrage() {
    FenetreTest f;
    QCOMPARE(f.windowTitle(), QStringLiteral("Cyclide de Dupin[*]"));
    QVERIFY2(FenPrincipale().findChild<QAction*>(QStringLiteral("actionOmbrage"))->isChecked(),
             "the window starts shaded");
    QVERIFY(!f.isWindowModified());
    QCOMPARE(f.geometry(), QRect(50, 50, 700, 500));
    QVERIFY2(!f.windowIcon().isNull(), "icone.png is read from the working directory");
    QVERIFY(afficher(f));

    QCOMPARE(curseur(f, "theta00Slider")->value(), 0);
    QCOMPARE(curseur(f, "theta02Slider")->value(), 90);
    QCOMPARE(curseur(f, "theta20Slider")->value(), -60);
    QCOMPARE(curseur(f, "theta22Slider")->value(), 180);
    QCOMPARE(curseur(f, "theta00Slider")->minimum(), -180);
    QCOMPARE(curseur(f, "theta00Slider")->maximum(), 180);
    QCOMPARE(champ(f, "theta00Valeur")->text(), QStringLiteral("0"));
    QCOMPARE(champ(f, "theta02Valeur")->text(), QStringLiteral("1.5708"));
    QCOMPARE(champ(f, "theta20Valeur")->text(), QStringLiteral("-1.0472"));
    QCOMPARE(champ(f, "theta22Valeur")->text(), QStringLiteral("3.14159"));
    QCOMPARE(champ(f, "rayonValeur")->text(), QStringLiteral("4"));
    QCOMPARE(champ(f, "z11Valeur")->text(), QStringLiteral("8"));
    QCOMPARE(champ(f, "P10Valeur")->text(), QStringLiteral("-7.982"));
    // The slider stands at the nearest degree, -60, while the stored angle
    // stays -pi/3.
    QCOMPARE(vue(f)->getTheta20(), -1.0471975511965976);

    QCOMPARE(ligneTable(f, 0), QString::fromLatin1(TABLE_DEMARRAGE_LIGNE_00));
    QCOMPARE(ligneTable(f, 2).split(' ').at(1), QStringLiteral("4.0000"));
    QCOMPARE(ligneTable(f, 8).split(' ').at(0), QStringLiteral("-4.0000"));
    QCOMPARE(message(f), QStringLiteral("La cyclide est de type ring"));

    QVERIFY(action(f, "actionChoixZ")->isChecked());
    QVERIFY(!action(f, "actionChoixY")->isChecked());
    QCOMPARE(f.getMode(), 0);
    QVERIFY(panneauParametresVisible(f));
    QVERIFY(enfant<QCheckBox>(f, "afficheCarreauBox")->isChecked());
    for (const char* nom : {"afficheBordBox", "afficheCarreauBoxNew", "afficheBordBoxNew",
                            "affichePolyBoxNew", "afficheCyclideBox", "afficheCarreauCyclideBox"}) {
        QVERIFY2(!enfant<QCheckBox>(f, nom)->isChecked(), nom);
    }
    QVERIFY(pixelsColores(vue(f)->grabFramebuffer()) > 1000);
}

void TestFenPrincipale::actions_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QKeySequence>("raccourci");
    QTest::addColumn<bool>("cochable");
    QTest::newRow("ouvrir") << "actionOuvrir"
                            << "&Ouvrir" << QKeySequence(QKeySequence::Open) << false;
    QTest::newRow("image") << "actionSauverImage"
                           << "&Enregistrer Image" << QKeySequence() << false;
    QTest::newRow("sauver") << "actionSauver"
                            << "Enregistrer &sous..."
                            << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) << false;
    QTest::newRow("enregistrer") << "actionEnregistrer"
                                 << "Enregi&strer" << QKeySequence(QKeySequence::Save) << false;
    QTest::newRow("step") << "actionExporterStep"
                          << "Exporter STEP..." << QKeySequence() << false;
    QTest::newRow("quitter") << "actionQuitter"
                             << "&Quitter" << QKeySequence(QKeySequence::Quit) << false;
    QTest::newRow("plan y") << "actionChoixY"
                            << "Plan Py" << QKeySequence() << true;
    QTest::newRow("plan z") << "actionChoixZ"
                            << "Plan Pz" << QKeySequence() << true;
    QTest::newRow("affichage") << "actionModeAffichage"
                               << "&Affichage" << QKeySequence(Qt::Key_P) << false;
    QTest::newRow("remise") << "actionResetProg"
                            << "&Remise a zero" << QKeySequence(Qt::CTRL | Qt::Key_R) << false;
    QTest::newRow("annuler") << "actionAnnuler"
                             << "&Annuler" << QKeySequence(QKeySequence::Undo) << false;
    QTest::newRow("refaire") << "actionRefaire"
                             << "Re&faire" << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)
                             << false;
    QTest::newRow("refaire Ctrl+Y") << "actionRefaire"
                                    << "Re&faire" << QKeySequence(Qt::CTRL | Qt::Key_Y) << false;
    QTest::newRow("quitter Ctrl+Q") << "actionQuitter"
                                    << "&Quitter" << QKeySequence(Qt::CTRL | Qt::Key_Q) << false;
    QTest::newRow("exemple1") << "actionExemple1"
                              << "Exemple1" << QKeySequence() << false;
    QTest::newRow("index") << "actionIndex"
                           << "&Index" << QKeySequence(QKeySequence::HelpContents) << false;
    QTest::newRow("a propos") << "actionApropos"
                              << "&A propos..." << QKeySequence() << false;
    QTest::newRow("ombrage") << "actionOmbrage"
                             << "&Ombrage" << QKeySequence(Qt::Key_O) << true;
    QTest::newRow("recadrer") << "actionRecadrer"
                              << "Re&cadrer" << QKeySequence(Qt::Key_C) << false;
    QTest::newRow("vue de cote") << "actionVueCote"
                                 << "Vue de c&ôté" << QKeySequence(Qt::Key_3) << false;
}

void TestFenPrincipale::actions() {
    QFETCH(QString, nom);
    QFETCH(QString, texte);
    QFETCH(QKeySequence, raccourci);
    QFETCH(bool, cochable);
    FenetreTest f;
    QAction* a = enfant<QAction>(f, nom);
    QCOMPARE(a->text(), texte);
    // Every key the action has is the platform's or the README's.
    QVERIFY2(raccourci.isEmpty() ? a->shortcuts().isEmpty() : a->shortcuts().contains(raccourci),
             qPrintable(raccourci.toString()));
    QCOMPARE(a->isCheckable(), cochable);
    QCOMPARE(a->parent(), &f);
}

void TestFenPrincipale::menus_data() {
    QTest::addColumn<int>("rang");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("entrees");
    QTest::newRow("Fichier") << 0 << "&Fichier"
                             << "&Ouvrir|Ouvrir un carreau...|Carreau CAO précédent|Carreau CAO "
                                "suivant|Fichiers &récents|-|&Enregistrer "
                                "Image|Enregi&strer|Enregistrer &sous...|Exporter STEP...|Exporter "
                                "OBJ...|-|&Quitter";
    QTest::newRow("Edition") << 1 << "&Edition"
                             << "&Annuler|Re&faire|-|&Copier les résultats|Copier les résultats "
                                "en &JSON|-|&Affichage|-|Plan Py|Plan Pz|-|&Remise a zero";
    QTest::newRow("Vue") << 2 << "&Vue"
                         << "&Ombrage|Vue ortho&graphique|A&xes|-|Re&cadrer|-|Vue de &dessus|Vue "
                            "de &face|Vue de c&ôté";
    QTest::newRow("Exemples") << 3 << "E&xemples"
                              << "Exemple1|Exemple2|Exemple3";
    QTest::newRow("Aide") << 4 << "&Aide"
                          << "&Index|-|&A propos...";
}

void TestFenPrincipale::menus() {
    QFETCH(int, rang);
    QFETCH(QString, titre);
    QFETCH(QString, entrees);
    FenetreTest f;
    const QList<QAction*> menus = f.menuBar()->actions();
    QCOMPARE(menus.size(), 5);
    QCOMPARE(menus.at(rang)->text(), titre);
    QStringList textes;
    for (QAction* entree : menus.at(rang)->menu()->actions()) {
        textes << (entree->isSeparator() ? QStringLiteral("-") : entree->text());
    }
    QCOMPARE(textes.join('|'), entrees);
}

void TestFenPrincipale::curseurDeplace_data() {
    QTest::addColumn<QString>("angle");
    QTest::addColumn<int>("valeur");
    QTest::addColumn<int>("attendu");
    QTest::addColumn<QString>("texte");
    QTest::newRow("t00 a 90") << "00" << 90 << 90 << "1.570796";
    QTest::newRow("t22 a -30") << "22" << -30 << -30 << "-0.523599";
    QTest::newRow("t20 a 0") << "20" << 0 << 0 << "0.000000";
    QTest::newRow("degenere, au-dela de 180") << "02" << 400 << 180 << "3.141593";
}

// A slider step: the view stores the angle in degrees, the field echoes it
// in radians with 6 decimals, the table is refreshed.
void TestFenPrincipale::curseurDeplace() {
    QFETCH(QString, angle);
    QFETCH(int, valeur);
    QFETCH(int, attendu);
    QFETCH(QString, texte);
    FenetreTest f;
    QVERIFY(afficher(f));
    QSlider* s = enfant<QSlider>(f, "theta" + angle + "Slider");
    s->setValue(valeur);
    QCOMPARE(s->value(), attendu);
    QCOMPARE(enfant<QLineEdit>(f, "theta" + angle + "Valeur")->text(), texte);
    const double stocke = angle == "00"   ? vue(f)->getTheta00()
                          : angle == "02" ? vue(f)->getTheta02()
                          : angle == "20" ? vue(f)->getTheta20()
                                          : vue(f)->getTheta22();
    QCOMPARE(stocke, degres(attendu));
    if (angle == "00") {
        // Corner P00 moves to theta00 = 90 degrees on the start circle.
        QCOMPARE(ligneTable(f, 0), QStringLiteral("0.0000 4.0000 0.0000 1.0000"));
    }
}

void TestFenPrincipale::retourDansUnChampAngle_data() {
    QTest::addColumn<QString>("angle");
    QTest::addColumn<QString>("tape");
    QTest::addColumn<int>("curseurAttendu");
    QTest::addColumn<double>("radiansAttendus");
    QTest::addColumn<bool>("refuse");
    // A value typed is kept exactly; the slider shows its nearest degree.
    QTest::newRow("1 garde exactement") << "00"
                                        << "1" << 57 << 1.0 << false;
    QTest::newRow("0.5 garde exactement") << "00"
                                          << "0.5" << 29 << 0.5 << false;
    QTest::newRow("virgule decimale") << "02"
                                      << "-0,75" << -43 << -0.75 << false;
    QTest::newRow("10 au-dela de pi") << "22"
                                      << "10" << 180 << 10.0 << false;
    QTest::newRow("1.5708 et non pi/2") << "02"
                                        << "1.5708" << 90 << 1.5708 << false;
    QTest::newRow("-1e300 garde") << "00"
                                  << "-1e300" << -180 << -1e300 << false;
    // Anything else is refused and the angle kept.
    QTest::newRow("lettres refusees") << "02"
                                      << "abc" << 90 << 1.5707963267948966 << true;
    QTest::newRow("vide refuse") << "00"
                                 << "" << 0 << 0.0 << true;
    QTest::newRow("nan refuse") << "00"
                                << "nan" << 0 << 0.0 << true;
    QTest::newRow("1e400 refuse") << "22"
                                  << "1e400" << 180 << 3.141592653589793 << true;
    QTest::newRow("deux virgules refusees") << "22"
                                            << "3,1,4" << 180 << 3.141592653589793 << true;
}

void TestFenPrincipale::retourDansUnChampAngle() {
    QFETCH(QString, angle);
    QFETCH(QString, tape);
    QFETCH(int, curseurAttendu);
    QFETCH(double, radiansAttendus);
    QFETCH(bool, refuse);
    FenetreTest f;
    QVERIFY(afficher(f));
    const int pas = f.historique()->count();
    QLineEdit* ligne = enfant<QLineEdit>(f, "theta" + angle + "Valeur");
    taper(ligne, tape);
    QCOMPARE(enfant<QSlider>(f, "theta" + angle + "Slider")->value(), curseurAttendu);
    QCOMPARE(ligne->text(), tape);
    const double stocke = angle == "00"   ? vue(f)->getTheta00()
                          : angle == "02" ? vue(f)->getTheta02()
                                          : vue(f)->getTheta22();
    QCOMPARE(stocke, radiansAttendus);
    QCOMPARE(ligne->property("refuse").toBool(), refuse);
    const QString dit = f.statusBar()->currentMessage();
    QCOMPARE(dit.contains("n'est pas un nombre") || dit.contains("hors des limites"), refuse);
    QCOMPARE(dit.contains("hors des limites"), tape == "1e400");
    QCOMPARE(f.historique()->count(), refuse ? pas : pas + 1);
}

// "10" twice: stored exactly both times, the slider at its end, the text
// as typed; a value typed is saved as typed.
void TestFenPrincipale::dixDeuxFois() {
    FenetreTest f;
    QVERIFY(afficher(f));
    QLineEdit* ligne = champ(f, "theta00Valeur");
    taper(ligne, "10");
    taper(ligne, "10");
    QCOMPARE(curseur(f, "theta00Slider")->value(), 180);
    QCOMPARE(ligne->text(), QStringLiteral("10"));
    QCOMPARE(vue(f)->getTheta00(), 10.0);
    taper(ligne, "0.5");
    QTemporaryDir ailleurs;
    const QString chemin = ailleurs.filePath("saisie.car");
    f.nomsAFournir << chemin;
    action(f, "actionSauver")->trigger();
    QVERIFY(lireOctets(chemin).startsWith("0.5 1.5707963267948966 "));
}

void TestFenPrincipale::champsLongueurs_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("tape");
    QTest::addColumn<double>("valeur");
    QTest::newRow("z11 a 5") << "z11Valeur"
                             << "5" << 5.0;
    QTest::newRow("rayon a 2.5") << "rayonValeur"
                                 << "2.5" << 2.5;
    QTest::newRow("P10 a -6") << "P10Valeur"
                              << "-6" << -6.0;
}

// Return in the radius, height or P10 field stores the value, refreshes the
// table and leaves the text as typed.
void TestFenPrincipale::champsLongueurs() {
    QFETCH(QString, nom);
    QFETCH(QString, tape);
    QFETCH(double, valeur);
    FenetreTest f;
    QVERIFY(afficher(f));
    const QStringList avant = table(f);
    taper(enfant<QLineEdit>(f, nom), tape);
    QCOMPARE(enfant<QLineEdit>(f, nom)->text(), tape);
    const double stocke = nom == "z11Valeur"     ? vue(f)->getZ11()
                          : nom == "rayonValeur" ? vue(f)->getRayon()
                                                 : vue(f)->getP10();
    QCOMPARE(stocke, valeur);
    QVERIFY(table(f) != avant);
    if (nom == "z11Valeur") {
        QCOMPARE(cellule(f, 4, 2), QStringLiteral("5.0000"));
    }
}

// A bad value is refused and the previous one kept: the field marked, a
// message, the scene unchanged; a decimal comma is read.
void TestFenPrincipale::lettresDansLeRayon() {
    FenetreTest f;
    QVERIFY(afficher(f));
    const QStringList avant = table(f);
    for (const char* tape : {"abc", "3,5,", "", "1e400"}) {
        taper(champ(f, "rayonValeur"), tape);
        QCOMPARE(vue(f)->getRayon(), 4.0);
        QVERIFY2(champ(f, "rayonValeur")->property("refuse").toBool(), tape);
        QCOMPARE(table(f), avant);
        QCOMPARE(message(f), QStringLiteral("La cyclide est de type ring"));
    }
    taper(champ(f, "rayonValeur"), "3,5");
    QCOMPARE(vue(f)->getRayon(), 3.5);
    QVERIFY(!champ(f, "rayonValeur")->property("refuse").toBool());
}

void TestFenPrincipale::interrupteursDuPanneau() {
    FenetreTest f;
    QVERIFY(afficher(f));
    const int avant = pixelsColores(vue(f)->grabFramebuffer());
    QCheckBox* cyclide = enfant<QCheckBox>(f, "afficheCyclideBox");
    QTest::mouseClick(cyclide, Qt::LeftButton);
    QVERIFY(cyclide->isChecked());
    QCOMPARE(vue(f)->afficheListe(6), int(Qt::Checked));
    QVERIFY(pixelsColores(vue(f)->grabFramebuffer()) > avant);
    QCheckBox* carreau = enfant<QCheckBox>(f, "afficheCarreauBox");
    QTest::mouseClick(carreau, Qt::LeftButton);
    QCOMPARE(vue(f)->afficheListe(1), 0);
}

// The start-up state written byte for byte, ".car" added to a name chosen
// without extension.
void TestFenPrincipale::enregistrerDemarrage() {
    FenetreTest f;
    const QString chemin = dossier.filePath("demarrage.car");
    f.nomsAFournir << dossier.filePath("demarrage");
    CaptureStdout sortie;
    action(f, "actionSauver")->trigger();
    QCOMPARE(f.dialogues,
             QStringList{"Enregistrer un fichier|Carreau (*.car *.bez);;Tous les fichiers (*)"});
    QCOMPARE(lireOctets(chemin), FICHIER_DEMARRAGE_EXACT);
    QVERIFY(!QFile::exists(dossier.filePath("demarrage")));
    QCOMPARE(QString::fromStdString(sortie.str()), QString());
    QVERIFY(f.avertissements.isEmpty());
    // Saving again over the file gives the same bytes, no stray file.
    f.nomsAFournir << chemin;
    action(f, "actionSauver")->trigger();
    QCOMPARE(lireOctets(chemin), FICHIER_DEMARRAGE_EXACT);
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), QStringList{"demarrage.car"});
}

// A file that cannot be created: "Probleme d'ouverture" on the standard
// output and a warning box, and nothing written.
void TestFenPrincipale::enregistrementImpossible() {
    FenetreTest f;
    const QString chemin = dossier.filePath("absent/carreau.car");
    f.nomsAFournir << chemin;
    CaptureStdout sortie;
    action(f, "actionSauver")->trigger();
    QCOMPARE(sortie.str(), std::string("Probleme d'ouverture\n"));
    QCOMPARE(f.avertissements.size(), 1);
    QCOMPARE(f.avertissements.at(0).titre, QStringLiteral("Enregistrer un fichier"));
    QVERIFY(f.avertissements.at(0).texte.contains(chemin));
    QVERIFY(!QFile::exists(chemin));

    // A directory in place of the file: refused, the directory untouched.
    const QString repertoire = dossier.filePath("repertoire");
    QVERIFY(QDir().mkpath(repertoire + "/dedans"));
    f.nomsAFournir << repertoire;
    action(f, "actionSauver")->trigger();
    QCOMPARE(f.avertissements.size(), 2);
    QVERIFY(QFileInfo(repertoire).isDir());
    QVERIFY(QFileInfo(repertoire + "/dedans").isDir());
}

// Opening a file of the six-digit form of the start-up state: the values
// are kept exactly as read, the sliders show their nearest degrees, the
// fields that already show the values are left.
void TestFenPrincipale::ouvrirFichierEnregistre() {
    const QString chemin = dossier.filePath("demarrage.car");
    QVERIFY(ecrireOctets(chemin, FICHIER_DEMARRAGE));
    FenetreTest f;
    QVERIFY(afficher(f));
    f.nomsAFournir << chemin;
    CaptureStdout sortie;
    action(f, "actionOuvrir")->trigger();
    QCOMPARE(f.dialogues,
             QStringList{"Ouvrir un fichier|Carreau (*.car *.bez);;Tous les fichiers (*)"});
    QCOMPARE(sortie.str(), std::string("\n"));
    QVERIFY(f.avertissements.isEmpty());

    QCOMPARE(vue(f)->getTheta00(), 0.0);
    QCOMPARE(vue(f)->getTheta02(), 1.5708);
    QCOMPARE(vue(f)->getTheta20(), -1.0472);
    QCOMPARE(vue(f)->getTheta22(), 3.14159);
    QCOMPARE(curseur(f, "theta20Slider")->value(), -60);
    QCOMPARE(curseur(f, "theta22Slider")->value(), 180);
    QCOMPARE(champ(f, "theta00Valeur")->text(), QStringLiteral("0"));
    QCOMPARE(champ(f, "theta02Valeur")->text(), QStringLiteral("1.5708"));
    QCOMPARE(champ(f, "theta20Valeur")->text(), QStringLiteral("-1.0472"));
    QCOMPARE(champ(f, "theta22Valeur")->text(), QStringLiteral("3.14159"));
    QCOMPARE(champ(f, "rayonValeur")->text(), QStringLiteral("4"));
    QCOMPARE(champ(f, "P10Valeur")->text(), QStringLiteral("-7.982"));
    QCOMPARE(vue(f)->getRayon(), 4.0);
    QCOMPARE(vue(f)->getP10(), -7.982);
    QCOMPARE(message(f), QStringLiteral("La cyclide est de type ring"));
}

void TestFenPrincipale::dispositionsDuFichier_data() {
    QTest::addColumn<QByteArray>("contenu");
    QTest::newRow("trois lignes") << QByteArray("0.5 1 -0.5 2\n\n3 6 -5\n");
    QTest::newRow("une ligne") << QByteArray("0.5 1 -0.5 2 3 6 -5");
    QTest::newRow("sept lignes") << QByteArray("0.5\n1\n-0.5\n2\n3\n6\n-5\n");
    QTest::newRow("tabulations") << QByteArray("\t0.5\t1 -0.5  2\r\n3 6 -5 \n");
}

// The seven numbers are taken in order, whatever white space separates
// them.
void TestFenPrincipale::dispositionsDuFichier() {
    QFETCH(QByteArray, contenu);
    const QString chemin = dossier.filePath("disposition.bez");
    QVERIFY(ecrireOctets(chemin, contenu));
    FenetreTest f;
    f.nomsAFournir << chemin;
    CaptureStdout sortie;
    action(f, "actionOuvrir")->trigger();
    QCOMPARE(sortie.str(), std::string("\n"));
    QVERIFY(f.avertissements.isEmpty());
    QCOMPARE(vue(f)->getTheta00(), 0.5);
    QCOMPARE(curseur(f, "theta00Slider")->value(), 29); // 0.5 rad = 28.6 degrees
    QCOMPARE(vue(f)->getTheta02(), 1.0);
    QCOMPARE(vue(f)->getTheta20(), -0.5);
    QCOMPARE(vue(f)->getTheta22(), 2.0);
    QCOMPARE(vue(f)->getRayon(), 3.0);
    QCOMPARE(vue(f)->getZ11(), 6.0);
    QCOMPARE(vue(f)->getP10(), -5.0);
    QCOMPARE(champ(f, "P10Valeur")->text(), QStringLiteral("-5"));
}

void TestFenPrincipale::fichierIncomplet_data() {
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("raison");
    QTest::newRow("deux nombres") << QByteArray("0.5 1\n") << "2 valeur(s) sur 7";
    QTest::newRow("texte en troisieme")
        << QByteArray("0.5 1 abc 2 3 6 -5\n") << "'abc' n'est pas un nombre (valeur 3 sur 7)";
    QTest::newRow("six nombres") << QByteArray("0.5 1 -0.5 2\n\n3 6\n") << "6 valeur(s) sur 7";
    QTest::newRow("degenere, fichier vide") << QByteArray() << "0 valeur(s) sur 7";
}

// A short or partly unreadable file is not opened at all: the example shown
// stays, no parameter changes, and the user is told.
void TestFenPrincipale::fichierIncomplet() {
    QFETCH(QByteArray, contenu);
    QFETCH(QString, raison);
    const QString chemin = dossier.filePath("court.car");
    QVERIFY(ecrireOctets(chemin, contenu));
    FenetreTest f;
    QVERIFY(afficher(f));
    action(f, "actionExemple2")->trigger();
    f.nomsAFournir << chemin;
    CaptureStdout sortie;
    action(f, "actionOuvrir")->trigger();
    QCOMPARE(sortie.str(), std::string("\n"));
    QCOMPARE(f.avertissements.size(), 1);
    QCOMPARE(f.avertissements.at(0).titre, QStringLiteral("Ouvrir un fichier"));
    QVERIFY2(f.avertissements.at(0).texte.contains(raison),
             qPrintable(f.avertissements.at(0).texte));
    QVERIFY(!panneauParametresVisible(f));
    QCOMPARE(vue(f)->exemple, 1);

    const double demarrage[7] = {
        0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4.0, 8.0, -7.982};
    const double obtenus[7] = {vue(f)->getTheta00(), vue(f)->getTheta02(), vue(f)->getTheta20(),
                               vue(f)->getTheta22(), vue(f)->getRayon(),   vue(f)->getZ11(),
                               vue(f)->getP10()};
    for (int n = 0; n < 7; ++n) {
        QCOMPARE(obtenus[n], demarrage[n]);
    }
    QCOMPARE(champ(f, "P10Valeur")->text(), QStringLiteral("-7.982"));
}

// A file that cannot be opened: the message on the standard output; the
// example shown stays.
void TestFenPrincipale::fichierIllisible() {
    FenetreTest f;
    action(f, "actionExemple1")->trigger();
    QVERIFY(!panneauParametresVisible(f));
    f.nomsAFournir << dossier.filePath("inexistant.car");
    CaptureStdout sortie;
    action(f, "actionOuvrir")->trigger();
    QCOMPARE(sortie.str(), std::string("Probleme d'ouverture\n\n"));
    QVERIFY(!panneauParametresVisible(f));
    QCOMPARE(vue(f)->exemple, 1);
    QCOMPARE(vue(f)->getTheta22(), 3.141592653589793);
}

// Angles far beyond a turn in a file are kept as read; each slider stops
// at its end without feeding back.
void TestFenPrincipale::fichierAnglesHorsBornes() {
    const QString chemin = dossier.filePath("immense.car");
    QVERIFY(ecrireOctets(chemin, "1e300 -1e300 1e20 0\n\n4 8 -7.982\n"));
    FenetreTest f;
    f.nomsAFournir << chemin;
    action(f, "actionOuvrir")->trigger();
    QVERIFY(f.avertissements.isEmpty());
    QCOMPARE(curseur(f, "theta00Slider")->value(), 180);
    QCOMPARE(curseur(f, "theta02Slider")->value(), -180);
    QCOMPARE(curseur(f, "theta20Slider")->value(), 180);
    QCOMPARE(vue(f)->getTheta00(), 1e300);
    QCOMPARE(vue(f)->getTheta02(), -1e300);
    QCOMPARE(vue(f)->getTheta20(), 1e20);
    QCOMPARE(champ(f, "theta02Valeur")->text(), QStringLiteral("-1e+300"));
}

// Cancelling a dialog changes nothing.
void TestFenPrincipale::dialoguesAnnules() {
    const QStringList fichiersAvant = QDir(dossier.path()).entryList(QDir::Files);
    FenetreTest f;
    action(f, "actionExemple1")->trigger();
    const QStringList avant = table(f);
    CaptureStdout sortie;
    f.choixEnregistrement << 0; // the parameters, though an example is shown
    action(f, "actionOuvrir")->trigger();
    action(f, "actionSauver")->trigger();
    action(f, "actionSauverImage")->trigger();
    QCOMPARE(f.questions, QStringList{"quoi|Exemple1"});
    QCOMPARE(f.dialogues.size(), 3);
    QCOMPARE(f.dialogues.at(2), QStringLiteral("Enregistrer une image|Images (*.png)"));
    QCOMPARE(sortie.str(), std::string());
    QCOMPARE(vue(f)->exemple, 1);
    QVERIFY(!panneauParametresVisible(f));
    QCOMPARE(table(f), avant);
    QVERIFY(f.getOriginalPixmap().isNull());
    QVERIFY(f.avertissements.isEmpty());
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), fichiersAvant);
}

void TestFenPrincipale::exemples_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("ligne00");
    QTest::addColumn<QString>("ligne01");
    QTest::newRow("Exemple1") << "actionExemple1"
                              << "4.0000 0.0000 0.0000 1.0000"
                              << "2.0000 2.0000 2.0000 0.8165";
    QTest::newRow("Exemple2") << "actionExemple2"
                              << "7.7623 1.9353 0.0000 1.0000"
                              << "4.9306 6.3109 -8.9490 0.4750";
    QTest::newRow("Exemple3") << "actionExemple3"
                              << "8.0000 0.0000 0.0000 1.0000"
                              << "5.9081 5.9081 -6.5810 0.6224";
}

// An example fills the table, greys the parameters and leaves the
// sliders, fields and switches; the plane commands rebuild the example.
void TestFenPrincipale::exemples() {
    QFETCH(QString, nom);
    QFETCH(QString, ligne00);
    QFETCH(QString, ligne01);
    FenetreTest f;
    QVERIFY(afficher(f));
    enfant<QAction>(f, nom)->trigger();
    QCOMPARE(ligneTable(f, 0), ligne00);
    QCOMPARE(ligneTable(f, 1), ligne01);
    QVERIFY(!panneauParametresVisible(f));
    QCOMPARE(vue(f)->exemple, 1);
    QVERIFY(message(f) != QStringLiteral("Nous n'avons pas un carreau convertible"));
    QCOMPARE(curseur(f, "theta20Slider")->value(), -60);
    QCOMPARE(champ(f, "rayonValeur")->text(), QStringLiteral("4"));
    QVERIFY(pixelsColores(vue(f)->grabFramebuffer()) > 1000);

    action(f, "actionChoixY")->trigger();
    QVERIFY(vue(f)->choix == PlanConversion::Py);
    QCOMPARE(vue(f)->exemple, 1);
    // The rebuild kept the example's patch.
    QCOMPARE(QString::number(vue(f)->getBez().getP(0, 0).abs(), 'f', 6).left(6),
             ligne00.split(' ').at(0));
    QVERIFY(codeGenre(vue(f)->typeCyclide) != 0);
    QVERIFY(pixelsColores(vue(f)->grabFramebuffer()) > 1000);
}

// After an example, the reset brings back the panel and the patch of the
// default parameters.
void TestFenPrincipale::remiseAZeroApresExemple() {
    FenetreTest demarrage;
    const QStringList tableDemarrage = table(demarrage);

    FenetreTest f;
    QVERIFY(afficher(f));
    QTest::mouseClick(enfant<QCheckBox>(f, "afficheCyclideBox"), Qt::LeftButton);
    action(f, "actionChoixY")->trigger();
    vue(f)->setXRotation(300);
    vue(f)->Scal = 4;
    action(f, "actionExemple3")->trigger();
    action(f, "actionModeAffichage")->trigger();
    QCOMPARE(f.getMode(), 1);

    action(f, "actionResetProg")->trigger();
    QVERIFY(panneauParametresVisible(f));
    QCOMPARE(vue(f)->exemple, 0);
    QVERIFY(vue(f)->choix == PlanConversion::Pz);
    QCOMPARE(table(f), tableDemarrage);
    QCOMPARE(message(f), QStringLiteral("La cyclide est de type ring"));
    QVERIFY(!enfant<QCheckBox>(f, "afficheCyclideBox")->isChecked());
    QCOMPARE(vue(f)->afficheListe(6), 0);
    QVERIFY(action(f, "actionChoixZ")->isChecked());
    QVERIFY(!action(f, "actionChoixY")->isChecked());
    QCOMPARE(vue(f)->xRotation(), 0);
    QCOMPARE(vue(f)->Scal, 1.5);
    QCOMPARE(f.getMode(), 0);
}

void TestFenPrincipale::remiseAZeroAuDemarrage_data() {
    QTest::addColumn<bool>("changer");
    QTest::newRow("au demarrage") << false;
    QTest::newRow("apres curseur, saisie et exemple") << true;
}

// The reset writes the seven fields as the start-up does, whatever was
// shown before.
void TestFenPrincipale::remiseAZeroAuDemarrage() {
    QFETCH(bool, changer);
    FenetreTest f;
    QVERIFY(afficher(f));
    if (changer) {
        curseur(f, "theta00Slider")->setValue(45);
        taper(champ(f, "rayonValeur"), "6");
        action(f, "actionExemple1")->trigger();
    }
    action(f, "actionResetProg")->trigger();
    QCOMPARE(curseur(f, "theta20Slider")->value(), -60);
    const char* noms[7] = {"theta00Valeur", "theta02Valeur", "theta20Valeur", "theta22Valeur",
                           "rayonValeur",   "z11Valeur",     "P10Valeur"};
    const char* textes[7] = {"0", "1.5708", "-1.0472", "3.14159", "4", "8", "-7.982"};
    for (int k = 0; k < 7; ++k) {
        QCOMPARE(champ(f, noms[k])->text(), QString::fromLatin1(textes[k]));
    }
    QCOMPARE(vue(f)->getTheta20(), degres(-60));
    QCOMPARE(vue(f)->getRayon(), 4.0);
}

// The P key cycles filled, outlines, points and back; R resets from points
// to filled.
void TestFenPrincipale::toucheP() {
    FenetreTest f;
    QVERIFY(afficher(f));
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    const QImage plein = vue(f)->grabFramebuffer();
    const int nPlein = pixelsColores(plein);

    QTest::keyClick(&f, Qt::Key_P);
    QCOMPARE(f.getMode(), 1);
    const int nContours = pixelsColores(vue(f)->grabFramebuffer());
    QTest::keyClick(&f, Qt::Key_P);
    QCOMPARE(f.getMode(), 2);
    const int nPoints = pixelsColores(vue(f)->grabFramebuffer());
    QTest::keyClick(&f, Qt::Key_P);
    QCOMPARE(f.getMode(), 0);
    QVERIFY2(nPlein > nContours && nContours > nPoints && nPoints > 0,
             qPrintable(QString("%1 %2 %3").arg(nPlein).arg(nContours).arg(nPoints)));
    QCOMPARE(vue(f)->grabFramebuffer(), plein);

    QTest::keyClick(&f, Qt::Key_P);
    QTest::keyClick(&f, Qt::Key_P);
    QCOMPARE(f.getMode(), 2);
    QTest::keyClick(&f, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(f.getMode(), 0);
    QCOMPARE(pixelsColores(vue(f)->grabFramebuffer()), nPlein);
}

// The plane commands swap the check marks and rebuild without refreshing
// the table; choosing the chosen plane keeps its mark. On Exemple2 the two
// planes lead to slightly different cyclides.
void TestFenPrincipale::choixDuPlan() {
    FenetreTest f;
    QVERIFY(afficher(f));
    action(f, "actionExemple2")->trigger();
    QAction* py = action(f, "actionChoixY");
    QAction* pz = action(f, "actionChoixZ");
    const RBBPd surPz = vue(f)->getBez1();
    const QString messageAvant = message(f);
    QSignalSpy miseAJour(vue(f), &GLWidget::miseAJour);

    py->trigger();
    QVERIFY(py->isChecked());
    QVERIFY(!pz->isChecked());
    QVERIFY(vue(f)->choix == PlanConversion::Py);
    QCOMPARE(vue(f)->exemple, 1);
    QCOMPARE(miseAJour.count(), 0);
    const RBBPd surPy = vue(f)->getBez1();
    QVERIFY2(std::fabs(surPy.getA() - surPz.getA()) > 1e-6,
             qPrintable(QString("%1 %2").arg(surPy.getA()).arg(surPz.getA())));
    QCOMPARE(message(f), messageAvant);

    py->trigger();
    QVERIFY(py->isChecked());
    QVERIFY(!pz->isChecked());
    QCOMPARE(vue(f)->getBez1().getA(), surPy.getA());

    pz->trigger();
    QVERIFY(!py->isChecked());
    QVERIFY(pz->isChecked());
    QVERIFY(vue(f)->choix == PlanConversion::Pz);
    pz->trigger();
    QVERIFY(pz->isChecked());
    QCOMPARE(vue(f)->getBez1().getA(), surPz.getA());
    QCOMPARE(miseAJour.count(), 0);
    QVERIFY(pixelsColores(vue(f)->grabFramebuffer()) > 1000);
}

// "&Enregistrer Image": 800 x 800 PNG data, ".png" added to a new name,
// opaque, white where nothing is drawn, whatever the window size.
void TestFenPrincipale::enregistrerImage() {
    FenetreTest f;
    QVERIFY(afficher(f));
    f.resize(900, 650);
    const QString chemin = dossier.filePath("vue.png");
    f.nomsAFournir << dossier.filePath("vue"); // ".png" is added
    action(f, "actionSauverImage")->trigger();
    QVERIFY(f.avertissements.isEmpty());
    QCOMPARE(f.getOriginalPixmap().size(), QSize(800, 800));
    QVERIFY(lireOctets(chemin).startsWith("\x89PNG\r\n\x1a\n"));
    // Another size, chosen in the dialog, and a name with its extension.
    f.tailleDemandee = QSize(640, 360);
    f.nomsAFournir << dossier.filePath("large.png");
    action(f, "actionSauverImage")->trigger();
    QCOMPARE(QImage(dossier.filePath("large.png")).size(), QSize(640, 360));
    const QImage image(chemin, "png");
    QCOMPARE(image.size(), QSize(800, 800));
    QVERIFY(!image.hasAlphaChannel());
    QVERIFY(blanc(image.pixel(0, 0)));
    QVERIFY(blanc(image.pixel(799, 799)));
    QVERIFY(blanc(image.pixel(5, 790)));
    QVERIFY(pixelsColores(image) > 800 * 800 / 10);
    // The view on screen still draws after the off-screen rendering.
    QVERIFY(pixelsColores(vue(f)->grabFramebuffer()) > 1000);
}

// An image that cannot be written is told to the user.
void TestFenPrincipale::imageImpossible() {
    FenetreTest f;
    QVERIFY(afficher(f));
    const QString chemin = dossier.filePath("absent/vue.png");
    f.nomsAFournir << chemin;
    action(f, "actionSauverImage")->trigger();
    QCOMPARE(f.avertissements.size(), 1);
    QCOMPARE(f.avertissements.at(0).titre, QStringLiteral("Enregistrer une image"));
    QVERIFY(f.avertissements.at(0).texte.contains(chemin));
    QVERIFY(!QFile::exists(chemin));
}

// A patch that is not convertible: the message says so and the view and
// its image stay white whatever switches are on.
void TestFenPrincipale::carreauNonConvertible() {
    FenetreTest f;
    QVERIFY(afficher(f));
    for (const char* nom : {"afficheBordBox", "afficheCarreauBoxNew", "afficheBordBoxNew",
                            "affichePolyBoxNew", "afficheCyclideBox", "afficheCarreauCyclideBox"}) {
        QTest::mouseClick(enfant<QCheckBox>(f, nom), Qt::LeftButton);
    }
    taper(champ(f, "z11Valeur"), "2");
    QCOMPARE(vue(f)->getType(), 0);
    QCOMPARE(message(f), QStringLiteral("Nous n'avons pas un carreau convertible : ") +
                             QString::fromLatin1(vue(f)->getScene().raison.c_str()));
    // The patch and its border are shown all the same, "Recadrer" fits them.
    QVERIFY(pixelsColores(vue(f)->grabFramebuffer()) > 0);
    action(f, "actionRecadrer")->trigger();
    QVERIFY(vue(f)->centrage().rayon > 0);
    QCOMPARE(vue(f)->Scal, 0.9 * 8 / vue(f)->centrage().rayon);
    QVERIFY(pixelsColores(vue(f)->grabFramebuffer()) > 0);
    const QString chemin = dossier.filePath("carreau.png");
    f.nomsAFournir << chemin;
    action(f, "actionSauverImage")->trigger();
    const QImage image(chemin);
    QCOMPARE(image.size(), QSize(800, 800));
    QVERIFY(pixelsColores(image) > 0);
}

void TestFenPrincipale::touchesDeLaVue_data() {
    QTest::addColumn<int>("touche");
    QTest::addColumn<int>("xRot");
    QTest::addColumn<int>("yRot");
    QTest::addColumn<double>("zoom");
    QTest::newRow("gauche") << int(Qt::Key_Left) << 0 << 5760 - 80 << 1.5;
    QTest::newRow("droite") << int(Qt::Key_Right) << 0 << 80 << 1.5;
    QTest::newRow("haut") << int(Qt::Key_Up) << 5760 - 80 << 0 << 1.5;
    QTest::newRow("bas") << int(Qt::Key_Down) << 80 << 0 << 1.5;
    QTest::newRow("plus") << int(Qt::Key_Plus) << 0 << 0 << 1.5 * 0.1 + 1.5;
    QTest::newRow("moins") << int(Qt::Key_Minus) << 0 << 0 << 1.5 - 1.5 * 0.1;
}

// In the view the arrows turn it by 5 degrees, + and - zoom about its
// centre; the wheel zooms about the pointer, whose scene point stays.
void TestFenPrincipale::touchesDeLaVue() {
    QFETCH(int, touche);
    QFETCH(int, xRot);
    QFETCH(int, yRot);
    QFETCH(double, zoom);
    FenetreTest f;
    QVERIFY(afficher(f));
    QTest::keyClick(vue(f), Qt::Key(touche));
    QCOMPARE(vue(f)->xRotation(), xRot);
    QCOMPARE(vue(f)->yRotation(), yRot);
    QCOMPARE(vue(f)->Scal, zoom);
    QCOMPARE(vue(f)->decalage(), QPointF());
    // One wheel step at the view's upper left quarter: the eye point under
    // the pointer, divided by the zoom, is the same scene point after it.
    const QPointF ici(vue(f)->width() / 4.0, vue(f)->height() / 4.0);
    const double parPixel = 16.0 / std::min(vue(f)->width(), vue(f)->height());
    const QPointF oeil((ici.x() - vue(f)->width() / 2.0) * parPixel,
                       (vue(f)->height() / 2.0 - ici.y()) * parPixel);
    const QPointF avant = (oeil - vue(f)->decalage()) / vue(f)->Scal;
    QWheelEvent molette(ici, vue(f)->mapToGlobal(ici), QPoint(), QPoint(0, 120), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(vue(f), &molette);
    QCOMPARE(vue(f)->Scal, zoom * 0.1 + zoom);
    const QPointF apres = (oeil - vue(f)->decalage()) / vue(f)->Scal;
    QVERIFY(std::hypot(apres.x() - avant.x(), apres.y() - avant.y()) < 1e-12);
}

void TestFenPrincipale::boitesDAide() {
    FenetreTest f;
    action(f, "actionIndex")->trigger();
    action(f, "actionApropos")->trigger();
    QCOMPARE(f.informations.size(), 2);
    QCOMPARE(f.informations.at(0).titre, QStringLiteral("Index"));
    QVERIFY(f.informations.at(0).texte.startsWith(
        "Ce programme permet de convertir des carreaux de Bezier en cyclide de Dupin. "));
    // Then every command of the menus with its shortcut, the mouse, the
    // examples and the net format.
    const QString index = f.informations.at(0).texte;
    QVERIFY(index.contains(
        "Il y a aussi la possibilite d'enregistrer une image (800x800) de la fenetre openGL."));
    for (QAction* a : f.findChildren<QAction*>()) {
        if (!a->isSeparator() && a->menu() == nullptr && !a->text().isEmpty() &&
            a->parent() == &f && !a->objectName().isEmpty()) {
            QVERIFY2(index.contains(QString(a->text()).remove('&')), qPrintable(a->text()));
        }
    }
    for (const char* texte :
         {"Annuler (Ctrl+Z) : Annuler la derni\u00E8re", "Refaire (Ctrl+", "Ctrl+Y", "Ctrl+Shift+Z",
          "Ctrl+Shift+S", "Ctrl+R", "bouton du milieu, d\u00E9placement", "Exemple3",
          "P00 P01 P02 P10 P11 P12 P20 P21 P22", "36 nombres", "JSON", "STEP", "IGES"}) {
        QVERIFY2(index.contains(QString::fromUtf8(texte)), texte);
    }
    QCOMPARE(f.informations.at(1).titre, QStringLiteral("A propos..."));
    const QStringList blocs = f.informations.at(1).texte.split("<br>");
    QVERIFY(blocs.size() >= 5);
    QCOMPARE(blocs.at(1),
             QStringLiteral("Il permet la convertion d'un carreau de Bezier en cyclide de Dupin."));
    QCOMPARE(blocs.at(2), QString());
    QVERIFY(f.avertissements.isEmpty());
}

int main(int argc, char* argv[]) {
    installerFormatVue();
    QApplication application(argc, argv);
    TestFenPrincipale test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fenprincipale.moc"
