#include "noyau/BernsteinSurface.h"

#include <cmath>

double B00(double u, double v) {
    return std::pow(1 - u, 2) * std::pow(1 - v, 2);
}

double B01(double u, double v) {
    return std::pow(1 - u, 2) * 2 * v * (1 - v);
}

double B02(double u, double v) {
    return std::pow(1 - u, 2) * std::pow(v, 2);
}

double B10(double u, double v) {
    return 2 * u * (1 - u) * std::pow(1 - v, 2);
}

double B11(double u, double v) {
    return 2 * u * (1 - u) * 2 * v * (1 - v);
}

double B12(double u, double v) {
    return 2 * u * (1 - u) * std::pow(v, 2);
}

double B20(double u, double v) {
    return std::pow(u, 2) * std::pow(1 - v, 2);
}

double B21(double u, double v) {
    return std::pow(u, 2) * 2 * v * (1 - v);
}

double B22(double u, double v) {
    return std::pow(u, 2) * std::pow(v, 2);
}
