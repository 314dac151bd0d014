#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace enginetest;

namespace
{
struct FactorCase
{
    int choice;
    int latency;
};

// The framework's half-band filters for the five stage settings, brought up to whole
// samples by the integer-latency option.
const FactorCase factorCases[] = { { 0, 0 }, { 1, 4 }, { 2, 6 }, { 3, 6 }, { 4, 6 } };

class EveryFactor : public testing::TestWithParam<FactorCase>
{
};

std::string factorName (const testing::TestParamInfo<FactorCase>& testInfo)
{
    return oversamplingChoiceNames[testInfo.param.choice].toStdString();
}

// Phase of the `frequency` component of y relative to x, as a delay in samples.
double delayInSamples (const std::vector<float>& x, const std::vector<float>& y, double frequency, size_t start)
{
    const auto phaseOf = [&] (const std::vector<float>& s)
    {
        double re = 0.0, im = 0.0;
        for (size_t i = start; i < s.size(); ++i)
        {
            const double w = 2.0 * juce::MathConstants<double>::pi * frequency * (double) i / sampleRate;
            re += s[i] * std::cos (w);
            im -= s[i] * std::sin (w);
        }
        return std::atan2 (im, re);
    };
    // Delays of up to most of a period, and small leads, are told apart by the wrap point.
    auto lag = phaseOf (x) - phaseOf (y);
    while (lag < -0.25 * juce::MathConstants<double>::pi)
        lag += 2.0 * juce::MathConstants<double>::pi;
    while (lag >= 1.75 * juce::MathConstants<double>::pi)
        lag -= 2.0 * juce::MathConstants<double>::pi;
    return lag / (2.0 * juce::MathConstants<double>::pi * frequency) * sampleRate;
}

constexpr size_t afterMixRamp = 4800; // 100 ms: the mixer's 50 ms ramp is over
} // namespace

TEST_P (EveryFactor, reportsItsWholeSampleLatency)
{
    auto processor = makePrepared (GetParam().choice);
    EXPECT_EQ (processor->getLatencySamples(), GetParam().latency);
}

TEST_P (EveryFactor, mixZeroGivesTheInputDelayedByTheLatency)
{
    auto processor = makePrepared (GetParam().choice);
    setPlain (*processor, parameterIds::mix, 0.0f);
    setPlain (*processor, parameterIds::drive, 1.0f);

    const auto input = noise (afterMixRamp + 4096, 0.5f, 7);
    const auto output = render (*processor, { input, input });

    const auto latency = static_cast<size_t> (GetParam().latency);
    for (size_t i = afterMixRamp; i < input.size(); ++i)
        ASSERT_EQ (output[0][i], input[i - latency]) << "sample " << i;
}

TEST_P (EveryFactor, anImpulseHalfMixedComesOutOnceAtTheLatency)
{
    auto processor = makePrepared (GetParam().choice);
    setPlain (*processor, parameterIds::mix, 0.5f);

    const auto position = afterMixRamp;
    const auto output = render (*processor, { impulse (afterMixRamp + 1024, position, 0.01f),
                                              impulse (afterMixRamp + 1024, position, 0.01f) });

    const auto& left = output[0];
    const auto peak = static_cast<size_t> (std::max_element (left.begin(), left.end(), [] (float a, float b) { return std::abs (a) < std::abs (b); })
                                           - left.begin());
    const auto expected = position + static_cast<size_t> (GetParam().latency);
    EXPECT_EQ (peak, expected);

    // Nothing that could be a second, early copy of it.
    for (size_t i = 0; i + 2 < expected; ++i)
        ASSERT_LT (std::abs (left[i]), 0.02f * std::abs (left[peak])) << "sample " << i;
}

TEST_P (EveryFactor, theWetPathIsDelayedByTheReportedLatency)
{
    const auto choice = GetParam().choice;
    auto processor = makePrepared (choice);
    const auto input = tone (24000, 1000.0, 0.01f);
    const auto output = render (*processor, { input, input });

    // The circuit's own phase shift at this frequency, from one model at the oversampled rate.
    const int factor = 1 << choice;
    schematic::ChannelModel model;
    model.prepare (sampleRate * factor);
    const auto controls = schematic::makeChannelControls ({ 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, -9.98f });
    std::vector<float> circuit (input.size());
    const auto fineTone = tone (input.size() * (size_t) factor, 1000.0 / factor, 0.01f);
    for (size_t i = 0; i < fineTone.size(); ++i)
    {
        const float y = model.processSample (fineTone[i], controls);
        if (i % (size_t) factor == 0)
            circuit[i / (size_t) factor] = y;
    }
    const double circuitDelay = delayInSamples (input, circuit, 1000.0, 12000);

    EXPECT_NEAR (delayInSamples (input, output[0], 1000.0, 12000) - circuitDelay, GetParam().latency, 0.05)
        << "circuit " << circuitDelay;
}

TEST_P (EveryFactor, processingDoesNotDependOnTheBlockPartition)
{
    // Nothing restarts between blocks: neither the models, nor the filters, nor the dry delay.
    const auto input = noise (6000, 0.8f, 3);
    const std::vector<std::vector<float>> stereo { input, noise (6000, 0.3f, 4) };

    auto whole = makePrepared (GetParam().choice, 2, 1024);
    setPlain (*whole, parameterIds::mix, 0.6f);
    auto pieces = makePrepared (GetParam().choice, 2, 1024);
    setPlain (*pieces, parameterIds::mix, 0.6f);

    const auto expected = render (*whole, stereo, 1000);
    const auto actual = render (*pieces, stereo, 40);
    EXPECT_EQ (actual, expected);
}

INSTANTIATE_TEST_SUITE_P (Oversampling, EveryFactor, testing::ValuesIn (factorCases), factorName);

TEST (OversamplingSelection, nothingIsBuiltOrReportedBeforePrepare)
{
    VeskSchematicPluginAudioProcessor processor;
    EXPECT_EQ (processor.getLatencySamples(), 0);
    EXPECT_DOUBLE_EQ (processor.getTailLengthSeconds(), 0.65);

    // A host that processes without preparing gets its audio back untouched.
    juce::AudioBuffer<float> buffer (2, 64);
    for (int i = 0; i < 64; ++i)
        buffer.setSample (0, i, 0.01f * (float) i);
    juce::AudioBuffer<float> original (buffer);
    juce::MidiBuffer midi;
    processor.processBlock (buffer, midi);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ (buffer.getSample (0, i), original.getSample (0, i));
}

TEST (OversamplingSelection, theActiveChoiceSetAgainChangesNothing)
{
    const std::vector<std::vector<float>> input { noise (4096, 0.7f, 11), noise (4096, 0.7f, 12) };

    auto reference = makePrepared (2);
    const auto expected = render (*reference, input);

    auto processor = makePrepared (2);
    LatencyListener listener;
    processor->addListener (&listener);
    const std::vector<std::vector<float>> firstHalf { { input[0].begin(), input[0].begin() + 2048 }, { input[1].begin(), input[1].begin() + 2048 } };
    const std::vector<std::vector<float>> secondHalf { { input[0].begin() + 2048, input[0].end() }, { input[1].begin() + 2048, input[1].end() } };
    auto first = render (*processor, firstHalf);
    setPlain (*processor, parameterIds::oversampling, 2.0f);
    auto second = render (*processor, secondHalf);
    processor->removeListener (&listener);

    first[0].insert (first[0].end(), second[0].begin(), second[0].end());
    EXPECT_EQ (first[0], expected[0]);
    EXPECT_EQ (listener.latencyChanges, 0);
}

TEST (OversamplingSelection, aNewChoiceRestartsTheWetPathFromRestAndReportsItsLatency)
{
    struct
    {
        int from, to, latency;
    } const switches[] = { { 0, 4, 6 }, { 4, 0, 0 }, { 1, 2, 6 }, { 2, 1, 4 }, { 2, 3, 6 } };

    for (const auto& s : switches)
    {
        auto processor = makePrepared (s.from);
        setPlain (*processor, parameterIds::drive, 1.0f);
        setPlain (*processor, parameterIds::opto, 1.0f);
        render (*processor, { tone (4096, 80.0, 0.9f), tone (4096, 80.0, 0.9f) });

        const int latencyBefore = processor->getLatencySamples();
        LatencyListener listener;
        processor->addListener (&listener);
        setPlain (*processor, parameterIds::oversampling, static_cast<float> (s.to));
        const auto after = render (*processor, { std::vector<float> (1024, 0.0f), std::vector<float> (1024, 0.0f) });
        processor->removeListener (&listener);

        // The tone's tail is gone: models, filters and dry delay all start from silence.
        EXPECT_TRUE (allZero (after[0])) << s.from << " -> " << s.to;
        EXPECT_TRUE (allZero (after[1])) << s.from << " -> " << s.to;
        EXPECT_EQ (processor->getLatencySamples(), s.latency);
        EXPECT_EQ (listener.latencyChanges, s.latency != latencyBefore ? 1 : 0)
            << s.from << " -> " << s.to;
    }

    // Without a switch the same tail rings on.
    auto processor = makePrepared (2);
    setPlain (*processor, parameterIds::drive, 1.0f);
    render (*processor, { tone (4096, 80.0, 0.9f), tone (4096, 80.0, 0.9f) });
    const auto after = render (*processor, { std::vector<float> (1024, 0.0f), std::vector<float> (1024, 0.0f) });
    EXPECT_FALSE (allZero (after[0]));
}

TEST (OversamplingSelection, prepareAgainAndReleaseBothReturnToRestAndKeepTheChoice)
{
    enum class Action
    {
        prepareAgain,
        release
    };

    for (const auto action : { Action::prepareAgain, Action::release })
    {
        auto processor = makePrepared (3);
        setPlain (*processor, parameterIds::drive, 1.0f);
        render (*processor, { tone (4096, 80.0, 0.9f), tone (4096, 80.0, 0.9f) });

        LatencyListener listener;
        processor->addListener (&listener);
        if (action == Action::prepareAgain)
            processor->prepareToPlay (sampleRate, blockSize);
        else
            processor->releaseResources();

        const auto after = render (*processor, { std::vector<float> (1024, 0.0f), std::vector<float> (1024, 0.0f) });
        processor->removeListener (&listener);

        EXPECT_TRUE (allZero (after[0]));
        EXPECT_EQ (processor->getLatencySamples(), 6);
        EXPECT_EQ (listener.latencyChanges, 0); // the number did not change
    }
}

TEST (OversamplingSelection, theFirstPrepareAppliesTheParametersChoice)
{
    for (const auto& c : factorCases)
    {
        VeskSchematicPluginAudioProcessor processor;
        setPlain (processor, parameterIds::oversampling, static_cast<float> (c.choice));
        processor.prepareToPlay (44100.0, 128);
        EXPECT_EQ (processor.getLatencySamples(), c.latency);
    }
}
