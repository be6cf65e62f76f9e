#include "conversion/AffinageCyclide.h"

#include "conversion/ModeleCyclide.h"
#include "conversion/Residu.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <limits>

namespace cyclide {

namespace {

using V3 = Eigen::Vector3d;
using M3 = Eigen::Matrix3d;

// The unknowns in the order of the Jacobian's columns: a, c, mu, the
// centre, a rotation of the whole cyclide about the world origin (c left
// out for a torus). Turning about the origin, which the caller puts at the
// patch, keeps the rotation from moving the patch by the cyclide's size.
struct Etat {
    double a, c, mu;
    V3 omega;
    M3 base;
    double angles[4]; // u0, u1, v0, v1 of the piece, when the corners are fitted
};

Etat depuis(const CyclideRepere& cy, const MorceauCyclide& m = MorceauCyclide()) {
    Etat e{cy.a,  cy.c,
           cy.mu, {cy.omega.getX0(), cy.omega.getY0(), cy.omega.getZ0()},
           M3(),  {m.u0, m.u1, m.v0, m.v1}};
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            e.base(r, k) = cy.Base[r][k];
    return e;
}

// Writes the state's cyclide into cy, field by field.
void ecrireCyclide(const Etat& e, CyclideRepere& cy) {
    cy.a = e.a;
    cy.c = e.c;
    cy.mu = e.mu;
    cy.omega.init(e.omega.x(), e.omega.y(), e.omega.z());
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            cy.Base[r][k] = e.base(r, k);
}

// What is fitted: the sample points, and the corners when the piece's
// angles are unknowns too (coin k at the angles (u[k], v[k]) of the piece).
// The columns: the free ones of a, c, mu (c held for a torus, a and c for
// a sphere), then the centre, the rotation and the piece's angles.
struct Probleme {
    const Echantillons& pts;
    bool tore;
    bool coins;
    V3 coin[4];
    int iu[4], iv[4];                     // indices into Etat::angles
    bool sphere = false;                  // a held at 0 as well
    bool tenu[3] = {false, false, false}; // a, c, mu held at their start as well
    bool approfondi = false;              // the steps for a patch much smaller than its cyclide
    double bruit = 0;                     // rounding of the points
    bool libre(int k) const {
        return !tenu[k] && (k == 2 || (k == 0 && !sphere) || (k == 1 && !tore));
    }
    // The column of parameter k (0 a, 1 c, 2 mu); -1 when it is held.
    int colonne(int k) const {
        int col = 0;
        for (int i = 0; i < k; ++i)
            col += libre(i) ? 1 : 0;
        return libre(k) ? col : -1;
    }
    // The centre's columns follow the free ones of a, c, mu (mu may be held).
    int centre() const { return (libre(0) ? 1 : 0) + (libre(1) ? 1 : 0) + (libre(2) ? 1 : 0); }
    int rotation() const { return centre() + 3; }
    int angles() const { return rotation() + 3; }
    int colonnes() const { return angles() + (coins ? 4 : 0); }
    int lignes() const { return static_cast<int>(pts.size()) + (coins ? 12 : 0); }
};

// The corner rows: the cyclide's point at the corner's angles placed in the
// world, minus the corner. Derivatives in a, c, mu and the angles by
// forward differences (their 1e-8 relative error only slows the last step
// a little), in the centre and the rotation exactly.
bool lignesCoins(const Probleme& pb, const Etat& e, Eigen::VectorXd& r, Eigen::MatrixXd* J) {
    const int n = static_cast<int>(pb.pts.size());
    for (int k = 0; k < 4; ++k) {
        const double t = e.angles[pb.iu[k]], p = e.angles[pb.iv[k]];
        const V3 q = pointAngles(e.a, e.c, e.mu, t, p);
        const V3 X = e.base * q + e.omega;
        r.segment<3>(n + 3 * k) = X - pb.coin[k];
        if (!X.allFinite())
            return false;
        if (J == nullptr)
            continue;
        auto& M = *J;
        M.block(n + 3 * k, 0, 3, pb.colonnes()).setZero();
        double v[5] = {e.a, e.c, e.mu, t, p};
        for (int d = 0; d < 5; ++d) {
            if (d < 3 && !pb.libre(d))
                continue;
            const double h = 1e-6 * std::max(1.0, std::fabs(v[d]));
            double vp[5], vm[5];
            std::copy(v, v + 5, vp);
            std::copy(v, v + 5, vm);
            vp[d] += h;
            vm[d] -= h;
            const V3 dq = (pointAngles(vp[0], vp[1], vp[2], vp[3], vp[4]) -
                           pointAngles(vm[0], vm[1], vm[2], vm[3], vm[4])) /
                          (2 * h);
            const V3 dX = e.base * dq;
            if (d < 3)
                M.block<3, 1>(n + 3 * k, pb.colonne(d)) = dX;
            else
                M.block<3, 1>(n + 3 * k, pb.angles() + (d == 3 ? pb.iu[k] : pb.iv[k])) += dX;
        }
        M.block<3, 3>(n + 3 * k, pb.centre()) = M3::Identity();
        for (int i = 0; i < 3; ++i)
            M.block<3, 1>(n + 3 * k, pb.rotation() + i) = V3::Unit(i).cross(X);
    }
    return true;
}

// The residuals of the points, F / |grad F| (first-order distances), and,
// when J is given, their Jacobian; false when a value is not finite. With
// poids, F is divided by those fixed norms instead: the residual is then a
// polynomial in the unknowns whose Jacobian is exact, which a step needs to
// resolve the directions the patch determines only weakly (the norm's own
// derivative, left out, would be larger than they are).
bool residus(const Probleme& pb, const Etat& e, Eigen::VectorXd& r, Eigen::MatrixXd* J,
             const Eigen::VectorXd* poids = nullptr) {
    const Echantillons& pts = pb.pts;
    const bool tore = pb.tore;
    const int n = static_cast<int>(pts.size());
    r.resize(pb.lignes());
    if (J != nullptr)
        J->setZero(pb.lignes(), pb.colonnes());
    for (int k = 0; k < n; ++k) {
        const V3 X(pts[k][0], pts[k][1], pts[k][2]);
        const V3 q = e.base.transpose() * (X - e.omega);
        V3 grad, dp;
        double ng = 1;
        if (tore) {
            const DistanceTore d = distanceTore(e.a, e.mu, q);
            r(k) = d.valeur;
            grad = d.gradient;
            dp = {d.dA, 0, d.dMu};
        } else {
            const Implicite f = implicite(e.a, e.c, e.mu, q);
            grad = f.gradient;
            ng = poids != nullptr ? (*poids)(k) : grad.norm();
            r(k) = f.valeur / ng;
            dp = deriveesParametres(e.a, e.c, e.mu, q) / ng;
        }
        if (!std::isfinite(r(k)) || !(ng > 0) || !grad.allFinite())
            return false;
        if (J == nullptr)
            continue;
        const V3 dOmega = -(e.base * grad) / ng;
        const V3 dRot = (e.base * grad).cross(X) / ng;
        for (int i = 0; i < 3; ++i) {
            if (pb.libre(i))
                (*J)(k, pb.colonne(i)) = dp(i);
            (*J)(k, pb.centre() + i) = dOmega(i);
            (*J)(k, pb.rotation() + i) = dRot(i);
        }
    }
    return !pb.coins || lignesCoins(pb, e, r, J);
}

// A change of a, c, mu that keeps the cyclide's point at the middle of the
// piece where it was, with its tangents and normal: the centre and the frame
// move with the shape, so that near the patch the step changes only the
// curvatures and what follows them. Without it, a step that the patch
// barely determines (a, c or mu of a patch much smaller than its cyclide)
// swings the far centre, and the patch with it, by far more than the step's
// own first-order effect. In: e the state before the step, s with the new
// a, c, mu and e's placement. Out: s placed; the step's translation is
// added after the frame has moved. A singular point at the middle leaves
// s's placement as it was.
void garderMilieu(const Etat& e, const V3& translation, Etat& s) {
    if (s.a == e.a && s.c == e.c && s.mu == e.mu)
        return;
    const double t = (e.angles[0] + e.angles[1]) / 2, p = (e.angles[2] + e.angles[3]) / 2;
    RepereLocal avant, apres;
    if (!repereLocal(e.a, e.c, e.mu, t, p, avant) || !repereLocal(s.a, s.c, s.mu, t, p, apres))
        return;
    const V3 milieu = e.base * avant.point + e.omega;
    s.base = e.base * avant.axes * apres.axes.transpose();
    s.omega = milieu - s.base * apres.point + translation;
}

// The state moved by the step d (columns as in residus).
Etat avancer(const Probleme& pb, const Etat& e, const Eigen::VectorXd& d) {
    Etat s = e;
    double* parametres[3] = {&s.a, &s.c, &s.mu};
    for (int i = 0; i < 3; ++i)
        if (pb.libre(i))
            *parametres[i] += d(pb.colonne(i));
    for (int i = 0; i < 3; ++i)
        s.omega(i) += d(pb.centre() + i);
    const V3 rho(d(pb.rotation()), d(pb.rotation() + 1), d(pb.rotation() + 2));
    for (int k = 0; pb.coins && k < 4; ++k)
        s.angles[k] += d(pb.angles() + k);
    if (pb.approfondi && pb.coins)
        garderMilieu(e, d.segment<3>(pb.centre()), s);
    if (rho.norm() > 0) {
        const M3 R = Eigen::AngleAxisd(rho.norm(), rho.normalized()).toRotationMatrix();
        s.base = R * s.base;
        s.omega = R * s.omega;
    }
    // Re-orthonormalise against the drift of many small rotations (the
    // anchored steps compose exact rotations: their rounding, 1e-16 of a
    // turn, moves the far centre less than a re-orthonormalisation would).
    if (pb.approfondi)
        return s;
    const Eigen::HouseholderQR<M3> qr(s.base);
    M3 Q = qr.householderQ();
    for (int k = 0; k < 3; ++k)
        if (Q.col(k).dot(s.base.col(k)) < 0)
            Q.col(k) = -Q.col(k);
    s.base = Q;
    return s;
}

double cout(const Probleme& pb, const Etat& e, const Eigen::VectorXd* poids = nullptr) {
    Eigen::VectorXd r;
    if (!residus(pb, e, r, nullptr, poids))
        return std::numeric_limits<double>::infinity();
    return r.squaredNorm();
}

// The columns of a, c, mu for the anchored steps (garderMilieu), by central
// differences of the residuals: the placement's change with the shape has
// no short closed form.
bool colonnesAncrees(const Probleme& pb, const Etat& e, const Eigen::VectorXd& poids,
                     Eigen::MatrixXd& J) {
    if (!pb.coins)
        return true;
    const double taille = std::max(std::fabs(e.a), std::fabs(e.mu));
    for (int k = 0; k < 3; ++k) {
        if (!pb.libre(k))
            continue;
        Eigen::VectorXd d = Eigen::VectorXd::Zero(pb.colonnes());
        const double h = 1e-6 * taille;
        d(pb.colonne(k)) = h;
        Eigen::VectorXd plus, moins;
        if (!residus(pb, avancer(pb, e, d), plus, nullptr, &poids) ||
            !residus(pb, avancer(pb, e, -d), moins, nullptr, &poids))
            return false;
        J.col(pb.colonne(k)) = (plus - moins) / (2 * h);
    }
    return true;
}

// The trial point e + d brought back to the floor of the valley: chord
// steps (the Jacobian at e, not at the trial point) in the directions that
// the patch determines well, singular values above 1e-3 of the largest.
// Along the valley the shapes that carry the patch lie on a curve: a step
// along its tangent climbs out of it by the square of its length, which
// only these directions undo. Out: the corrected point and its cost c.
Etat ramenerAuFond(const Probleme& pb, const Etat& e, const Eigen::VectorXd& d,
                   const Eigen::JacobiSVD<Eigen::MatrixXd>& svd, const Eigen::VectorXd& echelle,
                   const Eigen::VectorXd& poids, double& c) {
    const Eigen::VectorXd& sigma = svd.singularValues();
    Etat t = avancer(pb, e, d);
    c = cout(pb, t, &poids);
    for (int k = 0; k < 10 && std::isfinite(c); ++k) {
        Eigen::VectorXd r;
        if (!residus(pb, t, r, nullptr, &poids))
            break;
        const Eigen::VectorXd ur = svd.matrixU().transpose() * r;
        Eigen::VectorXd f = Eigen::VectorXd::Zero(sigma.size());
        for (Eigen::Index i = 0; i < sigma.size(); ++i)
            if (sigma(i) > 1e-3 * sigma(0))
                f(i) = -ur(i) / sigma(i);
        const Etat t2 = avancer(pb, t, (svd.matrixV() * f).cwiseQuotient(echelle));
        const double c2 = cout(pb, t2, &poids);
        if (!(c2 < c))
            break;
        t = t2;
        c = c2;
    }
    return t;
}

// The step of a patch much smaller than its cyclide. The directions the
// patch determines only to its rounding (a component of the residual along
// them no larger than a hundred times the rounding, or a singular value
// below 1e-12 of the largest) are left out. The undamped Gauss-Newton step
// is tried first, then the same without the direction of the smallest
// singular value, then without the two smallest, and so on: along those the
// linear model may overshoot by far, while no damping that tames them would
// let the others converge. Each trial is brought back to the valley's floor
// (ramenerAuFond); damped steps come last.
// In: the column-scaled Jacobian Js at e, the residuals r, the columns'
// scales, the cost base at e.
bool pasTronque(const Probleme& pb, Etat& e, const Eigen::MatrixXd& Js, const Eigen::VectorXd& r,
                const Eigen::VectorXd& echelle, const Eigen::VectorXd& poids, double base,
                double& cost, double& lambda) {
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(Js, Eigen::ComputeThinU | Eigen::ComputeThinV);
    const Eigen::VectorXd& sigma = svd.singularValues();
    const Eigen::VectorXd utr = svd.matrixU().transpose() * (-r);
    const Eigen::Index p = sigma.size();
    // At the optimum the step's predicted decrease |U^T r|^2 vanishes.
    if (utr.squaredNorm() <= 1e-8 * base)
        return false;
    auto resolu = [&](Eigen::Index i) {
        return sigma(i) > 1e-12 * sigma(0) && std::fabs(utr(i)) > 100 * pb.bruit;
    };
    auto accepter = [&](const Etat& s, double c2) {
        e = s;
        cost = cout(pb, e);
        return c2 < base * (1 - 1e-10);
    };
    for (Eigen::Index rang = p; rang >= 1; --rang) {
        Eigen::VectorXd f = Eigen::VectorXd::Zero(p);
        for (Eigen::Index i = 0; i < rang; ++i)
            if (resolu(i))
                f(i) = utr(i) / sigma(i);
        double c2;
        const Etat s = ramenerAuFond(pb, e, (svd.matrixV() * f).cwiseQuotient(echelle), svd,
                                     echelle, poids, c2);
        if (c2 < base)
            return accepter(s, c2);
    }
    for (int essai = 0; essai < 8; ++essai) {
        Eigen::VectorXd f = Eigen::VectorXd::Zero(p);
        for (Eigen::Index i = 0; i < p; ++i)
            if (resolu(i))
                f(i) = sigma(i) / (sigma(i) * sigma(i) + lambda) * utr(i);
        const Etat s = avancer(pb, e, (svd.matrixV() * f).cwiseQuotient(echelle));
        const double c2 = cout(pb, s, &poids);
        if (c2 < base) {
            lambda = std::max(lambda / 10, 1e-20);
            return accepter(s, c2);
        }
        lambda = std::max(lambda * 10, 1e-12);
    }
    return false;
}

// One Levenberg-Marquardt step from e: the damping grows until the cost
// falls; false when no damping makes it fall.
bool pas(const Probleme& pb, Etat& e, double& cost, double& lambda) {
    Eigen::VectorXd r;
    Eigen::MatrixXd J;
    Eigen::VectorXd poids(static_cast<Eigen::Index>(pb.pts.size()));
    for (size_t k = 0; k < pb.pts.size(); ++k) {
        const V3 X(pb.pts[k][0], pb.pts[k][1], pb.pts[k][2]);
        poids(static_cast<Eigen::Index>(k)) =
            implicite(e.a, e.c, e.mu, e.base.transpose() * (X - e.omega)).gradient.norm();
    }
    if (!residus(pb, e, r, &J, &poids) || (pb.approfondi && !colonnesAncrees(pb, e, poids, J)))
        return false;
    // Columns scaled to unit length; J = Q R once, then each damping's step
    // from the small stacked system [R; sqrt(lambda) I], never through
    // J^T J, whose condition is the square of J's (large for a patch much
    // smaller than its cyclide).
    const Eigen::VectorXd echelle = J.colwise().norm().transpose().cwiseMax(1e-300);
    const Eigen::MatrixXd Js = J * echelle.cwiseInverse().asDiagonal();
    const double base = r.squaredNorm();
    if (pb.approfondi)
        return pasTronque(pb, e, Js, r, echelle, poids, base, cost, lambda);
    const Eigen::Index p = J.cols();
    const Eigen::HouseholderQR<Eigen::MatrixXd> qr(Js);
    const Eigen::MatrixXd R = qr.matrixQR().topRows(p).triangularView<Eigen::Upper>();
    const Eigen::VectorXd qtr = (qr.householderQ().transpose() * (-r)).head(p);
    // At the optimum the step's predicted decrease |Q^T r|^2 vanishes.
    if (qtr.squaredNorm() <= 1e-8 * base)
        return false;
    Eigen::MatrixXd pile(2 * p, p);
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(2 * p);
    pile.topRows(p) = R;
    rhs.head(p) = qtr;
    for (int essai = 0; essai < 8; ++essai) {
        pile.bottomRows(p) = std::sqrt(lambda) * Eigen::MatrixXd::Identity(p, p);
        const Eigen::VectorXd ds = pile.colPivHouseholderQr().solve(rhs);
        const Eigen::VectorXd d = ds.cwiseQuotient(echelle);
        const Etat essaiEtat = avancer(pb, e, d);
        const double c2 = cout(pb, essaiEtat, &poids);
        if (c2 < base) {
            const bool utile = c2 < base * (1 - 1e-10);
            e = essaiEtat;
            cost = cout(pb, e);
            lambda = std::max(lambda / 10, 1e-20);
            return utile;
        }
        lambda = std::max(lambda * 10, 1e-12);
    }
    return false;
}

// Standard uncertainties of a, c, mu from the Jacobian at e: the diagonal
// of sigma^2 (J^T J)^-1, from the QR factors of the column-scaled J
// (directions the points leave free, such as a sphere's axes, are held).
void incertitudes(const Probleme& pb, const Etat& e, double sigma, double out[3]) {
    for (int i = 0; i < 3; ++i)
        out[i] = std::numeric_limits<double>::infinity();
    Eigen::VectorXd r;
    Eigen::MatrixXd J;
    if (!residus(pb, e, r, &J))
        return;
    const Eigen::VectorXd echelle = J.colwise().norm().transpose().cwiseMax(1e-300);
    const Eigen::MatrixXd Js = J * echelle.cwiseInverse().asDiagonal();
    // Js = Q R: (Js^T Js)^-1 = R^-1 R^-T. A column that the others already
    // give (a tiny diagonal term of R: a direction the points leave free) is
    // held, and the factorisation made again without it.
    std::vector<Eigen::Index> gardees;
    for (Eigen::Index k = 0; k < Js.cols(); ++k)
        gardees.push_back(k);
    Eigen::MatrixXd Rinv;
    for (int essai = 0; essai < 2; ++essai) {
        const Eigen::HouseholderQR<Eigen::MatrixXd> qr(Js(Eigen::all, gardees));
        const auto n = static_cast<Eigen::Index>(gardees.size());
        if (n == 0 || Js.rows() < n)
            return;
        const Eigen::MatrixXd R = qr.matrixQR().topRows(n).triangularView<Eigen::Upper>();
        const double plusGrand = R.diagonal().cwiseAbs().maxCoeff();
        if (!(plusGrand > 0) || !std::isfinite(plusGrand))
            return;
        std::vector<Eigen::Index> libres;
        for (Eigen::Index k = 0; k < n; ++k)
            if (std::fabs(R(k, k)) > 1e-13 * plusGrand)
                libres.push_back(gardees[static_cast<size_t>(k)]);
        if (libres.size() == gardees.size() || essai == 1) {
            Rinv = R.triangularView<Eigen::Upper>().solve(Eigen::MatrixXd::Identity(n, n));
            break;
        }
        gardees = libres;
    }
    const auto ecart = [&](int col) {
        for (size_t k = 0; k < gardees.size(); ++k)
            if (gardees[k] == col)
                return sigma * Rinv.row(static_cast<Eigen::Index>(k)).norm() / echelle(col);
        return 0.0;
    };
    for (int i = 0; i < 3; ++i)
        out[i] = pb.libre(i) ? ecart(pb.colonne(i)) : 0;
}

} // namespace

void incertitudeSansCoins(const Echantillons& points, const CyclideRepere& cyclide, double bruit,
                          double incertitude[3]) {
    Probleme pb{points, cyclide.c == 0, false, {}, {}, {}};
    pb.sphere = pb.tore && cyclide.a == 0;
    Eigen::VectorXd r;
    Eigen::MatrixXd J;
    for (int i = 0; i < 3; ++i)
        incertitude[i] = std::numeric_limits<double>::infinity();
    if (!residus(pb, depuis(cyclide), r, &J))
        return;
    const Eigen::VectorXd echelle = J.colwise().norm().transpose().cwiseMax(1e-300);
    const Eigen::MatrixXd Js = J * echelle.cwiseInverse().asDiagonal();
    const Eigen::MatrixXd A = Js.transpose() * Js;
    const Eigen::MatrixXd inv = A.ldlt().solve(Eigen::MatrixXd::Identity(A.rows(), A.cols()));
    const double n = static_cast<double>(r.size());
    const double sigma = std::max(std::sqrt(r.squaredNorm() / std::max(1.0, n - pb.colonnes())),
                                  bruit * std::sqrt(n));
    for (int i = 0; i < 3; ++i)
        if (pb.libre(i)) {
            const int k = pb.colonne(i);
            incertitude[i] = sigma * std::sqrt(std::fabs(inv(k, k))) / echelle(k);
        } else {
            incertitude[i] = 0;
        }
}

double coutCyclide(const Echantillons& points, const CyclideRepere& cyclide) {
    const Probleme pb{points, false, false, {}, {}, {}};
    return cout(pb, depuis(cyclide));
}

namespace {

V3 coinDe(const RBBP& net, int i, int j) {
    const Point& P = net.P[i][j];
    return {P.getX0(), P.getY0(), P.getZ0()};
}

// The corners and which angles of the piece they sit at: P00 at (u0, v1),
// P22 at (u1, v0), and P20, P02 at (u0, v0), (u1, v1) in the order that
// fits the starting piece better.
void poserCoins(Probleme& pb, const RBBP& net, const Etat& e) {
    enum { U0, U1, V0, V1 };
    const V3 P00 = coinDe(net, 0, 0), P22 = coinDe(net, 2, 2);
    const V3 P20 = coinDe(net, 2, 0), P02 = coinDe(net, 0, 2);
    const auto monde = [&](int iu, int iv) -> V3 {
        return e.base * pointAngles(e.a, e.c, e.mu, e.angles[iu], e.angles[iv]) + e.omega;
    };
    const double droit = (monde(U0, V0) - P20).norm() + (monde(U1, V1) - P02).norm();
    const double croise = (monde(U0, V0) - P02).norm() + (monde(U1, V1) - P20).norm();
    const V3 coinU0V0 = droit <= croise ? P20 : P02, coinU1V1 = droit <= croise ? P02 : P20;
    const V3 coins[4] = {P00, P22, coinU0V0, coinU1V1};
    const int iu[4] = {U0, U1, U0, U1}, iv[4] = {V1, V0, V0, V1};
    for (int k = 0; k < 4; ++k) {
        pb.coin[k] = coins[k];
        pb.iu[k] = iu[k];
        pb.iv[k] = iv[k];
    }
}

} // namespace

CyclideRepere changerForme(const CyclideRepere& cyclide, const MorceauCyclide& morceau, double a,
                           double c, double mu) {
    const Etat e = depuis(cyclide, morceau);
    Etat s = e;
    s.a = a, s.c = c, s.mu = mu;
    garderMilieu(e, V3::Zero(), s);
    CyclideRepere res;
    ecrireCyclide(s, res);
    return res;
}

CyclideAffinee affinerCyclide(const Echantillons& points, const CyclideRepere& depart,
                              const OptionsAffinage& options) {
    CyclideAffinee res;
    Etat e = depuis(depart, options.morceau); // the piece's angles, used with the corners
    if (options.tore)
        e.c = 0;
    if (options.sphere)
        e.a = 0;
    Probleme pb{points, options.tore || options.sphere, options.net != nullptr, {}, {}, {}};
    pb.sphere = options.sphere;
    pb.approfondi = options.approfondi;
    pb.bruit = options.bruit;
    for (int k = 0; k < 3; ++k)
        pb.tenu[k] = options.tenus[k];
    if (pb.coins)
        poserCoins(pb, *options.net, e);
    double cost = cout(pb, e);
    if (!std::isfinite(cost) || points.size() < 10) {
        ecrireCyclide(e, res.cyclide);
        return res;
    }
    double lambda = 1e-4;
    // Below this the distances are the rounding of the points: stop there.
    const double plancher = 16 * static_cast<double>(pb.lignes()) * options.bruit * options.bruit;
    for (int it = 0; it < options.iterationsMax && cost > plancher; ++it)
        if (!pas(pb, e, cost, lambda))
            break;
    ecrireCyclide(e, res.cyclide);
    res.morceau = {e.angles[0], e.angles[1], e.angles[2], e.angles[3]};
    const double n = static_cast<double>(pb.lignes());
    res.ecartType = std::sqrt(cost / n);
    // The rounding of the net's numbers moves every point together, not
    // each on its own: counted once per row, it is not averaged away.
    const double sigma =
        std::max(std::sqrt(cost / std::max(1.0, n - pb.colonnes())), options.bruit * std::sqrt(n));
    incertitudes(pb, e, sigma, res.incertitude);
    res.fini = cyclideFinie(res.cyclide) && std::isfinite(res.ecartType);
    return res;
}

} // namespace cyclide
