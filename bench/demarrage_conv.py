"""The converter's start against a do-nothing C++ program, in the same run.

    /usr/bin/python3 bench/demarrage_conv.py build/cyclide-conv [N] [AUTRE_CONV]

Compiles a do-nothing C++ program (it touches the standard library, so it
loads libstdc++ as any C++ program does) with c++ -O2, then starts it and
'cyclide-conv' on the seven start-up numbers N times each (200 by
default), one after the other in turn so that a change of the machine's
load weighs on both, each from posix_spawn to its exit, its output to
/dev/null. Prints the median and the 10th and 90th centiles of each, the
ratio of the medians and the number of shared libraries each loads
(ldd). A second converter (a build of another tree) is timed in the same
turns. The load average is printed before and after.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

conv = sys.argv[1] if len(sys.argv) > 1 else "build/cyclide-conv"
n = int(sys.argv[2]) if len(sys.argv) > 2 else 200
autre = sys.argv[3] if len(sys.argv) > 3 else None
SEPT = ["0", "1.5707963267948966", "-1.0471975511965976", "3.141592653589793", "4", "8", "-7.982"]

RIEN = """#include <iostream>
int main() {
    std::ios_base::sync_with_stdio(false);
    return 0;
}
"""


def compiler_rien(dossier):
    source = os.path.join(dossier, "rien.cpp")
    with open(source, "w") as f:
        f.write(RIEN)
    programme = os.path.join(dossier, "rien")
    subprocess.run(["c++", "-O2", source, "-o", programme], check=True)
    return programme


def duree(argv, nul):
    """Seconds from the spawn of argv to its exit; fails on a non-zero status."""
    debut = time.perf_counter_ns()
    pid = os.posix_spawn(argv[0], argv, os.environ, file_actions=[(os.POSIX_SPAWN_DUP2, nul, 1)])
    _, statut = os.waitpid(pid, 0)
    fin = time.perf_counter_ns()
    if statut != 0:
        sys.exit(f"{argv[0]}: status {statut}")
    return (fin - debut) / 1e9


def bibliotheques(programme):
    sortie = subprocess.run(["ldd", programme], capture_output=True, text=True).stdout
    return sum(1 for ligne in sortie.splitlines() if ".so" in ligne)


def resume(nom, durees):
    q = statistics.quantiles(durees, n=10)
    print(f"{nom:32s} median {statistics.median(durees) * 1e3:7.2f} ms"
          f"  p10 {q[0] * 1e3:7.2f}  p90 {q[-1] * 1e3:7.2f}")


with tempfile.TemporaryDirectory() as dossier:
    rien = compiler_rien(dossier)
    commandes = {"do-nothing C++": [rien], "cyclide-conv": [os.path.abspath(conv)] + SEPT}
    if autre:
        commandes["other cyclide-conv"] = [os.path.abspath(autre)] + SEPT
    print("load average before:", os.getloadavg())
    durees = {nom: [] for nom in commandes}
    with open(os.devnull, "w") as nul:
        for nom, argv in commandes.items():  # one start each to warm the caches
            duree(argv, nul.fileno())
        for _ in range(n):
            for nom, argv in commandes.items():
                durees[nom].append(duree(argv, nul.fileno()))
    print("load average after: ", os.getloadavg())
    for nom, argv in commandes.items():
        resume(f"{nom} ({bibliotheques(argv[0])} libraries)", durees[nom])
    base = statistics.median(durees["do-nothing C++"])
    for nom in commandes:
        if nom != "do-nothing C++":
            print(f"{nom} / do-nothing: {statistics.median(durees[nom]) / base:.2f} x")
