# Helpers so that every layer is built the same way: one static library per
# source folder, strict warnings on our own code only.

set(KORVANE_WARNINGS -Wall -Wextra -Wpedantic -Werror)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # GCC 12 at -O3 reports std::string concatenation as overlapping memcpy
  # (GCC bug 105329); the warning says nothing about our code.
  list(APPEND KORVANE_WARNINGS -Wno-restrict)
endif()

function(korvane_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(korvane_${name} STATIC ${ARG_SOURCES})
  target_include_directories(korvane_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(korvane_${name} PRIVATE ${KORVANE_WARNINGS})
  target_link_libraries(korvane_${name} PUBLIC ${ARG_LINKS})
endfunction()

# TIMEOUT (seconds) bounds each test of the executable, for tests whose
# failure is a run that does not end: work that grows with the square of
# an input several megabytes long.
function(korvane_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${KORVANE_WARNINGS})
  target_compile_definitions(${name} PRIVATE
    KORVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KORVANE_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main)
  set(timeout)
  if(ARG_TIMEOUT)
    # The sanitizer build (Debug, every access checked) runs ten times
    # slower; four times the bound still stops work that grows with the
    # square of its input.
    if(KORVANE_SANITIZE)
      math(EXPR ARG_TIMEOUT "${ARG_TIMEOUT} * 4")
    endif()
    set(timeout TIMEOUT ${ARG_TIMEOUT})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" ${timeout})
endfunction()
