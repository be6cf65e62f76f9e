// "Exporter STEP..." in the real window: the file of the view's patch is
// written under the chosen name and reads back with its surfaces; an
// example gives its own; a name that cannot be written is told to the user
// and leaves nothing behind.
#include "FenetreTest.h"
#include "LecteurStep.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace cyclide;

class TestExportStep : public QObject {
    Q_OBJECT

  private slots:
    void exporteLeCarreauEtSaCyclide();
    void signaleUnFichierImpossible();
};

namespace {

int ensembles(const QString& nom) {
    QFile f(nom);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const step::Fichier lu = step::lire(f.readAll().toStdString());
    return static_cast<int>(lu.avec("GEOMETRIC_SET").size());
}

} // namespace

void TestExportStep::exporteLeCarreauEtSaCyclide() {
    QTemporaryDir dossier;
    FenetreTest f;
    const QString depart = dossier.filePath("depart.step");
    const QString exemple = dossier.filePath("exemple3.stp");
    f.nomsAFournir << depart << exemple;
    enfant<QAction>(f, "actionExporterStep")->trigger();
    QCOMPARE(f.dialogues.value(0), QStringLiteral("Exporter STEP|STEP (*.step *.stp)"));
    QCOMPARE(ensembles(depart), 3);
    enfant<QAction>(f, "actionExemple3")->trigger();
    enfant<QAction>(f, "actionExporterStep")->trigger();
    QCOMPARE(ensembles(exemple), 3);
    QFile a(depart), b(exemple);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QVERIFY(a.readAll().mid(300) != b.readAll().mid(300));
    QVERIFY(f.avertissements.isEmpty());
}

void TestExportStep::signaleUnFichierImpossible() {
    QTemporaryDir dossier;
    FenetreTest f;
    const QString nom = dossier.filePath("absent/cyclide.step");
    f.nomsAFournir << nom;
    enfant<QAction>(f, "actionExporterStep")->trigger();
    QCOMPARE(f.avertissements.size(), 1);
    QVERIFY(f.avertissements.at(0).texte.contains(nom));
    QVERIFY(!QFile::exists(nom));
    QCOMPARE(QDir(dossier.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 0);
}

QTEST_MAIN(TestExportStep)
#include "tst_exportstep.moc"
