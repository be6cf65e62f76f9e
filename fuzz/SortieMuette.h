// Shared by the fuzz targets: the core prints a French diagnostic line on
// the standard output for each degenerate construction; millions of them
// would drown the fuzzer's own report (on the standard error), so the
// standard output is sent to /dev/null once at start-up. The writes still
// succeed, as they would on a terminal.
#ifndef SORTIE_MUETTE_H
#define SORTIE_MUETTE_H

#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

inline void rendreSortieMuette() {
    std::cout.flush();
    std::fflush(stdout);
    int nul = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nul >= 0) {
        ::dup2(nul, STDOUT_FILENO);
        ::close(nul);
    }
}

#endif
