# zorvath_add_test(NAME SOURCES a.cpp b.cpp LIBS lib... [QT] [OWN_MAIN] [ENV NAME=value...])
# One GoogleTest executable; its tests are found by CTest when they run, not at build time.
# QT marks a widget test: it runs on the offscreen platform. OWN_MAIN: the sources bring main()
# (to do something before the QApplication exists). ENV: further variables, after the others.
function(zorvath_add_test name)
    cmake_parse_arguments(ARG "QT;OWN_MAIN" "" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE zorvath_settings ${ARG_LIBS} GTest::gtest GTest::gmock)
    if(NOT ARG_OWN_MAIN)
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    set(env "ZORVATH_TEST_TMP=${CMAKE_CURRENT_BINARY_DIR}/tmp")
    if(ARG_QT)
        list(APPEND env "QT_QPA_PLATFORM=offscreen" "ASAN_OPTIONS=detect_leaks=0")
    endif()
    list(APPEND env ${ARG_ENV})
    # The variables are set by running the test through `cmake -E env`: a list-valued
    # ENVIRONMENT property loses its separators on the way through test discovery.
    set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env ${env})
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
        PROPERTIES TIMEOUT 120)
endfunction()

# zorvath_add_fuzzer(NAME SOURCES a.cpp LIBS lib... [CORPUS dir] [RUNS n])
# A LLVMFuzzerTestOneInput entry point linked with the replay driver: CTest feeds it the seed
# corpus and then RUNS random inputs. scripts/fuzz.sh builds the same sources with a real fuzzer.
# ZORVATH_FUZZ_DRIVER "replay" links that driver; scripts/fuzz.sh sets what a real fuzzer needs
# instead (-fsanitize=fuzzer, or AFL++'s driver library). fuzzers.txt in the build tree lists
# every entry point with its corpus for the script.
set(ZORVATH_FUZZ_DRIVER "replay" CACHE STRING "What fuzz entry points are linked with")
file(WRITE ${CMAKE_BINARY_DIR}/fuzzers.txt "")
function(zorvath_add_fuzzer name)
    cmake_parse_arguments(ARG "" "CORPUS;RUNS" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_RUNS)
        set(ARG_RUNS 3000)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    if(ZORVATH_FUZZ_DRIVER STREQUAL "replay")
        target_link_libraries(${name} PRIVATE zorvath_settings ${ARG_LIBS} zorvath_fuzz_replay)
    else()
        target_link_libraries(${name} PRIVATE zorvath_settings ${ARG_LIBS} ${ZORVATH_FUZZ_DRIVER})
    endif()
    file(APPEND ${CMAKE_BINARY_DIR}/fuzzers.txt "${name} ${ARG_CORPUS}\n")
    set(args --runs=${ARG_RUNS})
    if(ARG_CORPUS)
        list(APPEND args ${ARG_CORPUS})
    endif()
    add_test(NAME ${name} COMMAND ${name} ${args})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300 LABELS fuzz)
    set_property(GLOBAL APPEND PROPERTY ZORVATH_FUZZERS ${name})
endfunction()
