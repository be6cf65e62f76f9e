// Where the converter's outputs go: the standard descriptors, the files it
// is asked to write, and the core's diagnostic lines, which are taken from
// std::cout and passed on to the standard error.
#ifndef CONV_SORTIES_H
#define CONV_SORTIES_H

#include "EcritureFichier.h"
#include "Options.h"

#include <mutex>
#include <ostream>
#include <streambuf>
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

// A stream buffer many threads may write to at once; keeps what they wrote.
class TamponPartage : public std::streambuf {
  public:
    // Gives back what was written since the last call, and forgets it.
    std::string prendre();

  protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;

  private:
    std::mutex m_;
    std::string texte_;
};

// While it lives, what the core prints on std::cout (its diagnostic lines,
// ISO 8859-1) is kept in a buffer of its own; transmettre passes it on to
// the standard error in UTF-8, each run of identical lines written once
// with how often it came. Nothing reaches the standard output meanwhile.
class DiagnosticsCaptures {
  public:
    DiagnosticsCaptures();
    ~DiagnosticsCaptures();
    DiagnosticsCaptures(const DiagnosticsCaptures&) = delete;
    DiagnosticsCaptures& operator=(const DiagnosticsCaptures&) = delete;

    // Sends what was printed since the last call to the standard error.
    void transmettre();

  private:
    TamponPartage tampon_;
    std::streambuf* ancien_;
};

// The diagnostic lines with each run of identical lines written once,
// followed by how often it came.
std::string regrouperRepetitions(const std::string& texte);

// Latin-1 bytes (the core's diagnostics) as UTF-8.
std::string latin1EnUtf8(const std::string& texte);

} // namespace cyclide

#endif
