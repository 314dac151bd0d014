#pragma once

#include <JuceHeader.h>

// The eleven parameter IDs, in the host's order, which is also the order every preset
// is applied in and the order of the processor's raw value pointers.
namespace parameterIds
{
inline constexpr const char* input = "input";
inline constexpr const char* drive = "drive";
inline constexpr const char* low = "low";
inline constexpr const char* presence = "presence";
inline constexpr const char* air = "air";
inline constexpr const char* opto = "opto";
inline constexpr const char* speed = "speed";
inline constexpr const char* mix = "mix";
inline constexpr const char* output = "output";
inline constexpr const char* oversampling = "oversampling";
inline constexpr const char* power = "power";
} // namespace parameterIds

inline const juce::StringArray presetParameterIds {
    parameterIds::input, parameterIds::drive, parameterIds::low, parameterIds::presence,
    parameterIds::air, parameterIds::opto, parameterIds::speed, parameterIds::mix,
    parameterIds::output, parameterIds::oversampling, parameterIds::power
};

// Every parameter ID carries this version hint.
constexpr int parameterVersionHint = 4;

// The output trim is stored 9.98 dB below the level the user sees: the stored range
// -27.98 .. 8.02 shows as -18 .. +18 dB, and 0 dB shown is stored as -9.98.
constexpr float outputTrimDisplayOffsetDb = 9.98f;

inline const juce::StringArray oversamplingChoiceNames { "1x", "2x", "4x", "8x", "16x" };
constexpr int defaultOversamplingIndex = 2;

namespace parameterText
{
// "12%": the value times 100 in single precision, rounded half to even.
juce::String percentFromValue (float value);
// "35%" and "35" both read 0.35; the result is limited to 0..1.
float valueFromPercent (const juce::String& text);
// The output trim as the user sees it, always with two decimals.
juce::String outputTrimFromValue (float storedValue);
// The shown trim back to the stored value.
float valueFromOutputTrim (const juce::String& text);
} // namespace parameterText

// Sets a parameter from a plain value inside one change gesture, the way every preset
// operation does it. The value is limited to the range and snapped to the step.
// Returns false when the tree holds no parameter with that ID.
bool setParameterFromPlainValue (juce::AudioProcessorValueTreeState& state,
                                 const juce::String& parameterId,
                                 float plainValue);
