# Warnings for the project's own code. JUCE's module sources share the plug-in's target
# but keep the compiler's defaults, so the flags go on our own files only.
if(MSVC)
    set(VESK_WARNING_FLAGS /W4)
else()
    set(VESK_WARNING_FLAGS -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
        -Wcast-align -Wunused -Wno-ignored-qualifiers)
endif()

function(vesk_enable_warnings target)
    target_compile_options(${target} PRIVATE ${VESK_WARNING_FLAGS})
endfunction()

function(vesk_enable_warnings_on_sources)
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS "${VESK_WARNING_FLAGS}")
endfunction()
