#include "Bernstein.h"

#include <cmath>

// (1 - t)^2, the weight of the first control point; 1 at t = 0, 0 at t = 1.
double B0(double t) {
    return std::pow(1 - t, 2);
}

// 2 t (1 - t), the weight of the middle control point; 0 at both ends and
// 0.5 at t = 0.5.
double B1(double t) {
    return 2 * t * (1 - t);
}

// t^2, the weight of the last control point; 0 at t = 0, 1 at t = 1.
double B2(double t) {
    return std::pow(t, 2);
}
