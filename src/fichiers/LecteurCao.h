// LecteurCao: CAD files (STEP, IGES) read by the separate program
// cyclide-cao in a child process under time and memory limits, so that no
// file can take the caller down; its faces come back, in the file's order,
// as rational biquadratic nets or as rows that say why a face gave none.
// The same program writes IGES files. Callers of this module never load
// Open CASCADE.
#ifndef CYCLIDE_FICHIERS_LECTEURCAO_H
#define CYCLIDE_FICHIERS_LECTEURCAO_H

#include "noyau/Resultat.h"
#include "scene/Scene.h"
#include "surfaces/RBBP.h"

#include <functional>
#include <string>

namespace cyclide {

// What one row of a CAD file is.
enum class SorteElementCao {
    Carreau, // a rational biquadratic patch of a face
    Ignoree, // a face that gives no patch: unreadable, invalid data, unsupported kind
    Limite   // a face on a plane, cylinder or cone, limits of the Dupin cyclides
};

// One row of a CAD file: a patch of a face, or a face without patch.
struct ElementCao {
    SorteElementCao sorte = SorteElementCao::Carreau;
    int face = 0;           // the face's rank among the file's faces, in file order, from 1
    long entite = 0;        // its entity's number in the file (STEP #N, IGES directory line)
    int carreauU = 1;       // Carreau: the patch's rank along u in its face, from 1
    int carreauV = 1;       // and along v
    std::string surface;    // the surface's kind: "B-spline", "Bezier", "tore", "sphere", ...
    std::string raison;     // Ignoree: why, in French; Limite: the verdict naming the surface
    RBBP reseau;            // Carreau: its net in the file's coordinates, i along u
    double incertitude = 0; // Carreau: the relative distance of the file's surface to the
                            // net's (a writer's approximation of a circle), 0 when exact
};

// The precision of a file's numbers.
struct PrecisionCao {
    int chiffres = 17;      // significant digits its real numbers carry (the most found)
    double incertitude = 0; // the absolute uncertainty the file states (STEP's uncertainty
                            // measure, IGES's minimum resolution), 0 when none
};

// What reading a file gave, besides its rows.
struct BilanCao {
    int faces = 0;    // faces in the file
    int ignorees = 0; // rows of faces without patch (Ignoree)
    PrecisionCao precision;
};

// In: the relative tolerance asked for, the precision of a file's numbers.
// Out: the tolerance of its nets: the one asked for, widened to what the
// file's digits can hold (a hundred units of their last digit).
double toleranceFichierCao(double demandee, const PrecisionCao& p);

// Below this many significant digits a number is taken for a round one.
const int CHIFFRES_NOMBRE_ROND = 6;

// In: a number read from a file, the most significant digits the file's
// numbers carry.
// Out: half a unit of its last digit as the file wrote it: the digits of
// its shortest decimal form that reads back as v, or the file's for a
// round number (fewer than CHIFFRES_NOMBRE_ROND digits); 0 for 0.
double demiUnite(double v, int chiffresFichier);

// In: a Carreau row, the plane, the relative tolerance asked for, the
// precision of the file's numbers.
// Out: the conversion of its net as a net given directly, at the tolerance
// the file's digits call for (toleranceFichierCao); its stated uncertainty
// is at least what the file's digits, its stated uncertainty and the row's
// own distance to the file's surface leave of a, c, mu, and the kinds
// admitted follow it.
Scene sceneElementCao(const ElementCao& e, PlanConversion plan, double tolerance,
                      const PrecisionCao& p);

// In: a file name.
// Out: true when its extension is .step, .stp, .iges or .igs (any case).
bool estFichierCao(const std::string& chemin);

// In: a file name.
// Out: success when it names a regular file (symbolic links followed) that
// may be read; otherwise its French message: missing, a directory, a named
// pipe, a device, a socket, unreadable.
Resultat<void> verifierFichierCao(const std::string& chemin);

// Out: the path of cyclide-cao: $CYCLIDE_LECTEUR_CAO when set, else the
// program beside the running executable, else in ../libexec/cyclide-de-dupin/
// from it, else the installed one (the build tree's when none is installed).
std::string cheminLecteurCao();

// A function given each row of a file and the precision of its numbers.
using RecevoirCao = std::function<void(const ElementCao&, const PrecisionCao&)>;

// In: a STEP or IGES file (told apart by its extension); recevoir, called
// with each row as soon as it is read, in the file's order.
// Out: the totals, or the reason in French (naming the file) when it cannot
// be read whole: not a regular file, wrong content, incomplete or failing
// in the reader, or the reader crashed, ran out of time or memory while
// loading it. A face that crashes or exhausts the reader gets an Ignoree
// row saying so, and the reading goes on after it (up to 10 such faces).
// Rows already passed stay passed: a caller that must not show a partial
// result keeps them until success.
Resultat<BilanCao> lireFichierCao(const std::string& chemin, const RecevoirCao& recevoir);

// In: the surfaces of an IGES export in the text form of texteSurfacesIges
// (sorties).
// Out: the IGES text cyclide-cao wrote for them, or the reason in French.
Resultat<std::string> igesParLecteurCao(const std::string& surfaces);

// --- The protocol between cyclide-cao and its callers --------------------
// One line per item, numbers with 17 significant digits:
//   cyclide-cao 1
//   precision CHIFFRES INCERTITUDE
//   carreau FACE ENTITE I J SURFACE ECART x y z w (nine times, P00 ... P22)
//   ignoree FACE ENTITE SURFACE|RAISON
//   limite FACE ENTITE SURFACE|VERDICT
//   fin FACES
//   erreur RAISON
// SURFACE is one word; RAISON and VERDICT hold no line end.

// In: a row. Out: its line, without the line end.
std::string ligneElementCao(const ElementCao& e);

// In: a line "carreau", "ignoree" or "limite". Out: the row, or false.
bool lireElementCao(const std::string& ligne, ElementCao& e);

// In: the precision. Out: its line "precision ...", without the line end.
std::string lignePrecisionCao(const PrecisionCao& p);

} // namespace cyclide

#endif
