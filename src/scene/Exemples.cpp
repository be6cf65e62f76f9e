#include "scene/Exemples.h"

namespace cyclide {

namespace {

// The three nets, weights and conversion types, stored exactly as given:
// neighbouring constants that look alike (0.8164965 and 0.81649658, 3.2414
// and -3.241) are different on purpose.
const ExempleCarreau EXEMPLES[NOMBRE_EXEMPLES] = {
    // Example 1: a torus patch (type 2).
    {{{{4, 0, 0}, {2, 2, 2}, {0, 4, 0}},
      {{3, -3, 2}, {0, 0, 5}, {-3, 3, 2}},
      {{0, -4, 0}, {-2, -2, 2}, {-4, 0, 0}}},
     {{1, 0.8164965, 1}, {0.7559289, 0.6172134, 0.7559289}, {1, 0.81649658, 1}},
     2},
    // Example 2: a general cyclide patch (type 1).
    {{{{7.7623, 1.9353, 0}, {4.9306, 6.3109, -8.949}, {0, 8, 0}},
      {{-7.982, 2.6707, 5.3414}, {0, 0, 8}, {5.213, -9.404, 6.1572}},
      {{5.0345, -6.217, 0}, {-10.54, -11.91, -28.47}, {-6.784, 4.2393, 0}}},
     {{1, 0.475, 1}, {0.2582, 0.3654, 0.207}, {1, 0.2451, 1.0486}},
     1},
    // Example 3: a general cyclide patch (type 1).
    {{{{8, 0, 0}, {5.9081, 5.9081, -6.581}, {0, 8, 0}},
      {{-7.982, 4.6084, 9.2168}, {0, 0, 8}, {3.2414, -3.241, 6.4829}},
      {{4, -6.928, 0}, {-4.958, -8.589, -9.567}, {-8, 0, 0}}},
     {{1, 0.6224, 1}, {0.2103, 0.4738, 0.4085}, {1, 0.5065, 0.933}},
     1},
};

} // namespace

// The stored example numero.
// Input: numero, counted from 1.
// Gives back: nullptr for a number outside 1..NOMBRE_EXEMPLES.
const ExempleCarreau* exempleCarreau(int numero) {
    if (numero < 1 || numero > NOMBRE_EXEMPLES)
        return nullptr;
    return &EXEMPLES[numero - 1];
}

// Loads an example into a patch: the nine coordinates (through Point::init,
// so the points keep their colours) and the nine weights.
// Input: numero (1..NOMBRE_EXEMPLES), the patch to overwrite.
// Gives back: the example's conversion type; -1, with bez untouched, for an
// unknown number.
int chargerExemple(int numero, RBBP& bez) {
    const ExempleCarreau* ex = exempleCarreau(numero);
    if (ex == nullptr)
        return -1;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            bez.P[i][j].init(ex->P[i][j][0], ex->P[i][j][1], ex->P[i][j][2]);
            bez.w[i][j] = ex->w[i][j];
        }
    }
    return ex->type;
}

} // namespace cyclide
