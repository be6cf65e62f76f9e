// The renderer: the context set-up, the projection, the paint, the lists
// compiled from the scene, and the axes indicator.
#include "rendu/RenduScene.h"

#include "noyau/Constantes.h"
#include "scene/DessinScene.h"

#include <QPointF>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace cyclide {

namespace {

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

// The rotation of the view (about x, then y, then z, as paintGL turns the
// scene) applied to a direction, seen on the screen.
class RotationVue {
  public:
    explicit RotationVue(const int rotation[3]) {
        for (int k = 0; k < 3; ++k) {
            const double a = rotation[k] / 16.0 * DEUX_PI / 360;
            c[k] = std::cos(a);
            s[k] = std::sin(a);
        }
    }
    // The screen position (x right, y up) of direction d turned.
    QPointF ecran(const double d[3]) const {
        // v = Rx Ry Rz d: z first, then y, then x.
        const double x1 = c[2] * d[0] - s[2] * d[1];
        const double y1 = s[2] * d[0] + c[2] * d[1];
        const double z1 = d[2];
        const double x2 = c[1] * x1 + s[1] * z1;
        const double z2 = -s[1] * x1 + c[1] * z1;
        const double y3 = c[0] * y1 - s[0] * z2;
        return QPointF(x2, y3);
    }

  private:
    double c[3] = {};
    double s[3] = {};
};

// The letter x, y or z (axe 0, 1, 2) in strokes, 2 h high, centred on p.
void dessinerLettre(int axe, const QPointF& p, double h) {
    static const double traits[3][3][4] = {{{-1, -1, 1, 1}, {-1, 1, 1, -1}, {0, 0, 0, 0}},
                                           {{-1, 1, 0, 0}, {1, 1, 0, 0}, {0, 0, 0, -1}},
                                           {{-1, 1, 1, 1}, {1, 1, -1, -1}, {-1, -1, 1, -1}}};
    glBegin(GL_LINES);
    for (const auto& t : traits[axe]) {
        glVertex2d(p.x() + h * t[0], p.y() + h * t[1]);
        glVertex2d(p.x() + h * t[2], p.y() + h * t[3]);
    }
    glEnd();
}

// The diffuse, ambient and specular colours (RGBA) of the lights 0 to 3.
const GLfloat COULEURS_LUMIERES[4][3][4] = {
    {{0.3f, 0.0f, 0.5f, 0.95f}, {0.25f, 0.05f, 0.049f, 0.5f}, {0.047f, 0.248f, 0.02f, 0.5f}},
    {{0.125f, 0.25f, 0.125f, 0.6f},
     {0.125f, 0.2f, 0.1307f, 0.3f},
     {0.000206f, 0.6f, 0.000205f, 0.5f}},
    {{0.25f, 0.0105f, 0.17f, 0.96f}, {0.013f, 0.09f, 0.47f, 0.3f}, {0.02f, 0.02f, 0.935f, 0.5f}},
    {{0.15f, 0.5f, 0.007f, 0.96f}, {0.013f, 0.09f, 0.007f, 0.3f}, {0.002f, 0.02f, 0.035f, 0.5f}}};

// Sets the diffuse, ambient and specular colours of light k (0..3), then,
// when given, its constant, linear and quadratic attenuations.
void reglerLumiere(int k, const GLfloat attenuation[3]) {
    const GLenum lumiere = GL_LIGHT0 + static_cast<GLenum>(k);
    glLightfv(lumiere, GL_DIFFUSE, COULEURS_LUMIERES[k][0]);
    glLightfv(lumiere, GL_AMBIENT, COULEURS_LUMIERES[k][1]);
    glLightfv(lumiere, GL_SPECULAR, COULEURS_LUMIERES[k][2]);
    if (attenuation == nullptr)
        return;
    glLightf(lumiere, GL_CONSTANT_ATTENUATION, attenuation[0]);
    glLightf(lumiere, GL_LINEAR_ATTENUATION, attenuation[1]);
    glLightf(lumiere, GL_QUADRATIC_ATTENUATION, attenuation[2]);
}

// The list that shows drawing liste: the shaded lists 8 and 9 stand for the
// patch and the converted patch while the shading is on.
int identifiantListe(int liste, bool ombre) {
    if (ombre && liste == 1) {
        return NOMBRE_LISTES + 1;
    }
    if (ombre && liste == 3) {
        return NOMBRE_LISTES + 2;
    }
    return liste;
}

// The GL calls of list id, from the scene; reduction above 1, the coarser
// preview.
void dessinerIdentifiant(const Scene& scene, int id, int reduction) {
    const int pas = 30 / reduction;
    if (id == NOMBRE_LISTES + 1) {
        dessinerCarreauOmbre(scene.Bez, pas, pas);
    } else if (id == NOMBRE_LISTES + 2) {
        dessinerCarreauOmbre(scene.Bez1, pas, pas);
    } else {
        dessinerListe(scene, id, reduction);
    }
}

// The state a list is drawn with, set outside the list: the patch and the
// converted patch get a material of their own (and, flat, one normal
// toward the viewer; shaded, both faces lit), so their colour never depends
// on what was drawn before; the whole cyclide and its piece are pushed
// back in depth, the cyclide further than the piece, so that a patch lying
// on them is drawn cleanly in front.
void preparerListe(int liste, bool ombre) {
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
void finirListe(int liste, bool ombre) {
    if ((liste == 1 || liste == 3) && ombre) {
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    } else if (liste == 6 || liste == 7) {
        glDisable(GL_POLYGON_OFFSET_FILL);
    }
}

// The world axes x (red), y (green) and z (blue) in the lower left corner
// of a largeur x hauteur viewport, turned as the scene is, each with its
// letter drawn in strokes; unlit, in front of everything, the GL state
// restored afterwards.
void dessinerAxes(const int rotation[3], int largeur, int hauteur) {
    const int cote = std::max(40, std::min(largeur, hauteur) / 6);
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_VIEWPORT_BIT | GL_LINE_BIT);
    glViewport(0, 0, cote, cote);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glLineWidth(2.0f);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-1.5, 1.5, -1.5, 1.5, -2.0, 2.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const RotationVue r(rotation);
    const float couleurs[3][3] = {{0.85f, 0.1f, 0.1f}, {0.1f, 0.6f, 0.1f}, {0.1f, 0.2f, 0.9f}};
    for (int axe = 0; axe < 3; ++axe) {
        double bout[3] = {0, 0, 0};
        bout[axe] = 1.0;
        const QPointF p = r.ecran(bout);
        glColor3fv(couleurs[axe]);
        glBegin(GL_LINES);
        glVertex2d(0.0, 0.0);
        glVertex2d(p.x(), p.y());
        glEnd();
        // Letters about 13 pixels high; an axis seen end on (z from above)
        // has its letter beside the origin, not on it.
        const double h = 6.5 * 3.0 / cote;
        const double longueur = std::hypot(p.x(), p.y());
        const QPointF decalage =
            longueur < 0.4 ? QPointF(-0.45, -0.45) * (1 - longueur / 0.4) : QPointF();
        dessinerLettre(axe, p * 1.3 + decalage, h);
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
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

// No light position is set: every light keeps the default one. The calls
// stay in their order (light 2 is set twice), read best whole beside the
// lighting they make.
void RenduScene::initialiser() {
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

    const GLfloat attenuation2[3] = {20.0f, 10.0f, 2.0f};
    const GLfloat attenuation1[3] = {2.0f, 10.0f, 20.0f};
    const GLfloat attenuation3[3] = {2.0f, 1.0f, 2.0f};
    reglerLumiere(2, attenuation2);

    glDisable(GL_LIGHT0);
    reglerLumiere(0, nullptr);

    glEnable(GL_LIGHT1);
    reglerLumiere(1, attenuation1);

    glEnable(GL_LIGHT2);
    glLightfv(GL_LIGHT2, GL_SPOT_DIRECTION, L2_dir);
    reglerLumiere(2, attenuation2);

    glDisable(GL_LIGHT3);
    reglerLumiere(3, attenuation3);
    glEnable(GL_LIGHT3);

    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.5f);
    glEnable(GL_NORMALIZE);

    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);

    std::fill(versionListe, versionListe + NOMBRE_IDENTIFIANTS, 0);
}

void RenduScene::redimensionner(int largeur, int hauteur, const Camera& camera) {
    vueLargeur = largeur;
    vueHauteur = hauteur;
    glViewport(0, 0, vueLargeur, vueHauteur);
    projeter(camera);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(0.0, 0.0, -40.0);
}

// The frustum [-1, 1] at near 5, far 60 on the shorter side, widened on
// the longer one so that the aspect ratio is kept (a square view gets
// exactly [-1, 1] x [-1, 1]); orthographic, the same box at the scene's
// distance (half width 8 at 40).
void RenduScene::projeter(const Camera& camera) {
    const double l = std::max(1, vueLargeur);
    const double h = std::max(1, vueHauteur);
    const double sx = l >= h ? l / h : 1.0;
    const double sy = l >= h ? 1.0 : h / l;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (camera.ortho) {
        glOrtho(-DEMI_LARGEUR_SCENE * sx, DEMI_LARGEUR_SCENE * sx, -DEMI_LARGEUR_SCENE * sy,
                DEMI_LARGEUR_SCENE * sy, 5.0, 60.0);
    } else {
        glFrustum(-sx, sx, -sy, sy, 5.0, 60.0);
    }
    glMatrixMode(GL_MODELVIEW);
}

// A hidden list waits until it is shown.
void RenduScene::peindre(const Scene& scene, const Camera& camera) {
    glViewport(0, 0, vueLargeur, vueHauteur);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glTranslated(camera.panX, camera.panY, 0.0);
    glRotated(camera.rotation[0] / 16.0, 1.0, 0.0, 0.0);
    glRotated(camera.rotation[1] / 16.0, 0.0, 1.0, 0.0);
    glRotated(camera.rotation[2] / 16.0, 0.0, 0.0, 1.0);
    glScaled(camera.zoom, camera.zoom, camera.zoom);
    glTranslated(-camera.centre.x, -camera.centre.y, -camera.centre.z);
    // A patch that is not converted has no converted drawings; the window
    // still shows the patch and its border.
    if (scene.type != 0 || camera.carreauRefuse) {
        for (int liste = 1; liste <= NOMBRE_LISTES; ++liste) {
            if (camera.affiche[liste - 1] && (scene.type != 0 || liste <= 2)) {
                const int id = identifiantListe(liste, camera.ombre);
                compilerSiPerimee(scene, id, camera.apercu);
                preparerListe(liste, camera.ombre);
                glCallList(static_cast<GLuint>(id));
                finirListe(liste, camera.ombre);
            }
        }
    }
    glPopMatrix();
    if (camera.axes) {
        dessinerAxes(camera.rotation, vueLargeur, vueHauteur);
    }
}

void RenduScene::compilerListesEnAttente(const Scene& scene, bool apercu) {
    for (int liste = 1; liste <= NOMBRE_LISTES; ++liste) {
        compilerSiPerimee(scene, liste, apercu);
    }
}

// Compiles list id from the scene unless it was already compiled from it,
// in the same resolution.
void RenduScene::compilerSiPerimee(const Scene& scene, int id, bool apercu) {
    if (versionListe[id - 1] == scene.version && listeApercu[id - 1] == apercu) {
        return;
    }
    glNewList(static_cast<GLuint>(id), GL_COMPILE);
    dessinerIdentifiant(scene, id, apercu ? REDUCTION_APERCU : 1);
    glEndList();
    versionListe[id - 1] = scene.version;
    listeApercu[id - 1] = apercu;
    if (id <= NOMBRE_LISTES) {
        ++compilations[id - 1];
    }
}

void RenduScene::reglerModePolygone(int mode) {
    const GLenum modes[3] = {GL_FILL, GL_LINE, GL_POINT};
    glPolygonMode(GL_FRONT_AND_BACK, modes[(mode % 3 + 3) % 3]);
}

void RenduScene::liberer() {
    glDeleteLists(1, NOMBRE_IDENTIFIANTS);
    std::fill(versionListe, versionListe + NOMBRE_IDENTIFIANTS, 0);
}

int RenduScene::nombreCompilations(int liste) const {
    return liste >= 1 && liste <= NOMBRE_LISTES ? compilations[liste - 1] : 0;
}

} // namespace cyclide
