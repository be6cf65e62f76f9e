#include "FichierParametres.h"

#include "EcritureFichier.h"

#include <climits>
#include <cmath>
#include <istream>
#include <ostream>
#include <sstream>

// Reads the parameters of a file in order, separated by any white space.
// Input: the stream, the array to fill.
// Gives back: the number of values read (0..7); reading stops at the first
// failed extraction (text, end of file), and the entries not reached keep
// their previous values.
int lireParametres(std::istream& in, double valeurs[NOMBRE_PARAMETRES]) {
    int lus = 0;
    while (lus < NOMBRE_PARAMETRES) {
        double valeur = 0;
        if (!(in >> valeur))
            break;
        valeurs[lus++] = valeur;
    }
    return lus;
}

// Writes the file layout: the four angles on the first line, an empty line,
// then rayon, z11 and P10; default floating notation, 6 significant digits.
// Input: the stream, the seven values. The stream's format is restored.
void ecrireParametres(std::ostream& out, const double valeurs[NOMBRE_PARAMETRES]) {
    std::ios_base::fmtflags drapeaux = out.flags();
    std::streamsize precision = out.precision();
    out.unsetf(std::ios_base::floatfield);
    out.precision(6);
    out << valeurs[0] << ' ' << valeurs[1] << ' ' << valeurs[2] << ' ' << valeurs[3] << '\n'
        << '\n'
        << valeurs[4] << ' ' << valeurs[5] << ' ' << valeurs[6] << '\n';
    out.flags(drapeaux);
    out.precision(precision);
}

// Saves the seven parameters in the file layout without ever leaving a
// partly written file.
// Input: the file name, the seven values.
// Gives back: true on success, false (existing file untouched) otherwise.
bool ecrireFichierParametres(const std::string& chemin, const double valeurs[NOMBRE_PARAMETRES]) {
    std::ostringstream texte;
    ecrireParametres(texte, valeurs);
    return ecrireFichierAtomique(chemin, texte.str());
}

// Whole degrees of an angle: (radians * 360) / 6.283185307179586, truncated
// toward zero.
// Input: the angle in radians.
// Gives back: the value clamped into int's range (infinities included); 0 for
// NaN.
int radiansEnDegres(double radians) {
    double degres = (radians * 360) / 6.283185307179586;
    if (std::isnan(degres))
        return 0;
    if (degres >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (degres <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(degres);
}
