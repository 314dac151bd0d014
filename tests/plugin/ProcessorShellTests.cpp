#include "PluginProcessor.h"
#include "support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <filesystem>

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();

namespace
{
using Set = juce::AudioChannelSet;

struct LayoutCase
{
    const char* description;
    Set input;
    Set output;
    bool supported;
};

class BusLayoutRule : public testing::TestWithParam<LayoutCase> {};

TEST_P (BusLayoutRule, acceptsOnlyMatchingMonoOrStereo)
{
    const auto& layoutCase = GetParam();
    VeskSchematicPluginAudioProcessor processor;

    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (layoutCase.input);
    layout.outputBuses.add (layoutCase.output);

    EXPECT_EQ (processor.checkBusesLayoutSupported (layout), layoutCase.supported) << layoutCase.description;
}

INSTANTIATE_TEST_SUITE_P (Layouts, BusLayoutRule,
                          testing::Values (LayoutCase { "mono/mono", Set::mono(), Set::mono(), true },
                                           LayoutCase { "stereo/stereo", Set::stereo(), Set::stereo(), true },
                                           LayoutCase { "mono in, stereo out", Set::mono(), Set::stereo(), false },
                                           LayoutCase { "stereo in, mono out", Set::stereo(), Set::mono(), false },
                                           LayoutCase { "disabled input, stereo out", Set::disabled(), Set::stereo(), false },
                                           LayoutCase { "disabled both", Set::disabled(), Set::disabled(), false },
                                           LayoutCase { "5.1 both", Set::create5point1(), Set::create5point1(), false }));

TEST (ProcessorShell, aFreshInstanceReportsItsIdentityAndProgramZero)
{
    VeskSchematicPluginAudioProcessor processor;

    EXPECT_EQ (processor.getName(), "Vesk Q84D");
    EXPECT_EQ (processor.getNumPrograms(), 33);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_FALSE (processor.acceptsMidi());
    EXPECT_FALSE (processor.producesMidi());
    EXPECT_FALSE (processor.isMidiEffect());
    EXPECT_TRUE (processor.hasEditor());
    EXPECT_DOUBLE_EQ (processor.getTailLengthSeconds(), 0.65);
    EXPECT_TRUE (processor.currentUserPresetName.isEmpty());
    EXPECT_TRUE (processor.userPresets.empty());
    EXPECT_EQ (processor.storedEditorWidth, 1536);
    EXPECT_EQ (processor.storedEditorHeight, 800);
    EXPECT_EQ (processor.getLatencySamples(), 0);

    EXPECT_EQ (processor.getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (processor.getBus (false, 0)->getName(), "Output");
    EXPECT_EQ (processor.getMainBusNumInputChannels(), 2);
    EXPECT_EQ (processor.getMainBusNumOutputChannels(), 2);
}

TEST (ProcessorShell, constructionWithAnEmptyHomeCreatesNothingOnDisk)
{
    testsupport::clearTemporaryHome();
    {
        VeskSchematicPluginAudioProcessor processor;
    }
    EXPECT_TRUE (std::filesystem::is_empty (testsupport::temporaryHome()));
}

TEST (ProcessorShell, rawValuePointersFollowTheParameterOrder)
{
    VeskSchematicPluginAudioProcessor processor;
    std::atomic<float>* pointers[] = { processor.inputParam, processor.driveParam, processor.lowParam,
                                       processor.presenceParam, processor.airParam, processor.optoParam,
                                       processor.speedParam, processor.mixParam, processor.outputParam,
                                       processor.oversamplingParam, processor.powerParam };

    for (int i = 0; i < presetParameterIds.size(); ++i)
        EXPECT_EQ (pointers[i], processor.apvts.getRawParameterValue (presetParameterIds[i])) << presetParameterIds[i];
}

TEST (ProcessorShell, twoInstancesAreIndependent)
{
    VeskSchematicPluginAudioProcessor first, second;
    first.setCurrentProgram (5);

    EXPECT_EQ (second.getCurrentProgram(), 0);
    EXPECT_FLOAT_EQ (second.apvts.getRawParameterValue ("low")->load(), 0.0f);
    EXPECT_NE (first.apvts.getRawParameterValue ("low")->load(), 0.0f);
}

TEST (ProcessorShell, createPluginFilterMakesTheProcessor)
{
    std::unique_ptr<juce::AudioProcessor> processor (createPluginFilter());
    ASSERT_NE (dynamic_cast<VeskSchematicPluginAudioProcessor*> (processor.get()), nullptr);
}
} // namespace
