// The window on a laptop screen (ctest runs this suite under an X server
// of 1366 x 768): the minimum size fits, the whole window and its status
// bar lie on the screen and the last panel can be reached, and a geometry
// remembered on a larger screen comes back inside this one.
#include "FenetreTest.h"

#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>

class TestEcran : public QObject {
    Q_OBJECT

  private slots:
    void fenetreDansLEcran_data();
    void fenetreDansLEcran();
};

void TestEcran::fenetreDansLEcran_data() {
    QTest::addColumn<QRect>("retenue"); // the geometry of the last session (empty: none)
    QTest::newRow("taille minimale") << QRect();
    QTest::newRow("222 px au-dela du bas et de la droite") << QRect(600, 290, 988, 700);
    QTest::newRow("plus grande que l'ecran") << QRect(40, 40, 2400, 1400);
    QTest::newRow("hors de l'ecran en haut a gauche") << QRect(-900, -500, 1000, 700);
}

void TestEcran::fenetreDansLEcran() {
    QFETCH(QRect, retenue);
    const QRect zone = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(zone.width() <= 1366 && zone.height() <= 768, "a screen of 1366 x 768 (ctest's)");
    if (!retenue.isEmpty()) {
        FenPrincipale avant;
        avant.setGeometry(retenue);
        QSettings(QStringLiteral("cyclide"), QStringLiteral("fenetre"))
            .setValue(QStringLiteral("geometrie"), avant.saveGeometry());
    }
    FenPrincipale f;
    const QSize minimum = f.minimumSizeHint().expandedTo(f.minimumSize());
    QVERIFY(minimum.width() <= 1000 && minimum.height() <= 700);
    if (retenue.isEmpty())
        f.resize(minimum);
    else
        f.restaurerGeometrie();
    QVERIFY(afficherFenetre(f));
    QVERIFY2(zone.contains(f.frameGeometry()), "the window lies inside the screen");
    QStatusBar* barre = f.statusBar();
    QVERIFY(barre->isVisible() &&
            zone.contains(QRect(barre->mapToGlobal(QPoint()), barre->size())));
    QScrollArea* panneaux = enfant<QScrollArea>(f, QStringLiteral("defilementPanneaux"));
    QWidget* dernier = enfant<QWidget>(f, QStringLiteral("cyclideGroupBox"));
    panneaux->ensureWidgetVisible(dernier);
    const QRect vu(panneaux->viewport()->mapToGlobal(QPoint()), panneaux->viewport()->size());
    // The help opens inside the screen, its text in a browser that scrolls.
    bool aideDedans = false;
    QTimer::singleShot(200, [&] {
        QWidget* aide = QApplication::activeModalWidget();
        aideDedans = zone.contains(aide->frameGeometry()) && aide->findChild<QTextBrowser*>();
        aide->close();
    });
    f.index();
    QVERIFY(aideDedans);
    QVERIFY(zone.contains(vu) &&
            vu.intersects(QRect(dernier->mapToGlobal(QPoint()), dernier->size())));
}

QTEST_MAIN(TestEcran)
#include "tst_ecran.moc"
