#include "fenetre/EtatFenetre.h"

#include <cstring>
#include <utility>

namespace cyclide {

namespace {

// The seven parameters of a state, in file order.
void parametres(const EntreeScene& e, double n[7]) {
    const double valeurs[7] = {e.theta00, e.theta02, e.theta20, e.theta22, e.rayon, e.z11, e.P10};
    std::memcpy(n, valeurs, sizeof valeurs);
}

} // namespace

bool memeEtat(const EtatFenetre& a, const EtatFenetre& b) {
    double na[7];
    double nb[7];
    parametres(a.entree, na);
    parametres(b.entree, nb);
    // Bit for bit, as the scene compares its inputs.
    // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison)
    if (std::memcmp(na, nb, sizeof na) != 0) {
        return false;
    }
    for (int k = 0; k < 7; ++k) {
        if (a.affiche[k] != b.affiche[k]) {
            return false;
        }
    }
    return a.source == b.source && a.entree.exemple == b.entree.exemple &&
           a.entree.plan == b.entree.plan && memeEntree(a.entree, b.entree);
}

CommandeEtat::CommandeEtat(const QString& texte, EtatFenetre etatAvant, EtatFenetre etatApres,
                           Application application)
    : QUndoCommand(texte), avant(std::move(etatAvant)), apres(std::move(etatApres)),
      appliquer(std::move(application)) {}

void CommandeEtat::undo() {
    appliquer(avant);
}

void CommandeEtat::redo() {
    if (premiere) {
        premiere = false;
        return;
    }
    appliquer(apres);
}

} // namespace cyclide
