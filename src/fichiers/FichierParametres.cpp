#include "fichiers/FichierParametres.h"

#include "fichiers/LectureCarreau.h"
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
#include <string_view>
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

// The decimal exponent of the first significant digit of a number text of
// decimal form (1e400 gives 400, 0.05 gives -2), saturated; false when all
// its digits are zeros or the text has not that form.
bool ordreDecimal(const std::string& mot, long& ordre) {
    std::size_t k = mot.empty() || (mot[0] != '+' && mot[0] != '-') ? 0 : 1;
    long entiers = 0; // digits before the point, leading zeros left out
    long zeros = 0;   // zeros after the point before the first significant digit
    bool significatif = false;
    bool point = false;
    for (; k < mot.size() && mot[k] != 'e' && mot[k] != 'E'; ++k) {
        if (mot[k] == '.' && !point) {
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(mot[k])) == 0) {
            return false;
        } else if (!point) {
            significatif = significatif || mot[k] != '0';
            entiers += significatif ? 1 : 0;
        } else if (!significatif) {
            significatif = mot[k] != '0';
            zeros += significatif ? 0 : 1;
        }
    }
    long exposant = 0;
    if (k < mot.size()) {
        const char* debut = mot.c_str() + k + 1 + (k + 1 < mot.size() && mot[k + 1] == '+' ? 1 : 0);
        const auto lu = std::from_chars(debut, mot.c_str() + mot.size(), exposant);
        if (lu.ec == std::errc::result_out_of_range)
            exposant = mot.find('-', k) == std::string::npos ? LONG_MAX / 2 : LONG_MIN / 2;
        else if (lu.ec != std::errc() || lu.ptr != mot.c_str() + mot.size())
            return false;
    }
    ordre = exposant + (entiers > 0 ? entiers - 1 : -zeros - 1);
    return significatif;
}

// The first bytes of some kinds of files a user may drop or choose by
// mistake, with what they are called.
struct Signature {
    std::string_view debut;
    const char* nature;
};
const Signature SIGNATURES[] = {
    {"\x89PNG\r\n\x1A\n", "une image PNG"},
    {"\xFF\xD8\xFF", "une image JPEG"},
    {"GIF8", "une image GIF"},
    {"%PDF", "un document PDF"},
    {"PK\x03\x04", "une archive ZIP"},
    {"\x1F\x8B", "une archive gzip"},
    {"\x7F"
     "ELF",
     "un programme"},
    {"ISO-10303-21", "un fichier STEP"},
};

// The word of a message: between apostrophes, shortened, printable.
std::string cite(const std::string& mot) {
    return "'" + mot + "'";
}

} // namespace

bool nombreHorsLimites(const std::string& mot) {
    long ordre = 0;
    double ignore = 0;
    return mot.size() <= LONGUEUR_NOMBRE_MAX && ordreDecimal(mot, ordre) && ordre > 0 &&
           !lireNombreDecimal(mot, ignore);
}

std::string natureFichier(const std::string& debut) {
    for (const Signature& s : SIGNATURES)
        if (std::string_view(debut).substr(0, s.debut.size()) == s.debut)
            return s.nature;
    return "";
}

Resultat<ParametresFichier> lireParametresEntiers(const std::string& texte) {
    Resultat<ParametresFichier> r;
    ParametresFichier& p = r.valeur;
    const std::string nature = natureFichier(texte);
    if (!nature.empty()) {
        p.verdict = VerdictParametres::Etranger;
        r.raison = "c'est " + nature + ", pas un fichier de param\xE8tres";
        return r;
    }
    std::istringstream flux(texte);
    const LectureParametres lecture = analyserParametres(flux, p.valeurs);
    p.lus = lecture.lus;
    std::string suite;
    const bool reste = lecture.lus == NOMBRE_PARAMETRES && motSuivant(flux, suite);
    std::istringstream commeReseau(texte);
    if ((reste || !lecture.refuse.empty()) && lireCarreau(commeReseau).ok()) {
        p.verdict = VerdictParametres::Carreau;
        r.raison = "c'est un carreau donn\xE9 directement (neuf points et poids), pas un fichier "
                   "de param\xE8tres";
    } else if (!lecture.refuse.empty()) {
        p.mot = lecture.refuse;
        const bool loin = nombreHorsLimites(lecture.refuse);
        p.verdict = loin ? VerdictParametres::HorsLimites : VerdictParametres::MotRefuse;
        r.raison = cite(p.mot) +
                   (loin ? " est hors des limites des nombres" : " n'est pas un nombre") +
                   " (valeur " + std::to_string(lecture.lus + 1) + " sur 7)";
    } else if (reste) {
        p.verdict = VerdictParametres::EnTrop;
        p.mot = motAffichable(suite);
        r.raison = cite(p.mot) + " suit la septi\xE8me valeur : un fichier de param\xE8tres en "
                                 "contient exactement sept";
    } else if (lecture.lus < NOMBRE_PARAMETRES) {
        p.verdict = VerdictParametres::Incomplet;
        r.raison = std::to_string(lecture.lus) + " valeur(s) sur 7 : un fichier de param\xE8tres "
                                                 "en contient exactement sept";
    }
    return r;
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
