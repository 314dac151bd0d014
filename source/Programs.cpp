#include "PluginProcessor.h"

// The host's programs are the factory presets.

int VeskSchematicPluginAudioProcessor::getNumPrograms() { return numFactoryPresets; }

int VeskSchematicPluginAudioProcessor::getCurrentProgram() { return currentProgram; }

const juce::String VeskSchematicPluginAudioProcessor::getProgramName (int index)
{
    if (! juce::isPositiveAndBelow (index, numFactoryPresets))
        return {};

    return factoryPresets[(size_t) index].name;
}

void VeskSchematicPluginAudioProcessor::changeProgramName (int, const juce::String&)
{
    // Factory preset names are fixed.
}

void VeskSchematicPluginAudioProcessor::setCurrentProgram (int index)
{
    currentProgram = juce::jlimit (0, numFactoryPresets - 1, index);
    currentUserPresetName.clear();

    const auto& preset = factoryPresets[(size_t) currentProgram];
    const float values[] = { preset.input, preset.drive, preset.low, preset.presence, preset.air,
                             preset.opto, preset.speed, preset.mix, preset.output,
                             static_cast<float> (preset.oversamplingIndex),
                             // Every factory program has power on.
                             1.0f };

    for (int i = 0; i < presetParameterIds.size(); ++i)
        setParameterFromPlainValue (apvts, presetParameterIds[i], values[i]);
}
