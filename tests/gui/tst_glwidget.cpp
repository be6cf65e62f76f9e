// The 3D view on a real X server: start-up state, rotation, zoom, viewport,
// rebuild, examples, polygon modes, the off-screen 800 x 800 image and the
// image writer shared with the converter.
#include "FenetreTest.h"
#include "fenetre/glwidget.h"
#include "noyau/Constantes.h"
#include "rendu/ImageScene.h"

#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

#include <climits>
#include <cmath>

using namespace cyclide;

namespace {

const double PARAMETRES_DEMARRAGE[7] = {
    0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982};

bool toutOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 255) {
                return false;
            }
        }
    }
    return true;
}

// A view shown on screen at the given size, its context initialised.
class VueAffichee {
  public:
    VueAffichee(int largeur, int hauteur) {
        vue.resize(largeur, hauteur);
        vue.show();
        ok = QTest::qWaitForWindowExposed(&vue);
        vue.grabFramebuffer();
    }
    GLWidget vue;
    bool ok = false;
};

void envoyerMouvement(GLWidget& vue, QPoint position, Qt::MouseButtons boutons) {
    QMouseEvent mouvement(QEvent::MouseMove, QPointF(position), vue.mapToGlobal(QPointF(position)),
                          Qt::NoButton, boutons, Qt::NoModifier);
    QCoreApplication::sendEvent(&vue, &mouvement);
}

void envoyerAppui(GLWidget& vue, QPoint position, Qt::MouseButton bouton) {
    QMouseEvent appui(QEvent::MouseButtonPress, QPointF(position),
                      vue.mapToGlobal(QPointF(position)), bouton, bouton, Qt::NoModifier);
    QCoreApplication::sendEvent(&vue, &appui);
}

void envoyerMolette(GLWidget& vue, int delta) {
    QWheelEvent molette(QPointF(10, 10), vue.mapToGlobal(QPointF(10, 10)), QPoint(),
                        QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&vue, &molette);
}

// The second of two frames in a row. The patch of list 1 has no material
// of its own and is drawn with the one the previous frame left, so
// pictures of different histories are compared from their second frame.
QImage secondeImage(GLWidget& vue) {
    vue.grabFramebuffer();
    return vue.grabFramebuffer();
}

// Every switch on.
void toutAfficher(GLWidget& vue) {
    for (int liste = 1; liste <= 7; ++liste) {
        vue.setAfficheListe(liste, 1);
    }
}

// The compilations of lists 1..7 so far.
QList<int> compilations(const GLWidget& vue) {
    QList<int> n;
    for (int liste = 1; liste <= 7; ++liste) {
        n.append(vue.nombreCompilations(liste));
    }
    return n;
}

// The changes of a scene that the tests make, by number: 0 a parameter, 1
// the plane Py, 2 .. 4 the examples, 5 an example then the reset as the
// window makes it (the view's reset, the default plane, a rebuild), all
// switches on again.
void changerScene(GLWidget& vue, int changement) {
    switch (changement) {
    case 0:
        vue.setRayon(3);
        break;
    case 1:
        vue.choix = PlanConversion::Py;
        vue.initProjet();
        break;
    case 2:
        vue.ouvrirExemple1();
        break;
    case 3:
        vue.ouvrirExemple2();
        break;
    case 4:
        vue.ouvrirExemple3();
        break;
    default:
        vue.setRayon(3);
        vue.ouvrirExemple2();
        vue.remiseAZero();
        vue.choix = PlanConversion::Pz;
        vue.initProjet();
        toutAfficher(vue); // every list compared again
        break;
    }
}

} // namespace

class TestGLWidget : public QObject {
    Q_OBJECT

  private slots:
    void etatDeConstruction();
    void premiereReconstruction();
    void normalisationDesRotations_data();
    void normalisationDesRotations();
    void glisserSouris_data();
    void glisserSouris();
    void zoomMolette();
    void fenetreCarree_data();
    void fenetreCarree();
    void anglesEnDegres_data();
    void anglesEnDegres();
    void parametresReconstruisent();
    void interrupteurs();
    void exemples_data();
    void exemples();
    void remiseAZeroDeLaVue();
    void vueBlancheSiNonConvertible();
    void modesPolygone();
    void imageHorsEcran();
    void imageHorsEcranLaisseLaVueIntacte();
    void imageHorsEcranCommeALEcran();
    void imageSansFenetre();
    void reconstructionDansLeContexteDeLaVue();
    void ecrireImageCarreauMemeRendu();
    void ecrireImageCarreauRefuse_data();
    void ecrireImageCarreauRefuse();
    void listesCompileesALaPeinture();
    void listesIntactesSiRienNeChange();
    void listesCacheesAttendues();
    void scenesNouvellesALEcran_data();
    void scenesNouvellesALEcran();
    void nouveauContexteRecompile();
};

void TestGLWidget::etatDeConstruction() {
    GLWidget vue;
    QCOMPARE(vue.Scal, 1.5);
    QCOMPARE(vue.exemple, 0);
    QVERIFY(vue.choix == PlanConversion::Pz);
    QCOMPARE(vue.xRotation(), 0);
    QCOMPARE(vue.yRotation(), 0);
    QCOMPARE(vue.zRotation(), 0);
    QCOMPARE(vue.afficheListe(1), 1);
    for (int liste = 2; liste <= 7; ++liste) {
        QCOMPARE(vue.afficheListe(liste), 0);
    }
    QCOMPARE(vue.afficheListe(0), 0);
    QCOMPARE(vue.afficheListe(8), 0);
    QCOMPARE(vue.getTheta00(), 0.0);
    QCOMPARE(vue.getTheta02(), 1.5707963267948966);
    QCOMPARE(vue.getTheta20(), -1.0471975511965976);
    QCOMPARE(vue.getTheta22(), 3.141592653589793);
    QCOMPARE(vue.getRayon(), 4.0);
    QCOMPARE(vue.getZ11(), 8.0);
    QCOMPARE(vue.getP10(), -7.982);
}

// The first rebuild runs before any context exists and must give the same
// scene as the rebuild in the context: a ring, corner P00 at (4, 0, 0).
void TestGLWidget::premiereReconstruction() {
    GLWidget vue;
    vue.initProjet();
    QCOMPARE(vue.getType(), 1);
    QCOMPARE(codeGenre(vue.typeCyclide), 1);
    const RBBPd avant = vue.getBez1();
    QCOMPARE(vue.getBez().getP(0, 0).abs(), 4.0);
    QCOMPARE(vue.getBez().getW(0, 0), 1.0);

    vue.resize(300, 300);
    vue.show();
    QVERIFY(QTest::qWaitForWindowExposed(&vue));
    vue.grabFramebuffer(); // initialisation: rebuild with drawing
    QVERIFY(vue.isValid());
    QCOMPARE(vue.getType(), 1);
    QCOMPARE(codeGenre(vue.typeCyclide), 1);
    const RBBPd apres = vue.getBez1();
    QCOMPARE(apres.getA(), avant.getA());
    QCOMPARE(apres.getC(), avant.getC());
    QCOMPARE(apres.getMu(), avant.getMu());
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            QCOMPARE(apres.getP(i, j).abs(), avant.getP(i, j).abs());
            QCOMPARE(apres.getP(i, j).cote(), avant.getP(i, j).cote());
        }
    }
}

void TestGLWidget::normalisationDesRotations_data() {
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("attendu");
    QTest::addColumn<int>("signaux");
    QTest::newRow("-16 devient 5744") << -16 << 5744 << 1;
    QTest::newRow("5776 devient 16") << 5776 << 16 << 1;
    QTest::newRow("5760 reste 5760") << 5760 << 5760 << 1;
    QTest::newRow("0 ne change rien") << 0 << 0 << 0;
    QTest::newRow("plusieurs tours") << 3 * 5760 + 32 << 32 << 1;
    QTest::newRow("degenere INT_MIN") << INT_MIN << INT_MIN % 5760 + 5760 << 1;
}

void TestGLWidget::normalisationDesRotations() {
    QFETCH(int, angle);
    QFETCH(int, attendu);
    QFETCH(int, signaux);
    GLWidget vue;
    QSignalSpy x(&vue, &GLWidget::xRotationChanged);
    QSignalSpy y(&vue, &GLWidget::yRotationChanged);
    QSignalSpy z(&vue, &GLWidget::zRotationChanged);
    vue.setXRotation(angle);
    vue.setYRotation(angle);
    vue.setZRotation(angle);
    QCOMPARE(vue.xRotation(), attendu);
    QCOMPARE(vue.yRotation(), attendu);
    QCOMPARE(vue.zRotation(), attendu);
    QCOMPARE(x.count(), signaux);
    QCOMPARE(y.count(), signaux);
    QCOMPARE(z.count(), signaux);
    if (signaux == 1) {
        QCOMPARE(x.at(0).at(0).toInt(), attendu);
    }
}

void TestGLWidget::glisserSouris_data() {
    QTest::addColumn<int>("bouton");
    QTest::addColumn<QPoint>("deplacement");
    QTest::addColumn<int>("xRot");
    QTest::addColumn<int>("yRot");
    QTest::addColumn<int>("zRot");
    QTest::newRow("gauche, 10 a droite") << int(Qt::LeftButton) << QPoint(10, 0) << 0 << 80 << 0;
    QTest::newRow("gauche, 3 vers le bas") << int(Qt::LeftButton) << QPoint(0, 3) << 24 << 0 << 0;
    QTest::newRow("droit, 10 a gauche") << int(Qt::RightButton) << QPoint(-10, 0) << 0 << 0 << 5680;
    QTest::newRow("milieu ne tourne pas") << int(Qt::MiddleButton) << QPoint(7, 7) << 0 << 0 << 0;
}

void TestGLWidget::glisserSouris() {
    QFETCH(int, bouton);
    QFETCH(QPoint, deplacement);
    QFETCH(int, xRot);
    QFETCH(int, yRot);
    QFETCH(int, zRot);
    GLWidget vue;
    vue.resize(200, 200);
    QSignalSpy x(&vue, &GLWidget::xRotationChanged);
    const QPoint depart(100, 100);
    envoyerAppui(vue, depart, Qt::MouseButton(bouton));
    envoyerMouvement(vue, depart + deplacement, Qt::MouseButtons(bouton));
    QCOMPARE(vue.xRotation(), xRot);
    QCOMPARE(vue.yRotation(), yRot);
    QCOMPARE(vue.zRotation(), zRot);
    // An unchanged x rotation emits nothing.
    QCOMPARE(x.count(), xRot != 0 ? 1 : 0);
    // The next move counts from the last position, not from the press.
    envoyerMouvement(vue, depart + deplacement, Qt::MouseButtons(bouton));
    QCOMPARE(vue.xRotation(), xRot);
    QCOMPARE(vue.yRotation(), yRot);
    QCOMPARE(vue.zRotation(), zRot);
}

void TestGLWidget::zoomMolette() {
    GLWidget vue;
    envoyerMolette(vue, 120);
    QVERIFY(std::fabs(vue.Scal - 1.65) < 1e-12);
    envoyerMolette(vue, -120);
    QVERIFY(std::fabs(vue.Scal - 1.5 * 0.99) < 1e-12);
    // The step does not depend on the size of the delta; zero zooms out.
    envoyerMolette(vue, 1);
    QVERIFY(std::fabs(vue.Scal - 1.5 * 0.99 * 1.1) < 1e-12);
    envoyerMolette(vue, 0);
    QVERIFY(std::fabs(vue.Scal - 1.5 * 0.99 * 1.1 * 0.9) < 1e-12);
}

void TestGLWidget::fenetreCarree_data() {
    QTest::addColumn<QSize>("taille");
    QTest::addColumn<QRect>("carre");
    QTest::newRow("700 x 300") << QSize(700, 300) << QRect(200, 0, 300, 300);
    QTest::newRow("400 x 614") << QSize(400, 614) << QRect(0, 107, 400, 400);
    QTest::newRow("401 x 400") << QSize(401, 400) << QRect(0, 0, 400, 400);
    QTest::newRow("degenere 1 x 1") << QSize(1, 1) << QRect(0, 0, 1, 1);
}

// The viewport is the whole view, applied again at every paint, with a
// projection that keeps the aspect ratio: zoomed in, the drawing reaches
// beyond the centred square it used to be clipped to, and the shorter side
// shows what the square showed.
void TestGLWidget::fenetreCarree() {
    QFETCH(QSize, taille);
    QFETCH(QRect, carre);
    VueAffichee affichee(taille.width(), taille.height());
    QVERIFY(affichee.ok);
    if (affichee.vue.devicePixelRatioF() != 1.0) {
        QSKIP("the expected viewports are for a screen of ratio 1");
    }
    QCOMPARE(affichee.vue.size(), taille);
    QCOMPARE(affichee.vue.zoneAffichage(), QRect(QPoint(0, 0), taille));
    if (taille.width() > 100) {
        QVERIFY(pixelsColores(affichee.vue.grabFramebuffer()) > 1000);
        affichee.vue.Scal = 8;
        const QImage image = affichee.vue.grabFramebuffer();
        int dehors = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                dehors += !carre.contains(x, y) && !blanc(image.pixel(x, y)) ? 1 : 0;
            }
        }
        const int marge = taille.width() - carre.width() + taille.height() - carre.height();
        QVERIFY2(marge < 10 || dehors > 1000, qPrintable(QString::number(dehors)));
    }
}

void TestGLWidget::anglesEnDegres_data() {
    QTest::addColumn<int>("degres");
    QTest::addColumn<double>("radians");
    QTest::newRow("90") << 90 << PI / 2;
    QTest::newRow("-60") << -60 << -PI / 3;
    QTest::newRow("180") << 180 << PI;
    QTest::newRow("572, hors du curseur") << 572 << 572 * PI / 180;
    QTest::newRow("degenere INT_MAX, sans borne") << INT_MAX << INT_MAX * (PI / 180);
}

// The angle slots store whole degrees as radians, unclamped, and tell the
// slider and the window.
void TestGLWidget::anglesEnDegres() {
    QFETCH(int, degres);
    QFETCH(double, radians);
    GLWidget vue;
    QSignalSpy signal00(&vue, &GLWidget::theta00Changed);
    QSignalSpy signal22(&vue, &GLWidget::theta22Changed);
    QSignalSpy miseAJour(&vue, &GLWidget::miseAJour);
    vue.setTheta00(degres);
    vue.setTheta02(degres);
    vue.setTheta20(degres);
    vue.setTheta22(degres);
    const double tolerance = 1e-15 * std::max(1.0, std::fabs(radians));
    QVERIFY(std::fabs(vue.getTheta00() - radians) <= tolerance);
    QVERIFY(std::fabs(vue.getTheta02() - radians) <= tolerance);
    QVERIFY(std::fabs(vue.getTheta20() - radians) <= tolerance);
    QVERIFY(std::fabs(vue.getTheta22() - radians) <= tolerance);
    QCOMPARE(signal00.count(), 1);
    QCOMPARE(signal00.at(0).at(0).toInt(), degres);
    QCOMPARE(signal22.count(), 1);
    QCOMPARE(miseAJour.count(), 4);
}

// Each parameter slot rebuilds the patch at once, even with the same value.
void TestGLWidget::parametresReconstruisent() {
    GLWidget vue;
    vue.initProjet();
    QSignalSpy miseAJour(&vue, &GLWidget::miseAJour);
    vue.setRayon(2);
    // The corner P00 lies on the start circle of radius rayon at theta00 = 0.
    QCOMPARE(vue.getBez().getP(0, 0).abs(), 2.0);
    vue.setRayon(2);
    QCOMPARE(miseAJour.count(), 2);
    vue.setTheta00(90);
    QVERIFY(std::fabs(vue.getBez().getP(0, 0).abs()) < 1e-12);
    QVERIFY(std::fabs(vue.getBez().getP(0, 0).ord() - 2.0) < 1e-12);
    vue.setZ11(5);
    QCOMPARE(vue.getBez().getP(1, 1).cote(), 5.0);
    vue.setP10(0);
    QCOMPARE(vue.getType(), 0);
    QCOMPARE(codeGenre(vue.typeCyclide), 0);
    QCOMPARE(miseAJour.count(), 5);
}

void TestGLWidget::interrupteurs() {
    GLWidget vue;
    QSignalSpy bord(&vue, &GLWidget::afficheBordChanged);
    QSignalSpy cyclide(&vue, &GLWidget::afficheCyclideChanged);
    vue.setAfficheBord(2);
    vue.setAfficheCyclide(2);
    vue.setAfficheCyclide(2); // no comparison: emitted again
    QCOMPARE(vue.afficheListe(2), 2);
    QCOMPARE(vue.afficheListe(6), 2);
    QCOMPARE(bord.count(), 1);
    QCOMPARE(cyclide.count(), 2);
    vue.setAfficheListe(6, 0);
    QCOMPARE(vue.afficheListe(6), 0);
    vue.setAfficheListe(9, 1); // not a list: ignored
    for (int liste = 1; liste <= 7; ++liste) {
        QVERIFY(vue.afficheListe(liste) == (liste == 1 ? 1 : liste == 2 ? 2 : 0));
    }
}

void TestGLWidget::exemples_data() {
    QTest::addColumn<int>("numero");
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("x00");
    QTest::addColumn<double>("w21");
    QTest::newRow("Exemple1") << 1 << 2 << 4.0 << 0.81649658;
    QTest::newRow("Exemple2") << 2 << 1 << 7.7623 << 0.2451;
    QTest::newRow("Exemple3") << 3 << 1 << 8.0 << 0.5065;
}

// An example replaces Bez and type; later parameter changes are stored but
// the rebuild keeps the example's patch.
void TestGLWidget::exemples() {
    QFETCH(int, numero);
    QFETCH(int, type);
    QFETCH(double, x00);
    QFETCH(double, w21);
    GLWidget vue;
    vue.initProjet();
    if (numero == 1) {
        vue.ouvrirExemple1();
    } else if (numero == 2) {
        vue.ouvrirExemple2();
    } else {
        vue.ouvrirExemple3();
    }
    QCOMPARE(vue.exemple, 1);
    QCOMPARE(vue.getType(), type);
    QCOMPARE(vue.getBez().getP(0, 0).abs(), x00);
    QCOMPARE(vue.getBez().getW(2, 1), w21);
    QVERIFY(codeGenre(vue.typeCyclide) != 0);
    vue.setTheta00(45);
    QCOMPARE(vue.getBez().getP(0, 0).abs(), x00);
    QVERIFY(std::fabs(vue.getTheta00() - PI / 4) < 1e-15);
    QCOMPARE(vue.getType(), type);
}

void TestGLWidget::remiseAZeroDeLaVue() {
    GLWidget vue;
    vue.initProjet();
    vue.setXRotation(100);
    vue.setAfficheCyclide(2);
    vue.setAfficheCarreau(0);
    vue.setRayon(7);
    vue.setTheta02(10);
    vue.Scal = 3;
    vue.choix = PlanConversion::Py;
    vue.ouvrirExemple2();
    const int typeAvant = vue.getType();
    vue.remiseAZero();
    QCOMPARE(vue.exemple, 0);
    QCOMPARE(vue.xRotation(), 0);
    QCOMPARE(vue.Scal, 1.5);
    QCOMPARE(vue.afficheListe(1), 1);
    QCOMPARE(vue.afficheListe(6), 0);
    QCOMPARE(vue.getRayon(), 4.0);
    QCOMPARE(vue.getTheta02(), 1.5707963267948966);
    // No rebuild: the example's patch and type stay; the plane stays.
    QVERIFY(vue.choix == PlanConversion::Py);
    QCOMPARE(vue.getType(), typeAvant);
    QCOMPARE(vue.getBez().getP(0, 0).abs(), 7.7623);
}

// With type 0 nothing at all is drawn, whatever switches are on.
void TestGLWidget::vueBlancheSiNonConvertible() {
    VueAffichee affichee(300, 300);
    QVERIFY(affichee.ok);
    GLWidget& vue = affichee.vue;
    for (int liste = 1; liste <= 7; ++liste) {
        vue.setAfficheListe(liste, 2);
    }
    QVERIFY(pixelsColores(vue.grabFramebuffer()) > 1000);
    vue.setP10(0);
    QCOMPARE(vue.getType(), 0);
    QCOMPARE(pixelsColores(vue.grabFramebuffer()), 0);
    QCOMPARE(pixelsColores(vue.imageHorsEcran(800, 800)), 0);
    vue.setP10(-7.982);
    QVERIFY(pixelsColores(vue.grabFramebuffer()) > 1000);
}

// Filled polygons cover more pixels than outlines, outlines more than
// points; back to filled gives the same picture again.
void TestGLWidget::modesPolygone() {
    VueAffichee affichee(400, 400);
    QVERIFY(affichee.ok);
    GLWidget& vue = affichee.vue;
    const QImage plein = vue.grabFramebuffer();
    vue.setModePolygone(1);
    const QImage contours = vue.grabFramebuffer();
    vue.setModePolygone(2);
    const QImage points = vue.grabFramebuffer();
    vue.setModePolygone(0);
    const QImage pleinEncore = vue.grabFramebuffer();
    const int nPlein = pixelsColores(plein);
    const int nContours = pixelsColores(contours);
    const int nPoints = pixelsColores(points);
    QVERIFY2(nPlein > nContours, qPrintable(QString("%1 %2").arg(nPlein).arg(nContours)));
    QVERIFY2(nContours > nPoints, qPrintable(QString("%1 %2").arg(nContours).arg(nPoints)));
    QVERIFY(nPoints > 0);
    QCOMPARE(pleinEncore, plein);
}

// 800 x 800, opaque, white in the corners where nothing is drawn, the patch
// in the middle; a new context draws filled polygons whatever the view's
// polygon mode.
void TestGLWidget::imageHorsEcran() {
    VueAffichee affichee(300, 200);
    QVERIFY(affichee.ok);
    GLWidget& vue = affichee.vue;
    const QImage image = vue.imageHorsEcran(800, 800);
    QCOMPARE(image.size(), QSize(800, 800));
    QVERIFY(!image.hasAlphaChannel());
    QVERIFY(toutOpaque(image));
    QVERIFY(blanc(image.pixel(0, 0)));
    QVERIFY(blanc(image.pixel(799, 0)));
    QVERIFY(blanc(image.pixel(0, 799)));
    QVERIFY(blanc(image.pixel(799, 799)));
    const int colores = pixelsColores(image);
    QVERIFY2(colores > 800 * 800 / 10, qPrintable(QString::number(colores)));
    QVERIFY(!blanc(image.pixel(400, 400)));

    vue.setModePolygone(2);
    QCOMPARE(vue.imageHorsEcran(800, 800), image);
    vue.setModePolygone(0);

    // More lists, more colour.
    vue.setAfficheCyclide(2);
    QVERIFY(pixelsColores(vue.imageHorsEcran(800, 800)) > colores);
}

// The view's own context keeps its lists, lights, projection and viewport.
void TestGLWidget::imageHorsEcranLaisseLaVueIntacte() {
    VueAffichee affichee(700, 300);
    QVERIFY(affichee.ok);
    GLWidget& vue = affichee.vue;
    const QRect zone = vue.zoneAffichage();
    const QImage avant = vue.grabFramebuffer();
    QVERIFY(pixelsColores(avant) > 1000);
    const QImage image = vue.imageHorsEcran(800, 800);
    QVERIFY(!image.isNull());
    QCOMPARE(vue.zoneAffichage(), zone);
    QCOMPARE(vue.grabFramebuffer(), avant);
    // A rebuild from a slot still lands in the view's context.
    vue.setRayon(4);
    QCOMPARE(vue.grabFramebuffer(), avant);
}

// At the same size the off-screen image is what the screen shows, hidden
// surfaces included (the framebuffer has its depth buffer).
void TestGLWidget::imageHorsEcranCommeALEcran() {
    VueAffichee affichee(800, 800);
    QVERIFY(affichee.ok);
    GLWidget& vue = affichee.vue;
    if (vue.devicePixelRatioF() != 1.0) {
        QSKIP("the comparison needs a screen of ratio 1");
    }
    for (int liste = 1; liste <= 7; ++liste) {
        vue.setAfficheListe(liste, 2);
    }
    vue.setXRotation(45 * 16);
    const QImage ecran = vue.grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    const QImage image = vue.imageHorsEcran(800, 800);
    QCOMPARE(image.size(), ecran.size());
    int differents = 0;
    for (int y = 0; y < 800; ++y) {
        for (int x = 0; x < 800; ++x) {
            differents += (image.pixel(x, y) & 0xffffff) != (ecran.pixel(x, y) & 0xffffff);
        }
    }
    QVERIFY2(differents < 800 * 8, qPrintable(QString::number(differents)));
}

// A rebuild from a slot compiles its lists in the view's context even when
// another context is current.
void TestGLWidget::reconstructionDansLeContexteDeLaVue() {
    VueAffichee affichee(300, 300);
    QVERIFY(affichee.ok);
    GLWidget& vue = affichee.vue;
    const QImage rayon4 = vue.grabFramebuffer();
    QOpenGLContext autre;
    autre.setFormat(formatVue());
    QVERIFY(autre.create());
    QOffscreenSurface surface;
    surface.setFormat(formatVue());
    surface.create();
    QVERIFY(autre.makeCurrent(&surface));
    vue.setRayon(2);
    const QImage rayon2 = vue.grabFramebuffer();
    QVERIFY(rayon2 != rayon4);
    QVERIFY(pixelsColores(rayon2) > 100);
    QVERIFY(autre.makeCurrent(&surface));
    vue.setModePolygone(1);
    QVERIFY(autre.makeCurrent(&surface));
    vue.setRayon(4);
    const QImage contours = vue.grabFramebuffer();
    QVERIFY(pixelsColores(contours) < pixelsColores(rayon4));
    vue.setModePolygone(0);
    QCOMPARE(vue.grabFramebuffer(), rayon4);
    autre.doneCurrent();
}

// A view that was never shown renders off screen all the same.
void TestGLWidget::imageSansFenetre() {
    GLWidget vue;
    vue.initProjet();
    const QImage image = vue.imageHorsEcran(800, 800);
    QCOMPARE(image.size(), QSize(800, 800));
    QVERIFY(pixelsColores(image) > 800 * 800 / 10);
    QVERIFY(!vue.isValid());
}

// The converter's image is the view's off-screen image, pixel for pixel.
void TestGLWidget::ecrireImageCarreauMemeRendu() {
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    int argc = 0;

    const std::string nom = dossier.filePath("demarrage").toStdString();
    const Resultat<void> ecrite =
        ecrireImageCarreau(argc, nullptr, PARAMETRES_DEMARRAGE, 0, PlanConversion::Pz, "136", nom);
    QVERIFY2(ecrite.ok(), ecrite.raison.c_str());
    QImage lue(QString::fromStdString(nom), "png");
    QCOMPARE(lue.size(), QSize(800, 800));
    GLWidget vue;
    vue.setAfficheListe(3, 1);
    vue.setAfficheListe(6, 1);
    QCOMPARE(lue.convertToFormat(QImage::Format_RGB32),
             vue.imageHorsEcran(800, 800).convertToFormat(QImage::Format_RGB32));

    const std::string exemple = dossier.filePath("exemple3.png").toStdString();
    QVERIFY(ecrireImageCarreau(argc, nullptr, nullptr, 3, PlanConversion::Py, "7", exemple).ok());
    GLWidget vueExemple;
    vueExemple.choix = PlanConversion::Py;
    vueExemple.ouvrirExemple3();
    vueExemple.setAfficheListe(1, 0);
    vueExemple.setAfficheListe(7, 1);
    const QImage attendue = vueExemple.imageHorsEcran(800, 800);
    QVERIFY(pixelsColores(attendue) > 0);
    QCOMPARE(QImage(QString::fromStdString(exemple)).convertToFormat(QImage::Format_RGB32),
             attendue.convertToFormat(QImage::Format_RGB32));
}

void TestGLWidget::ecrireImageCarreauRefuse_data() {
    QTest::addColumn<int>("exemple");
    QTest::addColumn<int>("choix");
    QTest::addColumn<QString>("affiche");
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QString>("debutErreur");
    QTest::newRow("liste 8") << 0 << 1 << "18"
                             << "image.png"
                             << "Liste d'affichage invalide";
    QTest::newRow("liste vide") << 0 << 1 << ""
                                << "image.png"
                                << "Liste d'affichage invalide";
    QTest::newRow("exemple 4") << 4 << 1 << "1"
                               << "image.png"
                               << "Numero d'exemple invalide";
    QTest::newRow("plan 2") << 0 << 2 << "1"
                            << "image.png"
                            << "Choix du plan invalide";
    QTest::newRow("dossier absent") << 0 << 1 << "1"
                                    << "absent/image.png"
                                    << "Impossible d'ecrire l'image";
    QTest::newRow("degenere nom vide") << 0 << 1 << "1"
                                       << ""
                                       << "Nom de fichier image vide";
}

void TestGLWidget::ecrireImageCarreauRefuse() {
    QFETCH(int, exemple);
    QFETCH(int, choix);
    QFETCH(QString, affiche);
    QFETCH(QString, fichier);
    QFETCH(QString, debutErreur);
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    const QString chemin = fichier.isEmpty() ? QString() : dossier.filePath(fichier);
    int argc = 0;
    // The plane is checked at the boundary: any number, 2 included, may reach it.
    const Resultat<void> ecrite = ecrireImageCarreau(argc, nullptr, PARAMETRES_DEMARRAGE, exemple,
                                                     static_cast<PlanConversion>(choix),
                                                     affiche.toStdString(), chemin.toStdString());
    QVERIFY(!ecrite.ok());
    QVERIFY2(QString::fromStdString(ecrite.raison).startsWith(debutErreur), ecrite.raison.c_str());
    QVERIFY(chemin.isEmpty() || !QFile::exists(chemin));
}

// The lists are compiled by the paint, not by the rebuild, and once per
// change of scene: the two rebuilds of a slider step compile list 1 once.
void TestGLWidget::listesCompileesALaPeinture() {
    VueAffichee affichee(300, 300);
    QVERIFY(affichee.ok);
    GLWidget& vue = affichee.vue;
    QCOMPARE(vue.nombreCompilations(1), 1);
    QCOMPARE(vue.nombreCompilations(0), 0);
    QCOMPARE(vue.nombreCompilations(8), 0);
    vue.setTheta00(10);
    vue.initProjet();
    // The rebuild's numbers are there at once, before any paint.
    QCOMPARE(vue.nombreCompilations(1), 1);
    QVERIFY(std::fabs(vue.getBez().getP(0, 0).ord() - 4 * std::sin(10 * PI / 180)) < 1e-12);
    GLWidget temoin;
    temoin.setTheta00(10);
    QCOMPARE(vue.typeCyclide, temoin.typeCyclide);
    QCOMPARE(vue.getBez1().getA(), temoin.getBez1().getA());
    QCOMPARE(vue.getBez1().getP(2, 2).cote(), temoin.getBez1().getP(2, 2).cote());
    vue.grabFramebuffer();
    QCOMPARE(vue.nombreCompilations(1), 2);
    vue.grabFramebuffer();
    QCOMPARE(vue.nombreCompilations(1), 2);
}

// A rebuild that gives the very same scene (same parameters, a rotation, a
// zoom, a switch) compiles nothing; compilerListesEnAttente compiles every
// list that is out of date, once.
void TestGLWidget::listesIntactesSiRienNeChange() {
    VueAffichee affichee(300, 300);
    QVERIFY(affichee.ok);
    GLWidget& vue = affichee.vue;
    toutAfficher(vue);
    vue.grabFramebuffer();
    const QList<int> avant = compilations(vue);
    QCOMPARE(avant, QList<int>({1, 1, 1, 1, 1, 1, 1}));
    QSignalSpy miseAJour(&vue, &GLWidget::miseAJour);
    vue.setRayon(4);
    vue.setTheta02(90);
    vue.setXRotation(160);
    vue.setAfficheBord(2);
    const QImage image = vue.grabFramebuffer();
    QCOMPARE(miseAJour.count(), 2);
    QCOMPARE(compilations(vue), avant);
    vue.setXRotation(0);
    vue.setRayon(5);
    vue.compilerListesEnAttente();
    QCOMPARE(compilations(vue), QList<int>({2, 2, 2, 2, 2, 2, 2}));
    vue.compilerListesEnAttente();
    vue.grabFramebuffer();
    QCOMPARE(compilations(vue), QList<int>({2, 2, 2, 2, 2, 2, 2}));
    // Back to the first scene: compiled again, the same picture.
    vue.setRayon(4);
    vue.setXRotation(160);
    QCOMPARE(vue.grabFramebuffer(), image);
    QCOMPARE(compilations(vue), QList<int>({3, 3, 3, 3, 3, 3, 3}));
}

// A hidden list is compiled when it is shown, from the scene of the last
// rebuild; the off-screen image compiles in its own context only.
void TestGLWidget::listesCacheesAttendues() {
    VueAffichee affichee(300, 300);
    QVERIFY(affichee.ok);
    GLWidget& vue = affichee.vue;
    QCOMPARE(compilations(vue), QList<int>({1, 0, 0, 0, 0, 0, 0}));
    vue.setRayon(3);
    vue.setZ11(6);
    vue.grabFramebuffer();
    QCOMPARE(compilations(vue), QList<int>({2, 0, 0, 0, 0, 0, 0}));
    vue.setAfficheCyclide(1);
    vue.setAfficheCarreauCyclide(1);
    const QImage affichees = secondeImage(vue);
    QCOMPARE(compilations(vue), QList<int>({2, 0, 0, 0, 0, 1, 1}));
    vue.imageHorsEcran(200, 200);
    QCOMPARE(vue.grabFramebuffer(), affichees);
    QCOMPARE(compilations(vue), QList<int>({2, 0, 0, 0, 0, 1, 1}));

    GLWidget temoin;
    temoin.setRayon(3);
    temoin.setZ11(6);
    temoin.setAfficheCyclide(1);
    temoin.setAfficheCarreauCyclide(1);
    temoin.resize(300, 300);
    temoin.show();
    QVERIFY(QTest::qWaitForWindowExposed(&temoin));
    QCOMPARE(secondeImage(temoin), affichees);
}

void TestGLWidget::scenesNouvellesALEcran_data() {
    QTest::addColumn<int>("changement");
    QTest::newRow("parametre") << 0;
    QTest::newRow("plan Py") << 1;
    QTest::newRow("Exemple1") << 2;
    QTest::newRow("Exemple2") << 3;
    QTest::newRow("Exemple3") << 4;
    QTest::newRow("remise a zero") << 5;
}

// Whatever feeds the lists changes, the view shown since start-up with all
// seven lists compiles them again and shows what a new view shows when it
// is given that scene before its first paint.
void TestGLWidget::scenesNouvellesALEcran() {
    QFETCH(int, changement);
    VueAffichee affichee(300, 300);
    QVERIFY(affichee.ok);
    GLWidget& vue = affichee.vue;
    toutAfficher(vue);
    const QImage depart = secondeImage(vue);
    const QList<int> avant = compilations(vue);
    changerScene(vue, changement);
    const QImage apres = secondeImage(vue);
    for (int liste = 1; liste <= 7; ++liste) {
        QCOMPARE(vue.nombreCompilations(liste), avant[liste - 1] + 1);
    }

    GLWidget temoin;
    toutAfficher(temoin);
    changerScene(temoin, changement);
    temoin.resize(300, 300);
    temoin.show();
    QVERIFY(QTest::qWaitForWindowExposed(&temoin));
    QCOMPARE(apres, secondeImage(temoin));
    // The reset comes back to the start-up scene; for the start-up patch
    // both planes give the same cyclide (to a few digits), hence the same
    // picture.
    if (changement == 5 || changement == 1) {
        QCOMPARE(apres, depart);
    } else {
        QVERIFY(apres != depart);
    }
}

// A view moved into another window gets a new context: its lists are
// compiled there again and it shows the same scene.
void TestGLWidget::nouveauContexteRecompile() {
    QWidget fenetre;
    fenetre.resize(300, 300);
    GLWidget* vue = new GLWidget;
    vue->resize(300, 300);
    vue->show();
    QVERIFY(QTest::qWaitForWindowExposed(vue));
    const QImage avant = vue->grabFramebuffer();
    QCOMPARE(vue->nombreCompilations(1), 1);
    vue->setParent(&fenetre);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    const QImage apres = vue->grabFramebuffer();
    QCOMPARE(vue->nombreCompilations(1), 2);
    QCOMPARE(apres, avant);
}

int main(int argc, char* argv[]) {
    installerFormatVue();
    QApplication application(argc, argv);
    TestGLWidget test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_glwidget.moc"
