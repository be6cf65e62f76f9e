// The ordered parallel map: chunks of uneven cost come back in input order
// whatever the thread count, no more than the bound are in flight, and a
// stop (a callback, the outside flag) ends the map with no chunk given back
// after it.
#include "lot/CarteOrdonnee.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

using namespace cyclide;

namespace {

struct Tache : TacheCarte {
    explicit Tache(int n) : numero(n) {}
    void calculer(const Annulation& annulation) override {
        // Uneven costs: later chunks often end before earlier ones.
        for (int k = 0; k < (numero * 7919) % 5 && !annulation.demandee(); ++k)
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        carre = static_cast<long>(numero) * numero;
    }
    int numero;
    long carre = -1;
};

struct Cas {
    int fils;
    int taches;
    int arretApres;      // rendre says stop after this many chunks (-1: never)
    bool arretExterieur; // the outside flag is set after arretApres chunks
};

} // namespace

TEST(CarteOrdonnee, ChunksComeBackInOrderAndAStopEndsTheMap) {
    const Cas cas[] = {{1, 50, -1, false},  {3, 200, -1, false}, {8, 64, -1, false},
                       {4, 300, 20, false}, {2, 300, 35, true},  {3, 0, -1, false}};
    for (const Cas& c : cas) {
        std::atomic<bool> dehors{false};
        OptionsCarte o;
        o.fils = c.fils;
        o.tachesParFil = 2;
        o.annulation = &dehors;
        int suivant = 0;
        int enVol = 0;
        int enVolMax = 0;
        std::vector<int> rendus;
        RappelsCarte r;
        r.suivante = [&]() -> std::unique_ptr<TacheCarte> {
            if (suivant == c.taches)
                return nullptr;
            enVolMax = std::max(enVolMax, ++enVol);
            return std::make_unique<Tache>(suivant++);
        };
        r.rendre = [&](TacheCarte& t) {
            --enVol;
            const auto& tache = static_cast<const Tache&>(t);
            EXPECT_EQ(tache.carre, static_cast<long>(tache.numero) * tache.numero);
            rendus.push_back(tache.numero);
            const bool arret = static_cast<int>(rendus.size()) == c.arretApres;
            if (arret && c.arretExterieur)
                dehors = true;
            return !(arret && !c.arretExterieur);
        };
        const BilanCarte bilan = executerCarte(o, r);
        const int attendus = c.arretApres >= 0 ? c.arretApres : c.taches;
        ASSERT_EQ(static_cast<int>(rendus.size()), attendus) << c.fils << " " << c.taches;
        for (int k = 0; k < attendus; ++k)
            EXPECT_EQ(rendus[static_cast<std::size_t>(k)], k);
        EXPECT_EQ(bilan.taches, attendus);
        EXPECT_EQ(bilan.arretee, c.arretApres >= 0);
        EXPECT_LE(enVolMax, 2 * c.fils);
    }
}
