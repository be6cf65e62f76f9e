// The large sweep of the conversion of nets given directly: exact nets of
// every kind (tests/support/ReseauxExacts.h), in the families of
// docs/conversion.md, each converted as `cyclide-conv --carreau` does and
// judged: right kind (or, where the stated uncertainty spans several kinds,
// the drawn one among the kinds the result admits: counted apart as
// "other"), |a|, |c|, |mu| within 1e-8 of the cyclide's size (or within
// 10 x the stated uncertainty where that is looser), the piece's corners at
// the patch's. Perturbed nets beyond the tolerance must be
// refused. Prints one line per family; exit status 1 when a family misses.
//
//   balayage_reseaux [cases per family] [seed] [family number, from 1]
#include "ReseauxExacts.h"
#include "conversion/ConversionReseau.h"
#include "conversion/LectureTore.h"
#include "scene/Scene.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace cyclide;

namespace {

using exacts::Famille;

struct Famillle {
    const char* nom;
    std::vector<Famille> genres;
    exacts::Tirage tirage;
    double perturbation = 0; // relative displacement of P11 (0: none)
    double poidsMilieu = 0;  // relative change of w11 (0: none)
    bool refusAttendu = false;
};

struct Compte {
    int juste = 0, refuse = 0, genre = 0, laches = 0, coins = 0, total = 0;
    int autreAdmis = 0; // another kind reported first, the drawn one admitted (and right)
    double pire = 0;    // worst error of a, c, mu over the size, among the right kinds
};

// The error of the parameters found against the drawn ones, relative to the
// cyclide's size; the conversion may give them with other signs.
double ecartParametres(const Scene& s, const exacts::Cas& cas) {
    const RBBPd& r = s.converti;
    const double e = std::max({std::fabs(std::fabs(r.a) - cas.a), std::fabs(std::fabs(r.c) - cas.c),
                               std::fabs(std::fabs(r.mu) - cas.mu)});
    return e / cas.taille;
}

void montrer(const char* quoi, const exacts::Cas& cas, const Scene& s) {
    static const bool bavard = std::getenv("BALAYAGE_BAVARD") != nullptr;
    if (!bavard)
        return;
    std::printf("  %s: attendu %d (a %.6g c %.6g mu %.6g), obtenu %d (a %.6g c %.6g mu %.6g) R "
                "%.3g incertitude %.3g %s\n",
                quoi, codeGenre(cas.code), cas.a, cas.c, cas.mu, codeGenre(s.typeCyclide),
                s.converti.a, s.converti.c, s.converti.mu, s.residu, s.incertitude,
                s.raison.c_str());
}

void juger(const Famillle& f, const exacts::Cas& cas, const Scene& s, Compte& n) {
    ++n.total;
    if (f.refusAttendu) {
        (codeGenre(s.typeCyclide) == 0 ? n.juste : n.genre)++;
        return;
    }
    if (codeGenre(s.typeCyclide) == 0) {
        montrer("refus", cas, s);
        ++n.refuse;
        return;
    }
    if (s.typeCyclide != cas.code) {
        // Another kind first: right only when the net's numbers, as the
        // result states, admit the drawn kind too.
        const bool admis = admet(s.genresAdmis, cas.code);
        montrer(admis ? "autre genre admis" : "genre", cas, s);
        if (!admis) {
            ++n.genre;
            return;
        }
        ++n.autreAdmis;
    }
    if (f.perturbation != 0 || f.poidsMilieu != 0) { // a perturbed net: the kind is what is judged
        ++n.juste;
        return;
    }
    const double e = ecartParametres(s, cas);
    if (s.typeCyclide == cas.code)
        n.pire = std::max(n.pire, e);
    const double admis = std::max(1e-8, 10 * s.incertitude);
    if (!(e <= admis)) {
        montrer("laches", cas, s);
        ++n.laches;
        return;
    }
    if (!morceauFidele(s.converti, s.morceau,
                       std::max(1e-9, ECART_ARRONDI * arrondiRelatif(cas.net)))) {
        montrer("coins", cas, s);
        ++n.coins;
        return;
    }
    ++n.juste;
}

void perturber(const Famillle& f, std::mt19937& g, exacts::Cas& cas) {
    if (f.poidsMilieu != 0)
        cas.net.setW(1, 1, cas.net.getW(1, 1) * (1 + f.poidsMilieu));
    if (f.perturbation != 0) {
        const double L = std::max(cas.net.P[0][0].distance(cas.net.P[2][2]),
                                  cas.net.P[0][2].distance(cas.net.P[2][0]));
        Point p = cas.net.getP(1, 1);
        const double d = f.perturbation * L * (exacts::uniforme(g, 0, 1) < 0.5L ? -1 : 1);
        p.setZ0(p.getZ0() + d);
        cas.net.setP(1, 1, p);
    }
}

std::vector<Famillle> familles() {
    const std::vector<Famille> generaux = {Famille::Ring, Famille::Spindle, Famille::Horned};
    const std::vector<Famille> tores = {Famille::Croise, Famille::Collier};
    std::vector<Famillle> f;
    f.push_back({"ring/spindle/horned at the origin, spans 1e-3..2pi", generaux, {1e-3, 6.2}});
    f.push_back({"the same moved to 1e4, scaled 1e-3..1e3", generaux, {1e-3, 6.2, 1e4, 1e-3, 1e3}});
    f.push_back({"patch 1/100 of its cyclide", generaux, {0.005, 0.02}});
    f.push_back({"patch 1/1000 of its cyclide", generaux, {5e-4, 2e-3}});
    f.push_back({"patch 1/10000 of its cyclide", generaux, {5e-5, 2e-4}});
    f.push_back({"patch 1/100, moved 1e4 away", generaux, {0.005, 0.02, 1e4}});
    f.push_back(
        {"rational reparametrisations, signs changed", generaux, {0.05, 3, 10, 0.1, 10, true}});
    f.push_back({"tori, spans 1e-3..2pi, moved and scaled", tores, {1e-3, 6.2, 1e3, 1e-2, 1e2}});
    f.push_back({"horn tori", {Famille::Corne}, {0.05, 2.5}});
    f.push_back({"sphere pieces", {Famille::Sphere}, {0.05, 2.5, 10, 0.1, 10, true}});
    f.push_back({"small sphere pieces", {Famille::Sphere}, {1e-3, 1e-2, 1, 1e-3, 1e-3}});
    // At the kinds' borders: thin strips of spindle tori, tiny c, weights
    // of any scale, and a boundary collapsed to a point.
    f.push_back({"spindle torus strips, a/mu 1e-7..1e-3",
                 {Famille::FuseauMince},
                 {0.2, 0.6, 10, 1, 10, false, 1e-4, 1e-2}});
    f.push_back({"ring, c/a 1e-7..1e-3", {Famille::PetitC}, {0.05, 2, 10, 0.1, 10}});
    f.push_back({"horned, c/a 1e-7..1e-3", {Famille::PetitCCorne}, {0.05, 2, 10, 0.1, 10}});
    f.push_back({"weights times 1e155", generaux, {0.05, 3, 0, 1, 1, true, 0, 0, 1e155}});
    f.push_back({"weights times 1e-160", generaux, {0.05, 3, 0, 1, 1, true, 0, 0, 1e-160}});
    f.push_back({"a boundary collapsed to a pole or axis point",
                 {Famille::Sphere, Famille::Croise, Famille::Spindle},
                 {0.2, 1.2, 10, 0.1, 10, false, 0, 0, 1, true}});
    Famillle poids{"spindle, middle weight off by 1e-8", {Famille::Spindle}, {0.1, 1.5}};
    poids.poidsMilieu = 1e-8;
    f.push_back(poids);
    Famillle dessous{"P11 moved by 1e-8 of the patch (below 1e-6)", generaux, {0.1, 1.5}};
    dessous.perturbation = 1e-8;
    f.push_back(dessous);
    Famillle dessus{"P11 moved by 1e-3 of the patch: refused", generaux, {0.1, 1.5}};
    dessus.perturbation = 1e-3;
    dessus.refusAttendu = true;
    f.push_back(dessus);
    return f;
}

} // namespace

int main(int argc, char** argv) {
    const int parFamille = argc > 1 ? std::atoi(argv[1]) : 300;
    std::mt19937 g(argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 20261208u);
    const size_t seule = argc > 3 ? static_cast<size_t>(std::atoi(argv[3])) : 0;
    bool manque = false;
    std::printf("%-52s %6s %6s %6s %6s %6s %6s %6s %9s %7s\n", "family", "right", "other", "refus",
                "kind", "loose", "corner", "total", "worst", "us/net");
    const std::vector<Famillle> toutes = familles();
    for (size_t k = 0; k < toutes.size(); ++k) {
        const Famillle& f = toutes[k];
        if (seule != 0 && k + 1 != seule)
            continue;
        Compte n;
        double secondes = 0;
        while (n.total < parFamille) {
            exacts::Cas cas;
            const Famille genre = f.genres[static_cast<size_t>(n.total) % f.genres.size()];
            if (!exacts::tirer(genre, g, f.tirage, cas))
                continue;
            perturber(f, g, cas);
            const auto t0 = std::chrono::steady_clock::now();
            const Scene s = construireSceneReseau(cas.net, PlanConversion::Pz, TOLERANCE_CARREAU);
            secondes +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            juger(f, cas, s, n);
        }
        manque = manque || n.juste != n.total;
        std::printf("%-52s %6d %6d %6d %6d %6d %6d %6d %9.2e %7.0f\n", f.nom, n.juste, n.autreAdmis,
                    n.refuse, n.genre, n.laches, n.coins, n.total, n.pire,
                    1e6 * secondes / n.total);
    }
    return manque ? 1 : 0;
}
