"""Builds the touchstone2 Python module: the library's sources and the
binding in python/src, compiled together into one extension, touchstone2._core.

Needs a C++17 compiler, the Python headers and the pybind11 headers (Debian:
g++ python3-dev pybind11-dev); NumPy at run time. With the Eigen 3 headers
(Debian: libeigen3-dev) the quality metrics and the conversion to
S-parameters are built in; without them they are left out, and say so. Install with pip, without
build isolation so that nothing is fetched (see the README):

    pip install --no-build-isolation .
"""

import concurrent.futures
import os
import re
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = os.path.dirname(os.path.abspath(__file__))


def project_version():
    """The version of the CMake project, the one place it is kept."""
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as f:
        return re.search(r"project\(snpvet VERSION ([0-9.]+)", f.read()).group(1)


def eigen_include():
    """The folder of the Eigen 3 headers, as pkg-config names it or where
    Debian puts them; None without them."""
    try:
        flags = subprocess.run(["pkg-config", "--cflags-only-I", "eigen3"], capture_output=True,
                               text=True, check=True).stdout.split()
        folders = [flag[2:] for flag in flags if flag.startswith("-I")]
    except (OSError, subprocess.CalledProcessError):
        folders = []
    for folder in folders + ["/usr/include/eigen3", "/usr/local/include/eigen3"]:
        if os.path.exists(os.path.join(folder, "Eigen", "Dense")):
            return folder
    return None


EIGEN = eigen_include()
if EIGEN is None:
    print("touchstone2: Eigen 3 not found (Debian: libeigen3-dev); building without the "
          "quality metrics", file=sys.stderr)


def sources():
    """The library's sources and the binding's, from the list that CMake
    reads too (cmake/sources.txt): all but the program (app/), the manual
    page's generator (docs/), the program's reports (reports/), the
    WebAssembly binding (web/), the unit tests, and the quality metrics
    without Eigen, relative to this folder as
    setuptools wants them."""
    with open(os.path.join(ROOT, "cmake", "sources.txt"), encoding="utf-8") as f:
        listed = [line.strip() for line in f if line.strip() and not line.startswith("#")]
    return [path for path in listed
            if not path.startswith(("app/", "docs/", "reports/", "web/"))
            and not path.endswith("_test.cpp")
            and (EIGEN is not None or not path.startswith("quality/"))]


def include_dirs():
    """The public headers (<touchstone2/file.h>), the source root (internal
    headers are included as "input/lexer.h") and the pybind11 headers of its
    Python package where one is installed; Debian's pybind11-dev puts them on
    the compiler's default path."""
    folders = [os.path.join(ROOT, "include"), ROOT] + ([EIGEN] if EIGEN else [])
    try:
        import pybind11
        folders.append(pybind11.get_include())
    except ImportError:
        pass
    return folders


class ParallelBuildExt(build_ext):
    """Compiles the sources on all processors (capped by the environment
    variable TOUCHSTONE2_BUILD_JOBS) instead of one by one: the compiler's
    public compile() is called for one source at a time, from a thread
    pool."""

    def build_extensions(self):
        jobs = int(os.environ.get("TOUCHSTONE2_BUILD_JOBS", os.cpu_count() or 1))
        compile_all = self.compiler.compile

        def compile_parallel(sources, *args, **kwargs):
            with concurrent.futures.ThreadPoolExecutor(max(1, jobs)) as pool:
                parts = pool.map(lambda source: compile_all([source], *args, **kwargs), sources)
                return [obj for objects in parts for obj in objects]

        self.compiler.compile = compile_parallel
        build_ext.build_extensions(self)


setup(
    version=project_version(),
    package_dir={"": "python"},
    packages=["touchstone2"],
    package_data={"touchstone2": ["*.pyi", "py.typed"]},
    ext_modules=[
        Extension(
            "touchstone2._core",
            sources=sources(),
            include_dirs=include_dirs(),
            define_macros=[("TOUCHSTONE2_VERSION", '"%s"' % project_version())]
            + ([("TOUCHSTONE2_QUALITY", None)] if EIGEN else []),
            extra_compile_args=["-std=c++17", "-O3", "-g0", "-fvisibility=hidden"],
            language="c++",
        )
    ],
    cmdclass={"build_ext": ParallelBuildExt},
    # Out of the way of a CMake build folder named "build".
    options={"build": {"build_base": "build-python"},
             "egg_info": {"egg_base": "build-python"}},
)
