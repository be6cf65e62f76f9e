"""The module cyclide against the converter: the same JSON objects, the
batch equal to single calls, ValueError on bad input, the same files."""
import json
import os
import subprocess

import numpy as np
import pytest

import cyclide

CONV = os.environ.get("CYCLIDE_CONV", "build/cyclide-conv")
DEPART = [0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982]


def lancer(*args, entree=None):
    r = subprocess.run([CONV, *args], input=entree, capture_output=True, text=True, check=True)
    return r.stdout


def jeux_aleatoires(n, graine):
    """Random sets around the start-up patch and over wide ranges."""
    g = np.random.default_rng(graine)
    proches = np.array(DEPART) + g.normal(0, 0.2, (n // 2, 7))
    larges = np.column_stack([g.uniform(-np.pi, np.pi, (n - n // 2, 4)),
                              g.uniform(0.1, 10, (n - n // 2, 3)) * [1, 1, -1]])
    return np.vstack([proches, larges])


def identique(a, b):
    """Equal and of the same types all through (== takes 4 for 4.0), keys in the same order."""
    if type(a) is not type(b):
        return False
    if isinstance(a, dict):
        return list(a) == list(b) and all(identique(a[k], b[k]) for k in a)
    if isinstance(a, list):
        return len(a) == len(b) and all(map(identique, a, b))
    return a == b


def texte_reseau(net):
    return "".join(" ".join(repr(float(x)) for x in ligne) + "\n" for ligne in np.reshape(net, (9, 4)))


@pytest.mark.parametrize("plan", ["z", "y"])
def test_convert_equals_the_converters_rows(plan):
    # and whole numbers: an int where the text has neither point nor exponent
    # (4, -0, 123456789012345683968), a float where it has one (1e+05), None
    # for numbers that overflow
    entiers = [[0, 0, 0, 0, 0, 0, 0], [1, 2, -3, 3, 4, 8, -8], [0, 1, -1, 3, 1e5, -0.0, -7.982],
               [0, 1, -1, 3, 4, 1.2345678901234568e20, -7], [1e300] * 7]
    jeux = np.vstack([jeux_aleatoires(500, 24 if plan == "z" else 25), entiers])
    lignes = lancer("--plan", plan, "--lot", "-",
                    entree="".join(" ".join(repr(float(x)) for x in j) + "\n" for j in jeux))
    rangs = [json.loads(l) for l in lignes.splitlines()]
    assert len(rangs) == len(jeux)
    for jeu, rang in zip(jeux, rangs):
        rang["input"] = {"source": "parameters", "parameters": rang["input"]["parameters"]}
        assert identique(cyclide.convert(jeu, plane=plan), rang)
    # One object of --json as it is, input included.
    assert identique(cyclide.convert(DEPART), json.loads(lancer("--json", *map(repr, DEPART))))


def reseaux_aleatoires(n, graine):
    """Nets of random parameter sets and exact pieces of random cyclides."""
    g = np.random.default_rng(graine)
    nets = [np.array([[*p["point"], p["weight"]] for p in r["net"]])
            for r in cyclide.convert_batch(jeux_aleatoires(n // 2, graine))]
    for _ in range(n - n // 2):
        a = g.uniform(1, 10)
        c, mu = a * g.uniform(0, 0.9), a * g.uniform(0.1, 2)
        t0, p0 = g.uniform(-np.pi, np.pi, 2)
        axes = np.linalg.qr(g.normal(size=(3, 3)))[0]
        nets.append(np.reshape(cyclide.piece_net(a, c, mu, (t0, t0 + g.uniform(0.2, 2.5)),
                                      (p0, p0 + g.uniform(0.2, 2.5)), g.normal(0, 5, 3), axes), (9, 4)))
    return nets


def test_convert_net_equals_the_converter_on_each_net():
    for net in reseaux_aleatoires(240, 7):
        r = subprocess.run([CONV, "--json", "--carreau", "-"], input=texte_reseau(net),
                           capture_output=True, text=True)
        if r.returncode == 2:  # a boundary the converter refuses is refused here too
            with pytest.raises(ValueError, match="n'est pas un arc de cercle"):
                cyclide.convert_net(net)
        else:
            assert identique(cyclide.convert_net(np.reshape(net, (3, 3, 4))), json.loads(r.stdout))


def accepte(net):
    try:
        cyclide.convert_net(net, tolerance=1e-3)
        return True
    except ValueError:
        return False


def test_batch_equals_single_calls_in_order():
    jeux = jeux_aleatoires(300, 3)
    seuls = [cyclide.convert(j, plane="y") for j in jeux]
    for fils in (1, 3):
        assert identique(cyclide.convert_batch(jeux, plane="y", threads=fils), seuls)
    nets = np.array([n for n in reseaux_aleatoires(60, 4) if accepte(n)])
    assert len(nets) > 40
    assert cyclide.convert_batch(nets, threads=2, tolerance=1e-3) == \
        [cyclide.convert_net(n, tolerance=1e-3) for n in nets]
    assert cyclide.convert_batch(np.zeros((0, 7))) == []


@pytest.mark.parametrize("appel, motif", [
    (lambda: cyclide.convert(DEPART[:6]), "7 parametres"),
    (lambda: cyclide.convert([*DEPART[:6], float("nan")]), "parametre non fini 'nan'"),
    (lambda: cyclide.convert(DEPART, plane="x"), "plan inconnu 'x'"),
    (lambda: cyclide.convert_net(np.ones((9, 3))), r"\(9, 4\) ou \(3, 3, 4\)"),
    (lambda: cyclide.convert_net(np.ones((9, 4)), tolerance=0), "tolerance"),
    (lambda: cyclide.convert_net(np.ones((9, 4))), "le bord u = 0 .* n'est pas un arc de cercle"),
    (lambda: cyclide.convert_batch(np.array([DEPART, [np.inf] * 7])), "rang 1 : parametre non fini"),
    (lambda: cyclide.convert_batch(np.ones((2, 5))), "attendu"),
    (lambda: cyclide.convert_batch(np.ones((1, 7)), threads=-1), "fils"),
    (lambda: cyclide.piece_net(1, 2, 1, (0, 1), (0, 1)), r"\|c\| > \|a\|"),
    (lambda: cyclide.piece_net(2, 1, 1, (0, 4), (0, 1)), "pi"),
    (lambda: cyclide.sample(np.ones((9, 4)), 1), "au moins 2"),
    (lambda: cyclide.write_step({"net": []}, "/tmp/x.step"), "resultat mal forme"),
    (lambda: cyclide.write_obj(cyclide.convert(DEPART), "/nonexistent/dir/x.obj"), "impossible d'ecrire"),
])
def test_bad_input_raises_value_error_with_the_french_reason(appel, motif):
    with pytest.raises(ValueError, match=motif):
        appel()


def test_files_are_the_converters(tmp_path):
    for args, resultat in [(DEPART, cyclide.convert(DEPART)),
                           (["--plan", "y", *DEPART], cyclide.convert(DEPART, plane="y"))]:
        lancer(*map(str, args), "--obj", str(tmp_path / "c.obj"), "--step", str(tmp_path / "c.step"))
        cyclide.write_obj(resultat, str(tmp_path / "p.obj"))
        cyclide.write_step(resultat, str(tmp_path / "p.step"))
        assert (tmp_path / "p.obj").read_bytes() == (tmp_path / "c.obj").read_bytes()
        sans_nom = [lambda t: [l for l in t.splitlines() if not l.startswith("FILE_NAME")]][0]
        assert sans_nom((tmp_path / "p.step").read_text()) == sans_nom((tmp_path / "c.step").read_text())


def test_piece_and_samples_lie_on_the_cyclide():
    a, c, mu = 5.0, 2.0, 3.0
    axes = np.linalg.qr(np.random.default_rng(1).normal(size=(3, 3)))[0]
    centre = np.array([1.0, -2.0, 0.5])
    net = cyclide.piece_net(a, c, mu, (0.2, 1.5), (-0.4, 1.0), centre, axes)
    r = cyclide.convert_net(net)
    assert r["kind"] == "ring"
    assert np.allclose([r["cyclide"][k] for k in ("a", "c", "mu")], [a, c, mu], rtol=1e-12)
    # Samples in the cyclide's frame satisfy its implicit equation.
    q = (cyclide.sample(net, 7) - centre) @ axes.T
    b2 = a * a - c * c
    x, y, z = q[..., 0], q[..., 1], q[..., 2]
    f = (x * x + y * y + z * z - mu * mu + b2) ** 2 - 4 * (a * x - c * mu) ** 2 - 4 * b2 * y * y
    assert np.max(np.abs(f)) < 1e-10 * a ** 4
    # The corners of the samples are the corner control points.
    s = cyclide.sample(net, 4)
    assert np.allclose(s[0, 0], net[0, 0, :3], rtol=1e-14)
    assert np.allclose(s[-1, -1], net[2, 2, :3], rtol=1e-14)


def test_version():
    assert all(part.isdigit() for part in cyclide.__version__.split("."))


# A patch 1/10000 of its cyclide: reading it, the core prints diagnostic
# lines of its own. A script's standard output must stay its own (JSON, CSV).
PETIT_CARREAU = [float(x) for x in """
0.49421486068375153 1.1607198165759074 1.5987671570270412 1
0.4941865428305684 1.1606767924497765 1.5987988364541537 0.99999562987145951
0.49415822483555616 1.1606337642751918 1.5988305102554854 0.99999126304782759
0.49417728523617754 1.1607442299427797 1.5987667248149291 0.99999427504818972
0.49414896734523428 1.160701205076248 1.5987984046401871 0.99998990504903351
0.49412064931261895 1.1606581761611214 1.5988300788395893 0.99998553835481663
0.49413970906191379 1.1607686421710477 1.5987662914693261 0.99998855051624214
0.49411139113320396 1.1607256165640887 1.5987979716927616 0.9999841806464731
0.49408307306297911 1.1606825869083943 1.5988296462902667 0.99997981408167436
""".split()]


@pytest.mark.parametrize("appel", [
    lambda net: cyclide.convert_net(net),
    lambda net: cyclide.convert_batch(np.array([net, net]), threads=2),
])
def test_core_diagnostics_go_to_stderr_not_stdout(appel, capfd):
    net = np.array(PETIT_CARREAU).reshape(9, 4)
    appel(net)
    sortie, erreur = capfd.readouterr()
    assert sortie == ""
    assert "intersectionPlanDroite" in erreur
