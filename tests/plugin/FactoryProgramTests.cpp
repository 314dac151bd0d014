#include "PluginProcessor.h"

#include <gtest/gtest.h>

namespace
{
// The factory programs as printed for the user, the output trim as shown (0.00 = stored -9.98).
struct ProgramRow
{
    const char* name;
    float input, drive, low, presence, air, opto, speed, mix, outputShown;
    int oversampling;
};

const ProgramRow programs[] = {
    { "Default Hardware Flat", 0, 0, 0, 0, 0, 0, 0, 1, 0.00f, 2 },
    { "Gentle Warmth", 0, 0.14f, 0.6f, 0.2f, 0.4f, 0.18f, 0.14f, 1, -0.20f, 2 },
    { "Silver Glue", -0.5f, 0.22f, 0.8f, 0.3f, 0.5f, 0.32f, 0.28f, 0.9f, -0.60f, 2 },
    { "Velvet Vocal", -1, 0.18f, -0.4f, 1.2f, 1.6f, 0.26f, 0.22f, 0.82f, -0.40f, 3 },
    { "Acoustic Lift", -0.8f, 0.12f, 0.9f, 0.4f, 1.1f, 0.22f, 0.16f, 0.88f, -0.30f, 2 },
    { "Bass Bloom", -1, 0.2f, 2.2f, -0.2f, -0.6f, 0.24f, 0.18f, 0.92f, -0.70f, 2 },
    { "Punch Bus", 0, 0.3f, 1.1f, 0.7f, 0.4f, 0.38f, 0.32f, 0.86f, -0.80f, 2 },
    { "Tape Kiss", -0.5f, 0.26f, 0.5f, -0.1f, 0.3f, 0.28f, 0.4f, 0.78f, -0.50f, 3 },
    { "Console Push", 1.5f, 0.34f, 0.8f, 0.8f, 0.7f, 0.4f, 0.34f, 1, -1.20f, 2 },
    { "Harmonic Air", -0.4f, 0.16f, -0.2f, 0.6f, 2.4f, 0.18f, 0.2f, 0.84f, -0.30f, 3 },
    { "Parallel Shine", 0.8f, 0.24f, 0.7f, 0.5f, 1.2f, 0.3f, 0.26f, 0.62f, -0.50f, 2 },
    { "Tight Drum Room", 0.5f, 0.31f, -0.3f, 1, 0.6f, 0.44f, 0.36f, 0.74f, -0.90f, 2 },
    { "Snare Crack", 0.6f, 0.28f, -0.4f, 1.8f, 1.5f, 0.34f, 0.24f, 0.88f, -0.70f, 3 },
    { "Kick Weight", 0.4f, 0.24f, 2.8f, -0.3f, -0.8f, 0.27f, 0.18f, 0.94f, -0.80f, 2 },
    { "Bass Focus", 0, 0.19f, 1.8f, 0.2f, -0.9f, 0.3f, 0.22f, 0.89f, -0.60f, 2 },
    { "Guitar Presence", 0.5f, 0.23f, -0.2f, 1.5f, 1.9f, 0.29f, 0.26f, 0.83f, -0.40f, 3 },
    { "Guitar Grind", 1.2f, 0.38f, 0.3f, 1.1f, 1.4f, 0.46f, 0.38f, 0.8f, -1.10f, 2 },
    { "Synth Halo", 0, 0.2f, 0.8f, 0.8f, 1.8f, 0.24f, 0.3f, 0.76f, -0.50f, 3 },
    { "Piano Body", -0.5f, 0.13f, 1.1f, 0.6f, 0.7f, 0.2f, 0.16f, 0.87f, -0.30f, 2 },
    { "Rhodes Silk", -0.8f, 0.18f, 0.9f, 0.5f, 1, 0.26f, 0.22f, 0.79f, -0.40f, 2 },
    { "String Polish", -1, 0.15f, -0.2f, 0.8f, 1.6f, 0.18f, 0.18f, 0.85f, -0.25f, 3 },
    { "Brass Edge", 0.2f, 0.27f, 0.4f, 1.6f, 1.3f, 0.33f, 0.24f, 0.9f, -0.75f, 2 },
    { "Mix Glue", -0.6f, 0.24f, 0.5f, 0.4f, 0.4f, 0.34f, 0.3f, 0.92f, -0.60f, 2 },
    { "Mix Exciter", -0.4f, 0.17f, -0.1f, 0.6f, 2, 0.22f, 0.2f, 0.68f, -0.35f, 3 },
    { "Master Lift", -1, 0.14f, 0.6f, 0.3f, 1.2f, 0.2f, 0.18f, 0.95f, -0.20f, 4 },
    { "Master Density", -1.2f, 0.22f, 0.7f, 0.6f, 0.8f, 0.28f, 0.24f, 0.97f, -0.50f, 4 },
    { "Drum Crush Parallel", 1.8f, 0.46f, 1.1f, 1.3f, 0.8f, 0.58f, 0.42f, 0.54f, -1.40f, 2 },
    { "LoFi Cinema", 2, 0.42f, 1.8f, -0.6f, -1.6f, 0.52f, 0.48f, 0.72f, -1.80f, 1 },
    { "Mono Radio", 1.5f, 0.36f, 0.6f, 1.4f, -1, 0.44f, 0.5f, 0.7f, -1.60f, 1 },
    { "Dense Chorus", 0.6f, 0.25f, 0.7f, 0.9f, 1.4f, 0.35f, 0.34f, 0.73f, -0.80f, 2 },
    { "Ambient Bloom", -0.8f, 0.21f, 1.4f, 0.7f, 1.5f, 0.31f, 0.42f, 0.66f, -0.70f, 3 },
    { "Bright Pop", 0.2f, 0.19f, 0.3f, 1, 2.2f, 0.25f, 0.24f, 0.93f, -0.45f, 3 },
    { "Dark Iron", 1, 0.33f, 1.6f, 0.4f, -1.8f, 0.47f, 0.36f, 0.88f, -1.00f, 2 },
};

float rawValue (VeskSchematicPluginAudioProcessor& processor, const char* id)
{
    return processor.apvts.getRawParameterValue (id)->load();
}

juce::String shownText (VeskSchematicPluginAudioProcessor& processor, const char* id)
{
    auto* p = processor.apvts.getParameter (id);
    return p->getCurrentValueAsText();
}

class FactoryProgram : public testing::TestWithParam<int> {};

TEST_P (FactoryProgram, applyingItSetsEveryParameterAndItsName)
{
    const int index = GetParam();
    const auto& row = programs[index];
    VeskSchematicPluginAudioProcessor processor;
    // Start away from the defaults so that every value is really written.
    setParameterFromPlainValue (processor.apvts, "power", 0.0f);
    setParameterFromPlainValue (processor.apvts, "mix", 0.3f);

    processor.setCurrentProgram (index);

    EXPECT_EQ (processor.getCurrentProgram(), index);
    EXPECT_EQ (processor.getProgramName (index), row.name);

    // The parameters hold the step-snapped value; a hundredth of a step is the tolerance.
    EXPECT_NEAR (rawValue (processor, "input"), row.input, 1e-4f);
    EXPECT_NEAR (rawValue (processor, "drive"), row.drive, 1e-5f);
    EXPECT_NEAR (rawValue (processor, "low"), row.low, 1e-4f);
    EXPECT_NEAR (rawValue (processor, "presence"), row.presence, 1e-4f);
    EXPECT_NEAR (rawValue (processor, "air"), row.air, 1e-4f);
    EXPECT_NEAR (rawValue (processor, "opto"), row.opto, 1e-5f);
    EXPECT_NEAR (rawValue (processor, "speed"), row.speed, 1e-5f);
    EXPECT_NEAR (rawValue (processor, "mix"), row.mix, 1e-5f);
    EXPECT_NEAR (rawValue (processor, "output"), row.outputShown - 9.98f, 1e-4f);
    EXPECT_EQ (shownText (processor, "output"), juce::String (row.outputShown, 2));
    EXPECT_EQ (rawValue (processor, "oversampling"), (float) row.oversampling);
    EXPECT_EQ (rawValue (processor, "power"), 1.0f);
}

INSTANTIATE_TEST_SUITE_P (AllRows, FactoryProgram, testing::Range (0, 33));

TEST (FactoryPrograms, theTableStoresTheOutputTrimBelowTheShownValue)
{
    for (int i = 0; i < numFactoryPresets; ++i)
    {
        EXPECT_STREQ (factoryPresets[(size_t) i].name, programs[i].name);
        EXPECT_EQ (factoryPresets[(size_t) i].output, programs[i].outputShown - 9.98f) << programs[i].name;
        EXPECT_TRUE (factoryPresets[(size_t) i].power);
    }
}

TEST (FactoryPrograms, programZeroEqualsTheDefaults)
{
    VeskSchematicPluginAudioProcessor processor;
    processor.setCurrentProgram (26);
    processor.setCurrentProgram (0);

    for (auto* parameter : processor.getParameters())
    {
        auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (parameter);
        EXPECT_NEAR (ranged->getValue(), ranged->getDefaultValue(), 1e-6f) << ranged->getParameterID();
    }
}

TEST (FactoryPrograms, indicesAreClampedAndNamesOutsideTheTableAreEmpty)
{
    VeskSchematicPluginAudioProcessor processor;

    processor.setCurrentProgram (99);
    EXPECT_EQ (processor.getCurrentProgram(), 32);
    EXPECT_NEAR (rawValue (processor, "air"), -1.8f, 1e-4f);

    processor.setCurrentProgram (-5);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_NEAR (rawValue (processor, "air"), 0.0f, 1e-6f);

    EXPECT_EQ (processor.getProgramName (33), "");
    EXPECT_EQ (processor.getProgramName (-1), "");
    EXPECT_EQ (processor.getProgramName (26), "Drum Crush Parallel");

    processor.changeProgramName (26, "Renamed");
    EXPECT_EQ (processor.getProgramName (26), "Drum Crush Parallel");
}

TEST (FactoryPrograms, masterLiftShowsSixteenTimesAndMinusPointTwo)
{
    VeskSchematicPluginAudioProcessor processor;
    processor.setCurrentProgram (24);

    EXPECT_EQ (shownText (processor, "oversampling"), "16x");
    EXPECT_EQ (shownText (processor, "output"), "-0.20");
}

TEST (FactoryPrograms, applyingAProgramClearsTheCurrentUserPreset)
{
    VeskSchematicPluginAudioProcessor processor;
    processor.currentUserPresetName = "Warm Bus";

    processor.setCurrentProgram (3);
    EXPECT_TRUE (processor.currentUserPresetName.isEmpty());
}

// Records the order of gestures across all parameters.
struct GestureLog : juce::AudioProcessorParameter::Listener
{
    juce::StringArray events;
    void parameterValueChanged (int, float) override {}
    void parameterGestureChanged (int index, bool starting) override
    {
        events.add ((starting ? "begin " : "end ") + juce::String (index));
    }
};

TEST (FactoryPrograms, aProgramChangeIsElevenGesturePairsInHostOrder)
{
    VeskSchematicPluginAudioProcessor processor;
    GestureLog log;
    for (auto* parameter : processor.getParameters())
        parameter->addListener (&log);

    processor.setCurrentProgram (7);

    for (auto* parameter : processor.getParameters())
        parameter->removeListener (&log);

    juce::StringArray expected;
    for (int i = 0; i < 11; ++i)
        expected.addArray (juce::StringArray { "begin " + juce::String (i), "end " + juce::String (i) });

    EXPECT_EQ (log.events, expected);
}
} // namespace
