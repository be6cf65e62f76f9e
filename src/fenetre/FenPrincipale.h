// FenPrincipale: the main window. The 3D view in a scroll area above a
// one-line information label on the left; on the right the parameter and
// display panels, then the control-point table beside the results panel;
// the file, edit, view, example and help menus. The window builds the
// panels and wires them to the view; all model state lives in the view,
// which the window reads through its getters and changes through its slots.
#ifndef CYCLIDE_FENETRE_FENPRINCIPALE_H
#define CYCLIDE_FENETRE_FENPRINCIPALE_H

#include "fenetre/EtatFenetre.h"
#include "fichiers/LecteurCao.h"

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QMessageBox>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <vector>

class RBBP;

class GLWidget;
namespace cyclide {
class EtiquetteElidee;
class PanneauAffichage;
class PanneauCyclide;
class PanneauInformations;
class PanneauParametres;
} // namespace cyclide
class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QMenu;
class QScrollArea;
class QUndoStack;

// Loads the toolkit's French catalogue (qtbase_fr) into the application,
// so that its dialogs and buttons speak French too.
// Out: false when the catalogue is not installed (the toolkit then stays
// in English).
bool installerTraductionQt();

// The name with "." and extension added when it has none and names nothing
// yet (an existing file, device or pipe chosen in the dialog is kept).
QString nomAvecExtension(const QString& nom, const QString& extension);

// The keys of a standard command on this platform, then those given that
// it lacks (the README's, which every desktop then has).
QList<QKeySequence> touches(QKeySequence::StandardKey standard,
                            std::initializer_list<QKeySequence> autres);

// The name of built-in example numero, the same in the menu, the panel and
// the history ("Exemple1").
QString nomExemple(int numero);

// The rectangle r moved, then shrunk if it must, so that it lies inside
// ecran (a geometry remembered on a larger screen).
QRect rectangleDans(const QRect& r, const QRect& ecran);

class FenPrincipale : public QMainWindow {
    Q_OBJECT

  public:
    FenPrincipale();
    // Cuts the fields' end-of-edit signals first: the focus leaving a field
    // while the window is torn down must not apply its text.
    ~FenPrincipale() override;

    // The polygon display mode (0 filled, 1 outlines, 2 points).
    int getMode() const { return mode; }
    // The last image rendered by "&Enregistrer Image".
    const QPixmap& getOriginalPixmap() const { return originalPixmap; }
    // What "&Ouvrir" does once a name is chosen: loads that parameter file.
    void chargerFichier(const QString& nom);
    // What "Ouvrir un carreau..." does once a name is chosen: reads the net
    // given directly in that file (regular files only, never waiting) and
    // shows it; an unreadable net is told to the user and changes nothing.
    void chargerCarreau(const QString& nom);
    // What a file dropped on the window does: a .car or .bez file is loaded
    // as parameters, any other as a net given directly.
    void ouvrirFichierDepose(const QString& nom);
    // The window's geometry of the last session (QSettings), when there is
    // one, brought inside the screen the window is on.
    void restaurerGeometrie();
    // Brings the window's frame inside the available part of its screen.
    void placerDansEcran();
    // True when the parameters differ from those last opened or saved (at
    // start-up: the start-up parameters).
    bool parametresModifies() const;
    // The history of the changes (undo, redo).
    QUndoStack* historique() const { return pile; }

  protected:
    // Dialog hooks: the file dialogs and message boxes the commands open.
    // They are modal; a test replaces them to supply names and to collect
    // what would be shown.
    virtual QString nomFichierOuverture(const QString& titre, const QString& filtre);
    virtual QString nomFichierEnregistrement(const QString& titre, const QString& filtre);
    virtual void messageInformation(const QString& titre, const QString& texte);
    virtual void messageAvertissement(const QString& titre, const QString& texte);
    // The size of an exported image, asked with defaut proposed; an empty
    // size when cancelled.
    virtual QSize tailleImage(const QSize& defaut);
    // A long rich text in a dialog that scrolls (the help).
    virtual void messageAide(const QString& titre, const QString& texte);
    // A yes/no question. Out: true for yes.
    virtual bool confirmer(const QString& titre, const QString& question);
    // What to do with unsaved parameters: Save, Discard or Cancel.
    virtual QMessageBox::StandardButton demanderEnregistrement();
    // What to save while source (a net or an example) is shown.
    // Out: 0 the parameters, 1 the net shown, -1 nothing.
    virtual int choisirEnregistrement(const QString& source);

    void closeEvent(QCloseEvent* evenement) override;
    void dragEnterEvent(QDragEnterEvent* evenement) override;
    void dropEvent(QDropEvent* evenement) override;

  public slots:
    void ouvrir();
    void ouvrirCarreau();
    bool sauver();
    void sauverImage();
    void exporterStepCarreau();
    void index();
    void aPropos();
    void modeAffichage();
    void choixY();
    void choixZ();
    void resetProg();
    void pointMiseAJour();
    void ombrage(bool actif);
    void recadrer();
    void vueDessus();
    void vueFace();
    void vueCote();
    bool enregistrer();
    void exporterObjCarreau();
    void copierResultats();
    void copierJson();
    void orthographique(bool actif);
    void reprendreParametres();
    void carreauCaoSuivant();
    void carreauCaoPrecedent();

  private:
    // Shows a net read from the file nom, source naming it in the parameter
    // panel; one step of the history.
    void montrerCarreau(const QString& nom, const RBBP& net, const QString& source);
    // The first patch of a STEP or IGES file (when the CAD reader is built).
    void chargerCarreauCao(const QString& nom);
    // Shows the patch of rank rang among those of the CAD file read last.
    void montrerCarreauCao(int rang);
    // The face and patch of the CAD patch shown, "" when the net shown is
    // not one.
    QString ligneCarreauCao() const;
    friend class Regroupement;
    void createActions();
    void createFichierActions();
    void createEditionActions();
    void createAutresActions();
    void createMenuFichier();
    void createMenuRecents();
    void relierHistorique();
    cyclide::EtatFenetre etatActuel() const;
    void noter(const QString& texte);
    void appliquerEtat(const cyclide::EtatFenetre& etat);
    void montrerSource(const QString& source);
    void retenirFichier(const QString& nom);
    QString dossierDepart() const;
    bool ecrireParametresDans(const QString& nom, const QString& titre);
    bool ecrireOuDire(const QString& nom, const QByteArray& octets, const QString& titre);
    bool saisiesAppliquees(const QString& titre);
    int objetAEnregistrer();
    bool sauverReseau();
    bool garderModifications();
    void retenirReference();
    void actualiserTitre();
    bool curseurTenu() const;
    void dire(const QString& message);
    QString texteAide() const;
    void createMenus();
    void createOpenGL();
    void createPanneaux();
    void createVueActions();
    void relierParametres();
    void disposer();
    void reconstruireEtMontrer();
    void choisirPlan(cyclide::PlanConversion plan);
    void afficherExemple(int numero);
    void appliquerParametres(const double valeurs[7], int nombre);
    QAction* nouvelleAction(const char* nom, const QString& texte, void (FenPrincipale::*slot)());

    int mode = 0;
    QPixmap originalPixmap;
    cyclide::EtiquetteElidee* informations = nullptr;
    QWidget* centralWidget = nullptr;
    QScrollArea* glWidgetArea = nullptr;
    GLWidget* glWidget = nullptr;
    cyclide::PanneauParametres* parametresGroupBox = nullptr;
    cyclide::PanneauAffichage* affichageGroupBox = nullptr;
    cyclide::PanneauInformations* infoGroupBox = nullptr;
    cyclide::PanneauCyclide* cyclideGroupBox = nullptr;
    QMenu* menuFichier = nullptr;
    QMenu* menuEdition = nullptr;
    QMenu* menuVue = nullptr;
    QMenu* menuExemples = nullptr;
    QMenu* menuAide = nullptr;
    QAction* actionOuvrir = nullptr;
    QAction* actionOuvrirCarreau = nullptr;
    QAction* actionCarreauCaoSuivant = nullptr;   // the next patch of the CAD file open
    QAction* actionCarreauCaoPrecedent = nullptr; // the previous one
    std::vector<cyclide::ElementCao> carreauxCao; // the patches of the CAD file read last
    int rangCarreauCao = -1;                      // the one shown, -1 when none
    QString fichierCao;                           // that file
    int ignoreesCao = 0;                          // its faces without patch
    QAction* actionSauverImage = nullptr;
    QAction* actionSauver = nullptr;
    QAction* actionExporterStep = nullptr;
    QAction* actionQuitter = nullptr;
    QAction* actionModeAffichage = nullptr;
    QAction* actionExemple1 = nullptr;
    QAction* actionExemple2 = nullptr;
    QAction* actionExemple3 = nullptr;
    QAction* actionResetProg = nullptr;
    QAction* actionChoixZ = nullptr;
    QAction* actionChoixY = nullptr;
    QAction* actionIndex = nullptr;
    QAction* actionApropos = nullptr;
    QAction* actionOmbrage = nullptr;
    QAction* actionRecadrer = nullptr;
    QAction* actionVueDessus = nullptr;
    QAction* actionVueFace = nullptr;
    QAction* actionVueCote = nullptr;
    QAction* actionEnregistrer = nullptr;
    QAction* actionExporterObj = nullptr;
    QAction* actionAnnuler = nullptr;
    QAction* actionRefaire = nullptr;
    QAction* actionCopier = nullptr;
    QAction* actionCopierJson = nullptr;
    QAction* actionOrthographique = nullptr;
    QAction* actionAxes = nullptr;
    QMenu* menuRecents = nullptr;

    // History: the state last recorded, and a count of the commands under
    // way that record one step for all their changes.
    QUndoStack* pile = nullptr;
    cyclide::EtatFenetre etatNote;
    int suspendu = 0;
    // The net file or example shown (empty: the parameters), the net
    // file's path, the parameter file last opened or saved (Ctrl+S).
    QString sourceMontree;
    QString cheminCarreau;
    QString fichierCourant;
    // The parameters last opened or saved (the start-up ones at first).
    double reference[7] = {};
};

// Records the changes made during its life as one step of the window's
// history named texte.
class Regroupement {
  public:
    Regroupement(FenPrincipale* fenetre, QString texte);
    ~Regroupement();
    Regroupement(const Regroupement&) = delete;
    Regroupement& operator=(const Regroupement&) = delete;

  private:
    FenPrincipale* fenetre;
    QString texte;
};

#endif
