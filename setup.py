"""The wheel of the module cyclide, built by the project's CMake.

The version is the one of the top CMakeLists.txt's project(... VERSION ...),
which the module's __version__ also gets: one number, one place. Only the
module's target and its install component are built. The wheel holds the
package cyclide (python/paquet): the extension, its stub and the
__init__.py that imports it, so that `import cyclide` is the same there as
beside the build's or the Debian package's module."""
import re
import shutil
import sys
from pathlib import Path

from skbuild import setup

RACINE = Path(__file__).resolve().parent


def version_du_projet():
    texte = (RACINE / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"project\([^)]*VERSION\s+([0-9.]+)", texte).group(1)


options_cmake = [
    "-DCMAKE_BUILD_TYPE=Release",
    "-DCYCLIDE_BUILD_GUI=OFF",
    "-DCYCLIDE_BUILD_TESTS=OFF",
    "-DCYCLIDE_PYTHON_DIR=python/paquet",
    "-DCYCLIDE_PYTHON_PAQUET=ON",
    f"-DPython3_EXECUTABLE={sys.executable}",
]
if shutil.which("ccache"):
    options_cmake.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")

setup(
    version=version_du_projet(),
    packages=["cyclide"],
    package_dir={"cyclide": "python/paquet"},
    cmake_args=options_cmake,
    cmake_install_target="installer_module_python",
)
