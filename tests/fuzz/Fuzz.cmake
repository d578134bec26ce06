# Builds the archive fuzzer (tests/fuzz, its own project) with clang and adds a short ctest
# run of it over the checked-in corpus. Skipped without clang++.
find_program(TARRABEL_CLANGXX NAMES clang++ clang++-14)
if(NOT TARRABEL_CLANGXX)
    message(STATUS "clang++ not found: the archive fuzzer is not built")
    return()
endif()
include(ExternalProject)
set(TARRABEL_FUZZ_BIN ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(pak_fuzz_build
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tests/fuzz
    BINARY_DIR ${TARRABEL_FUZZ_BIN}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${TARRABEL_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${TARRABEL_FUZZ_BIN}/pak_fuzz)
add_test(NAME fuzz.pak_archive
    COMMAND ${CMAKE_COMMAND} -DFUZZER=${TARRABEL_FUZZ_BIN}/pak_fuzz
            -DCORPUS=${CMAKE_SOURCE_DIR}/tests/fuzz/corpus -DSECONDS=5
            -DSCRATCH=${CMAKE_BINARY_DIR}/fuzz-scratch -P ${CMAKE_SOURCE_DIR}/tests/fuzz/run_fuzz.cmake)
set_tests_properties(fuzz.pak_archive PROPERTIES LABELS fuzz TIMEOUT 120)
