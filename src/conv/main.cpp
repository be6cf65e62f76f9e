// cyclide-conv: the conversion of the program without its window. Builds the
// patch from the seven parameters (or loads a built-in example, or reads a
// net given directly), converts a copy with the chosen auxiliary plane and
// prints the verdict, the converted record, the piece of cyclide and the
// residual, and on request writes the result as a Wavefront OBJ or STEP
// file or renders the view as a PNG image; or converts a batch of lines.
// Opens a GL context (and needs an X server) only for the image.
#include "conv/Options.h"
#include "conv/Rapport.h"
#include "conv/Sorties.h"
#include "fichiers/EcritureFichier.h"

#include <csignal>
#include <iostream>
#include <unistd.h>

using namespace cyclide;

int main(int argc, char** argv) {
    // Write errors are told, not signals that kill without a word.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    ouvrirDescripteursStandard();
    try {
        const Demande d = analyserLigneCommande(argc, argv);
        if (d.aide) {
            if (!ecrireTout(STDOUT_FILENO, USAGE))
                throw ErreurConv("erreur d'ecriture sur la sortie standard : " +
                                 raisonErreur(errno));
            return 0;
        }
        if (d.version) {
            if (!ecrireTout(STDOUT_FILENO, "cyclide-conv " CYCLIDE_VERSION "\n"))
                throw ErreurConv("erreur d'ecriture sur la sortie standard : " +
                                 raisonErreur(errno));
            return 0;
        }
        if (d.modeLot)
            return lancerLot(d.lot);
        return lancerRapport(argc, argv, d.rapport, d.exports);
    } catch (const ErreurConv& e) {
        avertir(e.what());
        return SORTIE_ECHEC;
    }
}
