// ProcessusBorne: a helper program run in a child process under time and
// memory limits, its standard output read line by line as it comes, so that
// whatever the child does (a crash, an endless loop, a memory blow-up) the
// caller survives and is told.
#ifndef CYCLIDE_FICHIERS_PROCESSUSBORNE_H
#define CYCLIDE_FICHIERS_PROCESSUSBORNE_H

#include <functional>
#include <string>
#include <vector>

namespace cyclide {

// The limits of a child process.
struct LimitesProcessus {
    double secondes = 120;                   // wall-clock time before it is killed
    unsigned long long octets = 4ULL << 30;  // address space (RLIMIT_AS)
    unsigned long long secondesCalcul = 120; // processor time (RLIMIT_CPU)
};

// How a child process ended.
enum class FinProcessus {
    Normale,  // it exited by itself (code in FinEnfant::code)
    Signal,   // a signal ended it (FinEnfant::signal)
    Delai,    // the wall-clock limit passed: it was killed
    Lancement // it could not be started (FinEnfant::erreur)
};

// What became of a child process.
struct FinEnfant {
    FinProcessus fin = FinProcessus::Lancement;
    int code = -1;  // its exit status (Normale)
    int signal = 0; // the signal that ended it (Signal)
    int erreur = 0; // errno of the failed start (Lancement)
};

// In: the program's path and its arguments (argv[0] excluded), the text
// given on its standard input (written whole, then closed), the limits, and
// a function called with each line of its standard output (without the line
// end) as soon as it is read; a last line without an end is passed too.
// Out: how the child ended. Its standard error goes to /dev/null; no other
// descriptor of the caller is inherited. SIGPIPE is ignored while the input
// is written. An exception thrown by ligne kills the child, then goes on.
FinEnfant lancerProcessusBorne(const std::string& programme, const std::vector<std::string>& args,
                               const std::string& entree, const LimitesProcessus& limites,
                               const std::function<void(const std::string&)>& ligne);

// In: how a child ended, the limits it ran under.
// Out: "" when it exited with status 0, otherwise why it stopped, in French
// ("s'est arrete sur le signal 11 (erreur de segmentation)", "a depasse le
// delai de 120 s", ...).
std::string raisonFinEnfant(const FinEnfant& f, const LimitesProcessus& limites);

} // namespace cyclide

#endif
