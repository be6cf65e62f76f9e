// Constantes: the numbers every module of the conversion shares, in one
// place: the circle constants, the tolerances of the conversion and the
// codes it returns.
#ifndef CYCLIDE_NOYAU_CONSTANTES_H
#define CYCLIDE_NOYAU_CONSTANTES_H

// The doubles nearest pi / 2, pi and 2 pi.
constexpr double DEMI_PI = 1.5707963267948966;
constexpr double PI = 3.141592653589793;
constexpr double DEUX_PI = 6.283185307179586;

// Conversion types returned by the construction of the net.
enum TypeConversion { TYPE_NON_CONVERTIBLE = 0, TYPE_CYCLIDE_GENERALE = 1, TYPE_TORE_SPHERE = 2 };

// Cyclide-type codes returned by the conversion (their messages are in
// Messages.h): none, the three general kinds, then the double sphere and
// the two tori.
enum CodeCyclide {
    CODE_AUCUNE = 0,
    CODE_RING = 1,
    CODE_SPINDLE = 2,
    CODE_HORNED = 3,
    CODE_DOUBLE_SPHERE = 4,
    CODE_TORE_CROISE = 5,
    CODE_TORE_COLLIER = 6
};

// The two middle weights of the net must agree within this for the net to
// be convertible.
constexpr double ACCORD_POIDS_CENTRAL = 0.00001;
// A middle weight below this in absolute value means the net lies on no
// Dupin cyclide.
constexpr double POIDS_CENTRAL_NUL = 1e-9;
// A cyclide is taken to carry the patch when its residual is at most this.
constexpr double RESIDU_PORTEUR = 1e-9;
// Corner angles are matched within this fraction of the patch's diagonal.
constexpr double TOLERANCE_COIN_RELATIVE = 1e-9;
// Two radii of a torus closer than this make a double sphere.
constexpr double ECART_RAYONS_SPHERE = 0.0001;

#endif
