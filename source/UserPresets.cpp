#include "PluginProcessor.h"

juce::File VeskSchematicPluginAudioProcessor::getUserPresetsDirectory() const
{
    return juce::File::getSpecialLocation (juce::File::userDocumentsDirectory)
        .getChildFile ("Vesk Plugins")
        .getChildFile ("Vesk Q84D Saturator")
        .getChildFile ("User Presets");
}

void VeskSchematicPluginAudioProcessor::loadUserPresets() { userPresets.clear(); }
void VeskSchematicPluginAudioProcessor::saveUserPresets() const {}
void VeskSchematicPluginAudioProcessor::recallUserPreset (int) {}
void VeskSchematicPluginAudioProcessor::storeUserPreset (const juce::String&) {}
void VeskSchematicPluginAudioProcessor::deleteUserPreset (int) {}
