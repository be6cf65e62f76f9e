// Constantes: the numbers every module of the conversion shares, in one
// place: the circle constants, the conversion types and the tolerances and
// thresholds of the conversion.
#ifndef CYCLIDE_NOYAU_CONSTANTES_H
#define CYCLIDE_NOYAU_CONSTANTES_H

// The doubles nearest pi / 2, pi and 2 pi.
constexpr double DEMI_PI = 1.5707963267948966;
constexpr double PI = 3.141592653589793;
constexpr double DEUX_PI = 6.283185307179586;

// Conversion types returned by the construction of the net.
enum TypeConversion { TYPE_NON_CONVERTIBLE = 0, TYPE_CYCLIDE_GENERALE = 1, TYPE_TORE_SPHERE = 2 };

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

namespace cyclide {

// A cyclide carries its patch exactly (exact data) within this residual.
constexpr double RESIDU_EXACT = 1e-9;
// The largest residual of a reported kind for a net built from the seven
// parameters or an example (the examples' rounded data give about 1e-4).
constexpr double RESIDU_ADMIS = 1e-3;
// The default largest residual for a net given directly.
constexpr double TOLERANCE_CARREAU = 1e-6;
// Largest error of a dot product of two columns of a reported frame.
constexpr double ECART_ORTHONORMAL = 1e-12;
// The corners of a reported piece are the patch's within this fraction of
// the patch's diagonal.
constexpr double ECART_COINS = 1e-9;
// How many times the rounding of a net's numbers (arrondiRelatif) the
// residual and the corners' match admit: no check asks more of a net than
// its numbers hold.
constexpr double ECART_ARRONDI = 256;
// A parameter this small against the cyclide's size is taken as zero (a
// sphere's a), and two this close as equal (a horn torus's a and mu).
constexpr double NEGLIGEABLE = 1e-9;
// A general cyclide with c below this fraction of a, or a below this
// fraction of mu, is compared with the tori and spheres that carry its patch.
constexpr double PRES_DU_TORE = 0.05;
constexpr double PRES_DE_LA_SPHERE = 0.1;

} // namespace cyclide

#endif
