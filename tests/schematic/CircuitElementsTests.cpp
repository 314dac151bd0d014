#include "schematic/ChannelControls.h"
#include "schematic/CircuitElements.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace schematic;

namespace
{
struct AmplifierCase
{
    const char* name;
    float railVolts;
    float knee;
    float slewVoltsPerSecond;
    double smallSignalGain; // knee/tanh(knee), to four places
};

const AmplifierCase amplifierCases[] = {
    { "input", 24.0f, 1.6f, 1.0e7f, 1.7360 },
    { "output", 14.0f, 1.85f, 1.3e7f, 1.9438 },
    { "cell", 14.0f, 1.7f, 1.3e7f, 1.8174 },
};

class AmplifierStage : public testing::TestWithParam<AmplifierCase>
{
};
} // namespace

TEST_P (AmplifierStage, smallSignalGainIsKneeOverTanhKnee)
{
    const auto& c = GetParam();
    OpAmpStage stage;
    stage.prepare (48000.0, c.railVolts, c.knee, c.slewVoltsPerSecond);

    const float input = 1.0e-4f;
    const double gain = stage.process (input) / input;
    EXPECT_NEAR (gain, c.knee / std::tanh (static_cast<double> (c.knee)), 1.0e-5);
    EXPECT_NEAR (gain, c.smallSignalGain, 5.0e-5);
}

TEST_P (AmplifierStage, theRailComesOutAsTheRailAndNothingExceedsRailOverTanhKnee)
{
    const auto& c = GetParam();
    OpAmpStage stage;
    // At 1 Hz the slew limit is far beyond any target.
    stage.prepare (1.0, c.railVolts, c.knee, c.slewVoltsPerSecond);

    EXPECT_NEAR (stage.process (c.railVolts), c.railVolts, c.railVolts * 1.0e-6f);

    const double bound = c.railVolts / std::tanh (static_cast<double> (c.knee));
    for (const float target : { 1.0e3f, -1.0e3f, 1.0e6f, -1.0e6f })
    {
        stage.reset();
        EXPECT_LE (std::abs (stage.process (target)), bound * (1.0 + 1.0e-6));
    }
}

INSTANTIATE_TEST_SUITE_P (Amplifiers, AmplifierStage, testing::ValuesIn (amplifierCases),
                          [] (const auto& testInfo) { return std::string (testInfo.param.name); });

TEST (AmplifierSlew, slewPerSampleIsTheSlewRateOverTheSampleRateWithAFloor)
{
    struct
    {
        double sampleRate;
        float expected;
    } const cases[] = { { 44100.0, 226.757f }, { 705600.0, 14.1723f }, { 1.0e12, 0.001f } };

    for (const auto& c : cases)
    {
        OpAmpStage stage;
        stage.prepare (c.sampleRate, 24.0f, 1.6f, 1.0e7f);
        EXPECT_NEAR (stage.slewPerSample, c.expected, c.expected * 1.0e-5f) << c.sampleRate;

        // A step from rest moves the stage by one slew step, and the next sample by another.
        const auto transfer = [&] (float z) { return stage.normaliser * (24.0f * std::tanh (1.6f * (z / 24.0f))); };
        const float first = stage.process (1.0e6f);
        EXPECT_FLOAT_EQ (first, transfer (stage.slewPerSample)) << c.sampleRate;
        EXPECT_FLOAT_EQ (stage.process (1.0e6f), transfer (first + stage.slewPerSample)) << c.sampleRate;
    }
}

TEST (AmplifierSlew, slewLimitComparesWithThePreviousOutput)
{
    OpAmpStage stage;
    stage.prepare (1.0e6, 24.0f, 1.6f, 1.0e7f); // 10 V per sample
    const float first = stage.process (100.0f);
    // A falling target far below the output moves it down by one step from the output.
    const float second = stage.process (-100.0f);
    EXPECT_FLOAT_EQ (second, stage.normaliser * (24.0f * std::tanh (1.6f * ((first - 10.0f) / 24.0f))));
}

TEST (RcFilters, oneSampleResponsesFollowTheirDefinitions)
{
    HighPassRC highPass;
    highPass.coefficient = highPassCoefficient (0.01, 1000.0); // 0.01 / 0.011
    EXPECT_FLOAT_EQ (highPass.coefficient, static_cast<float> (10.0 / 11.0));
    EXPECT_FLOAT_EQ (highPass.process (1.0f), 10.0f / 11.0f);
    EXPECT_FLOAT_EQ (highPass.process (1.0f), (10.0f / 11.0f) * (10.0f / 11.0f));

    LowPassRC lowPass;
    lowPass.coefficient = lowPassCoefficient (0.001, 1000.0); // exp(-1)
    const float k = static_cast<float> (std::exp (-1.0));
    EXPECT_FLOAT_EQ (lowPass.coefficient, k);
    EXPECT_FLOAT_EQ (lowPass.process (1.0f), 1.0f - k);
    EXPECT_FLOAT_EQ (lowPass.process (1.0f), (1.0f - k) + k * (1.0f - k));
}

TEST (ChannelControls, bandWeightsAreGainMinusOne)
{
    struct
    {
        float decibels;
        float weight;
    } const cases[] = { { -12.0f, -0.748811f }, { 0.0f, 0.0f }, { 12.0f, 2.981072f } };

    for (const auto& c : cases)
    {
        ControlValues values;
        values.lowDb = values.presenceDb = values.airDb = c.decibels;
        const auto controls = makeChannelControls (values);
        EXPECT_NEAR (controls.lowWeight, c.weight, 1.0e-5f) << c.decibels;
        EXPECT_EQ (controls.midWeight, controls.lowWeight);
        EXPECT_EQ (controls.highWeight, controls.lowWeight);
    }

    // 0 dB leaves the band out of the sum entirely.
    EXPECT_EQ (makeChannelControls ({}).lowWeight, 0.0f);
}

TEST (ChannelControls, trimsAreDecibelsAndDriveAndDepthAreLimited)
{
    struct
    {
        float drive, opto;
        float preDrive, cellDrive, lampDrive, depth;
    } const cases[] = {
        { 0.0f, 0.0f, 1.0f, 1.0f, 0.7f, 0.0f },
        { 0.5f, 0.5f, 1.95f, 1.35f, 2.8f, 0.5f },
        { 1.0f, 1.0f, 2.9f, 1.7f, 4.9f, 1.0f },
        { 3.0f, 2.0f, 2.9f, 1.7f, 4.9f, 1.0f },
        { -1.0f, -1.0f, 1.0f, 1.0f, 0.7f, 0.0f },
    };

    for (const auto& c : cases)
    {
        ControlValues values;
        values.drive = c.drive;
        values.opto = c.opto;
        const auto controls = makeChannelControls (values);
        EXPECT_FLOAT_EQ (controls.preDriveGain, c.preDrive) << c.drive;
        EXPECT_FLOAT_EQ (controls.cellDrive, c.cellDrive) << c.drive;
        EXPECT_FLOAT_EQ (controls.lampDrive, c.lampDrive) << c.drive;
        EXPECT_FLOAT_EQ (controls.opticalDepth, c.depth) << c.opto;
    }

    ControlValues values;
    values.inputDb = 6.0f;
    values.outputDb = -9.98f;
    const auto controls = makeChannelControls (values);
    EXPECT_NEAR (controls.inputGain, std::pow (10.0, 6.0 / 20.0), 1.0e-6);
    EXPECT_NEAR (controls.outputGain, std::pow (10.0, -9.98 / 20.0), 1.0e-6);
}
