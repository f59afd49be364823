# The Windows program, its platform services and their Wine-run tests.

# Plain Win32 naming the W calls where text crosses (the texts stay
# Windows-1251 inside and are converted at the edge): no UNICODE, no -municode.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX STRICT)
# Every function and datum in a section of its own, so that the program's
# link can drop what nothing calls.
add_compile_options(-ffunction-sections -fdata-sections)

# The editor component built by scripts/build-scintilla.sh for this target.
set(SCINTILLA_DLL ${CMAKE_SOURCE_DIR}/build/scintilla/${CMAKE_SYSTEM_PROCESSOR}/Scintilla.dll)
if(NOT EXISTS ${SCINTILLA_DLL})
    message(WARNING "${SCINTILLA_DLL} is missing: run scripts/build-scintilla.sh")
endif()

# The Windows-side tests use GoogleTest's source as Debian installs it; a build
# on Windows itself makes the program alone.
option(WIZARD_WINDOWS_TESTS "Build the Windows-side tests" ${CMAKE_CROSSCOMPILING})
if(WIZARD_WINDOWS_TESTS)
    include(${CMAKE_SOURCE_DIR}/cmake/WineTests.cmake)
endif()

add_subdirectory(platform)
include(${CMAKE_SOURCE_DIR}/cmake/Program.cmake OPTIONAL)
if(WIZARD_WINDOWS_TESTS)
    add_subdirectory(tests/windows)
endif()
