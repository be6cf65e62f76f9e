// Benchmarks of the core: the construction of the patch from the seven
// parameters, the conversion without drawing (a copy of the patch converted
// with calculConversion, as the window's rebuild does) for both plane
// choices and for example 1, the scene built once per change
// (construireScene), and the drawings of the scene's lists (dessinerListe)
// into an OpenGL implementation that only counts (GLNul), so that they
// measure the core's evaluation and calls without a GL driver behind them.
#include "GLNul.h"
#include "ReseauxExacts.h"
#include "conversion/RBBPd.h"
#include "lot/LotParametres.h"
#include "scene/DessinScene.h"
#include "scene/Exemples.h"
#include "scene/Scene.h"
#include "sorties/ResultatJson.h"
#include "surfaces/Cyclide.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdio>
#include <random>
#include <sstream>
#include <vector>

using namespace cyclide;

namespace {

const double DEUX_PI = 6.283185307179586;

// The view's start-up parameters.
const double THETA00 = 0;
const double THETA02 = 1.5707963267948966;
const double THETA20 = -1.0471975511965976;
const double THETA22 = 3.141592653589793;
const double RAYON = 4.0;
const double Z11 = 8.0;
const double P10 = -7.982;

// The start-up patch; type receives the conversion type.
RBBPd carreauDemarrage(int& type) {
    RBBPd Bez;
    type = Bez.convertToCD4(THETA00, THETA02, THETA20, THETA22, RAYON, Z11, P10);
    return Bez;
}

// The window's start-up inputs with plane plan.
EntreeScene entreeDemarrage(PlanConversion plan) {
    EntreeScene e;
    e.theta00 = THETA00;
    e.theta02 = THETA02;
    e.theta20 = THETA20;
    e.theta22 = THETA22;
    e.rayon = RAYON;
    e.z11 = Z11;
    e.P10 = P10;
    e.plan = plan;
    return e;
}

// Stops a benchmark whose setting did not reach the general case it is
// meant to time (a degenerate construction or conversion returns early).
bool verifier(benchmark::State& state, bool ok, const char* quoi) {
    if (!ok)
        state.SkipWithError(quoi);
    return ok;
}

// Reports the vertices sent per iteration as a benchmark counter.
class CompteurSommets {
  public:
    CompteurSommets() : depart_(sommets()) {}
    void rapporter(benchmark::State& state) const {
        benchmark::DoNotOptimize(glnul::somme());
        state.counters["sommets"] = benchmark::Counter(static_cast<double>(sommets() - depart_),
                                                       benchmark::Counter::kAvgIterations);
    }

  private:
    static std::size_t sommets() { return glnul::sommets(); }
    std::size_t depart_;
};

// --- Computations without drawing -----------------------------------------

// convertToCD4 with the start-up parameters.
void BM_Construction(benchmark::State& state) {
    RBBPd Bez;
    if (!verifier(state, Bez.convertToCD4(THETA00, THETA02, THETA20, THETA22, RAYON, Z11, P10) == 1,
                  "the start-up patch is not a general cyclide patch"))
        return;
    for (auto _ : state) {
        int type = Bez.convertToCD4(THETA00, THETA02, THETA20, THETA22, RAYON, Z11, P10);
        benchmark::DoNotOptimize(type);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Construction);

// The copy of the start-up patch and its conversion without drawing, plane
// choix (state.range(0)).
void BM_ConversionSansDessin(benchmark::State& state) {
    const int choix = static_cast<int>(state.range(0));
    int type = 0;
    const RBBPd Bez = carreauDemarrage(type);
    MorceauCyclide morceau;
    RBBPd essai = Bez;
    if (!verifier(state, type == 1 && codeGenre(essai.calculConversion(type, choix, morceau)) != 0,
                  "the start-up patch is not converted"))
        return;
    for (auto _ : state) {
        RBBPd Bez1 = Bez;
        int code = codeGenre(Bez1.calculConversion(type, choix, morceau));
        benchmark::DoNotOptimize(code);
        benchmark::DoNotOptimize(Bez1);
    }
}
BENCHMARK(BM_ConversionSansDessin)->Arg(choixPlan(PlanConversion::Pz))->ArgName("choix");
BENCHMARK(BM_ConversionSansDessin)->Arg(choixPlan(PlanConversion::Py))->ArgName("choix");

// The same for example 1 (a torus patch, conversion type 2), plane "Plan Pz".
void BM_ConversionSansDessinExemple1(benchmark::State& state) {
    RBBPd Bez;
    const int type = chargerExemple(1, Bez);
    MorceauCyclide morceau;
    RBBPd essai = Bez;
    if (!verifier(state,
                  type == 2 && codeGenre(essai.calculConversion(type, choixPlan(PlanConversion::Pz),
                                                                morceau)) != 0,
                  "example 1 is not converted"))
        return;
    for (auto _ : state) {
        RBBPd Bez1 = Bez;
        int code = codeGenre(Bez1.calculConversion(type, choixPlan(PlanConversion::Pz), morceau));
        benchmark::DoNotOptimize(code);
        benchmark::DoNotOptimize(Bez1);
    }
}
BENCHMARK(BM_ConversionSansDessinExemple1);

// The rebuild's computations without drawing, as the view runs them: the
// scene of the start-up inputs (construction, copy, conversion, residual,
// change of frame), plane "Plan Pz".
void BM_ReconstructionSansDessin(benchmark::State& state) {
    const EntreeScene entree = entreeDemarrage(PlanConversion::Pz);
    for (auto _ : state) {
        Scene scene = construireScene(entree);
        benchmark::DoNotOptimize(scene);
    }
}
BENCHMARK(BM_ReconstructionSansDessin);

// --- The converter for scripts ---------------------------------------------

// One conversion as cyclide-conv --json and every batch line make it: the
// scene (construction, conversion, residual, change of frame), "Plan Pz".
void BM_ConstruireScene(benchmark::State& state) {
    const double valeurs[7] = {THETA00, THETA02, THETA20, THETA22, RAYON, Z11, P10};
    const EntreeScene e = entreeParametres(valeurs, PlanConversion::Pz);
    if (!verifier(state, codeGenre(construireScene(e).typeCyclide) != 0,
                  "the start-up patch is not converted"))
        return;
    for (auto _ : state) {
        Scene s = construireScene(e);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_ConstruireScene);

// Nets given directly, as a batch of nets converts them on one thread: 64
// exact nets of every kind (ring, spindle, horned, tori, spheres; spans 0.1
// to 1.5, moved and scaled), each through the scene of a net given
// directly (normalisation, readings, polishing, verdict, piece).
void BM_ConstruireSceneReseau(benchmark::State& state) {
    std::vector<RBBP> nets;
    std::mt19937 g(20261208);
    const exacts::Tirage tirage{0.1, 1.5, 100, 0.01, 100};
    for (int k = 0; nets.size() < 64; ++k) {
        exacts::Cas cas;
        if (exacts::tirer(static_cast<exacts::Famille>(k % 6), g, tirage, cas))
            nets.push_back(cas.net);
    }
    size_t i = 0;
    for (auto _ : state) {
        Scene s = construireSceneReseau(nets[i++ % nets.size()], PlanConversion::Pz);
        benchmark::DoNotOptimize(s);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConstruireSceneReseau)->Unit(benchmark::kMicrosecond);

// One batch line on one thread: reading the seven numbers, the scene and
// its JSON row (state.range(0) = 1), or its CSV row (0).
void BM_LigneLot(benchmark::State& state) {
    const std::string ligne =
        "0 1.5707963267948966 -1.0471975511965976 3.141592653589793 4 8 -7.982";
    OptionsLot options;
    options.csv = state.range(0) == 0;
    std::string sortie;
    for (auto _ : state) {
        sortie.clear();
        ajouterLigneLot(sortie, ligne, 1, options);
        benchmark::DoNotOptimize(sortie.data());
    }
    state.counters["octets"] = static_cast<double>(sortie.size());
}
BENCHMARK(BM_LigneLot)->Arg(1)->Arg(0)->ArgName("json");

// A batch of 1 000 nets given directly (36 numbers per line, the nets of
// the start-up patch with P10 from -9 to -7) on one thread, JSON rows:
// items per second are nets per second of wall time (the work is done on
// the batch's worker thread, not the timing one).
void BM_LotReseaux(benchmark::State& state) {
    std::string entree;
    for (int k = 0; k < 1000; ++k) {
        EntreeScene e = entreeDemarrage(PlanConversion::Pz);
        e.P10 = -9 + 2.0 * k / 1000;
        const Scene s = construireScene(e);
        char nombre[32];
        for (int i = 0; i < 9; ++i) {
            const Point& p = s.Bez.getP(i / 3, i % 3);
            for (double v : {p.getX0(), p.getY0(), p.getZ0(), s.Bez.getW(i / 3, i % 3)}) {
                std::snprintf(nombre, sizeof nombre, "%.17g ", v);
                entree += nombre;
            }
        }
        entree += "\n";
    }
    OptionsLot options;
    options.fils = 1;
    for (auto _ : state) {
        std::istringstream in(entree);
        std::ostringstream out;
        const BilanLot bilan = traiterLot(in, out, options);
        benchmark::DoNotOptimize(bilan.resultats);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_LotReseaux)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- Drawings into the recording GL (full recording off) -------------------

// List 1: the start-up patch, 30 x 30 quadrilaterals.
void BM_DessinCarreau(benchmark::State& state) {
    int type = 0;
    const RBBPd Bez = carreauDemarrage(type);
    CompteurSommets compteur;
    for (auto _ : state)
        Bez.openGL(30, 30);
    compteur.rapporter(state);
}
BENCHMARK(BM_DessinCarreau)->Unit(benchmark::kMicrosecond);

// List 2: its four boundary curves.
void BM_DessinBord(benchmark::State& state) {
    int type = 0;
    const RBBPd Bez = carreauDemarrage(type);
    CompteurSommets compteur;
    for (auto _ : state)
        Bez.openGLBord(30, 30);
    compteur.rapporter(state);
}
BENCHMARK(BM_DessinBord)->Unit(benchmark::kMicrosecond);

// List 7: the piece of cyclide drawn from the scene (no conversion).
void BM_DessinMorceauCyclide(benchmark::State& state) {
    const Scene scene = construireScene(entreeDemarrage(PlanConversion::Pz));
    CompteurSommets compteur;
    for (auto _ : state)
        dessinerListe(scene, 7);
    compteur.rapporter(state);
}
BENCHMARK(BM_DessinMorceauCyclide)->Unit(benchmark::kMillisecond);

// List 6: the whole cyclide of the converted start-up patch (80 x 80 grid).
void BM_DessinCyclideEntiere(benchmark::State& state) {
    const Scene scene = construireScene(entreeDemarrage(PlanConversion::Pz));
    CompteurSommets compteur;
    for (auto _ : state)
        dessinerListe(scene, 6);
    compteur.rapporter(state);
}
BENCHMARK(BM_DessinCyclideEntiere)->Unit(benchmark::kMillisecond);

// List 3: the converted patch in the cyclide's frame.
void BM_DessinChangementBase(benchmark::State& state) {
    const Scene scene = construireScene(entreeDemarrage(PlanConversion::Pz));
    CompteurSommets compteur;
    for (auto _ : state)
        dessinerListe(scene, 3);
    compteur.rapporter(state);
}
BENCHMARK(BM_DessinChangementBase)->Unit(benchmark::kMicrosecond);

// Lists 4 and 5: boundary and control polyhedron of the moved patch.
void BM_DessinBordPolyedreConverti(benchmark::State& state) {
    const Scene scene = construireScene(entreeDemarrage(PlanConversion::Pz));
    CompteurSommets compteur;
    for (auto _ : state) {
        dessinerListe(scene, 4);
        dessinerListe(scene, 5);
    }
    compteur.rapporter(state);
}
BENCHMARK(BM_DessinBordPolyedreConverti)->Unit(benchmark::kMicrosecond);

// One rebuild and the seven lists in the window's order 1, 2, 7, 6, 3, 4,
// 5, from the construction on: everything a change computes and sends,
// without a GL driver.
void BM_DessinSeptListes(benchmark::State& state) {
    const EntreeScene entree = entreeDemarrage(PlanConversion::Pz);
    const int ordre[NOMBRE_LISTES] = {1, 2, 7, 6, 3, 4, 5};
    CompteurSommets compteur;
    for (auto _ : state) {
        const Scene scene = construireScene(entree);
        for (int liste : ordre)
            dessinerListe(scene, liste);
        benchmark::DoNotOptimize(codeGenre(scene.typeCyclide));
    }
    compteur.rapporter(state);
}
BENCHMARK(BM_DessinSeptListes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
