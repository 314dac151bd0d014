#include "PluginProcessor.h"

#include <gtest/gtest.h>

namespace
{
struct ParameterRow
{
    const char* id;
    const char* name;
    float minimum, maximum, step, defaultValue;
    const char* label;
};

// The parameter table as the host should see it, in host order.
const ParameterRow expectedParameters[] = {
    { "input", "Input", -18.0f, 18.0f, 0.01f, 0.0f, "dB" },
    { "drive", "Lamp Drive", 0.0f, 1.0f, 0.001f, 0.0f, "%" },
    { "low", "Low Cell", -12.0f, 12.0f, 0.01f, 0.0f, "dB" },
    { "presence", "Mid Cell", -12.0f, 12.0f, 0.01f, 0.0f, "dB" },
    { "air", "HF Cell", -12.0f, 12.0f, 0.01f, 0.0f, "dB" },
    { "opto", "LDR Depth", 0.0f, 1.0f, 0.001f, 0.0f, "%" },
    { "speed", "Thermal", 0.0f, 1.0f, 0.001f, 0.0f, "%" },
    { "mix", "Mix", 0.0f, 1.0f, 0.001f, 1.0f, "%" },
    { "output", "Output", -27.98f, 8.02f, 0.01f, -9.98f, "dB" },
    { "oversampling", "Oversampling", 0.0f, 4.0f, 1.0f, 2.0f, "" },
    { "power", "Power", 0.0f, 1.0f, 1.0f, 1.0f, "" },
};

juce::RangedAudioParameter& parameter (VeskSchematicPluginAudioProcessor& processor, const char* id)
{
    auto* p = processor.apvts.getParameter (id);
    if (p == nullptr)
        throw std::runtime_error (std::string ("no parameter ") + id);
    return *p;
}

TEST (ParameterSet, theHostSeesElevenParametersInOrderWithTheirAttributes)
{
    VeskSchematicPluginAudioProcessor processor;
    const auto& parameters = processor.getParameters();
    ASSERT_EQ (parameters.size(), 11);

    for (int i = 0; i < parameters.size(); ++i)
    {
        const auto& expected = expectedParameters[i];
        SCOPED_TRACE (expected.id);

        auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (parameters[i]);
        ASSERT_NE (ranged, nullptr);
        EXPECT_EQ (ranged->getParameterID(), expected.id);
        EXPECT_EQ (ranged->getVersionHint(), 4);
        EXPECT_EQ (ranged->getName (100), expected.name);
        EXPECT_EQ (ranged->getLabel(), expected.label);
        EXPECT_EQ (presetParameterIds[i], expected.id);

        const auto& range = ranged->getNormalisableRange();
        EXPECT_FLOAT_EQ (range.start, expected.minimum);
        EXPECT_FLOAT_EQ (range.end, expected.maximum);
        EXPECT_FLOAT_EQ (range.interval, expected.step);
        EXPECT_FLOAT_EQ (range.skew, 1.0f);
        EXPECT_FALSE (range.symmetricSkew);
        EXPECT_NEAR (ranged->convertFrom0to1 (ranged->getDefaultValue()), expected.defaultValue, 1e-6f);
        EXPECT_NEAR (processor.apvts.getRawParameterValue (expected.id)->load(), expected.defaultValue, 1e-6f);

        EXPECT_TRUE (ranged->isAutomatable());
        EXPECT_FALSE (ranged->isMetaParameter());
        EXPECT_FALSE (ranged->isOrientationInverted());
        EXPECT_EQ (ranged->getCategory(), juce::AudioProcessorParameter::genericParameter);
    }

    EXPECT_NE (dynamic_cast<juce::AudioParameterChoice*> (parameters[9]), nullptr);
    EXPECT_NE (dynamic_cast<juce::AudioParameterBool*> (parameters[10]), nullptr);
}

struct TextCase
{
    const char* id;
    float plainValue;
    const char* shown;
};

class ParameterTextFromValue : public testing::TestWithParam<TextCase> {};

TEST_P (ParameterTextFromValue, showsTheValueAsTheUserReadsIt)
{
    const auto& textCase = GetParam();
    VeskSchematicPluginAudioProcessor processor;
    auto& p = parameter (processor, textCase.id);

    EXPECT_EQ (p.getText (p.convertTo0to1 (textCase.plainValue), 1024), textCase.shown);
}

INSTANTIATE_TEST_SUITE_P (Texts, ParameterTextFromValue,
                          testing::Values (TextCase { "input", 0.0f, "0.00" },
                                           TextCase { "input", 1.5f, "1.50" },
                                           TextCase { "low", -12.0f, "-12.00" },
                                           TextCase { "drive", 0.0f, "0%" },
                                           TextCase { "drive", 0.35f, "35%" },
                                           TextCase { "mix", 1.0f, "100%" },
                                           TextCase { "output", -9.98f, "0.00" },
                                           TextCase { "output", 8.02f, "18.00" },
                                           TextCase { "output", -27.98f, "-18.00" },
                                           TextCase { "output", -10.18f, "-0.20" },
                                           TextCase { "oversampling", 2.0f, "4x" },
                                           TextCase { "oversampling", 4.0f, "16x" },
                                           TextCase { "power", 1.0f, "On" },
                                           TextCase { "power", 0.0f, "Off" }));

TEST (ParameterText, percentRoundsHalvesToEvenInSinglePrecision)
{
    // 0.125 * 100, 0.145 * 100 and 0.015 * 100 are 12.5, 14.5 and 1.5 in single precision.
    EXPECT_EQ (parameterText::percentFromValue (0.125f), "12%");
    EXPECT_EQ (parameterText::percentFromValue (0.145f), "14%");
    EXPECT_EQ (parameterText::percentFromValue (0.015f), "2%");
    EXPECT_EQ (parameterText::percentFromValue (1.0f), "100%");
}

TEST (ParameterText, theHostsMaximumLengthCutsOnlyTheDecibelTexts)
{
    VeskSchematicPluginAudioProcessor processor;
    auto& input = parameter (processor, "input");
    auto& mix = parameter (processor, "mix");
    auto& output = parameter (processor, "output");

    EXPECT_EQ (input.getText (input.convertTo0to1 (-12.5f), 3), "-12");
    EXPECT_EQ (mix.getText (1.0f, 2), "100%");
    EXPECT_EQ (output.getText (output.convertTo0to1 (8.02f), 2), "18.00");
}

struct ReadBackCase
{
    const char* id;
    const char* typed;
    float plainValue;
};

class ParameterValueFromText : public testing::TestWithParam<ReadBackCase> {};

TEST_P (ParameterValueFromText, readsTypedTextBack)
{
    const auto& readCase = GetParam();
    VeskSchematicPluginAudioProcessor processor;
    auto& p = parameter (processor, readCase.id);

    EXPECT_NEAR (p.convertFrom0to1 (p.getValueForText (readCase.typed)), readCase.plainValue, 1e-5f)
        << readCase.id << " <- " << readCase.typed;
}

INSTANTIATE_TEST_SUITE_P (Texts, ParameterValueFromText,
                          testing::Values (ReadBackCase { "mix", "50%", 0.5f },
                                           ReadBackCase { "mix", "50", 0.5f },
                                           ReadBackCase { "mix", "250", 1.0f },
                                           ReadBackCase { "mix", "-20", 0.0f },
                                           ReadBackCase { "drive", "35%", 0.35f },
                                           ReadBackCase { "output", "6", -3.98f },
                                           ReadBackCase { "output", "0", -9.98f },
                                           ReadBackCase { "output", "-3.5", -13.48f },
                                           ReadBackCase { "input", "4.25 dB", 4.25f },
                                           ReadBackCase { "oversampling", "8x", 3.0f },
                                           ReadBackCase { "oversampling", "1x", 0.0f }));

TEST (ParameterText, outputTextReadsBackWithoutTheRangeClamp)
{
    // The shown trim minus 9.98, as typed: only the parameter's range limits it later.
    EXPECT_FLOAT_EQ (parameterText::valueFromOutputTrim ("30"), 30.0f - 9.98f);
    EXPECT_FLOAT_EQ (parameterText::valueFromPercent ("250"), 1.0f);
}

// Records every gesture and value change a parameter announces to its listeners.
struct GestureRecorder : juce::AudioProcessorParameter::Listener
{
    std::vector<juce::String> events;

    void parameterValueChanged (int index, float value) override
    {
        events.push_back ("value " + juce::String (index) + " " + juce::String (value, 6));
    }

    void parameterGestureChanged (int index, bool starting) override
    {
        events.push_back ((starting ? "begin " : "end ") + juce::String (index));
    }
};

struct PlainValueCase
{
    const char* id;
    float requested;
    float stored;
};

class PlainValueSetter : public testing::TestWithParam<PlainValueCase> {};

TEST_P (PlainValueSetter, clampsSnapsAndBracketsTheChangeInOneGesture)
{
    const auto& setCase = GetParam();
    VeskSchematicPluginAudioProcessor processor;
    auto& p = parameter (processor, setCase.id);
    GestureRecorder recorder;
    p.addListener (&recorder);

    ASSERT_TRUE (setParameterFromPlainValue (processor.apvts, setCase.id, setCase.requested));
    p.removeListener (&recorder);

    EXPECT_NEAR (processor.apvts.getRawParameterValue (setCase.id)->load(), setCase.stored, 1e-5f);

    const auto index = juce::String (p.getParameterIndex());
    ASSERT_EQ (recorder.events.size(), 3u);
    EXPECT_EQ (recorder.events.front(), "begin " + index);
    EXPECT_TRUE (recorder.events[1].startsWith ("value " + index));
    EXPECT_EQ (recorder.events.back(), "end " + index);
}

INSTANTIATE_TEST_SUITE_P (Values, PlainValueSetter,
                          testing::Values (PlainValueCase { "input", 20.0f, 18.0f },
                                           PlainValueCase { "input", -40.0f, -18.0f },
                                           PlainValueCase { "input", 1.234f, 1.23f },
                                           PlainValueCase { "drive", 0.1234f, 0.123f },
                                           PlainValueCase { "output", 100.0f, 8.02f },
                                           PlainValueCase { "oversampling", 3.0f, 3.0f },
                                           PlainValueCase { "oversampling", 2.6f, 3.0f },
                                           PlainValueCase { "power", 0.0f, 0.0f }));

TEST (PlainValueSetter, anUnknownIdChangesNothing)
{
    VeskSchematicPluginAudioProcessor processor;
    EXPECT_FALSE (setParameterFromPlainValue (processor.apvts, "volume", 1.0f));
}
} // namespace
