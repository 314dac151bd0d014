#pragma once

#include <algorithm>
#include <array>
#include <cmath>

// The building blocks of the channel circuit. Signals, coefficients and gains are single
// precision; sample rates and component values are double. Every block is a plain
// aggregate held by value, so a model allocates nothing.
namespace schematic
{
// RC/(RC + T) for a one-pole high-pass, computed in double and stored as a float.
inline float highPassCoefficient (double timeConstantSeconds, double sampleRate)
{
    const double period = 1.0 / sampleRate;
    return static_cast<float> (timeConstantSeconds / (timeConstantSeconds + period));
}

// exp(-1/(fs tau)) for a one-pole low-pass, computed in double and stored as a float.
inline float lowPassCoefficient (double timeConstantSeconds, double sampleRate)
{
    return static_cast<float> (std::exp (-1.0 / (sampleRate * timeConstantSeconds)));
}

// A one-pole RC high-pass.
struct HighPassRC
{
    float coefficient = 0.0f;
    float previousInput = 0.0f;
    float previousOutput = 0.0f;

    void reset()
    {
        previousInput = 0.0f;
        previousOutput = 0.0f;
    }

    float process (float x)
    {
        const float y = coefficient * ((previousOutput + x) - previousInput);
        previousInput = x;
        previousOutput = y;
        return y;
    }
};

// A one-pole low-pass.
struct LowPassRC
{
    float coefficient = 0.0f;
    float state = 0.0f;

    void reset() { state = 0.0f; }

    float process (float x)
    {
        const float y = (1.0f - coefficient) * x + coefficient * state;
        state = y;
        return y;
    }
};

// A slew-limited, soft-clipping amplifier with its own supply rail. A value equal to the
// rail comes out as exactly the rail; the small-signal gain is knee/tanh(knee).
struct OpAmpStage
{
    double sampleRate = 44100.0;
    float railVolts = 15.0f;
    float knee = 1.5f;
    float slewPerSample = 1.0f;
    float normaliser = 1.0f;
    float state = 0.0f; // the stage's last output

    void prepare (double newSampleRate, float newRailVolts, float newKnee, float slewVoltsPerSecond)
    {
        sampleRate = newSampleRate;
        railVolts = newRailVolts;
        knee = newKnee;
        // Both in single precision; a floor keeps absurd rates from freezing the stage.
        slewPerSample = std::max (slewVoltsPerSecond / static_cast<float> (newSampleRate), 0.001f);
        normaliser = 1.0f / std::tanh (newKnee);
    }

    void reset() { state = 0.0f; }

    // target: the stage's input already multiplied by its gain. The slew limit compares
    // it with the previous output, not with the previous target.
    float process (float target)
    {
        const float step = std::clamp (target - state, -slewPerSample, slewPerSample);
        const float z = state + step;
        const float shaped = knee * (z / railVolts);
        // tanh(0) is exactly 0 (of the same sign): a cell whose band is at 0 dB rests at 0
        // and costs no call.
        const float y = normaliser * (railVolts * (shaped == 0.0f ? shaped : std::tanh (shaped)));
        state = y;
        return y;
    }
};

// The lamp, the light-dependent resistor that follows it and the divider they drive.
struct OpticalCell
{
    enum Coefficient
    {
        lampAttack,
        lampRelease,
        ldrRise,
        ldrFall
    };

    double sampleRate = 44100.0;
    float lamp = 0.0f;            // heat, 0 or more, unbounded above
    float ldr = 0.0f;             // light reaching the resistor, 0..1
    float gain = 1.0f;            // divider gain of the last sample
    float resistance = 220000.0f; // LDR resistance of the last sample, ohms
    std::array<float, 4> coefficients {};

    static constexpr float darkResistance = 220000.0f;
    static constexpr float litResistance = 650.0f;
    static constexpr float seriesResistance = 22000.0f;

    void reset()
    {
        lamp = 0.0f;
        ldr = 0.0f;
        gain = 1.0f;
        resistance = darkResistance;
    }

    // speed 0 is the slowest lamp and LDR, speed 1 the fastest.
    void setThermalSpeed (float speed)
    {
        const float timeConstantsMs[] = { 36.0f - 33.2f * speed,
                                          540.0f - 478.0f * speed,
                                          120.0f - 108.0f * speed,
                                          860.0f - 720.0f * speed };

        for (size_t i = 0; i < coefficients.size(); ++i)
        {
            const auto samples = static_cast<float> (static_cast<double> (timeConstantsMs[i]) * sampleRate * 0.001);
            coefficients[i] = std::exp (-1.0f / samples);
        }
    }
};

// One of the three parallel band cells: a high-pass and two low-passes around an
// amplifier of its own, weighted by its boost/cut control and softened by the light.
struct ToneCell
{
    double r1 = 20000.0, c1 = 1.0e-6; // high-pass
    double r2 = 20000.0, c2 = 1.0e-9; // first low-pass
    double r3 = 20000.0, c3 = 1.0e-9; // second low-pass
    float gain = 3.0f;
    float outputScale = 0.25f;
    float ldrSensitivity = 0.25f;
    float railVolts = 13.5f;
    float slewVoltsPerMicrosecond = 13.0f;
    HighPassRC highPass;
    LowPassRC lowPass1;
    LowPassRC lowPass2;
    OpAmpStage amplifier;

    static constexpr float amplifierKnee = 1.7f;

    // Filter coefficients and amplifier settings from the component values.
    void prepare (double sampleRate)
    {
        highPass.coefficient = highPassCoefficient (r1 * c1, sampleRate);
        lowPass1.coefficient = lowPassCoefficient (r2 * c2, sampleRate);
        lowPass2.coefficient = lowPassCoefficient (r3 * c3, sampleRate);
        amplifier.prepare (sampleRate, railVolts, amplifierKnee, slewVoltsPerMicrosecond * 1.0e6f);
    }

    void reset()
    {
        highPass.reset();
        lowPass1.reset();
        lowPass2.reset();
        amplifier.reset();
    }

    // core: the core signal; light: the LDR value of the previous sample.
    float process (float core, float weight, float cellDrive, float light)
    {
        const float q = lowPass1.process (highPass.process (core));
        const float t = (((q * weight) * gain) * cellDrive) * (1.0f / (1.0f + ldrSensitivity * light));
        return outputScale * amplifier.process (lowPass2.process (t));
    }
};
} // namespace schematic
