// LectureCao: a STEP or IGES file read with Open CASCADE, face by face in
// the file's order, each face's rows handed on as soon as it is read. This
// is what the program cyclide-cao runs in its own process (callers go
// through fichiers/LecteurCao.h), and what the fuzz targets call directly.
#ifndef CYCLIDE_CAO_LECTURECAO_H
#define CYCLIDE_CAO_LECTURECAO_H

#include "fichiers/LecteurCao.h"

#include <functional>
#include <string>

namespace cyclide {

// Makes Open CASCADE's messages (its English lines and traces) go nowhere.
void faireTaireOcct();

// In: a STEP or IGES file (told apart by its extension); depuis, the first
// face whose rows are wanted (the faces before are counted, not read);
// precision, called
// once with the file's precision once it is loaded and checked; recevoir,
// called with each row in the file's order.
// Out: the totals, or the reason in French naming the file: not its
// format's content, incomplete or failing (truncated, dangling references),
// no face at all.
// Frame: each face in its own entity's coordinates (file units).
// terminer, when given, is called with the result while the reader still
// holds the file's model: a process that ends there (cyclide-cao) spares
// its teardown.
Resultat<BilanCao>
lireFacesCao(const std::string& chemin, int depuis,
             const std::function<void(const PrecisionCao&)>& precision,
             const std::function<void(const ElementCao&)>& recevoir,
             const std::function<void(const Resultat<BilanCao>&)>& terminer = {});

// In: the text of a file. Out: the most significant digits one of its
// real numbers (those with a point) carries.
int chiffresSignificatifs(const std::string& texte);

} // namespace cyclide

#endif
