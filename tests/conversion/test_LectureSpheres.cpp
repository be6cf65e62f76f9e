// The reading of a net's cyclide from its curvature spheres: exact on
// patches that span a good part of their cyclide, tori included; and the
// conversion that falls back on it converts patches whose numbers leave
// their shape free, stating so.
#include "AffinageCyclide.h"
#include "ConversionReseau.h"
#include "LectureSpheres.h"
#include "ReseauxExacts.h"
#include "SurCyclide.h"
#include "VerdictConversion.h"

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

// Patches 1/10000 of their cyclide that every other start left without a
// piece (they were refused). The readings from the spheres start them on
// the valley of the shapes that carry them, and they are converted: the
// patch on the cyclide, the piece's corners at its corners, a, c, mu within
// ten times the stated uncertainty. Drawn as the large sweep draws that
// family alone (ring, spindle, horned in turn).
TEST(LectureSpheres, APatchWhoseNumbersLeaveItsShapeFreeIsConvertedAndSaysSo) {
    const Famille genres[] = {Famille::Ring, Famille::Spindle, Famille::Horned};
    for (const int rang : {398, 440}) {
        std::mt19937 g(20261208);
        exacts::Cas cas;
        for (int n = 0; n < rang;)
            n += exacts::tirer(genres[n % 3], g, {5e-5, 2e-4}, cas) ? 1 : 0;
        SCOPED_TRACE(rang);
        const ConversionReseau r = convertirReseau(cas.net, TOLERANCE_CARREAU);
        ASSERT_NE(r.code, 0) << r.raison;
        EXPECT_LE(r.residu, r.tolerance);
        const double coins = std::max(1e-8, ECART_ARRONDI * arrondiRelatif(cas.net));
        EXPECT_TRUE(morceauSurLeCarreau(r.converti, r.morceau, coins));
        EXPECT_LE(ecartRelatif(r.converti.cyclide(), cas), 10 * r.incertitude);
    }
}
