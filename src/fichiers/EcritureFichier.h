// Writing a whole output where the user pointed, so that a failure never
// damages what was there: regular files (hard-linked ones included, unless
// asked otherwise) through a temporary file and a rename, symbolic links
// through their target, devices and pipes in place, the standard output as
// a stream.
#ifndef CYCLIDE_FICHIERS_ECRITUREFICHIER_H
#define CYCLIDE_FICHIERS_ECRITUREFICHIER_H

#include "noyau/Resultat.h"

#include <string>
#include <sys/types.h>

namespace cyclide {

// How writing a file ended: the value of a write's Resultat.
enum class ResultatEcriture {
    Reussie,             // the whole text is written (the Resultat is ok())
    OuvertureImpossible, // the file (or its temporary) could not be created or opened
    ErreurEcriture       // it was opened, but the bytes could not all be written
};

// How an output is written.
enum class GenreCible {
    Flux,     // an open descriptor (the standard output): written as a stream
    Remplace, // a new or regular file: temporary file and rename
    EnPlace   // a character device, a named pipe, or a regular file with several
              // names when LiensDurs::EnPlace asks it: written in place, its other
              // names and its node kept
};

// What becomes of a regular file with several names (hard links).
//
// Replaced by default: a name must end holding either its old text or the
// whole new one, whatever stops the process. Only a rename gives that on
// POSIX: rewriting a file in place passes through states that are neither
// (a new beginning on an old end, a length reserved but not yet written),
// and a SIGKILL, a crash or a power cut may freeze any of them; without a
// journal of its own no program can take them back. The rename gives the
// written name a new file, so the link is broken for that name: its other
// names keep the old text.
enum class LiensDurs {
    Remplaces, // the name gets a new file, complete or not at all; the other names keep
               // the old text
    EnPlace    // written through the link, which every name sees; SIGKILL or a crash
               // during the copy can leave it incomplete
};

// What a file is, to tell two names of one file apart from two files: the
// device and inode of an existing regular file, or for a file still to be
// created the device and inode of its directory and its last name. Other
// kinds of file (devices, pipes, terminals) have no identity: writing
// one of them twice damages nothing.
struct IdentiteFichier {
    bool valide = false;
    dev_t dev = 0;
    ino_t ino = 0;
    std::string nouveau; // the name in its directory, for a file still to be created
};

// True when both identities are valid and name the same file.
bool memeFichier(const IdentiteFichier& a, const IdentiteFichier& b);

// The identity of what an open descriptor reads or writes (valid for a
// regular file only).
IdentiteFichier identiteDescripteur(int fd);

// An output resolved before anything is written.
struct CibleEcriture {
    std::string nom;    // as the user gave it
    std::string chemin; // symbolic links followed: the name actually written
    GenreCible genre = GenreCible::Remplace;
    int descripteur = -1; // Flux: the descriptor written
    IdentiteFichier identite;
};

// The descriptors an output may name, as the process had them before any
// redirection: "-" and every name of the same file as sortieStandard
// (/dev/stdout, /proc/self/fd/1, the file the shell redirected it to)
// are written to sortieStandard as a stream; sortieErreur alike. -1: none
// ("-" is then an ordinary file name).
struct FluxConnus {
    int sortieStandard = -1;
    int sortieErreur = -1;
};

// Decides how chemin is written: follows its symbolic links (a link to a
// missing file names the file to create), recognises the known streams,
// and classifies what it names. Nothing is written.
// In: chemin as the user gave it; flux, the streams it may name; liens,
// how a regular file with several names is written.
// Out: the resolved output, or the reason in French.
// Degenerate: refused for an empty name, a name holding a NUL byte, a
// name ending in '/', a directory, a block device, a socket, an existing file that may not be
// written, a loop of links or a path that cannot be examined.
Resultat<CibleEcriture> resoudreCible(const std::string& chemin, const FluxConnus& flux,
                                      LiensDurs liens = LiensDurs::Remplaces);

// Writes contenu as the whole of a resolved output. Remplace: a temporary
// file beside the target (a short name, within any name limit), flushed
// to the disk, given the old file's permissions, then renamed over it (so
// the target is the old file or the whole new one at every moment).
// EnPlace: the whole text is ready in memory before the file is touched;
// room is reserved without changing the file's length (a full disk then
// leaves the old bytes as they were), the old bytes are kept in memory and
// written back if the new ones cannot all be written, and SIGINT, SIGTERM,
// SIGHUP and SIGQUIT wait until the file is whole (only SIGKILL or a crash
// during the copy can leave it partial); a named pipe nobody reads is
// refused rather than waited on. Flux: written at the stream's position.
// On failure no temporary is left behind; on SIGINT, SIGTERM, SIGHUP or
// SIGQUIT during a replacement the temporary is removed before the
// process ends (when those signals are at their default action).
// The first call makes a write beyond the file-size limit an ordinary
// error (EFBIG) instead of a signal that kills the process.
// In: cible, from resoudreCible; contenu, the whole new text.
// Out: how the writing ended (Reussie exactly when ok()), and on failure
// the reason in French (for a folder where no temporary may be created,
// naming the folder).
Resultat<ResultatEcriture> ecrireCible(const CibleEcriture& cible, const std::string& contenu);

// Resolves chemin (no stream known) and writes contenu there.
// In: chemin as the user gave it; contenu, the whole new text; liens, how
// a regular file with several names is written.
// Out: how the writing ended, and on failure the reason in French; a
// name that resoudreCible refuses gives OuvertureImpossible.
Resultat<ResultatEcriture> ecrireFichier(const std::string& chemin, const std::string& contenu,
                                         LiensDurs liens = LiensDurs::Remplaces);

// The same, telling only whether it succeeded.
bool ecrireFichierAtomique(const std::string& chemin, const std::string& contenu);

// Writes all of texte to a descriptor, resuming after partial writes and
// interruptions. False on any write error (errno tells which).
bool ecrireTout(int fd, const std::string& texte);

// The reason of a system error, in French for the common ones.
std::string raisonErreur(int erreur);

} // namespace cyclide

#endif
