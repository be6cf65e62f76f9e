#include "FichierParametres.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <istream>
#include <ostream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

// Writes all of texte to the descriptor, resuming after partial writes and
// interruptions. Gives back false on any write error.
bool ecrireTout(int fd, const std::string& texte) {
    const char* debut = texte.data();
    std::size_t reste = texte.size();
    while (reste > 0) {
        ssize_t ecrit = ::write(fd, debut, reste);
        if (ecrit < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        debut += ecrit;
        reste -= static_cast<std::size_t>(ecrit);
    }
    return true;
}

// Creates a new temporary file beside chemin (chemin + ".tmp-PID-N"), open
// for writing. Gives back its descriptor and name, or -1 when no file could
// be created (missing or read-only directory, ...).
int creerTemporaire(const std::string& chemin, std::string& nom) {
    for (int essai = 0; essai < 100; ++essai) {
        nom = chemin + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(essai);
        int fd = ::open(nom.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

} // namespace

// Replaces the file chemin by contenu in one step: a temporary file in the
// same directory is written, synced and closed, then renamed over chemin.
// The temporary file takes the permissions of an existing regular file.
// Input: the file name, the full text.
// Gives back: true on success; false after any failure, with the temporary
// removed and an existing chemin untouched (a directory of that name, a
// missing or unwritable directory, a full disk).
bool ecrireFichierAtomique(const std::string& chemin, const std::string& contenu) {
    if (chemin.empty())
        return false;
    std::string temporaire;
    int fd = creerTemporaire(chemin, temporaire);
    if (fd < 0)
        return false;
    bool ok = true;
    struct stat existant;
    if (::stat(chemin.c_str(), &existant) == 0 && S_ISREG(existant.st_mode))
        ok = ::fchmod(fd, existant.st_mode & 07777) == 0;
    ok = ok && ecrireTout(fd, contenu);
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(temporaire.c_str(), chemin.c_str()) == 0;
    if (!ok)
        ::unlink(temporaire.c_str());
    return ok;
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
