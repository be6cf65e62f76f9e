"""read_cad: the rows of a CAD file as the converter gives them, and a file
that is damaged, not a regular file or not CAD at all raises, the
interpreter untouched."""
import json
import os
import subprocess

import pytest

import cyclide

CONV = os.environ.get("CYCLIDE_CONV", "build/cyclide-conv")


@pytest.fixture(scope="module")
def exemple(tmp_path_factory):
    """The converter's STEP file of example 1 (its patch, the piece of its
    cyclide and the whole cyclide: three faces) and its IGES file."""
    d = tmp_path_factory.mktemp("cao")
    subprocess.run([CONV, "--exemple", "1", "--step", str(d / "ex.step"), "--iges",
                    str(d / "ex.igs")], check=True, stdout=subprocess.DEVNULL)
    return d


@pytest.mark.parametrize("nom", ["ex.step", "ex.igs"])
def test_rows_are_the_converters(exemple, nom):
    chemin = exemple / nom
    lignes = subprocess.run([CONV, "--carreau", str(chemin), "--json"], check=True,
                            capture_output=True, text=True).stdout.splitlines()
    rangs = cyclide.read_cad(chemin)
    assert rangs == [json.loads(l) for l in lignes]
    assert [r["input"]["face"] for r in rangs] == sorted(r["input"]["face"] for r in rangs)
    assert {r["input"]["face"] for r in rangs} == {1, 2, 3}


@pytest.mark.parametrize("cas, erreur, message", [
    ("absent", OSError, "introuvable"),
    ("dossier", OSError, "repertoire"),
    ("tube", OSError, "tube nomme"),
    ("zero", OSError, "peripherique"),
    ("tronque", ValueError, "pas un fichier STEP lisible"),
    ("texte", ValueError, "d'un autre genre"),
])
def test_refusals_raise(exemple, tmp_path, cas, erreur, message):
    texte = (exemple / "ex.step").read_bytes()
    chemins = {"absent": tmp_path / "absent.step", "dossier": tmp_path / "d.stp",
               "tube": tmp_path / "t.step", "zero": tmp_path / "z.igs",
               "tronque": tmp_path / "tronque.step", "texte": tmp_path / "texte.step"}
    (tmp_path / "d.stp").mkdir()
    os.mkfifo(tmp_path / "t.step")
    os.symlink("/dev/zero", tmp_path / "z.igs")
    (tmp_path / "tronque.step").write_bytes(texte[: len(texte) // 2])
    (tmp_path / "texte.step").write_text("pas du STEP\n")
    with pytest.raises(erreur, match=message):
        cyclide.read_cad(chemins[cas])
