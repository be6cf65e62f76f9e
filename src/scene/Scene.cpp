#include "scene/Scene.h"

#include "conversion/ConversionReseau.h"
#include "scene/Exemples.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace cyclide {

namespace {

// Scene versions: one counter for the process, so that two scenes built one
// after the other never share a version.
std::atomic<std::uint64_t> prochaineVersion{1};

// Converts Bez into the rest of the scene (converti, Bez1, verdict, piece,
// residual, reason) with the threshold seuil and stamps its version.
void convertirScene(Scene& s, double seuil) {
    const ConversionVerifiee v = convertirVerifie(s.Bez, s.type, s.entree.plan, seuil);
    s.converti = v.converti;
    s.typeCyclide = v.code;
    s.morceau = v.morceau;
    s.residu = v.residu;
    s.raison = v.raison;
    if (estCyclide(v.code)) {
        // Never below what a snap to a sphere dropped of a.
        s.incertitude = std::max(incertitudeCyclide(s.Bez, s.converti.cyclide()), v.saut);
        s.genresAdmis = genresAdmis(std::fabs(s.converti.a), std::fabs(s.converti.c),
                                    std::fabs(s.converti.mu), v.code, s.incertitude);
    }
    s.Bez1 = s.converti;
    s.Bez1.changementBase();
    s.version = prochaineVersion.fetch_add(1);
}

// The points and weights of a net, in a fixed order, for a comparison bit
// for bit.
void nombresReseau(const RBBP& net, double v[36]) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Point p = net.getP(i, j);
            double* q = v + static_cast<std::ptrdiff_t>(4 * (3 * i + j));
            q[0] = p.getX0();
            q[1] = p.getY0();
            q[2] = p.getZ0();
            q[3] = net.getW(i, j);
        }
}

// True when both inputs give the same net directly, bit for bit.
bool memeReseau(const EntreeScene& e1, const EntreeScene& e2) {
    double n1[37], n2[37];
    nombresReseau(e1.reseau, n1);
    nombresReseau(e2.reseau, n2);
    n1[36] = e1.tolerance;
    n2[36] = e2.tolerance;
    // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison)
    return std::memcmp(n1, n2, sizeof n1) == 0;
}

} // namespace

EntreeScene entreeParametres(const double valeurs[7], PlanConversion plan) {
    EntreeScene e;
    double* champs[7] = {&e.theta00, &e.theta02, &e.theta20, &e.theta22, &e.rayon, &e.z11, &e.P10};
    for (int k = 0; k < 7; ++k)
        *champs[k] = valeurs[k];
    e.plan = plan;
    return e;
}

bool memeEntree(const EntreeScene& e1, const EntreeScene& e2) {
    const double n1[7] = {e1.theta00, e1.theta02, e1.theta20, e1.theta22, e1.rayon, e1.z11, e1.P10};
    const double n2[7] = {e2.theta00, e2.theta02, e2.theta20, e2.theta22, e2.rayon, e2.z11, e2.P10};
    if (e1.reseauDonne != e2.reseauDonne || e1.plan != e2.plan)
        return false;
    if (e1.reseauDonne)
        return memeReseau(e1, e2);
    // Bit for bit on purpose: -0 and 0 differ, a non-number equals itself.
    // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison)
    return std::memcmp(n1, n2, sizeof n1) == 0 && e1.exemple == e2.exemple;
}

Scene construireScene(const EntreeScene& entree) {
    if (entree.reseauDonne) {
        Scene s = construireSceneReseau(entree.reseau, entree.plan, entree.tolerance);
        s.entree = entree;
        return s;
    }
    Scene s;
    s.entree = entree;
    if (entree.exemple != 0)
        s.type = chargerExemple(entree.exemple, s.Bez);
    else
        s.type = s.Bez.convertToCD4(entree.theta00, entree.theta02, entree.theta20, entree.theta22,
                                    entree.rayon, entree.z11, entree.P10);
    convertirScene(s, RESIDU_ADMIS);
    return s;
}

Scene construireSceneCarreau(const RBBPd& carreau, int type, PlanConversion plan, double seuil) {
    Scene s;
    s.entree.plan = plan;
    s.Bez = carreau;
    s.type = type;
    convertirScene(s, seuil);
    return s;
}

Scene construireSceneReseau(const RBBP& net, PlanConversion plan, double tolerance) {
    const ConversionReseau c = convertirReseau(net, tolerance);
    Scene s;
    s.entree.plan = plan;
    s.entree.reseauDonne = true;
    s.entree.reseau = net;
    s.entree.tolerance = tolerance;
    static_cast<RBBP&>(s.Bez) = net;
    s.type = c.type;
    s.converti = c.converti;
    s.typeCyclide = c.code;
    s.morceau = c.morceau;
    s.residu = c.residu;
    s.incertitude = c.incertitude;
    s.genresAdmis = c.genres;
    s.raison = c.raison;
    s.Bez1 = s.converti;
    s.Bez1.changementBase();
    s.version = prochaineVersion.fetch_add(1);
    return s;
}

} // namespace cyclide
