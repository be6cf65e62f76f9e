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
// cyclide-type code 0..6, the scene keeps its input, a code 0 gives its
// reason and a kind has a residual within the admitted one; every glBegin
// of the drawings is closed and lighting is on again after each of them.
#include "RecordingGL.h"
#include "SortieMuette.h"
#include "noyau/Constantes.h"
#include "scene/DessinScene.h"
#include "scene/Scene.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

using namespace cyclide;

namespace {

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

// The window's seven lists of the scene, drawn from it in the order the
// view compiles them, each checked for an open primitive or lighting left
// off.
void dessiner(const Scene& s) {
    glrec::reset();
    glEnable(GL_LIGHTING); // the view's context starts lit
    for (int liste : {1, 2, 7, 6, 3, 4, 5}) {
        dessinerListe(s, liste);
        verifierDessin();
    }
}

// A verdict that says why: code 0 with a reason, or a kind whose cyclide
// carries the patch within the admitted residual.
bool verdictJustifie(const Scene& s) {
    if (codeGenre(s.typeCyclide) == 0)
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
    for (PlanConversion plan : {PlanConversion::Py, PlanConversion::Pz}) {
        EntreeScene entree;
        entree.theta00 = p[0];
        entree.theta02 = p[1];
        entree.theta20 = p[2];
        entree.theta22 = p[3];
        entree.rayon = p[4];
        entree.z11 = p[5];
        entree.P10 = p[6];
        entree.plan = plan;
        const Scene s = construireScene(entree);
        if (s.type < 0 || s.type > 2 || codeGenre(s.typeCyclide) < 0 ||
            codeGenre(s.typeCyclide) > 6 || !memeEntree(s.entree, entree))
            std::abort();
        // Every verdict says why: code 0 with its reason, or a kind whose
        // cyclide carries the patch within the admitted residual.
        if (!verdictJustifie(s))
            std::abort();
        if (dessin)
            dessiner(s);
    }
    return 0;
}
