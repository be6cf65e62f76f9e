#include "conversion/ConversionReseau.h"

#include "conversion/AffinageCyclide.h"
#include "conversion/DecisionCarreau.h"
#include "conversion/EssaisCyclide.h"
#include "conversion/LectureDirecte.h"
#include "conversion/LectureSpheres.h"
#include "conversion/LectureTore.h"
#include "conversion/Reseau.h"
#include "conversion/Residu.h"
#include "conversion/VerdictConversion.h"
#include "noyau/Constantes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>
#include <vector>

namespace cyclide {

namespace {

const double INFINI = std::numeric_limits<double>::infinity();
const double ECART_BRUIT = ECART_ARRONDI;

// The relative uncertainty of a, c, mu over the cyclide's size where the
// linearised one understates it, for a patch much smaller than its
// cyclide: there the shapes that carry the patch as closely as the polished
// one lie along a curved valley, far longer than its tangent. For each of
// a, c, mu: the largest change, tried at 1, 4, 16, ... times its linearised
// uncertainty and both ways, that still lets the rest be polished again (the
// parameter held) to within twice the polished spread of the distances, or
// sixteen times the net's rounding: with a parameter held, the polishing
// stops anywhere from the rounding to about ten times it, so below that it
// does not tell two shapes apart.
// In: n with the steps of a patch much smaller than its cyclide (approfondi).
double incertitudeLeLongDeLaVallee(const Echantillons& pts, const Normalisation& n,
                                   const Essai& e) {
    const CyclideAffinee& f = e.lecture.affinee;
    const double t = taille(e.cyclide);
    const double seuil = std::max(2 * f.ecartType, 16 * n.bruit);
    double plusGrande = std::max({f.incertitude[0], f.incertitude[1], f.incertitude[2]});
    for (int k = 0; k < 3; ++k) {
        if (!(f.incertitude[k] > 0))
            continue; // held (a torus's c, a sphere's a)
        for (const double signe : {1.0, -1.0})
            for (double delta = std::max(f.incertitude[k], 1e-12 * t); delta < t; delta *= 4) {
                double forme[3] = {e.cyclide.a, e.cyclide.c, e.cyclide.mu};
                forme[k] += signe * delta;
                const CyclideRepere depart =
                    changerForme(e.cyclide, e.morceau, forme[0], forme[1], forme[2]);
                const CyclideAffinee g = polirAvecMorceau(pts, n, e.tore, depart, e.morceau,
                                                          e.code == GenreCyclide::SphereDouble, k)
                                             .affinee;
                if (!g.fini || !(g.ecartType <= seuil))
                    break;
                plusGrande = std::max(plusGrande, delta);
            }
    }
    // What the profile may still miss where its own polishing stalls short
    // of the valley's floor: a, c, mu are read from how the patch's
    // curvatures change across it, which a spread e of the distances (over
    // the patch's size) leaves uncertain by about e (size / patch)^2 of the
    // cyclide's size.
    return std::max(plusGrande / t, f.ecartType * t * t);
}

// What the patch's points can say of a, c, mu at best, relative to the
// cyclide's size: a patch t times smaller than its cyclide fixes its point,
// frame, curvatures and their first derivatives from terms of its shape of
// order up to three, which leave one combination of a, c, mu free; only the
// fourth-order terms, of t^-3 of the patch's size, fix it. The net's
// rounding e (over the patch's size) leaves it uncertain by about e t^3.
// For a patch not much smaller than its cyclide this is of the order of the
// rounding, below any other estimate.
double incertitudeDuQuatriemeOrdre(const Normalisation& n, const CyclideRepere& cy) {
    const double t = taille(cy); // in the moved net's unit, the patch's diagonal
    return n.bruit * t * t * t;
}

// The relative uncertainty of a, c, mu over the cyclide's size.
double incertitudeRelative(const LecturePolie& l, const CyclideRepere& cy) {
    const double* s = l.affinee.incertitude;
    return std::max({s[0], s[1], s[2]}) / taille(cy);
}

std::string refus(double residu, double tolerance) {
    char texte[160];
    std::snprintf(texte, sizeof texte,
                  "aucune cyclide de Dupin ne porte ce carreau : au mieux R = %.2g, au-dessus de "
                  "la tolerance %.2g",
                  residu, tolerance);
    return texte;
}

// The cyclide of the moved net placed back in the world.
CyclideRepere placerDansLeMonde(const CyclideRepere& cy, const Normalisation& n) {
    CyclideRepere w = cy;
    w.a = cy.a * n.echelle;
    w.c = cy.c * n.echelle;
    w.mu = cy.mu * n.echelle;
    w.omega.init(cy.omega.getX0() * n.echelle + n.centre[0],
                 cy.omega.getY0() * n.echelle + n.centre[1],
                 cy.omega.getZ0() * n.echelle + n.centre[2]);
    return w;
}

// The cyclide placed in the world moved into the normalised net's frame.
CyclideRepere placerDansLeReseau(const CyclideRepere& cy, const Normalisation& n) {
    CyclideRepere r = cy;
    r.a = cy.a / n.echelle;
    r.c = cy.c / n.echelle;
    r.mu = cy.mu / n.echelle;
    r.omega.init((cy.omega.getX0() - n.centre[0]) / n.echelle,
                 (cy.omega.getY0() - n.centre[1]) / n.echelle,
                 (cy.omega.getZ0() - n.centre[2]) / n.echelle);
    return r;
}

} // namespace

double incertitudeCyclide(const RBBP& net, const CyclideRepere& cyclide) {
    Normalisation n;
    if (!normaliserReseau(net, n) || !cyclideFinie(cyclide))
        return INFINI;
    const CyclideRepere cy = placerDansLeReseau(cyclide, n);
    double s[3];
    incertitudeSansCoins(echantillonner(n.net, 4), cy, n.bruit, s);
    const double u = std::max({s[0], s[1], s[2]}) / taille(cy);
    return std::isfinite(u) ? u : INFINI;
}

double arrondiRelatif(const RBBP& net) {
    Normalisation n;
    return normaliserReseau(net, n) ? n.bruit : INFINI;
}

namespace {

// How much the parameter square of a patch much smaller than its cyclide is
// widened each way (reseauEtendu), in turn, when its own polishing stalls:
// 11 times the patch first, about as large as patches whose polishing
// converges; 5 and 21 times next. A wider square takes the rows' weights
// towards zero, and the widened net's rounding grows as its square.
const double ELARGISSEMENTS[] = {5, 2, 10};

// The best cyclide a conversion found, which may serve as the start of
// another polishing even when its piece did not come out.
struct Porteuse {
    bool porte = false;    // it carries the patch within the tolerance
    CyclideRepere cyclide; // in the world (the one reported, if any)
    bool tore = false;     // read as a torus or sphere
};

ConversionReseau convertir(const RBBP& net, double toleranceDemandee, bool elargir,
                           Porteuse* porteuse = nullptr);

// The cyclide that carries the same surface over the parameter square
// widened k times each way (reseauEtendu; converted without widening
// again, its piece found or not), polished against this patch with the
// steps of a patch much smaller than its cyclide, and judged.
Essai depuisCarreauElargi(const RBBP& net, double tolerance, double k, const Echantillons& pts,
                          const Normalisation& n, const Seuils& seuils) {
    Porteuse large;
    convertir(reseauEtendu(net, k), tolerance, false, &large);
    if (!large.porte)
        return Essai();
    Normalisation approfondie = n;
    approfondie.approfondi = true;
    const CyclideCandidate depart{placerDansLeReseau(large.cyclide, n), large.tore};
    return essayer(pts, approfondie, depart, seuils);
}

// The first verified of the readings from the patch's curvature spheres
// (nearest to the patch first), each polished with the steps of a patch much
// smaller than its cyclide; an unverified Essai when none is. Those readings
// start on the floor of the valley of the shapes that carry the patch,
// where the readings from its circles may all have settled on a torus or a
// sphere that carries it less closely.
Essai depuisLesSpheres(const Echantillons& pts, const Normalisation& n, const Seuils& seuils) {
    std::vector<std::pair<double, CyclideCandidate>> ordre;
    for (const CyclideCandidate& l : lecturesParSpheres(n.net))
        ordre.emplace_back(coutCyclide(pts, l.cyclide), l);
    std::sort(ordre.begin(), ordre.end(),
              [](const auto& x, const auto& y) { return x.first < y.first; });
    Normalisation approfondie = n;
    approfondie.approfondi = true;
    for (const auto& o : ordre) {
        Essai e = essayer(pts, approfondie, o.second, seuils);
        if (e.verifie)
            return e;
    }
    return Essai();
}

// The conversion; when elargir, a patch much smaller than its cyclide that
// no polishing of its own carries to a piece is tried once more from the
// cyclide of the same surface over a wider parameter square, and last from
// its curvature spheres. porteuse, when given, gets the best cyclide found.
ConversionReseau convertir(const RBBP& net, double toleranceDemandee, bool elargir,
                           Porteuse* porteuse) {
    ConversionReseau res;
    static_cast<RBBP&>(res.converti) = net;
    res.tolerance = toleranceDemandee;
    Normalisation n;
    if (!normaliserReseau(net, n)) {
        res.raison = "le carreau a des coins confondus ou une valeur non finie";
        return res;
    }
    const Resultat<void> bords = bordsCirculaires(n.net, toleranceDemandee, n.bruit);
    if (!bords.ok()) {
        res.raison = bords.raison;
        return res;
    }
    // No check asks more of the net than its numbers hold: the tolerance and
    // the corners' match admit ECART_ARRONDI times the rounding of the numbers.
    const double tolerance = std::max(toleranceDemandee, ECART_BRUIT * n.bruit);
    res.tolerance = tolerance;
    const Seuils seuils{tolerance, std::max(ECART_COINS, ECART_BRUIT * n.bruit),
                        toleranceDemandee > TOLERANCE_CARREAU};
    n.grille = echantillonner(n.net, 11);
    const Echantillons pts = echantillonner(n.net, ECHANTILLONS);
    const std::vector<CyclideCandidate> directs = departsDirects(pts, n.net);
    Essai retenu = essayerTout(pts, n, directs, seuils);
    // A best cyclide more than 20 times the patch: a patch 1/100 of its
    // cyclide whose numbers hold 8 digits of it (far from the origin) can
    // stall at R 1e-5 in the first steps, as one 1/1000 of it does anywhere.
    const bool petit =
        !retenu.verifie && (retenu.residu <= tolerance || taille(retenu.cyclide) > 20);
    if (petit) {
        // A patch much smaller than its cyclide (or one that a cyclide
        // carries but whose piece did not come out): polished again with the
        // steps that follow the directions it barely determines.
        Normalisation approfondie = n;
        approfondie.approfondi = true;
        const Essai e = essayerTout(pts, approfondie, directs, seuils);
        if (e.verifie || e.residu < retenu.residu) {
            retenu = e;
            n.approfondi = true; // its uncertainty is measured along the valley
        }
    }
    // Its polishing stalled in the valley of the shapes that carry it: the
    // same surface over a wider parameter square is polished to its floor,
    // and that cyclide is polished again against this patch.
    for (size_t k = 0; elargir && petit && !retenu.verifie && k < std::size(ELARGISSEMENTS); ++k) {
        const Essai e =
            depuisCarreauElargi(net, toleranceDemandee, ELARGISSEMENTS[k], pts, n, seuils);
        if (e.verifie) {
            retenu = e;
            n.approfondi = true;
        }
    }
    // Still no piece: the starts on the valley's floor read from the
    // patch's curvature spheres.
    if (elargir && petit && !retenu.verifie) {
        const Essai e = depuisLesSpheres(pts, n, seuils);
        if (e.verifie) {
            retenu = e;
            n.approfondi = true;
        }
    }
    res.type = retenu.tore ? 2 : 1;
    res.residu = retenu.residu;
    if (porteuse != nullptr) {
        porteuse->porte = retenu.residu <= tolerance && cyclideFinie(retenu.cyclide);
        porteuse->cyclide = placerDansLeMonde(retenu.cyclide, n);
        porteuse->tore = retenu.tore;
    }
    if (!retenu.verifie) {
        res.raison = !(retenu.residu <= tolerance) ? refus(retenu.residu, tolerance)
                     : !estCyclide(retenu.code)
                         ? "la cyclide lue n'est pas reelle (|c| > |a|)"
                         : "le morceau de cyclide porte par le carreau n'est pas calculable";
        return res;
    }
    const GenreCyclide code = retenu.code;
    const MorceauCyclide m = retenu.morceau;
    const CyclideRepere cy = retenu.cyclide;
    const LecturePolie& f = retenu.lecture;
    res.code = code;
    res.morceau = m;
    // Never below what a snap to a simpler kind moved the numbers.
    res.incertitude = std::max(
        {n.approfondi ? incertitudeLeLongDeLaVallee(pts, n, retenu) : incertitudeRelative(f, cy),
         incertitudeDuQuatriemeOrdre(n, cy), retenu.saut});
    res.genres = genresAdmis(cy.a, cy.c, cy.mu, code, res.incertitude);
    res.converti.poserCyclide(placerDansLeMonde(cy, n));
    return res;
}

} // namespace

ConversionReseau convertirReseau(const RBBP& net, double tolerance) {
    if (!toleranceAdmise(tolerance)) {
        ConversionReseau res;
        static_cast<RBBP&>(res.converti) = net;
        res.tolerance = tolerance;
        res.raison = std::string("la tolerance attend ") + TOLERANCE_ATTENDUE;
        return res;
    }
    return convertir(net, tolerance, true);
}

} // namespace cyclide
