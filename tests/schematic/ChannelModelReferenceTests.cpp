// The channel model against a literal, unoptimised transcription of the circuit's
// arithmetic. Any change of the production code that moves the result by more than a
// few units in the last place fails here.

#include "SignalMeasurement.h"
#include "schematic/ChannelModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <random>

namespace
{
struct HighPass
{
    float k = 0, x1 = 0, y1 = 0;
    HighPass (double rc, double fs) : k (static_cast<float> (rc / (rc + 1.0 / fs))) {}
    float operator() (float x)
    {
        const float y = k * (y1 + x - x1);
        x1 = x;
        y1 = y;
        return y;
    }
};

struct LowPass
{
    float k = 0, s = 0;
    LowPass (double tau, double fs) : k (static_cast<float> (std::exp (-1.0 / (fs * tau)))) {}
    float operator() (float x)
    {
        s = (1.0f - k) * x + k * s;
        return s;
    }
};

struct Amp
{
    float rail, knee, slew, norm, state = 0;
    Amp (float railVolts, float kneeValue, float slewRate, double fs)
        : rail (railVolts), knee (kneeValue), slew (std::max (slewRate / static_cast<float> (fs), 0.001f)), norm (1.0f / std::tanh (kneeValue))
    {
    }
    float operator() (float t)
    {
        float d = t - state;
        d = d > slew ? slew : (d < -slew ? -slew : d);
        const float z = state + d;
        state = norm * (rail * std::tanh (knee * (z / rail)));
        return state;
    }
};

struct Cell
{
    HighPass hp;
    LowPass lp1, lp2;
    Amp amp;
    float gain, scale, sensitivity;
};

struct ReferenceChannel
{
    double fs;
    HighPass in1 { 1.034, fs }, in2 { 0.024017, fs }, out { 0.044, fs };
    LowPass inLp { 1.0978e-6, fs }, outLp { 4.4e-6, fs };
    Amp inAmp { 24.0f, 1.6f, 1.0e7f, fs }, outAmp { 14.0f, 1.85f, 1.3e7f, fs };
    Cell cells[3] = {
        { { 20000.0 * 2.2e-6, fs }, { 20000.0 * 6.8e-9, fs }, { 1800.0 * 6.8e-9, fs }, { 14.0f, 1.7f, 1.3e7f, fs }, 3.4f, 0.22f, 0.18f },
        { { 510.0 * 6.8e-7, fs }, { 20000.0 * 6.8e-10, fs }, { 20000.0 * 6.8e-10, fs }, { 14.0f, 1.7f, 1.3e7f, fs }, 2.8f, 0.21f, 0.24f },
        { { 510.0 * 6.8e-7, fs }, { 20000.0 * 2.2e-10, fs }, { 20000.0 * 2.2e-10, fs }, { 14.0f, 1.7f, 1.3e7f, fs }, 2.4f, 0.2f, 0.28f },
    };
    float lamp = 0, ldr = 0, gain = 1, reduction = 0;
    float k[4] {};

    explicit ReferenceChannel (double rate) : fs (rate) { speed (1.0f); }

    void speed (float s)
    {
        const float ms[] = { 36.0f - 33.2f * s, 540.0f - 478.0f * s, 120.0f - 108.0f * s, 860.0f - 720.0f * s };
        for (int i = 0; i < 4; ++i)
            k[i] = std::exp (-1.0f / static_cast<float> (static_cast<double> (ms[i]) * fs * 0.001));
    }

    float operator() (float x, const schematic::ChannelControls& c)
    {
        const float v = 0.125f * inAmp (8.0f * inLp (in2 (in1 (c.inputGain * x)) * c.preDriveGain));
        const float weights[] = { c.lowWeight, c.midWeight, c.highWeight };
        const float r = ldr;
        float band[3];
        for (int i = 0; i < 3; ++i)
        {
            auto& cell = cells[i];
            const float q = cell.lp1 (cell.hp (v));
            const float t = q * weights[i] * cell.gain * c.cellDrive * (1.0f / (1.0f + cell.sensitivity * r));
            band[i] = cell.scale * cell.amp (cell.lp2 (t));
        }
        const float e = c.lampDrive * (0.22f * std::fabs (v) + 0.45f * std::fabs (band[0]) + 0.72f * std::fabs (band[1]) + 0.96f * std::fabs (band[2]));
        const float ka = e > lamp ? k[0] : k[1];
        lamp = ka * lamp + (1.0f - ka) * e;
        const float l = std::min (std::max (lamp, 0.0f), 1.0f);
        const float kl = l > ldr ? k[2] : k[3];
        ldr = kl * ldr + (1.0f - kl) * l;
        const float dark = 1.0f - std::min (std::max (ldr, 0.0f), 1.0f);
        const float resistance = 650.0f + 219350.0f * std::pow (dark, 2.6f);
        const float ratio = resistance / (resistance + 22000.0f);
        gain = 1.0f + c.opticalDepth * (ratio - 1.0f);
        const float s = (v + band[0] + band[1] + band[2]) * gain * c.outputGain;
        const float w = outAmp (7.0f * outLp (s)) * 0.14285715f;
        reduction = gain > 0.0f ? -std::max (20.0f * std::log10 (gain), -60.0f) : 60.0f;
        return out (w);
    }
};

// A second of programme: a rising sweep, a decaying low tone and bursts of noise.
std::vector<float> programme (double rate)
{
    const auto length = static_cast<size_t> (rate);
    std::vector<float> x (length);
    std::minstd_rand random (84);
    std::uniform_real_distribution<float> noise (-1.0f, 1.0f);
    double phase = 0.0;
    for (size_t i = 0; i < length; ++i)
    {
        const double t = static_cast<double> (i) / rate;
        phase += 2.0 * testsignals::pi * (30.0 * std::pow (600.0, t)) / rate;
        const double burst = std::fmod (t, 0.25) < 0.05 ? 0.8 * noise (random) : 0.0;
        x[i] = static_cast<float> (0.5 * std::sin (phase) + 0.9 * std::exp (-4.0 * t) * std::sin (2.0 * testsignals::pi * 55.0 * t) + burst);
    }
    return x;
}
} // namespace

TEST (ChannelModelReference, matchesTheLiteralCircuitArithmetic)
{
    struct Setting
    {
        float inputDb, drive, lowDb, presenceDb, airDb, opto, speed, outputDb;
    };
    const Setting settings[] = {
        { 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, -9.98f },
        { 6.0f, 0.8f, 4.5f, -3.0f, 7.0f, 1.0f, 0.35f, -12.0f },
        { 18.0f, 1.0f, 12.0f, 12.0f, 12.0f, 0.7f, 1.0f, 8.02f },
        { -10.0f, 0.2f, -12.0f, -6.0f, -12.0f, 0.4f, 0.8f, -20.0f },
    };

    for (const double rate : { 48000.0, 384000.0 })
    {
        const auto input = programme (rate);
        for (const auto& setting : settings)
        {
            schematic::ControlValues values;
            values.inputDb = setting.inputDb;
            values.drive = setting.drive;
            values.lowDb = setting.lowDb;
            values.presenceDb = setting.presenceDb;
            values.airDb = setting.airDb;
            values.opto = setting.opto;
            values.outputDb = setting.outputDb;
            const auto controls = schematic::makeChannelControls (values);

            schematic::ChannelModel model;
            model.prepare (rate);
            ReferenceChannel reference (rate);

            double largestError = 0.0, largestReductionError = 0.0, peak = 0.0;
            for (size_t i = 0; i < input.size(); ++i)
            {
                // The speed changes at every "block" of 512 samples, as the processor does it.
                if (i % 512 == 0)
                {
                    const float speed = setting.speed * static_cast<float> ((i / 512) % 3) * 0.5f;
                    model.setThermalSpeed (speed);
                    reference.speed (speed);
                }
                const float expected = reference (input[i], controls);
                const float actual = model.processSample (input[i], controls);
                largestError = std::max (largestError, static_cast<double> (std::abs (actual - expected)));
                largestReductionError = std::max (largestReductionError, static_cast<double> (std::abs (model.lastGainReductionDb - reference.reduction)));
                peak = std::max (peak, static_cast<double> (std::abs (expected)));
                ASSERT_NEAR (model.opticalCell.ldr, reference.ldr, 4.0 * FLT_EPSILON) << i;
            }

            EXPECT_GT (peak, 0.01);
            EXPECT_LE (largestError, 4.0 * FLT_EPSILON * std::max (1.0, peak)) << rate << " Hz, drive " << setting.drive;
            EXPECT_LE (largestReductionError, 60.0 * 4.0 * FLT_EPSILON) << rate << " Hz, drive " << setting.drive;
        }
    }
}
