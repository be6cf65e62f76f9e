"""The module's batch against the converter's, on the same sets and threads.

    PYTHONPATH=build/python /usr/bin/python3 bench/bench_python.py build/cyclide-conv [N]

Times convert_batch on N random sets (100,000 by default) and
'cyclide-conv --lot' on the same sets written to a file (rows to
/dev/null), for 1 and 2 threads, best of three runs each; then one convert
call, best of 2,000.
"""
import os
import subprocess
import sys
import tempfile
import time

import numpy as np

import cyclide

conv = sys.argv[1] if len(sys.argv) > 1 else "build/cyclide-conv"
n = int(sys.argv[2]) if len(sys.argv) > 2 else 100_000
depart = np.array([0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982])
jeux = depart + np.random.default_rng(2024).normal(0, 0.2, (n, 7))


def meilleur(f, fois=3):
    temps = []
    for _ in range(fois):
        t = time.perf_counter()
        f()
        temps.append(time.perf_counter() - t)
    return min(temps)


with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as fichier:
    fichier.write("".join(" ".join(repr(float(x)) for x in j) + "\n" for j in jeux))
try:
    print(f"{n} sets, {os.cpu_count()} cores")
    for fils in (1, 2):
        lot = meilleur(lambda: subprocess.run([conv, "--lot", fichier.name, "--fils", str(fils)],
                                              stdout=subprocess.DEVNULL, check=True))
        module = meilleur(lambda: cyclide.convert_batch(jeux, threads=fils))
        print(f"threads {fils}: cyclide-conv --lot {n / lot:9.0f} sets/s, "
              f"convert_batch {n / module:9.0f} sets/s, ratio {lot / module:.2f}")
finally:
    os.unlink(fichier.name)

un = min(meilleur(lambda: cyclide.convert(depart), 1) for _ in range(2000))
print(f"one convert call: {un * 1e6:.1f} us")
