"""The wheel as a user installs it: built from the repository with Debian's
build tools (python3 -m build --no-isolation --wheel), installed by pip into
a fresh virtual environment (with the system's numpy), imported there; its
metadata version is the module's, and one conversion equals the converter's.
Usage: roue.py REPOSITORY CYCLIDE-CONV"""
import json
import subprocess
import sys
import tempfile
from pathlib import Path

DEPART = ["0", "1.5707963267948966", "-1.0471975511965976", "3.141592653589793", "4", "8", "-7.982"]
VERIFICATION = """
import importlib.metadata, inspect, json, sys, cyclide
assert importlib.metadata.version("cyclide") == cyclide.__version__, cyclide.__version__
assert str(inspect.signature(cyclide.convert_net)) == "(net, tolerance=1e-06, plane='z')"
print(json.dumps(cyclide.convert([float(x) for x in sys.argv[1:]])))
"""


def main(depot, conv):
    with tempfile.TemporaryDirectory() as tmp:
        tmp = Path(tmp)
        subprocess.run([sys.executable, "-m", "build", "--no-isolation", "--wheel", "--outdir",
                        tmp / "dist", depot], check=True, stdout=subprocess.DEVNULL)
        (roue,) = (tmp / "dist").glob("cyclide-*.whl")
        subprocess.run([sys.executable, "-m", "venv", "--system-site-packages", tmp / "venv"],
                       check=True)
        python = tmp / "venv" / "bin" / "python"
        subprocess.run([python, "-m", "pip", "install", "--no-index", "--quiet", roue], check=True)
        module = subprocess.run([python, "-c", VERIFICATION, *DEPART], cwd=tmp, check=True,
                                capture_output=True, text=True).stdout
        chemin = subprocess.run([python, "-c", "import cyclide; print(cyclide.__file__)"],
                                cwd=tmp, check=True, capture_output=True, text=True).stdout
        attendu = subprocess.run([conv, "--json", *DEPART], check=True, capture_output=True,
                                 text=True).stdout
        assert str(tmp / "venv") in chemin, chemin
        resultat = json.loads(module)
        attendu = json.loads(attendu)
        assert resultat == attendu, (resultat, attendu)
        assert (Path(chemin).parent / "__init__.pyi").exists()
        print("roue", roue.name, "installee et conforme")


if __name__ == "__main__":
    main(*sys.argv[1:])
