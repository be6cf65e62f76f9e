// The converter's command line: what each mode is asked to do, read by one
// CLI11 application whose messages are French.
#ifndef CYCLIDE_CONV_OPTIONS_H
#define CYCLIDE_CONV_OPTIONS_H

#include "conversion/DecisionCarreau.h"
#include "conversion/VerdictConversion.h"
#include "fichiers/EcritureFichier.h"
#include "rendu/ImageScene.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace cyclide {

// A usage error, an unreadable input or a failed output: its French message
// goes to the standard error and the program ends with status 2.
struct ErreurConv : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Exit statuses: 0 for any verdict, 1 for a batch with error rows (all rows
// written), 2 for bad usage, an unreadable input or a failed output, 3 for a
// CAD file read whole of which some faces gave no patch (each has its row).
const int SORTIE_LIGNES_EN_ERREUR = 1;
const int SORTIE_ECHEC = 2;
const int SORTIE_FACES_IGNOREES = 3;

// The input and the verdict of one conversion (the report and the exports).
struct OptionsRapport {
    PlanConversion plan = PlanConversion::Pz; // --plan z (the default) or y
    int exemple = 0;                          // 0: no example
    std::string carreau; // empty: no net given directly; "-": the standard input
    double tolerance = TOLERANCE_CARREAU;
    bool json = false; // the result as one JSON object
    int fils = 1;      // a CAD file's rows converted on this many threads (0: one per core)
    std::vector<std::string> positionnels; // seven numbers, or a parameter file
};

// The files written besides the report.
struct OptionsExports {
    std::string obj;           // empty: no OBJ file
    std::string png;           // empty: no image
    std::string step;          // empty: no STEP file
    std::string iges;          // empty: no IGES file (a build with Open CASCADE)
    std::string affiche = "1"; // the display lists shown in the image
    OptionsVue vue;
    LiensDurs liens = LiensDurs::Remplaces; // --en-place: hard-linked files written in place
};

// A batch: one row per input line.
struct OptionsLotConv {
    std::string lot; // "-": the standard input
    bool csv = false;
    int fils = 0; // 0: one per core
    PlanConversion plan = PlanConversion::Pz;
    double tolerance = TOLERANCE_CARREAU; // for the nets of the batch
};

// The whole command line.
struct Demande {
    bool aide = false;
    // --version: print the program's name and version, nothing else.
    bool version = false;
    bool modeLot = false; // --lot given: lot holds the batch, rapport and exports are unused
    OptionsRapport rapport;
    OptionsExports exports;
    OptionsLotConv lot;
};

// The text of --help.
extern const char* const USAGE;

// Reads the command line. Throws ErreurConv with the French message of the
// first fault: an unknown option, an option without its value (an option
// never takes the next option as its value), a value its validator
// refuses, an option given twice, or options that do not go together.
Demande analyserLigneCommande(int argc, char** argv);

} // namespace cyclide

#endif
