"""Builds the native part of the kelvorin module with this repository's CMake build.

The extension is the CMake target _kelvorin (python/), built without the desktop program,
the tests and the benchmarks against the interpreter that runs this script; pybind11, NumPy
and Eigen come from the system (nothing is downloaded).
"""

import os
import pathlib
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent


class CMakeExtension(Extension):
    def __init__(self, name):
        super().__init__(name, sources=[])


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        configure = [
            "cmake", "-S", str(ROOT), "-B", str(build),
            "-DCMAKE_BUILD_TYPE=Release",
            "-DKEL_PYTHON=ON", "-DKEL_UI=OFF", "-DKEL_TESTS=OFF", "-DKEL_BENCH=OFF",
            f"-DPython3_EXECUTABLE={sys.executable}",
        ]
        if shutil.which("ninja"):
            configure += ["-G", "Ninja"]
        if shutil.which("ccache"):
            configure += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"]
        subprocess.run(configure, check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL") or str(os.cpu_count() or 1)
        subprocess.run(["cmake", "--build", str(build), "--target", "_kelvorin", "-j", jobs],
                       check=True)
        built = next((build / "python" / "kelvorin").glob("_kelvorin*.so"))
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


setup(
    packages=["kelvorin"],
    package_dir={"": "python"},
    ext_modules=[CMakeExtension("kelvorin._kelvorin")],
    cmdclass={"build_ext": CMakeBuild},
    # not build/, the usual CMake build folder of this repository
    options={"build": {"build_base": "build-python"}},
    zip_safe=False,
)
