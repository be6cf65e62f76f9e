// How the window composes the view: the same GL paint (the seven drawings of
// the start-up scene, lit, compiled into display lists) shown either by a
// QOpenGLWidget, which renders into a framebuffer object that the window's
// backing store then composes with the other widgets, or by a QOpenGLWindow
// put into the widget tree with QWidget::createWindowContainer, which
// renders straight into its own native window. Each window has a panel of
// labels beside the view, like the main window's results panel.
// BM_Image: a repaint with nothing changed, until the frame is swapped and
// finished. BM_Pas: a new scene (theta00 alternating between 0 and 1
// degree), the seven lists compiled again, the panel's texts rewritten,
// then the repaint, until swapped and finished. BM_PeintureSeule: the paint
// alone; BM_CompilationFil: the lists compiled on worker threads.
// Argument fenetre: 0 the QOpenGLWidget, 1 the QOpenGLWindow in a container.
#include "BancVue.h"
#include "fenetre/glwidget.h"
#include "scene/DessinScene.h"
#include "scene/Scene.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QOpenGLWindow>
#include <QThread>
#include <QVBoxLayout>

#include <GL/gl.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace cyclide;

namespace {

// The view's start-up parameters, in the order of a parameter file.
const double PARAMETRES[7] = {
    0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982};

// The start-up scene, theta00 shifted by k degrees.
Scene sceneDuPas(int k) {
    EntreeScene e;
    double* champs[7] = {&e.theta00, &e.theta02, &e.theta20, &e.theta22, &e.rayon, &e.z11, &e.P10};
    for (int i = 0; i < 7; ++i) {
        *champs[i] = PARAMETRES[i];
    }
    e.theta00 += k * 6.283185307179586 / 360;
    return construireScene(e);
}

// The GL work both views do: the context's state, the lists compiled from a
// scene, a square viewport and the paint of the seven lists.
struct Rendu {
    Scene scene = sceneDuPas(0);
    bool perime = true;
    int cote = 0;
    int x = 0;
    int y = 0;

    void initialiser() {
        const GLfloat diffus[4] = {0.125f, 0.25f, 0.125f, 0.6f};
        glEnable(GL_DEPTH_TEST);
        glShadeModel(GL_SMOOTH);
        glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT1);
        glLightfv(GL_LIGHT1, GL_DIFFUSE, diffus);
        glEnable(GL_NORMALIZE);
        glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
        perime = true;
    }
    // The centred square and the view's frustum; the scene is moved 40
    // units away by peindre.
    void redimensionner(int largeur, int hauteur) {
        cote = std::min(largeur, hauteur);
        x = (largeur - cote) / 2;
        y = (hauteur - cote) / 2;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-1.0, 1.0, -1.0, 1.0, 5.0, 60.0);
        glMatrixMode(GL_MODELVIEW);
    }
    void peindre() {
        if (perime) {
            for (int liste = 1; liste <= NOMBRE_LISTES; ++liste) {
                glNewList(static_cast<GLuint>(liste), GL_COMPILE);
                dessinerListe(scene, liste);
                glEndList();
            }
            perime = false;
        }
        glViewport(x, y, cote, cote);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glTranslated(0.0, 0.0, -40.0);
        glScaled(1.5, 1.5, 1.5);
        for (int liste = 1; liste <= NOMBRE_LISTES; ++liste) {
            glCallList(static_cast<GLuint>(liste));
        }
    }
};

// The view on either base: QOpenGLWidget or QOpenGLWindow.
template <typename Base> class Vue : public Base {
  public:
    Rendu rendu;

  protected:
    void initializeGL() override { rendu.initialiser(); }
    void resizeGL(int l, int h) override {
        const qreal echelle = this->devicePixelRatio();
        rendu.redimensionner(qRound(l * echelle), qRound(h * echelle));
    }
    void paintGL() override { rendu.peindre(); }
};
using VueWidget = Vue<QOpenGLWidget>;
using VueFenetre = Vue<QOpenGLWindow>;

// A window like the main one: the view on the left (two thirds), thirteen
// labels on the right.
struct Banc {
    QWidget fenetre;
    VueWidget* widget = nullptr;
    VueFenetre* vueFenetre = nullptr;
    QLabel* etiquettes[13] = {};
    bool image = false;

    explicit Banc(bool enFenetre) {
        auto* disposition = new QHBoxLayout(&fenetre);
        if (enFenetre) {
            vueFenetre = new VueFenetre;
            disposition->addWidget(QWidget::createWindowContainer(vueFenetre), 2);
            QObject::connect(vueFenetre, &QOpenGLWindow::frameSwapped, [this] { image = true; });
        } else {
            widget = new VueWidget;
            disposition->addWidget(widget, 2);
            QObject::connect(widget, &QOpenGLWidget::frameSwapped, [this] { image = true; });
        }
        auto* panneau = new QVBoxLayout;
        for (auto*& e : etiquettes) {
            e = new QLabel(QStringLiteral("0.000000"));
            panneau->addWidget(e);
        }
        disposition->addLayout(panneau, 1);
        fenetre.resize(1180, 900);
        fenetre.show();
    }
    Rendu& rendu() { return widget != nullptr ? widget->rendu : vueFenetre->rendu; }
    void demander() {
        if (widget != nullptr) {
            widget->update();
        } else {
            vueFenetre->update();
        }
    }
    // Asks for a frame and waits for it; false, with the benchmark marked
    // as failed, when none comes.
    bool imageObtenue(benchmark::State& state) {
        demander();
        if (attendre([this] { return image; }))
            return true;
        state.SkipWithError("no frame");
        return false;
    }
    void terminer() {
        if (widget != nullptr) {
            widget->makeCurrent();
        } else {
            vueFenetre->makeCurrent();
        }
        glFinish();
    }
};

void mesurer(benchmark::State& state, bool pas) {
    Banc banc(state.range(0) == 1);
    if (!banc.imageObtenue(state))
        return;
    int k = 0;
    for (auto _ : state) {
        banc.image = false;
        if (pas) {
            ++k;
            banc.rendu().scene = sceneDuPas(k % 2);
            banc.rendu().perime = true;
            for (QLabel* e : banc.etiquettes) {
                e->setText(QString::number(banc.rendu().scene.converti.a + k % 2, 'f', 6));
            }
        }
        if (!banc.imageObtenue(state))
            break;
        banc.terminer();
    }
}

void BM_Image(benchmark::State& state) {
    mesurer(state, false);
}
BENCHMARK(BM_Image)->ArgName("fenetre")->Arg(0)->Arg(1)->Apply(reglagesVue);

void BM_Pas(benchmark::State& state) {
    mesurer(state, true);
}
BENCHMARK(BM_Pas)->ArgName("fenetre")->Arg(0)->Arg(1)->Apply(reglagesVue);

// The paint of the seven lists alone, in the container's window (nothing
// swapped or composed), finished: what a step of that window is compared
// with.
void BM_PeintureSeule(benchmark::State& state) {
    Banc banc(true);
    if (!banc.imageObtenue(state))
        return;
    for (auto _ : state) {
        banc.vueFenetre->makeCurrent();
        banc.rendu().peindre();
        glFinish();
    }
    state.counters["cote"] = banc.rendu().cote;
}
BENCHMARK(BM_PeintureSeule)->Apply(reglagesVue);

// Compiles lists first..last of the scene into the current context.
void compiler(const Scene& scene, int premiere, int derniere) {
    for (int liste = premiere; liste <= derniere; ++liste) {
        glNewList(static_cast<GLuint>(liste), GL_COMPILE);
        dessinerListe(scene, liste);
        glEndList();
    }
    glFinish();
}

// A thread with a context shared with the view's, which compiles lists of
// a scene into it when asked.
class Compilateur : public QThread {
  public:
    Compilateur(QOpenGLContext* partage, int premiere, int derniere)
        : premiere(premiere), derniere(derniere) {
        contexte.setFormat(formatVue());
        contexte.setShareContext(partage);
        contexte.create();
        surface.setFormat(formatVue());
        surface.create();
    }
    const Scene* scene = nullptr;
    QOpenGLContext contexte;
    QOffscreenSurface surface;

  protected:
    void run() override {
        contexte.makeCurrent(&surface);
        compiler(*scene, premiere, derniere);
        contexte.doneCurrent();
    }

  private:
    int premiere;
    int derniere;
};

// The seven lists of a new scene compiled: fils 0 in the view's context on
// the interface thread; 1 in one worker thread with a shared context (the
// interface thread waits for it, as a paint of the new scene must); 2 in
// two workers, lists 1 to 6 in one and the piece (list 7) in the other.
// The time to a usable set of lists, process CPU included the renderer's.
void BM_CompilationFil(benchmark::State& state) {
    Banc banc(true);
    if (!banc.imageObtenue(state))
        return;
    banc.vueFenetre->makeCurrent();
    QOpenGLContext* vue = banc.vueFenetre->context();
    const int fils = static_cast<int>(state.range(0));
    std::vector<std::unique_ptr<Compilateur>> ouvriers;
    if (fils == 1) {
        ouvriers.push_back(std::make_unique<Compilateur>(vue, 1, 7));
    } else if (fils == 2) {
        ouvriers.push_back(std::make_unique<Compilateur>(vue, 1, 6));
        ouvriers.push_back(std::make_unique<Compilateur>(vue, 7, 7));
    }
    for (auto& o : ouvriers) {
        o->contexte.moveToThread(o.get());
    }
    Scene scenes[2] = {sceneDuPas(0), sceneDuPas(1)};
    int k = 0;
    for (auto _ : state) {
        const Scene& scene = scenes[++k % 2];
        if (ouvriers.empty()) {
            compiler(scene, 1, 7);
            continue;
        }
        for (auto& o : ouvriers) {
            o->scene = &scene;
            o->start();
        }
        for (auto& o : ouvriers) {
            o->wait();
        }
    }
}
BENCHMARK(BM_CompilationFil)->ArgName("fils")->Arg(0)->Arg(1)->Arg(2)->Apply(reglagesVue);

} // namespace

int main(int argc, char** argv) {
    installerFormatVue();
    QApplication application(argc, argv);
    return lancerBancs(argc, argv);
}
