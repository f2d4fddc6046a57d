# SPDX-License-Identifier: MIT
# Every source file names its licence in its first line, in its own comment
# syntax (after the #! line of a script that has one): C++ and resource
# scripts with "//"; CMake, shell, Python, the installer script and the bash
# completion with "#". Run by CTest as
#   cmake -DROOT=<source dir> -P licence_lines.cmake
cmake_minimum_required(VERSION 3.25)

set(line "SPDX-License-Identifier: MIT")

# Everything but the build folders and git's own.
file(GLOB tops RELATIVE "${ROOT}" "${ROOT}/*" "${ROOT}/.*")
set(files "")
foreach(top IN LISTS tops)
  if(top MATCHES "^(build|build-.*|\\.git|\\.|\\.\\.)$")
    continue()
  endif()
  if(IS_DIRECTORY "${ROOT}/${top}")
    file(GLOB_RECURSE found RELATIVE "${ROOT}" "${ROOT}/${top}/*")
    list(APPEND files ${found})
  else()
    list(APPEND files "${top}")
  endif()
endforeach()

set(problems "")
set(checked 0)
foreach(path IN LISTS files)
  get_filename_component(name "${path}" NAME)
  file(READ "${ROOT}/${path}" start LIMIT 300)
  if(name MATCHES "\\.(cpp|h|rc)$")
    set(wanted "^// ${line}\n")
  elseif(name MATCHES "\\.(cmake|sh|py|nsi|bash-completion)$" OR name STREQUAL "CMakeLists.txt" OR start MATCHES "^#!")
    set(wanted "^(#![^\n]*\n)?# ${line}\n")
  else()
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  if(NOT start MATCHES "${wanted}")
    list(APPEND problems "${path}")
  endif()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "Source files whose first line (after a #! line) is not the comment \"${line}\":\n  ${text}")
endif()
message(STATUS "licence_lines: all ${checked} source files name their licence")
