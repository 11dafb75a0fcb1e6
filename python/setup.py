"""Builds the wheel of the Python module tarnwick with the project's own CMake tree.

build_ext configures the repository (this directory's parent) in Release, builds the target
tw_python and installs its component python into a staging directory, whose package tarnwick
goes into the wheel as it stands. The build trees lie outside this directory: in build-wheel/
at the repository's root, or in $TW_WHEEL_BUILD when that is set.
"""

import os
import pathlib
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent
BUILD = pathlib.Path(os.environ.get("TW_WHEEL_BUILD") or ROOT / "build-wheel").resolve()
# Where python/CMakeLists.txt installs the package, under the prefix.
PACKAGE_UNDER_PREFIX = pathlib.Path("lib", "python3", "dist-packages", "tarnwick")


def project_version() -> str:
    text = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    found = re.search(r"project\(\s*Tarnwick\s+VERSION\s+([0-9.]+)", text)
    if not found:
        raise RuntimeError(f"no project(Tarnwick VERSION ...) in {ROOT / 'CMakeLists.txt'}")
    return found.group(1)


class CMakeBuild(build_ext):
    def build_extension(self, ext: Extension) -> None:
        tree = pathlib.Path(self.build_temp).resolve() / "cmake"
        stage = pathlib.Path(self.build_temp).resolve() / "stage"
        subprocess.run(
            ["cmake", "-S", str(ROOT), "-B", str(tree), "-DTW_BUILD_TESTS=OFF",
             "-DTW_BUILD_EXAMPLES=OFF", "-DCMAKE_BUILD_TYPE=Release",
             f"-DPython3_EXECUTABLE={sys.executable}"],
            check=True, stdout=subprocess.DEVNULL)
        build = ["cmake", "--build", str(tree), "--target", "tw_python"]
        # -j N given to build_ext, else CMAKE_BUILD_PARALLEL_LEVEL (read by cmake), else every core.
        if self.parallel:
            build += ["--parallel", str(self.parallel)]
        elif "CMAKE_BUILD_PARALLEL_LEVEL" not in os.environ:
            build += ["--parallel", str(os.cpu_count() or 1)]
        subprocess.run(build, check=True)
        shutil.rmtree(stage, ignore_errors=True)
        subprocess.run(
            ["cmake", "--install", str(tree), "--component", "python", "--prefix", str(stage),
             "--strip"],
            check=True, stdout=subprocess.DEVNULL)

        package = stage / PACKAGE_UNDER_PREFIX
        modules = list(package.glob("_tarnwick*.so"))
        if len(modules) != 1:
            raise RuntimeError(f"expected one _tarnwick*.so in {package}, found {modules}")
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        if modules[0].name != target.name:
            raise RuntimeError(f"CMake built {modules[0].name} for another Python than this one, "
                               f"which loads {target.name}")
        target.parent.mkdir(parents=True, exist_ok=True)
        for f in package.iterdir():
            shutil.copy2(f, target.parent / f.name)


# setuptools would otherwise keep its build trees and tarnwick.egg-info here, in python/.
BUILD.mkdir(parents=True, exist_ok=True)
setup(
    version=project_version(),
    packages=["tarnwick"],
    ext_modules=[Extension("tarnwick._tarnwick", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    options={"build": {"build_base": str(BUILD)}, "egg_info": {"egg_base": str(BUILD)}},
    zip_safe=False,
)
