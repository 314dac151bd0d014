#include "PluginProcessor.h"

juce::File VeskSchematicPluginAudioProcessor::getEditorSizeFile() const
{
    return juce::File::getSpecialLocation (juce::File::userDocumentsDirectory)
        .getChildFile ("Vesk Plugins")
        .getChildFile ("Vesk Q84D Saturator")
        .getChildFile ("editor-size.json");
}

bool VeskSchematicPluginAudioProcessor::loadStoredEditorSize() { return false; }
