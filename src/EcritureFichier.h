// Writing a whole file so that a failure never damages what was there.
#ifndef ECRITURE_FICHIER_H
#define ECRITURE_FICHIER_H

#include <string>

// How writing a file ended.
enum class ResultatEcriture {
    Reussie,
    OuvertureImpossible, // the file (or its temporary) could not be created or opened
    ErreurEcriture       // it was opened, but the bytes could not all be written
};

// Writes contenu as the whole file chemin. A new file or an existing regular
// file is written to a new temporary file in the same directory, flushed to
// the disk and closed, then renamed over chemin, so that on any failure the
// temporary is removed and an existing chemin is left as it was. An existing
// character device (/dev/null, /dev/full) is written in place, since a
// rename would replace the device itself; a directory, or any other special
// file (a pipe, a socket), is refused rather than replaced or waited on. On failure raison
// gets the system's reason, in words.
ResultatEcriture ecrireFichier(const std::string& chemin, const std::string& contenu,
                               std::string& raison);

// The same, telling only whether it succeeded.
bool ecrireFichierAtomique(const std::string& chemin, const std::string& contenu);

#endif
