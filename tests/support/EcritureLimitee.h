// Runs a write in a child process whose files may not grow past a size
// limit, as on a full disk; the limit stays in the child, away from the test
// program.
#ifndef ECRITURE_LIMITEE_H
#define ECRITURE_LIMITEE_H

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Success when the write, run with files limited to octets bytes, reports
// its failure (returns false); the write past the limit gets an error
// rather than the signal that would kill the child.
template <class Ecriture>
::testing::AssertionResult echoueAuDelaDe(rlim_t octets, Ecriture ecriture) {
    pid_t enfant = ::fork();
    if (enfant < 0)
        return ::testing::AssertionFailure() << "no child process";
    if (enfant == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limite = {octets, octets};
        ::setrlimit(RLIMIT_FSIZE, &limite);
        ::_exit(ecriture() ? 1 : 0);
    }
    int statut = 0;
    if (::waitpid(enfant, &statut, 0) != enfant)
        return ::testing::AssertionFailure() << "the child process was lost";
    if (!WIFEXITED(statut))
        return ::testing::AssertionFailure() << "the child process did not exit";
    if (WEXITSTATUS(statut) != 0)
        return ::testing::AssertionFailure() << "the write past the size limit reported success";
    return ::testing::AssertionSuccess();
}

#endif
