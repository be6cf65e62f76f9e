#include "glwidget.h"

#include "DessinScene.h"
#include "Exemples.h"

#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

// The double nearest 2 pi; every angle conversion uses it.
const double DEUX_PI = 6.283185307179586;

// The start-up parameters: theta00, theta02, theta20, theta22 (the doubles
// nearest 0, pi/2, -pi/3, pi), rayon, z11, P10.
const double PARAMETRES_DEMARRAGE[7] = {
    0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4.0, 8.0, -7.982};

// Degrees to radians, in the order (degrees * 2pi) / 360.
double degresEnRadians(int degres) {
    return degres * DEUX_PI / 360;
}

// The view's half width at the scene's distance (frustum [-1, 1] at 5,
// scene at 40) and the share of it a fitted drawing takes.
const double DEMI_LARGEUR_SCENE = 8.0;
const double PART_CADRAGE = 0.9;

// The materials set before the flat or shaded patch (list 1) and the
// converted patch (list 3): ambient, diffuse, specular, opaque. The two
// colours differ so that the two patches can be told apart.
const GLfloat CARREAU_AMBIANT[4] = {0.9f, 0.45f, 0.1f, 1.0f};
const GLfloat CARREAU_DIFFUS[4] = {1.0f, 0.55f, 0.15f, 1.0f};
const GLfloat CONVERTI_AMBIANT[4] = {0.8f, 0.1f, 0.3f, 1.0f};
const GLfloat CONVERTI_DIFFUS[4] = {1.0f, 0.15f, 0.35f, 1.0f};
const GLfloat SANS_REFLET[4] = {0.0f, 0.0f, 0.0f, 1.0f};

// Sets the front and back material of a patch drawing.
void materiauCarreau(const GLfloat ambiant[4], const GLfloat diffus[4]) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambiant);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffus);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, SANS_REFLET);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, SANS_REFLET);
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
// rebuild, which the window runs at once, computes the scene, and the
// display lists are compiled at the first paint.
GLWidget::GLWidget(QWidget* parent) : QOpenGLWidget(parent), lastPos(0, 0) {
    typeCyclide = 0;
    choix = 1;
    valeursInitiales();
}

// Deletes the display lists with the view's context current.
GLWidget::~GLWidget() {
    if (isValid()) {
        makeCurrent();
        glDeleteLists(1, NOMBRE_IDENTIFIANTS);
        doneCurrent();
    }
}

// The start-up values of the rotation, zoom, switches, parameters and
// example flag.
void GLWidget::valeursInitiales() {
    std::fill(rotation, rotation + 3, 0);
    Scal = 1.5;
    std::fill(affiche, affiche + NOMBRE_LISTES, 0);
    affiche[0] = 1;
    std::copy(PARAMETRES_DEMARRAGE, PARAMETRES_DEMARRAGE + 7, parametres);
    exemple = 0;
    reseauDonne = false;
}

// Restores the construction values of the example flag, rotations, zoom,
// switches and parameters; no rebuild, no redraw, choix kept.
void GLWidget::remiseAZero() {
    valeursInitiales();
}

// The switch of display list liste (1..7); 0 for any other number.
int GLWidget::afficheListe(int liste) const {
    return liste >= 1 && liste <= NOMBRE_LISTES ? affiche[liste - 1] : 0;
}

// Sets the switch of list liste (1..7) through its slot; other numbers are
// ignored.
void GLWidget::setAfficheListe(int liste, int t) {
    if (liste >= 1 && liste <= NOMBRE_LISTES) {
        changerAffichage(liste, t);
    }
}

// Stores theta00, theta02, theta20, theta22 (radians), rayon, z11, P10 as
// given; the caller rebuilds.
void GLWidget::setParametres(const double valeurs[7]) {
    std::copy(valeurs, valeurs + 7, parametres);
}

// What the scene is built from now: the parameters, the example shown
// (when the flag is set) and the plane.
EntreeScene GLWidget::entreeCourante() const {
    EntreeScene e;
    e.theta00 = parametres[0];
    e.theta02 = parametres[1];
    e.theta20 = parametres[2];
    e.theta22 = parametres[3];
    e.rayon = parametres[4];
    e.z11 = parametres[5];
    e.P10 = parametres[6];
    e.exemple = exemple != 0 ? numeroExemple : 0;
    e.choix = choix;
    e.reseauDonne = reseauDonne;
    if (reseauDonne) {
        e.reseau = reseau;
        e.tolerance = toleranceReseau;
    }
    return e;
}

// Rebuilds the scene: the patch from the parameters (unless an example is
// loaded), its conversion, the cyclide and the copy in the cyclide's frame,
// all at once so that they are up to date when it returns. Nothing is
// computed again when the inputs are the very ones of the last rebuild
// (the second rebuild of a slider step). The view's lists are compiled by
// the next paint that shows them, from this scene.
void GLWidget::initProjet() {
    const EntreeScene entree = entreeCourante();
    if (scene.version == 0 || !memeEntree(entree, scene.entree)) {
        scene = construireScene(entree);
    }
    typeCyclide = scene.typeCyclide;
}

// Compiles every out-of-date list of the view, its context made current.
void GLWidget::compilerListesEnAttente() {
    if (!isValid()) {
        return;
    }
    makeCurrent();
    for (int liste = 1; liste <= NOMBRE_LISTES; ++liste) {
        compilerSiPerimee(liste);
    }
}

// The number of compilations of list liste in the view's context.
int GLWidget::nombreCompilations(int liste) const {
    return liste >= 1 && liste <= NOMBRE_LISTES ? compilations[liste - 1] : 0;
}

// The list that shows drawing liste: the shaded lists 8 and 9 stand for the
// patch and the converted patch while the shading is on.
int GLWidget::identifiantListe(int liste) const {
    if (ombre && liste == 1) {
        return NOMBRE_LISTES + 1;
    }
    if (ombre && liste == 3) {
        return NOMBRE_LISTES + 2;
    }
    return liste;
}

// The GL calls of list id, from the scene.
void GLWidget::dessinerIdentifiant(int id) const {
    if (id == NOMBRE_LISTES + 1) {
        dessinerCarreauOmbre(scene.Bez, 30, 30);
    } else if (id == NOMBRE_LISTES + 2) {
        dessinerCarreauOmbre(scene.Bez1, 30, 30);
    } else {
        dessinerListe(scene, id);
    }
}

// With the view's context current: compiles list id from the scene unless
// it was already compiled from it. Off screen every list drawn is compiled
// in the new context.
void GLWidget::compilerSiPerimee(int id) {
    if (!horsEcran && versionListe[id - 1] == scene.version) {
        return;
    }
    glNewList(static_cast<GLuint>(id), GL_COMPILE);
    dessinerIdentifiant(id);
    glEndList();
    if (!horsEcran) {
        versionListe[id - 1] = scene.version;
        if (id <= NOMBRE_LISTES) {
            ++compilations[id - 1];
        }
    }
}

// Loads built-in example numero (1..3): marks the example as shown,
// rebuilds and redraws.
void GLWidget::chargerExempleNumero(int numero) {
    RBBPd essai;
    if (chargerExemple(numero, essai) < 0) {
        return;
    }
    numeroExemple = numero;
    exemple = 1;
    reseauDonne = false;
    initProjet();
    update();
}

// Shows the net given directly: no example, the net and its tolerance kept
// for every rebuild until a parameter or an example replaces it.
void GLWidget::ouvrirCarreau(const RBBP& net, double tolerance) {
    reseau = net;
    toleranceReseau = tolerance;
    reseauDonne = true;
    exemple = 0;
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
// clear colour, then rebuilds the scene (the lists are compiled in this
// context by the paints that show them). No light position is set: every
// light keeps the default one. The calls stay one list in their order
// (light 2 is set twice), read best whole beside the lighting they make,
// so the function is longer than the others.
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
        std::fill(versionListe, versionListe + NOMBRE_IDENTIFIANTS, 0);
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

// Draws the lists whose switch is on, in the order 1 to 7, after the pan,
// the rotation, the zoom and the centring; nothing but the background when
// the patch is not convertible (type 0). A shown list that the last
// rebuilds left out of date is compiled just before it is drawn; a hidden
// list waits until it is shown.
void GLWidget::paintGL() {
    glViewport(vueX, vueY, vueCote, vueCote);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glTranslated(panX, panY, 0.0);
    glRotated(rotation[0] / 16.0, 1.0, 0.0, 0.0);
    glRotated(rotation[1] / 16.0, 0.0, 1.0, 0.0);
    glRotated(rotation[2] / 16.0, 0.0, 0.0, 1.0);
    glScaled(Scal, Scal, Scal);
    glTranslated(-centre.x, -centre.y, -centre.z);
    if (scene.type != 0) {
        for (int liste = 1; liste <= NOMBRE_LISTES; ++liste) {
            if (affiche[liste - 1] != 0) {
                const int id = identifiantListe(liste);
                compilerSiPerimee(id);
                preparerListe(liste);
                glCallList(static_cast<GLuint>(id));
                finirListe(liste);
            }
        }
    }
    glPopMatrix();
}

// The state a list is drawn with, set outside the list: the patch and the
// converted patch get a material of their own (and, flat, one normal
// toward the viewer; shaded, both faces lit), so their colour never depends
// on what was drawn before; the whole cyclide and its piece are pushed
// back in depth, the cyclide further than the piece, so that a patch lying
// on them is drawn cleanly in front.
void GLWidget::preparerListe(int liste) const {
    if (liste == 1 || liste == 3) {
        materiauCarreau(liste == 1 ? CARREAU_AMBIANT : CONVERTI_AMBIANT,
                        liste == 1 ? CARREAU_DIFFUS : CONVERTI_DIFFUS);
        if (ombre) {
            glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
        } else {
            glNormal3f(0.0f, 0.0f, 1.0f);
        }
    } else if (liste == 6 || liste == 7) {
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(liste == 6 ? 2.0f : 1.0f, liste == 6 ? 4.0f : 2.0f);
    }
}

// Undoes what preparerListe set.
void GLWidget::finirListe(int liste) const {
    if ((liste == 1 || liste == 3) && ombre) {
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    } else if (liste == 6 || liste == 7) {
        glDisable(GL_POLYGON_OFFSET_FILL);
    }
}

// Remembers where a drag starts.
void GLWidget::mousePressEvent(QMouseEvent* event) {
    lastPos = event->position().toPoint();
}

// Rotates by half a degree per pixel: left button about x and y, right
// button about x and z. The middle button pans: the scene follows the
// pointer in the plane of the screen.
void GLWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    const int dx = position.x() - lastPos.x();
    const int dy = position.y() - lastPos.y();
    if (event->buttons() & Qt::LeftButton) {
        setXRotation(rotation[0] + 8 * dy);
        setYRotation(rotation[1] + 8 * dx);
    } else if (event->buttons() & Qt::RightButton) {
        setXRotation(rotation[0] + 8 * dy);
        setZRotation(rotation[2] + 8 * dx);
    } else if (event->buttons() & Qt::MiddleButton) {
        const double cote = std::max(1, std::min(width(), height()));
        panX += dx * 2 * DEMI_LARGEUR_SCENE / cote;
        panY -= dy * 2 * DEMI_LARGEUR_SCENE / cote;
        update();
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

// Rotation about axis axe (0 x, 1 y, 2 z): store the folded angle, tell it
// and redraw when it changed; nothing happens when it did not.
void GLWidget::changerRotation(int axe, int angle) {
    static const SignalEntier signaux[3] = {
        &GLWidget::xRotationChanged, &GLWidget::yRotationChanged, &GLWidget::zRotationChanged};
    normalizeAngle(&angle);
    if (angle != rotation[axe]) {
        rotation[axe] = angle;
        emit(this->*signaux[axe])(angle);
        update();
    }
}

void GLWidget::setXRotation(int angle) {
    changerRotation(0, angle);
}

void GLWidget::setYRotation(int angle) {
    changerRotation(1, angle);
}

void GLWidget::setZRotation(int angle) {
    changerRotation(2, angle);
}

// Display switch of list liste (1..7): store the value (any non-zero value
// shows the list), tell it and redraw.
void GLWidget::changerAffichage(int liste, int t) {
    static const SignalEntier signaux[NOMBRE_LISTES] = {
        &GLWidget::afficheCarreauChanged,       &GLWidget::afficheBordChanged,
        &GLWidget::afficheCarreauNewChanged,    &GLWidget::afficheBordNewChanged,
        &GLWidget::affichePolyNewChanged,       &GLWidget::afficheCyclideChanged,
        &GLWidget::afficheCarreauCyclideChanged};
    affiche[liste - 1] = t;
    emit(this->*signaux[liste - 1])(t);
    update();
}

void GLWidget::setAfficheCarreau(int t) {
    changerAffichage(1, t);
}

void GLWidget::setAfficheBord(int t) {
    changerAffichage(2, t);
}

void GLWidget::setAfficheCarreauNew(int t) {
    changerAffichage(3, t);
}

void GLWidget::setAfficheBordNew(int t) {
    changerAffichage(4, t);
}

void GLWidget::setAffichePolyNew(int t) {
    changerAffichage(5, t);
}

void GLWidget::setAfficheCyclide(int t) {
    changerAffichage(6, t);
}

void GLWidget::setAfficheCarreauCyclide(int t) {
    changerAffichage(7, t);
}

// Rebuilds, tells the window (table, message, results) and redraws.
void GLWidget::reconstruireEtDire() {
    initProjet();
    emit miseAJour();
    update();
}

// Angle k (0 theta00 .. 3 theta22) in whole degrees, not clamped: stored in
// radians, told to the slider, then the rebuild.
void GLWidget::changerAngle(int k, int degres) {
    static const SignalEntier signaux[4] = {&GLWidget::theta00Changed, &GLWidget::theta02Changed,
                                            &GLWidget::theta20Changed, &GLWidget::theta22Changed};
    // A slider that echoes the value it already shows does not leave the
    // net; a new value does.
    if (degresEnRadians(degres) != parametres[k]) {
        reseauDonne = false;
    }
    parametres[k] = degresEnRadians(degres);
    emit(this->*signaux[k])(degres);
    reconstruireEtDire();
}

void GLWidget::setTheta00(int t) {
    changerAngle(0, t);
}

void GLWidget::setTheta02(int t) {
    changerAngle(1, t);
}

void GLWidget::setTheta20(int t) {
    changerAngle(2, t);
}

void GLWidget::setTheta22(int t) {
    changerAngle(3, t);
}

// Length k (4 rayon, 5 z11, 6 P10): stored, then the rebuild.
void GLWidget::changerLongueur(int k, double valeur) {
    if (valeur != parametres[k]) {
        reseauDonne = false;
    }
    parametres[k] = valeur;
    reconstruireEtDire();
}

void GLWidget::setRayon(double t) {
    changerLongueur(4, t);
}

void GLWidget::setZ11(double t) {
    changerLongueur(5, t);
}

void GLWidget::setP10(double t) {
    changerLongueur(6, t);
}

void GLWidget::setOmbrage(bool actif) {
    ombre = actif;
    update();
}

// Centres the box of the shown drawings and scales its sphere to nine
// tenths of the view's half width.
void GLWidget::recadrer() {
    bool montres[NOMBRE_LISTES];
    for (int k = 0; k < NOMBRE_LISTES; ++k) {
        montres[k] = affiche[k] != 0;
    }
    const Cadrage cadrage = cadrageScene(scene, montres);
    if (!(cadrage.rayon > 0) || !std::isfinite(cadrage.rayon)) {
        return;
    }
    centre = cadrage;
    panX = 0;
    panY = 0;
    Scal = PART_CADRAGE * DEMI_LARGEUR_SCENE / cadrage.rayon;
    update();
}

void GLWidget::annulerCadrage() {
    centre = Cadrage();
    panX = 0;
    panY = 0;
    update();
}

// Rotations of the preset views, in sixteenths of a degree.
void GLWidget::vuePredefinie(int numero) {
    static const int vues[3][3] = {{0, 0, 0}, {270 * 16, 0, 0}, {270 * 16, 0, 270 * 16}};
    const int* r = vues[std::clamp(numero, 0, 2)];
    setXRotation(r[0]);
    setYRotation(r[1]);
    setZRotation(r[2]);
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
