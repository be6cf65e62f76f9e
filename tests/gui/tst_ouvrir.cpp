// "&Ouvrir" on what is not a parameter file: a named pipe without writer,
// a named pipe fed endlessly, a directory and an endless device are
// refused at once, without blocking the window, with a warning naming the
// file; the parameters stay as they were. A regular file still loads.
#include "CaptureStdout.h"
#include "FenetreTest.h"
#include "fenetre/FenPrincipale.h"
#include "fenetre/glwidget.h"

#include <QElapsedTimer>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace cyclide;

class TestOuvrir : public QObject {
    Q_OBJECT

  private slots:
    void refuse_data();
    void refuse();
    void fichierOrdinaire();
};

void TestOuvrir::refuse_data() {
    QTest::addColumn<QString>("genre");
    QTest::newRow("tube sans ecrivain") << "tube";
    QTest::newRow("tube alimente sans fin") << "tube alimente";
    QTest::newRow("repertoire") << "repertoire";
    QTest::newRow("/dev/zero") << "peripherique";
}

void TestOuvrir::refuse() {
    QFETCH(QString, genre);
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    QString nom = dossier.filePath("tube");
    pid_t ecrivain = -1;
    if (genre.startsWith("tube")) {
        QCOMPARE(::mkfifo(QFile::encodeName(nom).constData(), 0600), 0);
    }
    if (genre == "tube alimente") {
        ecrivain = ::fork();
        QVERIFY(ecrivain >= 0);
        if (ecrivain == 0) {
            const int fd = ::open(QFile::encodeName(nom).constData(), O_WRONLY);
            const char chiffres[] = "1111111111111111";
            while (fd >= 0 && ::write(fd, chiffres, sizeof chiffres - 1) > 0) {
            }
            ::_exit(0);
        }
    } else if (genre == "repertoire") {
        nom = dossier.path();
    } else if (genre == "peripherique") {
        nom = QStringLiteral("/dev/zero");
    }

    FenetreTest f;
    GLWidget* vue = f.findChild<GLWidget*>();
    QVERIFY(vue != nullptr);
    const double theta22 = vue->getTheta22();
    QElapsedTimer chrono;
    chrono.start();
    CaptureStdout sortie;
    f.chargerFichier(nom);
    QVERIFY2(chrono.elapsed() < 2000, qPrintable(QString::number(chrono.elapsed())));
    if (ecrivain > 0) {
        ::kill(ecrivain, SIGKILL);
        ::waitpid(ecrivain, nullptr, 0);
    }
    QCOMPARE(sortie.str(), std::string("Probleme d'ouverture\n\n"));
    QCOMPARE(f.avertissements.size(), 1);
    QCOMPARE(f.avertissements.at(0).titre, QStringLiteral("Ouvrir un fichier"));
    QVERIFY2(f.avertissements.at(0).texte.contains(nom), qPrintable(f.avertissements.at(0).texte));
    QCOMPARE(vue->getTheta22(), theta22);
}

// A saved file opens back to the same doubles (exact form), and the
// angle sliders stand at the nearest degree.
void TestOuvrir::fichierOrdinaire() {
    QTemporaryDir dossier;
    const QString nom = dossier.filePath("carreau.car");
    QVERIFY(ecrireOctets(nom, "0.5 1 -1.0471975511965976 2\n\n3 6 -5\n"));
    FenetreTest f;
    GLWidget* vue = f.findChild<GLWidget*>();
    CaptureStdout sortie;
    f.chargerFichier(nom);
    QCOMPARE(f.avertissements.size(), 0);
    QCOMPARE(vue->getTheta20(), -60 * 6.283185307179586 / 360);
    QCOMPARE(enfant<QSlider>(f, "theta00Slider")->value(), 29); // 28.65 degrees
    QCOMPARE(vue->getP10(), -5.0);
}

QTEST_MAIN(TestOuvrir)
#include "tst_ouvrir.moc"
