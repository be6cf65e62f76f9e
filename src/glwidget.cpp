#include "glwidget.h"

#include "Cyclide.h"
#include "Exemples.h"

#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// The double nearest 2 pi; every angle conversion uses it.
const double DEUX_PI = 6.283185307179586;

// Number of display lists: 1 patch, 2 its border, 3 converted patch, 4 its
// border, 5 its control polyhedron, 6 whole cyclide, 7 piece of cyclide.
const int NOMBRE_LISTES = 7;

// Degrees to radians, in the order (degrees * 2pi) / 360.
double degresEnRadians(int degres) {
    return degres * DEUX_PI / 360;
}

// Opens display list liste in compile mode, runs dessin, closes the list.
template <typename Dessin> void compilerListe(GLuint liste, Dessin dessin) {
    glNewList(liste, GL_COMPILE);
    dessin();
    glEndList();
}

// The order in which the lists of a scene are compiled: the conversion
// recorded in list 7 sets the cyclide and frame that lists 6, 3, 4 and 5
// use, and list 3 moves the converted copy into that frame.
const int ORDRE_LISTES[NOMBRE_LISTES] = {1, 2, 7, 6, 3, 4, 5};

// Compiles the scene's seven lists into the current context from the patch
// bez, its conversion type and the plane choice, in the order above. bez1
// receives the copy, converted and moved; returns the cyclide type.
int compilerScene(const RBBPd& bez, int typeConversion, int plan, RBBPd& bez1) {
    bez1 = bez;
    int typeCyclide = 0;
    compilerListe(1, [&] { bez.openGL(30, 30); });
    compilerListe(2, [&] { bez.openGLBord(30, 30); });
    compilerListe(7, [&] { typeCyclide = bez1.conversion(typeConversion, plan); });
    compilerListe(6, [&] {
        Cyclide cyclide(0, DEUX_PI, 0, DEUX_PI, bez1.getA(), bez1.getC(), bez1.getMu());
        cyclide.openGL();
    });
    compilerListe(3, [&] { bez1.openGLChangementBase(30, 30); });
    compilerListe(4, [&] { bez1.openGLBord(30, 30); });
    compilerListe(5, [&] { bez1.openGLPolyedre(); });
    return typeCyclide;
}

// Compiles list liste (1..7) of the scene alone, with the very calls of
// compilerScene: the copy that lists 6, 3, 4 and 5 draw from is converted
// without drawing (the record ends as after the drawing conversion), and
// moved into the cyclide's frame for lists 4 and 5.
void compilerListeScene(int liste, const RBBPd& bez, int typeConversion, int plan) {
    if (liste == 1) {
        compilerListe(1, [&] { bez.openGL(30, 30); });
        return;
    }
    if (liste == 2) {
        compilerListe(2, [&] { bez.openGLBord(30, 30); });
        return;
    }
    RBBPd bez1 = bez;
    if (liste == 7) {
        compilerListe(7, [&] { bez1.conversion(typeConversion, plan); });
        return;
    }
    MorceauCyclide morceau;
    bez1.calculConversion(typeConversion, plan, morceau);
    if (liste == 6) {
        compilerListe(6, [&] {
            Cyclide cyclide(0, DEUX_PI, 0, DEUX_PI, bez1.getA(), bez1.getC(), bez1.getMu());
            cyclide.openGL();
        });
    } else if (liste == 3) {
        compilerListe(3, [&] { bez1.openGLChangementBase(30, 30); });
    } else if (liste == 4) {
        bez1.changementBase();
        compilerListe(4, [&] { bez1.openGLBord(30, 30); });
    } else if (liste == 5) {
        bez1.changementBase();
        compilerListe(5, [&] { bez1.openGLPolyedre(); });
    }
}

// Appends the coordinates and the colour of p.
void ajouterPoint(std::vector<double>& nombres, const Point& p) {
    nombres.insert(nombres.end(), {p.getX0(), p.getY0(), p.getZ0(), p.getR(), p.getG(), p.getB()});
}

// Appends the point, the direction and the colour of d.
void ajouterDroite(std::vector<double>& nombres, const Droite& d) {
    ajouterPoint(nombres, d.getP());
    const vect v = d.getV();
    nombres.insert(nombres.end(), {v.abs(), v.ord(), v.cote(), d.getR(), d.getG(), d.getB()});
}

// Every number the seven lists are drawn from: all the fields of the patch
// (colours included), the conversion type and the plane choice.
std::vector<double> empreinteScene(const RBBPd& bez, int typeConversion, int plan) {
    std::vector<double> nombres{bez.R,  bez.G,  bez.B,  bez.Rd, bez.Gd,
                                bez.Bd, bez.Rs, bez.Gs, bez.Bs};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            ajouterPoint(nombres, bez.P[i][j]);
            nombres.push_back(bez.w[i][j]);
            nombres.push_back(bez.Base[i][j]);
        }
    }
    ajouterDroite(nombres, bez.dA);
    ajouterDroite(nombres, bez.dB);
    ajouterPoint(nombres, bez.omega);
    nombres.insert(nombres.end(), {bez.a, bez.c, bez.mu, static_cast<double>(typeConversion),
                                   static_cast<double>(plan)});
    return nombres;
}

// Bit-for-bit equality (a non-number equals the same non-number).
bool memesNombres(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

} // namespace

// The view's rendering format: OpenGL 2.1, compatibility profile (a 3.x
// request gives a core profile without display lists), depth 24, double
// buffered.
QSurfaceFormat formatVue() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return format;
}

// Installs formatVue() as the default of every context; must run before the
// application object exists so that the widgets' contexts get it.
void installerFormatVue() {
    QSurfaceFormat::setDefaultFormat(formatVue());
}

// Builds the view in its start-up state. No context exists yet: the first
// rebuild, which the window runs at once, computes without drawing, and the
// display lists are compiled at the first paint.
GLWidget::GLWidget(QWidget* parent) : QOpenGLWidget(parent), lastPos(0, 0) {
    typeCyclide = 0;
    type = 0;
    choix = 1;
    valeursInitiales();
}

// Deletes the display lists with the view's context current.
GLWidget::~GLWidget() {
    if (isValid()) {
        makeCurrent();
        glDeleteLists(1, NOMBRE_LISTES);
        doneCurrent();
    }
}

// The start-up values of the rotation, zoom, switches, parameters and
// example flag.
void GLWidget::valeursInitiales() {
    xRot = 0;
    yRot = 0;
    zRot = 0;
    Scal = 1.5;
    afficheCarreau = 1;
    afficheBord = 0;
    afficheCarreauNew = 0;
    afficheBordNew = 0;
    affichePolyNew = 0;
    afficheCyclide = 0;
    afficheCarreauCyclide = 0;
    theta00 = 0;
    theta02 = 1.5707963267948966;
    theta20 = -1.0471975511965976;
    theta22 = 3.141592653589793;
    rayon = 4.0;
    z11 = 8.0;
    P10 = -7.982;
    exemple = 0;
}

// Restores the construction values of the example flag, rotations, zoom,
// switches and parameters; no rebuild, no redraw, choix kept.
void GLWidget::remiseAZero() {
    valeursInitiales();
}

// The switch of display list liste (1..7); 0 for any other number.
int GLWidget::afficheListe(int liste) const {
    switch (liste) {
    case 1:
        return afficheCarreau;
    case 2:
        return afficheBord;
    case 3:
        return afficheCarreauNew;
    case 4:
        return afficheBordNew;
    case 5:
        return affichePolyNew;
    case 6:
        return afficheCyclide;
    case 7:
        return afficheCarreauCyclide;
    default:
        return 0;
    }
}

// Sets the switch of list liste (1..7) through its slot; other numbers are
// ignored.
void GLWidget::setAfficheListe(int liste, int t) {
    switch (liste) {
    case 1:
        setAfficheCarreau(t);
        break;
    case 2:
        setAfficheBord(t);
        break;
    case 3:
        setAfficheCarreauNew(t);
        break;
    case 4:
        setAfficheBordNew(t);
        break;
    case 5:
        setAffichePolyNew(t);
        break;
    case 6:
        setAfficheCyclide(t);
        break;
    case 7:
        setAfficheCarreauCyclide(t);
        break;
    default:
        break;
    }
}

// Stores theta00, theta02, theta20, theta22 (radians), rayon, z11, P10 as
// given; the caller rebuilds.
void GLWidget::setParametres(const double valeurs[7]) {
    theta00 = valeurs[0];
    theta02 = valeurs[1];
    theta20 = valeurs[2];
    theta22 = valeurs[3];
    rayon = valeurs[4];
    z11 = valeurs[5];
    P10 = valeurs[6];
}

// Rebuilds the scene: the patch from the parameters (unless an example is
// loaded), its copy and the conversion, at once, so that type, typeCyclide,
// Bez and Bez1 are up to date when it returns. While an image is rendered
// off screen the seven lists are compiled into that context at once; a list
// of the view is compiled by the next paint that shows it, and only when
// the scene differs from the one it was compiled from.
void GLWidget::initProjet() {
    if (horsEcran) {
        construireCarreau();
        typeCyclide = compilerScene(Bez, type, choix, Bez1);
        return;
    }
    convertirSansDessin();
    std::vector<double> empreinte = empreinteScene(Bez, type, choix);
    if (!memesNombres(empreinte, empreinteListes)) {
        bezListes = Bez;
        typeListes = type;
        choixListes = choix;
        empreinteListes = std::move(empreinte);
        ++versionScene;
    }
}

// The patch from the seven parameters, unless an example is loaded; type
// receives its conversion type.
void GLWidget::construireCarreau() {
    if (exemple == 0) {
        type = Bez.convertToCD4(theta00, theta02, theta20, theta22, rayon, z11, P10);
    }
}

// The rebuild's computations without any GL call: construction, copy,
// conversion and change of frame, leaving type, typeCyclide, Bez and Bez1
// as the drawing forms do.
void GLWidget::convertirSansDessin() {
    construireCarreau();
    Bez1 = Bez;
    MorceauCyclide morceau;
    typeCyclide = Bez1.calculConversion(type, choix, morceau);
    Bez1.changementBase();
}

// Compiles every out-of-date list of the view, its context made current.
void GLWidget::compilerListesEnAttente() {
    if (!isValid()) {
        return;
    }
    makeCurrent();
    for (int liste : ORDRE_LISTES) {
        compilerSiPerimee(liste);
    }
}

// The number of compilations of list liste in the view's context.
int GLWidget::nombreCompilations(int liste) const {
    return liste >= 1 && liste <= NOMBRE_LISTES ? compilations[liste - 1] : 0;
}

// With the view's context current: compiles list liste (1..7) from the
// scene of the last rebuild unless it was already compiled from it.
void GLWidget::compilerSiPerimee(int liste) {
    const int k = liste - 1;
    if (versionListe[k] == versionScene) {
        return;
    }
    compilerListeScene(liste, bezListes, typeListes, choixListes);
    versionListe[k] = versionScene;
    ++compilations[k];
}

// Loads built-in example numero into Bez with its conversion type, marks
// the example as shown, rebuilds and redraws.
void GLWidget::chargerExempleNumero(int numero) {
    const int typeExemple = chargerExemple(numero, Bez);
    if (typeExemple < 0) {
        return;
    }
    exemple = 1;
    type = typeExemple;
    initProjet();
    update();
}

void GLWidget::ouvrirExemple1() {
    chargerExempleNumero(1);
}

void GLWidget::ouvrirExemple2() {
    chargerExempleNumero(2);
}

void GLWidget::ouvrirExemple3() {
    chargerExempleNumero(3);
}

// Sets up the context: lights, light model, material shininess, white
// clear colour, then rebuilds the scene so that its lists live in this
// context. No light position is set: every light keeps the default one.
void GLWidget::initializeGL() {
    const GLfloat L0dif[4] = {0.3f, 0.0f, 0.5f, 0.95f};
    const GLfloat L0amb[4] = {0.25f, 0.05f, 0.049f, 0.5f};
    const GLfloat L0spe[4] = {0.047f, 0.248f, 0.02f, 0.5f};
    const GLfloat L1dif[4] = {0.125f, 0.25f, 0.125f, 0.6f};
    const GLfloat L1amb[4] = {0.125f, 0.2f, 0.1307f, 0.3f};
    const GLfloat L1spe[4] = {0.000206f, 0.6f, 0.000205f, 0.5f};
    const GLfloat L2dif[4] = {0.25f, 0.0105f, 0.17f, 0.96f};
    const GLfloat L2amb[4] = {0.013f, 0.09f, 0.47f, 0.3f};
    const GLfloat L2spe[4] = {0.02f, 0.02f, 0.935f, 0.5f};
    const GLfloat L3dif[4] = {0.15f, 0.5f, 0.007f, 0.96f};
    const GLfloat L3amb[4] = {0.013f, 0.09f, 0.007f, 0.3f};
    const GLfloat L3spe[4] = {0.002f, 0.02f, 0.035f, 0.5f};
    const GLfloat L2_dir[3] = {1.0f, 1.0f, 1.0f};

    glMatrixMode(GL_MODELVIEW);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(0.0f, 0.0f, 0.0f);
    glPointSize(2.0f);

    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glEdgeFlag(GL_FALSE);
    glEdgeFlag(GL_TRUE);

    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    glEnable(GL_LIGHTING);

    glLightfv(GL_LIGHT2, GL_DIFFUSE, L2dif);
    glLightfv(GL_LIGHT2, GL_AMBIENT, L2amb);
    glLightfv(GL_LIGHT2, GL_SPECULAR, L2spe);
    glLightf(GL_LIGHT2, GL_CONSTANT_ATTENUATION, 20.0f);
    glLightf(GL_LIGHT2, GL_LINEAR_ATTENUATION, 10.0f);
    glLightf(GL_LIGHT2, GL_QUADRATIC_ATTENUATION, 2.0f);

    glDisable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, L0dif);
    glLightfv(GL_LIGHT0, GL_AMBIENT, L0amb);
    glLightfv(GL_LIGHT0, GL_SPECULAR, L0spe);

    glEnable(GL_LIGHT1);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, L1dif);
    glLightfv(GL_LIGHT1, GL_AMBIENT, L1amb);
    glLightfv(GL_LIGHT1, GL_SPECULAR, L1spe);
    glLightf(GL_LIGHT1, GL_CONSTANT_ATTENUATION, 2.0f);
    glLightf(GL_LIGHT1, GL_LINEAR_ATTENUATION, 10.0f);
    glLightf(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, 20.0f);

    glEnable(GL_LIGHT2);
    glLightfv(GL_LIGHT2, GL_SPOT_DIRECTION, L2_dir);
    glLightfv(GL_LIGHT2, GL_DIFFUSE, L2dif);
    glLightfv(GL_LIGHT2, GL_AMBIENT, L2amb);
    glLightfv(GL_LIGHT2, GL_SPECULAR, L2spe);
    glLightf(GL_LIGHT2, GL_CONSTANT_ATTENUATION, 20.0f);
    glLightf(GL_LIGHT2, GL_LINEAR_ATTENUATION, 10.0f);
    glLightf(GL_LIGHT2, GL_QUADRATIC_ATTENUATION, 2.0f);

    glDisable(GL_LIGHT3);
    glLightfv(GL_LIGHT3, GL_DIFFUSE, L3dif);
    glLightfv(GL_LIGHT3, GL_AMBIENT, L3amb);
    glLightfv(GL_LIGHT3, GL_SPECULAR, L3spe);
    glLightf(GL_LIGHT3, GL_CONSTANT_ATTENUATION, 2.0f);
    glLightf(GL_LIGHT3, GL_LINEAR_ATTENUATION, 1.0f);
    glLightf(GL_LIGHT3, GL_QUADRATIC_ATTENUATION, 2.0f);
    glEnable(GL_LIGHT3);

    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.5f);
    glEnable(GL_NORMALIZE);

    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);

    // A new context of the view holds no lists yet.
    if (!horsEcran) {
        std::fill(versionListe, versionListe + NOMBRE_LISTES, -1);
    }
    initProjet();
    // A view that was already sized and gets a new context (moved into
    // another window) is not necessarily resized again: its projection is
    // set here, or it would draw without one.
    if (!horsEcran && vueCote > 0) {
        resizeGL(width(), height());
    }
}

// Sets a centred square viewport of the smaller side (kept for paintGL),
// the frustum [-1, 1] x [-1, 1], near 5, far 60, and moves the scene 40
// units away. Sizes are widget pixels on screen (scaled to device pixels),
// image pixels off screen.
void GLWidget::resizeGL(int width, int height) {
    const qreal echelle = horsEcran ? 1.0 : devicePixelRatioF();
    const int largeur = qRound(width * echelle);
    const int hauteur = qRound(height * echelle);
    vueCote = std::min(largeur, hauteur);
    vueX = (largeur - vueCote) / 2;
    vueY = (hauteur - vueCote) / 2;
    glViewport(vueX, vueY, vueCote, vueCote);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1.0, 1.0, -1.0, 1.0, 5.0, 60.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(0.0, 0.0, -40.0);
}

// Draws the lists whose switch is on, in the order 1 to 7, after the
// rotation and the zoom; nothing but the background when the patch is not
// convertible (type 0). In the view's context a shown list that the last
// rebuilds left out of date is compiled just before it is drawn, so the
// renderer's threads draw the lists already sent while the next one is
// compiled; a hidden list waits until it is shown.
void GLWidget::paintGL() {
    glViewport(vueX, vueY, vueCote, vueCote);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glRotated(xRot / 16.0, 1.0, 0.0, 0.0);
    glRotated(yRot / 16.0, 0.0, 1.0, 0.0);
    glRotated(zRot / 16.0, 0.0, 0.0, 1.0);
    glScaled(Scal, Scal, Scal);
    if (type != 0) {
        for (int liste = 1; liste <= NOMBRE_LISTES; ++liste) {
            if (afficheListe(liste) != 0) {
                if (!horsEcran) {
                    compilerSiPerimee(liste);
                }
                glCallList(liste);
            }
        }
    }
    glPopMatrix();
}

// Remembers where a drag starts.
void GLWidget::mousePressEvent(QMouseEvent* event) {
    lastPos = event->position().toPoint();
}

// Rotates by half a degree per pixel: left button about x and y, right
// button about x and z; other buttons rotate nothing.
void GLWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    const int dx = position.x() - lastPos.x();
    const int dy = position.y() - lastPos.y();
    if (event->buttons() & Qt::LeftButton) {
        setXRotation(xRot + 8 * dy);
        setYRotation(yRot + 8 * dx);
    } else if (event->buttons() & Qt::RightButton) {
        setXRotation(xRot + 8 * dy);
        setZRotation(zRot + 8 * dx);
    }
    lastPos = position;
}

// Zooms by 10 % per wheel step: in for a positive delta, out otherwise,
// without bounds.
void GLWidget::wheelEvent(QWheelEvent* event) {
    const QPoint pas = event->angleDelta();
    const int delta = pas.y() != 0 ? pas.y() : pas.x();
    if (delta > 0) {
        Scal = Scal * 0.1 + Scal;
    } else {
        Scal = Scal - Scal * 0.1;
    }
    update();
}

// Folds an angle in sixteenths of a degree into [0, 5760] (5760 stays).
void GLWidget::normalizeAngle(int* angle) {
    while (*angle < 0) {
        *angle += 360 * 16;
    }
    while (*angle > 360 * 16) {
        *angle -= 360 * 16;
    }
}

// Rotation slots: store the folded angle and redraw when it changed;
// nothing happens when it did not.
void GLWidget::setXRotation(int angle) {
    normalizeAngle(&angle);
    if (angle != xRot) {
        xRot = angle;
        emit xRotationChanged(angle);
        update();
    }
}

void GLWidget::setYRotation(int angle) {
    normalizeAngle(&angle);
    if (angle != yRot) {
        yRot = angle;
        emit yRotationChanged(angle);
        update();
    }
}

void GLWidget::setZRotation(int angle) {
    normalizeAngle(&angle);
    if (angle != zRot) {
        zRot = angle;
        emit zRotationChanged(angle);
        update();
    }
}

// Display switches: store the value (any non-zero value shows the list),
// tell it and redraw.
void GLWidget::setAfficheCarreau(int t) {
    afficheCarreau = t;
    emit afficheCarreauChanged(t);
    update();
}

void GLWidget::setAfficheBord(int t) {
    afficheBord = t;
    emit afficheBordChanged(t);
    update();
}

void GLWidget::setAfficheCarreauNew(int t) {
    afficheCarreauNew = t;
    emit afficheCarreauNewChanged(t);
    update();
}

void GLWidget::setAfficheBordNew(int t) {
    afficheBordNew = t;
    emit afficheBordNewChanged(t);
    update();
}

void GLWidget::setAffichePolyNew(int t) {
    affichePolyNew = t;
    emit affichePolyNewChanged(t);
    update();
}

void GLWidget::setAfficheCyclide(int t) {
    afficheCyclide = t;
    emit afficheCyclideChanged(t);
    update();
}

void GLWidget::setAfficheCarreauCyclide(int t) {
    afficheCarreauCyclide = t;
    emit afficheCarreauCyclideChanged(t);
    update();
}

// Angle slots (whole degrees, not clamped): store the angle in radians,
// tell the slider, rebuild, refresh the window's table and redraw.
void GLWidget::setTheta00(int t) {
    theta00 = degresEnRadians(t);
    emit theta00Changed(t);
    initProjet();
    emit miseAJour();
    update();
}

void GLWidget::setTheta02(int t) {
    theta02 = degresEnRadians(t);
    emit theta02Changed(t);
    initProjet();
    emit miseAJour();
    update();
}

void GLWidget::setTheta20(int t) {
    theta20 = degresEnRadians(t);
    emit theta20Changed(t);
    initProjet();
    emit miseAJour();
    update();
}

void GLWidget::setTheta22(int t) {
    theta22 = degresEnRadians(t);
    emit theta22Changed(t);
    initProjet();
    emit miseAJour();
    update();
}

// Length slots: store the value, rebuild, refresh the table and redraw.
void GLWidget::setRayon(double t) {
    rayon = t;
    initProjet();
    emit miseAJour();
    update();
}

void GLWidget::setZ11(double t) {
    z11 = t;
    initProjet();
    emit miseAJour();
    update();
}

void GLWidget::setP10(double t) {
    P10 = t;
    initProjet();
    emit miseAJour();
    update();
}

// Polygon rasterisation of the view's context for front and back faces:
// 0 filled, 1 outlines, 2 points. Before the context exists there is
// nothing to set.
void GLWidget::setModePolygone(int mode) {
    if (isValid()) {
        makeCurrent();
        const GLenum modes[3] = {GL_FILL, GL_LINE, GL_POINT};
        glPolygonMode(GL_FRONT_AND_BACK, modes[(mode % 3 + 3) % 3]);
    }
    update();
}

// Renders the scene into an off-screen framebuffer with depth, in a new
// context that shares nothing with the view's: the view's initialisation
// (lights and lists), resize and paint run there. The view's viewport is
// restored afterwards and the context that was current is made current
// again. The framebuffer keeps GL's alpha (0 where only the background is),
// so the pixels are read back as opaque RGB. A null image when the context,
// the surface or the framebuffer cannot be made.
QImage GLWidget::imageHorsEcran(int largeur, int hauteur) {
    QOpenGLContext* precedent = QOpenGLContext::currentContext();
    QSurface* surfacePrecedente = precedent != nullptr ? precedent->surface() : nullptr;
    QImage image;
    {
        QOpenGLContext contexte;
        contexte.setFormat(formatVue());
        QOffscreenSurface surface;
        surface.setFormat(formatVue());
        surface.create();
        if (contexte.create() && surface.isValid() && contexte.makeCurrent(&surface)) {
            QOpenGLFramebufferObject tampon(largeur, hauteur, QOpenGLFramebufferObject::Depth);
            if (tampon.isValid() && tampon.bind()) {
                const int x = vueX;
                const int y = vueY;
                const int cote = vueCote;
                horsEcran = true;
                initializeGL();
                resizeGL(largeur, hauteur);
                paintGL();
                glFinish();
                horsEcran = false;
                vueX = x;
                vueY = y;
                vueCote = cote;
                image = tampon.toImage();
                tampon.release();
            }
            contexte.doneCurrent();
        }
    }
    if (precedent != nullptr && surfacePrecedente != nullptr) {
        precedent->makeCurrent(surfacePrecedente);
    }
    if (image.isNull()) {
        return image;
    }
    // Drop GL's alpha: keep the colour bytes and make every pixel opaque.
    if (image.format() == QImage::Format_RGBA8888_Premultiplied ||
        image.format() == QImage::Format_RGBA8888) {
        image.reinterpretAsFormat(QImage::Format_RGBX8888);
    } else {
        image.reinterpretAsFormat(QImage::Format_RGB32);
    }
    return image.convertToFormat(QImage::Format_RGB888).convertToFormat(QImage::Format_RGB32);
}
