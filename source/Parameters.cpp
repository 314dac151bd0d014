#include "Parameters.h"
#include "PluginProcessor.h"

#include <cmath>

namespace parameterText
{
juce::String percentFromValue (float value)
{
    // nearbyint rounds halves to even in the default rounding mode: 0.125 shows 12%.
    const float percent = value * 100.0f;
    return juce::String (static_cast<long long> (std::nearbyint (percent))) + "%";
}

float valueFromPercent (const juce::String& text)
{
    return juce::jlimit (0.0f, 1.0f, text.getFloatValue() / 100.0f);
}

juce::String outputTrimFromValue (float storedValue)
{
    const float shown = storedValue + outputTrimDisplayOffsetDb;
    return juce::String (shown, 2);
}

float valueFromOutputTrim (const juce::String& text)
{
    return text.getFloatValue() - outputTrimDisplayOffsetDb;
}
} // namespace parameterText

bool setParameterFromPlainValue (juce::AudioProcessorValueTreeState& state,
                                 const juce::String& parameterId,
                                 float plainValue)
{
    auto* parameter = state.getParameter (parameterId);
    if (parameter == nullptr)
        return false;

    parameter->beginChangeGesture();
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (plainValue));
    parameter->endChangeGesture();
    return true;
}

namespace
{
std::unique_ptr<juce::AudioParameterFloat> makeDecibelParameter (const char* id, const char* name,
                                                                 float minimum, float maximum)
{
    return std::make_unique<juce::AudioParameterFloat> (
        juce::ParameterID { id, parameterVersionHint }, name,
        juce::NormalisableRange<float> (minimum, maximum, 0.01f), 0.0f,
        juce::AudioParameterFloatAttributes().withLabel ("dB"));
}

std::unique_ptr<juce::AudioParameterFloat> makePercentParameter (const char* id, const char* name,
                                                                 float defaultValue)
{
    return std::make_unique<juce::AudioParameterFloat> (
        juce::ParameterID { id, parameterVersionHint }, name,
        juce::NormalisableRange<float> (0.0f, 1.0f, 0.001f), defaultValue,
        juce::AudioParameterFloatAttributes()
            .withLabel ("%")
            .withStringFromValueFunction ([] (float value, int) { return parameterText::percentFromValue (value); })
            .withValueFromStringFunction ([] (const juce::String& text) { return parameterText::valueFromPercent (text); }));
}
} // namespace

juce::AudioProcessorValueTreeState::ParameterLayout VeskSchematicPluginAudioProcessor::createParameterLayout()
{
    juce::AudioProcessorValueTreeState::ParameterLayout layout;

    layout.add (makeDecibelParameter (parameterIds::input, "Input", -18.0f, 18.0f));
    layout.add (makePercentParameter (parameterIds::drive, "Lamp Drive", 0.0f));
    layout.add (makeDecibelParameter (parameterIds::low, "Low Cell", -12.0f, 12.0f));
    layout.add (makeDecibelParameter (parameterIds::presence, "Mid Cell", -12.0f, 12.0f));
    layout.add (makeDecibelParameter (parameterIds::air, "HF Cell", -12.0f, 12.0f));
    layout.add (makePercentParameter (parameterIds::opto, "LDR Depth", 0.0f));
    layout.add (makePercentParameter (parameterIds::speed, "Thermal", 0.0f));
    layout.add (makePercentParameter (parameterIds::mix, "Mix", 1.0f));

    layout.add (std::make_unique<juce::AudioParameterFloat> (
        juce::ParameterID { parameterIds::output, parameterVersionHint }, "Output",
        juce::NormalisableRange<float> (-27.98f, 8.02f, 0.01f),
        -outputTrimDisplayOffsetDb,
        juce::AudioParameterFloatAttributes()
            .withLabel ("dB")
            .withStringFromValueFunction ([] (float value, int) { return parameterText::outputTrimFromValue (value); })
            .withValueFromStringFunction ([] (const juce::String& text) { return parameterText::valueFromOutputTrim (text); })));

    layout.add (std::make_unique<juce::AudioParameterChoice> (
        juce::ParameterID { parameterIds::oversampling, parameterVersionHint }, "Oversampling",
        oversamplingChoiceNames, defaultOversamplingIndex));

    layout.add (std::make_unique<juce::AudioParameterBool> (
        juce::ParameterID { parameterIds::power, parameterVersionHint }, "Power", true));

    return layout;
}
