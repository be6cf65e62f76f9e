// The window shows and tells the result: the results panel after a slider
// step, a plane switch and an example; fields that show their values whole;
// the save/open round trip; fitting, shading, panning, preset views; the
// patch colours; no depth fighting between the cyclide and its piece; the
// toolkit's dialogs in French.
#include "EntreeDemarrage.h"
#include "FenetreTest.h"
#include "FichierParametres.h"
#include "ImageVue.h"
#include "Scene.h"
#include "glwidget.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

namespace {

// Whether the parameter file keeps every digit and angles are rounded to
// the nearest degree (the file reader's side of the round trip).
bool arrondiAuDegre() {
    return radiansEnDegres(-1.0471975511965976) == -60;
}
bool ecritureExacte() {
    const double v[7] = {3.141592653589793, 0, 0, 0, 0, 0, 0};
    std::ostringstream os;
    ecrireParametres(os, v);
    return os.str().rfind("3.141592653589793", 0) == 0;
}

GLWidget* vue(FenPrincipale& f) {
    return enfant<GLWidget>(f, QStringLiteral("glWidget"));
}
QAction* action(FenPrincipale& f, const char* nom) {
    return enfant<QAction>(f, QString::fromLatin1(nom));
}
// Row k of the results panel (0 kind, 1 a, 2 b, 3 c, 4 mu, 5 centre, 6..8
// axes, 9 theta, 10 psi, 11 residual, 12 plane).
QString resultat(FenPrincipale& f, int k) {
    return enfant<QLabel>(f, QStringLiteral("resultat_%1").arg(k))->text();
}

bool afficher(FenPrincipale& f) {
    f.show();
    return QTest::qWaitForWindowExposed(&f) && !vue(f)->grabFramebuffer().isNull();
}

// The start of the text is shown and the whole text fits in the field.
bool texteEntierVisible(const QLineEdit* champ) {
    const QMargins m = champ->textMargins();
    const int place = champ->contentsRect().width() - m.left() - m.right() - 4;
    return champ->cursorPosition() == 0 &&
           champ->fontMetrics().horizontalAdvance(champ->text()) <= place;
}

// The box of the pixels that are not white.
QRect boiteColoree(const QImage& image) {
    QRect boite;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!blanc(image.pixel(x, y)))
                boite |= QRect(x, y, 1, 1);
    return boite;
}

// The image of the view with only the given lists shown.
QImage avecListes(GLWidget& v, const QList<int>& listes) {
    for (int liste = 1; liste <= 7; ++liste)
        v.setAfficheListe(liste, listes.contains(liste) ? 1 : 0);
    return v.grabFramebuffer().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestVue3D : public QObject {
    Q_OBJECT

  private slots:
    void panneauCyclide_data();
    void panneauCyclide();
    void panneauNonConvertible();
    void champsLisibles();
    void demarrageA60Degres();
    void enregistrerPuisOuvrir();
    void recadrerExemple1();
    void ombrage();
    void couleursDesCarreaux();
    void cyclideDerriereSonMorceau();
    void deplacementEtVuesPredefinies();
    void dialoguesEnFrancais();
    void imageOrientee();
};

void TestVue3D::panneauCyclide_data() {
    QTest::addColumn<int>("changement");
    QTest::newRow("curseur t00 a 10") << 0;
    QTest::newRow("Plan Py") << 1;
    QTest::newRow("Exemple2") << 2;
    QTest::newRow("Exemple1, tore ou sphere") << 3;
}

// After each change the panel shows the scene a fresh build gives for the
// same inputs, rounded to 4 decimals, and the message and table follow.
void TestVue3D::panneauCyclide() {
    QFETCH(int, changement);
    FenetreTest f;
    QVERIFY(afficher(f));
    EntreeScene e = entreeDemarrage();
    if (changement == 0) {
        enfant<QSlider>(f, "theta00Slider")->setValue(10);
        e.theta00 = 10 * 6.283185307179586 / 360;
    } else if (changement == 1) {
        action(f, "actionExemple2")->trigger();
        action(f, "actionChoixY")->trigger();
        e.exemple = 2;
        e.choix = 0;
    } else {
        action(f, changement == 2 ? "actionExemple2" : "actionExemple1")->trigger();
        e.exemple = changement == 2 ? 2 : 1;
    }
    const Scene s = construireScene(e);
    QVERIFY(s.typeCyclide != 0);
    QCOMPARE(resultat(f, 1), QString::number(s.converti.a, 'f', 4));
    QCOMPARE(resultat(f, 3), QString::number(s.converti.c, 'f', 4));
    QCOMPARE(resultat(f, 4), QString::number(s.converti.mu, 'f', 4));
    QVERIFY(resultat(f, 5).contains(QString::number(s.converti.omega.getZ0(), 'f', 4)));
    QVERIFY(resultat(f, 8).contains(QString::number(s.converti.Base[2][2], 'f', 4)));
    QVERIFY(resultat(f, 9).contains(QString::number(s.morceau.u1, 'f', 4)));
    QCOMPARE(resultat(f, 11), QString::number(s.residu, 'e', 2));
    QCOMPARE(resultat(f, 12), changement == 3   ? QStringLiteral("sans objet (tore ou sphere)")
                              : changement == 1 ? QStringLiteral("Plan Py")
                                                : QStringLiteral("Plan Pz"));
    QVERIFY(!resultat(f, 0).isEmpty());
    QVERIFY(enfant<QLabel>(f, "informations")->text().endsWith(resultat(f, 0)));
    QVERIFY(enfant<QLabel>(f, "resultat_1")->textInteractionFlags() & Qt::TextSelectableByMouse);
}

void TestVue3D::panneauNonConvertible() {
    FenetreTest f;
    QVERIFY(afficher(f));
    vue(f)->setP10(0);
    QVERIFY(resultat(f, 0).startsWith(QStringLiteral("Non convertible : ")));
    QVERIFY(!resultat(f, 0).contains('\n'));
    QCOMPARE(resultat(f, 1), QString());
}

// The parameter fields after the reset and the table after Exemple2 show
// their texts from the sign on, whole.
void TestVue3D::champsLisibles() {
    FenetreTest f;
    QVERIFY(afficher(f));
    enfant<QSlider>(f, "theta20Slider")->setValue(-61);
    QCOMPARE(enfant<QLineEdit>(f, "theta20Valeur")->text(), QStringLiteral("-1.064651"));
    QVERIFY(texteEntierVisible(enfant<QLineEdit>(f, "theta20Valeur")));
    action(f, "actionResetProg")->trigger();
    QCOMPARE(enfant<QLineEdit>(f, "theta20Valeur")->text(), QStringLiteral("-1.047198"));
    for (const char* nom : {"theta00Valeur", "theta20Valeur", "theta22Valeur", "P10Valeur"})
        QVERIFY2(texteEntierVisible(enfant<QLineEdit>(f, nom)), nom);
    action(f, "actionExemple2")->trigger();
    for (int k = 0; k < 9; ++k)
        for (int c = 0; c < 4; ++c) {
            const QLineEdit* cellule =
                enfant<QLineEdit>(f, QStringLiteral("pointValeur_%1_%2").arg(k).arg(c));
            QVERIFY2(texteEntierVisible(cellule), qPrintable(cellule->text()));
        }
    QCOMPARE(enfant<QLineEdit>(f, "pointValeur_3_0")->text(), QStringLiteral("-7.982"));
    QCOMPARE(enfant<QLineEdit>(f, "pointValeur_0_0")->text(), QStringLiteral("7.7623"));
}

// At start-up the theta20 slider stands at -60, the nearest degree of
// -pi/3 (the reader rounds to the nearest degree).
void TestVue3D::demarrageA60Degres() {
    FenetreTest f;
    if (!arrondiAuDegre())
        QEXPECT_FAIL("", "angles are still truncated toward zero", Continue);
    QCOMPARE(enfant<QSlider>(f, "theta20Slider")->value(), -60);
}

// Saving then opening gives back the same patch, and 180 degrees stays 180.
void TestVue3D::enregistrerPuisOuvrir() {
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    const QString chemin = dossier.filePath("aller-retour.car");
    FenetreTest f;
    QVERIFY(afficher(f));
    vue(f)->setRayon(4.123456789);
    const RBBPd avant = vue(f)->getBez();
    f.nomsAFournir << chemin << chemin;
    action(f, "actionSauver")->trigger();
    vue(f)->setRayon(3);
    action(f, "actionOuvrir")->trigger();
    QVERIFY(f.avertissements.isEmpty());
    const bool exact = arrondiAuDegre() && ecritureExacte();
    if (!exact)
        QEXPECT_FAIL("", "the file keeps 6 digits and angles are truncated", Continue);
    QCOMPARE(enfant<QSlider>(f, "theta22Slider")->value(), 180);
    const RBBPd apres = vue(f)->getBez();
    int differents = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            differents += apres.getP(i, j).getX0() != avant.getP(i, j).getX0() ||
                          apres.getP(i, j).getY0() != avant.getP(i, j).getY0() ||
                          apres.getP(i, j).getZ0() != avant.getP(i, j).getZ0() ||
                          apres.getW(i, j) != avant.getW(i, j);
    if (!exact)
        QEXPECT_FAIL("", "the file keeps 6 digits and angles are truncated", Continue);
    QCOMPARE(differents, 0);
}

// "Recadrer" on Exemple1 brings the patch, centred, to most of the view.
void TestVue3D::recadrerExemple1() {
    FenetreTest f;
    QVERIFY(afficher(f));
    action(f, "actionExemple1")->trigger();
    vue(f)->Scal = 0.2;
    vue(f)->setXRotation(30 * 16);
    const QRect petite = boiteColoree(vue(f)->grabFramebuffer());
    action(f, "actionRecadrer")->trigger();
    const QImage image = vue(f)->grabFramebuffer();
    const QRect zone = vue(f)->zoneAffichage();
    const QRect boite = boiteColoree(image);
    QVERIFY(boite.width() > 2 * petite.width());
    const int cote = std::max(boite.width(), boite.height());
    QVERIFY2(cote > zone.width() / 2 && cote < zone.width(),
             qPrintable(QString("%1 in %2").arg(cote).arg(zone.width())));
    const QPoint ecart = boite.center() - QRect(QPoint(0, 0), image.size()).center();
    QVERIFY2(ecart.manhattanLength() < zone.width() / 8,
             qPrintable(QString("%1 %2").arg(ecart.x()).arg(ecart.y())));
}

// Shading changes the pixels of the patch, keeps its outline, and leaves
// an empty view white.
void TestVue3D::ombrage() {
    FenetreTest f;
    QVERIFY(afficher(f));
    GLWidget* v = vue(f);
    const QImage plat = v->grabFramebuffer();
    action(f, "actionOmbrage")->trigger();
    QVERIFY(v->ombrage());
    const QImage ombre = v->grabFramebuffer();
    QVERIFY(ombre != plat);
    QVERIFY(std::abs(pixelsColores(ombre) - pixelsColores(plat)) < pixelsColores(plat) / 50);
    // Shaded, the patch shows several tones, flat a single one.
    QSet<QRgb> tonsPlat, tonsOmbre;
    for (int y = 0; y < plat.height(); y += 3)
        for (int x = 0; x < plat.width(); x += 3) {
            tonsPlat.insert(plat.pixel(x, y));
            tonsOmbre.insert(ombre.pixel(x, y));
        }
    QVERIFY2(tonsOmbre.size() > 4 * tonsPlat.size(),
             qPrintable(QString("%1 %2").arg(tonsOmbre.size()).arg(tonsPlat.size())));
    v->setP10(0);
    QCOMPARE(pixelsColores(v->grabFramebuffer()), 0);
    action(f, "actionOmbrage")->trigger();
    QCOMPARE(pixelsColores(v->grabFramebuffer()), 0);
}

// The colour the most pixels of an image have, white left out.
QRgb couleurDominante(const QImage& image) {
    QHash<QRgb, int> nombres;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!blanc(image.pixel(x, y)))
                ++nombres[image.pixel(x, y)];
    QRgb dominante = qRgb(255, 255, 255);
    int plus = 0;
    for (auto it = nombres.cbegin(); it != nombres.cend(); ++it)
        if (it.value() > plus) {
            plus = it.value();
            dominante = it.key();
        }
    return dominante;
}

// The patch has one colour whatever was drawn before, and the converted
// patch another.
void TestVue3D::couleursDesCarreaux() {
    FenetreTest f;
    QVERIFY(afficher(f));
    GLWidget* v = vue(f);
    const QImage depart = v->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    avecListes(*v, {6});
    QCOMPARE(avecListes(*v, {1}), depart);
    avecListes(*v, {7});
    const QImage nouveau = avecListes(*v, {3});
    QVERIFY(pixelsColores(nouveau) > 1000);
    QVERIFY(couleurDominante(nouveau) != couleurDominante(depart));
}

// Exemple2 with the cyclide and its piece: where the piece is seen alone,
// the two together show the piece, not stripes of the cyclide. From above
// the whole piece is in front; turned by 40 degrees part of it is hidden
// by the cyclide, which changes whole regions, not alternating pixels.
void TestVue3D::cyclideDerriereSonMorceau() {
    FenetreTest f;
    QVERIFY(afficher(f));
    action(f, "actionExemple2")->trigger();
    GLWidget* v = vue(f);
    for (int degres : {0, 40}) {
        v->setXRotation(degres * 16);
        v->recadrer();
        const QImage morceau = avecListes(*v, {7});
        const QImage ensemble = avecListes(*v, {6, 7});
        int dansMorceau = 0, differents = 0, alternances = 0;
        for (int y = 0; y < morceau.height(); ++y)
            for (int x = 1; x < morceau.width(); ++x)
                if (!blanc(morceau.pixel(x, y)) && !blanc(morceau.pixel(x - 1, y))) {
                    ++dansMorceau;
                    const bool d = ensemble.pixel(x, y) != morceau.pixel(x, y);
                    differents += d;
                    alternances += d != (ensemble.pixel(x - 1, y) != morceau.pixel(x - 1, y));
                }
        QVERIFY(dansMorceau > 10000);
        QVERIFY2(alternances < dansMorceau / 200,
                 qPrintable(QString("%1 of %2").arg(alternances).arg(dansMorceau)));
        if (degres == 0)
            QVERIFY2(differents < dansMorceau / 100,
                     qPrintable(QString("%1 of %2").arg(differents).arg(dansMorceau)));
    }
}

// The middle button moves the picture with the pointer; the keys 2 and 3
// turn to the front and side views, 1 back to the top view.
void TestVue3D::deplacementEtVuesPredefinies() {
    FenetreTest f;
    QVERIFY(afficher(f));
    GLWidget* v = vue(f);
    const QRect avant = boiteColoree(v->grabFramebuffer());
    const QPoint depart(100, 100);
    QMouseEvent appui(QEvent::MouseButtonPress, QPointF(depart), v->mapToGlobal(QPointF(depart)),
                      Qt::MiddleButton, Qt::MiddleButton, Qt::NoModifier);
    QCoreApplication::sendEvent(v, &appui);
    const QPoint fin = depart + QPoint(40, 0);
    QMouseEvent mouvement(QEvent::MouseMove, QPointF(fin), v->mapToGlobal(QPointF(fin)),
                          Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
    QCoreApplication::sendEvent(v, &mouvement);
    const QRect apres = boiteColoree(v->grabFramebuffer());
    QVERIFY2(std::abs(apres.left() - avant.left() - 40) <= 2,
             qPrintable(QString("%1 -> %2").arg(avant.left()).arg(apres.left())));
    QCOMPARE(apres.top(), avant.top());
    QCOMPARE(v->xRotation(), 0);

    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QTest::keyClick(&f, Qt::Key_2);
    QCOMPARE(v->xRotation(), 270 * 16);
    QTest::keyClick(&f, Qt::Key_3);
    QCOMPARE(v->zRotation(), 270 * 16);
    QTest::keyClick(&f, Qt::Key_1);
    QCOMPARE(v->xRotation() + v->yRotation() + v->zRotation(), 0);
}

// The toolkit's own buttons speak French.
void TestVue3D::dialoguesEnFrancais() {
    QVERIFY(installerTraductionQt());
    QMessageBox boite(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                      QMessageBox::Yes | QMessageBox::Cancel);
    QCOMPARE(boite.button(QMessageBox::Cancel)->text().remove('&'), QStringLiteral("Annuler"));
    QCOMPARE(boite.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Oui"));
}

// The converter's image turned, zoomed and fitted is the view's own
// off-screen image in that state; a zoom that is not positive is refused.
void TestVue3D::imageOrientee() {
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    const std::string nom = dossier.filePath("orientee.png").toStdString();
    int argc = 0;
    std::string erreur;
    OptionsVue options;
    options.x = 40;
    options.z = -15;
    options.recadrer = true;
    QVERIFY(ecrireImageCarreau(argc, nullptr, nullptr, 2, 1, "67", nom, erreur, options));
    GLWidget temoin;
    temoin.ouvrirExemple2();
    temoin.setAfficheListe(1, 0);
    temoin.setAfficheListe(6, 1);
    temoin.setAfficheListe(7, 1);
    temoin.setXRotation(40 * 16);
    temoin.setZRotation(-15 * 16);
    const QImage dessus = temoin.imageHorsEcran(800, 800);
    temoin.recadrer();
    const QImage attendue = temoin.imageHorsEcran(800, 800);
    QVERIFY(attendue != dessus);
    QCOMPARE(QImage(QString::fromStdString(nom)).convertToFormat(QImage::Format_RGB32), attendue);
    options.zoom = 0;
    QVERIFY(!ecrireImageCarreau(argc, nullptr, nullptr, 2, 1, "67", nom, erreur, options));
    QVERIFY(QString::fromStdString(erreur).startsWith("Zoom invalide"));
}

int main(int argc, char* argv[]) {
    installerFormatVue();
    QApplication application(argc, argv);
    TestVue3D test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_vue3d.moc"
