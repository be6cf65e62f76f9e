"""The module cyclide against the converter: the same JSON objects for every
input the converter answers (type-0 verdicts included), batches equal to the
single calls, --lot's error rows, the same files through the same output
checks, and Python's own rules (dtypes, paths, Ctrl-C, warnings)."""
import doctest
import inspect
import json
import os
import signal
import subprocess
import sys
import time
import warnings
from pathlib import Path

import numpy as np
import pytest

import cyclide

CONV = os.environ.get("CYCLIDE_CONV", "build/cyclide-conv")
DEPART = [0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982]


def lancer(*args, entree=None, check=True):
    r = subprocess.run([CONV, *args], input=entree, capture_output=True, text=True)
    assert not check or r.returncode in (0, 1), r.stderr  # 1: a batch with error rows
    return r.stdout


def lignes(rangs):
    return "".join(" ".join(repr(float(x)) for x in np.ravel(r)) + "\n" for r in rangs)


def lot(rangs, *options):
    """The rows of one --lot run over the rows (parameter sets or nets)."""
    return [json.loads(l) for l in lancer(*options, "--lot", "-", entree=lignes(rangs)).splitlines()]


def comme_seul(rang, entree):
    """A --lot row with the input a single call names (not an error row)."""
    return rang if "error" in rang else {**rang, "input": entree}


def identique(a, b):
    """Equal and of the same types all through (== takes 4 for 4.0), keys in the same order."""
    if type(a) is not type(b):
        return False
    if isinstance(a, dict):
        return list(a) == list(b) and all(identique(a[k], b[k]) for k in a)
    if isinstance(a, list):
        return len(a) == len(b) and all(map(identique, a, b))
    return a == b or (a != a and b != b)


def jeux_aleatoires(n, graine):
    """Random sets around the start-up patch and over wide ranges, and whole numbers."""
    g = np.random.default_rng(graine)
    proches = np.array(DEPART) + g.normal(0, 0.2, (n // 2, 7))
    larges = np.column_stack([g.uniform(-np.pi, np.pi, (n - n // 2 - 4, 4)),
                              g.uniform(0.1, 10, (n - n // 2 - 4, 3)) * [1, 1, -1]])
    entiers = [[0] * 7, [1, 2, -3, 3, 4, 8, -8], [0, 1, -1, 3, 1e5, -0.0, -7.982], [1e300] * 7]
    return np.vstack([proches, larges, entiers])


def reseaux_aleatoires(n, graine):
    """Nets of random sets (many of type 0), exact pieces of random cyclides,
    the same scaled from 1e-200 to 1e200, and a few whose numbers overflow."""
    g = np.random.default_rng(graine)
    nets = [np.array([[*p["point"], p["weight"]] for p in r["net"]], dtype=float)
            for r in cyclide.convert_batch(jeux_aleatoires(n // 3, graine))]
    while len(nets) < 2 * n // 3:
        a = g.uniform(1, 10)
        t0, p0 = g.uniform(-np.pi, np.pi, 2)
        axes = np.linalg.qr(g.normal(size=(3, 3)))[0] * [1, 1, -1 if g.random() < 0.5 else 1]
        axes[2] = np.cross(axes[0], axes[1])
        nets.append(cyclide.piece_net(a, a * g.uniform(0, 0.9), a * g.uniform(0.1, 2),
                                      (t0, t0 + g.uniform(0.2, 2.5)), (p0, p0 + g.uniform(0.2, 2.5)),
                                      g.normal(0, 5, 3), axes).reshape(9, 4))
    for k in range(n - len(nets)):
        echelle = 10.0 ** g.choice([-200, -100, -20, 20, 100, 200, 300])
        with np.errstate(over="ignore", invalid="ignore"):  # 1e300 * 1e10 overflows: a refusal
            net = nets[k] * [echelle, echelle, echelle, 1]
            nets.append(net if k % 10 else net * 1e10)
    return np.array(nets)


@pytest.mark.parametrize("plan", ["z", "y"])
def test_convert_and_batch_equal_the_converters_rows(plan):
    jeux = jeux_aleatoires(1000 if plan == "z" else 200, 24)
    rangs = lot(jeux, "--plan", plan)
    seuls = [cyclide.convert(j, plane=plan) for j in jeux]
    for jeu, rang, seul in zip(jeux, rangs, seuls):
        assert identique(seul, comme_seul(rang, {"source": "parameters",
                                                 "parameters": rang["input"]["parameters"]}))
    for fils in (1, 3):
        assert identique(cyclide.convert_batch(jeux, plane=plan, threads=fils), seuls)
    assert identique(cyclide.convert(DEPART, plan), json.loads(lancer("--json", "--plan", plan,
                                                                         *map(repr, DEPART))))


def test_convert_net_and_batch_equal_the_converter_on_nets():
    nets = reseaux_aleatoires(300, 7)
    rangs = lot(nets)
    codes = set()
    for net, rang in zip(nets, rangs):
        if "error" in rang:  # the converter refuses the numbers: so does the module
            with pytest.raises(ValueError, match=r"rang \d \(P\d\d\) : [xyzw] non fini"):
                cyclide.convert_net(net)
            continue
        codes.add(rang["code"])
        assert identique(cyclide.convert_net(net.reshape(3, 3, 4)),
                         comme_seul(rang, {"source": "net", "file": "-"}))
    assert 0 in codes and 1 in codes and sum("error" in r for r in rangs) >= 5
    batch = cyclide.convert_batch(nets, threads=2)
    for rang, b in zip(rangs, batch):
        assert identique(b, comme_seul(rang, {"source": "net", "file": "-"}))
    for net in nets[::60]:  # the whole object, input included, of --carreau -
        assert identique(cyclide.convert_net(net), json.loads(lancer("--json", "--carreau", "-",
                                                                     entree=lignes(net))))


def test_as_arrays_hold_the_dicts_numbers():
    jeux = np.vstack([jeux_aleatoires(300, 5), [[np.nan] * 7]])
    dicts = cyclide.convert_batch(jeux, threads=2)
    col = cyclide.convert_batch(jeux, threads=2, as_arrays=True)
    nul = lambda v: np.nan if v is None else v
    for k, d in enumerate(dicts):
        if "error" in d:
            assert col["code"][k] == -1 and col["errors"] == {k: d["error"]}
            continue
        assert (col["code"][k], col["type"][k]) == (d["code"], d["type"])
        cy = d["cyclide"] or {"a": None, "b": None, "c": None, "mu": None,
                              "centre": [None] * 3, "frame": [[None] * 3] * 3}
        attendu = [cy["a"], cy["b"], cy["c"], cy["mu"], *cy["centre"], *sum(cy["frame"], []),
                   *(d["piece"] or dict.fromkeys("abcd")).values(), d["residual"], d["uncertainty"]]
        obtenu = [col["a"][k], col["b"][k], col["c"][k], col["mu"][k], *col["centre"][k],
                  *col["frame"][k].ravel(), *col["piece"][k], col["residual"][k], col["uncertainty"][k]]
        np.testing.assert_array_equal(obtenu, [nul(v) for v in attendu])
        assert col["admitted_mask"][k] == sum(1 << c for c in d["admitted_codes"] or [])
    octets = sum(v.nbytes for v in col.values() if isinstance(v, np.ndarray))
    assert octets / len(jeux) <= 300


REELS = [np.float64, np.float32, np.float16, np.longdouble, np.int64, np.int32, np.uint8]


@pytest.mark.parametrize("dtype, erreur", [(t, None) for t in REELS] + [
    (np.complex128, TypeError), (np.bool_, TypeError), (np.str_, TypeError), (object, TypeError),
    ("datetime64[s]", TypeError), (np.bytes_, TypeError)])
def test_only_real_numbers_are_taken(dtype, erreur):
    nombres = np.array([0, 1, 1, 3, 4, 8, 7])
    appels = [lambda t: cyclide.convert(t), lambda t: cyclide.convert_batch(t[None, :]),
              lambda t: cyclide.sample(np.tile(t[:4], (9, 1)), 2)]
    for appel in appels:
        t = nombres.astype(dtype)
        if erreur:
            with pytest.raises(erreur, match="nombres reels attendus"):
                appel(t)
        else:
            appel(t)


def test_float32_nets_read_as_the_text_of_their_digits():
    net = cyclide.piece_net(5, 2, 3, (0.2, 1.5), (-0.4, 1.0), (1, -2, 0.5))
    simple = net.astype(np.float32)
    decimal = np.array([[float(str(x)) for x in r] for r in simple.reshape(9, 4)])
    assert identique(cyclide.convert_net(simple), json.loads(lancer("--json", "--carreau", "-",
                                                                    entree=lignes(decimal))))


@pytest.mark.parametrize("appel, erreur, motif", [
    (lambda: cyclide.convert(DEPART[:6]), ValueError, "7 parametres"),
    (lambda: cyclide.convert([*DEPART[:6], np.nan]), ValueError, r"parametre 7 \(p10\) non fini 'nan'"),
    (lambda: cyclide.convert(DEPART, "x"), ValueError, "plan inconnu 'x'"),
    (lambda: cyclide.convert_net(np.ones((9, 3))), ValueError, r"\(9, 4\) ou \(3, 3, 4\)"),
    (lambda: cyclide.convert_net(np.ones((9, 4)), 0), ValueError, "tolerance"),
    (lambda: cyclide.convert_batch(np.ones((2, 5))), ValueError, r"\(N, 7\)"),
    (lambda: cyclide.convert_batch(np.ones((1, 7)), threads=-1), ValueError, "fils"),
    (lambda: cyclide.piece_net(1, 2, 1, (0, 1), (0, 1)), ValueError, r"\|c\| > \|a\|"),
    (lambda: cyclide.piece_net(2, 1, 1, (0, 4), (0, 1)), ValueError, "pi"),
    (lambda: cyclide.piece_net(2, 1, 1, (0, 1), (0, 1), frame=np.zeros((3, 3))), ValueError, "orthonormee"),
    (lambda: cyclide.piece_net(2, 1, 1, (0, 1), (0, 1), frame=2 * np.eye(3)), ValueError, "orthonormee"),
    (lambda: cyclide.piece_net(2, 1, 1, (0, 1), (0, 1), frame=-np.eye(3)), ValueError, "directe"),
    (lambda: cyclide.piece_net(1e308, 1, 1, (0, 1), (0, 1)), ValueError, "nombres finis"),
    (lambda: cyclide.sample(np.ones((9, 4)), 1), ValueError, "au moins 2"),
    (lambda: cyclide.write_step({"net": []}, "x.step"), ValueError, "resultat mal forme"),
    (lambda: cyclide.write_obj(cyclide.convert(DEPART), 3), TypeError, "chemin attendu"),
    (lambda: cyclide.write_obj(cyclide.convert(DEPART), "/nonexistent/d/x.obj"), ValueError,
     "impossible d'ecrire"),
])
def test_malformed_input_raises(appel, erreur, motif):
    with pytest.raises(erreur, match=motif):
        appel()


def test_files_are_the_converters_through_its_output_checks(tmp_path, capfd):
    nul = np.ones((9, 4))  # code 0: the patch alone, as the converter writes it
    (tmp_path / "nul.txt").write_text(lignes(nul))
    for args, resultat in [(list(map(repr, DEPART)), cyclide.convert(DEPART)),
                           (["--carreau", str(tmp_path / "nul.txt")], cyclide.convert_net(nul))]:
        lancer(*args, "--obj", str(tmp_path / "c.obj"), "--step", str(tmp_path / "c.step"))
        assert cyclide.write_obj(resultat, tmp_path / "p.obj") == []
        cyclide.write_step(resultat, os.fsencode(tmp_path / "p.step"))
        assert (tmp_path / "p.obj").read_bytes() == (tmp_path / "c.obj").read_bytes()
        sans_nom = lambda f: [l for l in f.read_text().splitlines() if not l.startswith("FILE_NAME")]
        assert sans_nom(tmp_path / "p.step") == sans_nom(tmp_path / "c.step")
    (tmp_path / "x").write_text("gardé")
    with pytest.raises(ValueError, match="octet nul"):
        cyclide.write_obj(resultat, str(tmp_path / "x") + "\0.obj")
    assert (tmp_path / "x").read_text() == "gardé"
    capfd.readouterr()
    cyclide.write_obj(resultat, "-")
    assert capfd.readouterr().out == (tmp_path / "p.obj").read_text() and not Path("-").exists()
    journal, attendu = tmp_path / "journal", tmp_path / "d.obj"
    journal.write_text("avant\n")
    cyclide.write_obj(cyclide.convert(DEPART), attendu)
    with open(journal, "a") as sortie:
        subprocess.run([sys.executable, "-c", "import cyclide; cyclide.write_obj(cyclide.convert("
                        f"{DEPART}), '/dev/stdout')"], stdout=sortie, check=True)
    assert journal.read_text() == "avant\n" + attendu.read_text()


@pytest.mark.parametrize("rangs, colonnes", [(200000, False), (600000, True)])
def test_ctrl_c_stops_a_batch_with_keyboard_interrupt(rangs, colonnes):
    script = ("import numpy as np, cyclide\n"
              f"j = np.tile({DEPART}, ({rangs}, 1))\n"
              "print('parti', flush=True)\n"
              "try:\n"
              f"    cyclide.convert_batch(j, threads=2, as_arrays={colonnes})\n"
              "except KeyboardInterrupt:\n"
              "    print('interrompu', flush=True)\n"
              "    raise\n")
    p = subprocess.Popen([sys.executable, "-c", script], stdout=subprocess.PIPE,
                         stderr=subprocess.PIPE, text=True)
    assert p.stdout.readline() == "parti\n"
    time.sleep(1)  # into the batch
    p.send_signal(signal.SIGINT)
    try:
        sortie, erreur = p.communicate(timeout=60)  # the whole batch takes far longer under load
    finally:
        p.kill()
    assert sortie == "interrompu\n" and p.returncode != 0 and "KeyboardInterrupt" in erreur


# A patch 1/10000 of its cyclide: reading it, the core prints diagnostics.
PETIT_CARREAU = np.array([float(x) for x in """
0.49421486068375153 1.1607198165759074 1.5987671570270412 1
0.4941865428305684 1.1606767924497765 1.5987988364541537 0.99999562987145951
0.49415822483555616 1.1606337642751918 1.5988305102554854 0.99999126304782759
0.49417728523617754 1.1607442299427797 1.5987667248149291 0.99999427504818972
0.49414896734523428 1.160701205076248 1.5987984046401871 0.99998990504903351
0.49412064931261895 1.1606581761611214 1.5988300788395893 0.99998553835481663
0.49413970906191379 1.1607686421710477 1.5987662914693261 0.99998855051624214
0.49411139113320396 1.1607256165640887 1.5987979716927616 0.9999841806464731
0.49408307306297911 1.1606825869083943 1.5988296462902667 0.99997981408167436
""".split()]).reshape(9, 4)


@pytest.mark.parametrize("appel", [lambda n: cyclide.convert_net(n),
                                   lambda n: cyclide.convert_batch(np.array([n, n]), threads=2)])
def test_core_diagnostics_come_as_warnings_never_on_the_streams(appel, capfd):
    with warnings.catch_warnings(record=True) as vus:
        warnings.simplefilter("always")
        appel(PETIT_CARREAU)
    assert capfd.readouterr() == ("", "")
    assert [v.category for v in vus] == [RuntimeWarning]
    assert "intersectionPlanDroite" in str(vus[0].message)


def test_signatures_versions_and_docs(tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)  # the examples write ring.step and ring.obj
    essais = doctest.testmod(cyclide, extraglobs={"cyclide": cyclide})
    assert essais.failed == 0 and essais.attempted >= 14
    for nom in ("convert", "convert_net", "convert_batch", "piece_net", "sample", "write_step",
                "write_obj"):
        f = getattr(cyclide, nom)
        parametres = list(inspect.signature(f).parameters)
        assert ">>> " in f.__doc__, nom
        if "tolerance" in parametres:
            assert parametres.index("tolerance") + 1 == parametres.index("plane")
    ligne = Path(__file__).parents[2].joinpath("CMakeLists.txt").read_text()
    assert f"VERSION {cyclide.__version__} " in ligne
