#pragma once

#include <JuceHeader.h>

namespace render
{
constexpr double demoLengthSeconds = 6.0;

// Six seconds of stereo programme that gives the circuit something to do: a logarithmic
// sine sweep (0-2 s), a decaying low tone (2-4 s) with the lamp heating and cooling, and
// bursts of noise (4-6 s) for the LDR's attack and release. The same at every run.
juce::AudioBuffer<float> makeDemoSignal (double sampleRate);
} // namespace render
