#include "conversion/EssaisCyclide.h"

#include "conversion/DecisionCarreau.h"
#include "conversion/LectureTore.h"
#include "conversion/MorceauCyclide.h"
#include "conversion/Residu.h"
#include "conversion/VerdictConversion.h"
#include "noyau/Constantes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace cyclide {

namespace {

const double INFINI = std::numeric_limits<double>::infinity();
const double ECART_BRUIT = ECART_ARRONDI;

} // namespace

// Where a polishing may start: the readings from the boundary circles,
// those nearest to the patch first.
std::vector<CyclideCandidate> departsDirects(const Echantillons& pts, const RBBP& net) {
    const std::vector<CyclideCandidate> cands = lecturesDirectes(net);
    std::vector<std::pair<double, size_t>> ordre;
    for (size_t k = 0; k < cands.size(); ++k) {
        const double c = coutCyclide(pts, cands[k].cyclide);
        if (std::isfinite(c))
            ordre.emplace_back(c, k);
    }
    std::sort(ordre.begin(), ordre.end());
    std::vector<CyclideCandidate> res;
    res.reserve(ordre.size());
    for (const auto& o : ordre)
        res.push_back(cands[o.second]);
    return res;
}

// The last starts, when no reading from the circles carries the patch: the
// best of those polished against the patch alone first (a rough start
// gets nearer), and the construction's own readings (pencils, six points,
// torus from the circles).
namespace {

std::vector<CyclideCandidate> departsDeSecours(const Echantillons& pts, const Normalisation& n,
                                               const std::vector<CyclideCandidate>& directs,
                                               double tolerance) {
    const RBBP& net = n.net;
    std::vector<CyclideCandidate> res;
    for (size_t k = 0; k < directs.size() && k < 2; ++k) {
        OptionsAffinage o;
        o.tore = directs[k].tore;
        o.bruit = n.bruit;
        o.approfondi = n.approfondi;
        const CyclideAffinee a = affinerCyclide(pts, directs[k].cyclide, o);
        if (a.fini)
            res.push_back({a.cyclide, directs[k].tore});
    }
    RBBPd rec;
    static_cast<RBBP&>(rec) = net;
    if (bordReduit(net, tolerance))
        return res; // no plane for a collapsed boundary: the construction does not read it
    const int type = typeCarreauDonne(net, tolerance).valeur;
    for (const int t : {1, 2}) {
        if (type != 0 && t != type)
            continue;
        const ConversionVerifiee v = convertirVerifie(rec, t, PlanConversion::Pz, tolerance);
        const CyclideRepere cy = v.converti.cyclide();
        if (cyclideFinie(cy))
            res.push_back({cy, t == 2});
    }
    return res;
}

} // namespace

double taille(const CyclideRepere& cy) {
    return std::max(std::fabs(cy.a), std::fabs(cy.mu));
}

// a, c, mu made non-negative by the symmetries of the parametrisation:
// (a, -c, -mu) at (theta, psi + pi) is the point of (a, c, mu) at
// (theta, psi), and (a, c, -mu) with the axes i0 and j0 turned over at
// (theta + pi, psi + pi) is it too; the piece m, when given, is moved with
// them. (-a, -c, -mu) is the same implicit surface, but no shift of the
// angles maps it: a piece is not carried across that one.
namespace {

void signesPositifs(CyclideRepere& cy, MorceauCyclide* m = nullptr) {
    if (cy.a < 0) {
        cy.a = -cy.a, cy.c = -cy.c, cy.mu = -cy.mu;
    }
    if (cy.c < 0) {
        cy.c = -cy.c, cy.mu = -cy.mu;
        if (m != nullptr)
            m->v0 += PI, m->v1 += PI;
    }
    if (cy.mu < 0) {
        cy.mu = -cy.mu;
        for (int r = 0; r < 3; ++r) {
            cy.Base[r][0] = -cy.Base[r][0];
            cy.Base[r][1] = -cy.Base[r][1];
        }
        if (m != nullptr)
            m->u0 += PI, m->u1 += PI, m->v0 += PI, m->v1 += PI;
    }
}

// The kind of a polished reading (a, c, mu >= 0), with the ties decided by
// the documented rule within the uncertainty.
GenreCyclide genre(const LecturePolie& l, CyclideRepere& cy, double* saut = nullptr) {
    const double* s = l.affinee.incertitude;
    const double t = taille(cy);
    if (l.tore) {
        if (std::fabs(cy.a) <= std::max(NEGLIGEABLE * t, 10 * s[0])) {
            if (saut != nullptr)
                *saut = std::max(*saut, std::fabs(cy.a) / t);
            cy.a = 0;
            return GenreCyclide::SphereDouble;
        }
        const bool corne = std::fabs(cy.a - cy.mu) <= std::max(NEGLIGEABLE * t, 10 * (s[0] + s[2]));
        return corne || cy.a < cy.mu ? GenreCyclide::ToreCroise : GenreCyclide::ToreCollier;
    }
    if (cy.c > cy.a)
        return GenreCyclide::Aucune;
    if (cy.mu <= cy.c)
        return GenreCyclide::Horned;
    return cy.mu <= cy.a ? GenreCyclide::Ring : GenreCyclide::Spindle;
}

// True when the general reading's c is negligible: the torus reading is
// then the truthful one.
bool cNegligeable(const LecturePolie& l) {
    const CyclideRepere& cy = l.affinee.cyclide;
    return std::fabs(cy.c) <= std::max(NEGLIGEABLE * taille(cy), 10 * l.affinee.incertitude[1]);
}

// The piece of the cyclide written in rec that its patch covers, followed
// along the patch.
MorceauCyclide morceauDepart(const RBBPd& rec, bool tore) {
    return tore ? morceauTore(rec) : morceauSuivi(rec.cyclide(), rec, 8);
}

// The reading polished once more with the piece's angles as unknowns, so
// that the corners of the patch are the corners of the piece.
// With tenu 0, 1 or 2, a, c or mu is held at cy's value.
} // namespace

LecturePolie polirAvecMorceau(const Echantillons& pts, const Normalisation& n, bool tore,
                              const CyclideRepere& cy, const MorceauCyclide& m, bool sphere,
                              int tenu) {
    OptionsAffinage o;
    o.tore = tore;
    o.sphere = sphere;
    if (tenu >= 0)
        o.tenus[tenu] = true;
    o.bruit = n.bruit;
    o.approfondi = n.approfondi;
    o.net = &n.net;
    o.morceau = m;
    return LecturePolie{affinerCyclide(pts, cy, o), tore, INFINI};
}

namespace {

// The reading polished with its piece (polirAvecMorceau) and classified,
// with a, c, mu >= 0 (signesPositifs, the piece moved with them); when the
// polishing ends with a negative a, it is polished once more from the
// positive signs (a sphere's a is simply written as 0, how far it moved in
// saut).
GenreCyclide polirEtClasser(const Echantillons& pts, const Normalisation& n,
                            const CyclideCandidate& l, LecturePolie& f, CyclideRepere& cy,
                            double& saut) {
    cy = l.cyclide;
    for (int essai = 0; essai < 2; ++essai) {
        signesPositifs(cy);
        RBBPd rec;
        static_cast<RBBP&>(rec) = n.net;
        rec.poserCyclide(cy);
        f = polirAvecMorceau(pts, n, l.tore, cy, morceauDepart(rec, l.tore));
        cy = f.affinee.cyclide;
        if (cy.a >= 0 || genre(f, cy, &saut) == GenreCyclide::SphereDouble)
            break;
    }
    signesPositifs(cy, &f.affinee.morceau);
    return genre(f, cy, &saut);
}

// The largest change of |a|, |c|, |mu| from one cyclide to the other, over
// the first one's size.
double ecartForme(const CyclideRepere& de, const CyclideRepere& vers) {
    const double t = taille(de);
    return std::max({std::fabs(std::fabs(de.a) - std::fabs(vers.a)),
                     std::fabs(std::fabs(de.c) - std::fabs(vers.c)),
                     std::fabs(std::fabs(de.mu) - std::fabs(vers.mu))}) /
           t;
}

// The residual, the piece and the verdict of a polished reading.
void juger(Essai& e, const Normalisation& n, const Seuils& seuils) {
    RBBPd rec;
    static_cast<RBBP&>(rec) = n.net;
    rec.poserCyclide(e.cyclide);
    e.residu = residuEchantillons(n.grille, 1, e.cyclide);
    if (!std::isfinite(e.residu))
        e.residu = INFINI;
    e.morceau = e.lecture.affinee.morceau;
    // Under a tolerance looser than the default, a net may lie on its cyclide
    // only within it: its corners are then on the piece's as closely as the
    // rest of it.
    const double coins =
        seuils.coinsSelonResidu ? std::max(seuils.coins, 10 * e.residu) : seuils.coins;
    e.verifie =
        estCyclide(e.code) && e.residu <= seuils.tolerance && morceauFidele(rec, e.morceau, coins);
}

// The torus e polished again as a sphere (a held at 0), from its own
// cyclide and piece.
Essai commeSphere(const Essai& e, const Echantillons& pts, const Normalisation& n,
                  const Seuils& seuils) {
    Essai s = e;
    CyclideRepere cy = e.cyclide;
    cy.a = 0;
    s.lecture = polirAvecMorceau(pts, n, true, cy, e.morceau, true);
    s.cyclide = s.lecture.affinee.cyclide;
    s.cyclide.mu = std::fabs(s.cyclide.mu);
    s.code = GenreCyclide::SphereDouble;
    juger(s, n, seuils);
    s.saut = std::max(e.saut, ecartForme(e.lecture.affinee.cyclide, s.cyclide));
    return s;
}

// The torus e, whose a is above mu within their uncertainty, polished again
// as a horn torus: a and mu held at their mean, the rest free.
Essai commeToreACorne(const Essai& e, const Echantillons& pts, const Normalisation& n,
                      const Seuils& seuils) {
    Essai s = e;
    CyclideRepere cy = e.cyclide;
    cy.a = cy.mu = (e.cyclide.a + e.cyclide.mu) / 2;
    OptionsAffinage o;
    o.tore = true;
    o.tenus[0] = o.tenus[2] = true;
    o.bruit = n.bruit;
    o.approfondi = n.approfondi;
    o.net = &n.net;
    o.morceau = e.morceau;
    s.lecture = LecturePolie{affinerCyclide(pts, cy, o), true, INFINI};
    s.cyclide = s.lecture.affinee.cyclide;
    s.cyclide.a = s.cyclide.mu = std::fabs(cy.mu);
    s.code = GenreCyclide::ToreCroise;
    juger(s, n, seuils);
    s.saut = std::max(e.saut, ecartForme(e.cyclide, s.cyclide));
    return s;
}

} // namespace

Essai essayer(const Echantillons& pts, const Normalisation& n, const CyclideCandidate& depart,
              const Seuils& seuils) {
    Essai e;
    e.tore = depart.tore;
    e.code = polirEtClasser(pts, n, depart, e.lecture, e.cyclide, e.saut);
    juger(e, n, seuils);
    // The horn tie: a crossed torus whose a is above mu prints a = mu, or,
    // when the horn torus does not carry the patch, is the collar torus its
    // numbers say.
    if (e.tore && e.code == GenreCyclide::ToreCroise && e.cyclide.a > e.cyclide.mu) {
        const Essai corne = commeToreACorne(e, pts, n, seuils);
        if (corne.verifie || !e.verifie)
            return corne.verifie ? corne : e;
        e.code = GenreCyclide::ToreCollier;
    }
    // A torus whose a is small against mu, or taken as negligible, is a
    // sphere when the sphere itself carries the patch as closely (within ten
    // times the torus's residual, or the net's rounding).
    if (e.tore &&
        (e.code == GenreCyclide::SphereDouble || e.cyclide.a <= PRES_DE_LA_SPHERE * e.cyclide.mu)) {
        Essai s = commeSphere(e, pts, n, seuils);
        const bool aussiBien = s.residu <= 10 * e.residu + ECART_BRUIT * n.bruit;
        if (e.code == GenreCyclide::SphereDouble || (s.verifie && aussiBien))
            return s;
    }
    return e;
}

namespace {

// True when a general cyclide is near a torus (c small against a) or a
// sphere (a small against mu): a torus or a sphere may then carry a small
// patch just as well.
bool presqueSpeciale(const CyclideRepere& cy) {
    return cy.c <= PRES_DU_TORE * cy.a || cy.a <= PRES_DE_LA_SPHERE * cy.mu;
}

// The starts tried in order until one is verified. When the verified one is
// a general cyclide near a torus or a sphere, the torus starts are tried
// too, and a torus or sphere that carries the patch as closely (within ten
// times the general one's residual, or the net's rounding) is kept: the
// simpler surface is the truthful answer when the numbers cannot tell them
// apart. Otherwise the one with the smallest residual.
Essai essayerDeparts(const Echantillons& pts, const Normalisation& n,
                     const std::vector<CyclideCandidate>& departs, const Seuils& seuils) {
    Essai meilleur, general;
    for (size_t k = 0; k < departs.size() && k < 6; ++k) {
        if (general.verifie && !departs[k].tore)
            continue;
        Essai e = essayer(pts, n, departs[k], seuils);
        const double egal = 10 * general.residu + ECART_BRUIT * n.bruit;
        if (general.verifie && e.verifie && e.residu <= egal) {
            e.saut = std::max(e.saut, ecartForme(general.cyclide, e.cyclide));
            return e;
        }
        if (e.verifie && !e.tore && !general.verifie &&
            (cNegligeable(e.lecture) || presqueSpeciale(e.cyclide))) {
            general = e;
            continue;
        }
        if (e.verifie && !general.verifie)
            return e;
        if (e.residu < meilleur.residu)
            meilleur = e;
    }
    return general.verifie ? general : meilleur;
}

} // namespace

Essai essayerTout(const Echantillons& pts, const Normalisation& n,
                  const std::vector<CyclideCandidate>& directs, const Seuils& seuils) {
    Essai retenu = essayerDeparts(pts, n, directs, seuils);
    if (!retenu.verifie) {
        const Essai secours =
            essayerDeparts(pts, n, departsDeSecours(pts, n, directs, seuils.tolerance), seuils);
        if (secours.verifie || secours.residu < retenu.residu)
            retenu = secours;
    }
    return retenu;
}

} // namespace cyclide
