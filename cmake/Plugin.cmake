# The plug-in's identity, its formats and its shared-code target.
set(VESK_COMPANY_NAME "Vesk Audio")
set(VESK_COMPANY_WEBSITE "https://www.veskaudio.com")
set(VESK_LV2_URI "https://www.veskaudio.com/plugins/q84d")

if(APPLE)
    set(VESK_FORMATS AU VST3 Standalone)
else()
    set(VESK_FORMATS VST3 LV2 Standalone)
endif()

juce_add_plugin(VeskQ84D
    PRODUCT_NAME "Vesk Q84D"
    COMPANY_NAME "${VESK_COMPANY_NAME}"
    COMPANY_WEBSITE "${VESK_COMPANY_WEBSITE}"
    COMPANY_EMAIL "mailto:support@veskaudio.com"
    BUNDLE_ID "com.veskaudio.q84d"
    DESCRIPTION "Optical saturator"
    PLUGIN_MANUFACTURER_CODE Vesk
    PLUGIN_CODE Vq84
    LV2URI "${VESK_LV2_URI}"
    IS_SYNTH FALSE
    NEEDS_MIDI_INPUT FALSE
    NEEDS_MIDI_OUTPUT FALSE
    IS_MIDI_EFFECT FALSE
    EDITOR_WANTS_KEYBOARD_FOCUS FALSE
    COPY_PLUGIN_AFTER_BUILD FALSE
    VST3_CATEGORIES Fx Distortion Dynamics
    AU_MAIN_TYPE kAudioUnitType_Effect
    FORMATS ${VESK_FORMATS})

juce_generate_juce_header(VeskQ84D)

# JUCE 7 writes the scale points of the LV2 description as normalised values, while
# hosts send plain ones: put them in the parameters' own units once the description
# has been generated.
if(TARGET VeskQ84D_LV2)
    add_custom_command(TARGET VeskQ84D_LV2 POST_BUILD
        COMMAND "${CMAKE_COMMAND}" "-DTTL=$<TARGET_FILE_DIR:VeskQ84D_LV2>/dsp.ttl"
                -P "${CMAKE_SOURCE_DIR}/cmake/FixLv2ScalePoints.cmake"
        VERBATIM)
endif()

file(GLOB VESK_PLUGIN_SOURCES CONFIGURE_DEPENDS
    "${CMAKE_SOURCE_DIR}/source/*.cpp"
    "${CMAKE_SOURCE_DIR}/source/editor/*.cpp")
target_sources(VeskQ84D PRIVATE ${VESK_PLUGIN_SOURCES})
target_include_directories(VeskQ84D PUBLIC "${CMAKE_SOURCE_DIR}/source")

# Artwork, embedded as BinaryData.
file(GLOB VESK_ARTWORK CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/resources/*.png")
if(VESK_ARTWORK)
    juce_add_binary_data(VeskQ84DArtwork HEADER_NAME BinaryData.h NAMESPACE BinaryData SOURCES ${VESK_ARTWORK})
    set_target_properties(VeskQ84DArtwork PROPERTIES POSITION_INDEPENDENT_CODE TRUE)
    target_link_libraries(VeskQ84D PRIVATE VeskQ84DArtwork)
    target_compile_definitions(VeskQ84D PUBLIC VESK_HAS_ARTWORK=1)
endif()

target_compile_definitions(VeskQ84D
    PUBLIC
        # Debian's JUCE carries no FLAC or Ogg Vorbis sources; nothing here needs a browser or curl.
        JUCE_USE_FLAC=0
        JUCE_USE_OGGVORBIS=0
        JUCE_WEB_BROWSER=0
        JUCE_USE_CURL=0
        JUCE_DISPLAY_SPLASH_SCREEN=0
        JUCE_REPORT_APP_USAGE=0
        JUCE_VST3_CAN_REPLACE_VST2=0
        JUCE_MODAL_LOOPS_PERMITTED=0
        # Debian's JUCE drops the LV2 URI from the compiled code; without this the
        # wrapper falls back to the product name, which no LV2 host can load.
        JucePlugin_LV2URI="${VESK_LV2_URI}"
        VESK_COMPANY_WEBSITE="${VESK_COMPANY_WEBSITE}")

target_link_libraries(VeskQ84D
    PRIVATE
        vesk::schematic
        juce::juce_audio_utils
        juce::juce_dsp
    PUBLIC
        juce::juce_recommended_config_flags)

# Tests and tools link the same objects instead of compiling the JUCE modules again: the
# framework re-exports its module flags, and this re-exports the include folders.
target_include_directories(VeskQ84D INTERFACE $<TARGET_PROPERTY:VeskQ84D,INCLUDE_DIRECTORIES>)
target_link_libraries(VeskQ84D INTERFACE vesk::schematic)

vesk_enable_warnings_on_sources(${VESK_PLUGIN_SOURCES})
