#include "conversion/VerdictConversion.h"

#include "conversion/LectureTore.h"
#include "conversion/Repere.h"
#include "conversion/Reseau.h"
#include "conversion/Residu.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

namespace cyclide {

namespace {

const double INFINI = std::numeric_limits<double>::infinity();

// One reading of the net: its kind, the record with its cyclide, its piece
// and its residual (+infinity without a cyclide).
struct Lecture {
    GenreCyclide code = GenreCyclide::Aucune;
    RBBPd rec;
    MorceauCyclide morceau;
    double residu = INFINI;
};

bool morceauFini(const MorceauCyclide& m) {
    return std::isfinite(m.u0) && std::isfinite(m.u1) && std::isfinite(m.v0) && std::isfinite(m.v1);
}

// a, c, mu, omega and every entry of Base are finite numbers.
bool parametresFinis(const RBBPd& r) {
    return cyclideFinie(r.cyclide());
}

// Every dot product of two columns of Base within ECART_ORTHONORMAL of 0 or 1.
bool repereOrthonormal(const RBBPd& r) {
    for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l) {
            double s = 0;
            for (int i = 0; i < 3; ++i)
                s += r.Base[i][k] * r.Base[i][l];
            if (!(std::fabs(s - (k == l ? 1 : 0)) <= ECART_ORTHONORMAL))
                return false;
        }
    return true;
}

// Why a reading cannot be reported with the threshold seuil; empty when it
// can.
std::string defaut(const Lecture& l, double seuil) {
    if (!estCyclide(l.code) || !parametresFinis(l.rec))
        return "aucune lecture du carreau ne donne une cyclide finie";
    if (!(l.residu <= seuil)) {
        std::ostringstream os;
        os << "aucune cyclide lue ne porte le carreau (residu au-dessus de " << seuil << ")";
        return os.str();
    }
    if (!morceauFini(l.morceau))
        return "le morceau de cyclide porte par le carreau n'est pas calculable";
    if (!repereOrthonormal(l.rec))
        return "le repere de la cyclide n'est pas orthonorme";
    return "";
}

bool exacte(const Lecture& l) {
    return defaut(l, RESIDU_EXACT).empty();
}

// Column k of Base as three numbers.
void colonne(const RBBPd& r, int k, double v[3]) {
    for (int i = 0; i < 3; ++i)
        v[i] = r.Base[i][k];
}

double produitScalaire(const double u[3], const double v[3]) {
    return u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
}

// Makes Base orthonormal again, keeping its handedness: the second axis
// (the direction of a pencil's axis, unit by construction) is kept, the
// first is made perpendicular to it, the third is their cross product.
void orthonormaliser(RBBPd& r) {
    double i0[3], j0[3], k0[3];
    colonne(r, 0, i0);
    colonne(r, 1, j0);
    colonne(r, 2, k0);
    const double nj = std::sqrt(produitScalaire(j0, j0));
    for (double& x : j0)
        x /= nj;
    const double p = produitScalaire(i0, j0);
    for (int i = 0; i < 3; ++i)
        i0[i] -= p * j0[i];
    const double ni = std::sqrt(produitScalaire(i0, i0));
    for (double& x : i0)
        x /= ni;
    const double k[3] = {i0[1] * j0[2] - i0[2] * j0[1], i0[2] * j0[0] - i0[0] * j0[2],
                         i0[0] * j0[1] - i0[1] * j0[0]};
    const double sens = produitScalaire(k, k0) < 0 ? -1 : 1;
    for (int i = 0; i < 3; ++i) {
        r.Base[i][0] = i0[i];
        r.Base[i][1] = j0[i];
        r.Base[i][2] = sens * k[i];
    }
}

// The residual of a reading, after its frame is made orthonormal again when
// rounding left it off by more than ECART_ORTHONORMAL.
void mesurer(Lecture& l) {
    if (estCyclide(l.code) && parametresFinis(l.rec) && !repereOrthonormal(l.rec))
        orthonormaliser(l.rec);
    l.residu = estCyclide(l.code) ? residuCyclide(l.rec) : INFINI;
}

// The conversion of RBBPd with the given type and plane.
Lecture lecturePlan(const RBBPd& bez, int type, PlanConversion plan) {
    Lecture l;
    l.rec = bez;
    l.code = l.rec.calculConversion(type, choixPlan(plan), l.morceau);
    mesurer(l);
    return l;
}

// Writes the cyclide of de (a, c, mu, omega, Base) into vers, the lengths
// multiplied by echelle and the centre moved by centre.
void copierCyclide(const RBBPd& de, RBBPd& vers, double echelle, const double centre[3]) {
    vers.a = de.a * echelle;
    vers.c = de.c * echelle;
    vers.mu = de.mu * echelle;
    vers.omega.init(de.omega.getX0() * echelle + centre[0], de.omega.getY0() * echelle + centre[1],
                    de.omega.getZ0() * echelle + centre[2]);
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            vers.Base[r][k] = de.Base[r][k];
}

// A reading of another form of the net (exchanged, moved, scaled) given
// back for the net as it is: the same kind and piece, the cyclide placed
// back, the residual measured again on bez.
Lecture ramener(const Lecture& autre, const RBBPd& bez, double echelle, const double centre[3]) {
    Lecture l;
    l.rec = bez;
    l.code = autre.code;
    l.morceau = autre.morceau;
    copierCyclide(autre.rec, l.rec, echelle, centre);
    mesurer(l);
    return l;
}

// The general conversion of the net with u and v exchanged (same surface,
// same corners P00, P22).
Lecture lectureTransposee(const RBBPd& bez, PlanConversion plan) {
    const double origine[3] = {0, 0, 0};
    return ramener(lecturePlan(transpose(bez), 1, plan), bez, 1, origine);
}

// The torus or sphere read straight from the net.
Lecture lectureTore(const RBBPd& bez) {
    Lecture l;
    l.rec = bez;
    l.code = lireToreSphere(l.rec, l.morceau);
    mesurer(l);
    return l;
}

// The readings after the first one, in the order they are tried.
int autresLectures(const RBBPd& bez, int type, PlanConversion plan, Lecture autres[]) {
    if (type == 2) {
        autres[0] = lectureTore(bez);
        return 1;
    }
    const PlanConversion autre = autrePlan(plan);
    autres[0] = lecturePlan(bez, 1, autre);
    autres[1] = lectureTransposee(bez, plan);
    autres[2] = lectureTransposee(bez, autre);
    return 3;
}

// A torus reading that carries its patch keeps its cyclide; its piece is
// recomputed when the first one's corners are not the patch's.
void corrigerMorceauTore(Lecture& l) {
    if (morceauFini(l.morceau) && morceauFidele(l.rec, l.morceau, ECART_COINS))
        return;
    const MorceauCyclide m = morceauTore(l.rec);
    if (morceauFidele(l.rec, m, ECART_COINS))
        l.morceau = m;
}

Lecture lectureRetenue(const RBBPd& bez, int type, PlanConversion plan, double seuil,
                       bool normaliser);

// Every reading of the net moved to unit size (normaliserReseau), placed back:
// the conversion's absolute thresholds then mean the same at every size.
Lecture lectureNormalisee(const RBBPd& bez, int type, PlanConversion plan, double seuil) {
    ReseauUnite n;
    if (!normaliserReseau(bez, n))
        return Lecture();
    RBBPd unite(bez);
    static_cast<RBBP&>(unite) = n.net;
    return ramener(lectureRetenue(unite, type, plan, seuil, false), bez, n.echelle, n.centre);
}

// The reading kept: the first when exact, else the first exact later one
// (the net moved to unit size last, when normaliser), else the best later
// one when the first is not acceptable. A torus or sphere reading is exact
// only with a piece whose corners are the patch's.
Lecture lectureRetenue(const RBBPd& bez, int type, PlanConversion plan, double seuil,
                       bool normaliser) {
    const auto juste = [type](const Lecture& l) {
        return exacte(l) && (type != 2 || morceauFidele(l.rec, l.morceau, ECART_COINS));
    };
    Lecture premiere = lecturePlan(bez, type, plan);
    if (type == 2 && estCyclide(premiere.code) && premiere.residu <= RESIDU_EXACT)
        corrigerMorceauTore(premiere);
    if (juste(premiere))
        return premiere;
    Lecture autres[4];
    int n = autresLectures(bez, type, plan, autres);
    if (normaliser)
        autres[n++] = lectureNormalisee(bez, type, plan, seuil);
    const Lecture* meilleure = nullptr;
    for (int k = 0; k < n; ++k) {
        if (juste(autres[k]))
            return autres[k];
        if (meilleure == nullptr || autres[k].residu < meilleure->residu)
            meilleure = &autres[k];
    }
    const bool premiereAdmise = defaut(premiere, seuil).empty();
    if (!premiereAdmise && meilleure != nullptr && meilleure->residu < premiere.residu)
        return *meilleure;
    return premiere;
}

} // namespace

ConversionVerifiee convertirVerifie(const RBBPd& bez, int type, PlanConversion plan, double seuil) {
    ConversionVerifiee res;
    res.converti = bez;
    if (type != 1 && type != 2) {
        res.raison = "la construction ne donne pas un carreau convertible (type 0)";
        return res;
    }
    const Lecture l = lectureRetenue(bez, type, plan, seuil, true);
    res.converti = l.rec;
    res.residu = l.residu;
    res.raison = defaut(l, seuil);
    if (res.raison.empty()) {
        res.code = l.code;
        res.morceau = l.morceau;
        if (l.code == GenreCyclide::SphereDouble) {
            const double a = std::fabs(aDuTore(bez));
            res.saut = std::isfinite(a) ? a : 0;
        }
    }
    return res;
}

} // namespace cyclide
