# SPDX-License-Identifier: MIT
# Keeps docs/robustness.md true: every row of its tables names at least one
# test, and every test it names as `Suite.Name` in `file` is defined in that
# file; `e2e.name` in `tests/e2e/name.sh` is the end-to-end script registered
# under that name. Run by CTest as
#   cmake -DROOT=<source dir> -P robustness_table.cmake

file(STRINGS "${ROOT}/docs/robustness.md" rows ENCODING UTF-8 REGEX "^\\|")
set(problems "")
set(checked 0)
foreach(row IN LISTS rows)
  # The header and separator rows of each table.
  if(row MATCHES "^\\|[- |]+\\|$" OR row MATCHES "\\| Tests? \\|$")
    continue()
  endif()
  string(REGEX MATCHALL "`[A-Za-z0-9_]+\\.[A-Za-z0-9_]+`(, `[A-Za-z0-9_]+\\.[A-Za-z0-9_]+`)* in `[^`]+`"
         groups "${row}")
  if(NOT groups)
    list(APPEND problems "a row names no test: ${row}")
    continue()
  endif()
  foreach(group IN LISTS groups)
    string(REGEX MATCH "in `([^`]+)`$" ignored "${group}")
    set(source "${CMAKE_MATCH_1}")
    if(NOT EXISTS "${ROOT}/${source}")
      list(APPEND problems "no file ${source}")
      continue()
    endif()
    file(READ "${ROOT}/${source}" text)
    string(REGEX MATCHALL "`[A-Za-z0-9_]+\\.[A-Za-z0-9_]+`" names "${group}")
    foreach(name IN LISTS names)
      string(REGEX MATCH "`([A-Za-z0-9_]+)\\.([A-Za-z0-9_]+)`" ignored "${name}")
      set(suite "${CMAKE_MATCH_1}")
      set(test "${CMAKE_MATCH_2}")
      # A script of the end-to-end tests is the CTest test e2e.<script name>,
      # registered in a list of scripts or by that name.
      get_filename_component(stem "${source}" NAME_WE)
      get_filename_component(folder "${ROOT}/${source}" DIRECTORY)
      if(source MATCHES "\\.sh$")
        file(READ "${folder}/CMakeLists.txt" registered)
        if(suite STREQUAL "e2e" AND test STREQUAL stem AND (registered MATCHES "[ (]${stem}[ )\n]" OR registered MATCHES "NAME e2e\\.${stem}[ )]"))
          math(EXPR checked "${checked} + 1")
        else()
          list(APPEND problems "${source} is not the registered test ${suite}.${test}")
        endif()
      elseif(text MATCHES "TEST(_F)?\\(${suite},[ \n]*${test}\\)")
        math(EXPR checked "${checked} + 1")
      else()
        list(APPEND problems "${source} defines no test ${suite}.${test}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " message)
  message(FATAL_ERROR "docs/robustness.md is not true to the tests:\n  ${message}")
endif()
message(STATUS "docs/robustness.md: ${checked} test references found")
