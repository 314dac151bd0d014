# JUCE comes either from an installed CMake package (Debian's juce-modules-source and
# juce-tools provide JUCE 7.0.5) or from a source checkout, which macOS builds and
# JUCE 8 builds use:  cmake -DVESK_JUCE_SOURCE_DIR=/path/to/JUCE ...
set(VESK_JUCE_SOURCE_DIR "" CACHE PATH "A JUCE source tree to use instead of the installed JUCE package")

if(VESK_JUCE_SOURCE_DIR)
    add_subdirectory("${VESK_JUCE_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/JUCE" EXCLUDE_FROM_ALL)
else()
    find_package(JUCE CONFIG REQUIRED)
endif()
message(STATUS "Vesk Q84D: building with JUCE ${JUCE_VERSION}")
