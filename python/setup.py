"""Builds the wheel of the Python module tarnwick with the project's own CMake tree.

build_ext configures the repository (this directory's parent) in Release, builds the target
tw_python and installs its component python into a staging directory, whose package tarnwick
goes into the wheel as it stands. The build trees lie outside this directory: in build-wheel/
at the repository's root, or in $TW_WHEEL_BUILD when that is set.

SFML and the libraries it uses come, by default, from Debian's source packages, built static
and position-independent by scripts/build-deps.sh linux, and are linked into the module. What is
left a shared library (OpenAL Soft, and the system's libraries that a manylinux wheel may not
load from the system) is copied into tarnwick/libs/ under a name of its own and found through
$ORIGIN; every library built in or carried has its licence in tarnwick/licenses/. The wheel is
tagged manylinux_X_Y for the glibc it was built against. TW_WHEEL_SFML=system instead links the
system's shared SFML (Debian's libsfml packages, which must then be installed where the wheel is
used): a quicker build, tagged linux_<arch>.
"""

import hashlib
import os
import pathlib
import platform
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
SFML = os.environ.get("TW_WHEEL_SFML", "source")
if SFML not in ("source", "system"):
    raise RuntimeError(f"TW_WHEEL_SFML is {SFML!r}: source or system")
# What a manylinux wheel may load from the system (the policy's list, less what the module has no
# use for): glibc, the C++ runtime, OpenGL and the X11 client libraries. The rest is carried.
SYSTEM_LIBRARIES = {
    "ld-linux-x86-64.so.2", "libc.so.6", "libm.so.6", "libdl.so.2", "librt.so.1",
    "libpthread.so.0", "libresolv.so.2", "libutil.so.1", "libnsl.so.1",
    "libstdc++.so.6", "libgcc_s.so.1",
    "libGL.so.1", "libX11.so.6", "libXext.so.6", "libXrender.so.1", "libICE.so.6", "libSM.so.6",
}


def project_version() -> str:
    text = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    found = re.search(r"project\(\s*Tarnwick\s+VERSION\s+([0-9.]+)", text)
    if not found:
        raise RuntimeError(f"no project(Tarnwick VERSION ...) in {ROOT / 'CMakeLists.txt'}")
    return found.group(1)


def platform_tag() -> str:
    if SFML == "system":
        return f"linux_{platform.machine()}"
    libc, version = os.confstr("CS_GNU_LIBC_VERSION").split()
    if libc != "glibc":
        raise RuntimeError(f"a manylinux wheel is built against glibc, not {libc}")
    major, minor = version.split(".")[:2]
    return f"manylinux_{major}_{minor}_{platform.machine()}"


def run(*args: str, **kwargs) -> str:
    return subprocess.run(args, check=True, stdout=subprocess.PIPE, text=True, **kwargs).stdout


def needed(elf: pathlib.Path) -> list[str]:
    dynamic = run("readelf", "-d", "-W", str(elf))
    return re.findall(r"\(NEEDED\)\s+Shared library: \[([^]]+)\]", dynamic)


def resolved(elf: pathlib.Path, search: pathlib.Path) -> dict[str, pathlib.Path]:
    """The libraries that elf loads, each name with the file the dynamic linker finds for it."""
    env = dict(os.environ, LD_LIBRARY_PATH=str(search))
    found = {}
    for line in run("ldd", str(elf), env=env).splitlines():
        parts = line.split()
        if len(parts) >= 3 and parts[1] == "=>":
            if parts[2] == "not":
                raise RuntimeError(f"{elf} needs {parts[0]}, which is nowhere to be found")
            found[parts[0]] = pathlib.Path(parts[2])
    return found


def bundle(module: pathlib.Path, deps: pathlib.Path, package: pathlib.Path) -> None:
    """Copies into package/libs every library that module loads, directly or through another
    copied one, and that may not come from the system; renames each after its content, so that
    another copy of the same library in the process is not taken for it, and points module at
    them through $ORIGIN. Writes the licence of each that came from Debian's packages."""
    libs = package / "libs"
    libs.mkdir()
    where = resolved(module, deps / "lib")
    renamed: dict[str, str] = {}
    todo = [module]
    while todo:
        for name in needed(todo.pop()):
            if name in SYSTEM_LIBRARIES or name in renamed:
                continue
            source = where[name].resolve()
            stem, so, version = name.partition(".so")
            digest = hashlib.sha256(source.read_bytes()).hexdigest()[:8]
            copy = libs / f"{stem}-{digest}{so}{version}"
            shutil.copyfile(source, copy)
            copy.chmod(0o755)
            run("strip", "--strip-unneeded", str(copy))
            # One change a call: patchelf 0.14 mixes up a soname and a run path given together.
            run("patchelf", "--set-soname", copy.name, str(copy))
            run("patchelf", "--set-rpath", "$ORIGIN", str(copy))
            renamed[name] = copy.name
            todo.append(copy)
            if not source.is_relative_to(deps):  # a system library: Debian's copyright file
                owner = run("dpkg", "-S", str(source)).split(":")[0]
                target = package / "licenses" / owner
                target.mkdir(parents=True, exist_ok=True)
                shutil.copyfile(f"/usr/share/doc/{owner}/copyright", target / "copyright")
    for elf in [module, *libs.iterdir()]:
        for name in needed(elf):
            if name in renamed:
                run("patchelf", "--replace-needed", name, renamed[name], str(elf))
    run("patchelf", "--set-rpath", "$ORIGIN/libs", str(module))


class CMakeBuild(build_ext):
    def build_extension(self, ext: Extension) -> None:
        tree = pathlib.Path(self.build_temp).resolve() / f"cmake-{SFML}"
        stage = pathlib.Path(self.build_temp).resolve() / "stage"
        configure = ["cmake", "-S", str(ROOT), "-B", str(tree), "-DTW_BUILD_TESTS=OFF",
                     "-DTW_BUILD_EXAMPLES=OFF", "-DCMAKE_BUILD_TYPE=Release",
                     f"-DTW_SFML_FROM_SOURCE={'ON' if SFML == 'source' else 'OFF'}",
                     f"-DPython3_EXECUTABLE={sys.executable}"]
        deps = None
        if SFML == "source":
            # Quick once built; the configure step runs it again and finds the same prefix.
            deps = pathlib.Path(run(str(ROOT / "scripts" / "build-deps.sh"), "linux").strip())
            # A tree configured with another prefix (an older recipe's) keeps the libraries it
            # found there in its cache: it is made anew.
            stamp = tree / "tw-deps-prefix.txt"
            if not stamp.is_file() or stamp.read_text() != str(deps):
                shutil.rmtree(tree, ignore_errors=True)
                tree.mkdir(parents=True)
                stamp.write_text(str(deps))
        subprocess.run(configure, check=True, stdout=subprocess.DEVNULL)
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
        licenses = package / "licenses"
        licenses.mkdir()
        shutil.copyfile(ROOT / "LICENSE", licenses / "LICENSE")
        if deps:
            shutil.copytree(deps / "share" / "licenses", licenses, dirs_exist_ok=True)
            bundle(modules[0], deps, package)
        # What an earlier build of the other kind left there goes.
        target.parent.mkdir(parents=True, exist_ok=True)
        for kept in ("libs", "licenses"):
            shutil.rmtree(target.parent / kept, ignore_errors=True)
        for f in package.iterdir():
            if f.is_dir():
                shutil.copytree(f, target.parent / f.name)
            else:
                shutil.copy2(f, target.parent / f.name)


# setuptools would otherwise keep its build trees and tarnwick.egg-info here, in python/.
BUILD.mkdir(parents=True, exist_ok=True)
setup(
    version=project_version(),
    packages=["tarnwick"],
    ext_modules=[Extension("tarnwick._tarnwick", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    options={"build": {"build_base": str(BUILD)}, "egg_info": {"egg_base": str(BUILD)},
             "bdist_wheel": {"plat_name": platform_tag()}},
    zip_safe=False,
)
