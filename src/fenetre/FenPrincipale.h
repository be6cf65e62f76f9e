// FenPrincipale: the main window. The 3D view in a scroll area above a
// one-line information label on the left; on the right the parameter and
// display panels, then the control-point table beside the results panel;
// the file, edit, view, example and help menus. The window builds the
// panels and wires them to the view; all model state lives in the view,
// which the window reads through its getters and changes through its slots.
#ifndef FENPRINCIPALE_H
#define FENPRINCIPALE_H

#include <QMainWindow>
#include <QPixmap>
#include <QString>

class GLWidget;
class PanneauAffichage;
class PanneauCyclide;
class PanneauInformations;
class PanneauParametres;
class QAction;
class QLabel;
class QMenu;
class QScrollArea;

// Loads the toolkit's French catalogue (qtbase_fr) into the application,
// so that its dialogs and buttons speak French too.
// Out: false when the catalogue is not installed (the toolkit then stays
// in English).
bool installerTraductionQt();

class FenPrincipale : public QMainWindow {
    Q_OBJECT

  public:
    FenPrincipale();

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

  protected:
    // Dialog hooks: the file dialogs and message boxes the commands open.
    // They are modal; a test replaces them to supply names and to collect
    // what would be shown.
    virtual QString nomFichierOuverture(const QString& titre, const QString& filtre);
    virtual QString nomFichierEnregistrement(const QString& titre, const QString& filtre);
    virtual void messageInformation(const QString& titre, const QString& texte);
    virtual void messageAvertissement(const QString& titre, const QString& texte);

  public slots:
    void ouvrir();
    void ouvrirCarreau();
    void sauver();
    void sauverImage();
    void exporterStepCarreau();
    void index();
    void aPropos();
    void modeAffichage();
    void choixY();
    void choixZ();
    void exemple1();
    void exemple2();
    void exemple3();
    void resetProg();
    void setTheta00S(int t);
    void setTheta00Sb();
    void setTheta02S(int t);
    void setTheta02Sb();
    void setTheta20S(int t);
    void setTheta20Sb();
    void setTheta22S(int t);
    void setTheta22Sb();
    void setRayonb();
    void setZ11b();
    void setP10b();
    void pointMiseAJour();
    void ombrage(bool actif);
    void recadrer();
    void vueDessus();
    void vueFace();
    void vueCote();

  private:
    void createActions();
    void createMenus();
    void createOpenGL();
    void createPanneaux();
    void createVueActions();
    void relierParametres();
    void disposer();
    void reconstruireEtMontrer();
    void choisirPlan(int plan);
    void afficherExemple(void (GLWidget::*ouvrirExemple)());
    void appliquerParametres(const double valeurs[7], int nombre);
    QAction* nouvelleAction(const char* nom, const QString& texte, void (FenPrincipale::*slot)());

    int mode = 0;
    QPixmap originalPixmap;
    QLabel* informations = nullptr;
    QWidget* centralWidget = nullptr;
    QScrollArea* glWidgetArea = nullptr;
    GLWidget* glWidget = nullptr;
    PanneauParametres* parametresGroupBox = nullptr;
    PanneauAffichage* affichageGroupBox = nullptr;
    PanneauInformations* infoGroupBox = nullptr;
    PanneauCyclide* cyclideGroupBox = nullptr;
    QMenu* menuFichier = nullptr;
    QMenu* menuEdition = nullptr;
    QMenu* menuVue = nullptr;
    QMenu* menuExemples = nullptr;
    QMenu* menuAide = nullptr;
    QAction* actionOuvrir = nullptr;
    QAction* actionOuvrirCarreau = nullptr;
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
};

#endif
