// The reading of a net's cyclide from its curvature spheres: exact on
// patches that span a good part of their cyclide, tori included (the
// conversion's last start; its once-refused cases are among the sweep's in
// test_ConversionReseau).
#include "ReseauxExacts.h"
#include "SurCyclide.h"
#include "conversion/AffinageCyclide.h"
#include "conversion/LectureSpheres.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using namespace cyclide;
using exacts::Famille;

namespace {

// The largest error of |a|, |c|, |mu| against the drawn cyclide, over its size.
double ecartRelatif(const CyclideRepere& cy, const exacts::Cas& cas) {
    return std::max({std::fabs(std::fabs(cy.a) - cas.a), std::fabs(std::fabs(cy.c) - cas.c),
                     std::fabs(std::fabs(cy.mu) - cas.mu)}) /
           cas.taille;
}

} // namespace

// Each kind but the sphere, spans 0.1 to 1.5 at the size 1: one of the
// readings is the drawn cyclide to the rounding, in a right-handed frame,
// and carries the patch.
TEST(LectureSpheres, ReadsTheCyclideOfAPatchThatSpansEnoughOfIt) {
    std::mt19937 g(2026);
    for (const Famille f : {Famille::Ring, Famille::Spindle, Famille::Horned, Famille::Croise,
                            Famille::Collier, Famille::Corne})
        for (int n = 0; n < 4;) {
            exacts::Cas cas;
            if (!exacts::tirer(f, g, {0.1, 1.5}, cas))
                continue;
            ++n;
            SCOPED_TRACE(testing::Message() << "code " << cas.code << ", draw " << n);
            const std::vector<CyclideCandidate> lues = lecturesParSpheres(cas.net);
            ASSERT_FALSE(lues.empty());
            const auto plusProche =
                std::min_element(lues.begin(), lues.end(), [&](const auto& x, const auto& y) {
                    return ecartRelatif(x.cyclide, cas) < ecartRelatif(y.cyclide, cas);
                });
            EXPECT_LE(ecartRelatif(plusProche->cyclide, cas), 1e-10);
            RBBPd rec;
            rec.poserCyclide(plusProche->cyclide);
            EXPECT_TRUE(repereDirect(rec));
            EXPECT_LE(residuEchantillons(echantillonner(cas.net, 11), 1, plusProche->cyclide),
                      1e-10);
        }
}
