#include "SignalMeasurement.h"
#include "schematic/ChannelModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace schematic;
using namespace testsignals;

namespace
{
std::vector<float> run (ChannelModel& model, const std::vector<float>& input, const ChannelControls& controls)
{
    std::vector<float> output (input.size());
    for (size_t i = 0; i < input.size(); ++i)
        output[i] = model.processSample (input[i], controls);
    return output;
}

ChannelControls controlsWith (float optoDepth, float outputDb = 0.0f)
{
    ControlValues values;
    values.opto = optoDepth;
    values.outputDb = outputDb;
    return makeChannelControls (values);
}

// The factors every model rate is a multiple of: the host rate times 1, 2, 4, 8 or 16.
const double modelRates[] = { 44100.0, 96000.0, 192000.0, 705600.0, 768000.0 };
} // namespace

TEST (ChannelModel, silenceInGivesSilenceOutWithTheCellAtRest)
{
    for (const double rate : modelRates)
    {
        ChannelModel model;
        model.prepare (rate);
        const auto output = run (model, std::vector<float> (8192, 0.0f), controlsWith (0.0f));

        EXPECT_TRUE (std::all_of (output.begin(), output.end(), [] (float y) { return y == 0.0f; })) << rate;
        EXPECT_EQ (model.opticalCell.ldr, 0.0f);
        EXPECT_EQ (model.opticalCell.lamp, 0.0f);
        EXPECT_EQ (model.opticalCell.resistance, 220000.0f);
        EXPECT_EQ (model.opticalCell.gain, 1.0f);
        EXPECT_EQ (model.lastGainReductionDb, 0.0f);
    }
}

TEST (ChannelModel, smallMidBandSignalGainsThroughBothAmplifiers)
{
    // Bands at 0 dB, no depth, no drive: only the two amplifiers' small-signal gains act.
    const double amplifiers = (1.6 / std::tanh (1.6)) * (1.85 / std::tanh (1.85));
    ASSERT_NEAR (amplifiers, 1.7360 * 1.9438, 1.0e-3);

    struct
    {
        float outputDb;
        double expectedDb;
    } const cases[] = { { 0.0f, decibels (amplifiers) }, { -9.98f, decibels (amplifiers) - 9.98 } };

    for (const double rate : { 48000.0, 192000.0, 768000.0 })
    {
        for (const auto& c : cases)
        {
            ChannelModel model;
            model.prepare (rate);
            const auto length = static_cast<size_t> (rate * 0.5);
            const auto input = sine (1000.0, 0.001, rate, length); // -60 dBFS
            const auto output = run (model, input, controlsWith (0.0f, c.outputDb));

            const auto lastTenPeriods = static_cast<size_t> (rate / 100.0);
            const double gain = amplitudeAt (output, 1000.0, rate, length - lastTenPeriods, length) / 0.001;
            EXPECT_NEAR (decibels (gain), c.expectedDb, 0.01) << rate << " Hz, output " << c.outputDb;
        }
    }
    EXPECT_NEAR (decibels (amplifiers), 10.56, 0.01);
    EXPECT_NEAR (decibels (amplifiers) - 9.98, 0.58, 0.01);
}

TEST (ChannelModel, dividerGainFollowsTheLdr)
{
    struct
    {
        const char* name;
        float depth;
        float ldr; // the light set on the cell before one silent sample
        double expectedGain;
    } const cases[] = {
        { "no depth", 0.0f, 0.0f, 1.0 },
        { "dark cell", 1.0f, 0.0f, 220000.0 / 242000.0 },
        { "half depth, dark", 0.5f, 0.0f, 1.0 - 0.5 * (1.0 - 220000.0 / 242000.0) },
        { "fully lit", 1.0f, 1.0f, 650.0 / 22650.0 },
    };

    for (const auto& c : cases)
    {
        ChannelModel model;
        model.prepare (192000.0);
        model.opticalCell.ldr = c.ldr;
        model.opticalCell.lamp = c.ldr > 0.0f ? 10.0f : 0.0f; // a lamp that keeps a lit LDR lit
        model.processSample (0.0f, controlsWith (c.depth));

        EXPECT_NEAR (model.opticalCell.gain, c.expectedGain, 1.0e-6) << c.name;
        EXPECT_NEAR (model.lastGainReductionDb, -decibels (c.expectedGain), 1.0e-4) << c.name;
    }

    // The named figures: 0.83 dB for a dark cell, 30.84 dB at the deepest.
    EXPECT_NEAR (-decibels (220000.0 / 242000.0), 0.83, 0.005);
    EXPECT_NEAR (-decibels (650.0 / 22650.0), 30.84, 0.005);
}

TEST (ChannelModel, gainReductionIsExactlyZeroWithoutDepth)
{
    ChannelModel model;
    model.prepare (96000.0);
    ControlValues values;
    values.drive = 1.0f;
    const auto controls = makeChannelControls (values);
    for (const float x : sine (200.0, 1.0, 96000.0, 48000))
    {
        model.processSample (x, controls);
        ASSERT_EQ (model.lastGainReductionDb, 0.0f);
    }
    EXPECT_GT (model.opticalCell.ldr, 0.0f);
}

TEST (ChannelModel, thermalTimeConstantsFollowTheSpeed)
{
    struct
    {
        const char* name;
        float speed; // < 0: prepare alone
        double milliseconds[4]; // lamp attack, lamp release, LDR rise, LDR fall
    } const cases[] = {
        { "slowest", 0.0f, { 36.0, 540.0, 120.0, 860.0 } },
        { "fastest", 1.0f, { 2.799999237060547, 62.0, 12.0, 140.0 } },
        { "halfway", 0.5f, { 19.4, 301.0, 66.0, 500.0 } },
        { "after prepare alone", -1.0f, { 2.799999237060547, 62.0, 12.0, 140.0 } },
    };

    for (const double rate : { 44100.0, 768000.0 })
    {
        for (const auto& c : cases)
        {
            ChannelModel model;
            model.prepare (rate);
            if (c.speed >= 0.0f)
                model.setThermalSpeed (c.speed);

            for (size_t i = 0; i < 4; ++i)
            {
                const double expected = std::exp (-1.0 / (c.milliseconds[i] * 0.001 * rate));
                EXPECT_NEAR (model.opticalCell.coefficients[i], expected, 2.0e-7) << c.name << ", " << rate << " Hz, #" << i;
            }
        }
    }
}

TEST (ChannelModel, lampRunsAboveOneWhileTheLdrStaysInRange)
{
    ChannelModel model;
    model.prepare (96000.0);
    model.setThermalSpeed (1.0f);
    ControlValues values;
    values.drive = 1.0f;
    values.opto = 1.0f;
    values.lowDb = 12.0f;
    values.presenceDb = 12.0f;
    values.airDb = 12.0f;
    const auto controls = makeChannelControls (values);

    float largestLamp = 0.0f;
    for (const float x : sine (150.0, 2.0, 96000.0, 96000))
    {
        const float y = model.processSample (x, controls);
        ASSERT_TRUE (std::isfinite (y));
        ASSERT_GE (model.opticalCell.ldr, 0.0f);
        ASSERT_LE (model.opticalCell.ldr, 1.0f);
        ASSERT_GE (model.lastGainReductionDb, 0.0f);
        ASSERT_LE (model.lastGainReductionDb, 60.0f);
        largestLamp = std::max (largestLamp, model.opticalCell.lamp);
    }
    EXPECT_GT (largestLamp, 1.0f);
    EXPECT_GT (model.lastGainReductionDb, 1.0f);
}

TEST (ChannelModel, eachBandControlBoostsAndCutsItsOwnBand)
{
    struct
    {
        const char* name;
        float ControlValues::*band;
        double frequency;
    } const cases[] = {
        { "low", &ControlValues::lowDb, 100.0 },
        { "mid", &ControlValues::presenceDb, 3000.0 },
        { "high", &ControlValues::airDb, 20000.0 },
    };

    constexpr double rate = 192000.0;
    const auto length = static_cast<size_t> (rate * 0.5);

    for (const auto& c : cases)
    {
        const auto tone = sine (c.frequency, 0.001, rate, length);
        double levels[3] {};
        const float settings[] = { -12.0f, 0.0f, 12.0f };
        for (size_t s = 0; s < 3; ++s)
        {
            ControlValues values;
            values.*c.band = settings[s];
            ChannelModel model;
            model.prepare (rate);
            const auto output = run (model, tone, makeChannelControls (values));
            levels[s] = amplitudeAt (output, c.frequency, rate, length / 2, length);
        }
        EXPECT_LT (levels[0], levels[1] * 0.9) << c.name;
        EXPECT_GT (levels[2], levels[1] * 1.5) << c.name;
    }
}

TEST (ChannelModel, resetReturnsToRestAndKeepsTheCoefficients)
{
    ChannelModel model;
    model.prepare (48000.0);
    model.setThermalSpeed (0.25f);
    const auto coefficients = model.opticalCell.coefficients;
    ControlValues values;
    values.drive = 1.0f;
    values.opto = 1.0f;
    run (model, sine (100.0, 1.0, 48000.0, 4800), makeChannelControls (values));

    model.reset();
    EXPECT_EQ (model.opticalCell.coefficients, coefficients);
    const auto output = run (model, std::vector<float> (256, 0.0f), controlsWith (0.0f));
    EXPECT_TRUE (std::all_of (output.begin(), output.end(), [] (float y) { return y == 0.0f; }));
    EXPECT_EQ (model.opticalCell.resistance, 220000.0f);
}

TEST (ChannelModel, aRunOfSamplesMatchesSampleBySampleAndTracksTheLargestReadings)
{
    ControlValues values;
    values.drive = 0.9f;
    values.opto = 0.8f;
    values.airDb = 6.0f;
    const auto controls = makeChannelControls (values);
    const auto input = sine (120.0, 1.5, 96000.0, 9600);

    ChannelModel single, run;
    single.prepare (96000.0);
    run.prepare (96000.0);

    std::vector<float> expected (input.size());
    float largestReduction = 0.0f, largestLight = 0.0f;
    for (size_t i = 0; i < input.size(); ++i)
    {
        expected[i] = single.processSample (input[i], controls);
        largestReduction = std::max (largestReduction, single.lastGainReductionDb);
        largestLight = std::max (largestLight, single.opticalCell.ldr);
    }

    auto samples = input;
    float runReduction = 0.5f, runLight = 0.0f; // raised from where the caller left them
    run.processSamples (samples.data(), samples.size(), controls, runReduction, runLight);

    EXPECT_EQ (samples, expected);
    EXPECT_EQ (runReduction, std::max (0.5f, largestReduction));
    EXPECT_EQ (runLight, largestLight);
    EXPECT_GT (largestReduction, 1.0f);
    EXPECT_EQ (run.lastGainReductionDb, single.lastGainReductionDb);
}
