// VerdictConversion: the conversion of a net with every reading tried and a
// truthful verdict. A cyclide kind is reported only when its cyclide carries
// the patch (residual of Residu within a threshold), its parameters, frame
// and piece are finite numbers and its frame is orthonormal; otherwise the
// verdict is code 0 with the reason in words.
#ifndef CYCLIDE_CONVERSION_VERDICTCONVERSION_H
#define CYCLIDE_CONVERSION_VERDICTCONVERSION_H

#include "conversion/GenreCyclide.h"
#include "conversion/PlanConversion.h"
#include "conversion/RBBPd.h"
#include "noyau/Constantes.h"

#include <string>

namespace cyclide {

// What a tolerance on the residual must be, in the words of the refusals: a
// relative deviation, so a number between 0 and 1, both excluded. Every
// front end checks its tolerance option with toleranceAdmise and says this.
constexpr const char* TOLERANCE_ATTENDUE = "un nombre decimal dans ]0, 1[";

// True when tolerance lies in (0, 1) (a non-number does not).
inline bool toleranceAdmise(double tolerance) {
    return tolerance > 0 && tolerance < 1;
}

// What the verified conversion gives.
struct ConversionVerifiee {
    GenreCyclide code = GenreCyclide::Aucune; // the kind of cyclide, the verdict
    RBBPd converti;                           // the net with the cyclide of the reading kept
    MorceauCyclide morceau;                   // its piece; all zero for Aucune
    double residu = 0; // residual of the reading kept (+infinity if none is finite)
    // For a sphere, what writing its a as 0 dropped: the a of the torus read
    // from the net over its mu (aDuTore); 0 otherwise.
    double saut = 0;
    std::string raison; // why the verdict is code 0; empty otherwise
};

// Converts bez with the conversion type (1 general, 2 torus or sphere) and
// the plane choice, then verifies. The reading of the chosen
// plane comes first and is kept bit for bit when it carries the patch within
// RESIDU_EXACT with a finite piece and an orthonormal frame. Otherwise, for
// type 1, the other plane and the net read with u and v exchanged (same
// surface, same four corners) are tried; for type 2 the torus read straight
// from the net (LectureTore), whose piece is also used when the first
// reading carries the patch but its piece's corners are not the patch's
// (within 1e-9 of the diagonal); then, for both types, all of these on the
// net moved to unit size (normaliserReseau) and placed back. A frame that
// rounding left off orthonormal by more than ECART_ORTHONORMAL is made
// orthonormal again (its second axis kept) before the residual is taken.
// A later reading replaces the first one when it carries the patch within
// RESIDU_EXACT (for type 2 also with its piece's corners at the patch's),
// or when the first is not acceptable for seuil and the later one has a
// smaller residual. The verdict: the kind of the reading kept when its
// residual is at most seuil and it is finite and orthonormal, else code 0
// with the reason (and the residual of the best reading).
// Type 0 (or any other) gives code 0, residual 0, converti = bez and the
// reason "la construction ne donne pas un carreau convertible (type 0)".
// Never throws; non-numbers in the net give code 0.
ConversionVerifiee convertirVerifie(const RBBPd& bez, int type, PlanConversion plan, double seuil);

} // namespace cyclide

#endif
