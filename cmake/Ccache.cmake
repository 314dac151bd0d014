# Use ccache when the machine has it: JUCE's modules are large and rarely change. Paths
# are hashed relative to the source folder, so another checkout or build folder on the
# same machine reuses the cached objects.
find_program(VESK_CCACHE ccache)
if(VESK_CCACHE)
    set(_vesk_launcher "${CMAKE_COMMAND}" -E env "CCACHE_BASEDIR=${CMAKE_SOURCE_DIR}" "CCACHE_NOHASHDIR=1" "${VESK_CCACHE}")
    set(CMAKE_C_COMPILER_LAUNCHER ${_vesk_launcher})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${_vesk_launcher})
endif()
