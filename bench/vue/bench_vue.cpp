// Benchmarks of the view in a real OpenGL context (under Xvfb, Mesa's
// software renderer): one full rebuild of the seven display lists, one paint
// of all seven lists at 800 x 800, and one slider step of the window as it
// runs it (the view's and the window's slots with their two rebuilds, then
// the repaint that follows, up to the swap of the window and glFinish). The
// time is wall-clock time and the CPU column the whole process's CPU time:
// the software renderer rasterises (and the window composes) on threads of
// its own, which the benchmark thread's CPU time would leave out. The X
// server's own work is in neither.
#include "BancVue.h"
#include "fenetre/FenPrincipale.h"
#include "fenetre/glwidget.h"

#include <QApplication>
#include <QEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSlider>

#include <GL/gl.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

using namespace cyclide;

namespace {

const int COTE = 800;

// The view's start-up parameters; rayon alternates between two convertible
// values so that every rebuild has something new to build.
const double PARAMETRES[7] = {
    0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982};
const double RAYONS[2] = {4.0, 4.5};

// The view with its paint reachable from the benchmarks.
class VueBanc : public GLWidget {
  public:
    void peindre() { paintGL(); }
};

// Counts, over the whole application, the frames the view swaps, the paint
// events of every widget and the layout requests (a relayout of a panel or
// of the window), so that a step can be told apart from a plain frame.
class Compteur : public QObject {
  public:
    int peintures = 0;
    int relayouts = 0;

    Compteur() { QCoreApplication::instance()->installEventFilter(this); }
    ~Compteur() override { QCoreApplication::instance()->removeEventFilter(this); }
    Compteur(const Compteur&) = delete;
    Compteur& operator=(const Compteur&) = delete;

    void remettre() {
        peintures = 0;
        relayouts = 0;
    }

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (evenement->type() == QEvent::Paint) {
            ++peintures;
        } else if (evenement->type() == QEvent::LayoutRequest) {
            ++relayouts;
        }
        return QObject::eventFilter(objet, evenement);
    }
};

// Shows the view at COTE x COTE with its context initialised and a first
// frame drawn; false when no context could be made.
bool montrer(GLWidget& vue) {
    vue.resize(COTE, COTE);
    vue.show();
    bool image = false;
    const QMetaObject::Connection lien =
        QObject::connect(&vue, &QOpenGLWidget::frameSwapped, [&image] { image = true; });
    vue.update();
    const bool ok = attendre([&] { return vue.isValid() && image; });
    QObject::disconnect(lien);
    return ok;
}

// Makes the view's context current and finishes everything it was sent.
void terminer(GLWidget& vue) {
    vue.makeCurrent();
    glFinish();
}

// One full rebuild: new parameters, the conversion and the seven lists
// compiled in the view's context (which the view otherwise leaves to its
// next paint), finished.
void BM_Reconstruction(benchmark::State& state) {
    VueBanc vue;
    if (!montrer(vue)) {
        state.SkipWithError("no GL context");
        return;
    }
    double valeurs[7];
    std::copy(PARAMETRES, PARAMETRES + 7, valeurs);
    int k = 0;
    for (auto _ : state) {
        valeurs[4] = RAYONS[++k % 2];
        vue.setParametres(valeurs);
        vue.initProjet();
        vue.compilerListesEnAttente();
        terminer(vue);
    }
    if (vue.getType() == 0 || codeGenre(vue.typeCyclide) == 0) {
        state.SkipWithError("the patch was not converted");
    }
}
BENCHMARK(BM_Reconstruction)->Apply(reglagesVue);

// The paint of lists first..last (all seven by default) at 800 x 800 with
// the scene already built, finished.
void BM_Peinture(benchmark::State& state) {
    VueBanc vue;
    if (!montrer(vue)) {
        state.SkipWithError("no GL context");
        return;
    }
    const int premiere = state.range(0);
    const int derniere = state.range(1);
    for (int liste = 1; liste <= 7; ++liste) {
        vue.setAfficheListe(liste, liste >= premiere && liste <= derniere ? 1 : 0);
    }
    vue.makeCurrent();
    vue.peindre();
    glFinish();
    for (auto _ : state) {
        vue.makeCurrent();
        vue.peindre();
        glFinish();
    }
    state.counters["cote"] = vue.zoneAffichage().width();
}
BENCHMARK(BM_Peinture)
    ->ArgNames({"de", "a"})
    ->Args({1, 7})
    ->Args({1, 1})
    ->Args({2, 2})
    ->Args({3, 3})
    ->Args({4, 4})
    ->Args({5, 5})
    ->Args({6, 6})
    ->Args({7, 7})
    ->Apply(reglagesVue);

// Frames swapped, paint events and layout requests per iteration.
void compter(benchmark::State& state, int images, const Compteur& compteur) {
    const auto parIteration = benchmark::Counter::kAvgIterations;
    state.counters["images"] = benchmark::Counter(images, parIteration);
    state.counters["peintures"] = benchmark::Counter(compteur.peintures, parIteration);
    state.counters["relayouts"] = benchmark::Counter(compteur.relayouts, parIteration);
}

// One step of the theta00 slider in the main window: the view's slot
// (rebuild, table, update) and the window's (field, rebuild, update), then
// the event loop until the window has swapped the new frame, finished.
// Argument 0: the start-up switches (list 1 only); 1: all seven lists shown.
void BM_PasCurseur(benchmark::State& state) {
    bool image = false; // set by the window's frames: declared before it
    FenPrincipale fenetre;
    fenetre.resize(1180, 900);
    fenetre.show();
    GLWidget* vue = fenetre.findChild<GLWidget*>(QStringLiteral("glWidget"));
    QSlider* curseur = fenetre.findChild<QSlider*>(QStringLiteral("theta00Slider"));
    if (vue == nullptr || curseur == nullptr) {
        state.SkipWithError("window without its view or slider");
        return;
    }
    QObject::connect(vue, &QOpenGLWidget::frameSwapped, [&image] { image = true; });
    if (!attendre([&] { return vue->isValid() && image; })) {
        state.SkipWithError("no GL context");
        return;
    }
    if (state.range(0) == 1) {
        for (int liste = 1; liste <= 7; ++liste) {
            vue->setAfficheListe(liste, 1);
        }
    }
    image = false;
    attendre([&] { return image; });
    int images = 0;
    QObject::connect(vue, &QOpenGLWidget::frameSwapped, [&images] { ++images; });
    Compteur compteur;
    int k = 0;
    for (auto _ : state) {
        image = false;
        curseur->setValue(++k % 2);
        if (!attendre([&] { return image; })) {
            state.SkipWithError("no frame after the step");
            break;
        }
        terminer(*vue);
    }
    state.counters["vue_l"] = vue->width();
    state.counters["vue_h"] = vue->height();
    compter(state, images, compteur);
}
BENCHMARK(BM_PasCurseur)->ArgName("tout")->Arg(0)->Arg(1)->Apply(reglagesVue);

// One step of the theta00 slider held by the mouse (a drag): the view
// compiles its preview lists, then the event loop runs until the window has
// swapped the new frame, finished. Argument as for BM_PasCurseur.
void BM_PasCurseurTenu(benchmark::State& state) {
    bool image = false; // set by the window's frames: declared before it
    FenPrincipale fenetre;
    fenetre.resize(1180, 900);
    fenetre.show();
    GLWidget* vue = fenetre.findChild<GLWidget*>(QStringLiteral("glWidget"));
    QSlider* curseur = fenetre.findChild<QSlider*>(QStringLiteral("theta00Slider"));
    if (vue == nullptr || curseur == nullptr) {
        state.SkipWithError("window without its view or slider");
        return;
    }
    QObject::connect(vue, &QOpenGLWidget::frameSwapped, [&image] { image = true; });
    if (!attendre([&] { return vue->isValid() && image; })) {
        state.SkipWithError("no GL context");
        return;
    }
    for (int liste = 1; liste <= 7; ++liste) {
        vue->setAfficheListe(liste, state.range(0) == 1 || liste == 1 ? 1 : 0);
    }
    curseur->setSliderDown(true);
    emit curseur->sliderPressed();
    image = false;
    attendre([&] { return image; });
    int k = 0;
    for (auto _ : state) {
        image = false;
        curseur->setValue(++k % 2);
        if (!attendre([&] { return image; })) {
            state.SkipWithError("no frame after the step");
            break;
        }
        terminer(*vue);
    }
    curseur->setSliderDown(false);
    emit curseur->sliderReleased();
}
BENCHMARK(BM_PasCurseurTenu)->ArgName("tout")->Arg(0)->Arg(1)->Apply(reglagesVue);

// The window's frame alone: the view asks for a repaint with nothing
// changed (no rebuild, no list compiled), then the event loop runs until
// the window has swapped the frame, finished. The floor under a slider step.
// Argument as for BM_PasCurseur: 0 the start-up switches, 1 all seven lists.
void BM_ImageFenetre(benchmark::State& state) {
    bool image = false; // set by the window's frames: declared before it
    FenPrincipale fenetre;
    fenetre.resize(1180, 900);
    fenetre.show();
    GLWidget* vue = fenetre.findChild<GLWidget*>(QStringLiteral("glWidget"));
    if (vue == nullptr) {
        state.SkipWithError("window without its view");
        return;
    }
    QObject::connect(vue, &QOpenGLWidget::frameSwapped, [&image] { image = true; });
    if (!attendre([&] { return vue->isValid() && image; })) {
        state.SkipWithError("no GL context");
        return;
    }
    if (state.range(0) == 1) {
        for (int liste = 1; liste <= 7; ++liste) {
            vue->setAfficheListe(liste, 1);
        }
    }
    image = false;
    attendre([&] { return image; });
    int images = 0;
    QObject::connect(vue, &QOpenGLWidget::frameSwapped, [&images] { ++images; });
    Compteur compteur;
    for (auto _ : state) {
        image = false;
        vue->update();
        if (!attendre([&] { return image; })) {
            state.SkipWithError("no frame");
            break;
        }
        terminer(*vue);
    }
    compter(state, images, compteur);
}
BENCHMARK(BM_ImageFenetre)->ArgName("tout")->Arg(0)->Arg(1)->Apply(reglagesVue);

// The renderer's name, for the report.
std::string rendu() {
    QOffscreenSurface surface;
    surface.setFormat(formatVue());
    surface.create();
    QOpenGLContext contexte;
    contexte.setFormat(formatVue());
    if (!contexte.create() || !contexte.makeCurrent(&surface)) {
        return "none";
    }
    const GLubyte* nom = glGetString(GL_RENDERER);
    std::string texte = nom != nullptr ? reinterpret_cast<const char*>(nom) : "unknown";
    contexte.doneCurrent();
    return texte;
}

} // namespace

int main(int argc, char** argv) {
    installerFormatVue();
    QApplication application(argc, argv);
    benchmark::AddCustomContext("gl_renderer", rendu());
    return lancerBancs(argc, argv);
}
