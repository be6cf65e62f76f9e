// GLWidget: the 3D view. It owns the scene's inputs (the seven conversion
// parameters, the plane choice, the loaded example), the patch Bez built from
// them, its converted copy Bez1, and the seven display lists drawn from them.
// It shows the lists whose switch is on, on a white background, rotated by the
// mouse and zoomed by the wheel.
#ifndef GLWIDGET_H
#define GLWIDGET_H

#include "RBBPd.h"

#include <QImage>
#include <QOpenGLWidget>
#include <QPoint>
#include <QRect>

#include <vector>

class QMouseEvent;
class QWheelEvent;
class QOpenGLContext;

// The rendering format of every view context: OpenGL 2.1 in the
// compatibility profile (display lists and the fixed pipeline), double
// buffered, with a 24-bit depth buffer.
QSurfaceFormat formatVue();
// Makes formatVue() the application's default; call it before the
// application object is created.
void installerFormatVue();

class GLWidget : public QOpenGLWidget {
    Q_OBJECT

  public:
    explicit GLWidget(QWidget* parent = nullptr);
    ~GLWidget() override;

    double getTheta00() const { return theta00; }
    double getTheta02() const { return theta02; }
    double getTheta20() const { return theta20; }
    double getTheta22() const { return theta22; }
    double getRayon() const { return rayon; }
    double getZ11() const { return z11; }
    double getP10() const { return P10; }
    RBBPd getBez() const { return Bez; }
    RBBPd getBez1() const { return Bez1; }
    int xRotation() const { return xRot; }
    int yRotation() const { return yRot; }
    int zRotation() const { return zRot; }
    // The conversion type of the last rebuild (0: nothing is drawn).
    int getType() const { return type; }
    // The switch of display list liste (1..7); 0 for any other number.
    int afficheListe(int liste) const;
    // The centred square the view draws into, in device pixels.
    QRect zoneAffichage() const { return QRect(vueX, vueY, vueCote, vueCote); }

    void initProjet();
    void remiseAZero();
    void ouvrirExemple1();
    void ouvrirExemple2();
    void ouvrirExemple3();

    // Stores the seven parameters (radians for the angles, in the order of a
    // parameter file) without rebuilding.
    void setParametres(const double valeurs[7]);
    // Sets the switch of display list liste (1..7) through its slot.
    void setAfficheListe(int liste, int t);
    // Sets the polygon rasterisation mode of the view's context (0 filled,
    // 1 outlines, 2 points) and asks for a redraw.
    void setModePolygone(int mode);

    // Renders the scene at largeur x hauteur pixels in a new, unshared
    // context on an off-screen surface, through the view's own
    // initialisation, resize and paint; the view's own context and viewport
    // are left as they were. A null image when no context can be made.
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
    int choix;
    int typeCyclide;

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

  private:
    void normalizeAngle(int* angle);
    void chargerExempleNumero(int numero);
    void construireCarreau();
    void convertirSansDessin();
    void compilerSiPerimee(int liste);
    void valeursInitiales();

    int xRot;
    int yRot;
    int zRot;
    int afficheCarreau;
    int afficheBord;
    int afficheCarreauNew;
    int afficheBordNew;
    int affichePolyNew;
    int afficheCyclide;
    int afficheCarreauCyclide;
    double theta00;
    double theta02;
    double theta20;
    double theta22;
    double rayon;
    double z11;
    double P10;
    RBBPd Bez;
    RBBPd Bez1;
    QPoint lastPos;
    int type;

    // The centred square set by resizeGL and applied again by paintGL.
    int vueX = 0;
    int vueY = 0;
    int vueCote = 0;
    // True while the scene is drawn into an off-screen context: the rebuild
    // then compiles its lists there instead of in the view's own context.
    bool horsEcran = false;

    // The scene of the last rebuild as the view's lists must show it: the
    // patch, its conversion type and the plane choice, with all their
    // numbers in empreinteListes. versionScene grows whenever a rebuild
    // gives a scene that differs from the previous one; versionListe holds
    // the version each list of the view's context was compiled from (-1:
    // none), so a list is compiled again only when its scene changed.
    RBBPd bezListes;
    int typeListes = 0;
    int choixListes = 1;
    std::vector<double> empreinteListes;
    int versionScene = 0;
    int versionListe[7] = {-1, -1, -1, -1, -1, -1, -1};
    int compilations[7] = {0, 0, 0, 0, 0, 0, 0};
};

#endif
