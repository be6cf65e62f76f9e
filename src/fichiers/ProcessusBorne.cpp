#include "fichiers/ProcessusBorne.h"

#include "fichiers/EcritureFichier.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// A build with AddressSanitizer (gcc defines __SANITIZE_ADDRESS__, clang
// answers __has_feature).
#if defined(__SANITIZE_ADDRESS__)
#define CYCLIDE_SOUS_ASAN
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CYCLIDE_SOUS_ASAN
#endif
#endif

namespace cyclide {

namespace {

// The pipes of a child: its input and its output, each end closed on exec.
struct Tubes {
    int entree[2] = {-1, -1};
    int sortie[2] = {-1, -1};
};

void fermer(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

void fermerTout(Tubes& t) {
    for (int* fd : {&t.entree[0], &t.entree[1], &t.sortie[0], &t.sortie[1]})
        fermer(*fd);
}

// In the child, between fork and exec: async-signal-safe calls only.
[[noreturn]] void executerEnfant(const Tubes& t, const char* programme, char* const argv[],
                                 const LimitesProcessus& l) {
    const int nul = ::open("/dev/null", O_WRONLY);
    if (::dup2(t.entree[0], 0) < 0 || ::dup2(t.sortie[1], 1) < 0 || nul < 0 || ::dup2(nul, 2) < 0)
        ::_exit(127);
    const struct rlimit memoire = {l.octets, l.octets};
    const struct rlimit calcul = {l.secondesCalcul, l.secondesCalcul + 1};
    const struct rlimit coeur = {0, 0};
#ifndef CYCLIDE_SOUS_ASAN
    ::setrlimit(RLIMIT_AS, &memoire);
#else
    // AddressSanitizer reserves terabytes of address space for its shadow
    // memory at start: a sanitized child cannot start under an address
    // space limit. The time limits still hold.
    (void)memoire;
#endif
    ::setrlimit(RLIMIT_CPU, &calcul);
    ::setrlimit(RLIMIT_CORE, &coeur);
    ::execv(programme, argv);
    ::_exit(127);
}

// Passes each whole line of tampon to ligne, keeping the unfinished end.
void passerLignes(std::string& tampon, const std::function<void(const std::string&)>& ligne) {
    std::size_t debut = 0;
    for (std::size_t fin; (fin = tampon.find('\n', debut)) != std::string::npos; debut = fin + 1)
        ligne(tampon.substr(debut, fin - debut));
    tampon.erase(0, debut);
}

// Writes the input and reads the output until the child closes it or the
// delay passes; false when the delay passed.
bool dialoguer(Tubes& t, const std::string& entree, double secondes,
               const std::function<void(const std::string&)>& ligne) {
    using Horloge = std::chrono::steady_clock;
    const auto limite = Horloge::now() + std::chrono::duration<double>(secondes);
    std::size_t ecrits = 0;
    if (entree.empty())
        fermer(t.entree[1]);
    std::string tampon;
    char bloc[65536];
    while (t.sortie[0] >= 0) {
        const auto reste =
            std::chrono::duration_cast<std::chrono::milliseconds>(limite - Horloge::now());
        if (reste.count() <= 0)
            return false;
        struct pollfd fds[2] = {{t.sortie[0], POLLIN, 0}, {t.entree[1], POLLOUT, 0}};
        const int n = ::poll(fds, t.entree[1] >= 0 ? 2 : 1,
                             static_cast<int>(std::min<long long>(reste.count(), 1000)));
        if (n < 0 && errno != EINTR)
            return true;
        if (n <= 0)
            continue;
        if (t.entree[1] >= 0 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
            const ssize_t e = ::write(t.entree[1], entree.data() + ecrits, entree.size() - ecrits);
            if (e > 0)
                ecrits += static_cast<std::size_t>(e);
            if (e < 0 && errno != EINTR && errno != EAGAIN)
                ecrits = entree.size();
            if (ecrits == entree.size())
                fermer(t.entree[1]);
        }
        if ((fds[0].revents & (POLLIN | POLLERR | POLLHUP)) != 0) {
            const ssize_t lu = ::read(t.sortie[0], bloc, sizeof bloc);
            if (lu < 0 && errno == EINTR)
                continue;
            if (lu <= 0) {
                fermer(t.sortie[0]);
                break;
            }
            tampon.append(bloc, static_cast<std::size_t>(lu));
            passerLignes(tampon, ligne);
        }
    }
    if (!tampon.empty())
        ligne(tampon);
    return true;
}

// Waits for the child, restarting after interruptions.
int attendre(pid_t pid) {
    int etat = 0;
    while (::waitpid(pid, &etat, 0) < 0 && errno == EINTR) {
    }
    return etat;
}

} // namespace

FinEnfant lancerProcessusBorne(const std::string& programme, const std::vector<std::string>& args,
                               const std::string& entree, const LimitesProcessus& limites,
                               const std::function<void(const std::string&)>& ligne) {
    FinEnfant f;
    std::vector<std::string> mots = {programme};
    mots.insert(mots.end(), args.begin(), args.end());
    std::vector<char*> argv;
    argv.reserve(mots.size() + 1);
    for (std::string& m : mots)
        argv.push_back(m.data());
    argv.push_back(nullptr);
    Tubes t;
    if (::pipe2(t.entree, O_CLOEXEC) != 0 || ::pipe2(t.sortie, O_CLOEXEC) != 0) {
        f.erreur = errno;
        fermerTout(t);
        return f;
    }
    // Writing to a child that died must fail, not kill the caller.
    struct sigaction ignorer {
    }, ancien{};
    ignorer.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignorer, &ancien);
    const pid_t pid = ::fork();
    if (pid == 0)
        executerEnfant(t, programme.c_str(), argv.data(), limites);
    if (pid < 0) {
        f.erreur = errno;
        fermerTout(t);
        ::sigaction(SIGPIPE, &ancien, nullptr);
        return f;
    }
    fermer(t.entree[0]);
    fermer(t.sortie[1]);
    ::fcntl(t.entree[1], F_SETFL, O_NONBLOCK);
    bool fini = false;
    try {
        fini = dialoguer(t, entree, limites.secondes, ligne);
    } catch (...) {
        // The caller gave up (its output failed): the child goes with it.
        fermerTout(t);
        ::kill(pid, SIGKILL);
        attendre(pid);
        ::sigaction(SIGPIPE, &ancien, nullptr);
        throw;
    }
    fermerTout(t);
    if (!fini)
        ::kill(pid, SIGKILL);
    const int etat = attendre(pid);
    ::sigaction(SIGPIPE, &ancien, nullptr);
    if (!fini) {
        f.fin = FinProcessus::Delai;
    } else if (WIFSIGNALED(etat)) {
        f.fin = FinProcessus::Signal;
        f.signal = WTERMSIG(etat);
    } else {
        f.fin = FinProcessus::Normale;
        f.code = WEXITSTATUS(etat);
    }
    return f;
}

namespace {

// The French name of the signals a reader may die of.
std::string nomSignal(int s) {
    switch (s) {
    case SIGSEGV:
        return "erreur de segmentation";
    case SIGABRT:
        return "abandon";
    case SIGBUS:
        return "erreur de bus";
    case SIGFPE:
        return "erreur arithmetique";
    case SIGILL:
        return "instruction illegale";
    case SIGKILL:
        return "tue";
    case SIGXCPU:
        return "temps de calcul depasse";
    default:
        return "signal " + std::to_string(s);
    }
}

} // namespace

std::string raisonFinEnfant(const FinEnfant& f, const LimitesProcessus& limites) {
    switch (f.fin) {
    case FinProcessus::Normale:
        return f.code == 0 ? "" : "s'est termine avec le code " + std::to_string(f.code);
    case FinProcessus::Signal:
        if (f.signal == SIGXCPU)
            return "a depasse le temps de calcul de " + std::to_string(limites.secondesCalcul) +
                   " s";
        return "s'est arrete sur le signal " + std::to_string(f.signal) + " (" +
               nomSignal(f.signal) + ")";
    case FinProcessus::Delai:
        return "a depasse le delai de " + std::to_string(static_cast<long>(limites.secondes)) +
               " s";
    case FinProcessus::Lancement:
        return "n'a pas pu etre lance (" + raisonErreur(f.erreur) + ")";
    }
    return "";
}

} // namespace cyclide
