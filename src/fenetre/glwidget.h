// GLWidget: the 3D view. It owns the scene's inputs (the seven conversion
// parameters, the plane choice, the loaded example), the scene built from
// them and the camera (rotation, zoom, pan, centre, projection, switches),
// turned by the mouse and zoomed by the wheel. The drawing itself is the
// renderer's (rendu/RenduScene.h): the view forwards its context set-up,
// resize and paint to it, and its off-screen image is the renderer's too.
#ifndef CYCLIDE_FENETRE_GLWIDGET_H
#define CYCLIDE_FENETRE_GLWIDGET_H

#include "conversion/RBBPd.h"
#include "rendu/Camera.h"
#include "rendu/RenduScene.h"
#include "scene/DessinScene.h"
#include "scene/Scene.h"

#include <QImage>
#include <QOpenGLWidget>
#include <QPoint>
#include <QPointF>
#include <QRect>

#include <cstdint>

class QMouseEvent;
class QKeyEvent;
class QWheelEvent;
class QOpenGLContext;

// The rendering format of every view context and its installation as the
// default (before the application object exists): the renderer's.
using cyclide::formatVue;
using cyclide::installerFormatVue;

class GLWidget : public QOpenGLWidget {
    Q_OBJECT

  public:
    explicit GLWidget(QWidget* parent = nullptr);
    ~GLWidget() override;

    double getTheta00() const { return parametres[0]; }
    double getTheta02() const { return parametres[1]; }
    double getTheta20() const { return parametres[2]; }
    double getTheta22() const { return parametres[3]; }
    double getRayon() const { return parametres[4]; }
    double getZ11() const { return parametres[5]; }
    double getP10() const { return parametres[6]; }
    RBBPd getBez() const { return scene.Bez; }
    RBBPd getBez1() const { return scene.Bez1; }
    int xRotation() const { return rotation[0]; }
    int yRotation() const { return rotation[1]; }
    int zRotation() const { return rotation[2]; }
    // The conversion type of the last rebuild (0: nothing is drawn).
    int getType() const { return scene.type; }
    // Everything the last rebuild computed: the patch, its conversion, the
    // cyclide, the piece, the residual.
    const cyclide::Scene& getScene() const { return scene; }
    // The switch of display list liste (1..7); 0 for any other number.
    int afficheListe(int liste) const;
    // The viewport the view draws into, in device pixels: the whole view.
    QRect zoneAffichage() const { return QRect(0, 0, rendu.largeur(), rendu.hauteur()); }
    // What the scene is built from now: parameters, example, net, plane.
    cyclide::EntreeScene entree() const { return entreeCourante(); }
    // Makes entree what the scene is built from (the seven parameters
    // exactly, the example, the net given directly and the plane), then
    // rebuilds, tells the window and redraws.
    void appliquerEntree(const cyclide::EntreeScene& entree);

    // Rebuilds the scene from the parameters, the example and the plane; the
    // conversion runs only when one of them changed since the last rebuild.
    void initProjet();
    void remiseAZero();
    void ouvrirExemple1();
    void ouvrirExemple2();
    void ouvrirExemple3();
    // Shows a net given directly, converted by construireSceneReseau with
    // the relative tolerance tolerance: leaves the example, rebuilds and
    // redraws. The plane choice applies to it; a parameter change, an
    // example, quitterCarreau or the reset leave it.
    void ouvrirCarreau(const RBBP& net, double tolerance = cyclide::TOLERANCE_CARREAU);
    // Back to the patch of the parameters (no rebuild).
    void quitterCarreau() { reseauDonne = false; }
    // True while a net given directly is shown.
    bool carreauDonne() const { return reseauDonne; }

    // Stores the seven parameters (radians for the angles, in the order of a
    // parameter file) without rebuilding.
    void setParametres(const double valeurs[7]);
    // Angle k (0 theta00 .. 3 theta22) set to exactly radians (a typed or
    // read value): leaves the example and the net when it changes, rebuilds,
    // tells the window and redraws. No angle signal: the slider is the
    // caller's to place.
    // Units: radians.
    void setAngleRadians(int k, double radians);
    // Sets the switch of display list liste (1..7) through its slot.
    void setAfficheListe(int liste, int t);
    // Sets the polygon rasterisation mode of the view's context (0 filled,
    // 1 outlines, 2 points) and asks for a redraw.
    void setModePolygone(int mode);

    // Shaded drawing of the patch and of the converted patch (normals from
    // the patch's derivatives); off: the flat drawings of the lists 1 and 3.
    void setOmbrage(bool actif);
    bool ombrage() const { return ombre; }
    // Fits the shown drawings into the view: centres them, no pan, and a
    // zoom that puts their bounding sphere inside the view. Nothing shown:
    // nothing changes.
    void recadrer();
    // Back to no pan and no centring (the reset's view).
    void annulerCadrage();
    // Preset views: 0 from above (the start-up view), 1 from the front
    // (world z up), 2 from the side (world x toward the viewer).
    void vuePredefinie(int numero);
    // Orthographic projection (true) or perspective (false, the start-up one).
    void setOrthographique(bool actif);
    bool orthographique() const { return ortho; }
    // The axes indicator in the lower left corner of the view (off screen
    // never); off after construction.
    void setAxes(bool actif);
    // A patch that is not converted drawn all the same (its patch and
    // border); off after construction: the view then stays white.
    void setCarreauRefuse(bool actif);
    // Preview while a slider is dragged: the lists are compiled coarser
    // (dessinerListe with REDUCTION_APERCU); leaving it recompiles every
    // shown list at full resolution at the next paint.
    void setApercu(bool actif);
    bool apercu() const { return enApercu; }
    // The reduction of the preview lists.
    static const int REDUCTION_APERCU = cyclide::RenduScene::REDUCTION_APERCU;
    // The pan (eye units) and the point of the scene put at the centre.
    QPointF decalage() const { return QPointF(panX, panY); }
    const cyclide::Cadrage& centrage() const { return centre; }
    // The camera the next paint draws with, made of the view's state.
    cyclide::Camera camera() const;

    // Renders the scene at largeur x hauteur pixels in a new, unshared
    // context on an off-screen surface, through the renderer the view
    // paints with and the view's camera (without the axes or the preview);
    // the view's own context and viewport are left as they were. A null
    // image when no context can be made.
    QImage imageHorsEcran(int largeur, int hauteur);

    // Compiles now, in the view's own context, every one of the seven lists
    // that does not show the scene of the last rebuild; paintGL does it for
    // the lists it is about to draw. Nothing happens before the context
    // exists.
    void compilerListesEnAttente();
    // How many times display list liste (1..7) was compiled in the view's
    // own context; 0 for any other number.
    int nombreCompilations(int liste) const;

    double Scal;
    int exemple;
    cyclide::PlanConversion choix; // the auxiliary plane of the conversion
    cyclide::GenreCyclide typeCyclide;

  public slots:
    void setXRotation(int angle);
    void setYRotation(int angle);
    void setZRotation(int angle);
    void setAfficheCarreau(int t);
    void setAfficheBord(int t);
    void setAfficheCarreauNew(int t);
    void setAfficheBordNew(int t);
    void setAffichePolyNew(int t);
    void setAfficheCyclide(int t);
    void setAfficheCarreauCyclide(int t);
    void setTheta00(int t);
    void setTheta02(int t);
    void setTheta20(int t);
    void setTheta22(int t);
    void setRayon(double t);
    void setZ11(double t);
    void setP10(double t);

  signals:
    void xRotationChanged(int angle);
    void yRotationChanged(int angle);
    void zRotationChanged(int angle);
    void afficheCarreauChanged(int t);
    void afficheBordChanged(int t);
    void afficheCarreauNewChanged(int t);
    void afficheBordNewChanged(int t);
    void affichePolyNewChanged(int t);
    void afficheCyclideChanged(int t);
    void afficheCarreauCyclideChanged(int t);
    void theta00Changed(int t);
    void theta02Changed(int t);
    void theta20Changed(int t);
    void theta22Changed(int t);
    void miseAJour();

  protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    using SignalEntier = void (GLWidget::*)(int);

    void normalizeAngle(int* angle);
    void chargerExempleNumero(int numero);
    cyclide::EntreeScene entreeCourante() const;
    void changerRotation(int axe, int angle);
    void zoomer(bool plus, const QPointF& pointeur);
    void changerAffichage(int liste, int t);
    void changerAngle(int k, int degres);
    void changerLongueur(int k, double valeur);
    void reconstruireEtDire();
    void valeursInitiales();

    int rotation[3] = {0, 0, 0};
    int affiche[cyclide::NOMBRE_LISTES] = {1, 0, 0, 0, 0, 0, 0};
    // theta00, theta02, theta20, theta22 (radians), rayon, z11, P10.
    double parametres[7] = {0, 0, 0, 0, 0, 0, 0};
    // The built-in example shown while exemple is non-zero (1..3).
    int numeroExemple = 0;
    // The net given directly, shown while reseauDonne is set.
    bool reseauDonne = false;
    RBBP reseau;
    double toleranceReseau = cyclide::TOLERANCE_CARREAU;
    cyclide::Scene scene;
    QPoint lastPos;
    bool ombre = false;
    double panX = 0;
    double panY = 0;
    cyclide::Cadrage centre;
    bool ortho = false;
    bool axes = false;
    bool carreauRefuse = false;
    bool enApercu = false;
    // The renderer of the view's context: its lists and viewport.
    cyclide::RenduScene rendu;
};

#endif
