// Fuzz target: the seven conversion parameters. The bytes are turned into
// theta00, theta02, theta20, theta22, rayon, z11 and P10 (NaN, infinities,
// extremes and values near the start-up state included), and the scene is
// built for each plane choice as every program builds it, without GL:
// construction, conversion, residual and change of frame (construireScene).
// One input in DESSIN_RARE, chosen by a hash of its bytes, is also drawn
// as the window compiles its lists, into the recording OpenGL
// implementation counting calls only: the drawing is a hundred times the
// cost of the computation and would otherwise set the pace.
//
// Checks, besides the sanitizers: the conversion type is 0, 1 or 2, the
// cyclide-type code 0..6, the scene keeps its input, and the drawn
// conversion gives the scene's code; every glBegin is closed and lighting
// is on again after each drawing.
#include "Cyclide.h"
#include "RBBPd.h"
#include "RecordingGL.h"
#include "Scene.h"
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

// One input in DESSIN_RARE is drawn as well.
const std::uint32_t DESSIN_RARE = 64;

// True for the inputs that are also drawn: FNV-1a of the bytes.
bool dessinerCetteFois(const std::uint8_t* data, std::size_t size) {
    std::uint32_t h = 2166136261u;
    for (std::size_t k = 0; k < size; ++k)
        h = (h ^ data[k]) * 16777619u;
    return h % DESSIN_RARE == 0;
}

// Stops the run when a drawing left a primitive open or lighting off.
void verifierDessin() {
    if (glrec::openBegins() != 0 || !glrec::lightingEnabled())
        std::abort();
}

// The window's lists for the scene's input, drawn in its order: the patch
// and its boundary, the conversion drawing the piece of cyclide, the whole
// cyclide, the change of frame with the converted patch, its boundary and
// its polyhedron. Gives back the cyclide-type code of the drawn conversion.
int dessiner(const Scene& s) {
    glrec::reset();
    glEnable(GL_LIGHTING); // the view's context starts lit
    s.Bez.openGL(30, 30);
    verifierDessin();
    s.Bez.openGLBord(30, 30);
    verifierDessin();
    RBBPd Bez1 = s.Bez;
    const int code = Bez1.conversion(s.type, s.entree.choix);
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

// A verdict that says why: code 0 with a reason, or a kind whose cyclide
// carries the patch within the admitted residual.
bool verdictJustifie(const Scene& s) {
    if (s.typeCyclide == 0)
        return !s.raison.empty();
    return s.residu <= RESIDU_ADMIS;
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
    const bool dessin = dessinerCetteFois(data, size);
    for (int choix = 0; choix <= 1; ++choix) {
        EntreeScene entree;
        entree.theta00 = p[0];
        entree.theta02 = p[1];
        entree.theta20 = p[2];
        entree.theta22 = p[3];
        entree.rayon = p[4];
        entree.z11 = p[5];
        entree.P10 = p[6];
        entree.choix = choix;
        const Scene s = construireScene(entree);
        if (s.type < 0 || s.type > 2 || s.typeCyclide < 0 || s.typeCyclide > 6 ||
            !memeEntree(s.entree, entree))
            std::abort();
        // The drawing forms convert the chosen plane's reading only; the
        // verdict may refuse it (code 0, with its reason) or keep another
        // reading that carries the patch. Any other disagreement is a fault.
        if (dessin && dessiner(s) != s.typeCyclide && !verdictJustifie(s))
            std::abort();
    }
    return 0;
}
