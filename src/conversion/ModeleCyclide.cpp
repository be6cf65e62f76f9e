#include "conversion/ModeleCyclide.h"

#include <cmath>
#include <limits>

namespace cyclide {

namespace {
using V3 = Eigen::Vector3d;
} // namespace

Implicite implicite(double a, double c, double mu, const V3& q) {
    using LD = long double;
    const LD A = a, C = c, M = mu, x = q.x(), y = q.y(), z = q.z();
    const LD b2 = A * A - C * C;
    const LD r2 = x * x + y * y + z * z;
    const LD S = r2 + b2 - M * M, L = A * x - C * M;
    const LD F = S * S - 4 * L * L - 4 * b2 * y * y;
    const LD s = r2 - M * M - b2;
    const LD gx = 4 * x * s - 8 * C * (C * x - A * M), gy = 4 * y * s, gz = 4 * z * s + 8 * b2 * z;
    return {static_cast<double>(F),
            {static_cast<double>(gx), static_cast<double>(gy), static_cast<double>(gz)}};
}

DistanceTore distanceTore(double a, double mu, const V3& q) {
    const double rho = std::hypot(q.x(), q.y());
    DistanceTore best{std::numeric_limits<double>::infinity(), V3::Zero(), 0, 0};
    for (const double s : {1.0, -1.0}) {
        const double dr = rho - s * a, D = std::hypot(dr, q.z());
        const double v = D - mu;
        if (!(std::fabs(v) < std::fabs(best.valeur)))
            continue;
        const V3 radial = rho > 0 ? V3(q.x() / rho, q.y() / rho, 0) : V3(1, 0, 0);
        best = {v, (dr / D) * radial + V3(0, 0, q.z() / D), -s * dr / D, -1};
    }
    return best;
}

V3 deriveesParametres(double a, double c, double mu, const V3& q) {
    const double b2 = a * a - c * c;
    const double S = q.squaredNorm() + b2 - mu * mu;
    const double L = a * q.x() - c * mu;
    const double y2 = q.y() * q.y();
    return {4 * a * S - 8 * L * q.x() - 8 * a * y2, -4 * c * S + 8 * L * mu + 8 * c * y2,
            -4 * mu * S + 8 * L * c};
}
V3 pointAngles(double a, double c, double mu, double theta, double psi) {
    const double ct = std::cos(theta), st = std::sin(theta);
    const double cp = std::cos(psi), sp = std::sin(psi);
    if (c == 0) {
        const double rayon = a - mu * cp;
        return {ct * rayon, st * rayon, -mu * sp};
    }
    const double b2 = a * a - c * c, b = std::sqrt(b2);
    const double D = a - c * ct * cp;
    return {(mu * (c - a * ct * cp) + b2 * ct) / D, b * st * (a - mu * cp) / D,
            b * sp * (c * ct - mu) / D};
}

bool repereLocal(double a, double c, double mu, double t, double p, RepereLocal& l) {
    const double ct = std::cos(t), st = std::sin(t), cp = std::cos(p), sp = std::sin(p);
    V3 dt, dp;
    if (c == 0) {
        const double rayon = a - mu * cp;
        l.point = {ct * rayon, st * rayon, -mu * sp};
        dt = {-st * rayon, ct * rayon, 0};
        dp = {ct * mu * sp, st * mu * sp, -mu * cp};
    } else {
        // q = N / D as in pointAngles, differentiated in t and p.
        const double b2 = a * a - c * c, b = std::sqrt(b2);
        const double D = a - c * ct * cp;
        const V3 N(mu * (c - a * ct * cp) + b2 * ct, b * st * (a - mu * cp),
                   b * sp * (c * ct - mu));
        l.point = N / D;
        const V3 dNt(mu * a * st * cp - b2 * st, b * ct * (a - mu * cp), -b * c * sp * st);
        const V3 dNp(mu * a * ct * sp, b * mu * st * sp, b * cp * (c * ct - mu));
        dt = (dNt - l.point * (c * st * cp)) / D;
        dp = (dNp - l.point * (c * ct * sp)) / D;
    }
    const double nt = dt.norm();
    if (!(nt > 0) || !l.point.allFinite())
        return false;
    const V3 e1 = dt / nt;
    const V3 e2 = dp - dp.dot(e1) * e1;
    const double n2 = e2.norm();
    if (!(n2 > 0))
        return false;
    l.axes.col(0) = e1;
    l.axes.col(1) = e2 / n2;
    l.axes.col(2) = e1.cross(e2 / n2);
    return l.axes.allFinite();
}

} // namespace cyclide
