// Saving the parameters and the image when the system refuses: a directory
// that cannot be written, a path through a regular file, a name that is a
// directory, a full device, a named pipe and a file-size limit that stops
// the write as a full disk would. In every case what was there before is
// left exactly as it was (a file's bytes, a directory's entries, a device
// node, a pipe) and the user is told by a warning; a save that can succeed
// (an ordinary file, the null device) still succeeds silently.
#include "CaptureStdout.h"
#include "FenetreTest.h"
#include "fenetre/FenPrincipale.h"
#include "fenetre/glwidget.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace cyclide;

namespace {

// The bytes an existing file holds before each save.
const QByteArray ANCIEN = "contenu anterieur, a conserver tel quel\n";

// What stands in the way of the save.
enum Cas {
    Temoin,              // an ordinary existing file: the save succeeds
    RepertoireProtege,   // the file's directory cannot be written
    CheminSousUnFichier, // the name goes through a regular file
    NomDeRepertoire,     // the name is an existing directory
    PeripheriquePlein,   // the name is the full device
    TubeNomme,           // the name is a named pipe nobody reads
    LimiteDeTaille,      // the write exceeds the file-size limit
    PeripheriqueNul      // the name is the null device: the save succeeds
};

bool estRoot() {
    return ::geteuid() == 0;
}

// Whether chemin is a named pipe (not followed if it is a link).
bool estTube(const QString& chemin) {
    struct stat etat {};
    return ::lstat(QFile::encodeName(chemin).constData(), &etat) == 0 && S_ISFIFO(etat.st_mode);
}

// The device number of a character device, 0 when chemin is not one.
dev_t numeroPeripherique(const QString& chemin) {
    struct stat etat {};
    if (::lstat(QFile::encodeName(chemin).constData(), &etat) != 0 || !S_ISCHR(etat.st_mode)) {
        return 0;
    }
    return etat.st_rdev;
}

} // namespace

class TestEchecs : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void echec_data();
    void echec();

  private:
    // A character device with the number of systeme to save into. As root
    // a node of its own in the test's directory, so that a save that
    // replaced the node by a regular file would not damage the system's
    // device; otherwise the system's device itself, which nobody but root
    // can replace. Empty when neither is available.
    QString peripherique(const QString& systeme, const QTemporaryDir& dossier);
};

void TestEchecs::initTestCase() {
    // A write beyond the file-size limit must fail with EFBIG instead of
    // killing the process.
    std::signal(SIGXFSZ, SIG_IGN);
}

QString TestEchecs::peripherique(const QString& systeme, const QTemporaryDir& dossier) {
    const dev_t numero = numeroPeripherique(systeme);
    if (numero == 0) {
        return QString();
    }
    if (!estRoot()) {
        return systeme;
    }
    const QString noeud = dossier.filePath(QFileInfo(systeme).fileName());
    if (::mknod(QFile::encodeName(noeud).constData(), S_IFCHR | 0666, numero) != 0) {
        return QString();
    }
    return noeud;
}

void TestEchecs::echec_data() {
    QTest::addColumn<bool>("image");
    QTest::addColumn<int>("cas");
    for (bool image : {false, true}) {
        const char* cible = image ? "image" : "parametres";
        QTest::addRow("%s, temoin", cible) << image << int(Temoin);
        QTest::addRow("%s, repertoire protege", cible) << image << int(RepertoireProtege);
        QTest::addRow("%s, chemin sous un fichier", cible) << image << int(CheminSousUnFichier);
        QTest::addRow("%s, nom de repertoire", cible) << image << int(NomDeRepertoire);
        QTest::addRow("%s, /dev/full", cible) << image << int(PeripheriquePlein);
        QTest::addRow("%s, tube nomme", cible) << image << int(TubeNomme);
        QTest::addRow("%s, limite de taille", cible) << image << int(LimiteDeTaille);
        QTest::addRow("%s, /dev/null", cible) << image << int(PeripheriqueNul);
    }
}

void TestEchecs::echec() {
    QFETCH(bool, image);
    QFETCH(int, cas);
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    const QString existant = dossier.filePath("existant");
    QVERIFY(ecrireOctets(existant, ANCIEN));

    // The name given to the save dialog, and what must hold afterwards.
    QString nom = existant;
    bool reussite = false;
    const QString repertoire = dossier.filePath("repertoire");
    QString noeud;
    switch (Cas(cas)) {
    case Temoin:
        reussite = true;
        break;
    case RepertoireProtege:
        if (estRoot()) {
            QSKIP("running as root, directory permissions do not stop writes; the row "
                  "'chemin sous un fichier' makes the creation fail instead");
        }
        QVERIFY(QFile::setPermissions(dossier.path(), QFile::ReadOwner | QFile::ExeOwner));
        break;
    case CheminSousUnFichier:
        nom = existant + "/carreau";
        break;
    case NomDeRepertoire:
        QVERIFY(QDir().mkpath(repertoire));
        QVERIFY(ecrireOctets(repertoire + "/dedans", ANCIEN));
        nom = repertoire;
        break;
    case PeripheriquePlein:
    case PeripheriqueNul: {
        // Writing to the full device fails; to the null device it succeeds.
        const QString systeme = Cas(cas) == PeripheriquePlein ? QStringLiteral("/dev/full")
                                                              : QStringLiteral("/dev/null");
        noeud = peripherique(systeme, dossier);
        if (noeud.isEmpty()) {
            QSKIP(qPrintable(QStringLiteral("no %1 on this system").arg(systeme)));
        }
        nom = noeud;
        reussite = Cas(cas) == PeripheriqueNul;
        break;
    }
    case TubeNomme:
        nom = dossier.filePath("tube");
        QCOMPARE(::mkfifo(QFile::encodeName(nom).constData(), 0600), 0);
        break;
    case LimiteDeTaille:
        break;
    }
    const dev_t numeroAvant = noeud.isEmpty() ? 0 : numeroPeripherique(noeud);
    const QStringList entreesAvant =
        QDir(dossier.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden);
    // Gives the directory back its rights before it is removed.
    auto remettreDroits = qScopeGuard([&dossier] {
        QFile::setPermissions(dossier.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });

    FenetreTest f;
    if (image) {
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
    }
    f.nomsAFournir << nom;
    QAction* action = f.findChild<QAction*>(image ? QStringLiteral("actionSauverImage")
                                                  : QStringLiteral("actionSauver"));
    QVERIFY(action != nullptr);
    CaptureStdout sortie;
    {
        // Only the save runs under the limit: a few bytes, less than either
        // file, so that its write fails as on a full disk.
        struct rlimit limiteAvant {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limiteAvant), 0);
        if (cas == LimiteDeTaille) {
            struct rlimit limite = limiteAvant;
            limite.rlim_cur = 8;
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limite), 0);
        }
        action->trigger();
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limiteAvant), 0);
    }

    const QString titre =
        image ? QStringLiteral("Enregistrer une image") : QStringLiteral("Enregistrer un fichier");
    if (reussite) {
        QCOMPARE(f.avertissements.size(), 0);
        if (cas == Temoin) {
            const QByteArray ecrit = lireOctets(existant);
            QVERIFY(ecrit != ANCIEN);
            QVERIFY(image ? ecrit.startsWith("\x89PNG")
                          : ecrit.startsWith("0 1.5707963267948966 "));
        }
    } else {
        // The user is told once, with the name.
        QCOMPARE(f.avertissements.size(), 1);
        QCOMPARE(f.avertissements.at(0).titre, titre);
        QVERIFY2(f.avertissements.at(0).texte.contains(nom),
                 qPrintable(f.avertissements.at(0).texte));
        // What was there is left as it was.
        QCOMPARE(lireOctets(existant), ANCIEN);
    }
    QCOMPARE(f.informations.size(), 0);
    // No file is left behind or removed, whatever happened.
    QCOMPARE(QDir(dossier.path())
                 .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden),
             entreesAvant);
    if (cas == NomDeRepertoire) {
        QVERIFY(QFileInfo(repertoire).isDir());
        QCOMPARE(
            QDir(repertoire)
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden),
            QStringList{"dedans"});
        QCOMPARE(lireOctets(repertoire + "/dedans"), ANCIEN);
    }
    if (!noeud.isEmpty()) {
        // The device is still the device, not a regular file put in its
        // place.
        QCOMPARE(numeroPeripherique(noeud), numeroAvant);
    }
    if (cas == TubeNomme) {
        // The pipe is neither replaced nor waited on.
        QVERIFY(estTube(nom));
    }
    if (!image) {
        // A file that cannot be created says so on the console too; a write
        // error is told by the warning alone.
        const bool creation = cas == RepertoireProtege || cas == CheminSousUnFichier ||
                              cas == NomDeRepertoire || cas == TubeNomme;
        QCOMPARE(sortie.str(), std::string(creation ? "Probleme d'ouverture\n" : ""));
    }
}

int main(int argc, char* argv[]) {
    // The shader cache would write files while the file-size limit holds.
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    installerFormatVue();
    QApplication application(argc, argv);
    TestEchecs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_echecs.moc"
