#pragma once

#include <JuceHeader.h>

#include <map>

// A named snapshot of parameter values stored by the user. The map is ordered by
// comparing IDs code point by code point, which is also the order the file lists them.
struct UserPreset
{
    juce::String name;
    std::map<juce::String, float> values;
};
