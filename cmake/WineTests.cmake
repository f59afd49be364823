# GoogleTest built with MinGW, and add_wine_test() for tests that run under
# Wine. Every test executable is one CTest test: a Wine start costs about a
# second, so the cases of an executable share one process.

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# Only the x86_64 build runs here; the i686 tests are built and linked only.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(WINE_TESTS_RUN ON)
else()
    set(WINE_TESTS_RUN OFF)
endif()

# add_wine_test(<name> SOURCES <file>... [LIBRARIES <lib>...] [NEEDS_SCINTILLA])
# NEEDS_SCINTILLA puts Scintilla.dll beside the executable.
function(add_wine_test name)
    cmake_parse_arguments(PARSE_ARGV 1 WINE_TEST "NEEDS_SCINTILLA" "" "SOURCES;LIBRARIES")
    add_executable(${name} ${WINE_TEST_SOURCES})
    # The same runtime replacements as the program (platform/CMakeLists.txt).
    target_link_libraries(${name} PRIVATE ${WINE_TEST_LIBRARIES} gtest_main runtime_replacements)
    project_warnings(${name})
    if(WINE_TEST_NEEDS_SCINTILLA)
        add_custom_command(TARGET ${name} POST_BUILD
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${SCINTILLA_DLL} $<TARGET_FILE_DIR:${name}>)
    endif()
    if(WINE_TESTS_RUN)
        add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh $<TARGET_FILE:${name}>)
        # A dialog nobody closes would otherwise hold the run forever.
        set_tests_properties(${name} PROPERTIES TIMEOUT 300)
    endif()
endfunction()

# add_wine_prefix_test(<name> PROGRAM <target> PREFIX <folder>
#                      [ENVIRONMENT <VARIABLE=value>...] [ARGUMENTS <argument>...])
# Runs a test program once more in a Wine prefix of its own, a folder of that
# name under the build folder, with the variables given: those that make the
# prefix or the session (scripts/wine-env.sh) and those naming what the tests
# check that the run has.
function(add_wine_prefix_test name)
    cmake_parse_arguments(PARSE_ARGV 1 RUN "" "PROGRAM;PREFIX" "ENVIRONMENT;ARGUMENTS")
    if(WINE_TESTS_RUN)
        add_test(NAME ${name}
                 COMMAND ${CMAKE_COMMAND} -E env ${RUN_ENVIRONMENT} PROJECT_WINEPREFIX=${CMAKE_BINARY_DIR}/${RUN_PREFIX}
                         ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh $<TARGET_FILE:${RUN_PROGRAM}> ${RUN_ARGUMENTS})
        set_tests_properties(${name} PROPERTIES TIMEOUT 300)
    endif()
endfunction()
