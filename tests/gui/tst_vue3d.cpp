// The window shows and tells the result: the results panel after a slider
// step, a plane switch and an example; fields that show their values whole;
// the save/open round trip; fitting, shading, panning, preset views; the
// patch colours; no depth fighting between the cyclide and its piece; the
// toolkit's buttons in French; the converter's turned and fitted image.
#include "CasScene.h"
#include "FenetreTest.h"
#include "fenetre/glwidget.h"
#include "rendu/ImageScene.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

using namespace cyclide;

namespace {

GLWidget* vue(FenPrincipale& f) {
    return enfant<GLWidget>(f, QStringLiteral("glWidget"));
}
void declencher(FenPrincipale& f, const char* action) {
    enfant<QAction>(f, QString::fromLatin1(action))->trigger();
}
// Row k of the results panel (0 kind, 1 a, 3 c, 4 mu, 5 centre, 8 third
// axis, 9 theta, 11 residual, 12 plane).
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
    return champ->cursorPosition() == 0 &&
           champ->fontMetrics().horizontalAdvance(champ->text()) <=
               champ->contentsRect().width() - m.left() - m.right() - 4;
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
// The view's picture with only the given lists shown.
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
    void champsLisibles();
    void allerRetourFichier();
    void recadrerExemple1();
    void ombrage();
    void couleursDesCarreaux();
    void cyclideDerriereSonMorceau();
    void deplacementEtVuesPredefinies();
    void francaisEtImageOrientee();
};

void TestVue3D::panneauCyclide_data() {
    QTest::addColumn<int>("changement");
    QTest::newRow("curseur t00 a 10") << 0;
    QTest::newRow("Plan Py sur Exemple2") << 1;
    QTest::newRow("Exemple1, tore ou sphere") << 2;
    QTest::newRow("degenere, non convertible") << 3;
}

// After each change the panel shows what a fresh scene of the same inputs
// holds, rounded to 4 decimals, and the message follows.
void TestVue3D::panneauCyclide() {
    QFETCH(int, changement);
    FenetreTest f;
    QVERIFY(afficher(f));
    EntreeScene e = entreeDemarrage(changement == 1 ? PlanConversion::Py : PlanConversion::Pz,
                                    changement == 1 ? 2 : 0);
    if (changement == 0) {
        enfant<QSlider>(f, "theta00Slider")->setValue(10);
        e.theta00 = 10 * 6.283185307179586 / 360;
    } else if (changement == 1) {
        declencher(f, "actionExemple2");
        declencher(f, "actionChoixY");
    } else if (changement == 2) {
        declencher(f, "actionExemple1");
        e.exemple = 1;
    } else {
        vue(f)->setP10(0);
        QVERIFY(resultat(f, 0).startsWith(QStringLiteral("Non convertible : ")));
        QCOMPARE(resultat(f, 1), QStringLiteral("\u2014"));
        return;
    }
    const Scene s = construireScene(e);
    const auto texte = [](double v) { return QString::number(v, 'f', 4); };
    QCOMPARE(resultat(f, 1), texte(s.converti.a));
    QCOMPARE(resultat(f, 3), texte(s.converti.c));
    QCOMPARE(resultat(f, 4), texte(s.converti.mu));
    QVERIFY(resultat(f, 5).contains(texte(s.converti.omega.getZ0())));
    QVERIFY(resultat(f, 8).contains(texte(s.converti.Base[2][2])));
    QVERIFY(resultat(f, 9).contains(texte(s.morceau.u1)));
    QCOMPARE(resultat(f, 11), QString::number(s.residu, 'e', 2));
    const char* plans[3] = {"Plan Pz", "Plan Py", "sans objet (tore ou sph\u00E8re)"};
    QCOMPARE(resultat(f, 12), QString::fromUtf8(plans[changement]));
    // Exemple1's rounded weights also admit a spindle cyclide of tiny c.
    QCOMPARE(resultat(f, 14),
             changement == 2 ? QStringLiteral("tore croise, spindle") : resultat(f, 0));
    QVERIFY(enfant<QLabel>(f, "informations")->text().endsWith(resultat(f, 0)));
}

// The angle fields after a slider step and the reset, and the table after
// Exemple2, show their texts from the sign on, whole.
void TestVue3D::champsLisibles() {
    FenetreTest f;
    QVERIFY(afficher(f));
    enfant<QSlider>(f, "theta20Slider")->setValue(-61);
    QCOMPARE(enfant<QLineEdit>(f, "theta20Valeur")->text(), QStringLiteral("-1.064651"));
    QVERIFY(texteEntierVisible(enfant<QLineEdit>(f, "theta20Valeur")));
    declencher(f, "actionResetProg");
    for (const char* nom : {"theta20Valeur", "theta22Valeur", "P10Valeur"})
        QVERIFY2(texteEntierVisible(enfant<QLineEdit>(f, nom)), nom);
    declencher(f, "actionExemple2");
    for (int k = 0; k < 36; ++k) {
        const auto* c =
            enfant<QLineEdit>(f, QStringLiteral("pointValeur_%1_%2").arg(k / 4).arg(k % 4));
        QVERIFY2(texteEntierVisible(c), qPrintable(c->text()));
    }
    QCOMPARE(enfant<QLineEdit>(f, "pointValeur_3_0")->text(), QStringLiteral("-7.9820"));
}

// At start-up the theta20 slider stands at -60; saving then opening gives
// back the same patch, and 180 degrees stays 180: angles go to the
// nearest degree and the file keeps every digit.
void TestVue3D::allerRetourFichier() {
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    const QString chemin = dossier.filePath("aller-retour.car");
    FenetreTest f;
    QVERIFY(afficher(f));
    QCOMPARE(enfant<QSlider>(f, "theta20Slider")->value(), -60);
    vue(f)->setRayon(4.123456789);
    const RBBPd avant = vue(f)->getBez();
    f.nomsAFournir << chemin << chemin;
    declencher(f, "actionSauver");
    vue(f)->setRayon(3);
    f.reponsesEnregistrement << QMessageBox::Discard; // the unsaved 3 is left
    declencher(f, "actionOuvrir");
    QVERIFY(f.avertissements.isEmpty());
    QCOMPARE(enfant<QSlider>(f, "theta22Slider")->value(), 180);
    int differents = 0;
    for (int k = 0; k < 9; ++k) {
        const Point p = vue(f)->getBez().getP(k / 3, k % 3), q = avant.getP(k / 3, k % 3);
        differents += p.getX0() != q.getX0() || p.getY0() != q.getY0() || p.getZ0() != q.getZ0();
    }
    QCOMPARE(differents, 0);
}

// "Recadrer" on Exemple1 brings the patch, centred, to most of the view.
void TestVue3D::recadrerExemple1() {
    FenetreTest f;
    QVERIFY(afficher(f));
    declencher(f, "actionExemple1");
    // The example is fitted when it is opened; zoomed out and turned, it
    // is fitted again by the command.
    const QRect ouvert = boiteColoree(vue(f)->grabFramebuffer());
    vue(f)->Scal = 0.2;
    vue(f)->setXRotation(30 * 16);
    const QRect petite = boiteColoree(vue(f)->grabFramebuffer());
    declencher(f, "actionRecadrer");
    const QImage image = vue(f)->grabFramebuffer();
    const int cote = vue(f)->zoneAffichage().width();
    const QRect boite = boiteColoree(image);
    QVERIFY(boite.width() > 2 * petite.width());
    QVERIFY(ouvert.width() > 2 * petite.width());
    const int etendue = std::max(boite.width(), boite.height());
    QVERIFY2(etendue > cote / 2 && etendue < cote, qPrintable(QString::number(etendue)));
    const QPoint ecart = boite.center() - image.rect().center();
    QVERIFY2(ecart.manhattanLength() < cote / 8, qPrintable(QString::number(ecart.x())));
}

// Shading changes the pixels of the patch (many tones instead of one),
// keeps its outline, and leaves an empty view white.
void TestVue3D::ombrage() {
    FenetreTest f;
    QVERIFY(afficher(f));
    GLWidget* v = vue(f);
    const QImage plat = v->grabFramebuffer();
    declencher(f, "actionOmbrage");
    const QImage ombre = v->grabFramebuffer();
    QVERIFY(std::abs(pixelsColores(ombre) - pixelsColores(plat)) < pixelsColores(plat) / 50);
    QSet<QRgb> tonsPlat, tonsOmbre;
    for (int y = 0; y < plat.height(); y += 3)
        for (int x = 0; x < plat.width(); x += 3) {
            tonsPlat.insert(plat.pixel(x, y));
            tonsOmbre.insert(ombre.pixel(x, y));
        }
    QVERIFY2(tonsOmbre.size() > 4 * tonsPlat.size(), qPrintable(QString::number(tonsOmbre.size())));
    v->setP10(0);
    QCOMPARE(pixelsColores(v->grabFramebuffer()), 0);
    declencher(f, "actionOmbrage");
    QCOMPARE(pixelsColores(v->grabFramebuffer()), 0);
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
    const QRect a = boiteColoree(depart), b = boiteColoree(nouveau);
    QVERIFY(!b.isEmpty());
    // Flat, each patch has a single colour: compare one pixel of each.
    const auto premier = [](const QImage& im, const QRect& r) {
        for (int x = r.left(); x <= r.right(); ++x)
            if (!blanc(im.pixel(x, r.center().y())))
                return im.pixel(x, r.center().y());
        return qRgb(255, 255, 255);
    };
    QVERIFY(premier(depart, a) != premier(nouveau, b));
}

// Exemple2 with the cyclide and its piece: where the piece is seen alone,
// the two together show the piece, not stripes of the cyclide. From above
// the whole piece is in front; turned by 40 degrees part of it is hidden
// by the cyclide, which changes whole regions, not alternating pixels.
void TestVue3D::cyclideDerriereSonMorceau() {
    FenetreTest f;
    QVERIFY(afficher(f));
    declencher(f, "actionExemple2");
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
        QVERIFY2(alternances < dansMorceau / 200, qPrintable(QString::number(alternances)));
        QVERIFY2(degres != 0 || differents < dansMorceau / 100,
                 qPrintable(QString::number(differents)));
    }
}

// The middle button moves the picture with the pointer; the keys 2 and 3
// turn to the front and side views, 1 back to the top view.
void TestVue3D::deplacementEtVuesPredefinies() {
    FenetreTest f;
    QVERIFY(afficher(f));
    GLWidget* v = vue(f);
    const QRect avant = boiteColoree(v->grabFramebuffer());
    for (QPoint p : {QPoint(100, 100), QPoint(140, 100)}) {
        QMouseEvent e(p.x() == 100 ? QEvent::MouseButtonPress : QEvent::MouseMove, QPointF(p),
                      v->mapToGlobal(QPointF(p)), Qt::MiddleButton, Qt::MiddleButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(v, &e);
    }
    const QRect apres = boiteColoree(v->grabFramebuffer());
    QVERIFY2(std::abs(apres.left() - avant.left() - 40) <= 2,
             qPrintable(QString::number(apres.left())));
    QVERIFY(std::abs(apres.top() - avant.top()) <= 1);
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

// The toolkit's own buttons speak French; the converter's image turned and
// fitted is the view's off-screen image in that state; a zoom that is not
// positive is refused.
void TestVue3D::francaisEtImageOrientee() {
    QVERIFY(installerTraductionQt());
    QMessageBox boite(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::Cancel);
    QCOMPARE(boite.button(QMessageBox::Cancel)->text().remove('&'), QStringLiteral("Annuler"));
    QCOMPARE(boite.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Oui"));

    QTemporaryDir dossier;
    const std::string nom = dossier.filePath("orientee.png").toStdString();
    int argc = 0;
    OptionsVue options;
    options.x = 40;
    options.recadrer = true;
    QVERIFY(
        ecrireImageCarreau(argc, nullptr, nullptr, 2, PlanConversion::Pz, "67", nom, options).ok());
    GLWidget temoin;
    temoin.ouvrirExemple2();
    for (int liste = 1; liste <= 7; ++liste)
        temoin.setAfficheListe(liste, liste >= 6 ? 1 : 0);
    temoin.setXRotation(40 * 16);
    const QImage dessus = temoin.imageHorsEcran(800, 800);
    temoin.recadrer();
    const QImage attendue = temoin.imageHorsEcran(800, 800);
    QVERIFY(attendue != dessus);
    QCOMPARE(QImage(QString::fromStdString(nom)).convertToFormat(QImage::Format_RGB32), attendue);
    options.zoom = 0;
    QVERIFY(!ecrireImageCarreau(argc, nullptr, nullptr, 2, PlanConversion::Pz, "67", nom, options)
                 .ok());
}

int main(int argc, char* argv[]) {
    installerFormatVue();
    QApplication application(argc, argv);
    TestVue3D test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_vue3d.moc"
