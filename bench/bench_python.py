"""The module's batch against the converter's, on the same sets and threads.

    PYTHONPATH=build/python /usr/bin/python3 bench/bench_python.py build/cyclide-conv [N]

Times convert_batch on N random sets (100,000 by default) and
'cyclide-conv --lot' on the same sets written to a file (rows to
/dev/null), for 1 and 2 threads, best of R runs each (3 by default), the
runs of the two sides alternating so that a change of the machine's load
weighs on both. convert_batch is timed until it returns its list, and also
with the freeing of the list (the interpreter taking back the 100,000
dicts) added; and, when the module has it, the columnar form
(as_arrays=True) with the bytes it keeps per result (its arrays) and the
peak the interpreter's allocator saw per result (tracemalloc, numpy's
arrays included). Then one convert call, best of 2,000. The load average
is printed before and after. Run it with each build's module and converter
(PYTHONPATH and the first argument) to compare two builds in one session.
"""
import os
import subprocess
import sys
import tempfile
import time
import tracemalloc

import numpy as np

import cyclide

conv = sys.argv[1] if len(sys.argv) > 1 else "build/cyclide-conv"
n = int(sys.argv[2]) if len(sys.argv) > 2 else 100_000
fois = int(sys.argv[3]) if len(sys.argv) > 3 else 3
depart = np.array([0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982])
jeux = depart + np.random.default_rng(2024).normal(0, 0.2, (n, 7))


def duree(f):
    t = time.perf_counter()
    f()
    return time.perf_counter() - t


def durees_lot(f):
    """The time of f until it returns, and with its result freed."""
    t = time.perf_counter()
    r = f()
    t1 = time.perf_counter()
    del r
    return t1 - t, time.perf_counter() - t


def meilleurs(f, g):
    """The best time of f, and the best times of g (durees_lot), their runs alternating."""
    temps = [(duree(f), *durees_lot(g)) for _ in range(fois)]
    return [min(t[k] for t in temps) for k in range(3)]


with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as fichier:
    fichier.write("".join(" ".join(repr(float(x)) for x in j) + "\n" for j in jeux))
try:
    print(f"{n} sets, {os.cpu_count()} cores, load average %.2f %.2f %.2f" % os.getloadavg())
    for fils in (1, 2):
        lot, module, libere = meilleurs(
            lambda: subprocess.run([conv, "--lot", fichier.name, "--fils", str(fils)],
                                   stdout=subprocess.DEVNULL, check=True),
            lambda: cyclide.convert_batch(jeux, threads=fils))
        print(f"threads {fils}: cyclide-conv --lot {n / lot:7.0f} sets/s, "
              f"convert_batch {n / module:7.0f} sets/s, ratio {lot / module:.2f}; "
              f"list freed too {n / libere:7.0f} sets/s, ratio {lot / libere:.2f}")
        if "as_arrays" in (cyclide.convert_batch.__doc__ or ""):
            colonnes = min(duree(lambda: cyclide.convert_batch(jeux, threads=fils, as_arrays=True))
                           for _ in range(fois))
            print(f"threads {fils}: as_arrays {n / colonnes:7.0f} sets/s, "
                  f"ratio {lot / colonnes:.2f} against --lot")
finally:
    os.unlink(fichier.name)

if "as_arrays" in (cyclide.convert_batch.__doc__ or ""):
    tracemalloc.start()
    r = cyclide.convert_batch(jeux, as_arrays=True)
    pic = tracemalloc.get_traced_memory()[1]
    tracemalloc.stop()
    garde = sum(v.nbytes for v in r.values() if isinstance(v, np.ndarray))
    print(f"as_arrays: {garde / n:.0f} bytes kept per result, peak {pic / n:.0f} bytes per result")
    del r

un = min(duree(lambda: cyclide.convert(depart)) for _ in range(2000))
print(f"one convert call: {un * 1e6:.1f} us")
print("load average %.2f %.2f %.2f" % os.getloadavg())
