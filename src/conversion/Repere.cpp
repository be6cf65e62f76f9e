#include "conversion/Repere.h"

#include <cmath>

namespace cyclide {

void inverseMatrice(const double M[3][3], double inv[3][3]) {
    const double a1 = M[0][0], b1 = M[0][1], c1 = M[0][2];
    const double a2 = M[1][0], b2 = M[1][1], c2 = M[1][2];
    const double a3 = M[2][0], b3 = M[2][1], c3 = M[2][2];
    const double delta =
        -a1 * b2 * c3 + a1 * c2 * b3 + a2 * b1 * c3 - a2 * c1 * b3 - a3 * b1 * c2 + a3 * c1 * b2;
    inv[0][0] = -(b2 * c3 - c2 * b3) / delta;
    inv[0][1] = (b1 * c3 - c1 * b3) / delta;
    inv[0][2] = (-b1 * c2 + c1 * b2) / delta;
    inv[1][0] = (a2 * c3 - c2 * a3) / delta;
    inv[1][1] = -(a1 * c3 - c1 * a3) / delta;
    inv[1][2] = -(-a1 * c2 + c1 * a2) / delta;
    inv[2][0] = -(a2 * b3 - b2 * a3) / delta;
    inv[2][1] = -(-a1 * b3 + b1 * a3) / delta;
    inv[2][2] = (-a1 * b2 + b1 * a2) / delta;
}

CyclideRepere cyclidePlacee(double a, double c, double mu, const Point& omega,
                            const double Base[3][3]) {
    CyclideRepere cy;
    cy.a = a;
    cy.c = c;
    cy.mu = mu;
    cy.omega = omega;
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            cy.Base[r][k] = Base[r][k];
    return cy;
}

PassageRepere passageRepere(const double Base[3][3], const Point& omega) {
    PassageRepere p{};
    inverseMatrice(Base, p.inv);
    for (int r = 0; r < 3; ++r)
        p.origine[r] = -(p.inv[r][0] * omega.getX0() + p.inv[r][1] * omega.getY0() +
                         p.inv[r][2] * omega.getZ0());
    return p;
}

Coord3 versRepere(const PassageRepere& passage, const Point& X) {
    const double(&M)[3][3] = passage.inv;
    Coord3 q;
    for (int r = 0; r < 3; ++r)
        q[r] = M[r][0] * X.getX0() + M[r][1] * X.getY0() + M[r][2] * X.getZ0() + passage.origine[r];
    return q;
}

Coord3 versMonde(const double Base[3][3], const Point& omega, const Coord3& q) {
    const double o[3] = {omega.getX0(), omega.getY0(), omega.getZ0()};
    Coord3 x;
    for (int r = 0; r < 3; ++r)
        x[r] = Base[r][0] * q[0] + Base[r][1] * q[1] + Base[r][2] * q[2] + o[r];
    return x;
}

void poserBase(double Base[3][3], const vect& i0, const vect& j0, const vect& k0) {
    const vect axes[3] = {i0, j0, k0};
    for (int k = 0; k < 3; ++k) {
        Base[0][k] = axes[k].abs();
        Base[1][k] = axes[k].ord();
        Base[2][k] = axes[k].cote();
    }
}

bool cyclideFinie(const CyclideRepere& cy) {
    bool ok = std::isfinite(cy.a) && std::isfinite(cy.c) && std::isfinite(cy.mu) &&
              std::isfinite(cy.omega.getX0()) && std::isfinite(cy.omega.getY0()) &&
              std::isfinite(cy.omega.getZ0());
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            ok = ok && std::isfinite(cy.Base[i][j]);
    return ok;
}

} // namespace cyclide
