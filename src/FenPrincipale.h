// FenPrincipale: the main window. The 3D view in a scroll area above a
// one-line information label on the left; the parameter, display and
// control-point panels on the right; the file, edit, example and help menus.
// All model state lives in the view; the window reads it through the view's
// getters and changes it through the view's slots.
#ifndef FENPRINCIPALE_H
#define FENPRINCIPALE_H

#include <QLineEdit>
#include <QMainWindow>
#include <QPixmap>
#include <QString>

class GLWidget;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QScrollArea;
class QSlider;
class QVBoxLayout;

// Loads the toolkit's own French catalogue (qtbase_fr) into the application,
// so that its dialogs and buttons speak French too. False when the
// catalogue is not installed (the toolkit then stays in English).
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
    using SignalAngle = void (GLWidget::*)(int);
    using SlotAngle = void (GLWidget::*)(int);

    void createActions();
    void createMenus();
    void createOpenGL();
    void createInfoGroupBox();
    void createParametresGroupBox();
    void createAffichageGroupBox();
    QSlider* createSlider(SignalAngle changedSignal, SlotAngle setterSlot, double t);
    void createCyclideGroupBox();
    void createVueActions();
    void resultatsMiseAJour();
    void echoCurseur(int k, int t);
    void retourChampAngle(int k);
    void retourChampLongueur(int k);
    void reconstruireEtMontrer();

    void afficherExemple(void (GLWidget::*ouvrirExemple)());
    void appliquerParametres(const double valeurs[7], int nombre);
    QAction* nouvelleAction(const char* nom, const QString& texte, void (FenPrincipale::*slot)());
    QLineEdit* champParametre(const QString& nom, double valeur, void (FenPrincipale::*slot)());

    int mode;
    QPixmap originalPixmap;
    QLabel* informations;
    QWidget* centralWidget;
    QScrollArea* glWidgetArea;
    GLWidget* glWidget;
    QVBoxLayout* infosLayout;
    QGroupBox* infoGroupBox;
    QGroupBox* parametresGroupBox;
    QGroupBox* affichageGroupBox;
    // The results panel "Cyclide": one selectable value per row.
    QGroupBox* cyclideGroupBox;
    QLabel* resultats[13];
    QSlider* theta00Slider;
    QLineEdit* theta00Valeur;
    QSlider* theta02Slider;
    QLineEdit* theta02Valeur;
    QSlider* theta20Slider;
    QLineEdit* theta20Valeur;
    QSlider* theta22Slider;
    QLineEdit* theta22Valeur;
    QLineEdit* rayonValeur;
    QLineEdit* z11Valeur;
    QLineEdit* P10Valeur;
    QLineEdit pointValeur[9][4];
    QCheckBox* afficheCarreauBox;
    QCheckBox* afficheBordBox;
    QCheckBox* afficheCarreauBoxNew;
    QCheckBox* afficheBordBoxNew;
    QCheckBox* affichePolyBoxNew;
    QCheckBox* afficheCyclideBox;
    QCheckBox* afficheCarreauCyclideBox;
    QMenu* menuFichier;
    QMenu* menuEdition;
    QMenu* menuVue;
    QMenu* menuExemples;
    QMenu* menuAide;
    QAction* actionOuvrir;
    QAction* actionOuvrirCarreau;
    QAction* actionSauverImage;
    QAction* actionSauver;
    QAction* actionExporterStep;
    QAction* actionQuitter;
    QAction* actionModeAffichage;
    QAction* actionExemple1;
    QAction* actionExemple2;
    QAction* actionExemple3;
    QAction* actionResetProg;
    QAction* actionChoixZ;
    QAction* actionChoixY;
    QAction* actionIndex;
    QAction* actionApropos;
    QAction* actionOmbrage;
    QAction* actionRecadrer;
    QAction* actionVueDessus;
    QAction* actionVueFace;
    QAction* actionVueCote;
};

#endif
