// How far a converted patch lies from its cyclide.
#ifndef RESIDU_H
#define RESIDU_H

#include "RBBPd.h"

// Residual R of a record after the conversion (before the change of frame):
// the 11 x 11 patch points at u, v in {0, 0.1, ..., 1} are moved into the
// cyclide's frame (inverse of Base times X, plus the world origin expressed
// in that frame), where the cyclide's implicit function F and its gradient
// are evaluated with b^2 = a^2 - c^2. R = max|F| / (L max|grad F|), with
// L = max(|P00 P22|, |P02 P20|): roughly the patch's largest distance from
// the cyclide relative to its size. R is +infinity when any value is not a
// number (or L is 0).
double residuCyclide(const RBBPd& converti);

// The implicit function of the cyclide (a, c, mu), b^2 = a^2 - c^2, at a
// point in the cyclide's frame, and its gradient.
double fonctionCyclide(double a, double c, double mu, double x, double y, double z);
void gradientCyclide(double a, double c, double mu, double x, double y, double z, double grad[3]);

#endif
