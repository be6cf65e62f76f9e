// The window's memory: the history of the changes (undo, redo), the
// settings kept between sessions (recent files, last folder, geometry),
// files dropped on the window, and the help boxes.
#include "fenetre/FenPrincipale.h"

#include "fenetre/PanneauAffichage.h"
#include "fenetre/PanneauParametres.h"
#include "fenetre/glwidget.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QSlider>
#include <QStyle>
#include <QUndoStack>
#include <QUrl>

#include <algorithm>
#include <utility>

using namespace cyclide;

namespace {

// Where the window keeps what it remembers between sessions.
QSettings reglages() {
    return QSettings(QStringLiteral("cyclide"), QStringLiteral("fenetre"));
}

// The number of files in the "Fichiers recents" menu.
const int NOMBRE_RECENTS = 8;

// True for the extensions of a parameter file.
bool fichierParametres(const QString& nom) {
    const QString extension = QFileInfo(nom).suffix().toLower();
    return extension == QLatin1String("car") || extension == QLatin1String("bez");
}

} // namespace

// --- History ----------------------------------------------------------------------

Regroupement::Regroupement(FenPrincipale* f, QString t) : fenetre(f), texte(std::move(t)) {
    ++fenetre->suspendu;
}

Regroupement::~Regroupement() {
    --fenetre->suspendu;
    fenetre->noter(texte);
}

// A switch of the display panel is a step of the history of its own.
void FenPrincipale::relierHistorique() {
    for (int liste = 1; liste <= 7; ++liste) {
        connect(affichageGroupBox->boite(liste), &QCheckBox::stateChanged, this,
                [this] { noter(tr("Affichage")); });
    }
}

// What the window shows now, as one state of the history.
EtatFenetre FenPrincipale::etatActuel() const {
    EtatFenetre etat;
    etat.entree = glWidget->entree();
    for (int liste = 1; liste <= 7; ++liste) {
        etat.affiche[liste - 1] = glWidget->afficheListe(liste) != 0;
    }
    etat.source = sourceMontree;
    return etat;
}

// True while a slider is held: its move is recorded once, at its release.
bool FenPrincipale::curseurTenu() const {
    for (int k = 0; k < 4; ++k) {
        if (parametresGroupBox->curseur(k)->isSliderDown()) {
            return true;
        }
    }
    return false;
}

// Records the change from the state last recorded to the state shown as one
// step named texte; nothing while a grouped command or a slider drag is
// under way, nor when nothing changed.
void FenPrincipale::noter(const QString& texte) {
    if (suspendu > 0 || curseurTenu()) {
        return;
    }
    const EtatFenetre etat = etatActuel();
    if (memeEtat(etat, etatNote)) {
        return;
    }
    pile->push(new CommandeEtat(texte, etatNote, etat,
                                [this](const EtatFenetre& e) { appliquerEtat(e); }));
    etatNote = etat;
}

// Shows a state of the history: the switches, the plane, the inputs of the
// scene (exactly), the fields and sliders, the source; nothing of it is
// recorded again.
void FenPrincipale::appliquerEtat(const EtatFenetre& etat) {
    ++suspendu;
    for (int liste = 1; liste <= 7; ++liste) {
        affichageGroupBox->boite(liste)->setChecked(etat.affiche[liste - 1]);
    }
    actionChoixY->setChecked(etat.entree.plan == PlanConversion::Py);
    actionChoixZ->setChecked(etat.entree.plan != PlanConversion::Py);
    glWidget->appliquerEntree(etat.entree);
    montrerSource(etat.source);
    parametresGroupBox->accorderChamps();
    pointMiseAJour();
    --suspendu;
    etatNote = etat;
}

// --- Settings -----------------------------------------------------------------------

void FenPrincipale::restaurerGeometrie() {
    const QByteArray geometrie = reglages().value(QStringLiteral("geometrie")).toByteArray();
    if (!geometrie.isEmpty()) {
        restoreGeometry(geometrie);
    } else if (screen() != nullptr) {
        // The first session: most of the screen, at most 1280 x 860.
        const QRect zone = screen()->availableGeometry();
        const QSize taille = QSize(1280, 860).boundedTo(zone.size() * 0.92);
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                        taille.expandedTo(minimumSizeHint()), zone));
    }
    placerDansEcran();
}

QRect rectangleDans(const QRect& r, const QRect& ecran) {
    QRect dedans(r.topLeft(), r.size().boundedTo(ecran.size()));
    dedans.moveLeft(std::clamp(dedans.left(), ecran.left(), ecran.right() - dedans.width() + 1));
    dedans.moveTop(std::clamp(dedans.top(), ecran.top(), ecran.bottom() - dedans.height() + 1));
    return dedans;
}

// The frame (title bar and borders included) inside the screen's available
// area; a maximised or full-screen window is the window manager's.
void FenPrincipale::placerDansEcran() {
    QScreen* ecran = screen();
    if (ecran == nullptr || isMaximized() || isFullScreen()) {
        return;
    }
    const QRect zone = ecran->availableGeometry();
    const QRect cadre = frameGeometry();
    const QMargins bords(geometry().left() - cadre.left(), geometry().top() - cadre.top(),
                         cadre.right() - geometry().right(), cadre.bottom() - geometry().bottom());
    const QRect dedans = rectangleDans(cadre, zone).marginsRemoved(bords);
    if (dedans != geometry()) {
        setGeometry(dedans);
    }
}

// The geometry is kept for the next session. Unsaved parameters are
// saved, left or kept open, as the user says.
void FenPrincipale::closeEvent(QCloseEvent* evenement) {
    if (!garderModifications()) {
        evenement->ignore();
        return;
    }
    reglages().setValue(QStringLiteral("geometrie"), saveGeometry());
    QMainWindow::closeEvent(evenement);
}

// --- Unsaved parameters ------------------------------------------------------------------

bool FenPrincipale::parametresModifies() const {
    const EntreeScene e = glWidget->entree();
    const double valeurs[7] = {e.theta00, e.theta02, e.theta20, e.theta22, e.rayon, e.z11, e.P10};
    return !std::equal(valeurs, valeurs + 7, reference);
}

// The parameters shown become the reference of "modified".
void FenPrincipale::retenirReference() {
    const EntreeScene e = glWidget->entree();
    const double valeurs[7] = {e.theta00, e.theta02, e.theta20, e.theta22, e.rayon, e.z11, e.P10};
    std::copy(valeurs, valeurs + 7, reference);
    actualiserTitre();
}

// The title: the parameter file's name (none before one is opened or
// saved), the modified mark, the program's name.
void FenPrincipale::actualiserTitre() {
    const QString programme = tr("Cyclide de Dupin");
    setWindowTitle(
        fichierCourant.isEmpty()
            ? programme + QStringLiteral("[*]")
            : QStringLiteral("%1[*] — %2").arg(QFileInfo(fichierCourant).fileName(), programme));
    setWindowModified(parametresModifies());
}

// Before the parameters are replaced or the window closed: nothing to do
// when they are saved; otherwise the user saves them, leaves them or
// cancels. Out: true when the command may go on.
bool FenPrincipale::garderModifications() {
    if (!parametresModifies()) {
        return true;
    }
    switch (demanderEnregistrement()) {
    case QMessageBox::Save:
        return enregistrer() && !parametresModifies();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

// The folder of the last file opened or saved ("" the first time).
QString FenPrincipale::dossierDepart() const {
    return reglages().value(QStringLiteral("dernierDossier")).toString();
}

// Puts nom first in the recent files and its folder as the last folder.
void FenPrincipale::retenirFichier(const QString& nom) {
    QSettings r = reglages();
    const QString chemin = QFileInfo(nom).absoluteFilePath();
    QStringList recents = r.value(QStringLiteral("fichiersRecents")).toStringList();
    recents.removeAll(chemin);
    recents.prepend(chemin);
    while (recents.size() > NOMBRE_RECENTS) {
        recents.removeLast();
    }
    r.setValue(QStringLiteral("fichiersRecents"), recents);
    r.setValue(QStringLiteral("dernierDossier"), QFileInfo(nom).absolutePath());
    createMenuRecents();
}

// The "Fichiers recents" menu: one entry per file remembered, opened as it
// was (parameters or net) by its extension.
void FenPrincipale::createMenuRecents() {
    menuRecents->clear();
    const QStringList recents = reglages().value(QStringLiteral("fichiersRecents")).toStringList();
    for (const QString& chemin : recents) {
        QAction* entree = menuRecents->addAction(QFileInfo(chemin).fileName());
        entree->setStatusTip(chemin);
        connect(entree, &QAction::triggered, this, [this, chemin] { ouvrirFichierDepose(chemin); });
    }
    menuRecents->setEnabled(!recents.isEmpty());
}

// --- Drag and drop --------------------------------------------------------------------

void FenPrincipale::dragEnterEvent(QDragEnterEvent* evenement) {
    const QList<QUrl> liens = evenement->mimeData()->urls();
    if (!liens.isEmpty() && liens.first().isLocalFile()) {
        evenement->acceptProposedAction();
    }
}

// The first file dropped is opened.
void FenPrincipale::dropEvent(QDropEvent* evenement) {
    const QList<QUrl> liens = evenement->mimeData()->urls();
    if (liens.isEmpty() || !liens.first().isLocalFile()) {
        return;
    }
    evenement->acceptProposedAction();
    ouvrirFichierDepose(liens.first().toLocalFile());
}

void FenPrincipale::ouvrirFichierDepose(const QString& nom) {
    if (fichierParametres(nom)) {
        if (garderModifications()) {
            chargerFichier(nom);
        }
    } else {
        chargerCarreau(nom);
    }
}
