#pragma once

#include <JuceHeader.h>

// Where the plug-in keeps its files: a "Vesk Plugins" / "Vesk Q84D Saturator" folder inside one
// of the user's folders. Building a path creates nothing.
namespace storageLocations
{
inline constexpr const char* userPresetsFolderName = "User Presets";
inline constexpr const char* userPresetsFileName = "User Presets.xml";
inline constexpr const char* editorSizeFileName = "editor-size.json";

inline juce::File productFolder (juce::File::SpecialLocationType userFolder)
{
    return juce::File::getSpecialLocation (userFolder)
        .getChildFile ("Vesk Plugins")
        .getChildFile ("Vesk Q84D Saturator");
}

// Where user presets were kept before they moved to the documents folder; read, never written.
inline juce::File earlierUserPresetsFile()
{
    return productFolder (juce::File::userApplicationDataDirectory).getChildFile (userPresetsFileName);
}
} // namespace storageLocations
