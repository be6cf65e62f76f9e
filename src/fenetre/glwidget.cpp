// The view's state and slots: parameters, examples, nets given directly,
// switches, rotation, zoom, pan and fitting.
#include "fenetre/glwidget.h"

#include "noyau/Constantes.h"
#include "scene/DessinScene.h"
#include "scene/Exemples.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

using namespace cyclide;

namespace {

// The start-up parameters: theta00, theta02, theta20, theta22 (the doubles
// nearest 0, pi/2, -pi/3, pi), rayon, z11, P10.
const double PARAMETRES_DEMARRAGE[7] = {
    0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4.0, 8.0, -7.982};

// Degrees to radians, in the order (degrees * 2pi) / 360.
double degresEnRadians(int degres) {
    return degres * DEUX_PI / 360;
}

} // namespace

// Builds the view in its start-up state. No context exists yet: the first
// rebuild, which the window runs at once, computes the scene, and the
// display lists are compiled at the first paint.
GLWidget::GLWidget(QWidget* parent) : QOpenGLWidget(parent), lastPos(0, 0) {
    typeCyclide = cyclide::GenreCyclide::Aucune;
    choix = cyclide::PlanConversion::Pz;
    valeursInitiales();
}

// Deletes the display lists with the view's context current.
GLWidget::~GLWidget() {
    if (isValid()) {
        makeCurrent();
        rendu.liberer();
        doneCurrent();
    }
}

// The start-up values of the rotation, zoom, switches, parameters and
// example flag.
void GLWidget::valeursInitiales() {
    std::fill(rotation, rotation + 3, 0);
    Scal = ZOOM_DEMARRAGE;
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

void GLWidget::appliquerEntree(const EntreeScene& e) {
    const double valeurs[7] = {e.theta00, e.theta02, e.theta20, e.theta22, e.rayon, e.z11, e.P10};
    setParametres(valeurs);
    choix = e.plan;
    exemple = e.exemple != 0 ? 1 : 0;
    numeroExemple = e.exemple;
    reseauDonne = e.reseauDonne;
    if (reseauDonne) {
        reseau = e.reseau;
        toleranceReseau = e.tolerance;
    }
    reconstruireEtDire();
}

void GLWidget::setAngleRadians(int k, double radians) {
    if (radians != parametres[k]) {
        reseauDonne = false;
        exemple = 0;
    }
    parametres[k] = radians;
    reconstruireEtDire();
}

void GLWidget::setOrthographique(bool actif) {
    ortho = actif;
    if (isValid()) {
        makeCurrent();
        rendu.projeter(camera());
    }
    update();
}

void GLWidget::setCarreauRefuse(bool actif) {
    carreauRefuse = actif;
    update();
}

void GLWidget::setAxes(bool actif) {
    axes = actif;
    update();
}

void GLWidget::setApercu(bool actif) {
    enApercu = actif;
    update();
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
    e.plan = choix;
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
    rendu.compilerListesEnAttente(scene, enApercu);
}

// The number of compilations of list liste in the view's context.
int GLWidget::nombreCompilations(int liste) const {
    return rendu.nombreCompilations(liste);
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

// Zooms by 10 % per wheel step about the pointer: in for a positive
// delta, out otherwise, without bounds.
void GLWidget::wheelEvent(QWheelEvent* event) {
    const QPoint pas = event->angleDelta();
    const int delta = pas.y() != 0 ? pas.y() : pas.x();
    zoomer(delta > 0, event->position());
}

// Zooms by 10 % (in when plus, else out) about the point of the view
// under pointeur (widget coordinates): the pan moves so that the scene's
// point there, at the scene's distance, stays under it.
void GLWidget::zoomer(bool plus, const QPointF& pointeur) {
    const double avant = Scal;
    Scal = plus ? Scal * 0.1 + Scal : Scal - Scal * 0.1;
    const double facteur = Scal / avant;
    const double l = std::max(1, width());
    const double h = std::max(1, height());
    const double demi = DEMI_LARGEUR_SCENE / std::min(l, h) * 2; // eye units per pixel
    const double x = (pointeur.x() - l / 2) * demi;
    const double y = (h / 2 - pointeur.y()) * demi;
    panX = x - facteur * (x - panX);
    panY = y - facteur * (y - panY);
    update();
}

// Arrow keys turn the view by 5 degrees (left and right about y, up and
// down about x); + and - zoom by 10 % about the view's centre.
void GLWidget::keyPressEvent(QKeyEvent* event) {
    const QPointF centreVue(width() / 2.0, height() / 2.0);
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        setYRotation(rotation[1] + (event->key() == Qt::Key_Left ? -80 : 80));
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        setXRotation(rotation[0] + (event->key() == Qt::Key_Up ? -80 : 80));
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomer(true, centreVue);
        break;
    case Qt::Key_Minus:
        zoomer(false, centreVue);
        break;
    default:
        QOpenGLWidget::keyPressEvent(event);
    }
}

// Folds an angle in sixteenths of a degree into [0, 5760] (5760 stays).
void GLWidget::normalizeAngle(int* angle) {
    *angle = angleNormalise(*angle);
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

// The camera's fitting (cadrer), kept in the view's state; a patch that
// is not converted is fitted by its own drawings.
void GLWidget::recadrer() {
    Camera cadree = camera();
    if (scene.type == 0) {
        std::fill(cadree.affiche + 2, cadree.affiche + NOMBRE_LISTES, false);
    }
    if (!cadrer(scene, cadree)) {
        return;
    }
    centre = cadree.centre;
    panX = cadree.panX;
    panY = cadree.panY;
    Scal = cadree.zoom;
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
