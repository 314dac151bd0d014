# Use ccache when the machine has it: JUCE's modules are large and rarely change.
find_program(VESK_CCACHE ccache)
if(VESK_CCACHE)
    set(CMAKE_C_COMPILER_LAUNCHER "${VESK_CCACHE}")
    set(CMAKE_CXX_COMPILER_LAUNCHER "${VESK_CCACHE}")
endif()
