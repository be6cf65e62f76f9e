#include "fichiers/FichierParametres.h"

#include "fichiers/NombreTexte.h"
#include "noyau/Constantes.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <istream>
#include <ostream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace cyclide {

namespace {

// Characters of a refused word shown to the user.
const std::size_t MOT_AFFICHE_MAX = 40;

bool estBlanc(int ch) {
    return ch != std::char_traits<char>::eof() && std::isspace(ch) != 0;
}

// The next word of in, at most LONGUEUR_NOMBRE_MAX + 1 characters: a
// longer word is cut there (it cannot be a number) and the rest of it is
// left unread. False at the end of the input.
bool motSuivant(std::istream& in, std::string& mot) {
    mot.clear();
    std::streambuf* tampon = in.rdbuf();
    if (tampon == nullptr)
        return false;
    int ch = tampon->sgetc();
    while (estBlanc(ch))
        ch = tampon->snextc();
    while (ch != std::char_traits<char>::eof() && !estBlanc(ch) &&
           mot.size() <= LONGUEUR_NOMBRE_MAX) {
        mot += static_cast<char>(ch);
        ch = tampon->snextc();
    }
    if (ch == std::char_traits<char>::eof())
        in.setstate(std::ios_base::eofbit);
    return !mot.empty();
}

// A word as it can be shown: at most MOT_AFFICHE_MAX characters, bytes
// that are not printable ASCII written \xNN.
std::string motAffichable(const std::string& mot) {
    const std::string cite = texteCite(mot, MOT_AFFICHE_MAX); // the same rule, within quotes
    return cite.substr(1, cite.size() - 2);
}

// The shortest text that reads back as the same double.
std::string texteExact(double valeur) {
    char tampon[64];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, valeur);
    return std::string(tampon, fin.ptr);
}

// Skips a UTF-8 byte-order mark at the start of in; any other start is
// left unread.
void sauterMarqueUtf8(std::istream& in) {
    std::streambuf* tampon = in.rdbuf();
    std::size_t lus = 0;
    while (tampon != nullptr && lus < MARQUE_UTF8.size() &&
           tampon->sgetc() == static_cast<unsigned char>(MARQUE_UTF8[lus])) {
        tampon->sbumpc();
        ++lus;
    }
    while (lus > 0 && lus < MARQUE_UTF8.size())
        tampon->sputbackc(MARQUE_UTF8[--lus]);
}

} // namespace

LectureParametres analyserParametres(std::istream& in, double valeurs[NOMBRE_PARAMETRES]) {
    LectureParametres lecture;
    sauterMarqueUtf8(in);
    std::string mot;
    while (lecture.lus < NOMBRE_PARAMETRES && motSuivant(in, mot)) {
        double valeur = 0;
        if (!lireNombreDecimal(mot, valeur)) {
            lecture.refuse = motAffichable(mot);
            break;
        }
        valeurs[lecture.lus++] = valeur;
    }
    return lecture;
}

int lireParametres(std::istream& in, double valeurs[NOMBRE_PARAMETRES]) {
    return analyserParametres(in, valeurs).lus;
}

namespace {

// A reading that ended with fin, for the reason raison, after texte.
Resultat<TexteLu> echecLecture(ResultatLecture fin, std::string raison, std::string texte = "") {
    return {{fin, std::move(texte)}, std::move(raison)};
}

} // namespace

Resultat<TexteLu> lireDescripteurBorne(int fd) {
    std::string texte;
    char tampon[4096];
    for (;;) {
        const ssize_t n = ::read(fd, tampon, sizeof tampon);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return echecLecture(ResultatLecture::ErreurLecture, raisonErreur(errno), texte);
        if (n == 0)
            return {{ResultatLecture::Lu, texte}, ""};
        texte.append(tampon, static_cast<std::size_t>(n));
        if (texte.size() > TAILLE_PARAMETRES_MAX)
            return echecLecture(ResultatLecture::TropLong,
                                "plus de " + std::to_string(TAILLE_PARAMETRES_MAX / 1024) +
                                    " Ko, ce n'est pas un fichier de parametres",
                                texte);
    }
}

Resultat<TexteLu> lireFichierParametres(const std::string& chemin, bool ordinaireSeulement,
                                        IdentiteFichier* identite) {
    const int drapeaux = O_RDONLY | O_NOCTTY | O_CLOEXEC | (ordinaireSeulement ? O_NONBLOCK : 0);
    const int fd = ::open(chemin.c_str(), drapeaux);
    if (fd < 0)
        return echecLecture(ResultatLecture::OuvertureImpossible, raisonErreur(errno));
    struct stat etat {};
    Resultat<TexteLu> lu;
    if (::fstat(fd, &etat) != 0) {
        lu = echecLecture(ResultatLecture::ErreurLecture, raisonErreur(errno));
    } else if (S_ISDIR(etat.st_mode)) {
        lu = echecLecture(ResultatLecture::GenreRefuse, raisonErreur(EISDIR));
    } else if (ordinaireSeulement && !S_ISREG(etat.st_mode)) {
        lu = echecLecture(ResultatLecture::GenreRefuse, "ce n'est pas un fichier ordinaire");
    } else {
        if (identite != nullptr)
            *identite = identiteDescripteur(fd);
        lu = lireDescripteurBorne(fd);
    }
    ::close(fd);
    return lu;
}

void ecrireParametres(std::ostream& out, const double valeurs[NOMBRE_PARAMETRES]) {
    out << texteExact(valeurs[0]) << ' ' << texteExact(valeurs[1]) << ' ' << texteExact(valeurs[2])
        << ' ' << texteExact(valeurs[3]) << '\n'
        << '\n'
        << texteExact(valeurs[4]) << ' ' << texteExact(valeurs[5]) << ' ' << texteExact(valeurs[6])
        << '\n';
}

bool ecrireFichierParametres(const std::string& chemin, const double valeurs[NOMBRE_PARAMETRES]) {
    std::ostringstream texte;
    ecrireParametres(texte, valeurs);
    return ecrireFichierAtomique(chemin, texte.str());
}

int radiansEnDegres(double radians) {
    const double degres = std::round((radians * 360) / DEUX_PI);
    if (std::isnan(degres))
        return 0;
    if (degres >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (degres <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(degres);
}

} // namespace cyclide
