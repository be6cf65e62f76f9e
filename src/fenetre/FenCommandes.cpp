// The window's slots that refresh the panels, forward the parameter changes
// to the panel, and run the edit, example, reset, view and copy commands.
#include "fenetre/FenPrincipale.h"

#include "conversion/GenreCyclide.h"
#include "fenetre/OutilsFenetre.h"
#include "fenetre/PanneauAffichage.h"
#include "fenetre/PanneauCyclide.h"
#include "fenetre/PanneauInformations.h"
#include "fenetre/PanneauParametres.h"
#include "fenetre/glwidget.h"
#include "scene/Scene.h"
#include "sorties/ResultatJson.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QSlider>
#include <QStatusBar>

using namespace cyclide;

// --- Refresh --------------------------------------------------------------------

// The table from Bez, the label with the message of the cyclide type (and
// the reason of a refusal), the results panel from the scene.
void FenPrincipale::pointMiseAJour() {
    infoGroupBox->remplir(glWidget->getScene().Bez);
    QString message = tr(messageCyclide(glWidget->typeCyclide));
    const std::string& raison = glWidget->getScene().raison;
    if (!estCyclide(glWidget->typeCyclide) && !raison.empty()) {
        message += QStringLiteral(" : ") + texteCoeur(raison);
    }
    informations->setTexte(message);
    cyclideGroupBox->remplir(glWidget->getScene());
    noter(tr("Modifier les paramètres"));
    actualiserTitre();
}

// --- Rebuild -------------------------------------------------------------------

void FenPrincipale::reconstruireEtMontrer() {
    glWidget->initProjet();
    glWidget->update();
}

// --- Edit commands ----------------------------------------------------------------

// "&Affichage": cycles filled -> outlines -> points -> filled in the
// view's context and redraws.
void FenPrincipale::modeAffichage() {
    mode = (mode + 1) % 3;
    glWidget->setModePolygone(mode);
}

// The frame built on plane Py or Pz: the two check marks, rebuild,
// refresh of the table, the message and the results, redraw.
void FenPrincipale::choisirPlan(PlanConversion plan) {
    actionChoixY->setChecked(plan == PlanConversion::Py);
    actionChoixZ->setChecked(plan == PlanConversion::Pz);
    glWidget->choix = plan;
    reconstruireEtMontrer();
    pointMiseAJour();
}

void FenPrincipale::choixY() {
    choisirPlan(PlanConversion::Py);
}

void FenPrincipale::choixZ() {
    choisirPlan(PlanConversion::Pz);
}

// --- Examples and reset -------------------------------------------------------------

// Loads example numero into the view, names it in the parameter panel
// (whose parameters are greyed while it is shown), fits the view and
// refreshes the table and the message; one step of the history.
void FenPrincipale::afficherExemple(int numero) {
    const Regroupement etape(this, nomExemple(numero));
    void (GLWidget::*ouvrir[3])() = {&GLWidget::ouvrirExemple1, &GLWidget::ouvrirExemple2,
                                     &GLWidget::ouvrirExemple3};
    (glWidget->*ouvrir[numero - 1])();
    montrerSource(nomExemple(numero));
    glWidget->recadrer();
    pointMiseAJour();
}

// "Reprendre les paramètres": leaves the net or the example shown for the
// patch of the parameters, with the start-up zoom and no centring (the
// example's framing fitted another patch); one step of the history.
void FenPrincipale::reprendreParametres() {
    const Regroupement etape(this, tr("Reprendre les paramètres"));
    glWidget->exemple = 0;
    glWidget->quitterCarreau();
    glWidget->Scal = 1.5;
    glWidget->annulerCadrage();
    montrerSource(QString());
    reconstruireEtMontrer();
    pointMiseAJour();
}

// The name of the source shown, in the panel and in the window's memory.
void FenPrincipale::montrerSource(const QString& source) {
    sourceMontree = source;
    parametresGroupBox->montrerSource(source);
}

// "&Remise a zero": parameters enabled, only the first switch on, "Plan
// Pz", no example, rotations 0, zoom 1.5, the default parameters through
// the view's slots, filled polygons, and the fields written as at
// start-up; one step of the history, so that it can be undone.
void FenPrincipale::resetProg() {
    const Regroupement etape(this, tr("Remise a zero"));
    montrerSource(QString());
    affichageGroupBox->etatDeDepart();
    actionChoixY->setChecked(false);
    actionChoixZ->setChecked(true);
    glWidget->exemple = 0;
    glWidget->quitterCarreau();
    glWidget->choix = PlanConversion::Pz;
    glWidget->setXRotation(0);
    glWidget->setYRotation(0);
    glWidget->setZRotation(0);
    glWidget->Scal = 1.5;
    glWidget->annulerCadrage();

    glWidget->setAfficheCarreau(1);
    for (int liste = 2; liste <= 7; ++liste) {
        glWidget->setAfficheListe(liste, 0);
    }
    glWidget->setTheta00(0);
    glWidget->setTheta02(90);
    glWidget->setTheta20(-60);
    glWidget->setTheta22(180);
    glWidget->setRayon(4);
    glWidget->setZ11(8);
    glWidget->setP10(-7.982);

    mode = 2;
    modeAffichage();
    actionOmbrage->setChecked(true);
    parametresGroupBox->textesDemarrage();
}

// --- View commands ------------------------------------------------------------------

void FenPrincipale::ombrage(bool actif) {
    glWidget->setOmbrage(actif);
}

void FenPrincipale::recadrer() {
    glWidget->recadrer();
}

void FenPrincipale::vueDessus() {
    glWidget->vuePredefinie(0);
}

void FenPrincipale::vueFace() {
    glWidget->vuePredefinie(1);
}

void FenPrincipale::vueCote() {
    glWidget->vuePredefinie(2);
}

void FenPrincipale::orthographique(bool actif) {
    glWidget->setOrthographique(actif);
}

// --- Copies ---------------------------------------------------------------------------

// The results panel as text, every value in full, with the message line
// first.
// The face and patch of the CAD patch shown, "" when the net shown is not
// one (parameters, an example, a net file).
QString FenPrincipale::ligneCarreauCao() const {
    if (rangCarreauCao < 0 || !glWidget->getScene().entree.reseauDonne)
        return QString();
    const ElementCao& c = carreauxCao[static_cast<std::size_t>(rangCarreauCao)];
    return tr("Fichier %1, face %2, carreau (%3, %4)")
        .arg(QFileInfo(fichierCao).fileName())
        .arg(c.face)
        .arg(c.carreauU)
        .arg(c.carreauV);
}

void FenPrincipale::copierResultats() {
    const QString cao = ligneCarreauCao();
    QGuiApplication::clipboard()->setText((cao.isEmpty() ? QString() : cao + QLatin1Char('\n')) +
                                          informations->text() + QLatin1Char('\n') +
                                          cyclideGroupBox->texteResultats());
    dire(tr("Résultats copiés"));
}

// The JSON object the converter prints with --json for the scene shown,
// as text and as application/json.
void FenPrincipale::copierJson() {
    OrigineEntree origine;
    const Scene& scene = glWidget->getScene();
    if (scene.entree.reseauDonne) {
        origine.sorte = OrigineEntree::Sorte::Reseau;
        origine.fichier = QFileInfo(cheminCarreau).fileName().toStdString();
    } else if (scene.entree.exemple != 0) {
        origine.sorte = OrigineEntree::Sorte::Exemple;
    }
    const std::string json =
        ligneCarreauCao().isEmpty()
            ? resultatJson(scene, origine)
            : resultatJsonCao(carreauxCao[static_cast<std::size_t>(rangCarreauCao)], scene,
                              QFileInfo(fichierCao).fileName().toStdString());
    QMimeData* donnees = new QMimeData;
    donnees->setText(QString::fromUtf8(json.c_str()));
    donnees->setData(QStringLiteral("application/json"), QByteArray::fromStdString(json));
    QGuiApplication::clipboard()->setMimeData(donnees);
    dire(tr("Résultats copiés en JSON"));
}

// A message in the status bar, whole in its tooltip when the bar cuts it.
void FenPrincipale::dire(const QString& message) {
    statusBar()->showMessage(message, 10000);
    statusBar()->setToolTip(message);
}
