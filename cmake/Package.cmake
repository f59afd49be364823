# The release package for Windows users. One build holds one architecture:
# its install tree is <arch>\MessageRequesterWizard.exe with
# <arch>\Compilers\Scintilla.dll of the same architecture and Scintilla's
# licence beside it, plus the Windows README and the project's licence at the
# top. `cpack` makes a zip of this architecture alone; scripts/package.sh
# installs both builds into one tree and zips it.

if(NOT TARGET MessageRequesterWizard)
    return()
endif()

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(PACKAGE_ARCHITECTURE x86_64)
else()
    set(PACKAGE_ARCHITECTURE i686)
endif()

# Notepad-friendly line ends in the text files.
configure_file(${CMAKE_SOURCE_DIR}/docs/README-Windows.txt ${CMAKE_BINARY_DIR}/package/README.txt
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/package/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
# The C++ runtime's exception handling links the MinGW-w64 threads library
# into the program; its licence asks for its notice in every copy.
configure_file(${CMAKE_SOURCE_DIR}/docs/winpthreads-License.txt ${CMAKE_BINARY_DIR}/package/winpthreads-License.txt
               @ONLY NEWLINE_STYLE CRLF)

install(TARGETS MessageRequesterWizard RUNTIME DESTINATION ${PACKAGE_ARCHITECTURE})
install(FILES ${SCINTILLA_DLL} DESTINATION ${PACKAGE_ARCHITECTURE}/Compilers)
install(FILES ${CMAKE_SOURCE_DIR}/build/scintilla/License.txt
        DESTINATION ${PACKAGE_ARCHITECTURE}/Compilers RENAME Scintilla-License.txt)
install(FILES ${CMAKE_BINARY_DIR}/package/README.txt ${CMAKE_BINARY_DIR}/package/LICENSE.txt
              ${CMAKE_BINARY_DIR}/package/winpthreads-License.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME MessageRequesterWizard)
set(CPACK_PACKAGE_FILE_NAME MessageRequesterWizard-${PROJECT_VERSION}-${PACKAGE_ARCHITECTURE})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
