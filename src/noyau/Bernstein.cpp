#include "noyau/Bernstein.h"

#include <cmath>

double B0(double t) {
    return std::pow(1 - t, 2);
}

double B1(double t) {
    return 2 * t * (1 - t);
}

double B2(double t) {
    return std::pow(t, 2);
}
