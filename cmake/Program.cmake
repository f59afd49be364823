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
project_warnings(MessageRequesterWizard)
