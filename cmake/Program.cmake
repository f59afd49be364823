# The wizard itself: the editor wrapper, the window and its loop, and the
# program with its icon and manifest.

add_subdirectory(${CMAKE_SOURCE_DIR}/editor ${CMAKE_BINARY_DIR}/editor)
add_subdirectory(${CMAKE_SOURCE_DIR}/ui ${CMAKE_BINARY_DIR}/ui)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(MANIFEST_ARCHITECTURE amd64)
else()
    set(MANIFEST_ARCHITECTURE X86)
endif()
set(WIZARD_ICON ${CMAKE_SOURCE_DIR}/resources/wizard.ico)
# The version information names the program and quotes the licence's
# copyright line.
set(WIZARD_PROGRAM_NAME MessageRequesterWizard)
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE WIZARD_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
set(WIZARD_MANIFEST ${CMAKE_BINARY_DIR}/resources/wizard.manifest)
configure_file(${CMAKE_SOURCE_DIR}/resources/wizard.manifest.in ${WIZARD_MANIFEST} @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/wizard.rc.in ${CMAKE_BINARY_DIR}/resources/wizard.rc @ONLY)

# Kept apart from the C++ sources so that the compiler warnings do not reach
# the resource compiler.
enable_language(RC)
add_library(wizard_resources OBJECT ${CMAKE_BINARY_DIR}/resources/wizard.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/resources/wizard.rc PROPERTIES
    OBJECT_DEPENDS "${WIZARD_ICON};${WIZARD_MANIFEST}")

add_executable(MessageRequesterWizard WIN32
    ${CMAKE_SOURCE_DIR}/platform/entry_point.cpp
    $<TARGET_OBJECTS:wizard_resources>
)
target_link_libraries(MessageRequesterWizard PRIVATE core editor ui platform_services runtime_replacements
                      comctl32 gdi32 user32 advapi32)
# The window, its controls and the platform services run once per start or
# per click and are built for size; the core and the editor's reading, where a
# large message spends its time, keep the speed-optimised build.
foreach(target ui gadgets platform_services runtime_replacements MessageRequesterWizard)
    target_compile_options(${target} PRIVATE -Os)
endforeach()
# The shipped program: no symbols, nothing that nothing calls.
target_link_options(MessageRequesterWizard PRIVATE -static -s -Wl,--gc-sections)
# No time stamp in the file: two builds of one commit are the same bytes.
target_link_options(MessageRequesterWizard PRIVATE -Wl,--no-insert-timestamp)
# The 32-bit program may use the 4 GiB a 64-bit Windows gives it.
target_link_options(MessageRequesterWizard PRIVATE $<$<EQUAL:${CMAKE_SIZEOF_VOID_P},4>:-Wl,--large-address-aware>)
project_warnings(MessageRequesterWizard)
