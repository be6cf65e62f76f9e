// VerdictConversion: the conversion of a net with every reading tried and a
// truthful verdict. A cyclide kind is reported only when its cyclide carries
// the patch (residual of Residu within a threshold), its parameters, frame
// and piece are finite numbers and its frame is orthonormal; otherwise the
// verdict is code 0 with the reason in words.
#ifndef CYCLIDE_CONVERSION_VERDICTCONVERSION_H
#define CYCLIDE_CONVERSION_VERDICTCONVERSION_H

#include "conversion/PlanConversion.h"
#include "conversion/RBBPd.h"

#include <string>

namespace cyclide {

// A cyclide carries its patch exactly (exact data) within this residual.
const double RESIDU_EXACT = 1e-9;
// The largest residual of a reported kind for a net built from the seven
// parameters or an example (the examples' rounded data give about 1e-4).
const double RESIDU_ADMIS = 1e-3;
// The default largest residual for a net given directly.
const double TOLERANCE_CARREAU = 1e-6;
// Largest error of a dot product of two columns of a reported frame.
const double ECART_ORTHONORMAL = 1e-12;

// What the verified conversion gives.
struct ConversionVerifiee {
    int code = 0;           // cyclide-type code 0..6
    RBBPd converti;         // the net with the cyclide of the reading kept
    MorceauCyclide morceau; // its piece; all zero for code 0
    double residu = 0;      // residual of the reading kept (+infinity if none is finite)
    std::string raison;     // why the verdict is code 0; empty otherwise
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
// net moved to unit size (reseauUnite) and placed back. A frame that
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

// The net moved so that the middle of its four corners is the origin and
// scaled so that its longer corner diagonal is 1 (weights unchanged); the
// middle (centre) and the diagonal (echelle) are given back. Coinciding
// corners give echelle 0 and non-number points.
RBBPd reseauUnite(const RBBPd& bez, double centre[3], double& echelle);

// The net's points moved by -t and divided by s, each coordinate as
// (x - t) / s, so that no square is formed before the numbers are of the
// size of 1 (weights unchanged).
RBBP reseauDeplace(const RBBP& net, const double t[3], double s);

// The same rational surface over the parameters [-k, 1 + k]^2, written as a
// net over [0, 1]^2: 1 + 2k times the patch each way. Each row, then each
// column, is the quadratic's polar form at (t0, t0), (t0, t1), (t1, t1),
// t0 = -k, t1 = 1 + k, in homogeneous coordinates and extended precision.
// Boundaries that are circular arcs stay circular arcs.
// Degenerate: a weight that vanishes on the larger square gives points that
// are not finite.
RBBP reseauEtendu(const RBBP& net, double k);

// The net with u and v exchanged: P[i][j] and w[i][j] become P[j][i] and
// w[j][i]. The patch is the same surface with the same corners P00, P22.
RBBPd transpose(const RBBPd& bez);

} // namespace cyclide

#endif
