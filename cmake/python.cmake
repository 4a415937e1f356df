# Finds what the Python module needs: an interpreter with NumPy, its headers, and pybind11.
# Debian's python3-numpy and pybind11 belong to /usr/bin/python3; an interpreter found first
# on PATH (pyenv, a virtual environment) often has neither, so the first one of these that
# imports numpy and has its headers is taken, unless Python3_EXECUTABLE is given. Sets
# KEL_PYTHON_BUILD; with KEL_PYTHON=ON a missing piece stops the configuration.

function(kel_python_has executable result)
  execute_process(COMMAND ${executable} -c
                  "import numpy, os, sysconfig; assert os.path.exists(sysconfig.get_paths()['include'] + '/Python.h')"
                  RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
  if(failed)
    set(${result} FALSE PARENT_SCOPE)
  else()
    set(${result} TRUE PARENT_SCOPE)
  endif()
endfunction()

if(NOT Python3_EXECUTABLE)
  find_program(KEL_PATH_PYTHON python3)
  foreach(candidate ${KEL_PATH_PYTHON} /usr/bin/python3)
    if(EXISTS ${candidate})
      kel_python_has(${candidate} usable)
      if(usable)
        set(Python3_EXECUTABLE ${candidate} CACHE FILEPATH "The interpreter of the Python module")
        break()
      endif()
    endif()
  endforeach()
endif()

set(KEL_PYTHON_BUILD OFF)
if(Python3_EXECUTABLE)
  find_package(Python3 COMPONENTS Interpreter Development.Module NumPy QUIET)
  find_package(pybind11 CONFIG QUIET)
  if(Python3_FOUND AND Python3_NumPy_FOUND AND pybind11_FOUND)
    set(KEL_PYTHON_BUILD ON)
  endif()
endif()
if(KEL_PYTHON_BUILD)
  message(STATUS "Python module: ${Python3_EXECUTABLE}, pybind11 ${pybind11_VERSION}")
elseif(KEL_PYTHON STREQUAL "AUTO")
  message(STATUS "Python module left out: no interpreter with NumPy, its headers and pybind11")
else()
  message(FATAL_ERROR "KEL_PYTHON=ON needs Python 3 with NumPy and its headers, and pybind11")
endif()
