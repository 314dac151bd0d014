#include "DemoSignal.h"

namespace render
{
juce::AudioBuffer<float> makeDemoSignal (double sampleRate)
{
    constexpr double twoPi = juce::MathConstants<double>::twoPi;
    const auto length = static_cast<int> (std::lround (demoLengthSeconds * sampleRate));
    juce::AudioBuffer<float> signal (2, length);
    signal.clear();

    // Short fades keep the section edges from clicking.
    const auto fade = [] (double t, double start, double end)
    {
        const double edge = 0.01;
        return juce::jlimit (0.0, 1.0, std::min ((t - start) / edge, (end - t) / edge));
    };

    const double sweepStart = 20.0;
    const double sweepEnd = std::min (20000.0, 0.45 * sampleRate);
    const double sweepLength = 2.0;
    juce::Random random (0x5684);

    for (int i = 0; i < length; ++i)
    {
        const double t = static_cast<double> (i) / sampleRate;
        double left = 0.0, right = 0.0;

        if (t < 2.0)
        {
            // Phase of an exponential sweep, so every octave takes the same time.
            const double rate = std::log (sweepEnd / sweepStart) / sweepLength;
            const double phase = twoPi * sweepStart * (std::exp (rate * t) - 1.0) / rate;
            left = right = 0.25 * std::sin (phase) * fade (t, 0.0, 2.0);
        }
        else if (t < 4.0)
        {
            const double u = t - 2.0;
            const double tone = 0.7 * std::exp (-1.5 * u) * std::sin (twoPi * 55.0 * u) * fade (t, 2.0, 4.0);
            left = tone;
            right = 0.9 * tone;
        }
        else
        {
            // Four bursts of 150 ms, one every half second.
            const double u = t - 4.0;
            const double inBurst = std::fmod (u, 0.5);
            if (inBurst < 0.15 && u < 2.0)
            {
                const double gain = 0.5 * fade (inBurst, 0.0, 0.15);
                left = gain * (2.0 * random.nextDouble() - 1.0);
                right = gain * (2.0 * random.nextDouble() - 1.0);
            }
        }

        signal.setSample (0, i, static_cast<float> (left));
        signal.setSample (1, i, static_cast<float> (right));
    }

    return signal;
}
} // namespace render
