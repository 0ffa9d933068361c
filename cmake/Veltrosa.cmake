# Project-wide compile settings and the helpers every folder uses.

# Designated initialisers that leave members at their defaults are intended.
add_compile_options(-Wall -Wextra -Wno-missing-field-initializers)
# GCC 12's optimiser reports overlapping copies inside the standard library's
# string concatenation that cannot happen (a known false positive of that
# release); the warning says nothing about our code there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()

if(VELTROSA_SANITIZE)
  add_compile_options(-fsanitize=${VELTROSA_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=${VELTROSA_SANITIZE})
endif()

if(VELTROSA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VELTROSA_FUZZ needs clang (use the fuzz preset)")
  endif()
  # Undefined behaviour stops the run, as in the sanitizer preset, so that
  # the fuzzer reports it as a crash.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# A static library from every .cpp below the current folder (or below the
# folders given in DIRS), with the project root as its include root.
# EXCLUDE names subfolders (of the current folder) that form libraries of
# their own.
function(veltrosa_library target)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS;EXCLUDE" ${ARGN})
  if(NOT ARG_DIRS)
    set(ARG_DIRS ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(sources)
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  foreach(sub IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${sub}/")
  endforeach()
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  else()
    # A folder whose code has not arrived yet still gives a target to link.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

find_package(GTest REQUIRED)

# Tests run headless; the leak checker ignores what system libraries keep.
set(VELTROSA_LSAN_ENV "LSAN_OPTIONS=set:suppressions=${PROJECT_SOURCE_DIR}/scripts/lsan.supp")
include(GoogleTest)

add_custom_target(threads_tests)
add_custom_target(all_fuzzers)

# The tests of one source folder: every *_test.cpp goes into <name>_tests;
# every *_mt_test.cpp (tests that run threads) also into <name>_mt_tests,
# which the ThreadSanitizer build runs on its own.
function(veltrosa_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  file(GLOB threaded CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_mt_test.cpp)
  file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_helpers.cpp)
  if(all AND NOT VELTROSA_THREADS_ONLY)
    add_executable(${name}_tests ${all} ${helpers})
    target_link_libraries(${name}_tests PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
    target_compile_definitions(${name}_tests PRIVATE VELTROSA_DATA_DIR="${VELTROSA_DATA_DIR}")
    gtest_discover_tests(${name}_tests PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen
                         ENVIRONMENT_MODIFICATION ${VELTROSA_LSAN_ENV} LABELS ${name}
                         DISCOVERY_TIMEOUT 60)
  endif()
  if(threaded)
    add_executable(${name}_mt_tests ${threaded} ${helpers})
    target_link_libraries(${name}_mt_tests PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
    target_compile_definitions(${name}_mt_tests PRIVATE VELTROSA_DATA_DIR="${VELTROSA_DATA_DIR}")
    add_dependencies(threads_tests ${name}_mt_tests)
    if(VELTROSA_THREADS_ONLY)
      gtest_discover_tests(${name}_mt_tests PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen
                         ENVIRONMENT_MODIFICATION ${VELTROSA_LSAN_ENV} LABELS threads
                           DISCOVERY_TIMEOUT 60)
    endif()
  endif()
endfunction()

# Tests find the real captures and reference lists through the VELTROSA_DATA_DIR
# macro.
set(VELTROSA_DATA_DIR "${PROJECT_SOURCE_DIR}/tests/data" CACHE PATH "Folder of the real captures and reference lists")

# Every fuzz run gives up on an input that runs longer than this many
# seconds, reporting it as a hang.
set(VELTROSA_FUZZ_INPUT_SECONDS 10)

# A libFuzzer target from one source file; ctest runs it for a bounded time,
# starting from the seed folders SEEDS when given.
function(veltrosa_fuzzer name source)
  cmake_parse_arguments(ARG "" "SECONDS" "SEEDS;DEPS;ARGS" ${ARGN})
  if(NOT ARG_SECONDS)
    set(ARG_SECONDS 30)
  endif()
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(all_fuzzers ${name})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${name} COMMAND ${name} -max_total_time=${ARG_SECONDS} -timeout=${VELTROSA_FUZZ_INPUT_SECONDS}
           -rss_limit_mb=2048 -print_final_stats=1 ${ARG_ARGS} ${corpus} ${ARG_SEEDS})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 600)
endfunction()

# An object library of named resources: each NAME TYPE FILE triple becomes a
# generated source that registers the file's bytes (platform/core/text/resources.h).
# Link it straight into the executables that look the resources up, so that
# every registration is linked in.
function(veltrosa_resources target)
  set(sources)
  set(triples ${ARGN})
  while(triples)
    list(POP_FRONT triples name type file)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}_${name}.cpp)
    add_custom_command(
      OUTPUT ${source}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${source} -DNAME=${name} -DTYPE=${type}
              -P ${PROJECT_SOURCE_DIR}/cmake/EmbedResource.cmake
      DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/EmbedResource.cmake
      COMMENT "Embedding resource ${name}"
      VERBATIM)
    list(APPEND sources ${source})
  endwhile()
  add_library(${target} OBJECT ${sources})
  target_link_libraries(${target} PUBLIC veltrosa_platform_core)
endfunction()
