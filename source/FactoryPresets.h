#pragma once

#include <array>

// One factory program. All values are plain parameter values; the output trim is the
// stored value, 9.98 dB below what the user sees.
struct FactoryPreset
{
    const char* name;
    float input, drive, low, presence, air, opto, speed, mix, output;
    int oversamplingIndex;
    bool power;
};

constexpr int numFactoryPresets = 33;

extern const std::array<FactoryPreset, numFactoryPresets> factoryPresets;
