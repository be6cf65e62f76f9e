// GenresAdmis: the kinds of cyclide that a converted patch's numbers admit.
//
// The conversion reports one kind, the kind of the cyclide it found. When
// the patch is much smaller than its cyclide, or its numbers hold few
// digits, a, c and mu are known only within their uncertainty, and the
// shapes within it may be of several kinds: all of them carry the patch as
// closely as its numbers allow. These are the kinds a user must be told
// the data do not choose between.
#ifndef CYCLIDE_CONVERSION_GENRESADMIS_H
#define CYCLIDE_CONVERSION_GENRESADMIS_H

#include "conversion/GenreCyclide.h"

#include <vector>

namespace cyclide {

// The kinds admitted, bit k set for the kind of cyclide-type code k (1..6).
using MasqueGenres = unsigned;

// The codes of every kind whose cyclide lies within ten times the stated
// uncertainty of the one found.
// In: a, c, mu >= 0 of the cyclide found (c = 0 for a torus, a = 0 for a
// sphere); genre, its reported kind (not Aucune); incertitude, the relative
// uncertainty of a, c, mu over max(a, mu), as the conversion states it.
// Out: the mask with genre's bit and the bit of every kind met by some
// (a', c', mu') >= 0 with each within 10 * incertitude * max(a, mu) of the
// found one. Kinds are decided as the conversion decides them: c' below
// 1e-9 of the size is a torus, a' too a sphere, a torus whose a' and mu'
// agree within it is crossed; a' < c' is no cyclide and gives no kind.
// Degenerate: Aucune gives 0; a non-finite uncertainty or number gives all
// six kinds.
MasqueGenres genresAdmis(double a, double c, double mu, GenreCyclide genre, double incertitude);

// True when the mask admits the kind genre.
inline bool admet(MasqueGenres masque, GenreCyclide genre) {
    return estCyclide(genre) && (masque >> static_cast<unsigned>(codeGenre(genre)) & 1u) != 0;
}

// The kinds of the mask, the reported one first, then the others by
// rising code.
std::vector<GenreCyclide> codesAdmis(MasqueGenres masque, GenreCyclide genre);

} // namespace cyclide

#endif
