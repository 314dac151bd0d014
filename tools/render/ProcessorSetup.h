#pragma once

#include "RenderOptions.h"

#include <JuceHeader.h>

// Bringing a processor into the state the command line asks for, through the same calls a
// host makes: programs, parameter text and the state block.
namespace render
{
// The factory program with that name (any letter case) or number; -1 when there is none.
int findFactoryPreset (juce::AudioProcessor& processor, const juce::String& nameOrNumber);

// The plain text of a parameter value as the parameter reads it: a leading number
// (optionally followed by the parameter's own unit), one of a choice's texts, or on/off for
// a switch. Fails for an unknown ID and for text the parameter cannot read; on success,
// `normalisedValue` is what the parameter makes of it.
juce::Result readParameterText (juce::AudioProcessor& processor, const ParameterSetting& setting,
                                juce::AudioProcessorParameter*& parameter, float& normalisedValue);

// A host's state block: the framework's magic number "VC2!" (little-endian), the length of
// the text, and XML text with the root "PARAMETERS". Checks the bytes only.
juce::Result checkStateBlock (const juce::MemoryBlock& bytes);

struct AppliedSettings
{
    juce::String presetName;     // empty when no preset was applied
    juce::String userPresetName; // empty when no user preset was recalled
    juce::StringArray changes; // "mix = 50%" for every --set, in order
};

// Applies the state file, the factory preset, the user preset and the parameter settings,
// in that order, each parameter inside a change gesture. Every setting is checked before
// anything is applied.
juce::Result applySettings (juce::AudioProcessor& processor, const Options& options, AppliedSettings& applied);
} // namespace render
