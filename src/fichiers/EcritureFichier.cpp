#include "fichiers/EcritureFichier.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/falloc.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cyclide {

namespace {

// Links followed before a path is taken for a loop (the kernel's own limit).
const int LIENS_MAX = 40;

// Characters of the target's name kept in its temporary's name.
const std::size_t DEBUT_NOM_TEMPORAIRE = 32;

// The directory part of a path ("." when there is none).
std::string repertoireDe(const std::string& chemin) {
    const std::size_t barre = chemin.rfind('/');
    if (barre == std::string::npos)
        return ".";
    return barre == 0 ? "/" : chemin.substr(0, barre);
}

// The last part of a path.
std::string nomDe(const std::string& chemin) {
    const std::size_t barre = chemin.rfind('/');
    return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}

// The text of a symbolic link; false (errno set) when it cannot be read.
bool lireLien(const std::string& chemin, std::string& cible) {
    std::string tampon(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink(chemin.c_str(), &tampon[0], tampon.size());
        if (n < 0)
            return false;
        if (static_cast<std::size_t>(n) < tampon.size()) {
            cible.assign(tampon.data(), static_cast<std::size_t>(n));
            return true;
        }
        tampon.resize(tampon.size() * 2);
    }
}

// Follows the symbolic links of chemin, the last part included, up to a
// file that is not a link or does not exist. Gives back the final path
// and its lstat (existe false when it does not exist); false with errno
// on a loop or a path that cannot be examined.
bool suivreLiens(const std::string& chemin, std::string& fin, struct stat& etat, bool& existe) {
    fin = chemin;
    for (int saut = 0; saut <= LIENS_MAX; ++saut) {
        if (::lstat(fin.c_str(), &etat) != 0) {
            existe = false;
            return errno == ENOENT;
        }
        existe = true;
        if (!S_ISLNK(etat.st_mode))
            return true;
        std::string lien;
        if (!lireLien(fin, lien))
            return false;
        if (lien.empty() || lien[0] != '/') {
            std::string relatif = repertoireDe(fin);
            relatif += '/';
            relatif += lien;
            lien = relatif;
        }
        fin = lien;
    }
    errno = ELOOP;
    return false;
}

IdentiteFichier identiteEtat(const struct stat& etat) {
    IdentiteFichier id;
    id.valide = S_ISREG(etat.st_mode);
    id.dev = etat.st_dev;
    id.ino = etat.st_ino;
    return id;
}

// True when chemin is the same open file as the descriptor (a name of
// that stream).
bool nommeDescripteur(const std::string& chemin, int fd) {
    struct stat parNom {};
    struct stat parFd {};
    return fd >= 0 && ::stat(chemin.c_str(), &parNom) == 0 && ::fstat(fd, &parFd) == 0 &&
           parNom.st_dev == parFd.st_dev && parNom.st_ino == parFd.st_ino;
}

// The identity of a file still to be created: its directory and its name.
bool identiteNouveau(const std::string& chemin, IdentiteFichier& id) {
    struct stat dossier {};
    if (::stat(repertoireDe(chemin).c_str(), &dossier) != 0)
        return false;
    id.valide = true;
    id.dev = dossier.st_dev;
    id.ino = dossier.st_ino;
    id.nouveau = nomDe(chemin);
    return true;
}

// Classifies the existing file cible.chemin, which is not a link, from its
// stat; the reason for what is never written.
Resultat<CibleEcriture> classer(CibleEcriture cible, const struct stat& etat, LiensDurs liens) {
    cible.identite = identiteEtat(etat);
    if (S_ISDIR(etat.st_mode))
        return {cible, raisonErreur(EISDIR)};
    if (S_ISCHR(etat.st_mode) || S_ISFIFO(etat.st_mode)) {
        cible.genre = GenreCible::EnPlace;
        return {cible, ""};
    }
    if (!S_ISREG(etat.st_mode))
        return {cible,
                "ce n'est ni un fichier ordinaire, ni un peripherique caractere, ni un tube"};
    if (::faccessat(AT_FDCWD, cible.chemin.c_str(), W_OK, AT_EACCESS) != 0)
        return {cible, "fichier protege en ecriture (" + raisonErreur(errno) + ")"};
    // A hard-linked file is replaced too unless asked otherwise: only the
    // rename keeps its name whole under SIGKILL (see LiensDurs).
    const bool enPlace = etat.st_nlink > 1 && liens == LiensDurs::EnPlace;
    cible.genre = enPlace ? GenreCible::EnPlace : GenreCible::Remplace;
    return {cible, ""};
}

// --- Interruptions ---------------------------------------------------------

// The signals that end a process unless it handles them, and that a user
// sends to stop a program (Ctrl-C, kill, a closed terminal, Ctrl-\).
const int SIGNAUX_ARRET[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// The temporary file being written (empty when none), for the handler.
char temporaireEnCours[PATH_MAX + 1] = "";
volatile sig_atomic_t temporaireActif = 0;

// Removes the temporary file being written, then ends the process as the
// signal would have: async-signal-safe calls only.
extern "C" void arreterProprement(int signal) {
    if (temporaireActif != 0)
        ::unlink(temporaireEnCours);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// Installs the handler for each stop signal still at its default action
// (a program that handles them keeps its own handling), once.
void installerNettoyage() {
    static const bool fait = [] {
        for (int signal : SIGNAUX_ARRET) {
            struct sigaction actuelle {};
            if (::sigaction(signal, nullptr, &actuelle) == 0 && actuelle.sa_handler == SIG_DFL) {
                struct sigaction action {};
                action.sa_handler = arreterProprement;
                sigemptyset(&action.sa_mask);
                ::sigaction(signal, &action, nullptr);
            }
        }
        return true;
    }();
    (void)fait;
}

// While it lives, the stop signals wait: a file written in place is
// finished (or restored) before the process may end.
class SignauxRetenus {
  public:
    SignauxRetenus() {
        sigset_t arret;
        sigemptyset(&arret);
        for (int signal : SIGNAUX_ARRET)
            sigaddset(&arret, signal);
        ::pthread_sigmask(SIG_BLOCK, &arret, &avant_);
    }
    ~SignauxRetenus() { ::pthread_sigmask(SIG_SETMASK, &avant_, nullptr); }
    SignauxRetenus(const SignauxRetenus&) = delete;
    SignauxRetenus& operator=(const SignauxRetenus&) = delete;

  private:
    sigset_t avant_{};
};

// Names the temporary file the handler removes (nullptr: none).
void retenirTemporaire(const std::string* nom) {
    temporaireActif = 0;
    if (nom == nullptr || nom->size() > PATH_MAX)
        return;
    nom->copy(temporaireEnCours, nom->size());
    temporaireEnCours[nom->size()] = '\0';
    temporaireActif = 1;
}

// Creates a new temporary file in the directory of chemin, open for
// writing, with a short name (a dot, the start of the target's name, the
// process and a counter) so that it stays within the name limit whatever
// the target's length. -1 (errno set) when none can be created.
int creerTemporaire(const std::string& chemin, std::string& nom) {
    const std::string prefixe = repertoireDe(chemin) + "/." +
                                nomDe(chemin).substr(0, DEBUT_NOM_TEMPORAIRE) + ".tmp-" +
                                std::to_string(::getpid()) + "-";
    installerNettoyage();
    for (int essai = 0; essai < 100; ++essai) {
        nom = prefixe + std::to_string(essai);
        const SignauxRetenus retenus; // created and named for the handler at once
        const int fd = ::open(nom.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            retenirTemporaire(&nom);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// A write that failed in the state fin, for the system error erreur.
Resultat<ResultatEcriture> echec(ResultatEcriture fin, int erreur) {
    return {fin, raisonErreur(erreur)};
}

// Closes fd; a failure of the close counts as a write error when the
// writes had succeeded (ok).
Resultat<ResultatEcriture> fermer(int fd, bool ok) {
    Resultat<ResultatEcriture> fin;
    if (!ok)
        fin = echec(ResultatEcriture::ErreurEcriture, errno);
    if (::close(fd) != 0 && ok)
        fin = echec(ResultatEcriture::ErreurEcriture, errno);
    return fin;
}

// A new or regular file: temporary, flush, rename.
Resultat<ResultatEcriture> remplacer(const CibleEcriture& cible, const std::string& contenu) {
    struct stat ancien {};
    const bool existe = ::stat(cible.chemin.c_str(), &ancien) == 0;
    std::string temporaire;
    const int fd = creerTemporaire(cible.chemin, temporaire);
    if (fd < 0) {
        const int erreur = errno;
        Resultat<ResultatEcriture> fin = echec(ResultatEcriture::OuvertureImpossible, erreur);
        if (erreur == EACCES || erreur == EPERM || erreur == EROFS)
            fin.raison +=
                " dans le dossier '" + repertoireDe(cible.chemin) +
                "' (le fichier y est remplace par un nouveau, qui n'a pas pu y etre cree)";
        return fin;
    }
    // The new file keeps the old one's permissions (and owner, when allowed).
    bool ok = !existe || ::fchmod(fd, ancien.st_mode & 07777) == 0;
    if (ok && existe && ::fchown(fd, ancien.st_uid, ancien.st_gid) != 0)
        errno = 0; // not the owner's to give: the file becomes the writer's
    ok = ok && ecrireTout(fd, contenu) && ::fsync(fd) == 0;
    Resultat<ResultatEcriture> fin = fermer(fd, ok);
    if (fin.ok() && std::rename(temporaire.c_str(), cible.chemin.c_str()) != 0)
        fin = echec(ResultatEcriture::ErreurEcriture, errno);
    const SignauxRetenus retenus;
    if (!fin.ok())
        ::unlink(temporaire.c_str());
    retenirTemporaire(nullptr);
    return fin;
}

// Reserves the room of taille bytes in a regular file before it is
// rewritten, without changing its length (so that nothing but its old
// bytes ever shows); on failure the file is cut back to its old length.
// Systems that cannot reserve room are written without it.
bool reserver(int fd, off_t ancienne, off_t taille) {
    if (taille <= ancienne)
        return true;
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, taille) == 0)
        return true;
    const int erreur = errno;
    if (erreur == EOPNOTSUPP || erreur == EINVAL || erreur == ENOSYS)
        return true;
    if (::ftruncate(fd, ancienne) != 0) {
        // The reason that counts is the first one.
    }
    errno = erreur;
    return false;
}

// The whole of a regular file's bytes (false when they cannot be read).
bool lireTout(int fd, off_t taille, std::string& texte) {
    texte.resize(static_cast<std::size_t>(taille));
    std::size_t lus = 0;
    while (lus < texte.size()) {
        const ssize_t n = ::pread(fd, &texte[lus], texte.size() - lus, static_cast<off_t>(lus));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        lus += static_cast<std::size_t>(n);
    }
    return true;
}

// Rewrites a regular file in place: its old bytes are kept in memory and
// written back when the new ones cannot all be written, and the stop
// signals wait until the file is whole, new or old.
bool reecrireEnPlace(int fd, off_t ancienne, const std::string& contenu) {
    const SignauxRetenus retenus;
    std::string ancien;
    const bool garde = lireTout(fd, ancienne, ancien); // false for a file opened write-only
    if (!reserver(fd, ancienne, static_cast<off_t>(contenu.size())))
        return false;
    const off_t taille = static_cast<off_t>(contenu.size());
    if (::lseek(fd, 0, SEEK_SET) == 0 && ecrireTout(fd, contenu) && ::ftruncate(fd, taille) == 0 &&
        ::fsync(fd) == 0)
        return true;
    const int erreur = errno;
    if (garde && ::lseek(fd, 0, SEEK_SET) == 0 && ecrireTout(fd, ancien)) {
        // Restored; the file is cut back to its old length below.
    }
    if (::ftruncate(fd, ancienne) != 0) {
        // The reason that counts is the first one.
    }
    errno = erreur;
    return false;
}

// A character device, a named pipe, or a file with several names whose
// writer asked to keep its links: written through its own node.
Resultat<ResultatEcriture> ecrireEnPlace(const CibleEcriture& cible, const std::string& contenu) {
    // A regular file is opened for reading too, to keep its old bytes.
    struct stat avant {};
    const bool ordinaire = ::stat(cible.chemin.c_str(), &avant) == 0 && S_ISREG(avant.st_mode);
    int fd = ordinaire ? ::open(cible.chemin.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC) : -1;
    if (fd < 0)
        fd = ::open(cible.chemin.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENXIO)
            return {ResultatEcriture::OuvertureImpossible, "aucun programme ne lit ce tube"};
        return echec(ResultatEcriture::OuvertureImpossible, errno);
    }
    // Writes wait for a slow reader as a stream does.
    const int drapeaux = ::fcntl(fd, F_GETFL);
    bool ok = drapeaux >= 0 && ::fcntl(fd, F_SETFL, drapeaux & ~O_NONBLOCK) == 0;
    struct stat etat {};
    ok = ok && ::fstat(fd, &etat) == 0;
    if (ok && S_ISREG(etat.st_mode)) {
        ok = reecrireEnPlace(fd, etat.st_size, contenu);
    } else {
        ok = ok && ecrireTout(fd, contenu);
    }
    return fermer(fd, ok);
}

// A write beyond the file-size limit must fail with EFBIG rather than kill
// the process; only the default action is changed.
void ignorerDepassementTaille() {
    static const bool fait = [] {
        struct sigaction actuelle {};
        if (::sigaction(SIGXFSZ, nullptr, &actuelle) == 0 && actuelle.sa_handler == SIG_DFL)
            std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)fait;
}

} // namespace

bool memeFichier(const IdentiteFichier& a, const IdentiteFichier& b) {
    return a.valide && b.valide && a.dev == b.dev && a.ino == b.ino && a.nouveau == b.nouveau;
}

IdentiteFichier identiteDescripteur(int fd) {
    struct stat etat {};
    if (fd < 0 || ::fstat(fd, &etat) != 0)
        return IdentiteFichier();
    return identiteEtat(etat);
}

bool ecrireTout(int fd, const std::string& texte) {
    const char* debut = texte.data();
    std::size_t reste = texte.size();
    while (reste > 0) {
        const ssize_t ecrit = ::write(fd, debut, reste);
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

std::string raisonErreur(int erreur) {
    switch (erreur) {
    case ENOENT:
        return "fichier ou repertoire introuvable";
    case EACCES:
    case EPERM:
        return "permission refusee";
    case ENOSPC:
        return "plus de place sur le disque";
    case EDQUOT:
        return "quota de disque depasse";
    case EFBIG:
        return "taille de fichier maximale depassee";
    case EISDIR:
        return "c'est un repertoire";
    case ENOTDIR:
        return "un element du chemin n'est pas un repertoire";
    case ENAMETOOLONG:
        return "nom de fichier trop long";
    case EROFS:
        return "systeme de fichiers en lecture seule";
    case ELOOP:
        return "trop de liens symboliques";
    case EPIPE:
        return "le programme qui lisait s'est arrete";
    case EIO:
        return "erreur d'entree-sortie";
    case EBADF:
        return "la sortie est fermee";
    default:
        return std::strerror(erreur);
    }
}

Resultat<CibleEcriture> resoudreCible(const std::string& chemin, const FluxConnus& flux,
                                      LiensDurs liens) {
    CibleEcriture cible;
    cible.nom = chemin;
    cible.chemin = chemin;
    if (chemin.empty() || chemin.back() == '/')
        return {cible, chemin.empty() ? "nom de fichier vide" : "nom de repertoire"};
    // The system would read the name up to its first NUL: another file.
    if (chemin.find('\0') != std::string::npos)
        return {cible, "le nom contient un octet nul"};
    // A known stream, by "-" or by any name of the same open file.
    for (int fd : {flux.sortieStandard, flux.sortieErreur}) {
        if (fd >= 0 &&
            ((chemin == "-" && fd == flux.sortieStandard) || nommeDescripteur(chemin, fd))) {
            cible.genre = GenreCible::Flux;
            cible.descripteur = fd;
            cible.identite = identiteDescripteur(fd);
            return {cible, ""};
        }
    }
    // A pipe or a device reached through any link (/dev/fd/N of a pipe
    // whose link text is no path) is opened through the name itself.
    struct stat etat {};
    if (::stat(chemin.c_str(), &etat) == 0 && (S_ISFIFO(etat.st_mode) || S_ISCHR(etat.st_mode)))
        return classer(cible, etat, liens);
    bool existe = false;
    if (!suivreLiens(chemin, cible.chemin, etat, existe))
        return {cible, raisonErreur(errno)};
    if (existe)
        return classer(cible, etat, liens);
    cible.genre = GenreCible::Remplace;
    if (!identiteNouveau(cible.chemin, cible.identite))
        return {cible, raisonErreur(errno)};
    return {cible, ""};
}

Resultat<ResultatEcriture> ecrireCible(const CibleEcriture& cible, const std::string& contenu) {
    ignorerDepassementTaille();
    switch (cible.genre) {
    case GenreCible::Flux:
        if (!ecrireTout(cible.descripteur, contenu))
            return echec(ResultatEcriture::ErreurEcriture, errno);
        return {};
    case GenreCible::EnPlace:
        return ecrireEnPlace(cible, contenu);
    case GenreCible::Remplace:
        break;
    }
    return remplacer(cible, contenu);
}

Resultat<ResultatEcriture> ecrireFichier(const std::string& chemin, const std::string& contenu,
                                         LiensDurs liens) {
    const Resultat<CibleEcriture> cible = resoudreCible(chemin, FluxConnus(), liens);
    if (!cible.ok())
        return {ResultatEcriture::OuvertureImpossible, cible.raison};
    return ecrireCible(cible.valeur, contenu);
}

bool ecrireFichierAtomique(const std::string& chemin, const std::string& contenu) {
    return ecrireFichier(chemin, contenu).ok();
}

} // namespace cyclide
