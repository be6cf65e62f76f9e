// Fuzz target: the seven conversion parameters. The bytes are turned into
// theta00, theta02, theta20, theta22, rayon, z11 and P10 (NaN, infinities,
// extremes and values near the start-up state included), then the scene is
// rebuilt as the window does, into the recording OpenGL implementation:
// construction, the patch and its boundary, and for each plane choice a
// copy converted with drawing, the whole cyclide, the change of frame with
// the converted patch, its boundary and its control polyhedron; then, for
// each plane choice, the conversion without drawing on another copy and
// the residual of the result.
//
// Checks, besides the sanitizers: the conversion type is 0, 1 or 2, the
// cyclide-type code 0..6 and the same with and without drawing; every
// glBegin is closed and lighting is on again after each drawing.
#include "Cyclide.h"
#include "RBBPd.h"
#include "RecordingGL.h"
#include "Residu.h"
#include "SortieMuette.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

const double DEUX_PI = 6.283185307179586;
const int NOMBRE = 7;

// The view's start-up parameters.
const double DEMARRAGE[NOMBRE] = {
    0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4.0, 8.0, -7.982};

// Values that break arithmetic: non-finite, extreme, denormal, signed zero,
// at the edges of int's range, and the angles that line things up.
const double SPECIAUX[] = {std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(),
                           DBL_MAX,
                           -DBL_MAX,
                           DBL_MIN,
                           -DBL_MIN,
                           std::numeric_limits<double>::denorm_min(),
                           0.0,
                           -0.0,
                           1e-300,
                           1e300,
                           -1e300,
                           1e-12,
                           1e12,
                           2147483647.0,
                           2147483648.0,
                           -2147483649.0,
                           9.2233720368547758e18,
                           1.0,
                           -1.0,
                           0.5,
                           3.141592653589793,
                           -3.141592653589793,
                           1.5707963267948966,
                           -1.5707963267948966,
                           DEUX_PI,
                           1.0471975511965976,
                           -1.0471975511965976,
                           0.7853981633974483,
                           4.0,
                           8.0};
const unsigned NOMBRE_SPECIAUX = sizeof(SPECIAUX) / sizeof(SPECIAUX[0]);

// Takes the seven parameters from the bytes. Each parameter starts with a
// selector byte s: s % 4 == 0 takes the next 8 bytes as a raw double (any
// bit pattern); 1 takes SPECIAUX[s / 4 % count]; 2 takes the start-up value
// plus a signed 16-bit step of 1/1024 read from the next 2 bytes; 3 keeps
// the start-up value. When the bytes run out the remaining parameters keep
// their start-up values.
class Lecteur {
  public:
    Lecteur(const std::uint8_t* data, std::size_t size) : data_(data), reste_(size) {}

    void parametres(double p[NOMBRE]) {
        for (int k = 0; k < NOMBRE; ++k)
            p[k] = parametre(k);
    }

  private:
    double parametre(int k) {
        if (reste_ == 0)
            return DEMARRAGE[k];
        const std::uint8_t s = prendre();
        switch (s % 4) {
        case 0: {
            std::uint64_t bits = 0;
            for (int octet = 0; octet < 8 && reste_ > 0; ++octet)
                bits |= std::uint64_t(prendre()) << (8 * octet);
            double v;
            std::memcpy(&v, &bits, sizeof v);
            return v;
        }
        case 1:
            return SPECIAUX[(s / 4) % NOMBRE_SPECIAUX];
        case 2: {
            std::uint16_t pas = 0;
            for (int octet = 0; octet < 2 && reste_ > 0; ++octet)
                pas = std::uint16_t(pas | (prendre() << (8 * octet)));
            return DEMARRAGE[k] + static_cast<std::int16_t>(pas) / 1024.0;
        }
        default:
            return DEMARRAGE[k];
        }
    }

    std::uint8_t prendre() {
        --reste_;
        return *data_++;
    }

    const std::uint8_t* data_;
    std::size_t reste_;
};

// Stops the run when a drawing left a primitive open or lighting off.
void verifierDessin() {
    if (glrec::openBegins() != 0 || !glrec::lightingEnabled())
        std::abort();
}

// One rebuild of the window's lists for the plane choice choix: the
// conversion drawing the piece of cyclide, the whole cyclide, the change of
// frame drawing the converted patch, its boundary and its polyhedron.
// Gives back the cyclide-type code.
int reconstruire(const RBBPd& Bez, int type, int choix) {
    RBBPd Bez1 = Bez;
    int code = Bez1.conversion(type, choix);
    verifierDessin();
    Cyclide cyclide(0, DEUX_PI, 0, DEUX_PI, Bez1.getA(), Bez1.getC(), Bez1.getMu());
    cyclide.openGL();
    verifierDessin();
    Bez1.openGLChangementBase(30, 30);
    verifierDessin();
    Bez1.openGLBord(30, 30);
    verifierDessin();
    Bez1.openGLPolyedre();
    verifierDessin();
    return code;
}

// The conversion without drawing on a copy, then its residual.
int convertirSansDessin(const RBBPd& Bez, int type, int choix) {
    RBBPd copie = Bez;
    MorceauCyclide morceau;
    int code = copie.calculConversion(type, choix, morceau);
    volatile double residu = residuCyclide(copie);
    (void)residu;
    return code;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    rendreSortieMuette();
    glrec::setRecordFull(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double p[NOMBRE];
    Lecteur(data, size).parametres(p);

    glrec::reset();
    glEnable(GL_LIGHTING); // the view's context starts lit
    RBBPd Bez;
    const int type = Bez.convertToCD4(p[0], p[1], p[2], p[3], p[4], p[5], p[6]);
    if (type < 0 || type > 2)
        std::abort();
    Bez.openGL(30, 30);
    verifierDessin();
    Bez.openGLBord(30, 30);
    verifierDessin();

    for (int choix = 0; choix <= 1; ++choix) {
        const int dessine = reconstruire(Bez, type, choix);
        const int calcule = convertirSansDessin(Bez, type, choix);
        if (dessine < 0 || dessine > 6 || dessine != calcule)
            std::abort();
    }
    return 0;
}
