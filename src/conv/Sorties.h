// Where the converter's outputs go: the standard descriptors, the files it
// is asked to write, and the core's diagnostic lines, which are taken from
// std::cout and passed on to the standard error.
#ifndef CYCLIDE_CONV_SORTIES_H
#define CYCLIDE_CONV_SORTIES_H

#include "conv/Options.h"
#include "fichiers/DiagnosticsCaptures.h"
#include "fichiers/EcritureFichier.h"

#include <ostream>
#include <string>

namespace cyclide {

// Makes sure descriptors 0, 1 and 2 are open, so that no file this program
// opens takes their place. A closed output is replaced by /dev/null opened
// for reading only: every write to it then fails (EBADF) and is reported,
// instead of vanishing.
void ouvrirDescripteursStandard();

// Writes one French line "cyclide-conv : message" on the standard error.
void avertir(const std::string& message);

// The outputs of one conversion, resolved before anything is written.
struct Sorties {
    std::ostream* rapport = nullptr; // std::cout, or std::cerr when an export takes the
                                     // standard output
    CibleEcriture obj;
    CibleEcriture png;
    CibleEcriture step;
    CibleEcriture iges;
};

// Resolves the outputs of exports. Throws ErreurConv, before anything is
// written, for an output that cannot be written, that is the input (entree,
// named nomEntree) or that is another output.
Sorties preparerSorties(const OptionsExports& exports, const IdentiteFichier& entree,
                        const std::string& nomEntree);

// Writes one output whole; throws ErreurConv (the old file is left as it
// was) when it fails. quoi: "le fichier OBJ", "l'image", ...
void ecrireSortie(const CibleEcriture& cible, const std::string& contenu, const char* quoi);

// The text of the input file nom ("-": the standard input), at most the
// size of a parameter file; throws ErreurConv when it cannot be read.
// entree gets the identity of what was read.
std::string lireTexteEntree(const std::string& nom, IdentiteFichier& entree);

} // namespace cyclide

#endif
