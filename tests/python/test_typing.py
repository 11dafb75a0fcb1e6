"""The module's type stub: stubtest finds it true to the native module, and mypy --strict, which
finds it through PYTHONPATH, accepts the examples and a game's uses of the API and reports the
wrong uses marked in data/typing_errors.py."""

import ast
import glob
import os
import re
import subprocess
import sys

import pytest

from tarnwick import _tarnwick

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DATA = os.path.join(ROOT, "tests", "python", "data")
STUB = os.path.join(ROOT, "python", "tarnwick", "_tarnwick.pyi")
PYTHON = sys.executable


def run(tmp_path, *args):
    env = {k: v for k, v in os.environ.items() if k != "MYPYPATH"}
    return subprocess.run([PYTHON, "-m", *args], cwd=tmp_path, env=env, capture_output=True,
                          text=True, timeout=240)


@pytest.fixture(scope="module")
def mypy_installed():
    if not os.path.exists(PYTHON) or subprocess.run(
            [PYTHON, "-c", "import mypy.stubtest"], capture_output=True).returncode != 0:
        pytest.skip(f"mypy is not installed for {PYTHON} (Debian's package mypy)")


@pytest.fixture(scope="module")
def mypy_errors(mypy_installed, tmp_path_factory):
    """Runs mypy --strict on a file: its errors' line numbers, each with mypy's lines."""
    tmp_path = tmp_path_factory.mktemp("mypy")

    def check(path):
        done = run(tmp_path, "mypy", "--strict", "--config-file=", "--no-error-summary",
                   "--cache-dir", str(tmp_path / "cache"), path)
        assert done.returncode in (0, 1), done.stdout + done.stderr  # 2: mypy could not check
        errors = {}
        for line in done.stdout.splitlines():
            m = re.match(r"(.*):(\d+): error: ", line)
            if m:
                assert os.path.samefile(m[1], path), line
                errors.setdefault(int(m[2]), []).append(line)
        return errors

    return check


def stub_scopes():
    """The stub's module and classes, each with the module's object of that name."""
    with open(STUB) as f:
        tree = ast.parse(f.read())
    return [(_tarnwick, tree.body, "")] + [
        (getattr(_tarnwick, c.name), c.body, c.name + ".") for c in tree.body
        if isinstance(c, ast.ClassDef) and hasattr(_tarnwick, c.name)]


def test_the_stubs_class_attributes_are_the_modules():
    # stubtest does not look for them: it takes them for instance variables.
    missing = [where + a.target.id for runtime, body, where in stub_scopes()[1:] for a in body
               if isinstance(a, ast.AnnAssign) and not hasattr(runtime, a.target.id)]
    assert not missing


def test_the_stubs_config_is_the_modules():
    # The module makes Config's properties from the engine's table of settings.
    stub = {a.target.id: a.annotation.id for _, body, where in stub_scopes() if where == "Config."
            for a in body if isinstance(a, ast.AnnAssign)}
    made = {name: type(getattr(_tarnwick.config, name)).__name__
            for name, value in vars(_tarnwick.Config).items() if isinstance(value, property)}
    assert stub == made


def signatures_in_doc(fn, name):
    """The argument names, and how many have defaults, of each signature pybind11 documents."""
    found = []
    for params in re.findall(rf"^(?:\d+\. )?{name}\((.*)\) -> ", fn.__doc__ or "", re.M):
        args = list(re.finditer(r"(?:^|, )(\w+): ", params))
        ends = [a.start() for a in args[1:]] + [len(params)]
        kept = [(a[1], params[a.end():end]) for a, end in zip(args, ends) if a[1] != "self"]
        found.append(([n for n, _ in kept], sum(" = " in text for _, text in kept)))
    return sorted(found)


def signatures_in_stub(body):
    """The argument names, and how many have defaults, of the functions but properties and
    operators in a stub's scope, by name."""
    found = {}
    for f in body:
        if not isinstance(f, ast.FunctionDef) or f.name.startswith("__") and f.name != "__init__":
            continue
        if not any(getattr(d, "id", None) == "property" for d in f.decorator_list):
            names = [a.arg for a in f.args.posonlyargs + f.args.args if a.arg != "self"]
            found.setdefault(f.name, []).append((names, len(f.args.defaults)))
    return {name: sorted(sigs) for name, sigs in found.items()}


def test_the_stubs_arguments_are_the_modules():
    # stubtest cannot read the signatures of pybind11's functions; their docstrings have them.
    wrong = []
    for runtime, body, where in stub_scopes():
        for name, sigs in signatures_in_stub(body).items():
            documented = signatures_in_doc(getattr(runtime, name), name)
            if sigs != documented:
                wrong.append(f"{where}{name}: {sigs} in the stub, {documented} in the module")
    assert not wrong


def test_stubtest_finds_the_stub_true_to_the_module(mypy_installed, tmp_path):
    done = run(tmp_path, "mypy.stubtest", "tarnwick._tarnwick")
    assert done.returncode == 0, done.stdout + done.stderr


def test_the_examples_and_a_games_uses_type_check(mypy_errors):
    examples = sorted(glob.glob(os.path.join(ROOT, "examples", "**", "*.py"), recursive=True))
    assert examples, "no Python example found under examples/"
    for path in examples + [os.path.join(DATA, "typing_sample.py")]:
        errors = mypy_errors(path)
        assert not errors, "\n".join(line for lines in errors.values() for line in lines)


def test_wrong_uses_are_reported(mypy_errors):
    path = os.path.join(DATA, "typing_errors.py")
    with open(path) as f:
        marked = {n for n, line in enumerate(f, 1) if re.search(r"#\s*error\s*$", line)}
    assert marked
    errors = mypy_errors(path)
    unexpected = [line for n in sorted(errors.keys() - marked) for line in errors[n]]
    assert not unexpected
    assert sorted(marked - errors.keys()) == [], "marked lines mypy accepted"
