#include "BernsteinSurface.h"

#include <cmath>

// The nine products Bi(u) Bj(v), each written out in full. Inputs are any
// doubles (the patch uses [0, 1]); the nine values sum to 1 for every (u, v).

// (1 - u)^2 (1 - v)^2: weight of the corner P[0][0].
double B00(double u, double v) {
    return std::pow(1 - u, 2) * std::pow(1 - v, 2);
}

// (1 - u)^2 2 v (1 - v): weight of P[0][1].
double B01(double u, double v) {
    return std::pow(1 - u, 2) * 2 * v * (1 - v);
}

// (1 - u)^2 v^2: weight of the corner P[0][2].
double B02(double u, double v) {
    return std::pow(1 - u, 2) * std::pow(v, 2);
}

// 2 u (1 - u) (1 - v)^2: weight of P[1][0].
double B10(double u, double v) {
    return 2 * u * (1 - u) * std::pow(1 - v, 2);
}

// 2 u (1 - u) 2 v (1 - v): weight of the centre P[1][1].
double B11(double u, double v) {
    return 2 * u * (1 - u) * 2 * v * (1 - v);
}

// 2 u (1 - u) v^2: weight of P[1][2].
double B12(double u, double v) {
    return 2 * u * (1 - u) * std::pow(v, 2);
}

// u^2 (1 - v)^2: weight of the corner P[2][0].
double B20(double u, double v) {
    return std::pow(u, 2) * std::pow(1 - v, 2);
}

// u^2 2 v (1 - v): weight of P[2][1].
double B21(double u, double v) {
    return std::pow(u, 2) * 2 * v * (1 - v);
}

// u^2 v^2: weight of the corner P[2][2].
double B22(double u, double v) {
    return std::pow(u, 2) * std::pow(v, 2);
}
