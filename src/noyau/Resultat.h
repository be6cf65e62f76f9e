// Resultat: what an operation that may fail gives back, its value and, when
// it failed, why: the one form of the modules' results, instead of a flag
// returned beside an out-parameter for the reason.
#ifndef CYCLIDE_NOYAU_RESULTAT_H
#define CYCLIDE_NOYAU_RESULTAT_H

#include <string>

namespace cyclide {

// A value computed, or the reason it could not be; ok() exactly when the
// reason is empty, so every failure gives a reason.
template <typename T> struct Resultat {
    T valeur{};         // the value computed; on failure what the operation says it leaves
    std::string raison; // empty on success; otherwise why it failed, in French
    bool ok() const { return raison.empty(); }
};

// The same for an operation that gives back only whether it succeeded.
template <> struct Resultat<void> {
    std::string raison; // empty on success; otherwise why it failed, in French
    bool ok() const { return raison.empty(); }
};

} // namespace cyclide

#endif
