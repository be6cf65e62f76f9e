#include "conversion/LectureSpheres.h"

#include "noyau/Constantes.h"

#include <Eigen/Dense>

#include <array>
#include <cmath>
#include <cstdlib>

namespace cyclide {

namespace {

using LD = long double;
using Sphere = Eigen::Matrix<double, 6, 1>;  // Lie coordinates of an oriented sphere
using Famille = Eigen::Matrix<double, 6, 3>; // a basis of a family's subspace, in columns
using V3 = Eigen::Vector3d;

// Points sampled per direction of the patch.
const int GRILLE = 7;
// Spheres sampled around a family's conic to read its ellipse.
const int TOUR = 12;

// x with the signs of Lie's form: <x, y> = x . lie(y).
Sphere lie(Sphere x) {
    x[0] = -x[0];
    x[5] = -x[5];
    return x;
}

using L3 = std::array<LD, 3>;

LD scalaire(const L3& a, const L3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// The point of the patch with its first derivatives and its second
// derivatives along u and along v.
struct Jet {
    L3 X, Xu, Xv, Xuu, Xvv;
};

// The jet at (u, v) from the rational tensor form N / W, in extended
// precision: X_u = (N_u - X W_u) / W, X_uu = (N_uu - 2 X_u W_u - X W_uu) / W.
Jet jetPatch(const RBBP& net, LD u, LD v) {
    const LD Bu[3] = {(1 - u) * (1 - u), 2 * u * (1 - u), u * u};
    const LD dBu[3] = {-2 * (1 - u), 2 - 4 * u, 2 * u};
    const LD Bv[3] = {(1 - v) * (1 - v), 2 * v * (1 - v), v * v};
    const LD dBv[3] = {-2 * (1 - v), 2 - 4 * v, 2 * v};
    const LD dd[3] = {2, -4, 2};
    LD H[4] = {0}, Hu[4] = {0}, Hv[4] = {0}, Huu[4] = {0}, Hvv[4] = {0};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const LD w = net.w[i][j];
            const Point& P = net.P[i][j];
            const LD h[4] = {w * P.getX0(), w * P.getY0(), w * P.getZ0(), w};
            for (int r = 0; r < 4; ++r) {
                H[r] += Bu[i] * Bv[j] * h[r];
                Hu[r] += dBu[i] * Bv[j] * h[r];
                Hv[r] += Bu[i] * dBv[j] * h[r];
                Huu[r] += dd[i] * Bv[j] * h[r];
                Hvv[r] += Bu[i] * dd[j] * h[r];
            }
        }
    Jet J;
    for (int r = 0; r < 3; ++r) {
        J.X[r] = H[r] / H[3];
        J.Xu[r] = (Hu[r] - J.X[r] * Hu[3]) / H[3];
        J.Xv[r] = (Hv[r] - J.X[r] * Hv[3]) / H[3];
        J.Xuu[r] = (Huu[r] - 2 * J.Xu[r] * Hu[3] - J.X[r] * Huu[3]) / H[3];
        J.Xvv[r] = (Hvv[r] - 2 * J.Xv[r] * Hv[3] - J.X[r] * Hvv[3]) / H[3];
    }
    return J;
}

// The oriented sphere that touches the surface at X, unit normal n, with
// the curvature k: centre X + n / k, radius -1 / k, its Lie coordinates
// multiplied by -k so that a plane (k = 0) is finite too.
Sphere sphereCourbure(const L3& X, const L3& n, LD k) {
    const LD kappa = -k, x2 = scalaire(X, X), xn = scalaire(X, n);
    Sphere s;
    s << static_cast<double>(kappa * (1 + x2) / 2 - xn),
        static_cast<double>(kappa * (1 - x2) / 2 + xn), static_cast<double>(kappa * X[0] - n[0]),
        static_cast<double>(kappa * X[1] - n[1]), static_cast<double>(kappa * X[2] - n[2]), 1;
    return s;
}

// The same sphere with the other orientation (the normal turned over),
// in the same scaling.
Sphere retournee(Sphere s) {
    s.head<5>() = -s.head<5>();
    return s;
}

// The two curvature spheres at (u, v): su, of the direction u (the same
// all along the line v = const), and sv. The isoparametric lines of a
// patch of a cyclide are its lines of curvature, so the normal curvatures
// along u and v are the principal ones.
// Degenerate: false where the normal or a curvature is not finite.
bool spheresEn(const RBBP& net, LD u, LD v, Sphere& su, Sphere& sv) {
    const Jet J = jetPatch(net, u, v);
    L3 n = {J.Xu[1] * J.Xv[2] - J.Xu[2] * J.Xv[1], J.Xu[2] * J.Xv[0] - J.Xu[0] * J.Xv[2],
            J.Xu[0] * J.Xv[1] - J.Xu[1] * J.Xv[0]};
    const LD longueur = std::sqrt(scalaire(n, n));
    for (LD& x : n)
        x /= longueur;
    const LD ku = scalaire(J.Xuu, n) / scalaire(J.Xu, J.Xu);
    const LD kv = scalaire(J.Xvv, n) / scalaire(J.Xv, J.Xv);
    su = sphereCourbure(J.X, n, ku);
    sv = sphereCourbure(J.X, n, kv);
    return su.allFinite() && sv.allFinite();
}

// The place of the grid's point (i, j) in the lists of spheres.
size_t indice(int i, int j) {
    return static_cast<size_t>(i) * GRILLE + static_cast<size_t>(j);
}

// The spheres of one family on the grid (at indice(i, j)), each
// oriented as its neighbour nearer the middle of the grid: the normal
// Xu x Xv turns over where the patch passes through a singular point of
// its cyclide, while the family of oriented spheres goes on smoothly.
void orienterParContinuite(std::vector<Sphere>& s) {
    const int m = GRILLE / 2;
    for (int rayon = 1; rayon <= 2 * m; ++rayon)
        for (int i = 0; i < GRILLE; ++i)
            for (int j = 0; j < GRILLE; ++j) {
                if (std::abs(i - m) + std::abs(j - m) != rayon)
                    continue;
                const int pi = i != m ? i - (i > m ? 1 : -1) : i;
                const int pj = i != m ? j : j - (j > m ? 1 : -1);
                const Sphere voisine = s[indice(pi, pj)].normalized();
                Sphere& x = s[indice(i, j)];
                const Sphere autre = retournee(x);
                if (std::fabs(autre.normalized().dot(voisine)) >
                    std::fabs(x.normalized().dot(voisine)))
                    x = autre;
            }
}

// The subspace that the spheres span best: the first three right singular
// vectors of the unit spheres (oriented by continuity).
Famille sousEspace(std::vector<Sphere> s) {
    orienterParContinuite(s);
    Eigen::MatrixXd M(s.size(), 6);
    for (size_t k = 0; k < s.size(); ++k)
        M.row(static_cast<Eigen::Index>(k)) = s[k].normalized().transpose();
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(M, Eigen::ComputeFullV);
    return svd.matrixV().leftCols(3);
}

// The vectors orthogonal, in Lie's form, to the columns of F.
Famille complement(const Famille& F) {
    Eigen::Matrix<double, 3, 6> M;
    for (int k = 0; k < 3; ++k)
        M.row(k) = lie(F.col(k)).transpose();
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(M, Eigen::ComputeFullV);
    return svd.matrixV().rightCols(3);
}

// TOUR spheres of the family F spread round its conic (the null vectors of
// F), as centres and radii.
// Degenerate: false when the null vectors of F are not a conic (Lie's form
// on F not of signature (2, 1) or (1, 2)) or one of the spheres is a plane.
bool spheresDuTour(const Famille& F, Eigen::Matrix<double, TOUR, 3>& centres,
                   Eigen::Matrix<double, TOUR, 1>& rayons) {
    const Eigen::Matrix3d G = F.transpose() * (Sphere(-1, 1, 1, 1, 1, -1).asDiagonal() * F);
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> es(G);
    const V3& e = es.eigenvalues();
    const int positives = static_cast<int>((e.array() > 0).count());
    if (positives != 1 && positives != 2)
        return false;
    // The two eigenvectors of one sign span the circle, the third its axis.
    const int seul = positives == 2 ? 0 : 2, i1 = positives == 2 ? 1 : 0,
              i2 = positives == 2 ? 2 : 1;
    const V3 w1 = es.eigenvectors().col(i1) / std::sqrt(std::fabs(e[i1]));
    const V3 w2 = es.eigenvectors().col(i2) / std::sqrt(std::fabs(e[i2]));
    const V3 w3 = es.eigenvectors().col(seul) / std::sqrt(std::fabs(e[seul]));
    // The first two coordinates' sum vanishes on planes: it must keep one
    // sign all round.
    const auto somme = [&](const V3& l) {
        const Sphere s = F * l;
        return s[0] + s[1];
    };
    if (!(std::fabs(somme(w3)) > std::hypot(somme(w1), somme(w2))))
        return false;
    for (int k = 0; k < TOUR; ++k) {
        const double t = DEUX_PI * k / TOUR;
        Sphere s = F * (std::cos(t) * w1 + std::sin(t) * w2 + w3);
        s /= s[0] + s[1];
        centres.row(k) << s[2], s[3], s[4];
        rayons[k] = s[5];
    }
    return centres.allFinite() && rayons.allFinite();
}

// An ellipse in space.
struct Ellipse {
    V3 centre;    // its centre
    V3 grandAxe;  // unit, along its major axis
    V3 normale;   // unit, normal to its plane
    double a = 0; // its semi-major axis
};

// The ellipse through the points (a plane's best fit, then the conic
// through the points in it).
// Degenerate: false when the conic is not an ellipse.
bool ellipsePar(const Eigen::Matrix<double, TOUR, 3>& m, Ellipse& el) {
    const Eigen::RowVector3d g = m.colwise().mean();
    const Eigen::Matrix<double, TOUR, 3> d = m.rowwise() - g;
    const Eigen::JacobiSVD<Eigen::MatrixXd> plan(d, Eigen::ComputeFullV);
    const V3 ex = plan.matrixV().col(0), ey = plan.matrixV().col(1);
    const double unite = d.cwiseAbs().maxCoeff();
    if (!(unite > 0))
        return false;
    Eigen::Matrix<double, TOUR, 6> conique;
    for (int k = 0; k < TOUR; ++k) {
        const double x = d.row(k).dot(ex) / unite, y = d.row(k).dot(ey) / unite;
        conique.row(k) << x * x, x * y, y * y, x, y, 1;
    }
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(conique, Eigen::ComputeFullV);
    const Eigen::Matrix<double, 6, 1> q = svd.matrixV().col(5);
    Eigen::Matrix2d A;
    A << q[0], q[1] / 2, q[1] / 2, q[2];
    const Eigen::Vector2d c = A.fullPivLu().solve(Eigen::Vector2d(-q[3] / 2, -q[4] / 2));
    const double valeur = c.dot(A * c) + q[3] * c[0] + q[4] * c[1] + q[5];
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix2d> axes(A);
    // The semi-axes squared, larger first (the smaller eigenvalue).
    const double s0 = -valeur / axes.eigenvalues()[0], s1 = -valeur / axes.eigenvalues()[1];
    const int grand = s0 >= s1 ? 0 : 1;
    if (!(s0 > 0 && s1 > 0))
        return false;
    const Eigen::Vector2d dir = axes.eigenvectors().col(grand);
    el.centre = g.transpose() + unite * (c[0] * ex + c[1] * ey);
    el.grandAxe = (dir[0] * ex + dir[1] * ey).normalized();
    el.normale = ex.cross(ey).normalized();
    el.a = unite * std::sqrt(std::max(s0, s1));
    return true;
}

// The cyclide whose finite-radius family of spheres is F: the ellipse of
// the centres gives a, the frame and the centre; the radii, mu - c cos t
// with cos t = (m - centre) . i0 / a, give mu and c.
// Degenerate: false when F is not such a family.
bool lireFamille(const Famille& F, CyclideRepere& cy) {
    Eigen::Matrix<double, TOUR, 3> centres;
    Eigen::Matrix<double, TOUR, 1> rayons;
    Ellipse el;
    if (!spheresDuTour(F, centres, rayons) || !ellipsePar(centres, el))
        return false;
    Eigen::Matrix<double, TOUR, 2> M;
    for (int k = 0; k < TOUR; ++k)
        M.row(k) << 1, (centres.row(k).transpose() - el.centre).dot(el.grandAxe) / el.a;
    const Eigen::Vector2d muC = M.colPivHouseholderQr().solve(rayons);
    cy.a = el.a;
    cy.c = -muC[1];
    cy.mu = muC[0];
    cy.omega.init(el.centre[0], el.centre[1], el.centre[2]);
    const V3 j0 = el.normale.cross(el.grandAxe);
    for (int r = 0; r < 3; ++r) {
        cy.Base[r][0] = el.grandAxe[r];
        cy.Base[r][1] = j0[r];
        cy.Base[r][2] = el.normale[r];
    }
    return std::isfinite(cy.a) && std::isfinite(cy.c) && std::isfinite(cy.mu) && cy.a > 0;
}

} // namespace

std::vector<CyclideCandidate> lecturesParSpheres(const RBBP& net) {
    std::vector<Sphere> lesU, lesV;
    for (int i = 0; i < GRILLE; ++i)
        for (int j = 0; j < GRILLE; ++j) {
            Sphere su, sv;
            if (!spheresEn(net, static_cast<LD>(i) / (GRILLE - 1),
                           static_cast<LD>(j) / (GRILLE - 1), su, sv))
                return {};
            lesU.push_back(su);
            lesV.push_back(sv);
        }
    const Famille U = sousEspace(lesU), V = sousEspace(lesV);
    std::vector<CyclideCandidate> res;
    for (const Famille& F : {U, V, complement(V), complement(U)}) {
        CyclideCandidate l;
        if (lireFamille(F, l.cyclide))
            res.push_back(l);
    }
    return res;
}

} // namespace cyclide
