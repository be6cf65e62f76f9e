// The window on a laptop screen (the suite runs under an X server of
// 1366 x 768): its minimum size fits, maximised the whole window and its
// status bar are on the screen and every panel can be reached, and a
// geometry remembered on a larger screen comes back inside this one.
#include "FenetreTest.h"

#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>

using namespace cyclide;

class TestEcran : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void fenetreTientDansLEcran_data();
    void fenetreTientDansLEcran();
    void geometrieRetenueRameneeDansLEcran_data();
    void geometrieRetenueRameneeDansLEcran();

  private:
    QRect zone;
};

void TestEcran::initTestCase() {
    zone = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(zone.width() <= 1366 && zone.height() <= 768,
             "run under a screen of 1366 x 768 (ctest does)");
}

void TestEcran::fenetreTientDansLEcran_data() {
    QTest::addColumn<bool>("maximisee");
    QTest::newRow("taille minimale") << false;
    QTest::newRow("maximisee") << true;
}

// The minimum is at most 1000 x 700; the window, its status bar and the
// last panel (scrolled to) lie inside the screen.
void TestEcran::fenetreTientDansLEcran() {
    QFETCH(bool, maximisee);
    FenetreTest f;
    const QSize minimum = f.minimumSizeHint().expandedTo(f.minimumSize());
    QVERIFY2(minimum.width() <= 1000 && minimum.height() <= 700,
             qPrintable(QStringLiteral("%1 x %2").arg(minimum.width()).arg(minimum.height())));
    if (maximisee) {
        f.setGeometry(zone);
    } else {
        f.resize(minimum);
    }
    QVERIFY(afficherFenetre(f));
    QVERIFY2(zone.contains(f.frameGeometry()), "the window lies inside the screen");
    const QRect barre(f.statusBar()->mapToGlobal(QPoint(0, 0)), f.statusBar()->size());
    QVERIFY(f.statusBar()->isVisible());
    QVERIFY2(zone.contains(barre), "the status bar lies inside the screen");
    QScrollArea* panneaux = enfant<QScrollArea>(f, QStringLiteral("defilementPanneaux"));
    QWidget* dernier = enfant<QWidget>(f, QStringLiteral("cyclideGroupBox"));
    panneaux->ensureWidgetVisible(dernier);
    const QRect vu(panneaux->viewport()->mapToGlobal(QPoint(0, 0)), panneaux->viewport()->size());
    const QRect panneau(dernier->mapToGlobal(QPoint(0, 0)), dernier->size());
    QVERIFY2(vu.intersects(panneau) && zone.contains(vu), "the results panel can be reached");
}

void TestEcran::geometrieRetenueRameneeDansLEcran_data() {
    QTest::addColumn<QRect>("retenue");
    QTest::newRow("222 px au-dela du bas et de la droite") << QRect(600, 290, 988, 700);
    QTest::newRow("plus grande que l'ecran") << QRect(40, 40, 2400, 1400);
    QTest::newRow("hors de l'ecran a gauche") << QRect(-900, -500, 1000, 700);
}

// A geometry kept by a session on a larger screen is restored inside this
// one, no larger than it.
void TestEcran::geometrieRetenueRameneeDansLEcran() {
    QFETCH(QRect, retenue);
    {
        FenetreTest avant;
        avant.setGeometry(retenue);
        QSettings(QStringLiteral("cyclide"), QStringLiteral("fenetre"))
            .setValue(QStringLiteral("geometrie"), avant.saveGeometry());
    }
    FenetreTest f;
    f.restaurerGeometrie();
    QVERIFY(afficherFenetre(f));
    QVERIFY2(zone.contains(f.frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3 x %4")
                                                              .arg(f.frameGeometry().x())
                                                              .arg(f.frameGeometry().y())
                                                              .arg(f.frameGeometry().width())
                                                              .arg(f.frameGeometry().height())));
    QCOMPARE(rectangleDans(retenue, zone).size(), retenue.size().boundedTo(zone.size()));
}

QTEST_MAIN(TestEcran)
#include "tst_ecran.moc"
