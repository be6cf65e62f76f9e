#include "EcritureFichier.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes all of texte to the descriptor, resuming after partial writes and
// interruptions. Gives back false on any write error (errno tells which).
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

// The system's reason of the last failure, in words.
std::string raisonSysteme() {
    return std::strerror(errno);
}

// Writes contenu into an existing character device, in place.
ResultatEcriture ecrireDansPeripherique(const std::string& chemin, const std::string& contenu,
                                        std::string& raison) {
    int fd = ::open(chemin.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        raison = raisonSysteme();
        return ResultatEcriture::OuvertureImpossible;
    }
    bool ok = ecrireTout(fd, contenu);
    if (!ok)
        raison = raisonSysteme();
    if (::close(fd) != 0 && ok) {
        raison = raisonSysteme();
        ok = false;
    }
    return ok ? ResultatEcriture::Reussie : ResultatEcriture::ErreurEcriture;
}

} // namespace

// Writes a whole file without ever leaving it half written (see the header
// for the three kinds of target).
// Input: the file name, the full content, the string for the reason.
// Gives back how it ended; an empty name cannot be opened.
ResultatEcriture ecrireFichier(const std::string& chemin, const std::string& contenu,
                               std::string& raison) {
    if (chemin.empty()) {
        raison = "nom de fichier vide";
        return ResultatEcriture::OuvertureImpossible;
    }
    struct stat existant {};
    const bool existe = ::stat(chemin.c_str(), &existant) == 0;
    if (existe && S_ISCHR(existant.st_mode))
        return ecrireDansPeripherique(chemin, contenu, raison);
    if (existe && S_ISDIR(existant.st_mode)) {
        raison = std::strerror(EISDIR);
        return ResultatEcriture::OuvertureImpossible;
    }
    if (existe && !S_ISREG(existant.st_mode)) {
        raison = "ce n'est pas un fichier ordinaire";
        return ResultatEcriture::OuvertureImpossible;
    }

    std::string temporaire;
    int fd = creerTemporaire(chemin, temporaire);
    if (fd < 0) {
        raison = raisonSysteme();
        return ResultatEcriture::OuvertureImpossible;
    }
    // The temporary takes the permissions of the file it replaces.
    bool ok = !existe || ::fchmod(fd, existant.st_mode & 07777) == 0;
    ok = ok && ecrireTout(fd, contenu);
    ok = ok && ::fsync(fd) == 0;
    if (!ok)
        raison = raisonSysteme();
    if (::close(fd) != 0 && ok) {
        raison = raisonSysteme();
        ok = false;
    }
    if (ok && std::rename(temporaire.c_str(), chemin.c_str()) != 0) {
        raison = raisonSysteme();
        ok = false;
    }
    if (!ok)
        ::unlink(temporaire.c_str());
    return ok ? ResultatEcriture::Reussie : ResultatEcriture::ErreurEcriture;
}

// Writes a whole file without ever leaving it half written.
// Gives back true on success.
bool ecrireFichierAtomique(const std::string& chemin, const std::string& contenu) {
    std::string raison;
    return ecrireFichier(chemin, contenu, raison) == ResultatEcriture::Reussie;
}
