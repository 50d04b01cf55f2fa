# zel_glob_sources(<var> <dir>): the .cpp files of a folder for this build.
# Files ending in _win32.cpp build only for Windows, files ending in _posix.cpp
# only for the native build.
function(zel_glob_sources var dir)
  file(GLOB files CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(WIN32)
    list(FILTER files EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER files EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  set(${var} ${files} PARENT_SCOPE)
endfunction()

# zel_library(<name> <dir> [DEPS ...]): one static library per source folder.
function(zel_library name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  zel_glob_sources(srcs ${dir})
  if(NOT srcs)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# GoogleTest: the installed package natively; for the Windows build it is built
# from the sources that Debian's googletest package installs.
macro(zel_find_gtest)
  if(NOT TARGET GTest::gtest_main)
    if(WIN32)
      set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
      set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
      set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
      add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    else()
      find_package(GTest REQUIRED)
    endif()
  endif()
  # In every directory: the module leaves the path of its discovery script in
  # a variable of the including directory's scope.
  include(GoogleTest)
endmacro()

# zel_test(<name> SOURCES ... DEPS ...): one gtest executable registered with ctest.
# Natively every test case is its own ctest entry; under Wine the whole program
# is one entry, since each start of a Windows program costs a second or more.
function(zel_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  zel_find_gtest()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE ZEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "wine;${ARG_LABELS}" TIMEOUT 600)
  else()
    # An empty LABELS value would leave the generated property list one short.
    set(properties)
    if(ARG_LABELS)
      set(properties PROPERTIES LABELS "${ARG_LABELS}")
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 ${properties})
  endif()
endfunction()

set(ZEL_FUZZ_SECONDS 15 CACHE STRING "Seconds each fuzz target runs in the test suite")

# zel_fuzz_target(<name> SOURCES ... DEPS ... CORPUS <dir>): a libFuzzer target.
# Every build gets <name>_replay, which runs each file of the seed corpus once
# as an ordinary test; with ZEL_FUZZ (clang) the real fuzzer <name> is built too
# and runs for ZEL_FUZZ_SECONDS on a scratch copy of the corpus.
function(zel_fuzz_target name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;DEPS" ${ARGN})
  add_executable(${name}_replay ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
  target_link_libraries(${name}_replay PRIVATE ${ARG_DEPS})
  add_test(NAME ${name}_replay COMMAND ${name}_replay ${ARG_CORPUS})
  set_tests_properties(${name}_replay PROPERTIES LABELS "fuzz-replay")
  if(ZEL_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND NOT WIN32)
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
    set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
    add_test(NAME ${name}_run
             COMMAND ${CMAKE_COMMAND} -E env sh -c
                     "rm -rf '${work}' && mkdir -p '${work}' && cp -r '${ARG_CORPUS}'/. '${work}'/ && exec '$<TARGET_FILE:${name}>' -max_total_time=${ZEL_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 '${work}'")
    set_tests_properties(${name}_run PROPERTIES LABELS "fuzz" TIMEOUT 300)
  endif()
endfunction()

# zel_shipped_program(<target>): a program that ships on the product's disks.
# The linker here keeps every function of each object it takes in (the
# unwind tables refer to all of them); whole-program optimisation at link
# time drops what nothing calls, about a fifth of install.exe. gcc 12 fails
# on this code with its default partitioning, so the program is optimised as
# one partition.
function(zel_shipped_program target)
  if(WIN32)
    target_link_options(${target} PRIVATE -flto -flto-partition=one $<$<CONFIG:Release>:-Os>)
  endif()
endfunction()
