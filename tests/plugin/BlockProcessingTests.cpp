#include "EngineTestSupport.h"

#include <gtest/gtest.h>

using namespace enginetest;

namespace
{
struct MeterReadings
{
    float inputLeft, inputRight, outputLeft, outputRight, gainReduction, lamp;
};

MeterReadings readMeters (const VeskSchematicPluginAudioProcessor& processor)
{
    return { processor.inputLevelLeft.load(), processor.inputLevelRight.load(),
             processor.outputLevelLeft.load(), processor.outputLevelRight.load(),
             processor.gainReductionDb.load(), processor.lampLevel.load() };
}

float peakOf (const std::vector<float>& samples, size_t start, size_t end)
{
    float peak = 0.0f;
    for (size_t i = start; i < end; ++i)
        peak = std::max (peak, std::abs (samples[i]));
    return peak;
}

// Drives the lamp hard so that the gain-reduction and lamp meters have something to show.
void lightTheLamp (VeskSchematicPluginAudioProcessor& processor)
{
    setPlain (processor, parameterIds::drive, 1.0f);
    setPlain (processor, parameterIds::opto, 1.0f);
    setPlain (processor, parameterIds::speed, 1.0f);
    render (processor, { tone (9600, 100.0, 0.9f), tone (9600, 100.0, 0.9f) });
}

// Accepts a mono input with a stereo output, which the plug-in itself refuses, to show
// what happens to output channels that have no input.
struct WideOutputProcessor : VeskSchematicPluginAudioProcessor
{
    bool isBusesLayoutSupported (const BusesLayout&) const override { return true; }
};
} // namespace

TEST (BlockProcessing, powerOffPassesTheBlockUntouchedAndLetsTheMetersFall)
{
    auto processor = makePrepared (2);
    lightTheLamp (*processor);
    setPlain (*processor, parameterIds::power, 0.0f);

    const std::vector<std::vector<float>> input { noise (blockSize, 0.6f, 1), noise (blockSize, 0.2f, 2) };
    for (int block = 0; block < 3; ++block)
    {
        const auto before = readMeters (*processor);
        ASSERT_GT (before.gainReduction, 0.0f);
        ASSERT_GT (before.lamp, 0.0f);

        const auto output = render (*processor, input);
        EXPECT_EQ (output, input); // bit for bit: no trim, no latency delay, no mix

        const auto after = readMeters (*processor);
        const float left = peakOf (input[0], 0, blockSize), right = peakOf (input[1], 0, blockSize);
        EXPECT_EQ (after.inputLeft, 0.76f * before.inputLeft + 0.24f * left);
        EXPECT_EQ (after.inputRight, 0.76f * before.inputRight + 0.24f * right);
        EXPECT_EQ (after.outputLeft, 0.76f * before.outputLeft + 0.24f * left);
        EXPECT_EQ (after.outputRight, 0.76f * before.outputRight + 0.24f * right);
        EXPECT_EQ (after.gainReduction, 0.6f * before.gainReduction);
        EXPECT_EQ (after.lamp, 0.55f * before.lamp);
    }
}

TEST (BlockProcessing, powerOnMetersSmoothThePeaksOfEachBlock)
{
    auto processor = makePrepared (1);
    // The input meters read the signal before the input trim.
    setPlain (*processor, parameterIds::input, 18.0f);

    const std::vector<std::vector<float>> input { noise (blockSize, 0.5f, 5), noise (blockSize, 0.25f, 6) };
    for (int block = 0; block < 3; ++block)
    {
        const auto before = readMeters (*processor);
        const auto output = render (*processor, input);
        const auto after = readMeters (*processor);

        EXPECT_EQ (after.inputLeft, 0.76f * before.inputLeft + 0.24f * peakOf (input[0], 0, blockSize));
        EXPECT_EQ (after.inputRight, 0.76f * before.inputRight + 0.24f * peakOf (input[1], 0, blockSize));
        EXPECT_EQ (after.outputLeft, 0.76f * before.outputLeft + 0.24f * peakOf (output[0], 0, blockSize));
        EXPECT_EQ (after.outputRight, 0.76f * before.outputRight + 0.24f * peakOf (output[1], 0, blockSize));
        // No depth: the divider never attenuates.
        EXPECT_EQ (after.gainReduction, 0.0f);
    }
    EXPECT_GT (readMeters (*processor).lamp, 0.0f);
}

TEST (BlockProcessing, gainReductionAndLampMetersStayInTheirRanges)
{
    auto processor = makePrepared (4);
    setPlain (*processor, parameterIds::input, 18.0f);
    lightTheLamp (*processor);
    const auto meters = readMeters (*processor);
    EXPECT_GT (meters.gainReduction, 3.0f);
    EXPECT_LE (meters.gainReduction, 60.0f);
    EXPECT_GT (meters.lamp, 0.1f);
    EXPECT_LE (meters.lamp, 1.0f);
}

TEST (BlockProcessing, monoRunsTheFirstChannelAloneAndMirrorsItsMeters)
{
    auto mono = makePrepared (2, 1);
    auto stereo = makePrepared (2, 2);
    for (auto* processor : { mono.get(), stereo.get() })
        setPlain (*processor, parameterIds::drive, 0.7f);

    const auto input = noise (4096, 0.8f, 9);
    const auto monoOutput = render (*mono, { input });
    const auto stereoOutput = render (*stereo, { input, std::vector<float> (4096, 0.0f) });

    EXPECT_EQ (monoOutput[0], stereoOutput[0]);
    const auto meters = readMeters (*mono);
    EXPECT_EQ (meters.inputRight, meters.inputLeft);
    EXPECT_EQ (meters.outputRight, meters.outputLeft);
    EXPECT_GT (meters.outputLeft, 0.0f);
}

TEST (BlockProcessing, outputChannelsWithoutAnInputAreSilenced)
{
    WideOutputProcessor processor;
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (juce::AudioChannelSet::mono());
    layout.outputBuses.add (juce::AudioChannelSet::stereo());
    ASSERT_TRUE (processor.setBusesLayout (layout));
    processor.prepareToPlay (sampleRate, blockSize);

    // The host leaves whatever was in the second channel's memory.
    const auto output = render (processor, { noise (1024, 0.5f, 21), noise (1024, 0.9f, 22) });
    EXPECT_TRUE (allZero (output[1]));
    EXPECT_EQ (processor.inputLevelRight.load(), 0.0f);
    EXPECT_FALSE (allZero (output[0]));
}

TEST (BlockProcessing, anEmptyBlockChangesNothing)
{
    const std::vector<std::vector<float>> input { noise (2048, 0.5f, 31), noise (2048, 0.5f, 32) };

    auto reference = makePrepared (3);
    const auto expected = render (*reference, input);

    auto processor = makePrepared (3);
    const std::vector<std::vector<float>> firstHalf { { input[0].begin(), input[0].begin() + 1024 }, { input[1].begin(), input[1].begin() + 1024 } };
    const std::vector<std::vector<float>> secondHalf { { input[0].begin() + 1024, input[0].end() }, { input[1].begin() + 1024, input[1].end() } };
    auto output = render (*processor, firstHalf);

    const auto meters = readMeters (*processor);
    juce::AudioBuffer<float> empty (2, 0);
    juce::MidiBuffer midi;
    processor->processBlock (empty, midi);
    const auto metersAfter = readMeters (*processor);
    EXPECT_EQ (std::memcmp (&meters, &metersAfter, sizeof (meters)), 0);

    const auto rest = render (*processor, secondHalf);
    output[0].insert (output[0].end(), rest[0].begin(), rest[0].end());
    EXPECT_EQ (output[0], expected[0]);
}

TEST (BlockProcessing, aBlockLongerThanPreparedIsProcessedInFull)
{
    // A host that breaks its block-size promise gets the same audio as one that keeps it.
    const std::vector<std::vector<float>> input { noise (3000, 0.5f, 41), noise (3000, 0.5f, 42) };

    auto keeping = makePrepared (4, 2, 256);
    const auto expected = render (*keeping, input, 250);
    auto breaking = makePrepared (4, 2, 256);
    const auto actual = render (*breaking, input, 1000);
    EXPECT_EQ (actual, expected);
}

TEST (BlockProcessing, controlsStepAtTheBlockBoundary)
{
    const std::vector<std::vector<float>> input { tone (1024, 440.0, 0.3f), tone (1024, 440.0, 0.3f) };
    auto steady = makePrepared (0);
    auto stepped = makePrepared (0);
    const auto first = render (*steady, input);
    const auto firstStepped = render (*stepped, input);
    EXPECT_EQ (first, firstStepped);

    setPlain (*stepped, parameterIds::output, 0.0f);
    const auto second = render (*steady, input, 1024);
    const auto secondStepped = render (*stepped, input, 1024);
    // At 1x the output trim acts from the first sample of the next block.
    EXPECT_NE (second[0][0], secondStepped[0][0]);
}
