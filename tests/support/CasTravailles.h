// The worked cases the conversion suites share: angles in whole degrees as
// the view converts them, the start-up patch, the stored examples, and a
// parameter set built into a record.
#ifndef CAS_TRAVAILLES_H
#define CAS_TRAVAILLES_H

#include "CaptureStdout.h"
#include "conversion/RBBPd.h"
#include "noyau/Constantes.h"
#include "scene/Exemples.h"

// Whole degrees to radians as the view converts them.
inline double rad(int degres) {
    return (degres * DEUX_PI) / 360;
}

// The seven parameters of a construction, angles in radians.
struct Parametres {
    double t00, t02, t20, t22, R, z11, P10;
};

// The view's start-up parameters.
inline Parametres parametresDepart() {
    return {0, rad(90), rad(-60), rad(180), 4, 8, -7.982};
}

// Parameters with the four angles in whole degrees.
inline Parametres degres(int t00, int t02, int t20, int t22, double R, double z11, double P10) {
    return {rad(t00), rad(t02), rad(t20), rad(t22), R, z11, P10};
}

// The net of the seven parameters built into a fresh record (the solvers'
// console notes silenced); its conversion type in type.
inline RBBPd construit(const Parametres& p, int& type) {
    RBBPd r;
    CaptureStdout silence;
    type = r.convertToCD4(p.t00, p.t02, p.t20, p.t22, p.R, p.z11, p.P10);
    return r;
}

// The start-up patch of the view (conversion type 1).
inline RBBPd carreauDepart() {
    const Parametres p = parametresDepart();
    RBBPd r;
    r.convertToCD4(p.t00, p.t02, p.t20, p.t22, p.R, p.z11, p.P10);
    return r;
}

// The stored example numero and its conversion type.
inline RBBPd exemple(int numero, int& type) {
    RBBPd r;
    type = cyclide::chargerExemple(numero, r);
    return r;
}

#endif
