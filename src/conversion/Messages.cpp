#include "conversion/Messages.h"

namespace cyclide {

// The message that the window shows for a cyclide-type code.
// Input: the code returned by the conversion (0..6).
// Gives back: the collar-torus message for any code outside 0..5.
const char* messageCyclide(int typeCyclide) {
    switch (typeCyclide) {
    case 0:
        return "Nous n'avons pas un carreau convertible";
    case 1:
        return "La cyclide est de type ring";
    case 2:
        return "La cyclide est de type spindle";
    case 3:
        return "La cyclide est de type horned";
    case 4:
        return "La cyclide est une sphere double";
    case 5:
        return "La cyclide est un tore croise";
    default:
        return "La cyclide est un tore a collier";
    }
}

} // namespace cyclide
